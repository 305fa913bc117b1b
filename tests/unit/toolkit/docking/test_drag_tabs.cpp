// A panel dragged over the tab bands: onto a plain panel it makes a new tab container, onto a
// container it shows a placeholder tab in the strip while the pointer rests there and joins the
// container at the end or at the tab under the pointer when dropped.
#include "tests/unit/toolkit/docking/drag_fixture.h"

#include "toolkit/docking/ExtDynTabControlBar.h"

#include <atomic>

namespace {

using DT = CExtControlBar::DragTargetType;

struct TabDropCase {
  const char* name;
  bool bContainer; // the target is a container of two tabs
  bool bOverStrip; // the pointer rests on the strip's first tab, else in the top band
  LONG nType;
  int nIndex; // the dropped panel's tab
};

class DragTabs : public DragFixture, public ::testing::WithParamInterface<TabDropCase> {};

TEST_P(DragTabs, TheTabBandsProposeAndDropTheRightTab) {
  const TabDropCase& c = GetParam();
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CExtControlBar* pTarget = AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  CExtControlBar* pFirst = pTarget;
  if (c.bContainer) {
    CExtControlBar* pThird = AddPanel(203, AFX_IDW_DOCKBAR_RIGHT, "r");
    ASSERT_TRUE(pTarget->DockAsTab(pThird));
    Relayout(m_pFrame.get());
    pTarget = pTarget->GetTabContainerBar();
    ASSERT_NE(nullptr, pTarget);
  }
  CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pTarget);
  const CRect R = ScreenRect(pTarget);
  CPoint pt(R.CenterPoint().x, R.top + 12);
  if (c.bOverStrip) {
    const CRect rcStrip = ScreenRect(&pContainer->m_wndTabs);
    pt = CPoint(rcStrip.left + 12, rcStrip.CenterPoint().y);
  }
  std::atomic<bool> bPlaceholder(false);
  LONG nShownType = -1;
  auto probe = [&] {
    // The pointer may be echoed late at an older place: wait for what this place shows.
    WaitFromDriver(
        [&] {
          return pContainer != NULL ? pContainer->m_wndTabs.HasPlaceholders()
                                    : CExtControlBar::g_DragStateCurrent.m_nTargetType == c.nType;
        },
        2000);
    bPlaceholder = pContainer != NULL && pContainer->m_wndTabs.HasPlaceholders();
    nShownType = CExtControlBar::g_DragStateCurrent.m_nTargetType;
  };
  DragInput up = DragInput::Do(DragInput::LEFT_UP);
  up.pt = pt;
  ASSERT_TRUE(RunDrag(pBar, CaptionPoint(pBar),
                      {DragInput::Move(ClientCentre()), DragInput::Move(pt), DragInput::Probe(probe), up}));
  EXPECT_EQ(c.nType, nShownType);
  EXPECT_EQ(c.bContainer, bPlaceholder.load()) << "a placeholder tab only in an existing strip";
  CExtDynTabControlBar* pJoined = pBar->GetTabContainerBar();
  ASSERT_NE(nullptr, pJoined) << Dump();
  if (c.bContainer)
    EXPECT_EQ(pContainer, pJoined);
  EXPECT_FALSE(pJoined->m_wndTabs.HasPlaceholders());
  EXPECT_EQ(pBar, pJoined->m_wndTabs.GetBarAt(c.nIndex, true));
  // A new container selects its first tab, an existing one the tab just added.
  EXPECT_EQ(c.bContainer ? pBar : pFirst, pJoined->GetSelectedBar());
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

INSTANTIATE_TEST_SUITE_P(
    Bands, DragTabs,
    ::testing::Values(TabDropCase{"NewContainer", false, false, DT::DT_TAB_NEW, 1},
                      TabDropCase{"Append", true, false, DT::DT_TAB_APPEND, 2},
                      TabDropCase{"InsertAtTheFirstTab", true, true, DT::DT_TAB_INSERT, 0}),
    [](const ::testing::TestParamInfo<TabDropCase>& info) { return std::string(info.param.name); });

// A bar dragged out of its container by its tab floats, and the container it leaves with one bar
// dissolves into that bar.
TEST_F(DragFixture, ABarDraggedOutByItsTabFloatsAndTheContainerDissolves) {
  CExtControlBar* pStays = AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  CExtControlBar* pLeaves = AddPanel(203, AFX_IDW_DOCKBAR_RIGHT, "r");
  ASSERT_TRUE(pStays->DockAsTab(pLeaves));
  Relayout(m_pFrame.get());
  CExtDynTabControlBar* pContainer = pStays->GetTabContainerBar();
  ASSERT_NE(nullptr, pContainer);
  CExtDynTabWnd& tabs = pContainer->m_wndTabs;
  const int nItem = tabs.FindBarItem(pLeaves);
  ASSERT_GE(nItem, 0);
  CPoint ptTab = tabs.ItemRectInClient(tabs.ItemGet(nItem)).CenterPoint();
  tabs.ClientToScreen(&ptTab);
  const CPoint ptDrop = ClientCentre();
  ASSERT_TRUE(DragThrough(pLeaves, ptTab, {ptTab + CPoint(12, 0), ptDrop + CPoint(-20, 0), ptDrop}));
  EXPECT_TRUE(pLeaves->IsFloating()) << Dump();
  EXPECT_EQ(nullptr, pLeaves->GetTabContainerBar());
  EXPECT_EQ(nullptr, pStays->GetTabContainerBar()) << "the container dissolved into its last bar\n" << Dump();
  EXPECT_TRUE(pStays->IsDockedAtRight()) << Dump();
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

} // namespace
