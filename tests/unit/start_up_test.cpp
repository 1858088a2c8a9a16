#include "platform/start_failure.h"
#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

TEST_F(FormTest, StartsInTheDesignedState) {
  EXPECT_EQ(ui.initCommonControlsCalls, 1);
  EXPECT_FALSE(ui.controlsExistedAtInitCommonControls);
  EXPECT_TRUE(ui.windowVisible());
  EXPECT_EQ(ui.windowState(), platform::WindowState::Normal);
  EXPECT_EQ(ui.selectedTab(Ctl::TabStrip1), 1);
  EXPECT_EQ(ui.focused(), Ctl::TabStrip1);
  EXPECT_TRUE(ui.visible(Ctl::Fr2));
  EXPECT_TRUE(ui.visible(Ctl::Fr3));
  EXPECT_FALSE(ui.visible(Ctl::Label6));
  EXPECT_TRUE(ui.enabled(Ctl::Command3));
  EXPECT_FALSE(ui.selected(Ctl::Option1));
  EXPECT_FALSE(ui.selected(Ctl::Option2));
  EXPECT_EQ(ui.caption(Ctl::Label8), L"In the default option, the tone just \"plung!\".");
}

TEST_F(FormTest, ClockReadsClockUntilTheFirstTick) {
  EXPECT_EQ(ui.caption(Ctl::Label1), L"clock");
  // The clock was set to 07:29:55.000, so the first tick is at :56.
  ui.advance(999 - platform::kZoneSettleMs);
  EXPECT_EQ(ui.caption(Ctl::Label1), L"clock");
  ui.advance(1);
  EXPECT_EQ(ui.caption(Ctl::Label1), L"07:29:56");
}

// Tab walks the tab indexes, not the z-order, and reaches controls that the
// alarm page covers until a tab is first clicked.
TEST_F(FormTest, TabFollowsTabIndexesIncludingCoveredControls) {
  const std::vector<Ctl> expected{Ctl::Text4, Ctl::Command3, Ctl::Option2,  Ctl::Option1,
                                  Ctl::Text3, Ctl::Text5,    Ctl::Command2, Ctl::Command1,
                                  Ctl::Text2, Ctl::Text1,    Ctl::TabStrip1};
  std::vector<Ctl> seen;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ui.pressTab();
    seen.push_back(ui.focused());
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(FormTest, TabSkipsHiddenAndDisabledControlsAndGoesBackwards) {
  ui.selectTab(Ctl::TabStrip1, 1);  // hides the tone page
  ui.pressTab();
  EXPECT_EQ(ui.focused(), Ctl::Option2);  // the options belong to the window, not the page
  ui.setEnabled(Ctl::Text3, false);
  ui.pressTab(/*backwards=*/false);
  ui.pressTab();
  EXPECT_EQ(ui.focused(), Ctl::Text5);
  ui.pressTab(/*backwards=*/true);
  EXPECT_EQ(ui.focused(), Ctl::Option1);
}

// A window that cannot be built must not leave an invisible process behind.
// A control that cannot be created, or a timer the system refuses (a clock that never ticks
// would let every alarm pass unseen), stops the start.
TEST(StartUpFailure, NamesWhatFailedAndEndsWithAnErrorCode) {
  for (const bool timersRefused : {false, true}) {
    platform::headless::HeadlessForms ui(app::form1Design());
    app::Form1 form(ui, ui);
    if (timersRefused) {
      ui.systemTimersFail = true;
    } else {
      ui.failCreating = Ctl::Text3;
    }
    EXPECT_EQ(ui.start(form), platform::kExitStartFailed);
    ASSERT_EQ(ui.boxes.size(), 1U);
    const wchar_t* what = timersRefused ? L"Tmrballoon" : L"Text3";
    EXPECT_NE(ui.boxes[0].text.find(what), std::wstring::npos) << ui.boxes[0].text;
    EXPECT_EQ(ui.boxes[0].style, platform::kMbIconError);
    EXPECT_FALSE(ui.windowVisible());
    EXPECT_TRUE(ui.notifications.empty());  // load never ran, so no icon is left behind
  }
}

}  // namespace
}  // namespace tolvane_test
