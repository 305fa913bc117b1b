// Tab-window backgrounds and buttons, the docking area's background and the backgrounds of
// control bars, dock bars and tool-bar children in each theme.
#include "tests/unit/toolkit/theme/theme_fakes.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"

namespace {

const RECT kClient = {0, 0, 60, 40}, G = {10, 10, 30, 26};
// The tab area and its line for tabs at the top, bottom, left and right.
const RECT kTabAreas[4] = {{0, 0, 60, 10}, {0, 30, 60, 40}, {0, 0, 10, 40}, {50, 0, 60, 40}};
const RECT kTabLines[4] = {{0, 0, 60, 1}, {0, 39, 60, 40}, {0, 0, 1, 40}, {59, 0, 60, 40}};

void Tabs(PM* pm, CDC& dc, int nOrientation, bool bNoTabArea) {
  pm->PaintTabWndBackground(dc, kClient, kClient, kTabAreas[nOrientation], nOrientation, bNoTabArea, NULL);
}
void TabPicture(ExpectedPicture& p, PM* pm, int nOrientation, int nFill, int nArea, int nLine) {
  p.Fill(kClient, Id(pm, nFill)).Fill(kTabAreas[nOrientation], Id(pm, nArea));
  p.Fill(kTabLines[nOrientation], Id(pm, nLine));
}
void Button(PM* pm, CDC& dc, int nCode, bool bVertical, bool bEnabled, bool bHover, bool bPushed) {
  pm->PaintTabButton(dc, G, nCode, bVertical, bEnabled, bHover, bPushed, false, NULL);
}

// clang-format off
const PictureCase kPictures[] = {
    // Tab-window backgrounds.
    {"classic tabs at the top", CLASSIC, 32, [](PM* pm, CDC& dc) { Tabs(pm, dc, 0, false); }, [](ExpectedPicture& p, PM* pm) { TabPicture(p, pm, 0, 16, 15, 20); }},
    {"classic tabs at the bottom: the bottom row in dark shadow", CLASSIC, 32, [](PM* pm, CDC& dc) { Tabs(pm, dc, 1, false); }, [](ExpectedPicture& p, PM* pm) { TabPicture(p, pm, 1, 16, 15, 21); }},
    {"classic without tab area", CLASSIC, 32, [](PM* pm, CDC& dc) { Tabs(pm, dc, 2, true); }, [](ExpectedPicture& p, PM* pm) { p.Fill(kClient, Id(pm, 15)); }},
    {"xp tabs at the left", XP, 32, [](PM* pm, CDC& dc) { Tabs(pm, dc, 2, false); }, [](ExpectedPicture& p, PM* pm) { TabPicture(p, pm, 2, 2001, 2000, 20); }},
    {"office 2003 without a tab window, tabs at the right of a palette screen", OFFICE2003, 8, [](PM* pm, CDC& dc) { Tabs(pm, dc, 3, false); },
     [](ExpectedPicture& p, PM* pm) { TabPicture(p, pm, 3, 2000, 2000, 16); }},
    // Tab buttons: the code's glyph in the state's ink, framed when hot or pressed.
    {"end, vertical", CLASSIC, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -10, true, true, false, false); }, [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 52, Id(pm, 18)); }},
    {"home, hot", XP, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -9, false, true, true, false); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 49, Id(pm, 18)).Ring(G, Id(pm, 20), Id(pm, 21)); }},
    {"list, pushed", OFFICE2003, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -8, true, true, true, true); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 45, Id(pm, 18)).Ring(G, Id(pm, 21), Id(pm, 20)); }},
    {"close and help", CLASSIC, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -7, false, true, false, false); Button(pm, dc, -6, false, true, false, false); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 1, Id(pm, 18)).Glyph(G, 9, Id(pm, 18)); }},
    {"disabled scroll forward, vertical", XP, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -5, true, false, false, false); }, [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 20, Id(pm, 16)); }},
    {"scroll forward", XP, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -5, false, true, false, false); }, [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 3, Id(pm, 18)); }},
    {"disabled scroll back shows glyph 17 and no frame", CLASSIC, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -4, false, false, true, true); },
     [](ExpectedPicture& p, PM* pm) { p.Glyph(G, 17, Id(pm, 16)); }},
    {"unknown code, hot: the frame alone", CLASSIC, 32, [](PM* pm, CDC& dc) { Button(pm, dc, -3, false, true, true, false); },
     [](ExpectedPicture& p, PM* pm) { p.Ring(G, Id(pm, 20), Id(pm, 21)); }},
    {"cornerless frame", CLASSIC, 32, [](PM*, CDC& dc) { PM::PaintCornerlessFrame(dc, 10, 10, 8, 6, RGB(255, 0, 0), RGB(0, 0, 255)); },
     [](ExpectedPicture& p, PM*) { p.Fill({11, 10, 17, 11}, RGB(255, 0, 0)).Fill({10, 11, 11, 15}, RGB(255, 0, 0)).Fill({17, 11, 18, 15}, RGB(0, 0, 255)).Fill({11, 15, 17, 16}, RGB(0, 0, 255)); }},
    // Backgrounds.
    {"classic docking area stays inside the clip", CLASSIC, 32, [](PM* pm, CDC& dc) { EXPECT_TRUE(pm->PaintDockerBackgroundRect(true, dc, kClient, G)); },
     [](ExpectedPicture& p, PM* pm) { p.Fill(G, Id(pm, 1000)); }},
    {"classic control bar, every parent declining", CLASSIC, 32, [](PM* pm, CDC& dc) { pm->PaintControlBarClientArea(dc, G, NULL); }, [](ExpectedPicture& p, PM* pm) { p.Fill(G, Id(pm, 1000)); }},
    {"xp dock bar", XP, 32, [](PM* pm, CDC& dc) { pm->PaintDockBarClientArea(dc, G, NULL); }, [](ExpectedPicture& p, PM* pm) { p.Fill(G, Id(pm, 15)); }},
    {"xp dock bar outside the clip", XP, 32, [](PM* pm, CDC& dc) { CExtDcSaveGuard g(dc); dc.ExcludeClipRect(&G); pm->PaintDockBarClientArea(dc, G, NULL); }, [](ExpectedPicture&, PM*) {}},
    {"xp tool-bar child has no background", XP, 32, [](PM* pm, CDC& dc) { pm->PaintToolBarChildBackground(dc, NULL, 0, G); }, [](ExpectedPicture&, PM*) {}},
};
// clang-format on

