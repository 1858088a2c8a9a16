#include "bench/soak_figures.h"

#include <algorithm>
#include <charconv>

namespace soak {

namespace {

// The whole number at the start of `text`, after any blanks.
std::optional<long long> leadingNumber(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (error != std::errc{}) return std::nullopt;
  return value;
}

// Calls `each` with every line of `text`, last line first, until it returns true.
template <typename Each>
void linesFromEnd(std::string_view text, Each each) {
  std::size_t end = text.size();
  while (end > 0) {
    const std::size_t newline = text.rfind('\n', end - 1);
    const std::size_t from = newline == std::string_view::npos ? 0 : newline + 1;
    if (each(text.substr(from, end - from))) return;
    end = newline == std::string_view::npos ? 0 : newline;
  }
}

}  // namespace

std::optional<long long> lastGdiCount(std::string_view trace) {
  std::optional<long long> count;
  linesFromEnd(trace, [&](std::string_view line) {
    const bool allocated = line.find(":alloc_gdi_handle ") != std::string_view::npos;
    const bool freed = line.find(":free_gdi_handle ") != std::string_view::npos;
    const std::size_t slash = line.rfind('/');
    if ((!allocated && !freed) || slash == std::string_view::npos) return false;
    std::size_t digits = slash;
    while (digits > 0 && line[digits - 1] >= '0' && line[digits - 1] <= '9') --digits;
    const auto live = leadingNumber(line.substr(digits, slash - digits));
    if (!live) return false;
    count = freed ? *live - 1 : *live;
    return true;
  });
  return count;
}

std::optional<long long> cpuTicks(std::string_view stat) {
  // The name in parentheses may hold spaces and parentheses; utime and stime are the 12th and
  // 13th fields after its closing one.
  const std::size_t close = stat.rfind(')');
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view rest = stat.substr(close + 1);
  long long total = 0;
  for (int field = 1; field <= 13; ++field) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    if (field >= 12) {
      const auto ticks = leadingNumber(rest.substr(0, end));
      if (!ticks) return std::nullopt;
      total += *ticks;
    }
    rest.remove_prefix(end);
  }
  return total;
}

std::optional<long long> privateKiB(std::string_view smapsRollup) {
  std::optional<long long> total;
  linesFromEnd(smapsRollup, [&](std::string_view line) {
    for (std::string_view field : {"Private_Clean:", "Private_Dirty:"}) {
      if (!line.starts_with(field)) continue;
      const auto kib = leadingNumber(line.substr(field.size()));
      if (kib) total = total.value_or(0) + *kib;
    }
    return false;
  });
  return total;
}

}  // namespace soak
