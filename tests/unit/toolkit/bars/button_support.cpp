#include "tests/unit/toolkit/bars/button_support.h"
#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

namespace button_support {

const char* const kProfile = "ButtonTests";

LRESULT CRecordingHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND)
    m_commands.push_back(LOWORD(wParam));
  else if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally)
    m_colorNotifications.emplace_back(wParam, lParam);
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CRecordingHost::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nCode == CN_COMMAND && pHandlerInfo != NULL && nID >= 300 && nID < 400)
    return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

ButtonFixture::ButtonFixture(DWORD dwHostExStyle) {
  TheTestApp();
  const LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  if (!m_host.CreateEx(dwHostExStyle, lpszClass, "buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420,
                       200, NULL, NULL))
    throw std::runtime_error("host window");
  if (!g_CmdManagerHolder->SetupProfile(kProfile, m_host.GetSafeHwnd()))
    throw std::runtime_error("command profile");
  if (!m_bar.Create(NULL, &m_host, 0xE900, WS_CHILD | WS_VISIBLE | CBRS_TOP))
    throw std::runtime_error("tool bar");
  m_bar.MoveWindow(0, 0, 400, 60);
}

ButtonFixture::~ButtonFixture() {
  m_bar.DestroyWindow();
  g_CmdManagerHolder->RemoveWindow(m_host.GetSafeHwnd(), true);
  m_host.DestroyWindow();
  PumpPending();
}

CExtCmdItem* ButtonFixture::AddCommand(UINT nCmdID, LPCSTR lpszText, LPCSTR lpszTip, LPCSTR lpszAccel) {
  CExtCmdItem* pItem = g_CmdManagerHolder->AllocCommand(kProfile, nCmdID);
  if (pItem == NULL)
    throw std::runtime_error("command");
  pItem->m_sToolbarText = lpszText;
  pItem->m_sTipTool = lpszTip;
  pItem->m_sAccelText = lpszAccel;
  return pItem;
}

void ButtonFixture::SetIcon(UINT nCmdID, int nSize, COLORREF clr) {
  g_CmdManagerHolder->SetCommandIcon(kProfile, nCmdID, MakeSquareIcon(nSize, clr), false);
}

HICON MakeSquareIcon(int nSize, COLORREF clr) {
  HDC hScreen = ::GetDC(NULL);
  ExtBitmapPtr_t color(::CreateCompatibleBitmap(hScreen, nSize, nSize));
  ::ReleaseDC(NULL, hScreen);
  ExtBitmapPtr_t mask(::CreateBitmap(nSize, nSize, 1, 1, NULL));
  {
    ExtMemDC_t dcColor, dcMask;
    dcColor.Select(color.get());
    dcMask.Select(mask.get());
    ::SetBkColor(dcColor.Get(), clr);
    const RECT rc = {0, 0, nSize, nSize};
    ::ExtTextOutA(dcColor.Get(), 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    ::PatBlt(dcMask.Get(), 0, 0, nSize, nSize, BLACKNESS);
  }
  ICONINFO ii = {TRUE, 0, 0, mask.get(), color.get()};
  return ::CreateIconIndirect(&ii);
}

} // namespace button_support
