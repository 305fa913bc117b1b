// The tip window of menus, bars and tab strips: its window, showing it for a hover rectangle after
// the delay, hiding it, and the checks that hide it on their own. Its shape, place and painting are
// in ExtPopupMenuTipPaint.cpp.
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

BEGIN_MESSAGE_MAP(CExtPopupMenuTipWnd, CExtPopupBaseWnd)
ON_WM_ACTIVATEAPP()
ON_WM_TIMER()
END_MESSAGE_MAP()

bool (*CExtPopupMenuTipWnd::g_pfnIsBarDragging)() = NULL;

namespace {

const UINT kDelayShow = 1000;
const UINT kDelayShowAgain = 20; // a tip was up already: the next one follows at once
const UINT kHoverCheckPeriod = 50;
const UINT kAutoHidePeriod = 100;

const UINT kHideFlags = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
const UINT kShowFlags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

bool IsKeyDown(int nVirtKey) { return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0; }

} // namespace

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd() {
  // Tips never animate.
  m_nAnimationType = ANIM_NONE;
  m_nState |= POPUP_ANIMATION_FINISHED;
  // The system's icon is shared: the tip keeps a copy of its own.
  m_icon.AssignFromHIcon(::LoadIconA(NULL, IDI_INFORMATION), true);
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd() {
  // Also at the process's exit, when the owner may be long gone: only a live window of this
  // object is destroyed, and nothing of the system is called on a handle that is not one.
  m_shadowTip.SetScreenSource(NULL, CPoint(0, 0));
  if (HasLiveWindow())
    DestroyWindow();
  else
    ForgetWindow();
}

BOOL CExtPopupMenuTipWnd::DestroyWindow() {
  HideTip();
  if (!HasLiveWindow()) {
    ForgetWindow();
    return TRUE;
  }
  m_hWndTipParent = NULL;
  return CExtPopupBaseWnd::DestroyWindow();
}

bool CExtPopupMenuTipWnd::HasLiveWindow() const {
  return m_hWnd != NULL && ::IsWindow(m_hWnd) &&
         ::GetWindowThreadProcessId(m_hWnd, NULL) == ::GetCurrentThreadId() &&
         CWnd::FromHandlePermanent(m_hWnd) == this;
}

void CExtPopupMenuTipWnd::ForgetWindow() {
  if (m_hWnd != NULL)
    Detach();
  m_hWndTipParent = NULL;
}

bool CExtPopupMenuTipWnd::IsTipVisible() const { return HasLiveWindow() && (GetStyle() & WS_VISIBLE) != 0; }

bool CExtPopupMenuTipWnd::ShowsIcon() const {
  return (m_nStyle == TIP_BALLOON || m_nStyle == TIP_RECT_BELOW_CURSOR || m_nStyle == TIP_RECT_ABOVE) &&
         !m_icon.IsEmpty();
}

void CExtPopupMenuTipWnd::SetText(LPCSTR lpszText) {
  m_sText = lpszText != NULL ? lpszText : "";
  m_sText.Trim();
}

int CExtPopupMenuTipWnd::GetShadowSize() const {
  int nSize = m_nShadowSize;
  if (nSize == -1)
    nSize = g_PaintManagerHolder.GetPM() != NULL ? g_PaintManagerHolder->GetTipShadowSize() : 0;
  return nSize > 0 ? nSize : 0;
}

bool CExtPopupMenuTipWnd::CreateTipWindow(CWnd* pWndParent) {
  DWORD dwExStyle = WS_EX_TOPMOST;
  if ((g_PaintManagerHolder.m_nOsFlagsB & CExtPaintManagerHolder::OSB_NT_MAJOR5) != 0)
    dwExStyle |= WS_EX_NOINHERITLAYOUT;
  LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
  return CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, 0, 0, 0, 0,
                  pWndParent != NULL ? pWndParent->GetSafeHwnd() : NULL, NULL) != FALSE;
}

