// Paints every drawing operation of the theme engine built so far into one 32-bit picture per
// theme (classic, XP, Office 2003 without visual styles and in each luna scheme) and saves them
// as BMP files in the folder named by PIX_ARTIFACTS. Exits 0 when every picture was written.
#include "framework/fw.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtMenuJointSource.h"
#include "toolkit/theme/ExtPaintManagerDockMarkers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 640, kHeight = 420;
const COLORREF kBack = RGB(255, 255, 255);

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

void Label(CDC& dc, int x, int y, const char* psz) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.TextOut(x, y, psz, (int)strlen(psz));
}

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

// A small picture with a magenta key for the colour-adjusted and disabled samples.
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

void DrawBitmap(CDC& dc, HBITMAP h, int x, int y) {
  if (h == NULL)
    return;
  CDC dcSrc;
  dcSrc.CreateCompatibleDC(&dc);
  HGDIOBJ hOld = ::SelectObject(dcSrc.m_hDC, h);
  dc.BitBlt(x, y, 32, 32, &dcSrc, 0, 0, SRCCOPY);
  ::SelectObject(dcSrc.m_hDC, hOld);
}

void PaintTheme(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  dc.FillSolidRect(0, 0, kWidth, kHeight, kBack);
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

bool SaveDib(const std::string& strPath, const DWORD* pBits, int cx, int cy) {
  FILE* f = std::fopen(strPath.c_str(), "wb");
  if (f == NULL)
    return false;
  BITMAPINFOHEADER info = {sizeof(info), cx, -cy, 1, 32, BI_RGB, (DWORD)(cx * cy * 4), 0, 0, 0, 0};
  BITMAPFILEHEADER head = {0x4D42, (DWORD)(sizeof(head) + sizeof(info) + info.biSizeImage), 0, 0,
                           (DWORD)(sizeof(head) + sizeof(info))};
  const bool bOk = std::fwrite(&head, sizeof(head), 1, f) == 1 &&
                   std::fwrite(&info, sizeof(info), 1, f) == 1 &&
                   std::fwrite(pBits, info.biSizeImage, 1, f) == 1;
  return std::fclose(f) == 0 && bOk;
}

// A popup menu laid out right to left, for the menu rows and buttons that ask their menu.
class GalleryRtlMenu : public CObject, public CExtPopupMenuSite {
public:
  bool IsRightToLeft() const override { return true; }
};

// A 16 x 16 command icon: three coloured squares over a magenta key.
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

// Push buttons, menu rows, icon items, combo faces, tear-off bars and glyphs of one theme in
// every state, saved as theme_gallery_<theme>_controls.bmp.
bool PaintControlsGallery(CExtPaintManager* pm, const std::string& strDir, const char* pszName) {
  const int cx = 900, cy = 760;
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  CDC dc;
  if (hDib == NULL || !dc.CreateCompatibleDC(NULL))
    return false;
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hDib);
  dc.FillSolidRect(0, 0, cx, cy, pm->ColorByLogicalId(1000));
  Label(dc, 4, 4, pszName);
  CExtCmdIcon icon;
  MakeGalleryIcon(icon);
  GalleryRtlMenu rtlMenu;

  // Push buttons: one row per state, one column per kind.
  struct ButtonState {
    const char* name;
    bool bHover, bPushed, bEnabled, bChecked;
  };
  const ButtonState states[] = {{"normal", false, false, true, false},
                                {"hover", true, false, true, false},
                                {"pressed", true, true, true, false},
                                {"disabled", true, false, false, false},
                                {"checked", false, true, true, true}};
  const char* kinds[] = {"text", "icon", "flat", "drop-down", "split", "rtl icon", "default", "vertical"};
  for (int k = 0; k < 8; ++k)
    Label(dc, 80 + k * 96, 24, kinds[k]);
  for (int s = 0; s < 5; ++s) {
    const ButtonState& st = states[s];
    const int y = 42 + s * 34;
    Label(dc, 4, y + 6, st.name);
    for (int k = 0; k < 7; ++k) {
      const RECT rc = {80 + k * 96, y, 80 + k * 96 + 88, y + 26};
      const bool bFlat = k == 2 || st.bChecked;
      PushButtonPaintData d(NULL, true, rc, "&Button", (k == 1 || k == 5) ? &icon : NULL, bFlat, st.bHover,
                            st.bPushed, false, st.bEnabled, true, k == 0 && st.bHover, k == 6, 5, NULL,
                            k == 3 || k == 4);
      d.splitDropDown = k == 4;
      d.rightToLeft = k == 5;
      pm->PaintPushButton(dc, d);
    }
    const RECT rcVert = {80 + 7 * 96 + s * 24, 42, 80 + 7 * 96 + s * 24 + 22, 200};
    PushButtonPaintData v(NULL, false, rcVert, "Ver&tical", &icon, false, st.bHover, st.bPushed, false,
                          st.bEnabled, true, false, false, 1, NULL, true);
    pm->PaintPushButton(dc, v);
  }

  // Menu rows, left to right and right to left.
  struct MenuRow {
    const char* text;
    bool bIcon, bPopup, bSelected, bCheck, bRadio, bEnabled, bRarely, bAbove, bBelow, bGlyph, bSplit, bEdit;
  };
  const MenuRow rows[] = {
      {"&Normal", false, false, false, false, false, true, false, false, false, false, false, false},
      {"&Icon selected", true, false, true, false, false, true, false, false, false, false, false, false},
      {"&Disabled", true, false, false, false, false, false, false, false, false, false, false, false},
      {"&Checked", false, false, false, true, false, true, false, false, false, false, false, false},
      {"Checked &icon", true, false, true, true, false, true, false, false, false, false, false, false},
      {"&Radio", false, false, true, false, true, true, false, false, false, false, false, false},
      {"Rarely &used 1", false, false, false, false, false, true, true, false, true, false, false, false},
      {"Rarely used &2", false, false, true, false, false, true, true, true, false, false, false, false},
      {"&Submenu", false, true, false, false, false, true, false, false, false, false, false, false},
      {"Submenu &glyph", false, true, true, false, false, true, false, false, false, true, false, false},
      {"S&plit submenu", false, true, true, false, false, true, false, false, false, false, true, false},
      {"&Edit", false, true, true, false, false, true, false, false, false, false, false, true},
  };
  for (int nDir = 0; nDir < 2; ++nDir) {
    const int x = 4 + nDir * 300;
    Label(dc, x, 216, nDir == 0 ? "menu rows" : "right to left");
    const RECT rcMenu = {x, 234, x + 280, 234 + 12 * 24};
    dc.FillSolidRect(&rcMenu, pm->GetMenuBackgroundColor());
    for (int r = 0; r < 12; ++r) {
      const MenuRow& row = rows[r];
      const RECT rc = {x, 234 + r * 24, x + 280, 234 + r * 24 + 24};
      MenuItemPaintData d(nDir == 0 ? NULL : &rtlMenu, rc, rc, 26, row.text, row.bPopup ? NULL : "Ctrl+K",
                          row.bIcon ? &icon : NULL, row.bPopup, row.bSelected, row.bCheck, row.bRadio, false,
                          row.bEnabled, row.bRarely, row.bAbove, row.bBelow, 0, NULL);
      d.glyphArrow = row.bGlyph;
      d.splitPopup = row.bSplit;
      if (row.bEdit) {
        d.editRect = RECT{rc.left + 120, rc.top, rc.right - 20, rc.bottom};
        d.editText = "edit text";
        d.editHot = 1;
      }
      pm->PaintMenuItem(dc, d);
    }
  }

  // Icon items, combo faces, tear-off bars.
  int x = 620;
  Label(dc, x, 216, "icon items");
  HICON hIcon = icon.GetIcon(false);
  const BYTE itemStates[] = {0, IconPaintData::ICON_HOVER, IconPaintData::ICON_PUSHED,
                             IconPaintData::ICON_INFO_TEXT};
  for (int i = 0; i < 4; ++i) {
    const RECT rcItem = {x, 236 + i * 26, x + 200, 236 + i * 26 + 24};
    const RECT rcIcon = {x + 4, rcItem.top + 4, x + 20, rcItem.top + 20};
    const RECT rcText = {x + 26, rcItem.top, x + 200, rcItem.bottom};
    IconPaintData d(NULL, hIcon, NULL, rcItem, rcIcon, rcText, "Icon item", NULL, itemStates[i]);
    pm->PaintIcon(dc, d);
  }
  IconPaintData sep(NULL, NULL, NULL, RECT{x + 4, 344, x + 196, 346}, RECT{0, 0, 0, 0}, RECT{0, 0, 0, 0}, "",
                    NULL, IconPaintData::ICON_SEPARATOR | IconPaintData::ICON_INFO_TEXT);
  pm->PaintIcon(dc, sep);
  Label(dc, x, 356, "combo faces");
  const struct {
    bool bHover, bPushed, bEnabled;
  } faces[] = {{false, false, true}, {true, false, true}, {true, true, true}, {false, false, false}};
  for (int i = 0; i < 4; ++i)
    for (int b = 0; b < 2; ++b) {
      const RECT rc = {x + b * 140, 376 + i * 28, x + b * 140 + 130, 376 + i * 28 + 20};
      dc.FillSolidRect(&rc, pm->ColorByLogicalId(COLOR_WINDOW));
      ComboBoxFacePaintData d(NULL, rc, "Combo", b == 1, faces[i].bHover, faces[i].bPushed,
                              faces[i].bEnabled);
      pm->PaintComboBoxFace(dc, d);
    }
  Label(dc, x, 492, "tear-off bars");
  pm->PaintMenuTearOffCaption(dc, RECT{x, 512, x + 200, 520}, false, false, NULL);
  pm->PaintMenuTearOffCaption(dc, RECT{x, 526, x + 200, 534}, true, false, NULL);

  // Glyphs: the built-in table, the named glyphs, the glyph icons and a text icon.
  Label(dc, 4, 540, "built-in glyphs, named glyphs, glyph icons, text icon");
  const COLORREF ink[2] = {0, pm->ColorByLogicalId(COLOR_BTNTEXT)};
  int nCol = 0;
  for (int i = 1; i < GLYPH_COUNT; ++i) {
    const GlyphBuffer& g = GetBuiltinGlyph(i);
    if (g.GetSize().cx == 0)
      continue;
    pm->PaintGlyphCentered(dc, RECT{4 + nCol * 20, 560, 4 + nCol * 20 + 18, 578}, g, ink);
    ++nCol;
  }
  for (int i = 0; i < NG_COUNT; ++i)
    pm->PaintGlyphCentered(dc, RECT{4 + i * 20, 590, 4 + i * 20 + 18, 608}, GetNamedGlyph((NamedGlyph)i),
                           ink);
  for (int i = 0; i < 2; ++i) {
    CExtCmdIcon glyphIcon;
    if (pm->LoadBuiltinGlyphIcon(glyphIcon, i == 0)) {
      const POINT pt = {4 + i * 20, 620};
      glyphIcon.Paint(dc.m_hDC, &pt, CExtCmdIcon::PaintNormal, NULL);
    }
  }
  HICON hText = CExtPaintManager::CreateTextIcon(RGB(200, 30, 40), (HFONT)pm->m_FontBold.m_hObject, "A");
  if (hText != NULL) {
    ::DrawIconEx(dc.m_hDC, 50, 618, hText, 16, 16, 0, NULL, DI_NORMAL);
    ::DestroyIcon(hText);
  }

  // Texts: the undo/redo caption and the icon-title texts.
  pm->PaintUndoRedoCaption(dc, RECT{4, 650, 284, 672}, "Undo 3 Actions", NULL);
  dc.FillSolidRect(300, 650, 280, 24, pm->ColorByLogicalId(COLOR_3DSHADOW));
  pm->PaintIconTitleText(dc, RECT{300, 650, 580, 674}, "Icon title text");
  pm->PaintScaledText(dc, RECT{4, 680, 284, 704}, "Scaled text", 16, false, false, false, false);
  pm->PaintCaptionText(dc, RECT{300, 680, 580, 704}, "Caption text");
  pm->PaintDatePickerBackground(dc, RECT{600, 650, 880, 740}, RECT{620, 660, 860, 730}, NULL);

  ::GdiFlush();
  const std::string strPath = strDir + "\\theme_gallery_" + pszName + "_controls.bmp";
  const bool bSaved = SaveDib(strPath, static_cast<const DWORD*>(pBits), cx, cy);
  std::printf("%s: %s\n", strPath.c_str(), bSaved ? "written" : "FAILED");
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteObject(hDib);
  return bSaved;
}

