// CScrollView: keeps the view's standard scroll bars in step with a total size and the window's
// size, scrolls by line, page, thumb and wheel, and offsets the viewport of every DC it prepares.
#include "framework/doc/fw_scrollview.h"

#include "framework/gdi/fw_gdi.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const CSize CScrollView::sizeDefault(0, 0);

namespace {

BOOL IsFixedMapMode(int nMapMode) { return nMapMode >= MM_TEXT && nMapMode <= MM_TWIPS; }

// A screen DC in a map mode, to convert between its logical and device units.
class CMapModeDC : public CWindowDC {
public:
  explicit CMapModeDC(int nMapMode) : CWindowDC(NULL) { SetMapMode(nMapMode); }
};

int Clamp(LONGLONG nValue, int nLimit) {
  return (int)std::min<LONGLONG>(std::max<LONGLONG>(nValue, 0), nLimit);
}

} // namespace

CScrollView::CScrollView() : m_nMapMode(MM_TEXT), m_bInsideUpdate(FALSE) {}

// ---------------------------------------------------------------------------------------------
// Sizes and positions

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  const int nOldMapMode = m_nMapMode;
  m_nMapMode = IsFixedMapMode(nMapMode) ? nMapMode : MM_TEXT;
  m_totalLog = sizeTotal;
  m_totalDev = sizeTotal;
  m_pageDev = sizePage;
  m_lineDev = sizeLine;
  if (m_nMapMode != MM_TEXT) {
    CMapModeDC dc(m_nMapMode);
    dc.LPtoDP(&m_totalDev);
    dc.LPtoDP(&m_pageDev);
    dc.LPtoDP(&m_lineDev);
  }
  m_totalDev.cx = std::max(0, (int)m_totalDev.cx);
  m_totalDev.cy = std::max(0, (int)m_totalDev.cy);
  if (m_pageDev.cx == 0)
    m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0)
    m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0)
    m_lineDev.cx = std::max(1, (int)m_pageDev.cx / 10);
  if (m_lineDev.cy == 0)
    m_lineDev.cy = std::max(1, (int)m_pageDev.cy / 10);
  if (m_hWnd != NULL) {
    UpdateBars();
    if (nOldMapMode != m_nMapMode)
      Invalidate(TRUE);
  }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  CPoint pt;
  const int bars[2] = {SB_HORZ, SB_VERT};
  LONG* pos[2] = {&pt.x, &pt.y};
  for (int i = 0; i < 2; i++) {
    SCROLLINFO info = {sizeof(info), SIF_POS};
    if (m_hWnd != NULL && ::GetScrollInfo(m_hWnd, bars[i], &info))
      *pos[i] = info.nPos;
  }
  return pt;
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode != MM_TEXT)
    CMapModeDC(m_nMapMode).DPtoLP(&pt);
  return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
  if (m_nMapMode != MM_TEXT)
    CMapModeDC(m_nMapMode).LPtoDP(&pt);
  ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
  const CSize sizeLimit = GetScrollLimits();
  const CPoint ptOld = GetDeviceScrollPosition();
  const CPoint ptNew(Clamp(ptDev.x, sizeLimit.cx), Clamp(ptDev.y, sizeLimit.cy));
  if (ptNew != ptOld)
    MoveScrollPosition(ptOld, ptNew);
}

CSize CScrollView::GetScrollLimits() const {
  CSize sizeLimit;
  const DWORD dwStyle = GetStyle();
  const struct {
    int nBar;
    DWORD dwShown;
    LONG* pLimit;
  } bars[2] = {{SB_HORZ, WS_HSCROLL, &sizeLimit.cx}, {SB_VERT, WS_VSCROLL, &sizeLimit.cy}};
  for (const auto& bar : bars) {
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE};
    if ((dwStyle & bar.dwShown) && ::GetScrollInfo(m_hWnd, bar.nBar, &info))
      *bar.pLimit = std::max(info.nMin, info.nMax - std::max((int)info.nPage - 1, 0));
  }
  return sizeLimit;
}

