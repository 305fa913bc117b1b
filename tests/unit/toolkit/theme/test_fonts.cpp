// The themes' fonts with the "Tahoma" and "Marlett" faces installed, their metric answers, and
// the process-wide queries of wheel step and monitor areas.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "tests/common/window_support.h"

#include <algorithm>
#include <string>

namespace {

// Sets the system's menu font for the length of a test.
class ScopedMenuFont {
public:
  ScopedMenuFont(LPCSTR pszFace, LONG lfHeight) {
    m_bRead = ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, m_old.cbSize, &m_old, 0) != FALSE;
    NONCLIENTMETRICSA ncm = m_old;
    lstrcpynA(ncm.lfMenuFont.lfFaceName, pszFace, LF_FACESIZE);
    ncm.lfMenuFont.lfHeight = lfHeight;
    ncm.lfMenuFont.lfWeight = FW_NORMAL;
    m_bSet = ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0) != FALSE;
  }
  ~ScopedMenuFont() {
    if (m_bRead)
      ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, m_old.cbSize, &m_old, 0);
  }
  bool IsSet() const { return m_bRead && m_bSet; }

private:
  NONCLIENTMETRICSA m_old = {340}; // the size without the padded border width of later systems
  bool m_bRead = false, m_bSet = false;
};

LOGFONTA LogFont(CFont& font) {
  LOGFONTA lf = {};
  font.GetLogFont(&lf);
  return lf;
}

// The face the system really uses for the font (a missing face is replaced by another one).
std::string RealFace(CFont& font) {
  CClientDC dc(NULL);
  CFont* pOld = dc.SelectObject(&font);
  char szFace[LF_FACESIZE] = {};
  ::GetTextFaceA(dc.m_hDC, LF_FACESIZE, szFace);
  dc.SelectObject(pOld);
  return szFace;
}

using ThemeFonts = ThemeTest;

// The menu face is replaced by "Tahoma", which only a DC's font families show to be installed.
TEST_F(ThemeFonts, FontsComeFromTheMenuFontInTheirForms) {
  ScopedMenuFont menuFont("Liberation Sans", -15);
  ASSERT_TRUE(menuFont.IsSet());
  PM& pm = *Install(CLASSIC);
  // Normal, bold, each upright, written down and written up; then the same capped.
  CFont* fonts[12] = {&pm.m_FontNormal,       &pm.m_FontNormalVert,       &pm.m_FontNormalVertUp,
                      &pm.m_FontBold,         &pm.m_FontBoldVert,         &pm.m_FontBoldVertUp,
                      &pm.m_FontNormalCapped, &pm.m_FontNormalVertCapped, &pm.m_FontNormalVertUpCapped,
                      &pm.m_FontBoldCapped,   &pm.m_FontBoldVertCapped,   &pm.m_FontBoldVertUpCapped};
  const LONG escapements[3] = {0, 2700, 900};
  for (int i = 0; i < 12; ++i) {
    const LOGFONTA lf = LogFont(*fonts[i]);
    EXPECT_EQ(i < 6 ? -15 : -11, lf.lfHeight) << i;
    EXPECT_EQ(escapements[i % 3], lf.lfEscapement) << i;
    EXPECT_EQ(i % 6 < 3 ? FW_NORMAL : FW_HEAVY, lf.lfWeight) << i;
    EXPECT_STREQ("Tahoma", lf.lfFaceName) << i;
  }
  const LOGFONTA lfGlyphs = LogFont(pm.m_FontMarlett);
  EXPECT_STREQ("Marlett", lfGlyphs.lfFaceName);
  EXPECT_EQ(SYMBOL_CHARSET, lfGlyphs.lfCharSet);
  EXPECT_EQ(0, lfGlyphs.lfWeight);
  EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, lfGlyphs.lfHeight);
  EXPECT_EQ("Marlett", RealFace(pm.m_FontMarlett));
  EXPECT_EQ("Tahoma", RealFace(pm.m_FontNormal));
}

