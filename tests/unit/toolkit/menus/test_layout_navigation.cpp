// What lies under a point of a menu (scroll buttons, expand row, tear-off bar, items and their edit
// parts), scrolling a menu taller than the screen, and the item each navigation code moves to.
#include "tests/unit/toolkit/menus/layout_support.h"

namespace {

using namespace layout_support;

class HitAndScroll : public LayoutTest {
protected:
  // Commands of 23 pixels with margins, a hidden submenu for the expand row and the tear-off bar,
  // at (200, 100): taller than the screen, so the window is (200, 0, 308, 1024) and it scrolls.
  void Build(CLayoutMenu& menu, int nCommands, DWORD dwFlags = 0) {
    menu.m_dwTrackFlags = M::TPMX_TEAROFF | dwFlags;
    for (int i = 0; i < nCommands; i++)
      menu.AddCommand();
    menu.AddPattern("H");
    menu.RecalcItemLayout();
    menu.SetTrackPoint(200, 100);
    ASSERT_EQ(CRect(200, 0, 308, 1024), menu.CalcWindowPlacement());
  }
  static void ScrollTo(CLayoutMenu& menu, int nOffset) {
    menu.m_nScrollOffset = nOffset;
    menu.RecalcLayoutRects();
  }
};

TEST_F(HitAndScroll, EachPartAnswersItsCodeWhileItIsActive) {
  enum { UNDER = 100 }; // the item under the point, rows of 23 from the items' top
  const int e = g_PaintManagerHolder->GetMenuExpandButtonHeight(), y0 = 1 + 8; // border, tear-off bar
  const struct {
    DWORD dwFlags;
    int nOffset; // 1: the least
    CPoint pt;
    int nExpected;
  } kRows[] = {
      {0, 0, {50, 17}, UNDER}, // the up button does nothing at the top
      {0, -10, {50, 17}, M::HIT_SCROLL_UP},
      {0, 0, {50, 1011 - e}, M::HIT_SCROLL_DOWN},
      {0, 1, {50, 1011 - e}, UNDER}, // nor the down button at the bottom
      {0, 0, {50, 1019 - e / 2}, M::HIT_EXPAND_ROW},
      {0, 0, {50, 5}, M::HIT_TEAROFF},
      {M::TPMX_DISPLAY_ONLY, 0, {50, 5}, M::HIT_NOTHING},
      {M::TPMX_HELP_MODE, 0, {50, 5}, M::HIT_NOTHING},
      {0, 0, {50, y0 + 235}, 10},
      {0, -10, {50, y0 + 235}, UNDER},
      {0, 0, {0, 300}, M::HIT_NOTHING},   // the border
      {0, 0, {106, 300}, M::HIT_NOTHING}, // the shadow
  };
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    Build(menu, 60, row.dwFlags);
    ScrollTo(menu, row.nOffset == 1 ? menu.GetMinScrollOffset() : row.nOffset);
    const int nExpected =
        row.nExpected == UNDER ? (row.pt.y - y0 - menu.m_nScrollOffset) / 23 : row.nExpected;
    EXPECT_EQ(nExpected, menu.HitTest(row.pt))
        << row.pt.x << "," << row.pt.y << " at " << menu.m_nScrollOffset;
  }
}

TEST_F(HitAndScroll, TheEditPartOfAnItemAndItsDropDownAreTold) {
  CLayoutMenu menu;
  CString sValue;
  menu.m_dwTrackFlags = M::TPMX_SHOW_ALL; // the submenu shows though its child is empty
  menu.AddPattern("CCH");
  const int nThumb = ::GetSystemMetrics(SM_CXHTHUMB);
  for (int i : {1, 2}) {
    menu.GetItemAt(i).m_pInplaceValue = &sValue;
    menu.GetItemAt(i).m_nInplaceEditWidth = 40 + 10 * i;
  }
  menu.RecalcItemLayout();
  for (int i : {1, 2}) {
    CRect rc;
    menu.GetItemRect(i, rc, true);
    const CRect rcEdit = menu.CalcEditRect(rc, menu.GetItemAt(i));
    EXPECT_EQ(
        CRect(rc.right - 1 - (40 + 10 * i), rc.top + 2, rc.right - 1 - (i == 2 ? nThumb : 0), rc.bottom - 2),
        rcEdit);
    const int y = rcEdit.CenterPoint().y;
    const struct {
      int x;
      bool bOnEdit, bOnDropDown;
    } kPoints[] = {{rcEdit.CenterPoint().x, true, false},
                   {rcEdit.left - 3, false, false},
                   {i == 2 ? rcEdit.right + nThumb / 2 : rcEdit.left - 3, false, i == 2}};
    for (const auto& p : kPoints) {
      bool bOnEdit = !p.bOnEdit, bOnDropDown = !p.bOnDropDown;
      EXPECT_EQ(i, menu.HitTest(CPoint(p.x, y), &bOnEdit, &bOnDropDown));
      EXPECT_EQ(std::make_pair(p.bOnEdit, p.bOnDropDown), std::make_pair(bOnEdit, bOnDropDown))
          << i << " " << p.x;
    }
  }
}

TEST_F(HitAndScroll, ScrollingStopsExactlyAtTheTopAndAtTheLeastOffset) {
  for (int nCommands : {60, 61, 62}) {
    CLayoutMenu menu;
    Build(menu, nCommands);
    ASSERT_TRUE(menu.CreateWindowOverPlacement());
    const int nMin = menu.GetMinScrollOffset(); // content - (1020 - 2) + expand row + tear-off bar
    EXPECT_EQ(23 * nCommands - 1018 + g_PaintManagerHolder->GetMenuExpandButtonHeight() + 8, -nMin);
    EXPECT_FALSE(menu.StartScrolling(M::HIT_SCROLL_UP) || menu.StartScrolling(M::HIT_EXPAND_ROW));
    for (int nButton : {M::HIT_SCROLL_DOWN, M::HIT_SCROLL_UP}) {
      const CPoint pt = (nButton == M::HIT_SCROLL_UP ? menu.m_rcScrollUp : menu.m_rcScrollDown).CenterPoint();
      ASSERT_TRUE(menu.StartScrolling(nButton));
      EXPECT_EQ(nButton, menu.GetCurrentItemIndex());
      const int nStart = menu.m_nScrollOffset;
      CRect rcBefore, rcAfter;
      menu.GetItemRect(20, rcBefore);
      ASSERT_TRUE(menu.ScrollStep(pt));
      EXPECT_EQ(nStart + (nButton == M::HIT_SCROLL_UP ? 5 : -5), menu.m_nScrollOffset);
      for (int nTicks = 0; menu.ScrollStep(pt) && nTicks < 1000; nTicks++) {
      }
      menu.GetItemRect(20, rcAfter);
      EXPECT_EQ(menu.m_nScrollOffset - nStart, rcAfter.top - rcBefore.top); // the items follow
      EXPECT_EQ(nButton == M::HIT_SCROLL_UP ? 0 : nMin, menu.m_nScrollOffset) << nCommands;
      EXPECT_FALSE(::KillTimer(menu.m_hWnd, M::ID_TIMER_SCROLL)); // it stopped by itself
      EXPECT_FALSE(menu.StartScrolling(nButton));
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
    menu.AddCommand(30, 20).m_nDisplayFlags |=
        i == 2 || i == 4 ? Item::DISPLAY_NEW_COLUMN : 0; // 0-2, 3-4, 5-7
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
