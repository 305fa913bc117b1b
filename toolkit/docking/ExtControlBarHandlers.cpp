// The control bar's message map and handlers, the frame's bar collection, and the tracked areas
// the drag and resize trackers draw.
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/foundation/ExtRuntimeClass.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

// clang-format off
BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
  ON_WM_SIZE()
  ON_WM_SETTINGCHANGE()
  ON_WM_SYSCOLORCHANGE()
  ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
  ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
  ON_WM_CAPTURECHANGED()
  ON_WM_CANCELMODE()
  ON_WM_SETFOCUS()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONUP()
  ON_WM_RBUTTONUP()
  ON_WM_NCRBUTTONUP()
  ON_WM_CONTEXTMENU()
  ON_WM_NCHITTEST()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_SHOWWINDOW()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_REGISTERED_MESSAGE(g_nMsgTakeDockPlace, OnTakeDockPlace)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()
// clang-format on

// --- system changes ----------------------------------------------------------------------------

void CExtControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CControlBar::OnSettingChange(uFlags, lpszSection);
  ExtSystemChanges::SettingChanged(this, uFlags, lpszSection);
  RecalcParentFrameLayout();
}

void CExtControlBar::OnSysColorChange() {
  CControlBar::OnSysColorChange();
  ExtSystemChanges::SysColorChanged(this);
}

LRESULT CExtControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  ExtSystemChanges::DisplayChanged(this, wParam, lParam);
  return lResult;
}

LRESULT CExtControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  ExtSystemChanges::ThemeChanged(this, wParam, lParam);
  return lResult;
}

// --- size, capture, focus ------------------------------------------------------------------------

void CExtControlBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  if ((m_bBarState & BS_IGNORE_SIZE) != 0)
    return;
  RepositionSingleChild(cx, cy, true);
  CWnd* pParent = GetParent();
  if (IsFloating() && pParent != NULL) {
    CFrameWnd* pFrame = GetParentFrame();
    RepositionNcAreaButtons();
    if (pFrame != NULL)
      pFrame->SendMessage(WM_NCPAINT);
  }
}

void CExtControlBar::OnCaptureChanged(CWnd* pWnd) {
  if (IsRowResizing())
    StopRowResizing(true);
  if (IsInRowResizing())
    StopInRowResizing(true);
  CControlBar::OnCaptureChanged(pWnd);
}

void CExtControlBar::OnCancelMode() {
  if (IsRowResizing())
    StopRowResizing(true);
  if (IsInRowResizing())
    StopInRowResizing(true);
  if ((m_bBarState & BS_DRAGGING) != 0)
    StopDragging(true);
  CExtPopupMenuWnd::CancelAllTracking();
  if ((m_bExtraFlags & XF_OVER_NC_BUTTON) != 0) {
    m_bExtraFlags &= ~XF_OVER_NC_BUTTON;
    PostMessage(WM_NCPAINT);
  }
  CControlBar::OnCancelMode();
}

void CExtControlBar::OnSetFocus(CWnd* pOldWnd) {
  CControlBar::OnSetFocus(pOldWnd);
  // Only resizable bars hand the focus on to their content.
  if (IsFixedMode())
    return;
  HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
  if (hChild != NULL && ::IsWindowVisible(hChild) && ::IsWindowEnabled(hChild))
    ::SetFocus(hChild);
}

// --- the mouse -----------------------------------------------------------------------------------

void CExtControlBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (!ProcessMouseMove(nFlags, point))
    CControlBar::OnMouseMove(nFlags, point);
}

