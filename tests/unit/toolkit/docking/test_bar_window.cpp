// The bar's window procedure and frame-level helpers: WM_CLOSE, dialog mode, the frame's docking
// set-up without the dock-bar area, the status text, system changes passed to the theme, the lock
// of all bars, and where a caption press leaves the focus.
#include "framework/res/fw_res.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

namespace {

// Counts the system changes the holder passes on.
class CCountingTheme : public CExtPaintManager {
public:
  static int s_nSysColor;
  void OnSysColorChange() override {
    ++s_nSysColor;
    CExtPaintManager::OnSysColorChange();
  }
};
int CCountingTheme::s_nSysColor = 0;

CRect ClientOf(CWnd* pWnd) {
  CRect rc;
  pWnd->GetClientRect(&rc);
  return rc;
}

CRect ChildBox(CWnd* pWnd) {
  CRect rc;
  ::GetWindowRect(::GetWindow(pWnd->m_hWnd, GW_CHILD), &rc);
  pWnd->ScreenToClient(&rc);
  return rc;
}

TEST(BarWindow, CloseLeavesTheBarOpenAndStillFittingItsChild) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 601, AFX_IDW_DOCKBAR_LEFT, "Kept");
  ASSERT_TRUE(pBar);
  EXPECT_EQ(0, pBar->SendMessage(WM_CLOSE));
  EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
  EXPECT_TRUE(pBar->IsWindowVisible());
  // A later size change still fits the child to the client area.
  pBar->m_sizeDockedV.cx += 40;
  Relayout(pFrame.get());
  EXPECT_EQ(ClientOf(pBar.get()), ChildBox(pBar.get()));
  pBar.reset();
}

// The bar bits of the style are the bar's, not its window's: the window keeps the window bits only
// (the gripper bit, a dialog frame's, and the reading-order bits gone), and clips its children. A
// bar in a plain window switches to dialog mode and keeps the bar style it was given all the same.
TEST(BarWindow, CreateSplitsTheStyleBetweenTheBarAndItsWindow) {
  const DWORD kDefault = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP | CBRS_GRIPPER |
                         CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC | CBRS_HIDE_INPLACE;
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("bar host"));
  for (bool bPlainParent : {false, true}) {
    SCOPED_TRACE(bPlainParent ? "in a plain window" : "in a frame");
    CWnd* pParent = bPlainParent ? static_cast<CWnd*>(&host) : pFrame.get();
    CExtControlBar barDefault, barCaption;
    ASSERT_TRUE(barDefault.Create("Default", pParent, 611));
    ASSERT_TRUE(
        barCaption.Create("Caption", pParent, 612, WS_CHILD | WS_CAPTION | CBRS_LEFT | CBRS_FLOATING));
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), barDefault.GetStyle());
    EXPECT_EQ(DWORD(WS_CHILD | WS_BORDER | WS_CLIPCHILDREN), barCaption.GetStyle());
    EXPECT_EQ(kDefault & CBRS_ALL, barDefault.GetBarStyle());
    // The caption's dialog-frame bit is the gripper bit.
    EXPECT_EQ(DWORD(CBRS_LEFT | CBRS_FLOATING | CBRS_GRIPPER), barCaption.GetBarStyle());
    EXPECT_EQ(bPlainParent, barDefault.IsDialogMode());
    EXPECT_EQ(0u, barDefault.GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING));
    barCaption.DestroyWindow();
    barDefault.DestroyWindow();
  }
  host.DestroyWindow();
}

