#include <new>

#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

using platform::headless::ShownBox;

const wchar_t kExitQuestion[] = L"Are you sure? but alarm not running\r\nMinimaze to running alarm";

struct BoxCase {
  Ctl item;
  const wchar_t* text;
  const wchar_t* title;
};

TEST_F(FormTest, MenuItemsShowTheirBoxes) {
  const BoxCase cases[] = {
      {Ctl::wavha, L"Tone format *.wav can be found on google", L"wav?"},
      {Ctl::mnuabout, L"Pralvik by Ferrowin\r\nhttps://ferrowin.example", L"About"},
      {Ctl::about, L"Pralvik by Ferrowin\r\nhttps://ferrowin.example", L"About"},
  };
  for (const auto& c : cases) {
    ui.boxes.clear();
    ui.click(c.item);
    ASSERT_EQ(ui.boxes.size(), 1U);
    EXPECT_EQ(ui.boxes[0].text, c.text);
    EXPECT_EQ(ui.boxes[0].title, c.title);
    EXPECT_EQ(ui.boxes[0].style, platform::kMbIconInformation);
  }
}

TEST_F(FormTest, ConfirmExitReturnsCancelAsASixteenBitBoolean) {
  const std::pair<int, platform::Bool16> cases[] = {
      {platform::kIdYes, 0}, {platform::kIdNo, -1}, {platform::kIdOk, -1}, {0, -1}};
  for (const auto& [answerCode, cancel] : cases) {
    const int answer = answerCode;
    ui.answerBox = [answer](const ShownBox&) { return answer; };
    EXPECT_EQ(form.ConfirmExit(L"Leaving?"), cancel) << "answer " << answer;
    EXPECT_EQ(ui.boxes.back().text, kExitQuestion);
    EXPECT_EQ(ui.boxes.back().title, L"Leaving?");
    EXPECT_EQ(ui.boxes.back().style, platform::kMbYesNo | platform::kMbIconQuestion);
  }
}

TEST_F(FormTest, NoToTheCloseQuestionChangesNothing) {
  ui.setText(Ctl::Text1, L"07");
  ui.setCaption(Ctl::Label4, L"07:30:00");
  ui.setLocked(Ctl::Text5, true);
  ui.minimise();
  const auto callsBefore = ui.notifications.size();
  ui.answerBox = [](const ShownBox&) { return platform::kIdNo; };

  EXPECT_FALSE(ui.requestClose());
  ASSERT_EQ(ui.boxes.size(), 1U);
  EXPECT_EQ(ui.boxes[0].title, L"Exit?");
  EXPECT_FALSE(ui.unloaded());
  EXPECT_FALSE(ui.windowVisible());
  EXPECT_EQ(ui.text(Ctl::Text1), L"07");
  EXPECT_EQ(ui.caption(Ctl::Label4), L"07:30:00");
  EXPECT_TRUE(ui.locked(Ctl::Text5));
  EXPECT_EQ(ui.notifications.size(), callsBefore);  // the icon stays
  ui.advance(5'000);
  EXPECT_EQ(ui.sounds.size(), 1U);  // and the alarm still runs
}

TEST_F(FormTest, YesUnloadsOnceAndRemovesTheIcon) {
  ui.answerBox = [](const ShownBox&) { return platform::kIdYes; };
  EXPECT_TRUE(
      ui.requestClose(platform::UnloadMode::SessionEnd));  // Windows ending the session asks too
  EXPECT_EQ(ui.boxes.size(), 1U);
  EXPECT_EQ(ui.unloadCount, 1);
  EXPECT_EQ(ui.notifications.back().message, platform::kNimDelete);
  EXPECT_TRUE(ui.requestClose());
  EXPECT_EQ(ui.unloadCount, 1);
  EXPECT_EQ(ui.boxes.size(), 1U);
}

// "Exit" chosen from the icon's menu while the question is open asks nothing more.
TEST_F(FormTest, ACloseRequestDuringTheQuestionIsNotAskedTwice) {
  bool askedAgain = false;
  ui.answerBox = [&](const ShownBox&) {
    if (ui.boxes.size() == 1) ui.click(Ctl::exit);
    askedAgain = ui.boxes.size() > 1;
    return platform::kIdYes;
  };
  EXPECT_TRUE(ui.requestClose());
  EXPECT_FALSE(askedAgain);
  EXPECT_EQ(ui.boxes.size(), 1U);
  EXPECT_EQ(ui.unloadCount, 1);
}

// The Win32 window drops a message whose handling ran out of memory and goes on.
TEST_F(FormTest, AQuestionThatFailedDoesNotRefuseTheNextClose) {
  ui.answerBox = [](const ShownBox&) -> int { throw std::bad_alloc(); };
  EXPECT_THROW(ui.requestClose(), std::bad_alloc);
  ui.answerBox = nullptr;
  EXPECT_FALSE(ui.requestClose());
  EXPECT_EQ(ui.boxes.size(), 2U);  // asked again
}

}  // namespace
}  // namespace tolvane_test
