// The strip of auto-hidden bars: its tabs, its share of the frame's layout and the sliding out of
// the bar whose tab gets selected.
#include "toolkit/docking/ExtDynAutoHideArea.h"

#include "framework/app/fw_app.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/foundation/ExtRuntimeClass.h"

IMPLEMENT_DYNCREATE(CExtDynAutoHideArea, CExtTabWnd)

BEGIN_MESSAGE_MAP(CExtDynAutoHideArea, CExtTabWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The strip's orientation for a side id; -1 for other ids.
int OrientationOfSide(UINT nDockBarId) {
  switch (nDockBarId) {
  case AFX_IDW_DOCKBAR_TOP:
    return CExtTabWnd::TS_ORIENT_TOP;
  case AFX_IDW_DOCKBAR_BOTTOM:
    return CExtTabWnd::TS_ORIENT_BOTTOM;
  case AFX_IDW_DOCKBAR_LEFT:
    return CExtTabWnd::TS_ORIENT_LEFT;
  case AFX_IDW_DOCKBAR_RIGHT:
    return CExtTabWnd::TS_ORIENT_RIGHT;
  default:
    return -1;
  }
}

const DWORD kAreaTabStyle =
    CExtTabWnd::TS_GROUPED | CExtTabWnd::TS_AUTOHIDE_SCROLL | CExtTabWnd::TS_HOVER_SELECT;
const UINT kZOrderFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING;

// The outer dock bar of the side among the frame's children, NULL when there is none.
CExtDockBar* OuterDockBarOf(CFrameWnd* pFrame, UINT nSideId) {
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
    return NULL;
  for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(h);
    if (pWnd != NULL && IsKindOfName(pWnd, "CExtDockOuterBar") &&
        static_cast<UINT>(pWnd->GetDlgCtrlID()) == nSideId)
      return static_cast<CExtDockBar*>(pWnd);
  }
  return NULL;
}

// Whether window a comes before window b among their parent's children.
bool ComesBefore(HWND a, HWND b) {
  for (HWND h = a; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == b)
      return true;
  return false;
}

// Of two sibling dock bars, the one the frame lays out last; either may be missing.
CWnd* LaterOf(CWnd* a, CWnd* b) {
  if (a == NULL)
    return b;
  if (b == NULL)
    return a;
  return ComesBefore(a->m_hWnd, b->m_hWnd) ? b : a;
}

void PlaceAfter(CWnd* pWnd, CWnd* pAfter) {
  if (pWnd != NULL && pAfter != NULL && pWnd != pAfter)
    pWnd->SetWindowPos(pAfter, 0, 0, 0, 0, kZOrderFlags);
}

} // namespace

bool CExtDynAutoHideArea::g_bAcceptOleDrags = true;

CExtDynAutoHideArea::CExtDynAutoHideArea() = default;

CExtDynAutoHideArea::~CExtDynAutoHideArea() = default;

bool CExtDynAutoHideArea::Create(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider, UINT nDockBarId) {
  const int nOrientation = OrientationOfSide(nDockBarId);
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || nOrientation < 0)
    return false;
  m_pWndSlider = pSlider;
  if (!CExtTabWnd::Create(pFrame, CRect(0, 0, 0, 0), nDockBarId, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                          static_cast<DWORD>(nOrientation) | kAreaTabStyle))
    return false;
  // The strip is laid out by side, never mirrored.
  if ((GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0)
    ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_RTLREADING, 0, SWP_FRAMECHANGED);
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
    if (pDock != NULL && !pDock->m_bFloating && static_cast<UINT>(pDock->GetDlgCtrlID()) == nDockBarId)
      pDock->m_pWndAutoHideArea = this;
  }
  AdjustFrameZOrder(pFrame);
  OnTabWndSyncVisibility();
  GetWindowRect(&m_rcLastWindow);
  if (g_bAcceptOleDrags && AfxOleIsInitialized() && !m_dropTarget.Register(this))
    TRACE("CExtDynAutoHideArea: the area accepts no OLE drags\n");
  return true;
}

DROPEFFECT CExtDynAutoHideArea::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) {
  const int nHit = m_pArea->HitTest(point);
  if (nHit >= 0 && nHit < m_pArea->ItemGetCount() && m_pArea->SelectionGet() != nHit)
    m_pArea->SelectItem(nHit, true, true);
  return DROPEFFECT_NONE;
}

void CExtDynAutoHideArea::PostNcDestroy() {
  CExtTabWnd::PostNcDestroy();
  delete this;
}

