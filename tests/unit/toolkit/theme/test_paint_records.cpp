// Paint-data records: where each constructor argument lands, the derived text alignment, the
// right-to-left answers; and the layout answers that read control bars, per theme and depth.
#include "tests/unit/toolkit/theme/theme_fakes.h"

namespace {

const RECT kRc = {1, 2, 30, 40};

TEST(PaintRecords, PushButtonBoolArgumentsLandInTheirOwnFlagOnly) {
  for (int nSet = 0; nSet < 11; ++nSet) {
    bool b[11] = {};
    b[nSet] = true;
    const PushButtonPaintData d(NULL, b[0], kRc, "x", NULL, b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], 0,
                                NULL, b[9], 7, b[10]);
    // The flag each of the eleven bool arguments sets, in argument order.
    const bool flags[11] = {d.horizontal != 0,
                            d.flat != 0,
                            d.hover != 0,
                            d.pushed != 0,
                            d.extraState != 0,
                            d.enabled != 0,
                            d.drawBorder != 0,
                            d.drawFocusRect != 0,
                            d.defaultButton != 0,
                            d.dropDown != 0,
                            d.transparentBackground != 0};
    for (int i = 0; i < 11; ++i)
      EXPECT_EQ(i == nSet, flags[i]) << "argument " << nSet << ", flag " << i;
    EXPECT_FALSE(d.splitDropDown || d.dropDownPushed || d.wordBreak || d.noDisabledEmboss || d.rightToLeft ||
                 d.rtlReading);
    EXPECT_EQ(7u, d.sysCommandId);
    EXPECT_EQ((COLORREF)-1, d.faceColor);
    EXPECT_EQ((COLORREF)-1, d.textColorHover);
  }
}

TEST(PaintRecords, TextAlignmentIsDerivedFromTheAlignmentArgument) {
  const struct {
    UINT nAlignment, nTextAlign;
  } rows[] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}, {4, 4}, {5, 5}, {6, 6}};
  for (const auto& row : rows) {
    const PushButtonPaintData d(NULL, true, kRc, NULL, NULL, 0, 0, 0, 0, 1, 0, 0, 0, row.nAlignment);
    EXPECT_EQ(row.nTextAlign, d.textAlign) << row.nAlignment;
    EXPECT_EQ(row.nAlignment, d.alignment);
    EXPECT_STREQ("", d.text);
  }
}

TEST(PaintRecords, RightToLeftComesFromTheForcedBitTheMenuOrTheBarWindow) {
  FakePopupMenu menuRtl(true), menuLtr(false);
  HWND hRtl =
      ::CreateWindowExA(WS_EX_LAYOUTRTL, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  HWND hLtr = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  FakeBarButton onRtl(hRtl), onLtr(hLtr), noBar(NULL);
  CStringList plain; // any other object
  const struct {
    const char* name;
    CObject* pSource;
    bool bForced, bExpected;
  } rows[] = {
      {"none", NULL, false, false},        {"forced", NULL, true, true},
      {"rtl menu", &menuRtl, false, true}, {"ltr menu", &menuLtr, false, false},
      {"rtl bar", &onRtl, false, true},    {"ltr bar", &onLtr, false, false},
      {"no bar", &noBar, false, false},    {"other object", &plain, false, false},
  };
  for (const auto& row : rows) {
    PushButtonPaintData d(row.pSource, true, kRc, "", NULL, 0, 0, 0, 0, 1, 0, 0, 0, 0);
    d.rightToLeft = row.bForced;
    EXPECT_EQ(row.bExpected, d.IsRightToLeft()) << row.name;
  }
  const MenuItemPaintData item(&menuRtl, kRc, kRc, 0, "", "", NULL, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, NULL);
  EXPECT_TRUE(item.IsRightToLeft());
  ::DestroyWindow(hRtl);
  ::DestroyWindow(hLtr);
}

TEST_F(ThemeTest, LayoutAnswersReadTheBarPerThemeAndDepth) {
  using S = CExtControlBarSite;
  FakeBar docked(S::BAR_TOOL), dockedLeft(S::BAR_TOOL, false, 0, true), floating(S::BAR_TOOL, true),
      menuBar(S::BAR_MENU), noGradient(S::BAR_TOOL, false, S::OPT_NO_GRADIENT), siteBitSet(S::BAR_TOOL),
      siteBitForced(S::BAR_TOOL, false, S::OPT_GRADIENT_DOCKED);
  floating.m_bInDockBar = true;
  siteBitSet.m_bSiteBit = siteBitForced.m_bSiteBit = true;
  const struct {
    const char* name;
    FakeBar* pBar;
    int nBits;
    int nRowClassic, nRow2003;
    bool bGradient2003;
  } rows[] = {
      {"docked", &docked, 32, 6, 0, true},          {"docked 16 bits", &docked, 16, 6, 0, true},
      {"docked 8 bits", &docked, 8, 6, 6, false},   {"floating", &floating, 32, 6, 6, false},
      {"menu bar", &menuBar, 32, 0, 0, false},      {"no gradient", &noGradient, 32, 6, 6, false},
      {"site bit", &siteBitSet, 32, 6, 0, false},   {"site bit forced", &siteBitForced, 32, 6, 0, true},
      {"docked left", &dockedLeft, 32, 6, 0, true},
  };
  for (const auto& row : rows) {
    FakeBar* pBar = row.pBar;
    // Installing a theme deletes the one before: each is made and asked in turn.
    for (bool bXp : {false, true}) {
      PM* pm = Install(bXp ? XP : CLASSIC, row.nBits);
      EXPECT_EQ(row.nRowClassic, pm->GetToolBarRowDistance(pBar)) << row.name;
      EXPECT_FALSE(pm->IsToolBarGradientBackground(pBar)) << row.name;
      RECT rc = {0, 0, 20, 20};
      pm->AdjustControlBarNcRect(pBar, rc);
      const bool bVert = pBar->IsDockedVertically();
      EXPECT_EQ(bVert ? 1 : 3, rc.left) << row.name;
      EXPECT_EQ(bVert ? 3 : 1, rc.top) << row.name;
    }
    PM* pm = Install(OFFICE2003, row.nBits);
    EXPECT_EQ(row.nRow2003, pm->GetToolBarRowDistance(pBar)) << row.name;
    EXPECT_EQ(row.bGradient2003, pm->IsToolBarGradientBackground(pBar)) << row.name;
    RECT rc = {0, 0, 20, 20};
    pm->AdjustControlBarNcRect(pBar, rc);
    EXPECT_EQ(row.nBits > 8 ? 0 : 1, rc.left) << row.name;
  }
}

} // namespace
