#include "platform/window_behaviour.h"

namespace platform {

int WindowBehaviour::start(FormEvents& events) {
  events.initialise();
  if (const auto failure = window_.create()) {
    const std::wstring program(design_.form.caption);
    window_.msgBox(startFailureText(program, failure->what, failure->error), kMbIconError, program);
    return kExitStartFailed;
  }
  events.load();
  live_ = true;
  window_.open();
  window_.setFocus(
      nextInTabOrder(design_, Ctl::Form1, false, [this](Ctl c) { return canFocus(c); }));
  return 0;
}

bool WindowBehaviour::canFocus(Ctl c) const {
  if (!isFocusableKind(design_[c].kind) || !window_.enabled(c)) return false;
  for (Ctl at = c; at != Ctl::Form1; at = design_[at].container) {
    if (!window_.visible(at)) return false;
  }
  return window_.visible(Ctl::Form1);
}

bool WindowBehaviour::pressKey(const KeyStroke& stroke) {
  const KeyAction action =
      keyAction(stroke, design_, window_.focused(), [this](Ctl c) { return canFocus(c); });
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
  const auto count = static_cast<int>(design_[tabStrip].tabs.size());
  window_.selectTab(tabStrip, cycledTab(window_.selectedTab(tabStrip), count, backwards));
  if (!canFocus(window_.focused())) window_.setFocus(tabStrip);
}

bool WindowBehaviour::enableTimer(Ctl timer, bool on) {
  timers_[slot(timer)].enabled = on;
  if (!on) {
    window_.killSystemTimer(timer);
    return true;
  }
  const int interval = design_[timer].interval;
  return window_.setSystemTimer(
      timer, aligned(timer) ? clockAlignedDelayMs(window_.readClock().millisecond, interval, true)
                            : interval);
}

std::optional<Ctl> WindowBehaviour::startTimers() {
  for (const auto& d : design_.controls) {
    if (d.kind == Kind::Timer && d.enabled && !enableTimer(d.name, true)) return d.name;
  }
  return std::nullopt;
}

void WindowBehaviour::clockChanged(FormEvents& events) {
  if (!live_) return;
  for (const auto& d : design_.controls) {
    if (d.kind == Kind::Timer && d.clockAligned && timers_[slot(d.name)].enabled) {
      deliverTick(d.name, events);
    }
  }
}

void WindowBehaviour::stop() {
  live_ = false;
  for (const auto& d : design_.controls) {
    if (d.kind == Kind::Timer) window_.killSystemTimer(d.name);
  }
}

// Re-armed before the handler runs, because the handler may block in a modal box;
// a refused re-arm keeps the period there was, and the next tick tries again.
void WindowBehaviour::deliverTick(Ctl timer, FormEvents& events) {
  const LocalTime now = window_.readClock();
  if (aligned(timer)) {
    window_.setSystemTimer(timer, clockAlignedRearmMs(now));
    if (!timers_[slot(timer)].gate.pass(now)) return;
  }
  events.timer(timer, now);
}

}  // namespace platform
