// Mini frames over the frame that owns them: back above it on the screen when it takes the keyboard,
// never over every window.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Whether the screen shows the floating frame's client area, in the highlight colour, all over rc.
bool ShowsFloatingClient(const CRect& rc) {
  const COLORREF crClient = ::GetSysColor(COLOR_HIGHLIGHT);
  const pixel_support::Pixels px = pixel_support::ReadWindow(NULL, rc);
  return !px.Empty() &&
         std::all_of(px.data.begin(), px.data.end(), [&](COLORREF cr) { return cr == crClient; });
}

// Whether the owner was made topmost and back before the click, as it is around a capture: Wine
// leaves its floating frame topmost then.
class MiniFrameAbove : public ::testing::TestWithParam<bool> {};

// A click into the owner raises it on the screen over its floating frame; the floating frame comes
// back over it there, not topmost. The owner comes first of the windows that are not topmost.
TEST_P(MiniFrameAbove, AClickIntoTheOwnerLeavesTheFloatingFrameOverItAndNotTopmost) {
  TheTestApp();
  CFrameWnd* pOwner = new CFrameWnd; // both delete themselves with their windows
  ASSERT_TRUE(pOwner->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 400)));
  struct Closer {
    HWND hWnd;
    ~Closer() { ::DestroyWindow(hWnd); } // the floating frame goes with its owner
  } closer = {pOwner->m_hWnd};
  CMiniFrameWnd* pFloating = new CMiniFrameWnd;
  const LPCSTR lpszClass = AfxRegisterWndClass(0, NULL, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
  ASSERT_TRUE(
      pFloating->Create(lpszClass, "floating", WS_POPUP | WS_CAPTION, CRect(250, 150, 400, 300), pOwner));
  pOwner->ShowWindow(SW_SHOWNOACTIVATE);
  pFloating->ShowWindow(SW_SHOWNOACTIVATE);
  if (GetParam()) {
    pOwner->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pOwner->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  CRect rcClient;
  pFloating->GetClientRect(&rcClient);
  pFloating->ClientToScreen(&rcClient);
  ASSERT_TRUE(PumpUntil([&] { return ShowsFloatingClient(rcClient); }));

  MouseInClient(pOwner->m_hWnd, CPoint(20, 100), MOUSEEVENTF_LEFTDOWN);
  MouseInClient(pOwner->m_hWnd, CPoint(20, 100), MOUSEEVENTF_LEFTUP);
  ASSERT_EQ(pOwner->m_hWnd, ::GetFocus());
  EXPECT_TRUE(PumpUntil([&] { return ShowsFloatingClient(rcClient); }))
      << "the floating frame is under its owner";
  EXPECT_EQ(0, pFloating->GetExStyle() & WS_EX_TOPMOST) << "the floating frame is topmost";
}

INSTANTIATE_TEST_SUITE_P(Owner, MiniFrameAbove, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "TopmostBefore" : "NeverTopmost";
                         });

} // namespace
