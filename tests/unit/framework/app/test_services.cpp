// Application services other layers rely on: the wait cursor over every window and OLE start-up.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

TEST(WaitCursor, ShownOverWindowsWhileCounted) {
  TheTestApp();
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  HCURSOR hWait = ::LoadCursor(NULL, IDC_WAIT);
  {
    CWaitCursor wait;
    EXPECT_EQ(1, TheTestApp().m_nWaitCursorCount);
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    // The framework answers WM_SETCURSOR itself while the count is up.
    EXPECT_TRUE(
        host.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(host.m_hWnd), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(hWait, ::GetCursor());
    host.BeginWaitCursor(); // nested
    EXPECT_EQ(2, TheTestApp().m_nWaitCursorCount);
    host.EndWaitCursor();
  }
  EXPECT_EQ(0, TheTestApp().m_nWaitCursorCount);
  EXPECT_NE(hWait, ::GetCursor());
  host.DestroyWindow();
}

TEST(Ole, InitialisesOnceAndReportsIt) {
  EXPECT_TRUE(AfxOleInit());
  EXPECT_TRUE(AfxOleIsInitialized());
  EXPECT_TRUE(AfxOleInit()); // a second call is harmless
  AfxOleTerm();
  EXPECT_FALSE(AfxOleIsInitialized());
}

} // namespace
