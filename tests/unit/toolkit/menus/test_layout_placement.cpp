// The menu window's size and place on the 1280x1024 screen: anchors, the monitor edges, a menu
// joined to its button on each of the four sides, submenus beside their item, the work area, the
// window region on the screen and the points over a menu chain.
#include "tests/unit/toolkit/menus/layout_support.h"

#include "tests/common/window_support.h"

namespace {

using namespace layout_support;
typedef CExtPopupMenuWnd M;

class Placement : public LayoutTest {
protected:
  // Five items of 100 by 22: content 102 by 115; with shadow 4 the window is 108 by 122.
  static void Fill(CLayoutMenu& menu, int nItems = 5) {
    menu.m_nShadow = 4;
    for (int i = 0; i < nItems; i++)
      menu.AddCommand(100 + i, 100, 22, 22);
    menu.RecalcItemLayout();
  }
  static CRect BodyOnScreen(const CLayoutMenu& menu) {
    CRect rc = menu.m_rcBody;
    rc.OffsetRect(menu.m_rcWindow.TopLeft());
    return rc;
  }
};

TEST_F(Placement, MeasureAddsBordersShadowExpandRowAndOneOrTwoPixels) {
  const int e = ExpandHeight();
  const struct {
    CRuntimeClass* pTheme;
    int s;
    const char* pszItems;
    int cx, cy;
  } kRows[] = {
      {RUNTIME_CLASS(CExtPaintManagerXP), 0, "C", 104, 26},
      {RUNTIME_CLASS(CExtPaintManagerXP), 4, "C", 108, 30},
      {RUNTIME_CLASS(CExtPaintManager), 4, "C", 110, 32}, // the classic border is 2
      {RUNTIME_CLASS(CExtPaintManagerXP), 4, "CH", 108, 30 + e},
      {RUNTIME_CLASS(CExtPaintManagerXP), 4, "H", 86, std::max(e + 6, 18) + 2}, // nothing shown
      {RUNTIME_CLASS(CExtPaintManagerXP), 20, "S", 102, 52},                    // at least 2s + 10
  };
  for (const auto& row : kRows) {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(row.pTheme));
    CLayoutMenu menu;
    menu.m_nShadow = row.s;
    for (const char* p = row.pszItems; *p != 0; p++)
      if (*p == 'C')
        menu.AddCommand(1, 100, 22, 22);
      else
        menu.AddPattern(std::string(1, *p).c_str());
    menu.RecalcItemLayout();
    EXPECT_EQ(CSize(row.cx, row.cy), menu.MeasureMenu()) << row.pszItems << " shadow " << row.s;
  }
}

TEST_F(Placement, TheWindowIsTheMeasuredSizeWithTheShadowCountedOnce) {
  for (bool bTearOff : {false, true}) {
    CLayoutMenu menu;
    menu.m_dwTrackFlags = bTearOff ? M::TPMX_TEAROFF : 0;
    Fill(menu);
    menu.SetTrackPoint(300, 300);
    const CRect rc = menu.CalcWindowPlacement();
    EXPECT_EQ(CSize(108, 122 + (bTearOff ? menu.GetTearOffBarHeight() : 0)), rc.Size());
    EXPECT_EQ(CRect(0, 0, 104, rc.Height() - 4), menu.m_rcBody);
  }
}

TEST_F(Placement, AMenuAtAPointMovesIntoTheScreenAndScrollsWhenTallerThanIt) {
  const struct {
    CPoint pt;
    int nItems;
    CRect rcWindow;
  } kRows[] = {{{100, 100}, 5, {100, 100, 208, 222}},
               {{1250, 100}, 5, {1172, 100, 1280, 222}},
               {{100, 1000}, 5, {100, 902, 208, 1024}},
               {{1279, 1023}, 5, {1172, 902, 1280, 1024}},
               {{100, 300}, 60, {100, 0, 208, 1024}}};
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    Fill(menu, row.nItems);
    menu.SetTrackPoint(row.pt.x, row.pt.y);
    EXPECT_EQ(row.rcWindow, menu.CalcWindowPlacement()) << row.pt.x << "," << row.pt.y;
    EXPECT_EQ(row.nItems > 40, (menu.m_dwMenuState & M::MENU_SCROLLING) != 0);
    EXPECT_EQ(0, menu.m_nCombineSide);
  }
}

