// The themed label: text placed by the static's type in the theme's colours, and the types the
// platform keeps painting.
#include "tests/unit/toolkit/controls/static_support.h"
#include "toolkit/controls/ExtLabel.h"

#include <string>

namespace {

const int kCx = 200, kCy = 24;

class LabelTest : public StaticControlTest {
protected:
  void Make(LPCSTR pszText, DWORD dwStyle, int cy = kCy) {
    EXPECT_TRUE(
        m_label.SubclassWindow(MakeChild("STATIC", pszText, dwStyle, CRect(10, 10, 10 + kCx, 10 + cy))));
  }
  CExtLabel m_label;
};

struct TextCase {
  Theme theme;
  DWORD dwAlign;
  bool bEnabled;
};

class LabelText : public LabelTest, public ::testing::WithParamInterface<TextCase> {};

// On the theme's background, in the button text colour (the shadow colour when disabled).
TEST_P(LabelText, FollowsAlignmentAndThemeColours) {
  const TextCase& c = GetParam();
  PM* pm = Begin(c.theme);
  Make("Opacity", c.dwAlign);
  m_label.EnableWindow(c.bEnabled);
  const pixel_support::Pixels px = Read(m_label);
  pixel_support::DibSurface back(kCx, kCy, kBack);
  if (pm->HasDockerBackground(&m_label))
    EXPECT_TRUE(pm->PaintDockerBackground(true, back.dc(), &m_label));
  else
    back.Fill(Id(pm, 1000));
  EXPECT_EQ(back.At(kCx - 1, kCy - 1), px.At(kCx - 1, kCy - 1));
  EXPECT_EQ(back.At(0, 0), px.At(0, 0));
  const CRect rcInk = Box(px, CRect(0, 0, kCx, kCy), c.bEnabled ? kText : kShadow);
  const int cx = TextSize("Opacity").cx;
  ASSERT_FALSE(rcInk.IsRectEmpty());
  if (c.dwAlign == SS_LEFT)
    EXPECT_LE(rcInk.left, 2);
  else if (c.dwAlign == SS_RIGHT)
    EXPECT_GE(rcInk.right, kCx - 4);
  else
    EXPECT_NEAR((kCx - cx) / 2, rcInk.left, 3);
  EXPECT_LE(rcInk.Width(), cx);
  EXPECT_EQ(0, CountPixels(px, rcInk, c.bEnabled ? kShadow : kText));
}

std::vector<TextCase> AllTexts() {
  std::vector<TextCase> cases;
  for (Theme t : {CLASSIC, XP, OFFICE2003})
    for (DWORD a : {SS_LEFT, SS_CENTER, SS_RIGHT})
      cases.push_back({t, a, a != SS_CENTER || t != XP});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryTheme, LabelText, ::testing::ValuesIn(AllTexts()),
                         [](const ::testing::TestParamInfo<TextCase>& info) {
                           return "theme" + std::to_string(info.param.theme) + "_type" +
                                  std::to_string(info.param.dwAlign) +
                                  (info.param.bEnabled ? "" : "_disabled");
                         });

// SS_CENTERIMAGE centres one line but keeps a text with a line break on two; a new text shows as
// soon as it is set.
TEST_F(LabelTest, CentredImageStyleKeepsLineBreaks) {
  Begin(CLASSIC);
  Make("Threshold\r\nTwo", SS_LEFT | SS_CENTERIMAGE, 60);
  m_label.m_clrBackground = kBack;
  const int cy = TextSize("Threshold").cy;
  EXPECT_GT(Box(Read(m_label), CRect(0, 0, kCx, 60), kBack, true).Height(), cy + 2);
  m_label.SetWindowText("Threshold");
  const CRect rcInk = Box(Read(m_label, true), CRect(0, 0, kCx, 60), kBack, true);
  EXPECT_LT(rcInk.Height(), cy + 1);
  EXPECT_NEAR(30, rcInk.CenterPoint().y, cy / 2 + 1);
  m_label.m_nFontFlags = CExtLabel::FONT_BOLD;
  EXPECT_GT(Box(Read(m_label), CRect(0, 0, kCx, 60), kBack, true).Width(), rcInk.Width()) << "bold";
}

// The label's background never shows in an etched frame; an icon is centred.
TEST_F(LabelTest, FramesStayThePlatformsAndIconsAreCentred) {
  Begin(CLASSIC);
  Make("", SS_ETCHEDFRAME);
  m_label.m_clrBackground = RGB(0, 150, 0);
  EXPECT_EQ(0, CountPixels(Read(m_label), CRect(0, 0, kCx, kCy), RGB(0, 150, 0)));

  CExtLabel icon;
  ASSERT_TRUE(
      icon.SubclassWindow(MakeChild("STATIC", "", SS_ICON | SS_CENTERIMAGE, CRect(10, 50, 110, 110))));
  icon.SetIcon(::LoadIcon(NULL, IDI_QUESTION));
  icon.MoveWindow(10, 50, 100, 60);
  icon.m_clrBackground = kBack;
  const CRect rcInk = Box(Read(icon), CRect(0, 0, 100, 60), kBack, true);
  EXPECT_NEAR(50, rcInk.CenterPoint().x, 3);
  EXPECT_NEAR(30, rcInk.CenterPoint().y, 3);
  icon.DestroyWindow();
}

} // namespace
