// Auto-hide strips and their slider, made by the test on a frame with toolkit docking: bars in
// and out of the strips, the strips' share of the frame, sliding a bar out on each side, hiding
// when the pointer leaves, resizing by the band with real input, and what a show and hide costs.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "tests/unit/toolkit/docking/dock_support.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                       AFX_IDW_DOCKBAR_RIGHT};

void MoveMouse(POINT pt) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
  PumpUntil([pt] {
    POINT now;
    return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
  });
}

void PressLeft(bool bDown) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof(input));
}

// Pumps until pred holds or the time is up; pred's last answer.
bool WaitWithin(const std::function<bool()>& pred, int nMs) {
  const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
  while (!pred() && std::chrono::steady_clock::now() < tEnd) {
    PumpPending();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
  return pred();
}

class AutoHideTest : public ::testing::TestWithParam<UINT> {
protected:
  void SetUp() override {
    m_pFrame = new CDockTestFrame;
    ASSERT_TRUE(m_pFrame->Create(NULL, "auto-hide", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                 CRect(40, 40, 680, 520)));
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame));
    m_pSlider = new CExtDynAutoHideSlider;
    ASSERT_TRUE(m_pSlider->Create(m_pFrame));
    for (int i = 0; i < 4; i++) {
      m_pAreas[i] = new CExtDynAutoHideArea;
      ASSERT_TRUE(m_pAreas[i]->Create(m_pFrame, m_pSlider, kSides[i]));
    }
    Relayout(m_pFrame);
  }
  void TearDown() override {
    if (m_pFrame == NULL) { // the test closed it
      m_bars.clear();
      EXPECT_EQ(NULL, CExtDynAutoHideSlider::GetHookOwner());
      return;
    }
    if (m_pSlider != NULL && Area(AFX_IDW_DOCKBAR_TOP)->GetSlider() == m_pSlider)
      m_pSlider->SlideWindow(NULL, false, false);
    m_bars.clear();
    if (::IsWindow(m_pFrame->GetSafeHwnd()))
      m_pFrame->DestroyWindow();
    PumpPending();
    EXPECT_EQ(NULL, CExtDynAutoHideSlider::GetHookOwner());
  }
  CExtDynAutoHideArea* Area(UINT nSide) const {
    for (int i = 0; i < 4; i++)
      if (kSides[i] == nSide)
        return m_pAreas[i];
    return NULL;
  }
  // A resizable bar docked at the side and then hidden into that side's strip.
  CExtControlBar* AutoHiddenBar(UINT nSide, bool bNoSlide = true) {
    m_bars.push_back(DockBar(m_pFrame, 0xE800 + static_cast<UINT>(m_bars.size()) + 1, nSide, "Panel"));
    CExtControlBar* pBar = m_bars.back().get();
    pBar->m_sizeDockedH = CSize(200, 120);
    pBar->m_sizeDockedV = CSize(150, 200);
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    Area(nSide)->AppendBar(pBar, bNoSlide);
    Relayout(m_pFrame);
    return pBar;
  }
  CExtControlBar* SlideOut(UINT nSide) {
    CExtControlBar* pBar = AutoHiddenBar(nSide);
    Area(nSide)->SelectItemByKeyboard(0);
    PumpPending();
    return pBar;
  }

  CDockTestFrame* m_pFrame = NULL;
  CExtDynAutoHideSlider* m_pSlider = NULL;
  CExtDynAutoHideArea* m_pAreas[4] = {};
  std::vector<std::unique_ptr<CExtControlBar>> m_bars;
};

INSTANTIATE_TEST_SUITE_P(Sides, AutoHideTest, ::testing::ValuesIn(kSides));

