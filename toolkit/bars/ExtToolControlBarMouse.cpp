// The tool bar's hit test, mouse state machine and tips.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/foundation/ExtToolInfoText.h"

namespace {
// The state bits under which the base bar owns the mouse.
const BYTE kBaseTrackingStates =
    CExtControlBar::BS_DRAGGING | CExtControlBar::BS_ROW_RESIZING | CExtControlBar::BS_INROW_RESIZING;

// The style a released button keeps: not pressed, and, released over it, an enabled check box
// toggled (an indeterminate one first loses its third state).
UINT ReleasedStyle(UINT nStyle, bool bOver) {
  nStyle &= ~TBBS_PRESSED;
  if (!bOver || (nStyle & TBBS_CHECKBOX) == 0 || (nStyle & TBBS_DISABLED) != 0)
    return nStyle;
  return (nStyle & ~TBBS_INDETERMINATE) ^ TBBS_CHECKED;
}
} // namespace

int CExtToolControlBar::HitTestButton(CPoint point, UINT nRequiredStyle, UINT nExcludedStyle,
                                      bool /*bNearest*/) const {
  if (GetSafeHwnd() == NULL)
    return -1;
  if (CExtMouseCaptureSink::GetCapture() == m_hWnd) {
    // With the capture every point reaches us; one over another window hits nothing here.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (::WindowFromPoint(ptScreen) != m_hWnd)
      return -1;
  }
  const int nCount = GetButtonCount();
  for (int i = 0; i < nCount; ++i) {
    const CExtBarButton* pButton = m_buttons[i];
    const UINT nStyle = pButton->GetStyle();
    if (!pButton->IsVisible() || (nStyle & TBBS_HIDDEN) != 0)
      continue;
    if (pButton->IsSeparator() && i + 1 < nCount && (m_buttons[i + 1]->GetStyle() & TBBS_HIDDEN) != 0)
      continue;
    if ((nStyle & nRequiredStyle) != nRequiredStyle || (nStyle & nExcludedStyle) != 0)
      continue;
    if (pButton->GetRect().PtInRect(point))
      return i;
  }
  return -1;
}

int CExtToolControlBar::HitTestButtonNoSeparators(CPoint point) const {
  return HitTestButton(point, 0, TBBS_SEPARATOR);
}

int CExtToolControlBar::HitTestItem(CPoint ptClient) const {
  CExtBarButton* pButton = GetButton(HitTestButtonNoSeparators(ptClient));
  if (pButton == NULL)
    return -1;
  const int nHit = pButton->OnHelpHitTest(ptClient);
  return (nHit == -1 || nHit == -2) ? -2 : nHit;
}

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (!IsDisplayTips() || g_bMenuTracking || CExtPopupMenuWnd::AnyMenuTracked() ||
      GetToolTipObject() != NULL || m_bSuppressTips != 0)
    return -1;
  if (CExtBarButton* pButton = GetButton(HitTestButton(point))) {
    const INT_PTR nHit = pButton->OnToolHitTest(point, pTI);
    if (nHit != -1)
      return nHit;
  }
  return CExtControlBar::OnToolHitTest(point, pTI);
}

void CExtToolControlBar::UpdateCursor(CPoint ptClient) {
  CExtBarButton* pButton = GetButton(HitTestButton(ptClient));
  if (pButton != NULL && pButton->OnSetCursor(ptClient))
    return;
  CExtControlBar::UpdateCursor(ptClient);
}

// --- hover and tips ------------------------------------------------------------------------------

// The bar's top-level window is active, or owned by the active window (a floating bar's mini
// frame stays inactive beside its active main frame).
bool CExtToolControlBar::IsTopLevelActive() const {
  CWnd* pTop = FindTopLevelAncestor(const_cast<CExtToolControlBar*>(this));
  const HWND hWndActive = ::GetActiveWindow();
  for (HWND hWnd = pTop != NULL ? pTop->GetSafeHwnd() : NULL; hWnd != NULL;
       hWnd = ::GetWindow(hWnd, GW_OWNER)) {
    if (hWnd == hWndActive)
      return true;
  }
  return false;
}

void CExtToolControlBar::UpdateHover(CPoint point) {
  if (point.x < 0 || point.y < 0) {
    if (!::GetCursorPos(&point))
      return;
    ScreenToClient(&point);
  }
  int nHit = -1;
  if (IsTopLevelActive() || CExtPopupMenuWnd::AnyMenuTracked())
    nHit = HitTestButtonNoSeparators(point);
  if (nHit == m_nBtnIdxHover)
    return;
  const HWND hWndOwn = m_hWnd;
  bool bSuppressTip = m_bSuppressTips != 0;
  if (CExtBarButton* pOld = GetButton(m_nBtnIdxHover)) {
    pOld->SetHover(false);
    InvalidateButton(m_nBtnIdxHover);
    m_nBtnIdxHover = -1;
    pOld->OnHover(point, false, bSuppressTip);
    if (!::IsWindow(hWndOwn))
      return;
  }
  CExtBarButton* pNew = GetButton(nHit);
  if (pNew != NULL && IsFrameInHelpMode(this) &&
      !(pNew->IsAbleToTrackMenu() && pNew->OnHelpHitTest(point) == -3)) {
    pNew = NULL;
    nHit = -1;
  }
  m_nBtnIdxHover = nHit;
  if (pNew == NULL)
    return;
  if (g_bMenuTracking && (pNew->IsDisabled() || pNew->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton))))
    return;
  pNew->SetHover(true);
  InvalidateButton(nHit);
  pNew->OnHover(point, true, bSuppressTip);
  if (!::IsWindow(hWndOwn))
    return;
  m_bSuppressTips = bSuppressTip ? 1 : 0;
  TrackPointerLeave();
}

