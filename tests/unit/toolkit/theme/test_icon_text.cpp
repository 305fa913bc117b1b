// The transparent stretch blit, icons made from text, icon items, combo faces, the date picker's
// background, the undo/redo caption and the icon-title texts, read back from 32-bit surfaces.
#include "tests/unit/toolkit/theme/theme_support.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255), kBlue = RGB(10, 20, 200), kGreen = RGB(0, 160, 0);

class IconText : public ThemeTest {};

TEST_F(IconText, TransparentStretchBltLeavesTheDestinationWhereTheSourceIsTransparent) {
  // An 8 x 8 source, transparent on its left half.
  DibSurface source(8, 8, kBlue);
  source.dc().FillSolidRect(0, 0, 4, 8, kKey);
  // clang-format off
  const struct { int cx, cy; int nWidth, nHeight; } rows[] = {
      {8, 8, 8, 8}, {16, 12, 16, 12}, {-1, -1, 8, 8}, {-5, 4, 8, 4}};
  // clang-format on
  for (const auto& row : rows) {
    DibSurface dest(24, 16, kGreen);
    PM::TransparentStretchBlt(dest.hdc(), 2, 2, row.cx, row.cy, source.hdc(), 0, 0, 8, 8, kKey);
    const int nHalf = 2 + row.nWidth / 2;
    EXPECT_EQ(kGreen, dest.At(2, 2)) << row.cx;
    EXPECT_EQ(kGreen, dest.At(nHalf - 1, 1 + row.nHeight)) << row.cx;
    EXPECT_EQ(kBlue, dest.At(nHalf, 2)) << row.cx;
    EXPECT_EQ(kBlue, dest.At(1 + row.nWidth, 1 + row.nHeight)) << row.cx;
    EXPECT_EQ(kGreen, dest.At(2 + row.nWidth, 2)) << row.cx << ": nothing beyond the working size";
    EXPECT_EQ(kGreen, dest.At(nHalf, 2 + row.nHeight)) << row.cx;
  }
}

TEST_F(IconText, TextIconsShowTheirCharacterInItsColourOverAnUntouchedBackground) {
  CFont font;
  ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_HEAVY, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                              "Arial"));
  for (COLORREF clr : {RGB(200, 30, 40), RGB(20, 40, 220)}) {
    HICON hIcon = PM::CreateTextIcon(clr, (HFONT)font.m_hObject, "A");
    ASSERT_NE((HICON)NULL, hIcon);
    DibSurface surface(16, 16, RGB(255, 255, 255));
    ::DrawIconEx(surface.hdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
    ::DestroyIcon(hIcon);
    int nInk = 0, nOther = 0;
    for (COLORREF px : surface.Pixels())
      px == clr ? ++nInk : px != RGB(255, 255, 255) ? ++nOther : 0;
    EXPECT_GT(nInk, 10) << "the character in its colour";
    EXPECT_EQ(0, nOther) << "nothing but the character and the background";
    EXPECT_EQ(RGB(255, 255, 255), surface.At(0, 0));
  }
}

TEST_F(IconText, IconItemsFrameTheirHotIconPerLookAndShowSeparators) {
  const RECT rcItem = {0, 0, 60, 24}, rcIcon = {4, 4, 20, 20}, rcNone = {0, 0, 0, 0};
  // clang-format off
  const struct { bool bXp; BYTE nState; int nTopLeft, nBottomRight, nInside; } rows[] = {
      {false, IconPaintData::ICON_HOVER, COLOR_3DFACE, COLOR_3DDKSHADOW, COLOR_3DSHADOW},
      {false, IconPaintData::ICON_PUSHED, COLOR_3DDKSHADOW, COLOR_3DFACE, COLOR_3DSHADOW},
      {true, IconPaintData::ICON_HOVER, 2004, 2004, COLOR_3DSHADOW},
      {true, 0, -1, -1, -1},
  };
  // clang-format on
  for (const auto& row : rows) {
    PM* pm = Install(row.bXp ? new CExtPaintManagerXP : new PM);
    IconPaintData d(NULL, NULL, NULL, rcItem, rcIcon, rcNone, "", NULL, row.nState);
    DibSurface surface(60, 24, kBack);
    pm->PaintIcon(surface.dc(), d);
    auto color = [&](int nId) { return nId < 0 ? kBack : pm->ColorByLogicalId(nId); };
    EXPECT_EQ(color(row.nTopLeft), surface.At(2, 2)) << (int)row.nState;
    EXPECT_EQ(color(row.nBottomRight), surface.At(21, 21)) << (int)row.nState;
    EXPECT_EQ(color(row.nInside), surface.At(10, 10)) << (int)row.nState;
  }
  PM* pm = Install(new PM);
  for (BYTE nState : {BYTE(IconPaintData::ICON_SEPARATOR),
                      BYTE(IconPaintData::ICON_SEPARATOR | IconPaintData::ICON_INFO_TEXT)}) {
    IconPaintData d(NULL, NULL, NULL, RECT{4, 4, 56, 6}, rcNone, rcNone, "", NULL, nState);
    DibSurface surface(60, 24, kBack);
    pm->PaintIcon(surface.dc(), d);
    const bool bShown = (nState & IconPaintData::ICON_INFO_TEXT) != 0;
    EXPECT_EQ(bShown ? pm->ColorByLogicalId(COLOR_3DDKSHADOW) : kBack, surface.At(2, 2));
    EXPECT_EQ(bShown ? pm->ColorByLogicalId(COLOR_INFOBK) : kBack, surface.At(30, 4));
  }
}

