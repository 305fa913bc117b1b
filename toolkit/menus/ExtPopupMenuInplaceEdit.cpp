// The edit field of an in-place menu item: the owner validates every keystroke and takes the text
// on Enter; Escape returns to the menu with the text discarded.
#include "toolkit/menus/ExtPopupMenuTearOff.h"

#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <memory>

typedef CExtPopupMenuWnd::CInPlaceEditWnd InplaceEdit;

bool CExtPopupMenuWnd::CreateInplaceEditForItem(int nIndex, CWnd* pWndParent, const RECT& rc) {
  if (!IsItemIndex(nIndex))
    return false;
  MENUITEMDATA& item = m_items[nIndex];
  if (!item.IsInplace())
    return false;
  item.m_hWndInplace = NULL;
  InplaceEdit::CreateRequest_t request = {&item.m_hWndInplace,
                                          pWndParent,
                                          &item,
                                          item.m_pfnInplaceValidate,
                                          item.m_pfnInplaceCommit,
                                          item.m_pfnInplaceFilter,
                                          item.m_dwInplaceCookie,
                                          item.m_pInplaceValue,
                                          rc};
  const HWND hWndReceiver = GetCmdReceiverHWND();
  if (hWndReceiver != NULL && ::IsWindow(hWndReceiver)) {
    ::SendMessageA(hWndReceiver, g_nMsgCreateInplaceEdit, reinterpret_cast<WPARAM>(&request), 0);
    if (item.m_hWndInplace != NULL && ::IsWindow(item.m_hWndInplace))
      return true;
    item.m_hWndInplace = NULL;
  }
  std::unique_ptr<InplaceEdit> pEdit(new InplaceEdit(item.m_pfnInplaceValidate, item.m_pfnInplaceCommit,
                                                     item.m_pfnInplaceFilter, item.m_dwInplaceCookie,
                                                     *item.m_pInplaceValue));
  if (!pEdit->Create(pWndParent, rc))
    return false;
  pEdit->m_bAutoDelete = true;
  item.m_hWndInplace = pEdit.release()->GetSafeHwnd();
  return true;
}

// ---------------------------------------------------------------------------------------------

InplaceEdit::CInPlaceEditWnd(PFN_VALIDATE pfnValidate, PFN_COMMIT pfnCommit, PFN_FILTER pfnFilter,
                             DWORD dwCookie, CString& sValue)
    : m_pfnValidate(pfnValidate), m_pfnCommit(pfnCommit), m_pfnFilter(pfnFilter), m_dwCookie(dwCookie),
      m_sValue(sValue) {}

InplaceEdit::~CInPlaceEditWnd() {}

void InplaceEdit::PostNcDestroy() {
  if (m_bAutoDelete)
    delete this;
}

