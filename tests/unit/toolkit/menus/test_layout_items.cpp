// Which items a menu shows and the room they take: the shared icon column, the least width,
// separators, hidden items and the expand row, palette rows and the row breaks of chevron palettes.
#include "tests/unit/toolkit/menus/layout_support.h"

#include <set>

namespace {

using namespace layout_support;
typedef CExtPopupMenuWnd M;

class ItemLayout : public LayoutTest {};

TEST_F(ItemLayout, EveryItemSharesOneIconColumnOfAtLeast22) {
  const struct {
    std::vector<int> icons;
    int nColumn;
  } kRows[] = {{{16, 16}, 22}, {{0, 21}, 22}, {{16, 30, 20}, 30}};
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    for (int nIcon : row.icons)
      menu.AddCommand(1, 60, 22, nIcon);
    menu.AddSeparator();
    menu.AddCommand(2, 60, 22, 40).m_nDisplayFlags |= Item::DISPLAY_INLINE; // keeps its own column
    for (int nPass = 0; nPass < 2; nPass++) {                               // a second layout changes nothing
      menu.RecalcItemLayout();
      for (size_t i = 0; i < row.icons.size(); i++) {
        EXPECT_EQ(row.nColumn, menu.GetItemAt((int)i).m_nIconAreaWidth) << row.nColumn;
        EXPECT_EQ(60 + row.nColumn - row.icons[i], menu.GetItemAt((int)i).m_nWidth) << row.nColumn;
      }
      const int nSeparator = (int)row.icons.size();
      EXPECT_EQ(row.nColumn, menu.GetItemAt(nSeparator).m_nIconAreaWidth);
      EXPECT_EQ(0, menu.GetItemAt(nSeparator).m_nWidth);
      EXPECT_EQ(40, menu.GetItemAt(nSeparator + 1).m_nIconAreaWidth);
      EXPECT_EQ(60, menu.GetItemAt(nSeparator + 1).m_nWidth);
    }
  }
}

TEST_F(ItemLayout, ContentIsTheWidestItemWithMarginsAndAtLeast80Wide) {
  const struct {
    int cx, nLeft, nRight, nWidth;
  } kRows[] = {{30, -1, -1, 80}, {120, -1, -1, 122}, {100, 5, 7, 112}};
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    Item& item = menu.AddCommand(1, row.cx, 22, 22);
    item.m_nMarginLeft = row.nLeft;
    item.m_nMarginRight = row.nRight;
    menu.RecalcItemLayout();
    EXPECT_EQ(row.nWidth, menu.m_nContentWidth) << row.cx;
    EXPECT_EQ(22 + 1, menu.m_nContentHeight); // top margin 0, bottom 1
  }
}

// 'H' is a submenu with nothing to show: hidden until every item shows.
struct ShowRow {
  const char* pszItems;
  const char* pszCollapsed;
  const char* pszAll;
};
class ShownItems : public ItemLayout, public ::testing::WithParamInterface<ShowRow> {};

