#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "platform/controls.h"

namespace platform {

// clang-format off
enum class Kind : std::uint8_t {
  Form, Timer, Frame, TextBox, Button, Label, OptionButton, TabStrip, OpenDialog, Menu, MenuItem
};
// clang-format on

// Left, top, width and height in twips, relative to the container's client area.
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// 0x80000000 plus the platform's colour index for system colours, otherwise 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour systemColour(std::uint32_t index) { return 0x80000000U | index; }
inline constexpr Colour kDefaultColour = 0xFFFFFFFFU;
inline constexpr Colour kWindowBackground = systemColour(5);
inline constexpr Colour kWindowText = systemColour(8);
inline constexpr Colour kHighlightText = systemColour(14);
inline constexpr Colour kButtonFace = systemColour(15);

enum class Font : std::uint8_t { DialogDefault, Verdana };  // Verdana is 8.25 pt, normal weight

enum class Align : std::uint8_t { Left, Centre };

// One control, timer or menu as the window's design declares it. Fields that a
// kind does not use keep their defaults.
struct ControlDesign {
  Ctl name{};
  Kind kind{};
  Ctl container = Ctl::Form1;  // for menus: the parent menu, Form1 for the menu bar
  Twips rect{};
  std::wstring_view caption{};  // caption, or a text box's initial text
  int tabIndex = -1;
  Font font = Font::DialogDefault;
  Colour backColour = kDefaultColour;
  Colour foreColour = kDefaultColour;
  bool visible = true;
  bool enabled = true;
  bool opaque = false;    // labels: paint their own back colour instead of the container's
  bool border = false;    // labels: single flat line
  bool autoSize = false;  // labels: size to the caption
  Align align = Align::Left;
  bool multiLine = false;  // text boxes: multi-line with a vertical scroll bar
  int maxLength = 0;       // text boxes: 0 is unlimited
  // Text boxes: the name a screen reader announces for the field; painted nowhere.
  std::wstring_view accessibleName{};
  int interval = 0;                           // timers, in milliseconds
  bool clockAligned = false;                  // timers: tick on the wall clock's second boundaries
  std::span<const std::wstring_view> tabs{};  // tab strips: the tab captions, tab 1 first
};

struct FormDesign {
  ControlDesign form{.name = Ctl::Form1, .kind = Kind::Form};  // its caption and colours
  int clientWidth = 0;                                         // twips
  int clientHeight = 0;
  bool sizable = true;
  bool maxButton = false;
  bool minButton = true;
  // Within each container, top-most first. Menus follow in menu order.
  std::span<const ControlDesign> controls{};

  // Form1 answers with `form`. Every name is declared, so a miss is a programming error.
  const ControlDesign& operator[](Ctl c) const {
    if (c == Ctl::Form1) return form;
    const auto found = std::ranges::find(controls, c, &ControlDesign::name);
    if (found == controls.end()) std::abort();
    return *found;
  }
};

// Kinds that can take the focus, when enabled and shown with all of their containers.
constexpr bool isFocusableKind(Kind kind) {
  return kind == Kind::TextBox || kind == Kind::Button || kind == Kind::OptionButton ||
         kind == Kind::TabStrip;
}

}  // namespace platform
