// Modal and modeless dialogs.
#include "framework/dlg/dlgimpl.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// Dialog procedure

BOOL AfxCallInitDialog(CDialog* pDlg, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  RECT rcBefore = {};
  ::GetWindowRect(hWnd, &rcBefore);
  BOOL bResult = FALSE;
  {
    // Default() inside OnInitDialog must see this message.
    CLastSentMsgScope scope(hWnd, WM_INITDIALOG, wParam, lParam);
    if (!AfxCallGuarded([&] { bResult = pDlg->OnInitDialog(); }))
      pDlg->EndDialog(-1);
  }

  if (::IsWindow(hWnd)) {
    // A modal dialog that did not place itself goes over its (disabled) owner.
    RECT rcAfter = {};
    ::GetWindowRect(hWnd, &rcAfter);
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
    if (!(dwStyle & WS_CHILD) && ::EqualRect(&rcBefore, &rcAfter) && hWndOwner != NULL &&
        !::IsWindowEnabled(hWndOwner) && pDlg->m_hWnd == hWnd)
      pDlg->CenterWindow();
  }
  return bResult;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg != WM_INITDIALOG)
    return FALSE;
  CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
  if (pDlg == NULL)
    return TRUE;
  return AfxCallInitDialog(pDlg, hWnd, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_hDialogTemplate(NULL), m_lpDialogTemplate(NULL),
      m_lpDialogInit(NULL), m_pParentWnd(NULL), m_hWndTop(NULL) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
  m_pParentWnd = pParentWnd;
  SetTemplateName(lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
  m_pParentWnd = pParentWnd;
  m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
  m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog() = default;

void CDialog::SetTemplateName(LPCSTR lpszTemplateName) {
  if (IS_INTRESOURCE(lpszTemplateName)) {
    m_lpszTemplateName = lpszTemplateName;
    if (lpszTemplateName != NULL && m_nIDHelp == 0)
      m_nIDHelp = LOWORD(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  } else if (lpszTemplateName != m_lpszTemplateName) {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName.c_str();
  }
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  m_lpDialogTemplate = lpDialogTemplate;
  m_hDialogTemplate = NULL;
  m_lpszTemplateName = NULL;
  m_lpDialogInit = lpDialogInit;
  m_pParentWnd = pParentWnd;
  return lpDialogTemplate != NULL;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  m_hDialogTemplate = hDialogTemplate;
  m_lpDialogTemplate = NULL;
  m_lpszTemplateName = NULL;
  m_pParentWnd = pParentWnd;
  return hDialogTemplate != NULL;
}

HWND CDialog::PreModal() { return CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop); }

void CDialog::PostModal() {
  if (m_hWndTop != NULL)
    ::EnableWindow(m_hWndTop, TRUE);
  m_hWndTop = NULL;
}

LPCDLGTEMPLATE AfxFindDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  *phInst = hInst;
  HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
  if (hResource == NULL)
    return NULL;
  HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
  return hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
}

namespace {
// Keeps a global template locked for a scope.
class CGlobalLock {
public:
  explicit CGlobalLock(HGLOBAL h) : m_h(h), m_p(h != NULL ? ::GlobalLock(h) : NULL) {}
  ~CGlobalLock() {
    if (m_p != NULL)
      ::GlobalUnlock(m_h);
  }
  CGlobalLock(const CGlobalLock&) = delete;
  CGlobalLock& operator=(const CGlobalLock&) = delete;
  void* Get() const { return m_p; }

private:
  HGLOBAL m_h;
  void* m_p;
};

} // namespace

INT_PTR CDialog::DoModal() {
  LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
  HINSTANCE hInst = AfxGetResourceHandle();
  CGlobalLock lock(m_lpszTemplateName == NULL ? m_hDialogTemplate : NULL);
  if (m_lpszTemplateName != NULL)
    lpTemplate = AfxFindDialogTemplate(m_lpszTemplateName, &hInst);
  else if (m_hDialogTemplate != NULL)
    lpTemplate = static_cast<LPCDLGTEMPLATE>(lock.Get());
  if (lpTemplate == NULL)
    return -1;

  // A hidden copy: the window appears only once the modal loop goes idle, so a dialog that ends
  // itself during OnInitDialog is never seen.
  CDialogTemplate hidden(lpTemplate);
  hidden.ModifyStyle(WS_VISIBLE, 0);

  HWND hWndParent = PreModal();
  m_nModalResult = -1;
  {
    CModalOwner ownerDisabled(hWndParent);
    try {
      if (CreateDlgIndirect(hidden.GetTemplate(), CWnd::FromHandle(hWndParent), hInst) &&
          (m_nFlags & WF_CONTINUEMODAL)) {
        DWORD dwFlags = MLF_SHOWONIDLE;
        if (GetStyle() & DS_NOIDLEMSG)
          dwFlags |= MLF_NOIDLEMSG;
        RunModalLoop(dwFlags);
      }
    } catch (...) {
      if (m_hWnd != NULL)
        DestroyWindow();
      PostModal();
      throw;
    }
    BOOL bWasActive = m_hWnd != NULL && ::GetActiveWindow() == m_hWnd;
    if (m_hWnd != NULL)
      SetWindowPos(NULL, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    ownerDisabled.Restore();
    if (bWasActive && hWndParent != NULL)
      ::SetActiveWindow(hWndParent);
  }
  if (m_hWnd != NULL)
    DestroyWindow();
  PostModal();
  return m_nModalResult;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (lpDialogTemplate == NULL)
    return FALSE;
  if (hInst == NULL)
    hInst = AfxGetResourceHandle();
  m_nModalResult = -1;
  // EndDialog clears the flag: if OnInitDialog ends the dialog, creation reports failure.
  m_nFlags |= WF_CONTINUEMODAL;
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc,
                                           reinterpret_cast<LPARAM>(this));
  if (!AfxUnhookWindowCreate()) {
    // The hook never saw the dialog, so OnInitDialog cannot have run.
    if (hWnd != NULL)
      ::DestroyWindow(hWnd);
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostNcDestroy();
    return FALSE;
  }
  if (hWnd == NULL)
    return FALSE;
  if (!(m_nFlags & WF_CONTINUEMODAL)) {
    if (m_hWnd != NULL)
      DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
  SetTemplateName(lpszTemplateName);
  if (pParentWnd == NULL)
    pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  HINSTANCE hInst = NULL;
  LPCDLGTEMPLATE lpTemplate = AfxFindDialogTemplate(m_lpszTemplateName, &hInst);
  if (lpTemplate == NULL)
    return FALSE;
  BOOL bResult = CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
  m_nFlags &= ~WF_CONTINUEMODAL;
  return bResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  if (pParentWnd == NULL)
    pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  m_lpDialogInit = lpDialogInit;
  m_lpszTemplateName = NULL;
  BOOL bResult = CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
  m_nFlags &= ~WF_CONTINUEMODAL;
  return bResult;
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  CGlobalLock lock(hDialogTemplate);
  if (lock.Get() == NULL)
    return FALSE;
  return CreateIndirect(static_cast<LPCDLGTEMPLATE>(lock.Get()), pParentWnd, NULL);
}

BOOL CDialog::OnInitDialog() {
  BOOL bDlgInit =
      m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
  if (!bDlgInit) {
    EndDialog(-1);
    return FALSE;
  }
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM) {
  OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
  return Default();
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE))
    return; // the exchange told the user and focused the control
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    EndModalLoop(nResult);
  if (m_hWnd != NULL)
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl != NULL && pWndCtrl->m_hWnd != NULL)
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

namespace {
bool IsMultiLineEdit(HWND hWnd) {
  char szClass[8];
  return hWnd != NULL && ::GetClassNameA(hWnd, szClass, sizeof(szClass)) && lstrcmpiA(szClass, "Edit") == 0 &&
         (::GetWindowLongA(hWnd, GWL_STYLE) & ES_MULTILINE);
}
} // namespace

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  // The dialog manager leaves Esc to a multi-line edit; the dialog still closes on it.
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
      IsMultiLineEdit(pMsg->hwnd) && ::IsChild(m_hWnd, pMsg->hwnd)) {
    HWND hWndCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
    if (hWndCancel == NULL || ::IsWindowEnabled(hWndCancel)) {
      ::SendMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    }
  }
  return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  // Only menu-style commands travel on; control notifications and tool ids stop here.
  if (((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID > 0xDFFF)
    return FALSE;
  CWnd* pParent = GetParent();
  if (pParent != NULL && pParent != this && pParent->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
