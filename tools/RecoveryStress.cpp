// Kills a scripted editing session with SIGKILL at random moments and checks what the next
// start finds: a recovery file that reads whole and holds a document the session held at most
// 1.5 s before the kill, and nothing left behind once it is recovered or discarded.
//   recovery_stress [KILLS] [LONGEST_MS] [SEED]
// The session is headless: the window's document and autosave (DocumentAutosave, its timer and
// writer thread) on a plain event loop, edited by a timer, in a child forked for each run.
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "files/RecoveryFolder.h"
#include "files/RecoveryWriter.h"
#include "ui/DocumentAutosave.h"

namespace kelvane {
namespace {

constexpr int kMaxSteps = 100000;
constexpr double kMostAgeSeconds = 1.5;
constexpr int kShortestKillMs = 20;
constexpr int kQuickStepMs = 2;
constexpr int kLongestPauseMs = 1500;

// Written by the session as it goes, read by the parent once the session is dead.
struct SessionLog {
  std::atomic<int> steps;
  std::int64_t began[kMaxSteps + 1];  // when the document became state k (after step k)
};

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The editing session, the same for a seed in the session and in the check that replays it:
// mostly single pixels a few milliseconds apart, some sprite changes, undos and background
// colours, and now and then a pause.
class Script {
 public:
  explicit Script(unsigned seed) : random_(seed) {}

  void Step(SpriteDocument& document) {
    const unsigned kind = random_() % 100;
    if (kind < 75) {
      const CanvasPoint at{static_cast<int>(random_() % kHiresColumns),
                           static_cast<int>(random_() % kSpriteRows)};
      const bool erase = random_() % 4 == 0;
      document.Apply("Pen",
                     [&](CanvasEdit& edit) { edit.pixels.Plot(at, kSpriteColourPen, erase); });
    } else if (kind < 82) {
      document.SelectSprite(static_cast<int>(random_() % 8));
    } else if (kind < 92) {
      // Never back to the bank as it started: that one has nothing unsaved.
      if (document.UndoCount() > 1) document.Undo();
    } else {
      document.SelectPen(kTransparentPen);
      document.PickColour(static_cast<std::uint8_t>(random_() % 16));
    }
  }
  int NextDelayMs() {
    if (random_() % 100 < 3) return 100 + static_cast<int>(random_() % kLongestPauseMs);
    return kQuickStepMs;
  }

 private:
  std::mt19937 random_;
};

[[noreturn]] void RunSession(const std::string& folder, unsigned seed, SessionLog* log) {
  int argc = 1;
  char name[] = "recovery_stress";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  SpriteDocument document;
  auto owner = RecoveryOwner::Claim(folder);
  if (!owner) std::_Exit(2);
  DocumentAutosave autosave(
      document,
      [&] {
        KeptDocument kept;
        kept.title = "stress.spr";
        kept.bank = document.Bank();
        kept.colours = document.Colours();
        kept.writtenAt = std::time(nullptr);
        return kept;
      },
      std::move(*owner));
  Script script(seed);
  log->began[0] = NowNs();
  log->steps.store(0);
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const int k = log->steps.load() + 1;
    if (k > kMaxSteps) return;
    script.Step(document);
    log->began[k] = NowNs();
    log->steps.store(k);
    timer.start(script.NextDelayMs());
  });
  timer.start(script.NextDelayMs());
  app.exec();
  std::_Exit(0);
}

struct Figures {
  int kills = 0;
  int recovered = 0;
  int nothingYet = 0;  // killed within 1.5 s of holding nothing unsaved
  int torn = 0;
  int failures = 0;
  double maxAge = 0;
};

bool FolderEmpty(const std::string& folder) {
  return std::filesystem::is_empty(folder);
}

