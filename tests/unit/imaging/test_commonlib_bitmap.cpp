// Copies, XOR differences, highlighter, flood fill, zoom snapping, and shape cut-outs, their masks
// and shape fills.
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"
#include "imaging/PixelPlane.h"
#include "resources/resource.h"
#include "tests/unit/imaging/test_imaging_util.h"

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

class CommonLibBitmapTest : public testing::Test {
protected:
  // A new bitmap made by the library, read back; no pixels when it made none.
  Pixels Made(CBitmap* pMade) {
    std::unique_ptr<CBitmap> p(pMade);
    return p ? ReadPixels(*p) : Pixels();
  }

  DisplayDC display;
  CCommonLib lib;
};

TEST_F(CommonLibBitmapTest, CopyTakesTheAreaFromItsCornerOnWhite) {
  CBitmap src, empty;
  MakePicture(src, 20, 10, PatternColor);
  // {x, y, width, height}: larger than the source, inside it, and from above and left of it.
  const int areas[][4] = {{0, 0, 30, 15}, {5, 3, 8, 4}, {-2, -1, 4, 3}};
  for (const auto& a : areas)
    EXPECT_EQ(PixelsOf(a[2], a[3],
                       [&](int x, int y) {
                         x += a[0], y += a[1];
                         return x >= 0 && y >= 0 && x < 20 && y < 10 ? PatternColor(x, y) : kWhite;
                       }),
              Made(lib.CopyBitmapRect(a[0] < 0 ? NULL : display.Get(), &src, a[0], a[1], a[2], a[3])))
        << a[0] << "," << a[1];
  EXPECT_EQ(NULL, lib.CopyBitmapRect(display.Get(), NULL, 0, 0, 5, 5));
  EXPECT_EQ(NULL, lib.CopyBitmapRect(display.Get(), &empty, 0, 0, 5, 5));
}

TEST_F(CommonLibBitmapTest, DuplicateKeepsSizeFormatAndPixels) {
  CBitmap src, copy, mono, monoCopy;
  MakePicture(src, 17, 9, PatternColor);
  ASSERT_TRUE(copy.Attach(CCommonLib::DuplicateBitmap((HBITMAP)src.GetSafeHandle())));
  EXPECT_NE(src.GetSafeHandle(), copy.GetSafeHandle());
  EXPECT_EQ(ReadPixels(src), ReadPixels(copy));

  const WORD rows[2] = {0x80, 0x40};
  ASSERT_TRUE(mono.CreateBitmap(2, 2, 1, 1, rows));
  ASSERT_TRUE(monoCopy.Attach(CCommonLib::DuplicateBitmap((HBITMAP)mono.GetSafeHandle())));
  BITMAP bm;
  monoCopy.GetBitmap(&bm);
  EXPECT_EQ(1, bm.bmBitsPixel);
  EXPECT_EQ(ReadPixels(mono), ReadPixels(monoCopy));
  EXPECT_EQ(NULL, CCommonLib::DuplicateBitmap(NULL));
}

TEST_F(CommonLibBitmapTest, XorCoversTheLargerOfBothPictures) {
  CBitmap first, second, empty;
  MakePicture(first, 12, 8, PatternColor);
  MakePicture(second, 12, 8, PatternColor);
  EXPECT_EQ(SolidPixels(12, 8, kBlack), Made(lib.XorBitmaps(display.Get(), &first, &second, 0, 0)))
      << "equal pictures";

  // The first moved by (2, 1), the second at (0, 0): where both cover, the bitwise difference;
  // where one covers, that one; black where neither does.
  const COLORREF kFirst = RGB(0x0F, 0xF0, 0x55);
  MakeSolid(first, 10, 4, kFirst);
  MakePicture(second, 6, 9, PatternColor);
  EXPECT_EQ(PixelsOf(10, 9,
                     [&](int x, int y) {
                       const bool bFirst = x >= 2 && y >= 1 && y < 5, bSecond = x < 6;
                       return (bFirst ? kFirst : 0) ^ (bSecond ? PatternColor(x, y) : 0);
                     }),
            Made(lib.XorBitmaps(display.Get(), &first, &second, 2, 1)));
  EXPECT_EQ(NULL, lib.XorBitmaps(display.Get(), &empty, &empty, 0, 0));
}

