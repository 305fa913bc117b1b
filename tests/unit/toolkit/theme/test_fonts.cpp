// The themes' fonts with the "Tahoma" and "Marlett" faces installed, their metric answers, and
// the process-wide queries of wheel step and monitor areas.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "tests/common/window_support.h"

#include <string>

namespace {

const UINT kNcmSize = 340;

// Sets the system's menu font for the length of a test.
class ScopedMenuFont {
public:
  ScopedMenuFont(LPCSTR pszFace, LONG lfHeight) {
    m_old.cbSize = kNcmSize;
    m_bRead = ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNcmSize, &m_old, 0) != FALSE;
    NONCLIENTMETRICSA ncm = m_old;
    lstrcpynA(ncm.lfMenuFont.lfFaceName, pszFace, LF_FACESIZE);
    ncm.lfMenuFont.lfHeight = lfHeight;
    ncm.lfMenuFont.lfWeight = FW_NORMAL;
    m_bSet = ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, kNcmSize, &ncm, 0) != FALSE;
  }
  ~ScopedMenuFont() {
    if (m_bRead)
      ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, kNcmSize, &m_old, 0);
  }
  ScopedMenuFont(const ScopedMenuFont&) = delete;
  ScopedMenuFont& operator=(const ScopedMenuFont&) = delete;
  bool IsSet() const { return m_bRead && m_bSet; }

private:
  NONCLIENTMETRICSA m_old = {};
  bool m_bRead = false, m_bSet = false;
};

LOGFONTA LogFont(CFont& font) {
  LOGFONTA lf = {};
  font.GetLogFont(&lf);
  return lf;
}

// The face the system really uses for the font (a missing face is replaced by another one).
std::string RealFace(CFont& font) {
  HDC hScreen = ::GetDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hScreen, font);
  char szFace[LF_FACESIZE] = {};
  ::GetTextFaceA(hScreen, LF_FACESIZE, szFace);
  ::SelectObject(hScreen, hOld);
  ::ReleaseDC(NULL, hScreen);
  return szFace;
}

OSVERSIONINFOA Version(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor) {
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof(v);
  v.dwPlatformId = dwPlatform;
  v.dwMajorVersion = dwMajor;
  v.dwMinorVersion = dwMinor;
  return v;
}

using ThemeFonts = ThemeTest;

TEST_F(ThemeFonts, TahomaAndMarlettAreInstalled) {
  CFont tahoma, marlett;
  ASSERT_TRUE(tahoma.CreatePointFont(80, "Tahoma"));
  ASSERT_TRUE(marlett.CreatePointFont(80, "Marlett"));
  EXPECT_EQ("Tahoma", RealFace(tahoma));
  EXPECT_EQ("Marlett", RealFace(marlett));
}

TEST_F(ThemeFonts, FontsComeFromTheMenuFontInTheirForms) {
  ScopedMenuFont menuFont("Liberation Sans", -15);
  ASSERT_TRUE(menuFont.IsSet());
  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CExtPaintManager));
  CExtPaintManager& pm = *g_PaintManagerHolder.GetPM();
  const struct {
    const char* name;
    CFont& font;
    LONG lfHeight, lfEscapement, lfWeight;
  } rows[] = {
      {"normal", pm.m_FontNormal, -15, 0, FW_NORMAL},
      {"normal down", pm.m_FontNormalVert, -15, 2700, FW_NORMAL},
      {"normal up", pm.m_FontNormalVertUp, -15, 900, FW_NORMAL},
      {"bold", pm.m_FontBold, -15, 0, FW_HEAVY},
      {"bold down", pm.m_FontBoldVert, -15, 2700, FW_HEAVY},
      {"bold up", pm.m_FontBoldVertUp, -15, 900, FW_HEAVY},
      {"capped normal", pm.m_FontNormalCapped, -11, 0, FW_NORMAL},
      {"capped normal down", pm.m_FontNormalVertCapped, -11, 2700, FW_NORMAL},
      {"capped normal up", pm.m_FontNormalVertUpCapped, -11, 900, FW_NORMAL},
      {"capped bold", pm.m_FontBoldCapped, -11, 0, FW_HEAVY},
      {"capped bold down", pm.m_FontBoldVertCapped, -11, 2700, FW_HEAVY},
      {"capped bold up", pm.m_FontBoldVertUpCapped, -11, 900, FW_HEAVY},
  };
  for (const auto& row : rows) {
    const LOGFONTA lf = LogFont(row.font);
    EXPECT_EQ(row.lfHeight, lf.lfHeight) << row.name;
    EXPECT_EQ(row.lfEscapement, lf.lfEscapement) << row.name;
    EXPECT_EQ(row.lfWeight, lf.lfWeight) << row.name;
    // The system runs Windows 2000 or later with "Tahoma" installed.
    EXPECT_STREQ("Tahoma", lf.lfFaceName) << row.name;
  }
  const LOGFONTA lfGlyphs = LogFont(pm.m_FontMarlett);
  EXPECT_STREQ("Marlett", lfGlyphs.lfFaceName);
  EXPECT_EQ(SYMBOL_CHARSET, lfGlyphs.lfCharSet);
  EXPECT_EQ(0, lfGlyphs.lfWeight);
  EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, lfGlyphs.lfHeight);
  EXPECT_EQ("Marlett", RealFace(pm.m_FontMarlett));
  EXPECT_EQ("Tahoma", RealFace(pm.m_FontNormal));
}

