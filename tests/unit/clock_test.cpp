
#include <string>

#include "app/alarm_time.h"
#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

struct ClockCase {
  platform::LocalTime time;
  const wchar_t* text = nullptr;
};

TEST(FormatClock, TwoDigitsPerFieldOnTheTwentyFourHourClock) {
  const ClockCase cases[] = {
      {{.hour = 7, .minute = 5, .second = 9}, L"07:05:09"},
      {{.hour = 23, .minute = 59, .second = 59}, L"23:59:59"},
      {{.hour = 0, .minute = 0, .second = 0}, L"00:00:00"},
      {{.hour = 12, .minute = 30, .second = 0, .millisecond = 999}, L"12:30:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::formatClock(c.time), c.text);
}

class AlarmTest : public FormTest {
 protected:
  void arm(const std::wstring& alarmText, const std::wstring& message = L"wake up") {
    ui.setCaption(Ctl::Label4, alarmText);
    ui.setText(Ctl::Text5, message);
  }
  void armWithOk(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds) {
    ui.setText(Ctl::Text1, hours);
    ui.setText(Ctl::Text2, minutes);
    ui.setText(Ctl::Text3, seconds);
    ui.click(Ctl::Command1);
  }
  int alarmBoxes() const {
    int n = 0;
    for (const auto& box : ui.boxes) n += box.title == L"PESAN" ? 1 : 0;
    return n;
  }
};

TEST_F(AlarmTest, FiresOnceInTheMatchingSecondSoundFirstThenTheBox) {
  arm(L"07:30:00", L"stand up");
  ui.setText(Ctl::Label6, L"C:\\tones\\bell.wav");
  ui.readableWaveFiles.emplace_back(L"C:\\tones\\bell.wav");
  std::size_t soundsWhenBoxShown = 0;
  ui.answerBox = [&](const platform::headless::ShownBox&) {
    soundsWhenBoxShown = ui.sounds.size();
    return platform::kIdOk;
  };

  ui.advance(4'000);  // up to 07:29:59
  EXPECT_TRUE(ui.sounds.empty());
  ui.advance(1'000);  // 07:30:00
  ASSERT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(ui.sounds[0].name, L"C:\\tones\\bell.wav");
  EXPECT_EQ(ui.sounds[0].flags, platform::kSndNoDefault);
  EXPECT_EQ(soundsWhenBoxShown, 1U);
  ASSERT_EQ(ui.boxes.size(), 1U);
  EXPECT_EQ(ui.boxes[0].text, L"stand up");
  EXPECT_EQ(ui.boxes[0].style, platform::kMbIconInformation);
  EXPECT_EQ(ui.boxes[0].title, L"PESAN");

  ui.advance(10'000);
  EXPECT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(ui.caption(Ctl::Label4), L"07:30:00");  // still armed for tomorrow
}

TEST_F(AlarmTest, AlarmTextsThatCanNeverMatchTheClockNeverFire) {
  for (const wchar_t* text :
       {L"7:30:00", L"07:30:0", L"25:00:00", L"12:75:00", L"12::00", L"::", L"", L"07:30:00 "}) {
    arm(text);
    ui.advance(86'400'000);
    EXPECT_TRUE(ui.sounds.empty())
        << "alarm text \"" << std::string(text, text + wcslen(text)) << '"';
  }
  EXPECT_EQ(alarmBoxes(), 0);
}

// A stalled process gets one late tick: an alarm it skipped by up to a minute
// still rings, once; a longer jump reports it as missed, without the tone.
TEST_F(AlarmTest, ALateTickFiresTheSkippedAlarmOnce) {
  arm(L"07:30:00");
  ui.advance(4'000);  // 07:29:59 shown
  ui.stall(4'000);    // the tick lands at 07:30:03
  EXPECT_EQ(ui.caption(Ctl::Label1), L"07:30:03");
  EXPECT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(alarmBoxes(), 1);
  ui.advance(10'000);
  EXPECT_EQ(alarmBoxes(), 1);

  armWithOk(L"07", L"31", L"00");
  ui.advance(46'000);  // 07:30:59 shown
  ui.stall(62'000);    // 61 s late
  EXPECT_EQ(ui.sounds.size(), 1U);
  ASSERT_EQ(alarmBoxes(), 2);
  EXPECT_EQ(ui.boxes.back().text, app::missedAlarmText(L"wake up", L"07:31:00"));
}

// Woken a minute before the alarm, held off sleep from two minutes before until it has rung:
// released before the box waits for the user, and the next day's timer set; Reset cancels it.
TEST_F(AlarmTest, WakesTheComputerForTheAlarmAndHoldsOffSleepJustBeforeIt) {
  const long long today = platform::secondCount(ui.readClock()) - *app::secondOfDay(L"07:29:55");
  const auto at = [&](const wchar_t* clock, int day = 0) -> std::optional<long long> {
    return today + day * 86'400LL + *app::secondOfDay(clock);
  };
  ui.advance(1'000);
  armWithOk(L"07", L"35", L"00");
  EXPECT_EQ(ui.wakeTimers, std::vector{at(L"07:34:00")});
  ui.advance(183'000);  // 07:32:59: nothing asked while nothing changes
  EXPECT_EQ(ui.wakeTimers.size(), 1U);
  EXPECT_TRUE(ui.keepRunningCalls.empty());
  ui.advance(1'000);
  EXPECT_EQ(ui.keepRunningCalls, std::vector{true});
  std::vector<bool> heldAtBox;
  ui.answerBox = [&](const platform::headless::ShownBox&) {
    heldAtBox = ui.keepRunningCalls;
    return platform::kIdOk;
  };
  ui.advance(120'000);  // 07:35:00
  EXPECT_EQ(alarmBoxes(), 1);
  EXPECT_EQ(heldAtBox, (std::vector{true, false}));
  EXPECT_EQ(ui.wakeTimers.back(), at(L"07:34:00", 1));
  ui.click(Ctl::Command2);
  EXPECT_EQ(ui.wakeTimers.back(), std::nullopt);
  EXPECT_EQ(ui.keepRunningCalls.size(), 2U);
}

// Once per date holds for one alarm time: another time set the same day rings too.
TEST_F(AlarmTest, AnotherTimeTheSameDayRingsToo) {
  arm(L"07:30:00");
  ui.advance(5'000);
  arm(L"07:30:02");
  ui.advance(2'000);
  EXPECT_EQ(alarmBoxes(), 2);
}

TEST_F(AlarmTest, FiresTheNextDayAndEveryDayForThirtyDays) {
  arm(L"07:29:50");  // already passed today
  ui.advance(30LL * 86'400'000);
  EXPECT_EQ(ui.sounds.size(), 30U);
  EXPECT_EQ(alarmBoxes(), 30);
}

TEST_F(AlarmTest, KeepsFiringOnTheTonePageAndWhileHiddenInTheTray) {
  arm(L"07:30:00");
  ui.selectTab(Ctl::TabStrip1, 2);
  ASSERT_FALSE(ui.visible(Ctl::Fr2));
  ui.minimise();
  ASSERT_FALSE(ui.windowVisible());
  ui.advance(5'000);
  EXPECT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(alarmBoxes(), 1);
}

TEST_F(AlarmTest, EmptyMessageAndDefaultToneStillSoundAndShowTheBox) {
  arm(L"07:30:00", L"");
  ui.advance(5'000);
  ASSERT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(ui.sounds[0].name, L"");  // the sound service plays its default sound
  ASSERT_EQ(alarmBoxes(), 1);
  EXPECT_EQ(ui.boxes.back().text, L"");
}

TEST_F(AlarmTest, MissingToneFilePlaysWindowsDefaultSound) {
  arm(L"07:30:00");
  ui.setCaption(Ctl::Label6, L"Z:\\gone\\deleted.wav");
  ui.advance(5'000);
  ASSERT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(ui.sounds[0].name, L"");
  EXPECT_EQ(alarmBoxes(), 1);
}

// The box is modal but the clock goes on: a box left open for a day is joined
// by the next day's.
TEST_F(AlarmTest, TicksRunWhileTheBoxIsOpenAndBoxesStack) {
  arm(L"07:30:00");
  int depth = 0;
  int deepest = 0;
  ui.answerBox = [&](const platform::headless::ShownBox&) {
    ++depth;
    deepest = std::max(deepest, depth);
    if (depth == 1) {
      ui.advance(3'000);
      EXPECT_EQ(ui.caption(Ctl::Label1), L"07:30:03");
      ui.advance(86'400'000);
    }
    --depth;
    return platform::kIdOk;
  };
  ui.advance(5'000);
  EXPECT_EQ(alarmBoxes(), 2);
  EXPECT_EQ(deepest, 2);
}

using platform::headless::HeadlessForms;

struct ClockEventCase {
  const char* event;
  const wchar_t* start;  // "hh:mm:ss", the clock's first tick
  const wchar_t* alarm;
  void (*happen)(HeadlessForms& ui);
  std::size_t rings;  // tones, each followed by its box
  std::size_t missed;
};

constexpr long long kHourMs = 3'600'000;

void setClockTo(HeadlessForms& ui, int hour, int minute, int second) {
  ui.setClock({.year = 2026,
               .month = 3,
               .day = 14,
               .hour = hour,
               .minute = minute,
               .second = second,
               .millisecond = platform::kZoneSettleMs});
  ui.clockChangeNotice();
}

// The system applies a daylight-saving change 5 ms after the minute's boundary,
// as Wine does: the tick on the boundary still reads the old zone.
void changeZoneLate(HeadlessForms& ui, long long offsetMs) {
  ui.advance(5'000 - platform::kZoneSettleMs);
  ui.advance(5);
  ui.moveLocalTime(offsetMs);
  ui.advance(platform::kZoneSettleMs);
}

// The machine asleep for `Ms`, then woken, and the clock on for ten seconds.
template <long long Ms>
void sleepFor(HeadlessForms& ui) {
  ui.stall(Ms);
  ui.clockChangeNotice();
  ui.advance(10'000);
}

// Daylight saving is the local clock moved an hour just after the tick of the
// last second before the change.
void springForward(HeadlessForms& ui) {
  ui.advance(4'000);  // 01:59:59
  ui.moveLocalTime(kHourMs);
  ui.advance(1'000);
  EXPECT_EQ(ui.caption(Ctl::Label1), L"03:00:00");
}

// Each starts with the clock ticking on time a few seconds before the alarm.
TEST(ClockEvents, TheClockJumpsStallsAndGoesBackAndEachAlarmIsSettledOnce) {
  const ClockEventCase cases[] = {
      {"spring forward, alarm at the first second after the jump", L"01:59:55", L"03:00:00",
       springForward, 1, 0},
      {"spring forward, alarm inside the skipped hour", L"01:59:55", L"02:30:00", springForward, 1,
       0},
      {"fall back, alarm inside the repeated hour", L"02:29:55", L"02:30:00",
       [](HeadlessForms& ui) {
         ui.advance(1'804'000);  // 02:59:59
         ui.moveLocalTime(-kHourMs);
         ui.advance(kHourMs);
       },
       1, 0},
      {"spring forward applied 5 ms late, alarm at the first daylight second", L"01:59:55",
       L"03:00:00",
       [](HeadlessForms& ui) {
         changeZoneLate(ui, kHourMs);
         EXPECT_EQ(ui.sounds.size(), 1U) << "on time";
       },
       1, 0},
      {"fall back applied 5 ms late, alarm at the changeover second", L"02:59:55", L"03:00:00",
       [](HeadlessForms& ui) {
         changeZoneLate(ui, -kHourMs);
         EXPECT_EQ(ui.caption(Ctl::Label1), L"02:00:00");
         EXPECT_TRUE(ui.sounds.empty()) << "not an hour early";
         ui.advance(kHourMs);
       },
       1, 0},
      {"a stall of 45 s across the alarm", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) {
         ui.advance(4'000);
         ui.stall(45'000);
         ui.advance(10'000);
       },
       1, 0},
      {"sleep of 70 s across the alarm", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) {
         ui.advance(4'000);
         ui.stall(70'000);
         ui.clockChangeNotice();
       },
       0, 1},
      {"sleep from 23:00, woken 3 s after the alarm", L"22:59:55", L"07:00:00",
       sleepFor<8 * kHourMs + 8'000>, 1, 0},
      {"sleep from 23:00, woken 2 min after the alarm", L"22:59:55", L"07:00:00",
       sleepFor<8 * kHourMs + 125'000>, 0, 1},
      {"sleep over two days", L"07:29:55", L"07:30:00", sleepFor<48 * kHourMs + 120'000>, 0, 1},
      {"clock set forward 30 s past the alarm", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) { setClockTo(ui, 7, 30, 30); }, 1, 0},
      {"clock set forward 5 min past the alarm", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) { setClockTo(ui, 7, 35, 0); }, 0, 1},
      {"clock set forward 3 h past the alarm", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) { setClockTo(ui, 10, 30, 0); }, 0, 1},
      {"clock set back after it rang", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) {
         ui.advance(5'000);
         setClockTo(ui, 7, 29, 50);
         ui.advance(20'000);
       },
       1, 0},
      {"zone changed westward after it rang", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) {
         ui.advance(5'000);
         ui.moveLocalTime(-kHourMs);
         ui.clockChangeNotice();
         ui.advance(kHourMs + 10'000);
       },
       1, 0},
      {"\"&Ok\" again after it rang, for a later time the same day", L"07:29:55", L"07:30:00",
       [](HeadlessForms& ui) {
         ui.advance(5'000);
         ui.setText(Ctl::Text3, L"10");
         ui.click(Ctl::Command1);
         ui.advance(10'000);
       },
       2, 0},
  };
  for (const auto& c : cases) {
    // Started a second early, so that the first tick shows `start`.
    const int start = *app::secondOfDay(c.start) - 1;
    const std::wstring dueText = c.alarm;
    HeadlessForms ui{app::form1Design()};
    app::Form1 form{ui, ui};
    ui.setClock({.year = 2026,
                 .month = 3,
                 .day = 14,
                 .hour = start / 3600,
                 .minute = start / 60 % 60,
                 .second = start % 60});
    ui.start(form);
    ui.advance(platform::kMsPerSecond + platform::kZoneSettleMs);
    ui.setText(Ctl::Text1, dueText.substr(0, 2));
    ui.setText(Ctl::Text2, dueText.substr(3, 2));
    ui.setText(Ctl::Text3, dueText.substr(6, 2));
    ui.setText(Ctl::Text5, L"wake up");
    ui.click(Ctl::Command1);

    c.happen(ui);
    EXPECT_EQ(ui.sounds.size(), c.rings) << c.event;
    std::size_t missed = 0;
    for (const auto& box : ui.boxes) {
      if (box.style == platform::kMbIconInformation) {
        EXPECT_EQ(box.text, L"wake up") << c.event;
      } else {
        ++missed;
        EXPECT_EQ(box.text, app::missedAlarmText(L"wake up", dueText)) << c.event;
        EXPECT_EQ(box.title, L"PESAN") << c.event;
      }
    }
    EXPECT_EQ(ui.boxes.size() - missed, c.rings) << c.event;
    EXPECT_EQ(missed, c.missed) << c.event;
    // Settled: the system free to sleep again, and woken for the next day's alarm.
    EXPECT_TRUE(ui.keepRunningCalls.empty() || !ui.keepRunningCalls.back()) << c.event;
    const auto wake = ui.wakeTimers.empty() ? std::nullopt : ui.wakeTimers.back();
    const long long occurrence = wake ? ui.localSecondAt(*wake + app::kWakeLeadSeconds) : 0;
    const long long now = platform::secondCount(ui.readClock());
    EXPECT_EQ(occurrence % 86'400, *app::secondOfDay(ui.caption(Ctl::Label4))) << c.event;
    EXPECT_TRUE(occurrence > now && occurrence - now <= 86'400) << c.event;
  }
}

TEST(MissedAlarmText, TheMessageThenWhenTheAlarmWasDue) {
  EXPECT_EQ(app::missedAlarmText(L"stand up", L"07:30:00"),
            L"stand up\r\n\r\nThe alarm due at 07:30:00 could not ring on time.");
  EXPECT_EQ(app::missedAlarmText(L"", L"07:30:00"),
            L"The alarm due at 07:30:00 could not ring on time.");
}

}  // namespace
}  // namespace tolvane_test
