// The control bar's docking and floating operations: creation, floating in a toolkit mini frame,
// docking at a frame side or into a dock circle, the double-click toggle, the drag status texts,
// docking beside another bar (both wrapped in a container bar), docking as a tab (a tab container
// made at the target's place, or joined) and the bar's own bars context menu.
#include "toolkit/docking/ExtControlBar.h"

#include "framework/res/fw_res.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDockDynBar.h"
#include "toolkit/docking/ExtDynControlBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/docking/ExtDynTabControlBar.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <memory>

namespace {
// The bar inside FloatControlBar, for the code it calls.
CExtControlBar* g_pBarBeingFloated = NULL;

const UINT kDragStatusTextId = 30057;

CString CaptionForId(CWnd* pParentWnd, UINT nID) {
  CString strCaption;
  if (nID == 0 || nID == static_cast<UINT>(-1))
    return strCaption;
  CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
  const CExtCmdItem* pItem =
      pManager->FindCommand(pManager->GetProfileNameForWindow(pParentWnd->GetSafeHwnd()), nID);
  if (pItem != NULL && !pItem->m_sMenuText.IsEmpty()) {
    strCaption = pItem->m_sMenuText;
    strCaption.Remove('&');
  } else {
    strCaption.LoadString(nID);
  }
  return strCaption;
}
} // namespace

bool CExtControlBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
  if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL || !RegisterControlBarClass())
    return false;
  m_dwStyle = dwStyle & CBRS_ALL;
  CString strCaption = lpszWindowName != NULL ? CString(lpszWindowName) : CaptionForId(pParentWnd, nID);
  const int nLineFeed = strCaption.Find('\n');
  if (nLineFeed >= 0)
    strCaption = strCaption.Left(nLineFeed);
  // The bar bits are the bar's alone; the gripper bit would be a dialog frame to the window.
  if (!CWnd::Create(kClassName, strCaption, (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                    pParentWnd, nID))
    return false;
  // Bars lay themselves out left to right whatever the parent's reading order.
  if (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING))
    ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_RTLREADING, 0, SWP_FRAMECHANGED);
  return true;
}

CExtMiniDockFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD dwStyle) {
  // A mini frame that fails to be created has deleted itself.
  CExtMiniDockFrameWnd* pFrame = new CExtMiniDockFrameWnd;
  if (m_pDockSite == NULL || !pFrame->Create(m_pDockSite, dwStyle))
    AfxThrowResourceException();
  return pFrame;
}

