// Chevron buttons, the hidden-items row, XP and Office 2003 separators, the request to parent
// windows for a background and the Office 2003 themed gradient.
#include "tests/unit/toolkit/theme/theme_fakes.h"

namespace {

const int kCx = 100, kCy = 40;

// Whether every ink cell of the glyph at (x, y) shows the colour.
bool GlyphShows(const DibSurface& s, const GlyphBuffer& g, int x0, int y0, COLORREF clr) {
  for (UINT y = 0; y < g.m_nHeight; ++y)
    for (UINT x = 0; x < g.m_nWidth; ++x)
      if (g.GetCell(x, y) != 0 && s.At(x0 + (int)x, y0 + (int)y) != clr)
        return false;
  return true;
}

// A horizontal chevron button 12 x 24 at the origin: the arrow at (3, 18), the chevron at (2, 3)
// (XP: one pixel further right).
struct ChevronCase {
  Theme theme;
  bool bAllVisible, bEnabled;
};

class ChevronButtons : public ThemeTest, public ::testing::WithParamInterface<ChevronCase> {};

TEST_P(ChevronButtons, ShowTheArrowAndTheChevronOnlyForHiddenContent) {
  const ChevronCase& c = GetParam();
  PM* pm = Install(c.theme);
  DibSurface s(kCx, kCy, kBack);
  pm->PaintContentExpandButton(s.dc(), RECT{0, 0, 12, 24}, true, c.bAllVisible, c.bEnabled, false, false,
                               NULL, 0, false);
  const bool bXp = c.theme != CLASSIC;
  const GlyphBuffer& arrow = GetNamedGlyph(NG_ARROW_DOWN_5X3);
  const GlyphBuffer& chevron = GetNamedGlyph(NG_CHEVRON_8X5);
  const COLORREF clrInk = Id(pm, c.bEnabled ? 1010 : COLOR_3DSHADOW);
  if (c.theme != OFFICE2003) {
    EXPECT_TRUE(GlyphShows(s, arrow, 3, 18, clrInk));
    EXPECT_EQ(c.bEnabled && !c.bAllVisible, GlyphShows(s, chevron, 2 + (bXp ? 1 : 0), 3, clrInk));
  }
  // The chevron's rows hold ink only for hidden content on an enabled button.
  const int nInk = CountColor(s, RECT{0, 0, 12, 10}, Id(pm, 1010)) +
                   CountColor(s, RECT{0, 0, 12, 10}, Id(pm, COLOR_3DSHADOW));
  EXPECT_EQ(c.bEnabled && !c.bAllVisible, nInk > 0) << ThemeName(c.theme);
  if (!c.bEnabled && c.theme == CLASSIC)
    EXPECT_EQ(Id(pm, COLOR_3DHILIGHT), s.At(3 + 4 + 1, 18 + 1)) << "the embossed light copy";
}

const ChevronCase kChevronCases[] = {
    {CLASSIC, true, true}, {CLASSIC, false, true}, {CLASSIC, false, false},   {XP, true, true},
    {XP, false, true},     {XP, false, false},     {OFFICE2003, false, true}, {OFFICE2003, true, false},
};
INSTANTIATE_TEST_SUITE_P(Themes, ChevronButtons, ::testing::ValuesIn(kChevronCases));

// A disabled chevron looks the same whether the pointer is over it or pressing it.
TEST_F(ThemeTest, DisabledChevronNeverShowsHover) {
  FakeBar toolBar(CExtControlBarSite::BAR_TOOL);
  for (Theme t : {CLASSIC, XP, OFFICE2003}) {
    PM* pm = Install(t);
    DibSurface idle(kCx, kCy, kBack), hot(kCx, kCy, kBack);
    pm->PaintContentExpandButton(idle.dc(), RECT{0, 0, 12, 24}, true, false, false, false, false, &toolBar, 0,
                                 false);
    pm->PaintContentExpandButton(hot.dc(), RECT{0, 0, 12, 24}, true, false, false, false, true, &toolBar, 0,
                                 false);
    EXPECT_EQ(idle.Pixels(), hot.Pixels()) << ThemeName(t);
  }
}

TEST_F(ThemeTest, TransparentChevronLeavesTheBackground) {
  for (Theme t : {CLASSIC, XP}) {
    PM* pm = Install(t);
    DibSurface s(kCx, kCy, kBack);
    pm->PaintContentExpandButton(s.dc(), RECT{0, 0, 12, 24}, true, true, true, false, false, NULL, 0, true);
    const int nArrowCells = 5 + 3 + 1;
    EXPECT_EQ(kCx * kCy - nArrowCells, CountColor(s, RECT{0, 0, kCx, kCy}, kBack)) << ThemeName(t);
  }
}

// The XP menu separator of a menu: icon column, menu colour, and a line 3 pixels in from the text
// part's ends.
std::function<void(PM*, CDC&)> XpMenuSeparator(bool bRtl, bool bHalftone) {
  return [=](PM* pm, CDC& dc) {
    FakePopupMenu menu(bRtl);
    pm->PaintMenuSeparator(dc, RECT{0, 0, 100, 9}, 20, bHalftone, &menu);
  };
}

// clang-format off
const PictureCase kSeparatorCases[] = {
    {"XP menu separator", XP, 32, XpMenuSeparator(false, false), NULL, {{{0, 0, 20, 9}, 1000}, {{20, 0, 100, 9}, 2001}, {{23, 4, 97, 5}, 2002}}},
    {"XP menu separator right to left", XP, 32, XpMenuSeparator(true, false), NULL, {{{80, 0, 100, 9}, 1000}, {{0, 0, 80, 9}, 2001}, {{3, 4, 77, 5}, 2002}}},
    {"XP menu separator of hidden items", XP, 32, XpMenuSeparator(false, true), NULL, {{{0, 0, 20, 9}, 2005}, {{20, 0, 100, 9}, 2001}, {{23, 4, 97, 5}, 2002}}},
    // The Office 2003 etched separator of tool bars, shortened 4 and 5 pixels except on status bars.
    {"Office 2003 tool-bar separator", OFFICE2003, 32, [](PM* pm, CDC& dc) { FakeBar bar(CExtControlBarSite::BAR_TOOL); pm->PaintSeparator(dc, RECT{0, 0, 8, 30}, true, false, &bar); },
     NULL, Ring3d(RECT{3, 4, 5, 25}, 3011, 3010, {{{0, 0, 8, 30}, 1000}})},
    {"Office 2003 status-bar separator without background", OFFICE2003, 32, [](PM* pm, CDC& dc) { FakeStatusBar bar; pm->PaintSeparator(dc, RECT{0, 0, 30, 8}, false, true, &bar); },
     NULL, Ring3d(RECT{0, 3, 30, 5}, 3011, 3010)},
};
// clang-format on

class SeparatorPictures : public PictureTest {};
TEST_P(SeparatorPictures, LeaveExactlyTheirPicture) { Run(kCx, kCy); }
INSTANTIATE_TEST_SUITE_P(Themes, SeparatorPictures, ::testing::ValuesIn(kSeparatorCases));

// Other sources, and palette screens, take the XP separator.
TEST_F(ThemeTest, Office2003SeparatorFallsBackToXp) {
  FakeBar toolBar(CExtControlBarSite::BAR_TOOL), panel(CExtControlBarSite::BAR_PANEL);
  struct {
    int nBitsPerPixel;
    CObject* pSource;
  } const cases[] = {{32, &panel}, {32, NULL}, {8, &toolBar}};
  for (const auto& c : cases) {
    auto* pm = static_cast<CExtPaintManagerXP*>(Install(new CExtPaintManagerOffice2003, c.nBitsPerPixel));
    DibSurface got(kCx, kCy, kBack), want(kCx, kCy, kBack);
    pm->PaintSeparator(got.dc(), RECT{0, 0, 8, 30}, true, false, c.pSource);
    pm->CExtPaintManagerXP::PaintSeparator(want.dc(), RECT{0, 0, 8, 30}, true, false, c.pSource);
    EXPECT_EQ(want.Pixels(), got.Pixels()) << c.nBitsPerPixel << " bits per pixel";
  }
}

// The XP hidden-items row continues the icon column of the menu's last item unless that item
// lends none.
TEST_F(ThemeTest, HiddenItemsRowTakesTheLastItemsIconColumn) {
  PM* pm = Install(XP);
  FakeMenuItems lends(24, 0), refuses(24, CExtPopupMenuItemsSite::ITEM_STATE_NO_ICON_AREA);
  DibSurface s1(kCx, kCy, kBack), s2(kCx, kCy, kBack);
  pm->PaintMenuExpandButton(s1.dc(), RECT{0, 0, 100, 16}, false, &lends);
  pm->PaintMenuExpandButton(s2.dc(), RECT{0, 0, 100, 16}, false, &refuses);
  EXPECT_EQ(Id(pm, 2005), s1.At(10, 2));
  EXPECT_EQ(Id(pm, 2001), s2.At(10, 2));
  EXPECT_EQ(kBack, s1.At(0, 2)) << "the row keeps a pixel free at each side";
  EXPECT_TRUE(GlyphShows(s1, GetNamedGlyph(NG_CHEVRON_5X8), 47, 4, Id(pm, 1010)));
}

// ---------------------------------------------------------------------------------------------
// The request to parent windows.

struct AskLog {
  int nAsked[4] = {};
  HWND hWnds[4] = {}; // the child, its parent, the top-level window, that window's owner
  int nPaints = -1;   // which window paints, -1 none
  int nStops = -1;    // which window stops the search
};
AskLog* g_pLog = NULL;

LRESULT CALLBACK AskProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == CExtPaintManager::g_nMsgPaintInheritedBackground && g_pLog != NULL) {
    auto* pData = reinterpret_cast<InheritedBackgroundPaintData*>(wParam);
    for (int i = 0; i < 4; ++i)
      if (g_pLog->hWnds[i] == hWnd) {
        ++g_pLog->nAsked[i];
        if (i == g_pLog->nPaints) {
          pData->dc->FillSolidRect(0, 0, 4, 4, RGB(9, 9, 9));
          pData->painted = 1;
        }
        if (i == g_pLog->nStops)
          pData->stopSearch = 1;
      }
    return 0;
  }
  return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

