#include "app/form1.h"

namespace app {

using platform::Ctl;

void Form1::TabStrip1_Click() {
  const int tab = ui_.selectedTab(Ctl::TabStrip1);
  if (tab != 1 && tab != 2) return;
  ui_.setVisible(Ctl::Fr2, tab == 1);
  ui_.setVisible(Ctl::Fr3, tab == 2);
  if (tab == 2) ui_.setFocus(Ctl::Option1);
}

// "Default" only disables the chooser: the tone path keeps the file chosen before.
void Form1::Option1_Click() { ui_.setEnabled(Ctl::Command3, false); }

void Form1::Option2_Click() { ui_.setEnabled(Ctl::Command3, true); }

// The alarm plays the tone path; Text4 only shows it to the user.
void Form1::Command3_Click() {
  ui_.showOpen(Ctl::CommonDialog1, L"(*.wav)|*.wav|");
  ui_.setCaption(kTonePath, ui_.fileName(Ctl::CommonDialog1));
  ui_.setText(Ctl::Text4, ui_.fileName(Ctl::CommonDialog1));
}

}  // namespace app
