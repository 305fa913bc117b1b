// The colour cubes: three faces of the cube that meet at black (white for CMY) in an oblique
// view, with a handle per channel and the box of the current colour.
#include "toolkit/controls/ExtColorModels.h"

#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>
#include <cstdlib>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

void DrawHandle(CDC& dc, POINT pt, int nExtra) {
  const RECT rc = {pt.x - 4, pt.y - 4, pt.x + 4 + nExtra, pt.y + 4 + nExtra};
  dc.Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
  const RECT rcInner = {rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
  dc.Draw3dRect(&rcInner, kWhite, kWhite);
}

} // namespace

bool CExtColorCtrl::rgb_cube_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool) {
  cx = std::max(1, cx);
  cy = std::max(1, cy);
  if (cx != m_cxClient || cy != m_cyClient) {
    m_dcCube.Destroy();
    m_nTrackPart = TRACK_NONE;
  }
  m_cxClient = m_nWidth = cx;
  m_cyClient = m_nHeight = cy;
  RECT rc = {m_nMargin, m_nMargin, cx - m_nMargin, cy - m_nMargin};
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w > h) {
    rc.left += (w - h) / 2;
    rc.right -= (w - h) / 2;
  } else if (h > w) {
    rc.top += (h - w) / 2;
    rc.bottom -= (h - w) / 2;
  }
  // The faces are laid out in steps of four pixels.
  if ((rc.right - rc.left) % 4 != 0)
    rc.right -= 3;
  if ((rc.bottom - rc.top) % 4 != 0)
    rc.bottom -= 3;
  m_rcCube = rc;
  if (IsEmpty())
    return true;
  const int sq = rc.bottom - rc.top;
  m_ptTop = {(rc.left + rc.right) / 2, rc.top};
  m_ptLeft = {rc.left, rc.bottom - sq / 4};
  m_ptRight = {rc.right, rc.bottom - sq / 4};
  m_ptCenter = {(m_ptLeft.x + m_ptRight.x) / 2, (rc.top + rc.bottom) / 2};
  BuildCubeBitmap(pDC, pPalette);
  ComputeGeometry();
  return true;
}

void CExtColorCtrl::rgb_cube_data_t::Release() {
  m_dcCube.Destroy();
  m_nTrackPart = TRACK_NONE;
}

void CExtColorCtrl::rgb_cube_data_t::BuildCubeBitmap(CDC* pDC, CPalette* pPalette) {
  if (m_dcCube.Exists() || IsEmpty())
    return;
  const int w = m_rcCube.right - m_rcCube.left, h = m_rcCube.bottom - m_rcCube.top;
  if (!m_dcCube.Create(pDC, w, h, pPalette))
    return;
  CExtColorPictureCanvas canvas(m_dcCube, IsPaletteScreen());
  canvas.Fill(kWhite);
  const int n = std::max(1, h / 2), c = w / 2;
  auto put = [&](int x, int y, COLORREF clr) {
    if (canvas.IsPaletteScreen())
      canvas.FillRect(x - 2, y - 2, 4, 4, clr);
    else
      canvas.SetPixel(x, y, clr);
  };
  for (int i = 0; i <= n; ++i) {
    const int vi = i * 255 / n;
    for (int j = 0; j <= n; ++j) {
      const int vj = j * 255 / n;
      put(c - 1 - j, n + j / 2 - i, ToAxes(RGB(vi, vj, 0)));
      put(c + j, n + j / 2 - i, ToAxes(RGB(vi, 0, vj)));
      const COLORREF clrBottom = ToAxes(RGB(0, vj, vi));
      put(c - j + i, n + j / 2 + i / 2, clrBottom);
      put(c - j + i - 1, n + j / 2 + i / 2, clrBottom);
    }
  }
}

void CExtColorCtrl::rgb_cube_data_t::ComputeGeometry() {
  if (IsEmpty())
    return;
  const int half = (m_rcCube.bottom - m_rcCube.top) / 2;
  const COLORREF clr = ToAxes(m_clr);
  const POINT c = m_ptCenter;
  const int r = GetRValue(clr) * half / 255, g = GetGValue(clr) * half / 255, b = GetBValue(clr) * half / 255;
  m_ptHandleR = {c.x, c.y - r};
  m_ptHandleG = {c.x - g, c.y + g / 2};
  m_ptHandleB = {c.x + b, c.y + b / 2};
  const int up = m_ptHandleR.y - c.y;
  m_ptRG = {m_ptHandleG.x, m_ptHandleG.y + up};
  m_ptRB = {m_ptHandleB.x, m_ptHandleB.y + up};
  m_ptGB = {m_ptHandleB.x + m_ptHandleG.x - c.x, m_ptHandleB.y + m_ptHandleG.y - c.y};
  m_ptRGB = {m_ptGB.x, m_ptGB.y + up};
}

