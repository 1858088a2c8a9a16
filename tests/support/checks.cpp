#include "checks.h"

#include <cstdio>
#include <string>

namespace e2e {

namespace {

int passedCount = 0;
int failedCount = 0;
std::string skippedNames;
int skippedCount = 0;

void printLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  // The driver may be killed by a timeout; every line already printed must reach the log.
  std::fflush(stdout);
}

// Keeps each result on one line of the log.
std::string oneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

bool check(std::string_view name, bool ok, std::string_view detail) {
  if (ok) {
    ++passedCount;
    printLine("PASS " + oneLine(name));
  } else {
    ++failedCount;
    printLine("FAIL " + oneLine(name) + ": " +
              (detail.empty() ? std::string("(no detail)") : oneLine(detail)));
  }
  return ok;
}

void skip(std::string_view name, std::string_view reason) {
  ++skippedCount;
  skippedNames += " " + oneLine(name);
  printLine("SKIP " + oneLine(name) + ": " + oneLine(reason));
}

int finish() {
  if (skippedCount > 0) printLine("skipped, not run here:" + skippedNames);
  printLine(std::to_string(passedCount) + " passed, " + std::to_string(failedCount) + " failed, " +
            std::to_string(skippedCount) + " skipped");
  return failedCount == 0 && passedCount > 0 ? 0 : 1;
}

}  // namespace e2e
