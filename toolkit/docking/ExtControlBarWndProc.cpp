// A control bar's window procedure: it watches creation, position changes, text and printing,
// keeps the bar's containers in step with its visibility, and holds the frame-level docking
// set-up and the status text helper.
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/foundation/ExtRuntimeClass.h"

#include "framework/res/fw_res.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtDynTabControlBar.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/foundation/ExtToolInfoText.h"

#include <algorithm>

namespace {

// The frame that gets toolkit docking for a bar: its nearest frame ancestor, a mini frame replaced
// by the frame that owns it.
CFrameWnd* DockingFrameOf(CWnd* pWnd) {
  for (CWnd* pParent = pWnd->GetParent(); pParent != NULL; pParent = pParent->GetParent()) {
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParent);
    if (pFrame == NULL)
      continue;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
      return pFrame->GetParentFrame();
    return pFrame;
  }
  return NULL;
}

} // namespace

// --- creation and pre-translation ------------------------------------------------------------------

BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (!RegisterControlBarClass())
    return FALSE;
  if (!CControlBar::PreCreateWindow(cs))
    return FALSE;
  cs.lpszClass = kClassName;
  return TRUE;
}

void CExtControlBar::PreSubclassWindow() {
  CControlBar::PreSubclassWindow();
  m_bBarFlags &= ~BF_CMDUI_RUNNING;
  if (!IsDialogMode()) {
    CWnd* pParent = GetParent();
    if (pParent != NULL && !pParent->IsKindOf(RUNTIME_CLASS(CControlBar)) &&
        !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
      // A bar made by Create has its bar style already, and a window style without it.
      if (m_dwStyle == 0)
        m_dwStyle = GetStyle() & 0x0040FFFF;
      m_bBarFlags |= BF_DIALOG_MODE;
    }
  }
  if ((m_dwStyle & CBRS_TOOLTIPS) != 0)
    EnableToolTips(TRUE);
  // A bar lays itself out left to right; mirroring comes from the resource manager instead.
  if ((GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0)
    ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_RTLREADING, 0, SWP_FRAMECHANGED);
}

INT_PTR CExtControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (ExtBarMenuTracking::IsTracking() || CExtPopupMenuWnd::AnyMenuTracked() || GetToolTipObject() != NULL ||
      m_bSuppressTips != 0)
    return -1;
  CPoint ptScreen = point;
  ClientToScreen(&ptScreen);
  CExtBarNcAreaButton* pButton = NULL;
  const_cast<CExtControlBar*>(this)->NcButtonHitTest(ptScreen, &pButton);
  if (pButton == NULL)
    return -1;
  CRect rcCarrier;
  GetCaptionWindow()->GetWindowRect(&rcCarrier);
  return pButton->FillToolInfo(ptScreen - rcCarrier.TopLeft(), pTI);
}

BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  CWnd* pParent = GetParent();
  if (IsKindOfName(pParent, "CExtDockDynBar") && pParent->PreTranslateMessage(pMsg))
    return TRUE;
  if (IsFrameInHelpMode(this))
    return FALSE;
  CWnd* pOwner = GetOwner();
  if (IsDialogMode() || pOwner == NULL)
    return PreTranslateInput(pMsg);
  for (CWnd* pWnd = pOwner; pWnd != NULL; pWnd = pWnd->GetParentFrame())
    if (pWnd->PreTranslateMessage(pMsg))
      return TRUE;
  return PreTranslateInput(pMsg);
}

// --- the window procedure --------------------------------------------------------------------------

