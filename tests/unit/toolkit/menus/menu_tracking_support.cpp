#include "tests/unit/toolkit/menus/menu_tracking_support.h"

#include "tests/common/window_support.h"

#include <cstdlib>
#include <ctime>
#include <thread>

namespace menu_tracking {

namespace {

std::vector<void*>& DeletedBlocks() {
  static std::vector<void*> blocks;
  return blocks;
}

void SendFromDriver(std::vector<INPUT> inputs) {
  std::thread driver([&] { ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)); });
  driver.join();
}

INPUT MouseInput(CPoint pt, DWORD dwFlags) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = (pt.x * 65536 + cx - 1) / cx;
  in.mi.dy = (pt.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return in;
}

} // namespace

LRESULT CTrackReceiver::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && ::InSendMessage())
    ++m_nSentCommands;
  if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
      (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK))
    m_input.push_back(message);
  return menu_paint::CMenuReceiver::WindowProc(message, wParam, lParam);
}

int CCountedMenu::s_nDeleted = 0;
HWND CCountedMenu::s_hWndPoison = NULL;

void CCountedMenu::operator delete(void* p, size_t n) {
  HWND* pSlots = static_cast<HWND*>(p);
  for (size_t i = 0; i < n / sizeof(HWND); i++)
    pSlots[i] = s_hWndPoison;
  DeletedBlocks().push_back(p);
}

void ReleaseDeletedMenus() {
  for (void* p : DeletedBlocks())
    ::operator delete(p);
  DeletedBlocks().clear();
}

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

CExtPopupMenuWnd* MenuAtLevel(int nLevel) {
  CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
  for (int i = 0; pMenu != NULL && i < nLevel; i++) {
    CExtPopupMenuWnd* pChild = pMenu->ItemGetPopup(pMenu->GetCurrentItemIndex());
    pMenu = pChild != NULL && pChild->GetSafeHwnd() != NULL && pChild->IsWindowVisible() ? pChild : NULL;
  }
  return pMenu;
}

int HoverLevel() {
  const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  if (site.IsEmpty())
    return -1;
  for (int nLevel = 0; nLevel < 3; nLevel++)
    if (MenuAtLevel(nLevel) == site.m_pHoverMenu)
      return nLevel;
  return -2;
}

void PressKey(UINT nVirtKey) {
  INPUT in[2] = {};
  for (INPUT& input : in) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = (WORD)nVirtKey;
    input.ki.wScan = (WORD)::MapVirtualKeyA(nVirtKey, 0);
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendFromDriver({in[0], in[1]});
}

void MoveTo(CPoint ptScreen) { SendFromDriver({MouseInput(ptScreen, 0)}); }

CPoint ItemCentre(CExtPopupMenuWnd& menu, int nIndex) {
  CRect rc;
  menu.GetItemRect(nIndex, rc);
  menu.ClientToScreen(&rc);
  return rc.CenterPoint();
}

int CInputProbe::s_nKeyUps = 0;
int CInputProbe::s_nButtonUps = 0;
CPoint CInputProbe::s_ptLast(-1, -1);

CInputProbe::CInputProbe()
    : m_hKey(::SetWindowsHookExA(WH_KEYBOARD, &KeyProc, NULL, ::GetCurrentThreadId())),
      m_hMouse(::SetWindowsHookExA(WH_MOUSE, &MouseProc, NULL, ::GetCurrentThreadId())) {
  EXPECT_TRUE(m_hKey != NULL && m_hMouse != NULL);
}

CInputProbe::~CInputProbe() {
  if (m_hKey != NULL)
    ::UnhookWindowsHookEx(m_hKey);
  if (m_hMouse != NULL)
    ::UnhookWindowsHookEx(m_hMouse);
}

LRESULT CALLBACK CInputProbe::KeyProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && (lParam & 0x80000000) != 0)
    ++s_nKeyUps;
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK CInputProbe::MouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION) {
    const auto* pData = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (wParam == WM_LBUTTONUP || wParam == WM_RBUTTONUP || wParam == WM_NCLBUTTONUP ||
        wParam == WM_NCRBUTTONUP)
      ++s_nButtonUps;
    s_ptLast = pData->pt;
  }
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

bool CInputProbe::Key(UINT nVirtKey, bool bTooSoon) {
  // A menu still appearing takes no keys.
  if (!WaitUntil([] { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL; }))
    return false;
  const DWORD dwNow = (DWORD)std::clock();
  CExtPopupTrackSite::g_nLastKeyTime = bTooSoon ? dwNow + 100000 : dwNow - 1000;
  const int nBefore = s_nKeyUps;
  PressKey(nVirtKey);
  return WaitUntil([&] { return s_nKeyUps > nBefore; });
}

bool CInputProbe::Move(CPoint ptScreen) {
  s_ptLast = CPoint(-1, -1);
  MoveTo(ptScreen);
  // The absolute coordinates of the input may land a pixel off.
  return WaitUntil(
      [&] { return std::abs(s_ptLast.x - ptScreen.x) <= 1 && std::abs(s_ptLast.y - ptScreen.y) <= 1; });
}

bool CInputProbe::Click(CPoint ptScreen) {
  const int nBefore = s_nButtonUps;
  SendFromDriver({MouseInput(ptScreen, 0), MouseInput(ptScreen, MOUSEEVENTF_LEFTDOWN),
                  MouseInput(ptScreen, MOUSEEVENTF_LEFTUP)});
  return WaitUntil([&] { return s_nButtonUps > nBefore; });
}

bool WaitUntil(const std::function<bool()>& pred, int nTimeoutMs) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    CExtPopupMenuWnd::DrainMessagesAndIdle(false);
    if (pred())
      return true;
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return pred();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
}

bool Activate(HWND hWnd) {
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  ::SetFocus(hWnd);
  return WaitUntil([&] { return ::GetFocus() == hWnd; });
}

} // namespace menu_tracking
