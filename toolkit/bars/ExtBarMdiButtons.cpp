// The MDI document and right buttons of the menu bar.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

namespace {

const UINT kIdsActiveDocument = 30003;

// One box of the right-button group: its rectangle in the record, its command and its tip.
struct RightBox {
  CRect MdiRightButtonsInfo::*rect;
  UINT nSysCommand;
  UINT nTipId;
  LPCSTR lpszTipDefault;
};

// The placement order, which is also the painting and hit-testing order.
const RightBox kRightBoxes[] = {
    {&MdiRightButtonsInfo::m_rcHelp, SC_CONTEXTHELP, 57669, ""},
    {&MdiRightButtonsInfo::m_rcMinimize, SC_MINIMIZE, 61186, "Reduce the window to an icon"},
    {&MdiRightButtonsInfo::m_rcRestore, SC_RESTORE, 61202, "Restore the window to normal size"},
    {&MdiRightButtonsInfo::m_rcLoneMaximize, SC_MAXIMIZE, 61187, "Enlarge the window to full size"},
    {&MdiRightButtonsInfo::m_rcClose, SC_CLOSE, 61190,
     "Close the active window and prompts to save the documents"},
};

// The system menu's SC_CLOSE item exists and can be chosen.
bool IsCloseEnabled(HWND hWnd) {
  HMENU hSysMenu = hWnd != NULL ? ::GetSystemMenu(hWnd, FALSE) : NULL;
  if (hSysMenu == NULL)
    return false;
  const UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
  return nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) == 0;
}

} // namespace

// --- document button --------------------------------------------------------------------------------

CExtBarMdiDocButton::CExtBarMdiDocButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : CExtBarButton(pBar, nCmdID, nStyle & ~TBBS_DISABLED), m_hWndActiveMdiChild(NULL),
      m_nDocFlags(DF_DBLCLK_CLOSES) {}

// The caption buttons of a child are always usable: the disabled bit never sticks.
UINT CExtBarMdiDocButton::GetStyle() const { return CExtBarButton::GetStyle() & ~TBBS_DISABLED; }

void CExtBarMdiDocButton::SetStyle(UINT nStyle) { CExtBarButton::SetStyle(nStyle & ~TBBS_DISABLED); }

void CExtBarMdiDocButton::ModifyStyle(UINT nAdd, UINT nRemove) {
  CExtBarButton::ModifyStyle(nAdd & ~TBBS_DISABLED, nRemove | TBBS_DISABLED);
}

CSize CExtBarMdiDocButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) {
  CExtCmdIcon* pIcon = GetIconPtr();
  const CSize sizeIcon = pIcon != NULL ? CSize(pIcon->GetSize()) : CSize(16, 16);
  m_size = CSize(sizeIcon.cx + 3, sizeIcon.cy + 3);
  return m_size;
}

bool CExtBarMdiDocButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) {
  HWND hWndChild = GetActiveMdiChild();
  if (pPopup == NULL || hWndChild == NULL)
    return false;
  CString sText;
  if (!g_ResourceManagerHolder->LoadString(sText, kIdsActiveDocument))
    sText = "Active document";
  if (!pPopup->InsertItem(CExtPopupMenuWnd::ID_SUBMENU, -1, sText, GetIconPtr()))
    return false;
  CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(pPopup->GetItemCount() - 1);
  HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
  if (pSub != NULL && hSysMenu != NULL)
    pSub->BuildFromMenuHandle(hWndChild, CMenu::FromHandle(hSysMenu), false, false);
  return pPopup->InsertItem(0);
}

CExtCmdIcon* CExtBarMdiDocButton::GetIconPtr() {
  if (m_hWndActiveMdiChild != NULL && ::IsWindow(m_hWndActiveMdiChild) && !m_icon.IsEmpty())
    return &m_icon;
  if (m_hWndActiveMdiChild != NULL && !::IsWindow(m_hWndActiveMdiChild))
    m_hWndActiveMdiChild = NULL;
  m_hWndActiveMdiChild = GetActiveMdiChild();
  QueryChildIcon(m_hWndActiveMdiChild, m_icon);
  return m_icon.IsEmpty() ? NULL : &m_icon;
}

CWnd* CExtBarMdiDocButton::GetCmdTargetWnd() {
  HWND hWndChild = GetActiveMdiChild();
  return hWndChild != NULL ? CWnd::FromHandle(hWndChild) : NULL;
}

