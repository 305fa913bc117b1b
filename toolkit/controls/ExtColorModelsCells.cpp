// The pickers made of cells: the honeycomb of basic colours, the grey, RGB and CMY mixers and
// the view of the current colour above the reference colour.
#include "toolkit/controls/ExtColorModels.h"

#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>
#include <cmath>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const int kColumnCells = 256;

// Rounds to the nearest integer, halves away from zero.
int Round(float v) { return (int)lroundf(v); }

COLORREF GreyCell(int, int k) { return RGB(k, k, k); }

COLORREF RgbCell(int nColumn, int k) {
  return nColumn == 0 ? RGB(k, 0, 0) : nColumn == 1 ? RGB(0, k, 0) : RGB(0, 0, k);
}

COLORREF CmyCell(int nColumn, int k) { return CExtPaintManager::InvertColor(RgbCell(nColumn, k)); }

} // namespace

// ---------------------------------------------------------------------------------------------
// One cell

void CExtColorCtrl::cell_t::SetHexagon(int x, int y, int s) {
  const float h = (float)s * 0.57735026f * 0.5f;
  const int s2 = s / 2;
  m_pts[0] = {x - s2, Round((float)y - h)};
  m_pts[1] = {x, y - s2};
  m_pts[2] = {x + s2, Round((float)y - h)};
  m_pts[3] = {x + s2, Round((float)y + h) + 1};
  m_pts[4] = {x, y + s2 + 1};
  m_pts[5] = {x - s2, Round((float)y + h) + 1};
  m_bHexagon = true;
}

void CExtColorCtrl::cell_t::SetRect(int left, int top, int right, int bottom) {
  m_rc = {left, top, right, bottom};
  m_bHexagon = false;
}

bool CExtColorCtrl::cell_t::HitTest(int x, int y) const {
  if (!m_bHexagon) {
    const POINT pt = {x, y};
    return ::PtInRect(&m_rc, pt) != FALSE;
  }
  CRgn rgn;
  return rgn.CreatePolygonRgn(m_pts, 6, ALTERNATE) && rgn.PtInRegion(x, y);
}

void CExtColorCtrl::cell_t::Paint(CDC& dc, CPalette* pPalette, bool bSelected) const {
  if (!m_bHexagon && ::IsRectEmpty(&m_rc))
    return;
  if (!m_bHexagon && !bSelected && pPalette == NULL) {
    // The mixers paint hundreds of these on every paint: no brush, pen or saved state needed.
    dc.FillSolidRect(&m_rc, m_clr);
    return;
  }
  CBrush brush;
  CPen pen;
  if (!brush.CreateSolidBrush(m_clr) || !pen.CreatePen(PS_SOLID, 1, m_clr))
    return;
  CExtDcSaveGuard guard(dc);
  dc.SelectObject(&brush);
  dc.SelectObject(&pen);
  if (!m_bHexagon) {
    if (bSelected) {
      const COLORREF frame[3] = {kBlack, kWhite, kBlack};
      for (int i = 0; i < 3; ++i) {
        RECT rc = m_rc;
        ::InflateRect(&rc, 3 - i, 3 - i);
        dc.FillSolidRect(&rc, frame[i]);
      }
      dc.FillSolidRect(&m_rc, m_clr);
    } else {
      dc.FillRect(&m_rc, &brush);
    }
    return;
  }
  if (!bSelected) {
    dc.Polygon(m_pts, 6);
    return;
  }
  const POINT big[6] = {{m_pts[0].x - 2, m_pts[0].y - 1}, {m_pts[1].x, m_pts[1].y - 2},
                        {m_pts[2].x + 2, m_pts[2].y - 1}, {m_pts[3].x + 2, m_pts[3].y + 1},
                        {m_pts[4].x, m_pts[4].y + 2},     {m_pts[5].x - 2, m_pts[5].y + 1}};
  const HBRUSH hWhite = (HBRUSH)::GetStockObject(WHITE_BRUSH), hBlack = (HBRUSH)::GetStockObject(BLACK_BRUSH);
  ::SelectObject(dc.m_hDC, hWhite);
  dc.Polygon(big, 6);
  dc.SelectObject(&brush);
  dc.Polygon(m_pts, 6);
  CRgn rgnBig, rgnCell;
  if (rgnBig.CreatePolygonRgn(big, 6, ALTERNATE)) {
    ::FrameRgn(dc.m_hDC, (HRGN)rgnBig.m_hObject, hWhite, 3, 3);
    ::FrameRgn(dc.m_hDC, (HRGN)rgnBig.m_hObject, hBlack, 1, 1);
  }
  if (rgnCell.CreatePolygonRgn(m_pts, 6, ALTERNATE))
    ::FrameRgn(dc.m_hDC, (HRGN)rgnCell.m_hObject, hBlack, 1, 1);
}

