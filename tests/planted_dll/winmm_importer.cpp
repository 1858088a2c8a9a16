// The control of the planted-DLL check: a program that imports winmm.dll, as Tolvane once did.
// Started beside a planted winmm.dll, it must load that copy, or the check proves nothing.
#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>

int main() {
  // Stops any sound playing: the call only makes the import.
  PlaySoundW(nullptr, nullptr, 0);
  return 0;
}
