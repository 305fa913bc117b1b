// Tracking a popup menu chain with real input: command delivery, a second tracking, a vetoed menu,
// the modal loop outliving its menu, the keyboard table, the mouse, the submenu delay, the hooks.
#include "tests/common/frame_support.h"
#include "tests/common/object_counts.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_input_support.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/controls/ExtResizableDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>

namespace {

using namespace menu_input;
typedef CExtPopupMenuWnd Menu;

// The chain's top menu "&Alpha", "&Beta", separator, "&Bold", "&Sub"; in "&Sub" "&Inner" and
// "&Deep"; in "&Deep" "&Leaf" and "L&ast".
enum : UINT { ID_ALPHA = 0x8401, ID_BETA, ID_BOLD, ID_INNER = 0x8411, ID_LEAF = 0x8421, ID_LAST };
enum { kSubIndex = 4 };

// A receiver that also counts the commands that came sent, and logs the key and button messages.
class CTrackReceiver : public menu_paint::CMenuReceiver {
public:
  int m_nSentCommands = 0;
  std::vector<UINT> m_input;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && ::InSendMessage())
      ++m_nSentCommands;
    if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
        (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK))
      m_input.push_back(message);
    return menu_paint::CMenuReceiver::WindowProc(message, wParam, lParam);
  }
};

// A top menu that counts its deletions. Its memory is kept after deletion and filled with a live
// window handle, so that reading a deleted menu keeps a loop going instead of passing by chance.
class CCountedMenu : public CExtPopupMenuWnd {
public:
  ~CCountedMenu() override { ++s_nDeleted; }
  static void operator delete(void* p, size_t n) {
    for (size_t i = 0; i < n / sizeof(HWND); i++)
      static_cast<HWND*>(p)[i] = s_hWndPoison;
    s_deleted.push_back(p);
  }
  static void ReleaseDeleted() {
    for (void* p : s_deleted)
      ::operator delete(p);
    s_deleted.clear();
  }
  static inline int s_nDeleted = 0;
  static inline HWND s_hWndPoison = NULL;
  static inline std::vector<void*> s_deleted;
};

CCountedMenu* MakeChain(HWND hWndReceiver) {
  CMenu top, sub, deep;
  if (!top.CreatePopupMenu() || !sub.CreatePopupMenu() || !deep.CreatePopupMenu())
    return NULL;
  deep.AppendMenu(MF_STRING, ID_LEAF, "&Leaf");
  deep.AppendMenu(MF_STRING, ID_LAST, "L&ast");
  sub.AppendMenu(MF_STRING, ID_INNER, "&Inner");
  sub.AppendMenu(MF_POPUP, (UINT_PTR)deep.Detach(), "&Deep");
  top.AppendMenu(MF_STRING, ID_ALPHA, "&Alpha");
  top.AppendMenu(MF_STRING, ID_BETA, "&Beta");
  top.AppendMenu(MF_SEPARATOR);
  top.AppendMenu(MF_STRING, ID_BOLD, "&Bold");
  top.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "&Sub");
  auto* pMenu = new CCountedMenu;
  if (!pMenu->BuildFromMenuHandle(hWndReceiver, &top, false, true, true)) {
    delete pMenu;
    return NULL;
  }
  return pMenu;
}

// The menu of the chain at the level (0 top) along the current items, or NULL.
CExtPopupMenuWnd* MenuAtLevel(int nLevel) {
  CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
  for (int i = 0; pMenu != NULL && i < nLevel; i++) {
    CExtPopupMenuWnd* pChild = pMenu->ItemGetPopup(pMenu->GetCurrentItemIndex());
    pMenu = pChild != NULL && pChild->GetSafeHwnd() != NULL && pChild->IsWindowVisible() ? pChild : NULL;
  }
  return pMenu;
}

// The level of the site's hover menu; -1 when nothing is tracked.
int HoverLevel() {
  const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  for (int nLevel = 0; nLevel < 3 && !site.IsEmpty(); nLevel++)
    if (MenuAtLevel(nLevel) == site.m_pHoverMenu)
      return nLevel;
  return site.IsEmpty() ? -1 : -2;
}

CPoint ItemCentre(CExtPopupMenuWnd& menu, int nIndex) {
  CRect rc;
  menu.GetItemRect(nIndex, rc);
  menu.ClientToScreen(&rc);
  return rc.CenterPoint();
}

