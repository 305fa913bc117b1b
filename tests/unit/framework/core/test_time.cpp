// Automation dates and spans, C run-time times.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kSecond = 1.0 / 86400;

void ExpectDateTime(const COleDateTime& dt, int y, int mo, int d, int h, int mi, int s) {
  EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
  EXPECT_EQ(y, dt.GetYear());
  EXPECT_EQ(mo, dt.GetMonth());
  EXPECT_EQ(d, dt.GetDay());
  EXPECT_EQ(h, dt.GetHour());
  EXPECT_EQ(mi, dt.GetMinute());
  EXPECT_EQ(s, dt.GetSecond());
}

COleDateTime WithStatus(COleDateTime::DateTimeStatus status) {
  COleDateTime dt(2020, 1, 1, 0, 0, 0);
  dt.SetStatus(status);
  return dt;
}

COleDateTimeSpan SpanWithStatus(COleDateTimeSpan::DateTimeSpanStatus status) {
  COleDateTimeSpan span(1.0);
  span.SetStatus(status);
  return span;
}

} // namespace

TEST(OleDateTime, DayOfWeekAndDayOfYearForKnownDates) {
  struct Case {
    int y, m, d, dayOfWeek, dayOfYear;
    double dt;
  };
  const Case cases[] = {{1899, 12, 30, 7, 364, 0.0},  {1900, 1, 1, 2, 1, 2.0},
                        {2000, 1, 1, 7, 1, 36526.0},  {2000, 12, 31, 1, 366, 36891.0},
                        {2001, 3, 1, 5, 60, 36951.0}, {2026, 12, 6, 1, 340, 46362.0},
                        {100, 1, 1, 6, 1, -657434.0}, {9999, 12, 31, 6, 365, 2958465.0}};
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
  const int bad[][6] = {{2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2020, 2, 31, 0, 0, 0},
                        {2020, 4, 31, 0, 0, 0}, {2020, 13, 1, 0, 0, 0}, {2020, 0, 1, 0, 0, 0},
                        {2020, 1, 0, 0, 0, 0},  {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0},
                        {2020, 1, 1, 24, 0, 0}, {2020, 1, 1, 0, 60, 0}, {2020, 1, 1, 0, 0, 60},
                        {2020, 1, 1, -1, 0, 0}};
  for (const auto& b : bad) {
    SCOPED_TRACE(testing::Message() << b[0] << '-' << b[1] << '-' << b[2] << ' ' << b[3] << ':' << b[4] << ':'
                                    << b[5]);
    COleDateTime dt;
    EXPECT_EQ(1, dt.SetDateTime(b[0], b[1], b[2], b[3], b[4], b[5]));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
    EXPECT_EQ(-1, dt.GetYear());
    EXPECT_EQ(-1, dt.GetDay());
    EXPECT_EQ(-1, dt.GetDayOfWeek());
    EXPECT_EQ(-1, dt.GetDayOfYear());
  }
  COleDateTime leap;
  EXPECT_EQ(0, leap.SetDate(2000, 2, 29));
  EXPECT_EQ(COleDateTime(2000, 3, 1, 0, 0, 0).m_dt - 1, leap.m_dt);

  EXPECT_EQ(-1, WithStatus(COleDateTime::null).GetMonth());
  EXPECT_EQ(COleDateTime::invalid, COleDateTime(2958466.0).GetStatus());
  EXPECT_EQ(COleDateTime::invalid, COleDateTime(NAN).GetStatus());
}

TEST(OleDateTime, DateTimeRoundTripsThroughTheDouble) {
  const int samples[][6] = {{2024, 7, 15, 13, 45, 30}, {1899, 12, 30, 23, 59, 59}, {1899, 12, 29, 6, 0, 0},
                            {1850, 6, 1, 12, 0, 1},    {100, 1, 1, 12, 0, 0},      {9999, 12, 31, 23, 59, 59},
                            {1970, 1, 1, 0, 0, 0},     {2000, 2, 29, 0, 0, 59}};
  for (const auto& s : samples) {
    SCOPED_TRACE(testing::Message() << s[0] << '-' << s[1] << '-' << s[2]);
    const COleDateTime made(s[0], s[1], s[2], s[3], s[4], s[5]);
    const COleDateTime fromDouble(made.m_dt);
    ExpectDateTime(fromDouble, s[0], s[1], s[2], s[3], s[4], s[5]);
  }
  EXPECT_NEAR(45488 + (13 * 3600 + 45 * 60 + 30) * kSecond, COleDateTime(2024, 7, 15, 13, 45, 30).m_dt, 1e-9);
  // Half a second before midnight rounds into the next day.
  ExpectDateTime(COleDateTime(36526 - 0.4 * kSecond), 2000, 1, 1, 0, 0, 0);
}

