// The tab window's item model without a window: insertion and removal moving the selection, the
// group's one active item, the visible count, the finders and moving items.
#include "tests/unit/toolkit/tabs/tab_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Item = CExtTabWnd::TAB_ITEM_INFO;
const DWORD kHidden = CExtTabWnd::TIS_HIDDEN;
const DWORD kGroup = CExtTabWnd::TIS_GROUP_START;
const DWORD kSelected = CExtTabWnd::TIS_SELECTED;
const DWORD kActive = CExtTabWnd::TIS_IN_GROUP_ACTIVE;

// Items with lParam 0 .. n-1 and the given styles (missing ones 0).
void Fill(CExtTabWnd& wnd, int nCount, const std::vector<DWORD>& styles = {}) {
  for (int i = 0; i < nCount; ++i)
    wnd.InsertItem("item", NULL, false, i < (int)styles.size() ? styles[i] : 0, -1, i);
}

struct InsertCase {
  int nSelection;
  int nIndex;
  int nExpectedIndex;
  int nExpectedSelection;
};

class TabInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(TabInsert, PlacesTheItemAndShiftsTheSelection) {
  const InsertCase& c = GetParam();
  CExtTabWnd wnd;
  Fill(wnd, 4);
  wnd.SelectItem(c.nSelection, false);
  Item* pNew = wnd.InsertItem("new", NULL, false, 0, c.nIndex, 99);
  EXPECT_EQ(c.nExpectedIndex, wnd.ItemGetIndexOf(pNew));
  EXPECT_EQ(c.nExpectedSelection, wnd.SelectionGet());
  EXPECT_EQ(5, wnd.ItemGetCount());
  EXPECT_TRUE(ModelIsSound(wnd));
}

INSTANTIATE_TEST_SUITE_P(Cases, TabInsert,
                         ::testing::Values(InsertCase{2, -1, 4, 2}, InsertCase{2, 17, 4, 2},
                                           InsertCase{2, 0, 0, 3}, InsertCase{2, 2, 2, 3},
                                           InsertCase{2, 3, 3, 2}, InsertCase{-1, 0, 0, -1}));

struct RemoveCase {
  int nSelection;
  int nFirst;
  int nCount;
  int nExpectedResult;
  int nExpectedSelection;
  std::vector<LPARAM> remaining;
};

class TabRemove : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(TabRemove, RemovesTheRangeAndLinksItsNeighbours) {
  const RemoveCase& c = GetParam();
  CExtTabWnd wnd;
  Fill(wnd, 6, {0, kHidden});
  wnd.SelectItem(c.nSelection, false);
  EXPECT_EQ(c.nExpectedResult, wnd.RemoveItems(c.nFirst, c.nCount));
  EXPECT_EQ(c.nExpectedSelection, wnd.SelectionGet());
  EXPECT_EQ(c.remaining, LParams(wnd));
  EXPECT_TRUE(ModelIsSound(wnd));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabRemove,
    ::testing::Values(RemoveCase{3, 2, 3, 3, -1, {0, 1, 5}},          // the selection inside the range
                      RemoveCase{1, 2, 3, 3, 1, {0, 1, 5}},           // after the selection
                      RemoveCase{5, 1, 3, 3, 2, {0, 4, 5}},           // before it, with a hidden item
                      RemoveCase{2, 4, 10, 2, 2, {0, 1, 2, 3}},       // clamped to the end
                      RemoveCase{2, 0, 0, 0, 2, {0, 1, 2, 3, 4, 5}},  // nothing asked
                      RemoveCase{2, 1, -3, 0, 2, {0, 1, 2, 3, 4, 5}}, // a negative count removes none
                      RemoveCase{0, 0, 6, 6, -1, {}}));

// A bad index is refused loudly before anything changes: removal would otherwise shift the
// selection first, and selection would name an item that does not exist.
class TabBadIndex : public ::testing::TestWithParam<std::function<void(CExtTabWnd&)>> {};

TEST_P(TabBadIndex, ThrowsAndLeavesTheModelAsItWas) {
  CExtTabWnd wnd;
  Fill(wnd, 4);
  wnd.SelectItem(2, false);
  bool bThrown = false;
  try {
    GetParam()(wnd);
  } catch (CInvalidArgException* e) {
    e->Delete();
    bThrown = true;
  }
  EXPECT_TRUE(bThrown);
  EXPECT_EQ(2, wnd.SelectionGet());
  EXPECT_EQ(4, wnd.ItemGetCount());
  EXPECT_TRUE(ModelIsSound(wnd));
}

