// Scripted real input for modal loops: a driver thread sends each step's input and waits for its
// effect while the test thread runs the loop. Needs nothing beyond the standard library.
#pragma once

#include <functional>
#include <vector>

struct ScriptStep {
  std::function<void()> send;
  std::function<bool()> until; // may be empty
};

// How long the window thread pumps for a driver thread to end. The driver bounds each step's wait
// itself, so a script of several steps may rightly take several of those bounds on a busy machine;
// this only keeps a driver that never ends from holding the test for good.
const int kDriverEndMs = 60000;

// Waits, off the window thread, until pred holds or the time-out passes; pred's last answer.
bool WaitFromDriver(const std::function<bool()>& pred, int nTimeoutMs = 5000);

// Sends each step once and waits for its condition; results gets whether each came. After a miss
// only the last step, which should end the loop, is sent. Runs on the driver thread.
void RunScriptSteps(const std::vector<ScriptStep>& steps, std::vector<bool>& results);
