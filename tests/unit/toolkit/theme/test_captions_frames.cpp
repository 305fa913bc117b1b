// Caption buttons, control frames, combo buttons, window-command glyphs, glyph buttons, docking
// frames, bar borders and colour icons of each theme, compared with the picture they must leave.
#include "tests/unit/toolkit/theme/theme_fakes.h"

#include <set>

namespace {

// A 15 x 14 caption button, drawn in the 14 x 14 square E; a glyph square; a bar's window and
// client rectangles; a bar that does not start at the DC's origin.
const RECT kButton = {10, 10, 25, 24}, E = {11, 10, 25, 24}, G = {10, 10, 30, 26};
const RECT W = {2, 2, 50, 34}, kClient = {6, 6, 46, 30}, kBar = {20, 10, 50, 30};

FakeBar g_bar(CExtControlBarSite::BAR_CONTROL);
FakeBar g_inheriting(CExtControlBarSite::BAR_TOOL, false, CExtControlBarSite::OPT_INHERIT_BACKGROUND);

enum { HOV = 1, PUSH = 2, EN = 4, CAP = 8, ACT = 16, FLOAT = 32 };
void Caption(PM* pm, CDC& dc, int f, int nGlyphAfter) {
  NcAreaButtonPaintData d(NULL, kButton, 1, f & HOV, f & PUSH, f & EN, f & CAP, f & ACT, f & FLOAT);
  pm->PaintBarNcAreaButton(dc, d);
  EXPECT_EQ(nGlyphAfter, d.glyph);
}
// The PUSH bit stands for the focus of a control frame.
void Frame(PM* pm, CDC& dc, int f, CObject* pSource = NULL) {
  ControlFramePaintData d(pSource, RECT{10, 10, 40, 26}, f & HOV, f & EN, f & PUSH);
  pm->PaintControlFrame(dc, d);
}
void FrameRings(ExpectedPicture& p, PM* pm, int nRings, int e1, int e2, int o1, int o2) {
  const RECT r = {10, 10, 40, 26};
  const int ids[5][2] = {{5, 5}, {5, 5}, {5, 5}, {e1, e2}, {o1, o2}};
  for (int i = 0; i < nRings; ++i)
    p.Ring(Grown(r, i), Id(pm, ids[i][0]), Id(pm, ids[i][1]));
}
void Docking(PM* pm, CDC& dc, CObject* pSource, bool bFloating, bool bResizable) {
  DockingFramePaintData d(pSource, W, kClient, bFloating, bResizable, true);
  pm->PaintDockingFrame(dc, d);
}
void XpFloating(ExpectedPicture& p, PM* pm, int nFill) {
  const COLORREF c = Id(pm, 16);
  p.Fill(W, Id(pm, nFill)).Ring(W, c).Ring(Grown(W, -1), c);
  for (RECT px : {RECT{4, 4, 5, 5}, RECT{47, 4, 48, 5}, RECT{4, 31, 5, 32}, RECT{47, 31, 48, 32}})
    p.Fill(px, c);
  p.Fill(kClient, kBack);
}
void Borders(PM* pm, CDC& dc, int nKind, DWORD dwStyle) {
  ControlBarBordersPaintData d(NULL, nKind, dwStyle, kBar);
  pm->PaintControlBarBorders(dc, d);
}
const DWORD L = CBRS_BORDER_LEFT, T = CBRS_BORDER_TOP, R = CBRS_BORDER_RIGHT, B = CBRS_BORDER_BOTTOM;

// clang-format off
const PictureCase kPictures[] = {
    // Caption buttons.
    {"classic 15x14 caption button is drawn in a 14x14 square", CLASSIC, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, EN | FLOAT, 21); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 18)).Ring(E, Id(pm, 20), Id(pm, 16)); }},
    {"classic pushed caption button, frame one pixel larger", CLASSIC, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, EN | PUSH, 21); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(Moved(Grown(E, 1), -1), Id(pm, 15)).Glyph(Moved(E, 1), 21, Id(pm, 18)).Ring(Grown(E, 1), Id(pm, 16), Id(pm, 20)); }},
    {"classic hot caption button", CLASSIC, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, EN | HOV | FLOAT, 21); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 18)).Ring(E, Id(pm, 15), Id(pm, 21)).Ring(Grown(E, -1), Id(pm, 20), Id(pm, 16)); }},
    {"classic disabled caption button ignores hover", CLASSIC, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, HOV | FLOAT, 21); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 16)).Ring(E, Id(pm, 20), Id(pm, 16)); }},
    {"xp caption button in an active caption", XP, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, EN | CAP | ACT, 16); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(E, 16, Id(pm, 14)); }},
    {"xp floating caption button in an inactive caption", XP, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, EN | CAP | FLOAT, 1); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(E, 1, Id(pm, 21)); }},
    {"xp hot caption button", XP, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, EN | HOV, 1); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(kButton, Id(pm, 1001)).Ring(Grown(kButton, 1), Id(pm, 2004)).Glyph(E, 1, Id(pm, 18)); }},
    {"office 2003 disabled caption button never shows the hover ring", OFFICE2003, 32, [](PM* pm, CDC& dc) { Caption(pm, dc, HOV | ACT, 1); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(E, 1, Id(pm, 16)); }},
    // Control frames.
    {"classic frame, hover and focus", CLASSIC, 32, [](PM* pm, CDC& dc) { Frame(pm, dc, EN | HOV | PUSH); }, [](ExpectedPicture& p, PM* pm) { FrameRings(p, pm, 5, 21, 15, 16, 20); }},
    {"classic frame, focus", CLASSIC, 32, [](PM* pm, CDC& dc) { Frame(pm, dc, EN | PUSH); }, [](ExpectedPicture& p, PM* pm) { FrameRings(p, pm, 5, 16, 20, 1000, 1000); }},
    {"classic disabled frame", CLASSIC, 32, [](PM* pm, CDC& dc) { Frame(pm, dc, HOV | PUSH); }, [](ExpectedPicture& p, PM* pm) { FrameRings(p, pm, 5, 1000, 1000, 1000, 1000); }},
    {"xp frame, hover and focus", XP, 32, [](PM* pm, CDC& dc) { Frame(pm, dc, EN | HOV | PUSH); }, [](ExpectedPicture& p, PM* pm) { FrameRings(p, pm, 5, 2004, 2004, 2004, 2004); }},
    {"office 2003 frame, hover, not an edit", OFFICE2003, 32, [](PM* pm, CDC& dc) { Frame(pm, dc, EN | HOV); }, [](ExpectedPicture& p, PM* pm) { FrameRings(p, pm, 5, 2004, 2004, 1000, 1000); }},
    // Window-command glyphs and the classic glyph button.
    {"classic close", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintDropDownArrow(dc, SC_CLOSE, G, false, false, true); }, [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 1, Id(pm, 1010)); }},
    {"classic pushed hot maximize", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintDropDownArrow(dc, SC_MAXIMIZE, G, true, true, true); }, [](ExpectedPicture& p, PM* pm) { p.Glyph(Moved(G, 1), 8, Id(pm, 14)); }},
    {"classic disabled restore is embossed", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintDropDownArrow(dc, SC_RESTORE, G, false, false, false); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(Moved(G, 1), 7, Id(pm, 1004)).Glyph(G, 7, Id(pm, 1006)); }},
    {"move has no glyph", XP, 32, [](PM* pm, CDC& dc) { pm->PaintDropDownArrow(dc, SC_MOVE, G, true, false, true); }, [](ExpectedPicture&, PM*) {}},
    {"xp disabled help", XP, 32, [](PM* pm, CDC& dc) { pm->PaintDropDownArrow(dc, SC_CONTEXTHELP, G, true, false, false); }, [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 9, Id(pm, 16)); }},
    {"xp hot minimize lifts off its shadow", XP, 32, [](PM* pm, CDC& dc) { pm->m_nFlags |= PM::PMF_WIN2000_OR_LATER; pm->PaintDropDownArrow(dc, SC_MINIMIZE, G, true, false, true); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 6, Id(pm, 16)).Glyph(Moved(G, -2), 6, Id(pm, 1010)); }},
    {"classic hot vertical glyph button", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintGlyphButton(dc, false, G, true, true, false, NULL); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(G, Id(pm, 15)).Glyph(G, 2, Id(pm, 18)).Ring(G, Id(pm, 15), Id(pm, 21)).Ring(Grown(G, -1), Id(pm, 20), Id(pm, 16)); }},
    {"classic pushed horizontal glyph button", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintGlyphButton(dc, true, G, true, false, true, NULL); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(G, Id(pm, 15)).Glyph(Moved(G, 1), 4, Id(pm, 18)).Ring(G, Id(pm, 21), Id(pm, 20)).Ring(Grown(G, -1), Id(pm, 16), Id(pm, 15)); }},
    {"classic disabled glyph button shows no hover or press", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintGlyphButton(dc, true, G, false, true, true, NULL); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(G, Id(pm, 15)).Glyph(G, 5, Id(pm, 18)).Ring(G, Id(pm, 20), Id(pm, 16)).Ring(Grown(G, -1), Id(pm, 15), Id(pm, 15)); }},
    {"xp has no glyph button", XP, 32, [](PM* pm, CDC& dc) { pm->PaintGlyphButton(dc, true, G, true, true, false, NULL); }, [](ExpectedPicture&, PM*) {}},
    // Docking frames: the client rectangle is never touched.
    {"classic floating frame", CLASSIC, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, true, false); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 1000), Id(pm, 1008)).Ring(Grown(W, -1), Id(pm, 1004), Id(pm, 1006)).Fill(kClient, kBack); }},
    {"classic docked frame", CLASSIC, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, false, false); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 1004), Id(pm, 1006)).Fill(kClient, kBack); }},
    {"classic inheriting tool bar has no frame", CLASSIC, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_inheriting, true, false); }, [](ExpectedPicture&, PM*) {}},
    {"xp floating resizable frame has softened corners", XP, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, true, true); }, [](ExpectedPicture& p, PM* pm) { XpFloating(p, pm, 2008); }},
    {"xp docked frame", XP, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, false, false); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)).Ring(W, Id(pm, 15)).Fill(kClient, kBack); }},
    {"office 2003 docked bar shows the docking area through its frame", OFFICE2003, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, false, false); }, [](ExpectedPicture&, PM*) {}},
    {"office 2003 floating bar keeps its frame", OFFICE2003, 32, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, true, false); }, [](ExpectedPicture& p, PM* pm) { XpFloating(p, pm, 2009); }},
    {"office 2003 docked bar on a palette screen", OFFICE2003, 8, [](PM* pm, CDC& dc) { Docking(pm, dc, &g_bar, false, true); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(W, Id(pm, 1000)).Fill(kClient, kBack); }},
    // Bar borders follow the bar's rectangle.
    {"classic plain bar frame", CLASSIC, 32, [](PM* pm, CDC& dc) { Borders(pm, dc, 2, L); }, [](ExpectedPicture& p, PM* pm) { p.Ring(kBar, Id(pm, 1006), Id(pm, 1004)); }},
    {"office 2003 plain bar frame", OFFICE2003, 32, [](PM* pm, CDC& dc) { Borders(pm, dc, 2, 0); }, [](ExpectedPicture& p, PM* pm) { p.Ring(kBar, Id(pm, 3011)); }},
    {"classic left and top borders", CLASSIC, 32, [](PM* pm, CDC& dc) { Borders(pm, dc, 0, L | T); },
     [](ExpectedPicture& p, PM* pm) { p.Fill({20, 11, 21, 30}, Id(pm, 1000)).Fill({20, 10, 50, 11}, Id(pm, 1000)); }},
    {"xp right and bottom borders", XP, 32, [](PM* pm, CDC& dc) { Borders(pm, dc, 1, R | B); },
     [](ExpectedPicture& p, PM* pm) { p.Fill({49, 10, 50, 29}, Id(pm, 1000)).Fill({20, 29, 50, 30}, Id(pm, 1000)); }},
    {"office 2003 3-d borders on every side", OFFICE2003, 32, [](PM* pm, CDC& dc) { Borders(pm, dc, 0, L | T | R | B | CBRS_BORDER_3D); },
     [](ExpectedPicture& p, PM* pm) { const COLORREF c = Id(pm, 1000); p.Fill({20, 11, 22, 29}, c).Fill({20, 10, 50, 12}, c).Fill({48, 11, 50, 29}, c).Fill({20, 28, 50, 30}, c); }},
};
// clang-format on

