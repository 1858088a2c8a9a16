// The real window, started when its window class is already taken, so that
// building it fails the way it can on a system out of resources. The driver
// checks that the user is told, and that the box waits for an answer.
#include <windows.h>

#include <memory>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/run.h"

int main() {
  const WNDCLASSEXW taken{.cbSize = sizeof(WNDCLASSEXW),
                          .style = 0,
                          .lpfnWndProc = DefWindowProcW,
                          .cbClsExtra = 0,
                          .cbWndExtra = 0,
                          .hInstance = GetModuleHandleW(nullptr),
                          .hIcon = nullptr,
                          .hCursor = nullptr,
                          .hbrBackground = nullptr,
                          .lpszMenuName = nullptr,
                          .lpszClassName = L"TolvaneForm",
                          .hIconSm = nullptr};
  if (RegisterClassExW(&taken) == 0) return 1;
  return platform::runForm(
      app::form1Design(),
      [](platform::Forms& ui,
         platform::SystemServices& system) -> std::unique_ptr<platform::FormEvents> {
        return std::make_unique<app::Form1>(ui, system);
      });
}
