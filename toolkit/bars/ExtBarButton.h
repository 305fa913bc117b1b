// One item of a tool bar or of the menu bar: a command button, a separator, a button with a
// drop-down menu (the whole button or a separate arrow part), or a slot hosting a child control.
// The bar owns, lays out and paints its buttons; a button knows its command, its state bits, its
// measured size and rectangle, and how to open its menu. Texts, icons and tips are never stored:
// they are looked up in the command manager, under the bar window's profile, by the effective id.
// ExtBarButton.cpp holds the state, measuring and placing; ExtBarButtonInput.cpp hover, click,
// menu tracking, tips and command update; ExtBarColorButton.cpp the colour button.
#pragma once

#include "framework/bars/fw_bars.h"
#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <windows.h>

#include <memory>
#include <commctrl.h>

class CDC;
class CWnd;
class CExtCmdIcon;
class CExtCmdItem;
class CExtPopupMenuWnd;
class CExtPopupColorMenuWnd;
class CExtToolControlBar;

class CExtBarButton : public CObject, public CExtBarButtonSite {
  DECLARE_DYNCREATE(CExtBarButton)
public:
  // Layout flags (m_nLayoutFlags).
  enum LayoutFlags : BYTE {
    LF_WRAP_MODE0 = 0x01, // wrap after this button, one bit per layout mode 0..2
    LF_WRAP_MODE1 = 0x02,
    LF_WRAP_MODE2 = 0x04,
    LF_VISIBLE = 0x08,
    LF_HOVER = 0x10,
    LF_CTRL_NO_DELETE = 0x20, // the hosted control object is not deleted by the button
    LF_VERTICAL = 0x40,       // laid out vertically (set by the bar's layout)
    LF_POPUP_MENU = 0x80      // the menu handle is a popup menu
  };
  // Option flags (m_nOptionFlags).
  enum OptionFlags : BYTE {
    OF_AUTO_DESTROY_MENU = 0x01,
    OF_APPEND_MDI_WINDOWS = 0x02,
    OF_SEPARATED_DROPDOWN = 0x04, // split button: the arrow part opens the menu
    OF_AUTO_CHANGE_CMD = 0x08,    // the chosen menu command becomes the effective command
    OF_DROPDOWN_HIT = 0x10,       // the press went down on the arrow part
    OF_NO_ROTATE = 0x20,          // keeps its horizontal layout in a vertical bar
    OF_CTRL_VISIBLE_VERT = 0x40,  // the hosted control shows in a vertical bar too
    OF_PRESSED_TRACKING = 0x80    // held down by the mouse or by its open menu
  };

  CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
  ~CExtBarButton() override;

