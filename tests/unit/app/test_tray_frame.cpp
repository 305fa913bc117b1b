// Hiding a frame in the tray and bringing it back: it leaves the screen under the hidden owner,
// comes back where it was, and the caption animation runs when asked or when the system animates.
#include "tests/common/window_support.h"
#include "tests/unit/app/tray_support.h"

#include <gtest/gtest.h>

namespace {

HWND WindowAt(POINT pt) { return ::GetAncestor(::WindowFromPoint(pt), GA_ROOT); }

TEST(TrayFrame, MinimiseHidesTheFrameAndRestoreBringsItBackInPlace) {
  FakeShellInPlace shell;
  auto& animations = FakeShell::Get().animations;
  ANIMATIONINFO info = {sizeof(info), 0};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETANIMATION, sizeof(info), &info, 0));
  for (BOOL bForce : {FALSE, TRUE}) {
    animations.clear();
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(120, 90, 620, 490)));
    pFrame->ShowWindow(SW_SHOW);
    const CRect rcPlace = ScreenRect(pFrame);
    const HWND hFrame = pFrame->m_hWnd;
    ASSERT_TRUE(PumpUntil([&] { return WindowAt(rcPlace.CenterPoint()) == hFrame; }));
    CRect rcTray;
    CSystemTray::FindTrayWindowRect(&rcTray);
    EXPECT_FALSE(rcTray.IsRectEmpty());

    MinimiseToTray(pFrame, bForce);
    EXPECT_FALSE(pFrame->IsWindowVisible());
    EXPECT_EQ(g_wndTrayOwner.GetSafeHwnd(), ::GetAncestor(hFrame, GA_PARENT));
    EXPECT_FALSE(::IsWindowVisible(g_wndTrayOwner.GetSafeHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return WindowAt(rcPlace.CenterPoint()) != hFrame; }));

    RestoreFromTray(pFrame, bForce);
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(hFrame, GA_PARENT));
    EXPECT_EQ(rcPlace, ScreenRect(pFrame));
    EXPECT_TRUE(PumpUntil([&] { return WindowAt(rcPlace.CenterPoint()) == hFrame; }));

    const bool bAnimated = bForce || info.iMinAnimate != 0;
    const std::vector<std::pair<CRect, CRect>> expected = {{rcPlace, rcTray}, {rcTray, rcPlace}};
    EXPECT_EQ(bAnimated ? expected : decltype(expected){}, animations) << bForce;
    pFrame->DestroyWindow();
  }
}

} // namespace
