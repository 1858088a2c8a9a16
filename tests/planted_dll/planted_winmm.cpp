// A winmm.dll as a web page could leave in a Downloads folder: once loaded, it appends the path of
// the program that loaded it to winmm-loaded.txt beside itself. It exports the two functions a
// program that plays sounds imports, and forwards nothing, so no sound plays through it.
#include <windows.h>

#include <cstddef>

namespace {

void recordLoad(HMODULE self) {
  wchar_t marker[MAX_PATH];
  const DWORD length = GetModuleFileNameW(self, marker, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  wchar_t* name = marker + length;
  while (name != marker && name[-1] != L'\\' && name[-1] != L'/') --name;
  constexpr wchar_t kMarkerName[] = L"winmm-loaded.txt";
  if (static_cast<std::size_t>(name - marker) + sizeof kMarkerName / sizeof(wchar_t) > MAX_PATH) {
    return;
  }
  lstrcpyW(name, kMarkerName);
  char program[MAX_PATH + 2];
  DWORD written = GetModuleFileNameA(nullptr, program, MAX_PATH);
  program[written++] = '\n';
  const HANDLE file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  WriteFile(file, program, written, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) recordLoad(self);
  return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI
    PlaySoundA(LPCSTR /*sound*/, HMODULE /*module*/, DWORD /*flags*/) {
  return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI
    PlaySoundW(LPCWSTR /*sound*/, HMODULE /*module*/, DWORD /*flags*/) {
  return FALSE;
}
