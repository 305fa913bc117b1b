// The menu bar's handling of the hooked windows' messages: the frame (and its top-level ancestor,
// or a dialog parent), the active MDI child and the MDI client.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <memory>

namespace {

// What a rule decided about a hooked message.
enum class HookVerdict { Translate, GoOn, Eaten };

bool IsMenuOrAcceleratorCommand(UINT nMessage, WPARAM wParam) {
  return nMessage == WM_COMMAND && HIWORD(wParam) <= 1;
}

bool IsStateCancellingMessage(UINT nMessage, WPARAM wParam) {
  return nMessage == WM_SIZE || nMessage == WM_ACTIVATEAPP || nMessage == WM_SYSCOMMAND ||
         IsMenuOrAcceleratorCommand(nMessage, wParam);
}

CPoint CursorPos() {
  CPoint pt(0, 0);
  ::GetCursorPos(&pt);
  return pt;
}

// The hooked-window rules, one object per message.
class MenuBarHookHandler {
public:
  MenuBarHookHandler(CExtMenuControlBar& bar, LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam,
                     LPARAM lParam)
      : m_bar(bar), m_lResult(lResult), m_hWnd(hWnd), m_nMessage(nMessage), m_wParam(wParam),
        m_lParam(lParam), m_pFrame(bar.IsDialogMode() ? NULL : bar.GetDockingFrame()) {}

  HookVerdict Handle() {
    if (m_bar.IsDialogMode()) {
      if (m_hWnd == m_bar.m_hWndHooked)
        return OnFrameMessage();
      return HookVerdict::Translate;
    }
    HWND hWndFrame = m_pFrame->GetSafeHwnd();
    CWnd* pTop = m_pFrame != NULL ? CExtControlBar::FindTopLevelAncestor(m_pFrame) : NULL;
    if (m_hWnd == hWndFrame || (pTop != NULL && m_hWnd == pTop->GetSafeHwnd()))
      return OnFrameMessage();
    if (m_bar.m_hWndHooked != NULL && m_hWnd == m_bar.m_hWndHooked)
      return OnChildMessage();
    if (m_bar.IsMdiMode() && m_hWnd == m_bar.FindMdiClient())
      return OnMdiClientMessage();
    return HookVerdict::Translate;
  }

private:
  bool IsPreview() const { return m_pFrame != NULL && CExtControlBar::IsPrintPreviewActive(m_pFrame); }

  HookVerdict Eat(LRESULT lResult = 0) {
    m_lResult = lResult;
    return HookVerdict::Eaten;
  }

  // Releases a control bar's mouse capture, leaves keyboard-selection mode and ends button menus.
  void CancelBarState(bool bSparedRowResizing) {
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL) {
      CWnd* pCapture = CWnd::FromHandlePermanent(hWndCapture);
      CExtControlBar* pBar = pCapture != NULL && pCapture->IsKindOf(RUNTIME_CLASS(CExtControlBar))
                                 ? static_cast<CExtControlBar*>(pCapture)
                                 : NULL;
      if (hWndCapture == m_bar.GetSafeHwnd() ||
          (pBar != NULL && !(bSparedRowResizing && pBar->IsRowResizing())))
        ::ReleaseCapture();
    }
    m_bar.m_nKeyboardFlags &= ~CExtMenuControlBar::KF_SELECTION_MODE;
    m_bar.UpdateKeyboardHighlight(true);
    CExtToolControlBar::EndMenuTrackingInAllBars();
  }

  HookVerdict OnFrameMessage() {
    if (m_nMessage == WM_PARENTNOTIFY && CExtPopupMenuWnd::AnyMenuTracked())
      return Eat();
    if (IsStateCancellingMessage(m_nMessage, m_wParam)) {
      CancelBarState(false);
      return HookVerdict::GoOn;
    }
    if (!m_bar.IsDialogMode()) {
      const HookVerdict verdict = OnFrameNcMessage();
      if (verdict != HookVerdict::Translate)
        return verdict;
    }
    if (m_nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed) {
      m_bar.m_nKeyboardFlags &= ~CExtMenuControlBar::KF_SYSMENU_SHOWN;
      return HookVerdict::GoOn;
    }
    if (m_nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || m_nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev)
      return MoveAlongRow(m_nMessage == CExtPopupMenuWnd::g_nMsgPopupNext, false);
    if (m_nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded) {
      CExtToolControlBar::g_bMenuExpanded = true;
      return Eat();
    }
    if (!m_bar.IsDialogMode())
      m_bar.DetachFrameMenu();
    return HookVerdict::Translate;
  }

