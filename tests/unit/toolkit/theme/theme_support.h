// What the theme tests share: system colours set for the length of a test, forced system
// versions and visual styles, a fixture that puts the engine's forced states and the default theme
// back afterwards, and the picture a painter must leave, compared pixel by pixel with a surface.
#pragma once

#include "tests/common/pixel_support.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

using PM = CExtPaintManager;
using ForcedStyle = CExtPaintManagerHolder::ForcedVisualStyle_t;
using pixel_support::DibSurface;

const COLORREF kBack = RGB(1, 2, 3);
const ForcedStyle kNoStyle = {false, NULL, NULL, 0, {}};
// The luna blue scheme, whose Office 2003 gradient colours differ from each other.
const ForcedStyle kLunaBlue = {
    true,
    L"luna.msstyles",
    L"normalcolor",
    7,
    {RGB(99, 151, 233), 0, RGB(21, 66, 139), 0, 0, RGB(61, 149, 255), RGB(168, 202, 245)}};

// Sets system colours and restores the old values when it goes.
class ScopedSysColors {
public:
  explicit ScopedSysColors(const std::vector<std::pair<int, COLORREF>>& colors) {
    for (const auto& entry : colors) {
      m_indices.push_back(entry.first);
      m_old.push_back(::GetSysColor(entry.first));
      m_new.push_back(entry.second);
    }
    ::SetSysColors((int)m_indices.size(), m_indices.data(), m_new.data());
  }
  ~ScopedSysColors() { ::SetSysColors((int)m_indices.size(), m_indices.data(), m_old.data()); }
  ScopedSysColors(const ScopedSysColors&) = delete;
  ScopedSysColors& operator=(const ScopedSysColors&) = delete;

private:
  std::vector<int> m_indices;
  std::vector<COLORREF> m_old, m_new;
};

inline OSVERSIONINFOA OsVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild = 0,
                                LPCSTR pszCsd = "") {
  OSVERSIONINFOA v = {sizeof(v), dwMajor, dwMinor, dwBuild, dwPlatform, ""};
  lstrcpynA(v.szCSDVersion, pszCsd, sizeof(v.szCSDVersion));
  return v;
}

// A top-down 32-bit DIB section of one colour, selected into no DC (the caller owns it).
inline HBITMAP MakeSolidBitmap(int cx, int cy, COLORREF clr) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP h = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  for (int i = 0; h != NULL && i < cx * cy; ++i)
    static_cast<DWORD*>(pBits)[i] = pixel_support::ToDib(clr);
  return h;
}

// Fills a rectangle of a bitmap that is selected into no DC.
inline void FillBitmapRect(HBITMAP hBitmap, const RECT& rc, COLORREF clr) {
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
  CBrush brush(clr);
  ::FillRect(hDC, &rc, brush);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
}

// The pixels of a bitmap the test was handed, which it then deletes.
inline pixel_support::Pixels TakePixels(HBITMAP h) {
  pixel_support::Pixels px = pixel_support::ReadBitmap(h);
  ::DeleteObject(h);
  return px;
}

