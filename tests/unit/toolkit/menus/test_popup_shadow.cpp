// The drop shadow of popups on 32-bit DIB surfaces: the factors along the band and its corners,
// the tint, the dithered shadow of palette screens, the clip region and the joint of a menu with
// its button, and what the window beneath contributes.
#include "tests/unit/toolkit/menus/popup_base_support.h"

#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupShadow.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

namespace {

using pixel_support::DibSurface;
using popup_base_test::CForcedScreenDepth;

const COLORREF kGrey = RGB(200, 200, 200);
const COLORREF kContent = RGB(10, 120, 30);
const CRect kRcContent(10, 10, 60, 50);

COLORREF Shaded(COLORREF clr, int nFactor) {
  return RGB(GetRValue(clr) * nFactor / 100, GetGValue(clr) * nFactor / 100, GetBValue(clr) * nFactor / 100);
}

// A grey target with the content painted at kRcContent.
struct Scene {
  Scene() : target(120, 100, kGrey) { target.dc().FillSolidRect(&kRcContent, kContent); }
  bool Paint(CExtPopupShadow& shadow, int nSize = 4, bool bTint = false, const RECT& rcContent = kRcContent) {
    return shadow.PaintFor(target.dc(), rcContent, CRect(), CRect(), nSize, 75, 100, false, bTint, NULL);
  }
  DibSurface target;
};

TEST(PopupShadow, NoSizeOrNoContentDrawsNothingAndSucceeds) {
  const struct {
    int nSize;
    CRect rcContent;
  } rows[] = {{0, kRcContent}, {4, CRect()}, {4, CRect(10, 10, 10, 50)}, {-3, kRcContent}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.nSize << " " << row.rcContent.Width());
    DibSurface target(120, 100, kGrey);
    CExtPopupShadow shadow;
    EXPECT_TRUE(
        shadow.PaintFor(target.dc(), row.rcContent, CRect(), CRect(), row.nSize, 75, 100, true, false, NULL));
    EXPECT_FALSE(shadow.HasSavedScreen());
    EXPECT_TRUE(shadow.RestoreScreen(target.dc()));
    EXPECT_TRUE(shadow.PaintCached(target.dc()));
    for (COLORREF clr : target.Pixels())
      ASSERT_EQ(kGrey, clr);
  }
}

TEST(PopupShadow, TheBandDarkensFromTheContentEdgeOutAndRoundsItsCorners) {
  Scene scene;
  CExtPopupShadow shadow;
  ASSERT_TRUE(scene.Paint(shadow));
  EXPECT_TRUE(shadow.HasSavedScreen());
  // Size 4, factors 75 to 100: 75, 81, 87 and 93 at distances 0-3; corners by the whole distance
  // from their centre, nothing beyond 4. -1: left alone.
  const struct {
    int x, y, nFactor;
  } rows[] = {
      {60, 30, 75},  {61, 30, 81}, {62, 30, 87}, {63, 30, 93},  {64, 30, -1},               // right
      {30, 50, 75},  {30, 51, 81}, {30, 53, 93}, {30, 54, -1},                              // bottom
      {60, 50, 75},  {61, 51, 81}, {62, 52, 87}, {63, 52, 93},  {63, 53, -1}, {60, 53, 93}, // corner
      {60, 14, 75},  {60, 13, 81}, {62, 12, 87}, {60, 10, 100}, {63, 11, -1}, {61, 9, -1},  // top end
      {14, 50, 75},  {13, 50, 81}, {12, 52, 87}, {10, 50, 100}, {11, 53, -1}, {9, 51, -1},  // left end
      {100, 80, -1},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.nFactor < 0 ? kGrey : Shaded(kGrey, row.nFactor), scene.target.At(row.x, row.y))
        << row.x << ", " << row.y;
  for (int y = kRcContent.top; y < kRcContent.bottom; ++y)
    for (int x = kRcContent.left; x < kRcContent.right; ++x)
      ASSERT_EQ(kContent, scene.target.At(x, y)) << x << ", " << y;
}

