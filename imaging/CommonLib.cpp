// Copies, XOR differences, highlighter and flood fill on device-dependent bitmaps.
#include "imaging/CommonLib.h"

#include "imaging/CommonLibGdi.h"
#include "imaging/PixelPlane.h"

#include <algorithm>
#include <memory>
#include <vector>

using namespace commonlib;

namespace {

const DWORD kColourBits = 0x00FFFFFF;

// Fills the four-connected area of the colour at (x, y) on 32-bit rows, a run of a row at a time.
// Colours are compared and changed without the top byte, which each pixel keeps: pictures that
// came through GDI+ carry an opaque alpha there, and the platform's fill, which compares whole
// pixels with a colour whose top byte is 0, finds no pixel of the seed's colour in them.
void FillPlaneArea(const CPixelPlane& plane, int x, int y, DWORD nColour) {
  auto row = [&plane](int nRow) { return reinterpret_cast<DWORD*>(plane.Row(nRow)); };
  const DWORD nSeed = row(y)[x] & kColourBits;
  if (nSeed == nColour)
    return; // nothing to change, and nothing would tell a filled pixel from one to fill
  auto isSeed = [nSeed](DWORD nPixel) { return (nPixel & kColourBits) == nSeed; };
  std::vector<POINT> pending{{x, y}};
  while (!pending.empty()) {
    const POINT pt = pending.back();
    pending.pop_back();
    DWORD* pRow = row(pt.y);
    if (!isSeed(pRow[pt.x]))
      continue; // filled from another run meanwhile
    int left = pt.x, right = pt.x;
    while (left > 0 && isSeed(pRow[left - 1]))
      left--;
    while (right + 1 < plane.cx && isSeed(pRow[right + 1]))
      right++;
    for (int i = left; i <= right; i++)
      pRow[i] = (pRow[i] & ~kColourBits) | nColour;
    // Each run of the seed's colour touching this one above or below is filled from its start.
    for (int nNext : {pt.y - 1, pt.y + 1}) {
      if (nNext < 0 || nNext >= plane.cy)
        continue;
      const DWORD* pNext = row(nNext);
      for (int i = left; i <= right; i++)
        if (isSeed(pNext[i]) && (i == left || !isSeed(pNext[i - 1])))
          pending.push_back({i, nNext});
    }
  }
}

} // namespace

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
  const HBITMAP hBitmap = pBitmap != NULL ? (HBITMAP)pBitmap->GetSafeHandle() : NULL;
  CPixelPlane plane;
  CRawBytes copy;
  if (hBitmap != NULL && ReadPixelPlane(hBitmap, plane, copy)) {
    if (x < 0 || y < 0 || x >= plane.cx || y >= plane.cy)
      return FALSE;
    FillPlaneArea(plane, x, y, (DWORD(GetRValue(clr)) << 16) | (DWORD(GetGValue(clr)) << 8) | GetBValue(clr));
    // A bitmap that is no section was filled in a copy of its rows.
    const LONG nBytes = (LONG)(plane.RowBytes() * plane.cy);
    return !copy || ::SetBitmapBits(hBitmap, nBytes, copy.get()) == nBytes;
  }
  CRefDC ref(pDC);
  CSurface pic;
  if (!pic.OpenForFill(ref.Get(), pBitmap, clr))
    return FALSE;
  COLORREF clrSeed = pic->GetPixel(x, y);
  if (clrSeed == CLR_INVALID)
    return FALSE;
  return pic->ExtFloodFill(x, y, clrSeed, FLOODFILLSURFACE);
}