inline ::testing::AssertionResult Near(COLORREF got, COLORREF want, int nTolerance = 3) {
  if (std::abs(GetRValue(got) - GetRValue(want)) <= nTolerance &&
      std::abs(GetGValue(got) - GetGValue(want)) <= nTolerance &&
      std::abs(GetBValue(got) - GetBValue(want)) <= nTolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << got << " is not near " << want;
}

// How many pixels of the surface inside rc have exactly the colour.
inline int CountColor(const DibSurface& s, const RECT& rc, COLORREF clr) {
  int n = 0;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      n += s.At(x, y) == clr ? 1 : 0;
  return n;
}

// The bounding box of the pixels inside rc in the colour (bOther: in any other colour); empty
// when there are none.
inline RECT InkBounds(const DibSurface& s, const RECT& rc, COLORREF clr, bool bOther = false) {
  RECT r = {rc.right, rc.bottom, rc.left, rc.top};
  for (LONG y = rc.top; y < rc.bottom; ++y)
    for (LONG x = rc.left; x < rc.right; ++x)
      if ((s.At(x, y) == clr) != bOther)
        r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
  return r.left < r.right ? r : RECT{0, 0, 0, 0};
}

inline COLORREF LightBrushColor(PM* pm) {
  LOGBRUSH lb = {};
  ::GetObjectA(pm->m_brushLightDefault, sizeof(lb), &lb);
  return lb.lbColor;
}

enum Theme { CLASSIC, XP, OFFICE2003 };
inline PM* MakeTheme(Theme t) {
  return t == CLASSIC ? new PM : t == XP ? new CExtPaintManagerXP : new CExtPaintManagerOffice2003;
}
inline const char* ThemeName(Theme t) { return t == CLASSIC ? "classic" : t == XP ? "XP" : "Office 2003"; }
inline COLORREF Id(PM* pm, int nId) { return pm->ColorByLogicalId(nId); }
inline RECT Grown(const RECT& rc, int n) {
  return RECT{rc.left - n, rc.top - n, rc.right + n, rc.bottom + n};
}
inline RECT Moved(const RECT& rc, int n) {
  return RECT{rc.left + n, rc.top + n, rc.right + n, rc.bottom + n};
}

// Every theme test ends with the real screen depth, version and visual style, gradient fills on,
// and a fresh XP theme.
class ThemeTest : public ::testing::Test {
protected:
  void TearDown() override {
    PM::TestForceScreenBitsPerPixel(0);
    CExtPaintManagerHolder::TestForceOsVersion(NULL);
    CExtPaintManagerHolder::TestForceVisualStyle(NULL);
    g_PaintManagerHolder.TestDisableGradientFill(false);
    g_PaintManagerHolder.ClassifyOsVersion();
    g_PaintManagerHolder.InstallTheme(NULL);
  }
  // Installs the theme for a screen of that depth and that visual style; answers it.
  PM* Install(PM* pManager, int nBitsPerPixel = 32, const ForcedStyle& style = kNoStyle) {
    m_style = style;
    CExtPaintManagerHolder::TestForceVisualStyle(&m_style);
    PM::TestForceScreenBitsPerPixel(nBitsPerPixel);
    EXPECT_TRUE(g_PaintManagerHolder.InstallTheme(pManager));
    return g_PaintManagerHolder.GetPM();
  }
  PM* Install(Theme t, int nBitsPerPixel = 32, const ForcedStyle& style = kNoStyle) {
    return Install(MakeTheme(t), nBitsPerPixel, style);
  }
  // Makes the holder classify the system as that version.
  void ForceOs(const OSVERSIONINFOA& version) {
    m_os = version;
    CExtPaintManagerHolder::TestForceOsVersion(&m_os);
    g_PaintManagerHolder.ClassifyOsVersion();
  }
  ForcedStyle m_style = {};
  OSVERSIONINFOA m_os = {};
};

// The picture a painter must leave: fills, 3-D rings and centred glyphs over a background.
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
  int Compare(const DibSurface& s, const char* pszWhat) const {
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

// A rectangle in the colour of a logical id of the theme under test, laid over the ones before.
struct Layer {
  RECT rc;
  int nId;
};
typedef std::vector<Layer> Layers;

// The one-pixel ring of a 3-D rectangle over the layers below it.
inline Layers Ring3d(const RECT& r, int nTopLeft, int nBottomRight, Layers below = {}) {
  below.insert(below.end(), {{{r.left, r.top, r.right - 1, r.top + 1}, nTopLeft},
                             {{r.left, r.top, r.left + 1, r.bottom - 1}, nTopLeft},
                             {{r.right - 1, r.top, r.right, r.bottom}, nBottomRight},
                             {{r.left, r.bottom - 1, r.right, r.bottom}, nBottomRight}});
  return below;
}
inline Layers operator+(Layers a, const Layers& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const int kPictureCx = 60, kPictureCy = 40;

// One painting on a surface of the background colour, and the picture it must leave: what expect
// draws (when given), then the layers.
struct PictureCase {
  const char* pszName;
  Theme theme;
  int nBits;
  std::function<void(PM* pm, CDC& dc)> paint;
  void (*expect)(ExpectedPicture& p, PM* pm);
  Layers layers;
};
inline void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.pszName; }

// Paints the case and compares; the DC's colours and clip must come back as they were.
class PictureTest : public ThemeTest, public ::testing::WithParamInterface<PictureCase> {
protected:
  void Run(int cx = kPictureCx, int cy = kPictureCy) {
    const PictureCase& c = GetParam();
    PM* pm = Install(c.theme, c.nBits);
    DibSurface s(cx, cy, kBack);
    s.dc().SetBkColor(RGB(9, 9, 9));
    s.dc().SetTextColor(RGB(8, 8, 8));
    c.paint(pm, s.dc());
    ExpectedPicture want(cx, cy, kBack);
    if (c.expect != NULL)
      c.expect(want, pm);
    for (const Layer& l : c.layers)
      want.Fill(l.rc, Id(pm, l.nId));
    EXPECT_EQ(0, want.Compare(s, c.pszName));
    EXPECT_EQ(RGB(9, 9, 9), s.dc().GetBkColor()) << c.pszName;
    EXPECT_EQ(RGB(8, 8, 8), s.dc().GetTextColor()) << c.pszName;
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(s.hdc(), (HRGN)rgn.GetSafeHandle())) << c.pszName;
  }
};
