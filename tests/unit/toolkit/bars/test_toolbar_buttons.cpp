// The tool bar's button array: building, inserting, removing and owning its buttons.
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Counts how often each button object is destroyed.
std::map<const void*, int>& DeleteCounts() {
  static std::map<const void*, int> counts;
  return counts;
}

class CountedButton : public CExtBarButton {
public:
  CountedButton(CExtToolControlBar* pBar, UINT nCmdID) : CExtBarButton(pBar, nCmdID, 0) {
    DeleteCounts()[this] = 0;
  }
  ~CountedButton() override { ++DeleteCounts()[this]; }
};

class CountingBar : public CExtToolControlBar {
public:
  CExtBarButton* CreateButtonObject(UINT nCmdID, UINT /*nStyle*/) override {
    return new CountedButton(this, nCmdID);
  }
};

class PanelLikeBar : public CExtToolControlBar {
public:
  PanelLikeBar() { m_nToolBarFlags |= TBF_PANEL; }
};

const UINT kIds[] = {1, 0, 2};

} // namespace

TEST(ToolBarButtons, SetButtonsMakesButtonsAndTrailingChevron) {
  CExtToolControlBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  ASSERT_EQ(4, bar.GetButtonCount());
  ASSERT_NE(nullptr, bar.GetChevron());
  EXPECT_EQ(bar.GetChevron(), bar.GetButton(3));
  EXPECT_EQ(1u, bar.GetButtonID(0));
  EXPECT_EQ(0u, bar.GetButtonID(1));
  EXPECT_EQ(2u, bar.GetButtonID(2));
  EXPECT_EQ(2, bar.CommandToIndex(2));
  EXPECT_EQ(1, bar.CommandToIndex(0));
  EXPECT_EQ(-1, bar.CommandToIndex(77));
  EXPECT_EQ(2, bar.GetButtonIndex(bar.GetButton(2)));
  EXPECT_EQ(-1, bar.GetButtonIndex(NULL));
  EXPECT_EQ(nullptr, bar.GetButton(-1));
  EXPECT_EQ(nullptr, bar.GetButton(4));
  EXPECT_EQ(0u, bar.GetButtonID(4));
  EXPECT_EQ(0u, bar.GetButtonStyle(9));
  EXPECT_TRUE(bar.GetButtonRect(9).IsRectNull());
  EXPECT_EQ(bar.GetButton(0)->GetBar(), &bar);
}

TEST(ToolBarButtons, SetButtonsWithoutIdsOnlyEmptiesTheBar) {
  CExtToolControlBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  EXPECT_TRUE(bar.SetButtons(NULL, 3));
  EXPECT_EQ(0, bar.GetButtonCount());
  EXPECT_EQ(nullptr, bar.GetChevron());
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  EXPECT_TRUE(bar.SetButtons(kIds, 0));
  EXPECT_EQ(0, bar.GetButtonCount());
}

TEST(ToolBarButtons, LoadToolBarBuildsTheButtonsOfTheResource) {
  CExtToolControlBar bar;
  ASSERT_TRUE(bar.LoadToolBar(3001)); // test.rc: 101, separator, 102
  ASSERT_EQ(4, bar.GetButtonCount());
  EXPECT_EQ(0, bar.CommandToIndex(101));
  EXPECT_EQ(0u, bar.GetButtonID(1));
  EXPECT_EQ(2, bar.CommandToIndex(102));
  EXPECT_NE(nullptr,
            g_CmdManagerHolder->GetCommandIcon(g_CmdManagerHolder->GetProfileNameForWindow(NULL), 102));
  EXPECT_FALSE(bar.LoadToolBar(3999)); // no such resource: the buttons stay
  EXPECT_EQ(4, bar.GetButtonCount());
}

TEST(ToolBarButtons, PanelBarGetsNoChevron) {
  PanelLikeBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  EXPECT_EQ(3, bar.GetButtonCount());
  EXPECT_EQ(nullptr, bar.GetChevron());
  // Without a chevron the end is the real end.
  ASSERT_TRUE(bar.InsertButton(-1, 9, false));
  EXPECT_EQ(3, bar.CommandToIndex(9));
}

struct InsertCase {
  int nPos;
  int nExpectedIndex; // -1: refused
};

class ToolBarInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(ToolBarInsert, NewButtonLandsBeforeTheChevron) {
  const InsertCase c = GetParam();
  CExtToolControlBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3)); // 1, separator, 2, chevron
  bar.m_nBtnIdxHover = 2;               // the indexes keep naming the same buttons
  const bool bDone = bar.InsertButton(c.nPos, 50, false);
  EXPECT_EQ(c.nExpectedIndex >= 0, bDone);
  EXPECT_EQ(bDone ? 5 : 4, bar.GetButtonCount());
  EXPECT_EQ(c.nExpectedIndex, bar.CommandToIndex(50));
  EXPECT_EQ(bar.GetChevron(), bar.GetButton(bar.GetButtonCount() - 1));
  EXPECT_EQ(2u, bar.GetButtonID(bar.GetHoverButton()));
}

INSTANTIATE_TEST_SUITE_P(Positions, ToolBarInsert,
                         ::testing::Values(InsertCase{-1, 3}, InsertCase{0, 0}, InsertCase{2, 2},
                                           InsertCase{3, 3}, InsertCase{4, 3}, InsertCase{5, -1},
                                           InsertCase{-2, -1}));

TEST(ToolBarButtons, InsertSpecButtonTakesTheCallersButton) {
  CountingBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  EXPECT_FALSE(bar.InsertSpecButton(0, NULL, false));
  CountedButton* pRefused = new CountedButton(NULL, 70);
  EXPECT_FALSE(bar.InsertSpecButton(9, pRefused, false));
  EXPECT_EQ(0, DeleteCounts()[pRefused]); // still the caller's
  delete pRefused;
  CountedButton* pButton = new CountedButton(NULL, 71);
  ASSERT_TRUE(bar.InsertSpecButton(-1, pButton, false));
  EXPECT_EQ(3, bar.GetButtonIndex(pButton));
  EXPECT_EQ(&bar, pButton->GetBar());
  bar.RemoveAllButtons();
  EXPECT_EQ(1, DeleteCounts()[pButton]);
}

TEST(ToolBarButtons, RemoveButtonRefusesTheChevronAndBadIndexes) {
  CExtToolControlBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  EXPECT_FALSE(bar.RemoveButton(3, false)); // the chevron
  EXPECT_FALSE(bar.RemoveButton(-1, false));
  EXPECT_FALSE(bar.RemoveButton(4, false));
  EXPECT_EQ(4, bar.GetButtonCount());
  bar.m_nBtnIdxHover = 2;
  bar.m_nBtnIdxCapture = 2;
  bar.m_nBtnIdxMenuTracking = 0;
  ASSERT_TRUE(bar.RemoveButton(1, false));
  EXPECT_EQ(3, bar.GetButtonCount());
  EXPECT_EQ(1, bar.CommandToIndex(2));
  EXPECT_EQ(-1, bar.GetHoverButton());
  EXPECT_EQ(-1, bar.GetPressedButton());
  EXPECT_EQ(-1, bar.GetTrackedButton());
}

TEST(ToolBarButtons, EveryButtonIsDeletedExactlyOnceWhileTheChevronListsSome) {
  CExtBarButton* pHidden1 = NULL;
  CExtBarButton* pHidden2 = NULL;
  {
    CountingBar bar;
    ASSERT_TRUE(bar.SetButtons(kIds, 3));
    pHidden1 = bar.GetButton(0);
    pHidden2 = bar.GetButton(2);
    bar.GetChevron()->m_arrHiddenButtons.Add(pHidden1);
    bar.GetChevron()->m_arrHiddenButtons.Add(pHidden2);
    bar.RemoveAllButtons();
    EXPECT_EQ(0, bar.GetButtonCount());
    EXPECT_EQ(nullptr, bar.GetChevron());
    EXPECT_EQ(1, DeleteCounts()[pHidden1]);
    EXPECT_EQ(1, DeleteCounts()[pHidden2]);

    // The same when the bar itself goes.
    ASSERT_TRUE(bar.SetButtons(kIds, 3));
    pHidden1 = bar.GetButton(2);
    bar.GetChevron()->m_arrHiddenButtons.Add(pHidden1);
  }
  EXPECT_EQ(1, DeleteCounts()[pHidden1]);
}

TEST(ToolBarButtons, RemovedButtonLeavesTheChevronList) {
  CountingBar bar;
  ASSERT_TRUE(bar.SetButtons(kIds, 3));
  CExtBarButton* pHidden = bar.GetButton(2);
  bar.GetChevron()->m_arrHiddenButtons.Add(pHidden);
  ASSERT_TRUE(bar.RemoveButton(2, false));
  EXPECT_EQ(0, bar.GetChevron()->m_arrHiddenButtons.GetSize());
  EXPECT_EQ(1, DeleteCounts()[pHidden]);
}
