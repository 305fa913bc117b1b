// The toolkit's process objects: the registered messages carry the numbers of their qualified
// names, start-up makes the objects in its fixed order before main, and exit undoes it in reverse.
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtGlobals.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

struct RegisteredMessage {
  const char* pszName;
  const UINT* pnMessage;
};

#define M(name)                                                                                              \
  { #name, &ExtRegisteredMessages::name }
// clang-format off
const RegisteredMessage kMessages[] = {
    M(CExtPopupMenuWnd::g_nMsgPrepareMenu), M(CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel),
    M(CExtPopupMenuWnd::g_nMsgPrepareDesktopBk), M(CExtPopupMenuWnd::g_nMsgPopupNext),
    M(CExtPopupMenuWnd::g_nMsgPopupPrev), M(CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded),
    M(CExtPopupMenuWnd::g_nMsgNotifyMenuClosed), M(CExtPopupMenuWnd::g_nMsgPopupDrawItem),
    M(CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea), M(CExtPopupMenuWnd::g_nMsgPopupDrawBackground),
    M(CExtPopupMenuWnd::g_nMsgCreateInplaceEdit), M(CExtPopupMenuWnd::g_nMsgItemCoveringNotification),
    M(CExtPopupMenuWnd::g_nMsgTearOff), M(CExtPopupMenuWnd::g_nMsgCustomFloatPos),
    M(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged),
    M(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally),
    M(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor),
    M(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection),
    M(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll), M(CExtControlBar::g_nMsgQueryRepositionCalcEffect),
    M(CExtControlBar::g_nMsgQueryIcon), M(CExtControlBar::g_nMsgPutToPopupMenu),
    M(CExtControlBar::g_nMsgConstructPopupMenu), M(CExtControlBar::g_nMsgCreateTabbedBar),
    M(CExtControlBar::g_nMsgDrawTrackedArea), M(CExtControlBar::g_nMsgCustomNcAreaQuery),
    M(CExtToolControlBar::g_nMsgTrackButtonMenu), M(CExtToolControlBar::g_nMsgContinueTrackMenu),
    M(CExtPaintManager::g_nMsgPaintInheritedBackground), M(CExtMenuControlBar::g_nMsgPrepareSystemMenu),
    M(CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate),
    M(CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent),
    M(CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure),
    M(CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw),
    M(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK),
    M(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel),
    M(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange),
    M(CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent),
    M(CExtDatePickerWnd::g_nMsgSelectionNotification), M(CExtColorCtrl::g_nMsgColorChanged),
};
// clang-format on
#undef M

TEST(ToolkitGlobals, EveryMessageHasTheNumberOfItsQualifiedName) {
  ASSERT_EQ(40u, sizeof(kMessages) / sizeof(kMessages[0]));
  std::set<UINT> numbers;
  for (const RegisteredMessage& message : kMessages) {
    SCOPED_TRACE(message.pszName);
    EXPECT_GE(*message.pnMessage, 0xC000u);
    EXPECT_EQ(::RegisterWindowMessageA(message.pszName), *message.pnMessage);
    numbers.insert(*message.pnMessage);
  }
  EXPECT_EQ(40u, numbers.size());
  // The paint manager's member is the very number registered for its name.
  EXPECT_EQ(&ExtRegisteredMessages::CExtPaintManager::g_nMsgPaintInheritedBackground,
            &CExtPaintManager::g_nMsgPaintInheritedBackground);
}

typedef ExtGlobalsTrace T;
const std::vector<int> kStartupOrder = {
    T::STEP_MESSAGES_1_TO_11,  T::STEP_SOUND_PLAYER,      T::STEP_SOUND_IDLE_EVENT,
    T::STEP_SOUND_LOCK,        T::STEP_MESSAGES_12_TO_17, T::STEP_MESSAGES_18_TO_19,
    T::STEP_MESSAGES_20_TO_26, T::STEP_CMD_MANAGER,       T::STEP_RESOURCE_MANAGER,
    T::STEP_MESSAGES_27_TO_28, T::STEP_PAINT_MANAGER,     T::STEP_MESSAGES_29_TO_30,
    T::STEP_HOOK_CHAINS_MAP,   T::STEP_MESSAGES_31_TO_40,
};

TEST(ToolkitGlobals, StartUpMakesEveryObjectInItsOrderBeforeMain) {
  std::vector<int> steps(T::MAX_STEPS);
  steps.resize(T::GetStartupSteps(steps.data(), T::MAX_STEPS));
  EXPECT_EQ(kStartupOrder, steps);
  EXPECT_NE(nullptr, g_SoundPlayer.GetPtr());
  EXPECT_NE(nullptr, g_CmdManagerHolder->GetProfile("default"));
  EXPECT_NE(nullptr, g_PaintManagerHolder.GetPM());
}

void PrintExitStep(int nStep) {
  std::fprintf(stderr, "%d ", nStep);
  std::fflush(stderr);
}

TEST(ToolkitGlobalsDeathTest, ExitUndoesTheStepsInReverse) {
  std::string expected = "<";
  for (auto it = kStartupOrder.rbegin(); it != kStartupOrder.rend(); ++it)
    expected += std::to_string(*it) + " ";
  EXPECT_EXIT(
      {
        std::fprintf(stderr, "<");
        T::SetExitObserver(&PrintExitStep);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), expected);
}

} // namespace
