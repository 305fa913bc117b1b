// The main frame's bars: made with their ids and places, toggled by the View commands, the status
// panes, the docking of the framework after the toolkit's, and the profile state kept at exit.
#include <gtest/gtest.h>

#include "app/FramletApp.h"
#include "app/TaskSheet.h"
#include "app/ToolsPanelDlg.h"
#include "resources/resource.h"
#include "tests/common/pixel_support.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/frame_support.h"

#include <cstdlib>
#include <functional>
#include <iterator>
#include <vector>

namespace {

// The frame's dock bar that holds the bar, however deep inside it: its id, or 0 when floating.
UINT DockSideOf(CWnd* pBar) {
  for (CWnd* pWnd = pBar->GetParent(); pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar));
       pWnd = pWnd->GetParent()) {
    const UINT nId = (UINT)pWnd->GetDlgCtrlID();
    if (nId >= AFX_IDW_DOCKBAR_TOP && nId <= AFX_IDW_DOCKBAR_BOTTOM)
      return nId;
  }
  return 0;
}

CRect WindowRectOf(CWnd& wnd) {
  CRect rc;
  wnd.GetWindowRect(rc);
  return rc;
}

struct BarCase {
  const char* pszName;
  std::function<CControlBar&(CMainFrame&)> bar;
  UINT nId;
  UINT nDockSide; // 0: laid out by the frame, not docked (the status and standard bars)
  bool bVisible;
};

const BarCase kBars[] = {
    {"menu bar", [](CMainFrame& f) -> CControlBar& { return f.m_wndMenuBar; }, ID_VIEW_MENUBAR,
     AFX_IDW_DOCKBAR_TOP, true},
    {"standard bar", [](CMainFrame& f) -> CControlBar& { return f.m_wndToolBars[CMainFrame::kStandardBar]; },
     AFX_IDW_TOOLBAR, 0, false},
    {"large bar", [](CMainFrame& f) -> CControlBar& { return f.m_wndToolBars[CMainFrame::kLargeBar]; },
     AFX_IDW_TOOLBAR, AFX_IDW_DOCKBAR_TOP, true},
    {"capture bar", [](CMainFrame& f) -> CControlBar& { return f.m_wndToolBars[CMainFrame::kCaptureBar]; },
     AFX_IDW_TOOLBAR, AFX_IDW_DOCKBAR_TOP, true},
    {"status bar", [](CMainFrame& f) -> CControlBar& { return f.m_wndStatusBar; }, AFX_IDW_STATUS_BAR, 0,
     true},
    {"task sheet", [](CMainFrame& f) -> CControlBar& { return f.m_wndTaskSheetBar; }, ID_VIEW_TASK_SHEET,
     AFX_IDW_DOCKBAR_RIGHT, true},
    {"tools panel", [](CMainFrame& f) -> CControlBar& { return f.m_wndToolsBar; }, ID_VIEW_TOOLS_PANEL,
     AFX_IDW_DOCKBAR_LEFT, true},
};

TEST_F(MainFrameTest, BarsStartWithTheirIdsPlacesAndVisibility) {
  ASSERT_NE(nullptr, MakeFrame());
  for (const BarCase& c : kBars) {
    CControlBar& bar = c.bar(*m_pFrame);
    ASSERT_TRUE(::IsWindow(bar.GetSafeHwnd())) << c.pszName;
    EXPECT_EQ(c.nId, (UINT)bar.GetDlgCtrlID()) << c.pszName;
    EXPECT_EQ(c.bVisible, bar.IsWindowVisible() != FALSE) << c.pszName;
    EXPECT_EQ(c.nDockSide, DockSideOf(&bar)) << c.pszName;
  }
  // The standard bar is the one the framework's "Toolbar" command finds.
  EXPECT_EQ(&m_pFrame->m_wndToolBars[CMainFrame::kStandardBar], m_pFrame->GetControlBar(AFX_IDW_TOOLBAR));
  EXPECT_EQ(0, m_pFrame->m_wndToolBars[CMainFrame::kCaptureBar].CommandToIndex(ID_CAPTURE_BUTTON));
  pixel_support::SaveBmp(pixel_support::ReadClient(m_pFrame->m_hWnd), "frame_bars");
}

// Whether two colours are told apart at a glance (a picture against the face it sits on).
bool Differs(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
             std::abs(GetBValue(a) - GetBValue(b)) >
         90;
}