class CaptionsAndFrames : public PictureTest {};
TEST_P(CaptionsAndFrames, LeaveExactlyTheirPicture) { Run(); }
INSTANTIATE_TEST_SUITE_P(Themes, CaptionsAndFrames, ::testing::ValuesIn(kPictures));

// Around an edit, the rings an idle frame leaves unlit give way to the docking area.
TEST_F(CaptionsAndFrames, Office2003EditFrameShowsTheDockingAreaOutsideItsLitRings) {
  for (int f : {(int)EN, EN | HOV, EN | HOV | PUSH}) {
    auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
    CEdit edit;
    DibSurface s(kPictureCx, kPictureCy, kBack);
    Frame(pm, s.dc(), f, &edit);
    const int nRings = f == EN ? 3 : f == (EN | HOV) ? 4 : 5;
    ExpectedPicture want(kPictureCx, kPictureCy, kDockerMark);
    want.Fill(Grown(RECT{10, 10, 40, 26}, nRings - 1), kBack);
    FrameRings(want, pm, nRings, 2004, 2004, 2004, 2004);
    EXPECT_EQ(0, want.Compare(s, "edit frame")) << f;
    EXPECT_EQ(&edit, pm->m_pLastWnd);
  }
}

TEST_F(CaptionsAndFrames, XpPaletteScreenOutlineIsDottedWithChamferedCorners) {
  for (bool bPlain : {false, true}) {
    PM* pm = Install(XP, 8);
    pm->m_nFlags = bPlain ? PM::PMF_DOCKER_BACKGROUND : 0;
    DibSurface s(kPictureCx, kPictureCy, kBack);
    DockingFramePaintData d(&g_bar, W, kClient, false, true, false);
    pm->PaintDockingFrame(s.dc(), d);
    const COLORREF clrDot = Id(pm, COLOR_3DSHADOW);
    int nDots = 0;
    for (int x = W.left + 2; x < W.right - 2; ++x)
      nDots += s.At(x, W.top) == clrDot ? 1 : 0;
    EXPECT_GE(nDots, 20) << bPlain;
    EXPECT_EQ(bPlain, s.At(W.left, W.top) == clrDot || s.At(W.left + 1, W.top) == clrDot) << bPlain;
  }
}

