// The popup menu's window: creation, the animation and shadow hooks, hiding, expanding and ending with a
// command.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "framework/frame/fw_frame.h"
#include "framework/res/fw_res.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
ON_WM_TIMER()
ON_WM_CANCELMODE()
ON_WM_ACTIVATEAPP()
ON_WM_SETCURSOR()
ON_WM_SHOWWINDOW()
ON_MESSAGE(WM_MOUSEMOVE, OnSwallowInput)
ON_MESSAGE(WM_MOUSEWHEEL, OnSwallowInput)
ON_MESSAGE(WM_LBUTTONDOWN, OnSwallowInput)
ON_MESSAGE(WM_LBUTTONUP, OnSwallowInput)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnSwallowInput)
ON_MESSAGE(WM_RBUTTONDOWN, OnSwallowInput)
ON_MESSAGE(WM_RBUTTONUP, OnSwallowInput)
ON_MESSAGE(WM_RBUTTONDBLCLK, OnSwallowInput)
ON_MESSAGE(WM_MBUTTONDOWN, OnSwallowInput)
ON_MESSAGE(WM_MBUTTONUP, OnSwallowInput)
ON_MESSAGE(WM_MBUTTONDBLCLK, OnSwallowInput)
ON_MESSAGE(WM_KEYDOWN, OnSwallowInput)
ON_MESSAGE(WM_KEYUP, OnSwallowInput)
ON_MESSAGE(WM_CHAR, OnSwallowInput)
ON_MESSAGE(WM_SYSKEYDOWN, OnSwallowInput)
ON_MESSAGE(WM_SYSKEYUP, OnSwallowInput)
ON_MESSAGE(WM_SYSCHAR, OnSwallowInput)
END_MESSAGE_MAP()

namespace {

const UINT kHideFlags = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
const UINT kShowFlags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

// Repaints, at once, what the closed chain covered in the frame, its frame and children included.
const UINT kEndRedrawFlags =
    RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;

bool IsLiveWindow(HWND hWnd) { return hWnd != NULL && ::IsWindow(hWnd); }

// The frame whose status line and client area the menus of a receiver belong to: the receiver's top-level
// frame, else its top-level window.
HWND FrameOfReceiver(HWND hWndReceiver) {
  if (!IsLiveWindow(hWndReceiver))
    return NULL;
  CWnd* pReceiver = CWnd::FromHandlePermanent(hWndReceiver);
  if (pReceiver != NULL) {
    if (CFrameWnd* pFrame = pReceiver->GetTopLevelFrame())
      return pFrame->GetSafeHwnd();
  }
  return ::GetAncestor(hWndReceiver, GA_ROOT);
}

} // namespace

CExtPopupMenuWnd::CExtPopupMenuWnd() { ResetMenuState(); }

CExtPopupMenuWnd::~CExtPopupMenuWnd() {
  ResetAndHide(true);
  if (IsTopLevel())
    DestroyAllItems();
  // The tracking record must never point at a menu that is gone.
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pHoverMenu == this)
    site.m_pHoverMenu = NULL;
  if (site.m_pAnimatedMenu == this)
    site.m_pAnimatedMenu = NULL;
}

CExtPopupTrackSite& CExtPopupMenuWnd::GetTrackSite() { return g_PopupTrackSite; }

bool CExtPopupMenuWnd::IsRightToLeftLayout() const {
  return m_pParentMenu != NULL ? m_pParentMenu->IsRightToLeftLayout()
                               : CExtPopupBaseWnd::IsRightToLeftLayout();
}

bool CExtPopupMenuWnd::IsEffectsSuppressed() const {
  return (m_dwTrackFlags & TPMX_DISPLAY_ONLY) != 0 ||
         (m_pParentMenu != NULL && m_pParentMenu->IsEffectsSuppressed());
}

bool CExtPopupMenuWnd::IsHelpMode() const {
  return (m_dwTrackFlags & TPMX_HELP_MODE) != 0 || (m_pParentMenu != NULL && m_pParentMenu->IsHelpMode());
}

void CExtPopupMenuWnd::StartAnimationTimer() {
  if (IsEffectsSuppressed())
    return;
  // Each step may end in a handler that destroys the window.
  CancelSubmenuDelay();
  if (!IsLiveWindow(m_hWnd))
    return;
  HideOwnTip();
  if (!IsLiveWindow(m_hWnd))
    return;
  // A top-level menu announces itself when it has appeared.
  if (m_pParentMenu == NULL && IsTopLevel() && m_nEndSound == 0)
    m_nEndSound = CExtSoundPlayer::UI_SOUND_MENU_POPUP;
  CExtPopupBaseWnd::StartAnimationTimer();
  if (!IsLiveWindow(m_hWnd))
    return;
  GetTrackSite().m_pAnimatedMenu = IsAnimationFinished() ? NULL : this;
}

