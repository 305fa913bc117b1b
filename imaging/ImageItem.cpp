// The document's picture with its canvas rectangle: conversions to and from GDI+ and the zoomed
// paint of the view.
#include "imaging/ImageItem.h"

#include "imaging/CommonLib.h"
#include "imaging/CommonLibGdi.h"
#include "imaging/Globals.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace commonlib;

namespace {

// The part [first, last) of picture columns (or rows) 0..n - 1 that, each widened to nScale
// target pixels from nOrigin on, can reach the target range [lo, hi).
void VisibleSpan(int lo, int hi, int nOrigin, int nScale, int n, LONG& first, LONG& last) {
  first = std::max(0, (lo - nOrigin) / nScale);
  LONG nEnd = hi - nOrigin;
  last = nEnd <= 0 ? 0 : std::min<LONG>(n, (nEnd + nScale - 1) / nScale);
}

} // namespace

CImageItem::CImageItem() {}

CImageItem::~CImageItem() {
  m_rect.SetRectEmpty();
  m_bitmap.DeleteObject();
}

void CImageItem::GetRect(LPRECT lpRect) const { *lpRect = m_rect; }

void CImageItem::SetRect(int left, int top, int right, int bottom) {
  m_rect.SetRect(left, top, right, bottom);
}

Gdiplus::Bitmap* CImageItem::CreateGdipBitmap() const {
  HBITMAP hBitmap = (HBITMAP)m_bitmap.GetSafeHandle();
  if (hBitmap == NULL)
    return NULL;
  std::unique_ptr<Gdiplus::Bitmap> pResult(Gdiplus::Bitmap::FromHBITMAP(hBitmap, NULL));
  if (!pResult || pResult->GetLastStatus() != Gdiplus::Ok)
    return NULL;
  return pResult.release();
}

void CImageItem::AttachBitmap(CBitmap* pSource) {
  // The handle is taken out of the source object, so that destroying that object later (as
  // callers of the copy operations do) cannot delete the picture under the item.
  if (pSource == NULL || pSource->GetSafeHandle() == NULL)
    return;
  if (pSource != &m_bitmap)
    ReplaceBitmap(&m_bitmap, *pSource);
  PlaceAtMargin();
}

void CImageItem::SetFromGdipBitmap(Gdiplus::Bitmap* pBitmap) {
  std::unique_ptr<Gdiplus::Bitmap> pOwned(pBitmap);
  HBITMAP hBitmap = NULL;
  if (!pOwned || pOwned->GetHBITMAP(Gdiplus::Color(0xFF, 0xFF, 0xFF, 0xFF), &hBitmap) != Gdiplus::Ok ||
      hBitmap == NULL)
    return;
  m_bitmap.DeleteObject();
  m_bitmap.Attach(hBitmap);
  PlaceAtMargin();
}

void CImageItem::PlaceAtMargin() {
  CSize size = BitmapSize(&m_bitmap);
  int m = g_nCanvasMargin;
  m_rect.SetRect(m, m, m + size.cx, m + size.cy);
}

void CImageItem::Draw(CDC* pDC, int left, int top, int right, int bottom, float fZoom) {
  if (pDC == NULL || pDC->GetSafeHdc() == NULL || m_bitmap.GetSafeHandle() == NULL)
    return;
  int m = g_nCanvasMargin;
  int cx = right - left, cy = bottom - top;
  if (cx != m_rect.Width() || cy != m_rect.Height()) {
    // The picture follows a new image rectangle. It stays in the display's format whatever the
    // target is (a printer, for one), since it remains the document's picture.
    CCommonLib lib;
    std::unique_ptr<CBitmap> pCut(lib.CopyBitmapRect(NULL, &m_bitmap, left - m, top - m, cx, cy));
    if (pCut) {
      ReplaceBitmap(&m_bitmap, *pCut);
      m_rect.SetRect(m, m, m + cx, m + cy);
    }
  }

  CSize size = BitmapSize(&m_bitmap);
  CSurface source;
  if (size.cx <= 0 || size.cy <= 0 || !source.Open(pDC, &m_bitmap))
    return;
  pDC->SetStretchBltMode(COLORONCOLOR);
  int nWidth = (int)(size.cx * fZoom), nHeight = (int)(size.cy * fZoom);
  CRect rcPart;
  if (!VisiblePart(pDC, size, fZoom, rcPart)) {
    pDC->StretchBlt(m, m, nWidth, nHeight, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    return;
  }
  if (rcPart.IsRectEmpty())
    return;
  int k = (int)fZoom;
  pDC->StretchBlt(m + rcPart.left * k, m + rcPart.top * k, rcPart.Width() * k, rcPart.Height() * k,
                  source.Get(), rcPart.left, rcPart.top, rcPart.Width(), rcPart.Height(), SRCCOPY);
}

BOOL CImageItem::VisiblePart(CDC* pDC, CSize size, float fZoom, CRect& rcPart) const {
  // At a whole zoom every picture pixel becomes a whole square of target pixels, so blitting only
  // the pixels that reach the clip box gives exactly the pixels of the whole stretch, and a device
  // that does not clip before stretching never enlarges the whole picture. That holds where target
  // coordinates are pixels: a raster display or memory DC without scaling or a world transform.
  // Zooms beyond 64 (far off the view's ladder) take the plain road so the products stay in range.
  if (fZoom < 1.0f || fZoom != std::floor(fZoom) || fZoom > 64.0f)
    return FALSE;
  HDC hDC = pDC->GetSafeHdc();
  if (::GetDeviceCaps(hDC, TECHNOLOGY) != DT_RASDISPLAY || ::GetMapMode(hDC) != MM_TEXT ||
      ::GetGraphicsMode(hDC) != GM_COMPATIBLE)
    return FALSE;
  int k = (int)fZoom;
  if ((int)(size.cx * fZoom) != size.cx * k || (int)(size.cy * fZoom) != size.cy * k)
    return FALSE;
  CRect rcClip;
  int nRegion = ::GetClipBox(hDC, &rcClip);
  if (nRegion == ERROR)
    return FALSE;
  if (nRegion == NULLREGION) {
    rcPart.SetRectEmpty();
    return TRUE;
  }
  int m = g_nCanvasMargin;
  VisibleSpan(rcClip.left, rcClip.right, m, k, size.cx, rcPart.left, rcPart.right);
  VisibleSpan(rcClip.top, rcClip.bottom, m, k, size.cy, rcPart.top, rcPart.bottom);
  if (rcPart.left >= rcPart.right || rcPart.top >= rcPart.bottom)
    rcPart.SetRectEmpty();
  return TRUE;
}
