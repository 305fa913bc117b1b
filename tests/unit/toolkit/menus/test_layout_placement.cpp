// The menu window's size and place on the 1280x1024 screen: at a point, beside a rectangle, joined
// to its button on each of the four sides, submenus beside their item, the work area, the window
// region on the screen and the points over a menu chain.
#include "tests/unit/toolkit/menus/layout_support.h"

#include "tests/common/window_support.h"

namespace {

using namespace layout_support;

class Placement : public LayoutTest {
protected:
  // Items of 100 by 22: content 102 by 23 an item; five make a window of 108 by 122.
  static void Fill(CLayoutMenu& menu, int nItems = 5) {
    for (int i = 0; i < nItems; i++)
      menu.AddCommand();
    menu.RecalcItemLayout();
  }
};

TEST_F(Placement, MeasureCountsBordersShadowExpandRowAndOneOrTwoPixelsAndTheWindowTakesTheShadowOnce) {
  const int e = g_PaintManagerHolder->GetMenuExpandButtonHeight();
  const struct {
    CRuntimeClass* pTheme;
    int s;
    const char* pszItems;
    CSize size;
  } kRows[] = {{RUNTIME_CLASS(CExtPaintManagerXP), 0, "C", {104, 26}},
               {RUNTIME_CLASS(CExtPaintManagerXP), 4, "C", {108, 30}},
               {RUNTIME_CLASS(CExtPaintManager), 4, "C", {110, 32}}, // the classic border is 2
               {RUNTIME_CLASS(CExtPaintManagerXP), 4, "CH", {108, 30 + e}},
               {RUNTIME_CLASS(CExtPaintManagerXP), 4, "H", {86, std::max(e + 6, 18) + 2}}, // nothing shown
               {RUNTIME_CLASS(CExtPaintManagerXP), 20, "S", {102, 52}}};                   // at least 2s + 10
  for (const auto& row : kRows)
    for (bool bTearOff : {false, true}) {
      ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(row.pTheme));
      CLayoutMenu menu;
      menu.m_nShadow = row.s;
      menu.m_dwTrackFlags = bTearOff ? M::TPMX_TEAROFF : 0;
      menu.AddPattern(row.pszItems);
      menu.RecalcItemLayout();
      EXPECT_EQ(row.size, menu.MeasureMenu()) << row.pszItems << " shadow " << row.s;
      menu.SetTrackPoint(300, 300);
      const CSize sizeWindow = row.size + CSize(0, bTearOff ? menu.GetTearOffBarHeight() : 0);
      EXPECT_EQ(sizeWindow, menu.CalcWindowPlacement().Size()) << row.pszItems << " shadow " << row.s;
      EXPECT_EQ(CRect(CPoint(0, 0), sizeWindow - CSize(row.s, row.s)), menu.m_rcBody);
    }
}

