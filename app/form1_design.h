#pragma once

#include "platform/design.h"

namespace app {

// The window as designed: every control's place, caption, font, colour, tab
// index and initial state.
const platform::FormDesign& form1Design();

}  // namespace app
