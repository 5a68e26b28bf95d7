// Starts the editor: the application object, its title, the main window and the event loop.
#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "animator/AnimatorEntry.h"
#include "ui/TForm1.h"

namespace {

constexpr const char* kNoDisplay = "kelvane: cannot open a display; run it in a desktop session\n";

QtMessageHandler defaultHandler = nullptr;

// Qt reports a display it cannot open with several warnings and then aborts; until the
// application object stands, those become the one line above.
void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const bool platformMessage =
      context.category && QByteArray(context.category).startsWith("qt.qpa");
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(EXIT_FAILURE);
  }
  if (!platformMessage) defaultHandler(type, context, message);
}

bool PlatformChosen(int argc, char** argv) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i) {
    if (QByteArray(argv[i]) == "-platform" || QByteArray(argv[i]) == "--platform") return true;
  }
  return false;
}

bool CanOpenDisplay(int argc, char** argv) {
  return PlatformChosen(argc, argv) || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!CanOpenDisplay(argc, argv)) {
    std::fputs(kNoDisplay, stderr);
    return EXIT_FAILURE;
  }
  defaultHandler = qInstallMessageHandler(StartupMessages);
  QApplication app(argc, argv);
  qInstallMessageHandler(defaultHandler);
  QApplication::setApplicationName(kelvane::kApplicationTitle);
  // Qt has taken its own options out of the arguments by now.
  const QStringList arguments = QApplication::arguments().mid(1);
  kelvane::TForm1 form(arguments);
  kelvane::InstallAnimator(form);
  form.show();
  return app.exec();
}