class TrackingTest : public ::testing::Test {
protected:
  void SetUp() override {
    CExtToolControlBar::g_bMenuTracking = false;
    CCountedMenu::s_nDeleted = 0;
    ASSERT_TRUE(m_receiver.CreateReceiver(RECT{100, 100, 700, 600}, true));
    CCountedMenu::s_hWndPoison = m_receiver.m_hWnd;
    ASSERT_TRUE(Activate(m_receiver.m_hWnd));
    ASSERT_TRUE(RestPointer());
  }
  // The pointer rests away from where the menus open.
  static bool RestPointer() { return menu_input::RestPointer(CPoint(5, 1000)); }
  void TearDown() override {
    Menu::CancelAllTracking();
    CExtToolControlBar::g_bMenuTracking = false;
    Menu::DrainMessagesAndIdle();
    m_receiver.DestroyWindow();
    Menu::DrainMessagesAndIdle();
    CCountedMenu::ReleaseDeleted();
  }
  static CExtPopupTrackSite& Site() { return Menu::GetTrackSite(); }
  // Tracks the test chain at (150, 150) without animation, its first item current.
  CCountedMenu* Track(DWORD dwFlags = 0) {
    std::unique_ptr<CCountedMenu> pOwned(MakeChain(m_receiver.m_hWnd));
    if (!pOwned || !pOwned->RunTrackingLoop(dwFlags | Menu::TPMX_NO_ANIMATION | Menu::TPMX_SELECT_FIRST, 150,
                                            150, NULL, NULL, NULL, &m_nResult))
      return NULL;
    CCountedMenu* pMenu = pOwned.release(); // the tracking's now
    // Keys are for a menu that has appeared.
    return WaitUntil([&] { return ::IsWindowVisible(pMenu->m_hWnd) && Site().m_pAnimatedMenu == NULL; })
               ? pMenu
               : NULL;
  }
  static bool NoHooks() { return Site().m_hMouseHook == NULL && Site().m_hKeyboardHook == NULL; }
  int Commands(UINT nCmdId) const {
    return (int)std::count_if(m_receiver.m_log.begin(), m_receiver.m_log.end(),
                              [&](auto& m) { return m.nMsg == WM_COMMAND && m.wParam == nCmdId; });
  }

  CTrackReceiver m_receiver;
  UINT m_nResult = 0xFFFF;
};

struct DeliveryRow {
  const char* name;
  DWORD dwFlags;
  bool bReceiverGone; // the item's own receiver is destroyed before the choice
  int nPosted;
};

class TrackingDelivery : public TrackingTest, public ::testing::WithParamInterface<DeliveryRow> {};

