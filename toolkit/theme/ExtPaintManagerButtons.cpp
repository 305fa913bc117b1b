// Push buttons: the classic 3-D face and the flat XP face (Office 2003 adds gradients), the
// drop-down arrow part, the icon placement, the caption and the focus rectangle; text measuring.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <string>

// The parts of one push button and the colours its look chose.
struct PushButtonLayout {
  bool bXp = false;
  bool bRtl = false;
  bool bPushedLook = false; // the arrow part looks pressed
  bool bPushedAny = false;  // content moves as pressed (XP: the arrow part's press counts too)
  RECT rcFrame = {}, rcContent = {}, rcWhole = {}, rcArrow = {};
  COLORREF clrFace = 0, clrText = 0, clrArrow = 0;
};

namespace {

const int kArrowPartExtent = 6 + 5; // gap and the arrow glyph
const int kIconGap = 3;

// Normalises the state bits and lays out the parts; false for an empty button.
bool LayOutPushButton(PushButtonPaintData& d, PushButtonLayout& lay, bool bXp) {
  if (::IsRectEmpty(&d.rect))
    return false;
  lay.bXp = bXp;
  lay.bRtl = d.IsRightToLeft();
  if (!d.enabled)
    d.hover = d.extraState = d.drawFocusRect = 0;
  if (!bXp && d.splitDropDown && (d.pushed || d.dropDownPushed))
    d.hover = 0;
  lay.bPushedLook = (d.pushed && !d.splitDropDown) || d.dropDownPushed;
  lay.bPushedAny = bXp ? (d.pushed || d.dropDownPushed) : d.pushed != 0;
  lay.rcFrame = lay.rcContent = lay.rcWhole = d.rect;
  if (!d.dropDown)
    return true;
  // The XP arrow part overlaps the content by one pixel so that their frames share a line.
  const int nOverlap = bXp ? 1 : 0;
  lay.rcArrow = d.rect;
  if (!d.horizontal) {
    lay.rcContent.bottom -= kArrowPartExtent;
    lay.rcArrow.top = lay.rcContent.bottom - nOverlap;
  } else if (lay.bRtl) {
    lay.rcContent.left += kArrowPartExtent;
    lay.rcArrow.right = lay.rcContent.left + nOverlap;
  } else {
    lay.rcContent.right -= kArrowPartExtent;
    lay.rcArrow.left = lay.rcContent.right - nOverlap;
  }
  if (d.splitDropDown)
    lay.rcFrame = lay.rcContent;
  return true;
}

// Where the icon goes in rc and what is left of it for the text; false without an icon.
bool PlaceIcon(bool bHorz, LPCSTR sCaption, const CExtCmdIcon* pIcon, const RECT& rc, RECT& rcText,
               UINT nAlign, bool bRtl, POINT& pt) {
  rcText = rc;
  if (pIcon == NULL || pIcon->IsEmpty())
    return false;
  const SIZE size = pIcon->GetSize();
  const int cx = size.cx, cy = size.cy, w = rc.right - rc.left, h = rc.bottom - rc.top;
  const bool bCaption = sCaption != NULL && *sCaption != '\0';
  // Value 2 without value 1 puts the icon after the caption (below it on vertical buttons).
  const bool bAfter = (nAlign & 2) != 0 && (nAlign & 1) == 0;
  pt = POINT{rc.left, rc.top};
  if (bHorz) {
    if (!bCaption) {
      pt.x = rc.left + (w - cx) / 2;
      if (bAfter)
        pt.y = rc.top + (h - cy) / 2;
    } else if (bAfter) {
      pt.x = bRtl ? rc.left + kIconGap : rc.right - cx - kIconGap;
      rcText.left += bRtl ? cx + kIconGap : kIconGap;
      rcText.right -= bRtl ? kIconGap : cx + kIconGap;
      pt.y = rc.top + (h - cy) / 2;
    } else if (bRtl) {
      pt.x = rc.right - cx - kIconGap;
      rcText.right -= cx + kIconGap;
    } else {
      pt.x = rc.left + kIconGap;
      rcText.left += cx + kIconGap;
    }
    if ((nAlign & 4) != 0)
      pt.y = rc.top + (h - cy) / 2;
  } else {
    if (!bCaption) {
      pt.y = rc.top + (h - cy) / 2;
    } else if (bAfter) {
      pt.y = rc.bottom - cy - kIconGap;
      rcText.bottom -= cy + kIconGap;
      pt.x = rc.left + (w - cx) / 2;
    } else {
      pt.y = rc.top + kIconGap;
      rcText.top += cy + kIconGap;
    }
    if ((nAlign & 4) != 0)
      pt.x = rc.left + (w - cx) / 2;
  }
  return true;
}

} // namespace

