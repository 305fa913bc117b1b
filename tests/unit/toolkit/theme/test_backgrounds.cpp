// Backgrounds of the docking area, control bars, dock bars and tool-bar children in each theme,
// and the two-part gradient.
#include "tests/unit/toolkit/theme/expected_picture.h"
#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "tests/unit/toolkit/theme/theme_probes.h"
#include "tests/unit/toolkit/theme/theme_support.h"

#include <cstdlib>

using pixel_support::DibSurface;

namespace {

const COLORREF kBack = RGB(1, 2, 3);

// The luna blue scheme, so that the Office 2003 gradient colours differ from each other.
const ForcedStyle kBlue = {
    true,
    L"luna.msstyles",
    L"normalcolor",
    7,
    {RGB(99, 151, 233), 0, RGB(21, 66, 139), 0, 0, RGB(61, 149, 255), RGB(168, 202, 245)}};

COLORREF Id(PM* pm, int nId) { return pm->ColorByLogicalId(nId); }

// Gradients may round each channel by a step or two.
::testing::AssertionResult Near(COLORREF got, COLORREF want, int nTolerance = 3) {
  if (std::abs(GetRValue(got) - GetRValue(want)) <= nTolerance &&
      std::abs(GetGValue(got) - GetGValue(want)) <= nTolerance &&
      std::abs(GetBValue(got) - GetBValue(want)) <= nTolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << got << " is not near " << want;
}

// A control bar or dock bar window as the background painters read it.
class FakeBarWnd : public CWnd, public FakeControlBar {
public:
  FakeBarWnd(BarKind eKind, BYTE nOptions)
      : FakeControlBar(eKind, nOptions, false, true, false, true, false) {}
};

class FakeDockBarWnd : public CWnd, public CExtDockBarSite {
public:
  FakeDockBarWnd(bool bOuter, HWND hFrame) : m_bOuter(bOuter), m_hFrame(hFrame) {}
  bool IsOuterDockBar() const override { return m_bOuter; }
  HWND GetParentFrameHwnd() const override { return m_hFrame; }

private:
  bool m_bOuter;
  HWND m_hFrame;
};

class Backgrounds : public ThemeTest {};

// ---------------------------------------------------------------------------------------------
// The docking area's colour over a rectangle.

TEST_F(Backgrounds, ClassicAndXpFillTheDockingAreaOnlyInsideTheClip) {
  for (PM* pmNew : {new PM, (PM*)new CExtPaintManagerXP}) {
    PM* pm = Install(pmNew);
    DibSurface s(40, 30, kBack);
    EXPECT_TRUE(pm->PaintDockerBackgroundRect(true, s.dc(), RECT{0, 0, 40, 30}, RECT{10, 5, 30, 20}));
    ExpectedPicture want(40, 30, kBack);
    EXPECT_EQ(0, want.Fill({10, 5, 30, 20}, Id(pm, 1000)).Compare(s, "docker rectangle"));
  }
}

// A wide docking area ends its gradient after 686 pixels and goes on in the far colour.
TEST_F(Backgrounds, Office2003DockingAreaGradientCoversAtMost686Pixels) {
  PM* pm = Install(new CExtPaintManagerOffice2003, 32, kBlue);
  const COLORREF clrStart = Id(pm, 3001), clrEnd = Id(pm, 3000);
  ASSERT_FALSE(Near(clrStart, clrEnd, 10));
  for (bool bRtl : {false, true}) {
    DibSurface s(1000, 4, kBack);
    if (bRtl)
      ::SetLayout(s.hdc(), LAYOUT_RTL);
    EXPECT_TRUE(pm->PaintDockerBackgroundRect(true, s.dc(), RECT{0, 0, 1000, 4}, RECT{0, 0, 1000, 4}));
    // A mirrored DC starts the gradient at the rectangle's right edge, which the mirror shows at
    // the left: the docking area reads the same on the screen either way.
    EXPECT_TRUE(Near(s.At(0, 2), clrStart)) << "rtl " << bRtl;
    EXPECT_TRUE(Near(s.At(685, 2), clrEnd, 6)) << "rtl " << bRtl;
    for (int x = 686; x < 1000; x += 13)
      EXPECT_EQ(clrEnd, s.At(x, 2)) << "rtl " << bRtl << " x " << x;
  }
}

TEST_F(Backgrounds, Office2003DockingAreaStaysInsideTheClip) {
  PM* pm = Install(new CExtPaintManagerOffice2003, 32, kBlue);
  DibSurface s(100, 10, kBack);
  pm->PaintDockerBackgroundRect(true, s.dc(), RECT{0, 0, 100, 10}, RECT{20, 0, 60, 10});
  EXPECT_EQ(kBack, s.At(19, 5));
  EXPECT_EQ(kBack, s.At(60, 5));
  EXPECT_NE(kBack, s.At(20, 5));
}

// ---------------------------------------------------------------------------------------------
// The docking area behind a window.

TEST_F(Backgrounds, ClassicDockerBackgroundFillsTheWindowUnlessAParentPainted) {
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 200, 100);
  CWnd wnd;
  ASSERT_TRUE(wnd.Attach(MakeTestWindow(hFrame, 10, 10, 30, 20)));
  for (bool bInherited : {false, true}) {
    auto* pm = static_cast<InheritProbe<PM>*>(Install(new InheritProbe<PM>));
    pm->m_bPaint = bInherited;
    DibSurface s(40, 30, kBack);
    EXPECT_TRUE(pm->PaintDockerBackground(true, s.dc(), &wnd));
    ExpectedPicture want(40, 30, kBack);
    if (bInherited)
      want.Fill({0, 0, 40, 30}, kInheritedMark);
    else
      want.Fill({0, 0, 30, 20}, Id(pm, 1000));
    EXPECT_EQ(0, want.Compare(s, "classic docker background")) << bInherited;
    if (!bInherited)
      EXPECT_FALSE(pm->PaintDockerBackground(true, s.dc(), NULL)) << "no window, nothing to fill";
  }
  wnd.DestroyWindow();
  ::DestroyWindow(hFrame);
}

TEST_F(Backgrounds, XpDockerBackgroundIsOnlyTheInheritedOne) {
  for (bool bInherited : {false, true}) {
    auto* pm = static_cast<InheritProbe<CExtPaintManagerXP>*>(Install(new InheritProbe<CExtPaintManagerXP>));
    pm->m_bPaint = bInherited;
    CWnd wnd;
    DibSurface s(40, 30, kBack);
    EXPECT_EQ(bInherited, pm->PaintDockerBackground(true, s.dc(), &wnd));
    EXPECT_EQ(bInherited ? kInheritedMark : kBack, s.At(5, 5));
  }
}

// ---------------------------------------------------------------------------------------------
// Control-bar client areas: tool bars that inherit their background ask their parents first.

struct BarCase {
  const char* pszName;
  bool bXp;
  CExtControlBarSite::BarKind eKind;
  BYTE nOptions;
  bool bParentPaints;
  int nAsked; // how often the parents were asked
  COLORREF (*want)(PM*);
};

const BYTE INHERIT = CExtControlBarSite::OPT_INHERIT_BACKGROUND;

// clang-format off
const BarCase kBarCases[] = {
    {"classic control bar, every parent declining", false, CExtControlBarSite::BAR_CONTROL, 0, false, 0, [](PM* pm) { return Id(pm, 1000); }},
    {"classic control bar never asks", false, CExtControlBarSite::BAR_CONTROL, INHERIT, true, 0, [](PM* pm) { return Id(pm, 1000); }},
    {"classic inheriting tool bar", false, CExtControlBarSite::BAR_TOOL, INHERIT, true, 1, [](PM*) { return kInheritedMark; }},
    {"xp inheriting menu bar, parents declining", true, CExtControlBarSite::BAR_MENU, INHERIT, false, 1, [](PM* pm) { return Id(pm, 1000); }},
    {"xp tool bar without the option", true, CExtControlBarSite::BAR_TOOL, 0, true, 0, [](PM* pm) { return Id(pm, 1000); }},
};
// clang-format on

template <class Theme> void PaintBar(const BarCase& c, bool bHideRect) {
  auto* pm = static_cast<InheritProbe<Theme>*>(g_PaintManagerHolder.GetPM());
  pm->m_bPaint = c.bParentPaints;
  FakeBarWnd bar(c.eKind, c.nOptions);
  DibSurface s(40, 30, kBack);
  if (bHideRect)
    s.dc().ExcludeClipRect(0, 0, 40, 30);
  pm->PaintControlBarClientArea(s.dc(), RECT{5, 5, 35, 25}, &bar);
  s.dc().SelectClipRgn(NULL);
  ExpectedPicture want(40, 30, kBack);
  // The stand-in parent paints the whole surface.
  if (!bHideRect)
    want.Fill(c.want(pm) == kInheritedMark ? RECT{0, 0, 40, 30} : RECT{5, 5, 35, 25}, c.want(pm));
  EXPECT_EQ(0, want.Compare(s, c.pszName));
  EXPECT_EQ(bHideRect ? 0 : c.nAsked, pm->m_nCalls) << c.pszName;
}

class ControlBarAreas : public ThemeTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ControlBarAreas, FillWithTheDockerFaceUnlessInherited) {
  const BarCase& c = GetParam();
  for (bool bHide : {false, true}) {
    if (c.bXp) {
      Install(new InheritProbe<CExtPaintManagerXP>);
      PaintBar<CExtPaintManagerXP>(c, bHide);
    } else {
      Install(new InheritProbe<PM>);
      PaintBar<PM>(c, bHide);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Themes, ControlBarAreas, ::testing::ValuesIn(kBarCases));

// ---------------------------------------------------------------------------------------------
// Dock bars.

TEST_F(Backgrounds, ClassicAndXpDockBarsFillTheFaceUnlessInherited) {
  for (bool bInherited : {false, true}) {
    auto* pm = static_cast<InheritProbe<CExtPaintManagerXP>*>(Install(new InheritProbe<CExtPaintManagerXP>));
    pm->m_bPaint = bInherited;
    FakeDockBarWnd dock(true, NULL);
    DibSurface s(40, 30, kBack);
    pm->PaintDockBarClientArea(s.dc(), RECT{0, 0, 40, 10}, &dock);
    EXPECT_EQ(bInherited ? kInheritedMark : Id(pm, COLOR_3DFACE), s.At(20, 5));
    EXPECT_EQ(bInherited ? kInheritedMark : kBack, s.At(20, 15));
    pm->PaintDockBarClientArea(s.dc(), RECT{0, 20, 0, 30}, &dock);
    EXPECT_EQ(1, pm->m_nCalls) << "an empty rectangle asks nobody";
  }
}

// The frame's outer dock bars share one gradient laid over the frame's client area.
TEST_F(Backgrounds, Office2003OuterDockBarsShareTheFramesGradient) {
  PM* pm = Install(new CExtPaintManagerOffice2003, 32, kBlue);
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 800, 400);
  FakeDockBarWnd top(true, hFrame), left(true, hFrame);
  ASSERT_TRUE(top.Attach(MakeTestWindow(hFrame, 0, 0, 800, 24)));
  ASSERT_TRUE(left.Attach(MakeTestWindow(hFrame, 0, 24, 30, 300)));
  RECT rcFrame;
  ::GetClientRect(hFrame, &rcFrame);
  ASSERT_GT(rcFrame.right, 700);
  DibSurface sTop(800, 24, kBack), sLeft(30, 300, kBack);
  pm->PaintDockBarClientArea(sTop.dc(), RECT{0, 0, 800, 24}, &top);
  pm->PaintDockBarClientArea(sLeft.dc(), RECT{0, 0, 30, 300}, &left);
  for (int x : {0, 10, 29})
    EXPECT_EQ(sTop.At(x, 10), sLeft.At(x, 150)) << x;
  EXPECT_TRUE(Near(sTop.At(0, 10), Id(pm, 3001)));
  EXPECT_EQ(Id(pm, 3000), sTop.At(rcFrame.right - 1, 10));
  top.DestroyWindow();
  left.DestroyWindow();
  ::DestroyWindow(hFrame);
}

TEST_F(Backgrounds, Office2003DockBarOfAnEmptyFramePaintsNothing) {
  PM* pm = Install(new CExtPaintManagerOffice2003, 32, kBlue);
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 0, 0);
  FakeDockBarWnd dock(true, hFrame);
  ASSERT_TRUE(dock.Attach(MakeTestWindow(hFrame, 0, 0, 40, 20)));
  DibSurface s(40, 20, kBack);
  pm->PaintDockBarClientArea(s.dc(), RECT{0, 0, 40, 20}, &dock);
  ExpectedPicture want(40, 20, kBack);
  EXPECT_EQ(0, want.Compare(s, "empty frame"));
  dock.DestroyWindow();
  ::DestroyWindow(hFrame);
}

