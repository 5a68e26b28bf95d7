#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The name shown in the title for a path: the part after the last '/'.
std::string FileNameOf(std::string_view path);

// The colour sidecar keeps the sprite file's whole name: ship.spr -> ship.spr.inf.
std::string SidecarPathOf(std::string_view spritePath);

}  // namespace kelvane