void CExtControlBar::FloatControlBar(int x, int y, DWORD dwStyle) {
  if (m_pDockSite == NULL || m_hWnd == NULL)
    return;
  g_pBarBeingFloated = this;
  CDockBar* pOldDock = m_pDockBar;
  if (pOldDock != NULL && pOldDock->m_bFloating && pOldDock->GetDockedCount() == 1) {
    // Floating alone already: only its frame moves.
    CFrameWnd* pMini = pOldDock->GetParentFrame();
    if (pMini != NULL && pMini != m_pDockSite) {
      CRect rc;
      pMini->GetWindowRect(&rc);
      rc.OffsetRect(x - rc.left, y - rc.top);
      pMini->SendMessage(CExtPopupMenuWnd::g_nMsgCustomFloatPos, reinterpret_cast<WPARAM>(pMini->m_hWnd),
                         reinterpret_cast<LPARAM>(&rc));
      pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      m_ptFloatPos = CPoint(x, y);
      g_pBarBeingFloated = NULL;
      return;
    }
  }
  // The side it floats off is where a double click on its floating frame's caption docks it back.
  const UINT nSide = GetDockBarCtrlId();
  if (m_pDockContext != NULL && CExtDockBar::AlignmentOfSide(nSide) != 0)
    m_pDockContext->m_uMRUDockID = nSide;
  if (CExtDynTabControlBar* pTabs = GetTabContainerBar()) {
    if (pTabs != this)
      pTabs->RemoveBarTab(this);
  }
  if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    dwStyle |= CBRS_SIZE_DYNAMIC;
  if (dwStyle & CBRS_ORIENT_VERT)
    dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  CFrameWnd* pOldFrame = GetParentFrame();
  HWND hOldDock = pOldDock != NULL ? pOldDock->m_hWnd : NULL;
  CExtMiniDockFrameWnd* pMini = CreateFloatingFrame(dwStyle);
  pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (pMini->m_hWndOwner == NULL)
    pMini->m_hWndOwner = m_pDockSite->m_hWnd;
  const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
  m_bBarState |= BS_IGNORE_SIZE;
  pMini->GetExtDockBar()->DockBarAt(this);
  m_bBarState &= ~BS_IGNORE_SIZE;
  pMini->RecalcLayout(TRUE);
  if (bVisible) {
    pMini->ShowWindow(SW_SHOWNA);
    pMini->UpdateWindow();
  }
  m_ptFloatPos = CPoint(x, y);
  CExtDockBar* pOldExt = ::IsWindow(hOldDock) ? DYNAMIC_DOWNCAST(CExtDockBar, pOldDock) : NULL;
  if (pOldExt != NULL && !pOldExt->m_bFloating)
    pOldExt->OptimizeNestedContainers();
  if (pOldFrame != NULL && ::IsWindow(pOldFrame->m_hWnd) && pOldFrame != pMini) {
    if (pOldFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
      pOldFrame->RecalcLayout();
    else
      pOldFrame->DelayRecalcLayout();
  }
  if (!IsFixedMode()) {
    CExtDockBar::RemovePlaceHolderInFrame(m_pDockSite, static_cast<UINT>(GetDlgCtrlID()));
    CExtDockBar::OptimizeCircles(m_pDockSite);
  }
  m_pDockSite->RecalcLayout();
  RepositionSingleChild(-1, -1, true);
  CollectMiniDockFrames(m_pDockSite);
  g_pBarBeingFloated = NULL;
}

void CExtControlBar::FloatAtLastPosition(DWORD dwStyle) {
  FloatControlBar(m_ptFloatPos.x, m_ptFloatPos.y, dwStyle);
}

void CExtControlBar::ToggleDocking() {
  if (IsFixedDockStyle()) {
    if (m_pDockContext != NULL)
      m_pDockContext->ToggleDocking();
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
      pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    RecalcNcFrame();
    return;
  }
  CFrameWnd* pParentFrame = GetParentFrame();
  if (GetDockBarCtrlId() == AFX_IDW_DOCKBAR_FLOAT) {
    // Floating, it docks back at the side it floated off, in the first dock circle, where the
    // frame docks it at start; one never docked goes to a side its docking style allows.
    static const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                   AFX_IDW_DOCKBAR_RIGHT};
    UINT nSide = m_pDockContext != NULL ? m_pDockContext->m_uMRUDockID : 0;
    for (int i = 0; i < 4 && (m_dwDockStyle & CExtDockBar::AlignmentOfSide(nSide)) == 0; i++)
      nSide = kSides[i];
    if ((m_dwDockStyle & CExtDockBar::AlignmentOfSide(nSide)) != 0)
      DockIntoSideBar(nSide, 1, m_pDockSite, true);
    return;
  }
  if (m_pDockBar != NULL && pParentFrame != NULL && !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    FloatAtLastPosition(CBRS_ALIGN_TOP);
}

CDockBar* CExtControlBar::DockBarForPlacelessBar() const {
  if (m_pDockBar != NULL || m_pDockSite == NULL || IsDialogMode() || !IsFixedDockStyle() ||
      GetParent() != m_pDockSite)
    return NULL;
  // The side the frame picks for a bar docked without one.
  return DYNAMIC_DOWNCAST(CExtDockBar, m_pDockSite->DefaultDockBar(this));
}

LRESULT CExtControlBar::OnTakeDockPlace(WPARAM, LPARAM) {
  m_bBarState &= ~BS_DOCK_PLACE_OWED;
  if (CDockBar* pDock = DockBarForPlacelessBar()) {
    m_pDockSite->DockControlBar(this, pDock);
    m_pDockSite->RecalcLayout();
  }
  return 0;
}

void CExtControlBar::DockAtFrameSide(UINT nDockBarId, bool bInnermost, CFrameWnd* pFrame, bool bRecalc) {
  if (pFrame == NULL)
    pFrame = m_pDockSite;
  if (pFrame == NULL)
    return;
  CFrameWnd* pParentFrame = GetParentFrame();
  if (pParentFrame != NULL && pParentFrame != pFrame &&
      pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    pParentFrame->ShowWindow(SW_HIDE);
  CExtDockBar::InsertCircle(pFrame, 1);
  const UINT nCircle = bInnermost ? CExtDockBar::CreateInnerCircle(pFrame) : 1;
  DockIntoSideBar(nDockBarId, static_cast<int>(nCircle), pFrame, bRecalc);
}

bool CExtControlBar::DockIntoSideBar(UINT nDockBarId, int nCircle, CFrameWnd* pFrame, bool bRecalc) {
  if (pFrame == NULL)
    pFrame = m_pDockSite;
  // A frame without that side (docking not enabled there, or a wrong id) cannot take the bar.
  CExtDockBar* pDock =
      pFrame != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nDockBarId)) : NULL;
  if (pDock != NULL && nCircle != 0)
    pDock = pDock->GetCircleDockBar(static_cast<UINT>(nCircle));
  if (pDock == NULL)
    return false;
  pDock->DockBarAtEdge(this, true);
  if (bRecalc)
    pFrame->RecalcLayout();
  CollectMiniDockFrames(pFrame);
  return true;
}

