#include <gtest/gtest.h>

#include <cstring>

#include "app/form1_design.h"
#include "platform/clock_aligned_timer.h"
#include "platform/icon_callback.h"
#include "platform/key_rule.h"
#include "platform/notify_icon_data.h"
#include "platform/units.h"

namespace {

using platform::isIconCallback;
using platform::twipsPerPixel;
using platform::twipsToPixels;

TEST(Twips, ConvertToPixelsAtCommonScreenDensities) {
  EXPECT_EQ(twipsPerPixel(96), 15);
  EXPECT_EQ(twipsPerPixel(120), 12);
  EXPECT_EQ(twipsPerPixel(144), 10);
  EXPECT_EQ(twipsPerPixel(0), 15);  // a screen that reports nothing
  EXPECT_EQ(twipsToPixels(4260, 96), 284);
  EXPECT_EQ(twipsToPixels(2220, 96), 148);
  EXPECT_EQ(twipsToPixels(4260, 144), 426);
  EXPECT_EQ(twipsToPixels(345, 96), 23);  // 23.0
  EXPECT_EQ(twipsToPixels(350, 96), 23);  // 23.3 rounds down
  EXPECT_EQ(twipsToPixels(360, 96), 24);
  EXPECT_EQ(twipsToPixels(45, 96), 3);
  EXPECT_EQ(twipsToPixels(7, 96), 0);
  EXPECT_EQ(twipsToPixels(8, 96), 1);  // 0.53 rounds up
  EXPECT_EQ(twipsToPixels(-120, 96), -8);
}

struct MoveCase {
  std::uint64_t wParam;
  std::int64_t lParam;
  int cursorX;
  int cursorY;
  bool callback;
};

TEST(IconCallback, RealMouseMovesAreNeverTakenForTheIcon) {
  const MoveCase cases[] = {
      {1, 0x204, 900, 40, true},     // right button on the icon, cursor elsewhere
      {1, 0x201, -5, -300, true},    // cursor above the window
      {1, 0x405, 10, 10, true},      // balloon clicked
      {1, 0x204, 0x204, 0, false},   // left button held at (516, 0) of a wide window
      {0, 0x204, 900, 40, false},    // no icon id: a plain move
      {2, 0x204, 900, 40, false},    // another icon's id
      {1, 0x10204, 900, 40, false},  // a position below the top row
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isIconCallback(c.wParam, c.lParam, 1, c.cursorX, c.cursorY), c.callback)
        << std::hex << c.wParam << " " << c.lParam;
  }
}

TEST(Keys, ArrowsStayInTheirOptionGroupAndCtrlTabWrapsRound) {
  using platform::Ctl;
  using platform::nextInGroup;
  const auto& design = app::form1Design();
  const auto any = [](Ctl) { return true; };
  EXPECT_EQ(nextInGroup(design, Ctl::Option1, true, any), Ctl::Option2);
  EXPECT_EQ(nextInGroup(design, Ctl::Option2, true, any), Ctl::Option1);
  EXPECT_EQ(nextInGroup(design, Ctl::Option1, false, any), Ctl::Option2);
  EXPECT_EQ(nextInGroup(design, Ctl::Option1, true, [](Ctl c) { return c != Ctl::Option2; }),
            Ctl::Option1);
  EXPECT_EQ(nextInGroup(design, Ctl::Command1, true, any), Ctl::Command1);

  EXPECT_EQ(platform::cycledTab(1, 2, false), 2);
  EXPECT_EQ(platform::cycledTab(2, 2, false), 1);
  EXPECT_EQ(platform::cycledTab(1, 2, true), 2);
  EXPECT_EQ(platform::cycledTab(2, 3, true), 1);
  EXPECT_EQ(platform::cycledTab(1, 0, false), 1);
}

struct DelayCase {
  const char* what;
  int msIntoSecond;
  bool afresh;
  int delay;
};

TEST(ClockAlignedTimer, TicksJustAfterEachSecondBoundary) {
  const DelayCase cases[] = {
      {"enabled on a boundary: a full second", 0, true, 1000},
      {"enabled mid-second: never sooner than a full second", 250, true, 1750},
      {"on time", 5, false, 995},
      {"late", 300, false, 700},
      {"early, still in the old second", 998, false, 2},
      {"exactly on the boundary", 0, false, 1000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::clockAlignedDelayMs(c.msIntoSecond, 1000, c.afresh), c.delay) << c.what;
  }
}

