// The menu bar's system menus and button-menu requests.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <memory>

namespace {

// The popup's alignment codes used when the caller gives none: below-left, or below-right for a
// right-to-left window.
const DWORD kAlignDefault = 4;
const DWORD kAlignRightToLeft = 3;

bool IsLayoutRtl(HWND hWnd) { return (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0; }

// The frame's or the child's system menu; the keyboard flags remember whether it showed.
bool TrackOwnSystemMenu(CExtMenuControlBar& bar, CWnd* pWnd, const POINT* pPoint, bool bSelectFirst) {
  CExtToolControlBar::g_bMenuTracking = true;
  bar.SetTrackedButton(-1);
  const bool bShown = bar.TrackWindowSystemMenu(pWnd, pPoint, bSelectFirst);
  if (bShown)
    bar.m_nKeyboardFlags |= CExtMenuControlBar::KF_SYSMENU_SHOWN;
  else
    bar.m_nKeyboardFlags &= ~CExtMenuControlBar::KF_SYSMENU_SHOWN;
  return bShown;
}

} // namespace

bool CExtMenuControlBar::TrackWindowSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst,
                                               const RECT* prcExclude, DWORD dwTrackFlags, bool bCombined) {
  UpdateKeyboardHighlight(true);
  const bool bWasTracking = g_bMenuTracking;
  const int nWasTrackedButton = GetTrackedButton();
  EndMenuTrackingInAllBars();
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == NULL || !::IsWindow(hWnd))
    return false;
  CMenu* pSysMenu = pWnd->GetSystemMenu(FALSE);
  if (pSysMenu == NULL || pSysMenu->GetSafeHmenu() == NULL)
    return false;
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->BuildFromMenuHandle(hWnd, pSysMenu, false, true))
    return false;

  const bool bRtl = IsLayoutRtl(hWnd);
  CPoint pt;
  if (pPoint != NULL) {
    pt = *pPoint;
  } else {
    // The top edge of the client area, inside the sizing frame.
    CRect rcWnd;
    ::GetWindowRect(hWnd, &rcWnd);
    CPoint ptClient(0, 0);
    ::ClientToScreen(hWnd, &ptClient);
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    pt.x = bRtl ? rcWnd.right - cxFrame : rcWnd.left + cxFrame;
    pt.y = ptClient.y;
  }

  DWORD dwFlags = dwTrackFlags == (DWORD)-1 ? 0 : dwTrackFlags;
  if ((dwFlags & CExtPopupMenuWnd::TPMX_ALIGN_MASK) == 0)
    dwFlags |= bRtl ? kAlignRightToLeft : kAlignDefault;
  if (bSelectFirst)
    dwFlags |= CExtPopupMenuWnd::TPMX_SELECT_FIRST;
  if (nWasTrackedButton >= 0)
    dwFlags |= CExtPopupMenuWnd::TPMX_SHOW_ALL;
  if (bCombined)
    dwFlags |= CExtPopupMenuWnd::TPMX_COMBINE_BY_THEME;
  dwFlags |= CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS;

  ::SetFocus(hWnd);
  g_bMenuTracking = bSelectFirst ? bWasTracking : false;
  if (nWasTrackedButton >= 0)
    SetTrackedButton(nWasTrackedButton);

  CWnd* pNotify = m_pDockSite != NULL ? static_cast<CWnd*>(m_pDockSite) : GetParent();
  if (pNotify->GetSafeHwnd() != NULL)
    pNotify->SendMessage(g_nMsgPrepareSystemMenu, (WPARAM)pPopup.get(), (LPARAM)hWnd);

  if (bRtl && pPoint == NULL && !bCombined)
    pt.x += pPopup->MeasureMenu().cx;

  const RECT rcAtPoint = {pt.x, pt.y, pt.x, pt.y};
  const RECT* prcKeepClear = prcExclude != NULL ? prcExclude : &rcAtPoint;
  const bool bShown = bCombined ? pPopup->RunTrackingLoop(dwFlags, pt.x, pt.y, prcKeepClear, this,
                                                          &CExtToolControlBar::PaintTrackedButtonOnPopup)
                                : pPopup->RunTrackingLoop(dwFlags, pt.x, pt.y, prcKeepClear);
  if (!bShown) {
    EndMenuTrackingInAllBars();
    return false;
  }
  // The tracking site owns the popup from here on.
  pPopup.release();
  g_bMenuTracking = true;
  return true;
}

