// A bound on how long a test may run. Past it the test thread, in whatever message loop holds it
// (a modal drag, a message box, a menu), hears of it through a thread timer: the overrun is
// reported with the windows left open, and dialogs, menus and capture-based loops are ended so
// the program can go on. A thread that dispatches nothing cannot hear the timer: past the bound
// and a margin a thread of the watchdog's own prints the same and ends the process with a failure
// code, so the test run learns of it in seconds. Needs nothing beyond the platform.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace watchdog {

struct Handlers {
  // Called on the armed thread, once, when the bound has passed; the text names the task and its
  // bound and lists the windows.
  std::function<void(const std::string&)> onOverrun;
  // Called on the watchdog's thread just before it ends the process; writes what it can.
  std::function<void()> onLastResort;
};

// Installs the handlers; the margin is how long a thread past its bound may go on before the
// process is ended.
void Install(const Handlers& handlers, int nMarginSeconds = 30);
// Starts the bound for a task run on the calling thread; a later call replaces it.
void Arm(const std::string& name, int nSeconds);
// Ends the bound of the task.
void Disarm();
// A process this one started, ended by the last resort before this one: left running, it would
// hold this process's output open and keep whoever runs it waiting.
void EndWithThisProcess(HANDLE hProcess);
// The process ends, or is left to run, by other means.
void NoLongerEndWithThisProcess(HANDLE hProcess);
// Whether the armed task has run past its bound.
bool Overran();

} // namespace watchdog