// ---------------------------------------------------------------------------------------------
// Separators, frames and marks, menu joints, dock markers and the drop highlight, in one picture
// per theme beside the main one.

const int kMarksWidth = 720, kMarksHeight = 830;

// A popup menu opened from a bar button, as the Office 2003 joint asks it.
class GalleryMenu : public CObject, public CExtMenuJointSource {
public:
  explicit GalleryMenu(const BarState_t& state) : m_state(state) {}
  bool GetJointBarState(BarState_t& state) const override {
    state = m_state;
    return true;
  }
  BarState_t m_state;
};

// A marker window under the pointer, for the outline.
class GalleryMarkerWnd : public CExtDockMarkerWndInfo {
public:
  GalleryMarkerWnd(int nKind, CSize size) : m_nKind(nKind), m_size(size) {}
  HWND GetMarkerHwnd() const override { return NULL; }
  int GetMarkerKind() const override { return m_nKind; }
  bool GetMarkerState() const override { return true; }
  CSize GetMarkerSize() const override { return m_size; }
  int m_nKind;
  CSize m_size;
};

// The bitmap's pixels outside its key colour, at (x, y).
void DrawKeyed(CDC& dc, HBITMAP h, int x, int y) {
  BITMAP bm = {};
  if (h == NULL || ::GetObject(h, sizeof(bm), &bm) == 0)
    return;
  CRgn rgn;
  rgn.Attach(CExtPaintManager::BitmapToRegion(h, CExtPaintManager::DockMarkerBase::KEY_COLOR, 0));
  rgn.OffsetRgn(x, y);
  dc.SelectClipRgn(&rgn);
  CDC dcSrc;
  dcSrc.CreateCompatibleDC(&dc);
  HGDIOBJ hOld = ::SelectObject(dcSrc.m_hDC, h);
  dc.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcSrc, 0, 0, SRCCOPY);
  ::SelectObject(dcSrc.m_hDC, hOld);
  dc.SelectClipRgn(NULL);
}

