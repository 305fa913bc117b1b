// What a two-month picker draws in each theme, on a bitmap and on screen, and its months' measurements.
#include "tests/unit/toolkit/controls/month_support.h"
#include "tests/unit/toolkit/theme/theme_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace month_support;

namespace {

int Ink(const DibSurface& s, const CRect& rc, COLORREF clrBack) {
  return rc.Width() * rc.Height() - CountColor(s, rc, clrBack);
}

class MonthPicture : public ThemeTest, public ::testing::WithParamInterface<Theme> {};

// April and May 2007, weeks from Sunday, today the 17th, the 10th to the 12th selected: April's
// cells 0-6 are 25-31 March, 16-18 the selection, 23 today; May's 0-1 are 29-30 April.
TEST_P(MonthPicture, TodaySelectionCaptionsArrowsEdgeDaysAndMeasurements) {
  PM* pm = Install(GetParam());
  PickerInHost h(2, 1, CExtDatePickerWnd::DPS_DEFAULT, true);
  ASSERT_TRUE(h.m_picker.GetSafeHwnd() != NULL);
  h.m_picker.SelectionSet(COleDateTime(2007, 4, 10, 0, 0, 0), COleDateTime(2007, 4, 12, 0, 0, 0), true);
  CRect rcClient;
  h.m_picker.GetClientRect(&rcClient);
  DibSurface s(rcClient.Width(), rcClient.Height(), kBack);
  h.m_picker.OnDatePickerDrawEntire(s.dc(), rcClient);
  CRect rcToday = h.m_picker.GetMonthAt(0, 0)->GetCell(23).GetRect();
  const int nFrame = CountColor(s, rcToday, RGB(128, 0, 0));
  rcToday.DeflateRect(1, 1);
  EXPECT_EQ(2 * (rcToday.Width() + rcToday.Height()) + 4, nFrame - CountColor(s, rcToday, RGB(128, 0, 0)));

  // Per cell: N a number on the window colour, S a number on the selection, - blank. Centred
  // captions, a line under the day names, arrows only at the outer months.
  const std::string kCells[] = {std::string(16, 'N') + "SSS" + std::string(18, 'N') + "-----",
                                "--" + std::string(40, 'N')};
  const CRect& rcCaption = h.m_picker.GetMonthAt(0, 0)->GetCaptionRect();
  const COLORREF clrHeader = s.At(rcCaption.left + 1, rcCaption.top + 1);
  for (int i = 0; i < 2; ++i) {
    const MONTH_INFO& month = *h.m_picker.GetMonthAt(0, i);
    for (int nCell = 0; nCell < MONTH_INFO::CELL_COUNT; ++nCell) {
      const CRect& rc = month.GetCell(nCell).GetRect();
      const COLORREF clrFill = Id(pm, kCells[i][nCell] == 'S' ? 1001 : COLOR_WINDOW);
      EXPECT_GT(CountColor(s, rc, clrFill), rc.Width() * rc.Height() / 2) << i << "/" << nCell;
      EXPECT_EQ(kCells[i][nCell] != '-', Ink(s, rc, clrFill) > 0) << i << "/" << nCell;
    }
    CString sCaption;
    sCaption.Format("%s %d", (LPCSTR)h.m_picker.GetMonthName(month.GetMonth()), month.GetYear());
    const CRect rcText = PM::CalcTextExtent(s.dc(), *h.m_picker.OnDatePickerQueryHeaderFont(), sCaption,
                                            DT_SINGLELINE | DT_CALCRECT);
    const CRect rcInk = InkBounds(s, month.GetCaptionRect(), clrHeader, true);
    EXPECT_TRUE(rcInk.Width() <= rcText.Width() && rcInk.Width() >= rcText.Width() - 4) << sCaption;
    EXPECT_NEAR(month.GetCaptionRect().CenterPoint().x, rcInk.CenterPoint().x, 3) << sCaption;
    const CRect& rcNames = month.GetDayNamesRect();
    const CRect rcLine(rcNames.left, rcNames.bottom - 2, rcNames.right, rcNames.bottom - 1);
    EXPECT_EQ(rcLine.Width(), CountColor(s, rcLine, Id(pm, COLOR_BTNSHADOW)));
    EXPECT_EQ(i == 0, Ink(s, month.GetScrollPrevRect(), clrHeader) > 0) << i;
    EXPECT_EQ(i == 1, Ink(s, month.GetScrollNextRect(), clrHeader) > 0) << i;
  }

  // The window paints the same picture.
  pixel_support::Pixels got;
  EXPECT_TRUE(PumpUntil([&] {
    got = pixel_support::ReadWindow(h.m_picker.m_hWnd, rcClient);
    return got.data == s.Pixels();
  }));
  const char* const kNames[] = {"classic", "xp", "office2003"};
  const std::string sFile = std::string("date_picker_two_months_") + kNames[GetParam()] + ".bmp";
  EXPECT_FALSE(pixel_support::SaveBmp(got, sFile.c_str()).empty());

  // The month grows to hold its caption between the arrows and keeps its floors when texts are short.
  for (const char* pszName : {"A month with a name far too long for any calendar", "M"}) {
    h.m_picker.m_sMonthName = pszName;
    CSize month, cell, button, arrow;
    int nHeader = 0, nButtonArea = 0, nDayNames = 0, nIndent = 0;
    h.m_picker.OnDatePickerRecalcMetrics(s.dc(), month, cell, button, arrow, nHeader, nButtonArea, nDayNames,
                                         nIndent);
    const CRect rcText = PM::CalcTextExtent(s.dc(), *h.m_picker.OnDatePickerQueryMonthNameFont(),
                                            CString(pszName) + " 0000", DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GE(month.cx, rcText.Width() + 2 * arrow.cx + 2 * nIndent) << pszName;
    EXPECT_GE(month.cy, nHeader + 6 * cell.cy + nDayNames) << pszName;
    EXPECT_TRUE(month.cx >= 143 && month.cy >= 125 && cell.cx >= 17 && cell.cy >= 15 && nDayNames >= 16 &&
                nHeader >= std::max<int>(18, arrow.cy + 2) &&
                nButtonArea >= std::max<int>(button.cy + 10, 30));
  }
}

INSTANTIATE_TEST_SUITE_P(Themes, MonthPicture, ::testing::Values(CLASSIC, XP, OFFICE2003));

} // namespace
