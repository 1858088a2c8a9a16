#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <random>
#include <string>

#include "app/alarm_time.h"
#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

class EntryTest : public FormTest {
 protected:
  EntryTest() { ui.setFocus(Ctl::Text1); }
  int errorBoxes() const {
    int n = 0;
    for (const auto& box : ui.boxes) {
      n += box.title == L"ERROR" && box.text == L"Inputan harus berupa angka" &&
                   box.style == platform::kMbIconError
               ? 1
               : 0;
    }
    return n;
  }
};

TEST_F(EntryTest, SixDigitsFillTheThreeFieldsAndMoveOnToTheMessage) {
  ui.type(u"073000");
  EXPECT_EQ(ui.text(Ctl::Text1), L"07");
  EXPECT_EQ(ui.text(Ctl::Text2), L"30");
  EXPECT_EQ(ui.text(Ctl::Text3), L"00");
  EXPECT_EQ(ui.focused(), Ctl::Text5);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EntryTest, OneDigitKeepsTheFocusTheSecondMovesItButLandsHere) {
  ui.type(u"0");
  EXPECT_EQ(ui.focused(), Ctl::Text1);
  ui.type(u"7");
  EXPECT_EQ(ui.focused(), Ctl::Text2);
  EXPECT_EQ(ui.text(Ctl::Text1), L"07");
  EXPECT_EQ(ui.text(Ctl::Text2), L"");
}

// Letters, Backspace, Enter and Ctrl+V all lie outside "0".."9".
TEST_F(EntryTest, NonDigitsRaiseTheErrorEmptyTheFieldAndKeepTheFocus) {
  for (char16_t key : {u'a', u'Z', u' ', u'/', u':', char16_t{8}, char16_t{13}, char16_t{22}}) {
    ui.boxes.clear();
    ui.setText(Ctl::Text2, L"3");
    ui.setFocus(Ctl::Text2);
    ui.type(std::u16string(1, key));
    EXPECT_EQ(errorBoxes(), 1) << "key " << static_cast<int>(key);
    EXPECT_EQ(ui.text(Ctl::Text2), L"") << "key " << static_cast<int>(key);
    EXPECT_EQ(ui.focused(), Ctl::Text2) << "key " << static_cast<int>(key);
  }
}

TEST_F(EntryTest, LengthIsTestedBeforeTheKeyLands) {
  ui.setText(Ctl::Text1, L"07");
  ui.type(u"1");  // length 2 before the key: no advance, no limit on the hours field
  EXPECT_EQ(ui.text(Ctl::Text1), L"071");
  EXPECT_EQ(ui.focused(), Ctl::Text1);

  ui.setFocus(Ctl::Text3);
  ui.type(u"4x");  // the error empties the field, so nothing moves on
  EXPECT_EQ(ui.text(Ctl::Text3), L"");
  EXPECT_EQ(ui.focused(), Ctl::Text3);
}

TEST_F(EntryTest, MinutesAndSecondsTakeTwoCharactersAtMost) {
  ui.setFocus(Ctl::Text2);
  ui.type(u"5");
  ui.setFocus(Ctl::Text2);  // back again after the automatic move
  ui.type(u"9");
  ui.setFocus(Ctl::Text2);
  ui.type(u"1");
  EXPECT_EQ(ui.text(Ctl::Text2), L"59");
}

TEST_F(EntryTest, OkArmsOneDigitPartsPaddedAndLocksTheMessage) {
  ui.type(u"7");
  ui.setFocus(Ctl::Text2);
  ui.type(u"5");
  ui.setFocus(Ctl::Text3);
  ui.type(u"0");
  ui.setText(Ctl::Text5, L"tea");
  ui.click(Ctl::Command1);
  EXPECT_EQ(ui.caption(Ctl::Label4), L"07:05:00");
  EXPECT_TRUE(ui.locked(Ctl::Text5));
  ui.setFocus(Ctl::Text5);
  ui.type(u"!");
  EXPECT_EQ(ui.text(Ctl::Text5), L"tea");
  ui.advance(86'400'000);
  EXPECT_EQ(ui.sounds.size(), 1U);
}

