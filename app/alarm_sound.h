#pragma once

#include <string>

#include "platform/forms.h"
#include "platform/system_services.h"

namespace app {

// The option selected on the tone page; at start-up neither is.
enum class ToneChoice { Default, ChoseTone, Neither };

enum class AlarmSound { ChosenFile, WindowsDefault, BuiltInTone };

// What the alarm is heard with. Windows plays the chosen file when it can and its default sound
// otherwise; Tolvane's own tone plays only where that would leave the alarm silent. A default
// sound that could not be checked counts as there, so the call stays as it always was.
AlarmSound alarmSound(ToneChoice choice, bool pathPlays, platform::DefaultSound windowsDefault);

// The tone page as the alarm reads it: the selected option and the chosen file (Label6).
struct AlarmTone {
  ToneChoice choice = ToneChoice::Neither;
  std::wstring path;
};
AlarmTone alarmTone(const platform::Forms& ui);

// Synchronous: the box comes after the tone has ended.
void playAlarmTone(platform::SystemServices& system, const AlarmTone& tone);

}  // namespace app
