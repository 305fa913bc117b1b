// The one process-wide record of the popup-menu chain that is tracked: its top menu, the menu
// under the user's attention, the menu whose opening animation runs, and where the chosen command
// is stored for the caller. The hooks and the tracking itself come with the tracking entry.
#pragma once

#include "toolkit/menus/ExtPopupMenuTipWnd.h"

#include <windows.h>

class CExtPopupMenuWnd;

class CExtPopupTrackSite {
public:
  enum : BYTE { SITE_ENDING = 0x01 };

  CExtPopupTrackSite() = default;
  // Ends any tracking first.
  ~CExtPopupTrackSite();
  CExtPopupTrackSite(const CExtPopupTrackSite&) = delete;
  CExtPopupTrackSite& operator=(const CExtPopupTrackSite&) = delete;

  bool IsEnding() const { return (m_nStateFlags & SITE_ENDING) != 0; }
  bool IsEmpty() const { return m_pTrackedMenu == NULL; }

  // Makes the menu the tracked one and installs the thread's mouse and keyboard hooks.
  void BeginTracking(CExtPopupMenuWnd* pMenu);
  // Ends the tracking: the chain cleared, its window destroyed, the menu deleted, the hooks gone.
  void EndTracking();
  // The press (a button-down message) that ended the tracking goes on to the window beneath; its
  // release is the tracking's: the mouse hook stays until it has taken it.
  void ExpectRelease(UINT nDownMsg);
  // Whether the message is that release, which the hook then swallows; a new press forgets it.
  bool TakeExpectedRelease(UINT nMsg);
  static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

  // When the last key was handed to a menu (the runtime's clock, milliseconds).
  static DWORD g_nLastKeyTime;

  BYTE m_nStateFlags = 0;
  CExtPopupMenuTipWnd m_tipShared; // the tip bars and tab strips use
  CExtPopupMenuWnd* m_pTrackedMenu = NULL;
  CExtPopupMenuWnd* m_pHoverMenu = NULL;
  CExtPopupMenuWnd* m_pAnimatedMenu = NULL;
  HHOOK m_hMouseHook = NULL;
  HHOOK m_hKeyboardHook = NULL;
  UINT* m_pResultCmdId = NULL;
  int m_nReleaseButton = 0; // the button whose release is to be swallowed (1 left, 2 right, 3 middle)
  // The menu whose tracking entry has not returned yet: until it does, its caller owns it, so the
  // end of the tracking leaves the object alive.
  CExtPopupMenuWnd* m_pEnteringMenu = NULL;
  // Counts the trackings begun: a step that may end the tracking compares it before and after.
  DWORD m_nTrackingSerial = 0;
};

// The site of the process (defined with the toolkit's globals).
extern CExtPopupTrackSite g_PopupTrackSite;
