#include "app/alarm_time.h"

#include <array>
#include <chrono>

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

long long floorDiv(long long value, long long divisor) {
  const long long q = value / divisor;
  return (value % divisor < 0) ? q - 1 : q;
}

// The local date and time as seconds on one count, so that an interval can
// cross midnight and span days.
long long localSeconds(const platform::LocalTime& t) {
  return localDay(t) * kSecondsPerDay + (t.hour * 60LL + t.minute) * 60 + t.second;
}

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

long long localDay(const platform::LocalTime& t) {
  using namespace std::chrono;
  const sys_days date =
      year{t.year} / month{static_cast<unsigned>(t.month)} / day{static_cast<unsigned>(t.day)};
  return date.time_since_epoch().count();
}

AlarmVerdict alarmVerdict(const std::optional<platform::LocalTime>& previous,
                          const platform::LocalTime& now, std::wstring_view alarm,
                          std::optional<long long> settledDay) {
  const auto at = secondOfDay(alarm);
  if (!at) return {};
  const long long nowSeconds = localSeconds(now);
  // Before the first tick the interval is the second shown, so only an exact match counts.
  const long long since = previous ? localSeconds(*previous) : nowSeconds - 1;
  long long day = floorDiv(nowSeconds - *at, kSecondsPerDay);
  if (day == settledDay) --day;
  // Also true of an interval that goes back: it holds no occurrence.
  if (day * kSecondsPerDay + *at <= since) return {};
  const bool onTime = !previous || floorDiv(now.utcMs, 1000) - floorDiv(previous->utcMs, 1000) <=
                                       kLateTickLimitSeconds;
  return {.call = onTime ? AlarmCall::Ring : AlarmCall::Missed, .day = day};
}

}  // namespace app
