// Dialogs: modal and modeless dialogs from resource or in-memory templates, template editing and
// DLGINIT data, dialog data exchange, the common dialogs and property sheets.
//
// Every dialog window is attached to its object by the creation hook, so the object's message map
// sees the dialog's messages before the dialog manager does. WM_INITDIALOG reaches OnInitDialog
// once, from the framework's dialog procedure.
#pragma once

#include "framework/app/fw_app.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"

#include <commdlg.h>
#include <prsht.h>

#include <string>
#include <vector>

// Runs DLGINIT data on pWnd's children: records of control id (WORD, 0 ends), message (WORD),
// length (DWORD) and data. Sends WM_INITIALUPDATE to the direct children after a complete run.
// Answers FALSE when a control refused an item. A missing resource is a complete, empty run.
BOOL AFXAPI AfxExecuteDlgInit(CWnd* pWnd, LPCSTR lpszResourceName);
BOOL AFXAPI AfxExecuteDlgInit(CWnd* pWnd, void* lpResource);

// ---------------------------------------------------------------------------------------------

// Re-enables the owner a modal dialog disabled, whatever way a modal run leaves.
class CModalOwner {
public:
  explicit CModalOwner(HWND hWndOwner) : m_hWndOwner(NULL) {
    if (hWndOwner != NULL && hWndOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hWndOwner)) {
      ::EnableWindow(hWndOwner, FALSE);
      m_hWndOwner = hWndOwner;
    }
  }
  ~CModalOwner() { Restore(); }
  CModalOwner(const CModalOwner&) = delete;
  CModalOwner& operator=(const CModalOwner&) = delete;
  void Restore() {
    if (m_hWndOwner != NULL)
      ::EnableWindow(m_hWndOwner, TRUE);
    m_hWndOwner = NULL;
  }

private:
  HWND m_hWndOwner;
};

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  CDialog();
  explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  ~CDialog() override;

  // Sets up DoModal with a template in memory; the caller keeps the template alive.
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);
  BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

  // Answers the code given to EndDialog, or -1 when the template is missing or creation failed.
  virtual INT_PTR DoModal();

  // Modeless creation. A NULL parent means the main window; a template with WS_CHILD makes a
  // child dialog. Fails (and leaves no window) when OnInitDialog ended the dialog.
  virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                              void* lpDialogInit = NULL);
  virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

  // Base: runs DLGINIT, then UpdateData(FALSE); either failing ends the dialog with -1.
  virtual BOOL OnInitDialog();
  virtual void OnSetFont(CFont* pFont);
  // Base OnOK validates with UpdateData(TRUE) and ends with IDOK; base OnCancel ends with IDCANCEL.
  virtual void OnOK();
  virtual void OnCancel();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  void EndDialog(int nResult);
  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
  DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
  void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

  BOOL ExecuteDlgInit(LPCSTR lpszResourceName) { return AfxExecuteDlgInit(this, lpszResourceName); }
  BOOL ExecuteDlgInit(void* lpResource) { return AfxExecuteDlgInit(this, lpResource); }

  LPCSTR m_lpszTemplateName; // resource name or MAKEINTRESOURCE id
  UINT m_nIDHelp;
  HGLOBAL m_hDialogTemplate;         // indirect template handle (not owned)
  LPCDLGTEMPLATE m_lpDialogTemplate; // indirect template (not owned)
  void* m_lpDialogInit;              // DLGINIT data for an indirect template
  CWnd* m_pParentWnd;
  HWND m_hWndTop; // top-level window disabled while the dialog is modal

protected:
  // Creates the dialog window from a template under the creation hook. A template without
  // WS_VISIBLE stays hidden; DoModal passes such a copy.
  virtual BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
  // The owner DoModal uses (disables the top-level window when it is not the owner).
  HWND PreModal();
  void PostModal();
  // Stores a template name (a copy for string names) in m_lpszTemplateName.
  void SetTemplateName(LPCSTR lpszTemplateName);

  afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  std::string m_strTemplateName; // keeps a string template name alive
};

// The framework's dialog procedure: answers WM_INITDIALOG by calling the object's OnInitDialog.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------------------------
// In-memory dialog templates: DLGTEMPLATE and DLGTEMPLATEEX. Items are copied unchanged.

