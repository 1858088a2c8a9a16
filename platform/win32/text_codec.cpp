#include "platform/win32/text_codec.h"

#include <windows.h>

namespace platform::win32 {

std::wstring readWindowText(void* window) {
  const HWND hwnd = static_cast<HWND>(window);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

AnsiText toAnsiCodePage(std::wstring_view text) {
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

std::wstring shortPathName(const std::wstring& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return {};
  shortPath.resize(length);
  return shortPath;
}

}  // namespace platform::win32
