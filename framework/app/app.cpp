// The application object: start-up and exit, message boxes, the wait cursor, resources and
// the shell command line.
#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/core/fw_state.h"
#include "framework/app/appimpl.h"
#include "framework/res/fw_res.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = NULL;
CString g_strAppNameFallback;
AFX_MSGBOX_HOOK g_pfnMessageBoxHook = NULL;

// Calls f for every top-level window of this process, in z order.
template <class F> void ForEachProcessTopLevelWindow(F f) {
  DWORD dwPid = ::GetCurrentProcessId();
  for (HWND hWnd = ::GetTopWindow(NULL); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    DWORD dwOwnerPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwOwnerPid);
    if (dwOwnerPid == dwPid)
      f(hWnd);
  }
}

// The icon a message box of that kind shows when the caller chose none.
UINT AddDefaultIcon(UINT nType) {
  if ((nType & MB_ICONMASK) != 0)
    return nType;
  switch (nType & MB_TYPEMASK) {
  case MB_OK:
  case MB_OKCANCEL:
    return nType | MB_ICONEXCLAMATION;
  case MB_YESNO:
  case MB_YESNOCANCEL:
    return nType | MB_ICONQUESTION;
  default:
    return nType;
  }
}
} // namespace

LPSTR AfxAllocAppString(LPCSTR psz) {
  size_t n = lstrlenA(psz) + 1;
  LPSTR p = static_cast<LPSTR>(malloc(n));
  if (p == NULL)
    AfxThrowMemoryException();
  memcpy(p, psz, n);
  return p;
}

CString AfxModuleTitle(HMODULE hModule) {
  const CString strName = AfxFileNameOf(AfxGetModuleFileName(hModule));
  const int nDot = strName.ReverseFind('.');
  return nDot >= 0 ? strName.Left(nDot) : strName;
}

void AfxSetThread(CWinThread* pThread);

CWinApp* AfxGetApp() { return g_pApp; }