namespace {

bool IsSideDockBarId(UINT nId) { return nId >= AFX_IDW_DOCKBAR_TOP && nId <= AFX_IDW_DOCKBAR_BOTTOM; }

// The new bar's share of a place on the side, by percent; the old bar keeps the rest.
void SplitPlace(const CRect& rcPlace, UINT nSide, int nPercent, CRect& rcNew, CRect& rcOld) {
  rcNew = rcOld = rcPlace;
  const bool bStack = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
  const int nShare = ::MulDiv(bStack ? rcPlace.Height() : rcPlace.Width(), nPercent, 100);
  switch (nSide) {
  case AFX_IDW_DOCKBAR_TOP:
    rcNew.bottom = rcOld.top = rcPlace.top + nShare;
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    rcNew.top = rcOld.bottom = rcPlace.bottom - nShare;
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    rcNew.right = rcOld.left = rcPlace.left + nShare;
    break;
  default:
    rcNew.left = rcOld.right = rcPlace.right - nShare;
    break;
  }
}

// A bar entering a container's inner dock bar: its alignment and borders, no floating bit, its
// window a child of the inner dock bar.
void EnterInnerDockBar(CExtControlBar* pBar, CExtDockBar* pInner) {
  pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) |
                    (pInner->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY);
  pBar->SetParent(pInner);
  pBar->m_pDockBar = pInner;
}

// Makes the window of a new container with its inner dock bar, docking anywhere and floating
// where its dock bar floats. A container whose window cannot be made is deleted here; after that
// the window owns it.
bool CreateContainerWindow(CExtDynControlBar* pContainer, LPCSTR lpszCaption, CWnd* pDockSite, UINT nId,
                           DWORD dwStyle, bool bFloating) {
  pContainer->m_bAutoDelete = FALSE;
  if (!pContainer->Create(lpszCaption, pDockSite, nId, dwStyle) || pContainer->m_pWndDynDockBar == NULL) {
    if (pContainer->m_hWnd != NULL)
      pContainer->DestroyWindow();
    delete pContainer;
    return false;
  }
  pContainer->m_bAutoDelete = TRUE;
  pContainer->EnableDocking(CBRS_ALIGN_ANY);
  if (bFloating)
    pContainer->SetBarStyle(pContainer->GetBarStyle() | CBRS_FLOATING);
  return true;
}

int ResolvedMarkerMode() {
  return CExtControlBar::g_nDockingMarkerMode >= 0 ? CExtControlBar::g_nDockingMarkerMode
                                                   : g_PaintManagerHolder->GetDockingMarkerMode();
}

} // namespace

