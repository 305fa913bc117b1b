// Copies, XOR differences, highlighter, flood fill, zoom snapping, and shape cut-outs, their masks
// and shape fills.
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <cmath>

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

class CommonLibBitmapTest : public testing::Test {
protected:
  Pixels Read(CBitmap& bitmap) { return ReadPixels(display.Get(), bitmap); }
  // A new bitmap made by the library, read back; no pixels when it made none.
  Pixels Made(CBitmap* pMade) {
    std::unique_ptr<CBitmap> p(pMade);
    return p ? Read(*p) : Pixels();
  }

  DisplayDC display;
  CCommonLib lib;
};

TEST_F(CommonLibBitmapTest, IsAWindowClassThatIsNeverCreated) {
  EXPECT_STREQ("CCommonLib", lib.GetRuntimeClass()->m_lpszClassName);
  EXPECT_TRUE(lib.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(NULL, lib.GetSafeHwnd());
}

TEST_F(CommonLibBitmapTest, CopyTakesTheAreaFromItsCornerOnWhite) {
  CBitmap src, empty;
  MakePicture(display.Get(), src, 20, 10, PatternColor);
  // Larger than the source: the source at the top left.
  EXPECT_EQ(PixelsOf(30, 15, [](int x, int y) { return x < 20 && y < 10 ? PatternColor(x, y) : kWhite; }),
            Made(lib.CopyBitmapRect(display.Get(), &src, 0, 0, 30, 15)));

  Pixels px = Made(lib.CopyBitmapRect(display.Get(), &src, 5, 3, 8, 4));
  ASSERT_EQ(Dims(8, 4), DimsOf(px));
  EXPECT_EQ(PatternColor(5, 3), px.At(0, 0));
  EXPECT_EQ(PatternColor(12, 6), px.At(7, 3));

  // A corner above and left of the source leaves that part white.
  px = Made(lib.CopyBitmapRect(NULL, &src, -2, -1, 4, 3));
  ASSERT_EQ(4, px.cx);
  EXPECT_EQ(kWhite, px.At(1, 2));
  EXPECT_EQ(kWhite, px.At(3, 0));
  EXPECT_EQ(PatternColor(0, 0), px.At(2, 1));
  EXPECT_EQ(PatternColor(1, 1), px.At(3, 2));

  EXPECT_EQ(NULL, lib.CopyBitmapRect(display.Get(), NULL, 0, 0, 5, 5));
  EXPECT_EQ(NULL, lib.CopyBitmapRect(display.Get(), &empty, 0, 0, 5, 5));
}

TEST_F(CommonLibBitmapTest, DuplicateKeepsSizeFormatAndPixels) {
  CBitmap src, copy, mono, monoCopy;
  MakePicture(display.Get(), src, 17, 9, PatternColor);
  ASSERT_TRUE(copy.Attach(CCommonLib::DuplicateBitmap((HBITMAP)src.GetSafeHandle())));
  EXPECT_NE(src.GetSafeHandle(), copy.GetSafeHandle());
  EXPECT_EQ(Read(src), Read(copy));

  const WORD rows[2] = {0x80, 0x40};
  ASSERT_TRUE(mono.CreateBitmap(2, 2, 1, 1, rows));
  ASSERT_TRUE(monoCopy.Attach(CCommonLib::DuplicateBitmap((HBITMAP)mono.GetSafeHandle())));
  BITMAP bm;
  monoCopy.GetBitmap(&bm);
  EXPECT_EQ(1, bm.bmBitsPixel);
  EXPECT_EQ(Read(mono), Read(monoCopy));
  EXPECT_EQ(NULL, CCommonLib::DuplicateBitmap(NULL));
}

TEST_F(CommonLibBitmapTest, XorCoversTheLargerOfBothPictures) {
  CBitmap first, second, empty;
  MakePicture(display.Get(), first, 12, 8, PatternColor);
  MakePicture(display.Get(), second, 12, 8, PatternColor);
  EXPECT_EQ(SolidPixels(12, 8, kBlack), Made(lib.XorBitmaps(display.Get(), &first, &second, 0, 0)))
      << "equal pictures";

  MakeSolid(display.Get(), first, 10, 4, RGB(0x0F, 0xF0, 0x55));
  MakePicture(display.Get(), second, 6, 9, PatternColor);
  Pixels px = Made(lib.XorBitmaps(display.Get(), &first, &second, 2, 1));
  ASSERT_EQ(Dims(10, 9), DimsOf(px));
  // Only the second covers (column 0, rows beyond the first): the second picture.
  EXPECT_EQ(PatternColor(0, 7), px.At(0, 7));
  // Neither covers: black.
  EXPECT_EQ(kBlack, px.At(8, 8));
  // Only the first covers (moved by (2, 1)).
  EXPECT_EQ(RGB(0x0F, 0xF0, 0x55), px.At(9, 2));
  // Both: the bitwise difference.
  COLORREF s = PatternColor(3, 2);
  EXPECT_EQ(RGB(GetRValue(s) ^ 0x0F, GetGValue(s) ^ 0xF0, GetBValue(s) ^ 0x55), px.At(3, 2));
  EXPECT_EQ(NULL, lib.XorBitmaps(display.Get(), &empty, &empty, 0, 0));
}

TEST_F(CommonLibBitmapTest, HighlightMarksOnlyTheRectangle) {
  const COLORREF kYellow = RGB(255, 255, 0);
  CBitmap pic;
  MakePicture(display.Get(), pic, 16, 12, PatternColor);
  Pixels before = Read(pic);
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &pic, 2, 2, 14, 10, kWhite));
  EXPECT_EQ(before, Read(pic)) << "white changes nothing";

  MakeSolid(display.Get(), pic, 16, 12, kWhite);
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &pic, 3, 2, 10, 7, kYellow));
  EXPECT_EQ(
      PixelsOf(16, 12, [&](int x, int y) { return x >= 3 && x < 10 && y >= 2 && y < 7 ? kYellow : kWhite; }),
      Read(pic));

  // Dark strokes stay dark: picture AND colour.
  MakeSolid(display.Get(), pic, 4, 4, RGB(0x30, 0x80, 0xF0));
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &pic, 0, 0, 4, 4, kYellow));
  EXPECT_EQ(RGB(0x30, 0x80, 0x00), Read(pic).At(1, 1));
  EXPECT_FALSE(lib.HighlightRect(display.Get(), NULL, 0, 0, 1, 1, kWhite));
}

