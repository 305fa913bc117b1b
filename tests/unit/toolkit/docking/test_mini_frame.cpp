// The toolkit's floating frame: its non-client geometry from the system metrics, the hit test of
// every border, corner, the caption and the close button, the work-area rules, the caption with
// the bar's text and buttons, the double click and the drag that dock its bar back, and its look in
// every theme (pictures under the artifacts folder).
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/mini_frame_support.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace pixel_support;

class MiniFrameGeometry : public MiniFrameTest, public ::testing::WithParamInterface<BarKind> {};

TEST_P(MiniFrameGeometry, ClientAndCaptionComeFromTheSystemMetrics) {
  CExtControlBar* pBar = FloatBar(GetParam(), CPoint(200, 200));
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  EXPECT_EQ(pBar, pMini->GetFloatingBar());
  const FrameMetrics m;
  const CRect rcWnd = ScreenRect(pMini);
  CRect rcClient;
  pMini->GetClientRect(&rcClient);
  pMini->ClientToScreen(&rcClient);
  EXPECT_EQ(CRect(rcWnd.left + m.fx, rcWnd.top + m.fy + m.c, rcWnd.right - m.fx, rcWnd.bottom - m.fy),
            rcClient);
  EXPECT_EQ(CRect(m.fx, m.fy, rcWnd.Width() - m.fx, m.fy + ::GetSystemMetrics(SM_CYSMSIZE)),
            pMini->GetCaptionRect());
  // The frame fits itself around the bar with the same margins.
  CRect rcCalc(0, 0, 100, 50);
  pMini->CalcWindowRect(&rcCalc);
  EXPECT_EQ(CRect(-m.fx, -m.fy - m.c, 100 + m.fx, 50 + m.fy), rcCalc);
  // Nothing of the system's caption or frame is left to draw.
  EXPECT_EQ(0u, pMini->GetStyle() & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_EQ(0u, pMini->GetExStyle() & (WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE));
}

INSTANTIATE_TEST_SUITE_P(Bars, MiniFrameGeometry, ::testing::Values(BarKind::kResizable, BarKind::kFixed));

// One point of the frame and what it hits for a resizable bar, a fixed bar and a fixed bar that
// cannot be resized. Each coordinate is a code over the window's extent e along that axis, with the
// border f across it and the caption height c: '0' 0, 'c' c - 1, 'm' e / 2, 'C' e - c, 'f' e - f,
// 'e' e - 1, 'o' e, 'F' f + 2, 'k' f + c / 2, 'M' (e + c) / 2; "**" is the close button's centre.
struct HitCase {
  const char* name;
  const char* at;
  UINT n[3];
};

int Coordinate(char code, int e, int f, int c) {
  switch (code) {
  case 'c':
    return c - 1;
  case 'm':
    return e / 2;
  case 'C':
    return e - c;
  case 'f':
    return e - f;
  case 'e':
    return e - 1;
  case 'o':
    return e;
  case 'F':
    return f + 2;
  case 'k':
    return f + c / 2;
  case 'M':
    return (e + c) / 2;
  default:
    return 0;
  }
}

class MiniFrameHitTest : public MiniFrameTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(MiniFrameHitTest, EveryZoneAnswersItsCode) {
  const HitCase& row = GetParam();
  const FrameMetrics m;
  const BarKind kinds[] = {BarKind::kResizable, BarKind::kFixed, BarKind::kLocked};
  for (int i = 0; i < 3; ++i) {
    CExtControlBar* pBar = FloatBar(kinds[i], CPoint(100 + 250 * i, 300));
    CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
    ASSERT_NE(nullptr, pMini);
    const CRect rcWnd = ScreenRect(pMini);
    CPoint pt(Coordinate(row.at[0], rcWnd.Width(), m.fx, m.c),
              Coordinate(row.at[1], rcWnd.Height(), m.fy, m.c));
    if (row.at[0] == '*')
      pt = pBar->m_arrNcButtons.at(0)->m_rc.CenterPoint();
    EXPECT_EQ(row.n[i],
              (UINT)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.left + pt.x, rcWnd.top + pt.y)))
        << "bar kind " << i << " at " << pt.x << "," << pt.y;
  }
}

