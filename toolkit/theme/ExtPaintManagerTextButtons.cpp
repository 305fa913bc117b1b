// Framed text buttons, caption bars with text and strips with a centred box of grip dots: the
// classic 3-D look, the XP one-pixel frames and the Office 2003 gradients in the scheme colours.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

namespace {

const int kGripBandWidth = 36;
const int kGripDotStep = 4;

void FrameOnePixel(CDC& dc, const RECT& rc, COLORREF clr) {
  CBrush brush(clr);
  ::FrameRect(dc.m_hDC, &rc, (HBRUSH)brush.m_hObject);
}

// Keeps the DC's background colour: every fill here goes through FillSolidRect.
class BkColorGuard {
public:
  explicit BkColorGuard(CDC& dc) : m_hDC(dc.m_hDC), m_clr(::GetBkColor(m_hDC)) {}
  ~BkColorGuard() { ::SetBkColor(m_hDC, m_clr); }
  BkColorGuard(const BkColorGuard&) = delete;
  BkColorGuard& operator=(const BkColorGuard&) = delete;

private:
  HDC m_hDC;
  COLORREF m_clr;
};

bool IsLunaScheme(int nScheme) {
  return nScheme >= CExtPaintManagerHolder::VSS_NORMAL_COLOR &&
         nScheme <= CExtPaintManagerHolder::VSS_METALLIC;
}

} // namespace

void CExtPaintManager::FillWindowColor(CDC& dc, const RECT& rc, CObject* pHelperSrc) {
  if (!dc.RectVisible(&rc))
    return;
  BkColorGuard guard(dc);
  dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_WINDOW, pHelperSrc));
}

void CExtPaintManager::PaintFrameBorder(CDC& dc, const RECT& rc) {
  if (!dc.RectVisible(&rc))
    return;
  BkColorGuard guard(dc);
  dc.Draw3dRect(&rc, ColorByLogicalId(COLOR_3DSHADOW), ColorByLogicalId(COLOR_WINDOW));
}

void CExtPaintManagerXP::PaintFrameBorder(CDC& dc, const RECT& rc) {
  if (dc.RectVisible(&rc))
    FrameOnePixel(dc, rc, ColorByLogicalId(COLOR_3DSHADOW));
}

void CExtPaintManagerOffice2003::PaintFrameBorder(CDC& dc, const RECT& rc) {
  if (dc.RectVisible(&rc))
    FrameOnePixel(dc, rc, ColorByLogicalId(3027));
}

void CExtPaintManager::PaintShadowedIconTitleText(CDC& dc, const RECT& rc, LPCSTR sText) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DSHADOW));
  }
  PaintIconTitleText(dc, rc, sText);
}

void CExtPaintManagerOffice2003::PaintShadowedIconTitleText(CDC& dc, const RECT& rc, LPCSTR sText) {
  if (!dc.RectVisible(&rc))
    return;
  if (GetScreenBitsPerPixel() > 8 && IsLunaScheme(GetVisualStyleScheme())) {
    PaintGradientRect(dc, rc, ColorByLogicalId(3029), ColorByLogicalId(3028), true, 256);
  } else {
    BkColorGuard guard(dc);
    dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DSHADOW));
  }
  PaintIconTitleText(dc, rc, sText);
}

void CExtPaintManager::PaintCaptionBar(CDC& dc, const RECT& rc, LPCSTR sText) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DFACE));
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.right - rc.left, 1, ColorByLogicalId(COLOR_3DSHADOW));
  }
  PaintCaptionText(dc, rc, sText);
}

void CExtPaintManagerOffice2003::PaintCaptionBar(CDC& dc, const RECT& rc, LPCSTR sText) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    if (GetScreenBitsPerPixel() > 8)
      PaintGradientRect(dc, rc, ColorByLogicalId(3031), ColorByLogicalId(3030), true, 256);
    else
      dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DSHADOW));
    const int cx = rc.right - rc.left;
    dc.FillSolidRect(rc.left, rc.bottom - 1, cx, 1, ColorByLogicalId(3027));
    dc.FillSolidRect(rc.left, rc.top, cx, 1, ColorByLogicalId(3031));
  }
  PaintCaptionText(dc, rc, sText);
}

void CExtPaintManager::PaintTextColorGlyph(CDC& dc, const RECT& rc, const GlyphBuffer& glyph) {
  if (!dc.RectVisible(&rc))
    return;
  // Index 0 of a glyph is transparent; its ink takes the first colour of the table.
  const COLORREF colors[2] = {0, ColorByLogicalId(COLOR_BTNTEXT)};
  PaintGlyphCentered(dc, rc, glyph, colors);
}

