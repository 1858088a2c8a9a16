// End-to-end tests: starts the real program and drives it from outside as a
// user would. usage: e2e_driver <Tolvane.exe> [scenario]
#include <string>

#include "checks.h"
#include "scenarios.h"

namespace {

// The driver reads windows in physical pixels, whatever the screen's scaling.
void becomeDpiAware() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  if (setContext == nullptr || setContext(perMonitorV2) == FALSE) SetProcessDPIAware();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  becomeDpiAware();
  if (argc < 2) {
    std::fputs(
        "usage: e2e_driver <Tolvane.exe> "
        "[start-up|alarm|menus|tray|keys|dpi|never-lost|daylight-saving|accessibility|planted-dll]"
        "\n",
        stderr);
    return 2;
  }
  const std::wstring exe = argv[1];
  const std::wstring only = argc > 2 ? argv[2] : L"";
  const struct {
    const wchar_t* name;
    void (*run)(const std::wstring&);
  } scenarios[] = {
      {L"start-up", e2e::startUpScenario},
      {L"alarm", e2e::alarmScenario},
      {L"menus", e2e::menusAndClosingScenario},
      {L"tray", e2e::trayScenario},
      {L"keys", e2e::keysScenario},
      {L"dpi", e2e::dpiScenario},
      {L"never-lost", e2e::neverLostScenario},
      {L"daylight-saving", e2e::daylightSavingScenario},
      {L"accessibility", e2e::accessibilityScenario},
      {L"planted-dll", e2e::plantedDllScenario},
  };
  for (const auto& s : scenarios) {
    if (!only.empty() && only != s.name) continue;
    std::printf("== %ls\n", s.name);
    std::fflush(stdout);
    s.run(exe);
  }
  return e2e::finish();
}
