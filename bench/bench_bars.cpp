// A docked tool bar of 30 buttons (icons of 16x16, measuring 23x22, or of 40x40, measuring 46x46)
// laid out and painted through DoPaint at its full width and at half of it (the rest behind the
// chevron), per theme, against one BitBlt of the bar's client area in the same run.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <cstdio>

namespace {

// A button of one size keeping its own state; it paints a flat face with a frame, about what an
// icon button costs.
template <class Base> class CBenchButton : public Base {
public:
  template <class... Args> CBenchButton(CSize size, Args... args) : Base(args...), m_sizeFixed(size) {}
  CSize m_sizeFixed;
  BYTE m_nWrap = 0;
  bool m_bShown = true;
  CRect m_rcBench;
  bool IsWrap(int nMode) const override { return ((m_nWrap >> nMode) & 1) != 0; }
  void SetWrap(int nMode, bool bWrap) override {
    m_nWrap = bWrap ? (BYTE)(m_nWrap | (1 << nMode)) : (BYTE)(m_nWrap & ~(1 << nMode));
  }
  void SetVisible(bool bVisible) override { m_bShown = bVisible; }
  bool IsVisible() const override { return m_bShown; }
  void SetRect(const RECT& rc) override { m_rcBench = rc; }
  CRect GetRect() const override { return m_rcBench; }
  void SetVertical(bool) override {}
  CSize CalculateLayout(CDC&, CSize, bool) override { return m_sizeFixed; }
  void Paint(CDC& dc, bool) override {
    CRect rc = m_rcBench;
    rc.DeflateRect(3, 3);
    dc.FillSolidRect(&rc, RGB(40, 90, 160));
    dc.Draw3dRect(&m_rcBench, RGB(255, 255, 255), RGB(80, 80, 80));
  }
};

class CBenchBar : public CExtToolControlBar {
public:
  CBenchBar(CSize sizeButton) {
    for (int i = 0; i < 30; ++i)
      m_buttons.Add(new CBenchButton<CExtBarButton>(sizeButton, this, 1000 + i, 0));
    auto* pChevron = new CBenchButton<CExtBarContentExpandButton>(CSize(12, sizeButton.cy), this);
    m_buttons.Add(pChevron);
    m_pRightBtn = pChevron;
  }
  ~CBenchBar() override {
    for (int i = 0; i < m_buttons.GetSize(); ++i)
      delete m_buttons[i];
    m_buttons.RemoveAll();
    m_pRightBtn = NULL;
  }
};

} // namespace

int main() {
  CWinApp app("bench_bars");
  CWnd host;
  if (!host.CreateEx(0, AfxRegisterWndClass(0, NULL, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), "bench",
                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1400, 200, NULL, NULL)) {
    std::printf("no host window\n");
    return 1;
  }
  const struct {
    CRuntimeClass* pClass;
    const char* pszName;
  } themes[] = {{RUNTIME_CLASS(CExtPaintManager), "classic"},
                {RUNTIME_CLASS(CExtPaintManagerXP), "XP"},
                {RUNTIME_CLASS(CExtPaintManagerOffice2003), "Office 2003"}};
  const int kRuns = 41;
  double tWorst = 0;
  std::printf("tool bar of 30 buttons, docked: layout (RecalcButtonPositions) + DoPaint vs one BitBlt\n");
  for (const auto& theme : themes) {
    if (!g_PaintManagerHolder.InstallThemeByClass(theme.pClass)) {
      std::printf("  %s: theme not installed\n", theme.pszName);
      continue;
    }
    for (int nIcon : {16, 40}) {
      CBenchBar bar(nIcon == 16 ? CSize(23, 22) : CSize(46, 46));
      if (!bar.Create("bench bar", &host, 0xE910, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP)) {
        std::printf("  no bar\n");
        return 1;
      }
      const CSize sizeFull = bar.CalcFixedLayout(FALSE, TRUE);
      for (bool bHalf : {false, true}) {
        const int cx = bHalf ? sizeFull.cx / 2 : sizeFull.cx;
        bar.SetWindowPos(NULL, 0, 0, cx, sizeFull.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        CClientDC dc(&bar);
        const double tBar = bench::MedianTime(
            [&] {
              bar.RecalcButtonPositions();
              bar.DoPaint(&dc);
            },
            kRuns);
        CRect rcClient;
        bar.GetClientRect(&rcClient);
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height());
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        const double tBlt = bench::MedianTime(
            [&] { dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY); }, kRuns);
        dcMem.SelectObject(pOld);
        const int nHidden = bar.m_pRightBtn != NULL ? (int)bar.m_pRightBtn->m_arrHiddenButtons.GetSize() : 0;
        std::printf("  %-11s %2dx%-2d %s width %4d (%2d behind the chevron): %7.3f ms, BitBlt %7.3f ms, "
                    "ratio %6.1fx\n",
                    theme.pszName, nIcon, nIcon, bHalf ? "half" : "full", cx, nHidden, tBar, tBlt,
                    tBlt > 0 ? tBar / tBlt : 0.0);
        tWorst = tBar > tWorst ? tBar : tWorst;
      }
      bar.DestroyWindow();
    }
  }
  std::printf("  slowest layout+paint %.3f ms (aim under 8 ms): %s\n", tWorst, tWorst < 8.0 ? "yes" : "no");
  host.DestroyWindow();
  return 0;
}
