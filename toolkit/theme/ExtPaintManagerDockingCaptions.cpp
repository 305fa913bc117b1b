// Captions and grippers of docked bars, floating mini frames and auto-hide sliders: classic 3-D
// grip bars and system caption gradients, XP flat captions and dotted grips, Office 2003 rounded
// grip faces with dots and gradient caption bars.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const int kGripBarThickness = 3;
const int kGripDotStep = 4;
const int kGripDotMargin = 4;

bool IsGripper(const DockingCaptionPaintData& d) { return !d.captionBar && !d.floatingFrame; }

// The area a caption bar paints: docked ones keep a pixel free all round.
RECT CaptionArea(const DockingCaptionPaintData& d) {
  RECT rc = d.captionRect;
  if (!d.floatingFrame)
    ::InflateRect(&rc, -1, -1);
  return rc;
}

// A fixed-size bar floating in a mini frame has its caption cut to fit, without an ellipsis.
bool CutsCaptionToFit(CObject* pSource) {
  const auto* pSite = dynamic_cast<const CExtCaptionSourceSite*>(pSource);
  return pSite != NULL && pSite->GetCaptionSourceKind() == CExtCaptionSourceSite::SOURCE_MINI_FRAME &&
         pSite->IsFloatingBarFixedMode();
}

// The caption text in the colour: horizontal with an ellipsis (or cut to fit), or turned to run
// down the caption.
void PaintCaptionTextIn(CExtPaintManager& pm, CDC& dc, const DockingCaptionPaintData& d, COLORREF clrText) {
  if (*d.text == '\0' || ::IsRectEmpty(&d.textRect))
    return;
  CExtDcTextState state(dc);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(clrText);
  // Docked caption bars use the normal pair; floating frames and the rest the bold one.
  const bool bFirstPair = d.captionBar && !d.floatingFrame;
  CFont& font = d.vertical ? (bFirstPair ? pm.m_FontNormalVert : pm.m_FontBoldVert)
                           : (bFirstPair ? pm.m_FontNormal : pm.m_FontBold);
  if (font.m_hObject != NULL)
    ::SelectObject(dc.m_hDC, font.m_hObject);
  if (!d.vertical) {
    RECT rcText = d.textRect;
    const UINT nAlign = d.rightToLeft ? DT_RIGHT : 0;
    if (CutsCaptionToFit(d.sourceObject)) {
      std::string strText(d.text);
      const int cxRoom = rcText.right - rcText.left;
      while (!strText.empty() &&
             CExtPaintManager::GetTextWidth(dc, (HFONT)font.m_hObject, strText.c_str()) > cxRoom)
        strText.pop_back();
      ::DrawTextA(dc.m_hDC, strText.c_str(), -1, &rcText, DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | nAlign);
    } else {
      ::DrawTextA(dc.m_hDC, d.text, -1, &rcText, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | nAlign);
    }
    return;
  }
  // Text turned to run downwards grows to the left of its starting point, so it starts at the
  // right edge of a band one font height wide, centred across the caption.
  LOGFONTA lf = {};
  font.GetLogFont(&lf);
  const int cxBand = std::abs(lf.lfHeight) + 1;
  const RECT& rcCaption = d.captionRect;
  RECT rcBand = d.textRect;
  rcBand.left = rcCaption.left + (rcCaption.right - rcCaption.left - cxBand) / 2;
  rcBand.right = rcBand.left + cxBand;
  ::InflateRect(&rcBand, 0, -2);
  // The glyph cell is a little wider than the font height: only the caption's edges clip it.
  const RECT rcAlong = {rcCaption.left, rcBand.top, rcCaption.right, rcBand.bottom};
  RECT rcClip;
  if (!::IntersectRect(&rcClip, &rcAlong, &rcCaption))
    return;
  dc.SetTextAlign(TA_TOP | TA_LEFT);
  ::ExtTextOutA(dc.m_hDC, rcBand.right, rcBand.top, ETO_CLIPPED, &rcClip, d.text, (UINT)lstrlenA(d.text),
                NULL);
}

} // namespace

