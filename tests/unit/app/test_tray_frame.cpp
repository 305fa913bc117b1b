// Hiding a frame in the tray and bringing it back: it leaves the screen under the hidden owner,
// comes back where it was, and the caption animation runs when asked or when the system wants it.
#include "app/SystemTray.h"
#include "tests/unit/app/tray_support.h"

#include <gtest/gtest.h>

namespace {

class TrayFrame : public ::testing::Test, public TrayFixtureBase {};

HWND WindowAtCentre(const CRect& rc) { return ::GetAncestor(::WindowFromPoint(rc.CenterPoint()), GA_ROOT); }

TEST_F(TrayFrame, MinimiseHidesTheFrameAndRestoreBringsItBackInPlace) {
  // The animation runs when asked, or whenever the system animates minimising.
  ANIMATIONINFO info = {sizeof(info), 0};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETANIMATION, sizeof(info), &info, 0));
  for (BOOL bForce : {FALSE, TRUE}) {
    SCOPED_TRACE(testing::Message() << "force " << bForce);
    Animations().clear();
    CHostWnd frame;
    ASSERT_TRUE(frame.CreateHost("frame", WS_OVERLAPPEDWINDOW, 500, 400));
    frame.SetWindowPos(NULL, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    frame.ShowWindow(SW_SHOW);
    const CRect rcPlace = ScreenRect(&frame);
    ASSERT_TRUE(PumpUntil([&] { return WindowAtCentre(rcPlace) == frame.m_hWnd; }));
    CRect rcTray;
    CSystemTray::FindTrayWindowRect(&rcTray);
    EXPECT_FALSE(rcTray.IsRectEmpty())
        << rcTray.left << "," << rcTray.top << " " << rcTray.right << "," << rcTray.bottom;

    MinimiseToTray(&frame, bForce);
    EXPECT_FALSE(frame.IsWindowVisible());
    EXPECT_EQ(g_wndTrayOwner.GetSafeHwnd(), ::GetAncestor(frame.m_hWnd, GA_PARENT));
    EXPECT_FALSE(::IsWindowVisible(g_wndTrayOwner.GetSafeHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return WindowAtCentre(rcPlace) != frame.m_hWnd; }));

    RestoreFromTray(&frame, bForce);
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(frame.m_hWnd, GA_PARENT));
    EXPECT_EQ(rcPlace, ScreenRect(&frame));
    EXPECT_TRUE(PumpUntil([&] { return WindowAtCentre(rcPlace) == frame.m_hWnd; }));

    if (bForce || info.iMinAnimate != 0) {
      ASSERT_EQ(2u, Animations().size());
      EXPECT_EQ(rcPlace, Animations()[0].rcFrom);
      EXPECT_EQ(rcTray, Animations()[0].rcTo);
      EXPECT_EQ(rcTray, Animations()[1].rcFrom);
      EXPECT_EQ(rcPlace, Animations()[1].rcTo);
    } else {
      EXPECT_TRUE(Animations().empty());
    }
    frame.DestroyWindow();
  }
}

} // namespace
