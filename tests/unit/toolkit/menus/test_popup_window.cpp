// A real popup over a known pattern on the screen: its fade and its shadow show the pattern beneath
// (under Wine a popup's own DC never does); the delayed show, the animation timer and the posted
// repaint; what a click on a popup activates.
#include "tests/unit/toolkit/menus/popup_base_support.h"

#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

using pattern_window::CPatternWindow;
using pattern_window::PatternColor;
using popup_base_test::CPlainPopup;
using popup_base_test::Shaded;
typedef CExtPopupBaseWnd Popup;

const CRect kRcPattern(200, 200, 520, 460);
const CRect kRcPopup(260, 240, 380, 330); // 120 by 90: content 116 by 86, band 4

COLORREF Blend(COLORREF b, COLORREF f, int s) {
  return RGB((GetRValue(b) * (100 - s) + GetRValue(f) * s) / 100,
             (GetGValue(b) * (100 - s) + GetGValue(f) * s) / 100,
             (GetBValue(b) * (100 - s) + GetBValue(f) * s) / 100);
}

// What the screen showed at the popup's client point (x, y).
COLORREF Beneath(int x, int y) { return PatternColor(kRcPopup.left + x, kRcPopup.top + y); }

pixel_support::Pixels ReadPopup(const CPlainPopup& popup) {
  return pixel_support::ReadWindow(popup.m_hWnd, CRect(0, 0, kRcPopup.Width(), kRcPopup.Height()));
}

class PopupWindow : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_pattern.Create(kRcPattern, 0, true));
    ASSERT_TRUE(PumpUntil([&] {
      return pixel_support::ReadWindow(NULL, CRect(300, 300, 301, 301)).At(0, 0) == PatternColor(300, 300);
    }));
    ASSERT_TRUE(m_popup.CreateHidden(kRcPopup));
  }
  void TearDown() override {
    m_popup.DestroyWindow();
    m_pattern.Destroy();
    PumpPending();
  }

  CPatternWindow m_pattern;
  CPlainPopup m_popup;
};

TEST_F(PopupWindow, FadeFramesAndTheShadowShowTheScreenBeneath) {
  ASSERT_TRUE(m_popup.CaptureScreenBeneath());
  ASSERT_TRUE(m_popup.HasScreenBeneath());
  EXPECT_EQ((HBITMAP)m_popup.m_bmpScreenBeneath.GetSafeHandle(), m_popup.m_shadow.GetScreenSource());
  m_popup.m_nAnimationType = Popup::ANIM_FADE;
  m_popup.ValidateAnimationType();
  m_popup.ShowAndPaint();
  // A content pixel, one of the band at distance 0 and one past the band's rounded top end.
  const CPoint ptContent(30, 30), ptBand(116, 40), ptCorner(119, 1);
  for (int nStep = 0; nStep <= 100; nStep += 20) {
    SCOPED_TRACE(nStep);
    ASSERT_EQ(nStep, m_popup.m_nStep);
    const pixel_support::Pixels px = ReadPopup(m_popup);
    ASSERT_FALSE(px.Empty());
    if (nStep == 0 && px.At(ptContent.x, ptContent.y) != Beneath(ptContent.x, ptContent.y))
      pixel_support::SaveBmp(px, "popup_fade_step0.bmp");
    EXPECT_EQ(Blend(Beneath(ptContent.x, ptContent.y), CPlainPopup::kContent, nStep),
              px.At(ptContent.x, ptContent.y));
    EXPECT_EQ(Blend(Beneath(ptBand.x, ptBand.y), Shaded(Beneath(ptBand.x, ptBand.y), 75), nStep),
              px.At(ptBand.x, ptBand.y));
    EXPECT_EQ(Beneath(ptCorner.x, ptCorner.y), px.At(ptCorner.x, ptCorner.y));
    m_popup.StepAnimation();
    m_popup.UpdateWindow();
  }
  ASSERT_TRUE(m_popup.IsAnimationFinished());
  EXPECT_EQ(nullptr, m_popup.m_pBackground);
  const pixel_support::Pixels px = ReadPopup(m_popup);
  ASSERT_FALSE(px.Empty());
  EXPECT_EQ(CPlainPopup::kContent, px.At(ptContent.x, ptContent.y));
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(Shaded(Beneath(116 + k, 60), 75 + k * 25 / 4), px.At(116 + k, 60)) << k;
  EXPECT_EQ(Shaded(Beneath(60, 87), 81), px.At(60, 87));
  EXPECT_EQ(Beneath(ptCorner.x, ptCorner.y), px.At(ptCorner.x, ptCorner.y));
  EXPECT_EQ(Beneath(1, 89), px.At(1, 89));
}

