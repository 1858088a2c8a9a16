#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>

#include "platform/design.h"
#include "platform/forms.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

// The window as real Win32 controls: frames are container windows, timers are
// window timers, boxes and dialogs are the system's modal ones.
class Win32Forms final : public Forms {
 public:
  explicit Win32Forms(const FormDesign& design);
  Win32Forms(const Win32Forms&) = delete;
  Win32Forms& operator=(const Win32Forms&) = delete;

  // Start-up, then the message loop until the window unloads.
  int run(FormEvents& events);

  std::wstring text(Ctl control) const override;
  void setText(Ctl control, std::wstring_view value) override;
  bool enabled(Ctl control) const override;
  void setEnabled(Ctl control, bool on) override;
  bool visible(Ctl control) const override;
  void setVisible(Ctl control, bool on) override;
  bool locked(Ctl textBox) const override;
  void setLocked(Ctl textBox, bool on) override;
  bool selected(Ctl optionButton) const override;
  Ctl focused() const override;
  void setFocus(Ctl control) override;
  int selectedTab(Ctl tabStrip) const override;
  void showOpen(Ctl dialog, std::wstring_view filter) override;
  std::wstring fileName(Ctl dialog) const override;
  std::uint32_t hWnd() const override;
  std::uint32_t iconHandle() const override;
  WindowState windowState() const override;
  void setWindowState(WindowState state) override;
  void hide() override;
  void show() override;
  void popupMenu(Ctl menu) override;
  void unload() override;
  int twipsPerPixelX() const override;
  int msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) override;
  LocalTime now() const override;
  void initCommonControls() override;
  bool playSound(std::wstring_view name, std::uint32_t flags) override;
  bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) override;
  bool setForegroundWindow(std::uint32_t hWnd) override;
  std::string toAnsi(std::wstring_view text) const override;

 private:
  struct Control {
    HWND window = nullptr;
    HFONT font = nullptr;
    HMENU menu = nullptr;  // menus: their popup; menu items: the popup that holds them
    bool timerEnabled = false;
    long long lastTickSecond = -1;  // clock-aligned timers: the second last delivered
  };

  static LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);

  void registerClasses();
  void createFonts();
  void createForm();
  HMENU buildMenu(Ctl parent, bool popup);
  void createControl(const ControlDesign& design);
  LRESULT handleForm(UINT message, WPARAM wParam, LPARAM lParam);
  bool handleContainerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void paintFrame(HWND window, Ctl frame);
  HBRUSH colourBrush(Colour colour);
  COLORREF colourValue(Colour colour) const;
  Colour containerBackColour(Ctl control) const;
  bool preTranslate(const MSG& message);
  bool pressAccessKey(wchar_t key);
  bool canFocus(Ctl control) const;
  bool isIconCallback(WPARAM wParam, LPARAM lParam) const;
  void onTimer(Ctl timer);
  void armTimer(Ctl timer, bool afresh);
  bool closeAllowed(int unloadMode);
  void closeRequest(int unloadMode);
  void finishUnload();
  void autoSize(Ctl label);
  int toPixels(int twips) const;
  Control& control(Ctl c) { return controls_[static_cast<std::size_t>(index(c))]; }
  const Control& control(Ctl c) const { return controls_[static_cast<std::size_t>(index(c))]; }
  static Ctl fromId(UINT_PTR id);

  const FormDesign& design_;
  FormEvents* events_ = nullptr;
  HINSTANCE instance_;
  int dpi_ = 96;
  std::array<Control, kControlCount> controls_{};
  OwnedWindow form_;
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
  OwnedFont verdana_;
  OwnedFont dialogFont_;
  OwnedMenu trayMenu_;  // never in the menu bar, so not destroyed with the window
  std::map<Colour, OwnedBrush> brushes_;
  std::wstring fileName_;
  UINT taskbarCreated_ = 0;
  HWND focusBeforeDeactivation_ = nullptr;
  bool loaded_ = false;
  bool closing_ = false;
  bool unloaded_ = false;
};

}  // namespace platform::win32
