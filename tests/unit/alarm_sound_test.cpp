#include "app/alarm_sound.h"

#include <string>

#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

using app::AlarmSound;
using app::ToneChoice;
using platform::DefaultSound;

struct SoundCase {
  ToneChoice choice;
  bool pathPlays;
  DefaultSound windowsDefault;
  AlarmSound heard;
};

// Each case rings an alarm in a window of its own, with a file chosen before the option is set.
platform::headless::SoundCall ringWith(const SoundCase& c, const std::wstring& path) {
  platform::headless::HeadlessForms ui{app::form1Design()};
  app::Form1 form{ui, ui};
  ui.setClock({.year = 2026, .month = 3, .day = 14, .hour = 7, .minute = 29, .second = 55});
  ui.start(form);
  ui.advance(platform::kZoneSettleMs);
  ui.setCaption(Ctl::Label6, path);
  if (c.choice == ToneChoice::Default) ui.click(Ctl::Option1);
  if (c.choice == ToneChoice::ChoseTone) ui.click(Ctl::Option2);
  if (c.pathPlays) ui.readableWaveFiles.push_back(path);
  ui.windowsDefaultSound = c.windowsDefault;
  ui.setCaption(Ctl::Label4, L"07:30:00");
  ui.advance(5'000);
  EXPECT_EQ(ui.sounds.size(), 1U);
  EXPECT_EQ(ui.boxes.size(), 1U);
  return ui.sounds.empty() ? platform::headless::SoundCall{} : ui.sounds[0];
}

// The own tone plays only where Windows would play nothing; every other alarm makes the call it
// always made, the chosen file's path or, with "Default", the empty name.
TEST(AlarmSound, OwnToneOnlyWhereWindowsWouldPlayNothing) {
  constexpr auto kDefault = ToneChoice::Default;
  constexpr auto kChose = ToneChoice::ChoseTone;
  constexpr auto kNeither = ToneChoice::Neither;
  constexpr auto kThere = DefaultSound::Configured;
  constexpr auto kNone = DefaultSound::None;
  constexpr auto kUnknown = DefaultSound::Unknown;
  const SoundCase cases[] = {
      {kDefault, true, kThere, AlarmSound::WindowsDefault},
      {kDefault, true, kNone, AlarmSound::BuiltInTone},
      {kDefault, true, kUnknown, AlarmSound::WindowsDefault},
      {kDefault, false, kThere, AlarmSound::WindowsDefault},
      {kDefault, false, kNone, AlarmSound::BuiltInTone},
      {kDefault, false, kUnknown, AlarmSound::WindowsDefault},
      {kChose, true, kThere, AlarmSound::ChosenFile},
      {kChose, true, kNone, AlarmSound::ChosenFile},
      {kChose, true, kUnknown, AlarmSound::ChosenFile},
      {kChose, false, kThere, AlarmSound::WindowsDefault},
      {kChose, false, kNone, AlarmSound::BuiltInTone},
      {kChose, false, kUnknown, AlarmSound::WindowsDefault},
      {kNeither, true, kThere, AlarmSound::ChosenFile},
      {kNeither, true, kNone, AlarmSound::ChosenFile},
      {kNeither, true, kUnknown, AlarmSound::ChosenFile},
      {kNeither, false, kThere, AlarmSound::WindowsDefault},
      {kNeither, false, kNone, AlarmSound::BuiltInTone},
      {kNeither, false, kUnknown, AlarmSound::WindowsDefault},
  };
  const std::wstring path = L"C:\\Media\\chimes.wav";
  for (const SoundCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "choice " << static_cast<int>(c.choice) << ", path plays " << c.pathPlays
                 << ", default " << static_cast<int>(c.windowsDefault));
    EXPECT_EQ(app::alarmSound(c.choice, c.pathPlays, c.windowsDefault), c.heard);
    const platform::headless::SoundCall call = ringWith(c, path);
    EXPECT_EQ(call.builtInTone, c.heard == AlarmSound::BuiltInTone);
    if (!call.builtInTone) {
      EXPECT_EQ(call.name, c.choice == kDefault ? L"" : path);
      EXPECT_EQ(call.flags, 0U);
    }
  }
}

// With nothing chosen there is no file to play: the default sound, or the own tone without one.
TEST(AlarmSound, NothingChosenIsTheDefaultSound) {
  const platform::headless::SoundCall call =
      ringWith({ToneChoice::Neither, false, DefaultSound::None, AlarmSound::BuiltInTone}, L"");
  EXPECT_TRUE(call.builtInTone);
}

}  // namespace
}  // namespace tolvane_test