// ---------------------------------------------------------------------------------------------
// Combo drop-down buttons: a 60 x 20 box whose arrow part is the right-most thumb width.

const RECT kCombo = {0, 0, 60, 20};
int StripX() { return kCombo.right - 1 - ::GetSystemMetrics(SM_CXHTHUMB) - 2; }

ComboButtonPaintData ComboData(CObject* pSource, int f, bool bOverrides = false) {
  ComboButtonPaintData d(pSource, kCombo, f & HOV, f & PUSH, f & EN);
  for (int i = 0; bOverrides && i < 3; ++i)
    d.colors[i] = RGB(i == 0 ? 255 : 0, i == 1 ? 255 : 0, i == 2 ? 255 : 0);
  d.noOuterRing = (f & FLOAT) != 0;
  return d;
}

struct ComboCase {
  Theme theme;
  int nFlags;
  bool bOverrides;
  int nOuter, nInner, nStrip; // ids; -1 red, -2 blue, -3 the background
};

// clang-format off
const ComboCase kComboCases[] = {
    {CLASSIC, EN, false, 1000, 1000, 5}, {CLASSIC, EN, true, -1, 1000, -2}, {CLASSIC, EN | HOV, true, 1007, 1000, 5},
    {CLASSIC, 0, false, 1000, 1004, 15}, {XP, EN, false, 2001, 5, 5}, {XP, EN | PUSH, true, 2004, 5, 5},
    {XP, FLOAT, false, -3, 15, 15}, {OFFICE2003, EN, true, -1, -2, -2},
};
// clang-format on

