// The dock bar window: its class, creation on its side of the frame, its share of the frame's
// client area, painting, cancel mode, the walk over nested containers and the release of its
// bars when it goes.
#include "toolkit/docking/ExtDockBar.h"

#include "framework/app/fw_app.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/foundation/ExtWndClass.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CExtDockBar, CDockBar)
ON_WM_CONTEXTMENU()
ON_WM_CANCELMODE()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_DESTROY()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

const char CExtDockBar::kClassName[] = "Corvane-DockBar";

namespace {
bool g_bDockBarClassRegistered = false;
const DWORD kRtlExStyles = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

bool IsRtlFrame(CWnd* pWnd) { return pWnd != NULL && (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0; }
} // namespace

CExtDockBar::CExtDockBar(UINT nCircleNo)
    : m_bDockBarFlags(0), m_nCircleNo(nCircleNo), m_pDockBarOuter(NULL), m_pDockBarInner(NULL),
      m_rcInnerEdge(0, 0, 0, 0), m_pWndAutoHideArea(NULL) {
  RegisterWndClass();
}

CExtDockBar::~CExtDockBar() = default;

bool CExtDockBar::RegisterWndClass() {
  if (g_bDockBarClassRegistered)
    return true;
  g_bDockBarClassRegistered = ExtRegisterWndClass(kClassName, CS_GLOBALCLASS | CS_DBLCLKS);
  return g_bDockBarClassRegistered;
}

BOOL CExtDockBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (!RegisterWndClass() || !CDockBar::PreCreateWindow(cs))
    return FALSE;
  cs.lpszClass = kClassName;
  return TRUE;
}

DWORD CExtDockBar::AlignmentOfSide(UINT nSideId) {
  switch (nSideId) {
  case AFX_IDW_DOCKBAR_TOP:
    return CBRS_ALIGN_TOP;
  case AFX_IDW_DOCKBAR_BOTTOM:
    return CBRS_ALIGN_BOTTOM;
  case AFX_IDW_DOCKBAR_LEFT:
    return CBRS_ALIGN_LEFT;
  case AFX_IDW_DOCKBAR_RIGHT:
    return CBRS_ALIGN_RIGHT;
  default:
    return 0;
  }
}

UINT CExtDockBar::GetSideId() const { return m_hWnd != NULL ? static_cast<UINT>(::GetDlgCtrlID(m_hWnd)) : 0; }

BOOL CExtDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  // The framework's dock bar asks for its own class; ours goes through PreCreateWindow.
  m_dwStyle = dwStyle & CBRS_ALL;
  if (!CWnd::Create(kClassName, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID))
    return FALSE;
  // Until the first layout the dock bar lies collapsed on its side's edge.
  CRect rc;
  pParentWnd->GetClientRect(&rc);
  switch (nID) {
  case AFX_IDW_DOCKBAR_TOP:
    rc.bottom = rc.top;
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    rc.right = rc.left;
    break;
  case AFX_IDW_DOCKBAR_RIGHT:
    rc.left = rc.right;
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    rc.top = rc.bottom;
    break;
  default:
    break;
  }
  SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  // Rows are laid out left to right whatever the frame's reading order.
  if (GetExStyle() & kRtlExStyles)
    ModifyStyleEx(kRtlExStyles, 0, SWP_FRAMECHANGED);
  return TRUE;
}

LRESULT CExtDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE: {
    LRESULT lResult = CDockBar::WindowProc(message, wParam, lParam);
    if (lResult != -1)
      EnableToolTips();
    return lResult;
  }
  case WM_DESTROY:
  case WM_NCDESTROY:
    // The circle neighbours must not reach a dock bar that is going.
    if (m_pDockBarOuter != NULL && m_pDockBarOuter->m_pDockBarInner == this)
      m_pDockBarOuter->m_pDockBarInner = NULL;
    if (m_pDockBarInner != NULL && m_pDockBarInner->m_pDockBarOuter == this)
      m_pDockBarInner->m_pDockBarOuter = NULL;
    m_pDockBarOuter = m_pDockBarInner = NULL;
    break;
  default:
    break;
  }
  return CDockBar::WindowProc(message, wParam, lParam);
}

HWND CExtDockBar::GetParentFrameHwnd() const {
  CFrameWnd* pFrame = m_hWnd != NULL ? GetParentFrame() : NULL;
  return pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
}

bool CExtDockBar::IsEmpty() const {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    if (m_arrBars[i] != NULL)
      return false;
  return true;
}

