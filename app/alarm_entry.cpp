#include <algorithm>

#include "app/alarm_time.h"
#include "app/form1.h"

namespace app {

using platform::Ctl;

// The length test sees the text before this key: the focus moves on while the second digit
// is typed, and that digit still lands in this field.
void Form1::timeField_KeyPress(Ctl field, std::uint16_t& keyAscii) {
  if (keyAscii > u'9' || keyAscii < u'0') {
    ui_.msgBox(L"Inputan harus berupa angka", platform::kMbIconError, L"ERROR");
    ui_.setText(field, L"");
    ui_.setFocus(field);
    keyAscii = 0;
  }
  if (ui_.text(field).size() != 1) return;
  // After the last time field comes the message.
  const auto next = std::ranges::find(kTimeFields, field) + 1;
  ui_.setFocus(next < kTimeFields.end() ? *next : Ctl::Text5);
}

// A time the clock never shows is refused, so an alarm that looks armed rings; the old one stays.
void Form1::Command1_Click() {
  const AlarmTimeEntry entry =
      alarmTimeFrom(ui_.text(kTimeFields[0]), ui_.text(kTimeFields[1]), ui_.text(kTimeFields[2]));
  if (entry.wrong) {
    ui_.msgBox(kAlarmTimeRangeText, platform::kMbIconError, L"ERROR");
    ui_.setFocus(kTimeFields[static_cast<std::size_t>(*entry.wrong)]);
    return;
  }
  ui_.setCaption(kArmedAlarm, entry.alarmText);
  ui_.setLocked(Ctl::Text5, true);
  // A new alarm rings even on a date whose alarm has already rung.
  settledAlarm_.reset();
  if (previousTick_) askForWake(*previousTick_);
}

void Form1::Command2_Click() {
  for (Ctl field : kTimeFields) ui_.setText(field, L"");
  ui_.setText(Ctl::Text5, L"");
  ui_.setLocked(Ctl::Text5, false);
  ui_.setCaption(kArmedAlarm, L"");
  settledAlarm_.reset();
  if (previousTick_) askForWake(*previousTick_);
  ui_.setFocus(kTimeFields[0]);
}

}  // namespace app
