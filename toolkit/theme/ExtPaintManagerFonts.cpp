// The fonts every toolkit window draws text with, the small metric answers of menus and bars, and
// the process-wide queries: mouse-wheel step, monitors and work areas.
#include "toolkit/theme/ExtPaintManager.h"

#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

// The size of the classic NONCLIENTMETRICS, without the field newer headers add.
const UINT kNonClientMetricsSize = 340;
static_assert(sizeof(NONCLIENTMETRICSA) >= kNonClientMetricsSize, "NONCLIENTMETRICSA too small");

// Characters taller than this many pixels are capped in the compact fonts.
const LONG kCappedHeight = 11;

const int kUnreadWheelLines = 0;
int g_nWheelScrollLines = kUnreadWheelLines;

int CALLBACK FindFaceProc(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam) {
  if (lstrcmpiA(pLogFont->lfFaceName, "Tahoma") != 0)
    return 1;
  *reinterpret_cast<bool*>(lParam) = true;
  return 0;
}

// Whether the "Tahoma" family is installed. The families are those of a screen DC: without a DC
// the platform enumerates nothing.
bool IsTahomaInstalled() {
  HDC hScreen = ::GetDC(NULL);
  bool bFound = false;
  ::EnumFontFamiliesA(hScreen, NULL, FindFaceProc, reinterpret_cast<LPARAM>(&bFound));
  ::ReleaseDC(NULL, hScreen);
  return bFound;
}

// A font made from another one's description with one change.
template <class Change> bool DeriveFont(CFont& font, const CFont& source, Change change) {
  LOGFONTA lf = {};
  if (source.GetSafeHandle() == NULL || source.GetLogFont(&lf) == 0)
    return false;
  change(lf);
  return font.CreateFontIndirect(&lf) != FALSE;
}

void FillMonitorParams(MonitorParams& params, HMONITOR hMonitor) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (hMonitor != NULL && ::GetMonitorInfoA(hMonitor, &info)) {
    params.m_rcMonitor = info.rcMonitor;
    params.m_rcWorkArea = info.rcWork;
    params.m_nFlags = (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? MonitorParams::MONITOR_PRIMARY : 0;
    return;
  }
  ::GetWindowRect(::GetDesktopWindow(), &params.m_rcMonitor);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &params.m_rcWorkArea, 0);
  params.m_nFlags = MonitorParams::MONITOR_PRIMARY;
}

} // namespace

HFONT CExtPaintManager::CreateMenuFont() {
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = kNonClientMetricsSize;
  HFONT hFont = NULL;
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0)) {
    LOGFONTA lf = ncm.lfMenuFont;
    lf.lfCharSet = (BYTE)::GetTextCharset(NULL);
    if ((m_nFlags & PMF_WIN2000_OR_LATER) != 0 && IsTahomaInstalled())
      lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    hFont = ::CreateFontIndirectA(&lf);
  }
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
  return hFont;
}

void CExtPaintManager::DeleteFonts() {
  CFont* const arrFonts[] = {
      &m_FontNormal,       &m_FontNormalVert,       &m_FontNormalVertUp,
      &m_FontBold,         &m_FontBoldVert,         &m_FontBoldVertUp,
      &m_FontNormalCapped, &m_FontNormalVertCapped, &m_FontNormalVertUpCapped,
      &m_FontBoldCapped,   &m_FontBoldVertCapped,   &m_FontBoldVertUpCapped,
      &m_FontMarlett,
  };
  for (CFont* pFont : arrFonts)
    pFont->DeleteObject();
}

