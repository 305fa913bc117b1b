// Popup menus hosting one control.
// (stub: being built)
#include "toolkit/menus/ExtPopupControlMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupControlMenuWnd, CExtPopupMenuWnd)
IMPLEMENT_DYNCREATE(CExtPopupDatePickerMenuWnd, CExtPopupControlMenuWnd)
IMPLEMENT_DYNCREATE(CExtPopupUndoRedoMenuWnd, CExtPopupControlMenuWnd)

bool CExtPopupControlMenuWnd::g_bControlMenuShadow = false;

CExtPopupControlMenuWnd::CExtPopupControlMenuWnd() {}
CExtPopupControlMenuWnd::~CExtPopupControlMenuWnd() {}
void CExtPopupControlMenuWnd::GetControlRect(RECT& rc) const { rc = m_rcControl; }
HWND CExtPopupControlMenuWnd::CreateHostedControl(CWnd*, const RECT&) { return NULL; }
CExtPopupDatePickerMenuWnd::CExtPopupDatePickerMenuWnd() {}
CExtPopupUndoRedoMenuWnd::CExtPopupUndoRedoMenuWnd() {}
