// Reads the system's font configuration on a second thread while the main thread starts Qt.
#pragma once

#include <thread>

namespace kelvane {

// Reading the font configuration (its XML files and its caches) is the largest single step in
// starting a Qt program: 40 % of a window holding one label. It needs no display, so it can run on
// another processor while Qt connects to the display; Qt's own call then finds it done. Wait()
// must come before the first text is measured, or both threads would read it.
class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

  void Wait();

 private:
  std::thread thread_;
};

}  // namespace kelvane
