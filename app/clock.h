#pragma once

#include <string>
#include <string_view>

#include "platform/forms.h"

namespace app {

// "hh:mm:ss" on the 24-hour clock, two digits per field.
std::wstring formatClock(const platform::LocalTime& t);

// What the quiet box says of an alarm that could not ring on time: the message,
// then when it was due ("hh:mm:ss").
std::wstring missedAlarmText(std::wstring_view message, std::wstring_view due);

}  // namespace app
