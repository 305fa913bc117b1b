// The maximised child's buttons on the menu bar as a person sees and uses them: the boxes painted
// with their glyphs at the far end of the row, the tips the boxes give, and the document button's
// system menu.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/bars/keyboard_support.h"
#include "tests/unit/toolkit/bars/menubar_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <cstdlib>
#include <set>

namespace {

// The number of different colours in a rectangle of the picture.
size_t ColourCount(const pixel_support::Pixels& px, const CRect& rc) {
  std::set<COLORREF> colours;
  for (int y = std::max(0L, rc.top); y < std::min((LONG)px.cy, rc.bottom); ++y)
    for (int x = std::max(0L, rc.left); x < std::min((LONG)px.cx, rc.right); ++x)
      colours.insert(px.At(x, y));
  return colours.size();
}

} // namespace

TEST_F(MenuBarMdiTest, BoxesOfTheMaximisedChildArePaintedAtTheEndOfTheRow) {
  HWND hChild = OpenLabDocument("Doc");
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  Bar().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  CRect rcClient;
  Bar().GetClientRect(&rcClient);
  const pixel_support::Pixels px = pixel_support::ReadWindow(Bar().m_hWnd, rcClient);
  ASSERT_FALSE(px.Empty());
  pixel_support::SaveBmp(px, "menubar_maximised_child.bmp");

  for (UINT nCmd : {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}) {
    CRect rcBox = BoxOnScreen(nCmd);
    ASSERT_FALSE(rcBox.IsRectEmpty()) << nCmd;
    Bar().ScreenToClient(&rcBox);
    EXPECT_GT(ColourCount(px, rcBox), 1u) << "box " << nCmd << " shows its glyph";
  }
  // Between the last menu button and the right button the row is empty.
  const int nRight = Bar().GetButtonIndex(Bar().FindMdiRightButton());
  CRect rcGap(Bar().GetButton(nRight - 1)->GetRect().right + 2, 2,
              Bar().GetButton(nRight)->GetRect().left - 2, rcClient.bottom - 2);
  ASSERT_GT(rcGap.Width(), 100);
  EXPECT_EQ(1u, ColourCount(px, rcGap));
}

TEST_F(MenuBarMdiTest, EachBoxGivesItsOwnTip) {
  HWND hChild = OpenChild(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, WS_EX_CONTEXTHELP);
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  CExtBarMdiRightButton* pRight = Bar().FindMdiRightButton();
  ASSERT_NE(nullptr, pRight);
  const struct {
    UINT nCmd;
    INT_PTR nToolId;
    const char* pszText;
  } cases[] = {
      {SC_CONTEXTHELP, 57669, ""},
      {SC_MAXIMIZE, 61187, "Enlarge the window to full size"},
      {SC_CLOSE, 61190, "Close the active window and prompts to save the documents"},
  };
  for (const auto& c : cases) {
    CRect rcBox = BoxOnScreen(c.nCmd);
    ASSERT_FALSE(rcBox.IsRectEmpty()) << c.nCmd;
    Bar().ScreenToClient(&rcBox);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(c.nToolId, pRight->OnToolHitTest(rcBox.CenterPoint(), &ti)) << c.nCmd;
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(c.pszText, ti.lpszText);
    EXPECT_EQ(rcBox, CRect(ti.rect));
    std::free(ti.lpszText);
    EXPECT_EQ(c.nToolId, pRight->OnHelpHitTest(rcBox.CenterPoint()));
  }
  // Between the boxes there is no tool.
  const CRect rcClose = BoxOnScreen(SC_CLOSE);
  CPoint ptGap(rcClose.left - 1, rcClose.CenterPoint().y);
  Bar().ScreenToClient(&ptGap);
  EXPECT_EQ(-1, pRight->OnToolHitTest(ptGap, NULL));
}

TEST_F(MenuBarMdiTest, ClickOnDocumentButtonOpensTheChildsSystemMenu) {
  HWND hChild = OpenLabDocument("Doc");
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  CExtBarMdiDocButton* pDoc = Bar().FindMdiDocButton();
  ASSERT_NE(nullptr, pDoc);
  CRect rcDoc = pDoc->GetRect();
  Bar().ClientToScreen(&rcDoc);
  ASSERT_TRUE(ClickAt(rcDoc.CenterPoint()));
  EXPECT_TRUE(Settle([&] {
    CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
    return CExtPopupMenuWnd::AnyMenuTracked() && pMenu != NULL && pMenu->GetCmdReceiverHWND() == hChild;
  }));
  EXPECT_NE(0, Bar().m_nKeyboardFlags & CExtMenuControlBar::KF_SYSMENU_SHOWN);
  EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
  CloseAllMenus();
}
