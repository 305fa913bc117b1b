// fwlab: a small MDI application on the framework, started through the framework's own WinMain:
// a frame with a status bar, plain bars docked on three sides and one floating, and two documents
// in child frames. With "/selftest" it drives itself with real input (SendInput) and posted
// messages, checks what its handlers saw, saves a screenshot and exits with the number of failed
// checks.
#include "framework/fw.h"
#include "tests/harness/lab_support.h"
#include "tests/harness/fwlab_res.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

enum { IDC_LAB_BUTTON = 1001, IDC_LAB_EDIT, UM_STEP = WM_APP + 100 };

std::vector<std::string> g_log;
int g_nSteps = 0;
bool Logged(const char* entry) { return std::find(g_log.begin(), g_log.end(), entry) != g_log.end(); }
void Check(bool ok, const char* what) { g_log.push_back(std::string(ok ? "ok   " : "FAIL ") + what); }

void SendInputs(std::vector<INPUT> in) {
  ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void SendClick(CWnd& wnd) {
  CRect rc;
  wnd.GetWindowRect(&rc);
  std::vector<INPUT> in(3);
  const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; i++) {
    in[i].type = INPUT_MOUSE;
    in[i].mi.dx = rc.CenterPoint().x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in[i].mi.dy = rc.CenterPoint().y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE;
  }
  SendInputs(in);
}

void SendKey(WORD vk) {
  std::vector<INPUT> in(2);
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInputs(in);
}

class CLabDoc : public CDocument {
  DECLARE_DYNCREATE(CLabDoc)
};
IMPLEMENT_DYNCREATE(CLabDoc, CDocument)

// A view with a button and an edit, tinted per document.
class CLabView : public CView {
  DECLARE_DYNCREATE(CLabView)
public:
  CWnd m_button, m_edit;
  void OnDraw(CDC* pDC) override {
    CRect rc;
    GetClientRect(rc);
    pDC->FillSolidRect(rc, GetDocument()->GetTitle() == "Lab1" ? RGB(210, 230, 255) : RGB(255, 235, 200));
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(10, 80, GetDocument()->GetTitle());
  }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (CView::OnCreate(cs) == -1)
      return -1;
    m_button.Create("BUTTON", "Press", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), this,
                    IDC_LAB_BUTTON);
    m_edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(10, 48, 160, 70), this,
                    IDC_LAB_EDIT);
    return 0;
  }
  afx_msg void OnButton() { g_log.push_back("button"); }
  afx_msg void OnEditChange() { g_log.push_back("edit-change"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLabView, CView)

BEGIN_MESSAGE_MAP(CLabView, CView)
ON_WM_CREATE()
ON_BN_CLICKED(IDC_LAB_BUTTON, OnButton)
ON_EN_CHANGE(IDC_LAB_EDIT, OnEditChange)
END_MESSAGE_MAP()

class CLabChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CLabChild)
};
IMPLEMENT_DYNCREATE(CLabChild, CMDIChildWnd)