TEST_F(CommonLibBitmapTest, HighlightMarksOnlyTheRectangle) {
  const COLORREF kYellow = RGB(255, 255, 0);
  CBitmap pic;
  MakePicture(pic, 16, 12, PatternColor);
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &pic, 2, 2, 14, 10, kWhite));
  EXPECT_EQ(PixelsOf(16, 12, PatternColor), ReadPixels(pic)) << "white changes nothing";

  // Dark strokes stay dark: picture AND colour.
  MakePicture(pic, 16, 12, [](int x, int) { return x < 8 ? kWhite : RGB(0x30, 0x80, 0xF0); });
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &pic, 3, 2, 10, 7, kYellow));
  EXPECT_EQ(PixelsOf(16, 12,
                     [&](int x, int y) {
                       const COLORREF c = x < 8 ? kWhite : RGB(0x30, 0x80, 0xF0);
                       return x >= 3 && x < 10 && y >= 2 && y < 7 ? c & kYellow : c;
                     }),
            ReadPixels(pic));
  EXPECT_FALSE(lib.HighlightRect(display.Get(), NULL, 0, 0, 1, 1, kWhite));
}

// A picture as a fill meets it: a bitmap of the display's format, or a section whose pixels carry
// an opaque top byte, as every picture made or drawn through GDI+ does.
void MakeFillPicture(CBitmap& bitmap, bool bOpaque, int w, int h,
                     const std::function<COLORREF(int, int)>& fn) {
  if (!bOpaque)
    return MakePicture(bitmap, w, h, fn);
  CPixelPlane plane;
  bitmap.DeleteObject();
  bitmap.Attach(CreatePlaneBitmap(w, h, &plane));
  for (int i = 0; i < w * h; i++)
    reinterpret_cast<DWORD*>(plane.Row(i / w))[i % w] = 0xFF000000 | pixel_support::ToDib(fn(i % w, i / w));
}

class FloodFillTest : public CommonLibBitmapTest, public testing::WithParamInterface<bool> {};

// Blue walls: column 5 down to row 5, which the fill passes round its foot, and a closed box whose
// white inside it never reaches. A fill with the colour found, or off the picture, changes nothing.
TEST_P(FloodFillTest, FillsTheConnectedAreaOnly) {
  const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 200, 0);
  auto wall = [](int x, int y) {
    return (x == 5 && y < 6) || (x >= 8 && x <= 10 && y >= 1 && y <= 3 && !(x == 9 && y == 2));
  };
  CBitmap pic, empty;
  MakeFillPicture(pic, GetParam(), 12, 8, [&](int x, int y) { return wall(x, y) ? kBlue : kWhite; });
  ASSERT_TRUE(lib.FloodFillBitmap(display.Get(), &pic, 1, 1, kRed));
  EXPECT_EQ(
      PixelsOf(12, 8, [&](int x, int y) { return wall(x, y)         ? kBlue
                                                 : x == 9 && y == 2 ? kWhite
                                                                    : kRed; }),
      ReadPixels(pic));

  auto greenHalf = [&](int x, int y) { return x < 5 ? kGreen : PatternColor(x, y); };
  MakeFillPicture(pic, GetParam(), 10, 10, greenHalf);
  lib.FloodFillBitmap(display.Get(), &pic, 2, 2, kGreen);
  EXPECT_FALSE(lib.FloodFillBitmap(display.Get(), &pic, 10, 2, kRed));
  EXPECT_EQ(PixelsOf(10, 10, greenHalf), ReadPixels(pic));
  EXPECT_FALSE(lib.FloodFillBitmap(display.Get(), &empty, 0, 0, kWhite));
}

INSTANTIATE_TEST_SUITE_P(DisplayBitmapAndOpaqueSection, FloodFillTest, testing::Bool());

TEST(CommonLibSnapRectToZoom, LandsOnWholePicturePixels) {
  // 10 / 1.5 + 0.5 = 7.17 -> 7 -> 10.5 -> 10; 11 / 1.5 + 0.5 = 7.83 -> 7 -> 10. Zoom below 1:
  // 7 / 0.75 + 0.5 = 9.83 -> 9 -> 6.75 -> 6. Truncation toward zero on the negative side:
  // -2.5 + 0.5 = -2 -> -4; -1.5 + 0.5 = -1 -> -2; even at zoom 1, -5 + 0.5 = -4.5 -> -4.
  const std::tuple<CRect, float, CRect> cases[] = {
      {{5, 4, 11, 21}, 2.0f, {6, 4, 12, 22}},   {{10, 11, 13, 16}, 1.5f, {10, 10, 13, 16}},
      {{3, 5, 7, 10}, 0.75f, {3, 5, 6, 9}},     {{2, 3, 9, 12}, 1.0f, {2, 3, 9, 12}},
      {{-5, -3, -5, 0}, 2.0f, {-4, -2, -4, 0}}, {{-5, 0, 0, 0}, 1.0f, {-4, 0, 0, 0}}};
  for (const auto& [in, fZoom, out] : cases) {
    CRect rc = in;
    SnapRectToZoom(rc, fZoom);
    EXPECT_EQ(out, rc) << in.left << "," << in.top << " at " << fZoom;
  }
}

