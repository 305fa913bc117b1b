// The holder's detection of the visual style's colour scheme and of the taskbar colours that the
// Office 2003 theme builds on, and the themes' answer whether themed drawing is available.
#include "tests/unit/toolkit/theme/theme_support.h"

#include <algorithm>

namespace {

using VisualStyleDetection = ThemeTest;

TEST_F(VisualStyleDetection, TheSystemsStyleIsNoLunaScheme) {
  g_PaintManagerHolder.DetectVisualStyle();
  EXPECT_EQ(CExtPaintManagerHolder::VSS_NONE, g_PaintManagerHolder.m_eVisualStyleScheme);
  EXPECT_FALSE(g_PaintManagerHolder.AreLunaColorsValid());
  EXPECT_EQ(nullptr, g_PaintManagerHolder.m_VisualStyleApi.GetOpenTheme());
  EXPECT_FALSE(g_PaintManagerHolder->IsThemedDrawingAvailable());
}

TEST_F(VisualStyleDetection, FindsTheLunaSchemeAndTaskbarColours) {
  const LPCWSTR kLuna = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  const COLORREF kTaskbar[7] = {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0),
                                RGB(5, 0, 0), RGB(6, 0, 0), RGB(7, 0, 0)};
  const struct {
    const char* name;
    bool bThemed;
    LPCWSTR pszFile, pszColor;
    int nColors;
    int nScheme;
    bool bLunaColors, bXpThemed, bOffice2003Themed;
  } rows[] = {
      {"blue", true, kLuna, L"NormalColor", 7, 1, true, true, true},
      {"olive, any letter case", true, L"C:\\THEMES\\LUNA.MSSTYLES", L"HomeStead", 7, 2, true, true, true},
      {"silver", true, kLuna, L"metallic", 7, 3, true, true, true},
      {"another luna colour", true, kLuna, L"Royale", 7, 0, true, false, false},
      {"another theme", true, L"C:\\Themes\\Royale.msstyles", L"NormalColor", 7, 0, true, false, false},
      {"no theme name", true, NULL, NULL, 7, 0, true, false, false},
      {"taskbar without its seventh colour", true, kLuna, L"NormalColor", 6, 1, false, true, false},
      {"application not themed", false, kLuna, L"NormalColor", 7, 0, false, false, false},
  };
  CExtPaintManager classic;
  CExtPaintManagerXP xp;
  CExtPaintManagerOffice2003 office2003;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CExtPaintManagerHolder::ForcedVisualStyle_t style = {
        row.bThemed, row.pszFile, row.pszColor, row.nColors, {}};
    std::copy(kTaskbar, kTaskbar + 7, style.m_arrTaskbandColors);
    CExtPaintManagerHolder::TestForceVisualStyle(&style);
    g_PaintManagerHolder.DetectVisualStyle();
    EXPECT_EQ(row.nScheme, g_PaintManagerHolder.m_eVisualStyleScheme);
    EXPECT_EQ(row.nScheme, office2003.GetVisualStyleScheme());
    EXPECT_EQ(row.bLunaColors, g_PaintManagerHolder.AreLunaColorsValid());
    if (row.bLunaColors)
      EXPECT_TRUE(std::equal(kTaskbar, kTaskbar + 7, g_PaintManagerHolder.m_arrLunaColors));
    EXPECT_FALSE(classic.IsThemedDrawingAvailable());
    EXPECT_EQ(row.bXpThemed, xp.IsThemedDrawingAvailable());
    EXPECT_EQ(row.bOffice2003Themed, office2003.IsThemedDrawingAvailable());
  }
}

TEST_F(VisualStyleDetection, RunsAgainWhenTheThemeRebuilds) {
  CExtPaintManagerHolder::ForcedVisualStyle_t style = {true, L"luna.msstyles", L"normalcolor", 7, {}};
  CExtPaintManagerHolder::TestForceVisualStyle(&style);
  EXPECT_EQ(CExtPaintManagerHolder::VSS_NONE, g_PaintManagerHolder->GetVisualStyleScheme());
  g_PaintManagerHolder->OnThemeChanged(0, 0);
  EXPECT_EQ(CExtPaintManagerHolder::VSS_NORMAL_COLOR, g_PaintManagerHolder->GetVisualStyleScheme());
  CExtPaintManagerHolder::TestForceVisualStyle(NULL);
  EXPECT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
  EXPECT_EQ(CExtPaintManagerHolder::VSS_NONE, g_PaintManagerHolder->GetVisualStyleScheme());
}

} // namespace
