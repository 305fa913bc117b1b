// The tab window as a window: its class, creation (by Create or by subclassing a control), its
// share of the parent's bar layout, and the sizing, timer and system-change messages.
#include "toolkit/docking/ExtTabWnd.h"

#include "framework/frame/fw_frame.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/foundation/ExtWndClass.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

IMPLEMENT_DYNCREATE(CExtTabWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtTabWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMsg)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUpMsg)
ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDownMsg)
ON_MESSAGE(WM_RBUTTONUP, OnRButtonUpMsg)
ON_MESSAGE(WM_MBUTTONDOWN, OnMButtonDownMsg)
ON_MESSAGE(WM_MBUTTONUP, OnMButtonUpMsg)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnSwallowMsg)
ON_MESSAGE(WM_RBUTTONDBLCLK, OnSwallowMsg)
ON_MESSAGE(WM_MBUTTONDBLCLK, OnSwallowMsg)
ON_MESSAGE(WM_CONTEXTMENU, OnSwallowMsg)
ON_WM_MOUSEACTIVATE()
ON_WM_SETFOCUS()
ON_WM_SETCURSOR()
ON_WM_CAPTURECHANGED()
ON_WM_CANCELMODE()
END_MESSAGE_MAP()

const char CExtTabWnd::kClassName[] = "Corvane-TabWindow";

namespace {
bool g_bTabWndClassRegistered = false;
const UINT kToolId = 1;
} // namespace

CExtTabWnd::CExtTabWnd() { RegisterWindowClass(); }

CExtTabWnd::~CExtTabWnd() {
  RemoveAllItems();
  if (m_wndToolTip.GetSafeHwnd() != NULL)
    m_wndToolTip.DestroyWindow();
  if (GetSafeHwnd() != NULL)
    DestroyWindow();
}

bool CExtTabWnd::RegisterWindowClass() {
  if (g_bTabWndClassRegistered)
    return true;
  g_bTabWndClassRegistered = ExtRegisterWndClass(kClassName, CS_DBLCLKS | CS_GLOBALCLASS, g_hTabWndCursor);
  return g_bTabWndClassRegistered;
}

BOOL CExtTabWnd::Create(CWnd* pParentWnd, const RECT& rc, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
                        CCreateContext* pContext) {
  if (!RegisterWindowClass())
    return FALSE;
  m_bWndFlags |= WF_CREATED_BY_CREATE;
  m_dwTabWndStyle = dwTabStyle;
  if (!CWnd::Create(kClassName, "", dwWindowStyle, rc, pParentWnd, nID, pContext))
    return FALSE;
  if (!OnTabWndCreated())
    AfxThrowMemoryException();
  return TRUE;
}

BOOL CExtTabWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!RegisterWindowClass() || !CWnd::PreCreateWindow(cs))
    return FALSE;
  cs.lpszClass = kClassName;
  return TRUE;
}

// A control made from a dialog template carries the tab style in its window style's low word.
void CExtTabWnd::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  if ((m_bWndFlags & WF_CREATED_BY_CREATE) != 0)
    return;
  const DWORD dwStyle = GetStyle();
  m_dwTabWndStyle = dwStyle & 0xFFFF;
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(dwStyle & ~0xFFFFu));
  if (!OnTabWndCreated())
    AfxThrowMemoryException();
}

void CExtTabWnd::PostNcDestroy() {
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  CWnd::PostNcDestroy();
}

bool CExtTabWnd::OnTabWndCreated() {
  EnableToolTips();
  if (OnTabWndToolTipsEnabled()) {
    if (m_wndToolTip.GetSafeHwnd() == NULL && !m_wndToolTip.Create(this))
      return false;
    m_wndToolTip.Activate(TRUE);
  }
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  return true;
}

HWND CExtTabWnd::GetParentFrameHwnd() const {
  if (GetSafeHwnd() == NULL)
    return NULL;
  return GetParentFrame()->GetSafeHwnd();
}

void CExtTabWnd::UpdateTabWnd(bool bImmediate) {
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  if (!bImmediate || GetSafeHwnd() == NULL || !::IsWindow(m_hWnd) || !IsWindowVisible())
    return;
  RecalcLayout();
  Invalidate(TRUE);
  UpdateWindow();
}

void CExtTabWnd::HideTips() {
  if (CExtPopupMenuTipWnd* pTip = GetBalloonTipWnd())
    pTip->HideTip();
  if (m_wndToolTip.GetSafeHwnd() != NULL)
    m_wndToolTip.DelTool(this, kToolId);
  CWnd::CancelToolTips();
}

void CExtTabWnd::LayoutWithin(const RECT& rcLayout) {
  m_rcLayout = rcLayout;
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  RecalcLayout();
  m_rcLayout.SetRectEmpty();
}

