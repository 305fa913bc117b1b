// The MDI tabs: keeping one item per MDI child in step with the MDI client, acting on the active
// child, and the borders the strip and the MDI client draw where they do not face each other.
#include "toolkit/docking/ExtTabMdiWnd.h"

#include "framework/doc/fw_doc.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtNcPaintRects.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <memory>

namespace {

// The one text the item-text query hands out, replaced by every call.
CString& ItemTextBuffer() {
  static CString s;
  return s;
}

const UINT kNoChangeFlags = SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;

// Takes the border off every side of rc but the one given (an orientation, or -1 for none).
void DeflateExceptSide(RECT& rc, int nOpenSide, int nBorder) {
  if (nOpenSide != CExtTabWnd::TS_ORIENT_LEFT)
    rc.left += nBorder;
  if (nOpenSide != CExtTabWnd::TS_ORIENT_TOP)
    rc.top += nBorder;
  if (nOpenSide != CExtTabWnd::TS_ORIENT_RIGHT)
    rc.right -= nBorder;
  if (nOpenSide != CExtTabWnd::TS_ORIENT_BOTTOM)
    rc.bottom -= nBorder;
}

// Pushes one side of rc out by nBy (an orientation naming the side; -1 changes nothing).
void PushSideOut(RECT& rc, int nSide, int nBy) {
  switch (nSide) {
  case CExtTabWnd::TS_ORIENT_TOP:
    rc.top -= nBy;
    break;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    rc.bottom += nBy;
    break;
  case CExtTabWnd::TS_ORIENT_LEFT:
    rc.left -= nBy;
    break;
  case CExtTabWnd::TS_ORIENT_RIGHT:
    rc.right += nBy;
    break;
  default:
    break;
  }
}

// The side of the strip that faces the MDI client, for a strip of the orientation.
int OppositeSide(int nOrientation) {
  static const int kOpposite[] = {CExtTabWnd::TS_ORIENT_BOTTOM, CExtTabWnd::TS_ORIENT_TOP,
                                  CExtTabWnd::TS_ORIENT_RIGHT, CExtTabWnd::TS_ORIENT_LEFT};
  return kOpposite[nOrientation & CExtTabWnd::TS_ORIENT_MASK];
}

// Fills a window's non-client border with the theme's face colour and frames it; rcFrame may reach
// past the window on a side that must stay open.
void PaintBorder(HWND hWnd, CObject* pHelper, int nOpenSide, int nPushOut,
                 void (*pfnInner)(CDC&, const RECT&, const RECT&, void*), void* pCookie) {
  CRect rcWnd, rcClient;
  NcPaintRects(hWnd, rcWnd, rcClient);
  if (rcWnd == rcClient)
    return;
  CWindowDC dc(CWnd::FromHandle(hWnd));
  dc.ExcludeClipRect(&rcClient);
  dc.FillSolidRect(&rcWnd, g_PaintManagerHolder->ColorByLogicalId(COLOR_3DFACE, pHelper));
  if (pfnInner != NULL)
    pfnInner(dc, rcWnd, rcClient, pCookie);
  CRect rcFrame(rcWnd);
  PushSideOut(rcFrame, nOpenSide, nPushOut);
  g_PaintManagerHolder->PaintTabMdiClientBorder(dc, rcFrame, pHelper);
}

} // namespace

template <class TBase> CExtTMWI<TBase>::CExtTMWI() : CExtHookSink(true) { this->m_bReposCalcEffect = 1; }

template <class TBase> CExtTMWI<TBase>::~CExtTMWI() {
  UnhookAllWindows();
  m_childIcons.clear();
  if (this->GetSafeHwnd() != NULL)
    this->DestroyWindow();
}

template <class TBase>
BOOL CExtTMWI<TBase>::Create(CWnd* pParentWnd, const RECT& rc, UINT nID, DWORD dwWindowStyle,
                             DWORD dwTabStyle, CCreateContext* pContext) {
  if (!TBase::Create(pParentWnd, rc, nID, dwWindowStyle, dwTabStyle, pContext))
    return FALSE;
  HWND hClient = GetMdiClientWnd();
  // Without an MDI client the strip simply stays empty.
  if (hClient == NULL || IsWindowHooked(hClient))
    return TRUE;
  if (!HookWindow(hClient, false, true))
    return FALSE;
  this->SetTimer(TIMER_MDI_SYNC, 10);
  return TRUE;
}

template <class TBase> HWND CExtTMWI<TBase>::GetMdiFrameWnd() const {
  return this->GetSafeHwnd() != NULL ? ::GetParent(this->m_hWnd) : NULL;
}