LRESULT CExtControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  bool bPlaced = m_pDockBar != NULL || IsDialogMode();
  switch (message) {
  case WM_CREATE:
    if (!IsDialogMode() && !IsFixedMode()) {
      if (CFrameWnd* pFrame = DockingFrameOf(this))
        FrameEnableDocking(pFrame, CBRS_ALIGN_ANY, true);
    }
    break;
  case WM_DESTROY:
    m_bBarState |= BS_IGNORE_SIZE;
    break;
  case WM_NCDESTROY:
    m_bBarState |= BS_IGNORE_SIZE;
    for (CExtBarNcAreaButton* pButton : m_arrNcButtons)
      pButton->Destroy();
    m_arrNcButtons.clear();
    break;
  case WM_CLOSE:
    // A bar is never closed this way. It stays live, so its sizing is left as it was.
    return 0;
  case WM_SIZE:
  case WM_SHOWWINDOW:
    m_bBarFlags |= BF_BUTTON_LAYOUT_OWED;
    break;
  case WM_WINDOWPOSCHANGING:
    m_bBarFlags |= BF_BUTTON_LAYOUT_OWED;
    if (bPlaced)
      reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
    break;
  case WM_WINDOWPOSCHANGED:
    OnWindowPosChangedImpl(reinterpret_cast<WINDOWPOS*>(lParam));
    break;
  case WM_ERASEBKGND:
    if ((m_bBarFlags & BF_THEMED_ERASE) == 0)
      return 1;
    CExtPaintManager::ExcludeChildAreas(reinterpret_cast<HDC>(wParam), m_hWnd);
    break;
  case WM_SETFOCUS: {
    LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
    OnSetFocusRowRoom();
    return lResult;
  }
  case WM_SETTEXT: {
    m_bBarFlags |= BF_BUTTON_LAYOUT_OWED;
    LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
    if (IsFixedMode() || m_hWnd == NULL)
      return lResult;
    CExtDynTabControlBar* pTabs = GetTabContainerBar();
    if (pTabs != NULL && pTabs != this && IsVisible())
      pTabs->OnBarTextChanged(this);
    else
      RecalcNcFrame();
    return lResult;
  }
  case WM_NCMOUSEMOVE:
    ShowCaptionButtonTip();
    break;
  case WM_PRINT:
  case WM_PRINTCLIENT: {
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (pDC != NULL)
      PrintBar(*pDC, static_cast<UINT>(lParam));
    return 1;
  }
  default:
    break;
  }
  return CControlBar::WindowProc(message, wParam, lParam);
}

void CExtControlBar::OnWindowPosChangedImpl(WINDOWPOS* pPos) {
  if (CExtPopupMenuTipWnd* pTip = GetToolTipObject())
    pTip->HideTip();
  if (m_pDockBar == NULL && !IsDialogMode())
    return;
  if (!IsFixedMode())
    SyncContainerVisibility();
  CExtControlBar* pMarked = this;
  if (CExtDynTabControlBar* pTabs = GetTabContainerBar())
    pMarked = reinterpret_cast<CExtControlBar*>(pTabs);
  pMarked->m_bBarFlags |= BF_BUTTON_LAYOUT_OWED;
  pMarked->PostMessage(WM_NCPAINT);
  if ((pPos->flags & SWP_FRAMECHANGED) == 0)
    RecalcNcFrame();
}

void CExtControlBar::ShowCaptionButtonTip() {
  CExtPopupMenuTipWnd* pTip = GetToolTipObject();
  if (pTip == NULL)
    return;
  CPoint ptScreen;
  ::GetCursorPos(&ptScreen);
  CExtBarNcAreaButton* pButton = NULL;
  NcButtonHitTest(ptScreen, &pButton);
  if (pButton == NULL)
    return;
  CRect rcCarrier;
  GetCaptionWindow()->GetWindowRect(&rcCarrier);
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  if (pButton->FillToolInfo(ptScreen - rcCarrier.TopLeft(), &ti) < 0)
    return;
  const CString strText = TakeToolInfoText(ti);
  if (strText.IsEmpty())
    return;
  CRect rcButton(pButton->m_rc);
  rcButton.OffsetRect(rcCarrier.TopLeft());
  ShowBarTip(pTip, rcButton, strText);
}

void CExtControlBar::PrintBar(CDC& dc, UINT nFlags) {
  CRect rcWnd, rcClient;
  GetWindowRect(&rcWnd);
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  CPoint ptClient = rcClient.TopLeft() - rcWnd.TopLeft();
  if ((nFlags & PRF_NONCLIENT) != 0) {
    dc.SaveDC();
    PaintNcArea(dc);
    dc.RestoreDC(-1);
  }
  if ((nFlags & (PRF_CLIENT | PRF_ERASEBKGND)) != 0) {
    dc.SaveDC();
    CPoint ptOld = dc.SetViewportOrg(0, 0);
    dc.SetViewportOrg(ptOld + ptClient);
    CRect rcInside(0, 0, rcClient.Width(), rcClient.Height());
    CRgn rgn;
    rgn.CreateRectRgnIndirect(CRect(ptOld + ptClient, rcInside.Size()));
    dc.SelectClipRgn(&rgn, RGN_AND);
    {
      CExtMemoryDC dcMem(&dc, &rcInside);
      PaintClientBackground(dcMem);
    }
    dc.RestoreDC(-1);
  }
  if ((nFlags & PRF_CHILDREN) != 0)
    CExtPaintManager::PrintChildWindows(m_hWnd, WM_PRINT, dc.GetSafeHdc(), nFlags, true);
}

