// A menu over a known pattern, read back from the screen: its fade frames and its shadow show the
// screen beneath it (never the popup's own surface), also when it is shown again or grows, and on a
// palette screen the shadow is a checkerboard.
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/foundation/ExtSoundPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

using menu_paint::CMenuReceiver;
using menu_paint::ShowAt;
using menu_paint::WaitUntil;
using pattern_window::PatternColor;
using pixel_support::Pixels;

const CRect kPatternArea(0, 0, 900, 700);
const CPoint kMenuAt(300, 200);

bool Near(COLORREF a, COLORREF b, int nTolerance = 3) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

COLORREF ScreenAt(const CPoint& pt) {
  return pixel_support::ReadWindow(NULL, CRect(pt, CSize(1, 1))).At(0, 0);
}

// Waits until the screen shows the pattern of the salt darkened by a shadow at the point.
::testing::AssertionResult ShowsShadowOver(const CPoint& pt, int nSalt = 0) {
  const COLORREF clrBeneath = PatternColor(pt.x, pt.y, nSalt);
  auto darkened = [&](COLORREF clr) {
    const int nWas = GetRValue(clrBeneath) + GetGValue(clrBeneath) + GetBValue(clrBeneath);
    const int nIs = GetRValue(clr) + GetGValue(clr) + GetBValue(clr);
    return nIs < nWas && nIs * 100 >= nWas * 70 && clr != RGB(0, 0, 0);
  };
  if (WaitUntil([&] { return darkened(ScreenAt(pt)); }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << ScreenAt(pt) << " is not a darker " << clrBeneath
                                       << " at " << std::dec << pt.x << "," << pt.y;
}

class MenuPixelTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_pattern.Create(kPatternArea, 0, true));
    ASSERT_TRUE(WaitUntil([] { return ScreenAt(CPoint(420, 330)) == PatternColor(420, 330); }));
    ASSERT_TRUE(m_receiver.CreateReceiver());
    ASSERT_TRUE(m_menu.InitTopLevel(m_receiver.GetSafeHwnd()));
    for (int i = 0; i < 6; ++i)
      ASSERT_TRUE(m_menu.InsertOwnItem(0x8100 + i, -1, "Menu row", "Ctrl+M", CExtCmdIcon()));
  }
  void TearDown() override {
    CExtPaintManager::TestForceScreenBitsPerPixel(0);
    m_menu.ResetAndHide(false);
  }
  // The menu body in screen coordinates.
  CRect ScreenBody() const {
    CRect rcWindow;
    m_menu.GetWindowRect(rcWindow);
    CRect rc = m_menu.GetBodyRect();
    rc.OffsetRect(rcWindow.TopLeft());
    return rc;
  }

  pattern_window::CPatternWindow m_pattern;
  CMenuReceiver m_receiver;
  CExtPopupMenuWnd m_menu;
};

TEST_F(MenuPixelTest, FadeFramesBlendThePatternBeneathIntoTheMenu) {
  ASSERT_TRUE(ShowAt(m_menu, &m_receiver, kMenuAt, 0, CExtPopupBaseWnd::ANIM_FADE));
  m_menu.KillTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
  EXPECT_EQ((UINT)CExtSoundPlayer::UI_SOUND_MENU_POPUP, m_menu.m_nEndSound)
      << "a top menu sounds once it is there";
  const CRect rcBody = ScreenBody();
  const CPoint ptIn(rcBody.left + rcBody.Width() * 2 / 3, rcBody.CenterPoint().y);
  const CPoint ptBand(rcBody.right + 1, rcBody.top + 12);
  // The first frame is the screen as it was.
  EXPECT_TRUE(WaitUntil([&] { return Near(ScreenAt(ptIn), PatternColor(ptIn.x, ptIn.y), 2); }));
  // What the finished menu shows there.
  CRect rcClient;
  m_menu.GetClientRect(rcClient);
  pixel_support::DibSurface final(rcClient.Width(), rcClient.Height());
  m_menu.PaintContent(final.dc(), false);
  CRect rcWindow;
  m_menu.GetWindowRect(rcWindow);
  const COLORREF clrFinal = final.At(ptIn.x - rcWindow.left, ptIn.y - rcWindow.top);
  const COLORREF clrBeneath = PatternColor(ptIn.x, ptIn.y);
  m_menu.StepAnimation();
  m_menu.StepAnimation();
  ASSERT_EQ(40, m_menu.m_nStep);
  m_menu.UpdateWindow();
  auto blend = [](int b, int f) { return (b * 60 + f * 40) / 100; };
  const COLORREF clrWant = RGB(blend(GetRValue(clrBeneath), GetRValue(clrFinal)),
                               blend(GetGValue(clrBeneath), GetGValue(clrFinal)),
                               blend(GetBValue(clrBeneath), GetBValue(clrFinal)));
  EXPECT_TRUE(WaitUntil([&] { return Near(ScreenAt(ptIn), clrWant); }))
      << std::hex << ScreenAt(ptIn) << " is not " << clrWant;
  // No shadow while the menu fades in: the band shows the pattern as it is.
  EXPECT_TRUE(Near(ScreenAt(ptBand), PatternColor(ptBand.x, ptBand.y), 2))
      << std::hex << ScreenAt(ptBand) << " is not the pattern's " << PatternColor(ptBand.x, ptBand.y);
}