// How many of the tool buttons at the positions show their picture inside the bar's client.
int PaintedButtonsIn(CExtPanelControlBar& bar, CToolsPanelDlg& dlg, const std::vector<int>& positions) {
  const pixel_support::Pixels px = pixel_support::ReadClient(bar.m_hWnd);
  int nPainted = 0;
  for (int nPosition : positions) {
    CRect rc;
    dlg.GetToolButton(nPosition)->GetWindowRect(rc);
    bar.ScreenToClient(rc);
    rc.IntersectRect(rc, CRect(0, 0, px.cx, px.cy));
    if (rc.IsRectEmpty())
      continue;
    const COLORREF clrCorner = px.At(rc.left, rc.top);
    int nPicture = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x)
        nPicture += Differs(px.At(x, y), clrCorner) ? 1 : 0;
    nPainted += nPicture >= 4 ? 1 : 0;
  }
  return nPainted;
}

TEST_F(MainFrameTest, ToolsPanelShowsItsButtonsInsideItsBar) {
  ASSERT_NE(nullptr, MakeFrame());
  CExtPanelControlBar& bar = m_pFrame->m_wndToolsBar;
  CToolsPanelDlg& dlg = m_pFrame->m_dlgTools;
  ASSERT_EQ(&dlg, bar.GetHostedWindow());
  EXPECT_TRUE(dlg.IsWindowVisible());
  // The main tools and the row of the twelve shapes the frame starts with.
  const int kFirstShapePosition = 20, kShapeCount = 12;
  std::vector<int> positions;
  for (int i = 0; i < kFirstShapePosition + kShapeCount; ++i)
    if (i < kFirstSubToolPosition || i >= kFirstShapePosition)
      positions.push_back(i);
  const CRect rcBar = WindowRectOf(bar);
  for (int nPosition : positions) {
    CToolButton* pButton = dlg.GetToolButton(nPosition);
    ASSERT_NE(nullptr, pButton) << nPosition;
    EXPECT_TRUE(pButton->IsWindowVisible()) << nPosition;
    CRect rcButton = WindowRectOf(*pButton);
    EXPECT_EQ(rcButton, rcButton & rcBar) << nPosition;
  }
  const int nCount = (int)positions.size();
  EXPECT_TRUE(PumpUntil([&] { return PaintedButtonsIn(bar, dlg, positions) == nCount; }))
      << PaintedButtonsIn(bar, dlg, positions) << " of " << nCount << " buttons painted";
  pixel_support::SaveBmp(pixel_support::ReadClient(bar.m_hWnd), "frame_tools_panel");
}

// The end of the program asked for while the frame is being made stays queued for the program's
// loop: the tools panel takes only its buttons' own enable messages.
TEST_F(MainFrameTest, AQuitPostedBeforeTheFrameIsMadeStaysQueued) {
  ::PostQuitMessage(6);
  ASSERT_NE(nullptr, MakeFrame());
  MSG msg = {};
  const BOOL bQuit = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_TRUE(bQuit && msg.wParam == 6) << "the quit was dropped";
  EXPECT_TRUE(m_pFrame->m_dlgTools.IsWindowVisible());
}

TEST_F(MainFrameTest, CaptureAndLargeBarsShareTheRowBelowTheMenuBar) {
  ASSERT_NE(nullptr, MakeFrame());
  const CRect rcMenu = WindowRectOf(m_pFrame->m_wndMenuBar);
  const CRect rcCapture = WindowRectOf(m_pFrame->m_wndToolBars[CMainFrame::kCaptureBar]);
  const CRect rcLarge = WindowRectOf(m_pFrame->m_wndToolBars[CMainFrame::kLargeBar]);
  EXPECT_GE(rcCapture.top, rcMenu.bottom);
  EXPECT_LT(rcLarge.top, rcCapture.bottom); // one row
  EXPECT_GT(rcLarge.bottom, rcCapture.top);
  EXPECT_LT(rcCapture.left, rcLarge.left); // capture first
}

TEST_F(MainFrameTest, ViewCommandsToggleTheirBarsAndCheckMarks) {
  ASSERT_NE(nullptr, MakeFrame());
  for (const BarCase& c : kBars) {
    const UINT nCommand = c.nId == AFX_IDW_TOOLBAR ? ID_VIEW_TOOLBAR : c.nId;
    if (c.nId == AFX_IDW_TOOLBAR && c.bVisible)
      continue; // only the first bar of the id answers to "Toolbar"
    CControlBar& bar = c.bar(*m_pFrame);
    for (bool bVisible : {!c.bVisible, c.bVisible}) {
      Command(nCommand);
      EXPECT_TRUE(PumpUntil([&] { return (bar.IsWindowVisible() != FALSE) == bVisible; })) << c.pszName;
      EXPECT_EQ(bVisible ? 1 : 0, CheckOf(nCommand)) << c.pszName;
    }
  }
}