// A plain bar of one size that names itself.
class CLabBar : public CControlBar {
public:
  CSize m_size;
  CSize CalcDynamicLayout(int, DWORD dwMode) override {
    return dwMode & LM_HORZ ? m_size : CSize(m_size.cy, m_size.cx);
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  void DoPaint(CDC* pDC) override {
    CControlBar::DoPaint(pDC);
    CString name;
    GetWindowText(name);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(14, 4, name);
  }
};

class CLabFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CLabFrame)
public:
  CStatusBar m_status;
  CLabBar m_bars[4];
  HMENU m_hDocMenu = NULL;
  std::vector<CLabChild*> m_children;
  int m_nIdleUpdates = 0, m_nWaitTicks = 0;
  std::function<bool()> m_waitDone;
  const char* m_waitWhat = "";

  ~CLabFrame() override {
    if (m_hDocMenu != NULL)
      ::DestroyMenu(m_hDocMenu);
  }
  CLabView* ActiveView() {
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != NULL ? static_cast<CLabView*>(pChild->GetActiveView()) : NULL;
  }
  void OpenDocument(LPCSTR lpszTitle) {
    CLabDoc* pDoc = new CLabDoc;
    pDoc->m_strTitle = lpszTitle;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CLabView);
    context.m_pCurrentDoc = pDoc;
    CLabChild* pChild = new CLabChild;
    pChild->m_hMenuShared = m_hDocMenu;
    if (pChild->LoadFrame(IDR_LAB_DOC, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, this, &context))
      pChild->InitialUpdateFrame(pDoc, TRUE);
  }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
      return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_status.Create(this) || !m_status.SetIndicators(indicators, 3))
      return -1;
    const struct {
      DWORD dwStyle;
      LPCSTR name;
      CSize size;
    } bars[4] = {{CBRS_TOP, "top bar", {220, 26}},
                 {CBRS_LEFT, "left", {120, 40}},
                 {CBRS_BOTTOM, "bottom bar", {260, 24}},
                 {CBRS_TOP, "floating bar", {180, 30}}};
    LPCSTR cls =
        AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EnableDocking(CBRS_ALIGN_ANY);
    for (int i = 0; i < 4; i++) {
      m_bars[i].m_size = bars[i].size;
      m_bars[i].m_dwStyle = bars[i].dwStyle | CBRS_GRIPPER;
      if (!m_bars[i].Create(cls, bars[i].name, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, 0xE810 + i))
        return -1;
      m_bars[i].EnableDocking(CBRS_ALIGN_ANY);
      if (i < 3)
        DockControlBar(&m_bars[i]);
    }
    return 0;
  }
  afx_msg void OnLabCommand() { g_log.push_back("command"); }
  afx_msg void OnLabDisabled() { g_log.push_back("disabled-ran"); }
  afx_msg void OnUpdateLabDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam) {
    ++m_nIdleUpdates;
    return OnIdleUpdateCmdUIMessage(wParam, lParam);
  }

  // Each step acts, then waits (on a timer, bounded) for what it caused before checking it.
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    CLabView* pView = ActiveView();
    switch (g_nSteps++) {
    case 0:
      Check(pView != NULL && pView->GetDocument()->GetTitle() == "Lab2",
            "the second document's child is active");
      Check(::GetMenu(m_hWnd) == m_hDocMenu, "the active child's menu is the frame's");
      SetForegroundWindow();
      if (pView != NULL)
        SendClick(pView->m_button);
      WaitFor([] { return Logged("button"); }, "a real click reaches the view's ON_BN_CLICKED");
      break;
    case 1:
      if (pView != NULL)
        pView->m_edit.SetFocus();
      SendKey('A');
      WaitFor([] { return Logged("edit-change"); }, "typing into the edit reaches ON_EN_CHANGE");
      break;
    case 2:
      PostMessage(WM_COMMAND, ID_LAB_COMMAND, 0);
      PostMessage(WM_COMMAND, ID_LAB_DISABLED, 0);
      WaitFor([] { return Logged("command"); }, "a posted menu command reaches the frame through the child");
      break;
    case 3:
      Check(!Logged("disabled-ran"), "a command its update handler disabled is dropped");
      Check(m_nIdleUpdates > 0, "the idle pass reaches the frame");
      Check(m_bars[3].IsFloating() && m_bars[3].GetParentFrame()->IsWindowVisible(), "one bar floats");
      Check(m_status.GetPaneText(0) == "Ready", "the status bar shows the idle text");
      {
        // The floating bar's frame stands beside the main window; the picture takes both.
        CRect rcMain, rcMini;
        GetWindowRect(rcMain);
        m_bars[3].GetParentFrame()->GetWindowRect(rcMini);
        rcMain.UnionRect(rcMain, rcMini);
        lab::SaveScreenshot(rcMain, "fwlab");
      }
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
  afx_msg void OnExit() { PostMessage(WM_CLOSE); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLabFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CLabFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_COMMAND(ID_LAB_COMMAND, OnLabCommand)
ON_COMMAND(ID_LAB_DISABLED, OnLabDisabled)
ON_UPDATE_COMMAND_UI(ID_LAB_DISABLED, OnUpdateLabDisabled)
ON_COMMAND(ID_APP_EXIT, OnExit)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
ON_MESSAGE(UM_STEP, OnStep)
END_MESSAGE_MAP()

class CLabApp : public CWinApp {
public:
  CLabApp() : CWinApp("fwlab") {}
  BOOL m_bSelfTest = FALSE;

  BOOL InitInstance() override {
    m_bSelfTest = m_lpCmdLine != NULL && std::strstr(m_lpCmdLine, "/selftest") != NULL;
    if (m_bSelfTest)
      lab::BoundSelfTest("fwlab", 80);
    CLabFrame* pFrame = new CLabFrame;
    pFrame->m_hDocMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_LAB_DOC));
    if (!pFrame->LoadFrame(IDR_LAB))
      return FALSE;
    m_pMainWnd = pFrame;
    pFrame->SetWindowPos(NULL, 30, 30, 760, 520, SWP_NOZORDER | SWP_SHOWWINDOW);
    pFrame->FloatControlBar(&pFrame->m_bars[3], CPoint(810, 120));
    pFrame->OpenDocument("Lab1");
    pFrame->OpenDocument("Lab2");
    pFrame->MDITile(MDITILE_VERTICAL);
    pFrame->UpdateWindow();
    if (m_bSelfTest)
      pFrame->PostMessage(UM_STEP);
    return TRUE;
  }

  int ExitInstance() override {
    int nFailures = 0;
    Check(!m_bSelfTest || g_nSteps >= 4, "the script ran to its last step");
    for (const std::string& s : g_log) {
      std::printf("%s\n", s.c_str());
      nFailures += s.compare(0, 4, "FAIL") == 0;
    }
    // The bound's verdict, if it came.
    nFailures += lab::FinishSelfTest(false);
    CWinApp::ExitInstance();
    std::fflush(stdout);
    return nFailures;
  }
};

CLabApp theApp;

} // namespace
