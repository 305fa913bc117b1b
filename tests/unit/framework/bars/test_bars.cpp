// Control bars: dock bars and their rows, docking at a point, floating and docking back, delayed
// and immediate showing, the status bar's panes, and what happens to all of it when the frame goes.
#include "tests/unit/framework/lab_frame_test.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const UINT kMenuBarID = 23366;

// A dock bar of a kind of its own, so that the mini frame's factory shows.
class COwnDockBar : public CDockBar {
  DECLARE_DYNAMIC(COwnDockBar)
public:
  COwnDockBar() : CDockBar(TRUE) {}
};
IMPLEMENT_DYNAMIC(COwnDockBar, CDockBar)

class CToolkitMiniFrame : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CToolkitMiniFrame)
public:
  CDockBar* CreateDockBar() override { return new COwnDockBar; }
};
IMPLEMENT_DYNCREATE(CToolkitMiniFrame, CMiniDockFrameWnd)

// Docked, floating and destroyed bars alike leave no window object behind.
class BarsTest : public LabFrameTest {
protected:
  CDockBar* Dock(UINT nID) { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID)); }
  // The dock bar's array with bars as 'name', place holders as their id and row ends as 0.
  std::vector<std::string> Rows(CDockBar* pDock) {
    std::vector<std::string> rows;
    for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); i++) {
      void* p = pDock->m_arrBars[i];
      if (p == NULL) {
        rows.push_back("0");
      } else if (CDockBar::IsPlaceHolder(p)) {
        rows.push_back(std::to_string(reinterpret_cast<UINT_PTR>(p)));
      } else {
        CString name;
        static_cast<CControlBar*>(p)->GetWindowText(name);
        rows.push_back(static_cast<LPCSTR>(name));
      }
    }
    return rows;
  }
  // The three start-up bars: the menu bar, then the capture bar with the large bar to its right.
  void StartUpLayout() {
    m_pMenu = AddBar(kMenuBarID, CBRS_TOP | CBRS_GRIPPER, CSize(400, 22), "menu");
    m_pLarge = AddBar(AFX_IDW_TOOLBAR, CBRS_TOP | CBRS_GRIPPER, CSize(300, 46), "large");
    m_pCapture = AddBar(AFX_IDW_TOOLBAR, CBRS_TOP | CBRS_GRIPPER, CSize(90, 31), "capture");
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(m_pFrame->DockControlBar(m_pMenu));
    ASSERT_TRUE(m_pFrame->DockControlBar(m_pCapture));
    ASSERT_TRUE(m_pFrame->DockControlBar(m_pLarge));
    ASSERT_TRUE(m_pFrame->DockControlBar(m_pCapture, AFX_IDW_DOCKBAR_TOP));
    m_pFrame->RecalcLayout();
    CRect rect;
    m_pCapture->GetWindowRect(rect);
    rect.OffsetRect(1, 1);
    ASSERT_TRUE(m_pFrame->DockControlBar(m_pLarge, 0u, &rect));
    m_pFrame->RecalcLayout();
  }

  CLabBar *m_pMenu = NULL, *m_pCapture = NULL, *m_pLarge = NULL;
};

