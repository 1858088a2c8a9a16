#include "platform/win32/sound_library.h"

#include "platform/win32/dll_search.h"
#include "platform/win32/optional_api.h"

namespace platform::win32 {

SoundLibrary::SoundLibrary() : winmm_(loadSystemLibrary(L"winmm.dll")) {
  if (!winmm_) return;
  playSoundA_ = exported<PlaySoundAFn>(winmm_.get(), "PlaySoundA");
  playSoundW_ = exported<PlaySoundWFn>(winmm_.get(), "PlaySoundW");
}

BOOL SoundLibrary::playSoundA(LPCSTR sound, HMODULE module, DWORD flags) {
  return playSoundA_ != nullptr ? playSoundA_(sound, module, flags) : FALSE;
}

BOOL SoundLibrary::playSoundW(LPCWSTR sound, HMODULE module, DWORD flags) {
  return playSoundW_ != nullptr ? playSoundW_(sound, module, flags) : FALSE;
}

}  // namespace platform::win32
