#include "platform/design.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

const ControlDesign& FormDesign::operator[](Ctl c) const {
  if (c == Ctl::Form1) return form;
  const auto found =
      std::ranges::find_if(controls, [c](const ControlDesign& d) { return d.name == c; });
  // Every name is declared in the design; a miss is a programming error.
  if (found == controls.end()) std::abort();
  return *found;
}

Ctl FormDesign::firstOf(Kind kind) const {
  const auto found = std::ranges::find(controls, kind, &ControlDesign::kind);
  return found == controls.end() ? Ctl::Form1 : found->name;
}

}  // namespace platform
