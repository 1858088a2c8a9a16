// The driver's report: one "PASS name" or "FAIL name: detail" line per check and one
// "SKIP name: reason" line per scenario that could not run, ending with the skipped scenarios'
// names and "N passed, N failed, N skipped".
#pragma once

#include <string_view>

namespace e2e {

// Records one check and prints "PASS name" or "FAIL name: detail" (line breaks in the detail are
// shown as \n so each result stays on one line). Returns `ok`.
bool check(std::string_view name, bool ok, std::string_view detail = {});
// Records a scenario that cannot run here and prints "SKIP name: reason". A skip is never a pass:
// it is counted apart and named again at the end.
void skip(std::string_view name, std::string_view reason);
// Prints the skipped scenarios and "N passed, N failed, N skipped", and returns the exit code: 0
// when at least one check ran and none failed, 1 otherwise.
int finish();

}  // namespace e2e
