// The theme's look of dock markers: the colouring of marker images, the outline over a marker
// window under the pointer, and the highlight laid over the area where a dragged bar will land.
#include "toolkit/theme/ExtPaintManagerDockMarkers.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <vector>

namespace {

typedef CExtPaintManager::DockMarkerBase Marker;

// The drop area (the main rectangle and the tab rectangle when there is one) over a pixel
// buffer, and which of its pixels lie within the border width of its outline.
class DropArea {
public:
  DropArea(const RECT& rcMain, const RECT* pRcTab, int nBorder) : m_rcMain(rcMain), m_nBorder(nBorder) {
    if (pRcTab != NULL)
      m_rcTab = *pRcTab;
    m_rcBox.UnionRect(&m_rcMain, &m_rcTab);
    m_rcBox.InflateRect(m_nBorder, m_nBorder);
    // Counts of area pixels above and left of each point of the box, so that any square's count
    // is four look-ups.
    m_nStride = m_rcBox.Width() + 1;
    m_counts.assign((size_t)m_nStride * (m_rcBox.Height() + 1), 0);
    for (int y = 0; y < m_rcBox.Height(); ++y)
      for (int x = 0; x < m_rcBox.Width(); ++x)
        m_counts[Index(x + 1, y + 1)] = Count(x, y + 1) + Count(x + 1, y) - Count(x, y) +
                                        (Contains(m_rcBox.left + x, m_rcBox.top + y) ? 1 : 0);
  }

  bool Contains(int x, int y) const {
    const POINT pt = {x, y};
    return ::PtInRect(&m_rcMain, pt) || ::PtInRect(&m_rcTab, pt);
  }
  // A pixel of the area whose square of the border width round it leaves the area.
  bool IsBorder(int x, int y) const {
    if (m_nBorder <= 0)
      return false;
    const int x0 = x - m_nBorder - m_rcBox.left, y0 = y - m_nBorder - m_rcBox.top, n = 2 * m_nBorder + 1;
    const int nInside = Count(x0 + n, y0 + n) - Count(x0, y0 + n) - Count(x0 + n, y0) + Count(x0, y0);
    return nInside < n * n;
  }
  const CRect& Bounds() const { return m_rcBox; }

private:
  size_t Index(int x, int y) const { return (size_t)y * m_nStride + x; }
  int Count(int x, int y) const { return m_counts[Index(x, y)]; }

  CRect m_rcMain, m_rcTab, m_rcBox;
  int m_nBorder;
  int m_nStride = 0;
  std::vector<int> m_counts;
};

// Buffer pixels are 0x00RRGGBB.
COLORREF FromPixel(DWORD px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }
DWORD ToPixel(COLORREF clr) {
  return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

COLORREF Average(COLORREF clr1, COLORREF clr2) {
  return RGB((GetRValue(clr1) + GetRValue(clr2)) / 2, (GetGValue(clr1) + GetGValue(clr2)) / 2,
             (GetBValue(clr1) + GetBValue(clr2)) / 2);
}

bool IsSideKind(int nKind) { return nKind >= Marker::KIND_TOP && nKind <= Marker::KIND_RIGHT; }

} // namespace

// ---------------------------------------------------------------------------------------------
// Marker colours.

bool CExtPaintManager::GetDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrKeyNormal,
                                           CBitmap& bmpHot, COLORREF clrKeyHot) {
  if (!IsDockMarkerStyle1() || nKind == Marker::KIND_CENTER)
    return true;
  if (GetScreenBitsPerPixel() <= 8)
    return HlsAdjustBitmapInPlace(bmpNormal, clrKeyNormal, 0, 0.0, -0.15, -1.0) &&
           HlsAdjustBitmapInPlace(bmpHot, clrKeyHot, 0, 0.0, 0.3, -1.0);
  return HlsAdjustBitmapInPlace(bmpHot, clrKeyHot, 0, 0.0, 0.35, 0.0);
}

bool CExtPaintManagerXP::GetDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrKeyNormal,
                                             CBitmap& bmpHot, COLORREF clrKeyHot) {
  return CExtPaintManager::GetDockMarkerColors(nKind, bmpNormal, clrKeyNormal, bmpHot, clrKeyHot);
}

// Office 2003 leaves the normal images as drawn and washes its hot look out less.
bool CExtPaintManagerOffice2003::GetDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrKeyNormal,
                                                     CBitmap& bmpHot, COLORREF clrKeyHot) {
  if (!IsDockMarkerStyle1() || nKind == Marker::KIND_CENTER || GetScreenBitsPerPixel() <= 8)
    return CExtPaintManagerXP::GetDockMarkerColors(nKind, bmpNormal, clrKeyNormal, bmpHot, clrKeyHot);
  return HlsAdjustBitmapInPlace(bmpHot, clrKeyHot, 0, 0.0, 0.25, 0.0);
}

// ---------------------------------------------------------------------------------------------
// Marker windows.

