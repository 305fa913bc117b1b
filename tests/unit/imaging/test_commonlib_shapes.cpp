// Shape cut-outs, their masks, and shape fills.
#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "imaging/Globals.h"
#include "tests/unit/imaging/test_commonlib_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);

class CommonLibShapeTest : public testing::Test {
protected:
  void SetUp() override { MakePicture(display.Get(), source, 100, 80, PatternColor); }

  // Cuts the source's rectangle to the shape and reads both outputs back.
  bool Cut(ShapeType nShape, const CRect& rc, const std::vector<POINT>& pts = {}) {
    cut.DeleteObject();
    mask.DeleteObject();
    if (!lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, rc.left, rc.top, rc.right, rc.bottom,
                              pts.empty() ? NULL : pts.data(), (int)pts.size(), nShape))
      return false;
    cutPx = ReadPixels(display.Get(), cut);
    maskPx = ReadPixels(display.Get(), mask);
    origin = rc.TopLeft();
    return true;
  }
  // Pixel (x, y) of the cut-out is inside the shape: the mask is white and the picture shows.
  void ExpectInside(int x, int y) {
    EXPECT_EQ(kWhite, maskPx.At(x, y)) << x << "," << y;
    EXPECT_EQ(PatternColor(origin.x + x, origin.y + y), cutPx.At(x, y)) << x << "," << y;
  }
  // Outside the shape: the mask is black and the cut-out white.
  void ExpectOutside(int x, int y) {
    EXPECT_EQ(kBlack, maskPx.At(x, y)) << x << "," << y;
    EXPECT_EQ(kWhite, cutPx.At(x, y)) << x << "," << y;
  }

  DisplayDC display;
  CCommonLib lib;
  CBitmap source, cut, mask;
  Pixels cutPx, maskPx;
  CPoint origin;
};

TEST_F(CommonLibShapeTest, RectangleCutEqualsTheCopyAndItsMaskIsWhite) {
  const CRect rc(12, 7, 52, 47);
  for (ShapeType nShape : {ID_CAPTURE_RECTANGLE, ID_TOOL_SELECT_REGION, ID_TOOL_RECT_SELECTION}) {
    ASSERT_TRUE(Cut(nShape, rc)) << nShape;
    std::unique_ptr<CBitmap> pCopy(lib.CopyBitmapRect(display.Get(), &source, 12, 7, 40, 40));
    ASSERT_TRUE(pCopy);
    EXPECT_EQ(ReadPixels(display.Get(), *pCopy), cutPx) << nShape;
    ASSERT_EQ(40 * 40, (int)maskPx.data.size());
    for (COLORREF c : maskPx.data)
      ASSERT_EQ(kWhite, c) << nShape;
  }
}

TEST_F(CommonLibShapeTest, CircleKeepsTheInscribedEllipse) {
  const CRect rc(10, 5, 50, 35); // 40 x 30
  ASSERT_TRUE(Cut(ID_TOOL_CIRCLE_SELECTION, rc));
  // Curve flattening may move the outline by a pixel, so only pixels clear of it are checked.
  for (int y = 0; y < 30; y++)
    for (int x = 0; x < 40; x++) {
      double nx = (x + 0.5 - 20) / 20, ny = (y + 0.5 - 15) / 15, d = nx * nx + ny * ny;
      if (d < 0.8)
        ExpectInside(x, y);
      else if (d > 1.25)
        ExpectOutside(x, y);
    }
  ExpectOutside(0, 0);
  ExpectOutside(39, 29);
  ExpectInside(20, 15);
  ASSERT_TRUE(Cut(ID_CAPTURE_CIRCLE, rc));
  ExpectOutside(39, 0);
  ExpectInside(20, 15);
}

TEST_F(CommonLibShapeTest, RoundedRectangleRoundsItsCornersBy25Pixels) {
  const CRect rc(10, 10, 90, 70); // 80 x 60
  ASSERT_TRUE(Cut(ID_CAPTURE_ROUND_RECT, rc));
  const POINT centres[4] = {{25, 25}, {55, 25}, {25, 35}, {55, 35}};
  for (int y = 0; y < 60; y++)
    for (int x = 0; x < 80; x++) {
      bool bLeft = x < 25, bRight = x >= 55, bTop = y < 25, bBottom = y >= 35;
      if ((bLeft || bRight) && (bTop || bBottom)) {
        const POINT& c = centres[(bRight ? 1 : 0) + (bBottom ? 2 : 0)];
        double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y, r = sqrt(dx * dx + dy * dy);
        if (r < 23)
          ExpectInside(x, y);
        else if (r > 27)
          ExpectOutside(x, y);
      } else if (x >= 2 && y >= 2 && x < 78 && y < 58) {
        ExpectInside(x, y);
      }
    }
}

TEST_F(CommonLibShapeTest, OldWindowsCutsCurvesAsRectangles) {
  const int nSaved = g_nOsVersionCode;
  for (int nCode : {107, 108, 109}) {
    g_nOsVersionCode = nCode;
    ASSERT_TRUE(Cut(ID_TOOL_CIRCLE_SELECTION, CRect(10, 5, 50, 35)));
    for (COLORREF c : maskPx.data)
      ASSERT_EQ(kWhite, c) << nCode;
    ASSERT_TRUE(Cut(ID_CAPTURE_ROUND_RECT, CRect(10, 5, 50, 35)));
    for (COLORREF c : maskPx.data)
      ASSERT_EQ(kWhite, c) << nCode;
  }
  g_nOsVersionCode = nSaved;
}

