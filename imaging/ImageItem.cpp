// The document's picture with its canvas rectangle: conversions to and from GDI+ and the zoomed
// paint of the view.
#include "imaging/ImageItem.h"

#include "imaging/CommonLib.h"
#include "imaging/CommonLibGdi.h"
#include "imaging/Globals.h"
#include "imaging/PixelPlane.h"

#include <memory>

using namespace commonlib;

BOOL CopyOpaqueRows(Gdiplus::Bitmap* pBitmap, const CPixelPlane& rows) {
  if (pBitmap == NULL || (int)pBitmap->GetWidth() != rows.cx || (int)pBitmap->GetHeight() != rows.cy)
    return FALSE;
  // Read in the bitmap's own format where it is one of the 32-bit ones, which saves GDI+ a
  // conversion; colour without alpha counts as opaque.
  const Gdiplus::PixelFormat format = pBitmap->GetPixelFormat();
  const bool bNoAlpha = format == PixelFormat32bppRGB;
  const Gdiplus::PixelFormat lockFormat =
      bNoAlpha || format == PixelFormat32bppPARGB ? format : PixelFormat32bppARGB;
  Gdiplus::Rect rc(0, 0, rows.cx, rows.cy);
  Gdiplus::BitmapData data;
  if (pBitmap->LockBits(&rc, Gdiplus::ImageLockModeRead, lockFormat, &data) != Gdiplus::Ok)
    return FALSE;
  auto source = [&](int y) {
    return reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
  };
  bool bOpaque = true;
  for (int y = 0; y < rows.cy && bOpaque && !bNoAlpha; y++)
    for (const DWORD *pSrc = source(y), *pEnd = pSrc + rows.cx; pSrc < pEnd && bOpaque; ++pSrc)
      bOpaque = *pSrc >= 0xFF000000u;
  // An opaque pixel is the same premultiplied or not.
  for (int y = 0; y < rows.cy && bOpaque; y++) {
    const DWORD* pSrc = source(y);
    DWORD* pDst = reinterpret_cast<DWORD*>(rows.Row(y));
    for (int x = 0; x < rows.cx; x++)
      pDst[x] = pSrc[x] | 0xFF000000u;
  }
  pBitmap->UnlockBits(&data);
  return bOpaque;
}

HBITMAP CreatePictureBitmap(Gdiplus::Bitmap* pBitmap) {
  if (pBitmap == NULL)
    return NULL;
  CPixelPlane rows;
  CBitmap picture;
  if (picture.Attach(CreatePlaneBitmap((int)pBitmap->GetWidth(), (int)pBitmap->GetHeight(), &rows)) &&
      CopyOpaqueRows(pBitmap, rows))
    return (HBITMAP)picture.Detach();
  HBITMAP hBitmap = NULL;
  if (pBitmap->GetHBITMAP(Gdiplus::Color(0xFF, 0xFF, 0xFF, 0xFF), &hBitmap) != Gdiplus::Ok)
    return NULL;
  return hBitmap;
}

BOOL CopyPictureRows(HBITMAP hSource, const CPixelPlane& rows) {
  BITMAP bm;
  if (hSource == NULL || ::GetObject(hSource, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != 32 ||
      bm.bmPlanes != 1 || bm.bmWidth != rows.cx || bm.bmHeight != rows.cy ||
      rows.nStride != (ptrdiff_t)rows.cx * 4)
    return FALSE;
  CDC dc;
  if (!dc.CreateCompatibleDC(NULL))
    return FALSE;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = rows.cx;
  bi.bmiHeader.biHeight = -rows.cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  if (::GetDIBits(dc.GetSafeHdc(), hSource, 0, (UINT)rows.cy, rows.pTop, &bi, DIB_RGB_COLORS) != rows.cy)
    return FALSE;
  // GDI+ reads a 32-bit bitmap as colour without alpha and gives every pixel alpha 0xFF back.
  for (int y = 0; y < rows.cy; y++)
    for (DWORD *p = reinterpret_cast<DWORD*>(rows.Row(y)), *pEnd = p + rows.cx; p < pEnd; ++p)
      *p |= 0xFF000000u;
  return TRUE;
}

HBITMAP CreatePictureBitmap(HBITMAP hSource) {
  const CSize size = BitmapSize(hSource);
  CPixelPlane rows;
  CBitmap picture;
  if (picture.Attach(CreatePlaneBitmap(size.cx, size.cy, &rows)) && CopyPictureRows(hSource, rows))
    return (HBITMAP)picture.Detach();
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(Gdiplus::Bitmap::FromHBITMAP(hSource, NULL));
  if (!pBitmap || pBitmap->GetLastStatus() != Gdiplus::Ok)
    return NULL;
  return CreatePictureBitmap(pBitmap.get());
}

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
  HBITMAP hBitmap = pOwned ? CreatePictureBitmap(pOwned.get()) : NULL;
  if (hBitmap == NULL)
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
