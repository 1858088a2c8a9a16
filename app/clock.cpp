#include "app/alarm_sound.h"
#include "app/alarm_time.h"
#include "app/form1.h"

namespace app {

using platform::Ctl;

void Form1::Timer1_Timer(const platform::LocalTime& now) {
  ui_.setCaption(Ctl::Label1, formatClock(now));
  if (platform::zoneMayLag(now)) return;
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
    playAlarmTone(system_, alarmTone(ui_));
    ui_.msgBox(ui_.text(Ctl::Text5), platform::kMbIconInformation, L"PESAN");
  } else {
    ui_.msgBox(missedAlarmText(ui_.text(Ctl::Text5), alarm), platform::kMbOk, L"PESAN");
  }
}

}  // namespace app
