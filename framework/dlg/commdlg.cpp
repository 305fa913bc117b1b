// The common dialogs: file open/save, colour, print and print set-up.
#include "framework/dlg/dlgimpl.h"

#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

void CCommonDialog::OnOK() {
  if (UpdateData(TRUE))
    EndDialog(IDOK);
}

void CCommonDialog::OnCancel() { EndDialog(IDCANCEL); }

namespace {
// Runs a system dialog: the main window's other windows must not take input meanwhile, so the
// top-level window is disabled when it is not the owner itself.
class CCommonDialogScope {
public:
  explicit CCommonDialogScope(CWnd* pParentWnd) : m_hWndTop(NULL) {
    m_hWndOwner = CWnd::GetSafeOwner_(pParentWnd->GetSafeHwnd(), &m_hWndTop);
  }
  ~CCommonDialogScope() {
    if (m_hWndTop != NULL)
      ::EnableWindow(m_hWndTop, TRUE);
  }
  CCommonDialogScope(const CCommonDialogScope&) = delete;
  CCommonDialogScope& operator=(const CCommonDialogScope&) = delete;
  HWND Owner() const { return m_hWndOwner; }

private:
  HWND m_hWndOwner;
  HWND m_hWndTop;
};
} // namespace

// ---------------------------------------------------------------------------------------------
// File dialog

namespace {

// The platform's file dialog builds the full path of the name typed into its name box in buffers
// of MAX_PATH characters on its stack, before it checks anything: a longer path overwrites its
// stack and the process dies inside the dialog (Wine). A path of MAX_PATH characters leaves no
// room for the terminating zero, which would land past the buffer.
const size_t kMaxDialogPath = MAX_PATH - 1;

const char kNameTooLong[] = "The name is too long: with its folder, a file's path can hold at most 259 "
                            "characters.\nChoose a shorter name or folder.";
const char kDialogProcProp[] = "fw.FileDialogProc";
const char kExtensionRoomProp[] = "fw.FileDialogExtensionRoom";

std::wstring WindowTextW(HWND hWnd) {
  std::wstring text((size_t)::GetWindowTextLengthW(hWnd) + 1, L'\0');
  text.resize((size_t)::GetWindowTextW(hWnd, &text[0], (int)text.size()));
  return text;
}

// The name box: a combo box with an edit, or an edit.
HWND NameBoxOf(HWND hDialog) {
  HWND hBox = ::GetDlgItem(hDialog, cmb13);
  return hBox != NULL ? hBox : ::GetDlgItem(hDialog, edt1);
}

// The folder the dialog shows, as it joins names to it.
std::wstring ShownFolder(HWND hDialog) {
  char szFolder[MAX_PATH * 2] = "";
  if (::SendMessageA(hDialog, CDM_GETFOLDERPATH, sizeof(szFolder), reinterpret_cast<LPARAM>(szFolder)) <= 0)
    ::GetCurrentDirectoryA(sizeof(szFolder), szFolder);
  szFolder[sizeof(szFolder) - 1] = '\0';
  std::wstring folder(MAX_PATH * 2, L'\0');
  folder.resize((size_t)::MultiByteToWideChar(CP_ACP, 0, szFolder, -1, &folder[0], (int)folder.size()));
  if (!folder.empty())
    folder.pop_back(); // the terminating zero
  return folder;
}

// The length of the path the dialog makes of one name: a name with a drive as it is, a rooted one
// on the folder's drive, any other after the folder and a backslash.
size_t DialogPathLength(const std::wstring& name, const std::wstring& folder) {
  const bool bDrive = name.size() > 1 && name[1] == L':';
  if (bDrive || (!name.empty() && name[0] == L'\\'))
    return name.size() + (bDrive ? 0 : 2);
  return folder.size() + (folder.empty() || folder.back() != L'\\' ? 1 : 0) + name.size();
}

// What the dialog may append to a name without an extension, with a default extension given: a
// dot and the extension of the type chosen or the default one. Room for the longest of them.
size_t ExtensionRoom(const OPENFILENAMEA& ofn) {
  if (ofn.lpstrDefExt == NULL)
    return 0;
  size_t nLongest = std::strlen(ofn.lpstrDefExt);
  // The filter's pairs of a text and its patterns; an extension runs from a dot to a ';' or the end.
  for (LPCSTR p = ofn.lpstrFilter; p != NULL && *p != '\0';) {
    p += std::strlen(p) + 1; // the text
    for (LPCSTR pDot = std::strchr(p, '.'); pDot != NULL; pDot = std::strchr(pDot + 1, '.'))
      nLongest = std::max(nLongest, std::strcspn(pDot + 1, ";"));
    if (*p != '\0')
      p += std::strlen(p) + 1;
  }
  return 1 + nLongest;
}

bool HasExtension(const std::wstring& name) {
  const size_t nDot = name.rfind(L'.');
  return nDot != std::wstring::npos && name.find_first_of(L"\\/", nDot) == std::wstring::npos;
}

// Whether every name of the name box (each quoted one, or else the whole text) makes a path the
// dialog can hold.
bool NamesFitDialog(HWND hDialog) {
  const std::wstring text = WindowTextW(NameBoxOf(hDialog)), folder = ShownFolder(hDialog);
  std::vector<std::wstring> names;
  for (size_t nOpen = text.find(L'"'); nOpen != std::wstring::npos;) {
    const size_t nClose = text.find(L'"', nOpen + 1);
    names.push_back(text.substr(nOpen + 1, nClose == std::wstring::npos ? nClose : nClose - nOpen - 1));
    nOpen = nClose == std::wstring::npos ? nClose : text.find(L'"', nClose + 1);
  }
  if (names.empty())
    names.push_back(text);
  const size_t nRoom = reinterpret_cast<size_t>(::GetPropA(hDialog, kExtensionRoomProp));
  for (const std::wstring& name : names)
    if (DialogPathLength(name, folder) + (HasExtension(name) ? 0 : nRoom) > kMaxDialogPath)
      return false;
  return true;
}

// Tells the user, and gives the name back to be shortened.
void RefuseName(HWND hDialog) {
  char szTitle[128] = "";
  ::GetWindowTextA(hDialog, szTitle, sizeof(szTitle));
  ::MessageBoxA(hDialog, kNameTooLong, szTitle, MB_OK | MB_ICONEXCLAMATION);
  const HWND hBox = NameBoxOf(hDialog);
  ::SetFocus(hBox);
  ::SendMessageA(hBox, EM_SETSEL, 0, -1);
  ::SendMessageA(hBox, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// The dialog's own procedure, behind which a confirmed name is checked first.
LRESULT CALLBACK NameGuardProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC pfnDialog =
      reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(::GetPropA(hWnd, kDialogProcProp)));
  if (nMsg == WM_COMMAND && LOWORD(wParam) == IDOK) {
    bool bFits = true;
    if (!AfxCallGuarded([&] { bFits = NamesFitDialog(hWnd); }) || !bFits) {
      RefuseName(hWnd);
      return 0;
    }
  } else if (nMsg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnDialog));
    ::RemovePropA(hWnd, kDialogProcProp);
    ::RemovePropA(hWnd, kExtensionRoomProp);
  }
  return ::CallWindowProcW(pfnDialog, hWnd, nMsg, wParam, lParam);
}

