// Frames: creation from one resource id, MDI children and the menus they switch through the MDI
// client, layout of bars in z-order now or at the next idle pass, titles and the message line.
#include "tests/common/import_patch.h"
#include "tests/unit/framework/lab_frame_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

namespace {

// Counts SetMenu calls made by the program itself (the MDI client's own calls do not pass here).
int g_nSetMenuCalls = 0;
BOOL WINAPI CountSetMenu(HWND hWnd, HMENU hMenu) {
  ++g_nSetMenuCalls;
  return ::SetMenu(hWnd, hMenu);
}

// Logs the menus the MDI client is told to show.
std::vector<HMENU> g_clientMenus;
WNDPROC g_pfnClientProc = NULL;
LRESULT CALLBACK LogClientMenus(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_MDISETMENU)
    g_clientMenus.push_back(reinterpret_cast<HMENU>(wParam));
  return ::CallWindowProcA(g_pfnClientProc, hWnd, nMsg, wParam, lParam);
}

class FrameTest : public LabFrameTest {
protected:
  std::string Title(CWnd* pWnd) {
    CString s;
    pWnd->GetWindowText(s);
    return static_cast<LPCSTR>(s);
  }
};

TEST_F(FrameTest, LoadFrameTakesTitleMenuAndAcceleratorsFromOneIdAndMakesTheClient) {
  EXPECT_EQ("Frame Lab", Title(m_pFrame));
  ASSERT_NE(nullptr, m_pFrame->m_hMenuDefault);
  EXPECT_EQ(m_pFrame->m_hMenuDefault, ::GetMenu(m_pFrame->m_hWnd));
  HWND hClient = m_pFrame->m_hWndMDIClient;
  EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(hClient));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hClient)) << "the client is no framework object";
  // The accelerator (Ctrl+T) routes its command to the frame.
  MSG msg = {m_pFrame->m_hWnd, WM_KEYDOWN, 'T', 0};
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  PumpPending();
  EXPECT_EQ(1, m_pFrame->m_nLabCommands);
}

TEST_F(FrameTest, ChildrenSwitchMenusOnlyThroughTheClientAndTakeCommandsFirst) {
  g_clientMenus.clear();
  g_nSetMenuCalls = 0;
  HWND hClient = m_pFrame->m_hWndMDIClient;
  g_pfnClientProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LogClientMenus)));
  CImportPatch patch("user32.dll", "SetMenu", reinterpret_cast<FARPROC>(&CountSetMenu));
  ASSERT_TRUE(patch.Applied());

  CLabChild* pFirst = OpenLabChild(m_pFrame, "Lab1");
  CLabChild* pSecond = OpenLabChild(m_pFrame, "Lab2");
  ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
  EXPECT_EQ(AFX_IDM_FIRST_MDICHILD, ::GetDlgCtrlID(pFirst->m_hWnd));
  EXPECT_EQ(AFX_IDM_FIRST_MDICHILD + 1, ::GetDlgCtrlID(pSecond->m_hWnd));
  EXPECT_EQ(pSecond, m_pFrame->MDIGetActive());
  EXPECT_EQ(pSecond, m_pFrame->GetActiveFrame());
  ASSERT_FALSE(g_clientMenus.empty());
  EXPECT_EQ(LabDocMenu(), g_clientMenus.back());

  // The frame's title follows the active child at the next idle pass.
  TheTestApp().OnIdle(0);
  EXPECT_EQ("Frame Lab - Lab2", Title(m_pFrame));
  EXPECT_EQ("Lab2", Title(pSecond));
  m_pFrame->MDINext();
  TheTestApp().OnIdle(0);
  EXPECT_EQ("Frame Lab - Lab1", Title(m_pFrame));

  // A command the main frame handles still arrives while a child is active; the active document is
  // that of the child's view, and an MDI frame has no view of its own.
  m_pFrame->SendMessage(WM_COMMAND, ID_LAB_COMMAND);
  EXPECT_EQ(1, m_pFrame->m_nLabCommands);
  ASSERT_NE(nullptr, pFirst->GetActiveView());
  EXPECT_EQ(pFirst->GetActiveView()->GetDocument(), m_pFrame->MDIGetActive()->GetActiveDocument());
  EXPECT_EQ(nullptr, m_pFrame->GetActiveView());

  // The last child gone, the frame's own menu comes back.
  pFirst->DestroyWindow();
  pSecond->DestroyWindow();
  EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
  EXPECT_EQ(m_pFrame->m_hMenuDefault, g_clientMenus.back());
  TheTestApp().OnIdle(0);
  EXPECT_EQ("Frame Lab", Title(m_pFrame));
  EXPECT_EQ(0, g_nSetMenuCalls) << "menus switch through WM_MDISETMENU only";
  ::SetWindowLongPtrA(hClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnClientProc));
}