TEST_P(TrackingDelivery, AChosenCommandIsStoredAndPostedOnlyWhereItMayGo) {
  const DeliveryRow& row = GetParam();
  CCountedMenu* pMenu = Track(row.dwFlags);
  ASSERT_NE(nullptr, pMenu);
  EXPECT_EQ(0u, m_nResult);
  CWnd other;
  if (row.bReceiverGone) {
    ASSERT_TRUE(other.CreateEx(0, "STATIC", "other", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    pMenu->GetItemAt(1).m_hWndCmdReceiver = other.m_hWnd;
    other.DestroyWindow();
  }
  CInputProbe probe;
  ASSERT_TRUE(probe.Key(VK_DOWN) && probe.Key(VK_RETURN));
  ASSERT_TRUE(WaitUntil([&] { return !Menu::AnyMenuTracked(); }));
  Menu::DrainMessagesAndIdle();
  EXPECT_EQ((UINT)ID_BETA, m_nResult);
  EXPECT_EQ(row.nPosted, Commands(ID_BETA));
  EXPECT_EQ(0, m_receiver.m_nSentCommands);
  EXPECT_EQ(1, CCountedMenu::s_nDeleted);
  EXPECT_TRUE(NoHooks());
}

INSTANTIATE_TEST_SUITE_P(Table, TrackingDelivery,
                         ::testing::Values(DeliveryRow{"posted", 0, false, 1},
                                           DeliveryRow{"only stored", Menu::TPMX_NO_CMD_DELIVERY, false, 0},
                                           DeliveryRow{"receiver gone", 0, true, 0}),
                         menu_paint::CaseName());

TEST_F(TrackingTest, ASecondTrackingEndsAndDeletesTheFirst) {
  CCountedMenu* pFirst = Track();
  ASSERT_NE(nullptr, pFirst);
  const HWND hWndFirst = pFirst->GetSafeHwnd();
  CCountedMenu* pSecond = Track();
  ASSERT_NE(nullptr, pSecond);
  EXPECT_EQ(1, CCountedMenu::s_nDeleted);
  EXPECT_FALSE(::IsWindow(hWndFirst));
  EXPECT_EQ(pSecond, Site().m_pTrackedMenu);
  Menu::CancelAllTracking();
  EXPECT_EQ(2, CCountedMenu::s_nDeleted);
  EXPECT_FALSE(Menu::AnyMenuTracked());
}

// The receiver vetoes the menu: the caller gets false and still owns the menu, which it frees once.
TEST_F(TrackingTest, AMenuTheReceiverVetoesStaysWithItsCaller) {
  m_receiver.m_answer = [](UINT nMsg, WPARAM wParam, LPARAM) -> LRESULT {
    if (nMsg == Menu::g_nMsgPrepareMenu)
      reinterpret_cast<Menu::MsgPrepareMenuData_t*>(wParam)->m_nFlags |=
          Menu::MsgPrepareMenuData_t::PREPARE_CANCEL;
    return 0;
  };
  std::unique_ptr<CCountedMenu> pMenu(MakeChain(m_receiver.m_hWnd));
  ASSERT_NE(nullptr, pMenu);
  EXPECT_FALSE(pMenu->RunTrackingLoop(Menu::TPMX_NO_ANIMATION, 150, 150, NULL, NULL, NULL, &m_nResult));
  EXPECT_EQ(0, CCountedMenu::s_nDeleted);
  EXPECT_FALSE(Menu::AnyMenuTracked());
  EXPECT_TRUE(NoHooks());
  EXPECT_EQ(NULL, pMenu->GetSafeHwnd());
  EXPECT_EQ(5, pMenu->GetItemCount());
  pMenu.reset();
  EXPECT_EQ(1, CCountedMenu::s_nDeleted);
}

// The modal loop returns once its menu is gone, never reading the deleted menu (whose memory here
// holds a live window handle): when the tracking ends, and when another menu's tracking takes the
// site, which is then not empty.
class ModalLoopEnd : public TrackingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ModalLoopEnd, TheModalLoopEndsWhenItsMenuHasDeletedItself) {
  const bool bAnotherTracking = GetParam();
  CCountedMenu* pMenu = MakeChain(m_receiver.m_hWnd);
  ASSERT_NE(nullptr, pMenu);
  CCountedMenu* pNext = NULL;
  const UINT nMsgTrackAnother = ::RegisterWindowMessageA("ModalLoopEnd.TrackAnother");
  m_receiver.m_answer = [&](UINT nMsg, WPARAM, LPARAM) -> LRESULT {
    if (nMsg == nMsgTrackAnother && pNext == NULL) {
      std::unique_ptr<CCountedMenu> pOwned(MakeChain(m_receiver.m_hWnd));
      if (pOwned && pOwned->RunTrackingLoop(Menu::TPMX_NO_ANIMATION, 200, 200))
        pNext = pOwned.release();
    }
    return 0;
  };
  std::atomic<bool> bReturned(false), bQuitPosted(false);
  const DWORD dwThread = ::GetCurrentThreadId();
  const HWND hWndReceiver = m_receiver.m_hWnd;
  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000;
  std::thread driver([&] {
    for (int i = 0; i < 500 && (Site().m_pHoverMenu == NULL || Site().m_pAnimatedMenu != NULL); i++)
      ::Sleep(10);
    if (bAnotherTracking)
      ::PostMessageA(hWndReceiver, nMsgTrackAnother, 0, 0);
    else
      Key(VK_ESCAPE);
    for (int i = 0; i < 500 && !bReturned; i++)
      ::Sleep(10);
    if (!bReturned) {
      bQuitPosted = true;
      ::PostThreadMessageA(dwThread, WM_QUIT, 0, 0);
    }
  });
  const bool bShown = pMenu->RunTrackingLoop(Menu::TPMX_NO_ANIMATION | Menu::TPMX_MODAL_LOOP, 150, 150);
  bReturned = true;
  driver.join();
  MSG msg;
  ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_TRUE(bShown);
  EXPECT_FALSE(bQuitPosted) << "the loop went on after its menu was deleted";
  EXPECT_EQ(1, CCountedMenu::s_nDeleted);
  if (bAnotherTracking) {
    ASSERT_NE(nullptr, pNext);
    EXPECT_EQ(pNext, Site().m_pTrackedMenu);
  } else {
    EXPECT_FALSE(Menu::AnyMenuTracked());
  }
}

INSTANTIATE_TEST_SUITE_P(Ends, ModalLoopEnd, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "another_tracking_takes_the_site" : "the_tracking_ends");
});

