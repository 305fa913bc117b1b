#include "toolkit/controls/ExtColorCtrl.h"

#include "framework/gdi/fw_gdi.h"
#include "toolkit/controls/ExtColorModels.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <optional>

namespace {

// The names of the named modes when the resources carry none.
const char* const g_arrBuiltInModeNames[CExtColorCtrl::MODE_NAMED_COUNT] = {
    " basic colors",
    " hue, saturation and luminance - mixer",
    " hue, saturation and luminance - basic hue",
    " hue, saturation and luminance - roller",
    " red, green and blue - cube",
    " red, green and blue - mixer",
    " gray scale mixer",
    " cyan, magenta and yellow - cube",
    " cyan, magenta and yellow - mixer",
    " red axis",
    " green axis",
    " blue axis",
    " cyan axis",
    " magenta axis",
    " yellow axis",
};

const COLORREF g_clrWhite = RGB(255, 255, 255);

bool IsPaletteDevice(CDC& dc) { return (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0; }

CPalette* ThemePalette() {
  CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
  if (pPM == NULL || pPM->m_PaletteWide.GetSafeHandle() == NULL)
    return NULL;
  return &pPM->m_PaletteWide;
}

} // namespace

// One model of each kind, in mode order; the six axis planes differ only in their axis.
struct CExtColorCtrl::model_set_t {
  cell_based_data_t m_basic;
  hsl_panel_data_t m_hslPanel;
  hsl_basic_hue_data_t m_hslBasicHue;
  hsl_roller_data_t m_hslRoller;
  rgb_cube_data_t m_rgbCube;
  rgb_mixer_data_t m_rgbMixer;
  grayscale_mixer_data_t m_grayMixer;
  cmy_cube_data_t m_cmyCube;
  cmy_mixer_data_t m_cmyMixer;
  xyz_plain_data_t m_axisRed{0};
  xyz_plain_data_t m_axisGreen{1};
  xyz_plain_data_t m_axisBlue{2};
  xyz_plain_data_t m_axisCyan{3};
  xyz_plain_data_t m_axisMagenta{4};
  xyz_plain_data_t m_axisYellow{5};
  diff_data_t m_diff;

  void Fill(any_picker_data_t* (&arr)[MODE_COUNT]) {
    any_picker_data_t* const all[MODE_COUNT] = {&m_basic,    &m_hslPanel,    &m_hslBasicHue, &m_hslRoller,
                                                &m_rgbCube,  &m_rgbMixer,    &m_grayMixer,   &m_cmyCube,
                                                &m_cmyMixer, &m_axisRed,     &m_axisGreen,   &m_axisBlue,
                                                &m_axisCyan, &m_axisMagenta, &m_axisYellow,  &m_diff};
    for (int i = 0; i < MODE_COUNT; ++i)
      arr[i] = all[i];
  }
};

BEGIN_MESSAGE_MAP(CExtColorCtrl, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_CANCELMODE()
ON_WM_KILLFOCUS()
ON_WM_CAPTURECHANGED()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CExtColorCtrl::CExtColorCtrl(int nMode)
    : m_nMode(nMode), m_bCaptured(false), m_clrReference(g_clrWhite), m_clrCurrent(g_clrWhite),
      m_clrPrevious(g_clrWhite), m_pModels(), m_pModelSet(std::make_unique<model_set_t>()) {
  m_pModelSet->Fill(m_pModels);
}

CExtColorCtrl::~CExtColorCtrl() {
  ReleaseAllModels();
  // The models are destroyed with the set, in the reverse order of their construction.
}

CString CExtColorCtrl::GetModeName(int nMode) {
  CString strName;
  if (nMode < 0 || nMode >= MODE_NAMED_COUNT)
    return strName;
  if (!g_ResourceManagerHolder->LoadString(strName, IDS_FIRST_MODE_NAME + nMode))
    strName = g_arrBuiltInModeNames[nMode];
  return strName;
}

CExtColorCtrl::any_picker_data_t* CExtColorCtrl::GetCurrentModel() const {
  if (m_nMode < 0 || m_nMode >= MODE_COUNT)
    return NULL;
  return m_pModels[m_nMode];
}

void CExtColorCtrl::ReleaseAllModels() {
  for (any_picker_data_t* pModel : m_pModels)
    pModel->Release();
}

void CExtColorCtrl::Rebuild(bool bGeometryOnly) {
  if (!bGeometryOnly)
    ReleaseAllModels();
  any_picker_data_t* pModel = GetCurrentModel();
  if (GetSafeHwnd() == NULL || pModel == NULL)
    return;
  CRect rcClient;
  GetClientRect(&rcClient);
  CClientDC dc(this);
  pModel->Build(&dc, ThemePalette(), rcClient.Width(), rcClient.Height(), bGeometryOnly);
  pModel->SetColor(m_clrCurrent);
  pModel->SetReferenceColor(m_clrReference);
}

void CExtColorCtrl::SetCurrentColor(COLORREF clr, bool bNotify) {
  if (clr != m_clrCurrent) {
    m_clrCurrent = clr;
    if (bNotify)
      NotifyColorChanged();
  }
  if (any_picker_data_t* pModel = GetCurrentModel())
    pModel->SetColor(m_clrCurrent);
  RepaintNow();
}

void CExtColorCtrl::NotifyColorChanged() {
  if (GetSafeHwnd() == NULL)
    return;
  HWND hWndParent = ::GetParent(m_hWnd);
  if (hWndParent == NULL)
    return;
  // The receiver reads the block during the call only.
  COLORREF arrBlock[3] = {m_clrReference, m_clrCurrent, m_clrPrevious};
  ::SendMessageA(hWndParent, g_nMsgColorChanged, reinterpret_cast<WPARAM>(m_hWnd),
                 reinterpret_cast<LPARAM>(arrBlock));
}

void CExtColorCtrl::RepaintNow() {
  if (GetSafeHwnd() == NULL)
    return;
  Invalidate(TRUE);
  UpdateWindow();
}

void CExtColorCtrl::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  Rebuild(false);
}

LRESULT CExtColorCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_UPDATEUISTATE:
    return 0;
  // Buttons other than the left one, double clicks and key releases do nothing here.
  case WM_KEYUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    return 0;
  case WM_ENABLE:
  case WM_SETTEXT: {
    const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    RepaintNow();
    return lResult;
  }
  default:
    break;
  }
  const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
  switch (message) {
  case WM_SYSCOLORCHANGE:
    ExtSystemChanges::SysColorChanged(this);
    break;
  case WM_SETTINGCHANGE:
    ExtSystemChanges::SettingChanged(this, static_cast<UINT>(wParam), reinterpret_cast<LPCSTR>(lParam));
    break;
  case WM_DISPLAYCHANGE:
    ExtSystemChanges::DisplayChanged(this, wParam, lParam);
    break;
  case WM_THEMECHANGED:
    ExtSystemChanges::ThemeChanged(this, wParam, lParam);
    break;
  default:
    break;
  }
  return lResult;
}