template <class TBase> HWND CExtTMWI<TBase>::GetMdiClientWnd() const {
  HWND hFrame = GetMdiFrameWnd();
  if (hFrame == NULL)
    return NULL;
  if (auto* pMdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hFrame)))
    return pMdi->m_hWndMDIClient;
  for (HWND h = ::GetWindow(hFrame, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    char szClass[32] = "";
    ::GetClassNameA(h, szClass, sizeof(szClass));
    if (::lstrcmpiA(szClass, "mdiclient") == 0)
      return h;
  }
  return NULL;
}

template <class TBase> HWND CExtTMWI<TBase>::ActiveChild() const {
  HWND hFrame = GetMdiFrameWnd();
  HWND hClient = GetMdiClientWnd();
  if (hFrame == NULL || hClient == NULL)
    return NULL;
  // The frame answers only for children it made itself; the client knows every child.
  if (auto* pMdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hFrame))) {
    CMDIChildWnd* pActive = pMdi->MDIGetActive();
    if (pActive != NULL)
      return pActive->GetSafeHwnd();
  }
  return reinterpret_cast<HWND>(::SendMessageA(hClient, WM_MDIGETACTIVE, 0, 0));
}

template <class TBase> HWND CExtTMWI<TBase>::ChildOf(const typename TBase::TAB_ITEM_INFO* pItem) {
  HWND h = pItem != NULL ? reinterpret_cast<HWND>(pItem->LParamGet()) : NULL;
  return h != NULL && ::IsWindow(h) ? h : NULL;
}

template <class TBase> int CExtTMWI<TBase>::SideFacingStrip() const {
  if (this->GetSafeHwnd() == NULL || !this->IsWindowVisible())
    return -1;
  return this->OrientationGet();
}

template <class TBase> void CExtTMWI<TBase>::PostSync() {
  if (this->GetSafeHwnd() != NULL)
    this->PostMessage(WM_TIMER, TIMER_MDI_SYNC, 0);
}

template <class TBase> void CExtTMWI<TBase>::SendClientFrameChange(UINT nExtraFlags) {
  HWND hClient = GetMdiClientWnd();
  if (hClient != NULL)
    ::SetWindowPos(hClient, NULL, 0, 0, 0, 0, kNoChangeFlags | SWP_FRAMECHANGED | nExtraFlags);
}

// ---------------------------------------------------------------------------------------------
// Keeping the items in step.

template <class TBase> void CExtTMWI<TBase>::SyncMdiChildren() {
  if (IsOwnChange())
    return;
  m_bSyncFlags |= SYNC_RUNNING;
  HWND hActive = ActiveChild();
  if (hActive != NULL) {
    HMENU hSysMenu = ::GetSystemMenu(hActive, FALSE);
    const UINT nState = hSysMenu != NULL ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : 0xFFFFFFFF;
    const bool bCanClose = nState != 0xFFFFFFFF && (nState & (MF_GRAYED | MF_DISABLED)) == 0;
    this->ModifyTabWndStyle(bCanClose ? 0 : CExtTabWnd::TS_ENABLED_CLOSE,
                            bCanClose ? CExtTabWnd::TS_ENABLED_CLOSE : 0, false);
    for (HWND h = ::GetWindow(hActive, GW_HWNDFIRST); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
      if (ItemFindChild(h) < 0)
        this->InsertItem(NULL, NULL, false, 0, -1, reinterpret_cast<LPARAM>(h), false);
    }
    const int nActive = ItemFindChild(hActive);
    if (nActive >= 0)
      this->SelectItem(nActive, true, false);
  }
  // Without an active child (the last one just closed) the dead items still go and the strip
  // still hides; otherwise it would stay shown with nothing in it.
  for (int i = 0; i < this->ItemGetCount();) {
    typename TBase::TAB_ITEM_INFO* pItem = this->ItemGet(i);
    HWND h = reinterpret_cast<HWND>(pItem->LParamGet());
    if (!::IsWindow(h)) {
      this->RemoveItems(i, 1, false);
      continue;
    }
    const bool bVisible = ::IsWindowVisible(h) != FALSE;
    pItem->ModifyItemStyle(bVisible ? CExtTabWnd::TIS_HIDDEN : 0, bVisible ? 0 : CExtTabWnd::TIS_HIDDEN);
    ++i;
  }
  if (m_childIcons.size() > static_cast<size_t>(this->ItemGetCount()))
    ForgetStaleChildIcons();
  m_bSyncFlags &= ~SYNC_RUNNING;
  UpdateVisibility();
}

