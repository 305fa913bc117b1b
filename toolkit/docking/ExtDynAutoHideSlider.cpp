// The auto-hide slider: its window class, showing a bar out of its strip and taking it back, the
// timers that hide it when the pointer has gone, and the thread input hooks while a bar is out.
#include "toolkit/docking/ExtDynAutoHideSlider.h"

#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/foundation/ExtRuntimeClass.h"
#include "toolkit/foundation/ExtWndClass.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynAutoHideSlider, CWnd)

const char CExtDynAutoHideSlider::kClassName[] = "Corvane-AutohideSlider";

namespace {
bool g_bSliderClassRegistered = false;
const UINT kRedrawStep =
    RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
} // namespace

bool CExtDynAutoHideSlider::RegisterWindowClass() {
  if (g_bSliderClassRegistered)
    return true;
  g_bSliderClassRegistered = ExtRegisterWndClass(kClassName, CS_DBLCLKS | CS_GLOBALCLASS);
  return g_bSliderClassRegistered;
}

CExtDynAutoHideSlider::CExtDynAutoHideSlider() { RegisterWindowClass(); }

CExtDynAutoHideSlider::~CExtDynAutoHideSlider() {
  if (g_Hooks.Owner() == this)
    g_Hooks.Remove();
}

bool CExtDynAutoHideSlider::Create(CFrameWnd* pFrame) {
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || !RegisterWindowClass())
    return false;
  if (!CWnd::CreateEx(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      pFrame, 0))
    return false;
  // The tip control only relays keys; the slider works without it.
  if (m_wndToolTip.Create(this))
    m_wndToolTip.Activate(TRUE);
  else
    TRACE("auto-hide slider: no tip control\n");
  return true;
}

void CExtDynAutoHideSlider::OnDestroy() {
  // The bar out is the application's: it goes home rather than down with the slider.
  if (IsBarShown())
    HideBar(false);
  CExtDynAutoHideArea* arrAreas[4] = {};
  CExtDynAutoHideArea::GetFrameAreas(GetParent(), &arrAreas[0], &arrAreas[1], &arrAreas[2], &arrAreas[3]);
  for (CExtDynAutoHideArea* pArea : arrAreas)
    if (pArea != NULL && pArea->GetSlider() == this)
      pArea->SetSlider(NULL);
  CWnd::OnDestroy();
}

void CExtDynAutoHideSlider::PostNcDestroy() {
  if (g_Hooks.Owner() == this)
    g_Hooks.Remove();
  CWnd::PostNcDestroy();
  delete this;
}

CExtPopupMenuTipWnd* CExtDynAutoHideSlider::GetBarToolTip() const {
  return m_pBar != NULL ? m_pBar->GetToolTipObject() : NULL;
}

CExtDynAutoHideSlider* CExtDynAutoHideSlider::GetHookOwner() { return g_Hooks.Owner(); }

int CExtDynAutoHideSlider::Side() const {
  return m_pWndArea != NULL ? m_pWndArea->OrientationGet() : CExtTabWnd::TS_ORIENT_LEFT;
}

CRect CExtDynAutoHideSlider::Insets(CExtControlBar* pBar) const {
  CRect rc(kInset, kInset, kInset, kInset);
  switch (Side()) {
  case CExtTabWnd::TS_ORIENT_TOP:
    rc.bottom += kInnerExtra;
    break;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    rc.top += kInnerExtra;
    break;
  case CExtTabWnd::TS_ORIENT_LEFT:
    rc.right += kInnerExtra;
    break;
  default:
    rc.left += kInnerExtra;
    break;
  }
  bool bOnTop = true, bShown = false;
  if (pBar != NULL && pBar->QueryCaption(&bOnTop, &bShown) && bShown) {
    if (bOnTop)
      rc.top += pBar->GetCaptionExtent();
    else
      rc.left += pBar->GetSideCaptionExtent();
  }
  return rc;
}

