// Where a dragged resizable bar would go and the drop itself: into or beside a floating bar, at
// an outer or inner side of the frame, beside a docked bar, as a tab, staying put or floating.
#include "toolkit/docking/ExtControlBar.h"

#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynDockMarkerWnd.h"
#include "toolkit/docking/ExtDynTabControlBar.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>

namespace {

const int kTabBand = 32;   // top band of a target that proposes a tab
const int kSplitBand = 32; // edge bands of a target that propose a split
const int kOuterBand = 16; // outer edges of the docking area
const int kOuterSlack = 12;
const int kInnerBand = 12;   // inner edges of the free client area
const int kFrameSlack = 32;  // how far outside the frame inner edges are still looked for
const int kMaxSplitMin = 64; // a bar with a larger minimum is never split beside a docked bar
const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                        AFX_IDW_DOCKBAR_RIGHT};

enum class Search { kFound, kFloat, kNone };

using State = CExtControlBar::InternalDraggingState_t;

struct DragContext {
  CExtControlBar* pBar;
  CFrameWnd* pFrame;
  CPoint pt;
  int nMinW;
  int nMinH;
};

bool IsHorzSide(UINT nSide) { return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM; }

CExtDockBar* OuterDockBar(CFrameWnd* pFrame, UINT nSide) {
  return DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nSide));
}

bool AllowsTab(CExtControlBar* pBar, CExtControlBar* pTarget) {
  return pBar->IsTabbedDockingAllowed() && pTarget->IsTabbedDockingAllowed();
}

CExtDynTabControlBar* AsTabContainer(CExtControlBar* pBar) {
  return DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
}

// The left or right half of the target's rectangle when the point is in the split band at that
// edge; false, with nothing set, elsewhere.
bool SplitLeftOrRight(CPoint pt, const CRect& rcTarget, State& st, CRect& rcOut) {
  if (pt.x < rcTarget.left + kSplitBand) {
    st.m_nTargetType = CExtControlBar::DT_SPLIT_LEFT;
    rcOut = CRect(rcTarget.left, rcTarget.top, rcTarget.left + rcTarget.Width() / 2, rcTarget.bottom);
    return true;
  }
  if (pt.x >= rcTarget.right - kSplitBand) {
    st.m_nTargetType = CExtControlBar::DT_SPLIT_RIGHT;
    rcOut = CRect(rcTarget.right - rcTarget.Width() / 2, rcTarget.top, rcTarget.right, rcTarget.bottom);
    return true;
  }
  return false;
}

// The tab band adds to a tab container that shows its strip, or makes a new container.
LONG TabBandType(CExtControlBar* pTarget) {
  CExtDynTabControlBar* pContainer = AsTabContainer(pTarget);
  return pContainer != NULL && ::IsWindowVisible(pContainer->m_wndTabs.GetSafeHwnd())
             ? CExtControlBar::DT_TAB_APPEND
             : CExtControlBar::DT_TAB_NEW;
}

// Over the strip of a tab container that takes tabs: an insertion at the tab under the cursor.
// Otherwise the strip's height, which the bottom band keeps clear of.
bool OverTabStrip(CExtControlBar* pBar, CExtControlBar* pTarget, CPoint pt, State& st, int& nStripHeight) {
  nStripHeight = 0;
  CExtDynTabControlBar* pContainer = AsTabContainer(pTarget);
  if (pContainer == NULL || !::IsWindowVisible(pContainer->m_wndTabs.GetSafeHwnd()))
    return false;
  CRect rcStrip;
  pContainer->m_wndTabs.GetWindowRect(&rcStrip);
  if (pBar->IsTabbedDockingAllowed() && pContainer->IsTabbedDockingAllowed() && rcStrip.PtInRect(pt)) {
    CPoint ptClient(pt);
    pContainer->m_wndTabs.ScreenToClient(&ptClient);
    const int nHit = pContainer->m_wndTabs.HitTest(ptClient);
    st.m_nTargetType = CExtControlBar::DT_TAB_INSERT;
    st.m_nTabPosition = nHit >= 0 ? nHit : pContainer->m_wndTabs.ItemGetCount();
    return true;
  }
  nStripHeight = rcStrip.Height();
  return false;
}

