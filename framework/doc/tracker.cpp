// CRectTracker: handle geometry, hit testing, drawing and the drag loop.
#include "framework/doc/fw_tracker.h"

#include "framework/core/fw_state.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Where each handle sits on the normalised rectangle, per axis: -1 the left or top edge, 1 the right
// or bottom edge, 0 the middle. The same numbers say which edge of m_rect a handle moves (0: none).
struct HandleSpot {
  int x, y;
};
const HandleSpot kSpots[9] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, 0}};

const int kDefaultHandleSize = 4;

// The edge of a rectangle that a spot number names on one axis (NULL for 0).
LONG* Edge(int nSpot, LONG& lowEdge, LONG& highEdge) {
  return nSpot < 0 ? &lowEdge : nSpot > 0 ? &highEdge : NULL;
}

// Both live for the process: trackers draw from objects that may outlive the program's main part.
HGDIOBJ DottedPen() {
  static const HGDIOBJ hPen = ::CreatePen(PS_DOT, 0, RGB(0, 0, 0));
  return hPen;
}

// Diagonal lines (/) one pixel wide, every fourth pixel: set bits are the lines.
HGDIOBJ HatchBrush() {
  static const HGDIOBJ hBrush = [] {
    static const WORD kRows[8] = {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88}; // word-aligned scan lines
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kRows);
    HBRUSH hPatternBrush = hPattern != NULL ? ::CreatePatternBrush(hPattern) : NULL;
    if (hPattern != NULL)
      ::DeleteObject(hPattern);
    return static_cast<HGDIOBJ>(hPatternBrush);
  }();
  return hBrush;
}

const DWORD kRopPatternInverted = 0x000F0001; // Pn: the lines black, the gaps white
const DWORD kRopMaskNotPattern = 0x000A0329;  // DPna: the lines black, the gaps untouched

} // namespace

CRectTracker::CRectTracker() { Construct(); }

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) {
  Construct();
  if (lpSrcRect != NULL)
    m_rect.CopyRect(lpSrcRect);
  m_nStyle = nStyle;
}

CRectTracker::~CRectTracker() = default;

void CRectTracker::Construct() {
  m_nStyle = 0;
  m_nHandleSize = kDefaultHandleSize;
  m_sizeMin.SetSize(m_nHandleSize * 2, m_nHandleSize * 2);
  m_bAllowInvert = FALSE;
  m_bErase = FALSE;
  m_bFinalErase = FALSE;
}

// ---------------------------------------------------------------------------------------------
// Geometry

int CRectTracker::GetHandleSize(LPCRECT lpRect) const {
  if (lpRect == NULL)
    lpRect = &m_rect;
  int size = m_nHandleSize;
  if ((m_nStyle & resizeOutside) == 0) {
    int sizeMax = std::min(std::abs(lpRect->right - lpRect->left), std::abs(lpRect->bottom - lpRect->top));
    size = std::min(size, sizeMax / 2);
  }
  return size;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
  CRect rect = m_rect;
  rect.NormalizeRect();
  int nInflate = 0;
  // Handles of no size (on an empty rectangle) add nothing rather than turn the rectangle over.
  if (m_nStyle & (resizeOutside | hatchedBorder))
    nInflate += std::max(0, GetHandleSize() - 1);
  if (m_nStyle & (solidLine | dottedLine))
    ++nInflate;
  rect.InflateRect(nInflate, nInflate);
  *lpTrueRect = rect;
}

UINT CRectTracker::GetHandleMask() const {
  UINT mask = 0x0F;
  int size = m_nHandleSize * 3;
  if (std::abs(m_rect.Width()) - size > 4)
    mask |= (1 << hitTop) | (1 << hitBottom);
  if (std::abs(m_rect.Height()) - size > 4)
    mask |= (1 << hitRight) | (1 << hitLeft);
  return mask;
}

