// The tab window under the real mouse: buttons, scrolling while held and by page, right clicks,
// selection by resting on an item, reordering by dragging and the item-list menu.
#include "tests/unit/toolkit/tabs/tab_input.h"
#include "tests/unit/toolkit/tabs/tab_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace tab_input;
using T = CExtTabWnd;

namespace {

// Counts the context-menu requests the default procedure raises.
class CCountingTabWnd : public CExtTabWnd {
public:
  int m_nContextMenus = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CONTEXTMENU)
      ++m_nContextMenus;
    return CExtTabWnd::WindowProc(message, wParam, lParam);
  }
};

std::vector<std::string> ManyItems(int n) {
  std::vector<std::string> texts;
  for (int i = 0; i < n; ++i)
    texts.push_back("item " + std::to_string(i));
  return texts;
}

class TabMouse : public ::testing::Test {
protected:
  void Start(DWORD dwStyle, int cx, const std::vector<std::string>& texts, CExtTabWnd* pTab = NULL) {
    m_host = std::make_unique<TabHost>(dwStyle, cx, 28, pTab);
    ASSERT_TRUE(m_host->Ok());
    m_host->AddItems(texts);
    ASSERT_TRUE(Activate(m_host->Host().m_hWnd));
  }
  void TearDown() override {
    Button(MOUSEEVENTF_LEFTUP);
    Button(MOUSEEVENTF_RIGHTUP);
    PumpPending();
    m_host.reset();
  }
  T& Tab() { return m_host->Tab(); }
  CPoint ItemCentre(int i) { return ScreenCentre(Tab().m_hWnd, Tab().ItemRectInClient(Tab().ItemGet(i))); }
  CPoint ButtonCentre(int nCode) { return ScreenCentre(Tab().m_hWnd, Tab().GetButtonRect(nCode)); }
  void ClickAt(CPoint pt, DWORD dwDown, DWORD dwUp) {
    MoveTo(pt);
    Button(dwDown);
    Button(dwUp);
  }
  std::unique_ptr<TabHost> m_host;
};

struct ButtonCase {
  const char* name;
  DWORD dwStyle;
  int nButton;
  DWORD dwDown;
};

class TabMouseRefusedPress : public TabMouse, public ::testing::WithParamInterface<ButtonCase> {};

// Neither a disabled button under the left button nor an enabled one under the right one takes
// the press, the capture or the scroll position.
TEST_P(TabMouseRefusedPress, DoesNothing) {
  const ButtonCase& c = GetParam();
  Start(c.dwStyle, 200, ManyItems(20));
  ASSERT_FALSE(Tab().GetButtonRect(c.nButton).IsRectEmpty());
  MoveTo(ButtonCentre(c.nButton));
  Button(c.dwDown);
  const int nKey = c.dwDown == MOUSEEVENTF_LEFTDOWN ? VK_LBUTTON : VK_RBUTTON;
  ASSERT_TRUE(PumpUntil([&] { return ::GetAsyncKeyState(nKey) < 0; }));
  PumpPending();
  EXPECT_EQ(-1, Tab().GetPushedHitTest());
  EXPECT_EQ(0, Tab().GetWndFlags() & T::WF_PRESS_TRACKED);
  EXPECT_EQ(0, Tab().ScrollPosGet());
  EXPECT_FALSE(Tab().IsScrolling());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, TabMouseRefusedPress,
    ::testing::Values(ButtonCase{"DisabledClose", T::TS_SHOW_CLOSE, T::HT_BUTTON_CLOSE, MOUSEEVENTF_LEFTDOWN},
                      ButtonCase{"RightOnNext", 0, T::HT_BUTTON_NEXT, MOUSEEVENTF_RIGHTDOWN}),
    [](const auto& info) { return std::string(info.param.name); });

class TabMouseScroll : public TabMouse, public ::testing::WithParamInterface<bool> {};

