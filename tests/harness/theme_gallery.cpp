// Paints every drawing operation of the theme engine into a set of 32-bit pictures per theme
// (classic, XP, Office 2003 without visual styles and in each luna scheme), saves each as a BMP
// file in the folder named by PIX_ARTIFACTS, and lays each theme's set out on one contact sheet,
// theme_sheet_<theme>.bmp, to look through at once. Exits 0 when every picture was written.
#include "tests/harness/theme_gallery.h"

#include "tests/common/watchdog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace gallery {

void Label(CDC& dc, int x, int y, const char* psz) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.TextOut(x, y, psz, (int)strlen(psz));
}

void MakeGalleryIcon(CExtCmdIcon& icon) {
  HDC hScreen = ::GetDC(NULL);
  HBITMAP h = ::CreateCompatibleBitmap(hScreen, 16, 16);
  ::ReleaseDC(NULL, hScreen);
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, h);
  dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
  dc.FillSolidRect(1, 1, 8, 8, RGB(220, 40, 40));
  dc.FillSolidRect(7, 5, 8, 8, RGB(40, 170, 40));
  dc.FillSolidRect(3, 9, 8, 6, RGB(40, 60, 220));
  ::SelectObject(dc.m_hDC, hOld);
  icon.AssignFromHBitmap(h, RGB(255, 0, 255), NULL, false);
}

HBITMAP SamplePicture() {
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  HDC hScreen = ::GetDC(NULL);
  HBITMAP h = ::CreateCompatibleBitmap(hScreen, 32, 32);
  ::ReleaseDC(NULL, hScreen);
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, h);
  dc.FillSolidRect(0, 0, 32, 32, RGB(255, 0, 255));
  dc.FillSolidRect(4, 4, 12, 12, RGB(220, 40, 40));
  dc.FillSolidRect(16, 4, 12, 12, RGB(40, 180, 40));
  dc.FillSolidRect(4, 16, 24, 12, RGB(40, 60, 220));
  ::SelectObject(dc.m_hDC, hOld);
  return h;
}

namespace {

// One row of swatches: every logical id of the range that the theme maps.
void Swatches(CDC& dc, CExtPaintManager* pm, int y, int nFirst, int nLast) {
  char sz[16];
  std::snprintf(sz, sizeof(sz), "%d", nFirst);
  Label(dc, 4, y + 2, sz);
  for (int nId = nFirst; nId <= nLast; ++nId) {
    const RECT rc = {44 + (nId - nFirst) * 16, y, 44 + (nId - nFirst) * 16 + 14, y + 14};
    dc.FillSolidRect(&rc, pm->ColorByLogicalId(nId));
  }
}

void DrawBitmap(CDC& dc, HBITMAP h, int x, int y) {
  if (h == NULL)
    return;
  CDC dcSrc;
  dcSrc.CreateCompatibleDC(&dc);
  HGDIOBJ hOld = ::SelectObject(dcSrc.m_hDC, h);
  dc.BitBlt(x, y, 32, 32, &dcSrc, 0, 0, SRCCOPY);
  ::SelectObject(dcSrc.m_hDC, hOld);
}

} // namespace

