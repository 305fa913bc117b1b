// Drawing elements: what they draw (geometry, colours, alpha, shadow placement) read back from
// 32-bit GDI+ bitmaps. Samples stay off anti-aliased edges; dashes are only counted.
#include "editor/Element.h"
#include "editor/ElementDrawing.h"
#include "editor/LineElements.h"
#include "editor/PathElements.h"
#include "editor/ShapeElements.h"
#include "tests/unit/editor/editor_harness.h"

using namespace Gdiplus;
using pixel_support::Pixels;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kBlack = 0;

DrawStyle Style(int width, int opacity = 255, BOOL bShadow = FALSE, int edge = 0) {
  return DrawStyle{kRed, kBlue, opacity, width, FALSE, bShadow, kBlack, 100, 30, 30, edge};
}
DrawStyle Shadowed(int width, int edge = 0) { return Style(width, 255, TRUE, edge); }

// A picture to draw on: one colour, or a gradient with a fine pattern when fill is CLR_INVALID.
struct Canvas {
  Canvas(int cx, int cy, COLORREF fill = kWhite, PixelFormat format = PixelFormat32bppARGB)
      : m_bitmap(cx, cy, format) {
    for (int i = 0; i < cx * cy; i++)
      m_bitmap.SetPixel(i % cx, i / cx,
                        Color(fill == CLR_INVALID ? 0xFF000080 | (i % cx * 255 / cx) << 16 |
                                                        ((i * 7 + i / cx * 13) & 0xFF) << 8
                                                  : 0xFF000000 | pixel_support::ToDib(fill)));
  }
  Bitmap* Get() { return &m_bitmap; }
  // A separate copy of the picture, as the view hands to the final rendering.
  Bitmap* Copy() {
    return m_bitmap.Clone(0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight(), m_bitmap.GetPixelFormat());
  }
  Pixels Read() { return ColoursOf(&m_bitmap); }
  Bitmap m_bitmap;
};

std::unique_ptr<CElement> Make(int nTool, std::vector<POINT> points = {}) {
  std::unique_ptr<CElement> pElement(static_cast<CElement*>(ElementClassForTool(nTool)->CreateObject()));
  if (points.size() == 2)
    pElement->SetPoints(points[0].x, points[0].y, points[1].x, points[1].y);
  for (POINT pt : points)
    pElement->AddPoint(pt);
  return pElement;
}

enum Pass { PREVIEW, FINAL, INTO_PICTURE };

// Draws as the view does: a preview, or the final rendering on a graphics of the picture or
// straight into it. Each gets a picture copy, the canvas's unless pCopy is given (the view gives
// none to previews, which must cast no shadow even so).
Status Render(CElement& element, Canvas& canvas, Pass pass, const DrawStyle& style, int nTool,
              float fZoom = 1.0f, int nScrollX = 0, int nScrollY = 0, Bitmap* pCopy = NULL) {
  element.m_bFinal = pass == PREVIEW ? 0 : 1;
  if (pCopy == NULL)
    pCopy = canvas.Copy();
  if (pass == INTO_PICTURE)
    return element.DrawIntoPicture(pCopy, canvas.Get(), style, nTool, fZoom, nScrollX, nScrollY);
  Graphics graphics(canvas.Get());
  return element.Draw(pCopy, &graphics, style, nTool, fZoom, nScrollX, nScrollY);
}

bool Near(COLORREF a, COLORREF b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 1)
      return false;
  return true;
}
bool Painted(const Pixels& px, int x, int y) { return px.At(x, y) != kWhite; }

// Painted pixels across the line at each place along it.
std::vector<int> Profile(const Pixels& px, bool bHorizontal) {
  std::vector<int> counts(bHorizontal ? px.cx : px.cy);
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++)
      counts[bHorizontal ? x : y] += Painted(px, x, y);
  return counts;
}

} // namespace