class InheritedBackground : public ThemeTest {
protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AskProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "ThemeAskWnd";
    ::RegisterClassA(&wc);
    m_hOwner = ::CreateWindowA("ThemeAskWnd", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    m_log.hWnds[3] = m_hOwner;
    m_log.hWnds[2] = ::CreateWindowA("ThemeAskWnd", "", WS_POPUP, 0, 0, 50, 50, m_hOwner, NULL, NULL, NULL);
    m_log.hWnds[1] =
        ::CreateWindowA("ThemeAskWnd", "", WS_CHILD, 0, 0, 40, 40, m_log.hWnds[2], NULL, NULL, NULL);
    m_log.hWnds[0] =
        ::CreateWindowA("ThemeAskWnd", "", WS_CHILD, 0, 0, 30, 30, m_log.hWnds[1], NULL, NULL, NULL);
    g_pLog = &m_log;
    m_pm = Install(XP);
    m_pm->m_nFlags |= CExtPaintManager::PMF_DOCKER_BACKGROUND;
  }
  void TearDown() override {
    g_pLog = NULL;
    ::DestroyWindow(m_hOwner);
    ThemeTest::TearDown();
  }
  bool Ask(CDC& dc) { return m_pm->PaintInheritedBackground(dc, true, CWnd::FromHandle(m_log.hWnds[0])); }

