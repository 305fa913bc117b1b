// The tip window shown for a hover rectangle: its delays, what hides it, a menu's own tip, and the
// program's end with tips still held.
#include "tests/common/import_patch.h"
#include "tests/unit/toolkit/menus/tip_support.h"

#include <thread>

namespace {

using menu_paint::WaitUntil;
using tip_test::TipTest;
typedef CExtPopupMenuTipWnd Tip;

const CRect kRcA(300, 300, 400, 330), kRcB(320, 305, 420, 335); // both hold the pointer

// Presses or releases a mouse button (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) or Alt through SendInput.
void SendButtonOrKey(int nVirtKey, bool bDown) {
  // The right and middle buttons' flags are the left's, shifted.
  const int nShift = nVirtKey == VK_RBUTTON ? 2 : nVirtKey == VK_MBUTTON ? 4 : 0;
  INPUT in = {INPUT_MOUSE};
  in.mi.dwFlags = (bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP) << nShift;
  if (nVirtKey == VK_MENU) {
    in.type = INPUT_KEYBOARD;
    in.ki = {VK_MENU, 0, (DWORD)(bDown ? 0 : KEYEVENTF_KEYUP)};
  }
  ::SendInput(1, &in, sizeof(INPUT));
}

TEST_F(TipTest, ShowsAfterItsDelayAtOnceWhenATipWasUpAndNotAgainForTheSamePlace) {
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, kRcA));
  auto visible = [&] { return m_tip.IsTipVisible(); };
  EXPECT_FALSE(WaitUntil(visible, 500)) << "a first tip waits its second";
  ASSERT_TRUE(WaitUntil(visible));
  EXPECT_TRUE(m_tip.ShowBalloon(&m_host, kRcA) && m_tip.IsTipVisible()) << "the same place changes nothing";
  EXPECT_TRUE(m_tip.ShowBalloon(&m_host, kRcB) && !m_tip.IsTipVisible());
  EXPECT_TRUE(WaitUntil(visible, 500)) << "the next tip follows at once";
  // Another window at the same place gets a tip of its own.
  EXPECT_TRUE(m_tip.ShowBalloon(&m_menu, kRcB) && !m_tip.IsTipVisible() &&
              ::GetWindow(m_tip.GetSafeHwnd(), GW_OWNER) == m_menu.GetSafeHwnd());
  m_tip.SetTipStyle(Tip::TIP_OFF);
  EXPECT_TRUE(m_tip.ShowBalloon(&m_host, kRcA) && !m_tip.IsTipVisible());
}

// What hides a tip: a button or Alt held down (its virtual key), or one of these.
enum { LEAVE = -1, ACTIVATE_APP = -2, BAR_DRAG = -3, MENU_TRACKED = -4, MENU_TRACKED_OWN_TIP = -5 };
class TipHiding : public TipTest, public ::testing::WithParamInterface<int> {};

TEST_P(TipHiding, HidesWhenItsAreaIsLeftAButtonOrAltIsDownOrSomethingElseTakesOver) {
  const int nCause = GetParam();
  const bool bHides = nCause != MENU_TRACKED_OWN_TIP; // only the menus' own tips stay while one is tracked
  ASSERT_TRUE(m_tip.ShowBalloon(bHides ? static_cast<CWnd*>(&m_host) : &m_menu, kRcA) &&
              WaitUntil([&] { return m_tip.IsTipVisible(); }));
  if (nCause > 0)
    SendButtonOrKey(nCause, true);
  if (nCause == LEAVE)
    ::SetCursorPos(700, 700);
  if (nCause == ACTIVATE_APP)
    m_tip.SendMessage(WM_ACTIVATEAPP, FALSE, 0);
  if (nCause == BAR_DRAG)
    Tip::g_pfnIsBarDragging = [] { return true; };
  if (nCause <= MENU_TRACKED)
    g_PopupTrackSite.m_pTrackedMenu = &m_menu;
  if (!bHides)
    m_tip.SendMessage(WM_TIMER, Tip::ID_TIMER_AUTO_HIDE);
  EXPECT_EQ(bHides, WaitUntil([&] { return !m_tip.IsTipVisible(); }, bHides ? 5000 : 0));
  if (nCause > 0) {
    SendButtonOrKey(nCause, false);
    WaitUntil([&] { return ::GetAsyncKeyState(nCause) >= 0; });
  }
}

INSTANTIATE_TEST_SUITE_P(Tips, TipHiding,
                         ::testing::Values(LEAVE, VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_MENU, ACTIVATE_APP,
                                           BAR_DRAG, MENU_TRACKED, MENU_TRACKED_OWN_TIP));

TEST_F(TipTest, AMenuCountsItsOwnTipOnlyAsTheHoverMenuWithEffectsAndHidesIt) {
  ASSERT_TRUE(m_menu.m_tip.ShowBalloon(&m_menu, kRcA) &&
              WaitUntil([&] { return m_menu.m_tip.IsTipVisible(); }));
  for (const auto& [bHover, dwFlags] : {std::make_pair(true, 0ul), std::make_pair(false, 0ul),
                                        std::make_pair(true, (DWORD)CExtPopupMenuWnd::TPMX_DISPLAY_ONLY)}) {
    g_PopupTrackSite.m_pHoverMenu = bHover ? &m_menu : NULL;
    m_menu.SetTrackFlags(dwFlags);
    EXPECT_EQ(bHover && dwFlags == 0, m_menu.IsOwnTipVisible()) << bHover << dwFlags;
  }
  m_menu.HideOwnTip(true);
  EXPECT_FALSE(m_menu.m_tip.IsTipVisible());
}

// Ends the process with code 3 when a timer of no window is killed.
BOOL WINAPI GuardedKillTimer(HWND hWnd, UINT_PTR nId) {
  if (!::IsWindow(hWnd))
    ::ExitProcess(3);
  return reinterpret_cast<BOOL(WINAPI*)(HWND, UINT_PTR)>(
      ::GetProcAddress(::GetModuleHandleA("user32.dll"), "KillTimer"))(hWnd, nId);
}

// At the exit: a top-level menu whose tip went with its owner, a tip whose window went with the
// thread that made it, and the site's tip still up.
void ExitWithTipsHeld() {
  static CHostWnd hostStays;
  static CExtPopupMenuWnd menu;
  static CExtPopupMenuTipWnd tipOfAThread;
  std::thread([] { tipOfAThread.ShowBalloon(NULL, kRcA); }).join();
  CHostWnd hostGone;
  if (!hostStays.CreateHost("stays", WS_POPUP) || !hostGone.CreateHost("gone", WS_POPUP) ||
      !menu.InitTopLevel(hostStays.GetSafeHwnd()) || !::SetCursorPos(350, 315))
    std::exit(2);
  menu.m_tip.ShowBalloon(&hostGone, kRcA);
  g_PopupTrackSite.m_tipShared.ShowBalloon(&hostStays, kRcB);
  hostGone.DestroyWindow();
  // Left in place to the very end: the tracking site is destroyed last.
  static CImportPatch* pGuard = new CImportPatch("user32.dll", "KillTimer", (FARPROC)&GuardedKillTimer);
  std::exit(pGuard->Applied() ? 0 : 4);
}

TEST(TipExitDeathTest, TopLevelObjectsDropTheirTipsAtExitWithoutTouchingADeadWindow) {
  EXPECT_EXIT(ExitWithTipsHeld(), ::testing::ExitedWithCode(0), "");
}

} // namespace
