// The docking members of CFrameWnd: dock bars along the sides, docking and floating bars, showing
// and hiding them now or at the next layout, and taking them down with the frame.
#include "framework/bars/fw_bars.h"

#include "framework/core/fw_core.h"

namespace {
// The sides in the order docking looks at them.
const struct {
  UINT nID;
  DWORD dwStyle;
} kDockSides[4] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                   {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                   {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                   {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}};
} // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar) { m_listControlBars.AddTail(pBar); }

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  POSITION pos = m_listControlBars.Find(pBar);
  if (pos != NULL)
    m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  if (nID == 0)
    return NULL;
  // Several bars may share an id; the first one made answers.
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (pBar->m_hWnd != NULL && static_cast<UINT>(::GetDlgCtrlID(pBar->m_hWnd)) == nID)
      return pBar;
  }
  return NULL;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  // A floating-frame class the toolkit installed before stays.
  if (m_pFloatingFrameClass == NULL ||
      !m_pFloatingFrameClass->IsDerivedFrom(RUNTIME_CLASS(CMiniDockFrameWnd)))
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  for (const auto& side : kDockSides) {
    if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID) != NULL)
      continue;
    // A dock bar deletes itself when its creation fails.
    CDockBar* pDock = new CDockBar;
    if (!pDock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.dwStyle,
                       side.nID))
      AfxThrowResourceException();
  }
}

CDockBar* CFrameWnd::DefaultDockBar(const CControlBar* pBar, LPCRECT lpRect) {
  if (lpRect != NULL) {
    for (const auto& side : kDockSides) {
      CControlBar* pDock = GetControlBar(side.nID);
      CRect rectDock, rectCommon;
      if (pDock == NULL || !pDock->IsDockBar())
        continue;
      pDock->GetWindowRect(&rectDock);
      if (rectCommon.IntersectRect(rectDock, lpRect))
        return static_cast<CDockBar*>(pDock);
    }
  }
  // The side the bar is aligned to, when it may dock there; else the first side it may dock at (a
  // floating bar is aligned to the top, where a bar made for the sides would take the frame's
  // whole width at its height).
  const DWORD dwMayDock = pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
  for (DWORD dwWanted : {pBar->m_dwStyle & (dwMayDock != 0 ? dwMayDock : CBRS_ALIGN_ANY), dwMayDock}) {
    for (const auto& side : kDockSides) {
      if (side.dwStyle & dwWanted & CBRS_ALIGN_ANY) {
        CControlBar* pDock = GetControlBar(side.nID);
        return pDock != NULL && pDock->IsDockBar() ? static_cast<CDockBar*>(pDock) : NULL;
      }
    }
  }
  return NULL;
}

BOOL CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* pDockBar = NULL;
  if (nDockBarID != 0) {
    CControlBar* pDock = GetControlBar(nDockBarID);
    if (pDock == NULL || !pDock->IsDockBar())
      return FALSE; // no such side: docking was not enabled there
    pDockBar = static_cast<CDockBar*>(pDock);
  }
  return DockControlBar(pBar, pDockBar, lpRect);
}

BOOL CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == NULL || !::IsWindow(pBar->m_hWnd))
    return FALSE;
  if (pDockBar == NULL)
    pDockBar = DefaultDockBar(pBar, lpRect);
  if (pDockBar == NULL || pDockBar->m_hWnd == NULL)
    return FALSE;
  pDockBar->DockControlBar(pBar, lpRect);
  return TRUE;
}

BOOL CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == NULL || !::IsWindow(pBar->m_hWnd))
    return FALSE;
  if (pDockBar == NULL)
    pDockBar = DefaultDockBar(pBar, lpRect);
  if (pDockBar == NULL || pDockBar->m_hWnd == NULL)
    return FALSE;
  pDockBar->ReDockControlBar(pBar, lpRect);
  return TRUE;
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  CRuntimeClass* pClass =
      m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* pObject = pClass->CreateObject();
  if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    delete pObject;
    AfxThrowResourceException();
  }
  // A mini frame that fails to be created has deleted itself.
  CMiniDockFrameWnd* pFrame = static_cast<CMiniDockFrameWnd*>(pObject);
  if (!pFrame->Create(this, dwStyle))
    AfxThrowResourceException();
  return pFrame;
}

