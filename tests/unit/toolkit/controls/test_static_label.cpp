// The themed label: text placed by the static's type in the theme's colours, and the types the
// platform keeps painting.
#include "tests/unit/toolkit/controls/static_support.h"

// On the theme's background, in the button text colour (the shadow colour when disabled).
TEST_P(StaticInTheme, LabelTextFollowsTypeAndThemeColours) {
  PM* pm = Begin(GetParam());
  Make(m_label, "STATIC", "Opacity", SS_LEFT, kLabelCx, kLabelCy);
  pixel_support::DibSurface back(kLabelCx, kLabelCy, kBack);
  if (pm->HasDockerBackground(&m_label))
    EXPECT_TRUE(pm->PaintDockerBackground(true, back.dc(), &m_label));
  else
    back.Fill(Id(pm, 1000));
  const int cx = TextSize("Opacity").cx, nLeft[] = {0, (kLabelCx - cx) / 2, kLabelCx - cx};
  for (const DWORD dwType : {SS_LEFT, SS_CENTER, SS_RIGHT}) {
    const bool bEnabled = dwType != SS_CENTER || GetParam() != XP; // one disabled case
    m_label.ModifyStyle(SS_TYPEMASK, dwType);
    m_label.EnableWindow(bEnabled);
    const pixel_support::Pixels px = Read(m_label);
    EXPECT_EQ(back.At(kLabelCx - 1, kLabelCy - 1), px.At(kLabelCx - 1, kLabelCy - 1)) << dwType;
    EXPECT_EQ(back.At(0, 0), px.At(0, 0)) << dwType;
    const CRect rcInk = Box(px, CRect(0, 0, kLabelCx, kLabelCy), bEnabled ? kText : kShadow);
    ASSERT_FALSE(rcInk.IsRectEmpty()) << dwType;
    EXPECT_NEAR(nLeft[dwType], rcInk.left, 3) << dwType;
    EXPECT_LE(rcInk.Width(), cx) << dwType;
    EXPECT_TRUE(Box(px, rcInk, bEnabled ? kShadow : kText).IsRectEmpty()) << dwType;
  }
}

// SS_CENTERIMAGE centres one line but keeps a text with a line break on two; a new text shows as
// soon as it is set; bold widens it. An etched frame never shows the label's background; an icon
// is centred.
TEST_F(StaticControlTest, LabelCentredImageFramesAndIcons) {
  Begin(CLASSIC);
  Make(m_label, "STATIC", "Threshold\r\nTwo", SS_LEFT | SS_CENTERIMAGE, kLabelCx, 60);
  m_label.m_clrBackground = kBack;
  const CRect rc(0, 0, kLabelCx, 60);
  const int cy = TextSize("Threshold").cy;
  EXPECT_GT(Box(Read(m_label), rc, kBack, true).Height(), cy + 2);
  m_label.SetWindowText("Threshold");
  const CRect rcInk = Box(Read(m_label, true), rc, kBack, true);
  EXPECT_LT(rcInk.Height(), cy + 1);
  EXPECT_NEAR(30, rcInk.CenterPoint().y, cy / 2 + 1);
  m_label.m_nFontFlags = CExtLabel::FONT_BOLD;
  EXPECT_GT(Box(Read(m_label), rc, kBack, true).Width(), rcInk.Width()) << "bold";

  m_label.ModifyStyle(SS_TYPEMASK | SS_CENTERIMAGE, SS_ETCHEDFRAME);
  m_label.m_clrBackground = RGB(0, 150, 0);
  EXPECT_TRUE(Box(Read(m_label), rc, RGB(0, 150, 0)).IsRectEmpty());

  m_label.ModifyStyle(SS_TYPEMASK, SS_ICON | SS_CENTERIMAGE);
  m_label.SetIcon(::LoadIcon(NULL, IDI_QUESTION));
  m_label.MoveWindow(10, 50, 100, 60);
  m_label.m_clrBackground = kBack;
  const CRect rcIcon = Box(Read(m_label), CRect(0, 0, 100, 60), kBack, true);
  EXPECT_NEAR(50, rcIcon.CenterPoint().x, 3);
  EXPECT_NEAR(30, rcIcon.CenterPoint().y, 3);
}
