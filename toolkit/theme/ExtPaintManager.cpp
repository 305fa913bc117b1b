// The classic theme: construction, the change reactions and the layout answers. Colours are in
// ExtPaintManagerColors.cpp, fonts and system queries in ExtPaintManagerFonts.cpp.
#include "toolkit/theme/ExtPaintManager.h"

#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)

namespace {

// The palette used on palette devices: 7 levels of red by 6 of green by 6 of blue.
bool MakeWidePalette(CPalette& palette) {
  static const BYTE kRed[] = {0, 42, 85, 127, 170, 212, 255};
  static const BYTE kGreenBlue[] = {0, 51, 102, 153, 204, 255};
  const int nEntries = 7 * 6 * 6;
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[7 * 6 * 6 - 1];
  } pal = {};
  pal.head.palVersion = 0x300;
  pal.head.palNumEntries = nEntries;
  PALETTEENTRY* pEntry = pal.head.palPalEntry;
  for (BYTE r : kRed)
    for (BYTE g : kGreenBlue)
      for (BYTE b : kGreenBlue)
        *pEntry++ = PALETTEENTRY{r, g, b, 0};
  return palette.CreatePalette(&pal.head) != FALSE;
}

} // namespace

CExtPaintManager::CExtPaintManager() {
  m_mapColorTranslate.InitHashTable(17);
  MakeWidePalette(m_PaletteWide);
  if (g_PaintManagerHolder.IsNtMajor5OrLater())
    m_nFlags |= PMF_WIN2000_OR_LATER;
}

CExtPaintManager::~CExtPaintManager() = default;

void CExtPaintManager::Serialize(CArchive&) {}

int CExtPaintManager::GetThemeId() { return ThemeClassic; }

int CExtPaintManager::GetMenuItemSpacing() { return 6; }

bool CExtPaintManager::IsThemedDrawingAvailable() { return false; }

int CExtPaintManager::GetVisualStyleScheme() { return g_PaintManagerHolder.m_eVisualStyleScheme; }

void CExtPaintManager::OnPaintSessionComplete(CObject*, LPARAM) {}

HGLOBAL CExtPaintManager::AdjustDialogTemplate(const DLGTEMPLATE*, CObject*, bool, LPARAM) { return NULL; }

COLORREF CExtPaintManager::GetMenuBackgroundColor(CObject* pHelperSrc, LPARAM lParam) {
  return ColorByLogicalId(1000, pHelperSrc, lParam);
}

COLORREF CExtPaintManager::GetShadowColor() { return (COLORREF)-1; }

CSize CExtPaintManager::GetPushedOffset() { return CSize(1, 1); }

void CExtPaintManager::PaintToolBarChildBackground(CDC&, CWnd*, LPARAM, const RECT&) {}

void CExtPaintManager::GetTabBorderColors(COLORREF& clrFace, COLORREF& clrLight, COLORREF& clrDark) {
  clrFace = ColorByLogicalId(1000);
  clrLight = ColorByLogicalId(COLOR_3DHILIGHT);
  clrDark = ColorByLogicalId(COLOR_3DDKSHADOW);
}

void CExtPaintManager::GetTabMetrics(CWnd* pTabWnd, int* pnMetric1, int* pnMetric2, int* pnMetric3) {
  *pnMetric1 = 4;
  *pnMetric2 = 2;
  // Bit 7 of the tab window's style keeps the caller's third value.
  const auto* pSite = dynamic_cast<const CExtTabWndSite*>(static_cast<CObject*>(pTabWnd));
  if (pSite == NULL || (pSite->GetTabWndStyle() & 0x80) == 0)
    *pnMetric3 = 2;
}

void CExtPaintManager::TabWndPaintHook(CExtTabWnd*, LPVOID, CDC&, SIZE*) {}

CSize CExtPaintManager::GetInsertionMarkSize() { return CSize(6, 6); }

void CExtPaintManager::ReservedPaintHook(CDC&, const RECT&, int, int, CObject*, LPARAM) {}

int CExtPaintManager::GetTipShadowSize() { return 3; }

int CExtPaintManager::GetMenuShadowSize() { return 4; }

int CExtPaintManager::GetMenuBorderSize() { return 2; }

bool CExtPaintManager::IsMenuCombinedWithButton() { return false; }

bool CExtPaintManager::IsChevronMenuCombined() { return false; }

int CExtPaintManager::GetDockingMarkerMode() { return 0; }

int CExtPaintManager::GetAutoHideAreaMode() { return 0; }

bool CExtPaintManager::IsDockerBackgroundEnabled() { return (m_nFlags & PMF_DOCKER_BACKGROUND) != 0; }

bool CExtPaintManager::IsDockerBackgroundEnabledFor(CObject*, LPARAM) { return IsDockerBackgroundEnabled(); }

bool CExtPaintManager::HasDockerBackground(CObject* pHelperSrc, LPARAM lParam) {
  return IsDockerBackgroundEnabledFor(pHelperSrc, lParam);
}

// Every system change rebuilds the same way; the message values are not needed.
void CExtPaintManager::OnSysColorChange() {
  OnPaintSessionComplete(this, 0);
  RebuildFontsAndSysColors();
  BuildLogicalColors();
  RebuildHelperBrushes();
}

void CExtPaintManager::OnSettingChange(WPARAM, LPARAM) { OnSysColorChange(); }

void CExtPaintManager::OnDisplayChange(int, int, int) { OnSysColorChange(); }

void CExtPaintManager::OnThemeChanged(WPARAM, LPARAM) { OnSysColorChange(); }

void CExtPaintManager::GetDockHighlightMargins(int& nLeft, int& nTop, int& nRight, int& nBottom) {
  const int nMargin = (m_nDockMarkerStyle == 2 || m_nDockMarkerStyle == 3) ? 5 : 0;
  nLeft = nTop = nRight = nBottom = nMargin;
}

bool CExtPaintManager::IsDockMarkerStyle1() { return m_nDockMarkerStyle == 1; }

void CExtPaintManager::PaintToolBarButtonBackground(CDC&, CObject*, LPARAM) {}

COLORREF CExtPaintManager::QueryLabelBackground(CDC&, bool, int, int, int, CObject*, LPARAM) {
  return (COLORREF)-1;
}

bool CExtPaintManager::QueryCheckBoxCustomDraw(CDC&, const RECT&, const RECT&, int, bool, bool, CObject*,
                                               LPARAM) {
  return false;
}
