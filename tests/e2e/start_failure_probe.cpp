// The real window, started so that building it fails the way it can on a
// system out of resources. The driver checks that the user is told, and that
// the box waits for an answer.
//   start_failure_probe before-window  the window class is already taken, so no window exists
//   start_failure_probe after-window   the window exists, and its first text box is refused, so
//                                      the window is destroyed before the box shows
#include <windows.h>

#include <memory>
#include <string_view>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/controls.h"
#include "platform/run.h"

namespace {

bool takeWindowClass() {
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
                          .lpszClassName = platform::kFormClassName,
                          .hIconSm = nullptr};
  return RegisterClassExW(&taken) != 0;
}

HHOOK refusal = nullptr;

// Refuses the first text box, once, known by its control id: every window
// created before it exists.
LRESULT CALLBACK refuseFirstTextBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW& created = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    const auto id = reinterpret_cast<UINT_PTR>(created.hMenu);
    if (created.hwndParent != nullptr && id == platform::controlId(platform::Ctl::Text1)) {
      UnhookWindowsHookEx(refusal);
      refusal = nullptr;
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view when = argc > 1 ? argv[1] : "";
  if (when == "before-window") {
    if (!takeWindowClass()) return 1;
  } else if (when == "after-window") {
    refusal = SetWindowsHookExW(WH_CBT, &refuseFirstTextBox, nullptr, GetCurrentThreadId());
    if (refusal == nullptr) return 1;
  } else {
    return 2;
  }
  return platform::runForm(
      app::form1Design(),
      [](platform::Forms& ui,
         platform::SystemServices& system) -> std::unique_ptr<platform::FormEvents> {
        return std::make_unique<app::Form1>(ui, system);
      });
}