void PaintOverview(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  dc.FillSolidRect(0, 0, kOverviewWidth, kOverviewHeight, kBack);
  Label(dc, 4, 4, pszName);
  Swatches(dc, pm, 24, 1000, 1021);
  Swatches(dc, pm, 42, 2000, 2011);
  Swatches(dc, pm, 60, 3000, 3017);
  Swatches(dc, pm, 78, 3018, 3035);

  // Gradients through the system's fill and through bands, both directions.
  const COLORREF c1 = pm->ColorByLogicalId(3017), c2 = pm->ColorByLogicalId(3015);
  Label(dc, 4, 100, "gradients");
  CExtPaintManager::PaintGradientRect(dc, RECT{4, 118, 124, 178}, c1, c2, true);
  CExtPaintManager::PaintGradientRect(dc, RECT{130, 118, 250, 178}, c1, c2, false);
  g_PaintManagerHolder.TestDisableGradientFill(true);
  CExtPaintManager::PaintGradientRect(dc, RECT{256, 118, 376, 178}, c1, c2, true, 8);
  CExtPaintManager::PaintGradientRect(dc, RECT{382, 118, 502, 178}, c1, c2, false, 8);
  g_PaintManagerHolder.TestDisableGradientFill(false);

  // Colour-adjusted bitmaps: the sample as it is, lighter, darker, turned in hue.
  Label(dc, 4, 184, "colour-adjusted bitmaps");
  HBITMAP hSample = SamplePicture();
  DrawBitmap(dc, hSample, 4, 202);
  const double deltas[3][3] = {{0, 0.5, 0}, {0, -0.5, 0}, {0.3, 0, 0}};
  for (int i = 0; i < 3; ++i) {
    HBITMAP h = CExtPaintManager::HlsAdjustBitmap(hSample, RGB(255, 0, 255), 0, deltas[i][0], deltas[i][1],
                                                  deltas[i][2]);
    DrawBitmap(dc, h, 44 + 40 * i, 202);
    ::DeleteObject(h);
  }
  // The disabled look: the grey rendering, and beside it the theme's tint at its strength when
  // the theme has one.
  HBITMAP hDisabled = CExtPaintManager::HlsAdjustBitmap(hSample, RGB(255, 0, 255), 0, 0, 0.3, -1.0);
  DrawBitmap(dc, hDisabled, 180, 202);
  ::DeleteObject(hDisabled);
  const COLORREF clrTint = pm->GetDisabledIconColor();
  if (clrTint != (COLORREF)-1)
    dc.FillSolidRect(180, 236, 32, 6,
                     CExtPaintManager::BlendColors(clrTint, kBack, (int)(pm->GetDisabledIconFactor() * 100)));
  Label(dc, 216, 212, "disabled");
  ::DeleteObject(hSample);

  // Size grip and date-picker parts.
  Label(dc, 4, 244, "size grip, date picker");
  dc.FillSolidRect(4, 262, 40, 40, pm->ColorByLogicalId(1000));
  pm->PaintResizingGripper(dc, RECT{4, 262, 44, 302}, NULL);
  const RECT rcBorder = {60, 262, 220, 372};
  dc.FillSolidRect(&rcBorder, pm->ColorByLogicalId(COLOR_WINDOW));
  pm->PaintDatePickerBorder(dc, rcBorder, NULL);
  const RECT rcHeader = {64, 266, 216, 290}, rcInner = {66, 268, 214, 288}, rcNone = {0, 0, 0, 0};
  pm->PaintDatePickerHeaderBackground(0, 0, dc, 2024, 1, rcHeader, rcInner, rcNone, rcNone, rcNone, NULL);
  pm->PaintDatePickerSeparator(dc, RECT{70, 330, 206, 331}, NULL);
}

} // namespace gallery

namespace {

struct Theme {
  const char* pszName;
  CRuntimeClass* pClass;
  const CExtPaintManagerHolder::ForcedVisualStyle_t* pStyle;
};

const CExtPaintManagerHolder::ForcedVisualStyle_t kNoStyle = {false, NULL, NULL, 0, {}};
// Taskbar colours of the three schemes, close to what the luna styles report.
const CExtPaintManagerHolder::ForcedVisualStyle_t kBlue = {
    true,
    L"luna.msstyles",
    L"normalcolor",
    7,
    {RGB(99, 151, 233), 0, RGB(21, 66, 139), 0, 0, RGB(61, 149, 255), RGB(168, 202, 245)}};
const CExtPaintManagerHolder::ForcedVisualStyle_t kOlive = {
    true,
    L"luna.msstyles",
    L"homestead",
    7,
    {RGB(194, 206, 160), 0, RGB(100, 116, 70), 0, 0, RGB(151, 176, 122), RGB(219, 226, 190)}};
const CExtPaintManagerHolder::ForcedVisualStyle_t kSilver = {
    true,
    L"luna.msstyles",
    L"metallic",
    7,
    {RGB(240, 240, 246), 0, RGB(140, 138, 160), 0, 0, RGB(198, 197, 215), RGB(230, 230, 238)}};

struct Part {
  const char* pszFile; // theme_gallery_<theme><file>.bmp
  int cx, cy;
  void (*paint)(CDC& dc, CExtPaintManager* pm, const char* pszName);
};

const Part kParts[] = {
    {"", gallery::kOverviewWidth, gallery::kOverviewHeight, gallery::PaintOverview},
    {"_controls", gallery::kControlsWidth, gallery::kControlsHeight, gallery::PaintControls},
    {"_marks", gallery::kMarksWidth, gallery::kMarksHeight, gallery::PaintMarks},
    {"_bars", gallery::kBarsWidth, gallery::kBarsHeight, gallery::PaintBarParts},
    {"_frames", gallery::kFramesWidth, gallery::kFramesHeight, gallery::PaintFrames},
    {"_barbuttons", gallery::kBarButtonsWidth, gallery::kBarButtonsHeight, gallery::PaintBarButtons},
    {"_controls2", gallery::kControls2Width, gallery::kControls2Height, gallery::PaintControls2},
};

// A top-down 32-bit picture.
struct Picture {
  int cx = 0, cy = 0;
  std::vector<DWORD> px;
};

// The pixels are written opaque: the painters leave the alpha bytes as GDI does, which viewers
// would take for transparency.
bool SaveBmp(const std::string& strPath, const Picture& pic) {
  std::vector<DWORD> px(pic.px);
  for (DWORD& p : px)
    p |= 0xFF000000;
  FILE* f = std::fopen(strPath.c_str(), "wb");
  if (f == NULL)
    return false;
  BITMAPINFOHEADER info = {sizeof(info), pic.cx, -pic.cy, 1, 32, BI_RGB, (DWORD)(px.size() * 4), 0, 0, 0, 0};
  BITMAPFILEHEADER head = {0x4D42, (DWORD)(sizeof(head) + sizeof(info) + info.biSizeImage), 0, 0,
                           (DWORD)(sizeof(head) + sizeof(info))};
  const bool bOk = std::fwrite(&head, sizeof(head), 1, f) == 1 &&
                   std::fwrite(&info, sizeof(info), 1, f) == 1 &&
                   std::fwrite(px.data(), info.biSizeImage, 1, f) == 1;
  const bool bClosed = std::fclose(f) == 0;
  std::printf("%s: %s\n", strPath.c_str(), bOk && bClosed ? "written" : "FAILED");
  return bOk && bClosed;
}

// One part painted by the installed theme; empty when no surface could be made.
Picture PaintPart(const Part& part, const char* pszName) {
  Picture pic;
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), part.cx, -part.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  CDC dc;
  if (hDib == NULL || !dc.CreateCompatibleDC(NULL)) {
    if (hDib != NULL)
      ::DeleteObject(hDib);
    return pic;
  }
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hDib);
  part.paint(dc, g_PaintManagerHolder.GetPM(), pszName);
  ::GdiFlush();
  pic.cx = part.cx;
  pic.cy = part.cy;
  const DWORD* pSrc = static_cast<const DWORD*>(pBits);
  pic.px.assign(pSrc, pSrc + (size_t)part.cx * part.cy);
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteObject(hDib);
  return pic;
}