// A marker and its children where they placed themselves; hot ones carry their outline.
void DrawMarker(CDC& dc, CExtPaintManager* pm, CExtPaintManager::DockMarkerBase& marker, bool bHot) {
  const CRect& rc = marker.m_rcScreen;
  if (marker.m_bmpOuter.GetSafeHandle() != NULL) {
    DrawKeyed(dc, (HBITMAP)marker.m_bmpOuter.GetSafeHandle(), rc.left, rc.top);
    DrawKeyed(dc, (HBITMAP)(bHot ? marker.m_bmpHot : marker.m_bmpNormal).GetSafeHandle(),
              rc.left + marker.m_nFrameOffsetX, rc.top + marker.m_nFrameOffsetY);
  } else {
    DrawKeyed(dc, (HBITMAP)(bHot ? marker.m_bmpHot : marker.m_bmpNormal).GetSafeHandle(), rc.left, rc.top);
  }
  if (bHot) {
    GalleryMarkerWnd wnd(marker.m_nKind, rc.Size());
    const CPoint ptOld = dc.SetViewportOrg(rc.left, rc.top);
    pm->PaintDockMarkerWnd(dc, &wnd, true);
    dc.SetViewportOrg(ptOld);
  }
  for (INT_PTR i = 0; i < marker.m_arrChildren.GetSize(); ++i)
    DrawMarker(dc, pm, *marker.m_arrChildren[i], bHot);
}

// Every marker of one style laid out against a target drawn as a frame.
void DrawMarkerSet(CDC& dc, CExtPaintManager* pm, int nStyle, const RECT& rcTarget, bool bHot) {
  const int nOldStyle = pm->m_nDockMarkerStyle;
  pm->m_nDockMarkerStyle = nStyle;
  dc.Draw3dRect(&rcTarget, RGB(160, 160, 160), RGB(160, 160, 160));
  const int nCenter = nStyle == 1 ? CExtPaintManager::DockMarkerBase::KIND_CENTER
                                  : CExtPaintManager::DockMarkerBase::KIND_CENTER2;
  for (int nKind : {0, 1, 2, 3, nCenter}) {
    std::unique_ptr<CExtPaintManager::DockMarkerBase> pMarker(pm->CreateDockMarkerObject());
    if (pMarker->CreateBuiltin(pm, rcTarget, true, nKind))
      DrawMarker(dc, pm, *pMarker, bHot);
  }
  pm->m_nDockMarkerStyle = nOldStyle;
}

// The drop highlight over a face-coloured window, with or without a tab below the main area.
void DrawHighlight(CDC& dc, CExtPaintManager* pm, int nStyle, bool bTab, int x, int y) {
  const int cx = 160, cy = 120;
  std::vector<DWORD> px((size_t)cx * cy);
  const COLORREF clrFace = pm->ColorByLogicalId(1000);
  for (DWORD& p : px)
    p = ((DWORD)GetRValue(clrFace) << 16) | ((DWORD)GetGValue(clrFace) << 8) | GetBValue(clrFace);
  const int nOldStyle = pm->m_nDockMarkerStyle;
  pm->m_nDockMarkerStyle = nStyle;
  const RECT rcTab = {10, 90, 60, 110};
  pm->PaintDockHighlight(px.data(), cx, cy, RECT{10, 10, 150, bTab ? 90 : 110}, bTab ? &rcTab : NULL, false,
                         (COLORREF)-1, (COLORREF)-1, 3);
  pm->m_nDockMarkerStyle = nOldStyle;
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ::SetDIBitsToDevice(dc.m_hDC, x, y, cx, cy, 0, 0, 0, cy, px.data(), &bmi, DIB_RGB_COLORS);
}

