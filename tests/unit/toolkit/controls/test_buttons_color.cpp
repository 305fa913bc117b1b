// The themed colour button with real clicks: its popup's cell, default colour and the system colour
// dialog's custom colour are reported with the button's cookie, and the button shows the choice.
#include "tests/unit/toolkit/controls/buttons_support.h"
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

#include <colordlg.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <tuple>
#include <vector>

namespace {

using namespace buttons_support;
using namespace colorctrl_support;
typedef CExtPopupColorMenuWnd C;

const LPARAM kCookie = 0x5A17;
const COLORREF kStart = RGB(9, 9, 9);

class ColorButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dlg.Open());
    ASSERT_TRUE(m_dlg.Add(m_btn, BS_PUSHBUTTON, "", CRect(20, 20, 120, 50)));
    m_btn.m_lParamCookie = kCookie;
    m_btn.m_clrSelected = kStart;
  }
  void TearDown() override { CloseMenus(); }
  // Opens the popup with a click, or the key on the focused button, and waits until it is laid out.
  C* OpenPopup(UINT nKey = 0) {
    m_btn.SetFocus();
    nKey == 0 ? ClickCentre(m_btn.m_hWnd) : PressKey(nKey);
    C* pPopup = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, WaitForPopup());
    if (pPopup != NULL)
      PumpUntil([&] { return !pPopup->GetCellRect(0).IsRectEmpty(); });
    return pPopup;
  }
  // The one final colour notification with its cookie, once it came; (0, -2) without exactly one.
  std::tuple<WPARAM, LPARAM> Final() {
    PumpUntil([&] { return !m_dlg.Messages(C::g_nMsgNotifyColorChangedFinally).empty(); }, 15000);
    const std::vector<MSG> got = m_dlg.Messages(C::g_nMsgNotifyColorChangedFinally);
    return got.size() == 1 ? std::make_tuple(got[0].wParam, got[0].lParam)
                           : std::make_tuple(WPARAM(0), LPARAM(-2));
  }
  CButtonsDlg m_dlg;
  CExtColorButton m_btn;
};

// A click on a cell previews the colours passed over and reports the cell's colour once, which
// the button then shows.
TEST_F(ColorButtonTest, ACellOfThePopupIsReportedWithTheCookieAndShown) {
  C* pPopup = OpenPopup();
  ASSERT_NE(nullptr, pPopup);
  const COLORREF clrCell = pPopup->GetColorAt(13);
  const CPoint pt = pPopup->GetCellRect(13).CenterPoint();
  MoveInside(pPopup->m_hWnd, pt.x, pt.y);
  Click(pPopup->m_hWnd, pt.x, pt.y);
  EXPECT_EQ(std::make_tuple(WPARAM(clrCell), kCookie), Final());
  const std::vector<MSG> previews = m_dlg.Messages(C::g_nMsgNotifyColorChanged);
  EXPECT_TRUE(std::any_of(previews.begin(), previews.end(),
                          [&](const MSG& r) { return r.wParam == clrCell && r.lParam == kCookie; }));
  EXPECT_EQ(clrCell, m_btn.m_clrSelected);
  EXPECT_GT(CountColour(m_btn.m_hWnd, clrCell), 50);
}

// A click, Space or Return opens the popup and no click is sent; the popup's default-colour
// choice, and a final notification of -1 (no colour), report the button's default colour or -1
// and show the default colour, or keep the colour without one.
using DefaultRow = std::tuple<COLORREF, UINT>;
class DefaultColorTest : public ColorButtonTest, public ::testing::WithParamInterface<DefaultRow> {};