bool CExtControlBar::DockBesideBar(int nPercent, CExtControlBar* pBarTarget, UINT nDockBarId, bool bRecalc) {
  if (pBarTarget == NULL || pBarTarget == this || m_hWnd == NULL)
    return false;
  CFrameWnd* pOldFrame = GetParentFrame();
  const HWND hOldFrame = pOldFrame != NULL ? pOldFrame->m_hWnd : NULL;
  CFrameWnd* pOldDockSite = m_pDockSite;
  CExtControlBar* pDragged = GetDraggedBar();
  if (pOldFrame != NULL && pOldFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)) && pDragged != NULL &&
      pDragged->GetParentFrame() == pOldFrame && ResolvedMarkerMode() == 1)
    pOldFrame->ShowWindow(SW_HIDE);
  CExtControlBar* pSplit = pBarTarget;
  if (CExtDynTabControlBar* pTabs = pBarTarget->GetTabContainerBar())
    pSplit = reinterpret_cast<CExtControlBar*>(pTabs);
  if (pSplit->DockBarBesideThis(this, nDockBarId, nPercent) == NULL)
    return false;
  CFrameWnd* pTargetFrame = pBarTarget->GetParentFrame();
  auto recalc = [bRecalc](CFrameWnd* pFrame) {
    if (bRecalc)
      pFrame->RecalcLayout();
    else
      pFrame->DelayRecalcLayout();
  };
  if (pTargetFrame != NULL)
    recalc(pTargetFrame);
  if (hOldFrame != NULL && ::IsWindow(hOldFrame) &&
      (pTargetFrame == NULL || hOldFrame != pTargetFrame->m_hWnd))
    recalc(pOldFrame);
  if (pBarTarget->m_pDockSite != NULL && pBarTarget->m_pDockSite != pTargetFrame)
    recalc(pBarTarget->m_pDockSite);
  if (pOldDockSite != NULL)
    CollectMiniDockFrames(pOldDockSite);
  return true;
}

