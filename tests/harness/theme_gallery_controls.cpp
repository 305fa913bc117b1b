// The gallery's push buttons, menu rows, icon items, combo faces, tear-off bars and glyphs.
#include "tests/harness/theme_gallery.h"

namespace gallery {

namespace {

// A popup menu laid out right to left, for the menu rows and buttons that ask their menu.
class GalleryRtlMenu : public CObject, public CExtPopupMenuSite {
public:
  bool IsRightToLeft() const override { return true; }
};

} // namespace

// Push buttons, menu rows, icon items, combo faces, tear-off bars and glyphs of one theme in
// every state.
void PaintControls(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  const int cx = kControlsWidth, cy = kControlsHeight;
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
}

} // namespace gallery