TEST_F(CommonLibShapeTest, PolygonPointsAreMovedIntoTheRectangle) {
  const CRect rc(10, 5, 50, 35);
  // Capture polygons come in picture coordinates.
  ASSERT_TRUE(Cut(ID_CAPTURE_POLYGON, rc, {{10, 5}, {50, 5}, {10, 35}}));
  ExpectInside(2, 2);
  ExpectInside(20, 10);
  ExpectOutside(37, 27);
  ExpectOutside(39, 29);
  Pixels captureMask = maskPx;

  // Selection polygons come in canvas coordinates, the picture at the margin.
  const int m = g_nCanvasMargin;
  ASSERT_TRUE(Cut(ID_TOOL_POLYGON_SELECTION, rc, {{10 + m, 5 + m}, {50 + m, 5 + m}, {10 + m, 35 + m}}));
  EXPECT_EQ(captureMask, maskPx);
  ASSERT_TRUE(Cut(ID_CAPTURE_FREEHAND, rc, {{10, 5}, {50, 5}, {10, 35}}));
  EXPECT_EQ(captureMask, maskPx);
}

TEST_F(CommonLibShapeTest, MultipleRectanglesAreUnited) {
  const CRect rc(0, 0, 100, 80);
  // A, B and C overlap in pairs and all three at (35..40, 30..40); C is dragged right to left
  // (reversed on one axis only, so its figure turns the other way round); D is dragged from its
  // bottom-right corner and overlaps E; F stands alone.
  ASSERT_TRUE(Cut(ID_CAPTURE_MULTI_RECT, rc,
                  {{10, 10},
                   {40, 40},
                   {30, 30},
                   {60, 60},
                   {50, 20},
                   {35, 70},
                   {90, 75},
                   {70, 62},
                   {65, 65},
                   {75, 72},
                   {80, 5},
                   {95, 20}}));
  ExpectInside(12, 12);  // A only
  ExpectInside(32, 32);  // A and B
  ExpectInside(37, 35);  // A, B and C
  ExpectInside(45, 45);  // B and C
  ExpectInside(45, 65);  // C only
  ExpectInside(80, 70);  // D only
  ExpectInside(72, 68);  // D and E
  ExpectInside(85, 10);  // F
  ExpectOutside(5, 5);   // before A
  ExpectOutside(65, 10); // between A and F
  ExpectOutside(40, 15); // right of A, above B and C
  ExpectOutside(62, 45); // between B and D
  // Edges: left and top inclusive, right and bottom exclusive.
  ExpectOutside(9, 20);
  ExpectInside(10, 20);
  ExpectInside(39, 20);
  ExpectOutside(40, 15);
}

TEST_F(CommonLibShapeTest, MultipleRectanglesThatDoNotTouchLeaveBlackBetween) {
  ASSERT_TRUE(Cut(ID_CAPTURE_MULTI_RECT, CRect(0, 0, 100, 80), {{5, 5}, {30, 30}, {50, 5}, {70, 30}}));
  for (int x = 30; x < 50; x++)
    ExpectOutside(x, 15);
  ExpectInside(29, 15);
  ExpectInside(50, 15);
}

TEST_F(CommonLibShapeTest, RectangleBeyondTheSourceProducesNothing) {
  MakeSolid(display.Get(), cut, 3, 3, kRed);
  MakeSolid(display.Get(), mask, 3, 3, kRed);
  HGDIOBJ hCut = cut.GetSafeHandle(), hMask = mask.GetSafeHandle();
  EXPECT_FALSE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, 50, 0, 101, 80, NULL, 0,
                                    ID_TOOL_SELECT_REGION));
  EXPECT_FALSE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, 0, 10, 100, 81, NULL, 0,
                                    ID_TOOL_SELECT_REGION));
  EXPECT_FALSE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, -1, 0, 20, 20, NULL, 0,
                                    ID_TOOL_SELECT_REGION));
  EXPECT_EQ(hCut, cut.GetSafeHandle());
  EXPECT_EQ(hMask, mask.GetSafeHandle());
  EXPECT_EQ(kRed, ReadPixels(display.Get(), cut).At(1, 1));
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
  Pixels px = ReadPixels(display.Get(), pic);
  EXPECT_EQ(kRed, px.At(5, 5));
  EXPECT_EQ(kRed, px.At(24, 19));
  EXPECT_EQ(kWhite, px.At(25, 12));
  EXPECT_EQ(kWhite, px.At(4, 12));
  EXPECT_EQ(kRed, px.At(32, 8));
  EXPECT_EQ(kWhite, px.At(53, 30));
}

TEST_F(CommonLibShapeTest, FillShapeUnitesOverlappingRectangles) {
  CBitmap pic;
  MakeSolid(display.Get(), pic, 60, 40, kWhite);
  const int m = g_nCanvasMargin;
  const POINT rects[6] = {{5 + m, 5 + m},   {25 + m, 25 + m}, {15 + m, 15 + m},
                          {35 + m, 35 + m}, {30 + m, 10 + m}, {12 + m, 30 + m}};
  ASSERT_TRUE(lib.FillShape(display.Get(), &pic, 0, 0, 60, 40, rects, 6, ID_CAPTURE_MULTI_RECT, kRed));
  Pixels px = ReadPixels(display.Get(), pic);
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