TEST_F(ThemeFonts, SmallMenuFontsAreNotCapped) {
  ScopedMenuFont menuFont("Tahoma", -9);
  ASSERT_TRUE(menuFont.IsSet());
  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CExtPaintManagerOffice2003));
  EXPECT_EQ(-9, LogFont(g_PaintManagerHolder->m_FontNormal).lfHeight);
  EXPECT_EQ(-9, LogFont(g_PaintManagerHolder->m_FontBoldVertUpCapped).lfHeight);
}

TEST_F(ThemeFonts, OlderSystemsKeepTheMenuFaceAndTurnTextInArial) {
  ScopedMenuFont menuFont("Liberation Sans", -13);
  ASSERT_TRUE(menuFont.IsSet());
  const struct {
    const char* name;
    OSVERSIONINFOA version;
    const char *pszFace, *pszVerticalFace;
  } rows[] = {
      {"Windows 98", Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10), "Liberation Sans", "Arial"},
      {"Windows NT 4", Version(VER_PLATFORM_WIN32_NT, 4, 0), "Liberation Sans", "Arial"},
      {"Windows 2000", Version(VER_PLATFORM_WIN32_NT, 5, 0), "Tahoma", "Tahoma"},
      {"Windows XP", Version(VER_PLATFORM_WIN32_NT, 5, 1), "Tahoma", "Tahoma"},
  };
  for (const auto& row : rows) {
    CExtPaintManagerHolder::TestForceOsVersion(&row.version);
    g_PaintManagerHolder.ClassifyOsVersion();
    ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CExtPaintManagerXP));
    CExtPaintManager& pm = *g_PaintManagerHolder.GetPM();
    EXPECT_STREQ(row.pszFace, LogFont(pm.m_FontNormal).lfFaceName) << row.name;
    EXPECT_STREQ(row.pszFace, LogFont(pm.m_FontBoldCapped).lfFaceName) << row.name;
    for (CFont* pFont : {&pm.m_FontNormalVert, &pm.m_FontNormalVertUp, &pm.m_FontBoldVert,
                         &pm.m_FontBoldVertUp, &pm.m_FontBoldVertUpCapped})
      EXPECT_STREQ(row.pszVerticalFace, LogFont(*pFont).lfFaceName) << row.name;
  }
}

TEST_F(ThemeFonts, TextLinesAreTheNormalFontsHeightAndTwo) {
  int nSmall = 0;
  for (LONG lfHeight : {-11, -24}) {
    ScopedMenuFont menuFont("Tahoma", lfHeight);
    ASSERT_TRUE(menuFont.IsSet());
    ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CExtPaintManagerXP));
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&g_PaintManagerHolder->m_FontNormal);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    EXPECT_EQ(tm.tmHeight + 2, g_PaintManagerHolder->GetTextLineHeight(true));
    EXPECT_EQ(tm.tmHeight + 2, g_PaintManagerHolder->GetTextLineHeight(false));
    if (nSmall == 0)
      nSmall = tm.tmHeight;
    else
      EXPECT_GT(tm.tmHeight, nSmall + 8);
  }
}