UINT CExtBarMdiDocButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) {
  CExtToolControlBar* pBar = GetBar();
  if (pBar == NULL || pBar->IsBarInteractionSuspended())
    return (UINT)-1;
  CExtMenuControlBar* pMenuBar = GetMenuBar();
  if (pMenuBar == NULL)
    return CExtBarButton::OnTrackPopup(point, bSelectAny, bForceNoAnimation);
  const int nIndex = pBar->GetButtonIndex(this);
  if (CExtToolControlBar::g_bMenuTracking && pBar->GetTrackedButton() == nIndex)
    return (UINT)-1;
  CExtToolControlBar::EndMenuTrackingInAllBars();
  if (pBar->IsFloating()) {
    CFrameWnd* pMiniFrame = pBar->GetParentFrame();
    if (pMiniFrame != NULL)
      pMiniFrame->BringWindowToTop();
  }
  HWND hWndChild = GetActiveMdiChild();
  if (hWndChild == NULL)
    return (UINT)-1;
  const bool bChildRtl = (::GetWindowLongA(hWndChild, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
  DWORD dwTrackFlags = 4;
  if (pBar->IsDockedAtLeft())
    dwTrackFlags = bChildRtl ? 3 : 1;
  else if (pBar->IsDockedAtRight())
    dwTrackFlags = bChildRtl ? 1 : 3;
  else if (pBar->IsDockedAtBottom())
    dwTrackFlags = 6;
  if (bForceNoAnimation)
    dwTrackFlags |= CExtPopupMenuWnd::TPMX_NO_ANIMATION;
  CRect rcButton = GetRect();
  pBar->ClientToScreen(&rcButton);
  const CPoint ptCenter = rcButton.CenterPoint();
  const bool bShown = pMenuBar->TrackWindowSystemMenu(CWnd::FromHandle(hWndChild), &ptCenter, true, &rcButton,
                                                      dwTrackFlags, !IsDblClickCloses());
  if (bShown) {
    pMenuBar->m_nKeyboardFlags |= CExtMenuControlBar::KF_SYSMENU_SHOWN;
    // Only a menu that is really open counts as tracked.
    CExtToolControlBar::g_bMenuTracking = true;
  } else {
    pMenuBar->m_nKeyboardFlags &= ~CExtMenuControlBar::KF_SYSMENU_SHOWN;
  }
  return (UINT)-1;
}

bool CExtBarMdiDocButton::OnDblClick(CPoint point) {
  if (!IsDblClickCloses())
    return false;
  HWND hWndChild = GetActiveMdiChild();
  if (!IsDisabled() && IsCloseEnabled(hWndChild)) {
    POINT ptCursor = {0, 0};
    ::GetCursorPos(&ptCursor);
    ::PostMessageA(hWndChild, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(ptCursor.x, ptCursor.y));
  }
  return true;
}

void CExtBarMdiDocButton::QueryChildIcon(HWND hWndChild, CExtCmdIcon& icon) {
  icon.Empty();
  if (hWndChild == NULL || !::IsWindow(hWndChild))
    return;
  HICON hIcon = (HICON)::SendMessageA(hWndChild, CExtControlBar::g_nMsgQueryIcon, 0, 0);
  if (hIcon == NULL)
    hIcon = (HICON)::SendMessageA(hWndChild, WM_GETICON, ICON_SMALL, 0);
  if (hIcon == NULL)
    hIcon = (HICON)::SendMessageA(hWndChild, WM_GETICON, ICON_BIG, 0);
  if (hIcon == NULL)
    hIcon = (HICON)::GetClassLongPtrA(hWndChild, GCLP_HICONSM);
  if (hIcon == NULL)
    hIcon = (HICON)::GetClassLongPtrA(hWndChild, GCLP_HICON);
  if (hIcon == NULL)
    return;
  HICON hIcon16 = (HICON)::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0);
  if (hIcon16 != NULL)
    icon.AssignFromHIcon(hIcon16, false);
}

HWND CExtBarMdiDocButton::GetActiveMdiChild() const {
  if (m_hWndActiveMdiChild != NULL && ::IsWindow(m_hWndActiveMdiChild))
    return m_hWndActiveMdiChild;
  CExtMenuControlBar* pMenuBar = GetMenuBar();
  if (pMenuBar == NULL)
    return NULL;
  bool bMaximized = false;
  return pMenuBar->GetActiveMdiChildWnd(bMaximized);
}

void CExtBarMdiDocButton::SetActiveMdiChild(HWND hWnd) {
  m_hWndActiveMdiChild = hWnd;
  m_icon.Empty();
}

CExtMenuControlBar* CExtBarMdiDocButton::GetMenuBar() const {
  CExtToolControlBar* pBar = GetBar();
  return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar))
             ? static_cast<CExtMenuControlBar*>(pBar)
             : NULL;
}

