// A DLL as a web page could leave in a Downloads folder, built as winmm.dll and as winealsa.drv:
// once loaded, it appends "<program> loaded <its own name>" to planted-loaded.txt beside itself.
// It exports the two functions a program that plays sounds imports, and forwards nothing, so no
// sound plays through it.
#include <windows.h>

#include <string>

namespace {

std::string moduleFileName(HMODULE module) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : 0);
}

void recordLoad(HMODULE self) {
  const std::string dll = moduleFileName(self);
  const std::size_t nameStart = dll.find_last_of("\\/") + 1;
  const std::string line = moduleFileName(nullptr) + " loaded " + dll.substr(nameStart) + "\n";
  const HANDLE file = CreateFileA((dll.substr(0, nameStart) + "planted-loaded.txt").c_str(),
                                  FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

// A load at run time (the sound system's driver lookup) is refused once recorded, so the sound
// system goes on with its own drivers; an import (winmm.dll's) must attach or its program would
// not start. Windows and Wine pass a non-null reserved pointer for imports only.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  recordLoad(self);
  return reserved != nullptr;
}

extern "C" __declspec(dllexport) BOOL WINAPI
    PlaySoundA(LPCSTR /*sound*/, HMODULE /*module*/, DWORD /*flags*/) {
  return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI
    PlaySoundW(LPCWSTR /*sound*/, HMODULE /*module*/, DWORD /*flags*/) {
  return FALSE;
}
