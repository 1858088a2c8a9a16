#pragma once

#include <array>
#include <optional>

#include "platform/clock_aligned_timer.h"
#include "platform/design.h"
#include "platform/forms.h"
#include "platform/key_rule.h"
#include "platform/start_failure.h"

namespace platform {

// A window as the shared behaviour acts on it: `Forms` (whose setFocus selects no
// option button) and the little more that only the window itself can do.
class WindowPrimitives : public Forms {
 public:
  // The window and its controls from the design, not yet shown; what failed, if anything.
  virtual std::optional<StartFailure> create() = 0;
  virtual void open() = 0;
  // As a mouse click: the button takes the focus, an option is selected, the click is raised.
  virtual void pressButton(Ctl button) = 0;
  // As the user selects a tab: the strip's click is raised.
  virtual void selectTab(Ctl tabStrip, int tab) = 0;
  // Starts or restarts the system's periodic timer; false when refused, which leaves
  // a running one at its period.
  virtual bool setSystemTimer(Ctl timer, int periodMs) = 0;
  virtual void killSystemTimer(Ctl timer) = 0;
  // The clock as a tick reads it: once, so what the handler is handed is what was timed.
  virtual LocalTime readClock() const = 0;
};

// Start-up, keys, page turns and timer ticks, carried out once for every window
// over its primitives, so no window answers otherwise.
class WindowBehaviour {
 public:
  // `alignClocks` false runs every timer free at its interval (the benchmarks' baseline).
  WindowBehaviour(const FormDesign& design, WindowPrimitives& window, bool alignClocks = true)
      : design_(design), window_(window), alignClocks_(alignClocks) {}

  // Initialise, create, load, open, the first focus; kExitStartFailed, said in a box,
  // when the window cannot be built, else 0.
  int start(FormEvents& events);
  // Of a kind that takes the focus, enabled, and shown with its containers and the window.
  bool canFocus(Ctl control) const;
  // Carries out the key rule's action; false leaves the key to the focused control.
  bool pressKey(const KeyStroke& stroke);

  // Enabling starts the interval afresh; false when the system's timer was refused.
  bool enableTimer(Ctl timer, bool on);
  bool timerEnabled(Ctl timer) const { return timers_[slot(timer)].enabled; }
  // The timers the design enables, armed as the window is created; the first one the system
  // refused, which stops the start: a clock that never ticks would let every alarm pass unseen.
  std::optional<Ctl> startTimers();
  // Between load and unload only, and not one queued before a disable.
  void systemTimerTicked(Ctl timer, FormEvents& events) {
    if (live_ && timerEnabled(timer)) deliverTick(timer, events);
  }
  // The clock was set or the machine woke up: each clock-aligned timer ticks at once.
  void clockChanged(FormEvents& events);
  // At unload: the timers are killed and nothing reaches the handlers any more.
  void stop();

 private:
  struct Timer {
    bool enabled = false;
    SecondGate gate;
  };

  static std::size_t slot(Ctl c) { return static_cast<std::size_t>(index(c)); }
  bool aligned(Ctl timer) const { return alignClocks_ && design_[timer].clockAligned; }
  void turnPage(Ctl tabStrip, bool backwards);
  void deliverTick(Ctl timer, FormEvents& events);

  const FormDesign& design_;
  WindowPrimitives& window_;
  bool alignClocks_;
  bool live_ = false;
  std::array<Timer, kControlCount> timers_{};
};

}  // namespace platform
