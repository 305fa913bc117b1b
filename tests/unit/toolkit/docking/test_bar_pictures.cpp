// What a bar paints: its non-client area per theme (pictures left under the artifacts folder),
// WM_PRINT into a device context, and the tracked areas the trackers draw with XOR.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace pixel_support;

class BarPicturesPerTheme : public ::testing::TestWithParam<CRuntimeClass*> {
protected:
  void TearDown() override { g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)); }
};

TEST_P(BarPicturesPerTheme, CaptionAndBordersArePaintedAroundTheChild) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pLeft = DockBar(pFrame.get(), 301, AFX_IDW_DOCKBAR_LEFT, "Panel");
  auto pTool = DockBar(pFrame.get(), 302, AFX_IDW_DOCKBAR_TOP, "Tool", true);
  ASSERT_TRUE(pLeft && pTool);
  pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  CRect rcFrame;
  pFrame->GetClientRect(&rcFrame);
  Pixels px = ReadWindow(pFrame->m_hWnd, rcFrame);
  ASSERT_FALSE(px.Empty());
  std::string name = std::string("docking_bars_") + GetParam()->m_lpszClassName + ".bmp";
  EXPECT_FALSE(SaveBmp(px, name.c_str()).empty());
  // The caption band of the panel differs from the child below it, which fills the client area.
  CRect rcWnd, rcClient;
  pLeft->GetWindowRect(&rcWnd);
  pFrame->ScreenToClient(&rcWnd);
  CPoint ptCaption = rcWnd.TopLeft() + pLeft->GetNcCaptionRect().CenterPoint();
  pLeft->GetClientRect(&rcClient);
  pLeft->ClientToScreen(&rcClient);
  pFrame->ScreenToClient(&rcClient);
  COLORREF clrChild = px.At(rcClient.CenterPoint().x, rcClient.CenterPoint().y);
  EXPECT_EQ(clrChild, px.At(std::max(0L, rcClient.left) + 2, rcClient.top + 2));
  EXPECT_EQ(clrChild, px.At(rcClient.right - 3, rcClient.bottom - 3));
  EXPECT_NE(clrChild, px.At(ptCaption.x, ptCaption.y));
  pTool.reset();
  pLeft.reset();
}

INSTANTIATE_TEST_SUITE_P(Themes, BarPicturesPerTheme,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                         [](const auto& info) { return std::string(info.param->m_lpszClassName); });

TEST(BarPictures, PrintDrawsTheNonClientAreaAndAnswersOne) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 311, AFX_IDW_DOCKBAR_LEFT, "Printed");
  ASSERT_TRUE(pBar);
  CRect rcBox = WindowBox(pBar.get());
  const COLORREF kBlank = RGB(1, 2, 3);
  DibSurface surface(rcBox.Width(), rcBox.Height(), kBlank);
  LRESULT lResult =
      pBar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(1, lResult);
  CPoint ptCaption = pBar->GetNcCaptionRect().CenterPoint();
  EXPECT_NE(kBlank, surface.At(ptCaption.x, ptCaption.y));
  CPoint ptRow = pBar->GetNcRowResizerRect().CenterPoint();
  EXPECT_NE(kBlank, surface.At(ptRow.x, ptRow.y));
  pBar.reset();
}

class TrackedAreaKinds : public ::testing::TestWithParam<LONG> {};

TEST_P(TrackedAreaKinds, DrawnTwiceLeavesThePixelsUnchanged) {
  DibSurface surface(160, 120, RGB(30, 90, 200));
  std::vector<COLORREF> before = surface.Pixels();
  CBrush brush;
  brush.CreateSolidBrush(RGB(255, 255, 255));
  CExtControlBar::TrackedAreaDrawData data(NULL, &surface.dc(), GetParam(), CRect(10, 10, 150, 110), false);
  data.Draw(&brush, PATINVERT);
  EXPECT_NE(before, surface.Pixels());
  // The inside of a frame outline is left alone.
  if (GetParam() >= CExtControlBar::TrackedAreaDrawData::KIND_FRAME)
    EXPECT_EQ(RGB(30, 90, 200), surface.At(80, 40));
  data.Draw(&brush, PATINVERT);
  EXPECT_EQ(before, surface.Pixels());
}

INSTANTIATE_TEST_SUITE_P(Kinds, TrackedAreaKinds, ::testing::Values(0, 1, 2, 3));

TEST(BarPictures, TheTabOfAFrameWithTabSitsInTheBottomStrip) {
  DibSurface surface(200, 100, RGB(0, 0, 0));
  CBrush brush;
  brush.CreateSolidBrush(RGB(255, 255, 255));
  CExtControlBar::TrackedAreaDrawData data(NULL, &surface.dc(),
                                           CExtControlBar::TrackedAreaDrawData::KIND_FRAME_WITH_TAB,
                                           CRect(0, 0, 200, 100), false);
  data.Draw(&brush, PATINVERT);
  int cx = ::GetSystemMetrics(SM_CXFRAME);
  int nTabLeft = 8 + cx;
  // The tab's left side in the bottom strip; the strip beside the tab stays empty.
  EXPECT_EQ(RGB(255, 255, 255), surface.At(nTabLeft, 95));
  EXPECT_EQ(RGB(0, 0, 0), surface.At(nTabLeft - 2, 95));
  EXPECT_EQ(RGB(0, 0, 0), surface.At(nTabLeft + 36 + 4, 95));
}

TEST(BarPictures, AFrameThatDrawsTheAreaItselfIsTold) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pBar = DockBar(pFrame.get(), 321, AFX_IDW_DOCKBAR_TOP, "Tracked");
  ASSERT_TRUE(pBar);
  CExtControlBar::TrackedAreaDrawData data(pBar.get(), NULL, 0, CRect(0, 0, 10, 10), false);
  EXPECT_FALSE(pBar->NotifyDrawTrackedArea(data));
  pFrame->m_bDrawTrackedAreasItself = true;
  EXPECT_TRUE(pBar->NotifyDrawTrackedArea(data));
  EXPECT_EQ(2, pFrame->m_nTrackedAreas);
  pBar.reset();
}

} // namespace
