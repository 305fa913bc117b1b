// The classic theme and the interface of every theme: each toolkit window paints through the
// current paint manager (see ExtPaintManagerHolder.h) and asks it for colours, brushes, fonts and
// metrics. The XP and Office 2003 themes derive from it (ExtPaintManagerXP.h).
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/gdi/fw_gdi.h"

class CWnd;
class CExtCmdIcon;
class CExtControlBarSite;
class CExtTabWnd;
class CExtDockMarkerWndInfo;
struct GlyphBuffer;
struct NcAreaButtonPaintData;
struct PushButtonPaintData;
struct ComboButtonPaintData;
struct ControlFramePaintData;
struct DockingFramePaintData;
struct DockingCaptionPaintData;
struct ControlBarBordersPaintData;
struct MenuItemPaintData;
struct IconPaintData;
struct ComboBoxFacePaintData;
struct PushButtonLayout;

// The monitor that holds a point, rectangle or window: its whole area and its work area.
struct MonitorParams {
  enum : BYTE { MONITOR_PRIMARY = 0x01 };
  MonitorParams() : m_rcMonitor{0, 0, 0, 0}, m_rcWorkArea{0, 0, 0, 0}, m_nFlags(MONITOR_PRIMARY) {}
  bool IsPrimary() const { return (m_nFlags & MONITOR_PRIMARY) != 0; }

  RECT m_rcMonitor;
  RECT m_rcWorkArea;
  BYTE m_nFlags;
};

class CExtPaintManager : public CObject {
  DECLARE_DYNCREATE(CExtPaintManager)
public:
  enum ThemeId { ThemeClassic = 1, ThemeXP = 2, ThemeOffice2003 = 3 };

  // Colour ids from this value up are the theme's logical colours; below it, system colour indices.
  enum { LOGICAL_COLOR_FIRST = 1000, SYS_COLOR_COUNT = 50 };

  enum ManagerFlags : BYTE {
    PMF_WIN2000_OR_LATER = 0x01, // prefers the "Tahoma" menu face
    PMF_DOCKER_BACKGROUND = 0x02,
  };

  class DockMarkerBase;
  class DockMarkerBeta2;

  // Asks a window for the background its children inherit; wParam is the request record.
  // Registered with the toolkit's other messages (ExtGlobals.cpp).
  static const UINT& g_nMsgPaintInheritedBackground;

  CExtPaintManager();
  ~CExtPaintManager() override;
  void Serialize(CArchive& ar) override;

