// The program's entry point and the start-up and shut-down of the framework.
#include "framework/app/fw_app.h"
#include "framework/core/fw_state.h"
#include "framework/app/appimpl.h"
#include "framework/res/fw_res.h"

#include <objbase.h>

namespace {
BOOL g_bOleInitialized = FALSE;
} // namespace

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  AfxSetInstanceHandle(hInstance);
  AfxSetResourceHandle(hInstance);
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL) {
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (pApp->m_pszAppName == NULL) {
      CString strTitle;
      if (strTitle.LoadString(AFX_IDS_APP_TITLE))
        pApp->m_pszAppName = AfxAllocAppString(strTitle);
    }
    if (pApp->m_pszExeName == NULL) {
      pApp->m_pszExeName = AfxAllocAppString(AfxModuleTitle(hInstance));
    }
  }
  return TRUE;
}

void AfxWinTerm() {
  AfxDeleteTempMaps();
  AfxOleTerm();
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  int nReturnCode = -1;
  CWinApp* pApp = AfxGetApp();
  try {
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || pApp == NULL) {
      AfxWinTerm();
      return -1;
    }
    if (!pApp->InitApplication() || !pApp->InitInstance()) {
      if (pApp->m_pMainWnd != NULL)
        pApp->m_pMainWnd->DestroyWindow();
      nReturnCode = pApp->ExitInstance();
    } else {
      nReturnCode = pApp->Run();
    }
  } catch (CException* e) {
    e->ReportError(MB_ICONSTOP, 0);
    e->Delete();
  } catch (...) {
    ::MessageBoxA(NULL, "An unexpected error ended the program.", AfxGetAppName(), MB_ICONSTOP);
  }
  AfxWinTerm();
  return nReturnCode;
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

BOOL AfxOleInit() {
  if (g_bOleInitialized)
    return TRUE;
  if (FAILED(::OleInitialize(NULL)))
    return FALSE;
  g_bOleInitialized = TRUE;
  return TRUE;
}

BOOL AfxOleIsInitialized() { return g_bOleInitialized; }

void AfxOleTerm(BOOL bJustRevoke) {
  if (!bJustRevoke && g_bOleInitialized) {
    ::OleUninitialize();
    g_bOleInitialized = FALSE;
  }
}

void AfxEnableControlContainer() {}