void CExtPaintManager::PaintDockingCaption(CDC& dc, DockingCaptionPaintData& d) {
  CExtDcSaveGuard guard(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const COLORREF clrShadow = C(1006), clrHighlight = C(1004);
  const RECT& rc = d.captionRect;
  if (IsGripper(d)) {
    RECT rcBar;
    POINT step;
    if (d.vertical) {
      rcBar = RECT{rc.left + 4, rc.top + 1, rc.left + 4 + kGripBarThickness, rc.bottom};
      step = POINT{kGripBarThickness, 0};
    } else {
      rcBar = RECT{rc.left + 1, rc.top + 4, rc.right, rc.top + 4 + kGripBarThickness};
      step = POINT{0, kGripBarThickness};
    }
    for (int i = 0; i < 2; ++i) {
      dc.Draw3dRect(&rcBar, clrHighlight, clrShadow);
      ::OffsetRect(&rcBar, step.x, step.y);
    }
    return;
  }
  const RECT rcArea = CaptionArea(d);
  COLORREF clrText;
  if (d.captionBar) {
    const bool bInactive = !d.active && !d.floatingFrame;
    const COLORREF clr1 = C(bInactive ? COLOR_INACTIVECAPTION : COLOR_ACTIVECAPTION);
    const COLORREF clr2 = C(bInactive ? COLOR_GRADIENTINACTIVECAPTION : COLOR_GRADIENTACTIVECAPTION);
    clrText = C(bInactive ? COLOR_INACTIVECAPTIONTEXT : COLOR_CAPTIONTEXT);
    if (!d.transparentCaption) {
      if (GetScreenBitsPerPixel() <= 8)
        dc.FillSolidRect(&rcArea, clr1);
      else if (d.vertical)
        PaintGradientRect(dc, rcArea, clr2, clr1, true); // the first colour at the top
      else if (d.rightToLeft)
        PaintGradientRect(dc, rcArea, clr2, clr1, false);
      else
        PaintGradientRect(dc, rcArea, clr1, clr2, false);
    }
  } else {
    clrText = C(COLOR_HIGHLIGHTTEXT);
    if (!d.transparentCaption)
      dc.FillSolidRect(&rcArea, C(COLOR_HIGHLIGHT));
  }
  PaintCaptionTextIn(*this, dc, d, clrText);
}

namespace {

// The XP grip: lines every second pixel across the grip, laid with "destination AND pattern".
void PaintXpGrip(CExtPaintManager& pm, CDC& dc, const DockingCaptionPaintData& d) {
  const RECT& rc = d.captionRect;
  RECT rcGrip = d.vertical ? RECT{rc.left + 5, rc.top + 2, rc.right - 5, rc.bottom - 2}
                           : RECT{rc.left + 2, rc.top + 5, rc.right - 2, rc.bottom - 5};
  if (!d.vertical)
    ::OffsetRect(&rcGrip, 1, 0);
  if (::IsRectEmpty(&rcGrip))
    return;
  CBitmap bmp;
  if (CExtPaintManager::GetScreenBitsPerPixel() <= 8) {
    WORD bits[8];
    for (int y = 0; y < 8; ++y)
      bits[y] = d.vertical ? (WORD)((y & 1) != 0 ? 0xFF : 0x00) : (WORD)0xAA;
    if (!bmp.CreateBitmap(8, 8, 1, 1, bits))
      return;
  } else {
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE), clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    auto mix = [](int s, int f) { return (2 * s + f) / 3; };
    const COLORREF clrLine = dc.GetNearestColor(RGB(mix(GetRValue(clrShadow), GetRValue(clrFace)),
                                                    mix(GetGValue(clrShadow), GetGValue(clrFace)),
                                                    mix(GetBValue(clrShadow), GetBValue(clrFace))));
    CDC dcPattern;
    if (!dcPattern.CreateCompatibleDC(&dc) || !bmp.CreateCompatibleBitmap(&dc, 8, 8))
      return;
    const HGDIOBJ hOld = ::SelectObject(dcPattern.m_hDC, bmp.m_hObject);
    dcPattern.FillSolidRect(0, 0, 8, 8, clrFace);
    for (int i = 1; i < 8; i += 2) {
      if (d.vertical)
        dcPattern.FillSolidRect(0, i, 8, 1, clrLine);
      else
        dcPattern.FillSolidRect(i, 0, 1, 8, clrLine);
    }
    ::SelectObject(dcPattern.m_hDC, hOld);
  }
  CBrush brush;
  if (!brush.CreatePatternBrush(&bmp))
    return;
  dc.SetTextColor(pm.ColorByLogicalId(COLOR_3DSHADOW, d.sourceObject, d.lParam));
  dc.SetBkColor(pm.ColorByLogicalId(2001, d.sourceObject, d.lParam));
  const HGDIOBJ hOldBrush = ::SelectObject(dc.m_hDC, brush.m_hObject);
  ::SetBrushOrgEx(dc.m_hDC, rcGrip.left, rcGrip.top, NULL);
  ::PatBlt(dc.m_hDC, rcGrip.left, rcGrip.top, rcGrip.right - rcGrip.left, rcGrip.bottom - rcGrip.top,
           0xA000C9);
  ::SelectObject(dc.m_hDC, hOldBrush);
}

// A tool bar that inherits its background leaves its gripper unfilled.
bool KeepsGripperUnfilled(CObject* pSource) {
  const auto* pBar = dynamic_cast<const CExtControlBarSite*>(pSource);
  if (pBar == NULL)
    return false;
  const auto eKind = pBar->GetBarKind();
  return (eKind == CExtControlBarSite::BAR_TOOL || eKind == CExtControlBarSite::BAR_MENU) &&
         (pBar->GetOptionBits() & CExtControlBarSite::OPT_INHERIT_BACKGROUND) != 0;
}

} // namespace

