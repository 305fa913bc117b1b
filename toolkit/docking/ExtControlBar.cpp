// The control bar's data, its process-wide list, window class, the queries about its place and
// the show-bar command handlers.
#include "toolkit/docking/ExtControlBar.h"

#include "framework/doc/fw_doc.h"
#include "framework/print/fw_print.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtRuntimeClass.h"
#include "toolkit/foundation/ExtWndClass.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtControlBar, CControlBar)

const char CExtControlBar::kClassName[] = "Corvane-ControlBar";

namespace {

int CaptionExtentFromMetrics() { return ::GetSystemMetrics(SM_CYSMCAPTION) + 1; }

} // namespace

CExtControlBar::CExtControlBar()
    : m_bBarFlags(BF_CAPTION_ON_TOP | BF_PARENT_LAYOUT | BF_IN_BARS_MENU),
      m_nCaptionExtent(CaptionExtentFromMetrics()), m_nSideCaptionExtent(CaptionExtentFromMetrics()),
      m_nSeparatorHeight(std::min(::GetSystemMetrics(SM_CYFRAME), 4)),
      m_nSeparatorWidth(std::min(::GetSystemMetrics(SM_CXFRAME), 4)),
      m_nMinWidthBase(::GetSystemMetrics(SM_CYSMCAPTION) + m_nSeparatorWidth + 1),
      m_nMinHeightBase(::GetSystemMetrics(SM_CYSMCAPTION) + m_nSeparatorHeight + 1), m_nTrackingAnchor(0),
      m_nTrackingExtent(0), m_sizeDockedH(200, 150), m_sizeDockedV(150, 200), m_sizeFloated(200, 200),
      m_rcNcCaption(0, 0, 0, 0), m_rcNcRowResizer(0, 0, 0, 0), m_rcNcRowEndResizer(0, 0, 0, 0),
      m_rcNcRowStartResizer(0, 0, 0, 0), m_bBarState(BS_FIT_CHILD), m_bSuppressTips(0),
      m_nRememberedRowLength(0), m_ptFloatPos(0, 0), m_ptGrabFloating(0, 0), m_ptGrabDockedH(0, 0),
      m_ptGrabDockedV(0, 0), m_bExtraFlags(0), m_ptLastDrag(-1, -1), m_dwCustomData(0), m_bOptionBits(0) {
  RegisterControlBarClass();
  CSingleLock lock(&g_csAllBars, TRUE);
  g_AllBars.push_back(this);
}

CExtControlBar::~CExtControlBar() {
  {
    CSingleLock lock(&g_csAllBars, TRUE);
    auto it = std::find(g_AllBars.begin(), g_AllBars.end(), this);
    if (it != g_AllBars.end())
      g_AllBars.erase(it);
  }
  for (CExtBarNcAreaButton* pButton : m_arrNcButtons)
    pButton->Destroy();
  m_arrNcButtons.clear();
}

