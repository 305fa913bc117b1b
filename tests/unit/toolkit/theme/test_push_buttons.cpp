// Push buttons of the three looks, read back from 32-bit surfaces: faces and frames per state, the
// drop-down part, icon placement, captions and the rules that no caller state can break.
#include "tests/unit/toolkit/theme/theme_support.h"

#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "toolkit/foundation/ExtCmdIcon.h"

#include <memory>

namespace {

using pixel_support::DibSurface;

const COLORREF kBack = RGB(1, 2, 3), kIconInk = RGB(250, 5, 140);
const RECT kButton = {0, 0, 40, 20};

struct Look {
  const char* name;
  PM* (*pfnMake)();
};
const Look kLooks[] = {{"classic", [] { return new PM; }},
                       {"xp", [] { return (PM*)new CExtPaintManagerXP; }},
                       {"office2003", [] { return (PM*)new CExtPaintManagerOffice2003; }}};

struct State {
  bool bFlat, bHover, bPushed, bEnabled;
};

PushButtonPaintData Button(const State& s, LPCSTR sText = "", const RECT& rc = kButton) {
  return PushButtonPaintData(NULL, true, rc, sText, NULL, s.bFlat, s.bHover, s.bPushed, false, s.bEnabled,
                             false, false, false, 0);
}

COLORREF LightBrushColor(PM* pm) {
  LOGBRUSH lb = {};
  ::GetObjectA(pm->m_brushLightDefault, sizeof(lb), &lb);
  return lb.lbColor;
}

std::vector<COLORREF> Paint(PM* pm, PushButtonPaintData& d, COLORREF clrBack = kBack) {
  DibSurface surface(40, 20, clrBack);
  pm->PaintPushButton(surface.dc(), d);
  return surface.Pixels();
}

class PushButtons : public ThemeTest {};

TEST_F(PushButtons, ClassicFacesAndFramesFollowTheState) {
  const int kLight = -2;
  // clang-format off
  const struct { const char* name; State s; int nTopLeft, nBottomRight, nInner, nFace; } rows[] = {
      {"idle", {false, false, false, true}, 1004, 1006, 1000, 1000},
      {"hover", {false, true, false, true}, 1006, 1008, 1004, 1001},
      {"pushed", {false, false, true, true}, 1007, 1005, 1001, 1001},
      {"pushed hover", {false, true, true, true}, 1007, 1005, kLight, kLight},
      {"flat idle", {true, false, false, true}, 1000, 1000, 1000, 1000},
      {"flat hover without border", {true, true, false, true}, 1001, 1001, 1001, 1001},
  };
  // clang-format on
  PM* pm = Install(new PM);
  auto color = [&](int nId) { return nId == kLight ? LightBrushColor(pm) : pm->ColorByLogicalId(nId); };
  for (const auto& row : rows) {
    PushButtonPaintData d = Button(row.s);
    DibSurface surface(40, 20, kBack);
    pm->PaintPushButton(surface.dc(), d);
    EXPECT_EQ(color(row.nTopLeft), surface.At(0, 0)) << row.name;
    EXPECT_EQ(color(row.nBottomRight), surface.At(39, 19)) << row.name;
    EXPECT_EQ(color(row.nInner), surface.At(1, 1)) << row.name;
    EXPECT_EQ(color(row.nFace), surface.At(20, 10)) << row.name;
  }
}

TEST_F(PushButtons, XpFacesAndFramesFollowTheState) {
  // clang-format off
  const struct { const char* name; State s; int nFrame, nFace; } rows[] = {
      {"idle", {false, false, false, true}, COLOR_3DDKSHADOW, COLOR_3DFACE},
      {"flat idle has no frame", {true, false, false, true}, 1000, 1000},
      {"hover", {false, true, false, true}, 2004, 1001},
      {"pushed", {false, false, true, true}, 2004, 1001},
      {"pushed hover", {false, true, true, true}, 2004, 2003},
      {"flat pushed without border", {true, false, true, true}, 1001, 1001},
  };
  // clang-format on
  for (const Look& look : {kLooks[1], kLooks[2]}) {
    PM* pm = Install(look.pfnMake());
    for (const auto& row : rows) {
      PushButtonPaintData d = Button(row.s);
      DibSurface surface(40, 20, kBack);
      pm->PaintPushButton(surface.dc(), d);
      EXPECT_EQ(pm->ColorByLogicalId(row.nFrame), surface.At(0, 0)) << look.name << " " << row.name;
      EXPECT_EQ(pm->ColorByLogicalId(row.nFrame), surface.At(39, 19)) << look.name << " " << row.name;
      EXPECT_EQ(pm->ColorByLogicalId(row.nFace), surface.At(20, 10)) << look.name << " " << row.name;
    }
  }
}

TEST_F(PushButtons, Office2003LunaButtonsShadeTheirFaceWithTheStatesGradient) {
  const ForcedStyle blue = {
      true,
      L"luna.msstyles",
      L"normalcolor",
      7,
      {RGB(99, 151, 233), 0, RGB(21, 66, 139), 0, 0, RGB(61, 149, 255), RGB(168, 202, 245)}};
  PM* pm = Install(new CExtPaintManagerOffice2003, 32, blue);
  PushButtonPaintData d = Button({false, true, false, true}, "", RECT{0, 0, 40, 40});
  DibSurface surface(40, 40, kBack);
  pm->PaintPushButton(surface.dc(), d);
  // Vertical runs end at the pair's colours: the second at the top, the first at the bottom.
  auto isClose = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 12 && std::abs(GetGValue(a) - GetGValue(b)) < 12 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 12;
  };
  EXPECT_TRUE(isClose(pm->ColorByLogicalId(3022), surface.At(20, 1)));
  EXPECT_TRUE(isClose(pm->ColorByLogicalId(3021), surface.At(20, 38)));
  EXPECT_NE(surface.At(20, 1), surface.At(20, 38));
}