void PaintMarks(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  dc.FillSolidRect(0, 0, kMarksWidth, kMarksHeight, kBack);
  Label(dc, 4, 4, pszName);

  Label(dc, 4, 24, "menu separator, rarely used; separators with and without background; divider");
  dc.FillSolidRect(4, 40, 100, 9, RGB(255, 220, 220));
  pm->PaintMenuSeparator(dc, RECT{4, 44, 104, 53}, 0, false, NULL);
  pm->PaintMenuSeparator(dc, RECT{110, 44, 210, 53}, 0, true, NULL);
  dc.FillSolidRect(220, 40, 140, 44, RGB(255, 220, 220));
  pm->PaintSeparator(dc, RECT{224, 42, 232, 82}, true, false, NULL);
  pm->PaintSeparator(dc, RECT{236, 42, 244, 82}, true, true, NULL);
  pm->PaintSeparator(dc, RECT{250, 44, 350, 52}, false, false, NULL);
  pm->PaintSeparator(dc, RECT{250, 60, 350, 68}, false, true, NULL);
  pm->PaintDividerLine(dc, RECT{380, 46, 480, 48}, NULL);

  Label(dc, 4, 96, "insertion marks; drag frame; MDI client and tab borders; menu border");
  for (int i = 0; i < 4; ++i) {
    const RECT rc = {14 + 50 * i, 130, 44 + 50 * i, 150};
    dc.FillSolidRect(&rc, pm->ColorByLogicalId(COLOR_WINDOW));
    pm->PaintInsertionMark(dc, rc, (i & 1) == 0, i < 2);
  }
  pm->PaintDragFrame(dc, RECT{220, 116, 300, 160});
  pm->PaintTabMdiClientBorder(dc, RECT{320, 116, 400, 160}, NULL);
  pm->PaintTabBorderSecondary(dc, RECT{420, 116, 500, 160}, NULL);
  dc.FillSolidRect(520, 116, 80, 60, pm->GetMenuBackgroundColor());
  pm->PaintMenuBorder(dc, RECT{520, 116, 600, 176}, NULL);

  Label(dc, 4, 184, "menu joints: below, above, left, right; docked, pressed, menu bar, floating, chevron");
  CExtMenuJointSource::BarState_t docked;
  docked.m_bToolBar = true;
  CExtMenuJointSource::BarState_t pressed = docked, menuBar = docked, floating = docked, chevron = docked;
  pressed.m_bButtonPressed = menuBar.m_bButtonPressed = floating.m_bButtonPressed = true;
  menuBar.m_bMenuBar = true;
  floating.m_bFloating = true;
  chevron.m_bChevron = true;
  GalleryMenu menus[] = {GalleryMenu(docked),  GalleryMenu(docked),   GalleryMenu(docked),
                         GalleryMenu(docked),  GalleryMenu(docked),   GalleryMenu(pressed),
                         GalleryMenu(menuBar), GalleryMenu(floating), GalleryMenu(chevron)};
  for (int i = 0; i < 9; ++i) {
    const int nSide = i < 4 ? i + 1 : 1, x = 10 + 78 * i, y = 204;
    const CRect rcButtons[4] = {{x + 10, y, x + 40, y + 16},
                                {x + 10, y + 56, x + 40, y + 72},
                                {x + 40, y + 20, x + 70, y + 36},
                                {x, y + 20, x + 30, y + 36}};
    const CRect rcMenus[4] = {{x + 10, y + 16, x + 70, y + 56},
                              {x + 10, y + 16, x + 70, y + 56},
                              {x, y + 10, x + 40, y + 60},
                              {x + 30, y + 10, x + 70, y + 60}};
    const CRect& rcMenu = rcMenus[nSide - 1];
    dc.FillSolidRect(&rcMenu, pm->GetMenuBackgroundColor());
    pm->PaintMenuBorder(dc, rcMenu, &menus[i]);
    pm->PaintMenuCombinedJoint(dc, rcButtons[nSide - 1], rcMenu, nSide, &menus[i]);
  }

  Label(dc, 4, 284, "dock markers of styles 1, 2 and 3; below them the hot images with their outline");
  for (int i = 0; i < 3; ++i) {
    DrawMarkerSet(dc, pm, i + 1, RECT{14 + 236 * i, 310, 234 + 236 * i, 470}, false);
    DrawMarkerSet(dc, pm, i + 1, RECT{14 + 236 * i, 480, 234 + 236 * i, 640}, true);
  }

  Label(dc, 4, 654, "drop highlight, style 1 and style 3, with and without a tab");
  for (int i = 0; i < 4; ++i)
    DrawHighlight(dc, pm, i < 2 ? 1 : 3, (i & 1) != 0, 10 + 176 * i, 674);
}

// Paints and saves the theme's second picture; false when it could not be written.
bool SaveMarksPicture(const std::string& strDir, const char* pszName) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kMarksWidth, -kMarksHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  CDC dc;
  if (hDib == NULL || !dc.CreateCompatibleDC(NULL)) {
    if (hDib != NULL)
      ::DeleteObject(hDib);
    return false;
  }
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hDib);
  PaintMarks(dc, g_PaintManagerHolder.GetPM(), pszName);
  ::GdiFlush();
  const std::string strPath = strDir + "\\theme_gallery_marks_" + pszName + ".bmp";
  const bool bSaved = SaveDib(strPath, static_cast<const DWORD*>(pBits), kMarksWidth, kMarksHeight);
  std::printf("%s: %s\n", strPath.c_str(), bSaved ? "written" : "FAILED");
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteObject(hDib);
  return bSaved;
}

// ---------------------------------------------------------------------------------------------
// Text buttons, captions, grippers, tab items, chevrons, hidden-items rows and separators in every
// state, in a third picture per theme.

