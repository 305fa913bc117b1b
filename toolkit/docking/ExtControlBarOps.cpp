// The dragging operations of a control bar. Their full forms arrive with the drag loop; until then
// each does the simplest sound thing: nothing for a drop that cannot be computed.
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
