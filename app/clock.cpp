#include "app/clock.h"

#include "app/alarm_sound.h"
#include "app/alarm_time.h"
#include "app/form1.h"

namespace app {

using platform::Ctl;

namespace {

void appendTwoDigits(std::wstring& out, int value) {
  out += static_cast<wchar_t>(L'0' + value / 10 % 10);
  out += static_cast<wchar_t>(L'0' + value % 10);
}

}  // namespace

std::wstring formatClock(const platform::LocalTime& t) {
  std::wstring out;
  appendTwoDigits(out, t.hour);
  out += L':';
  appendTwoDigits(out, t.minute);
  out += L':';
  appendTwoDigits(out, t.second);
  return out;
}

// The alarm is the text of Label4. It fires on the tick that brings the clock
// to it, or past it when the tick came late (the caption still shows the last
// second shown), and stays armed for the same time the next day.
void Form1::Timer1_Timer(const platform::LocalTime& now) {
  const std::wstring shownBefore = ui_.caption(Ctl::Label1);
  ui_.setCaption(Ctl::Label1, formatClock(now));
  if (!alarmDue(shownBefore, ui_.caption(Ctl::Label1), ui_.caption(Ctl::Label4))) return;

  // What the tone page shows as chosen is what plays: "Default" keeps the
  // chosen file for later but plays the default sound.
  const AlarmTone tone = alarmTone(ui_);
  playAlarmTone(system_, tone);
  ui_.msgBox(ui_.text(Ctl::Text5), platform::kMbIconInformation, L"PESAN");
}

}  // namespace app