void CExtDynAutoHideArea::OnDestroy() {
  if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && m_pWndSlider->GetArea() == this)
    m_pWndSlider->SlideWindow(NULL, false, false);
  // The dock bars must not keep a strip that is gone.
  if (CFrameWnd* pFrame = GetFrame()) {
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
      CExtDockBar* pDock =
          DYNAMIC_DOWNCAST(CExtDockBar, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
      if (pDock != NULL && pDock->m_pWndAutoHideArea == this)
        pDock->m_pWndAutoHideArea = NULL;
    }
  }
  CWnd::OnDestroy();
}

CFrameWnd* CExtDynAutoHideArea::GetFrame() const { return DYNAMIC_DOWNCAST(CFrameWnd, GetParent()); }

CExtControlBar* CExtDynAutoHideArea::BarOfItem(int nIndex) const {
  const TAB_ITEM_INFO* pItem = ItemGet(nIndex);
  return pItem != NULL ? reinterpret_cast<CExtControlBar*>(pItem->LParamGet()) : NULL;
}

CExtDockBar* CExtDynAutoHideArea::GetOuterDockBar() const {
  CFrameWnd* pFrame = GetFrame();
  UINT nSide = GetSideId();
  if (pFrame != NULL && (pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
    if (nSide == AFX_IDW_DOCKBAR_LEFT)
      nSide = AFX_IDW_DOCKBAR_RIGHT;
    else if (nSide == AFX_IDW_DOCKBAR_RIGHT)
      nSide = AFX_IDW_DOCKBAR_LEFT;
  }
  return OuterDockBarOf(pFrame, nSide);
}

// --- bars and tabs -----------------------------------------------------------------------------

void CExtDynAutoHideArea::AppendBar(CExtControlBar* pBar, bool bNoSlide) {
  if (pBar == NULL || pBar->GetSafeHwnd() == NULL || GetSafeHwnd() == NULL)
    return;
  if (ItemFindByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true) >= 0)
    return; // already one of ours
  // A tab container would bring all its bars as one group; until containers exist, every bar is
  // a group of its own.
  DWORD dwStyle = TIS_GROUP_START | AIS_NO_ICON;
  if (!pBar->IsTabItemEnabled())
    dwStyle |= TIS_HIDDEN;
  CString sText;
  pBar->GetBarCaption(sText);
  m_bInsertFlags |= INSERTING;
  InsertItem(sText, NULL, false, dwStyle, -1, reinterpret_cast<LPARAM>(pBar), false);
  const int nIndex = ItemGetCount() - 1;
  pBar->m_bExtraFlags |= CExtControlBar::XF_AUTO_HIDDEN;
  SelectItem(nIndex, false, false);
  SelectItem(-1, false, false);
  m_bInsertFlags &= ~INSERTING;
  OnTabWndSyncVisibility();
  UpdateTabWnd(true);
  if (bNoSlide)
    return;
  if (CFrameWnd* pFrame = GetFrame())
    pFrame->RecalcLayout();
  SelectItemByKeyboard(nIndex);
}

void CExtDynAutoHideArea::RemoveBar(CExtControlBar* pBar, bool bDelay) {
  const int nIndex = pBar != NULL ? ItemFindByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true) : -1;
  if (nIndex < 0)
    return;
  if (m_pWndSlider != NULL && m_pWndSlider->GetShownBar() == pBar)
    m_pWndSlider->SlideWindow(pBar, false, false);
  m_bInsertFlags |= INSERTING;
  if (SelectionGet() == nIndex)
    SelectItem(-1, false, false);
  RemoveItems(nIndex, 1, false);
  m_bInsertFlags &= ~INSERTING;
  pBar->m_bExtraFlags &= ~CExtControlBar::XF_AUTO_HIDDEN;
  OnTabWndSyncVisibility();
  UpdateTabWnd(true);
  CFrameWnd* pFrame = pBar->GetDockingFrame();
  if (pFrame == NULL)
    pFrame = GetFrame();
  if (pFrame == NULL)
    return;
  if (bDelay) {
    pFrame->DelayRecalcLayout();
    return;
  }
  pBar->EnsureRowLength();
  pFrame->ShowControlBar(pBar, TRUE, FALSE);
}

void CExtDynAutoHideArea::RefreshBarText(CExtControlBar* pBar) {
  TAB_ITEM_INFO* pItem = ItemGet(ItemFindByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true));
  if (pItem == NULL)
    return;
  CString sText;
  pBar->GetBarCaption(sText);
  pItem->SetOwnText(sText);
  UpdateTabWnd(true);
  if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && m_pWndSlider->GetShownBar() == pBar)
    m_pWndSlider->SendMessage(WM_NCPAINT);
}

