#include "tests/unit/toolkit/menus/control_menu_support.h"

#include "tests/unit/toolkit/menus/menu_paint_support.h"

namespace control_menu {

LRESULT CLoggingControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate)
    return CWnd::WindowProc(message, wParam, lParam);
  InputRecord& rec = *reinterpret_cast<InputRecord*>(wParam);
  m_records.push_back(rec);
  if (m_bLetThrough && rec.m_pLetThrough != NULL)
    *rec.m_pLetThrough = 1;
  return m_lAnswer;
}

HWND CHostingMenu::CreateHostedControl(CWnd* pWndMenu, const RECT& rc) {
  m_pControl = new CLoggingControl;
  LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  if (!m_pControl->CreateEx(0, lpszClass, NULL, WS_CHILD | WS_VISIBLE, rc, pWndMenu, 1)) {
    delete m_pControl;
    m_pControl = NULL;
    return NULL;
  }
  return m_pControl->m_hWnd;
}

IMPLEMENT_DYNCREATE(CTestCalendar, CExtPopupInplaceDatePicker)

std::vector<UINT> CTestCalendar::g_keys;

BOOL CTestCalendar::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int, int, int, int,
                           DWORD dwWindowStyle, DWORD dwDatePickerStyle, CCreateContext*) {
  ModifyDatePickerStyle((DWORD)-1, dwDatePickerStyle, false);
  LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  return CreateEx(0, lpszClass, NULL, dwWindowStyle, rcWnd, pParentWnd, nDlgCtrlID);
}

LRESULT CTestCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    g_keys.push_back((UINT)wParam);
    return 0;
  }
  return CExtPopupInplaceDatePicker::WindowProc(message, wParam, lParam);
}

bool ShowHosting(CExtPopupMenuWnd& menu, CWnd* pOwner) {
  return menu_paint::ShowAt(menu, pOwner, CPoint(300, 200), 0, CExtPopupBaseWnd::ANIM_AT_ONCE) &&
         menu_paint::WaitUntil([] { return g_PopupTrackSite.m_pAnimatedMenu == NULL; });
}

} // namespace control_menu
