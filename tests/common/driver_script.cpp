#include "tests/common/driver_script.h"

#include <windows.h>

bool WaitFromDriver(const std::function<bool()>& pred, int nTimeoutMs) {
  // Polled often: a drag's moves are paced by it.
  for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < static_cast<DWORD>(nTimeoutMs);
       ::Sleep(2))
    if (pred())
      return true;
  return pred();
}

void RunScriptSteps(const std::vector<ScriptStep>& steps, std::vector<bool>& results) {
  bool bOk = true;
  for (size_t i = 0; i < steps.size(); i++) {
    if (bOk || i + 1 == steps.size()) {
      steps[i].send();
      bOk = !steps[i].until || WaitFromDriver(steps[i].until);
    }
    results.push_back(bOk);
  }
}