// Width 1: the frame lies on the rectangle's edges, the back fill starts one pixel inside and
// shares the right and bottom edges; a fill without frame covers the rectangle's pixels.
TEST(RectangleElement, FrameAndFillGeometryAtWidthOne) {
  const COLORREF W = kWhite, R = kRed, B = kBlue;
  // Row y = 20 at x = 9, 10, 11, 39, 40, 41; column x = 25 at y = 9, 10, 11, 29, 30, 31.
  // clang-format off
  const Rows<int, std::vector<COLORREF>> rows = {
      {ID_TOOL_RECT_FRAMED, {W, R, B, B, R, W}}, {ID_TOOL_SHAPES, {W, R, B, B, R, W}},
      {ID_TOOL_RECT_HOLLOW, {W, R, W, W, R, W}}, {ID_TOOL_RECT_FILLED, {W, R, R, R, W, W}}};
  // clang-format on
  const int at[6] = {-1, 0, 1, -1, 0, 1};
  for (Pass pass : {FINAL, INTO_PICTURE})
    for (auto [nTool, expected] : rows) {
      Canvas canvas(60, 50, kWhite, pass == INTO_PICTURE ? PixelFormat32bppRGB : PixelFormat32bppARGB);
      std::unique_ptr<CElement> pElement = Make(nTool);
      pElement->SetRect(10, 10, 40, 30);
      ASSERT_EQ(Ok, Render(*pElement, canvas, pass, Style(1), nTool));
      Pixels px = canvas.Read();
      for (int i = 0; i < 6; i++) {
        EXPECT_EQ(expected[i], px.At((i < 3 ? 10 : 40) + at[i], 20)) << nTool << " x " << pass << i;
        EXPECT_EQ(expected[i], px.At(25, (i < 3 ? 10 : 30) + at[i])) << nTool << " y " << pass << i;
      }
    }
}

// The head is 8 widths long and 5 (width 1) or 3 widths to each side of the axis, in a preview
// at any zoom as well; double arrows have a head at each end.
TEST(ArrowElement, HeadExtentsFollowTheWidth) {
  const POINT L{20, 50}, R{120, 50}, T{50, 20}, B{50, 120}; // left, right, top and bottom ends
  // clang-format off
  const Rows<int, int, POINT, POINT, Pass, int, int, int> rows = {
      {ID_TOOL_ARROW_SINGLE, 1, L, R, FINAL, 8, 5, 0}, {ID_TOOL_ARROW_SINGLE, 4, L, R, FINAL, 32, 12, 0},
      {ID_TOOL_ARROW_SINGLE, 4, B, T, FINAL, 32, 12, 0}, {ID_TOOL_ARROW_SMART, 4, L, R, FINAL, 32, 12, 0},
      {ID_TOOL_ARROW_DOUBLE, 4, L, R, FINAL, 32, 12, 32}, {ID_TOOL_ARROW, 4, L, R, PREVIEW, 32, 12, 0},
      {ID_TOOL_ARROW_SMART_DOUBLE, 2, T, B, FINAL, 16, 6, 16}};
  // clang-format on
  for (auto [nTool, nWidth, from, to, pass, nHead, nHalf, nTailHead] : rows) {
    SCOPED_TRACE(testing::Message() << nTool << " width " << nWidth << " pass " << pass);
    Canvas canvas(140, 140);
    std::unique_ptr<CElement> pElement = Make(nTool, {from, to});
    ASSERT_EQ(Ok, Render(*pElement, canvas, pass, Style(nWidth), nTool, pass == PREVIEW ? 2.0f : 1.0f));
    const bool bHorizontal = from.y == to.y;
    const Pixels px = canvas.Read();
    const std::vector<int> across = Profile(px, bHorizontal);
    const int tip = bHorizontal ? to.x : to.y, tail = bHorizontal ? from.x : from.y, mid = (tip + tail) / 2;
    const int axis = bHorizontal ? from.y : from.x, shaft = across[mid];
    EXPECT_NEAR(nWidth, shaft, 1.0);
    // Heads are what reaches off the shaft: their half-width, and how far back from each end.
    int nSide[2] = {0, 0}, nHeadSeen = 0, nTailHeadSeen = 0;
    for (int i = 0; i < px.cx * px.cy; i++) {
      const int along = bHorizontal ? i % px.cx : i / px.cx,
                off = (bHorizontal ? i / px.cx : i % px.cx) - axis;
      if (!Painted(px, i % px.cx, i / px.cx) || std::abs(off) <= shaft / 2 + 1)
        continue;
      nSide[off > 0] = std::max(nSide[off > 0], std::abs(off));
      int& nSeen = (along > mid) == (tip > mid) ? nHeadSeen : nTailHeadSeen;
      nSeen = std::max(nSeen, std::abs((along > mid) == (tip > mid) ? tip - along : tail - along));
    }
    // A barb's point nHalf off the axis paints nHalf - 1 or nHalf pixels off it.
    EXPECT_NEAR(nHalf - 0.5, (nSide[0] + nSide[1]) / 2.0, 0.75);
    EXPECT_NEAR(nHead, nHeadSeen, 1.0);
    EXPECT_NEAR(nTailHead, nTailHeadSeen, 1.0);
  }
}

