#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <algorithm>
#include <ctime>

namespace {

const char kProfile[] = "keyboard-lab-profile";

LRESULT RecordPrepareSystemMenu(KeyboardFrameLog& log, LPARAM lParam) {
  ++log.nPrepareSystemMenu;
  log.hWndSystemMenu = reinterpret_cast<HWND>(lParam);
  return 0;
}

void SetCommandText(UINT nCmdId, LPCSTR lpszText) {
  CExtCmdItem* pItem = g_CmdManagerHolder->AllocCommand(kProfile, nCmdId);
  if (pItem == NULL)
    pItem = g_CmdManagerHolder->FindCommand(kProfile, nCmdId);
  if (pItem != NULL) {
    pItem->m_sMenuText = lpszText;
    pItem->m_sToolbarText = lpszText;
  }
}

} // namespace

BEGIN_MESSAGE_MAP(CKeyboardTestFrame, CFrameWnd)
ON_REGISTERED_MESSAGE(CExtMenuControlBar::g_nMsgPrepareSystemMenu, OnPrepareSystemMenu)
END_MESSAGE_MAP()

BOOL CKeyboardTestFrame::PreTranslateMessage(MSG* pMsg) {
  if (m_pMenuBar != NULL && m_pMenuBar->TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CKeyboardTestFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) >= ID_KB_NEW && LOWORD(wParam) <= ID_KB_ZOOM) {
    m_log.commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  return CFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CKeyboardTestFrame::OnPrepareSystemMenu(WPARAM, LPARAM lParam) {
  return RecordPrepareSystemMenu(m_log, lParam);
}

BEGIN_MESSAGE_MAP(CKeyboardMdiFrame, CMDIFrameWnd)
ON_REGISTERED_MESSAGE(CExtMenuControlBar::g_nMsgPrepareSystemMenu, OnPrepareSystemMenu)
END_MESSAGE_MAP()

BOOL CKeyboardMdiFrame::PreTranslateMessage(MSG* pMsg) {
  if (m_pMenuBar != NULL && m_pMenuBar->TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CKeyboardMdiFrame::OnPrepareSystemMenu(WPARAM, LPARAM lParam) {
  return RecordPrepareSystemMenu(m_log, lParam);
}

HMENU CreateKeyboardTestMenu() {
  HMENU hMenu = ::CreateMenu();
  HMENU hFile = ::CreatePopupMenu();
  ::AppendMenuA(hFile, MF_STRING, ID_KB_NEW, "&New");
  ::AppendMenuA(hFile, MF_STRING, ID_KB_EXIT, "E&xit");
  HMENU hEdit = ::CreatePopupMenu();
  ::AppendMenuA(hEdit, MF_STRING, ID_KB_UNDO, "&Undo");
  HMENU hHelp = ::CreatePopupMenu();
  ::AppendMenuA(hHelp, MF_STRING, ID_KB_ABOUT, "&About");
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hHelp, "&Help");
  return hMenu;
}

KeyboardFrameLab::KeyboardFrameLab() {
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false; // as the program sets it
  m_pFrame = new CKeyboardTestFrame;
  HMENU hMenu = CreateKeyboardTestMenu();
  if (!m_pFrame->CreateEx(0, NULL, "keyboard lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CRect(40, 40, 600, 400), NULL, (UINT)(UINT_PTR)hMenu)) {
    ::DestroyMenu(hMenu);
    delete m_pFrame;
    m_pFrame = NULL;
    return;
  }
  g_CmdManagerHolder->SetupProfile(kProfile, m_pFrame->m_hWnd);
  SetCommandText(ID_KB_ZOOM, "&Zoom");
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                        CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;
  if (!m_menuBar.Create(NULL, m_pFrame, ID_KB_MENU_BAR, dwStyle) ||
      !m_toolBar.Create(NULL, m_pFrame, ID_KB_TOOL_BAR, dwStyle | CBRS_SIZE_DYNAMIC))
    return;
  const UINT ids[] = {ID_KB_ZOOM};
  m_toolBar.SetButtons(ids, 1);
  m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
  m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
  if (!CExtControlBar::FrameEnableDocking(m_pFrame, CBRS_ALIGN_ANY, true))
    return;
  m_pFrame->DockControlBar(&m_menuBar);
  m_pFrame->DockControlBar(&m_toolBar);
  m_pFrame->m_pMenuBar = &m_menuBar;
  m_pFrame->ShowWindow(SW_SHOW);
  m_pFrame->RecalcLayout();
  m_pFrame->UpdateWindow();
  PumpPending();
  m_bReady = ActivateWindow(m_pFrame->m_hWnd);
}

KeyboardFrameLab::~KeyboardFrameLab() {
  CloseAllMenus();
  CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
    m_pFrame->DestroyWindow(); // the frame deletes itself
  PumpPending();
}

KeyboardMdiLab::KeyboardMdiLab() {
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
  m_pFrame = new CKeyboardMdiFrame;
  HMENU hMenu = CreateKeyboardTestMenu();
  if (!m_pFrame->CreateEx(0, NULL, "keyboard mdi lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CRect(40, 40, 600, 400), NULL, (UINT)(UINT_PTR)hMenu)) {
    ::DestroyMenu(hMenu);
    delete m_pFrame;
    m_pFrame = NULL;
    return;
  }
  if (m_pFrame->m_hWndMDIClient == NULL)
    return;
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                        CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;
  if (!m_menuBar.Create(NULL, m_pFrame, ID_KB_MENU_BAR, dwStyle))
    return;
  m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
  if (!CExtControlBar::FrameEnableDocking(m_pFrame, CBRS_ALIGN_ANY, true))
    return;
  m_pFrame->DockControlBar(&m_menuBar);
  m_pFrame->m_pMenuBar = &m_menuBar;
  m_pFrame->ShowWindow(SW_SHOW);
  m_pFrame->RecalcLayout();
  m_pChild = new CMDIChildWnd;
  if (!m_pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 250, 180),
                        m_pFrame)) {
    m_pChild = NULL;
    return;
  }
  m_pFrame->UpdateWindow();
  PumpPending();
  m_bReady = ActivateWindow(m_pFrame->m_hWnd);
}

bool KeyboardMdiLab::HasMdiHooks() {
  bool bMaximized = false;
  return m_bReady && m_menuBar.IsMdiMode() && m_menuBar.IsWindowHooked(m_pFrame->m_hWndMDIClient) &&
         WaitUntilTrue([&] { return m_menuBar.GetHookedWindow() == m_pChild->m_hWnd; }) &&
         m_menuBar.GetActiveMdiChildWnd(bMaximized) == m_pChild->m_hWnd && !bMaximized &&
         m_menuBar.GetButtonCount() == 3;
}

KeyboardMdiLab::~KeyboardMdiLab() {
  CloseAllMenus();
  CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
    m_pFrame->DestroyWindow();
  PumpPending();
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
  // The pointer rests away from the frame: a move over the menu bar would move its highlight.
  real_input::MoveTo(POINT{1250, 1000});
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  ::SetFocus(hWnd);
  return WaitUntilTrue([&] {
    HWND hWndFocus = ::GetFocus();
    return ::GetForegroundWindow() == hWnd && (hWndFocus == hWnd || ::IsChild(hWnd, hWndFocus));
  });
}

void PressKey(UINT nVirtKey) {
  // A menu still appearing takes no keys.
  WaitUntilTrue([] { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL; });
  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000;
  real_input::Key(nVirtKey);
}

void CloseAllMenus() {
  CExtToolControlBar::EndMenuTrackingInAllBars();
  CExtPopupMenuWnd::CancelAllTracking();
  WaitUntilTrue([] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
  CExtToolControlBar::g_bMenuTracking = false;
}

bool IsSystemMenuOpen(CExtMenuControlBar& bar, HWND hWndOwner, const KeyboardFrameLog& log) {
  CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
  return CExtPopupMenuWnd::AnyMenuTracked() && pMenu != NULL && pMenu->GetCmdReceiverHWND() == hWndOwner &&
         bar.GetTrackedButton() < 0 && log.hWndSystemMenu == hWndOwner;
}

MSG KeyMessage(HWND hWnd, UINT nMessage, UINT nVirtKey) {
  const bool bUp = nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP;
  const bool bAlt = nMessage == WM_SYSKEYDOWN || nMessage == WM_SYSKEYUP;
  MSG msg = {};
  msg.hwnd = hWnd;
  msg.message = nMessage;
  msg.wParam = nVirtKey;
  msg.lParam =
      1 | ((LPARAM)::MapVirtualKeyA(nVirtKey, 0) << 16) | (bAlt ? (1 << 29) : 0) | (bUp ? (3u << 30) : 0);
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

HeldKeys::~HeldKeys() { ::SetKeyboardState(m_saved); }
