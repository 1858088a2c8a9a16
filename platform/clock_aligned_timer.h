#pragma once

#include <chrono>

#include "platform/forms.h"

namespace platform {

inline constexpr int kMsPerSecond = 1000;

// A clock-aligned timer ticks on whole seconds of the wall clock rather than
// every interval from when it started, so a once-a-second clock never shows a
// second late and never skips one. Returns the milliseconds from now until its
// next tick: the next second boundary, or for a timer just enabled the first
// boundary at least a full interval away.
constexpr int clockAlignedDelayMs(int msIntoSecond, int intervalMs, bool afresh) {
  const int earliest = msIntoSecond + (afresh ? intervalMs : 1);
  return (earliest + kMsPerSecond - 1) / kMsPerSecond * kMsPerSecond - msIntoSecond;
}

// A tick that lands this soon after the boundary is on time.
inline constexpr int kOnTimeMs = 30;

// Ticks of a clock-aligned timer are armed this long after the second boundary,
// so that the clock, read to the millisecond, shows the new second. An early tick
// that still reads the old second is re-armed without delivery, so the guard need
// not cover the timer's slack: each millisecond more delays the clock and the alarm.
inline constexpr int kClockGuardMs = 1;

// After a tick, the period to arm the system's timer with, or 0 to leave it
// running: a timer that already ticks on time at its interval costs no
// re-arming (nor a wake-up for it) each second, and any other tick is brought
// back to the boundary.
constexpr int clockAlignedRearmMs(int msIntoSecond, int intervalMs, int armedMs, int guardMs) {
  if (msIntoSecond < kOnTimeMs) return armedMs == intervalMs ? 0 : intervalMs;
  return clockAlignedDelayMs(msIntoSecond, intervalMs, false) + guardMs;
}

// The local second `t` falls in, counted from 1970: consecutive seconds differ by one.
constexpr long long secondCount(const LocalTime& t) {
  using namespace std::chrono;
  const sys_days day = year{t.year} / month{static_cast<unsigned>(t.month)} /
                       std::chrono::day{static_cast<unsigned>(t.day)};
  return day.time_since_epoch().count() * 86'400LL + (t.hour * 60LL + t.minute) * 60 + t.second;
}

// A system timer may fire a little early and still read the second already
// delivered; such a tick is re-armed but not handed on.
class SecondGate {
 public:
  constexpr bool pass(long long second) {
    if (second == last_) return false;
    last_ = second;
    return true;
  }

 private:
  long long last_ = -1;
};

}  // namespace platform