// Previews scale the pen by the zoom, the final rendering draws the style's width; dashed tools
// leave gaps, solid ones none, and every line starts with a dash.
TEST(Elements, PenWidthFollowsThePreviewsZoomAndDashesLeaveGaps) {
  const Rows<int, Pass, float, int> rows = {
      {ID_TOOL_LINE_SOLID, FINAL, 2.0f, 3},      {ID_TOOL_LINE_SOLID, PREVIEW, 2.0f, 6},
      {ID_TOOL_LINE_SOLID, PREVIEW, 1.0f, 3},    {ID_TOOL_BRUSH_ROUND, PREVIEW, 2.0f, 6},
      {ID_TOOL_BRUSH_ROUND, FINAL, 1.0f, 3},     {ID_TOOL_RECT_HOLLOW, PREVIEW, 2.0f, 6},
      {ID_TOOL_RECT_HOLLOW, FINAL, 1.0f, 3},     {ID_TOOL_BRUSH_FLAT, PREVIEW, 1.0f, 3},
      {ID_TOOL_LINE_DOTTED, PREVIEW, 1.0f, 0},   {ID_TOOL_LINE_DASHED, PREVIEW, 1.0f, 0},
      {ID_TOOL_LINE_DASH_DOT, PREVIEW, 1.0f, 0}, {ID_TOOL_BRUSH_DASHED, PREVIEW, 1.0f, 0},
      {ID_TOOL_BRUSH_DOTTED, PREVIEW, 1.0f, 0}}; // 0: dashed
  for (auto [nTool, pass, fZoom, nThick] : rows) {
    Canvas canvas(300, 120);
    std::unique_ptr<CElement> pElement = Make(nTool, {{10, 40}, {290, 40}});
    pElement->SetRect(10, 40, 290, 100);
    ASSERT_EQ(Ok, Render(*pElement, canvas, pass, Style(3), nTool, fZoom));
    const std::vector<int> across = Profile(canvas.Read(), true);
    int nGaps = 0;
    for (int x = 20; x < 280; x++)
      nGaps += across[x] > 0 && across[x + 1] == 0;
    EXPECT_EQ(nThick == 0, nGaps >= 5) << nTool << ": " << nGaps << " gaps";
    EXPECT_GT(across[12], 0) << nTool;
    // Column 150 crosses a line or stroke once, the rectangle's frame twice.
    if (nThick > 0)
      EXPECT_NEAR(nThick, across[150] / (nTool == ID_TOOL_RECT_HOLLOW ? 2 : 1), 1)
          << nTool << " pass " << pass << " zoom " << fZoom;
  }
}

// Elements inside (20, 20)-(40, 40), their shadows 30 pixels further: filled shapes cast solid
// shadows, hollow ones outlines, lines and strokes (vertical at x 30) lines; previews cast none.
TEST(ElementShadow, DarkensAtTheDepthOnlyInTheFinalRendering) {
  const Rows<int, bool, bool> rows = {
      {ID_TOOL_RECT_FRAMED, true, true},       {ID_TOOL_RECT_HOLLOW, false, true},
      {ID_TOOL_RECT_FILLED, true, true},       {ID_TOOL_ELLIPSE_FRAMED, true, true},
      {ID_TOOL_ELLIPSE_HOLLOW, false, true},   {ID_TOOL_ROUNDRECT_FILLED, true, true},
      {ID_TOOL_ROUNDRECT_HOLLOW, false, true}, {ID_TOOL_FREESHAPE_FILLED, true, true},
      {ID_TOOL_FREESHAPE_HOLLOW, false, true}, {ID_TOOL_LINE, true, false},
      {ID_TOOL_ARROW_SINGLE, true, false},     {ID_TOOL_PAINT_BRUSH, true, false}};
  for (Pass pass : {PREVIEW, FINAL, INTO_PICTURE})
    for (auto [nTool, bCentre, bEdge] : rows) {
      SCOPED_TRACE(testing::Message() << nTool << " pass " << pass);
      Canvas canvas(100, 100, kWhite, pass == INTO_PICTURE ? PixelFormat32bppRGB : PixelFormat32bppARGB);
      // Free shapes and strokes take view points (margin 8), lines and arrows picture points.
      const int m = nTool == ID_TOOL_LINE || nTool == ID_TOOL_ARROW_SINGLE ? 0 : 8;
      std::unique_ptr<CElement> pElement =
          Make(nTool, bEdge ? std::vector<POINT>{{28, 28}, {48, 28}, {48, 48}, {28, 48}}
                            : std::vector<POINT>{{30 + m, 20 + m}, {30 + m, 40 + m}});
      pElement->SetRect(20, 20, 40, 40);
      ASSERT_EQ(Ok, Render(*pElement, canvas, pass, Shadowed(3), nTool));
      Pixels px = canvas.Read();
      if (pass != PREVIEW) // a preview of view points lies 8 pixels further
        EXPECT_NE(kWhite, px.At(30, 21));
      EXPECT_EQ(std::make_pair(pass != PREVIEW && bCentre, pass != PREVIEW && bEdge),
                std::make_pair(px.At(60, 60) == kBlack, px.At(50, 60) == kBlack));
      EXPECT_TRUE(px.At(45, 60) == kWhite && px.At(60, 75) == kWhite);
    }
}

