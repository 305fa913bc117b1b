// The list box popup menus host: picking with the pointer and the keys the menu hands over, the
// owner's callbacks and messages, and the one ending that closes the menu.
#include "toolkit/menus/ExtPopupInplaceListBox.h"

#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtPopupInplaceListBox, CListBox)

UINT GetScrollTimerInterval(int nDistance) {
  switch ((nDistance < 0 ? -nDistance : nDistance) / 10) {
  case 0:
    return 500;
  case 1:
    return 300;
  case 2:
    return 200;
  case 3:
    return 100;
  default:
    return 50;
  }
}

CExtPopupInplaceListBox::CExtPopupInplaceListBox() {}

CExtPopupInplaceListBox::~CExtPopupInplaceListBox() {}

void CExtPopupInplaceListBox::PostNcDestroy() {
  if (m_bAutoDelete)
    delete this;
}

CExtPopupMenuWnd* CExtPopupInplaceListBox::GetMenu() const {
  return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

LRESULT CExtPopupInplaceListBox::SendToReceiver(UINT nMessage, WPARAM wParam) {
  CExtPopupMenuWnd* pMenu = GetMenu();
  const HWND hWndReceiver = pMenu != NULL ? pMenu->GetCmdReceiverHWND() : NULL;
  if (hWndReceiver == NULL || !::IsWindow(hWndReceiver))
    return 0;
  return ::SendMessageA(hWndReceiver, nMessage, wParam, m_lParamCookie);
}

int CExtPopupInplaceListBox::ItemNearest(const CPoint& ptClient) const {
  if (GetCount() <= 0)
    return -1;
  const LRESULT lHit = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(ptClient.x, ptClient.y));
  return std::min((int)LOWORD(lHit), GetCount() - 1);
}

int CExtPopupInplaceListBox::GetVisibleCount() const {
  CRect rc;
  GetClientRect(rc);
  int nCount = 0;
  for (int i = GetTopIndex(), y = 0; i < GetCount() && y < rc.Height(); i++, nCount++)
    y += std::max(1, GetItemHeight(i));
  return std::max(1, nCount);
}

LRESULT CExtPopupInplaceListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE: {
    const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
    if (lResult == -1)
      return lResult;
    m_nListState &= ~LIST_SELECTION_ENDED;
    if (g_PaintManagerHolder.GetPM() != NULL)
      SetFont(&g_PaintManagerHolder->m_FontNormal, FALSE);
    if (m_pfnInit == NULL || !m_pfnInit(*this, m_pInitParam))
      SendToReceiver(g_nMsgPopupListBoxInitContent, reinterpret_cast<WPARAM>(this));
    return lResult;
  }
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_LBUTTONDBLCLK:
    return 0;
  case WM_MOUSEMOVE:
    if (GetCount() > 0)
      OnPointerMove(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
    return 0;
  case WM_LBUTTONDOWN:
    if (GetCount() > 0)
      SetCapture();
    return 0;
  case WM_LBUTTONUP: {
    if (::GetCapture() == m_hWnd)
      ::ReleaseCapture();
    const LRESULT lHit = SendMessage(LB_ITEMFROMPOINT, 0, lParam);
    if (GetCount() > 0 && HIWORD(lHit) == 0)
      OnSelEndOK();
    return 0;
  }
  case WM_CANCELMODE:
    if (::GetCapture() == m_hWnd)
      ::ReleaseCapture();
    OnSelEndCancel(false);
    return 0;
  case WM_DESTROY:
    OnSelEndCancel(true);
    break;
  default:
    if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate)
      return OnInputRetranslate(wParam);
    break;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}

void CExtPopupInplaceListBox::OnPointerMove(const CPoint& ptClient) {
  CRect rc;
  GetClientRect(rc);
  int nIndex = ItemNearest(ptClient);
  if (::GetCapture() == m_hWnd) {
    // Held beyond an edge, the list steps one item that way, within its items.
    if (ptClient.y < rc.top && GetTopIndex() > 0)
      nIndex = GetTopIndex() - 1;
    else if (ptClient.y >= rc.bottom)
      nIndex = std::min(GetTopIndex() + GetVisibleCount(), GetCount() - 1);
  }
  if (nIndex < 0 || nIndex == GetCurSel())
    return;
  SetCurSel(nIndex);
  OnSelChange();
}

