// Pattern edges with and without drop shadow, and borders.
#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_commonlib_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBack = RGB(0xF0, 0xE0, 0x20); // never in the test picture
const int kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kAllSides = 15;

class CommonLibEdgeTest : public testing::Test {
protected:
  void Picture(int w, int h) { MakePicture(display.Get(), pic, w, h, PatternColor); }
  BOOL Edge(int nTask, int nSize, int nSides, BOOL bShadow = FALSE, int dx = 0, int dy = 0, int nSoft = 0,
            COLORREF clrShadow = kBlack) {
    return lib.EdgeEffect(display.Get(), &pic, nTask, nSize, nSides, kBack, kWhite, 0, bShadow, clrShadow, 50,
                          dx, dy, nSoft);
  }
  Pixels Read() { return ReadPixels(display.Get(), pic); }
  // Every pixel of the area keeps the test picture's colour (moved by (ox, oy) in the result).
  void ExpectUntouched(const Pixels& px, const CRect& rc, int ox = 0, int oy = 0) {
    for (int y = rc.top; y < rc.bottom; y++)
      for (int x = rc.left; x < rc.right; x++)
        ASSERT_EQ(PatternColor(x, y), px.At(x + ox, y + oy)) << x << "," << y;
  }

  DisplayDC display;
  CCommonLib lib;
  CBitmap pic;
};

TEST_F(CommonLibEdgeTest, SizeZeroOrTooLargeLeavesThePicture) {
  for (int nTask : {TASK_TORN_EDGE, TASK_SAW_EDGE, TASK_SHARK_EDGE, TASK_WAVE_EDGE}) {
    Picture(60, 40);
    Pixels before = Read();
    EXPECT_TRUE(Edge(nTask, 0, kAllSides, TRUE, 5, 5, 1));
    EXPECT_EQ(before, Read()) << nTask;
    EXPECT_TRUE(Edge(nTask, 55, kAllSides, TRUE, 5, 5, 1)); // 55 + 5 is not below 60
    EXPECT_EQ(before, Read()) << nTask;
  }
  Picture(60, 40);
  EXPECT_FALSE(Edge(2006, 10, kAllSides)); // not a pattern edge
  CBitmap empty;
  EXPECT_FALSE(
      lib.EdgeEffect(display.Get(), &empty, TASK_SAW_EDGE, 10, kLeft, kBack, 0, 0, FALSE, 0, 0, 0, 0, 0));
}

TEST_F(CommonLibEdgeTest, PatternsCutOnlyTheChosenSidesAndKeepTheSize) {
  for (int nTask : {TASK_TORN_EDGE, TASK_SAW_EDGE, TASK_SHARK_EDGE}) {
    Picture(120, 100);
    ASSERT_TRUE(Edge(nTask, 12, kLeft | kBottom));
    Pixels px = Read();
    ASSERT_EQ(120, px.cx);
    ASSERT_EQ(100, px.cy);
    // Nothing deeper than the size is cut, and the top and right sides are untouched.
    ExpectUntouched(px, CRect(12, 0, 120, 100 - 12));
    int nCut = 0;
    for (COLORREF c : px.data)
      nCut += c == kBack;
    EXPECT_GT(nCut, 100 * 12 / 4) << nTask;
    if (nTask != TASK_TORN_EDGE) // a torn corner may fall at depth 0
      EXPECT_EQ(kBack, px.At(0, 99)) << nTask;
  }
}

TEST_F(CommonLibEdgeTest, TornEdgeTearsDifferentlyEachTime) {
  Picture(120, 100);
  ASSERT_TRUE(Edge(TASK_TORN_EDGE, 16, kAllSides));
  Pixels first = Read();
  Picture(120, 100);
  ASSERT_TRUE(Edge(TASK_TORN_EDGE, 16, kAllSides));
  Pixels second = Read();
  EXPECT_NE(first, second);
  // Between the top and bottom bands the left tear stays shallower than the size.
  for (int y = 16; y < 84; y++)
    ASSERT_LT(LeadingRun(first, y, kBack), 16) << y;
}