CExtControlBar* CExtControlBar::DockBarBesideThis(CExtControlBar* pBar, UINT nDockBarId, int nPercent) {
  CDockBar* pDock = m_pDockBar;
  // Kept apart: a tab container the new bar leaves with one tab dissolves, this one included.
  CFrameWnd* pDockSite = m_pDockSite;
  // Two resizable bars share one place; a bar never goes beside itself or into its own content.
  if (pBar == NULL || pBar == this || pBar->m_hWnd == NULL || m_hWnd == NULL || pDock == NULL ||
      pDockSite == NULL || IsFixedMode() || pBar->IsFixedMode() || !IsSideDockBarId(nDockBarId) ||
      ::IsChild(pBar->m_hWnd, m_hWnd))
    return NULL;
  const int nPos = pDock->FindBar(this);
  if (nPos <= 0)
    return NULL;
  nPercent = std::min(std::max(nPercent, 0), 100);
  const bool bStack = nDockBarId == AFX_IDW_DOCKBAR_TOP || nDockBarId == AFX_IDW_DOCKBAR_BOTTOM;
  const UINT nInnerId = bStack ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;
  CRect rcPlace;
  GetWindowRect(&rcPlace);
  pDock->ScreenToClient(&rcPlace);

  CExtDynControlBar* pContainer = new CExtDynControlBar;
  pContainer->m_sizeDockedH = m_sizeDockedH;
  pContainer->m_sizeDockedV = m_sizeDockedV;
  pContainer->m_sizeFloated = m_sizeFloated;
  const DWORD dwStyle =
      ((GetStyle() | (m_dwStyle & CBRS_ALIGN_ANY)) & ~(CBRS_GRIPPER | CBRS_FLOATING | WS_VISIBLE)) |
      CBRS_BORDER_ANY | CBRS_TOOLTIPS;
  if (!CreateContainerWindow(pContainer, NULL, m_pDockSite, nInnerId, dwStyle, pDock->m_bFloating != FALSE))
    return NULL;
  CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;

  CDockBar* pOldOfNew = pBar->m_pDockBar;
  const HWND hOldOfNew = pOldOfNew != NULL ? pOldOfNew->m_hWnd : NULL;
  const bool bNewVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
  pDock->m_arrBars[nPos] = pContainer;
  pContainer->m_pDockBar = pDock;
  for (CExtControlBar* p : {this, pBar, static_cast<CExtControlBar*>(pContainer)})
    p->m_bBarState |= BS_IGNORE_SIZE;
  pContainer->SetParent(pDock);
  // Shown at once: a floating frame whose last visible bar leaves below would hide otherwise.
  pContainer->SetWindowPos(NULL, rcPlace.left, rcPlace.top, rcPlace.Width(), rcPlace.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  // Taken in before it leaves: an emptied floating frame goes with its children.
  EnterInnerDockBar(this, pInner);
  EnterInnerDockBar(pBar, pInner);
  if (pOldOfNew != NULL && pOldOfNew != pInner && pOldOfNew->FindBar(pBar) > 0) {
    if (CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOldOfNew))
      pOldExt->RemoveControlBar(pBar, -1, 0, !pOldExt->m_bFloating);
    else
      pOldOfNew->CDockBar::RemoveControlBar(pBar, -1, 0);
  }
  const bool bNewFirst = nDockBarId == AFX_IDW_DOCKBAR_TOP || nDockBarId == AFX_IDW_DOCKBAR_LEFT;
  pInner->m_arrBars.RemoveAll();
  pInner->m_arrBars.Add(NULL);
  pInner->m_arrBars.Add(bNewFirst ? pBar : this);
  pInner->m_arrBars.Add(bNewFirst ? this : pBar);
  pInner->m_arrBars.Add(NULL);
  for (CExtControlBar* p : {this, pBar, static_cast<CExtControlBar*>(pContainer)})
    p->m_bBarState &= ~BS_IGNORE_SIZE;

  // The split follows the inner dock bar's area, which the container's frame leaves.
  pContainer->RepositionSingleChild(-1, -1, false);
  CRect rcInner;
  pInner->GetClientRect(&rcInner);
  CRect rcNew, rcOld;
  SplitPlace(rcInner, nDockBarId, nPercent, rcNew, rcOld);
  (bStack ? pBar->m_sizeDockedV : pBar->m_sizeDockedH) = rcNew.Size();
  (bStack ? m_sizeDockedV : m_sizeDockedH) = rcOld.Size();
  const UINT nShow = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  SetWindowPos(NULL, 0, 0, 0, 0, nShow);
  pBar->SetWindowPos(NULL, 0, 0, 0, 0, nShow | (bNewVisible ? SWP_SHOWWINDOW : 0));
  pContainer->SetWindowPos(NULL, 0, 0, 0, 0, nShow | SWP_SHOWWINDOW);
  pInner->RecalcNestedLayout();

  // A container the new bar left with one bar dissolves; circles it emptied go.
  CExtDockBar* pOldExt = ::IsWindow(hOldOfNew) ? DYNAMIC_DOWNCAST(CExtDockBar, pOldOfNew) : NULL;
  if (pOldExt != NULL && !pOldExt->m_bFloating)
    pOldExt->OptimizeNestedContainers();
  // The new bar may have left a circle of the frame empty, wherever the split happened.
  CExtDockBar::OptimizeCircles(pDockSite);
  return pContainer;
}

bool CExtControlBar::DockRelativeToBar(CExtControlBar* pBar, bool bAcross, bool bOtherSide, CFrameWnd* pFrame,
                                       bool bRecalc) {
  if (CExtDynTabControlBar* pTabs = GetTabContainerBar())
    return reinterpret_cast<CExtControlBar*>(pTabs)->DockRelativeToBar(pBar, bAcross, bOtherSide, pFrame,
                                                                       bRecalc);
  if (pBar == NULL || pBar == this)
    return false;
  // Rows by this bar's present side (top, bottom, left, right, floating); columns by the flags.
  // The answer is where the bar goes: 1 above, 2 below, 3 left of, 4 right of this bar.
  static const int kTargetTypes[5][4] = {
      {1, 2, 4, 3}, {2, 1, 4, 3}, {3, 4, 2, 1}, {4, 3, 2, 1}, {4, 3, 2, 1}};
  static const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                 AFX_IDW_DOCKBAR_RIGHT};
  const int nRow = IsFloating()         ? 4
                   : IsDockedAtTop()    ? 0
                   : IsDockedAtBottom() ? 1
                   : IsDockedAtLeft()   ? 2
                   : IsDockedAtRight()  ? 3
                                        : 4;
  const int nType = kTargetTypes[nRow][(bAcross ? 2 : 0) + (bOtherSide ? 1 : 0)];
  const bool bDocked = pBar->DockBesideBar(50, this, kSides[nType - 1], true);
  if (pFrame == NULL)
    pFrame = m_pDockSite;
  if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd)) {
    if (bRecalc)
      pFrame->RecalcLayout();
    else
      pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    CollectMiniDockFrames(pFrame);
  }
  return bDocked;
}