// Cancelling the mode of any menu of the chain ends the tracking; so does another application
// coming to the front, which every menu window hears of. The menu is freed once.
TEST_F(TrackingTest, CancelModeAndLeavingTheApplicationEndTheTracking) {
  for (UINT nMsg : {(UINT)WM_CANCELMODE, (UINT)WM_ACTIVATEAPP}) {
    for (int nLevel : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << nMsg << " level " << nLevel);
      CCountedMenu::s_nDeleted = 0;
      ASSERT_NE(nullptr, Track());
      CInputProbe probe;
      if (nLevel == 1)
        ASSERT_TRUE(probe.Key(VK_UP) && probe.Key(VK_RIGHT));
      std::vector<HWND> windows{MenuAtLevel(nLevel)->GetSafeHwnd()};
      if (nMsg == WM_ACTIVATEAPP && nLevel == 1)
        windows.push_back(MenuAtLevel(0)->GetSafeHwnd());
      for (HWND hWnd : windows)
        if (::IsWindow(hWnd))
          ::SendMessageA(hWnd, nMsg, FALSE, 0);
      ASSERT_TRUE(WaitUntil([] { return !Menu::AnyMenuTracked(); }));
      EXPECT_EQ(1, CCountedMenu::s_nDeleted);
      EXPECT_EQ(0u, m_nResult);
    }
  }
}

struct KeyRow {
  const char* name;
  std::vector<UINT> keys;
  bool bBarTracking;
  int nThrottled; // the first keys that come too soon after the last one
  int nLevel;     // of the hover menu, -1 once the tracking ended
  int nCurrent;   // in the hover menu
  UINT nCommand;
  int nNeighbour;     // -1 previous, 1 next
  bool bHeld = false; // the last key is held down and repeats once
  // The keyboard let Shift go, but the release went to another thread: only this thread holds it.
  bool bStaleShift = false;
};

// Holds Shift down in the thread's own key state alone while it lives, when asked to.
class CStaleShift {
public:
  explicit CStaleShift(bool bOn) : m_bOn(bOn && ::GetKeyboardState(m_saved)) {
    BYTE state[256];
    std::copy(m_saved, m_saved + 256, state);
    state[VK_SHIFT] |= 0x80, state[VK_LSHIFT] |= 0x80;
    if (m_bOn)
      ::SetKeyboardState(state);
  }
  ~CStaleShift() {
    if (m_bOn)
      ::SetKeyboardState(m_saved);
  }

private:
  BYTE m_saved[256] = {};
  bool m_bOn;
};

class TrackingKeys : public TrackingTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(TrackingKeys, EachKeyMovesAsTheTableSays) {
  const KeyRow& row = GetParam();
  CExtToolControlBar::g_bMenuTracking = row.bBarTracking;
  int nPrev = 0, nNext = 0;
  m_receiver.m_answer = [&](UINT nMsg, WPARAM, LPARAM) -> LRESULT {
    nPrev += nMsg == Menu::g_nMsgPopupPrev ? 1 : 0;
    nNext += nMsg == Menu::g_nMsgPopupNext ? 1 : 0;
    return 0;
  };
  ASSERT_NE(nullptr, Track());
  CInputProbe probe;
  const CStaleShift stale(row.bStaleShift);
  for (size_t i = 0; i < row.keys.size(); i++)
    ASSERT_TRUE(probe.Key(row.keys[i], (int)i < row.nThrottled, row.bHeld && i + 1 == row.keys.size()));
  Menu::DrainMessagesAndIdle();
  ASSERT_EQ(row.nLevel, HoverLevel());
  if (row.nLevel >= 0) {
    EXPECT_EQ(row.nCurrent, Site().m_pHoverMenu->GetCurrentItemIndex());
    EXPECT_TRUE(m_receiver.m_input.empty()); // no key, down or up, reached the application
  }
  EXPECT_EQ(row.nCommand, row.nLevel < 0 ? m_nResult : 0u);
  EXPECT_EQ(row.nCommand != 0 ? 1 : 0, row.nCommand != 0 ? Commands(row.nCommand) : 0);
  EXPECT_EQ(row.nNeighbour < 0 ? 1 : 0, nPrev);
  EXPECT_EQ(row.nNeighbour > 0 ? 1 : 0, nNext);
}

