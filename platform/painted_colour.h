#pragma once

#include <cstdint>

#include "platform/design.h"

namespace platform {

enum class ColourUse : std::uint8_t { Background, Text };

inline constexpr Colour kButtonText = systemColour(18);

// The colour a design colour paints for `use`, never "default": that is the
// button face behind and the button text in front, as the system's dialogs are.
constexpr Colour paintedColour(Colour colour, ColourUse use) {
  if (colour != kDefaultColour) return colour;
  return use == ColourUse::Background ? kButtonFace : kButtonText;
}

constexpr bool isSystemColour(Colour colour) { return (colour & 0x80000000U) != 0; }
constexpr int systemColourIndex(Colour colour) { return static_cast<int>(colour & 0xFFU); }

}  // namespace platform