void CExtPopupMenuWnd::ReleaseAnimationBuffers() {
  CExtPopupBaseWnd::ReleaseAnimationBuffers();
  if (!IsLiveWindow(m_hWnd))
    return;
  ::InvalidateRect(m_hWnd, NULL, FALSE);
  SetHoverMenu();
}

bool CExtPopupMenuWnd::IsShadowEnabled() const {
  return CExtPopupBaseWnd::IsShadowEnabled() && g_bMenuShadows && (m_dwTrackFlags & TPMX_NO_SHADOW) == 0;
}

void CExtPopupMenuWnd::GetContentRect(RECT& rc) const {
  // The body and the area joined to the opening button, without their shadows.
  CRect rcContent = GetBodyRect();
  if ((m_nFlags & POPUP_COMBINED_AREA) != 0 && !m_rcArea.IsRectEmpty())
    rcContent.UnionRect(rcContent, m_rcArea);
  rc = rcContent;
}

bool CExtPopupMenuWnd::GetJointBarState(BarState_t&) const { return false; }

bool CExtPopupMenuWnd::CreateMenuWindow(CWnd* pWndParent) {
  bool bInplace = IsPaletteLayout();
  for (int i = 0; i < m_items.GetSize(); ++i) {
    if (m_items[i].IsInplace()) {
      m_items[i].m_hWndInplace = NULL;
      bInplace = true;
    }
  }
  if (bInplace) {
    RecalcItemLayout();
    RecalcLayoutRects();
  }
  const CRect rcWindow = CalcWindowPlacement();
  if (rcWindow.IsRectEmpty())
    return false;
  m_rcWindow = rcWindow;
  LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (pWndParent != NULL && IsLiveWindow(pWndParent->GetSafeHwnd()))
    pWndParent->SendMessage(g_nMsgPrepareDesktopBk, (WPARAM)this, 0);
  DWORD dwExStyle = 0;
  if (!IsEffectsSuppressed()) {
    dwExStyle = WS_EX_TOPMOST;
    if ((g_PaintManagerHolder.m_nOsFlagsB & CExtPaintManagerHolder::OSB_NT_MAJOR5) != 0)
      dwExStyle |= WS_EX_NOINHERITLAYOUT;
  }
  if (!CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, rcWindow, pWndParent, 0))
    return false;
  RecalcLayoutRects();
  if (!IsHelpMode())
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
  return true;
}

void CExtPopupMenuWnd::StopAnimation() {
  m_expandRects.clear();
  m_shadow.ResetAll();
  m_shadowArea.ResetAll();
  CExtPopupBaseWnd::ReleaseAnimationBuffers();
  // A stopped animation leaves the finished content on screen.
  m_nState |= POPUP_ANIMATION_FINISHED;
  if (IsLiveWindow(m_hWnd))
    KillTimer(ID_TIMER_ANIMATION);
  if (GetTrackSite().m_pAnimatedMenu == this)
    GetTrackSite().m_pAnimatedMenu = NULL;
}

void CExtPopupMenuWnd::ResetAndHide(bool bKeepWindow) {
  const HWND hWndFrame = FrameOfReceiver(m_hWndCmdReceiver);
  if (hWndFrame != NULL)
    ::SendMessageA(hWndFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
  const bool bSuppressed = IsEffectsSuppressed();
  if (!bSuppressed) {
    HideOwnTip();
    StopAnimation();
    ClearHoverMenu();
  }
  for (int i = 0; i < m_items.GetSize(); ++i) {
    MENUITEMDATA& item = m_items[i];
    item.m_nDisplayFlags &= ~MENUITEMDATA::DISPLAY_CURRENT;
    // Submenus close with their parent; their windows stay for the next opening.
    CExtPopupMenuWnd* pChild = item.IsPopup() ? item.m_pPopup : NULL;
    if (pChild == NULL)
      continue;
    pChild->ResetAndHide(true);
    if (IsLiveWindow(pChild->m_hWnd))
      ::SetWindowPos(pChild->m_hWnd, NULL, 0, 0, 0, 0, kHideFlags);
  }
  m_nCurIndex = -1;
  m_nPendingSubmenuIndex = -1;
  const HWND hWnd = m_hWnd;
  if (bKeepWindow || !IsLiveWindow(hWnd))
    return;
  // Destroying the window may end the tracking, which deletes this object: everything needed afterwards
  // is read now, and nothing of the object is touched once the window is gone.
  const bool bEndBarTracking = ExtBarMenuTracking::IsTracking() && IsTopLevel() && !bSuppressed;
  ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, kHideFlags);
  if (!bSuppressed) {
    CancelSubmenuDelay();
    DestroyWindow();
  }
  if (bEndBarTracking)
    ExtBarMenuTracking::EndInAllBars();
}

