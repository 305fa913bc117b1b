// Gradients and the colour-adjusted bitmaps the dock markers and icons are tinted with.
#include "toolkit/theme/ExtPaintManager.h"

#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Rectangles gathered before they are merged into the region, and the step the buffer grows by.
const DWORD kRegionFlushRects = 2000;
const DWORD kRegionGrowRects = 200;

COLORREF PixelToColor(DWORD px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }

DWORD ColorToPixel(COLORREF clr) {
  return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

// Each channel of a pixel between the key's and the key's plus the tolerance's; red is compared
// with red and blue with blue whatever the byte order of the pixel.
class KeyRange {
public:
  KeyRange(COLORREF clrKey, COLORREF clrTolerance)
      : m_lo{GetRValue(clrKey), GetGValue(clrKey), GetBValue(clrKey)},
        m_hi{Hi(GetRValue(clrKey), GetRValue(clrTolerance)), Hi(GetGValue(clrKey), GetGValue(clrTolerance)),
             Hi(GetBValue(clrKey), GetBValue(clrTolerance))} {}
  bool Contains(DWORD px) const {
    const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return r >= m_lo[0] && r <= m_hi[0] && g >= m_lo[1] && g <= m_hi[1] && b >= m_lo[2] && b <= m_hi[2];
  }

private:
  static int Hi(int nKey, int nTolerance) { return std::min(255, nKey + nTolerance); }
  int m_lo[3], m_hi[3];
};

struct BitmapSize {
  int cx = 0, cy = 0;
};

// A top-down 32-bit copy of the bitmap and its size; NULL when it cannot be made.
HBITMAP Copy32(HBITMAP hBitmap, BitmapSize& size, DWORD*& pBits) {
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return NULL;
  size.cx = bm.bmWidth;
  size.cy = bm.bmHeight;
  return CExtPaintManager::CopyBitmapTo32BitDib(hBitmap, NULL, &pBits);
}

// The RGNDATA buffer of the runs found so far.
class RegionBuilder {
public:
  explicit RegionBuilder(int cy) : m_bound{0, 0, 0, cy} { Reset(); }
  ~RegionBuilder() {
    if (m_hRgn != NULL)
      ::DeleteObject(m_hRgn);
  }
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;

  bool Add(int x0, int x1, int y) {
    if (Count() == m_nCapacity) {
      m_nCapacity += kRegionGrowRects;
      m_buffer.resize(sizeof(RGNDATAHEADER) + m_nCapacity * sizeof(RECT));
    }
    RECT* pRects = reinterpret_cast<RECT*>(m_buffer.data() + sizeof(RGNDATAHEADER));
    pRects[Count()] = RECT{x0, y, x1, y + 1};
    Header().nCount++;
    m_bound.right = std::max(m_bound.right, (LONG)x1);
    return Count() < kRegionFlushRects || Flush();
  }
  // Merges the gathered runs into the result and starts the buffer again.
  bool Flush() {
    if (Count() == 0)
      return true;
    Header().rcBound = m_bound;
    HRGN hPart = ::ExtCreateRegion(NULL, (DWORD)m_buffer.size(), reinterpret_cast<RGNDATA*>(m_buffer.data()));
    if (hPart == NULL)
      return false;
    if (m_hRgn == NULL) {
      m_hRgn = hPart;
    } else {
      ::CombineRgn(m_hRgn, m_hRgn, hPart, RGN_OR);
      ::DeleteObject(hPart);
    }
    Reset();
    return true;
  }
  HRGN Detach() {
    if (m_hRgn == NULL)
      m_hRgn = ::CreateRectRgn(0, 0, 0, 0);
    HRGN h = m_hRgn;
    m_hRgn = NULL;
    return h;
  }

private:
  RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(m_buffer.data()); }
  DWORD Count() { return Header().nCount; }
  void Reset() {
    m_nCapacity = kRegionGrowRects;
    m_buffer.assign(sizeof(RGNDATAHEADER) + m_nCapacity * sizeof(RECT), 0);
    Header().dwSize = sizeof(RGNDATAHEADER);
    Header().iType = RDH_RECTANGLES;
  }

  std::vector<BYTE> m_buffer;
  DWORD m_nCapacity = 0;
  RECT m_bound;
  HRGN m_hRgn = NULL;
};

} // namespace

