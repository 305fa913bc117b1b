// The popup window base: animation, timers and the messages that keep a popup inactive.
// (stub: being built)
#include "toolkit/menus/ExtPopupBaseWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupBaseWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
ON_WM_MOUSEACTIVATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_WM_SIZE()
ON_WM_ACTIVATEAPP()
ON_WM_CANCELMODE()
ON_WM_SETCURSOR()
ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPopupBaseWnd::CExtPopupBaseWnd() : m_nAnimationType(g_nDefaultAnimation) {}
CExtPopupBaseWnd::~CExtPopupBaseWnd() {}
BOOL CExtPopupBaseWnd::DestroyWindow() {
  return m_hWnd != NULL && ::IsWindow(m_hWnd) ? CWnd::DestroyWindow() : TRUE;
}
bool CExtPopupBaseWnd::IsRightToLeftLayout() const { return false; }
int CExtPopupBaseWnd::GetOwnedShadowSize() const { return m_nOwnedShadow1 != 0 ? m_nOwnedShadow2 : 0; }
bool CExtPopupBaseWnd::IsMenuOfKind() const { return false; }
bool CExtPopupBaseWnd::IsEffectsSuppressed() const { return false; }
void CExtPopupBaseWnd::ValidateAnimationType() {}
void CExtPopupBaseWnd::StartAnimationTimer() {}
void CExtPopupBaseWnd::AdjustAnimationType(int&) {}
void CExtPopupBaseWnd::ReleaseAnimationBuffers() {}
bool CExtPopupBaseWnd::IsShadowEnabled() const { return g_bShadows; }
void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc) { PaintContent(dc, true); }
int CExtPopupBaseWnd::GetShadowSize() const { return 0; }
void CExtPopupBaseWnd::PaintContent(CDC&, bool) {}
void CExtPopupBaseWnd::PostDelayedRepaint() {}
void CExtPopupBaseWnd::GetContentRect(RECT& rc) const { ::GetClientRect(m_hWnd, &rc); }
bool CExtPopupBaseWnd::IsHelpMode() const { return false; }
void CExtPopupBaseWnd::StepAnimation() {}
bool CExtPopupBaseWnd::CreateAnimationBuffers(int, int) { return false; }
bool CExtPopupBaseWnd::ComposeFrame(int, int) { return false; }
int CExtPopupBaseWnd::NextRandom() {
  m_nRandomSeed = m_nRandomSeed * 214013u + 2531011u;
  return (int)((m_nRandomSeed >> 16) & 0x7FFF);
}
void CExtPopupBaseWnd::PaintFrameOfType(CDC&, int, int) {}
int CExtPopupBaseWnd::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATEANDEAT; }
BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC*) { return TRUE; }
void CExtPopupBaseWnd::OnPaint() { CPaintDC dc(this); }
void CExtPopupBaseWnd::OnNcPaint() {}
void CExtPopupBaseWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}
void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy) { CWnd::OnSize(nType, cx, cy); }
void CExtPopupBaseWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CWnd::OnActivateApp(bActive, dwThreadID);
}
void CExtPopupBaseWnd::OnCancelMode() { CWnd::OnCancelMode(); }
BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
void CExtPopupBaseWnd::OnTimer(UINT nIDEvent) { CWnd::OnTimer(nIDEvent); }
