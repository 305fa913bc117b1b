// The bars context menu on the user's road: a real right click on a dock bar or on a fixed bar
// tracks the menu of the frame's bars, and a real click on a bar's item hides the bar or shows it
// again through the frame's show-bar commands, the item checked while the bar is visible.
#include "tests/unit/toolkit/docking/dock_frame_support.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

enum : UINT { ID_TOOLS = 0x6101, ID_PANEL = 0x6102 };

// Routes its bars' ids as a program's main frame does: through the show-bar commands, with the
// check marks of resizable bars on.
class CBarsCmdFrame : public CDockTestFrame {
protected:
  afx_msg BOOL OnBarCommand(UINT nId) { return CExtControlBar::ToggleBarByCommand(this, nId); }
  afx_msg void OnUpdateBarCommand(CCmdUI* pCmdUI) { CExtControlBar::UpdateBarCommandUI(this, pCmdUI, true); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarsCmdFrame, CDockTestFrame)
ON_COMMAND_EX_RANGE(ID_TOOLS, ID_PANEL, OnBarCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOLS, ID_PANEL, OnUpdateBarCommand)
END_MESSAGE_MAP()

class BarsMenuInput : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateDockFrame(new CBarsCmdFrame);
    ASSERT_TRUE(m_pFrame);
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame.get()));
    ASSERT_TRUE(g_CmdManagerHolder->SetupProfile("bars-menu-input", m_pFrame->m_hWnd));
    m_pTools = DockBar(m_pFrame.get(), ID_TOOLS, AFX_IDW_DOCKBAR_TOP, "Tools", true);
    m_pPanel = DockBar(m_pFrame.get(), ID_PANEL, AFX_IDW_DOCKBAR_LEFT, "Panel");
    ASSERT_TRUE(m_pTools && m_pPanel);
    // As the program sets it at start-up: menus open with every item shown.
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    m_pFrame->SetFocus();
  }
  void TearDown() override {
    CExtPopupMenuWnd::CancelAllTracking();
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = true;
    g_CmdManagerHolder->RemoveWindow(m_pFrame->m_hWnd, true);
    m_pTools.reset();
    m_pPanel.reset();
    m_pFrame.reset();
  }
  // The tracked menu once it has appeared after a right click at the point; NULL when none did.
  static CExtPopupMenuWnd* RightClickMenu(CPoint ptScreen) {
    ClickAt(ptScreen, true);
    return WaitForTrackedMenu();
  }
  static int FindItem(CExtPopupMenuWnd* pMenu, UINT nId) {
    for (int i = 0; i < pMenu->GetItemCount(); i++)
      if (pMenu->ItemGetCmdID(i) == nId)
        return i;
    return -1;
  }

  FramePtr m_pFrame;
  std::unique_ptr<CExtControlBar> m_pTools, m_pPanel;
};

TEST_F(BarsMenuInput, ARightClickListsTheBarsAndAClickOnABarsItemHidesOrShowsIt) {
  CRect rcTools, rcTop;
  m_pTools->GetWindowRect(&rcTools);
  m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&rcTop);
  ASSERT_LT(rcTools.right + 20, rcTop.right) << "the dock bar has room beside the bar";
  const struct {
    const char* where;
    CPoint pt;
  } kSites[] = {{"dock bar", CPoint(rcTools.right + 10, rcTop.CenterPoint().y)},
                {"fixed bar", rcTools.CenterPoint()}};
  for (const auto& site : kSites) {
    for (bool bVisible : {true, false}) {
      SCOPED_TRACE(std::string(site.where) + (bVisible ? ", panel shown" : ", panel hidden"));
      CExtPopupMenuWnd* pMenu = RightClickMenu(site.pt);
      ASSERT_NE(nullptr, pMenu);
      EXPECT_EQ((std::vector<std::string>{"Tools", "", "Panel"}), MenuItemTexts(*pMenu));
      const int nPanel = FindItem(pMenu, ID_PANEL);
      ASSERT_GE(nPanel, 0);
      EXPECT_EQ(bVisible, (pMenu->GetItemAt(nPanel).m_nStateFlags &
                           CExtPopupMenuWnd::MENUITEMDATA::STATE_CHECKED) != 0);
      CRect rcItem;
      pMenu->GetItemRect(nPanel, rcItem);
      pMenu->ClientToScreen(&rcItem);
      ClickAt(rcItem.CenterPoint());
      EXPECT_TRUE(PumpUntil([&] {
        return !CExtPopupMenuWnd::AnyMenuTracked() && (m_pPanel->IsVisible() != FALSE) != bVisible;
      }));
    }
  }
}

// Two fixed bars of one id, whose command the frame routes to the first alone: each has an item of
// its own, named by its caption and checked while the bar is visible, and a click on it hides or
// shows that bar and no other.
TEST_F(BarsMenuInput, BarsSharingAnIdEachHaveTheirOwnItem) {
  std::unique_ptr<CExtControlBar> pFormat =
      DockBar(m_pFrame.get(), ID_TOOLS, AFX_IDW_DOCKBAR_TOP, "Format", true);
  ASSERT_TRUE(pFormat);
  CExtControlBar* const pTools = m_pTools.get();
  // Each bar is clicked where the other, still shown, is right-clicked.
  for (CExtControlBar* pBar : {pFormat.get(), pFormat.get(), pTools, pTools}) {
    CExtControlBar* pOther = pBar == pTools ? pFormat.get() : pTools;
    CString strName;
    pBar->GetWindowText(strName);
    const bool bVisible = pBar->IsVisible() != FALSE;
    SCOPED_TRACE(std::string(strName) + (bVisible ? " shown" : " hidden"));
    CRect rcOther;
    pOther->GetWindowRect(&rcOther);
    CExtPopupMenuWnd* pMenu = RightClickMenu(rcOther.CenterPoint());
    ASSERT_NE(nullptr, pMenu);
    const std::vector<std::string> texts = MenuItemTexts(*pMenu);
    EXPECT_EQ((std::vector<std::string>{"Tools", "", "Panel", "", "Format"}), texts);
    const int nItem = (int)(std::find(texts.begin(), texts.end(), std::string(strName)) - texts.begin());
    ASSERT_LT(nItem, (int)texts.size());
    EXPECT_EQ(bVisible,
              (pMenu->GetItemAt(nItem).m_nStateFlags & CExtPopupMenuWnd::MENUITEMDATA::STATE_CHECKED) != 0);
    CRect rcItem;
    pMenu->GetItemRect(nItem, rcItem);
    pMenu->ClientToScreen(&rcItem);
    ClickAt(rcItem.CenterPoint());
    EXPECT_TRUE(PumpUntil(
        [&] { return !CExtPopupMenuWnd::AnyMenuTracked() && (pBar->IsVisible() != FALSE) != bVisible; }));
    EXPECT_TRUE(pOther->IsVisible());
  }
}

} // namespace