RECT CExtPaintManager::CalcTextExtent(CDC& dc, HFONT hFont, LPCSTR sText, UINT nFormat) {
  RECT rc = {0, 0, 0, 0};
  if (sText == NULL)
    return rc;
  nFormat |= DT_CALCRECT;
  if (std::string(sText).find('\t') != std::string::npos)
    nFormat |= DT_EXPANDTABS;
  const HGDIOBJ hOld = hFont != NULL ? ::SelectObject(dc.m_hDC, hFont) : NULL;
  ::DrawTextA(dc.m_hDC, sText, -1, &rc, nFormat);
  if (hOld != NULL)
    ::SelectObject(dc.m_hDC, hOld);
  ::OffsetRect(&rc, -rc.left, -rc.top);
  return rc;
}

int CExtPaintManager::GetTextWidth(CDC& dc, HFONT hFont, LPCSTR sText) {
  const RECT rc = CalcTextExtent(dc, hFont, sText, DT_SINGLELINE | DT_CALCRECT);
  return rc.right - rc.left;
}

void CExtPaintManager::PaintPushButton(CDC& dc, PushButtonPaintData& d) {
  PushButtonLayout lay;
  if (!LayOutPushButton(d, lay, false))
    return;
  CExtDcTextState state(dc);
  dc.SetBkMode(TRANSPARENT);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  lay.clrFace = PickColor(d.faceColor, C(d.hover || d.pushed ? 1001 : 1000));
  // A hovered, pressed part shows the light tint instead of the face.
  auto fill = [&](const RECT& rc, bool bPressed) {
    if (d.enabled && bPressed && d.hover && d.faceColor == (COLORREF)-1)
      dc.FillRect(&rc, &m_brushLightDefault);
    else
      dc.FillSolidRect(&rc, lay.clrFace);
  };
  if (!d.transparentBackground || d.faceColor != (COLORREF)-1) {
    fill(lay.rcFrame, d.pushed);
    if (d.dropDown)
      fill(lay.rcArrow, lay.bPushedLook);
  }
  if (d.dropDown && d.splitDropDown) {
    if (lay.bPushedLook) {
      if (!d.flat || d.drawBorder)
        dc.Draw3dRect(&lay.rcArrow, C(1007), C(1005));
    } else if (!d.flat || (d.hover && d.drawBorder)) {
      dc.Draw3dRect(&lay.rcArrow, C(1004), C(1006));
    }
  }
  if (d.pushed) {
    if (!d.flat || d.drawBorder)
      dc.Draw3dRect(&lay.rcFrame, C(1007), C(1005));
  } else if (d.flat) {
    if (d.hover && d.drawBorder)
      dc.Draw3dRect(&lay.rcFrame, C(1004), C(1006));
  } else {
    dc.Draw3dRect(&lay.rcFrame, C(1004), C(1006));
    if (d.hover) {
      dc.Draw3dRect(&lay.rcWhole, C(1006), C(1008));
      RECT rcInner = lay.rcFrame;
      ::InflateRect(&rcInner, -1, -1);
      dc.Draw3dRect(&rcInner, C(1004), C(1006));
    }
  }
  const COLORREF clrBtnText = C(COLOR_BTNTEXT);
  if (!d.enabled)
    lay.clrText = PickColor(d.textColorDisabled, C(COLOR_3DFACE));
  else if (d.pushed)
    lay.clrText = PickColor(d.textColorPushed, PickColor(d.hover ? d.textColorHover : (COLORREF)-1,
                                                         PickColor(d.textColorNormal, clrBtnText)));
  else if (d.hover)
    lay.clrText = PickColor(d.textColorHover, PickColor(d.textColorNormal, clrBtnText));
  else
    lay.clrText = PickColor(d.textColorNormal, clrBtnText);
  lay.clrArrow = C(d.enabled ? 1010 : 1006);
  PaintPushButtonSteps(dc, d, lay);
}

