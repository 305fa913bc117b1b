// Glyph buffers: turning, copying, plotting and centring; the built-in table and glyph icons; the
// tear-off bar of each theme.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/foundation/ExtCmdIcon.h"

namespace {

const COLORREF kInk = RGB(200, 10, 20), kInk2 = RGB(10, 200, 30);
const COLORREF kColors[] = {0, kInk, kInk2};

// A 5 x 3 glyph whose cells are all different, so every move is visible.
const UINT kCells5x3[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

TEST(GlyphBuffer, TurnsClockwiseByQuartersAndIgnoresOtherAngles) {
  const struct {
    int nDegrees;
    UINT cx, cy;
    // Where source cell (c, r) lands.
    UINT (*pfnX)(UINT c, UINT r);
    UINT (*pfnY)(UINT c, UINT r);
  } rows[] = {
      {90, 3, 5, [](UINT, UINT r) { return 2 - r; }, [](UINT c, UINT) { return c; }},
      {180, 5, 3, [](UINT c, UINT) { return 4 - c; }, [](UINT, UINT r) { return 2 - r; }},
      {270, 3, 5, [](UINT, UINT r) { return r; }, [](UINT c, UINT) { return 4 - c; }},
      {45, 5, 3, [](UINT c, UINT) { return c; }, [](UINT, UINT r) { return r; }},
      {0, 5, 3, [](UINT c, UINT) { return c; }, [](UINT, UINT r) { return r; }},
  };
  const GlyphBuffer source(5, 3, 16, kCells5x3);
  for (const auto& row : rows) {
    GlyphBuffer g = source;
    g.RotateGlyph(row.nDegrees);
    ASSERT_EQ(row.cx, g.m_nWidth) << row.nDegrees;
    ASSERT_EQ(row.cy, g.m_nHeight) << row.nDegrees;
    for (UINT r = 0; r < 3; ++r)
      for (UINT c = 0; c < 5; ++c)
        EXPECT_EQ(source.GetCell(c, r), g.GetCell(row.pfnX(c, r), row.pfnY(c, r))) << row.nDegrees;
  }
}

TEST(GlyphBuffer, TurningAGlyphOverSharedCellsLeavesThoseCellsAlone) {
  static const UINT kShared[] = {1, 2, 3, 4, 5, 6};
  GlyphBuffer g(3, 2, 7, kShared);
  g.RotateGlyph(90);
  EXPECT_TRUE(g.OwnsCells());
  EXPECT_EQ(4u, g.GetCell(0, 0));
  EXPECT_EQ(1u, g.GetCell(1, 0));
  const UINT kExpected[] = {1, 2, 3, 4, 5, 6};
  EXPECT_TRUE(std::equal(std::begin(kShared), std::end(kShared), std::begin(kExpected)));
  EXPECT_EQ(3, GetNamedGlyph(NG_ARROW_RIGHT_3X5).GetSize().cx) << "the table's glyphs keep their shape";
}

TEST_F(ThemeTest, GlyphsPlotTheirCellsAndLeaveTransparentOnesAlone) {
  PM* pm = Install(CLASSIC);
  const UINT cells[] = {0, 1, 2, 0};
  const GlyphBuffer g(2, 2, 3, cells);
  DibSurface surface(8, 8, kBack);
  pm->PaintGlyph(surface.dc(), 3, 4, g, kColors);
  EXPECT_EQ(kBack, surface.At(3, 4));
  EXPECT_EQ(kInk, surface.At(4, 4));
  EXPECT_EQ(kInk2, surface.At(3, 5));
  EXPECT_EQ(kBack, surface.At(4, 5));
}

TEST_F(ThemeTest, CentredGlyphsSitAtTheRoundedDownMiddleOrNowhereWhenTooBig) {
  PM* pm = Install(CLASSIC);
  const UINT cells[] = {1, 1, 1, 1, 1, 1};
  const GlyphBuffer g(3, 2, 2, cells);
  // clang-format off
  const struct { RECT rc; int nLeft, nTop; } rows[] = {
      {{0, 0, 8, 7}, 2, 2}, {{8, 7, 0, 0}, 2, 2}, {{1, 1, 4, 3}, 1, 1},
      {{0, 0, 2, 8}, -1, -1}, {{0, 0, 8, 1}, -1, -1}, {{3, 3, 3, 3}, -1, -1}};
  // clang-format on
  for (const auto& row : rows) {
    DibSurface surface(10, 10, kBack);
    pm->PaintGlyphCentered(surface.dc(), row.rc, g, kColors);
    const RECT ink = InkBounds(surface, RECT{0, 0, 10, 10}, kInk);
    EXPECT_EQ(row.nLeft < 0 ? 0 : 6, CountColor(surface, RECT{0, 0, 10, 10}, kInk)) << row.rc.right;
    if (row.nLeft >= 0)
      EXPECT_EQ(CRect(row.nLeft, row.nTop, row.nLeft + 3, row.nTop + 2), CRect(ink)) << row.rc.right;
  }
}

TEST(BuiltinGlyphs, NamedGlyphsHaveTheirSizesAndTurnedFormsAreTurns) {
  // clang-format off
  const struct { NamedGlyph e; LONG cx, cy; } rows[] = {
      {NG_ARROW_DOWN_5X3, 5, 3}, {NG_ARROW_RIGHT_3X5, 3, 5}, {NG_CHEVRON_8X5, 8, 5}, {NG_CHEVRON_5X8, 5, 8},
      {NG_BAR_ARROW_5X6, 5, 6}, {NG_BAR_ARROW_6X5, 6, 5}, {NG_CHEVRON_6X5, 6, 5}, {NG_CHEVRON_5X6, 5, 6},
      {NG_SUBMENU_ARROW_12X16, 12, 16}, {NG_SUBMENU_SPLIT_12X16, 12, 16}};
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(row.cx, GetNamedGlyph(row.e).GetSize().cx) << row.e;
    EXPECT_EQ(row.cy, GetNamedGlyph(row.e).GetSize().cy) << row.e;
  }
  // The drop-down arrow: a triangle of 5, 3 and 1 cells; turned, it points right.
  const GlyphBuffer& down = GetNamedGlyph(NG_ARROW_DOWN_5X3);
  const GlyphBuffer& right = GetNamedGlyph(NG_ARROW_RIGHT_3X5);
  EXPECT_EQ(1u, down.GetCell(0, 0) & down.GetCell(4, 0) & down.GetCell(2, 2));
  EXPECT_EQ(0u, down.GetCell(0, 1) | down.GetCell(1, 2));
  EXPECT_EQ(1u, right.GetCell(0, 0) & right.GetCell(0, 4) & right.GetCell(2, 2));
  // Every index of the table is a glyph; beyond it, the empty one.
  for (int i : {GLYPH_CLOSE, GLYPH_MINIMIZE, GLYPH_AUTO_HIDDEN, GLYPH_CLOSE_SMALL, GLYPH_SCROLL_END_VERT})
    EXPECT_GT(GetBuiltinGlyph(i).GetSize().cx, 0) << i;
  EXPECT_EQ(0, GetBuiltinGlyph(GLYPH_COUNT).GetSize().cx);
  EXPECT_EQ(0, GetBuiltinGlyph(-1).GetSize().cx);
}

TEST_F(ThemeTest, BuiltinGlyphIconsAreTwoDifferentNineByNinePictures) {
  PM* pm = Install(CLASSIC);
  CExtCmdIcon first, second;
  ASSERT_TRUE(pm->LoadBuiltinGlyphIcon(first, true));
  ASSERT_TRUE(pm->LoadBuiltinGlyphIcon(second, false));
  EXPECT_EQ(9, first.GetSize().cx);
  EXPECT_EQ(9, second.GetSize().cy);
  DibSurface a(9, 9, kBack), b(9, 9, kBack);
  const POINT pt = {0, 0};
  first.Paint(a.hdc(), &pt, CExtCmdIcon::PaintNormal, NULL);
  second.Paint(b.hdc(), &pt, CExtCmdIcon::PaintNormal, NULL);
  EXPECT_EQ(kBack, a.At(0, 0)) << "magenta is transparent";
  EXPECT_NE(a.Pixels(), b.Pixels());
}

// The tear-off bar of a 100 x 8 row at (0, 0): fill, frame and strip per theme and state.
TEST_F(ThemeTest, TearOffBarsFillFrameAndStripPerTheme) {
  const RECT rc = {0, 0, 100, 8};
  const struct {
    const char* name;
    Theme theme;
    bool bHover;
    int nFillId;  // at (50, 0) unless framed
    int nFrameId; // -1: no frame at (0, 0)
    POINT ptLine; // a pixel of the strip
    int nLineId;
  } rows[] = {
      {"classic", CLASSIC, false, COLOR_HIGHLIGHT, -1, {50, 3}, COLOR_HIGHLIGHT},
      {"xp idle", XP, false, 2000, -1, {50, 1}, COLOR_3DSHADOW},
      {"xp hover", XP, true, 1001, 2004, {50, 2}, COLOR_BTNTEXT},
      {"2003 hover", OFFICE2003, true, 1001, 2004, {36, 2}, 3003},
  };
  for (const auto& row : rows) {
    PM* pm = Install(row.theme);
    DibSurface surface(100, 8, kBack);
    pm->PaintMenuTearOffCaption(surface.dc(), rc, row.bHover, false, NULL);
    EXPECT_EQ(pm->ColorByLogicalId(row.nLineId), surface.At(row.ptLine.x, row.ptLine.y)) << row.name;
    EXPECT_EQ(kBack, surface.At(50, 7)) << row.name << ": the last row is left";
    if (row.nFrameId >= 0)
      EXPECT_EQ(pm->ColorByLogicalId(row.nFrameId), surface.At(0, 0)) << row.name;
    else
      EXPECT_EQ(pm->ColorByLogicalId(row.nFillId), surface.At(row.ptLine.x - 30, row.ptLine.y)) << row.name;
  }
}

} // namespace
