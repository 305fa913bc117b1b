#include "tests/unit/toolkit/controls/date_support.h"

#include "tests/common/input_support.h"

#include <thread>

namespace date_support {

namespace {

int g_nInputsTaken = 0;

LRESULT CALLBACK CountTaken(int nCode, WPARAM wParam, LPARAM lParam) {
  const UINT msg = reinterpret_cast<const MSG*>(lParam)->message;
  if (nCode == HC_ACTION && wParam == PM_REMOVE &&
      (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_LBUTTONUP))
    ++g_nInputsTaken;
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// Counts the key-downs, key-ups and button-ups this thread takes from its queue.
int InputsTaken() {
  static const HHOOK hHook = ::SetWindowsHookExA(WH_GETMESSAGE, &CountTaken, NULL, ::GetCurrentThreadId());
  (void)hHook;
  return g_nInputsTaken;
}

INPUT KeyInput(UINT nVirtKey, bool bUp) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = (WORD)nVirtKey;
  in.ki.wScan = (WORD)::MapVirtualKeyA(nVirtKey, 0);
  in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  if (nVirtKey >= VK_LEFT && nVirtKey <= VK_DOWN)
    in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
}

} // namespace

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

bool PickerWindow::Focus() {
  ::SetForegroundWindow(m_host.m_hWnd);
  ::SetActiveWindow(m_host.m_hWnd);
  m_picker.SetFocus();
  return PumpUntil([&] { return ::GetFocus() == m_picker.m_hWnd; });
}

bool PickerWindow::Key(UINT nVirtKey, bool bShift) {
  const int nBefore = InputsTaken();
  std::vector<INPUT> inputs = {KeyInput(nVirtKey, false), KeyInput(nVirtKey, true)};
  if (bShift) {
    inputs.insert(inputs.begin(), KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(VK_SHIFT, true));
  }
  std::thread([&] { ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)); }).join();
  return PumpUntil([&] { return InputsTaken() - nBefore >= (int)inputs.size(); });
}

bool PickerWindow::Click(CPoint ptClient) { return Drag(ptClient, ptClient); }

bool PickerWindow::Drag(CPoint ptFrom, CPoint ptTo) {
  const int nBefore = InputsTaken();
  real_input::MoveTo(Screen(ptFrom));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  if (ptTo != ptFrom)
    real_input::MoveTo(Screen(ptTo));
  real_input::Button(MOUSEEVENTF_LEFTUP);
  return PumpUntil([&] { return InputsTaken() > nBefore; });
}

CRect PickerWindow::CellRect(const COleDateTime& dt) const {
  const CExtDatePickerWnd::MONTH_INFO* pMonth = m_picker.GetMonthAt(0, 0);
  for (int i = 0; pMonth != NULL && i < CExtDatePickerWnd::MONTH_INFO::CELL_COUNT; ++i) {
    const CExtDatePickerWnd::MONTH_INFO::DATE_INFO& cell = pMonth->GetCell(i);
    if (cell.GetDate().GetStatus() == COleDateTime::valid && cell.GetDate() == dt)
      return cell.GetRect();
  }
  return CRect();
}

COleDateTime PickerWindow::Selection(bool bEnd) const {
  COleDateTime dtBegin, dtEnd;
  m_picker.SelectionGet(dtBegin, dtEnd);
  return bEnd ? dtEnd : dtBegin;
}

bool PickerWindow::Shows(const COleDateTime& dt) const {
  COleDateTime dtFirst, dtLast;
  m_picker.GetDisplayedRange(dtFirst, dtLast);
  return dtFirst <= dt && dt <= dtLast;
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

COleDateTime DateOf(COleDateTime::DateTimeStatus status) {
  COleDateTime dt;
  dt.SetStatus(status);
  return dt;
}

std::vector<DWORD> TimerTicks(HWND hWnd, UINT nTimerId, int nTicks, std::vector<UINT>* pOthers) {
  std::vector<DWORD> times;
  const DWORD dwStart = ::GetTickCount();
  while ((int)times.size() < nTicks && ::GetTickCount() - dwStart < (DWORD)(nTicks * 1000 + 2000)) {
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_TIMER && msg.hwnd == hWnd) {
      if (msg.wParam == nTimerId)
        times.push_back(msg.time);
      else if (pOthers != NULL)
        pOthers->push_back((UINT)msg.wParam);
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return times;
}

} // namespace date_support
