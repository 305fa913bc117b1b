// The menu bar's keyboard translation fed with message records, as the frame's pre-translation
// hands them over: Alt selection, mnemonics, keyboard-selection keys and the system-menu keys.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "framework/print/fw_print.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

namespace {

class KeyboardTranslate : public ::testing::Test {
protected:
  explicit KeyboardTranslate(bool bMdi = false) : m_lab(bMdi) {}
  void SetUp() override {
    ASSERT_TRUE(m_lab.IsReady());
    ASSERT_TRUE(m_lab.HasMenuButtons());
    CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  }
  CExtMenuControlBar& Bar() { return m_lab.MenuBar(); }
  bool Send(UINT nMessage, UINT nVirtKey) {
    MSG msg = KeyMessage(m_lab.Frame(), nMessage, nVirtKey);
    return Bar().TranslateFrameKeyboard(&msg);
  }
  bool SendRaw(UINT nMessage, WPARAM wParam, LPARAM lParam = 0) {
    MSG msg = {m_lab.Frame(), nMessage, wParam, lParam};
    return Bar().TranslateFrameKeyboard(&msg);
  }
  // Alt pressed (which goes on) and released (which is eaten) alone.
  bool TapAlt() { return !Send(WM_SYSKEYDOWN, VK_MENU) && Send(WM_SYSKEYUP, VK_MENU); }
  bool WaitSelected(int nIndex) {
    return WaitUntilTrue([&] {
      return Bar().IsKeyboardSelectionMode() && Bar().GetFlatTrackingIndex() == nIndex &&
             (Bar().GetButtonStyle(nIndex) & TBBS_PRESSED) != 0;
    });
  }
  bool SelectsNothing() {
    PumpPending(); // a posted track request would run here
    return !Bar().IsKeyboardSelectionMode() && Bar().GetFlatTrackingIndex() < 0;
  }

  KeyboardLab m_lab;
};

TEST_F(KeyboardTranslate, AltAloneSelectsTheFirstButtonAndASecondAltLeaves) {
  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  EXPECT_TRUE(Send(WM_SYSKEYDOWN, VK_MENU)) << "a press in the mode is eaten";
  EXPECT_TRUE(Send(WM_SYSKEYUP, VK_MENU));
  EXPECT_FALSE(Bar().IsKeyboardSelectionMode());
  EXPECT_EQ(0u, Bar().GetButtonStyle(0) & TBBS_PRESSED);
}

class KeyboardAltWithModifier : public KeyboardTranslate, public ::testing::WithParamInterface<UINT> {};

TEST_P(KeyboardAltWithModifier, SelectsNothing) {
  HeldKeys held{GetParam()};
  EXPECT_FALSE(Send(WM_SYSKEYDOWN, VK_MENU));
  Send(WM_SYSKEYUP, VK_MENU);
  EXPECT_TRUE(SelectsNothing());
}

INSTANTIATE_TEST_SUITE_P(CtrlOrShift, KeyboardAltWithModifier, ::testing::Values(VK_CONTROL, VK_SHIFT));

struct IgnoringMessage {
  UINT nMessage;
  WPARAM wParam;
  bool bAltHeld;
};

class KeyboardAltIgnoredOnce : public KeyboardTranslate,
                               public ::testing::WithParamInterface<IgnoringMessage> {};

TEST_P(KeyboardAltIgnoredOnce, AfterActivationFocusOrAMenuCommandWithAlt) {
  {
    HeldKeys held{GetParam().bAltHeld ? (UINT)VK_MENU : 0u}; // key 0 stands for none
    EXPECT_FALSE(SendRaw(GetParam().nMessage, GetParam().wParam));
  }
  EXPECT_FALSE(Send(WM_SYSKEYUP, VK_MENU)) << "the release right after goes on";
  EXPECT_TRUE(SelectsNothing());
  ASSERT_TRUE(TapAlt());
  EXPECT_TRUE(WaitSelected(0));
}

INSTANTIATE_TEST_SUITE_P(Messages, KeyboardAltIgnoredOnce,
                         ::testing::Values(IgnoringMessage{WM_ACTIVATE, WA_ACTIVE, false},
                                           IgnoringMessage{WM_ACTIVATEAPP, TRUE, false},
                                           IgnoringMessage{WM_SETFOCUS, 0, false},
                                           IgnoringMessage{WM_KILLFOCUS, 0, false},
                                           IgnoringMessage{WM_COMMAND, MAKEWPARAM(ID_KB_NEW, 0), true}));

TEST_F(KeyboardTranslate, MnemonicOfAnotherToolBarClicksItsButton) {
  HeldKeys held{VK_MENU};
  EXPECT_TRUE(Send(WM_SYSKEYDOWN, 'Z'));
  EXPECT_TRUE(WaitUntilTrue([&] { return m_lab.Log().commands == std::vector<UINT>{ID_KB_ZOOM}; }));
  EXPECT_FALSE(Send(WM_SYSKEYUP, VK_MENU)) << "Alt was held for the click: its release goes on";
  EXPECT_TRUE(SelectsNothing());
}

TEST_F(KeyboardTranslate, UnmatchedLetterGoesOnAndTheNextAltReleaseIsIgnored) {
  {
    HeldKeys held{VK_MENU};
    EXPECT_FALSE(Send(WM_SYSKEYDOWN, 'Q'));
    EXPECT_TRUE(Send(WM_SYSKEYUP, 'Q')) << "releases of mnemonic keys are eaten";
  }
  EXPECT_FALSE(Send(WM_SYSKEYUP, VK_MENU));
  EXPECT_TRUE(SelectsNothing());
  EXPECT_TRUE(m_lab.Log().commands.empty());
}

TEST_F(KeyboardTranslate, LeftAndRightWrapAroundTheRow) {
  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_LEFT));
  EXPECT_TRUE(WaitSelected(2));
  EXPECT_EQ(0u, Bar().GetButtonStyle(0) & TBBS_PRESSED) << "the old button lost its highlight";
  EXPECT_TRUE(Send(WM_KEYUP, VK_LEFT));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_RIGHT));
  EXPECT_TRUE(WaitSelected(0));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_RIGHT));
  EXPECT_TRUE(WaitSelected(1));
}

