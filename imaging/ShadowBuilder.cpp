// The shadow builder and the Shadow Edge operation that uses it.
#include "imaging/ShadowBuilder.h"

#include "imaging/CommonLib.h"
#include "imaging/CommonLibGdi.h"
#include "imaging/Dib32.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace commonlib;

namespace {

const BYTE kCubeLevels[6] = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};

// Owns a DC of the whole screen for one query.
class CScreenDC {
public:
  CScreenDC() : m_hDC(::GetDC(NULL)) {}
  ~CScreenDC() {
    if (m_hDC != NULL)
      ::ReleaseDC(NULL, m_hDC);
  }
  CScreenDC(const CScreenDC&) = delete;
  CScreenDC& operator=(const CScreenDC&) = delete;
  HDC Get() const { return m_hDC; }

private:
  HDC m_hDC;
};

} // namespace

CShadowBuilder::CShadowBuilder()
    : size(0), minPercent(0), maxPercent(100), flags(0), shadowColor((COLORREF)-1) {
  ::SetRectEmpty(&rect);
  // The 216 colours of the 6 x 6 x 6 cube, for displays that work through a palette.
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 216 * sizeof(PALETTEENTRY));
  LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(buffer.data());
  pLog->palVersion = 0x300;
  pLog->palNumEntries = 216;
  int n = 0;
  for (int r = 0; r < 6; r++)
    for (int g = 0; g < 6; g++)
      for (int b = 0; b < 6; b++, n++) {
        pLog->palPalEntry[n].peRed = kCubeLevels[r];
        pLog->palPalEntry[n].peGreen = kCubeLevels[g];
        pLog->palPalEntry[n].peBlue = kCubeLevels[b];
        pLog->palPalEntry[n].peFlags = 0;
      }
  m_palette.CreatePalette(pLog);
}

CShadowBuilder::~CShadowBuilder() { Reset(); }

BOOL CShadowBuilder::Paint(CDC* pDC, const RECT& rcArea, int nSize, int nMinPercent, int nMaxPercent,
                           BOOL bSaveBackground) {
  rect = rcArea;
  size = nSize;
  minPercent = nMinPercent;
  maxPercent = nMaxPercent;
  flags = bSaveBackground ? (BYTE)(flags | 1) : (BYTE)(flags & ~1);
  return Render(pDC);
}

BOOL CShadowBuilder::Render(CDC* pDC) {
  if (size == 0 || ::IsRectEmpty(&rect))
    return TRUE;
  if (pDC == NULL || pDC->GetSafeHdc() == NULL)
    return FALSE;
  if (m_bmpRight.GetSafeHandle() != NULL || m_bmpBottom.GetSafeHandle() != NULL)
    return RestoreBackground(pDC);
  CScreenDC screen;
  if (screen.Get() == NULL)
    return FALSE;
  return ::GetDeviceCaps(screen.Get(), BITSPIXEL) > 8 ? RenderDib(pDC) : RenderHalftone(pDC);
}

void CShadowBuilder::DarkenPixel(int p, int x, int y, COLORREF clrShadow) {
  x -= m_xBits;
  y -= m_yBits;
  if (m_pBits == NULL || x < 0 || y < 0 || x >= m_cxBits || y >= m_cyBits)
    return;
  DWORD& px = m_pBits[(size_t)y * m_cxBits + x];
  int b = px & 0xFF, g = (px >> 8) & 0xFF, r = (px >> 16) & 0xFF;
  if (clrShadow == (COLORREF)-1) {
    r = r * p / 100;
    g = g * p / 100;
    b = b * p / 100;
  } else {
    // A channel of the shadow colour at 255 keeps the pixel's channel, at 0 darkens it to p percent.
    auto keep = [p](int k) { return std::min(100, ::MulDiv(100 - p, k, 255) + p); };
    r = r * keep(GetRValue(clrShadow)) / 100;
    g = g * keep(GetGValue(clrShadow)) / 100;
    b = b * keep(GetBValue(clrShadow)) / 100;
  }
  px = (px & 0xFF000000) | ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)b;
}

void CShadowBuilder::DarkenBlock(DWORD* pBits, int x0, int y0, int cx, int cy) {
  const int W = rect.right - rect.left, H = rect.bottom - rect.top, s = size;
  m_pBits = pBits;
  m_xBits = x0;
  m_yBits = y0;
  m_cxBits = cx;
  m_cyBits = cy;

  const int range = maxPercent - minPercent;
  for (int i = 0; i < s; i++) {
    const int level = minPercent + i * range / s;
    for (int x = 2 * s + 1; x <= W - 1; x++)
      DarkenPixel(level, x, H + i, shadowColor);
    for (int y = 2 * s + 1; y <= H - 1; y++)
      DarkenPixel(level, W + i, y, shadowColor);
    // Rounded ends: a quarter circle at the outer corner and at the start of each strip.
    for (int j = 0; j < s; j++) {
      if (i * i + j * j > s * s)
        continue;
      const int level2 = minPercent + (int)sqrt((double)(i * i + j * j)) * range / s;
      DarkenPixel(level2, W + i, H + j, shadowColor);
      DarkenPixel(level2, 2 * s - i, H + j, shadowColor);
      DarkenPixel(level2, W + i, 2 * s - j, shadowColor);
    }
  }
  m_pBits = NULL;
}

