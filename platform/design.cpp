#include "platform/design.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

const ControlDesign& FormDesign::operator[](Ctl c) const {
  static constexpr ControlDesign kForm{
      .name = Ctl::Form1, .kind = Kind::Form, .backColour = kButtonFace};
  if (c == Ctl::Form1) return kForm;
  const auto found =
      std::ranges::find_if(controls, [c](const ControlDesign& d) { return d.name == c; });
  // Every name is declared in the design; a miss is a programming error.
  if (found == controls.end()) std::abort();
  return *found;
}

bool isFocusableKind(Kind kind) {
  switch (kind) {
    case Kind::TextBox:
    case Kind::Button:
    case Kind::OptionButton:
    case Kind::TabStrip: return true;
    default: return false;
  }
}

}  // namespace platform
