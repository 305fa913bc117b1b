// Dock circles: sets of four dock bars, one per side, nested inside each other. A new circle is
// made behind the previous one in the frame's child order, so the frame's layout gives it what the
// outer circles left; empty circles are removed and the circles inside them renumbered, and
// container bars whose bars all went are removed with them.
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/foundation/ExtRuntimeClass.h"

#include <algorithm>

namespace {

const UINT kSideOrder[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                            AFX_IDW_DOCKBAR_RIGHT};
const UINT kZOrderFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING;

int SideIndex(UINT nId) {
  for (int i = 0; i < 4; i++)
    if (kSideOrder[i] == nId)
      return i;
  return -1;
}

// A side dock bar of the frame itself (not one inside a container or a floating frame).
CExtDockBar* FrameSideDockBar(CFrameWnd* pFrame, CControlBar* pBar) {
  CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
  if (pDock == NULL || pDock->m_hWnd == NULL || pDock->m_bFloating ||
      ::GetParent(pDock->m_hWnd) != pFrame->m_hWnd)
    return NULL;
  return SideIndex(pDock->GetSideId()) >= 0 ? pDock : NULL;
}

// The previous dock bar's edge toward the client area, where a new circle starts.
CRect NewInnerEdge(CExtDockBar* pPrev) {
  if (!pPrev->IsWindowVisible() || pPrev->GetDockedVisibleCount() == 0)
    return pPrev->m_rcInnerEdge;
  CRect rc;
  pPrev->GetWindowRect(&rc);
  switch (pPrev->GetSideId()) {
  case AFX_IDW_DOCKBAR_TOP:
    rc.top = rc.bottom;
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    rc.bottom = rc.top;
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    rc.left = rc.right;
    break;
  default:
    rc.right = rc.left;
    break;
  }
  return rc;
}

// Makes one dock bar of a circle; NULL when its window could not be made (it deleted itself).
CExtDockBar* MakeCircleDockBar(CFrameWnd* pFrame, UINT nCircleNo, UINT nSideId, CExtDockBar* pModel) {
  CExtDockBar* pDock = new CExtDockBar(nCircleNo);
  pDock->m_pWndAutoHideArea = pModel->m_pWndAutoHideArea;
  if (!pDock->Create(pFrame,
                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                         CExtDockBar::AlignmentOfSide(nSideId),
                     nSideId))
    return NULL;
  pDock->m_dwStyle = pModel->m_dwStyle;
  pDock->m_rcInnerEdge = NewInnerEdge(pModel);
  return pDock;
}

} // namespace

UINT CExtDockBar::CreateInnerCircle(CFrameWnd* pFrame) {
  CExtDockBar* innermost[4] = {NULL, NULL, NULL, NULL};
  UINT nHighest = 0;
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CExtDockBar* pDock =
        FrameSideDockBar(pFrame, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    if (pDock == NULL)
      continue;
    nHighest = std::max(nHighest, pDock->m_nCircleNo);
    CExtDockBar*& pSide = innermost[SideIndex(pDock->GetSideId())];
    if (pSide == NULL || pDock->m_nCircleNo >= pSide->m_nCircleNo)
      pSide = pDock;
  }
  const UINT nNew = nHighest + 1;
  CWnd* pInsertAfter = innermost[3];
  for (int i = 0; i < 4; i++) {
    CExtDockBar* pPrev = innermost[i];
    if (pPrev == NULL)
      continue;
    CExtDockBar* pDock = MakeCircleDockBar(pFrame, nNew, kSideOrder[i], pPrev);
    if (pDock == NULL)
      continue;
    pDock->m_pDockBarOuter = pPrev;
    pPrev->m_pDockBarInner = pDock;
    if (pInsertAfter != NULL)
      pDock->SetWindowPos(pInsertAfter, 0, 0, 0, 0, kZOrderFlags);
    pInsertAfter = pDock;
  }
  return nNew;
}

CExtDockBar* CExtDockBar::FindCircleDockBar(CFrameWnd* pFrame, UINT nCircleNo, UINT nSideId, bool bCreate) {
  if (pFrame == NULL || SideIndex(nSideId) < 0)
    return NULL;
  for (;;) {
    UINT nHighest = 0;
    bool bAny = false;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
      CExtDockBar* pDock =
          FrameSideDockBar(pFrame, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
      if (pDock == NULL)
        continue;
      bAny = true;
      nHighest = std::max(nHighest, pDock->m_nCircleNo);
      if (pDock->GetSideId() == nSideId && pDock->m_nCircleNo == nCircleNo)
        return pDock;
    }
    // Without outer dock bars there is nothing to grow circles from.
    if (!bCreate || !bAny || nHighest >= nCircleNo || CreateInnerCircle(pFrame) <= nHighest)
      return NULL;
  }
}

