// Handing a file to the desktop to open, with its failure reported rather than lost.
#pragma once

#include <QUrl>
#include <functional>

class QObject;

namespace kelvane {

// Opens url with xdg-open where there is one, else through QDesktopServices. False when no
// opener could be started. xdg-open's exit status says more than QDesktopServices does: it
// fails when it finds no program for the file, as on a bare session; failed is then called,
// while context lives. The opener is left running with the window gone, so a viewer it starts
// and waits for stays open.
bool OpenWithDesktop(const QUrl& url, QObject* context, std::function<void()> failed);

}  // namespace kelvane