// A tab container holding the dragged bar stands for the bar itself.
bool HoldsDraggedBar(CExtControlBar* pTarget, CExtControlBar* pBar) {
  return pTarget != NULL && pBar->GetTabContainerBar() != NULL &&
         static_cast<CExtControlBar*>(pBar->GetTabContainerBar()) == pTarget;
}

bool AcceptEachOther(CExtControlBar* pBar, CExtControlBar* pTarget) {
  return pBar->IsDockTargetFor(pTarget) && pTarget->IsDockTargetFor(pBar);
}

void WidenTo(CRect& rc, const CRect& rcDock, bool bHorz) {
  if (bHorz) {
    rc.left = std::min(rc.left, rcDock.left);
    rc.right = std::max(rc.right, rcDock.right);
  } else {
    rc.top = std::min(rc.top, rcDock.top);
    rc.bottom = std::max(rc.bottom, rcDock.bottom);
  }
}

CRect DockBarRect(CExtControlBar* pTarget) {
  CRect rc(0, 0, 0, 0);
  if (pTarget->m_pDockBar != NULL)
    pTarget->m_pDockBar->GetWindowRect(&rc);
  return rc;
}

// Beside or into a floating bar under the cursor.
Search SearchFloating(const DragContext& ctx, State& st, CRect& rcOut) {
  CPtrArray arrBars;
  CExtControlBar::GetFrameControlBars(
      ctx.pFrame, NULL, arrBars,
      CExtControlBar::FILTER_RESIZABLE_AT_MIN | CExtControlBar::FILTER_RESIZABLE_NOT_MIN |
          CExtControlBar::FILTER_FLOATING | CExtControlBar::FILTER_IS_VISIBLE |
          CExtControlBar::FILTER_WND_VISIBLE);
  CExtControlBar* pTarget = NULL;
  CRect rcMiniFrame;
  for (INT_PTR i = 0; i < arrBars.GetSize() && pTarget == NULL; i++) {
    CExtControlBar* pOther = static_cast<CExtControlBar*>(arrBars[i]);
    CFrameWnd* pMini = pOther->GetParentFrame();
    if (pMini == NULL)
      continue;
    pMini->GetWindowRect(&rcMiniFrame);
    if (rcMiniFrame.PtInRect(ctx.pt))
      pTarget = pOther;
  }
  if (pTarget == NULL || pTarget == ctx.pBar || HoldsDraggedBar(pTarget, ctx.pBar) ||
      (ctx.pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
    return Search::kNone;
  st.SetTargetBar(pTarget);
  st.SetSideSplit(true);
  const int nTMinW = pTarget->CalcMinWidth(), nTMinH = pTarget->CalcMinHeight();
  const CRect rcDock = DockBarRect(pTarget);
  if (rcMiniFrame.Width() >= ctx.nMinW && rcMiniFrame.Height() / 2 >= ctx.nMinH &&
      rcMiniFrame.Height() / 2 >= nTMinH) {
    int nTop = rcMiniFrame.top;
    if (AllowsTab(ctx.pBar, pTarget)) {
      if (ctx.pt.y < rcMiniFrame.top + kTabBand) {
        st.m_nTargetType = TabBandType(pTarget);
        st.SetSideSplit(false);
        rcOut = rcMiniFrame;
        return Search::kFound;
      }
      nTop += kTabBand;
    }
    if (!AcceptEachOther(ctx.pBar, pTarget))
      return Search::kFloat;
    int nStrip = 0;
    if (ctx.pt.y >= nTop && ctx.pt.y < nTop + kSplitBand) {
      st.m_nTargetType = CExtControlBar::DT_SPLIT_TOP;
      rcOut = CRect(rcMiniFrame.left, rcMiniFrame.top, rcMiniFrame.right,
                    rcMiniFrame.top + rcMiniFrame.Height() / 2);
    } else if (OverTabStrip(ctx.pBar, pTarget, ctx.pt, st, nStrip)) {
      st.SetSideSplit(false);
      rcOut = rcMiniFrame;
      return Search::kFound;
    } else if (ctx.pt.y >= rcMiniFrame.bottom - nStrip - kSplitBand &&
               ctx.pt.y < rcMiniFrame.bottom - nStrip) {
      st.m_nTargetType = CExtControlBar::DT_SPLIT_BOTTOM;
      rcOut = CRect(rcMiniFrame.left, rcMiniFrame.bottom - rcMiniFrame.Height() / 2 - nStrip,
                    rcMiniFrame.right, rcMiniFrame.bottom - nStrip);
    } else {
      return Search::kNone;
    }
    WidenTo(rcOut, rcDock, true);
  } else if (rcMiniFrame.Height() >= ctx.nMinH && rcMiniFrame.Width() / 2 >= ctx.nMinW &&
             rcMiniFrame.Width() / 2 >= nTMinW) {
    if (!SplitLeftOrRight(ctx.pt, rcMiniFrame, st, rcOut))
      return Search::kNone;
    WidenTo(rcOut, rcDock, false);
  } else {
    return Search::kNone;
  }
  if (rcOut.Width() < ctx.nMinW || rcOut.Height() < ctx.nMinH) {
    st.m_nTargetType = CExtControlBar::DT_FLOAT;
    return Search::kNone;
  }
  return Search::kFound;
}

// The bands along the edges of the area between the four outer dock bars.
Search SearchOuterEdges(const DragContext& ctx, State& st, CRect& rcOut) {
  CExtDockBar* arrDock[4];
  for (int i = 0; i < 4; i++) {
    arrDock[i] = OuterDockBar(ctx.pFrame, kSides[i]);
    if (arrDock[i] == NULL)
      return Search::kNone;
  }
  const CRect rcDockArea(arrDock[2]->m_rcInnerEdge.left, arrDock[0]->m_rcInnerEdge.top,
                         arrDock[3]->m_rcInnerEdge.left, arrDock[1]->m_rcInnerEdge.top);
  CRect rcHit(rcDockArea);
  rcHit.InflateRect(kOuterSlack, kOuterSlack);
  if (rcDockArea.IsRectEmpty() || !rcHit.PtInRect(ctx.pt))
    return Search::kNone;
  const DWORD dwDock = ctx.pBar->m_dwDockStyle;
  const CExtControlBar* pBar = ctx.pBar;
  for (int i = 0; i < 4; i++) {
    if ((dwDock & CExtDockBar::AlignmentOfSide(kSides[i])) == 0)
      continue;
    CRect rcBand(rcHit);
    const int nH = pBar->m_sizeDockedH.cy, nW = pBar->m_sizeDockedV.cx;
    switch (kSides[i]) {
    case AFX_IDW_DOCKBAR_TOP:
      rcBand.bottom = rcBand.top + kOuterBand;
      rcOut = CRect(rcDockArea.left, rcDockArea.top, rcDockArea.right, rcDockArea.top + nH);
      break;
    case AFX_IDW_DOCKBAR_BOTTOM:
      rcBand.top = rcBand.bottom - kOuterBand;
      rcOut = CRect(rcDockArea.left, rcDockArea.bottom - nH, rcDockArea.right, rcDockArea.bottom);
      break;
    case AFX_IDW_DOCKBAR_LEFT:
      rcBand.right = rcBand.left + kOuterBand;
      rcOut = CRect(rcDockArea.left, rcDockArea.top, rcDockArea.left + nW, rcDockArea.bottom);
      break;
    default:
      rcBand.left = rcBand.right - kOuterBand;
      rcOut = CRect(rcDockArea.right - nW, rcDockArea.top, rcDockArea.right, rcDockArea.bottom);
      break;
    }
    if (rcBand.PtInRect(ctx.pt)) {
      st.m_nTargetType = CExtControlBar::DT_OUTER_TOP + i;
      st.m_nRowPosition = 1;
      return Search::kFound;
    }
  }
  return Search::kNone;
}

// The circle that takes a bar docked at a side's inner edge.
LONG InnerRowPosition(const DragContext& ctx, UINT nSide) {
  CExtDockBar* pDock = OuterDockBar(ctx.pFrame, nSide);
  if (pDock == NULL)
    return 0;
  while (pDock->m_pDockBarInner != NULL)
    pDock = pDock->m_pDockBarInner;
  const LONG nCircle = static_cast<LONG>(pDock->GetCircleNo());
  CExtDockBar* pOwn = ctx.pBar->GetExtDockBar();
  const LONG nOwn = pOwn != NULL && !pOwn->m_bFloating ? static_cast<LONG>(pOwn->GetCircleNo()) : 0;
  if (nCircle > nOwn + 2) {
    const bool bHorz = IsHorzSide(nSide);
    CExtDockBar* pLeading = pDock->GetSideDockBar(bHorz ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP, true);
    CExtDockBar* pTrailing =
        pDock->GetSideDockBar(bHorz ? AFX_IDW_DOCKBAR_RIGHT : AFX_IDW_DOCKBAR_BOTTOM, true);
    if (pLeading != NULL && pTrailing != NULL && pLeading->IsEmpty() && pTrailing->IsEmpty())
      return nCircle;
  }
  return nCircle + 1;
}

// The bands inside the edges of the free client area.
Search SearchInnerEdges(const DragContext& ctx, State& st, CRect& rcOut) {
  CRect rcFrame;
  ctx.pFrame->GetWindowRect(&rcFrame);
  rcFrame.InflateRect(kFrameSlack, kFrameSlack);
  if (!rcFrame.PtInRect(ctx.pt))
    return Search::kNone;
  CRect rcFreeArea;
  CExtControlBar::RepositionBarsEx(ctx.pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFreeArea,
                                   NULL, true);
  ctx.pFrame->ClientToScreen(&rcFreeArea);
  if (rcFreeArea.IsRectEmpty() || !rcFreeArea.PtInRect(ctx.pt))
    return Search::kNone;
  const int nMaxW = ::MulDiv(rcFreeArea.Width(), 3, 4), nMaxH = ::MulDiv(rcFreeArea.Height(), 3, 4);
  const int nH = std::min<int>(ctx.pBar->m_sizeDockedH.cy, nMaxH);
  const int nW = std::min<int>(ctx.pBar->m_sizeDockedV.cx, nMaxW);
  for (int i = 0; i < 4; i++) {
    if ((ctx.pBar->m_dwDockStyle & CExtDockBar::AlignmentOfSide(kSides[i])) == 0)
      continue;
    bool bHit = false;
    switch (kSides[i]) {
    case AFX_IDW_DOCKBAR_TOP:
      bHit = ctx.pt.y < rcFreeArea.top + kInnerBand;
      rcOut = CRect(rcFreeArea.left, rcFreeArea.top, rcFreeArea.right, rcFreeArea.top + nH);
      break;
    case AFX_IDW_DOCKBAR_BOTTOM:
      bHit = ctx.pt.y >= rcFreeArea.bottom - kInnerBand;
      rcOut = CRect(rcFreeArea.left, rcFreeArea.bottom - nH, rcFreeArea.right, rcFreeArea.bottom);
      break;
    case AFX_IDW_DOCKBAR_LEFT:
      bHit = ctx.pt.x < rcFreeArea.left + kInnerBand;
      rcOut = CRect(rcFreeArea.left, rcFreeArea.top, rcFreeArea.left + nW, rcFreeArea.bottom);
      break;
    default:
      bHit = ctx.pt.x >= rcFreeArea.right - kInnerBand;
      rcOut = CRect(rcFreeArea.right - nW, rcFreeArea.top, rcFreeArea.right, rcFreeArea.bottom);
      break;
    }
    if (bHit) {
      st.m_nTargetType = CExtControlBar::DT_INNER_TOP + i;
      st.m_nRowPosition = InnerRowPosition(ctx, kSides[i]);
      return Search::kFound;
    }
  }
  return Search::kNone;
}

// The split (or tab) bands of a docked target under the cursor.
Search SplitDocked(const DragContext& ctx, CExtControlBar* pTarget, State& st, CRect& rcOut) {
  CRect rcTarget;
  pTarget->GetWindowRect(&rcTarget);
  UINT nSide = pTarget->GetDockBarCtrlId();
  if (nSide == AFX_IDW_DOCKBAR_FLOAT)
    nSide = AFX_IDW_DOCKBAR_TOP;
  const bool bHorz = IsHorzSide(nSide);
  const DWORD dwDock = ctx.pBar->m_dwDockStyle;
  if ((dwDock & CExtDockBar::AlignmentOfSide(nSide)) == 0 || (dwDock & CBRS_ALIGN_ANY) == 0)
    return Search::kNone;
  st.SetTargetBar(pTarget);
  st.SetSideSplit(!pTarget->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) || pTarget->IsFloating());
  const int nTMinW = pTarget->CalcMinWidth(), nTMinH = pTarget->CalcMinHeight();
  const CRect rcDock = DockBarRect(pTarget);
  if (rcTarget.Width() >= ctx.nMinW && ctx.nMinH <= kMaxSplitMin && nTMinH <= kMaxSplitMin) {
    const bool bTab = AllowsTab(ctx.pBar, pTarget);
    const int nTop = rcTarget.top + (bTab ? kTabBand : 0);
    int nStrip = 0;
    if (bTab && ctx.pt.y < nTop) {
      st.m_nTargetType = TabBandType(pTarget);
      rcOut = rcTarget;
    } else if (ctx.pt.y < nTop + kSplitBand) {
      st.m_nTargetType = CExtControlBar::DT_SPLIT_TOP;
      rcOut = CRect(rcTarget.left, rcTarget.top, rcTarget.right, rcTarget.top + rcTarget.Height() / 2);
    } else if (OverTabStrip(ctx.pBar, pTarget, ctx.pt, st, nStrip)) {
      rcOut = rcTarget;
    } else if (ctx.pt.y >= rcTarget.bottom - nStrip - kSplitBand && ctx.pt.y < rcTarget.bottom - nStrip) {
      st.m_nTargetType = CExtControlBar::DT_SPLIT_BOTTOM;
      rcOut = CRect(rcTarget.left, rcTarget.bottom - rcTarget.Height() / 2 - nStrip, rcTarget.right,
                    rcTarget.bottom - nStrip);
    }
    if (st.m_nTargetType != CExtControlBar::DT_FLOAT && bHorz && !st.IsSideSplit())
      WidenTo(rcOut, rcDock, true);
  }
  if (st.m_nTargetType == CExtControlBar::DT_FLOAT && rcTarget.Height() >= ctx.nMinH &&
      ctx.nMinW <= kMaxSplitMin && nTMinW <= kMaxSplitMin) {
    if (SplitLeftOrRight(ctx.pt, rcTarget, st, rcOut) && !bHorz && !st.IsSideSplit())
      WidenTo(rcOut, rcDock, false);
  }
  if (st.m_nTargetType == CExtControlBar::DT_FLOAT)
    return Search::kNone;
  if (st.m_nTargetType >= CExtControlBar::DT_TAB_NEW || pTarget->IsSingleInRow())
    st.SetSideSplit(false);
  if ((bHorz && rcOut.Width() < ctx.nMinW) || (!bHorz && rcOut.Height() < ctx.nMinH)) {
    st.m_nTargetType = CExtControlBar::DT_FLOAT;
    return Search::kNone;
  }
  return Search::kFound;
}

// Beside a docked bar under the cursor, or staying when that is the dragged bar itself.
Search SearchDocked(const DragContext& ctx, State& st, CRect& rcOut) {
  CPtrArray arrBars;
  CExtControlBar::GetFrameControlBars(
      ctx.pFrame, NULL, arrBars,
      CExtControlBar::FILTER_RESIZABLE_AT_MIN | CExtControlBar::FILTER_RESIZABLE_NOT_MIN |
          CExtControlBar::FILTER_TOP | CExtControlBar::FILTER_BOTTOM | CExtControlBar::FILTER_LEFT |
          CExtControlBar::FILTER_RIGHT | CExtControlBar::FILTER_IS_VISIBLE |
          CExtControlBar::FILTER_WND_VISIBLE);
  for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
    CExtControlBar* pOther = static_cast<CExtControlBar*>(arrBars[i]);
    CRect rc;
    pOther->GetWindowRect(&rc);
    if (!rc.PtInRect(ctx.pt))
      continue;
    if (pOther == ctx.pBar || HoldsDraggedBar(pOther, ctx.pBar)) {
      st.m_nTargetType = CExtControlBar::DT_STAY;
      return Search::kFound;
    }
    return SplitDocked(ctx, pOther, st, rcOut);
  }
  return Search::kNone;
}

} // namespace