CExtDynAutoHideArea* CExtDynAutoHideArea::FindBarArea(CExtControlBar* pBar, int* pIndex) {
  if (pIndex != NULL)
    *pIndex = -1;
  if (pBar == NULL)
    return NULL;
  CWnd* pFrame = pBar->m_pDockSite;
  if (pFrame == NULL)
    pFrame = pBar->GetParentFrame();
  CExtDynAutoHideArea* arrAreas[4] = {};
  GetFrameAreas(pFrame, &arrAreas[0], &arrAreas[1], &arrAreas[2], &arrAreas[3]);
  for (CExtDynAutoHideArea* pArea : arrAreas) {
    if (pArea == NULL)
      continue;
    const int nIndex = pArea->ItemFindByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
    if (nIndex >= 0) {
      if (pIndex != NULL)
        *pIndex = nIndex;
      return pArea;
    }
  }
  return NULL;
}

void CExtDynAutoHideArea::GetFrameAreas(CWnd* pWnd, CExtDynAutoHideArea** ppTop,
                                        CExtDynAutoHideArea** ppBottom, CExtDynAutoHideArea** ppLeft,
                                        CExtDynAutoHideArea** ppRight) {
  CExtDynAutoHideArea** arrOut[4] = {ppTop, ppBottom, ppLeft, ppRight};
  for (CExtDynAutoHideArea** pp : arrOut)
    if (pp != NULL)
      *pp = NULL;
  if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pWnd = pWnd->GetParentFrame();
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
    return;
  for (HWND h = ::GetWindow(pWnd->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    CExtDynAutoHideArea* pArea = DYNAMIC_DOWNCAST(CExtDynAutoHideArea, CWnd::FromHandlePermanent(h));
    if (pArea == NULL)
      continue;
    const int nOrientation = OrientationOfSide(pArea->GetSideId());
    if (nOrientation >= 0 && arrOut[nOrientation] != NULL && *arrOut[nOrientation] == NULL)
      *arrOut[nOrientation] = pArea;
  }
}

void CExtDynAutoHideArea::AdjustFrameZOrder(CFrameWnd* pFrame) {
  CExtDynAutoHideArea *pTop = NULL, *pBottom = NULL, *pLeft = NULL, *pRight = NULL;
  GetFrameAreas(pFrame, &pTop, &pBottom, &pLeft, &pRight);
  // Left and right strips after the top and bottom dock bars, top and bottom strips after the
  // left and right ones: each strip then gets the band its dock bars leave along its side.
  CWnd* pAfterHorz =
      LaterOf(OuterDockBarOf(pFrame, AFX_IDW_DOCKBAR_TOP), OuterDockBarOf(pFrame, AFX_IDW_DOCKBAR_BOTTOM));
  PlaceAfter(pLeft, pAfterHorz);
  PlaceAfter(pRight, pLeft != NULL ? pLeft : pAfterHorz);
  CWnd* pAfterVert =
      LaterOf(OuterDockBarOf(pFrame, AFX_IDW_DOCKBAR_LEFT), OuterDockBarOf(pFrame, AFX_IDW_DOCKBAR_RIGHT));
  PlaceAfter(pTop, pAfterVert);
  PlaceAfter(pBottom, pTop != NULL ? pTop : pAfterVert);
}

// --- selection ---------------------------------------------------------------------------------

int CExtDynAutoHideArea::SelectItemByKeyboard(int nIndex) {
  m_bSelectFlags |= SELECT_BY_KEYBOARD;
  const int nOld = SelectItem(nIndex, true, true);
  m_bSelectFlags &= ~SELECT_BY_KEYBOARD;
  return nOld;
}

bool CExtDynAutoHideArea::OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest) {
  if (bPreSelectionTest || IsInserting())
    return CExtTabWnd::OnTabWndSelectionChange(nOldIndex, nNewIndex, bPreSelectionTest);
  if (m_pWndSlider == NULL || m_pWndSlider->GetSafeHwnd() == NULL)
    return true;
  if (nNewIndex < 0) {
    if (m_pWndSlider->GetArea() == this)
      m_pWndSlider->SlideWindow(NULL, false, false);
    return true;
  }
  CExtControlBar* pBar = BarOfItem(nNewIndex);
  if (pBar == NULL || m_pWndSlider->GetShownBar() == pBar)
    return true;
  m_pWndSlider->SetArea(this);
  const bool bAnimate = (m_bSelectFlags & SELECT_BY_KEYBOARD) == 0;
  m_pWndSlider->SlideWindow(pBar, true, bAnimate);
  return true;
}

