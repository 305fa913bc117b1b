// Dates and times: OLE automation dates (COleDateTime) and C run-time times (CTime).
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"

#include <cstdint>

// windows.h maps GetCurrentTime to GetTickCount, which would rename the members below.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class COleDateTimeSpan {
public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTimeSpan() : m_span(0), m_status(valid) {}
  COleDateTimeSpan(double dblSpan) : m_span(dblSpan), m_status(valid) {}
  COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) {
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
  }

  void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
  DateTimeSpanStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeSpanStatus status) { m_status = status; }

  double GetTotalDays() const { return m_span; }
  double GetTotalHours() const { return m_span * 24; }
  double GetTotalMinutes() const { return m_span * 24 * 60; }
  double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
  // Components of the span rounded to the second; they carry the span's sign.
  LONG GetDays() const;
  LONG GetHours() const;
  LONG GetMinutes() const;
  LONG GetSeconds() const;

  operator double() const { return m_span; }

  COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-() const;
  COleDateTimeSpan& operator+=(const COleDateTimeSpan& other) { return *this = *this + other; }
  COleDateTimeSpan& operator-=(const COleDateTimeSpan& other) { return *this = *this - other; }

  bool operator==(const COleDateTimeSpan& other) const {
    return m_status == other.m_status && m_span == other.m_span;
  }
  bool operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
  bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
  bool operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }
  bool operator<=(const COleDateTimeSpan& other) const { return m_span <= other.m_span; }
  bool operator>=(const COleDateTimeSpan& other) const { return m_span >= other.m_span; }

  double m_span;
  DateTimeSpanStatus m_status;
};

// Days since 30 December 1899; the fraction is the time of day. Before that day the integer part
// counts backward while the fraction still runs forward (-1.25 is 29 December 1899, 06:00).
class COleDateTime {
public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTime() : m_dt(0), m_status(valid) {}
  COleDateTime(DATE dtSrc) { *this = dtSrc; }
  COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
  }
  explicit COleDateTime(const SYSTEMTIME& st) {
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
  }

  // Local time, to the second.
  static COleDateTime GetCurrentTime();

  // Out of range values answer 1 and leave the object invalid.
  int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
  int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
  int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }
  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;

  // Each answers -1 unless the date is valid.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const; // 1 = Sunday .. 7 = Saturday
  int GetDayOfYear() const; // 1 = 1 January

  COleDateTime& operator=(DATE dtSrc);
  operator DATE() const { return m_dt; }

  // Null wins over invalid: a null operand gives a null result, otherwise an invalid one an invalid result.
  COleDateTime operator+(const COleDateTimeSpan& span) const;
  COleDateTime operator-(const COleDateTimeSpan& span) const;
  COleDateTimeSpan operator-(const COleDateTime& date) const;
  COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
  COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }

  bool operator==(const COleDateTime& date) const { return m_status == date.m_status && m_dt == date.m_dt; }
  bool operator!=(const COleDateTime& date) const { return !(*this == date); }
  // Ordering follows time, which differs from the order of m_dt before 30 December 1899.
  bool operator<(const COleDateTime& date) const;
  bool operator>(const COleDateTime& date) const { return date < *this; }
  bool operator<=(const COleDateTime& date) const { return !(date < *this); }
  bool operator>=(const COleDateTime& date) const { return !(*this < date); }

  DATE m_dt;
  DateTimeStatus m_status;

private:
  struct Parts {
    int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
  };
  bool Split(Parts& parts) const;
};

class CTimeSpan {
public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(int64_t seconds) : m_timeSpan(seconds) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
      : m_timeSpan(((int64_t)lDays * 24 + nHours) * 3600 + nMins * 60 + nSecs) {}

  int64_t GetTimeSpan() const { return m_timeSpan; }
  int64_t GetDays() const { return m_timeSpan / 86400; }
  int64_t GetTotalHours() const { return m_timeSpan / 3600; }
  int64_t GetTotalMinutes() const { return m_timeSpan / 60; }
  int64_t GetTotalSeconds() const { return m_timeSpan; }
  LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
  LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
  LONG GetSeconds() const { return (LONG)(m_timeSpan - GetTotalMinutes() * 60); }

  CTimeSpan operator+(CTimeSpan other) const { return m_timeSpan + other.m_timeSpan; }
  CTimeSpan operator-(CTimeSpan other) const { return m_timeSpan - other.m_timeSpan; }
  bool operator==(CTimeSpan other) const { return m_timeSpan == other.m_timeSpan; }
  bool operator!=(CTimeSpan other) const { return m_timeSpan != other.m_timeSpan; }
  bool operator<(CTimeSpan other) const { return m_timeSpan < other.m_timeSpan; }
  bool operator>(CTimeSpan other) const { return m_timeSpan > other.m_timeSpan; }

private:
  int64_t m_timeSpan;
};

// Seconds since 1 January 1970 UTC; the accessors and Format show local time.
class CTime {
public:
  CTime() : m_time(0) {}
  CTime(int64_t time) : m_time(time) {}
  // Local time; throws CInvalidArgException when the C run time cannot represent it.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  explicit CTime(const SYSTEMTIME& st, int nDST = -1);
  explicit CTime(const FILETIME& ft);

  static CTime GetCurrentTime();

  int64_t GetTime() const { return m_time; }
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const; // 1 = Sunday
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;

  // strftime in the C locale: "%m/%d/%Y" gives "12/06/2026", "%I:%M:%S %p" gives "01:02:03 PM".
  CString Format(LPCSTR pszFormat) const;
  CString FormatGmt(LPCSTR pszFormat) const;

  CTimeSpan operator-(CTime other) const { return m_time - other.m_time; }
  CTime operator+(CTimeSpan span) const { return m_time + span.GetTimeSpan(); }
  CTime operator-(CTimeSpan span) const { return m_time - span.GetTimeSpan(); }
  bool operator==(CTime other) const { return m_time == other.m_time; }
  bool operator!=(CTime other) const { return m_time != other.m_time; }
  bool operator<(CTime other) const { return m_time < other.m_time; }
  bool operator>(CTime other) const { return m_time > other.m_time; }
  bool operator<=(CTime other) const { return m_time <= other.m_time; }
  bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
  int64_t m_time;
};