bool CExtControlBar::ProcessMouseMove(UINT /*nFlags*/, CPoint ptClient) {
  UpdateCursor(ptClient);
  if ((m_bExtraFlags & XF_OVER_NC_BUTTON) != 0)
    return true;
  CPoint ptScreen = ptClient;
  ClientToScreen(&ptScreen);
  if (IsRowResizing()) {
    OnRowResizingStep(ptScreen);
    return true;
  }
  if (IsInRowResizing()) {
    OnInRowResizingStep(ptScreen);
    return true;
  }
  if ((m_bBarState & BS_DRAGGING) != 0) {
    OnDraggingStep(ptScreen, (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
    return true;
  }
  if (g_bActivateOnHover && IsFloating() && !CExtPopupMenuWnd::AnyMenuTracked()) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
      pFrame->BringWindowToTop();
    return true;
  }
  return false;
}

void CExtControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockBar == NULL || CExtPopupMenuWnd::AnyMenuTracked()) {
    CControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  if (IsFixedMode() && !IsShowContentWhileDragging() && !IsFloating()) {
    // Fixed bars whose drag shows only an outline leave it to the framework's docking context.
    if (m_pDockContext != NULL) {
      CPoint ptScreen = point;
      ClientToScreen(&ptScreen);
      m_pDockContext->StartDrag(ptScreen);
    }
    return;
  }
  if (IsFloating()) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL) {
      CPoint ptScreen = point;
      ClientToScreen(&ptScreen);
      pFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
    }
    return;
  }
  // Every docked bar drags on a caption press; only resizable bars take the focus.
  if (!IsFixedMode())
    SetFocus();
  CPoint ptScreen = point;
  ClientToScreen(&ptScreen);
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  TrackDragging(ptScreen, ptScreen - rcWnd.TopLeft(), 1, 1);
}

void CExtControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  // A resize or a drag commits where the button went up, even when a move before the release was
  // lost or merged into the one that started the drag.
  CPoint ptScreen = point;
  ClientToScreen(&ptScreen);
  if (IsRowResizing()) {
    OnRowResizingStep(ptScreen);
    StopRowResizing(false);
  } else if (IsInRowResizing()) {
    OnInRowResizingStep(ptScreen);
    StopInRowResizing(false);
  } else if ((m_bBarState & BS_DRAGGING) != 0) {
    OnDraggingStep(ptScreen, (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
    StopDragging(false);
  } else
    CControlBar::OnLButtonUp(nFlags, point);
}

void CExtControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockBar != NULL && IsDblClickToggleEnabled()) {
    ToggleDocking();
    return;
  }
  CControlBar::OnLButtonDblClk(nFlags, point);
}

void CExtControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && IsDblClickToggleEnabled()) {
    ToggleDocking();
    return;
  }
  CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

// The bars menu of the client and non-client right button arrives with the docking operations.
void CExtControlBar::OnShowWindow(BOOL bShow, UINT nStatus) {
  CControlBar::OnShowWindow(bShow, nStatus);
  if (CExtPopupMenuTipWnd* pTip = GetToolTipObject())
    pTip->HideTip();
  if (nStatus == 0)
    SyncContainerVisibility();
}

LRESULT CExtControlBar::OnSetText(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  if ((m_bExtraFlags & XF_AUTO_HIDDEN) != 0) {
    // The strip's tab and the slider's caption show the text.
    if (CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindBarArea(this))
      pArea->RefreshBarText(this);
    return lResult;
  }
  CWnd* pParent = GetParent();
  CFrameWnd* pFrame = GetParentFrame();
  if (pParent != NULL && pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    LPCSTR lpszText = reinterpret_cast<LPCSTR>(lParam);
    pParent->SetWindowText(lpszText);
    pFrame->SetWindowText(lpszText);
    pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    pFrame->SendMessage(WM_NCPAINT);
  }
  bool bShown = false;
  if (QueryCaption(NULL, &bShown) && bShown)
    SendMessage(WM_NCPAINT);
  UNUSED_ALWAYS(wParam);
  return lResult;
}

LRESULT CExtControlBar::OnHelpHitTest(WPARAM /*wParam*/, LPARAM lParam) {
  if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
    SendMessage(WM_CANCELMODE);
  int nHit = HitTestItem(CPoint(lParam));
  if (nHit == -3)
    return 0;
  if (nHit == -2)
    return -1;
  if (nHit == -1)
    return CControlBar::OnHelpHitTest(0, lParam);
  return 0x10000 + nHit;
}

// --- the idle update -----------------------------------------------------------------------------

void CExtControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {
  if (IsDialogMode() || IsRowResizing() || IsInRowResizing() || (m_bBarState & BS_DRAGGING) != 0 ||
      GetDraggedBar() != NULL)
    return;
  BYTE bOld = m_bExtraFlags;
  if (IsWindowVisible()) {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CExtBarNcAreaButton* pButton = NULL;
    NcButtonHitTest(ptCursor, &pButton);
    if (pButton != NULL)
      m_bExtraFlags |= XF_OVER_NC_BUTTON;
    else
      m_bExtraFlags &= ~XF_OVER_NC_BUTTON;
  }
  HWND hFocus = ::GetFocus();
  if (hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)))
    m_bExtraFlags |= XF_FOCUS_INSIDE;
  else
    m_bExtraFlags &= ~XF_FOCUS_INSIDE;
  if (bOld != m_bExtraFlags) {
    SendMessage(WM_NCPAINT);
    if (CFrameWnd* pFrame = GetParentFrame())
      pFrame->SendMessage(WM_NCPAINT);
  }
}

BOOL CExtControlBar::IsVisible() const {
  if ((m_bExtraFlags & XF_AUTO_HIDDEN) != 0)
    return FALSE;
  return CControlBar::IsVisible();
}

void CExtControlBar::DelayShow(BOOL bShow) {
  // A bar in an auto-hide area is never shown by a delayed request.
  if ((m_bExtraFlags & XF_AUTO_HIDDEN) != 0)
    bShow = FALSE;
  CControlBar::DelayShow(bShow);
}

// --- the bar collection --------------------------------------------------------------------------