bool CExtDynAutoHideArea::HandleCtrlPageKey(const MSG* pMsg) {
  if (pMsg == NULL || pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_PRIOR && pMsg->wParam != VK_NEXT) ||
      (::GetKeyState(VK_CONTROL) & 0x8000) == 0)
    return false;
  const int nCount = ItemGetCount();
  const int nStep = pMsg->wParam == VK_NEXT ? 1 : -1;
  int nIndex = SelectionGet();
  // One full round at most: with no other tab of a hidden bar, the key is eaten and nothing
  // changes.
  for (int i = 0; i < nCount; ++i) {
    nIndex = (nIndex + nStep + nCount) % nCount;
    if (nIndex == SelectionGet())
      break;
    const TAB_ITEM_INFO* pItem = ItemGet(nIndex);
    CExtControlBar* pBar = BarOfItem(nIndex);
    if (pItem == NULL || !pItem->VisibleGet() || pBar == NULL || pBar->GetSafeHwnd() == NULL ||
        pBar->IsWindowVisible())
      continue;
    SelectItemByKeyboard(nIndex);
    if (m_pWndSlider != NULL && m_pWndSlider->GetShownBar() == pBar)
      pBar->SetFocus();
    break;
  }
  return true;
}

// --- layout ------------------------------------------------------------------------------------

void CExtDynAutoHideArea::OnTabWndSyncVisibility() {
  if (GetSafeHwnd() == NULL)
    return;
  const bool bShow = ItemGetCount() > 0 && !CExtControlBar::IsPrintPreviewActive(GetFrame());
  if (bShow == (IsWindowVisible() != FALSE))
    return;
  SetWindowPos(NULL, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CExtDynAutoHideArea::OnTabWndQueryLayoutRect(RECT& rc) const {
  CExtTabWnd::OnTabWndQueryLayoutRect(rc);
  if (!OrientationIsHorizontal())
    return;
  CExtDynAutoHideArea *pLeft = NULL, *pRight = NULL;
  GetFrameAreas(GetParent(), NULL, NULL, &pLeft, &pRight);
  const bool bSideTabs =
      (pLeft != NULL && pLeft->ItemGetCount() > 0) || (pRight != NULL && pRight->ItemGetCount() > 0);
  if (!bSideTabs)
    return;
  // Leave the corners to the side strips: indent both ends by this strip's own thickness.
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const int nIndent = rcWnd.Height();
  if (rc.right - rc.left > 2 * nIndent) {
    rc.left += nIndent;
    rc.right -= nIndent;
  }
}

LRESULT CExtDynAutoHideArea::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (pLayout == NULL)
    return 0;
  const CRect rcBefore(pLayout->rect);
  CExtTabWnd::OnSizeParent(wParam, lParam);
  const CRect& rcAfter = pLayout->rect;
  const int nThickness = (rcAfter.top - rcBefore.top) + (rcBefore.bottom - rcAfter.bottom) +
                         (rcAfter.left - rcBefore.left) + (rcBefore.right - rcAfter.right);
  CExtDockBar* pDock = GetOuterDockBar();
  if (nThickness <= 0 || !IsWindowVisible() || pDock == NULL)
    return 0;
  // A dock bar laid out before the strip has its inner edge on the strip's outer side; move it
  // past the strip, so that what lies inside the dock bars starts after the strip. A dock bar
  // laid out later finds the strip's band already taken.
  if (!ComesBefore(pDock->m_hWnd, m_hWnd))
    return 0;
  if (rcAfter.top > rcBefore.top)
    pDock->m_rcInnerEdge.OffsetRect(0, nThickness);
  else if (rcAfter.bottom < rcBefore.bottom)
    pDock->m_rcInnerEdge.OffsetRect(0, -nThickness);
  else if (rcAfter.left > rcBefore.left)
    pDock->m_rcInnerEdge.OffsetRect(nThickness, 0);
  else
    pDock->m_rcInnerEdge.OffsetRect(-nThickness, 0);
  return 0;
}

void CExtDynAutoHideArea::CancelSliderOnMove() {
  CRect rc;
  GetWindowRect(&rc);
  if (rc == m_rcLastWindow)
    return;
  m_rcLastWindow = rc;
  if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && m_pWndSlider->IsBarShown())
    m_pWndSlider->SendMessage(WM_CANCELMODE);
}

void CExtDynAutoHideArea::OnSize(UINT nType, int cx, int cy) {
  CExtTabWnd::OnSize(nType, cx, cy);
  CancelSliderOnMove();
}

void CExtDynAutoHideArea::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CExtTabWnd::OnWindowPosChanged(lpwndpos);
  CancelSliderOnMove();
}
