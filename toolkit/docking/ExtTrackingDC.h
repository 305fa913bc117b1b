// The window device context the bars draw their XOR trackers and outlines on.
#pragma once

#include "framework/gdi/fw_gdi.h"

// A window device context over the window's children, for XOR drawing; given back on destruction.
class CExtTrackingDC : public CDC {
public:
  explicit CExtTrackingDC(HWND hWnd) : m_hWndDC(hWnd) {
    Attach(::GetDCEx(hWnd, NULL, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE));
  }
  ~CExtTrackingDC() override {
    HDC hDC = Detach();
    if (hDC != NULL)
      ::ReleaseDC(m_hWndDC, hDC);
  }
  CExtTrackingDC(const CExtTrackingDC&) = delete;
  CExtTrackingDC& operator=(const CExtTrackingDC&) = delete;

private:
  HWND m_hWndDC;
};