// What the next start finds after the kill at killedAt.
void Check(const std::string& folder, unsigned seed, const SessionLog& log, std::int64_t killedAt,
           bool recover, Figures& figures) {
  const int steps = log.steps.load();
  const auto ageOf = [&](int k) {
    const std::int64_t until = k < steps ? log.began[k + 1] : killedAt;
    return std::max<double>(0, static_cast<double>(killedAt - until) / 1e9);
  };
  // The latest state the session held with the given content: -1 for none.
  const auto latest = [&](const SpriteBank& bank, const SharedColours& colours) {
    SpriteDocument replay;
    Script script(seed);
    int match = -1;
    for (int k = 0;; ++k) {
      if (replay.Bank() == bank && replay.Colours() == colours) match = k;
      if (k == steps) break;
      script.NextDelayMs();  // drawn before each step, as the session's timer does
      script.Step(replay);
    }
    return match;
  };
  auto orphans = FindOrphans(folder);
  if (orphans.empty()) {
    // Only right while the bank as it started, which has nothing unsaved, was held within the
    // last 1.5 s (an Undo may bring it back).
    const SpriteDocument fresh;
    const int unchanged = latest(fresh.Bank(), fresh.Colours());
    if (ageOf(unchanged) <= kMostAgeSeconds) {
      ++figures.nothingYet;
    } else {
      ++figures.failures;
      std::printf("seed %u: nothing to recover, %d steps\n", seed, steps);
    }
    return;
  }
  if (orphans.size() != 1) ++figures.failures;
  RecoveryOrphan& orphan = orphans.front();
  const auto kept = orphan.Read();
  struct stat info {};
  if (!kept || ::stat(orphan.FilePath().c_str(), &info) != 0 || (info.st_mode & 0777) != 0600) {
    ++figures.torn;
    std::printf("seed %u: %s\n", seed, kept ? "not private" : Describe(kept.error()).c_str());
    return;
  }
  // The latest state of the session that the file holds.
  const int match = latest(kept->bank, kept->colours);
  if (match < 0 || ageOf(match) > kMostAgeSeconds) {
    ++figures.failures;
    std::printf("seed %u: %s\n", seed, match < 0 ? "a state the session never held" : "too old");
    return;
  }
  figures.maxAge = std::max(figures.maxAge, ageOf(match));
  ++figures.recovered;
  if (recover) {
    // As the window does: its own recovery file first, then the old one goes.
    auto owner = RecoveryOwner::Claim(folder);
    if (!owner) {
      ++figures.failures;
      return;
    }
    RecoveryWriter writer(std::move(*owner));
    writer.Write(*kept);
    writer.Wait();
    orphan.Discard();
    writer.Remove();
    writer.Wait();
  } else {
    orphan.Discard();
  }
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  using namespace kelvane;
  const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int longestMs = argc > 2 ? std::atoi(argv[2]) : 2000;
  const unsigned firstSeed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10))
                                      : static_cast<unsigned>(std::random_device{}());
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/kelvane-recovery-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) return 2;
  folder += "/state";
  auto* log = static_cast<SessionLog*>(::mmap(nullptr, sizeof(SessionLog), PROT_READ | PROT_WRITE,
                                              MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  if (log == MAP_FAILED) return 2;
  std::mt19937 random(firstSeed);
  Figures figures;
  for (int run = 0; run < kills; ++run) {
    const unsigned seed = firstSeed + static_cast<unsigned>(run);
    log->steps.store(-1);
    const pid_t child = ::fork();
    if (child < 0) return 2;
    if (child == 0) RunSession(folder, seed, log);
    const int waitMs =
        kShortestKillMs + static_cast<int>(random() % static_cast<unsigned>(longestMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    const std::int64_t killedAt = NowNs();
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (log->steps.load() < 0) continue;  // killed before its session began: nothing to see
    ++figures.kills;
    Check(folder, seed, *log, killedAt, random() % 2 == 0, figures);
    if (!FolderEmpty(folder)) {
      ++figures.failures;
      std::printf("seed %u: files left behind\n", seed);
      std::filesystem::remove_all(folder);
    }
  }
  std::filesystem::remove_all(std::filesystem::path(folder).parent_path());
  std::printf(
      "recovery after SIGKILL: %d kills, %d recovered (latest state at most %.3f s old, target "
      "1.5 s), %d with nothing unsaved 1.5 s before, %d torn or unreadable, %d failures "
      "(first seed %u)\n",
      figures.kills, figures.recovered, figures.maxAge, figures.nothingYet, figures.torn,
      figures.failures, firstSeed);
  return figures.torn == 0 && figures.failures == 0 ? 0 : 1;
}
