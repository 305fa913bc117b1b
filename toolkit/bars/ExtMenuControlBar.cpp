// The menu bar: creation, rebuild from the menu, MDI buttons, deferred work.
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

BEGIN_MESSAGE_MAP(CExtMenuControlBar, CExtToolControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

namespace {

const UINT kMenuTextBufferSize = 1024;

bool IsMdiDocButtonAt(const CExtToolControlBar& bar, int nIndex) {
  if (nIndex < 0 || nIndex >= bar.GetButtonCount())
    return false;
  CExtBarButton* pButton = bar.GetButton(nIndex);
  return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
         !pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
}

bool IsMdiRightButtonAt(const CExtToolControlBar& bar, int nIndex) {
  if (nIndex < 0 || nIndex >= bar.GetButtonCount())
    return false;
  CExtBarButton* pButton = bar.GetButton(nIndex);
  return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
}

} // namespace

CExtMenuControlBar::CExtMenuControlBar()
    : CExtHookSink(true), m_nMdiButtonsCmdId(0), m_hWndHooked(NULL), m_nKeyboardFlags(0),
      m_nFlatTrackingIndex(-1), m_nOldTrackingIndex(-1), m_nMenuBarFlags(0xF2), m_bFrameMenuLoaded(false) {}

CExtMenuControlBar::~CExtMenuControlBar() { ReleaseMenus(); }

void CExtMenuControlBar::ReleaseMenus() {
  // Menus taken from the frame or handed over by the MDI client stay their owners'; only a menu the
  // bar loaded itself is destroyed here.
  m_menuDoc.Detach();
  HMENU hMenuFrame = m_menuFrame.Detach();
  if (m_bFrameMenuLoaded && hMenuFrame != NULL)
    ::DestroyMenu(hMenuFrame);
  m_bFrameMenuLoaded = false;
}

CString CExtMenuControlBar::CleanMenuName(LPCSTR lpszName) {
  CString sName = lpszName != NULL ? lpszName : "";
  sName.Trim();
  while (sName.Find('&') >= 0) {
    sName.Remove('&');
    sName.Trim();
  }
  return sName;
}

LPCSTR CExtMenuControlBar::GetBarProfileName() const {
  return g_CmdManagerHolder->GetProfileNameForWindow(GetSafeHwnd());
}

bool CExtMenuControlBar::GetMdiRightButtonsInfo(CExtBarMdiRightButton* pButton, MdiRightButtonsInfo& info,
                                                bool bHorz) {
  info = MdiRightButtonsInfo();
  info.m_pBar = this;
  CWnd* pChild = pButton != NULL ? pButton->GetCmdTargetWnd() : NULL;
  if (pChild == NULL || pChild->GetSafeHwnd() == NULL)
    return false;
  info.m_pWndMdiChild = pChild;
  if (g_PaintManagerHolder->IsThemedDrawingAvailable()) {
    const int nSize =
        std::max(std::max(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 18);
    info.m_cxButton = info.m_cyButton = nSize;
  } else {
    info.m_cxButton = ::GetSystemMetrics(SM_CXSIZE);
    info.m_cyButton = ::GetSystemMetrics(SM_CYSIZE);
  }
  info.m_cxButton -= 2;
  info.m_cyButton -= 2;

  HWND hChild = pChild->GetSafeHwnd();
  const DWORD dwStyle = (DWORD)::GetWindowLongA(hChild, GWL_STYLE);
  const DWORD dwExStyle = (DWORD)::GetWindowLongA(hChild, GWL_EXSTYLE);
  HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
  if (hSysMenu != NULL) {
    const UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
    if (nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) == 0)
      info.m_nFlags |= MdiRightButtonsInfo::F_CLOSE;
  }
  if (dwStyle & WS_MAXIMIZEBOX)
    info.m_nFlags |= MdiRightButtonsInfo::F_MAXIMIZE;
  if (dwStyle & WS_MINIMIZEBOX)
    info.m_nFlags |= MdiRightButtonsInfo::F_MINIMIZE;
  if ((dwStyle & WS_MAXIMIZEBOX) && (dwExStyle & WS_EX_CONTEXTHELP))
    info.m_nFlags |= MdiRightButtonsInfo::F_HELP;

  // Along the bar: 2 pixels in front, each box its extent plus 2; across: one box plus 2.
  const int nStep = bHorz ? info.m_cxButton : info.m_cyButton;
  int nLength = 2;
  if (info.m_nFlags & MdiRightButtonsInfo::F_MINIMIZE)
    nLength = 2 * nStep + 6;
  else if (info.m_nFlags & MdiRightButtonsInfo::F_MAXIMIZE)
    nLength += nStep + 2;
  if (info.m_nFlags & MdiRightButtonsInfo::F_HELP)
    nLength += nStep + 2;
  if (info.m_nFlags & MdiRightButtonsInfo::F_CLOSE)
    nLength += nStep + 2;
  if (bHorz) {
    info.m_cxGroup = nLength;
    info.m_cyGroup = info.m_cyButton + 2;
  } else {
    info.m_cxGroup = info.m_cxButton + 2;
    info.m_cyGroup = nLength;
  }
  info.m_nFlags |= MdiRightButtonsInfo::F_FILLED;
  return true;
}

HMENU CExtMenuControlBar::GetMenuInUse() const {
  if (m_menuDoc.GetSafeHmenu() != NULL)
    return m_menuDoc.GetSafeHmenu();
  return m_menuFrame.GetSafeHmenu();
}

HWND CExtMenuControlBar::GetActiveMdiChildWnd(bool& bMaximized) const {
  bMaximized = false;
  if (!IsMdiMode())
    return NULL;
  CFrameWnd* pFrame = GetDockingFrame();
  CMDIFrameWnd* pMdiFrame = pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                                ? static_cast<CMDIFrameWnd*>(pFrame)
                                : NULL;
  HWND hWndClient = pMdiFrame != NULL ? pMdiFrame->m_hWndMDIClient : FindMdiClient();
  if (hWndClient == NULL || !::IsWindow(hWndClient))
    return NULL;
  BOOL bZoomed = FALSE;
  HWND hWndChild = (HWND)::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0, (LPARAM)&bZoomed);
  if (hWndChild == NULL)
    return NULL;
  bool bMustBeVisible = true;
  if (pMdiFrame != NULL) {
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    const bool bPseudoInactive = pChild != NULL && pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
                                 static_cast<CMDIChildWnd*>(pChild)->m_bPseudoInactive;
    bMustBeVisible = bPseudoInactive;
  }
  if (bMustBeVisible && (::GetWindowLongA(hWndChild, GWL_STYLE) & WS_VISIBLE) == 0)
    return NULL;
  bMaximized = bZoomed != FALSE;
  return hWndChild;
}

