// Caption buttons, control frames and combo drop-down buttons of each theme, compared with the
// picture they must leave.
#include "tests/unit/toolkit/theme/expected_picture.h"
#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "tests/unit/toolkit/theme/theme_probes.h"
#include "tests/unit/toolkit/theme/theme_support.h"

#include <ostream>
#include <set>

using pixel_support::DibSurface;

namespace {

const COLORREF kBack = RGB(1, 2, 3), kDocker = kDockerMark;
const int kCx = 64, kCy = 40;

enum Theme { CLASSIC, XP, OFFICE2003 };
PM* Make(Theme t) {
  return t == CLASSIC ? new PM : t == XP ? new CExtPaintManagerXP : new CExtPaintManagerOffice2003;
}

RECT Grown(const RECT& rc, int n) {
  RECT r = rc;
  ::InflateRect(&r, n, n);
  return r;
}
RECT Moved(const RECT& rc, int n) {
  RECT r = rc;
  ::OffsetRect(&r, n, n);
  return r;
}

// ---------------------------------------------------------------------------------------------
// Caption buttons: a 15 x 14 button at (10, 10) becomes the 14 x 14 square E.

const RECT kButton = {10, 10, 25, 24}, E = {11, 10, 25, 24};

enum Flags { HOVER = 1, PUSHED = 2, ENABLED = 4, IN_CAPTION = 8, ACTIVE = 16, FLOATING = 32 };

struct CaptionCase {
  const char* pszName;
  Theme theme;
  RECT rc;
  int nFlags;
  int nGlyphAfter; // the record's glyph once painted
  void (*expect)(ExpectedPicture& p, PM* pm);
};

COLORREF Id(PM* pm, int nId) { return pm->ColorByLogicalId(nId); }

// clang-format off
const CaptionCase kCaptionCases[] = {
    {"classic idle, frame at the button", CLASSIC, kButton, ENABLED | FLOATING, 21, [](ExpectedPicture& p, PM* pm) {
       p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 18)).Ring(E, Id(pm, 20), Id(pm, 16)); }},
    {"classic upside-down rectangle is normalised", CLASSIC, {25, 24, 10, 10}, ENABLED | FLOATING, 21, [](ExpectedPicture& p, PM* pm) {
       p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 18)).Ring(E, Id(pm, 20), Id(pm, 16)); }},
    {"classic pushed, frame one pixel larger", CLASSIC, kButton, ENABLED | PUSHED, 21, [](ExpectedPicture& p, PM* pm) {
       p.Fill(Moved(Grown(E, 1), -1), Id(pm, 15)).Glyph(Moved(E, 1), 21, Id(pm, 18)).Ring(Grown(E, 1), Id(pm, 16), Id(pm, 20)); }},
    {"classic hover", CLASSIC, kButton, ENABLED | HOVER | FLOATING, 21, [](ExpectedPicture& p, PM* pm) {
       p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 18)).Ring(E, Id(pm, 15), Id(pm, 21)).Ring(Grown(E, -1), Id(pm, 20), Id(pm, 16)); }},
    {"classic disabled ignores hover", CLASSIC, kButton, HOVER | FLOATING, 21, [](ExpectedPicture& p, PM* pm) {
       p.Fill(Moved(E, -1), Id(pm, 15)).Glyph(E, 21, Id(pm, 16)).Ring(E, Id(pm, 20), Id(pm, 16)); }},
    {"classic empty", CLASSIC, {10, 10, 10, 24}, ENABLED, 1, [](ExpectedPicture&, PM*) {}},
    {"xp idle in an active caption", XP, kButton, ENABLED | IN_CAPTION | ACTIVE, 16, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(E, 16, Id(pm, 14)); }},
    {"xp idle in an inactive caption", XP, kButton, ENABLED | IN_CAPTION, 16, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(E, 16, Id(pm, 21)); }},
    {"xp floating keeps the plain close glyph", XP, kButton, ENABLED | IN_CAPTION | FLOATING, 1, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(E, 1, Id(pm, 21)); }},
    {"xp hover", XP, kButton, ENABLED | HOVER, 1, [](ExpectedPicture& p, PM* pm) {
       p.Fill(kButton, Id(pm, 1001)).Ring(Grown(kButton, 1), Id(pm, 2004)).Glyph(E, 1, Id(pm, 18)); }},
    {"xp disabled never shows the hover ring", XP, kButton, HOVER, 1, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(E, 1, Id(pm, 16)); }},
    {"office 2003 pushed in an active caption", OFFICE2003, kButton, ENABLED | PUSHED | ACTIVE, 1, [](ExpectedPicture& p, PM* pm) {
       p.Fill(kButton, Id(pm, 2003)).Ring(Grown(kButton, 1), Id(pm, 2003)).Glyph(E, 1, Id(pm, 18)); }},
    {"office 2003 disabled hover", OFFICE2003, kButton, HOVER | IN_CAPTION, 16, [](ExpectedPicture& p, PM* pm) {
       p.Glyph(E, 16, Id(pm, 16)); }},
};
// clang-format on

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.pszName; }

