#include "tests/unit/toolkit/menus/menu_input_support.h"

#include <cctype>
#include <cstring>

namespace menu_input {

namespace {

void SendOne(INPUT& in) { ::SendInput(1, &in, sizeof(INPUT)); }

} // namespace

void MoveTo(POINT ptScreen) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = (ptScreen.x * 65536 + cx - 1) / cx;
  in.mi.dy = (ptScreen.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendOne(in);
}

void Button(DWORD dwFlag) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = dwFlag;
  SendOne(in);
}

void Key(UINT nVirtKey) {
  INPUT in[2] = {};
  for (INPUT& one : in) {
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = (WORD)nVirtKey;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

void Type(const char* pszText) {
  for (const char* p = pszText; *p != 0; ++p)
    Key((UINT)std::toupper((unsigned char)*p));
}

bool WaitFromDriver(const std::function<bool()>& pred) {
  for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 5000; ::Sleep(5))
    if (pred())
      return true;
  return pred();
}

CInputDriver::CInputDriver(std::vector<DriverStep> steps, std::function<bool()> ended, HWND hWndToClose)
    : m_steps(std::move(steps)), m_ended(std::move(ended)), m_hWndToClose(hWndToClose) {
  m_thread = std::thread([this] {
    bool bOk = true;
    for (size_t i = 0; i < m_steps.size(); i++) {
      // A step that missed its effect makes the rest pointless; the last one still ends the loop.
      if (!bOk && i + 1 < m_steps.size()) {
        m_results.push_back(false);
        continue;
      }
      m_steps[i].send();
      bOk = !m_steps[i].until || WaitFromDriver(m_steps[i].until);
      m_results.push_back(bOk);
    }
    if (!WaitFromDriver(m_ended))
      ::PostMessageA(m_hWndToClose, WM_CLOSE, 0, 0);
  });
}

CInputDriver::~CInputDriver() {
  if (m_thread.joinable())
    m_thread.join();
}

std::vector<bool> CInputDriver::Results() {
  if (m_thread.joinable())
    m_thread.join();
  return m_results;
}

} // namespace menu_input