void CExtControlBar::CalcDraggingTarget(InternalDraggingState_t& st, LONG x, LONG y, bool bNoDock) {
  if (IsFixedDockStyle()) {
    CalcFixedDraggingTarget(st, x, y, bNoDock);
    return;
  }
  ::SetRectEmpty(&st.m_rcTrack);
  st.m_nTargetType = DT_FLOAT;
  st.m_nRowPosition = 0;
  st.SetSideSplit(false);
  st.ClearTargetBar();
  DragContext ctx = {this, GetDockingFrame(), CPoint(x, y), std::max(CalcMinWidth(), 8),
                     std::max(CalcMinHeight(), 8)};
  if (ctx.pFrame == NULL)
    return;
  if (!bNoDock && IsFloating()) {
    // A floating bar only moves while the cursor is over its own frame.
    CRect rcMini;
    GetParentFrame()->GetWindowRect(&rcMini);
    bNoDock = rcMini.PtInRect(ctx.pt) != FALSE;
  }
  if (!bNoDock && (::GetKeyState(VK_CONTROL) & 0x8000) == 0) {
    CRect rc(0, 0, 0, 0);
    Search nFound = IsUserResizable() ? SearchFloating(ctx, st, rc) : Search::kNone;
    if (nFound == Search::kNone)
      nFound = SearchOuterEdges(ctx, st, rc);
    if (nFound == Search::kNone)
      nFound = SearchInnerEdges(ctx, st, rc);
    if (nFound == Search::kNone)
      nFound = SearchDocked(ctx, st, rc);
    if (nFound == Search::kFound) {
      st.m_rcTrack = rc;
      if (st.m_nTargetType == DT_STAY)
        ::SetRectEmpty(&st.m_rcTrack);
      return;
    }
    st.m_nTargetType = DT_FLOAT;
    st.m_nRowPosition = 0;
  }
  // Float: the record keeps the rectangle moved by the frame's origin, which the outline and the
  // drop both take off again. A split flag left by a search that found nothing would make equal
  // floats differ and redraw the outline for nothing.
  st.ClearTargetBar();
  st.SetSideSplit(false);
  CRect rc;
  if (IsFloating()) {
    GetParentFrame()->GetWindowRect(&rc);
    const CRect& rcCaption = GetNcCaptionRect();
    const int nCaptionSide = std::min(rcCaption.Width(), rcCaption.Height());
    rc.OffsetRect(ctx.pt - m_ptGrabFloating - rc.TopLeft() - CPoint(nCaptionSide, nCaptionSide / 2));
  } else {
    rc = CRect(CPoint(ctx.pt - m_ptGrabFloating), m_sizeFloated);
  }
  CRect rcFrame;
  ctx.pFrame->GetWindowRect(&rcFrame);
  rc.OffsetRect(rcFrame.TopLeft());
  st.m_rcTrack = rc;
}

