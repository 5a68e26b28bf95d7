// startup_figures: what a user waits for before Kelvane can be used, and what it costs while it
// waits for them, each beside a minimal Qt Widgets program (qt_floor_window) measured the same
// way in the same run:
//   - start-up: from exec to the first full paint on the display, in an empty folder and in a
//     folder of 3,000 files;
//   - the heap's high-water mark once that paint is done;
//   - the CPU time used over 5 s of idling while another process rewrites files in the folder
//     the program was started in.
// Both programs are run unchanged; the probe preloaded into them (FirstPaintProbe.cpp) reports
// the paint. Plain C++: the starter itself must not load Qt between two measurements.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Figure.h"

namespace {

using kelvane::bench::Figure;
using kelvane::bench::ReportFigure;

constexpr int kStartupRuns = 15;
constexpr int kHeapRuns = 3;
constexpr int kFolderFiles = 3000;
constexpr int kPaintTimeoutMs = 20000;
constexpr auto kQuitTimeout = std::chrono::seconds(10);
constexpr auto kSettle = std::chrono::milliseconds(500);
constexpr auto kIdle = std::chrono::seconds(5);
constexpr auto kRewriteEvery = std::chrono::milliseconds(10);
constexpr int kRewrittenFiles = 20;
constexpr double kStartupTarget = 1.15;  // x floor
constexpr double kHeapTarget = 1.5;      // x floor

// Heap runs: the heap is never given back and never bypassed by mmap, threads share one arena,
// and the heap grows by what is asked of it, without the 128 KB glibc adds to every growth in
// case more is asked soon; so that the bytes taken from the system at the end are the most it
// ever held. With that pad, either program's figure moved by up to 128 KB with where its last
// growth happened to fall.
constexpr const char* kHighWaterTunables =
    "glibc.malloc.trim_threshold=18446744073709551615:glibc.malloc.mmap_threshold=33554432:"
    "glibc.malloc.arena_max=1:glibc.malloc.top_pad=0";

// Every program starts as on its first run, and the user's own settings stay untouched: Qt's
// file dialog keeps the folder it last showed in its settings file and reads it when it is made.
std::string configHome;

struct Program {
  const char* name;
  const char* path;
};
const Program kKelvane{"Kelvane", KELVANE_EXECUTABLE};
const Program kFloor{"Qt floor", FLOOR_EXECUTABLE};

std::int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "startup_figures: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(EXIT_FAILURE);
}

struct Painted {
  double startupMs = 0;
  std::size_t heapBytes = 0;
  std::size_t inUseBytes = 0;
  double cpuMs = 0;
};

