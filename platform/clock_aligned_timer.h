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

// Ticks of a clock-aligned timer are armed this long after the second boundary:
// at the boundary itself. A system timer does not fire before its time, and a
// tick that still reads the old second all the same is re-armed without
// delivery, so a guard would only delay the clock and every alarm's tone.
inline constexpr int kClockGuardMs = 0;

// A daylight-saving change comes at a whole minute, and the system may apply it
// a little after the boundary (Wine about 5 ms after): a tick at a whole minute
// looks at the clock again this long after the boundary, and the gate hands the
// second on again only if the reading changed.
inline constexpr int kZoneSettleMs = 20;

// After each tick, the period to arm the system's timer with: the next boundary,
// aimed afresh. A timer left running at its interval would keep the lag of the
// tick it was set from plus its own delivery delay (under Wine about 3 ms instead
// of 1), and a tick the system held back, as it holds back every wait shorter
// than 10 ms, would set that lag for as long as it ran. Aiming costs one call a
// second and no wake-up. An early tick, still in the old second, is aimed at the
// boundary just ahead.
constexpr int clockAlignedRearmMs(const LocalTime& now, int intervalMs, int guardMs) {
  if (now.second == 0 && now.millisecond < kZoneSettleMs) return kZoneSettleMs - now.millisecond;
  return clockAlignedDelayMs(now.millisecond, intervalMs, false) + guardMs;
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
