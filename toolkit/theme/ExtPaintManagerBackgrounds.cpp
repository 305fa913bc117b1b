// Backgrounds of the docking area and of what sits in it: control bars, dock bars and the
// controls hosted in tool bars. The parents are asked for an inherited background first; the
// classic and XP themes then paint flat colours, while Office 2003 lays one gradient across the
// frame's whole docking area.
#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

namespace {

// Wider docking areas end the gradient here and go on in its far colour.
const int kDockerGradientMaxWidth = 686;
const int kDockerGradientBands = 64;

bool IsHiddenRect(CDC& dc, const RECT& rc) { return ::IsRectEmpty(&rc) || !dc.RectVisible(&rc); }

// The client area of the frame, in the window's client coordinates; empty without a frame.
RECT FrameClientRectIn(HWND hFrame, HWND hWnd) {
  RECT rc = {0, 0, 0, 0};
  if (hFrame != NULL && hWnd != NULL && ::GetClientRect(hFrame, &rc))
    ::MapWindowPoints(hFrame, hWnd, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

} // namespace

void CExtPaintManager::PaintGradientRect2Stage(CDC& dc, const RECT& rc, COLORREF clr1, COLORREF clr2,
                                               COLORREF clr3, bool bVertical, int nNum, int nDen,
                                               int nBands) {
  CExtDcTextState state(dc);
  RECT rcFirst = rc, rcSecond = rc;
  if (bVertical) {
    // Vertical gradients are given bottom colour first.
    rcFirst.bottom = rcSecond.top = rc.top + ::MulDiv(rc.bottom - rc.top, nNum, nDen);
    PaintGradientRect(dc, rcFirst, clr2, clr1, true, nBands);
    PaintGradientRect(dc, rcSecond, clr3, clr2, true, nBands);
  } else {
    rcFirst.right = rcSecond.left = rc.left + ::MulDiv(rc.right - rc.left, nNum, nDen);
    PaintGradientRect(dc, rcFirst, clr1, clr2, false, nBands);
    PaintGradientRect(dc, rcSecond, clr2, clr3, false, nBands);
  }
}

// ---------------------------------------------------------------------------------------------
// The docking area's colour over a rectangle and behind a window.

bool CExtPaintManager::PaintDockerBackgroundRect(bool, CDC& dc, const RECT& rcGradient, const RECT& rcClip,
                                                 LPARAM) {
  CExtDcTextState state(dc);
  RECT rc;
  if (::IntersectRect(&rc, &rcGradient, &rcClip))
    dc.FillSolidRect(&rc, ColorByLogicalId(1000));
  return true;
}

bool CExtPaintManagerOffice2003::PaintDockerBackgroundRect(bool, CDC& dc, const RECT& rcGradient,
                                                           const RECT& rcClip, LPARAM) {
  CExtDcTextState state(dc);
  const COLORREF clrStart = ColorByLogicalId(3001), clrEnd = ColorByLogicalId(3000);
  // A right-to-left layout starts the docking area at its right edge.
  const bool bRtl = (dc.GetLayout() & LAYOUT_RTL) != 0;
  CExtDcSaveGuard guard(dc);
  dc.IntersectClipRect(&rcClip);
  RECT rcRamp = rcGradient;
  if (rcGradient.right - rcGradient.left >= kDockerGradientMaxWidth) {
    RECT rcSolid = rcGradient;
    if (bRtl)
      rcRamp.left = rcSolid.right = rcGradient.right - kDockerGradientMaxWidth;
    else
      rcRamp.right = rcSolid.left = rcGradient.left + kDockerGradientMaxWidth;
    dc.FillSolidRect(&rcSolid, clrEnd);
  }
  PaintGradientRect(dc, rcRamp, bRtl ? clrEnd : clrStart, bRtl ? clrStart : clrEnd, false,
                    kDockerGradientBands);
  return true;
}

bool CExtPaintManager::PaintDockerBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam) {
  CExtDcTextState state(dc);
  if (PaintInheritedBackground(dc, bClient, pWnd, lParam))
    return true;
  // Without a window there is no rectangle to fill, and saying it was painted would be untrue.
  const HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
  if (hWnd == NULL)
    return false;
  RECT rc;
  if (bClient) {
    ::GetClientRect(hWnd, &rc);
  } else {
    ::GetWindowRect(hWnd, &rc);
    ::OffsetRect(&rc, -rc.left, -rc.top);
  }
  dc.FillSolidRect(&rc, ColorByLogicalId(1000, pWnd, lParam));
  return true;
}

bool CExtPaintManagerXP::PaintDockerBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam) {
  return PaintInheritedBackground(dc, bClient, pWnd, lParam);
}

// ---------------------------------------------------------------------------------------------
// Control bars, dock bars and the children of tool bars.

void CExtPaintManager::PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pBar, LPARAM lParam) {
  CExtDcTextState state(dc);
  if (IsHiddenRect(dc, rc))
    return;
  // Menu and panel bars are tool bars too.
  const auto* pSite = dynamic_cast<const CExtControlBarSite*>(pBar);
  if (pSite != NULL && pSite->GetBarKind() != CExtControlBarSite::BAR_CONTROL &&
      (pSite->GetOptionBits() & CExtControlBarSite::OPT_INHERIT_BACKGROUND) != 0 &&
      PaintInheritedBackground(dc, true, pBar, lParam))
    return;
  dc.FillSolidRect(&rc, ColorByLogicalId(1000, pBar, lParam));
}

void CExtPaintManagerXP::PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pBar, LPARAM lParam) {
  CExtPaintManager::PaintControlBarClientArea(dc, rc, pBar, lParam);
}

void CExtPaintManager::PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pDockBar, LPARAM lParam) {
  CExtDcTextState state(dc);
  if (IsHiddenRect(dc, rc) || PaintInheritedBackground(dc, true, pDockBar, lParam))
    return;
  dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DFACE, pDockBar, lParam));
}

void CExtPaintManagerXP::PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pDockBar, LPARAM lParam) {
  CExtPaintManager::PaintDockBarClientArea(dc, rc, pDockBar, lParam);
}

// The frame's four outer dock bars share one gradient laid over the frame's client area.
void CExtPaintManagerOffice2003::PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pDockBar,
                                                        LPARAM lParam) {
  CExtDcTextState state(dc);
  const auto* pSite = dynamic_cast<const CExtDockBarSite*>(pDockBar);
  if (pSite != NULL && pSite->IsOuterDockBar()) {
    const RECT rcFrame = FrameClientRectIn(pSite->GetParentFrameHwnd(), pDockBar->GetSafeHwnd());
    if (IsHiddenRect(dc, rcFrame))
      return;
    if (GetScreenBitsPerPixel() > 8) {
      if (!PaintInheritedBackground(dc, true, pDockBar, lParam))
        PaintDockerBackgroundRect(true, dc, rcFrame, rc, lParam);
      return;
    }
  }
  CExtPaintManager::PaintDockBarClientArea(dc, rc, pDockBar, lParam);
}

void CExtPaintManagerOffice2003::PaintToolBarChildBackground(CDC& dc, CWnd* pChild, LPARAM lValue,
                                                             const RECT& rc) {
  CExtDcTextState state(dc);
  PaintGradientRect(dc, rc, ColorByLogicalId(3017, pChild, lValue), ColorByLogicalId(3010, pChild, lValue),
                    true, 256);
}