CRect CExtDynAutoHideSlider::FreeFrameArea(CFrameWnd* pFrame) {
  CRect rc(0, 0, 0, 0);
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
    return rc;
  pFrame->GetClientRect(&rc);
  // The outer dock bars' inner edges lie past the strips as well (the strips move them there).
  for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(h);
    if (pWnd == NULL || !IsKindOfName(pWnd, "CExtDockOuterBar"))
      continue;
    CRect rcEdge = static_cast<CExtDockBar*>(pWnd)->m_rcInnerEdge;
    if (rcEdge.IsRectNull())
      continue;
    pFrame->ScreenToClient(&rcEdge);
    switch (pWnd->GetDlgCtrlID()) {
    case AFX_IDW_DOCKBAR_TOP:
      rc.top = std::max(rc.top, rcEdge.top);
      break;
    case AFX_IDW_DOCKBAR_BOTTOM:
      rc.bottom = std::min(rc.bottom, rcEdge.bottom);
      break;
    case AFX_IDW_DOCKBAR_LEFT:
      rc.left = std::max(rc.left, rcEdge.left);
      break;
    case AFX_IDW_DOCKBAR_RIGHT:
      rc.right = std::min(rc.right, rcEdge.right);
      break;
    default:
      break;
    }
  }
  return rc;
}

bool CExtDynAutoHideSlider::CalcShownLayout(CExtControlBar* pBar, CRect& rcSlider, CSize& sizeBar) {
  CFrameWnd* pFrame = m_pWndArea != NULL ? m_pWndArea->GetFrame() : NULL;
  const CRect rcFree = FreeFrameArea(pFrame);
  if (rcFree.Width() < kMinExtent || rcFree.Height() < kMinExtent)
    return false;
  const int nSide = Side();
  const bool bHorzSide = nSide == CExtTabWnd::TS_ORIENT_TOP || nSide == CExtTabWnd::TS_ORIENT_BOTTOM;
  const CRect rcIns = Insets(pBar);
  CSize size = bHorzSide ? pBar->m_sizeDockedH : pBar->m_sizeDockedV;
  size.cx = std::max<LONG>(kMinExtent, std::min<LONG>(size.cx, rcFree.Width() - rcIns.left - rcIns.right));
  size.cy = std::max<LONG>(kMinExtent, std::min<LONG>(size.cy, rcFree.Height() - rcIns.top - rcIns.bottom));
  rcSlider = rcFree;
  switch (nSide) {
  case CExtTabWnd::TS_ORIENT_TOP:
    rcSlider.bottom = rcSlider.top + size.cy + rcIns.top + rcIns.bottom;
    break;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    rcSlider.top = rcSlider.bottom - size.cy - rcIns.top - rcIns.bottom;
    break;
  case CExtTabWnd::TS_ORIENT_LEFT:
    rcSlider.right = rcSlider.left + size.cx + rcIns.left + rcIns.right;
    break;
  default:
    rcSlider.left = rcSlider.right - size.cx - rcIns.left - rcIns.right;
    break;
  }
  sizeBar = CSize(rcSlider.Width() - rcIns.left - rcIns.right, rcSlider.Height() - rcIns.top - rcIns.bottom);
  return true;
}

CRect CExtDynAutoHideSlider::StepRect(const CRect& rcFull, int nNumerator) const {
  const bool bHorzSide = Side() == CExtTabWnd::TS_ORIENT_TOP || Side() == CExtTabWnd::TS_ORIENT_BOTTOM;
  const int nSize = bHorzSide ? rcFull.Height() : rcFull.Width();
  const int nOut = ::MulDiv(nSize, nNumerator, kSlideSteps + 1);
  // The whole window moves out of its side: only the part already out is seen.
  CRect rc(rcFull);
  switch (Side()) {
  case CExtTabWnd::TS_ORIENT_TOP:
    rc.OffsetRect(0, nOut - nSize);
    break;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    rc.OffsetRect(0, nSize - nOut);
    break;
  case CExtTabWnd::TS_ORIENT_LEFT:
    rc.OffsetRect(nOut - nSize, 0);
    break;
  default:
    rc.OffsetRect(nSize - nOut, 0);
    break;
  }
  return rc;
}

