#include "app/alarm_sound.h"

#include <string>
#include <vector>

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

// Each case rings an alarm in a window of its own, with a file chosen before the option is set;
// what was tried, in order.
std::vector<platform::Sound> ringWith(const SoundCase& c, const std::wstring& path,
                                      bool formatPlays = true) {
  platform::headless::HeadlessForms ui{app::form1Design()};
  app::Form1 form{ui, ui};
  ui.setClock({.year = 2026, .month = 3, .day = 14, .hour = 7, .minute = 29, .second = 55});
  ui.start(form);
  ui.advance(platform::kZoneSettleMs);
  ui.setCaption(Ctl::Label6, path);
  if (c.choice == ToneChoice::Default) ui.click(Ctl::Option1);
  if (c.choice == ToneChoice::ChoseTone) ui.click(Ctl::Option2);
  if (c.pathPlays) ui.readableWaveFiles.push_back(path);
  if (!formatPlays) ui.unplayableWaveFiles.push_back(path);
  ui.windowsDefaultSound = c.windowsDefault;
  ui.setCaption(Ctl::Label4, L"07:30:00");
  ui.advance(5'000);
  EXPECT_EQ(ui.boxes.size(), 1U);
  return ui.sounds;
}

// The own tone plays only where Windows would play nothing; every other alarm plays the chosen
// file's path, with no default standing in, or the empty name, which is Windows' default.
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
    const std::vector<platform::Sound> tried = ringWith(c, path);
    ASSERT_EQ(tried.size(), 1U);
    EXPECT_EQ(tried[0].builtInTone, c.heard == AlarmSound::BuiltInTone);
    if (!tried[0].builtInTone) {
      const bool file = c.heard == AlarmSound::ChosenFile;
      EXPECT_EQ(tried[0].name, file ? path : L"");
      EXPECT_EQ(tried[0].flags, file ? platform::kSndNoDefault : platform::kSndSync);
    }
  }
}

// A readable wave file whose format Windows cannot play: what plays without a file follows it.
TEST(AlarmSound, AChosenFileThatDoesNotPlayIsNeverSilence) {
  const std::wstring path = L"C:\\Media\\odd-format.wav";
  for (const DefaultSound windowsDefault :
       {DefaultSound::Configured, DefaultSound::Unknown, DefaultSound::None}) {
    SCOPED_TRACE(static_cast<int>(windowsDefault));
    const auto tried = ringWith(
        {ToneChoice::ChoseTone, true, windowsDefault, AlarmSound::ChosenFile}, path, false);
    ASSERT_EQ(tried.size(), 2U);
    EXPECT_EQ(tried[0].name, path);
    EXPECT_EQ(tried[1].builtInTone, windowsDefault == DefaultSound::None);
    EXPECT_EQ(tried[1].name, L"");
  }
}

// With nothing chosen there is no file to play: the default sound, or the own tone without one.
TEST(AlarmSound, NothingChosenIsTheDefaultSound) {
  const auto tried =
      ringWith({ToneChoice::Neither, false, DefaultSound::None, AlarmSound::BuiltInTone}, L"");
  ASSERT_EQ(tried.size(), 1U);
  EXPECT_TRUE(tried[0].builtInTone);
}

}  // namespace
}  // namespace tolvane_test
