// The colour popup: the standard tables, the grid and the arrow keys' moves, when it opens from an
// item, and on the screen its cells, hit test, initial cell, notifications and swatches per theme.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "tests/unit/toolkit/menus/popup_base_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace {

typedef CExtPopupColorMenuWnd C;
using menu_paint::ReceivedMessage;

class ColorMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_receiver.CreateReceiver());
    ASSERT_TRUE(m_menu.InitTopLevel(m_receiver.GetSafeHwnd()));
  }
  void TearDown() override {
    m_menu.ResetAndHide(false);
    g_PaintManagerHolder.InstallTheme(NULL);
  }
  bool Show(BYTE nButtons = C::BUTTON_DEFAULT | C::BUTTON_CUSTOM, DWORD dwTrackFlags = 0) {
    m_menu.ResetAndHide(false);
    m_menu.m_nButtonFlags = nButtons;
    return menu_paint::ShowAt(m_menu, &m_receiver, CPoint(300, 200), dwTrackFlags,
                              CExtPopupBaseWnd::ANIM_NONE);
  }
  // The centre of a cell or button; INDEX_NONE: the gap right of cell 0.
  CPoint PointOf(int nIndex) const {
    const CRect rc = nIndex == C::INDEX_DEFAULT_BUTTON  ? m_menu.m_rcDefaultButton
                     : nIndex == C::INDEX_CUSTOM_BUTTON ? m_menu.m_rcCustomButton
                                                        : m_menu.GetCellRect(std::max(nIndex, 0));
    return nIndex == C::INDEX_NONE ? CPoint(rc.right + 1, rc.top) : rc.CenterPoint();
  }
  // The colour notifications logged; with bDrain, once a marker posted now has come back.
  std::vector<ReceivedMessage> Notifications(bool bDrain) {
    static const UINT nMarker = ::RegisterWindowMessageA("color menu test marker");
    if (bDrain) {
      m_receiver.PostMessage(nMarker, 0, 0);
      EXPECT_TRUE(menu_paint::WaitUntil([&] { return m_receiver.Count(nMarker) > 0; }));
    }
    std::vector<ReceivedMessage> got;
    std::copy_if(m_receiver.m_log.begin(), m_receiver.m_log.end(), std::back_inserter(got), [](auto& m) {
      return m.nMsg == C::g_nMsgNotifyColorChanged || m.nMsg == C::g_nMsgNotifyColorChangedFinally ||
             m.nMsg == C::g_nMsgNotifyCustColor;
    });
    return got;
  }

  menu_paint::CMenuReceiver m_receiver;
  C m_menu;
};

