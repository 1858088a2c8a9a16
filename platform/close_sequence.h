#pragma once

#include "platform/forms.h"

namespace platform {

// How every window closes: ask first, one question at a time (a request while the
// question is open is refused, so answers never stack), then unload exactly once.
class CloseSequence {
 public:
  // True when the window agreed to close. Refused while asking or once unloaded.
  bool allowed(FormEvents& events, UnloadMode mode) {
    if (asking_ || unloaded_) return false;
    Bool16 cancel = kFalse16;
    asking_ = true;
    // However the question ends, even by an exception, it is no longer open.
    const struct Asked {
      bool& asking;
      ~Asked() { asking = false; }
    } asked{asking_};
    events.queryUnload(cancel, mode);
    return cancel == kFalse16;
  }
  // Runs the unload event unless it already ran; true when it ran now.
  bool unload(FormEvents& events) {
    if (unloaded_) return false;
    unloaded_ = true;
    Bool16 ignored = kFalse16;
    events.unload(ignored);
    return true;
  }
  bool request(FormEvents& events, UnloadMode mode) {
    return allowed(events, mode) && unload(events);
  }
  bool unloaded() const { return unloaded_; }

 private:
  bool asking_ = false;
  bool unloaded_ = false;
};

}  // namespace platform
