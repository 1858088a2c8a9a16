#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/local_time.h"

namespace app {

// The three time fields, in the order the user fills them.
enum class TimeField : unsigned char { Hours, Minutes, Seconds };

// "&Ok" arms only a time the clock can show: the alarm time text in the
// clock's own "hh:mm:ss" form, or the first field that no clock second matches.
struct AlarmTimeEntry {
  std::wstring alarmText;  // empty when a field is wrong
  std::optional<TimeField> wrong;
};

// What the user is told when a field is wrong.
inline constexpr std::wstring_view kAlarmTimeRangeText =
    L"The alarm time needs an hour from 0 to 23 and minutes and seconds from 0 to 59.";

// Each part one or two digits, hours up to 23, minutes and seconds up to 59; a
// one-digit part gets its leading zero.
AlarmTimeEntry alarmTimeFrom(std::wstring_view hours, std::wstring_view minutes,
                             std::wstring_view seconds);

// "hh:mm:ss" on the 24-hour clock, two digits per field.
std::wstring formatClock(const platform::LocalTime& t);

// What the quiet box says of an alarm that could not ring on time: the message,
// then when it was due ("hh:mm:ss").
std::wstring missedAlarmText(std::wstring_view message, std::wstring_view due);

// The second of the day a clock text "hh:mm:ss" shows, or nothing for any
// other text (the clock's caption before its first tick, a typed time).
std::optional<int> secondOfDay(std::wstring_view clockText);

// An alarm at most this late rings; a later one (sleep, the clock set forward) is
// reported as missed instead.
inline constexpr int kLatenessLimitSeconds = 60;

// What a tick does about the alarm.
enum class AlarmCall : unsigned char { None, Ring, Missed };

struct AlarmVerdict {
  AlarmCall call = AlarmCall::None;
  long long day = 0;  // the occurrence's local date, in days since 1970-01-01
};

// Whether the tick `now` rings `alarm` (a clock text "hh:mm:ss"): the latest
// occurrence of the alarm time in the local interval (previous, now] whose date
// is not `settledDay`, rung if it is at most kLatenessLimitSeconds late, else
// missed. Its lateness is the lesser of the wall-clock time the tick covered and
// the local time since the occurrence. An interval that goes back reaches nothing;
// with no previous tick only an exact match counts.
AlarmVerdict alarmVerdict(const std::optional<platform::LocalTime>& previous,
                          const platform::LocalTime& now, std::wstring_view alarm,
                          std::optional<long long> settledDay);

}  // namespace app