// ---------------------------------------------------------------------------------------------
// The honeycomb and what every cell picker shares

bool CExtColorCtrl::cell_based_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy,
                                             bool bGeometryOnly) {
  any_picker_data_t::Build(pDC, pPalette, cx, cy, bGeometryOnly);
  const int w = m_nWidth, h = m_nHeight;
  m_arrCells.SetSize(144);
  const int s = std::max(1, std::min(w / 16 + 2, (h - 10) / 16 + 2));
  const int ox = w / 2, oy = (h - (2 * s + 10)) / 2;
  int nCell = 0;
  auto put = [&](int x, int y, int size, COLORREF clr) {
    cell_t& cell = m_arrCells[nCell++];
    if (!bGeometryOnly)
      cell.m_clr = clr;
    cell.SetHexagon(x, y, size);
  };
  put(ox, oy, s, kWhite);
  static const float kSteps[6][2] = {{-0.5f, 0.8660254f}, {-1.0f, 0.0f}, {-0.5f, -0.8660254f},
                                     {0.5f, -0.8660254f}, {1.0f, 0.0f},  {0.5f, 0.8660254f}};
  for (int r = 1; r <= 6; ++r) {
    const double dLightness = (7 - r) / 7.0 + 0.1;
    int x = ox + r * s, y = oy;
    for (const auto& step : kSteps) {
      for (int i = 0; i < r; ++i) {
        const double dHue = (int)(atan2((double)(y - oy), (double)(x - ox)) * 57.29577951308239);
        put(x, y, s, CExtPaintManager::HslDegreesToRgb(dHue, dLightness, 1.0));
        x += (int)((float)s * step[0]);
        y += (int)((float)s * step[1]);
      }
    }
  }
  const int y0 = h - s - 5, d = (int)(s * 0.4347826086956522);
  int x = (w - s / 2 - (15 * s) / 2 - 3 * s) / 2;
  put(x, y0, 2 * s, kWhite);
  x += 2 * s;
  for (int k = 1; k <= 15; ++k) {
    const int grey = 255 - 15 * k;
    put(x, (k % 2 != 0) ? y0 - d : y0 + d, s, RGB(grey, grey, grey));
    x += s / 2;
  }
  put(x + (3 * s) / 2 - 1, y0, 2 * s, kBlack);
  return true;
}

void CExtColorCtrl::cell_based_data_t::Release() { m_nTrackPart = TRACK_NONE; }

void CExtColorCtrl::cell_based_data_t::PaintCells(CDC& dc, CPalette* pPalette) const {
  for (INT_PTR i = 0; i < m_arrCells.GetSize(); ++i)
    m_arrCells[i].Paint(dc, pPalette, false);
}

void CExtColorCtrl::cell_based_data_t::PaintSelected(CDC& dc, CPalette* pPalette, int nCell) const {
  if (nCell >= 0 && nCell < m_arrCells.GetSize())
    m_arrCells[nCell].Paint(dc, pPalette, true);
}

void CExtColorCtrl::cell_based_data_t::PaintSelection(CDC& dc, CPalette* pPalette) const {
  // The first two cells of the colour: white is both the centre and the grey row's first.
  int nFound = 0;
  for (INT_PTR i = 0; i < m_arrCells.GetSize() && nFound < 2; ++i) {
    if (m_arrCells[i].m_clr == m_clr) {
      PaintSelected(dc, pPalette, (int)i);
      ++nFound;
    }
  }
}

void CExtColorCtrl::cell_based_data_t::Paint(CDC* pDC, CPalette* pPalette) {
  CExtColorPaletteScope palette(pDC, pPalette);
  if (pDC == NULL || pDC->GetSafeHdc() == NULL)
    return;
  PaintCells(*pDC, pPalette);
  PaintSelection(*pDC, pPalette);
}

int CExtColorCtrl::cell_based_data_t::HitTest(int x, int y) const {
  for (INT_PTR i = 0; i < m_arrCells.GetSize(); ++i)
    if (m_arrCells[i].HitTest(x, y))
      return (int)i;
  return -1;
}

