#include "ui/DesktopOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace kelvane {
namespace {

const QString kXdgOpen = QStringLiteral("xdg-open");
// Starting a program takes a fork and an exec; far less than this unless the system is stuck.
constexpr int kStartMilliseconds = 5000;

}  // namespace

bool OpenWithDesktop(const QUrl& url, QObject* context, std::function<void()> failed) {
  const QString opener = QStandardPaths::findExecutable(kXdgOpen);
  if (opener.isEmpty()) return QDesktopServices::openUrl(url);
  // No parent: the process must not be ended with the window.
  auto* process = new QProcess;
  process->setProgram(opener);
  process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  QObject::connect(process, &QProcess::finished, context,
                   [failed = std::move(failed)](int code, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || code != 0) failed();
                   });
  process->start();
  if (!process->waitForStarted(kStartMilliseconds)) {
    delete process;
    return false;
  }
  return true;
}

}  // namespace kelvane
