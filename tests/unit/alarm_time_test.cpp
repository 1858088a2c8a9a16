#include "app/alarm_time.h"

#include <gtest/gtest.h>

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

struct TickCase {
  const wchar_t* before;  // the clock's caption before the tick
  const wchar_t* now;     // what the tick shows
  bool fires;
};

// The alarm is 07:30:00 throughout.
TEST(AlarmDue, FiresOnceOnTheTickThatReachesOrPassesTheAlarmByAMinuteAtMost) {
  const TickCase cases[] = {
      {L"07:29:59", L"07:30:00", true},   // on time
      {L"07:30:00", L"07:30:01", false},  // the second after
      {L"07:29:58", L"07:29:59", false},  // not yet
      {L"07:29:59", L"07:30:01", true},   // 2 s late
      {L"07:29:01", L"07:30:00", true},   // 59 s late
      {L"07:29:00", L"07:30:00", true},   // 60 s
      {L"07:29:00", L"07:30:01", false},  // 61 s: a jump, not a late tick
      {L"07:29:30", L"07:30:30", true},   // 60 s across the alarm
      {L"07:29:29", L"07:30:30", false},  // 61 s across it
      {L"07:30:00", L"07:30:00", false},  // a repeated second
      {L"07:30:01", L"07:30:00", false},  // the clock set back 1 s
      {L"08:30:00", L"07:30:00", false},  // and an hour
      {L"08:29:59", L"07:30:00", false},
      {L"clock", L"07:30:00", true},  // the first tick: only an exact match
      {L"clock", L"07:30:01", false},
      {L"", L"07:30:00", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::alarmDue(c.before, c.now, L"07:30:00"), c.fires)
        << narrow(c.before) << " -> " << narrow(c.now);
  }
}

TEST(AlarmDue, CrossesMidnight) {
  EXPECT_TRUE(app::alarmDue(L"23:59:59", L"00:00:01", L"00:00:00"));
  EXPECT_TRUE(app::alarmDue(L"23:59:59", L"00:00:01", L"00:00:01"));
  EXPECT_FALSE(app::alarmDue(L"23:59:59", L"00:00:01", L"23:59:59"));
  EXPECT_TRUE(app::alarmDue(L"23:59:30", L"00:00:10", L"23:59:45"));
}

TEST(AlarmDue, TextsTheClockNeverShowsNeverFire) {
  for (const wchar_t* alarm :
       {L"7:30:00", L"07:30:0", L"25:00:00", L"12:75:00", L"12::00", L"::", L"", L"07:30:00 "}) {
    EXPECT_FALSE(app::alarmDue(L"clock", alarm, alarm)) << narrow(alarm);
    EXPECT_FALSE(app::alarmDue(L"07:29:00", L"07:31:00", alarm)) << narrow(alarm);
  }
}

}  // namespace
}  // namespace tolvane_test