class CDialogTemplate {
public:
  explicit CDialogTemplate(const DLGTEMPLATE* pTemplate = NULL);
  explicit CDialogTemplate(HGLOBAL hTemplate);
  ~CDialogTemplate() = default;
  CDialogTemplate(const CDialogTemplate&) = delete;
  CDialogTemplate& operator=(const CDialogTemplate&) = delete;

  BOOL Load(LPCSTR lpDialogTemplateID);
  BOOL Load(UINT nIDTemplate) { return Load(MAKEINTRESOURCEA(nIDTemplate)); }
  BOOL SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb);
  // A global copy of the template, owned by the caller; this object becomes empty.
  HGLOBAL Detach();
  const DLGTEMPLATE* GetTemplate() const {
    return m_data.empty() ? NULL : reinterpret_cast<const DLGTEMPLATE*>(m_data.data());
  }
  UINT GetTemplateSize() const { return (UINT)m_data.size(); }
  BOOL IsEx() const;

  BOOL HasFont() const;
  BOOL GetFont(CString& strFaceName, WORD& nFontSize) const;
  BOOL SetFont(LPCSTR lpFaceName, WORD nFontSize);
  // The face of the default GUI font; size 0 takes that font's size.
  BOOL SetSystemFont(WORD nFontSize = 0);
  void GetSizeInDialogUnits(SIZE* pSize) const;
  void GetSizeInPixels(SIZE* pSize) const;

  DWORD GetStyle() const;
  void SetStyle(DWORD dwStyle);
  void ModifyStyle(DWORD dwRemove, DWORD dwAdd) { SetStyle((GetStyle() & ~dwRemove) | dwAdd); }
  DWORD GetExStyle() const;
  void SetExStyle(DWORD dwExStyle);
  void ModifyStyleEx(DWORD dwRemove, DWORD dwAdd) { SetExStyle((GetExStyle() & ~dwRemove) | dwAdd); }

  static BOOL AFXAPI GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize);
  // Size in bytes of a template walked to the end of its last item.
  static UINT AFXAPI GetTemplateSize(const DLGTEMPLATE* pTemplate);

  BOOL m_bSystemFont;

private:
  std::vector<BYTE> m_data;
};

// ---------------------------------------------------------------------------------------------
// Dialog data exchange

class CDataExchange {
public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate; // TRUE: controls to members (and validation)
  CWnd* m_pDlgWnd;
  int m_idLastControl; // the control DDV messages and Fail refer to
  HWND m_hWndLastControl;
  BOOL m_bEditLastControl;

  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Puts the focus on the last control prepared and abandons the exchange (CUserException).
  [[noreturn]] void Fail();
};

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of its group; value is the index of the checked one or -1.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
// Validates the length on save; limits the last edit or combo box to nChars on load.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);

// ---------------------------------------------------------------------------------------------
// Common dialogs

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
public:
  explicit CCommonDialog(CWnd* pParentWnd);

  // The system dialog ends itself; these only run for dialogs driven through the map.
  void OnOK() override;
  void OnCancel() override;
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
public:
  // lpszFilter pairs "text|pattern|"..., ending with "||".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = NULL, LPCSTR lpszFileName = NULL,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = NULL,
                       CWnd* pParentWnd = NULL);

  OPENFILENAMEA m_ofn; // filled before DoModal; nFilterIndex and lpstrInitialDir may be set

  // IDOK or IDCANCEL. Without a hook of the caller's, the dialog refuses with a message a name
  // whose path is longer than the platform's dialog can hold, and keeps the name to be shortened.
  INT_PTR DoModal() override;

  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Multi-selection: iterates the chosen files as full paths.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

protected:
  BOOL m_bOpenFileDialog;
  std::string m_strFilter; // NUL-separated
  std::string m_strDefExt;
  char m_szFileTitle[MAX_PATH];
  std::vector<char> m_fileBuffer;
};

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

  CHOOSECOLORA m_cc;

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr);
  // The sixteen custom colours, shared by every colour dialog of the process.
  static COLORREF* AFXAPI GetSavedCustomColors();
};

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* pParentWnd = NULL);
  // Deletes the printer DC the dialog created (m_pd.hDC), and device handles it obtained itself
  // that nobody took over.
  ~CPrintDialog() override;

  PRINTDLGA m_pd;

  // Starts from the application's printer selection and stores the result back there.
  INT_PTR DoModal() override;
  // The default printer without a dialog.
  BOOL GetDefaults();
  HDC CreatePrinterDC();
  // The DC stays owned by this dialog until the caller sets m_pd.hDC to NULL.
  HDC GetPrinterDC() const { return m_pd.hDC; }

  int GetCopies() const;
  BOOL GetDefaults(PRINTDLGA* pPD) const;
  LPDEVMODEA GetDevMode() const;
  CString GetDriverName() const;
  CString GetDeviceName() const;
  CString GetPortName() const;
  int GetFromPage() const;
  int GetToPage() const;
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }

