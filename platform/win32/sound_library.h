#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace platform::win32 {

// PlaySound, from the system's winmm.dll. winmm is not one of Windows' KnownDLLs, so importing
// it would let a winmm.dll in the program's folder load first; it is loaded from System32 only.
// It is loaded with the window, as an import would be, so the alarm's first tone does not wait
// for it; loading it opens no sound device. Where it cannot be loaded every sound returns FALSE
// and nothing else changes: a missing sound must never cost the alarm's message.
class SoundLibrary {
 public:
  SoundLibrary();
  SoundLibrary(const SoundLibrary&) = delete;
  SoundLibrary& operator=(const SoundLibrary&) = delete;

  BOOL playSoundA(LPCSTR sound, HMODULE module, DWORD flags);
  BOOL playSoundW(LPCWSTR sound, HMODULE module, DWORD flags);

 private:
  using PlaySoundAFn = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
  using PlaySoundWFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
  static void freeLibrary(HMODULE module) noexcept { FreeLibrary(module); }

  Owned<HMODULE, freeLibrary> winmm_;
  PlaySoundAFn playSoundA_ = nullptr;
  PlaySoundWFn playSoundW_ = nullptr;
};

}  // namespace platform::win32