// --- right button -----------------------------------------------------------------------------------

CExtBarMdiRightButton::CExtBarMdiRightButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : CExtBarMdiDocButton(pBar, nCmdID, nStyle) {}

CSize CExtBarMdiRightButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) {
  MdiRightButtonsInfo info;
  CExtMenuControlBar* pMenuBar = GetMenuBar();
  if (pMenuBar == NULL || !pMenuBar->GetMdiRightButtonsInfo(this, info, bHorz)) {
    m_size = CSize(1, 1);
    return m_size;
  }
  m_size = CSize(info.m_cxGroup, info.m_cyGroup);
  if (bHorz)
    m_size.cy = std::max(m_size.cy, sizePreCalc.cy);
  else
    m_size.cx = std::max(m_size.cx, sizePreCalc.cx);
  return m_size;
}

bool CExtBarMdiRightButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) {
  MdiRightButtonsInfo info;
  CExtMenuControlBar* pMenuBar = GetMenuBar();
  if (pPopup == NULL || pMenuBar == NULL || !pMenuBar->GetMdiRightButtonsInfo(this, info, true))
    return false;
  const int nCount = pPopup->GetItemCount();
  if (nCount > 0 && pPopup->ItemGetCmdID(nCount - 1) != 0)
    pPopup->InsertItem(0);
  HWND hWndChild = info.m_pWndMdiChild->GetSafeHwnd();
  const BYTE nFlags = info.m_nFlags;
  if (nFlags & MdiRightButtonsInfo::F_HELP)
    pPopup->InsertItem(SC_CONTEXTHELP, -1, NULL, NULL, hWndChild);
  if (nFlags & MdiRightButtonsInfo::F_MINIMIZE) {
    pPopup->InsertItem(SC_MINIMIZE, -1, NULL, NULL, hWndChild);
    pPopup->InsertItem(SC_RESTORE, -1, NULL, NULL, hWndChild);
  }
  if (nFlags & MdiRightButtonsInfo::F_MAXIMIZE)
    pPopup->InsertItem((nFlags & MdiRightButtonsInfo::F_MINIMIZE) ? SC_MAXIMIZE : SC_RESTORE, -1, NULL, NULL,
                       hWndChild);
  if (nFlags & MdiRightButtonsInfo::F_CLOSE)
    pPopup->InsertItem(SC_CLOSE, -1, NULL, NULL, hWndChild);
  return true;
}

void CExtBarMdiRightButton::Paint(CDC& dc, bool bHorz) {
  MdiRightButtonsInfo info;
  CExtMenuControlBar* pMenuBar = GetMenuBar();
  if (pMenuBar == NULL || !pMenuBar->GetMdiRightButtonsInfo(this, info, bHorz))
    return;
  CalcButtonRects(info, GetRect(), bHorz);
  CPoint ptCursor(0, 0);
  ::GetCursorPos(&ptCursor);
  pMenuBar->ScreenToClient(&ptCursor);
  const bool bEnabled = !IsDisabled();
  for (const RightBox& box : kRightBoxes) {
    const CRect& rc = info.*box.rect;
    if (rc.IsRectEmpty())
      continue;
    const bool bInside = rc.PtInRect(ptCursor) != FALSE;
    const bool bHover = IsHover() && bInside;
    const bool bPushed = IsPressed() && bInside;
    const bool bFlat = !(bEnabled && (bHover || bPushed));
    PushButtonPaintData pbpd(this, bHorz, rc, "", NULL, bFlat, bHover, bPushed, false, bEnabled, true, false,
                             false, 0, NULL, false, box.nSysCommand, false);
    g_PaintManagerHolder->PaintPushButton(dc, pbpd);
  }
}

UINT CExtBarMdiRightButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) {
  return (UINT)-1;
}

