// Pattern edges with and without drop shadow, borders, the shadow edge and the shadow builder.
#include "imaging/CommonLib.h"
#include "imaging/ShadowBuilder.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <cmath>
#include <cstdlib>

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
const COLORREF kBack = RGB(0xF0, 0xE0, 0x20); // never in the test picture
const COLORREF kShadowBack = RGB(200, 160, 80), kNeutral = (COLORREF)-1;
const COLORREF kMain = RGB(200, 0, 0), kLight = RGB(0, 220, 0), kDark = RGB(0, 0, 180);
const int kLeft = 1, kTop = 2, kBottom = 8, kAllSides = 15;
const int kPatterns[] = {TASK_TORN_EDGE, TASK_SAW_EDGE, TASK_SHARK_EDGE, TASK_WAVE_EDGE};

COLORREF Percent(COLORREF c, int p) {
  return RGB(GetRValue(c) * p / 100, GetGValue(c) * p / 100, GetBValue(c) * p / 100);
}

class CommonLibEdgeTest : public testing::Test {
protected:
  BOOL Edge(int nTask, int nSize, int nSides, BOOL bShadow = FALSE, int dx = 0, int dy = 0, int nSoft = 0,
            COLORREF clrShadow = kBlack) {
    return lib.EdgeEffect(display.Get(), &pic, nTask, nSize, nSides, kBack, kWhite, 0, bShadow, clrShadow, 50,
                          dx, dy, nSoft);
  }
  BOOL Border(int nSize, int nPercent, int nFlags) {
    return lib.BorderEffect(display.Get(), &pic, nSize, nPercent, nFlags, kMain, kLight, kDark);
  }
  BOOL Shadow(int nSize, COLORREF clrShadow) {
    return lib.ShadowEffect(display.Get(), &pic, nSize, 0, clrShadow, kShadowBack);
  }
  // The w x h test picture after the effect, which must succeed.
  Pixels After(int w, int h, const std::function<BOOL()>& effect) {
    MakePicture(pic, w, h, PatternColor);
    EXPECT_TRUE(effect());
    return ReadPixels(pic);
  }
  Pixels Edged(int w, int h, int nTask, int nSize, int nSides, BOOL bShadow = FALSE, int dx = 0, int dy = 0,
               int nSoft = 0, COLORREF clrShadow = kBlack) {
    return After(w, h, [&] { return Edge(nTask, nSize, nSides, bShadow, dx, dy, nSoft, clrShadow); });
  }
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

TEST_F(CommonLibEdgeTest, SizesWithNothingToDoKeepThePictureAndNoPictureFails) {
  // Edges of size 0, of a size not below the picture (55 + 5 is not below 60) and a saw of size
  // 1; borders of size 0 and not below the picture; a shadow of size 0.
  std::vector<std::function<BOOL()>> calls = {
      [&] { return Edge(TASK_SAW_EDGE, 1, kAllSides); }, [&] { return Border(0, 100, 3); },
      [&] { return Border(55, 100, 3); }, [&] { return Shadow(0, kNeutral); }};
  for (int nTask : kPatterns)
    for (int nSize : {0, 55})
      calls.push_back([=] { return Edge(nTask, nSize, kAllSides, TRUE, 5, 5, 1); });
  for (const auto& call : calls)
    EXPECT_EQ(PixelsOf(60, 40, PatternColor), After(60, 40, call)) << "call " << &call - calls.data();
  EXPECT_FALSE(Edge(2006, 10, kAllSides)); // not a pattern edge
  pic.DeleteObject();
  EXPECT_FALSE(Edge(TASK_SAW_EDGE, 10, kLeft));
  EXPECT_FALSE(Border(4, 0, 0));
  EXPECT_FALSE(Shadow(5, kNeutral));
}

TEST_F(CommonLibEdgeTest, PatternsCutOnlyTheChosenSidesAndKeepTheSize) {
  for (int nTask : {TASK_TORN_EDGE, TASK_SAW_EDGE, TASK_SHARK_EDGE}) {
    Pixels px = Edged(120, 100, nTask, 12, kLeft | kBottom);
    ASSERT_EQ(Dims(120, 100), DimsOf(px));
    // Nothing deeper than the size is cut, and the top and right sides are untouched.
    ExpectUntouched(px, CRect(12, 0, 120, 100 - 12));
    EXPECT_GT(std::count(px.data.begin(), px.data.end(), kBack), 100 * 12 / 4) << nTask;
    if (nTask != TASK_TORN_EDGE) // a torn corner may fall at depth 0
      EXPECT_EQ(kBack, px.At(0, 99)) << nTask;
  }
}

TEST_F(CommonLibEdgeTest, TornEdgeTearsDifferentlyEachTime) {
  Pixels first = Edged(120, 100, TASK_TORN_EDGE, 16, kAllSides);
  EXPECT_NE(first, Edged(120, 100, TASK_TORN_EDGE, 16, kAllSides));
  // Between the top and bottom bands the left tear stays shallower than the size.
  for (int y = 16; y < 84; y++)
    ASSERT_LT(LeadingRun(first, y, kBack), 16) << y;
}

TEST_F(CommonLibEdgeTest, LeftSideFollowsThePatternsProfile) {
  // The depth cut at row y of 100, or -1 where it is not checked. Saw of size 20: 5 teeth of 20
  // rows, rising from the edge at the bottom of each tooth to full depth at its top, then straight
  // back. Shark: n = 7 points, steps of 25 rows, full depth at rows 0, 50, 100, none at 25, 75.
  // Wave of size 10: vertex i at row 2i, its depth trunc(10 (sin(k degrees) + 1)), k = 100 i / 10.
  const struct {
    int nTask, nSize;
    std::function<int(int)> depth;
  } cases[] = {{TASK_SAW_EDGE, 20, [](int y) { return y % 20 != 0 ? (100 - y) % 20 : -1; }},
               {TASK_SHARK_EDGE, 20, [](int y) { return abs(y % 50 - 25) * 20 / 25; }},
               {TASK_WAVE_EDGE, 10, [](int y) {
                  return y % 2 || y < 4
                             ? -1
                             : (int)(10 * (sin((100 * (y / 2) / 10) * 0.017453293005625408) + 1.0));
                }}};
  for (const auto& c : cases) {
    Pixels px = Edged(120, 100, c.nTask, c.nSize, kLeft);
    ExpectUntouched(px, CRect(20, 0, 120, 100));
    int nBiggestJump = 0;
    for (int y = 1; y < 99; y++) {
      nBiggestJump = std::max(nBiggestJump, abs(LeadingRun(px, y, kBack) - LeadingRun(px, y - 1, kBack)));
      if (c.depth(y) >= 0)
        ASSERT_LE(abs(LeadingRun(px, y, kBack) - c.depth(y)), c.nTask == TASK_WAVE_EDGE ? 2 : 1) << y;
    }
    // Only the saw has a square flank.
    EXPECT_EQ(c.nTask == TASK_SAW_EDGE, nBiggestJump >= 17) << c.nTask;
  }
}

TEST_F(CommonLibEdgeTest, SawCornersAreCutOnce) {
  // With left and bottom chosen the left pattern stops 'size' rows above the bottom, whose own band
  // runs the full width; the top starts 'size' columns in when the left is chosen. Left teeth now
  // cover 80 rows from row 0: 4 teeth of 20 rows, the last ending at row 80.
  Pixels px = Edged(120, 100, TASK_SAW_EDGE, 20, kLeft | kTop | kBottom);
  EXPECT_LE(abs(LeadingRun(px, 79, kBack) - 1), 1);
  EXPECT_LE(abs(LeadingRun(px, 61, kBack) - 19), 1);
  ExpectUntouched(px, CRect(20, 20, 120, 80));
}

TEST_F(CommonLibEdgeTest, SideTooShortForATeethPatternIsLeftAlone) {
  // Saw: 60 rows less the bottom band of 40 leave 20, which hold no tooth of half-size 20; the
  // bottom still gets its teeth. Shark: a side shorter than two teeth.
  Pixels px = Edged(100, 60, TASK_SAW_EDGE, 40, kLeft | kBottom);
  ExpectUntouched(px, CRect(0, 0, 100, 20));
  EXPECT_GT(std::count(px.data.begin() + 59 * 100, px.data.end(), kBack), 0);
  px = Edged(100, 30, TASK_SHARK_EDGE, 20, kLeft | kTop);
  ExpectUntouched(px, CRect(0, 20, 100, 30));
  EXPECT_EQ(kBack, px.At(1, 0)); // the top is cut
  EXPECT_EQ(PixelsOf(30, 100, PatternColor), Edged(30, 100, TASK_SHARK_EDGE, 20, kTop | kBottom));
}

TEST_F(CommonLibEdgeTest, DropShadowEnlargesByOffsetPlusSix) {
  for (int nTask : kPatterns) {
    Pixels px = Edged(80, 60, nTask, 8, kAllSides, TRUE, 5, 5, 2);
    EXPECT_EQ(Dims(91, 71), DimsOf(px)) << nTask;
    // The kept picture stays at the top-left corner.
    ExpectUntouched(px, CRect(20, 20, 60, 40));
  }
  // A negative offset moves the picture by its size instead.
  Pixels px = Edged(80, 60, TASK_WAVE_EDGE, 8, kLeft, TRUE, -4, 7, 1);
  EXPECT_EQ(Dims(90, 73), DimsOf(px));
  ExpectUntouched(px, CRect(20, 5, 80, 60), 4, 0);
}

TEST_F(CommonLibEdgeTest, DropShadowShowsThroughTheCutAway) {
  // No side chosen: the whole picture casts a hard shadow (5, 5) away.
  const COLORREF kGray = RGB(0x40, 0x40, 0x40);
  Pixels px = Edged(80, 60, TASK_SAW_EDGE, 8, 0, TRUE, 5, 5, 0, kGray);
  ExpectUntouched(px, CRect(0, 0, 80, 60));
  EXPECT_EQ(std::make_tuple(kGray, kGray, kBack, kBack),
            std::make_tuple(px.At(82, 30), px.At(40, 62), px.At(82, 2), px.At(85, 30)));

  // Softened: the shadow's edge blends into the back colour.
  px = Edged(80, 60, TASK_SAW_EDGE, 8, 0, TRUE, 5, 5, 2, kBlack);
  const int nEdgeRed = GetRValue(px.At(85, 30));
  EXPECT_TRUE(nEdgeRed > 0 && nEdgeRed < GetRValue(kBack)) << nEdgeRed;
  ExpectUntouched(px, CRect(0, 0, 80, 60));

  // The cut-away corner of a saw edge shows the back colour where no shadow lies beneath.
  px = Edged(80, 60, TASK_SAW_EDGE, 8, kLeft, TRUE, 5, 5, 0);
  EXPECT_EQ(kBack, px.At(0, 0));
  ExpectUntouched(px, CRect(10, 0, 80, 60));
}

int WINAPI NoDIBits(HDC, HBITMAP, UINT, UINT, LPVOID, LPBITMAPINFO, UINT) { return 0; }
Gdiplus::GpStatus WINGDIPAPI NoScan0Bitmap(INT, INT, INT, Gdiplus::PixelFormat, BYTE*,
                                           Gdiplus::GpBitmap** pp) {
  *pp = NULL;
  return Gdiplus::OutOfMemory;
}

// When the shadow's pixels cannot be read for softening (the blit road) or handed to GDI+ (the
// pixel road), the edge reports the failure; a hard shadow needs no blur and still succeeds.
TEST_F(CommonLibEdgeTest, SoftShadowThatCannotBeBlurredFails) {
  for (BOOL bPixelRoads : {FALSE, TRUE}) {
    lib.m_bPixelRoads = bPixelRoads;
    CImportPatch patch(
        bPixelRoads ? "gdiplus.dll" : "gdi32.dll", bPixelRoads ? "GdipCreateBitmapFromScan0" : "GetDIBits",
        bPixelRoads ? reinterpret_cast<FARPROC>(&NoScan0Bitmap) : reinterpret_cast<FARPROC>(&NoDIBits));
    ASSERT_TRUE(patch.Applied());
    MakePicture(pic, 80, 60, PatternColor);
    EXPECT_FALSE(Edge(TASK_SAW_EDGE, 8, kLeft, TRUE, 5, 5, 2));
    MakePicture(pic, 80, 60, PatternColor);
    EXPECT_TRUE(Edge(TASK_SAW_EDGE, 8, kLeft, TRUE, 5, 5, 0));
  }
}

// ---- Border ---------------------------------------------------------------------------------------

TEST_F(CommonLibEdgeTest, BorderInsideKeepsTheSizeAndOutsideGrowsByTwiceTheSize) {
  for (int nFlags : {0, 1}) {
    const int g = nFlags ? 6 : 0, W = 60 + 2 * g, H = 40 + 2 * g;
    Pixels px = After(60, 40, [&] { return Border(6, 0, nFlags); });
    ASSERT_EQ(Dims(W, H), DimsOf(px));
    for (int d = 0; d < 5; d++)
      for (CPoint pt :
           {CPoint(d, H / 2), CPoint(W - 1 - d, H / 2), CPoint(W / 2, d), CPoint(W / 2, H - 1 - d)})
        EXPECT_EQ(kMain, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
    if (nFlags)
      ExpectUntouched(px, CRect(1, 1, 59, 39), 6, 6);
    else
      ExpectUntouched(px, CRect(7, 7, 53, 33));
  }
}

TEST_F(CommonLibEdgeTest, ThreeDimensionalBorderLooksRaised) {
  // s = 8, percent 100: t = 4, lines 0..4 from each edge of the frame. Light outside left and top
  // and inside right and bottom; dark the other way round.
  Pixels px = After(80, 60, [&] { return Border(8, 100, 2); });
  for (CPoint pt : {CPoint(1, 30), CPoint(40, 1), CPoint(74, 30), CPoint(40, 54)})
    EXPECT_EQ(kLight, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
  for (CPoint pt : {CPoint(6, 30), CPoint(40, 6), CPoint(78, 30), CPoint(40, 58)})
    EXPECT_EQ(kDark, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;

  // A small percent leaves the main colour in the middle of the frame: t = 2 x 8 x 25 / 400 = 1.
  px = After(80, 60, [&] { return Border(8, 25, 2); });
  EXPECT_EQ(std::make_tuple(kLight, kMain, kDark), std::make_tuple(px.At(1, 30), px.At(3, 30), px.At(7, 30)));
}

// ---- Shadow edge ----------------------------------------------------------------------------------

TEST_F(CommonLibEdgeTest, ShadowDarkensFrom75PercentInsideTo97PercentOutside) {
  Pixels px = After(100, 80, [&] { return Shadow(10, kNeutral); });
  ASSERT_EQ(Dims(110, 90), DimsOf(px));
  ExpectUntouched(px, CRect(0, 0, 100, 80));
  // {x, y, percent of the back colour}. Straight parts: level 75 + 25 i / 10 at distance i from
  // the picture. The strips start 2 x size + 1 from the picture's ends, before that only the
  // rounded ends (87 at 5 from the end's centre). The outer corner is a quarter circle: its far
  // pixel keeps the back colour.
  const int levels[][3] = {{100, 40, 75}, {102, 40, 80}, {109, 40, 97}, {50, 80, 75},   {50, 89, 97},
                           {21, 80, 75},  {20, 80, 75},  {15, 80, 87},  {10, 80, 100},  {5, 85, 100},
                           {100, 15, 87}, {105, 5, 100}, {103, 84, 87}, {109, 89, 100}, {108, 88, 100}};
  for (const auto& l : levels)
    EXPECT_EQ(Percent(kShadowBack, l[2]), px.At(l[0], l[1])) << l[0] << "," << l[1];

  // A picture smaller than the strips gets only the rounded ends: the right strip's rounded start
  // at (15, 20 - 8), distance 8, level 95.
  px = After(15, 15, [&] { return Shadow(10, kNeutral); });
  ASSERT_EQ(Dims(25, 25), DimsOf(px));
  EXPECT_EQ(std::make_pair(Percent(kShadowBack, 95), kShadowBack),
            std::make_pair(px.At(15, 12), px.At(16, 2)));
}

TEST_F(CommonLibEdgeTest, ShadowColourTintsTheShadow) {
  // Red channel kept (f = 100), green and blue at 75 %.
  EXPECT_EQ(RGB(200, 120, 60), After(100, 80, [&] { return Shadow(10, RGB(255, 0, 0)); }).At(100, 40));
  EXPECT_EQ(Percent(kShadowBack, 75), After(100, 80, [&] { return Shadow(10, kBlack); }).At(100, 40));
  // A white shadow is invisible.
  EXPECT_EQ(
      PixelsOf(110, 90, [](int x, int y) { return x >= 100 || y >= 80 ? kShadowBack : PatternColor(x, y); }),
      After(100, 80, [&] { return Shadow(10, kWhite); }));
}

// ---- Shadow builder -------------------------------------------------------------------------------

class CommonLibShadowBuilderTest : public testing::Test {
protected:
  void SetUp() override {
    MakeSolid(bitmap, 60, 50, kWhite);
    dc.CreateCompatibleDC(NULL);
    pOld = dc.SelectObject(&bitmap);
  }
  void TearDown() override { dc.SelectObject(pOld); }
  Pixels Read() {
    dc.SelectObject(pOld);
    Pixels px = ReadPixels(bitmap);
    dc.SelectObject(&bitmap);
    return px;
  }
  void Clear() { dc.FillSolidRect(0, 0, 60, 50, kWhite); }

  CBitmap bitmap;
  CDC dc;
  CBitmap* pOld = NULL;
  CShadowBuilder builder;
};

TEST_F(CommonLibShadowBuilderTest, HalftoneDarkensEveryOtherPixelOfTheStrips) {
  builder.rect = CRect(0, 0, 30, 30);
  builder.size = 5;
  ASSERT_TRUE(builder.RenderHalftone(&dc));
  Pixels px = Read();
  for (CPoint pt : {CPoint(32, 10), CPoint(33, 11), CPoint(10, 32), CPoint(34, 34)})
    EXPECT_EQ(kBlack, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
  // The right strip starts 'size' below the top, the bottom strip 'size' right of the left edge.
  for (CPoint pt :
       {CPoint(33, 10), CPoint(11, 32), CPoint(32, 2), CPoint(2, 32), CPoint(10, 10), CPoint(36, 10)})
    EXPECT_EQ(kWhite, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
}

TEST_F(CommonLibShadowBuilderTest, SavedStripsArePutBackOnTheNextRender) {
  EXPECT_FALSE(builder.RestoreBackground(&dc));
  ASSERT_TRUE(builder.Paint(&dc, CRect(0, 0, 40, 30), 6, 75, 100, TRUE));
  Pixels shadowed = Read();
  EXPECT_EQ(Percent(kWhite, 75), shadowed.At(40, 20));
  Clear();
  ASSERT_TRUE(builder.Render(&dc));
  EXPECT_EQ(shadowed, Read());

  // After a reset there is nothing to put back and nothing to draw.
  builder.Reset();
  EXPECT_FALSE(builder.RestoreBackground(&dc));
  Clear();
  EXPECT_TRUE(builder.Render(&dc));
  EXPECT_EQ(kWhite, Read().At(40, 20));
}

TEST_F(CommonLibShadowBuilderTest, ZeroSizeOrEmptyRectangleDrawsNothing) {
  EXPECT_TRUE(builder.Paint(&dc, CRect(0, 0, 40, 30), 0, 75, 100, FALSE) &&
              builder.Paint(&dc, CRect(10, 10, 10, 30), 5, 75, 100, FALSE));
  EXPECT_EQ(SolidPixels(60, 50, kWhite), Read());
}

} // namespace
