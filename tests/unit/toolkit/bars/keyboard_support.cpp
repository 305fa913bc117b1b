#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <algorithm>
#include <ctime>

namespace {

// The program's main frame offers every message to its menu bar before its own pre-translation.
template <class TFrame> class CKeyboardFrame : public TFrame {
public:
  CKeyboardFrame(CExtMenuControlBar& bar, KeyboardFrameLog& log) : m_bar(bar), m_log(log) {}
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_bar.GetSafeHwnd() != NULL && m_bar.TranslateFrameKeyboard(pMsg))
      return TRUE;
    return TFrame::PreTranslateMessage(pMsg);
  }
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override {
    if (nMessage == CExtMenuControlBar::g_nMsgPrepareSystemMenu)
      ++m_log.nPrepareSystemMenu;
    if (nMessage == WM_COMMAND && LOWORD(wParam) >= ID_KB_NEW && LOWORD(wParam) <= ID_KB_ZOOM) {
      m_log.commands.push_back(LOWORD(wParam));
      return 0;
    }
    return TFrame::WindowProc(nMessage, wParam, lParam);
  }

private:
  CExtMenuControlBar& m_bar;
  KeyboardFrameLog& m_log;
};

const char kProfile[] = "keyboard-lab-profile";
const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                        CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;

} // namespace

HMENU CreateKeyboardTestMenu() {
  HMENU hMenu = ::CreateMenu();
  const struct {
    LPCSTR pszMenu, pszItem;
    UINT nId;
  } items[] = {
      {"&File", "&New", ID_KB_NEW}, {"&Edit", "&Undo", ID_KB_UNDO}, {"&Help", "&About", ID_KB_ABOUT}};
  for (const auto& item : items) {
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenuA(hPopup, MF_STRING, item.nId, item.pszItem);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, item.pszMenu);
  }
  return hMenu;
}

KeyboardLab::KeyboardLab(bool bMdi) {
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false; // as the program sets it
  if (bMdi)
    m_pFrame = new CKeyboardFrame<CMDIFrameWnd>(m_menuBar, m_log);
  else
    m_pFrame = new CKeyboardFrame<CFrameWnd>(m_menuBar, m_log);
  HMENU hMenu = CreateKeyboardTestMenu();
  if (!m_pFrame->CreateEx(0, NULL, "keyboard lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CRect(40, 40, 600, 400), NULL, (UINT)(UINT_PTR)hMenu)) {
    ::DestroyMenu(hMenu);
    delete m_pFrame;
    m_pFrame = NULL;
    return;
  }
  g_CmdManagerHolder->SetupProfile(kProfile, m_pFrame->m_hWnd);
  if (CExtCmdItem* pItem = g_CmdManagerHolder->AllocCommand(kProfile, ID_KB_ZOOM))
    pItem->m_sMenuText = pItem->m_sToolbarText = "&Zoom";
  if (!m_menuBar.Create(NULL, m_pFrame, ID_KB_MENU_BAR, kBarStyle) ||
      (!bMdi && !m_toolBar.Create(NULL, m_pFrame, ID_KB_TOOL_BAR, kBarStyle)))
    return;
  const UINT ids[] = {ID_KB_ZOOM};
  m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
  if (!bMdi) {
    m_toolBar.SetButtons(ids, 1);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
  }
  if (!CExtControlBar::FrameEnableDocking(m_pFrame, CBRS_ALIGN_ANY, true))
    return;
  m_pFrame->DockControlBar(&m_menuBar);
  if (!bMdi)
    m_pFrame->DockControlBar(&m_toolBar);
  m_pFrame->ShowWindow(SW_SHOW);
  m_pFrame->RecalcLayout();
  if (bMdi) {
    m_pChild = new CMDIChildWnd;
    if (!m_pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 250, 180),
                          static_cast<CMDIFrameWnd*>(m_pFrame)))
      return;
  }
  m_pFrame->UpdateWindow();
  m_bReady = ActivateWindow(m_pFrame->m_hWnd);
}

KeyboardLab::~KeyboardLab() {
  CloseAllMenus();
  CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
    m_pFrame->DestroyWindow();
  PumpPending();
}

HWND KeyboardLab::Client() const {
  CMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
  return pMdi != NULL ? pMdi->m_hWndMDIClient : NULL;
}

bool KeyboardLab::HasMenuButtons() {
  if (!m_bReady || m_menuBar.GetButtonCount() != 3)
    return false;
  if (m_pChild == NULL)
    return true;
  bool bMaximized = false;
  return m_menuBar.IsMdiMode() && m_menuBar.IsWindowHooked(Client()) &&
         WaitUntilTrue([&] { return m_menuBar.GetHookedWindow() == m_pChild->m_hWnd; }) &&
         m_menuBar.GetActiveMdiChildWnd(bMaximized) == m_pChild->m_hWnd && !bMaximized;
}

MSG KeyMessage(HWND hWnd, UINT nMessage, UINT nVirtKey) {
  const bool bUp = nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP;
  const bool bAlt = nMessage == WM_SYSKEYDOWN || nMessage == WM_SYSKEYUP;
  MSG msg = {
      hWnd, nMessage, nVirtKey,
      (LPARAM)(1 | (::MapVirtualKeyA(nVirtKey, 0) << 16) | (bAlt ? (1u << 29) : 0) | (bUp ? (3u << 30) : 0))};
  return msg;
}

HeldKeys::HeldKeys(std::initializer_list<UINT> keys) {
  ::GetKeyboardState(m_saved);
  BYTE state[256];
  std::copy(m_saved, m_saved + 256, state);
  for (UINT vk : keys)
    state[vk] |= 0x80;
  ::SetKeyboardState(state);
}

bool WaitUntilTrue(const std::function<bool()>& pred) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      if (pred())
        return true;
    }
    if (pred())
      return true;
    if (::GetTickCount() - dwStart > 5000)
      return pred();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
}

bool ActivateWindow(HWND hWnd) {
  // The pointer rests away from the window: over a menu bar it would move the highlight.
  real_input::MoveTo(POINT{1250, 1000});
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  ::SetFocus(hWnd);
  return WaitUntilTrue([&] {
    HWND hWndFocus = ::GetFocus();
    return ::GetForegroundWindow() == hWnd && (hWndFocus == hWnd || ::IsChild(hWnd, hWndFocus));
  });
}

void CloseAllMenus() {
  CExtToolControlBar::EndMenuTrackingInAllBars();
  CExtPopupMenuWnd::CancelAllTracking();
  WaitUntilTrue([] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
  CExtToolControlBar::g_bMenuTracking = false;
}

void PressKey(UINT nVirtKey) {
  // A menu still appearing takes no keys, nor one too soon after the last.
  WaitUntilTrue([] { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL; });
  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000;
  real_input::Key(nVirtKey);
}

bool IsSystemMenuOpen(CExtMenuControlBar& bar, HWND hWndOwner) {
  CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
  return CExtPopupMenuWnd::AnyMenuTracked() && pMenu != NULL && pMenu->GetCmdReceiverHWND() == hWndOwner &&
         bar.GetTrackedButton() < 0 && CExtToolControlBar::g_bMenuTracking;
}
