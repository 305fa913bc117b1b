// Real input for the menu tests, sent by SendInput from a driver thread: single pieces, a probe that
// tells when the tracking hooks have had one, and a script a driver sends while a modal loop runs.
#pragma once

#include "tests/common/input_support.h"

#include "tests/common/driver_script.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"

#include <functional>
#include <thread>
#include <vector>

namespace menu_input {

// MoveTo, Button and Key: the shared real input.
using real_input::Button;
using real_input::Key;
using real_input::MoveTo;
void Type(const char* pszText); // lower-case letters and digits

// Runs the thread's messages through the menus' own drain until the predicate holds or the time is
// up; answers the predicate. A drain that does not return on an empty queue fails the test.
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
  // waits until its release has gone through the hooks. A held key is pressed as if the last key came
  // long ago, then repeats once (too soon, or long after) before its release.
  bool Key(UINT nVirtKey, bool bTooSoon = false, bool bHeld = false);
  bool Move(CPoint ptScreen);
  bool Click(CPoint ptScreen, bool bRight = false); // the left button, or the right one

private:
  HHOOK m_hKey, m_hMouse;
};

// Sends the steps from a driver thread while the test thread runs a modal loop: each sends its
// input, then waits for its effect, and results gets whether it came. After a miss only the last
// step, which ends the loop, is sent; a loop not ended a while after it gets WM_CLOSE at hWndToClose.
using DriverStep = ScriptStep;
std::thread DriveScript(std::vector<DriverStep> steps, std::vector<bool>& results,
                        std::function<bool()> ended, HWND hWndToClose);

} // namespace menu_input
