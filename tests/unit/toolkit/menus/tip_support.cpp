#include "tests/unit/toolkit/menus/tip_support.h"

#include "toolkit/menus/ExtPopupTrackSite.h"

#include <vector>

namespace tip_test {

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

ExtIconPtr_t MakeSolidIcon(COLORREF clr) {
  const std::vector<BYTE> mask(32, 0);
  const std::vector<DWORD> bits(16 * 16, (DWORD)GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr));
  return ExtIconPtr_t(
      ::CreateIcon(NULL, 16, 16, 1, 32, mask.data(), reinterpret_cast<const BYTE*>(bits.data())));
}

void TipTest::SetUp() {
  ASSERT_TRUE(m_host.CreateHost("tips", WS_POPUP, 100, 100));
  ASSERT_TRUE(m_menu.CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
  ::SetCursorPos(350, 315);
  m_tip.SetText("Tip text");
  m_tip.SetTipStyle(CExtPopupMenuTipWnd::TIP_RECT_BELOW_CURSOR_NO_ICON);
}

void TipTest::TearDown() {
  CExtPopupMenuTipWnd::g_pfnIsBarDragging = NULL;
  g_PopupTrackSite.m_pTrackedMenu = g_PopupTrackSite.m_pHoverMenu = NULL;
}

} // namespace tip_test
