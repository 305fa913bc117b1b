// Stand-ins for the windows whose captions, tabs, chevrons and separators the theme paints, and
// the picture checks their tests share.
#pragma once

#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <algorithm>
#include <vector>

// A control bar of a kind; Base is CWnd where the painter asks the bar's window.
template <class Base> class FakeBarOf : public Base, public CExtControlBarSite {
public:
  explicit FakeBarOf(BarKind eKind, bool bFloating = false, BYTE nOptions = 0, bool bVertical = false)
      : m_eKind(eKind), m_bFloating(bFloating), m_nOptions(nOptions), m_bVertical(bVertical) {}
  BarKind GetBarKind() const override { return m_eKind; }
  BYTE GetOptionBits() const override { return m_nOptions; }
  bool IsFloating() const override { return m_bFloating; }
  bool IsInDockBar() const override { return !m_bFloating; }
  bool IsDockedVertically() const override { return m_bVertical; }
  bool HasDockSite() const override { return true; }
  bool IsDockSiteStyleBitSet() const override { return false; }

private:
  BarKind m_eKind;
  bool m_bFloating;
  BYTE m_nOptions;
  bool m_bVertical;
};
using FakeBar = FakeBarOf<CObject>;

class FakeCaptionSource : public CObject, public CExtCaptionSourceSite {
public:
  FakeCaptionSource(SourceKind eKind, bool bFixedMode) : m_eKind(eKind), m_bFixedMode(bFixedMode) {}
  SourceKind GetCaptionSourceKind() const override { return m_eKind; }
  bool IsFloatingBarFixedMode() const override { return m_bFixedMode; }

private:
  SourceKind m_eKind;
  bool m_bFixedMode;
};

class FakeTabWnd : public CObject, public CExtTabWndSite {
public:
  explicit FakeTabWnd(DWORD dwStyle) : m_dwStyle(dwStyle) {}
  DWORD GetTabWndStyle() const override { return m_dwStyle; }
  TabWndKind GetTabWndKind() const override { return TAB_PLAIN; }
  BYTE GetTabOptionBits() const override { return 0; }
  bool WantsDockerBackground() const override { return false; }
  HWND GetParentFrameHwnd() const override { return NULL; }

private:
  DWORD m_dwStyle;
};

class FakeMenuItems : public CObject, public CExtPopupMenuItemsSite {
public:
  FakeMenuItems(int nIconAreaWidth, DWORD dwLastState) : m_nWidth(nIconAreaWidth), m_dwState(dwLastState) {}
  int GetItemCount() const override { return 3; }
  int GetItemIconAreaWidth(int nIndex) const override { return nIndex == 2 ? m_nWidth : 0; }
  DWORD GetItemState(int nIndex) const override { return nIndex == 2 ? m_dwState : 0; }

private:
  int m_nWidth;
  DWORD m_dwState;
};

class FakeStatusBar : public CObject, public CExtStatusBarSite {};

// A rectangle in the colour of a logical id, laid over the ones before it.
struct Layer {
  RECT rc;
  int nId;
};
typedef std::vector<Layer> Layers;

// The one-pixel ring Draw3dRect leaves: top and left in the first colour, right and bottom in the
// second.
inline Layers Ring3d(const RECT& r, int nTopLeft, int nBottomRight) {
  return {{{r.left, r.top, r.right - 1, r.top + 1}, nTopLeft},
          {{r.left, r.top, r.left + 1, r.bottom - 1}, nTopLeft},
          {{r.right - 1, r.top, r.right, r.bottom}, nBottomRight},
          {{r.left, r.bottom - 1, r.right, r.bottom}, nBottomRight}};
}

inline Layers operator+(Layers a, const Layers& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Compares the whole surface with the background and the layers painted over it in order.
inline void ExpectLayers(CExtPaintManager* pm, const pixel_support::DibSurface& s, int cx, int cy,
                         COLORREF clrBack, const Layers& layers, const char* pszWhat) {
  std::vector<COLORREF> want((size_t)cx * cy, clrBack);
  for (const Layer& l : layers)
    for (LONG y = std::max(0L, l.rc.top); y < std::min((LONG)cy, l.rc.bottom); ++y)
      for (LONG x = std::max(0L, l.rc.left); x < std::min((LONG)cx, l.rc.right); ++x)
        want[(size_t)y * cx + x] = pm->ColorByLogicalId(l.nId);
  const std::vector<COLORREF> got = s.Pixels();
  int nWrong = 0;
  for (int i = 0; i < cx * cy; ++i)
    if (got[i] != want[i] && nWrong++ < 4)
      ADD_FAILURE() << pszWhat << ": pixel " << i % cx << "," << i / cx << " is " << std::hex << got[i]
                    << ", not " << want[i];
  EXPECT_EQ(0, nWrong) << pszWhat;
}

enum ThemeKind { CLASSIC, XP, OFFICE2003 };
inline CExtPaintManager* MakeTheme(ThemeKind t) {
  return t == CLASSIC ? new CExtPaintManager
         : t == XP    ? new CExtPaintManagerXP
                      : (CExtPaintManager*)new CExtPaintManagerOffice2003;
}
inline const char* ThemeName(ThemeKind t) {
  return t == CLASSIC ? "classic" : t == XP ? "XP" : "Office 2003";
}

// How many pixels of the surface inside rc have exactly the colour.
inline int CountColor(const pixel_support::DibSurface& s, const RECT& rc, COLORREF clr) {
  int n = 0;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      n += s.At(x, y) == clr ? 1 : 0;
  return n;
}
