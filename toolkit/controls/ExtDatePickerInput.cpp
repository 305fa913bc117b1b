// The date picker's input: clicks on the buttons, arrows, captions and days, dragging a selection,
// the keys, the repeat timer of a held arrow, and giving up a press when the mouse goes elsewhere.
#include "toolkit/controls/ExtDatePickerWnd.h"

namespace {

bool IsValid(const COleDateTime& dt) { return dt.GetStatus() == COleDateTime::valid; }

COleDateTime NullDate() {
  COleDateTime dt;
  dt.SetStatus(COleDateTime::null);
  return dt;
}

// As the key being handled found the modifiers: a quick Shift+Right handled late still extends.
bool IsKeyDown(int nVirtKey) { return (::GetKeyState(nVirtKey) & 0x8000) != 0; }

} // namespace

bool CExtDatePickerWnd::OnDatePickerMouseClick(const CPoint& point, bool bPressed, int nButton, UINT) {
  if ((GetStyle() & WS_TABSTOP) != 0 && ::GetFocus() != m_hWnd)
    SetFocus();
  if (nButton != 0)
    return false;
  const int nPrevTracking = m_nTrackingCode;
  m_nTrackingCode = TRACK_NONE;
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  const HWND hWndSelf = m_hWnd;
  COleDateTime dt;
  const MONTH_INFO* pMonth = NULL;
  const int nHit = HitTest(point, &dt, &pMonth);
  bool bGoOn = true;
  if (nHit == HT_BUTTON_NONE) {
    bGoOn = HandleButtonNone(bPressed, nPrevTracking);
  } else if (nHit == HT_BUTTON_TODAY) {
    bGoOn = HandleButtonToday(bPressed, nPrevTracking);
  } else if ((nHit == HT_SCROLL_PREV || nHit == HT_SCROLL_NEXT) && bPressed) {
    CExtMouseCaptureSink::SetCapture(m_hWnd);
    m_nTrackingCode = nHit == HT_SCROLL_PREV ? TRACK_SCROLL_PREV : TRACK_SCROLL_NEXT;
    OnDatePickerScroll(1, true);
  } else if (nHit == HT_CAPTION && bPressed && pMonth != NULL) {
    bGoOn = HandleCaption(*pMonth);
  } else if (nHit == HT_DATE_CELL || (nPrevTracking == TRACK_SELECTION && !bPressed)) {
    bGoOn = HandleDateCell(bPressed, nPrevTracking, point);
  }
  if (bGoOn && ::IsWindow(hWndSelf))
    UpdateDatePickerWnd(false);
  return true;
}

bool CExtDatePickerWnd::HandleButtonNone(bool bPressed, int nPrevTracking) {
  if (bPressed) {
    CExtMouseCaptureSink::SetCapture(m_hWnd);
    m_nTrackingCode = TRACK_BUTTON_NONE;
    UpdateDatePickerWnd(false);
    return true;
  }
  if (nPrevTracking != TRACK_BUTTON_NONE)
    return true;
  StoreSelection(NullDate(), NullDate(), false);
  return SendNotification(true, true);
}

bool CExtDatePickerWnd::HandleButtonToday(bool bPressed, int nPrevTracking) {
  if (bPressed) {
    CExtMouseCaptureSink::SetCapture(m_hWnd);
    m_nTrackingCode = TRACK_BUTTON_TODAY;
    UpdateDatePickerWnd(false);
    return true;
  }
  if (nPrevTracking != TRACK_BUTTON_TODAY)
    return true;
  CurrentDateSet(GetTodayDate(), false);
  const COleDateTime dtToday = CurrentDateGet();
  if (EnsureVisible(dtToday, false))
    StoreSelection(dtToday, dtToday, false);
  return SendNotification(true, true);
}

bool CExtDatePickerWnd::HandleDateCell(bool bPressed, int nPrevTracking, const CPoint& point) {
  // Only a day drawn in a month counts: its own month's, or a neighbour's when those are shown.
  COleDateTime dtCell = NullDate();
  const MONTH_INFO* pMonth = NULL;
  if (HitTest(point, &dtCell, &pMonth) == HT_DATE_CELL && pMonth != NULL) {
    const MONTH_INFO::DATE_INFO* pCell = pMonth->HitTestDay(point);
    const bool bOwnMonth = pCell != NULL && IsValid(pCell->GetDate()) &&
                           pCell->GetDate().GetMonth() == pMonth->GetMonth() &&
                           pCell->GetDate().GetYear() == pMonth->GetYear();
    const bool bShown = pCell != NULL && IsValid(pCell->GetDate()) &&
                        (bOwnMonth || (GetDatePickerStyle() & DPS_SHOW_OUT_OF_MONTH_DAYS) != 0);
    dtCell = bShown ? pCell->GetDate() : NullDate();
  } else {
    dtCell = NullDate();
  }
  if (bPressed) {
    if (!IsValid(dtCell))
      return true;
    m_nTrackingCode = TRACK_SELECTION;
    CExtMouseCaptureSink::SetCapture(m_hWnd);
    StoreSelection(dtCell, dtCell, false);
    return true;
  }
  if (nPrevTracking != TRACK_SELECTION)
    return true;
  // Released away from every day, the press chose what it chose; either way the user has finished.
  if (IsValid(dtCell)) {
    EnsureVisible(dtCell, false);
    const bool bRange = (GetDatePickerStyle() & DPS_MULTIPLE_SELECTION) != 0 && IsValid(m_dtSelBegin);
    StoreSelection(bRange ? m_dtSelBegin : dtCell, dtCell, false);
  }
  return SendNotification(true, true);
}