  // --- virtual operations -----------------------------------------------------------------------
  virtual void UpdateCtrlFromState();
  virtual bool IsLargeIcons() const;
  virtual bool IsDisplayTips() const;
  virtual bool IsDisplayShortcutKeysInTips() const;
  virtual UINT GetCmdID(bool bEffective = true) const;
  virtual void SetCmdID(UINT nCmdID, bool bEffectiveOnly = false, bool bRecalcLayout = false);
  virtual bool IsSeparatedDropDown() const;
  virtual void SetSeparatedDropDown(bool bSet = true);
  virtual bool IsAutoChangeCmdID() const;
  virtual void SetAutoChangeCmdID(bool bSet = true);
  virtual bool IsNoRotateVerticalLayout() const;
  virtual void SetNoRotateVerticalLayout(bool bSet = true);
  virtual bool IsCtrlVisibleVertically() const;
  virtual void SetCtrlVisibleVertically(bool bSet = true);
  virtual CWnd* GetCtrl();
  virtual void SetCtrl(CWnd* pCtrl, bool bNoDelete = false);
  virtual UINT GetStyle() const;
  virtual void SetStyle(UINT nStyle);
  virtual void ModifyStyle(UINT nAdd, UINT nRemove = 0);
  virtual void SetPressedTracking();
  virtual void ClearPressedTracking();
  virtual bool IsPressedTracking() const;
  virtual void SetVertical(bool bVertical = true);
  virtual bool IsWrap(int nMode) const;
  virtual void SetWrap(int nMode, bool bWrap = true);
  virtual bool IsSeparator() const;
  virtual bool IsDisabled() const;
  virtual bool IsIndeterminate() const;
  virtual bool IsPressed() const;
  virtual void SetVisible(bool bVisible = true);
  virtual bool IsVisible() const;
  virtual void SetHover(bool bHover = true);
  virtual bool IsHover() const;
  virtual CString GetText() const;
  virtual void SetRect(const RECT& rc);
  virtual CRect GetRect() const;
  virtual CRect GetDropDownRect() const;
  virtual CSize GetSize() const;
  virtual void SetMenu(HMENU hMenu, bool bPopupMenu, bool bAutoDestroy);
  virtual HMENU GetMenu() const;
  virtual void SetAppendMdiWindowsMenu(bool bSet = true);
  virtual bool IsAppendMdiWindowsMenu() const;
  virtual bool IsAbleToTrackMenu(bool bCustomizeMode = false) const;
  virtual bool IsTrackingAllowedWhenDisabled() const;
  virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz);
  virtual bool InsertToPopupMenu(CExtPopupMenuWnd* pPopup);
  virtual CExtCmdIcon* GetIconPtr();
  virtual CWnd* GetCmdTargetWnd();
  virtual void Paint(CDC& dc, bool bHorz);
  virtual LPARAM GetPaintParam(CDC& dc);
  virtual UINT OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
  virtual void OnHover(CPoint point, bool bHover, bool& bSuppressTip);
  virtual void OnClick(CPoint point, bool bDown);
  virtual bool OnDblClick(CPoint point);
  virtual void OnDeliverCmd();
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
  virtual int OnHelpHitTest(CPoint point);
  virtual void OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex);
  virtual bool IsPlainCommandButton() const;
  virtual void RedrawButton(bool bUpdateNow = false);
  virtual UINT GetMenuAlignment() const;
  virtual bool OnSetCursor(CPoint point);
  // The theme's hot-button background: no button of this program asks for it.
  virtual bool IsHotBackgroundRequested() const { return false; }

  // --- non-virtual ------------------------------------------------------------------------------
  CExtToolControlBar* GetBar() const { return m_pBar; }
  void SetBar(CExtToolControlBar* pBar) { m_pBar = pBar; }
  bool IsVerticalLayout() const { return (m_nLayoutFlags & LF_VERTICAL) != 0; }
  // The menu handle holds the items itself (else its first sub-menu does).
  bool IsPopupMenuHandle() const { return (m_nLayoutFlags & LF_POPUP_MENU) != 0; }
  // The hosted control exists and is laid out to show (not vertical, or allowed vertically).
  bool IsCtrlShown() const;
  // Strips mnemonic markers: "&&" stays one "&", a single "&" is dropped.
  static CString StripMnemonics(const CString& sText);

  // --- CExtBarButtonSite --------------------------------------------------------------------------
  HWND GetBarSafeHwnd() const override;
  RECT GetButtonRect() const override { return m_rc; }
  bool IsBarVertical() const override;
  bool IsHotFrameSuppressed() const override;

