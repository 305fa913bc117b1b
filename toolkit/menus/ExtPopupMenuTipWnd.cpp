// The tip window of menus, bars and tab strips.
// (stub: being built)
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

BEGIN_MESSAGE_MAP(CExtPopupMenuTipWnd, CExtPopupBaseWnd)
ON_WM_ACTIVATEAPP()
ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd() {}
CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd() {}
void CExtPopupMenuTipWnd::SetText(LPCSTR lpszText) { m_sText = lpszText != NULL ? lpszText : ""; }
BOOL CExtPopupMenuTipWnd::ShowBalloon(CWnd*, const RECT&) { return TRUE; }
void CExtPopupMenuTipWnd::HideTip() {}
CSize CExtPopupMenuTipWnd::BuildBalloonRegion(CDC&, CRgn&, const RECT&) { return CSize(); }
void CExtPopupMenuTipWnd::PaintTip(CDC&) {}
void CExtPopupMenuTipWnd::PaintContent(CDC& dc, bool) { PaintTip(dc); }
int CExtPopupMenuTipWnd::GetShadowSize() const { return 0; }
void CExtPopupMenuTipWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
}
void CExtPopupMenuTipWnd::OnTimer(UINT nIDEvent) { CExtPopupBaseWnd::OnTimer(nIDEvent); }
