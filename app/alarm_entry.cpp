#include <array>

#include "app/alarm_time.h"
#include "app/form1.h"

namespace app {

using platform::Ctl;

namespace {

Ctl nextField(Ctl field) {
  switch (field) {
    case Ctl::Text1: return Ctl::Text2;
    case Ctl::Text2: return Ctl::Text3;
    default: return Ctl::Text5;
  }
}

}  // namespace

// Runs before the character lands. The length test sees the text as it was
// before this key, so the focus moves on while the second digit is typed and
// that digit still lands in this field.
void Form1::timeField_KeyPress(Ctl field, std::uint16_t& keyAscii) {
  if (keyAscii > u'9' || keyAscii < u'0') {
    ui_.msgBox(L"Inputan harus berupa angka", platform::kMbIconError, L"ERROR");
    ui_.setText(field, L"");
    ui_.setFocus(field);
    keyAscii = 0;
  }
  if (ui_.text(field).size() == 1) ui_.setFocus(nextField(field));
}

// An alarm that looks armed must ring, so a time the clock never shows is
// refused, and what was armed before stays armed.
void Form1::Command1_Click() {
  const std::array fields{Ctl::Text1, Ctl::Text2, Ctl::Text3};
  const AlarmTimeEntry entry =
      alarmTimeFrom(ui_.text(fields[0]), ui_.text(fields[1]), ui_.text(fields[2]));
  if (entry.wrong) {
    ui_.msgBox(kAlarmTimeRangeText, platform::kMbIconError, L"ERROR");
    ui_.setFocus(fields[static_cast<std::size_t>(*entry.wrong)]);
    return;
  }
  ui_.setCaption(Ctl::Label4, entry.alarmText);
  ui_.setLocked(Ctl::Text5, true);
  // A new alarm rings even on a date whose alarm has already rung.
  settledAlarm_.reset();
}

void Form1::Command2_Click() {
  for (Ctl field : {Ctl::Text1, Ctl::Text2, Ctl::Text3, Ctl::Text5}) ui_.setText(field, L"");
  ui_.setLocked(Ctl::Text5, false);
  ui_.setCaption(Ctl::Label4, L"");
  settledAlarm_.reset();
  ui_.setFocus(Ctl::Text1);
}

}  // namespace app