// A refused time arms nothing, leaves the alarm armed before as it was, and
// sends the user to the first wrong field.
TEST_F(EntryTest, OkRefusesATimeTheClockNeverShowsAndKeepsThePreviousAlarm) {
  ui.type(u"073000");
  ui.type(u"wake");
  ui.click(Ctl::Command1);
  struct Case {
    const wchar_t* hours;
    const wchar_t* minutes;
    const wchar_t* seconds;
    Ctl firstWrong;
  };
  for (const Case& c : {Case{L"25", L"00", L"00", Ctl::Text1}, Case{L"12", L"75", L"", Ctl::Text2},
                        Case{L"12", L"30", L"", Ctl::Text3}}) {
    ui.boxes.clear();
    ui.setText(Ctl::Text1, c.hours);
    ui.setText(Ctl::Text2, c.minutes);
    ui.setText(Ctl::Text3, c.seconds);
    ui.click(Ctl::Command1);
    ASSERT_EQ(ui.boxes.size(), 1U);
    EXPECT_EQ(ui.boxes[0].text, app::kAlarmTimeRangeText);
    EXPECT_EQ(ui.boxes[0].style, platform::kMbIconError);
    EXPECT_EQ(ui.boxes[0].title, L"ERROR");
    EXPECT_EQ(ui.caption(Ctl::Label4), L"07:30:00");
    EXPECT_EQ(ui.text(Ctl::Text5), L"wake");
    EXPECT_TRUE(ui.locked(Ctl::Text5));
    EXPECT_EQ(ui.focused(), c.firstWrong);
  }
}

TEST_F(EntryTest, OkAgainReplacesTheAlarm) {
  ui.type(u"073000");
  ui.click(Ctl::Command1);
  ui.setText(Ctl::Text1, L"08");
  ui.click(Ctl::Command1);
  EXPECT_EQ(ui.caption(Ctl::Label4), L"08:30:00");
}

TEST_F(EntryTest, ResetDisarmsClearsUnlocksAndFocusesTheHours) {
  ui.type(u"072959");
  ui.type(u"note");
  ui.click(Ctl::Command1);
  ui.click(Ctl::Command2);
  for (Ctl field : {Ctl::Text1, Ctl::Text2, Ctl::Text3, Ctl::Text5}) {
    EXPECT_EQ(ui.text(field), L"");
  }
  EXPECT_EQ(ui.caption(Ctl::Label4), L"");
  EXPECT_FALSE(ui.locked(Ctl::Text5));
  EXPECT_EQ(ui.focused(), Ctl::Text1);
  ui.advance(86'400'000);
  EXPECT_TRUE(ui.sounds.empty());
}

// Whatever a user types into the time fields, they hold digits only and the
// two-character limits hold.
TEST_F(EntryTest, RandomKeySequencesKeepTheFieldsDigitsOnly) {
  const unsigned seed = 20261207;
  std::printf("random key sequences, seed %u\n", seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> keyKind(0, 9);
  std::uniform_int_distribution<int> anyKey(1, 0x2FF);
  std::uniform_int_distribution<int> field(0, 2);
  const Ctl fields[] = {Ctl::Text1, Ctl::Text2, Ctl::Text3};
  for (int sequence = 0; sequence < 100'000; ++sequence) {
    ui.setFocus(fields[field(random)]);
    for (int k = 0; k < 4; ++k) {
      const int kind = keyKind(random);
      const auto key = static_cast<char16_t>(kind < 7 ? u'0' + kind : anyKey(random));
      ui.type(std::u16string(1, key));
    }
    for (Ctl f : fields) {
      const std::wstring text = ui.text(f);
      ASSERT_TRUE(std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswdigit(c); }))
          << "seed " << seed << ", sequence " << sequence;
    }
    ASSERT_LE(ui.text(Ctl::Text2).size(), 2U) << "seed " << seed;
    ASSERT_LE(ui.text(Ctl::Text3).size(), 2U) << "seed " << seed;
    if (ui.text(Ctl::Text1).size() > 64) ui.setText(Ctl::Text1, L"");
    ui.boxes.clear();
  }
}

}  // namespace
}  // namespace tolvane_test
