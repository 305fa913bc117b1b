#include "imaging/PixelPlane.h"

BOOL OpenPixelPlane(HBITMAP hBitmap, CPixelPlane& plane) {
  DIBSECTION ds;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBits == NULL ||
      ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmWidth <= 0 || ds.dsBm.bmHeight <= 0)
    return FALSE;
  ::GdiFlush();
  BYTE* pBits = static_cast<BYTE*>(ds.dsBm.bmBits);
  const ptrdiff_t nStride = ds.dsBm.bmWidthBytes;
  const int cy = ds.dsBm.bmHeight;
  // The header does not always tell the row order (the height's sign can be lost), so ask which
  // end of the block holds the top-left pixel. When both ends hold the same value, change the
  // first one for a moment to tell them apart.
  BOOL bTopDown = TRUE;
  if (cy > 1) {
    DWORD* pFirst = reinterpret_cast<DWORD*>(pBits);
    const DWORD* pLast = reinterpret_cast<const DWORD*>(pBits + (cy - 1) * nStride);
    const DWORD nSaved = *pFirst;
    if (*pLast == nSaved)
      *pFirst = nSaved ^ 0xFFu;
    DWORD nTopLeft = 0;
    LONG nRead = ::GetBitmapBits(hBitmap, sizeof(nTopLeft), &nTopLeft);
    bTopDown = nTopLeft == *pFirst;
    BOOL bKnown = nRead == sizeof(nTopLeft) && (bTopDown || nTopLeft == *pLast);
    *pFirst = nSaved;
    if (!bKnown)
      return FALSE;
  }
  plane.cx = ds.dsBm.bmWidth;
  plane.cy = cy;
  plane.nStride = bTopDown ? nStride : -nStride;
  plane.pTop = bTopDown ? pBits : pBits + (cy - 1) * nStride;
  return TRUE;
}

BOOL ReadPixelPlane(HBITMAP hBitmap, CPixelPlane& plane, CRawBytes& copy) {
  if (OpenPixelPlane(hBitmap, plane))
    return TRUE;
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != 32 ||
      bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return FALSE;
  unsigned long long nSize = (unsigned long long)bm.bmWidth * 4 * bm.bmHeight;
  copy = AllocateRawBytes(nSize);
  if (!copy || ::GetBitmapBits(hBitmap, (LONG)nSize, copy.get()) != (LONG)nSize)
    return FALSE;
  plane.cx = bm.bmWidth;
  plane.cy = bm.bmHeight;
  plane.nStride = (ptrdiff_t)bm.bmWidth * 4;
  plane.pTop = copy.get();
  return TRUE;
}

HBITMAP CreatePlaneBitmap(int cx, int cy, CPixelPlane* pPlane, HANDLE hSection) {
  if (cx <= 0 || cy <= 0 || (unsigned long long)cx * 4 * cy > 0x7FFFFFFF)
    return NULL;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* pBits = NULL;
  HBITMAP hBitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, hSection, 0);
  if (hBitmap != NULL && pBits == NULL) {
    ::DeleteObject(hBitmap);
    return NULL;
  }
  if (hBitmap == NULL)
    return NULL;
  if (pPlane != NULL) {
    pPlane->pTop = static_cast<BYTE*>(pBits);
    pPlane->nStride = (ptrdiff_t)cx * 4;
    pPlane->cx = cx;
    pPlane->cy = cy;
  }
  return hBitmap;
}
