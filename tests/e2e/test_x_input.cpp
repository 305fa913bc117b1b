// The driver's own input through the X server: a press that never reaches the window system fails
// the test and says where it went, instead of passing after its wait.
#include "tests/e2e/e2e_support.h"

#include <gtest/gtest-spi.h>

#include <vector>

using namespace e2e;

namespace {

BOOL CALLBACK CollectShown(HWND hWnd, LPARAM lParam) {
  if (::IsWindowVisible(hWnd))
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
  return TRUE;
}

// Over the bare X root, where no window of Wine's lies, X gives the press to no program.
TEST(XInput, APressThatNeverArrivesFailsNamingTheWindowUnderThePointer) {
  std::vector<HWND> shown; // this thread's, the pattern behind the program among them
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectShown, reinterpret_cast<LPARAM>(&shown));
  for (HWND hWnd : shown)
    ::ShowWindow(hWnd, SW_HIDE);
  const POINT corner = {::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1};
  ASSERT_EQ(::GetDesktopWindow(), ::WindowFromPoint(corner)) << DescribeWindow(::WindowFromPoint(corner));
  EXPECT_NONFATAL_FAILURE(
      SendXSteps("C" + std::to_string(corner.x) + "," + std::to_string(corner.y), ::GetDesktopWindow()),
      "never reached the window system; under the pointer: the #32769 window");
  EXPECT_TRUE(XPointer("mouseup 1"));
  for (HWND hWnd : shown)
    ::ShowWindow(hWnd, SW_SHOWNA);
}

} // namespace