TEST_F(CommonLibBitmapTest, FloodFillFillsTheConnectedAreaOnly) {
  const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 200, 0);
  // A blue wall at column 5 splits the white picture in two.
  CBitmap pic, empty;
  MakePicture(display.Get(), pic, 12, 6, [&](int x, int) { return x == 5 ? kBlue : kWhite; });
  ASSERT_TRUE(lib.FloodFillBitmap(display.Get(), &pic, 1, 1, kRed));
  EXPECT_EQ(PixelsOf(12, 6, [&](int x, int) { return x < 5 ? kRed : x == 5 ? kBlue : kWhite; }), Read(pic));

  // Filling with the colour already there changes nothing.
  MakePicture(display.Get(), pic, 10, 10, [&](int x, int y) { return x < 5 ? kGreen : PatternColor(x, y); });
  Pixels before = Read(pic);
  lib.FloodFillBitmap(display.Get(), &pic, 2, 2, kGreen);
  EXPECT_EQ(before, Read(pic));
  EXPECT_FALSE(lib.FloodFillBitmap(display.Get(), &empty, 0, 0, kWhite));
}

CRect Snapped(int l, int t, int r, int b, float fZoom) {
  CRect rc(l, t, r, b);
  SnapRectToZoom(rc, fZoom);
  return rc;
}