  HookVerdict OnFrameNcMessage() {
    const UINT nHit = (UINT)m_wParam;
    const bool bOpensAtCursor = (m_nMessage == WM_NCRBUTTONUP && (nHit == HTCAPTION || nHit == HTSYSMENU)) ||
                                (m_nMessage == WM_NCRBUTTONDOWN && nHit == HTCAPTION);
    if (bOpensAtCursor || (m_nMessage == WM_NCLBUTTONUP && nHit == HTSYSMENU)) {
      CExtToolControlBar::g_bMenuExpanded = false;
      const CPoint pt = CursorPos();
      const bool bShown = m_bar.TrackFrameSystemMenu(bOpensAtCursor ? &pt : NULL, false);
      return bShown ? Eat() : HookVerdict::GoOn;
    }
    if ((m_nMessage == WM_NCLBUTTONDOWN || m_nMessage == WM_NCRBUTTONDOWN) && nHit == HTSYSMENU) {
      const BYTE nFlags = m_bar.m_nMenuBarFlags;
      const bool bSparedChild = m_hWnd == m_bar.m_hWndHooked &&
                                (nFlags & CExtMenuControlBar::MBF_CHILD_SYSMENU) == 0 && m_bar.IsMdiMode();
      if (!bSparedChild &&
          ((nFlags & CExtMenuControlBar::MBF_FRAME_SYSMENU) != 0 || m_hWnd != m_pFrame->GetSafeHwnd()))
        return Eat();
    }
    return HookVerdict::Translate;
  }

  HookVerdict OnChildMessage() {
    if (m_nMessage == WM_PARENTNOTIFY && CExtPopupMenuWnd::AnyMenuTracked())
      return Eat();
    if (IsStateCancellingMessage(m_nMessage, m_wParam) || m_nMessage == WM_WINDOWPOSCHANGED) {
      CancelBarState(true);
      CExtPopupMenuWnd::CancelAllTracking();
      OnChildFrameChange();
      return HookVerdict::GoOn;
    }
    if (IsPreview())
      return Eat();
    const HookVerdict verdict = OnChildNcMessage();
    if (verdict != HookVerdict::Translate)
      return verdict;
    if (m_nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed) {
      m_bar.m_nKeyboardFlags &= ~CExtMenuControlBar::KF_SYSMENU_SHOWN;
      return Eat();
    }
    if (m_nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || m_nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev)
      return MoveAlongRow(m_nMessage == CExtPopupMenuWnd::g_nMsgPopupNext, true);
    return HookVerdict::Translate;
  }

