// Saves killed at random moments leave the old or the new files, never a mix or a part of one,
// and nothing behind except in the instant between naming a finished copy and renaming it.
// KELVANE_KILLED_SAVES sets the number of kills (tools/stress-saves.sh runs 1,000).
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>

#include "TempFolder.h"
#include "files/PendingFile.h"
#include "files/SafeFiles.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Generation = std::uint32_t;

constexpr int kDefaultKills = 300;
constexpr std::size_t kRecordBytes = 1024;
constexpr std::size_t kColourBytes = 3;
constexpr int kMostSavesPerChild = 100000;  // a child whose kill never comes still ends
constexpr auto kLongestDelay = std::chrono::milliseconds(50);

// Each generation's files are different throughout, so a file holding parts of two shows.
Bytes RecordsOf(Generation generation) {
  Bytes bytes(kRecordBytes);
  for (std::size_t i = 0; i < kRecordBytes; ++i) {
    bytes[i] = i < 4 ? static_cast<std::uint8_t>(generation >> (8 * i))
                     : static_cast<std::uint8_t>(generation * 31 + i * 7);
  }
  return bytes;
}

Bytes ColoursOf(Generation generation) {
  return {static_cast<std::uint8_t>(generation), static_cast<std::uint8_t>(generation >> 8),
          static_cast<std::uint8_t>(generation >> 16)};
}

// The generation a file wholly holds, if it does.
std::optional<Generation> GenerationOf(const Bytes& bytes) {
  if (bytes.size() == kColourBytes) {
    return Generation{bytes[0]} | Generation{bytes[1]} << 8 | Generation{bytes[2]} << 16;
  }
  if (bytes.size() != kRecordBytes) return std::nullopt;
  const Generation generation = Generation{bytes[0]} | Generation{bytes[1]} << 8 |
                                Generation{bytes[2]} << 16 | Generation{bytes[3]} << 24;
  if (bytes != RecordsOf(generation)) return std::nullopt;
  return generation;
}

struct Pair {
  Generation records = 0, colours = 0;
  Generation newest = 0;  // including finished copies left beside them
  bool operator!=(const Pair& other) const {
    return records != other.records || colours != other.colours;
  }
};

struct Figures {
  int kills = 0;
  int partialFiles = 0;           // neither a whole old nor a whole new file
  int mismatchedPairs = 0;        // records and colours that no single rename can explain
  int pairsInRenameInstant = 0;   // records renamed, their colours not yet
  int leftovers = 0;              // temporary files that are not finished copies
  int copiesInRenameInstant = 0;  // finished copies named and not yet renamed
};

class KilledSaves : public TempFolderTest {
 protected:
  std::string Ship() const { return PathOf("ship.spr"); }

  std::optional<FileError> Save(Generation generation) const {
    const FileImage files[] = {{Ship(), RecordsOf(generation)},
                               {Ship() + ".inf", ColoursOf(generation)}};
    return SaveFiles(files);
  }

  // Saves generation after generation until a SIGKILL, timed by the kernel, ends it.
  [[noreturn]] void SaveUntilKilled(Generation first, std::chrono::nanoseconds delay) const {
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGKILL;
    timer_t timer{};
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(delay.count() / 1000000000);
    when.it_value.tv_nsec = static_cast<long>(delay.count() % 1000000000);
    if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0) when.it_value.tv_nsec = 1;
    if (::timer_create(CLOCK_MONOTONIC, &event, &timer) != 0 ||
        ::timer_settime(timer, 0, &when, nullptr) != 0) {
      ::_exit(2);
    }
    for (int i = 0; i < kMostSavesPerChild; ++i) {
      if (Save(first + static_cast<Generation>(i))) ::_exit(3);
    }
    ::_exit(4);
  }

  // Looks at what a child killed while saving generations from `first` on left, counts it and
  // tidies up. before: the generations on disk when the child started.
  Pair Inspect(const Pair& before, Generation first, Figures& figures) const {
    const auto records = GenerationOf(ReadBytes(Ship()));
    const auto colours = GenerationOf(ReadBytes(Ship() + ".inf"));
    figures.partialFiles += !records + !colours;
    const Pair after{records.value_or(0), colours.value_or(0)};
    if (records && colours && after.records != after.colours && after != before) {
      // Records renamed, colours not yet: either over the files the child found, or over the
      // pair its last whole save left.
      const bool firstSave = after.records == first && after.colours == before.colours;
      const bool laterSave = after.records > first && after.colours + 1 == after.records;
      if (firstSave || laterSave) {
        ++figures.pairsInRenameInstant;
      } else {
        ++figures.mismatchedPairs;
      }
    }
    Generation newest = std::max(after.records, after.colours);
    for (const std::string& name : Entries()) {
      if (name == "ship.spr" || name == "ship.spr.inf") continue;
      const auto copy = GenerationOf(ReadBytes(PathOf(name)));
      if (name.starts_with(kTemporaryNamePrefix) && copy) {
        ++figures.copiesInRenameInstant;
        newest = std::max(newest, *copy);
      } else {
        ++figures.leftovers;
      }
      std::filesystem::remove(PathOf(name));
    }
    return {after.records, after.colours, newest};
  }
};

TEST_F(KilledSaves, LeaveOldOrNewFilesAndNothingBehind) {
  const char* requested = std::getenv("KELVANE_KILLED_SAVES");
  const int kills = requested ? std::atoi(requested) : kDefaultKills;
  const auto seed = std::random_device{}();
  std::mt19937 random(seed);

  // One save's duration sets the range of the kill times, so they fall in every phase of it.
  const auto started = std::chrono::steady_clock::now();
  constexpr int kTimedSaves = 5;
  for (Generation g = 0; g < kTimedSaves; ++g) ASSERT_FALSE(Save(g));
  const auto oneSave = (std::chrono::steady_clock::now() - started) / kTimedSaves;
  std::uniform_int_distribution<std::int64_t> delays(
      0, std::chrono::nanoseconds(std::min<std::chrono::nanoseconds>(3 * oneSave, kLongestDelay))
             .count());

  Figures figures;
  Pair onDisk{kTimedSaves - 1, kTimedSaves - 1, kTimedSaves - 1};
  for (int kill = 0; kill < kills; ++kill) {
    const auto delay = std::chrono::nanoseconds(delays(random));
    const Generation first = onDisk.newest + 1;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveUntilKilled(first, delay);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    ++figures.kills;
    onDisk = Inspect(onDisk, first, figures);
  }

  std::cout << "killed saves: " << figures.kills << " (seed " << seed << ", one save "
            << std::chrono::duration_cast<std::chrono::microseconds>(oneSave).count() << " us)\n"
            << "partial files: " << figures.partialFiles << "\n"
            << "mismatched pairs beyond the rename instant: " << figures.mismatchedPairs << "\n"
            << "leftover temporary files: " << figures.leftovers << "\n"
            << "caught in the rename instant: " << figures.pairsInRenameInstant
            << " pairs one rename apart, " << figures.copiesInRenameInstant
            << " finished copies named but not yet renamed\n";
  EXPECT_EQ(figures.partialFiles, 0);
  EXPECT_EQ(figures.mismatchedPairs, 0);
  EXPECT_EQ(figures.leftovers, 0);
}

}  // namespace
}  // namespace kelvane
