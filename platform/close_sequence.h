#pragma once

#include "platform/forms.h"

namespace platform {

// How every platform closes the window: ask the window first, one question at a
// time (a request that arrives while the question is open is refused, so answers
// never stack), then unload exactly once.
class CloseSequence {
 public:
  // True when the window agreed to close. Refused while asking or once unloaded.
  bool allowed(FormEvents& events, UnloadMode mode);
  // Runs the unload event unless it already ran; true when it ran now.
  bool unload(FormEvents& events);
  // Both steps; true when the window unloaded now.
  bool request(FormEvents& events, UnloadMode mode) {
    return allowed(events, mode) && unload(events);
  }
  bool unloaded() const { return unloaded_; }

 private:
  bool asking_ = false;
  bool unloaded_ = false;
};

}  // namespace platform