TEST_F(IconText, XpComboFacesAreWindowColouredAndFramedOnlyWhenHotOrDisabled) {
  // clang-format off
  const struct { bool bHover, bEnabled; int nFrame, nFace; POINT ptFrame; } rows[] = {
      {false, true, COLOR_WINDOW, COLOR_WINDOW, {4, 4}},
      {true, true, 2004, COLOR_WINDOW, {3, 3}},
      {false, false, 2011, COLOR_3DFACE, {3, 3}},
  };
  // clang-format on
  PM* pm = Install(new CExtPaintManagerXP);
  for (const auto& row : rows) {
    ComboBoxFacePaintData d(NULL, RECT{4, 4, 80, 24}, "", false, row.bHover, false, row.bEnabled);
    DibSurface surface(90, 30, kBack);
    pm->PaintComboBoxFace(surface.dc(), d);
    EXPECT_EQ(pm->ColorByLogicalId(row.nFrame), surface.At(row.ptFrame.x, row.ptFrame.y))
        << row.bHover << row.bEnabled;
    EXPECT_EQ(pm->ColorByLogicalId(row.nFace), surface.At(40, 14));
    EXPECT_EQ(kBack, surface.At(2, 2));
  }
}

TEST_F(IconText, ADatePickerWithoutDockerBackgroundGetsAPlainFace) {
  for (bool bXp : {false, true}) {
    PM* pm = Install(bXp ? new CExtPaintManagerOffice2003 : new PM);
    DibSurface surface(60, 40, kBack);
    pm->PaintDatePickerBackground(surface.dc(), RECT{0, 0, 60, 40}, RECT{10, 10, 50, 30}, NULL);
    EXPECT_EQ(pm->ColorByLogicalId(1000), surface.At(2, 2));
    EXPECT_EQ(pm->ColorByLogicalId(COLOR_WINDOW), surface.At(30, 20));
  }
}

TEST_F(IconText, IconTitleTextsStayInsideTheirRectangle) {
  PM* pm = Install(new PM);
  const RECT rc = {10, 10, 40, 30};
  const struct {
    const char* name;
    void (*pfn)(PM*, CDC&, const RECT&, LPCSTR);
  } rows[] = {
      {"icon title", [](PM* p, CDC& dc, const RECT& r, LPCSTR s) { p->PaintIconTitleText(dc, r, s); }},
      {"scaled",
       [](PM* p, CDC& dc, const RECT& r, LPCSTR s) { p->PaintScaledText(dc, r, s, 4, 0, 0, 0, 0); }},
      {"caption", [](PM* p, CDC& dc, const RECT& r, LPCSTR s) { p->PaintCaptionText(dc, r, s); }},
  };
  for (const auto& row : rows) {
    for (LPCSTR sText : {"WWWWWWWWWWWW", ""}) {
      DibSurface surface(50, 40, kBack);
      row.pfn(pm, surface.dc(), rc, sText);
      const RECT ink = InkBounds(surface, RECT{0, 0, 50, 40}, kBack, true);
      EXPECT_EQ(*sText != '\0', !::IsRectEmpty(&ink)) << row.name;
      if (*sText != '\0') // the text starts 4 pixels in
        EXPECT_TRUE(ink.left >= rc.left + 4 && ink.top >= rc.top && ink.right <= rc.right &&
                    ink.bottom <= rc.bottom)
            << row.name;
    }
  }
}

} // namespace
