// Work the start needs that no display is needed for, done on a second thread while the main
// thread starts Qt.
#pragma once

#include <string>
#include <thread>

namespace kelvane {

// Two steps of Qt's start read files and nothing else:
//  - the font configuration (fontconfig's XML files and caches), the largest single step in
//    starting a Qt program: 40 % of a window holding one label;
//  - the image format plugins, which Qt loads all of the first time it reads an icon from a file,
//    as the menu bar does for its own.
// Done here first, Qt's own calls find them done. Wait() must come before the first text is
// measured, or both threads would read the font configuration.
class StartupWarmUp {
 public:
  // pluginFolder: Qt's plugin folder, whose imageformats folder is loaded.
  explicit StartupWarmUp(std::string pluginFolder);
  ~StartupWarmUp();
  StartupWarmUp(const StartupWarmUp&) = delete;
  StartupWarmUp& operator=(const StartupWarmUp&) = delete;

  void Wait();

 private:
  std::thread thread_;
};

}  // namespace kelvane
