// The window-state layer of the toolkit's resizable windows: the size gripper in the bottom-right
// corner, the themed background and control colours, the window placement kept in the
// application's profile, and the toolkit's own system menu.
#pragma once

#include "framework/wnd/fw_wnd.h"

#include <windows.h>

// The empty adapter between a dialog class and the window layers above it.
template <class CExtADLGBase> class CExtADLG : public CExtADLGBase {
public:
  CExtADLG() = default;
  CExtADLG(UINT nIDTemplate, CWnd* pParentWnd) : CExtADLGBase(nIDTemplate, pParentWnd) {}
};

// The state flags of CExtWS.
enum ExtWindowStateFlags : BYTE {
  EXT_WS_SAVE_RESTORE = 0x02,  // the placement is saved on destruction
  EXT_WS_MENU_TRACKING = 0x04, // the toolkit's system menu is open
  EXT_WS_SHOW_GRIPPER = 0x08,  // the size gripper is shown
};

// One brush of the theme's dialog colour shared by every toolkit dialog, made again whenever that
// colour changes.
HBRUSH ExtGetDialogBackgroundBrush();

// Whether the current theme paints the background of the window (and the screen has more than
// 8 bits per pixel for it to do so).
bool ExtIsThemedBackground(CWnd* pWnd);

// nTimerID is the timer that watches the toolkit's system menu close.
template <class CExtWSBase, UINT nTimerID> class CExtWS : public CExtWSBase {
public:
  CExtWS();
  CExtWS(UINT nIDTemplate, CWnd* pParentWnd);

  // Shows or hides the size gripper, repainting its corner when the window exists.
  virtual void ShowSizeGrip(BOOL bShow);
  // Writes the window placement as "left,top,right,bottom,show command,flags" under the section
  // and entry given to EnableSaveRestore; FALSE when there is no window, no names or the profile
  // refused the value.
  virtual BOOL SaveWindowRect() const;
  // Applies the saved placement (hidden when bHide), then redraws the window; FALSE when nothing
  // is saved or the value does not hold six numbers.
  virtual BOOL LoadWindowRect(BOOL bHide);
  // Keeps the placement under pszSection/pszEntry from now on: saved when the window is destroyed
  // and, when the window exists, restored at once.
  virtual void EnableSaveRestore(LPCSTR pszSection, LPCSTR pszEntry, BOOL bHide = FALSE);
  // Opens the toolkit's system menu of a pop-up window at pPoint (screen), else below the left end
  // of the caption (the right end when right to left); FALSE when it was not shown.
  virtual BOOL ShowSystemMenu(const POINT* pPoint = NULL, BOOL bSelectFirstItem = FALSE);

  BOOL IsSizeGripShown() const { return (m_nStateFlags & EXT_WS_SHOW_GRIPPER) != 0; }
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;

  // The toolkit's popup menu made from the window's system menu and tracked at ptScreen; the chosen
  // window command is posted as WM_SYSCOMMAND once the menu has closed.
  BOOL TrackToolkitSystemMenu(const POINT& ptScreen, BOOL bSelectFirstItem);
  // Whether any toolkit popup menu still tracks.
  static bool IsAnyToolkitPopupMenuTracking();

  CString m_strSection; // profile section of the placement (empty: not kept)
  CString m_strEntry;
  BYTE m_nStateFlags;
  CRect m_rcGripper;      // client rectangle of the size gripper, empty until laid out
  UINT m_nSysMenuCommand; // the system menu's choice, written by the tracking when it ends

private:
  LRESULT OnWsSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnWsPaint();
  LRESULT OnWsCtlColor(UINT nMessage, WPARAM wParam, LPARAM lParam);
  // Non-client mouse messages over the icon and the caption; TRUE when taken.
  BOOL OnWsNcMouse(UINT nMessage, WPARAM wParam, LPARAM lParam);
  void InvalidateVisibleChildren();
  bool IsRightToLeft() const;
};