TEST_P(ShownItems, SeparatorsNeverLeadTrailOrDoubleAndHiddenItemsCallForTheExpandRow) {
  const ShowRow& row = GetParam();
  const bool bHidesItems = std::string(row.pszItems).find('H') != std::string::npos;
  enum { COLLAPSED, SHOW_ALL_FLAG, EXPANDED };
  for (int nMode : {COLLAPSED, SHOW_ALL_FLAG, EXPANDED}) {
    CLayoutMenu menu;
    menu.AddPattern(row.pszItems);
    menu.m_dwTrackFlags = nMode == SHOW_ALL_FLAG ? M::TPMX_SHOW_ALL : 0;
    menu.m_dwMenuState = nMode == EXPANDED ? M::MENU_EXPANDED : 0;
    menu.RecalcItemLayout();
    const std::string sExpected = nMode == COLLAPSED ? row.pszCollapsed : row.pszAll;
    EXPECT_EQ(sExpected, menu.ShownPattern()) << row.pszItems << " mode " << nMode;
    EXPECT_EQ(nMode == COLLAPSED && bHidesItems, (menu.m_dwMenuState & M::MENU_EXPAND_ROW) != 0)
        << row.pszItems << " mode " << nMode;
    int nHeight = 0;
    for (int i = 0; i < menu.GetItemCount(); i++)
      nHeight += sExpected[i] == '1' ? menu.GetItemAt(i).m_nHeight + 1 : 0;
    EXPECT_EQ(nHeight, menu.m_nContentHeight) << row.pszItems << " mode " << nMode;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ShownItems,
                         ::testing::Values(ShowRow{"SCSSCS", "011010", "011010"},
                                           ShowRow{"CSSSC", "11001", "11001"}, ShowRow{"SSC", "001", "001"},
                                           ShowRow{"S", "0", "0"}, ShowRow{"CSHSC", "11001", "11111"},
                                           ShowRow{"CSH", "100", "111"}, ShowRow{"HH", "00", "11"},
                                           ShowRow{"HSP", "001", "111"}));

TEST_F(ItemLayout, ALeadingSeparatorOfAMenuShowingEverythingNeitherShowsNorCallsForTheExpandRow) {
  CLayoutMenu menu;
  menu.AddPattern("SC");
  menu.m_dwTrackFlags = M::TPMX_SHOW_ALL;
  menu.RecalcItemLayout();
  EXPECT_EQ("01", menu.ShownPattern());
  EXPECT_EQ(0u, menu.m_dwMenuState & M::MENU_EXPAND_ROW);
}

TEST_F(ItemLayout, ASubmenuWithNothingToShowStaysWhenItsOwnOrPinned) {
  for (BYTE nState : {(BYTE)Item::STATE_OWN_DATA, (BYTE)0})
    for (BYTE nDisplay : {(BYTE)Item::DISPLAY_RARELY_USED_SHOWN, (BYTE)0}) {
      CLayoutMenu menu;
      menu.AddPattern("CH");
      menu.GetItemAt(1).m_nStateFlags |= nState;
      menu.GetItemAt(1).m_nDisplayFlags |= nDisplay;
      menu.RecalcItemLayout();
      EXPECT_EQ(nState != 0 || nDisplay != 0, menu.GetItemAt(1).IsDisplayed());
    }
}

// ---------------------------------------------------------------------------------------------

TEST_F(ItemLayout, PaletteCellsFlowInRowsEndedByBreaksAndSeparators) {
  for (bool bTearOff : {false, true}) {
    CLayoutMenu menu;
    menu.m_dwTrackFlags = M::TPMX_PALETTE | (bTearOff ? M::TPMX_TEAROFF : 0);
    menu.AddCommand(1, 30, 20);
    menu.AddCommand(2, 30, 24).m_nDisplayFlags |= Item::DISPLAY_NEW_COLUMN;
    menu.AddCommand(3, 30, 20);
    menu.AddSeparator();
    menu.AddCommand(4, 40, 20);
    menu.RecalcItemLayout();
    const int b = Border(), nSep = g_PaintManagerHolder->GetMenuItemSpacing() + 3;
    EXPECT_EQ(64 + 2 * b + 3, menu.m_nContentWidth); // the first row: two cells and their gaps
    EXPECT_EQ(24 + 20 + nSep + 20 + 3, menu.m_nContentHeight);
    const int x = b + 2, y = b + 2 + (bTearOff ? menu.GetTearOffBarHeight() : 0);
    const CRect kCells[] = {{x, y, x + 30, y + 20},
                            {x + 32, y, x + 62, y + 24},
                            {x, y + 24, x + 30, y + 44},
                            {b, y + 44, b + menu.m_nContentWidth, y + 44 + nSep},
                            {x, y + 44 + nSep, x + 40, y + 64 + nSep}};
    for (int i = 0; i < 5; i++) {
      CRect rc, rcInner;
      menu.GetItemRect(i, rc);
      menu.GetItemRectPalette(i, rcInner, true);
      EXPECT_EQ(kCells[i], rc) << i;
      EXPECT_EQ(rc, rcInner) << i;
      EXPECT_EQ(Item::DISPLAY_INLINE | Item::DISPLAY_SHOWN,
                menu.GetItemAt(i).m_nDisplayFlags & (Item::DISPLAY_INLINE | Item::DISPLAY_SHOWN));
    }
    const bool kBreaks[] = {false, true, true, false, false};
    for (int i = -1; i <= 5; i++)
      EXPECT_EQ(i >= 0 && i < 5 && kBreaks[i], menu.IsRowBreakAfter(i)) << i;
  }
}

TEST_F(ItemLayout, APaletteIsAtLeast20By10) {
  for (int nItems : {0, 1}) {
    CLayoutMenu menu;
    menu.m_dwTrackFlags = M::TPMX_PALETTE;
    if (nItems != 0)
      menu.AddCommand(1, 4, 4);
    menu.RecalcItemLayout();
    EXPECT_EQ(20, menu.m_nContentWidth);
    EXPECT_EQ(10, menu.m_nContentHeight);
  }
}

TEST_F(ItemLayout, RowBreaksCutRowsOfAQuarterOfTheWholeButNotBelow150) {
  // Widths (without the 6 the rule adds) 0 = separator; breaks after the listed items.
  const struct {
    std::vector<int> widths;
    int nFirst, nLast;
    std::set<int> breaks;
  } kRows[] = {
      {std::vector<int>(4, 24), 0, -1, {}},                      // 120 in all: one row
      {std::vector<int>(10, 24), 0, -1, {4}},                    // rows of 150
      {std::vector<int>(12, 24), 0, -1, {4, 9}},                 //
      {std::vector<int>(40, 24), 0, -1, {9, 19, 29}},            // 1200 in all: rows of 300
      {{44, 44, 45, 94, 94, 94, 94, 49}, 0, -1, {3, 5}},         // 606 in all: MulDiv makes 152, not 151
      {{24, 24, 24, 24, 0, 24, 24, 24, 24, 24, 24}, 0, -1, {9}}, // a separator starts afresh
      {std::vector<int>(14, 24), 2, 11, {0, 6, 13}},             // outside the range nothing changes
  };
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    for (int w : row.widths)
      if (w == 0)
        menu.AddSeparator();
      else
        menu.AddCommand(1, w, 20);
    menu.GetItemAt(0).m_nDisplayFlags |= Item::DISPLAY_NEW_COLUMN;
    menu.GetItemAt(menu.GetItemCount() - 1).m_nDisplayFlags |= Item::DISPLAY_NEW_COLUMN;
    menu.AssignRowBreaks(row.nFirst, row.nLast);
    std::set<int> breaks;
    for (int i = 0; i < menu.GetItemCount(); i++)
      if ((menu.GetItemAt(i).m_nDisplayFlags & Item::DISPLAY_NEW_COLUMN) != 0)
        breaks.insert(i);
    EXPECT_EQ(row.breaks, breaks) << row.widths.size() << " items from " << row.nFirst;
  }
}

} // namespace