void CExtMenuControlBar::RehookActiveMdiChild() {
  if (IsDialogMode() || CExtControlBar::GetDraggedBar() != NULL || GetSafeHwnd() == NULL ||
      !IsWindowVisible())
    return;
  bool bMaximized = false;
  HWND hWndChild = GetActiveMdiChildWnd(bMaximized);
  if (hWndChild == m_hWndHooked)
    return;
  if (m_hWndHooked != NULL && ::IsWindow(m_hWndHooked))
    HookWindow(m_hWndHooked, true);
  m_hWndHooked = hWndChild;
  if (hWndChild != NULL)
    HookWindow(hWndChild);
  RecalcParentFrameLayout();
}

bool CExtMenuControlBar::InsertMenuItemButton(HMENU hMenu, int nItem, LPCSTR lpszProfile) {
  char szText[kMenuTextBufferSize] = "";
  MENUITEMINFOA mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
  mii.dwTypeData = szText;
  mii.cch = kMenuTextBufferSize - 1;
  if (!::GetMenuItemInfoA(hMenu, nItem, TRUE, &mii))
    return false;
  const bool bTextItem = (mii.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) == 0;
  const CString sText = bTextItem ? szText : "";
  // A mirrored row inserts every item at the front.
  const int nPos = IsInsertRightToLeft() ? 0 : GetButtonCount();

  CExtCmdItem* pCmdItem = NULL;
  bool bWindowList = false;
  if (mii.hSubMenu != NULL) {
    // The submenu's button gets a command of its own, dropped again by the next rebuild.
    pCmdItem = g_CmdManagerHolder->AllocCommand(lpszProfile, 0);
    if (pCmdItem == NULL)
      return false;
    pCmdItem->SetStateBit40(true);
    pCmdItem->SetBasic(true);
    bWindowList =
        IsMdiMode() && !m_strMdiWindowPopupName.IsEmpty() && CleanMenuName(sText) == m_strMdiWindowPopupName;
  } else {
    if (mii.wID == 0)
      return InsertButton(nPos, 0, false);
    pCmdItem = g_CmdManagerHolder->FindCommand(lpszProfile, mii.wID);
    // A command the profile does not know yet is registered so that its button has a text.
    if (pCmdItem == NULL)
      pCmdItem = g_CmdManagerHolder->AllocCommand(lpszProfile, mii.wID);
    if (pCmdItem == NULL)
      return false;
  }
  if (pCmdItem->m_sMenuText.IsEmpty())
    pCmdItem->m_sMenuText = sText;
  if (pCmdItem->m_sToolbarText.IsEmpty())
    pCmdItem->m_sToolbarText = sText;
  if (!InsertButton(nPos, pCmdItem->m_nCmdId, false))
    return false;
  if (mii.hSubMenu != NULL) {
    SetButtonMenu(nPos, mii.hSubMenu, false, false, false);
    if (bWindowList)
      SetButtonAppendMdiWindowsMenu(nPos, true);
  }
  return true;
}

