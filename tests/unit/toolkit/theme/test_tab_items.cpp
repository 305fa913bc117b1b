// Tab items of each theme: the outline of a selected item on each side of the strip, the
// separator of an unselected one, the grouped box, the icon switch and turned text.
#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "toolkit/foundation/ExtCmdIcon.h"

namespace {

const int kCx = 64, kCy = 40;
const RECT kItem = {10, 5, 50, 25};
const COLORREF kDefault = (COLORREF)-1;

enum Side { TOP, BOTTOM, LEFT, RIGHT };

void PaintItem(PM* pm, CDC& dc, Side side, bool bSelected, bool bGrouped, LPCSTR sText = "",
               CExtCmdIcon* pIcon = NULL, CObject* pTabWnd = NULL) {
  const bool bHorz = side == TOP || side == BOTTOM, bTopLeft = side == TOP || side == LEFT;
  pm->PaintTabItem(dc, 0, bTopLeft, bHorz, bSelected, false, bGrouped, false, false, &kItem, 0, 0, NULL,
                   sText, pIcon, pTabWnd, 0, kDefault, kDefault, kDefault, kDefault, kDefault);
}

std::function<void(PM*, CDC&)> Item(Side side, bool bSelected, bool bGrouped) {
  return [=](PM* pm, CDC& dc) { PaintItem(pm, dc, side, bSelected, bGrouped); };
}

// The theme's light, dark, background and separator ids of a normal (not grouped) item.
const int L = COLOR_3DHILIGHT, D = COLOR_3DDKSHADOW, F = COLOR_3DFACE, S = COLOR_3DSHADOW;

// clang-format off
const PictureCase kShapeCases[] = {
    {"classic selected top item: open at the bottom", CLASSIC, 32, Item(TOP, true, false), NULL,
     {{{10, 5, 11, 25}, L}, {{10, 5, 50, 6}, L}, {{49, 5, 50, 25}, D}, {{11, 6, 49, 25}, F}}},
    {"XP selected bottom item: open at the top", XP, 32, Item(BOTTOM, true, false), NULL,
     {{{10, 5, 11, 25}, L}, {{10, 24, 50, 25}, D}, {{49, 5, 50, 25}, D}, {{11, 5, 49, 24}, 2000}}},
    {"XP selected left item: open at the right", XP, 32, Item(LEFT, true, false), NULL,
     {{{10, 5, 50, 6}, L}, {{10, 5, 11, 25}, L}, {{10, 24, 50, 25}, D}, {{11, 6, 50, 24}, 2000}}},
    {"Office 2003 selected right item: open at the left", OFFICE2003, 32, Item(RIGHT, true, false), NULL,
     {{{10, 5, 50, 6}, L}, {{49, 5, 50, 25}, D}, {{10, 24, 50, 25}, D}, {{10, 6, 49, 24}, 2000}}},
    {"classic unselected horizontal item: only its separator", CLASSIC, 32, Item(TOP, false, false), NULL, {{{49, 7, 50, 23}, COLOR_3DLIGHT}}},
    {"XP unselected vertical item: separator along its bottom", XP, 32, Item(LEFT, false, false), NULL, {{{12, 24, 48, 25}, S}}},
    {"classic grouped horizontal item: a box a pixel longer and taller by two", CLASSIC, 32, Item(TOP, false, true), NULL,
     Layers{{{10, 3, 51, 27}, F}} + Ring3d(RECT{10, 3, 51, 27}, S, S)},
    {"XP grouped vertical item", XP, 32, Item(LEFT, true, true), NULL, Layers{{{8, 5, 52, 26}, F}} + Ring3d(RECT{8, 5, 52, 26}, S, S)},
};
// clang-format on

class TabItemShapes : public PictureTest {};
TEST_P(TabItemShapes, LeaveExactlyTheirPicture) { Run(kCx, kCy); }
INSTANTIATE_TEST_SUITE_P(Themes, TabItemShapes, ::testing::ValuesIn(kShapeCases));

// The tab window's style bit turns item icons off; an empty icon shows nothing either.
TEST_F(ThemeTest, TabItemIconFollowsTheTabWindowStyle) {
  const COLORREF clrInk = RGB(200, 30, 40);
  for (Theme t : {CLASSIC, XP}) {
    PM* pm = Install(t);
    CExtCmdIcon icon(MakeSolidBitmap(16, 16, clrInk), RGB(255, 0, 255));
    CExtCmdIcon empty;
    FakeTabWnd plain(0), noIcons(CExtTabWndSite::TAB_STYLE_NO_ICONS);
    struct {
      CExtCmdIcon* pIcon;
      CObject* pTabWnd;
      bool bShown;
    } const cases[] = {
        {&icon, &plain, true}, {&icon, NULL, true}, {&icon, &noIcons, false}, {&empty, &plain, false}};
    for (const auto& c : cases) {
      DibSurface s(kCx, kCy, kBack);
      PaintItem(pm, s.dc(), TOP, true, false, "Tab", c.pIcon, c.pTabWnd);
      const int nInk = CountColor(s, kItem, clrInk);
      EXPECT_EQ(c.bShown ? 256 : 0, nInk) << ThemeName(t);
    }
  }
}

// Turned text keeps a margin at the top of the item whichever way it runs, and shows whole.
TEST_F(ThemeTest, VerticalTabTextStaysInsideTheItem) {
  PM* pm = Install(XP);
  const COLORREF clrInk = RGB(0, 0, 255);
  const RECT rcItem = {10, 10, 34, 130};
  const RECT rcText = {12, 12, 32, 128};
  for (bool bInverted : {false, true}) {
    CFont& font = bInverted ? pm->m_FontNormalVertUp : pm->m_FontNormalVert;
    DibSurface s(60, 140, kBack);
    ::SelectObject(s.hdc(), pm->m_FontNormal.m_hObject);
    SIZE size;
    ::GetTextExtentPoint32A(s.hdc(), "WWWWW", 5, &size);
    pm->PaintTabItem(s.dc(), 0, true, false, true, false, false, false, bInverted, &rcItem, size.cx, size.cy,
                     &font, "WWWWW", NULL, NULL, 0, clrInk, kDefault, kDefault, kDefault, kDefault);
    const RECT ink = InkBounds(s, rcText, clrInk);
    EXPECT_GE(ink.top, rcText.top + 2) << bInverted << ": text is cut at the top";
    EXPECT_GE(ink.bottom - ink.top, size.cx - 4) << bInverted << ": text shows whole";
  }
}

} // namespace