template <class TBase> void CExtTMWI<TBase>::UpdateVisibility() {
  if (this->GetSafeHwnd() == NULL)
    return;
  const bool bWasVisible = this->IsWindowVisible() != FALSE;
  OnTabWndSyncVisibility();
  if (bWasVisible != (this->IsWindowVisible() != FALSE)) {
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(GetMdiFrameWnd())))
      pFrame->DelayRecalcLayout(TRUE);
  }
  this->UpdateTabWnd(true);
}

template <class TBase> void CExtTMWI<TBase>::OnTabWndSyncVisibility() {
  if (this->GetSafeHwnd() == NULL)
    return;
  auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(GetMdiFrameWnd()));
  const bool bShow = this->ItemGetCount() > 0 && !CExtControlBar::IsPrintPreviewActive(pFrame) &&
                     !CExtControlBar::IsOleInPlaceActiveInFrame(pFrame);
  const bool bVisible = this->IsWindowVisible() != FALSE;
  if (bShow && !bVisible) {
    this->SetWindowPos(NULL, 0, 0, 0, 0, kNoChangeFlags | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    SendClientFrameChange(0);
  } else if (!bShow && bVisible) {
    this->SetWindowPos(NULL, 0, 0, 0, 0, kNoChangeFlags | SWP_HIDEWINDOW);
  }
  if (!this->IsWindowVisible()) {
    this->m_nIndexVisFirst = -1;
    this->m_nIndexVisLast = -1;
  }
}

template <class TBase>
void CExtTMWI<TBase>::OnTabWndItemInsert(int nIndex, typename TBase::TAB_ITEM_INFO* pItem) {
  TBase::OnTabWndItemInsert(nIndex, pItem);
  if (!IsOwnChange() && this->ItemGetCount() == 1)
    UpdateVisibility();
}

template <class TBase> void CExtTMWI<TBase>::OnTabWndRemoveItem(int nFirst, int nCount, bool bPreRemove) {
  TBase::OnTabWndRemoveItem(nFirst, nCount, bPreRemove);
  if (!bPreRemove && !IsOwnChange() && this->ItemGetCount() == 0)
    UpdateVisibility();
}

template <class TBase> void CExtTMWI<TBase>::OnTabWndRemoveAllItems(bool bPreRemove) {
  TBase::OnTabWndRemoveAllItems(bPreRemove);
  if (!bPreRemove)
    m_childIcons.clear();
  if (!bPreRemove && !IsOwnChange() && this->GetSafeHwnd() != NULL)
    UpdateVisibility();
}

template <class TBase>
bool CExtTMWI<TBase>::OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest) {
  const bool bAnswer = TBase::OnTabWndSelectionChange(nOldIndex, nNewIndex, bPreSelectionTest);
  if (bPreSelectionTest || !bAnswer)
    return bAnswer;
  HWND hClient = GetMdiClientWnd();
  HWND hChild = ChildOf(this->ItemGet(nNewIndex));
  if (!IsOwnChange() && hClient != NULL && hChild != NULL)
    ::SendMessageA(hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
  SendClientFrameChange(SWP_NOACTIVATE | SWP_NOCOPYBITS);
  return bAnswer;
}

// ---------------------------------------------------------------------------------------------
// Clicks.

template <class TBase> bool CExtTMWI<TBase>::OnItemClick(int nIndex, bool bDown, int nButton, UINT nFlags) {
  if (nButton != CExtTabWnd::MOUSE_LEFT)
    return false;
  return TBase::OnItemClick(nIndex, bDown, nButton, nFlags);
}

template <class TBase>
bool CExtTMWI<TBase>::OnButtonClick(int nHitCode, bool bDown, int nButton, UINT nFlags) {
  if (nButton != CExtTabWnd::MOUSE_LEFT)
    return false;
  // A disabled button was never pressed and must not act on its release.
  const bool bWasPressed = this->GetPushedHitTest() == nHitCode;
  const bool bAnswer = TBase::OnButtonClick(nHitCode, bDown, nButton, nFlags);
  if (bDown || !bWasPressed ||
      (nHitCode != CExtTabWnd::HT_BUTTON_HELP && nHitCode != CExtTabWnd::HT_BUTTON_CLOSE))
    return bAnswer;
  HWND hChild = ChildOf(this->ItemGet(this->SelectionGet()));
  if (hChild == NULL)
    return bAnswer;
  CPoint pt;
  ::GetCursorPos(&pt);
  this->PostMessage(WM_CANCELMODE);
  ::PostMessageA(hChild, WM_SYSCOMMAND, nHitCode == CExtTabWnd::HT_BUTTON_HELP ? SC_CONTEXTHELP : SC_CLOSE,
                 MAKELPARAM(pt.x, pt.y));
  return bAnswer;
}

template <class TBase> void CExtTMWI<TBase>::ShowContextMenu(CPoint ptScreen) {
  CPoint ptClient(ptScreen);
  this->ScreenToClient(&ptClient);
  const int nHit = this->HitTest(ptClient);
  if (nHit >= 0)
    this->SelectItem(nHit, true, true);
  CWnd* pFrame = CWnd::FromHandle(GetMdiFrameWnd());
  if (pFrame == NULL)
    return;
  // The tracking site owns the menu once tracking starts; until then it is ours.
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(pFrame->GetSafeHwnd()))
    return;
  CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_MDITAB_CONTEXT,
                                             pPopup.get(), this, ptScreen, WM_CONTEXTMENU);
  if (!data.NotifyTarget(false))
    return;
  data.NotifyTarget(true);
  if (pPopup->GetItemCount() == 0)
    return;
  pFrame->SetFocus();
  if (pPopup->RunTrackingLoop(0x880, ptScreen.x, ptScreen.y))
    pPopup.release();
  this->Invalidate();
  this->UpdateWindow();
}

