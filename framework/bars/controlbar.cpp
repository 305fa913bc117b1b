// CControlBar: borders and gripper, delayed show and hide, the bar's share of a frame layout, the
// idle update of its items, and commands passed on to its owner.
#include "framework/bars/fw_bars.h"

#include "framework/gdi/fw_gdi.h"
#include "framework/res/fw_res.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

AUX_DATA afxData = {2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER)};

namespace {
const int kGripperSpace = 7;         // a docked bar's gripper and the gaps around it
const UINT_PTR kFlyByTimer = 0xE000; // shows a tool's prompt after a pause over it
const UINT_PTR kFlyByOffTimer = 0xE001;
const UINT kFlyByDelay = 300;
} // namespace

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL), m_pDockBar(NULL), m_pDockContext(NULL),
      m_bAutoDelete(FALSE), m_nStateFlags(0), m_nMRUWidth(32767), m_cxLeftBorder(6), m_cxRightBorder(6),
      m_cyTopBorder(1), m_cyBottomBorder(1), m_cxDefaultGap(2), m_nCount(0), m_pData(NULL), m_nFlyByHit(-1) {}

CControlBar::~CControlBar() {
  delete m_pDockContext;
  m_pDockContext = NULL; // leaving the dock bar below then lays nothing out
  Unplug();
}

