// Pieces the window and dialog tests share: pumping without timing, a recorder of the
// framework's message boxes, a call log, the test application and a host window. Needs nothing
// beyond the framework.
#pragma once

#include "framework/fw.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Runs queued messages until none are left (never waits); stops at WM_QUIT, leaving it queued.
void PumpPending();
// Runs queued messages until pred holds or the time-out passes, sleeping only while the queue is
// empty; answers pred's last answer.
bool PumpUntil(const std::function<bool()>& pred, int nTimeoutMs = 5000);
// Real mouse input at a client point of hWnd: the pointer moves there, then dwButton (a
// MOUSEEVENTF_ flag; 0 only moves) is sent; pumps until the cursor is there, the left button is
// as sent and the thread's queue holds no input.
void MouseInClient(HWND hWnd, POINT ptClient, DWORD dwButton = 0);
// Types the text (letters, digits) into the edit as real keys, replacing what it holds; true once
// it shows the text.
bool TypeInto(HWND hEdit, const char* pszText);

// Records the framework's message boxes instead of showing them; each answers s_nAnswer.
class MessageBoxRecorder {
public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
  static std::vector<std::pair<std::string, UINT>>& Boxes();
  static int s_nAnswer; // IDOK unless a test says otherwise

private:
  AFX_MSGBOX_HOOK m_pfnOld;
};

// Records strings so tests can compare the order in which things happened.
struct CallLog {
  std::vector<std::string> entries;
  void Add(const std::string& s) { entries.push_back(s); }
  void Clear() { entries.clear(); }
  bool Contains(const std::string& s) const;
  int Count(const std::string& s) const;
};

// Commands the test application handles (for routing tests).
#define ID_TEST_APP_COMMAND 0x8101
#define ID_TEST_SHARED_COMMAND 0x8102

// The application object of every test program, made on first use.
class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp("FwLab") {}
  int m_nAppCommands = 0;
  int m_nSharedCommands = 0;

protected:
  afx_msg void OnAppCommand() { ++m_nAppCommands; }
  afx_msg void OnSharedCommand() { ++m_nSharedCommands; }
  DECLARE_MESSAGE_MAP()
};

CTestApp& TheTestApp();

// The window's rectangle in screen coordinates.
CRect ScreenRect(CWnd* pWnd);

// A top-level framework window to host children and dialogs; destroyed by the test.
class CHostWnd : public CWnd {
public:
  BOOL CreateHost(LPCSTR lpszTitle = "host", DWORD dwStyle = WS_OVERLAPPEDWINDOW, int cx = 400, int cy = 300);
};