namespace {

// Recalculates a frame now, or marks it for idle time.
void RecalcFrame(CFrameWnd* pFrame, bool bNow) {
  if (pFrame == NULL || !::IsWindow(pFrame->m_hWnd))
    return;
  if (bNow)
    pFrame->RecalcLayout();
  else
    pFrame->DelayRecalcLayout();
}

// A new tab container at the bar's place in its dock bar, made by the frame or here; NULL when
// none could be made.
CExtDynTabControlBar* MakeTabContainerAt(CExtControlBar* pBar) {
  CDockBar* pDock = pBar->m_pDockBar;
  const int nPos = pDock != NULL ? pDock->FindBar(pBar) : -1;
  if (nPos <= 0 || pBar->m_pDockSite == NULL)
    return NULL;
  CExtDynTabControlBar::CREATE_TABBED_BAR_DATA data;
  pBar->m_pDockSite->SendMessage(CExtControlBar::g_nMsgCreateTabbedBar, reinterpret_cast<WPARAM>(&data));
  CExtDynTabControlBar* pContainer = data.m_pTabbedBar != NULL ? data.m_pTabbedBar : new CExtDynTabControlBar;
  pContainer->m_sizeDockedH = pBar->m_sizeDockedH;
  pContainer->m_sizeDockedV = pBar->m_sizeDockedV;
  pContainer->m_sizeFloated = pBar->m_sizeFloated;
  const DWORD dwStyle =
      ((pBar->GetStyle() & ~(CBRS_FLOATING | WS_VISIBLE)) | (pBar->m_dwStyle & CBRS_ALIGN_ANY)) |
      CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_TOOLTIPS;
  if (!CreateContainerWindow(pContainer, "", pBar->m_pDockSite, static_cast<UINT>(pDock->GetDlgCtrlID()),
                             dwStyle, pDock->m_bFloating != FALSE))
    return NULL;
  CRect rcPlace;
  pBar->GetWindowRect(&rcPlace);
  pDock->ScreenToClient(&rcPlace);
  pDock->m_arrBars[nPos] = pContainer;
  pContainer->m_pDockBar = pDock;
  pContainer->m_bBarState |= CExtControlBar::BS_IGNORE_SIZE;
  pContainer->SetParent(pDock);
  pContainer->m_bBarState &= ~CExtControlBar::BS_IGNORE_SIZE;
  // Shown at once: a floating frame whose last visible bar leaves would hide otherwise.
  pContainer->SetWindowPos(NULL, rcPlace.left, rcPlace.top, rcPlace.Width(), rcPlace.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  return pContainer;
}

} // namespace

bool CExtControlBar::DockAsTab(CExtControlBar* pBar, int nTabIndex, CFrameWnd* pFrame, bool bRecalc) {
  if (pBar == NULL || pBar == this || m_hWnd == NULL || pBar->m_hWnd == NULL || m_pDockSite == NULL ||
      IsFixedMode() || pBar->IsFixedMode() || !IsTabbedDockingAllowed() || !pBar->IsTabbedDockingAllowed() ||
      ::IsChild(pBar->m_hWnd, m_hWnd))
    return false;
  CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, this);
  if (pContainer == NULL) {
    if (CExtDynTabControlBar* pTabs = GetTabContainerBar())
      return pTabs->DockAsTab(pBar, nTabIndex, pFrame, bRecalc);
  }
  if (pFrame == NULL)
    pFrame = m_pDockSite;
  CFrameWnd* pOldFrame = pBar->GetParentFrame();
  const HWND hOldFrame = pOldFrame != NULL ? pOldFrame->m_hWnd : NULL;
  const UINT nBarId = static_cast<UINT>(pBar->GetDlgCtrlID());
  if (pContainer != NULL) {
    // The bar (or each bar of a container) joins this container as a tab and comes forward.
    CExtDynTabControlBar* pFirst = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
    CExtControlBar* pShown = pFirst != NULL ? pFirst->GetSelectedBar() : pBar;
    if (pOldFrame != NULL)
      pOldFrame->DelayRecalcLayout();
    pContainer->InsertBar(pBar, nTabIndex, true);
    if (pShown != NULL && ::IsWindow(pShown->m_hWnd))
      pContainer->SelectBarTab(pShown);
    pContainer->RepositionSingleChild(-1, -1, true);
  } else {
    const UINT nOwnId = static_cast<UINT>(GetDlgCtrlID());
    pContainer = MakeTabContainerAt(this);
    if (pContainer == NULL)
      return false;
    pContainer->InsertBar(this, -1, false);
    pContainer->InsertBar(pBar, nTabIndex, false);
    pContainer->m_wndTabs.SelectItem(0, true, false);
    pContainer->RepositionSingleChild(-1, -1, true);
    CExtDockBar::RemovePlaceHolderInFrame(m_pDockSite, nOwnId);
    CExtDockBar::RemovePlaceHolderInFrame(m_pDockSite, nBarId);
    CExtDockBar::OptimizeCircles(m_pDockSite);
  }
  CFrameWnd* pContainerFrame = pContainer->GetParentFrame();
  RecalcFrame(pContainerFrame, bRecalc);
  if (::IsWindow(hOldFrame) && (pContainerFrame == NULL || hOldFrame != pContainerFrame->m_hWnd))
    RecalcFrame(pOldFrame, bRecalc || pOldFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  if (pFrame != pContainerFrame)
    RecalcFrame(pFrame, bRecalc);
  CollectMiniDockFrames(pFrame);
  return true;
}

bool CExtControlBar::SetAutoHideMode(bool bAutoHide, bool /*bReserved*/, bool bRecalcNow, bool bActivate) {
  const bool bAutoHidden = (m_bExtraFlags & XF_AUTO_HIDDEN) != 0;
  if ((IsFixedMode() || IsFixedDockStyle()) && (bAutoHide || bAutoHidden))
    return false;
  if (IsFloating())
    return false;
  if (bAutoHide == bAutoHidden)
    return true;
  // A bar in a tab container goes with its container, which does not exist yet: alone here.
  CExtDockBar* pDockBar = GetExtDockBar();
  CExtDynAutoHideArea* pArea = pDockBar != NULL ? pDockBar->GetAutoHideArea() : NULL;
  CFrameWnd* pFrame = m_pDockSite;
  if (pArea == NULL || pArea->GetSafeHwnd() == NULL || pFrame == NULL)
    return false;
  if (bAutoHide) {
    // Hidden at once: a hide still pending when the bar slides out would take it off the slider.
    if (IsVisible())
      pFrame->ShowControlBar(this, FALSE, FALSE);
    pFrame->DelayRecalcLayout();
    pArea->AppendBar(this, true);
  } else {
    pFrame->DelayRecalcLayout();
    if (bActivate && pArea->GetSlider() != NULL && pArea->GetSlider()->GetSafeHwnd() != NULL)
      pArea->GetSlider()->SendMessage(WM_CANCELMODE);
    pArea->RemoveBar(this, false);
  }
  CollectMiniDockFrames(pFrame);
  if (!bRecalcNow)
    return true;
  pFrame->RecalcLayout();
  if (bAutoHide) {
    // Selected after the layout: the strip's first layout would take a slid-out bar in again.
    int nIndex = -1;
    if (CExtDynAutoHideArea::FindBarArea(this, &nIndex) == pArea && nIndex >= 0)
      pArea->SelectItemByKeyboard(nIndex);
  } else {
    RepositionNcAreaButtons();
    SendMessage(WM_NCPAINT);
  }
  CExtPaintManager::PumpPendingMessages(true, true, true);
  return true;
}

void CExtControlBar::OnDraggingStarted() {
  CWnd::CancelToolTips();
  CExtPopupMenuWnd::CancelAllTracking();
  SetFrameMessageString(this, kDragStatusTextId);
}

void CExtControlBar::OnDraggingFinished(InternalDraggingState_t* /*pCurrent*/, InternalDraggingState_t* pNew,
                                        bool bApplied) {
  SetFrameMessageString(this, AFX_IDS_IDLEMESSAGE);
  // The bar's own strip keeps the bar's tab (a drag out of it marks that tab until the drag
  // returns); an applied drop brings the tab and its bar to the front again.
  if (!IsFixedMode()) {
    if (CExtDynTabControlBar* pOwn = GetTabContainerBar()) {
      if (bApplied && pOwn->SelectBarTab(this))
        pOwn->BringBarForward(this);
    }
  }
  CExtDynTabControlBar* pTarget =
      pNew != NULL ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, pNew->m_pBarTarget) : NULL;
  if (pTarget != NULL && pTarget != GetTabContainerBar() && ::IsWindow(pTarget->m_wndTabs.GetSafeHwnd()))
    pTarget->m_wndTabs.RemovePlaceholders(false);
}