const int kBarsWidth = 760, kBarsHeight = 760;

class GalleryBar : public CObject, public CExtControlBarSite {
public:
  GalleryBar(BarKind eKind, bool bVertical) : m_eKind(eKind), m_bVertical(bVertical) {}
  BarKind GetBarKind() const override { return m_eKind; }
  BYTE GetOptionBits() const override { return 0; }
  bool IsFloating() const override { return false; }
  bool IsInDockBar() const override { return true; }
  bool IsDockedVertically() const override { return m_bVertical; }
  bool HasDockSite() const override { return true; }
  bool IsDockSiteStyleBitSet() const override { return false; }
  BarKind m_eKind;
  bool m_bVertical;
};

class GalleryMiniFrame : public CObject, public CExtCaptionSourceSite {
public:
  explicit GalleryMiniFrame(bool bFixed) : m_bFixed(bFixed) {}
  SourceKind GetCaptionSourceKind() const override { return SOURCE_MINI_FRAME; }
  bool IsFloatingBarFixedMode() const override { return m_bFixed; }
  bool m_bFixed;
};

class GalleryPopup : public CObject, public CExtPopupMenuSite, public CExtPopupMenuItemsSite {
public:
  explicit GalleryPopup(bool bRtl) : m_bRtl(bRtl) {}
  bool IsRightToLeft() const override { return m_bRtl; }
  int GetItemCount() const override { return 1; }
  int GetItemIconAreaWidth(int) const override { return 24; }
  DWORD GetItemState(int) const override { return 0; }
  bool m_bRtl;
};

class GalleryStatusBar : public CObject, public CExtStatusBarSite {};

void PaintCaptions(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y,
        "docking captions: grippers of a tool bar (across, along), caption bars inactive, active, floating,");
  Label(dc, 4, y + 14,
        "right to left, a floating tool bar cut to fit, a panel ending in an ellipsis, vertical");
  GalleryBar toolBar(CExtControlBarSite::BAR_TOOL, false), panel(CExtControlBarSite::BAR_CONTROL, false);
  GalleryMiniFrame fixedFrame(true), sizedFrame(false);
  y += 32;
  dc.FillSolidRect(4, y, 120, 26, pm->ColorByLogicalId(1000));
  DockingCaptionPaintData grip1(&toolBar, RECT{4, y, 124, y + 14}, RECT{0, 0, 0, 0}, false, false, false,
                                false, "", false);
  pm->PaintDockingCaption(dc, grip1);
  dc.FillSolidRect(130, y, 14, 60, pm->ColorByLogicalId(1000));
  DockingCaptionPaintData grip2(&toolBar, RECT{130, y, 144, y + 60}, RECT{0, 0, 0, 0}, false, false, true,
                                false, "", false);
  pm->PaintDockingCaption(dc, grip2);
  struct {
    CObject* pSource;
    bool bActive, bFloating, bRtl;
    LPCSTR sText;
  } const bars[] = {{&panel, false, false, false, "Inactive"},
                    {&panel, true, false, false, "Active"},
                    {&sizedFrame, false, true, false, "Floating"},
                    {&panel, true, false, true, "Right to left"},
                    {&fixedFrame, true, true, false, "Formatting toolbar"},
                    {&sizedFrame, true, true, false, "A long panel caption"}};
  for (int i = 0; i < 6; ++i) {
    const RECT rc = {150 + 100 * (i % 3), y + 22 * (i / 3), 246 + 100 * (i % 3), y + 22 * (i / 3) + 18};
    const RECT rcText = {rc.left + 3, rc.top, rc.right - 3, rc.bottom};
    DockingCaptionPaintData d(bars[i].pSource, rc, rcText, bars[i].bActive, bars[i].bFloating, false, true,
                              bars[i].sText, bars[i].bRtl);
    pm->PaintDockingCaption(dc, d);
  }
  DockingCaptionPaintData vert(&panel, RECT{460, y, 480, y + 100}, RECT{460, y + 2, 480, y + 98}, true, false,
                               true, true, "Vertical", false);
  pm->PaintDockingCaption(dc, vert);
}

void PaintTabStrips(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y, "tab items: top, bottom (with icons), grouped; left and right strips with turned text");
  y += 16;
  HBITMAP hSample = SamplePicture();
  const RECT rcPart = {8, 8, 24, 24};
  CExtCmdIcon icon(hSample, RGB(255, 0, 255), &rcPart, true);
  ::DeleteObject(hSample);
  const COLORREF none = (COLORREF)-1;
  const LPCSTR texts[] = {"First", "Selected", "Third"};
  for (int nStrip = 0; nStrip < 3; ++nStrip) {
    const int yStrip = y + 30 * nStrip;
    dc.FillSolidRect(4, yStrip, 300, 24, pm->ColorByLogicalId(nStrip == 2 ? COLOR_3DFACE : 2000));
    for (int i = 0; i < 3; ++i) {
      const RECT rc = {8 + 90 * i, yStrip + 2, 96 + 90 * i, yStrip + 22};
      pm->PaintTabItem(dc, 0, nStrip == 0, true, i == 1, false, nStrip == 2, i == 1, false, &rc, 0, 0, NULL,
                       texts[i], nStrip == 1 ? &icon : NULL, NULL, 0, none, none, none, none, none);
    }
  }
  for (int nSide = 0; nSide < 2; ++nSide) {
    const int x = 320 + 40 * nSide;
    dc.FillSolidRect(x, y, 30, 240, pm->ColorByLogicalId(2000));
    CFont& font = nSide == 0 ? pm->m_FontNormalVert : pm->m_FontNormalVertUp;
    for (int i = 0; i < 3; ++i) {
      const RECT rc = {x + 2, y + 4 + 78 * i, x + 26, y + 78 + 78 * i};
      CSize size = dc.GetTextExtent(texts[i], (int)strlen(texts[i]));
      pm->PaintTabItem(dc, 0, nSide == 0, false, i == 1, false, false, false, nSide == 1, &rc, size.cx,
                       size.cy, &font, texts[i], NULL, NULL, 0, none, none, none, none, none);
    }
  }
}

