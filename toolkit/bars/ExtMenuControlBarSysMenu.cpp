// The menu bar's system menus and button-menu requests.
#include "toolkit/bars/ExtMenuControlBar.h"

bool CExtMenuControlBar::TrackWindowSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst,
                                               const RECT* prcExclude, DWORD dwTrackFlags, bool bCombined) {
  return false;
}

bool CExtMenuControlBar::TrackFrameSystemMenu(const POINT* pPoint, bool bSelectFirst) { return false; }

bool CExtMenuControlBar::TrackMdiChildSystemMenu(const POINT* pPoint, bool bSelectFirst) { return false; }

bool CExtMenuControlBar::PostTrackButtonMenu(int nIndex, bool bSelectFirst, bool bDelayed,
                                             bool bFromKeyboard) {
  return false;
}

bool CExtMenuControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bDelayed, bool bForceNoAnimation) {
  return false;
}

LRESULT CExtMenuControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam) { return 0; }