TEST_F(Placement, TheMenuOpensFromItsAnchorMovesIntoTheScreenAndJoinsItsButtonOnOneSide) {
  const struct {
    CRect rcExclude; // empty: at the point (x, y) of its top-left corner
    int nAlign, nItems;
    bool bCombined;
    CRect rcBody; // on the screen
    int nSide;
    bool bAtAnchor; // neither moved nor flipped
  } kRows[] = {
      {{100, 100, 0, 0}, 0, 5, false, {100, 100, 204, 218}, 0, true},
      {{1279, 1023, 0, 0}, 0, 5, false, {1172, 902, 1276, 1020}, 0, false}, // moved in from a corner
      {{100, 300, 0, 0}, 0, 60, false, {100, 0, 204, 1020}, 0, false},      // taller than the screen
      {{500, 400, 560, 420}, 1, 5, false, {560, 400, 664, 518}, 0, true},
      {{500, 400, 560, 420}, 2, 5, false, {446, 400, 550, 518}, 0, true},
      {{500, 400, 560, 420}, 3, 5, false, {392, 400, 496, 518}, 0, true},
      {{500, 400, 560, 420}, 5, 5, false, {500, 339, 604, 457}, 0, true},
      {{500, 400, 560, 420}, 6, 5, false, {500, 278, 604, 396}, 0, true},
      {{100, 0, 150, 20}, 4, 5, true, {100, 19, 204, 137}, 1, true},         // below a button at the top
      {{100, 1004, 150, 1024}, 4, 5, true, {100, 887, 204, 1005}, 2, false}, // no room below: above
      {{500, 500, 550, 520}, 6, 5, true, {500, 383, 604, 501}, 2, true},
      {{0, 100, 20, 150}, 1, 5, true, {19, 100, 123, 218}, 4, true},
      {{1260, 100, 1280, 150}, 1, 5, true, {1157, 100, 1261, 218}, 3, false}, // no room right: left
      {{600, 100, 620, 150}, 3, 5, true, {497, 100, 601, 218}, 3, true},
      {{1200, 0, 1250, 20}, 4, 5, true, {1146, 19, 1250, 137}, 1, false}, // lined up with the button's right
      {{100, 100, 150, 120}, 0, 5, true, {100, 100, 204, 218}, 0, true},  // never touching: a plain menu
  };
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    Fill(menu, row.nItems);
    if (row.rcExclude.IsRectEmpty())
      menu.SetTrackPoint(row.rcExclude.left, row.rcExclude.top);
    else
      menu.SetExclude(row.rcExclude, row.nAlign, row.bCombined);
    SCOPED_TRACE(::testing::Message()
                 << row.rcExclude.left << "," << row.rcExclude.top << " align " << row.nAlign);
    if (row.bAtAnchor)
      EXPECT_EQ(row.rcBody.TopLeft(), menu.CalcAnchorPoint(row.nAlign, menu.MeasureMenu()));
    const CRect rcWindow = menu.CalcWindowPlacement();
    EXPECT_EQ(row.rcBody, menu.BodyOnScreen());
    EXPECT_EQ(row.nSide, menu.m_nCombineSide);
    EXPECT_EQ(row.nItems > 40, (menu.m_dwMenuState & M::MENU_SCROLLING) != 0);
    EXPECT_EQ(rcWindow, rcWindow & CRect(0, 0, 1280, 1024));
    EXPECT_EQ(row.nSide != 0,
              (menu.m_nFlags & M::POPUP_COMBINED_AREA) != 0 && menu.m_rgnWindow.GetSafeHandle());
    if (row.nSide != 0) {
      EXPECT_EQ(row.rcExclude - rcWindow.TopLeft(), menu.m_rcArea);
      EXPECT_TRUE(menu.m_rgnWindow.PtInRegion(menu.m_rcArea.CenterPoint()));
      EXPECT_TRUE(menu.m_rgnWindow.PtInRegion(menu.m_rcBody.CenterPoint()));
    }
  }
}

TEST_F(Placement, TheRegionShowsTheScreenBesideTheButtonAndTheWindowThereIsNotTheMenu) {
  CLayoutMenu menu;
  Fill(menu);
  menu.SetExclude(CRect(100, 0, 150, 20), 4, true);
  const CRect rcWindow = menu.CalcWindowPlacement();
  ASSERT_EQ(CRect(100, 0, 208, 141), rcWindow);
  const CPoint ptBeside(170, 8), ptButton(125, 10), ptBody(150, 80);
  {
    auto pBack = MakeStockWindow(CRect(90, 0, 260, 160), WHITE_BRUSH);
    auto pFront = MakeStockWindow(rcWindow, BLACK_BRUSH);
    CRgn rgn;
    ASSERT_TRUE(pBack && pFront && rgn.CreateRectRgn(0, 0, 0, 0) && rgn.CopyRgn(&menu.m_rgnWindow) != ERROR);
    ASSERT_NE(0, pFront->SetWindowRgn((HRGN)rgn.Detach(), TRUE));
    EXPECT_TRUE(WaitForScreenPixel(ptBeside, RGB(255, 255, 255)));
    EXPECT_TRUE(WaitForScreenPixel(ptButton, RGB(0, 0, 0)));
    EXPECT_TRUE(WaitForScreenPixel(ptBody, RGB(0, 0, 0)));
  }
  CRgn rgn;
  ASSERT_TRUE(menu.CreateWindowOverPlacement() && rgn.CreateRectRgn(0, 0, 0, 0) &&
              rgn.CopyRgn(&menu.m_rgnWindow) != ERROR && menu.SetWindowRgn((HRGN)rgn.Detach(), FALSE));
  menu.ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(menu.IsPointOverMenu(CPoint(ptBody - rcWindow.TopLeft())));
  EXPECT_TRUE(menu.IsPointOverMenu(CPoint(ptButton - rcWindow.TopLeft())));
  EXPECT_FALSE(menu.IsPointOverMenu(CPoint(ptBeside - rcWindow.TopLeft())));
}