CExtDockBar* CExtDockBar::GetCircleDockBar(UINT nCircleNo) {
  CExtDockBar* pDock = this;
  while (pDock != NULL && pDock->m_nCircleNo < nCircleNo) {
    if (pDock->m_pDockBarInner == NULL && pDock->m_pDockSite != NULL)
      CreateInnerCircle(pDock->m_pDockSite);
    pDock = pDock->m_pDockBarInner;
  }
  while (pDock != NULL && pDock->m_nCircleNo > nCircleNo)
    pDock = pDock->m_pDockBarOuter;
  return pDock;
}

CExtDockBar* CExtDockBar::GetSideDockBar(UINT nSideId, bool bCreate) {
  if (GetSideId() == nSideId)
    return this;
  return FindCircleDockBar(GetParentFrame(), m_nCircleNo, nSideId, bCreate);
}

void CExtDockBar::InsertCircle(CFrameWnd* pFrame, UINT nCircleNo) {
  if (pFrame == NULL || nCircleNo == 0)
    return;
  CExtDockBar* old[4];
  bool bAllEmpty = true;
  for (int i = 0; i < 4; i++) {
    old[i] = FindCircleDockBar(pFrame, nCircleNo, kSideOrder[i], true);
    if (old[i] == NULL || old[i]->m_pDockBarOuter == NULL)
      return;
    bAllEmpty = bAllEmpty && old[i]->IsEmpty();
  }
  if (bAllEmpty)
    return; // an empty circle is already a fresh one
  CWnd* pInsertAfter = FindCircleDockBar(pFrame, nCircleNo - 1, AFX_IDW_DOCKBAR_RIGHT, false);
  for (int i = 0; i < 4; i++) {
    CExtDockBar* pDock = MakeCircleDockBar(pFrame, nCircleNo, kSideOrder[i], old[i]);
    if (pDock == NULL)
      continue;
    pDock->m_pDockBarOuter = old[i]->m_pDockBarOuter;
    pDock->m_pDockBarInner = old[i];
    old[i]->m_pDockBarOuter->m_pDockBarInner = pDock;
    old[i]->m_pDockBarOuter = pDock;
    for (CExtDockBar* pInner = old[i]; pInner != NULL; pInner = pInner->m_pDockBarInner)
      pInner->m_nCircleNo++;
    if (pInsertAfter != NULL)
      pDock->SetWindowPos(pInsertAfter, 0, 0, 0, 0, kZOrderFlags);
    pInsertAfter = pDock;
  }
}

void CExtDockBar::InsertCircleInside() { InsertCircle(GetParentFrame(), m_nCircleNo + 1); }

void CExtDockBar::OptimizeCircles(CFrameWnd* pFrame) {
  CExtDockBar* circle[4];
  for (int i = 0; i < 4; i++) {
    CExtDockBar* pOuter = FindCircleDockBar(pFrame, 0, kSideOrder[i], false);
    if (pOuter == NULL || pOuter->IsLocked())
      return;
    circle[i] = pOuter->m_pDockBarInner;
  }
  UINT nRemoved = 0;
  while (circle[0] != NULL && circle[1] != NULL && circle[2] != NULL && circle[3] != NULL) {
    bool bAllEmpty = true;
    for (CExtDockBar* pDock : circle) {
      pDock->m_nCircleNo -= nRemoved;
      bAllEmpty = bAllEmpty && pDock->IsEmpty();
    }
    CExtDockBar* next[4];
    for (int i = 0; i < 4; i++)
      next[i] = circle[i]->m_pDockBarInner;
    if (bAllEmpty) {
      for (CExtDockBar* pDock : circle)
        pDock->UnlinkAndDestroy();
      nRemoved++;
    } else {
      for (CExtDockBar* pDock : circle)
        pDock->OptimizeNestedContainers();
    }
    std::copy(next, next + 4, circle);
  }
  // Containers whose bars all went with their windows go too; that may empty another circle, so
  // the pass runs again, but only after a container really went.
  std::vector<HWND> emptied;
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
    CExtDockBar* pInner = IsKindOfName(pBar, "CExtDynControlBar") ? InnerDockBarOf(pBar) : NULL;
    if (pInner != NULL && pInner->m_hWnd != NULL && pInner->GetDockedCount() == 0)
      emptied.push_back(pInner->m_hWnd);
  }
  bool bAnyGone = false;
  for (HWND hInner : emptied) {
    CExtDockBar* pInner = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(hInner));
    if (pInner == NULL || !::IsWindow(hInner))
      continue;
    pInner->OptimizeNestedContainers();
    bAnyGone = bAnyGone || !::IsWindow(hInner);
  }
  if (bAnyGone)
    OptimizeCircles(pFrame);
}

void CExtDockBar::UnlinkAndDestroy() {
  if (m_pDockBarOuter != NULL)
    m_pDockBarOuter->m_pDockBarInner = m_pDockBarInner;
  if (m_pDockBarInner != NULL)
    m_pDockBarInner->m_pDockBarOuter = m_pDockBarOuter;
  m_pDockBarOuter = m_pDockBarInner = NULL;
  if (m_pDockSite != NULL)
    m_pDockSite->RemoveControlBar(this);
  const BOOL bAutoDelete = m_bAutoDelete;
  if (m_hWnd != NULL)
    DestroyWindow();
  if (!bAutoDelete)
    delete this;
}
