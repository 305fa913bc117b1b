// Popup menus from menu handles: building, the recent-file and MDI window lists, export.
// (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

bool CExtPopupMenuWnd::MENUITEMDATA::FillFromMenuItem(HWND, HMENU, int, bool) { return false; }
bool CExtPopupMenuWnd::BuildFromMenuResource(HWND, UINT, bool, bool) { return false; }
HMENU CExtPopupMenuWnd::ExportToMenuHandle(bool) const { return NULL; }
bool CExtPopupMenuWnd::BuildFromMenuHandle(HWND, CMenu*, bool, bool, bool) { return false; }
void CExtPopupMenuWnd::AppendMdiWindowItems() {}
bool CExtPopupMenuWnd::BuildItemsFromMenuHandle(CMenu*, bool, bool) { return true; }
