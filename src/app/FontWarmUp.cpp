#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kelvane {

FontWarmUp::FontWarmUp() {
  try {
    // fontconfig makes its configuration once, atomically, so Qt's later FcInit() only reads it.
    thread_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to be had (a process limit): Qt reads the configuration itself, as it always can.
  }
}

FontWarmUp::~FontWarmUp() {
  Wait();
}

void FontWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace kelvane