void CExtPopupMenuWnd::SetHoverMenu() { GetTrackSite().m_pHoverMenu = IsLiveWindow(m_hWnd) ? this : NULL; }

CExtPopupMenuWnd* CExtPopupMenuWnd::GetHoverMenu() const { return GetTrackSite().m_pHoverMenu; }

void CExtPopupMenuWnd::ClearHoverMenu() {
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pHoverMenu == this && !site.IsEmpty() && !site.IsEnding())
    site.m_pHoverMenu = NULL;
}

void CExtPopupMenuWnd::ReshowForShadow() {
  if (!IsLiveWindow(m_hWnd))
    return;
  ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kHideFlags);
  m_shadow.ResetAll();
  m_shadowArea.ResetAll();
  if (m_pParentMenu != NULL) {
    m_pParentMenu->ReshowForShadow();
  } else {
    // The screen beneath is captured anew: what lies under the chain must be painted first.
    const HWND hWndFrame = FrameOfReceiver(m_hWndCmdReceiver);
    if (hWndFrame != NULL)
      ::UpdateWindow(hWndFrame);
    CExtPaintManager::PumpPendingMessages(true, true, true);
  }
  if (!IsLiveWindow(m_hWnd))
    return;
  CaptureScreenBeneath();
  ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kShowFlags);
  ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool CExtPopupMenuWnd::ExpandToAllItems() {
  CancelSubmenuDelay();
  HideOwnTip();
  if (!IsLiveWindow(m_hWnd) || GetTrackSite().m_pAnimatedMenu != NULL || IsOwnTipVisible())
    return false;
  m_dwMenuState |= MENU_EXPANDED;
  RecalcItemLayout();
  RecalcLayoutRects();
  CRect rcOld;
  GetWindowRect(rcOld);
  const CRect rcNew = CalcWindowPlacement();
  if (rcNew.IsRectEmpty() || rcNew.Size() == rcOld.Size()) {
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  } else {
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kHideFlags);
    ::SetWindowRgn(m_hWnd, NULL, FALSE);
    CExtPaintManager::PumpPendingMessages(true, true, true);
    if (!IsLiveWindow(m_hWnd))
      return false;
    StopAnimation();
    m_nState &= ~POPUP_ANIMATION_FINISHED;
    m_rcWindow = rcNew;
    if (m_rgnWindow.GetSafeHandle() != NULL) {
      CRgn rgnCopy;
      if (rgnCopy.CreateRectRgn(0, 0, 0, 0) && rgnCopy.CopyRgn(&m_rgnWindow) != ERROR &&
          ::SetWindowRgn(m_hWnd, (HRGN)rgnCopy.GetSafeHandle(), FALSE))
        rgnCopy.Detach(); // the window owns it now
    }
    m_nEndSound = CExtSoundPlayer::UI_SOUND_MENU_POPUP;
    m_nAnimationType = g_bAnimateMenuExpansion ? ANIM_EXPAND : ANIM_AT_ONCE;
    StartAnimationTimer();
    if (!IsLiveWindow(m_hWnd))
      return false;
    if (m_nAnimationType == ANIM_NONE) {
      m_nAnimationType = ANIM_AT_ONCE;
      StartAnimationTimer();
    }
    if (IsEffectsSuppressed())
      m_nState |= POPUP_ANIMATION_FINISHED;
    if (!IsLiveWindow(m_hWnd))
      return false;
    // Moved while hidden, so that the image of the screen beneath is taken at the new place.
    ::SetWindowPos(m_hWnd, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayoutRects();
    CaptureScreenBeneath();
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kShowFlags);
  }
  SendMessageToReceiver(g_nMsgNotifyMenuExpanded, (LPARAM)this);
  return true;
}

bool CExtPopupMenuWnd::IsOwnTipVisible() const {
  return !IsEffectsSuppressed() && GetTrackSite().m_pHoverMenu == this && m_tip.IsTipVisible();
}

