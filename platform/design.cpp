#include "platform/design.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

const ControlDesign& FormDesign::operator[](Ctl c) const {
  const auto found =
      std::ranges::find_if(controls, [c](const ControlDesign& d) { return d.name == c; });
  if (found == controls.end()) throw std::out_of_range("control not in the design");
  return *found;
}

bool isFocusableKind(Kind kind) {
  switch (kind) {
    case Kind::TextBox:
    case Kind::Button:
    case Kind::OptionButton:
    case Kind::TabStrip:
      return true;
    default:
      return false;
  }
}

}  // namespace platform