int CRectTracker::NormalizeHit(int nHandle) const {
  if (nHandle < hitTopLeft || nHandle >= hitMiddle)
    return nHandle;
  HandleSpot spot = kSpots[nHandle];
  if (m_rect.Width() < 0)
    spot.x = -spot.x;
  if (m_rect.Height() < 0)
    spot.y = -spot.y;
  for (int i = hitTopLeft; i < hitMiddle; ++i) {
    if (kSpots[i].x == spot.x && kSpots[i].y == spot.y)
      return i;
  }
  return nHandle;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const {
  if (nHandle < hitTopLeft || nHandle > hitMiddle) {
    pHandleRect->SetRectEmpty();
    return;
  }
  CRect rect = m_rect;
  rect.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine))
    rect.InflateRect(1, 1);
  int size = GetHandleSize();
  if (m_nStyle & resizeOutside)
    rect.InflateRect(size - 1, size - 1);

  // The handle of m_rect's edge sits where the normalised rectangle has that edge now.
  const HandleSpot& spot = kSpots[NormalizeHit(nHandle)];
  auto place = [size](int nSpot, LONG low, LONG high) {
    return nSpot < 0 ? low : nSpot > 0 ? high - size : low + (high - low - size) / 2;
  };
  CPoint pt(place(spot.x, rect.left, rect.right), place(spot.y, rect.top, rect.bottom));
  *pHandleRect = CRect(pt, CSize(size, size));
}

int CRectTracker::HitTestHandles(CPoint point) const {
  CRect rect;
  GetTrueRect(&rect);
  if (!rect.PtInRect(point))
    return hitNothing;

  UINT mask = GetHandleMask();
  for (int i = hitTopLeft; i < hitMiddle; ++i) {
    if (mask & (1 << i)) {
      GetHandleRect(i, &rect);
      if (rect.PtInRect(point))
        return i;
    }
  }
  // Between the handles but outside the rectangle and its outline counts only on a hatched border.
  if ((m_nStyle & hatchedBorder) == 0) {
    rect = m_rect;
    rect.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
      rect.InflateRect(1, 1);
    if (!rect.PtInRect(point))
      return hitNothing;
  }
  return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const {
  CRect rectTrue;
  GetTrueRect(&rectTrue);
  if (!rectTrue.PtInRect(point))
    return hitNothing;
  return (m_nStyle & (resizeInside | resizeOutside)) ? HitTestHandles(point) : hitMiddle;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CRectTracker::Draw(CDC* pDC) const {
  if (pDC->GetSafeHdc() == NULL)
    return;
  int nSaved = pDC->SaveDC();
  // Owners draw into DCs prepared for their own coordinates; the tracker's are device pixels.
  pDC->SetMapMode(MM_TEXT);
  pDC->SetViewportOrg(0, 0);
  pDC->SetWindowOrg(0, 0);

  CRect rect = m_rect;
  rect.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine)) {
    // One pixel outside the rectangle.
    rect.InflateRect(1, 1);
    pDC->SelectObject((m_nStyle & dottedLine) ? DottedPen() : ::GetStockObject(BLACK_PEN));
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->SetROP2(R2_COPYPEN);
    pDC->Rectangle(rect);
    rect.InflateRect(-1, -1);
  }

  if (m_nStyle & (hatchInside | hatchedBorder)) {
    pDC->SelectObject(HatchBrush());
    pDC->SetBrushOrg(0, 0);
    pDC->SetTextColor(RGB(0, 0, 0)); // the colours of a one-bit pattern
    pDC->SetBkColor(RGB(255, 255, 255));
  }
  if (m_nStyle & hatchInside)
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), kRopMaskNotPattern);
  if (m_nStyle & hatchedBorder) {
    CRect rectTrue;
    GetTrueRect(&rectTrue);
    CRect rectInner = rect; // the outline stays unhatched
    if (m_nStyle & (solidLine | dottedLine))
      rectInner.InflateRect(1, 1);
    pDC->PatBlt(rectTrue.left, rectTrue.top, rectTrue.Width(), rectInner.top - rectTrue.top,
                kRopPatternInverted);
    pDC->PatBlt(rectTrue.left, rectInner.bottom, rectTrue.Width(), rectTrue.bottom - rectInner.bottom,
                kRopPatternInverted);
    pDC->PatBlt(rectTrue.left, rectInner.top, rectInner.left - rectTrue.left, rectInner.Height(),
                kRopPatternInverted);
    pDC->PatBlt(rectInner.right, rectInner.top, rectTrue.right - rectInner.right, rectInner.Height(),
                kRopPatternInverted);
  }

  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = hitTopLeft; i < hitMiddle; ++i) {
      if (mask & (1 << i)) {
        GetHandleRect(i, &rect);
        pDC->FillSolidRect(rect, RGB(0, 0, 0));
      }
    }
  }
  pDC->RestoreDC(nSaved);
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
  if (pDC->GetSafeHdc() == NULL || lpRect == NULL)
    return;
  CRect rect(lpRect);
  rect.NormalizeRect();
  if (pWndClipTo != NULL && pWnd != NULL) {
    pWnd->ClientToScreen(&rect);
    pWndClipTo->ScreenToClient(&rect);
  }
  // The final erase draws nothing new: it only takes the last rectangle away.
  CSize size(0, 0);
  if (!m_bFinalErase) {
    if (m_nStyle & hatchedBorder) {
      int n = std::max(1, GetHandleSize(rect) - 1);
      size.SetSize(n, n);
      rect.InflateRect(size);
    } else {
      size.SetSize(1, 1);
    }
  }
  // An erase before a redraw is left to the redraw, which XORs the old frame away with the new.
  if (m_bFinalErase || !m_bErase)
    pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
  m_rectLast = rect;
  m_sizeLast = size;
}

