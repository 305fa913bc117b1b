// The drop shadow of popups on 32-bit DIB surfaces: the factors along the band and its corners,
// the tint, the dithered shadow of palette screens, the clip region and the joint of a menu with
// its button, and the window beneath.
#include "tests/unit/toolkit/menus/popup_base_support.h"

#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupShadow.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

namespace {

using pixel_support::DibSurface;
using popup_base_test::CForcedScreenDepth;
using popup_base_test::Shaded;

const COLORREF kGrey = RGB(200, 200, 200);
const COLORREF kContent = RGB(10, 120, 30);
const CRect kRcContent(10, 10, 60, 50);

// A grey target with the content painted at kRcContent.
struct Scene {
  Scene() : target(120, 100, kGrey) { target.dc().FillSolidRect(&kRcContent, kContent); }
  bool Paint(CExtPopupShadow& shadow, int nSize = 4, bool bTint = false, const RECT& rc = kRcContent) {
    return shadow.PaintFor(target.dc(), rc, CRect(), CRect(), nSize, 75, 100, true, bTint, NULL);
  }
  DibSurface target;
};

TEST(PopupShadow, NoSizeOrNoContentDrawsNothingAndSucceeds) {
  for (const auto& [nSize, rc] : {std::make_pair(0, kRcContent), std::make_pair(4, CRect()),
                                  std::make_pair(4, CRect(10, 10, 10, 50)), std::make_pair(-3, kRcContent)}) {
    DibSurface target(120, 100, kGrey);
    CExtPopupShadow shadow;
    EXPECT_TRUE(shadow.PaintFor(target.dc(), rc, CRect(), CRect(), nSize, 75, 100, true, false, NULL));
    EXPECT_FALSE(shadow.HasSavedScreen());
    EXPECT_TRUE(shadow.RestoreScreen(target.dc()) && shadow.PaintCached(target.dc()));
    EXPECT_EQ(std::vector<COLORREF>(120 * 100, kGrey), target.Pixels()) << nSize;
  }
}

TEST(PopupShadow, TheBandDarkensFromTheContentEdgeOutRoundsItsCornersAndIsKept) {
  Scene scene;
  CExtPopupShadow shadow;
  ASSERT_TRUE(scene.Paint(shadow));
  // Size 4, factors 75 to 100: 75, 81, 87 and 93 at distances 0-3; corners by the whole distance
  // from their centre, nothing beyond 4. -1: left alone.
  const struct {
    int x, y, nFactor;
  } rows[] = {
      {60, 30, 75}, {61, 30, 81}, {62, 30, 87}, {63, 30, 93},  {64, 30, -1},               // right
      {30, 50, 75}, {30, 51, 81}, {30, 53, 93}, {30, 54, -1},                              // bottom
      {60, 50, 75}, {61, 51, 81}, {62, 52, 87}, {63, 52, 93},  {63, 53, -1}, {60, 53, 93}, // corner
      {60, 14, 75}, {60, 13, 81}, {62, 12, 87}, {60, 10, 100}, {63, 11, -1}, {61, 9, -1},  // top end
      {14, 50, 75}, {13, 50, 81}, {12, 52, 87}, {10, 50, 100}, {11, 53, -1}, {9, 51, -1},  // left end
      {30, 30, -2},                                                                        // content
  };
  for (int nPass = 0; nPass < 2; ++nPass) {
    for (const auto& row : rows)
      EXPECT_EQ(row.nFactor == -2 ? kContent
                : row.nFactor < 0 ? kGrey
                                  : Shaded(kGrey, row.nFactor),
                scene.target.At(row.x, row.y))
          << row.x << ", " << row.y << " pass " << nPass;
    // The kept strips paint the same shadow again over whatever the band shows now.
    scene.target.dc().FillSolidRect(60, 10, 10, 60, kGrey);
    scene.target.dc().FillSolidRect(9, 50, 60, 10, kGrey);
    EXPECT_TRUE(shadow.Render(scene.target.dc(), NULL, NULL, NULL));
  }
}

TEST(PopupShadow, ATintKeepsMoreOfEachChannelTheMoreTheThemesShadowColourHasOfIt) {
  // 0x00RRGGBB pixels; each channel keeps min(100, p + (100 - p) * tint / 255) percent.
  const struct {
    DWORD px;
    int nFactor;
    COLORREF clrTint;
    DWORD expected;
  } rows[] = {
      {0x00C86432, 75, (COLORREF)-1, 0x00964B25},
      {0x00C86432, 75, RGB(255, 0, 51), 0x00C84B28},
      {0x00FFFFFF, 90, RGB(128, 128, 128), 0x00F2F2F2},
      {0x00808080, 0, (COLORREF)-1, 0x00000000},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.expected, CExtPopupShadow::ShadePixel(row.px, row.nFactor, row.clrTint))
        << std::hex << row.px;
  // The shadow asks the theme for its colour when told to tint.
  class CTintTheme : public CExtPaintManagerXP {
    COLORREF GetShadowColor() override { return RGB(255, 0, 51); }
  };
  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CTintTheme));
  for (bool bTint : {true, false}) {
    Scene scene;
    CExtPopupShadow shadow;
    ASSERT_TRUE(scene.Paint(shadow, 4, bTint));
    EXPECT_EQ(bTint ? RGB(200, 150, 160) : RGB(150, 150, 150), scene.target.At(60, 30)) << bTint;
  }
  g_PaintManagerHolder.InstallTheme(NULL);
}

