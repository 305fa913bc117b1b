// CZoomTracker: the floating picture, its drawing at the view's zoom and scroll position, and the
// drag loop that moves or resizes it while the view repaints it.
#include "editor/CanvasCoords.h"
#include "editor/Trackers.h"
#include "framework/core/fw_state.h"
#include "imaging/CommonLib.h"
#include "imaging/GdipEffects.h"
#include "imaging/Globals.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// What the view repaints around the picture during a drag: its rectangle on the screen with room
// for the outline and the handles outside it.
const int kRepaintMargin = 100;

CRect RepaintArea(const CRect& rectLogical, int nScrollX, int nScrollY) {
  CRect rect = rectLogical;
  rect.NormalizeRect();
  rect.OffsetRect(-nScrollX, -nScrollY);
  rect.InflateRect(kRepaintMargin, kRepaintMargin);
  return rect;
}

// The edges each handle moves, per axis: -1 left or top, 1 right or bottom, 0 none.
struct HandleEdges {
  int x, y;
};
const HandleEdges kHandleEdges[8] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};

void MoveEdge(int nSide, LONG& low, LONG& high, int nDelta) {
  if (nSide < 0)
    low += nDelta;
  else if (nSide > 0)
    high += nDelta;
}

std::unique_ptr<Gdiplus::Bitmap> FromGdi(CBitmap* pBitmap) {
  HBITMAP hBitmap = (HBITMAP)pBitmap->GetSafeHandle();
  return std::unique_ptr<Gdiplus::Bitmap>(hBitmap != NULL ? Gdiplus::Bitmap::FromHBITMAP(hBitmap, NULL)
                                                          : NULL);
}

} // namespace

CZoomTracker::CZoomTracker(Gdiplus::Bitmap* pBitmap, int left, int top, int right, int bottom, float fZoom)
    : CRectTracker(CRect(left, top, right, bottom), kTrackerStyle), m_pBitmap(pBitmap), m_bDragging(FALSE),
      m_bDropped(FALSE), m_fZoom(fZoom), m_nScrollX(0), m_nScrollY(0) {
  m_nHandleSize = 5;
}

CZoomTracker::CZoomTracker(CBitmap* pPicture, CBitmap* pMask, int left, int top, int right, int bottom,
                           float fZoom)
    : CZoomTracker(static_cast<Gdiplus::Bitmap*>(NULL), left, top, right, bottom, fZoom) {
  SetMaskedBitmap(pPicture, pMask);
}

CZoomTracker::~CZoomTracker() { delete m_pBitmap; }

void CZoomTracker::SetMaskedBitmap(CBitmap* pPicture, CBitmap* pMask) {
  delete m_pBitmap;
  m_pBitmap = NULL;
  BITMAP bm;
  if (pPicture->GetSafeHandle() == NULL || pPicture->GetBitmap(&bm) == 0 || bm.bmWidth <= 0 ||
      bm.bmHeight == 0)
    return;
  const int cx = bm.bmWidth, cy = std::abs(bm.bmHeight);
  m_pBitmap = new Gdiplus::Bitmap(cx, cy, PixelFormat32bppARGB);
  std::unique_ptr<Gdiplus::Bitmap> picture = FromGdi(pPicture), mask = FromGdi(pMask);

  // A mask smaller than the picture is read where it has pixels; the rest of the picture stays
  // opaque rather than reading beyond the mask.
  const int cxMask = mask ? std::min(cx, (int)mask->GetWidth()) : 0;
  const int cyMask = mask ? std::min(cy, (int)mask->GetHeight()) : 0;
  CGdipBitsLock target(m_pBitmap, 0, 0, cx, cy), source(picture.get(), 0, 0, cx, cy),
      maskBits(mask.get(), 0, 0, cxMask, cyMask);
  if (!target.IsLocked() || !source.IsLocked())
    return;
  for (int y = 0; y < cy; ++y) {
    DWORD* pTarget = target.Row(y);
    const DWORD* pSource = source.Row(y);
    const DWORD* pMaskRow = maskBits.IsLocked() && y < cyMask ? maskBits.Row(y) : NULL;
    for (int x = 0; x < cx; ++x) {
      DWORD px = pSource[x];
      if (pMaskRow != NULL && x < cxMask && (pMaskRow[x] & 0x00FFFFFF) == 0)
        px &= 0x00FFFFFF;
      pTarget[x] = px;
    }
  }
}

void CZoomTracker::GetRect(LPRECT lpRect) const { *lpRect = m_rect; }

CBitmap* CZoomTracker::CreateCBitmap() const {
  HBITMAP hBitmap = NULL;
  if (m_pBitmap == NULL || m_pBitmap->GetHBITMAP(Gdiplus::Color(0xFFFFFFFF), &hBitmap) != Gdiplus::Ok ||
      hBitmap == NULL)
    return NULL;
  std::unique_ptr<CBitmap> pBitmap(new CBitmap);
  if (!pBitmap->Attach(hBitmap)) {
    ::DeleteObject(hBitmap);
    return NULL;
  }
  return pBitmap.release();
}