TEST_F(Placement, AnAlignmentOpensTheMenuOnItsSideOfTheExcludedRectangle) {
  const CRect rcEx(500, 400, 560, 420);
  const struct {
    int nAlign;
    CPoint ptPlain, ptCombined; // the body's top-left corner
  } kRows[] = {{0, {500, 400}, {500, 400}}, {1, {560, 400}, {559, 400}}, {2, {446, 400}, {446, 400}},
               {3, {392, 400}, {397, 400}}, {4, {500, 420}, {500, 419}}, {5, {500, 339}, {500, 339}},
               {6, {500, 278}, {500, 283}}};
  for (const auto& row : kRows)
    for (bool bCombined : {false, true}) {
      CLayoutMenu menu;
      Fill(menu);
      menu.SetExclude(rcEx, row.nAlign, bCombined);
      const CPoint pt = bCombined ? row.ptCombined : row.ptPlain;
      EXPECT_EQ(pt, menu.CalcAnchorPoint(row.nAlign, menu.MeasureMenu())) << row.nAlign << bCombined;
      menu.CalcWindowPlacement();
      EXPECT_EQ(pt, BodyOnScreen(menu).TopLeft()) << row.nAlign << bCombined;
    }
}

TEST_F(Placement, ACombinedMenuTouchesItsButtonOnOneSideAndFlipsAtTheScreenEdges) {
  const struct {
    CRect rcButton;
    int nAlign, nSide;
    CRect rcBody;
  } kRows[] = {
      {{100, 0, 150, 20}, 4, 1, {100, 19, 204, 137}},         // below a button at the top
      {{100, 1004, 150, 1024}, 4, 2, {100, 887, 204, 1005}},  // no room below: above
      {{500, 500, 550, 520}, 6, 2, {500, 383, 604, 501}},     // above
      {{0, 100, 20, 150}, 1, 4, {19, 100, 123, 218}},         // right of the button
      {{1260, 100, 1280, 150}, 1, 3, {1157, 100, 1261, 218}}, // no room to the right: left
      {{600, 100, 620, 150}, 3, 3, {497, 100, 601, 218}},     // left of the button
      {{1200, 0, 1250, 20}, 4, 1, {1146, 19, 1250, 137}},     // lined up with the button's right
      {{100, 100, 150, 120}, 0, 0, {100, 100, 204, 218}},     // never touching: a plain menu
  };
  for (const auto& row : kRows) {
    CLayoutMenu menu;
    Fill(menu);
    menu.SetExclude(row.rcButton, row.nAlign, true);
    const CRect rcWindow = menu.CalcWindowPlacement();
    EXPECT_EQ(row.nSide, menu.m_nCombineSide) << row.rcButton.left << "," << row.rcButton.top;
    EXPECT_EQ(row.rcBody, BodyOnScreen(menu)) << row.rcButton.left << "," << row.rcButton.top;
    const CRect rcScreen = ScreenRect();
    CRect rcOnScreen;
    rcOnScreen.IntersectRect(&rcWindow, &rcScreen);
    EXPECT_EQ(rcWindow, rcOnScreen);
    const bool bCombined = row.nSide != 0;
    EXPECT_EQ(bCombined, (menu.m_nPlacementFlags & M::PLACE_COMBINED) != 0);
    EXPECT_EQ(bCombined, (menu.m_nFlags & M::POPUP_COMBINED_AREA) != 0);
    EXPECT_EQ(bCombined, menu.m_rgnWindow.GetSafeHandle() != NULL);
    if (bCombined) {
      CRect rcArea(row.rcButton);
      rcArea.OffsetRect(-rcWindow.left, -rcWindow.top);
      EXPECT_EQ(rcArea, menu.m_rcArea);
      EXPECT_TRUE(menu.m_rgnWindow.PtInRegion(rcArea.CenterPoint()));
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
  const CPoint ptBeside(170, 8), ptButton(125, 10), ptBody(150, 80); // screen
  {
    ColourWindow back(CRect(90, 0, 260, 160), RGB(255, 0, 0));
    ColourWindow front(rcWindow, RGB(0, 255, 0));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 0, 0) && rgn.CopyRgn(&menu.m_rgnWindow) != ERROR);
    ASSERT_NE(0, ::SetWindowRgn(front.hwnd(), (HRGN)rgn.Detach(), TRUE));
    EXPECT_TRUE(WaitForScreenPixel(ptBeside, RGB(255, 0, 0)));
    EXPECT_TRUE(WaitForScreenPixel(ptButton, RGB(0, 255, 0)));
    EXPECT_TRUE(WaitForScreenPixel(ptBody, RGB(0, 255, 0)));
  }
  ASSERT_TRUE(menu.CreateWindowOverPlacement());
  CRgn rgn;
  ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 0, 0) && rgn.CopyRgn(&menu.m_rgnWindow) != ERROR);
  ASSERT_NE(0, menu.SetWindowRgn((HRGN)rgn.Detach(), FALSE));
  menu.ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(menu.IsPointOverMenu(CPoint(ptBody - rcWindow.TopLeft())));
  EXPECT_TRUE(menu.IsPointOverMenu(CPoint(ptButton - rcWindow.TopLeft())));
  EXPECT_FALSE(menu.IsPointOverMenu(CPoint(ptBeside - rcWindow.TopLeft())));
}

