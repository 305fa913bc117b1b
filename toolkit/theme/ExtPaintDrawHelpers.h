// Small drawing steps shared by the caption-button, tab-window, background and bar-frame
// painters: one-colour rings and rectangle normalisation.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "toolkit/theme/ExtPaintDcState.h"

#include <utility>

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
