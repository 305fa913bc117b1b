// Automation dates and spans, C run-time times.
#include "core_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const double kSecond = 1.0 / 86400;

std::string Text(int y, int mo, int d, int h, int mi, int s) {
  char buf[64];
  std::snprintf(buf, sizeof(buf), "%d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
  return buf;
}

// The date's components, or its status when it is not valid.
std::string Parts(const COleDateTime& dt) {
  if (dt.GetStatus() != COleDateTime::valid)
    return "status " + std::to_string(dt.GetStatus());
  return Text(dt.GetYear(), dt.GetMonth(), dt.GetDay(), dt.GetHour(), dt.GetMinute(), dt.GetSecond());
}

template <class T> T WithStatus(T value, decltype(value.GetStatus()) status) {
  value.SetStatus(status);
  return value;
}

// Statuses as letters: valid, invalid, null.
template <class T> char Status(const T& value) { return "vin"[value.GetStatus()]; }

std::vector<LONG> Components(const COleDateTimeSpan& span) {
  return {span.GetDays(), span.GetHours(), span.GetMinutes(), span.GetSeconds()};
}

} // namespace

TEST(OleDateTime, DayOfWeekAndDayOfYearForKnownDates) {
  struct Case {
    int y, m, d, dayOfWeek, dayOfYear;
    double dt;
  };
  const Case cases[] = {{1899, 12, 30, 7, 364, 0.0},     {1900, 1, 1, 2, 1, 2.0},
                        {2000, 12, 31, 1, 366, 36891.0}, {2001, 3, 1, 5, 60, 36951.0},
                        {100, 1, 1, 6, 1, -657434.0},    {9999, 12, 31, 6, 365, 2958465.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << '-' << c.m << '-' << c.d);
    COleDateTime dt;
    EXPECT_EQ(0, dt.SetDate(c.y, c.m, c.d));
    EXPECT_EQ(c.dt, dt.m_dt);
    EXPECT_EQ(c.dayOfWeek, dt.GetDayOfWeek());
    EXPECT_EQ(c.dayOfYear, dt.GetDayOfYear());
  }
}

TEST(OleDateTime, OutOfRangeValuesLeaveTheDateInvalid) {
  const int bad[][6] = {{2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2020, 4, 31, 0, 0, 0},
                        {2020, 13, 1, 0, 0, 0}, {2020, 0, 1, 0, 0, 0},  {2020, 1, 0, 0, 0, 0},
                        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2020, 1, 1, 24, 0, 0},
                        {2020, 1, 1, 0, 60, 0}, {2020, 1, 1, 0, 0, 60}, {2020, 1, 1, -1, 0, 0}};
  for (const auto& b : bad) {
    SCOPED_TRACE(testing::PrintToString(b));
    COleDateTime dt;
    EXPECT_EQ(1, dt.SetDateTime(b[0], b[1], b[2], b[3], b[4], b[5]));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
    EXPECT_EQ((std::vector<int>{-1, -1, -1, -1}),
              (std::vector<int>{dt.GetYear(), dt.GetDay(), dt.GetDayOfWeek(), dt.GetDayOfYear()}));
  }
  EXPECT_EQ(-1, WithStatus(COleDateTime(), COleDateTime::null).GetMonth());
  EXPECT_EQ(COleDateTime::invalid, COleDateTime(2958466.0).GetStatus());
  EXPECT_EQ(COleDateTime::invalid, COleDateTime(NAN).GetStatus());
}

TEST(OleDateTime, DateTimeRoundTripsThroughTheDouble) {
  const int samples[][6] = {{2024, 7, 15, 13, 45, 30}, {1899, 12, 30, 23, 59, 59}, {1899, 12, 29, 6, 0, 0},
                            {1850, 6, 1, 12, 0, 1},    {100, 1, 1, 12, 0, 0},      {9999, 12, 31, 23, 59, 59},
                            {2000, 2, 29, 0, 0, 59}};
  for (const auto& s : samples) {
    const COleDateTime made(s[0], s[1], s[2], s[3], s[4], s[5]);
    EXPECT_EQ(Text(s[0], s[1], s[2], s[3], s[4], s[5]), Parts(COleDateTime(made.m_dt)));
  }
  EXPECT_NEAR(45488 + (13 * 3600 + 45 * 60 + 30) * kSecond, COleDateTime(2024, 7, 15, 13, 45, 30).m_dt, 1e-9);
  // Half a second before midnight rounds into the next day.
  EXPECT_EQ("2000-01-01 00:00:00", Parts(COleDateTime(36526 - 0.4 * kSecond)));
}

TEST(OleDateTime, NegativeDatesCountDaysBackwardAndTimeForward) {
  EXPECT_EQ("1899-12-30 06:00:00", Parts(COleDateTime(-0.25)));
  EXPECT_EQ(-1.25, COleDateTime(1899, 12, 29, 6, 0, 0).m_dt);
  EXPECT_EQ("100-01-01 12:00:00", Parts(COleDateTime(-657434.5)));

  // Order and arithmetic follow time, not the raw double.
  EXPECT_TRUE(COleDateTime(-1.25) > COleDateTime(-1.0));
  const COleDateTime next = COleDateTime(1899, 12, 29, 18, 0, 0) + COleDateTimeSpan(0, 12, 0, 0);
  EXPECT_NEAR(0.25, next.m_dt, 1e-12);
  EXPECT_EQ("1899-12-29 06:00:00", Parts(next - COleDateTimeSpan(1, 0, 0, 0)));
  EXPECT_NEAR(2.5, (COleDateTime(1900, 1, 1, 0, 0, 0) - COleDateTime(1899, 12, 29, 12, 0, 0)).m_span, 1e-12);
}

