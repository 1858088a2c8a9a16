#include "app/alarm_sound.h"

#include "app/form1.h"

namespace app {

using platform::Ctl;
using platform::DefaultSound;

namespace {

// Synchronous, and with neither alias nor file flag so the name is tried as an
// alias, then as a file, then the default sound plays.
constexpr std::uint32_t kPlaySyncWithDefault = 0;

}  // namespace

AlarmSound alarmSound(ToneChoice choice, bool pathPlays, DefaultSound windowsDefault) {
  if (choice != ToneChoice::Default && pathPlays) return AlarmSound::ChosenFile;
  return windowsDefault == DefaultSound::None ? AlarmSound::BuiltInTone
                                              : AlarmSound::WindowsDefault;
}

AlarmTone alarmTone(const platform::Forms& ui) {
  const ToneChoice choice = ui.selected(Ctl::Option1)   ? ToneChoice::Default
                            : ui.selected(Ctl::Option2) ? ToneChoice::ChoseTone
                                                        : ToneChoice::Neither;
  return {choice, ui.caption(kTonePath)};
}

// "Default" keeps the chosen file for later but plays the default sound: the empty name.
void playAlarmTone(platform::SystemServices& system, const AlarmTone& tone) {
  const std::wstring name = tone.choice == ToneChoice::Default ? L"" : tone.path;
  const bool pathPlays = !name.empty() && system.soundFilePlays(name);
  if (alarmSound(tone.choice, pathPlays, system.defaultSound()) == AlarmSound::BuiltInTone) {
    system.playBuiltInTone();
    return;
  }
  system.playSound(name, kPlaySyncWithDefault);
}

}  // namespace app