TEST(CommonLibSnapRectToZoom, LandsOnWholePicturePixels) {
  EXPECT_EQ(CRect(6, 4, 12, 22), Snapped(5, 4, 11, 21, 2.0f));
  // 10 / 1.5 + 0.5 = 7.17 -> 7 -> 10.5 -> 10; 11 / 1.5 + 0.5 = 7.83 -> 7 -> 10.
  EXPECT_EQ(CRect(10, 10, 13, 16), Snapped(10, 11, 13, 16, 1.5f));
  // Zoom below 1: 7 / 0.75 + 0.5 = 9.83 -> 9 -> 6.75 -> 6.
  EXPECT_EQ(CRect(3, 5, 6, 9), Snapped(3, 5, 7, 10, 0.75f));
  EXPECT_EQ(CRect(2, 3, 9, 12), Snapped(2, 3, 9, 12, 1.0f));
  // Truncation toward zero on the negative side: -2.5 + 0.5 = -2 -> -4; -1.5 + 0.5 = -1 -> -2;
  // even at zoom 1, -5 + 0.5 = -4.5 -> -4.
  EXPECT_EQ(CRect(-4, -2, -4, 0), Snapped(-5, -3, -5, 0, 2.0f));
  EXPECT_EQ(CRect(-4, 0, 0, 0), Snapped(-5, 0, 0, 0, 1.0f));
}

// ---- Shapes ---------------------------------------------------------------------------------------

class CommonLibShapeTest : public CommonLibBitmapTest {
protected:
  void SetUp() override { MakePicture(display.Get(), source, 100, 80, PatternColor); }

  // Cuts the source's rectangle to the shape and reads both outputs back.
  bool Cut(ShapeType nShape, const CRect& rc, const std::vector<POINT>& pts = {}) {
    cut.DeleteObject();
    mask.DeleteObject();
    if (!lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, rc.left, rc.top, rc.right, rc.bottom,
                              pts.empty() ? NULL : pts.data(), (int)pts.size(), nShape))
      return false;
    cutPx = Read(cut);
    maskPx = Read(mask);
    origin = rc.TopLeft();
    return true;
  }
  // Inside the shape the mask is white and the picture shows; outside the mask is black and the
  // cut-out white.
  void Expect(bool bInside, int x, int y) {
    EXPECT_EQ(bInside ? kWhite : kBlack, maskPx.At(x, y)) << x << "," << y;
    EXPECT_EQ(bInside ? PatternColor(origin.x + x, origin.y + y) : kWhite, cutPx.At(x, y)) << x << "," << y;
  }
  void Expect(bool bInside, std::initializer_list<CPoint> pts) {
    for (CPoint pt : pts)
      Expect(bInside, pt.x, pt.y);
  }

  CBitmap source, cut, mask;
  Pixels cutPx, maskPx;
  CPoint origin;
};

TEST_F(CommonLibShapeTest, RectangleCutEqualsTheCopyAndItsMaskIsWhite) {
  for (ShapeType nShape : {ID_CAPTURE_RECTANGLE, ID_TOOL_SELECT_REGION, ID_TOOL_RECT_SELECTION}) {
    ASSERT_TRUE(Cut(nShape, CRect(12, 7, 52, 47))) << nShape;
    EXPECT_EQ(Made(lib.CopyBitmapRect(display.Get(), &source, 12, 7, 40, 40)), cutPx) << nShape;
    EXPECT_EQ(SolidPixels(40, 40, kWhite), maskPx) << nShape;
  }
}

TEST_F(CommonLibShapeTest, CircleKeepsTheInscribedEllipse) {
  const CRect rc(10, 5, 50, 35); // 40 x 30
  ASSERT_TRUE(Cut(ID_TOOL_CIRCLE_SELECTION, rc));
  // Curve flattening may move the outline by a pixel, so only pixels clear of it are checked.
  for (int y = 0; y < 30; y++)
    for (int x = 0; x < 40; x++) {
      double nx = (x + 0.5 - 20) / 20, ny = (y + 0.5 - 15) / 15, d = nx * nx + ny * ny;
      if (d < 0.8 || d > 1.25)
        Expect(d < 0.8, x, y);
    }
  Expect(false, {{0, 0}, {39, 29}});
  Expect(true, 20, 15);
  ASSERT_TRUE(Cut(ID_CAPTURE_CIRCLE, rc));
  Expect(false, 39, 0);
  Expect(true, 20, 15);
}