class Backgrounds : public PictureTest {};
TEST_P(Backgrounds, LeaveExactlyTheirPicture) { Run(); }
INSTANTIATE_TEST_SUITE_P(Themes, Backgrounds, ::testing::ValuesIn(kPictures));

// Tab windows of the docking area show its background, then their tab area and line.
TEST_F(Backgrounds, Office2003DockingTabWindowsShowTheDockingArea) {
  const struct {
    CExtTabWndSite::TabWndKind eKind;
    BYTE nOptions; // 1: the option bit, 2: the tab window's own wish
    int nBits;
    bool bDocker;
  } cases[] = {{CExtTabWndSite::TAB_PLAIN, 1, 32, true},
               {CExtTabWndSite::TAB_PLAIN, 2, 32, true},
               {CExtTabWndSite::TAB_AUTO_HIDE_STRIP, 0, 32, true},
               {CExtTabWndSite::TAB_PLAIN, 0, 32, false},
               {CExtTabWndSite::TAB_DYNAMIC, 0, 8, false}};
  for (const auto& c : cases) {
    PM* pmXp = Install(new CExtPaintManagerXP, c.nBits);
    DibSurface sXp(60, 40, kBack), s(60, 40, kBack);
    Tabs(pmXp, sXp.dc(), 1, false);
    auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe, c.nBits));
    FakeTabWnd tab(0, c.eKind, c.nOptions);
    pm->PaintTabWndBackground(s.dc(), kClient, kClient, kTabAreas[1], 1, false, &tab);
    ExpectedPicture want(60, 40, kDockerMark);
    want.Fill(kTabAreas[1], Id(pm, 1000)).Fill(kTabLines[1], Id(pm, COLOR_3DSHADOW));
    if (c.bDocker)
      EXPECT_EQ(0, want.Compare(s, "docking tab window"));
    else
      EXPECT_TRUE(sXp.Pixels() == s.Pixels()) << c.eKind << c.nOptions << c.nBits;
  }
}

// When no docking-area background answers, the gradient is laid over the frame's client area,
// so tab windows side by side continue one gradient.
TEST_F(Backgrounds, Office2003TabWindowsContinueTheFramesGradient) {
  auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe, 32, kLunaBlue));
  pm->m_bDecline = true;
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 600, 100);
  FakeTabWnd tabA(0, CExtTabWndSite::TAB_DYNAMIC, 0, hFrame), tabB(0, CExtTabWndSite::TAB_DYNAMIC, 0, hFrame);
  ASSERT_TRUE(tabA.Attach(MakeTestWindow(hFrame, 0, 0, 300, 40)));
  ASSERT_TRUE(tabB.Attach(MakeTestWindow(hFrame, 100, 50, 300, 40)));
  const RECT rc = {0, 0, 300, 40};
  DibSurface sA(300, 40, kBack), sB(300, 40, kBack);
  pm->PaintTabWndBackground(sA.dc(), rc, rc, rc, 0, true, &tabA);
  pm->PaintTabWndBackground(sB.dc(), rc, rc, rc, 0, true, &tabB);
  for (int x : {0, 50, 199})
    EXPECT_EQ(sA.At(x + 100, 20), sB.At(x, 20)) << x;
  EXPECT_NE(sA.At(0, 20), sB.At(0, 20));
  tabA.DestroyWindow();
  tabB.DestroyWindow();
  ::DestroyWindow(hFrame);
}