// The frame's title at the next idle pass, and the Window menu's list, as the active child is
// maximised, restored, switched and arranged: "app - doc" beside a normal child, "app - [doc]"
// (the platform appending the child) with a maximised one, and every document named in the list.
TEST_F(FrameTest, TitleAndWindowListFollowMaximisedRestoredAndArrangedChildren) {
  CLabChild* pFirst = OpenLabChild(m_pFrame, "Lab1");
  CLabChild* pSecond = OpenLabChild(m_pFrame, "Lab2");
  ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
  const HMENU hWindowMenu = m_pFrame->GetWindowMenuPopup(LabDocMenu());
  ASSERT_NE(nullptr, hWindowMenu);
  auto windowList = [&] {
    std::vector<std::string> items;
    for (UINT nID = AFX_IDM_FIRST_MDICHILD; nID < AFX_IDM_FIRST_MDICHILD + 2; nID++) {
      char szText[64] = "";
      ::GetMenuStringA(hWindowMenu, nID, szText, sizeof(szText), MF_BYCOMMAND);
      items.push_back(szText);
    }
    return items;
  };
  const std::vector<std::string> kBothNamed = {"&1 Lab1", "&2 Lab2"};
  const struct {
    const char* pszStep;
    std::function<void()> step;
    const char* pszTitle;
  } kSteps[] = {
      {"opened", [] {}, "Frame Lab - Lab2"},
      {"maximised", [&] { m_pFrame->MDIMaximize(pSecond); }, "Frame Lab - [Lab2]"},
      {"another activated, maximised too", [&] { m_pFrame->MDIActivate(pFirst); }, "Frame Lab - [Lab1]"},
      {"restored", [&] { m_pFrame->MDIRestore(pFirst); }, "Frame Lab - Lab1"},
      {"cascaded", [&] { m_pFrame->MDICascade(); }, "Frame Lab - Lab1"},
      {"maximised again", [&] { pFirst->MDIMaximize(); }, "Frame Lab - [Lab1]"},
      {"tiled", [&] { m_pFrame->MDITile(); }, "Frame Lab - Lab1"},
      {"normal one activated", [&] { m_pFrame->MDIActivate(pSecond); }, "Frame Lab - Lab2"},
  };
  for (const auto& s : kSteps) {
    s.step();
    TheTestApp().OnIdle(0);
    EXPECT_EQ(s.pszTitle, Title(m_pFrame)) << s.pszStep;
    EXPECT_EQ(kBothNamed, windowList()) << s.pszStep;
  }
  pFirst->DestroyWindow();
  pSecond->DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Layout

class LayoutTest : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    // Made in this order, so z-order is top, left, then the bar with id -1, then bottom.
    const std::tuple<UINT, DWORD, LPCSTR> bars[] = {{0xE810, CBRS_TOP, "top"},
                                                    {0xE811, CBRS_LEFT, "left"},
                                                    {static_cast<UINT>(-1), CBRS_TOP, "minus-one"},
                                                    {0xE812, CBRS_BOTTOM, "bottom"}};
    for (auto [nID, dwStyle, name] : bars) {
      m_bars.emplace_back(new CLabBar);
      ASSERT_TRUE(m_bars.back()->CreateBar(m_pFrame, nID, dwStyle, CSize(100, 30), name));
      m_bars.back()->m_pLog = &m_log;
    }
    m_log.clear();
  }
  std::vector<std::string> m_log;
};

TEST_F(LayoutTest, BarsTakeTheirShareInZOrderAndTheClientTakesWhatIsLeft) {
  m_pFrame->RecalcLayout();
  // The status bar (made first) is a bar too but does not log. Control ids are 16-bit, so the
  // bar made with id -1 takes part as 0xFFFF.
  EXPECT_EQ((std::vector<std::string>{"top", "left", "minus-one", "bottom"}), m_log);
  CRect rcClient, rcMdi;
  m_pFrame->GetClientRect(rcClient);
  ::GetWindowRect(m_pFrame->m_hWndMDIClient, rcMdi);
  m_pFrame->ScreenToClient(rcMdi);
  CRect rcStatus;
  m_pFrame->m_wndStatus.GetWindowRect(rcStatus);
  EXPECT_EQ(CRect(30, 60, rcClient.right, rcClient.bottom - 30 - rcStatus.Height()), rcMdi);
  CRect rcTop;
  m_bars[0]->GetWindowRect(rcTop);
  m_pFrame->ScreenToClient(rcTop);
  EXPECT_EQ(CRect(0, 0, 100, 30), rcTop);
}

