// Tearing a menu off into a floating bar, and the edit fields of in-place items.
// (stub: being built)
#include "toolkit/menus/ExtPopupMenuTearOff.h"

CExtPopupMenuWnd::TEAROFFNOTIFICATON* CExtPopupMenuWnd::TEAROFFNOTIFICATON::g_pCurrent = NULL;

void CExtPopupMenuWnd::MENUITEMDATA::SetInplaceDisplayText(LPCSTR) {}
void CExtPopupMenuWnd::BeginTearOff() {}
bool CExtPopupMenuWnd::CreateInplaceEditForItem(int, CWnd*, const RECT&) { return false; }

CExtPopupMenuWnd::TEAROFFNOTIFICATON::TEAROFFNOTIFICATON(CExtPopupMenuWnd* pMenu, const POINT& ptStart)
    : CExtHookSink(true), m_pMenu(pMenu), m_ptStart(ptStart) {}
CExtPopupMenuWnd::TEAROFFNOTIFICATON::~TEAROFFNOTIFICATON() {}
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::Run() { return false; }
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::RunDragLoop() { return false; }
void CExtPopupMenuWnd::TEAROFFNOTIFICATON::HandleDrag(bool) {}
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsInTearOffZone(const POINT&) const { return true; }
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnHookMouseMove() { return false; }
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnHookMouseClick(UINT) { return false; }
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnHookKey() { return false; }
bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage,
                                                           WPARAM& wParam, LPARAM& lParam) {
  return CExtHookSink::OnWindowMessage(lResult, hWndHooked, nMessage, wParam, lParam);
}

CExtPopupMenuWnd::CInPlaceEditWnd::CInPlaceEditWnd(PFN_VALIDATE pfnValidate, PFN_COMMIT pfnCommit,
                                                   PFN_FILTER pfnFilter, DWORD dwCookie, CString& sValue)
    : m_pfnValidate(pfnValidate), m_pfnCommit(pfnCommit), m_pfnFilter(pfnFilter), m_dwCookie(dwCookie),
      m_sValue(sValue) {}
CExtPopupMenuWnd::CInPlaceEditWnd::~CInPlaceEditWnd() {}
BOOL CExtPopupMenuWnd::CInPlaceEditWnd::Create(CWnd*, const RECT&, UINT) { return FALSE; }
void CExtPopupMenuWnd::CInPlaceEditWnd::SetSelection(DWORD, bool) {}
LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CEdit::WindowProc(message, wParam, lParam);
}