TEST_F(CommonLibEdgeTest, SawTeethHaveASquareFlankAndSharkTeethDoNot) {
  // Saw, left side, size 20 on 100 rows: 5 teeth of 20 rows, rising from the edge at the bottom of
  // each tooth to full depth at its top, then straight back.
  Picture(120, 100);
  ASSERT_TRUE(Edge(TASK_SAW_EDGE, 20, kLeft));
  Pixels saw = Read();
  for (int y = 1; y < 99; y++) {
    if (y % 20 == 0)
      continue; // the square flank's own row
    ASSERT_LE(abs(LeadingRun(saw, y, kBack) - (100 - y) % 20), 1) << y;
  }
  int nBiggestJump = 0;
  for (int y = 1; y < 100; y++)
    nBiggestJump = std::max(nBiggestJump, abs(LeadingRun(saw, y, kBack) - LeadingRun(saw, y - 1, kBack)));
  EXPECT_GE(nBiggestJump, 17);

  // Shark, same size: n = 7 points, steps of 25 rows, full depth at rows 0, 50, 100, none at 25, 75.
  Picture(120, 100);
  ASSERT_TRUE(Edge(TASK_SHARK_EDGE, 20, kLeft));
  Pixels shark = Read();
  for (int y = 1; y < 99; y++) {
    int expected = abs(y % 50 - 25) * 20 / 25;
    ASSERT_LE(abs(LeadingRun(shark, y, kBack) - expected), 1) << y;
  }
  for (int y = 1; y < 100; y++)
    ASSERT_LE(abs(LeadingRun(shark, y, kBack) - LeadingRun(shark, y - 1, kBack)), 2) << y;
  EXPECT_NE(saw, shark);
}

TEST_F(CommonLibEdgeTest, SawCornersAreCutOnce) {
  // With left and bottom chosen the left pattern stops 'size' rows above the bottom, whose own band
  // runs the full width; the top starts 'size' columns in when the left is chosen.
  Picture(120, 100);
  ASSERT_TRUE(Edge(TASK_SAW_EDGE, 20, kLeft | kTop | kBottom));
  Pixels px = Read();
  // Left teeth now cover 80 rows from row 0: 4 teeth of 20 rows, the last ending at row 80.
  EXPECT_LE(abs(LeadingRun(px, 79, kBack) - 1), 1);
  EXPECT_LE(abs(LeadingRun(px, 61, kBack) - 19), 1);
  ExpectUntouched(px, CRect(20, 20, 120, 80));
}

TEST_F(CommonLibEdgeTest, WaveOfSize10SwingsUpTo20PixelsDeep) {
  Picture(120, 100);
  ASSERT_TRUE(Edge(TASK_WAVE_EDGE, 10, kLeft));
  Pixels px = Read();
  ExpectUntouched(px, CRect(20, 0, 120, 100));
  int nDeepest = 0;
  for (int i = 2; i <= 48; i++) {
    // Vertex i at row 2i, its depth trunc(10 (sin(k degrees) + 1)) with k = 100 i / 10.
    int depth = (int)(10 * (sin((100 * i / 10) * 0.017453293005625408) + 1.0));
    ASSERT_LE(abs(LeadingRun(px, 2 * i, kBack) - depth), 2) << i;
    nDeepest = std::max(nDeepest, LeadingRun(px, 2 * i, kBack));
  }
  EXPECT_GE(nDeepest, 18);
  EXPECT_LE(nDeepest, 20);
}

TEST_F(CommonLibEdgeTest, SawOfSizeOneLeavesThePicture) {
  Picture(60, 40);
  Pixels before = Read();
  EXPECT_TRUE(Edge(TASK_SAW_EDGE, 1, kAllSides));
  EXPECT_EQ(before, Read());
}

TEST_F(CommonLibEdgeTest, SawSideTooShortForAToothIsLeftAlone) {
  // Left: 60 rows less the bottom band of 40 leaves 20, which holds no tooth of half-size 20.
  Picture(100, 60);
  EXPECT_TRUE(Edge(TASK_SAW_EDGE, 40, kLeft | kBottom));
  Pixels px = Read();
  ExpectUntouched(px, CRect(0, 0, 100, 20));
  int nCut = 0;
  for (int x = 0; x < 100; x++)
    nCut += px.At(x, 59) == kBack;
  EXPECT_GT(nCut, 0); // the bottom still gets its teeth
}