TEST_P(AutoHideTest, BarsEnterAndLeaveTheStripOfTheirSide) {
  CExtDynAutoHideArea* pArea = Area(GetParam());
  EXPECT_FALSE(pArea->IsWindowVisible()) << "no tabs, no strip";
  CExtControlBar* pBar = AutoHiddenBar(GetParam());
  int nIndex = -1;
  EXPECT_EQ(pArea, CExtDynAutoHideArea::FindBarArea(pBar, &nIndex));
  EXPECT_EQ(0, nIndex);
  EXPECT_NE(0, pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN);
  const DWORD dwStyle = pArea->ItemGet(0)->GetItemStyle();
  EXPECT_EQ(CExtTabWnd::TIS_GROUP_START | CExtDynAutoHideArea::AIS_NO_ICON,
            dwStyle &
                (CExtTabWnd::TIS_GROUP_START | CExtDynAutoHideArea::AIS_NO_ICON | CExtTabWnd::TIS_HIDDEN));
  EXPECT_EQ(-1, pArea->SelectionGet()) << "appending leaves no tab selected";
  EXPECT_TRUE(pArea->IsWindowVisible());
  EXPECT_FALSE(m_pSlider->IsBarShown());

  pBar->SetWindowText("Renamed");
  EXPECT_STREQ("Renamed", pArea->ItemGet(0)->GetText()) << "the tab follows the bar's text";

  pArea->RemoveBar(pBar);
  Relayout(m_pFrame);
  EXPECT_EQ(NULL, CExtDynAutoHideArea::FindBarArea(pBar, &nIndex));
  EXPECT_EQ(-1, nIndex);
  EXPECT_EQ(0, pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN);
  EXPECT_TRUE(pBar->IsWindowVisible()) << "the bar is back in its dock bar";
  EXPECT_FALSE(pArea->IsWindowVisible());
}

TEST_P(AutoHideTest, StripTakesItsBandInsideTheOuterDockBar) {
  CExtDynAutoHideArea* pArea = Area(GetParam());
  AutoHiddenBar(GetParam());
  const CRect rcArea = ScreenRect(pArea);
  ASSERT_FALSE(rcArea.IsRectEmpty());
  CExtDockBar* pDock = pArea->GetOuterDockBar();
  ASSERT_NE(nullptr, pDock);
  // What lies inside the dock bars starts past the strip.
  const CRect& rcEdge = pDock->m_rcInnerEdge;
  switch (GetParam()) {
  case AFX_IDW_DOCKBAR_TOP:
    EXPECT_EQ(rcArea.bottom, rcEdge.top);
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    EXPECT_EQ(rcArea.top, rcEdge.bottom);
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    EXPECT_GE(rcEdge.left, rcArea.right);
    break;
  default:
    EXPECT_LE(rcEdge.right, rcArea.left);
    break;
  }
  CRect rcFree = CExtDynAutoHideSlider::FreeFrameArea(m_pFrame);
  m_pFrame->ClientToScreen(&rcFree);
  CRect rcOverlap;
  EXPECT_FALSE(rcOverlap.IntersectRect(&rcFree, &rcArea)) << "the slider's room leaves the strip alone";
}