bool CExtPaintManagerXP::GetButtonGradient(bool bHover, bool bPushed, COLORREF& clr1, COLORREF& clr2,
                                           CObject* pHelperSrc, LPARAM lParam) {
  const int nPair = bHover && bPushed ? 4 : bPushed ? 2 : bHover ? 0 : -1;
  if (nPair < 0 || m_arrGradientIdsScheme[nPair] < 0 || m_arrGradientIdsScheme[nPair + 1] < 0)
    return false;
  clr1 = ColorByLogicalId(m_arrGradientIdsScheme[nPair], pHelperSrc, lParam);
  clr2 = ColorByLogicalId(m_arrGradientIdsScheme[nPair + 1], pHelperSrc, lParam);
  return true;
}

void CExtPaintManagerXP::PaintPushButton(CDC& dc, PushButtonPaintData& d) {
  PushButtonLayout lay;
  if (!LayOutPushButton(d, lay, true))
    return;
  CExtDcTextState state(dc);
  dc.SetBkMode(TRANSPARENT);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bPressed = d.pushed || d.dropDownPushed, bIdle = !d.hover && !bPressed;
  COLORREF clrMain, clrArrowFace;
  if (d.faceColor != (COLORREF)-1) {
    clrMain = clrArrowFace = d.faceColor;
  } else if (bIdle) {
    clrMain = clrArrowFace = C(d.flat ? 1000 : COLOR_3DFACE);
  } else {
    clrMain = clrArrowFace = C(1001);
    if (bPressed)
      (d.dropDownPushed ? clrArrowFace : clrMain) = C(d.hover ? 2003 : 1001);
    if (!d.hover && d.pushed && !d.dropDownPushed && d.splitDropDown)
      clrArrowFace = C(1000);
  }
  const COLORREF clrFrame = bIdle ? C(d.flat ? 2004 : COLOR_3DDKSHADOW) : C(2004);

  if (!d.transparentBackground || d.faceColor != (COLORREF)-1) {
    COLORREF clr1, clr2;
    if (d.faceColor == (COLORREF)-1 &&
        GetButtonGradient(d.hover, d.pushed, clr1, clr2, d.sourceObject, d.lParam))
      PaintGradientRect(dc, lay.rcFrame, d.horizontal ? clr1 : clr2, d.horizontal ? clr2 : clr1,
                        d.horizontal);
    else
      dc.FillSolidRect(&lay.rcFrame, clrMain);
  }
  if (d.dropDown) {
    const bool bFillArrow =
        d.faceColor != (COLORREF)-1 || (!d.transparentBackground && (d.hover || d.dropDownPushed));
    if (bFillArrow)
      dc.FillSolidRect(&lay.rcArrow, clrArrowFace);
    if (d.splitDropDown &&
        (lay.bPushedLook ? (!d.flat || d.drawBorder) : (!d.flat || (d.hover && d.drawBorder))))
      PaintRing(dc, lay.rcArrow, clrFrame);
  }
  if (!bPressed) {
    if (!d.flat) {
      PaintRing(dc, lay.rcFrame, clrFrame);
      if (d.hover)
        PaintRing(dc, lay.rcWhole, clrFrame);
    } else if (d.hover && d.drawBorder) {
      PaintRing(dc, lay.rcFrame, clrFrame);
    }
  } else if (!d.flat || d.drawBorder) {
    PaintRing(dc, lay.rcFrame, clrFrame);
  }

  lay.clrFace = clrMain;
  if (!d.enabled)
    lay.clrText = PickColor(d.textColorDisabled, C(COLOR_3DSHADOW));
  else if (d.hover && d.pushed)
    lay.clrText = PickColor(d.textColorPushed, PickColor(d.textColorNormal, C(2006)));
  else
    lay.clrText = PickColor(d.textColorNormal, C(COLOR_BTNTEXT));
  lay.clrArrow = C(d.enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW);
  PaintPushButtonSteps(dc, d, lay);
}