  virtual int GetThemeId();
  virtual int GetMenuItemSpacing();
  virtual void GetSchemeHighlightColors(bool bSystemWindow, bool bFixedSet, COLORREF& clr1, COLORREF& clr2,
                                        COLORREF& clr3, COLORREF& clr4, COLORREF& clr5);
  virtual void GetSchemeAccentColors(bool bWindow, LPARAM lUnused, COLORREF& clr1, COLORREF& clr2,
                                     COLORREF& clr3, COLORREF& clr4);
  virtual bool IsThemedDrawingAvailable();
  virtual int GetVisualStyleScheme();
  virtual void OnPaintSessionComplete(CObject* pHelperSrc, LPARAM lParam = 0);
  // A replacement dialog template, or NULL for the default one.
  virtual HGLOBAL AdjustDialogTemplate(const DLGTEMPLATE* pTemplate, CObject* pDialog, bool bWizard,
                                       LPARAM lParam);
  virtual HFONT CreateMenuFont();
  virtual void RebuildFontsAndSysColors();
  virtual HBRUSH BrushByIndex(int nIndex);
  virtual COLORREF ColorByLogicalId(int nLogicalColorId, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
  virtual COLORREF GetMenuBackgroundColor(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
  // The tint of menu shadows; (COLORREF)-1 for plain darkening.
  virtual COLORREF GetShadowColor();
  virtual void AdjustControlBarNcRect(CExtControlBarSite* pBar, RECT& rc);
  virtual int GetToolBarRowDistance(CExtControlBarSite* pBar);
  virtual bool IsToolBarGradientBackground(CExtControlBarSite* pBar);
  virtual void BuildLogicalColors();
  virtual void RebuildHelperBrushes();
  virtual CSize GetPushedOffset();
  virtual bool LoadBuiltinGlyphIcon(CExtCmdIcon& icon, bool bFirst);
  virtual void PaintGlyph(CDC& dc, int x, int y, const GlyphBuffer& glyph, const COLORREF* pColors);
  virtual void PaintGlyphCentered(CDC& dc, const RECT& rc, const GlyphBuffer& glyph, const COLORREF* pColors);
  virtual void PaintToolBarChildBackground(CDC& dc, CWnd* pChild, LPARAM lValue, const RECT& rc);
  virtual void PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bAllContentVisible,
                                        bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
                                        LPARAM lParam, bool bTransparentBackground);
  // pPopup: the popup menu window; its items are read through CExtPopupMenuItemsSite.
  virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bSelected, CObject* pPopup,
                                     LPARAM lParam = 0);
  virtual void PaintMenuTearOffCaption(CDC& dc, const RECT& rc, bool bHover, bool bPressed,
                                       CObject* pHelperSrc, LPARAM lParam = 0);
  virtual int GetMenuExpandButtonHeight();
  virtual void GetTabBorderColors(COLORREF& clrFace, COLORREF& clrLight, COLORREF& clrDark);
  virtual void PaintTabItem(CDC& dc, LPARAM lValue, bool bTopLeft, bool bHorz, bool bSelected,
                            bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                            bool bInvertedVerticalText, const RECT* pRcItem, int cxText, int cyText,
                            CFont* pFont, LPCSTR sText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                            LPARAM lParam, COLORREF clrText, COLORREF clrBk, COLORREF clrLight,
                            COLORREF clrDark, COLORREF clrSeparator);
  virtual void PaintTabWndBackground(CDC& dc, const RECT& rcClient, const RECT& rcItemsArea,
                                     const RECT& rcTabArea, int nOrientation, bool bNoTabArea, CWnd* pTabWnd,
                                     LPARAM lParam = 0);
  virtual void PaintTabButton(CDC& dc, const RECT& rcButton, int nButtonCode, bool bVertical, bool bEnabled,
                              bool bHover, bool bPushed, bool bGroupedMode, CWnd* pTabWnd, LPARAM lParam = 0);
  virtual void PaintTabMdiClientBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  // The tab window is read through CExtTabWndSite.
  virtual void GetTabMetrics(CWnd* pTabWnd, int* pnMetric1, int* pnMetric2, int* pnMetric3);
  virtual void TabWndPaintHook(CExtTabWnd* pTabWnd, LPVOID pItem, CDC& dc, SIZE* pSize);
  virtual void PaintTabBorderSecondary(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  // Places a button's icon in its content rectangle, paints it and answers the room left for text.
  virtual void PaintColorSample(CDC& dc, bool bHorz, LPCSTR sCaption, CExtCmdIcon* pIcon,
                                const RECT& rcContent, RECT& rcText, bool bPushed, bool bEnabled, bool bHover,
                                UINT nAlignment, bool bRightToLeft, COLORREF clrIconDisabled);
  virtual void PaintBarNcAreaButton(CDC& dc, NcAreaButtonPaintData& data);
  // The glyph of a window command (SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CONTEXTHELP).
  virtual void PaintDropDownArrow(CDC& dc, UINT nSysCommandId, const RECT& rc, bool bHover, bool bPushed,
                                  bool bEnabled);
  virtual void PaintPushButton(CDC& dc, PushButtonPaintData& data);
  virtual CSize GetInsertionMarkSize();
  virtual void PaintInsertionMark(CDC& dc, const RECT& rc, bool bAtStart, bool bVertical);
  virtual void PaintDragFrame(CDC& dc, const RECT& rc);
  virtual int GetMenuTearOffCaptionHeight();
  virtual void ReservedPaintHook(CDC& dc, const RECT& rc, int nValue1, int nValue2, CObject* pHelperSrc,
                                 LPARAM lParam);
  virtual void PaintMenuItem(CDC& dc, MenuItemPaintData& data);
  virtual void PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bHalftone,
                                  CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintSeparator(CDC& dc, const RECT& rc, bool bVerticalLine, bool bNoBackground,
                              CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintDockingCaption(CDC& dc, DockingCaptionPaintData& data);
  virtual void PaintDockingFrame(CDC& dc, DockingFramePaintData& data);
  virtual void PaintControlFrame(CDC& dc, ControlFramePaintData& data);
  virtual void PaintComboDropDownButton(CDC& dc, ComboButtonPaintData& data);
  virtual int GetTextLineHeight(bool bHorz);
  virtual int GetTipShadowSize();
  virtual int GetMenuShadowSize();
  virtual int GetMenuBorderSize();
  virtual void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  virtual bool IsMenuCombinedWithButton();
  virtual bool IsChevronMenuCombined();
  virtual void PaintMenuCombinedJoint(CDC& dc, const RECT& rcButton, const RECT& rcExclude, int nSide,
                                      CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintControlBarBorders(CDC& dc, ControlBarBordersPaintData& data);
  virtual int GetDockingMarkerMode();
  virtual int GetAutoHideAreaMode();
  // Asks the parent windows to paint the window's background; true when one did.
  virtual bool PaintInheritedBackground(CDC& dc, bool bClient, CObject* pHelperSrc, LPARAM lParam = 0);
  virtual bool IsDockerBackgroundEnabled();
  virtual bool IsDockerBackgroundEnabledFor(CObject* pHelperSrc, LPARAM lParam = 0);
  virtual bool HasDockerBackground(CObject* pHelperSrc, LPARAM lParam = 0);
  virtual bool PaintDockerBackgroundRect(bool bClient, CDC& dc, const RECT& rcGradient, const RECT& rcClip,
                                         LPARAM lParam = 0);
  virtual bool PaintDockerBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam = 0);
  virtual void PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pBar, LPARAM lParam = 0);
  virtual void PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pDockBar, LPARAM lParam = 0);
  virtual void PaintDividerLine(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintGlyphButton(CDC& dc, bool bHorz, const RECT& rc, bool bEnabled, bool bHover, bool bPushed,
                                CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintIcon(CDC& dc, IconPaintData& data);
  virtual void OnSysColorChange();
  virtual void OnSettingChange(WPARAM wParam, LPARAM lParam);
  virtual void OnDisplayChange(int nBitsPerPixel, int cx, int cy);
  virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
  virtual CSize GetToolBarRowAdjust(bool bAdjust);
  virtual void PaintComboBoxFace(CDC& dc, ComboBoxFacePaintData& data);
  // The tint and strength of the generated disabled icon look; -1 and 0.0 keep the plain grey one.
  virtual COLORREF GetDisabledIconColor();
  virtual double GetDisabledIconFactor();
  virtual CSize GetToolBarButtonSpacing();
  virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void FillWindowColor(CDC& dc, const RECT& rc, CObject* pHelperSrc);
  virtual void PaintFrameBorder(CDC& dc, const RECT& rc);
  virtual void PaintTextButton(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset,
                               bool bPushed, bool bRaised);
  virtual void PaintIconTitleText(CDC& dc, const RECT& rc, LPCSTR sText);
  virtual void PaintShadowedIconTitleText(CDC& dc, const RECT& rc, LPCSTR sText);
  virtual void PaintScaledText(CDC& dc, const RECT& rc, LPCSTR sText, int nIconWidth, bool bInset,
                               bool bPushed, bool bRaised, bool bLast);
  virtual void PaintCaptionText(CDC& dc, const RECT& rc, LPCSTR sText);
  virtual void PaintCaptionBar(CDC& dc, const RECT& rc, LPCSTR sText);
  virtual void PaintTextColorGlyph(CDC& dc, const RECT& rc, const GlyphBuffer& glyph);
  virtual void PaintButtonStrip(CDC& dc, const RECT& rc, bool bGrip);
  virtual void PaintCenteredGlyphBox(CDC& dc, const RECT& rc, int nOffsetY);
  virtual void PaintDatePickerPushButton(CDC& dc, const RECT& rc, int nButtonId, LPCSTR sText, bool bFlat,
                                         bool bDrawBorder, bool bPushed, bool bHover, CObject* pHelperSrc,
                                         LPARAM lParam = 0);
  virtual void PaintDatePickerSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintDatePickerBackground(CDC& dc, const RECT& rcOuter, const RECT& rcCalendar,
                                         CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintDatePickerBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
  virtual void PaintDatePickerHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
                                               const RECT& rcHeader, const RECT& rcHeaderInner,
                                               const RECT& rcCaption, const RECT& rcScrollPrev,
                                               const RECT& rcScrollNext, CObject* pHelperSrc,
                                               LPARAM lParam = 0);
  virtual void PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR sText, CObject* pHelperSrc,
                                    LPARAM lParam = 0);
  // A new empty marker object of the current marker style; the caller owns it.
  virtual DockMarkerBase* CreateDockMarkerObject();
  // Destroys the caller's previous marker windows (deferred) and makes the ones of the kind
  // against the target; false when a marker or window cannot be made.
  virtual bool InitDockMarkerWnd(CWnd* pParent, int nKind, const RECT& rcTarget,
                                 CArray<CExtDockMarkerWndInfo*, CExtDockMarkerWndInfo*>& arrMarkers);
  virtual void PaintDockMarkerWnd(CDC& dc, CExtDockMarkerWndInfo* pMarkerWnd, bool bOutline);
  virtual void GetDockHighlightMargins(int& nLeft, int& nTop, int& nRight, int& nBottom);
  virtual bool IsDockMarkerStyle1();
  virtual bool GetDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrKeyNormal, CBitmap& bmpHot,
                                   COLORREF clrKeyHot);
  virtual void PaintDockHighlight(DWORD* pPixels, int cx, int cy, const RECT& rcMain, const RECT* pRcTab,
                                  bool bTabTop, COLORREF clrFill, COLORREF clrBorder, int nBorderWidth);
  // The tool bar's hot button, read through CExtBarButtonSite.
  virtual void PaintToolBarButtonBackground(CDC& dc, CObject* pButton, LPARAM lParam = 0);
  // (COLORREF)-1: the label paints its background as usual.
  virtual COLORREF QueryLabelBackground(CDC& dc, bool bEnabled, int nValue1, int nValue2, int nValue3,
                                        CObject* pLabel, LPARAM lParam = 0);
  // false: the check box draws itself.
  virtual bool QueryCheckBoxCustomDraw(CDC& dc, const RECT& rcBox, const RECT& rcText, int nCheck,
                                       bool bEnabled, bool bHover, CObject* pCheckBox, LPARAM lParam = 0);