void CExtPaintManager::PaintTextButton(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset,
                                       bool bPushed, bool bRaised) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    RECT rcFace = rc;
    if (bInset)
      rcFace.left += 1, rcFace.right -= 1, rcFace.bottom -= 1;
    dc.FillSolidRect(&rcFace, ColorByLogicalId(COLOR_3DSHADOW));
    if (bInset) {
      RECT rcLower = rcFace;
      ::OffsetRect(&rcLower, 0, 1);
      dc.FillSolidRect(&rcLower, ColorByLogicalId(COLOR_3DDKSHADOW));
    }
    if (bPushed)
      dc.Draw3dRect(&rcFace, ColorByLogicalId(COLOR_3DDKSHADOW), ColorByLogicalId(COLOR_WINDOW));
    else if (bRaised)
      dc.Draw3dRect(&rcFace, ColorByLogicalId(COLOR_WINDOW), ColorByLogicalId(COLOR_3DDKSHADOW));
  }
  PaintScaledText(dc, rc, sText, nIconWidth, bInset, bPushed, bRaised, true);
}

namespace {

// The face of the XP and Office 2003 text buttons; the plain face is left to the caller.
// Answers false when the caller paints the plain face.
bool PaintFlatTextButtonFace(CExtPaintManager& pm, CDC& dc, RECT& rcFace, bool bInset, bool bPushed,
                             bool bRaised, int nInsetFrameId) {
  if (bInset) {
    FrameOnePixel(dc, rcFace, pm.ColorByLogicalId(nInsetFrameId));
    ::InflateRect(&rcFace, -1, -1);
  }
  if (!bPushed && !bRaised)
    return false;
  PushButtonPaintData button(&pm, true, rcFace, "", NULL, true, bRaised, bPushed, false, true, true, false,
                             false, 0);
  pm.PaintPushButton(dc, button);
  return true;
}

} // namespace

void CExtPaintManagerXP::PaintTextButton(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset,
                                         bool bPushed, bool bRaised) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    RECT rcFace = rc;
    if (!PaintFlatTextButtonFace(*this, dc, rcFace, bInset, bPushed, bRaised, COLOR_3DSHADOW))
      dc.FillSolidRect(&rcFace, ColorByLogicalId(GetScreenBitsPerPixel() <= 8 ? 2001 : 1000));
  }
  PaintScaledText(dc, rc, sText, nIconWidth, bInset, bPushed, bRaised, true);
}

void CExtPaintManagerOffice2003::PaintTextButton(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth,
                                                 bool bInset, bool bPushed, bool bRaised) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    RECT rcFace = rc;
    if (!PaintFlatTextButtonFace(*this, dc, rcFace, bInset, bPushed, bRaised, 3027)) {
      if (GetScreenBitsPerPixel() > 8)
        PaintGradientRect(dc, rcFace, ColorByLogicalId(3033), ColorByLogicalId(3032), true, 256);
      else
        dc.FillSolidRect(&rcFace, ColorByLogicalId(2001));
    }
  }
  PaintScaledText(dc, rc, sText, nIconWidth, bInset, bPushed, bRaised, false);
}

void CExtPaintManager::PaintCenteredGlyphBox(CDC& dc, const RECT& rc, int nOffsetY) {
  if (!dc.RectVisible(&rc))
    return;
  BkColorGuard guard(dc);
  const int nLeft = rc.left + (rc.right - rc.left - kGripBandWidth) / 2;
  const int nTop = rc.top + (rc.bottom - rc.top - 3) / 2 + 1 + nOffsetY;
  const COLORREF clrLight = ColorByLogicalId(COLOR_WINDOW), clrDark = ColorByLogicalId(COLOR_3DDKSHADOW);
  for (int x = 0; x < kGripBandWidth; x += kGripDotStep) {
    dc.FillSolidRect(nLeft + x + 1, nTop + 1, 2, 2, clrLight);
    dc.FillSolidRect(nLeft + x, nTop, 2, 2, clrDark);
  }
}

void CExtPaintManager::PaintButtonStrip(CDC& dc, const RECT& rc, bool bGrip) {
  if (!dc.RectVisible(&rc))
    return;
  {
    BkColorGuard guard(dc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    dc.FillSolidRect(&rc, ColorByLogicalId(1000));
    dc.FillSolidRect(rc.left, rc.top, cx, 1, ColorByLogicalId(COLOR_3DSHADOW));
    dc.FillSolidRect(rc.left, rc.top + 1, cx, 1, ColorByLogicalId(COLOR_WINDOW));
    dc.FillSolidRect(rc.left, rc.top + 1, 1, cy - 1, ColorByLogicalId(COLOR_WINDOW));
  }
  if (bGrip)
    PaintCenteredGlyphBox(dc, rc, 0);
}

void CExtPaintManagerOffice2003::PaintButtonStrip(CDC& dc, const RECT& rc, bool bGrip) {
  if (!dc.RectVisible(&rc))
    return;
  // Palette screens keep the classic strip, and always show its grip.
  if (GetScreenBitsPerPixel() <= 8) {
    CExtPaintManager::PaintButtonStrip(dc, rc, true);
    return;
  }
  PaintGradientRect(dc, rc, ColorByLogicalId(3029), ColorByLogicalId(3028), true, 256);
  if (bGrip)
    PaintCenteredGlyphBox(dc, rc, -1);
}