TEST_P(AutoHideTest, SlidOutBarSitsAlongItsStripWithInsetsAndGoesHome) {
  const UINT nSide = GetParam();
  CExtControlBar* pBar = SlideOut(nSide);
  ASSERT_TRUE(m_pSlider->IsBarShown());
  EXPECT_EQ(m_pSlider, pBar->GetParent());
  EXPECT_TRUE(m_pSlider->IsWindowVisible());
  EXPECT_EQ(m_pSlider, CExtDynAutoHideSlider::GetHookOwner());

  CRect rcFree = CExtDynAutoHideSlider::FreeFrameArea(m_pFrame);
  m_pFrame->ClientToScreen(&rcFree);
  const CRect rcSlider = ScreenRect(m_pSlider);
  const CRect rcBar = ScreenRect(pBar);
  const int nCaption = pBar->GetCaptionExtent();
  const int kIn = CExtDynAutoHideSlider::kInset, kBand = CExtDynAutoHideSlider::kResizeBand;
  struct Expect {
    CRect rcInsets; // left, top, right, bottom between slider and bar
    int nExtent;    // the slider's size out of its side
  };
  Expect e;
  switch (nSide) {
  case AFX_IDW_DOCKBAR_TOP:
    e = {CRect(kIn, kIn + nCaption, kIn, kBand), 120 + kIn + nCaption + kBand};
    EXPECT_EQ(rcFree.top, rcSlider.top);
    EXPECT_EQ(e.nExtent, rcSlider.Height());
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    e = {CRect(kIn, kBand + nCaption, kIn, kIn), 120 + kIn + nCaption + kBand};
    EXPECT_EQ(rcFree.bottom, rcSlider.bottom);
    EXPECT_EQ(e.nExtent, rcSlider.Height());
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    e = {CRect(kIn, kIn + nCaption, kBand, kIn), 150 + kIn + kBand};
    EXPECT_EQ(rcFree.left, rcSlider.left);
    EXPECT_EQ(e.nExtent, rcSlider.Width());
    break;
  default:
    e = {CRect(kBand, kIn + nCaption, kIn, kIn), 150 + kIn + kBand};
    EXPECT_EQ(rcFree.right, rcSlider.right);
    EXPECT_EQ(e.nExtent, rcSlider.Width());
    break;
  }
  EXPECT_EQ(e.rcInsets, CRect(rcBar.left - rcSlider.left, rcBar.top - rcSlider.top,
                              rcSlider.right - rcBar.right, rcSlider.bottom - rcBar.bottom));

  m_pSlider->SlideWindow(NULL, false, false);
  PumpPending();
  EXPECT_EQ(pBar->m_pDockBar, pBar->GetParent());
  EXPECT_FALSE(pBar->IsWindowVisible());
  EXPECT_FALSE(m_pSlider->IsWindowVisible());
  EXPECT_EQ(-1, Area(nSide)->SelectionGet());
  EXPECT_EQ(NULL, CExtDynAutoHideSlider::GetHookOwner());
}

// The frame is squeezed until its free area is under 20 pixels one way or the other.
class AutoHideTooSmallTest : public AutoHideTest {};
INSTANTIATE_TEST_SUITE_P(Directions, AutoHideTooSmallTest, ::testing::Values(0u, 1u));

TEST_P(AutoHideTooSmallTest, NoRoomShowsNothing) {
  CExtControlBar* pBar = AutoHiddenBar(AFX_IDW_DOCKBAR_LEFT);
  // Without a sizing frame the window may become as small as asked.
  m_pFrame->ModifyStyle(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0,
                        SWP_FRAMECHANGED);
  Relayout(m_pFrame);
  CRect rcFree = CExtDynAutoHideSlider::FreeFrameArea(m_pFrame);
  CRect rcWnd;
  m_pFrame->GetWindowRect(&rcWnd);
  const bool bNarrow = GetParam() == 0;
  const int cx = bNarrow ? rcWnd.Width() - rcFree.Width() + 15 : rcWnd.Width();
  const int cy = bNarrow ? rcWnd.Height() : rcWnd.Height() - rcFree.Height() + 15;
  m_pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
  Relayout(m_pFrame);
  rcFree = CExtDynAutoHideSlider::FreeFrameArea(m_pFrame);
  ASSERT_LT(bNarrow ? rcFree.Width() : rcFree.Height(), CExtDynAutoHideSlider::kMinExtent);
  Area(AFX_IDW_DOCKBAR_LEFT)->SelectItemByKeyboard(0);
  PumpPending();
  EXPECT_FALSE(m_pSlider->IsBarShown());
  EXPECT_FALSE(m_pSlider->IsWindowVisible());
  EXPECT_NE(static_cast<CWnd*>(m_pSlider), pBar->GetParent());
}

class AutoHideInputTest : public AutoHideTest {};
INSTANTIATE_TEST_SUITE_P(Left, AutoHideInputTest, ::testing::Values(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT)));

