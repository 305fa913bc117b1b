// Window-command glyphs, the classic glyph button, docking frames, bar borders and the colour
// icons of each theme, compared with the picture they must leave.
#include "tests/unit/toolkit/theme/expected_picture.h"
#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "tests/unit/toolkit/theme/theme_support.h"

#include <ostream>

using pixel_support::DibSurface;

namespace {

const COLORREF kBack = RGB(1, 2, 3);
const int kCx = 60, kCy = 40;

enum Theme { CLASSIC, XP, OFFICE2003 };
PM* Make(Theme t) {
  return t == CLASSIC ? new PM : t == XP ? new CExtPaintManagerXP : new CExtPaintManagerOffice2003;
}
COLORREF Id(PM* pm, int nId) { return pm->ColorByLogicalId(nId); }

RECT Moved(const RECT& rc, int n) {
  RECT r = rc;
  ::OffsetRect(&r, n, n);
  return r;
}
RECT Grown(const RECT& rc, int n) {
  RECT r = rc;
  ::InflateRect(&r, n, n);
  return r;
}

typedef void (*Expect)(ExpectedPicture& p, PM* pm);

// ---------------------------------------------------------------------------------------------
// Window-command glyphs.

const RECT kGlyphRect = {10, 10, 30, 26};

struct CommandCase {
  const char* pszName;
  Theme theme;
  UINT nCommand;
  bool bHover, bPushed, bEnabled, bShadowOption;
  Expect expect;
};

// clang-format off
const CommandCase kCommandCases[] = {
    {"classic close", CLASSIC, SC_CLOSE, false, false, true, false, [](ExpectedPicture& p, PM* pm) { p.Glyph(kGlyphRect, 1, Id(pm, 1010)); }},
    {"classic hot minimize", CLASSIC, SC_MINIMIZE, true, false, true, false, [](ExpectedPicture& p, PM* pm) { p.Glyph(kGlyphRect, 6, Id(pm, 14)); }},
    {"classic pushed maximize", CLASSIC, SC_MAXIMIZE, false, true, true, false, [](ExpectedPicture& p, PM* pm) { p.Glyph(Moved(kGlyphRect, 1), 8, Id(pm, 1010)); }},
    {"classic disabled restore is embossed", CLASSIC, SC_RESTORE, false, false, false, false, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(Moved(kGlyphRect, 1), 7, Id(pm, 1004)).Glyph(kGlyphRect, 7, Id(pm, 1006)); }},
    {"classic move has no glyph", CLASSIC, SC_MOVE, true, false, true, false, [](ExpectedPicture&, PM*) {}},
    {"xp move has no glyph", XP, SC_MOVE, false, false, true, true, [](ExpectedPicture&, PM*) {}},
    {"xp disabled help", XP, SC_CONTEXTHELP, true, false, false, true, [](ExpectedPicture& p, PM* pm) { p.Glyph(kGlyphRect, 9, Id(pm, 16)); }},
    {"xp hot close lifts off its shadow", XP, SC_CLOSE, true, false, true, true, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(kGlyphRect, 1, Id(pm, 16)).Glyph(Moved(kGlyphRect, -2), 1, Id(pm, 1010)); }},
    {"xp hot close without the shadow option", XP, SC_CLOSE, true, false, true, false, [](ExpectedPicture& p, PM* pm) { p.Glyph(kGlyphRect, 1, Id(pm, 1010)); }},
    {"office 2003 pushed close stays in place", OFFICE2003, SC_CLOSE, true, true, true, true, [](ExpectedPicture& p, PM* pm) { p.Glyph(kGlyphRect, 1, Id(pm, 1010)); }},
};
// clang-format on

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.pszName; }

class CommandGlyphs : public ThemeTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandGlyphs, DrawTheCommandsGlyphInItsState) {
  const CommandCase& c = GetParam();
  PM* pm = Install(Make(c.theme));
  if (c.bShadowOption)
    pm->m_nFlags |= PM::PMF_WIN2000_OR_LATER;
  else
    pm->m_nFlags &= ~PM::PMF_WIN2000_OR_LATER;
  DibSurface s(kCx, kCy, kBack);
  pm->PaintDropDownArrow(s.dc(), c.nCommand, kGlyphRect, c.bHover, c.bPushed, c.bEnabled);
  ExpectedPicture want(kCx, kCy, kBack);
  c.expect(want, pm);
  EXPECT_EQ(0, want.Compare(s, c.pszName));
}

INSTANTIATE_TEST_SUITE_P(Themes, CommandGlyphs, ::testing::ValuesIn(kCommandCases));

// ---------------------------------------------------------------------------------------------
// The classic glyph button.

