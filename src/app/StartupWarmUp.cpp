#include "app/StartupWarmUp.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <clocale>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace kelvane {

namespace {

constexpr std::string_view kLibrarySuffix = ".so";

// Loads what Qt would load, as Qt loads it (lazily bound, symbols kept local), and keeps it
// loaded: Qt's own dlopen() then only counts one more user.
void LoadImageFormatPlugins(const std::string& pluginFolder) {
  const std::string folder = pluginFolder + "/imageformats";
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() > kLibrarySuffix.size() && name.ends_with(kLibrarySuffix)) {
      dlopen((folder + '/' + entry->d_name).c_str(), RTLD_LAZY | RTLD_LOCAL);
    }
  }
  closedir(dir);
}

// Qt takes the desktop's start-up notice out of the environment while the thread runs. glibc's
// unsetenv() closes the gap by moving every later variable down one place, and a getenv() of
// fontconfig's going over the list at that moment could miss one (HOME, say) for the rest of the
// run. As the last of the list it leaves nothing to move.
void MoveToTheEndOfTheEnvironment(std::string_view name) {
  char** found = nullptr;
  char** last = nullptr;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view variable = *entry;
    if (variable.size() > name.size() && variable.starts_with(name) &&
        variable[name.size()] == '=') {
      found = entry;
    }
    last = entry;
  }
  if (found) std::swap(*found, *last);
}

}  // namespace

StartupWarmUp::StartupWarmUp(std::string pluginFolder) {
  // What Qt's start changes of the process's state while the thread reads it is settled first:
  // the locale, which Qt sets from the environment and fontconfig consults reading numbers (Qt's
  // own call then changes nothing), and the order of the environment.
  std::setlocale(LC_ALL, "");
  MoveToTheEndOfTheEnvironment("DESKTOP_STARTUP_ID");
  try {
    thread_ = std::thread([folder = std::move(pluginFolder)] {
      // fontconfig makes its configuration once, atomically: Qt's later FcInit() only reads it.
      FcInit();
      LoadImageFormatPlugins(folder);
    });
  } catch (const std::system_error&) {
    // No thread to be had (a process limit): Qt does both itself, as it always can.
  }
}

StartupWarmUp::~StartupWarmUp() {
  Wait();
}

void StartupWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace kelvane
