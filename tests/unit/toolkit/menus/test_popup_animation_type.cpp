// The type and the steps of a popup's opening animation: the types validation keeps, the random
// type, palette screens, the steps of timer 666 and the sound at the end.
#include "tests/unit/toolkit/menus/popup_base_support.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using popup_base_test::CForcedScreenDepth;
using popup_base_test::CPlainPopup;
using popup_base_test::CSoundRecorder;
typedef CExtPopupBaseWnd Popup;

// The type validation leaves, and whether the popup then counts as finished.
struct Validated {
  int nType;
  bool bFinished;
};

Validated Validate(Popup& popup, int nType) {
  popup.m_nAnimationType = nType;
  popup.m_nStep = popup.m_nPrevStep = 60;
  popup.ValidateAnimationType();
  EXPECT_EQ(0, popup.m_nStep);
  EXPECT_EQ(0, popup.m_nPrevStep);
  return Validated{popup.m_nAnimationType, popup.IsAnimationFinished()};
}

TEST(PopupAnimationType, ValidationKeepsTheTypesItKnowsAndTurnsTheRestOff) {
  const struct {
    int nType, nExpected;
  } rows[] = {
      {-100, 0}, {-3, 0}, {-2, -2}, {-1, -1}, {0, 0}, {2, 2},   {3, 3},  {4, 4},
      {5, 5},    {6, 6},  {7, 7},   {8, 8},   {9, 9}, {10, 10}, {11, 0}, {1000, 0},
  };
  Popup popup;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.nType);
    const Validated v = Validate(popup, row.nType);
    EXPECT_EQ(row.nExpected, v.nType);
    EXPECT_EQ(row.nExpected == 0, v.bFinished);
  }
}

TEST(PopupAnimationType, TheRandomTypeBecomesAnEffectNeverNoneNorRandomAgain) {
  Popup popup;
  std::set<int> seen;
  for (unsigned nSeed = 0; nSeed < 500; ++nSeed) {
    popup.m_nRandomSeed = nSeed;
    const Validated v = Validate(popup, Popup::ANIM_RANDOM);
    ASSERT_GE(v.nType, Popup::ANIM_SLIDE) << nSeed;
    ASSERT_LE(v.nType, Popup::ANIM_CIRCLES_CLOSE) << nSeed;
    EXPECT_FALSE(v.bFinished);
    seen.insert(v.nType);
  }
  EXPECT_EQ(9u, seen.size());
}

class PopupAnimationDepth : public ::testing::TestWithParam<int> {};

TEST_P(PopupAnimationDepth, APaletteScreenKeepsOnlyTheAtOnceAndExpandTypes) {
  const int nBits = GetParam();
  CForcedScreenDepth depth(nBits);
  ASSERT_TRUE(depth.Applied());
  ASSERT_EQ(nBits, CExtPaintManager::GetScreenBitsPerPixel());
  Popup popup;
  for (int nType = Popup::ANIM_EXPAND; nType <= Popup::ANIM_CIRCLES_CLOSE; ++nType) {
    SCOPED_TRACE(nType);
    const Validated v = Validate(popup, nType);
    int nExpected = nType;
    if (nType == Popup::ANIM_RANDOM)
      nExpected = v.nType; // checked by the random test; off on a palette screen
    if (nBits <= 8 && nType != Popup::ANIM_EXPAND && nType != Popup::ANIM_AT_ONCE)
      nExpected = Popup::ANIM_NONE;
    EXPECT_EQ(nExpected, v.nType);
    EXPECT_EQ(nExpected == Popup::ANIM_NONE, v.bFinished);
  }
}

INSTANTIATE_TEST_SUITE_P(PopupScreens, PopupAnimationDepth, ::testing::Values(1, 4, 8, 15, 16, 24, 32));

TEST(PopupAnimationType, StepsRunByTwentyUpToAHundredThenTheAnimationFinishes) {
  const int kStepped[] = {Popup::ANIM_EXPAND, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  for (int nType : kStepped) {
    SCOPED_TRACE(nType);
    Popup popup;
    popup.m_nAnimationType = nType;
    popup.ValidateAnimationType();
    std::vector<int> steps{popup.m_nStep};
    while (!popup.IsAnimationFinished() && steps.size() < 20) {
      const int nBefore = popup.m_nStep;
      popup.StepAnimation();
      EXPECT_EQ(nBefore, popup.m_nPrevStep);
      if (!popup.IsAnimationFinished())
        steps.push_back(popup.m_nStep);
    }
    EXPECT_EQ((std::vector<int>{0, 20, 40, 60, 80, 100}), steps);
    EXPECT_EQ(Popup::g_nDefaultAnimation, popup.m_nAnimationType);
  }
}

TEST(PopupAnimationType, AtOnceFinishesAtTheFirstStepAndNoneIsFinishedFromTheStart) {
  Popup popup;
  popup.m_nAnimationType = Popup::ANIM_AT_ONCE;
  popup.ValidateAnimationType();
  EXPECT_FALSE(popup.IsAnimationFinished());
  popup.StepAnimation();
  EXPECT_TRUE(popup.IsAnimationFinished());
  EXPECT_EQ(0, popup.m_nStep);

  popup.m_nAnimationType = Popup::ANIM_NONE;
  popup.ValidateAnimationType();
  EXPECT_TRUE(popup.IsAnimationFinished());
  popup.StepAnimation();
  EXPECT_EQ(0, popup.m_nStep);
  EXPECT_EQ(Popup::ANIM_NONE, popup.m_nAnimationType);
}

TEST(PopupAnimationType, TheEndSoundPlaysOnceAtTheEndAndOnlyWhenEffectsAreOn) {
  for (bool bSuppressed : {false, true}) {
    SCOPED_TRACE(bSuppressed);
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
    EXPECT_TRUE(popup.IsAnimationFinished());
    EXPECT_EQ(0u, popup.m_nEndSound);
    EXPECT_EQ(bSuppressed ? std::vector<std::string>{} : std::vector<std::string>{"MenuPopup"},
              recorder.Sounds());
  }
}

} // namespace
