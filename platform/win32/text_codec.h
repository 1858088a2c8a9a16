#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring readWindowText(void* window);

// The ANSI code page's form of `text`; `exact` tells whether it converts back
// to the same text, so that callers can fall back to a wide call when it does not.
struct AnsiText {
  std::string text;
  bool exact = false;
};
AnsiText toAnsiCodePage(std::wstring_view text);

// The 8.3 form of an existing file's path, or empty when there is none.
std::wstring shortPathName(const std::wstring& path);

}  // namespace platform::win32