const KeyRow kKeyRows[] = {
    {"down moves on", {VK_DOWN}, false, 0, 0, 1, 0, 0},
    {"down passes the separator", {VK_DOWN, VK_DOWN}, false, 0, 0, 3, 0, 0},
    {"up wraps to the last", {VK_UP}, false, 0, 0, kSubIndex, 0, 0},
    {"down wraps to the first", {VK_UP, VK_DOWN}, false, 0, 0, 0, 0, 0},
    {"right opens a submenu at its first item", {VK_UP, VK_RIGHT}, false, 0, 1, 0, 0, 0},
    {"right opens the third level", {VK_UP, VK_RIGHT, VK_DOWN, VK_RIGHT}, false, 0, 2, 0, 0, 0},
    {"left closes the submenu", {VK_UP, VK_RIGHT, VK_LEFT}, false, 0, 0, kSubIndex, 0, 0},
    {"escape closes only the submenu", {VK_UP, VK_RIGHT, VK_ESCAPE}, false, 0, 0, kSubIndex, 0, 0},
    {"escape on the top menu ends", {VK_ESCAPE}, false, 0, -1, 0, 0, 0},
    {"alt ends the whole chain", {VK_UP, VK_RIGHT, VK_MENU}, false, 0, -1, 0, 0, 0},
    {"enter executes", {VK_DOWN, VK_RETURN}, false, 0, -1, 0, ID_BETA, 0},
    {"enter on a submenu opens it", {VK_UP, VK_RETURN}, false, 0, 1, 0, 0, 0},
    {"a unique accelerator executes", {VK_DOWN, 'A'}, false, 0, -1, 0, ID_ALPHA, 0},
    {"a shared accelerator selects", {'B'}, false, 0, 0, 1, 0, 0},
    {"a shared accelerator moves on", {'B', 'B'}, false, 0, 0, 3, 0, 0},
    {"a shared accelerator wraps", {'B', 'B', 'B'}, false, 0, 0, 1, 0, 0},
    {"an accelerator opens its submenu", {'S'}, false, 0, 1, 0, 0, 0},
    {"an accelerator in the third level", {'S', 'D', 'A'}, false, 0, -1, 0, ID_LAST, 0},
    {"an accelerator counts while only the thread holds shift",
     {VK_DOWN, 'A'},
     false,
     0,
     -1,
     0,
     ID_ALPHA,
     0,
     false,
     true},
    {"left on the top menu alone does nothing", {VK_LEFT}, false, 0, 0, 0, 0, 0},
    {"right on a command alone does nothing", {VK_RIGHT}, false, 0, 0, 0, 0, 0},
    {"left on a bar's menu asks for the previous", {VK_LEFT}, true, 0, 0, 0, 0, -1},
    {"right on a bar's command asks for the next", {VK_RIGHT}, true, 0, 0, 0, 0, 1},
    {"left in a bar's submenu closes it", {VK_UP, VK_RIGHT, VK_LEFT}, true, 0, 0, kSubIndex, 0, 0},
    // Keys typed while the program was busy come in together: each press counts.
    {"a press soon after the last counts", {VK_DOWN, VK_DOWN}, false, 2, 0, 3, 0, 0},
    {"a repeat too soon after the last is dropped", {VK_DOWN}, false, 1, 0, 1, 0, 0, true},
    {"a repeat long after the last counts", {VK_DOWN}, false, 0, 0, 3, 0, 0, true},
};

INSTANTIATE_TEST_SUITE_P(Table, TrackingKeys, ::testing::ValuesIn(kKeyRows), menu_paint::CaseName());

// A menu shown at once (as a bar's menus are, and any menu without animation) has its whole picture
// up as it appears; a key typed before its one animation step, a timer that comes after every
// input, counts.
TEST_F(TrackingTest, AKeyTypedAtAMenuShownAtOnceCountsBeforeItsAnimationStep) {
  std::unique_ptr<CCountedMenu> pOwned(MakeChain(m_receiver.m_hWnd));
  ASSERT_NE(nullptr, pOwned);
  ASSERT_TRUE(pOwned->RunTrackingLoop(Menu::TPMX_NO_ANIMATION | Menu::TPMX_SELECT_FIRST, 150, 150, NULL, NULL,
                                      NULL, &m_nResult));
  CCountedMenu* pMenu = pOwned.release(); // the tracking's now
  ASSERT_TRUE(::IsWindowVisible(pMenu->m_hWnd));
  // Nothing pumped yet: the step has not come.
  ASSERT_EQ(pMenu, Site().m_pAnimatedMenu);
  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000;
  Key(VK_DOWN); // queued before the thread looks at its messages again
  EXPECT_TRUE(WaitUntil([&] { return pMenu->GetCurrentItemIndex() == 1; }, 2000));
  EXPECT_EQ(nullptr, Site().m_pAnimatedMenu);
  EXPECT_TRUE(m_receiver.m_input.empty()); // the key stayed with the menu
}