void CExtDynAutoHideSlider::MoveForStep(const CRect& rcFull, int nNumerator) {
  const CRect rc = StepRect(rcFull, nNumerator);
  SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow(NULL, NULL, kRedrawStep);
  CExtPaintManager::PumpPendingMessages(true, true, true);
  ::Sleep(kStepPeriod); // the animation's pace
}

bool CExtDynAutoHideSlider::SlideWindow(CExtControlBar* pBar, bool bShow, bool bAnimate) {
  if (GetSafeHwnd() == NULL)
    return false;
  if (!bShow) {
    if (IsBarShown())
      HideBar(bAnimate && !kNoAnimationHide);
    return true;
  }
  if (pBar == NULL || pBar->GetSafeHwnd() == NULL || m_pWndArea == NULL)
    return false;
  ShowBar(pBar, bAnimate && !kNoAnimationShow);
  return IsBarShown() && m_pBar == pBar;
}

void CExtDynAutoHideSlider::ShowBar(CExtControlBar* pBar, bool bAnimate) {
  CExtPopupMenuWnd::CancelAllTracking();
  CWnd::CancelToolTips();
  if (IsBarShown()) {
    // Another bar's tab took the selection: that bar goes in without touching the selection.
    CExtDynAutoHideArea* pArea = m_pWndArea;
    m_pWndArea = NULL;
    HideBar(false);
    m_pWndArea = pArea;
  }
  CRect rcSlider;
  CSize sizeBar;
  if (!CalcShownLayout(pBar, rcSlider, sizeBar))
    return;
  CFrameWnd* pFrame = m_pWndArea->GetFrame();
  m_pBar = pBar;
  pFrame->GetClientRect(&m_rcFrameClient);
  m_bSliderFlags = 0;
  m_nState = STATE_NORMAL;
  m_nClientWidth = sizeBar.cx;
  m_nClientHeight = sizeBar.cy;
  m_bSliderFlags |= SF_ANIMATING;
  // The bar is a child of the slider while it is out, filling its client area.
  pBar->m_bBarState |= CExtControlBar::BS_IGNORE_SIZE;
  pBar->SetParent(this);
  pBar->m_bBarState &= ~CExtControlBar::BS_IGNORE_SIZE;
  SetWindowPos(&CWnd::wndTop, rcSlider.left, rcSlider.top, rcSlider.Width(), rcSlider.Height(),
               SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_FRAMECHANGED);
  pBar->SetWindowPos(NULL, 0, 0, sizeBar.cx, sizeBar.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  if (bAnimate && kSlideSteps > 0 && kStepPeriod > 0) {
    for (int i = 0; i < kSlideSteps; ++i)
      MoveForStep(rcSlider, i);
  }
  SetWindowPos(&CWnd::wndTop, rcSlider.left, rcSlider.top, rcSlider.Width(), rcSlider.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
  m_bSliderFlags = SF_BAR_SHOWN;
  if (g_Hooks.Owner() == NULL && !g_Hooks.Install(this))
    TRACE("auto-hide slider: the thread input hooks could not be installed\n");
  SetTimer(TIMER_WATCH, WATCH_PERIOD, NULL);
}

void CExtDynAutoHideSlider::HideBar(bool bAnimate) {
  CExtControlBar* pBar = m_pBar;
  const bool bFocusInside =
      (m_bSliderFlags & SF_ACTIVE) != 0 ||
      (::GetFocus() != NULL && (::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus())));
  // Cleared first: deselecting the tab below asks the slider to hide again.
  m_bSliderFlags &= ~SF_BAR_SHOWN;
  if (GetCapture() == this)
    ReleaseCapture();
  if (bAnimate && kSlideSteps > 0 && kStepPeriod > 0 && IsWindowVisible()) {
    CRect rcFull;
    GetWindowRect(&rcFull);
    GetParent()->ScreenToClient(&rcFull);
    m_bSliderFlags |= SF_ANIMATING;
    for (int i = 0; i < kSlideSteps; ++i)
      MoveForStep(rcFull, kSlideSteps - 1 - i);
    m_bSliderFlags &= ~SF_ANIMATING;
  }
  SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
  if (m_pWndArea != NULL && m_pWndArea->SelectionGet() >= 0)
    m_pWndArea->SelectItem(-1, false, true);
  if (g_Hooks.Owner() == this)
    g_Hooks.Remove();
  KillTimer(TIMER_WATCH);
  KillTimer(TIMER_HIDE);
  if (pBar != NULL && pBar->GetSafeHwnd() != NULL) {
    // Back to its dock bar, hidden: the strip's tab stands for it.
    pBar->m_bBarState |= CExtControlBar::BS_IGNORE_SIZE;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    CWnd* pHome = pBar->m_pDockBar != NULL ? static_cast<CWnd*>(pBar->m_pDockBar) : GetParent();
    pBar->SetParent(pHome);
    pBar->m_bBarState &= ~CExtControlBar::BS_IGNORE_SIZE;
  }
  if (m_pBtnTip != NULL && pBar != NULL)
    if (CExtPopupMenuTipWnd* pTip = pBar->GetToolTipObject())
      pTip->HideTip();
  ResetFields();
  if (bFocusInside)
    if (CWnd* pFrame = GetParent())
      pFrame->SetFocus();
}

void CExtDynAutoHideSlider::ResetFields() {
  m_pBar = NULL;
  m_nClientWidth = m_nClientHeight = 0;
  m_bSliderFlags = 0;
  m_nState = STATE_NORMAL;
  m_nResizeStartX = m_nResizeStartY = 0;
  m_pBtnHover = m_pBtnTip = m_pBtnPressed = NULL;
  m_rcFrameClient.SetRectEmpty();
}

// --- timers ------------------------------------------------------------------------------------

bool CExtDynAutoHideSlider::IsCursorOutside() const {
  POINT pt;
  if (!::GetCursorPos(&pt))
    return false;
  CRect rc;
  GetWindowRect(&rc);
  rc.InflateRect(2, 2);
  if (rc.PtInRect(pt))
    return false;
  if (m_pWndArea != NULL && m_pWndArea->GetSafeHwnd() != NULL) {
    m_pWndArea->GetWindowRect(&rc);
    rc.InflateRect(2, 2);
    if (rc.PtInRect(pt))
      return false;
  }
  return true;
}

void CExtDynAutoHideSlider::SyncActiveCaption() {
  HWND hFocus = ::GetFocus();
  const bool bInside = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
  if (bInside == ((m_bSliderFlags & SF_ACTIVE) != 0))
    return;
  m_bSliderFlags ^= SF_ACTIVE;
  SendMessage(WM_NCPAINT);
}

void CExtDynAutoHideSlider::OnTimer(UINT nIDEvent) {
  if (nIDEvent == TIMER_WATCH) {
    if (CExtControlBar::GetDraggedBar() != NULL ||
        (m_pWndArea != NULL && CExtControlBar::IsPrintPreviewActive(m_pWndArea->GetFrame()))) {
      SendMessage(WM_CANCELMODE);
      return;
    }
    SyncActiveCaption();
    if ((m_bSliderFlags & (SF_ACTIVE | SF_HIDE_TIMER)) == 0 && IsCursorOutside()) {
      m_bSliderFlags |= SF_HIDE_TIMER;
      SetTimer(TIMER_HIDE, HIDE_DELAY, NULL);
    }
    return;
  }
  if (nIDEvent == TIMER_HIDE) {
    if (CExtPopupMenuWnd::AnyMenuTracked() || ExtBarMenuTracking::IsTracking())
      return;
    KillTimer(TIMER_HIDE);
    m_bSliderFlags &= ~SF_HIDE_TIMER;
    // The focus may have come in while the timer ran: a focused bar stays out.
    SyncActiveCaption();
    if ((m_bSliderFlags & SF_ACTIVE) == 0 && IsCursorOutside() && IsBarShown())
      HideBar(!kNoAnimationHide);
    return;
  }
  CWnd::OnTimer(nIDEvent);
}

void CExtDynAutoHideSlider::OnCancelMode() {
  CWnd::OnCancelMode();
  if ((m_bSliderFlags & SF_ANIMATING) == 0 && IsBarShown())
    HideBar(false);
}

// --- input hooks -------------------------------------------------------------------------------

bool CExtDynAutoHideSlider::ThreadHooks::Install(CExtDynAutoHideSlider* pOwner) {
  Remove();
  const DWORD dwThread = ::GetCurrentThreadId();
  m_hMouse = ::SetWindowsHookExA(WH_MOUSE, MouseProc, NULL, dwThread);
  m_hKeyboard = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, NULL, dwThread);
  if (m_hMouse == NULL || m_hKeyboard == NULL) {
    Remove();
    return false;
  }
  m_pOwner = pOwner;
  return true;
}

