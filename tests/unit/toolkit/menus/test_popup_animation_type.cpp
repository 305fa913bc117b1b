// The type and the steps of a popup's opening animation: the types validation keeps, the random
// type, palette screens, the steps of timer 666 and the sound at the end.
#include "tests/unit/toolkit/menus/popup_base_support.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace popup_base_test;
typedef CExtPopupBaseWnd Popup;

// Validates nType from step 60; the type left, which alone counts as finished when none.
int Validate(Popup& popup, int nType) {
  popup.m_nAnimationType = nType;
  popup.m_nStep = popup.m_nPrevStep = 60;
  popup.ValidateAnimationType();
  EXPECT_EQ(0, popup.m_nStep + popup.m_nPrevStep);
  EXPECT_EQ(popup.m_nAnimationType == Popup::ANIM_NONE, popup.IsAnimationFinished());
  return popup.m_nAnimationType;
}

class PopupAnimationType : public ::testing::TestWithParam<int> {};

TEST_P(PopupAnimationType, ValidationKeepsKnownTypesAndAPaletteScreenOnlyTheAtOnceOnes) {
  CForcedScreenDepth depth(GetParam());
  ASSERT_TRUE(depth.Applied());
  ASSERT_EQ(GetParam(), CExtPaintManager::GetScreenBitsPerPixel());
  const bool bPalette = GetParam() <= 8;
  Popup popup;
  for (int nType : {-100, -3, -2, -1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1000}) {
    const bool bKnown = nType >= -2 && nType <= 10;
    EXPECT_EQ(bKnown && (!bPalette || nType < 0) ? nType : 0, Validate(popup, nType)) << nType;
  }
  // The random type becomes one of the effects, never none nor random again.
  std::set<int> types;
  for (unsigned nSeed = 0; nSeed < 300; ++nSeed) {
    popup.m_nRandomSeed = nSeed;
    types.insert(Validate(popup, Popup::ANIM_RANDOM));
  }
  const std::set<int> expected = bPalette ? std::set<int>{0} : std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(expected, types);
}

INSTANTIATE_TEST_SUITE_P(PopupScreens, PopupAnimationType, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(PopupAnimationSteps, StepsRunByTwentyUpToAHundredThenTheAnimationFinishes) {
  const struct {
    int nType;
    std::vector<int> steps; // seen before finishing
  } rows[] = {
      {Popup::ANIM_EXPAND, {0, 20, 40, 60, 80, 100}},
      {Popup::ANIM_FADE, {0, 20, 40, 60, 80, 100}},
      {Popup::ANIM_CIRCLES_CLOSE, {0, 20, 40, 60, 80, 100}},
      {Popup::ANIM_AT_ONCE, {0}},
      {Popup::ANIM_NONE, {}},
  };
  for (const auto& row : rows) {
    Popup popup;
    popup.m_nAnimationType = row.nType;
    popup.ValidateAnimationType();
    std::vector<int> steps;
    for (int i = 0; i < 10 && !popup.IsAnimationFinished(); ++i) {
      steps.push_back(popup.m_nStep);
      popup.StepAnimation();
    }
    EXPECT_EQ(row.steps, steps) << row.nType;
    EXPECT_EQ(row.nType == 0 ? 0 : Popup::g_nDefaultAnimation, popup.m_nAnimationType);
  }
}

TEST(PopupAnimationSteps, TheEndSoundPlaysOnceAtTheEndAndOnlyWhenEffectsAreOn) {
  for (bool bSuppressed : {false, true}) {
    CSoundRecorder recorder;
    ASSERT_TRUE(recorder.Applied());
    CPlainPopup popup;
    popup.m_bSuppressed = bSuppressed;
    popup.m_nAnimationType = Popup::ANIM_FADE;
    popup.ValidateAnimationType();
    popup.m_nEndSound = CExtSoundPlayer::UI_SOUND_MENU_POPUP;
    for (int i = 0; i < 5; ++i)
      popup.StepAnimation();
    EXPECT_TRUE(recorder.Sounds().empty());
    for (int i = 0; i < 4; ++i)
      popup.StepAnimation();
    EXPECT_EQ(0u, popup.m_nEndSound);
    EXPECT_EQ(bSuppressed ? std::vector<std::string>{} : std::vector<std::string>{"MenuPopup"},
              recorder.Sounds())
        << bSuppressed;
  }
}

} // namespace