TEST_F(ColorMenuTest, CellsAndButtonsLieInTheirPlacesAndAreHit) {
  const BYTE D = C::BUTTON_DEFAULT, X = C::BUTTON_CUSTOM;
  const struct {
    BYTE nButtons;
    DWORD dwFlags;
  } kRows[] = {{0, 0}, {D, 0}, {X, 0}, {D | X, 0}, {D | X, C::TPMX_TEAROFF}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(::testing::Message() << "buttons " << (int)row.nButtons << " flags " << row.dwFlags);
    ASSERT_TRUE(Show(row.nButtons, row.dwFlags));
    const CRect rcBody = m_menu.GetBodyRect();
    const int b = m_menu.GetBorderSize(), s = g_PaintManagerHolder->GetMenuItemSpacing();
    const int h = m_menu.GetShadowSize(), t = row.dwFlags != 0 ? m_menu.GetTearOffBarHeight() : 0;
    const int nDefault = m_menu.m_rcDefaultButton.Height(), nCustom = m_menu.m_rcCustomButton.Height();
    EXPECT_EQ((row.nButtons & D) != 0, nDefault >= 22);
    EXPECT_EQ((row.nButtons & X) != 0, nCustom >= 22);
    const int nTop = rcBody.top + b + t + ((row.nButtons & D) ? s + nDefault + 6 : 0);
    for (int i : {0, 7, 8, 39}) {
      const CRect rcCell(CPoint(rcBody.left + b + 2 + 20 * (i % 8), nTop + 2 + 20 * (i / 8)), CSize(16, 16));
      EXPECT_EQ(rcCell, m_menu.GetCellRect(i)) << i;
      EXPECT_EQ(i, m_menu.HitTestColor(PointOf(i)));
    }
    EXPECT_EQ(C::INDEX_NONE, m_menu.HitTestColor(PointOf(C::INDEX_NONE)));
    EXPECT_EQ(C::INDEX_NONE, m_menu.HitTestColor(rcBody.TopLeft()));
    for (int nButton : {C::INDEX_DEFAULT_BUTTON, C::INDEX_CUSTOM_BUTTON})
      if (row.nButtons & (nButton == C::INDEX_DEFAULT_BUTTON ? D : X))
        EXPECT_EQ(nButton, m_menu.HitTestColor(PointOf(nButton)));
    // The texts are narrower than the grid, which gives the width.
    const int H = 100 + 2 * b + h + ((row.nButtons & D) ? s + 6 + nDefault : 0) +
                  ((row.nButtons & X) ? s + 7 + nCustom : 0);
    CRect rcWindow;
    m_menu.GetWindowRect(rcWindow);
    EXPECT_EQ(CSize(160 + 2 * b + h, H + t), rcWindow.Size());
  }
  // A text wider than the grid widens the menu, and both buttons with it.
  m_menu.m_sBtnTextCustom = "A custom colour button with a text far wider than the grid";
  const CSize sizeWide = m_menu.LayoutCells();
  const int nButtonWidth = sizeWide.cx - 2 * (m_menu.GetBorderSize() + 3) - m_menu.GetShadowSize();
  EXPECT_GT(nButtonWidth, 160);
  EXPECT_EQ(nButtonWidth, m_menu.m_rcCustomButton.Width());
  EXPECT_EQ(nButtonWidth, m_menu.m_rcDefaultButton.Width());
}

TEST_F(ColorMenuTest, TheInitialColoursFirstCellIsSelectedEachTimeItShows) {
  m_menu.m_colors.push_back(std::make_unique<C::COLORREF_TABLE_ENTRY>(RGB(255, 0, 0), "Red again"));
  const std::pair<COLORREF, int> kRows[] = {
      {RGB(255, 0, 0), 16}, {RGB(1, 2, 3), C::INDEX_NONE}, {0, 0}, {(COLORREF)-1, C::INDEX_NONE}};
  for (const auto& [clr, nSelected] : kRows) {
    m_menu.m_clrInitial = clr;
    ASSERT_TRUE(Show());
    EXPECT_EQ(nSelected, m_menu.m_nSelectedIndex) << std::hex << clr;
  }
}

TEST_F(ColorMenuTest, AnArrowKeyIsHandledOnlyWhenItMovesTheHotCell) {
  m_menu.m_colors.resize(5); // one row of five
  ASSERT_TRUE(Show(0));
  const int X = C::INDEX_CUSTOM_BUTTON; // from, key, handled, to:
  const int kRows[][4] = {{2, VK_UP, 0, 2},   {2, VK_DOWN, 0, 2}, {2, VK_RIGHT, 1, 3},
                          {0, VK_LEFT, 1, 4}, {X, VK_DOWN, 1, 0}, {2, VK_HOME, 0, 2}};
  for (const auto& row : kRows) {
    m_menu.m_nHotIndex = row[0];
    bool bNoEat = false;
    EXPECT_EQ(row[2] != 0, m_menu.HandleKeyboard(row[1], 1, 0, bNoEat)) << row[1] << " from " << row[0];
    EXPECT_EQ(row[3], m_menu.m_nHotIndex) << row[1] << " from " << row[0];
  }
  EXPECT_EQ(3u, Notifications(true).size()) << "a preview for each move";
}