// A fill is its colour at the opacity over the picture. Its shadow is the shadow colour at alpha
// (opacity * shadowOpacity) / 100, held at 255, laid over white and multiplied by the picture under
// it. Beyond the two the picture stays as it was.
TEST(ElementShadow, FillBlendsAndShadowMultipliesThePicture) {
  const Rows<int, int, int> rows = {{255, 100, 255}, {255, 140, 255}, {200, 200, 255},
                                    {255, 40, 102},  {128, 50, 64},   {0, 100, 0}};
  for (Pass pass : {FINAL, INTO_PICTURE})
    for (auto [nOpacity, nShadowOpacity, nAlpha] : rows) {
      Canvas canvas(100, 100, CLR_INVALID, PixelFormat32bppRGB), before(100, 100, CLR_INVALID);
      DrawStyle style = Shadowed(3);
      style.opacity = nOpacity, style.shadowOpacity = nShadowOpacity, style.shadowColor = RGB(64, 64, 64);
      CRectangle rectangle;
      rectangle.SetRect(20, 20, 40, 40);
      ASSERT_EQ(Ok, Render(rectangle, canvas, pass, style, ID_TOOL_RECT_FILLED));
      const int level = (64 * nAlpha + 255 * (255 - nAlpha)) / 255;
      auto fill = [&](int under, int colour) { return (colour * nOpacity + under * (255 - nOpacity)) / 255; };
      Pixels was = before.Read(), px = canvas.Read();
      for (int i = 0; i < 100 * 100; i++) {
        const int x = i % 100, y = i / 100;
        const COLORREF c = was.At(x, y);
        COLORREF expected = c;
        if (x >= 20 && x < 40 && y >= 20 && y < 40)
          expected = RGB(fill(GetRValue(c), 255), fill(GetGValue(c), 0), fill(GetBValue(c), 0));
        else if (x > 50 && x < 70 && y > 50 && y < 70)
          expected = RGB(GetRValue(c) * level / 255, GetGValue(c) * level / 255, GetBValue(c) * level / 255);
        else if (x >= 48 && x < 72 && y >= 48 && y < 72)
          continue; // the shadow's edge
        ASSERT_TRUE(Near(expected, px.At(x, y)))
            << x << "," << y << " opacity " << nOpacity << "," << nShadowOpacity << " pass " << pass;
      }
    }
}

// Hard edges stay sharp; "Soft" and "Softer" grade a wider and wider band.
TEST(ElementShadow, EdgesAreSoftenedByTheStyle) {
  int nGraded[3];
  for (int nEdge = 0; nEdge < 3; nEdge++) {
    Canvas canvas(100, 100);
    CRectangle rectangle;
    rectangle.SetRect(20, 20, 40, 40);
    ASSERT_EQ(Ok, Render(rectangle, canvas, FINAL, Shadowed(3, nEdge), ID_TOOL_RECT_FILLED));
    Pixels px = canvas.Read();
    nGraded[nEdge] = 0;
    for (int x = 40; x < 90; x++)
      nGraded[nEdge] += px.At(x, 60) != kWhite && px.At(x, 60) != kBlack;
    EXPECT_EQ(kBlack, px.At(60, 60)) << nEdge;
  }
  EXPECT_TRUE(nGraded[0] == 0 && nGraded[1] >= 2 && nGraded[2] > nGraded[1])
      << nGraded[0] << " " << nGraded[1] << " " << nGraded[2];
}