void CExtPaintManager::PaintGradientRect(CDC& dc, const RECT& rc, COLORREF clrFrom, COLORREF clrTo,
                                         bool bVertical, int nBands) {
  const auto pfnGradientFill = g_PaintManagerHolder.m_pfnGradientFill;
  if (pfnGradientFill != NULL && (g_PaintManagerHolder.m_nOsFlagsA & CExtPaintManagerHolder::OSA_NT) != 0) {
    const COLORREF clrFirst = bVertical ? clrTo : clrFrom, clrSecond = bVertical ? clrFrom : clrTo;
    TRIVERTEX vertices[2] = {
        {rc.left, rc.top, (COLOR16)(GetRValue(clrFirst) << 8), (COLOR16)(GetGValue(clrFirst) << 8),
         (COLOR16)(GetBValue(clrFirst) << 8), 0},
        {rc.right, rc.bottom, (COLOR16)(GetRValue(clrSecond) << 8), (COLOR16)(GetGValue(clrSecond) << 8),
         (COLOR16)(GetBValue(clrSecond) << 8), 0},
    };
    GRADIENT_RECT gradient = {0, 1};
    pfnGradientFill(dc.m_hDC, vertices, 2, &gradient, 1,
                    bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return;
  }
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0)
    return;
  const int nExtent = bVertical ? cy : cx;
  const bool bPalette = GetScreenBitsPerPixel() <= 8;
  int n = std::min(nBands, nExtent);
  if (bPalette && n > 0 && nExtent / n < 4)
    n = nExtent / 4;
  if (n <= 0)
    return;
  const COLORREF clrOldBk = dc.GetBkColor();
  for (int i = 0; i < n; ++i) {
    auto mix = [&](int c1, int c2) { return (c1 * (n - i) + c2 * i) / n; };
    const COLORREF clr =
        RGB(mix(GetRValue(clrFrom), GetRValue(clrTo)), mix(GetGValue(clrFrom), GetGValue(clrTo)),
            mix(GetBValue(clrFrom), GetBValue(clrTo)));
    // Band i covers its own share from the start edge, so the first band shows the pure start
    // colour and the last one reaches the far edge.
    const int nStart = ::MulDiv(i, nExtent, n), nEnd = ::MulDiv(i + 1, nExtent, n);
    const RECT rcBand = bVertical ? RECT{rc.left, rc.bottom - nEnd, rc.right, rc.bottom - nStart}
                                  : RECT{rc.left + nStart, rc.top, rc.left + nEnd, rc.bottom};
    if (bPalette) {
      CBrush brush(clr);
      dc.FillRect(&rcBand, &brush);
    } else {
      dc.FillSolidRect(&rcBand, clr);
    }
  }
  dc.SetBkColor(clrOldBk);
}

HBITMAP CExtPaintManager::HlsAdjustBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance,
                                          double dHue, double dLightness, double dSaturation) {
  if (hBitmap == NULL || (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0))
    return NULL;
  BitmapSize size;
  DWORD* pBits = NULL;
  HBITMAP hDib = Copy32(hBitmap, size, pBits);
  if (hDib == NULL)
    return NULL;
  ::GdiFlush();
  const KeyRange key(clrKey, clrTolerance);
  // Pictures repeat colours in runs; the last answer is kept.
  DWORD pxLast = 0,
        pxLastResult = ColorToPixel(HlsAdjustColor(PixelToColor(0), dHue, dLightness, dSaturation));
  const size_t nCount = (size_t)size.cx * size.cy;
  for (size_t i = 0; i < nCount; ++i) {
    const DWORD px = pBits[i] & 0x00FFFFFF;
    if (key.Contains(px))
      continue;
    if (px != pxLast) {
      pxLast = px;
      pxLastResult = ColorToPixel(HlsAdjustColor(PixelToColor(px), dHue, dLightness, dSaturation));
    }
    pBits[i] = (pBits[i] & 0xFF000000) | pxLastResult;
  }
  return hDib;
}

bool CExtPaintManager::HlsAdjustBitmapInPlace(CBitmap& bmp, COLORREF clrKey, COLORREF clrTolerance,
                                              double dHue, double dLightness, double dSaturation) {
  const bool bNoChange = dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0;
  if (bmp.GetSafeHandle() == NULL)
    return bNoChange;
  if (bNoChange)
    return true;
  HBITMAP hNew =
      HlsAdjustBitmap((HBITMAP)bmp.GetSafeHandle(), clrKey, clrTolerance, dHue, dLightness, dSaturation);
  if (hNew == NULL)
    return false;
  bmp.DeleteObject();
  bmp.Attach(hNew);
  return true;
}

HRGN CExtPaintManager::BitmapToRegion(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance) {
  BitmapSize size;
  DWORD* pBits = NULL;
  HBITMAP hDib = Copy32(hBitmap, size, pBits);
  if (hDib == NULL)
    return NULL;
  std::unique_ptr<void, decltype(&::DeleteObject)> dibOwner(hDib, &::DeleteObject);
  ::GdiFlush();
  const KeyRange key(clrKey, clrTolerance);
  RegionBuilder builder(size.cy);
  for (int y = 0; y < size.cy; ++y) {
    const DWORD* pRow = pBits + (size_t)y * size.cx;
    for (int x = 0; x < size.cx;) {
      while (x < size.cx && key.Contains(pRow[x] & 0x00FFFFFF))
        ++x;
      const int x0 = x;
      while (x < size.cx && !key.Contains(pRow[x] & 0x00FFFFFF))
        ++x;
      if (x > x0 && !builder.Add(x0, x, y))
        return NULL;
    }
  }
  if (!builder.Flush())
    return NULL;
  return builder.Detach();
}
