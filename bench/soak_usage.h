// What a running program holds and has used, counted from outside under Wine, where
// GetGuiResources and GetProcessHandleCount are stubs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace soak {

// A program under measurement: its Windows process id, the Unix process id of the same process
// and the file its `WINEDEBUG=+gdi` trace goes to (a Windows path).
struct Measured {
  DWORD processId = 0;
  int unixPid = 0;
  std::wstring gdiTrace;
};

struct Usage {
  std::optional<long long> gdiObjects;  // live count in Wine's GDI handle table
  std::optional<long long> windows;     // top-level windows and all their descendants
  std::optional<long long> kernelHandles;
  std::optional<long long> privateKiB;  // Private_Clean + Private_Dirty of smaps_rollup
  std::optional<double> cpuSeconds;     // user + system time of all its threads
};

Usage measure(const Measured& program);

}  // namespace soak