bool CExtControlBar::RegisterControlBarClass() {
  if (g_bClassRegistered)
    return true;
  g_bClassRegistered = ExtRegisterWndClass(kClassName, CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  return g_bClassRegistered;
}

DWORD CExtControlBar::GetDockBarStyle(UINT nDockBarId) {
  DWORD dwStyle = 0;
  return g_DockBarStyleMap.Lookup(nDockBarId, dwStyle) ? dwStyle : 0;
}

// --- records --------------------------------------------------------------------------------------

void CExtControlBar::OuterDockPosition::Reset() { *this = OuterDockPosition(); }

void CExtControlBar::OuterDockPosition::Assign(const OuterDockPosition& other) {
  m_nDockBarId = other.m_nDockBarId;
  m_rcBar = other.m_rcBar;
  m_nRow = other.m_nRow;
  m_nColumn = other.m_nColumn;
  m_nLast = other.m_nLast;
}

CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA::QUERY_REPOSITION_CALC_EFFECT_DATA(
    UINT nFlags, CWnd* pWnd, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver, LPRECT pRectParam,
    LPCRECT pRectClient, bool bStretch)
    : m_nFlags(static_cast<WORD>(nFlags & FLAGS_PASS_MASK)), m_pWndToReposition(pWnd), m_nIdFirst(nIdFirst),
      m_nIdLast(nIdLast), m_nIdLeftOver(nIdLeftOver), m_pRectParam(pRectParam), m_pRectClient(pRectClient),
      m_bStretch(bStretch ? 1 : 0) {}

void CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA::ExcludeFromQuery(bool bExclude) {
  if (bExclude)
    m_nFlags |= FLAG_EXCLUDE;
  else
    m_nFlags &= ~FLAG_EXCLUDE;
}

CExtControlBar::QueryCustomNcArea::QueryCustomNcArea(CExtControlBar* pBar, CDC* pDC, RECT& rc)
    : m_bHandled(0), m_pDC(pDC), m_pBar(pBar), m_rc(rc) {}

bool CExtControlBar::QueryCustomNcArea::Notify() {
  CWnd* pTarget = m_pBar->m_pDockSite;
  // An auto-hidden bar's frame and caption belong to the slider that carries it.
  CWnd* pParent = m_pBar->GetParent();
  if ((m_pBar->m_bExtraFlags & XF_AUTO_HIDDEN) != 0 && IsKindOfName(pParent, "CExtDynAutoHideSlider"))
    pTarget = pParent;
  if (pTarget == NULL)
    pTarget = m_pBar->GetOwner();
  if (pTarget == NULL)
    pTarget = m_pBar->GetParent();
  if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
    return false;
  pTarget->SendMessage(g_nMsgCustomNcAreaQuery, reinterpret_cast<WPARAM>(this), 0);
  return m_bHandled != 0;
}

CExtControlBar::POPUP_MENU_EVENT_DATA::POPUP_MENU_EVENT_DATA(WORD nEventCode, CExtPopupMenuWnd* pPopupMenu,
                                                             CWnd* pWndSource, POINT ptScreen,
                                                             UINT nSourceMessage, CObject* pSourceObject)
    : m_nEventCode(nEventCode), m_pPopupMenu(pPopupMenu), m_pWndSource(pWndSource),
      m_nSourceMessage(nSourceMessage), m_pSourceObject(pSourceObject), m_pWndTargetFrame(NULL), m_bFlags(0),
      m_ptScreen(ptScreen) {
  if (m_ptScreen.x < 0 || m_ptScreen.y < 0) {
    if (!::GetCursorPos(&m_ptScreen))
      m_ptScreen.x = m_ptScreen.y = 0;
  }
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::IsBarsListEvent() const {
  return m_nEventCode <= EVENT_MENUBAR_CONTEXT || m_nEventCode == EVENT_NC_OPTIONS_BARS_SUBMENU ||
         m_nEventCode == EVENT_TOOLBAR_CHEVRON_BARS_LIST;
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::NotifyTarget(bool bPostNotification) {
  m_bFlags = static_cast<BYTE>((m_bFlags & ~1) | (bPostNotification ? 1 : 0));
  if (m_pWndSource == NULL || m_pWndSource->GetSafeHwnd() == NULL)
    return false;
  CWnd* pTarget = NULL;
  CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, m_pWndSource);
  if (pBar != NULL && pBar->m_pDockSite != NULL)
    pTarget = pBar->m_pDockSite;
  if (pTarget == NULL) {
    CFrameWnd* pFrame = m_pWndSource->GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
      pFrame = pFrame->GetParentFrame();
    pTarget = pFrame;
  }
  if (pTarget == NULL)
    pTarget = m_pWndSource->GetParent();
  if (pTarget == NULL)
    return false;
  m_pWndTargetFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
  return pTarget->SendMessage(g_nMsgConstructPopupMenu, reinterpret_cast<WPARAM>(this), 0) != 0;
}

// --- place queries ----------------------------------------------------------------------------------

UINT CExtControlBar::GetDockBarCtrlId() const {
  CWnd* pDockBar = m_pDockBar;
  if (pDockBar == NULL) {
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
      pDockBar = pParent;
  }
  if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL || !::IsWindow(pDockBar->GetSafeHwnd()) ||
      !pDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
    return AFX_IDW_DOCKBAR_FLOAT;
  return pDockBar->GetDlgCtrlID();
}

namespace {
// Without a dock site the bar's own alignment bits tell the side.
bool StyleSide(DWORD dwStyle, DWORD dwMask) { return ((dwStyle >> 8) & dwMask) != 0; }
} // namespace

bool CExtControlBar::IsDockedAtTop() const {
  return m_pDockSite == NULL ? StyleSide(m_dwStyle, 0x28) : GetDockBarCtrlId() == AFX_IDW_DOCKBAR_TOP;
}
bool CExtControlBar::IsDockedAtLeft() const {
  return m_pDockSite == NULL ? StyleSide(m_dwStyle, 0x14) : GetDockBarCtrlId() == AFX_IDW_DOCKBAR_LEFT;
}
bool CExtControlBar::IsDockedAtRight() const {
  return m_pDockSite == NULL ? StyleSide(m_dwStyle, 0x41) : GetDockBarCtrlId() == AFX_IDW_DOCKBAR_RIGHT;
}
bool CExtControlBar::IsDockedAtBottom() const {
  return m_pDockSite == NULL ? StyleSide(m_dwStyle, 0x82) : GetDockBarCtrlId() == AFX_IDW_DOCKBAR_BOTTOM;
}
bool CExtControlBar::IsDockedHorizontally() const {
  if (m_pDockSite == NULL)
    return StyleSide(m_dwStyle, 0xAA);
  UINT nId = GetDockBarCtrlId();
  return nId == AFX_IDW_DOCKBAR_TOP || nId == AFX_IDW_DOCKBAR_BOTTOM;
}
bool CExtControlBar::IsDockedVertically() const {
  if (m_pDockSite == NULL)
    return StyleSide(m_dwStyle, 0x55);
  UINT nId = GetDockBarCtrlId();
  return nId == AFX_IDW_DOCKBAR_LEFT || nId == AFX_IDW_DOCKBAR_RIGHT;
}
bool CExtControlBar::IsDocked() const {
  if (m_pDockSite == NULL)
    return true;
  UINT nId = GetDockBarCtrlId();
  return nId >= AFX_IDW_DOCKBAR_TOP && nId <= AFX_IDW_DOCKBAR_BOTTOM;
}
bool CExtControlBar::IsFloating() const {
  if (m_pDockSite == NULL || GetParentFrame() == NULL)
    return false;
  UINT nId = GetDockBarCtrlId();
  return !(nId >= AFX_IDW_DOCKBAR_TOP && nId <= AFX_IDW_DOCKBAR_BOTTOM);
}
bool CExtControlBar::IsInDockBar() const { return m_pDockBar != NULL; }
bool CExtControlBar::IsDockSiteStyleBitSet() const {
  return m_pDockSite != NULL && (m_pDockSite->GetStyle() & 0x4) != 0;
}

CFrameWnd* CExtControlBar::GetDockingFrame() const {
  if (m_pDockSite != NULL)
    return m_pDockSite;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    pFrame = pFrame->GetParentFrame();
  return pFrame;
}

CSize CExtControlBar::GetStoredSize() const {
  if (IsFloating())
    return m_sizeFloated;
  return IsDockedVertically() ? m_sizeDockedV : m_sizeDockedH;
}

int CExtControlBar::GetRowLength() const {
  return IsDockedVertically() ? m_sizeDockedV.cy : m_sizeDockedH.cx;
}

void CExtControlBar::SetRowLength(int nLength) {
  if (IsDockedVertically())
    m_sizeDockedV.cy = nLength;
  else
    m_sizeDockedH.cx = nLength;
}

int CExtControlBar::GetRowMinLength() const {
  return IsDockedVertically() ? CalcMinHeight() : CalcMinWidth();
}

CWnd* CExtControlBar::FindTopLevelAncestor(CWnd* pWnd) {
  for (HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL; hWnd != NULL; hWnd = ::GetParent(hWnd))
    if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
      return CWnd::FromHandle(hWnd);
  return NULL;
}

bool CExtControlBar::IsFrameInHelpMode(CWnd* pWnd) {
  CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
  if (pFrame == NULL && pWnd != NULL)
    pFrame = pWnd->GetParentFrame();
  while (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pFrame = pFrame->GetParentFrame();
  return pFrame != NULL && pFrame->m_bHelpMode;
}

bool CExtControlBar::IsPrintPreviewActive(CFrameWnd* pFrame) {
  return pFrame != NULL && pFrame->GetActiveView() != NULL &&
         pFrame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CPreviewView));
}

bool CExtControlBar::IsOleInPlaceActiveInFrame(CFrameWnd* pFrame) {
  if (pFrame == NULL || IsPrintPreviewActive(pFrame))
    return false;
  CFrameWnd* pActive = pFrame->GetActiveFrame();
  CView* pView = pActive != NULL ? pActive->GetActiveView() : NULL;
  if (pView == NULL)
    return false;
  COleDocument* pDoc = DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument());
  return pDoc != NULL && pDoc->GetInPlaceActiveItem(pView) != NULL;
}

