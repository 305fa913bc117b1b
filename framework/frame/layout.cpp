// Frame layout and the idle pass: bars and view laid out now or at the next idle moment, and the
// menu, title and message text a frame owes.
#include "framework/frame/fw_frame.h"

void CFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout)
    return;
  m_bInRecalcLayout = TRUE;
  if (m_nIdleFlags & idleNotify)
    bNotify = TRUE;
  (void)bNotify; // no in-place server is told about layouts in this program
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (GetStyle() & FWS_SNAPTOBARS) {
    // A frame that fits its bars: measure them, lay them out, then size the frame around them.
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED)
    RecalcLayout();
}

void CFrameWnd::OnIdleUpdateCmdUI() {
  if (m_nIdleFlags & idleMenu) {
    m_nIdleFlags &= ~idleMenu;
    OnUpdateFrameMenu(m_hMenuAlt);
  }
  if (m_nIdleFlags & idleTitle)
    OnUpdateFrameTitle(TRUE);
  if (m_nIdleFlags & idleLayout) {
    RecalcLayout(m_nIdleFlags & idleNotify);
    UpdateWindow();
  }
  if (m_nIDTracking != m_nIDLastMessage)
    SetMessageText(m_nIDTracking);
  m_nIdleFlags = 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM) {
  // A hidden frame reached only because a show is pending shows itself first.
  if (m_nShowDelay >= 0) {
    int nShow = m_nShowDelay;
    m_nShowDelay = -1;
    ShowWindow(nShow);
  }
  m_nFlags &= ~WF_SHOWPENDING;
  OnIdleUpdateCmdUI();
  return 0;
}
