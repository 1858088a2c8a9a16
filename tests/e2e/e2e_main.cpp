// End-to-end tests: starts the real program and drives it from outside as a
// user would. usage: e2e_driver <Tolvane.exe> [scenario]
#include <string>

#include "scenarios.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: e2e_driver <Tolvane.exe> [start-up|alarm|menus|tray]\n", stderr);
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
  };
  for (const auto& s : scenarios) {
    if (!only.empty() && only != s.name) continue;
    std::printf("== %ls\n", s.name);
    std::fflush(stdout);
    s.run(exe);
  }
  return e2e::finish();
}