INSTANTIATE_TEST_SUITE_P(Cases, TabBadIndex,
                         ::testing::Values([](CExtTabWnd& w) { w.RemoveItems(-1, 1); },
                                           [](CExtTabWnd& w) { w.RemoveItems(4, 1); },
                                           [](CExtTabWnd& w) { w.SelectItem(4, false); },
                                           [](CExtTabWnd& w) { w.ItemEnsureVisible(9); }));

TEST(TabRemove, RemoveAllEmptiesTheModel) {
  CExtTabWnd wnd;
  Fill(wnd, 3, {kHidden});
  wnd.SelectItem(1, false);
  wnd.RemoveAllItems();
  EXPECT_EQ(0, wnd.ItemGetCount());
  EXPECT_EQ(0, wnd.ItemGetVisibleCount());
  EXPECT_EQ(-1, wnd.SelectionGet());
}

// Styles of five items, which one gets the selected mark, and who is active afterwards.
struct GroupCase {
  std::vector<DWORD> styles;
  int nSelect;
  std::vector<bool> active;
};

class TabGroupActive : public ::testing::TestWithParam<GroupCase> {};

TEST_P(TabGroupActive, TheSelectedMarkMakesTheOneActiveItemOfItsGroup) {
  const GroupCase& c = GetParam();
  CExtTabWnd wnd;
  Fill(wnd, 5, c.styles);
  wnd.ItemGet(c.nSelect)->ModifyItemStyle(0, kSelected);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(c.active[i], (wnd.ItemGet(i)->GetItemStyle() & kActive) != 0) << "item " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabGroupActive,
    ::testing::Values(
        // Groups {0, 1} and {2, 3, 4}: the active item of the other group stays.
        GroupCase{{kGroup | kActive, 0, kGroup, kActive, 0}, 4, {true, false, false, false, true}},
        GroupCase{{kGroup, kActive, kGroup | kActive, 0, 0}, 0, {true, false, true, false, false}},
        // An active item after the selected one in the same group.
        GroupCase{{kGroup, 0, kGroup, 0, kActive}, 2, {false, false, true, false, false}},
        // No groups at all: one active item in the whole strip.
        GroupCase{{kActive, 0, 0, 0, 0}, 3, {false, false, false, true, false}}));

TEST(TabItemStyle, HidingCountsOnceAndShowingCountsBack) {
  CExtTabWnd wnd;
  Fill(wnd, 3);
  Item* p = wnd.ItemGet(1);
  EXPECT_EQ(0u, p->ModifyItemStyle(0, kHidden));
  EXPECT_EQ(2, wnd.ItemGetVisibleCount());
  EXPECT_EQ(kHidden, p->ModifyItemStyle(0, kHidden));
  EXPECT_EQ(2, wnd.ItemGetVisibleCount());
  p->ModifyItemStyle(kHidden, 0);
  EXPECT_EQ(3, wnd.ItemGetVisibleCount());
}

TEST(TabSelect, AnUnselectableItemIsRefusedAndNothingChanges) {
  CExtTabWnd wnd;
  Fill(wnd, 3, {0, 0, CExtTabWnd::TIS_UNSELECTABLE});
  wnd.SelectItem(1, false);
  EXPECT_EQ(1, wnd.SelectItem(2, false));
  EXPECT_EQ(1, wnd.SelectionGet());
  EXPECT_EQ(0u, wnd.ItemGet(2)->GetItemStyle() & (kSelected | kActive));
  EXPECT_EQ(1, wnd.SelectItem(-5, false));
  EXPECT_EQ(-1, wnd.SelectionGet());
  EXPECT_TRUE(ModelIsSound(wnd));
}

// lParams 0 .. 5 with lParam 7 on items 1 (hidden) and 4.
struct FindCase {
  int nStartAfter;
  bool bVisible;
  bool bHidden;
  int nExpected;
};

class TabFindByLParam : public ::testing::TestWithParam<FindCase> {};

TEST_P(TabFindByLParam, HonoursTheVisibilityFlags) {
  const FindCase& c = GetParam();
  CExtTabWnd wnd;
  Fill(wnd, 6, {0, kHidden});
  wnd.ItemGet(1)->LParamSet(7);
  wnd.ItemGet(4)->LParamSet(7);
  EXPECT_EQ(c.nExpected, wnd.ItemFindByLParam(7, c.nStartAfter, c.bVisible, c.bHidden));
}

INSTANTIATE_TEST_SUITE_P(Cases, TabFindByLParam,
                         ::testing::Values(FindCase{-1, true, true, 1}, FindCase{-1, false, false, 1},
                                           FindCase{-1, true, false, 4}, FindCase{-1, false, true, 1},
                                           FindCase{1, false, false, 4}, FindCase{4, false, false, -1},
                                           FindCase{-9, false, true, 1}));

