#pragma once
// What the command line asks of the program, decided before any window or display exists.
//
// ASSUMPTION: the toolkit options listed in CommandLine.cpp are those Qt 6 takes out of argv when
// the application object is built (QCoreApplication, QGuiApplication, QApplication and the xcb
// platform). The parse hands exactly those to Qt and keeps the files for itself, so the two can
// never disagree about which word is a file.
#include <string>
#include <string_view>
#include <vector>

#include "files/PrintableText.h"

namespace kelvane {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };

  Action action = Action::Run;
  // The words that are neither our options nor Qt's, in order; only one of them is ever loaded.
  std::vector<std::string> files;
  // The program name followed by Qt's options and their values, ready for QApplication.
  std::vector<std::string> toolkitArguments;
  // For Action::Error: one line naming the fault, without a line break.
  std::string message;
};

// arguments[0] is the program name, as in argv.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// What --help and --version print, each ending in a line break.
std::string UsageText();
std::string VersionText();

// The process exit status for a command line that was refused.
inline constexpr int kUsageExitCode = 2;

}  // namespace kelvane
