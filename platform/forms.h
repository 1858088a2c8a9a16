#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/local_time.h"

namespace platform {

// The platform's 16-bit boolean: true is -1 (all bits set), false is 0.
using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue16 = -1;
inline constexpr Bool16 kFalse16 = 0;

enum class WindowState : std::uint8_t { Normal = 0, Minimised = 1 };

// Why the window is being closed, with the platform's numbers.
enum class UnloadMode : std::uint8_t { ControlMenu = 0, Code = 1, SessionEnd = 2 };

inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// What the handlers receive, on the one user-interface thread, in the order of the
// window's life: initialise, load, events, the close request and, unless cancelled, unload.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void initialise() = 0;  // before any control window exists
  virtual void load() = 0;        // window and controls created, not yet shown
  virtual void resize() = 0;
  virtual void mouseMove(int button, int shift, float xTwips, float yTwips) = 0;
  virtual void queryUnload(Bool16& cancel, UnloadMode mode) = 0;
  virtual void unload(Bool16& cancel) = 0;
  virtual void click(Ctl control) = 0;
  // Before the character is inserted; setting it to 0 drops it.
  virtual void keyPress(Ctl textBox, std::uint16_t& keyAscii) = 0;
  // `now`: the one clock reading the tick was timed by. A clock set or a wake from
  // sleep brings a tick at once.
  virtual void timer(Ctl timer, const LocalTime& now) = 0;
  // The notification area was re-created (the shell restarted) and holds no icon of ours.
  virtual void notificationAreaCreated() = 0;
};

// The operations every handler acts through. Controls are addressed by name.
class Forms {
 public:
  virtual ~Forms() = default;

  // Text of a text box, or caption of any other control, menu item or Form1.
  virtual std::wstring text(Ctl control) const = 0;
  virtual void setText(Ctl control, std::wstring_view value) = 0;
  std::wstring caption(Ctl control) const { return text(control); }
  void setCaption(Ctl control, std::wstring_view value) { setText(control, value); }

  virtual bool enabled(Ctl control) const = 0;
  virtual void setEnabled(Ctl control, bool on) = 0;
  virtual bool visible(Ctl control) const = 0;
  virtual void setVisible(Ctl control, bool on) = 0;
  virtual bool locked(Ctl textBox) const = 0;  // read-only while locked
  virtual void setLocked(Ctl textBox, bool on) = 0;
  virtual bool selected(Ctl optionButton) const = 0;
  virtual Ctl focused() const = 0;
  virtual void setFocus(Ctl control) = 0;

  virtual int selectedTab(Ctl tabStrip) const = 0;  // 1-based

  // The modal open-file dialog; filter "description|pattern|...". Cancelling keeps the name.
  virtual void showOpen(Ctl dialog, std::wstring_view filter) = 0;
  virtual std::wstring fileName(Ctl dialog) const = 0;

  // Form1.
  virtual std::uint32_t hWnd() const = 0;
  virtual std::uint32_t iconHandle() const = 0;
  virtual WindowState windowState() const = 0;
  virtual void setWindowState(WindowState state) = 0;
  virtual void hide() = 0;
  virtual void show() = 0;
  // Returns after the menu has closed and the chosen item's click has run.
  virtual void popupMenu(Ctl menu) = 0;
  // Raises the close request; unloads unless it is cancelled.
  virtual void unload() = 0;
  virtual int twipsPerPixelX() const = 0;

  // Modal; timers keep ticking while it is open. Returns the answer code.
  virtual int msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) = 0;
};

}  // namespace platform