void CExtDynAutoHideSlider::ThreadHooks::Remove() {
  if (m_hMouse != NULL)
    ::UnhookWindowsHookEx(m_hMouse);
  if (m_hKeyboard != NULL)
    ::UnhookWindowsHookEx(m_hKeyboard);
  m_hMouse = m_hKeyboard = NULL;
  m_pOwner = NULL;
}

LRESULT CALLBACK CExtDynAutoHideSlider::ThreadHooks::MouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
  CExtDynAutoHideSlider* pOwner = g_Hooks.m_pOwner;
  if (nCode == HC_ACTION && pOwner != NULL && lParam != 0 &&
      pOwner->OnHookedMouse(static_cast<UINT>(wParam), *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)))
    return 1;
  return ::CallNextHookEx(g_Hooks.m_hMouse, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtDynAutoHideSlider::ThreadHooks::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam) {
  CExtDynAutoHideSlider* pOwner = g_Hooks.m_pOwner;
  if (nCode == HC_ACTION && pOwner != NULL) {
    MSG msg = {};
    msg.hwnd = ::GetFocus();
    msg.message = (lParam & 0x80000000) != 0 ? WM_KEYUP : WM_KEYDOWN;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (pOwner->PreTranslateMessage(&msg))
      return 1;
  }
  return ::CallNextHookEx(g_Hooks.m_hKeyboard, nCode, wParam, lParam);
}

