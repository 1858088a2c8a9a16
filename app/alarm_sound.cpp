#include "app/alarm_sound.h"

#include <array>

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
  if (ui.selected(Ctl::Option1)) return {ToneChoice::Default, ui.caption(kTonePath)};
  return {ui.selected(Ctl::Option2) ? ToneChoice::ChoseTone : ToneChoice::Neither,
          ui.caption(kTonePath)};
}

namespace {

// Windows' default sound is what PlaySound plays for an empty name.
platform::Sound soundOf(AlarmSound heard, const std::wstring& path) {
  switch (heard) {
    case AlarmSound::ChosenFile: return {.name = path, .flags = platform::kSndNoDefault};
    case AlarmSound::WindowsDefault: return {};
    case AlarmSound::BuiltInTone: break;
  }
  return {.name = {}, .flags = platform::kSndNoDefault, .builtInTone = true};
}

}  // namespace

void playAlarmTone(platform::SystemServices& system, const AlarmTone& tone) {
  const DefaultSound windowsDefault = system.defaultSound();
  const bool pathPlays = !tone.path.empty() && system.soundFilePlays(tone.path);
  const AlarmSound heard = alarmSound(tone.choice, pathPlays, windowsDefault);
  const AlarmSound withoutFile = alarmSound(tone.choice, false, windowsDefault);
  const std::array sounds{soundOf(heard, tone.path), soundOf(withoutFile, tone.path)};
  system.playFirst(std::span(sounds).first(heard == withoutFile ? 1 : 2));
}

}  // namespace app
