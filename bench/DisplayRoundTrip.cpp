#include "DisplayRoundTrip.h"

#include <dlfcn.h>

#include <QGuiApplication>
#include <cstdlib>

namespace kelvane::bench {
namespace {

// The two calls of libxcb needed for a round trip, found in the copy Qt's xcb plugin loaded:
// the benchmarks need no X development headers. The cookie is xcb's one-field struct.
struct Cookie {
  unsigned int sequence;
};
using GetInputFocus = Cookie (*)(xcb_connection_t*);
using GetInputFocusReply = void* (*)(xcb_connection_t*, Cookie, void**);

struct Xcb {
  xcb_connection_t* connection = nullptr;
  GetInputFocus request = nullptr;
  GetInputFocusReply reply = nullptr;
};

const Xcb& Connection() {
  static const Xcb xcb = [] {
    Xcb found;
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!x11 || !library) return found;
    found.request = reinterpret_cast<GetInputFocus>(dlsym(library, "xcb_get_input_focus"));
    found.reply = reinterpret_cast<GetInputFocusReply>(dlsym(library, "xcb_get_input_focus_reply"));
    if (found.request && found.reply) found.connection = x11->connection();
    return found;
  }();
  return xcb;
}

}  // namespace

bool OnXServer() {
  return Connection().connection != nullptr;
}

void RoundTrip() {
  const Xcb& xcb = Connection();
  if (!xcb.connection) return;
  // The reply comes only after the server has handled every earlier request.
  std::free(xcb.reply(xcb.connection, xcb.request(xcb.connection), nullptr));
}

}  // namespace kelvane::bench
