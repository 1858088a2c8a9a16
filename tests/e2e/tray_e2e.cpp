#include "scenarios.h"

namespace e2e {

void trayScenario(const std::wstring& exe) {
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace e2e
