// Docking operations of a dock bar: taking a bar in at a rectangle, beside a row or at the edge,
// letting it go with or without a placeholder, and removing placeholders.
#include "toolkit/docking/ExtDockBar.h"

#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

namespace {

void* PlaceHolderOf(CControlBar* pBar) {
  if (pBar->m_hWnd == NULL)
    return NULL;
  return reinterpret_cast<void*>(static_cast<UINT_PTR>(static_cast<WORD>(::GetDlgCtrlID(pBar->m_hWnd))));
}

// Removes a placeholder from any dock bar's array with the row-separator clean-up. A bar without
// a control id (or whose window is gone) has none: its "placeholder" would be a row separator.
bool RemovePlaceHolderEntry(CDockBar* pDock, void* pPlace) {
  if (pPlace == NULL)
    return false;
  for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); i++) {
    if (pDock->m_arrBars[i] != pPlace)
      continue;
    pDock->m_arrBars.RemoveAt(i);
    if (i < pDock->m_arrBars.GetSize() && pDock->m_arrBars[i - 1] == NULL && pDock->m_arrBars[i] == NULL)
      pDock->m_arrBars.RemoveAt(i);
    return true;
  }
  return false;
}

const UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
const UINT kHideFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW;

bool IsFixedFullRowBar(const void* pEntry) {
  if (pEntry == NULL || CDockBar::IsPlaceHolder(pEntry))
    return false;
  CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CObject*>(const_cast<void*>(pEntry)));
  return pBar != NULL && pBar->IsFixedDockStyle() && pBar->IsFullRowBar();
}

bool IsTabContainerDockBar(CWnd* pWnd) {
  for (const CRuntimeClass* pClass = pWnd->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
    if (lstrcmpA(pClass->m_lpszClassName, "CExtDockDynTabBar") == 0)
      return true;
  return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Placeholders

void CExtDockBar::RemoveBarPlaceHolder(const void* pBarOrId, bool bSearchFrame, bool* pbFound) {
  void* pPlace = IsPlaceHolder(pBarOrId)
                     ? const_cast<void*>(pBarOrId)
                     : PlaceHolderOf(static_cast<CControlBar*>(const_cast<void*>(pBarOrId)));
  const bool bFound = RemovePlaceHolderEntry(this, pPlace);
  if (pbFound != NULL)
    *pbFound = bFound;
  if (!bFound && bSearchFrame && m_pDockSite != NULL)
    RemovePlaceHolderInFrame(m_pDockSite, static_cast<UINT>(reinterpret_cast<UINT_PTR>(pPlace)), pbFound);
}

void CExtDockBar::RemovePlaceHolderInFrame(CFrameWnd* pFrame, UINT nCtrlId, bool* pbFound) {
  if (pbFound != NULL)
    *pbFound = false;
  if (pFrame == NULL)
    return;
  void* pPlace = reinterpret_cast<void*>(static_cast<UINT_PTR>(static_cast<WORD>(nCtrlId)));
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
    CDockBar* pDock = pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : InnerDockBarOf(pBar);
    if (pDock != NULL && RemovePlaceHolderEntry(pDock, pPlace)) {
      if (pbFound != NULL)
        *pbFound = true;
      return;
    }
  }
}

void CExtDockBar::RemoveAllPlaceHolders(bool bSearchFrame) {
  std::vector<void*> places;
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    if (IsPlaceHolder(m_arrBars[i]))
      places.push_back(m_arrBars[i]);
  for (void* pPlace : places)
    RemoveBarPlaceHolder(pPlace, bSearchFrame);
}

// ---------------------------------------------------------------------------------------------
// Letting a bar go

BOOL CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  return RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder, true) ? TRUE : FALSE;
}