BOOL CShadowBuilder::RenderDib(CDC* pDC) {
  const int W = rect.right - rect.left, H = rect.bottom - rect.top, s = size;
  const int cx = W + s, cy = H + s;
  if (s <= 0 || cx <= 0 || cy <= 0)
    return TRUE;
  BITMAPINFO bmi = TopDownDib32(cx, cy);
  void* pvBits = NULL;
  CBitmap dib;
  if (!dib.Attach(::CreateDIBSection(pDC->GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0)) ||
      pvBits == NULL)
    return FALSE;
  {
    CSurface work;
    if (!work.Open(pDC, &dib) || !work->BitBlt(0, 0, cx, cy, pDC, rect.left, rect.top, SRCCOPY))
      return FALSE;
    ::GdiFlush();
    DarkenBlock(static_cast<DWORD*>(pvBits), 0, 0, cx, cy);
    if (!pDC->BitBlt(rect.left, rect.top, cx, cy, work.Get(), 0, 0, SRCCOPY))
      return FALSE;
  }
  if (flags & 1)
    return SaveBackground(pDC);
  return TRUE;
}

BOOL CShadowBuilder::RenderHalftone(CDC* pDC) {
  const int W = rect.right - rect.left, H = rect.bottom - rect.top, s = size;
  if (s <= 0 || W <= 0 || H <= 0)
    return TRUE;
  // Checkerboard: with the DC's black text colour, every other pixel of the strips turns black.
  static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  CBitmap pattern;
  CBrush brush;
  if (!pattern.CreateBitmap(8, 8, 1, 1, kPattern) || !brush.CreatePatternBrush(&pattern))
    return FALSE;
  HDC hDC = pDC->GetSafeHdc();
  HPALETTE hOldPalette = NULL;
  if ((pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && m_palette.GetSafeHandle() != NULL) {
    hOldPalette = ::SelectPalette(hDC, (HPALETTE)m_palette.GetSafeHandle(), FALSE);
    ::RealizePalette(hDC);
  }
  const DWORD kDestAndPattern = 0xA000C9;
  BOOL bDone;
  {
    CSelect selBrush(hDC, brush.GetSafeHandle());
    bDone = selBrush.IsSelected() && pDC->PatBlt(rect.right, rect.top + s, s, H, kDestAndPattern) &&
            pDC->PatBlt(rect.left + s, rect.bottom, W - s, s, kDestAndPattern);
  }
  if (hOldPalette != NULL)
    ::SelectPalette(hDC, hOldPalette, FALSE);
  if (bDone && (flags & 1))
    return SaveBackground(pDC);
  return bDone;
}

BOOL CShadowBuilder::SaveBackground(CDC* pDC) {
  const int W = rect.right - rect.left, H = rect.bottom - rect.top, s = size;
  m_bmpRight.DeleteObject();
  m_bmpBottom.DeleteObject();
  if (pDC == NULL || s <= 0 || W <= 0 || H <= 0)
    return FALSE;
  if (!m_bmpRight.CreateCompatibleBitmap(pDC, s, H + s) ||
      !m_bmpBottom.CreateCompatibleBitmap(pDC, W + s, s)) {
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    return FALSE;
  }
  CSurface right, bottom;
  if (!right.Open(pDC, &m_bmpRight) || !bottom.Open(pDC, &m_bmpBottom) ||
      !right->BitBlt(0, 0, s, H + s, pDC, rect.right, rect.top, SRCCOPY) ||
      !bottom->BitBlt(0, 0, W + s, s, pDC, rect.left, rect.bottom, SRCCOPY)) {
    right.Close();
    bottom.Close();
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    return FALSE;
  }
  return TRUE;
}

BOOL CShadowBuilder::RestoreBackground(CDC* pDC) {
  if (pDC == NULL || m_bmpRight.GetSafeHandle() == NULL || m_bmpBottom.GetSafeHandle() == NULL)
    return FALSE;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top, s = size;
  CSurface right, bottom;
  return right.Open(pDC, &m_bmpRight) && bottom.Open(pDC, &m_bmpBottom) &&
         pDC->BitBlt(rect.right, rect.top, s, H + s, right.Get(), 0, 0, SRCCOPY) &&
         pDC->BitBlt(rect.left, rect.bottom, W + s, s, bottom.Get(), 0, 0, SRCCOPY);
}

void CShadowBuilder::Reset() {
  m_bmpRight.DeleteObject();
  m_bmpBottom.DeleteObject();
  m_pBits = NULL;
  m_xBits = m_yBits = m_cxBits = m_cyBits = 0;
  ::SetRectEmpty(&rect);
  flags = (BYTE)(flags & ~1);
}

namespace {

// The drop shadow on a 32-bit picture: the picture is copied once into the result and only the
// two strips the shadow lies on (right and bottom) are made and darkened, each in a small DIB
// section; the whole-size copy, its DIB round trip and the fill under the picture are not needed.
BOOL ShadowOnStrips(CDC* pRef, CBitmap* pBitmap, CSize size, int nSize, COLORREF clrShadow,
                    COLORREF clrBack) {
  const int W = size.cx, H = size.cy, s = nSize;
  CBitmap result;
  if (!result.CreateCompatibleBitmap(pRef, W + s, H + s))
    return FALSE;
  {
    CSurface dst, src;
    if (!dst.Open(pRef, &result) || !src.Open(pRef, pBitmap) ||
        !dst->BitBlt(0, 0, W, H, src.Get(), 0, 0, SRCCOPY))
      return FALSE;
    CShadowBuilder builder;
    builder.shadowColor = clrShadow;
    builder.rect = CRect(0, 0, W, H);
    builder.size = s;
    builder.minPercent = 75;
    builder.maxPercent = 100;
    // Right strip, corner included, then the bottom strip left of it.
    const RECT strips[2] = {{W, 0, W + s, H + s}, {0, H, W, H + s}};
    for (const RECT& rc : strips) {
      const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
      CDibSection strip;
      CSurface work;
      if (cx <= 0)
        continue;
      if (!strip.Create(pRef, cx, cy) || !work.OpenForFill(pRef, strip.Bitmap(), clrBack) ||
          !work->PatBlt(0, 0, cx, cy, PATCOPY))
        return FALSE;
      ::GdiFlush();
      builder.DarkenBlock(strip.Row(0), rc.left, rc.top, cx, cy);
      if (!dst->BitBlt(rc.left, rc.top, cx, cy, work.Get(), 0, 0, SRCCOPY))
        return FALSE;
    }
    builder.Reset();
  }
  ReplaceBitmap(pBitmap, result);
  return TRUE;
}

} // namespace

BOOL CCommonLib::ShadowEffect(CDC* pDC, CBitmap* pBitmap, int nSize, int /*nFlags*/, COLORREF clrShadow,
                              COLORREF clrBack) {
  if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
    return FALSE;
  if (nSize <= 0)
    return TRUE;
  CSize size = BitmapSize(pBitmap);
  CRefDC ref(pDC);
  if (ref.Get() == NULL)
    return FALSE;
  // The strips give the same pixels as the builder's own rendering where it darkens each pixel
  // (a screen of more than 256 colours) and no bitmap on the way rounds a colour to fewer bits.
  if (m_bPixelRoads && Is32BitBitmap((HBITMAP)pBitmap->GetSafeHandle()) && Makes32BitBitmaps(ref.Get())) {
    CScreenDC screen;
    if (screen.Get() != NULL && ::GetDeviceCaps(screen.Get(), BITSPIXEL) > 8)
      return ShadowOnStrips(ref.Get(), pBitmap, size, nSize, clrShadow, clrBack);
  }
  // The picture on a back-coloured area larger by the shadow size to the right and bottom.
  CBitmap larger;
  if (!CreateFilledBitmap(ref.Get(), larger, size.cx + nSize, size.cy + nSize, clrBack))
    return FALSE;
  {
    CSurface dst, src;
    if (!dst.Open(ref.Get(), &larger) || !src.Open(ref.Get(), pBitmap) ||
        !dst->BitBlt(0, 0, size.cx, size.cy, src.Get(), 0, 0, SRCCOPY))
      return FALSE;
  }

  // The shadow is drawn on the larger bitmap before it replaces the picture.
  {
    CSurface pic;
    if (!pic.Open(ref.Get(), &larger))
      return FALSE;
    CShadowBuilder builder;
    builder.shadowColor = clrShadow;
    BOOL bDone = builder.Paint(pic.Get(), CRect(0, 0, size.cx, size.cy), nSize, 75, 100, FALSE);
    builder.Reset();
    if (!bDone)
      return FALSE;
  }
  ReplaceBitmap(pBitmap, larger);
  return TRUE;
}