TEST_F(Placement, ASubmenuOpensBesideItsItemAndNeverOverItNearTheEdge) {
  const struct {
    int nTopAlign;
    CRect rcParent; // a submenu's window beside its top menu at 600-800, else empty
    CRect rcItem, rcWindow;
  } kRows[] = {
      {4, {}, {300, 300, 470, 322}, {470, 300, 578, 422}},                     // to the right
      {3, {}, {300, 300, 470, 322}, {192, 300, 300, 422}},                     // as its parent: left
      {4, {400, 100, 600, 400}, {402, 200, 598, 222}, {294, 200, 402, 322}},   // its parent went left
      {4, {800, 100, 1000, 400}, {802, 200, 998, 222}, {998, 200, 1106, 322}}, // its parent went right
      {4, {}, {1100, 300, 1270, 322}, {992, 300, 1100, 422}},                  // no room right: left
  };
  for (const auto& row : kRows) {
    CLayoutMenu top;
    top.m_dwTrackFlags = row.nTopAlign;
    top.m_rcWindow.SetRect(600, 100, 800, 400);
    CLayoutMenu* pParent = &top;
    if (!row.rcParent.IsRectEmpty()) {
      pParent = &top.AddSubmenu();
      pParent->m_rcWindow = row.rcParent;
    }
    CLayoutMenu& child = pParent->AddSubmenu();
    Fill(child);
    child.SetExclude(row.rcItem, 0, false);
    const CRect rc = child.CalcWindowPlacement();
    EXPECT_EQ(row.rcWindow, rc) << row.rcItem.left;
    EXPECT_TRUE((rc & row.rcItem).IsRectEmpty()) << row.rcItem.left;
  }
}

TEST_F(Placement, MenusFitTheWorkAreaOrTheWholeMonitorByTheSwitch) {
  ScopedWorkArea work(CRect(0, 0, 1280, 984));
  ASSERT_TRUE(work.Applied());
  const bool bOld = M::g_bMenuUseWorkArea;
  for (bool bWorkArea : {true, false}) {
    M::g_bMenuUseWorkArea = bWorkArea;
    CLayoutMenu menu;
    Fill(menu);
    menu.SetTrackPoint(100, 950);
    const int nBottom = bWorkArea ? 984 : 1024;
    EXPECT_EQ(CRect(0, 0, 1280, nBottom), menu.GetPlacementArea());
    EXPECT_EQ(CRect(100, nBottom - 122, 208, nBottom), menu.CalcWindowPlacement());
  }
  M::g_bMenuUseWorkArea = bOld;
}

TEST_F(Placement, APointLiesInTheChainWhenInTheMenuOrAskedInAShownParent) {
  CLayoutMenu parent;
  CLayoutMenu& child = parent.AddSubmenu();
  for (CLayoutMenu* pMenu : {&parent, &child}) {
    Fill(*pMenu);
    pMenu->SetTrackPoint(pMenu == &parent ? 100 : 400, 100);
    pMenu->CalcWindowPlacement();
    ASSERT_TRUE(pMenu->CreateWindowOverPlacement());
    pMenu->ShowWindow(SW_SHOWNA);
  }
  const CPoint ptParent(150, 150), ptChild(450, 150), ptNone(300, 150);
  EXPECT_TRUE(child.IsPointInChain(ptChild, false));
  EXPECT_TRUE(child.IsPointInChain(ptParent, true));
  EXPECT_FALSE(child.IsPointInChain(ptParent, false));
  EXPECT_FALSE(child.IsPointInChain(ptNone, true));
  parent.ShowWindow(SW_HIDE);
  EXPECT_FALSE(child.IsPointInChain(ptParent, true));
}

} // namespace
