// The tip window's shape, place and painting: the balloon with its tail or the rectangle with its
// shadow, flipped where the work area has no room for it and kept inside it.
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

// One line, shown as written: a file name with '&' in it keeps it.
const UINT kTextFlags = DT_SINGLELINE | DT_NOPREFIX;
const int kRectGapAbove = 3;   // between a rectangle tip shown above and its hover rectangle
const int kTailInset = 12;     // the tail's point from the balloon's side, clear of the round corner
const int kShadowDarkest = 70; // the rectangle tip's shadow factors
const int kShadowLightest = 95;

HFONT TipFont() {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  if (pPM != NULL && pPM->m_FontNormal.GetSafeHandle() != NULL)
    return (HFONT)pPM->m_FontNormal.GetSafeHandle();
  return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

COLORREF TipTextColor() {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  return pPM != NULL ? pPM->ColorByLogicalId(COLOR_INFOTEXT) : ::GetSysColor(COLOR_INFOTEXT);
}

// The size of the cursor's picture; empty when there is none. Without the large-cursor flag it
// counts at most 16 by 16, as the system's cursors then are.
CSize CursorImageSize() {
  CURSORINFO info = {};
  info.cbSize = sizeof(info);
  HCURSOR hCursor = ::GetCursorInfo(&info) ? info.hCursor : NULL;
  if (hCursor == NULL)
    hCursor = ::GetCursor();
  ExtIconInfo_t iconInfo;
  BITMAP bm = {};
  if (hCursor == NULL || !::GetIconInfo(hCursor, &iconInfo))
    return CSize(0, 0);
  const bool bColor = iconInfo.hbmColor != NULL;
  if (::GetObjectA(bColor ? iconInfo.hbmColor : iconInfo.hbmMask, sizeof(bm), &bm) == 0)
    return CSize(0, 0);
  // A monochrome cursor's mask holds its AND and XOR halves one above the other.
  CSize size(bm.bmWidth, bColor ? bm.bmHeight : bm.bmHeight / 2);
  if ((g_PaintManagerHolder.m_nOsFlagsB & CExtPaintManagerHolder::OSB_NT_AFTER_2000) == 0) {
    size.cx = std::min<int>(size.cx, 16);
    size.cy = std::min<int>(size.cy, 16);
  }
  return size;
}

void DrawTipIcon(CDC& dc, CExtCmdIcon& icon, int x, int y, int cx, int cy) {
  const HICON hIcon = icon.GetIcon(false);
  if (hIcon != NULL)
    ::DrawIconEx(dc.GetSafeHdc(), x, y, hIcon, cx, cy, 0, NULL, DI_NORMAL);
}

} // namespace

CPoint CExtPopupMenuTipWnd::TailPoint(const CSize& size) const {
  return CPoint((m_nPlacementFlags & PLACE_FLIPPED_H) != 0 ? size.cx - 1 - kTailInset : kTailInset,
                (m_nPlacementFlags & PLACE_FLIPPED_V) != 0 ? size.cy - 1 : 0);
}

CRect CExtPopupMenuTipWnd::BalloonBodyRect(const CSize& size) const {
  // The tail stands on the side of the body that faces the anchor.
  if ((m_nPlacementFlags & PLACE_FLIPPED_V) != 0)
    return CRect(0, 0, size.cx, size.cy - m_cyTail);
  return CRect(0, m_cyTail, size.cx, size.cy);
}