TEST_F(Backgrounds, Office2003InnerDockBarsAndPaletteScreensKeepTheFace) {
  for (int nCase = 0; nCase < 2; ++nCase) {
    const bool bPalette = nCase == 1;
    PM* pm = Install(new CExtPaintManagerOffice2003, bPalette ? 8 : 32, kBlue);
    HWND hFrame = MakeTestWindow(NULL, 0, 0, 200, 100);
    FakeDockBarWnd dock(bPalette, hFrame);
    ASSERT_TRUE(dock.Attach(MakeTestWindow(hFrame, 0, 0, 40, 20)));
    DibSurface s(40, 20, kBack);
    pm->PaintDockBarClientArea(s.dc(), RECT{0, 0, 40, 20}, &dock);
    EXPECT_EQ(Id(pm, COLOR_3DFACE), s.At(20, 10)) << nCase;
    dock.DestroyWindow();
    ::DestroyWindow(hFrame);
  }
}

// ---------------------------------------------------------------------------------------------
// Tool-bar children and the two-part gradient.

TEST_F(Backgrounds, ToolBarChildBackgroundIsAnOffice2003GradientOnly) {
  for (PM* pmNew : {new PM, (PM*)new CExtPaintManagerXP, (PM*)new CExtPaintManagerOffice2003}) {
    const bool bOffice = pmNew->GetThemeId() == PM::ThemeOffice2003;
    PM* pm = Install(pmNew, 32, kBlue);
    DibSurface s(20, 100, kBack);
    pm->PaintToolBarChildBackground(s.dc(), NULL, 0, RECT{0, 0, 20, 100});
    if (!bOffice) {
      EXPECT_EQ(0, ExpectedPicture(20, 100, kBack).Compare(s, "no child background"));
      continue;
    }
    EXPECT_TRUE(Near(s.At(10, 0), Id(pm, 3010)));
    EXPECT_TRUE(Near(s.At(10, 99), Id(pm, 3017)));
  }
}

