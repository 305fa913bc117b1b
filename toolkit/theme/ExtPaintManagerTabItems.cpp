// Tab items: each theme picks the default colours and whether the icon shows; one shape routine
// draws the selected outline, the flat group box or the separator, then the icon and the text,
// horizontal or turned.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

namespace {

const int kContentInset = 2;
const int kIconTextGap = 3;
const int kVerticalTextMargin = 4;

// The icon shows when it has an image and the tab window does not turn item icons off.
CExtCmdIcon* ShownIcon(CExtCmdIcon* pIcon, CObject* pHelperSrc) {
  if (pIcon == NULL || pIcon->IsEmpty())
    return NULL;
  const auto* pTabWnd = dynamic_cast<const CExtTabWndSite*>(pHelperSrc);
  if (pTabWnd != NULL && (pTabWnd->GetTabWndStyle() & CExtTabWndSite::TAB_STYLE_NO_ICONS) != 0)
    return NULL;
  return pIcon;
}

void Fill(CDC& dc, int left, int top, int right, int bottom, COLORREF clr) {
  if (left < right && top < bottom)
    dc.FillSolidRect(left, top, right - left, bottom - top, clr);
}

// The outline of a selected item: three sides, open towards the strip's body; the light sides
// first so that the dark ones own the shared corners. Answers the inside left to fill.
RECT PaintSelectedOutline(CDC& dc, const RECT& r, bool bHorz, bool bTopLeft, COLORREF clrLight,
                          COLORREF clrDark) {
  RECT rcInside = r;
  if (bHorz && bTopLeft) {
    Fill(dc, r.left, r.top, r.left + 1, r.bottom, clrLight);
    Fill(dc, r.left, r.top, r.right, r.top + 1, clrLight);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, clrDark);
    rcInside = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom};
  } else if (bHorz) {
    Fill(dc, r.left, r.top, r.left + 1, r.bottom, clrLight);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, clrDark);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, clrDark);
    rcInside = RECT{r.left + 1, r.top, r.right - 1, r.bottom - 1};
  } else if (bTopLeft) {
    Fill(dc, r.left, r.top, r.right, r.top + 1, clrLight);
    Fill(dc, r.left, r.top, r.left + 1, r.bottom, clrLight);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, clrDark);
    rcInside = RECT{r.left + 1, r.top + 1, r.right, r.bottom - 1};
  } else {
    Fill(dc, r.left, r.top, r.right, r.top + 1, clrLight);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, clrDark);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, clrDark);
    rcInside = RECT{r.left, r.top + 1, r.right - 1, r.bottom - 1};
  }
  return rcInside;
}

} // namespace

void CExtPaintManager::PaintTabItem(CDC& dc, LPARAM, bool bTopLeft, bool bHorz, bool bSelected,
                                    bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                    bool bInvertedVerticalText, const RECT* pRcItem, int cxText, int cyText,
                                    CFont* pFont, LPCSTR sText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                                    LPARAM lParam, COLORREF clrText, COLORREF clrBk, COLORREF clrLight,
                                    COLORREF clrDark, COLORREF clrSeparator) {
  if (pRcItem == NULL)
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, pHelperSrc, lParam); };
  const bool bDarkText = bGroupedMode || bSelected;
  PaintTabItemShape(
      dc, bTopLeft, bHorz, bSelected, bCenteredText, bGroupedMode, bInGroupActive, bInvertedVerticalText,
      *pRcItem, cxText, cyText, pFont, sText, ShownIcon(pIcon, pHelperSrc),
      PickColor(clrText, C(bDarkText ? COLOR_BTNTEXT : COLOR_3DHILIGHT)), PickColor(clrBk, C(COLOR_3DFACE)),
      PickColor(clrLight, C(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DHILIGHT)),
      PickColor(clrDark, C(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DDKSHADOW)),
      PickColor(clrSeparator, C(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DLIGHT)));
}

void CExtPaintManagerXP::PaintTabItem(CDC& dc, LPARAM, bool bTopLeft, bool bHorz, bool bSelected,
                                      bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                      bool bInvertedVerticalText, const RECT* pRcItem, int cxText, int cyText,
                                      CFont* pFont, LPCSTR sText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                                      LPARAM lParam, COLORREF clrText, COLORREF clrBk, COLORREF clrLight,
                                      COLORREF clrDark, COLORREF clrSeparator) {
  if (pRcItem == NULL)
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, pHelperSrc, lParam); };
  const bool bDarkText = bGroupedMode || bSelected;
  PaintTabItemShape(dc, bTopLeft, bHorz, bSelected, bCenteredText, bGroupedMode, bInGroupActive,
                    bInvertedVerticalText, *pRcItem, cxText, cyText, pFont, sText,
                    ShownIcon(pIcon, pHelperSrc),
                    PickColor(clrText, C(bDarkText ? COLOR_BTNTEXT : COLOR_3DSHADOW)),
                    PickColor(clrBk, C(bGroupedMode ? COLOR_3DFACE : 2000)),
                    PickColor(clrLight, C(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DHILIGHT)),
                    PickColor(clrDark, C(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DDKSHADOW)),
                    PickColor(clrSeparator, C(COLOR_3DSHADOW)));
}

