// COleDateTime, COleDateTimeSpan and CTime.
#include "framework/core/fw_time.h"

#include <cmath>
#include <ctime>

namespace {

// 1 January 100 to 31 December 9999, both bounds exclusive. Times of a negative day lie further
// from zero than the day itself, hence -657435.
const double kMinDate = -657435.0;
const double kMaxDate = 2958466.0;
const int64_t kSecondsPerDay = 86400;
// Day number of 30 December 1899 counted from 1 January 1970.
const int64_t kOleEpochFromUnix = -25569;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Proleptic Gregorian calendar <-> days since 1 January 1970 (eras of 400 years).
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = (int)(doy - (153 * mp + 2) / 5 + 1);
  m = (int)(mp < 10 ? mp + 3 : mp - 9);
  y = (int)(yoe + era * 400 + (m <= 2));
}

// An automation date as a continuous count of days, so that arithmetic works across 30 December 1899.
double LinearFromDate(double dt) {
  if (dt >= 0)
    return dt;
  const double day = std::trunc(dt);
  return day + (day - dt);
}

double DateFromLinear(double x) {
  if (x >= 0)
    return x;
  const double day = std::floor(x);
  return day - (x - day);
}

// False for NaN as well.
bool InDateRange(double dt) { return dt > kMinDate && dt < kMaxDate; }

template <class A, class B> bool AnyNull(const A& a, const B& b) {
  return a.m_status == A::null || b.m_status == B::null;
}

template <class A, class B> bool AnyInvalid(const A& a, const B& b) {
  return a.m_status == A::invalid || b.m_status == B::invalid;
}

} // namespace

// ---------------------------------------------------------------------------------------------

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) {
  m_span = lDays + ((double)nHours * 3600 + (double)nMins * 60 + nSecs) / kSecondsPerDay;
  m_status = valid;
}

namespace {
int64_t SpanSeconds(double span) { return std::llround(span * kSecondsPerDay); }
} // namespace

LONG COleDateTimeSpan::GetDays() const { return (LONG)(SpanSeconds(m_span) / kSecondsPerDay); }
LONG COleDateTimeSpan::GetHours() const { return (LONG)(SpanSeconds(m_span) / 3600 % 24); }
LONG COleDateTimeSpan::GetMinutes() const { return (LONG)(SpanSeconds(m_span) / 60 % 60); }
LONG COleDateTimeSpan::GetSeconds() const { return (LONG)(SpanSeconds(m_span) % 60); }

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
  COleDateTimeSpan result(m_span + other.m_span);
  if (AnyNull(*this, other))
    result.m_status = null;
  else if (AnyInvalid(*this, other))
    result.m_status = invalid;
  return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const { return *this + -other; }

COleDateTimeSpan COleDateTimeSpan::operator-() const {
  COleDateTimeSpan result(-m_span);
  result.m_status = m_status;
  return result;
}

// ---------------------------------------------------------------------------------------------

COleDateTime COleDateTime::GetCurrentTime() {
  SYSTEMTIME st;
  ::GetLocalTime(&st);
  return COleDateTime(st);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
  if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
      nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 ||
      nSec > 59) {
    m_dt = 0;
    m_status = invalid;
    return 1;
  }
  const double day = (double)(DaysFromCivil(nYear, nMonth, nDay) - kOleEpochFromUnix);
  const double time = ((double)nHour * 3600 + nMin * 60 + nSec) / kSecondsPerDay;
  m_dt = day >= 0 ? day + time : day - time;
  m_status = valid;
  return 0;
}

COleDateTime& COleDateTime::operator=(DATE dtSrc) {
  m_dt = dtSrc;
  m_status = InDateRange(dtSrc) ? valid : invalid;
  return *this;
}

