// Resource dialogs: every creation goes through the template adjustment, the modal run is the
// toolkit's own, and dialog-initialisation data is run once, within the resource's bounds.
#include "toolkit/foundation/ExtResDlg.h"

#include "toolkit/foundation/ExtResourceManager.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CExtResDlg, CDialog)

CExtResDlg::PFN_THEME_TEMPLATE_HOOK CExtResDlg::g_pfnThemeTemplateHook = NULL;

namespace {

const UINT kRtDialog = 5;
const UINT kRtDlgInit = 240;
const WORD kPropertySheetTemplateId = 1006;
// Messages of dialog-initialisation records that stand for adding an item.
const WORD kDlgInitListBoxAdd = 0x0401;
const WORD kDlgInitComboBoxAdd = 0x0403;
const WORD kDlgInitComboBoxExAdd = 0x1234;

bool SameFace(LPCSTR lpszFace, LPCSTR lpszOther) { return ::lstrcmpiA(lpszFace, lpszOther) == 0; }

template <typename T> T ReadAt(const BYTE* p, size_t off) {
  T value;
  std::memcpy(&value, p + off, sizeof(T));
  return value;
}

// The bytes of a found resource, and their number; NULL when it cannot be loaded.
const BYTE* LockedResource(HINSTANCE hModule, HRSRC hResource, size_t* pcb = NULL) {
  if (hResource == NULL)
    return NULL;
  HGLOBAL hData = ::LoadResource(hModule, hResource);
  const BYTE* p = hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
  if (pcb != NULL)
    *pcb = p != NULL ? ::SizeofResource(hModule, hResource) : 0;
  return p;
}

// The dialog template of that name through the resource manager, and its module.
const DLGTEMPLATE* FindDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phModule) {
  HRSRC hResource = g_ResourceManagerHolder->FindResourceById(kRtDialog, lpszTemplateName,
                                                              g_ResourceManagerHolder->GetLangId(), phModule);
  return reinterpret_cast<const DLGTEMPLATE*>(LockedResource(*phModule, hResource));
}

// Keeps a global template locked for a scope.
class GlobalLock_t {
public:
  explicit GlobalLock_t(HGLOBAL h) : m_h(h), m_p(h != NULL ? ::GlobalLock(h) : NULL) {}
  ~GlobalLock_t() {
    if (m_p != NULL)
      ::GlobalUnlock(m_h);
  }
  GlobalLock_t(const GlobalLock_t&) = delete;
  GlobalLock_t& operator=(const GlobalLock_t&) = delete;
  const DLGTEMPLATE* Get() const { return static_cast<const DLGTEMPLATE*>(m_p); }

private:
  HGLOBAL m_h;
  void* m_p;
};

} // namespace

CExtResDlg::CExtResDlg() : m_lpszInitTemplateName(NULL) {}

CExtResDlg::CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_lpszInitTemplateName(NULL) {}

CExtResDlg::~CExtResDlg() = default;

void CExtResDlg::RememberTemplateName(LPCSTR lpszTemplateName) {
  if (IS_INTRESOURCE(lpszTemplateName)) {
    m_lpszInitTemplateName = lpszTemplateName;
  } else {
    m_strInitTemplateName = lpszTemplateName;
    m_lpszInitTemplateName = m_strInitTemplateName.c_str();
  }
}

bool CExtResDlg::OnQueryAutomaticRTLTransform() const { return false; }

// ---------------------------------------------------------------------------------------------
// Template adjustment and creation

bool CExtResDlg::GetPropertySheetFont(CString& strFaceName, WORD& nPointSize) {
  static std::string s_strFace;
  static WORD s_nSize = 0;
  static bool s_bFound = false;
  if (!s_bFound) {
    HMODULE hComCtl = ::GetModuleHandleA("COMCTL32.DLL");
    if (hComCtl == NULL)
      return false;
    HRSRC hResource = ::FindResourceExA(hComCtl, RT_DIALOG, MAKEINTRESOURCEA(kPropertySheetTemplateId),
                                        g_ResourceManagerHolder->GetDefaultLangId());
    const DLGTEMPLATE* pTemplate = reinterpret_cast<const DLGTEMPLATE*>(LockedResource(hComCtl, hResource));
    CString strFace;
    WORD nSize = 0;
    if (pTemplate == NULL || !CDialogTemplate::GetFont(pTemplate, strFace, nSize))
      return false;
    s_strFace = (LPCSTR)strFace;
    s_nSize = nSize;
    s_bFound = true;
  }
  strFaceName = s_strFace.c_str();
  nPointSize = s_nSize;
  return true;
}