TEST_P(AutoHideInputTest, HidesHalfASecondAfterThePointerLeavesUnlessFocused) {
  CExtControlBar* pBar = SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  const CRect rcSlider = ScreenRect(m_pSlider);
  MoveMouse(rcSlider.CenterPoint());
  // Focus inside: the pointer may go, the bar stays.
  pBar->SetFocus();
  MoveMouse(CPoint(rcSlider.right + 150, rcSlider.CenterPoint().y));
  EXPECT_FALSE(WaitWithin([&] { return !m_pSlider->IsBarShown(); }, 1500)) << "a focused bar never slides in";
  EXPECT_NE(0, m_pSlider->GetSliderFlags() & CExtDynAutoHideSlider::SF_ACTIVE);

  m_pFrame->SetFocus();
  const auto tLeft = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntil([&] { return !m_pSlider->IsBarShown(); }));
  const auto nMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - tLeft).count();
  EXPECT_GE(nMs, 450) << "the hide waits its half second";
  EXPECT_FALSE(m_pSlider->IsWindowVisible());
  EXPECT_EQ(pBar->m_pDockBar, pBar->GetParent());
}

TEST_P(AutoHideInputTest, DraggingTheResizeBandWritesTheBarsExtent) {
  CExtControlBar* pBar = SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  const CRect rcSlider = ScreenRect(m_pSlider);
  const CPoint ptBand(rcSlider.right - 2, rcSlider.CenterPoint().y);
  MoveMouse(ptBand);
  PressLeft(true);
  ASSERT_TRUE(PumpUntil([&] { return m_pSlider->GetState() == HTRIGHT; }));
  MoveMouse(ptBand + CPoint(40, 0));
  EXPECT_TRUE(PumpUntil([&] { return ScreenRect(m_pSlider).Width() == rcSlider.Width() + 40; }));
  PressLeft(false);
  ASSERT_TRUE(PumpUntil([&] { return m_pSlider->GetState() == CExtDynAutoHideSlider::STATE_NORMAL; }));
  EXPECT_EQ(190, pBar->m_sizeDockedV.cx);
  CRect rcClient;
  pBar->GetWindowRect(&rcClient);
  EXPECT_EQ(190, rcClient.Width()) << "the bar fills the slider's client area";
  // Past the frame's edge the band stops 20 pixels short of it.
  MoveMouse(CPoint(ScreenRect(m_pSlider).right - 2, ptBand.y));
  PressLeft(true);
  ASSERT_TRUE(PumpUntil([&] { return m_pSlider->GetState() == HTRIGHT; }));
  CRect rcFrame;
  m_pFrame->GetClientRect(&rcFrame);
  m_pFrame->ClientToScreen(&rcFrame);
  MoveMouse(CPoint(rcFrame.right + 30, ptBand.y));
  PressLeft(false);
  ASSERT_TRUE(PumpUntil([&] { return m_pSlider->GetState() == CExtDynAutoHideSlider::STATE_NORMAL; }));
  EXPECT_EQ(rcFrame.right - CExtDynAutoHideSlider::kMinExtent, ScreenRect(m_pSlider).right);
}

TEST_P(AutoHideInputTest, SlidOutBarPaintsItsFrameAndLeavesNothingBehind) {
  SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  m_pFrame->RedrawWindow(NULL, NULL,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  CRect rcFrame;
  m_pFrame->GetClientRect(&rcFrame);
  const pixel_support::Pixels px = pixel_support::ReadWindow(NULL, ScreenRect(m_pFrame));
  ASSERT_FALSE(px.Empty());
  pixel_support::SaveBmp(px, "autohide_slider_left.bmp");
  // The inner edge line of the slider's border.
  const CRect rcSlider = ScreenRect(m_pSlider);
  const CRect rcFrameWnd = ScreenRect(m_pFrame);
  EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW),
            px.At(rcSlider.right - 1 - rcFrameWnd.left, rcSlider.CenterPoint().y - rcFrameWnd.top));

  // Showing and hiding again and again costs nothing.
  m_pSlider->SlideWindow(NULL, false, false);
  PumpPending();
  const HandleCounts counts;
  for (int i = 0; i < 10; i++) {
    Area(GetParam())->SelectItemByKeyboard(0);
    PumpPending();
    ASSERT_TRUE(m_pSlider->IsBarShown());
    m_pSlider->SlideWindow(NULL, false, i % 2 == 0);
    PumpPending();
    EXPECT_EQ(NULL, CExtDynAutoHideSlider::GetHookOwner());
  }
  EXPECT_TRUE(counts.Unchanged());
}

