#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// The second of the day a clock text "hh:mm:ss" shows, or nothing for any
// other text (the clock's caption before its first tick, a typed time).
std::optional<int> secondOfDay(std::wstring_view clockText);

// A tick may arrive late, when the process was stalled; an alarm it skipped
// still fires, once, as long as the clock moved forward by at most this much.
inline constexpr int kLateTickLimitSeconds = 60;

// Whether the tick that moves the clock from `shownBefore` to `shownNow` fires
// `alarm`: the alarm second lies in that forward step of 1 to 60 seconds, or,
// with no second shown before, the clock shows exactly the alarm second.
bool alarmDue(std::wstring_view shownBefore, std::wstring_view shownNow, std::wstring_view alarm);

}  // namespace app
