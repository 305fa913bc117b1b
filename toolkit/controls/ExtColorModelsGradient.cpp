// The gradient pickers built on the panel: the basic-hue picker, the colour wheel and the six
// planes that hold one colour axis fixed.
#include "toolkit/controls/ExtColorModels.h"

#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>
#include <cmath>

namespace {

const double kTurnsPerRadian = 0.1591549430918955; // 1 / (2 pi)
const double kRadiansPerTurn = 6.28318530717958;

BYTE& Channel(BYTE (&bytes)[3], int n) { return bytes[n]; }

void Split(COLORREF clr, BYTE (&bytes)[3]) {
  bytes[0] = GetRValue(clr);
  bytes[1] = GetGValue(clr);
  bytes[2] = GetBValue(clr);
}

COLORREF Join(const BYTE (&bytes)[3]) { return RGB(bytes[0], bytes[1], bytes[2]); }

} // namespace

// ---------------------------------------------------------------------------------------------
// Basic hue: the spectrum in the bar, saturation across and lightness up in the panel

COLORREF CExtColorCtrl::hsl_basic_hue_data_t::PanelColorAt(int x, int y) const {
  return CExtPaintManager::HlsToRgb(m_dHue, (double)(m_nPanelHeight - y - 1) / m_nPanelHeight,
                                    (double)x / m_nPanelWidth);
}

COLORREF CExtColorCtrl::hsl_basic_hue_data_t::BarColorAt(int x) const {
  return CExtPaintManager::HlsToRgb((double)x / m_nBarWidth, 0.5, 1.0);
}

POINT CExtColorCtrl::hsl_basic_hue_data_t::PanelMarker() const {
  return {(int)(m_nPanelWidth * m_dSaturation), m_nPanelHeight - (int)(m_nPanelHeight * m_dLightness)};
}

int CExtColorCtrl::hsl_basic_hue_data_t::BarMarker() const { return (int)(m_nBarWidth * m_dHue); }

void CExtColorCtrl::hsl_basic_hue_data_t::OnColorSet() {
  const POINT pt = PanelMarker();
  m_nMarkerX = pt.x;
  m_nMarkerY = pt.y;
  m_bPanelValid = false;
}

void CExtColorCtrl::hsl_basic_hue_data_t::TrackBar(int bx) {
  any_picker_data_t::SetHLS((double)bx / m_nBarWidth, m_dLightness, m_dSaturation);
  m_bPanelValid = false;
}

void CExtColorCtrl::hsl_basic_hue_data_t::TrackPanel(int px, int py) {
  any_picker_data_t::SetHLS(m_dHue, (double)(m_nPanelHeight - py) / m_nPanelHeight,
                            (double)px / m_nPanelWidth);
}

// ---------------------------------------------------------------------------------------------
// The colour wheel: hue by angle, saturation by the squared distance from the centre

void CExtColorCtrl::hsl_roller_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette) {
  if (m_dcPanel.Exists() && m_bPanelValid)
    return;
  m_dcPanel.Destroy();
  if (!m_dcPanel.Create(pDC, m_nPanelWidth, m_nPanelHeight, pPalette))
    return;
  const int r = std::max(1, (std::min(m_nPanelWidth, m_nPanelHeight) - m_nMargin) / 2);
  m_nRadius = r;
  m_nCenterX = m_nPanelWidth / 2;
  m_nCenterY = m_nPanelHeight / 2;
  m_rgnWheel.DeleteObject();
  m_rgnOuter.DeleteObject();
  const int grow = 18;
  if (!m_rgnWheel.CreateEllipticRgn(m_nCenterX - r, m_nCenterY - r, m_nCenterX + r, m_nCenterY + r) ||
      !m_rgnOuter.CreateEllipticRgn(m_nCenterX - r - grow, m_nCenterY - r - grow, m_nCenterX + r + grow,
                                    m_nCenterY + r + grow)) {
    m_dcPanel.Destroy();
    return;
  }
  {
    const bool bPalette = IsPaletteScreen();
    CExtColorPictureCanvas canvas(m_dcPanel, bPalette);
    canvas.Fill(RGB(255, 255, 255));
    // The blocks at the rim stay inside the wheel.
    if (bPalette)
      m_dcPanel.dc().SelectClipRgn(&m_rgnWheel);
    const double r2 = (double)r * r;
    for (int y = m_nCenterY - r; y <= m_nCenterY + r; ++y) {
      for (int x = m_nCenterX - r; x <= m_nCenterX + r; ++x) {
        if (bPalette && (x % 4 != 0 || y % 4 != 0))
          continue;
        const int dx = m_nCenterX - x, dy = m_nCenterY - y;
        const int d2 = dx * dx + dy * dy;
        if (d2 > r * r)
          continue;
        const COLORREF clr =
            CExtPaintManager::HlsToRgb(atan2((double)dy, (double)dx) * kTurnsPerRadian, 0.5, d2 / r2);
        if (bPalette)
          canvas.FillRect(x - 2, y - 2, 4, 4, clr);
        else
          canvas.SetPixel(x, y, clr);
      }
    }
  }
  if (IsPaletteScreen())
    m_dcPanel.dc().SelectClipRgn(NULL);
  m_bPanelValid = true;
}

void CExtColorCtrl::hsl_roller_data_t::PaintPanelPicture(CDC& dc) {
  if (m_dcPanel.Exists())
    CExtPaintManager::TransparentStretchBlt(dc.m_hDC, m_nMargin, m_nMargin, -1, -1, m_dcPanel.dc().m_hDC, 0,
                                            0, m_nPanelWidth, m_nPanelHeight, RGB(255, 255, 255));
}

