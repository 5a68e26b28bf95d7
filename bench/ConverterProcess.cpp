// converter_process: what kelvane-convert costs a build, as whole processes. A 256-sprite bank to
// ACME source and to PNG, each beside an empty program linked against the same libraries (the
// floor: starting a process that loads Qt), and 1,000 files in one -d run beside cp of the same
// files. Runs are interleaved and their medians compared, so a busy moment hits both sides.
//
// converter_process CONVERTER EMPTY_PROGRAM
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Figure.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using kelvane::bench::Figure;
using kelvane::bench::ReportFigure;

constexpr int kRuns = 41;
constexpr int kFolderRuns = 5;
constexpr int kFiles = 1000;
constexpr int kBankSprites = 256;
constexpr int kSmallFileSprites = 16;
constexpr double kTargetRatio = 1.5;

// Wall time of one run of arguments, in milliseconds; negative when it failed.
double TimeRun(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& word : arguments) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return -1;
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Sprites as people draw them, not noise: in each a filled disc of its own size and place, in
// hi-res or multi-colour, on an empty background.
void WriteSprites(const fs::path& path, int sprites, int seed) {
  constexpr int kRows = 21;
  constexpr int kColumns = 24;
  std::string data(static_cast<std::size_t>(sprites) * 64, '\0');
  for (int n = 0; n < sprites; ++n) {
    const int k = n + seed;
    const int radius = 3 + k % 8;
    const int cx = 6 + k * 7 % 12;
    const int cy = 5 + k * 5 % 11;
    for (int y = 0; y < kRows; ++y) {
      for (int x = 0; x < kColumns; ++x) {
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > radius * radius) continue;
        data[n * 64 + y * 3 + x / 8] |= static_cast<char>(0x80 >> (x % 8));
      }
    }
    data[n * 64 + 63] = static_cast<char>((k % 2 ? 0x80 : 0x00) | (k % 16));
  }
  std::ofstream(path, std::ios::binary) << data;
}

// Interleaves runs of a subject and its floor and reports the medians and their ratio.
bool Compare(const std::string& name, const std::vector<std::string>& subject,
             const std::vector<std::string>& floor, const std::string& floorName, int runs,
             bool withTarget) {
  std::vector<double> subjectMs;
  std::vector<double> floorMs;
  for (int i = 0; i < runs; ++i) {
    const double s = TimeRun(subject);
    const double f = TimeRun(floor);
    if (s < 0 || f < 0) {
      std::fprintf(stderr, "%s: a run failed\n", name.c_str());
      return false;
    }
    subjectMs.push_back(s);
    floorMs.push_back(f);
  }
  const double s = Median(subjectMs);
  const double f = Median(floorMs);
  std::printf("%-34s %8.2f ms   %-14s %8.2f ms   %5.2f x\n", name.c_str(), s, floorName.c_str(), f,
              s / f);
  ReportFigure({name + " (ms)", s, "ms", ""});
  char target[32];
  std::snprintf(target, sizeof target, "<= %.1f x", kTargetRatio);
  ReportFigure({name + " / " + floorName, s / f, "x", withTarget ? target : "",
                !withTarget || s / f <= kTargetRatio});
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: converter_process CONVERTER EMPTY_PROGRAM\n");
    return 2;
  }
  const std::string converter = argv[1];
  const std::string empty = argv[2];
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kelvane-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const fs::path folder = pattern;

  const fs::path bank = folder / "bank.bin";
  WriteSprites(bank, kBankSprites, 0);
  bool ok = Compare("bank to ACME", {converter, bank, "-o", folder / "bank.asm"}, {empty},
                    "empty program", kRuns, true);
  ok = Compare("bank to PNG", {converter, bank, "-o", folder / "bank.png"}, {empty},
               "empty program", kRuns, true) &&
       ok;

  fs::create_directory(folder / "in");
  fs::create_directory(folder / "asm");
  fs::create_directory(folder / "copy");
  std::vector<std::string> convert{converter, "--to", "acme", "-d", folder / "asm"};
  std::vector<std::string> copy{"cp"};
  for (int n = 0; n < kFiles; ++n) {
    const fs::path file = folder / "in" / ("sprites" + std::to_string(n) + ".bin");
    WriteSprites(file, kSmallFileSprites, n);
    convert.push_back(file);
    copy.push_back(file);
  }
  copy.push_back(folder / "copy");
  ok = Compare("1000 files, one -d run", convert, copy, "cp", kFolderRuns, false) && ok;

  fs::remove_all(folder);
  return ok ? 0 : 1;
}