CRect CExtPopupMenuTipWnd::CalcTipRect(const CSize& size, const RECT& rcWorkArea) const {
  const bool bFlipH = (m_nPlacementFlags & PLACE_FLIPPED_H) != 0;
  const bool bFlipV = (m_nPlacementFlags & PLACE_FLIPPED_V) != 0;
  CPoint pt;
  if (IsBalloon()) {
    // The tail points at the anchor, a little inside the hover rectangle's top-left corner.
    const CPoint ptAnchor(m_rcArea.left + m_nAnchorInset / 2, m_rcArea.top + m_nAnchorInset / 2);
    const CPoint ptTail = TailPoint(size);
    pt = CPoint(ptAnchor.x - ptTail.x, ptAnchor.y - ptTail.y);
  } else if (m_nStyle == TIP_RECT_ABOVE || m_nStyle == TIP_RECT_ABOVE_NO_ICON) {
    pt.x = m_rcArea.CenterPoint().x - (bFlipH ? size.cx : 0);
    pt.y = bFlipV ? m_rcArea.bottom + m_nRectGapBelow : m_rcArea.top - size.cy - kRectGapAbove;
  } else {
    POINT ptCursor;
    const CSize sizeCursor = CursorImageSize();
    if (::GetCursorPos(&ptCursor) && m_rcArea.PtInRect(ptCursor) && sizeCursor.cx > 0 && sizeCursor.cy > 0) {
      // Below the cursor's picture, never over the hover rectangle's lower part.
      pt.x = ptCursor.x;
      pt.y = std::max<int>(ptCursor.y + sizeCursor.cy, m_rcArea.bottom);
    } else {
      pt.x = m_rcArea.CenterPoint().x;
      pt.y = m_rcArea.bottom + m_nRectGapBelow;
    }
    if (bFlipH)
      pt.x -= size.cx;
    // Without room below, the tip goes above the hover rectangle, not over it.
    if (bFlipV)
      pt.y = m_rcArea.top - size.cy - kRectGapAbove;
  }
  CRect rc(pt, size);
  if (rc.right > rcWorkArea.right)
    rc.OffsetRect(rcWorkArea.right - rc.right, 0);
  if (rc.left < rcWorkArea.left)
    rc.OffsetRect(rcWorkArea.left - rc.left, 0);
  if (rc.bottom > rcWorkArea.bottom)
    rc.OffsetRect(0, rcWorkArea.bottom - rc.bottom);
  if (rc.top < rcWorkArea.top)
    rc.OffsetRect(0, rcWorkArea.top - rc.top);
  return rc;
}

CSize CExtPopupMenuTipWnd::BuildBalloonRegion(CDC& dc, CRgn& rgn, const RECT& rcWorkArea) {
  rgn.DeleteObject();
  CRect rcText(0, 0, 0, 0);
  {
    CExtDcTextState state(dc);
    dc.SelectObject(TipFont());
    dc.DrawText(m_sText, &rcText, kTextFlags | DT_CALCRECT);
  }
  CSize size = rcText.Size();
  const bool bBalloon = IsBalloon();
  const CSize sizeMargin =
      bBalloon ? CSize(m_cxBalloonMargin, m_cyBalloonMargin) : CSize(m_cxRectMargin, m_cyRectMargin);
  size.cx += 2 * sizeMargin.cx;
  size.cy += 2 * sizeMargin.cy;
  if (ShowsIcon()) {
    size.cx += m_cxIcon + m_nIconTextGap;
    size.cy = std::max<int>(size.cy, m_cyIcon);
  }
  if (bBalloon) {
    // Room for the tail on the straight part of the edge, the round corners beside it.
    size.cx = std::max<int>(size.cx, 2 * kTailInset + m_cxTail);
    size.cy += m_cyTail;
  } else {
    size.cx += GetShadowSize();
    size.cy += GetShadowSize();
  }

  // Flipped where the unflipped tip would leave the work area: past its right edge, past its
  // bottom, or, for a tip shown above, past its top.
  m_nPlacementFlags = 0;
  const CRect rcWide(-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF);
  const CRect rcPlain = CalcTipRect(size, rcWide);
  if (rcPlain.right > rcWorkArea.right)
    m_nPlacementFlags |= PLACE_FLIPPED_H;
  const bool bAbove = m_nStyle == TIP_RECT_ABOVE || m_nStyle == TIP_RECT_ABOVE_NO_ICON;
  if (bAbove ? rcPlain.top < rcWorkArea.top : rcPlain.bottom > rcWorkArea.bottom)
    m_nPlacementFlags |= PLACE_FLIPPED_V;

  if (!bBalloon) {
    rgn.CreateRectRgn(0, 0, size.cx, size.cy);
    return size;
  }
  const CRect rcBody = BalloonBodyRect(size);
  const CPoint ptTail = TailPoint(size);
  // A right-angled tail: its straight side runs from the point into the body.
  const int nBaseY = ptTail.y == 0 ? rcBody.top + 2 : rcBody.bottom - 2;
  const int nDir = (m_nPlacementFlags & PLACE_FLIPPED_H) != 0 ? -1 : 1;
  const POINT tail[3] = {{ptTail.x, ptTail.y}, {ptTail.x, nBaseY}, {ptTail.x + nDir * m_cxTail, nBaseY}};
  CRgn rgnBody, rgnTail;
  if (!rgnBody.CreateRoundRectRgn(rcBody.left, rcBody.top, rcBody.right, rcBody.bottom, m_cxBalloonMargin,
                                  m_cyBalloonMargin) ||
      !rgnTail.CreatePolygonRgn(tail, 3, WINDING) || !rgn.CreateRectRgn(0, 0, 0, 0) ||
      rgn.CombineRgn(&rgnBody, &rgnTail, RGN_OR) == ERROR)
    rgn.DeleteObject(); // the window stays a plain rectangle
  return size;
}

