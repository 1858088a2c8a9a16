#include "platform/close_sequence.h"

namespace platform {

bool CloseSequence::allowed(FormEvents& events, UnloadMode mode) {
  if (asking_ || unloaded_) return false;
  Bool16 cancel = kFalse16;
  asking_ = true;
  events.queryUnload(cancel, mode);
  asking_ = false;
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