  // The colour model.
  int SetColorAt(COLORREF clr, int nIndex);
  // Weights below 100 are percent, from 100 up per mille; the weight belongs to clr1.
  static COLORREF BlendColors(COLORREF clr1, COLORREF clr2, int nWeight);
  static COLORREF InvertColor(COLORREF clr);
  // Hue, saturation and lightness in 0..1 (one turn of hue = 1.0).
  static void RgbToHls(COLORREF clr, double* pHue, double* pSaturation, double* pLightness);
  static COLORREF HlsToRgb(double dHue, double dLightness, double dSaturation);
  // Each delta in -1..1 moves its component that part of the way towards 1 (or 0).
  static COLORREF HlsAdjustColor(COLORREF clr, double dHue, double dLightness, double dSaturation);
  static COLORREF HslDegreesToRgb(double dHueDegrees, double dLightness, double dSaturation);
  static int GetScreenBitsPerPixel();
  // A 16x16 screen-compatible bitmap of the tint pattern (see RebuildHelperBrushes).
  static bool MakePatternBitmap(CBitmap& bmp, COLORREF clr0, COLORREF clr1, int nMaskX, int nMaskY, int nOffX,
                                int nOffY, COLORREF clr2);

  // Gradients and colour-adjusted bitmaps (ExtPaintManagerGradients.cpp).
  // A two-colour gradient over rc: vertical ones run from clrTo at the top to clrFrom at the
  // bottom, horizontal ones from clrFrom at the left to clrTo at the right. Without the system's
  // gradient fill it is laid in nBands solid bands.
  static void PaintGradientRect(CDC& dc, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical,
                                int nBands = 256);
  // A new 32-bit DIB section of the bitmap with every pixel outside the key range (each channel
  // from the key's to the key's plus the tolerance's) moved in hue, lightness and saturation; NULL
  // when every delta is 0 or the bitmap cannot be copied. The caller owns it.
  static HBITMAP HlsAdjustBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance, double dHue,
                                 double dLightness, double dSaturation);
  // The same, replacing the bitmap held by bmp; false when the copy cannot be made.
  static bool HlsAdjustBitmapInPlace(CBitmap& bmp, COLORREF clrKey, COLORREF clrTolerance, double dHue,
                                     double dLightness, double dSaturation);
  // The region of the bitmap's pixels outside the key range; the caller owns it.
  static HRGN BitmapToRegion(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance);

  // Window and bitmap services (ExtPaintManagerServices.cpp).
  // Answers true for a child that must stay in the clip region.
  typedef bool (*ChildFilter)(HDC hDC, HWND hWndParent, HWND hWndChild, LPVOID pCookie);
  // Removes the visible children of the parent from the DC's clip region, except those the
  // filter keeps.
  static void ExcludeChildAreas(HDC hDC, HWND hWndParent, ChildFilter pFilter = NULL, LPVOID pCookie = NULL);
  // Children whose parent paints below them: statics, tab and track-bar controls, most buttons.
  static bool IsTransparentChildClass(HWND hWnd);
  static bool FilterTransparentChild(HDC hDC, HWND hWndParent, HWND hWndChild, LPVOID pCookie);
  // Sends the print message to every visible child at its own place in the DC.
  static void PrintChildWindows(HWND hWndParent, UINT nMessage, HDC hDC, LPARAM lPrintFlags, bool bRecurse,
                                LPARAM lValue1 = 0, LPARAM lValue2 = 0);
  // Dispatches the queued messages of the kinds asked for, WM_NCPAINT first, then WM_ERASEBKGND,
  // then WM_PAINT; other queued messages stay queued.
  static void PumpPendingMessages(bool bNcPaint, bool bEraseBkgnd, bool bPaint);
  // The window printed into a new 32-bit DIB section (its whole window with PRF_NONCLIENT, else
  // its client area); NULL for an empty window or on failure.
  static HBITMAP CaptureWindowToDib(HWND hWnd, UINT nMessage, LPARAM lPrintFlags);
  // A copy of the bitmap (or its part): a 32-bit DIB section whose bits *ppBits receives when
  // ppBits is given, else a screen-compatible bitmap. NULL on failure.
  static HBITMAP CopyBitmapTo32BitDib(HBITMAP hSource, const RECT* pRcSource = NULL, DWORD** ppBits = NULL);
  // A packed DIB (header, colour table, bits) in global memory the caller frees; NULL on failure.
  static HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette = NULL);
  // An icon of the bitmap (or its part) whose key-coloured pixels are transparent; NULL on failure.
  static HICON BitmapToIcon(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcSource, bool bFlag);
  // The roads by which the program stores, reads and loads bitmaps as BMP data: see CExtBitmap's
  // functions of the same names.
  static bool SerializeHBitmap(CArchive& ar, HBITMAP& hBitmap, bool bNoFileHeader);
  static HBITMAP LoadBitmapResource(HMODULE hModule, HRSRC hResource);
  // A bitmap read from the bytes of a BMP file; NULL when they hold none.
  static HBITMAP LoadBitmapFromMemory(const BYTE* pData, DWORD nSize);
  // Counts the pixels of each colour; answers the bitmap's bits per pixel, 0 on failure.
  static int CountBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, DWORD, DWORD>& mapColors);
  // Appends the bitmap's colours (its colour table at 8 bits per pixel or fewer, made unique with
  // bUnique); answers the array's size.
  static int GetBitmapColors(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arrColors, bool bUnique);
  // The DLL's version as (major << 16) | minor; 0 when it or its version entry point is missing.
  static DWORD GetDllVersion(LPCSTR pszDllName);

  // System queries.
  static int GetMouseWheelScrollLines();
  static void GetMonitorAreaFromPoint(MonitorParams& params, POINT pt);
  static void GetMonitorAreaFromRect(MonitorParams& params, const RECT& rc);
  static void GetWorkAreaOfWindow(MonitorParams& params, CWnd* pWnd);

  // Testing hooks: a screen depth the engine answers instead of the real one (0: the real one);
  // forgetting the cached wheel setting.
  static void TestForceScreenBitsPerPixel(int nBitsPerPixel);
  static void TestResetMouseWheelScrollLines();

  // Tint brushes: light ones between the face and highlight colours, dark ones between the shadow
  // and face colours; the "Default" ones from the theme's colours, the "System" ones from the
  // system's. At 8 bits per pixel or fewer they are dither patterns.
  CBrush m_brushLightDefault, m_brushLighterDefault, m_brushLightestDefault;
  CBrush m_brushDarkDefault, m_brushDarkerDefault, m_brushDarkestDefault;
  CBrush m_brushLightSystem, m_brushLighterSystem, m_brushLightestSystem;
  CBrush m_brushDarkSystem, m_brushDarkerSystem, m_brushDarkestSystem;

  // Fonts: the menu font, downward (2700) and upward (900) vertical forms, the bold ones, the same
  // six at most 11 pixels high, and the glyph font.
  CFont m_FontNormal, m_FontNormalVert, m_FontNormalVertUp;
  CFont m_FontBold, m_FontBoldVert, m_FontBoldVertUp;
  CFont m_FontNormalCapped, m_FontNormalVertCapped, m_FontNormalVertUpCapped;
  CFont m_FontBoldCapped, m_FontBoldVertCapped, m_FontBoldVertUpCapped;
  CFont m_FontMarlett;

  CPalette m_PaletteWide;

  // Copied into each painted menu item's drawing state.
  int m_nMenuItemPaintValue = 32;
  BYTE m_nFlags = 0;
  int m_nDockMarkerStyle = 3;

  // Push buttons (ExtPaintManagerButtons.cpp): the rectangle DrawText measures for the text in the
  // font, moved to the origin, and its single-line width.
  static RECT CalcTextExtent(CDC& dc, HFONT hFont, LPCSTR sText, UINT nFormat);
  static int GetTextWidth(CDC& dc, HFONT hFont, LPCSTR sText);

  // Icons and texts (ExtPaintManagerIconText.cpp).
  // Copies the source to the destination, stretched when a non-negative target size differs,
  // leaving the destination as it was where the source has the transparent colour.
  static void TransparentStretchBlt(HDC hDest, int x, int y, int cx, int cy, HDC hSource, int xSrc, int ySrc,
                                    int cxSrc, int cySrc, COLORREF clrTransparent);
  // A 16 x 16 icon showing the text centred in the colour; NULL on failure. The caller owns it.
  static HICON CreateTextIcon(COLORREF clrText, HFONT hFont, LPCSTR sText);

  // Tab windows (ExtPaintManagerTabWnd.cpp).
  // Fills the client rectangle and, unless there is no tab area, the tab area with its one-pixel
  // line on the side of the orientation (0 top, 1 bottom, 2 left, 3 right).
  static void PaintTabAreaBackground(CDC& dc, const RECT& rcClient, const RECT& rcTabArea, int nOrientation,
                                     bool bNoTabArea, COLORREF clrFill, COLORREF clrTabArea,
                                     COLORREF clrLine);
  // A frame of w x h at (x, y) whose four corner pixels are left as they were: clrTopLeft on the
  // top and left sides, clrBottomRight on the right and bottom ones.
  static void PaintCornerlessFrame(CDC& dc, int x, int y, int w, int h, COLORREF clrTopLeft,
                                   COLORREF clrBottomRight);

  // Docking-area backgrounds (ExtPaintManagerBackgrounds.cpp).
  // A gradient in two parts along rc: clr1 at the left (top) edge, clr2 nNum / nDen of the way
  // across, clr3 at the far edge.
  static void PaintGradientRect2Stage(CDC& dc, const RECT& rc, COLORREF clr1, COLORREF clr2, COLORREF clr3,
                                      bool bVertical, int nNum, int nDen, int nBands = 256);

  // Colour icons of the colour pickers (ExtPaintManagerSysGlyphs.cpp); NULL on failure, the
  // caller owns the icon. A fully opaque 16 x 16 square of the colour:
  static HICON CreateColorSampleIcon(COLORREF clr);
  // A 16 x 16 ring of the colour, two pixels wide, transparent inside and round it:
  static HICON CreateColorFrameIcon(COLORREF clr);