void PaintChevrons(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y,
        "chevrons of a docked tool bar: normal, hover, pressed, disabled, disabled hover, all visible");
  y += 16;
  GalleryBar horz(CExtControlBarSite::BAR_TOOL, false), vert(CExtControlBarSite::BAR_TOOL, true);
  struct {
    bool bHover, bPushed, bEnabled, bAll;
  } const states[] = {{false, false, true, false},  {true, false, true, false},  {false, true, true, false},
                      {false, false, false, false}, {true, false, false, false}, {false, false, true, true}};
  for (int i = 0; i < 6; ++i) {
    const auto& st = states[i];
    const int x = 8 + 40 * i;
    dc.FillSolidRect(x - 4, y, 24, 30, pm->ColorByLogicalId(1000));
    pm->PaintContentExpandButton(dc, RECT{x, y + 2, x + 14, y + 28}, true, st.bAll, st.bEnabled, st.bPushed,
                                 st.bHover, &horz, 0, false);
    dc.FillSolidRect(260 + 40 * i, y, 30, 24, pm->ColorByLogicalId(1000));
    pm->PaintContentExpandButton(dc, RECT{262 + 40 * i, y + 6, 288 + 40 * i, y + 20}, false, st.bAll,
                                 st.bEnabled, st.bPushed, st.bHover, &vert, 0, false);
  }
}

void PaintMenuRows(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y,
        "hidden-items rows (normal, selected, right to left), menu separators (plain, hidden items, right to "
        "left),");
  Label(dc, 4, y + 14, "bar separators (tool bar, status bar), themed gradients");
  y += 32;
  GalleryPopup ltr(false), rtl(true);
  pm->PaintMenuExpandButton(dc, RECT{4, y, 164, y + 20}, false, &ltr);
  pm->PaintMenuExpandButton(dc, RECT{170, y, 330, y + 20}, true, &ltr);
  pm->PaintMenuExpandButton(dc, RECT{336, y, 496, y + 20}, false, &rtl);
  pm->PaintMenuSeparator(dc, RECT{4, y + 26, 164, y + 35}, 24, false, &ltr);
  pm->PaintMenuSeparator(dc, RECT{170, y + 26, 330, y + 35}, 24, true, &ltr);
  pm->PaintMenuSeparator(dc, RECT{336, y + 26, 496, y + 35}, 24, false, &rtl);
  GalleryBar toolBar(CExtControlBarSite::BAR_TOOL, false);
  GalleryStatusBar statusBar;
  pm->PaintSeparator(dc, RECT{4, y + 42, 12, y + 66}, true, false, &toolBar);
  pm->PaintSeparator(dc, RECT{20, y + 42, 28, y + 66}, true, false, &statusBar);
  if (auto* pOffice = dynamic_cast<CExtPaintManagerOffice2003*>(pm)) {
    pOffice->PaintThemedGradientRect(dc, RECT{40, y + 42, 200, y + 66}, true, NULL);
    pOffice->PaintThemedGradientRect(dc, RECT{210, y + 42, 234, y + 122}, false, NULL);
  }
}

void PaintBarParts(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  dc.FillSolidRect(0, 0, kBarsWidth, kBarsHeight, kBack);
  Label(dc, 4, 4, pszName);
  Label(dc, 4, 22,
        "text buttons: normal, raised, pushed, inset, inset pushed; caption bar, shadowed title, strips");
  struct {
    bool bInset, bPushed, bRaised;
  } const buttons[] = {{false, false, false},
                       {false, false, true},
                       {false, true, false},
                       {true, false, false},
                       {true, true, false}};
  for (int i = 0; i < 5; ++i)
    pm->PaintTextButton(dc, RECT{4 + 110 * i, 40, 108 + 110 * i, 64}, "Button", 0, buttons[i].bInset,
                        buttons[i].bPushed, buttons[i].bRaised);
  pm->PaintCaptionBar(dc, RECT{4, 72, 200, 94}, "Caption bar");
  pm->PaintShadowedIconTitleText(dc, RECT{210, 72, 400, 94}, "Title");
  pm->PaintFrameBorder(dc, RECT{410, 72, 450, 94});
  pm->FillWindowColor(dc, RECT{460, 72, 500, 94}, NULL);
  pm->PaintFrameBorder(dc, RECT{460, 72, 500, 94});
  pm->PaintButtonStrip(dc, RECT{4, 102, 200, 118}, true);
  pm->PaintButtonStrip(dc, RECT{210, 102, 400, 118}, false);
  pm->PaintCenteredGlyphBox(dc, RECT{410, 102, 500, 118}, 0);
  PaintCaptions(dc, pm, 130);
  PaintTabStrips(dc, pm, 300);
  PaintChevrons(dc, pm, 560);
  PaintMenuRows(dc, pm, 610);
}

// Paints and saves the theme's third picture; false when it could not be written.
bool SaveBarPartsPicture(const std::string& strDir, const char* pszName) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kBarsWidth, -kBarsHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  CDC dc;
  if (hDib == NULL || !dc.CreateCompatibleDC(NULL)) {
    if (hDib != NULL)
      ::DeleteObject(hDib);
    return false;
  }
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hDib);
  PaintBarParts(dc, g_PaintManagerHolder.GetPM(), pszName);
  ::GdiFlush();
  const std::string strPath = strDir + "\\theme_gallery_bars_" + pszName + ".bmp";
  const bool bSaved = SaveDib(strPath, static_cast<const DWORD*>(pBits), kBarsWidth, kBarsHeight);
  std::printf("%s: %s\n", strPath.c_str(), bSaved ? "written" : "FAILED");
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteObject(hDib);
  return bSaved;
}

// ---------------------------------------------------------------------------------------------
// Caption buttons, control frames, combo buttons, tab windows, docking-area backgrounds,
// window-command glyphs, docking frames, bar borders and colour icons, in every state, in a
// third picture per theme.

const int kFramesWidth = 760, kFramesHeight = 640;

