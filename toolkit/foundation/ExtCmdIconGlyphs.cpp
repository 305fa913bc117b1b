// The command icon's generated glyphs and marks, its rendering over a free key colour, and the
// bitmap services it is built on.
#include "toolkit/foundation/ExtCmdIcon.h"

#include "toolkit/foundation/ExtGdiHandles.h"

#include <algorithm>
#include <vector>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kLightGreen = RGB(128, 255, 128);
const int kGlyphInkLogicalId = 1010;

void FillSolid(HDC hDC, int cx, int cy, COLORREF clr) {
  const RECT rc = {0, 0, cx, cy};
  ::SetBkColor(hDC, clr);
  ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
}

// The device's nearest colour to the ink's complement: the shade drawn beside a mark.
COLORREF ShadeOf(HDC hDC, COLORREF clrInk) {
  return ::GetNearestColor(hDC,
                           RGB(255 - GetRValue(clrInk), 255 - GetGValue(clrInk), 255 - GetBValue(clrInk)));
}

// A pen and a brush of one colour selected into a DC for a scope.
class SolidPenBrush_t {
public:
  SolidPenBrush_t(HDC hDC, COLORREF clr)
      : m_hDC(hDC), m_hPen(::CreatePen(PS_SOLID, 1, clr)), m_hBrush(::CreateSolidBrush(clr)),
        m_hOldPen(::SelectObject(hDC, m_hPen)), m_hOldBrush(::SelectObject(hDC, m_hBrush)) {}
  ~SolidPenBrush_t() {
    ::SelectObject(m_hDC, m_hOldPen);
    ::SelectObject(m_hDC, m_hOldBrush);
    ::DeleteObject(m_hPen);
    ::DeleteObject(m_hBrush);
  }
  SolidPenBrush_t(const SolidPenBrush_t&) = delete;
  SolidPenBrush_t& operator=(const SolidPenBrush_t&) = delete;

private:
  HDC m_hDC;
  HPEN m_hPen;
  HBRUSH m_hBrush;
  HGDIOBJ m_hOldPen, m_hOldBrush;
};

// Every pixel of a 32-bit bitmap (bottom row first), or an empty list when it cannot be read.
std::vector<DWORD> ReadPixels32(HBITMAP hBitmap, int* pcx, int* pcy) {
  BITMAP bm = {};
  std::vector<DWORD> pixels;
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return pixels;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = bm.bmWidth;
  bmi.bmiHeader.biHeight = bm.bmHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  pixels.resize((size_t)bm.bmWidth * bm.bmHeight);
  HDC hScreen = ::GetDC(NULL);
  const int nRows = ::GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hScreen);
  if (nRows != bm.bmHeight)
    pixels.clear();
  *pcx = bm.bmWidth;
  *pcy = bm.bmHeight;
  return pixels;
}

// The first colour no pixel uses: the usual key colours first, then any from 1 upward.
bool FindUnusedColor(std::vector<DWORD> used, COLORREF* pclrKey) {
  for (DWORD& px : used)
    px &= 0xFFFFFF;
  std::sort(used.begin(), used.end());
  auto isUsed = [&used](COLORREF clr) {
    return std::binary_search(used.begin(), used.end(), ExtDibColor(clr));
  };
  for (COLORREF clr : {kMagenta, RGB(0, 255, 0), RGB(192, 192, 192)}) {
    if (!isUsed(clr)) {
      *pclrKey = clr;
      return true;
    }
  }
  for (COLORREF clr = 1; clr < 0xFFFFFE; ++clr) {
    if (!isUsed(clr)) {
      *pclrKey = clr;
      return true;
    }
  }
  return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Bitmap services

HBITMAP CExtCmdIcon::CopyBitmapTo32BitDib(HBITMAP hBitmap, const RECT* pRcPart, void** ppBits) {
  if (ppBits != NULL)
    *ppBits = NULL;
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
    return NULL;
  const RECT rc = pRcPart != NULL ? *pRcPart : RECT{0, 0, bm.bmWidth, bm.bmHeight};
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0)
    return NULL;
  void* pBits = NULL;
  ExtBitmapPtr_t dib(ExtCreateDib32(NULL, cx, cy, true, &pBits));
  {
    ExtMemDC_t dcSource, dcTarget;
    if (!dib || !dcSource.Select(hBitmap) || !dcTarget.Select(dib.get()) ||
        !::BitBlt(dcTarget.Get(), 0, 0, cx, cy, dcSource.Get(), rc.left, rc.top, SRCCOPY))
      return NULL;
  }
  ::GdiFlush();
  if (ppBits != NULL)
    *ppBits = pBits;
  return dib.release();
}

