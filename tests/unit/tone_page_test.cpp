#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

class TonePageTest : public FormTest {
 protected:
  void chooseFile(const std::wstring& path) {
    ui.answerOpen = [path] { return std::optional<std::wstring>(path); };
    ui.click(Ctl::Command3);
  }
};

TEST_F(TonePageTest, TabsSwitchThePagesAndTheTonePageFocusesDefault) {
  ui.selectTab(Ctl::TabStrip1, 2);
  EXPECT_FALSE(ui.visible(Ctl::Fr2));
  EXPECT_TRUE(ui.visible(Ctl::Fr3));
  EXPECT_EQ(ui.focused(), Ctl::Option1);
  // As with the system's option buttons, the focus alone selects nothing and runs no click.
  EXPECT_FALSE(ui.selected(Ctl::Option1));
  EXPECT_TRUE(ui.enabled(Ctl::Command3));

  ui.selectTab(Ctl::TabStrip1, 1);
  EXPECT_TRUE(ui.visible(Ctl::Fr2));
  EXPECT_FALSE(ui.visible(Ctl::Fr3));
  ui.selectTab(Ctl::TabStrip1, 1);  // the selected tab again: the same settings
  EXPECT_TRUE(ui.visible(Ctl::Fr2));
  EXPECT_FALSE(ui.visible(Ctl::Fr3));
}

TEST_F(TonePageTest, KeysTurnThePagesAndPickTheOptionsAsClicksDo) {
  ui.pressCtrlTab();
  EXPECT_EQ(ui.selectedTab(Ctl::TabStrip1), 2);
  EXPECT_TRUE(ui.visible(Ctl::Fr3));
  EXPECT_EQ(ui.focused(), Ctl::Option1);
  EXPECT_FALSE(ui.selected(Ctl::Option1));
  ui.pressArrow(true);
  EXPECT_EQ(ui.focused(), Ctl::Option2);
  EXPECT_TRUE(ui.selected(Ctl::Option2));
  EXPECT_TRUE(ui.enabled(Ctl::Command3));
  ui.pressArrow(true);  // wraps round the group
  EXPECT_TRUE(ui.selected(Ctl::Option1));
  EXPECT_FALSE(ui.enabled(Ctl::Command3));
  ui.setFocus(Ctl::Text4);
  ui.pressCtrlTab(true);
  EXPECT_EQ(ui.selectedTab(Ctl::TabStrip1), 1);
  EXPECT_TRUE(ui.visible(Ctl::Fr2));
  EXPECT_EQ(ui.focused(), Ctl::TabStrip1);  // not the field the page turn hid

  ui.setFocus(Ctl::Command2);
  ui.setText(Ctl::Text1, L"07");
  ui.pressEnter();
  EXPECT_EQ(ui.text(Ctl::Text1), L"");  // Enter pressed "&Reset"
  EXPECT_EQ(ui.focused(), Ctl::Text1);
}

TEST_F(TonePageTest, OptionsOnlyEnableAndDisableTheChooser) {
  ui.selectTab(Ctl::TabStrip1, 2);
  ui.click(Ctl::Option2);
  EXPECT_TRUE(ui.enabled(Ctl::Command3));
  EXPECT_FALSE(ui.selected(Ctl::Option1));
  ui.click(Ctl::Option1);
  EXPECT_FALSE(ui.enabled(Ctl::Command3));
  ui.click(Ctl::Command3);  // disabled: nothing opens
  EXPECT_TRUE(ui.openFilters.empty());
}

TEST_F(TonePageTest, ChosenFileGoesToTheTonePathAndTheShownPath) {
  chooseFile(L"C:\\Media\\chimes.wav");
  ASSERT_EQ(ui.openFilters.size(), 1U);
  EXPECT_EQ(ui.openFilters[0], L"(*.wav)|*.wav|");
  EXPECT_EQ(ui.caption(Ctl::Label6), L"C:\\Media\\chimes.wav");
  EXPECT_EQ(ui.text(Ctl::Text4), L"C:\\Media\\chimes.wav");
}

TEST_F(TonePageTest, CancelKeepsThePreviousChoice) {
  chooseFile(L"C:\\Media\\chimes.wav");
  ui.answerOpen = [] { return std::optional<std::wstring>(); };
  ui.click(Ctl::Command3);
  EXPECT_EQ(ui.caption(Ctl::Label6), L"C:\\Media\\chimes.wav");
  EXPECT_EQ(ui.text(Ctl::Text4), L"C:\\Media\\chimes.wav");
}

// What the page shows as chosen is what plays: "Default" plays the default
// sound but keeps the chosen file, which "Chose tone" plays again; edits of the
// shown path leave the tone path alone.
TEST_F(TonePageTest, DefaultPlaysTheDefaultSoundAndKeepsTheChosenFile) {
  ui.selectTab(Ctl::TabStrip1, 2);
  ui.click(Ctl::Option2);
  chooseFile(L"C:\\Media\\chimes.wav");
  ui.readableWaveFiles.emplace_back(L"C:\\Media\\chimes.wav");
  ui.click(Ctl::Option1);
  ui.setFocus(Ctl::Text4);
  ui.type(u"xyz");
  EXPECT_EQ(ui.text(Ctl::Text4), L"C:\\Media\\chimes.wavxyz");
  ui.setCaption(Ctl::Label4, L"07:30:00");
  ui.advance(5'000);
  ui.click(Ctl::Option2);
  ui.advance(86'400'000);
  ASSERT_EQ(ui.sounds.size(), 2U);
  EXPECT_EQ(ui.sounds[0].name, L"");
  EXPECT_EQ(ui.sounds[1].name, L"C:\\Media\\chimes.wav");
  EXPECT_EQ(ui.caption(Ctl::Label6), L"C:\\Media\\chimes.wav");
}

}  // namespace
}  // namespace tolvane_test