bool CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nPlaceHolder, bool bDelayRecalc) {
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (pExtBar != NULL && !pExtBar->IsFixedDockStyle())
    nPlaceHolder = 0; // a resizable bar finds its way back through the dock circles
  const int nPos = FindBar(pBar, nPosExclude);
  if (nPos <= 0)
    return false;
  if (nPlaceHolder == 1 && (pBar->m_hWnd == NULL || PlaceHolderOf(pBar) == NULL))
    nPlaceHolder = -1; // nothing to hold its place with
  if (nPlaceHolder == 1) {
    void* pPlace = PlaceHolderOf(pBar);
    m_arrBars[nPos] = pPlace;
    if (FindEntry(pPlace, nPos) > 0)
      RemoveEntry(nPos);
    // The bar floats from here: docking it back (a double click on its floating frame's caption)
    // brings it to its place here, which its placeholder holds.
    if (!m_bFloating && pBar->m_pDockContext != NULL)
      pBar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
  } else {
    RemoveEntry(nPos);
    if (nPlaceHolder == 0)
      RemoveBarPlaceHolder(pBar, true);
  }
  if (pBar->m_pDockContext == NULL)
    return false; // the frame is shutting down
  CFrameWnd* pFrame = GetDockingFrame();
  if (m_bFloating && GetDockedVisibleCount() == 0) {
    if (pFrame != NULL && pFrame != m_pDockSite) {
      if (GetDockedCount() == 0)
        pFrame->DestroyWindow(); // the mini frame, and this dock bar with it
      else
        pFrame->ShowWindow(SW_HIDE);
    }
    return true;
  }
  if (m_hWnd != NULL && IsTabContainerDockBar(this)) {
    CExtControlBar* pContainer = DYNAMIC_DOWNCAST(CExtControlBar, GetParent());
    if (pContainer != NULL)
      pContainer->RepositionSingleChild(-1, -1, true);
  }
  if (bDelayRecalc && pFrame != NULL)
    pFrame->DelayRecalcLayout();
  return true;
}

CExtDockBar* CExtDockBar::ExtDockBarOf(CControlBar* pBar) const {
  return pBar->m_pDockBar != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar) : NULL;
}

void CExtDockBar::LeaveOldDockBar(CControlBar* pBar, bool bOptimizeOld) {
  CDockBar* pOld = pBar->m_pDockBar;
  if (pOld == NULL || pOld == this || pOld->FindBar(pBar) <= 0)
    return;
  CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
  if (pOldExt == NULL) {
    pOld->CDockBar::RemoveControlBar(pBar, -1, 0);
    return;
  }
  HWND hOld = pOldExt->m_hWnd;
  const bool bOldFloating = pOldExt->m_bFloating != FALSE;
  pOldExt->RemoveControlBar(pBar, -1, 0, !bOldFloating);
  if (bOptimizeOld && !bOldFloating && ::IsWindow(hOld))
    pOldExt->OptimizeNestedContainers();
}

bool CExtDockBar::AdoptBar(CControlBar* pBar) {
  bool bHidden = false;
  if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, kHideFlags);
    bHidden = true;
  }
  DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  dwStyle = m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING);
  pBar->SetBarStyle(dwStyle);
  if (pBar->GetParent() != this) {
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExtBar != NULL)
      pExtBar->m_bBarState |= CExtControlBar::BS_IGNORE_SIZE;
    pBar->SetParent(this);
    if (pExtBar != NULL)
      pExtBar->m_bBarState &= ~CExtControlBar::BS_IGNORE_SIZE;
  }
  return bHidden;
}

// ---------------------------------------------------------------------------------------------
// Taking a bar in