  AskLog m_log;
  HWND m_hOwner = NULL;
  CExtPaintManager* m_pm = NULL;
};

struct AskCase {
  const char* pszWhat;
  bool bEnabled;
  int nPaints, nStops;
  bool bResult;
  int nAsked[4];
};
// clang-format off
const AskCase kAskCases[] = {
    {"a parent that paints ends the search", true, 1, -1, true, {1, 1, 0, 0}},
    {"nobody paints: the walk ends at the top-level window, before its owner", true, 3, -1, false, {1, 1, 1, 0}},
    {"a window that stops the search leaves no background", true, 2, 1, false, {1, 1, 0, 0}},
    {"nothing is asked without the docker background", false, 0, -1, false, {0, 0, 0, 0}},
};
// clang-format on

TEST_F(InheritedBackground, AsksUpTheParentChain) {
  for (const AskCase& c : kAskCases) {
    std::fill(std::begin(m_log.nAsked), std::end(m_log.nAsked), 0);
    m_log.nPaints = c.nPaints, m_log.nStops = c.nStops;
    m_pm->m_nFlags = c.bEnabled ? (m_pm->m_nFlags | CExtPaintManager::PMF_DOCKER_BACKGROUND)
                                : (m_pm->m_nFlags & ~CExtPaintManager::PMF_DOCKER_BACKGROUND);
    DibSurface s(8, 8, kBack);
    EXPECT_EQ(c.bResult, Ask(s.dc())) << c.pszWhat;
    EXPECT_EQ(c.bResult ? RGB(9, 9, 9) : kBack, s.At(0, 0)) << c.pszWhat;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(c.nAsked[i], m_log.nAsked[i]) << c.pszWhat << ", window " << i;
  }
}