CSize CScrollView::GetTrueClientSize() const {
  CRect rc;
  GetClientRect(&rc);
  CSize size = rc.Size();
  const DWORD dwStyle = GetStyle();
  if (dwStyle & WS_VSCROLL)
    size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
  if (dwStyle & WS_HSCROLL)
    size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
  return size;
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate || m_hWnd == NULL)
    return;
  m_bInsideUpdate = TRUE;
  const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL), cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
  const CSize sizeClient = GetTrueClientSize();
  BOOL bNeedH = m_totalDev.cx > sizeClient.cx;
  BOOL bNeedV = m_totalDev.cy > sizeClient.cy;
  // A bar takes room from the other direction, which may then need its bar too.
  if (bNeedH && !bNeedV)
    bNeedV = m_totalDev.cy > sizeClient.cy - cyBar;
  if (bNeedV && !bNeedH)
    bNeedH = m_totalDev.cx > sizeClient.cx - cxBar;
  const CSize sizeView(std::max(1, (int)sizeClient.cx - (bNeedV ? cxBar : 0)),
                       std::max(1, (int)sizeClient.cy - (bNeedH ? cyBar : 0)));

  // The total stays at the top-left corner: a shrinking range pulls the position back and a total
  // smaller than the window is never centred.
  const CPoint ptOld = GetDeviceScrollPosition();
  const CPoint ptNew(bNeedH ? Clamp(ptOld.x, m_totalDev.cx - sizeView.cx) : 0,
                     bNeedV ? Clamp(ptOld.y, m_totalDev.cy - sizeView.cy) : 0);
  if (ptNew != ptOld)
    ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);

  const struct {
    int nBar;
    BOOL bNeed;
    int nTotal, nView, nPos;
  } bars[2] = {{SB_HORZ, bNeedH, m_totalDev.cx, sizeView.cx, ptNew.x},
               {SB_VERT, bNeedV, m_totalDev.cy, sizeView.cy, ptNew.y}};
  for (const auto& bar : bars) {
    // Bars that already say this are left alone: redrawing them costs more than the whole update.
    const DWORD dwStyleBit = bar.nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    const BOOL bShown = (GetStyle() & dwStyleBit) != 0;
    if (bShown != bar.bNeed)
      ShowScrollBar(bar.nBar, bar.bNeed);
    // A hidden bar keeps position 0, which is what readers of the bar see.
    SCROLLINFO info = {sizeof(info), bar.bNeed ? UINT(SIF_RANGE | SIF_PAGE | SIF_POS) : UINT(SIF_POS)};
    info.nMax = bar.nTotal - 1;
    info.nPage = bar.nView;
    info.nPos = bar.nPos;
    SCROLLINFO now = {sizeof(now), SIF_ALL};
    const BOOL bSame = bShown == bar.bNeed && ::GetScrollInfo(m_hWnd, bar.nBar, &now) &&
                       now.nPos == info.nPos &&
                       (!bar.bNeed || (now.nMin == 0 && now.nMax == info.nMax && now.nPage == info.nPage));
    if (!bSame)
      SetScrollInfo(bar.nBar, &info, TRUE);
  }
  m_bInsideUpdate = FALSE;
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void CScrollView::MoveScrollPosition(CPoint ptOld, CPoint ptNew) {
  if (ptNew.x != ptOld.x)
    SetScrollPos(SB_HORZ, ptNew.x);
  if (ptNew.y != ptOld.y)
    SetScrollPos(SB_VERT, ptNew.y);
  ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  const CSize sizeLimit = GetScrollLimits();
  const CPoint ptOld = GetDeviceScrollPosition();
  const CPoint ptNew(Clamp((LONGLONG)ptOld.x + sizeScroll.cx, sizeLimit.cx),
                     Clamp((LONGLONG)ptOld.y + sizeScroll.cy, sizeLimit.cy));
  if (ptNew == ptOld)
    return FALSE;
  if (bDoScroll)
    MoveScrollPosition(ptOld, ptNew);
  return TRUE;
}

