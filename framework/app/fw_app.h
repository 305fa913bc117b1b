// The application object, its thread and message pump, the registry profile and the
// recent-file list.
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/wnd/fw_wnd.h"

class CDocTemplate;
class CDocManager;
class CDocument;
class CPrintDialog;
class CRecentFileList;

class CCommandLineInfo : public CObject {
public:
  CCommandLineInfo();
  ~CCommandLineInfo() override = default;

  virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash;
  BOOL m_bRunEmbedded;
  BOOL m_bRunAutomated;
  enum {
    FileNew,
    FileOpen,
    FilePrint,
    FilePrintTo,
    FileDDE,
    AppUnregister,
    FileNothing = -1
  } m_nShellCommand;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;
};

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
public:
  CWinThread();
  ~CWinThread() override;

  CWnd* m_pMainWnd;
  CWnd* m_pActiveWnd;
  BOOL m_bAutoDelete;
  HANDLE m_hThread;
  DWORD m_nThreadID;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
  virtual CWnd* GetMainWnd();

  operator HANDLE() const { return m_hThread; }

protected:
  // Last mouse move seen by IsIdleMessage: repeats at the same place do not re-arm idle work.
  POINT m_ptCursorLast;
  UINT m_nMsgLast;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
public:
  explicit CWinApp(LPCSTR lpszAppName = NULL);
  ~CWinApp() override;

  HINSTANCE m_hInstance;
  LPSTR m_lpCmdLine;
  int m_nCmdShow;
  LPCSTR m_pszAppName;
  LPCSTR m_pszExeName;
  LPCSTR m_pszHelpFilePath;
  LPCSTR m_pszRegistryKey;
  LPCSTR m_pszProfileName;
  CRecentFileList* m_pRecentFileList;
  CDocManager* m_pDocManager;
  HGLOBAL m_hDevMode;
  HGLOBAL m_hDevNames;
  BOOL m_bHelpMode;
  int m_nWaitCursorCount;
  HCURSOR m_hcurWaitCursorRestore;

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  virtual void DoWaitCursor(int nCode);
  virtual BOOL SaveAllModified();
  virtual void AddToRecentFileList(LPCSTR lpszPathName);
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  // Documents: the templates live in the document manager, made with the first template.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  void CloseAllDocuments(BOOL bEndSession);
  int GetOpenDocumentCount();
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);
  virtual BOOL OnDDECommand(LPSTR lpszCommand);
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

  // Registry profile under HKCU\Software\<key>\<profile>.
  void SetRegistryKey(LPCSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCSTR lpszSection);
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
  CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = NULL);
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();

  void HideApplication();

  // Shell
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  void EnableShellOpen();
  void RegisterShellFileTypes(BOOL bCompat = FALSE);

  // Printing
  BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
  virtual int DoPrintDialog(CPrintDialog* pPD);
  BOOL CreatePrinterDC(CDC& dc);
  void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
  void UpdatePrinterSelection(BOOL bForceDefaults);

  // Resources
  HICON LoadIcon(LPCSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCSTR lpszIconName) const;
  HICON LoadOEMIcon(UINT nIDIcon) const;
  HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
  HCURSOR LoadOEMCursor(UINT nIDCursor) const;

  // Command handlers the application maps by name.
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnAppExit();
  afx_msg void OnFilePrintSetup();
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  afx_msg void OnHelp();

protected:
  DECLARE_MESSAGE_MAP()
  void DestroyDocManager(); // with the document module, which knows the manager
  ATOM m_atomApp;
  ATOM m_atomSystemTopic;
};

// Owns the wait cursor for a scope.
class CWaitCursor {
public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();

private:
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

class CRecentFileList {
public:
  CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
  virtual ~CRecentFileList();

  int GetSize() const { return (int)m_arrNames.GetSize(); }
  CString& operator[](int nIndex) { return m_arrNames.ElementAt(nIndex); }
  virtual void Remove(int nIndex);
  virtual void Add(LPCSTR lpszPathName);
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  CStringArray m_arrNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
  CString m_strOriginal;
};

CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
LPCSTR AFXAPI AfxGetAppName();
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxPumpMessage();
// Takes the next message of hWnd within the filter, as PeekMessage with PM_REMOVE. The platform
// hands out a pending WM_QUIT whatever the filter, which a loop taking only some kinds of message
// would drop and the program would never end: the quit is posted again for the thread's own loop
// and FALSE answered, as for an empty queue.
BOOL AFXAPI AfxTakeMessage(MSG* pMsg, HWND hWnd, UINT nFilterMin, UINT nFilterMax);
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
BOOL AFXAPI AfxOleInit();
BOOL AFXAPI AfxOleIsInitialized();
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
void AFXAPI AfxEnableControlContainer();

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
