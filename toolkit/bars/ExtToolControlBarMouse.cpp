// The tool bar's hit test, mouse state machine and tips.
#include "toolkit/bars/ExtToolControlBar.h"

int CExtToolControlBar::HitTestButton(CPoint point, UINT nRequiredStyle, UINT nExcludedStyle,
                                      bool bNearest) const {
  return -1;
}

int CExtToolControlBar::HitTestButtonNoSeparators(CPoint point) const { return -1; }

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  return CExtControlBar::OnToolHitTest(point, pTI);
}

void CExtToolControlBar::UpdateCursor(CPoint ptClient) { CExtControlBar::UpdateCursor(ptClient); }

int CExtToolControlBar::HitTestItem(CPoint ptClient) const { return -1; }

bool CExtToolControlBar::ProcessMouseMove(UINT nFlags, CPoint ptClient) {
  return CExtControlBar::ProcessMouseMove(nFlags, ptClient);
}

void CExtToolControlBar::UpdateHover(CPoint point) {}

void CExtToolControlBar::ShowHoverTip(CPoint point) {}

void CExtToolControlBar::CancelButtonStates() {}

void CExtToolControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  CExtControlBar::OnLButtonDown(nFlags, point);
}

void CExtToolControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  CExtControlBar::OnLButtonUp(nFlags, point);
}

void CExtToolControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  CExtControlBar::OnLButtonDblClk(nFlags, point);
}

void CExtToolControlBar::OnRButtonUp(UINT nFlags, CPoint point) {
  CExtControlBar::OnRButtonUp(nFlags, point);
}

void CExtToolControlBar::OnCancelMode() { CExtControlBar::OnCancelMode(); }

void CExtToolControlBar::OnCaptureChanged(CWnd* pWnd) { CExtControlBar::OnCaptureChanged(pWnd); }