bool CExtDynAutoHideSlider::OnHookedMouse(UINT nMessage, const MOUSEHOOKSTRUCT& info) {
  if (!IsBarShown() || (m_bSliderFlags & SF_ANIMATING) != 0)
    return false;
  if (nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE) {
    // A caption button stays lit only while the pointer is over it.
    if (m_pBtnHover != NULL && ButtonAt(info.pt) != m_pBtnHover) {
      m_pBtnHover->m_bFlags &= ~CExtBarNcAreaButton::NCB_HOVER;
      m_pBtnHover = NULL;
      SendMessage(WM_NCPAINT);
      ShowButtonTip(NULL, info.pt);
    }
    // Back over the slider or its strip: the pending hide is off.
    if ((m_bSliderFlags & SF_HIDE_TIMER) != 0 && !IsCursorOutside()) {
      KillTimer(TIMER_HIDE);
      m_bSliderFlags &= ~SF_HIDE_TIMER;
    }
  }
  return false;
}

BOOL CExtDynAutoHideSlider::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_KEYUP)
    return CWnd::PreTranslateMessage(pMsg);
  if (m_pWndArea != NULL && m_pWndArea->GetSafeHwnd() != NULL && m_pWndArea->HandleCtrlPageKey(pMsg))
    return TRUE;
  if (m_wndToolTip.GetSafeHwnd() != NULL)
    m_wndToolTip.RelayEvent(pMsg);
  return FALSE;
}
