// The themed group box: its frame styles and caption in every theme, and the visual style's part.
#include "tests/unit/toolkit/controls/static_support.h"

#include <string>

// The pixel checks of all three controls run in every theme.
INSTANTIATE_TEST_SUITE_P(EveryTheme, StaticInTheme, ::testing::Values(CLASSIC, XP, OFFICE2003));

namespace {

const int kMid = kBoxCy / 2;

// The first row from the top with a shadow pixel in column x.
int TopLine(const pixel_support::Pixels& px, int x) { return Box(px, CRect(x, 0, x + 1, kMid), kShadow).top; }

struct Probe {
  int x, y; // x < 0 counts from the right edge
  COLORREF clr;
};

TEST_P(StaticInTheme, GroupBoxDrawsEachFrameStyleAndItsCaption) {
  Begin(GetParam());
  m_box.m_clrBackground = kBack;
  Make(m_box, "BUTTON", "", BS_GROUPBOX, kBoxCx, kBoxCy);
  const std::vector<Probe> etched = {
      {0, kMid, kShadow}, {1, kMid, kWindow}, {2, kMid, kBack}, {-1, kMid, kWindow}, {-2, kMid, kShadow}};
  const std::vector<std::vector<Probe>> styles = {
      etched, // no visual style: etched
      etched,
      {{0, kMid, kShadow}, {1, kMid, kBack}, {-1, kMid, kShadow}, {0, 6, kBack}}, // rounded corner
      {{0, kMid, kShadow}, {1, kMid, kBack}, {-1, kMid, kShadow}, {0, 6, kShadow}},
      {{0, kMid, kShadow}, {1, kMid, kBack}, {1, 1, kShadow}, {-2, 17, kShadow}, {5, 18, kBack}}}; // band
  pixel_support::Pixels px;
  for (int s = 0; s < (int)styles.size(); ++s) {
    m_box.m_nFrameStyle = s;
    px = Read(m_box);
    pixel_support::SaveBmp(px,
                           ("groupbox_" + std::to_string(GetParam()) + std::to_string(s) + ".bmp").c_str());
    for (const Probe& p : styles[s])
      EXPECT_EQ(p.clr, px.At(p.x < 0 ? kBoxCx + p.x : p.x, p.y))
          << "style " << s << " at " << p.x << "," << p.y;
    if (s != CExtGroupBox::STYLE_CAPTION)
      EXPECT_EQ(6, TopLine(px, kBoxCx / 2)) << "an empty caption puts the frame 6 pixels down";
  }

  // The top line runs through the caption's middle, open 2 pixels beyond the text on each side.
  const int nAlign = GetParam(); // left, right and centre in turn
  m_box.m_nFrameStyle = CExtGroupBox::STYLE_FLAT;
  m_box.m_nCaptionAlignment = nAlign;
  m_box.SetWindowText("Settings");
  px = Read(m_box);
  const CSize size = TextSize("Settings");
  const int nLine = TopLine(px, 2);
  EXPECT_EQ(size.cy / 2, nLine);
  const int nFree = kBoxCx - 18 - size.cx;
  const int nLeft = 9 + (nAlign == CExtGroupBox::ALIGN_LEFT    ? 0
                         : nAlign == CExtGroupBox::ALIGN_RIGHT ? nFree
                                                               : nFree / 2);
  EXPECT_EQ(CRect(nLeft - 2, nLine, nLeft + size.cx + 2, nLine + 1),
            Box(px, CRect(1, nLine, kBoxCx - 1, nLine + 1), kShadow, true));
  const CRect rcInk = Box(px, CRect(1, 0, kBoxCx - 1, nLine + size.cy), kBack, true, kShadow);
  EXPECT_EQ(rcInk, rcInk & CRect(nLeft, 0, nLeft + size.cx, kMid)) << "the text's own columns";
  EXPECT_FALSE(Box(px, rcInk, kText).IsRectEmpty());

  // The band carries the caption in bold in the window colour; the frame below carries none.
  m_box.m_nFrameStyle = CExtGroupBox::STYLE_CAPTION;
  m_box.m_nCaptionAlignment = CExtGroupBox::ALIGN_LEFT;
  m_box.SetWindowText("Font:");
  px = Read(m_box);
  const CRect rcText = Box(px, CRect(1, 0, kBoxCx - 1, 18), kShadow, true);
  EXPECT_GE(rcText.left, 5);
  EXPECT_FALSE(Box(px, rcText, kWindow).IsRectEmpty());
  EXPECT_NEAR(TextSize("Font:", true).cx, rcText.Width(), 2);
  EXPECT_TRUE(Box(px, CRect(1, 18, kBoxCx - 1, kBoxCy - 1), kBack, true).IsRectEmpty());
}

// The visual-style library's stand-ins: the frame part fills its rectangle (or fails); each call's
// part and state are kept, a text call's part plus 100.
const COLORREF kStyledFrame = RGB(0, 200, 0);
bool g_bFrameFails = false;
std::vector<std::pair<int, int>> g_drawn;

BOOL WINAPI Yes() { return TRUE; }
DWORD WINAPI AllowControls() { return STAP_ALLOW_CONTROLS; }
HTHEME WINAPI FakeOpen(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(0x5150); }
HRESULT WINAPI FakeClose(HTHEME) { return S_OK; }
HRESULT WINAPI FakeBackground(HTHEME, HDC hDC, int nPart, int nState, const RECT* pRect, const RECT*) {
  g_drawn.push_back({nPart, nState});
  CBrush brush(kStyledFrame);
  return g_bFrameFails ? E_FAIL : (::FillRect(hDC, pRect, brush), S_OK);
}
HRESULT WINAPI FakeText(HTHEME, HDC, int nPart, int nState, LPCWSTR, int, DWORD, DWORD, const RECT*) {
  g_drawn.push_back({100 + nPart, nState});
  return S_OK;
}

// Enabled and disabled; a failing frame part falls back to the etched frame.
TEST_F(StaticControlTest, GroupBoxDrawsTheVisualStylesPartOrFallsBack) {
  Begin(CLASSIC);
  ASSERT_NE(HMODULE(NULL), Api().GetModule());
  Fake(CExtVisualStyleApi::EP_IsThemeActive, AsProc(Yes));
  Fake(CExtVisualStyleApi::EP_GetThemeAppProperties, AsProc(AllowControls));
  Fake(CExtVisualStyleApi::EP_OpenThemeData, AsProc(FakeOpen));
  Fake(CExtVisualStyleApi::EP_CloseThemeData, AsProc(FakeClose));
  Fake(CExtVisualStyleApi::EP_DrawThemeBackground, AsProc(FakeBackground));
  Fake(CExtVisualStyleApi::EP_DrawThemeText, AsProc(FakeText));
  Api().TestSetCommonControlsVersion(MAKELONG(0, 6));
  m_box.m_clrBackground = kBack;
  Make(m_box, "BUTTON", "Group", BS_GROUPBOX, kBoxCx, kBoxCy);
  for (const bool bFails : {false, true})
    for (const bool bEnabled : {true, false}) {
      g_bFrameFails = bFails;
      m_box.EnableWindow(bEnabled);
      g_drawn.clear();
      const pixel_support::Pixels px = Read(m_box);
      const int nState = bEnabled ? 1 : 2;
      EXPECT_EQ((std::vector<std::pair<int, int>>{{104, nState}, {4, nState}}), g_drawn) << bEnabled;
      EXPECT_EQ(bFails ? kShadow : kStyledFrame, px.At(0, kMid));
      EXPECT_EQ(bFails ? kBack : kStyledFrame, px.At(kBoxCx / 2, kMid));
    }
}

} // namespace
