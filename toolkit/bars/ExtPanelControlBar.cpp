// The panel bar.
#include "toolkit/bars/ExtPanelControlBar.h"

IMPLEMENT_DYNAMIC(CExtPanelControlBar, CExtToolControlBar)

BEGIN_MESSAGE_MAP(CExtPanelControlBar, CExtToolControlBar)
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SETFOCUS()
ON_WM_PAINT()
END_MESSAGE_MAP()

CExtPanelControlBar::CExtPanelControlBar() : m_rcMargins(5, 5, 5, 5) { m_nToolBarFlags |= TBF_PANEL; }

CSize CExtPanelControlBar::GetChildSize() const { return CSize(); }

CSize CExtPanelControlBar::CalcChildLayoutSize() const { return CSize(); }

void CExtPanelControlBar::RepositionChild(bool bRepaint) {}

CWnd* CExtPanelControlBar::GetHostedWindow() const { return NULL; }

CSize CExtPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CExtToolControlBar::CalcFixedLayout(bStretch, bHorz);
}

CSize CExtPanelControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  return CExtToolControlBar::CalcDynamicLayout(nLength, dwMode);
}

int CExtPanelControlBar::CalcMinWidth() const { return CExtToolControlBar::CalcMinWidth(); }

int CExtPanelControlBar::CalcMinHeight() const { return CExtToolControlBar::CalcMinHeight(); }

CSize CExtPanelControlBar::GetMinFloatingSize() const { return CExtToolControlBar::GetMinFloatingSize(); }

CSize CExtPanelControlBar::CalcMinSize() const { return CExtToolControlBar::CalcMinSize(); }

CSize CExtPanelControlBar::CalcPanelLayout(DWORD dwMode, int nLength) { return CSize(); }

CSize CExtPanelControlBar::CalcExtraSpace() const { return CSize(); }

void CExtPanelControlBar::OnSize(UINT nType, int cx, int cy) { CExtToolControlBar::OnSize(nType, cx, cy); }

void CExtPanelControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) { Default(); }

void CExtPanelControlBar::OnSetFocus(CWnd* pOldWnd) { CExtControlBar::OnSetFocus(pOldWnd); }

void CExtPanelControlBar::OnPaint() { CExtToolControlBar::OnPaint(); }