bool COleDateTime::Split(Parts& p) const {
  if (m_status != valid || !InDateRange(m_dt))
    return false;
  int64_t day = (int64_t)std::trunc(m_dt);
  // Round to the nearest second; 23:59:59.6 belongs to the next day.
  int64_t secs = std::llround(std::fabs(m_dt - (double)day) * kSecondsPerDay);
  if (secs >= kSecondsPerDay) {
    secs -= kSecondsPerDay;
    ++day;
  }
  const int64_t unixDay = day + kOleEpochFromUnix;
  CivilFromDays(unixDay, p.year, p.month, p.day);
  p.hour = (int)(secs / 3600);
  p.minute = (int)(secs / 60 % 60);
  p.second = (int)(secs % 60);
  // 1 January 1970 was a Thursday.
  p.dayOfWeek = (int)(((unixDay + 4) % 7 + 7) % 7) + 1;
  p.dayOfYear = (int)(unixDay - DaysFromCivil(p.year, 1, 1)) + 1;
  return true;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const {
  Parts p;
  if (!Split(p))
    return FALSE;
  st.wYear = (WORD)p.year;
  st.wMonth = (WORD)p.month;
  st.wDay = (WORD)p.day;
  st.wHour = (WORD)p.hour;
  st.wMinute = (WORD)p.minute;
  st.wSecond = (WORD)p.second;
  st.wDayOfWeek = (WORD)(p.dayOfWeek - 1);
  st.wMilliseconds = 0;
  return TRUE;
}

#define FW_DATE_PART(name, field)                                                                            \
  int COleDateTime::name() const {                                                                           \
    Parts p;                                                                                                 \
    return Split(p) ? p.field : -1;                                                                          \
  }
FW_DATE_PART(GetYear, year)
FW_DATE_PART(GetMonth, month)
FW_DATE_PART(GetDay, day)
FW_DATE_PART(GetHour, hour)
FW_DATE_PART(GetMinute, minute)
FW_DATE_PART(GetSecond, second)
FW_DATE_PART(GetDayOfWeek, dayOfWeek)
FW_DATE_PART(GetDayOfYear, dayOfYear)
#undef FW_DATE_PART

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
  COleDateTime result;
  if (AnyNull(*this, span))
    result.m_status = null;
  else if (AnyInvalid(*this, span))
    result.m_status = invalid;
  else
    result = DateFromLinear(LinearFromDate(m_dt) + span.m_span);
  return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const { return *this + -span; }

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const {
  COleDateTimeSpan result;
  if (AnyNull(*this, date))
    result.m_status = COleDateTimeSpan::null;
  else if (AnyInvalid(*this, date))
    result.m_status = COleDateTimeSpan::invalid;
  else
    result.m_span = LinearFromDate(m_dt) - LinearFromDate(date.m_dt);
  return result;
}

bool COleDateTime::operator<(const COleDateTime& date) const {
  return LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

// ---------------------------------------------------------------------------------------------

namespace {

bool LocalTm(int64_t t, std::tm& out) {
  __time64_t tt = t;
  const std::tm* p = _localtime64(&tt); // msvcrt keeps this buffer per thread
  if (p == NULL)
    return false;
  out = *p;
  return true;
}

int64_t MakeLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  std::tm tm = {};
  tm.tm_year = nYear - 1900;
  tm.tm_mon = nMonth - 1;
  tm.tm_mday = nDay;
  tm.tm_hour = nHour;
  tm.tm_min = nMin;
  tm.tm_sec = nSec;
  tm.tm_isdst = nDST;
  const __time64_t t = _mktime64(&tm);
  if (t == -1)
    AfxThrowInvalidArgException();
  return t;
}

CString FormatTm(const std::tm* tm, LPCSTR pszFormat) {
  if (tm == NULL || pszFormat == NULL)
    AfxThrowInvalidArgException();
  char buf[256];
  const size_t n = std::strftime(buf, sizeof(buf), pszFormat, tm);
  return CString(buf, (int)n);
}

} // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(MakeLocal(nYear, nMonth, nDay, nHour, nMin, nSec, nDST)) {}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : m_time(MakeLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)) {}

CTime::CTime(const FILETIME& ft) {
  // FILETIME counts 100 ns steps from 1 January 1601 UTC.
  const uint64_t ticks = ((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
  m_time = (int64_t)(ticks / 10000000) - 11644473600LL;
}

CTime CTime::GetCurrentTime() { return CTime((int64_t)_time64(NULL)); }

#define FW_TIME_PART(name, expr)                                                                             \
  int CTime::name() const {                                                                                  \
    std::tm tm;                                                                                              \
    return LocalTm(m_time, tm) ? (expr) : -1;                                                                \
  }
FW_TIME_PART(GetYear, tm.tm_year + 1900)
FW_TIME_PART(GetMonth, tm.tm_mon + 1)
FW_TIME_PART(GetDay, tm.tm_mday)
FW_TIME_PART(GetHour, tm.tm_hour)
FW_TIME_PART(GetMinute, tm.tm_min)
FW_TIME_PART(GetSecond, tm.tm_sec)
FW_TIME_PART(GetDayOfWeek, tm.tm_wday + 1)
#undef FW_TIME_PART

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  std::tm tm;
  if (!LocalTm(m_time, tm))
    return FALSE;
  st.wYear = (WORD)(tm.tm_year + 1900);
  st.wMonth = (WORD)(tm.tm_mon + 1);
  st.wDay = (WORD)tm.tm_mday;
  st.wHour = (WORD)tm.tm_hour;
  st.wMinute = (WORD)tm.tm_min;
  st.wSecond = (WORD)tm.tm_sec;
  st.wDayOfWeek = (WORD)tm.tm_wday;
  st.wMilliseconds = 0;
  return TRUE;
}

CString CTime::Format(LPCSTR pszFormat) const {
  std::tm tm;
  return FormatTm(LocalTm(m_time, tm) ? &tm : NULL, pszFormat);
}

CString CTime::FormatGmt(LPCSTR pszFormat) const {
  __time64_t tt = m_time;
  return FormatTm(_gmtime64(&tt), pszFormat);
}
