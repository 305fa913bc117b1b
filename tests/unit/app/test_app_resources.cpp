// The shell's resources the main frame and its windows load by id are in the program.
#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(AppResources, TheMainFramesMenusAndIconAreBuiltIn) {
  const HINSTANCE hInstance = ::GetModuleHandleA(NULL);
  for (UINT nId : {IDR_MAINFRAME, IDR_IMAGE_TYPE, IDR_CAPTURE_MENU}) {
    HMENU hMenu = ::LoadMenuA(hInstance, MAKEINTRESOURCEA(nId));
    EXPECT_NE(nullptr, hMenu) << nId;
    if (hMenu != NULL)
      ::DestroyMenu(hMenu);
  }
  EXPECT_NE(nullptr, ::LoadIconA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME)));
}

} // namespace
