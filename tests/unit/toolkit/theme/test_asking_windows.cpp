// What the theme answers the date picker, tab windows and tool bars: the picker's buttons are push
// buttons of the theme in the state the picker passes; the tab metrics keep the caller's third
// value when the tab window's style asks so; the Office 2003 hot tool-bar button gets a gradient.
#include "tests/unit/toolkit/theme/theme_support.h"

#include "tests/unit/toolkit/theme/theme_fakes.h"

#include "toolkit/theme/ExtPaintManagerRecords.h"

namespace {

using pixel_support::DibSurface;

TEST_F(ThemeTest, DatePickerButtonsArePushButtonsOfTheirState) {
  const RECT rc = {0, 0, 48, 20};
  for (PM* pm : {new PM, (PM*)new CExtPaintManagerXP, (PM*)new CExtPaintManagerOffice2003}) {
    Install(pm);
    for (int nState = 0; nState < 16; ++nState) {
      const bool bFlat = nState & 1, bBorder = nState & 2, bPushed = nState & 4, bHover = nState & 8;
      DibSurface picker(48, 20, RGB(1, 2, 3)), button(48, 20, RGB(1, 2, 3));
      pm->PaintDatePickerPushButton(picker.dc(), rc, 1, "Today", bFlat, bBorder, bPushed, bHover, NULL);
      PushButtonPaintData data(NULL, true, rc, "Today", NULL, bFlat, bHover, bPushed, false, true, bBorder,
                               false, false, 1);
      pm->PaintPushButton(button.dc(), data);
      EXPECT_EQ(button.Pixels(), picker.Pixels())
          << pm->GetRuntimeClass()->m_lpszClassName << ", state " << nState;
    }
  }
}

TEST_F(ThemeTest, TabMetricsKeepTheThirdValueWhenTheStyleAsks) {
  PM* pm = Install(new PM);
  FakeTabWnd plain(0x7F), keeping(0x80);
  for (CWnd* pTabWnd : {(CWnd*)NULL, (CWnd*)&plain, (CWnd*)&keeping}) {
    int n1 = 0, n2 = 0, n3 = 9;
    pm->GetTabMetrics(pTabWnd, &n1, &n2, &n3);
    EXPECT_EQ(4, n1);
    EXPECT_EQ(2, n2);
    EXPECT_EQ(pTabWnd == &keeping ? 9 : 2, n3);
  }
}

// The hot button's face is the 3017-to-3015 gradient one pixel in; a vertical bar frames it in id
// 2007 unless the button asks not to; classic and XP leave it to the button.
TEST_F(ThemeTest, Office2003HotToolBarButtonHasAGradientFace) {
  const RECT rc = {2, 2, 26, 24};
  const struct {
    Theme theme;
    bool bVertical, bNoFrame, bFace, bFrame;
  } cases[] = {{OFFICE2003, false, false, true, false},
               {OFFICE2003, true, false, true, true},
               {OFFICE2003, true, true, true, false},
               {CLASSIC, true, false, false, false},
               {XP, true, false, false, false}};
  for (const auto& c : cases) {
    PM* pm = Install(c.theme);
    FakeBarButton button(NULL, rc, c.bVertical, c.bNoFrame);
    DibSurface s(28, 26, kBack);
    pm->PaintToolBarButtonBackground(s.dc(), &button);
    EXPECT_EQ(c.bFrame, s.At(2, 12) == pm->ColorByLogicalId(2007))
        << ThemeName(c.theme) << c.bVertical << c.bNoFrame;
    EXPECT_EQ(!c.bFrame, s.At(2, 12) == kBack);
    EXPECT_EQ(c.bFace, s.At(14, 3) != kBack);
    EXPECT_EQ(kBack, s.At(1, 1)) << "outside the button";
    if (c.bFace) {
      EXPECT_EQ(pm->ColorByLogicalId(3015), s.At(14, 3)) << "the face's top row";
      EXPECT_EQ(pm->ColorByLogicalId(3017), s.At(14, 22)) << "the face's bottom row";
    }
  }
}

} // namespace