bool CExtControlBar::IsOleInPlaceActive() const { return IsOleInPlaceActiveInFrame(GetDockingFrame()); }

bool CExtControlBar::IsFramePrintPreviewActive() const {
  if (IsDialogMode() || m_pDockSite == NULL)
    return false;
  return IsPrintPreviewActive(m_pDockSite);
}

bool CExtControlBar::IsBarVisibleInFrame() const {
  if (IsDialogMode())
    return (GetStyle() & WS_VISIBLE) != 0;
  if ((m_nStateFlags & tempHide) != 0)
    return false;
  if ((m_dwStyle & CBRS_HIDE_INPLACE) != 0 && IsOleInPlaceActive())
    return false;
  return IsVisible() && (m_nStateFlags & delayShow) == 0;
}

bool CExtControlBar::QueryCaption(bool* pbOnTop, bool* pbShown) const {
  if (pbOnTop != NULL)
    *pbOnTop = false;
  if (pbShown != NULL)
    *pbShown = false;
  if (GetSafeHwnd() == NULL || (m_dwStyle & CBRS_GRIPPER) == 0 || IsFloating())
    return false;
  // The only bar of a floating frame is captioned by that frame.
  CWnd* pParent = GetParent();
  if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)) &&
      static_cast<CDockBar*>(pParent)->m_bFloating)
    return false;
  CWnd* pDockBar = m_pDockBar;
  if (pDockBar != NULL && (m_bExtraFlags & XF_AUTO_HIDDEN) == 0) {
    for (const CRuntimeClass* pClass = pDockBar->GetRuntimeClass(); pClass != NULL;
         pClass = pClass->m_pBaseClass)
      if (lstrcmpA(pClass->m_lpszClassName, "CExtDockDynTabBar") == 0)
        return false;
  }
  if (pbShown != NULL)
    *pbShown = true;
  if (pbOnTop != NULL)
    *pbOnTop = (m_bBarFlags & BF_CAPTION_ON_TOP) != 0 || IsDockedVertically();
  return true;
}