void CExtPaintManager::PaintDockMarkerWnd(CDC& dc, CExtDockMarkerWndInfo* pMarkerWnd, bool bOutline) {
  if ((m_nDockMarkerStyle != 2 && m_nDockMarkerStyle != 3) || pMarkerWnd == NULL || !bOutline ||
      !pMarkerWnd->GetMarkerState())
    return;
  const int nKind = pMarkerWnd->GetMarkerKind();
  const CSize size = pMarkerWnd->GetMarkerSize();
  const COLORREF clr = dc.GetNearestColor(RGB(0x00, 0x60, 0xC4));
  const COLORREF clrOldBk = dc.GetBkColor();
  if (IsSideKind(nKind)) {
    dc.Draw3dRect(0, 0, size.cx, size.cy, clr, clr);
  } else if (nKind == Marker::KIND_CENTER || nKind == Marker::KIND_CENTER2) {
    // The twelve edges of the cross: arms a third of the window wide.
    const int a = size.cx / 3, b = size.cx - a, c = size.cy / 3, d = size.cy - c;
    const int w = size.cx, h = size.cy;
    const RECT segments[12] = {
        {a, 0, b, 1},         {a, 0, a + 1, c + 1}, {b - 1, 0, b, c + 1}, {0, c, a + 1, c + 1},
        {b - 1, c, w, c + 1}, {0, c, 1, d},         {w - 1, c, w, d},     {0, d - 1, a + 1, d},
        {b - 1, d - 1, w, d}, {a, d - 1, a + 1, h}, {b - 1, d - 1, b, h}, {a, h - 1, b, h},
    };
    for (const RECT& rc : segments)
      dc.FillSolidRect(&rc, clr);
  }
  dc.SetBkColor(clrOldBk);
}

// ---------------------------------------------------------------------------------------------
// The highlight of the drop area.

void CExtPaintManager::PaintDockHighlight(DWORD* pPixels, int cx, int cy, const RECT& rcMain,
                                          const RECT* pRcTab, bool, COLORREF clrFill, COLORREF clrBorder,
                                          int nBorderWidth) {
  if (pPixels == NULL || cx <= 0 || cy <= 0)
    return;
  const bool bPalette = GetScreenBitsPerPixel() <= 8;
  const DropArea area(rcMain, pRcTab, bPalette ? 0 : nBorderWidth);
  CRect rcPaint(0, 0, cx, cy);
  rcPaint.IntersectRect(&rcPaint, &area.Bounds());
  if (bPalette) {
    const DWORD pxDark = ToPixel(ColorByLogicalId(COLOR_3DSHADOW));
    for (int y = rcPaint.top; y < rcPaint.bottom; ++y)
      for (int x = rcPaint.left + ((rcPaint.left + y) & 1); x < rcPaint.right; x += 2)
        if (area.Contains(x, y))
          pPixels[(size_t)y * cx + x] = pxDark;
    return;
  }
  if (clrFill == (COLORREF)-1)
    clrFill = (m_nDockMarkerStyle == 2 || m_nDockMarkerStyle == 3) ? RGB(0x00, 0x40, 0xC4)
                                                                   : ColorByLogicalId(COLOR_HIGHLIGHT);
  if (clrBorder == (COLORREF)-1 && nBorderWidth > 0)
    clrBorder = ColorByLogicalId(COLOR_3DFACE);
  for (int y = rcPaint.top; y < rcPaint.bottom; ++y)
    for (int x = rcPaint.left; x < rcPaint.right; ++x) {
      if (!area.Contains(x, y))
        continue;
      DWORD& px = pPixels[(size_t)y * cx + x];
      const COLORREF clr = area.IsBorder(x, y) ? clrBorder : clrFill;
      px = ToPixel(HlsAdjustColor(Average(FromPixel(px), clr), 0.0, 0.1, 0.0));
    }
}

void CExtPaintManagerXP::PaintDockHighlight(DWORD* pPixels, int cx, int cy, const RECT& rcMain,
                                            const RECT* pRcTab, bool bTabTop, COLORREF clrFill,
                                            COLORREF clrBorder, int nBorderWidth) {
  CExtPaintManager::PaintDockHighlight(pPixels, cx, cy, rcMain, pRcTab, bTabTop, clrFill, clrBorder,
                                       nBorderWidth);
}

void CExtPaintManagerOffice2003::PaintDockHighlight(DWORD* pPixels, int cx, int cy, const RECT& rcMain,
                                                    const RECT* pRcTab, bool bTabTop, COLORREF clrFill,
                                                    COLORREF clrBorder, int nBorderWidth) {
  if (clrFill == (COLORREF)-1 && GetScreenBitsPerPixel() > 8) {
    switch (GetVisualStyleScheme()) {
    case CExtPaintManagerHolder::VSS_NORMAL_COLOR:
      clrFill = 0x800000;
      break;
    case CExtPaintManagerHolder::VSS_HOMESTEAD:
      clrFill = 0x83BBAA;
      break;
    case CExtPaintManagerHolder::VSS_METALLIC:
      clrFill = 0x906060;
      break;
    }
  }
  CExtPaintManagerXP::PaintDockHighlight(pPixels, cx, cy, rcMain, pRcTab, bTabTop, clrFill, clrBorder,
                                         nBorderWidth);
}