class ComboButtons : public ThemeTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboButtons, RingTheBoxAndDrawTheArrow) {
  const ComboCase& c = GetParam();
  PM* pm = Install(c.theme);
  auto C = [&](int n) {
    return n == -1 ? RGB(255, 0, 0) : n == -2 ? RGB(0, 0, 255) : n == -3 ? kBack : Id(pm, n);
  };
  DibSurface s(kPictureCx, kPictureCy, kBack);
  ComboButtonPaintData d = ComboData(NULL, c.nFlags, c.bOverrides);
  pm->PaintComboDropDownButton(s.dc(), d);
  EXPECT_EQ(C(c.nOuter), s.At(0, 10));
  EXPECT_EQ(C(c.nInner), s.At(1, 10));
  EXPECT_EQ(C(c.nStrip), s.At(StripX(), 10));
  std::set<COLORREF> inArrowPart;
  for (int y = 4; y < 16; ++y)
    for (int x = kCombo.right - ::GetSystemMetrics(SM_CXHTHUMB) + 3; x < kCombo.right - 4; ++x)
      inArrowPart.insert(s.At(x, y));
  EXPECT_GE(inArrowPart.size(), 2u) << "the arrow leaves ink of its own";
}

INSTANTIATE_TEST_SUITE_P(Themes, ComboButtons, ::testing::ValuesIn(kComboCases));