  // A child that changed its frame (maximised, restored) may need the MDI buttons changed.
  void OnChildFrameChange() {
    const bool bFrameChanged = m_nMessage == WM_WINDOWPOSCHANGED && m_lParam != 0 &&
                               (reinterpret_cast<const WINDOWPOS*>(m_lParam)->flags & SWP_FRAMECHANGED) != 0;
    if (m_nMessage == WM_SIZE || (m_nMessage == WM_WINDOWPOSCHANGED && !bFrameChanged))
      return;
    m_bar.DetachFrameMenu();
    if (!bFrameChanged)
      return;
    const bool bMaximized = ::IsZoomed(m_hWnd) != FALSE;
    const bool bDocButtonShown =
        m_bar.GetButtonCount() > 0 && m_bar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton));
    if (!bMaximized || (!bDocButtonShown && m_bar.IsMdiButtonsEnabled()))
      m_bar.PostDeferredRebuild();
  }

  HookVerdict OnChildNcMessage() {
    const UINT nHit = (UINT)m_wParam;
    const bool bMinimized = ::IsIconic(m_hWnd) != FALSE;
    const bool bRight = m_nMessage == WM_NCRBUTTONUP || m_nMessage == WM_NCRBUTTONDOWN;
    const bool bOpens = (m_nMessage == WM_NCLBUTTONUP && nHit == HTSYSMENU) ||
                        (m_nMessage == WM_NCRBUTTONUP && (nHit == HTCAPTION || nHit == HTSYSMENU)) ||
                        (m_nMessage == WM_NCRBUTTONDOWN && nHit == HTCAPTION) ||
                        (bMinimized && m_nMessage == WM_NCLBUTTONDOWN && nHit == HTCAPTION);
    if (bOpens) {
      CExtToolControlBar::g_bMenuExpanded = false;
      const CPoint pt = CursorPos();
      const bool bShown = m_bar.TrackMdiChildSystemMenu(bRight ? &pt : NULL, false);
      return bShown ? Eat() : HookVerdict::GoOn;
    }
    if (bMinimized && m_nMessage == WM_NCLBUTTONUP && nHit == HTCAPTION)
      return Eat();
    if ((m_nMessage == WM_NCLBUTTONDOWN || m_nMessage == WM_NCRBUTTONDOWN) && nHit == HTSYSMENU &&
        (m_bar.m_nMenuBarFlags & CExtMenuControlBar::MBF_CHILD_SYSMENU) != 0)
      return Eat();
    return HookVerdict::Translate;
  }

  // Right or Left in an open popup where no submenu opens: the next menu along the row, with the
  // frame's and the active child's system menus beyond its ends.
  HookVerdict MoveAlongRow(bool bNext, bool bFromChild) {
    const bool bPreview = IsPreview();
    const BYTE nFlags = m_bar.m_nMenuBarFlags;
    const bool bFrameSysAllowed = (nFlags & CExtMenuControlBar::MBF_FRAME_SYSMENU) != 0;
    const bool bChildSysAllowed = (nFlags & CExtMenuControlBar::MBF_CHILD_SYSMENU) != 0;
    const int nCount = m_bar.GetButtonCount();
    const int nTracked = m_bar.GetTrackedButton();
    bool bMaximized = false;
    const bool bHasChild = m_bar.IsMdiMode() && m_bar.GetActiveMdiChildWnd(bMaximized) != NULL;
    if (nCount == 0)
      return Eat();

    if (CExtToolControlBar::g_bMenuTracking && nTracked < 0) {
      if (bPreview)
        return Eat();
      // A system menu is open.
      if ((m_bar.m_nKeyboardFlags & CExtMenuControlBar::KF_SYSMENU_SHOWN) == 0)
        return Eat();
      if (bFromChild && !bNext) {
        if (m_bar.TrackFrameSystemMenu(NULL, true))
          return Eat();
        if (bFrameSysAllowed)
          return HookVerdict::GoOn;
      } else if (!bFromChild && bNext && bHasChild) {
        if (m_bar.TrackMdiChildSystemMenu(NULL, true))
          return Eat();
        if (bChildSysAllowed)
          return HookVerdict::GoOn;
      }
      // From no button: the first button going right, the last going left.
      RequestButton(m_bar.FindNextVisibleButton(bNext ? nCount - 1 : 0, bNext));
      return Eat();
    }

    const int nTarget = m_bar.FindNextVisibleButton(nTracked, bNext);
    const bool bWrapped = nTracked >= 0 && (bNext ? nTarget <= nTracked : nTarget >= nTracked);
    if (bNext && bWrapped && !m_bar.IsDialogMode()) {
      if (m_bar.TrackFrameSystemMenu(NULL, true))
        return Eat();
      if (bFrameSysAllowed)
        return HookVerdict::GoOn;
    } else if (!bNext && bWrapped && !m_bar.IsDialogMode()) {
      if (bHasChild && !bPreview && m_bar.TrackMdiChildSystemMenu(NULL, true))
        return Eat();
      if (m_bar.TrackFrameSystemMenu(NULL, true))
        return Eat();
      if (bFrameSysAllowed)
        return HookVerdict::GoOn;
    } else if (nTarget == nTracked) {
      return Eat();
    }
    if (!bPreview)
      RequestButton(nTarget);
    return Eat();
  }

  void RequestButton(int nIndex) {
    if (nIndex >= 0)
      m_bar.PostTrackButtonMenu(nIndex, true, false, true);
  }

  HookVerdict OnMdiClientMessage() {
    if (m_nMessage == WM_PARENTNOTIFY && CExtPopupMenuWnd::AnyMenuTracked())
      return Eat();
    switch (m_nMessage) {
    case WM_MDISETMENU:
      return OnMdiSetMenu();
    case WM_MDIREFRESHMENU: {
      const LRESULT lResult = m_bar.CallOriginalProc(m_wParam, m_lParam);
      m_bar.RehookActiveMdiChild();
      m_bar.m_nMenuBarFlags &= ~CExtMenuControlBar::MBF_REHOOK_ARMED;
      return Eat(lResult);
    }
    case WM_CONTEXTMENU:
      if (!CExtControlBar::IsFrameInHelpMode(m_pFrame))
        ShowBarsMenu();
      return Eat();
    case WM_MDIACTIVATE:
    case WM_MDIDESTROY:
    case WM_MDINEXT:
      m_bar.PostDeferredRehook();
      return HookVerdict::GoOn;
    default:
      return HookVerdict::Translate;
    }
  }

  // The bar shows the document's menu; the frame keeps none. Menus handed over here belong to
  // their sender and are only detached, never destroyed.
  HookVerdict OnMdiSetMenu() {
    HMENU hMenuNew = reinterpret_cast<HMENU>(m_wParam);
    HMENU hMenuPrevious = m_bar.m_menuDoc.Detach();
    if (hMenuNew != NULL && ::IsMenu(hMenuNew))
      m_bar.m_menuDoc.Attach(hMenuNew);
    HWND hWndFrame = m_pFrame->GetSafeHwnd();
    if (m_bar.IsOleInPlaceActive()) {
      ::SetMenu(hWndFrame, hMenuNew);
    } else {
      if (::GetMenu(hWndFrame) != NULL)
        ::SetMenu(hWndFrame, NULL);
      m_bar.PostDeferredRebuild();
    }
    const LRESULT lResult = m_bar.CallOriginalProc(m_wParam, m_lParam);
    m_bar.RehookActiveMdiChild();
    m_bar.m_nMenuBarFlags &= ~CExtMenuControlBar::MBF_REHOOK_ARMED;
    return Eat(hMenuPrevious != NULL ? reinterpret_cast<LRESULT>(hMenuPrevious) : lResult);
  }

  void ShowBarsMenu() {
    if (m_pFrame == NULL)
      return;
    std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
    if (!pPopup->InitTopLevel(m_pFrame->GetSafeHwnd()) ||
        !CExtDockBar::BuildBarsContextMenu(m_pFrame, pPopup.get(),
                                           CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_MENUBAR_CONTEXT,
                                           &m_bar, WM_CONTEXTMENU) ||
        pPopup->GetItemCount() == 0)
      return;
    const CPoint pt = CursorPos();
    m_pFrame->SetFocus();
    // The tracking site owns a menu it tracks.
    if (pPopup->RunTrackingLoop(CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS, pt.x, pt.y))
      pPopup.release();
  }

  CExtMenuControlBar& m_bar;
  LRESULT& m_lResult;
  const HWND m_hWnd;
  const UINT m_nMessage;
  const WPARAM m_wParam;
  const LPARAM m_lParam;
  CFrameWnd* const m_pFrame;
};

} // namespace

bool CExtMenuControlBar::OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                         LPARAM& lParam) {
  if (HandleHookedFrameMessage(lResult, hWndHooked, nMessage, wParam, lParam))
    return true;
  return CExtHookSink::OnWindowMessage(lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::HandleHookedFrameMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage,
                                                  WPARAM wParam, LPARAM lParam) {
  if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()) ||
      CWnd::FromHandlePermanent(GetSafeHwnd()) != this || CExtControlBar::GetDraggedBar() != NULL)
    return false;
  const HookVerdict verdict =
      MenuBarHookHandler(*this, lResult, hWndHooked, nMessage, wParam, lParam).Handle();
  if (verdict == HookVerdict::Eaten)
    return true;
  if (verdict == HookVerdict::GoOn)
    return false;
  MSG msg = {};
  msg.hwnd = hWndHooked;
  msg.message = nMessage;
  msg.wParam = wParam;
  msg.lParam = lParam;
  if (!TranslateFrameKeyboard(&msg))
    return false;
  lResult = 0;
  return true;
}
