# shellcheck shell=bash
# Sourced by the executable and package checks: check NAME EXPRESSION prints PASS or FAIL for an
# expression evaluated in the caller, and finish prints "N passed, N failed" and fails if any did.
passed=0 failed=0
check() {
  if eval "$2"; then
    echo "PASS $1"; passed=$((passed + 1))
  else
    echo "FAIL $1"; failed=$((failed + 1))
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [[ $failed -eq 0 ]]
}
