#include "app/alarm_time.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tolvane_test {
namespace {

using app::TimeField;

std::string narrow(std::wstring_view text) { return {text.begin(), text.end()}; }

struct EntryCase {
  const wchar_t* hours;
  const wchar_t* minutes;
  const wchar_t* seconds;
  const wchar_t* armed;  // nullptr: refused
  TimeField wrong = TimeField::Hours;
};

TEST(AlarmTimeFrom, PadsOneDigitPartsAndRefusesWhatTheClockNeverShows) {
  const EntryCase cases[] = {
      {L"7", L"5", L"0", L"07:05:00"},
      {L"07", L"30", L"00", L"07:30:00"},
      {L"0", L"0", L"0", L"00:00:00"},
      {L"23", L"59", L"59", L"23:59:59"},
      {L"24", L"00", L"00", nullptr, TimeField::Hours},
      {L"25", L"75", L"00", nullptr, TimeField::Hours},
      {L"12", L"60", L"00", nullptr, TimeField::Minutes},
      {L"12", L"00", L"60", nullptr, TimeField::Seconds},
      {L"", L"30", L"00", nullptr, TimeField::Hours},
      {L"12", L"", L"", nullptr, TimeField::Minutes},
      {L"12", L"30", L"", nullptr, TimeField::Seconds},
      {L"071", L"30", L"00", nullptr, TimeField::Hours},  // the hours field has no length limit
      {L"007", L"30", L"00", nullptr, TimeField::Hours},
      {L"1a", L"30", L"00", nullptr, TimeField::Hours},  // pasted text is not filtered
      {L"12", L"3 ", L"00", nullptr, TimeField::Minutes},
  };
  for (const auto& c : cases) {
    const auto entry = app::alarmTimeFrom(c.hours, c.minutes, c.seconds);
    const std::string typed = narrow(c.hours) + "|" + narrow(c.minutes) + "|" + narrow(c.seconds);
    if (c.armed != nullptr) {
      EXPECT_FALSE(entry.wrong.has_value()) << typed;
      EXPECT_EQ(entry.alarmText, c.armed) << typed;
    } else {
      EXPECT_EQ(entry.wrong, c.wrong) << typed;
      EXPECT_EQ(entry.alarmText, L"") << typed;
    }
  }
}

using app::AlarmCall;
using platform::LocalTime;

// A clock reading `clock` ("hh:mm:ss") on 14 March 2026 plus `day` days, read
// when the wall clock stood at `wallSeconds`.
LocalTime reading(int day, std::wstring_view clock, long long wallSeconds) {
  const int seconds = *app::secondOfDay(clock);
  return {.year = 2026,
          .month = 3,
          .day = 14 + day,
          .hour = seconds / 3600,
          .minute = seconds / 60 % 60,
          .second = seconds % 60,
          .utcMs = wallSeconds * 1000};
}

// Where the wall clock and the local clock agree.
LocalTime reading(int day, std::wstring_view clock) {
  return reading(day, clock, day * 86'400LL + *app::secondOfDay(clock));
}

struct TickCase {
  const wchar_t* before;  // the clock before the tick; nullptr: the first tick
  const wchar_t* now;     // what the tick shows, the same day
  AlarmCall call;
};

// The alarm is 07:30:00 throughout; the wall clock moves as the local one does.
TEST(AlarmVerdict, RingsOnTheTickThatReachesOrPassesTheAlarmByAMinuteAtMost) {
  const TickCase cases[] = {
      {L"07:29:59", L"07:30:00", AlarmCall::Ring},    // on time
      {L"07:30:00", L"07:30:01", AlarmCall::None},    // the second after
      {L"07:29:58", L"07:29:59", AlarmCall::None},    // not yet
      {L"07:29:59", L"07:30:01", AlarmCall::Ring},    // 2 s late
      {L"07:29:01", L"07:30:00", AlarmCall::Ring},    // 59 s late
      {L"07:29:00", L"07:30:00", AlarmCall::Ring},    // 60 s
      {L"07:29:00", L"07:31:00", AlarmCall::Ring},    // 60 s late, 120 s covered
      {L"07:29:00", L"07:31:01", AlarmCall::Missed},  // 61 s late: sleep or the clock set forward
      {L"07:29:00", L"07:30:01", AlarmCall::Ring},    // 61 s covered, 1 s late
      {L"07:29:30", L"07:30:30", AlarmCall::Ring},    // 60 s across the alarm
      // Unless the date has rung or been reported, a tick on the alarm's second rings it.
      {L"07:30:00", L"07:30:00", AlarmCall::Ring},  // a repeated second
      {L"07:30:01", L"07:30:00", AlarmCall::Ring},  // the clock set back onto it by 1 s
      {L"08:30:00", L"07:30:00", AlarmCall::Ring},  // and by an hour
      {L"08:30:00", L"07:29:59", AlarmCall::None},  // set back to just before it
      {L"07:30:01", L"07:29:00", AlarmCall::None},  // the clock set back past it
      {nullptr, L"07:30:00", AlarmCall::Ring},      // the first tick: only an exact match
      {nullptr, L"07:30:01", AlarmCall::None},
  };
  for (const auto& c : cases) {
    const auto previous = c.before != nullptr ? std::optional(reading(0, c.before)) : std::nullopt;
    const auto verdict = app::alarmVerdict(previous, reading(0, c.now), L"07:30:00", std::nullopt);
    EXPECT_EQ(verdict.call, c.call)
        << narrow(c.before != nullptr ? c.before : L"-") << " -> " << narrow(c.now);
  }
}

struct JumpCase {
  const char* event;
  LocalTime before;
  LocalTime now;
  const wchar_t* alarm;
  std::optional<int> settled;  // the day whose alarm has rung, counted as `day` above
  AlarmCall call;
  int day = 0;  // of the occurrence
};

// The wall clock is given where it differs from the local one: a daylight-saving
// change moves the local clock by an hour while the wall clock moves by a second.
TEST(AlarmVerdict, JumpsOfTheClockNeverLoseAnAlarmNorRingItTwice) {
  constexpr long long kWall = 100'000;
  const JumpCase cases[] = {
      {"spring forward, alarm at the first second after the jump", reading(0, L"01:59:59", kWall),
       reading(0, L"03:00:00", kWall + 1), L"03:00:00", std::nullopt, AlarmCall::Ring},
      {"spring forward, alarm inside the skipped hour", reading(0, L"01:59:59", kWall),
       reading(0, L"03:00:00", kWall + 1), L"02:30:00", std::nullopt, AlarmCall::Ring},
      {"fall back, the second pass through the repeated hour", reading(0, L"02:29:59", kWall),
       reading(0, L"02:30:00", kWall + 1), L"02:30:00", 0, AlarmCall::None},
      {"fall back, the jump itself", reading(0, L"02:59:59", kWall),
       reading(0, L"02:00:00", kWall + 1), L"02:30:00", 0, AlarmCall::None},
      {"a stall of 45 s across the alarm", reading(0, L"07:29:59"), reading(0, L"07:30:44"),
       L"07:30:00", std::nullopt, AlarmCall::Ring},
      {"sleep over eight hours", reading(0, L"23:00:00"), reading(1, L"07:00:00"), L"06:00:00",
       std::nullopt, AlarmCall::Missed, 1},
      {"sleep from 23:00, woken 3 s after the alarm", reading(0, L"23:00:00"),
       reading(1, L"07:00:03"), L"07:00:00", std::nullopt, AlarmCall::Ring, 1},
      {"sleep from 23:00, woken 2 min after the alarm", reading(0, L"23:00:00"),
       reading(1, L"07:02:00"), L"07:00:00", std::nullopt, AlarmCall::Missed, 1},
      {"a stall of 90 s, the alarm 30 s before the late tick", reading(0, L"07:29:00"),
       reading(0, L"07:30:30"), L"07:30:00", std::nullopt, AlarmCall::Ring},
      {"a stall of 90 s, the alarm 80 s before the late tick", reading(0, L"07:29:00"),
       reading(0, L"07:30:30"), L"07:29:10", std::nullopt, AlarmCall::Missed},
      {"sleep over two days: one report, for the latest", reading(0, L"22:00:00"),
       reading(2, L"08:00:00"), L"07:30:00", std::nullopt, AlarmCall::Missed, 2},
      {"sleep over two days, the latest already rung", reading(0, L"22:00:00"),
       reading(2, L"08:00:00"), L"07:30:00", 2, AlarmCall::Missed, 1},
      {"clock set forward 30 s past the alarm", reading(0, L"07:29:59"), reading(0, L"07:30:30"),
       L"07:30:00", std::nullopt, AlarmCall::Ring},
      {"clock set forward 5 min past the alarm", reading(0, L"07:29:59"), reading(0, L"07:35:00"),
       L"07:30:00", std::nullopt, AlarmCall::Missed},
      {"clock set forward 3 h past the alarm", reading(0, L"07:29:59"), reading(0, L"10:30:00"),
       L"07:30:00", std::nullopt, AlarmCall::Missed},
      {"clock set back after it rang, then on past the alarm", reading(0, L"07:29:59"),
       reading(0, L"07:30:00"), L"07:30:00", 0, AlarmCall::None},
      {"armed after its time, the clock set back onto it", reading(0, L"10:00:05"),
       reading(0, L"07:30:00"), L"07:30:00", std::nullopt, AlarmCall::Ring},
      {"the same after it rang today", reading(0, L"10:00:05"), reading(0, L"07:30:00"),
       L"07:30:00", 0, AlarmCall::None},
      {"set back to a second before it", reading(0, L"10:00:05"), reading(0, L"07:29:59"),
       L"07:30:00", std::nullopt, AlarmCall::None},
      {"and then on to it", reading(0, L"07:29:59"), reading(0, L"07:30:00"), L"07:30:00",
       std::nullopt, AlarmCall::Ring},
      {"a zone change westward after it rang", reading(0, L"08:30:00", kWall),
       reading(0, L"07:30:01", kWall + 1), L"07:30:00", 0, AlarmCall::None},
      {"a zone change eastward across the alarm", reading(0, L"06:59:59", kWall),
       reading(0, L"08:00:00", kWall + 1), L"07:30:00", std::nullopt, AlarmCall::Ring},
      {"on time across midnight", reading(0, L"23:59:59"), reading(1, L"00:00:00"), L"00:00:00",
       std::nullopt, AlarmCall::Ring, 1},
      {"late across midnight", reading(0, L"23:59:30"), reading(1, L"00:00:10"), L"23:59:45",
       std::nullopt, AlarmCall::Ring, 0},
      {"the next day after it rang", reading(1, L"07:29:59"), reading(1, L"07:30:00"), L"07:30:00",
       0, AlarmCall::Ring, 1},
  };
  for (const auto& c : cases) {
    const auto settled = c.settled
                             ? std::optional(platform::localDay(reading(*c.settled, L"00:00:00")))
                             : std::nullopt;
    const auto verdict = app::alarmVerdict(c.before, c.now, c.alarm, settled);
    EXPECT_EQ(verdict.call, c.call) << c.event;
    if (c.call != AlarmCall::None) {
      EXPECT_EQ(verdict.day, platform::localDay(reading(c.day, L"00:00:00"))) << c.event;
    }
  }
}

TEST(AlarmVerdict, TextsTheClockNeverShowsNeverFire) {
  for (const wchar_t* alarm :
       {L"7:30:00", L"07:30:0", L"25:00:00", L"12:75:00", L"12::00", L"::", L"", L"07:30:00 "}) {
    const LocalTime midnight = reading(0, L"00:00:00");
    EXPECT_EQ(app::alarmVerdict(std::nullopt, midnight, alarm, std::nullopt).call, AlarmCall::None)
        << narrow(alarm);
    EXPECT_EQ(app::alarmVerdict(midnight, reading(1, L"23:59:59"), alarm, std::nullopt).call,
              AlarmCall::None)
        << narrow(alarm);
  }
}

// A zone that changes its offset from UTC once, at the UTC second `change`.
struct Zone {
  long long change = 0;
  int before = 0;  // seconds
  int after = 0;
};

struct WakeCase {
  const char* event;
  Zone zone;
  int day;  // of `now` and `wake`, on the UTC clock
  const wchar_t* now;
  const wchar_t* alarm;
  std::optional<int> settled;
  int wakeDay;
  const wchar_t* wake;  // nullptr: no timer
  bool keepRunning;
};

TEST(WakeCall, AMinuteBeforeTheNextOccurrenceAndTheHoldFromTwoMinutesBefore) {
  const long long base = platform::secondCount(reading(0, L"00:00:00"));
  const auto utc = [&](int day, const wchar_t* clock) {
    return base + day * 86'400LL + *app::secondOfDay(clock);
  };
  const Zone spring{utc(0, L"01:00:00"), 3'600, 7'200};  // local 02:00 becomes 03:00
  const Zone fall{utc(0, L"01:00:00"), 7'200, 3'600};    // local 03:00 becomes 02:00
  // clang-format off
  const WakeCase cases[] = {
      {"an ordinary day", {}, 0, L"07:00:00", L"07:30:00", {}, 0, L"07:29:00", false},
      {"rung today: tomorrow's", {}, 0, L"07:30:00", L"07:30:00", 0, 1, L"07:29:00", false},
      {"passed today unrung (armed later)", {}, 0, L"08:00:00", L"07:30:00", {}, 1, L"07:29:00", false},
      {"settled yesterday", {}, 1, L"07:00:00", L"07:30:00", 0, 1, L"07:29:00", false},
      {"armed 30 s ahead: no timer, hold at once", {}, 0, L"07:29:30", L"07:30:00", {}, 0, nullptr, true},
      {"exactly a minute ahead", {}, 0, L"07:29:00", L"07:30:00", {}, 0, nullptr, true},
      {"90 s ahead", {}, 0, L"07:28:30", L"07:30:00", {}, 0, L"07:29:00", true},
      {"120 s ahead", {}, 0, L"07:28:00", L"07:30:00", {}, 0, L"07:29:00", true},
      {"121 s ahead", {}, 0, L"07:27:59", L"07:30:00", {}, 0, L"07:29:00", false},
      {"across midnight", {}, 0, L"22:00:00", L"00:30:00", {}, 1, L"00:29:00", false},
      {"no alarm armed", {}, 0, L"07:00:00", L"", {}, 0, nullptr, false},
      {"spring forward, before the gap", spring, -1, L"23:00:00", L"01:30:00", {}, 0, L"00:29:00", false},
      {"spring forward, in the gap: at the jump", spring, -1, L"23:00:00", L"02:30:00", {}, 0, L"00:59:00", false},
      {"spring forward, after the gap", spring, -1, L"23:00:00", L"03:30:00", {}, 0, L"01:29:00", false},
      {"spring forward, 30 s before the jump", spring, 0, L"00:59:30", L"02:30:00", {}, 0, nullptr, true},
      {"fall back, in the repeated hour: first pass", fall, -1, L"23:00:00", L"02:30:00", {}, 0, L"00:29:00", false},
      {"fall back, after the repeated hour", fall, -1, L"23:00:00", L"04:00:00", {}, 0, L"02:59:00", false},
      {"fall back, first pass rung: tomorrow's", fall, 0, L"00:30:00", L"02:30:00", 0, 1, L"01:29:00", false},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto localAt = [&](long long u) {
      return u + (u < c.zone.change ? c.zone.before : c.zone.after);
    };
    LocalTime now = platform::localTimeAt(localAt(utc(c.day, c.now)) * 1000);
    now.utcMs = utc(c.day, c.now) * 1000;
    const auto settled = c.settled
                             ? std::optional(platform::localDay(reading(*c.settled, L"00:00:00")))
                             : std::nullopt;
    const app::WakeCall call = app::wakeCall(now, c.alarm, settled, localAt);
    EXPECT_EQ(call.wakeAt, c.wake ? std::optional(utc(c.wakeDay, c.wake)) : std::nullopt)
        << c.event;
    EXPECT_EQ(call.keepRunning, c.keepRunning) << c.event;
  }
}

}  // namespace
}  // namespace tolvane_test