// An arrow whose points coincide has no direction; a line whose snapped points coincide has no
// length. Neither draws anything, nor a shadow: the picture copy a shadow darkens is black here,
// so that one would show on the white canvas even where the line itself draws nothing.
TEST(Elements, ZeroLengthArrowsAndLinesDrawNothing) {
  for (int nTool : {ID_TOOL_ARROW, ID_TOOL_ARROW_SMART, ID_TOOL_ARROW_SMART_DOUBLE, ID_TOOL_ARROW_SINGLE,
                    ID_TOOL_ARROW_DOUBLE, ID_TOOL_LINE, ID_TOOL_LINE_DOTTED})
    for (Pass pass : {PREVIEW, FINAL, INTO_PICTURE}) {
      Canvas canvas(60, 60), before(60, 60), black(60, 60, kBlack);
      std::unique_ptr<CElement> pElement = Make(nTool, {{30, 30}, {30, 30}});
      EXPECT_EQ(Ok, Render(*pElement, canvas, pass, Shadowed(4), nTool, 1.0f, 0, 0, black.Copy())) << nTool;
      EXPECT_TRUE(canvas.Read().data == before.Read().data) << nTool << " pass " << pass;
      pElement->SetPoints(30, 30, 31, 30); // one pixel long: drawn
      EXPECT_EQ(Ok, Render(*pElement, canvas, pass, Shadowed(4), nTool)) << nTool;
      EXPECT_TRUE(Painted(canvas.Read(), 30, 30)) << nTool << " pass " << pass;
    }
}

// Previews go to the view's device context, moved by the scroll position each time from the
// element's own points, so a repaint draws them in the same place; the idle element draws nothing.
TEST(Elements, PreviewsDrawOnADeviceContext) {
  CLine line;
  line.SetPoints(10, 30, 70, 30);
  CElement idle;
  idle.SetPoints(10, 20, 90, 20);
  std::vector<COLORREF> shots[2];
  for (auto& shot : shots) {
    pixel_support::DibSurface surface(100, 60);
    for (CElement* pElement : {static_cast<CElement*>(&line), &idle}) {
      pElement->m_bFinal = 0;
      EXPECT_EQ(Ok, pElement->DrawToDC(NULL, &surface.dc(), Style(3), ID_TOOL_LINE, 1.0f, 20, 5));
    }
    shot = surface.Pixels();
    EXPECT_EQ(std::make_tuple(kRed, kWhite, kWhite),
              std::make_tuple(surface.At(85, 35), surface.At(25, 35), surface.At(50, 25)));
  }
  EXPECT_TRUE(shots[0] == shots[1]);
  EXPECT_EQ(InvalidParameter, line.DrawToDC(NULL, NULL, Style(3), ID_TOOL_LINE, 1.0f, 0, 0));
}

// Free shapes and strokes keep view points: a preview adds the scroll position, the final
// rendering takes them into the picture (margin off, zoom undone, scroll added) and closes a shape.
TEST(PathElements, ViewPointsReachThePictureAndFinalShapesClose) {
  g_nCanvasMargin = 8;
  // clang-format off
  const Rows<Pass, float, int, int, CRect> rows = {
      {FINAL, 1.0f, 0, 0, {20, 40, 120, 40}}, {FINAL, 2.0f, 20, 10, {20, 25, 70, 25}},
      {FINAL, 0.5f, 10, 10, {60, 100, 260, 100}}, {PREVIEW, 1.0f, 30, 20, {58, 68, 158, 68}}};
  // clang-format on
  for (auto [pass, fZoom, nScrollX, nScrollY, expected] : rows) {
    Canvas canvas(300, 160);
    CFreehand stroke; // a point equal to the last one is not added again
    for (POINT pt : {POINT{28, 48}, POINT{28, 48}, POINT{128, 48}, POINT{128, 48}})
      stroke.AddPoint(pt);
    ASSERT_EQ(2, stroke.GetPath().GetCount());
    ASSERT_EQ(Ok, Render(stroke, canvas, pass, Style(2), ID_TOOL_BRUSH_FLAT, fZoom, nScrollX, nScrollY));
    Pixels px = canvas.Read();
    const CPoint mid = expected.CenterPoint();
    EXPECT_TRUE(Painted(px, expected.left + 1, mid.y) && Painted(px, expected.right - 1, mid.y)) << fZoom;
    EXPECT_FALSE(Painted(px, expected.left - 3, mid.y) || Painted(px, expected.right + 3, mid.y) ||
                 Painted(px, mid.x, mid.y - 4))
        << fZoom << " " << nScrollX;
  }
  // The final free shape is closed; its preview is left open.
  for (Pass pass : {PREVIEW, FINAL}) {
    Canvas canvas(150, 120);
    CClosedCurve shape;
    for (POINT pt : {POINT{28, 28}, POINT{128, 28}, POINT{128, 108}})
      shape.AddPoint(pt);
    ASSERT_EQ(Ok, Render(shape, canvas, pass, Style(3), ID_TOOL_FREESHAPE_HOLLOW));
    // The closing edge's middle: (70, 60) in the picture, (78, 68) in the view.
    Pixels px = canvas.Read();
    EXPECT_EQ(pass == FINAL, Painted(px, 70, 60) || Painted(px, 78, 68)) << pass;
  }
}

