// The control bar's docking and floating operations: creation, floating in a toolkit mini frame,
// docking at a frame side or into a dock circle, the double-click toggle, the drag status texts
// and the bar's own bars context menu. Docking beside another bar and as a tab need the container
// bars and answer failure until those exist.
#include "toolkit/docking/ExtControlBar.h"

#include "framework/res/fw_res.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

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
  // The low word of the window style is the class's own: it keeps the bar bits too, so that a bar
  // in a dialog (which takes its bar style from its window style) keeps them.
  if (!CWnd::Create(kClassName, strCaption, (dwStyle & ~(CBRS_ALL & 0xFFFF0000)) | WS_CLIPCHILDREN,
                    CRect(0, 0, 0, 0), pParentWnd, nID))
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
  if (GetDockBarCtrlId() != AFX_IDW_DOCKBAR_FLOAT && m_pDockBar != NULL && pParentFrame != NULL &&
      !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    FloatAtLastPosition(CBRS_ALIGN_TOP);
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

bool CExtControlBar::DockBesideBar(int /*nPercent*/, CExtControlBar* /*pBarTarget*/, UINT /*nDockBarId*/,
                                   bool /*bRecalc*/) {
  return false; // needs the container bars
}

CExtControlBar* CExtControlBar::DockBarBesideThis(CExtControlBar* /*pBar*/, UINT /*nDockBarId*/,
                                                  int /*nPercent*/) {
  return NULL; // needs the container bars
}

bool CExtControlBar::DockRelativeToBar(CExtControlBar* /*pBar*/, bool /*bAcross*/, bool /*bOtherSide*/,
                                       CFrameWnd* /*pFrame*/, bool /*bRecalc*/) {
  return false; // needs the container bars
}

bool CExtControlBar::DockAsTab(CExtControlBar* /*pBar*/, int /*nTabIndex*/, CFrameWnd* /*pFrame*/,
                               bool /*bRecalc*/) {
  return false; // needs the tab containers
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

void CExtControlBar::OnDraggingFinished(InternalDraggingState_t* /*pCurrent*/,
                                        InternalDraggingState_t* /*pNew*/, bool /*bApplied*/) {
  SetFrameMessageString(this, AFX_IDS_IDLEMESSAGE);
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
