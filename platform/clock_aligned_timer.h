#pragma once

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

// One clock-aligned timer as every platform runs it over a periodic system
// timer: the period to arm it with, and for each tick of the system's timer
// whether the handler sees it and how to re-arm.
class ClockAlignedTicks {
 public:
  struct Tick {
    bool deliver = false;  // a second not delivered before
    int rearmMs = 0;       // the system timer's new period, or 0 to leave it running
  };

  // The period for a timer just enabled.
  static constexpr int start(int msIntoSecond, int intervalMs) {
    return clockAlignedDelayMs(msIntoSecond, intervalMs, true) + kClockGuardMs;
  }

  // `second` is the local second the clock reads, `msIntoSecond` how far into it.
  constexpr Tick tick(long long second, int msIntoSecond, int intervalMs) {
    return {.deliver = gate_.pass(second),
            .rearmMs = clockAlignedRearmMs(msIntoSecond, intervalMs, armedMs_, kClockGuardMs)};
  }

  // The clock was set or the machine woke up: a tick at once, and the system
  // timer armed for the next boundary of the clock as it now reads.
  constexpr Tick realign(long long second, int msIntoSecond, int intervalMs) {
    armedMs_ = clockAlignedDelayMs(msIntoSecond, intervalMs, false) + kClockGuardMs;
    return {.deliver = gate_.pass(second), .rearmMs = armedMs_};
  }

  // The system's timer runs at `periodMs` now. A re-arm that failed is not
  // reported: the timer keeps its period, and the next tick tries again.
  constexpr void armed(int periodMs) { armedMs_ = periodMs; }

 private:
  int armedMs_ = 0;
  SecondGate gate_;
};

}  // namespace platform
