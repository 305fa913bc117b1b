// The image view's trackers: cursors over a real window, drawing at the zoom and scroll position
// read back from pixels, the floating picture's pixels and its drag loop driven by queued input.
#include "editor/Trackers.h"
#include "tests/unit/editor/editor_harness.h"

namespace {

using pixel_support::DibSurface;
using T = CRectTracker;
const COLORREF kBlack = RGB(0, 0, 0), kGrey = RGB(128, 128, 128);
const DWORD kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF;
Gdiplus::Bitmap* const kNoPicture = NULL;
// A masked picture's colours (0x00RRGGBB) and where its mask is black.
DWORD Colour(int x, int y) { return RGB(77, 20 * y + 5, 10 * x + 5); }
bool Black(int x, int y) { return (x + y) % 3 == 0; }

int CountNot(DibSurface& surface, const CRect& area, COLORREF cr) {
  int n = 0;
  for (int i = 0; i < area.Width() * area.Height(); ++i)
    n += surface.At(area.left + i % area.Width(), area.top + i / area.Width()) != cr;
  return n;
}
template <class Tracker> Tracker& Styled(Tracker& tracker, UINT nStyle, CRect rect, BOOL bMovable = FALSE) {
  tracker.m_nStyle = nStyle, tracker.m_nHandleSize = 5, tracker.m_rect = rect;
  if constexpr (!std::is_same_v<Tracker, CTextBoxTracker>)
    tracker.m_bMovable = bMovable;
  return tracker;
}

class TrackerWindow : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(host.CreateHost("trackers", WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
  void TearDown() override { PumpPending(), host.DestroyWindow(); }
  CHostWnd host;
};

} // namespace

TEST_F(TrackerWindow, CursorsOfTheFourTrackers) {
  CShapeTracker shape;
  CSelectionTracker movable, fixed;
  CTextBoxTracker box;
  CZoomTracker piece(kNoPicture, 80, 70, 180, 140, 1.0f); // scrolled by (30, 20): (50,50)-(150,120)
  piece.m_nScrollX = 30, piece.m_nScrollY = 20;
  Styled(shape, T::resizeOutside, {50, 50, 150, 120}, TRUE).m_bMovable = FALSE;
  Styled(movable, kTrackerStyle, {50, 50, 150, 120}, TRUE), Styled(fixed, kTrackerStyle, {50, 50, 150, 120});
  Styled(box, T::hatchedBorder | T::resizeOutside, {50, 50, 150, 120});
  auto on = [this](auto& tracker) -> std::function<BOOL()> {
    return [this, &tracker] { return tracker.SetCursor(&host, HTCLIENT); };
  };
  const Rows<std::function<BOOL()>, CPoint, BOOL, LPCSTR> rows = {
      // NULL: the arrow stays
      {on(shape), {100, 85}, FALSE, NULL},         {on(shape), {48, 48}, TRUE, IDC_SIZENWSE},
      {on(shape), {151, 121}, TRUE, IDC_SIZENWSE}, {on(shape), {151, 48}, TRUE, IDC_SIZENESW},
      {on(movable), {100, 85}, TRUE, IDC_SIZEALL}, {on(movable), {47, 84}, TRUE, IDC_SIZEWE},
      {on(movable), {99, 47}, TRUE, IDC_SIZENS},   {on(movable), {20, 20}, FALSE, NULL},
      {on(fixed), {100, 85}, FALSE, NULL},         {on(fixed), {47, 47}, TRUE, IDC_SIZENWSE},
      {on(box), {100, 85}, TRUE, IDC_SIZEALL},     {on(box), {70, 47}, TRUE, NULL}, // hatched border
      {on(piece), {100, 85}, TRUE, IDC_SIZEALL},   {on(piece), {47, 47}, TRUE, IDC_SIZENWSE}};
  HCURSOR hArrow = ::LoadCursorA(NULL, IDC_ARROW);
  for (size_t i = 0; i < rows.size(); ++i) {
    auto [call, pt, bResult, idCursor] = rows[i];
    CPoint ptScreen = pt, ptNow;
    host.ClientToScreen(&ptScreen);
    ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
    ASSERT_TRUE(PumpUntil([&] { return ::GetCursorPos(&ptNow) && ptNow == ptScreen; }))
        << "the pointer stays";
    ::SetCursor(hArrow);
    EXPECT_EQ(bResult, call()) << "row " << i;
    EXPECT_EQ(idCursor != NULL ? ::LoadCursorA(NULL, idCursor) : hArrow, ::GetCursor()) << "row " << i;
  }
  EXPECT_FALSE(movable.SetCursor(&host, HTCAPTION));
}

TEST_F(TrackerWindow, FloatingPictureDragMovesResizesOrPutsBack) {
  // (50,50)-(150,120) logical; start points are logical, the queued positions client.
  const Rows<int, CPoint, CPoint, UINT, CPoint, BOOL, CRect> rows = {
      {0, {100, 85}, {110, 95}, WM_LBUTTONUP, {130, 100}, TRUE, {80, 65, 180, 135}},
      {30, {153, 123}, {133, 113}, WM_LBUTTONUP, {143, 123}, TRUE, {50, 50, 170, 150}},
      {0, {47, 47}, {37, 37}, WM_LBUTTONUP, {27, 37}, TRUE, {30, 40, 150, 120}},
      {0, {100, 85}, {350, 85}, WM_LBUTTONUP, {350, 85}, TRUE, {300, 50, 400, 120}},
      {0, {100, 85}, {350, 85}, WM_KEYDOWN, {}, FALSE, {50, 50, 150, 120}}, // Esc
      {0, {100, 85}, {350, 85}, WM_RBUTTONDOWN, {}, FALSE, {50, 50, 150, 120}}};
  for (auto [nScroll, start, move, nEnd, end, bResult, expected] : rows) {
    PumpPending();
    CZoomTracker piece(kNoPicture, 50, 50, 150, 120, 1.0f);
    piece.m_nScrollX = piece.m_nScrollY = nScroll;
    host.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(move.x, move.y));
    host.PostMessage(nEnd, VK_ESCAPE, MAKELPARAM(end.x, end.y));
    EXPECT_EQ(bResult, piece.Track(&host, start)) << start.x << " " << nEnd;
    EXPECT_EQ(expected, CRect(piece.m_rect)) << start.x << " " << nEnd;
    EXPECT_FALSE(piece.m_bDragging || piece.m_bDropped || ::GetCapture());
    // However far the picture jumped, the place it left is repainted.
    CRgn update;
    update.CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(host.m_hWnd, (HRGN)update.m_hObject, FALSE);
    EXPECT_TRUE(::PtInRegion((HRGN)update.m_hObject, 100 - nScroll, 85 - nScroll)) << start.x << " " << nEnd;
  }
  // While another window holds the capture nothing starts (no input is queued for a loop to take).
  CHostWnd other;
  ASSERT_TRUE(other.CreateHost("other"));
  other.SetCapture();
  CZoomTracker piece(kNoPicture, 50, 50, 150, 120, 1.0f);
  EXPECT_FALSE(piece.TrackHandle(T::hitMiddle, &host, CPoint(100, 85), NULL));
  EXPECT_EQ(other.m_hWnd, ::GetCapture());
  other.DestroyWindow();
}

