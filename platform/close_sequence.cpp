#include "platform/close_sequence.h"

namespace platform {

bool CloseSequence::allowed(FormEvents& events, UnloadMode mode) {
  if (asking_ || unloaded_) return false;
  Bool16 cancel = kFalse16;
  asking_ = true;
  // However the question ends, even by an exception the window drops, it is no longer open.
  const struct Asked {
    bool& asking;
    ~Asked() { asking = false; }
  } asked{asking_};
  events.queryUnload(cancel, mode);
  return cancel == kFalse16;
}

bool CloseSequence::unload(FormEvents& events) {
  if (unloaded_) return false;
  unloaded_ = true;
  Bool16 ignored = kFalse16;
  events.unload(ignored);
  return true;
}

}  // namespace platform