bool CExtMenuControlBar::RebuildMenuButtons(bool bRecalc) {
  if (GetSafeHwnd() == NULL)
    return false;
  SetButtons(NULL, 0);
  LPCSTR lpszProfile = GetBarProfileName();
  g_CmdManagerHolder->RemoveCommandsByState(lpszProfile, 0x40, 0, false, false);

  HMENU hMenu = GetMenuInUse();
  if (hMenu != NULL) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nItem = 0; nItem < nCount; ++nItem) {
      if (!InsertMenuItemButton(hMenu, nItem, lpszProfile))
        return false;
    }
  }

  if (m_pRightBtn == NULL) {
    CExtBarContentExpandButton* pChevron = CreateContentExpandButton();
    if (pChevron != NULL) {
      if (InsertSpecButton(-1, pChevron, false))
        m_pRightBtn = pChevron;
      else
        delete pChevron;
    }
  }

  if (IsMdiMode()) {
    if (!IsOleInPlaceActive() && SyncMdiButtons(false))
      bRecalc = true;
    RehookActiveMdiChild();
  }

  if (bRecalc) {
    Invalidate();
    RecalcParentFrameLayout();
    UpdateWindow();
    if (IsFloating()) {
      CFrameWnd* pMiniFrame = GetParentFrame();
      if (pMiniFrame != NULL && pMiniFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
        pMiniFrame->SetWindowPos(NULL, 0, 0, 0, 0,
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                                     SWP_NOOWNERZORDER);
    }
  }
  return true;
}

CExtBarMdiRightButton* CExtMenuControlBar::FindMdiRightButton() const {
  const int nCount = GetButtonCount();
  if (IsMdiRightButtonAt(*this, nCount - 1))
    return static_cast<CExtBarMdiRightButton*>(GetButton(nCount - 1));
  if (nCount > 1 && (m_nMenuBarFlags & MBF_NO_CHEVRON) == 0 && IsMdiRightButtonAt(*this, nCount - 2))
    return static_cast<CExtBarMdiRightButton*>(GetButton(nCount - 2));
  return NULL;
}

CExtBarMdiDocButton* CExtMenuControlBar::FindMdiDocButton() const {
  return IsMdiDocButtonAt(*this, 0) ? static_cast<CExtBarMdiDocButton*>(GetButton(0)) : NULL;
}

