// The bar button's hover, click, menu, command, tip and command-update handling.
#include "toolkit/bars/ExtBarButton.h"
#include "framework/frame/fw_frame.h"
#include "framework/res/fw_res.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool IsLiveBar(const CExtToolControlBar* pBar) {
  return pBar != NULL && pBar->GetSafeHwnd() != NULL && ::IsWindow(pBar->GetSafeHwnd());
}

// Command ids above 0x7FFFFFFF (the chevron's) count as negative: they have no prompt.
bool IsValidCmdId(UINT nCmdID) { return (int)nCmdID > 0; }

} // namespace

bool CExtBarButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) {
  if (pPopup == NULL)
    return false;
  if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && ::IsWindow(m_pCtrl->GetSafeHwnd()) &&
      m_pCtrl->SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)pPopup, 0) != 0)
    return true;
  const bool bPalette = (pPopup->GetTrackFlags() & CExtPopupMenuWnd::TPMX_PALETTE) != 0;
  if (m_hMenu == NULL) {
    if (IsSeparator())
      return pPopup->InsertItem(0);
    if (!bPalette)
      return pPopup->InsertItem(m_nEffectiveCmdID);
    const CString sText = GetText();
    if (!pPopup->InsertItem(m_nEffectiveCmdID, -1, sText, GetIconPtr()))
      return false;
    pPopup->ItemSetInline(pPopup->GetItemCount() - 1, true);
    return true;
  }
  CExtCmdItem* pItem = FindCmdItem();
  CString sText;
  if (pItem != NULL) {
    if (pItem->m_sMenuText.IsEmpty())
      pItem->m_sMenuText = pItem->m_sToolbarText;
    sText = pItem->m_sMenuText;
  }
  if (!pPopup->InsertItem(CExtPopupMenuWnd::ID_SUBMENU, -1, sText, GetIconPtr()))
    return false;
  const int nIndex = pPopup->GetItemCount() - 1;
  CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(nIndex);
  CWnd* pTarget = GetCmdTargetWnd();
  if (pSub == NULL || !pSub->BuildFromMenuHandle(pTarget->GetSafeHwnd(), CMenu::FromHandle(m_hMenu),
                                                 IsPopupMenuHandle(), false))
    return false;
  if (bPalette)
    pPopup->ItemSetInline(nIndex, true);
  return true;
}

UINT CExtBarButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) {
  if (IsDisabled() && !IsTrackingAllowedWhenDisabled())
    return 0;
  if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && ::IsWindow(m_pCtrl->GetSafeHwnd())) {
    m_pCtrl->SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, (WPARAM)this, bSelectAny ? 1 : 0);
    return 0;
  }
  if (!IsAbleToTrackMenu(false) || !IsLiveBar(m_pBar))
    return 0;
  const int nIndex = m_pBar->GetButtonIndex(this);
  if (nIndex >= 0 && m_pBar->GetTrackedButton() == nIndex)
    return 0;
  const bool bWasTracking = PrepareMenuTracking();
  CWnd* pTarget = GetCmdTargetWnd();
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (pTarget == NULL ||
      !pPopup->BuildFromMenuHandle(pTarget->GetSafeHwnd(), CMenu::FromHandle(m_hMenu), IsPopupMenuHandle())) {
    CExtToolControlBar::g_bMenuTracking = bWasTracking;
    return 0;
  }
  if (IsAppendMdiWindowsMenu())
    pPopup->AppendMdiWindowItems();
  CExtToolControlBar::g_bMenuTracking = bWasTracking;

  const DWORD dwFlags = CalcTrackFlags(bSelectAny, bForceNoAnimation);
  if (!IsAutoChangeCmdID() || CExtControlBar::IsFrameInHelpMode(m_pBar)) {
    TrackBarMenu(std::unique_ptr<CExtPopupMenuWnd>(pPopup.release()), point, dwFlags);
    return 0;
  }

  // The chosen command becomes this button's command, so the loop runs for a result.
  CPoint ptScreen(point);
  m_pBar->ClientToScreen(&ptScreen);
  const CRect rcExclude = GetScreenRect();
  m_pBar->SetTrackedButton(nIndex);
  CExtToolControlBar::g_bMenuTracking = true;
  CExtToolControlBar* pBar = m_pBar;
  const HWND hBar = pBar->GetSafeHwnd();
  UINT nResult = 0;
  if (!pPopup->RunTrackingLoop(dwFlags | 0x280, ptScreen.x, ptScreen.y, &rcExclude, pBar,
                               &CExtToolControlBar::PaintTrackedButtonOnPopup, &nResult, true)) {
    pPopup.reset();
    if (::IsWindow(hBar))
      CExtToolControlBar::EndMenuTrackingInAllBars();
    return 0;
  }
  pPopup.release();
  if (!::IsWindow(hBar) || nResult == 0)
    return nResult;
  SetCmdID(nResult, true, true);
  OnDeliverCmd();
  if (::IsWindow(hBar)) {
    const int nHot = pBar->GetButtonIndex(this);
    if (nHot >= 0) {
      pBar->m_nBtnIdxHover = nHot;
      SetHover(true);
      pBar->InvalidateButton(nHot);
    }
  }
  return nResult;
}

