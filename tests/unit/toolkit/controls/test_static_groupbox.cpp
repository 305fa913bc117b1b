// The themed group box: its frame styles and the caption's place, in every theme.
#include "tests/unit/toolkit/controls/static_support.h"
#include "toolkit/controls/ExtGroupBox.h"

#include <string>

namespace {

const int kCx = 220, kCy = 120, kMid = kCy / 2;

class GroupBoxTest : public StaticControlTest {
protected:
  pixel_support::Pixels Paint(LPCSTR pszText, int nStyle, int nAlignment) {
    m_box.m_nFrameStyle = nStyle;
    m_box.m_nCaptionAlignment = nAlignment;
    m_box.m_clrBackground = kBack;
    EXPECT_TRUE(
        m_box.SubclassWindow(MakeChild("BUTTON", pszText, BS_GROUPBOX, CRect(10, 10, 10 + kCx, 10 + kCy))));
    return Read(m_box);
  }
  // The first row from the top with a shadow pixel in column x; -1 for none.
  static int TopLine(const pixel_support::Pixels& px, int x) {
    for (int y = 0; y < kMid; ++y)
      if (px.At(x, y) == kShadow)
        return y;
    return -1;
  }
  CExtGroupBox m_box;
};

struct Probe {
  int x, y;
  COLORREF clr;
};
struct FrameCase {
  Theme theme;
  int nStyle;
  std::vector<Probe> probes; // read from the left edge inwards and from the right edge
};

class GroupBoxFrame : public GroupBoxTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(GroupBoxFrame, DrawsItsStyleWithoutCaption) {
  const FrameCase& c = GetParam();
  Begin(c.theme);
  const pixel_support::Pixels px = Paint("", c.nStyle, CExtGroupBox::ALIGN_LEFT);
  pixel_support::SaveBmp(px,
                         ("groupbox_" + std::to_string(c.theme) + std::to_string(c.nStyle) + ".bmp").c_str());
  for (const Probe& p : c.probes)
    EXPECT_EQ(p.clr, px.At(p.x < 0 ? kCx + p.x : p.x, p.y)) << p.x << "," << p.y;
  if (c.nStyle != CExtGroupBox::STYLE_CAPTION)
    EXPECT_EQ(6, TopLine(px, kCx / 2)) << "an empty caption puts the frame 6 pixels down";
}

std::vector<FrameCase> AllFrames() {
  const std::vector<Probe> etched = {
      {0, kMid, kShadow}, {1, kMid, kWindow}, {2, kMid, kBack}, {-1, kMid, kWindow}, {-2, kMid, kShadow}};
  const std::vector<std::vector<Probe>> styles = {
      etched, // no visual style: etched
      etched,
      {{0, kMid, kShadow}, {1, kMid, kBack}, {-1, kMid, kShadow}, {0, 6, kBack}}, // rounded corner
      {{0, kMid, kShadow}, {1, kMid, kBack}, {-1, kMid, kShadow}, {0, 6, kShadow}},
      {{0, kMid, kShadow}, {1, kMid, kBack}, {1, 1, kShadow}, {-2, 17, kShadow}, {5, 18, kBack}}}; // band
  std::vector<FrameCase> cases;
  for (Theme t : {CLASSIC, XP, OFFICE2003})
    for (int s = 0; s < (int)styles.size(); ++s)
      cases.push_back({t, s, styles[s]});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryThemeAndStyle, GroupBoxFrame, ::testing::ValuesIn(AllFrames()),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                           return "theme" + std::to_string(info.param.theme) + "_style" +
                                  std::to_string(info.param.nStyle);
                         });

struct CaptionCase {
  Theme theme;
  int nAlignment;
};

class GroupBoxCaption : public GroupBoxTest, public ::testing::WithParamInterface<CaptionCase> {};

// The top line runs through the caption's middle, open 2 pixels beyond the text on each side.
TEST_P(GroupBoxCaption, LeavesTheFrameOpenAroundTheText) {
  const CaptionCase& c = GetParam();
  Begin(c.theme);
  const pixel_support::Pixels px = Paint("Settings", CExtGroupBox::STYLE_FLAT, c.nAlignment);
  const CSize size = TextSize("Settings");
  const int nLine = TopLine(px, 2);
  EXPECT_EQ(size.cy / 2, nLine);
  const int nLeft = c.nAlignment == CExtGroupBox::ALIGN_LEFT    ? 9
                    : c.nAlignment == CExtGroupBox::ALIGN_RIGHT ? kCx - 9 - size.cx
                                                                : 9 + (kCx - 18 - size.cx) / 2;
  const CRect rcGap(nLeft - 2, nLine, nLeft + size.cx + 2, nLine + 1);
  EXPECT_EQ(0, CountPixels(px, rcGap, kShadow));
  EXPECT_EQ(kShadow, px.At(rcGap.left - 1, nLine));
  EXPECT_EQ(kShadow, px.At(rcGap.right, nLine));
  const CRect rcInk = Box(px, CRect(1, 0, kCx - 1, nLine + size.cy), kBack, true, kShadow);
  EXPECT_GE(rcInk.left, nLeft);
  EXPECT_LE(rcInk.right, nLeft + size.cx);
  EXPECT_GT(CountPixels(px, rcInk, kText), 0);
}

INSTANTIATE_TEST_SUITE_P(Alignments, GroupBoxCaption,
                         ::testing::Values(CaptionCase{CLASSIC, CExtGroupBox::ALIGN_LEFT},
                                           CaptionCase{XP, CExtGroupBox::ALIGN_RIGHT},
                                           CaptionCase{OFFICE2003, CExtGroupBox::ALIGN_CENTER}));