TEST_F(LayoutTest, ANestedLayoutDoesNothing) {
  class CNesting : public CLabBar {
  public:
    CFrameWnd* m_pFrame = NULL;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override {
      m_pFrame->RecalcLayout(); // inside the frame's own layout
      return CLabBar::CalcDynamicLayout(nLength, dwMode);
    }
  } nesting;
  nesting.m_pFrame = m_pFrame;
  ASSERT_TRUE(nesting.CreateBar(m_pFrame, 0xE813, CBRS_TOP, CSize(50, 20), "nesting"));
  nesting.m_pLog = &m_log;
  m_pFrame->RecalcLayout();
  EXPECT_EQ(1, std::count(m_log.begin(), m_log.end(), "nesting"));
  EXPECT_FALSE(m_pFrame->m_bInRecalcLayout);
  nesting.DestroyWindow();
}

TEST_F(LayoutTest, DelayedLayoutHappensOnceAtTheNextIdlePass) {
  m_pFrame->DelayRecalcLayout();
  m_pFrame->DelayRecalcLayout();
  EXPECT_TRUE(m_log.empty());
  TheTestApp().OnIdle(0);
  EXPECT_EQ((std::vector<std::string>{"top", "left", "minus-one", "bottom"}), m_log);
  EXPECT_EQ(0u, m_pFrame->m_nIdleFlags);
  TheTestApp().OnIdle(0);
  EXPECT_EQ(4u, m_log.size()) << "no second layout";
}

// Toolkit menus post their commands and update without a platform menu: a posted command
// reaches its handler, window-list ids fall through to the system's frame procedure (which
// activates that child), and the window commands' update handler needs no menu.
TEST_F(FrameTest, PostedCommandsAndMenulessUpdatesReachTheFrame) {
  class CProbeCmdUI : public CCmdUI {
  public:
    int m_nEnable = -1;
    void Enable(BOOL bOn) override {
      m_nEnable = bOn ? 1 : 0;
      m_bEnableChanged = TRUE;
    }
  };
  auto update = [&](UINT nID) {
    CProbeCmdUI ui;
    ui.m_nID = nID;
    ui.DoUpdate(m_pFrame, TRUE);
    return ui.m_nEnable;
  };
  EXPECT_EQ(0, update(ID_WINDOW_CASCADE)) << "no child to arrange";
  m_pFrame->PostMessage(WM_COMMAND, ID_LAB_COMMAND, 0);
  PumpPending();
  EXPECT_EQ(1, m_pFrame->m_nLabCommands);

  CLabChild* pFirst = OpenLabChild(m_pFrame, "Lab1");
  CLabChild* pSecond = OpenLabChild(m_pFrame, "Lab2");
  ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
  EXPECT_EQ(1, update(ID_WINDOW_CASCADE));
  for (CLabChild* pChild : {pFirst, pSecond}) {
    m_pFrame->PostMessage(WM_COMMAND, (WPARAM)::GetDlgCtrlID(pChild->m_hWnd), 0);
    PumpPending();
    EXPECT_EQ(pChild, m_pFrame->MDIGetActive());
  }
  pFirst->DestroyWindow();
  pSecond->DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// The message line

TEST_F(FrameTest, MessageLineShowsTheIdleTextPromptsAndNothingForAMissingString) {
  CStatusBar& bar = m_pFrame->m_wndStatus;
  PumpPending(); // the idle text the frame posted when it was made
  EXPECT_EQ("Ready", StatusText(bar, 0));
  m_pFrame->SetMessageText(ID_LAB_COMMAND);
  EXPECT_EQ("Do the lab thing", StatusText(bar, 0));
  m_pFrame->SetMessageText(ID_LAB_MISSING);
  EXPECT_EQ("", StatusText(bar, 0));
  m_pFrame->SetMessageText("free text");
  EXPECT_EQ("free text", StatusText(bar, 0));
  // A menu item's prompt shows at the next idle moment; closing the menu brings "Ready" back.
  m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_LAB_COMMAND, MF_STRING), 0);
  TheTestApp().OnIdle(0);
  EXPECT_EQ("Do the lab thing", StatusText(bar, 0));
  m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ("Ready", StatusText(bar, 0));
  // System commands use the framework's prompts.
  m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_STRING), 0);
  TheTestApp().OnIdle(0);
  EXPECT_EQ("Close the active window and prompts to save the documents", StatusText(bar, 0));
}

} // namespace

// The frame destroys the menu it was made with when it goes, but a document's menu shown at that
// moment belongs to the document's template and outlives the frame.
TEST_F(FrameTest, MenuShownAtDestructionOutlivesTheFrame) {
  ASSERT_NE(nullptr, OpenLabChild(m_pFrame, "Lab1"));
  ASSERT_EQ(LabDocMenu(), ::GetMenu(m_pFrame->m_hWnd));
  HMENU hMenuDefault = m_pFrame->m_hMenuDefault;
  DestroyLabFrame(m_pFrame);
  m_pFrame = NULL;
  EXPECT_TRUE(::IsMenu(LabDocMenu()));
  EXPECT_FALSE(::IsMenu(hMenuDefault));
}
