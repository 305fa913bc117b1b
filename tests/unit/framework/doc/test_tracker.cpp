// The rectangle tracker: hit numbers, handle geometry, drawing in device pixels, the drag loop driven
// by messages queued before it starts, and the cursors it chooses.
#include "framework/fw.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using pixel_support::DibSurface;
using T = CRectTracker;
template <class... Ts> using Rows = std::vector<std::tuple<Ts...>>;
const COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
const UINT kDottedOutside = T::dottedLine | T::resizeOutside; // the program's trackers

// Draws the drag rectangle into a surface instead of the window, and counts the changes.
struct CProbeTracker : CRectTracker {
  using CRectTracker::CRectTracker;
  DibSurface surface{200, 160};
  int nChanges = 0, nDrawnPixels = 0;
  void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC*, CWnd* pWnd) override {
    CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, &surface.dc(), pWnd);
    for (COLORREF cr : surface.Pixels())
      nDrawnPixels += cr != kWhite;
  }
  void OnChangedRect(const CRect&) override { ++nChanges; }
};

} // namespace

TEST(Tracker, HitNumbersOnNormalReversedAndEmptyRectangles) {
  // (20,20)-(100,80) with handles of 5 outside, spanning (15,15)-(105,85); (19,30) is the outline.
  T normal(CRect(20, 20, 100, 80), kDottedOutside), reversed(CRect(100, 80, 20, 20), kDottedOutside);
  normal.m_nHandleSize = reversed.m_nHandleSize = 5;
  const Rows<int, int, int, int> rows = {
      {16, 16, 0, 2},   {103, 16, 1, 3},  {103, 83, 2, 0},  {16, 83, 3, 1}, {59, 17, 4, 6},
      {103, 49, 5, 7},  {59, 83, 6, 4},   {17, 49, 7, 5},   {60, 50, 8, 8}, {19, 30, 8, 8},
      {40, 17, -1, -1}, {10, 10, -1, -1}, {105, 85, -1, -1}};
  for (auto [x, y, nNormal, nReversed] : rows) {
    EXPECT_EQ(nNormal, normal.HitTest(CPoint(x, y))) << x << "," << y;
    EXPECT_EQ(nReversed, reversed.HitTest(CPoint(x, y))) << x << "," << y;
    EXPECT_EQ(nNormal, reversed.NormalizeHit(nReversed));
  }
  // An empty rectangle keeps its corner handles outside; inside handles shrink to nothing.
  T empty(CRect(50, 50, 50, 50), kDottedOutside),
      emptyIn(CRect(50, 50, 50, 50), T::solidLine | T::resizeInside);
  empty.m_nHandleSize = 5;
  const Rows<T*, int, int, int> emptyRows = {
      {&empty, 46, 46, 0},  {&empty, 53, 46, 1},   {&empty, 50, 50, 2},   {&empty, 46, 53, 3},
      {&empty, 55, 50, -1}, {&emptyIn, 50, 50, 8}, {&emptyIn, 49, 49, 8}, {&emptyIn, 51, 50, -1}};
  for (auto [pTracker, x, y, nHit] : emptyRows)
    EXPECT_EQ(nHit, pTracker->HitTest(CPoint(x, y))) << x << "," << y;
}

TEST(Tracker, StylesDecideTheMiddleTheTrueRectangleAndTheHandles) {
  // The middle between the handles is tried at (30, top of the true rectangle).
  const Rows<UINT, CRect, CRect, int> rows = {
      {0, {20, 20, 60, 50}, {20, 20, 60, 50}, 8},
      {T::solidLine, {60, 50, 20, 20}, {19, 19, 61, 51}, 8},
      {T::resizeInside, {20, 20, 60, 50}, {20, 20, 60, 50}, 8},
      {T::resizeOutside, {20, 20, 60, 50}, {17, 17, 63, 53}, -1},
      {kDottedOutside, {20, 20, 60, 50}, {16, 16, 64, 54}, -1},
      {T::hatchedBorder | T::resizeOutside, {20, 20, 60, 50}, {17, 17, 63, 53}, 8},
      {T::hatchedBorder, {26, 20, 32, 40}, {24, 18, 34, 42}, 8},   // handle size 3
      {T::hatchedBorder, {40, 40, 40, 40}, {40, 40, 40, 40}, -1}}; // handle size 0
  for (auto [nStyle, rect, rectTrue, nHitBetween] : rows) {
    T tracker(rect, nStyle);
    CRect rectGot;
    tracker.GetTrueRect(&rectGot);
    EXPECT_EQ(rectTrue, rectGot) << nStyle;
    EXPECT_EQ(nHitBetween, tracker.HitTest(CPoint(30, rectTrue.top))) << nStyle;
  }
  // Middle handles only where an edge is long enough for them.
  auto mask = [](CRect rect, int nSize) {
    T tracker(rect, T::resizeInside);
    tracker.m_nHandleSize = nSize;
    return tracker.GetHandleMask();
  };
  EXPECT_EQ(0xFFu, mask({0, 0, 20, 20}, 4));
  EXPECT_EQ(0xAFu, mask({0, 0, 16, 40}, 4));
  EXPECT_EQ(0x5Fu, mask({40, 16, 0, 0}, 4));
  EXPECT_EQ(0x0Fu, mask({0, 0, 19, 19}, 5));
}

