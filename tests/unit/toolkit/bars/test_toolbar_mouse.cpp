// The tool bar's mouse handling with real input on a bar docked in a frame.
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/toolbar_support.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Ids: 101 and 102 have handlers, 199 has none (the command update disables it).
const std::vector<UINT> kIds = {101, 0, 102, 199};

class ToolBarMouse : public ::testing::Test {
protected:
  void SetUp() override {
    m_lab = MakeToolBarLab(kIds);
    ASSERT_TRUE(m_lab);
    // Start every test from a released button away from the bar.
    real_input::Button(MOUSEEVENTF_LEFTUP);
    real_input::MoveTo(Away());
    ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() < 0; }));
  }
  void TearDown() override {
    real_input::Button(MOUSEEVENTF_LEFTUP);
    m_lab.reset();
  }
  CFixedToolBar& Bar() { return *m_lab->pBar; }
  CToolTestFrame& Frame() { return *m_lab->pFrame; }
  // A point in the frame's client area well below the bar.
  POINT Away() {
    CRect rc;
    Frame().GetWindowRect(&rc);
    return CPoint(rc.CenterPoint().x, rc.bottom - 60);
  }
  static bool CursorIsAt(POINT pt) {
    POINT ptNow;
    return ::GetCursorPos(&ptNow) && ptNow.x == pt.x && ptNow.y == pt.y;
  }
  bool Pressed(int nIndex) { return (Bar().GetButtonStyle(nIndex) & TBBS_PRESSED) != 0; }
  // Hover, press and release over the button.
  void ClickButton(int nIndex) {
    real_input::MoveTo(Bar().ButtonCenter(nIndex));
    ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == nIndex; }));
    real_input::Button(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return Bar().GetPressedButton() == nIndex; }));
    real_input::Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return Bar().GetPressedButton() < 0; }));
  }

  std::unique_ptr<ToolBarLab> m_lab;
};

} // namespace

TEST_F(ToolBarMouse, PressDraggedOffShowsReleasedAndBackShowsPressedAndFiresNothing) {
  real_input::MoveTo(Bar().ButtonCenter(2));
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 2; }));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Pressed(2); }));
  EXPECT_TRUE(Bar().Fixed(2)->IsPressedTracking());
  EXPECT_EQ(::GetCapture(), Bar().m_hWnd);

  real_input::MoveTo(Away());
  EXPECT_TRUE(PumpUntil([&] { return !Pressed(2); }));
  EXPECT_EQ(2, Bar().GetPressedButton()); // still held, only the look changed

  real_input::MoveTo(Bar().ButtonCenter(2));
  EXPECT_TRUE(PumpUntil([&] { return Pressed(2); }));

  real_input::MoveTo(Away());
  EXPECT_TRUE(PumpUntil([&] { return !Pressed(2); }));
  real_input::Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetPressedButton() < 0; }));
  PumpPending();
  EXPECT_TRUE(Frame().m_fired.empty());
  EXPECT_FALSE(Pressed(2));
  EXPECT_NE(::GetCapture(), Bar().m_hWnd);
}

TEST_F(ToolBarMouse, PressOnADisabledButtonIsIgnored) {
  real_input::MoveTo(Bar().ButtonCenter(3));
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 3; }));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  // The press runs the command update first, which disables the handler-less command.
  ASSERT_TRUE(PumpUntil([&] { return Bar().Fixed(3)->IsDisabled(); }));
  real_input::Button(MOUSEEVENTF_LEFTUP);
  PumpPending();
  EXPECT_EQ(-1, Bar().GetPressedButton());
  EXPECT_FALSE(Pressed(3));
  EXPECT_EQ(0, Bar().Fixed(3)->m_nPresses);
  EXPECT_TRUE(Frame().m_fired.empty());
}