TEST_F(ThemeFonts, MetricsOfEachTheme) {
  const int nCheck = ::GetSystemMetrics(SM_CYMENUCHECK);
  ASSERT_LT(nCheck, 18);
  CExtPaintManager classic;
  CExtPaintManagerXP xp;
  CExtPaintManagerOffice2003 office2003;
  const struct {
    CExtPaintManager& pm;
    int nItemSpacing, nBorder, nExpandHeight;
    CSize pushed, buttonSpacing, rowAdjust;
    bool bCombined, bChevronCombined;
  } rows[] = {
      {classic, 6, 2, nCheck, CSize(1, 1), CSize(0, 0), CSize(0, 0), false, false},
      {xp, 1, 1, nCheck, CSize(0, 0), CSize(0, 0), CSize(0, 0), true, true},
      {office2003, 1, 1, 18, CSize(0, 0), CSize(4, 4), CSize(0, -1), true, false},
  };
  for (const auto& row : rows) {
    CExtPaintManager& pm = row.pm;
    SCOPED_TRACE(pm.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(row.nItemSpacing, pm.GetMenuItemSpacing());
    EXPECT_EQ(row.nBorder, pm.GetMenuBorderSize());
    EXPECT_EQ(row.nExpandHeight, pm.GetMenuExpandButtonHeight());
    EXPECT_EQ(row.pushed, pm.GetPushedOffset());
    EXPECT_EQ(row.buttonSpacing, pm.GetToolBarButtonSpacing());
    EXPECT_EQ(row.rowAdjust, pm.GetToolBarRowAdjust(true));
    EXPECT_EQ(CSize(0, 0), pm.GetToolBarRowAdjust(false));
    EXPECT_EQ(row.bCombined, pm.IsMenuCombinedWithButton());
    EXPECT_EQ(row.bChevronCombined, pm.IsChevronMenuCombined());
    EXPECT_EQ(8, pm.GetMenuTearOffCaptionHeight());
    EXPECT_EQ(3, pm.GetTipShadowSize());
    EXPECT_EQ(4, pm.GetMenuShadowSize());
    EXPECT_EQ(CSize(6, 6), pm.GetInsertionMarkSize());
    EXPECT_EQ(0, pm.GetDockingMarkerMode());
    EXPECT_EQ(0, pm.GetAutoHideAreaMode());
  }
}

TEST_F(ThemeFonts, DockMarkerAnswersFollowTheMarkerStyle) {
  CExtPaintManagerOffice2003 pm;
  EXPECT_EQ(3, pm.m_nDockMarkerStyle);
  const struct {
    int nStyle, nMargin;
    bool bStyle1;
  } rows[] = {{1, 0, true}, {2, 5, false}, {3, 5, false}};
  for (const auto& row : rows) {
    pm.m_nDockMarkerStyle = row.nStyle;
    int nLeft = -1, nTop = -1, nRight = -1, nBottom = -1;
    pm.GetDockHighlightMargins(nLeft, nTop, nRight, nBottom);
    EXPECT_EQ(row.nMargin, nLeft);
    EXPECT_EQ(row.nMargin, nTop);
    EXPECT_EQ(row.nMargin, nRight);
    EXPECT_EQ(row.nMargin, nBottom);
    EXPECT_EQ(row.bStyle1, pm.IsDockMarkerStyle1());
  }
  pm.m_nDockMarkerStyle = 4;
  bool bRefused = false;
  try {
    pm.CreateDockMarkerObject();
  } catch (CNotSupportedException* e) {
    bRefused = true;
    e->Delete();
  }
  EXPECT_TRUE(bRefused);
}

TEST_F(ThemeFonts, WheelStepIsReadOnceAndAtLeastTwo) {
  UINT nOld = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nOld, 0);
  const struct {
    UINT nSetting;
    const OSVERSIONINFOA* pVersion;
    int nExpected;
  } rows[] = {{1, NULL, 2}, {5, NULL, 5}, {0, NULL, 2}};
  for (const auto& row : rows) {
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, row.nSetting, NULL, 0);
    CExtPaintManager::TestResetMouseWheelScrollLines();
    EXPECT_EQ(row.nExpected, CExtPaintManager::GetMouseWheelScrollLines()) << row.nSetting;
  }
  // Kept once read.
  ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 7, NULL, 0);
  EXPECT_EQ(2, CExtPaintManager::GetMouseWheelScrollLines());
  // Windows 95 has no such setting.
  const OSVERSIONINFOA win95 = Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0);
  CExtPaintManagerHolder::TestForceOsVersion(&win95);
  g_PaintManagerHolder.ClassifyOsVersion();
  CExtPaintManager::TestResetMouseWheelScrollLines();
  EXPECT_EQ(3, CExtPaintManager::GetMouseWheelScrollLines());
  ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, nOld, NULL, 0);
  CExtPaintManager::TestResetMouseWheelScrollLines();
}

TEST_F(ThemeFonts, MonitorAreasOfPointsRectanglesAndWindows) {
  const RECT rcScreen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT rcWork = {};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("monitor"));
  MonitorParams fromPoint, fromFarPoint, fromRect, fromWindow, fromNoWindow;
  CExtPaintManager::GetMonitorAreaFromPoint(fromPoint, CPoint(10, 10));
  CExtPaintManager::GetMonitorAreaFromPoint(fromFarPoint, CPoint(-5000, 9000));
  CExtPaintManager::GetMonitorAreaFromRect(fromRect, CRect(100, 100, 300, 200));
  CExtPaintManager::GetWorkAreaOfWindow(fromWindow, &host);
  CExtPaintManager::GetWorkAreaOfWindow(fromNoWindow, NULL);
  for (const MonitorParams* p : {&fromPoint, &fromFarPoint, &fromRect, &fromWindow, &fromNoWindow}) {
    EXPECT_EQ(CRect(rcScreen), CRect(p->m_rcMonitor));
    EXPECT_EQ(CRect(rcWork), CRect(p->m_rcWorkArea));
    EXPECT_TRUE(p->IsPrimary());
  }
  const MonitorParams empty;
  EXPECT_TRUE(CRect(empty.m_rcMonitor).IsRectNull());
  EXPECT_TRUE(empty.IsPrimary());
  host.DestroyWindow();
}

} // namespace