TEST_P(AutoHideInputTest, AutoHideModeSlidesTheBarOutAndItsButtonOnTheSliderBringsItBack) {
  m_bars.push_back(DockBar(m_pFrame, 0xE801, GetParam(), "Panel"));
  CExtControlBar* pBar = m_bars.back().get();
  pBar->m_sizeDockedV = CSize(150, 200);
  m_pFrame->SendMessage(WM_NCPAINT);
  pBar->SendMessage(WM_NCPAINT);
  CExtBarNcAreaButton* pButton = pBar->m_arrNcButtons.size() > 1 ? pBar->m_arrNcButtons[1] : NULL;
  ASSERT_NE(nullptr, pButton);
  ASSERT_TRUE(pButton->IsVisible()) << "a dock bar with a strip offers the button";
  // What the button's click runs (a real click on a docked bar's button is the bar's business).
  ASSERT_TRUE(pBar->SetAutoHideMode(true, false, true, false));
  ASSERT_TRUE(PumpUntil([&] { return m_pSlider->GetShownBar() == pBar; }));
  EXPECT_EQ(Area(GetParam()), CExtDynAutoHideArea::FindBarArea(pBar));
  EXPECT_FALSE(pBar->IsVisible()) << "the dock bar lays it out no more";

  // The slider carries the bar's caption and its buttons: the same button brings it back.
  ASSERT_TRUE(pButton->IsVisible());
  const CPoint ptSlider = ScreenRect(m_pSlider).TopLeft() + pButton->m_rc.CenterPoint();
  ClickAt(ptSlider);
  ASSERT_TRUE(PumpUntil([&] { return CExtDynAutoHideArea::FindBarArea(pBar) == NULL; }));
  EXPECT_EQ(pBar->m_pDockBar, pBar->GetParent());
  EXPECT_TRUE(pBar->IsVisible());
  EXPECT_FALSE(m_pSlider->IsBarShown());
}

TEST_P(AutoHideInputTest, CtrlPageDownWalksTheStripsHiddenBarsAndFocusesTheOneOut) {
  CExtControlBar* pFirst = AutoHiddenBar(GetParam());
  CExtControlBar* pSecond = AutoHiddenBar(GetParam());
  CExtDynAutoHideArea* pArea = Area(GetParam());
  ASSERT_EQ(2, pArea->ItemGetCount());
  pArea->SelectItemByKeyboard(0);
  PumpPending();
  ASSERT_EQ(pFirst, m_pSlider->GetShownBar());
  m_pFrame->SetFocus();
  const struct { CExtControlBar* pExpected; } kSteps[] = {{pSecond}, {pFirst}}; // the walk wraps at the end
  for (const auto& step : kSteps) {
    SendKey(VK_CONTROL, true);
    SendKey(VK_NEXT, true);
    SendKey(VK_NEXT, false);
    SendKey(VK_CONTROL, false);
    EXPECT_TRUE(PumpUntil([&] { return m_pSlider->GetShownBar() == step.pExpected; }));
    // The bar hands the focus on to its content.
    EXPECT_TRUE(PumpUntil([&] { return ::IsChild(step.pExpected->m_hWnd, ::GetFocus()); }));
    EXPECT_TRUE(PumpUntil([] { return (::GetKeyState(VK_CONTROL) & 0x8000) == 0; }));
  }
}