// The band carries the caption in bold in the window colour; the frame line carries none.
TEST_F(GroupBoxTest, CaptionBandCarriesTheBoldCaption) {
  Begin(XP);
  const pixel_support::Pixels px = Paint("Font:", CExtGroupBox::STYLE_CAPTION, CExtGroupBox::ALIGN_LEFT);
  const CRect rcText = Box(px, CRect(1, 0, kCx - 1, 18), kShadow, true);
  EXPECT_GE(rcText.left, 5);
  EXPECT_GT(CountPixels(px, rcText, kWindow), 0);
  EXPECT_NEAR(TextSize("Font:", true).cx, rcText.Width(), 2);
  EXPECT_TRUE(Box(px, CRect(1, 18, kCx - 1, kCy - 1), kBack, true).IsRectEmpty());
}

// Stand-ins for the visual-style library: the frame part fills its rectangle (or fails), and
// each call's part and state are kept.
const COLORREF kThemedFrame = RGB(0, 200, 0);
bool g_bFrameFails = false;
std::vector<std::pair<int, int>> g_drawn; // part, state; a text call adds 100 to the part

template <class PFN> FARPROC AsProc(PFN pfn) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(pfn));
}
BOOL WINAPI Yes() { return TRUE; }
DWORD WINAPI AllowControls() { return STAP_ALLOW_CONTROLS; }
HTHEME WINAPI FakeOpen(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(0x5150); }
HRESULT WINAPI FakeClose(HTHEME) { return S_OK; }
HRESULT WINAPI FakeBackground(HTHEME, HDC hDC, int nPart, int nState, const RECT* pRect, const RECT*) {
  g_drawn.push_back({nPart, nState});
  if (g_bFrameFails)
    return E_FAIL;
  CBrush brush(kThemedFrame);
  ::FillRect(hDC, pRect, brush);
  return S_OK;
}
HRESULT WINAPI FakeText(HTHEME, HDC, int nPart, int nState, LPCWSTR, int, DWORD, DWORD, const RECT*) {
  g_drawn.push_back({100 + nPart, nState});
  return S_OK;
}

class GroupBoxVisualStyle : public GroupBoxTest, public ::testing::WithParamInterface<std::pair<bool, bool>> {
protected:
  void TearDown() override {
    for (auto& entry : m_old)
      g_PaintManagerHolder.m_VisualStyleApi.TestReplaceEntryPoint(entry.first, entry.second);
    g_PaintManagerHolder.m_VisualStyleApi.TestSetCommonControlsVersion(m_dwOldVersion);
    GroupBoxTest::TearDown();
  }
  void Fake(CExtVisualStyleApi::EntryPoint e, FARPROC pfn) {
    m_old.insert(m_old.begin(), {e, g_PaintManagerHolder.m_VisualStyleApi.TestReplaceEntryPoint(e, pfn)});
  }
  std::vector<std::pair<CExtVisualStyleApi::EntryPoint, FARPROC>> m_old;
  DWORD m_dwOldVersion = g_PaintManagerHolder.m_VisualStyleApi.GetCommonControlsVersion();
};

// With a visual style the frame and caption are the style's group-box part; a failed frame drawing
// falls back to the etched frame.
TEST_P(GroupBoxVisualStyle, DrawsTheStylesPartOrFallsBack) {
  const bool bEnabled = GetParam().first;
  g_bFrameFails = GetParam().second;
  g_drawn.clear();
  Begin(CLASSIC);
  ASSERT_NE(HMODULE(NULL), g_PaintManagerHolder.m_VisualStyleApi.GetModule());
  Fake(CExtVisualStyleApi::EP_IsThemeActive, AsProc(Yes));
  Fake(CExtVisualStyleApi::EP_GetThemeAppProperties, AsProc(AllowControls));
  Fake(CExtVisualStyleApi::EP_OpenThemeData, AsProc(FakeOpen));
  Fake(CExtVisualStyleApi::EP_CloseThemeData, AsProc(FakeClose));
  Fake(CExtVisualStyleApi::EP_DrawThemeBackground, AsProc(FakeBackground));
  Fake(CExtVisualStyleApi::EP_DrawThemeText, AsProc(FakeText));
  g_PaintManagerHolder.m_VisualStyleApi.TestSetCommonControlsVersion(MAKELONG(0, 6));
  m_box.m_nFrameStyle = CExtGroupBox::STYLE_SYSTEM;
  m_box.m_clrBackground = kBack;
  ASSERT_TRUE(
      m_box.SubclassWindow(MakeChild("BUTTON", "Group", BS_GROUPBOX, CRect(10, 10, 10 + kCx, 10 + kCy))));
  m_box.EnableWindow(bEnabled);
  g_drawn.clear();
  const pixel_support::Pixels px = Read(m_box);
  const int nState = bEnabled ? 1 : 2;
  EXPECT_EQ((std::vector<std::pair<int, int>>{{104, nState}, {4, nState}}), g_drawn);
  EXPECT_EQ(g_bFrameFails ? kShadow : kThemedFrame, px.At(0, kMid));
  EXPECT_EQ(g_bFrameFails ? kBack : kThemedFrame, px.At(kCx / 2, kMid));
}

INSTANTIATE_TEST_SUITE_P(EnabledAndFailing, GroupBoxVisualStyle,
                         ::testing::Values(std::make_pair(true, false), std::make_pair(false, false),
                                           std::make_pair(true, true)));

} // namespace
