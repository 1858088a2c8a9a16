#include "app/alarm_sound.h"

#include "app/form1.h"

namespace app {

using platform::Ctl;
using platform::DefaultSound;

AlarmSound alarmSound(ToneChoice choice, bool pathPlays, DefaultSound windowsDefault) {
  if (choice != ToneChoice::Default && pathPlays) return AlarmSound::ChosenFile;
  return windowsDefault == DefaultSound::None ? AlarmSound::BuiltInTone
                                              : AlarmSound::WindowsDefault;
}

AlarmTone alarmTone(const platform::Forms& ui) {
  if (ui.selected(Ctl::Option1)) return {ToneChoice::Default, L""};
  return {ui.selected(Ctl::Option2) ? ToneChoice::ChoseTone : ToneChoice::Neither,
          ui.caption(kTonePath)};
}

void playAlarmTone(platform::SystemServices& system, const AlarmTone& tone) {
  // Neither alias nor file flag: the name is tried as an alias, then as a file, then the
  // default sound plays.
  constexpr std::uint32_t kPlaySyncWithDefault = 0;
  const bool pathPlays = !tone.name.empty() && system.soundFilePlays(tone.name);
  if (alarmSound(tone.choice, pathPlays, system.defaultSound()) == AlarmSound::BuiltInTone) {
    system.playBuiltInTone();
  } else {
    system.playSound(tone.name, kPlaySyncWithDefault);
  }
}

}  // namespace app