struct GlyphButtonCase {
  const char* pszName;
  bool bHorz, bEnabled, bHover, bPushed;
  int nGlyph;
  int outer[2], inner[2];
};

// clang-format off
const GlyphButtonCase kGlyphButtonCases[] = {
    {"horizontal idle", true, true, false, false, 4, {20, 16}, {15, 15}},
    {"horizontal hover", true, true, true, false, 4, {15, 21}, {20, 16}},
    {"vertical pushed", false, true, true, true, 2, {21, 20}, {16, 15}},
    {"horizontal disabled ignores hover", true, false, true, false, 5, {20, 16}, {15, 15}},
    {"vertical disabled ignores press", false, false, false, true, 3, {20, 16}, {15, 15}},
};
// clang-format on

void PrintTo(const GlyphButtonCase& c, std::ostream* os) { *os << c.pszName; }

class GlyphButtons : public ThemeTest, public ::testing::WithParamInterface<GlyphButtonCase> {};

TEST_P(GlyphButtons, ClassicDrawsAFramedGlyphXpNothing) {
  const GlyphButtonCase& c = GetParam();
  PM* pm = Install(new PM);
  DibSurface s(kCx, kCy, kBack);
  pm->PaintGlyphButton(s.dc(), c.bHorz, kGlyphRect, c.bEnabled, c.bHover, c.bPushed, NULL);
  ExpectedPicture want(kCx, kCy, kBack);
  want.Fill(kGlyphRect, Id(pm, 15));
  want.Glyph(c.bEnabled && c.bPushed ? Moved(kGlyphRect, 1) : kGlyphRect, c.nGlyph, Id(pm, 18));
  want.Ring(kGlyphRect, Id(pm, c.outer[0]), Id(pm, c.outer[1]));
  want.Ring(Grown(kGlyphRect, -1), Id(pm, c.inner[0]), Id(pm, c.inner[1]));
  EXPECT_EQ(0, want.Compare(s, c.pszName));

  for (PM* pmOther : {(PM*)new CExtPaintManagerXP, (PM*)new CExtPaintManagerOffice2003}) {
    PM* pmFlat = Install(pmOther);
    DibSurface sFlat(kCx, kCy, kBack);
    pmFlat->PaintGlyphButton(sFlat.dc(), c.bHorz, kGlyphRect, c.bEnabled, c.bHover, c.bPushed, NULL);
    EXPECT_EQ(0, ExpectedPicture(kCx, kCy, kBack).Compare(sFlat, "flat themes have no glyph button"));
  }
}

INSTANTIATE_TEST_SUITE_P(States, GlyphButtons, ::testing::ValuesIn(kGlyphButtonCases));

// ---------------------------------------------------------------------------------------------
// Docking frames: the window rectangle W round the client rectangle, which stays untouched.

const RECT W = {2, 2, 50, 34}, kClientRect = {6, 6, 46, 30};

// A control bar as the frame painters see their source.
class FakeBarObject : public CObject, public FakeControlBar {
public:
  FakeBarObject(BarKind eKind, BYTE nOptions)
      : FakeControlBar(eKind, nOptions, false, true, false, true, false) {}
};
FakeBarObject g_bar(CExtControlBarSite::BAR_CONTROL, 0);
FakeBarObject g_inheritingToolBar(CExtControlBarSite::BAR_TOOL, CExtControlBarSite::OPT_INHERIT_BACKGROUND);

enum FrameFlags { FLOATING = 1, RESIZABLE = 2, NO_OUTLINE = 4 };

struct DockingFrameCase {
  const char* pszName;
  Theme theme;
  int nBits;
  CObject* pSource;
  int nFlags;
  Expect expect;
};

void XpFloating(ExpectedPicture& p, PM* pm, int nFill) {
  const COLORREF clr = Id(pm, 16);
  const RECT c = Grown(W, -2);
  p.Fill(W, Id(pm, nFill)).Ring(W, clr).Ring(Grown(W, -1), clr);
  for (POINT pt : {POINT{c.left, c.top}, POINT{c.right - 1, c.top}, POINT{c.left, c.bottom - 1},
                   POINT{c.right - 1, c.bottom - 1}})
    p.Fill({pt.x, pt.y, pt.x + 1, pt.y + 1}, clr);
}