TEST_F(ThemeFonts, OlderSystemsKeepTheMenuFaceAndTurnTextInArial) {
  ScopedMenuFont menuFont("Liberation Sans", -13);
  ASSERT_TRUE(menuFont.IsSet());
  // clang-format off
  const struct { OSVERSIONINFOA version; const char *pszFace, *pszVerticalFace; } rows[] = {
      {OsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10), "Liberation Sans", "Arial"},
      {OsVersion(VER_PLATFORM_WIN32_NT, 4, 0), "Liberation Sans", "Arial"},
      {OsVersion(VER_PLATFORM_WIN32_NT, 5, 0), "Tahoma", "Tahoma"},
      {OsVersion(VER_PLATFORM_WIN32_NT, 5, 1), "Tahoma", "Tahoma"},
  };
  // clang-format on
  for (const auto& row : rows) {
    ForceOs(row.version);
    PM& pm = *Install(XP);
    const DWORD nVersion = row.version.dwMajorVersion * 100 + row.version.dwMinorVersion;
    EXPECT_STREQ(row.pszFace, LogFont(pm.m_FontNormal).lfFaceName) << nVersion;
    EXPECT_STREQ(row.pszFace, LogFont(pm.m_FontBoldCapped).lfFaceName) << nVersion;
    for (CFont* pFont : {&pm.m_FontNormalVert, &pm.m_FontNormalVertUp, &pm.m_FontBoldVert,
                         &pm.m_FontBoldVertUp, &pm.m_FontBoldVertUpCapped})
      EXPECT_STREQ(row.pszVerticalFace, LogFont(*pFont).lfFaceName) << nVersion;
  }
}

// Capped fonts are no larger than 11 pixels; smaller menu fonts keep their size.
TEST_F(ThemeFonts, TextLinesAreTheNormalFontsHeightAndTwo) {
  for (LONG lfHeight : {-9, -24}) {
    ScopedMenuFont menuFont("Tahoma", lfHeight);
    ASSERT_TRUE(menuFont.IsSet());
    PM* pm = Install(lfHeight == -9 ? new CExtPaintManagerOffice2003 : new CExtPaintManagerXP);
    EXPECT_EQ(lfHeight, LogFont(pm->m_FontNormal).lfHeight);
    EXPECT_EQ(std::max(lfHeight, -11L), LogFont(pm->m_FontBoldVertUpCapped).lfHeight);
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&pm->m_FontNormal);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    EXPECT_EQ(tm.tmHeight + 2, pm->GetTextLineHeight(true));
    EXPECT_EQ(tm.tmHeight + 2, pm->GetTextLineHeight(false));
  }
}

TEST_F(ThemeFonts, WheelStepIsReadOnceAndAtLeastTwo) {
  UINT nOld = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nOld, 0);
  const struct {
    UINT nSetting;
    int nExpected;
  } rows[] = {{1, 2}, {5, 5}, {0, 2}};
  for (const auto& row : rows) {
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, row.nSetting, NULL, 0);
    PM::TestResetMouseWheelScrollLines();
    EXPECT_EQ(row.nExpected, PM::GetMouseWheelScrollLines()) << row.nSetting;
  }
  ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 7, NULL, 0);
  EXPECT_EQ(2, PM::GetMouseWheelScrollLines()); // kept once read
  // Windows 95 has no such setting.
  ForceOs(OsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 0));
  PM::TestResetMouseWheelScrollLines();
  EXPECT_EQ(3, PM::GetMouseWheelScrollLines());
  ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, nOld, NULL, 0);
  PM::TestResetMouseWheelScrollLines();
}

TEST_F(ThemeFonts, MonitorAreasOfPointsAndWindows) {
  const CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  RECT rcWork = {};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("monitor"));
  MonitorParams fromPoint, fromWindow, fromNoWindow;
  PM::GetMonitorAreaFromPoint(fromPoint, CPoint(10, 10));
  PM::GetWorkAreaOfWindow(fromWindow, &host);
  PM::GetWorkAreaOfWindow(fromNoWindow, NULL);
  for (const MonitorParams* p : {&fromPoint, &fromWindow, &fromNoWindow}) {
    EXPECT_EQ(rcScreen, CRect(p->m_rcMonitor));
    EXPECT_EQ(CRect(rcWork), CRect(p->m_rcWorkArea));
    EXPECT_TRUE(p->IsPrimary());
  }
  host.DestroyWindow();
}

} // namespace
