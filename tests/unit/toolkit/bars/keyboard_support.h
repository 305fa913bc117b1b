// Frames with a menu bar for the keyboard tests: an SDI frame (menu bar and a second tool bar) and
// an MDI frame with one child; both offer every message to the menu bar first, as the program's
// main frame does. Waits with a time-out and real keys.
#pragma once

#include "framework/fw.h"
#include "toolkit/bars/ExtMenuControlBar.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

// Commands of the test menus and of the second tool bar.
enum : UINT {
  ID_KB_NEW = 0x9101,
  ID_KB_EXIT = 0x9102,
  ID_KB_UNDO = 0x9103,
  ID_KB_ABOUT = 0x9104,
  ID_KB_ZOOM = 0x9105, // the second tool bar's button, "&Zoom"
  ID_KB_MENU_BAR = 0x9110,
  ID_KB_TOOL_BAR = 0x9111
};

// What the frames saw.
struct KeyboardFrameLog {
  std::vector<UINT> commands;
  int nPrepareSystemMenu = 0;
  HWND hWndSystemMenu = NULL; // lParam of the last system-menu preparation
};

class CKeyboardTestFrame : public CFrameWnd {
public:
  CExtMenuControlBar* m_pMenuBar = NULL;
  KeyboardFrameLog m_log;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
  afx_msg LRESULT OnPrepareSystemMenu(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

class CKeyboardMdiFrame : public CMDIFrameWnd {
public:
  CExtMenuControlBar* m_pMenuBar = NULL;
  KeyboardFrameLog m_log;
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  afx_msg LRESULT OnPrepareSystemMenu(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// The menu "&File" (New, Exit), "&Edit" (Undo), "&Help" (About); the caller owns the handle.
HMENU CreateKeyboardTestMenu();

// An SDI frame at (40, 40), 560 x 360, with the test menu taken over by its menu bar (docked at the
// top) and a second tool bar holding the "&Zoom" button; active and with the focus inside.
class KeyboardFrameLab {
public:
  KeyboardFrameLab();
  ~KeyboardFrameLab();
  bool IsReady() const { return m_bReady; }
  // The menu bar shows the three menus of the test menu.
  bool HasMenuButtons() const { return m_menuBar.GetButtonCount() == 3; }
  CKeyboardTestFrame* Frame() const { return m_pFrame; }
  CExtMenuControlBar& MenuBar() { return m_menuBar; }
  CExtToolControlBar& ToolBar() { return m_toolBar; }

private:
  CKeyboardTestFrame* m_pFrame = NULL; // deletes itself with its window
  CExtMenuControlBar m_menuBar;
  CExtToolControlBar m_toolBar;
  bool m_bReady = false;
};

// An MDI frame with the test menu on its menu bar and one visible, restored child.
class KeyboardMdiLab {
public:
  KeyboardMdiLab();
  ~KeyboardMdiLab();
  bool IsReady() const { return m_bReady; }
  // The bar is in MDI mode, hooks the client and the restored child, and shows the three menus.
  bool HasMdiHooks();
  CKeyboardMdiFrame* Frame() const { return m_pFrame; }
  CMDIChildWnd* Child() const { return m_pChild; }
  CExtMenuControlBar& MenuBar() { return m_menuBar; }

private:
  CKeyboardMdiFrame* m_pFrame = NULL;
  CMDIChildWnd* m_pChild = NULL;
  CExtMenuControlBar m_menuBar;
  bool m_bReady = false;
};

// Runs queued messages until pred holds or five seconds pass; pred's last answer.
bool WaitUntilTrue(const std::function<bool()>& pred);
// Brings the window to the foreground with the focus in it; false when it did not get there.
bool ActivateWindow(HWND hWnd);
// A real key press and release; an open popup takes it at once (its repeat guard is reset).
void PressKey(UINT nVirtKey);
// Ends every open menu and waits until none is tracked.
void CloseAllMenus();
// The frame's system-menu popup is open (a popup tracked while no bar button is).
bool IsSystemMenuOpen(CExtMenuControlBar& bar, HWND hWndOwner, const KeyboardFrameLog& log);

// A key message record as the frame's pre-translation would hand it over (the system key messages
// carry Alt's context bit).
MSG KeyMessage(HWND hWnd, UINT nMessage, UINT nVirtKey);

// Holds keys down in the thread's keyboard state for the translation to read; restores it after.
class HeldKeys {
public:
  HeldKeys(std::initializer_list<UINT> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  BYTE m_saved[256];
};