void CExtTabWnd::CalcItemsRect(RECT& rcOut, const RECT& rcLayout) {
  LayoutWithin(rcLayout);
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  if (m_rcItemsArea.IsRectEmpty())
    GetWindowRect(&rcOut);
  else
    rcOut = m_rcItemsArea;
}

int CExtTabWnd::BandThicknessInParent() const {
  const int nOrientation = OrientationGet();
  const int nMargin = OnTabWndQueryBorderMargin(nOrientation);
  const int nThickness = OrientationIsHorizontal() ? m_rcItemsArea.Height() : m_rcItemsArea.Width();
  // Strips on the far sides keep two more pixels for their lit edge.
  const bool bFarSide = nOrientation == TS_ORIENT_BOTTOM || nOrientation == TS_ORIENT_RIGHT;
  return nThickness + nMargin + (bFarSide ? 2 : 0);
}

LRESULT CExtTabWnd::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if ((m_bWndFlags & WF_PARENT_LAYOUT) == 0 || pLayout == NULL)
    return 0;
  CRect rcOffered(pLayout->rect);
  if (rcOffered.right <= rcOffered.left || rcOffered.bottom <= rcOffered.top) {
    if (pLayout->hDWP != NULL)
      pLayout->hDWP =
          ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW | SWP_NOOWNERZORDER);
    return 0;
  }
  OnTabWndSyncVisibility();
  if (!IsWindowVisible())
    return 0;
  LayoutWithin(rcOffered);
  if (m_rcItemsArea.IsRectEmpty())
    return 0;
  const int nBand = BandThicknessInParent();
  // The layout just made was for the parent's rectangle; the strip's own comes with its next one.
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  int nOrientation = OrientationGet();
  CWnd* pParent = GetParent();
  if (pParent != NULL && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
    if (nOrientation == TS_ORIENT_LEFT)
      nOrientation = TS_ORIENT_RIGHT;
    else if (nOrientation == TS_ORIENT_RIGHT)
      nOrientation = TS_ORIENT_LEFT;
  }
  CRect rcBand = rcOffered;
  switch (nOrientation) {
  case TS_ORIENT_TOP:
    rcBand.bottom = rcBand.top + nBand;
    pLayout->rect.top += nBand;
    pLayout->sizeTotal.cy += nBand;
    break;
  case TS_ORIENT_BOTTOM:
    rcBand.top = rcBand.bottom - nBand;
    pLayout->rect.bottom -= nBand;
    pLayout->sizeTotal.cy += nBand;
    break;
  case TS_ORIENT_LEFT:
    rcBand.right = rcBand.left + nBand;
    pLayout->rect.left += nBand;
    pLayout->sizeTotal.cx += nBand;
    break;
  default:
    rcBand.left = rcBand.right - nBand;
    pLayout->rect.right -= nBand;
    pLayout->sizeTotal.cx += nBand;
    break;
  }
  if (pLayout->hDWP != NULL) {
    AfxRepositionWindow(pLayout, m_hWnd, &rcBand);
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    UpdateTabWnd(true);
  }
  return 0;
}

void CExtTabWnd::RelayoutAfterSizing(bool bDropTips) {
  if (!IsWindowVisible())
    return;
  if (bDropTips)
    HideTips();
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  RecalcLayout();
  Invalidate(TRUE);
  UpdateWindow();
}

void CExtTabWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RelayoutAfterSizing(true);
}

void CExtTabWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CWnd::OnWindowPosChanged(lpwndpos);
  RelayoutAfterSizing(true);
}

void CExtTabWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWnd::OnShowWindow(bShow, nStatus);
  RelayoutAfterSizing(false);
}

void CExtTabWnd::OnTimer(UINT nIDEvent) {
  if (nIDEvent == TIMER_SMOOTH_SCROLL) {
    SmoothScrollStep();
    return;
  }
  if (nIDEvent == TIMER_DELAYED_SELECTION) {
    OnSelectionDelayDue();
    return;
  }
  CWnd::OnTimer(nIDEvent);
}

void CExtTabWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  ForgetTextMeasurements();
  ExtSystemChanges::SysColorChanged(this);
  Invalidate();
}

void CExtTabWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CWnd::OnSettingChange(uFlags, lpszSection);
  ForgetTextMeasurements();
  ExtSystemChanges::SettingChanged(this, uFlags, lpszSection);
  Invalidate();
}

LRESULT CExtTabWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  ForgetTextMeasurements();
  ExtSystemChanges::DisplayChanged(this, wParam, lParam);
  return lResult;
}

LRESULT CExtTabWnd::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  ForgetTextMeasurements();
  ExtSystemChanges::ThemeChanged(this, wParam, lParam);
  return lResult;
}
