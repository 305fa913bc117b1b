// Tearing a menu off: the receiver names the window that stands for the menu, and while the user
// drags the tear-off bar away the menu hides and that window (a docked bar) floats under the
// pointer in a toolkit floating frame; back near the bar the menu shows again. The edits of in-place items
// are in ExtPopupMenuInplaceEdit.cpp.
#include "toolkit/menus/ExtPopupMenuTearOff.h"

#include "framework/app/fw_app.h"
#include "framework/bars/fw_bars.h"
#include "framework/frame/fw_frame.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/theme/ExtPaintManager.h"

typedef CExtPopupMenuWnd::TEAROFFNOTIFICATON TearOff;

TearOff* TearOff::g_pCurrent = NULL;

namespace {

// How far the floating bar's top-left corner lies up and left of the pointer.
const int kFloatOffsetX = 30, kFloatOffsetY = 10;
// How far above and below the tear-off bar the pointer still counts as near it.
const int kZoneSlackY = 15;

const UINT kShowFlags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
const UINT kHideFlags = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

bool IsMouseMessage(UINT nMsg) {
  return (nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) ||
         (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT nMsg) { return nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST; }

} // namespace

void CExtPopupMenuWnd::MENUITEMDATA::SetInplaceDisplayText(LPCSTR lpszText) {
  m_sInplaceText.Empty();
  m_nInplaceFlags &= ~INPLACE_DISPLAY_TEXT;
  if (IsInplace() && lpszText != NULL) {
    m_sInplaceText = lpszText;
    m_nInplaceFlags |= INPLACE_DISPLAY_TEXT;
  }
}

void CExtPopupMenuWnd::BeginTearOff() {
  CPoint pt;
  if (!::GetCursorPos(&pt))
    return;
  HideOwnTip(true);
  // The drag may end the tracking, which deletes this menu: nothing of it is touched afterwards.
  TEAROFFNOTIFICATON tearOff(this, pt);
  tearOff.Run();
}

// ---------------------------------------------------------------------------------------------

TearOff::TEAROFFNOTIFICATON(CExtPopupMenuWnd* pMenu, const POINT& ptStart)
    : CExtHookSink(true), m_hWndMenu(pMenu != NULL ? pMenu->GetSafeHwnd() : NULL), m_pMenu(pMenu),
      m_ptStart(ptStart) {
  m_rcStart.SetRect(m_ptStart, m_ptStart);
  m_rcStart.InflateRect(m_cxThreshold, m_cyThreshold);
}

TearOff::~TEAROFFNOTIFICATON() {
  UnhookAllWindows();
  if (g_pCurrent == this)
    g_pCurrent = NULL;
}

bool TearOff::IsMenuAlive() const {
  return m_hWndMenu != NULL && ::IsWindow(m_hWndMenu) && CWnd::FromHandlePermanent(m_hWndMenu) == m_pMenu;
}

void TearOff::Notify(int nStage) {
  m_nStage = nStage;
  const HWND hWndReceiver = IsMenuAlive() ? m_pMenu->GetCmdReceiverHWND() : NULL;
  if (hWndReceiver != NULL && ::IsWindow(hWndReceiver))
    ::SendMessageA(hWndReceiver, g_nMsgTearOff, reinterpret_cast<WPARAM>(this), 0);
}

bool TearOff::Run() {
  if (!IsMenuAlive())
    return false;
  Notify(STAGE_ASK_WINDOW);
  if (m_hWndCreated == NULL || !::IsWindow(m_hWndCreated) || (m_nStateBits & TO_CANCELLED) != 0)
    return false;
  m_pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(m_hWndCreated));
  if (m_pBar != NULL && m_pBar->m_pDockSite == NULL)
    m_pBar = NULL;
  return RunDragLoop();
}