TEST_F(Backgrounds, TwoPartGradientMeetsItsMiddleColourAtTheSplit) {
  Install(new PM);
  g_PaintManagerHolder.TestDisableGradientFill(true);
  const COLORREF c1 = RGB(200, 0, 0), c2 = RGB(0, 200, 0), c3 = RGB(0, 0, 200);
  DibSurface sH(100, 4, kBack), sV(4, 100, kBack);
  PM::PaintGradientRect2Stage(sH.dc(), RECT{0, 0, 100, 4}, c1, c2, c3, false, 2, 5);
  PM::PaintGradientRect2Stage(sV.dc(), RECT{0, 0, 4, 100}, c1, c2, c3, true, 2, 5);
  EXPECT_EQ(c1, sH.At(0, 1));
  EXPECT_EQ(c2, sH.At(40, 1));
  EXPECT_TRUE(Near(sH.At(39, 1), c2, 8));
  EXPECT_TRUE(Near(sH.At(99, 1), c3, 5));
  EXPECT_TRUE(Near(sV.At(1, 0), c1, 8));
  EXPECT_EQ(c2, sV.At(1, 39));
  EXPECT_TRUE(Near(sV.At(1, 40), c2, 8));
  EXPECT_EQ(c3, sV.At(1, 99));
}

} // namespace
