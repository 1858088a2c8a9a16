#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace platform {

// Every control, timer and menu of the window, by its design name. Handlers
// address controls through these names only.
enum class Ctl : std::uint8_t {
  Form1,
  Tmrballoon,
  Fr2,
  Text1,
  Timer1,
  Text2,
  Command1,
  Command2,
  Frame1,
  Text5,
  Text3,
  CommonDialog1,
  Label1,
  Label2,
  Label3,
  Label4,
  Label5,
  Label6,
  Label7,
  Option1,
  Option2,
  Fr3,
  Command3,
  Text4,
  Label9,
  Label8,
  TabStrip1,
  mnu,
  wavha,
  mnuabout,
  mnutray,
  show,
  about,
  exit,
};

inline constexpr int kControlCount = static_cast<int>(Ctl::exit) + 1;

constexpr int index(Ctl c) { return static_cast<int>(c); }

// The design name of a control, for messages a developer or user reads.
constexpr std::wstring_view controlName(Ctl c) {
  constexpr std::array<std::wstring_view, kControlCount> kNames{
      L"Form1",    L"Tmrballoon", L"Fr2",       L"Text1",  L"Timer1",   L"Text2",
      L"Command1", L"Command2",   L"Frame1",    L"Text5",  L"Text3",    L"CommonDialog1",
      L"Label1",   L"Label2",     L"Label3",    L"Label4", L"Label5",   L"Label6",
      L"Label7",   L"Option1",    L"Option2",   L"Fr3",    L"Command3", L"Text4",
      L"Label9",   L"Label8",     L"TabStrip1", L"mnu",    L"wavha",    L"mnuabout",
      L"mnutray",  L"show",       L"about",     L"exit"};
  return kNames[static_cast<std::size_t>(index(c))];
}

// Win32 control and menu-item identifier of a control; test drivers find
// controls from outside by it.
constexpr int controlId(Ctl c) { return 1000 + index(c); }

}  // namespace platform
