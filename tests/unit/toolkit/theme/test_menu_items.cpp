// Menu rows of the three looks read back from 32-bit surfaces: backgrounds, the icon column, the
// highlight, the hidden-items group's lines, icon and check boxes, the submenu arrow, right to left.
#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "toolkit/foundation/ExtCmdIcon.h"

namespace {

const COLORREF kIconInk = RGB(250, 5, 140);
const RECT kRow = {0, 0, 120, 22};
const int kColumn = 24;

struct Row {
  bool bSelected = false, bCheck = false, bEnabled = true, bRarely = false, bAbove = false, bBelow = false;
  bool bPopup = false;
};

MenuItemPaintData Item(const Row& r, CObject* pSource = NULL, CExtCmdIcon* pIcon = NULL,
                       const RECT& rc = kRow) {
  return MenuItemPaintData(pSource, rc, rc, kColumn, "Item", "Ctrl+I", pIcon, r.bPopup, r.bSelected, r.bCheck,
                           false, false, r.bEnabled, r.bRarely, r.bAbove, r.bBelow, 0, NULL);
}

class MenuItems : public ThemeTest {};

TEST_F(MenuItems, ClassicHiddenItemsGroupDrawsItsEdgesOnlyWhereTheGroupEnds) {
  PM* pm = Install(new PM);
  const struct { bool bAbove, bBelow; } rows[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& row : rows) {
    Row r;
    r.bRarely = true, r.bAbove = row.bAbove, r.bBelow = row.bBelow;
    MenuItemPaintData d = Item(r);
    DibSurface surface(120, 22, kBack);
    pm->PaintMenuItem(surface.dc(), d);
    const COLORREF clrLight = LightBrushColor(pm);
    EXPECT_EQ(row.bAbove ? clrLight : pm->ColorByLogicalId(COLOR_3DSHADOW), surface.At(2, 0)) << row.bAbove;
    EXPECT_EQ(row.bBelow ? clrLight : pm->ColorByLogicalId(COLOR_3DHILIGHT), surface.At(2, 21)) << row.bBelow;
    EXPECT_EQ(clrLight, surface.At(2, 10));
  }
}

TEST_F(MenuItems, ClassicCheckedRowWithAnIconShowsTheIconSunkenOnTheTint) {
  PM* pm = Install(new PM);
  CExtCmdIcon icon(MakeSolidBitmap(4, 4, kIconInk), RGB(255, 0, 255));
  Row r;
  r.bCheck = true;
  MenuItemPaintData d = Item(r, NULL, &icon);
  DibSurface surface(120, 22, kBack);
  pm->PaintMenuItem(surface.dc(), d);
  // The 4 x 4 box is centred in the column at (10, 9); its frame is 2 pixels out.
  EXPECT_EQ(pm->ColorByLogicalId(1006), surface.At(8, 7));
  EXPECT_EQ(pm->ColorByLogicalId(1004), surface.At(15, 14));
  EXPECT_EQ(LightBrushColor(pm), surface.At(9, 8));
  for (int y = 9; y < 13; ++y)
    for (int x = 10; x < 14; ++x)
      EXPECT_EQ(kIconInk, surface.At(x, y)) << "no check mark over the icon at " << x << "," << y;
}

TEST_F(MenuItems, XpRowsHaveAColumnAFramedHighlightAndMirrorRightToLeft) {
  FakePopupMenu rtl(true);
  // clang-format off
  const struct { const char* name; Row r; bool bRtl, bNoColumn; int nColumn, nText, nCorner; } rows[] = {
      {"plain", Row(), false, false, 1000, 2001, 1000},
      {"rarely used", [] { Row r; r.bRarely = true; return r; }(), false, false, 2005, 2001, 2005},
      {"selected", [] { Row r; r.bSelected = true; return r; }(), false, false, 1001, 1001, 2004},
      {"no column", Row(), false, true, 2001, 2001, 2001},
      {"right to left", Row(), true, false, 2001, 2001, 2001},
  };
  // clang-format on
  PM* pm = Install(new CExtPaintManagerXP);
  for (const auto& row : rows) {
    MenuItemPaintData d = Item(row.r, row.bRtl ? &rtl : NULL);
    d.noIconColumn = row.bNoColumn;
    DibSurface surface(120, 22, kBack);
    pm->PaintMenuItem(surface.dc(), d);
    EXPECT_EQ(pm->ColorByLogicalId(row.nColumn), surface.At(2, 2)) << row.name;
    EXPECT_EQ(pm->ColorByLogicalId(row.nText), surface.At(60, 1)) << row.name;
    EXPECT_EQ(pm->ColorByLogicalId(row.nCorner), surface.At(0, 0)) << row.name;
    if (row.bRtl)
      EXPECT_EQ(pm->ColorByLogicalId(1000), surface.At(117, 2)) << "the column is on the right";
  }
}

TEST_F(MenuItems, CheckBoxesAreSunkenInClassicAndFlatInXp) {
  for (bool bXp : {false, true}) {
    PM* pm = Install(bXp ? new CExtPaintManagerXP : new PM);
    Row r;
    r.bCheck = true;
    MenuItemPaintData d = Item(r);
    DibSurface surface(120, 22, kBack);
    pm->PaintMenuItem(surface.dc(), d);
    // The 16 x 16 box sits at (4, 3); its frame 2 pixels out.
    EXPECT_EQ(pm->ColorByLogicalId(bXp ? 2004 : 1006), surface.At(2, 1)) << bXp;
    EXPECT_EQ(pm->ColorByLogicalId(bXp ? 2004 : 1004), surface.At(21, 20)) << bXp;
    int nInk = 0;
    for (int y = 3; y < 19; ++y)
      for (int x = 4; x < 20; ++x)
        nInk += surface.At(x, y) == pm->ColorByLogicalId(1010) ? 1 : 0;
    EXPECT_GT(nInk, 4) << "a check mark in the box";
  }
}

TEST_F(MenuItems, TheSubmenuGlyphArrowSitsAtTheFarEndInTheTextColour) {
  FakePopupMenu rtl(true);
  for (bool bRtl : {false, true}) {
    PM* pm = Install(new PM);
    Row r;
    r.bPopup = true, r.bSelected = true;
    MenuItemPaintData d(bRtl ? &rtl : NULL, kRow, kRow, kColumn, "", "", NULL, true, true, false, false,
                        false, true, false, false, false, 0, NULL);
    d.glyphArrow = 1;
    DibSurface surface(120, 22, kBack);
    pm->PaintMenuItem(surface.dc(), d);
    const COLORREF clrInk = pm->ColorByLogicalId(COLOR_HIGHLIGHTTEXT);
    const RECT ink = InkBounds(surface, kRow, clrInk);
    EXPECT_GE(ink.left, bRtl ? 3 : 101) << bRtl;
    EXPECT_LE(ink.right, bRtl ? 19 : 117) << bRtl;
  }
}

} // namespace