void CExtPaintManager::PaintPushButtonSteps(CDC& dc, PushButtonPaintData& d, const PushButtonLayout& lay) {
  if (d.dropDown) {
    RECT rc = lay.rcArrow;
    if (lay.bPushedLook) {
      const CSize offset = GetPushedOffset();
      ::OffsetRect(&rc, offset.cx, offset.cy);
    }
    // Keeps the arrow on the same pixel column as in left-to-right layout.
    if (lay.bRtl && (((rc.right - rc.left) & 1) != 0) != lay.bXp)
      rc.right += 1;
    const COLORREF colors[2] = {0, lay.clrArrow};
    PaintGlyphCentered(dc, rc, GetNamedGlyph(d.horizontal ? NG_ARROW_DOWN_5X3 : NG_ARROW_RIGHT_3X5), colors);
  }
  RECT rcText = lay.rcContent;
  if (!::IsRectEmpty(&lay.rcContent)) {
    if (d.icon != NULL && !d.icon->IsEmpty()) {
      PaintColorSample(dc, d.horizontal, d.text, d.icon, lay.rcContent, rcText, lay.bPushedAny, d.enabled,
                       d.hover, d.alignment, d.rightToLeft && d.horizontal, d.iconDisabledColor);
      if (d.horizontal && dynamic_cast<CExtPopupMenuSite*>(d.sourceObject) != NULL)
        (lay.bRtl ? rcText.right : rcText.left) += lay.bRtl ? -3 : 3;
    } else {
      const int nInset = lay.bXp ? 3 : 2;
      if (d.horizontal)
        ::InflateRect(&rcText, -nInset, 0);
      else
        ::InflateRect(&rcText, 0, -nInset);
      PaintDropDownArrow(dc, d.sysCommandId, lay.rcContent, false, lay.bPushedAny, d.enabled);
    }
  }
  if (!::IsRectEmpty(&rcText) && *d.text != '\0')
    PaintPushButtonText(dc, d, lay, rcText);
  if (d.drawFocusRect) {
    RECT rcFocus = lay.rcContent;
    ::InflateRect(&rcFocus, -3, -3);
    dc.DrawFocusRect(&rcFocus);
  }
}

