// The program's icon in the notification area: the tray menu on a right click, the default
// command on a double click, the icon put back when the shell restarts or the work area changes;
// and the static helpers that hide a frame in the tray and bring it back.
#pragma once

#include "framework/wnd/fw_wnd.h"

#include <shellapi.h>

// The shell's "TaskbarCreated" message, sent to top-level windows when the task bar (re)starts.
extern UINT g_nMsgTaskbarCreated;
// The hidden popup that owns a frame while it sits in the tray. The frame's floating bars pass
// Alt+F4 to their top-level parent, which this then is: closing it closes the frame it holds, which
// asks to save its pictures, instead of destroying the frame with them.
class CTrayOwnerWnd : public CWnd {
protected:
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()
};

// The tray's hidden owner; a window from its first use.
extern CTrayOwnerWnd g_wndTrayOwner;

class CSystemTray : public CWnd {
  DECLARE_DYNAMIC(CSystemTray)
public:
  // The one way the tray talks to the shell; tests put a recorder here.
  typedef BOOL(WINAPI* ShellNotifyIconFn)(DWORD dwMessage, PNOTIFYICONDATAA pData);
  static ShellNotifyIconFn s_pfnShellNotifyIcon;
  // The caption animation between a frame and the tray; tests record it here.
  typedef BOOL(WINAPI* DrawAnimatedRectsFn)(HWND hWnd, int idAni, const RECT* lprcFrom, const RECT* lprcTo);
  static DrawAnimatedRectsFn s_pfnDrawAnimatedRects;

  enum { kMaxTipLength = 64 };

  CSystemTray();
  ~CSystemTray() override;

  // Makes the tray's hidden window and adds the icon unless bHidden. The callback message goes to
  // pParent's window when it has one, else to the tray's own window. The last four arguments are
  // kept for callers that pass them and are not used.
  BOOL Create(CWnd* pParent, UINT uCallbackMessage, LPCSTR lpszTip, HICON hIcon, UINT uID,
              BOOL bHidden = FALSE, LPCSTR lpszBalloonTip = NULL, LPCSTR lpszBalloonTitle = NULL,
              DWORD dwBalloonIcon = 0, UINT uBalloonTimeout = 10);
  // The tray menu's default item, by position or by command id.
  BOOL SetMenuDefaultItem(UINT uItem, BOOL bByPosition);
  // Deletes the icon from the notification area; TRUE when it is gone.
  BOOL RemoveIcon();

  // Handles the icon's mouse messages: a right button up shows the tray menu, a double click runs
  // its default item. Commands go to the main window.
  virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  // Called with the tray menu just before it is shown.
  virtual void CustomizeMenu(CMenu* pPopup);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Where the notification area is on the screen, or the best guess for it.
  static void FindTrayWindowRect(LPRECT lpRect);
  static BOOL AttachToHiddenOwner(CWnd* pWnd);
  static void MinimiseToTray(CWnd* pWnd, BOOL bForceAnimation = FALSE);
  static void RestoreFromTray(CWnd* pWnd, BOOL bForceAnimation = FALSE);

  // State the frame and the tests read.
  BOOL IsIconHidden() const { return m_bHidden; }
  BOOL IsIconRemoved() const { return m_bRemoved; }
  BOOL IsShowIconPending() const { return m_bShowIconPending; }
  const NOTIFYICONDATAA& GetIconData() const { return m_tnd; }

protected:
  NOTIFYICONDATAA m_tnd; // used in its first, 88-byte form
  BOOL m_bEnabled;
  BOOL m_bHidden;
  BOOL m_bRemoved;
  BOOL m_bShowIconPending;
  CWnd* m_pTargetWnd; // NULL: the application's main window
  UINT m_DefaultMenuItemID;
  BOOL m_DefaultMenuItemByPos;
  UINT m_uCreationFlags;

  // The window that gets the menu's commands, or NULL.
  CWnd* GetTargetWnd() const;
  // Adds the icon again with its creation flags; records whether it shows.
  void ShowIconAgain(DWORD dwMessage);

  afx_msg LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  DECLARE_MESSAGE_MAP()
};

// The frame commands "Minimize To Tray" and "Open Application" use these.
inline void MinimiseToTray(CWnd* pWnd, BOOL bForceAnimation) {
  CSystemTray::MinimiseToTray(pWnd, bForceAnimation);
}
inline void RestoreFromTray(CWnd* pWnd, BOOL bForceAnimation) {
  CSystemTray::RestoreFromTray(pWnd, bForceAnimation);
}