bool CExtMenuControlBar::SyncMdiButtons(bool bRecalc) {
  if (!IsMdiButtonsEnabled()) {
    if (bRecalc)
      RecalcParentFrameLayout();
    return true;
  }
  if (CExtControlBar::GetDraggedBar() != NULL)
    return false;
  bool bMaximized = false;
  HWND hWndChild = GetActiveMdiChildWnd(bMaximized);
  CExtBarMdiRightButton* pRight = FindMdiRightButton();
  CExtBarMdiDocButton* pDoc = FindMdiDocButton();
  bool bChanged = false;

  if (hWndChild == NULL || !bMaximized) {
    // No child, or one that is not maximised: neither button stays (a closed child's buttons
    // must not outlive it).
    if (pRight != NULL && RemoveButton(GetButtonIndex(pRight), false))
      bChanged = true;
    if (pDoc != NULL && RemoveButton(GetButtonIndex(pDoc), false))
      bChanged = true;
  } else {
    LPCSTR lpszProfile = GetBarProfileName();
    if (m_nMdiButtonsCmdId == 0) {
      CExtCmdItem* pCmdItem = g_CmdManagerHolder->AllocCommand(lpszProfile, 0);
      if (pCmdItem != NULL) {
        pCmdItem->SetBasic(true);
        m_nMdiButtonsCmdId = pCmdItem->m_nCmdId;
      }
    }
    if (pRight == NULL) {
      pRight = new CExtBarMdiRightButton(this, m_nMdiButtonsCmdId, 0);
      int nPos = GetButtonCount();
      if (m_pRightBtn != NULL && nPos > 0 && GetButton(nPos - 1) == (CExtBarButton*)m_pRightBtn)
        --nPos;
      if (InsertSpecButton(nPos, pRight, false)) {
        bChanged = true;
      } else {
        delete pRight;
        pRight = NULL;
      }
    }
    HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
    if (pDoc == NULL && hSysMenu != NULL && ::IsMenu(hSysMenu)) {
      pDoc = new CExtBarMdiDocButton(this, m_nMdiButtonsCmdId, 0);
      pDoc->SetDblClickCloses((m_nMenuBarFlags & MBF_DOC_BUTTON_DBLCLK_CLOSES) != 0);
      pDoc->SetMenu(hSysMenu, false, false);
      if (InsertSpecButton(0, pDoc, false)) {
        bChanged = true;
      } else {
        delete pDoc;
        pDoc = NULL;
      }
    }
    if (pRight != NULL && pRight->m_hWndActiveMdiChild != hWndChild)
      pRight->SetActiveMdiChild(hWndChild);
    if (pDoc != NULL && pDoc->m_hWndActiveMdiChild != hWndChild)
      pDoc->SetActiveMdiChild(hWndChild);
  }

  if (bRecalc) {
    RecalcParentFrameLayout();
    return false;
  }
  return bChanged;
}

bool CExtMenuControlBar::HookMdiClient(HWND hWndMdiClient) {
  if (hWndMdiClient == NULL || !HookWindow(hWndMdiClient))
    return false;
  ::SetWindowPos(hWndMdiClient, NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER);
  CExtControlBar::RecalcParentFrameLayout();
  return true;
}

void CExtMenuControlBar::PostDeferredRehook() {
  if ((m_nMenuBarFlags & (MBF_REHOOK_ARMED | MBF_REBUILD_ARMED)) != 0 || GetSafeHwnd() == NULL)
    return;
  m_nMenuBarFlags |= MBF_REHOOK_ARMED;
  PostMessage(WM_TIMER, TIMER_REHOOK);
}

void CExtMenuControlBar::PostDeferredRebuild() {
  if ((m_nMenuBarFlags & MBF_REBUILD_ARMED) != 0 || GetSafeHwnd() == NULL)
    return;
  // The rebuild re-hooks too.
  m_nMenuBarFlags &= ~MBF_REHOOK_ARMED;
  m_nMenuBarFlags |= MBF_REBUILD_ARMED;
  PostMessage(WM_TIMER, TIMER_REBUILD);
}

void CExtMenuControlBar::SetMdiWindowPopupName(LPCSTR lpszName) {
  m_strMdiWindowPopupName = CleanMenuName(lpszName);
}

bool CExtMenuControlBar::LoadMenuBar(UINT nResourceID) {
  ReleaseMenus();
  if (m_pDockSite != NULL && GetSafeHwnd() == NULL)
    return false;
  const bool bLoaded = g_ResourceManagerHolder->LoadMenu(&m_menuFrame, MAKEINTRESOURCEA(nResourceID));
  m_bFrameMenuLoaded = bLoaded;
  if (bLoaded &&
      g_CmdManagerHolder->ImportMenu(GetBarProfileName(), m_menuFrame.GetSafeHmenu(), false, true, true))
    return RebuildMenuButtons(true);
  // No menu: the buttons of the menu let go of must not outlive it.
  ReleaseMenus();
  RebuildMenuButtons(true);
  return false;
}

