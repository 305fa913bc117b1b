// CDockContext: where a bar was docked and floated last, and the double-click that moves it back
// and forth between the two.
#include "framework/bars/fw_bars.h"

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0),
      m_ptMRUFloatPos(CW_USEDEFAULT, 0), m_dwStyle(pBar->m_dwStyle) {
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    m_dwMRUFloatStyle = pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
  else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (pBar->m_dwStyle & CBRS_FLOAT_MULTI);
  else
    m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (pBar->m_dwStyle & CBRS_FLOAT_MULTI);
}

// Every bar of this program shows its content while it is dragged, through its own loop; the
// outline tracking of plain bars is never used.
void CDockContext::StartDrag(CPoint) {}

void CDockContext::StartResize(int, CPoint) {}

void CDockContext::ToggleDocking() {
  if (m_pDockSite == NULL)
    m_pDockSite = m_pBar->m_pDockSite;
  if (m_pDockSite == NULL)
    return;
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
      return; // may not dock
    CDockBar* pDockBar = NULL;
    CRect rect = m_rectMRUDockPos;
    if (m_uMRUDockID != 0) {
      CControlBar* pBar = m_pDockSite->GetControlBar(m_uMRUDockID);
      if (pBar != NULL && pBar->IsDockBar()) {
        pDockBar = static_cast<CDockBar*>(pBar);
        pDockBar->ClientToScreen(&rect);
      }
    }
    m_pDockSite->ReDockControlBar(m_pBar, pDockBar, pDockBar != NULL ? &rect : NULL);
    m_pDockSite->RecalcLayout();
  } else {
    // Remember the docked place, then float where the bar floated last, else where it is now.
    if (m_pBar->m_pDockBar != NULL) {
      m_uMRUDockID = static_cast<UINT>(m_pBar->m_pDockBar->GetDlgCtrlID());
      m_pBar->GetWindowRect(&m_rectMRUDockPos);
      m_pBar->m_pDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x == CW_USEDEFAULT) {
      CRect rectBar;
      m_pBar->GetWindowRect(&rectBar);
      ptFloat = rectBar.TopLeft();
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
  }
}
