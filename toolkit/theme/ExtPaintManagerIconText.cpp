// Icon-and-text items, combo-box faces, the date picker's background, the undo/redo caption, the
// texts in the icon-title font, the transparent stretch blit and icons made from text.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <cstring>

namespace {

void FrameRect1(CDC& dc, const RECT& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }

bool HasTab(LPCSTR sText) { return std::strchr(sText, '\t') != NULL; }

// The icon-title font of the system; false when the system gives none.
bool GetIconTitleFont(LOGFONTA& lf) {
  std::memset(&lf, 0, sizeof(lf));
  return ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0) != FALSE;
}

// One line of text in the font, 4 pixels (plus nIndent) from the left of rc, centred vertically
// and clipped to rc.
void DrawPlacedText(CDC& dc, const RECT& rc, LPCSTR sText, const LOGFONTA& lf, COLORREF clr, int nIndent) {
  if (sText == NULL || *sText == '\0' || ::IsRectEmpty(&rc) || !dc.RectVisible(&rc))
    return;
  CExtDcTextState state(dc);
  CExtTempFont font;
  if (font.Create(lf) != NULL)
    ::SelectObject(dc.m_hDC, font.Get());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(clr);
  const UINT nFormat = DT_SINGLELINE | (HasTab(sText) ? DT_EXPANDTABS : 0);
  RECT rcText = {0, 0, 0, 0};
  ::DrawTextA(dc.m_hDC, sText, -1, &rcText, nFormat | DT_CALCRECT);
  ::OffsetRect(&rcText, rc.left + 4 + nIndent, rc.top + (rc.bottom - rc.top - rcText.bottom) / 2);
  ::IntersectRect(&rcText, &rcText, &rc);
  ::DrawTextA(dc.m_hDC, sText, -1, &rcText, nFormat);
}

