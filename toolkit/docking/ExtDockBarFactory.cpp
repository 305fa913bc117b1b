// What the control bar asks of the dock-bar area. The dock-bar area replaces these bodies when its
// outer dock bar and floating frame exist; until then a frame cannot get toolkit docking and keeps
// the framework's dock bars, and a bar's dock bar is found by its class name.
#include "toolkit/docking/ExtControlBar.h"

CDockBar* CExtControlBar::CreateOuterDockBar(CFrameWnd* /*pFrame*/, DWORD /*dwStyle*/, UINT /*nDockBarId*/) {
  return NULL;
}

CRuntimeClass* CExtControlBar::GetFloatingFrameClass() { return NULL; }

CExtDockBar* CExtControlBar::GetExtDockBar() const {
  if (m_pDockBar == NULL)
    return NULL;
  for (const CRuntimeClass* pClass = m_pDockBar->GetRuntimeClass(); pClass != NULL;
       pClass = pClass->m_pBaseClass)
    if (lstrcmpA(pClass->m_lpszClassName, "CExtDockBar") == 0)
      return reinterpret_cast<CExtDockBar*>(m_pDockBar); // CDockBar is its first base
  return NULL;
}
