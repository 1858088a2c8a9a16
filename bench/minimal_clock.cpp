// The smallest window that does what the program's clock does: a label updated from a 1,000 ms
// timer. The soak benchmark runs it beside the program as the reference for Wine's own costs.
#include <windows.h>

#include <cwchar>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kLabelId = 1;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateWindowW(L"STATIC", L"clock", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)), nullptr, nullptr);
      SetTimer(window, kTimerId, 1000, nullptr);
      return 0;
    case WM_TIMER: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      wchar_t text[16];
      std::swprintf(text, 16, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
      SetDlgItemTextW(window, kLabelId, text);
      return 0;
    }
    case WM_DESTROY:
      KillTimer(window, kTimerId);
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MinimalClock";
  RegisterClassW(&windowClass);
  // Away from the program's window, so clicks meant for it never land here.
  const HWND window = CreateWindowW(L"MinimalClock", L"Minimal clock", WS_OVERLAPPEDWINDOW, 780,
                                    640, 200, 90, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