POINT CExtColorCtrl::hsl_roller_data_t::PanelMarker() const {
  const double a = m_dHue * kRadiansPerTurn, s = sqrt(m_dSaturation) * m_nRadius;
  return {m_nCenterX - (int)(cos(a) * s), m_nCenterY - (int)(sin(a) * s)};
}

void CExtColorCtrl::hsl_roller_data_t::OnColorSet() { m_bBarValid = false; }

void CExtColorCtrl::hsl_roller_data_t::OnButtonDown(UINT nFlags, int x, int y) {
  if (m_bEmpty || !m_bPanelValid)
    return;
  if (m_rgnOuter.GetSafeHandle() != NULL && m_rgnOuter.PtInRegion(x - m_nMargin, y - m_nMargin))
    m_nTrackPart = TRACK_PANEL;
  else if (y - 2 * m_nMargin > m_nPanelHeight)
    m_nTrackPart = TRACK_BAR;
  else
    m_nTrackPart = TRACK_NONE;
  OnTrack(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::hsl_roller_data_t::OnTrack(UINT nFlags, int x, int y) {
  if (m_bEmpty || !m_bPanelValid || (nFlags & MK_LBUTTON) == 0)
    return;
  if (m_nTrackPart == TRACK_BAR) {
    TrackBar(std::clamp(x - m_nMargin, 0, m_nBarWidth));
    return;
  }
  if (m_nTrackPart != TRACK_PANEL || m_rgnOuter.GetSafeHandle() == NULL ||
      !m_rgnOuter.PtInRegion(x - m_nMargin, y - m_nMargin))
    return;
  const int dx = m_nCenterX - (x - m_nMargin), dy = m_nCenterY - (y - m_nMargin);
  const int d2 = dx * dx + dy * dy;
  const double dHue = atan2((double)dy, (double)dx) * kTurnsPerRadian;
  const double dSaturation =
      (int)sqrt((double)d2) <= m_nRadius ? (double)d2 / ((double)m_nRadius * m_nRadius) : 1.0;
  // The wheel shows lightness 0.5 but picks at the bar's lightness, which the step keeps.
  const double dLightness = m_dLightness;
  SetColor(CExtPaintManager::HlsToRgb(dHue, dLightness, dSaturation));
  m_dLightness = dLightness;
}

// ---------------------------------------------------------------------------------------------
// The axis planes

CExtColorCtrl::xyz_plain_data_t::xyz_plain_data_t(int nAxis) : m_nAxis(nAxis) {}

void CExtColorCtrl::xyz_plain_data_t::Channels(int& nX, int& nY, int& nAxis) const {
  // Per axis within its family (red/cyan, green/magenta, blue/yellow): the other two in order.
  static const int kChannels[3][3] = {{1, 2, 0}, {0, 2, 1}, {0, 1, 2}};
  const int* p = kChannels[std::clamp(m_nAxis, 0, 5) % 3];
  nX = p[0];
  nY = p[1];
  nAxis = p[2];
}

COLORREF CExtColorCtrl::xyz_plain_data_t::PanelColorAt(int x, int y) const {
  int nX, nY, nAxis;
  Channels(nX, nY, nAxis);
  BYTE bytes[3];
  Split(IsCmyAxis() ? CExtPaintManager::InvertColor(m_clr) : m_clr, bytes);
  Channel(bytes, nX) = (BYTE)std::min(255, x * 255 / m_nPanelWidth);
  Channel(bytes, nY) = (BYTE)std::min(255, y * 255 / m_nPanelHeight);
  return IsCmyAxis() ? CExtPaintManager::InvertColor(Join(bytes)) : Join(bytes);
}

COLORREF CExtColorCtrl::xyz_plain_data_t::BarColorAt(int x) const {
  int nX, nY, nAxis;
  Channels(nX, nY, nAxis);
  BYTE bytes[3] = {0, 0, 0};
  Channel(bytes, nAxis) = (BYTE)std::min(255, x * 255 / m_nBarWidth);
  return IsCmyAxis() ? CExtPaintManager::InvertColor(Join(bytes)) : Join(bytes);
}

POINT CExtColorCtrl::xyz_plain_data_t::PanelMarker() const {
  int nX, nY, nAxis;
  Channels(nX, nY, nAxis);
  BYTE bytes[3];
  Split(IsCmyAxis() ? CExtPaintManager::InvertColor(m_clr) : m_clr, bytes);
  return {bytes[nX] * m_nPanelWidth / 255, bytes[nY] * m_nPanelHeight / 255};
}

int CExtColorCtrl::xyz_plain_data_t::BarMarker() const {
  int nX, nY, nAxis;
  Channels(nX, nY, nAxis);
  BYTE bytes[3];
  Split(IsCmyAxis() ? CExtPaintManager::InvertColor(m_clr) : m_clr, bytes);
  return bytes[nAxis] * m_nBarWidth / 255;
}

void CExtColorCtrl::xyz_plain_data_t::OnColorSet() {
  const POINT pt = PanelMarker();
  m_nMarkerX = pt.x;
  m_nMarkerY = pt.y;
  m_bPanelValid = false;
}

void CExtColorCtrl::xyz_plain_data_t::TrackBar(int bx) {
  int nX, nY, nAxis;
  Channels(nX, nY, nAxis);
  BYTE bytes[3];
  Split(IsCmyAxis() ? CExtPaintManager::InvertColor(m_clr) : m_clr, bytes);
  Channel(bytes, nAxis) = (BYTE)std::min(255, bx * 255 / m_nBarWidth);
  any_picker_data_t::SetColor(IsCmyAxis() ? CExtPaintManager::InvertColor(Join(bytes)) : Join(bytes));
  m_bPanelValid = false;
}

void CExtColorCtrl::xyz_plain_data_t::TrackPanel(int px, int py) {
  any_picker_data_t::SetColor(PanelColorAt(px, py));
}