TEST_F(PushButtons, ADisabledButtonNeverShowsHoverExtraStateOrFocus) {
  for (const Look& look : kLooks) {
    PM* pm = Install(look.pfnMake());
    for (bool bFlat : {false, true}) {
      PushButtonPaintData calm = Button({bFlat, false, false, false}, "Go");
      PushButtonPaintData hot(NULL, true, kButton, "Go", NULL, bFlat, true, false, true, false, true, true,
                              false, 0);
      const std::vector<COLORREF> expected = Paint(pm, calm);
      EXPECT_EQ(expected, Paint(pm, hot)) << look.name << (bFlat ? " flat" : "");
      EXPECT_FALSE(hot.hover || hot.extraState || hot.drawFocusRect) << look.name;
    }
  }
}

TEST_F(PushButtons, EmptyButtonsDrawNothingAndLeaveTheDcAlone) {
  for (const Look& look : kLooks) {
    PM* pm = Install(look.pfnMake());
    DibSurface surface(40, 20, kBack);
    ::SetTextColor(surface.hdc(), RGB(9, 8, 7));
    ::SetBkMode(surface.hdc(), OPAQUE);
    PushButtonPaintData d = Button({false, true, true, true}, "Go", RECT{5, 5, 5, 15});
    pm->PaintPushButton(surface.dc(), d);
    EXPECT_EQ(std::vector<COLORREF>(800, kBack), surface.Pixels()) << look.name;
    EXPECT_EQ(RGB(9, 8, 7), ::GetTextColor(surface.hdc()));
    EXPECT_EQ(OPAQUE, ::GetBkMode(surface.hdc()));
  }
}

TEST_F(PushButtons, ATransparentBackgroundStaysUntouchedUnlessAFaceColourIsGiven) {
  for (const Look& look : kLooks) {
    PM* pm = Install(look.pfnMake());
    for (const State& s : {State{true, false, false, true}, State{false, true, true, true}}) {
      PushButtonPaintData d = Button(s);
      d.transparentBackground = 1;
      const std::vector<COLORREF> px = Paint(pm, d);
      EXPECT_EQ(kBack, px[10 * 40 + 20]) << look.name;
      d.faceColor = RGB(7, 77, 177);
      EXPECT_EQ(RGB(7, 77, 177), Paint(pm, d)[10 * 40 + 20]) << look.name;
    }
  }
}