// The icon-and-text item of both looks; the looks differ in the hot frame only.
void PaintIconItem(CExtPaintManager& pm, CDC& dc, IconPaintData& d, bool bXp) {
  auto C = [&](int nId) { return pm.ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  if ((d.state & IconPaintData::ICON_SEPARATOR) != 0) {
    if ((d.state & IconPaintData::ICON_INFO_TEXT) != 0) {
      RECT rc = d.itemRect;
      ::InflateRect(&rc, 2, 2);
      dc.FillSolidRect(&rc, C(COLOR_INFOBK));
      FrameRect1(dc, rc, C(COLOR_3DDKSHADOW));
    }
    return;
  }
  if (::IsRectEmpty(&d.itemRect) || !dc.RectVisible(&d.itemRect))
    return;
  const bool bHover = (d.state & IconPaintData::ICON_HOVER) != 0,
             bPushed = (d.state & IconPaintData::ICON_PUSHED) != 0;
  RECT rcHot = d.iconRect;
  ::InflateRect(&rcHot, 2, 2);
  if (bHover || bPushed)
    dc.FillSolidRect(&rcHot, C(COLOR_3DSHADOW));
  const bool bSelectedIcon = (d.state & IconPaintData::ICON_SELECTED) != 0;
  HICON hIcon = bSelectedIcon ? d.iconSelected : d.icon;
  if (hIcon == NULL)
    hIcon = bSelectedIcon ? d.icon : d.iconSelected;
  if (hIcon != NULL)
    ::DrawIconEx(dc.m_hDC, d.iconRect.left, d.iconRect.top, hIcon, d.iconRect.right - d.iconRect.left,
                 d.iconRect.bottom - d.iconRect.top, 0, NULL, DI_NORMAL);
  if (bHover || bPushed) {
    if (bXp)
      FrameRect1(dc, rcHot, C(2004));
    else
      dc.Draw3dRect(&rcHot, C(bPushed ? COLOR_3DDKSHADOW : COLOR_3DFACE),
                    C(bPushed ? COLOR_3DFACE : COLOR_3DDKSHADOW));
  }
  if (*d.text == '\0')
    return;
  CExtDcTextState state(dc);
  if (d.font != NULL)
    ::SelectObject(dc.m_hDC, d.font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(C((d.state & IconPaintData::ICON_INFO_TEXT) != 0 ? COLOR_INFOTEXT : COLOR_3DHILIGHT));
  RECT rcText = d.textRect;
  if ((d.state & IconPaintData::ICON_VERTICAL) == 0) {
    ::DrawTextA(dc.m_hDC, d.text, -1, &rcText, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return;
  }
  // The font runs downwards: the baseline is a vertical line, set so the glyphs sit centred.
  TEXTMETRICA tm = {};
  ::GetTextMetricsA(dc.m_hDC, &tm);
  const UINT nOldAlign = ::SetTextAlign(dc.m_hDC, TA_BASELINE);
  const int x = rcText.left + (rcText.right - rcText.left - (tm.tmAscent - tm.tmDescent)) / 2;
  ::ExtTextOutA(dc.m_hDC, x, rcText.top, ETO_CLIPPED, &rcText, d.text, (UINT)std::strlen(d.text), NULL);
  ::SetTextAlign(dc.m_hDC, nOldAlign);
}

void PaintUndoRedoCaptionLook(CExtPaintManager& pm, CDC& dc, const RECT& rc, LPCSTR sText,
                              CObject* pHelperSrc, LPARAM lParam, bool bSunken) {
  dc.FillSolidRect(&rc, pm.GetMenuBackgroundColor(pHelperSrc, lParam));
  if (bSunken) {
    RECT rcFrame = rc;
    ::InflateRect(&rcFrame, -1, -1);
    ::OffsetRect(&rcFrame, 0, 1);
    dc.Draw3dRect(&rcFrame, pm.ColorByLogicalId(COLOR_3DSHADOW, pHelperSrc, lParam),
                  pm.ColorByLogicalId(COLOR_WINDOW, pHelperSrc, lParam));
  }
  if (sText == NULL || *sText == '\0')
    return;
  LOGFONTA lf;
  if (!GetIconTitleFont(lf))
    return;
  CExtDcTextState state(dc);
  CExtTempFont font;
  if (font.Create(lf) != NULL)
    ::SelectObject(dc.m_hDC, font.Get());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(pm.ColorByLogicalId(COLOR_WINDOWTEXT, pHelperSrc, lParam));
  const UINT nFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER | (HasTab(sText) ? DT_EXPANDTABS : 0);
  RECT rcText = rc;
  ::DrawTextA(dc.m_hDC, sText, -1, &rcText, nFormat);
}

// The combo face's text beside the button, in the normal font.
void PaintComboFaceText(CExtPaintManager& pm, CDC& dc, const ComboBoxFacePaintData& d, RECT rc) {
  if (*d.text == '\0')
    return;
  CExtDcTextState state(dc);
  ::SelectObject(dc.m_hDC, pm.m_FontNormal.m_hObject);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(pm.ColorByLogicalId(d.enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW, d.sourceObject, d.lParam));
  if (d.hasButton)
    rc.right -= ::GetSystemMetrics(SM_CXHTHUMB);
  rc.left += 3;
  ::DrawTextA(dc.m_hDC, d.text, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

RECT ComboButtonPart(const RECT& rc) {
  return RECT{rc.right - ::GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom};
}

} // namespace

void CExtPaintManager::TransparentStretchBlt(HDC hDest, int x, int y, int cx, int cy, HDC hSource, int xSrc,
                                             int ySrc, int cxSrc, int cySrc, COLORREF clrTransparent) {
  const int w = cx >= 0 ? cx : cxSrc, h = cy >= 0 ? cy : cySrc;
  if (w <= 0 || h <= 0)
    return;
  // Plain memory DCs: the colour picture and the mask are intermediate steps that must never
  // reach the destination by themselves.
  CBitmap bmpColor, bmpMask;
  if (!bmpColor.Attach(::CreateCompatibleBitmap(hDest, w, h)) ||
      !bmpMask.Attach(::CreateBitmap(w, h, 1, 1, NULL)))
    return;
  CDC dcColor, dcMask;
  if (!dcColor.Attach(::CreateCompatibleDC(hDest)) || !dcMask.Attach(::CreateCompatibleDC(hDest)))
    return;
  const HGDIOBJ hOldColor = ::SelectObject(dcColor.m_hDC, bmpColor.m_hObject);
  const HGDIOBJ hOldMask = ::SelectObject(dcMask.m_hDC, bmpMask.m_hObject);
  if (w != cxSrc || h != cySrc) {
    ::SetStretchBltMode(dcColor.m_hDC, COLORONCOLOR);
    ::StretchBlt(dcColor.m_hDC, 0, 0, w, h, hSource, xSrc, ySrc, cxSrc, cySrc, SRCCOPY);
  } else {
    ::BitBlt(dcColor.m_hDC, 0, 0, w, h, hSource, xSrc, ySrc, SRCCOPY);
  }
  // The mask is white where the picture is transparent; the picture then black there.
  ::SetBkColor(dcColor.m_hDC, clrTransparent);
  ::BitBlt(dcMask.m_hDC, 0, 0, w, h, dcColor.m_hDC, 0, 0, SRCCOPY);
  ::SetBkColor(dcColor.m_hDC, RGB(0, 0, 0));
  ::SetTextColor(dcColor.m_hDC, RGB(255, 255, 255));
  ::BitBlt(dcColor.m_hDC, 0, 0, w, h, dcMask.m_hDC, 0, 0, SRCAND);
  const COLORREF clrOldBack = ::SetBkColor(hDest, RGB(255, 255, 255));
  const COLORREF clrOldText = ::SetTextColor(hDest, RGB(0, 0, 0));
  ::BitBlt(hDest, x, y, w, h, dcMask.m_hDC, 0, 0, SRCAND);
  ::BitBlt(hDest, x, y, w, h, dcColor.m_hDC, 0, 0, SRCPAINT);
  ::SetBkColor(hDest, clrOldBack);
  ::SetTextColor(hDest, clrOldText);
  ::SelectObject(dcColor.m_hDC, hOldColor);
  ::SelectObject(dcMask.m_hDC, hOldMask);
}

HICON CExtPaintManager::CreateTextIcon(COLORREF clrText, HFONT hFont, LPCSTR sText) {
  const LPCSTR s = sText != NULL ? sText : "";
  // The picture is the text in its colour on black, the mask the text in black on white: only the
  // text is opaque, and it shows in its colour.
  return CreateIcon16([&](CDC& dcColor, CDC& dcMask) {
    RECT rc = {0, 0, 16, 16};
    for (CDC* pDC : {&dcColor, &dcMask}) {
      const HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(pDC->m_hDC, hFont) : NULL;
      ::SetBkMode(pDC->m_hDC, TRANSPARENT);
      ::PatBlt(pDC->m_hDC, 0, 0, 16, 16, pDC == &dcColor ? BLACKNESS : WHITENESS);
      ::SetTextColor(pDC->m_hDC, pDC == &dcColor ? clrText : RGB(0, 0, 0));
      ::DrawTextA(pDC->m_hDC, s, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (hOldFont != NULL)
        ::SelectObject(pDC->m_hDC, hOldFont);
    }
  });
}

void CExtPaintManager::PaintIcon(CDC& dc, IconPaintData& data) { PaintIconItem(*this, dc, data, false); }

void CExtPaintManagerXP::PaintIcon(CDC& dc, IconPaintData& data) { PaintIconItem(*this, dc, data, true); }

void CExtPaintManager::PaintComboBoxFace(CDC& dc, ComboBoxFacePaintData& d) {
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  RECT rc = d.faceRect;
  if (!d.enabled)
    ::InflateRect(&rc, -1, -2);
  const bool bHot = d.hover || d.pushed;
  if (!d.hasButton) {
    if (d.enabled && bHot)
      dc.Draw3dRect(&rc, C(COLOR_3DSHADOW), C(COLOR_3DHILIGHT));
    else if (!d.enabled)
      FrameRect1(dc, rc, C(COLOR_WINDOW));
  } else if (!d.enabled) {
    FrameRect1(dc, rc, C(COLOR_WINDOW));
    const COLORREF colors[2] = {0, C(COLOR_BTNTEXT)};
    PaintGlyphCentered(dc, ComboButtonPart(rc), GetNamedGlyph(NG_ARROW_DOWN_5X3), colors);
  } else {
    ComboButtonPaintData button(d.sourceObject, rc, d.hover, d.pushed, true);
    PaintComboDropDownButton(dc, button);
    // A sunken face with the edit part sunk once more inside it.
    dc.Draw3dRect(&rc, C(COLOR_3DSHADOW), C(COLOR_3DHILIGHT));
    RECT rcEdit = rc;
    rcEdit.right -= ::GetSystemMetrics(SM_CXHTHUMB);
    ::InflateRect(&rcEdit, -1, -1);
    dc.Draw3dRect(&rcEdit, C(COLOR_3DDKSHADOW), C(COLOR_3DFACE));
  }
  PaintComboFaceText(*this, dc, d, rc);
}

void CExtPaintManagerXP::PaintComboBoxFace(CDC& dc, ComboBoxFacePaintData& d) {
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bHot = d.hover || d.pushed;
  RECT rc = d.faceRect;
  rc.bottom += 1;
  if (bHot || !d.enabled)
    ::InflateRect(&rc, 1, 1);
  dc.FillSolidRect(&rc, C(d.enabled ? COLOR_WINDOW : COLOR_3DFACE));
  if (d.hasButton && d.enabled && bHot) {
    PushButtonPaintData button(d.sourceObject, true, ComboButtonPart(rc), "", NULL, true, d.hover, d.pushed,
                               false, true, true, false, false, 0);
    PaintPushButton(dc, button);
  }
  if (d.enabled && bHot)
    FrameRect1(dc, rc, C(2004));
  else if (!d.enabled)
    FrameRect1(dc, rc, C(2011));
  if (d.hasButton) {
    const COLORREF colors[2] = {0, C(d.pushed ? 2006 : d.enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW)};
    PaintGlyphCentered(dc, ComboButtonPart(rc), GetNamedGlyph(NG_ARROW_DOWN_5X3), colors);
  }
  PaintComboFaceText(*this, dc, d, rc);
}

void CExtPaintManager::PaintDatePickerBackground(CDC& dc, const RECT& rcOuter, const RECT& rcCalendar,
                                                 CObject* pHelperSrc, LPARAM lParam) {
  if (!dc.RectVisible(&rcOuter))
    return;
  bool bPainted = false;
  CWnd* pWnd =
      pHelperSrc != NULL && pHelperSrc->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pHelperSrc) : NULL;
  if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL && HasDockerBackground(pWnd, 0)) {
    const int nSaved = dc.SaveDC();
    ExcludeChildAreas(dc.m_hDC, pWnd->GetSafeHwnd(), FilterTransparentChild);
    bPainted = PaintDockerBackground(true, dc, pWnd, 0);
    dc.RestoreDC(nSaved);
  }
  if (!bPainted)
    dc.FillSolidRect(&rcOuter, ColorByLogicalId(1000, pHelperSrc, lParam));
  dc.FillSolidRect(&rcCalendar, ColorByLogicalId(COLOR_WINDOW, pHelperSrc, lParam));
}

void CExtPaintManager::PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR sText, CObject* pHelperSrc,
                                            LPARAM lParam) {
  PaintUndoRedoCaptionLook(*this, dc, rc, sText, pHelperSrc, lParam, true);
}

void CExtPaintManagerXP::PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR sText, CObject* pHelperSrc,
                                              LPARAM lParam) {
  PaintUndoRedoCaptionLook(*this, dc, rc, sText, pHelperSrc, lParam, false);
}

void CExtPaintManager::PaintIconTitleText(CDC& dc, const RECT& rc, LPCSTR sText) {
  LOGFONTA lf;
  if (!GetIconTitleFont(lf))
    return;
  lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
  lf.lfWeight = FW_BOLD;
  lf.lfHeight = 20;
  DrawPlacedText(dc, rc, sText, lf, ColorByLogicalId(COLOR_WINDOW), 0);
}

void CExtPaintManager::PaintScaledText(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset,
                                       bool bPushed, bool bRaised, bool) {
  LOGFONTA lf;
  if (!GetIconTitleFont(lf))
    return;
  lf.lfWeight = FW_BOLD;
  const COLORREF clr = ColorByLogicalId(bInset && bPushed && bRaised ? COLOR_WINDOW : COLOR_BTNTEXT);
  DrawPlacedText(dc, rc, sText, lf, clr, nIconWidth + ::MulDiv(nIconWidth, 1, 2));
}

void CExtPaintManager::PaintCaptionText(CDC& dc, const RECT& rc, LPCSTR sText) {
  LOGFONTA lf;
  if (GetIconTitleFont(lf))
    DrawPlacedText(dc, rc, sText, lf, ColorByLogicalId(COLOR_WINDOWTEXT), 0);
}
