#pragma once

#include "platform/forms.h"

namespace platform {

// A clock-aligned timer ticks on whole seconds of the wall clock rather than
// every interval from when it started, so a once-a-second clock never shows a
// second late and never skips one. Returns the milliseconds from now until its
// next tick: the next second boundary, or for a timer just enabled the first
// boundary at least a full interval away.
constexpr int clockAlignedDelayMs(int msIntoSecond, int intervalMs, bool afresh) {
  const int earliest = msIntoSecond + (afresh ? intervalMs : 1);
  return (earliest + kMsPerSecond - 1) / kMsPerSecond * kMsPerSecond - msIntoSecond;
}

// A daylight-saving change comes at a whole minute, and the system may apply it
// a little after the boundary: Wine 5.4 ms after, and Windows' clock moves in
// steps of 15.6 ms. A reading this early in a minute may still be in the old
// zone, so it may show the second but decides no alarm; the clock is read again
// once this long has passed.
inline constexpr int kZoneSettleMs = 32;
constexpr bool zoneMayLag(const LocalTime& t) {
  return t.second == 0 && t.millisecond < kZoneSettleMs;
}

// After each tick, the period to arm the system's timer with: the next boundary,
// aimed afresh. A timer left running at its interval would keep the lag of the
// tick it was set from plus its own delivery delay (under Wine about 3 ms instead
// of 1), and a tick the system held back, as it holds back every wait shorter
// than 10 ms, would set that lag for as long as it ran. Aiming costs one call a
// second and no wake-up. An early tick, still in the old second, is aimed at the
// boundary just ahead.
constexpr int clockAlignedRearmMs(const LocalTime& now) {
  if (zoneMayLag(now)) return kZoneSettleMs - now.millisecond;
  return kMsPerSecond - now.millisecond;
}

// A system timer may fire a little early and still read the second already
// delivered; such a tick is re-armed but not handed on. A second first read
// while the zone may lag is handed on once more when the reading has settled.
class SecondGate {
 public:
  constexpr bool pass(const LocalTime& t) {
    const long long second = secondCount(t);
    const bool settled = !zoneMayLag(t);
    if (second == last_ && (lastSettled_ || !settled)) return false;
    last_ = second;
    lastSettled_ = settled;
    return true;
  }

 private:
  long long last_ = -1;
  bool lastSettled_ = true;
};

}  // namespace platform
