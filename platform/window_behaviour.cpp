#include "platform/window_behaviour.h"

#include "platform/tab_order.h"

namespace platform {

void WindowBehaviour::focusFirst() {
  window_.setFocus(
      nextInTabOrder(design_, Ctl::Form1, false, [this](Ctl c) { return window_.canFocus(c); }));
}

bool WindowBehaviour::pressKey(const KeyStroke& stroke) {
  const KeyAction action =
      keyAction(stroke, design_, window_.focused(), [this](Ctl c) { return window_.canFocus(c); });
  switch (action.effect) {
    case KeyEffect::None: return false;
    case KeyEffect::Drop: break;
    case KeyEffect::MoveFocus: window_.setFocus(action.target); break;
    case KeyEffect::PressButton: window_.pressButton(action.target); break;
    case KeyEffect::SelectOption:
      window_.setFocus(action.target);
      if (!window_.selected(action.target)) window_.pressButton(action.target);
      break;
    case KeyEffect::TurnPage: turnPage(action.target, action.backwards); break;
    case KeyEffect::PressAccessKey:
      window_.setFocus(action.target);
      window_.pressButton(action.target);
      break;
  }
  return true;
}

// A page that hides the focused control leaves the focus on the strip.
void WindowBehaviour::turnPage(Ctl tabStrip, bool backwards) {
  const int count = window_.tabCount(tabStrip);
  window_.selectTab(tabStrip, cycledTab(window_.selectedTab(tabStrip), count, backwards));
  if (!window_.canFocus(window_.focused())) window_.setFocus(tabStrip);
}

bool WindowBehaviour::enableTimer(Ctl timer, bool on) {
  Timer& t = timers_[slot(timer)];
  t.enabled = on;
  if (!on) {
    window_.killSystemTimer(timer);
    return true;
  }
  const int interval = design_[timer].interval;
  const int period =
      aligned(timer)
          ? clockAlignedDelayMs(window_.readClock().millisecond, interval, true)
          : interval;
  return window_.setSystemTimer(timer, period);
}

void WindowBehaviour::systemTimerTicked(Ctl timer, FormEvents& events) {
  // A tick already queued when the timer was disabled is dropped.
  if (timers_[slot(timer)].enabled) deliverTick(timer, events);
}

void WindowBehaviour::clockChanged(FormEvents& events) {
  for (const auto& d : design_.controls) {
    if (d.kind == Kind::Timer && d.clockAligned && timers_[slot(d.name)].enabled) {
      deliverTick(d.name, events);
    }
  }
}

// A clock-aligned timer is re-armed before the handler runs, because the handler may
// block in a modal box; a refused re-arm keeps the period there was, and the next
// tick tries again.
void WindowBehaviour::deliverTick(Ctl timer, FormEvents& events) {
  const LocalTime now = window_.readClock();
  if (aligned(timer)) {
    window_.setSystemTimer(timer, clockAlignedRearmMs(now));
    if (!timers_[slot(timer)].gate.pass(now)) return;
  }
  events.timer(timer, now);
}

}  // namespace platform