LRESULT CExtPopupInplaceListBox::OnInputRetranslate(WPARAM wParam) {
  if (wParam == 0)
    return 0;
  const CExtPopupControlMenuWnd::InputRecord& rec =
      *reinterpret_cast<const CExtPopupControlMenuWnd::InputRecord*>(wParam);
  if (rec.m_nKind == CExtPopupControlMenuWnd::InputRecord::KIND_MOUSE_WHEEL) {
    if ((g_PaintManagerHolder.m_nOsFlagsB & CExtPaintManagerHolder::OSB_NT_MAJOR5) == 0 ||
        (GetStyle() & WS_VSCROLL) == 0 || rec.m_pMouseHook == NULL || GetCount() <= 0)
      return 0;
    // The hooks hand over the extended record, which carries the wheel's turn.
    const short nDelta =
        (short)HIWORD(reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(rec.m_pMouseHook)->mouseData);
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    const int nStep = std::max(1, nLines > 2 ? (int)nLines - 1 : (int)nLines);
    const int nNotches = nDelta / WHEEL_DELTA;
    const int nTop = std::max(0, std::min(GetCount() - 1, GetTopIndex() - nNotches * nStep));
    SetTopIndex(nTop);
    // Taken here: let through, the wheel would reach the focus window instead.
    return 1;
  }
  if (rec.m_nKind != CExtPopupControlMenuWnd::InputRecord::KIND_KEY)
    return 0;
  if ((rec.m_nFlagsOrMessage & KF_ALTDOWN) != 0 || ::GetKeyState(VK_MENU) < 0) {
    OnSelEndCancel(false);
    return 1;
  }
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_SHIFT) < 0)
    return 0;
  switch (rec.m_nVirtKey) {
  case VK_ESCAPE:
    OnSelEndCancel(false);
    return 1;
  case VK_RETURN:
    OnSelEndOK();
    return 1;
  case VK_RIGHT:
    return 1;
  case VK_LEFT: {
    CExtPopupControlMenuWnd* pMenu = DYNAMIC_DOWNCAST(CExtPopupControlMenuWnd, GetMenu());
    if (pMenu != NULL)
      pMenu->ReturnToParentMenu();
    return 1;
  }
  default:
    return OnListKey(rec.m_nVirtKey, rec.m_nRepCnt, rec.m_nFlagsOrMessage) ? 1 : 0;
  }
}

