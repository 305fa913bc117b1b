// Push buttons of the three looks, read back from 32-bit surfaces: faces and frames per state, the
// drop-down part, icon placement, captions and the rules that no caller state can break.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/foundation/ExtCmdIcon.h"

namespace {

const COLORREF kIconInk = RGB(250, 5, 140);
const RECT kButton = {0, 0, 40, 20};

struct State {
  bool bFlat, bHover, bPushed, bEnabled;
};

PushButtonPaintData Button(const State& s, LPCSTR sText = "", const RECT& rc = kButton) {
  return PushButtonPaintData(NULL, true, rc, sText, NULL, s.bFlat, s.bHover, s.bPushed, false, s.bEnabled,
                             false, false, false, 0);
}

std::vector<COLORREF> Paint(PM* pm, PushButtonPaintData& d, COLORREF clrBack = kBack) {
  DibSurface surface(40, 20, clrBack);
  pm->PaintPushButton(surface.dc(), d);
  return surface.Pixels();
}

class PushButtons : public ThemeTest {};

// Classic rows hold the top-left, bottom-right, inner and face colours; XP rows (run for Office
// 2003 too) a frame at both corners and a face.
TEST_F(PushButtons, FacesAndFramesFollowTheState) {
  const int kLight = -2, kNone = -3;
  // clang-format off
  const struct { bool bXp; State s; int nTopLeft, nBottomRight, nInner, nFace; } rows[] = {
      {false, {false, false, false, true}, 1004, 1006, 1000, 1000},
      {false, {false, true, false, true}, 1006, 1008, 1004, 1001},
      {false, {false, false, true, true}, 1007, 1005, 1001, 1001},
      {false, {false, true, true, true}, 1007, 1005, kLight, kLight},
      {false, {true, false, false, true}, 1000, 1000, 1000, 1000},
      {false, {true, true, false, true}, 1001, 1001, 1001, 1001},
      {true, {false, false, false, true}, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, kNone, COLOR_3DFACE},
      {true, {true, false, false, true}, 1000, 1000, kNone, 1000},
      {true, {false, true, false, true}, 2004, 2004, kNone, 1001},
      {true, {false, false, true, true}, 2004, 2004, kNone, 1001},
      {true, {false, true, true, true}, 2004, 2004, kNone, 2003},
      {true, {true, false, true, true}, 1001, 1001, kNone, 1001},
  };
  // clang-format on
  for (const auto& row : rows)
    for (Theme t : {CLASSIC, XP, OFFICE2003}) {
      if (row.bXp == (t == CLASSIC))
        continue;
      PM* pm = Install(t);
      auto color = [&](int nId) { return nId == kLight ? LightBrushColor(pm) : Id(pm, nId); };
      PushButtonPaintData d = Button(row.s);
      DibSurface surface(40, 20, kBack);
      pm->PaintPushButton(surface.dc(), d);
      SCOPED_TRACE(::testing::Message() << ThemeName(t) << " row " << (&row - rows));
      EXPECT_EQ(color(row.nTopLeft), surface.At(0, 0));
      EXPECT_EQ(color(row.nBottomRight), surface.At(39, 19));
      if (row.nInner != kNone)
        EXPECT_EQ(color(row.nInner), surface.At(1, 1));
      EXPECT_EQ(color(row.nFace), surface.At(20, 10));
    }
}

TEST_F(PushButtons, Office2003LunaButtonsShadeTheirFaceWithTheStatesGradient) {
  PM* pm = Install(OFFICE2003, 32, kLunaBlue);
  PushButtonPaintData d = Button({false, true, false, true}, "", RECT{0, 0, 40, 40});
  DibSurface surface(40, 40, kBack);
  pm->PaintPushButton(surface.dc(), d);
  // Vertical runs end at the pair's colours: the second at the top, the first at the bottom.
  EXPECT_TRUE(Near(surface.At(20, 1), Id(pm, 3022), 11));
  EXPECT_TRUE(Near(surface.At(20, 38), Id(pm, 3021), 11));
  EXPECT_NE(surface.At(20, 1), surface.At(20, 38));
}

TEST_F(PushButtons, ADisabledButtonNeverShowsHoverExtraStateOrFocus) {
  for (Theme t : {CLASSIC, XP, OFFICE2003}) {
    PM* pm = Install(t);
    for (bool bFlat : {false, true}) {
      PushButtonPaintData calm = Button({bFlat, false, false, false}, "Go");
      PushButtonPaintData hot(NULL, true, kButton, "Go", NULL, bFlat, true, false, true, false, true, true,
                              false, 0);
      const std::vector<COLORREF> expected = Paint(pm, calm);
      EXPECT_EQ(expected, Paint(pm, hot)) << ThemeName(t) << (bFlat ? " flat" : "");
      EXPECT_FALSE(hot.hover || hot.extraState || hot.drawFocusRect) << ThemeName(t);
    }
  }
}

TEST_F(PushButtons, ATransparentBackgroundStaysUntouchedUnlessAFaceColourIsGiven) {
  for (Theme t : {CLASSIC, XP, OFFICE2003}) {
    PM* pm = Install(t);
    for (const State& s : {State{true, false, false, true}, State{false, true, true, true}}) {
      PushButtonPaintData d = Button(s);
      d.transparentBackground = 1;
      const std::vector<COLORREF> px = Paint(pm, d);
      EXPECT_EQ(kBack, px[10 * 40 + 20]) << ThemeName(t);
      d.faceColor = RGB(7, 77, 177);
      EXPECT_EQ(RGB(7, 77, 177), Paint(pm, d)[10 * 40 + 20]) << ThemeName(t);
    }
  }
}

TEST_F(PushButtons, TheArrowPartSitsAtTheFarEndAndOnTheLeftRightToLeft) {
  // clang-format off
  const struct { Theme theme; bool bRtl; int nFrom, nTo; int nInk; } rows[] = {
      {CLASSIC, false, 29, 40, 1010}, {CLASSIC, true, 0, 11, 1010},
      {XP, false, 28, 40, COLOR_BTNTEXT}, {XP, true, 0, 12, COLOR_BTNTEXT}};
  // clang-format on
  for (const auto& row : rows) {
    PM* pm = Install(row.theme);
    PushButtonPaintData d(NULL, true, kButton, "", NULL, true, false, false, false, true, false, false, false,
                          0, NULL, true);
    d.rightToLeft = row.bRtl;
    DibSurface surface(40, 20, kBack);
    pm->PaintPushButton(surface.dc(), d);
    const RECT ink = InkBounds(surface, kButton, Id(pm, row.nInk));
    EXPECT_EQ(5, ink.right - ink.left) << ThemeName(row.theme);
    EXPECT_GE(ink.left, row.nFrom) << ThemeName(row.theme) << (row.bRtl ? " rtl" : "");
    EXPECT_LE(ink.right, row.nTo) << ThemeName(row.theme) << (row.bRtl ? " rtl" : "");
  }
}

TEST_F(PushButtons, IconsArePlacedByOrientationAlignmentAndDirection) {
  const RECT rc = {10, 10, 50, 30}; // 40 x 20
  // clang-format off
  const struct { const char* name; bool bHorz; UINT nAlign; const char* sCaption; bool bRtl; POINT pt; RECT rcText; } rows[] = {
      {"before", true, 0, "x", false, {13, 10}, {17, 10, 50, 30}},
      {"before rtl", true, 0, "x", true, {43, 10}, {10, 10, 43, 30}},
      {"after", true, 2, "x", false, {43, 18}, {13, 10, 43, 30}},
      {"after rtl", true, 2, "x", true, {13, 18}, {17, 10, 47, 30}},
      {"before, centred across", true, 4, "x", false, {13, 18}, {17, 10, 50, 30}},
      {"no caption", true, 0, "", false, {28, 10}, {10, 10, 50, 30}},
      {"top", false, 1, "x", false, {10, 13}, {10, 17, 50, 30}},
      {"top centred across", false, 5, "x", false, {28, 13}, {10, 17, 50, 30}},
      {"bottom", false, 2, "x", false, {28, 23}, {10, 10, 50, 23}},
      {"no caption vertical", false, 1, "", false, {10, 18}, {10, 10, 50, 30}},
  };
  // clang-format on
  PM* pm = Install(CLASSIC);
  for (const auto& row : rows) {
    CExtCmdIcon icon(MakeSolidBitmap(4, 4, kIconInk), RGB(255, 0, 255));
    DibSurface surface(60, 40, kBack);
    RECT rcText = {};
    pm->PaintColorSample(surface.dc(), row.bHorz, row.sCaption, &icon, rc, rcText, false, true, false,
                         row.nAlign, row.bRtl, (COLORREF)-1);
    EXPECT_EQ(kIconInk, surface.At(row.pt.x, row.pt.y)) << row.name;
    EXPECT_EQ(kIconInk, surface.At(row.pt.x + 3, row.pt.y + 3)) << row.name;
    EXPECT_EQ(kBack, surface.At(row.pt.x - 1, row.pt.y)) << row.name;
    EXPECT_TRUE(::EqualRect(&row.rcText, &rcText)) << row.name << ": " << rcText.left << "," << rcText.top
                                                   << "," << rcText.right << "," << rcText.bottom;
  }
  // Without an icon the text keeps all the room.
  DibSurface surface(60, 40, kBack);
  RECT rcText = {};
  pm->PaintColorSample(surface.dc(), true, "x", NULL, rc, rcText, false, true, false, 0, false, (COLORREF)-1);
  EXPECT_TRUE(::EqualRect(&rc, &rcText));
}

// Which colours a caption's pixels take.
bool Contains(const std::vector<COLORREF>& px, COLORREF clr) {
  return std::find(px.begin(), px.end(), clr) != px.end();
}

TEST_F(PushButtons, CaptionsTakeTheStatesColourAndClassicDisabledOnesAreEmbossed) {
  // clang-format off
  const struct { Theme theme; State s; int nInk; int nAbsent; } rows[] = {
      {CLASSIC, {true, false, false, true}, COLOR_BTNTEXT, COLOR_3DHILIGHT},
      {CLASSIC, {true, false, false, false}, COLOR_3DSHADOW, -1},
      {XP, {true, false, false, false}, COLOR_3DSHADOW, COLOR_3DHILIGHT},
      {XP, {true, true, true, true}, 2006, COLOR_BTNTEXT},
  };
  // clang-format on
  for (const auto& row : rows) {
    PM* pm = Install(row.theme);
    PushButtonPaintData d = Button(row.s, "WWW");
    d.textAlign = 5;
    const std::vector<COLORREF> px = Paint(pm, d);
    EXPECT_TRUE(Contains(px, pm->ColorByLogicalId(row.nInk))) << ThemeName(row.theme) << " " << row.nInk;
    if (row.nAbsent >= 0)
      EXPECT_FALSE(Contains(px, pm->ColorByLogicalId(row.nAbsent))) << ThemeName(row.theme);
    else
      EXPECT_TRUE(Contains(px, pm->ColorByLogicalId(COLOR_3DHILIGHT))) << "embossed light copy";
  }
}

} // namespace