void CExtBarButton::OnHover(CPoint point, bool bHover, bool& bSuppressTip) {
  bSuppressTip = false;
  if (!IsLiveBar(m_pBar))
    return;
  const HWND hBar = m_pBar->GetSafeHwnd();
  if (!CExtControlBar::IsFrameInHelpMode(m_pBar) && !CExtPopupMenuWnd::AnyMenuTracked()) {
    CExtPopupMenuWnd::ItemCoveringNotification_t notification(NULL, this, 0, 0, 0);
    notification.Notify();
    if ((notification.m_nFlags & CExtPopupMenuWnd::ItemCoveringNotification_t::ICN_ANSWER) != 0)
      bSuppressTip = true;
    if (!::IsWindow(hBar))
      return;
  }
  if (!bHover) {
    CExtControlBar::SetFrameMessageString(m_pBar, AFX_IDS_IDLEMESSAGE);
    if (::GetCapture() == hBar)
      ::ReleaseCapture();
    return;
  }
  if (CExtToolControlBar::g_bMenuTracking) {
    OnTrackPopup(point, false, false);
    if (!::IsWindow(hBar))
      return;
  } else {
    const bool bPrompt = IsValidCmdId(m_nEffectiveCmdID) && !m_pBar->IsMenuBar() &&
                         !IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
    CExtControlBar::SetFrameMessageString(m_pBar, bPrompt ? m_nEffectiveCmdID : AFX_IDS_IDLEMESSAGE);
  }
  const bool bCtrlVisible =
      m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && (m_pCtrl->GetStyle() & WS_VISIBLE) != 0;
  if (!bCtrlVisible && ::GetCapture() != hBar)
    ::SetCapture(hBar);
}

void CExtBarButton::OnClick(CPoint point, bool bDown) {
  if (!IsLiveBar(m_pBar))
    return;
  const bool bSplit = IsSeparatedDropDown();
  const bool bOnArrow = bSplit && GetDropDownRect().PtInRect(point);
  if (IsDisabled() && !(IsTrackingAllowedWhenDisabled() && bOnArrow))
    return;
  if (bDown) {
    CExtToolControlBar::EndMenuTrackingInAllBars();
    if (bSplit) {
      if (bOnArrow)
        m_nOptionFlags |= OF_DROPDOWN_HIT;
      else
        m_nOptionFlags &= (BYTE)~OF_DROPDOWN_HIT;
    }
    if (IsAbleToTrackMenu(false) && (!bSplit || bOnArrow)) {
      CExtToolControlBar::g_bMenuExpanded = false;
      OnTrackPopup(point, false, false);
      return;
    }
    CExtControlBar::SetFrameMessageString(m_pBar, m_nCmdID);
    return;
  }
  CExtControlBar::SetFrameMessageString(m_pBar, AFX_IDS_IDLEMESSAGE);
  const bool bPressedOnArrow = (m_nOptionFlags & OF_DROPDOWN_HIT) != 0;
  m_nOptionFlags &= (BYTE)~OF_DROPDOWN_HIT;
  if (m_hMenu != NULL && !bSplit)
    return;
  if (bPressedOnArrow && bOnArrow)
    return;
  if (!IsCtrlShown()) {
    OnDeliverCmd();
    return;
  }
  if (::GetCapture() == m_pBar->GetSafeHwnd())
    m_pBar->SendMessage(WM_CANCELMODE);
}