// A colour submenu posts to the receiver of its chain; Escape hands the keys back to its item.
TEST_F(ColorMenuTest, ASubmenuNotifiesTheReceiverAboveAndEscapeReturnsToItsItem) {
  CExtPopupMenuWnd parent;
  ASSERT_TRUE(parent.InitTopLevel(m_receiver.GetSafeHwnd()));
  ASSERT_TRUE(parent.InsertItem(0) && parent.InsertPopupMenu(new C, -1, "Colour"));
  ASSERT_TRUE(menu_paint::ShowAt(parent, &m_receiver, CPoint(100, 100), 0, CExtPopupBaseWnd::ANIM_NONE));
  parent.SetCurrentItem(1);
  C& submenu = *static_cast<C*>(parent.ItemGetPopup(1));
  ASSERT_TRUE(menu_paint::ShowAt(submenu, &m_receiver, CPoint(300, 100), 0, CExtPopupBaseWnd::ANIM_NONE));
  submenu.SetHoverMenu();
  submenu.m_nHotIndex = 12;
  bool bNoEat = false;
  EXPECT_TRUE(submenu.HandleKeyboard(VK_RIGHT, 1, 0, bNoEat) &&
              submenu.HandleKeyboard(VK_ESCAPE, 1, 0, bNoEat));
  EXPECT_EQ(&parent, C::GetTrackSite().m_pHoverMenu);
  EXPECT_EQ(1, parent.GetCurrentItemIndex());
  const auto got = Notifications(true);
  ASSERT_EQ(1u, got.size());
  EXPECT_EQ(RGB(0, 0, 255), (COLORREF)got[0].wParam);
  C::GetTrackSite().m_pHoverMenu = NULL;
}

struct NotifyCase {
  const char* name;
  DWORD dwFlags;
  std::vector<std::pair<char, int>> steps;    // 'M' move to, 'U' release on (a cell or button), 'K' key
  std::vector<std::pair<char, COLORREF>> got; // 'C' changed, 'F' finally, 'X' custom, with wParam
  COLORREF clrResult;                         // kUntouched when nothing is written
  bool bStaysOpen;
};
const COLORREF kUntouched = 0xABCDEF, kDefault = RGB(1, 2, 3), kRed = RGB(255, 0, 0),
               kOrange = RGB(255, 104, 32);

class ColorMenuNotify : public ColorMenuTest, public ::testing::WithParamInterface<NotifyCase> {};

TEST_P(ColorMenuNotify, PostsTheColourAndTheCookieAndSoundsOnceForAChoice) {
  const NotifyCase& row = GetParam();
  COLORREF clrResult = kUntouched;
  m_menu.m_pClrResult = &clrResult;
  m_menu.m_clrDefault = kDefault;
  m_menu.m_lParamCookie = 0x1234;
  ASSERT_TRUE(Show(C::BUTTON_DEFAULT | C::BUTTON_CUSTOM, row.dwFlags));
  popup_base_test::CSoundRecorder sounds;
  for (const auto& [chKind, nValue] : row.steps) {
    bool bNoEat = false;
    const CPoint pt = PointOf(nValue);
    if (chKind == 'M')
      EXPECT_TRUE(m_menu.HandleMouseMove(0, pt.x, pt.y, bNoEat));
    else if (chKind == 'U')
      EXPECT_TRUE(m_menu.HandleMouseClick(WM_LBUTTONUP, pt.x, pt.y, bNoEat));
    else
      m_menu.HandleKeyboard(nValue, 1, 0, bNoEat);
  }
  EXPECT_TRUE(Notifications(false).empty()) << "posted, never sent";
  const auto got = Notifications(true);
  ASSERT_EQ(row.got.size(), got.size());
  for (size_t i = 0; i < got.size(); ++i) {
    const UINT kMsgs[] = {C::g_nMsgNotifyColorChanged, C::g_nMsgNotifyColorChangedFinally,
                          C::g_nMsgNotifyCustColor};
    EXPECT_EQ(kMsgs[std::string("CFX").find(row.got[i].first)], got[i].nMsg) << i;
    EXPECT_EQ(row.got[i].second, (COLORREF)got[i].wParam) << i;
    EXPECT_EQ(0x1234, got[i].lParam) << i;
  }
  EXPECT_EQ(row.clrResult, clrResult);
  EXPECT_EQ(row.bStaysOpen, m_menu.IsWindowVisible() != FALSE);
  const bool bChosen = std::any_of(row.got.begin(), row.got.end(), [](auto& g) { return g.first != 'C'; });
  EXPECT_EQ(bChosen ? 1u : 0u, sounds.Sounds().size());
}

