// End-to-end tests: starts the real program and drives it from outside as a
// user would. usage: e2e_driver <Tolvane.exe> [scenario]
#include <string>

#include "checks.h"
#include "processes.h"
#include "scenarios.h"
#include "text.h"

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
  // Under Wine every scenario runs. On Windows itself a scenario that leans on the Wine session
  // cannot: it is skipped, saying why, and counted as skipped.
  constexpr const char* kSoundCapture = "it hears the tones in the Wine session's sound capture";
  const struct {
    const wchar_t* name;
    void (*run)(const std::wstring&);
    const char* needsWine;  // why, or nullptr where a real desktop will do
  } scenarios[] = {
      {L"start-up", e2e::startUpScenario, nullptr},
      {L"alarm", e2e::alarmScenario, kSoundCapture},
      {L"menus", e2e::menusAndClosingScenario, nullptr},
      {L"tray", e2e::trayScenario,
       "it finds the icon and its balloon in Wine's own notification-area windows"},
      {L"keys", e2e::keysScenario, nullptr},
      {L"dpi", e2e::dpiScenario,
       "it sets the screen's DPI through LogPixels, which Windows applies only at the next "
       "sign-in"},
      {L"never-lost", e2e::neverLostScenario, kSoundCapture},
      {L"daylight-saving", e2e::daylightSavingScenario,
       "it gives one program a time zone of its own through Wine's Unix TZ"},
      {L"accessibility", e2e::accessibilityScenario, nullptr},
      {L"planted-dll", e2e::plantedDllScenario,
       "it makes Wine search as Windows does per program, and hears the alarm in the Wine "
       "session's sound capture"},
  };
  const bool wine = e2e::underWine();
  for (const auto& s : scenarios) {
    if (!only.empty() && only != s.name) continue;
    if (!wine && s.needsWine != nullptr) {
      e2e::skip(e2e::utf8(s.name), std::string("needs Wine: ") + s.needsWine);
      continue;
    }
    std::printf("== %ls\n", s.name);
    std::fflush(stdout);
    s.run(exe);
  }
  return e2e::finish();
}
