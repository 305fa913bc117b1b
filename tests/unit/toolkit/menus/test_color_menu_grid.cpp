// The colour popup without a window: the standard tables, what a new menu holds, the grid's size,
// and the moves of the arrow keys over full and short grids.
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace {

typedef CExtPopupColorMenuWnd C;

// n colours (their indices as colours) in c columns.
void Fill(C& menu, int n, int c) {
  menu.RemoveAllColors();
  for (int i = 0; i < n; ++i)
    menu.m_colors.push_back(std::make_unique<C::COLORREF_TABLE_ENTRY>(i, "c"));
  menu.SetColumnCount(c);
}

TEST(ColorMenuGrid, TheStandardTablesANewMenuAndGridSizes) {
  ASSERT_EQ(40u, C::g_StdColors40.size());
  ASSERT_EQ(16u, C::g_StdColors16.size());
  EXPECT_STREQ("Pale green ", C::g_StdColors40[35].GetName());
  EXPECT_EQ(RGB(0, 0, 94), C::g_StdColors16[7].m_clr);
  C menu;
  EXPECT_STREQ("Default Color", menu.m_sBtnTextDefault);
  EXPECT_STREQ("Custom Color ...", menu.m_sBtnTextCustom);
  ASSERT_EQ(40, menu.GetColorCount());
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(C::g_StdColors40[i].m_clr, menu.GetColorAt(i)) << i;
  for (int nIndex : {-1, 40})
    EXPECT_TRUE(!menu.GetColorEntry(nIndex) && !menu.GetColorAt(nIndex) &&
                menu.GetColorNameAt(nIndex).IsEmpty());
  const std::tuple<int, int, CSize> kGrids[] = {{40, 8, {8, 5}}, {42, 8, {8, 6}}, {5, 8, {5, 1}},
                                                {8, 8, {8, 1}},  {0, 8, {8, 0}},  {3, 1, {1, 3}}};
  for (const auto& [n, c, size] : kGrids) {
    Fill(menu, n, c);
    EXPECT_EQ(size, menu.GetGridSize()) << n << " in " << c;
  }
}

TEST(ColorMenuGrid, ArrowKeysWalkTheGridAndWrapAroundShortRows) {
  const int L = VK_LEFT, R = VK_RIGHT, U = VK_UP, D = VK_DOWN, N = C::INDEX_NONE;
  const int DB = C::INDEX_DEFAULT_BUTTON, CB = C::INDEX_CUSTOM_BUTTON;
  const struct {
    int n, c;
    std::vector<std::array<int, 3>> moves; // from, key, to
  } kGrids[] = {
      // From each corner and across the edges; nothing or a button hot starts at the first cell.
      {40, 8, {{0, L, 7},   {0, R, 1},   {0, U, 32},  {0, D, 8},   {7, L, 6},   {7, R, 0},
               {7, U, 39},  {7, D, 15},  {32, L, 39}, {32, R, 33}, {32, U, 24}, {32, D, 0},
               {39, L, 38}, {39, R, 32}, {39, U, 31}, {39, D, 7},  {8, L, 15},  {3, U, 35},
               {35, D, 3},  {N, D, 0},   {DB, U, 0},  {CB, L, 0},  {40, R, 0},  {12, VK_HOME, 12}}},
      // A short last row of two.
      {42, 8, {{5, U, 37}, {37, D, 5}, {33, D, 41}, {41, R, 40}, {40, L, 41}, {41, U, 33}, {1, U, 41}}},
      // One row, one column, no cell.
      {5, 8, {{2, U, 2}, {2, D, 2}, {4, R, 0}, {0, L, 4}}},
      {3, 1, {{1, L, 1}, {1, R, 1}, {0, U, 2}, {2, D, 0}}},
      {0, 8, {{N, R, N}, {0, D, N}}}};
  // The buttons take no part in the moves.
  for (BYTE nButtons : {0, C::BUTTON_DEFAULT | C::BUTTON_CUSTOM})
    for (const auto& grid : kGrids) {
      C menu;
      menu.m_nButtonFlags = nButtons;
      Fill(menu, grid.n, grid.c);
      for (const auto& [nFrom, nKey, nTo] : grid.moves)
        EXPECT_EQ(nTo, menu.GetNextCellIndex(nFrom, nKey))
            << grid.n << " in " << grid.c << ", key " << nKey << " from " << nFrom;
    }
}

TEST(ColorMenuGrid, OpensFromAnItemUnlessHelpOrDisplayOnlyIsInForceHereOrAbove) {
  const DWORD H = C::TPMX_HELP_MODE, D = C::TPMX_DISPLAY_ONLY, T = C::TPMX_TEAROFF;
  const std::tuple<DWORD, DWORD, bool> kRows[] = {{0, 0, 1}, {H, 0, 0}, {D, 0, 0},
                                                  {T, 0, 1}, {0, H, 0}, {0, D, 0}};
  for (const auto& [dwOwn, dwAbove, bOpens] : kRows) {
    CExtPopupMenuWnd parent;
    C menu;
    parent.SetTrackFlags(dwAbove);
    menu.SetTrackFlags(dwOwn);
    menu.m_pParentMenu = &parent;
    EXPECT_EQ(bOpens, menu.CanOpenFromItem()) << std::hex << dwOwn << " " << dwAbove;
  }
}

} // namespace