TEST(Tracker, DrawsInDevicePixelsWhateverTheMapping) {
  // Black and white probes per style; the hatching is black on every fourth diagonal (/).
  const Rows<UINT, CPoint, CPoint> rows = {{T::solidLine, {19, 30}, {20, 30}},
                                           {T::resizeOutside | T::solidLine, {16, 16}, {15, 15}},
                                           {T::resizeInside, {20, 49}, {24, 45}},
                                           {T::solidLine | T::hatchInside, {60, 50}, {61, 51}},
                                           {T::solidLine | T::hatchedBorder, {19, 19}, {15, 15}}};
  for (auto [nStyle, black, white] : rows) {
    DibSurface plain(100, 80), mapped(100, 80);
    mapped.dc().SetMapMode(MM_ANISOTROPIC);
    mapped.dc().SetViewportExt(2, 2);
    mapped.dc().SetViewportOrg(30, 20);
    mapped.dc().SetWindowOrg(5, 5);
    T(CRect(60, 50, 20, 20), nStyle).Draw(&mapped.dc());
    T(CRect(20, 20, 60, 50), nStyle).Draw(&plain.dc());
    EXPECT_EQ(plain.Pixels(), mapped.Pixels()) << nStyle;
    EXPECT_EQ(MM_ANISOTROPIC, mapped.dc().GetMapMode());
    EXPECT_EQ(CPoint(30, 20), mapped.dc().GetViewportOrg());
    EXPECT_EQ(kBlack, plain.At(black.x, black.y)) << nStyle;
    EXPECT_EQ(kWhite, plain.At(white.x, white.y)) << nStyle;
    for (int y = 16; y < 54; ++y)
      for (int x = 16; x < 64; ++x) {
        bool bInside = CRect(20, 20, 60, 50).PtInRect({x, y}),
             bBorder = !CRect(19, 19, 61, 51).PtInRect({x, y});
        if (((nStyle & T::hatchInside) && bInside) || ((nStyle & T::hatchedBorder) && bBorder))
          ASSERT_EQ((x + y) % 4 == 3 ? kBlack : kWhite, plain.At(x, y)) << nStyle << " " << x << "," << y;
      }
  }
}

class TrackerLoop : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateHost("tracker", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    PumpPending();
  }
  void TearDown() override {
    PumpPending();
    host.DestroyWindow();
  }
  void Post(UINT nMsg, CPoint pt, WPARAM wParam = 0) {
    host.PostMessage(nMsg, wParam, MAKELPARAM(pt.x, pt.y));
  }
  CHostWnd host;
};

TEST_F(TrackerLoop, QueuedMovesResizeMoveOrCancel) {
  // (50,50)-(150,120); the bottom-right handle is grabbed 2 pixels inside the corner. Below the
  // minimum of 8 a rectangle turns back unless inversion is allowed.
  const Rows<CPoint, CPoint, UINT, CPoint, BOOL, BOOL, CRect> rows = {
      {{148, 118}, {170, 140}, WM_LBUTTONUP, {178, 148}, FALSE, TRUE, {50, 50, 180, 150}},
      {{100, 85}, {110, 95}, WM_LBUTTONUP, {120, 105}, FALSE, TRUE, {70, 70, 170, 140}}, // same size
      {{51, 51}, {200, 200}, WM_LBUTTONUP, {171, 141}, FALSE, TRUE, {142, 112, 150, 120}},
      {{148, 118}, {30, 30}, WM_LBUTTONUP, {30, 30}, TRUE, TRUE, {50, 50, 32, 32}},
      {{148, 118}, {30, 30}, WM_LBUTTONUP, {44, 44}, TRUE, TRUE, {50, 50, 42, 42}},
      {{148, 118}, {170, 140}, WM_KEYDOWN, {}, FALSE, FALSE, {50, 50, 150, 120}}, // Esc
      {{148, 118}, {170, 140}, WM_RBUTTONDOWN, {}, FALSE, FALSE, {50, 50, 150, 120}},
      {{148, 118}, {148, 118}, WM_LBUTTONUP, {170, 140}, FALSE, FALSE, {50, 50, 150, 120}}}; // no drag
  for (auto [start, move, nEnd, end, bInvert, bResult, expected] : rows) {
    PumpPending();
    CProbeTracker tracker(CRect(50, 50, 150, 120), T::solidLine | T::resizeInside);
    Post(WM_MOUSEMOVE, move);
    Post(nEnd, end, VK_ESCAPE);
    EXPECT_EQ(bResult, tracker.Track(&host, start, bInvert)) << start.x << "," << start.y << " " << nEnd;
    EXPECT_EQ(expected, tracker.m_rect) << start.x << "," << start.y << " " << nEnd;
    EXPECT_GT(tracker.nChanges, 0);
    EXPECT_EQ(DibSurface(200, 160).Pixels(), tracker.surface.Pixels()); // the drag rectangle was taken away
    EXPECT_EQ(nullptr, ::GetCapture());
  }
}

