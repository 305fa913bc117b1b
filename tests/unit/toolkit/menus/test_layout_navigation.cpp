// What lies under a point of a menu (scroll buttons, expand row, tear-off bar, items and their edit
// parts), scrolling a menu taller than the screen, and the item each navigation code moves to.
#include "tests/unit/toolkit/menus/layout_support.h"

namespace {

using namespace layout_support;
typedef CExtPopupMenuWnd M;

class HitAndScroll : public LayoutTest {
protected:
  // Commands 100 by 22 (23 with margins) and a hidden submenu for the expand row, with the
  // tear-off bar, at (200, 100): taller than the screen, so it scrolls.
  void Build(CLayoutMenu& menu, int nCommands, DWORD dwFlags = 0) {
    menu.m_nShadow = 4;
    menu.m_dwTrackFlags = M::TPMX_TEAROFF | dwFlags;
    for (int i = 0; i < nCommands; i++)
      menu.AddCommand(100 + i, 100, 22, 22);
    menu.AddPattern("H");
    menu.RecalcItemLayout();
    menu.SetTrackPoint(200, 100);
    ASSERT_EQ(CRect(200, 0, 308, 1024), menu.CalcWindowPlacement());
    ASSERT_NE(0u, menu.m_dwMenuState & M::MENU_SCROLLING);
  }
  static void ScrollTo(CLayoutMenu& menu, int nOffset) {
    menu.m_nScrollOffset = nOffset;
    menu.RecalcLayoutRects();
  }
};

TEST_F(HitAndScroll, EachPartAnswersItsCodeWhileItIsActive) {
  enum { ITEM_UNDER = 100 }; // the item the items' top, the offset and 23-pixel rows give
  const int e = ExpandHeight(), nItemsTop = 1 + 8;
  const struct {
    DWORD dwFlags;
    bool bAtMin;
    int nOffset;
    CPoint pt;
    int nExpected;
  } kRows[] = {
      {0, false, 0, {50, 17}, ITEM_UNDER}, // the up button does nothing at the top
      {0, false, -10, {50, 17}, M::HIT_SCROLL_UP},
      {0, false, 0, {50, 1019 - e - 8}, M::HIT_SCROLL_DOWN},
      {0, true, 0, {50, 1019 - e - 8}, ITEM_UNDER}, // nor the down button at the bottom
      {0, false, 0, {50, 1019 - e / 2}, M::HIT_EXPAND_ROW},
      {0, false, 0, {50, 5}, M::HIT_TEAROFF},
      {M::TPMX_DISPLAY_ONLY, false, 0, {50, 5}, M::HIT_NOTHING},
      {M::TPMX_HELP_MODE, false, 0, {50, 5}, M::HIT_NOTHING},
      {0, false, 0, {50, nItemsTop + 230 + 5}, 10},
      {0, false, -10, {50, nItemsTop + 230 + 5}, ITEM_UNDER},
      {0, false, 0, {0, 300}, M::HIT_NOTHING},   // the border
      {0, false, 0, {106, 300}, M::HIT_NOTHING}, // the shadow
  };
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    Build(menu, 60, row.dwFlags);
    ScrollTo(menu, row.bAtMin ? menu.GetMinScrollOffset() : row.nOffset);
    const int nExpected =
        row.nExpected == ITEM_UNDER ? (row.pt.y - nItemsTop - menu.m_nScrollOffset) / 23 : row.nExpected;
    EXPECT_EQ(nExpected, menu.HitTest(row.pt))
        << row.pt.x << "," << row.pt.y << " at " << menu.m_nScrollOffset;
  }
}

