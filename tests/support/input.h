// Acting on another process's windows as a user does: giving the focus, typing, pressing keys,
// the mouse, and clicks posted to buttons.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace e2e {

// Posts BM_CLICK, so a modal box the click opens does not block the driver.
bool click(HWND button);

// Makes `window`'s top-level window the foreground window and gives `window` the keyboard focus,
// borrowing the target thread's input state for the moment (AttachThreadInput).
bool focusWindow(HWND window);

// Real key events through SendInput after focusWindow(target). Characters with a key on the
// keyboard layout go as that key (with Shift when needed), so the program sees WM_KEYDOWN with
// the key's virtual key; others go as KEYEVENTF_UNICODE.
bool typeText(HWND target, std::wstring_view text);
// Presses and releases each virtual key in turn after focusWindow(target).
bool pressKeys(HWND target, std::initializer_list<WORD> virtualKeys);
// Keys pressed together (the first ones held while the last is pressed), through SendInput
// after giving `target` the focus.
bool pressChord(HWND target, std::initializer_list<WORD> keys);
// Real mouse input through SendInput at screen points: a left click, and a drag with the left
// button held through `steps` moves.
bool clickAt(POINT at);
bool dragMouse(POINT from, POINT to, int steps = 8);
// Fallback that bypasses focus and the keyboard: one posted WM_CHAR per character.
bool postChars(HWND target, std::wstring_view text);

}  // namespace e2e
