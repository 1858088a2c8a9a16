#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/close_sequence.h"
#include "platform/design.h"
#include "platform/icon_callback.h"
#include "platform/system_services.h"
#include "platform/window_behaviour.h"

namespace platform::headless {

struct ShownBox {
  std::wstring text;
  std::uint32_t style = 0;
  std::wstring title;
};

struct NotifyCall {
  std::uint32_t message = 0;
  NotifyIconDataA record{};
};

// An in-memory window for tests. It supplies what only a window can: virtual
// time with a settable wall clock and local clock, typing as an edit control
// takes it, scripted answers to boxes, the open dialog and popup menus, and a
// record of the calls that act; the shared behaviour does the rest.
class HeadlessForms final : public WindowPrimitives, public SystemServices {
 public:
  static constexpr std::uint32_t kWindowHandle = 0x000A0042;
  static constexpr std::uint32_t kIconHandle = 0x00B0017;

  explicit HeadlessForms(const FormDesign& design) : design_(design) {}

  // The exit code when the window could not be built, else 0.
  int start(FormEvents& events) {
    events_ = &events;
    return behaviour_.start(events);
  }

  // Sets the wall clock so that local time reads `t`. Ticks due under a box run in its answer.
  void setClock(const LocalTime& t);
  // A daylight-saving change or another zone: the wall clock does not move.
  void moveLocalTime(long long milliseconds) { localOffsetMs_ += milliseconds; }
  // The clock was set, or the machine woke up.
  void clockChangeNotice() { behaviour_.clockChanged(*events_); }
  void advance(long long milliseconds);
  // Held up (a busy machine, a debugger, sleep): each timer due meanwhile ticks once, late.
  void stall(long long milliseconds) {
    nowMs_ += milliseconds;
    advance(0);
  }

  // A user at the window.
  void pressKey(const KeyStroke& stroke);
  void type(std::u16string_view keys) {
    for (char16_t ch : keys) pressKey({.key = Key::Character, .character = ch});
  }
  void pressTab(bool backwards = false) { pressKey({Key::Tab, backwards ? kShift : kNoModifiers}); }
  void pressEnter() { pressKey({.key = Key::Enter}); }
  void pressArrow(bool forward) { pressKey({.key = forward ? Key::Down : Key::Up}); }
  void pressCtrlTab(bool backwards = false) {
    pressKey({Key::Tab, static_cast<Modifiers>(backwards ? kCtrl | kShift : kCtrl)});
  }
  void click(Ctl control);  // buttons, option buttons and menu items
  void minimise() {
    windowState_ = WindowState::Minimised;
    events_->resize();
  }
  void resizeByBorder() {  // leaves the window in normal state
    if (windowState_ == WindowState::Normal) events_->resize();
  }
  bool requestClose(UnloadMode mode = UnloadMode::ControlMenu);  // true once the window unloaded
  void iconCallback(int mouseMessage) {  // the shell reporting a click on the icon
    events_->mouseMove(0, 0, iconCallbackX(mouseMessage, twipsPerPixelX()), 0.0F);
  }
  void notificationAreaRestarted() {
    iconShown_ = false;
    events_->notificationAreaCreated();
  }
  void shellForgetsIcon() { iconShown_ = false; }  // a restarted shell we were not told of

  // Scripted answers. Defaults: OK for OK boxes and No for Yes/No boxes; the open
  // dialog is cancelled; the popup menu closes with nothing chosen.
  std::function<int(const ShownBox&)> answerBox;
  std::function<std::optional<std::wstring>()> answerOpen;
  std::function<std::optional<Ctl>(Ctl menu)> answerPopup;
  int systemTimerSkewMs = 0;        // each period fires this much late (negative: early)
  bool systemTimersFail = false;    // as when the system has run out of timers
  bool shellPresent = true;         // false: no notification area at all
  std::optional<Ctl> failCreating;  // its creation fails at start-up
  DefaultSound windowsDefaultSound = DefaultSound::Configured;
  std::vector<std::wstring> readableWaveFiles;
  std::vector<std::wstring> unplayableWaveFiles;  // readable, in a format Windows cannot play

  // What the window did.
  std::vector<ShownBox> boxes;
  std::vector<Sound> sounds;  // each one tried
  std::vector<NotifyCall> notifications;
  std::vector<std::uint32_t> foregroundCalls;
  std::vector<std::optional<long long>> wakeTimers;  // each due second asked; nothing: cancelled
  std::vector<bool> keepRunningCalls;
  std::vector<std::wstring> openFilters;
  std::vector<Ctl> popups;
  int initCommonControlsCalls = 0;
  bool controlsExistedAtInitCommonControls = false;
  int unloadCount = 0;

  bool unloaded() const { return close_.unloaded(); }
  bool windowVisible() const { return windowVisible_; }
  bool iconShown() const { return iconShown_; }

