#include "tests/unit/toolkit/menus/tip_support.h"

#include "toolkit/menus/ExtPopupTrackSite.h"

#include <vector>

namespace tip_test {

void SendButtonOrKey(int nVirtKey, bool bDown) {
  INPUT in = {};
  in.type = nVirtKey == VK_MENU ? INPUT_KEYBOARD : INPUT_MOUSE;
  in.ki.wVk = (WORD)nVirtKey;
  in.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
  if (in.type == INPUT_MOUSE) // the right and middle buttons' flags are the left's, shifted
    in.mi = {0, 0, 0,
             (DWORD)(bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP) << (nVirtKey == VK_LBUTTON   ? 0
                                                                            : nVirtKey == VK_RBUTTON ? 2
                                                                                                     : 4)};
  ::SendInput(1, &in, sizeof(INPUT));
}

HICON MakeSolidIcon(COLORREF clr) {
  const std::vector<BYTE> mask(32, 0);
  const std::vector<DWORD> color(16 * 16, (DWORD)GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr));
  return ::CreateIcon(NULL, 16, 16, 1, 32, mask.data(), reinterpret_cast<const BYTE*>(color.data()));
}

static bool g_bReferenceFired = false;
static void CALLBACK OnReference(HWND, UINT, UINT_PTR, DWORD) { g_bReferenceFired = true; }

bool TipShowsBefore(CExtPopupMenuTipWnd& tip, UINT nMs) {
  g_bReferenceFired = false;
  const UINT_PTR nTimer = ::SetTimer(NULL, 0, nMs, &OnReference);
  menu_paint::WaitUntil([&] { return tip.IsTipVisible() || g_bReferenceFired; });
  ::KillTimer(NULL, nTimer);
  return tip.IsTipVisible() && !g_bReferenceFired;
}

void TipTest::SetUp() {
  ASSERT_TRUE(m_host.CreateHost("tips", WS_POPUP, 100, 100));
  ASSERT_TRUE(m_menu.CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
  ::SetCursorPos(m_ptPointer.x, m_ptPointer.y);
  m_tip.SetText("Tip text");
  m_tip.SetTipStyle(CExtPopupMenuTipWnd::TIP_RECT_BELOW_CURSOR_NO_ICON);
}

void TipTest::TearDown() {
  CExtPopupMenuTipWnd::g_pfnIsBarDragging = NULL;
  g_PopupTrackSite.m_pTrackedMenu = g_PopupTrackSite.m_pHoverMenu = NULL;
  m_tip.DestroyWindow();
}

} // namespace tip_test
