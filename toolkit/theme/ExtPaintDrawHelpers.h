// Small drawing steps shared by the theme's painters: one-colour rings, rectangle arithmetic and
// 16 x 16 icons made from a painted picture and mask.
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

// A 16 x 16 icon from a colour bitmap and a mask that the caller paints (black mask: opaque).
template <typename Paint> HICON CreateIcon16(Paint paint) {
  const int n = 16;
  CDC dcScreen;
  dcScreen.Attach(::GetDC(NULL));
  CBitmap bmpColor, bmpMask;
  const bool bMade =
      bmpColor.CreateCompatibleBitmap(&dcScreen, n, n) && bmpMask.CreateBitmap(n, n, 1, 1, NULL);
  ::ReleaseDC(NULL, dcScreen.Detach());
  CDC dcColor, dcMask;
  if (!bMade || !dcColor.CreateCompatibleDC(NULL) || !dcMask.CreateCompatibleDC(NULL))
    return NULL;
  CBitmap* pOldColor = dcColor.SelectObject(&bmpColor);
  CBitmap* pOldMask = dcMask.SelectObject(&bmpMask);
  paint(dcColor, dcMask);
  dcColor.SelectObject(pOldColor);
  dcMask.SelectObject(pOldMask);
  ICONINFO info = {TRUE, 0, 0, (HBITMAP)bmpMask.GetSafeHandle(), (HBITMAP)bmpColor.GetSafeHandle()};
  return ::CreateIconIndirect(&info);
}