BOOL CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  // Only a bar of this frame, with a window, can float.
  if (pBar == NULL || !::IsWindow(pBar->m_hWnd) || m_listControlBars.Find(pBar) == NULL)
    return FALSE;
  CDockBar* pOldDock = pBar->m_pDockBar;
  if (pOldDock != NULL && pOldDock->m_bFloating && pOldDock->GetDockedCount() == 1 &&
      (dwStyle & pOldDock->m_dwStyle & CBRS_ALIGN_ANY)) {
    // Floating alone in the right orientation already: just move its frame.
    CFrameWnd* pMini = pOldDock->GetParentFrame();
    if (pMini != NULL) {
      pMini->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      pMini->RecalcLayout(TRUE);
      pMini->UpdateWindow();
      return TRUE;
    }
  }
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & CBRS_ORIENT_VERT)
      dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  }
  CMiniDockFrameWnd* pMini = CreateFloatingFrame(dwStyle);
  pMini->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (pMini->m_hWndOwner == NULL)
    pMini->m_hWndOwner = pBar->m_hWnd;
  if (pBar->m_hWndOwner == NULL)
    pBar->m_hWndOwner = m_hWnd;
  if (pBar->m_pDockContext != NULL)
    pBar->m_pDockContext->m_ptMRUFloatPos = point;
  pMini->GetDockBar()->DockControlBar(pBar);
  pMini->RecalcLayout(TRUE);
  if (pBar->GetStyle() & WS_VISIBLE) {
    pMini->ShowWindow(SW_SHOWNA);
    pMini->UpdateWindow();
  }
  return TRUE;
}

BOOL CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar == NULL || !::IsWindow(pBar->m_hWnd))
    return FALSE; // a bar whose window is gone
  CFrameWnd* pParentFrame = pBar->GetDockingFrame();
  if (pParentFrame == NULL)
    return FALSE;
  if (bDelay) {
    pBar->DelayShow(bShow);
    pParentFrame->DelayRecalcLayout();
  } else {
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    // Clears any delayed change the other way.
    pBar->DelayShow(bShow);
    if (bShow || !pBar->IsFloating())
      pParentFrame->RecalcLayout(FALSE);
  }
  // A mini frame is shown while it holds a visible bar.
  if (pBar->IsFloating()) {
    int nVisible = pBar->m_pDockBar != NULL ? pBar->m_pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
    if (nVisible == 1 && bShow) {
      pParentFrame->m_nShowDelay = -1;
      if (bDelay) {
        pParentFrame->m_nShowDelay = SW_SHOWNA;
        pParentFrame->m_nFlags |= WF_SHOWPENDING;
        pParentFrame->RecalcLayout(FALSE);
      } else {
        pParentFrame->ShowWindow(SW_SHOWNA);
      }
    } else if (nVisible == 0) {
      pParentFrame->m_nShowDelay = -1;
      if (bDelay) {
        pParentFrame->m_nShowDelay = SW_HIDE;
        pParentFrame->m_nFlags |= WF_SHOWPENDING;
      } else {
        pParentFrame->ShowWindow(SW_HIDE);
      }
    } else if (!bDelay) {
      pParentFrame->RecalcLayout(FALSE);
    }
  }
  return TRUE;
}

void CFrameWnd::DestroyDockBars() {
  // Collected first: destroying changes the list.
  std::vector<CDockBar*> dockBars;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (pBar->IsDockBar())
      dockBars.push_back(static_cast<CDockBar*>(pBar));
  }
  for (CDockBar* pDock : dockBars) {
    if (m_listControlBars.Find(pDock) == NULL || pDock->m_hWnd == NULL)
      continue; // went with an earlier one
    if (pDock->m_bFloating) {
      CFrameWnd* pMini = pDock->GetParentFrame();
      if (pMini != NULL && pMini != this)
        pMini->DestroyWindow();
      else
        pDock->DestroyWindow();
    } else {
      pDock->DestroyWindow();
    }
  }
}
