#pragma once

#include <chrono>

namespace platform {

// A clock reading: the local date and time, and the same instant on the wall
// clock, derived from one reading so that both describe the same moment.
struct LocalTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  long long utcMs = 0;  // milliseconds since 1970-01-01 00:00 UTC
};

inline constexpr long long kSecondsPerDay = 86'400;
inline constexpr int kMsPerSecond = 1000;

// Rounded towards minus infinity, so that times before an epoch fall on the day they belong to.
constexpr long long floorDiv(long long value, long long divisor) {
  const long long quotient = value / divisor;
  return value % divisor < 0 ? quotient - 1 : quotient;
}

constexpr long long localDay(const LocalTime& t) {  // days since 1970-01-01
  using namespace std::chrono;
  const sys_days date = year{t.year} / month{static_cast<unsigned>(t.month)} /
                        std::chrono::day{static_cast<unsigned>(t.day)};
  return date.time_since_epoch().count();
}

constexpr int secondsIntoDay(const LocalTime& t) {
  return (t.hour * 60 + t.minute) * 60 + t.second;
}

// Local seconds on one count, so that an interval can cross midnight and span days.
constexpr long long secondCount(const LocalTime& t) {
  return localDay(t) * kSecondsPerDay + secondsIntoDay(t);
}

// A daylight-saving change comes at a whole minute, and the system may apply it a little
// late (Wine 5.4 ms; Windows' clock moves in 15.6 ms steps): a reading this early in a
// minute may still be in the old zone, so it may show its second but decides no alarm.
inline constexpr int kZoneSettleMs = 32;
constexpr bool zoneMayLag(const LocalTime& t) {
  return t.second == 0 && t.millisecond < kZoneSettleMs;
}

// The local date and time `ms` milliseconds into that count; utcMs left to the caller.
constexpr LocalTime localTimeAt(long long ms) {
  using namespace std::chrono;
  const long long msPerDay = kSecondsPerDay * kMsPerSecond;
  const long long days = floorDiv(ms, msPerDay);
  const long long inDay = ms - days * msPerDay;
  const year_month_day date{sys_days{std::chrono::days{days}}};
  return {.year = static_cast<int>(date.year()),
          .month = static_cast<int>(static_cast<unsigned>(date.month())),
          .day = static_cast<int>(static_cast<unsigned>(date.day())),
          .hour = static_cast<int>(inDay / 3'600'000),
          .minute = static_cast<int>(inDay / 60'000 % 60),
          .second = static_cast<int>(inDay / kMsPerSecond % 60),
          .millisecond = static_cast<int>(inDay % kMsPerSecond)};
}

}  // namespace platform