// --- focus and row room ------------------------------------------------------------------------------

void CExtControlBar::OnSetFocusRowRoom() {
  if (IsFixedMode() || IsFloating() || m_pDockBar == NULL || !IsAtMinimumLength() ||
      IsSingleInRow(ROW_ALL_BARS))
    return;
  CPtrArray arrRow;
  if (!GetRowBars(arrRow))
    return;
  int nFreed = 0;
  for (INT_PTR i = 0; i < arrRow.GetSize(); ++i) {
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CControlBar*>(arrRow[i]));
    if (pBar == NULL || pBar == this || pBar->IsFixedMode())
      continue;
    nFreed += pBar->GetRowLength() - pBar->GetRowMinLength();
    pBar->SetRowLength(pBar->GetRowMinLength());
  }
  SetRowLength(GetRowLength() + nFreed);
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->RecalcLayout(TRUE);
}

// --- containers follow the bar --------------------------------------------------------------------------

void CExtControlBar::SyncContainerVisibility() {
  // Taken out first: a call that does not run discards it.
  LONG nRemembered = m_nRememberedRowLength;
  m_nRememberedRowLength = 0;
  bool bPlaced = m_pDockBar != NULL || IsDialogMode();
  if (!bPlaced || (m_bExtraFlags & XF_AUTO_HIDDEN) != 0 || IsFixedMode() || IsFixedDockStyle() ||
      m_pDockSite == NULL || m_pDockBar == NULL || (m_bBarState & BS_IGNORE_SIZE) != 0 ||
      GetDraggedBar() != NULL || IsFramePrintPreviewActive())
    return;
  m_nRememberedRowLength = nRemembered;
  m_bBarState |= BS_IGNORE_SIZE;
  bool bContainer = IsKindOfName(this, "CExtDynControlBar");
  if (!bContainer && !IsFloating()) {
    if (CExtDynTabControlBar* pTabs = GetTabContainerBar())
      pTabs->OnBarVisibilityChanged(this);
    SyncRowRoom();
  }
  CWnd* pParent = GetParent();
  if (IsKindOfName(pParent, "CExtDockDynBar")) {
    CExtControlBar* pContainer = DYNAMIC_DOWNCAST(CExtControlBar, pParent->GetParent());
    CDockBar* pInner = static_cast<CDockBar*>(pParent);
    if (pContainer != NULL) {
      if (IsVisible() && !pContainer->IsVisible())
        m_pDockSite->ShowControlBar(pContainer, TRUE, TRUE);
      else if (!IsVisible() && pContainer->IsVisible() && pInner->GetDockedVisibleCount() == 0)
        m_pDockSite->ShowControlBar(pContainer, FALSE, TRUE);
    }
  }
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pFrame->RecalcLayout(TRUE);
  m_bBarState &= ~BS_IGNORE_SIZE;
}

void CExtControlBar::SyncRowRoom() {
  if (!IsVisible()) {
    m_nRememberedRowLength = GetRowLength();
    return;
  }
  if (m_nRememberedRowLength == 0)
    return;
  int nWanted = m_nRememberedRowLength;
  m_nRememberedRowLength = 0;
  CPtrArray arrRow;
  GetRowBars(arrRow);
  std::vector<CExtControlBar*> arrGivers;
  for (INT_PTR i = 0; i < arrRow.GetSize(); ++i) {
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CControlBar*>(arrRow[i]));
    if (pBar != NULL && pBar != this && !pBar->IsFixedMode() &&
        pBar->GetRowLength() > pBar->GetRowMinLength())
      arrGivers.push_back(pBar);
  }
  if (arrGivers.empty())
    return; // alone in the row: nothing to take back
  int nTaken = 0;
  while (nTaken < nWanted && !arrGivers.empty()) {
    for (size_t i = 0; i < arrGivers.size() && nTaken < nWanted;) {
      CExtControlBar* pBar = arrGivers[i];
      pBar->SetRowLength(pBar->GetRowLength() - 1);
      ++nTaken;
      if (pBar->GetRowLength() <= pBar->GetRowMinLength())
        arrGivers.erase(arrGivers.begin() + static_cast<std::ptrdiff_t>(i));
      else
        ++i;
    }
  }
  SetRowLength(std::max(GetRowMinLength(), nTaken));
}

void CExtControlBar::EnsureRowLength() {
  if (IsVisible())
    return;
  if (m_pDockSite != NULL && GetParentFrame() != NULL && !IsDocked())
    return;
  if (GetRowLength() == 0)
    SetRowLength(GetRowMinLength());
}

