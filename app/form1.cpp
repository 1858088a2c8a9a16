#include "app/form1.h"

#include <algorithm>

namespace app {

using platform::Ctl;

void Form1::mouseMove(int /*button*/, int /*shift*/, float xTwips, float /*yTwips*/) {
  tray_.Form_MouseMove(xTwips);
}

void Form1::timer(Ctl timer, const platform::LocalTime& now) {
  if (timer == Ctl::Timer1) Timer1_Timer(now);
  if (timer == Ctl::Tmrballoon) tray_.Tmrballoon_Timer();
}

void Form1::keyPress(Ctl textBox, std::uint16_t& keyAscii) {
  if (std::ranges::find(kTimeFields, textBox) != kTimeFields.end()) {
    timeField_KeyPress(textBox, keyAscii);
  }
}

void Form1::click(Ctl control) {
  switch (control) {
    case Ctl::Command1: Command1_Click(); break;
    case Ctl::Command2: Command2_Click(); break;
    case Ctl::TabStrip1: TabStrip1_Click(); break;
    case Ctl::Option1: Option1_Click(); break;
    case Ctl::Option2: Option2_Click(); break;
    case Ctl::Command3: Command3_Click(); break;
    case Ctl::wavha: wavha_Click(); break;
    case Ctl::mnuabout:
    case Ctl::about: showAbout(); break;
    case Ctl::show: tray_.show_Click(); break;
    case Ctl::exit: ui_.unload(); break;
    default: break;
  }
}

}  // namespace app