TEST(PopupShadow, ATintKeepsMoreOfEachChannelTheMoreTheTintHasOfIt) {
  // 0x00RRGGBB pixels; each channel keeps min(100, p + (100 - p) * tint / 255) percent.
  const struct {
    DWORD px;
    int nFactor;
    COLORREF clrTint;
    DWORD expected;
  } rows[] = {
      {0x00C86432, 75, (COLORREF)-1, 0x00964B25},       // 150, 75, 37
      {0x00C86432, 75, RGB(255, 0, 51), 0x00C84B28},    // R 100 %, G 75 %, B 75 + 5 = 80 %
      {0x00FFFFFF, 90, RGB(128, 128, 128), 0x00F2F2F2}, // 90 + 5 = 95 %
      {0x00FFFFFF, 100, RGB(0, 0, 0), 0x00FFFFFF},      {0x00808080, 0, RGB(255, 255, 255), 0x00808080},
      {0x00808080, 0, (COLORREF)-1, 0x00000000},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.expected, CExtPopupShadow::ShadePixel(row.px, row.nFactor, row.clrTint))
        << std::hex << row.px << " " << std::dec << row.nFactor << " " << std::hex << row.clrTint;
}

class CTintTheme : public CExtPaintManagerXP {
public:
  COLORREF GetShadowColor() override { return m_clrTint; }
  COLORREF m_clrTint = RGB(255, 0, 51);
};

TEST(PopupShadow, TheTintIsTheThemesShadowColourWhenAskedFor) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CTintTheme));
  const struct {
    COLORREF clrTheme;
    bool bTint;
    COLORREF expected; // at distance 0 of the right strip
  } rows[] = {
      {RGB(255, 0, 51), true, RGB(200, 150, 160)},
      {RGB(255, 0, 51), false, RGB(150, 150, 150)},
      {(COLORREF)-1, true, RGB(150, 150, 150)},
  };
  for (const auto& row : rows) {
    static_cast<CTintTheme*>(g_PaintManagerHolder.GetPM())->m_clrTint = row.clrTheme;
    Scene scene;
    CExtPopupShadow shadow;
    ASSERT_TRUE(scene.Paint(shadow, 4, row.bTint));
    EXPECT_EQ(row.expected, scene.target.At(60, 30)) << row.bTint << " " << row.clrTheme;
  }
  g_PaintManagerHolder.InstallTheme(NULL);
}

TEST(PopupShadow, APaletteScreenGetsACheckerboardAtMostFourPixelsWide) {
  CForcedScreenDepth depth(8);
  ASSERT_TRUE(depth.Applied());
  Scene scene;
  CExtPopupShadow shadow;
  ASSERT_TRUE(scene.Paint(shadow, 8));
  // The bands: bottom from (14, 50), 50 wide, right from (60, 14) to the bottom, both 4 deep.
  const CRect rcBottom(14, 50, 64, 54), rcRight(60, 14, 64, 50);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 120; ++x) {
      const COLORREF clr = scene.target.At(x, y);
      if (kRcContent.PtInRect(CPoint(x, y)))
        continue;
      if (!rcBottom.PtInRect(CPoint(x, y)) && !rcRight.PtInRect(CPoint(x, y))) {
        ASSERT_EQ(kGrey, clr) << x << ", " << y;
        continue;
      }
      ASSERT_TRUE(clr == kGrey || clr == RGB(0, 0, 0)) << x << ", " << y;
      // Every other pixel, in both directions.
      if (x + 1 < 64 && (rcBottom.PtInRect(CPoint(x + 1, y)) || rcRight.PtInRect(CPoint(x + 1, y))))
        ASSERT_NE(clr, scene.target.At(x + 1, y)) << x << ", " << y;
      if (rcBottom.PtInRect(CPoint(x, y + 1)) || rcRight.PtInRect(CPoint(x, y + 1)))
        ASSERT_NE(clr, scene.target.At(x, y + 1)) << x << ", " << y;
    }
}

