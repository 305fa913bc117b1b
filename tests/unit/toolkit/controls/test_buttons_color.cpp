// The themed colour button with real clicks: its colour popup reports the chosen cell, the
// default colour and the custom colour of the system's colour dialog with the button's cookie,
// and the button shows what was chosen.
#include "tests/common/input_support.h"
#include "tests/unit/toolkit/controls/buttons_support.h"
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

#include <colordlg.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using namespace buttons_support;
using colorctrl_support::Click;
using colorctrl_support::MoveInside;
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
  // Opens the popup with a click and waits until it is laid out.
  C* OpenPopup() {
    ClickCentre(m_btn.m_hWnd);
    C* pPopup = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, WaitForPopup());
    if (pPopup != NULL)
      PumpUntil([&] { return !pPopup->GetCellRect(0).IsRectEmpty(); });
    return pPopup;
  }
  // Waits for the dialog's final colour notification.
  bool WaitForFinal() {
    return PumpUntil([&] { return !m_dlg.Messages(C::g_nMsgNotifyColorChangedFinally).empty(); }, 15000);
  }
  std::tuple<WPARAM, LPARAM> Final() {
    const std::vector<Received> got = m_dlg.Messages(C::g_nMsgNotifyColorChangedFinally);
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
  const int nCell = 13;
  const COLORREF clrCell = pPopup->GetColorAt(nCell);
  const CPoint pt = pPopup->GetCellRect(nCell).CenterPoint();
  MoveInside(pPopup->m_hWnd, pt.x, pt.y);
  Click(pPopup->m_hWnd, pt.x, pt.y);
  ASSERT_TRUE(WaitForFinal());
  EXPECT_EQ(std::make_tuple(WPARAM(clrCell), kCookie), Final());
  const std::vector<Received> previews = m_dlg.Messages(C::g_nMsgNotifyColorChanged);
  EXPECT_TRUE(std::any_of(previews.begin(), previews.end(),
                          [&](const Received& r) { return r.wParam == clrCell && r.lParam == kCookie; }));
  EXPECT_EQ(clrCell, m_btn.m_clrSelected);
  const pixel_support::Pixels px = colorctrl_support::ClientPixels(m_btn.m_hWnd);
  EXPECT_GT(std::count(px.data.begin(), px.data.end(), clrCell), 50);
}

// The popup's default-colour button reports the button's default colour (-1 when it has none);
// the button shows the default colour, or keeps its colour when there is none.
using DefaultRow = std::tuple<COLORREF, COLORREF>;
class DefaultColorTest : public ColorButtonTest, public ::testing::WithParamInterface<DefaultRow> {};

TEST_P(DefaultColorTest, TheDefaultChoiceShowsTheDefaultColour) {
  const auto [clrDefault, clrShown] = GetParam();
  m_btn.m_clrDefault = clrDefault;
  C* pPopup = OpenPopup();
  ASSERT_NE(nullptr, pPopup);
  ASSERT_FALSE(pPopup->m_rcDefaultButton.IsRectEmpty());
  const CPoint pt = pPopup->m_rcDefaultButton.CenterPoint();
  Click(pPopup->m_hWnd, pt.x, pt.y);
  ASSERT_TRUE(WaitForFinal());
  EXPECT_EQ(std::make_tuple(WPARAM(clrDefault), kCookie), Final());
  EXPECT_EQ(clrShown, m_btn.m_clrSelected);
}

// A final notification of -1 (no colour) shows the default colour, or keeps the colour without
// one, and still reaches the dialog as -1.
TEST_P(DefaultColorTest, ANoColourChoiceShowsTheDefaultAndForwardsMinusOne) {
  const auto [clrDefault, clrShown] = GetParam();
  m_btn.m_clrDefault = clrDefault;
  m_btn.PostMessage(C::g_nMsgNotifyColorChangedFinally, 0xFFFFFFFF, kCookie);
  ASSERT_TRUE(WaitForFinal());
  EXPECT_EQ(std::make_tuple(WPARAM(0xFFFFFFFF), kCookie), Final());
  EXPECT_EQ(clrShown, m_btn.m_clrSelected);
}

INSTANTIATE_TEST_SUITE_P(Defaults, DefaultColorTest,
                         ::testing::Values(DefaultRow{RGB(200, 30, 40), RGB(200, 30, 40)},
                                           DefaultRow{(COLORREF)-1, kStart}));

// A split colour button reports its colour on a click of the main part without a popup.
TEST_F(ColorButtonTest, TheMainPartOfASplitColourButtonReportsItsColour) {
  m_btn.SetSeparatedDropDown(true);
  Click(m_btn.m_hWnd, 10, 15);
  ASSERT_TRUE(WaitForFinal());
  EXPECT_EQ(std::make_tuple(WPARAM(kStart), kCookie), Final());
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
}

