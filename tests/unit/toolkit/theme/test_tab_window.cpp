// The tab window's background and buttons in each theme, and the frame without corners.
#include "tests/unit/toolkit/theme/expected_picture.h"
#include "tests/unit/toolkit/theme/theme_probes.h"
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <ostream>

using pixel_support::DibSurface;

namespace {

const COLORREF kBack = RGB(1, 2, 3);
const int kCx = 60, kCy = 40;
const RECT kClient = {0, 0, kCx, kCy};

enum Theme { CLASSIC, XP, OFFICE2003 };
PM* Make(Theme t) {
  return t == CLASSIC ? new PM : t == XP ? new CExtPaintManagerXP : new CExtPaintManagerOffice2003;
}
COLORREF Id(PM* pm, int nId) { return pm->ColorByLogicalId(nId); }

// The tab area and its line for each orientation: top, bottom, left, right.
const RECT kTabAreas[4] = {{0, 0, kCx, 10}, {0, 30, kCx, kCy}, {0, 0, 10, kCy}, {50, 0, kCx, kCy}};
const RECT kTabLines[4] = {{0, 0, kCx, 1}, {0, 39, kCx, kCy}, {0, 0, 1, kCy}, {59, 0, kCx, kCy}};

// A tab window as the Office 2003 background reads it.
class FakeTabWnd : public CWnd, public CExtTabWndSite {
public:
  FakeTabWnd(TabWndKind eKind, BYTE nOptions, bool bWantsDocker, HWND hFrame = NULL)
      : m_eKind(eKind), m_nOptions(nOptions), m_bWantsDocker(bWantsDocker), m_hFrame(hFrame) {}
  TabWndKind GetTabWndKind() const override { return m_eKind; }
  BYTE GetTabOptionBits() const override { return m_nOptions; }
  bool WantsDockerBackground() const override { return m_bWantsDocker; }
  HWND GetParentFrameHwnd() const override { return m_hFrame; }

private:
  TabWndKind m_eKind;
  BYTE m_nOptions;
  bool m_bWantsDocker;
  HWND m_hFrame;
};

struct BackgroundCase {
  const char* pszName;
  Theme theme;
  int nBits;
  int nOrientation;
  bool bNoTabArea;
  int nFill, nTabArea, nLine;
};

// clang-format off
const BackgroundCase kBackgroundCases[] = {
    {"classic top", CLASSIC, 32, 0, false, 16, 15, 20},
    {"classic bottom: the bottom row in dark shadow", CLASSIC, 32, 1, false, 16, 15, 21},
    {"classic left", CLASSIC, 32, 2, false, 16, 15, 20},
    {"classic right", CLASSIC, 32, 3, false, 16, 15, 21},
    {"classic without tab area", CLASSIC, 32, 0, true, 15, -1, -1},
    {"xp top", XP, 32, 0, false, 2001, 2000, 20},
    {"xp bottom", XP, 32, 1, false, 2001, 2000, 16},
    {"xp right on a palette screen", XP, 8, 3, false, 2000, 2000, 16},
    {"office 2003 without a tab window takes the xp look", OFFICE2003, 32, 2, false, 2001, 2000, 20},
};
// clang-format on

void PrintTo(const BackgroundCase& c, std::ostream* os) { *os << c.pszName; }

class TabBackgrounds : public ThemeTest, public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(TabBackgrounds, FillTheClientTheTabAreaAndItsLine) {
  const BackgroundCase& c = GetParam();
  PM* pm = Install(Make(c.theme), c.nBits);
  DibSurface s(kCx, kCy, kBack);
  pm->PaintTabWndBackground(s.dc(), kClient, kClient, kTabAreas[c.nOrientation], c.nOrientation, c.bNoTabArea,
                            NULL);
  ExpectedPicture want(kCx, kCy, kBack);
  want.Fill(kClient, Id(pm, c.nFill));
  if (!c.bNoTabArea)
    want.Fill(kTabAreas[c.nOrientation], Id(pm, c.nTabArea)).Fill(kTabLines[c.nOrientation], Id(pm, c.nLine));
  EXPECT_EQ(0, want.Compare(s, c.pszName));
}

INSTANTIATE_TEST_SUITE_P(Themes, TabBackgrounds, ::testing::ValuesIn(kBackgroundCases));

// Tab windows of the docking area show its background, then their tab area and line.
TEST_F(TabBackgrounds, Office2003DockingTabWindowsShowTheDockingArea) {
  const struct {
    const char* pszWhat;
    CExtTabWndSite::TabWndKind eKind;
    BYTE nOptions;
    bool bWants;
    int nBits;
    bool bDocker;
  } cases[] = {
      {"option bit", CExtTabWndSite::TAB_PLAIN, CExtTabWndSite::TABOPT_DOCKER_BACKGROUND, false, 32, true},
      {"its own wish", CExtTabWndSite::TAB_PLAIN, 0, true, 32, true},
      {"dynamic tab window", CExtTabWndSite::TAB_DYNAMIC, 0, false, 32, true},
      {"auto-hide strip", CExtTabWndSite::TAB_AUTO_HIDE_STRIP, 0, false, 32, true},
      {"plain tab window", CExtTabWndSite::TAB_PLAIN, 0, false, 32, false},
      {"palette screen", CExtTabWndSite::TAB_DYNAMIC, 0, false, 8, false}};
  for (const auto& c : cases) {
    PM* pmXp = Install(new CExtPaintManagerXP, c.nBits);
    DibSurface sXp(kCx, kCy, kBack);
    pmXp->PaintTabWndBackground(sXp.dc(), kClient, kClient, kTabAreas[1], 1, false, NULL);
    auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe, c.nBits));
    FakeTabWnd tab(c.eKind, c.nOptions, c.bWants);
    DibSurface s(kCx, kCy, kBack);
    pm->PaintTabWndBackground(s.dc(), kClient, kClient, kTabAreas[1], 1, false, &tab);
    if (!c.bDocker) {
      EXPECT_TRUE(sXp.Pixels() == s.Pixels()) << c.pszWhat;
      continue;
    }
    ExpectedPicture want(kCx, kCy, kDockerMark);
    want.Fill(kTabAreas[1], Id(pm, 1000)).Fill(kTabLines[1], Id(pm, COLOR_3DSHADOW));
    EXPECT_EQ(0, want.Compare(s, c.pszWhat));
    EXPECT_EQ(&tab, pm->m_pLastWnd) << c.pszWhat;
  }
}