bool CExtDatePickerWnd::HandleCaption(const MONTH_INFO& month) {
  const int nRow = month.GetRow();
  const int nColumn = month.GetColumn();
  const HWND hWndSelf = m_hWnd;
  int nMonth = 0, nYear = 0;
  const bool bChosen = TrackHeaderPopup(month, nMonth, nYear);
  // The loop ran the thread's messages: a host may have destroyed the picker meanwhile.
  if (!::IsWindow(hWndSelf) || CWnd::FromHandlePermanent(hWndSelf) != this)
    return false;
  if (!bChosen)
    return true;
  // The chosen month takes the clicked month's place in the grid.
  const int nIndex = nYear * 12 + nMonth - 1 - (nRow * m_sizeCurrent.cx + nColumn);
  COleDateTime dtFirst;
  dtFirst.SetDate(nIndex / 12, nIndex % 12 + 1, 1);
  CurrentDateSet(dtFirst, false);
  return true;
}

bool CExtDatePickerWnd::OnDatePickerMouseMove(const CPoint& point, UINT) {
  const BYTE nHoverBefore = m_nStateBits & (STATE_HOVER_NONE | STATE_HOVER_TODAY);
  COleDateTime dt;
  const MONTH_INFO* pMonth = NULL;
  const int nHit = HitTest(point, &dt, &pMonth);
  if (nHit == HT_BUTTON_NONE)
    m_nStateBits = (m_nStateBits & ~STATE_HOVER_TODAY) | STATE_HOVER_NONE;
  else if (nHit == HT_BUTTON_TODAY)
    m_nStateBits = (m_nStateBits & ~STATE_HOVER_NONE) | STATE_HOVER_TODAY;
  else if (nHit == HT_NOWHERE)
    m_nStateBits &= ~(STATE_HOVER_NONE | STATE_HOVER_TODAY);
  else if (nHit == HT_DATE_CELL && m_nTrackingCode == TRACK_SELECTION && pMonth != NULL) {
    const MONTH_INFO::DATE_INFO* pCell = pMonth->HitTestDay(point);
    if (pCell != NULL && IsValid(pCell->GetDate())) {
      const COleDateTime& dtCell = pCell->GetDate();
      const bool bOwnMonth = dtCell.GetMonth() == pMonth->GetMonth() && dtCell.GetYear() == pMonth->GetYear();
      if (bOwnMonth || (GetDatePickerStyle() & DPS_SHOW_OUT_OF_MONTH_DAYS) != 0) {
        const bool bRange = (GetDatePickerStyle() & DPS_MULTIPLE_SELECTION) != 0 && IsValid(m_dtSelBegin);
        const HWND hWndSelf = m_hWnd;
        SelectionSet(bRange ? m_dtSelBegin : dtCell, dtCell, false, false);
        if (!::IsWindow(hWndSelf) || CWnd::FromHandlePermanent(hWndSelf) != this)
          return true;
      }
    }
  }
  if ((m_nStateBits & (STATE_HOVER_NONE | STATE_HOVER_TODAY)) != nHoverBefore)
    Invalidate(FALSE);
  return true;
}

void CExtDatePickerWnd::PostCancelModeToParent() {
  const HWND hWndParent = ::GetParent(m_hWnd);
  if (hWndParent != NULL)
    ::PostMessageA(hWndParent, WM_CANCELMODE, 0, 0);
}