TEST_F(KeyboardTranslate, EscapeMouseButtonsAndThePointerInTheMode) {
  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_ESCAPE));
  EXPECT_TRUE(SelectsNothing());
  EXPECT_EQ(0u, Bar().GetButtonStyle(0) & TBBS_PRESSED);

  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  CRect rc = Bar().GetButtonRect(1);
  Bar().ClientToScreen(&rc);
  real_input::MoveTo(rc.CenterPoint());
  EXPECT_TRUE(WaitSelected(1)) << "the pointer over another button moves the highlight";
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_FALSE(SendRaw(WM_LBUTTONDOWN, 0));
  EXPECT_TRUE(SelectsNothing());
}

TEST_F(KeyboardTranslate, AltSpaceShowsTheFrameSystemMenuAfterAnnouncingIt) {
  EXPECT_TRUE(Send(WM_SYSKEYDOWN, VK_SPACE));
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(Bar(), m_lab.Frame()); }));
  EXPECT_EQ(1, m_lab.Log().nPrepareSystemMenu);
  EXPECT_TRUE(Send(WM_SYSKEYUP, VK_SPACE));
}

TEST_F(KeyboardTranslate, RefusedSystemMenusLetTheKeyGoOnAndEndTracking) {
  Bar().m_nMenuBarFlags &= ~CExtMenuControlBar::MBF_FRAME_SYSMENU;
  EXPECT_FALSE(Send(WM_SYSKEYDOWN, VK_SPACE));
  CHostWnd host; // no system menu
  ASSERT_TRUE(host.CreateHost("no system menu", WS_POPUP | WS_BORDER));
  CExtToolControlBar::g_bMenuTracking = true;
  EXPECT_FALSE(Bar().TrackWindowSystemMenu(&host, NULL, true));
  EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
  PumpPending();
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(0, m_lab.Log().nPrepareSystemMenu);
  host.DestroyWindow();
}

