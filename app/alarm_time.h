#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/local_time.h"

namespace app {

enum class TimeField : unsigned char { Hours, Minutes, Seconds };

// The alarm in the clock's own "hh:mm:ss" form, or the first field no clock second matches.
struct AlarmTimeEntry {
  std::wstring alarmText;  // empty when a field is wrong
  std::optional<TimeField> wrong;
};

inline constexpr std::wstring_view kAlarmTimeRangeText =
    L"The alarm time needs an hour from 0 to 23 and minutes and seconds from 0 to 59.";

// Each part one or two digits; a one-digit part gets its leading zero.
AlarmTimeEntry alarmTimeFrom(std::wstring_view hours, std::wstring_view minutes,
                             std::wstring_view seconds);

// "hh:mm:ss" on the 24-hour clock, two digits per field.
std::wstring formatClock(const platform::LocalTime& t);

// What the quiet box says of an alarm that could not ring on time.
std::wstring missedAlarmText(std::wstring_view message, std::wstring_view due);

// The second of the day a clock text "hh:mm:ss" shows, or nothing for any
// other text (the clock's caption before its first tick, a typed time).
std::optional<int> secondOfDay(std::wstring_view clockText);

// An alarm at most this late rings; a later one (sleep, the clock set forward) is reported missed.
inline constexpr int kLatenessLimitSeconds = 60;

// What a tick does about the alarm.
enum class AlarmCall : unsigned char { None, Ring, Missed };

struct AlarmVerdict {
  AlarmCall call = AlarmCall::None;
  long long day = 0;  // the occurrence's local date, in days since 1970-01-01
};

// Whether the tick `now` rings `alarm` (a clock text "hh:mm:ss"): the latest
// occurrence of the alarm time in the local interval (previous, now] whose date
// is not `settledDay`, rung if it is at most kLatenessLimitSeconds late, else missed.
AlarmVerdict alarmVerdict(const std::optional<platform::LocalTime>& previous,
                          const platform::LocalTime& now, std::wstring_view alarm,
                          std::optional<long long> settledDay);

// A sleeping computer is woken this long before the alarm, and kept running from this long
// before it until it is settled.
inline constexpr int kWakeLeadSeconds = 60;
inline constexpr int kAwakeLeadSeconds = 120;

// What the system is asked for the next occurrence of the alarm.
struct WakeCall {
  std::optional<long long> wakeAt;  // the resuming timer's due time, UTC seconds since 1970
  bool keepRunning = false;
  bool operator==(const WakeCall&) const = default;
};

// The local clock's second count at a UTC second, under the zone's rules for that date.
using LocalSecondAt = std::function<long long(long long utcSecond)>;

// For the first occurrence of `alarm` after `now` whose date is not `settledDay`: it happens at
// the first UTC second from now on whose local reading has reached it (at the jump in a
// daylight-saving gap, on the first pass through a repeated hour).
WakeCall wakeCall(const platform::LocalTime& now, std::wstring_view alarm,
                  std::optional<long long> settledDay, const LocalSecondAt& localSecondAt);

}  // namespace app