TEST_F(CommonLibEdgeTest, SharkSideShorterThanTwoTeethIsLeftAlone) {
  Picture(100, 30);
  EXPECT_TRUE(Edge(TASK_SHARK_EDGE, 20, kLeft | kTop));
  Pixels px = Read();
  ExpectUntouched(px, CRect(0, 20, 100, 30));
  EXPECT_EQ(kBack, px.At(1, 0)); // the top is cut
  Picture(30, 100);
  Pixels before = Read();
  EXPECT_TRUE(Edge(TASK_SHARK_EDGE, 20, kTop | kBottom));
  EXPECT_EQ(before, Read());
}

TEST_F(CommonLibEdgeTest, DropShadowEnlargesByOffsetPlusSix) {
  for (int nTask : {TASK_TORN_EDGE, TASK_SAW_EDGE, TASK_SHARK_EDGE, TASK_WAVE_EDGE}) {
    Picture(80, 60);
    ASSERT_TRUE(Edge(nTask, 8, kAllSides, TRUE, 5, 5, 2));
    Pixels px = Read();
    EXPECT_EQ(91, px.cx) << nTask;
    EXPECT_EQ(71, px.cy) << nTask;
    // The kept picture stays at the top-left corner.
    ExpectUntouched(px, CRect(20, 20, 60, 40));
  }
  // A negative offset moves the picture by its size instead.
  Picture(80, 60);
  ASSERT_TRUE(Edge(TASK_WAVE_EDGE, 8, kLeft, TRUE, -4, 7, 1));
  Pixels px = Read();
  EXPECT_EQ(90, px.cx);
  EXPECT_EQ(73, px.cy);
  ExpectUntouched(px, CRect(20, 5, 80, 60), 4, 0);
}

TEST_F(CommonLibEdgeTest, DropShadowShowsThroughTheCutAway) {
  // No side chosen: the whole picture casts a hard shadow (5, 5) away.
  Picture(80, 60);
  ASSERT_TRUE(Edge(TASK_SAW_EDGE, 8, 0, TRUE, 5, 5, 0, RGB(0x40, 0x40, 0x40)));
  Pixels px = Read();
  ExpectUntouched(px, CRect(0, 0, 80, 60));
  EXPECT_EQ(RGB(0x40, 0x40, 0x40), px.At(82, 30));
  EXPECT_EQ(RGB(0x40, 0x40, 0x40), px.At(40, 62));
  EXPECT_EQ(kBack, px.At(82, 2));
  EXPECT_EQ(kBack, px.At(85, 30));

  // Softened: the shadow's edge blends into the back colour.
  Picture(80, 60);
  ASSERT_TRUE(Edge(TASK_SAW_EDGE, 8, 0, TRUE, 5, 5, 2, kBlack));
  px = Read();
  COLORREF edge = px.At(85, 30);
  EXPECT_NE(kBack, edge);
  EXPECT_NE(kBlack, edge);
  EXPECT_GT(GetRValue(edge), 0);
  EXPECT_LT(GetRValue(edge), GetRValue(kBack));
  ExpectUntouched(px, CRect(0, 0, 80, 60));

  // The cut-away corner of a saw edge shows the back colour where no shadow lies beneath.
  Picture(80, 60);
  ASSERT_TRUE(Edge(TASK_SAW_EDGE, 8, kLeft, TRUE, 5, 5, 0));
  px = Read();
  EXPECT_EQ(kBack, px.At(0, 0));
  ExpectUntouched(px, CRect(10, 0, 80, 60));
}

int WINAPI NoDIBits(HDC, HBITMAP, UINT, UINT, LPVOID, LPBITMAPINFO, UINT) { return 0; }

// When the shadow's pixels cannot be read for softening, the edge reports the failure; a hard
// shadow needs no blur and still succeeds.
TEST_F(CommonLibEdgeTest, SoftShadowThatCannotBeBlurredFails) {
  CImportPatch patch("gdi32.dll", "GetDIBits", reinterpret_cast<FARPROC>(&NoDIBits));
  ASSERT_TRUE(patch.Applied());
  Picture(80, 60);
  EXPECT_FALSE(Edge(TASK_SAW_EDGE, 8, kLeft, TRUE, 5, 5, 2));
  Picture(80, 60);
  EXPECT_TRUE(Edge(TASK_SAW_EDGE, 8, kLeft, TRUE, 5, 5, 0));
}