TEST(OleDateTime, NegativeDatesCountDaysBackwardAndTimeForward) {
  ExpectDateTime(COleDateTime(-1.25), 1899, 12, 29, 6, 0, 0);
  ExpectDateTime(COleDateTime(-0.25), 1899, 12, 30, 6, 0, 0);
  EXPECT_EQ(-1.25, COleDateTime(1899, 12, 29, 6, 0, 0).m_dt);
  EXPECT_EQ(-2.75, COleDateTime(1899, 12, 28, 18, 0, 0).m_dt);
  ExpectDateTime(COleDateTime(-657434.5), 100, 1, 1, 12, 0, 0);

  // Order and arithmetic follow time, not the raw double.
  EXPECT_TRUE(COleDateTime(-1.25) > COleDateTime(-1.0));
  EXPECT_TRUE(COleDateTime(-1.25) < COleDateTime(0.0));
  const COleDateTime evening(1899, 12, 29, 18, 0, 0);
  const COleDateTime next = evening + COleDateTimeSpan(0, 12, 0, 0);
  ExpectDateTime(next, 1899, 12, 30, 6, 0, 0);
  EXPECT_NEAR(0.25, next.m_dt, 1e-12);
  ExpectDateTime(next - COleDateTimeSpan(1, 0, 0, 0), 1899, 12, 29, 6, 0, 0);
  EXPECT_NEAR(2.5, (COleDateTime(1900, 1, 1, 0, 0, 0) - COleDateTime(1899, 12, 29, 12, 0, 0)).m_span, 1e-12);
}

TEST(OleDateTime, ArithmeticAndComparison) {
  COleDateTime dt(2026, 12, 31, 23, 0, 0);
  dt += COleDateTimeSpan(0, 1, 30, 0);
  ExpectDateTime(dt, 2027, 1, 1, 0, 30, 0);
  dt -= COleDateTimeSpan(365, 0, 0, 0);
  ExpectDateTime(dt, 2026, 1, 1, 0, 30, 0);
  const COleDateTimeSpan diff = COleDateTime(2026, 3, 2, 6, 0, 0) - COleDateTime(2026, 2, 28, 0, 0, 0);
  EXPECT_EQ(COleDateTimeSpan::valid, diff.GetStatus());
  EXPECT_NEAR(2.25, diff.GetTotalDays(), 1e-12);

  EXPECT_TRUE(COleDateTime(2026, 1, 1, 0, 0, 0) == COleDateTime(2026, 1, 1, 0, 0, 0));
  EXPECT_TRUE(COleDateTime(2026, 1, 1, 0, 0, 0) != WithStatus(COleDateTime::null));
  EXPECT_TRUE(COleDateTime(2026, 1, 1, 0, 0, 0) < COleDateTime(2026, 1, 1, 0, 0, 1));
  EXPECT_TRUE(COleDateTime(2026, 1, 2, 0, 0, 0) >= COleDateTime(2026, 1, 1, 0, 0, 0));
}

TEST(OleDateTime, NullWinsOverInvalidInArithmetic) {
  const COleDateTime valid(2020, 1, 1, 0, 0, 0);
  const COleDateTime invalid = WithStatus(COleDateTime::invalid);
  const COleDateTime null = WithStatus(COleDateTime::null);
  const COleDateTimeSpan spanValid(1.0);
  const COleDateTimeSpan spanInvalid = SpanWithStatus(COleDateTimeSpan::invalid);
  const COleDateTimeSpan spanNull = SpanWithStatus(COleDateTimeSpan::null);

  EXPECT_EQ(COleDateTime::valid, (valid + spanValid).GetStatus());
  EXPECT_EQ(COleDateTime::invalid, (valid + spanInvalid).GetStatus());
  EXPECT_EQ(COleDateTime::invalid, (invalid - spanValid).GetStatus());
  EXPECT_EQ(COleDateTime::null, (valid + spanNull).GetStatus());
  EXPECT_EQ(COleDateTime::null, (null + spanInvalid).GetStatus());
  EXPECT_EQ(COleDateTime::null, (invalid - spanNull).GetStatus());

  EXPECT_EQ(COleDateTimeSpan::invalid, (valid - invalid).GetStatus());
  EXPECT_EQ(COleDateTimeSpan::null, (invalid - null).GetStatus());
  EXPECT_EQ(COleDateTimeSpan::null, (null - valid).GetStatus());

  EXPECT_EQ(COleDateTimeSpan::invalid, (spanValid + spanInvalid).GetStatus());
  EXPECT_EQ(COleDateTimeSpan::null, (spanInvalid - spanNull).GetStatus());
  EXPECT_EQ(COleDateTimeSpan::null, (-spanNull).GetStatus());
}