TEST(PopupShadow, OnlyAMenuCombinedWithItsButtonClipsTheBandToItsStrips) {
  const CRect rcBody(10, 30, 60, 70), rcButton(10, 10, 40, 30);
  const struct {
    CRect rcArea1, rcArea2;
    bool bRegion;
  } rows[] = {
      {CRect(), CRect(), false},
      {rcBody, CRect(), false},
      {CRect(), rcButton, false},
      {rcBody, rcButton, true},
  };
  for (const auto& row : rows) {
    DibSurface target(120, 100, kGrey);
    CExtPopupShadow shadow;
    ASSERT_TRUE(
        shadow.PaintFor(target.dc(), rcBody, row.rcArea1, row.rcArea2, 4, 75, 100, true, false, NULL));
    EXPECT_EQ(row.bRegion, shadow.m_rgnClip.GetSafeHandle() != NULL)
        << row.rcArea1.Width() << row.rcArea2.Width();
    if (row.bRegion) {
      EXPECT_TRUE(shadow.m_rgnClip.PtInRegion(60, 30));
      EXPECT_TRUE(shadow.m_rgnClip.PtInRegion(63, 73));
      EXPECT_TRUE(shadow.m_rgnClip.PtInRegion(10, 70));
      EXPECT_FALSE(shadow.m_rgnClip.PtInRegion(59, 69));
      EXPECT_FALSE(shadow.m_rgnClip.PtInRegion(64, 30));
    }
  }
}

TEST(PopupShadow, NoShadowFallsAcrossTheJointOfAMenuAndItsButton) {
  const CRect rcBody(10, 30, 60, 70);
  const struct {
    CRect rcButton;
    bool bBodyFirst;
    COLORREF clrJointRight; // the body's band beside the joint: straight on, or its rounded end
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
    CExtPopupShadow body, button;
    for (int i = 0; i < 2; ++i) {
      const bool bBody = (i == 0) == row.bBodyFirst;
      CExtPopupShadow& shadow = bBody ? body : button;
      ASSERT_TRUE(shadow.PaintFor(target.dc(), bBody ? rcBody : row.rcButton, rcBody, row.rcButton, 4, 75,
                                  100, true, false, NULL));
    }
    for (const CRect* pRect : {&rcBody, &row.rcButton})
      for (int y = pRect->top; y < pRect->bottom; ++y)
        for (int x = pRect->left; x < pRect->right; ++x)
          ASSERT_EQ(kContent, target.At(x, y)) << x << ", " << y;
    EXPECT_EQ(row.clrJointRight, target.At(60, 30));
    // Darkened once, by the band it lies in.
    EXPECT_EQ(Shaded(kGrey, 87), target.At(62, 40));
    EXPECT_EQ(Shaded(kGrey, 87), target.At(row.rcButton.right + 2, 20));
    EXPECT_EQ(Shaded(kGrey, 87), target.At(62, 72));
  }
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

HWND CreateRedWindow(const RECT& rc, bool bVisible) {
  static const ATOM s_atom = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RedProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "PopupShadowTestRed";
    return ::RegisterClassA(&wc);
  }();
  return s_atom == 0 ? NULL
                     : ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "PopupShadowTestRed", "",
                                         WS_POPUP | (bVisible ? WS_VISIBLE : 0), rc.left, rc.top,
                                         rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, NULL, NULL);
}

