// Real input for the menu tests, sent by SendInput from a driver thread: single pieces, a probe that
// tells when the tracking hooks have had one, and a script a driver sends while a modal loop runs.
#pragma once

#include "tests/unit/toolkit/menus/menu_paint_support.h"

#include <functional>
#include <thread>
#include <vector>

namespace menu_input {

// Each returns once the input is sent.
void MoveTo(POINT ptScreen);
void Button(DWORD dwFlag);      // MOUSEEVENTF_LEFTDOWN, ... where the pointer is
void Key(UINT nVirtKey);        // pressed and released
void Type(const char* pszText); // lower-case letters and digits

// Runs the thread's messages through the menus' own drain until the predicate holds or the time is
// up; answers the predicate.
bool WaitUntil(const std::function<bool()>& pred, int nTimeoutMs = 5000);
// Moves the pointer and waits until it is there.
bool RestPointer(CPoint ptScreen);
// Makes the window the active one with the focus.
bool Activate(HWND hWnd);

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

// Each step sends its input, then waits for its effect; the answers are kept by step. Whatever
// happens, the last step's input is sent, and when the loop under test has not ended a while after
// it, hWndToClose gets WM_CLOSE so that it does.
struct DriverStep {
  std::function<void()> send;
  std::function<bool()> until;
};

class CInputDriver {
public:
  CInputDriver(std::vector<DriverStep> steps, std::function<bool()> ended, HWND hWndToClose);
  ~CInputDriver() { Results(); }
  std::vector<bool> Results(); // once the script ended

private:
  std::vector<DriverStep> m_steps;
  std::vector<bool> m_results;
  std::function<bool()> m_ended;
  HWND m_hWndToClose;
  std::thread m_thread;
};

} // namespace menu_input
