#include "tests/common/window_support.h"

#include "tests/common/input_support.h"

#include <algorithm>
#include <cctype>
#include <chrono>

void PumpPending() {
  // Each message is taken as it is peeked: a hook may drop a message when it is taken (a tracked
  // menu swallows keys and clicks), and a pump that then waited for it would wait for ever.
  CWinThread* pThread = AfxGetThread();
  MSG& msg = AfxGetThreadState()->m_msgCur;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam);
      return;
    }
    if (msg.message != WM_KICKIDLE && (pThread == NULL || !pThread->PreTranslateMessage(&msg))) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

bool PumpUntil(const std::function<bool()>& pred, int nTimeoutMs) {
  const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
  for (;;) {
    PumpPending();
    if (pred())
      return true;
    if (std::chrono::steady_clock::now() > tEnd)
      return pred();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
}

CRect ScreenRect(CWnd* pWnd) {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  return rc;
}

int MessageBoxRecorder::s_nAnswer = IDOK;

std::vector<std::pair<std::string, UINT>>& MessageBoxRecorder::Boxes() {
  static std::vector<std::pair<std::string, UINT>> boxes;
  return boxes;
}

MessageBoxRecorder::MessageBoxRecorder() {
  Boxes().clear();
  s_nAnswer = IDOK;
  m_pfnOld = AfxSetMessageBoxHook([](LPCSTR lpszText, UINT nType, UINT) -> int {
    Boxes().emplace_back(lpszText != NULL ? lpszText : "", nType);
    return s_nAnswer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { AfxSetMessageBoxHook(m_pfnOld); }

bool CallLog::Contains(const std::string& s) const { return Count(s) > 0; }

int CallLog::Count(const std::string& s) const { return (int)std::count(entries.begin(), entries.end(), s); }

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_TEST_APP_COMMAND, OnAppCommand)
ON_COMMAND(ID_TEST_SHARED_COMMAND, OnSharedCommand)
END_MESSAGE_MAP()

CTestApp& TheTestApp() {
  static CTestApp app;
  return app;
}

BOOL CHostWnd::CreateHost(LPCSTR lpszTitle, DWORD dwStyle, int cx, int cy) {
  if (AfxGetApp() == NULL) // a test program of the program itself has the program's application
    TheTestApp();
  return CreateEx(0,
                  AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                  lpszTitle, dwStyle | WS_CLIPCHILDREN, 20, 20, cx, cy, NULL, NULL);
}

void MouseInClient(HWND hWnd, POINT ptClient, DWORD dwButton) {
  POINT pt = ptClient;
  ::ClientToScreen(hWnd, &pt);
  real_input::MoveTo(pt);
  if (dwButton != 0)
    real_input::Button(dwButton);
  auto leftDown = [] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; };
  const bool bDown = dwButton == 0 ? leftDown() : dwButton == MOUSEEVENTF_LEFTDOWN;
  PumpUntil([&] {
    POINT ptNow;
    ::GetCursorPos(&ptNow);
    return ptNow.x == pt.x && ptNow.y == pt.y && leftDown() == bDown &&
           HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}

bool TypeInto(HWND hEdit, const char* pszText) {
  ::SetForegroundWindow(::GetAncestor(hEdit, GA_ROOT));
  ::SetFocus(hEdit);
  ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
  for (const char* p = pszText; *p != '\0'; ++p)
    real_input::Key(static_cast<UINT>(std::toupper(static_cast<unsigned char>(*p))));
  return PumpUntil([&] {
    char sz[128] = {};
    ::GetWindowTextA(hEdit, sz, sizeof(sz));
    return std::string(sz) == pszText && HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}