TEST_F(PopupWindow, TheDelayedShowCapturesTheScreenTheTimerAnimatesAndThePostedRepaintPaints) {
  m_popup.m_nAnimationType = Popup::ANIM_FADE;
  m_popup.SetTimer(Popup::ID_TIMER_DELAYED_SHOW, 10);
  ASSERT_TRUE(PumpUntil([&] { return m_popup.IsWindowVisible() != FALSE; }));
  EXPECT_TRUE(m_popup.HasScreenBeneath());
  m_popup.StartAnimationTimer();
  ASSERT_FALSE(m_popup.IsAnimationFinished());
  ASSERT_TRUE(PumpUntil([&] { return m_popup.IsAnimationFinished(); }));
  const auto painted = [&] {
    const pixel_support::Pixels px = ReadPopup(m_popup);
    return !px.Empty() && px.At(30, 30) == CPlainPopup::kContent &&
           px.At(117, 40) == Shaded(Beneath(117, 40), 81);
  };
  EXPECT_TRUE(PumpUntil(painted));
  CClientDC(&m_popup).FillSolidRect(0, 0, kRcPopup.Width(), kRcPopup.Height(), RGB(0, 0, 0));
  m_popup.PostDelayedRepaint();
  EXPECT_TRUE(PumpUntil(painted));
}

void Click(CPoint pt) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in[3] = {};
  for (INPUT& input : in) {
    input.type = INPUT_MOUSE;
    input.mi.dx = (pt.x * 65536 + cx - 1) / cx;
    input.mi.dy = (pt.y * 65536 + cy - 1) / cy;
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(3, in, sizeof(INPUT));
}

TEST(PopupWindowClick, APopupTakesTheActivationOnlyForAControlItHosts) {
  const struct {
    const char* name;
    bool bSuppressed;
    bool bOnChild;
    int nAnswer;
    bool bActivated;
    bool bPressSeen; // the button-down reached the popup
  } rows[] = {
      {"plain", false, false, MA_NOACTIVATEANDEAT, false, false},
      {"effects suppressed", true, false, MA_NOACTIVATE, false, true},
      {"on a hosted control", false, true, MA_ACTIVATE, true, false},
  };
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ::SetForegroundWindow(host.m_hWnd);
    host.SetActiveWindow();
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == host.m_hWnd; }));
    CPlainPopup popup;
    popup.m_bSuppressed = row.bSuppressed;
    popup.m_nAnimationType = Popup::ANIM_NONE;
    popup.ValidateAnimationType();
    ASSERT_TRUE(popup.CreateHidden(CRect(700, 500, 820, 590)));
    CWnd button;
    if (row.bOnChild)
      ASSERT_TRUE(button.CreateEx(0, "BUTTON", "hosted", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 60,
                                  30, popup.m_hWnd, NULL));
    popup.ShowAndPaint();
    PumpPending();
    Click(CPoint(730, 520));
    ASSERT_TRUE(PumpUntil([&] {
      return !popup.m_mouseActivateAnswers.empty() &&
             (row.bOnChild ? ::GetActiveWindow() == popup.m_hWnd : popup.m_nButtonUps > 0);
    }));
    EXPECT_EQ(row.nAnswer, popup.m_mouseActivateAnswers.front());
    EXPECT_EQ(row.bActivated, ::GetActiveWindow() == popup.m_hWnd);
    EXPECT_EQ(row.bPressSeen ? 1 : 0, popup.m_nButtonDowns);
    if (row.bOnChild)
      button.DestroyWindow();
    popup.DestroyWindow();
    PumpPending();
  }
  host.DestroyWindow();
}

} // namespace