// ---------------------------------------------------------------------------------------------
// Item texts and icons, asked of the children.

template <class TBase>
CExtCmdIcon* CExtTMWI<TBase>::OnTabWndQueryItemIcon(const typename TBase::TAB_ITEM_INFO* pItem) {
  HWND h = ChildOf(pItem);
  if (h == NULL)
    return NULL;
  auto hIcon = reinterpret_cast<HICON>(::SendMessageA(h, WM_GETICON, ICON_SMALL, 0));
  if (hIcon == NULL)
    hIcon = reinterpret_cast<HICON>(::SendMessageA(h, WM_GETICON, ICON_BIG, 0));
  if (hIcon == NULL)
    hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(h, GCLP_HICONSM));
  if (hIcon == NULL)
    hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(h, GCLP_HICON));
  if (hIcon == NULL)
    return NULL;
  std::unique_ptr<ChildIcon>& pEntry = m_childIcons[h];
  if (pEntry == nullptr)
    pEntry = std::make_unique<ChildIcon>();
  if (pEntry->hSource != hIcon || pEntry->icon.IsEmpty()) {
    // A copy of our own: the child keeps its handle.
    pEntry->icon.AssignFromHIcon(static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0)), false);
    pEntry->hSource = hIcon;
  }
  return pEntry->icon.IsEmpty() ? NULL : &pEntry->icon;
}

template <class TBase> void CExtTMWI<TBase>::ForgetStaleChildIcons() {
  for (auto it = m_childIcons.begin(); it != m_childIcons.end();) {
    if (ItemFindChild(it->first) < 0)
      it = m_childIcons.erase(it);
    else
      ++it;
  }
}

template <class TBase>
LPCSTR CExtTMWI<TBase>::OnTabWndQueryItemText(const typename TBase::TAB_ITEM_INFO* pItem) {
  HWND h = ChildOf(pItem);
  if (h == NULL)
    return NULL;
  CString& s = ItemTextBuffer();
  s.Empty();
  if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(h))) {
    CDocument* pDoc = pFrame->GetActiveDocument();
    if (pDoc != NULL && !pDoc->GetTitle().IsEmpty()) {
      s = pDoc->GetTitle();
      if (pFrame->m_nWindow > 0) {
        CString sNumber;
        sNumber.Format(":%d", pFrame->m_nWindow);
        s += sNumber;
      }
    }
  }
  if (s.IsEmpty()) {
    char szText[512] = "";
    ::GetWindowTextA(h, szText, sizeof(szText));
    s = szText;
  }
  return s;
}

// ---------------------------------------------------------------------------------------------
// Borders and the MDI client's messages.

template <class TBase> void CExtTMWI<TBase>::CalcClientNcSize(RECT& rc) {
  DeflateExceptSide(rc, SideFacingStrip(), MDI_BORDER);
  OnMdiClientNcCalcSize(rc);
  rc.left += m_rcClientMargins1.left + m_rcClientMargins2.left;
  rc.top += m_rcClientMargins1.top + m_rcClientMargins2.top;
  rc.right -= m_rcClientMargins1.right + m_rcClientMargins2.right;
  rc.bottom -= m_rcClientMargins1.bottom + m_rcClientMargins2.bottom;
}