TEST(BarWindow, FrameDockingPutsOuterDockBarsFirstInTheFramesListOnce) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  // A side the dock style does not ask for fails before anything is made.
  CControlBar* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(nullptr, pTop);
  EXPECT_FALSE(CExtControlBar::FrameEnableDocking(pFrame.get(), CBRS_ALIGN_LEFT));
  EXPECT_EQ(pTop, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  // A bar docked before the set-up moves into the new dock bar rather than going with the old one.
  std::unique_ptr<CExtControlBar> pDocked = DockBar(pFrame.get(), 501, AFX_IDW_DOCKBAR_TOP, "Early", true);
  ASSERT_TRUE(pDocked);
  for (int nPass = 0; nPass < 2; ++nPass) {
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame.get()));
    int nOuter = 0;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
      CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
      if (pBar->IsDockBar())
        EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << "pass " << nPass;
      nOuter += pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)) ? 1 : 0;
    }
    EXPECT_EQ(4, nOuter) << "pass " << nPass;
    ASSERT_TRUE(::IsWindow(pDocked->m_hWnd));
    EXPECT_EQ(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP), pDocked->m_pDockBar);
    EXPECT_EQ(pDocked->m_pDockBar->m_hWnd, ::GetParent(pDocked->m_hWnd));
    EXPECT_GT(pDocked->m_pDockBar->FindBar(pDocked.get()), 0);
  }
  EXPECT_EQ(RUNTIME_CLASS(CExtMiniDockFrameWnd), pFrame->m_pFloatingFrameClass);
}

TEST(BarWindow, TheIdleStatusTextGoesToTheBarsFrame) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 621, AFX_IDW_DOCKBAR_TOP, "Status");
  CExtControlBar::SetFrameMessageString(pBar.get(), AFX_IDS_IDLEMESSAGE);
  EXPECT_EQ(UINT(AFX_IDS_IDLEMESSAGE), pFrame->m_nLastMessageString);
  pFrame->m_nLastMessageString = 0;
  CExtControlBar::SetFrameMessageString(NULL, AFX_IDS_IDLEMESSAGE);
  EXPECT_EQ(0u, pFrame->m_nLastMessageString);
  pBar.reset();
}

TEST(BarWindow, SystemColourChangesReachTheTheme) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CCountingTheme));
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 631, AFX_IDW_DOCKBAR_TOP, "Colours");
  int nBefore = CCountingTheme::s_nSysColor;
  // Every window of the frame hears the change; one of them passes it on, once.
  pBar->SendMessage(WM_SYSCOLORCHANGE);
  for (UINT nSide :
       {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    pFrame->GetControlBar(nSide)->SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(nBefore + 1, CCountingTheme::s_nSysColor);
  pBar.reset();
  pFrame.reset();
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
}

TEST(BarWindow, TheLockOfAllBarsOffersNothing) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 641, AFX_IDW_DOCKBAR_TOP, "Locked");
  CExtControlBar::g_bLockAllBars = true;
  CExtPopupMenuWnd popup;
  EXPECT_FALSE(pBar->InsertIntoBarsMenu(&popup));
  EXPECT_FALSE(pBar->IsDraggingEnabled());
  EXPECT_FALSE(pBar->IsRowResizingEnabled());
  EXPECT_FALSE(pBar->IsInRowResizingEnabled());
  EXPECT_FALSE(pBar->IsDblClickToggleEnabled());
  EXPECT_FALSE(pBar->IsNcCloseButtonEnabled());
  CExtControlBar::g_bLockAllBars = false;
  pBar.reset();
}

TEST(BarWindow, ACaptionPressFocusesOnlyAResizableBar) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pPanel = DockBar(pFrame.get(), 651, AFX_IDW_DOCKBAR_LEFT, "Panel");
  auto pTool = DockBar(pFrame.get(), 652, AFX_IDW_DOCKBAR_TOP, "Tool", true);
  pFrame->SetForegroundWindow();
  pFrame->SetFocus();
  auto PressCaption = [](CExtControlBar* pBar) {
    CRect rcWnd;
    pBar->GetWindowRect(&rcWnd);
    CRect rcCaption = pBar->GetNcCaptionRect();
    ClickAt(rcWnd.TopLeft() + CPoint(rcCaption.left + 6, rcCaption.CenterPoint().y));
  };
  PressCaption(pTool.get());
  HWND hToolChild = ::GetWindow(pTool->m_hWnd, GW_CHILD);
  // The click has been handled when ClickAt returns.
  EXPECT_NE(hToolChild, ::GetFocus());
  EXPECT_NE(pTool->m_hWnd, ::GetFocus());
  PressCaption(pPanel.get());
  HWND hPanelChild = ::GetWindow(pPanel->m_hWnd, GW_CHILD);
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == hPanelChild; }));
  pTool.reset();
  pPanel.reset();
}

} // namespace