const DLGTEMPLATE* CExtResDlg::OnAdjustDialogTemplate(const DLGTEMPLATE* pTemplate,
                                                      CDialogTemplate& adjusted) {
  if (const DLGTEMPLATE* pHooked = g_ResourceManagerHolder->OnAdjustDialogTemplate(pTemplate, this, 0, 0))
    return pHooked;
  if (g_pfnThemeTemplateHook != NULL) {
    if (const DLGTEMPLATE* pHooked = g_pfnThemeTemplateHook(pTemplate, this, 0, 0))
      return pHooked;
  }
  CString strFace, strSheetFace;
  WORD nSize = 0, nSheetSize = 0;
  if (!CDialogTemplate::GetFont(pTemplate, strFace, nSize) || !GetPropertySheetFont(strSheetFace, nSheetSize))
    return pTemplate;
  if (nSize != nSheetSize || SameFace(strFace, strSheetFace))
    return pTemplate;
  if (!SameFace(strFace, "MS Sans Serif") && !SameFace(strFace, "MS Shell Dlg"))
    return pTemplate;
  if (!adjusted.SetTemplate(pTemplate, CDialogTemplate::GetTemplateSize(pTemplate)) ||
      !adjusted.SetFont(strSheetFace, nSize))
    return pTemplate;
  return adjusted.GetTemplate();
}

BOOL CExtResDlg::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (lpDialogTemplate == NULL)
    return FALSE;
  CDialogTemplate adjusted;
  CDialogTemplate dlgTemplate(OnAdjustDialogTemplate(lpDialogTemplate, adjusted));
  CString strFace;
  WORD nSize = 0;
  const bool bHasFont = dlgTemplate.GetFont(strFace, nSize) != FALSE;
  // Double-byte systems draw these faces badly; their own dialog font serves them better.
  const bool bDbcsFace =
      ::GetSystemMetrics(SM_DBCSENABLED) != 0 &&
      (SameFace(strFace, "MS Shell Dlg") || SameFace(strFace, "MS Sans Serif") || SameFace(strFace, "Helv"));
  if (!bHasFont || bDbcsFace)
    dlgTemplate.SetSystemFont(nSize == 8 ? 0 : nSize);
  if (OnQueryAutomaticRTLTransform() && g_ResourceManagerHolder->IsRightToLeft())
    dlgTemplate.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
  return CDialog::CreateDlgIndirect(dlgTemplate.GetTemplate(), pParentWnd,
                                    hInst != NULL ? hInst : AfxGetResourceHandle());
}

BOOL CExtResDlg::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CExtResDlg::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
  SetTemplateName(lpszTemplateName);
  RememberTemplateName(m_lpszTemplateName);
  if (pParentWnd == NULL)
    pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  HINSTANCE hModule = NULL;
  const DLGTEMPLATE* pTemplate = FindDialogTemplate(m_lpszTemplateName, &hModule);
  if (pTemplate == NULL)
    return FALSE;
  const BOOL bResult = CreateDlgIndirect(pTemplate, pParentWnd, hModule);
  m_nFlags &= ~WF_CONTINUEMODAL;
  return bResult;
}

BOOL CExtResDlg::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  RememberTemplateName(NULL);
  return CDialog::CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit);
}

BOOL CExtResDlg::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  RememberTemplateName(NULL);
  return CDialog::CreateIndirect(hDialogTemplate, pParentWnd);
}

// ---------------------------------------------------------------------------------------------
// Modal run

INT_PTR CExtResDlg::DoModal() {
  RememberTemplateName(m_lpszTemplateName);
  return DoModalImpl();
}

