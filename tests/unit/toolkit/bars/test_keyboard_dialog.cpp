// A menu bar in a plain window (dialog mode): its own pre-translation runs the keyboard
// translation, and keyboard selection needs no frame.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardDialogMode, AltReleaseSelectsTheFirstButtonThroughTheBarsPreTranslation) {
  const char kProfile[] = "keyboard-dialog-profile";
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("dialog host"));
  host.ShowWindow(SW_SHOW);
  g_CmdManagerHolder->SetupProfile(kProfile, host.m_hWnd);
  CExtCmdItem* pItem = g_CmdManagerHolder->AllocCommand(kProfile, ID_KB_ZOOM);
  ASSERT_TRUE(pItem != NULL);
  pItem->m_sMenuText = pItem->m_sToolbarText = "&Zoom";
  {
    CExtMenuControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, &host, ID_KB_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    ASSERT_TRUE(bar.IsDialogMode());
    ASSERT_TRUE(bar.InsertButton(-1, ID_KB_ZOOM));
    ASSERT_TRUE(ActivateWindow(host.m_hWnd));

    MSG press = KeyMessage(bar.m_hWnd, WM_SYSKEYDOWN, VK_MENU);
    MSG release = KeyMessage(bar.m_hWnd, WM_SYSKEYUP, VK_MENU);
    bar.PreTranslateMessage(&press);
    EXPECT_TRUE(bar.PreTranslateMessage(&release));
    EXPECT_TRUE(
        WaitUntilTrue([&] { return bar.IsKeyboardSelectionMode() && bar.GetFlatTrackingIndex() == 0; }));
    bar.DestroyWindow();
  }
  const HWND hWndHost = host.m_hWnd;
  host.DestroyWindow();
  g_CmdManagerHolder->RemoveWindow(hWndHost, true);
}

} // namespace
