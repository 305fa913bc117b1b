#include "tests/unit/toolkit/controls/static_support.h"

#include <algorithm>

namespace {
BOOL WINAPI NoVisualStyle() { return FALSE; }
} // namespace

LRESULT CScrollRecordingHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL)
    m_codes.push_back(LOWORD(wParam));
  return CHostWnd::WindowProc(message, wParam, lParam);
}

void StaticControlTest::SetUp() {
  m_colors = std::make_unique<ScopedSysColors>(std::vector<std::pair<int, COLORREF>>{
      {COLOR_BTNSHADOW, kShadow}, {COLOR_WINDOW, kWindow}, {COLOR_BTNTEXT, kText}});
  m_pfnOldIsThemeActive = g_PaintManagerHolder.m_VisualStyleApi.TestReplaceEntryPoint(
      CExtVisualStyleApi::EP_IsThemeActive, reinterpret_cast<FARPROC>(&NoVisualStyle));
  m_host = std::make_unique<CScrollRecordingHost>();
  ASSERT_TRUE(m_host->CreateHost("static controls", WS_OVERLAPPEDWINDOW, 420, 300));
}

void StaticControlTest::TearDown() {
  m_host->DestroyWindow();
  g_PaintManagerHolder.m_VisualStyleApi.TestReplaceEntryPoint(CExtVisualStyleApi::EP_IsThemeActive,
                                                              m_pfnOldIsThemeActive);
  m_colors.reset();
  ThemeTest::TearDown();
}

PM* StaticControlTest::Begin(Theme theme) {
  PM* pm = Install(theme);
  m_host->ShowWindow(SW_SHOW);
  ::SetForegroundWindow(m_host->m_hWnd);
  PumpUntil([&] { return ::GetForegroundWindow() == m_host->m_hWnd; }, 2000);
  return pm;
}

HWND StaticControlTest::MakeChild(LPCSTR pszClass, LPCSTR pszText, DWORD dwStyle, const CRect& rc) {
  HWND hWnd =
      ::CreateWindowExA(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top, rc.Width(),
                        rc.Height(), m_host->m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
  ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
  return hWnd;
}

pixel_support::Pixels StaticControlTest::Read(CWnd& wnd, bool bAsIs) {
  if (!bAsIs) {
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpPending();
  }
  CRect rc;
  wnd.GetClientRect(&rc);
  return pixel_support::ReadWindow(wnd.m_hWnd, rc);
}

CSize StaticControlTest::TextSize(LPCSTR pszText, bool bBold) {
  LOGFONTA lf = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
  CFont font;
  font.CreateFontIndirect(&lf);
  pixel_support::DibSurface s(1, 1);
  const RECT rc = PM::CalcTextExtent(s.dc(), (HFONT)font.GetSafeHandle(), pszText, DT_SINGLELINE);
  return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

int CountPixels(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr) {
  int n = 0;
  for (int y = std::max(0L, rc.top); y < std::min<long>(px.cy, rc.bottom); ++y)
    for (int x = std::max(0L, rc.left); x < std::min<long>(px.cx, rc.right); ++x)
      n += px.At(x, y) == clr ? 1 : 0;
  return n;
}

CRect Box(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr, bool bOther, COLORREF clrAlso) {
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