// Five button states: idle, hover, pushed, disabled, disabled under the pointer.
struct GalleryState {
  bool bHover, bPushed, bEnabled;
};
const GalleryState kStates[5] = {{false, false, true},
                                 {true, false, true},
                                 {false, true, true},
                                 {false, false, false},
                                 {true, false, false}};

void PaintCaptionButtonRows(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y,
        "caption buttons: idle, hover, pushed, disabled, disabled hover; in an active caption, an "
        "inactive one, floating");
  const int glyphs[4] = {1, 10, 11, 3};
  for (int nCaption = 0; nCaption < 3; ++nCaption) {
    const int yRow = y + 20 + 24 * nCaption;
    dc.FillSolidRect(4, yRow - 4, 720, 24,
                     pm->ColorByLogicalId(nCaption == 0 ? COLOR_ACTIVECAPTION : COLOR_3DFACE));
    for (int g = 0; g < 4; ++g)
      for (int i = 0; i < 5; ++i) {
        const int x = 10 + g * 180 + i * 34;
        NcAreaButtonPaintData data(NULL, RECT{x, yRow, x + 15, yRow + 14}, glyphs[g], kStates[i].bHover,
                                   kStates[i].bPushed, kStates[i].bEnabled, nCaption < 2, nCaption == 0,
                                   nCaption == 2);
        pm->PaintBarNcAreaButton(dc, data);
      }
  }
}

void PaintFrameAndComboRows(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y, "control frames: idle, hover, focus, hover and focus, disabled; the last around an edit");
  const bool frameStates[5][3] = {{false, true, false},
                                  {true, true, false},
                                  {false, true, true},
                                  {true, true, true},
                                  {true, false, true}};
  CEdit edit;
  for (int i = 0; i < 6; ++i) {
    const RECT rc = {14 + 120 * i, y + 26, 104 + 120 * i, y + 44};
    dc.FillSolidRect(rc.left - 8, rc.top - 8, 106, 34, pm->ColorByLogicalId(1000));
    const bool* f = frameStates[i < 5 ? i : 3];
    ControlFramePaintData data(i < 5 ? NULL : &edit, rc, f[0], f[1], f[2]);
    dc.FillSolidRect(&rc, pm->ColorByLogicalId(COLOR_WINDOW));
    pm->PaintControlFrame(dc, data);
  }
  Label(dc, 4, y + 60,
        "combo buttons: idle, hover, pushed, disabled, colour overrides, no outer ring, in a bar");
  CComboBox combo;
  for (int i = 0; i < 7; ++i) {
    const RECT rc = {10 + 104 * i, y + 80, 100 + 104 * i, y + 100};
    dc.FillSolidRect(rc.left - 4, rc.top - 4, 98, 28, pm->ColorByLogicalId(1000));
    dc.FillSolidRect(&rc, pm->ColorByLogicalId(COLOR_WINDOW));
    const GalleryState& st = kStates[i < 4 ? i : 0];
    ComboButtonPaintData data(i == 6 ? &combo : NULL, rc, st.bHover, st.bPushed, st.bEnabled);
    if (i == 4) {
      data.colors[0] = RGB(200, 40, 40);
      data.colors[1] = RGB(250, 230, 150);
      data.colors[2] = RGB(200, 230, 250);
    }
    data.noOuterRing = i == 5;
    pm->PaintComboDropDownButton(dc, data);
  }
}

void PaintTabRows(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y,
        "tab-window backgrounds: tabs at the top, bottom, left, right, none; buttons -10 to -4 "
        "horizontal and vertical in each state");
  for (int o = 0; o < 5; ++o) {
    const RECT rc = {10 + 110 * o, y + 20, 110 + 110 * o, y + 80};
    const RECT areas[4] = {{rc.left, rc.top, rc.right, rc.top + 18},
                           {rc.left, rc.bottom - 18, rc.right, rc.bottom},
                           {rc.left, rc.top, rc.left + 24, rc.bottom},
                           {rc.right - 24, rc.top, rc.right, rc.bottom}};
    pm->PaintTabWndBackground(dc, rc, rc, areas[o % 4], o % 4, o == 4, NULL);
  }
  for (int nVert = 0; nVert < 2; ++nVert)
    for (int nCode = -10; nCode <= -4; ++nCode)
      for (int i = 0; i < 5; ++i) {
        const int x = 10 + (nCode + 10) * 104 + i * 20, yRow = y + 90 + nVert * 24;
        const RECT rc = {x, yRow, x + 18, yRow + 18};
        pm->PaintTabButton(dc, rc, nCode, nVert == 1, kStates[i].bEnabled, kStates[i].bHover,
                           kStates[i].bPushed, false, NULL);
      }
}

void PaintBackgroundRows(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y, "docking area 740 wide; control-bar and dock-bar areas; tool-bar child; two-part gradient");
  pm->PaintDockerBackgroundRect(true, dc, RECT{10, y + 18, 750, y + 38}, RECT{10, y + 18, 750, y + 38});
  pm->PaintControlBarClientArea(dc, RECT{10, y + 44, 110, y + 74}, NULL);
  pm->PaintDockBarClientArea(dc, RECT{120, y + 44, 220, y + 74}, NULL);
  dc.FillSolidRect(230, y + 44, 100, 30, RGB(255, 255, 255));
  pm->PaintToolBarChildBackground(dc, NULL, 0, RECT{230, y + 44, 330, y + 74});
  CExtPaintManager::PaintGradientRect2Stage(dc, RECT{340, y + 44, 540, y + 74}, pm->ColorByLogicalId(3015),
                                            pm->ColorByLogicalId(3017), pm->ColorByLogicalId(3020), false, 2,
                                            5);
  CExtPaintManager::PaintGradientRect2Stage(dc, RECT{550, y + 44, 600, y + 104}, pm->ColorByLogicalId(3015),
                                            pm->ColorByLogicalId(3017), pm->ColorByLogicalId(3020), true, 2,
                                            5);
}

