// The tab window and the mouse: pressing and releasing buttons and items, hover highlighting with
// tips, selection by click or by resting on an item, the item-list menu, and reordering items by
// dragging them in a loop of its own.
#include "toolkit/docking/ExtTabWnd.h"

#include "framework/app/fw_app.h"
#include "toolkit/docking/ExtBarModalLoop.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdlib>

namespace {

const int kDragThreshold = 5;
const UINT kItemListFirstCmd = 0xFFFF;

bool IsButtonCode(int nHit) {
  return nHit <= CExtTabWnd::HT_BUTTON_PREV && nHit >= CExtTabWnd::HT_BUTTON_END;
}

// The tip text of a button: its string resource, or the built-in text when the resource lacks it.
CString ButtonTipText(int nHit) {
  struct Tip {
    int nHit;
    UINT nId;
    LPCSTR sBuiltIn;
  };
  static const Tip tips[] = {
      {CExtTabWnd::HT_BUTTON_PREV, 30052, "Previous"}, {CExtTabWnd::HT_BUTTON_NEXT, 30053, "Next"},
      {CExtTabWnd::HT_BUTTON_HELP, 30054, "Help"},     {CExtTabWnd::HT_BUTTON_CLOSE, 30055, ""},
      {CExtTabWnd::HT_BUTTON_ITEM_LIST, 30342, ""},    {CExtTabWnd::HT_BUTTON_HOME, 30385, "Home"},
      {CExtTabWnd::HT_BUTTON_END, 30386, "End"},
  };
  for (const Tip& t : tips) {
    if (t.nHit != nHit)
      continue;
    CString s;
    if (!g_ResourceManagerHolder->LoadString(s, t.nId) || s.IsEmpty())
      s = t.sBuiltIn;
    return s;
  }
  return CString();
}

// Paints the item-list button into the menu's area combined with it.
void PaintItemListButton(LPVOID pCookie, CDC& dc, const CWnd&, const RECT& rcArea, int) {
  auto* pTab = static_cast<CExtTabWnd*>(pCookie);
  g_PaintManagerHolder->PaintTabButton(dc, rcArea, CExtTabWnd::HT_BUTTON_ITEM_LIST,
                                       pTab->OrientationIsVertical(), true, false, false,
                                       (pTab->GetTabWndStyle() & CExtTabWnd::TS_GROUPED) != 0, pTab);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Messages.

LRESULT CExtTabWnd::RouteMouseClick(LPARAM lParam, WPARAM wParam, bool bDown, int nButton) {
  const CPoint pt(lParam);
  if (OnMouseClick(pt.x, pt.y, bDown, nButton, static_cast<UINT>(wParam)))
    return 0;
  return Default();
}

LRESULT CExtTabWnd::OnLButtonDownMsg(WPARAM w, LPARAM l) { return RouteMouseClick(l, w, true, MOUSE_LEFT); }
LRESULT CExtTabWnd::OnLButtonUpMsg(WPARAM w, LPARAM l) { return RouteMouseClick(l, w, false, MOUSE_LEFT); }
LRESULT CExtTabWnd::OnRButtonDownMsg(WPARAM w, LPARAM l) { return RouteMouseClick(l, w, true, MOUSE_RIGHT); }
LRESULT CExtTabWnd::OnRButtonUpMsg(WPARAM w, LPARAM l) { return RouteMouseClick(l, w, false, MOUSE_RIGHT); }
LRESULT CExtTabWnd::OnMButtonDownMsg(WPARAM w, LPARAM l) { return RouteMouseClick(l, w, true, MOUSE_MIDDLE); }
LRESULT CExtTabWnd::OnMButtonUpMsg(WPARAM w, LPARAM l) { return RouteMouseClick(l, w, false, MOUSE_MIDDLE); }

LRESULT CExtTabWnd::OnMouseMoveMsg(WPARAM wParam, LPARAM lParam) {
  const CPoint pt(lParam);
  OnMouseMove(static_cast<UINT>(wParam), pt.x, pt.y);
  return 0;
}

// Double clicks and the context menu mean nothing to a plain strip.
LRESULT CExtTabWnd::OnSwallowMsg(WPARAM, LPARAM) { return 0; }

// The strip never takes activation; a click still moves the focus out of whatever had it.
int CExtTabWnd::OnMouseActivate(CWnd*, UINT, UINT) {
  HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
  if (hTop != NULL && ::GetForegroundWindow() != ::GetLastActivePopup(hTop)) {
    CWnd* pParent = GetParent();
    if (pParent != NULL)
      pParent->SetFocus();
  }
  return MA_NOACTIVATE;
}

void CExtTabWnd::OnSetFocus(CWnd*) {
  CWnd* pParent = GetParent();
  if (pParent != NULL)
    pParent->SetFocus();
}

BOOL CExtTabWnd::OnSetCursor(CWnd*, UINT, UINT) {
  if (CExtControlBar::IsFrameInHelpMode(this))
    return FALSE;
  ::SetCursor(g_hTabWndCursor != NULL ? g_hTabWndCursor : ::LoadCursor(NULL, IDC_ARROW));
  return TRUE;
}

void CExtTabWnd::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != NULL && pWnd->GetSafeHwnd() != m_hWnd) {
    PressEnd(false);
    EndHover(false);
    return;
  }
  if ((m_bWndFlags & WF_HOVER_CAPTURE) != 0)
    SendMessage(WM_CANCELMODE);
}

