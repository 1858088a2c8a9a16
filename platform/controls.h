#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace platform {

// Every control, timer and menu of the window, by its design name. Handlers
// address controls through these names only.
// clang-format off
enum class Ctl : std::uint8_t {
  Form1, Tmrballoon, Fr2, Text1, Timer1, Text2, Command1, Command2, Frame1, Text5, Text3,
  CommonDialog1, Label1, Label2, Label3, Label4, Label5, Label6, Label7, Option1, Option2, Fr3,
  Command3, Text4, Label9, Label8, TabStrip1, mnu, wavha, mnuabout, mnutray, show, about, exit,
};
// clang-format on

inline constexpr int kControlCount = static_cast<int>(Ctl::exit) + 1;

constexpr int index(Ctl c) { return static_cast<int>(c); }

struct ControlName {
  Ctl control = Ctl::Form1;
  std::wstring_view name;
};

// Each control beside its design name, in enum order.
// clang-format off
inline constexpr std::array<ControlName, kControlCount> kControlNames{{
    {Ctl::Form1, L"Form1"}, {Ctl::Tmrballoon, L"Tmrballoon"}, {Ctl::Fr2, L"Fr2"},
    {Ctl::Text1, L"Text1"}, {Ctl::Timer1, L"Timer1"}, {Ctl::Text2, L"Text2"},
    {Ctl::Command1, L"Command1"}, {Ctl::Command2, L"Command2"}, {Ctl::Frame1, L"Frame1"},
    {Ctl::Text5, L"Text5"}, {Ctl::Text3, L"Text3"}, {Ctl::CommonDialog1, L"CommonDialog1"},
    {Ctl::Label1, L"Label1"}, {Ctl::Label2, L"Label2"}, {Ctl::Label3, L"Label3"},
    {Ctl::Label4, L"Label4"}, {Ctl::Label5, L"Label5"}, {Ctl::Label6, L"Label6"},
    {Ctl::Label7, L"Label7"}, {Ctl::Option1, L"Option1"}, {Ctl::Option2, L"Option2"},
    {Ctl::Fr3, L"Fr3"}, {Ctl::Command3, L"Command3"}, {Ctl::Text4, L"Text4"},
    {Ctl::Label9, L"Label9"}, {Ctl::Label8, L"Label8"}, {Ctl::TabStrip1, L"TabStrip1"},
    {Ctl::mnu, L"mnu"}, {Ctl::wavha, L"wavha"}, {Ctl::mnuabout, L"mnuabout"},
    {Ctl::mnutray, L"mnutray"}, {Ctl::show, L"show"}, {Ctl::about, L"about"}, {Ctl::exit, L"exit"}}};
// clang-format on

// A control left out leaves an empty entry at the end, and one out of place a mismatch.
constexpr bool everyControlNamedInOrder() {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlName& entry = kControlNames[static_cast<std::size_t>(i)];
    if (index(entry.control) != i || entry.name.empty()) return false;
  }
  return true;
}
static_assert(everyControlNamedInOrder());

constexpr std::wstring_view controlName(Ctl c) {  // for messages people read
  return kControlNames[static_cast<std::size_t>(index(c))].name;
}

// The window's class name; drivers find the window from outside by it.
inline constexpr wchar_t kFormClassName[] = L"TolvaneForm";

// The Win32 control and menu-item id; test drivers find controls from outside by it.
constexpr int controlId(Ctl c) { return 1000 + index(c); }

}  // namespace platform