HICON CExtCmdIcon::BitmapToIcon(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool) {
  void* pBits = NULL;
  ExtBitmapPtr_t color(CopyBitmapTo32BitDib(hBitmap, pRcPart, &pBits));
  if (!color)
    return NULL;
  BITMAP bm = {};
  ::GetObjectA(color.get(), sizeof(bm), &bm);
  const int cx = bm.bmWidth, cy = bm.bmHeight;
  // The mask is word-aligned and top-down; the colour rows are bottom-up. Key pixels are set in
  // the mask and made black in the colour bitmap, so the screen shows through them.
  const size_t nMaskStride = (size_t)((cx + 15) / 16) * 2;
  std::vector<BYTE> mask(nMaskStride * cy, 0);
  DWORD* pPixels = static_cast<DWORD*>(pBits);
  const DWORD dwKey = ExtDibColor(clrKey);
  for (int y = 0; y < cy; ++y) {
    DWORD* pRow = pPixels + (size_t)(cy - 1 - y) * cx;
    for (int x = 0; x < cx; ++x) {
      if ((pRow[x] & 0xFFFFFF) == dwKey) {
        mask[y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
        pRow[x] = 0;
      } else {
        pRow[x] &= 0xFFFFFF;
      }
    }
  }
  ExtBitmapPtr_t monoMask(::CreateBitmap(cx, cy, 1, 1, mask.data()));
  if (!monoMask)
    return NULL;
  ICONINFO info = {TRUE, 0, 0, monoMask.get(), color.get()};
  return ::CreateIconIndirect(&info);
}

// ---------------------------------------------------------------------------------------------
// Rendering over a key colour

bool CExtCmdIcon::PickUnusedKeyColor(HBITMAP* phBitmap, COLORREF* pclrKey, bool bPickNewKey,
                                     void** ppBits) const {
  if (phBitmap != NULL)
    *phBitmap = NULL;
  if (ppBits != NULL)
    *ppBits = NULL;
  if (IsEmpty())
    return false;
  void* pBits = NULL;
  ExtBitmapPtr_t copy(CopyToDibSection(&pBits));
  if (!copy)
    return false;
  BITMAP bm = {};
  ::GetObjectA(copy.get(), sizeof(bm), &bm);
  const DWORD* pCopy = static_cast<const DWORD*>(pBits);

  COLORREF clrKey = GetKeyColor();
  if (!IsBitmapBased() || bPickNewKey) {
    if (!FindUnusedColor(std::vector<DWORD>(pCopy, pCopy + (size_t)bm.bmWidth * bm.bmHeight), &clrKey))
      return false;
  }

  ExtBitmapPtr_t rendered;
  if (IsBitmapBased()) {
    rendered = std::move(copy);
    if (clrKey != GetKeyColor()) {
      DWORD* pPixels = static_cast<DWORD*>(pBits);
      const DWORD dwOld = ExtDibColor(GetKeyColor()), dwNew = ExtDibColor(clrKey);
      for (size_t i = 0, n = (size_t)bm.bmWidth * bm.bmHeight; i < n; ++i) {
        if ((pPixels[i] & 0xFFFFFF) == dwOld)
          pPixels[i] = dwNew;
      }
    }
  } else {
    // The icon drawn over the key; wherever its mask is white the key shows.
    const int cx = m_icon.m_nWidth, cy = m_icon.m_nHeight;
    ExtMemDC_t dc;
    rendered.reset(ExtCreateDib32(dc.Get(), cx, cy, true, &pBits));
    if (!rendered || !dc.Select(rendered.get()))
      return false;
    FillSolid(dc.Get(), cx, cy, clrKey);
    ::DrawIconEx(dc.Get(), 0, 0, m_icon.m_hIcon, cx, cy, 0, NULL, DI_NORMAL);
    ::GdiFlush();
    ExtIconInfo_t info;
    int nMaskWidth = 0, nMaskHeight = 0;
    const std::vector<DWORD> mask = info.Read(m_icon.m_hIcon)
                                        ? ReadPixels32(info.hbmMask, &nMaskWidth, &nMaskHeight)
                                        : std::vector<DWORD>();
    DWORD* pPixels = static_cast<DWORD*>(pBits);
    const DWORD dwKey = ExtDibColor(clrKey);
    for (int y = 0; y < cy && y < nMaskHeight && !mask.empty(); ++y) {
      for (int x = 0; x < cx && x < nMaskWidth; ++x) {
        if ((mask[(size_t)(nMaskHeight - 1 - y) * nMaskWidth + x] & 0xFFFFFF) == 0xFFFFFF)
          pPixels[(size_t)(cy - 1 - y) * cx + x] = dwKey;
      }
    }
  }
  ::GdiFlush();
  if (pclrKey != NULL)
    *pclrKey = clrKey;
  if (ppBits != NULL)
    *ppBits = pBits;
  if (phBitmap != NULL)
    *phBitmap = rendered.release();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Glyphs and marks

void CExtCmdIcon::PaintCheckMark(HDC hDC, int x, int y, COLORREF clrInk) {
  const COLORREF clrShade = ShadeOf(hDC, clrInk);
  // Each of the seven columns holds two ink pixels with the shade right below them.
  static const int kFirstInkRow[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int dx = 0; dx < 7; ++dx) {
    const int dy = kFirstInkRow[dx];
    ::SetPixel(hDC, x + dx, y + dy, clrInk);
    ::SetPixel(hDC, x + dx, y + dy + 1, clrInk);
    ::SetPixel(hDC, x + dx, y + dy + 2, clrShade);
  }
}

void CExtCmdIcon::PaintRadioBullet(HDC hDC, int x, int y, COLORREF clrInk) {
  const COLORREF clrShade = ShadeOf(hDC, clrInk);
  {
    SolidPenBrush_t shade(hDC, clrShade);
    ::Ellipse(hDC, x + 1, y + 1, x + 7, y + 7);
  }
  SolidPenBrush_t ink(hDC, clrInk);
  ::Ellipse(hDC, x, y, x + 6, y + 6);
}

bool CExtCmdIcon::CreateCheckGlyph(COLORREF clrInk, COLORREF clrKey, int nWidth, int nHeight, void** ppBits) {
  return CreateGlyph(1, clrInk, clrKey, nWidth, nHeight, ppBits);
}

bool CExtCmdIcon::CreateRadioGlyph(COLORREF clrInk, COLORREF clrKey, int nWidth, int nHeight, void** ppBits) {
  return CreateGlyph(2, clrInk, clrKey, nWidth, nHeight, ppBits);
}

bool CExtCmdIcon::CreateBlankGlyph(COLORREF clrKey, int nWidth, int nHeight, void** ppBits) {
  return CreateGlyph(0, RGB(0, 0, 0), clrKey, nWidth, nHeight, ppBits);
}

bool CExtCmdIcon::CreateGlyph(int nMark, COLORREF clrInk, COLORREF clrKey, int nWidth, int nHeight,
                              void** ppBits) {
  if (ppBits != NULL)
    *ppBits = NULL;
  if (nWidth <= 0 || nHeight <= 0)
    return false;
  Empty();
  if (clrInk == (COLORREF)-1)
    clrInk = GetThemeHooks().pfnColorByLogicalId(kGlyphInkLogicalId);
  if (clrKey == (COLORREF)-1)
    clrKey = nMark != 0 && clrInk == kMagenta ? kLightGreen : kMagenta;
  void* pBits = NULL;
  ExtBitmapPtr_t dib;
  {
    ExtMemDC_t dc;
    dib.reset(ExtCreateDib32(dc.Get(), nWidth, nHeight, true, &pBits));
    if (!dib || !dc.Select(dib.get()))
      return false;
    FillSolid(dc.Get(), nWidth, nHeight, clrKey);
    const int x = nWidth / 2 - 3, y = nHeight / 2 - 3;
    if (nMark == 1)
      PaintCheckMark(dc.Get(), x, y, clrInk);
    else if (nMark == 2)
      PaintRadioBullet(dc.Get(), x, y, clrInk);
  }
  ::GdiFlush();
  m_bitmap.Adopt(dib.release(), clrKey);
  if (ppBits != NULL)
    *ppBits = pBits;
  return true;
}