struct StyleFindCase {
  DWORD dwHave;
  DWORD dwLack;
  int nStartAfter;
  int nExpected;
};

class TabFindByStyle : public ::testing::TestWithParam<StyleFindCase> {};

TEST_P(TabFindByStyle, NeedsOneWantedBitAndNoRefusedOne) {
  const StyleFindCase& c = GetParam();
  CExtTabWnd wnd;
  Fill(wnd, 4, {kGroup, kHidden, kGroup | kHidden, 0});
  EXPECT_EQ(c.nExpected, wnd.ItemFindByStyle(c.dwHave, c.dwLack, c.nStartAfter));
}

INSTANTIATE_TEST_SUITE_P(Cases, TabFindByStyle,
                         ::testing::Values(StyleFindCase{kGroup, 0, -1, 0},
                                           StyleFindCase{kGroup, kHidden, 0, -1},
                                           StyleFindCase{kGroup | kHidden, 0, 0, 1},
                                           StyleFindCase{0, kHidden | kGroup, -1, 3},
                                           StyleFindCase{0, 0, 2, 3}, StyleFindCase{kSelected, 0, -1, -1}));

TEST(TabGroupRange, RunsFromTheGroupStartToBeforeTheNextOne) {
  CExtTabWnd wnd;
  Fill(wnd, 6, {0, 0, kGroup, 0, 0, kGroup});
  const int cases[][3] = {{0, 0, 1}, {1, 0, 1}, {2, 2, 4}, {4, 2, 4}, {5, 5, 5}};
  for (const auto& c : cases) {
    int nFirst = -1, nLast = -1;
    Item *pFirst = NULL, *pLast = NULL;
    wnd.ItemGetGroupRange(c[0], nFirst, nLast, &pFirst, &pLast);
    EXPECT_EQ(c[1], nFirst) << c[0];
    EXPECT_EQ(c[2], nLast) << c[0];
    EXPECT_EQ(wnd.ItemGet(c[1]), pFirst);
    EXPECT_EQ(wnd.ItemGet(c[2]), pLast);
    EXPECT_EQ(pFirst, wnd.ItemGet(c[0])->GetInGroupFirst());
  }
}

struct MoveCase {
  int nFrom;
  int nTo;
  bool bMoved;
  std::vector<LPARAM> order;
  int nSelection;
};

class TabMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(TabMove, RemakesTheItemAtItsNewPlaceAndSelectsIt) {
  const MoveCase& c = GetParam();
  CExtTabWnd wnd;
  Fill(wnd, 4, {0, kHidden});
  wnd.ItemGet(2)->SetOwnText("moved");
  wnd.SelectItem(3, false);
  EXPECT_EQ(c.bMoved, wnd.ItemMove(c.nFrom, c.nTo));
  EXPECT_EQ(c.order, LParams(wnd));
  EXPECT_EQ(c.nSelection, wnd.SelectionGet());
  EXPECT_TRUE(ModelIsSound(wnd));
  if (c.bMoved)
    EXPECT_EQ((DWORD)(c.nFrom == 1 ? kHidden : 0), wnd.ItemGet(c.nTo)->GetItemStyle() & kHidden);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabMove,
    ::testing::Values(MoveCase{2, 0, true, {2, 0, 1, 3}, 0}, MoveCase{0, 2, true, {1, 2, 0, 3}, 2},
                      MoveCase{3, 1, true, {0, 3, 1, 2}, 1}, MoveCase{1, 3, true, {0, 2, 3, 1}, 3},
                      MoveCase{0, 0, false, {0, 1, 2, 3}, 3}, MoveCase{0, 4, false, {0, 1, 2, 3}, 3},
                      MoveCase{-1, 2, false, {0, 1, 2, 3}, 3}));

TEST(TabMove, KeepsTheTextAndARefusingOwnerStopsIt) {
  struct CRefusing : CExtTabWnd {
    bool OnTabWndItemMoveQuery(int, int) override { return false; }
  };
  CExtTabWnd wnd;
  Fill(wnd, 3);
  wnd.ItemGet(2)->SetOwnText("moved");
  ASSERT_TRUE(wnd.ItemMove(2, 0));
  EXPECT_STREQ("moved", wnd.ItemGet(0)->GetText());
  CRefusing refusing;
  Fill(refusing, 3);
  EXPECT_FALSE(refusing.ItemMove(2, 0));
  EXPECT_EQ((std::vector<LPARAM>{0, 1, 2}), LParams(refusing));
}

} // namespace