TEST_F(TrackerLoop, RubberBandAndRefusals) {
  CProbeTracker band;
  Post(WM_MOUSEMOVE, {80, 70});
  Post(WM_LBUTTONUP, {10, 5});
  EXPECT_TRUE(band.TrackRubberBand(&host, CPoint(30, 30)));
  EXPECT_EQ(CRect(30, 30, 10, 5), band.m_rect); // inverted by default
  EXPECT_GT(band.nDrawnPixels, 0);

  // No window, a miss, or a capture already taken start nothing; the queued messages stay (one
  // for each call that might wrongly start a loop).
  Post(WM_LBUTTONUP, {90, 90});
  Post(WM_LBUTTONUP, {90, 90});
  T tracker(CRect(50, 50, 150, 120), T::solidLine | T::resizeInside);
  EXPECT_FALSE(tracker.Track(NULL, CPoint(100, 85)));
  EXPECT_FALSE(tracker.TrackRubberBand(NULL, CPoint(100, 85)));
  EXPECT_FALSE(tracker.Track(&host, CPoint(5, 5)));
  host.SetCapture();
  ASSERT_EQ(host.m_hWnd, ::GetCapture());
  EXPECT_FALSE(tracker.Track(&host, CPoint(100, 85)));
  EXPECT_FALSE(tracker.TrackRubberBand(&host, CPoint(100, 85)));
  ::ReleaseCapture();
  EXPECT_EQ(CRect(50, 50, 150, 120), tracker.m_rect);
  MSG msg;
  for (int i = 0; i < 2; ++i)
    EXPECT_TRUE(::PeekMessageA(&msg, host.m_hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) << i;
}

TEST_F(TrackerLoop, SetCursorChoosesTheSystemCursorOfTheHandle) {
  HCURSOR hArrow = ::LoadCursorA(NULL, IDC_ARROW);
  const Rows<CRect, CPoint, LPCSTR> rows = {
      {{50, 50, 150, 120}, {51, 51}, IDC_SIZENWSE},  {{150, 120, 50, 50}, {51, 51}, IDC_SIZENWSE},
      {{50, 50, 150, 120}, {148, 51}, IDC_SIZENESW}, {{50, 50, 150, 120}, {100, 51}, IDC_SIZENS},
      {{50, 50, 150, 120}, {51, 85}, IDC_SIZEWE},    {{50, 50, 150, 120}, {100, 85}, IDC_SIZEALL},
      {{50, 50, 150, 120}, {20, 20}, NULL}};
  for (auto [rect, pt, idCursor] : rows) {
    T tracker(rect, T::resizeInside);
    CPoint ptScreen = pt, ptNow;
    host.ClientToScreen(&ptScreen);
    ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
    for (DWORD dwStart = ::GetTickCount(); ::GetCursorPos(&ptNow) && ptNow != ptScreen; PumpPending())
      ASSERT_LT(::GetTickCount() - dwStart, 5000u) << "the pointer does not move";
    ::SetCursor(hArrow);
    EXPECT_EQ(idCursor != NULL, tracker.SetCursor(&host, HTCLIENT)) << pt.x << "," << pt.y;
    EXPECT_EQ(idCursor != NULL ? ::LoadCursorA(NULL, idCursor) : hArrow, ::GetCursor())
        << pt.x << "," << pt.y;
  }
  EXPECT_FALSE(T(CRect(0, 0, 400, 300), T::resizeInside).SetCursor(&host, HTCAPTION));
  EXPECT_FALSE(T(CRect(0, 0, 400, 300), T::resizeInside).SetCursor(NULL, HTCLIENT));
}