class CommonLibBorderTest : public CommonLibEdgeTest {
protected:
  BOOL Border(int nSize, int nPercent, int nFlags) {
    return lib.BorderEffect(display.Get(), &pic, nSize, nPercent, nFlags, kMain, kLight, kDark);
  }
  const COLORREF kMain = RGB(200, 0, 0), kLight = RGB(0, 220, 0), kDark = RGB(0, 0, 180);
};

TEST_F(CommonLibBorderTest, InsideKeepsTheSizeAndFramesTheEdge) {
  Picture(60, 40);
  ASSERT_TRUE(Border(6, 0, 0));
  Pixels px = Read();
  ASSERT_EQ(60, px.cx);
  ASSERT_EQ(40, px.cy);
  for (int d = 0; d < 5; d++) {
    EXPECT_EQ(kMain, px.At(d, 20)) << d;
    EXPECT_EQ(kMain, px.At(59 - d, 20)) << d;
    EXPECT_EQ(kMain, px.At(30, d)) << d;
    EXPECT_EQ(kMain, px.At(30, 39 - d)) << d;
  }
  ExpectUntouched(px, CRect(7, 7, 53, 33));
}

TEST_F(CommonLibBorderTest, OutsideGrowsByTwiceTheSize) {
  Picture(60, 40);
  ASSERT_TRUE(Border(6, 0, 1));
  Pixels px = Read();
  ASSERT_EQ(72, px.cx);
  ASSERT_EQ(52, px.cy);
  ExpectUntouched(px, CRect(1, 1, 59, 39), 6, 6);
  for (int d = 0; d < 5; d++) {
    EXPECT_EQ(kMain, px.At(d, 26)) << d;
    EXPECT_EQ(kMain, px.At(71 - d, 26)) << d;
    EXPECT_EQ(kMain, px.At(36, d)) << d;
    EXPECT_EQ(kMain, px.At(36, 51 - d)) << d;
  }
}

TEST_F(CommonLibBorderTest, SizeZeroOrTooLargeChangesNothing) {
  Picture(60, 40);
  Pixels before = Read();
  EXPECT_TRUE(Border(0, 100, 3));
  EXPECT_EQ(before, Read());
  EXPECT_TRUE(Border(55, 100, 3));
  EXPECT_EQ(before, Read());
  CBitmap empty;
  EXPECT_FALSE(lib.BorderEffect(display.Get(), &empty, 4, 0, 0, kMain, kLight, kDark));
}

TEST_F(CommonLibBorderTest, ThreeDimensionalFrameLooksRaised) {
  // s = 8, percent 100: t = 4, lines 0..4 from each edge of the frame.
  Picture(80, 60);
  ASSERT_TRUE(Border(8, 100, 2));
  Pixels px = Read();
  const int W = 80, H = 60;
  EXPECT_EQ(kLight, px.At(1, 30));     // outer left
  EXPECT_EQ(kLight, px.At(40, 1));     // outer top
  EXPECT_EQ(kDark, px.At(6, 30));      // inner left
  EXPECT_EQ(kDark, px.At(40, 6));      // inner top
  EXPECT_EQ(kDark, px.At(W - 2, 30));  // outer right
  EXPECT_EQ(kDark, px.At(40, H - 2));  // outer bottom
  EXPECT_EQ(kLight, px.At(W - 6, 30)); // inner right
  EXPECT_EQ(kLight, px.At(40, H - 6)); // inner bottom

  // A small percent leaves the main colour in the middle of the frame: t = 2 x 8 x 25 / 400 = 1.
  Picture(80, 60);
  ASSERT_TRUE(Border(8, 25, 2));
  px = Read();
  EXPECT_EQ(kLight, px.At(1, 30));
  EXPECT_EQ(kMain, px.At(3, 30));
  EXPECT_EQ(kDark, px.At(7, 30));
}

} // namespace
