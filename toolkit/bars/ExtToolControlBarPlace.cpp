// Placing the tool bar's buttons: one row for docked bars with the overflow in the chevron, rows for floating
// ones; the background segments.
#include "toolkit/bars/ExtToolControlBar.h"

bool CExtToolControlBar::ToolBarBackgroundSegments::FromChildWindow(CWnd* pChild) { return false; }

void CExtToolControlBar::ToolBarBackgroundSegments::ScreenToClientRects(CWnd* pTarget) {}

void CExtToolControlBar::ToolBarBackgroundSegments::OffsetRectsToWindow(CWnd* pTarget) {}

void CExtToolControlBar::ToolBarBackgroundSegments::Paint(CDC& dc) {}

void CExtToolControlBar::RecalcButtonPositions() {}

void CExtToolControlBar::GetFaceSegments(std::vector<RECT>& segments) const {}