void CExtPaintManager::PaintPushButtonText(CDC& dc, const PushButtonPaintData& d, const PushButtonLayout& lay,
                                           RECT rcText) {
  if (lay.bPushedAny) {
    const CSize offset = GetPushedOffset();
    ::OffsetRect(&rcText, offset.cx, offset.cy);
  }
  dc.SetBkColor(lay.clrFace);
  dc.SetTextColor(lay.clrText);
  CExtTempFont fontTurned;
  HFONT hFont = d.font;
  if (hFont != NULL && !d.horizontal) {
    LOGFONTA lf = {};
    if (::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf) && lf.lfEscapement == 0) {
      lf.lfEscapement = lf.lfOrientation = 2700;
      hFont = fontTurned.Create(lf);
    }
  } else if (hFont == NULL) {
    CFont& font = d.horizontal ? (d.defaultButton ? m_FontBold : m_FontNormal)
                               : (d.defaultButton ? m_FontBoldVert : m_FontNormalVert);
    hFont = (HFONT)font.m_hObject;
  }
  if (hFont != NULL)
    ::SelectObject(dc.m_hDC, hFont);

  const std::string sCaption = d.text;
  const size_t nMnemonic = sCaption.find('&');
  std::string sMeasure = sCaption;
  if (nMnemonic != std::string::npos)
    sMeasure.erase(nMnemonic, 1);
  UINT nFormat = (lay.bRtl || d.rtlReading) ? DT_RTLREADING : 0;
  nFormat |= d.wordBreak ? DT_WORDBREAK : DT_SINGLELINE;
  const int w = rcText.right - rcText.left, h = rcText.bottom - rcText.top;
  RECT rcMeasure = {0, 0, d.wordBreak ? w : 0, 0};
  ::DrawTextA(dc.m_hDC, sMeasure.c_str(), -1, &rcMeasure, nFormat | DT_CALCRECT);
  const int cxText = rcMeasure.right - rcMeasure.left, cyText = rcMeasure.bottom - rcMeasure.top;
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bEmboss = !lay.bXp && !d.enabled && d.textColorDisabled == (COLORREF)-1;

  if (d.horizontal) {
    ::OffsetRect(&rcText, (d.textAlign & 1) != 0 ? (w - cxText) / 2 : 0,
                 (d.textAlign & 4) != 0 ? (h - cyText) / 2 : 0);
    if (bEmboss && !d.noDisabledEmboss) {
      RECT rcLight = rcText;
      ::OffsetRect(&rcLight, 1, 1);
      dc.SetTextColor(C(COLOR_3DHILIGHT));
      ::DrawTextA(dc.m_hDC, sCaption.c_str(), -1, &rcLight, nFormat);
      dc.SetTextColor(C(COLOR_3DSHADOW));
    }
    ::DrawTextA(dc.m_hDC, sCaption.c_str(), -1, &rcText, nFormat);
    return;
  }

  // Turned text runs downwards with the glyphs' tops to the right: its cell lies left of x.
  LOGFONTA lf = {};
  ::GetObjectA(hFont, sizeof(lf), &lf);
  const int nFontHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  const int x = rcText.left + (w + nFontHeight) / 2;
  const int y = rcText.top + ((d.textAlign & 1) != 0 ? (h - cxText) / 2 : 0);
  int nUnderlineFrom = 0, nUnderlineTo = 0;
  if (nMnemonic != std::string::npos && nMnemonic < sMeasure.size()) {
    nUnderlineFrom = GetTextWidth(dc, hFont, sMeasure.substr(0, nMnemonic).c_str());
    nUnderlineTo = GetTextWidth(dc, hFont, sMeasure.substr(0, nMnemonic + 1).c_str());
  }
  auto draw = [&](int dx, int dy, COLORREF clr) {
    RECT rc = {x + dx, y + dy, x + dx + cxText, y + dy + nFontHeight};
    dc.SetTextColor(clr);
    ::DrawTextA(dc.m_hDC, sMeasure.c_str(), -1, &rc, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    if (nUnderlineTo <= nUnderlineFrom)
      return;
    // The underline runs beside the character on the glyphs' foot side.
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    const HGDIOBJ hOldPen = ::SelectObject(dc.m_hDC, pen.m_hObject);
    const int xLine = x + dx - nFontHeight + 2;
    dc.MoveTo(xLine, y + dy + nUnderlineFrom);
    dc.LineTo(xLine, y + dy + nUnderlineTo);
    ::SelectObject(dc.m_hDC, hOldPen);
  };
  if (bEmboss) {
    draw(1, 1, C(COLOR_3DHILIGHT));
    draw(0, 0, C(COLOR_3DSHADOW));
  } else {
    draw(0, 0, lay.clrText);
  }
}

