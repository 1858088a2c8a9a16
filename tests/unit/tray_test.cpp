#include "tray/tray.h"

#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

using platform::NotifyIconDataA;
using platform::headless::HeadlessForms;
using platform::headless::ShownBox;

// A text field holds the text, one NUL, then spaces to its width.
template <std::size_t N>
void expectField(const char (&field)[N], std::string_view text) {
  ASSERT_LT(text.size(), N);
  EXPECT_EQ(std::string_view(field, text.size()), text);
  EXPECT_EQ(field[text.size()], '\0');
  for (std::size_t i = text.size() + 1; i < N; ++i) ASSERT_EQ(field[i], ' ') << "offset " << i;
}

TEST(TrayRecord, TextFieldsAreFilledAndCutSoTheNulStaysInside) {
  char field[8];
  tray::fillTextField(field, "abc");
  EXPECT_EQ(std::string_view(field, 8), std::string_view("abc\0    ", 8));
  tray::fillTextField(field, "1234567");
  EXPECT_EQ(std::string_view(field, 8), std::string_view("1234567\0", 8));
  tray::fillTextField(field, "123456789");
  EXPECT_EQ(std::string_view(field, 8), std::string_view("1234567\0", 8));
  tray::fillTextField(field, "");
  EXPECT_EQ(std::string_view(field, 8), std::string_view("\0       ", 8));
}

TEST_F(FormTest, LoadAddsTheIconWithItsTip) {
  ASSERT_EQ(ui.notifications.size(), 1U);
  const auto& [message, r] = ui.notifications[0];
  EXPECT_EQ(message, platform::kNimAdd);
  EXPECT_EQ(r.cbSize, 488U);
  EXPECT_EQ(r.hWnd, HeadlessForms::kWindowHandle);
  EXPECT_EQ(r.uID, 1U);
  EXPECT_EQ(r.uFlags, 7U);
  EXPECT_EQ(r.uCallbackMessage, 0x200U);
  EXPECT_EQ(r.hIcon, HeadlessForms::kIconHandle);
  expectField(r.szTip, "Pralvik by Ferrowin");
  EXPECT_EQ(r.dwState, 0U);
  EXPECT_EQ(r.dwStateMask, 0U);
  EXPECT_EQ(r.uTimeout, 0U);
  EXPECT_EQ(r.dwInfoFlags, 0U);
}