// ---------------------------------------------------------------------------------------------
// The bar's bars context menu

namespace {
void ShowBarsMenu(CExtControlBar* pBar, WORD nEventCode) {
  CFrameWnd* pFrame = pBar->m_pDockSite;
  CWnd* pOwner = pBar->GetOwner();
  if (pOwner == NULL)
    pOwner = pBar->GetParent();
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (pFrame == NULL || pOwner == NULL || !pPopup->InitTopLevel(pOwner->GetSafeHwnd()))
    return;
  if (!CExtDockBar::BuildBarsContextMenu(pFrame, pPopup.get(), nEventCode, pBar, WM_RBUTTONUP) ||
      pPopup->GetItemCount() == 0)
    return;
  HWND hFocus = ::GetFocus();
  if (hFocus == NULL || (hFocus != pFrame->m_hWnd && !::IsChild(pFrame->m_hWnd, hFocus)))
    pFrame->SetFocus();
  POINT pt;
  if (!::GetCursorPos(&pt))
    pt.x = pt.y = 0;
  if (pPopup->RunTrackingLoop(0, pt.x, pt.y))
    pPopup.release();
}

bool BarsMenuAllowed(CExtControlBar* pBar) {
  return !pBar->IsDialogMode() && pBar->m_pDockSite != NULL && pBar->GetParentFrame() != NULL &&
         !CExtControlBar::IsFrameInHelpMode(pBar);
}
} // namespace

void CExtControlBar::OnRButtonUp(UINT nFlags, CPoint point) {
  // A resizable bar's client area belongs to its child window.
  if (!BarsMenuAllowed(this) || !IsFixedMode()) {
    CControlBar::OnRButtonUp(nFlags, point);
    return;
  }
  ShowBarsMenu(this, POPUP_MENU_EVENT_DATA::EVENT_BAR_CLIENT_RBUTTONUP);
}

void CExtControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point) {
  if (!BarsMenuAllowed(this)) {
    CControlBar::OnNcRButtonUp(nHitTest, point);
    return;
  }
  ShowBarsMenu(this, POPUP_MENU_EVENT_DATA::EVENT_BAR_NC_RBUTTONUP);
}

void CExtControlBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (!BarsMenuAllowed(this)) {
    CControlBar::OnContextMenu(pWnd, point);
    return;
  }
  CRect rcClient;
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  ShowBarsMenu(this, rcClient.PtInRect(point) ? POPUP_MENU_EVENT_DATA::EVENT_BAR_CLIENT_RBUTTONUP
                                              : POPUP_MENU_EVENT_DATA::EVENT_BAR_NC_RBUTTONUP);
}
