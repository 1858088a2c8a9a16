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

struct ControlColours {
  Colour background = kButtonFace;
  Colour text = kButtonText;
  friend bool operator==(const ControlColours&, const ControlColours&) = default;
};

// What a control of the design is painted in, neither colour "default". A text
// box, locked or not, keeps the look of an editable one whatever the design says;
// a control with no background of its own shows its container's.
inline ControlColours controlColours(const FormDesign& design, Ctl control) {
  const ControlDesign& d = design[control];
  if (d.kind == Kind::TextBox) return {.background = kWindowBackground, .text = kWindowText};
  const bool ownBackground =
      d.opaque || d.kind == Kind::Form || d.kind == Kind::Frame || d.kind == Kind::OptionButton;
  const Colour back = ownBackground ? d.backColour : design[d.container].backColour;
  return {.background = paintedColour(back, ColourUse::Background),
          .text = paintedColour(d.foreColour, ColourUse::Text)};
}

}  // namespace platform