protected:
  // The push-button steps every theme shares: the arrow glyph, icon, caption and focus rectangle.
  void PaintPushButtonSteps(CDC& dc, PushButtonPaintData& data, const PushButtonLayout& layout);
  void PaintPushButtonText(CDC& dc, const PushButtonPaintData& data, const PushButtonLayout& layout,
                           RECT rcText);

  // The menu-row steps every theme shares: caption and accelerator, submenu arrow.
  void PaintMenuItemText(CDC& dc, const MenuItemPaintData& data, const RECT& rcText, COLORREF clrText,
                         bool bClassic);
  void PaintMenuItemArrow(CDC& dc, const MenuItemPaintData& data, COLORREF clrArrow, bool bClassic);
  // Tab items: the shape, icon and text every theme shares, with the colours resolved and the icon
  // NULL when it is not shown (ExtPaintManagerTabItems.cpp).
  void PaintTabItemShape(CDC& dc, bool bTopLeft, bool bHorz, bool bSelected, bool bCenteredText,
                         bool bGroupedMode, bool bInGroupActive, bool bInvertedVerticalText,
                         const RECT& rcItem, int cxText, int cyText, CFont* pFont, LPCSTR sText,
                         CExtCmdIcon* pIcon, COLORREF clrText, COLORREF clrBk, COLORREF clrLight,
                         COLORREF clrDark, COLORREF clrSeparator);

  // Chevron buttons and the hidden-items row (ExtPaintManagerExpand.cpp): the pressable face with
  // the arrow and, while content is hidden, the chevron; the row's glyph (and backdrop).
  void PaintChevronButton(CDC& dc, const RECT& rc, bool bHorz, bool bAllContentVisible, bool bEnabled,
                          bool bPushed, bool bHover, bool bTransparentBackground, const GlyphBuffer& arrow,
                          const GlyphBuffer& chevron, bool bXp);
  virtual void PaintMenuExpandGlyph(CDC& dc, const RECT& rc, CObject* pPopup, LPARAM lParam);

  // Appends a derived colour and points the id at it.
  void MapLogicalColor(int nLogicalColorId, COLORREF clr);
  // Points the id straight at a system colour index.
  void MapSysColor(int nLogicalColorId, int nSysColorIndex);
  void DeleteFonts();

  CArray<COLORREF, COLORREF> m_colors;
  CArray<HBRUSH, HBRUSH> m_brushes;
  CMap<int, int, int, int> m_mapColorTranslate;
};