// Every element kind, plain (top) and with a soft shadow (below), for a person to look at.
TEST(Elements, GalleryOfEveryKind) {
  std::vector<int> kinds; // every tool that makes an element
  for (int nTool = ID_TOOL_POINTER; nTool <= ID_TOOL_ARROW_DOUBLE; nTool++)
    if (ElementClassForTool(nTool) != NULL)
      kinds.push_back(nTool);
  EXPECT_EQ(NULL, ElementClassForTool(ID_TOOL_SELECT_REGION));
  const int kCell = 90, kColumns = 8, kCount = (int)kinds.size(), kRows = (kCount + kColumns - 1) / kColumns;
  Canvas canvas(kColumns * kCell, kRows * 2 * kCell, RGB(235, 240, 250));
  for (int i = 0; i < kCount * 2; i++) {
    const int nTool = kinds[i % kCount], x = (i % kCount) % kColumns * kCell,
              y = ((i % kCount) / kColumns * 2 + i / kCount) * kCell;
    DrawStyle style = {kRed, kBlue, 220, 3, FALSE, i >= kCount, RGB(60, 60, 60), 80, 5, 5, 1};
    const int m = 8; // the margin, taken off the view points of free shapes and strokes
    std::unique_ptr<CElement> pElement =
        Make(nTool, {{x + 15 + m, y + 20 + m}, {x + 70 + m, y + 60 + m}, {x + 20 + m, y + 70 + m}});
    pElement->SetPoints(x + 15, y + 20, x + 70, y + 65);
    ASSERT_EQ(Ok, Render(*pElement, canvas, FINAL, style, nTool)) << nTool;
  }
  EXPECT_FALSE(pixel_support::SaveBmp(canvas.Read(), "editor_elements.bmp").empty());
}

// A long opaque round stroke is drawn in pieces. They cover what the one path covers, sharp turns
// and all, but for a rare pixel on the stroke's edge where a cap's rounding reaches one pixel
// further; a translucent stroke is not cut.
TEST(PathElements, LongStrokesDrawWhatOnePathDraws) {
  g_nCanvasMargin = 8;
  CFreehand stroke;
  for (int i = 0; i < 400; i++) // a wave with hairpin turns every 37 points, in view coordinates
    stroke.AddPoint({LONG(18 + i * 0.7), i % 37 < 18 ? 28 + (i % 37) * 5 : 208 - (i % 37) * 5});
  for (int nOpacity : {255, 160}) {
    Canvas pieces(300, 200), whole(300, 200);
    ASSERT_EQ(Ok, Render(stroke, pieces, FINAL, Style(9, nOpacity), ID_TOOL_PAINT_BRUSH));
    Graphics graphics(whole.Get());
    Pen pen(Color(ElementArgb(kRed, nOpacity)), 9);
    pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    const std::vector<PointF> points = stroke.GetPath().Resolve(false, 1.0f, 0, 0);
    graphics.DrawLines(&pen, points.data(), INT(points.size()));
    const Pixels a = pieces.Read(), b = whole.Read();
    int nDiffer = 0;
    for (int i = 0; i < a.cx * a.cy; i++) {
      const int x = i % a.cx, y = i / a.cx;
      if (a.data[i] == b.data[i])
        continue;
      nDiffer++;
      EXPECT_TRUE(Painted(b, x - 1, y) || Painted(b, x + 1, y) || Painted(b, x, y - 1) ||
                  Painted(b, x, y + 1))
          << x << "," << y;
    }
    EXPECT_LE(nDiffer, nOpacity == 255 ? 8 : 0) << nOpacity;
  }
}