TEST_F(MainFrameTest, StatusBarHasTheViewsPanesAndShowsTheirTexts) {
  ASSERT_NE(nullptr, MakeFrame());
  static const struct {
    UINT nId;
    int cxWidth; // -1: not fixed
  } kPanes[] = {{ID_SEPARATOR, -1},       {IDS_INDICATOR_POSITION, 150}, {IDS_INDICATOR_SIZE, 80},
                {IDS_INDICATOR_ZOOM, 80}, {ID_INDICATOR_CAPS, -1},       {ID_INDICATOR_NUM, -1}};
  CExtStatusControlBar& bar = m_pFrame->m_wndStatusBar;
  ASSERT_EQ((int)std::size(kPanes), bar.GetCount());
  for (int i = 0; i < (int)std::size(kPanes); ++i) {
    UINT nId = 0, nStyle = 0;
    int cx = 0;
    bar.GetPaneInfo(i, nId, nStyle, cx);
    EXPECT_EQ(kPanes[i].nId, nId) << i;
    if (kPanes[i].cxWidth >= 0)
      EXPECT_EQ(kPanes[i].cxWidth, cx) << i;
  }
  m_pFrame->SetStatusText(1, "12,34");
  m_pFrame->SetStatusText(3, "200%");
  EXPECT_EQ(CString("12,34"), bar.GetPaneText(1));
  EXPECT_EQ(CString("200%"), bar.GetPaneText(3));
}

// The frame's children that are dock bars of the side: the toolkit's, none of the framework's.
std::vector<CWnd*> DockBarsOf(CMainFrame& frame, UINT nId) {
  std::vector<CWnd*> bars;
  for (CWnd* pChild = frame.GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT))
    if ((UINT)pChild->GetDlgCtrlID() == nId)
      bars.push_back(pChild);
  return bars;
}

TEST_F(MainFrameTest, FrameworkDockingAfterTheToolkitsAddsNoSecondDockBars) {
  ASSERT_NE(nullptr, MakeFrame());
  for (UINT nId = AFX_IDW_DOCKBAR_TOP; nId <= AFX_IDW_DOCKBAR_BOTTOM; ++nId) {
    const std::vector<CWnd*> before = DockBarsOf(*m_pFrame, nId);
    ASSERT_FALSE(before.empty()) << nId;
    for (CWnd* pBar : before)
      EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar))) << nId;
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(before, DockBarsOf(*m_pFrame, nId)) << nId;
  }
}

TEST_F(MainFrameTest, ProfileStateIsWrittenAtDestroyAndReadAtCreation) {
  // Below the application's registry key and profile name (the program's title in the program).
  const CFramletApp& app = TheFramletApp();
  const CString kStateKey = CString("Software\\") + app.m_pszRegistryKey + "\\" + app.m_pszProfileName +
                            "\\Corvane250\\Profiles\\Pixolet-command-manager-profile\\CommandManager";
  ASSERT_NE(nullptr, MakeFrame());
  HKEY hKey = NULL;
  EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kStateKey, 0, KEY_READ, &hKey));
  m_pFrame->DestroyWindow();
  m_pFrame = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kStateKey, 0, KEY_READ, &hKey));
  DWORD nValues = 0;
  ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
  ::RegCloseKey(hKey);
  EXPECT_GT(nValues, 0u);
  // The next frame starts from the stored state.
  EXPECT_NE(nullptr, MakeFrame());
}

// A page the editor opens while the user has the task sheet hidden shows the sheet again on that
// page: the edit it starts ends only there.
TEST_F(MainFrameTest, APageOpenedForTheEditorBringsBackAHiddenTaskSheet) {
  const struct {
    const char* pszName;
    std::function<void(CMainFrame&)> open;
    int nPage;
  } kOpens[] = {
      {"effect", [](CMainFrame& f) { f.OpenEffectPage(TASK_TORN_EDGE); }, TASK_PAGE_PARAM},
      {"resize", [](CMainFrame& f) { f.OpenResizePage(TASK_RESIZE_IMAGE, NULL); }, TASK_PAGE_RESIZE},
      {"caption", [](CMainFrame& f) { f.OpenCaptionPage(); }, TASK_PAGE_CAPTION}};
  ASSERT_NE(nullptr, MakeFrame());
  for (const auto& c : kOpens) {
    Command(ID_VIEW_TASK_SHEET);
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_wndTaskSheetBar.IsWindowVisible(); })) << c.pszName;
    c.open(*m_pFrame);
    EXPECT_TRUE(PumpUntil([&] { return m_pFrame->m_wndTaskSheetBar.IsWindowVisible() != FALSE; }))
        << c.pszName;
    EXPECT_EQ(1, CheckOf(ID_VIEW_TASK_SHEET)) << c.pszName;
    EXPECT_EQ(c.nPage, GetTaskPageIndex()) << c.pszName;
    m_pFrame->ShowTaskMainPage();
  }
}

} // namespace
