// The smallest program that does what the alarm does: a time typed as "hh:mm:ss" and armed with
// Ok, a waitable timer due at that second, then the default sound and a box on the same thread.
// The alarm benchmark runs it beside the program as the reference for Wine's own costs. It carries
// the program's manifest (minimal_alarm.rc), so its box is made of the same controls.
#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>

#include <cwchar>

namespace {

constexpr int kTimeId = 1;
constexpr int kArmedId = 2;  // shows the armed time, so a driver sees Ok was taken
constexpr int kOkId = IDOK;
HANDLE timer = nullptr;

long long ticks(const SYSTEMTIME& t) {
  FILETIME f{};
  SystemTimeToFileTime(&t, &f);
  return (static_cast<long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// Due at the next time the local clock reads the typed time, counted from now.
void arm(HWND window) {
  wchar_t text[16] = {};
  GetDlgItemTextW(window, kTimeId, text, 16);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  SYSTEMTIME due = now;
  if (std::swscanf(text, L"%hu:%hu:%hu", &due.wHour, &due.wMinute, &due.wSecond) != 3) return;
  due.wMilliseconds = 0;
  LARGE_INTEGER after{};
  after.QuadPart = -(ticks(due) - ticks(now));  // negative: relative, in 100 ns units
  if (after.QuadPart > 0) return;
  if (SetWaitableTimer(timer, &after, 0, nullptr, nullptr, FALSE)) {
    SetDlgItemTextW(window, kArmedId, text);
  }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto child = [&](const wchar_t* cls, DWORD style, int x, int width, int id) {
    CreateWindowW(cls, L"", WS_CHILD | WS_VISIBLE | style, x, 10, width, 22, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  };
  switch (message) {
    case WM_CREATE:
      child(L"EDIT", WS_BORDER | WS_TABSTOP, 10, 80, kTimeId);
      child(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 100, 40, kOkId);
      child(L"STATIC", 0, 150, 80, kArmedId);
      SetDlgItemTextW(window, kOkId, L"Ok");
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkId) arm(window);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MinimalAlarm";
  RegisterClassW(&windowClass);
  // Away from the program's window, so clicks meant for it never land here.
  const HWND window = CreateWindowW(L"MinimalAlarm", L"Minimal alarm", WS_OVERLAPPEDWINDOW, 700,
                                    540, 260, 90, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  for (;;) {
    if (MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) {
      PlaySoundA(".Default", nullptr, SND_ALIAS | SND_SYNC);
      MessageBoxW(window, L"alarm", L"PESAN", MB_ICONINFORMATION | MB_SETFOREGROUND);
      continue;
    }
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        CloseHandle(timer);
        return static_cast<int>(message.wParam);
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}