void CExtDockBar::DockBarAt(CControlBar* pBar, const RECT* prcScreen, bool bMoveToRect) {
  CRect rcBar;
  pBar->GetWindowRect(&rcBar);
  if (pBar->m_pDockBar == this && (prcScreen == NULL || rcBar == *prcScreen))
    return;
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
    m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
              (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
  if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
    CString strTitle;
    pBar->GetWindowText(strTitle);
    SetWindowText(strTitle);
  }
  DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  pBar->SetBarStyle(m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING));
  bool bHidden = false;
  if (pBar->m_pDockBar != NULL && pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, kHideFlags);
    bHidden = true;
  }
  int nPos;
  if (prcScreen != NULL) {
    CRect rc(prcScreen);
    ScreenToClient(&rc);
    nPos = Insert(pBar, rc, rc.CenterPoint());
    // A fixed full-row neighbour keeps its row alone.
    if (IsFixedFullRowBar(m_arrBars[nPos - 1]))
      m_arrBars.InsertAt(nPos++, static_cast<void*>(NULL));
    if (nPos + 1 < m_arrBars.GetSize() && IsFixedFullRowBar(m_arrBars[nPos + 1]))
      m_arrBars.InsertAt(nPos + 1, static_cast<void*>(NULL));
    pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  } else {
    m_arrBars.Add(pBar);
    m_arrBars.Add(NULL);
    nPos = static_cast<int>(m_arrBars.GetSize()) - 2;
    pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  if (pBar->GetParent() != this) {
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExtBar != NULL && pExtBar->IsFixedMode() && pExtBar->IsFixedDockStyle()) {
      CFrameWnd* pParentFrame = pBar->GetParentFrame();
      if (pParentFrame != NULL && pParentFrame != pBar->m_pDockSite) {
        pParentFrame->ShowWindow(SW_HIDE);
        g_PaintManagerHolder->PumpPendingMessages(true, true, true);
      }
    }
    pBar->SetParent(this);
  }
  if (pBar->m_pDockBar == this) {
    RemoveControlBar(pBar, nPos, 0, true);
  } else if (CExtDockBar* pOld = ExtDockBarOf(pBar)) {
    HWND hOld = pOld->m_hWnd;
    const bool bOldFloating = pOld->m_bFloating != FALSE;
    pOld->RemoveControlBar(pBar, -1, m_bFloating && !bOldFloating ? 1 : 0, false);
    if (!bOldFloating && !IsLocked() && ::IsWindow(hOld))
      pOld->OptimizeNestedContainers();
  } else if (pBar->m_pDockBar != NULL) {
    pBar->m_pDockBar->CDockBar::RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
  }
  pBar->m_pDockBar = this;
  if (bHidden)
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, kShowFlags);
  else if (bMoveToRect && prcScreen != NULL) {
    CRect rc(prcScreen);
    ScreenToClient(&rc);
    pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
  }
  if (!m_bFloating)
    RemoveBarPlaceHolder(pBar, true);
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (pExtBar != NULL && pExtBar->IsFullRowBar()) {
    // Alone in its row: bars before it keep their row, bars after it get a row of their own.
    nPos = FindEntry(pBar);
    const bool bBarsBefore = m_arrBars[nPos - 1] != NULL;
    const bool bBarsAfter = nPos + 1 < m_arrBars.GetSize() && m_arrBars[nPos + 1] != NULL;
    if (bBarsBefore && bBarsAfter) {
      int nFirst = nPos;
      while (m_arrBars[nFirst - 1] != NULL)
        nFirst--;
      m_arrBars.RemoveAt(nPos);
      m_arrBars.InsertAt(nFirst, pBar);
      m_arrBars.InsertAt(nFirst + 1, static_cast<void*>(NULL));
    } else if (bBarsAfter) {
      m_arrBars.InsertAt(nPos + 1, static_cast<void*>(NULL));
    } else if (bBarsBefore) {
      m_arrBars.InsertAt(nPos, static_cast<void*>(NULL));
    }
  }
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != NULL)
    pFrame->DelayRecalcLayout();
}