TEST_F(KeyboardTranslate, PrintPreviewLetsKeysThroughButAltSpace) {
  CPreviewView preview;
  m_lab.FrameWnd()->SetActiveView(&preview, FALSE);
  const bool bAltEaten = TapAlt(), bSelecting = !SelectsNothing();
  HeldKeys held{VK_MENU};
  const bool bMnemonicEaten = Send(WM_SYSKEYDOWN, 'F'), bSpaceEaten = Send(WM_SYSKEYDOWN, VK_SPACE);
  const bool bSystemMenu = WaitUntilTrue([&] { return IsSystemMenuOpen(Bar(), m_lab.Frame()); });
  m_lab.FrameWnd()->SetActiveView(NULL, FALSE);
  EXPECT_FALSE(bAltEaten);
  EXPECT_FALSE(bSelecting);
  EXPECT_FALSE(bMnemonicEaten);
  EXPECT_TRUE(bSpaceEaten && bSystemMenu);
}

class KeyboardTranslateMdi : public KeyboardTranslate {
protected:
  KeyboardTranslateMdi() : KeyboardTranslate(true) {}
};

TEST_F(KeyboardTranslateMdi, AltMinusOpensTheChildSystemMenuOrWithoutChildIgnoresTheNextRelease) {
  EXPECT_TRUE(Send(WM_SYSKEYDOWN, VK_SUBTRACT));
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(Bar(), m_lab.Child()->m_hWnd); }));
  CExtPopupMenuWnd::CancelAllTracking();
  m_lab.Child()->MDIDestroy(); // the child deletes itself
  bool bMaximized = false;
  ASSERT_TRUE(WaitUntilTrue([&] { return Bar().GetActiveMdiChildWnd(bMaximized) == NULL; }));
  CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  EXPECT_TRUE(Send(WM_SYSKEYDOWN, VK_OEM_MINUS));
  EXPECT_TRUE(CExtMenuControlBar::g_bKeyboardAltIgnore);
}

TEST_F(KeyboardTranslateMdi, DocumentMenusHandedToTheClientStayTheSenders) {
  HMENU hFirst = CreateKeyboardTestMenu(), hSecond = CreateKeyboardTestMenu();
  ::SendMessageA(m_lab.Client(), WM_MDISETMENU, (WPARAM)hFirst, 0);
  EXPECT_EQ(hFirst, Bar().m_menuDoc.GetSafeHmenu());
  EXPECT_EQ((LRESULT)hFirst, ::SendMessageA(m_lab.Client(), WM_MDISETMENU, (WPARAM)hSecond, 0));
  EXPECT_EQ(hSecond, Bar().m_menuDoc.GetSafeHmenu());
  PumpPending();
  EXPECT_TRUE(::IsMenu(hFirst) && ::IsMenu(hSecond)) << "a menu handed over is never destroyed by the bar";
  Bar().m_menuDoc.Detach();
  ::DestroyMenu(hFirst);
  ::DestroyMenu(hSecond);
}

TEST(KeyboardDialogMode, TheBarsOwnPreTranslationSelectsOnAltRelease) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("dialog host"));
  host.ShowWindow(SW_SHOW);
  CExtMenuControlBar bar;
  ASSERT_TRUE(bar.Create(NULL, &host, ID_KB_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
  ASSERT_TRUE(bar.IsDialogMode());
  ASSERT_TRUE(bar.InsertButton(-1, ID_KB_ZOOM));
  MSG press = KeyMessage(bar.m_hWnd, WM_SYSKEYDOWN, VK_MENU),
      release = KeyMessage(bar.m_hWnd, WM_SYSKEYUP, VK_MENU);
  bar.PreTranslateMessage(&press);
  EXPECT_TRUE(bar.PreTranslateMessage(&release));
  EXPECT_TRUE(
      WaitUntilTrue([&] { return bar.IsKeyboardSelectionMode() && bar.GetFlatTrackingIndex() == 0; }));
  bar.DestroyWindow();
  host.DestroyWindow();
}

} // namespace