// Where the drop-down arrow's ink lies: its leftmost and rightmost columns.
std::pair<int, int> InkColumns(const std::vector<COLORREF>& px, COLORREF clrInk) {
  int nMin = 99, nMax = -1;
  for (int i = 0; i < (int)px.size(); ++i)
    if (px[i] == clrInk)
      nMin = std::min(nMin, i % 40), nMax = std::max(nMax, i % 40);
  return {nMin, nMax};
}

TEST_F(PushButtons, TheArrowPartSitsAtTheFarEndAndOnTheLeftRightToLeft) {
  // clang-format off
  const struct { int nLook; bool bRtl; int nFrom, nTo; int nInk; } rows[] = {
      {0, false, 29, 40, 1010}, {0, true, 0, 11, 1010},
      {1, false, 28, 40, COLOR_BTNTEXT}, {1, true, 0, 12, COLOR_BTNTEXT}};
  // clang-format on
  for (const auto& row : rows) {
    PM* pm = Install(kLooks[row.nLook].pfnMake());
    PushButtonPaintData d(NULL, true, kButton, "", NULL, true, false, false, false, true, false, false, false,
                          0, NULL, true);
    d.rightToLeft = row.bRtl;
    const std::pair<int, int> ink = InkColumns(Paint(pm, d), pm->ColorByLogicalId(row.nInk));
    EXPECT_EQ(5, ink.second - ink.first + 1) << kLooks[row.nLook].name;
    EXPECT_GE(ink.first, row.nFrom) << kLooks[row.nLook].name << (row.bRtl ? " rtl" : "");
    EXPECT_LT(ink.second, row.nTo) << kLooks[row.nLook].name << (row.bRtl ? " rtl" : "");
  }
}

// A 4 x 4 icon of one colour.
std::unique_ptr<CExtCmdIcon> SolidIcon() {
  return std::unique_ptr<CExtCmdIcon>(new CExtCmdIcon(MakeSolidBitmap(4, 4, kIconInk), RGB(255, 0, 255)));
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
  PM* pm = Install(new PM);
  for (const auto& row : rows) {
    std::unique_ptr<CExtCmdIcon> icon = SolidIcon();
    DibSurface surface(60, 40, kBack);
    RECT rcText = {};
    pm->PaintColorSample(surface.dc(), row.bHorz, row.sCaption, icon.get(), rc, rcText, false, true, false,
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
  const struct { int nLook; State s; int nInk; int nAbsent; } rows[] = {
      {0, {true, false, false, true}, COLOR_BTNTEXT, COLOR_3DHILIGHT},
      {0, {true, false, false, false}, COLOR_3DSHADOW, -1},
      {1, {true, false, false, false}, COLOR_3DSHADOW, COLOR_3DHILIGHT},
      {1, {true, true, true, true}, 2006, COLOR_BTNTEXT},
  };
  // clang-format on
  for (const auto& row : rows) {
    PM* pm = Install(kLooks[row.nLook].pfnMake());
    PushButtonPaintData d = Button(row.s, "WWW");
    d.textAlign = 5;
    const std::vector<COLORREF> px = Paint(pm, d);
    EXPECT_TRUE(Contains(px, pm->ColorByLogicalId(row.nInk))) << kLooks[row.nLook].name << " " << row.nInk;
    if (row.nAbsent >= 0)
      EXPECT_FALSE(Contains(px, pm->ColorByLogicalId(row.nAbsent))) << kLooks[row.nLook].name;
    else
      EXPECT_TRUE(Contains(px, pm->ColorByLogicalId(COLOR_3DHILIGHT))) << "embossed light copy";
  }
}

} // namespace
