// What the status bar answers the pointer: the size grip while the frame is not maximised, the
// tip of the pane under the pointer even over a window placed on the pane, and the bars menu of
// its frame.
#include "tests/common/driver_script.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/status_support.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

LRESULT HitTestAt(CWnd& wnd, CPoint ptScreen) {
  return wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

class StatusGrip : public StatusBarTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StatusGrip, TheGripSizesTheFrameOnlyWhileItIsNotMaximised) {
  const bool bMaximised = GetParam();
  if (bMaximised) {
    m_frame->ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return m_frame->IsZoomed() != FALSE; }));
    Relayout(m_frame.get());
  }
  CRect rcBar;
  m_bar->GetWindowRect(&rcBar);
  const CPoint ptGrip(rcBar.right - 3, rcBar.bottom - 3);
  EXPECT_EQ(bMaximised, m_bar->GetGripRect().IsRectEmpty() != FALSE);
  EXPECT_EQ(bMaximised ? HTCLIENT : HTBOTTOMRIGHT, HitTestAt(*m_bar, ptGrip));
  CRect rcPane = m_bar->GetPaneRect(1);
  m_bar->ClientToScreen(&rcPane);
  EXPECT_EQ(HTCLIENT, HitTestAt(*m_bar, rcPane.CenterPoint()));
}

INSTANTIATE_TEST_SUITE_P(Frame, StatusGrip, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "Maximised" : "Normal"); });

using StatusGripDrag = StatusBarTest;

bool InSizingLoop(DWORD dwThread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(dwThread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

TEST_F(StatusGripDrag, DraggingTheGripResizesTheFrame) {
  ::SetForegroundWindow(m_frame->m_hWnd);
  CRect rcFrame, rcBar;
  m_frame->GetWindowRect(&rcFrame);
  m_bar->GetWindowRect(&rcBar);
  const CPoint ptFrom(rcBar.right - 4, rcBar.bottom - 4), ptTo(ptFrom.x + 40, ptFrom.y + 30);
  const CPoint ptOnTheWay(ptFrom.x + 20, ptFrom.y + 15);
  auto frameSize = [&] {
    CRect rc;
    m_frame->GetWindowRect(&rc);
    return rc.Size();
  };
  const DWORD dwThread = ::GetCurrentThreadId();
  std::vector<bool> results;
  std::atomic<bool> bDone(false);
  std::thread driver = DriveInput(
      {{[&] { real_input::MouseAt(ptFrom, MOUSEEVENTF_MOVE); }, [&] { return CursorAt(ptFrom); }},
       {[&] { real_input::MouseAt(ptFrom, MOUSEEVENTF_LEFTDOWN); }, [&] { return InSizingLoop(dwThread); }},
       // One move per step, each waited for: Wine may lose the second of two quick moves.
       {[&] { real_input::MouseAt(ptOnTheWay, MOUSEEVENTF_MOVE); },
        [&] { return frameSize() == rcFrame.Size() + CSize(20, 15); }},
       {[&] { real_input::MouseAt(ptTo, MOUSEEVENTF_MOVE); },
        [&] { return frameSize() == rcFrame.Size() + CSize(40, 30); }},
       {[&] { real_input::MouseAt(ptTo, MOUSEEVENTF_LEFTUP); },
        [] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }}},
      results, bDone);
  PumpUntil([&] { return bDone.load(); }, kDriverEndMs);
  driver.join();
  EXPECT_EQ((std::vector<bool>{true, true, true, true, true}), results);
  EXPECT_TRUE(PumpUntil([&] { return frameSize() == rcFrame.Size() + CSize(40, 30); }))
      << frameSize().cx << " x " << frameSize().cy;
}

using StatusTips = StatusBarTest;

TEST_F(StatusTips, APointOverAWindowOnAPaneStillGivesThePanesTip) {
  HWND hChild = MakeChild();
  ASSERT_TRUE(m_bar->AddPaneControl(hChild, IDS_STATUS_ZOOM, true));
  m_bar->SetPaneData(IDS_STATUS_ZOOM, DT_SINGLELINE | DT_VCENTER, "Zoom of the image");
  CRect rcChild;
  ::GetWindowRect(hChild, &rcChild);
  m_bar->ScreenToClient(&rcChild);
  const CPoint ptOverChild = rcChild.CenterPoint();

  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  ASSERT_EQ(static_cast<INT_PTR>(IDS_STATUS_ZOOM), m_bar->OnToolHitTest(ptOverChild, &ti));
  EXPECT_EQ(m_bar->m_hWnd, ti.hwnd);
  CRect rcPane;
  m_bar->GetItemRect(1, &rcPane);
  EXPECT_EQ(rcPane, CRect(ti.rect));
  ASSERT_NE(LPSTR_TEXTCALLBACKA, ti.lpszText);
  EXPECT_STREQ("Zoom of the image", ti.lpszText);
  std::free(ti.lpszText);

  // A pane without a tip of its own leaves the text to the framework's callback.
  m_bar->GetItemRect(2, &rcPane);
  TOOLINFO ti2 = {};
  ti2.cbSize = sizeof(ti2);
  EXPECT_EQ(static_cast<INT_PTR>(IDS_STATUS_SIZE), m_bar->OnToolHitTest(rcPane.CenterPoint(), &ti2));
  EXPECT_EQ(LPSTR_TEXTCALLBACKA, ti2.lpszText);

  // No tips while a tool-bar menu is tracked.
  CExtToolControlBar::g_bMenuTracking = true;
  EXPECT_EQ(-1, m_bar->OnToolHitTest(ptOverChild, NULL));
  CExtToolControlBar::g_bMenuTracking = false;
}

TEST_F(StatusTips, APointUnderAnotherTopLevelWindowHitsNoPane) {
  CRect rcPane;
  m_bar->GetItemRect(2, &rcPane);
  EXPECT_EQ(2, m_bar->HitTestPane(rcPane.CenterPoint().x, rcPane.CenterPoint().y));
  CRect rcCover = rcPane;
  m_bar->ClientToScreen(&rcCover);
  HWND hCover = ::CreateWindowExA(
      WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_NOTIFY, rcCover.left,
      rcCover.top, rcCover.Width(), rcCover.Height(), NULL, NULL, ::GetModuleHandleA(NULL), NULL);
  ASSERT_NE(nullptr, hCover);
  PumpPending();
  EXPECT_EQ(-1, m_bar->HitTestPane(rcPane.CenterPoint().x, rcPane.CenterPoint().y));
  EXPECT_EQ(-1, m_bar->OnToolHitTest(rcPane.CenterPoint(), NULL));
  ::DestroyWindow(hCover);
}

// A frame with a fixed bar and a resizable one: the status bar's context menu lists both.
class StatusMenu : public StatusBarTest {
protected:
  enum : UINT { ID_TOOLS = 0x6201, ID_PANEL = 0x6202 };
  void SetUp() override {
    StatusBarTest::SetUp();
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_frame.get()));
    ASSERT_TRUE(g_CmdManagerHolder->SetupProfile("status-menu", m_frame->m_hWnd));
    m_tools = DockBar(m_frame.get(), ID_TOOLS, AFX_IDW_DOCKBAR_TOP, "Tools", true);
    m_panel = DockBar(m_frame.get(), ID_PANEL, AFX_IDW_DOCKBAR_LEFT, "Panel");
    ASSERT_TRUE(m_tools && m_panel);
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    ::SetForegroundWindow(m_frame->m_hWnd);
  }
  void TearDown() override {
    CExtPopupMenuWnd::CancelAllTracking();
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = true;
    if (m_frame)
      g_CmdManagerHolder->RemoveWindow(m_frame->m_hWnd, true);
    m_tools.reset();
    m_panel.reset();
    StatusBarTest::TearDown();
  }
  std::unique_ptr<CExtControlBar> m_tools, m_panel;
};

