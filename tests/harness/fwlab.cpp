// fwlab: a small application on the framework, started through the framework's own WinMain.
// With "/selftest" it drives itself with real input (SendInput) and posted messages, checks
// what its handlers saw, saves a screenshot and exits with the number of failed checks.
#include "framework/fw.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

enum { IDC_LAB_BUTTON = 1001, IDC_LAB_EDIT, ID_LAB_COMMAND = 40100, ID_LAB_DISABLED, UM_STEP = WM_APP + 100 };

void SendClick(CWnd& wnd) {
  CRect rc;
  wnd.GetWindowRect(&rc);
  const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  INPUT in[3] = {};
  for (int i = 0; i < 3; i++) {
    in[i].type = INPUT_MOUSE;
    in[i].mi.dx = rc.CenterPoint().x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in[i].mi.dy = rc.CenterPoint().y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE;
  }
  ::SendInput(3, in, sizeof(INPUT));
}

void SendKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

// Saves what the screen shows of the window as a bitmap file, when artifacts are wanted.
void SaveScreenshot(CWnd& wnd) {
  const char* pszDir = std::getenv("PIX_ARTIFACTS");
  if (pszDir == NULL)
    return;
  std::string path = std::string("Z:") + pszDir;
  ::CreateDirectoryA(path.c_str(), NULL);
  CRect rc;
  wnd.GetWindowRect(&rc);
  CWindowDC screen(NULL);
  CDC mem;
  mem.CreateCompatibleDC(&screen);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&screen, rc.Width(), rc.Height());
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.BitBlt(0, 0, rc.Width(), rc.Height(), &screen, rc.left, rc.top, SRCCOPY);
  mem.SelectObject(pOld);
  BITMAPINFOHEADER bih = {sizeof(bih), rc.Width(), rc.Height(), 1, 24};
  std::vector<BYTE> bits(((rc.Width() * 3 + 3) & ~3) * rc.Height());
  ::GetDIBits(mem.GetSafeHdc(), bmp, 0, rc.Height(), bits.data(), reinterpret_cast<BITMAPINFO*>(&bih),
              DIB_RGB_COLORS);
  BITMAPFILEHEADER bf = {0x4D42, DWORD(sizeof(bf) + sizeof(bih) + bits.size()), 0, 0,
                         sizeof(bf) + sizeof(bih)};
  if (FILE* f = std::fopen((path + "/fwlab.bmp").c_str(), "wb")) {
    std::fwrite(&bf, sizeof(bf), 1, f);
    std::fwrite(&bih, sizeof(bih), 1, f);
    std::fwrite(bits.data(), bits.size(), 1, f);
    std::fclose(f);
  }
}

class CLabWnd : public CWnd {
public:
  std::vector<std::string> m_log;
  int m_nIdleUpdates = 0;
  int m_nStep = 0;
  std::function<bool()> m_waitDone;
  const char* m_waitWhat = "";
  int m_nWaitTicks = 0;
  CWnd m_button;
  CWnd m_edit;

  BOOL CreateLab() {
    CMenu menu, popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_LAB_COMMAND, "&Command");
    popup.AppendMenu(MF_STRING, ID_LAB_DISABLED, "&Disabled");
    popup.AppendMenu(MF_STRING, ID_APP_EXIT, "E&xit");
    menu.CreateMenu();
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), "&Lab");
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, cls, "fwlab", WS_OVERLAPPEDWINDOW, 40, 40, 420, 260, NULL, menu.Detach());
  }

  void Check(bool ok, const char* what) { m_log.push_back(std::string(ok ? "ok   " : "FAIL ") + what); }

  bool Logged(const char* entry) const { return std::find(m_log.begin(), m_log.end(), entry) != m_log.end(); }

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
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(160, 30, CString("framework lab"));
  }

  // Each step acts, then waits (on a timer, bounded) for what it caused before checking it.
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
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
    }
    return 0;
  }

  void WaitFor(std::function<bool()> done, const char* what) {
    m_waitDone = std::move(done);
    m_waitWhat = what;
    m_nWaitTicks = 0;
    SetTimer(1, 10, NULL);
  }

  afx_msg void OnTimer(UINT) {
    // Input goes through the X server, so its effect arrives later; give it up to three seconds.
    bool bDone = m_waitDone();
    if (!bDone && ++m_nWaitTicks < 300)
      return;
    KillTimer(1);
    Check(bDone, m_waitWhat);
    PostMessage(UM_STEP);
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
      m_pLab->Check(!m_bSelfTest || m_pLab->m_nStep >= 4, "the script ran to its last step");
      for (const std::string& s : m_pLab->m_log) {
        std::printf("%s\n", s.c_str());
        nFailures += s.compare(0, 4, "FAIL") == 0;
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