bool TearOff::RunDragLoop() {
  g_pCurrent = this;
  m_nStage = STAGE_DRAGGING;
  const HWND hWndFrame = GetBarFloatingFrame();
  Track(hWndFrame != NULL ? hWndFrame : m_hWndCreated);
  while ((m_nStateBits & (TO_DONE | TO_CANCELLED)) == 0) {
    if (!::IsWindow(m_hWndCreated)) {
      m_nStateBits |= TO_CANCELLED;
      break;
    }
    if (!IsMenuAlive())
      break;
    if (!PumpQueued()) {
      m_nStateBits |= TO_CANCELLED;
      break;
    }
    if ((m_nStateBits & (TO_DONE | TO_CANCELLED)) != 0)
      break;
    HandleDrag();
    CExtPaintManager::PumpPendingMessages(true, true, true);
    MSG msg;
    // Every step follows a message: the pointer, a key, a window that went.
    if ((m_nStateBits & (TO_DONE | TO_CANCELLED)) == 0 && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
      ::WaitMessage();
  }
  ::ReleaseCapture();
  UnhookAllWindows();
  if (IsMenuAlive()) {
    Notify(STAGE_FINISHED);
    if (::IsWindow(m_hWndMenu) && !::IsWindowVisible(m_hWndMenu)) {
      // The bar stands for the menu now: the menus close.
      CExtPopupMenuWnd::CancelAllTracking();
      if (ExtBarMenuTracking::IsTracking())
        ExtBarMenuTracking::EndInAllBars();
    }
  }
  if (g_pCurrent == this)
    g_pCurrent = NULL;
  return (m_nStateBits & TO_DONE) != 0;
}

bool TearOff::PumpQueued() {
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (IsMouseMessage(msg.message) || IsKeyMessage(msg.message)) {
      if (::PeekMessageA(&msg, NULL, msg.message, msg.message, PM_REMOVE) && !RouteInput(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      continue;
    }
    if (!AfxPumpMessage()) {
      ::PostQuitMessage(0);
      return false;
    }
  }
  return true;
}

bool TearOff::RouteInput(const MSG& msg) {
  if (IsKeyMessage(msg.message))
    return OnHookKey();
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE)
    return OnHookMouseMove();
  return OnHookMouseClick(msg.message);
}

void TearOff::HandleDrag(bool bFinal) {
  if ((m_nStateBits & TO_DONE) != 0 || !::IsWindow(m_hWndCreated) || !IsMenuAlive())
    return;
  Notify(STAGE_DRAGGING);
  CPoint pt;
  if (m_pBar == NULL || !::IsWindow(m_pBar->GetSafeHwnd()) || m_pBar->m_pDockSite == NULL ||
      !::GetCursorPos(&pt)) {
    m_nStateBits |= TO_CANCELLED;
    return;
  }
  if (!IsInTearOffZone(pt)) {
    if ((m_nStateBits & TO_LEFT_ZONE) == 0) {
      m_nStateBits |= TO_LEFT_ZONE;
      if (IsBarVisible())
        ShowBar(false);
    }
    if (::IsWindowVisible(m_hWndMenu))
      ::SetWindowPos(m_hWndMenu, NULL, 0, 0, 0, 0, kHideFlags);
    FloatBar(CPoint(pt.x - kFloatOffsetX, pt.y - kFloatOffsetY));
    const HWND hWndFrame = GetBarFloatingFrame();
    if (hWndFrame != NULL && hWndFrame != m_hWndTracked)
      Track(hWndFrame);
    if (!IsBarVisible())
      ShowBar(true);
    CRect rcBar;
    ::GetWindowRect(m_pBar->GetSafeHwnd(), &rcBar);
    RepaintChain(&rcBar, false, false);
  } else if (!::IsWindowVisible(m_hWndMenu)) {
    ShowBar(false);
    m_nStateBits |= TO_TRANSIENT;
    ::SetWindowPos(m_hWndMenu, NULL, 0, 0, 0, 0, kShowFlags);
    m_nStateBits &= ~TO_TRANSIENT;
    RepaintChain(NULL, true, false);
  }
  if (!bFinal && ::IsWindow(m_hWndCreated) && ::GetCapture() != m_hWndCreated)
    ::SetCapture(m_hWndCreated);
}

bool TearOff::IsInTearOffZone(const POINT& ptScreen) const {
  if (m_rcStart.PtInRect(ptScreen))
    return true;
  if (!IsMenuAlive() || m_pMenu->m_rcTearOff.IsRectEmpty())
    return false;
  CRect rcZone = m_pMenu->m_rcTearOff;
  ::MapWindowPoints(m_hWndMenu, NULL, reinterpret_cast<POINT*>(&rcZone), 2);
  rcZone.InflateRect(0, kZoneSlackY);
  return rcZone.PtInRect(ptScreen) != FALSE;
}

bool TearOff::OnHookMouseMove() {
  if (!IsCurrent())
    return false;
  HandleDrag();
  return true;
}

bool TearOff::OnHookMouseClick(UINT nMsg) {
  if (!IsCurrent())
    return false;
  if (IsButtonRelease(nMsg)) {
    HandleDrag(true);
    m_nStateBits |= TO_DONE;
  }
  return true;
}

bool TearOff::OnHookKey() {
  if (!IsCurrent())
    return false;
  HandleDrag(true);
  m_nStateBits |= TO_DONE;
  return true;
}

bool TearOff::OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                              LPARAM& lParam) {
  if (nMessage == WM_SHOWWINDOW && wParam == 0) {
    m_nStateBits |= TO_TRANSIENT;
  } else if (nMessage == g_nMsgCustomFloatPos && hWndHooked == m_hWndTracked) {
    if (lParam != 0)
      m_rcFloatPos = *reinterpret_cast<const RECT*>(lParam);
  } else if (nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED) {
    if (m_pBar != NULL || !::IsWindowVisible(hWndHooked))
      return false;
  } else {
    return CExtHookSink::OnWindowMessage(lResult, hWndHooked, nMessage, wParam, lParam);
  }
  lResult = CallOriginalProc(nMessage, wParam, lParam);
  // The menus' shadows show the tracked window beneath them: they are painted again over its new
  // look before the reported place is forgotten.
  RepaintChain(NULL, false, true);
  CExtPaintManager::PumpPendingMessages(true, true, true);
  m_rcFloatPos.SetRectEmpty();
  if (nMessage == WM_SHOWWINDOW)
    m_nStateBits &= ~TO_TRANSIENT;
  return true;
}

