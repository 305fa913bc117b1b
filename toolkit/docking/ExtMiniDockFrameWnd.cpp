// The floating frame of toolkit bars: for now the framework's mini dock frame with a toolkit dock
// bar inside, made floating.
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

CDockBar* CExtMiniDockFrameWnd::CreateDockBar() {
  CExtDockBar* pDock = new CExtDockBar(0);
  pDock->m_bFloating = TRUE;
  return pDock;
}

CExtDockBar* CExtMiniDockFrameWnd::GetExtDockBar() const {
  return DYNAMIC_DOWNCAST(CExtDockBar, m_pWndDockBar);
}