TEST_P(AutoHideInputTest, ShowingAnAutoHiddenBarSlidesItOutWithTheFocus) {
  CExtControlBar* pBar = AutoHiddenBar(GetParam());
  pBar->ToggleVisibility(false);
  PumpPending();
  EXPECT_EQ(pBar, m_pSlider->GetShownBar());
  EXPECT_TRUE(PumpUntil([&] {
    return (m_pSlider->GetSliderFlags() & CExtDynAutoHideSlider::SF_ACTIVE) != 0;
  })) << "the caption turns active with the focus inside";
  pBar->ToggleVisibility(false); // already out: nothing changes
  PumpPending();
  EXPECT_EQ(pBar, m_pSlider->GetShownBar());
}

TEST_P(AutoHideInputTest, CaptionButtonsOfTheSlidOutBarLightUpAndShowTheirTips) {
  CExtControlBar* pBar = SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  CExtBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
  ASSERT_TRUE(pClose->IsVisible());
  CExtPopupMenuTipWnd* pTip = pBar->GetToolTipObject();
  ASSERT_NE(nullptr, pTip);
  const CRect rcSlider = ScreenRect(m_pSlider);
  MoveMouse(rcSlider.CenterPoint());
  MoveMouse(rcSlider.TopLeft() + pClose->m_rc.CenterPoint());
  EXPECT_TRUE(PumpUntil([&] { return pClose->IsHover(); }));
  EXPECT_TRUE(PumpUntil([&] { return pTip->IsTipVisible(); }));
  MoveMouse(rcSlider.CenterPoint());
  EXPECT_TRUE(PumpUntil([&] { return !pClose->IsHover() && !pTip->IsTipVisible(); }));
}

TEST_P(AutoHideInputTest, ASliderDestroyedWithABarOutGivesTheBarBack) {
  CExtControlBar* pBar = SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  m_pSlider->DestroyWindow(); // deletes itself
  PumpPending();
  EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
  EXPECT_EQ(pBar->m_pDockBar, pBar->GetParent());
  EXPECT_EQ(NULL, Area(GetParam())->GetSlider());
  EXPECT_EQ(NULL, CExtDynAutoHideSlider::GetHookOwner());
  Area(GetParam())->SelectItemByKeyboard(0); // no slider: nothing slides out
  PumpPending();
  EXPECT_FALSE(pBar->IsWindowVisible());
}

TEST_P(AutoHideInputTest, AFrameClosedWithABarOutTakesEverythingWithIt) {
  CExtControlBar* pBar = SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  m_pSlider = NULL; // the frame takes its children and itself
  m_pFrame->DestroyWindow();
  m_pFrame = NULL;
  PumpPending();
  EXPECT_FALSE(::IsWindow(pBar->m_hWnd));
  EXPECT_EQ(NULL, CExtDynAutoHideSlider::GetHookOwner());
}

TEST_P(AutoHideInputTest, ARightClickOnTheSlidersCaptionAsksForTheBarsMenu) {
  CExtControlBar* pBar = SlideOut(GetParam());
  ASSERT_TRUE(m_pSlider->IsBarShown());
  const CRect rcCaption = m_pSlider->GetCaptionRect();
  ASSERT_FALSE(rcCaption.IsRectEmpty());
  const int nBefore = m_pFrame->m_nMenuNotifications;
  ClickAt(ScreenRect(m_pSlider).TopLeft() + CPoint(rcCaption.left + 8, rcCaption.CenterPoint().y), true);
  EXPECT_TRUE(PumpUntil([&] { return m_pFrame->m_nMenuNotifications > nBefore; }));
  CExtPopupMenuWnd::CancelAllTracking();
  PumpPending();
  EXPECT_EQ(pBar, m_pSlider->GetShownBar());
}

} // namespace