// --- frame-level set-up ----------------------------------------------------------------------------------

namespace {
// Bars already docked in a dock bar that is replaced keep their rows in the new one instead of
// going with the old window.
void MoveDockedBars(CDockBar* pOld, CDockBar* pNew) {
  pNew->m_arrBars.RemoveAll();
  for (INT_PTR i = 0; i < pOld->m_arrBars.GetSize(); i++) {
    void* pEntry = pOld->m_arrBars[i];
    pNew->m_arrBars.Add(pEntry);
    if ((UINT_PTR)pEntry <= 0xFFFF)
      continue; // a row end or a place holder
    CControlBar* pBar = static_cast<CControlBar*>(pEntry);
    if (::IsWindow(pBar->GetSafeHwnd()))
      pBar->SetParent(pNew);
    pBar->m_pDockBar = pNew;
  }
  if (pNew->m_arrBars.GetSize() == 0 || pNew->m_arrBars[pNew->m_arrBars.GetSize() - 1] != NULL)
    pNew->m_arrBars.Add(NULL);
  pOld->m_arrBars.RemoveAll();
  pOld->m_arrBars.Add(NULL);
}
} // namespace

bool CExtControlBar::FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle,
                                        bool bReplaceFloatingFrameClass) {
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
    return false;
  pFrame->EnableDocking(dwDockStyle);
  static const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                AFX_IDW_DOCKBAR_RIGHT};
  for (UINT nId : kSides) {
    DWORD dwSideStyle = GetDockBarStyle(nId);
    if ((dwSideStyle & dwDockStyle & CBRS_ALIGN_ANY) == 0)
      return false;
    CControlBar* pOld = pFrame->GetControlBar(nId);
    if (IsKindOfName(pOld, "CExtDockOuterBar"))
      continue;
    // The new dock bar is made before the old one goes, so a failure leaves the frame as it was.
    CDockBar* pNew = CreateOuterDockBar(
        pFrame, dwSideStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, nId);
    if (pNew == NULL)
      return false;
    if (pOld != NULL && pOld->IsDockBar())
      MoveDockedBars(static_cast<CDockBar*>(pOld), pNew);
    if (pOld != NULL) {
      // The outer dock bar takes the old one's place in the frame's list, ahead of any inner one.
      POSITION posOld = pFrame->m_listControlBars.Find(pOld);
      POSITION posNew = pFrame->m_listControlBars.Find(pNew);
      if (posOld != NULL && posNew != NULL) {
        pFrame->m_listControlBars.RemoveAt(posNew);
        pFrame->m_listControlBars.InsertBefore(posOld, pNew);
      }
      pFrame->RemoveControlBar(pOld);
      pOld->m_pDockSite = NULL;
      BOOL bAutoDelete = pOld->m_bAutoDelete;
      pOld->DestroyWindow();
      if (!bAutoDelete)
        delete pOld;
    }
  }
  if (bReplaceFloatingFrameClass) {
    if (CRuntimeClass* pClass = GetFloatingFrameClass())
      pFrame->m_pFloatingFrameClass = pClass;
  }
  return true;
}

void CExtControlBar::SetFrameMessageString(CWnd* pWnd, UINT nId) {
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !::IsWindow(pWnd->m_hWnd))
    return;
  CWnd* pTarget = pWnd;
  if (!pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && (pWnd->GetStyle() & WS_CHILD) != 0 &&
      pWnd->GetParentFrame() != NULL)
    pTarget = pWnd->GetParentFrame();
  if (IsKindOfName(pTarget, "CExtMiniDockFrameWnd") && pTarget->GetParentFrame() != NULL)
    pTarget = pTarget->GetParentFrame();
  if (nId != AFX_IDS_IDLEMESSAGE) {
    LPCSTR lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(pWnd->m_hWnd);
    CExtCmdItem* pItem = lpszProfile != NULL ? g_CmdManagerHolder->FindCommand(lpszProfile, nId) : NULL;
    HWND hStatus = ::GetDlgItem(pTarget->m_hWnd, AFX_IDW_STATUS_BAR);
    CStatusBar* pStatus = DYNAMIC_DOWNCAST(CStatusBar, CWnd::FromHandlePermanent(hStatus));
    if (pItem != NULL && pStatus != NULL) {
      int nPane = pStatus->CommandToIndex(0);
      if (nPane >= 0)
        pStatus->SetPaneText(nPane, pItem->m_sTipStatus);
      return;
    }
  }
  pTarget->SendMessage(WM_SETMESSAGESTRING, nId);
}
