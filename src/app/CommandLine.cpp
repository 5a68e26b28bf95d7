#include "app/CommandLine.h"

#include <algorithm>
#include <string_view>

#ifndef KELVANE_VERSION
#error "KELVANE_VERSION must be defined by the build"
#endif

namespace kelvane {

namespace {

constexpr std::string_view kProgram = "kelvane";

// Qt's options, named without their dash; Qt accepts each with one dash or two.
// Those that take the following word as their value:
constexpr std::string_view kToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowtitle",
    "qwindowicon", "session", "style", "stylesheet",
    // Read by the X11 platform only; elsewhere Qt leaves them alone, and so do we.
    "display", "geometry", "title", "icon", "name", "visual"};
// Those that stand alone:
constexpr std::string_view kToolkitFlags[] = {"reverse", "widgetcount", "testability", "qdevel",
                                              "qdebug",  "nograb",      "dograb"};
// Those written as -name=value in one word:
constexpr std::string_view kToolkitJoinedOptions[] = {"style=", "stylesheet=", "qmljsdebugger="};

template <std::size_t N>
bool Contains(const std::string_view (&names)[N], std::string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

template <std::size_t N>
bool StartsWithAny(const std::string_view (&prefixes)[N], std::string_view word) {
  return std::any_of(std::begin(prefixes), std::end(prefixes),
                     [word](std::string_view prefix) { return word.starts_with(prefix); });
}

std::string Refusal(std::string_view what, std::string_view option) {
  return std::string(kProgram) + ": " + std::string(what) + " '" + Printable(option) + "'; try '" +
         std::string(kProgram) + " --help'";
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  result.toolkitArguments.push_back(arguments.empty() ? std::string(kProgram) : arguments.front());
  bool help = false;
  bool version = false;
  bool onlyFilesFollow = false;

  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (onlyFilesFollow || word.size() < 2 || word.front() != '-') {
      result.files.push_back(word);  // includes "" and a lone "-"
      continue;
    }
    if (word == "--") {
      onlyFilesFollow = true;
      continue;
    }
    if (word == "-h" || word == "--help") {
      help = true;
      continue;
    }
    if (word == "--version") {
      version = true;
      continue;
    }

    const std::string_view name = std::string_view(word).substr(word.starts_with("--") ? 2 : 1);
    if (Contains(kToolkitFlags, name) || StartsWithAny(kToolkitJoinedOptions, name)) {
      result.toolkitArguments.push_back(word);
    } else if (Contains(kToolkitOptionsWithValue, name)) {
      if (i + 1 == arguments.size()) {
        if (result.message.empty()) result.message = Refusal("missing value for option", word);
        continue;
      }
      result.toolkitArguments.push_back(word);
      result.toolkitArguments.push_back(arguments[++i]);
    } else if (result.message.empty()) {
      result.message = Refusal("unknown option", word);
    }
  }

  // A command line with a fault is refused whatever else it asks for, so a script that
  // misspells an option never gets a misleading success.
  if (!result.message.empty()) {
    result.action = CommandLine::Action::Error;
  } else if (help) {
    result.action = CommandLine::Action::Help;
  } else if (version) {
    result.action = CommandLine::Action::Version;
  }
  return result;
}

std::string UsageText() {
  return "Usage: kelvane [OPTION]... [FILE.spr]\n"
         "Edit Commodore 64 hardware sprites. With one FILE, the editor opens it.\n"
         "\n"
         "  -h, --help     print this help and exit\n"
         "      --version  print the version and exit\n"
         "  --             treat every later word as a file name\n"
         "\n"
         "Qt's own options, such as -platform NAME, -style NAME, -stylesheet FILE,\n"
         "-display DISPLAY, -geometry WxH+X+Y, -qwindowgeometry WxH+X+Y and -reverse,\n"
         "are passed on to Qt.\n";
}

std::string VersionText() {
  return "Kelvane " KELVANE_VERSION "\n";
}

}  // namespace kelvane
