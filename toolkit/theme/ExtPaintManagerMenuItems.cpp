// Menu items: the classic system-coloured row with raised and sunken icon boxes, and the XP row
// with its icon column, framed highlight and flat boxes (shared by Office 2003); the submenu
// arrow and the in-place edit field of a row.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

namespace {

const int kArrowBoxWidth = 16;

bool HasIcon(const MenuItemPaintData& d) { return d.icon != NULL && !d.icon->IsEmpty(); }

// The icon (or check) box of a row, centred in the icon column.
RECT IconBox(const MenuItemPaintData& d, bool bRtl) {
  int cx = 16, cy = 16;
  if (HasIcon(d)) {
    const SIZE size = d.icon->GetSize();
    cx = size.cx, cy = size.cy;
    if (cx <= 18 && cy < cx)
      cy = cx;
  }
  const RECT& rc = d.itemRect;
  int nLeft =
      bRtl ? rc.right - d.iconAreaWidth + (d.iconAreaWidth - cx) / 2 : rc.left + (d.iconAreaWidth - cx) / 2;
  if (d.centerIconBox)
    nLeft = bRtl ? rc.right - d.iconAreaWidth * 3 / 4 - cx / 2 + 2
                 : rc.left + d.iconAreaWidth * 3 / 4 - cx / 2 - 2;
  const int nTop = rc.top + (rc.bottom - rc.top - cy) / 2;
  return RECT{nLeft, nTop, nLeft + cx, nTop + cy};
}

// The check mark or radio bullet of a row without an icon, centred in the box.
void PaintMark(CDC& dc, const MenuItemPaintData& d, const RECT& rcBox, COLORREF clrInk) {
  const int x = rcBox.left + (rcBox.right - rcBox.left - 7) / 2,
            y = rcBox.top + (rcBox.bottom - rcBox.top - 7) / 2;
  if (d.checkMark)
    CExtCmdIcon::PaintCheckMark(dc.m_hDC, x, y, clrInk);
  else
    CExtCmdIcon::PaintRadioBullet(dc.m_hDC, x, y, clrInk);
}

// The edit field's rectangle inside editRect and its drop-down part (empty without a submenu).
void EditFieldParts(const MenuItemPaintData& d, bool bRtl, RECT& rcField, RECT& rcDrop) {
  rcField = d.editRect;
  rcField.left += 2, rcField.right -= 2, rcField.bottom -= 2, rcField.top += 3;
  ::SetRectEmpty(&rcDrop);
  if (!d.popup)
    return;
  rcDrop = rcField;
  const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
  if (bRtl)
    rcDrop.right = rcDrop.left + cxThumb;
  else
    rcDrop.left = rcDrop.right - cxThumb;
}

// The edit field's text in the row's font (the normal one when the row has none).
void PaintEditText(CDC& dc, const MenuItemPaintData& d, RECT rc, COLORREF clr, const CFont& fontNormal) {
  if (d.editText.IsEmpty())
    return;
  ::SelectObject(dc.m_hDC, d.font != NULL ? (HGDIOBJ)d.font : fontNormal.m_hObject);
  rc.left += 5;
  dc.SetTextColor(clr);
  ::DrawTextA(dc.m_hDC, d.editText, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// The field without its drop-down part.
RECT WithoutDropPart(RECT rc, const RECT& rcDrop, bool bRtl) {
  if (!::IsRectEmpty(&rcDrop))
    (bRtl ? rc.left : rc.right) = bRtl ? rcDrop.right : rcDrop.left;
  return rc;
}

} // namespace

void CExtPaintManager::PaintMenuItemText(CDC& dc, const MenuItemPaintData& d, const RECT& rcText,
                                         COLORREF clrText, bool bClassic) {
  const bool bRtl = d.IsRightToLeft();
  const HFONT hFont = d.font != NULL ? d.font : (HFONT)m_FontNormal.m_hObject;
  if (hFont != NULL)
    ::SelectObject(dc.m_hDC, hFont);
  dc.SetTextColor(clrText);
  const UINT nFormat = DT_SINGLELINE | (bRtl ? DT_RTLREADING | DT_RIGHT : 0);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  // Draws one text with its far edge at the text area's far edge (the caption: its near edge at
  // the near edge), centred vertically.
  auto draw = [&](LPCSTR sText, bool bFarEdge) {
    RECT rcMeasure = {0, 0, 0, 0};
    ::DrawTextA(dc.m_hDC, sText, -1, &rcMeasure, DT_SINGLELINE | DT_CALCRECT);
    const int cx = rcMeasure.right, cy = rcMeasure.bottom;
    RECT rc = rcText;
    rc.top += (rcText.bottom - rcText.top - cy) / 2;
    rc.bottom = rc.top + cy;
    if (bFarEdge)
      (bRtl ? rc.right : rc.left) = bRtl ? rc.left + cx : rc.right - cx;
    if (bClassic && !bRtl) {
      ::DrawStateA(dc.m_hDC, NULL, NULL, (LPARAM)sText, 0, rc.left, rc.top, rc.right - rc.left, cy,
                   DST_PREFIXTEXT | (d.enabled ? 0 : DSS_DISABLED));
      return;
    }
    if (bClassic && !d.enabled) {
      RECT rcLight = rc;
      ::OffsetRect(&rcLight, 1, 1);
      dc.SetTextColor(C(COLOR_3DHILIGHT));
      ::DrawTextA(dc.m_hDC, sText, -1, &rcLight, nFormat);
      dc.SetTextColor(C(COLOR_3DSHADOW));
    }
    ::DrawTextA(dc.m_hDC, sText, -1, &rc, nFormat);
    dc.SetTextColor(clrText);
  };
  if (*d.text != '\0')
    draw(d.text, false);
  if (*d.accelText != '\0')
    draw(d.accelText, true);
}

void CExtPaintManager::PaintMenuItemArrow(CDC& dc, const MenuItemPaintData& d, COLORREF clrArrow,
                                          bool bClassic) {
  if (!d.popup)
    return;
  const bool bRtl = d.IsRightToLeft();
  RECT rcBox = d.itemRect;
  ::InflateRect(&rcBox, -3, -3);
  if (bRtl)
    rcBox.right = rcBox.left + kArrowBoxWidth;
  else
    rcBox.left = rcBox.right - kArrowBoxWidth;
  if (d.glyphArrow) {
    GlyphBuffer glyph = GetNamedGlyph(d.splitPopup ? NG_SUBMENU_SPLIT_12X16 : NG_SUBMENU_ARROW_12X16);
    if (bRtl)
      glyph.RotateGlyph(180);
    const COLORREF colors[2] = {0, clrArrow};
    PaintGlyphCentered(dc, rcBox, glyph, colors);
    return;
  }
  COLORREF clrText = clrArrow;
  if (d.splitPopup) {
    if (bClassic) {
      if (d.rarelyUsed)
        dc.FillRect(&rcBox, &m_brushLightDefault);
      else
        dc.FillSolidRect(&rcBox, ColorByLogicalId(1000, d.sourceObject, d.lParam));
      if (d.selected)
        clrText = ColorByLogicalId(COLOR_BTNTEXT, d.sourceObject, d.lParam);
    }
    const int xEdge = bRtl ? rcBox.right : rcBox.left;
    const RECT rcSeparator = {xEdge - 1, rcBox.top, xEdge + 1, rcBox.bottom};
    PaintSeparator(dc, rcSeparator, true, true, d.sourceObject, d.lParam);
  }
  ::OffsetRect(&rcBox, bRtl ? 2 : -2, 0);
  ::SelectObject(dc.m_hDC, m_FontMarlett.m_hObject);
  dc.SetTextColor(clrText);
  ::DrawTextA(dc.m_hDC, bRtl ? "3" : "4", 1, &rcBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CExtPaintManager::PaintMenuItem(CDC& dc, MenuItemPaintData& d) {
  if (::IsRectEmpty(&d.itemRect))
    return;
  const bool bRtl = d.IsRightToLeft();
  CExtDcTextState state(dc);
  dc.SetBkMode(TRANSPARENT);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  dc.FillSolidRect(&d.backRect, C(1000));
  const COLORREF clrBack = C(d.selected ? COLOR_HIGHLIGHT : 1000),
                 clrText = C(d.selected ? COLOR_HIGHLIGHTTEXT : 1010);
  const RECT& rc = d.itemRect;
  if (d.rarelyUsed) {
    dc.FillRect(&rc, &m_brushLightDefault);
    if (!d.rarelyUsedAbove)
      dc.FillSolidRect(rc.left, rc.top, rc.right - rc.left, 1, C(COLOR_3DSHADOW));
    if (!d.rarelyUsedBelow)
      dc.FillSolidRect(rc.left, rc.bottom - 1, rc.right - rc.left, 1, C(COLOR_3DHILIGHT));
  }
  // A row with a box keeps its icon column out of the highlight.
  const bool bBox = HasIcon(d) || d.checkMark || d.radio;
  RECT rcText = rc;
  auto takeColumn = [&] {
    (bRtl ? rcText.right : rcText.left) += bRtl ? -(d.iconAreaWidth + 1) : d.iconAreaWidth + 1;
  };
  if (bBox)
    takeColumn();
  if (d.selected || !d.rarelyUsed)
    dc.FillSolidRect(&rcText, clrBack);
  if (!bBox)
    takeColumn();
  ::InflateRect(&rcText, -6, -3);
  PaintMenuItemText(dc, d, rcText, clrText, true);
  PaintMenuItemArrow(dc, d, clrText, true);

  const RECT rcBox = IconBox(d, bRtl);
  RECT rcFrame = rcBox;
  ::InflateRect(&rcFrame, 2, 2);
  if (d.checkMark || d.radio)
    dc.FillRect(&rcFrame, &m_brushLightDefault);
  if (HasIcon(d)) {
    const POINT pt = {rcBox.left, rcBox.top};
    d.icon->Paint(dc.m_hDC, &pt, d.enabled ? CExtCmdIcon::PaintNormal : CExtCmdIcon::PaintDisabled, NULL);
    if (d.selected && d.enabled && !d.checkMark && !d.radio)
      dc.Draw3dRect(&rcFrame, C(1004), C(1006));
  } else {
    PaintDropDownArrow(dc, d.sysCommandId, rcBox, false, false, d.enabled);
  }
  if (d.checkMark || d.radio) {
    if (!HasIcon(d))
      PaintMark(dc, d, rcBox, C(1010));
    const bool bRaised = d.centerIconBox && d.secondCheckLayout;
    dc.Draw3dRect(&rcFrame, C(bRaised ? 1004 : 1006), C(bRaised ? 1006 : 1004));
  }

  if (::IsRectEmpty(&d.editRect))
    return;
  RECT rcField, rcDrop;
  EditFieldParts(d, bRtl, rcField, rcDrop);
  dc.FillSolidRect(&rcField, C(d.enabled ? COLOR_WINDOW : COLOR_3DFACE));
  if (d.popup) {
    if (d.enabled) {
      ComboButtonPaintData combo(d.sourceObject, rcField, d.selected && d.editHot, false, true);
      PaintComboDropDownButton(dc, combo);
    } else {
      PaintRing(dc, rcDrop, C(COLOR_WINDOW));
      const COLORREF colors[2] = {0, C(COLOR_BTNTEXT)};
      PaintGlyphCentered(dc, rcDrop, GetNamedGlyph(NG_ARROW_DOWN_5X3), colors);
    }
  }
  PaintRing(dc, rcField, C(COLOR_3DFACE));
  RECT rcInner = rcField;
  ::InflateRect(&rcInner, -1, -1);
  if (d.selected)
    dc.Draw3dRect(&rcInner, C(COLOR_3DSHADOW), C(COLOR_3DHILIGHT));
  else if (!d.enabled)
    PaintRing(dc, rcInner, C(COLOR_WINDOW));
  PaintEditText(dc, d, WithoutDropPart(rcInner, rcDrop, bRtl),
                C(d.enabled ? COLOR_WINDOWTEXT : COLOR_3DSHADOW), m_FontNormal);
}

void CExtPaintManagerXP::PaintMenuIconColumn(CDC& dc, const MenuItemPaintData& d, const RECT& rcColumn) {
  // Three ids per kind of row: the column runs from the first through the third to the second.
  const int* pIds = m_arrGradientIdsButton + (d.rarelyUsed ? 3 : 0);
  if (GetScreenBitsPerPixel() > 8 && pIds[0] >= 0 && pIds[1] >= 0 && pIds[2] >= 0) {
    const COLORREF clrFrom = ColorByLogicalId(pIds[0], d.sourceObject, d.lParam),
                   clrTo = ColorByLogicalId(pIds[1], d.sourceObject, d.lParam),
                   clrMiddle = ColorByLogicalId(pIds[2], d.sourceObject, d.lParam);
    const bool bRtl = d.IsRightToLeft();
    RECT rcNear = rcColumn, rcFar = rcColumn;
    rcNear.right = rcFar.left = rcColumn.left + (rcColumn.right - rcColumn.left) / 2;
    PaintGradientRect(dc, rcNear, bRtl ? clrTo : clrFrom, clrMiddle, false);
    PaintGradientRect(dc, rcFar, clrMiddle, bRtl ? clrFrom : clrTo, false);
    return;
  }
  dc.FillSolidRect(&rcColumn, ColorByLogicalId(d.rarelyUsed ? 2005 : 1000, d.sourceObject, d.lParam));
}

void CExtPaintManagerXP::PaintMenuEditField(CDC& dc, const MenuItemPaintData& d, bool bRtl) {
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  RECT rcField, rcDrop;
  EditFieldParts(d, bRtl, rcField, rcDrop);
  const RECT rcInner = WithoutDropPart(rcField, rcDrop, bRtl);
  if (d.popup) {
    PushButtonPaintData button(d.sourceObject, true, rcDrop, "", NULL, true, d.selected && d.editHot, false,
                               false, d.enabled, true, false, false, 0);
    PaintPushButton(dc, button);
    const COLORREF colors[2] = {0, C(d.enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW)};
    PaintGlyphCentered(dc, rcDrop, GetNamedGlyph(NG_ARROW_DOWN_5X3), colors);
  }
  dc.FillSolidRect(&rcInner, C(d.enabled ? COLOR_WINDOW : COLOR_3DFACE));
  PaintRing(dc, rcField, C(d.selected && d.enabled ? 2004 : 2011));
  PaintEditText(dc, d, rcInner, C(d.enabled ? COLOR_WINDOWTEXT : COLOR_3DSHADOW), m_FontNormal);
}

void CExtPaintManagerXP::PaintMenuItem(CDC& dc, MenuItemPaintData& d) {
  if (::IsRectEmpty(&d.itemRect))
    return;
  const bool bRtl = d.IsRightToLeft();
  CExtDcTextState state(dc);
  dc.SetBkMode(TRANSPARENT);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const RECT& rc = d.itemRect;
  dc.FillSolidRect(&d.backRect, C(2001));
  RECT rcColumn = rc;
  (bRtl ? rcColumn.left : rcColumn.right) = bRtl ? rc.right - d.iconAreaWidth : rc.left + d.iconAreaWidth;
  if (!d.noIconColumn)
    PaintMenuIconColumn(dc, d, rcColumn);
  if (d.selected) {
    dc.FillSolidRect(&rc, C(1001));
    PaintRing(dc, rc, C(2004));
  }
  RECT rcText = rc;
  (bRtl ? rcText.right : rcText.left) = bRtl ? rcColumn.left : rcColumn.right;
  ::InflateRect(&rcText, -3, -1);
  (bRtl ? rcText.right : rcText.left) += bRtl ? -5 : 5;
  const COLORREF clrText = d.enabled ? C(1010) : C(COLOR_3DSHADOW);
  PaintMenuItemText(dc, d, rcText, clrText, false);
  PaintMenuItemArrow(dc, d, clrText, false);

  const RECT rcBox = IconBox(d, bRtl);
  if (d.checkMark || d.radio) {
    RECT rcFrame = rcBox;
    ::InflateRect(&rcFrame, 2, 2);
    COLORREF clr1, clr2;
    if (GetButtonGradient(d.selected, true, clr1, clr2, d.sourceObject, d.lParam))
      PaintGradientRect(dc, rcFrame, clr1, clr2, true);
    else
      dc.FillSolidRect(&rcFrame, C(d.selected ? 2003 : 1001));
    PaintRing(dc, rcFrame, C(2004));
    if (!HasIcon(d))
      PaintMark(dc, d, rcBox, C(1010));
  }
  if (HasIcon(d)) {
    RECT rcUnused;
    PaintColorSample(dc, true, "", d.icon, rcBox, rcUnused, false, d.enabled, d.selected, 4, bRtl,
                     (COLORREF)-1);
  } else {
    PaintDropDownArrow(dc, d.sysCommandId, rcBox, d.selected, false, d.enabled);
  }
  if (!::IsRectEmpty(&d.editRect))
    PaintMenuEditField(dc, d, bRtl);
}
