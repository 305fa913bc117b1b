// Which items a menu shows and the room they take: the shared icon column, the least width,
// separators, hidden items and the expand row, palette rows and the row breaks of chevron palettes.
#include "tests/unit/toolkit/menus/layout_support.h"

#include <set>

namespace {

using namespace layout_support;

class ItemLayout : public LayoutTest {};

TEST_F(ItemLayout, OneIconColumnOfAtLeast22AndContentAtLeast80Wide) {
  const struct {
    int nIcon1, nIcon2, nColumn, cx, nContentWidth;
  } kRows[] = {{16, 16, 22, 30, 80}, {0, 30, 30, 100, 132}};
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    menu.AddCommand(row.cx, 22, row.nIcon1);
    menu.AddCommand(row.cx, 22, row.nIcon2);
    menu.AddPattern("S");
    menu.AddCommand(60, 22, 40).m_nDisplayFlags |= Item::DISPLAY_INLINE; // keeps its own column
    for (int nPass = 0; nPass < 2; nPass++) {                            // a second layout changes nothing
      menu.RecalcItemLayout();
      const int kColumns[] = {row.nColumn, row.nColumn, row.nColumn, 40};
      const int kWidths[] = {row.cx + row.nColumn - row.nIcon1, row.cx + row.nColumn - row.nIcon2, 0, 60};
      for (int i = 0; i < 4; i++) {
        EXPECT_EQ(kColumns[i], menu.GetItemAt(i).m_nIconAreaWidth) << i;
        EXPECT_EQ(kWidths[i], menu.GetItemAt(i).m_nWidth) << i;
      }
      EXPECT_EQ(row.nContentWidth, menu.m_nContentWidth); // the widest item and its margins
    }
  }
}

// 'H' is a submenu with nothing to show: hidden until every item shows.
struct ShowRow {
  const char *pszItems, *pszCollapsed, *pszAll;
};
class ShownItems : public ItemLayout, public ::testing::WithParamInterface<ShowRow> {};

TEST_P(ShownItems, SeparatorsNeverLeadTrailOrDoubleAndOnlyHiddenItemsCallForTheExpandRow) {
  const ShowRow& row = GetParam();
  for (int nMode = 0; nMode < 3; nMode++) { // collapsed; show-all track flag; expanded
    CLayoutMenu menu;
    menu.AddPattern(row.pszItems);
    menu.m_dwTrackFlags = nMode == 1 ? M::TPMX_SHOW_ALL : 0;
    menu.m_dwMenuState = nMode == 2 ? M::MENU_EXPANDED : 0;
    menu.RecalcItemLayout();
    const std::string sShown = nMode == 0 ? row.pszCollapsed : row.pszAll;
    EXPECT_EQ(sShown, menu.ShownPattern()) << row.pszItems << " mode " << nMode;
    EXPECT_EQ(nMode == 0 && std::string(row.pszItems).find('H') != std::string::npos,
              (menu.m_dwMenuState & M::MENU_EXPAND_ROW) != 0)
        << row.pszItems << " mode " << nMode;
    int nHeight = 0; // with the bottom margins
    for (int i = 0; i < menu.GetItemCount(); i++)
      nHeight += sShown[i] == '1' ? menu.GetItemAt(i).m_nHeight + 1 : 0;
    EXPECT_EQ(nHeight, menu.m_nContentHeight) << row.pszItems << " mode " << nMode;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ShownItems,
                         ::testing::Values(ShowRow{"SCSSCS", "011010", "011010"},
                                           ShowRow{"SSC", "001", "001"}, ShowRow{"CSHSC", "11001", "11111"},
                                           ShowRow{"CSH", "100", "111"}, ShowRow{"HH", "00", "11"},
                                           ShowRow{"HSP", "001", "111"}));

TEST_F(ItemLayout, PaletteCellsFlowInRowsEndedByBreaksAndSeparatorsInAtLeast20By10) {
  CLayoutMenu menu;
  menu.m_dwTrackFlags = M::TPMX_PALETTE;
  menu.RecalcItemLayout();
  EXPECT_EQ(CSize(20, 10), CSize(menu.m_nContentWidth, menu.m_nContentHeight));
  menu.AddCommand(30, 20);
  menu.AddCommand(30, 24).m_nDisplayFlags |= Item::DISPLAY_NEW_COLUMN;
  menu.AddCommand(30, 20);
  menu.AddPattern("S");
  menu.AddCommand(40, 20);
  menu.RecalcItemLayout();
  const int b = menu.GetBorderSize(), nSep = g_PaintManagerHolder->GetMenuItemSpacing() + 3, x = b + 2,
            y = b + 2;
  EXPECT_EQ(CSize(64 + 2 * b + 3, 24 + 20 + nSep + 20 + 3),
            CSize(menu.m_nContentWidth, menu.m_nContentHeight));
  const CRect kCells[] = {{x, y, x + 30, y + 20},
                          {x + 32, y, x + 62, y + 24},
                          {x, y + 24, x + 30, y + 44},
                          {b, y + 44, b + menu.m_nContentWidth, y + 44 + nSep},
                          {x, y + 44 + nSep, x + 40, y + 64 + nSep}};
  const bool kBreaks[] = {false, true, true, false, false};
  for (int i = 0; i < 5; i++) {
    CRect rc;
    menu.GetItemRect(i, rc, true);
    EXPECT_EQ(kCells[i], rc) << i;
    EXPECT_EQ(kBreaks[i], menu.IsRowBreakAfter(i)) << i;
    EXPECT_TRUE(menu.GetItemAt(i).IsDisplayed() &&
                (menu.GetItemAt(i).m_nDisplayFlags & Item::DISPLAY_INLINE));
  }
  EXPECT_FALSE(menu.IsRowBreakAfter(-1) || menu.IsRowBreakAfter(5));
}

TEST_F(ItemLayout, RowBreaksCutRowsOfAQuarterOfTheWholeButNotBelow150) {
  // Widths without the 6 the rule adds; 0 is a separator.
  const struct {
    std::vector<int> widths;
    int nFirst, nLast;
    std::set<int> breaks;
  } kRows[] = {
      {std::vector<int>(4, 24), 0, -1, {}},                      // 120 in all: one row
      {std::vector<int>(12, 24), 0, -1, {4, 9}},                 // rows of 150
      {std::vector<int>(40, 24), 0, -1, {9, 19, 29}},            // 1200 in all: rows of 300
      {{44, 44, 45, 94, 94, 94, 94, 49}, 0, -1, {3, 5}},         // 606 in all: MulDiv's 152, not 151
      {{24, 24, 24, 24, 0, 24, 24, 24, 24, 24, 24}, 0, -1, {9}}, // a separator starts afresh
      {std::vector<int>(14, 24), 2, 11, {0, 6, 13}},             // outside the range nothing changes
  };
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    for (int w : row.widths)
      menu.AddCommand(w, 20).m_nCmdId = w != 0 ? 1 : 0;
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