bool CExtDatePickerWnd::OnDatePickerKey(UINT nVirtKey) {
  bool bInMenu = IsInPopupMenu();
  // No selection yet: the keys start from today, in a menu or not.
  COleDateTime dtBegin = m_dtSelBegin, dtEnd = m_dtSelEnd;
  if (!IsValid(dtBegin) || !IsValid(dtEnd)) {
    const COleDateTime dtToday = GetTodayDate();
    if (!IsValid(dtBegin))
      dtBegin = IsValid(dtEnd) ? dtEnd : dtToday;
    if (!IsValid(dtEnd))
      dtEnd = dtBegin;
  }
  const bool bExtend = (GetDatePickerStyle() & DPS_MULTIPLE_SELECTION) != 0 && IsKeyDown(VK_SHIFT) &&
                       !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
  int nDays = 0;
  switch (nVirtKey) {
  case VK_LEFT:
    nDays = -1;
    break;
  case VK_UP:
    nDays = -7;
    break;
  case VK_RIGHT:
    nDays = 1;
    break;
  case VK_DOWN:
    nDays = 7;
    break;
  case VK_TAB: {
    const HWND hWndParent = ::GetParent(m_hWnd);
    if ((GetStyle() & WS_TABSTOP) != 0 && hWndParent != NULL)
      ::SendMessageA(hWndParent, WM_NEXTDLGCTL, IsKeyDown(VK_SHIFT) ? 1 : 0, 0);
    return true;
  }
  case VK_RETURN:
    if (m_pExternalSelection != NULL) {
      m_pExternalSelection[0] = dtBegin;
      m_pExternalSelection[1] = dtEnd;
    } else {
      bInMenu = false;
    }
    PostCancelModeToParent();
    break;
  case VK_ESCAPE:
    if (!bInMenu)
      return false;
    PostCancelModeToParent();
    break;
  default:
    return false;
  }
  if (nDays != 0) {
    const COleDateTime dtMoved = dtEnd + COleDateTimeSpan(nDays, 0, 0, 0);
    // At the ends of the calendar the selection stays where it is.
    if (IsValid(dtMoved))
      dtEnd = dtMoved;
    if (!bExtend)
      dtBegin = dtEnd;
  }
  StoreSelection(dtBegin, dtEnd, false);
  CurrentDateSet(dtEnd, false);
  EnsureVisible(dtEnd, false);
  if (GetNotificationReceiver() != NULL)
    SendNotification(!bInMenu, true);
  return true;
}

void CExtDatePickerWnd::OnDatePickerScroll(int nMonths, bool bStartTimer) {
  if (m_nTrackingCode != TRACK_SCROLL_PREV && m_nTrackingCode != TRACK_SCROLL_NEXT)
    return;
  const int nSign = m_nTrackingCode == TRACK_SCROLL_PREV ? -1 : 1;
  int nIndex = m_dtCurrentDate.GetYear() * 12 + m_dtCurrentDate.GetMonth() - 1 + nSign * nMonths;
  COleDateTime dtFirst;
  dtFirst.SetDate(nIndex / 12, nIndex % 12 + 1, 1);
  // Past the first or last representable month the view stays put.
  CurrentDateSet(dtFirst, false);
  if (bStartTimer && GetSafeHwnd() != NULL)
    SetTimer(TIMER_SCROLL, SCROLL_DELAY_MS, NULL);
}

void CExtDatePickerWnd::CancelTracking() {
  if ((m_nStateBits & STATE_IN_CANCEL_MODE) != 0)
    return;
  m_nStateBits |= STATE_IN_CANCEL_MODE;
  if (m_nTrackingCode != TRACK_NONE) {
    Invalidate(FALSE);
    m_nTrackingCode = TRACK_NONE;
  }
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  m_nStateBits &= ~STATE_IN_CANCEL_MODE;
}

// --- message handlers ---------------------------------------------------------------------------

void CExtDatePickerWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!OnDatePickerMouseClick(point, true, 0, nFlags))
    CWnd::OnLButtonDown(nFlags, point);
}

void CExtDatePickerWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (!OnDatePickerMouseClick(point, true, 0, nFlags))
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CExtDatePickerWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!OnDatePickerMouseClick(point, false, 0, nFlags))
    CWnd::OnLButtonUp(nFlags, point);
}

void CExtDatePickerWnd::OnMouseMove(UINT nFlags, CPoint point) { OnDatePickerMouseMove(point, nFlags); }

void CExtDatePickerWnd::OnCancelMode() {
  CWnd::OnCancelMode();
  CancelTracking();
}

void CExtDatePickerWnd::OnCaptureChanged(CWnd* pWnd) {
  CWnd::OnCaptureChanged(pWnd);
  if (m_nTrackingCode != TRACK_NONE && ::GetCapture() != m_hWnd)
    SendMessage(WM_CANCELMODE);
}

void CExtDatePickerWnd::OnTimer(UINT nIDEvent) {
  if (nIDEvent == TIMER_SCROLL) {
    if (m_nTrackingCode == TRACK_NONE)
      KillTimer(TIMER_SCROLL);
    else
      OnDatePickerScroll(1, false);
  }
  CWnd::OnTimer(nIDEvent);
}

UINT CExtDatePickerWnd::OnGetDlgCode() {
  return (GetStyle() & WS_TABSTOP) != 0 ? DLGC_WANTALLKEYS : CWnd::OnGetDlgCode();
}

void CExtDatePickerWnd::OnKeyDown(UINT nChar, UINT, UINT) { OnDatePickerKey(nChar); }

void CExtDatePickerWnd::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  if ((GetStyle() & WS_TABSTOP) != 0)
    SendMessage(WM_CANCELMODE);
}

void CExtDatePickerWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CWnd::OnActivateApp(bActive, dwThreadID);
  if (!bActive)
    SendMessage(WM_CANCELMODE);
}

int CExtDatePickerWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  if ((GetStyle() & WS_TABSTOP) == 0)
    return MA_NOACTIVATE;
  return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