TEST_F(CommonLibShapeTest, RoundedRectangleRoundsItsCornersBy25Pixels) {
  ASSERT_TRUE(Cut(ID_CAPTURE_ROUND_RECT, CRect(10, 10, 90, 70))); // 80 x 60
  const POINT centres[4] = {{25, 25}, {55, 25}, {25, 35}, {55, 35}};
  for (int y = 0; y < 60; y++)
    for (int x = 0; x < 80; x++) {
      bool bLeft = x < 25, bRight = x >= 55, bTop = y < 25, bBottom = y >= 35;
      if ((bLeft || bRight) && (bTop || bBottom)) {
        const POINT& c = centres[(bRight ? 1 : 0) + (bBottom ? 2 : 0)];
        double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y, r = sqrt(dx * dx + dy * dy);
        if (r < 23 || r > 27)
          Expect(r < 23, x, y);
      } else if (x >= 2 && y >= 2 && x < 78 && y < 58) {
        Expect(true, x, y);
      }
    }
}

TEST_F(CommonLibShapeTest, OldWindowsCutsCurvesAsRectangles) {
  const int nSaved = g_nOsVersionCode;
  for (int nCode : {107, 108, 109}) {
    g_nOsVersionCode = nCode;
    for (ShapeType nShape : {ID_TOOL_CIRCLE_SELECTION, ID_CAPTURE_ROUND_RECT}) {
      ASSERT_TRUE(Cut(nShape, CRect(10, 5, 50, 35)));
      EXPECT_EQ(SolidPixels(40, 30, kWhite), maskPx) << nCode << " " << nShape;
    }
  }
  g_nOsVersionCode = nSaved;
}

TEST_F(CommonLibShapeTest, PolygonPointsAreMovedIntoTheRectangle) {
  const CRect rc(10, 5, 50, 35);
  // Capture polygons come in picture coordinates.
  ASSERT_TRUE(Cut(ID_CAPTURE_POLYGON, rc, {{10, 5}, {50, 5}, {10, 35}}));
  Expect(true, {{2, 2}, {20, 10}});
  Expect(false, {{37, 27}, {39, 29}});
  const Pixels captureMask = maskPx;

  // Selection polygons come in canvas coordinates, the picture at the margin.
  const int m = g_nCanvasMargin;
  ASSERT_TRUE(Cut(ID_TOOL_POLYGON_SELECTION, rc, {{10 + m, 5 + m}, {50 + m, 5 + m}, {10 + m, 35 + m}}));
  EXPECT_EQ(captureMask, maskPx);
  ASSERT_TRUE(Cut(ID_CAPTURE_FREEHAND, rc, {{10, 5}, {50, 5}, {10, 35}}));
  EXPECT_EQ(captureMask, maskPx);
}

TEST_F(CommonLibShapeTest, MultipleRectanglesAreUnited) {
  // A, B and C overlap in pairs and all three at (35..40, 30..40); C is dragged right to left
  // (reversed on one axis only, so its figure turns the other way round); D is dragged from its
  // bottom-right corner and overlaps E; F stands alone.
  const std::vector<POINT> rects = {{10, 10}, {40, 40}, {30, 30}, {60, 60}, {50, 20}, {35, 70},
                                    {90, 75}, {70, 62}, {65, 65}, {75, 72}, {80, 5},  {95, 20}};
  ASSERT_TRUE(Cut(ID_CAPTURE_MULTI_RECT, CRect(0, 0, 100, 80), rects));
  // A only, A and B, all three, B and C, C only, D only, D and E, F.
  Expect(true, {{12, 12}, {32, 32}, {37, 35}, {45, 45}, {45, 65}, {80, 70}, {72, 68}, {85, 10}});
  // Before A, between A and F, right of A above B and C, between B and D.
  Expect(false, {{5, 5}, {65, 10}, {40, 15}, {62, 45}});
  // Edges: left and top inclusive, right and bottom exclusive.
  Expect(false, 9, 20);
  Expect(true, {{10, 20}, {39, 20}});

  // Rectangles that do not touch leave black between them.
  ASSERT_TRUE(Cut(ID_CAPTURE_MULTI_RECT, CRect(0, 0, 100, 80), {{5, 5}, {30, 30}, {50, 5}, {70, 30}}));
  for (int x = 30; x < 50; x++)
    Expect(false, x, 15);
  Expect(true, {{29, 15}, {50, 15}});
}

