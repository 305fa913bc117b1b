// The XP menu separator, the Office 2003 bar separator, the request to parent windows to paint a
// child's background, and the Office 2003 docking-area background with its themed gradient.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintDcState.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <vector>

namespace {

bool IsMenuRightToLeft(CObject* pSource) {
  const auto* pMenu = dynamic_cast<const CExtPopupMenuSite*>(pSource);
  return pMenu != NULL && pMenu->IsRightToLeft();
}

// Separators of tool bars, bar buttons and the status bar take the etched Office 2003 line.
bool TakesEtchedSeparator(CObject* pSource) {
  if (dynamic_cast<const CExtBarButtonSite*>(pSource) != NULL ||
      dynamic_cast<const CExtStatusBarSite*>(pSource) != NULL)
    return true;
  const auto* pBar = dynamic_cast<const CExtControlBarSite*>(pSource);
  return pBar != NULL && (pBar->GetBarKind() == CExtControlBarSite::BAR_TOOL ||
                          pBar->GetBarKind() == CExtControlBarSite::BAR_MENU);
}

// Two gradients meeting at num/den of the extent: c1 to c2, then c2 to c3. Along y when
// bVertical, c1 at the top; else along x, c1 at the left.
void PaintTwoStageGradient(CDC& dc, const RECT& rc, COLORREF c1, COLORREF c2, COLORREF c3, bool bVertical,
                           int nNum, int nDen, int nBands) {
  RECT rcFirst = rc, rcSecond = rc;
  if (bVertical) {
    rcFirst.bottom = rcSecond.top = rc.top + ::MulDiv(rc.bottom - rc.top, nNum, nDen);
    // The vertical gradient runs from its second colour at the top to its first at the bottom.
    CExtPaintManager::PaintGradientRect(dc, rcFirst, c2, c1, true, nBands);
    CExtPaintManager::PaintGradientRect(dc, rcSecond, c3, c2, true, nBands);
  } else {
    rcFirst.right = rcSecond.left = rc.left + ::MulDiv(rc.right - rc.left, nNum, nDen);
    CExtPaintManager::PaintGradientRect(dc, rcFirst, c1, c2, false, nBands);
    CExtPaintManager::PaintGradientRect(dc, rcSecond, c2, c3, false, nBands);
  }
}

} // namespace