bool CExtMenuControlBar::TrackFrameSystemMenu(const POINT* pPoint, bool bSelectFirst) {
  if ((m_nMenuBarFlags & MBF_FRAME_SYSMENU) == 0)
    return false;
  CWnd* pFrame = IsDialogMode() ? GetParent() : static_cast<CWnd*>(GetDockingFrame());
  CWnd* pTop = pFrame != NULL ? FindTopLevelAncestor(pFrame) : NULL;
  if (pTop == NULL)
    return false;
  return TrackOwnSystemMenu(*this, pTop, pPoint, bSelectFirst);
}

bool CExtMenuControlBar::TrackMdiChildSystemMenu(const POINT* pPoint, bool bSelectFirst) {
  if ((m_nMenuBarFlags & MBF_CHILD_SYSMENU) == 0 || !IsMdiMode())
    return false;
  if (GetButtonCount() > 0 && GetButton(0) != NULL &&
      GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton))) {
    // The document button carries the child's system menu and opens it in its place.
    if (!CExtPopupMenuWnd::AnyMenuTracked()) {
      HWND hWndFocus = ::GetFocus();
      if (hWndFocus != NULL)
        ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
    }
    return PostTrackButtonMenu(0, bSelectFirst, false, true);
  }
  bool bMaximized = false;
  CWnd* pChild = CWnd::FromHandlePermanent(GetActiveMdiChildWnd(bMaximized));
  if (pChild == NULL)
    return false;
  return TrackOwnSystemMenu(*this, pChild, pPoint, bSelectFirst);
}

bool CExtMenuControlBar::PostTrackButtonMenu(int nIndex, bool bSelectFirst, bool bDelayed,
                                             bool bFromKeyboard) {
  if (g_bMenuTracking && nIndex == GetTrackedButton())
    return true;
  if (GetSafeHwnd() == NULL || !IsWindowVisible())
    return false;
  m_nKeyboardFlags &= ~KF_SELECTION_MODE;
  UpdateKeyboardHighlight(true);
  return PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, bFromKeyboard ? 1 : 0) != FALSE;
}

bool CExtMenuControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bDelayed, bool bForceNoAnimation) {
  return PostTrackButtonMenu(nIndex, bSelectAny, bDelayed, bForceNoAnimation);
}

LRESULT CExtMenuControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam) {
  CWnd* pTest = NULL;
  if (IsDialogMode()) {
    pTest = GetOwner();
    if (pTest == NULL)
      pTest = GetParent();
  } else {
    pTest = GetDockingFrame();
  }
  if (pTest->GetSafeHwnd() == NULL || !pTest->IsWindowEnabled() || GetButtonCount() == 0)
    return 0;
  const int nIndex = (int)wParam;
  if (nIndex < 0 || nIndex >= GetButtonCount()) {
    m_nKeyboardFlags &= ~KF_SELECTION_MODE;
    UpdateKeyboardHighlight(true);
    EndMenuTrackingInAllBars();
    return 0;
  }
  CExtBarButton* pButton = GetButton(nIndex);
  const bool bCanOpen =
      pButton != NULL && (pButton->GetMenu() != NULL || pButton == static_cast<CExtBarButton*>(GetChevron()));
  if (bCanOpen && CExtPopupMenuWnd::AnyMenuTracked()) {
    // Moving from one open menu to the next keeps a menu open.
    CExtToolControlBar::TrackButtonMenu(nIndex, true, false, lParam != 0);
    return 0;
  }
  const bool bWasSelecting = IsKeyboardSelectionMode();
  EndMenuTrackingInAllBars();
  if (::GetCapture() == GetSafeHwnd())
    ::ReleaseCapture();
  if (!bWasSelecting) {
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL)
      ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
  }
  m_nKeyboardFlags |= KF_SELECTION_MODE;
  m_nFlatTrackingIndex = nIndex;
  UpdateKeyboardHighlight(true);
  return 0;
}