void CExtTabWnd::OnCancelMode() {
  StopSmoothScroll();
  PressEnd(true);
  EndHover(true);
}

// ---------------------------------------------------------------------------------------------
// Clicks and press tracking.

bool CExtTabWnd::OnMouseClick(int x, int y, bool bDown, int nButton, UINT nFlags) {
  const int nHit = HitTest(CPoint(x, y));
  if (IsButtonCode(nHit))
    return OnButtonClick(nHit, bDown, nButton, nFlags);
  if (nHit < 0) {
    PressEnd(true);
    Invalidate();
    UpdateWindow();
    return false;
  }
  if (bDown)
    m_ptPress = CPoint(x, y);
  return OnItemClick(nHit, bDown, nButton, nFlags);
}

bool CExtTabWnd::PressStart(int nButton, int nHitCode) {
  if (m_nPushedTrackingHitTest != -1 &&
      (m_nPushedTrackingButton != nButton || m_nPushedTrackingHitTest != nHitCode))
    return false;
  m_bWndFlags &= ~(WF_PREV_PUSHED | WF_NEXT_PUSHED);
  m_bPushedButtons = 0;
  if (IsButtonCode(nHitCode)) {
    if (nButton != MOUSE_LEFT || !IsButtonEnabled(nHitCode))
      return false;
    switch (nHitCode) {
    case HT_BUTTON_PREV:
      m_bWndFlags |= WF_PREV_PUSHED;
      break;
    case HT_BUTTON_NEXT:
      m_bWndFlags |= WF_NEXT_PUSHED;
      break;
    case HT_BUTTON_HOME:
      m_bPushedButtons |= PB_HOME;
      break;
    case HT_BUTTON_END:
      m_bPushedButtons |= PB_END;
      break;
    case HT_BUTTON_HELP:
      m_bPushedButtons |= PB_HELP;
      break;
    case HT_BUTTON_CLOSE:
      m_bPushedButtons |= PB_CLOSE;
      break;
    default:
      m_bPushedButtons |= PB_ITEM_LIST;
      break;
    }
    UpdateTabWnd(true);
  }
  m_nPushedTrackingButton = nButton;
  m_nPushedTrackingHitTest = nHitCode;
  m_bWndFlags |= WF_PRESS_TRACKED;
  if (CExtMouseCaptureSink::GetCapture() != m_hWnd)
    CExtMouseCaptureSink::SetCapture(m_hWnd);
  return true;
}

