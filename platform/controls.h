#pragma once

#include <cstdint>

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

// Win32 control and menu-item identifier of a control; test drivers find
// controls from outside by it.
constexpr int controlId(Ctl c) { return 1000 + index(c); }

}  // namespace platform
