// The command line is decided before Qt starts: which words are ours, which are Qt's, which are
// files, and which are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace kelvane {
namespace {

using Action = CommandLine::Action;
using Words = std::vector<std::string>;

struct Case {
  const char* name;
  Words arguments;  // after the program name
  Action action;
  Words files;
  Words toolkitOptions;  // after the program name
  std::string message;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

const std::string kUnknownBogus = "kelvane: unknown option '--bogus'; try 'kelvane --help'";

const Case kCases[] = {
    {"Nothing", {}, Action::Run, {}, {}, ""},
    {"OneFile", {"ship.spr"}, Action::Run, {"ship.spr"}, {}, ""},
    {"TwoFilesAreBothKept", {"a.spr", "b.spr"}, Action::Run, {"a.spr", "b.spr"}, {}, ""},
    {"EmptyWordIsAFile", {""}, Action::Run, {""}, {}, ""},
    {"LoneDashIsAFile", {"-"}, Action::Run, {"-"}, {}, ""},

    {"Help", {"--help"}, Action::Help, {}, {}, ""},
    {"ShortHelp", {"-h"}, Action::Help, {}, {}, ""},
    {"Version", {"--version"}, Action::Version, {}, {}, ""},
    {"HelpBeatsVersion", {"--version", "--help"}, Action::Help, {}, {}, ""},
    {"HelpWithAFile", {"a.spr", "--help"}, Action::Help, {"a.spr"}, {}, ""},

    {"Unknown", {"--bogus"}, Action::Error, {}, {}, kUnknownBogus},
    {"UnknownSingleDash",
     {"-x", "a.spr"},
     Action::Error,
     {"a.spr"},
     {},
     "kelvane: unknown option '-x'; try 'kelvane --help'"},
    {"UnknownBeatsHelp", {"--help", "--bogus"}, Action::Error, {}, {}, kUnknownBogus},
    {"UnknownBeatsVersion", {"--bogus", "--version"}, Action::Error, {}, {}, kUnknownBogus},
    {"FirstFaultIsNamed", {"--bogus", "-y"}, Action::Error, {}, {}, kUnknownBogus},
    {"VersionIsNotShort",
     {"-version"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '-version'; try 'kelvane --help'"},
    {"ThreeDashes",
     {"---platform", "xcb"},
     Action::Error,
     {"xcb"},
     {},
     "kelvane: unknown option '---platform'; try 'kelvane --help'"},
    {"QtTakesNoPlatformWithEquals",
     {"-platform=offscreen"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '-platform=offscreen'; try 'kelvane --help'"},
    {"QtLeavesSyncAlone",
     {"-sync"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '-sync'; try 'kelvane --help'"},
    // One line whatever the word holds: line breaks, controls and stray bytes are escaped.
    {"LineBreakEscaped",
     {"--foo\nX"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '--foo\\nX'; try 'kelvane --help'"},
    {"ControlsEscaped",
     {"-\t\x1b[2J\r\x7f"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '-\\t\\x1b[2J\\x0d\\x7f'; try 'kelvane --help'"},
    {"BackslashEscaped",
     {"--a\\nb"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '--a\\\\nb'; try 'kelvane --help'"},
    {"BytesThatAreNotUtf8Escaped",
     {"--\xff\xc3(\xc2\x9b"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '--\\xff\\xc3(\\xc2\\x9b'; try 'kelvane --help'"},
    {"Utf8Kept",
     {"--gr\xc3\xb6\xc3\x9f"
      "e\xe2\x9c\x93"},
     Action::Error,
     {},
     {},
     "kelvane: unknown option '--gr\xc3\xb6\xc3\x9f"
     "e\xe2\x9c\x93'; try 'kelvane --help'"},
    {"FileNameBytesKept", {"bad\xff.spr"}, Action::Run, {"bad\xff.spr"}, {}, ""},
    {"MissingValue",
     {"a.spr", "-style"},
     Action::Error,
     {"a.spr"},
     {},
     "kelvane: missing value for option '-style'; try 'kelvane --help'"},

    {"Platform",
     {"-platform", "offscreen", "a.spr"},
     Action::Run,
     {"a.spr"},
     {"-platform", "offscreen"},
     ""},
    {"PlatformTwoDashes",
     {"--platform", "xcb", "a.spr"},
     Action::Run,
     {"a.spr"},
     {"--platform", "xcb"},
     ""},
    {"ValueIsTakenWhateverItLooksLike",
     {"-platform", "-reverse"},
     Action::Run,
     {},
     {"-platform", "-reverse"},
     ""},
    {"ValueIsNeverAFile",
     {"-style", "fusion", "-stylesheet", "my.qss"},
     Action::Run,
     {},
     {"-style", "fusion", "-stylesheet", "my.qss"},
     ""},
    {"StyleJoined", {"-style=fusion", "a.spr"}, Action::Run, {"a.spr"}, {"-style=fusion"}, ""},
    {"StyleSheetJoinedTwoDashes",
     {"--stylesheet=my.qss"},
     Action::Run,
     {},
     {"--stylesheet=my.qss"},
     ""},
    {"QmlDebugger",
     {"-qmljsdebugger=port:1234"},
     Action::Run,
     {},
     {"-qmljsdebugger=port:1234"},
     ""},
    {"Flags",
     {"-reverse", "a.spr", "--widgetcount"},
     Action::Run,
     {"a.spr"},
     {"-reverse", "--widgetcount"},
     ""},
    {"X11Options",
     {"-display", ":0", "-geometry", "640x480+10+10", "-title", "t", "-name", "n", "a.spr"},
     Action::Run,
     {"a.spr"},
     {"-display", ":0", "-geometry", "640x480+10+10", "-title", "t", "-name", "n"},
     ""},
    {"WindowOptions",
     {"-qwindowgeometry", "100x100", "-qwindowtitle", "T", "-qwindowicon", "i.png"},
     Action::Run,
     {},
     {"-qwindowgeometry", "100x100", "-qwindowtitle", "T", "-qwindowicon", "i.png"},
     ""},
    {"PluginsAndSession",
     {"-plugin", "evdevtouch", "-platformtheme", "gtk3", "-platformpluginpath", "/p", "-session",
      "s"},
     Action::Run,
     {},
     {"-plugin", "evdevtouch", "-platformtheme", "gtk3", "-platformpluginpath", "/p", "-session",
      "s"},
     ""},

    {"SeparatorMakesFiles", {"--", "--x"}, Action::Run, {"--x"}, {}, ""},
    {"SeparatorHidesQtOptions",
     {"--", "-reverse", "-style", "a"},
     Action::Run,
     {"-reverse", "-style", "a"},
     {},
     ""},
    {"SeparatorHidesHelp", {"--", "--help"}, Action::Run, {"--help"}, {}, ""},
    {"SecondSeparatorIsAFile", {"--", "--"}, Action::Run, {"--"}, {}, ""},
    {"FilesAroundSeparator", {"a.spr", "--", "b.spr"}, Action::Run, {"a.spr", "b.spr"}, {}, ""},
    {"OptionsBeforeSeparator",
     {"-reverse", "--", "-reverse"},
     Action::Run,
     {"-reverse"},
     {"-reverse"},
     ""},
};

class CommandLineParse : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineParse, SortsEveryWord) {
  const Case& c = GetParam();
  Words arguments{"/usr/bin/kelvane"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  Words toolkit{"/usr/bin/kelvane"};
  toolkit.insert(toolkit.end(), c.toolkitOptions.begin(), c.toolkitOptions.end());

  const CommandLine result = ParseCommandLine(arguments);

  EXPECT_EQ(result.action, c.action);
  EXPECT_EQ(result.files, c.files);
  if (c.action != Action::Error) {
    EXPECT_EQ(result.toolkitArguments, toolkit);
  }
  EXPECT_EQ(result.message, c.message);
  EXPECT_EQ(result.message.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLineParse, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, WithoutArgumentsStillNamesTheProgramForQt) {
  const CommandLine result = ParseCommandLine({});
  EXPECT_EQ(result.action, Action::Run);
  EXPECT_EQ(result.toolkitArguments, Words{"kelvane"});
  EXPECT_TRUE(result.files.empty());
}

TEST(CommandLine, VersionIsTheProductLine) {
  EXPECT_EQ(VersionText(), "Kelvane 1.5\n");
}

TEST(CommandLine, UsageNamesOurOptionsAndTheFile) {
  const std::string usage = UsageText();
  EXPECT_EQ(usage.rfind("Usage: kelvane ", 0), 0u);
  EXPECT_NE(usage.find("FILE.spr"), std::string::npos);
  EXPECT_NE(usage.find("--help"), std::string::npos);
  EXPECT_NE(usage.find("--version"), std::string::npos);
  EXPECT_EQ(usage.back(), '\n');
}

}  // namespace
}  // namespace kelvane
