// The end-to-end scenarios; each starts its own copy of the program.
#pragma once

#include <string>

#include "tolvane_app.h"

namespace e2e {

void startUpScenario(const std::wstring& exe);
void alarmScenario(const std::wstring& exe);
void menusAndClosingScenario(const std::wstring& exe);
void trayScenario(const std::wstring& exe);
void keysScenario(const std::wstring& exe);
void dpiScenario(const std::wstring& exe);
void neverLostScenario(const std::wstring& exe);
void daylightSavingScenario(const std::wstring& exe);
void accessibilityScenario(const std::wstring& exe);
void plantedDllScenario(const std::wstring& exe);

}  // namespace e2e
