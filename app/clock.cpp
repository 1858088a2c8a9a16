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

std::wstring missedAlarmText(std::wstring_view message, std::wstring_view due) {
  std::wstring text(message);
  if (!text.empty()) text += L"\r\n\r\n";
  text += L"The alarm due at ";
  text += due;
  text += L" could not ring on time.";
  return text;
}

// The alarm is the text of kArmedAlarm. A tick rings what it reached since the tick
// before (late ticks and daylight-saving gaps included), once per date; after
// sleep or a clock set forward it tells quietly what was missed instead.
void Form1::Timer1_Timer(const platform::LocalTime& now) {
  ui_.setCaption(Ctl::Label1, formatClock(now));
  const std::wstring alarm = ui_.caption(kArmedAlarm);
  const auto settledDay = settledAlarm_ && settledAlarm_->time == alarm
                              ? std::optional(settledAlarm_->day)
                              : std::nullopt;
  const AlarmVerdict verdict = alarmVerdict(previousTick_, now, alarm, settledDay);
  previousTick_ = now;
  if (verdict.call == AlarmCall::None) return;
  // Settled before the box, whose modal loop runs the next ticks.
  settledAlarm_ = SettledAlarm{.time = alarm, .day = verdict.day};
  if (verdict.call == AlarmCall::Ring) {
    ringAlarm();
  } else {
    ui_.msgBox(missedAlarmText(ui_.text(Ctl::Text5), alarm), platform::kMbOk, L"PESAN");
  }
}

void Form1::ringAlarm() {
  // What the tone page shows as chosen is what plays: "Default" keeps the
  // chosen file for later but plays the default sound.
  const AlarmTone tone = alarmTone(ui_);
  playAlarmTone(system_, tone);
  ui_.msgBox(ui_.text(Ctl::Text5), platform::kMbIconInformation, L"PESAN");
}

}  // namespace app