TEST_F(Placement, ASubmenuOpensBesideItsItemAndNeverOverItNearTheEdge) {
  const struct {
    int nParentAlign;  // of a top menu
    CRect rcParentWnd; // of a parent that is itself a submenu of a menu at 600-800, else empty
    CRect rcItem;
    CRect rcWindow;
  } kRows[] = {
      {4, {}, {300, 300, 470, 322}, {470, 300, 578, 422}},                     // to the right
      {3, {}, {300, 300, 470, 322}, {192, 300, 300, 422}},                     // as its parent: left
      {4, {400, 100, 600, 400}, {402, 200, 598, 222}, {294, 200, 402, 322}},   // its parent went left
      {4, {800, 100, 1000, 400}, {802, 200, 998, 222}, {998, 200, 1106, 322}}, // its parent went right
      {4, {}, {1100, 300, 1270, 322}, {992, 300, 1100, 422}},                  // no room: left
  };
  for (const auto& row : kRows) {
    CLayoutMenu top;
    CLayoutMenu* pParent = &top;
    top.m_dwTrackFlags = row.nParentAlign;
    top.m_rcWindow.SetRect(600, 100, 800, 400);
    if (!row.rcParentWnd.IsRectEmpty()) {
      pParent = &top.AddSubmenu();
      pParent->m_rcWindow = row.rcParentWnd;
    }
    CLayoutMenu& child = pParent->AddSubmenu();
    Fill(child);
    child.SetExclude(row.rcItem, 0, false);
    const CRect rc = child.CalcWindowPlacement();
    EXPECT_EQ(row.rcWindow, rc) << row.rcItem.left;
    EXPECT_FALSE(CRect().IntersectRect(&rc, &row.rcItem)) << row.rcItem.left;
  }
}

TEST_F(Placement, MenusFitTheWorkAreaOrTheWholeMonitorByTheSwitch) {
  ScopedWorkArea work(CRect(0, 0, 1280, 984));
  ASSERT_TRUE(work.Applied());
  for (bool bWorkArea : {true, false}) {
    ScopedSwitch sw(M::g_bMenuUseWorkArea, bWorkArea);
    CLayoutMenu menu;
    Fill(menu);
    menu.SetTrackPoint(100, 950);
    const int nBottom = bWorkArea ? 984 : 1024;
    EXPECT_EQ(CRect(0, 0, 1280, nBottom), menu.GetPlacementArea());
    EXPECT_EQ(CRect(100, nBottom - 122, 208, nBottom), menu.CalcWindowPlacement());
  }
}

TEST_F(Placement, APointLiesInTheChainWhenInTheMenuOrAskedInAParent) {
  CLayoutMenu parent;
  Fill(parent);
  parent.SetTrackPoint(100, 100);
  CLayoutMenu& child = parent.AddSubmenu();
  Fill(child);
  child.SetTrackPoint(400, 100);
  for (CLayoutMenu* pMenu : {&parent, &child}) {
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
  PumpPending();
}

} // namespace
