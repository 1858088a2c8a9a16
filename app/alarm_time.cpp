#include "app/alarm_time.h"

#include <array>

#include "app/clock.h"

namespace app {

namespace {

constexpr int kSecondsPerDay = 86'400;
// The highest value of the hours, the minutes and the seconds.
constexpr std::array kHighest{23, 59, 59};

// The value of a part of one or two digits up to `highest`, or nothing.
std::optional<int> partValue(std::wstring_view part, int highest) {
  if (part.empty() || part.size() > 2) return std::nullopt;
  int value = 0;
  for (wchar_t ch : part) {
    if (ch < L'0' || ch > L'9') return std::nullopt;
    value = value * 10 + (ch - L'0');
  }
  if (value > highest) return std::nullopt;
  return value;
}

// Seconds from `from` forward to `to` on a 24-hour dial.
int secondsForward(int from, int to) { return (to - from + kSecondsPerDay) % kSecondsPerDay; }

}  // namespace

AlarmTimeEntry alarmTimeFrom(std::wstring_view hours, std::wstring_view minutes,
                             std::wstring_view seconds) {
  const std::array parts{hours, minutes, seconds};
  std::array<int, 3> values{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto value = partValue(parts[i], kHighest[i]);
    if (!value) return {.alarmText = {}, .wrong = static_cast<TimeField>(i)};
    values[i] = *value;
  }
  return {.alarmText = formatClock({.hour = values[0], .minute = values[1], .second = values[2]}),
          .wrong = std::nullopt};
}

std::optional<int> secondOfDay(std::wstring_view clockText) {
  if (clockText.size() != 8 || clockText[2] != L':' || clockText[5] != L':') return std::nullopt;
  int seconds = 0;
  for (std::size_t i = 0; i < kHighest.size(); ++i) {
    const auto value = partValue(clockText.substr(i * 3, 2), kHighest[i]);
    if (!value) return std::nullopt;
    seconds = seconds * 60 + *value;
  }
  return seconds;
}

bool alarmDue(std::wstring_view shownBefore, std::wstring_view shownNow, std::wstring_view alarm) {
  const auto now = secondOfDay(shownNow);
  const auto at = secondOfDay(alarm);
  if (!now || !at) return false;
  const auto before = secondOfDay(shownBefore);
  if (!before) return *now == *at;
  const int step = secondsForward(*before, *now);
  const int toAlarm = secondsForward(*before, *at);
  // A repeated second (step 0) or a clock set back (a step of almost a day)
  // fires nothing, so no occurrence rings twice.
  return step <= kLateTickLimitSeconds && toAlarm >= 1 && toAlarm <= step;
}

}  // namespace app