void CExtToolControlBar::TrackPointerLeave() {
  TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
  if (!::TrackMouseEvent(&tme))
    TRACE("CExtToolControlBar: no leave tracking (%lu)\n", ::GetLastError());
}

// The pointer has left the bar's window: the hot button follows where it is now.
LRESULT CExtToolControlBar::OnMouseLeave(WPARAM, LPARAM) {
  if (m_nBtnIdxHover < 0 || m_nBtnIdxCapture >= 0 || (m_bBarState & kBaseTrackingStates) != 0)
    return 0;
  UpdateHover(CPoint(-1, -1));
  if (m_nBtnIdxHover >= 0)
    TrackPointerLeave();
  return 0;
}

void CExtToolControlBar::ShowHoverTip(CPoint point) {
  CExtPopupMenuTipWnd* pTip = GetToolTipObject();
  CExtBarButton* pButton = GetButton(m_nBtnIdxHover);
  if (pTip == NULL || pButton == NULL)
    return;
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  if (pButton->OnToolHitTest(point, &ti) == -1)
    return;
  const CString strText = TakeToolInfoText(ti);
  if (strText.IsEmpty())
    return;
  CRect rcButton = pButton->GetRect();
  ClientToScreen(&rcButton);
  ShowBarTip(pTip, rcButton, strText);
}

// --- the mouse state machine ---------------------------------------------------------------------

bool CExtToolControlBar::NotePointer(CPoint ptClient) {
  ClientToScreen(&ptClient);
  const bool bStill = ptClient == m_ptLastPointer;
  m_ptLastPointer = ptClient;
  return bStill;
}

bool CExtToolControlBar::ProcessMouseMove(UINT nFlags, CPoint ptClient) {
  if (CExtPopupMenuWnd::AnyMenuTracked() && !g_bMenuTracking)
    return true;
  if ((m_bBarState & kBaseTrackingStates) != 0)
    return CExtControlBar::ProcessMouseMove(nFlags, ptClient);
  // Only a pointer that moved takes an open button menu to the button under it: a key that moved
  // the menu on wins over a pointer resting where it was.
  const bool bStill = NotePointer(ptClient);
  if (bStill && g_bMenuTracking)
    return true;
  if (g_bActivateOnHover && IsFloating()) {
    if (CFrameWnd* pFrame = GetParentFrame())
      pFrame->BringWindowToTop();
  }
  UpdateCursor(ptClient);
  if (CExtBarButton* pPressed = GetButton(m_nBtnIdxCapture)) {
    if (CExtMouseCaptureSink::GetCapture() != m_hWnd) {
      // Someone else took the mouse: the press is over.
      m_nBtnIdxCapture = -1;
      return true;
    }
    const bool bOver = HitTestButtonNoSeparators(ptClient) == m_nBtnIdxCapture;
    const UINT nStyle = pPressed->GetStyle();
    SetButtonStyle(m_nBtnIdxCapture, bOver ? (nStyle | TBBS_PRESSED) : (nStyle & ~TBBS_PRESSED));
    UpdateWindow();
    return true;
  }
  UpdateHover(ptClient);
  if (GetSafeHwnd() == NULL)
    return true;
  if (CExtMouseCaptureSink::GetCapture() == m_hWnd && m_nBtnIdxHover < 0 && m_nBtnIdxCapture < 0 &&
      m_nBtnIdxMenuTracking < 0) {
    CPoint ptScreen = ptClient;
    ClientToScreen(&ptScreen);
    if (::WindowFromPoint(ptScreen) != m_hWnd)
      CExtMouseCaptureSink::ReleaseCapture();
  }
  if (!CExtPopupMenuWnd::AnyMenuTracked() && m_nBtnIdxHover >= 0)
    ShowHoverTip(ptClient);
  return true;
}

void CExtToolControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if ((m_bBarState & kBaseTrackingStates) != 0) {
    CExtControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  CancelToolTips();
  m_nBtnIdxCapture = HitTestButtonNoSeparators(point);
  CExtBarButton* pButton = GetButton(m_nBtnIdxCapture);
  if (pButton == NULL) {
    CExtControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  g_bMenuExpanded = false;
  UpdateButtonCmdUI(m_nBtnIdxCapture);
  if (m_nBtnIdxCapture == m_nBtnIdxMenuTracking ||
      (pButton->IsDisabled() && !pButton->IsTrackingAllowedWhenDisabled())) {
    m_nBtnIdxCapture = -1;
    return;
  }
  pButton->ModifyStyle(TBBS_PRESSED);
  pButton->SetPressedTracking();
  InvalidateButton(m_nBtnIdxCapture);
  UpdateWindow();
  const HWND hWndOwn = m_hWnd;
  pButton->OnClick(point, true);
  if (!::IsWindow(hWndOwn))
    return;
  // The click may have changed the buttons: the press holds only while the button stays.
  const bool bStillThere = GetButton(m_nBtnIdxCapture) == pButton;
  CWnd* pCtrl = bStillThere ? pButton->GetCtrl() : NULL;
  const bool bCtrlShown = pCtrl != NULL && pCtrl->GetSafeHwnd() != NULL && pCtrl->IsWindowVisible();
  if (bStillThere && !g_bMenuTracking && !bCtrlShown)
    CExtMouseCaptureSink::SetCapture(m_hWnd);
  else
    m_nBtnIdxCapture = -1;
}

void CExtToolControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if ((m_nBtnIdxCapture < 0 && m_nBtnIdxHover < 0) || (m_bBarState & kBaseTrackingStates) != 0) {
    CExtControlBar::OnLButtonUp(nFlags, point);
    return;
  }
  const int nHover = m_nBtnIdxHover;
  CExtBarButton* pHover = GetButton(nHover);
  m_nBtnIdxHover = -1;
  const int nPressed = m_nBtnIdxCapture;
  CExtBarButton* pPressed = GetButton(nPressed);
  if (pPressed != NULL) {
    pPressed->ClearPressedTracking();
    InvalidateButton(nPressed);
  }
  m_nBtnIdxCapture = -1;
  const bool bOver = pPressed != NULL && HitTestButtonNoSeparators(point) == nPressed;
  if (bOver)
    UpdateButtonCmdUI(nPressed);
  const UINT nNewStyle = pPressed != NULL ? ReleasedStyle(pPressed->GetStyle(), bOver) : 0;
  if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
  const HWND hWndOwn = m_hWnd;
  if (bOver && GetButton(nPressed) == pPressed) {
    pPressed->OnClick(point, false);
    if (!::IsWindow(hWndOwn))
      return;
  }
  if (pPressed != NULL && !g_bMenuTracking && GetButton(nPressed) == pPressed) {
    SetButtonStyle(nPressed, nNewStyle);
    UpdateButtonCmdUI(nPressed);
  }
  if (pHover != NULL && GetButton(nHover) == pHover) {
    pHover->SetHover(false);
    bool bSuppressTip = m_bSuppressTips != 0;
    pHover->OnHover(point, false, bSuppressTip);
    if (!::IsWindow(hWndOwn))
      return;
    InvalidateButton(nHover);
  }
  UpdateWindow();
}

void CExtToolControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if ((m_bBarState & kBaseTrackingStates) != 0) {
    CExtControlBar::OnLButtonDblClk(nFlags, point);
    return;
  }
  const int nIndex = HitTestButton(point);
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL) {
    if (IsFloating())
      CExtControlBar::OnLButtonDblClk(nFlags, point);
    return;
  }
  const HWND hWndOwn = m_hWnd;
  if (pButton->OnDblClick(point) || !::IsWindow(hWndOwn))
    return;
  if (IsFloating() || !pButton->IsSeparator()) {
    // A declined double click counts as a second click.
    SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
    if (::IsWindow(hWndOwn))
      SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    return;
  }
  if (IsDblClickToggleEnabled())
    ToggleDocking();
}

void CExtToolControlBar::OnRButtonUp(UINT nFlags, CPoint point) {
  CExtControlBar::OnRButtonUp(nFlags, point);
}

void CExtToolControlBar::CancelButtonStates() {
  if (CExtBarButton* pPressed = GetButton(m_nBtnIdxCapture)) {
    if (m_nBtnIdxCapture != m_nBtnIdxMenuTracking)
      pPressed->ModifyStyle(0, TBBS_PRESSED);
    pPressed->ClearPressedTracking();
  }
  m_nBtnIdxCapture = -1;
  if (CExtBarButton* pHover = GetButton(m_nBtnIdxHover)) {
    pHover->SetHover(false);
    CPoint ptCursor(0, 0);
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    bool bSuppressTip = m_bSuppressTips != 0;
    m_nBtnIdxHover = -1;
    const HWND hWndOwn = m_hWnd;
    pHover->OnHover(ptCursor, false, bSuppressTip);
    if (!::IsWindow(hWndOwn))
      return;
  }
  m_nBtnIdxHover = -1;
  if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
  Invalidate();
  UpdateWindow();
}

void CExtToolControlBar::OnCancelMode() {
  CExtControlBar::OnCancelMode();
  CancelButtonStates();
}

void CExtToolControlBar::OnCaptureChanged(CWnd* pWnd) {
  if ((m_nBtnIdxCapture >= 0 || m_nBtnIdxHover >= 0) && (pWnd == NULL || pWnd->GetSafeHwnd() != m_hWnd))
    SendMessage(WM_CANCELMODE);
  CExtControlBar::OnCaptureChanged(pWnd);
}
