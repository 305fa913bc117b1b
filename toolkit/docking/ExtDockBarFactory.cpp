// The two things the control bar asks of the dock-bar area when a frame gets toolkit docking.
// The dock-bar area replaces these bodies when its outer dock bar and floating frame exist; until
// then a frame cannot get toolkit docking and keeps the framework's dock bars.
#include "toolkit/docking/ExtControlBar.h"

CDockBar* CExtControlBar::CreateOuterDockBar(CFrameWnd* /*pFrame*/, DWORD /*dwStyle*/, UINT /*nDockBarId*/) {
  return NULL;
}

CRuntimeClass* CExtControlBar::GetFloatingFrameClass() { return NULL; }