void CExtColorCtrl::rgb_cube_data_t::Paint(CDC* pDC, CPalette* pPalette) {
  CExtColorPaletteScope palette(pDC, pPalette);
  if (pDC == NULL || pDC->GetSafeHdc() == NULL || IsEmpty())
    return;
  BuildCubeBitmap(pDC, pPalette);
  if (m_dcCube.Exists())
    CExtPaintManager::TransparentStretchBlt(pDC->m_hDC, m_rcCube.left, m_rcCube.top, -1, -1,
                                            m_dcCube.dc().m_hDC, 0, 0, m_dcCube.Width(), m_dcCube.Height(),
                                            kWhite);
  const int nSaved = pDC->SaveDC();
  pDC->SelectStockObject(BLACK_PEN);
  pDC->MoveTo(m_ptTop);
  pDC->LineTo(m_ptCenter);
  pDC->LineTo(m_ptRight);
  pDC->MoveTo(m_ptLeft);
  pDC->LineTo(m_ptCenter);
  pDC->SelectStockObject(WHITE_PEN);
  const POINT box[] = {m_ptRG,      m_ptHandleG, m_ptGB,  m_ptHandleB, m_ptRB,
                       m_ptHandleR, m_ptRG,      m_ptRGB, m_ptRB};
  pDC->MoveTo(box[0]);
  for (size_t i = 1; i < sizeof(box) / sizeof(box[0]); ++i)
    pDC->LineTo(box[i]);
  pDC->MoveTo(m_ptRGB);
  pDC->LineTo(m_ptGB);
  pDC->RestoreDC(nSaved);
  DrawHandle(*pDC, m_ptHandleR, 1);
  DrawHandle(*pDC, m_ptHandleG, 0);
  DrawHandle(*pDC, m_ptHandleB, 0);
}

int CExtColorCtrl::rgb_cube_data_t::FaceAt(int x, int y) const {
  const int q = (m_rcCube.bottom - m_rcCube.top) / 4;
  const POINT faces[3][4] = {
      {m_ptLeft, {m_ptLeft.x, m_ptTop.y + q}, m_ptTop, m_ptCenter},
      {m_ptRight, {m_ptRight.x, m_ptTop.y + q}, m_ptTop, m_ptCenter},
      {m_ptLeft, {m_ptCenter.x, m_ptLeft.y + q}, m_ptRight, m_ptCenter},
  };
  for (int i = 0; i < 3; ++i) {
    CRgn rgn;
    if (rgn.CreatePolygonRgn(faces[i], 4, ALTERNATE) && rgn.PtInRegion(x, y))
      return i;
  }
  return -1;
}

void CExtColorCtrl::rgb_cube_data_t::OnButtonDown(UINT nFlags, int x, int y) {
  m_nTrackPart = TRACK_NONE;
  if (IsEmpty())
    return;
  auto inHandle = [&](POINT pt) {
    return abs(x - pt.x) <= m_sizeHandle.cx && abs(y - pt.y) <= m_sizeHandle.cy;
  };
  if (inHandle(m_ptHandleR))
    m_nTrackPart = TRACK_HANDLE_R;
  else if (inHandle(m_ptHandleG))
    m_nTrackPart = TRACK_HANDLE_G;
  else if (inHandle(m_ptHandleB))
    m_nTrackPart = TRACK_HANDLE_B;
  if (m_nTrackPart != TRACK_NONE) {
    OnTrack(nFlags | MK_LBUTTON, x, y);
    return;
  }
  // A palette screen shows the faces dithered: their pixels are not the colours they stand for.
  if (IsPaletteScreen() || !m_dcCube.Exists())
    return;
  const int nFace = FaceAt(x, y);
  if (nFace < 0)
    return;
  const COLORREF clrPixel = m_dcCube.dc().GetPixel(x - m_rcCube.left, y - m_rcCube.top);
  if (clrPixel == CLR_INVALID || clrPixel == kWhite)
    return;
  COLORREF clr = clrPixel;
  if ((nFlags & MK_CONTROL) != 0) {
    // Only the face's two channels come from the picture; the third stays.
    const COLORREF cur = ToAxes(m_clr), pix = ToAxes(clrPixel);
    static const DWORD kKept[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    clr = ToAxes((cur & kKept[nFace]) | (pix & ~kKept[nFace] & 0xFFFFFF));
  }
  SetColor(clr);
}

void CExtColorCtrl::rgb_cube_data_t::OnButtonUp(UINT, int, int) { m_nTrackPart = TRACK_NONE; }

void CExtColorCtrl::rgb_cube_data_t::OnTrack(UINT nFlags, int x, int y) {
  if ((nFlags & MK_LBUTTON) == 0 || IsEmpty())
    return;
  const COLORREF clr = ToAxes(m_clr);
  int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
  const POINT c = m_ptCenter;
  int span = 0;
  switch (m_nTrackPart) {
  case TRACK_HANDLE_R:
    span = c.y - m_ptTop.y;
    if (span > 0)
      r = (c.y - std::clamp<LONG>(y, m_ptTop.y, c.y)) * 255 / span;
    break;
  case TRACK_HANDLE_G:
    span = c.x - m_ptLeft.x;
    if (span > 0)
      g = (c.x - std::clamp<LONG>(x, m_ptLeft.x, c.x)) * 255 / span;
    break;
  case TRACK_HANDLE_B:
    span = m_ptRight.x - c.x;
    if (span > 0)
      b = (std::clamp<LONG>(x, c.x, m_ptRight.x) - c.x) * 255 / span;
    break;
  default:
    return;
  }
  const COLORREF clrNew = ToAxes(RGB(r, g, b));
  if (clrNew == m_clr)
    return;
  any_picker_data_t::SetColor(clrNew);
  ComputeGeometry();
}

void CExtColorCtrl::rgb_cube_data_t::SetColor(COLORREF clr) {
  any_picker_data_t::SetColor(clr);
  ComputeGeometry();
}

void CExtColorCtrl::rgb_cube_data_t::SetHLS(double dHue, double dLightness, double dSaturation) {
  any_picker_data_t::SetHLS(dHue, dLightness, dSaturation);
  ComputeGeometry();
}

COLORREF CExtColorCtrl::cmy_cube_data_t::ToAxes(COLORREF clr) const {
  return CExtPaintManager::InvertColor(clr);
}
