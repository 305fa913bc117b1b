// The tip window: its delays, what hides it, a menu's own tip, the program's end with tips held, and
// its place, shape and pixels: flips at the work area's edges, each style in every theme, the shadow.
#include "tests/common/import_patch.h"
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace {

using menu_paint::WaitUntil;
using pixel_support::DibSurface;
typedef CExtPopupMenuTipWnd Tip;

// A hidden host and a hidden menu window with a tip of the below-the-cursor style without icon, the
// pointer resting at (350, 315).
class TipTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_host.CreateHost("tips", WS_POPUP, 100, 100));
    ASSERT_TRUE(m_menu.CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    ::SetCursorPos(350, 315);
    m_tip.SetText("Tip text");
    m_tip.SetTipStyle(Tip::TIP_RECT_BELOW_CURSOR_NO_ICON);
  }
  void TearDown() override {
    Tip::g_pfnIsBarDragging = NULL;
    g_PopupTrackSite.m_pTrackedMenu = g_PopupTrackSite.m_pHoverMenu = NULL;
  }
  CHostWnd m_host;
  CExtPopupMenuWnd m_menu;
  Tip m_tip;
};

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

ExtIconPtr_t MakeSolidIcon(COLORREF clr) {
  const std::vector<BYTE> mask(32, 0);
  const std::vector<DWORD> bits(16 * 16, (DWORD)GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr));
  return ExtIconPtr_t(
      ::CreateIcon(NULL, 16, 16, 1, 32, mask.data(), reinterpret_cast<const BYTE*>(bits.data())));
}

// The hover rectangle is 40 by 20 at x, y (negative: from the work area's right or bottom). The
// tip is expected 13 below it (1), 3 above it (-1), with the balloon's tail at its anchor (2), or
// only inside the work area (0).
struct PlaceCase {
  const char* name;
  int nStyle, x, y;
  BYTE nFlags;
  int nWhere;
};
class TipPlacement : public TipTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(TipPlacement, FlipsWhereTheWorkAreaHasNoRoomAndStaysInsideIt) {
  const PlaceCase& c = GetParam();
  MonitorParams monitor;
  CExtPaintManager::GetMonitorAreaFromPoint(monitor, CPoint(640, 512));
  const CRect rcWork = monitor.m_rcWorkArea;
  const CRect rcHover(CPoint(c.x < 0 ? rcWork.right + c.x : c.x, c.y < 0 ? rcWork.bottom + c.y : c.y),
                      CSize(40, 20));
  ::SetCursorPos(640, 512); // outside the hover rectangle
  m_tip.SetTipStyle(c.nStyle);
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, rcHover));
  CRect rc, rcInside;
  m_tip.GetWindowRect(rc);
  EXPECT_EQ(c.nFlags, m_tip.m_nPlacementFlags);
  EXPECT_TRUE(rcInside.IntersectRect(rc, rcWork) && rcInside == rc);
  const int dx = (c.nFlags & 1) != 0 ? -1 : 1, dy = (c.nFlags & 2) != 0 ? -1 : 1;
  if (c.nWhere == 2) { // the tail's point is the anchor, 6 pixels inside the corner; the body keeps clear
    const CPoint pt = rcHover.TopLeft() + CSize(6, 6) - rc.TopLeft();
    EXPECT_TRUE(m_tip.m_rgnTip.PtInRegion(pt.x + dx, pt.y + 3 * dy) &&
                !m_tip.m_rgnTip.PtInRegion(pt.x - 4 * dx, pt.y + 2 * dy));
  } else if (c.nWhere != 0) {
    EXPECT_EQ(c.nWhere > 0 ? rcHover.bottom + 13 : rcHover.top - 3, c.nWhere > 0 ? rc.top : rc.bottom);
    EXPECT_EQ(rcHover.CenterPoint().x, dx < 0 ? rc.right : rc.left);
  }
}

INSTANTIATE_TEST_SUITE_P(Tips, TipPlacement,
                         ::testing::Values(PlaceCase{"RectBelow", 4, 300, 300, 0, 1},
                                           PlaceCase{"RectFlipsAtTheRight", 4, -50, 300, 1, 1},
                                           PlaceCase{"RectGoesAboveAtTheBottom", 4, 300, -30, 2, -1},
                                           PlaceCase{"RectAbove", 6, 300, 300, 0, -1},
                                           PlaceCase{"RectAboveGoesBelowAtTheTop", 5, 300, 2, 2, 1},
                                           PlaceCase{"RectClampedPastTheRight", 3, -10, 300, 1, 0},
                                           PlaceCase{"Balloon", 2, 300, 300, 0, 2},
                                           PlaceCase{"BalloonFlipsInTheCorner", 1, -40, -30, 3, 2}),
                         menu_paint::CaseName());