TEST_F(HitAndScroll, TheEditPartOfAnItemAndItsDropDownAreTold) {
  CLayoutMenu menu;
  CString sValue;
  menu.m_dwTrackFlags = M::TPMX_SHOW_ALL; // the submenu shows though its child is empty
  menu.AddCommand(1, 150, 22, 22);
  Item& edit = menu.AddCommand(2, 150, 22, 22);
  edit.m_pInplaceValue = &sValue;
  edit.m_nInplaceEditWidth = 50;
  menu.AddSubmenu(150, 22);
  menu.GetItemAt(2).m_pInplaceValue = &sValue;
  menu.GetItemAt(2).m_nInplaceEditWidth = 60;
  menu.RecalcItemLayout();
  menu.SetTrackPoint(100, 100);
  menu.CalcWindowPlacement();
  const int nThumb = ::GetSystemMetrics(SM_CXHTHUMB);
  for (int i : {1, 2}) {
    CRect rcInner;
    menu.GetItemRect(i, rcInner, true);
    const int w = menu.GetItemAt(i).m_nInplaceEditWidth;
    const CRect rcEdit = menu.CalcEditRect(rcInner, menu.GetItemAt(i));
    EXPECT_EQ(CRect(rcInner.right - 1 - w, rcInner.top + 2, rcInner.right - 1 - (i == 2 ? nThumb : 0),
                    rcInner.bottom - 2),
              rcEdit);
    const struct {
      CPoint pt;
      bool bOnEdit, bOnDropDown;
    } kPoints[] = {{rcEdit.CenterPoint(), true, false},
                   {CPoint(rcInner.left + 5, rcEdit.CenterPoint().y), false, false},
                   {i == 2 ? CPoint(rcEdit.right + nThumb / 2, rcEdit.CenterPoint().y)
                           : CPoint(rcEdit.left - 3, rcEdit.CenterPoint().y),
                    false, i == 2}};
    for (const auto& p : kPoints) {
      bool bOnEdit = !p.bOnEdit, bOnDropDown = !p.bOnDropDown;
      EXPECT_EQ(i, menu.HitTest(p.pt, &bOnEdit, &bOnDropDown));
      EXPECT_EQ(p.bOnEdit, bOnEdit) << i << " at " << p.pt.x;
      EXPECT_EQ(p.bOnDropDown, bOnDropDown) << i << " at " << p.pt.x;
    }
  }
}

TEST_F(HitAndScroll, ScrollingStopsExactlyAtTheTopAndAtTheLeastOffset) {
  for (int nCommands : {60, 61, 62}) {
    CLayoutMenu menu;
    Build(menu, nCommands);
    ASSERT_TRUE(menu.CreateWindowOverPlacement());
    const int nMin = menu.GetMinScrollOffset();
    EXPECT_EQ(1380 + 23 * (nCommands - 60) - 1018 + ExpandHeight() + 8, -nMin);
    EXPECT_FALSE(menu.StartScrolling(M::HIT_SCROLL_UP)); // nothing above
    EXPECT_FALSE(menu.StartScrolling(M::HIT_EXPAND_ROW));
    const struct {
      int nButton, nBound;
      CRect rcButton;
    } kWays[] = {{M::HIT_SCROLL_DOWN, nMin, menu.m_rcScrollDown}, {M::HIT_SCROLL_UP, 0, menu.m_rcScrollUp}};
    for (const auto& way : kWays) {
      ASSERT_TRUE(menu.StartScrolling(way.nButton));
      EXPECT_EQ(way.nButton, menu.GetCurrentItemIndex());
      CRect rcBefore, rcAfter;
      menu.GetItemRect(20, rcBefore);
      int nTicks = 0;
      while (menu.ScrollStep(way.rcButton.CenterPoint()) && ++nTicks < 1000)
        if (nTicks == 1) {
          menu.GetItemRect(20, rcAfter);
          EXPECT_EQ(way.nButton == M::HIT_SCROLL_UP ? 5 : -5, rcAfter.top - rcBefore.top);
        }
      EXPECT_EQ(way.nBound, menu.m_nScrollOffset) << nCommands;
      EXPECT_FALSE(::KillTimer(menu.m_hWnd, M::ID_TIMER_SCROLL)); // it stopped by itself
      EXPECT_FALSE(menu.StartScrolling(way.nButton));
    }
    ScrollTo(menu, -20);
    EXPECT_FALSE(menu.ScrollStep(CPoint(50, 500))); // off the buttons nothing moves
    EXPECT_EQ(-20, menu.m_nScrollOffset);
  }
}