BOOL CExtPopupMenuTipWnd::ShowBalloon(CWnd* pWndParent, const RECT& rcHover) {
  if (m_nStyle == TIP_OFF) {
    HideTip();
    return TRUE;
  }
  CRect rcArea(rcHover);
  rcArea.NormalizeRect();
  const HWND hWndParent = pWndParent != NULL ? pWndParent->GetSafeHwnd() : NULL;
  bool bWasVisible = false;
  if (HasLiveWindow()) {
    // The same place again changes nothing: no flicker, no new delay.
    if (rcArea == m_rcArea && hWndParent == m_hWndTipParent)
      return TRUE;
    bWasVisible = IsTipVisible();
    HideTip();
    if (hWndParent != m_hWndTipParent)
      DestroyWindow();
  } else {
    ForgetWindow();
  }
  if (m_hWnd == NULL && !CreateTipWindow(pWndParent))
    return FALSE;
  m_hWndTipParent = hWndParent;
  m_rcArea = rcArea;

  MonitorParams monitor;
  CExtPaintManager::GetMonitorAreaFromPoint(monitor, rcArea.CenterPoint());
  const CRect rcWork = CExtPopupMenuWnd::g_bMenuUseWorkArea ? monitor.m_rcWorkArea : monitor.m_rcMonitor;
  CSize size;
  {
    CClientDC dc(this);
    size = BuildBalloonRegion(dc, m_rgnTip, rcWork);
  }
  // The window owns the region it is given: it gets a copy, the original paints the balloon.
  CRgn rgnWindow;
  if (m_rgnTip.GetSafeHandle() != NULL && rgnWindow.CreateRectRgn(0, 0, 0, 0) &&
      rgnWindow.CopyRgn(&m_rgnTip) != ERROR && SetWindowRgn((HRGN)rgnWindow.GetSafeHandle(), TRUE))
    rgnWindow.Detach();
  else
    SetWindowRgn(NULL, TRUE);

  const CRect rcTip = CalcTipRect(size, rcWork);
  SetWindowPos(NULL, rcTip.left, rcTip.top, rcTip.Width(), rcTip.Height(),
               SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
  MoveWindow(&rcTip, TRUE);
  ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
  SetTimer(ID_TIMER_DELAYED_SHOW, bWasVisible ? kDelayShowAgain : kDelayShow);
  SetTimer(ID_TIMER_HOVER_CHECK, kHoverCheckPeriod);
  SetTimer(ID_TIMER_AUTO_HIDE, kAutoHidePeriod);
  return TRUE;
}

void CExtPopupMenuTipWnd::HideTip() {
  if (HasLiveWindow()) {
    KillTimer(ID_TIMER_DELAYED_SHOW);
    KillTimer(ID_TIMER_HOVER_CHECK);
    KillTimer(ID_TIMER_AUTO_HIDE);
    SetWindowPos(NULL, 0, 0, 0, 0, kHideFlags);
  }
  m_rcArea.SetRectEmpty();
  m_shadowTip.ResetAll();
  m_shadowTip.SetScreenSource(NULL, CPoint(0, 0));
  ReleaseScreenBeneath();
  m_nPlacementFlags = 0;
}

void CExtPopupMenuTipWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
  HideTip();
}

void CExtPopupMenuTipWnd::CheckAutoHide() {
  if (IsKeyDown(VK_LBUTTON) || IsKeyDown(VK_MBUTTON) || IsKeyDown(VK_RBUTTON) || IsKeyDown(VK_MENU) ||
      (g_pfnIsBarDragging != NULL && g_pfnIsBarDragging())) {
    HideTip();
    return;
  }
  // While a menu is tracked only the menus' own tips stay.
  if (!CExtPopupMenuWnd::AnyMenuTracked())
    return;
  CWnd* pParent = CWnd::FromHandlePermanent(m_hWndTipParent);
  if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
    HideTip();
}

void CExtPopupMenuTipWnd::OnTimer(UINT nIDEvent) {
  switch (nIDEvent) {
  case ID_TIMER_DELAYED_SHOW:
    KillTimer(ID_TIMER_DELAYED_SHOW);
    // The rectangle tip's shadow falls on what the screen shows now, not on the tip's own surface.
    if ((GetStyle() & WS_VISIBLE) == 0 && !IsBalloon() && GetShadowSize() > 0)
      CaptureScreenBeneath();
    SetWindowPos(NULL, 0, 0, 0, 0, kShowFlags);
    Invalidate(FALSE);
    UpdateWindow();
    return;
  case ID_TIMER_HOVER_CHECK: {
    POINT pt;
    if (!::GetCursorPos(&pt) || !m_rcArea.PtInRect(pt))
      HideTip();
    return;
  }
  case ID_TIMER_AUTO_HIDE:
    CheckAutoHide();
    return;
  default:
    CExtPopupBaseWnd::OnTimer(nIDEvent);
  }
}