struct DialogSearch {
  HWND hOwner;
  HWND hFound;
};

BOOL CALLBACK FindColorDialogProc(HWND hWnd, LPARAM lParam) {
  auto* p = reinterpret_cast<DialogSearch*>(lParam);
  char szClass[16] = {};
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  if (std::strcmp(szClass, "#32770") == 0 && ::IsWindowVisible(hWnd) &&
      ::GetWindow(hWnd, GW_OWNER) == p->hOwner && ::GetDlgItem(hWnd, COLOR_RED) != NULL)
    p->hFound = hWnd;
  return p->hFound == NULL;
}

// The system's colour dialog, visible and owned by the window.
HWND FindColorDialog(HWND hOwner) {
  DialogSearch search = {hOwner, NULL};
  ::EnumWindows(&FindColorDialogProc, reinterpret_cast<LPARAM>(&search));
  return search.hFound;
}

// Polls a condition from the driver thread until it holds or the time-out passes.
bool PollUntil(const std::function<bool()>& pred, int nTimeoutMs = 10000) {
  const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > tEnd)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Types the value into the dialog's edit with real clicks and keys; true once it shows it.
bool TypeValue(HWND hEdit, int nValue) {
  RECT rc;
  ::GetWindowRect(hEdit, &rc);
  real_input::MoveTo({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  if (!PollUntil([&] { return ::GetFocus() == hEdit || ::GetForegroundWindow() == ::GetParent(hEdit); }))
    return false;
  real_input::Key(VK_END);
  for (int i = 0; i < 3; i++)
    real_input::Key(VK_BACK);
  const std::string sValue = std::to_string(nValue);
  for (char ch : sValue)
    real_input::Key((UINT)ch);
  return PollUntil([&] {
    char szText[16] = {};
    ::GetWindowTextA(hEdit, szText, sizeof(szText));
    return sValue == szText;
  });
}

// The custom-colour button runs the system's colour dialog; OK reports its colour with the
// cookie and the button shows it, Cancel changes nothing.
class CustomColorTest : public ColorButtonTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CustomColorTest, TheSystemColourDialogGivesTheCustomColour) {
  const bool bOk = GetParam();
  const COLORREF clrTyped = RGB(12, 200, 99);
  m_btn.m_bUseSystemColorDialog = true;
  C* pPopup = OpenPopup();
  ASSERT_NE(nullptr, pPopup);
  ASSERT_FALSE(pPopup->m_rcCustomButton.IsRectEmpty());
  const HWND hOwner = m_dlg.m_hWnd;
  std::atomic<bool> bDriven(false), bDone(false);
  std::thread driver([&] {
    struct DoneMark {
      std::atomic<bool>& b;
      ~DoneMark() { b = true; }
    } mark{bDone};
    HWND hColorDlg = NULL;
    if (!PollUntil([&] { return (hColorDlg = FindColorDialog(hOwner)) != NULL; }))
      return;
    if (bOk) {
      const int ids[3] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
      const int values[3] = {GetRValue(clrTyped), GetGValue(clrTyped), GetBValue(clrTyped)};
      for (int i = 0; i < 3; i++)
        if (!TypeValue(::GetDlgItem(hColorDlg, ids[i]), values[i]))
          return;
    }
    real_input::Key(bOk ? VK_RETURN : VK_ESCAPE);
    bDriven = PollUntil([&] { return !::IsWindow(hColorDlg); });
  });
  const CPoint pt = pPopup->m_rcCustomButton.CenterPoint();
  MoveInside(pPopup->m_hWnd, pt.x, pt.y);
  // The click runs the dialog's modal loop inside this pump; the driver closes it.
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil([&] { return bDone.load(); }, 20000));
  if (bOk)
    EXPECT_TRUE(WaitForFinal());
  driver.join();
  ASSERT_TRUE(bDriven);
  PumpPending();
  if (bOk) {
    EXPECT_EQ(std::make_tuple(WPARAM(clrTyped), kCookie), Final());
    EXPECT_EQ(clrTyped, m_btn.m_clrSelected);
  } else {
    EXPECT_TRUE(m_dlg.Messages(C::g_nMsgNotifyColorChangedFinally).empty());
    EXPECT_EQ(kStart, m_btn.m_clrSelected);
  }
}

INSTANTIATE_TEST_SUITE_P(OkAndCancel, CustomColorTest, ::testing::Bool());

} // namespace
