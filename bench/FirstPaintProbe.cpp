// Preloaded (LD_PRELOAD) into a Qt program that startup_figures starts, so that the program
// itself is measured unchanged. When the application object is made it starts watching for the
// first paint of a top-level window; once that paint has reached the screen it writes one line
// to the file descriptor in KELVANE_PROBE_FD:
//   painted NS HEAP INUSE CPU
// NS: CLOCK_MONOTONIC in nanoseconds, comparable with the starter's clock; HEAP: the bytes the
// heap has taken from the system (with trimming off, as the starter sets it for heap runs, its
// high-water mark); INUSE: the bytes allocated at that moment; CPU: the nanoseconds of CPU the
// process has used so far, all threads, which the load of other processes disturbs less. The
// program then goes on running until the pipe in KELVANE_PROBE_QUIT_FD is closed, and then leaves
// its event loop as it would at the end, so that it cleans up after itself.
#include <malloc.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "DisplayRoundTrip.h"

namespace {

long long Ns(const timespec& t) {
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe(int fd, int quitFd) : fd_(fd), quitFd_(quitFd) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      seen_ = true;
      // The window's paint comes first in the first sync of the whole window; its children
      // paint and the backing store is flushed before the event loop turns again.
      QMetaObject::invokeMethod(
          this, [this] { Report(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void Report() {
    kelvane::bench::RoundTrip();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    const struct mallinfo2 heap = mallinfo2();
    char line[128];
    const int length =
        std::snprintf(line, sizeof line, "painted %lld %zu %zu %lld\n", Ns(now),
                      heap.arena + heap.hblkhd, heap.uordblks + heap.hblkhd, Ns(cpu));
    if (write(fd_, line, static_cast<std::size_t>(length)) < 0) std::_Exit(EXIT_FAILURE);
    qApp->removeEventFilter(this);
    // exit(), not quit(): quit() would close the windows, and Kelvane asks before closing.
    auto* quit = new QSocketNotifier(quitFd_, QSocketNotifier::Read, this);
    connect(quit, &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
  }

  int fd_;
  int quitFd_;
  bool seen_ = false;
};

void InstallProbe() {
  const char* fd = std::getenv("KELVANE_PROBE_FD");
  const char* quitFd = std::getenv("KELVANE_PROBE_QUIT_FD");
  if (!fd || !*fd || !quitFd || !*quitFd) return;
  // Not a child of the application: it is still being constructed.
  QCoreApplication::instance()->installEventFilter(
      new FirstPaintProbe(std::atoi(fd), std::atoi(quitFd)));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