// The pictures in two columns, each placed in the shorter one, on a grey ground.
Picture ContactSheet(const std::vector<Picture>& pictures) {
  const int kGap = 8;
  int cxColumn = 0;
  for (const Picture& pic : pictures)
    cxColumn = std::max(cxColumn, pic.cx);
  int cyColumn[2] = {kGap, kGap};
  std::vector<std::pair<int, int>> places;
  for (const Picture& pic : pictures) {
    const int nColumn = cyColumn[1] < cyColumn[0] ? 1 : 0;
    places.emplace_back(kGap + nColumn * (cxColumn + kGap), cyColumn[nColumn]);
    cyColumn[nColumn] += pic.cy + kGap;
  }
  Picture sheet;
  sheet.cx = 2 * cxColumn + 3 * kGap;
  sheet.cy = std::max(cyColumn[0], cyColumn[1]);
  sheet.px.assign((size_t)sheet.cx * sheet.cy, 0x808080);
  for (size_t i = 0; i < pictures.size(); ++i)
    for (int y = 0; y < pictures[i].cy; ++y)
      std::memcpy(&sheet.px[(size_t)(places[i].second + y) * sheet.cx + places[i].first],
                  &pictures[i].px[(size_t)y * pictures[i].cx], (size_t)pictures[i].cx * 4);
  return sheet;
}

} // namespace

int main() {
  watchdog::Install({[](const std::string& report) { std::printf("FAIL %s", report.c_str()); }, nullptr});
  watchdog::Arm("theme_gallery", 80);
  const char* pszDir = std::getenv("PIX_ARTIFACTS");
  std::string strDir = pszDir != NULL && *pszDir != '\0' ? pszDir : ".";
  if (strDir[0] == '/')
    strDir = "Z:" + strDir;
  ::CreateDirectoryA(strDir.c_str(), NULL);

  const Theme themes[] = {
      {"classic", RUNTIME_CLASS(CExtPaintManager), &kNoStyle},
      {"xp", RUNTIME_CLASS(CExtPaintManagerXP), &kNoStyle},
      {"office2003_system", RUNTIME_CLASS(CExtPaintManagerOffice2003), &kNoStyle},
      {"office2003_blue", RUNTIME_CLASS(CExtPaintManagerOffice2003), &kBlue},
      {"office2003_olive", RUNTIME_CLASS(CExtPaintManagerOffice2003), &kOlive},
      {"office2003_silver", RUNTIME_CLASS(CExtPaintManagerOffice2003), &kSilver},
  };
  int nFailures = 0;
  for (const Theme& theme : themes) {
    CExtPaintManagerHolder::TestForceVisualStyle(theme.pStyle);
    g_PaintManagerHolder.DetectVisualStyle();
    if (!g_PaintManagerHolder.InstallThemeByClass(theme.pClass)) {
      std::printf("%s: theme not installed\n", theme.pszName);
      ++nFailures;
      continue;
    }
    std::vector<Picture> pictures;
    for (const Part& part : kParts) {
      pictures.push_back(PaintPart(part, theme.pszName));
      const std::string strPath = strDir + "\\theme_gallery_" + theme.pszName + part.pszFile + ".bmp";
      nFailures += !pictures.back().px.empty() && SaveBmp(strPath, pictures.back()) ? 0 : 1;
    }
    nFailures += SaveBmp(strDir + "\\theme_sheet_" + theme.pszName + ".bmp", ContactSheet(pictures)) ? 0 : 1;
  }
  CExtPaintManagerHolder::TestForceVisualStyle(NULL);
  return nFailures == 0 && !watchdog::Overran() ? 0 : 1;
}