void CExtControlBar::ShowInFrame(bool bShow, bool bDelay, bool /*bExtra*/) {
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != NULL)
    pFrame->ShowControlBar(this, bShow, bDelay);
}

CExtPopupMenuTipWnd* CExtControlBar::GetToolTipObject() const {
  if (!g_bBarTips || m_bSuppressTips != 0)
    return NULL;
  return &CExtPopupMenuWnd::GetTrackSite().m_tipShared;
}

void CExtControlBar::ShowBarTip(CExtPopupMenuTipWnd* pTip, const RECT& rcScreen, LPCSTR lpszText) {
  if (pTip == NULL)
    return;
  pTip->SetTipStyle(4);
  pTip->SetText(lpszText);
  pTip->ShowBalloon(this, rcScreen);
}

bool CExtControlBar::IsShowContentWhileDragging() const {
  int nMode = g_nDockingMarkerMode;
  if (nMode < 0)
    nMode = g_PaintManagerHolder->GetDockingMarkerMode();
  return nMode == 1;
}

bool CExtControlBar::IsShowContentWhileRowResizing() const {
  return g_nDockingMarkerMode == 1 ? false : IsShowContentWhileDragging();
}

bool CExtControlBar::IsShowContentWhileInRowResizing() const { return IsShowContentWhileRowResizing(); }

bool CExtControlBar::IsTabbedDockingAllowed(bool /*bIgnored*/) const {
  return !IsShowContentWhileDragging() || g_nDockingMarkerMode == 1;
}

CExtDynTabControlBar* CExtControlBar::GetTabContainerBar() const {
  // The tab container is the owner of the tab dock bar this bar sits in.
  CWnd* pParent = GetParent();
  if (pParent == NULL)
    return NULL;
  bool bTabDockBar = false;
  for (const CRuntimeClass* pClass = pParent->GetRuntimeClass(); pClass != NULL;
       pClass = pClass->m_pBaseClass)
    bTabDockBar = bTabDockBar || lstrcmpA(pClass->m_lpszClassName, "CExtDockDynTabBar") == 0;
  if (!bTabDockBar)
    return NULL;
  return reinterpret_cast<CExtDynTabControlBar*>(DYNAMIC_DOWNCAST(CExtControlBar, pParent->GetParent()));
}

