// fwlab: a small application on the framework, started through the framework's own WinMain.
// With "/selftest" it drives itself with real input (SendInput) and posted messages, checks
// what its handlers saw, saves a screenshot and exits with the number of failed checks.
#include "framework/fw.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

enum {
  IDC_LAB_BUTTON = 1001,
  IDC_LAB_EDIT = 1002,
  ID_LAB_COMMAND = 40100,
  ID_LAB_DISABLED = 40101,
  UM_STEP = WM_APP + 100,
};

class CLabWnd : public CWnd {
public:
  std::vector<std::string> m_log;
  int m_nIdleUpdates = 0;
  int m_nFailures = 0;
  int m_nStep = 0;
  CWnd m_button;
  CWnd m_edit;

  BOOL CreateLab() {
    CMenu menu;
    menu.CreateMenu();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_LAB_COMMAND, "&Command");
    popup.AppendMenu(MF_STRING, ID_LAB_DISABLED, "&Disabled");
    popup.AppendMenu(MF_STRING, ID_APP_EXIT, "E&xit");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), "&Lab");
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, "fwlab", WS_OVERLAPPEDWINDOW, 40, 40, 420, 260, NULL, menu.Detach()))
      return FALSE;
    return TRUE;
  }

  void Check(bool ok, const char* what) {
    m_log.push_back(std::string(ok ? "ok   " : "FAIL ") + what);
    if (!ok)
      ++m_nFailures;
  }

  bool Logged(const char* entry) const {
    for (const std::string& s : m_log)
      if (s == entry)
        return true;
    return false;
  }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
      return -1;
    m_button.Create("BUTTON", "Press", WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 140, 60), this,
                    IDC_LAB_BUTTON);
    m_edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(20, 80, 240, 104), this,
                    IDC_LAB_EDIT);
    return 0;
  }
  afx_msg void OnButton() { m_log.push_back("button"); }
  afx_msg void OnEditChange() { m_log.push_back("edit-change"); }
  afx_msg void OnLabCommand() { m_log.push_back("command"); }
  afx_msg void OnLabDisabled() { m_log.push_back("disabled-ran"); }
  afx_msg void OnUpdateLabDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnExit() { PostMessage(WM_CLOSE); }
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++m_nIdleUpdates;
    return 0;
  }
  afx_msg LRESULT OnStep(WPARAM, LPARAM);
  afx_msg void OnTimer(UINT nIDEvent);
  void WaitFor(std::function<bool()> done, const char* what);
  std::function<bool()> m_waitDone;
  const char* m_waitWhat = "";
  int m_nWaitTicks = 0;
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(160, 30, CString("framework lab"));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLabWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_BN_CLICKED(IDC_LAB_BUTTON, OnButton)
ON_EN_CHANGE(IDC_LAB_EDIT, OnEditChange)
ON_COMMAND(ID_LAB_COMMAND, OnLabCommand)
ON_COMMAND(ID_LAB_DISABLED, OnLabDisabled)
ON_UPDATE_COMMAND_UI(ID_LAB_DISABLED, OnUpdateLabDisabled)
ON_COMMAND(ID_APP_EXIT, OnExit)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
ON_MESSAGE(UM_STEP, OnStep)
ON_WM_TIMER()
END_MESSAGE_MAP()

void SendClick(CWnd& wnd) {
  CRect rc;
  wnd.GetWindowRect(&rc);
  CPoint pt = rc.CenterPoint();
  int cx = ::GetSystemMetrics(SM_CXSCREEN) - 1;
  int cy = ::GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT in[3] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = pt.x * 65535 / cx;
    i.mi.dy = pt.y * 65535 / cy;
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(3, in, sizeof(INPUT));
}

void SendKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

