// The picture a painter must leave, built from fills, 3-D rings and centred glyphs over a
// background and compared pixel by pixel with a surface; and table-driven picture tests: one
// painting of one theme per case.
#pragma once

#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
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

enum Theme { CLASSIC, XP, OFFICE2003 };
inline PM* MakeTheme(Theme t) {
  return t == CLASSIC ? new PM : t == XP ? new CExtPaintManagerXP : new CExtPaintManagerOffice2003;
}
inline COLORREF Id(PM* pm, int nId) { return pm->ColorByLogicalId(nId); }
inline RECT Grown(const RECT& rc, int n) {
  return RECT{rc.left - n, rc.top - n, rc.right + n, rc.bottom + n};
}
inline RECT Moved(const RECT& rc, int n) {
  return RECT{rc.left + n, rc.top + n, rc.right + n, rc.bottom + n};
}

const COLORREF kPictureBack = RGB(1, 2, 3);
const int kPictureCx = 60, kPictureCy = 40;

// One painting on a 60 x 40 surface of the background colour, and the picture it must leave.
struct PictureCase {
  const char* pszName;
  Theme theme;
  int nBits;
  void (*paint)(PM* pm, CDC& dc);
  void (*expect)(ExpectedPicture& p, PM* pm);
};
inline void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.pszName; }

// Paints the case and compares; the DC's colours and clip must come back as they were.
class PictureTest : public ThemeTest, public ::testing::WithParamInterface<PictureCase> {
protected:
  void Run() {
    const PictureCase& c = GetParam();
    PM* pm = Install(MakeTheme(c.theme), c.nBits);
    pixel_support::DibSurface s(kPictureCx, kPictureCy, kPictureBack);
    s.dc().SetBkColor(RGB(9, 9, 9));
    s.dc().SetTextColor(RGB(8, 8, 8));
    c.paint(pm, s.dc());
    ExpectedPicture want(kPictureCx, kPictureCy, kPictureBack);
    c.expect(want, pm);
    EXPECT_EQ(0, want.Compare(s, c.pszName));
    EXPECT_EQ(RGB(9, 9, 9), s.dc().GetBkColor()) << c.pszName;
    EXPECT_EQ(RGB(8, 8, 8), s.dc().GetTextColor()) << c.pszName;
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(s.hdc(), (HRGN)rgn.GetSafeHandle())) << c.pszName;
  }
};
