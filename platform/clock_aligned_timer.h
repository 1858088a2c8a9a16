#pragma once

#include "platform/local_time.h"

namespace platform {

// A clock-aligned timer ticks on the wall clock's second boundaries, so the clock never
// shows a second late nor skips one. The delay to its next tick: the next boundary, or
// for a timer just enabled the first one at least a full interval away.
constexpr int clockAlignedDelayMs(int msIntoSecond, int intervalMs, bool afresh) {
  const int earliest = msIntoSecond + (afresh ? intervalMs : 1);
  return (earliest + kMsPerSecond - 1) / kMsPerSecond * kMsPerSecond - msIntoSecond;
}

// After each tick the timer is aimed afresh, at the next boundary or at the
// whole minute's second look: a timer left running would keep the lag of the
// tick it was set from plus its own delivery delay.
constexpr int clockAlignedRearmMs(const LocalTime& now) {
  return (zoneMayLag(now) ? kZoneSettleMs : kMsPerSecond) - now.millisecond;
}

// Hands each second on once: a timer that fires a little early still reads the
// second already delivered. A second first read while the zone may lag is handed
// on once more when the reading has settled.
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