TEST_F(ToolBarMouse, PressOnTheTrackedButtonDoesNotReopenIt) {
  Bar().SetTrackedButton(0);
  real_input::MoveTo(Bar().ButtonCenter(0));
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 0; }));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  real_input::MoveTo(Bar().ButtonCenter(2));
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 2; }));
  EXPECT_EQ(0, Bar().Fixed(0)->m_nPresses);
  EXPECT_TRUE(Frame().m_fired.empty());
  Bar().SetTrackedButton(-1);
}

struct CheckCase {
  UINT nBefore;
  UINT nAfter;
};

class ToolBarCheckBox : public ToolBarMouse, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ToolBarCheckBox, ReleaseOverACheckBoxTogglesItsCheck) {
  const CheckCase c = GetParam();
  Bar().SetButtonStyle(2, c.nBefore);
  ClickButton(2);
  ASSERT_TRUE(PumpUntil([&] { return !Frame().m_fired.empty(); }));
  EXPECT_EQ(std::vector<UINT>{102}, Frame().m_fired);
  EXPECT_FALSE(Pressed(2));
  EXPECT_FALSE(Bar().Fixed(2)->IsPressedTracking());
  EXPECT_EQ(c.nAfter, Bar().GetButtonStyle(2) & (TBBS_CHECKBOX | TBBS_CHECKED | TBBS_INDETERMINATE));
}

INSTANTIATE_TEST_SUITE_P(
    States, ToolBarCheckBox,
    ::testing::Values(CheckCase{TBBS_CHECKBOX, TBBS_CHECKBOX | TBBS_CHECKED},
                      CheckCase{TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX},
                      CheckCase{TBBS_CHECKBOX | TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},
                      CheckCase{TBBS_CHECKBOX | TBBS_CHECKED | TBBS_INDETERMINATE, TBBS_CHECKBOX},
                      CheckCase{0, 0}));

TEST_F(ToolBarMouse, CancelModeDropsPressHoverAndCapture) {
  real_input::MoveTo(Bar().ButtonCenter(0));
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 0; }));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Pressed(0); }));
  Bar().SendMessage(WM_CANCELMODE);
  EXPECT_EQ(-1, Bar().GetPressedButton());
  EXPECT_EQ(-1, Bar().GetHoverButton());
  EXPECT_FALSE(Pressed(0));
  EXPECT_FALSE(Bar().Fixed(0)->IsPressedTracking());
  EXPECT_FALSE(Bar().Fixed(0)->IsHover());
  EXPECT_NE(::GetCapture(), Bar().m_hWnd);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  PumpPending();
  EXPECT_TRUE(Frame().m_fired.empty());
}

TEST_F(ToolBarMouse, PressOnTheEmptyPartDragsTheBarLive) {
  CRect rcBar;
  Bar().GetWindowRect(&rcBar);
  const CPoint ptGrab(rcBar.right - 6, rcBar.CenterPoint().y);
  ASSERT_EQ(-1, Bar().HitTestButton(CPoint(ptGrab.x - rcBar.left, 10)));
  real_input::MoveTo(ptGrab);
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  // The drag runs its own loop; the input goes on from the driver thread.
  std::thread driver([&] {
    for (int i = 1; i <= 10; ++i)
      real_input::MouseAt(CPoint(ptGrab.x - 10 * i, ptGrab.y + 20 * i), MOUSEEVENTF_MOVE);
    real_input::MouseAt(CPoint(ptGrab.x - 100, ptGrab.y + 200), MOUSEEVENTF_LEFTUP);
  });
  EXPECT_TRUE(PumpUntil([&] { return Bar().IsFloating(); }));
  driver.join();
  PumpPending();
  EXPECT_TRUE(Frame().m_fired.empty());
  // Floating in its mini frame beside the active main frame, the bar still hovers.
  real_input::MoveTo(Bar().ButtonCenter(2));
  EXPECT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 2; }));
}

