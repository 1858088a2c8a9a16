#include "app/clock.h"

#include <string>

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
  int alarmBoxes() const {
    int n = 0;
    for (const auto& box : ui.boxes) n += box.title == L"PESAN" ? 1 : 0;
    return n;
  }
};

TEST_F(AlarmTest, FiresOnceInTheMatchingSecondSoundFirstThenTheBox) {
  arm(L"07:30:00", L"stand up");
  ui.setText(Ctl::Label6, L"C:\\tones\\bell.wav");
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
  EXPECT_EQ(ui.sounds[0].flags, 0U);
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
// still rings, once; a longer jump rings nothing it skipped.
TEST_F(AlarmTest, ALateTickFiresTheSkippedAlarmOnce) {
  arm(L"07:30:00");
  ui.advance(4'000);  // 07:29:59 shown
  ui.stall(4'000);    // the tick lands at 07:30:03
  EXPECT_EQ(ui.caption(Ctl::Label1), L"07:30:03");
  EXPECT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(alarmBoxes(), 1);
  ui.advance(10'000);
  EXPECT_EQ(alarmBoxes(), 1);

  arm(L"07:31:00");
  ui.advance(46'000);  // 07:30:59 shown
  ui.stall(61'000);
  EXPECT_EQ(alarmBoxes(), 1);
}

TEST_F(AlarmTest, FiresTheNextDayAndEveryDayForThirtyDays) {
  arm(L"07:29:50");  // already passed today
  ui.advance(30LL * 86'400'000);
  EXPECT_EQ(ui.sounds.size(), 30U);
  EXPECT_EQ(alarmBoxes(), 30);
}

TEST_F(AlarmTest, KeepsFiringOnTheTonePageAndWhileHiddenInTheTray) {
  arm(L"07:30:00");
  ui.selectTab(2);
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

TEST_F(AlarmTest, MissingToneFileIsStillHandedToTheSoundService) {
  arm(L"07:30:00");
  ui.setCaption(Ctl::Label6, L"Z:\\gone\\deleted.wav");
  ui.advance(5'000);
  ASSERT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(ui.sounds[0].name, L"Z:\\gone\\deleted.wav");
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

}  // namespace
}  // namespace tolvane_test