TEST(ClockAlignedTimer, EveryTickAimsTheNextOneAtTheBoundary) {
  using platform::clockAlignedRearmMs;
  EXPECT_EQ(clockAlignedRearmMs({.second = 7, .millisecond = 6}), 994);   // on time
  EXPECT_EQ(clockAlignedRearmMs({.second = 7, .millisecond = 40}), 960);  // late
  EXPECT_EQ(clockAlignedRearmMs({.second = 7, .millisecond = 998}), 2);   // early
  EXPECT_EQ(clockAlignedRearmMs({.second = 7, .millisecond = 11}), 989);  // stretched
  // At a whole minute the clock looks again once the zone has settled, then aims as usual.
  EXPECT_EQ(clockAlignedRearmMs({.second = 0, .millisecond = 1}), 31);
  EXPECT_EQ(clockAlignedRearmMs({.second = 0, .millisecond = 33}), 967);
}

TEST(ClockAlignedTimer, AnEarlyTickDeliversNoSecondTwice) {
  const auto at = [](int minute, int second, int ms) {
    return platform::LocalTime{.minute = minute, .second = second, .millisecond = ms};
  };
  platform::SecondGate gate;
  EXPECT_TRUE(gate.pass(at(0, 57, 0)));
  EXPECT_FALSE(gate.pass(at(0, 57, 998)));  // fired early, re-armed without delivery
  EXPECT_TRUE(gate.pass(at(0, 58, 0)));
  EXPECT_TRUE(gate.pass(at(1, 0, 1)));  // a second missed while a box was open is not made up
  // A whole minute's second again once the zone has settled, and then no more.
  EXPECT_FALSE(gate.pass(at(1, 0, 5)));
  EXPECT_TRUE(gate.pass(at(1, 0, platform::kZoneSettleMs)));
  EXPECT_FALSE(gate.pass(at(1, 0, 40)));
}

// The 64-bit shell's record: handles are pointer-sized, the rest as in the 32-bit one.
struct WideHandleRecord {
  std::uint32_t cbSize;
  void* hWnd;
  std::uint32_t uID;
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  void* hIcon;
  char szTip[128];
  std::uint32_t dwState;
  std::uint32_t dwStateMask;
  char szInfo[256];
  std::uint32_t uTimeout;
  char szInfoTitle[64];
  std::uint32_t dwInfoFlags;
  std::uint32_t guidItem[4];
};

TEST(NotifyIconRecord, ReachesAWideHandleLayoutFieldByField) {
  platform::NotifyIconDataA record{};
  record.cbSize = 488;
  record.hWnd = 0x80001234;  // a handle with the top bit set
  record.uID = 1;
  record.uFlags = 0x17;
  record.uCallbackMessage = 0x200;
  record.hIcon = 0x00B0017;
  std::memset(record.szTip, 'T', sizeof record.szTip);
  std::memset(record.szInfo, 'I', sizeof record.szInfo);
  std::memset(record.szInfoTitle, 'N', sizeof record.szInfoTitle);
  record.dwInfoFlags = 2;

  const auto native = platform::toNativeRecord<WideHandleRecord>(record);
  EXPECT_EQ(native.cbSize, sizeof(WideHandleRecord));
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(native.hWnd), static_cast<std::int32_t>(0x80001234));
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(native.hIcon), 0x00B0017);
  EXPECT_EQ(native.uID, 1U);
  EXPECT_EQ(native.uFlags, 0x17U);
  EXPECT_EQ(native.uCallbackMessage, 0x200U);
  EXPECT_EQ(std::memcmp(native.szTip, record.szTip, sizeof record.szTip), 0);
  EXPECT_EQ(std::memcmp(native.szInfo, record.szInfo, sizeof record.szInfo), 0);
  EXPECT_EQ(std::memcmp(native.szInfoTitle, record.szInfoTitle, sizeof record.szInfoTitle), 0);
  EXPECT_EQ(native.dwInfoFlags, 2U);
  EXPECT_EQ(native.guidItem[0], 0U);
}

}  // namespace
