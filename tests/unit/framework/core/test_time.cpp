// Automation dates and spans, C run-time times.
#include "core_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

const double kSecond = 1.0 / 86400;

// The date's components, or its status when it is not valid.
std::string Parts(const COleDateTime& dt) {
  if (dt.GetStatus() != COleDateTime::valid)
    return "status " + std::to_string(dt.GetStatus());
  char buf[64];
  std::snprintf(buf, sizeof(buf), "%d-%02d-%02d %02d:%02d:%02d", dt.GetYear(), dt.GetMonth(), dt.GetDay(),
                dt.GetHour(), dt.GetMinute(), dt.GetSecond());
  return buf;
}

template <class T> T WithStatus(T value, decltype(value.GetStatus()) status) {
  value.SetStatus(status);
  return value;
}

// Statuses as letters: valid, invalid, null.
template <class T> char Status(const T& value) { return "vin"[value.GetStatus()]; }

} // namespace

TEST(OleDateTime, KnownDatesAndRoundTripsThroughTheDouble) {
  // Year, month, day, day of the week and of the year, and the double.
  const std::tuple<int, int, int, int, int, double> cases[] = {
      {1899, 12, 30, 7, 364, 0.0},  {1900, 1, 1, 2, 1, 2.0},      {2000, 12, 31, 1, 366, 36891.0},
      {2001, 3, 1, 5, 60, 36951.0}, {100, 1, 1, 6, 1, -657434.0}, {9999, 12, 31, 6, 365, 2958465.0}};
  for (auto [y, m, d, dayOfWeek, dayOfYear, value] : cases) {
    COleDateTime dt;
    EXPECT_EQ(0, dt.SetDate(y, m, d));
    EXPECT_EQ((std::vector<double>{value, (double)dayOfWeek, (double)dayOfYear}),
              (std::vector<double>{dt.m_dt, (double)dt.GetDayOfWeek(), (double)dt.GetDayOfYear()}))
        << y << '-' << m << '-' << d;
  }
  for (const char* text : {"2024-07-15 13:45:30", "1899-12-30 23:59:59", "1850-06-01 12:00:01",
                           "100-01-01 12:00:00", "9999-12-31 23:59:59", "2000-02-29 00:00:59"}) {
    int y, mo, d, h, mi, s;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    EXPECT_EQ(text, Parts(COleDateTime(COleDateTime(y, mo, d, h, mi, s).m_dt)));
  }
  EXPECT_NEAR(45488 + (13 * 3600 + 45 * 60 + 30) * kSecond, COleDateTime(2024, 7, 15, 13, 45, 30).m_dt, 1e-9);
  // Half a second before midnight rounds into the next day.
  EXPECT_EQ("2000-01-01 00:00:00", Parts(COleDateTime(36526 - 0.4 * kSecond)));
}

TEST(OleDateTime, OutOfRangeValuesLeaveTheDateInvalid) {
  const int bad[][6] = {{2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2020, 4, 31, 0, 0, 0},
                        {2020, 13, 1, 0, 0, 0}, {2020, 1, 0, 0, 0, 0},  {99, 12, 31, 0, 0, 0},
                        {10000, 1, 1, 0, 0, 0}, {2020, 1, 1, 24, 0, 0}, {2020, 1, 1, 0, 60, 0},
                        {2020, 1, 1, 0, 0, 60}, {2020, 1, 1, -1, 0, 0}};
  for (const auto& b : bad) {
    COleDateTime dt;
    EXPECT_EQ(1, dt.SetDateTime(b[0], b[1], b[2], b[3], b[4], b[5]));
    EXPECT_EQ((std::vector<int>{COleDateTime::invalid, -1, -1, -1}),
              (std::vector<int>{dt.GetStatus(), dt.GetYear(), dt.GetDayOfWeek(), dt.GetDayOfYear()}))
        << testing::PrintToString(b);
  }
  EXPECT_EQ(COleDateTime::invalid, COleDateTime(2958466.0).GetStatus());
  EXPECT_EQ(COleDateTime::invalid, COleDateTime(NAN).GetStatus());
}

// Before 1899-12-30 the whole days count backwards but the fraction still counts forwards.
TEST(OleDateTime, ArithmeticFollowsTimeNotTheRawDouble) {
  EXPECT_EQ("1899-12-30 06:00:00", Parts(COleDateTime(-0.25)));
  EXPECT_EQ(-1.25, COleDateTime(1899, 12, 29, 6, 0, 0).m_dt);
  EXPECT_TRUE(COleDateTime(-1.25) > COleDateTime(-1.0));
  const COleDateTime next = COleDateTime(1899, 12, 29, 18, 0, 0) + COleDateTimeSpan(0, 12, 0, 0);
  EXPECT_NEAR(0.25, next.m_dt, 1e-12);
  EXPECT_EQ("1899-12-29 06:00:00", Parts(next - COleDateTimeSpan(1, 0, 0, 0)));
  EXPECT_NEAR(2.5, (COleDateTime(1900, 1, 1, 0, 0, 0) - COleDateTime(1899, 12, 29, 12, 0, 0)).m_span, 1e-12);
  EXPECT_EQ(-2, (-COleDateTimeSpan(1, 2, 3, 4)).GetHours()); // components carry the sign
}

TEST(OleDateTime, NullWinsOverInvalidInArithmetic) {
  const COleDateTime valid(2020, 1, 1, 0, 0, 0), invalid = WithStatus(valid, COleDateTime::invalid),
                                                 null = WithStatus(valid, COleDateTime::null);
  const COleDateTimeSpan spanValid(1.0), spanInvalid = WithStatus(spanValid, COleDateTimeSpan::invalid),
                                         spanNull = WithStatus(spanValid, COleDateTimeSpan::null);
  EXPECT_EQ("viinnn",
            (std::string{Status(valid + spanValid), Status(valid + spanInvalid), Status(invalid - spanValid),
                         Status(valid + spanNull), Status(null + spanInvalid), Status(invalid - spanNull)}));
  EXPECT_EQ("inninn", (std::string{Status(valid - invalid), Status(invalid - null), Status(null - valid),
                                   Status(spanValid + spanInvalid), Status(spanInvalid - spanNull),
                                   Status(-spanNull)}));
}
