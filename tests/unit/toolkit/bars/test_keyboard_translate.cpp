// The menu bar's keyboard translation fed with message records, as the frame's pre-translation
// hands them over: Alt selection, mnemonics across the frame's tool bars, keyboard-selection keys.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "framework/print/fw_print.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class KeyboardTranslate : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_lab.IsReady());
    ASSERT_TRUE(m_lab.HasMenuButtons());
    CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  }
  CExtMenuControlBar& Bar() { return m_lab.MenuBar(); }
  HWND Frame() const { return m_lab.Frame()->m_hWnd; }
  bool Send(UINT nMessage, UINT nVirtKey) {
    MSG msg = KeyMessage(Frame(), nMessage, nVirtKey);
    return Bar().TranslateFrameKeyboard(&msg);
  }
  bool Send(UINT nMessage, WPARAM wParam, LPARAM lParam) {
    MSG msg = {Frame(), nMessage, wParam, lParam};
    return Bar().TranslateFrameKeyboard(&msg);
  }
  // Alt pressed and released alone; true when both went as a selection asks.
  bool TapAlt() {
    const bool bPressPassed = !Send(WM_SYSKEYDOWN, VK_MENU);
    return bPressPassed && Send(WM_SYSKEYUP, VK_MENU);
  }
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

  KeyboardFrameLab m_lab;
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

class KeyboardAltAfterFocusChange : public KeyboardTranslate, public ::testing::WithParamInterface<UINT> {};

TEST_P(KeyboardAltAfterFocusChange, FirstReleaseIsIgnoredOnce) {
  EXPECT_FALSE(Send(GetParam(), WA_ACTIVE, 0));
  EXPECT_FALSE(Send(WM_SYSKEYUP, VK_MENU)) << "the release right after the change goes on";
  EXPECT_TRUE(SelectsNothing());
  ASSERT_TRUE(TapAlt());
  EXPECT_TRUE(WaitSelected(0));
}

INSTANTIATE_TEST_SUITE_P(ActivationAndFocus, KeyboardAltAfterFocusChange,
                         ::testing::Values(WM_ACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS, WM_KILLFOCUS));

TEST_F(KeyboardTranslate, MenuCommandChosenWithAltHeldIgnoresTheNextRelease) {
  {
    HeldKeys held{VK_MENU};
    EXPECT_FALSE(Send(WM_COMMAND, MAKEWPARAM(ID_KB_NEW, 0), 0));
  }
  EXPECT_FALSE(Send(WM_SYSKEYUP, VK_MENU));
  EXPECT_TRUE(SelectsNothing());
}

TEST_F(KeyboardTranslate, MnemonicOfAnotherToolBarClicksItsButton) {
  HeldKeys held{VK_MENU};
  EXPECT_TRUE(Send(WM_SYSKEYDOWN, 'Z'));
  EXPECT_TRUE(WaitUntilTrue([&] {
    const auto& cmds = m_lab.Frame()->m_log.commands;
    return std::count(cmds.begin(), cmds.end(), (UINT)ID_KB_ZOOM) == 1;
  }));
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
  EXPECT_TRUE(m_lab.Frame()->m_log.commands.empty());
}

TEST_F(KeyboardTranslate, LeftAndRightWrapAroundTheRow) {
  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  const int nLast = Bar().GetButtonCount() - 1;
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_LEFT));
  EXPECT_TRUE(WaitSelected(nLast));
  EXPECT_EQ(0u, Bar().GetButtonStyle(0) & TBBS_PRESSED) << "the old button lost its highlight";
  EXPECT_TRUE(Send(WM_KEYUP, VK_LEFT));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_RIGHT));
  EXPECT_TRUE(WaitSelected(0));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_RIGHT));
  EXPECT_TRUE(WaitSelected(1));
}

TEST_F(KeyboardTranslate, EscapeAndMouseButtonsLeaveTheMode) {
  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  EXPECT_TRUE(Send(WM_KEYDOWN, VK_ESCAPE));
  EXPECT_FALSE(Bar().IsKeyboardSelectionMode());
  EXPECT_EQ(0u, Bar().GetButtonStyle(0) & TBBS_PRESSED);

  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  EXPECT_FALSE(Send(WM_MOUSEMOVE, 0, 0)) << "moves keep the mode";
  EXPECT_TRUE(Bar().IsKeyboardSelectionMode());
  EXPECT_FALSE(Send(WM_LBUTTONDOWN, 0, 0));
  EXPECT_FALSE(Bar().IsKeyboardSelectionMode());
}

TEST_F(KeyboardTranslate, PointerOverAnotherButtonMovesTheHighlight) {
  ASSERT_TRUE(TapAlt());
  ASSERT_TRUE(WaitSelected(0));
  CRect rc = Bar().GetButtonRect(1);
  Bar().ClientToScreen(&rc);
  real_input::MoveTo(rc.CenterPoint());
  EXPECT_TRUE(WaitSelected(1));
  EXPECT_EQ(0u, Bar().GetButtonStyle(0) & TBBS_PRESSED);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked()) << "the pointer moves the highlight, it opens nothing";
}

TEST_F(KeyboardTranslate, PrintPreviewLetsKeysThroughButAltSpaceOpensTheSystemMenu) {
  CPreviewView preview;
  m_lab.Frame()->SetActiveView(&preview, FALSE);
  const bool bAltSelects = TapAlt();
  const bool bSelecting = !SelectsNothing();
  bool bMnemonicEaten = false, bSpaceEaten = false;
  {
    HeldKeys held{VK_MENU};
    bMnemonicEaten = Send(WM_SYSKEYDOWN, 'F');
    bSpaceEaten = Send(WM_SYSKEYDOWN, VK_SPACE);
  }
  const bool bSystemMenu =
      WaitUntilTrue([&] { return IsSystemMenuOpen(Bar(), Frame(), m_lab.Frame()->m_log); });
  CloseAllMenus();
  m_lab.Frame()->SetActiveView(NULL, FALSE);
  EXPECT_FALSE(bAltSelects);
  EXPECT_FALSE(bSelecting);
  EXPECT_FALSE(bMnemonicEaten);
  EXPECT_TRUE(bSpaceEaten);
  EXPECT_TRUE(bSystemMenu);
}

} // namespace
