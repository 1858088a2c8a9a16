#include "app/alarm_time.h"

#include <algorithm>
#include <array>

namespace app {

namespace {

constexpr std::array kHighest{23, 59, 59};

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

std::wstring twoDigits(int value) {
  return {static_cast<wchar_t>(L'0' + value / 10 % 10), static_cast<wchar_t>(L'0' + value % 10)};
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

std::wstring formatClock(const platform::LocalTime& t) {
  return twoDigits(t.hour) + L':' + twoDigits(t.minute) + L':' + twoDigits(t.second);
}

std::wstring missedAlarmText(std::wstring_view message, std::wstring_view due) {
  std::wstring text(message);
  if (!text.empty()) text += L"\r\n\r\n";
  text.append(L"The alarm due at ").append(due).append(L" could not ring on time.");
  return text;
}

std::optional<int> secondOfDay(std::wstring_view clockText) {
  if (clockText.size() != 8 || clockText[2] != L':' || clockText[5] != L':') return std::nullopt;
  const auto hour = partValue(clockText.substr(0, 2), kHighest[0]);
  const auto minute = partValue(clockText.substr(3, 2), kHighest[1]);
  const auto second = partValue(clockText.substr(6, 2), kHighest[2]);
  if (!hour || !minute || !second) return std::nullopt;
  return platform::secondsIntoDay({.hour = *hour, .minute = *minute, .second = *second});
}

AlarmVerdict alarmVerdict(const std::optional<platform::LocalTime>& previous,
                          const platform::LocalTime& now, std::wstring_view alarm,
                          std::optional<long long> settledDay) {
  const auto at = secondOfDay(alarm);
  if (!at) return {};
  const long long nowSeconds = platform::secondCount(now);
  // Before the first tick the interval is the second shown, so only an exact match counts.
  const long long since = previous ? platform::secondCount(*previous) : nowSeconds - 1;
  long long day = platform::floorDiv(nowSeconds - *at, platform::kSecondsPerDay);
  if (day == settledDay) --day;
  const long long occurrence = day * platform::kSecondsPerDay + *at;
  // An interval that goes back holds no occurrence, but the second the clock was set to is
  // still shown: setting the clock onto an alarm, as people test one, rings it.
  if (occurrence <= since && occurrence != nowSeconds) return {};
  // The wall clock says how long the tick took, the local clock how long ago the alarm
  // was: after a long sleep an alarm just passed is still on time, and across a
  // daylight-saving gap one of an hour ago is only a second late.
  const long long lateness =
      previous ? std::min(platform::floorDiv(now.utcMs, platform::kMsPerSecond) -
                              platform::floorDiv(previous->utcMs, platform::kMsPerSecond),
                          nowSeconds - occurrence)
               : 0;
  const bool onTime = lateness <= kLatenessLimitSeconds;
  return {.call = onTime ? AlarmCall::Ring : AlarmCall::Missed, .day = day};
}

WakeCall wakeCall(const platform::LocalTime& now, std::wstring_view alarm,
                  std::optional<long long> settledDay, const LocalSecondAt& localSecondAt) {
  const auto at = secondOfDay(alarm);
  if (!at) return {};
  const long long nowSeconds = platform::secondCount(now);
  long long day = platform::floorDiv(nowSeconds - *at, platform::kSecondsPerDay) + 1;
  if (day == settledDay) ++day;
  const long long occurrence = day * platform::kSecondsPerDay + *at;
  // Steps forward by the offset the zone last had, until the local clock reaches the
  // occurrence; between the last two steps lies no jump back, so halving finds the first second.
  const long long nowUtc = platform::floorDiv(now.utcMs, platform::kMsPerSecond);
  long long before = nowUtc;
  long long reached = nowUtc;
  for (long long local = localSecondAt(reached); local < occurrence;
       local = localSecondAt(reached)) {
    before = reached;
    reached += occurrence - local;
  }
  while (reached - before > 1) {
    const long long middle = before + (reached - before) / 2;
    (localSecondAt(middle) < occurrence ? before : reached) = middle;
  }
  const long long away = reached - nowUtc;
  return {
      .wakeAt = away > kWakeLeadSeconds ? std::optional(reached - kWakeLeadSeconds) : std::nullopt,
      .keepRunning = away <= kAwakeLeadSeconds};
}

}  // namespace app