// ---------------------------------------------------------------------------------------------
// 'C' command, 'D' disabled command, 'S' separator, 'H' hidden submenu, 'P' shown submenu.

struct NavRow {
  const char* pszItems;
  bool bExpanded;
  int nCurrent, nCode, nExpected;
};
class Navigation : public LayoutTest, public ::testing::WithParamInterface<NavRow> {};

TEST_P(Navigation, CodeLeadsToItem) {
  const NavRow& row = GetParam();
  CLayoutMenu menu;
  menu.AddPattern(row.pszItems);
  menu.m_dwMenuState = row.bExpanded ? M::MENU_EXPANDED : 0;
  menu.RecalcItemLayout();
  menu.m_nCurIndex = row.nCurrent;
  EXPECT_EQ(row.nExpected, menu.FindNavigationTarget(row.nCode));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Navigation,
    ::testing::Values(
        // next and previous, wrapping round, past separators and disabled items
        NavRow{"CCC", false, 0, -102, 1}, NavRow{"CCC", false, 2, -102, 0}, NavRow{"CCC", false, 0, -103, 2},
        NavRow{"CCC", false, 1, -103, 0}, NavRow{"CSDC", false, 0, -102, 3},
        NavRow{"CSDC", false, 3, -103, 0}, NavRow{"CSDC", false, 3, -102, 0}, NavRow{"C", false, 0, -103, 0},
        NavRow{"C", false, 0, -102, 0},
        // the expand row: before wrapping forward, in place of nothing, and at once with nothing else
        NavRow{"CCH", false, 1, -102, -4}, NavRow{"CCH", false, 0, -103, 1},
        NavRow{"CCH", false, 0, -100, -4}, NavRow{"HH", false, -1, -101, -4},
        NavRow{"HH", false, 1, -102, -4}, NavRow{"CCH", true, 1, -102, 2}, NavRow{"DDH", false, -1, -101, -4},
        // without a current item: the first enabled command or submenu
        NavRow{"DC", false, -1, -101, 1}, NavRow{"SDP", false, -1, -102, 2},
        NavRow{"DD", false, -1, -101, -1}, NavRow{"CC", false, -3, -103, 0},
        // the rest
        NavRow{"CC", false, 0, -100, -1}, NavRow{"CC", false, 1, -101, 1}, NavRow{"CCC", false, 0, -104, 1},
        NavRow{"CCC", false, 0, -105, 2}, NavRow{"CCC", false, 1, -106, 1}, NavRow{"", false, -1, -101, -1}));

class PaletteNavigation : public LayoutTest {};

TEST_F(PaletteNavigation, RowCodesMoveToTheNearestCellOfTheNextRow) {
  CLayoutMenu menu;
  menu.m_dwTrackFlags = M::TPMX_PALETTE;
  for (int i = 0; i < 8; i++)
    menu.AddCommand(1 + i, 30, 20);
  // Rows 0-2, 3-4 and 5-7.
  menu.GetItemAt(2).m_nDisplayFlags |= Item::DISPLAY_NEW_COLUMN;
  menu.GetItemAt(4).m_nDisplayFlags |= Item::DISPLAY_NEW_COLUMN;
  menu.RecalcItemLayout();
  const struct {
    int nCurrent, nCode, nExpected;
  } kRows[] = {{1, -104, 4}, {4, -104, 6}, {6, -104, 1}, {1, -105, 6},
               {2, -104, 4}, {4, -105, 1}, {0, -102, 1}};
  for (const auto& row : kRows) {
    menu.m_nCurIndex = row.nCurrent;
    EXPECT_EQ(row.nExpected, menu.FindNavigationTarget(row.nCode)) << row.nCurrent << " " << row.nCode;
  }
  menu.GetItemAt(2).m_nDisplayFlags &= ~Item::DISPLAY_NEW_COLUMN;
  menu.GetItemAt(4).m_nDisplayFlags &= ~Item::DISPLAY_NEW_COLUMN;
  menu.m_nCurIndex = 1;
  EXPECT_EQ(1, menu.FindNavigationTarget(M::NAV_NEXT_ROW)); // one row: the cell stays
}

} // namespace