void SaveScreenshot(CWnd& wnd) {
  char szDir[MAX_PATH];
  DWORD n = ::GetEnvironmentVariableA("PIX_ARTIFACTS", szDir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH)
    return;
  std::string path = std::string("Z:") + szDir;
  ::CreateDirectoryA(path.c_str(), NULL);
  path += "/fwlab.bmp";
  CRect rc;
  wnd.GetWindowRect(&rc);
  CWindowDC screen(NULL);
  CDC mem;
  mem.CreateCompatibleDC(&screen);
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = rc.Width();
  bmi.bmiHeader.biHeight = rc.Height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  void* pBits = NULL;
  HBITMAP hBmp = ::CreateDIBSection(screen.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  if (hBmp == NULL)
    return;
  CBitmap bmp;
  bmp.Attach(hBmp);
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.BitBlt(0, 0, rc.Width(), rc.Height(), &screen, rc.left, rc.top, SRCCOPY);
  mem.SelectObject(pOld);
  DWORD cbRow = ((rc.Width() * 3 + 3) & ~3);
  BITMAPFILEHEADER bf = {};
  bf.bfType = 0x4D42;
  bf.bfOffBits = sizeof(bf) + sizeof(bmi.bmiHeader);
  bf.bfSize = bf.bfOffBits + cbRow * rc.Height();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == NULL)
    return;
  std::fwrite(&bf, sizeof(bf), 1, f);
  std::fwrite(&bmi.bmiHeader, sizeof(bmi.bmiHeader), 1, f);
  std::fwrite(pBits, cbRow * rc.Height(), 1, f);
  std::fclose(f);
}

// Each step acts, then waits (on a timer, bounded) for what it caused before checking it.
LRESULT CLabWnd::OnStep(WPARAM, LPARAM) {
  switch (m_nStep++) {
  case 0:
    SetForegroundWindow();
    SendClick(m_button);
    WaitFor([this] { return Logged("button"); }, "a real click reaches ON_BN_CLICKED");
    break;
  case 1:
    m_edit.SetFocus();
    SendKey('A');
    WaitFor([this] { return Logged("edit-change"); }, "typing into the edit reaches ON_EN_CHANGE");
    break;
  case 2:
    PostMessage(WM_COMMAND, ID_LAB_COMMAND, 0);
    PostMessage(WM_COMMAND, ID_LAB_DISABLED, 0);
    WaitFor([this] { return Logged("command"); }, "a posted menu command runs its handler");
    break;
  case 3:
    Check(!Logged("disabled-ran"), "a command its update handler disabled is dropped");
    Check(m_nIdleUpdates > 0, "the idle pass sent WM_IDLEUPDATECMDUI");
    Check(AfxGetMainWnd() == this, "the main window is known to the thread");
    SaveScreenshot(*this);
    PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
    break;
  default:
    break;
  }
  return 0;
}

void CLabWnd::WaitFor(std::function<bool()> done, const char* what) {
  m_waitDone = std::move(done);
  m_waitWhat = what;
  m_nWaitTicks = 0;
  SetTimer(1, 10, NULL);
}

void CLabWnd::OnTimer(UINT nIDEvent) {
  if (nIDEvent != 1)
    return;
  // Input goes through the X server, so its effect arrives later; give it up to three seconds.
  bool bDone = m_waitDone();
  if (!bDone && ++m_nWaitTicks < 300)
    return;
  KillTimer(1);
  Check(bDone, m_waitWhat);
  PostMessage(UM_STEP);
}

class CLabApp : public CWinApp {
public:
  CLabApp() : CWinApp("fwlab") {}
  CLabWnd* m_pLab = NULL;
  BOOL m_bSelfTest = FALSE;

  BOOL InitInstance() override {
    m_bSelfTest = m_lpCmdLine != NULL && std::strstr(m_lpCmdLine, "/selftest") != NULL;
    m_pLab = new CLabWnd;
    if (!m_pLab->CreateLab())
      return FALSE;
    m_pMainWnd = m_pLab;
    m_pLab->ShowWindow(SW_SHOW);
    m_pLab->UpdateWindow();
    if (m_bSelfTest)
      m_pLab->PostMessage(UM_STEP);
    return TRUE;
  }

  int ExitInstance() override {
    int nFailures = 0;
    if (m_pLab != NULL) {
      for (const std::string& s : m_pLab->m_log)
        std::printf("%s\n", s.c_str());
      nFailures = m_pLab->m_nFailures;
      if (m_bSelfTest && m_pLab->m_nStep < 4) {
        std::printf("FAIL the script stopped at step %d\n", m_pLab->m_nStep);
        ++nFailures;
      }
      delete m_pLab;
      m_pLab = NULL;
    }
    CWinApp::ExitInstance();
    std::fflush(stdout);
    return nFailures;
  }
};

CLabApp theApp;

} // namespace