// ---------------------------------------------------------------------------------------------
// The bar: a toolkit bar, shown and hidden through its frame, floated by its own operation.

bool TearOff::IsBarVisible() const {
  return m_pBar != NULL && ::IsWindow(m_pBar->GetSafeHwnd()) && ::IsWindowVisible(m_pBar->GetSafeHwnd());
}

void TearOff::ShowBar(bool bShow) {
  if (m_pBar != NULL && m_pBar->m_pDockSite != NULL)
    m_pBar->m_pDockSite->ShowControlBar(m_pBar, bShow, FALSE);
}

void TearOff::FloatBar(const CPoint& ptScreen) {
  // A bar that floats alone already only moves with its frame.
  if (m_pBar != NULL && m_pBar->m_pDockSite != NULL)
    m_pBar->FloatControlBar(ptScreen.x, ptScreen.y, CBRS_SIZE_DYNAMIC);
}

HWND TearOff::GetBarFloatingFrame() const {
  if (m_pBar == NULL || !::IsWindow(m_pBar->GetSafeHwnd()) || !m_pBar->IsFloating())
    return NULL;
  CFrameWnd* pFrame = m_pBar->GetParentFrame();
  return pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
}

void TearOff::Track(HWND hWnd) {
  UnhookAllWindows();
  m_hWndTracked = hWnd;
  if (hWnd != NULL && !HookWindow(hWnd))
    m_hWndTracked = NULL;
}

void TearOff::RepaintChain(const RECT* prcScreen, bool bDiscardParentShadows, bool bErase) {
  if (!IsMenuAlive())
    return;
  for (CExtPopupMenuWnd* pMenu = m_pMenu; pMenu != NULL; pMenu = pMenu->GetParentMenu()) {
    const HWND hWnd = pMenu->GetSafeHwnd();
    if (hWnd == NULL || !::IsWindowVisible(hWnd))
      continue;
    if (bErase) {
      // The tracked window changed beneath the shadows.
      if (pMenu->IsShadowEnabled())
        ::InvalidateRect(hWnd, NULL, TRUE);
      continue;
    }
    CRect rcMenu, rcCommon;
    ::GetWindowRect(hWnd, &rcMenu);
    if (prcScreen != NULL && !rcCommon.IntersectRect(&rcMenu, prcScreen))
      continue;
    if (bDiscardParentShadows && pMenu != m_pMenu) {
      pMenu->m_shadow.DiscardRendered();
      pMenu->m_shadowArea.DiscardRendered();
    }
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}