bool CExtPopupInplaceListBox::OnListKey(UINT nVirtKey, UINT nRepCnt, UINT nFlags) {
  const HWND hWnd = m_hWnd;
  const int nOld = GetCurSel();
  SendMessage(WM_KEYDOWN, nVirtKey, MAKELPARAM(nRepCnt, nFlags));
  if (::IsWindow(hWnd) && GetCurSel() != nOld)
    OnSelChange();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Ending and notifying.

void CExtPopupInplaceListBox::OnSelEndOK() {
  if ((m_nListState & LIST_SELECTION_ENDED) != 0)
    return;
  m_nListState |= LIST_SELECTION_ENDED;
  if (m_pfnSelection != NULL && m_pfnSelection(*this, m_pSelectionParam, SEL_OK))
    return;
  EndSelection(g_nMsgPopupListBoxSelEndOK);
}

void CExtPopupInplaceListBox::OnSelEndCancel(bool bDestroying) {
  if ((m_nListState & LIST_SELECTION_ENDED) != 0)
    return;
  m_nListState |= LIST_SELECTION_ENDED;
  if (m_pfnSelection != NULL && m_pfnSelection(*this, m_pSelectionParam, SEL_CANCEL))
    return;
  // A list that goes with its menu has nothing to tell.
  if (!bDestroying)
    EndSelection(g_nMsgPopupListBoxSelEndCancel);
}

void CExtPopupInplaceListBox::EndSelection(UINT nMessage) {
  // The receiver may close the menu, this list with it: only locals from here on.
  const HWND hWndMenu = ::GetParent(m_hWnd);
  SelectionData_t data = {this, GetCurSel()};
  SendToReceiver(nMessage, reinterpret_cast<WPARAM>(&data));
  if (hWndMenu != NULL && ::IsWindow(hWndMenu))
    ::PostMessageA(hWndMenu, WM_CANCELMODE, 0, 0);
  ExtBarMenuTracking::EndInAllBars();
}

void CExtPopupInplaceListBox::OnSelChange() {
  if (m_pfnSelection != NULL && m_pfnSelection(*this, m_pSelectionParam, SEL_CHANGE))
    return;
  const HWND hWnd = m_hWnd;
  CExtPopupMenuWnd* pMenu = GetMenu();
  CExtPopupMenuWnd* pParent = pMenu != NULL ? pMenu->GetParentMenu() : NULL;
  if (pParent != NULL) {
    // The item that opened the list shows the chosen value.
    const int nSel = GetCurSel();
    CString sText;
    if (nSel >= 0)
      GetText(nSel, sText);
    for (int i = 0; i < pParent->GetItemCount(); i++) {
      if (pParent->GetItemAt(i).m_pPopup == pMenu)
        pParent->GetItemAt(i).SetInplaceDisplayText(nSel >= 0 ? (LPCSTR)sText : NULL);
    }
    if (pParent->GetSafeHwnd() != NULL && ::IsWindow(pParent->GetSafeHwnd()))
      ::RedrawWindow(pParent->GetSafeHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  if (!::IsWindow(hWnd))
    return;
  SelectionData_t data = {this, GetCurSel()};
  SendToReceiver(g_nMsgPopupListBoxSelChange, reinterpret_cast<WPARAM>(&data));
}

// ---------------------------------------------------------------------------------------------
// Owner-drawn items: the owner's, else the item's text on the window colours.

void CExtPopupInplaceListBox::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem) {
  if (m_pfnMeasureItem != NULL && m_pfnMeasureItem(*this, m_pItemParam, pMeasureItem))
    return;
  ItemMeasureData_t data = {this, pMeasureItem};
  if (SendToReceiver(g_nMsgPopupListBoxItemMeasure, reinterpret_cast<WPARAM>(&data)) != 0)
    return;
  CClientDC dc(NULL);
  CFont* pOldFont =
      g_PaintManagerHolder.GetPM() != NULL ? dc.SelectObject(&g_PaintManagerHolder->m_FontNormal) : NULL;
  TEXTMETRIC tm = {};
  dc.GetTextMetrics(&tm);
  if (pOldFont != NULL)
    dc.SelectObject(pOldFont);
  pMeasureItem->itemHeight = (UINT)std::max(1L, tm.tmHeight + 4);
}

void CExtPopupInplaceListBox::DrawItem(LPDRAWITEMSTRUCT pDrawItem) {
  if (m_pfnDrawItem != NULL && m_pfnDrawItem(*this, m_pItemParam, pDrawItem))
    return;
  ItemDrawData_t data = {this, pDrawItem};
  if (SendToReceiver(g_nMsgPopupListBoxItemDraw, reinterpret_cast<WPARAM>(&data)) != 0)
    return;
  if ((int)pDrawItem->itemID < 0 || (pDrawItem->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0)
    return;
  CDC* pDC = CDC::FromHandle(pDrawItem->hDC);
  const bool bSelected = (pDrawItem->itemState & ODS_SELECTED) != 0;
  CRect rc(pDrawItem->rcItem);
  pDC->FillSolidRect(rc, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  CString sText;
  GetText((int)pDrawItem->itemID, sText);
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF clrOld =
      pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  rc.DeflateRect(2, 0);
  pDC->DrawText(sText, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  pDC->SetTextColor(clrOld);
  pDC->SetBkMode(nOldMode);
}