// In a docked bar the box has no border of its own: its outer ring shows the docking area. A
// disabled combo box is ringed by it too; anything else keeps the XP picture.
TEST_F(ComboButtons, Office2003ComboInTheDockingArea) {
  CComboBox combo;
  auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
  for (int f : {EN | HOV, 0}) {
    DibSurface s(kPictureCx, kPictureCy, kBack);
    ComboButtonPaintData d = ComboData(&combo, f);
    pm->PaintComboDropDownButton(s.dc(), d);
    EXPECT_EQ(kDockerMark, s.At(0, 10));
    EXPECT_EQ(Id(pm, f != 0 ? COLOR_WINDOW : COLOR_3DFACE), s.At(1, 10));
    EXPECT_EQ(kBack, s.At(30, 10)) << "the text part is the combo box's";
  }
  FakeBarButton barButton(NULL);
  const struct {
    CObject* pSource;
    bool bDecline;
  } fallbacks[] = {{NULL, false}, {&barButton, false}, {&combo, true}};
  for (const auto& c : fallbacks) {
    PM* pmXp = Install(XP);
    DibSurface sXp(kPictureCx, kPictureCy, kBack), s(kPictureCx, kPictureCy, kBack);
    ComboButtonPaintData dXp = ComboData(c.pSource, EN | HOV), d = ComboData(c.pSource, EN | HOV);
    pmXp->PaintComboDropDownButton(sXp.dc(), dXp);
    pm = static_cast<DockerProbe*>(Install(new DockerProbe));
    pm->m_bDecline = c.bDecline;
    pm->PaintComboDropDownButton(s.dc(), d);
    EXPECT_TRUE(sXp.Pixels() == s.Pixels()) << c.bDecline;
  }
}

// Colour icons, drawn over several backgrounds to tell transparent from opaque.
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
