#pragma once

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
};

// What a key, a page turn and the first focus do, carried out once for every
// window over its primitives, so no window answers otherwise. The focus alone
// never selects an option button, as with the system's own: the arrows do.
class WindowBehaviour {
 public:
  WindowBehaviour(const FormDesign& design, WindowPrimitives& window)
      : design_(design), window_(window) {}

  // The first control in tab order that can take the focus gets it.
  void focusFirst();
  // Carries out the key rule's action; false leaves the key to the focused control.
  bool pressKey(const KeyStroke& stroke);

 private:
  void turnPage(Ctl tabStrip, bool backwards);

  const FormDesign& design_;
  WindowPrimitives& window_;
};

}  // namespace platform