// Windows side by side in one frame continue one Office 2003 gradient across its client area.
TEST_F(InheritedBackground, Office2003DockerBackgroundSpansTheFrame) {
  PM* pm = Install(OFFICE2003);
  const HWND hRight =
      ::CreateWindowA("ThemeAskWnd", "", WS_CHILD, 40, 0, 10, 40, m_log.hWnds[2], NULL, NULL, NULL);
  DibSurface left(40, 40, kBack), right(10, 40, kBack);
  EXPECT_TRUE(pm->PaintDockerBackground(true, left.dc(), CWnd::FromHandle(m_log.hWnds[1])));
  EXPECT_TRUE(pm->PaintDockerBackground(true, right.dc(), CWnd::FromHandle(hRight)));
  EXPECT_EQ(Id(pm, 3001), left.At(0, 20));
  const COLORREF clrSeam1 = left.At(39, 20), clrSeam2 = right.At(0, 20), clrEnd = Id(pm, 3000);
  EXPECT_NEAR(GetRValue(clrSeam1), GetRValue(clrSeam2), 6);
  EXPECT_NEAR(GetBValue(clrSeam1), GetBValue(clrSeam2), 6);
  EXPECT_NEAR(GetRValue(clrEnd), GetRValue(right.At(9, 20)), 6);
}

// A docked tool bar whose child controls leave two parts of its client area to the face.
class FaceSegmentsBar : public FakeBarOf<CWnd>, public CExtBarFaceSegmentsSite {
public:
  FaceSegmentsBar() : FakeBarOf<CWnd>(BAR_TOOL) {}
  void GetFaceSegments(std::vector<RECT>& segments) const override {
    segments.push_back(RECT{0, 0, 10, 20});
    segments.push_back(RECT{30, 0, 40, 20});
  }
};

TEST_F(InheritedBackground, Office2003BarFaceShowsOnlyWhereChildControlsLeaveRoom) {
  PM* pm = Install(OFFICE2003);
  FaceSegmentsBar bar;
  bar.Attach(::CreateWindowA("ThemeAskWnd", "", WS_CHILD, 0, 0, 40, 20, m_log.hWnds[2], NULL, NULL, NULL));
  DibSurface s(40, 20, kBack);
  EXPECT_TRUE(pm->PaintDockerBackground(true, s.dc(), &bar));
  ::DestroyWindow(bar.Detach());
  EXPECT_EQ(20 * 20, CountColor(s, RECT{10, 0, 30, 20}, kBack)) << "the child controls keep their part";
  EXPECT_EQ(0, CountColor(s, RECT{0, 0, 10, 20}, kBack));
  EXPECT_EQ(0, CountColor(s, RECT{30, 0, 40, 20}, kBack));
}

// A docked tool bar shows a rounded face with the docking area's background round it (here the
// parent's); other bars and floating ones show the docking area's background only.
TEST_F(InheritedBackground, Office2003DockedToolBarHasARoundedFace) {
  PM* pm = Install(OFFICE2003);
  pm->m_nFlags |= CExtPaintManager::PMF_DOCKER_BACKGROUND;
  m_log.nPaints = 1;
  for (bool bFloating : {false, true}) {
    FakeBarOf<CWnd> bar(CExtControlBarSite::BAR_TOOL, bFloating);
    bar.Attach(::CreateWindowA("ThemeAskWnd", "", WS_CHILD, 0, 0, 40, 20, m_log.hWnds[1], NULL, NULL, NULL));
    DibSurface s(40, 20, kBack);
    pm->PaintControlBarClientArea(s.dc(), RECT{0, 0, 40, 20}, &bar);
    ::DestroyWindow(bar.Detach());
    EXPECT_EQ(RGB(9, 9, 9), s.At(0, 0)) << "the corner outside the face, floating " << bFloating;
    EXPECT_EQ(bFloating, s.At(20, 10) == kBack) << "the face, floating " << bFloating;
  }
}

} // namespace