void CExtMenuControlBar::DetachFrameMenu() {
  if (IsDialogMode() || IsOleInPlaceActive())
    return;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || ::GetMenu(pFrame->GetSafeHwnd()) == NULL)
    return;
  ::SetMenu(pFrame->GetSafeHwnd(), NULL);
  PostDeferredRebuild();
}

HWND CExtMenuControlBar::FindMdiClient() const {
  if (IsDialogMode())
    return NULL;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
    return NULL;
  if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return static_cast<CMDIFrameWnd*>(pFrame)->m_hWndMDIClient;
  for (HWND hWnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWnd != NULL;
       hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    CString sClass(szClass);
    if (sClass.MakeLower() == "mdiclient")
      return hWnd;
  }
  return NULL;
}

void CExtMenuControlBar::PreSubclassWindow() {
  CExtToolControlBar::PreSubclassWindow();
  if (!IsDialogMode())
    return;
  HWND hWndParent = ::GetParent(GetSafeHwnd());
  if (hWndParent != NULL && !IsWindowHooked(hWndParent) && HookWindow(hWndParent))
    m_hWndHooked = hWndParent;
}

void CExtMenuControlBar::RecalcParentFrameLayout() {
  CExtToolControlBar::RecalcParentFrameLayout();
  if (IsFloating() || m_pDockSite == NULL || m_pDockSite->GetSafeHwnd() == NULL)
    return;
  CFrameWnd* pFrame = m_pDockSite;
  bool bFlags = false;
  if (pFrame->m_bInRecalcLayout || CExtControlBar::LookupFrameFlags(pFrame, &bFlags) ||
      !pFrame->IsWindowVisible())
    return;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof(wp);
  if (!::GetWindowPlacement(pFrame->GetSafeHwnd(), &wp) || wp.showCmd == SW_SHOWMINIMIZED)
    return;
  pFrame->RecalcLayout();
}

void CExtMenuControlBar::OnDraggingStarted() {
  m_nKeyboardFlags &= ~KF_SELECTION_MODE;
  EndMenuTrackingInAllBars();
  CExtToolControlBar::OnDraggingStarted();
}

void CExtMenuControlBar::OnDraggingFinished(InternalDraggingState_t* pCurrent, InternalDraggingState_t* pNew,
                                            bool bApplied) {
  CExtToolControlBar::OnDraggingFinished(pCurrent, pNew, bApplied);
  if (IsMdiMode()) {
    SyncMdiButtons(true);
    RecalcButtonPositions();
  }
}

CExtBarContentExpandButton* CExtMenuControlBar::CreateContentExpandButton() {
  if ((m_nMenuBarFlags & MBF_NO_CHEVRON) != 0)
    return NULL;
  return CExtToolControlBar::CreateContentExpandButton();
}

bool CExtMenuControlBar::IsLayoutRightToLeft() const { return g_ResourceManagerHolder->IsRightToLeft(); }

bool CExtMenuControlBar::IsInsertRightToLeft() const { return g_ResourceManagerHolder->IsRightToLeft(); }