const UINT T = HTTOP, B = HTBOTTOM, L = HTLEFT, R = HTRIGHT, TL = HTTOPLEFT, TR = HTTOPRIGHT,
           BL = HTBOTTOMLEFT, BR = HTBOTTOMRIGHT, C = HTCAPTION, CL = HTCLIENT, N = HTNOWHERE,
           X = HTMINBUTTON;
// The right corner zones reach as far along the top and bottom edges as the left ones.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Zones, MiniFrameHitTest, ::testing::Values(
    HitCase{"top", "m0", {T, T, C}}, HitCase{"bottom", "mf", {B, B, C}},
    HitCase{"left", "0m", {L, L, C}}, HitCase{"right", "fm", {R, R, C}},
    HitCase{"top_left_along_top", "c0", {TL, T, C}}, HitCase{"top_left_along_left", "0c", {TL, T, C}},
    HitCase{"top_right_along_top", "C0", {TR, T, C}}, HitCase{"top_right_along_right", "ec", {TR, T, C}},
    HitCase{"bottom_left_along_bottom", "ce", {BL, B, C}}, HitCase{"bottom_left_along_left", "0C", {BL, B, C}},
    HitCase{"bottom_right_along_bottom", "Ce", {BR, B, C}}, HitCase{"bottom_right_along_right", "eC", {BR, B, C}},
    HitCase{"caption", "Fk", {C, C, C}}, HitCase{"close_button", "**", {X, X, X}},
    HitCase{"client", "mM", {CL, CL, CL}}, HitCase{"outside", "om", {N, N, N}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Where a frame is put and where its top ends up, from the work area and the caption height.
struct PlaceCase {
  const char* name;
  std::function<int(const CRect& rcWork, int nHeight, int c)> top;
  std::function<int(const CRect& rcWork, int nHeight, int c)> kept;
};

class MiniFrameWorkArea : public MiniFrameTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(MiniFrameWorkArea, TheCaptionStaysOnTheWorkAreaWhenMovedOrCreated) {
  const PlaceCase& row = GetParam();
  const int c = ::GetSystemMetrics(SM_CYSMCAPTION);
  // Moved there, as a drag moves it.
  CExtControlBar* pBar = FloatBar(BarKind::kResizable, CPoint(300, 300));
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  const CRect rcWork = WorkAreaOf(pMini);
  const int nHeight = ScreenRect(pMini).Height();
  pMini->SetWindowPos(NULL, 120, row.top(rcWork, nHeight, c), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(CPoint(120, row.kept(rcWork, nHeight, c)), ScreenRect(pMini).TopLeft());
  // Created there: a bar of the same size floated straight to that place.
  CExtMiniDockFrameWnd* pCreated =
      MiniOf(FloatBar(BarKind::kResizable, CPoint(140, row.top(rcWork, nHeight, c))));
  ASSERT_NE(nullptr, pCreated);
  EXPECT_EQ(CPoint(140, row.kept(rcWork, nHeight, c)), ScreenRect(pCreated).TopLeft());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Places, MiniFrameWorkArea, ::testing::Values(
    PlaceCase{"inside", [](const CRect& w, int, int) { return w.top + 50; },
              [](const CRect& w, int, int) { return w.top + 50; }},
    PlaceCase{"caption_past_the_bottom", [](const CRect& w, int, int c) { return w.bottom - c / 2; },
              [](const CRect& w, int, int c) { return w.bottom - c; }},
    PlaceCase{"far_below", [](const CRect& w, int, int) { return w.bottom + 300; },
              [](const CRect& w, int, int c) { return w.bottom - c; }},
    PlaceCase{"wholly_above", [](const CRect& w, int h, int) { return w.top - h - 20; },
              [](const CRect& w, int, int) { return w.top; }},
    PlaceCase{"top_above_bottom_inside", [](const CRect& w, int h, int) { return w.top - h / 2; },
              [](const CRect& w, int h, int) { return w.top - h / 2; }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(MiniFrameTest, ABarAskingForMoreThanTheWorkAreaGetsTheWorkAreasSize) {
  CExtControlBar* pBar = FloatBar(BarKind::kResizable, CPoint(0, 0));
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  const CRect rcWork = WorkAreaOf(pMini);
  pBar->m_sizeFloated = rcWork.Size() + CSize(200, 100);
  pMini->RecalcLayout();
  EXPECT_EQ(rcWork.Size(), ScreenRect(pMini).Size());
  MINMAXINFO mmi = {};
  mmi.ptMaxTrackSize = CPoint(100000, 100000);
  pMini->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(CPoint(rcWork.Width(), rcWork.Height()), CPoint(mmi.ptMaxTrackSize));
}

// The frame's non-client area printed into a fresh surface.
Pixels PrintFrame(CExtMiniDockFrameWnd* pMini, UINT nFlags) {
  CRect rc;
  pMini->GetWindowRect(&rc);
  DibSurface surface(rc.Width(), rc.Height(), RGB(1, 2, 3));
  pMini->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.hdc()), nFlags);
  Pixels px;
  px.cx = rc.Width();
  px.cy = rc.Height();
  px.data = surface.Pixels();
  return px;
}

TEST_F(MiniFrameTest, TheCaptionShowsTheBarsTextAndButtonsAndCloseHidesTheBar) {
  CExtControlBar* pBar = FloatBar(BarKind::kFixed, CPoint(260, 240), "Cells");
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  ASSERT_TRUE(PumpUntil([&] { return pBar->m_arrNcButtons.size() == 3; }));
  // A floating tool bar shows close and the options menu in the frame's caption.
  CExtBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
  EXPECT_TRUE(pClose->IsVisible());
  EXPECT_FALSE(pBar->m_arrNcButtons[1]->IsVisible());
  EXPECT_TRUE(pBar->m_arrNcButtons[2]->IsVisible());
  const CRect rcCaption = pMini->GetCaptionRect();
  EXPECT_EQ(rcCaption.right + 1 - 3, pClose->m_rc.right);
  EXPECT_LT(pBar->m_arrNcButtons[2]->m_rc.right, pClose->m_rc.left);
  // The text comes from the bar: with it gone the caption's text area looks different.
  const Pixels withText = PrintFrame(pMini, PRF_NONCLIENT);
  pBar->SetWindowText("");
  const Pixels withoutText = PrintFrame(pMini, PRF_NONCLIENT);
  int nDiffering = 0;
  for (int x = rcCaption.left + 2; x < rcCaption.left + 30; ++x)
    for (int y = rcCaption.top; y < rcCaption.bottom; ++y)
      nDiffering += withText.At(x, y) != withoutText.At(x, y) ? 1 : 0;
  EXPECT_GT(nDiffering, 10);
  // A real click on the close button hides the bar and its frame.
  ClickAt(ScreenRect(pMini).TopLeft() + pClose->m_rc.CenterPoint());
  EXPECT_TRUE(PumpUntil([&] { return !pBar->IsVisible() && !pMini->IsWindowVisible(); }));
}

// A panel that records the drags its floating frame starts.
class CDragProbeBar : public CExtControlBar {
public:
  std::vector<std::pair<CPoint, CPoint>> m_drags; // screen point, grab offset
  void TrackDragging(CPoint pt, CPoint ptOffset, int, int) override { m_drags.push_back({pt, ptOffset}); }
};

TEST_F(MiniFrameTest, ACaptionPressStartsTheBarsOwnDrag) {
  CDragProbeBar* pProbe = new CDragProbeBar;
  CExtMiniDockFrameWnd* pMini = MiniOf(FloatBar(BarKind::kResizable, CPoint(300, 300), "Dragged", pProbe));
  ASSERT_NE(nullptr, pMini);
  const CRect rcWnd = ScreenRect(pMini), rcCaption = pMini->GetCaptionRect();
  const CPoint pt = rcWnd.TopLeft() + CPoint(rcCaption.left + 10, rcCaption.CenterPoint().y);
  ClickAt(pt);
  ASSERT_TRUE(PumpUntil([&] { return pProbe->m_drags.size() == 1; }));
  // The grab offset puts the pointer half a caption in from the frame's top-left corner.
  const int d = std::min(rcCaption.Width(), rcCaption.Height());
  EXPECT_EQ(pt, pProbe->m_drags[0].first);
  EXPECT_EQ(CPoint(pt.x - rcWnd.left - d, pt.y - rcWnd.top - d / 2), pProbe->m_drags[0].second);
}

TEST_F(MiniFrameTest, ADoubleClickOnTheCaptionDocksAToolBarBack) {
  CExtControlBar* pBar = FloatBar(BarKind::kFixed, CPoint(300, 300));
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  const CPoint pt = ScreenRect(pMini).TopLeft() + pMini->GetCaptionRect().TopLeft() + CSize(6, 4);
  ClickAt(pt);
  ClickAt(pt);
  EXPECT_TRUE(PumpUntil([&] { return !pBar->IsFloating(); }));
  EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_TOP), pBar->GetDockBarCtrlId());
}

class MiniFrameDockBack : public MiniFrameTest, public ::testing::WithParamInterface<UINT> {};

// A tool bar floated off any side of the frame docks back into that side, where it was, on a double
// click on its floating frame's caption.
TEST_P(MiniFrameDockBack, ADoubleClickOnTheCaptionDocksAToolBarBackWhereItWas) {
  CExtControlBar* pBar = FloatBar(BarKind::kFixed, CPoint(300, 300), "Floating", NULL, GetParam());
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  const CPoint pt = ScreenRect(pMini).TopLeft() + pMini->GetCaptionRect().TopLeft() + CSize(6, 4);
  ClickAt(pt);
  ClickAt(pt);
  EXPECT_TRUE(PumpUntil([&] { return !pBar->IsFloating(); }));
  EXPECT_EQ(GetParam(), pBar->GetDockBarCtrlId());
  m_pFrame->RecalcLayout();
  const CRect rc = ScreenRect(pBar);
  EXPECT_TRUE(rc == m_rcDocked) << "at (" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom
                                << "), docked at (" << m_rcDocked.left << "," << m_rcDocked.top << ")-("
                                << m_rcDocked.right << "," << m_rcDocked.bottom << ")";
}

INSTANTIATE_TEST_SUITE_P(Sides, MiniFrameDockBack,
                         ::testing::Values(UINT(AFX_IDW_DOCKBAR_LEFT), UINT(AFX_IDW_DOCKBAR_RIGHT),
                                           UINT(AFX_IDW_DOCKBAR_BOTTOM)),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                           return info.param == AFX_IDW_DOCKBAR_LEFT    ? "left"
                                  : info.param == AFX_IDW_DOCKBAR_RIGHT ? "right"
                                                                        : "bottom";
                         });