// ---- Shapes ---------------------------------------------------------------------------------------

class CommonLibShapeTest : public CommonLibBitmapTest {
protected:
  void SetUp() override { MakePicture(source, 100, 80, PatternColor); }

  // Cuts the source's rectangle to the shape and reads both outputs back.
  bool Cut(ShapeType nShape, const CRect& rc, const std::vector<POINT>& pts = {}) {
    cut.DeleteObject();
    mask.DeleteObject();
    if (!lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, rc.left, rc.top, rc.right, rc.bottom,
                              pts.empty() ? NULL : pts.data(), (int)pts.size(), nShape))
      return false;
    cutPx = ReadPixels(cut);
    maskPx = ReadPixels(mask);
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

TEST_F(CommonLibShapeTest, CurvesKeepTheInscribedEllipseOrRoundTheCornersBy25Pixels) {
  // Points clear of the outline, which curve flattening may move by a pixel: the middle and near
  // the edges inside, near the corners outside.
  for (ShapeType nShape : {ID_TOOL_CIRCLE_SELECTION, ID_CAPTURE_CIRCLE}) {
    ASSERT_TRUE(Cut(nShape, CRect(10, 5, 50, 35))); // 40 x 30
    Expect(true, {{20, 15}, {2, 15}, {37, 15}, {20, 2}, {20, 27}, {7, 6}, {32, 23}});
    Expect(false, {{3, 3}, {36, 3}, {3, 26}, {36, 26}});
  }
  // 80 x 60: the corners are quarter circles about the inner rectangle (25, 25, 55, 35).
  ASSERT_TRUE(Cut(ID_CAPTURE_ROUND_RECT, CRect(10, 10, 90, 70)));
  Expect(true, {{10, 10}, {69, 49}, {2, 30}, {40, 2}, {77, 30}, {40, 57}});
  Expect(false, {{5, 5}, {74, 54}, {5, 54}, {74, 5}});
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
  for (int x = 29; x <= 50; x++)
    Expect(x == 29 || x == 50, x, 15);
}

TEST_F(CommonLibShapeTest, RectangleBeyondTheSourceProducesNothing) {
  MakeSolid(cut, 3, 3, kRed);
  MakeSolid(mask, 3, 3, kRed);
  HGDIOBJ hCut = cut.GetSafeHandle(), hMask = mask.GetSafeHandle();
  const CRect beyond[] = {{50, 0, 101, 80}, {0, 10, 100, 81}, {-1, 0, 20, 20}};
  for (const CRect& rc : beyond)
    EXPECT_FALSE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, rc.left, rc.top, rc.right,
                                      rc.bottom, NULL, 0, ID_TOOL_SELECT_REGION));
  EXPECT_EQ(std::make_tuple(hCut, hMask, kRed),
            std::make_tuple(cut.GetSafeHandle(), mask.GetSafeHandle(), ReadPixels(cut).At(1, 1)));
  // Exactly up to the edge is fine.
  EXPECT_TRUE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, 50, 0, 100, 80, NULL, 0,
                                   ID_TOOL_SELECT_REGION));
}

TEST_F(CommonLibShapeTest, FillShapeFillsInPictureCoordinates) {
  CBitmap pic;
  MakeSolid(pic, 60, 40, kWhite);
  ASSERT_TRUE(lib.FillShape(display.Get(), &pic, 5, 5, 25, 20, NULL, 0, ID_TOOL_RECT_SELECTION, kRed));
  const int m = g_nCanvasMargin;
  const POINT tri[3] = {{30 + m, 5 + m}, {55 + m, 5 + m}, {30 + m, 35 + m}};
  ASSERT_TRUE(lib.FillShape(display.Get(), &pic, 30, 5, 55, 35, tri, 3, ID_TOOL_POLYGON_SELECTION, kRed));
  Pixels px = ReadPixels(pic);
  for (CPoint pt : {CPoint(5, 5), CPoint(24, 19), CPoint(32, 8)})
    EXPECT_EQ(kRed, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
  for (CPoint pt : {CPoint(25, 12), CPoint(4, 12), CPoint(53, 30)})
    EXPECT_EQ(kWhite, px.At(pt.x, pt.y)) << pt.x << "," << pt.y;
}

} // namespace
