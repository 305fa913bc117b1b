// The toolkit's process objects: the registered messages carry the numbers of their qualified
// names, start-up makes the objects in its fixed order before main, and exit undoes it in reverse.
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/ExtGlobals.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ToolkitGlobals, MessagesHaveTheNumbersOfTheirQualifiedNames) {
  // One member of each kind of owner: a plain class, a nested class, the last one registered.
  const std::pair<const char*, UINT> messages[] = {
      {"CExtPopupMenuWnd::g_nMsgPrepareMenu", ExtRegisteredMessages::CExtPopupMenuWnd::g_nMsgPrepareMenu},
      {"CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll",
       ExtRegisteredMessages::CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll},
      {"CExtColorCtrl::g_nMsgColorChanged", ExtRegisteredMessages::CExtColorCtrl::g_nMsgColorChanged}};
  for (const auto& [pszName, nMessage] : messages) {
    EXPECT_GE(nMessage, 0xC000u) << pszName;
    EXPECT_EQ(::RegisterWindowMessageA(pszName), nMessage) << pszName;
  }
  // The paint manager's member is the very number registered for its name.
  EXPECT_EQ(&ExtRegisteredMessages::CExtPaintManager::g_nMsgPaintInheritedBackground,
            &CExtPaintManager::g_nMsgPaintInheritedBackground);
}

typedef ExtGlobalsTrace T;
const std::vector<int> kStartupOrder = {
    T::STEP_TRACK_SITE,        T::STEP_MESSAGES_1_TO_11,  T::STEP_SOUND_PLAYER,      T::STEP_SOUND_IDLE_EVENT,
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
