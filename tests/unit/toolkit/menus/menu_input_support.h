// Real input for the tear-off, in-place edit and hosted-control tests: the pointer and keys sent
// through SendInput, and a driver thread that sends a script of input while the test thread runs
// a modal loop, each step waiting for its effect.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <utility>
#include <thread>
#include <vector>

namespace menu_input {

void MoveTo(POINT ptScreen);
// MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, ...
void Button(DWORD dwFlag);
void Key(UINT nVirtKey);
// Types lower-case letters and digits.
void Type(const char* pszText);
// Waits, off the window thread, until pred holds or five seconds pass; pred's last answer.
bool WaitFromDriver(const std::function<bool()>& pred);

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
  ~CInputDriver();
  // The step results once the script ended.
  std::vector<bool> Results();

private:
  std::vector<DriverStep> m_steps;
  std::vector<bool> m_results;
  std::function<bool()> m_ended;
  HWND m_hWndToClose;
  std::thread m_thread;
};

} // namespace menu_input
