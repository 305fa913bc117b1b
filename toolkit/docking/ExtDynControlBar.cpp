// The container bar: its inner dock bar, a caption it never shows, visibility and minimum sizes
// that follow the bars inside, and the predicates it passes on to them.
#include "toolkit/docking/ExtDynControlBar.h"

#include "toolkit/docking/ExtDockDynBar.h"
#include "toolkit/foundation/ExtRuntimeClass.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtDynControlBar, CExtControlBar)
ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
const DWORD kInnerDockBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_TOP | CBRS_BORDER_ANY;
} // namespace

CExtDynControlBar::CExtDynControlBar() : m_pWndDynDockBar(NULL) {
  // A container is no bar of its own to the user.
  m_bBarFlags &= ~BF_IN_BARS_MENU;
  m_bAutoDelete = TRUE;
}

CExtDockDynBar* CExtDynControlBar::CreateInnerDockBar() { return new CExtDockDynBar(0); }

int CExtDynControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CExtControlBar::OnCreate(lpcs) == -1)
    return -1;
  UINT nId = static_cast<UINT>(GetDlgCtrlID());
  // A tabbed container made floating still lays its bars out in rows of the top kind.
  if (nId == AFX_IDW_DOCKBAR_FLOAT && IsKindOfName(this, "CExtDynTabControlBar")) {
    nId = AFX_IDW_DOCKBAR_TOP;
    SetDlgCtrlID(static_cast<int>(nId));
  }
  CExtDockDynBar* pInner = CreateInnerDockBar();
  // A dock bar whose window cannot be made deletes itself.
  if (pInner == NULL || !pInner->Create(GetParent(), kInnerDockBarStyle, nId))
    return -1;
  // Bars take their alignment from the dock bar, so it follows the rows' direction.
  pInner->m_dwStyle = (pInner->m_dwStyle & ~CBRS_ALIGN_ANY) | CExtDockBar::AlignmentOfSide(nId);
  m_pWndDynDockBar = pInner;
  pInner->SetParent(this);
  pInner->EnableToolTips();
  return 0;
}

bool CExtDynControlBar::QueryCaption(bool* pbOnTop, bool* pbShown) const {
  if (pbOnTop != NULL)
    *pbOnTop = false;
  if (pbShown != NULL)
    *pbShown = false;
  return false;
}

void CExtDynControlBar::ShowInFrame(bool bShow, bool bDelay, bool bExtra) {
  CFrameWnd* pFrame = GetDockingFrame();
  if (m_pWndDynDockBar != NULL) {
    std::vector<CControlBar*> arrBars;
    m_pWndDynDockBar->GetDockedBars(arrBars);
    for (CControlBar* pBar : arrBars) {
      if (CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar))
        pExtBar->ShowInFrame(bShow, true, bExtra);
      else if (pFrame != NULL)
        pFrame->ShowControlBar(pBar, bShow, TRUE);
    }
  }
  if (pFrame == NULL)
    return;
  pFrame->ShowControlBar(this, bShow, bDelay);
  CFrameWnd* pParentFrame = GetParentFrame();
  if (!bDelay && pParentFrame != NULL)
    pParentFrame->RecalcLayout();
}

CSize CExtDynControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  CSize size = CExtControlBar::CalcDynamicLayout(nLength, dwMode);
  if (m_pDockBar == NULL || m_pDockBar->m_bLayoutQuery || m_pWndDynDockBar == NULL ||
      m_pWndDynDockBar->m_hWnd == NULL)
    return size;
  if (m_pWndDynDockBar->GetDockedVisibleCount() == 0) {
    // Nothing to show: the container gives its place up until one of its bars shows again.
    if (m_pDockSite != NULL && IsVisible())
      m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    return CSize(0, 0);
  }
  CFrameWnd* pParentFrame = GetParentFrame();
  if (!m_pWndDynDockBar->IsLocked() && pParentFrame != NULL &&
      pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) && m_pDockBar->GetParent() == pParentFrame)
    m_pWndDynDockBar->RecalcNestedLayout();
  return size;
}

CSize CExtDynControlBar::CalcInnerMinSize() const {
  CExtDockDynBar* pInner = m_pWndDynDockBar;
  if (pInner == NULL || pInner->m_hWnd == NULL)
    return CSize(0, 0);
  CExtDockDynBar::VisibleLayout layout;
  pInner->BuildVisibleLayout(layout);
  // The geometric minimum: rows stack across, the bars of a row follow each other along it.
  CSize size = pInner->HasHorizontalRows() ? CSize(layout.m_nMaxMinLength, layout.m_nTotalMinThickness)
                                           : CSize(layout.m_nTotalMinThickness, layout.m_nMaxMinLength);
  if (m_hWnd != NULL) {
    // The container's own resizer bands come on top.
    CRect rcWnd, rcClient;
    GetWindowRect(&rcWnd);
    GetClientRect(&rcClient);
    size += rcWnd.Size() - rcClient.Size();
  }
  return size;
}

int CExtDynControlBar::CalcMinWidth() const { return std::max<int>(CalcInnerMinSize().cx, 1); }

int CExtDynControlBar::CalcMinHeight() const { return std::max<int>(CalcInnerMinSize().cy, 1); }

CSize CExtDynControlBar::GetMinFloatingSize() const { return CalcInnerMinSize(); }

// --- predicates the contained bars answer ------------------------------------------------------------

template <typename Pred> bool CExtDynControlBar::AllContainedAgree(Pred pred, bool bBaseAnswer) const {
  if (m_pWndDynDockBar == NULL)
    return bBaseAnswer;
  const CPtrArray& arr = m_pWndDynDockBar->m_arrBars;
  for (INT_PTR i = 0; i < arr.GetSize(); i++) {
    CExtControlBar* pBar =
        DYNAMIC_DOWNCAST(CExtControlBar, m_pWndDynDockBar->GetDockedControlBar(static_cast<int>(i)));
    if (pBar != NULL && !pred(pBar))
      return false;
  }
  return bBaseAnswer;
}

bool CExtDynControlBar::IsRowResizingEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsRowResizingEnabled(); },
                           CExtControlBar::IsRowResizingEnabled());
}

bool CExtDynControlBar::IsInRowResizingEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsInRowResizingEnabled(); },
                           CExtControlBar::IsInRowResizingEnabled());
}

bool CExtDynControlBar::IsDraggingEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsDraggingEnabled(); },
                           CExtControlBar::IsDraggingEnabled());
}

bool CExtDynControlBar::IsDblClickToggleEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsDblClickToggleEnabled(); },
                           CExtControlBar::IsDblClickToggleEnabled());
}

bool CExtDynControlBar::IsNcMenuButtonEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsNcMenuButtonEnabled(); },
                           CExtControlBar::IsNcMenuButtonEnabled());
}

bool CExtDynControlBar::IsNcCloseButtonEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsNcCloseButtonEnabled(); },
                           CExtControlBar::IsNcCloseButtonEnabled());
}

bool CExtDynControlBar::IsNcAutoHideButtonEnabled() const {
  return AllContainedAgree([](CExtControlBar* p) { return p->IsNcAutoHideButtonEnabled(); },
                           CExtControlBar::IsNcAutoHideButtonEnabled());
}

bool CExtDynControlBar::IsTabbedDockingAllowed(bool bIgnored) const {
  if (!CExtControlBar::IsTabbedDockingAllowed(bIgnored) || m_pWndDynDockBar == NULL)
    return false;
  return AllContainedAgree([bIgnored](CExtControlBar* p) { return p->IsTabbedDockingAllowed(bIgnored); },
                           true);
}
