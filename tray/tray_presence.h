#pragma once

#include "platform/forms.h"
#include "platform/system_services.h"
#include "tray/tray.h"

namespace tray {

// Ties the notification-area icon to the window: added at load, removed at
// unload; minimising hides the window behind the icon and announces it with a
// balloon; the icon's clicks arrive as mouse moves on the window.
class TrayPresence {
 public:
  TrayPresence(platform::Forms& ui, platform::SystemServices& system)
      : ui_(ui), system_(system), tray_(system) {}

  void Form_Load();
  void Form_Unload();
  void Form_Resize();
  void Form_MouseMove(float xTwips);
  void Tmrballoon_Timer();
  void show_Click();
  void notificationAreaCreated();

 private:
  platform::Forms& ui_;
  platform::SystemServices& system_;
  Tray tray_;
};

}  // namespace tray