TEST_P(DefaultColorTest, TheDefaultAndNoColourChoicesShowTheDefaultColour) {
  const auto [clrDefault, nKey] = GetParam();
  const COLORREF clrShown = clrDefault == (COLORREF)-1 ? kStart : clrDefault;
  m_btn.m_clrDefault = clrDefault;
  C* pPopup = OpenPopup(nKey);
  ASSERT_NE(nullptr, pPopup);
  ASSERT_FALSE(pPopup->m_rcDefaultButton.IsRectEmpty());
  Click(pPopup->m_hWnd, pPopup->m_rcDefaultButton.CenterPoint().x, pPopup->m_rcDefaultButton.CenterPoint().y);
  EXPECT_EQ(std::make_tuple(WPARAM(clrDefault), kCookie), Final());
  EXPECT_EQ(clrShown, m_btn.m_clrSelected);
  EXPECT_EQ(std::make_tuple(0, 0), std::make_tuple(m_dlg.Clicks(m_btn.GetDlgCtrlID()), m_dlg.Clicks(IDOK)));

  m_dlg.m_log.clear();
  m_btn.m_clrSelected = kStart;
  m_btn.PostMessage(C::g_nMsgNotifyColorChangedFinally, 0xFFFFFFFF, kCookie);
  EXPECT_EQ(std::make_tuple(WPARAM(0xFFFFFFFF), kCookie), Final());
  EXPECT_EQ(clrShown, m_btn.m_clrSelected);
}

INSTANTIATE_TEST_SUITE_P(Defaults, DefaultColorTest,
                         ::testing::Values(DefaultRow{RGB(200, 30, 40), 0},
                                           DefaultRow{(COLORREF)-1, VK_SPACE},
                                           DefaultRow{RGB(200, 30, 40), VK_RETURN}));

// A split colour button reports its colour on a click of the main part without a popup.
TEST_F(ColorButtonTest, TheMainPartOfASplitColourButtonReportsItsColour) {
  m_btn.SetSeparatedDropDown(true);
  Click(m_btn.m_hWnd, 10, 15);
  EXPECT_EQ(std::make_tuple(WPARAM(kStart), kCookie), Final());
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
}

// Clicks into the colour dialog's edit and types the value over what it holds as real keys.
bool TypeValue(HWND hEdit, const char* pszValue) {
  CRect rc;
  ::GetWindowRect(hEdit, &rc);
  real_input::MouseAt(rc.CenterPoint(), MOUSEEVENTF_LEFTDOWN);
  real_input::MouseAt(rc.CenterPoint(), MOUSEEVENTF_LEFTUP);
  for (UINT nKey : {VK_END, VK_BACK, VK_BACK, VK_BACK})
    real_input::Key(nKey);
  return TypeInto(hEdit, pszValue);
}

// The custom-colour button runs the system's colour dialog from the button's colour; OK reports
// the dialog's colour with the cookie and the button shows it, Cancel changes nothing.
class CustomColorTest : public ColorButtonTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CustomColorTest, TheSystemColourDialogGivesTheCustomColour) {
  const bool bOk = GetParam();
  const COLORREF clrTyped = RGB(200, GetGValue(kStart), GetBValue(kStart)); // red typed over the start
  m_btn.m_bUseSystemColorDialog = true;
  C* pPopup = OpenPopup();
  ASSERT_NE(nullptr, pPopup);
  ASSERT_FALSE(pPopup->m_rcCustomButton.IsRectEmpty());
  // The click runs the dialog's modal loop inside this thread's pump, so another thread drives it.
  auto driver = std::async(std::launch::async, [&] {
    HWND hColorDlg = NULL;
    const bool bFound = PumpUntil(
        [&] {
          hColorDlg = ::GetForegroundWindow();
          return ::GetWindow(hColorDlg, GW_OWNER) == m_dlg.m_hWnd &&
                 ::GetDlgItem(hColorDlg, COLOR_RED) != NULL;
        },
        10000);
    if (!bFound || (bOk && !TypeValue(::GetDlgItem(hColorDlg, COLOR_RED), "200")))
      return false;
    real_input::Key(bOk ? VK_RETURN : VK_ESCAPE);
    return PumpUntil([&] { return !::IsWindow(hColorDlg); }, 10000);
  });
  const CPoint pt = pPopup->m_rcCustomButton.CenterPoint();
  MoveInside(pPopup->m_hWnd, pt.x, pt.y);
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil([&] { return driver.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
                        30000));
  ASSERT_TRUE(driver.get());
  if (bOk)
    EXPECT_EQ(std::make_tuple(WPARAM(clrTyped), kCookie), Final());
  else
    EXPECT_TRUE(m_dlg.Messages(C::g_nMsgNotifyColorChangedFinally).empty());
  EXPECT_EQ(bOk ? clrTyped : kStart, m_btn.m_clrSelected);
}

INSTANTIATE_TEST_SUITE_P(OkAndCancel, CustomColorTest, ::testing::Bool());

} // namespace