TEST_F(BarsTest, EnableDockingMakesTheFourSidesOnceAndKeepsAToolkitFloatingFrame) {
  m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CToolkitMiniFrame);
  m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
  const std::pair<UINT, DWORD> sides[] = {{AFX_IDW_DOCKBAR_TOP, 0x2800},
                                          {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
                                          {AFX_IDW_DOCKBAR_LEFT, 0x1400},
                                          {AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
  for (const auto& side : sides) {
    CDockBar* pDock = Dock(side.first);
    ASSERT_NE(nullptr, pDock) << side.first;
    EXPECT_TRUE(pDock->IsDockBar() && pDock->m_pDockSite == m_pFrame);
    EXPECT_EQ(side.second, pDock->m_dwStyle) << side.first;
  }
  INT_PTR nBars = m_pFrame->m_listControlBars.GetCount();
  m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
  EXPECT_EQ(nBars, m_pFrame->m_listControlBars.GetCount());
  EXPECT_EQ(RUNTIME_CLASS(CToolkitMiniFrame), m_pFrame->m_pFloatingFrameClass);
}

TEST_F(BarsTest, DelayedShowIsVisibleAtOnceAndShowsAtTheNextIdlePass) {
  StartUpLayout();
  m_pFrame->ShowControlBar(m_pLarge, FALSE, TRUE);
  EXPECT_FALSE(m_pLarge->IsVisible());
  EXPECT_TRUE(m_pLarge->GetStyle() & WS_VISIBLE) << "not hidden yet";
  TheTestApp().OnIdle(0);
  EXPECT_FALSE(m_pLarge->GetStyle() & WS_VISIBLE);
  m_pFrame->ShowControlBar(m_pLarge, TRUE, TRUE);
  EXPECT_TRUE(m_pLarge->IsVisible());
  TheTestApp().OnIdle(0);
  EXPECT_TRUE(m_pLarge->GetStyle() & WS_VISIBLE);
  // The view-bar command toggles the bar through the frame, keeping its place.
  EXPECT_TRUE(m_pFrame->SendMessage(WM_COMMAND, AFX_IDW_TOOLBAR) != 0);
  EXPECT_FALSE(m_pLarge->IsWindowVisible());
  EXPECT_EQ((std::vector<std::string>{"0", "menu", "0", "capture", "large", "0"}),
            Rows(Dock(AFX_IDW_DOCKBAR_TOP)));
}

// The start-up layout puts the large bar beside the capture bar; floating one and docking it back
// returns it to its row.
TEST_F(BarsTest, StartUpLayoutAndFloatingAndDockingBackToTheSameRow) {
  StartUpLayout();
  CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ((std::vector<std::string>{"0", "menu", "0", "capture", "large", "0"}), Rows(pTop));
  // Several bars share an id: the first made answers.
  EXPECT_EQ(m_pLarge, m_pFrame->GetControlBar(AFX_IDW_TOOLBAR));
  CRect rcCapture, rcLarge;
  m_pCapture->GetWindowRect(rcCapture);
  m_pLarge->GetWindowRect(rcLarge);
  EXPECT_EQ(rcCapture.top, rcLarge.top);
  EXPECT_LT(rcCapture.left, rcLarge.left);

  m_pCapture->m_pDockContext->ToggleDocking(); // float
  ASSERT_TRUE(m_pCapture->IsFloating());
  CFrameWnd* pMini = m_pCapture->GetParentFrame();
  ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  // The mini frame's first child is its dock bar, listed with the main frame's bars.
  CWnd* pFirstChild = pMini->GetWindow(GW_CHILD);
  EXPECT_TRUE(pFirstChild == m_pCapture->m_pDockBar && pFirstChild->GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT);
  EXPECT_NE(nullptr, m_pFrame->m_listControlBars.Find(m_pCapture->m_pDockBar));
  CString strTitle;
  pMini->GetWindowText(strTitle);
  EXPECT_STREQ("capture", strTitle);
  // The bar's place is held by its id.
  EXPECT_EQ((std::vector<std::string>{"0", "menu", "0", std::to_string(AFX_IDW_TOOLBAR), "large", "0"}),
            Rows(pTop));

  const HWND hMini = pMini->m_hWnd; // an empty mini frame deletes itself
  m_pCapture->m_pDockContext->ToggleDocking(); // and back
  EXPECT_FALSE(m_pCapture->IsFloating());
  EXPECT_EQ(pTop, m_pCapture->m_pDockBar);
  EXPECT_EQ((std::vector<std::string>{"0", "menu", "0", "capture", "large", "0"}), Rows(pTop));
  EXPECT_FALSE(::IsWindow(hMini)) << "an empty mini frame goes";
}

TEST_F(BarsTest, ClosingAMiniFrameHidesItAndDestroyingTheFrameTakesEveryBarDown) {
  StartUpLayout();
  ASSERT_TRUE(m_pFrame->FloatControlBar(m_pLarge, CPoint(300, 300)));
  CFrameWnd* pMini = m_pLarge->GetParentFrame();
  ASSERT_TRUE(pMini->IsWindowVisible());
  pMini->SendMessage(WM_CLOSE);
  EXPECT_FALSE(m_pLarge->IsWindowVisible());
  EXPECT_FALSE(pMini->IsWindowVisible());
  EXPECT_TRUE(::IsWindow(pMini->m_hWnd)) << "hidden, not destroyed";
  // Shown again, late: the idle pass reaches the hidden frame to show it.
  m_pFrame->ShowControlBar(m_pLarge, TRUE, TRUE);
  EXPECT_FALSE(pMini->IsWindowVisible());
  TheTestApp().OnIdle(0);
  EXPECT_TRUE(pMini->IsWindowVisible());
  EXPECT_TRUE(m_pLarge->IsWindowVisible());

  // Destroying the frame takes docked and floating bars down; TearDown checks the census.
  HWND hMini = pMini->m_hWnd;
  TheTestApp().m_pMainWnd = NULL; // no WM_QUIT to stop later pumping
  m_pFrame->DestroyWindow();
  m_pFrame = NULL; // deleted with its window
  EXPECT_FALSE(::IsWindow(hMini));
  for (CLabBar* pBar : {m_pMenu, m_pCapture, m_pLarge})
    EXPECT_EQ(nullptr, pBar->m_hWnd);
}

// A floating frame hidden goes alone; the frame hidden and shown again (as its move into the tray
// does) takes its shown floating frames along and brings them back.
TEST_F(BarsTest, AFloatingFrameHidesAloneAndTheFrameTakesTheShownOnesAlong) {
  StartUpLayout();
  ASSERT_TRUE(m_pFrame->FloatControlBar(m_pLarge, CPoint(300, 300)));
  ASSERT_TRUE(m_pFrame->FloatControlBar(m_pCapture, CPoint(500, 300)));
  CFrameWnd* pLarge = m_pLarge->GetParentFrame();
  CFrameWnd* pCapture = m_pCapture->GetParentFrame();
  ASSERT_TRUE(pLarge != pCapture && pLarge->IsWindowVisible() && pCapture->IsWindowVisible());
  pLarge->ShowWindow(SW_HIDE);
  EXPECT_FALSE(pLarge->IsWindowVisible());
  EXPECT_TRUE(pCapture->IsWindowVisible()) << "the other floating frame went too";

  m_pFrame->ShowWindow(SW_HIDE);
  EXPECT_FALSE(pCapture->IsWindowVisible());
  m_pFrame->ShowWindow(SW_SHOW);
  EXPECT_TRUE(pCapture->IsWindowVisible());
  EXPECT_FALSE(pLarge->IsWindowVisible()) << "hidden before the frame, it stays hidden";
}

// A bar docked without a dock bar named goes to a side it may dock at: a floating bar is aligned to
// the top, where a bar that docks only on the left or right would lie across the frame.
TEST_F(BarsTest, ABarDockedWithoutASideGoesToASideItMayDockAt) {
  m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
  CLabBar* pPanel = AddBar(0xE830, CBRS_LEFT | CBRS_GRIPPER, CSize(60, 300), "panel");
  pPanel->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  ASSERT_TRUE(m_pFrame->DockControlBar(pPanel));
  EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), pPanel->m_pDockBar);
  ASSERT_TRUE(m_pFrame->FloatControlBar(pPanel, CPoint(300, 300)));
  ASSERT_TRUE(pPanel->IsFloating());
  ASSERT_TRUE(m_pFrame->DockControlBar(pPanel));
  ASSERT_FALSE(pPanel->IsFloating());
  EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, pPanel->m_pDockBar->GetDlgCtrlID()) << "docked on another side";
}

