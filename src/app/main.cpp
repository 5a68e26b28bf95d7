// Starts the editor: the application object, its title, the main window and the event loop.
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSettings>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "animator/AnimatorEntry.h"
#include "app/CommandLine.h"
#include "app/StartupWarmUp.h"
#include "files/RecoveryFolder.h"
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

// Writes an answer to standard output; a failed write there (a full disk, a closed output) is a
// failure the caller hears of by the exit status and one line saying why, as with any file.
int Answer(const std::string& text) {
  errno = 0;
  if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) return EXIT_SUCCESS;
  std::fprintf(stderr, "kelvane: standard output: %s\n",
               errno != 0 ? std::strerror(errno) : "could not be written");
  return EXIT_FAILURE;
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
  // A file-size limit (ulimit -f) then fails the write with EFBIG, reported like any failed save,
  // instead of ending the editor and the user's unsaved work.
  std::signal(SIGXFSZ, SIG_IGN);

  // --help, --version and a refused option are answered before Qt is started, so they work
  // without a display and never open a window.
  const kelvane::CommandLine commandLine =
      kelvane::ParseCommandLine(std::vector<std::string>(argv, argv + argc));
  switch (commandLine.action) {
    case kelvane::CommandLine::Action::Help:
      return Answer(kelvane::UsageText());
    case kelvane::CommandLine::Action::Version:
      return Answer(kelvane::VersionText());
    case kelvane::CommandLine::Action::Error:
      std::fprintf(stderr, "%s\n", commandLine.message.c_str());
      return kelvane::kUsageExitCode;
    case kelvane::CommandLine::Action::Run:
      break;
  }

  // Qt sees only its own options: a file named like one of them, after "--", stays a file.
  std::vector<std::string> toolkitWords = commandLine.toolkitArguments;
  std::vector<char*> toolkitArgv;
  for (std::string& word : toolkitWords) toolkitArgv.push_back(word.data());
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(toolkitWords.size());

  if (!CanOpenDisplay(toolkitArgc, toolkitArgv.data())) {
    std::fputs(kNoDisplay, stderr);
    return EXIT_FAILURE;
  }
  kelvane::StartupWarmUp warmUp(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString());
  defaultHandler = qInstallMessageHandler(StartupMessages);
  QApplication app(toolkitArgc, toolkitArgv.data());
  qInstallMessageHandler(defaultHandler);
  QApplication::setApplicationName(kelvane::kApplicationTitle);
  QApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION));
  // Matches the installed io.github.kelvane.kelvane.desktop, which Wayland compositors look up
  // for the icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kelvane.kelvane"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));

  // The window measures its texts as it is built.
  warmUp.Wait();
  // What the window remembers between runs: ~/.config/kelvane/kelvane.conf, Qt's native format
  // (on Linux a text file laid out as an INI file).
  QSettings settings(QStringLiteral("kelvane"), QStringLiteral("kelvane"));
  // The names go on as the system's bytes: one that is not valid UTF-8 must still open.
  kelvane::TForm1 form(commandLine.files);
  form.RememberSettings(settings);
  kelvane::InstallAnimator(form);
  form.show();
  // Only the program itself keeps work in the user's state folder, and asks about what an
  // earlier run left there once its window shows.
  form.EnableRecovery(kelvane::DefaultRecoveryFolder());
  QTimer::singleShot(0, &form, [&form] { form.OfferRecovery(); });
  return app.exec();
}