// --- the drop ------------------------------------------------------------------------------------

bool CExtControlBar::ApplyDraggingState(InternalDraggingState_t& st, bool /*bFinal*/) {
  CExtDynDockMarkerWnd::ShowMarkers(CExtDynDockMarkerWnd::OuterMarkers(), false, false);
  CExtDynDockMarkerWnd::ShowMarkers(CExtDynDockMarkerWnd::BarMarkers(), false, false);
  CExtPaintManager::PumpPendingMessages(true, true, true);
  if (st.IsEmpty() || IsFixedDockStyle())
    return false;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == NULL)
    return false;
  CExtControlBar* pTarget = st.m_pBarTarget;
  switch (st.m_nTargetType) {
  case DT_FLOAT:
    return FloatDraggedBar(st, pFrame);
  case DT_SPLIT_TOP:
  case DT_SPLIT_BOTTOM:
  case DT_SPLIT_LEFT:
  case DT_SPLIT_RIGHT: {
    static const UINT kSplitSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                        AFX_IDW_DOCKBAR_RIGHT};
    if (pTarget == NULL)
      return false;
    DockBesideBar(50, pTarget, kSplitSides[st.m_nTargetType - DT_SPLIT_TOP], true);
    return true;
  }
  case DT_STAY:
    pFrame->DelayRecalcLayout();
    return true;
  case DT_TAB_NEW:
  case DT_TAB_APPEND:
  case DT_TAB_INSERT:
  case DT_TAB_MARKER:
    if (pTarget == NULL)
      return false;
    pTarget->DockAsTab(this, st.m_nTargetType >= DT_TAB_INSERT ? st.m_nTabPosition : -1);
    return true;
  default:
    return DockDraggedBarAtSide(st, pFrame);
  }
}