bool CExtBarButton::OnDblClick(CPoint /*point*/) { return false; }

void CExtBarButton::OnDeliverCmd() {
  if (!IsValidCmdId(m_nEffectiveCmdID) || !IsLiveBar(m_pBar))
    return;
  CExtCmdItem* pItem = FindCmdItem();
  if (pItem == NULL)
    return;
  CWnd* pTarget = GetCmdTargetWnd();
  if (pTarget != NULL)
    pItem->DeliverTo(pTarget, false);
}

INT_PTR CExtBarButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI) {
  if (!IsDisplayTips())
    return -1;
  const CExtCmdItem* pItem = FindCmdItem();
  if (pItem == NULL || pItem->m_sTipTool.IsEmpty())
    return -1;
  if (pTI != NULL) {
    CString sTip = pItem->m_sTipTool;
    if (IsDisplayShortcutKeysInTips() && !pItem->m_sAccelText.IsEmpty())
      sTip += " (" + pItem->m_sAccelText + ")";
    pTI->rect = m_rc;
    pTI->hwnd = m_pBar->GetSafeHwnd();
    pTI->uId = m_nEffectiveCmdID;
    // The framework frees the text with free().
    pTI->lpszText = ::_strdup(sTip);
  }
  return (INT_PTR)m_nEffectiveCmdID;
}

int CExtBarButton::OnHelpHitTest(CPoint point) {
  if (IsSeparator())
    return -1;
  if (IsAbleToTrackMenu(false)) {
    if (!IsLiveBar(m_pBar) || !CExtControlBar::IsFrameInHelpMode(m_pBar))
      return -3;
    OnTrackPopup(point, false, false);
    if (!IsLiveBar(m_pBar))
      return -1;
    return m_pBar->PickHelpCommand();
  }
  return FindCmdItem() != NULL ? (int)m_nEffectiveCmdID : -1;
}

void CExtBarButton::OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex) {
  if (IsSeparator() || m_pBar == NULL || pTarget == NULL)
    return;
  if (m_hMenu != NULL && m_pBar->IsMenuBar())
    return;
  CExtToolControlBar::CExtToolControlBarCmdUI state;
  state.m_nID = m_nCmdID;
  state.m_nIndex = (UINT)nIndex;
  state.m_nIndexMax = (UINT)m_pBar->GetButtonCount();
  state.m_pOther = m_pBar;
  state.DoUpdate(pTarget, bDisableIfNoHandler);
}

bool CExtBarButton::PrepareMenuTracking() {
  const bool bWasTracking = CExtToolControlBar::g_bMenuTracking;
  CExtToolControlBar::EndMenuTrackingInAllBars();
  if (m_pBar->IsFloating()) {
    CFrameWnd* pMiniFrame = m_pBar->GetParentFrame();
    if (pMiniFrame != NULL)
      pMiniFrame->BringWindowToTop();
  }
  return bWasTracking;
}

DWORD CExtBarButton::CalcTrackFlags(bool bSelectAny, bool bForceNoAnimation) const {
  DWORD dwFlags = GetMenuAlignment() | 0x820;
  if (bSelectAny)
    dwFlags |= 0x40;
  if (CExtToolControlBar::g_bMenuExpanded)
    dwFlags |= 0x100;
  if (bForceNoAnimation)
    dwFlags |= 0x8000;
  return dwFlags;
}

bool CExtBarButton::TrackBarMenu(std::unique_ptr<CExtPopupMenuWnd> pPopup, CPoint point, DWORD dwFlags) {
  CPoint ptScreen(point);
  m_pBar->ClientToScreen(&ptScreen);
  const CRect rcExclude = GetScreenRect();
  const int nIndex = m_pBar->GetButtonIndex(this);
  m_pBar->SetTrackedButton(nIndex);
  if (!pPopup->RunTrackingLoop(dwFlags, ptScreen.x, ptScreen.y, &rcExclude, m_pBar,
                               &CExtToolControlBar::PaintTrackedButtonOnPopup, NULL, true)) {
    pPopup.reset();
    CExtToolControlBar::EndMenuTrackingInAllBars();
    return false;
  }
  pPopup.release(); // the tracking deletes it
  CExtToolControlBar::g_bMenuTracking = true;
  m_pBar->SetTrackedButton(nIndex);
  return true;
}