TEST(OleDateTime, CurrentTimeIsLocalTimeToTheSecond) {
  SYSTEMTIME before;
  GetLocalTime(&before);
  const COleDateTime now = COleDateTime::GetCurrentTime();
  EXPECT_EQ(COleDateTime::valid, now.GetStatus());
  const double drift = (now - COleDateTime(before)).GetTotalSeconds();
  EXPECT_GE(drift, -1.0);
  EXPECT_LE(drift, 5.0);
  EXPECT_EQ(0.0, std::fmod(std::round(now.m_dt * 86400 * 1000), 1000.0)); // whole seconds
}

TEST(OleDateTimeSpan, ComponentsCarryTheSign) {
  const COleDateTimeSpan span(1, 2, 3, 4);
  EXPECT_EQ(1, span.GetDays());
  EXPECT_EQ(2, span.GetHours());
  EXPECT_EQ(3, span.GetMinutes());
  EXPECT_EQ(4, span.GetSeconds());
  EXPECT_NEAR(26.0 + 3 / 60.0 + 4 / 3600.0, span.GetTotalHours(), 1e-9);
  EXPECT_NEAR(93784.0, span.GetTotalSeconds(), 1e-6);

  const COleDateTimeSpan back = -span;
  EXPECT_EQ(-1, back.GetDays());
  EXPECT_EQ(-2, back.GetHours());
  EXPECT_EQ(-3, back.GetMinutes());
  EXPECT_EQ(-4, back.GetSeconds());
  EXPECT_TRUE(back < span);
  EXPECT_TRUE(span - span == COleDateTimeSpan());
}

// ---------------------------------------------------------------------------------------------

TEST(Time, FormatUsesTheCLocale) {
  const CTime t(2026, 12, 6, 13, 2, 3);
  EXPECT_STREQ("12/06/2026", t.Format("%m/%d/%Y"));
  EXPECT_STREQ("01:02:03 PM", t.Format("%I:%M:%S %p"));
  EXPECT_STREQ("Sunday December", t.Format("%A %B"));
  EXPECT_EQ(2026, t.GetYear());
  EXPECT_EQ(12, t.GetMonth());
  EXPECT_EQ(6, t.GetDay());
  EXPECT_EQ(13, t.GetHour());
  EXPECT_EQ(2, t.GetMinute());
  EXPECT_EQ(3, t.GetSecond());
  EXPECT_EQ(1, t.GetDayOfWeek());
}

TEST(Time, FileTimeAndDifferences) {
  FILETIME epoch;
  const ULONGLONG ticks = 116444736000000000ULL + 90ULL * 10000000;
  epoch.dwLowDateTime = (DWORD)ticks;
  epoch.dwHighDateTime = (DWORD)(ticks >> 32);
  EXPECT_EQ(90, CTime(epoch).GetTime());
  EXPECT_STREQ("1970-01-01 00:01:30", CTime(epoch).FormatGmt("%Y-%m-%d %H:%M:%S"));

  const CTimeSpan day = CTime(2026, 12, 7, 0, 0, 0) - CTime(2026, 12, 6, 0, 0, 0);
  EXPECT_EQ(86400, day.GetTotalSeconds());
  EXPECT_TRUE(CTimeSpan(1, 0, 0, 0) == day);
  const CTimeSpan odd(1, 2, 3, 4);
  EXPECT_EQ(1, odd.GetDays());
  EXPECT_EQ(2, odd.GetHours());
  EXPECT_EQ(3, odd.GetMinutes());
  EXPECT_EQ(4, odd.GetSeconds());

  FILETIME nowFt;
  GetSystemTimeAsFileTime(&nowFt);
  const CTimeSpan drift = CTime::GetCurrentTime() - CTime(nowFt);
  EXPECT_GE(drift.GetTotalSeconds(), 0);
  EXPECT_LE(drift.GetTotalSeconds(), 5);
}

TEST(Time, UnrepresentableTimeThrowsInvalidArgument) {
  try {
    CTime t(1969, 1, 1, 0, 0, 0);
    ADD_FAILURE() << "made " << t.GetTime();
  } catch (CInvalidArgException* e) {
    e->Delete();
  }
}
