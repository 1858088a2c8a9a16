#pragma once

#include <string>

#include "platform/forms.h"
#include "platform/system_services.h"

namespace app {

// The option selected on the tone page; at start-up neither is.
enum class ToneChoice { Default, ChoseTone, Neither };

enum class AlarmSound { ChosenFile, WindowsDefault, BuiltInTone };

// What the alarm is heard with: the chosen file where it plays, else Windows' default sound, and
// Tolvane's own tone only where Windows would play nothing; an unchecked default counts as there.
AlarmSound alarmSound(ToneChoice choice, bool pathPlays, platform::DefaultSound windowsDefault);

// What the tone page chooses, played synchronously: the box comes after the tone has ended. A
// chosen file that Windows does not play after all is followed by what the alarm plays without
// one: never silence.
void playAlarmTone(platform::SystemServices& system, const platform::Forms& tonePage);

}  // namespace app