TEST_F(TrackingTest, AClickOnACommandPostsIt) {
  CCountedMenu* pMenu = Track();
  ASSERT_NE(nullptr, pMenu);
  CInputProbe probe;
  ASSERT_TRUE(probe.Key(VK_UP) && probe.Key(VK_RIGHT)); // a submenu open too
  ASSERT_EQ(1, HoverLevel());
  ASSERT_TRUE(probe.Click(ItemCentre(*pMenu, 1)));
  ASSERT_TRUE(WaitUntil([&] { return !Menu::AnyMenuTracked(); }));
  Menu::DrainMessagesAndIdle();
  EXPECT_EQ(1, Commands(ID_BETA));
  EXPECT_EQ(std::vector<UINT>{}, m_receiver.m_input);
}

struct OutsidePressRow {
  const char* name;
  bool bRight;
  bool bOnPushButton; // a push button beneath, else the receiver's own client area
};

class TrackingOutsidePress : public TrackingTest, public ::testing::WithParamInterface<OutsidePressRow> {};

// A press outside the chain ends the tracking and reaches the window beneath; its release belongs to
// the press that closed the menu and is swallowed, so the window beneath sees no click: a push button
// there is left neither held nor clicked. The next click is the window's own again.
TEST_P(TrackingOutsidePress, ReachesTheWindowBeneathWithoutItsRelease) {
  const OutsidePressRow& row = GetParam();
  const UINT kButtonId = 0x8431;
  CButton button;
  ASSERT_TRUE(button.Create("Beneath", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(400, 300, 500, 340),
                            &m_receiver, kButtonId));
  const CPoint pt = row.bOnPushButton ? CPoint(550, 420) : CPoint(600, 500);
  const UINT nDown = row.bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
  const UINT nUp = row.bRight ? WM_RBUTTONUP : WM_LBUTTONUP;
  CCountedMenu* pMenu = Track();
  ASSERT_NE(nullptr, pMenu);
  CInputProbe probe;
  ASSERT_TRUE(probe.Key(VK_UP) && probe.Key(VK_RIGHT)); // a submenu open too
  ASSERT_EQ(1, HoverLevel());
  ASSERT_TRUE(probe.Click(pt, row.bRight));
  ASSERT_TRUE(WaitUntil([&] { return !Menu::AnyMenuTracked(); }));
  Menu::DrainMessagesAndIdle();
  EXPECT_TRUE(NoHooks());
  if (row.bOnPushButton) {
    EXPECT_EQ(0, Commands(kButtonId));
    EXPECT_EQ(0u, button.GetState() & BST_PUSHED);
    EXPECT_EQ(NULL, ::GetCapture());
  } else {
    EXPECT_EQ(std::vector<UINT>{nDown}, m_receiver.m_input);
  }

  ASSERT_TRUE(probe.Click(pt, row.bRight));
  Menu::DrainMessagesAndIdle();
  if (row.bOnPushButton)
    EXPECT_EQ(1, Commands(kButtonId));
  else
    EXPECT_EQ((std::vector<UINT>{nDown, nDown, nUp}), m_receiver.m_input);
}

const OutsidePressRow kOutsidePressRows[] = {
    {"LeftOnTheWindow", false, false},
    {"RightOnTheWindow", true, false},
    {"LeftOnAPushButton", false, true},
};
INSTANTIATE_TEST_SUITE_P(Table, TrackingOutsidePress, ::testing::ValuesIn(kOutsidePressRows),
                         menu_paint::CaseName());

TEST_F(TrackingTest, ASubmenuOpensAfterTheDelayUnlessThePointerMovesOn) {
  for (bool bMoveOn : {false, true}) {
    SCOPED_TRACE(bMoveOn);
    ASSERT_TRUE(RestPointer());
    CCountedMenu* pMenu = Track();
    ASSERT_NE(nullptr, pMenu);
    CInputProbe probe;
    CExtPopupMenuWnd* pSub = pMenu->ItemGetPopup(kSubIndex);
    ASSERT_TRUE(probe.Move(ItemCentre(*pMenu, kSubIndex)));
    EXPECT_EQ(kSubIndex, pMenu->GetCurrentItemIndex());
    EXPECT_FALSE(pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible());
    EXPECT_EQ(kSubIndex, pMenu->m_nPendingSubmenuIndex);
    if (bMoveOn) {
      ASSERT_TRUE(probe.Move(ItemCentre(*pMenu, 0)));
      EXPECT_EQ(-1, pMenu->m_nPendingSubmenuIndex);
    }
    EXPECT_EQ(!bMoveOn,
              WaitUntil([&] { return pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible(); }, 1500));
    Menu::CancelAllTracking();
  }
}

