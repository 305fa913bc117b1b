// Themes whose parent-window backgrounds are stand-ins: the docking-area background and the
// inherited background paint a flat marker colour wherever the clip allows (or decline), and
// count how often they were asked. Also real windows for the fakes that need a handle.
#pragma once

#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

const COLORREF kDockerMark = RGB(250, 0, 250);
const COLORREF kInheritedMark = RGB(0, 250, 250);

class DockerProbe : public CExtPaintManagerOffice2003 {
public:
  bool PaintDockerBackground(bool, CDC& dc, CWnd* pWnd, LPARAM) override {
    ++m_nCalls;
    m_pLastWnd = pWnd;
    if (m_bDecline)
      return false;
    dc.FillSolidRect(0, 0, 2000, 2000, kDockerMark);
    return true;
  }
  int m_nCalls = 0;
  CWnd* m_pLastWnd = NULL;
  bool m_bDecline = false;
};

template <class Theme> class InheritProbe : public Theme {
public:
  bool PaintInheritedBackground(CDC& dc, bool, CObject*, LPARAM) override {
    ++m_nCalls;
    if (!m_bPaint)
      return false;
    dc.FillSolidRect(0, 0, 2000, 2000, kInheritedMark);
    return true;
  }
  int m_nCalls = 0;
  bool m_bPaint = false;
};

// A hidden popup window (hParent NULL) or child window; NULL when it cannot be made.
inline HWND MakeTestWindow(HWND hParent, int x, int y, int cx, int cy) {
  return ::CreateWindowExA(0, "STATIC", "", hParent != NULL ? WS_CHILD : WS_POPUP, x, y, cx, cy, hParent,
                           NULL, ::GetModuleHandleA(NULL), NULL);
}