template <class TBase> void CExtTMWI<TBase>::PaintClientNcArea(HWND hWndClient) {
  struct Inner {
    CExtTMWI* pThis;
    int nSide;
  } inner{this, SideFacingStrip()};
  auto pfnInner = [](CDC& dc, const RECT& rcWnd, const RECT& rcClient, void* pCookie) {
    auto* p = static_cast<Inner*>(pCookie);
    CRect rcInner(rcWnd);
    DeflateExceptSide(rcInner, p->nSide, MDI_BORDER);
    if (rcInner != CRect(rcClient))
      p->pThis->OnMdiClientNcPaint(dc, rcInner);
  };
  PaintBorder(hWndClient, this, inner.nSide, MDI_BORDER, pfnInner, &inner);
}

template <class TBase> LRESULT CExtTMWI<TBase>::OnOwnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  RECT* pRect =
      wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  DeflateExceptSide(*pRect, OppositeSide(this->OrientationGet()), MDI_BORDER);
  return 0;
}

template <class TBase> void CExtTMWI<TBase>::PaintOwnNcArea() {
  const int nTowardsClient = OppositeSide(this->OrientationGet());
  PaintBorder(this->m_hWnd, this, nTowardsClient, MDI_BORDER, NULL, NULL);
}

template <class TBase>
bool CExtTMWI<TBase>::OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                      LPARAM& lParam) {
  switch (nMessage) {
  case WM_MDICREATE:
  case WM_MDIREFRESHMENU:
  // Ctrl+F6 and the child's Next Window reach the client as this, not as WM_MDIACTIVATE: the sync
  // after it selects the newly active child's tab.
  case WM_MDINEXT:
    PostSync();
    break;
  case WM_MDIDESTROY: {
    // A child destroyed before any sync gave it an item has nothing to remove.
    const int nIndex = ItemFindChild(reinterpret_cast<HWND>(wParam));
    if (nIndex >= 0)
      WhileSyncing([&] { this->RemoveItems(nIndex, 1, true); });
    PostSync();
    break;
  }
  case WM_MDIACTIVATE: {
    // Likewise a child activated before it has an item leaves the selection alone.
    const int nIndex = ItemFindChild(reinterpret_cast<HWND>(wParam));
    if (nIndex >= 0)
      WhileSyncing([&] { this->SelectItem(nIndex, true, true); });
    PostSync();
    break;
  }
  case WM_WINDOWPOSCHANGING:
    reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
    break;
  case WM_NCCALCSIZE:
    CalcClientNcSize(wParam != 0 ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                 : *reinterpret_cast<RECT*>(lParam));
    lResult = 0;
    return true;
  case WM_NCPAINT:
    PaintClientNcArea(hWndHooked);
    lResult = 0;
    return true;
  default:
    break;
  }
  return CExtHookSink::OnWindowMessage(lResult, hWndHooked, nMessage, wParam, lParam);
}

template <class TBase> LRESULT CExtTMWI<TBase>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_TIMER:
    if (wParam != TIMER_MDI_SYNC)
      break;
    this->KillTimer(TIMER_MDI_SYNC);
    if (!IsSyncing())
      SyncMdiChildren();
    return 0;
  case WM_WINDOWPOSCHANGING:
    reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
    break;
  case WM_NCCALCSIZE:
    if (!this->IsWindowVisible())
      break;
    return OnOwnNcCalcSize(wParam, lParam);
  case WM_NCPAINT:
    PaintOwnNcArea();
    return 0;
  case WM_CONTEXTMENU:
    if (CExtControlBar::IsFrameInHelpMode(this))
      break;
    ShowContextMenu(CPoint(lParam));
    return 0;
  default:
    if (message == CExtControlBar::g_nMsgQueryRepositionCalcEffect && this->m_bReposCalcEffect != 0) {
      auto* pQuery = reinterpret_cast<CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA*>(wParam);
      if (pQuery != NULL && pQuery->IsQueryOnly() && pQuery->m_pWndToReposition != NULL &&
          pQuery->m_pWndToReposition->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pQuery->ExcludeFromQuery(true);
      return 0;
    }
    break;
  }
  return TBase::WindowProc(message, wParam, lParam);
}

template class CExtTMWI<CExtTabWnd>;

IMPLEMENT_DYNCREATE(CExtTabMdiWnd, CExtTabWnd)

CExtTabMdiWnd::~CExtTabMdiWnd() = default;
