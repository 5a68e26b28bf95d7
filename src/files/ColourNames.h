// The names C64 programmers give the 16 VIC-II colours, by colour number.
#pragma once

#include <array>
#include <string_view>

#include "model/C64Format.h"

namespace kelvane {

inline constexpr std::array<std::string_view, kColourCount> kColourNames{
    "black", "white",       "red",        "cyan",      "purple",    "green",
    "blue",  "yellow",      "orange",     "brown",     "light red", "dark grey",
    "grey",  "light green", "light blue", "light grey"};

// Only the low four bits select a colour, as in the VIC-II's colour registers.
constexpr std::string_view ColourName(int colour) {
  return kColourNames[colour & kColourIndexMask];
}

}  // namespace kelvane