TEST_F(StatusMenu, TheContextMenuListsTheFramesBarsAtThePoint) {
  const int nNotificationsBefore = m_frame->m_nMenuNotifications;
  CRect rcPane;
  m_bar->GetItemRect(1, &rcPane);
  m_bar->ClientToScreen(&rcPane);
  const CPoint pt = rcPane.CenterPoint();
  m_bar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_bar->m_hWnd), MAKELPARAM(pt.x, pt.y));
  CExtPopupMenuWnd* pMenu = WaitForTrackedMenu();
  ASSERT_NE(nullptr, pMenu);
  EXPECT_EQ((std::vector<std::string>{"Tools", "", "Panel"}), MenuItemTexts(*pMenu));
  EXPECT_EQ(nNotificationsBefore + 2, m_frame->m_nMenuNotifications) << "before and after filling";
  CRect rcMenu;
  pMenu->GetWindowRect(&rcMenu);
  EXPECT_TRUE(rcMenu.left == pt.x || rcMenu.right == pt.x) << rcMenu.left << ".." << rcMenu.right;
  real_input::Key(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
}

TEST_F(StatusMenu, NoMenuWhileTheFrameIsInHelpMode) {
  const int nNotificationsBefore = m_frame->m_nMenuNotifications;
  m_frame->m_bHelpMode = TRUE;
  CRect rcBar;
  m_bar->GetWindowRect(&rcBar);
  m_bar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_bar->m_hWnd),
                     MAKELPARAM(rcBar.CenterPoint().x, rcBar.CenterPoint().y));
  PumpPending();
  m_frame->m_bHelpMode = FALSE;
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(nNotificationsBefore, m_frame->m_nMenuNotifications);
}

} // namespace
