// The flat XP theme with blended colours (the default theme) and the Office 2003 theme, whose
// gradients follow the system's visual-style colour scheme.
#pragma once

#include "toolkit/theme/ExtPaintManager.h"

#include <initializer_list>

class CExtPaintManagerXP : public CExtPaintManager {
  DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
  // Style bits the drawing operations branch on.
  enum XpStyleBits : BYTE {
    XPS_FLAT_XP = 0x01,
    XPS_XP_COLORS = 0x02,
    XPS_OFFICE2003 = 0x04,
  };
  enum { GRADIENT_ID_COUNT = 6 };

  CExtPaintManagerXP();

  int GetThemeId() override;
  int GetMenuItemSpacing() override;
  bool IsThemedDrawingAvailable() override;
  COLORREF GetMenuBackgroundColor(CObject* pHelperSrc = NULL, LPARAM lParam = 0) override;
  void BuildLogicalColors() override;
  CSize GetPushedOffset() override;
  void PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bAllContentVisible, bool bEnabled,
                                bool bPushed, bool bHover, CObject* pHelperSrc, LPARAM lParam,
                                bool bTransparentBackground) override;
  void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bSelected, CObject* pPopup,
                             LPARAM lParam = 0) override;
  void PaintMenuTearOffCaption(CDC& dc, const RECT& rc, bool bHover, bool bPressed, CObject* pHelperSrc,
                               LPARAM lParam = 0) override;
  void PaintTabItem(CDC& dc, LPARAM lValue, bool bTopLeft, bool bHorz, bool bSelected, bool bCenteredText,
                    bool bGroupedMode, bool bInGroupActive, bool bInvertedVerticalText, const RECT* pRcItem,
                    int cxText, int cyText, CFont* pFont, LPCSTR sText, CExtCmdIcon* pIcon,
                    CObject* pHelperSrc, LPARAM lParam, COLORREF clrText, COLORREF clrBk, COLORREF clrLight,
                    COLORREF clrDark, COLORREF clrSeparator) override;
  void PaintTabWndBackground(CDC& dc, const RECT& rcClient, const RECT& rcItemsArea, const RECT& rcTabArea,
                             int nOrientation, bool bNoTabArea, CWnd* pTabWnd, LPARAM lParam = 0) override;
  void PaintTabMdiClientBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintTabBorderSecondary(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintColorSample(CDC& dc, bool bHorz, LPCSTR sCaption, CExtCmdIcon* pIcon, const RECT& rcContent,
                        RECT& rcText, bool bPushed, bool bEnabled, bool bHover, UINT nAlignment,
                        bool bRightToLeft, COLORREF clrIconDisabled) override;
  void PaintBarNcAreaButton(CDC& dc, NcAreaButtonPaintData& data) override;
  void PaintDropDownArrow(CDC& dc, UINT nSysCommandId, const RECT& rc, bool bHover, bool bPushed,
                          bool bEnabled) override;
  void PaintPushButton(CDC& dc, PushButtonPaintData& data) override;
  void PaintMenuItem(CDC& dc, MenuItemPaintData& data) override;
  void PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bHalftone, CObject* pHelperSrc,
                          LPARAM lParam = 0) override;
  void PaintSeparator(CDC& dc, const RECT& rc, bool bVerticalLine, bool bNoBackground, CObject* pHelperSrc,
                      LPARAM lParam = 0) override;
  void PaintDockingCaption(CDC& dc, DockingCaptionPaintData& data) override;
  void PaintDockingFrame(CDC& dc, DockingFramePaintData& data) override;
  void PaintControlFrame(CDC& dc, ControlFramePaintData& data) override;
  void PaintComboDropDownButton(CDC& dc, ComboButtonPaintData& data) override;
  int GetMenuBorderSize() override;
  void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  bool IsMenuCombinedWithButton() override;
  bool IsChevronMenuCombined() override;
  void PaintMenuCombinedJoint(CDC& dc, const RECT& rcButton, const RECT& rcExclude, int nSide,
                              CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintControlBarBorders(CDC& dc, ControlBarBordersPaintData& data) override;
  bool PaintDockerBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam = 0) override;
  void PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pBar, LPARAM lParam = 0) override;
  void PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pDockBar, LPARAM lParam = 0) override;
  void PaintDividerLine(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintGlyphButton(CDC& dc, bool bHorz, const RECT& rc, bool bEnabled, bool bHover, bool bPushed,
                        CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintIcon(CDC& dc, IconPaintData& data) override;
  void PaintComboBoxFace(CDC& dc, ComboBoxFacePaintData& data) override;
  void PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintFrameBorder(CDC& dc, const RECT& rc) override;
  void PaintTextButton(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset, bool bPushed,
                       bool bRaised) override;
  void PaintDatePickerBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR sText, CObject* pHelperSrc,
                            LPARAM lParam = 0) override;
  bool GetDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrKeyNormal, CBitmap& bmpHot,
                           COLORREF clrKeyHot) override;
  void PaintDockHighlight(DWORD* pPixels, int cx, int cy, const RECT& rcMain, const RECT* pRcTab,
                          bool bTabTop, COLORREF clrFill, COLORREF clrBorder, int nBorderWidth) override;

  BYTE m_nXpStyleBits = XPS_FLAT_XP | XPS_XP_COLORS;
  // The theme's small arrow glyphs: a down arrow, a double chevron and their turned forms; set
  // once the glyph table is built.
  const GlyphBuffer* m_pGlyphArrow = NULL;
  const GlyphBuffer* m_pGlyphChevron = NULL;
  const GlyphBuffer* m_pGlyphArrowTurned = NULL;
  const GlyphBuffer* m_pGlyphChevronTurned = NULL;
  // Logical colour ids of the gradients the drawing operations pick; -1 where the theme has none.
  int m_arrGradientIdsButton[GRADIENT_ID_COUNT] = {-1, -1, -1, -1, -1, -1};
  int m_arrGradientIdsScheme[GRADIENT_ID_COUNT] = {-1, -1, -1, -1, -1, -1};

