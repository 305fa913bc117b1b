// The tool bar's command update, keyboard helpers, help pick loop and button-menu tracking.
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/toolbar_support.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const char kProfile[] = "tool bar tests";

// A docked bar of 150, 151, 101, 199 whose frame has a command profile holding 150 and 151.
class ToolBarCommands : public ::testing::Test {
protected:
  void SetUp() override {
    m_lab = MakeToolBarLab({150, 151, 101, 199});
    ASSERT_TRUE(m_lab);
    ASSERT_TRUE(g_CmdManagerHolder->SetupProfile(kProfile, Frame().m_hWnd));
    ASSERT_NE(nullptr, g_CmdManagerHolder->AllocCommand(kProfile, 150));
    ASSERT_NE(nullptr, g_CmdManagerHolder->AllocCommand(kProfile, 151));
  }
  void TearDown() override {
    if (m_lab)
      g_CmdManagerHolder->RemoveWindow(Frame().m_hWnd, true);
    m_lab.reset();
  }
  CFixedToolBar& Bar() { return *m_lab->pBar; }
  CToolTestFrame& Frame() { return *m_lab->pFrame; }
  CExtCmdItem* Item(UINT nId) { return g_CmdManagerHolder->FindCommand(kProfile, nId); }
  void IdleUpdate() {
    Bar().SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    PumpPending();
  }
  std::unique_ptr<ToolBarLab> m_lab;
};

struct UpdateCase {
  BOOL bEnable;
  int nCheck;
  UINT nStyle; // the state bits the button ends with
};

class ToolBarUpdate : public ToolBarCommands, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(ToolBarUpdate, UpdateHandlerReachesButtonStyleAndCommandItem) {
  const UpdateCase c = GetParam();
  Frame().m_bEnable150 = c.bEnable;
  Frame().m_nCheck150 = c.nCheck;
  IdleUpdate();
  EXPECT_GT(Frame().m_nUpdates150, 0);
  const UINT nMask = TBBS_DISABLED | TBBS_CHECKED | TBBS_INDETERMINATE | TBBS_CHECKBOX;
  EXPECT_EQ(c.nStyle, Bar().GetButtonStyle(0) & nMask);
  EXPECT_EQ(c.bEnable != FALSE, Item(150)->IsEnabled());
}

INSTANTIATE_TEST_SUITE_P(States, ToolBarUpdate,
                         ::testing::Values(UpdateCase{TRUE, 0, TBBS_CHECKBOX},
                                           UpdateCase{FALSE, 1, TBBS_DISABLED | TBBS_CHECKED | TBBS_CHECKBOX},
                                           UpdateCase{TRUE, 2, TBBS_INDETERMINATE | TBBS_CHECKBOX},
                                           UpdateCase{FALSE, 0, TBBS_DISABLED | TBBS_CHECKBOX}));

TEST_F(ToolBarCommands, RadioUpdateSetsTheCheckAndTheItemsRadio) {
  Frame().m_nRadio151 = 1;
  IdleUpdate();
  EXPECT_EQ(TBBS_CHECKED | TBBS_CHECKBOX, Bar().GetButtonStyle(1) & (TBBS_CHECKED | TBBS_CHECKBOX));
  EXPECT_TRUE(Item(151)->GetRadio());
  Frame().m_nRadio151 = 0;
  IdleUpdate();
  EXPECT_EQ(0u, Bar().GetButtonStyle(1) & TBBS_CHECKED);
  EXPECT_FALSE(Item(151)->GetRadio());
}

TEST_F(ToolBarCommands, CommandsWithoutHandlerAreDisabledUnlessTheFrameSaysOtherwise) {
  IdleUpdate();
  EXPECT_EQ(0u, Bar().GetButtonStyle(2) & TBBS_DISABLED); // 101 has a handler
  EXPECT_NE(0u, Bar().GetButtonStyle(3) & TBBS_DISABLED); // 199 has none
  Bar().SetButtonStyle(3, 0);
  Frame().m_bAutoMenuEnable = FALSE;
  Bar().UpdateButtonCmdUI(3);
  EXPECT_EQ(0u, Bar().GetButtonStyle(3) & TBBS_DISABLED);
  Frame().m_bAutoMenuEnable = TRUE;
  Bar().UpdateButtonCmdUI(3);
  EXPECT_NE(0u, Bar().GetButtonStyle(3) & TBBS_DISABLED);
}

