// What the group-box, label and slider tests share: the controls as children of a shown host, the
// checked system colours pinned, no visual style unless a test fakes one, and pixels read back.
#pragma once

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/controls/ExtGroupBox.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/controls/ExtSliderWnd.h"

#include <memory>
#include <utility>
#include <vector>

// None of them is what font smoothing makes of black.
const COLORREF kShadow = RGB(200, 0, 0), kWindow = RGB(0, 0, 230), kText = RGB(0, 0, 0);
const int kBoxCx = 220, kBoxCy = 120, kLabelCx = 200, kLabelCy = 24;

template <class PFN> FARPROC AsProc(PFN pfn) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(pfn));
}

class StaticControlTest : public ThemeTest {
protected:
  static BOOL WINAPI NoVisualStyle() { return FALSE; }
  static CExtVisualStyleApi& Api() { return g_PaintManagerHolder.m_VisualStyleApi; }

  void SetUp() override {
    m_colors = std::make_unique<ScopedSysColors>(std::vector<std::pair<int, COLORREF>>{
        {COLOR_BTNSHADOW, kShadow}, {COLOR_WINDOW, kWindow}, {COLOR_BTNTEXT, kText}});
    Fake(CExtVisualStyleApi::EP_IsThemeActive, AsProc(NoVisualStyle));
    ASSERT_TRUE(m_host.CreateHost("static controls", WS_OVERLAPPEDWINDOW, 420, 300));
  }
  void TearDown() override {
    m_host.DestroyWindow();
    for (const auto& entry : m_old) // the latest first
      Api().TestReplaceEntryPoint(entry.first, entry.second);
    Api().TestSetCommonControlsVersion(m_dwOldVersion);
    m_colors.reset();
    ThemeTest::TearDown();
  }
  void Fake(CExtVisualStyleApi::EntryPoint e, FARPROC pfn) {
    m_old.insert(m_old.begin(), {e, Api().TestReplaceEntryPoint(e, pfn)});
  }
  // Installs the theme (after the colours are pinned) and shows the host in front.
  PM* Begin(Theme theme) {
    PM* pm = Install(theme);
    m_host.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_host.m_hWnd);
    PumpUntil([&] { return ::GetForegroundWindow() == m_host.m_hWnd; }, 2000);
    return pm;
  }
  // The control subclasses a platform child in the default GUI font.
  void Make(CWnd& wnd, LPCSTR pszClass, LPCSTR pszText, DWORD dwStyle, int cx, int cy) {
    HWND hWnd = ::CreateWindowExA(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, 10, 10, cx, cy,
                                  m_host.m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    EXPECT_TRUE(wnd.SubclassWindow(hWnd));
  }
  // Over 0 to 100 at 50, the pointer away from it.
  void MakeSlider(int nStyle) {
    EXPECT_TRUE(m_slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, CRect(20, 20, 260, 60),
                                &m_host, 100));
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);
    m_slider.SetSliderStyle(nStyle);
    real_input::MoveTo(ScreenRect(&m_host).BottomRight() - CSize(5, 5));
  }
  // Repaints the window now (unless bAsIs) and reads its client area back.
  static pixel_support::Pixels Read(CWnd& wnd, bool bAsIs = false) {
    if (!bAsIs) {
      wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      PumpPending();
    }
    CRect rc;
    wnd.GetClientRect(&rc);
    return pixel_support::ReadWindow(wnd.m_hWnd, rc);
  }
  static CSize TextSize(LPCSTR pszText, bool bBold = false) {
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    CFont font;
    font.CreateFontIndirect(&lf);
    pixel_support::DibSurface s(1, 1);
    return CRect(PM::CalcTextExtent(s.dc(), (HFONT)font.GetSafeHandle(), pszText, DT_SINGLELINE)).Size();
  }

  std::unique_ptr<ScopedSysColors> m_colors;
  CHostWnd m_host;
  std::vector<std::pair<CExtVisualStyleApi::EntryPoint, FARPROC>> m_old;
  DWORD m_dwOldVersion = Api().GetCommonControlsVersion();
  CExtGroupBox m_box;
  CExtLabel m_label;
  CExtSliderWnd m_slider;
};

class StaticInTheme : public StaticControlTest, public ::testing::WithParamInterface<Theme> {};

// The bounding box of the pixels inside rc of the colour (bOther: of neither that colour nor
// clrAlso); empty when there are none.
inline CRect Box(const pixel_support::Pixels& px, CRect rc, COLORREF clr, bool bOther = false,
                 COLORREF clrAlso = (COLORREF)-1) {
  rc &= CRect(0, 0, px.cx, px.cy);
  CRect box(0, 0, 0, 0);
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      if ((px.At(x, y) == clr || px.At(x, y) == clrAlso) != bOther)
        box |= CRect(x, y, x + 1, y + 1);
  return box;
}