LPCSTR AfxGetAppName() {
  if (g_pApp != NULL && g_pApp->m_pszAppName != NULL)
    return g_pApp->m_pszAppName;
  if (g_strAppNameFallback.IsEmpty() && !g_strAppNameFallback.LoadString(AFX_IDS_APP_TITLE))
    g_strAppNameFallback = "Application";
  return g_strAppNameFallback;
}

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(lpszAppName != NULL ? AfxAllocAppString(lpszAppName) : NULL), m_pszExeName(NULL),
      m_pszHelpFilePath(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_pRecentFileList(NULL),
      m_pDocManager(NULL), m_hDevMode(NULL), m_hDevNames(NULL), m_bHelpMode(FALSE), m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(NULL), m_atomApp(0), m_atomSystemTopic(0) {
  g_pApp = this;
  AfxSetThread(this);
}

CWinApp::~CWinApp() {
  DestroyDocManager();
  delete m_pRecentFileList;
  if (m_hDevMode != NULL)
    ::GlobalFree(m_hDevMode);
  if (m_hDevNames != NULL)
    ::GlobalFree(m_hDevNames);
  if (m_atomApp != 0)
    ::GlobalDeleteAtom(m_atomApp);
  if (m_atomSystemTopic != 0)
    ::GlobalDeleteAtom(m_atomSystemTopic);
  free(const_cast<LPSTR>(m_pszAppName));
  free(const_cast<LPSTR>(m_pszExeName));
  free(const_cast<LPSTR>(m_pszHelpFilePath));
  free(const_cast<LPSTR>(m_pszRegistryKey));
  free(const_cast<LPSTR>(m_pszProfileName));
  if (g_pApp == this)
    g_pApp = NULL;
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return (int)AfxGetThreadState()->m_msgCur.wParam;
}

int CWinApp::Run() {
  if (m_pMainWnd == NULL && AfxGetThreadState()->m_frameList.empty())
    ::PostQuitMessage(0); // nothing would ever end the loop
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

BOOL CWinApp::OnDDECommand(LPSTR) { return FALSE; }

void CWinApp::WinHelp(DWORD_PTR, UINT) {}

void CWinApp::HideApplication() {
  if (m_pMainWnd == NULL || m_pMainWnd->m_hWnd == NULL)
    return;
  // Hide the main window's pop-ups as well, so nothing of the program stays on screen.
  HWND hWndMain = m_pMainWnd->m_hWnd;
  ForEachProcessTopLevelWindow([hWndMain](HWND hWnd) {
    if (::GetWindow(hWnd, GW_OWNER) == hWndMain)
      ::ShowWindow(hWnd, SW_HIDE);
  });
  m_pMainWnd->ShowWindow(SW_HIDE);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
  nType = AddDefaultIcon(nType);
  if (g_pfnMessageBoxHook != NULL)
    return g_pfnMessageBoxHook(lpszPrompt, nType, nIDPrompt);

  HWND hWndTop = NULL;
  HWND hWnd = CWnd::GetSafeOwner_(NULL, &hWndTop);
  // The application's other top-level windows stay disabled while the box is up.
  std::vector<HWND> disabled;
  if (m_pMainWnd != NULL) {
    ForEachProcessTopLevelWindow([&](HWND h) {
      if (h != hWnd && h != hWndTop && ::IsWindowVisible(h) && ::IsWindowEnabled(h) &&
          CWnd::FromHandlePermanent(h) != NULL) {
        ::EnableWindow(h, FALSE);
        disabled.push_back(h);
      }
    });
  }
  int nResult = ::MessageBoxA(hWnd, lpszPrompt, AfxGetAppName(), nType);
  for (HWND h : disabled)
    ::EnableWindow(h, TRUE);
  if (hWndTop != NULL)
    ::EnableWindow(hWndTop, TRUE);
  return nResult;
}

AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfn) {
  AFX_MSGBOX_HOOK pfnOld = g_pfnMessageBoxHook;
  g_pfnMessageBoxHook = pfn;
  return pfnOld;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL)
    return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  // No application object: same defaults, same hook.
  nType = AddDefaultIcon(nType);
  if (g_pfnMessageBoxHook != NULL)
    return g_pfnMessageBoxHook(lpszText, nType, nIDHelp);
  return ::MessageBoxA(CWnd::GetSafeOwner_(NULL, NULL), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  if (!text.LoadString(nIDPrompt))
    text.Format("Message %u", nIDPrompt);
  if (nIDHelp == (UINT)-1)
    nIDHelp = nIDPrompt;
  return AfxMessageBox(text, nType, nIDHelp);
}

void CWinApp::DoWaitCursor(int nCode) {
  m_nWaitCursorCount += nCode;
  if (m_nWaitCursorCount > 0) {
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    if (nCode > 0 && m_nWaitCursorCount == 1)
      m_hcurWaitCursorRestore = hcurPrev;
  } else {
    m_nWaitCursorCount = 0;
    ::SetCursor(m_hcurWaitCursorRestore != NULL ? m_hcurWaitCursorRestore : ::LoadCursor(NULL, IDC_ARROW));
  }
}

int AfxGetWaitCursorCount() { return g_pApp != NULL ? g_pApp->m_nWaitCursorCount : 0; }

CWaitCursor::CWaitCursor() {
  if (AfxGetApp() != NULL)
    AfxGetApp()->DoWaitCursor(1);
}
CWaitCursor::~CWaitCursor() {
  if (AfxGetApp() != NULL)
    AfxGetApp()->DoWaitCursor(-1);
}
void CWaitCursor::Restore() {
  if (AfxGetApp() != NULL)
    AfxGetApp()->DoWaitCursor(0);
}

// ---------------------------------------------------------------------------------------------
// Resources

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
  return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(NULL, lpszIconName); }
HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const { return ::LoadIconA(NULL, MAKEINTRESOURCEA(nIDIcon)); }
HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const {
  return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_GROUP_CURSOR), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const {
  return ::LoadCursorA(NULL, lpszCursorName);
}
HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const {
  return ::LoadCursorA(NULL, MAKEINTRESOURCEA(nIDCursor));
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
  HINSTANCE hInst = AfxGetResourceHandle();
  if (::FindResourceA(hInst, lpszName, lpszType) != NULL)
    return hInst;
  return AfxGetInstanceHandle();
}

// ---------------------------------------------------------------------------------------------
// Commands

void CWinApp::OnAppExit() {
  if (m_pMainWnd != NULL)
    m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp() {}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (m_pRecentFileList == NULL)
    return FALSE;
  int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
  if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
    return FALSE;
  CString strPath = (*m_pRecentFileList)[nIndex];
  if (OpenDocumentFile(strPath) == NULL)
    m_pRecentFileList->Remove(nIndex);
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList == NULL) {
    pCmdUI->Enable(FALSE);
    return;
  }
  m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---------------------------------------------------------------------------------------------
// Shell

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  for (int i = 1; i < __argc; i++) {
    const char* pszParam = __argv[i];
    BOOL bFlag = FALSE;
    BOOL bLast = (i + 1 == __argc);
    if (pszParam[0] == '-' || pszParam[0] == '/') {
      bFlag = TRUE;
      ++pszParam;
    }
    rCmdInfo.ParseParam(pszParam, bFlag, bLast);
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
  case CCommandLineInfo::FileNew:
    OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL);
    return TRUE;
  case CCommandLineInfo::FileOpen:
    return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
  case CCommandLineInfo::AppUnregister:
  case CCommandLineInfo::FileNothing:
    return TRUE;
  default:
    return FALSE; // printing and DDE launches are not supported
  }
}

void CWinApp::EnableShellOpen() {
  if (m_atomApp != 0)
    return;
  // Files the shell opens arrive on the command line (RegisterShellFileTypes writes "%1"); the
  // atoms only record that the program takes shell requests, under the executable's name.
  m_atomApp = ::GlobalAddAtomA(AfxModuleTitle(AfxGetInstanceHandle()));
  m_atomSystemTopic = ::GlobalAddAtomA("system");
}

// ---------------------------------------------------------------------------------------------
// Printer defaults

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg) {
  UpdatePrinterSelection(m_hDevNames == NULL);
  if (m_hDevNames == NULL)
    return FALSE;
  pPrintDlg->hDevNames = m_hDevNames;
  pPrintDlg->hDevMode = m_hDevMode;
  return TRUE;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults) {
  if (!bForceDefaults && m_hDevNames != NULL)
    return;
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof(pd);
  pd.Flags = PD_RETURNDEFAULT;
  if (::PrintDlgA(&pd))
    SelectPrinter(pd.hDevNames, pd.hDevMode);
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld) {
  if (bFreeOld) {
    if (m_hDevNames != NULL && m_hDevNames != hDevNames)
      ::GlobalFree(m_hDevNames);
    if (m_hDevMode != NULL && m_hDevMode != hDevMode)
      ::GlobalFree(m_hDevMode);
  }
  m_hDevNames = hDevNames;
  m_hDevMode = hDevMode;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
  if (m_hDevNames == NULL)
    UpdatePrinterSelection(TRUE);
  if (m_hDevNames == NULL)
    return FALSE;
  LPDEVNAMES pNames = static_cast<LPDEVNAMES>(::GlobalLock(m_hDevNames));
  LPDEVMODEA pMode = m_hDevMode != NULL ? static_cast<LPDEVMODEA>(::GlobalLock(m_hDevMode)) : NULL;
  LPCSTR base = reinterpret_cast<LPCSTR>(pNames);
  HDC hDC = ::CreateDCA(base + pNames->wDriverOffset, base + pNames->wDeviceOffset,
                        base + pNames->wOutputOffset, pMode);
  ::GlobalUnlock(m_hDevNames);
  if (m_hDevMode != NULL)
    ::GlobalUnlock(m_hDevMode);
  return hDC != NULL && dc.Attach(hDC);
}