// The hook's window is an empty child of the dialog: the dialog itself gets the guard.
UINT_PTR CALLBACK FileDialogHook(HWND hHookWnd, UINT nMsg, WPARAM, LPARAM lParam) {
  const HWND hDialog = ::GetParent(hHookWnd);
  if (nMsg == WM_INITDIALOG && hDialog != NULL && ::GetPropA(hDialog, kDialogProcProp) == NULL) {
    const size_t nRoom = ExtensionRoom(*reinterpret_cast<const OPENFILENAMEA*>(lParam));
    ::SetPropA(hDialog, kExtensionRoomProp, reinterpret_cast<HANDLE>(nRoom));
    ::SetPropA(hDialog, kDialogProcProp,
               reinterpret_cast<HANDLE>(::GetWindowLongPtrW(hDialog, GWLP_WNDPROC)));
    ::SetWindowLongPtrW(hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NameGuardProc));
  }
  return 0;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(MAX_PATH * 4, '\0') {
  std::memset(&m_ofn, 0, sizeof(m_ofn));
  std::memset(m_szFileTitle, 0, sizeof(m_szFileTitle));
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.hInstance = AfxGetResourceHandle();
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
  m_ofn.lpstrFile = m_fileBuffer.data();
  m_ofn.nMaxFile = (DWORD)m_fileBuffer.size();
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
  if (lpszDefExt != NULL) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt.c_str();
  }
  if (lpszFileName != NULL)
    lstrcpynA(m_fileBuffer.data(), lpszFileName, (int)m_fileBuffer.size());
  if (lpszFilter != NULL) {
    // "text|pattern|...||" becomes "text\0pattern\0...\0\0".
    m_strFilter = lpszFilter;
    for (char& ch : m_strFilter)
      if (ch == '|')
        ch = '\0';
    m_strFilter.push_back('\0');
    m_strFilter.push_back('\0');
    m_ofn.lpstrFilter = m_strFilter.data();
  }
}

