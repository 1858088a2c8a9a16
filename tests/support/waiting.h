// Waiting for another process: polling under a time limit. Every wait in the driver takes a
// timeout in milliseconds and gives up with a failure value; nothing blocks on the other process
// without a limit.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

inline constexpr DWORD kPollMs = 10;

// Polls `done` every `pollMs` until it returns true (then true) or `timeoutMs` passed (false).
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = kPollMs);

}  // namespace e2e
