// What the status bar paints: the text of a disabled pane only when the bar draws disabled texts,
// and the bar in every theme (pictures left under the artifacts folder).
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/status_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using namespace pixel_support;

// The interior of the pane, clear of its border.
CRect Interior(CExtStatusControlBar& bar, int nIndex) {
  CRect rc = bar.GetPaneRect(nIndex);
  rc.DeflateRect(3, 3);
  return rc;
}

class StatusDisabledText : public StatusBarTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StatusDisabledText, ADisabledPaneShowsItsTextOnlyWhenTheBarDrawsDisabledTexts) {
  const bool bDrawDisabled = GetParam();
  const BYTE nFlags = m_bar->GetBarFlags() & ~CExtStatusControlBar::STATUS_DISABLED_TEXT;
  m_bar->SetBarFlags(bDrawDisabled ? nFlags | CExtStatusControlBar::STATUS_DISABLED_TEXT : nFlags);
  m_bar->SetPaneInfo(1, IDS_STATUS_ZOOM, SBPS_DISABLED, 80);
  ASSERT_TRUE(m_bar->SetPaneText(1, "Zoom 100%"));
  const Pixels px = PaintAndRead();
  ASSERT_FALSE(px.Empty());
  const int nInk = CountOtherThan(px, Interior(*m_bar, 1), m_bar->m_clrBackground);
  if (bDrawDisabled) {
    EXPECT_GT(nInk, 10);
    const CRect rc = Interior(*m_bar, 1);
    EXPECT_EQ(rc.Width() * rc.Height(), CountOtherThan(px, rc, m_bar->m_clrText))
        << "drawn in the disabled colour";
  } else {
    EXPECT_EQ(0, nInk);
  }
  EXPECT_GT(CountOtherThan(px, Interior(*m_bar, 2), m_bar->m_clrBackground), 10) << "the enabled pane's text";
}

INSTANTIATE_TEST_SUITE_P(DisabledTexts, StatusDisabledText, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Drawn" : "Hidden"); });

class StatusPicturesPerTheme : public StatusBarTest, public ::testing::WithParamInterface<CRuntimeClass*> {};

TEST_P(StatusPicturesPerTheme, PanesShowTheirTextsOverTheThemesFace) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  m_bar->SetPaneText(0, "Ready");
  m_bar->SetPaneInfo(2, IDS_STATUS_SIZE, SBPS_DISABLED, m_bar->GetPaneRect(2).Width() - 6);
  m_bar->SendMessage(
      SB_SETICON, 1,
      reinterpret_cast<LPARAM>(::LoadImageA(NULL, IDI_INFORMATION, IMAGE_ICON, 16, 16, LR_SHARED)));
  const Pixels px = PaintAndRead();
  ASSERT_FALSE(px.Empty());
  const std::string name = std::string("status_bar_") + GetParam()->m_lpszClassName + ".bmp";
  EXPECT_FALSE(SaveBmp(px, name.c_str()).empty());
  EXPECT_EQ(g_PaintManagerHolder->ColorByLogicalId(1000, m_bar.get()), m_bar->m_clrBackground);
  for (int i = 0; i < 3; i++)
    EXPECT_GT(CountOtherThan(px, Interior(*m_bar, i),
                             px.At(Interior(*m_bar, i).right - 1, Interior(*m_bar, i).top)),
              10)
        << "pane " << i << " shows its text";
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
}

INSTANTIATE_TEST_SUITE_P(Themes, StatusPicturesPerTheme,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                         [](const auto& info) { return std::string(info.param->m_lpszClassName); });

TEST_F(StatusBarTest, WithoutToolkitPaintingTheCommonControlDrawsThePanes) {
  m_bar->SetBarFlags(m_bar->GetBarFlags() & ~CExtStatusControlBar::STATUS_TOOLKIT_PAINT);
  const Pixels px = PaintAndRead();
  ASSERT_FALSE(px.Empty());
  EXPECT_FALSE(SaveBmp(px, "status_bar_common_control.bmp").empty());
  for (int i = 1; i < 3; i++)
    EXPECT_GT(CountOtherThan(px, Interior(*m_bar, i), m_bar->m_clrBackground), 10) << "pane " << i;
}

// Counts the system changes that reach it, by message.
class CChangeCountingTheme : public CExtPaintManager {
public:
  static std::map<UINT, int> s_changes;
  void OnSysColorChange() override {
    ++s_changes[WM_SYSCOLORCHANGE];
    CExtPaintManager::OnSysColorChange();
  }
  void OnSettingChange(WPARAM wParam, LPARAM lParam) override {
    ++s_changes[WM_SETTINGCHANGE];
    CExtPaintManager::OnSettingChange(wParam, lParam);
  }
  void OnDisplayChange(int nBitsPerPixel, int cx, int cy) override {
    ++s_changes[WM_DISPLAYCHANGE];
    CExtPaintManager::OnDisplayChange(nBitsPerPixel, cx, cy);
  }
  void OnThemeChanged(WPARAM wParam, LPARAM lParam) override {
    ++s_changes[WM_THEMECHANGED];
    CExtPaintManager::OnThemeChanged(wParam, lParam);
  }
};
std::map<UINT, int> CChangeCountingTheme::s_changes;

class StatusSystemChanges : public StatusBarTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(StatusSystemChanges, EachReachesTheThemeOnceThroughTheStatusBar) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CChangeCountingTheme));
  const UINT nMessage = GetParam();
  const int nBefore = CChangeCountingTheme::s_changes[nMessage];
  m_bar->SendMessage(nMessage, nMessage == WM_DISPLAYCHANGE ? 32 : 0,
                     nMessage == WM_DISPLAYCHANGE ? MAKELPARAM(1280, 1024) : 0);
  EXPECT_EQ(nBefore + 1, CChangeCountingTheme::s_changes[nMessage]);
  EXPECT_EQ(g_PaintManagerHolder->ColorByLogicalId(1000, m_bar.get()), m_bar->m_clrBackground);
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
}

INSTANTIATE_TEST_SUITE_P(Messages, StatusSystemChanges,
                         ::testing::Values(WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_DISPLAYCHANGE,
                                           WM_THEMECHANGED));

} // namespace
