// Text buttons, caption bars, grip boxes and docking captions of each theme, read back pixel by
// pixel from 32-bit DIB surfaces.
#include "tests/unit/toolkit/theme/theme_fakes.h"

namespace {

const int kCx = 80, kCy = 24;

// The nine dots of the grip box in a rectangle: dark 2 x 2 squares with a light one under each,
// one pixel right and down.
Layers GripDots(const RECT& rc, int nOffsetY) {
  const int x0 = rc.left + (rc.right - rc.left - 36) / 2,
            y0 = rc.top + (rc.bottom - rc.top - 3) / 2 + 1 + nOffsetY;
  Layers dots;
  for (int x = 0; x < 36; x += 4) {
    dots.push_back({{x0 + x + 1, y0 + 1, x0 + x + 3, y0 + 3}, COLOR_WINDOW});
    dots.push_back({{x0 + x, y0, x0 + x + 2, y0 + 2}, COLOR_3DDKSHADOW});
  }
  return dots;
}

typedef void (*Painter)(PM* pm, CDC& dc, const RECT& rc);
// clang-format off
enum SimpleOp { FRAME, WINDOW_FILL, GLYPH_BOX, STRIP_GRIP, STRIP_PLAIN, CAPTION_BAR, TEXT_RAISED, SHADOWED, GLYPH };
const Painter kOps[] = {
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintFrameBorder(dc, rc); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->FillWindowColor(dc, rc, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintCenteredGlyphBox(dc, rc, 0); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintButtonStrip(dc, rc, true); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintButtonStrip(dc, rc, false); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintCaptionBar(dc, rc, ""); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintTextButton(dc, rc, "", 0, false, false, true); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintShadowedIconTitleText(dc, rc, ""); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintTextColorGlyph(dc, rc, GetNamedGlyph(NG_CHEVRON_8X5)); },
};
// Painters of other families that must leave an empty rectangle alone too.
const Painter kOthers[] = {
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintDividerLine(dc, rc, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintMenuSeparator(dc, rc, 0, false, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintResizingGripper(dc, rc, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintDatePickerBorder(dc, rc, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintDatePickerSeparator(dc, rc, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { MenuItemPaintData d(NULL, rc, rc, 24, "Item", "Ctrl+I", NULL, false, true, true, false, false, true, true, true, true, 0, NULL); pm->PaintMenuItem(dc, d); },
    [](PM* pm, CDC& dc, const RECT& rc) { PushButtonPaintData d(NULL, true, rc, "Go", NULL, false, true, true, false, true, false, false, false, 0); pm->PaintPushButton(dc, d); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintMenuBorder(dc, rc, NULL); },
    [](PM* pm, CDC& dc, const RECT& rc) { pm->PaintMenuCombinedJoint(dc, rc, rc, 1, NULL); },
};
// clang-format on

const RECT kRc = {2, 3, 62, 15};
const RECT kCap = {0, 0, 60, 16};
const RECT kCapIn = {1, 1, 59, 15};

// A caption whose text has no room: only its background shows.
DockingCaptionPaintData Caption(CObject* pSource, const RECT& rc, bool bActive, bool bFloating,
                                bool bVertical, bool bCaptionBar) {
  return DockingCaptionPaintData(pSource, rc, RECT{rc.left, rc.top, rc.left, rc.bottom}, bActive, bFloating,
                                 bVertical, bCaptionBar, "Caption", false);
}

// One operation of the family on kRc.
std::function<void(PM*, CDC&)> Op(SimpleOp op) {
  return [op](PM* pm, CDC& dc) { kOps[op](pm, dc, kRc); };
}
// A control bar's caption without text, at 8 bits per pixel where no theme draws a gradient.
std::function<void(PM*, CDC&)> Cap(bool bActive, bool bFloating, bool bCaptionBar) {
  return [=](PM* pm, CDC& dc) {
    FakeBar bar(CExtControlBarSite::BAR_CONTROL);
    DockingCaptionPaintData d = Caption(&bar, kCap, bActive, bFloating, false, bCaptionBar);
    pm->PaintDockingCaption(dc, d);
  };
}

// A classic gripper: a caption without source or bar.
std::function<void(PM*, CDC&)> Grip(bool bVertical) {
  return [=](PM* pm, CDC& dc) {
    DockingCaptionPaintData d = Caption(NULL, RECT{0, 0, 40, 14}, false, false, bVertical, false);
    pm->PaintDockingCaption(dc, d);
  };
}

// clang-format off
const PictureCase kPictureCases[] = {
    {"classic frame border: shadow top-left, window colour bottom-right", CLASSIC, 32, Op(FRAME), NULL, Ring3d(kRc, COLOR_3DSHADOW, COLOR_WINDOW)},
    {"XP frame border: one shadow pixel along every edge", XP, 32, Op(FRAME), NULL, Ring3d(kRc, COLOR_3DSHADOW, COLOR_3DSHADOW)},
    {"Office 2003 frame border in its scheme colour", OFFICE2003, 32, Op(FRAME), NULL, Ring3d(kRc, 3027, 3027)},
    {"window fill", XP, 32, Op(WINDOW_FILL), NULL, {{kRc, COLOR_WINDOW}}},
    {"grip box: nine dots centred", CLASSIC, 32, Op(GLYPH_BOX), NULL, GripDots(kRc, 0)},
    {"classic button strip with its grip", CLASSIC, 32, Op(STRIP_GRIP), NULL,
     Layers{{kRc, 1000}, {{2, 3, 62, 4}, COLOR_3DSHADOW}, {{2, 4, 62, 5}, COLOR_WINDOW}, {{2, 4, 3, 15}, COLOR_WINDOW}} + GripDots(kRc, 0)},
    {"Office 2003 strip on a palette screen shows the grip anyway", OFFICE2003, 8, Op(STRIP_PLAIN), NULL,
     Layers{{kRc, 1000}, {{2, 3, 62, 4}, COLOR_3DSHADOW}, {{2, 4, 62, 5}, COLOR_WINDOW}, {{2, 4, 3, 15}, COLOR_WINDOW}} + GripDots(kRc, 0)},
    {"classic caption bar: face and a shadow row at the bottom", CLASSIC, 32, Op(CAPTION_BAR), NULL, {{kRc, COLOR_3DFACE}, {{2, 14, 62, 15}, COLOR_3DSHADOW}}},
    {"Office 2003 caption bar on a palette screen", OFFICE2003, 8, Op(CAPTION_BAR), NULL,
     {{kRc, COLOR_3DSHADOW}, {{2, 14, 62, 15}, 3027}, {{2, 3, 62, 4}, 3031}}},
    {"classic raised text button", CLASSIC, 32, Op(TEXT_RAISED), NULL, Layers{{kRc, COLOR_3DSHADOW}} + Ring3d(kRc, COLOR_WINDOW, COLOR_3DDKSHADOW)},
    {"XP shadowed title: a shadow fill under the text", XP, 8, Op(SHADOWED), NULL, {{kRc, COLOR_3DSHADOW}}},
    {"Office 2003 shadowed title without a luna scheme", OFFICE2003, 32, Op(SHADOWED), NULL, {{kRc, COLOR_3DSHADOW}}},
    {"classic inactive docked caption: first inactive colour, a pixel in", CLASSIC, 8, Cap(false, false, true), NULL, {{kCapIn, COLOR_INACTIVECAPTION}}},
    {"classic active docked caption", CLASSIC, 8, Cap(true, false, true), NULL, {{kCapIn, COLOR_ACTIVECAPTION}}},
    {"classic floating frame caption bar fills the whole area", CLASSIC, 8, Cap(false, true, true), NULL, {{kCap, COLOR_ACTIVECAPTION}}},
    {"classic floating frame caption without a bar: highlight", CLASSIC, 8, Cap(false, true, false), NULL, {{kCap, COLOR_HIGHLIGHT}}},
    {"XP inactive docked caption: face with a shadow frame", XP, 8, Cap(false, false, true), NULL, Layers{{kCapIn, 2000}} + Ring3d(kCapIn, COLOR_3DSHADOW, COLOR_3DSHADOW)},
    {"XP active docked caption: highlight", XP, 8, Cap(true, false, true), NULL, {{kCapIn, COLOR_HIGHLIGHT}}},
    {"XP floating frame caption: shadow", XP, 8, Cap(false, true, false), NULL, {{kCap, COLOR_3DSHADOW}}},
    {"Office 2003 caption on a palette screen takes the XP body", OFFICE2003, 8, Cap(true, false, true), NULL, {{kCapIn, COLOR_HIGHLIGHT}}},
    {"classic gripper: two raised bars that touch", CLASSIC, 32, Grip(false), NULL, Ring3d(RECT{1, 4, 40, 7}, 1004, 1006) + Ring3d(RECT{1, 7, 40, 10}, 1004, 1006)},
    {"classic vertical gripper", CLASSIC, 32, Grip(true), NULL, Ring3d(RECT{4, 1, 7, 14}, 1004, 1006) + Ring3d(RECT{7, 1, 10, 14}, 1004, 1006)},
};
// clang-format on

class TextButtonPictures : public PictureTest {};
TEST_P(TextButtonPictures, LeaveExactlyTheirPicture) { Run(kCx, kCy); }
INSTANTIATE_TEST_SUITE_P(Themes, TextButtonPictures, ::testing::ValuesIn(kPictureCases));

// Every operation of the family paints nothing where the DC cannot show its rectangle; they and
// others paint nothing for an empty rectangle and leave the DC's colour and mode as they were.
TEST_F(ThemeTest, OperationsSkipInvisibleAndEmptyRectangles) {
  for (Theme t : {CLASSIC, XP, OFFICE2003}) {
    PM* pm = Install(t);
    for (Painter paint : kOps) {
      DibSurface s(kCx, kCy, kBack);
      s.dc().IntersectClipRect(70, 0, 80, 24);
      s.dc().ExcludeClipRect(70, 0, 80, 24);
      paint(pm, s.dc(), RECT{4, 2, 60, 20});
      s.dc().SelectClipRgn(NULL);
      EXPECT_EQ(kCx * kCy, CountColor(s, RECT{0, 0, kCx, kCy}, kBack)) << ThemeName(t) << " op " << paint;
    }
    for (const auto& ops : {std::vector<Painter>(std::begin(kOps), std::end(kOps)),
                            std::vector<Painter>(std::begin(kOthers), std::end(kOthers))})
      for (Painter paint : ops)
        for (const RECT& rc : {RECT{5, 5, 5, 15}, RECT{5, 5, 25, 5}}) {
          DibSurface s(kCx, kCy, kBack);
          ::SetTextColor(s.hdc(), RGB(9, 8, 7));
          ::SetBkMode(s.hdc(), OPAQUE);
          paint(pm, s.dc(), rc);
          const int nOp = int(std::find(ops.begin(), ops.end(), paint) - ops.begin());
          EXPECT_EQ(kCx * kCy, CountColor(s, RECT{0, 0, kCx, kCy}, kBack)) << ThemeName(t) << " op " << nOp;
          EXPECT_EQ(RGB(9, 8, 7), ::GetTextColor(s.hdc())) << ThemeName(t) << " op " << nOp;
          EXPECT_EQ(OPAQUE, ::GetBkMode(s.hdc())) << ThemeName(t) << " op " << nOp;
        }
  }
}

// ---------------------------------------------------------------------------------------------
// Docking captions.

TEST_F(ThemeTest, TransparentCaptionLeavesTheBackground) {
  FakeBar bar(CExtControlBarSite::BAR_CONTROL);
  for (Theme t : {CLASSIC, XP, OFFICE2003}) {
    PM* pm = Install(t);
    DibSurface s(kCx, kCy, kBack);
    DockingCaptionPaintData d = Caption(&bar, kCap, true, true, false, true);
    d.transparentCaption = 1;
    pm->PaintDockingCaption(s.dc(), d);
    EXPECT_EQ(kCx * kCy, CountColor(s, RECT{0, 0, kCx, kCy}, kBack)) << ThemeName(t);
  }
}

// A floating tool bar's caption is cut to fit its frame; any other ends in an ellipsis.
TEST_F(ThemeTest, FixedModeMiniFrameCutsItsCaptionToFit) {
  PM* pm = Install(XP, 8);
  FakeCaptionSource toolFrame(CExtCaptionSourceSite::SOURCE_MINI_FRAME, true);
  FakeCaptionSource panelFrame(CExtCaptionSourceSite::SOURCE_MINI_FRAME, false);
  const RECT rcText = {4, 0, 44, 16};
  const COLORREF clrBack = Id(pm, COLOR_3DSHADOW);
  DibSurface cut(kCx, kCy, kBack), ellipsis(kCx, kCy, kBack);
  DockingCaptionPaintData d1(&toolFrame, kCap, rcText, false, true, false, false, "Formatting Toolbar",
                             false);
  DockingCaptionPaintData d2(&panelFrame, kCap, rcText, false, true, false, false, "Formatting Toolbar",
                             false);
  pm->PaintDockingCaption(cut.dc(), d1);
  pm->PaintDockingCaption(ellipsis.dc(), d2);
  const RECT rcRight = {rcText.right, 0, kCap.right, kCap.bottom};
  EXPECT_EQ(16 * 16, CountColor(cut, rcRight, clrBack)) << "no ink past the text rectangle";
  EXPECT_NE(cut.Pixels(), ellipsis.Pixels());
}

TEST_F(ThemeTest, Office2003GripperIsAColumnOfDots) {
  PM* pm = Install(OFFICE2003);
  FakeBar toolBar(CExtControlBarSite::BAR_TOOL);
  DibSurface s(kCx, kCy + 10, kBack);
  DockingCaptionPaintData d = Caption(&toolBar, RECT{0, 0, 10, 30}, false, false, true, false);
  pm->PaintDockingCaption(s.dc(), d);
  // 22 pixels between the margins hold five dots, centred on the gripper.
  const COLORREF clrDark = Id(pm, 3003), clrLight = Id(pm, 3002);
  for (int i = 0; i < 5; ++i) {
    const int y = 6 + 4 * i;
    EXPECT_EQ(clrDark, s.At(3, y)) << "dot " << i;
    EXPECT_EQ(clrDark, s.At(4, y + 1)) << "dot " << i;
    EXPECT_EQ(clrLight, s.At(5, y + 2)) << "dot " << i;
  }
  EXPECT_EQ(5 * 3, CountColor(s, RECT{0, 0, 10, 30}, clrLight));
  EXPECT_EQ(kBack, s.At(10, 10)) << "nothing beyond the gripper";
}

// The Office 2003 bar caption lays its gradient and leaves the XP body only the text to draw.
TEST_F(ThemeTest, Office2003BarCaptionIsAGradient) {
  PM* pm = Install(OFFICE2003);
  FakeBar bar(CExtControlBarSite::BAR_CONTROL);
  DibSurface s(kCx, kCy, kBack);
  DockingCaptionPaintData d = Caption(&bar, kCap, true, false, false, true);
  pm->PaintDockingCaption(s.dc(), d);
  EXPECT_TRUE(d.transparentCaption);
  EXPECT_EQ(Id(pm, 3000), s.At(1, 8));
  EXPECT_NE(Id(pm, 3000), s.At(57, 8));
}

// The XP grip lays lines every second row over the gripper's face with "destination AND
// pattern"; a tool bar that inherits its background keeps the area it had.
TEST_F(ThemeTest, XpGripperAndsItsLinePatternOverTheFace) {
  PM* pm = Install(XP);
  FakeBar plain(CExtControlBarSite::BAR_TOOL),
      inheriting(CExtControlBarSite::BAR_TOOL, false, CExtControlBarSite::OPT_INHERIT_BACKGROUND);
  const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE), clrShadow = ::GetSysColor(COLOR_3DSHADOW);
  auto mix = [](int s, int f) { return (2 * s + f) / 3; };
  const COLORREF clrLine =
      RGB(mix(GetRValue(clrShadow), GetRValue(clrFace)), mix(GetGValue(clrShadow), GetGValue(clrFace)),
          mix(GetBValue(clrShadow), GetBValue(clrFace)));
  for (FakeBar* pBar : {&plain, &inheriting}) {
    DibSurface s(kCx, kCy + 20, kBack);
    DockingCaptionPaintData d = Caption(pBar, RECT{0, 0, 14, 40}, false, false, true, false);
    pm->PaintDockingCaption(s.dc(), d);
    const COLORREF clrUnder = pBar == &plain ? Id(pm, 1000) : kBack;
    EXPECT_EQ(clrUnder, s.At(2, 20));
    for (int y = 2; y < 38; ++y)
      for (int x = 5; x < 9; ++x)
        ASSERT_EQ(clrUnder & ((y - 2) % 2 != 0 ? clrLine : clrFace), s.At(x, y)) << x << "," << y;
    EXPECT_EQ(clrUnder, s.At(5, 38));
  }
}

} // namespace
