// Small drawing steps shared by the caption-button, tab-window, background and bar-frame
// painters: a saved DC state, one-colour rings and rectangle normalisation.
#pragma once

#include "framework/gdi/fw_gdi.h"

#include <utility>

// Keeps the whole DC state (clip, colours, objects) and puts it back when it goes.
class CExtDcSaveGuard {
public:
  explicit CExtDcSaveGuard(CDC& dc) : m_dc(dc), m_nSaved(dc.SaveDC()) {}
  ~CExtDcSaveGuard() { m_dc.RestoreDC(m_nSaved); }
  CExtDcSaveGuard(const CExtDcSaveGuard&) = delete;
  CExtDcSaveGuard& operator=(const CExtDcSaveGuard&) = delete;

private:
  CDC& m_dc;
  int m_nSaved;
};

// A one-pixel frame of one colour just inside rc.
inline void PaintRing(CDC& dc, const RECT& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }

// rc with left <= right and top <= bottom.
inline RECT NormalizedRect(const RECT& rcIn) {
  RECT rc = rcIn;
  if (rc.left > rc.right)
    std::swap(rc.left, rc.right);
  if (rc.top > rc.bottom)
    std::swap(rc.top, rc.bottom);
  return rc;
}

inline RECT InflatedRect(const RECT& rcIn, int dx, int dy) {
  RECT rc = rcIn;
  ::InflateRect(&rc, dx, dy);
  return rc;
}
