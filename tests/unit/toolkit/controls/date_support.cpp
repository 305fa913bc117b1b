#include "tests/unit/toolkit/controls/date_support.h"

#include "tests/common/input_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace date_support {

namespace {

int g_nInputsTaken = 0;

// Counts the inputs as the thread takes them from its queue.
LRESULT CALLBACK CountPosted(int nCode, WPARAM wParam, LPARAM lParam) {
  const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
  if (nCode == HC_ACTION && wParam == PM_REMOVE &&
      (msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONUP || msg.message == WM_KEYUP))
    ++g_nInputsTaken;
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

struct InputCounter {
  InputCounter() : m_hHook(::SetWindowsHookExA(WH_GETMESSAGE, &CountPosted, NULL, ::GetCurrentThreadId())) {}
  ~InputCounter() {
    if (m_hHook != NULL)
      ::UnhookWindowsHookEx(m_hHook);
  }
  HHOOK m_hHook;
};

void SendKeys(const std::vector<INPUT>& inputs) {
  std::thread([&] {
    ::SendInput((UINT)inputs.size(), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
  }).join();
}

INPUT KeyInput(UINT nVirtKey, bool bUp) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = (WORD)nVirtKey;
  in.ki.wScan = (WORD)::MapVirtualKeyA(nVirtKey, 0);
  in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  if (nVirtKey == VK_LEFT || nVirtKey == VK_RIGHT || nVirtKey == VK_UP || nVirtKey == VK_DOWN)
    in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
}

} // namespace

int InputsTaken() {
  static InputCounter counter;
  return g_nInputsTaken;
}

BOOL CPickerHost::CreateHost(int cx, int cy) {
  const LPCSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  return CreateEx(0, pszClass, "date picker", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, cx, cy, NULL,
                  NULL);
}

LRESULT CPickerHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtDatePickerWnd::g_nMsgSelectionNotification && wParam != 0) {
    m_records.push_back(*reinterpret_cast<const CExtDatePickerWnd::SELECTION_NOTIFICATION*>(wParam));
    return 0;
  }
  if (message == WM_CANCELMODE)
    ++m_nCancelModes;
  return CWnd::WindowProc(message, wParam, lParam);
}

PickerWindow::PickerWindow(DWORD dwStyle, CSize sizeMin, CSize sizeMax, CSize sizeClient) {
  InputsTaken();
  CExtDatePickerWnd measure;
  measure.ModifyDatePickerStyle((DWORD)-1, dwStyle, false);
  if (sizeClient == CSize(0, 0))
    sizeClient = measure.CalcSizeForDimension(sizeMin);
  if (!m_host.CreateHost(sizeClient.cx + 2, sizeClient.cy + 2))
    return;
  m_picker.Create(&m_host, CRect(CPoint(0, 0), sizeClient), 100, sizeMin.cx, sizeMin.cy, sizeMax.cx,
                  sizeMax.cy, WS_CHILD | WS_VISIBLE, dwStyle);
  m_host.UpdateWindow();
}

PickerWindow::~PickerWindow() {
  if (m_host.GetSafeHwnd() != NULL)
    m_host.DestroyWindow();
}

CPoint PickerWindow::Screen(CPoint ptClient) const {
  m_picker.ClientToScreen(&ptClient);
  return ptClient;
}

bool PickerWindow::Focus() {
  ::SetForegroundWindow(m_host.m_hWnd);
  ::SetActiveWindow(m_host.m_hWnd);
  m_picker.SetFocus();
  return PumpUntil([&] { return ::GetFocus() == m_picker.m_hWnd; });
}

bool PickerWindow::Key(UINT nVirtKey, bool bShift) {
  const int nBefore = InputsTaken();
  std::vector<INPUT> inputs;
  if (bShift)
    inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(nVirtKey, false));
  inputs.push_back(KeyInput(nVirtKey, true));
  if (bShift)
    inputs.push_back(KeyInput(VK_SHIFT, true));
  SendKeys(inputs);
  // The key's down and up have both been taken (and Shift's too).
  const int nExpected = bShift ? 4 : 2;
  return PumpUntil([&] { return InputsTaken() - nBefore >= nExpected; });
}

bool PickerWindow::Click(CPoint ptClient) {
  const int nBefore = InputsTaken();
  real_input::MoveTo(Screen(ptClient));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  return PumpUntil([&] { return InputsTaken() > nBefore; });
}

bool PickerWindow::Drag(CPoint ptFrom, CPoint ptTo) {
  const int nBefore = InputsTaken();
  real_input::MoveTo(Screen(ptFrom));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::MoveTo(Screen(ptTo));
  real_input::Button(MOUSEEVENTF_LEFTUP);
  return PumpUntil([&] { return InputsTaken() > nBefore; });
}

CPoint PickerWindow::CellOf(const COleDateTime& dt) const {
  const CExtDatePickerWnd::MONTH_INFO* pMonth = m_picker.GetMonthAt(0, 0);
  if (pMonth == NULL)
    return CPoint(-1, -1);
  for (int i = 0; i < CExtDatePickerWnd::MONTH_INFO::CELL_COUNT; ++i) {
    const CExtDatePickerWnd::MONTH_INFO::DATE_INFO& cell = pMonth->GetCell(i);
    if (cell.GetDate().GetStatus() == COleDateTime::valid && cell.GetDate() == dt)
      return cell.GetRect().CenterPoint();
  }
  return CPoint(-1, -1);
}

COleDateTime Day(int nYear, int nMonth, int nDay) {
  COleDateTime dt;
  dt.SetDate(nYear, nMonth, nDay);
  return dt;
}

COleDateTime Today() {
  const COleDateTime now = COleDateTime::GetCurrentTime();
  return Day(now.GetYear(), now.GetMonth(), now.GetDay());
}

COleDateTime NullDate() {
  COleDateTime dt;
  dt.SetStatus(COleDateTime::null);
  return dt;
}

} // namespace date_support
