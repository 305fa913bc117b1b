// Showing a popup menu and moving through it with the keys, the mouse and the timers.
// (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

bool CExtPopupMenuWnd::PrepareContent(DWORD, int, int, const RECT*, LPVOID, PFN_COMBINED_AREA_PAINTER, bool) {
  return false;
}
void CExtPopupMenuWnd::SetCurrentItem(int nIndex, bool, bool, bool) { m_nCurIndex = nIndex; }
void CExtPopupMenuWnd::StartSubmenuDelay(int) {}
void CExtPopupMenuWnd::ClearCurrentItem(bool, bool) { m_nCurIndex = -1; }
bool CExtPopupMenuWnd::HandleKeyboard(UINT, UINT, UINT, bool&) { return false; }
bool CExtPopupMenuWnd::HandleMouseMove(UINT, int, int, bool&) { return false; }
bool CExtPopupMenuWnd::HandleMouseClick(UINT, int, int, bool&) { return false; }
bool CExtPopupMenuWnd::HandleMouseWheel(UINT, const MOUSEHOOKSTRUCT*, bool&) { return true; }
void CExtPopupMenuWnd::HandleTimer(UINT) {}