enum class DockBackGesture { kDoubleClick, kDragToEdge };

class PanelDockBack : public MiniFrameTest, public ::testing::WithParamInterface<DockBackGesture> {};

CPoint g_ptDrop;
HWND g_hDragged = NULL;

// At the first timer message the caption press's loop peeks, the pointer moves to g_ptDrop and the
// button goes up there: the input comes between the loop's look at the queue and its pumping of what
// it saw, as the X server's report of a quick drag may.
LRESULT CALLBACK DropAtPeekedTimer(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && wParam == PM_NOREMOVE && g_hDragged != NULL && ::GetCapture() == g_hDragged &&
      reinterpret_cast<const MSG*>(lParam)->message == WM_TIMER) {
    g_hDragged = NULL;
    real_input::MouseAt(g_ptDrop, 0);
    real_input::MouseAt(g_ptDrop, MOUSEEVENTF_LEFTUP);
  }
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// A panel floated off the frame's right side docks back there, where it was, by a double click on
// its floating frame's caption, or by a quick drag of the caption onto the frame's right edge.
TEST_P(PanelDockBack, ThePanelDocksBackAtItsSide) {
  CExtControlBar* pBar =
      FloatBar(BarKind::kResizable, CPoint(200, 200), "Panel", NULL, UINT(AFX_IDW_DOCKBAR_RIGHT));
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  const CPoint pt = ScreenRect(pMini).TopLeft() + pMini->GetCaptionRect().TopLeft() + CSize(6, 4);
  if (GetParam() == DockBackGesture::kDoubleClick) {
    ClickAt(pt);
    ClickAt(pt);
  } else {
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    g_ptDrop = CPoint(rcClient.right - 3, rcClient.CenterPoint().y);
    g_hDragged = pBar->m_hWnd;
    const std::unique_ptr<HHOOK__, decltype(&::UnhookWindowsHookEx)> hook(
        ::SetWindowsHookEx(WH_GETMESSAGE, DropAtPeekedTimer, NULL, ::GetCurrentThreadId()),
        &::UnhookWindowsHookEx);
    ASSERT_NE(nullptr, hook.get());
    // A thread timer: the loop meets its messages whatever window it waits for.
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 10, NULL);
    real_input::MouseAt(pt, 0);
    real_input::MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(
        PumpUntil([] { return g_hDragged == NULL && (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }));
    ::KillTimer(NULL, nTimer);
  }
  ASSERT_TRUE(PumpUntil([&] { return !pBar->IsFloating(); })) << "still floating";
  EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_RIGHT), pBar->GetDockBarCtrlId());
  m_pFrame->RecalcLayout();
  const CRect rc = ScreenRect(pBar);
  EXPECT_TRUE(rc == m_rcDocked) << "at " << rc.left << "," << rc.top << ", " << rc.Width()
                                << " wide, docked at " << m_rcDocked.left << "," << m_rcDocked.top << ", "
                                << m_rcDocked.Width();
}