void CExtPaintManagerXP::PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bHalftone,
                                            CObject* pHelperSrc, LPARAM lParam) {
  if (::IsRectEmpty(&rc) || !dc.RectVisible(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  const bool bRtl = IsMenuRightToLeft(pHelperSrc);
  RECT rcColumn = rc, rcText = rc;
  if (bRtl)
    rcColumn.left = rcText.right = rc.right - nIconAreaWidth;
  else
    rcColumn.right = rcText.left = rc.left + nIconAreaWidth;
  dc.FillSolidRect(&rcText, ColorByLogicalId(2001, pHelperSrc, lParam));
  if (nIconAreaWidth > 0) {
    // The column continues the items' icon column: a row of the hidden-items group looks like one.
    MenuItemPaintData row(pHelperSrc, rcColumn, rcColumn, nIconAreaWidth, "", "", NULL, false, false, false,
                          false, false, true, bHalftone, false, false, 0, NULL);
    row.lParam = lParam;
    PaintMenuIconColumn(dc, row, rcColumn);
  }
  const int y = rc.top + (rc.bottom - rc.top) / 2;
  if (rcText.right - rcText.left > 6)
    dc.FillSolidRect(rcText.left + 3, y, rcText.right - rcText.left - 6, 1,
                     ColorByLogicalId(2002, pHelperSrc, lParam));
}

void CExtPaintManagerOffice2003::PaintSeparator(CDC& dc, const RECT& rc, bool bVerticalLine,
                                                bool bNoBackground, CObject* pHelperSrc, LPARAM lParam) {
  if (GetScreenBitsPerPixel() <= 8 || !TakesEtchedSeparator(pHelperSrc)) {
    CExtPaintManagerXP::PaintSeparator(dc, rc, bVerticalLine, bNoBackground, pHelperSrc, lParam);
    return;
  }
  CExtDcSaveGuard guard(dc);
  if (!bNoBackground)
    dc.FillSolidRect(&rc, ColorByLogicalId(1000, pHelperSrc, lParam));
  const bool bFullLength = dynamic_cast<const CExtStatusBarSite*>(pHelperSrc) != NULL;
  const int nStart = bFullLength ? 0 : 4, nEnd = bFullLength ? 0 : 5;
  RECT rcLine = rc;
  if (bVerticalLine) {
    rcLine.left = rc.left + (rc.right - rc.left) / 2 - 1;
    rcLine.right = rcLine.left + 2;
    rcLine.top += nStart, rcLine.bottom -= nEnd;
  } else {
    rcLine.top = rc.top + (rc.bottom - rc.top) / 2 - 1;
    rcLine.bottom = rcLine.top + 2;
    rcLine.left += nStart, rcLine.right -= nEnd;
  }
  if (!::IsRectEmpty(&rcLine))
    dc.Draw3dRect(&rcLine, ColorByLogicalId(3011, pHelperSrc, lParam),
                  ColorByLogicalId(3010, pHelperSrc, lParam));
}

bool CExtPaintManager::PaintInheritedBackground(CDC& dc, bool bClient, CObject* pHelperSrc, LPARAM lParam) {
  if (pHelperSrc == NULL || dc.m_hDC == NULL || !IsDockerBackgroundEnabledFor(pHelperSrc, lParam))
    return false;
  CWnd* pWnd = dynamic_cast<CWnd*>(pHelperSrc);
  HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
  if (pWnd == NULL) {
    if (const auto* pButton = dynamic_cast<const CExtBarButtonSite*>(pHelperSrc)) {
      hWnd = pButton->GetBarSafeHwnd();
      pWnd = hWnd != NULL ? CWnd::FromHandle(hWnd) : NULL;
    }
  }
  if (hWnd == NULL || !::IsWindow(hWnd))
    return false;
  InheritedBackgroundPaintData data(bClient, dc, pWnd, lParam);
  for (HWND hAsk = hWnd; hAsk != NULL;) {
    ::SendMessageA(hAsk, g_nMsgPaintInheritedBackground, (WPARAM)&data, 0);
    if (data.stopSearch) {
      data.painted = 0;
      return false;
    }
    if (data.painted)
      return true;
    if ((::GetWindowLongA(hAsk, GWL_STYLE) & WS_CHILD) == 0)
      return false;
    hAsk = ::GetParent(hAsk);
  }
  return false;
}

bool CExtPaintManagerOffice2003::PaintDockerBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam) {
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
    return false;
  if (PaintInheritedBackground(dc, bClient, pWnd, lParam))
    return true;
  const HWND hWnd = pWnd->GetSafeHwnd();
  RECT rcClient;
  if (bClient) {
    ::GetClientRect(hWnd, &rcClient);
  } else {
    ::GetWindowRect(hWnd, &rcClient);
    ::OffsetRect(&rcClient, -rcClient.left, -rcClient.top);
  }
  if (!HasDockerBackground(pWnd, lParam))
    return PaintDockerBackgroundRect(bClient, dc, rcClient, rcClient, lParam);
  const auto* pBar = dynamic_cast<const CExtControlBarSite*>(static_cast<CObject*>(pWnd));
  if (pBar != NULL && !pBar->IsFloating() &&
      (pBar->GetBarKind() == CExtControlBarSite::BAR_TOOL ||
       pBar->GetBarKind() == CExtControlBarSite::BAR_PANEL ||
       pBar->GetBarKind() == CExtControlBarSite::BAR_MENU)) {
    // One face over the whole bar, shown only where the bar's child controls leave room.
    std::vector<RECT> segments;
    if (const auto* pSegments = dynamic_cast<const CExtBarFaceSegmentsSite*>(static_cast<CObject*>(pWnd)))
      pSegments->GetFaceSegments(segments);
    CExtDcSaveGuard guard(dc);
    if (!segments.empty()) {
      CRgn rgnFace;
      rgnFace.CreateRectRgn(0, 0, 0, 0);
      for (const RECT& rc : segments) {
        CRgn rgnSegment;
        if (rgnSegment.CreateRectRgnIndirect(&rc))
          rgnFace.CombineRgn(&rgnFace, &rgnSegment, RGN_OR);
      }
      ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnFace.m_hObject, RGN_AND);
    }
    PaintThemedGradientRect(dc, rcClient, !pBar->IsDockedVertically(), pWnd, lParam);
    return true;
  }
  // One gradient over the client area of the frame that holds the window, so that neighbouring
  // windows continue it.
  const HWND hFrame = ::GetAncestor(hWnd, GA_ROOT);
  RECT rcFrame = rcClient;
  if (hFrame != NULL && hFrame != hWnd) {
    ::GetClientRect(hFrame, &rcFrame);
    ::MapWindowPoints(hFrame, hWnd, (POINT*)&rcFrame, 2);
  }
  CExtDcSaveGuard guard(dc);
  dc.IntersectClipRect(&rcClient);
  PaintGradientRect(dc, rcFrame, ColorByLogicalId(3001, pWnd, lParam), ColorByLogicalId(3000, pWnd, lParam),
                    false);
  return true;
}

