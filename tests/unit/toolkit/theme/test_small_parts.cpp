// The size grip, the date picker's parts and the disabled-icon look of each theme, by pixel.
#include "tests/unit/toolkit/theme/theme_support.h"

namespace {

using SmallParts = ThemeTest;

// The classic grip: three groups of two dark lines and one light line, 4 pixels apart, along
// the diagonals of the bottom-right corner.
TEST_F(SmallParts, ClassicGripDrawsThreeDiagonalGroups) {
  PM* pm = Install(CLASSIC);
  const COLORREF dark = pm->ColorByLogicalId(COLOR_3DSHADOW), light = pm->ColorByLogicalId(COLOR_WINDOW);
  DibSurface s(20, 20, kBack);
  pm->PaintResizingGripper(s.dc(), RECT{0, 0, 20, 20}, NULL);
  // On the bottom row the groups start at x = 18, 14, 10: dark, dark, light going left.
  const COLORREF group[4] = {dark, dark, light, kBack};
  for (int x = 18; x >= 7; --x)
    EXPECT_EQ(group[(18 - x) % 4], s.At(x, 19)) << "x " << x;
  EXPECT_EQ(dark, s.At(19, 18));
  EXPECT_EQ(kBack, s.At(0, 0));
}

// The Office 2003 grip: 2x2 dots, a light square with a dark one a pixel up and left, 4 pixels
// apart, three in the right column, two in the next, one in the third.
TEST_F(SmallParts, Office2003GripDrawsADotTriangle) {
  PM* pm = Install(OFFICE2003);
  const COLORREF light = pm->ColorByLogicalId(3002), dark = pm->ColorByLogicalId(3003);
  ASSERT_NE(light, dark);
  DibSurface s(16, 16, kBack);
  pm->PaintResizingGripper(s.dc(), RECT{0, 0, 16, 16}, NULL);
  auto dotAt = [&](int nColumn, int nRow) {
    const int x = 14 - 4 * nColumn, y = 14 - 4 * nRow;
    return s.At(x + 1, y + 1) == light && s.At(x, y) == dark && s.At(x - 1, y - 1) == dark;
  };
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r)
      EXPECT_EQ(r < 3 - c, dotAt(c, r)) << "column " << c << " row " << r;
  EXPECT_EQ(kBack, s.At(15, 3));

  // On palette screens the classic grip serves.
  pm = Install(OFFICE2003, 8);
  s.Fill(kBack);
  pm->PaintResizingGripper(s.dc(), RECT{0, 0, 16, 16}, NULL);
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DSHADOW), s.At(14, 15));
}

TEST_F(SmallParts, XpLeavesTheGripAndTheBorder) {
  for (Theme t : {XP, CLASSIC, OFFICE2003}) {
    PM* pm = Install(t);
    DibSurface s(16, 16, kBack);
    pm->PaintResizingGripper(s.dc(), RECT{0, 0, 16, 16}, NULL);
    pm->PaintDatePickerBorder(s.dc(), RECT{0, 0, 16, 16}, NULL);
    EXPECT_EQ(t == XP, s.At(15, 0) == kBack && s.At(14, 15) == kBack) << ThemeName(t);
  }
}

TEST_F(SmallParts, DatePickerBorderSeparatorAndHeader) {
  PM* pm = Install(CLASSIC);
  const COLORREF F = pm->ColorByLogicalId(COLOR_3DFACE), S = pm->ColorByLogicalId(COLOR_3DSHADOW),
                 D = pm->ColorByLogicalId(COLOR_3DDKSHADOW), white = RGB(255, 255, 255);
  DibSurface s(20, 20, kBack);
  pm->PaintDatePickerBorder(s.dc(), RECT{0, 0, 20, 20}, NULL);
  const COLORREF topLeft[4] = {F, white, F, S}, bottomRight[4] = {D, S, F, white};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(topLeft[i], s.At(i, 10)) << "ring " << i;
    EXPECT_EQ(bottomRight[i], s.At(19 - i, 10)) << "ring " << i;
  }
  EXPECT_EQ(kBack, s.At(4, 10));

  pm->PaintDatePickerSeparator(s.dc(), RECT{5, 5, 15, 6}, NULL);
  EXPECT_EQ(S, s.At(10, 5));
  s.Fill(kBack);
  const RECT rcOuter = {0, 0, 20, 10}, rcInner = {2, 2, 18, 8}, rcNone = {0, 0, 0, 0};
  pm->PaintDatePickerHeaderBackground(0, 0, s.dc(), 2024, 1, rcOuter, rcInner, rcNone, rcNone, rcNone, NULL);
  EXPECT_EQ(white, s.At(0, 5));
  EXPECT_EQ(S, s.At(19, 5));
  EXPECT_EQ(pm->ColorByLogicalId(1000), s.At(10, 5));

  pm = Install(OFFICE2003);
  s.Fill(kBack);
  pm->PaintDatePickerHeaderBackground(0, 0, s.dc(), 2024, 1, rcOuter, rcInner, rcNone, rcNone, rcNone, NULL);
  EXPECT_EQ(kBack, s.At(0, 5));
  EXPECT_EQ(pm->ColorByLogicalId(1000), s.At(10, 5));
  pm->PaintDatePickerBorder(s.dc(), RECT{0, 10, 20, 20}, NULL);
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DSHADOW), s.At(0, 15));
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DSHADOW), s.At(19, 15));
  EXPECT_EQ(kBack, s.At(1, 15));
}

TEST_F(SmallParts, DisabledIconLookIsTintedOnlyByOffice2003OnWindows2000OrLater) {
  PM* pm = Install(XP);
  EXPECT_EQ((COLORREF)-1, pm->GetDisabledIconColor());
  EXPECT_EQ(0.0, pm->GetDisabledIconFactor());
  pm = Install(OFFICE2003);
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DFACE), pm->GetDisabledIconColor());
  EXPECT_EQ(0.7, pm->GetDisabledIconFactor());
  ForceOs(OsVersion(VER_PLATFORM_WIN32_NT, 4, 0, 1381));
  EXPECT_EQ((COLORREF)-1, pm->GetDisabledIconColor());
}

} // namespace