INSTANTIATE_TEST_SUITE_P(Gestures, PanelDockBack,
                         ::testing::Values(DockBackGesture::kDoubleClick, DockBackGesture::kDragToEdge),
                         [](const ::testing::TestParamInfo<DockBackGesture>& info) {
                           return info.param == DockBackGesture::kDoubleClick ? "DoubleClick" : "DragToEdge";
                         });

class MiniFramePictures : public MiniFrameTest, public ::testing::WithParamInterface<CRuntimeClass*> {
protected:
  void TearDown() override {
    MiniFrameTest::TearDown();
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
  }
};

TEST_P(MiniFramePictures, BordersAndCaptionArePaintedAroundTheBar) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  for (BarKind kind : {BarKind::kResizable, BarKind::kFixed}) {
    const bool bFixed = kind == BarKind::kFixed;
    CExtMiniDockFrameWnd* pMini = MiniOf(FloatBar(kind, CPoint(bFixed ? 500 : 200, 200), "Floating bar"));
    ASSERT_NE(nullptr, pMini);
    pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    const Pixels px = PrintFrame(pMini, PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
    const std::string name =
        std::string("floating_frame_") + (bFixed ? "tool_" : "panel_") + GetParam()->m_lpszClassName + ".bmp";
    EXPECT_FALSE(SaveBmp(px, name.c_str()).empty());
    // Every border and the caption were painted.
    const CRect rcCaption = pMini->GetCaptionRect();
    const COLORREF kBlank = RGB(1, 2, 3);
    for (CPoint pt : {CPoint(0, px.cy / 2), CPoint(px.cx - 1, px.cy / 2), CPoint(px.cx / 2, 0),
                      CPoint(px.cx / 2, px.cy - 1), rcCaption.CenterPoint()})
      EXPECT_NE(kBlank, px.At(pt.x, pt.y)) << name << " " << pt.x << "," << pt.y;
  }
}