namespace {

TEST(BarWindow, DockingIntoASideTheFrameLacksAnswersFalse) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 661, AFX_IDW_DOCKBAR_TOP, "Side");
  EXPECT_FALSE(pBar->DockIntoSideBar(12345, 0, pFrame.get()));
  EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_TOP), pBar->GetDockBarCtrlId());
  EXPECT_TRUE(pBar->DockIntoSideBar(AFX_IDW_DOCKBAR_LEFT, 0, pFrame.get()));
  EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_LEFT), pBar->GetDockBarCtrlId());
  pBar.reset();
}

TEST(BarWindow, AHiddenBarGivesItsRowLengthBackWhenShownAgain) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pFirst = DockBar(pFrame.get(), 671, AFX_IDW_DOCKBAR_TOP, "First");
  auto pSecond = DockBar(pFrame.get(), 672, AFX_IDW_DOCKBAR_TOP, "Second");
  CDockBar* pDockBar = pFirst->m_pDockBar;
  pDockBar->m_arrBars.RemoveAll();
  for (void* p : {static_cast<void*>(NULL), static_cast<void*>(pFirst.get()),
                  static_cast<void*>(pSecond.get()), static_cast<void*>(NULL)})
    pDockBar->m_arrBars.Add(p);
  pFirst->m_sizeDockedH.cx = 300;
  pSecond->m_sizeDockedH.cx = 300;
  Relayout(pFrame.get());
  int nSecond = pSecond->m_sizeDockedH.cx;
  pFrame->ShowControlBar(pSecond.get(), FALSE, FALSE);
  Relayout(pFrame.get());
  EXPECT_EQ(nSecond, pSecond->m_nRememberedRowLength);
  pFrame->ShowControlBar(pSecond.get(), TRUE, FALSE);
  Relayout(pFrame.get());
  EXPECT_EQ(0, pSecond->m_nRememberedRowLength);
  EXPECT_GT(pSecond->m_sizeDockedH.cx, pSecond->CalcMinWidth());
  CRect rcRow;
  pDockBar->GetClientRect(&rcRow);
  EXPECT_EQ(rcRow.Width(), pFirst->m_sizeDockedH.cx + pSecond->m_sizeDockedH.cx);
  pSecond.reset();
  pFirst.reset();
}

} // namespace

namespace {

TEST(BarWindow, RepositionBarsExQueriesThenLaysTheBarsOut) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("layout host", WS_OVERLAPPEDWINDOW, 500, 400));
  CExtControlBar bar;
  ASSERT_TRUE(bar.Create("Top", &host, 681, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  CRect rcTotal;
  CExtControlBar::RepositionBarsEx(&host, 0, 0xFFFF, 0, CWnd::reposQuery, &rcTotal, NULL, false);
  EXPECT_EQ(CRect(0, 0, bar.m_sizeDockedH.cx, bar.m_sizeDockedH.cy), rcTotal);
  CExtControlBar::RepositionBarsEx(&host, 0, 0xFFFF, 0);
  CRect rcBar, rcHost;
  bar.GetWindowRect(&rcBar);
  host.ScreenToClient(&rcBar);
  host.GetClientRect(&rcHost);
  EXPECT_EQ(CRect(0, 0, rcHost.Width(), bar.m_sizeDockedH.cy), rcBar);
  bar.DestroyWindow();
  host.DestroyWindow();
}

} // namespace
