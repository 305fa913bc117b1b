#include "tests/common/input_support.h"

#include <string>
#include <thread>
#include <vector>

namespace real_input {

namespace {

void SendFromThread(std::vector<INPUT> inputs) {
  std::thread([&] { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }).join();
}

} // namespace

void MoveTo(POINT pt) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {INPUT_MOUSE};
  in.mi.dx = (pt.x * 65536 + cx - 1) / cx;
  in.mi.dy = (pt.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendFromThread({in});
}

void Button(DWORD dwFlag) {
  INPUT in = {INPUT_MOUSE};
  in.mi.dwFlags = dwFlag;
  SendFromThread({in});
}

void Key(UINT nVirtKey) {
  INPUT in[2] = {};
  for (INPUT& one : in) {
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = static_cast<WORD>(nVirtKey);
    one.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(nVirtKey, 0));
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendFromThread({in[0], in[1]});
}

void MouseAt(POINT pt, DWORD dwFlags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &input, sizeof(input));
}

bool StartXdotool(const std::string& args, const std::string& then) {
  const std::string command = "Z:\\bin\\sh -c \"xdotool " + args + then + "\"";
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

bool XMoveTo(POINT pt) {
  return StartXdotool("mousemove " + std::to_string(pt.x) + " " + std::to_string(pt.y));
}

void SyncInput(HWND hWnd) {
  for (int i = 0; i < 2; i++) {
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &nResult);
  }
}

void ClickAt(POINT pt, HWND hOver) {
  auto sync = [hOver] { SyncInput(hOver); };
  sync();
  MouseAt(pt, 0);
  sync();
  MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
  MouseAt(pt, MOUSEEVENTF_LEFTUP);
}

} // namespace real_input
