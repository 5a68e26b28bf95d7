// The real program answers --help, --version and bad options on a machine without any display,
// which proves they are handled before Qt would try to open one.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>

namespace {

struct Outcome {
  int exitCode = -1;
  QString out;
  QString err;
};

// With outputFile, standard output goes there instead of to the test.
Outcome RunProgram(const QStringList& arguments, const QString& outputFile = {}) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProgram(QStringLiteral(KELVANE_PROGRAM));
  process.setArguments(arguments);
  if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
  process.start();
  Outcome run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "kelvane did not finish by itself: " << process.errorString().toStdString();
    return run;
  }
  run.exitCode = process.exitCode();
  run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

// One line: text ending in the only line break.
bool IsOneLine(const QString& text) {
  return text.endsWith(QLatin1Char('\n')) && text.count(QLatin1Char('\n')) == 1;
}

struct Case {
  const char* name;
  QStringList arguments;
  int exitCode;
  const char* outStart;  // nullptr: nothing on standard output
  const char* errPart;   // nullptr: nothing on standard error; else one line containing this
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

const Case kCases[] = {
    {"Help", {"--help"}, 0, "Usage: kelvane ", nullptr},
    {"ShortHelp", {"-h"}, 0, "Usage: kelvane ", nullptr},
    {"HelpIgnoresFiles", {"a.spr", "b.spr", "--help"}, 0, "Usage: kelvane ", nullptr},
    {"Version", {"--version"}, 0, "Kelvane 1.5\n", nullptr},
    {"VersionAfterQtOption", {"-platform", "offscreen", "--version"}, 0, "Kelvane 1.5\n", nullptr},
    {"Unknown", {"--bogus"}, 2, nullptr, "'--bogus'"},
    {"UnknownWithHelp", {"--help", "--bogus"}, 2, nullptr, "'--bogus'"},
    {"UnknownAfterQtOption", {"-platform", "offscreen", "-q"}, 2, nullptr, "'-q'"},
    {"MissingValue", {"-style"}, 2, nullptr, "'-style'"},
    {"UnknownWithALineBreakStaysOneLine", {"--foo\nX\x1b[2J"}, 2, nullptr, "'--foo\\nX\\x1b[2J'"},
    // With nothing to answer, the program goes on to open its window and finds no display.
    {"RunNeedsADisplay", {"a.spr"}, 1, nullptr, "cannot open a display"},
};

class Program : public ::testing::TestWithParam<Case> {};

TEST_P(Program, AnswersWithoutADisplay) {
  const Case& c = GetParam();
  const Outcome run = RunProgram(c.arguments);

  EXPECT_EQ(run.exitCode, c.exitCode);
  if (c.outStart) {
    EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(c.outStart))) << run.out.toStdString();
  } else {
    EXPECT_EQ(run.out.toStdString(), "");
  }
  if (c.errPart) {
    EXPECT_TRUE(IsOneLine(run.err)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errPart))) << run.err.toStdString();
  } else {
    EXPECT_EQ(run.err.toStdString(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Program, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Whether signal is ignored by the process whose /proc status file this is.
bool Ignores(const QString& statusFile, int signal) {
  QFile status(statusFile);
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigIgn:")) {
      const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
      return (mask >> (signal - 1) & 1) != 0;
    }
  }
  return false;
}

// Under a file-size limit (ulimit -f) a save must fail with EFBIG and be reported; SIGXFSZ
// would otherwise end the editor and the user's unsaved work with it.
TEST(Program, IgnoresTheFileSizeLimitSignal) {
  ASSERT_FALSE(Ignores(QStringLiteral("/proc/self/status"), SIGXFSZ)) << "inherited, not set";
  QTemporaryDir privateFolders;  // the editor's text-export and recovery folders go here
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("TMPDIR"), privateFolders.path());
  // Nor are the user's settings read.
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), privateFolders.path());
  environment.insert(QStringLiteral("XDG_STATE_HOME"), privateFolders.path());
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProgram(QStringLiteral(KELVANE_PROGRAM));
  process.start();
  ASSERT_TRUE(process.waitForStarted());
  const QString status = QStringLiteral("/proc/%1/status").arg(process.processId());

  // main sets it first; wait until the program has got that far (or ended).
  QDeadlineTimer deadline(60000);
  bool ignored = false;
  while (!(ignored = Ignores(status, SIGXFSZ)) && !deadline.hasExpired() &&
         !process.waitForFinished(10)) {
  }
  process.kill();
  process.waitForFinished();
  EXPECT_TRUE(ignored);
}

// An answer that could not be written is not a success, as for any file.
TEST(Program, AnswerToAFullDiskFails) {
  for (const char* option : {"--help", "--version"}) {
    const Outcome run = RunProgram({QString::fromLatin1(option)}, QStringLiteral("/dev/full"));
    EXPECT_EQ(run.exitCode, 1) << option;
    EXPECT_EQ(run.err.toStdString(), "kelvane: standard output: No space left on device\n")
        << option;
  }
}

TEST(Program, VersionIsExactlyTheProductLine) {
  EXPECT_EQ(RunProgram({QStringLiteral("--version")}).out.toStdString(), "Kelvane 1.5\n");
}

}  // namespace
