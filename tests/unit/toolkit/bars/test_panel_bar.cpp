// The panel bar: its size is its child's plus the margins and the docked extra in every position,
// it keeps the child at the margins, passes the focus on and paints its background around the
// child; it never has a chevron.
#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CSize kChild(100, 200);

CRect ChildBox(CWnd* pBar, HWND hChild) {
  CRect rc;
  ::GetWindowRect(hChild, &rc);
  pBar->ScreenToClient(&rc);
  return rc;
}

class PanelBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateChevronFrame();
    ASSERT_NE(nullptr, m_pFrame);
  }
  void TearDown() override {
    if (m_panel && ::IsWindow(m_panel->GetSafeHwnd()))
      m_panel->DestroyWindow();
    DestroyChevronFrame(m_pFrame);
    m_panel.reset();
  }
  // A panel bar holding a dark static child of 100 x 200, docked at the side of the frame.
  void DockPanel(UINT nDockBarId, DWORD dwExtraStyle = 0) {
    const DWORD dwAlign = nDockBarId == AFX_IDW_DOCKBAR_TOP      ? CBRS_TOP
                          : nDockBarId == AFX_IDW_DOCKBAR_BOTTOM ? CBRS_BOTTOM
                          : nDockBarId == AFX_IDW_DOCKBAR_LEFT   ? CBRS_LEFT
                                                                 : CBRS_RIGHT;
    m_panel = std::make_unique<CExtPanelControlBar>();
    ASSERT_TRUE(m_panel->Create("Panel", m_pFrame, 401, WS_CHILD | WS_VISIBLE | dwAlign | dwExtraStyle));
    m_hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, kChild.cx,
                                 kChild.cy, m_panel->m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    ASSERT_NE((HWND)NULL, m_hChild);
    m_panel->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(m_panel.get(), nDockBarId);
    m_pFrame->RecalcLayout();
    PumpPending();
  }
  CSize AskDocked(bool bHorz) {
    return m_panel->CalcDynamicLayout(-1, bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK);
  }

  CChevronTestFrame* m_pFrame = NULL;
  std::unique_ptr<CExtPanelControlBar> m_panel;
  HWND m_hChild = NULL;
};

class PanelBarSides : public PanelBarTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(PanelBarSides, AsksForTheChildWithMarginsAndTwoPixelsEachWay) {
  DockPanel(GetParam());
  const bool bHorz = GetParam() == AFX_IDW_DOCKBAR_TOP || GetParam() == AFX_IDW_DOCKBAR_BOTTOM;
  EXPECT_EQ(CSize(112, 212), AskDocked(bHorz));
  EXPECT_EQ(CSize(112, 212), m_panel->CalcFixedLayout(FALSE, bHorz));
  EXPECT_EQ(CSize(110, 210), m_panel->CalcMinSize());
  EXPECT_EQ(CSize(110, 210), m_panel->GetMinFloatingSize());
  if (bHorz)
    EXPECT_EQ(110, m_panel->CalcMinWidth());
  else
    EXPECT_EQ(210, m_panel->CalcMinHeight());
}

INSTANTIATE_TEST_SUITE_P(Docked, PanelBarSides,
                         ::testing::Values(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                           AFX_IDW_DOCKBAR_RIGHT));