TEST_F(MenuPixelTest, TheShadowDarkensThePatternBeneath) {
  ASSERT_TRUE(ShowAt(m_menu, &m_receiver, kMenuAt, 0, CExtPopupBaseWnd::ANIM_NONE));
  const CRect rcBody = ScreenBody();
  const int nShadow = m_menu.GetShadowSize();
  ASSERT_GT(nShadow, 0);
  // Next to the right edge and below the bottom edge, the darkest part of the band.
  EXPECT_TRUE(ShowsShadowOver(CPoint(rcBody.right, rcBody.top + 12)));
  EXPECT_TRUE(ShowsShadowOver(CPoint(rcBody.left + 20, rcBody.bottom)));
  // The band is as wide as the shadow, once: right past it the pattern is untouched.
  const CPoint ptPast(rcBody.right + nShadow, rcBody.top + 12);
  EXPECT_EQ(PatternColor(ptPast.x, ptPast.y), ScreenAt(ptPast));
}

TEST_F(MenuPixelTest, ShownAgainTheShadowTakesTheScreenAnew) {
  ASSERT_TRUE(ShowAt(m_menu, &m_receiver, kMenuAt, 0, CExtPopupBaseWnd::ANIM_NONE));
  const CPoint pt(ScreenBody().right, ScreenBody().top + 12);
  ASSERT_TRUE(ShowsShadowOver(pt));
  // Another pattern comes beneath the menu.
  pattern_window::CPatternWindow other;
  ASSERT_TRUE(other.Create(kPatternArea, 1, true));
  ::SetWindowPos(m_menu.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  m_menu.ReshowForShadow();
  EXPECT_TRUE(ShowsShadowOver(pt, 1));
}

TEST_F(MenuPixelTest, AGrowingMenuMovesItsShadowOverTheScreenBeneath) {
  ASSERT_TRUE(ShowAt(m_menu, &m_receiver, kMenuAt, 0, CExtPopupBaseWnd::ANIM_NONE));
  const CRect rcBefore = ScreenBody();
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(m_menu.InsertOwnItem(0x8200 + i, -1, "Another row", NULL, CExtCmdIcon()));
  ASSERT_TRUE(m_menu.ExpandToAllItems());
  EXPECT_EQ(1, m_receiver.Count(CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded));
  EXPECT_EQ(CExtPopupBaseWnd::ANIM_EXPAND, m_menu.m_nAnimationType);
  m_menu.KillTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
  while (!m_menu.IsAnimationFinished()) {
    m_menu.StepAnimation();
    m_menu.UpdateWindow();
  }
  const CRect rcAfter = ScreenBody();
  EXPECT_GT(rcAfter.Height(), rcBefore.Height());
  EXPECT_TRUE(ShowsShadowOver(CPoint(rcAfter.left + 20, rcAfter.bottom)));
  EXPECT_TRUE(ShowsShadowOver(CPoint(rcAfter.right, rcAfter.bottom - 12)));
}

TEST_F(MenuPixelTest, OnAPaletteScreenTheShadowIsACheckerboard) {
  CExtPaintManager::TestForceScreenBitsPerPixel(8);
  ASSERT_TRUE(ShowAt(m_menu, &m_receiver, kMenuAt, 0, CExtPopupBaseWnd::ANIM_FADE));
  EXPECT_TRUE(m_menu.IsAnimationFinished()) << "no animation on a palette screen";
  const CRect rcBody = ScreenBody();
  const int nBand = std::min(m_menu.GetShadowSize(), 4);
  ASSERT_GT(nBand, 0);
  // The bottom band, one row: black and the pattern take turns.
  const CRect rcRow(rcBody.left + nBand + 4, rcBody.bottom + 1, rcBody.left + nBand + 20, rcBody.bottom + 2);
  auto checkerboard = [&](const Pixels& px) {
    for (int x = 0; x < px.cx; ++x) {
      const COLORREF clr = px.At(x, 0);
      const bool bBlack = clr == RGB(0, 0, 0);
      if (bBlack != (px.At(0, 0) == RGB(0, 0, 0) ? x % 2 == 0 : x % 2 == 1))
        return false;
      if (!bBlack && clr != PatternColor(rcRow.left + x, rcRow.top))
        return false;
    }
    return true;
  };
  EXPECT_TRUE(WaitUntil([&] { return checkerboard(pixel_support::ReadWindow(NULL, rcRow)); }));
}

} // namespace

namespace {

// A step of the current item repaints only the rows it changes; the menu must then look exactly as
// it does when painted whole.
TEST_F(MenuPixelTest, ACurrentItemStepLooksAsTheWholeMenuPaintedAnew) {
  ASSERT_TRUE(ShowAt(m_menu, &m_receiver, kMenuAt, 0, CExtPopupBaseWnd::ANIM_NONE));
  CRect rcClient;
  m_menu.GetClientRect(rcClient);
  const int nRows = m_menu.GetItemCount();
  for (int nStep : {0, 1, 2, 5, 0, 3}) {
    m_menu.SetCurrentItem(nStep % nRows, false, true);
    const Pixels stepped = pixel_support::ReadWindow(m_menu.m_hWnd, rcClient);
    ::RedrawWindow(m_menu.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    const Pixels whole = pixel_support::ReadWindow(m_menu.m_hWnd, rcClient);
    ASSERT_FALSE(whole.Empty());
    EXPECT_TRUE(stepped.data == whole.data) << "after a step to row " << nStep;
  }
}

} // namespace