TEST_F(TrackingTest, TheKeyHookActsOnlyOnTakenKeysAndPassesKeysOnWhileTheEndRuns) {
  CCountedMenu* pMenu = Track();
  ASSERT_NE(nullptr, pMenu);
  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000;
  // A key only looked at comes again when taken: nothing moves and the key goes on.
  EXPECT_EQ(0, CExtPopupTrackSite::KeyboardHookProc(HC_NOREMOVE, VK_DOWN, 1));
  EXPECT_EQ(0, pMenu->GetCurrentItemIndex());
  EXPECT_EQ(1, CExtPopupTrackSite::KeyboardHookProc(HC_ACTION, VK_DOWN, 1));
  EXPECT_EQ(1, pMenu->GetCurrentItemIndex());
  // While the chain is taken down, keys typed belong to the application.
  Site().m_nStateFlags |= CExtPopupTrackSite::SITE_ENDING;
  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000;
  EXPECT_EQ(0, CExtPopupTrackSite::KeyboardHookProc(HC_ACTION, 'X', 1));
  EXPECT_EQ(0, CExtPopupTrackSite::KeyboardHookProc(HC_ACTION, 'X', 0xC0000001));
  Site().m_nStateFlags &= ~CExtPopupTrackSite::SITE_ENDING;
  EXPECT_EQ(1, pMenu->GetCurrentItemIndex());
}

BOOL CALLBACK CountMenuWindow(HWND hWnd, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  *reinterpret_cast<int*>(lParam) += pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)) ? 1 : 0;
  return TRUE;
}

int MenuWindowsOfThread() {
  int nCount = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CountMenuWindow, (LPARAM)&nCount);
  return nCount;
}

// Random keys, moves and clicks on the three-level chain with fixed seeds: every tracking ends with
// no menu window and no hook left, its choice posted once, and the GDI and USER objects flat. The
// seeds run twice: the first pass makes what the menus make once and keep, the second, the same
// input again, must leave nothing behind.
TEST_F(TrackingTest, RandomInputEndsEveryTrackingCleanly) {
  const int nOldAnimation = CExtPopupBaseWnd::g_nDefaultAnimation;
  CExtPopupBaseWnd::g_nDefaultAnimation = CExtPopupBaseWnd::ANIM_NONE;
  const UINT keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_ESCAPE, VK_RETURN, 'B', 'S', 'D'};
  const auto objects = [] { return std::make_pair(GdiObjectsInUse(), UserObjectsInUse()); };
  std::pair<long, long> first;
  int nRounds = 0;
  for (int nPass = 0; nPass < 2; nPass++)
    for (unsigned nSeed : {7u, 19u, 23u}) {
      std::mt19937 rng(nSeed);
      for (int nRound = 0; nRound < 25; nRound++, nRounds++) {
        SCOPED_TRACE(::testing::Message() << "pass " << nPass << " seed " << nSeed << " round " << nRound);
        m_receiver.m_log.clear();
        ASSERT_TRUE(RestPointer());
        ASSERT_NE(nullptr, Track());
        CInputProbe probe;
        for (int nStep = 0; nStep < 15 && Menu::AnyMenuTracked(); nStep++) {
          const unsigned nKind = rng() % 3;
          if (nKind == 0) {
            ASSERT_TRUE(probe.Key(keys[rng() % 9]));
            continue;
          }
          CExtPopupMenuWnd* pAt = MenuAtLevel(rng() % 3);
          pAt = pAt != NULL ? pAt : MenuAtLevel(0);
          const CPoint pt = rng() % 4 == 0 ? CPoint(600, 500) : ItemCentre(*pAt, rng() % pAt->GetItemCount());
          CPoint ptNow;
          if (nKind == 1 && ::GetCursorPos(&ptNow) && std::abs(ptNow.x - pt.x) <= 1 &&
              std::abs(ptNow.y - pt.y) <= 1)
            continue; // no move where the pointer is
          ASSERT_TRUE(nKind == 1 ? probe.Move(pt) : probe.Click(pt));
        }
        Menu::CancelAllTracking();
        Menu::DrainMessagesAndIdle();
        EXPECT_EQ(0, MenuWindowsOfThread());
        EXPECT_TRUE(NoHooks());
        EXPECT_EQ(nRounds + 1, CCountedMenu::s_nDeleted);
        std::vector<WPARAM> posted;
        for (const auto& m : m_receiver.m_log)
          if (m.nMsg == WM_COMMAND)
            posted.push_back(m.wParam);
        EXPECT_EQ(m_nResult != 0 ? std::vector<WPARAM>{m_nResult} : std::vector<WPARAM>{}, posted);
        if (nRounds == 74)
          first = objects();
      }
    }
  EXPECT_EQ(first, objects());
  CExtPopupBaseWnd::g_nDefaultAnimation = nOldAnimation;
}