TEST_F(BarsTest, BadRequestsFailWithoutHarm) {
  m_pFrame->EnableDocking(CBRS_ALIGN_TOP);
  CLabBar* pBar = AddBar(0xE820, CBRS_TOP, CSize(50, 20), "bar");
  EXPECT_FALSE(m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_RIGHT)) << "side not enabled";
  EXPECT_FALSE(m_pFrame->DockControlBar(NULL));
  CLabBar stranger; // belongs to no frame
  ASSERT_TRUE(
      stranger.CreateBar(CWnd::GetDesktopWindow(), 0xE821, CBRS_TOP, CSize(10, 10), "stranger", FALSE));
  EXPECT_FALSE(m_pFrame->FloatControlBar(&stranger, CPoint(10, 10)));
  stranger.DestroyWindow();
  EXPECT_FALSE(m_pFrame->ShowControlBar(&stranger, TRUE, FALSE)) << "its window is gone";
  EXPECT_FALSE(Dock(AFX_IDW_DOCKBAR_TOP)->RemoveControlBar(&stranger));
  EXPECT_TRUE(m_pFrame->DockControlBar(pBar));
}

// ---------------------------------------------------------------------------------------------
// The status bar

TEST_F(BarsTest, StatusPanesShowTheirTextsAndWidths) {
  CStatusBar& bar = m_pFrame->m_wndStatus;
  ASSERT_EQ(4, bar.GetCount());
  EXPECT_EQ(1, bar.CommandToIndex(ID_INDICATOR_CAPS));
  EXPECT_EQ(-1, bar.CommandToIndex(0xE999));
  EXPECT_EQ(SBPS_STRETCH | SBPS_NOBORDERS, bar.GetPaneStyle(0));
  ASSERT_TRUE(bar.SetPaneText(0, "hello"));
  EXPECT_EQ("hello", StatusText(bar, 0));
  ASSERT_TRUE(bar.SetPaneText(2, "later", FALSE));
  EXPECT_EQ("later", std::string(bar.GetPaneText(2)));
  EXPECT_EQ("NUM", StatusText(bar, 2)) << "not shown before the next update";
  bar.UpdateAllPanes(FALSE, TRUE);
  EXPECT_EQ("later", StatusText(bar, 2));

  // Part edges: each pane its text plus 6 and the gap between panes; the stretching first pane
  // takes what is left, so the last edge ends the inside of the bar.
  int rights[4] = {}, borders[3] = {};
  ASSERT_EQ(4, (int)bar.SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)));
  bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  for (int i = 1; i < 4; i++) {
    UINT nID, nStyle;
    int cx;
    bar.GetPaneInfo(i, nID, nStyle, cx);
    EXPECT_EQ(cx + 6, rights[i] - rights[i - 1] - borders[2]) << i;
  }
  CRect rc;
  bar.GetWindowRect(rc);
  CRect inside(0, 0, rc.Width(), rc.Height());
  bar.CalcInsideRect(inside, TRUE);
  EXPECT_EQ(borders[0] + inside.Width(), rights[3]);
  bar.SetPaneInfo(2, ID_INDICATOR_NUM, SBPS_NORMAL, 80);
  bar.SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights));
  EXPECT_EQ(86, rights[2] - rights[1] - borders[2]);
}

