// GDI+ for the lifetime of a benchmark program.
#pragma once

#include <windows.h>

#include <gdiplus.h>

namespace bench {

class CGdiplusSession {
public:
  CGdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    m_bStarted = Gdiplus::GdiplusStartup(&m_token, &input, NULL) == Gdiplus::Ok;
  }
  ~CGdiplusSession() {
    if (m_bStarted)
      Gdiplus::GdiplusShutdown(m_token);
  }
  CGdiplusSession(const CGdiplusSession&) = delete;
  CGdiplusSession& operator=(const CGdiplusSession&) = delete;
  bool Started() const { return m_bStarted; }

private:
  ULONG_PTR m_token = 0;
  bool m_bStarted = false;
};

} // namespace bench
