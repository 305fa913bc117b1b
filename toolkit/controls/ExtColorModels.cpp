// The picker interface, the off-screen pictures the gradient pickers cache, and the layout,
// painting and tracking the panel pickers share.
#include "toolkit/controls/ExtColorModels.h"

#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>

namespace {

// The screen's DC while a reference DC is missing.
class ScreenDC {
public:
  ScreenDC() : m_hDC(::GetDC(NULL)) {}
  ~ScreenDC() {
    if (m_hDC != NULL)
      ::ReleaseDC(NULL, m_hDC);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return m_hDC; }

private:
  HDC m_hDC;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Off-screen pictures

bool CExtColorPicture::Create(CDC* pRefDC, int cx, int cy, CPalette* pPalette) {
  Destroy();
  if (cx <= 0 || cy <= 0)
    return false;
  ScreenDC screen;
  const HDC hRef = pRefDC != NULL && pRefDC->GetSafeHdc() != NULL ? pRefDC->GetSafeHdc() : screen.Get();
  if (hRef == NULL || !m_bmp.Attach(::CreateCompatibleBitmap(hRef, cx, cy)))
    return false;
  if (!m_dc.Attach(::CreateCompatibleDC(hRef))) {
    m_bmp.DeleteObject();
    return false;
  }
  m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_bmp.m_hObject);
  if (pPalette != NULL && pPalette->GetSafeHandle() != NULL) {
    m_hOldPalette = ::SelectPalette(m_dc.m_hDC, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
    ::RealizePalette(m_dc.m_hDC);
  }
  m_cx = cx;
  m_cy = cy;
  return true;
}

void CExtColorPicture::Destroy() {
  if (m_dc.GetSafeHdc() != NULL) {
    if (m_hOldPalette != NULL)
      ::SelectPalette(m_dc.m_hDC, m_hOldPalette, FALSE);
    ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
    m_dc.DeleteDC();
  }
  m_hOldPalette = NULL;
  m_hOldBitmap = NULL;
  if (m_bmp.GetSafeHandle() != NULL)
    m_bmp.DeleteObject();
  m_cx = m_cy = 0;
}

CExtColorPictureCanvas::CExtColorPictureCanvas(CExtColorPicture& picture, bool bPaletteScreen)
    : m_picture(picture), m_bPalette(bPaletteScreen) {
  if (!m_bPalette && picture.Exists())
    m_bits.assign((size_t)picture.Width() * picture.Height(), 0x00FFFFFF);
}

CExtColorPictureCanvas::~CExtColorPictureCanvas() {
  if (m_bPalette || m_bits.empty() || !m_picture.Exists())
    return;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = m_picture.Width();
  bmi.bmiHeader.biHeight = -m_picture.Height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(m_picture.dc().m_hDC, 0, 0, m_picture.Width(), m_picture.Height(), 0, 0, 0,
                      m_picture.Height(), m_bits.data(), &bmi, DIB_RGB_COLORS);
}

void CExtColorPictureCanvas::Fill(COLORREF clr) {
  FillRect(0, 0, m_picture.Width(), m_picture.Height(), clr);
}

void CExtColorPictureCanvas::SetPixel(int x, int y, COLORREF clr) {
  if (x < 0 || y < 0 || x >= m_picture.Width() || y >= m_picture.Height())
    return;
  if (m_bPalette) {
    ::SetPixelV(m_picture.dc().m_hDC, x, y, clr);
    return;
  }
  m_bits[(size_t)y * m_picture.Width() + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}

void CExtColorPictureCanvas::FillRect(int x, int y, int cx, int cy, COLORREF clr) {
  const int left = std::max(0, x), top = std::max(0, y);
  const int right = std::min(m_picture.Width(), x + cx), bottom = std::min(m_picture.Height(), y + cy);
  if (left >= right || top >= bottom)
    return;
  if (m_bPalette) {
    // A solid brush lets the palette screen dither the colour.
    CBrush brush;
    if (!brush.CreateSolidBrush(clr))
      return;
    const RECT rc = {left, top, right, bottom};
    ::FillRect(m_picture.dc().m_hDC, &rc, (HBRUSH)brush.m_hObject);
    return;
  }
  const DWORD dw = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
  for (int row = top; row < bottom; ++row)
    std::fill_n(m_bits.begin() + (size_t)row * m_picture.Width() + left, right - left, dw);
}

CExtColorPaletteScope::CExtColorPaletteScope(CDC* pDC, CPalette* pPalette) {
  if (pDC == NULL || pDC->GetSafeHdc() == NULL || pPalette == NULL || pPalette->GetSafeHandle() == NULL)
    return;
  m_pDC = pDC;
  m_hOld = ::SelectPalette(pDC->m_hDC, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
  ::RealizePalette(pDC->m_hDC);
}

CExtColorPaletteScope::~CExtColorPaletteScope() {
  if (m_pDC != NULL && m_hOld != NULL)
    ::SelectPalette(m_pDC->m_hDC, m_hOld, FALSE);
}

// ---------------------------------------------------------------------------------------------
// The picker interface

bool CExtColorCtrl::any_picker_data_t::Build(CDC*, CPalette*, int cx, int cy, bool) {
  m_nWidth = std::max(1, cx);
  m_nHeight = std::max(1, cy);
  return true;
}

void CExtColorCtrl::any_picker_data_t::SetReferenceColor(COLORREF clr) { m_clrReference = clr; }

void CExtColorCtrl::any_picker_data_t::SetColor(COLORREF clr) {
  m_clr = clr;
  CExtPaintManager::RgbToHls(clr, &m_dHue, &m_dSaturation, &m_dLightness);
}

void CExtColorCtrl::any_picker_data_t::SetHLS(double dHue, double dLightness, double dSaturation) {
  m_dHue = dHue;
  m_dLightness = dLightness;
  m_dSaturation = dSaturation;
  m_clr = CExtPaintManager::HlsToRgb(dHue, dLightness, dSaturation);
}

bool CExtColorCtrl::any_picker_data_t::IsPaletteScreen() {
  return CExtPaintManager::GetScreenBitsPerPixel() <= 8;
}

// ---------------------------------------------------------------------------------------------
// The panel family: a panel above a bar, each with its cached picture and marker

bool CExtColorCtrl::hsl_panel_data_t::Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool) {
  cx = std::max(1, cx);
  cy = std::max(1, cy);
  if (cx == m_cxClient && cy == m_cyClient)
    return true;
  ReleasePictures();
  m_nTrackPart = TRACK_NONE;
  m_cxClient = cx;
  m_cyClient = cy;
  const int w = cx - 2 * m_nMargin, h = cy - 3 * m_nMargin;
  // Too small for a panel above the bar: the picker keeps sizes of at least one pixel for its
  // arithmetic but shows and takes nothing.
  m_bEmpty = w < 1 || h - m_nBarHeightConst < 1;
  m_nPanelWidth = m_nBarWidth = std::max(1, w);
  m_nPanelHeight = std::max(1, h - m_nBarHeightConst);
  m_nBarHeight = m_nBarHeightConst;
  m_nWidth = std::max(1, w);
  m_nHeight = std::max(1, h);
  OnColorSet();
  BuildPanelBitmap(pDC, pPalette);
  BuildBarBitmap(pDC, pPalette);
  return true;
}

void CExtColorCtrl::hsl_panel_data_t::ReleasePictures() {
  m_dcPanel.Destroy();
  m_dcBar.Destroy();
  m_bPanelValid = m_bBarValid = false;
}

void CExtColorCtrl::hsl_panel_data_t::Release() {
  ReleasePictures();
  m_nTrackPart = TRACK_NONE;
}

void CExtColorCtrl::hsl_panel_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette) {
  if (m_dcPanel.Exists() && m_bPanelValid)
    return;
  m_dcPanel.Destroy();
  if (!m_dcPanel.Create(pDC, m_nPanelWidth, m_nPanelHeight, pPalette))
    return;
  {
    CExtColorPictureCanvas canvas(m_dcPanel, IsPaletteScreen());
    const int step = canvas.IsPaletteScreen() ? 4 : 1;
    for (int y = 0; y < m_nPanelHeight; y += step)
      for (int x = 0; x < m_nPanelWidth; x += step)
        if (step == 1)
          canvas.SetPixel(x, y, PanelColorAt(x, y));
        else
          canvas.FillRect(x, y, 4, 4, PanelColorAt(x, y));
  }
  m_bPanelValid = true;
}

void CExtColorCtrl::hsl_panel_data_t::BuildBarBitmap(CDC* pDC, CPalette* pPalette) {
  if (m_dcBar.Exists() && m_bBarValid)
    return;
  m_dcBar.Destroy();
  if (!m_dcBar.Create(pDC, m_nBarWidth, m_nBarHeight, pPalette))
    return;
  {
    CExtColorPictureCanvas canvas(m_dcBar, IsPaletteScreen());
    if (canvas.IsPaletteScreen()) {
      for (int x = m_nBarWidth - 1; x >= 0; x -= 4)
        canvas.FillRect(x - 3, 0, 4, m_nBarHeight, BarColorAt(x));
    } else {
      for (int x = m_nBarWidth - 1; x >= 0; --x)
        canvas.FillRect(x, 0, 1, m_nBarHeight, BarColorAt(x));
    }
  }
  m_bBarValid = true;
}

COLORREF CExtColorCtrl::hsl_panel_data_t::PanelColorAt(int x, int y) const {
  return CExtPaintManager::HlsToRgb((double)x / m_nPanelWidth, 0.5,
                                    (double)(m_nPanelHeight - y - 1) / m_nPanelHeight);
}

COLORREF CExtColorCtrl::hsl_panel_data_t::BarColorAt(int x) const {
  return CExtPaintManager::HlsToRgb(m_dHue, (double)x / m_nBarWidth, m_dSaturation);
}

POINT CExtColorCtrl::hsl_panel_data_t::PanelMarker() const { return {m_nMarkerX, m_nMarkerY}; }

int CExtColorCtrl::hsl_panel_data_t::BarMarker() const { return (int)(m_nBarWidth * m_dLightness); }

POINT CExtColorCtrl::hsl_panel_data_t::PanelOrigin() const { return {m_nMargin, m_nMargin}; }

POINT CExtColorCtrl::hsl_panel_data_t::BarOrigin() const {
  return {m_nMargin, m_nPanelHeight + 2 * m_nMargin};
}

void CExtColorCtrl::hsl_panel_data_t::OnColorSet() {
  m_nMarkerX = (int)(m_nPanelWidth * m_dHue);
  m_nMarkerY = m_nPanelHeight - (int)(m_nPanelHeight * m_dSaturation) - 1;
  m_bBarValid = false;
}

void CExtColorCtrl::hsl_panel_data_t::SetColor(COLORREF clr) {
  any_picker_data_t::SetColor(clr);
  OnColorSet();
}

void CExtColorCtrl::hsl_panel_data_t::SetHLS(double dHue, double dLightness, double dSaturation) {
  any_picker_data_t::SetHLS(dHue, dLightness, dSaturation);
  OnColorSet();
}

void CExtColorCtrl::hsl_panel_data_t::DrawMarker(CDC& dc, int x, int y, int cx, int cy) {
  const RECT rc = {x - cx / 2, y - cy / 2, x - cx / 2 + cx, y - cy / 2 + cy};
  dc.Draw3dRect(&rc, RGB(255, 255, 255), RGB(255, 255, 255));
  const RECT rcOuter = {rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1};
  dc.Draw3dRect(&rcOuter, RGB(0, 0, 0), RGB(0, 0, 0));
}

void CExtColorCtrl::hsl_panel_data_t::PaintPanelPicture(CDC& dc) {
  if (m_dcPanel.Exists())
    dc.BitBlt(m_nMargin, m_nMargin, m_nPanelWidth, m_nPanelHeight, &m_dcPanel.dc(), 0, 0, SRCCOPY);
}

void CExtColorCtrl::hsl_panel_data_t::Paint(CDC* pDC, CPalette* pPalette) {
  CExtColorPaletteScope palette(pDC, pPalette);
  if (pDC == NULL || pDC->GetSafeHdc() == NULL || m_bEmpty)
    return;
  BuildPanelBitmap(pDC, pPalette);
  BuildBarBitmap(pDC, pPalette);
  PaintPanelPicture(*pDC);
  const POINT ptBar = BarOrigin();
  if (m_dcBar.Exists())
    pDC->BitBlt(ptBar.x, ptBar.y, m_nBarWidth, m_nBarHeight, &m_dcBar.dc(), 0, 0, SRCCOPY);
  const POINT ptMarker = PanelMarker();
  DrawMarker(*pDC, m_nMargin + ptMarker.x, m_nMargin + ptMarker.y, 6, 6);
  DrawMarker(*pDC, m_nMargin + BarMarker(), m_nBarHeight / 2 + ptBar.y, 6, m_nBarHeight);
}

void CExtColorCtrl::hsl_panel_data_t::OnButtonDown(UINT nFlags, int x, int y) {
  if (m_bEmpty || !m_bPanelValid)
    return;
  m_nTrackPart = y - 2 * m_nMargin > m_nPanelHeight ? TRACK_BAR : TRACK_PANEL;
  OnTrack(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::hsl_panel_data_t::OnButtonUp(UINT, int, int) { m_nTrackPart = TRACK_NONE; }

void CExtColorCtrl::hsl_panel_data_t::OnTrack(UINT nFlags, int x, int y) {
  if (m_bEmpty || !IsTrackingPictureValid() || (nFlags & MK_LBUTTON) == 0)
    return;
  if (m_nTrackPart == TRACK_BAR) {
    TrackBar(std::clamp(x - m_nMargin, 0, m_nBarWidth));
    return;
  }
  if (m_nTrackPart != TRACK_PANEL)
    return;
  int px = std::clamp(x - m_nMargin, 0, m_nPanelWidth);
  int py = std::clamp(y - m_nMargin, 0, m_nPanelHeight);
  if ((nFlags & MK_CONTROL) != 0)
    px = m_nMarkerX;
  if ((nFlags & MK_SHIFT) != 0)
    py = m_nMarkerY;
  m_nMarkerX = px;
  m_nMarkerY = py;
  TrackPanel(px, py);
}

void CExtColorCtrl::hsl_panel_data_t::TrackBar(int bx) {
  any_picker_data_t::SetHLS(m_dHue, (double)bx / m_nBarWidth, m_dSaturation);
}

void CExtColorCtrl::hsl_panel_data_t::TrackPanel(int px, int py) {
  any_picker_data_t::SetHLS((double)px / m_nPanelWidth, m_dLightness,
                            (double)(m_nPanelHeight - py) / m_nPanelHeight);
  m_bBarValid = false;
}