namespace {

// Whether a bar at its place passes the kind, visibility and side bits of the filter.
bool PassesStateBits(CExtControlBar* pBar, DWORD dwFilter) {
  DWORD dwKind = pBar->IsFixedMode()         ? CExtControlBar::FILTER_FIXED
                 : pBar->IsAtMinimumLength() ? CExtControlBar::FILTER_RESIZABLE_AT_MIN
                                             : CExtControlBar::FILTER_RESIZABLE_NOT_MIN;
  if ((dwFilter & dwKind) == 0)
    return false;
  if ((dwFilter &
       (pBar->IsVisible() ? CExtControlBar::FILTER_IS_VISIBLE : CExtControlBar::FILTER_NOT_IS_VISIBLE)) == 0)
    return false;
  if ((dwFilter & (pBar->IsWindowVisible() ? CExtControlBar::FILTER_WND_VISIBLE
                                           : CExtControlBar::FILTER_WND_HIDDEN)) == 0)
    return false;
  DWORD dwSides = dwFilter & CExtControlBar::FILTER_SIDE_MASK;
  if (dwSides == 0)
    return true;
  DWORD dwSide = pBar->IsFloating()         ? CExtControlBar::FILTER_FLOATING
                 : pBar->IsDockedAtBottom() ? CExtControlBar::FILTER_BOTTOM
                 : pBar->IsDockedAtLeft()   ? CExtControlBar::FILTER_LEFT
                 : pBar->IsDockedAtRight()  ? CExtControlBar::FILTER_RIGHT
                                            : CExtControlBar::FILTER_TOP;
  return (dwSides & dwSide) != 0;
}

// The point tests: inside the window (a floating bar: its frame), then client, caption, hit code.
bool PassesPointBits(CExtControlBar* pBar, DWORD dwFilter, CPoint pt) {
  if ((dwFilter & CExtControlBar::FILTER_POINT_MASK) == 0)
    return true;
  CRect rcWnd;
  CWnd* pOuter = pBar->IsFloating() && pBar->GetParentFrame() != NULL
                     ? static_cast<CWnd*>(pBar->GetParentFrame())
                     : static_cast<CWnd*>(pBar);
  pOuter->GetWindowRect(&rcWnd);
  if (!rcWnd.PtInRect(pt))
    return false;
  if ((dwFilter & CExtControlBar::FILTER_PT_IN_CLIENT) != 0) {
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    pBar->ClientToScreen(&rcClient);
    if (!rcClient.PtInRect(pt))
      return false;
  }
  if ((dwFilter & CExtControlBar::FILTER_PT_IN_CAPTION) != 0) {
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    CRect rcCaption = pBar->GetNcCaptionRect();
    rcCaption.OffsetRect(rcBar.TopLeft());
    if (!rcCaption.PtInRect(pt))
      return false;
  }
  static const struct {
    DWORD bit;
    UINT code;
  } kCodes[] = {{CExtControlBar::FILTER_HT_LEFT, HTLEFT},
                {CExtControlBar::FILTER_HT_RIGHT, HTRIGHT},
                {CExtControlBar::FILTER_HT_TOP, HTTOP},
                {CExtControlBar::FILTER_HT_BOTTOM, HTBOTTOM},
                {CExtControlBar::FILTER_HT_TOPLEFT, HTTOPLEFT},
                {CExtControlBar::FILTER_HT_TOPRIGHT, HTTOPRIGHT},
                {CExtControlBar::FILTER_HT_BOTTOMLEFT, HTBOTTOMLEFT},
                {CExtControlBar::FILTER_HT_BOTTOMRIGHT, HTBOTTOMRIGHT},
                {CExtControlBar::FILTER_HT_NOWHERE, HTNOWHERE},
                {CExtControlBar::FILTER_HT_SIZE, HTSIZE},
                {CExtControlBar::FILTER_HT_MINBUTTON, HTMINBUTTON},
                {CExtControlBar::FILTER_HT_MAXBUTTON, HTMAXBUTTON},
                {CExtControlBar::FILTER_HT_CLIENT, HTCLIENT}};
  DWORD dwCodes = 0;
  for (const auto& entry : kCodes)
    dwCodes |= dwFilter & entry.bit;
  if (dwCodes == 0)
    return true;
  UINT nHit = static_cast<UINT>(pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
  for (const auto& entry : kCodes)
    if ((dwCodes & entry.bit) != 0 && entry.code == nHit)
      return true;
  return false;
}

} // namespace

void CExtControlBar::GetFrameControlBars(bool bExcludeThis, CPtrArray& arrBars, DWORD dwFilter, LONG x,
                                         LONG y) const {
  GetFrameControlBars(GetDockingFrame(), bExcludeThis ? const_cast<CExtControlBar*>(this) : NULL, arrBars,
                      dwFilter, x, y);
}

void CExtControlBar::GetFrameControlBars(CFrameWnd* pFrame, CExtControlBar* pExclude, CPtrArray& arrBars,
                                         DWORD dwFilter, LONG x, LONG y) {
  arrBars.RemoveAll();
  if (pFrame == NULL || (dwFilter & FILTER_KIND_MASK) == 0 || (dwFilter & FILTER_VISIBILITY_MASK) == 0 ||
      (dwFilter & FILTER_WND_MASK) == 0)
    return;
  CSingleLock lock(&g_csAllBars, TRUE);
  for (CExtControlBar* pBar : g_AllBars) {
    HWND hWnd = pBar->GetSafeHwnd();
    if (hWnd == NULL || !::IsWindow(hWnd) || pBar->IsDialogMode())
      continue;
    if (pExclude != NULL && pExclude->GetSafeHwnd() != NULL &&
        (hWnd == pExclude->GetSafeHwnd() || ::IsChild(pExclude->GetSafeHwnd(), hWnd)))
      continue;
    if (IsKindOfName(pBar, "CExtDynControlBar") && !IsKindOfName(pBar, "CExtDynTabControlBar"))
      continue;
    if (pBar->GetDockingFrame() != pFrame)
      continue;
    CExtControlBar* pReported = pBar;
    if (CExtDynTabControlBar* pTabs = pBar->GetTabContainerBar())
      pReported = reinterpret_cast<CExtControlBar*>(pTabs);
    if (!PassesStateBits(pReported, dwFilter) || !PassesPointBits(pReported, dwFilter, CPoint(x, y)))
      continue;
    bool bListed = false;
    for (INT_PTR i = 0; i < arrBars.GetSize() && !bListed; ++i)
      bListed = arrBars[i] == pReported;
    if (!bListed)
      arrBars.Add(pReported);
    if ((dwFilter & FILTER_STOP_AT_FIRST) != 0)
      break;
  }
}

// --- tracked areas -------------------------------------------------------------------------------

CExtControlBar::TrackedAreaDrawData::TrackedAreaDrawData(CExtControlBar* pBar, CDC* pDC, LONG nKind,
                                                         const RECT& rc, bool bErase)
    : m_pBar(pBar), m_pDC(pDC), m_nKind(nKind), m_rcArea(rc), m_bFlags(bErase ? FLAG_ERASE : 0) {}

namespace {

// Adds the band between a rectangle and the rectangle deflated by the frame thickness.
void AddBand(CRgn& rgnAll, const CRect& rc, int cx, int cy, bool bOpenTop, bool bOpenBottom) {
  CRect rcInner(rc);
  rcInner.DeflateRect(cx, bOpenTop ? 0 : cy, cx, bOpenBottom ? 0 : cy);
  if (bOpenTop)
    rcInner.top = rc.top;
  if (bOpenBottom)
    rcInner.bottom = rc.bottom;
  CRgn rgnOuter, rgnInner, rgnBand;
  rgnOuter.CreateRectRgnIndirect(&rc);
  rgnInner.CreateRectRgnIndirect(&rcInner);
  rgnBand.CreateRectRgn(0, 0, 0, 0);
  rgnBand.CombineRgn(&rgnOuter, &rgnInner, RGN_DIFF);
  rgnAll.CombineRgn(&rgnAll, &rgnBand, RGN_OR);
}

} // namespace

void CExtControlBar::TrackedAreaDrawData::Draw(CBrush* pBrush, DWORD dwRop) const {
  if (m_pDC == NULL)
    return;
  CDC& dc = *m_pDC;
  CBrush* pOldBrush = pBrush != NULL ? dc.SelectObject(pBrush) : NULL;
  CRect rc(m_rcArea);
  if (m_nKind == KIND_BAND || m_nKind == KIND_BAND_ALT) {
    dc.PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), dwRop);
  } else {
    int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    CRgn rgnAll;
    rgnAll.CreateRectRgn(0, 0, 0, 0);
    if (m_nKind == KIND_FRAME_WITH_TAB) {
      int nTabHeight = rc.Height() < 2 * kTabHeight ? rc.Height() / 2 : kTabHeight;
      CRect rcBody(rc.left, rc.top, rc.right, rc.bottom - nTabHeight);
      AddBand(rgnAll, rcBody, cx, cy, false, false);
      int nOffset = 8 + cx;
      int nFree = rc.Width() - nOffset - cx;
      int nTabWidth = nFree < kTabWidth ? std::max(nFree / 2, 0) : kTabWidth;
      CRect rcTab(rc.left + nOffset, rcBody.bottom, rc.left + nOffset + nTabWidth, rc.bottom);
      CWnd* pDockSite = m_pBar != NULL ? m_pBar->m_pDockSite : NULL;
      if (pDockSite != NULL && (pDockSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        rcTab.OffsetRect(rc.right - rcTab.right - (rcTab.left - rc.left), 0);
      if (!rcTab.IsRectEmpty())
        AddBand(rgnAll, rcTab, cx, cy, true, false);
    } else {
      AddBand(rgnAll, rc, cx, cy, false, false);
    }
    dc.SaveDC();
    dc.SelectClipRgn(&rgnAll);
    dc.PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), dwRop);
    dc.RestoreDC(-1);
  }
  if (pOldBrush != NULL)
    dc.SelectObject(pOldBrush);
}

bool CExtControlBar::NotifyDrawTrackedArea(TrackedAreaDrawData& data) {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && IsKindOfName(pFrame, "CExtMiniDockFrameWnd"))
    pFrame = pFrame->GetParentFrame();
  if (pFrame == NULL)
    return false;
  pFrame->SendMessage(g_nMsgDrawTrackedArea, reinterpret_cast<WPARAM>(&data), 0);
  return (data.m_bFlags & TrackedAreaDrawData::FLAG_DRAWN_BY_FRAME) != 0;
}