int CExtDockBar::FindEntry(const void* pEntry, int nPosExclude) const {
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    if (i != nPosExclude && m_arrBars[i] == pEntry)
      return static_cast<int>(i);
  return -1;
}

void CExtDockBar::RemoveEntry(int nPos) {
  m_arrBars.RemoveAt(nPos);
  if (nPos > 0 && nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
    m_arrBars.RemoveAt(nPos);
}

void CExtDockBar::LockLayoutOptimization(bool bLock) {
  if (bLock)
    m_bDockBarFlags |= DBF_LOCKED;
  else
    m_bDockBarFlags &= ~DBF_LOCKED;
}

// ---------------------------------------------------------------------------------------------
// Painting and small messages

void CExtDockBar::DoPaint(CDC* pDC) {
  CRect rcClient;
  GetClientRect(&rcClient);
  CExtMemoryDC dc(pDC, &rcClient);
  g_PaintManagerHolder->PaintDockBarClientArea(dc, rcClient, this);
  g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtDockBar::DrawBorders(CDC* pDC, CRect& rect) {
  ControlBarBordersPaintData data(this, 0, m_dwStyle, rect);
  g_PaintManagerHolder->PaintControlBarBorders(*pDC, data);
}

BOOL CExtDockBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CExtDockBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/) {
  // No non-client area: the client rectangle is the window rectangle.
}

void CExtDockBar::OnNcPaint() {}

LRESULT CExtDockBar::OnHelpHitTest(WPARAM, LPARAM) { return 0; }

void CExtDockBar::OnCancelMode() {
  CDockBar::OnCancelMode();
  CWinApp* pApp = AfxGetApp();
  bool bHelpMode = (pApp != NULL && pApp->m_bHelpMode) || CExtControlBar::IsFrameInHelpMode(this);
  if (!bHelpMode)
    CExtPopupMenuWnd::CancelAllTracking();
  CWnd::CancelToolTips();
}

// ---------------------------------------------------------------------------------------------
// The share of the frame

LRESULT CExtDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
  if (IsLocked())
    return 0;
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  const BOOL bLayoutQuery = m_bLayoutQuery;
  const CRect rcLayout = m_rectLayout;
  if (lpLayout->hDWP == NULL)
    m_bLayoutQuery = TRUE;
  m_rectLayout = lpLayout->rect;

  CFrameWnd* pFrame = GetParentFrame();
  const bool bRtl = IsRtlFrame(pFrame);
  const DWORD dwStyle = RecalcDelayShow(lpLayout);
  if ((dwStyle & WS_VISIBLE) && (dwStyle & CBRS_ALIGN_ANY)) {
    CRect rc(lpLayout->rect);
    const CSize size = CalcSizeInParentLayout(lpLayout, dwStyle);
    if (dwStyle & CBRS_ORIENT_HORZ) {
      lpLayout->sizeTotal.cy += size.cy;
      lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
      if (dwStyle & CBRS_ALIGN_TOP) {
        lpLayout->rect.top += size.cy;
      } else {
        rc.top = rc.bottom - size.cy;
        lpLayout->rect.bottom -= size.cy;
      }
    } else {
      lpLayout->sizeTotal.cx += size.cx;
      lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
      // A right-to-left frame mirrors the sides.
      const bool bFromLeft = ((dwStyle & CBRS_ALIGN_LEFT) != 0) != bRtl;
      if (bFromLeft) {
        lpLayout->rect.left += size.cx;
      } else {
        rc.left = rc.right - size.cx;
        lpLayout->rect.right -= size.cx;
      }
    }
    rc.right = rc.left + size.cx;
    rc.bottom = rc.top + size.cy;
    if (lpLayout->hDWP != NULL)
      AfxRepositionWindow(lpLayout, m_hWnd, &rc);
  }
  m_bLayoutQuery = bLayoutQuery;
  m_rectLayout = rcLayout;

  const UINT nId = GetSideId();
  if (!(m_dwStyle & CBRS_ALIGN_ANY) || nId == AFX_IDW_DOCKBAR_FLOAT)
    return 0;
  if (lpLayout->hDWP != NULL)
    Invalidate();
  // The inner edge: the remaining rectangle collapsed onto the edge that faces the client area.
  m_rcInnerEdge = lpLayout->rect;
  bool bLeft = nId == AFX_IDW_DOCKBAR_LEFT, bRight = nId == AFX_IDW_DOCKBAR_RIGHT;
  if (bRtl)
    std::swap(bLeft, bRight);
  if (nId == AFX_IDW_DOCKBAR_TOP)
    m_rcInnerEdge.bottom = m_rcInnerEdge.top;
  else if (nId == AFX_IDW_DOCKBAR_BOTTOM)
    m_rcInnerEdge.top = m_rcInnerEdge.bottom;
  else if (bLeft)
    m_rcInnerEdge.right = m_rcInnerEdge.left;
  else if (bRight)
    m_rcInnerEdge.left = m_rcInnerEdge.right;
  if (m_pDockSite != NULL) {
    m_pDockSite->ClientToScreen(&m_rcInnerEdge);
    if (IsRtlFrame(m_pDockSite))
      std::swap(m_rcInnerEdge.left, m_rcInnerEdge.right);
    m_rcInnerEdge.NormalizeRect();
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Nested containers

CExtDockBar* CExtDockBar::InnerDockBarOf(CControlBar* pBar) {
  if (pBar == NULL || pBar->m_hWnd == NULL)
    return NULL;
  for (HWND hChild = ::GetWindow(pBar->m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CExtDockBar* pInner = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(hChild));
    if (pInner != NULL)
      return pInner;
  }
  return NULL;
}

namespace {
// A visible resizable container bar of a dock bar's array, NULL for anything else.
CExtControlBar* VisibleContainerAt(const CDockBar* pDock, int nPos) {
  CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pDock->GetDockedControlBar(nPos));
  if (pBar == NULL || pBar->m_hWnd == NULL || !pBar->IsVisible() || pBar->IsFixedMode() ||
      pBar->IsFixedDockStyle())
    return NULL;
  for (const CRuntimeClass* pClass = pBar->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
    if (lstrcmpA(pClass->m_lpszClassName, "CExtDynControlBar") == 0)
      return pBar;
  return NULL;
}
} // namespace

void CExtDockBar::RecalcNestedLayout() {
  if (IsLocked() || (m_bDockBarFlags & DBF_NESTED_GUARD))
    return;
  m_bDockBarFlags |= DBF_NESTED_GUARD;
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++) {
    CExtDockBar* pInner = InnerDockBarOf(VisibleContainerAt(this, static_cast<int>(i)));
    if (pInner != NULL)
      pInner->RecalcNestedLayout();
  }
  m_bDockBarFlags &= ~DBF_NESTED_GUARD;
}

void CExtDockBar::OptimizeNestedContainers() {
  if (IsLocked() || m_arrBars.GetSize() < 2)
    return;
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++) {
    CExtDockBar* pInner = InnerDockBarOf(VisibleContainerAt(this, static_cast<int>(i)));
    if (pInner != NULL)
      pInner->OptimizeNestedContainers();
  }
}

