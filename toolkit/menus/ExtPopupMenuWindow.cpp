// The popup menu's window: creation, the animation and shadow hooks, hiding, expanding and ending with a
// command. (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPopupMenuWnd::CExtPopupMenuWnd() {}
CExtPopupMenuWnd::~CExtPopupMenuWnd() {}
CExtPopupTrackSite& CExtPopupMenuWnd::GetTrackSite() { return g_PopupTrackSite; }
bool CExtPopupMenuWnd::IsRightToLeftLayout() const { return CExtPopupBaseWnd::IsRightToLeftLayout(); }
bool CExtPopupMenuWnd::IsEffectsSuppressed() const { return (m_dwTrackFlags & TPMX_DISPLAY_ONLY) != 0; }
bool CExtPopupMenuWnd::IsHelpMode() const { return (m_dwTrackFlags & TPMX_HELP_MODE) != 0; }
void CExtPopupMenuWnd::StartAnimationTimer() { CExtPopupBaseWnd::StartAnimationTimer(); }
void CExtPopupMenuWnd::ReleaseAnimationBuffers() { CExtPopupBaseWnd::ReleaseAnimationBuffers(); }
bool CExtPopupMenuWnd::IsShadowEnabled() const { return CExtPopupBaseWnd::IsShadowEnabled(); }
void CExtPopupMenuWnd::GetContentRect(RECT& rc) const { CExtPopupBaseWnd::GetContentRect(rc); }
bool CExtPopupMenuWnd::GetJointBarState(BarState_t&) const { return false; }
bool CExtPopupMenuWnd::CreateMenuWindow(CWnd*) { return false; }
void CExtPopupMenuWnd::StopAnimation() {}
void CExtPopupMenuWnd::ResetAndHide(bool) {}
void CExtPopupMenuWnd::SetHoverMenu() {}
CExtPopupMenuWnd* CExtPopupMenuWnd::GetHoverMenu() const { return g_PopupTrackSite.m_pHoverMenu; }
void CExtPopupMenuWnd::ClearHoverMenu() {}
void CExtPopupMenuWnd::ReshowForShadow() {}
bool CExtPopupMenuWnd::ExpandToAllItems() { return false; }
bool CExtPopupMenuWnd::IsOwnTipVisible() const { return false; }
void CExtPopupMenuWnd::HideOwnTip(bool) {}
int CExtPopupMenuWnd::GetItemTipStyle() const {
  return IsPaletteLayout() ? g_nPaletteItemTipStyle : g_nMenuItemTipStyle;
}
void CExtPopupMenuWnd::EndWithCommand(UINT, HWND) {}
void CExtPopupMenuWnd::CancelSubmenuDelay() {}
void CExtPopupMenuWnd::OnTimer(UINT nIDEvent) { CExtPopupBaseWnd::OnTimer(nIDEvent); }
