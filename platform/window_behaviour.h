#pragma once

#include <array>

#include "platform/clock_aligned_timer.h"
#include "platform/design.h"
#include "platform/forms.h"
#include "platform/key_rule.h"

namespace platform {

// A window as the shared behaviour acts on it: what handlers do to it (`Forms`,
// whose setFocus only moves the focus), and the little more that only the
// window itself can do.
class WindowPrimitives : public Forms {
 public:
  // Of a kind that takes the focus, enabled and shown with all of its containers.
  virtual bool canFocus(Ctl control) const = 0;
  // As a mouse click on a push or option button: it takes the focus, an option
  // button is selected, and the click is raised.
  virtual void pressButton(Ctl button) = 0;
  virtual int tabCount(Ctl tabStrip) const = 0;
  // As the user selects a tab: the strip's click is raised.
  virtual void selectTab(Ctl tabStrip, int tab) = 0;
  // The system's periodic timer of `timer`, started or restarted at `periodMs`;
  // false when it could not be set, and a running one keeps its period then.
  virtual bool setSystemTimer(Ctl timer, int periodMs) = 0;
  virtual void killSystemTimer(Ctl timer) = 0;
  // The clock as a tick reads it: once, so what the handler is handed is what was timed.
  virtual LocalTime readClock() const = 0;
};

// What a key, a page turn, the first focus and a timer's tick do, carried out
// once for every window over its primitives, so no window answers otherwise.
// The focus alone never selects an option button, as with the system's own:
// the arrows do.
class WindowBehaviour {
 public:
  // `alignClocks` false runs every timer free at its interval (the benchmarks' baseline).
  WindowBehaviour(const FormDesign& design, WindowPrimitives& window, bool alignClocks = true)
      : design_(design), window_(window), alignClocks_(alignClocks) {}

  // The first control in tab order that can take the focus gets it.
  void focusFirst();
  // Carries out the key rule's action; false leaves the key to the focused control.
  bool pressKey(const KeyStroke& stroke);

  // Enabling a timer starts its interval afresh; false when the system's timer
  // could not be set.
  bool enableTimer(Ctl timer, bool on);
  bool timerEnabled(Ctl timer) const { return timers_[slot(timer)].enabled; }
  // A tick of the system's timer: re-armed as a clock-aligned timer asks, then
  // handed to the handler unless it repeats the second handed on last.
  void systemTimerTicked(Ctl timer, FormEvents& events);
  // The clock was set or the machine woke up: each clock-aligned timer ticks at
  // once and is armed again for the next boundary of the clock as it now reads.
  void clockChanged(FormEvents& events);

 private:
  struct Timer {
    bool enabled = false;
    SecondGate gate;  // clock-aligned timers: each second handed on once
  };

  static std::size_t slot(Ctl c) { return static_cast<std::size_t>(index(c)); }
  bool aligned(Ctl timer) const { return alignClocks_ && design_[timer].clockAligned; }
  void turnPage(Ctl tabStrip, bool backwards);
  void deliverTick(Ctl timer, FormEvents& events);

  const FormDesign& design_;
  WindowPrimitives& window_;
  bool alignClocks_;
  std::array<Timer, kControlCount> timers_{};
};

}  // namespace platform
