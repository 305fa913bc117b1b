// The menu bar of an MDI frame under a long run of random pointer and key input (fixed seeds) while
// children open, maximise, restore and close: the program survives, never tracks two bar menus,
// leaves the tracking flag clear whenever no menu is open, and keeps its GDI and USER objects flat.
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/keyboard_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const int kSteps = 1500;

// The bars of the process that mark a tracked button.
int BarsWithTrackedButton() {
  int nCount = 0;
  CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
  for (CExtControlBar* pBar : CExtControlBar::g_AllBars) {
    auto* pTool = dynamic_cast<CExtToolControlBar*>(pBar);
    if (pTool != NULL && pTool->GetSafeHwnd() != NULL && pTool->GetTrackedButton() >= 0)
      ++nCount;
  }
  return nCount;
}

// Closes every menu with Escape, as a user would, and leaves keyboard-selection mode.
bool Settle(CExtMenuControlBar& bar) {
  for (int i = 0; i < 4 && (CExtPopupMenuWnd::AnyMenuTracked() || bar.IsKeyboardSelectionMode()); ++i) {
    PressKey(VK_ESCAPE);
    WaitUntilTrue([&] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
  }
  return WaitUntilTrue([&] { return !CExtPopupMenuWnd::AnyMenuTracked() && !bar.IsKeyboardSelectionMode(); });
}

struct Counts {
  DWORD dwGdi, dwUser;
};
Counts Objects() {
  HANDLE hProcess = ::GetCurrentProcess();
  return {::GetGuiResources(hProcess, GR_GDIOBJECTS), ::GetGuiResources(hProcess, GR_USEROBJECTS)};
}

class BarsSoak : public ::testing::TestWithParam<unsigned> {};

TEST_P(BarsSoak, RandomInputWhileChildrenComeAndGo) {
  KeyboardLab lab(true);
  ASSERT_TRUE(lab.IsReady());
  CExtMenuControlBar& bar = lab.MenuBar();
  auto* pFrame = static_cast<CMDIFrameWnd*>(lab.FrameWnd());
  std::mt19937 rng(GetParam());
  auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
  const UINT kKeys[] = {VK_DOWN, VK_RIGHT, VK_LEFT, VK_ESCAPE, VK_UP};
  const UINT kLetters[] = {'F', 'E', 'H', 'Q'};
  Counts base{};
  int nChildren = 0;
  for (int nStep = 0; nStep < kSteps; ++nStep) {
    if (nStep == 100) {
      ASSERT_TRUE(Settle(bar));
      base = Objects();
    }
    const bool bSystemMenu = IsSystemMenuOpen(bar, lab.Frame()) ||
                             (pFrame->MDIGetActive() != NULL && IsSystemMenuOpen(bar, pFrame->MDIGetActive()->m_hWnd));
    CRect rcBar;
    bar.GetWindowRect(rcBar);
    switch (pick(10)) {
    case 0:
    case 1: // the pointer over the bar or the documents
      real_input::MoveTo(CPoint(rcBar.left + pick(rcBar.Width()), rcBar.top + pick(rcBar.Height() + 120)));
      break;
    case 2: // a click on the bar, unless a system menu lies over it
      if (!bSystemMenu) {
        const CPoint pt(rcBar.left + pick(rcBar.Width()), rcBar.top + pick(rcBar.Height()));
        real_input::MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
        real_input::MouseAt(pt, MOUSEEVENTF_LEFTUP);
      }
      break;
    case 3: // Alt alone
      PressKey(VK_MENU);
      break;
    case 4: { // Alt with a letter
      INPUT in[4] = {};
      const UINT nLetter = kLetters[pick(4)];
      const UINT vks[] = {VK_MENU, nLetter, nLetter, VK_MENU};
      for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = (WORD)vks[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
      }
      ::SendInput(4, in, sizeof(INPUT));
      break;
    }
    case 5:
    case 6:
      PressKey(kKeys[pick(5)]);
      break;
    case 7: // a new child
      if (nChildren < 4) {
        auto* pChild = new CMDIChildWnd;
        if (pChild->Create(NULL, "soak", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(20, 20, 220, 160),
                           pFrame))
          ++nChildren;
      }
      break;
    case 8: { // maximise or restore the active child
      BOOL bMaximized = FALSE;
      if (CMDIChildWnd* pActive = pFrame->MDIGetActive(&bMaximized))
        bMaximized ? pFrame->MDIRestore(pActive) : pFrame->MDIMaximize(pActive);
      break;
    }
    case 9: // close a child the soak made
      if (nChildren > 0 && pFrame->MDIGetActive() != NULL && pFrame->MDIGetActive() != lab.Child()) {
        pFrame->MDIGetActive()->DestroyWindow();
        --nChildren;
      }
      break;
    }
    PumpUntil([] { return false; }, 15);
    ASSERT_TRUE(::IsWindow(lab.Frame())) << "step " << nStep;
    ASSERT_LE(BarsWithTrackedButton(), 1) << "step " << nStep;
    if (nStep % 50 == 49) {
      ASSERT_TRUE(Settle(bar)) << "step " << nStep;
      EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking) << "step " << nStep;
      EXPECT_EQ(0, BarsWithTrackedButton()) << "step " << nStep;
      EXPECT_EQ(nullptr, ::GetMenu(lab.Frame())) << "step " << nStep;
    }
  }
  ASSERT_TRUE(Settle(bar));
  const Counts end = Objects();
  // A few objects come and go with the children and tips still alive; growth per step would not.
  EXPECT_LE(end.dwGdi, base.dwGdi + 40);
  EXPECT_LE(end.dwUser, base.dwUser + 40);
}

INSTANTIATE_TEST_SUITE_P(Seeds, BarsSoak, ::testing::Values(1u, 29u));

} // namespace