// A wide docking area ends its gradient after 686 pixels and goes on in the far colour. A
// mirrored DC starts the gradient at the rectangle's right edge, which the mirror shows at the
// left: the docking area reads the same on the screen either way.
TEST_F(Backgrounds, Office2003DockingAreaGradientCoversAtMost686Pixels) {
  PM* pm = Install(OFFICE2003, 32, kLunaBlue);
  const COLORREF clrStart = Id(pm, 3001), clrEnd = Id(pm, 3000);
  ASSERT_FALSE(Near(clrStart, clrEnd, 10));
  for (bool bRtl : {false, true}) {
    DibSurface s(1000, 4, kBack);
    if (bRtl)
      ::SetLayout(s.hdc(), LAYOUT_RTL);
    EXPECT_TRUE(pm->PaintDockerBackgroundRect(true, s.dc(), RECT{0, 0, 1000, 4}, RECT{0, 0, 1000, 4}));
    EXPECT_TRUE(Near(s.At(0, 2), clrStart)) << bRtl;
    EXPECT_TRUE(Near(s.At(685, 2), clrEnd, 6)) << bRtl;
    for (int x = 686; x < 1000; x += 13)
      EXPECT_EQ(clrEnd, s.At(x, 2)) << bRtl << " x " << x;
  }
}

TEST_F(Backgrounds, DockerBackgroundOfAWindowTriesTheParentsFirst) {
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 200, 100);
  CWnd wnd;
  ASSERT_TRUE(wnd.Attach(MakeTestWindow(hFrame, 10, 10, 30, 20)));
  for (bool bInherited : {false, true}) {
    auto* pm = static_cast<InheritProbe<PM>*>(Install(new InheritProbe<PM>));
    pm->m_bPaint = bInherited;
    DibSurface s(40, 30, kBack);
    EXPECT_TRUE(pm->PaintDockerBackground(true, s.dc(), &wnd));
    ExpectedPicture want(40, 30, kBack);
    want.Fill(bInherited ? RECT{0, 0, 40, 30} : RECT{0, 0, 30, 20},
              bInherited ? kInheritedMark : Id(pm, 1000));
    EXPECT_EQ(0, want.Compare(s, "classic docker background")) << bInherited;
    EXPECT_EQ(bInherited, pm->PaintDockerBackground(true, s.dc(), NULL)) << "no window: nothing to fill";
    auto* pmXp =
        static_cast<InheritProbe<CExtPaintManagerXP>*>(Install(new InheritProbe<CExtPaintManagerXP>));
    pmXp->m_bPaint = bInherited;
    DibSurface sXp(40, 30, kBack);
    EXPECT_EQ(bInherited, pmXp->PaintDockerBackground(true, sXp.dc(), &wnd)) << "xp: the parents' answer";
    EXPECT_EQ(bInherited ? kInheritedMark : kBack, sXp.At(5, 5));
  }
  wnd.DestroyWindow();
  ::DestroyWindow(hFrame);
}

// Only tool bars that inherit their background ask their parents; dock bars always do.
TEST_F(Backgrounds, BarsAskTheirParentsAsTheirKindSays) {
  const BYTE INHERIT = CExtControlBarSite::OPT_INHERIT_BACKGROUND;
  const struct {
    CExtControlBarSite::BarKind eKind;
    BYTE nOptions;
    int nAsked;
  } cases[] = {{CExtControlBarSite::BAR_CONTROL, INHERIT, 0},
               {CExtControlBarSite::BAR_TOOL, 0, 0},
               {CExtControlBarSite::BAR_MENU, INHERIT, 1}};
  for (const auto& c : cases) {
    auto* pm = static_cast<InheritProbe<CExtPaintManagerXP>*>(Install(new InheritProbe<CExtPaintManagerXP>));
    pm->m_bPaint = true;
    FakeBarOf<CWnd> bar(c.eKind, false, c.nOptions);
    DibSurface s(40, 30, kBack);
    pm->PaintControlBarClientArea(s.dc(), G, &bar);
    EXPECT_EQ(c.nAsked, pm->m_nCalls);
    EXPECT_EQ(c.nAsked != 0 ? kInheritedMark : Id(pm, 1000), s.At(15, 15));
    FakeDockBarWnd dock(false, NULL);
    pm->PaintDockBarClientArea(s.dc(), G, &dock);
    EXPECT_EQ(c.nAsked + 1, pm->m_nCalls);
  }
}