private:
  CString DevNamesString(int nWhich) const;
  BOOL m_bOwnDevHandles;
};

// ---------------------------------------------------------------------------------------------
// Property sheets

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
  void Construct(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
  // A page from a template in memory; the caller keeps the template alive.
  void ConstructIndirect(LPCDLGTEMPLATE lpDialogTemplate, LPCSTR lpszCaption = NULL);

  // Page structure handed to the sheet: template, the framework's page procedure and callback,
  // lParam = this. dwSize is the version-1 size.
  PROPSHEETPAGEA m_psp;

  // Asks the sheet to enable or disable Apply for this page.
  void SetModified(BOOL bChanged = TRUE);
  void CancelToClose();
  LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

  // PSN_SETACTIVE: the base refreshes the controls (UpdateData(FALSE)) except on the page's first
  // activation, which follows OnInitDialog's own exchange.
  virtual BOOL OnSetActive();
  // PSN_KILLACTIVE: the base validates with UpdateData(TRUE).
  virtual BOOL OnKillActive();
  // PSN_APPLY: the base calls OnOK and answers TRUE.
  virtual BOOL OnApply();
  // PSN_RESET: the base calls OnCancel.
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  void OnOK() override;
  void OnCancel() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  // The map first; then PSN_ notifications from this page or its sheet.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  CPropertySheet* GetParentSheet() const;

  CString m_strCaption;
  BOOL m_bFirstSetActive;

private:
  void CommonConstruct(LPCSTR lpszTemplateName, UINT nIDCaption);
  friend class CPropertySheet;
  friend INT_PTR CALLBACK AfxPropPageProc(HWND, UINT, WPARAM, LPARAM);
};

// The page procedure: attaches the page at WM_INITDIALOG when the page callback did not, then
// calls OnInitDialog once.
INT_PTR CALLBACK AfxPropPageProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

class CPropertySheet : public CWnd {
  DECLARE_DYNCREATE(CPropertySheet)
public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  void Construct(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

  // dwSize is the version-1 size; callers may add flags such as PSH_NOAPPLYNOW before creation.
  PROPSHEETHEADERA m_psh;

  // Modal: created modelessly, hidden until the first idle moment, run with RunModalLoop with the
  // owner disabled. Answers IDOK when the sheet closed with OK, else IDCANCEL (or the code given
  // to EndDialog).
  virtual INT_PTR DoModal();
  // Modeless. dwStyle (DWORD)-1 takes a captioned pop-up; WS_CHILD makes a child sheet inside
  // pParentWnd. A modeless sheet hides its OK, Cancel, Apply and Help buttons and shrinks to
  // exclude them.
  virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const;
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  // A temporary wrapper of the sheet's tab control.
  CTabCtrl* GetTabControl() const;
  void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
  void PressButton(int nButton) { ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, nButton, 0); }
  void EndDialog(int nEndID);
  BOOL IsModeless() const { return m_bModeless; }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ContinueModal() override;

protected:
  afx_msg LRESULT HandleKickIdle(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  CString m_strCaption;
  CWnd* m_pParentWnd;
  BOOL m_bModeless;

private:
  void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
  // Creates the sheet window (always modeless for the platform) with the given style; (DWORD)-1
  // keeps the platform's style.
  BOOL CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle, BOOL bHideUntilIdle);
  void HideStandardButtons();
  // A page-creation hook still armed after the platform call (the page was not created) is
  // disarmed so that it cannot catch an unrelated window.
  void DisarmPageHook();

  std::vector<CPropertyPage*> m_pages;
  std::vector<BYTE> m_pageArray; // version-1 PROPSHEETPAGE records handed to the platform
  DWORD m_dwCreateStyle;
  DWORD m_dwCreateExStyle;
  BOOL m_bHideUntilIdle;
  BOOL m_bEnded;
  friend int CALLBACK AfxPropSheetCallback(HWND, UINT, LPARAM);
};

int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT nMsg, LPARAM lParam);
