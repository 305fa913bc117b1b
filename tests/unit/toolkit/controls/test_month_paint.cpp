// What a two-month picker draws in each theme, painted into a 32-bit DIB and on screen (today
// framed, the selection filled, centred captions, arrows and neighbouring days only at the outer
// months), and how the month's measurements follow its texts.
#include "tests/unit/toolkit/controls/month_support.h"
#include "tests/unit/toolkit/theme/theme_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace month_support;
using MONTH_INFO = CExtDatePickerWnd::MONTH_INFO;

namespace {

int Ink(const DibSurface& s, const CRect& rc, COLORREF clrBack) {
  return rc.Width() * rc.Height() - CountColor(s, rc, clrBack);
}

class MonthPicture : public ThemeTest, public ::testing::WithParamInterface<Theme> {};

// April and May 2007, weeks from Sunday, today the 17th, the 10th to the 12th selected.
TEST_P(MonthPicture, TwoMonthsShowTodaySelectionCaptionsArrowsAndEdgeDaysOnBitmapAndScreen) {
  PM* pm = Install(GetParam());
  PickerInHost h(2, 1, CExtDatePickerWnd::DPS_DEFAULT, true);
  ASSERT_TRUE(h.m_bCreated);
  h.m_picker.CurrentDateSet(COleDateTime(2007, 4, 1, 0, 0, 0));
  h.m_picker.SelectionSet(COleDateTime(2007, 4, 10, 0, 0, 0), COleDateTime(2007, 4, 12, 0, 0, 0), true);
  CRect rcClient;
  h.m_picker.GetClientRect(&rcClient);
  DibSurface s(rcClient.Width(), rcClient.Height(), kBack);
  h.m_picker.OnDatePickerDrawEntire(s.dc(), rcClient);
  const MONTH_INFO &april = *h.m_picker.GetMonthAt(0, 0), &may = *h.m_picker.GetMonthAt(0, 1);
  const COLORREF clrWindow = Id(pm, COLOR_WINDOW);

  // April's cells 0-6 are 25-31 March, 16-18 the selection, 23 today; May's 0-1 are 29-30 April.
  const CRect &rcToday = april.GetCell(23).GetRect(),
              rcInside(rcToday.left + 1, rcToday.top + 1, rcToday.right - 1, rcToday.bottom - 1);
  EXPECT_EQ(2 * (rcToday.Width() + rcToday.Height()) - 4,
            CountColor(s, rcToday, RGB(128, 0, 0)) - CountColor(s, rcInside, RGB(128, 0, 0)));
  for (int nCell : {16, 17, 18, 15, 19, 26}) {
    const CRect& rc = april.GetCell(nCell).GetRect();
    const COLORREF clrFill = nCell >= 16 && nCell <= 18 ? Id(pm, 1001) : clrWindow;
    EXPECT_GT(CountColor(s, rc, clrFill), rc.Width() * rc.Height() / 2) << nCell;
    EXPECT_GT(Ink(s, rc, clrFill), 0) << "the number in cell " << nCell;
  }
  for (const auto& c : {std::make_pair(&april, 0), std::make_pair(&april, 6), std::make_pair(&may, 41)})
    EXPECT_GT(Ink(s, c.first->GetCell(c.second).GetRect(), clrWindow), 0) << c.second;
  for (const auto& c : {std::make_pair(&april, 41), std::make_pair(&may, 0), std::make_pair(&may, 1)})
    EXPECT_EQ(0, Ink(s, c.first->GetCell(c.second).GetRect(), clrWindow)) << c.second;

  const COLORREF clrHeader = s.At(april.GetCaptionRect().left + 1, april.GetCaptionRect().top + 1);
  for (const MONTH_INFO* pMonth : {&april, &may}) {
    CString sCaption;
    sCaption.Format("%s %d", (LPCSTR)h.m_picker.GetMonthName(pMonth->GetMonth()), pMonth->GetYear());
    const CRect rcText = PM::CalcTextExtent(s.dc(), *h.m_picker.OnDatePickerQueryHeaderFont(), sCaption,
                                            DT_SINGLELINE | DT_CALCRECT);
    const CRect rcInk = InkBounds(s, pMonth->GetCaptionRect(), clrHeader, true);
    EXPECT_TRUE(rcInk.Width() <= rcText.Width() && rcInk.Width() >= rcText.Width() - 4) << sCaption;
    EXPECT_NEAR(pMonth->GetCaptionRect().CenterPoint().x, rcInk.CenterPoint().x, 3) << sCaption;
    const CRect& rcNames = pMonth->GetDayNamesRect();
    const CRect rcLine(rcNames.left, rcNames.bottom - 2, rcNames.right, rcNames.bottom - 1);
    EXPECT_EQ(rcLine.Width(), CountColor(s, rcLine, Id(pm, COLOR_BTNSHADOW)));
  }
  EXPECT_GT(Ink(s, april.GetScrollPrevRect(), clrHeader), 0);
  EXPECT_EQ(0, Ink(s, april.GetScrollNextRect(), clrHeader));
  EXPECT_EQ(0, Ink(s, may.GetScrollPrevRect(), clrHeader));
  EXPECT_GT(Ink(s, may.GetScrollNextRect(), clrHeader), 0);

  // The window paints the same picture.
  pixel_support::Pixels got;
  EXPECT_TRUE(PumpUntil([&] {
    got = pixel_support::ReadWindow(h.m_picker.m_hWnd, rcClient);
    return got.data == s.Pixels();
  }));
  const char* const kNames[] = {"classic", "xp", "office2003"};
  EXPECT_FALSE(pixel_support::SaveBmp(
                   got, (std::string("date_picker_two_months_") + kNames[GetParam()] + ".bmp").c_str())
                   .empty());
}

INSTANTIATE_TEST_SUITE_P(Themes, MonthPicture, ::testing::Values(CLASSIC, XP, OFFICE2003));

// The month grows with its widest caption and keeps its floors when the texts are short.
TEST_F(MonthPicture, TheMonthHoldsItsCaptionAndArrowsAndKeepsItsFloors) {
  Install(XP);
  CFixedPicker picker;
  CWindowDC dc(NULL);
  for (const char* pszName : {"A month with a name far too long for any calendar", "M"}) {
    picker.m_sMonthName = pszName;
    CSize month, cell, button, arrow;
    int nHeader = 0, nButtonArea = 0, nDayNames = 0, nIndent = 0;
    picker.OnDatePickerRecalcMetrics(dc, month, cell, button, arrow, nHeader, nButtonArea, nDayNames,
                                     nIndent);
    const int nText = PM::CalcTextExtent(dc, *picker.OnDatePickerQueryMonthNameFont(),
                                         CString(pszName) + " 0000", DT_SINGLELINE | DT_CALCRECT)
                          .right;
    const int nWidth = std::max<int>(nText + 2 * arrow.cx + 4, 7 * cell.cx) + 2 * nIndent;
    EXPECT_EQ(std::max(nWidth, 143), month.cx) << pszName;
    EXPECT_EQ(std::max<int>(nHeader + 6 * cell.cy + nDayNames, 125), month.cy);
    EXPECT_TRUE(cell.cx >= 17 && cell.cy >= 15 && nHeader >= std::max<int>(18, arrow.cy + 2) &&
                nDayNames >= 16);
    EXPECT_EQ(std::max<int>(button.cy + 10, 30), nButtonArea);
  }
}

} // namespace