void CExtControlBar::GetBarCaption(CString& strCaption) const { GetWindowText(strCaption); }

bool CExtControlBar::InsertIntoBarsMenu(CExtPopupMenuWnd* pPopup) {
  if ((m_bBarFlags & BF_IN_BARS_MENU) == 0 || g_bLockAllBars || pPopup == NULL)
    return false;
  if (!IsIdSharedInFrame())
    return pPopup->InsertItem(GetDlgCtrlID(), -1);
  // The menu is built each time it opens: the check mark is the bar's state now.
  CString strCaption;
  GetBarCaption(strCaption);
  return pPopup->InsertOwnItem(GetDlgCtrlID(), -1, strCaption, NULL, CExtCmdIcon(),
                               (GetStyle() & WS_VISIBLE) != 0 ? 1 : 0, m_hWnd);
}

bool CExtControlBar::IsIdSharedInFrame() const {
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == NULL || m_hWnd == NULL)
    return false;
  const int nId = GetDlgCtrlID();
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    const CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
    if (pBar != this && pBar->m_hWnd != NULL && ::GetDlgCtrlID(pBar->m_hWnd) == nId)
      return true;
  }
  return false;
}

BOOL CExtControlBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Menu commands carry no control; a child control of the same id sends its own handle.
  if (lParam == 0 && HIWORD(wParam) == 0 && LOWORD(wParam) == static_cast<WORD>(GetDlgCtrlID())) {
    ToggleVisibility();
    return TRUE;
  }
  return CControlBar::OnCommand(wParam, lParam);
}

void CExtControlBar::SetOuterDockPosition(const OuterDockPosition& pos) {
  OuterDockPosition* pMine = GetOuterDockPosition();
  if (pMine != NULL)
    pMine->Assign(pos);
}

void CExtControlBar::UpdateOuterDockPosition() {
  // The outer dock bar refreshes the record when it lays its rows out.
}

void CExtControlBar::ResetOuterDockPosition() {
  OuterDockPosition* pMine = GetOuterDockPosition();
  if (pMine != NULL)
    pMine->Reset();
}

void CExtControlBar::RecalcNcFrame() {
  if (IsVisible())
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CExtControlBar::SetFocusToOwner() {
  CWnd* pTarget = IsDialogMode() ? GetParent() : reinterpret_cast<CWnd*>(GetDockingFrame());
  HWND hFocus = ::GetFocus();
  if (pTarget == NULL) {
    SetFocus();
    return;
  }
  if (hFocus != NULL && (hFocus == pTarget->GetSafeHwnd() || ::IsChild(pTarget->GetSafeHwnd(), hFocus)))
    return;
  pTarget->SetFocus();
}

bool CExtControlBar::PreTranslateChildBars(CWnd* pWnd, MSG* pMsg) {
  for (HWND hChild = ::GetWindow(pWnd->GetSafeHwnd(), GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hChild));
    if (pBar != NULL && pBar->PreTranslateMessage(pMsg))
      return true;
  }
  return false;
}

void CExtControlBar::UpdateCmdUIGuarded(bool bDisableIfNoHandler) {
  if ((m_bBarFlags & BF_CMDUI_RUNNING) != 0)
    return;
  m_bBarFlags |= BF_CMDUI_RUNNING;
  OnUpdateCmdUI(IsDialogMode() ? NULL : GetDockingFrame(), bDisableIfNoHandler);
  m_bBarFlags &= ~BF_CMDUI_RUNNING;
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWnd, bool bDisableIfNoHandler) {
  const HWND hParent = pWnd->GetSafeHwnd();
  if (hParent == NULL)
    return;
  // A dialog calls this on most of its messages, and asking the system for each of its many
  // controls costs more than the update, while it mostly holds no bar at all. So the list of
  // bars, one question per bar, tells how many are its children: none or one need no walk;
  // with more they are updated in the children's z order, as they always were.
  CExtControlBar* pOnly = NULL;
  size_t nChildBars = 0;
  {
    CSingleLock lock(&g_csAllBars, TRUE);
    for (CExtControlBar* pBar : g_AllBars) {
      const HWND hBar = pBar->GetSafeHwnd();
      if (hBar != NULL && ::GetAncestor(hBar, GA_PARENT) == hParent && ++nChildBars == 1)
        pOnly = pBar;
    }
  }
  if (nChildBars == 0)
    return;
  if (nChildBars == 1) {
    pOnly->UpdateCmdUIGuarded(bDisableIfNoHandler);
    return;
  }
  for (HWND hChild = ::GetWindow(pWnd->GetSafeHwnd(), GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hChild));
    if (pBar != NULL)
      pBar->UpdateCmdUIGuarded(bDisableIfNoHandler);
  }
}

