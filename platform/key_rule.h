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
// With Key::Character: a system character, typed while Alt is held.
inline constexpr Modifiers kAlt = 4;

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
  SelectOption,    // the arrows: `target` takes the focus and, unless it is already
                   // selected, is pressed, which selects it and raises its click
  TurnPage,        // Ctrl+Tab: the next page of tab strip `target` (the previous one
                   // with Shift) is selected and raises its click; if the focused
                   // control can no longer take the focus, the strip takes it
  PressAccessKey,  // Alt+letter: `target` takes the focus and is pressed
};

struct KeyAction {
  KeyEffect effect = KeyEffect::None;
  Ctl target = Ctl::Form1;
  bool backwards = false;  // TurnPage
  friend bool operator==(const KeyAction&, const KeyAction&) = default;
};

// What a key does to the window whose focused control is `focused`, among the
// controls `canFocus` accepts. `WindowBehaviour` carries out the action it returns.
KeyAction keyAction(const KeyStroke& stroke, const FormDesign& design, Ctl focused,
                    const std::function<bool(Ctl)>& canFocus);

}  // namespace platform