INSTANTIATE_TEST_SUITE_P(Themes, MiniFramePictures,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                         [](const auto& info) { return std::string(info.param->m_lpszClassName); });

// A floating tool bar's frame never has the focus: the close button's cross stands out of the
// caption it sits on, in the themes whose captions are flat.
class FloatingCloseButton : public MiniFramePictures {};

TEST_P(FloatingCloseButton, StandsOutOfTheCaptionOfAFloatingToolBar) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  CExtControlBar* pBar = FloatBar(BarKind::kFixed, CPoint(500, 200), "Tools");
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  ASSERT_TRUE(
      PumpUntil([&] { return pBar->m_arrNcButtons.size() == 3 && pBar->m_arrNcButtons[0]->IsVisible(); }));
  const CRect rcClose = pBar->m_arrNcButtons[0]->m_rc + ScreenRect(pMini).TopLeft();
  // The cross's pixels: those far from the caption's colour, which the button's corner shows.
  auto luma = [](COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; };
  Pixels px;
  auto crossPixels = [&] {
    px = ReadWindow(NULL, rcClose);
    int n = 0;
    for (COLORREF c : px.data)
      n += std::abs(luma(c) - luma(px.At(0, 0))) >= 64;
    return n;
  };
  const bool bSeen = PumpUntil([&] { return crossPixels() >= 6; });
  const CRect rcCaption = pMini->GetCaptionRect() + ScreenRect(pMini).TopLeft();
  SaveBmp(ReadWindow(NULL, rcCaption),
          (std::string("floating_close_") + GetParam()->m_lpszClassName + ".bmp").c_str());
  EXPECT_TRUE(bSeen) << crossPixels() << " pixels of the cross stand out of the caption";
}

INSTANTIATE_TEST_SUITE_P(Themes, FloatingCloseButton,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                         [](const auto& info) { return std::string(info.param->m_lpszClassName); });

} // namespace
