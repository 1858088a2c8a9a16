// Figures the soak benchmark reads out of text that Linux and Wine write: kept apart from the
// Win32 code that fetches the text so that the host unit tests can check them.
#pragma once

#include <optional>
#include <string_view>

namespace soak {

// Live GDI objects after the last allocation or release in a `WINEDEBUG=+gdi` trace: its
// "alloc_gdi_handle ... N/65536" lines give the count after the allocation, "free_gdi_handle
// ... N/65536" the count before the release.
std::optional<long long> lastGdiCount(std::string_view trace);

// User plus system time, in clock ticks, from the text of /proc/PID/stat.
std::optional<long long> cpuTicks(std::string_view stat);

// Private_Clean plus Private_Dirty, in KiB, from the text of /proc/PID/smaps_rollup.
std::optional<long long> privateKiB(std::string_view smapsRollup);

}  // namespace soak
