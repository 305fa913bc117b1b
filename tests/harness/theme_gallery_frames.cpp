#include "tests/harness/theme_gallery.h"

namespace gallery {

namespace {

// ---------------------------------------------------------------------------------------------
// Caption buttons, control frames, combo buttons, tab windows, docking-area backgrounds,
// window-command glyphs, docking frames, bar borders and colour icons, in every state, in a
// third picture per theme.

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

} // namespace

void PaintFrames(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  dc.FillSolidRect(0, 0, kFramesWidth, kFramesHeight, kBack);
  Label(dc, 4, 4, pszName);
  PaintCaptionButtonRows(dc, pm, 24);
  PaintFrameAndComboRows(dc, pm, 120);
  PaintTabRows(dc, pm, 240);
  PaintBackgroundRows(dc, pm, 370);
  PaintBarFrameRows(dc, pm, 480);
}

} // namespace gallery