class CaptionButtons : public ThemeTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionButtons, LeaveTheirPictureAndSwapTheCloseGlyph) {
  const CaptionCase& c = GetParam();
  PM* pm = Install(Make(c.theme));
  DibSurface s(kCx, kCy, kBack);
  const int f = c.nFlags;
  NcAreaButtonPaintData data(NULL, c.rc, 1, f & HOVER, f & PUSHED, f & ENABLED, f & IN_CAPTION, f & ACTIVE,
                             f & FLOATING);
  pm->PaintBarNcAreaButton(s.dc(), data);
  ExpectedPicture want(kCx, kCy, kBack);
  c.expect(want, pm);
  EXPECT_EQ(0, want.Compare(s, c.pszName));
  EXPECT_EQ(c.nGlyphAfter, data.glyph) << c.pszName;
}

INSTANTIATE_TEST_SUITE_P(Themes, CaptionButtons, ::testing::ValuesIn(kCaptionCases));

// ---------------------------------------------------------------------------------------------
// Control frames: three window-colour rings round the rectangle, the edge ring, the outer ring.

const RECT kField = {10, 10, 40, 26};

struct FrameCase {
  Theme theme;
  int nFlags;
  int edge[2], outer[2];
};

// clang-format off
const FrameCase kFrameCases[] = {
    {CLASSIC, ENABLED | HOVER | PUSHED, {21, 15}, {16, 20}},
    {CLASSIC, ENABLED | HOVER, {16, 20}, {1000, 1000}},
    {CLASSIC, ENABLED | PUSHED, {16, 20}, {1000, 1000}},
    {CLASSIC, HOVER | PUSHED, {1000, 1000}, {1000, 1000}},
    {XP, ENABLED | HOVER | PUSHED, {2004, 2004}, {2004, 2004}},
    {XP, ENABLED | PUSHED, {2004, 2004}, {1000, 1000}},
    {XP, ENABLED, {1000, 1000}, {1000, 1000}},
    {OFFICE2003, HOVER | PUSHED, {1000, 1000}, {1000, 1000}},
    {OFFICE2003, ENABLED | HOVER, {2004, 2004}, {1000, 1000}},
};
// clang-format on

// The PUSHED bit of these cases stands for the focus.
ControlFramePaintData FrameData(CObject* pSource, int f) {
  return ControlFramePaintData(pSource, kField, (f & HOVER) != 0, (f & ENABLED) != 0, (f & PUSHED) != 0);
}

ExpectedPicture& FrameRings(ExpectedPicture& p, PM* pm, const int edge[2], const int outer[2], int nRings) {
  for (int i = 0; i < 3 && i < nRings; ++i)
    p.Ring(Grown(kField, i), Id(pm, COLOR_WINDOW));
  if (nRings > 3)
    p.Ring(Grown(kField, 3), Id(pm, edge[0]), Id(pm, edge[1]));
  if (nRings > 4)
    p.Ring(Grown(kField, 4), Id(pm, outer[0]), Id(pm, outer[1]));
  return p;
}

class ControlFrames : public ThemeTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(ControlFrames, RingTheControlInTheStatesColours) {
  const FrameCase& c = GetParam();
  PM* pm = Install(Make(c.theme));
  DibSurface s(kCx, kCy, kBack);
  ControlFramePaintData data = FrameData(NULL, c.nFlags);
  pm->PaintControlFrame(s.dc(), data);
  ExpectedPicture want(kCx, kCy, kBack);
  EXPECT_EQ(0, FrameRings(want, pm, c.edge, c.outer, 5).Compare(s, "control frame"))
      << "theme " << c.theme << " flags " << c.nFlags;
}

INSTANTIATE_TEST_SUITE_P(Themes, ControlFrames, ::testing::ValuesIn(kFrameCases));

