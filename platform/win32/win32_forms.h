#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/close_sequence.h"
#include "platform/design.h"
#include "platform/forms.h"
#include "platform/units.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_services.h"
#include "platform/window_behaviour.h"

namespace platform::win32 {

// Each control window carries its design name as its control id.
constexpr Ctl fromId(UINT_PTR id) {
  const auto i = static_cast<long long>(id) - controlId(Ctl::Form1);
  return i >= 0 && i < kControlCount ? static_cast<Ctl>(i) : Ctl::Form1;
}

// The hidden labels that name text boxes for screen readers; no handler takes this id for a
// control.
inline constexpr int kNameLabelId = 0xFFFF;
static_assert(fromId(kNameLabelId) == Ctl::Form1);

// A menu item's or timer's id, as the menu and timer calls take it.
constexpr UINT itemId(Ctl c) { return static_cast<UINT>(controlId(c)); }

inline Ctl fromWindow(HWND window) { return fromId(static_cast<UINT_PTR>(GetDlgCtrlID(window))); }

// Handles travel as 32-bit values, as the handlers see them.
inline std::uint32_t toHandle32(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(handle));
}

inline std::wstring readWindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The window as real Win32 controls: frames are container windows, timers are
// window timers, boxes and dialogs are the system's modal ones.
class Win32Forms final : public WindowPrimitives {
 public:
  explicit Win32Forms(const FormDesign& design);
  Win32Forms(const Win32Forms&) = delete;
  Win32Forms& operator=(const Win32Forms&) = delete;

  SystemServices& system() { return system_; }

  // Start-up, then the message loop until the window unloads; returns the exit code.
  int run(FormEvents& events);

  std::wstring text(Ctl control) const override;
  void setText(Ctl control, std::wstring_view value) override;
  bool enabled(Ctl control) const override;
  void setEnabled(Ctl control, bool on) override;
  bool visible(Ctl control) const override;
  void setVisible(Ctl c, bool on) override { ShowWindow(handleOf(c), on ? SW_SHOWNA : SW_HIDE); }
  bool locked(Ctl textBox) const override;
  void setLocked(Ctl textBox, bool on) override;
  bool selected(Ctl optionButton) const override;
  Ctl focused() const override;
  void setFocus(Ctl control) override;
  int selectedTab(Ctl tabStrip) const override;
  void showOpen(Ctl dialog, std::wstring_view filter) override;
  std::wstring fileName(Ctl /*dialog*/) const override { return fileName_; }
  std::uint32_t hWnd() const override { return toHandle32(form()); }
  std::uint32_t iconHandle() const override { return toHandle32(smallIcon_.get()); }
  WindowState windowState() const override;
  void setWindowState(WindowState state) override;
  void hide() override { ShowWindow(form(), SW_HIDE); }
  void show() override;
  void popupMenu(Ctl menu) override;
  void unload() override { closeRequest(UnloadMode::Code); }
  int twipsPerPixelX() const override { return twipsPerPixel(dpi_); }
  int msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) override;

  std::optional<StartFailure> create() override;
  void open() override;
  void pressButton(Ctl button) override { SendMessageW(handleOf(button), BM_CLICK, 0, 0); }
  void selectTab(Ctl tabStrip, int tab) override;
  bool setSystemTimer(Ctl timer, int periodMs) override;
  void killSystemTimer(Ctl timer) override;
  LocalTime readClock() const override;

 private:
  struct Control {
    HWND window = nullptr;
    HFONT font = nullptr;
    HMENU menu = nullptr;  // menus: their popup; menu items: the popup that holds them
  };
  // form_creation.cpp
  std::optional<StartFailure> createParts();
  bool registerClasses();
  HMENU buildMenu(Ctl parent, bool popup);
  bool createForm();
  bool createControl(const ControlDesign& design);

  // form_drawing.cpp
  // Returns the fonts it replaced, which the controls use until placed again.
  std::array<OwnedFont, 2> createFonts();
  void adoptDpi(int dpi, const RECT& suggested);
  void fitClientArea();
  void place(Ctl control);
  void autoSize(Ctl label);
  int toPixels(int twips) const { return twipsToPixels(twips, dpi_); }

  // form_messages.cpp
  static LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept;
  static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
  static LRESULT CALLBACK textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self) noexcept;
  LRESULT handleForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> handleContainerMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool isIconCallback(WPARAM wParam, LPARAM lParam) const;
  bool preTranslate(const MSG& message);
  void closeRequest(UnloadMode mode);
  void finishUnload();

  LRESULT frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paintFrame(HWND window, Ctl frame);
  HBRUSH colourBrush(Colour painted);
  HBRUSH paintControl(HDC dc, Ctl control);

  Control& control(Ctl c) { return controls_[static_cast<std::size_t>(index(c))]; }
  const Control& control(Ctl c) const { return controls_[static_cast<std::size_t>(index(c))]; }
  // The window is read from its owner: after it is destroyed, the handle is null.
  HWND form() const { return form_.get(); }
  HWND handleOf(Ctl c) const { return c == Ctl::Form1 ? form() : control(c).window; }

  const FormDesign& design_;
  WindowBehaviour behaviour_;
  FormEvents* events_ = nullptr;
  AfterMenus afterMenus_;
  Win32SystemServices system_{afterMenus_};
  CloseSequence close_;
  HINSTANCE instance_;
  int systemDpi_ = 96;  // what the system's metrics are given at
  int dpi_ = 96;        // the window's, which the layout follows
  std::array<Control, kControlCount> controls_{};
  // Declared before the classes and the window, which draws with them to the end.
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
  OwnedFont verdana_;
  OwnedFont dialogFont_;
  std::map<Colour, OwnedBrush> brushes_;
  OwnedMenu trayMenu_;  // never in the menu bar, so not destroyed with the window
  // A class can only be unregistered once its windows are gone.
  OwnedWindowClass formClass_;
  OwnedWindowClass frameClass_;
  OwnedWindow form_;
  std::wstring fileName_;
  UINT taskbarCreated_ = 0;
  HWND focusBeforeDeactivation_ = nullptr;
  bool loaded_ = false;
};

}  // namespace platform::win32