TEST_F(CommonLibShapeTest, RectangleBeyondTheSourceProducesNothing) {
  MakeSolid(display.Get(), cut, 3, 3, kRed);
  MakeSolid(display.Get(), mask, 3, 3, kRed);
  HGDIOBJ hCut = cut.GetSafeHandle(), hMask = mask.GetSafeHandle();
  const CRect beyond[] = {{50, 0, 101, 80}, {0, 10, 100, 81}, {-1, 0, 20, 20}};
  for (const CRect& rc : beyond)
    EXPECT_FALSE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, rc.left, rc.top, rc.right,
                                      rc.bottom, NULL, 0, ID_TOOL_SELECT_REGION));
  EXPECT_EQ(hCut, cut.GetSafeHandle());
  EXPECT_EQ(hMask, mask.GetSafeHandle());
  EXPECT_EQ(kRed, Read(cut).At(1, 1));
  // Exactly up to the edge is fine.
  EXPECT_TRUE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, 50, 0, 100, 80, NULL, 0,
                                   ID_TOOL_SELECT_REGION));
}

TEST_F(CommonLibShapeTest, FillShapeFillsInPictureCoordinates) {
  CBitmap pic;
  MakeSolid(display.Get(), pic, 60, 40, kWhite);
  ASSERT_TRUE(lib.FillShape(display.Get(), &pic, 5, 5, 25, 20, NULL, 0, ID_TOOL_RECT_SELECTION, kRed));
  const int m = g_nCanvasMargin;
  const POINT tri[3] = {{30 + m, 5 + m}, {55 + m, 5 + m}, {30 + m, 35 + m}};
  ASSERT_TRUE(lib.FillShape(display.Get(), &pic, 30, 5, 55, 35, tri, 3, ID_TOOL_POLYGON_SELECTION, kRed));
  Pixels px = Read(pic);
  for (CPoint pt : {CPoint(5, 5), CPoint(24, 19), CPoint(32, 8)})
    EXPECT_EQ(kRed, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
  for (CPoint pt : {CPoint(25, 12), CPoint(4, 12), CPoint(53, 30)})
    EXPECT_EQ(kWhite, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;

  // Overlapping rectangles are united.
  MakeSolid(display.Get(), pic, 60, 40, kWhite);
  const POINT rects[6] = {{5 + m, 5 + m},   {25 + m, 25 + m}, {15 + m, 15 + m},
                          {35 + m, 35 + m}, {30 + m, 10 + m}, {12 + m, 30 + m}};
  ASSERT_TRUE(lib.FillShape(display.Get(), &pic, 0, 0, 60, 40, rects, 6, ID_CAPTURE_MULTI_RECT, kRed));
  px = Read(pic);
  EXPECT_EQ(kRed, px.At(20, 20)); // all three
  EXPECT_EQ(kRed, px.At(20, 12)); // the first and the third (dragged from its top-right corner)
  EXPECT_EQ(kRed, px.At(6, 6));
  EXPECT_EQ(kRed, px.At(34, 34));
  EXPECT_EQ(kWhite, px.At(40, 20));
}

TEST(CommonLibPoints, MarginAndOffsetAreSubtracted) {
  POINT pts[2] = {{10, 20}, {8, 8}};
  CCommonLib::RemoveCanvasMargin(pts, 2);
  EXPECT_EQ(CPoint(10 - g_nCanvasMargin, 20 - g_nCanvasMargin), pts[0]);
  EXPECT_EQ(CPoint(0, 0), pts[1]);
  CCommonLib::OffsetPoints(pts, 2, 3, -4);
  EXPECT_EQ(CPoint(7 - g_nCanvasMargin, 24 - g_nCanvasMargin), pts[0]);
  EXPECT_EQ(CPoint(-3, 4), pts[1]);
}

} // namespace
