#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline constexpr int kExitStartFailed = 3;

// The part of the window that could not be created, and the system's error code.
struct StartFailure {
  std::wstring what;
  std::uint32_t error = 0;
};

inline std::wstring startFailureText(std::wstring_view program, std::wstring_view what,
                                     std::uint32_t systemError) {
  const std::string code = std::to_string(systemError);
  return std::wstring(program) + L" could not start: creating " + std::wstring(what) +
         L" failed (system error " + std::wstring(code.begin(), code.end()) + L").";
}

}  // namespace platform
