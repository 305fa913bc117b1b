// The visual-style library wrapper: guarded calls to the library and the cached theme handle.
#include "toolkit/theme/ExtVisualStyleApi.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>
#include <vssym32.h>

#include <algorithm>
#include <vector>

namespace {

// Counting stand-ins for the library's open and close.
int g_nOpened = 0;
std::vector<HTHEME> g_closed;

HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR) {
  return reinterpret_cast<HTHEME>((INT_PTR)(0x1000 + ++g_nOpened));
}
HRESULT WINAPI FakeCloseThemeData(HTHEME hTheme) {
  g_closed.push_back(hTheme);
  return S_OK;
}

template <class PFN> FARPROC AsProc(PFN pfn) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(pfn));
}

HTHEME Opened(int n) { return reinterpret_cast<HTHEME>((INT_PTR)(0x1000 + n)); }

TEST(VisualStyleApi, KeepsOneThemeOpenPerWindowAndClassList) {
  g_nOpened = 0;
  g_closed.clear();
  CExtVisualStyleApi api;
  api.TestReplaceEntryPoint(CExtVisualStyleApi::EP_OpenThemeData, AsProc(FakeOpenThemeData));
  api.TestReplaceEntryPoint(CExtVisualStyleApi::EP_CloseThemeData, AsProc(FakeCloseThemeData));
  CHostWnd first, second;
  ASSERT_TRUE(first.CreateHost("first"));
  ASSERT_TRUE(second.CreateHost("second"));

  EXPECT_EQ(Opened(1), api.OpenThemeData(first, L"BUTTON"));
  EXPECT_EQ(Opened(1), api.OpenThemeData(first, L"BUTTON"));
  EXPECT_EQ(1, g_nOpened);
  // A list that is only the start of the cached one names other classes.
  EXPECT_EQ(Opened(2), api.OpenThemeData(first, L"BUT"));
  EXPECT_EQ(Opened(3), api.OpenThemeData(second, L"BUT"));
  EXPECT_EQ(Opened(4), api.OpenThemeData(second, NULL)); // the window's class name
  EXPECT_EQ(Opened(4), api.OpenThemeData(second, L""));
  EXPECT_EQ((std::vector<HTHEME>{Opened(1), Opened(2), Opened(3)}), g_closed);

  // The theme of a window that is gone is closed, not leaked, when another one opens.
  const HWND hSecond = second.GetSafeHwnd();
  second.DestroyWindow();
  EXPECT_EQ(Opened(5), api.OpenThemeData(hSecond, L"BUT"));
  EXPECT_EQ(Opened(4), g_closed.back());

  EXPECT_EQ(0, api.CloseThemeData(true));
  EXPECT_EQ(Opened(5), api.GetOpenTheme());
  EXPECT_EQ(S_OK, api.CloseThemeData());
  EXPECT_EQ(Opened(5), g_closed.back());
  EXPECT_EQ(nullptr, api.GetOpenTheme());
  EXPECT_EQ(0, api.CloseThemeData());
  EXPECT_EQ(5u, g_closed.size());
  first.DestroyWindow();
}

TEST(VisualStyleApi, MissingEntryPointsAnswerWithFailureValues) {
  CExtVisualStyleApi api;
  for (int i = 0; i < CExtVisualStyleApi::EP_COUNT; ++i)
    api.TestReplaceEntryPoint((CExtVisualStyleApi::EntryPoint)i, NULL);
  pixel_support::DibSurface surface(8, 8);
  const RECT rc = {0, 0, 8, 8};
  COLORREF clr = 0;
  WCHAR szFile[MAX_PATH], szColor[MAX_PATH];
  EXPECT_EQ(nullptr, api.OpenThemeData(::GetDesktopWindow(), L"BUTTON"));
  EXPECT_EQ(1, api.DrawThemeBackground(surface.hdc(), 1, 1, &rc, NULL));
  EXPECT_EQ(1, api.DrawThemeText(surface.hdc(), 1, 1, "text", -1, 0, 0, &rc));
  EXPECT_EQ(1, api.GetThemeColor(1, 1, 3803, &clr));
  EXPECT_EQ(1, api.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH));
  EXPECT_FALSE(api.IsAppThemed());
  EXPECT_FALSE(api.IsVisualStyleActive(false));
  EXPECT_EQ(0, api.CloseThemeData());
}

TEST(VisualStyleApi, DrawsThroughTheSystemsVisualStyle) {
  CExtVisualStyleApi api;
  // The program runs without common controls 6.
  EXPECT_EQ(5u, HIWORD(api.GetCommonControlsVersion()));
  EXPECT_FALSE(api.IsVisualStyleActive(true));
  api.TestSetCommonControlsVersion(0x60000);
  EXPECT_TRUE(api.IsVisualStyleActive(true));

  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("themed"));
  ASSERT_NE(nullptr, api.OpenThemeData(host, L"BUTTON"));
  pixel_support::DibSurface surface(60, 24, RGB(255, 0, 255));
  const RECT rcButton = {0, 0, 60, 24};
  EXPECT_EQ(S_OK, api.DrawThemeBackground(surface.hdc(), BP_PUSHBUTTON, PBS_NORMAL, &rcButton, NULL));
  EXPECT_NE(RGB(255, 0, 255), surface.At(30, 12));
  EXPECT_EQ(S_OK, api.CloseThemeData());
  host.DestroyWindow();
}

} // namespace