void CExtPopupMenuWnd::HideOwnTip(bool bEndAnimation) {
  // A menu still fading in is finished first, so that what follows (a tear-off drag) starts from
  // the menu as it will stay.
  if (bEndAnimation && !IsAnimationFinished() && IsLiveWindow(m_hWnd)) {
    StopAnimation();
    ::InvalidateRect(m_hWnd, NULL, FALSE);
  }
  m_tip.HideTip();
}

int CExtPopupMenuWnd::GetItemTipStyle() const {
  return IsPaletteLayout() ? g_nPaletteItemTipStyle : g_nMenuItemTipStyle;
}

void CExtPopupMenuWnd::EndWithCommand(UINT nCmdId, HWND hWndTarget) {
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pResultCmdId != NULL)
    *site.m_pResultCmdId = nCmdId;
  if (hWndTarget == NULL)
    hWndTarget = m_hWndCmdReceiver;
  const DWORD dwTrackFlags = m_dwTrackFlags;
  const bool bDeliver = (dwTrackFlags & TPMX_NO_CMD_DELIVERY) == 0 && !IsEffectsSuppressed() && nCmdId != 0 &&
                        IsLiveWindow(hWndTarget);
  CExtCmdItem* pCmdItem = NULL;
  if ((dwTrackFlags & TPMX_NO_CMD_DELIVERY) == 0 && IsLiveWindow(hWndTarget) && nCmdId != 0)
    pCmdItem =
        g_CmdManagerHolder->FindCommand(g_CmdManagerHolder->GetProfileNameForWindow(hWndTarget), nCmdId);

  // The whole chain goes at once, and what it covered is painted before the command runs.
  CRect rcCovered;
  for (CExtPopupMenuWnd* pMenu = this; pMenu != NULL; pMenu = pMenu->m_pParentMenu) {
    pMenu->HideOwnTip();
    const HWND hWndMenu = pMenu->GetSafeHwnd();
    if (!IsLiveWindow(hWndMenu))
      continue;
    CRect rcMenu;
    ::GetWindowRect(hWndMenu, &rcMenu);
    rcCovered.UnionRect(rcCovered, rcMenu);
    ::SetWindowPos(hWndMenu, NULL, 0, 0, 0, 0, kHideFlags);
  }
  const HWND hWndFrame = FrameOfReceiver(m_hWndCmdReceiver);
  if (hWndFrame != NULL && !rcCovered.IsRectEmpty()) {
    ::MapWindowPoints(NULL, hWndFrame, reinterpret_cast<POINT*>(&rcCovered), 2);
    ::RedrawWindow(hWndFrame, &rcCovered, NULL, kEndRedrawFlags);
  }
  if (site.m_pTrackedMenu != NULL && IsLiveWindow(site.m_pTrackedMenu->GetSafeHwnd()))
    ::PostMessageA(site.m_pTrackedMenu->GetSafeHwnd(), WM_CLOSE, 0, 0);
  if (ExtBarMenuTracking::IsTracking())
    ExtBarMenuTracking::EndInAllBars();
  if (bDeliver) {
    if (pCmdItem != NULL)
      pCmdItem->DeliverToWindow(hWndTarget, false);
    else
      ::PostMessageA(hWndTarget, WM_COMMAND, nCmdId, 0);
  }
  // Closing without a choice is silent.
  if (nCmdId != 0)
    g_SoundPlayer->PlayUiSound(CExtSoundPlayer::UI_SOUND_MENU_COMMAND);
}

void CExtPopupMenuWnd::CancelSubmenuDelay() {
  m_nPendingSubmenuIndex = -1;
  if (IsLiveWindow(m_hWnd))
    KillTimer(ID_TIMER_SUBMENU_DELAY);
}

LRESULT CExtPopupMenuWnd::SendMessageToReceiver(UINT nMessage, LPARAM lParam) {
  const HWND hWndReceiver = GetCmdReceiverHWND();
  return IsLiveWindow(hWndReceiver) ? ::SendMessageA(hWndReceiver, nMessage, 0, lParam) : 0;
}

void CExtPopupMenuWnd::OnTimer(UINT nIDEvent) {
  if (nIDEvent != ID_TIMER_SCROLL) {
    HandleTimer(nIDEvent);
    return;
  }
  CPoint pt;
  if (!::GetCursorPos(&pt) || !IsLiveWindow(m_hWnd))
    return;
  ScreenToClient(&pt);
  if (!ScrollStep(pt))
    KillTimer(ID_TIMER_SCROLL);
  ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}
