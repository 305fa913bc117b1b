// Thousands of random real keys, clicks and drags on a picker of two months, with and without the
// range style: the picker survives, never hangs, and its selection is always nothing or two valid
// days (one day without the range style).
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

using namespace date_support;
typedef CExtDatePickerWnd P;

struct SoakCase {
  unsigned nSeed;
  bool bRange;
};

class DatePickerSoak : public ::testing::TestWithParam<SoakCase> {};

std::string Describe(const COleDateTime& dt) {
  std::ostringstream out;
  out << "status " << dt.GetStatus() << " " << dt.GetYear() << "-" << dt.GetMonth() << "-" << dt.GetDay();
  return out.str();
}

TEST_P(DatePickerSoak, RandomInputKeepsTheSelectionNothingOrValid) {
  const SoakCase& row = GetParam();
  const DWORD dwStyle = P::DPS_DEFAULT | P::DPS_BUTTON_NONE | (row.bRange ? P::DPS_MULTIPLE_SELECTION : 0);
  PickerWindow w(dwStyle, CSize(2, 1), CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  std::mt19937 rng(row.nSeed);
  CRect rcClient;
  w.m_picker.GetClientRect(&rcClient);
  std::uniform_int_distribution<int> anyX(0, rcClient.right - 1), anyY(0, rcClient.bottom - 1);
  const UINT arrKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN, VK_ESCAPE, VK_TAB, VK_HOME, 'X'};
  std::uniform_int_distribution<int> anyKey(0, (int)(sizeof(arrKeys) / sizeof(arrKeys[0])) - 1);
  const int nSteps = 700;
  for (int i = 0; i < nSteps; ++i) {
    const int nKind = (int)(rng() % 4);
    const CPoint pt(anyX(rng), anyY(rng));
    if (nKind <= 1) {
      if (::GetFocus() != w.m_picker.m_hWnd)
        ASSERT_TRUE(w.Focus()) << "step " << i;
      const UINT nKey = arrKeys[anyKey(rng)];
      ASSERT_TRUE(w.Key(nKey, (rng() % 3) == 0)) << "step " << i << " key " << nKey;
    } else if (nKind == 2) {
      ASSERT_TRUE(w.Click(pt)) << "step " << i;
    } else {
      ASSERT_TRUE(w.Drag(pt, CPoint(anyX(rng), anyY(rng)))) << "step " << i;
    }
    ASSERT_TRUE(::IsWindow(w.m_picker.m_hWnd)) << "step " << i;
    COleDateTime dtBegin, dtEnd;
    w.m_picker.SelectionGet(dtBegin, dtEnd);
    const bool bNothing =
        dtBegin.GetStatus() == COleDateTime::null && dtEnd.GetStatus() == COleDateTime::null;
    const bool bValid =
        dtBegin.GetStatus() == COleDateTime::valid && dtEnd.GetStatus() == COleDateTime::valid;
    ASSERT_TRUE(bNothing || bValid) << "step " << i << ": " << Describe(dtBegin) << " / " << Describe(dtEnd);
    if (!row.bRange)
      ASSERT_EQ(dtBegin, dtEnd) << "step " << i;
    ASSERT_EQ(COleDateTime::valid, w.m_picker.CurrentDateGet().GetStatus()) << "step " << i;
    ASSERT_EQ(2, w.m_picker.GetMonthCount()) << "step " << i;
    ASSERT_EQ(P::TRACK_NONE, w.m_picker.GetTrackingCode()) << "step " << i << ": every press was released";
  }
  for (const P::SELECTION_NOTIFICATION& rec : w.m_host.m_records) {
    ASSERT_EQ(rec.m_dtBegin.GetStatus(), rec.m_dtEnd.GetStatus());
    ASSERT_NE(COleDateTime::invalid, rec.m_dtBegin.GetStatus());
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DatePickerSoak,
                         ::testing::Values(SoakCase{1, false}, SoakCase{2, false}, SoakCase{1, true},
                                           SoakCase{2, true}),
                         [](const ::testing::TestParamInfo<SoakCase>& info) {
                           return std::string(info.param.bRange ? "Range" : "Single") +
                                  std::to_string(info.param.nSeed);
                         });

} // namespace