const int kGap = C::INDEX_NONE, kDefaultButton = C::INDEX_DEFAULT_BUTTON,
          kCustomButton = C::INDEX_CUSTOM_BUTTON;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ColorMenuNotify, ::testing::Values(
    NotifyCase{"HoverCell", 0, {{'M', 16}}, {{'C', kRed}}, kUntouched, true},
    NotifyCase{"HoverDefault", 0, {{'M', kDefaultButton}}, {{'C', kDefault}}, kUntouched, true},
    NotifyCase{"HoverCustom", 0, {{'M', kCustomButton}}, {}, kUntouched, true},
    NotifyCase{"CellThenGap", 0, {{'M', 16}, {'M', kGap}}, {{'C', kRed}}, kUntouched, true},
    NotifyCase{"ReleaseOnCell", 0, {{'M', 9}, {'U', 9}}, {{'C', kOrange}, {'F', kOrange}}, kOrange, false},
    NotifyCase{"ReleaseOnDefault", 0, {{'U', kDefaultButton}}, {{'F', kDefault}}, kDefault, false},
    NotifyCase{"ReleaseOnCustom", 0, {{'U', kCustomButton}}, {{'X', 0}}, (COLORREF)-2, false},
    NotifyCase{"ReleaseOnGap", 0, {{'U', kGap}}, {}, kUntouched, false},
    NotifyCase{"ReleaseDisplayOnly", C::TPMX_DISPLAY_ONLY, {{'U', 9}}, {}, kUntouched, false},
    NotifyCase{"ArrowThenEnter", 0, {{'K', VK_RIGHT}, {'K', VK_RETURN}}, {{'C', 0}, {'F', 0}}, 0, false},
    NotifyCase{"EnterWithNothingHot", 0, {{'K', VK_RETURN}}, {}, kUntouched, false},
    NotifyCase{"Escape", 0, {{'M', 16}, {'K', VK_ESCAPE}}, {{'C', kRed}}, kUntouched, false}),
  menu_paint::CaseName());
// clang-format on

TEST_F(ColorMenuTest, SwatchesShowTheirColoursInEveryTheme) {
  const std::pair<CRuntimeClass*, const char*> kThemes[] = {
      {RUNTIME_CLASS(CExtPaintManager), "classic"},
      {RUNTIME_CLASS(CExtPaintManagerXP), "xp"},
      {RUNTIME_CLASS(CExtPaintManagerOffice2003), "office2003"}};
  for (const auto& [pTheme, pszName] : kThemes) {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(pTheme));
    m_menu.m_clrInitial = RGB(255, 0, 0);
    m_menu.m_nHotIndex = 5; // marked cells too
    ASSERT_TRUE(Show());
    CRect rcWindow;
    m_menu.GetWindowRect(rcWindow);
    auto shows = [&](const pixel_support::Pixels& px) {
      for (int i = 0; i < m_menu.GetColorCount(); ++i)
        if (px.At(PointOf(i).x, PointOf(i).y) != m_menu.GetColorAt(i))
          return false;
      return true;
    };
    EXPECT_TRUE(menu_paint::WaitUntil([&] { return shows(pixel_support::ReadWindow(NULL, rcWindow)); }))
        << pszName;
    pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcWindow),
                           (std::string("color_menu_") + pszName + ".bmp").c_str());
  }
}

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