void CExtPaintManager::PaintTabItemShape(CDC& dc, bool bTopLeft, bool bHorz, bool bSelected,
                                         bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                         bool bInvertedVerticalText, const RECT& rcItem, int cxText,
                                         int cyText, CFont* pFont, LPCSTR sText, CExtCmdIcon* pIcon,
                                         COLORREF clrText, COLORREF clrBk, COLORREF clrLight,
                                         COLORREF clrDark, COLORREF clrSeparator) {
  CExtDcTextState state(dc);
  const UINT nOldAlign = dc.GetTextAlign();
  const RECT& r = rcItem;
  if (bGroupedMode) {
    RECT rcBox = r;
    if (bHorz)
      rcBox.right += 1, rcBox.top -= 2, rcBox.bottom += 2;
    else
      rcBox.bottom += 1, rcBox.left -= 2, rcBox.right += 2;
    dc.FillSolidRect(&rcBox, clrBk);
    if (clrLight != (COLORREF)-1 && clrDark != (COLORREF)-1)
      dc.Draw3dRect(&rcBox, clrLight, clrDark);
  } else if (bSelected) {
    const RECT rcInside = PaintSelectedOutline(dc, r, bHorz, bTopLeft, clrLight, clrDark);
    Fill(dc, rcInside.left, rcInside.top, rcInside.right, rcInside.bottom, clrBk);
  } else if (bHorz) {
    Fill(dc, r.right - 1, r.top + 2, r.right, r.bottom - 2, clrSeparator);
  } else {
    Fill(dc, r.left + 2, r.bottom - 1, r.right - 2, r.bottom, clrSeparator);
  }

  RECT rcContent = r;
  ::InflateRect(&rcContent, -kContentInset, -kContentInset);
  RECT rcText = rcContent;
  if (pIcon != NULL) {
    const SIZE size = pIcon->GetSize();
    RECT rcIcon;
    if (bHorz) {
      rcIcon.left = rcContent.left + 1;
      rcIcon.top = rcContent.top + (rcContent.bottom - rcContent.top - size.cy) / 2;
      rcText.left = rcIcon.left + size.cx + kIconTextGap;
    } else {
      rcIcon.left = rcContent.left + (rcContent.right - rcContent.left - size.cx) / 2;
      rcIcon.top = rcContent.top + 1;
      rcText.top = rcIcon.top + size.cy + kIconTextGap;
    }
    rcIcon.right = rcIcon.left + size.cx;
    rcIcon.bottom = rcIcon.top + size.cy;
    if (::IsRectEmpty(&rcText) && (!bGroupedMode || bInGroupActive)) {
      if (bHorz)
        ::OffsetRect(&rcIcon, rcContent.left + (rcContent.right - rcContent.left - size.cx) / 2 - rcIcon.left,
                     0);
      else
        ::OffsetRect(&rcIcon, 0,
                     rcContent.top + (rcContent.bottom - rcContent.top - size.cy) / 2 - rcIcon.top);
    }
    RECT rcFit;
    if (::IntersectRect(&rcFit, &rcIcon, &rcContent) && ::EqualRect(&rcFit, &rcIcon)) {
      // The sample places an icon before its caption a gap in and raises it for the hover
      // shadow; the offset brings it back onto the icon's own place.
      RECT rcSample = rcIcon, rcUnused;
      ::OffsetRect(&rcSample, -4, -1);
      PaintColorSample(dc, true, sText != NULL && *sText != '\0' ? sText : " ", pIcon, rcSample, rcUnused,
                       false, true, false, 0, false, (COLORREF)-1);
    }
  }

  if (sText != NULL && *sText != '\0' && !::IsRectEmpty(&rcText)) {
    dc.SetTextColor(clrText);
    dc.SetBkMode(TRANSPARENT);
    if (pFont != NULL && pFont->m_hObject != NULL)
      ::SelectObject(dc.m_hDC, pFont->m_hObject);
    else if (m_FontNormal.m_hObject != NULL)
      ::SelectObject(dc.m_hDC, m_FontNormal.m_hObject);
    if (bHorz) {
      ::DrawTextA(dc.m_hDC, sText, -1, &rcText,
                  DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | (bCenteredText ? DT_CENTER : 0));
    } else {
      // Turned text grows to one side of its baseline: half the text height back centres it.
      RECT rcPlace = rcText;
      ::OffsetRect(&rcPlace, bInvertedVerticalText ? cyText / 2 : -cyText / 2, 0);
      const int xMid = rcPlace.left + (rcPlace.right - rcPlace.left) / 2;
      POINT pt;
      if (bCenteredText) {
        dc.SetTextAlign(TA_BASELINE | TA_CENTER);
        pt = POINT{xMid, rcPlace.top + (rcPlace.bottom - rcPlace.top) / 2};
      } else {
        dc.SetTextAlign(TA_BASELINE);
        // Upward text starts at its bottom end; both directions keep the same margin at the top.
        pt = POINT{xMid, bInvertedVerticalText ? rcPlace.top + cxText + kVerticalTextMargin
                                               : rcPlace.top + kVerticalTextMargin};
      }
      ::ExtTextOutA(dc.m_hDC, pt.x, pt.y, ETO_CLIPPED, &rcText, sText, (UINT)lstrlenA(sText), NULL);
    }
  }
  dc.SetTextAlign(nOldAlign);
}