  // Forms. A length limit applies to typing, not to code, as with the edit control.
  std::wstring text(Ctl control) const override { return state(control).text; }
  void setText(Ctl control, std::wstring_view value) override { state(control).text = value; }
  bool enabled(Ctl c) const override {
    return design_[c].kind == Kind::Timer ? behaviour_.timerEnabled(c) : state(c).enabled;
  }
  void setEnabled(Ctl c, bool on) override {
    if (design_[c].kind == Kind::Timer) {
      behaviour_.enableTimer(c, on);
    } else {
      state(c).enabled = on;
    }
  }
  bool visible(Ctl control) const override {
    return control == Ctl::Form1 ? windowVisible_ : state(control).visible;
  }
  void setVisible(Ctl control, bool on) override { state(control).visible = on; }
  bool locked(Ctl textBox) const override { return state(textBox).locked; }
  void setLocked(Ctl textBox, bool on) override { state(textBox).locked = on; }
  bool selected(Ctl optionButton) const override { return state(optionButton).selected; }
  Ctl focused() const override { return focus_; }
  void setFocus(Ctl control) override { focus_ = control; }
  int selectedTab(Ctl /*tabStrip*/) const override { return selectedTab_; }
  void showOpen(Ctl dialog, std::wstring_view filter) override;
  std::wstring fileName(Ctl /*dialog*/) const override { return fileName_; }
  std::uint32_t hWnd() const override { return kWindowHandle; }
  std::uint32_t iconHandle() const override { return kIconHandle; }
  WindowState windowState() const override { return windowState_; }
  void setWindowState(WindowState state) override;
  void hide() override { windowVisible_ = false; }
  void show() override { windowVisible_ = true; }
  void popupMenu(Ctl menu) override;
  void unload() override { requestClose(UnloadMode::Code); }
  int twipsPerPixelX() const override { return 15; }
  int msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) override;

  // WindowPrimitives
  std::optional<StartFailure> create() override;
  void open() override { windowVisible_ = true; }
  void pressButton(Ctl button) override { click(button); }
  void selectTab(Ctl /*tabStrip*/, int index) override;
  bool setSystemTimer(Ctl timer, int periodMs) override;
  void killSystemTimer(Ctl timer) override { state(timer).running = false; }
  LocalTime readClock() const override;

  // SystemServices
  void initCommonControls() override {
    ++initCommonControlsCalls;
    controlsExistedAtInitCommonControls = controlsCreated_;
  }
  bool playFirst(std::span<const Sound> sounds) override;
  DefaultSound defaultSound() const override { return windowsDefaultSound; }
  bool soundFilePlays(std::wstring_view path) const override;
  bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) override;
  bool setForegroundWindow(std::uint32_t hWnd) override {
    foregroundCalls.push_back(hWnd);
    return true;
  }
  std::string toAnsi(std::wstring_view text) const override;
  long long localSecondAt(long long utcSecond) const override {
    return secondCount(localTimeAt(utcSecond * kMsPerSecond + localOffsetMs_));
  }
  void setWakeTimer(std::optional<long long> utcSecond, std::wstring_view /*reason*/) override {
    wakeTimers.push_back(utcSecond);
  }
  void keepSystemRunning(bool on) override { keepRunningCalls.push_back(on); }

 private:
  struct State {
    std::wstring text;
    bool enabled = true;
    bool visible = true;
    bool locked = false;
    bool selected = false;
    bool running = false;  // timers: the system's timer, its next firing and its period
    long long nextTick = 0;
    int armedMs = 0;
  };

  State& state(Ctl c) { return states_[static_cast<std::size_t>(index(c))]; }
  const State& state(Ctl c) const { return states_[static_cast<std::size_t>(index(c))]; }
  // A system timer never fires before it was armed, however early it runs.
  long long nextFiring(int periodMs) const {
    return nowMs_ + std::max(1, periodMs + systemTimerSkewMs);
  }

  // What the system reports when it is out of window handles.
  static constexpr std::uint32_t kOutOfHandles = 1158;

  const FormDesign& design_;
  WindowBehaviour behaviour_{design_, *this};
  FormEvents* events_ = nullptr;
  CloseSequence close_;
  std::array<State, kControlCount> states_{};
  Ctl focus_ = Ctl::Form1;
  int selectedTab_ = 1;
  WindowState windowState_ = WindowState::Normal;
  bool windowVisible_ = false;
  bool iconShown_ = false;
  bool controlsCreated_ = false;
  std::wstring fileName_;
  long long nowMs_ = 0;          // the virtual wall clock, milliseconds since 1970-01-01 00:00 UTC
  long long localOffsetMs_ = 0;  // local time minus the wall clock
};

}  // namespace platform::headless