void CExtPaintManagerXP::PaintDockingCaption(CDC& dc, DockingCaptionPaintData& d) {
  CExtDcSaveGuard guard(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  if (IsGripper(d)) {
    if (!KeepsGripperUnfilled(d.sourceObject)) {
      RECT rcFill = d.captionRect;
      ::InflateRect(&rcFill, -1, -1);
      dc.FillSolidRect(&rcFill, C(1000));
    }
    PaintXpGrip(*this, dc, d);
    return;
  }
  const RECT rcArea = CaptionArea(d);
  if (!d.transparentCaption)
    dc.FillSolidRect(&rcArea, C(!d.captionBar ? COLOR_3DSHADOW : d.active ? COLOR_HIGHLIGHT : 2000));
  if (d.captionBar && !d.active && !d.floatingFrame)
    dc.Draw3dRect(&rcArea, C(COLOR_3DSHADOW), C(COLOR_3DSHADOW));
  PaintCaptionTextIn(*this, dc, d, C(d.captionBar && !d.active ? COLOR_BTNTEXT : COLOR_CAPTIONTEXT));
}

namespace {

// Docked tool, panel and menu bars have a rounded grip face in Office 2003.
bool HasRoundedGripFace(CObject* pSource) {
  const auto* pBar = dynamic_cast<const CExtControlBarSite*>(pSource);
  if (pBar == NULL || pBar->IsFloating())
    return false;
  const auto eKind = pBar->GetBarKind();
  return eKind == CExtControlBarSite::BAR_TOOL || eKind == CExtControlBarSite::BAR_PANEL ||
         eKind == CExtControlBarSite::BAR_MENU;
}

bool IsBarOrSliderCaption(CObject* pSource) {
  if (dynamic_cast<const CExtControlBarSite*>(pSource) != NULL)
    return true;
  const auto* pSite = dynamic_cast<const CExtCaptionSourceSite*>(pSource);
  return pSite != NULL && pSite->GetCaptionSourceKind() == CExtCaptionSourceSite::SOURCE_AUTO_HIDE_SLIDER;
}

} // namespace

void CExtPaintManagerOffice2003::PaintDockingCaption(CDC& dc, DockingCaptionPaintData& d) {
  const bool bDeep = GetScreenBitsPerPixel() > 8;
  if (bDeep && IsGripper(d) && HasRoundedGripFace(d.sourceObject)) {
    PaintRoundedGripper(dc, d);
    return;
  }
  // A caption whose caller asked for no background keeps it, gradient or not.
  if (bDeep && d.captionBar && !d.transparentCaption && IsBarOrSliderCaption(d.sourceObject)) {
    const COLORREF clr1 = ColorByLogicalId(3000, d.sourceObject, d.lParam),
                   clr2 = ColorByLogicalId(3001, d.sourceObject, d.lParam);
    const RECT rcArea = CaptionArea(d);
    if (d.vertical)
      PaintGradientRect(dc, rcArea, d.rightToLeft ? clr1 : clr2, d.rightToLeft ? clr2 : clr1, true);
    else
      PaintGradientRect(dc, rcArea, d.rightToLeft ? clr2 : clr1, d.rightToLeft ? clr1 : clr2, false);
    d.transparentCaption = 1;
  }
  CExtPaintManagerXP::PaintDockingCaption(dc, d);
}

void CExtPaintManagerOffice2003::PaintRoundedGripper(CDC& dc, const DockingCaptionPaintData& d) {
  CExtDcSaveGuard guard(dc);
  const RECT& rc = d.captionRect;
  if (::IsRectEmpty(&rc))
    return;
  // The face runs on past the gripper into the bar, so only the gripper's end is rounded.
  const CSize spacing = GetToolBarButtonSpacing();
  const int nCorner = 2 * std::max<int>(spacing.cx, spacing.cy);
  RECT rcFace = rc;
  (d.vertical ? rcFace.right : rcFace.bottom) += nCorner;
  CRgn rgnFace;
  if (!rgnFace.CreateRoundRectRgn(rcFace.left, rcFace.top, rcFace.right + 1, rcFace.bottom + 1, nCorner,
                                  nCorner)) {
    CExtPaintManagerXP::PaintDockingCaption(dc, const_cast<DockingCaptionPaintData&>(d));
    return;
  }
  CRgn rgnClip;
  rgnClip.CreateRectRgnIndirect(&rc);
  rgnClip.CombineRgn(&rgnClip, &rgnFace, RGN_AND);
  ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnClip.m_hObject, RGN_AND);
  // A gripper at the left belongs to a horizontal bar.
  PaintThemedGradientRect(dc, rcFace, d.vertical, d.sourceObject, d.lParam);
  CBrush brushEdge(ColorByLogicalId(3011, d.sourceObject, d.lParam));
  ::FrameRgn(dc.m_hDC, (HRGN)rgnFace.m_hObject, (HBRUSH)brushEdge.m_hObject, 1, 1);

  const COLORREF clrDark = ColorByLogicalId(3003, d.sourceObject, d.lParam),
                 clrLight = ColorByLogicalId(3002, d.sourceObject, d.lParam);
  const int nLength = (d.vertical ? rc.bottom - rc.top : rc.right - rc.left) - 2 * kGripDotMargin;
  const int nDots = nLength > 0 ? (nLength + 1) / kGripDotStep : 0;
  const int nSpan = nDots * kGripDotStep - 1;
  const int nAcross =
      d.vertical ? rc.left + (rc.right - rc.left - 3) / 2 : rc.top + (rc.bottom - rc.top - 3) / 2;
  const int nStart = (d.vertical ? rc.top : rc.left) +
                     (d.vertical ? rc.bottom - rc.top : rc.right - rc.left) / 2 - nSpan / 2;
  for (int i = 0; i < nDots; ++i) {
    const int nAlong = nStart + i * kGripDotStep;
    const int x = d.vertical ? nAcross : nAlong, y = d.vertical ? nAlong : nAcross;
    dc.FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
    dc.FillSolidRect(x, y, 2, 2, clrDark);
  }
}