// --- tracked buttons and button menus --------------------------------------------------------------

TEST_F(ToolBarCommands, TrackedButtonLooksPressedUntilTrackingEndsInAllBars) {
  auto pOther = MakeToolBarLab({120, 121});
  ASSERT_TRUE(pOther);
  Bar().SetButtonStyle(2, TBBS_CHECKBOX | TBBS_CHECKED);
  Bar().SetTrackedButton(2);
  pOther->pBar->SetTrackedButton(1);
  CExtToolControlBar::g_bMenuTracking = true;
  EXPECT_EQ(2, Bar().GetTrackedButton());
  EXPECT_EQ(TBBS_CHECKBOX | TBBS_PRESSED, Bar().GetButtonStyle(2));
  EXPECT_TRUE(Bar().Fixed(2)->IsPressedTracking());

  CExtToolControlBar::EndMenuTrackingInAllBars();
  EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
  EXPECT_EQ(-1, Bar().GetTrackedButton());
  EXPECT_EQ(-1, pOther->pBar->GetTrackedButton());
  EXPECT_EQ(TBBS_CHECKBOX, Bar().GetButtonStyle(2));
  EXPECT_EQ(0u, pOther->pBar->GetButtonStyle(1) & TBBS_PRESSED);
  EXPECT_FALSE(pOther->pBar->Fixed(1)->IsPressedTracking());
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
}

TEST_F(ToolBarCommands, TrackButtonMenuOpensOnlyMenuButtonsThatMayTrack) {
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 101, "item");
  Bar().Fixed(0)->SetMenu(hMenu, true, false);
  Bar().Fixed(2)->SetMenu(hMenu, true, false);
  Bar().SetButtonStyle(2, TBBS_DISABLED);
  EXPECT_TRUE(Bar().TrackButtonMenu(0));
  EXPECT_EQ(1, Bar().Fixed(0)->m_nTrackCalls);
  EXPECT_FALSE(Bar().TrackButtonMenu(1)); // no menu
  EXPECT_FALSE(Bar().TrackButtonMenu(2)); // disabled
  EXPECT_FALSE(Bar().TrackButtonMenu(9));
  EXPECT_EQ(0, Bar().Fixed(2)->m_nTrackCalls);

  // Delayed: the posted request finds no open popup and opens nothing.
  EXPECT_TRUE(Bar().TrackButtonMenu(0, false, true));
  PumpPending();
  EXPECT_EQ(1, Bar().Fixed(0)->m_nTrackCalls);

  // A menu already open from this button is not opened again.
  Bar().SetTrackedButton(0);
  CExtToolControlBar::g_bMenuTracking = true;
  EXPECT_TRUE(Bar().TrackButtonMenu(0));
  EXPECT_EQ(1, Bar().Fixed(0)->m_nTrackCalls);
  CExtToolControlBar::EndMenuTrackingInAllBars();
  Bar().Fixed(0)->SetMenu(NULL, true, false);
  Bar().Fixed(2)->SetMenu(NULL, true, false);
  ::DestroyMenu(hMenu);
}

// --- the context-help pick loop ---------------------------------------------------------------------

class ToolBarHelpPick : public ToolBarCommands {
protected:
  void SetUp() override {
    ToolBarCommands::SetUp();
    if (m_lab)
      Frame().m_bHelpMode = TRUE;
  }
  void TearDown() override {
    if (m_lab)
      Frame().m_bHelpMode = FALSE;
    ToolBarCommands::TearDown();
  }
};