TEST(OleDateTime, ArithmeticAndComparison) {
  COleDateTime dt(2026, 12, 31, 23, 0, 0);
  dt += COleDateTimeSpan(0, 1, 30, 0);
  EXPECT_EQ("2027-01-01 00:30:00", Parts(dt));
  dt -= COleDateTimeSpan(365, 0, 0, 0);
  EXPECT_EQ("2026-01-01 00:30:00", Parts(dt));
  const COleDateTimeSpan diff = COleDateTime(2026, 3, 2, 6, 0, 0) - COleDateTime(2026, 2, 28, 0, 0, 0);
  EXPECT_EQ(COleDateTimeSpan::valid, diff.GetStatus());
  EXPECT_NEAR(2.25, diff.GetTotalDays(), 1e-12);

  EXPECT_TRUE(dt != WithStatus(dt, COleDateTime::null)); // the status counts
  EXPECT_TRUE(dt < COleDateTime(2026, 1, 1, 0, 30, 1));
}

TEST(OleDateTime, NullWinsOverInvalidInArithmetic) {
  const COleDateTime valid(2020, 1, 1, 0, 0, 0), invalid = WithStatus(valid, COleDateTime::invalid),
                                                 null = WithStatus(valid, COleDateTime::null);
  const COleDateTimeSpan spanValid(1.0), spanInvalid = WithStatus(spanValid, COleDateTimeSpan::invalid),
                                         spanNull = WithStatus(spanValid, COleDateTimeSpan::null);

  EXPECT_EQ("viinnn",
            (std::string{Status(valid + spanValid), Status(valid + spanInvalid), Status(invalid - spanValid),
                         Status(valid + spanNull), Status(null + spanInvalid), Status(invalid - spanNull)}));
  EXPECT_EQ("inn", (std::string{Status(valid - invalid), Status(invalid - null), Status(null - valid)}));
  EXPECT_EQ("inn", (std::string{Status(spanValid + spanInvalid), Status(spanInvalid - spanNull),
                                Status(-spanNull)}));
}

TEST(OleDateTime, CurrentTimeIsLocalTime) {
  SYSTEMTIME before;
  GetLocalTime(&before);
  const COleDateTime now = COleDateTime::GetCurrentTime();
  EXPECT_EQ(COleDateTime::valid, now.GetStatus());
  const double drift = (now - COleDateTime(before)).GetTotalSeconds();
  EXPECT_TRUE(drift > -1 && drift < 5) << drift;
}

TEST(OleDateTimeSpan, ComponentsCarryTheSign) {
  const COleDateTimeSpan span(1, 2, 3, 4);
  EXPECT_EQ((std::vector<LONG>{1, 2, 3, 4}), Components(span));
  EXPECT_EQ((std::vector<LONG>{-1, -2, -3, -4}), Components(-span));
  EXPECT_NEAR(93784.0, span.GetTotalSeconds(), 1e-6);
}

// ---------------------------------------------------------------------------------------------

TEST(Time, LocalPartsAndFormat) {
  const CTime t(2026, 12, 6, 13, 2, 3);
  EXPECT_STREQ("12/06/2026 13:02:03", t.Format("%m/%d/%Y %H:%M:%S"));
  EXPECT_EQ((std::vector<int>{2026, 12, 6, 13, 2, 3, 1}),
            (std::vector<int>{t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(),
                              t.GetSecond(), t.GetDayOfWeek()}));
}

TEST(Time, FileTimeAndDifferences) {
  const ULONGLONG ticks = 116444736000000000ULL + 90ULL * 10000000;
  const FILETIME epoch = {(DWORD)ticks, (DWORD)(ticks >> 32)};
  EXPECT_EQ(90, CTime(epoch).GetTime());
  EXPECT_STREQ("1970-01-01 00:01:30", CTime(epoch).FormatGmt("%Y-%m-%d %H:%M:%S"));

  EXPECT_EQ(86400, (CTime(2026, 12, 7, 0, 0, 0) - CTime(2026, 12, 6, 0, 0, 0)).GetTotalSeconds());
  EXPECT_EQ(86400, CTimeSpan(1, 0, 0, 0).GetTotalSeconds());
  const CTimeSpan odd(1, 2, 3, 4);
  EXPECT_EQ((std::vector<int64_t>{1, 2, 3, 4}),
            (std::vector<int64_t>{odd.GetDays(), odd.GetHours(), odd.GetMinutes(), odd.GetSeconds()}));
}

TEST(Time, UnrepresentableTimeThrowsInvalidArgument) {
  EXPECT_EQ(RUNTIME_CLASS(CInvalidArgException), ThrownClass([] { CTime(1969, 1, 1, 0, 0, 0); }));
}