// Held: the next button scrolls while pressed and stops where it is on release. By page: one
// item-area length scrolls even after the release.
TEST_P(TabMouseScroll, NextButton) {
  const bool bByPage = GetParam();
  Start(bByPage ? T::TS_SCROLL_BY_PAGE : 0, 200, ManyItems(60));
  ASSERT_GT(Tab().ScrollMaxGet(), 3 * Tab().GetItemsAreaRect().Width());
  MoveTo(ButtonCentre(T::HT_BUTTON_NEXT));
  Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Tab().ScrollPosGet() > 0; }));
  Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return Tab().GetPushedHitTest() == -1; }))
      << Tab().GetPushedHitTest() << " " << (int)Tab().GetWndFlags() << " "
      << (::GetCapture() == Tab().m_hWnd) << " "
      << Tab().HitTest(CPoint(Tab().GetButtonRect(T::HT_BUTTON_NEXT).CenterPoint()));
  if (!bByPage) {
    EXPECT_FALSE(Tab().IsScrolling());
    const int nStopped = Tab().ScrollPosGet();
    EXPECT_LT(nStopped, Tab().ScrollMaxGet());
    PumpPending();
    EXPECT_EQ(nStopped, Tab().ScrollPosGet());
  } else {
    ASSERT_TRUE(PumpUntil([&] { return !Tab().IsScrolling(); }));
    EXPECT_EQ(Tab().GetItemsAreaRect().Width(), Tab().ScrollPosGet());
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, TabMouseScroll, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ByPage" : "Held"; });

TEST_F(TabMouse, RightClickSelectsAndLetsTheContextMenuThrough) {
  CCountingTabWnd* pTab = new CCountingTabWnd;
  std::unique_ptr<CCountingTabWnd> owned(pTab);
  Start(0, 400, {"one", "two", "three"}, pTab);
  ClickAt(ItemCentre(1), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(PumpUntil([&] { return pTab->m_nContextMenus == 1; }));
  EXPECT_EQ(1, Tab().SelectionGet());
  m_host.reset();
}

// With hover selection an item resting under the pointer for the delay is selected; one the
// pointer left before the delay ran out is not.
TEST_F(TabMouse, HoverSelectsOnlyWhereThePointerStays) {
  Start(T::TS_HOVER_SELECT, 400, {"one", "two", "three"});
  Tab().SelectItem(0, true, true);
  const CPoint ptAway = ScreenCentre(m_host->Host().m_hWnd, CRect(0, 200, 10, 210));
  MoveTo(ptAway);
  ASSERT_TRUE(PumpUntil([&] {
    CPoint pt;
    ::GetCursorPos(&pt);
    return pt == ptAway;
  }));
  PumpPending();
  MoveTo(ItemCentre(1));
  ASSERT_TRUE(PumpUntil([&] { return Tab().SelectionDelayGetItem() == 1; }));
  MoveTo(ptAway);
  ASSERT_TRUE(PumpUntil([&] { return Tab().SelectionDelayGetItem() == -1; }));
  EXPECT_EQ(0, Tab().SelectionGet());
  MoveTo(ItemCentre(2));
  EXPECT_TRUE(PumpUntil([&] { return Tab().SelectionGet() == 2; }));
}

class TabMouseDrag : public TabMouse, public ::testing::WithParamInterface<int> {};

// A press moved five pixels is still a click; six start the drag, and the item dropped on its
// wider neighbour changes places with it once.
TEST_P(TabMouseDrag, StartsBeyondFivePixels) {
  const int nMove = GetParam();
  Start(T::TS_ITEM_DRAGGING, 400, {"ab", "a much wider one", "cd"});
  const CPoint ptPress = ItemCentre(0);
  const CPoint ptOnWide = ItemCentre(1);
  const CPoint ptStillWide = ptOnWide + CPoint(8, 0);
  std::atomic<bool> bSawDrag{false};
  Driver driver;
  std::vector<Step> steps = {
      {[&] { MoveTo(ptPress); }, nullptr},
      {[&] { Button(MOUSEEVENTF_LEFTDOWN); }, [&] { return Tab().GetPushedHitTest() == 0; }},
      {[&] { MoveTo(ptPress + CPoint(nMove, 0)); }, nullptr}};
  if (nMove > 5) {
    steps.push_back({nullptr, [&] { return bSawDrag = Tab().IsItemDragging(); }});
    steps.push_back({[&] { MoveTo(ptOnWide); }, [&] { return Tab().ItemGet(1)->LParamGet() == 0; }});
    steps.push_back({[&] { MoveTo(ptStillWide); }, nullptr});
  }
  steps.push_back({[&] { Button(MOUSEEVENTF_LEFTUP); }, [&] { return !Tab().IsItemDragging(); }});
  Drive(driver, steps);
  driver.Finish();
  ASSERT_TRUE(PumpUntil([&] { return Tab().GetPushedHitTest() == -1; }));
  EXPECT_TRUE(driver.bAllCame);
  EXPECT_EQ(nMove > 5, bSawDrag.load());
  const std::vector<LPARAM> expected =
      nMove > 5 ? std::vector<LPARAM>{1, 0, 2} : std::vector<LPARAM>{0, 1, 2};
  EXPECT_EQ(expected, LParams(Tab()));
  EXPECT_TRUE(ModelIsSound(Tab()));
}

INSTANTIATE_TEST_SUITE_P(Pixels, TabMouseDrag, ::testing::Values(5, 6));

// A quit met during an item drag ends the drag at once, with the button still down, and stays
// queued, with its exit code, for the application's own loop.
TEST_F(TabMouse, QuitEndsAnItemDrag) {
  Start(T::TS_ITEM_DRAGGING, 400, {"ab", "cd", "ef"});
  const CPoint ptPress = ItemCentre(0);
  const DWORD dwThread = ::GetCurrentThreadId();
  std::atomic<bool> bEndedWhileDown{false};
  Driver driver;
  Drive(driver, {{[&] { MoveTo(ptPress); }, nullptr},
                 {[&] { Button(MOUSEEVENTF_LEFTDOWN); }, [&] { return Tab().GetPushedHitTest() == 0; }},
                 {[&] { MoveTo(ptPress + CPoint(10, 0)); }, [&] { return Tab().IsItemDragging(); }},
                 {[&] { ::PostThreadMessageA(dwThread, WM_QUIT, 7, 0); },
                  [&] { return bEndedWhileDown = !Tab().IsItemDragging(); }},
                 {[&] { Button(MOUSEEVENTF_LEFTUP); }, nullptr}});
  driver.Finish();
  MSG msg;
  const bool bQuitKept = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  EXPECT_TRUE(driver.bAllCame);
  EXPECT_TRUE(bEndedWhileDown.load());
  ASSERT_TRUE(bQuitKept);
  EXPECT_EQ(7u, msg.wParam);
  EXPECT_TRUE(ModelIsSound(Tab()));
}

class TabMouseItemList : public TabMouse, public ::testing::WithParamInterface<bool> {};

// A click on the item-list button opens the menu of the items; choosing one far out of view, by a
// click or by the keys, selects it and scrolls it into view.
TEST_P(TabMouseItemList, ChoiceSelectsAndShowsTheItem) {
  const bool bByKeys = GetParam();
  Start(T::TS_SHOW_ITEM_LIST | T::TS_ENABLED_ITEM_LIST, 200, ManyItems(20));
  Tab().SelectItem(0, true, true);
  const int nLast = Tab().ItemGetCount() - 1;
  ASSERT_FALSE(Tab().GetButtonRect(T::HT_BUTTON_ITEM_LIST).IsRectEmpty());
  CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  // The menu's loop runs on this thread inside the click, so the driver sends the choice, and
  // cancels a menu still open at its end so that a failure cannot hang here. The site names the
  // menu before it is shown and appearing menus drop keys: input waits until it is shown, has the
  // hover and has finished appearing.
  const auto menuReady = [&] {
    CExtPopupMenuWnd* pMenu = site.m_pTrackedMenu;
    return pMenu != NULL && site.m_pHoverMenu == pMenu && ::IsWindowVisible(pMenu->GetSafeHwnd()) &&
           site.m_pAnimatedMenu == NULL;
  };
  const auto chosen = [&] { return site.IsEmpty(); };
  std::vector<Step> steps = {{[&] { MoveTo(ButtonCentre(T::HT_BUTTON_ITEM_LIST)); }, nullptr},
                             {[&] {
                                Button(MOUSEEVENTF_LEFTDOWN);
                                Button(MOUSEEVENTF_LEFTUP);
                              },
                              menuReady}};
  // The first key marks the first item, the second wraps round to the last. Keys following
  // within the menu's throttle time are dropped, so each comes as if long after the last, and
  // the next is sent only once the menu has stamped this one's time: an item marked by the
  // pointer before the key would otherwise let the next key come within the throttle time.
  const auto marked = [&](int nIndex) {
    CExtPopupMenuWnd* pMenu = site.m_pTrackedMenu;
    return pMenu != NULL && pMenu->GetCurrentItemIndex() == nIndex;
  };
  std::atomic<DWORD> dwStamp{0};
  const auto keyLate = [&](UINT nVirtKey) {
    dwStamp = static_cast<DWORD>(std::clock()) - 1000;
    CExtPopupTrackSite::g_nLastKeyTime = dwStamp;
    Key(nVirtKey);
  };
  const auto taken = [&] { return CExtPopupTrackSite::g_nLastKeyTime != dwStamp; };
  if (bByKeys) {
    steps.push_back({[&] { keyLate(VK_UP); }, [&] { return taken() && marked(0); }});
    steps.push_back({[&] { keyLate(VK_UP); }, [&] { return taken() && marked(nLast); }});
    steps.push_back({[&] { keyLate(VK_RETURN); }, chosen});
  } else {
    // The pointer rests on the item until the menu marks it, as a user's does, before the click.
    steps.push_back({[&] {
                       CExtPopupMenuWnd* pMenu = site.m_pTrackedMenu;
                       if (pMenu == NULL)
                         return;
                       CRect rc;
                       pMenu->GetItemRect(nLast, rc);
                       pMenu->ClientToScreen(&rc);
                       MoveTo(rc.CenterPoint());
                     },
                     [&] { return marked(nLast); }});
    steps.push_back({[&] {
                       Button(MOUSEEVENTF_LEFTDOWN);
                       Button(MOUSEEVENTF_LEFTUP);
                     },
                     chosen});
  }
  steps.push_back({[&] {
                     if (CExtPopupMenuWnd* pMenu = site.m_pTrackedMenu)
                       ::PostMessageA(pMenu->GetSafeHwnd(), WM_CANCELMODE, 0, 0);
                   },
                   chosen});
  Driver driver;
  Drive(driver, steps);
  driver.Finish();
  EXPECT_TRUE(driver.bAllCame);
  EXPECT_EQ(nLast, Tab().SelectionGet());
  const CRect rcItem = Tab().ItemRectInClient(Tab().ItemGet(nLast));
  const CRect rcArea = Tab().GetItemsAreaRect();
  EXPECT_TRUE(rcItem.left >= rcArea.left && rcItem.right <= rcArea.right)
      << rcItem.left << ".." << rcItem.right << " in " << rcArea.left << ".." << rcArea.right;
}

INSTANTIATE_TEST_SUITE_P(Choice, TabMouseItemList, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ByKeys" : "ByClick"; });

} // namespace