void CExtColorCtrl::cell_based_data_t::OnButtonDown(UINT nFlags, int x, int y) {
  m_nTrackPart = TRACK_CELLS;
  OnTrack(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::cell_based_data_t::OnButtonUp(UINT, int, int) { m_nTrackPart = TRACK_NONE; }

void CExtColorCtrl::cell_based_data_t::OnTrack(UINT, int x, int y) {
  if (m_nTrackPart != TRACK_CELLS)
    return;
  const int nCell = HitTest(x, y);
  if (nCell >= 0)
    OnCellHit(nCell);
}

void CExtColorCtrl::cell_based_data_t::OnCellHit(int nCell) { SetColor(m_arrCells[nCell].m_clr); }

void CExtColorCtrl::cell_based_data_t::LayOutColumns(int nColumns, bool bGeometryOnly,
                                                     COLORREF (*pColor)(int nColumn, int k)) {
  const int w = m_nWidth, h = m_nHeight;
  const int cw = std::max(1, w / 3 - 20), H = std::max(1, h - 20);
  const int rh = std::max(2, H / kColumnCells), left = w / 2 - cw / 2;
  m_arrCells.SetSize(kColumnCells * nColumns);
  for (int c = 0; c < nColumns; ++c) {
    const int offset = nColumns == 1 ? 0 : (c - 1) * (cw + 20);
    for (int k = 0; k < kColumnCells; ++k) {
      cell_t& cell = m_arrCells[c * kColumnCells + k];
      const int top = (k * H) / kColumnCells + 10;
      cell.SetRect(left + offset, top, left + offset + cw, top + rh);
      if (!bGeometryOnly)
        cell.m_clr = pColor(c, k);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The mixers

bool CExtColorCtrl::grayscale_mixer_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy,
                                                  bool bGeometryOnly) {
  any_picker_data_t::Build(pDC, pPalette, cx, cy, bGeometryOnly);
  LayOutColumns(1, bGeometryOnly, GreyCell);
  return true;
}

void CExtColorCtrl::grayscale_mixer_data_t::PaintSelection(CDC& dc, CPalette* pPalette) const {
  const int r = GetRValue(m_clr);
  if (r == GetGValue(m_clr) && r == GetBValue(m_clr))
    PaintSelected(dc, pPalette, r);
}

bool CExtColorCtrl::rgb_mixer_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy,
                                            bool bGeometryOnly) {
  any_picker_data_t::Build(pDC, pPalette, cx, cy, bGeometryOnly);
  LayOutColumns(3, bGeometryOnly, RgbCell);
  return true;
}

void CExtColorCtrl::rgb_mixer_data_t::PaintSelection(CDC& dc, CPalette* pPalette) const {
  const COLORREF clr = ToAxes(m_clr);
  PaintSelected(dc, pPalette, GetRValue(clr));
  PaintSelected(dc, pPalette, kColumnCells + GetGValue(clr));
  PaintSelected(dc, pPalette, 2 * kColumnCells + GetBValue(clr));
}

void CExtColorCtrl::rgb_mixer_data_t::OnCellHit(int nCell) {
  const int nColumn = nCell / kColumnCells, k = nCell % kColumnCells;
  const COLORREF clr = ToAxes(m_clr);
  BYTE bytes[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
  bytes[nColumn] = (BYTE)k;
  SetColor(ToAxes(RGB(bytes[0], bytes[1], bytes[2])));
}

bool CExtColorCtrl::cmy_mixer_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy,
                                            bool bGeometryOnly) {
  any_picker_data_t::Build(pDC, pPalette, cx, cy, bGeometryOnly);
  LayOutColumns(3, bGeometryOnly, CmyCell);
  return true;
}

COLORREF CExtColorCtrl::cmy_mixer_data_t::ToAxes(COLORREF clr) const {
  return CExtPaintManager::InvertColor(clr);
}

// ---------------------------------------------------------------------------------------------
// The current colour above the reference colour

bool CExtColorCtrl::diff_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) {
  any_picker_data_t::Build(pDC, pPalette, cx, cy, bGeometryOnly);
  LayOut(bGeometryOnly);
  return true;
}

void CExtColorCtrl::diff_data_t::LayOut(bool bGeometryOnly) {
  m_arrCells.SetSize(2);
  const int half = m_nHeight / 2;
  m_arrCells[0].SetRect(0, 0, m_nWidth, half);
  m_arrCells[1].SetRect(0, half, m_nWidth, 2 * half);
  if (!bGeometryOnly) {
    m_arrCells[0].m_clr = m_clr;
    m_arrCells[1].m_clr = m_clrReference;
  }
}

void CExtColorCtrl::diff_data_t::SetColor(COLORREF clr) {
  any_picker_data_t::SetColor(clr);
  LayOut(false);
}

void CExtColorCtrl::diff_data_t::SetHLS(double dHue, double dLightness, double dSaturation) {
  any_picker_data_t::SetHLS(dHue, dLightness, dSaturation);
  LayOut(false);
}

void CExtColorCtrl::diff_data_t::SetReferenceColor(COLORREF clr) {
  // The lower half shows the reference colour it is given, not the one of the last build.
  any_picker_data_t::SetReferenceColor(clr);
  LayOut(false);
}

void CExtColorCtrl::diff_data_t::PaintSelection(CDC&, CPalette*) const {}
