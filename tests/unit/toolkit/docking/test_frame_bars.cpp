// The frame's bars as the bar collection and the show-bar commands see them.
#include "tests/unit/toolkit/docking/dock_frame_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class FrameBars : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateDockFrame();
    ASSERT_TRUE(m_pFrame);
    m_pTop = DockBar(m_pFrame.get(), 101, AFX_IDW_DOCKBAR_TOP, "Top");
    m_pLeft = DockBar(m_pFrame.get(), 102, AFX_IDW_DOCKBAR_LEFT, "Left");
    m_pRight = DockBar(m_pFrame.get(), 103, AFX_IDW_DOCKBAR_RIGHT, "Right");
    m_pTool = DockBar(m_pFrame.get(), 104, AFX_IDW_DOCKBAR_BOTTOM, "Tool", true);
    ASSERT_TRUE(m_pTop && m_pLeft && m_pRight && m_pTool);
    m_pFrame->ShowControlBar(m_pRight.get(), FALSE, FALSE);
    Relayout(m_pFrame.get());
  }
  void TearDown() override {
    m_pTop.reset();
    m_pLeft.reset();
    m_pRight.reset();
    m_pTool.reset();
    m_pFrame.reset();
  }
  std::set<UINT> Collect(DWORD dwFilter, CExtControlBar* pExclude = NULL, CPoint pt = CPoint(-1000, -1000)) {
    CPtrArray arr;
    CExtControlBar::GetFrameControlBars(m_pFrame.get(), pExclude, arr, dwFilter, pt.x, pt.y);
    std::set<UINT> ids;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
      ids.insert(static_cast<CExtControlBar*>(arr[i])->GetDlgCtrlID());
    return ids;
  }
  FramePtr m_pFrame;
  std::unique_ptr<CExtControlBar> m_pTop, m_pLeft, m_pRight, m_pTool;
};

