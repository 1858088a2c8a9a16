#include <gtest/gtest.h>

#include <vector>

#include "app/form1_design.h"
#include "platform/headless/headless_forms.h"

namespace tolvane_test {
namespace {

using platform::Bool16;
using platform::Ctl;
using platform::LocalTime;

// The window's handlers reduced to a record of what the clock's ticks were handed.
class ClockTicks final : public platform::FormEvents {
 public:
  std::vector<LocalTime> ticks;

  void timer(Ctl timer, const LocalTime& now) override {
    if (timer == Ctl::Timer1) ticks.push_back(now);
  }
  void initialise() override {}
  void load() override {}
  void resize() override {}
  void mouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) override {}
  void queryUnload(Bool16& /*cancel*/, platform::UnloadMode /*mode*/) override {}
  void unload(Bool16& /*cancel*/) override {}
  void click(Ctl /*control*/) override {}
  void keyPress(Ctl /*textBox*/, std::uint16_t& /*keyAscii*/) override {}
  void notificationAreaCreated() override {}
};

// A tick this soon after its boundary shows its second on time.
constexpr int kOnTimeMs = 30;

int secondOfDay(const LocalTime& t) { return (t.hour * 60 + t.minute) * 60 + t.second; }

// After `from`, each second reaches the handler once, just after its boundary; a
// whole minute's once more when the zone has settled.
void expectOnTimeOncePerSecond(const std::vector<LocalTime>& ticks, std::size_t from) {
  for (std::size_t i = from + 1; i < ticks.size(); ++i) {
    if (platform::zoneMayLag(ticks[i - 1])) {
      EXPECT_EQ(secondOfDay(ticks[i]), secondOfDay(ticks[i - 1])) << "tick " << i;
      EXPECT_EQ(ticks[i].millisecond, platform::kZoneSettleMs) << "tick " << i;
      continue;
    }
    EXPECT_EQ(secondOfDay(ticks[i]), secondOfDay(ticks[i - 1]) + 1) << "tick " << i;
    EXPECT_LT(ticks[i].millisecond, kOnTimeMs) << "tick " << i;
  }
}

class ClockTickTest : public ::testing::Test {
 protected:
  void start(int systemTimerSkewMs) {
    ui.setClock({.year = 2026, .month = 3, .day = 14, .hour = 7});
    ui.systemTimerSkewMs = systemTimerSkewMs;
    ui.start(events);
  }

  // Ten seconds on from tick `from`, every second is back on time.
  void expectBackOnTimeAfter(std::size_t from) {
    ui.advance(10'000);
    ASSERT_GE(events.ticks.size(), from + 10);
    expectOnTimeOncePerSecond(events.ticks, from);
  }

  platform::headless::HeadlessForms ui{app::form1Design()};
  ClockTicks events;
};

// A system timer that fires a little early still reads the old second: that
// tick is held back and the timer brought back to the boundary.
TEST_F(ClockTickTest, EarlySystemTicksAreHeldBackAndEverySecondShowsOnTime) {
  start(-3);
  ui.advance(60'000);
  ASSERT_GE(events.ticks.size(), 59U);
  expectOnTimeOncePerSecond(events.ticks, 0);
}

TEST_F(ClockTickTest, ALateTickIsRealignedToTheBoundary) {
  start(0);
  ui.advance(3'500);
  ui.stall(1'300);
  const std::size_t late = events.ticks.size() - 1;
  EXPECT_GE(events.ticks[late].millisecond, kOnTimeMs);
  expectBackOnTimeAfter(late);
}

// The system's notice of a clock set or a wake-up brings the tick at once and
// the timer back to the boundary, and still shows no second twice.
TEST_F(ClockTickTest, AClockChangeNoticeTicksAtOnceAndRealigns) {
  start(0);
  ui.advance(3'500);
  const std::size_t before = events.ticks.size();
  ui.clockChangeNotice();  // the second the clock reads was handed on already
  EXPECT_EQ(events.ticks.size(), before);

  ui.setClock({.year = 2026, .month = 3, .day = 14, .hour = 9, .millisecond = 600});
  ui.clockChangeNotice();
  ASSERT_EQ(events.ticks.size(), before + 1);
  EXPECT_EQ(events.ticks.back().hour, 9);
  expectBackOnTimeAfter(before);
}

// A daylight-saving change the system applies a few milliseconds after the
// minute's boundary: the tick on the boundary still shows standard time, and
// the clock shows daylight time within the same second.
TEST_F(ClockTickTest, AZoneChangeAppliedJustAfterAMinuteIsShownWithinTheSecond) {
  start(0);
  ui.advance(60'000);
  ASSERT_EQ(events.ticks.back().minute, 1);
  ASSERT_EQ(events.ticks.back().hour, 7);
  ui.moveLocalTime(3'600'000);
  ui.advance(platform::kZoneSettleMs);
  EXPECT_EQ(events.ticks.back().hour, 8);
  EXPECT_EQ(events.ticks.back().second, 0);
  expectBackOnTimeAfter(events.ticks.size() - 1);
}

// A system that refuses to change the timer leaves it at its period: the clock
// goes on late, once a second, and the next tick tries again.
TEST_F(ClockTickTest, ARefusedReArmKeepsThePeriodAndIsTriedAgainOnTheNextTick) {
  start(0);
  ui.advance(3'500);
  ui.systemTimersFail = true;
  ui.stall(1'300);
  ui.advance(3'000);
  ASSERT_EQ(events.ticks.size(), 7U);
  EXPECT_EQ(secondOfDay(events.ticks.back()), 7 * 3600 + 7);
  EXPECT_EQ(events.ticks.back().millisecond, 800);
  ui.systemTimersFail = false;
  ui.advance(5'000);
  expectOnTimeOncePerSecond(events.ticks, 7);
}

}  // namespace
}  // namespace tolvane_test