// clang-format off
const DockingFrameCase kDockingFrameCases[] = {
    {"classic floating", CLASSIC, 32, &g_bar, FLOATING, [](ExpectedPicture& p, PM* pm) {
       p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 1000), Id(pm, 1008)).Ring(Grown(W, -1), Id(pm, 1004), Id(pm, 1006)); }},
    {"classic docked", CLASSIC, 32, &g_bar, 0, [](ExpectedPicture& p, PM* pm) {
       p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 1004), Id(pm, 1006)); }},
    {"classic docked resizable", CLASSIC, 32, NULL, RESIZABLE, [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)); }},
    {"classic inheriting tool bar", CLASSIC, 32, &g_inheritingToolBar, FLOATING, [](ExpectedPicture&, PM*) {}},
    {"xp floating", XP, 32, &g_bar, FLOATING, [](ExpectedPicture& p, PM* pm) { XpFloating(p, pm, 2009); }},
    {"xp floating resizable", XP, 32, &g_bar, FLOATING | RESIZABLE, [](ExpectedPicture& p, PM* pm) { XpFloating(p, pm, 2008); }},
    {"xp floating inheriting tool bar keeps its frame", XP, 32, &g_inheritingToolBar, FLOATING, [](ExpectedPicture& p, PM* pm) { XpFloating(p, pm, 2009); }},
    {"xp docked", XP, 32, &g_bar, 0, [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 15)); }},
    {"xp docked resizable", XP, 32, &g_bar, RESIZABLE, [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)); }},
    {"xp docked inheriting tool bar", XP, 32, &g_inheritingToolBar, 0, [](ExpectedPicture&, PM*) {}},
    {"office 2003 docked bar shows the docking area", OFFICE2003, 32, &g_bar, 0, [](ExpectedPicture&, PM*) {}},
    {"office 2003 floating bar keeps its frame", OFFICE2003, 32, &g_bar, FLOATING, [](ExpectedPicture& p, PM* pm) { XpFloating(p, pm, 2009); }},
    {"office 2003 docked without a bar", OFFICE2003, 32, NULL, 0, [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 15)); }},
    {"office 2003 docked bar on a palette screen", OFFICE2003, 8, &g_bar, NO_OUTLINE, [](ExpectedPicture& p, PM* pm) {
       p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 15)); }},
};
// clang-format on

void PrintTo(const DockingFrameCase& c, std::ostream* os) { *os << c.pszName; }

class DockingFrames : public ThemeTest, public ::testing::WithParamInterface<DockingFrameCase> {};

TEST_P(DockingFrames, FrameTheBarAndLeaveItsClientAndClipAlone) {
  const DockingFrameCase& c = GetParam();
  PM* pm = Install(Make(c.theme), c.nBits);
  DibSurface s(kCx, kCy, kBack);
  s.dc().SetBkColor(RGB(9, 9, 9));
  DockingFramePaintData data(c.pSource, W, kClientRect, (c.nFlags & FLOATING) != 0,
                             (c.nFlags & RESIZABLE) != 0, (c.nFlags & NO_OUTLINE) != 0);
  pm->PaintDockingFrame(s.dc(), data);
  ExpectedPicture want(kCx, kCy, kBack);
  c.expect(want, pm);
  want.Fill(kClientRect, kBack);
  EXPECT_EQ(0, want.Compare(s, c.pszName));
  EXPECT_EQ(RGB(9, 9, 9), s.dc().GetBkColor());
  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(0, ::GetClipRgn(s.hdc(), (HRGN)rgn.GetSafeHandle())) << c.pszName;
}

INSTANTIATE_TEST_SUITE_P(Themes, DockingFrames, ::testing::ValuesIn(kDockingFrameCases));

// On palette screens a docked bar gets a dotted outline, with chamfered corners unless the
// docking-area look is on.
TEST_F(DockingFrames, XpPaletteScreenOutlineIsDottedAndChamfered) {
  for (bool bPlain : {false, true}) {
    PM* pm = Install(new CExtPaintManagerXP, 8);
    if (bPlain)
      pm->m_nFlags |= PM::PMF_DOCKER_BACKGROUND;
    DibSurface s(kCx, kCy, kBack);
    DockingFramePaintData data(&g_bar, W, kClientRect, false, true, false);
    pm->PaintDockingFrame(s.dc(), data);
    const COLORREF clrDot = Id(pm, COLOR_3DSHADOW);
    int nDots = 0;
    for (int x = W.left + 2; x < W.right - 2; ++x)
      nDots += s.At(x, W.top) == clrDot ? 1 : 0;
    EXPECT_GE(nDots, (W.right - W.left - 4) / 2 - 1) << bPlain;
    const bool bCorner = s.At(W.left, W.top) == clrDot || s.At(W.left + 1, W.top) == clrDot ||
                         s.At(W.left, W.top + 1) == clrDot;
    EXPECT_EQ(bPlain, bCorner);
  }
}

