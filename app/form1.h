#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/alarm_time.h"
#include "platform/forms.h"
#include "platform/system_services.h"
#include "tray/tray.h"

namespace app {

// The armed alarm as the clock shows it, "hh:mm:ss"; empty while none is armed.
inline constexpr platform::Ctl kArmedAlarm = platform::Ctl::Label4;
// The file the alarm plays while "Chose tone" is selected.
inline constexpr platform::Ctl kTonePath = platform::Ctl::Label6;
// The alarm time's hours, minutes and seconds, in the order the user fills them.
inline constexpr std::array kTimeFields{platform::Ctl::Text1, platform::Ctl::Text2,
                                        platform::Ctl::Text3};

// The window's handlers. The alarm lives in the controls; between ticks the clock
// keeps only the previous tick and the alarm settled for a date.
class Form1 final : public platform::FormEvents {
 public:
  Form1(platform::Forms& ui, platform::SystemServices& system)
      : ui_(ui), system_(system), tray_(ui, system) {}

  // Asks whether to quit; returns the 16-bit "cancel" answer (-1 unless Yes).
  platform::Bool16 ConfirmExit(std::wstring_view title);

  void initialise() override { system_.initCommonControls(); }
  void load() override { tray_.Form_Load(); }
  void resize() override { tray_.Form_Resize(); }
  void mouseMove(int button, int shift, float xTwips, float yTwips) override;
  void queryUnload(platform::Bool16& cancel, platform::UnloadMode mode) override;
  void unload(platform::Bool16& /*cancel*/) override { tray_.Form_Unload(); }
  void click(platform::Ctl control) override;
  void keyPress(platform::Ctl textBox, std::uint16_t& keyAscii) override;
  void timer(platform::Ctl timer, const platform::LocalTime& now) override;
  void notificationAreaCreated() override { tray_.notificationAreaCreated(); }

 private:
  // clock.cpp
  void Timer1_Timer(const platform::LocalTime& now);
  std::optional<long long> settledDay(const std::wstring& alarm) const;
  // Asks the system to wake the computer for the alarm and keep it running just before it.
  void askForWake(const platform::LocalTime& now);
  // alarm_entry.cpp
  void timeField_KeyPress(platform::Ctl field, std::uint16_t& keyAscii);
  void Command1_Click();
  void Command2_Click();
  // tone_page.cpp
  void TabStrip1_Click();
  void Option1_Click();
  void Option2_Click();
  void Command3_Click();
  // menus.cpp
  void wavha_Click();
  void showAbout();

  platform::Forms& ui_;
  platform::SystemServices& system_;
  tray::TrayPresence tray_;
  std::optional<platform::LocalTime> previousTick_;
  // The alarm time that has rung or been reported, and the date it did so for:
  // another time is another alarm.
  struct SettledAlarm {
    std::wstring time;
    long long day = 0;
  };
  std::optional<SettledAlarm> settledAlarm_;
  WakeCall wake_;  // as last asked of the system
};

}  // namespace app