TEST_F(BarsTest, IdlePassDisablesPanesWithoutHandlerAndFollowsCapsLock) {
  CStatusBar& bar = m_pFrame->m_wndStatus;
  BYTE keys[256];
  ::GetKeyboardState(keys);
  for (BYTE caps : {0x01, 0x00}) {
    keys[VK_CAPITAL] = caps;
    keys[VK_NUMLOCK] = 0;
    ::SetKeyboardState(keys);
    TheTestApp().OnIdle(0);
    EXPECT_EQ(caps != 0, (bar.GetPaneStyle(1) & SBPS_DISABLED) == 0) << int(caps);
    EXPECT_EQ(caps != 0 ? "CAP" : "", StatusText(bar, 1)) << "a disabled pane shows no text";
    EXPECT_EQ("CAP", std::string(bar.GetPaneText(1))) << "but keeps it";
  }
  EXPECT_TRUE(bar.GetPaneStyle(2) & SBPS_DISABLED) << "Num Lock off";
  EXPECT_TRUE(bar.GetPaneStyle(3) & SBPS_DISABLED) << "no update handler";
  EXPECT_EQ("", StatusText(bar, 3));
}

TEST_F(BarsTest, AFloatingFrameClassMakesItsOwnKindOfDockBar) {
  CLabBar* pBar = AddBar(AFX_IDW_TOOLBAR, CBRS_TOP, CSize(90, 31), "own");
  m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
  m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CToolkitMiniFrame);
  ASSERT_TRUE(m_pFrame->FloatControlBar(pBar, CPoint(200, 200)));
  CFrameWnd* pMini = pBar->GetParentFrame();
  ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CToolkitMiniFrame)));
  ASSERT_TRUE(pBar->m_pDockBar != NULL && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(COwnDockBar)));
  EXPECT_TRUE(pBar->m_pDockBar->m_bFloating);
  EXPECT_EQ(pBar->m_pDockBar, static_cast<CMiniDockFrameWnd*>(pMini)->GetDockBar());
}

} // namespace
