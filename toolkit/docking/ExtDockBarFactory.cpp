// What the control bar asks of the dock-bar area: a new outer dock bar for a frame's side, the
// floating frame's class, and the toolkit dock bar a bar sits in.
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

CDockBar* CExtControlBar::CreateOuterDockBar(CFrameWnd* pFrame, DWORD dwStyle, UINT nDockBarId) {
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
    return NULL;
  // A dock bar whose window cannot be made deletes itself.
  CExtDockOuterBar* pDock = new CExtDockOuterBar;
  if (!pDock->Create(pFrame, dwStyle, nDockBarId))
    return NULL;
  return pDock;
}

CRuntimeClass* CExtControlBar::GetFloatingFrameClass() { return RUNTIME_CLASS(CExtMiniDockFrameWnd); }

CExtDockBar* CExtControlBar::GetExtDockBar() const { return DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar); }