bool CExtControlBar::LookupFrameFlags(CFrameWnd* /*pFrame*/, bool* pbOut) {
  // Nothing registers frame flags in this program.
  if (pbOut != NULL)
    *pbOut = false;
  return false;
}

bool CExtControlBar::QueryCustomNcAreaFor(CDC* pDC, RECT& rc) {
  QueryCustomNcArea query(this, pDC, rc);
  return query.Notify();
}

bool CExtControlBar::CollectMiniDockFrames(CWnd* pWnd) {
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
    return false;
  bool bAny = false;
  for (HWND hChild = ::GetWindow(pWnd->GetSafeHwnd(), GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CWnd* pChild = CWnd::FromHandlePermanent(hChild);
    if (pChild != NULL && CollectMiniDockFrames(pChild))
      bAny = true;
  }
  if ((pWnd->m_nFlags & WF_OLECTLCONTAINER) != 0 && !bAny)
    return true;
  if (bAny)
    pWnd->m_nFlags |= WF_OLECTLCONTAINER;
  else
    pWnd->m_nFlags &= ~WF_OLECTLCONTAINER;
  return bAny;
}

// --- the show-bar commands -----------------------------------------------------------------------

bool CExtControlBar::ToggleBarByCommand(CFrameWnd* pFrame, UINT nId, bool bDelay) {
  CControlBar* pBar = pFrame != NULL ? pFrame->GetControlBar(nId) : NULL;
  if (pBar == NULL)
    return false;
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (pExtBar != NULL)
    pExtBar->ToggleVisibility();
  else
    pFrame->ShowControlBar(pBar, !pBar->IsVisible(), bDelay);
  return true;
}

bool CExtControlBar::UpdateBarCommandUI(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bFlag) {
  CControlBar* pBar = pFrame != NULL ? pFrame->GetControlBar(pCmdUI->m_nID) : NULL;
  if (pBar == NULL) {
    pCmdUI->ContinueRouting();
    return false;
  }
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (pExtBar != NULL)
    pExtBar->UpdateVisibilityCmdUI(pCmdUI, bFlag);
  else
    pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
  return true;
}

void CExtControlBar::ToggleVisibility(bool bHideWhenVisible) {
  CFrameWnd* pFrame = GetDockingFrame();
  if (IsFixedDockStyle()) {
    if (pFrame != NULL)
      pFrame->ShowControlBar(this, !IsVisible(), FALSE);
    return;
  }
  if (bHideWhenVisible && IsVisible()) {
    ShowInFrame(false, false, false);
    return;
  }
  // An auto-hidden bar is shown by its strip's slider, never by the frame.
  if ((m_bExtraFlags & XF_AUTO_HIDDEN) != 0) {
    int nIndex = -1;
    CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindBarArea(this, &nIndex);
    CExtDynAutoHideSlider* pSlider = pArea != NULL ? pArea->GetSlider() : NULL;
    if (pSlider == NULL || pSlider->GetSafeHwnd() == NULL || pSlider->GetShownBar() == this)
      return;
    pArea->SelectItem(nIndex, true, true);
    if (pSlider->GetShownBar() == this)
      pSlider->SetFocus();
    return;
  }
  CFrameWnd* pParentFrame = GetParentFrame();
  if (!IsVisible()) {
    ShowInFrame(true, false, false);
    if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd))) {
      SyncContainerVisibility();
      pParentFrame->RecalcLayout();
    }
  }
  // A bar in a tab container is brought forward by its tab; any other floating one by its frame.
  if (GetTabContainerBar() == NULL && pParentFrame != NULL &&
      pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pParentFrame->BringWindowToTop();
  SetFocus();
}

void CExtControlBar::UpdateVisibilityCmdUI(CCmdUI* pCmdUI, bool bFlag) {
  pCmdUI->Enable(IsNcCloseButtonEnabled());
  // Without the flag a resizable bar's command is a "show" command: its check mark stays as it is.
  if (!bFlag && !IsFixedDockStyle())
    return;
  pCmdUI->SetCheck((GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}