// When no docking-area background answers, the gradient is laid over the frame's client area,
// so tab windows side by side continue one gradient.
TEST_F(TabBackgrounds, Office2003TabWindowsContinueTheFramesGradient) {
  auto* pm = static_cast<DockerProbe*>(Install(new DockerProbe));
  pm->m_bDecline = true;
  HWND hFrame = MakeTestWindow(NULL, 0, 0, 600, 100);
  ASSERT_NE((HWND)NULL, hFrame);
  FakeTabWnd tabA(CExtTabWndSite::TAB_DYNAMIC, 0, false, hFrame),
      tabB(CExtTabWndSite::TAB_DYNAMIC, 0, false, hFrame);
  tabA.Attach(MakeTestWindow(hFrame, 0, 0, 300, 40));
  tabB.Attach(MakeTestWindow(hFrame, 100, 50, 300, 40));
  const RECT rcClient = {0, 0, 300, 40}, rcNoTabs = {0, 0, 0, 0};
  DibSurface sA(300, 40, kBack), sB(300, 40, kBack);
  pm->PaintTabWndBackground(sA.dc(), rcClient, rcClient, rcNoTabs, 0, true, &tabA);
  pm->PaintTabWndBackground(sB.dc(), rcClient, rcClient, rcNoTabs, 0, true, &tabB);
  for (int x : {0, 50, 199})
    EXPECT_EQ(sA.At(x + 100, 20), sB.At(x, 20)) << x;
  EXPECT_NE(sA.At(0, 20), sB.At(0, 20));
  tabA.DestroyWindow();
  tabB.DestroyWindow();
  ::DestroyWindow(hFrame);
}

