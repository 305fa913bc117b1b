// The picture a painter must leave, built from fills, 3-D rings and centred glyphs over a
// background, and compared pixel by pixel with a surface.
#pragma once

#include "tests/common/pixel_support.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

class ExpectedPicture {
public:
  ExpectedPicture(int cx, int cy, COLORREF clrBack)
      : m_cx(cx), m_cy(cy), m_pixels((size_t)cx * cy, clrBack) {}

  ExpectedPicture& Fill(const RECT& rc, COLORREF clr) {
    for (LONG y = std::max(0L, rc.top); y < std::min((LONG)m_cy, rc.bottom); ++y)
      for (LONG x = std::max(0L, rc.left); x < std::min((LONG)m_cx, rc.right); ++x)
        m_pixels[(size_t)y * m_cx + x] = clr;
    return *this;
  }
  // As the 3-D rectangle draws it: top and left sides, then right and bottom.
  ExpectedPicture& Ring(const RECT& r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Fill({r.left, r.top, r.right - 1, r.top + 1}, clrTopLeft);
    Fill({r.left, r.top, r.left + 1, r.bottom - 1}, clrTopLeft);
    Fill({r.right - 1, r.top, r.right, r.bottom}, clrBottomRight);
    return Fill({r.left, r.bottom - 1, r.right, r.bottom}, clrBottomRight);
  }
  ExpectedPicture& Ring(const RECT& r, COLORREF clr) { return Ring(r, clr, clr); }
  // A built-in glyph centred in rc (left out when it does not fit).
  ExpectedPicture& Glyph(const RECT& rc, int nGlyph, COLORREF clrInk) {
    const GlyphBuffer& g = GetBuiltinGlyph(nGlyph);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (g.m_pCells == NULL || cx < (int)g.m_nWidth || cy < (int)g.m_nHeight)
      return *this;
    const int x0 = rc.left + (cx - (int)g.m_nWidth) / 2, y0 = rc.top + (cy - (int)g.m_nHeight) / 2;
    for (UINT y = 0; y < g.m_nHeight; ++y)
      for (UINT x = 0; x < g.m_nWidth; ++x)
        if (g.GetCell(x, y) != 0)
          Fill({x0 + (LONG)x, y0 + (LONG)y, x0 + (LONG)x + 1, y0 + (LONG)y + 1}, clrInk);
    return *this;
  }

  // Reports the first few differing pixels; answers how many differ.
  int Compare(const pixel_support::DibSurface& s, const char* pszWhat) const {
    const std::vector<COLORREF> got = s.Pixels();
    int nWrong = 0;
    for (size_t i = 0; i < got.size() && i < m_pixels.size(); ++i)
      if (got[i] != m_pixels[i] && nWrong++ < 4)
        ADD_FAILURE() << pszWhat << ": pixel " << i % m_cx << "," << i / m_cx << " is " << std::hex << got[i]
                      << ", expected " << m_pixels[i];
    return nWrong;
  }

private:
  int m_cx, m_cy;
  std::vector<COLORREF> m_pixels;
};
