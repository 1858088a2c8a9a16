#include <gtest/gtest.h>

#include "platform/icon_callback.h"
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

}  // namespace
