#include "tests/harness/theme_gallery.h"

namespace gallery {

namespace {

// ---------------------------------------------------------------------------------------------
// Text buttons, captions, grippers, tab items, chevrons, hidden-items rows and separators in every
// state, in a third picture per theme.

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

} // namespace

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

} // namespace gallery
