#include "tests/harness/theme_gallery.h"

namespace gallery {

namespace {

// ---------------------------------------------------------------------------------------------
// Separators, frames and marks, menu joints, dock markers and the drop highlight, in one picture
// per theme beside the main one.

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

} // namespace

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

} // namespace gallery