// Around an edit, the rings an idle frame leaves unlit give way to the docking area.
TEST_F(ControlFrames, Office2003EditShowsTheDockingAreaOutsideItsLitRings) {
  const struct {
    int nFlags, nRingsKept;
  } cases[] = {{ENABLED, 3}, {ENABLED | HOVER, 4}, {ENABLED | HOVER | PUSHED, 5}, {HOVER | PUSHED, 3}};
  for (const auto& c : cases) {
    auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
    CEdit edit;
    DibSurface s(kCx, kCy, kBack);
    ControlFramePaintData data = FrameData(&edit, c.nFlags);
    pm->PaintControlFrame(s.dc(), data);
    ExpectedPicture want(kCx, kCy, kBack);
    want.Fill({0, 0, kCx, kCy}, kDocker).Fill(Grown(kField, c.nRingsKept - 1), kBack);
    const int edge[2] = {2004, 2004}, outer[2] = {2004, 2004};
    EXPECT_EQ(0, FrameRings(want, pm, edge, outer, c.nRingsKept).Compare(s, "edit frame")) << c.nFlags;
    EXPECT_EQ(&edit, pm->m_pLastWnd);
  }
}

TEST_F(ControlFrames, Office2003LeavesOtherControlsToTheXpLook) {
  auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
  CComboBox combo;
  DibSurface s(kCx, kCy, kBack);
  ControlFramePaintData data = FrameData(&combo, ENABLED);
  pm->PaintControlFrame(s.dc(), data);
  EXPECT_EQ(0, pm->m_nCalls);
  EXPECT_EQ(Id(pm, 1000), s.At(kField.left - 4, 15));
}

// ---------------------------------------------------------------------------------------------
// Combo drop-down buttons: a 60 x 20 button whose arrow part is the right-most thumb width.

const RECT kCombo = {0, 0, 60, 20};

// A strip column left of the arrow part, inside the inner ring.
int StripX() { return kCombo.right - 1 - ::GetSystemMetrics(SM_CXHTHUMB) - 2; }

struct ComboCase {
  const char* pszName;
  Theme theme;
  int nFlags;
  bool bOverrides; // red frame, green face, blue strip
  bool bNoOuterRing;
  COLORREF (*outer)(PM*);
  COLORREF (*inner)(PM*);
  COLORREF (*strip)(PM*);
};

// clang-format off
const ComboCase kComboCases[] = {
    {"classic idle", CLASSIC, ENABLED, false, false, [](PM* pm) { return Id(pm, 1000); }, [](PM* pm) { return Id(pm, 1000); }, [](PM* pm) { return Id(pm, 5); }},
    {"classic idle with overrides", CLASSIC, ENABLED, true, false, [](PM*) { return RGB(255, 0, 0); }, [](PM* pm) { return Id(pm, 1000); }, [](PM*) { return RGB(0, 0, 255); }},
    {"classic hover ignores overrides", CLASSIC, ENABLED | HOVER, true, false, [](PM* pm) { return Id(pm, 1007); }, [](PM* pm) { return Id(pm, 1000); }, [](PM* pm) { return Id(pm, 5); }},
    {"classic disabled", CLASSIC, 0, false, false, [](PM* pm) { return Id(pm, 1000); }, [](PM* pm) { return Id(pm, 1004); }, [](PM* pm) { return Id(pm, 15); }},
    {"xp idle", XP, ENABLED, false, false, [](PM* pm) { return Id(pm, 2001); }, [](PM* pm) { return Id(pm, 5); }, [](PM* pm) { return Id(pm, 5); }},
    {"xp pushed", XP, ENABLED | PUSHED, true, false, [](PM* pm) { return Id(pm, 2004); }, [](PM* pm) { return Id(pm, 5); }, [](PM* pm) { return Id(pm, 5); }},
    {"xp without outer ring", XP, 0, false, true, [](PM*) { return kBack; }, [](PM* pm) { return Id(pm, 15); }, [](PM* pm) { return Id(pm, 15); }},
    {"office 2003 with overrides takes the xp look", OFFICE2003, ENABLED, true, false, [](PM*) { return RGB(255, 0, 0); }, [](PM*) { return RGB(0, 0, 255); }, [](PM*) { return RGB(0, 0, 255); }},
};
// clang-format on

ComboButtonPaintData ComboData(CObject* pSource, int f, bool bOverrides = false, bool bNoOuterRing = false) {
  ComboButtonPaintData d(pSource, kCombo, (f & HOVER) != 0, (f & PUSHED) != 0, (f & ENABLED) != 0);
  if (bOverrides) {
    d.colors[0] = RGB(255, 0, 0);
    d.colors[1] = RGB(0, 255, 0);
    d.colors[2] = RGB(0, 0, 255);
  }
  d.noOuterRing = bNoOuterRing;
  return d;
}