TEST_F(TipTest, EachStyleHasItsFrameAndAnIconOnlyWhenItShowsOneAndHasOneInEveryTheme) {
  const COLORREF kBack = RGB(255, 0, 255), kIcon = RGB(255, 0, 0), kInfo = ::GetSysColor(COLOR_INFOBK),
                 kFace = ::GetSysColor(COLOR_3DFACE);
  const ExtIconPtr_t icon = MakeSolidIcon(kIcon);
  m_tip.SetText("  Drag to make this menu float  ");
  EXPECT_EQ(CString("Drag to make this menu float"), m_tip.GetText());
  for (CRuntimeClass* pTheme : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                RUNTIME_CLASS(CExtPaintManagerOffice2003)}) {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(pTheme));
    DibSurface sheet(260, 7 * 70, kBack);
    for (int nStyle = 1; nStyle <= 7; ++nStyle) { // 7: style 1 with an empty icon
      SCOPED_TRACE(nStyle);
      m_tip.m_icon.AssignFromHIcon(nStyle == 7 ? NULL : icon.get(), true);
      m_tip.SetTipStyle(nStyle == 7 ? 1 : nStyle);
      ASSERT_TRUE(m_tip.ShowBalloon(&m_host, CRect(300, 300 + nStyle, 400, 320)));
      CRect rc;
      m_tip.GetClientRect(rc);
      DibSurface tip(rc.Width(), rc.Height(), kBack);
      m_tip.PaintTip(tip.dc());
      sheet.dc().BitBlt(10, nStyle * 70 - 65, rc.Width(), rc.Height(), &tip.dc(), 0, 0, SRCCOPY);
      const std::vector<COLORREF> px = tip.Pixels();
      EXPECT_EQ(nStyle % 2 == 1 && nStyle != 7, std::count(px.begin(), px.end(), kIcon) > 0);
      const int cx = rc.Width(), cy = rc.Height(), y = (m_tip.m_cyTail + cy) / 2, s = m_tip.GetShadowSize();
      if (nStyle <= 2 || nStyle == 7) // outside, dark edge, face frame, info colour in the body's middle row
        EXPECT_TRUE(tip.At(0, 0) == kBack && tip.At(0, y) == ::GetSysColor(COLOR_3DDKSHADOW) &&
                    tip.At(2, y) == kFace && tip.At(3, y) == kInfo);
      else // face top-left, black bottom-right, info colour inside, the shadow beside
        EXPECT_TRUE(tip.At(0, 0) == kFace && tip.At(cx - s - 1, cy - s - 1) == RGB(0, 0, 0) &&
                    tip.At(1, 1) == kInfo && tip.At(cx - 2, cy / 2) != kBack);
    }
    const std::string name = std::string("tip_styles_") + pTheme->m_lpszClassName + ".bmp";
    EXPECT_FALSE(pixel_support::SaveBmp({260, 7 * 70, sheet.Pixels()}, name.c_str()).empty());
  }
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
  // An '&' is shown, not taken as a mnemonic: it measures wider than a blank.
  CRgn rgn;
  auto width = [&](LPCSTR psz) {
    m_tip.SetText(psz);
    return m_tip.BuildBalloonRegion(DibSurface(10, 10).dc(), rgn, CRect(0, 0, 2000, 2000)).cx;
  };
  EXPECT_GT(width("Tip & text"), width("Tip  text"));
}

TEST_F(TipTest, TheRectangleTipsShadowDarkensTheScreenBeneath) {
  pattern_window::CPatternWindow pattern;
  ASSERT_TRUE(pattern.Create(CRect(0, 0, 900, 700), 0, true));
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, CRect(300, 300, 400, 320)) &&
              WaitUntil([&] { return m_tip.IsTipVisible(); }));
  CRect rc;
  m_tip.GetWindowRect(rc);
  // The sum of the channels on the screen, or in the pattern.
  auto sum = [](int x, int y, bool bScreen) {
    const COLORREF c = bScreen ? pixel_support::ReadWindow(NULL, CRect(x, y, x + 1, y + 1)).At(0, 0)
                               : pattern_window::PatternColor(x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
  };
  // In the band darker than the pattern, at most as dark as the shadow goes; past its end, the pattern.
  const int x = rc.right - 3, y = rc.top + 8;
  EXPECT_TRUE(WaitUntil(
      [&] { return sum(x, y, true) < sum(x, y, false) && sum(x, y, true) * 10 >= sum(x, y, false) * 6; }));
  EXPECT_EQ(sum(rc.right - 1, rc.top, false), sum(rc.right - 1, rc.top, true));
}

} // namespace