INT_PTR CFileDialog::DoModal() {
  CCommonDialogScope scope(m_pParentWnd);
  m_ofn.hwndOwner = scope.Owner();
  // A caller may have pointed lpstrFile elsewhere (multi-selection buffers).
  if (m_ofn.lpstrFile == m_fileBuffer.data())
    m_fileBuffer.back() = '\0';
  // A name too long for the dialog is refused before the dialog takes it. A hook costs the
  // dialog its sizing unless asked for; without one it sizes anyway.
  if (!(m_ofn.Flags & OFN_ENABLEHOOK)) {
    m_ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLESIZING;
    m_ofn.lpfnHook = FileDialogHook;
  }
  BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return bResult ? IDOK : IDCANCEL;
}

namespace {
// A multi-selection result: the folder, then the names, each ended by a NUL.
bool IsMultiSelection(const OPENFILENAMEA& ofn) {
  return (ofn.Flags & OFN_ALLOWMULTISELECT) && ofn.nFileOffset > 0 &&
         ofn.lpstrFile[ofn.nFileOffset - 1] == '\0';
}

// The name after the last separator of a single path.
CString NameOf(LPCSTR lpszPath) {
  LPCSTR pszName = lpszPath;
  for (LPCSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p))
    if (*p == '\\' || *p == '/' || *p == ':')
      pszName = p + 1;
  return CString(pszName);
}
} // namespace

CString CFileDialog::GetPathName() const {
  if (IsMultiSelection(m_ofn)) {
    // Several files: the buffer starts with the folder; the first file follows it.
    POSITION pos = GetStartPosition();
    return GetNextPathName(pos);
  }
  return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const { return NameOf(GetPathName()); }

CString CFileDialog::GetFileExt() const {
  CString strName = GetFileName();
  int nDot = strName.ReverseFind('.');
  return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString strName = GetFileName();
  int nDot = strName.ReverseFind('.');
  return nDot < 0 ? strName : strName.Left(nDot);
}

POSITION CFileDialog::GetStartPosition() const {
  return m_ofn.lpstrFile[0] == '\0' ? NULL : reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  LPCSTR psz = reinterpret_cast<LPCSTR>(pos);
  if (psz == NULL)
    return CString();
  if (!IsMultiSelection(m_ofn)) {
    pos = NULL;
    return CString(psz);
  }
  // Buffer: folder \0 name1 \0 name2 \0 \0.
  LPCSTR pszFolder = m_ofn.lpstrFile;
  if (psz == pszFolder)
    psz += std::strlen(psz) + 1;
  CString strPath(pszFolder);
  if (strPath.GetLength() > 0 && strPath[strPath.GetLength() - 1] != '\\')
    strPath += '\\';
  strPath += psz;
  LPCSTR pszNext = psz + std::strlen(psz) + 1;
  pos = *pszNext == '\0' ? NULL : reinterpret_cast<POSITION>(const_cast<LPSTR>(pszNext));
  return strPath;
}

// ---------------------------------------------------------------------------------------------
// Colour dialog

COLORREF* CColorDialog::GetSavedCustomColors() {
  // Shared by every colour dialog of the process, so custom colours survive between dialogs.
  static COLORREF s_colors[16] = {
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return s_colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  std::memset(&m_cc, 0, sizeof(m_cc));
  m_cc.lStructSize = sizeof(m_cc);
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = dwFlags;
  if ((m_cc.rgbResult = clrInit) != 0)
    m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
  CCommonDialogScope scope(m_pParentWnd);
  m_cc.hwndOwner = scope.Owner();
  return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr) {
  m_cc.rgbResult = clr;
  m_cc.Flags |= CC_RGBINIT;
}

// ---------------------------------------------------------------------------------------------
// Print dialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOwnDevHandles(FALSE) {
  std::memset(&m_pd, 0, sizeof(m_pd));
  m_pd.lStructSize = sizeof(m_pd);
  m_pd.Flags = dwFlags;
  if (bPrintSetupOnly)
    m_pd.Flags |= PD_PRINTSETUP;
  else
    m_pd.Flags |= PD_RETURNDC;
  m_pd.nCopies = 1;
  m_pd.nFromPage = m_pd.nToPage = 1;
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog() {
  if (m_pd.hDC != NULL)
    ::DeleteDC(m_pd.hDC);
  if (m_bOwnDevHandles) {
    // Handles the application took over belong to it now.
    CWinApp* pApp = AfxGetApp();
    if (m_pd.hDevMode != NULL && (pApp == NULL || pApp->m_hDevMode != m_pd.hDevMode))
      ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != NULL && (pApp == NULL || pApp->m_hDevNames != m_pd.hDevNames))
      ::GlobalFree(m_pd.hDevNames);
  }
}

INT_PTR CPrintDialog::DoModal() {
  CWinApp* pApp = AfxGetApp();
  bool bHadNone = m_pd.hDevMode == NULL && m_pd.hDevNames == NULL;
  // Start from the application's printer unless the caller chose other settings.
  bool bAppSelection =
      pApp != NULL && !m_bOwnDevHandles &&
      (bHadNone || (m_pd.hDevMode == pApp->m_hDevMode && m_pd.hDevNames == pApp->m_hDevNames));
  if (bAppSelection) {
    m_pd.hDevMode = pApp->m_hDevMode;
    m_pd.hDevNames = pApp->m_hDevNames;
  }
  if (m_pd.hDC != NULL) {
    ::DeleteDC(m_pd.hDC);
    m_pd.hDC = NULL;
  }
  BOOL bResult;
  {
    CCommonDialogScope scope(m_pParentWnd);
    m_pd.hwndOwner = scope.Owner();
    bResult = ::PrintDlgA(&m_pd);
  }
  if (bAppSelection) {
    // The dialog may have reallocated the handles; the application owns the current ones.
    pApp->SelectPrinter(m_pd.hDevNames, m_pd.hDevMode, FALSE);
  } else if (bHadNone) {
    m_bOwnDevHandles = m_pd.hDevMode != NULL || m_pd.hDevNames != NULL; // made by the dialog: ours
  }
  return bResult ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  if (m_pd.hDC != NULL) {
    ::DeleteDC(m_pd.hDC);
    m_pd.hDC = NULL;
  }
  if (m_bOwnDevHandles) {
    if (m_pd.hDevMode != NULL)
      ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != NULL)
      ::GlobalFree(m_pd.hDevNames);
  }
  // The platform fills in the handles only when they are NULL.
  m_pd.hDevMode = NULL;
  m_pd.hDevNames = NULL;
  m_pd.Flags |= PD_RETURNDEFAULT;
  BOOL bResult = ::PrintDlgA(&m_pd);
  m_pd.Flags &= ~PD_RETURNDEFAULT;
  m_bOwnDevHandles = m_pd.hDevMode != NULL || m_pd.hDevNames != NULL;
  return bResult;
}

