#include "platform/key_rule.h"

#include <algorithm>
#include <cwctype>
#include <string_view>
#include <vector>

namespace platform {

namespace {

// The letter after a caption's '&', in upper case; 0 when there is none.
wchar_t accessKey(std::wstring_view caption) {
  const auto amp = caption.find(L'&');
  if (amp == std::wstring_view::npos || amp + 1 >= caption.size()) return 0;
  return static_cast<wchar_t>(std::towupper(caption[amp + 1]));
}

KeyAction pressAccessKey(wchar_t key, const FormDesign& design, const CanFocus& canFocus) {
  const auto wanted = static_cast<wchar_t>(std::towupper(key));
  for (const auto& d : design.controls) {
    if (d.kind != Kind::Button && d.kind != Kind::OptionButton) continue;
    if (accessKey(d.caption) == wanted && canFocus(d.name)) {
      return {.effect = KeyEffect::PressAccessKey, .target = d.name};
    }
  }
  return {};
}

// The first control after `current` in `order` that `canFocus` accepts, wrapping
// around, from the start when `current` is not in it; `current` when none is.
Ctl nextIn(const std::vector<Ctl>& order, Ctl current, const CanFocus& canFocus) {
  const auto here = std::ranges::find(order, current);
  const std::size_t n = order.size();
  const auto start = here == order.end() ? n - 1 : static_cast<std::size_t>(here - order.begin());
  for (std::size_t step = 1; step <= n; ++step) {
    const Ctl candidate = order[(start + step) % n];
    if (candidate != current && canFocus(candidate)) return candidate;
  }
  return current;
}

}  // namespace

KeyAction keyAction(const KeyStroke& stroke, const FormDesign& design, Ctl focused,
                    const CanFocus& canFocus) {
  const bool shift = (stroke.modifiers & kShift) != 0;
  const bool ctrl = (stroke.modifiers & kCtrl) != 0;
  const bool alt = (stroke.modifiers & kAlt) != 0;
  if (stroke.key == Key::Character) {
    if (alt) return pressAccessKey(stroke.character, design, canFocus);
    if (stroke.character == L'\t' && !ctrl) return {.effect = KeyEffect::Drop};
    return {};
  }
  if (alt) return {};
  const Kind kind = design[focused].kind;
  switch (stroke.key) {
    case Key::Tab: {
      if (!ctrl) {
        return {.effect = KeyEffect::MoveFocus,
                .target = nextInTabOrder(design, focused, shift, canFocus)};
      }
      // Pages turn from anywhere in the window.
      const auto strip = std::ranges::find(design.controls, Kind::TabStrip, &ControlDesign::kind);
      if (strip == design.controls.end()) return {};
      return {.effect = KeyEffect::TurnPage, .target = strip->name, .backwards = shift};
    }
    case Key::Enter:
      if (ctrl || kind != Kind::Button) return {};
      return {.effect = KeyEffect::PressButton, .target = focused};
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down: {
      if (ctrl || kind != Kind::OptionButton) return {};
      const bool forward = stroke.key == Key::Right || stroke.key == Key::Down;
      return {.effect = KeyEffect::SelectOption,
              .target = nextInGroup(design, focused, forward, canFocus)};
    }
    case Key::Character: break;
  }
  return {};
}

Ctl nextInTabOrder(const FormDesign& design, Ctl current, bool backwards,
                   const CanFocus& canFocus) {
  std::vector<Ctl> order;
  for (const auto& c : design.controls) {
    if (c.tabIndex >= 0) order.push_back(c.name);
  }
  std::ranges::sort(order, {}, [&](Ctl c) { return design[c].tabIndex; });
  if (backwards) std::ranges::reverse(order);
  return nextIn(order, current, canFocus);
}

Ctl nextInGroup(const FormDesign& design, Ctl current, bool forward, const CanFocus& canFocus) {
  std::vector<Ctl> group;
  for (const auto& c : design.controls) {
    if (sameOptionGroup(design, c.name, current)) group.push_back(c.name);
  }
  if (!forward) std::ranges::reverse(group);
  return nextIn(group, current, canFocus);
}

}  // namespace platform