// A program started with the probe, until Stop.
class Started {
 public:
  Started(const Program& program, const std::string& folder, bool highWaterHeap) {
    int fds[2];
    int quit[2];
    // Close-on-exec, so that a program started later holds none of this one's pipes.
    if (pipe2(fds, O_CLOEXEC) != 0 || pipe2(quit, O_CLOEXEC) != 0) Fail("pipe");
    std::remove((configHome + "/QtProject.conf").c_str());
    startNs_ = MonotonicNs();
    pid_ = fork();
    if (pid_ < 0) Fail("fork");
    if (pid_ == 0) {
      close(fds[0]);
      close(quit[1]);
      fcntl(fds[1], F_SETFD, 0);
      fcntl(quit[0], F_SETFD, 0);
      if (chdir(folder.c_str()) != 0) _exit(127);
      setenv("KELVANE_PROBE_FD", std::to_string(fds[1]).c_str(), 1);
      setenv("KELVANE_PROBE_QUIT_FD", std::to_string(quit[0]).c_str(), 1);
      setenv("LD_PRELOAD", PROBE_LIBRARY, 1);
      setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
      if (highWaterHeap) setenv("GLIBC_TUNABLES", kHighWaterTunables, 1);
      execl(program.path, program.path, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    close(quit[0]);
    fd_ = fds[0];
    quitFd_ = quit[1];
  }
  ~Started() { Stop(); }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  pid_t Pid() const { return pid_; }

  // The probe's line, or nothing when the program died or never painted.
  std::optional<Painted> WaitPainted() {
    std::string line;
    const std::int64_t deadline = MonotonicNs() + std::int64_t{kPaintTimeoutMs} * 1000000;
    while (line.find('\n') == std::string::npos) {
      pollfd in{fd_, POLLIN, 0};
      const int left = static_cast<int>((deadline - MonotonicNs()) / 1000000);
      if (left <= 0 || poll(&in, 1, left) <= 0) return std::nullopt;
      char buffer[128];
      const ssize_t got = read(fd_, buffer, sizeof buffer);
      if (got <= 0) return std::nullopt;
      line.append(buffer, static_cast<std::size_t>(got));
    }
    long long paintedNs = 0;
    std::size_t heap = 0;
    std::size_t inUse = 0;
    long long cpuNs = 0;
    if (std::sscanf(line.c_str(), "painted %lld %zu %zu %lld", &paintedNs, &heap, &inUse, &cpuNs) !=
        4) {
      return std::nullopt;
    }
    return Painted{static_cast<double>(paintedNs - startNs_) * 1e-6, heap, inUse,
                   static_cast<double>(cpuNs) * 1e-6};
  }

  // Asks the program to leave its event loop, so that it removes what it made (Kelvane's
  // private folder); kills it if it has not gone within kQuitTimeout.
  void Stop() {
    if (quitFd_ >= 0) close(quitFd_);
    quitFd_ = -1;
    if (pid_ > 0) {
      const auto deadline = std::chrono::steady_clock::now() + kQuitTimeout;
      while (waitpid(pid_, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
          kill(pid_, SIGKILL);
          waitpid(pid_, nullptr, 0);
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      pid_ = -1;
    }
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  int quitFd_ = -1;
  std::int64_t startNs_ = 0;
};

Painted MustPaint(const Program& program, const std::string& folder, bool highWaterHeap) {
  Started started(program, folder, highWaterHeap);
  const auto painted = started.WaitPainted();
  if (!painted) {
    std::fprintf(stderr, "startup_figures: %s never painted its window\n", program.name);
    std::exit(EXIT_FAILURE);
  }
  return *painted;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The time every thread of pid has run, in nanoseconds, as the scheduler counts it.
std::int64_t CpuNs(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::int64_t total = 0;
  DIR* dir = opendir(tasks.c_str());
  if (!dir) Fail(tasks);
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
    std::int64_t ns = 0;
    if (stat >> ns) total += ns;
  }
  closedir(dir);
  return total;
}

// A private folder under the system's temporary folder, removed with what it holds.
struct TempFolder {
  std::string path;
  TempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "kelvane-bench-XXXXXX").string();
    if (!mkdtemp(name.data())) Fail("mkdtemp");
    path = name;
  }
  ~TempFolder() {
    std::error_code failed;
    std::filesystem::remove_all(path, failed);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(int i) const { return path + "/sprites" + std::to_string(i) + ".spr"; }
};

void WriteFile(const std::string& path, int content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << "sprite data " << content << '\n';
}

// Another process that, for kIdle, saves files in folder the way editors do (a new file renamed
// over the old) and rewrites others in place.
pid_t StartRewriting(const TempFolder& folder) {
  const pid_t pid = fork();
  if (pid < 0) Fail("fork");
  if (pid > 0) return pid;
  const auto end = std::chrono::steady_clock::now() + kIdle;
  for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
    const int i = round % kRewrittenFiles;
    const std::string target = folder.File(i);
    WriteFile(target + ".new", round);
    if (std::rename((target + ".new").c_str(), target.c_str()) != 0) _exit(1);
    WriteFile(folder.File(kRewrittenFiles + i), round);
    std::this_thread::sleep_for(kRewriteEvery);
  }
  _exit(0);
}

std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", ms);
  return text;
}

std::string AtMost(const char* target) {
  return std::string("<= ") + target + " x floor";
}

// Start-up figures: the medians of kStartupRuns starts of each program, the two programs
// taking turns so that both see the same load on the machine.
void MeasureStartup(const std::string& display, const TempFolder& empty, const TempFolder& full) {
  struct Case {
    const char* where;
    const TempFolder& folder;
    std::vector<double> kelvane, floor, kelvaneCpu, floorCpu;
  } cases[] = {{"", empty, {}, {}, {}, {}}, {" in a folder of 3,000 files", full, {}, {}, {}, {}}};
  // Once each first: the font and shader caches are the same for every measured run.
  for (const Case& c : cases) {
    MustPaint(kFloor, c.folder.path, false);
    MustPaint(kKelvane, c.folder.path, false);
  }
  for (int run = 0; run < kStartupRuns; ++run) {
    for (Case& c : cases) {
      const Painted floor = MustPaint(kFloor, c.folder.path, false);
      const Painted kelvane = MustPaint(kKelvane, c.folder.path, false);
      c.floor.push_back(floor.startupMs);
      c.floorCpu.push_back(floor.cpuMs);
      c.kelvane.push_back(kelvane.startupMs);
      c.kelvaneCpu.push_back(kelvane.cpuMs);
    }
  }
  std::printf("Start-up, exec to the first full paint on %s (median of %d):\n", display.c_str(),
              kStartupRuns);
  std::vector<Figure> figures;
  for (const Case& c : cases) {
    const double kelvane = Median(c.kelvane);
    const double floor = Median(c.floor);
    const double ratio = kelvane / floor;
    std::printf("  %-34s Kelvane %8s   floor %8s   %5.2f x floor   (CPU %s, floor %s)\n",
                (std::string("start-up") + c.where).c_str(), Ms(kelvane).c_str(), Ms(floor).c_str(),
                ratio, Ms(Median(c.kelvaneCpu)).c_str(), Ms(Median(c.floorCpu)).c_str());
    figures.push_back({"start-up to first paint on " + display + c.where + " (" + Ms(kelvane) +
                           ", floor " + Ms(floor) + ")",
                       ratio, "x floor", AtMost("1.15"), ratio <= kStartupTarget});
  }
  for (const Figure& figure : figures) ReportFigure(figure);
}

void MeasureHeap(const TempFolder& folder) {
  std::vector<double> kelvane, kelvaneInUse, floor, floorInUse;
  for (int run = 0; run < kHeapRuns; ++run) {
    const Painted f = MustPaint(kFloor, folder.path, true);
    const Painted k = MustPaint(kKelvane, folder.path, true);
    floor.push_back(static_cast<double>(f.heapBytes));
    floorInUse.push_back(static_cast<double>(f.inUseBytes));
    kelvane.push_back(static_cast<double>(k.heapBytes));
    kelvaneInUse.push_back(static_cast<double>(k.inUseBytes));
  }
  const double mb = 1.0 / (1024 * 1024);
  const double k = Median(kelvane) * mb;
  const double f = Median(floor) * mb;
  std::printf("\nHeap after the first paint (high-water mark; in use at that moment):\n");
  std::printf("  Kelvane %6.2f MB (%5.2f MB in use)   floor %6.2f MB (%5.2f MB in use)\n", k,
              Median(kelvaneInUse) * mb, f, Median(floorInUse) * mb);
  char name[96];
  std::snprintf(name, sizeof name, "heap peak after start (%.2f MB, floor %.2f MB)", k, f);
  ReportFigure({name, k / f, "x floor", AtMost("1.5"), k / f <= kHeapTarget});
}

void MeasureIdle(const TempFolder& folder) {
  Started kelvane(kKelvane, folder.path, false);
  Started floor(kFloor, folder.path, false);
  if (!kelvane.WaitPainted() || !floor.WaitPainted()) {
    std::fprintf(stderr, "startup_figures: a program never painted its window\n");
    std::exit(EXIT_FAILURE);
  }
  std::this_thread::sleep_for(kSettle);
  const std::int64_t kelvaneBefore = CpuNs(kelvane.Pid());
  const std::int64_t floorBefore = CpuNs(floor.Pid());
  const pid_t writer = StartRewriting(folder);
  int status = 0;
  waitpid(writer, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "startup_figures: the file writer failed\n");
    std::exit(EXIT_FAILURE);
  }
  const double kelvaneMs = static_cast<double>(CpuNs(kelvane.Pid()) - kelvaneBefore) * 1e-6;
  const double floorMs = static_cast<double>(CpuNs(floor.Pid()) - floorBefore) * 1e-6;
  std::printf("\nIdle for 5 s while another process rewrites files in the start folder:\n");
  std::printf("  Kelvane %.3f ms CPU   floor %.3f ms CPU\n", kelvaneMs, floorMs);
  char name[96];
  std::snprintf(name, sizeof name, "idle CPU over 5 s while files change (floor %.2f ms)", floorMs);
  ReportFigure({name, kelvaneMs, "ms", "0 ms", kelvaneMs == 0.0, 2});
}

}  // namespace

int main() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const char* named = std::getenv("KELVANE_BENCH_DISPLAY");
  const std::string display = named && *named                                       ? named
                              : platform && std::strcmp(platform, "offscreen") == 0 ? "offscreen"
                                                                                    : "X11";
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  TempFolder config;
  configHome = config.path;
  TempFolder empty;
  TempFolder full;
  for (int i = 0; i < kFolderFiles; ++i) WriteFile(full.File(i), i);

  MeasureStartup(display, empty, full);
  MeasureHeap(empty);
  MeasureIdle(full);
  return 0;
}
