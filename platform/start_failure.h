#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The exit code of a program whose window could not be built.
inline constexpr int kExitStartFailed = 3;

// What the user is told then: which part failed, with the system's error code.
inline std::wstring startFailureText(std::wstring_view program, std::wstring_view what,
                                     std::uint32_t systemError) {
  std::wstring code;
  do {
    code.insert(code.begin(), static_cast<wchar_t>(L'0' + systemError % 10));
    systemError /= 10;
  } while (systemError != 0);
  return std::wstring(program) + L" could not start: creating " + std::wstring(what) +
         L" failed (system error " + code + L").";
}

}  // namespace platform