void CZoomTracker::Draw(CDC* pDC) {
  // The framework draws in device pixels; the rectangle is logical, before scrolling.
  m_rect.OffsetRect(-m_nScrollX, -m_nScrollY);
  CRectTracker::Draw(pDC);
  m_rect.OffsetRect(m_nScrollX, m_nScrollY);
  if (pDC->GetSafeHdc() == NULL)
    return;
  Gdiplus::Graphics graphics(pDC->GetSafeHdc());
  DrawImage(&graphics, FALSE);
}

void CZoomTracker::DrawImage(Gdiplus::Graphics* pGraphics, BOOL bFinal) {
  SnapRectToZoom(m_rect, m_fZoom);
  if (bFinal) {
    SnapRectToZoom(m_rect, m_fZoom);
    m_rect = RescaleRect(m_rect, 1.0f, m_fZoom);
    m_rect.OffsetRect(-g_nCanvasMargin, -g_nCanvasMargin);
  }
  if (m_pBitmap == NULL || pGraphics == NULL)
    return;
  pGraphics->DrawImage(m_pBitmap, (Gdiplus::REAL)m_rect.left, (Gdiplus::REAL)m_rect.top,
                       (Gdiplus::REAL)m_rect.Width(), (Gdiplus::REAL)m_rect.Height());
}

BOOL CZoomTracker::SetCursor(CWnd* pWnd, UINT nHitTest) {
  CPoint point;
  return TrackerCursorPoint(pWnd, nHitTest, CSize(m_nScrollX, m_nScrollY), &point) &&
         SetTrackerCursor(*this, HitTestHandles(point), point, TRUE);
}

BOOL CZoomTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  int nHandle = HitTestHandles(point);
  if (nHandle == hitNothing)
    return FALSE;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CZoomTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == NULL || ::GetCapture() != NULL)
    return FALSE;
  pWnd->SetCapture();
  if (::GetCapture() != hWnd)
    return FALSE;
  AfxLockTempMaps();

  const CRect rectSave = m_rect;
  pWnd->UpdateWindow();
  if (pWndClipTo->GetSafeHwnd() != NULL)
    pWndClipTo->UpdateWindow();

  BOOL bMoved = FALSE;
  auto cancel = [&] {
    // The picture goes back: repaint where it was dragged and where it returns.
    if (bMoved) {
      m_bDropped = TRUE;
      pWnd->InvalidateRect(RepaintArea(m_rect, m_nScrollX, m_nScrollY), FALSE);
      pWnd->InvalidateRect(RepaintArea(rectSave, m_nScrollX, m_nScrollY), FALSE);
    }
    m_rect = rectSave;
  };

  for (;;) {
    MSG msg;
    BOOL bGot = ::GetMessageA(&msg, NULL, 0, 0);
    if (bGot <= 0) {
      // The quit request belongs to the thread's own loop: cancel and leave it queued.
      if (bGot == 0)
        ::PostQuitMessage((int)msg.wParam);
      cancel();
      break;
    }
    if (::GetCapture() != hWnd) {
      // Someone took the capture: keep what was dragged so far.
      ::DispatchMessageA(&msg);
      break;
    }
    if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
      cancel();
      break;
    }
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP) {
      ::DispatchMessageA(&msg);
      continue;
    }

    // The mouse travel in logical coordinates: the start point is logical, the message's client.
    const int dx = m_nScrollX - point.x + (short)LOWORD(msg.lParam);
    const int dy = m_nScrollY - point.y + (short)HIWORD(msg.lParam);
    const CRect rectOld = m_rect;
    m_rect = rectSave;
    if (nHandle >= hitTopLeft && nHandle < hitMiddle) {
      const HandleEdges& edges = kHandleEdges[nHandle];
      MoveEdge(edges.x, m_rect.left, m_rect.right, dx);
      MoveEdge(edges.y, m_rect.top, m_rect.bottom, dy);
    } else {
      m_rect.OffsetRect(dx, dy); // the middle, or anything else, moves the whole picture
    }

    const BOOL bRelease = msg.message == WM_LBUTTONUP;
    const BOOL bChanged = m_rect != rectOld;
    m_bDropped = bRelease;
    if (bMoved && (bChanged || bRelease))
      m_bDragging = TRUE;
    // The view repaints where the picture is and, however far it jumped, where it was.
    if (bChanged || (bMoved && bRelease))
      pWnd->InvalidateRect(RepaintArea(m_rect, m_nScrollX, m_nScrollY), FALSE);
    if (bChanged)
      pWnd->InvalidateRect(RepaintArea(rectOld, m_nScrollX, m_nScrollY), FALSE);
    if (bRelease)
      break;
    if (bChanged) {
      bMoved = TRUE;
      m_bDragging = FALSE;
    }
  }

  if (::GetCapture() == hWnd)
    ::ReleaseCapture();
  AfxUnlockTempMaps(FALSE);
  m_bDragging = m_bDropped = FALSE;
  return m_rect != rectSave;
}