bool CExtControlBar::FloatDraggedBar(InternalDraggingState_t& st, CFrameWnd* pFrame) {
  if (IsDocked() && m_pDockBar != NULL) {
    // The nearest resizable neighbour of the row takes over the room the bar leaves.
    CExtControlBar* pHeir = FindRowNeighbour(true, true, true);
    if (pHeir == NULL)
      pHeir = FindRowNeighbour(false, true, true);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    if (pHeir != NULL && !pHeir->IsFixedMode()) {
      if (IsDockedHorizontally())
        pHeir->m_sizeDockedH.cx += rcWnd.Width();
      else
        pHeir->m_sizeDockedV.cy += rcWnd.Height();
    }
  }
  CRect rcFrame;
  pFrame->GetWindowRect(&rcFrame);
  const CPoint pt = CPoint(st.m_rcTrack.left, st.m_rcTrack.top) - rcFrame.TopLeft();
  FloatControlBar(pt.x, pt.y, CBRS_ALIGN_TOP);
  if (m_pDockContext != NULL)
    m_pDockContext->m_ptMRUFloatPos = pt;
  pFrame->RecalcLayout();
  return true;
}

bool CExtControlBar::DockDraggedBarAtSide(const InternalDraggingState_t& st, CFrameWnd* pFrame) {
  const LONG nType = st.m_nTargetType;
  if (nType < DT_INNER_TOP || nType > DT_OUTER_RIGHT)
    return false;
  const bool bInner = nType <= DT_INNER_RIGHT;
  const int nSideIndex = bInner ? nType - DT_INNER_TOP : nType - DT_OUTER_TOP;
  const UINT nSide = kSides[nSideIndex];
  CExtDockBar* pOuter = OuterDockBar(pFrame, nSide);
  if (pOuter == NULL)
    return false;
  CExtDockBar* pDock = pOuter;
  if (bInner) {
    const CRect rc(st.m_rcTrack);
    if (IsHorzSide(nSide))
      m_sizeDockedH.cy = rc.Height();
    else
      m_sizeDockedV.cx = rc.Width();
    if (st.m_nRowPosition != 0)
      pDock = pOuter->GetCircleDockBar(static_cast<UINT>(st.m_nRowPosition));
  } else {
    if (!IsHorzSide(nSide))
      pOuter->InsertCircleInside();
    pDock = pOuter->GetCircleDockBar(1);
  }
  if (pDock == NULL)
    return false;
  pDock->DockBarAtEdge(this, bInner);
  pFrame->RecalcLayout();
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return true;
}