TEST_F(PanelBarTest, FloatingAsksForTheChildWithMarginsOnly) {
  DockPanel(AFX_IDW_DOCKBAR_TOP);
  m_pFrame->FloatControlBar(m_panel.get(), CPoint(300, 300));
  PumpPending();
  ASSERT_TRUE(m_panel->IsFloating());
  EXPECT_EQ(CSize(110, 210), m_panel->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
}

TEST_F(PanelBarTest, ACaptionAddsItsExtentOnItsSide) {
  DockPanel(AFX_IDW_DOCKBAR_TOP, CBRS_GRIPPER);
  bool bOnTop = false;
  ASSERT_TRUE(m_panel->QueryCaption(&bOnTop, NULL));
  AskDocked(true);
  PumpPending();
  const CRect rcCaption = m_panel->GetNcCaptionRect();
  ASSERT_FALSE(rcCaption.IsRectEmpty());
  const CSize sizeExpected =
      bOnTop ? CSize(112, 210 + rcCaption.Height() + 2) : CSize(110 + rcCaption.Width() + 2, 212);
  EXPECT_EQ(sizeExpected, AskDocked(true));
}

TEST_F(PanelBarTest, KeepsTheChildAtTheMarginsWithItsOwnSize) {
  DockPanel(AFX_IDW_DOCKBAR_LEFT);
  EXPECT_TRUE(WaitUntil([&] { return ChildBox(m_panel.get(), m_hChild) == CRect(CPoint(5, 5), kChild); }))
      << "placed by the bar's own sizing";
  ::MoveWindow(m_hChild, 30, 40, kChild.cx, kChild.cy, TRUE);
  m_panel->RepositionChild(true);
  EXPECT_EQ(CRect(CPoint(5, 5), kChild), ChildBox(m_panel.get(), m_hChild));
  // The frame's own layout moves the bar: the child follows it.
  ::MoveWindow(m_hChild, 0, 0, kChild.cx, kChild.cy, TRUE);
  m_pFrame->SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(WaitUntil([&] { return ChildBox(m_panel.get(), m_hChild) == CRect(CPoint(5, 5), kChild); }));
}

TEST_F(PanelBarTest, NeverHasAChevron) {
  DockPanel(AFX_IDW_DOCKBAR_TOP);
  EXPECT_TRUE(m_panel->IsPanelBar());
  EXPECT_EQ(nullptr, m_panel->GetChevron());
  EXPECT_EQ(CExtControlBarSite::BAR_PANEL, m_panel->GetBarKind());
}

TEST_F(PanelBarTest, PassesTheFocusToItsChild) {
  DockPanel(AFX_IDW_DOCKBAR_TOP);
  m_pFrame->SetActiveWindow();
  m_panel->SetFocus();
  EXPECT_TRUE(WaitUntil([&] { return ::GetFocus() == m_hChild; }));
}

TEST_F(PanelBarTest, PaintsItsBackgroundAroundTheChild) {
  DockPanel(AFX_IDW_DOCKBAR_TOP);
  m_pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  const bool bDocker = pPM->HasDockerBackground(m_panel.get());
  const COLORREF clrFace = pPM->ColorByLogicalId(CExtPaintManager::LOGICAL_COLOR_FIRST, m_panel.get());
  CRect rcClient;
  m_panel->GetClientRect(&rcClient);
  const CRect rcChildCentre(CPoint(50, 100), CSize(1, 1));
  pixel_support::Pixels px;
  const bool bPainted = WaitUntil([&] {
    m_panel->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    px = pixel_support::ReadWindow(m_panel->m_hWnd, rcClient);
    const pixel_support::Pixels child = pixel_support::ReadWindow(m_hChild, rcChildCentre);
    if (px.Empty() || child.Empty())
      return false;
    // The child's centre lies at (55, 105) in the bar.
    return px.At(55, 105) == child.At(0, 0) && px.At(2, 2) != child.At(0, 0) &&
           (bDocker || px.At(2, 2) == clrFace);
  });
  pixel_support::SaveBmp(px, "panel_bar_docked_top.bmp");
  EXPECT_TRUE(bPainted) << "the child shows itself, the margin the bar's background";
}

TEST(PanelBarOutsideFrame, AddsFourPixelsAcrossItsOrientation) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("panel host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400));
  for (bool bHorz : {true, false}) {
    CExtPanelControlBar panel;
    ASSERT_TRUE(panel.Create("Panel", &host, 402, WS_CHILD | WS_VISIBLE | (bHorz ? CBRS_TOP : CBRS_LEFT)));
    ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, kChild.cx, kChild.cy,
                      panel.m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    EXPECT_EQ(bHorz ? CSize(112, 216) : CSize(116, 212), panel.CalcFixedLayout(FALSE, bHorz)) << bHorz;
    panel.DestroyWindow();
  }
  host.DestroyWindow();
  PumpPending();
}

} // namespace