protected:
  // Push buttons and menu items: the gradient pair of a state (hover, pushed, both), false when
  // the theme has none; the icon column's three colours.
  bool GetButtonGradient(bool bHover, bool bPushed, COLORREF& clr1, COLORREF& clr2, CObject* pHelperSrc,
                         LPARAM lParam);
  void PaintMenuIconColumn(CDC& dc, const MenuItemPaintData& data, const RECT& rcColumn);
  void PaintMenuEditField(CDC& dc, const MenuItemPaintData& data, bool bRtl);
};

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP {
  DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
  CExtPaintManagerOffice2003();

  int GetThemeId() override;
  void GetSchemeHighlightColors(bool bSystemWindow, bool bFixedSet, COLORREF& clr1, COLORREF& clr2,
                                COLORREF& clr3, COLORREF& clr4, COLORREF& clr5) override;
  void GetSchemeAccentColors(bool bWindow, LPARAM lUnused, COLORREF& clr1, COLORREF& clr2, COLORREF& clr3,
                             COLORREF& clr4) override;
  bool IsThemedDrawingAvailable() override;
  COLORREF GetShadowColor() override;
  void AdjustControlBarNcRect(CExtControlBarSite* pBar, RECT& rc) override;
  int GetToolBarRowDistance(CExtControlBarSite* pBar) override;
  bool IsToolBarGradientBackground(CExtControlBarSite* pBar) override;
  void BuildLogicalColors() override;
  void PaintToolBarChildBackground(CDC& dc, CWnd* pChild, LPARAM lValue, const RECT& rc) override;
  void PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bAllContentVisible, bool bEnabled,
                                bool bPushed, bool bHover, CObject* pHelperSrc, LPARAM lParam,
                                bool bTransparentBackground) override;
  void PaintMenuTearOffCaption(CDC& dc, const RECT& rc, bool bHover, bool bPressed, CObject* pHelperSrc,
                               LPARAM lParam = 0) override;
  int GetMenuExpandButtonHeight() override;
  void PaintTabWndBackground(CDC& dc, const RECT& rcClient, const RECT& rcItemsArea, const RECT& rcTabArea,
                             int nOrientation, bool bNoTabArea, CWnd* pTabWnd, LPARAM lParam = 0) override;
  void PaintSeparator(CDC& dc, const RECT& rc, bool bVerticalLine, bool bNoBackground, CObject* pHelperSrc,
                      LPARAM lParam = 0) override;
  void PaintDockingCaption(CDC& dc, DockingCaptionPaintData& data) override;
  void PaintDockingFrame(CDC& dc, DockingFramePaintData& data) override;
  void PaintControlFrame(CDC& dc, ControlFramePaintData& data) override;
  void PaintComboDropDownButton(CDC& dc, ComboButtonPaintData& data) override;
  bool IsChevronMenuCombined() override;
  void PaintMenuCombinedJoint(CDC& dc, const RECT& rcButton, const RECT& rcExclude, int nSide,
                              CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintControlBarBorders(CDC& dc, ControlBarBordersPaintData& data) override;
  bool HasDockerBackground(CObject* pHelperSrc, LPARAM lParam = 0) override;
  bool PaintDockerBackgroundRect(bool bClient, CDC& dc, const RECT& rcGradient, const RECT& rcClip,
                                 LPARAM lParam = 0) override;
  bool PaintDockerBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam = 0) override;
  void PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pBar, LPARAM lParam = 0) override;
  void PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pDockBar, LPARAM lParam = 0) override;
  CSize GetToolBarRowAdjust(bool bAdjust) override;
  COLORREF GetDisabledIconColor() override;
  double GetDisabledIconFactor() override;
  CSize GetToolBarButtonSpacing() override;
  void PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintFrameBorder(CDC& dc, const RECT& rc) override;
  void PaintTextButton(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset, bool bPushed,
                       bool bRaised) override;
  void PaintShadowedIconTitleText(CDC& dc, const RECT& rc, LPCSTR sText) override;
  void PaintCaptionBar(CDC& dc, const RECT& rc, LPCSTR sText) override;
  void PaintButtonStrip(CDC& dc, const RECT& rc, bool bGrip) override;
  void PaintDatePickerBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0) override;
  void PaintDatePickerHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
                                       const RECT& rcHeader, const RECT& rcHeaderInner, const RECT& rcCaption,
                                       const RECT& rcScrollPrev, const RECT& rcScrollNext,
                                       CObject* pHelperSrc, LPARAM lParam = 0) override;
  bool GetDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrKeyNormal, CBitmap& bmpHot,
                           COLORREF clrKeyHot) override;
  void PaintDockHighlight(DWORD* pPixels, int cx, int cy, const RECT& rcMain, const RECT* pRcTab,
                          bool bTabTop, COLORREF clrFill, COLORREF clrBorder, int nBorderWidth) override;
  void PaintToolBarButtonBackground(CDC& dc, CObject* pButton, LPARAM lParam = 0) override;

  // Up to two base colours derived from the scheme's taskbar colours; false without them.
  virtual bool GetThemeBaseColors(COLORREF* pClr1, COLORREF* pClr2);
  // A gradient in the scheme's colours, or between the two colours when both are given.
  virtual void PaintThemedGradientRect(CDC& dc, const RECT& rc, bool bHorz, CObject* pHelperSrc,
                                       LPARAM lParam = 0, COLORREF clr1 = (COLORREF)-1,
                                       COLORREF clr2 = (COLORREF)-1);

  // The scheme's accent id; -1 where the scheme has none.
  int m_nSchemeAccentId = -1;

protected:
  // The rounded grip face of a docked tool, panel or menu bar with its dots.
  void PaintRoundedGripper(CDC& dc, const DockingCaptionPaintData& d);

  // The rounded chevron face of a docked tool bar; false when its region cannot be made.
  bool PaintRoundedChevron(CDC& dc, const RECT& rc, bool bHorz, bool bAllContentVisible, bool bEnabled,
                           bool bPushed, bool bHover, CObject* pHelperSrc, LPARAM lParam);
  // The hidden-items row's rounded backdrop under the glyph.
  void PaintMenuExpandGlyph(CDC& dc, const RECT& rc, CObject* pPopup, LPARAM lParam) override;

  // Appends one colour and points every id at it.
  void MapSharedColor(std::initializer_list<int> ids, COLORREF clr);
  // The colour set from the scheme's base colours, and the one from the system colours.
  void BuildLunaColors();
  void BuildSystemColors();
};
