#pragma once

#include <cstdint>
#include <functional>

#include "platform/design.h"

namespace platform {

// The keys the window answers itself, before the focused control sees them.
enum class Key : std::uint8_t { Tab, Enter, Left, Up, Right, Down, Character };

using Modifiers = std::uint8_t;
inline constexpr Modifiers kNoModifiers = 0;
inline constexpr Modifiers kShift = 1;
inline constexpr Modifiers kCtrl = 2;
inline constexpr Modifiers kAlt = 4;  // with Key::Character: typed while Alt is held

struct KeyStroke {
  Key key = Key::Character;
  Modifiers modifiers = kNoModifiers;
  wchar_t character = 0;  // Key::Character: what was typed
};

enum class KeyEffect : std::uint8_t {
  None,            // the key goes on to the focused control
  Drop,            // the key goes nowhere: a Tab is never typed into a field
  MoveFocus,       // Tab and Shift+Tab: `target` takes the focus
  PressButton,     // Enter on a push button: `target` is pressed, as Space does
  SelectOption,    // the arrows: `target` takes the focus and, unless already selected, is pressed
  TurnPage,        // Ctrl+Tab: the next page of strip `target` (Shift: the previous one)
  PressAccessKey,  // Alt+letter: `target` takes the focus and is pressed
};

struct KeyAction {
  KeyEffect effect = KeyEffect::None;
  Ctl target = Ctl::Form1;
  bool backwards = false;  // TurnPage
  friend bool operator==(const KeyAction&, const KeyAction&) = default;
};

using CanFocus = std::function<bool(Ctl)>;

// What a key does to the window whose focused control is `focused`, among the
// controls `canFocus` accepts.
KeyAction keyAction(const KeyStroke& stroke, const FormDesign& design, Ctl focused,
                    const CanFocus& canFocus);

// Where Tab (Shift+Tab) moves the focus: the next (previous) control by tab index,
// wrapping around; `current` when no other can take the focus.
Ctl nextInTabOrder(const FormDesign& design, Ctl current, bool backwards, const CanFocus& canFocus);

// Option buttons of one container form a group, in which one at a time is selected.
inline bool sameOptionGroup(const FormDesign& design, Ctl a, Ctl b) {
  return design[a].kind == Kind::OptionButton && design[b].kind == Kind::OptionButton &&
         design[a].container == design[b].container;
}

// Where the arrows move the focus: the next (previous) option button of the same
// container in design order, wrapping around; `current` when there is none.
Ctl nextInGroup(const FormDesign& design, Ctl current, bool forward, const CanFocus& canFocus);

// The 1-based tab Ctrl+Tab (Ctrl+Shift+Tab) selects after `selected` of `count`.
constexpr int cycledTab(int selected, int count, bool backwards) {
  if (count <= 0) return selected;
  return (selected - 1 + (backwards ? count - 1 : 1)) % count + 1;
}

}  // namespace platform
