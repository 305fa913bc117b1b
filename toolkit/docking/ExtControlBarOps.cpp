// The docking, dragging and row-resizing operations of a control bar. Their full forms arrive with
// the docking operations, the drag loop and the row-resizing work; until then each does the
// simplest sound thing: the framework's own docking for fixed bars, nothing for a drop that
// cannot be computed, and an immediate end for a resizing loop.
#include "toolkit/docking/ExtControlBar.h"

namespace {
// The bar of the drag in progress; the drag loop sets it.
CExtControlBar* g_pDraggedBar = NULL;
} // namespace

CExtControlBar* CExtControlBar::GetDraggedBar() { return g_pDraggedBar; }

bool CExtControlBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
  if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL)
    return false;
  m_dwStyle = dwStyle & CBRS_ALL;
  // The low word of the window style is the class's own: it keeps the bar bits too, so that a bar
  // in a dialog (which takes its bar style from its window style) keeps them.
  CRect rc(0, 0, 0, 0);
  return CWnd::Create(kClassName, lpszWindowName, dwStyle & ~(CBRS_ALL & 0xFFFF0000), rc, pParentWnd, nID) !=
         FALSE;
}

CExtMiniDockFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD /*dwStyle*/) {
  // The floating frame class arrives with the floating frame.
  return NULL;
}

void CExtControlBar::ToggleDocking() {
  if (m_pDockContext != NULL && IsFixedMode())
    m_pDockContext->ToggleDocking();
}

void CExtControlBar::FloatControlBar(int x, int y, DWORD dwStyle) {
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != NULL && m_pDockContext != NULL)
    pFrame->FloatControlBar(this, CPoint(x, y), dwStyle);
}

void CExtControlBar::FloatAtLastPosition(DWORD dwStyle) {
  FloatControlBar(m_ptFloatPos.x, m_ptFloatPos.y, dwStyle);
}

void CExtControlBar::DockAtFrameSide(UINT nDockBarId, bool /*bInnermost*/, CFrameWnd* pFrame, bool bRecalc) {
  if (pFrame == NULL)
    pFrame = GetDockingFrame();
  if (pFrame == NULL || pFrame->GetControlBar(nDockBarId) == NULL)
    return;
  pFrame->DockControlBar(this, nDockBarId);
  if (bRecalc)
    pFrame->RecalcLayout();
}

bool CExtControlBar::DockIntoSideBar(UINT nDockBarId, int /*nCircle*/, CFrameWnd* pFrame, bool bRecalc) {
  // A frame without that dock bar (docking not enabled, or a wrong id) cannot take the bar.
  if (pFrame == NULL)
    pFrame = GetDockingFrame();
  if (pFrame == NULL || pFrame->GetControlBar(nDockBarId) == NULL)
    return false;
  DockAtFrameSide(nDockBarId, false, pFrame, bRecalc);
  return true;
}

bool CExtControlBar::DockBesideBar(int /*nPercent*/, CExtControlBar* /*pBarTarget*/, UINT /*nDockBarId*/,
                                   bool /*bRecalc*/) {
  return false;
}

CExtControlBar* CExtControlBar::DockBarBesideThis(CExtControlBar* /*pBar*/, UINT /*nDockBarId*/,
                                                  int /*nPercent*/) {
  return NULL;
}

bool CExtControlBar::DockRelativeToBar(CExtControlBar* /*pBar*/, bool /*bAcross*/, bool /*bOtherSide*/,
                                       CFrameWnd* /*pFrame*/, bool /*bRecalc*/) {
  return false;
}

bool CExtControlBar::DockAsTab(CExtControlBar* /*pBar*/, int /*nTabIndex*/, CFrameWnd* /*pFrame*/,
                               bool /*bRecalc*/) {
  return false;
}

bool CExtControlBar::SetAutoHideMode(bool /*bAutoHide*/, bool /*bReserved*/, bool /*bRecalcNow*/,
                                     bool /*bActivate*/) {
  // No auto-hide area exists in this program.
  return false;
}

void CExtControlBar::ApplyDraggingState() {}

void CExtControlBar::TrackDragging(CPoint /*ptScreen*/, CPoint /*ptGrabOffset*/, int /*nMinMoveX*/,
                                   int /*nMinMoveY*/) {
  // The drag loop arrives with dragging; a caption press ends here until then.
}

void CExtControlBar::StopDragging(bool /*bCancel*/) {
  m_bBarState &= ~BS_DRAGGING;
  m_ptLastDrag = CPoint(-1, -1);
}

void CExtControlBar::OnDraggingStep(CPoint /*ptScreen*/, bool /*bForceFloat*/) {}

void CExtControlBar::OnDraggingStarted() {}

void CExtControlBar::OnDraggingFinished(InternalDraggingState_t* /*pCurrent*/,
                                        InternalDraggingState_t* /*pNew*/, bool /*bApplied*/) {}

// The row-resizing loops arrive with the row-resizing work: a press on a resizer band does not
// start one yet.
void CExtControlBar::TrackRowResizing() {}

void CExtControlBar::StopRowResizing(bool /*bCancel*/) {
  m_bBarState &= ~BS_ROW_RESIZING;
  if (CExtMouseCaptureSink::GetCapture() == GetSafeHwnd())
    CExtMouseCaptureSink::ReleaseCapture();
}

void CExtControlBar::OnRowResizingStep(CPoint /*ptScreen*/) {}

void CExtControlBar::TrackInRowResizing() {}

void CExtControlBar::StopInRowResizing(bool /*bCancel*/) {
  m_bBarState &= ~BS_INROW_RESIZING;
  if (CExtMouseCaptureSink::GetCapture() == GetSafeHwnd())
    CExtMouseCaptureSink::ReleaseCapture();
}

void CExtControlBar::OnInRowResizingStep(CPoint /*ptScreen*/) {}

bool CExtControlBar::CanResizeTowardNext() const { return !g_bLockAllBars; }

bool CExtControlBar::CanResizeTowardPrevious() const { return !g_bLockAllBars; }

void CExtControlBar::DrawRowResizingTracker(bool /*bErase*/) {}

void CExtControlBar::DrawInRowResizingTracker(bool /*bErase*/) {}
