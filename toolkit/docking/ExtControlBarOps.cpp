// The dragging and row-resizing operations of a control bar. Their full forms arrive with the drag
// loop and the row-resizing work; until then each does the simplest sound thing: nothing for a
// drop that cannot be computed, and an immediate end for a resizing loop.
#include "toolkit/docking/ExtControlBar.h"

namespace {
// The bar of the drag in progress; the drag loop sets it.
CExtControlBar* g_pDraggedBar = NULL;
} // namespace

CExtControlBar* CExtControlBar::GetDraggedBar() { return g_pDraggedBar; }

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