void CExtPaintManagerOffice2003::PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pBar,
                                                           LPARAM lParam) {
  if (pBar == NULL || ::IsRectEmpty(&rc))
    return;
  const auto* pSite = dynamic_cast<const CExtControlBarSite*>(static_cast<CObject*>(pBar));
  if (pSite == NULL || pSite->GetBarKind() != CExtControlBarSite::BAR_TOOL || pSite->IsFloating() ||
      GetScreenBitsPerPixel() <= 8) {
    PaintDockerBackground(true, dc, pBar, lParam);
    return;
  }
  // A docked tool bar: a rounded face, the docking area's background round it.
  const int nCorner = 2 * GetToolBarButtonSpacing().cx;
  CRgn rgnFace, rgnAround;
  if (!rgnFace.CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, nCorner, nCorner) ||
      !rgnAround.CreateRectRgnIndirect(&rc) ||
      rgnAround.CombineRgn(&rgnAround, &rgnFace, RGN_DIFF) == ERROR) {
    PaintDockerBackground(true, dc, pBar, lParam);
    return;
  }
  {
    CExtDcSaveGuard guard(dc);
    ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnAround.m_hObject, RGN_AND);
    PaintDockerBackground(true, dc, pBar, lParam);
  }
  CExtDcSaveGuard guard(dc);
  ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnFace.m_hObject, RGN_AND);
  PaintThemedGradientRect(dc, rc, !pSite->IsDockedVertically(), pBar, lParam);
}

void CExtPaintManagerOffice2003::PaintThemedGradientRect(CDC& dc, const RECT& rc, bool bHorz,
                                                         CObject* pHelperSrc, LPARAM lParam, COLORREF clr1,
                                                         COLORREF clr2) {
  if (clr1 != (COLORREF)-1 && clr2 != (COLORREF)-1) {
    PaintGradientRect(dc, rc, clr1, clr2, bHorz);
    return;
  }
  COLORREF clrBase = 0;
  if (IsThemedDrawingAvailable() && GetThemeBaseColors(&clrBase, NULL)) {
    const COLORREF c1 = HlsAdjustColor(clrBase, 0.0, 0.75, 0.15),
                   c2 = HlsAdjustColor(clrBase, 0.0, 0.65, 0.15);
    COLORREF c3 = HlsAdjustColor(clrBase, 0.0, -0.22, -0.25);
    if (GetVisualStyleScheme() == CExtPaintManagerHolder::VSS_METALLIC)
      c3 = HlsAdjustColor(c3, 0.05, 0.0, 0.05);
    PaintTwoStageGradient(dc, rc, c1, c2, c3, bHorz, 2, 5, 256);
    return;
  }
  const COLORREF c3015 = ColorByLogicalId(3015, pHelperSrc, lParam),
                 c3017 = ColorByLogicalId(3017, pHelperSrc, lParam);
  // A horizontal bar runs light at the top to dark at the bottom; a vertical one left to right.
  if (bHorz)
    PaintGradientRect(dc, rc, c3017, c3015, true, 256);
  else
    PaintGradientRect(dc, rc, c3015, c3017, false, 256);
}
