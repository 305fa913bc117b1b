// The document's picture with its canvas rectangle: conversions to and from GDI+ and the zoomed
// paint of the view.
#include "imaging/ImageItem.h"

#include "imaging/CommonLib.h"
#include "imaging/CommonLibGdi.h"
#include "imaging/Globals.h"

#include <memory>

using namespace commonlib;

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
  pDC->StretchBlt(m, m, (int)(size.cx * fZoom), (int)(size.cy * fZoom), source.Get(), 0, 0, size.cx, size.cy,
                  SRCCOPY);
}
