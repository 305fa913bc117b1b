// The tool bar's sizing and wrapping for the frame's docking layout.
#include "toolkit/bars/ExtToolControlBar.h"

int CExtToolControlBar::GetLayoutMode() const { return -1; }

CSize CExtToolControlBar::CalcLayout(DWORD dwMode, int nLength) { return CSize(); }

CSize CExtToolControlBar::CalcSize(bool bVert) { return CSize(); }

void CExtToolControlBar::SizeToolBar(int nLength, bool bVert) {}

void CExtToolControlBar::WrapToolBarVertically(int nHeight) {}

int CExtToolControlBar::WrapToolBar(int nWidth, int nHeight) { return -1; }

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CExtControlBar::CalcFixedLayout(bStretch, bHorz);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  return CExtControlBar::CalcDynamicLayout(nLength, dwMode);
}

void CExtToolControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  CExtControlBar::CalcInsideRect(rect, bHorz);
}

CSize CExtToolControlBar::CalcMinSize() const { return CExtControlBar::CalcMinSize(); }