void CExtColorCtrl::TakeModelColor(any_picker_data_t* pModel) {
  if (pModel->m_clr == m_clrCurrent)
    return;
  m_clrPrevious = m_clrCurrent;
  m_clrCurrent = pModel->m_clr;
  NotifyColorChanged();
  RepaintNow();
}

void CExtColorCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_bCaptured) {
    m_bCaptured = true;
    CExtMouseCaptureSink::SetCapture(m_hWnd);
  }
  any_picker_data_t* pModel = GetCurrentModel();
  if (pModel == NULL)
    return;
  if (pModel->m_clr != m_clrCurrent) {
    pModel->SetColor(m_clrCurrent);
    RepaintNow();
  }
  pModel->OnButtonDown(nFlags, point.x, point.y);
  OnMouseMove(0, point);
  TakeModelColor(pModel);
}

void CExtColorCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bCaptured)
    return;
  any_picker_data_t* pModel = GetCurrentModel();
  if (pModel == NULL)
    return;
  pModel->OnTrack(nFlags, point.x, point.y);
  TakeModelColor(pModel);
}

void CExtColorCtrl::EndDrag() {
  if (!m_bCaptured)
    return;
  m_bCaptured = false;
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
}

void CExtColorCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  EndDrag();
  if (any_picker_data_t* pModel = GetCurrentModel())
    pModel->OnButtonUp(nFlags, point.x, point.y);
}

void CExtColorCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // A key press cancels a drag; the colour reached so far stays.
  EndDrag();
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CExtColorCtrl::OnCancelMode() {
  CWnd::OnCancelMode();
  EndDrag();
}

void CExtColorCtrl::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  EndDrag();
}

void CExtColorCtrl::OnCaptureChanged(CWnd* pWnd) { CWnd::OnCaptureChanged(pWnd); }

BOOL CExtColorCtrl::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CExtColorCtrl::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  Rebuild(true);
  RepaintNow();
}

BOOL CExtColorCtrl::OnQueryNewPalette() {
  Invalidate(TRUE);
  return CWnd::OnQueryNewPalette();
}

void CExtColorCtrl::OnPaletteChanged(CWnd* pFocusWnd) {
  CWnd::OnPaletteChanged(pFocusWnd);
  Invalidate(TRUE);
}

void CExtColorCtrl::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.IsRectEmpty() || !dcPaint.RectVisible(&rcClient))
    return;
  CPalette* pPalette = ThemePalette();
  std::optional<CExtColorPaletteScope> paintPalette;
  if (pPalette != NULL && IsPaletteDevice(dcPaint))
    paintPalette.emplace(&dcPaint, pPalette);
  CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
  CExtLabel::PaintControlBackground(dc, this, rcClient, (COLORREF)-1);
  std::optional<CExtColorPaletteScope> memoryPalette;
  CPalette* pModelPalette = NULL;
  if (pPalette != NULL && IsPaletteDevice(dc)) {
    memoryPalette.emplace(&dc, pPalette);
    pModelPalette = pPalette;
  }
  if (any_picker_data_t* pModel = GetCurrentModel())
    pModel->Paint(&dc, pModelPalette);
  // The palettes are restored before the memory DC copies itself to the screen.
  memoryPalette.reset();
}