// ---------------------------------------------------------------------------------------------
// Tracking

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect) {
  if (lpRect == NULL || nHandle < hitTopLeft || nHandle >= hitMiddle)
    return;
  // The moving edge of each axis goes to the minimum distance from the fixed one, on the side the
  // rectangle faces now when inversion is allowed, else on the normal side.
  auto enforce = [this](int nSpot, LONG& low, LONG& high, int nMin) {
    LONG* pEdge = Edge(nSpot, low, high);
    int nSize = high - low;
    int nAbs = m_bAllowInvert ? std::abs(nSize) : nSize;
    if (pEdge == NULL || nAbs >= nMin)
      return;
    int nSign = (m_bAllowInvert && nSize < 0) ? -1 : 1;
    if (pEdge == &high)
      high = low + nSign * nMin;
    else
      low = high - nSign * nMin;
  };
  enforce(kSpots[nHandle].x, lpRect->left, lpRect->right, m_sizeMin.cx);
  enforce(kSpots[nHandle].y, lpRect->top, lpRect->bottom, m_sizeMin.cy);
}

void CRectTracker::OnChangedRect(const CRect& /*rectOld*/) {}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  int nHandle = HitTestHandles(point);
  if (nHandle == hitNothing)
    return FALSE;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
  // Refused before m_rect is touched, so a failed start leaves the tracker as it was.
  if (pWnd->GetSafeHwnd() == NULL || ::GetCapture() != NULL)
    return FALSE;
  m_bAllowInvert = bAllowInvert;
  m_rect.SetRect(point, point);
  return TrackHandle(hitBottomRight, pWnd, point, NULL);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == NULL || !::IsWindow(hWnd) || ::GetCapture() != NULL || nHandle < hitTopLeft ||
      nHandle > hitMiddle)
    return FALSE;
  pWnd->SetCapture();
  if (::GetCapture() != hWnd)
    return FALSE;
  AfxLockTempMaps();

  const CRect rectSave = m_rect;
  // The middle handle moves the top-left corner and keeps the size.
  const HandleSpot spot = nHandle == hitMiddle ? kSpots[hitTopLeft] : kSpots[nHandle];
  LONG* px = Edge(spot.x, m_rect.left, m_rect.right);
  LONG* py = Edge(spot.y, m_rect.top, m_rect.bottom);
  const CSize offset(px != NULL ? point.x - *px : 0, py != NULL ? point.y - *py : 0);

  pWnd->UpdateWindow();
  if (pWndClipTo->GetSafeHwnd() != NULL)
    pWndClipTo->UpdateWindow();
  else
    pWndClipTo = NULL;
  HWND hWndDraw = pWndClipTo != NULL ? pWndClipTo->m_hWnd : hWnd;
  CDC dc;
  dc.Attach(pWndClipTo != NULL ? ::GetDCEx(hWndDraw, NULL, DCX_CACHE) : ::GetDC(hWndDraw));

  m_bErase = m_bFinalErase = FALSE;
  m_sizeLast.SetSize(0, 0); // nothing of an earlier loop is on the screen
  BOOL bMoved = FALSE;
  auto eraseLast = [&] {
    if (bMoved) {
      m_bErase = m_bFinalErase = TRUE;
      DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
    }
  };

  for (;;) {
    MSG msg;
    BOOL bGot = ::GetMessageA(&msg, NULL, 0, 0);
    if (bGot <= 0) {
      // The quit request is for the thread's own loop; cancel and leave it queued.
      if (bGot == 0)
        ::PostQuitMessage((int)msg.wParam);
      eraseLast();
      m_rect = rectSave;
      break;
    }
    if (::GetCapture() != hWnd) {
      // Someone took the capture: keep what was dragged so far.
      ::DispatchMessageA(&msg);
      eraseLast();
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CRect rectOld = m_rect;
      if (px != NULL)
        *px = (short)LOWORD(msg.lParam) - offset.cx;
      if (py != NULL)
        *py = (short)HIWORD(msg.lParam) - offset.cy;
      if (nHandle == hitMiddle) {
        m_rect.right = m_rect.left + rectSave.Width();
        m_rect.bottom = m_rect.top + rectSave.Height();
      }
      AdjustRect(nHandle, &m_rect);

      m_bFinalErase = msg.message == WM_LBUTTONUP;
      BOOL bChanged = m_rect != rectOld;
      if ((bChanged || m_bFinalErase) && bMoved) {
        m_bErase = TRUE;
        DrawTrackerRect(&rectOld, pWndClipTo, &dc, pWnd);
      }
      if (bChanged)
        OnChangedRect(rectOld);
      if (m_bFinalErase)
        break;
      if (bChanged) {
        bMoved = TRUE;
        m_bErase = FALSE;
        DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
      }
    } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
      eraseLast();
      m_rect = rectSave;
      break;
    } else if (msg.message != WM_KEYDOWN) {
      ::DispatchMessageA(&msg);
    }
  }

  ::ReleaseDC(hWndDraw, dc.Detach());
  if (::GetCapture() == hWnd)
    ::ReleaseCapture();
  AfxUnlockTempMaps(FALSE);
  // A click without a drag changes nothing.
  if (!bMoved)
    m_rect = rectSave;
  m_bErase = m_bFinalErase = FALSE;
  return m_rect != rectSave;
}

// ---------------------------------------------------------------------------------------------
// Cursor

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
  if (nHitTest != HTCLIENT || pWnd->GetSafeHwnd() == NULL)
    return FALSE;
  CPoint point;
  ::GetCursorPos(&point);
  pWnd->ScreenToClient(&point);
  int nHandle = HitTestHandles(point);
  if (nHandle == hitNothing)
    return FALSE;
  const HandleSpot& spot = kSpots[NormalizeHit(nHandle)];
  LPCSTR idCursor = spot.x == 0 && spot.y == 0 ? IDC_SIZEALL
                    : spot.x == 0              ? IDC_SIZENS
                    : spot.y == 0              ? IDC_SIZEWE
                    : spot.x == spot.y         ? IDC_SIZENWSE
                                               : IDC_SIZENESW;
  ::SetCursor(::LoadCursorA(NULL, idCursor));
  return TRUE;
}
