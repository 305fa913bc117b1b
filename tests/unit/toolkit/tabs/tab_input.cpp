#include "tests/unit/toolkit/tabs/tab_input.h"

#include "tests/common/driver_script.h"
#include "tests/unit/toolkit/tabs/tab_support.h"

namespace tab_input {

CPoint ScreenCentre(HWND hWnd, const RECT& rcClient) {
  CPoint pt(CRect(rcClient).CenterPoint());
  ::ClientToScreen(hWnd, &pt);
  return pt;
}

bool Activate(HWND hWnd) {
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  return PumpUntil([&] { return ::GetActiveWindow() == hWnd; });
}

void Drive(Driver& driver, std::vector<Step> steps) {
  driver.thread = std::thread([steps = std::move(steps), &driver] {
    for (const Step& s : steps) {
      if (s.send)
        s.send();
      if (s.until && !WaitFromDriver(s.until))
        driver.bAllCame = false;
    }
    driver.bDone = true;
  });
}

void Driver::Finish() {
  PumpUntil([&] { return bDone.load(); }, kDriverEndMs);
  if (thread.joinable())
    thread.join();
  PumpPending();
}

} // namespace tab_input
