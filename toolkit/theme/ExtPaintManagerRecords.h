// The records toolkit windows fill and hand to the paint manager's complex drawing operations,
// and the small interfaces through which the painters read the windows that ask them. Every record
// starts with the asking object and an lParam that goes back to ColorByLogicalId unchanged.
// Flag fields are one-bit fields, declared from bit 0 upwards.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"

#include <windows.h>

class CDC;
class CWnd;
class CExtCmdIcon;

// What the painters read of a popup menu that paints through them (the menu window implements it).
class CExtPopupMenuSite {
public:
  virtual ~CExtPopupMenuSite() = default;
  virtual bool IsRightToLeft() const = 0;
};

// What the painters read of a tool-bar or menu-bar button.
class CExtBarButtonSite {
public:
  virtual ~CExtBarButtonSite() = default;
  // The window of the bar that holds the button; NULL while there is none.
  virtual HWND GetBarSafeHwnd() const = 0;
  // The button's rectangle in its bar.
  virtual RECT GetButtonRect() const = 0;
  // The bar is docked at the left or right side (not docked: by its own style).
  virtual bool IsBarVertical() const = 0;
  // Colour buttons, and buttons whose own flag asks so, go without the hot frame.
  virtual bool IsHotFrameSuppressed() const = 0;
};

// What the layout answers read of a control bar.
class CExtControlBarSite {
public:
  enum BarKind { BAR_CONTROL, BAR_TOOL, BAR_MENU, BAR_PANEL };
  // The bar's toolkit option bits the theme reads.
  enum OptionBits : BYTE {
    OPT_NO_GRADIENT = 0x02,
    OPT_GRADIENT_DOCKED = 0x04,
    OPT_INHERIT_BACKGROUND = 0x08
  };

  virtual ~CExtControlBarSite() = default;
  virtual BarKind GetBarKind() const = 0;
  virtual BYTE GetOptionBits() const = 0;
  // In a dock bar, and that dock bar is not one of the frame's four outer ones.
  virtual bool IsFloating() const = 0;
  virtual bool IsInDockBar() const = 0;
  // Docked at the left or right (or, not docked, of a vertical style).
  virtual bool IsDockedVertically() const = 0;
  virtual bool HasDockSite() const = 0;
  // The dock site's style bit 0x4.
  virtual bool IsDockSiteStyleBitSet() const = 0;
};

// What the tab-window painters read of a tab window (the tab window implements it).
class CExtTabWndSite {
public:
  enum TabWndKind { TAB_PLAIN, TAB_DYNAMIC, TAB_AUTO_HIDE_STRIP };
  enum OptionBits : BYTE { TABOPT_DOCKER_BACKGROUND = 0x01 };
  // Style bit: the tab items show no icons.
  enum : DWORD { TAB_STYLE_NO_ICONS = 0x800000 };

  virtual ~CExtTabWndSite() = default;
  virtual TabWndKind GetTabWndKind() const = 0;
  virtual BYTE GetTabOptionBits() const = 0;
  // The tab window's own wish for the docking area's background.
  virtual bool WantsDockerBackground() const = 0;
  // The frame that holds the tab window; NULL when there is none.
  virtual HWND GetParentFrameHwnd() const = 0;
  virtual DWORD GetTabWndStyle() const = 0;
};

// What the background painters read of a dock bar.
class CExtDockBarSite {
public:
  virtual ~CExtDockBarSite() = default;
  // One of the frame's four outer dock bars.
  virtual bool IsOuterDockBar() const = 0;
  // The frame that holds the dock bar; NULL when there is none.
  virtual HWND GetParentFrameHwnd() const = 0;
};

struct NcAreaButtonPaintData {
  NcAreaButtonPaintData(CObject* pSource, const RECT& rc, int nGlyph, bool bHover, bool bPushed,
                        bool bEnabled, bool bInCaption, bool bActive, bool bFloating);

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT rect;
  int glyph;
  BYTE hover : 1;
  BYTE pushed : 1;
  BYTE enabled : 1;
  BYTE inCaption : 1; // the glyph takes the caption-text colour
  BYTE active : 1;    // which of the two caption-text colours
  BYTE floating : 1;  // the frame stays at the button rectangle
};