BOOL CPrintDialog::GetDefaults(PRINTDLGA* pPD) const {
  std::memset(pPD, 0, sizeof(*pPD));
  pPD->lStructSize = sizeof(*pPD);
  pPD->Flags = PD_RETURNDEFAULT;
  return ::PrintDlgA(pPD);
}

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDevNames == NULL)
    return NULL;
  LPDEVNAMES pNames = static_cast<LPDEVNAMES>(::GlobalLock(m_pd.hDevNames));
  if (pNames == NULL)
    return NULL;
  LPDEVMODEA pMode = m_pd.hDevMode != NULL ? static_cast<LPDEVMODEA>(::GlobalLock(m_pd.hDevMode)) : NULL;
  LPCSTR base = reinterpret_cast<LPCSTR>(pNames);
  if (m_pd.hDC != NULL)
    ::DeleteDC(m_pd.hDC);
  m_pd.hDC = ::CreateDCA(base + pNames->wDriverOffset, base + pNames->wDeviceOffset,
                         base + pNames->wOutputOffset, pMode);
  if (pMode != NULL)
    ::GlobalUnlock(m_pd.hDevMode);
  ::GlobalUnlock(m_pd.hDevNames);
  return m_pd.hDC;
}

int CPrintDialog::GetCopies() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    LPDEVMODEA pMode = GetDevMode();
    if (pMode != NULL && (pMode->dmFields & DM_COPIES))
      return pMode->dmCopies;
  }
  return m_pd.nCopies;
}

LPDEVMODEA CPrintDialog::GetDevMode() const {
  if (m_pd.hDevMode == NULL)
    return NULL;
  // Moveable memory from the print dialog does not move while the handle lives.
  LPDEVMODEA pMode = static_cast<LPDEVMODEA>(::GlobalLock(m_pd.hDevMode));
  ::GlobalUnlock(m_pd.hDevMode);
  return pMode;
}

CString CPrintDialog::DevNamesString(int nWhich) const {
  if (m_pd.hDevNames == NULL)
    return CString();
  LPDEVNAMES pNames = static_cast<LPDEVNAMES>(::GlobalLock(m_pd.hDevNames));
  if (pNames == NULL)
    return CString();
  WORD wOffset = nWhich == 0   ? pNames->wDriverOffset
                 : nWhich == 1 ? pNames->wDeviceOffset
                               : pNames->wOutputOffset;
  CString result(reinterpret_cast<LPCSTR>(pNames) + wOffset);
  ::GlobalUnlock(m_pd.hDevNames);
  return result;
}

CString CPrintDialog::GetDriverName() const { return DevNamesString(0); }
CString CPrintDialog::GetDeviceName() const { return DevNamesString(1); }
CString CPrintDialog::GetPortName() const { return DevNamesString(2); }

int CPrintDialog::GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
int CPrintDialog::GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