void CExtTabWnd::PressEnd(bool bReleaseCapture) {
  // A held scroll button stops where it is; a page scroll runs its page out.
  if ((m_dwTabWndStyle & TS_SCROLL_BY_PAGE) == 0 && IsScrolling())
    SendMessage(WM_CANCELMODE);
  m_ptPress = CPoint(-1, -1);
  const bool bWasPushed = (m_bWndFlags & (WF_PREV_PUSHED | WF_NEXT_PUSHED)) != 0 || m_bPushedButtons != 0;
  m_bWndFlags &= ~(WF_PREV_PUSHED | WF_NEXT_PUSHED | WF_PRESS_TRACKED);
  m_bPushedButtons = 0;
  if (bWasPushed)
    UpdateTabWnd(true);
  m_nPushedTrackingHitTest = -1;
  m_nPushedTrackingButton = -1;
  if (bReleaseCapture && GetSafeHwnd() != NULL && CExtMouseCaptureSink::GetCapture() == m_hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
}

bool CExtTabWnd::OnButtonClick(int nHitCode, bool bDown, int nButton, UINT) {
  if (bDown) {
    if (PressStart(nButton, nHitCode)) {
      Invalidate();
      UpdateWindow();
      if (nHitCode == HT_BUTTON_PREV || nHitCode == HT_BUTTON_NEXT)
        ScrollBy(nHitCode == HT_BUTTON_PREV ? -1 : +1, true);
    }
    return true;
  }
  const bool bWasPressed = m_nPushedTrackingHitTest == nHitCode && m_nPushedTrackingButton == nButton;
  PressEnd(true);
  if (nButton != MOUSE_LEFT || !bWasPressed || ItemGetCount() == 0)
    return true;
  if (nHitCode == HT_BUTTON_HOME)
    ItemEnsureVisible(0, true);
  else if (nHitCode == HT_BUTTON_END)
    ItemEnsureVisible(ItemGetCount() - 1, true);
  else if (nHitCode == HT_BUTTON_ITEM_LIST)
    TrackItemListMenu();
  return true;
}

bool CExtTabWnd::OnItemClick(int nIndex, bool bDown, int nButton, UINT) {
  if (bDown) {
    if (PressStart(nButton, nIndex))
      SelectItem(nIndex, true, true);
  } else {
    PressEnd(true);
  }
  // The default procedure turns the right button's release into WM_CONTEXTMENU.
  return nButton != MOUSE_RIGHT;
}

// ---------------------------------------------------------------------------------------------
// Hover, tips and the delayed selection.

bool CExtTabWnd::IsInActiveFamily() const {
  return AreWindowsInOneFamily(m_hWnd, ::GetActiveWindow(), true, true, true);
}

void CExtTabWnd::OnMouseMove(UINT, int x, int y) {
  const CPoint pt(x, y);
  if (m_nPushedTrackingHitTest != -1) {
    const int nPressed = m_nPushedTrackingHitTest;
    if (nPressed >= 0) {
      const bool bMoved =
          std::abs(x - m_ptPress.x) > kDragThreshold || std::abs(y - m_ptPress.y) > kDragThreshold;
      HideTips();
      if (bMoved && m_ptPress.x != -1 && OnTabWndCanDragItem(nPressed))
        ItemDragLoop(nPressed);
      return;
    }
    HideTips();
    if ((m_bWndFlags & (WF_PREV_PUSHED | WF_NEXT_PUSHED)) == 0 && m_bPushedButtons == 0 && !IsScrolling())
      SendMessage(WM_CANCELMODE);
    return;
  }
  if (!IsInActiveFamily())
    return;
  const int nHit = HitTest(pt);
  if (IsButtonCode(nHit)) {
    if (nHit != m_nHoverTrackingHitTest && !StartHover(nHit))
      HideTips();
    return;
  }
  if (nHit < 0) {
    EndHover(true);
    Invalidate();
    UpdateWindow();
    HideTips();
    return;
  }
  const bool bHoverStarted = nHit != m_nHoverTrackingHitTest && StartHover(nHit);
  if (!bHoverStarted || OnTabWndHoverRepaint()) {
    Invalidate();
    UpdateWindow();
  }
  if (m_nVisibleItemCount <= 0)
    return;
  if ((m_dwTabWndStyle & TS_HOVER_SELECT) != 0) {
    if (m_nDelayedSelIndex != nHit) {
      SelectionDelay(-1, 0);
      SelectionDelay(nHit, 200);
      HideTips();
    }
    return;
  }
  if (!OnTabWndToolTipsEnabled())
    return;
  const TAB_ITEM_INFO* pItem = ItemGet(nHit);
  CString sText = pItem->GetTooltipText();
  if (sText.IsEmpty() && (m_bWndFlags & WF_TEXT_SHORTENED) != 0 &&
      (pItem->GetLayoutFlags() & TIL_SHORTENED) != 0)
    sText = pItem->GetText();
  ShowTipFor(ItemRectInClient(pItem), sText);
}

bool CExtTabWnd::StartHover(int nHitCode) {
  if (nHitCode == m_nHoverTrackingHitTest)
    return true;
  if (!IsInActiveFamily())
    return false;
  m_nLastHoverHitTest = nHitCode;
  m_bWndFlags |= WF_HOVER_CAPTURE;
  Invalidate();
  UpdateWindow();
  if (CExtMouseCaptureSink::GetCapture() != m_hWnd)
    CExtMouseCaptureSink::SetCapture(m_hWnd);
  m_nHoverTrackingHitTest = nHitCode;
  if (OnTabWndToolTipsEnabled() && IsButtonCode(nHitCode))
    ShowTipFor(GetButtonRect(nHitCode), ButtonTipText(nHitCode));
  return true;
}

void CExtTabWnd::EndHover(bool bReleaseCapture) {
  m_nHoverTrackingHitTest = -1;
  if ((m_bWndFlags & WF_HOVER_CAPTURE) == 0)
    return;
  m_bWndFlags &= ~WF_HOVER_CAPTURE;
  m_nLastHoverHitTest = -1;
  Invalidate();
  if (bReleaseCapture && GetSafeHwnd() != NULL && CExtMouseCaptureSink::GetCapture() == m_hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
}

CExtPopupMenuTipWnd* CExtTabWnd::GetBalloonTipWnd() const {
  return &CExtPopupMenuWnd::GetTrackSite().m_tipShared;
}

void CExtTabWnd::ShowBalloonTip(CExtPopupMenuTipWnd* pTip, const RECT& rcScreen, LPCSTR sText) {
  if (pTip == NULL)
    return;
  pTip->SetTipStyle(CExtPopupMenuTipWnd::TIP_BALLOON_NO_ICON);
  pTip->SetText(sText);
  pTip->ShowBalloon(this, rcScreen);
}

void CExtTabWnd::ShowTipFor(const RECT& rcClient, LPCSTR sText) {
  CExtPopupMenuTipWnd* pTip = GetBalloonTipWnd();
  if (sText == NULL || *sText == '\0' || pTip == NULL) {
    HideTips();
    return;
  }
  CRect rcScreen(rcClient);
  ClientToScreen(&rcScreen);
  ShowBalloonTip(pTip, rcScreen, sText);
}

bool CExtTabWnd::SelectionDelay(int nIndex, UINT nMilliseconds) {
  if (GetSafeHwnd() != NULL)
    KillTimer(TIMER_DELAYED_SELECTION);
  if (nIndex < 0) {
    m_nDelayedSelIndex = -1;
    return true;
  }
  m_nDelayedSelIndex = -1;
  if (m_nVisibleItemCount <= 0 || nIndex >= ItemGetCount() || !ItemGet(nIndex)->VisibleGet())
    return false;
  m_nDelayedSelIndex = nIndex;
  SetTimer(TIMER_DELAYED_SELECTION, nMilliseconds);
  return true;
}

void CExtTabWnd::OnSelectionDelayDue() {
  KillTimer(TIMER_DELAYED_SELECTION);
  const int nIndex = m_nDelayedSelIndex;
  m_nDelayedSelIndex = -1;
  if (nIndex < 0 || nIndex == m_nSelIndex || nIndex >= ItemGetCount() || m_nVisibleItemCount <= 0 ||
      !ItemGet(nIndex)->VisibleGet())
    return;
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (HitTest(pt) == nIndex)
    SelectItem(nIndex, true, true);
}

// ---------------------------------------------------------------------------------------------
// The item-list menu.

void CExtTabWnd::TrackItemListMenu() {
  const CRect rcButton = GetButtonRect(HT_BUTTON_ITEM_LIST);
  if (rcButton.IsRectEmpty())
    return;
  // The tracking site owns the menu once tracking starts; until then it is ours.
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(m_hWnd))
    return;
  const bool bGrouped = (m_dwTabWndStyle & TS_GROUPED) != 0;
  for (int i = 0; i < ItemGetCount(); ++i) {
    TAB_ITEM_INFO* pItem = ItemGet(i);
    if (!pItem->VisibleGet())
      continue;
    if (bGrouped && i > 0 && pItem->IsGroupStart())
      pPopup->InsertItem(0, -1);
    CExtCmdIcon* pIcon = pItem->GetIconPtr();
    HICON hIcon = pIcon != NULL ? pIcon->GetIcon(false) : NULL;
    pPopup->InsertCommandItemWithHIcon(kItemListFirstCmd + i, pItem->GetText(), NULL, hIcon, true,
                                       pItem->IsSelected() ? 1 : 0, m_hWnd);
    if ((pItem->GetItemStyle() & TIS_UNSELECTABLE) != 0)
      pPopup->ItemEnabledSet(pPopup->GetItemCount() - 1, false);
  }
  CRect rcScreen(rcButton);
  ClientToScreen(&rcScreen);
  static const DWORD kAlign[] = {4, 6, 1, 3};
  const DWORD dwFlags = kAlign[OrientationGet()] | 0xFA0;
  UINT nCmd = 0;
  const HWND hWnd = m_hWnd;
  if (!pPopup->RunTrackingLoop(dwFlags, rcScreen.left, rcScreen.bottom, &rcScreen, this, PaintItemListButton,
                               &nCmd))
    return;
  pPopup.release();
  if (nCmd >= kItemListFirstCmd && ::IsWindow(hWnd)) {
    const int nIndex = static_cast<int>(nCmd - kItemListFirstCmd);
    if (nIndex < ItemGetCount())
      SelectItem(nIndex, true, true);
  }
}

// ---------------------------------------------------------------------------------------------
// Dragging items.

bool CExtTabWnd::OnTabWndCanDragItem(int nIndex) {
  return nIndex >= 0 && nIndex < ItemGetCount() && (m_dwTabWndStyle & TS_ITEM_DRAGGING) != 0 &&
         (m_dwTabWndStyle & TS_GROUPED) == 0;
}

void CExtTabWnd::DragLoopMove(int& nIndex, CPoint pt) {
  CRect rcClient;
  GetClientRect(&rcClient);
  const bool bHorz = OrientationIsHorizontal();
  const int nPos = bHorz ? pt.x : pt.y;
  const int nNear = bHorz ? rcClient.left : rcClient.top;
  const int nFar = bHorz ? rcClient.right : rcClient.bottom;
  if (nPos < nNear || nPos >= nFar) {
    if (!IsScrolling())
      ScrollBy(nPos < nNear ? -1 : +1, true);
    return;
  }
  StopSmoothScroll();
  const int nHit = HitTest(pt);
  if (nHit < 0 || nHit == nIndex)
    return;
  // Right after a swap the pointer rests on the neighbour's former place; only leaving it swaps back.
  if (m_rcLastSwap.PtInRect(pt) && std::abs(nHit - nIndex) <= 1)
    return;
  m_rcLastSwap = ItemRectInClient(ItemGet(nHit));
  if (ItemMove(nIndex, nHit, true))
    nIndex = nHit;
  else
    m_rcLastSwap.SetRectEmpty();
}

namespace {
bool EndsItemDrag(const MSG& msg, HWND hWndSelf) {
  switch (msg.message) {
  case WM_SYSCOLORCHANGE:
  case WM_SETTINGCHANGE:
  case WM_ACTIVATEAPP:
  case WM_CANCELMODE:
  case WM_CONTEXTMENU:
  case WM_LBUTTONUP:
    return true;
  case WM_CAPTURECHANGED:
    return reinterpret_cast<HWND>(msg.lParam) != hWndSelf;
  default:
    break;
  }
  if (msg.message >= WM_NCLBUTTONDOWN && msg.message <= WM_NCMBUTTONDBLCLK)
    return true;
  if (msg.message >= WM_RBUTTONDOWN && msg.message <= WM_MOUSEWHEEL)
    return true;
  return CExtMouseCaptureSink::GetCapture() != hWndSelf;
}

} // namespace

bool CExtTabWnd::ItemDragLoop(int nIndex) {
  const HWND hWnd = m_hWnd;
  // Taking the capture again would tell this window it lost it and end the hover, and with it
  // the capture.
  if (CExtMouseCaptureSink::GetCapture() != hWnd)
    CExtMouseCaptureSink::SetCapture(hWnd);
  m_bDragging = 1;
  for (;;) {
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      CWinThread* pThread = AfxGetThread();
      for (LONG n = 0; pThread != NULL && pThread->OnIdle(n); ++n) {
      }
      ::WaitMessage();
      continue;
    }
    if (!::IsWindow(hWnd))
      return true;
    if (msg.message == WM_MOUSEMOVE) {
      MSG last = msg;
      TakeQueuedMouseMoves(last);
      CPoint pt(last.lParam);
      if (last.hwnd != hWnd && last.hwnd != NULL)
        ::MapWindowPoints(last.hwnd, hWnd, &pt, 1);
      DragLoopMove(nIndex, pt);
      continue;
    }
    const bool bEnd = EndsItemDrag(msg, hWnd);
    // The end of the program ends the drag too, or the loop would keep meeting its WM_QUIT.
    if (!PumpModalLoopMessage() || bEnd || !::IsWindow(hWnd))
      break;
  }
  if (!::IsWindow(hWnd))
    return true;
  if (CExtMouseCaptureSink::GetCapture() == hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
  m_rcLastSwap.SetRectEmpty();
  m_nPushedTrackingHitTest = -1;
  StopSmoothScroll();
  UpdateTabWnd(true);
  m_bDragging = 0;
  return true;
}
