// The row-resizing operations of a control bar. Their full forms arrive with the row-resizing
// work; until then each does the simplest sound thing: an immediate end for a resizing loop.
#include "toolkit/docking/ExtControlBar.h"

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
