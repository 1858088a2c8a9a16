// The soak benchmark's reading of Wine's GDI trace and of /proc: a wrong reading would pass a
// leak off as flat, or invent one.
#include "bench/soak_figures.h"

#include <gtest/gtest.h>

namespace {

using soak::cpuTicks;
using soak::lastGdiCount;
using soak::privateKiB;

TEST(GdiTrace, CountAfterAnAllocationIsTheLiveCount) {
  EXPECT_EQ(
      lastGdiCount("0024:trace:gdi:alloc_gdi_handle allocated NTGDI_OBJ_FONT 0x1a0 245/65536\n"),
      245);
}

TEST(GdiTrace, CountOnAReleaseIsTheOneBeforeIt) {
  EXPECT_EQ(lastGdiCount("0024:trace:gdi:free_gdi_handle freed NTGDI_OBJ_REGION 0x1a0 245/65536\n"),
            244);
}

TEST(GdiTrace, TheLastAllocationOrReleaseCountsAndOtherLinesAreSkipped) {
  const char* trace =
      "0024:trace:gdi:alloc_gdi_handle allocated NTGDI_OBJ_BRUSH 0x10 300/65536\n"
      "0024:trace:gdi:free_gdi_handle freed NTGDI_OBJ_BRUSH 0x10 300/65536\n"
      "0024:trace:gdi:NtGdiExtGetObjectW 0x18a002d 92 0x21dae0\n"
      "0024:trace:gdi:SelectObject 0x1 0x2/3\n";
  EXPECT_EQ(lastGdiCount(trace), 299);
}

TEST(GdiTrace, ALastLineCutShortIsPassedOver) {
  EXPECT_EQ(lastGdiCount("0024:trace:gdi:alloc_gdi_handle allocated NTGDI_OBJ_PEN 0x2 12/65536\n"
                         "0024:trace:gdi:alloc_gdi_handle allocated NTGDI_O"),
            12);
}

TEST(GdiTrace, NoCountWithoutAllocationsOrReleases) {
  EXPECT_EQ(lastGdiCount(""), std::nullopt);
  EXPECT_EQ(lastGdiCount("0024:trace:gdi:NtGdiExtGetObjectW 0x1 16 0x2\n"), std::nullopt);
}

TEST(ProcStat, UserAndSystemTicksAfterANameWithSpacesAndParentheses) {
  const char* stat =
      "4242 (a (b) c.exe) S 1 4242 4242 0 -1 4194560 1017 0 0 0 123 45 0 0 20 0 1 0 100 1 2\n";
  EXPECT_EQ(cpuTicks(stat), 168);
}

TEST(ProcStat, NoTicksFromTextCutShort) {
  EXPECT_EQ(cpuTicks("4242 (x) S 1 2 3"), std::nullopt);
  EXPECT_EQ(cpuTicks("no name here"), std::nullopt);
}

TEST(SmapsRollup, PrivateCleanAndDirtyAddUp) {
  const char* rollup =
      "5555-7fff ---p 00000000 00:00 0 [rollup]\n"
      "Rss:               30000 kB\n"
      "Shared_Clean:      20000 kB\n"
      "Private_Clean:      1500 kB\n"
      "Private_Dirty:      7404 kB\n"
      "Swap:                  0 kB\n";
  EXPECT_EQ(privateKiB(rollup), 8904);
  EXPECT_EQ(privateKiB("Rss: 1 kB\n"), std::nullopt);
}

}  // namespace