TEST_F(FormTest, MinimiseHidesAndShowsTheBalloonForSixSeconds) {
  ui.advance(6'000);  // the balloon timer's first tick, after start-up
  EXPECT_FALSE(ui.enabled(Ctl::Tmrballoon));
  ui.notifications.clear();

  ui.minimise();
  EXPECT_FALSE(ui.windowVisible());
  EXPECT_TRUE(ui.enabled(Ctl::Tmrballoon));
  ASSERT_EQ(ui.notifications.size(), 2U);  // the old balloon withdrawn, then the new one
  expectField(ui.notifications[0].record.szInfo, "");
  const NotifyIconDataA& shown = ui.notifications[1].record;
  EXPECT_EQ(ui.notifications[1].message, platform::kNimModify);
  EXPECT_EQ(shown.uFlags, 0x17U);
  expectField(shown.szInfo, "TOLVANE Active");
  expectField(shown.szInfoTitle, "Tolvane");
  EXPECT_EQ(shown.dwInfoFlags, 2U);
  expectField(shown.szTip, "Pralvik by Ferrowin");

  ui.advance(5'999);
  EXPECT_EQ(ui.notifications.size(), 2U);
  ui.advance(1);
  ASSERT_EQ(ui.notifications.size(), 3U);
  expectField(ui.notifications[2].record.szInfo, "");
  expectField(ui.notifications[2].record.szInfoTitle, "");
  EXPECT_EQ(ui.notifications[2].record.dwInfoFlags, 2U);  // kept
  EXPECT_FALSE(ui.enabled(Ctl::Tmrballoon));
}

TEST_F(FormTest, MinimiseAgainWithinSixSecondsShowsTheBalloonAnewAndRestartsTheCount) {
  ui.minimise();
  ui.advance(4'000);
  ui.setWindowState(platform::WindowState::Normal);
  ui.show();
  ui.minimise();
  ui.notifications.clear();
  ui.advance(5'999);
  EXPECT_TRUE(ui.notifications.empty());
  ui.advance(1);
  EXPECT_EQ(ui.notifications.size(), 1U);
}

TEST_F(FormTest, OnlyMinimisingHidesTheWindowOrRaisesTheBalloon) {
  ui.advance(6'000);
  ui.notifications.clear();
  ui.resizeByBorder();
  EXPECT_TRUE(ui.windowVisible());
  EXPECT_FALSE(ui.enabled(Ctl::Tmrballoon));
  EXPECT_TRUE(ui.notifications.empty());

  ui.minimise();
  ui.advance(6'000);
  ui.notifications.clear();
  ui.answerPopup = [](Ctl) { return std::optional<Ctl>(Ctl::show); };
  ui.iconCallback(platform::kWmRButtonDown);
  EXPECT_TRUE(ui.windowVisible());
  EXPECT_TRUE(ui.notifications.empty()) << "restoring from the tray raised a balloon";
  EXPECT_FALSE(ui.enabled(Ctl::Tmrballoon));
}

TEST_F(FormTest, TheBalloonTimerNeverRunsTheClock) {
  ui.setEnabled(Ctl::Timer1, false);
  ui.setCaption(Ctl::Label4, L"07:30:01");  // the second the balloon timer ticks in
  ui.advance(6'000);
  EXPECT_FALSE(ui.enabled(Ctl::Tmrballoon));
  EXPECT_EQ(ui.caption(Ctl::Label1), L"clock");
  EXPECT_TRUE(ui.sounds.empty());
}

TEST_F(FormTest, UnloadRemovesTheIconWithTheRecordUnchanged) {
  ui.minimise();
  const NotifyIconDataA before = ui.notifications.back().record;
  ui.answerBox = [](const ShownBox&) { return platform::kIdYes; };
  ui.requestClose();
  ASSERT_EQ(ui.notifications.back().message, platform::kNimDelete);
  EXPECT_EQ(std::memcmp(&ui.notifications.back().record, &before, sizeof before), 0);
}

struct CallbackCase {
  int message;
  bool foreground;
  bool popup;
};

TEST_F(FormTest, IconCallbacksFollowTheDispatchTable) {
  const CallbackCase cases[] = {
      {0x200, false, false}, {0x201, true, false}, {0x202, true, false},  {0x203, true, false},
      {0x204, true, true},   {0x205, true, false}, {0x206, true, false},  {0x207, true, false},
      {0x208, true, false},  {0x209, true, false}, {0x20A, false, false}, {0x402, false, false},
      {0x404, false, false}, {0x405, true, false}, {0x1FF, false, false}, {0, false, false},
  };
  for (const auto& c : cases) {
    ui.foregroundCalls.clear();
    ui.popups.clear();
    ui.iconCallback(c.message);
    EXPECT_EQ(ui.foregroundCalls.size(), c.foreground ? 1U : 0U) << std::hex << c.message;
    if (c.foreground && !ui.foregroundCalls.empty()) {
      EXPECT_EQ(ui.foregroundCalls[0], HeadlessForms::kWindowHandle);
    }
    EXPECT_EQ(ui.popups.size(), c.popup ? 1U : 0U) << std::hex << c.message;
    if (c.popup && !ui.popups.empty()) {
      EXPECT_EQ(ui.popups[0], Ctl::mnutray);
    }
  }
}

TEST_F(FormTest, PopupShowRestoresTheHiddenWindow) {
  ui.minimise();
  ui.answerPopup = [](Ctl) { return std::optional<Ctl>(Ctl::show); };
  ui.iconCallback(platform::kWmRButtonDown);
  EXPECT_TRUE(ui.windowVisible());
  EXPECT_EQ(ui.windowState(), platform::WindowState::Normal);
  ui.iconCallback(platform::kWmRButtonDown);  // already shown: stays shown and normal
  EXPECT_TRUE(ui.windowVisible());
  EXPECT_EQ(ui.windowState(), platform::WindowState::Normal);
}

TEST_F(FormTest, PopupExitAsksAndNoKeepsTheWindowHiddenAndTheIcon) {
  ui.minimise();
  const auto calls = ui.notifications.size();
  ui.answerPopup = [](Ctl) { return std::optional<Ctl>(Ctl::exit); };
  ui.iconCallback(platform::kWmRButtonDown);
  ASSERT_EQ(ui.boxes.size(), 1U);
  EXPECT_EQ(ui.boxes[0].title, L"Exit?");
  EXPECT_FALSE(ui.unloaded());
  EXPECT_FALSE(ui.windowVisible());
  EXPECT_EQ(ui.notifications.size(), calls);

  ui.answerBox = [](const ShownBox&) { return platform::kIdYes; };
  ui.iconCallback(platform::kWmRButtonDown);
  EXPECT_TRUE(ui.unloaded());
  EXPECT_EQ(ui.notifications.back().message, platform::kNimDelete);
}

// The window hides only behind an icon that can bring it back.
TEST_F(FormTest, MinimiseAddsALostIconAgainBeforeHiding) {
  ui.shellForgetsIcon();
  ui.minimise();
  EXPECT_EQ(ui.notifications.back().message, platform::kNimAdd);
  expectField(ui.notifications.back().record.szInfo,
              "TOLVANE Active");  // the balloon comes with it
  EXPECT_TRUE(ui.iconShown());
  EXPECT_FALSE(ui.windowVisible());
  EXPECT_TRUE(ui.enabled(Ctl::Tmrballoon));
}

TEST_F(FormTest, MinimiseWithNoNotificationAreaStaysOnTheTaskbar) {
  ui.shellPresent = false;
  ui.shellForgetsIcon();
  ui.advance(6'000);
  ui.minimise();
  EXPECT_TRUE(ui.windowVisible());
  EXPECT_EQ(ui.windowState(), platform::WindowState::Minimised);
  EXPECT_FALSE(ui.enabled(Ctl::Tmrballoon));
  ui.setWindowState(platform::WindowState::Normal);  // restored from the taskbar
  EXPECT_TRUE(ui.windowVisible());
}

TEST_F(FormTest, ShellRestartAddsTheSameIconAgain) {
  ui.minimise();
  const NotifyIconDataA current = ui.notifications.back().record;
  ui.notificationAreaRestarted();
  EXPECT_EQ(ui.notifications.back().message, platform::kNimAdd);
  EXPECT_EQ(std::memcmp(&ui.notifications.back().record, &current, sizeof current), 0);
}

TEST(TrayRecord, ClearBalloonBeforeAnyBalloonIsHarmless) {
  HeadlessForms ui(app::form1Design());
  tray::Tray icon(ui);
  icon.ClearBalloon();
  ASSERT_EQ(ui.notifications.size(), 1U);
  EXPECT_EQ(ui.notifications[0].message, platform::kNimModify);
  expectField(ui.notifications[0].record.szInfo, "");
}

TEST(TrayRecord, LongestTipIsKeptWholeAndLongerTextsAreCut) {
  HeadlessForms ui(app::form1Design());
  tray::Tray icon(ui);
  const std::wstring tip(127, L't');
  icon.AddTrayIcon(1, 2, tip);
  expectField(icon.record().szTip, std::string(127, 't'));
  icon.AddTrayIcon(1, 2, std::wstring(500, L'u'));
  expectField(icon.record().szTip, std::string(127, 'u'));
  icon.ShowBalloon(std::wstring(300, L'i'), std::wstring(70, L'T'), 1);
  expectField(icon.record().szInfo, std::string(255, 'i'));
  expectField(icon.record().szInfoTitle, std::string(63, 'T'));
}

// Any text of any length keeps every field NUL-terminated inside its width.
TEST(TrayRecord, RandomTextsKeepEveryFieldTerminated) {
  const unsigned seed = 7001;
  std::printf("random tray texts, seed %u\n", seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> length(0, 600);
  std::uniform_int_distribution<int> character(1, 0xFFFF);
  const auto text = [&] {
    std::wstring s(static_cast<std::size_t>(length(random)), L' ');
    for (auto& ch : s) ch = static_cast<wchar_t>(character(random));
    return s;
  };
  HeadlessForms ui(app::form1Design());
  tray::Tray icon(ui);
  for (int i = 0; i < 2'000; ++i) {
    icon.AddTrayIcon(1, 2, text());
    icon.ShowBalloon(text(), text(), 2);
    const NotifyIconDataA& r = icon.record();
    ASSERT_EQ(r.cbSize, 488U) << "seed " << seed;
    ASSERT_NE(std::memchr(r.szTip, 0, sizeof r.szTip), nullptr) << "seed " << seed;
    ASSERT_NE(std::memchr(r.szInfo, 0, sizeof r.szInfo), nullptr) << "seed " << seed;
    ASSERT_NE(std::memchr(r.szInfoTitle, 0, sizeof r.szInfoTitle), nullptr) << "seed " << seed;
  }
}

}  // namespace
}  // namespace tolvane_test