void CExtMenuControlBar::RecalcButtonPositions() {
  CExtToolControlBar::RecalcButtonPositions();
  if (IsFloating() && m_pDockBar != NULL)
    return;
  const int nCount = GetButtonCount();
  CExtBarMdiRightButton* pRight = FindMdiRightButton();
  if (nCount < 2 || pRight == NULL || !pRight->IsVisible())
    return;
  const int nIndex = GetButtonIndex(pRight);
  CExtBarButton* pChevron = nIndex + 1 < nCount ? GetButton(nIndex + 1) : NULL;
  if (pChevron != NULL && !pChevron->IsVisible())
    pChevron = NULL;
  const bool bHorz = m_pDockBar != NULL ? IsDockedHorizontally() : (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CRect rcClient;
  GetClientRect(&rcClient);
  // The right button, and a chevron behind it, move as one group to the far end of the row.
  CRect rcRight = pRight->GetRect();
  CRect rcGroup = rcRight;
  if (pChevron != NULL) {
    const CRect rcChevron = pChevron->GetRect();
    rcGroup.UnionRect(&rcRight, &rcChevron);
  }
  const CSize shift = bHorz ? CSize(std::max(0L, rcClient.right - 1 - rcGroup.right), 0)
                            : CSize(0, std::max(0L, rcClient.bottom - 1 - rcGroup.bottom));
  if (shift == CSize(0, 0))
    return;
  rcRight.OffsetRect(shift);
  pRight->SetRect(rcRight);
  if (pChevron != NULL) {
    CRect rcChevron = pChevron->GetRect();
    rcChevron.OffsetRect(shift);
    pChevron->SetRect(rcChevron);
  }
}

bool CExtMenuControlBar::IsSuspendedDockedLayout() const {
  if (IsDialogMode() || IsFloating())
    return false;
  if (IsBarInteractionSuspended())
    return true;
  return (m_nMenuBarFlags & MBF_NO_CHEVRON) != 0;
}

int CExtMenuControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CControlBar::OnCreate(lpcs) == -1)
    return -1;
  CFrameWnd* pFrame = IsDialogMode() ? NULL : GetDockingFrame();
  if (pFrame == NULL) {
    m_bBarFlags |= BF_DIALOG_MODE;
    HWND hWndParent = ::GetParent(GetSafeHwnd());
    m_hWndHooked = hWndParent;
    if (hWndParent != NULL && !IsWindowHooked(hWndParent))
      HookWindow(hWndParent);
    return 0;
  }

  HWND hWndFrame = pFrame->GetSafeHwnd();
  if ((::GetWindowLongA(hWndFrame, GWL_STYLE) & WS_CHILD) == 0) {
    HMENU hMenu = ::GetMenu(hWndFrame);
    if (hMenu != NULL) {
      // Taken, not owned: the frame's menu stays the framework's.
      ReleaseMenus();
      m_menuFrame.Attach(hMenu);
      RebuildMenuButtons(false);
      ::SetMenu(hWndFrame, NULL);
    }
  }
  CWnd* pTop = CExtControlBar::FindTopLevelAncestor(pFrame);
  bool bHooked = pTop != NULL && HookWindow(pTop->GetSafeHwnd());
  if (bHooked && pTop->GetSafeHwnd() != hWndFrame)
    bHooked = HookWindow(hWndFrame);
  if (!bHooked)
    return 0;
  if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) || IsMdiMode()) {
    m_nMenuBarFlags |= MBF_MDI_MODE;
    HWND hWndClient = FindMdiClient();
    if (hWndClient != NULL && ::IsWindow(hWndClient))
      HookMdiClient(hWndClient);
    else
      SetTimer(TIMER_FIND_MDI_CLIENT, 10, NULL);
  }
  CExtPopupMenuWnd::DrainMessagesAndIdle(CExtControlBar::g_bIdleInModalLoops);
  return 0;
}

void CExtMenuControlBar::OnDestroy() {
  if (m_nMdiButtonsCmdId != 0) {
    g_CmdManagerHolder->RemoveCommand(GetBarProfileName(), m_nMdiButtonsCmdId);
    m_nMdiButtonsCmdId = 0;
  }
  UnhookAllWindows();
  m_hWndHooked = NULL;
  CExtToolControlBar::OnDestroy();
}

void CExtMenuControlBar::OnTimer(UINT nIDEvent) {
  switch (nIDEvent) {
  case TIMER_REHOOK:
    KillTimer(TIMER_REHOOK);
    if (m_nMenuBarFlags & MBF_REHOOK_ARMED) {
      m_nMenuBarFlags &= ~MBF_REHOOK_ARMED;
      RehookActiveMdiChild();
    }
    break;
  case TIMER_REBUILD:
    KillTimer(TIMER_REBUILD);
    if (m_nMenuBarFlags & MBF_REBUILD_ARMED) {
      m_nMenuBarFlags &= ~MBF_REBUILD_ARMED;
      RebuildMenuButtons(true);
    }
    break;
  case TIMER_FIND_MDI_CLIENT: {
    KillTimer(TIMER_FIND_MDI_CLIENT);
    HWND hWndClient = FindMdiClient();
    if (hWndClient != NULL && ::IsWindow(hWndClient))
      HookMdiClient(hWndClient);
    break;
  }
  default:
    CExtToolControlBar::OnTimer(nIDEvent);
    break;
  }
}
