#include "platform/key_rule.h"

#include <array>

#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

using platform::ControlDesign;
using platform::kAlt;
using platform::kCtrl;
using platform::Key;
using platform::KeyAction;
using platform::keyAction;
using platform::KeyEffect;
using platform::Kind;
using platform::kNoModifiers;
using platform::kShift;

// A window of its own: one control of each kind the keys treat apart, in tab order.
constexpr std::array<std::wstring_view, 3> kPages{L"One", L"Two", L"Three"};
constexpr std::array kControls{
    ControlDesign{.name = Ctl::Text1, .kind = Kind::TextBox, .tabIndex = 0},
    ControlDesign{.name = Ctl::Command1, .kind = Kind::Button, .caption = L"&Ok", .tabIndex = 1},
    ControlDesign{.name = Ctl::Command2, .kind = Kind::Button, .caption = L"&Reset", .tabIndex = 2},
    ControlDesign{
        .name = Ctl::Option1, .kind = Kind::OptionButton, .caption = L"&Default", .tabIndex = 3},
    ControlDesign{
        .name = Ctl::Option2, .kind = Kind::OptionButton, .caption = L"Tone", .tabIndex = 4},
    ControlDesign{.name = Ctl::TabStrip1, .kind = Kind::TabStrip, .tabIndex = 5, .tabs = kPages},
};
constexpr platform::FormDesign kWindow{.controls = kControls};

struct KeyCase {
  platform::KeyStroke stroke;
  Ctl focused;
  KeyAction expected;
};

constexpr KeyAction none{};
constexpr KeyAction moveTo(Ctl c) { return {.effect = KeyEffect::MoveFocus, .target = c}; }
constexpr KeyAction turn(bool backwards) {
  return {.effect = KeyEffect::TurnPage, .target = Ctl::TabStrip1, .backwards = backwards};
}
constexpr KeyAction press(Ctl c) { return {.effect = KeyEffect::PressButton, .target = c}; }
constexpr KeyAction selectOption(Ctl c) { return {.effect = KeyEffect::SelectOption, .target = c}; }
constexpr KeyAction accessKey(Ctl c) { return {.effect = KeyEffect::PressAccessKey, .target = c}; }

TEST(KeyRule, KeyByModifiersByFocusedKind) {
  const KeyCase cases[] = {
      // Tab walks the tab order both ways and wraps; with Ctrl it turns the page from anywhere.
      {{Key::Tab, kNoModifiers}, Ctl::Text1, moveTo(Ctl::Command1)},
      {{Key::Tab, kShift}, Ctl::Text1, moveTo(Ctl::TabStrip1)},
      {{Key::Tab, kNoModifiers}, Ctl::TabStrip1, moveTo(Ctl::Text1)},
      {{Key::Tab, kNoModifiers}, Ctl::Form1, moveTo(Ctl::Text1)},
      {{Key::Tab, kCtrl}, Ctl::Text1, turn(false)},
      {{Key::Tab, kCtrl | kShift}, Ctl::Option1, turn(true)},
      {{Key::Tab, kAlt}, Ctl::Text1, none},
      // Enter presses a push button only; a text box gets it typed.
      {{Key::Enter, kNoModifiers}, Ctl::Command1, press(Ctl::Command1)},
      {{Key::Enter, kShift}, Ctl::Command2, press(Ctl::Command2)},
      {{Key::Enter, kCtrl}, Ctl::Command1, none},
      {{Key::Enter, kNoModifiers}, Ctl::Text1, none},
      {{Key::Enter, kNoModifiers}, Ctl::Option1, none},
      // The arrows move round the option group and select; elsewhere they belong to the control.
      {{Key::Down, kNoModifiers}, Ctl::Option1, selectOption(Ctl::Option2)},
      {{Key::Right, kNoModifiers}, Ctl::Option2, selectOption(Ctl::Option1)},
      {{Key::Up, kNoModifiers}, Ctl::Option1, selectOption(Ctl::Option2)},
      {{Key::Left, kShift}, Ctl::Option2, selectOption(Ctl::Option1)},
      {{Key::Down, kCtrl}, Ctl::Option1, none},
      {{Key::Down, kAlt}, Ctl::Option1, none},
      {{Key::Down, kNoModifiers}, Ctl::Text1, none},
      {{Key::Left, kNoModifiers}, Ctl::TabStrip1, none},
      // Characters: a Tab is never typed; Alt+letter presses the control of that access key.
      {{Key::Character, kNoModifiers, L'\t'}, Ctl::Text1, {.effect = KeyEffect::Drop}},
      {{Key::Character, kCtrl, L'\t'}, Ctl::Text1, none},
      {{Key::Character, kNoModifiers, L'r'}, Ctl::Text1, none},
      {{Key::Character, kAlt, L'r'}, Ctl::Text1, accessKey(Ctl::Command2)},
      {{Key::Character, kAlt | kCtrl, L'O'}, Ctl::Option2, accessKey(Ctl::Command1)},
      {{Key::Character, kAlt, L'd'}, Ctl::Command1, accessKey(Ctl::Option1)},
      {{Key::Character, kAlt, L't'}, Ctl::Text1, none},  // "Tone" has no access key
  };
  const auto any = [](Ctl) { return true; };
  for (const auto& c : cases) {
    const KeyAction got = keyAction(c.stroke, kWindow, c.focused, any);
    EXPECT_EQ(got, c.expected) << "key " << static_cast<int>(c.stroke.key) << " modifiers "
                               << static_cast<int>(c.stroke.modifiers) << " character "
                               << static_cast<int>(c.stroke.character) << " on "
                               << static_cast<int>(c.focused);
  }
}

TEST(KeyRule, ControlsThatCannotTakeTheFocusArePassedOver) {
  const auto notCommand1OrOption2 = [](Ctl c) { return c != Ctl::Command1 && c != Ctl::Option2; };
  EXPECT_EQ(keyAction({Key::Tab}, kWindow, Ctl::Text1, notCommand1OrOption2),
            moveTo(Ctl::Command2));
  EXPECT_EQ(keyAction({Key::Character, kAlt, L'o'}, kWindow, Ctl::Text1, notCommand1OrOption2),
            none);
  EXPECT_EQ(keyAction({Key::Down}, kWindow, Ctl::Option1, notCommand1OrOption2),
            selectOption(Ctl::Option1));
  const platform::FormDesign noPages{.controls = std::span(kControls).first(5)};
  EXPECT_EQ(keyAction({Key::Tab, kCtrl}, noPages, Ctl::Text1, [](Ctl) { return true; }), none);
}

// The headless window carries out the same rule: keys the product answers itself.
TEST_F(FormTest, AccessKeysPressTheirButtonAndATabIsNeverTyped) {
  ui.setFocus(Ctl::Text5);
  ui.type(u"wake\tup");
  EXPECT_EQ(ui.text(Ctl::Text5), L"wakeup");
  ui.pressKey({Key::Character, kAlt, L'r'});
  EXPECT_EQ(ui.text(Ctl::Text5), L"");
  EXPECT_EQ(ui.focused(), Ctl::Text1);
}

}  // namespace
}  // namespace tolvane_test