struct PushButtonPaintData {
  // nAlignment: value 1 centres across, value 2 puts the icon after the text, value 4 centres the
  // other way.
  PushButtonPaintData(CObject* pSource, bool bHorz, const RECT& rc, LPCSTR sText, CExtCmdIcon* pIcon,
                      bool bFlat, bool bHover, bool bPushed, bool bExtraState, bool bEnabled,
                      bool bDrawBorder, bool bDrawFocusRect, bool bDefaultButton, UINT nAlignment,
                      HFONT hFont = NULL, bool bDropDown = false, UINT nSysCommandId = 0,
                      bool bTransparentBackground = false);

  // Laid out right to left: forced, or as the asking menu or bar is.
  bool IsRightToLeft() const;

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT rect;
  LPCSTR text; // never NULL
  CExtCmdIcon* icon;
  UINT alignment;
  HFONT font;
  UINT sysCommandId;

  BYTE horizontal : 1;
  BYTE flat : 1;
  BYTE hover : 1;
  BYTE pushed : 1;
  BYTE extraState : 1;
  BYTE enabled : 1;
  BYTE drawBorder : 1;
  BYTE drawFocusRect : 1;

  BYTE defaultButton : 1;
  BYTE dropDown : 1;
  BYTE transparentBackground : 1;
  BYTE splitDropDown : 1;
  BYTE dropDownPushed : 1;
  BYTE wordBreak : 1;

  COLORREF textColorDisabled = (COLORREF)-1;
  COLORREF textColorNormal = (COLORREF)-1;
  COLORREF textColorHover = (COLORREF)-1;
  COLORREF textColorPushed = (COLORREF)-1;
  COLORREF iconDisabledColor = (COLORREF)-1;
  COLORREF faceColor = (COLORREF)-1;
  UINT textAlign; // value 1 centres the text horizontally, value 4 vertically

  BYTE noDisabledEmboss : 1;
  BYTE rightToLeft : 1;
  BYTE rtlReading : 1;
};

struct ComboButtonPaintData {
  ComboButtonPaintData(CObject* pSource, const RECT& rc, bool bHover, bool bPushed, bool bEnabled);

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT rect;
  BYTE hover : 1;
  BYTE pushed : 1;
  BYTE enabled : 1;
  // -1: the theme's colour; the second is the drop-down part's face.
  COLORREF colors[3] = {(COLORREF)-1, (COLORREF)-1, (COLORREF)-1};
  BYTE noOuterRing : 1;
};

// The sunken frame round an edit-like control.
struct ControlFramePaintData {
  ControlFramePaintData(CObject* pSource, const RECT& rc, bool bHover, bool bEnabled, bool bFocus)
      : sourceObject(pSource), rect(rc), reserved(0), hover(bHover), enabled(bEnabled), focus(bFocus) {}

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT rect;
  BYTE reserved : 1;
  BYTE hover : 1; // the pointer is over the control
  BYTE enabled : 1;
  BYTE focus : 1; // the control has the keyboard focus
};

struct DockingFramePaintData {
  DockingFramePaintData(CObject* pSource, const RECT& rcWindow, const RECT& rcClient, bool bFloating,
                        bool bResizable, bool bNoDottedOutline);

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT windowRect;
  RECT clientRect;
  BYTE floating : 1;
  BYTE resizable : 1;
  BYTE noDottedOutline : 1;
};

struct DockingCaptionPaintData {
  DockingCaptionPaintData(CObject* pSource, const RECT& rcCaption, const RECT& rcText, bool bActive,
                          bool bFloatingFrame, bool bVertical, bool bCaptionBar, LPCSTR sText,
                          bool bRightToLeft);

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT captionRect;
  RECT textRect;
  BYTE active : 1;
  BYTE floatingFrame : 1;
  BYTE vertical : 1;
  BYTE captionBar : 1;
  LPCSTR text; // never NULL
  BYTE transparentCaption : 1;
  BYTE : 1;
  BYTE rightToLeft : 1;
};

