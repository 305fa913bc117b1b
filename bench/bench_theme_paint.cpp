// Speed of the theme engine's painting of whole controls into a memory DC, per theme: a 30-row
// popup menu, a 20-button tool bar and a 10-tab strip, each against a BitBlt of the same area
// measured in the same run, and against one frame at 60 Hz.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <cstdio>
#include <functional>
#include <string>

namespace {

const int kRuns = 31;
const double kFrameMs = 1000.0 / 60;

// A memory DC over a 32-bit DIB section of the given size.
class CDibSurface {
public:
  CDibSurface(int cx, int cy) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = NULL;
    m_hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_dc.CreateCompatibleDC(NULL);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hDib);
  }
  ~CDibSurface() {
    ::SelectObject(m_dc.m_hDC, m_hOld);
    ::DeleteObject(m_hDib);
  }
  CDibSurface(const CDibSurface&) = delete;
  CDibSurface& operator=(const CDibSurface&) = delete;
  bool Valid() const { return m_hDib != NULL && m_dc.m_hDC != NULL; }
  CDC& Dc() { return m_dc; }

private:
  HBITMAP m_hDib = NULL;
  HGDIOBJ m_hOld = NULL;
  CDC m_dc;
};

// A 16 x 16 command icon: two coloured squares over a magenta key.
void MakeIcon(CExtCmdIcon& icon) {
  HDC hScreen = ::GetDC(NULL);
  HBITMAP h = ::CreateCompatibleBitmap(hScreen, 16, 16);
  ::ReleaseDC(NULL, hScreen);
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, h);
  dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
  dc.FillSolidRect(1, 1, 9, 9, RGB(220, 40, 40));
  dc.FillSolidRect(6, 6, 9, 9, RGB(40, 90, 220));
  ::SelectObject(dc.m_hDC, hOld);
  icon.AssignFromHBitmap(h, RGB(255, 0, 255), NULL, false);
}

const int kMenuWidth = 260, kMenuRow = 22, kMenuRows = 30;
const int kButton = 24, kButtons = 20, kBarSeparator = 8;
const int kTabWidth = 96, kTabHeight = 24, kTabs = 10;

// Thirty rows: every seventh a separator, the others alternating icon, check mark and plain,
// one selected, one disabled.
void PaintMenu(CDC& dc, CExtPaintManager* pm, CExtCmdIcon& icon) {
  dc.FillSolidRect(0, 0, kMenuWidth, kMenuRow * kMenuRows, pm->GetMenuBackgroundColor());
  for (int i = 0; i < kMenuRows; ++i) {
    const RECT rc = {0, i * kMenuRow, kMenuWidth, (i + 1) * kMenuRow};
    if (i % 7 == 6) {
      pm->PaintMenuSeparator(dc, rc, 26, false, NULL);
      continue;
    }
    MenuItemPaintData data(NULL, rc, rc, 26, "Menu &command", "Ctrl+K", i % 3 == 0 ? &icon : NULL, i % 5 == 4,
                           i == 3, i % 3 == 1, false, false, i != 8, false, false, false, 0,
                           (HFONT)pm->m_FontNormal.GetSafeHandle());
    pm->PaintMenuItem(dc, data);
  }
}

// Twenty flat buttons with icons in four groups, one hovered, one pressed.
void PaintToolBar(CDC& dc, CExtPaintManager* pm, CExtCmdIcon& icon, int cx) {
  dc.FillSolidRect(0, 0, cx, kButton, pm->ColorByLogicalId(COLOR_3DFACE));
  int x = 0;
  for (int i = 0; i < kButtons; ++i) {
    if (i > 0 && i % 5 == 0) {
      pm->PaintSeparator(dc, RECT{x, 0, x + kBarSeparator, kButton}, true, false, NULL);
      x += kBarSeparator;
    }
    const RECT rc = {x, 0, x + kButton, kButton};
    PushButtonPaintData data(NULL, true, rc, "", &icon, true, i == 2, i == 7, false, true, false, false,
                             false, 1);
    pm->PaintPushButton(dc, data);
    x += kButton;
  }
}

// Ten tabs along the bottom of a tab window, the third selected.
void PaintTabs(CDC& dc, CExtPaintManager* pm, CExtCmdIcon& icon) {
  const RECT rcAll = {0, 0, kTabWidth * kTabs, kTabHeight};
  pm->PaintTabWndBackground(dc, rcAll, rcAll, rcAll, 0, false, NULL);
  CFont* pFont = &pm->m_FontNormal;
  for (int i = 0; i < kTabs; ++i) {
    const RECT rc = {i * kTabWidth, 0, (i + 1) * kTabWidth, kTabHeight};
    pm->PaintTabItem(dc, 0, true, true, i == 2, false, false, false, false, &rc, 60, 14, pFont, "Document",
                     &icon, NULL, 0, pm->ColorByLogicalId(COLOR_BTNTEXT), pm->ColorByLogicalId(COLOR_3DFACE),
                     pm->ColorByLogicalId(COLOR_3DHILIGHT), pm->ColorByLogicalId(COLOR_3DSHADOW),
                     pm->ColorByLogicalId(COLOR_3DSHADOW));
  }
}

// The median of painting into a surface of the size, against a BitBlt of that size.
void Row(const char* pszTheme, const char* pszWhat, int cx, int cy, const std::function<void(CDC&)>& paint) {
  CDibSurface target(cx, cy), source(cx, cy);
  if (!target.Valid() || !source.Valid()) {
    std::printf("%-10s %-26s no surface\n", pszTheme, pszWhat);
    return;
  }
  const double tPaint = bench::MedianTime([&] { paint(target.Dc()); }, kRuns);
  const double tBlt =
      bench::MedianTime([&] { target.Dc().BitBlt(0, 0, cx, cy, &source.Dc(), 0, 0, SRCCOPY); }, kRuns);
  std::printf("%-10s %-26s %8.3f ms  %7.1fx a BitBlt (%.3f ms)  %5.1f%% of a 60 Hz frame\n", pszTheme,
              pszWhat, tPaint, tPaint / tBlt, tBlt, 100 * tPaint / kFrameMs);
}

} // namespace

int main() {
  const struct {
    const char* pszName;
    CRuntimeClass* pClass;
  } kThemes[] = {{"classic", RUNTIME_CLASS(CExtPaintManager)},
                 {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
                 {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)}};
  CExtCmdIcon icon;
  MakeIcon(icon);
  const int cxBar = kButtons * kButton + (kButtons / 5 - 1) * kBarSeparator;
  for (const auto& theme : kThemes) {
    if (!g_PaintManagerHolder.InstallThemeByClass(theme.pClass)) {
      std::printf("%s: the theme did not install\n", theme.pszName);
      return 1;
    }
    CExtPaintManager* pm = g_PaintManagerHolder.GetPM();
    Row(theme.pszName, "popup menu, 30 rows", kMenuWidth, kMenuRow * kMenuRows,
        [&](CDC& dc) { PaintMenu(dc, pm, icon); });
    Row(theme.pszName, "tool bar, 20 buttons", cxBar, kButton,
        [&](CDC& dc) { PaintToolBar(dc, pm, icon, cxBar); });
    Row(theme.pszName, "tab strip, 10 tabs", kTabWidth * kTabs, kTabHeight,
        [&](CDC& dc) { PaintTabs(dc, pm, icon); });
  }
  return 0;
}