struct WindowStateRow {
  const char* name;
  int nShow;
  const char* enabled; // restore, move, size, minimise, maximise, close: '+' enabled
};

class TrackingWindowCommands : public ::testing::TestWithParam<WindowStateRow> {};

TEST_P(TrackingWindowCommands, TakeTheStatesTheChildsPlacementAllows) {
  CLabFrame* pFrame = CreateLabFrame();
  ASSERT_NE(nullptr, pFrame);
  CLabChild* pChild = OpenLabChild(pFrame, "child");
  ASSERT_NE(nullptr, pChild);
  pChild->ShowWindow(GetParam().nShow);
  Menu::DrainMessagesAndIdle();
  auto* pMenu = new Menu;
  ASSERT_TRUE(pMenu->BuildFromMenuHandle(
      pChild->m_hWnd, CMenu::FromHandle(::GetSystemMenu(pChild->m_hWnd, FALSE)), false, true, true));
  ASSERT_TRUE(pMenu->RunTrackingLoop(Menu::TPMX_NO_ANIMATION, 300, 300));
  std::string enabled;
  for (UINT nCmdId : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE}) {
    char chState = '?'; // no such item
    for (int i = 0; i < pMenu->GetItemCount(); i++)
      if (pMenu->GetItemAt(i).m_nCmdId == nCmdId)
        chState = pMenu->ItemIsEnabled(i) ? '+' : '-';
    enabled += chState;
  }
  EXPECT_EQ(GetParam().enabled, enabled);
  Menu::CancelAllTracking();
  DestroyLabFrame(pFrame);
}

INSTANTIATE_TEST_SUITE_P(Table, TrackingWindowCommands,
                         ::testing::Values(WindowStateRow{"normal", SW_SHOWNORMAL, "-+++++"},
                                           WindowStateRow{"maximised", SW_SHOWMAXIMIZED, "+--+-+"},
                                           WindowStateRow{"minimised", SW_SHOWMINIMIZED, "+---++"}),
                         menu_paint::CaseName());

// A resizable dialog that records the window commands it is given instead of carrying them out.
class CSysMenuDialog : public CExtResizableDialog {
public:
  std::vector<UINT> m_commands;

protected:
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override {
    if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) != SC_KEYMENU) {
      m_commands.push_back((UINT)(wParam & 0xFFF0));
      return 0;
    }
    return CExtResizableDialog::WindowProc(nMessage, wParam, lParam);
  }
};

TEST_F(TrackingTest, TheResizableDialogsSystemMenuIsATrackedMenuThatPostsTheWindowCommand) {
  struct {
    DLGTEMPLATE dlg;
    WORD wMenu, wClass, wTitle, wPad;
  } tmpl = {
      {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME, 0, 0, 20, 20, 160, 100}, 0, 0, 0, 0};
  CSysMenuDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(&tmpl.dlg, NULL));
  ASSERT_TRUE(Activate(dlg.m_hWnd));
  const CPoint pt(300, 300);
  ASSERT_TRUE(dlg.ShowSystemMenu(&pt, TRUE));
  CExtPopupMenuWnd* pMenu = Site().m_pTrackedMenu;
  ASSERT_NE(nullptr, pMenu);
  EXPECT_EQ(dlg.m_hWnd, pMenu->GetCmdReceiverHWND());
  ASSERT_TRUE(WaitUntil([&] { return Site().m_pAnimatedMenu == NULL; }));
  CInputProbe probe;
  ASSERT_TRUE(probe.Key('C')); // "&Close"
  ASSERT_TRUE(WaitUntil([&] { return !dlg.m_commands.empty(); }));
  EXPECT_EQ(std::vector<UINT>{SC_CLOSE}, dlg.m_commands);
  EXPECT_FALSE(Menu::AnyMenuTracked());
  dlg.DestroyWindow();
}

} // namespace