// ---------------------------------------------------------------------------------------------
// Release

void CExtDockBar::ReleaseAllBars() {
  const BYTE bOldFlags = m_bDockBarFlags;
  m_bDockBarFlags |= DBF_LOCKED;
  for (INT_PTR i = m_arrBars.GetSize() - 2; i >= 1; i--) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
    if (pBar != NULL) {
      CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
      if (pExtBar != NULL)
        pExtBar->m_bBarState |= CExtControlBar::BS_IGNORE_SIZE;
      if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = NULL;
      CExtDockBar* pInner = InnerDockBarOf(pBar);
      if (pInner != NULL && pInner != this)
        pInner->ReleaseAllBars();
      if (pBar->m_hWnd != NULL) {
        CWnd* pNewParent = pBar->m_pDockSite != NULL ? static_cast<CWnd*>(pBar->m_pDockSite) : NULL;
        HWND hNewParent = pNewParent != NULL ? pNewParent->m_hWnd : ::GetDesktopWindow();
        if (::GetParent(pBar->m_hWnd) != hNewParent)
          ::SetParent(pBar->m_hWnd, hNewParent);
      }
      if (pExtBar != NULL)
        pExtBar->m_bBarState &= ~CExtControlBar::BS_IGNORE_SIZE;
    }
    m_arrBars.RemoveAt(i);
  }
  m_bDockBarFlags = static_cast<BYTE>((m_bDockBarFlags & ~DBF_LOCKED) | (bOldFlags & DBF_LOCKED));
}

BOOL CExtDockBar::DestroyWindow() {
  if (m_hWnd != NULL)
    ReleaseAllBars();
  return CDockBar::DestroyWindow();
}

void CExtDockBar::OnDestroy() {
  ReleaseAllBars();
  CDockBar::OnDestroy();
}
