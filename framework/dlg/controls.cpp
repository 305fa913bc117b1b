// Control wrappers: creation and the few helpers that are more than one message.
#include "framework/dlg/dlgimpl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

void AfxInitCommonControls(DWORD dwIccFlags) {
  static DWORD s_dwDone = 0;
  if ((s_dwDone & dwIccFlags) == dwIccFlags)
    return;
  INITCOMMONCONTROLSEX icex = {sizeof(icex), dwIccFlags};
  if (::InitCommonControlsEx(&icex))
    s_dwDone |= dwIccFlags;
}

namespace {
BOOL CreateControl(CWnd* pWnd, LPCSTR lpszClass, LPCSTR lpszText, DWORD dwStyle, const RECT& rect,
                   CWnd* pParentWnd, UINT nID) {
  return pWnd->CWnd::Create(lpszClass, lpszText, dwStyle, rect, pParentWnd, nID);
}
} // namespace

// ---------------------------------------------------------------------------------------------

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM)
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL)
    *pResult = TRUE;
  return TRUE;
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const {
  if (nMaxLength < 2)
    return 0;
  // EM_GETLINE reads the buffer size from the first word of the buffer.
  *reinterpret_cast<WORD*>(lpszBuffer) = (WORD)nMaxLength;
  return (int)::SendMessageA(m_hWnd, EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(lpszBuffer));
}

// ---------------------------------------------------------------------------------------------

namespace {
// Owner-drawn list and combo boxes get their item messages from the parent by reflection.
// Answers FALSE for any other message.
template <class T> BOOL NotifyOwnerDrawItem(T* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = TRUE;
  switch (message) {
  case WM_DRAWITEM:
    pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    break;
  case WM_MEASUREITEM:
    pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    break;
  case WM_COMPAREITEM:
    lResult = pCtrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
    break;
  case WM_DELETEITEM:
    pCtrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
    break;
  default:
    return FALSE;
  }
  if (pResult != NULL)
    *pResult = lResult;
  return TRUE;
}
} // namespace

CString AfxGetListItemText(HWND hWnd, UINT nLenMsg, UINT nTextMsg, int nIndex) {
  CString text;
  int nLen = (int)::SendMessageA(hWnd, nLenMsg, nIndex, 0);
  if (nLen > 0) {
    ::SendMessageA(hWnd, nTextMsg, nIndex, reinterpret_cast<LPARAM>(text.GetBuffer(nLen)));
    text.ReleaseBuffer();
  }
  return text;
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const {
  rString = AfxGetListItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, nIndex);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return NotifyOwnerDrawItem(this, message, lParam, pResult) ||
         CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  rString = AfxGetListItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return NotifyOwnerDrawItem(this, message, lParam, pResult) ||
         CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------------

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollLimit() {
  SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE};
  if (!::GetScrollInfo(m_hWnd, SB_CTL, &info))
    return 0;
  int nPage = info.nPage > 0 ? (int)info.nPage - 1 : 0;
  return info.nMax - nPage;
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxInitCommonControls(ICC_BAR_CLASSES);
  return CreateControl(this, TRACKBAR_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxInitCommonControls(ICC_UPDOWN_CLASS);
  return CreateControl(this, UPDOWN_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

void CSpinButtonCtrl::GetRange(int& nLower, int& nUpper) const {
  DWORD dwRange = GetRange();
  nLower = (short)HIWORD(dwRange);
  nUpper = (short)LOWORD(dwRange);
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxInitCommonControls(ICC_PROGRESS_CLASS);
  return CreateControl(this, PROGRESS_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
  PBRANGE range = {};
  ::SendMessageA(m_hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  nLower = range.iLow;
  nUpper = range.iHigh;
}

// ---------------------------------------------------------------------------------------------

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxInitCommonControls(ICC_LISTVIEW_CLASSES);
  return CreateControl(this, WC_LISTVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CListCtrl::GetImageList(int nImageList) const {
  return CImageList::FromHandle(
      reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, LVM_GETIMAGELIST, nImageList, 0)));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  HIMAGELIST hImageList = pImageList != NULL ? pImageList->GetSafeHandle() : NULL;
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(m_hWnd, LVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(hImageList))));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEMA item = {};
  item.stateMask = nMask;
  item.state = nState;
  return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  std::vector<char> buffer(256);
  for (;;) {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = buffer.data();
    item.cchTextMax = (int)buffer.size();
    int nLen = (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item));
    if (nLen < (int)buffer.size() - 1)
      return CString(buffer.data(), nLen);
    buffer.resize(buffer.size() * 2);
  }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
  LVITEMA item = {};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(lpszText);
  return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item));
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = (LPARAM)dwData;
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int nItem = GetNextItem(-1, LVNI_SELECTED);
  return nItem < 0 ? NULL : reinterpret_cast<POSITION>((INT_PTR)nItem + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int nItem = (int)reinterpret_cast<INT_PTR>(pos) - 1;
  int nNext = GetNextItem(nItem, LVNI_SELECTED);
  pos = nNext < 0 ? NULL : reinterpret_cast<POSITION>((INT_PTR)nNext + 1);
  return nItem;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  lpRect->left = (LONG)nCode;
  return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(lpRect));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = nItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = nItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(&item);
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = const_cast<LPSTR>(lpszColumnHeading);
  column.fmt = nFormat;
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return (int)::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info = {};
  info.pt = pt;
  int nItem = HitTest(&info);
  if (pFlags != NULL)
    *pFlags = info.flags;
  return nItem;
}

// ---------------------------------------------------------------------------------------------

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxInitCommonControls(ICC_TAB_CLASSES);
  return CreateControl(this, WC_TABCONTROLA, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, TCM_GETIMAGELIST, 0, 0)));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  HIMAGELIST hImageList = pImageList != NULL ? pImageList->GetSafeHandle() : NULL;
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(m_hWnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImageList))));
}

CSize CTabCtrl::SetItemSize(CSize size) {
  DWORD dwOld = (DWORD)::SendMessageA(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
  return CSize(LOWORD(dwOld), HIWORD(dwOld));
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPSTR>(lpszItem);
  return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(nItem, &item);
}

// ---------------------------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  AfxInitCommonControls(ICC_BAR_CLASSES);
  return CreateEx(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL, NULL);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
  ZeroMemory(&ti, sizeof(ti));
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (nIDTool == 0) {
    // The whole window is the tool, identified by its handle.
    ti.hwnd = ::GetParent(hWnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
  } else {
    ti.hwnd = hWnd;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != NULL)
    ti.rect = *lpRectTool;
  else if (nIDTool != 0)
    ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != NULL)
    ti.rect = *lpRectTool;
  else if (nIDTool != 0)
    ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = MAKEINTRESOURCEA(nIDText);
  return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ::SendMessageA(m_hWnd, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = MAKEINTRESOURCEA(nIDText);
  ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.rect = *lpRect;
  ::SendMessageA(m_hWnd, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOA* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillInToolInfo(*pToolInfo, pWnd, nIDTool);
  return (BOOL)::SendMessageA(m_hWnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(pToolInfo));
}
