#include "app/StartupWarmUp.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

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

}  // namespace

StartupWarmUp::StartupWarmUp(std::string pluginFolder) {
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
