// The undo/redo popup: a list whose selection runs from the first action to the one under the
// pointer or the keys, with "Undo %d Actions" under it; dragging beyond the list scrolls it.
#include "toolkit/menus/ExtPopupControlMenuWnd.h"

#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNCREATE(CExtPopupUndoRedoMenuWnd, CExtPopupControlMenuWnd)
IMPLEMENT_DYNAMIC(CExtPopupUndoRedoListBox, CExtPopupInplaceListBox)

CExtPopupUndoRedoMenuWnd::CExtPopupUndoRedoMenuWnd() {}

bool CExtPopupUndoRedoMenuWnd::IsShadowEnabled() const { return CExtPopupMenuWnd::IsShadowEnabled(); }

CSize CExtPopupUndoRedoMenuWnd::MeasureMenu() const {
  const CSize size = CExtPopupControlMenuWnd::MeasureMenu();
  return CSize(size.cx + 2, size.cy + GetCaptionHeight() + 2);
}

CRect CExtPopupUndoRedoMenuWnd::CalcControlRect() const {
  CRect rc = CExtPopupControlMenuWnd::CalcControlRect();
  rc.OffsetRect(1, 1);
  return rc;
}

void CExtPopupUndoRedoMenuWnd::RecalcLayoutRects() {
  CExtPopupControlMenuWnd::RecalcLayoutRects();
  m_rcCaption.SetRect(m_rcControl.left, m_rcControl.bottom, m_rcControl.right,
                      m_rcControl.bottom + GetCaptionHeight());
}

HWND CExtPopupUndoRedoMenuWnd::CreateHostedControl(CWnd* pWndMenu, const RECT& rc) {
  if (pWndMenu == NULL)
    return NULL;
  std::unique_ptr<CExtPopupUndoRedoListBox> pList(new CExtPopupUndoRedoListBox);
  pList->m_pfnSelection = m_pfnSelection;
  pList->m_pSelectionParam = m_pSelectionParam;
  pList->m_pfnInit = m_pfnInit;
  pList->m_pInitParam = m_pInitParam;
  pList->m_pfnDrawItem = m_pfnDrawItem;
  pList->m_pfnMeasureItem = m_pfnMeasureItem;
  pList->m_pItemParam = m_pItemParam;
  pList->m_lParamCookie = m_lParamCookie;
  if (!pList->CreateEx(0, "LISTBOX", NULL, m_dwListStyle, rc, pWndMenu, CExtPopupInplaceListBox::ID_LIST))
    return NULL;
  pList->m_bAutoDelete = true;
  return pList.release()->GetSafeHwnd();
}

CString CExtPopupUndoRedoMenuWnd::GetCaptionText() const {
  CString sText;
  sText.Format("Undo %d Actions", m_nSelectedCount);
  return sText;
}

void CExtPopupUndoRedoMenuWnd::UpdateCaption(CDC& dc, const RECT& rc) {
  if (::IsRectEmpty(&rc) || g_PaintManagerHolder.GetPM() == NULL)
    return;
  g_PaintManagerHolder->PaintUndoRedoCaption(dc, rc, GetCaptionText(), this, 0);
}

void CExtPopupUndoRedoMenuWnd::PaintContent(CDC& dc, bool bOnScreen) {
  CExtPopupControlMenuWnd::PaintContent(dc, bOnScreen);
  UpdateCaption(dc, m_rcCaption);
}

void CExtPopupUndoRedoMenuWnd::SetSelectedCount(int nCount) {
  m_nSelectedCount = nCount;
  if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
    return;
  CClientDC dc(this);
  UpdateCaption(dc, m_rcCaption);
}

// ---------------------------------------------------------------------------------------------
// The list.

CExtPopupUndoRedoMenuWnd* CExtPopupUndoRedoListBox::GetUndoMenu() const {
  return DYNAMIC_DOWNCAST(CExtPopupUndoRedoMenuWnd, GetMenu());
}

void CExtPopupUndoRedoListBox::SelectUpTo(int nLast) {
  const int nCount = GetCount();
  if (nCount <= 0)
    return;
  nLast = std::max(0, std::min(nLast, nCount - 1));
  m_nLastSelected = nLast;
  SendMessage(LB_SETSEL, FALSE, -1);
  SendMessage(LB_SELITEMRANGE, TRUE, MAKELPARAM(0, nLast));
  SetCaretIndex(nLast, FALSE);
  OnSelChange();
}

void CExtPopupUndoRedoListBox::OnSelChange() {
  if (m_pfnSelection != NULL && m_pfnSelection(*this, m_pSelectionParam, SEL_CHANGE))
    return;
  const HWND hWnd = m_hWnd;
  if (CExtPopupUndoRedoMenuWnd* pMenu = GetUndoMenu())
    pMenu->SetSelectedCount(GetSelCount());
  if (!::IsWindow(hWnd))
    return;
  SelectionData_t data = {this, GetCurSel()};
  SendToReceiver(g_nMsgPopupListBoxSelChange, reinterpret_cast<WPARAM>(&data));
}

