#include "tests/unit/toolkit/tabs/tab_input.h"

#include "tests/unit/toolkit/tabs/tab_support.h"

namespace tab_input {

namespace {

void Send(std::vector<INPUT> inputs) {
  std::thread([&] { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }).join();
}

bool WaitOffThread(const std::function<bool()>& pred) {
  for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 5000; ::Sleep(5))
    if (pred())
      return true;
  return pred();
}

} // namespace

void MoveTo(POINT pt) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {INPUT_MOUSE};
  in.mi.dx = (pt.x * 65536 + cx - 1) / cx;
  in.mi.dy = (pt.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  Send({in});
}

void Button(DWORD dwFlag) {
  INPUT in = {INPUT_MOUSE};
  in.mi.dwFlags = dwFlag;
  Send({in});
}

void Key(UINT nVirtKey) {
  INPUT in[2] = {};
  for (INPUT& one : in) {
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = static_cast<WORD>(nVirtKey);
    one.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(nVirtKey, 0));
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  Send({in[0], in[1]});
}

CPoint ScreenCentre(HWND hWnd, const RECT& rcClient) {
  CPoint pt(CRect(rcClient).CenterPoint());
  ::ClientToScreen(hWnd, &pt);
  return pt;
}

bool Activate(HWND hWnd) {
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  return WaitFor([&] { return ::GetActiveWindow() == hWnd; });
}

void Drive(Driver& driver, std::vector<Step> steps) {
  driver.thread = std::thread([steps = std::move(steps), &driver] {
    for (const Step& s : steps) {
      if (s.send)
        s.send();
      if (s.until && !WaitOffThread(s.until))
        driver.bAllCame = false;
    }
    driver.bDone = true;
  });
}

void Driver::Finish() {
  WaitFor([&] { return bDone.load(); });
  if (thread.joinable())
    thread.join();
  PumpPending();
}

} // namespace tab_input