void PaintBarFrameRows(CDC& dc, CExtPaintManager* pm, int y) {
  Label(dc, 4, y,
        "window-command glyphs: minimize, maximize, close, restore, help in each state; glyph buttons");
  const UINT commands[5] = {SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE, SC_RESTORE, SC_CONTEXTHELP};
  dc.FillSolidRect(6, y + 16, 440, 26, pm->ColorByLogicalId(1000));
  for (int c = 0; c < 5; ++c)
    for (int i = 0; i < 4; ++i) {
      const int x = 10 + c * 88 + i * 20;
      pm->PaintDropDownArrow(dc, commands[c], RECT{x, y + 20, x + 18, y + 38}, kStates[i].bHover,
                             kStates[i].bPushed, kStates[i].bEnabled);
    }
  for (int nHorz = 0; nHorz < 2; ++nHorz)
    for (int i = 0; i < 5; ++i) {
      const int x = 460 + i * 28, yRow = y + 18 + nHorz * 24;
      pm->PaintGlyphButton(dc, nHorz == 1, RECT{x, yRow, x + 22, yRow + 20}, kStates[i].bEnabled,
                           kStates[i].bHover, kStates[i].bPushed, NULL);
    }
  Label(dc, 4, y + 70,
        "docking frames: floating, floating resizable, docked, docked resizable; bar borders; "
        "colour icons");
  for (int i = 0; i < 4; ++i) {
    const RECT rcWindow = {10 + 90 * i, y + 90, 90 + 90 * i, y + 150};
    const RECT rcClient = {rcWindow.left + 4, rcWindow.top + 4, rcWindow.right - 4, rcWindow.bottom - 4};
    DockingFramePaintData data(NULL, rcWindow, rcClient, i < 2, (i & 1) != 0, true);
    pm->PaintDockingFrame(dc, data);
  }
  const DWORD styles[4] = {0, CBRS_BORDER_ANY, CBRS_BORDER_ANY | CBRS_BORDER_3D,
                           CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM};
  for (int i = 0; i < 4; ++i) {
    const RECT rc = {380 + 70 * i, y + 90, 440 + 70 * i, y + 130};
    dc.FillSolidRect(&rc, RGB(255, 240, 200));
    ControlBarBordersPaintData data(NULL, i == 0 ? 2 : 0, styles[i], rc);
    pm->PaintControlBarBorders(dc, data);
  }
  const COLORREF samples[3] = {RGB(220, 40, 40), RGB(40, 160, 60), RGB(40, 80, 220)};
  for (int i = 0; i < 3; ++i) {
    HICON hSample = CExtPaintManager::CreateColorSampleIcon(samples[i]);
    HICON hFrame = CExtPaintManager::CreateColorFrameIcon(samples[i]);
    ::DrawIconEx(dc.m_hDC, 380 + 24 * i, y + 140, hSample, 16, 16, 0, NULL, DI_NORMAL);
    ::DrawIconEx(dc.m_hDC, 460 + 24 * i, y + 140, hFrame, 16, 16, 0, NULL, DI_NORMAL);
    ::DestroyIcon(hSample);
    ::DestroyIcon(hFrame);
  }
}

// Paints and saves the theme's third picture; false when it could not be written.
bool SaveFramesPicture(const std::string& strDir, const char* pszName) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kFramesWidth, -kFramesHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  CDC dc;
  if (hDib == NULL || !dc.CreateCompatibleDC(NULL)) {
    if (hDib != NULL)
      ::DeleteObject(hDib);
    return false;
  }
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hDib);
  CExtPaintManager* pm = g_PaintManagerHolder.GetPM();
  dc.FillSolidRect(0, 0, kFramesWidth, kFramesHeight, kBack);
  Label(dc, 4, 4, pszName);
  PaintCaptionButtonRows(dc, pm, 24);
  PaintFrameAndComboRows(dc, pm, 120);
  PaintTabRows(dc, pm, 240);
  PaintBackgroundRows(dc, pm, 370);
  PaintBarFrameRows(dc, pm, 480);
  ::GdiFlush();
  const std::string strPath = strDir + "\\theme_gallery_frames_" + pszName + ".bmp";
  const bool bSaved = SaveDib(strPath, static_cast<const DWORD*>(pBits), kFramesWidth, kFramesHeight);
  std::printf("%s: %s\n", strPath.c_str(), bSaved ? "written" : "FAILED");
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteObject(hDib);
  return bSaved;
}

} // namespace

int main() {
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
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  int nFailures = 0;
  for (const Theme& theme : themes) {
    CExtPaintManagerHolder::TestForceVisualStyle(theme.pStyle);
    g_PaintManagerHolder.DetectVisualStyle();
    if (!g_PaintManagerHolder.InstallThemeByClass(theme.pClass)) {
      std::printf("%s: theme not installed\n", theme.pszName);
      ++nFailures;
      continue;
    }
    void* pBits = NULL;
    HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    CDC dc;
    if (hDib == NULL || !dc.CreateCompatibleDC(NULL)) {
      ++nFailures;
      continue;
    }
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hDib);
    PaintTheme(dc, g_PaintManagerHolder.GetPM(), theme.pszName);
    ::GdiFlush();
    const std::string strPath = strDir + "\\theme_gallery_" + theme.pszName + ".bmp";
    const bool bSaved = SaveDib(strPath, static_cast<const DWORD*>(pBits), kWidth, kHeight);
    std::printf("%s: %s\n", strPath.c_str(), bSaved ? "written" : "FAILED");
    nFailures += bSaved ? 0 : 1;
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteObject(hDib);
    nFailures += SaveMarksPicture(strDir, theme.pszName) ? 0 : 1;
    nFailures += PaintControlsGallery(g_PaintManagerHolder.GetPM(), strDir, theme.pszName) ? 0 : 1;
    nFailures += SaveBarPartsPicture(strDir, theme.pszName) ? 0 : 1;
    nFailures += SaveFramesPicture(strDir, theme.pszName) ? 0 : 1;
  }
  CExtPaintManagerHolder::TestForceVisualStyle(NULL);
  return nFailures == 0 ? 0 : 1;
}