int CScrollView::ScrollCodeTarget(int nBar, UINT nCode, UINT nPos, int nCur, int nPage, int nLine) const {
  switch (nCode) {
  case SB_TOP:
    return 0;
  case SB_BOTTOM:
    return INT_MAX;
  case SB_LINEUP:
    return nCur - nLine;
  case SB_LINEDOWN:
    return nCur + nLine;
  case SB_PAGEUP:
    return nCur - nPage;
  case SB_PAGEDOWN:
    return nCur + nPage;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: {
    // The message carries only 16 bits of the thumb's place; the bar's track position has all 32.
    SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
    if (::GetScrollInfo(m_hWnd, nBar, &info) && LOWORD(info.nTrackPos) == LOWORD(nPos))
      return info.nTrackPos;
    return (int)nPos;
  }
  default:
    return nCur;
  }
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  const CPoint ptOld = GetDeviceScrollPosition();
  const int x = ScrollCodeTarget(SB_HORZ, LOBYTE(nScrollCode), nPos, ptOld.x, m_pageDev.cx, m_lineDev.cx);
  const int y = ScrollCodeTarget(SB_VERT, HIBYTE(nScrollCode), nPos, ptOld.y, m_pageDev.cy, m_lineDev.cy);
  if (x == ptOld.x && y == ptOld.y)
    return FALSE; // nothing asked (SB_ENDSCROLL, or a thumb where it already is)
  if (!OnScrollBy(CSize(x - ptOld.x, y - ptOld.y), bDoScroll))
    return FALSE;
  // A held arrow or a dragged thumb shows every step.
  if (bDoScroll)
    UpdateWindow();
  return TRUE;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  // A scroll-bar control's message is the control's business.
  if (pScrollBar != NULL)
    CView::OnHScroll(nSBCode, nPos, pScrollBar);
  else
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar != NULL)
    CView::OnVScroll(nSBCode, nPos, pScrollBar);
  else
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  // The vertical bar takes the wheel when shown, else the horizontal one; with neither the parent
  // may have it.
  const DWORD dwStyle = GetStyle();
  const BOOL bVert = (dwStyle & WS_VSCROLL) != 0;
  if (!bVert && !(dwStyle & WS_HSCROLL))
    return CView::OnMouseWheel(nFlags, zDelta, pt);
  UINT nLines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
  const int nUnit = nLines == WHEEL_PAGESCROLL ? (bVert ? m_pageDev.cy : m_pageDev.cx)
                                               : (int)nLines * (bVert ? m_lineDev.cy : m_lineDev.cx);
  const int nDelta = ::MulDiv(-zDelta, nUnit, WHEEL_DELTA);
  return OnScrollBy(bVert ? CSize(0, nDelta) : CSize(nDelta, 0));
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  pDC->SetMapMode(m_nMapMode);
  // A printed page starts at the total's origin whatever the window shows.
  if (!pDC->IsPrinting())
    pDC->SetViewportOrg(-GetDeviceScrollPosition());
  CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush) {
  CRect rcClient;
  GetClientRect(&rcClient);
  const CRect rcTotal(-GetDeviceScrollPosition(), m_totalDev);
  CRect rects[2] = {
      CRect(rcTotal.right, rcClient.top, rcClient.right, rcClient.bottom),
      CRect(rcClient.left, rcTotal.bottom, std::min(rcTotal.right, rcClient.right), rcClient.bottom)};
  for (CRect& rc : rects) {
    if (rc.IsRectEmpty())
      continue;
    // Client pixels to the DC's logical units, whether or not the DC was prepared.
    pDC->DPtoLP(&rc);
    rc.NormalizeRect();
    pDC->FillRect(&rc, pBrush);
  }
}