void CExtPopupUndoRedoListBox::EnsureVisible(int nIndex) {
  const int nTop = GetTopIndex(), nVisible = GetVisibleCount();
  if (nIndex < nTop)
    SetTopIndex(nIndex);
  else if (nIndex >= nTop + nVisible)
    SetTopIndex(nIndex - nVisible + 1);
}

bool CExtPopupUndoRedoListBox::OnListKey(UINT nVirtKey, UINT nRepCnt, UINT nFlags) {
  const int nCount = GetCount(), nPage = GetVisibleCount();
  int nLast = m_nLastSelected;
  switch (nVirtKey) {
  case VK_UP:
    nLast = std::max(0, nLast - 1);
    break;
  case VK_DOWN:
    nLast = nLast + 1;
    break;
  case VK_HOME:
    nLast = 0;
    break;
  case VK_END:
    nLast = nCount - 1;
    break;
  case VK_PRIOR:
    nLast = std::max(0, nLast - nPage);
    break;
  case VK_NEXT:
    nLast = nLast + nPage;
    break;
  default:
    return CExtPopupInplaceListBox::OnListKey(nVirtKey, nRepCnt, nFlags);
  }
  if (nCount <= 0)
    return true;
  nLast = std::min(nLast, nCount - 1);
  EnsureVisible(nLast);
  if (nLast != m_nLastSelected)
    SelectUpTo(nLast);
  return true;
}

void CExtPopupUndoRedoListBox::OnPointerMove(const CPoint& ptClient) {
  CRect rc;
  GetClientRect(rc);
  if (::GetCapture() == m_hWnd && ptClient.y < rc.top) {
    RunScrollTimer(ID_TIMER_SCROLL_UP, rc.top - ptClient.y);
    return;
  }
  if (::GetCapture() == m_hWnd && ptClient.y >= rc.bottom) {
    RunScrollTimer(ID_TIMER_SCROLL_DOWN, ptClient.y - rc.bottom + 1);
    return;
  }
  KillScrollTimers();
  const int nIndex = ItemNearest(ptClient);
  if (nIndex >= 0 && nIndex != m_nLastSelected)
    SelectUpTo(nIndex);
}

void CExtPopupUndoRedoListBox::RunScrollTimer(UINT nTimerId, int nDistance) {
  const bool bUp = nTimerId == ID_TIMER_SCROLL_UP;
  const BYTE nRuns = bUp ? TIMER_UP_RUNS : TIMER_DOWN_RUNS;
  UINT& nPeriod = bUp ? m_nPeriodUp : m_nPeriodDown;
  const UINT nWanted = GetScrollTimerInterval(nDistance);
  // One direction at a time; a timer is set again only when its period changes.
  if ((m_nTimerState & ~nRuns) != 0) {
    KillTimer(bUp ? ID_TIMER_SCROLL_DOWN : ID_TIMER_SCROLL_UP);
    m_nTimerState &= nRuns;
  }
  if ((m_nTimerState & nRuns) != 0 && nPeriod == nWanted)
    return;
  if (SetTimer(nTimerId, nWanted, NULL) == 0)
    return;
  m_nTimerState |= nRuns;
  nPeriod = nWanted;
}

void CExtPopupUndoRedoListBox::KillScrollTimers() {
  if ((m_nTimerState & TIMER_UP_RUNS) != 0)
    KillTimer(ID_TIMER_SCROLL_UP);
  if ((m_nTimerState & TIMER_DOWN_RUNS) != 0)
    KillTimer(ID_TIMER_SCROLL_DOWN);
  m_nTimerState = 0;
}

void CExtPopupUndoRedoListBox::OnScrollTimer(UINT nTimerId) {
  const int nCount = GetCount();
  if (nCount <= 0)
    return;
  int nTop = GetTopIndex();
  if (nTimerId == ID_TIMER_SCROLL_UP) {
    nTop = std::max(0, nTop - 1);
    SetTopIndex(nTop);
    SelectUpTo(nTop);
  } else {
    SetTopIndex(std::min(nTop + 1, nCount - 1));
    SelectUpTo(GetTopIndex() + GetVisibleCount() - 1);
  }
}

void CExtPopupUndoRedoListBox::Paint() {
  CPaintDC dcPaint(this);
  CRect rc;
  GetClientRect(rc);
  CExtMemoryDC dc(&dcPaint, &rc);
  dc.FillSolidRect(rc, ::GetSysColor(COLOR_WINDOW));
  // The list draws its items into the buffer.
  CExtPopupInplaceListBox::WindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

LRESULT CExtPopupUndoRedoListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    return TRUE;
  case WM_PAINT:
    if (wParam != 0)
      break;
    Paint();
    return 0;
  case WM_TIMER:
    if (wParam != ID_TIMER_SCROLL_UP && wParam != ID_TIMER_SCROLL_DOWN)
      break;
    OnScrollTimer((UINT)wParam);
    return 0;
  case WM_LBUTTONUP:
    KillScrollTimers();
    if (::GetCapture() == m_hWnd)
      ::ReleaseCapture();
    OnSelEndOK();
    return 0;
  case WM_CANCELMODE:
  case WM_DESTROY:
    KillScrollTimers();
    break;
  default:
    break;
  }
  return CExtPopupInplaceListBox::WindowProc(message, wParam, lParam);
}
