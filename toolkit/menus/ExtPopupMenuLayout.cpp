// Popup menu layout: item layout, the palette layout, placement on the monitor, hit test, navigation targets
// and scrolling. (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

void CExtPopupMenuWnd::RecalcLayoutRects() {}
int CExtPopupMenuWnd::GetBorderSize() const { return 0; }
int CExtPopupMenuWnd::HitTest(const POINT&, bool*, bool*) const { return HIT_NOTHING; }
int CExtPopupMenuWnd::GetTearOffBarHeight() const { return 0; }
bool CExtPopupMenuWnd::IsRowBreakAfter(int) const { return false; }
void CExtPopupMenuWnd::GetItemRect(int, RECT& rc, bool) const { ::SetRectEmpty(&rc); }
void CExtPopupMenuWnd::GetItemRectPalette(int, RECT& rc, bool) const { ::SetRectEmpty(&rc); }
int CExtPopupMenuWnd::GetMinScrollOffset() const { return 0; }
bool CExtPopupMenuWnd::StartScrolling(int) { return false; }
bool CExtPopupMenuWnd::ScrollStep(const POINT&) { return false; }
void CExtPopupMenuWnd::RecalcItemLayout() {}
void CExtPopupMenuWnd::RecalcItemLayoutPalette() {}
void CExtPopupMenuWnd::AssignRowBreaks(int, int) {}
bool CExtPopupMenuWnd::IsPointOverMenu(const POINT&) const { return false; }
bool CExtPopupMenuWnd::IsPointInChain(const POINT&, bool) const { return false; }
CRect CExtPopupMenuWnd::CalcWindowPlacement() { return CRect(); }
CSize CExtPopupMenuWnd::MeasureMenu() const { return CSize(); }
int CExtPopupMenuWnd::FindNavigationTarget(int) const { return -1; }
CRect CExtPopupMenuWnd::CalcEditRect(const RECT&, const MENUITEMDATA&) const { return CRect(); }
CRect CExtPopupMenuWnd::GetPlacementArea() const { return CRect(); }