TEST(FloatingPicture, MaskedPictureWhiteBackedCopyAndDrawnRectangles) {
  CBitmap picture, mask;
  picture.Attach(MakePictureBitmap(6, 4, Colour));
  mask.Attach(MakePictureBitmap(6, 4, [](int x, int y) -> DWORD {
    return Black(x, y) ? 0u : x % 2 ? 1u : 0xFFFFFFu;
  }));
  CZoomTracker masked(&picture, &mask, 8, 8, 14, 12, 1.0f);
  ASSERT_TRUE(masked.m_pBitmap != NULL && masked.m_pBitmap->GetWidth() == 6);
  for (int i = 0; i < 24; ++i)
    EXPECT_EQ((Black(i % 6, i / 6) ? 0 : 0xFF000000) | Colour(i % 6, i / 6),
              ArgbAt(masked.m_pBitmap, i % 6, i / 6));

  // Over white: transparent turns white, opaque stays.
  CZoomTracker pair(NewArgbPicture(2, 1, [](int x, int) { return x ? 0xFF0000FF : 0x00FF0000; }), 8, 8, 10, 9,
                    1.0f);
  std::unique_ptr<CBitmap> copy(pair.CreateCBitmap());
  ASSERT_NE(nullptr, copy);
  std::unique_ptr<Gdiplus::Bitmap> read(Gdiplus::Bitmap::FromHBITMAP((HBITMAP)copy->m_hObject, NULL));
  EXPECT_EQ(std::make_pair(kWhite, 0xFF0000FFul),
            std::make_pair(ArgbAt(read.get(), 0, 0), ArgbAt(read.get(), 1, 0)));

  // Preview: snapped to the 2x grid on the canvas; final: in picture coordinates at 100 %.
  const Rows<BOOL, CRect, CPoint, CPoint> rows = {{FALSE, {10, 10, 18, 18}, {12, 15}, {8, 19}},
                                                  {TRUE, {1, 1, 5, 5}, {2, 3}, {0, 6}}};
  for (auto [bFinal, expected, inside, outside] : rows) {
    CZoomTracker piece(NewArgbPicture(4, 4, [](int, int) { return kRed; }), 9, 9, 17, 17, 2.0f);
    Gdiplus::Bitmap canvas(24, 24, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(kWhite));
    piece.DrawImage(&graphics, bFinal);
    CRect got;
    piece.GetRect(&got);
    EXPECT_EQ(expected, got) << bFinal;
    for (int c : {inside.x, inside.y, outside.x, outside.y})
      EXPECT_EQ(c == inside.x || c == inside.y ? kRed : kWhite, ArgbAt(&canvas, c, c)) << bFinal << " " << c;
  }

  // On the view's DC, scrolled by (20, 10): outline and picture at (20,20)-(40,40) of the window.
  DibSurface surface(60, 60);
  surface.dc().SetWindowOrg(20, 10);
  CZoomTracker piece(NewArgbPicture(20, 20, [](int, int) { return kRed; }), 40, 30, 60, 50, 1.0f);
  piece.m_nScrollX = 20, piece.m_nScrollY = 10;
  piece.Draw(&surface.dc());
  EXPECT_TRUE(surface.At(30, 30) == RGB(255, 0, 0) && surface.At(16, 16) == kBlack);
}

