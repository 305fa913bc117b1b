// The bars context menu: one item per named bar in the frame's order, fixed and resizable bars
// in separate groups, and the frame's say before and after the menu is filled.
#include "tests/unit/toolkit/docking/dock_support.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

namespace {

// Remembers the menu notifications; may build the menu itself or add to it afterwards.
class CMenuFrame : public CFrameWnd {
public:
  std::vector<std::pair<int, int>> m_events; // event code, post flag
  bool m_bBuildsMenu = false;
  bool m_bAppendsSeparator = false;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != CExtControlBar::g_nMsgConstructPopupMenu)
      return CFrameWnd::WindowProc(message, wParam, lParam);
    auto* pData = reinterpret_cast<CExtControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
    m_events.emplace_back(pData->m_nEventCode, pData->m_bFlags & 1);
    if ((pData->m_bFlags & 1) && m_bAppendsSeparator)
      pData->m_pPopupMenu->InsertItem(0, -1);
    return m_bBuildsMenu ? 1 : 0;
  }
};

class BarsMenu : public DockFrameTest {
protected:
  void SetUp() override {
    m_pFrame = m_pMenuFrame = new CMenuFrame;
    ASSERT_TRUE(m_pFrame->Create(NULL, "menu", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 610, 410)));
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame));
    ASSERT_TRUE(g_CmdManagerHolder->SetupProfile("dock-menu", m_pFrame->m_hWnd));
    AddBar("Tools", 101, true, CSize(100, 24));
    AddBar("Panel", 201, false, CSize(200, 100));
    AddBar("", 202, false, CSize(200, 100)); // unnamed: not listed
    AddBar("Format", 102, true, CSize(100, 24));
    AddBar("Layers", 203, false, CSize(200, 100));
  }
  // The menu's items as ids, separators as 0.
  std::vector<UINT> Build(WORD nEventCode) {
    CExtPopupMenuWnd popup;
    EXPECT_TRUE(popup.InitTopLevel(m_pFrame->m_hWnd));
    EXPECT_TRUE(CExtDockBar::BuildBarsContextMenu(m_pFrame, &popup, nEventCode, Side(AFX_IDW_DOCKBAR_TOP),
                                                  WM_CONTEXTMENU));
    std::vector<UINT> ids;
    for (int i = 0; i < popup.GetItemCount(); i++)
      ids.push_back(popup.ItemGetCmdID(i));
    return ids;
  }
  CMenuFrame* m_pMenuFrame = NULL;
};

TEST_F(BarsMenu, ListsNamedBarsInGroupsWithOneSeparatorBetweenKinds) {
  EXPECT_EQ((std::vector<UINT>{101, 0, 201, 0, 102, 0, 203}), Build(0));
}

TEST_F(BarsMenu, EveryEventCodeReachesTheFrameBeforeAndAfterFilling) {
  for (WORD nCode = 0; nCode <= 14; nCode++) {
    m_pMenuFrame->m_events.clear();
    Build(nCode);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{nCode, 0}, {nCode, 1}}), m_pMenuFrame->m_events) << nCode;
  }
}

TEST_F(BarsMenu, AFrameThatBuildsTheMenuGetsNoDefaultItems) {
  m_pMenuFrame->m_bBuildsMenu = true;
  EXPECT_TRUE(Build(1).empty());
  EXPECT_EQ(1u, m_pMenuFrame->m_events.size()) << "no post-notification";
}

TEST_F(BarsMenu, NeverEndsWithASeparator) {
  m_pMenuFrame->m_bAppendsSeparator = true;
  std::vector<UINT> ids = Build(2);
  ASSERT_FALSE(ids.empty());
  EXPECT_NE(0u, ids.back());
}

TEST_F(BarsMenu, ADockBarsContextMenuIsBuiltOnlyWhenItHoldsBars) {
  CExtDockBar* pTop = Side(AFX_IDW_DOCKBAR_TOP);
  pTop->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pTop->m_hWnd), MAKELPARAM(100, 100));
  EXPECT_TRUE(m_pMenuFrame->m_events.empty()) << "an empty dock bar shows no menu";
  pTop->DockBarAtEdge(m_bars[0].get(), false);
  pTop->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pTop->m_hWnd), MAKELPARAM(100, 100));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {0, 1}}), m_pMenuFrame->m_events);
}

} // namespace
