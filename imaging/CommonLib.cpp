// Copies, XOR differences, highlighter and flood fill on device-dependent bitmaps.
#include "imaging/CommonLib.h"

#include "imaging/CommonLibGdi.h"

#include <algorithm>
#include <memory>

using namespace commonlib;

IMPLEMENT_DYNAMIC(CCommonLib, CWnd)

CCommonLib::CCommonLib() {}

CCommonLib::~CCommonLib() {}

void SnapRectToZoom(RECT& rect, float fZoom) {
  // Same float steps as the view's coordinate helpers, so rectangles and points land on the same
  // pixels: the reciprocal in single precision, the rounding offset in double.
  auto snap = [fZoom](LONG c) -> LONG {
    int nPixel = (int)(c * (1 / fZoom) + 0.5);
    return (LONG)(nPixel * fZoom);
  };
  rect.left = snap(rect.left);
  rect.top = snap(rect.top);
  rect.right = snap(rect.right);
  rect.bottom = snap(rect.bottom);
}

CBitmap* CCommonLib::CopyBitmapRect(CDC* pDC, CBitmap* pSource, int x, int y, int nWidth, int nHeight) {
  if (pSource == NULL || pSource->GetSafeHandle() == NULL || nWidth <= 0 || nHeight <= 0)
    return NULL;
  CRefDC ref(pDC);
  std::unique_ptr<CBitmap> pResult(new CBitmap);
  if (!CreateFilledBitmap(ref.Get(), *pResult, nWidth, nHeight, RGB(255, 255, 255)))
    return NULL;
  CSurface src, dst;
  if (!src.Open(ref.Get(), pSource) || !dst.Open(ref.Get(), pResult.get()))
    return NULL;
  if (!dst->BitBlt(0, 0, nWidth, nHeight, src.Get(), x, y, SRCCOPY))
    return NULL;
  dst.Close();
  return pResult.release();
}

HBITMAP CCommonLib::DuplicateBitmap(HBITMAP hSource) {
  BITMAP bm;
  if (hSource == NULL || ::GetObject(hSource, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return NULL;
  CDC display;
  if (!display.CreateDC("DISPLAY", NULL, NULL, NULL))
    return NULL;
  CBitmap copy;
  // A picture in the display's format stays a display bitmap; any other format is kept as it is.
  BOOL bMade =
      bm.bmBitsPixel * bm.bmPlanes == display.GetDeviceCaps(BITSPIXEL) * display.GetDeviceCaps(PLANES)
          ? copy.CreateCompatibleBitmap(&display, bm.bmWidth, bm.bmHeight)
          : copy.CreateBitmap(bm.bmWidth, bm.bmHeight, bm.bmPlanes, bm.bmBitsPixel, NULL);
  if (!bMade)
    return NULL;
  CSurface src, dst;
  if (!src.Open(&display, hSource) || !dst.Open(&display, &copy))
    return NULL;
  if (!dst->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, src.Get(), 0, 0, SRCCOPY))
    return NULL;
  dst.Close();
  return (HBITMAP)copy.Detach();
}

CBitmap* CCommonLib::XorBitmaps(CDC* pDC, CBitmap* pFirst, CBitmap* pSecond, int x, int y) {
  if (pFirst == NULL || pFirst->GetSafeHandle() == NULL || pSecond == NULL ||
      pSecond->GetSafeHandle() == NULL)
    return NULL;
  CSize first = BitmapSize(pFirst), second = BitmapSize(pSecond);
  int cx = std::max(first.cx, second.cx), cy = std::max(first.cy, second.cy);
  CRefDC ref(pDC);
  std::unique_ptr<CBitmap> pResult(new CBitmap);
  if (!CreateFilledBitmap(ref.Get(), *pResult, cx, cy, RGB(0, 0, 0)))
    return NULL;
  CSurface dst, src;
  if (!dst.Open(ref.Get(), pResult.get()) || !src.Open(ref.Get(), pFirst))
    return NULL;
  if (!dst->BitBlt(x, y, first.cx, first.cy, src.Get(), 0, 0, SRCCOPY))
    return NULL;
  if (!src.Open(ref.Get(), pSecond) || !dst->BitBlt(0, 0, second.cx, second.cy, src.Get(), 0, 0, SRCINVERT))
    return NULL;
  dst.Close();
  return pResult.release();
}

BOOL CCommonLib::HighlightRect(CDC* pDC, CBitmap* pBitmap, int left, int top, int right, int bottom,
                               COLORREF clr) {
  if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
    return FALSE;
  CSize size = BitmapSize(pBitmap);
  CRefDC ref(pDC);
  // The work bitmap is white everywhere but the rectangle, so AND-ing it in changes only the
  // rectangle.
  CBitmap work;
  if (!CreateFilledBitmap(ref.Get(), work, size.cx, size.cy, RGB(255, 255, 255)))
    return FALSE;
  CBrush brush;
  if (!brush.CreateSolidBrush(clr))
    return FALSE;
  CSurface wk, pic;
  if (!wk.Open(ref.Get(), &work) || !pic.Open(ref.Get(), pBitmap))
    return FALSE;
  CRect rc(left, top, right, bottom);
  wk->FillRect(&rc, &brush);
  return pic->BitBlt(0, 0, size.cx, size.cy, wk.Get(), 0, 0, SRCAND);
}

BOOL CCommonLib::FloodFillBitmap(CDC* pDC, CBitmap* pBitmap, int x, int y, COLORREF clr) {
  CRefDC ref(pDC);
  CSurface pic;
  if (!pic.OpenForFill(ref.Get(), pBitmap, clr))
    return FALSE;
  COLORREF clrSeed = pic->GetPixel(x, y);
  if (clrSeed == CLR_INVALID)
    return FALSE;
  return pic->ExtFloodFill(x, y, clrSeed, FLOODFILLSURFACE);
}