BOOL InplaceEdit::Create(CWnd* pWndParent, const RECT& rc, UINT nID) {
  if (pWndParent == NULL || !::IsWindow(pWndParent->GetSafeHwnd()))
    return FALSE;
  m_sInitial = m_sValue;
  m_nEditState &= ~EDIT_COMMITTED;
  const DWORD dwExStyle = (pWndParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0 ? WS_EX_LAYOUTRTL : 0;
  // Hidden until the item is activated for editing.
  if (!CreateEx(dwExStyle, "EDIT", NULL, WS_CHILD | ES_AUTOHSCROLL, rc, pWndParent, nID))
    return FALSE;
  if (g_PaintManagerHolder.GetPM() != NULL)
    SetFont(&g_PaintManagerHolder->m_FontNormal, FALSE);
  SetWindowText(m_sValue);
  SetSelection(MAKELONG(0, -1));
  return TRUE;
}

void InplaceEdit::SetSelection(DWORD dwStartEnd, bool bNoScroll) {
  SendMessage(EM_SETSEL, (WPARAM)(int)(short)LOWORD(dwStartEnd), (LPARAM)(int)(short)HIWORD(dwStartEnd));
  if (!bNoScroll)
    SendMessage(EM_SCROLLCARET, 0, 0);
}

CExtPopupMenuWnd* InplaceEdit::GetMenu() const {
  return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

LRESULT InplaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (m_pfnFilter != NULL && m_pfnFilter(lResult, message, wParam, lParam, m_dwCookie))
    return lResult;
  switch (message) {
  case WM_NCCALCSIZE: {
    lResult = CEdit::WindowProc(message, wParam, lParam);
    RECT* pRect = wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : reinterpret_cast<RECT*>(lParam);
    pRect->left += 1;
    pRect->top += 1;
    pRect->bottom -= 2;
    return lResult;
  }
  case WM_NCPAINT: {
    CRect rcWindow, rcClient;
    GetWindowRect(rcWindow);
    GetClientRect(rcClient);
    ClientToScreen(rcClient);
    if (rcWindow == rcClient)
      return 0;
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    CWindowDC dc(this);
    dc.ExcludeClipRect(rcClient);
    const COLORREF clr = g_PaintManagerHolder.GetPM() != NULL
                             ? g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW)
                             : ::GetSysColor(COLOR_WINDOW);
    dc.FillSolidRect(rcWindow, clr);
    return 0;
  }
  case WM_GETDLGCODE:
    return DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_CONTEXTMENU:
    return 0;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    if (wParam == VK_MENU || ::GetKeyState(VK_MENU) < 0) {
      ::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
      return 0;
    }
    if (wParam == VK_ESCAPE) {
      OnEscape();
      return 0;
    }
    if (wParam == VK_RETURN) {
      OnEnter();
      return 0;
    }
    return EditValidated(message, wParam, lParam);
  case WM_CHAR:
    if (wParam == VK_RETURN)
      break;
    return EditValidated(message, wParam, lParam);
  case WM_KILLFOCUS:
    ShowWindow(SW_HIDE);
    if ((m_nEditState & EDIT_COMMITTED) == 0)
      SetWindowText(m_sValue);
    break;
  default:
    if (message == g_nMsgDeleteSelection) {
      DeleteSelection();
      return 0;
    }
    if (message == g_nMsgSelectAll) {
      SetSelection(MAKELONG(0, -1));
      return 0;
    }
    break;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

void InplaceEdit::OnEscape() {
  // Handing the focus back hides the edit with the stored text restored; the menu may even destroy
  // the edit while it deselects the item, so only locals are used from here on.
  const HWND hWndEdit = m_hWnd, hWndMenu = ::GetParent(m_hWnd);
  CExtPopupMenuWnd* pMenu = GetMenu();
  const int nIndex = pMenu != NULL ? pMenu->GetCurrentItemIndex() : -1;
  ::SetFocus(hWndMenu);
  if (pMenu == NULL || !::IsWindow(hWndMenu))
    return;
  pMenu->ClearCurrentItem();
  if (::IsWindow(hWndEdit) && ::IsWindow(hWndMenu) && nIndex >= 0)
    pMenu->SetCurrentItem(nIndex, false);
}

void InplaceEdit::OnEnter() {
  m_nEditState |= EDIT_COMMITTED;
  CString sText;
  GetWindowText(sText);
  if (m_pfnValidate == NULL || m_pfnValidate(sText)) {
    if (m_pfnCommit != NULL)
      m_pfnCommit(sText);
    else
      m_sValue = sText;
  }
  ::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
}

LRESULT InplaceEdit::EditValidated(UINT message, WPARAM wParam, LPARAM lParam) {
  CString sOld;
  GetWindowText(sOld);
  const DWORD dwSel = GetSel();
  const HWND hWnd = m_hWnd;
  const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
  if (!::IsWindow(hWnd))
    return lResult;
  CString sNew;
  GetWindowText(sNew);
  if (m_pfnValidate != NULL && sNew != sOld && !m_pfnValidate(sNew)) {
    SetSel(0, -1, TRUE);
    ReplaceSel(sOld);
    SetSel(dwSel, TRUE);
  }
  Invalidate();
  UpdateWindow();
  return lResult;
}

void InplaceEdit::DeleteSelection() {
  int nStart = 0, nEnd = 0;
  GetSel(nStart, nEnd);
  if (nStart == nEnd)
    SetSel(nStart, nStart + 1, TRUE);
  ReplaceSel("");
  SetSel(nStart, nStart, TRUE);
  Invalidate();
  UpdateWindow();
}
