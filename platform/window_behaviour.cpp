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

}  // namespace platform