INT_PTR CExtResDlg::DoModalImpl() {
  HINSTANCE hModule = AfxGetResourceHandle();
  GlobalLock_t lock(m_lpszTemplateName == NULL ? m_hDialogTemplate : NULL);
  const DLGTEMPLATE* pTemplate = m_lpDialogTemplate;
  if (m_lpszTemplateName != NULL)
    pTemplate = FindDialogTemplate(m_lpszTemplateName, &hModule);
  else if (m_hDialogTemplate != NULL)
    pTemplate = lock.Get();
  if (pTemplate == NULL)
    return -1;

  // Made hidden: the loop shows it when it first goes idle, so a dialog that ends itself while it
  // initialises is never seen.
  CDialogTemplate hidden(pTemplate);
  hidden.ModifyStyle(WS_VISIBLE, 0);
  HWND hWndOwner = PreModal();
  m_nModalResult = -1;
  {
    CModalOwner owner(hWndOwner);
    try {
      if (CreateDlgIndirect(hidden.GetTemplate(), CWnd::FromHandle(hWndOwner), hModule) &&
          (m_nFlags & WF_CONTINUEMODAL))
        RunModalLoop(MLF_SHOWONIDLE | ((GetStyle() & DS_NOIDLEMSG) ? MLF_NOIDLEMSG : 0));
    } catch (...) {
      if (m_hWnd != NULL)
        DestroyWindow();
      PostModal();
      throw;
    }
    const bool bWasActive = m_hWnd != NULL && ::GetActiveWindow() == m_hWnd;
    if (m_hWnd != NULL)
      SetWindowPos(NULL, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    owner.Restore();
    if (bWasActive && hWndOwner != NULL)
      ::SetActiveWindow(hWndOwner);
  }
  if (m_hWnd != NULL)
    DestroyWindow();
  PostModal();
  return m_nModalResult;
}

// ---------------------------------------------------------------------------------------------
// Initialisation

BOOL CExtResDlg::OnInitDialog() {
  // The class library's own initialisation would run the data (and send WM_INITIALUPDATE) a second
  // time; only its data exchange is left to do.
  if (!RunDlgInit() || !UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

BOOL CExtResDlg::RunDlgInit() {
  if (m_lpszInitTemplateName != NULL) {
    HINSTANCE hModule = NULL;
    HRSRC hResource = g_ResourceManagerHolder->FindResourceById(
        kRtDlgInit, m_lpszInitTemplateName, g_ResourceManagerHolder->GetLangId(), &hModule);
    if (hResource == NULL)
      return ExecuteDlgInitData(this, NULL, 0);
    size_t cb = 0;
    const BYTE* p = LockedResource(hModule, hResource, &cb);
    return p != NULL && ExecuteDlgInitData(this, p, cb);
  }
  // Data handed over with a template in memory is the program's own and ends at its zero id.
  return ExecuteDlgInitData(this, static_cast<const BYTE*>(m_lpDialogInit),
                            m_lpDialogInit != NULL ? (size_t)-1 : 0);
}

BOOL CExtResDlg::ExecuteDlgInitData(CWnd* pWnd, const BYTE* p, size_t cb) {
  while (p != NULL && cb != 0) {
    if (cb < sizeof(WORD))
      return FALSE;
    if (ReadAt<WORD>(p, 0) == 0)
      break;
    if (cb < 8)
      return FALSE;
    const WORD nIDC = ReadAt<WORD>(p, 0);
    const WORD nMsg = ReadAt<WORD>(p, 2);
    const DWORD dwLen = ReadAt<DWORD>(p, 4);
    if (dwLen > cb - 8)
      return FALSE;
    // The text need not be terminated in the data.
    std::string text(reinterpret_cast<const char*>(p + 8), dwLen);
    text.resize(std::strlen(text.c_str()));
    p += 8 + dwLen;
    cb -= 8 + (size_t)dwLen;

    LRESULT lResult = 0;
    if (nMsg == kDlgInitListBoxAdd || nMsg == LB_ADDSTRING) {
      lResult = pWnd->SendDlgItemMessage(nIDC, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (nMsg == kDlgInitComboBoxAdd || nMsg == CB_ADDSTRING) {
      lResult = pWnd->SendDlgItemMessage(nIDC, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (nMsg == kDlgInitComboBoxExAdd) {
      COMBOBOXEXITEMA item = {};
      item.mask = CBEIF_TEXT;
      item.iItem = -1;
      item.pszText = &text[0];
      lResult = pWnd->SendDlgItemMessage(nIDC, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } else {
      continue;
    }
    if (lResult == -1)
      return FALSE;
  }
  pWnd->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
  return TRUE;
}