void CExtPopupMenuTipWnd::PaintContent(CDC& dc, bool) { PaintTip(dc); }

void CExtPopupMenuTipWnd::PaintTip(CDC& dc) {
  if (!HasLiveWindow())
    return;
  CRect rcClient;
  GetClientRect(&rcClient);
  CExtDcSaveGuard guard(dc);
  CRect rcText;
  if (IsBalloon()) {
    CBrush brInfo, brFace, brDark;
    brInfo.CreateSolidBrush(::GetSysColor(COLOR_INFOBK));
    brFace.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    brDark.CreateSolidBrush(::GetSysColor(COLOR_3DDKSHADOW));
    if (m_rgnTip.GetSafeHandle() != NULL) {
      dc.FillRgn(&m_rgnTip, &brInfo);
      dc.FrameRgn(&m_rgnTip, &brFace, 3, 3);
      dc.FrameRgn(&m_rgnTip, &brDark, 1, 1);
    } else {
      dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_INFOBK));
    }
    rcText = BalloonBodyRect(rcClient.Size());
    rcText.DeflateRect(m_cxBalloonMargin, m_cyBalloonMargin);
    if (ShowsIcon()) {
      DrawTipIcon(dc, m_icon, rcText.left, rcText.top + (rcText.Height() - m_cyIcon) / 2, m_cxIcon, m_cyIcon);
      rcText.left += m_cxIcon + m_nIconTextGap;
    }
  } else {
    CRect rcContent = rcClient;
    const int nShadow = GetShadowSize();
    if (nShadow > 0) {
      rcContent.DeflateRect(0, 0, nShadow, nShadow);
      // The shadow falls on the screen beneath when it was taken before the tip appeared.
      const HBITMAP hBeneath = (HBITMAP)m_bmpScreenBeneath.GetSafeHandle();
      if (m_shadowTip.GetScreenSource() != hBeneath) {
        m_shadowTip.Reset();
        m_shadowTip.SetScreenSource(hBeneath, CPoint(0, 0));
      }
      m_shadowTip.PaintFor(dc, rcContent, CRect(), CRect(), nShadow, kShadowDarkest, kShadowLightest, true,
                           true, this);
    }
    dc.FillSolidRect(&rcContent, ::GetSysColor(COLOR_INFOBK));
    dc.Draw3dRect(&rcContent, ::GetSysColor(COLOR_3DFACE), RGB(0, 0, 0));
    rcText = rcContent;
    rcText.DeflateRect(m_cxRectMargin, m_cyRectMargin);
    if (ShowsIcon()) {
      DrawTipIcon(dc, m_icon, rcText.left, rcContent.top + (rcContent.Height() - m_cyIcon) / 2, m_cxIcon,
                  m_cyIcon);
      rcText.left += m_cxIcon + m_nIconTextGap;
    }
  }
  dc.SelectObject(TipFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(TipTextColor());
  dc.DrawText(m_sText, &rcText, kTextFlags | (IsBalloon() ? 0 : DT_VCENTER));
}
