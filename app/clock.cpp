#include "app/alarm_sound.h"
#include "app/alarm_time.h"
#include "app/form1.h"

namespace app {

using platform::Ctl;

void Form1::Timer1_Timer(const platform::LocalTime& now) {
  ui_.setCaption(Ctl::Label1, formatClock(now));
  if (platform::zoneMayLag(now)) return;
  const std::wstring alarm = ui_.caption(kArmedAlarm);
  const AlarmVerdict verdict = alarmVerdict(previousTick_, now, alarm, settledDay(alarm));
  previousTick_ = now;
  // Settled before the box, whose modal loop runs the next ticks.
  if (verdict.call != AlarmCall::None) settledAlarm_ = SettledAlarm{alarm, verdict.day};
  if (verdict.call == AlarmCall::Ring) playAlarmTone(system_, ui_);
  // After the tone, which must not wait for it; before the box, which waits for the user.
  askForWake(now);
  if (verdict.call == AlarmCall::Ring) {
    ui_.msgBox(ui_.text(Ctl::Text5), platform::kMbIconInformation, L"PESAN");
  } else if (verdict.call == AlarmCall::Missed) {
    ui_.msgBox(missedAlarmText(ui_.text(Ctl::Text5), alarm), platform::kMbOk, L"PESAN");
  }
}

std::optional<long long> Form1::settledDay(const std::wstring& alarm) const {
  return settledAlarm_ && settledAlarm_->time == alarm ? std::optional(settledAlarm_->day)
                                                       : std::nullopt;
}

// The system is called only when what is wanted changes.
void Form1::askForWake(const platform::LocalTime& now) {
  const std::wstring alarm = ui_.caption(kArmedAlarm);
  const WakeCall wanted = wakeCall(now, alarm, settledDay(alarm), [this](long long utcSecond) {
    return system_.localSecondAt(utcSecond);
  });
  if (wanted.wakeAt != wake_.wakeAt) {
    system_.setWakeTimer(wanted.wakeAt, L"Tolvane: the alarm at " + alarm);
  }
  if (wanted.keepRunning != wake_.keepRunning) system_.keepSystemRunning(wanted.keepRunning);
  wake_ = wanted;
}

}  // namespace app