void CExtPaintManager::RebuildFontsAndSysColors() {
  g_PaintManagerHolder.DetectVisualStyle();

  DeleteFonts();
  m_FontNormal.Attach(CreateMenuFont());
  // Windows 9x and NT 4 turn text only in "Arial".
  const bool bArialVertical = g_PaintManagerHolder.IsWin9x() || g_PaintManagerHolder.IsNt4();
  auto turned = [bArialVertical](LONG nEscapement) {
    return [bArialVertical, nEscapement](LOGFONTA& lf) {
      lf.lfEscapement = nEscapement;
      if (bArialVertical)
        lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    };
  };
  DeriveFont(m_FontNormalVert, m_FontNormal, turned(2700));
  DeriveFont(m_FontNormalVertUp, m_FontNormal, turned(900));
  DeriveFont(m_FontBold, m_FontNormal, [](LOGFONTA& lf) { lf.lfWeight = FW_HEAVY; });
  DeriveFont(m_FontBoldVert, m_FontBold, turned(2700));
  DeriveFont(m_FontBoldVertUp, m_FontBold, turned(900));
  auto capped = [](LOGFONTA& lf) { lf.lfHeight = std::max(lf.lfHeight, -kCappedHeight); };
  DeriveFont(m_FontNormalCapped, m_FontNormal, capped);
  DeriveFont(m_FontNormalVertCapped, m_FontNormalVert, capped);
  DeriveFont(m_FontNormalVertUpCapped, m_FontNormalVertUp, capped);
  DeriveFont(m_FontBoldCapped, m_FontBold, capped);
  DeriveFont(m_FontBoldVertCapped, m_FontBoldVert, capped);
  DeriveFont(m_FontBoldVertUpCapped, m_FontBoldVertUp, capped);
  DeriveFont(m_FontMarlett, m_FontNormal, [](LOGFONTA& lf) {
    lstrcpynA(lf.lfFaceName, "Marlett", LF_FACESIZE);
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfWeight = 0;
    lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
  });

  const INT_PTR nOldColors = m_colors.GetSize(), nOldBrushes = m_brushes.GetSize();
  if (nOldColors < SYS_COLOR_COUNT) {
    m_colors.SetSize(SYS_COLOR_COUNT);
    for (INT_PTR i = nOldColors; i < SYS_COLOR_COUNT; ++i)
      m_colors[i] = ::GetSysColor(COLOR_3DFACE);
  }
  if (nOldBrushes < SYS_COLOR_COUNT) {
    m_brushes.SetSize(SYS_COLOR_COUNT);
    for (INT_PTR i = nOldBrushes; i < SYS_COLOR_COUNT; ++i)
      m_brushes[i] = ::GetSysColorBrush(COLOR_3DFACE);
  }
  for (int i = 0; i < SYS_COLOR_COUNT; ++i) {
    m_colors[i] = ::GetSysColor(i);
    m_brushes[i] = ::GetSysColorBrush(i);
  }
}

int CExtPaintManager::GetTextLineHeight(bool) {
  CDC dc;
  dc.Attach(::GetDC(NULL));
  CFont* pOld = dc.SelectObject(&m_FontNormal);
  TEXTMETRICA tm = {};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(pOld);
  ::ReleaseDC(NULL, dc.Detach());
  return tm.tmHeight + 2;
}

int CExtPaintManager::GetMenuExpandButtonHeight() { return ::GetSystemMetrics(SM_CYMENUCHECK); }

int CExtPaintManager::GetMenuTearOffCaptionHeight() { return 8; }

CSize CExtPaintManager::GetToolBarRowAdjust(bool) { return CSize(0, 0); }

CSize CExtPaintManager::GetToolBarButtonSpacing() { return CSize(0, 0); }

int CExtPaintManager::GetMouseWheelScrollLines() {
  if (g_nWheelScrollLines != kUnreadWheelLines)
    return g_nWheelScrollLines;
  g_nWheelScrollLines = 3;
  UINT nLines = 0;
  if (!g_PaintManagerHolder.IsWin95() && ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
    g_nWheelScrollLines = std::max(2, (int)nLines);
  return g_nWheelScrollLines;
}

void CExtPaintManager::TestResetMouseWheelScrollLines() { g_nWheelScrollLines = kUnreadWheelLines; }

void CExtPaintManager::GetMonitorAreaFromPoint(MonitorParams& params, POINT pt) {
  FillMonitorParams(params, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::GetMonitorAreaFromRect(MonitorParams& params, const RECT& rc) {
  FillMonitorParams(params, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::GetWorkAreaOfWindow(MonitorParams& params, CWnd* pWnd) {
  RECT rc = {0, 0, 0, 0};
  if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
    ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
  GetMonitorAreaFromRect(params, rc);
}