TEST(PopupShadow, APaletteScreenGetsACheckerboardAtMostFourPixelsWide) {
  CForcedScreenDepth depth(8);
  ASSERT_TRUE(depth.Applied());
  Scene scene;
  CExtPopupShadow shadow;
  ASSERT_TRUE(scene.Paint(shadow, 8));
  // Bottom band from (14, 50), 50 wide; right band from (60, 14) down to the bottom; 4 deep.
  const CRect rcBottom(14, 50, 64, 54), rcRight(60, 14, 64, 50);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 120; ++x) {
      if (kRcContent.PtInRect(CPoint(x, y)))
        continue;
      const bool bBand = rcBottom.PtInRect(CPoint(x, y)) || rcRight.PtInRect(CPoint(x, y));
      // Black on every other pixel of the band, so that its pixel and the next one differ.
      const COLORREF clr = scene.target.At(x, y);
      ASSERT_TRUE(clr == kGrey || (bBand && clr == RGB(0, 0, 0))) << x << ", " << y;
      if (bBand && x < 63 && y < 53)
        ASSERT_TRUE(clr != scene.target.At(x + 1, y) && clr != scene.target.At(x, y + 1)) << x << ", " << y;
    }
}

TEST(PopupShadow, NoShadowFallsAcrossTheJointOfAMenuAndItsButtonAndOnlyThenIsTheBandClipped) {
  const CRect rcBody(10, 30, 60, 70);
  const struct {
    CRect rcButton;
    bool bBodyFirst;
    COLORREF clrJoint; // the body's band beside the joint: straight on, or its rounded end
  } rows[] = {
      {CRect(10, 10, 60, 30), false, Shaded(kGrey, 75)},
      {CRect(10, 10, 60, 30), true, Shaded(kGrey, 75)},
      {CRect(10, 10, 40, 30), false, kGrey},
      {CRect(10, 10, 40, 30), true, kGrey},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << row.rcButton.right << (row.bBodyFirst ? " body first" : " button first"));
    DibSurface target(120, 100, kGrey);
    target.dc().FillSolidRect(&rcBody, kContent);
    target.dc().FillSolidRect(&row.rcButton, kContent);
    CExtPopupShadow shadows[2];
    for (int i = 0; i < 2; ++i) {
      const bool bBody = (i == 0) == row.bBodyFirst;
      ASSERT_TRUE(shadows[i].PaintFor(target.dc(), bBody ? rcBody : row.rcButton, rcBody, row.rcButton, 4, 75,
                                      100, true, false, NULL));
      EXPECT_TRUE(shadows[i].m_rgnClip.PtInRegion(bBody ? 63 : row.rcButton.right + 3, bBody ? 73 : 20));
      EXPECT_FALSE(shadows[i].m_rgnClip.PtInRegion(bBody ? 59 : row.rcButton.right - 1, bBody ? 69 : 20));
    }
    for (const CRect* pRect : {&rcBody, &row.rcButton})
      for (int y = pRect->top; y < pRect->bottom; ++y)
        for (int x = pRect->left; x < pRect->right; ++x)
          ASSERT_EQ(kContent, target.At(x, y)) << x << ", " << y;
    EXPECT_EQ(row.clrJoint, target.At(60, 30));
    // Darkened once, by the band it lies in.
    for (const CPoint& pt : {CPoint(62, 40), CPoint(row.rcButton.right + 2, 20), CPoint(62, 72)})
      EXPECT_EQ(Shaded(kGrey, 87), target.At(pt.x, pt.y)) << pt.x << ", " << pt.y;
  }
  // A plain popup has no clip region.
  Scene scene;
  CExtPopupShadow shadow;
  ASSERT_TRUE(shadow.PaintFor(scene.target.dc(), rcBody, rcBody, CRect(), 4, 75, 100, true, false, NULL));
  EXPECT_EQ(nullptr, shadow.m_rgnClip.GetSafeHandle());
}

// A pop-up whose background is red, also when printed.
LRESULT CALLBACK RedProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg != WM_ERASEBKGND)
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  ::SetDCBrushColor((HDC)wParam, RGB(255, 0, 0));
  ::FillRect((HDC)wParam, &rc, (HBRUSH)::GetStockObject(DC_BRUSH));
  return 1;
}

TEST(PopupShadow, OnlyAVisibleWindowBeneathShowsThroughTheBandElseTheSavedScreen) {
  static const ATOM s_atom = [] {
    WNDCLASSA wc = {0, RedProc, 0, 0, ::GetModuleHandleA(NULL), NULL, NULL, NULL, NULL, "PopupShadowTestRed"};
    return ::RegisterClassA(&wc);
  }();
  ASSERT_NE(0, s_atom);
  CHostWnd content;
  ASSERT_TRUE(content.CreateHost("content", WS_POPUP | WS_VISIBLE, 100, 80));
  content.SetWindowPos(NULL, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (bool bVisible : {false, true}) {
    const HWND hWndBeneath =
        ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "PopupShadowTestRed", "",
                          WS_POPUP | (bVisible ? WS_VISIBLE : 0), 300, 300, 100, 100, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWndBeneath);
    Scene scene;
    CExtPopupShadow shadow;
    ASSERT_TRUE(
        shadow.PaintFor(scene.target.dc(), kRcContent, CRect(), CRect(), 4, 75, 100, false, false, NULL));
    // The popup has painted over its band since the screen was saved.
    scene.target.dc().FillSolidRect(60, 10, 10, 60, RGB(0, 0, 255));
    ASSERT_TRUE(shadow.Render(scene.target.dc(), &content, CWnd::FromHandle(hWndBeneath), NULL));
    const COLORREF clrBeneath = bVisible ? RGB(255, 0, 0) : kGrey;
    EXPECT_EQ(Shaded(clrBeneath, 75), scene.target.At(60, 30)) << bVisible;
    EXPECT_EQ(clrBeneath, scene.target.At(63, 11)) << bVisible; // past the rounded end
    ::DestroyWindow(hWndBeneath);
  }
  content.DestroyWindow();
}

} // namespace
