#pragma once

#include <functional>

#include "platform/design.h"

namespace platform {

// The control that Tab (or Shift+Tab) moves the focus to: the next by tab index,
// wrapping around, among those `canFocus` accepts. Returns `current` when no
// other control can take the focus.
Ctl nextInTabOrder(const FormDesign& design, Ctl current, bool backwards,
                   const std::function<bool(Ctl)>& canFocus);

// The option button the arrow keys move to from `current`: the next (or, going
// back, the previous) option button of the same container in design order,
// wrapping around, among those `canFocus` accepts. `current` when there is none.
Ctl nextInGroup(const FormDesign& design, Ctl current, bool forward,
                const std::function<bool(Ctl)>& canFocus);

// The 1-based tab Ctrl+Tab (or Ctrl+Shift+Tab) selects after `selected` of `count`.
constexpr int cycledTab(int selected, int count, bool backwards) {
  if (count <= 0) return selected;
  const int from = selected - 1 + (backwards ? count - 1 : 1);
  return from % count + 1;
}

}  // namespace platform