struct SysCase {
  UINT nCode;
  int nResult;
};

class ToolBarHelpSysCommand : public ToolBarHelpPick, public ::testing::WithParamInterface<SysCase> {};

TEST_P(ToolBarHelpSysCommand, SystemCommandIsTakenFromTheQueueAndMapped) {
  const SysCase c = GetParam();
  Frame().PostMessage(WM_SYSCOMMAND, c.nCode, 0);
  EXPECT_EQ(c.nResult, Bar().PickHelpCommand());
  MSG msg;
  EXPECT_FALSE(::PeekMessageA(&msg, Frame().m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE));
  EXPECT_TRUE(::IsWindowVisible(Frame().m_hWnd));
}

INSTANTIATE_TEST_SUITE_P(Codes, ToolBarHelpSysCommand,
                         ::testing::Values(SysCase{SC_CLOSE, 0x1EF06}, SysCase{SC_SIZE, 0x1EF00},
                                           SysCase{SC_MAXIMIZE, 0x1EF03}, SysCase{SC_RESTORE, 0x1EF12},
                                           SysCase{SC_TASKLIST, 0x1EF13}, SysCase{SC_KEYMENU, SC_KEYMENU}));

TEST_F(ToolBarHelpPick, CommandMessageGivesItsId) {
  Frame().PostMessage(WM_COMMAND, MAKEWPARAM(151, 0), 0);
  EXPECT_EQ(151, Bar().PickHelpCommand());
  EXPECT_TRUE(Frame().m_fired.empty());
}

TEST_F(ToolBarHelpPick, ClickOnAButtonGivesItsHelpId) {
  const POINT pt = Bar().ButtonCenter(2);
  std::thread driver([pt] {
    real_input::MouseAt(pt, MOUSEEVENTF_MOVE);
    real_input::MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
    real_input::MouseAt(pt, MOUSEEVENTF_LEFTUP);
  });
  const int nPicked = Bar().PickHelpCommand();
  driver.join();
  PumpPending();
  EXPECT_EQ(101, nPicked);
  EXPECT_TRUE(Frame().m_fired.empty());
}

TEST_F(ToolBarHelpPick, QuitMetByThePickIsHandedBack) {
  ::PostQuitMessage(7);
  EXPECT_EQ(-3, Bar().PickHelpCommand());
  MSG msg = {};
  ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, msg.wParam);
}

// --- keyboard helpers (no window needed) ----------------------------------------------------------

struct MnemonicCase {
  char chr;
  int nIndex;
};

class ToolBarMnemonic : public ::testing::TestWithParam<MnemonicCase> {};

TEST_P(ToolBarMnemonic, FindsTheFirstButtonWithTheMarkedCharacter) {
  const MnemonicCase c = GetParam();
  CFixedToolBar bar;
  const UINT ids[] = {101, 102, 103, 104, 105, 0, 106};
  ASSERT_TRUE(bar.SetButtons(ids, 7));
  const char* texts[] = {"&File", "E&dit", "Plain", "A&&B", "&Hidden", "", "&View"};
  for (int i = 0; i < 7; ++i)
    bar.Fixed(i)->m_sText = texts[i];
  bar.SetButtonStyle(4, TBBS_HIDDEN);
  bar.Fixed(6)->SetVisible(false); // pushed behind the chevron
  EXPECT_EQ(c.nIndex, bar.FindButtonByMnemonic(c.chr));
}

INSTANTIATE_TEST_SUITE_P(Characters, ToolBarMnemonic,
                         ::testing::Values(MnemonicCase{'f', 0}, MnemonicCase{'F', 0}, MnemonicCase{'D', 1},
                                           MnemonicCase{'p', -1}, MnemonicCase{'B', -1},
                                           MnemonicCase{'&', -1}, MnemonicCase{'h', -1},
                                           MnemonicCase{'v', 7}));