void CControlBar::Unplug() {
  // The frame may be gone by the time the bar object is: the window's end is the last contact.
  if (m_pDockSite != NULL) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = NULL;
  }
  if (m_pDockBar != NULL) {
    // No place holder and no layout: the bar is going away, usually with its frame.
    CDockContext* pContext = m_pDockContext;
    m_pDockContext = NULL;
    CDockBar* pDockBar = m_pDockBar;
    m_pDockBar = NULL;
    if (pDockBar->FindBar(this) > 0)
      pDockBar->RemoveControlBar(this);
    m_pDockContext = pContext;
  }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  if (m_dwStyle == dwStyle)
    return;
  DWORD dwOldStyle = m_dwStyle;
  m_dwStyle = dwStyle;
  OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (m_pDockContext == NULL)
    m_pDockContext = new CDockContext(this);
  // Commands keep going to the frame after the bar moves into a dock bar.
  if (m_hWndOwner == NULL)
    m_hWndOwner = ::GetParent(m_hWnd);
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* pFrame = GetParentFrame();
  return pFrame != NULL ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const {
  if (IsDockBar())
    return static_cast<const CDockBar*>(this)->m_bFloating;
  return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsDockBar() const { return FALSE; }

// ---------------------------------------------------------------------------------------------
// Size and layout

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode) {
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  if (m_dwStyle & CBRS_BORDER_LEFT)
    rect.left += afxData.cxBorder2;
  if (m_dwStyle & CBRS_BORDER_TOP)
    rect.top += afxData.cyBorder2;
  if (m_dwStyle & CBRS_BORDER_RIGHT)
    rect.right -= afxData.cxBorder2;
  if (m_dwStyle & CBRS_BORDER_BOTTOM)
    rect.bottom -= afxData.cyBorder2;
  const bool bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
  // A vertical bar turns its borders with it.
  if (bHorz) {
    rect.left += m_cxLeftBorder + (bGripper ? kGripperSpace : 0);
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder + (bGripper ? kGripperSpace : 0);
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !bVisible)
    m_nStateFlags |= delayShow;
  else if (!bShow && bVisible)
    m_nStateFlags |= delayHide;
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide)
    return FALSE;
  return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
  if (m_nStateFlags & (delayHide | delayShow)) {
    UINT swpFlags;
    if (m_nStateFlags & delayHide) {
      dwStyle &= ~WS_VISIBLE;
      swpFlags = SWP_HIDEWINDOW;
    } else {
      dwStyle |= WS_VISIBLE;
      swpFlags = SWP_SHOWWINDOW;
    }
    // Only a pass that really moves windows carries the change out; a query keeps it pending.
    if (lpLayout->hDWP != NULL) {
      m_nStateFlags &= ~(delayHide | delayShow);
      lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                        swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  return dwStyle;
}

CSize CControlBar::CalcSizeInParentLayout(const AFX_SIZEPARENTPARAMS* lpLayout, DWORD dwStyle) {
  const CSize sizeAvail = CRect(lpLayout->rect).Size();
  DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
    dwMode |= LM_HORZ | LM_MRUWIDTH;
  else if (dwStyle & CBRS_ORIENT_HORZ)
    dwMode |= LM_HORZ | LM_HORZDOCK;
  else
    dwMode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, dwMode);
  size.cx = std::min(size.cx, sizeAvail.cx);
  size.cy = std::min(size.cy, sizeAvail.cy);
  return size;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD dwStyle = RecalcDelayShow(lpLayout);
  if (!(dwStyle & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
    return 0;
  CRect rect(lpLayout->rect);
  const CSize size = CalcSizeInParentLayout(lpLayout, dwStyle);
  if (dwStyle & CBRS_ORIENT_HORZ) {
    lpLayout->sizeTotal.cy += size.cy;
    lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
    if (dwStyle & CBRS_ALIGN_TOP) {
      lpLayout->rect.top += size.cy;
    } else if (dwStyle & CBRS_ALIGN_BOTTOM) {
      rect.top = rect.bottom - size.cy;
      lpLayout->rect.bottom -= size.cy;
    }
  } else if (dwStyle & CBRS_ORIENT_VERT) {
    lpLayout->sizeTotal.cx += size.cx;
    lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
    if (dwStyle & CBRS_ALIGN_LEFT) {
      lpLayout->rect.left += size.cx;
    } else if (dwStyle & CBRS_ALIGN_RIGHT) {
      rect.left = rect.right - size.cx;
      lpLayout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (lpLayout->hDWP != NULL)
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  // A pending delayed change that no layout carried out yet happens now.
  BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
  UINT swpFlags = 0;
  if ((m_nStateFlags & delayHide) && bVisible)
    swpFlags = SWP_HIDEWINDOW;
  else if ((m_nStateFlags & delayShow) && !bVisible)
    swpFlags = SWP_SHOWWINDOW;
  m_nStateFlags &= ~(delayShow | delayHide);
  if (swpFlags != 0)
    SetWindowPos(NULL, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if ((GetStyle() & WS_VISIBLE) && (m_pDockBar == NULL || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget =
        pOwner != NULL && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget != NULL)
      OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Window life

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  if (m_dwStyle & CBRS_TOOLTIPS)
    EnableToolTips();
  // A bar made in a frame belongs to it until it goes.
  CWnd* pParent = GetParent();
  if (pParent != NULL && pParent->IsFrameWnd()) {
    m_pDockSite = static_cast<CFrameWnd*>(pParent);
    m_pDockSite->AddControlBar(this);
  }
  return 0;
}

void CControlBar::OnDestroy() {
  Unplug();
  CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete)
    delete this;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_NOTIFY:
  case WM_COMMAND:
  case WM_DRAWITEM:
  case WM_MEASUREITEM:
  case WM_DELETEITEM:
  case WM_COMPAREITEM:
  case WM_VKEYTOITEM:
  case WM_CHARTOITEM: {
    // What the bar does not take goes to its owner: dialogs and controls hosted in bars talk to
    // the frame this way.
    LRESULT lResult = 0;
    if (OnWndMsg(message, wParam, lParam, &lResult))
      return lResult;
    CWnd* pOwner = GetOwner();
    return pOwner != NULL ? pOwner->SendMessage(message, wParam, lParam) : 0;
  }
  default:
    return CWnd::WindowProc(message, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  if (IsVisible())
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  DrawBorders(pDC, rect);
  DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  // Each chosen side: an etched line, shadow outside and highlight inside.
  const COLORREF clrHi = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (m_dwStyle & CBRS_BORDER_LEFT) {
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrShadow);
    pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), clrHi);
    rect.left += afxData.cxBorder2;
  }
  if (m_dwStyle & CBRS_BORDER_TOP) {
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
    pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrHi);
    rect.top += afxData.cyBorder2;
  }
  if (m_dwStyle & CBRS_BORDER_RIGHT) {
    pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), clrShadow);
    pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrHi);
    rect.right -= afxData.cxBorder2;
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, clrShadow);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrHi);
    rect.bottom -= afxData.cyBorder2;
  }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
    return;
  // A raised bar along the start of the bar.
  const COLORREF clrHi = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (m_dwStyle & CBRS_ORIENT_HORZ)
    pDC->Draw3dRect(rect.left + m_cxLeftBorder, rect.top + m_cyTopBorder, 3,
                    rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHi, clrShadow);
  else
    pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + m_cxLeftBorder,
                    rect.Width() - m_cyTopBorder - m_cyBottomBorder, 3, clrHi, clrShadow);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  if (!IsFloating())
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  // A click into a floating bar activates the program's frame, never the mini frame. A mini frame
  // that is active already (a control of the bar took the keyboard) keeps it: the frame made
  // active would take the keyboard to its view, also between the two clicks of a double click,
  // whose second the control takes without setting the focus.
  if (pDesktopWnd == NULL || ::GetActiveWindow() != pDesktopWnd->m_hWnd)
    ActivateTopParent();
  return MA_NOACTIVATE;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  INT_PTR nID = OnToolHitTest(CPoint(static_cast<DWORD>(lParam)), NULL);
  return nID != -1 ? 0x10000 + nID : -1;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  if ((m_dwStyle & CBRS_FLYBY) && pMsg->message == WM_MOUSEMOVE)
    TrackFlyBy(pMsg);
  CFrameWnd* pTopFrame = GetTopLevelFrame();
  if (pTopFrame != NULL && pTopFrame->m_bHelpMode)
    return FALSE;
  // The owner and its frames see keys before dialog navigation eats their accelerators.
  for (CWnd* pOwner = GetOwner(); pOwner != NULL; pOwner = pOwner->GetParentFrame()) {
    if (pOwner->PreTranslateMessage(pMsg))
      return TRUE;
  }
  return PreTranslateInput(pMsg);
}

void CControlBar::TrackFlyBy(MSG* pMsg) {
  CPoint point(pMsg->pt);
  ScreenToClient(&point);
  CRect rectClient;
  GetClientRect(rectClient);
  INT_PTR nHit = rectClient.PtInRect(point) ? OnToolHitTest(point, NULL) : -1;
  if (nHit == m_nFlyByHit)
    return;
  m_nFlyByHit = nHit;
  // Over a tool the prompt follows after a pause; off every tool the idle text comes back.
  KillTimer(kFlyByTimer);
  KillTimer(kFlyByOffTimer);
  SetTimer(nHit != -1 ? kFlyByTimer : kFlyByOffTimer, kFlyByDelay);
}

void CControlBar::OnTimer(UINT nIDEvent) {
  if (nIDEvent != kFlyByTimer && nIDEvent != kFlyByOffTimer)
    return;
  KillTimer(nIDEvent);
  CWnd* pOwner = GetOwner();
  CFrameWnd* pFrame =
      pOwner != NULL && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
  if (pFrame == NULL)
    return;
  if (nIDEvent == kFlyByTimer && m_nFlyByHit != -1)
    pFrame->SetMessageText(static_cast<UINT>(m_nFlyByHit));
  else
    pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}