protected:
  // Keeps the separator bit and the two ids in step with the command id.
  void SyncSeparatorStyle();
  // After a style change: drops the arrow-part press with TBBS_PRESSED, zeroes a separator's ids,
  // resyncs the control.
  void OnStyleChanged();
  // Sets or clears one option bit, then resyncs the control.
  void SetOption(BYTE nBit, bool bSet);
  // The bar window's rectangle mapped to the screen, for the popup placement.
  CRect GetScreenRect() const;
  // The command profile of the bar window; NULL without a bar window.
  LPCSTR GetProfileName() const;
  // The command item of the effective id; NULL without one.
  CExtCmdItem* FindCmdItem() const;
  // The icon and text extent of a command button, without the frame and the arrow.
  CSize MeasureContent(CDC& dc, bool bHorz);
  // The bar (or, while it has no dock bar, its parent) is laid out right to left.
  bool IsBarRightToLeft() const;
  // Ends every bar menu and raises a floating bar's mini frame; answers whether a bar menu was
  // tracked before, so that moving from one open button menu to the next keeps the flag.
  bool PrepareMenuTracking();
  // The popup track flags of this button's menu.
  DWORD CalcTrackFlags(bool bSelectAny, bool bForceNoAnimation) const;
  // Tracks the popup under the button with the bar's combined-area painter and marks the button
  // tracked; a popup that cannot be shown is deleted and every bar's tracking ends.
  bool TrackBarMenu(std::unique_ptr<CExtPopupMenuWnd> pPopup, CPoint point, DWORD dwFlags);

  CExtToolControlBar* m_pBar;
  UINT m_nCmdID;
  UINT m_nEffectiveCmdID;
  UINT m_nStyle;
  CSize m_size;
  CRect m_rc;
  BYTE m_nLayoutFlags;
  BYTE m_nOptionFlags;
  CWnd* m_pCtrl;
  HMENU m_hMenu;
};

// A bar button showing a colour; it opens the colour popup and reports the chosen colour to its
// command target with the cookie.
class CExtBarColorButton : public CExtBarButton {
  DECLARE_DYNCREATE(CExtBarColorButton)
public:
  enum PopupFlags : BYTE { PF_DEFAULT_COLOR_ITEM = 0x01, PF_CUSTOM_COLOR_ITEM = 0x02 };
  enum IconKind { ICON_SWATCH = 0, ICON_FRAMED_SWATCH = 1, ICON_LETTER_A = 2 };

  CExtBarColorButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0, COLORREF clr = 0,
                     COLORREF clrDefault = 0, LPARAM lCookie = 0, int nIconKind = ICON_SWATCH);

  bool IsAbleToTrackMenu(bool bCustomizeMode = false) const override;
  bool IsTrackingAllowedWhenDisabled() const override;
  bool InsertToPopupMenu(CExtPopupMenuWnd* pPopup) override;
  UINT OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override;
  void OnDeliverCmd() override;
  int OnHelpHitTest(CPoint point) override;
  bool IsPlainCommandButton() const override;
  bool IsHotFrameSuppressed() const override { return true; }

  virtual void OnSyncIcon();
  virtual COLORREF GetColor(bool bSelected = true) const;
  virtual void SetColor(COLORREF clr, bool bDefault = false);
  virtual LPARAM GetCookie() const;
  virtual void SetCookie(LPARAM lCookie);
  virtual bool IsDefaultColorItemShown() const;
  virtual void ShowDefaultColorItem(bool bShow = true);
  virtual bool IsCustomColorItemShown() const;
  virtual void ShowCustomColorItem(bool bShow = true);
  virtual CString GetDefaultColorText() const;
  virtual void SetDefaultColorText(LPCSTR lpszText);
  virtual CString GetCustomColorText() const;
  virtual void SetCustomColorText(LPCSTR lpszText);
  // Makes the button's icon; false when none could be made. The caller owns the handle.
  virtual bool GenerateIcon(HICON& hIcon);

  int GetIconKind() const { return m_nIconKind; }
  void SetIconKind(int nKind) { m_nIconKind = nKind; }

protected:
  // Hands the cookie, the item flags, both colours and the non-empty item texts to a colour popup.
  void SetUpColorPopup(CExtPopupColorMenuWnd& popup) const;

  COLORREF m_clr;
  COLORREF m_clrDefault;
  LPARAM m_lCookie;
  BYTE m_nPopupFlags;
  CString m_sDefaultColorText;
  CString m_sCustomColorText;
  int m_nIconKind;
};