TEST(TrackerDrawing, SelectionOutlinesRectangleEllipseOrPolyline) {
  // Scrolled by (30, 20) as the view draws: the outline (50,40)-(110,80) logical is (20,20)-(80,60)
  // on the surface, and client points shifted by the scroll land back on their client place.
  const std::vector<POINT> one = {{5, 5}}, line = {{10, 90}, {100, 90}, {100, 70}};
  const Rows<std::vector<POINT>, int, CRect, COLORREF, bool, bool> rows = {
      {one, ID_TOOL_RECT_SELECTION, {50, 40, 110, 80}, kBlack, false, false},
      {one, ID_TOOL_CIRCLE_SELECTION, {50, 40, 110, 80}, kBlack, true, false},
      {line, ID_TOOL_POLYGON_SELECTION, {50, 40, 110, 80}, kGrey, false, true},
      {one, ID_TOOL_RECT_SELECTION, {}, kGrey, false, false}};
  for (auto [points, nTool, rectLogical, crHandle, bEllipse, bLine] : rows) {
    DibSurface surface(120, 100, kGrey);
    surface.dc().SetWindowOrg(30, 20);
    CSelectionTracker tracker;
    Styled(tracker, kTrackerStyle, {}, TRUE).m_rectLogical = rectLogical;
    tracker.SetPolygon(points.data(), (int)points.size());
    tracker.Draw(&surface.dc(), 0, 30, 20, nTool);
    EXPECT_EQ(crHandle, surface.At(16, 16)) << nTool; // the top-left handle
    EXPECT_EQ(bEllipse, CountNot(surface, {22, 22, 78, 58}, kGrey) > 0) << nTool;
    EXPECT_EQ(bLine, CountNot(surface, {10, 90, 100, 91}, kGrey) > 80) << nTool;
    EXPECT_EQ(R2_COPYPEN, surface.dc().GetROP2());
  }
}

TEST(TrackerDrawing, TextBoxMovesWithTheOffsetsAndShapeFrameSitsOnThePicture) {
  DibSurface surface(300, 200);
  CTextBoxTracker box;
  Styled(box, kTrackerStyle, {}).SetBox(20, 20, 60, 50);
  box.Draw(&surface.dc(), 0, 5, 7);
  EXPECT_EQ(CRect(25, 27, 65, 57), box.m_rectLogical);
  EXPECT_EQ(kBlack, surface.At(21, 23));
  box.Draw(&surface.dc(), 0, 5, 7);
  EXPECT_EQ(CRect(30, 34, 70, 64), box.m_rect);

  for (float fZoom : {0.5f, 1.0f, 2.0f})
    for (int nScroll : {0, 6}) {
      DibSurface canvas(300, 200);
      CShapeTracker shape(CRect(10, 10, 110, 60), T::resizeOutside);
      shape.m_nHandleSize = 5;
      shape.Draw(&canvas.dc(), fZoom, nScroll, nScroll);
      CRect expected(CPoint(8 - nScroll, 8 - nScroll), CSize(int(100 * fZoom), int(50 * fZoom)));
      EXPECT_EQ(expected, shape.m_rect) << fZoom << " " << nScroll;
      EXPECT_EQ(kBlack, canvas.At(expected.right + 2, expected.bottom + 2)) << fZoom << " " << nScroll;
    }
}