void CExtPaintManager::PaintColorSample(CDC& dc, bool bHorz, LPCSTR sCaption, CExtCmdIcon* pIcon,
                                        const RECT& rcContent, RECT& rcText, bool bPushed, bool bEnabled,
                                        bool, UINT nAlignment, bool bRightToLeft, COLORREF clrIconDisabled) {
  POINT pt;
  if (!PlaceIcon(bHorz, sCaption, pIcon, rcContent, rcText, nAlignment, bRightToLeft, pt))
    return;
  if (bPushed) {
    const CSize offset = GetPushedOffset();
    pt.x += offset.cx, pt.y += offset.cy;
  }
  CBrush brush;
  if (!bEnabled && clrIconDisabled != (COLORREF)-1)
    brush.CreateSolidBrush(clrIconDisabled);
  pIcon->Paint(dc.m_hDC, &pt, bEnabled ? CExtCmdIcon::PaintNormal : CExtCmdIcon::PaintDisabled,
               (HBRUSH)brush.m_hObject);
}

void CExtPaintManagerXP::PaintColorSample(CDC& dc, bool bHorz, LPCSTR sCaption, CExtCmdIcon* pIcon,
                                          const RECT& rcContent, RECT& rcText, bool bPushed, bool bEnabled,
                                          bool bHover, UINT nAlignment, bool bRightToLeft,
                                          COLORREF clrIconDisabled) {
  POINT pt;
  if (!PlaceIcon(bHorz, sCaption, pIcon, rcContent, rcText, nAlignment, bRightToLeft, pt))
    return;
  if (bPushed) {
    const CSize offset = GetPushedOffset();
    pt.x += offset.cx, pt.y += offset.cy;
  }
  // XP raises a hovered icon over its shadow; the room for that is kept in every state.
  const bool bHoverShadow = (m_nXpStyleBits & XPS_FLAT_XP) != 0;
  if (bHoverShadow)
    pt.x += bRightToLeft ? -1 : 1, pt.y += 1;
  if (!bEnabled) {
    CBrush brush;
    brush.CreateSolidBrush(PickColor(clrIconDisabled, ColorByLogicalId(2002)));
    COLORREF clrKnown = clrIconDisabled;
    if (clrIconDisabled == (COLORREF)-1) {
      clrKnown = GetDisabledIconColor();
      if (clrKnown != (COLORREF)-1) {
        if (pIcon->GetDisabledColor() != (int)clrKnown)
          pIcon->SetDisabledColor((int)clrKnown);
        if (pIcon->GetDisabledFactor() != GetDisabledIconFactor())
          pIcon->SetDisabledFactor(GetDisabledIconFactor());
      }
    }
    pIcon->Paint(dc.m_hDC, &pt,
                 clrKnown != (COLORREF)-1 ? CExtCmdIcon::PaintDisabledGenerated : CExtCmdIcon::PaintMono,
                 (HBRUSH)brush.m_hObject);
  } else if (bHoverShadow && bHover && !bPushed) {
    CBrush shadow;
    shadow.CreateSolidBrush(PickColor(clrIconDisabled, ColorByLogicalId(COLOR_3DSHADOW)));
    pIcon->Paint(dc.m_hDC, &pt, CExtCmdIcon::PaintMono, (HBRUSH)shadow.m_hObject);
    const POINT ptRaised = {pt.x - 2, pt.y - 2};
    pIcon->Paint(dc.m_hDC, &ptRaised, CExtCmdIcon::PaintNormal, NULL);
  } else {
    pIcon->Paint(dc.m_hDC, &pt, CExtCmdIcon::PaintNormal, NULL);
  }
}

void CExtPaintManager::PaintDatePickerPushButton(CDC& dc, const RECT& rc, int, LPCSTR sText, bool bFlat,
                                                 bool bDrawBorder, bool bPushed, bool bHover,
                                                 CObject* pHelperSrc, LPARAM lParam) {
  PushButtonPaintData data(pHelperSrc, true, rc, sText, NULL, bFlat, bHover, bPushed, false, true,
                           bDrawBorder, false, false, 1);
  data.lParam = lParam;
  PaintPushButton(dc, data);
}
