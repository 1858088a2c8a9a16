#include "platform/win32/system_services.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "platform/local_time.h"
#include "platform/win32/optional_api.h"

namespace platform::win32 {

void Win32SystemServices::initCommonControls() { InitCommonControls(); }

bool Win32SystemServices::shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) {
#ifdef _WIN64
  NOTIFYICONDATAA native = toNativeRecord<NOTIFYICONDATAA>(record);
#else
  // On 32-bit Windows the record already has the system's layout.
  static_assert(NOTIFYICONDATAA_V2_SIZE == sizeof(NotifyIconDataA));
  static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(NotifyIconDataA, szTip));
  static_assert(offsetof(NOTIFYICONDATAA, szInfo) == offsetof(NotifyIconDataA, szInfo));
  static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == offsetof(NotifyIconDataA, szInfoTitle));
  static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(NotifyIconDataA, dwInfoFlags));
  NOTIFYICONDATAA native{};
  std::memcpy(&native, &record, sizeof(record));
#endif
  return Shell_NotifyIconA(message, &native) != FALSE;
}

bool Win32SystemServices::setForegroundWindow(std::uint32_t hWnd) {
  return SetForegroundWindow(handleFrom32<HWND>(hWnd)) != FALSE;
}

long long Win32SystemServices::localSecondAt(long long utcSecond) const {
  ULARGE_INTEGER ticks{};
  ticks.QuadPart = static_cast<ULONGLONG>(ticksAt(utcSecond * kMsPerSecond));
  const FILETIME utcFile{ticks.LowPart, ticks.HighPart};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FILETIME localFile = utcFile;
  // Should the zone be unknown, the UTC reading stands: the timer is early or late, not lost.
  if (FileTimeToSystemTime(&utcFile, &utc) != FALSE &&
      SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) != FALSE) {
    SystemTimeToFileTime(&local, &localFile);
  }
  return msSince1970(localFile) / kMsPerSecond;
}

void Win32SystemServices::setWakeTimer(std::optional<long long> utcSecond,
                                       std::wstring_view reason) {
  if (!utcSecond) {
    if (wakeTimer_) CancelWaitableTimer(wakeTimer_.get());
    return;
  }
  if (!wakeTimer_) wakeTimer_.reset(CreateWaitableTimerW(nullptr, TRUE, nullptr));
  if (!wakeTimer_) return;
  LARGE_INTEGER due{};  // positive: an absolute UTC time
  due.QuadPart = ticksAt(*utcSecond * kMsPerSecond);
  std::wstring text(reason);
  REASON_CONTEXT context{};
  context.Version = POWER_REQUEST_CONTEXT_VERSION;
  context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
  context.Reason.SimpleReasonString = text.data();
  // Windows 7 and later name the reason in powercfg's list.
  const auto setWithReason =
      optionalApi<decltype(&SetWaitableTimerEx)>(L"kernel32.dll", "SetWaitableTimerEx");
  if (setWithReason == nullptr ||
      setWithReason(wakeTimer_.get(), &due, 0, nullptr, nullptr, &context, 0) == FALSE) {
    SetWaitableTimer(wakeTimer_.get(), &due, 0, nullptr, nullptr, TRUE);
  }
}

void Win32SystemServices::keepSystemRunning(bool on) {
  SetThreadExecutionState(on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

std::string Win32SystemServices::toAnsi(std::wstring_view text) const {
  return toAnsiCodePage(text).text;
}

Win32SystemServices::AnsiText Win32SystemServices::toAnsiCodePage(std::wstring_view text) {
  if (text.empty()) return {{}, true};
  // A UTF-8 code page represents everything and accepts no lossiness query.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* const lossyOut = utf8 ? nullptr : &lossy;
  const int wideLength = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr, lossyOut);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, ansi.data(), size, nullptr, lossyOut);
  return {std::move(ansi), size > 0 && lossy == FALSE};
}

}  // namespace platform::win32
