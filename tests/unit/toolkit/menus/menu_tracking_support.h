// What the tracking tests share: a receiver that tells sent commands from posted ones and logs the
// input that reaches it, a three-level menu that counts its deletions, real input from a driver
// thread, and a probe that tells when the tracking hooks have been given a piece of input.
#pragma once

#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <vector>

namespace menu_tracking {

// Commands of the test chain: the top menu "&Alpha", "&Beta", separator, "&Bold", "&Sub"; in "&Sub"
// "&Inner" and "&Deep"; in "&Deep" "&Leaf" and "L&ast".
enum : UINT { ID_ALPHA = 0x8401, ID_BETA, ID_BOLD, ID_INNER = 0x8411, ID_LEAF = 0x8421, ID_LAST };
enum { kSubIndex = 4 };

// A receiver that also notes whether each command came sent, and the key and button messages
// that reach it.
class CTrackReceiver : public menu_paint::CMenuReceiver {
public:
  int m_nSentCommands = 0;
  std::vector<UINT> m_input; // WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN, WM_LBUTTONUP ...

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A top menu that counts its deletions. Its memory is kept after deletion and filled with a live
// window handle, so that reading a deleted menu's window keeps a loop going instead of passing by
// chance; the blocks are freed by ReleaseDeletedMenus.
class CCountedMenu : public CExtPopupMenuWnd {
public:
  ~CCountedMenu() override { ++s_nDeleted; }
  static void operator delete(void* p, size_t n);
  static int s_nDeleted;
  static HWND s_hWndPoison;
};
void ReleaseDeletedMenus();

// The test chain, built from a menu handle for the receiver.
CCountedMenu* MakeChain(HWND hWndReceiver);
// The menu of the chain at the level (0 top) along the current items, or NULL.
CExtPopupMenuWnd* MenuAtLevel(int nLevel);
// The level of the site's hover menu; -1 when nothing is tracked.
int HoverLevel();

// Real input sent from a driver thread: a key pressed and released, the pointer moved.
void PressKey(UINT nVirtKey);
void MoveTo(CPoint ptScreen);
CPoint ItemCentre(CExtPopupMenuWnd& menu, int nIndex); // on the screen

// Thread hooks installed after the tracking's own, so they see each piece of input first and hand
// it on: once the release of a key or button, or a move to the point, has been seen, the tracking
// has had everything before it.
class CInputProbe {
public:
  CInputProbe();
  ~CInputProbe();
  // Presses the key once no menu is appearing, as if the last key came long ago (or just now), and
  // waits until its release has gone through the hooks.
  bool Key(UINT nVirtKey, bool bTooSoon = false);
  bool Move(CPoint ptScreen);
  bool Click(CPoint ptScreen); // the left button

private:
  static LRESULT CALLBACK KeyProc(int nCode, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
  HHOOK m_hKey, m_hMouse;
  static int s_nKeyUps, s_nButtonUps;
  static CPoint s_ptLast;
};

// Runs the thread's messages through the menus' own drain until the predicate holds or the time is
// up; answers the predicate.
bool WaitUntil(const std::function<bool()>& pred, int nTimeoutMs = 5000);

// Makes the window the active one with the focus; false when it could not within the timeout.
bool Activate(HWND hWnd);

} // namespace menu_tracking