// The frame's outer dock bars share one gradient laid over the frame's client area.
TEST_F(Backgrounds, Office2003OuterDockBarsShareTheFramesGradient) {
  PM* pm = Install(OFFICE2003, 32, kLunaBlue);
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 800, 400), hEmpty = MakeTestWindow(NULL, 0, 0, 0, 0);
  FakeDockBarWnd top(true, hFrame), left(true, hFrame), inner(false, hFrame), ofEmpty(true, hEmpty);
  ASSERT_TRUE(top.Attach(MakeTestWindow(hFrame, 0, 0, 800, 24)));
  ASSERT_TRUE(left.Attach(MakeTestWindow(hFrame, 0, 24, 30, 300)));
  ASSERT_TRUE(inner.Attach(MakeTestWindow(hFrame, 0, 0, 30, 30)));
  ASSERT_TRUE(ofEmpty.Attach(MakeTestWindow(hEmpty, 0, 0, 30, 30)));
  RECT rcFrame;
  ::GetClientRect(hFrame, &rcFrame);
  DibSurface sTop(800, 24, kBack), sLeft(30, 300, kBack), sInner(30, 30, kBack), sEmpty(30, 30, kBack);
  pm->PaintDockBarClientArea(sTop.dc(), RECT{0, 0, 800, 24}, &top);
  pm->PaintDockBarClientArea(sLeft.dc(), RECT{0, 0, 30, 300}, &left);
  pm->PaintDockBarClientArea(sInner.dc(), RECT{0, 0, 30, 30}, &inner);
  pm->PaintDockBarClientArea(sEmpty.dc(), RECT{0, 0, 30, 30}, &ofEmpty);
  for (int x : {0, 10, 29})
    EXPECT_EQ(sTop.At(x, 10), sLeft.At(x, 150)) << x;
  EXPECT_TRUE(Near(sTop.At(0, 10), Id(pm, 3001)));
  EXPECT_EQ(Id(pm, 3000), sTop.At(rcFrame.right - 1, 10));
  EXPECT_EQ(Id(pm, COLOR_3DFACE), sInner.At(15, 15)) << "inner dock bars keep the face";
  EXPECT_EQ(0, ExpectedPicture(30, 30, kBack).Compare(sEmpty, "a frame without client area paints nothing"));
  for (CWnd* p : {(CWnd*)&top, (CWnd*)&left, (CWnd*)&inner, (CWnd*)&ofEmpty})
    p->DestroyWindow();
  ::DestroyWindow(hFrame);
  ::DestroyWindow(hEmpty);
}

TEST_F(Backgrounds, Office2003ToolBarChildAndTwoPartGradients) {
  PM* pm = Install(OFFICE2003, 32, kLunaBlue);
  DibSurface s(20, 100, kBack);
  pm->PaintToolBarChildBackground(s.dc(), NULL, 0, RECT{0, 0, 20, 100});
  EXPECT_TRUE(Near(s.At(10, 0), Id(pm, 3010)));
  EXPECT_TRUE(Near(s.At(10, 99), Id(pm, 3017)));
  // In bands the ends of each part are exact: the first colour at the start, the middle one at
  // the split 2/5 along, the last at the far end.
  g_PaintManagerHolder.TestDisableGradientFill(true);
  const COLORREF c1 = RGB(200, 0, 0), c2 = RGB(0, 200, 0), c3 = RGB(0, 0, 200);
  DibSurface sH(100, 4, kBack), sV(4, 100, kBack);
  PM::PaintGradientRect2Stage(sH.dc(), RECT{0, 0, 100, 4}, c1, c2, c3, false, 2, 5);
  PM::PaintGradientRect2Stage(sV.dc(), RECT{0, 0, 4, 100}, c1, c2, c3, true, 2, 5);
  EXPECT_EQ(c1, sH.At(0, 1));
  EXPECT_TRUE(Near(sH.At(39, 1), c2, 8));
  EXPECT_EQ(c2, sH.At(40, 1));
  EXPECT_TRUE(Near(sH.At(99, 1), c3, 5));
  EXPECT_TRUE(Near(sV.At(1, 0), c1, 8));
  EXPECT_EQ(c2, sV.At(1, 39));
  EXPECT_EQ(c3, sV.At(1, 99));
}

} // namespace
