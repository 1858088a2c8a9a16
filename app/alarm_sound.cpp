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

void playAlarmTone(platform::SystemServices& system, const platform::Forms& tonePage) {
  const ToneChoice choice = tonePage.selected(Ctl::Option1)   ? ToneChoice::Default
                            : tonePage.selected(Ctl::Option2) ? ToneChoice::ChoseTone
                                                              : ToneChoice::Neither;
  // The file stays chosen while "Default" is selected.
  const std::wstring path = tonePage.caption(kTonePath);
  const DefaultSound windowsDefault = system.defaultSound();
  const bool pathPlays = !path.empty() && system.soundFilePlays(path);
  const AlarmSound heard = alarmSound(choice, pathPlays, windowsDefault);
  const AlarmSound withoutFile = alarmSound(choice, false, windowsDefault);
  const std::array sounds{soundOf(heard, path), soundOf(withoutFile, path)};
  system.playFirst(std::span(sounds).first(heard == withoutFile ? 1 : 2));
}

}  // namespace app