void CExtDockBar::InsertBarBesideRow(CControlBar* pAnchorBar, CControlBar* pBar, bool bBefore) {
  if (FindEntry(pAnchorBar) <= 0)
    return;
  CDockBar* pOld = pBar->m_pDockBar;
  HWND hOld = pOld != NULL ? pOld->m_hWnd : NULL;
  const bool bWasVisible = pBar->IsWindowVisible() != FALSE;
  // Taken in before it leaves: an emptied floating frame goes with its children.
  AdoptBar(pBar);
  if (pOld != NULL && pOld != this && pOld->FindBar(pBar) > 0) {
    CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
    if (pOldExt != NULL)
      pOldExt->RemoveControlBar(pBar, -1, 0, !pOldExt->m_bFloating);
    else
      pOld->CDockBar::RemoveControlBar(pBar, -1, 0);
  }
  const bool bSelf = pBar == pAnchorBar;
  if (pOld == this && !bSelf)
    RemoveEntry(FindEntry(pBar));
  int k = FindEntry(pAnchorBar);
  if (bBefore) {
    while (k > 0 && m_arrBars[k] != NULL)
      k--;
  } else {
    while (k < m_arrBars.GetSize() - 1 && m_arrBars[k] != NULL)
      k++;
  }
  m_arrBars.InsertAt(k, pBar);
  m_arrBars.InsertAt(k, static_cast<void*>(NULL));
  if (bSelf) {
    // The anchor's old entry is the one that is not the new row's.
    const int nNew = k + 1;
    RemoveEntry(FindEntry(pBar, nNew));
  }
  pBar->m_pDockBar = this;
  if (pBar->m_pDockContext != NULL)
    pBar->m_pDockContext->m_uMRUDockID = GetSideId();
  pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                         (bWasVisible ? SWP_SHOWWINDOW : 0));
  RecalcNestedLayout();
  CExtDockBar* pOldExt = pOld != this && ::IsWindow(hOld) ? DYNAMIC_DOWNCAST(CExtDockBar, pOld) : NULL;
  if (pOldExt != NULL)
    pOldExt->RecalcNestedLayout();
  CFrameWnd* pParentFrame = GetParentFrame();
  if (!IsLocked() && pParentFrame != NULL && !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
      m_pDockSite != NULL)
    OptimizeCircles(m_pDockSite);
}

void CExtDockBar::DockBarAtEdge(CControlBar* pBar, bool bInnerEdge) {
  const UINT nId = GetSideId();
  const bool bFirstRow = bInnerEdge && (nId == AFX_IDW_DOCKBAR_RIGHT || nId == AFX_IDW_DOCKBAR_BOTTOM);
  auto insertFirstRow = [&]() {
    m_arrBars.InsertAt(1, pBar);
    if (m_arrBars.GetSize() <= 2 || m_arrBars[2] != NULL)
      m_arrBars.InsertAt(2, static_cast<void*>(NULL));
  };
  if (pBar->m_pDockBar != this) {
    const bool bWasVisible = pBar->IsWindowVisible() != FALSE;
    // Taken in before it leaves: an emptied floating frame goes with its children.
    AdoptBar(pBar);
    LeaveOldDockBar(pBar, true);
    if (bFirstRow) {
      insertFirstRow();
    } else if (m_arrBars.GetSize() <= 1) {
      m_arrBars.Add(pBar);
      m_arrBars.Add(NULL);
    } else {
      m_arrBars.InsertAt(m_arrBars.GetSize() - 1, pBar);
    }
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL)
      pBar->m_pDockContext->m_uMRUDockID = nId;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                           (bWasVisible ? SWP_SHOWWINDOW : 0));
  } else if (FindEntry(pBar) != 1) {
    RemoveEntry(FindEntry(pBar));
    if (bFirstRow) {
      insertFirstRow();
    } else {
      m_arrBars.Add(pBar);
      m_arrBars.Add(NULL);
    }
  }
  if (!m_bFloating)
    RemoveBarPlaceHolder(pBar, true);
  if (!IsLocked() && m_pDockSite != NULL && !m_bFloating)
    OptimizeCircles(m_pDockSite);
}