void CExtBarMdiRightButton::OnClick(CPoint point, bool bDown) {
  CExtToolControlBar* pBar = GetBar();
  if (pBar == NULL || pBar->IsBarInteractionSuspended() || bDown)
    return;
  MdiRightButtonsInfo info;
  const UINT nCommand = HitTestBox(point, info);
  if (nCommand == 0)
    return;
  HWND hWndChild = info.m_pWndMdiChild->GetSafeHwnd();
  if (nCommand == SC_MAXIMIZE) {
    ::SendMessageA(::GetParent(hWndChild), WM_MDIRESTORE, (WPARAM)hWndChild, 0);
  } else {
    CPoint ptScreen = point;
    pBar->ClientToScreen(&ptScreen);
    ::PostMessageA(hWndChild, WM_SYSCOMMAND, nCommand, MAKELPARAM(ptScreen.x, ptScreen.y));
  }
  if (nCommand == SC_RESTORE || nCommand == SC_MINIMIZE) {
    // The child leaves its maximised state: its caption buttons go at once, before the rebuild.
    SetVisible(false);
    CExtBarMdiDocButton* pDoc = GetMenuBar() != NULL ? GetMenuBar()->FindMdiDocButton() : NULL;
    if (pDoc != NULL && pDoc->IsVisible())
      pDoc->SetVisible(false);
  }
}

INT_PTR CExtBarMdiRightButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) {
  MdiRightButtonsInfo info;
  const UINT nCommand = HitTestBox(point, info);
  for (const RightBox& box : kRightBoxes) {
    if (box.nSysCommand != nCommand || nCommand == 0)
      continue;
    if (pTI != NULL) {
      CString sText;
      if (!g_ResourceManagerHolder->LoadString(sText, box.nTipId))
        sText = box.lpszTipDefault;
      const int nLineFeed = sText.Find('\n');
      if (nLineFeed >= 0)
        sText = sText.Mid(nLineFeed + 1);
      pTI->hwnd = GetBarSafeHwnd();
      pTI->uId = box.nTipId;
      pTI->rect = info.*box.rect;
      pTI->lpszText = ::strdup(sText);
    }
    return (INT_PTR)box.nTipId;
  }
  return -1;
}

int CExtBarMdiRightButton::OnHelpHitTest(CPoint point) { return (int)OnToolHitTest(point, NULL); }

void CExtBarMdiRightButton::CalcButtonRects(MdiRightButtonsInfo& info, const RECT& rcGroup, bool bHorz) {
  for (const RightBox& box : kRightBoxes)
    (info.*box.rect).SetRectEmpty();
  const CRect rc(rcGroup);
  if (rc.IsRectEmpty())
    return;
  const int cx = info.m_cxButton, cy = info.m_cyButton;
  CRect rcBox = bHorz ? CRect(CPoint(rc.left + 2, rc.top + (rc.Height() - cy) / 2), CSize(cx, cy))
                      : CRect(CPoint(rc.left + (rc.Width() - cx) / 2, rc.top + 2), CSize(cx, cy));
  const CSize step = bHorz ? CSize(cx + 2, 0) : CSize(0, cy + 2);
  auto place = [&](CRect& rcOut) {
    rcOut = rcBox;
    rcBox.OffsetRect(step);
  };
  if (info.m_nFlags & MdiRightButtonsInfo::F_HELP)
    place(info.m_rcHelp);
  if (info.m_nFlags & MdiRightButtonsInfo::F_MINIMIZE) {
    place(info.m_rcMinimize);
    place(info.m_rcRestore);
  } else if (info.m_nFlags & MdiRightButtonsInfo::F_MAXIMIZE) {
    place(info.m_rcLoneMaximize);
  }
  if (info.m_nFlags & MdiRightButtonsInfo::F_CLOSE)
    place(info.m_rcClose);
}

UINT CExtBarMdiRightButton::HitTestBox(CPoint point, MdiRightButtonsInfo& info) {
  CExtMenuControlBar* pMenuBar = GetMenuBar();
  const bool bHorz = !IsVerticalLayout();
  if (pMenuBar == NULL || !pMenuBar->GetMdiRightButtonsInfo(this, info, bHorz))
    return 0;
  CalcButtonRects(info, GetRect(), bHorz);
  for (const RightBox& box : kRightBoxes) {
    if ((info.*box.rect).PtInRect(point))
      return box.nSysCommand;
  }
  return 0;
}