TEST(ToolBarMnemonicEdges, EmptyBarAndBarWithoutChevron) {
  CFixedToolBar empty;
  EXPECT_EQ(-1, empty.FindButtonByMnemonic('a'));
  CFixedToolBar panel(true);
  const UINT ids[] = {101};
  ASSERT_TRUE(panel.SetButtons(ids, 1));
  panel.Fixed(0)->m_sText = "&View";
  panel.Fixed(0)->SetVisible(false);
  EXPECT_EQ(-1, panel.FindButtonByMnemonic('v'));
}

struct WalkCase {
  int nFrom;
  bool bForward;
  int nTo;
};

class ToolBarWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(ToolBarWalk, NextVisibleButtonSkipsSeparatorsHiddenAndForwardDisabled) {
  const WalkCase c = GetParam();
  CFixedToolBar bar(true); // no chevron
  const UINT ids[] = {101, 0, 102, 103, 104};
  ASSERT_TRUE(bar.SetButtons(ids, 5));
  bar.SetButtonStyle(3, TBBS_DISABLED);
  bar.SetButtonStyle(4, TBBS_HIDDEN);
  EXPECT_EQ(c.nTo, bar.FindNextVisibleButton(c.nFrom, c.bForward));
}

INSTANTIATE_TEST_SUITE_P(Walks, ToolBarWalk,
                         ::testing::Values(WalkCase{0, true, 2}, WalkCase{2, true, 0}, WalkCase{0, false, 3},
                                           WalkCase{3, false, 2}, WalkCase{2, false, 0},
                                           WalkCase{-1, true, 0}));

TEST(ToolBarWalkEdges, EmptySingleAndNothingToReach) {
  CFixedToolBar bar(true);
  EXPECT_EQ(-1, bar.FindNextVisibleButton(0, true));
  const UINT one[] = {101};
  ASSERT_TRUE(bar.SetButtons(one, 1));
  EXPECT_EQ(0, bar.FindNextVisibleButton(0, true));
  const UINT separators[] = {101, 0, 0};
  ASSERT_TRUE(bar.SetButtons(separators, 3));
  EXPECT_EQ(0, bar.FindNextVisibleButton(0, true));
  EXPECT_EQ(0, bar.FindNextVisibleButton(0, false));
}

} // namespace

namespace {

struct HelpHitCase {
  int nButtonAnswer;
  int nResult;
};

class ToolBarHelpHit : public ToolBarCommands, public ::testing::WithParamInterface<HelpHitCase> {};

TEST_P(ToolBarHelpHit, ButtonAnswerBecomesTheItemAnswer) {
  const HelpHitCase c = GetParam();
  Bar().Fixed(2)->m_nHelpAnswer = c.nButtonAnswer;
  EXPECT_EQ(c.nResult, Bar().HitTestItem(Bar().GetButtonRect(2).CenterPoint()));
  EXPECT_EQ(-1, Bar().HitTestItem(CPoint(1000, 1000)));
}

INSTANTIATE_TEST_SUITE_P(Answers, ToolBarHelpHit,
                         ::testing::Values(HelpHitCase{-1, -2}, HelpHitCase{-2, -2}, HelpHitCase{-3, -3},
                                           HelpHitCase{0, 101}, HelpHitCase{0x1EF06, 0x1EF06}));

} // namespace

TEST_F(ToolBarCommands, DeferredFrameLayoutWaitsUntilNoMenuIsOpen) {
  auto width = [&] {
    CRect rc;
    Bar().GetWindowRect(&rc);
    return rc.Width();
  };
  const int nBefore = width();
  ASSERT_TRUE(Bar().InsertButton(-1, 102, false)); // wider, not laid out yet
  CExtToolControlBar::g_bMenuTracking = true;
  Bar().SendMessage(WM_TIMER, 0x444);
  PumpPending();
  EXPECT_EQ(nBefore, width());
  CExtToolControlBar::g_bMenuTracking = false;
  Bar().SendMessage(WM_TIMER, 0x444);
  EXPECT_TRUE(PumpUntil([&] { return width() == nBefore + 24; }));
}
