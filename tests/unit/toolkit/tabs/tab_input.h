// Real pointer input for the tab-window tests, sent by SendInput, and a driver thread for input
// that must arrive while the test thread runs a modal loop.
#pragma once

#include "tests/common/input_support.h"

#include "framework/fw.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace tab_input {

// MoveTo, Button and Key: the shared real input.
using real_input::Button;
using real_input::Key;
using real_input::MoveTo;
// The centre of a client rectangle of hWnd on the screen.
CPoint ScreenCentre(HWND hWnd, const RECT& rcClient);
// Makes the top-level window the active foreground one.
bool Activate(HWND hWnd);

// Runs the steps on a thread of its own: each sends input and may wait (off the window thread,
// with a time-out) for what it needs before the next. The driver tells when it is done and
// whether every wait came true.
struct Step {
  std::function<void()> send;
  std::function<bool()> until; // may be empty
};
struct Driver {
  std::atomic<bool> bDone{false};
  std::atomic<bool> bAllCame{true};
  std::thread thread;
  // Runs the window thread's messages until the driver is done, then joins it.
  void Finish();
};
void Drive(Driver& driver, std::vector<Step> steps);

} // namespace tab_input
