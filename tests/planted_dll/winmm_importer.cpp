// The control of the planted-DLL check: a program that imports winmm.dll, as Tolvane once did, and
// plays the default sound. Beside a planted winmm.dll it must load that copy; with Wine's own
// winmm, its sound must make Wine's sound system load a planted winealsa.drv. Otherwise the check
// proves nothing.
#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>

int main() {
  // A real sound: stopping one (a null sound) does not start Wine's sound system.
  PlaySoundW(L".Default", nullptr, SND_ALIAS | SND_SYNC);
  return 0;
}