void PrintTo(const ComboCase& c, std::ostream* os) { *os << c.pszName; }

class ComboButtons : public ThemeTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboButtons, RingTheBoxAndDrawTheArrow) {
  const ComboCase& c = GetParam();
  PM* pm = Install(Make(c.theme));
  DibSurface s(kCx, kCy, kBack);
  ComboButtonPaintData data = ComboData(NULL, c.nFlags, c.bOverrides, c.bNoOuterRing);
  s.dc().SetTextColor(RGB(7, 7, 7));
  pm->PaintComboDropDownButton(s.dc(), data);
  EXPECT_EQ(c.outer(pm), s.At(0, 10)) << c.pszName;
  EXPECT_EQ(c.inner(pm), s.At(1, 10)) << c.pszName;
  EXPECT_EQ(c.strip(pm), s.At(StripX(), 10)) << c.pszName;
  EXPECT_EQ(RGB(7, 7, 7), s.dc().GetTextColor()) << c.pszName;
  // The arrow leaves ink of its own in the middle of the arrow part.
  std::set<COLORREF> colours;
  for (int y = 4; y < 16; ++y)
    for (int x = kCombo.right - ::GetSystemMetrics(SM_CXHTHUMB) + 3; x < kCombo.right - 4; ++x)
      colours.insert(s.At(x, y));
  EXPECT_GE(colours.size(), 2u) << c.pszName;
}

INSTANTIATE_TEST_SUITE_P(Themes, ComboButtons, ::testing::ValuesIn(kComboCases));

// In a docked bar the box has no border of its own: its outer ring shows the docking area.
TEST_F(ComboButtons, Office2003ComboShowsTheDockingAreaAroundAWindowColouredBox) {
  for (int f : {(int)ENABLED, ENABLED | HOVER}) {
    auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
    CComboBox combo;
    DibSurface s(kCx, kCy, kBack);
    ComboButtonPaintData data = ComboData(&combo, f);
    pm->PaintComboDropDownButton(s.dc(), data);
    EXPECT_EQ(&combo, pm->m_pLastWnd);
    EXPECT_EQ(kDocker, s.At(0, 10));
    EXPECT_EQ(kDocker, s.At(30, 19));
    EXPECT_EQ(Id(pm, COLOR_WINDOW), s.At(1, 10));
    EXPECT_EQ(Id(pm, COLOR_WINDOW), s.At(30, 1));
    EXPECT_EQ(kBack, s.At(30, 10)) << "the text part is the combo box's";
  }
}

// Whatever keeps the docking-area look away, the XP picture results.
TEST_F(ComboButtons, Office2003FallsBackToTheXpPicture) {
  CComboBox combo;
  FakeBarButton barButton(NULL);
  struct {
    const char* pszWhat;
    CObject* pSource;
    bool bDecline;
    int nBits;
  } cases[] = {{"no source", NULL, false, 32},
               {"a bar button without a bar", &barButton, false, 32},
               {"declined background", &combo, true, 32},
               {"palette screen", &combo, false, 8}};
  for (const auto& c : cases) {
    PM* pmXp = Install(new CExtPaintManagerXP, c.nBits);
    DibSurface sXp(kCx, kCy, kBack);
    ComboButtonPaintData dataXp = ComboData(c.pSource, ENABLED | HOVER);
    pmXp->PaintComboDropDownButton(sXp.dc(), dataXp);
    auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe, c.nBits));
    pm->m_bDecline = c.bDecline;
    DibSurface s(kCx, kCy, kBack);
    ComboButtonPaintData data = ComboData(c.pSource, ENABLED | HOVER);
    pm->PaintComboDropDownButton(s.dc(), data);
    EXPECT_TRUE(sXp.Pixels() == s.Pixels()) << c.pszWhat;
  }
}

TEST_F(ComboButtons, Office2003DisabledComboIsRingedByTheDockingArea) {
  auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
  CComboBox combo;
  DibSurface s(kCx, kCy, kBack);
  ComboButtonPaintData data = ComboData(&combo, 0);
  pm->PaintComboDropDownButton(s.dc(), data);
  EXPECT_EQ(kDocker, s.At(0, 10));
  EXPECT_EQ(Id(pm, 15), s.At(1, 10));
  EXPECT_EQ(kBack, s.At(30, 10));
}

} // namespace