TEST_F(ToolBarMouse, DoubleClickOnAButtonCountsAsTwoClicks) {
  real_input::MoveTo(Bar().ButtonCenter(0));
  ASSERT_TRUE(PumpUntil([&] { return Bar().GetHoverButton() == 0; }));
  for (int i = 0; i < 2; ++i) {
    real_input::Button(MOUSEEVENTF_LEFTDOWN);
    real_input::Button(MOUSEEVENTF_LEFTUP);
  }
  EXPECT_TRUE(PumpUntil([&] { return Frame().m_fired.size() >= 2; }));
  EXPECT_EQ((std::vector<UINT>{101, 101}), Frame().m_fired);
}

TEST_F(ToolBarMouse, DoubleClickOnASeparatorOfADockedBarFloatsIt) {
  ASSERT_FALSE(Bar().IsFloating());
  real_input::MoveTo(Bar().ButtonCenter(1));
  ASSERT_TRUE(PumpUntil([&] { return CursorIsAt(Bar().ButtonCenter(1)); }));
  for (int i = 0; i < 2; ++i) {
    real_input::Button(MOUSEEVENTF_LEFTDOWN);
    real_input::Button(MOUSEEVENTF_LEFTUP);
  }
  EXPECT_TRUE(PumpUntil([&] { return Bar().IsFloating(); }));
  EXPECT_TRUE(Frame().m_fired.empty());
}

TEST_F(ToolBarMouse, HoveredButtonShowsItsTipThroughTheSharedTipWindow) {
  Bar().Fixed(2)->m_sTip = "Second button";
  CExtPopupMenuTipWnd* pTip = Bar().GetToolTipObject();
  ASSERT_NE(nullptr, pTip);
  real_input::MoveTo(Bar().ButtonCenter(2));
  EXPECT_TRUE(PumpUntil([&] { return pTip->GetText() == "Second button" && pTip->IsWindowVisible(); }));
  real_input::MoveTo(Away());
  PumpUntil([&] { return !pTip->IsWindowVisible(); });
}

// The user's pointer leaves the frame over no window of the program: the hot button is drawn as
// before the pointer came, though the bar took the capture when the button went hot.
TEST_F(ToolBarMouse, HotLookEndsWhenThePointerLeavesTheFrame) {
  Bar().Fixed(0)->m_bOwnHover = true;
  const CRect rcButton = Bar().Fixed(0)->GetRect();
  auto look = [&] { return pixel_support::ReadWindow(Bar().m_hWnd, rcButton); };
  auto same = [](const pixel_support::Pixels& a, const pixel_support::Pixels& b) {
    return !a.Empty() && a.cx == b.cx && a.cy == b.cy && a.data == b.data;
  };
  // The button's look once the bar has done the paint it owes.
  ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(Bar().m_hWnd, NULL, FALSE); }));
  const pixel_support::Pixels cold = look();
  auto xMove = [](POINT pt) {
    ASSERT_TRUE(real_input::XMoveTo(pt));
    ASSERT_TRUE(PumpUntil([&] { return CursorIsAt(pt); }, 10000))
        << "the X pointer at " << pt.x << "," << pt.y;
  };
  ASSERT_NO_FATAL_FAILURE(xMove(Bar().ButtonCenter(0)));
  pixel_support::Pixels hot;
  ASSERT_TRUE(PumpUntil([&] {
    hot = look();
    return Bar().GetHoverButton() == 0 && !same(hot, cold);
  })) << "the button drawn hot under the pointer";
  pixel_support::SaveBmp(hot, "toolbar_button_hot.bmp");
  CRect rcFrame;
  Frame().GetWindowRect(&rcFrame);
  ASSERT_LT(rcFrame.right + 40, ::GetSystemMetrics(SM_CXSCREEN)) << "no room beside the frame";
  ASSERT_NO_FATAL_FAILURE(xMove(CPoint(rcFrame.right + 40, rcFrame.top + 20)));
  pixel_support::Pixels after;
  const bool bCold = PumpUntil([&] {
    after = look();
    return Bar().GetHoverButton() < 0 && same(after, cold);
  });
  pixel_support::SaveBmp(after, "toolbar_button_after_leaving.bmp");
  EXPECT_TRUE(bCold) << "the button still hot after the pointer left the frame";
}
