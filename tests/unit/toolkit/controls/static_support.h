// What the group-box, label and slider tests share: a shown host that records its children's
// scroll codes, the controls made as its children, the checked system colours pinned, visual-style
// entry points replaced for the length of a test (none active unless a test says so), and a
// child's pixels read back.
#pragma once

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/controls/ExtGroupBox.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/controls/ExtSliderWnd.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

// None of them is what font smoothing makes of black.
const COLORREF kShadow = RGB(200, 0, 0), kWindow = RGB(0, 0, 230), kText = RGB(0, 0, 0);
const int kBoxCx = 220, kBoxCy = 120, kLabelCx = 200, kLabelCy = 24;

class CScrollRecordingHost : public CHostWnd {
public:
  std::vector<UINT> m_codes; // LOWORD of each WM_HSCROLL

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL)
      m_codes.push_back(LOWORD(wParam));
    return CHostWnd::WindowProc(message, wParam, lParam);
  }
};

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
    for (const auto& entry : m_old)
      Api().TestReplaceEntryPoint(entry.first, entry.second);
    Api().TestSetCommonControlsVersion(m_dwOldVersion);
    m_colors.reset();
    ThemeTest::TearDown();
  }
  // Later replacements are undone first.
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
  // A platform child of the host in the default GUI font, for the test to subclass.
  HWND MakeChild(LPCSTR pszClass, LPCSTR pszText, DWORD dwStyle, const CRect& rc) {
    HWND hWnd =
        ::CreateWindowExA(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top, rc.Width(),
                          rc.Height(), m_host.m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return hWnd;
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
  // A group box over the test background; a label; a slider over 0 to 100 at 50, the pointer away.
  void MakeBox(LPCSTR pszText) {
    m_box.m_clrBackground = kBack;
    EXPECT_TRUE(m_box.SubclassWindow(
        MakeChild("BUTTON", pszText, BS_GROUPBOX, CRect(10, 10, 10 + kBoxCx, 10 + kBoxCy))));
  }
  void MakeLabel(LPCSTR pszText, DWORD dwStyle, int cy = kLabelCy) {
    EXPECT_TRUE(
        m_label.SubclassWindow(MakeChild("STATIC", pszText, dwStyle, CRect(10, 10, 10 + kLabelCx, 10 + cy))));
  }
  void MakeSlider(int nStyle) {
    EXPECT_TRUE(m_slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, CRect(20, 20, 260, 60),
                                &m_host, 100));
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);
    m_slider.SetSliderStyle(nStyle);
    real_input::MoveTo(ScreenRect(&m_host).BottomRight() - CSize(5, 5));
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
  CScrollRecordingHost m_host;
  std::vector<std::pair<CExtVisualStyleApi::EntryPoint, FARPROC>> m_old;
  DWORD m_dwOldVersion = Api().GetCommonControlsVersion();
  CExtGroupBox m_box;
  CExtLabel m_label;
  CExtSliderWnd m_slider;
};

// Every theme, for the pixel checks.
class StaticInTheme : public StaticControlTest, public ::testing::WithParamInterface<Theme> {};

// The bounding box of the pixels inside rc of the colour (bOther: of neither that colour nor
// clrAlso); empty when there are none.
inline CRect Box(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr, bool bOther = false,
                 COLORREF clrAlso = (COLORREF)-1) {
  CRect box(rc.right, rc.bottom, rc.left, rc.top);
  for (int y = std::max(0L, rc.top); y < std::min<long>(px.cy, rc.bottom); ++y)
    for (int x = std::max(0L, rc.left); x < std::min<long>(px.cx, rc.right); ++x) {
      const COLORREF c = px.At(x, y);
      if (bOther ? c != clr && c != clrAlso : c == clr)
        box = CRect(std::min<long>(box.left, x), std::min<long>(box.top, y), std::max<long>(box.right, x + 1),
                    std::max<long>(box.bottom, y + 1));
    }
  return box.left < box.right ? box : CRect(0, 0, 0, 0);
}
