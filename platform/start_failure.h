#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The exit code of a program whose window could not be built.
inline constexpr int kExitStartFailed = 3;

// The part of the window that could not be created, and the system's error code.
struct StartFailure {
  std::wstring what;
  std::uint32_t error = 0;
};

// What the user is told when the window could not be built.
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
