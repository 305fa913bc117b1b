// The menu bar's keyboard translation and keyboard-selection mode.
#include "toolkit/bars/ExtMenuControlBar.h"

void CExtMenuControlBar::UpdateKeyboardHighlight(bool bRedraw) {}

bool CExtMenuControlBar::TranslateFrameKeyboard(MSG* pMsg) { return false; }

BOOL CExtMenuControlBar::PreTranslateMessage(MSG* pMsg) {
  return CExtToolControlBar::PreTranslateMessage(pMsg);
}

bool CExtMenuControlBar::ProcessMouseMove(UINT nFlags, CPoint ptClient) {
  return CExtToolControlBar::ProcessMouseMove(nFlags, ptClient);
}

void CExtMenuControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  CExtToolControlBar::OnLButtonDown(nFlags, point);
}

void CExtMenuControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  CExtToolControlBar::OnLButtonUp(nFlags, point);
}
