// Waits until the display server has carried out everything the program asked of it so far, so
// that a measured paint includes the server putting the pixels on screen, not only Qt sending
// them. A no-op on platforms without a server (offscreen).
#pragma once

namespace kelvane::bench {

// True on a real X server (the xcb platform), where RoundTrip waits for it.
bool OnXServer();
void RoundTrip();

}  // namespace kelvane::bench
