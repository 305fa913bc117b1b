// Random real keys, clicks and drags on a picker of two months, with and without the range style:
// the picker survives, never hangs, and its selection is always nothing or two valid days (one day
// without the range style).
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace date_support;
typedef CExtDatePickerWnd P;

class DatePickerSoak : public ::testing::TestWithParam<std::pair<unsigned, bool>> {};

TEST_P(DatePickerSoak, RandomInputKeepsTheSelectionNothingOrValid) {
  const bool bRange = GetParam().second;
  PickerWindow w(P::DPS_DEFAULT | P::DPS_BUTTON_NONE | (bRange ? P::DPS_MULTIPLE_SELECTION : 0), CSize(2, 1),
                 CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  std::mt19937 rng(GetParam().first);
  CRect rc;
  w.m_picker.GetClientRect(&rc);
  const auto anyPoint = [&] { return CPoint((int)(rng() % rc.right), (int)(rng() % rc.bottom)); };
  const UINT arrKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN, VK_ESCAPE, VK_TAB, VK_HOME, 'X'};
  for (int i = 0; i < 700; ++i) {
    SCOPED_TRACE(i);
    const unsigned nKind = rng() % 4;
    if (nKind <= 1) {
      ASSERT_TRUE(::GetFocus() == w.m_picker.m_hWnd || w.Focus());
      ASSERT_TRUE(w.Key(arrKeys[rng() % 9], rng() % 3 == 0));
    } else {
      const CPoint pt = anyPoint();
      ASSERT_TRUE(nKind == 2 ? w.Click(pt) : w.Drag(pt, anyPoint()));
    }
    ASSERT_TRUE(::IsWindow(w.m_picker.m_hWnd));
    const COleDateTime dtBegin = w.SelBegin(), dtEnd = w.SelEnd();
    ASSERT_EQ(dtBegin.GetStatus(), dtEnd.GetStatus());
    ASSERT_NE(COleDateTime::invalid, dtBegin.GetStatus());
    if (!bRange)
      ASSERT_EQ(dtBegin, dtEnd);
    ASSERT_EQ(COleDateTime::valid, w.m_picker.CurrentDateGet().GetStatus());
    ASSERT_EQ(2, w.m_picker.GetMonthCount());
    ASSERT_EQ(P::TRACK_NONE, w.m_picker.GetTrackingCode()) << "every press was released";
  }
  for (const P::SELECTION_NOTIFICATION& rec : w.m_host.m_records) {
    ASSERT_EQ(rec.m_dtBegin.GetStatus(), rec.m_dtEnd.GetStatus());
    ASSERT_NE(COleDateTime::invalid, rec.m_dtBegin.GetStatus());
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DatePickerSoak,
                         ::testing::Values(std::make_pair(1u, false), std::make_pair(2u, false),
                                           std::make_pair(1u, true), std::make_pair(2u, true)),
                         [](const ::testing::TestParamInfo<std::pair<unsigned, bool>>& info) {
                           return std::string(info.param.second ? "Range" : "Single") +
                                  std::to_string(info.param.first);
                         });

} // namespace