// ---------------------------------------------------------------------------------------------
// Tab buttons.

enum ButtonFrame { NO_FRAME, RAISED, SUNKEN };

struct ButtonCase {
  int nCode;
  bool bVertical, bEnabled, bHover, bPushed;
  int nGlyph; // -1: none
  ButtonFrame eFrame;
};

// clang-format off
const ButtonCase kButtonCases[] = {
    {-10, true, true, false, false, 52, NO_FRAME},
    {-10, false, true, false, false, 51, NO_FRAME},
    {-9, true, true, false, false, 50, NO_FRAME},
    {-9, false, true, true, false, 49, RAISED},
    {-8, false, true, false, true, 45, SUNKEN},
    {-7, true, true, false, false, 1, NO_FRAME},
    {-6, false, true, false, false, 9, NO_FRAME},
    {-5, true, true, false, false, 5, NO_FRAME},
    {-5, true, false, false, false, 20, NO_FRAME},
    {-5, false, true, false, false, 3, NO_FRAME},
    {-5, false, false, false, false, 18, NO_FRAME},
    {-4, true, true, false, false, 4, NO_FRAME},
    {-4, true, false, false, false, 19, NO_FRAME},
    {-4, false, true, true, true, 2, SUNKEN},
    {-4, false, false, false, false, 17, NO_FRAME},
    {-4, false, false, true, true, 17, NO_FRAME}, // a disabled button shows neither hover nor press
    {-3, false, true, true, false, -1, RAISED},
    {-11, true, true, false, true, -1, SUNKEN},
};
// clang-format on

void PrintTo(const ButtonCase& c, std::ostream* os) {
  *os << "code " << c.nCode << (c.bVertical ? " vertical" : "") << (c.bEnabled ? "" : " disabled")
      << (c.bHover ? " hover" : "") << (c.bPushed ? " pushed" : "");
}

class TabButtons : public ThemeTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(TabButtons, DrawTheCodesGlyphAndTheirStatesFrame) {
  const ButtonCase& c = GetParam();
  const RECT rc = {10, 10, 30, 26};
  for (Theme theme : {CLASSIC, XP, OFFICE2003}) {
    PM* pm = Install(Make(theme));
    DibSurface s(kCx, kCy, kBack);
    pm->PaintTabButton(s.dc(), rc, c.nCode, c.bVertical, c.bEnabled, c.bHover, c.bPushed, false, NULL);
    ExpectedPicture want(kCx, kCy, kBack);
    if (c.nGlyph >= 0)
      want.Glyph(rc, c.nGlyph, Id(pm, c.bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW));
    if (c.eFrame == RAISED)
      want.Ring(rc, Id(pm, COLOR_3DHILIGHT), Id(pm, COLOR_3DDKSHADOW));
    else if (c.eFrame == SUNKEN)
      want.Ring(rc, Id(pm, COLOR_3DDKSHADOW), Id(pm, COLOR_3DHILIGHT));
    EXPECT_EQ(0, want.Compare(s, "tab button")) << "theme " << theme;
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, TabButtons, ::testing::ValuesIn(kButtonCases));

TEST_F(TabButtons, CornerlessFrameLeavesTheCornersAlone) {
  Install(new PM);
  DibSurface s(kCx, kCy, kBack);
  PM::PaintCornerlessFrame(s.dc(), 10, 10, 8, 6, RGB(255, 0, 0), RGB(0, 0, 255));
  ExpectedPicture want(kCx, kCy, kBack);
  want.Fill({11, 10, 17, 11}, RGB(255, 0, 0)).Fill({10, 11, 11, 15}, RGB(255, 0, 0));
  want.Fill({17, 11, 18, 15}, RGB(0, 0, 255)).Fill({11, 15, 17, 16}, RGB(0, 0, 255));
  EXPECT_EQ(0, want.Compare(s, "cornerless frame"));
}

} // namespace
