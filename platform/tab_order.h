#pragma once

#include <functional>

#include "platform/design.h"

namespace platform {

// The control that Tab (or Shift+Tab) moves the focus to: the next by tab index,
// wrapping around, among those `canFocus` accepts. Returns `current` when no
// other control can take the focus.
Ctl nextInTabOrder(const FormDesign& design, Ctl current, bool backwards,
                   const std::function<bool(Ctl)>& canFocus);

}  // namespace platform