TEST_F(FrameBars, TheFilterMatrixSelectsByKindVisibilityAndSide) {
  using B = CExtControlBar;
  const DWORD kAnyState = B::FILTER_VISIBILITY_MASK | B::FILTER_WND_MASK;
  const struct {
    const char* name;
    DWORD filter;
    std::set<UINT> expected;
  } kRows[] = {
      {"every bar", B::FILTER_ALL, {101, 102, 103, 104}},
      {"no kind bit", B::FILTER_ALL & ~B::FILTER_KIND_MASK, {}},
      {"no visibility bit", B::FILTER_ALL & ~B::FILTER_VISIBILITY_MASK, {}},
      {"no window bit", B::FILTER_ALL & ~B::FILTER_WND_MASK, {}},
      {"fixed only", B::FILTER_FIXED | kAnyState, {104}},
      {"resizable only",
       B::FILTER_RESIZABLE_AT_MIN | B::FILTER_RESIZABLE_NOT_MIN | kAnyState,
       {101, 102, 103}},
      {"visible", B::FILTER_KIND_MASK | B::FILTER_IS_VISIBLE | B::FILTER_WND_MASK, {101, 102, 104}},
      {"hidden", B::FILTER_KIND_MASK | B::FILTER_NOT_IS_VISIBLE | B::FILTER_WND_MASK, {103}},
      {"hidden windows", B::FILTER_KIND_MASK | B::FILTER_VISIBILITY_MASK | B::FILTER_WND_HIDDEN, {103}},
      {"left side", B::FILTER_KIND_MASK | kAnyState | B::FILTER_LEFT, {102}},
      {"top and right", B::FILTER_KIND_MASK | kAnyState | B::FILTER_TOP | B::FILTER_RIGHT, {101, 103}},
      {"floating", B::FILTER_KIND_MASK | kAnyState | B::FILTER_FLOATING, {}},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(row.expected, Collect(row.filter)) << row.name;
  EXPECT_EQ(std::set<UINT>({102, 103, 104}), Collect(B::FILTER_ALL, m_pTop.get()));
}

TEST_F(FrameBars, PointFiltersAskTheWindowTheClientAreaAndTheHitTest) {
  using B = CExtControlBar;
  CRect rcClient;
  m_pLeft->GetClientRect(&rcClient);
  m_pLeft->ClientToScreen(&rcClient);
  CPoint ptInside = rcClient.CenterPoint();
  EXPECT_EQ(std::set<UINT>({102}), Collect(B::FILTER_ALL | B::FILTER_PT_IN_CLIENT, NULL, ptInside));
  EXPECT_EQ(std::set<UINT>({102}), Collect(B::FILTER_ALL | B::FILTER_HT_CLIENT, NULL, ptInside));
  EXPECT_EQ(std::set<UINT>(), Collect(B::FILTER_ALL | B::FILTER_HT_BOTTOM, NULL, ptInside));
  EXPECT_EQ(std::set<UINT>(), Collect(B::FILTER_ALL | B::FILTER_PT_IN_CLIENT, NULL, CPoint(-5, -5)));
  CRect rcWnd;
  m_pLeft->GetWindowRect(&rcWnd);
  CPoint ptCaption = rcWnd.TopLeft() + m_pLeft->GetNcCaptionRect().CenterPoint();
  EXPECT_EQ(std::set<UINT>({102}), Collect(B::FILTER_ALL | B::FILTER_PT_IN_CAPTION, NULL, ptCaption));
  EXPECT_EQ(1u, Collect(B::FILTER_ALL | B::FILTER_STOP_AT_FIRST, NULL, ptInside).size());
}

TEST_F(FrameBars, ShowBarCommandsToggleToolkitBarsAndPassUnknownIds) {
  EXPECT_TRUE(CExtControlBar::ToggleBarByCommand(m_pFrame.get(), 101));
  Relayout(m_pFrame.get());
  EXPECT_FALSE(m_pTop->IsVisible());
  CCmdUI ui;
  ui.m_nID = 101;
  EXPECT_TRUE(CExtControlBar::UpdateBarCommandUI(m_pFrame.get(), &ui));
  EXPECT_FALSE(ui.m_bContinueRouting);
  EXPECT_TRUE(CExtControlBar::ToggleBarByCommand(m_pFrame.get(), 101));
  Relayout(m_pFrame.get());
  EXPECT_TRUE(m_pTop->IsVisible());
  EXPECT_FALSE(CExtControlBar::ToggleBarByCommand(m_pFrame.get(), 999));
  ui.m_nID = 999;
  EXPECT_FALSE(CExtControlBar::UpdateBarCommandUI(m_pFrame.get(), &ui));
  EXPECT_TRUE(ui.m_bContinueRouting);
}

// Records what a command update sets; -1: left as it was.
struct CRecordedCmdUI : CCmdUI {
  int m_nEnabled = -1, m_nCheck = -1;
  void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
  void SetCheck(int nCheck) override { m_nCheck = nCheck; }
};

TEST_F(FrameBars, AResizableBarsCommandIsCheckedOnlyWithTheFlag) {
  const struct {
    CExtControlBar* bar;
    bool flag, locked;
    int enabled, check;
  } kRows[] = {
      {m_pTop.get(), false, false, 1, -1},   {m_pTop.get(), true, false, 1, 1},
      {m_pRight.get(), false, false, 1, -1}, {m_pRight.get(), true, false, 1, 0},
      {m_pTool.get(), false, false, 1, 1},   {m_pTool.get(), true, false, 1, 1},
      {m_pTop.get(), true, true, 0, 1},
  };
  for (const auto& row : kRows) {
    CExtControlBar::g_bLockAllBars = row.locked;
    CRecordedCmdUI ui;
    row.bar->UpdateVisibilityCmdUI(&ui, row.flag);
    CExtControlBar::g_bLockAllBars = false;
    EXPECT_EQ(row.enabled, ui.m_nEnabled) << row.bar->GetDlgCtrlID() << " " << row.flag;
    EXPECT_EQ(row.check, ui.m_nCheck) << row.bar->GetDlgCtrlID() << " " << row.flag;
  }
}

TEST_F(FrameBars, ToggleVisibilityHidesOnlyWhenAskedAndFocusesWhatItShows) {
  const struct {
    CExtControlBar* bar;
    bool visible, hideWhenVisible, visibleAfter;
  } kRows[] = {
      {m_pTop.get(), true, true, false},  {m_pTop.get(), true, false, true},
      {m_pTop.get(), false, true, true},  {m_pTool.get(), true, false, false},
      {m_pTool.get(), false, true, true},
  };
  for (const auto& row : kRows) {
    m_pFrame->ShowControlBar(row.bar, row.visible, FALSE);
    m_pFrame->SetFocus();
    row.bar->ToggleVisibility(row.hideWhenVisible);
    const int nId = row.bar->GetDlgCtrlID();
    EXPECT_EQ(row.visibleAfter, row.bar->IsVisible() != FALSE) << nId << " " << row.hideWhenVisible;
    const HWND hFocus = ::GetFocus();
    const bool bFocusInBar = hFocus == row.bar->m_hWnd || ::IsChild(row.bar->m_hWnd, hFocus);
    EXPECT_EQ(row.visibleAfter && !row.bar->IsFixedDockStyle(), bFocusInBar) << nId;
  }
  // A hidden floating bar comes back with its floating frame.
  m_pLeft->FloatControlBar(300, 300);
  CFrameWnd* pMini = m_pLeft->GetParentFrame();
  m_pFrame->ShowControlBar(m_pLeft.get(), FALSE, FALSE);
  ASSERT_FALSE(pMini->IsWindowVisible());
  m_pLeft->ToggleVisibility();
  EXPECT_TRUE(m_pLeft->IsVisible() && pMini->IsWindowVisible());
}

TEST_F(FrameBars, PlaceQueriesFollowTheDockBar) {
  const struct {
    CExtControlBar* bar;
    UINT id;
    bool horz;
  } kRows[] = {{m_pTop.get(), AFX_IDW_DOCKBAR_TOP, true},
               {m_pLeft.get(), AFX_IDW_DOCKBAR_LEFT, false},
               {m_pTool.get(), AFX_IDW_DOCKBAR_BOTTOM, true}};
  for (const auto& row : kRows) {
    EXPECT_EQ(row.id, row.bar->GetDockBarCtrlId());
    EXPECT_EQ(row.horz, row.bar->IsDockedHorizontally());
    EXPECT_EQ(!row.horz, row.bar->IsDockedVertically());
    EXPECT_TRUE(row.bar->IsDocked());
    EXPECT_FALSE(row.bar->IsFloating());
    EXPECT_EQ(m_pFrame.get(), row.bar->GetDockingFrame());
  }
  EXPECT_TRUE(m_pLeft->IsDockedAtLeft());
  EXPECT_TRUE(m_pTool->IsDockedAtBottom());
}

// A fixed bar made hidden in the frame and never docked, as a program makes a bar it shows only on
// demand, takes a row of its own in the dock bar its alignment names once it is shown, at once or
// delayed: where it is, the frame's layout would measure it as floating, across the frame.
TEST_F(FrameBars, AFixedBarShownWithoutAPlaceDocksInARowOfItsSide) {
  for (BOOL bDelay : {FALSE, TRUE}) {
    SCOPED_TRACE(bDelay ? "delayed" : "at once");
    CExtControlBar bar;
    bar.m_bBarFlags |= CExtControlBar::BF_FIXED_MODE;
    ASSERT_TRUE(bar.Create("Later", m_pFrame.get(), 105, WS_CHILD | CBRS_BOTTOM | CBRS_GRIPPER));
    m_pFrame->ShowControlBar(&bar, TRUE, bDelay);
    if (bDelay)
      m_pFrame->RecalcLayout(); // the frame's idle pass
    ASSERT_TRUE(PumpUntil([&] { return bar.m_pDockBar != NULL; })) << "not docked";
    EXPECT_EQ(AFX_IDW_DOCKBAR_BOTTOM, bar.GetDockBarCtrlId());
    EXPECT_TRUE(bar.IsVisible());
    CRect rcBar, rcTool;
    bar.GetWindowRect(&rcBar);
    m_pTool->GetWindowRect(&rcTool);
    EXPECT_GE(rcBar.top, rcTool.bottom - 1) << "a row below the Tool bar's";
  }
}

} // namespace
