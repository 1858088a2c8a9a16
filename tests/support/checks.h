// The driver's report: one "PASS name" or "FAIL name: detail" line per check, ending with
// "N passed, N failed".
#pragma once

#include <string_view>

namespace e2e {

// Records one check and prints "PASS name" or "FAIL name: detail" (line breaks in the detail are
// shown as \n so each result stays on one line). Returns `ok`.
bool check(std::string_view name, bool ok, std::string_view detail = {});
// Prints "N passed, N failed" and returns the exit code: 0 when at least one check ran and none
// failed, 1 otherwise.
int finish();

}  // namespace e2e
