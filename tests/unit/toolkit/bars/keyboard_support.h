// A frame (SDI, or MDI with one restored child) whose menu bar took the test menu, offering every
// message to the bar's keyboard translation first as the program's main frame does; key records,
// held keys, real keys and waits for the keyboard tests.
#pragma once

#include "framework/fw.h"
#include "toolkit/bars/ExtMenuControlBar.h"

#include <functional>
#include <initializer_list>
#include <vector>

enum : UINT {
  ID_KB_NEW = 0x9101,
  ID_KB_UNDO,
  ID_KB_ABOUT,
  ID_KB_ZOOM,
  ID_KB_MENU_BAR = 0x9110,
  ID_KB_TOOL_BAR
};

// What the frame saw: its test commands and the system-menu announcements.
struct KeyboardFrameLog {
  std::vector<UINT> commands;
  int nPrepareSystemMenu = 0;
};

// The menu "&File" (New), "&Edit" (Undo), "&Help" (About); the caller owns the handle.
HMENU CreateKeyboardTestMenu();

// The frame at (40, 40), active with the focus inside; the SDI one also docks a second tool bar
// holding the "&Zoom" button.
class KeyboardLab {
public:
  explicit KeyboardLab(bool bMdi = false);
  ~KeyboardLab();
  bool IsReady() const { return m_bReady; }
  // The bar shows the three menus; in MDI mode it also hooks the client and the child.
  bool HasMenuButtons();
  CFrameWnd* FrameWnd() const { return m_pFrame; }
  HWND Frame() const { return m_pFrame->m_hWnd; }
  HWND Client() const;
  CMDIChildWnd* Child() const { return m_pChild; }
  KeyboardFrameLog& Log() { return m_log; }
  CExtMenuControlBar& MenuBar() { return m_menuBar; }

private:
  CFrameWnd* m_pFrame = NULL; // deletes itself with its window
  CMDIChildWnd* m_pChild = NULL;
  CExtMenuControlBar m_menuBar;
  CExtToolControlBar m_toolBar;
  KeyboardFrameLog m_log;
  bool m_bReady = false;
};

// A key message as the frame's pre-translation gets it (system keys carry Alt's context bit).
MSG KeyMessage(HWND hWnd, UINT nMessage, UINT nVirtKey);

// Holds keys down in the thread's keyboard state; restores it after.
class HeldKeys {
public:
  HeldKeys(std::initializer_list<UINT> keys);
  ~HeldKeys() { ::SetKeyboardState(m_saved); }

private:
  BYTE m_saved[256];
};

// Runs queued messages through the windows' pre-translation until pred holds or five seconds pass.
bool WaitUntilTrue(const std::function<bool()>& pred);
// Brings the window to the foreground with the focus in it; false when it did not get there.
bool ActivateWindow(HWND hWnd);
// Ends every open menu and waits until none is tracked.
void CloseAllMenus();
// A real key press and release, taken by an open popup at once.
void PressKey(UINT nVirtKey);
// A toolkit popup built from the window's system menu is tracked while no bar button is.
bool IsSystemMenuOpen(CExtMenuControlBar& bar, HWND hWndOwner);
