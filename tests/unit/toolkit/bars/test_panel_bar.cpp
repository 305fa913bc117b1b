// The panel bar: its child's size plus the margins and two pixels each way in every docked place,
// the child kept at the margins with its own size, the bar's background painted around the
// child, and never a chevron.
#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/pixel_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

namespace {

class PanelBar : public ::testing::TestWithParam<UINT> {
protected:
  // A panel bar with a static child of 100 x 200, docked at the side (dock bar id) of a frame.
  void SetUp() override {
    m_pFrame = CreateChevronFrame();
    ASSERT_NE(nullptr, m_pFrame);
    const UINT nSide = GetParam();
    m_bHorz = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
    ASSERT_TRUE(m_panel.Create("Panel", m_pFrame, 401,
                               WS_CHILD | WS_VISIBLE | (m_bHorz ? CBRS_TOP : CBRS_LEFT) | ExtraStyle()));
    m_hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, 0, 0, 100, 200,
                                 m_panel.m_hWnd, NULL, NULL, NULL);
    m_panel.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_panel, nSide);
    m_pFrame->RecalcLayout();
  }
  void TearDown() override {
    m_panel.DestroyWindow();
    DestroyChevronFrame(m_pFrame);
  }
  virtual DWORD ExtraStyle() const { return 0; }
  CRect ChildBox() {
    CRect rc;
    ::GetWindowRect(m_hChild, &rc);
    m_panel.ScreenToClient(&rc);
    return rc;
  }

  CChevronTestFrame* m_pFrame = NULL;
  CExtPanelControlBar m_panel;
  HWND m_hChild = NULL;
  bool m_bHorz = true;
};

TEST_P(PanelBar, AsksForItsChildWithMarginsAndTwoPixelsEachWay) {
  EXPECT_EQ(CSize(112, 212), m_panel.CalcDynamicLayout(-1, m_bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK));
  EXPECT_EQ(CSize(110, 210), m_panel.CalcMinSize());
  EXPECT_EQ(m_bHorz ? 110 : 210, m_bHorz ? m_panel.CalcMinWidth() : m_panel.CalcMinHeight());
  EXPECT_EQ(nullptr, m_panel.GetChevron());
}

TEST_P(PanelBar, KeepsItsChildAtTheMarginsWithItsOwnSize) {
  const CRect rcPlaced(5, 5, 105, 205);
  EXPECT_TRUE(PumpUntil([&] { return ChildBox() == rcPlaced; }));
  ::MoveWindow(m_hChild, 30, 40, 100, 200, TRUE);
  m_panel.RepositionChild(true);
  EXPECT_EQ(rcPlaced, ChildBox());
  ::MoveWindow(m_hChild, 0, 0, 100, 200, TRUE);
  m_pFrame->SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER); // the frame's layout moves the bar
  EXPECT_TRUE(PumpUntil([&] { return ChildBox() == rcPlaced; }));
}

TEST_P(PanelBar, PaintsItsBackgroundAroundItsChild) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  const bool bDocker = pPM->HasDockerBackground(&m_panel);
  const COLORREF clrFace = pPM->ColorByLogicalId(CExtPaintManager::LOGICAL_COLOR_FIRST, &m_panel);
  CRect rcClient;
  m_panel.GetClientRect(&rcClient);
  pixel_support::Pixels px, child;
  const bool bPainted = PumpUntil([&] {
    px = pixel_support::ReadWindow(m_panel.m_hWnd, rcClient);
    child = pixel_support::ReadWindow(m_hChild, CRect(50, 100, 51, 101));
    return !px.Empty() && !child.Empty() && px.At(55, 105) == child.At(0, 0) &&
           px.At(2, 2) != child.At(0, 0) && (bDocker || px.At(2, 2) == clrFace);
  });
  pixel_support::SaveBmp(px, m_bHorz ? "panel_bar_docked_top.bmp" : "panel_bar_docked_left.bmp");
  EXPECT_TRUE(bPainted) << "the child shows itself, the margin the bar's background";
}

INSTANTIATE_TEST_SUITE_P(Docked, PanelBar,
                         ::testing::Values(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                           AFX_IDW_DOCKBAR_RIGHT));

// With a gripper, the bar's room for its caption counts from its first layout on, before the
// caption is laid out in the bar's window: a later layout leaves the bar at its size instead of
// growing it by the caption (a tool bar double-clicked back into its dock bar came back that much
// bigger than it started).
class GripperPanelBar : public PanelBar {
protected:
  DWORD ExtraStyle() const override { return CBRS_GRIPPER; }
};

TEST_P(GripperPanelBar, KeepsTheSizeOfItsFirstLayoutWithItsCaption) {
  CRect rcFirst;
  m_panel.GetWindowRect(&rcFirst);
  m_pFrame->RecalcLayout();
  CRect rcLater;
  m_panel.GetWindowRect(&rcLater);
  EXPECT_EQ(rcFirst.Width(), rcLater.Width());
  EXPECT_EQ(rcFirst.Height(), rcLater.Height());
}

INSTANTIATE_TEST_SUITE_P(Docked, GripperPanelBar,
                         ::testing::Values(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                           AFX_IDW_DOCKBAR_RIGHT));

} // namespace