struct ControlBarBordersPaintData {
  enum { KIND_PLAIN_FRAME = 2 };
  ControlBarBordersPaintData(CObject* pSource, int nKind, DWORD dwStyle, const RECT& rc);

  CObject* sourceObject;
  LPARAM lParam = 0;
  int kind;
  DWORD style; // CBRS_BORDER_* and CBRS_BORDER_3D bits of the bar
  RECT rect;
};

struct InheritedBackgroundPaintData {
  InheritedBackgroundPaintData(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParamValue = 0);

  BYTE client : 1;
  BYTE painted : 1;    // set by the window that painted
  BYTE stopSearch : 1; // set by a window that ends the search without painting
  DWORD reserved1 = 0;
  CDC* dc;
  CWnd* window;
  DWORD reserved2 = 0;
  LPARAM lParam;
};

struct MenuItemPaintData {
  MenuItemPaintData(CObject* pSource, const RECT& rcItem, const RECT& rcBack, int nIconAreaWidth,
                    LPCSTR sText, LPCSTR sAccelText, CExtCmdIcon* pIcon, bool bPopup, bool bSelected,
                    bool bCheckMark, bool bRadio, bool bIndeterminate, bool bEnabled, bool bRarelyUsed,
                    bool bRarelyUsedAbove, bool bRarelyUsedBelow, UINT nSysCommandId, HFONT hFont);

  bool IsRightToLeft() const;

  CObject* sourceObject;
  LPARAM lParam = 0;
  RECT itemRect;
  RECT backRect;
  int iconAreaWidth;
  LPCSTR text;      // never NULL
  LPCSTR accelText; // never NULL
  CExtCmdIcon* icon;
  UINT sysCommandId;
  HFONT font;

  BYTE popup : 1;
  BYTE selected : 1;
  BYTE checkMark : 1;
  BYTE radio : 1;
  BYTE indeterminate : 1;
  BYTE enabled : 1;
  BYTE rarelyUsed : 1;
  BYTE rarelyUsedAbove : 1;

  BYTE rarelyUsedBelow : 1;
  BYTE noIconColumn : 1;
  BYTE glyphArrow : 1;
  BYTE splitPopup : 1;
  BYTE centerIconBox : 1;
  BYTE secondCheckLayout : 1;

  RECT editRect = {0, 0, 0, 0};
  CString editText;
  BYTE editHot : 1;
  COLORREF editColor = (COLORREF)-1;
};

// One icon-and-text item (a picker cell, an icon button of a panel) or a separator between them.
struct IconPaintData {
  enum StateBits : BYTE {
    ICON_HOVER = 0x01,
    ICON_PUSHED = 0x02,
    ICON_INFO_TEXT = 0x10, // text in the info colours; for a separator: the separator is shown
    ICON_VERTICAL = 0x20,
    ICON_SELECTED = 0x40, // shows the selected icon
    ICON_SEPARATOR = 0x80,
  };
  IconPaintData(CObject* pSource, HICON hIcon, HICON hIconSelected, const RECT& rcItem, const RECT& rcIcon,
                const RECT& rcText, LPCSTR sText, HFONT hFont, BYTE nState);

  CObject* sourceObject;
  LPARAM lParam = 0;
  HICON icon;
  HICON iconSelected;
  RECT itemRect;
  RECT iconRect;
  RECT textRect;
  LPCSTR text; // never NULL
  HFONT font;
  BYTE state;
};

struct ComboBoxFacePaintData {
  ComboBoxFacePaintData(CObject* pSource, const RECT& rcFace, LPCSTR sText, bool bHasButton, bool bHover,
                        bool bPushed, bool bEnabled);

  CObject* sourceObject;
  LPARAM lParam = 0;
  LPCSTR text; // never NULL
  RECT faceRect;
  BYTE hasButton : 1;
  BYTE hover : 1;
  BYTE pushed : 1;
  BYTE enabled : 1;
};
