#pragma once

#include <string>

#include "platform/forms.h"

namespace app {

// "hh:mm:ss" on the 24-hour clock, two digits per field.
std::wstring formatClock(const platform::LocalTime& t);

}  // namespace app