// ---------------------------------------------------------------------------------------------
// Bar borders, for a bar whose rectangle does not start at the DC's origin.

const RECT kBar = {20, 10, 50, 30};
const DWORD L = CBRS_BORDER_LEFT, T = CBRS_BORDER_TOP, R = CBRS_BORDER_RIGHT, B = CBRS_BORDER_BOTTOM,
            D3 = CBRS_BORDER_3D;

struct BorderCase {
  const char* pszName;
  Theme theme;
  int nKind;
  DWORD dwStyle;
  Expect expect;
};

// clang-format off
const BorderCase kBorderCases[] = {
    {"classic plain frame", CLASSIC, 2, 0, [](ExpectedPicture& p, PM* pm) { p.Ring(kBar, Id(pm, 1006), Id(pm, 1004)); }},
    {"xp plain frame", XP, 2, L | T, [](ExpectedPicture& p, PM* pm) { p.Ring(kBar, Id(pm, 16)); }},
    {"office 2003 plain frame", OFFICE2003, 2, 0, [](ExpectedPicture& p, PM* pm) { p.Ring(kBar, Id(pm, 3011)); }},
    {"classic left and top follow the rectangle", CLASSIC, 0, L | T, [](ExpectedPicture& p, PM* pm) {
       p.Fill({20, 11, 21, 30}, Id(pm, 1000)).Fill({20, 10, 50, 11}, Id(pm, 1000)); }},
    {"xp all four", XP, 0, L | T | R | B, [](ExpectedPicture& p, PM* pm) {
       const COLORREF c = Id(pm, 1000);
       p.Fill({20, 11, 21, 29}, c).Fill({20, 10, 50, 11}, c).Fill({49, 11, 50, 29}, c).Fill({20, 29, 50, 30}, c); }},
    {"classic all four in 3-D", CLASSIC, 1, L | T | R | B | D3, [](ExpectedPicture& p, PM* pm) {
       const COLORREF c = Id(pm, 1000);
       p.Fill({20, 11, 22, 29}, c).Fill({20, 10, 50, 12}, c).Fill({48, 11, 50, 29}, c).Fill({20, 28, 50, 30}, c); }},
    {"office 2003 right and bottom", OFFICE2003, 0, R | B, [](ExpectedPicture& p, PM* pm) {
       p.Fill({49, 10, 50, 29}, Id(pm, 1000)).Fill({20, 29, 50, 30}, Id(pm, 1000)); }},
    {"no border bits", CLASSIC, 0, D3, [](ExpectedPicture&, PM*) {}},
};
// clang-format on

void PrintTo(const BorderCase& c, std::ostream* os) { *os << c.pszName; }

class BarBorders : public ThemeTest, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(BarBorders, DrawTheStylesEdgesOnTheBarsRectangle) {
  ASSERT_EQ(1, ::GetSystemMetrics(SM_CYBORDER));
  const BorderCase& c = GetParam();
  PM* pm = Install(Make(c.theme));
  DibSurface s(kCx, kCy, kBack);
  ControlBarBordersPaintData data(NULL, c.nKind, c.dwStyle, kBar);
  pm->PaintControlBarBorders(s.dc(), data);
  ExpectedPicture want(kCx, kCy, kBack);
  c.expect(want, pm);
  EXPECT_EQ(0, want.Compare(s, c.pszName));
}

INSTANTIATE_TEST_SUITE_P(Themes, BarBorders, ::testing::ValuesIn(kBorderCases));

// ---------------------------------------------------------------------------------------------
// Colour icons, drawn over two backgrounds to tell transparent from opaque.

TEST(ColorIcons, SampleIsAnOpaqueSquareFrameIsATwoPixelRing) {
  const COLORREF clr = RGB(10, 200, 30);
  for (bool bFrame : {false, true}) {
    HICON hIcon = bFrame ? PM::CreateColorFrameIcon(clr) : PM::CreateColorSampleIcon(clr);
    ASSERT_NE((HICON)NULL, hIcon);
    for (COLORREF clrBack : {RGB(255, 255, 255), RGB(0, 0, 0), RGB(90, 20, 160)}) {
      DibSurface s(16, 16, clrBack);
      ASSERT_TRUE(::DrawIconEx(s.hdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL));
      ExpectedPicture want(16, 16, clrBack);
      if (bFrame)
        want.Fill({1, 2, 15, 14}, clr).Fill({3, 4, 13, 12}, clrBack);
      else
        want.Fill({0, 0, 16, 16}, clr);
      EXPECT_EQ(0, want.Compare(s, bFrame ? "frame icon" : "sample icon"));
    }
    ::DestroyIcon(hIcon);
  }
}

} // namespace
