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

#define MESSAGE(name, member)                                                                                \
  { name, &ExtRegisteredMessages::member }

const RegisteredMessage kMessages[] = {
    MESSAGE("CExtPopupMenuWnd::g_nMsgPrepareMenu", CExtPopupMenuWnd::g_nMsgPrepareMenu),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel", CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPrepareDesktopBk", CExtPopupMenuWnd::g_nMsgPrepareDesktopBk),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPopupNext", CExtPopupMenuWnd::g_nMsgPopupNext),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPopupPrev", CExtPopupMenuWnd::g_nMsgPopupPrev),
    MESSAGE("CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded", CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded),
    MESSAGE("CExtPopupMenuWnd::g_nMsgNotifyMenuClosed", CExtPopupMenuWnd::g_nMsgNotifyMenuClosed),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPopupDrawItem", CExtPopupMenuWnd::g_nMsgPopupDrawItem),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea", CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea),
    MESSAGE("CExtPopupMenuWnd::g_nMsgPopupDrawBackground", CExtPopupMenuWnd::g_nMsgPopupDrawBackground),
    MESSAGE("CExtPopupMenuWnd::g_nMsgCreateInplaceEdit", CExtPopupMenuWnd::g_nMsgCreateInplaceEdit),
    MESSAGE("CExtPopupMenuWnd::g_nMsgItemCoveringNotification",
            CExtPopupMenuWnd::g_nMsgItemCoveringNotification),
    MESSAGE("CExtPopupMenuWnd::g_nMsgTearOff", CExtPopupMenuWnd::g_nMsgTearOff),
    MESSAGE("CExtPopupMenuWnd::g_nMsgCustomFloatPos", CExtPopupMenuWnd::g_nMsgCustomFloatPos),
    MESSAGE("CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged",
            CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged),
    MESSAGE("CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally",
            CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally),
    MESSAGE("CExtPopupColorMenuWnd::g_nMsgNotifyCustColor", CExtPopupColorMenuWnd::g_nMsgNotifyCustColor),
    MESSAGE("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection",
            CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection),
    MESSAGE("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll",
            CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll),
    MESSAGE("CExtControlBar::g_nMsgQueryRepositionCalcEffect",
            CExtControlBar::g_nMsgQueryRepositionCalcEffect),
    MESSAGE("CExtControlBar::g_nMsgQueryIcon", CExtControlBar::g_nMsgQueryIcon),
    MESSAGE("CExtControlBar::g_nMsgPutToPopupMenu", CExtControlBar::g_nMsgPutToPopupMenu),
    MESSAGE("CExtControlBar::g_nMsgConstructPopupMenu", CExtControlBar::g_nMsgConstructPopupMenu),
    MESSAGE("CExtControlBar::g_nMsgCreateTabbedBar", CExtControlBar::g_nMsgCreateTabbedBar),
    MESSAGE("CExtControlBar::g_nMsgDrawTrackedArea", CExtControlBar::g_nMsgDrawTrackedArea),
    MESSAGE("CExtControlBar::g_nMsgCustomNcAreaQuery", CExtControlBar::g_nMsgCustomNcAreaQuery),
    MESSAGE("CExtToolControlBar::g_nMsgTrackButtonMenu", CExtToolControlBar::g_nMsgTrackButtonMenu),
    MESSAGE("CExtToolControlBar::g_nMsgContinueTrackMenu", CExtToolControlBar::g_nMsgContinueTrackMenu),
    MESSAGE("CExtPaintManager::g_nMsgPaintInheritedBackground",
            CExtPaintManager::g_nMsgPaintInheritedBackground),
    MESSAGE("CExtMenuControlBar::g_nMsgPrepareSystemMenu", CExtMenuControlBar::g_nMsgPrepareSystemMenu),
    MESSAGE("CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate",
            CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate),
    MESSAGE("CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent",
            CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent),
    MESSAGE("CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure",
            CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure),
    MESSAGE("CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw",
            CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw),
    MESSAGE("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK",
            CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK),
    MESSAGE("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel",
            CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel),
    MESSAGE("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange",
            CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange),
    MESSAGE("CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent",
            CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent),
    MESSAGE("CExtDatePickerWnd::g_nMsgSelectionNotification", CExtDatePickerWnd::g_nMsgSelectionNotification),
    MESSAGE("CExtColorCtrl::g_nMsgColorChanged", CExtColorCtrl::g_nMsgColorChanged),
};

#undef MESSAGE

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