TEST(PopupShadow, OnlyAVisibleWindowBeneathShowsThroughTheBand) {
  CHostWnd content;
  ASSERT_TRUE(content.CreateHost("content", WS_POPUP | WS_VISIBLE, 100, 80));
  content.SetWindowPos(NULL, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (bool bVisible : {false, true}) {
    SCOPED_TRACE(bVisible);
    const HWND hWndBeneath = CreateRedWindow(CRect(300, 300, 400, 400), bVisible);
    ASSERT_NE(nullptr, hWndBeneath);
    Scene scene;
    CExtPopupShadow shadow;
    ASSERT_TRUE(scene.Paint(shadow));
    // The popup has painted over its band since the screen was saved.
    scene.target.dc().FillSolidRect(60, 10, 10, 60, RGB(0, 0, 255));
    ASSERT_TRUE(shadow.Render(scene.target.dc(), &content, CWnd::FromHandle(hWndBeneath), NULL));
    EXPECT_EQ(Shaded(bVisible ? RGB(255, 0, 0) : kGrey, 75), scene.target.At(60, 30));
    EXPECT_EQ(bVisible ? RGB(255, 0, 0) : kGrey, scene.target.At(63, 11)); // past the rounded end
    ::DestroyWindow(hWndBeneath);
  }
  content.DestroyWindow();
}

TEST(PopupShadow, KeptStripsRepaintTheShadowAndDiscardingThemRecomputesIt) {
  Scene scene;
  CExtPopupShadow shadow;
  ASSERT_TRUE(
      shadow.PaintFor(scene.target.dc(), kRcContent, CRect(), CRect(), 4, 75, 100, true, false, NULL));
  ASSERT_TRUE(shadow.m_bmpRenderedRight.GetSafeHandle() != NULL);
  scene.target.Fill(RGB(0, 0, 255));
  EXPECT_TRUE(shadow.PaintCached(scene.target.dc()));
  EXPECT_EQ(Shaded(kGrey, 75), scene.target.At(60, 30));
  EXPECT_EQ(RGB(0, 0, 255), scene.target.At(30, 30)); // the content is not the shadow's
  shadow.DiscardRendered();
  EXPECT_EQ(nullptr, shadow.m_bmpRenderedRight.GetSafeHandle());
  EXPECT_TRUE(shadow.HasSavedScreen());
  EXPECT_FALSE(shadow.PaintCached(scene.target.dc()));
  scene.target.Fill(RGB(0, 0, 255));
  EXPECT_TRUE(shadow.Render(scene.target.dc(), NULL, NULL, NULL));
  EXPECT_EQ(Shaded(kGrey, 81), scene.target.At(61, 30)); // over the saved screen again
  shadow.Reset();
  EXPECT_FALSE(shadow.HasSavedScreen());
  EXPECT_EQ(nullptr, shadow.m_bmpRenderedBottom.GetSafeHandle());
}

TEST(PopupShadow, StripsAreSavedFromTheScreenSourceWhenThereIsOne) {
  // The image holds what the screen showed beneath a window whose client (0, 0) lies at (5, 5)
  // of the image.
  DibSurface screen(130, 110, RGB(90, 60, 30));
  screen.dc().FillSolidRect(65, 15, 10, 70, RGB(0, 200, 0)); // (60, 10) on the target
  CBitmap image;                                             // like the popup's, selected into no DC
  ASSERT_TRUE(image.CreateCompatibleBitmap(&screen.dc(), 130, 110));
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen.dc()));
    CBitmap* pOld = dc.SelectObject(&image);
    dc.BitBlt(0, 0, 130, 110, &screen.dc(), 0, 0, SRCCOPY);
    dc.SelectObject(pOld);
  }
  Scene scene;
  CExtPopupShadow shadow;
  shadow.SetScreenSource((HBITMAP)image.GetSafeHandle(), CPoint(-5, -5));
  ASSERT_TRUE(scene.Paint(shadow));
  EXPECT_EQ(Shaded(RGB(0, 200, 0), 75), scene.target.At(60, 30));
  EXPECT_EQ(Shaded(RGB(90, 60, 30), 75), scene.target.At(30, 50));
  EXPECT_EQ(kGrey, scene.target.At(100, 80)); // outside the band nothing comes from the image
}

} // namespace
