// Property sheets and pages. The platform's sheet is always created modeless; DoModal runs the
// framework's modal loop over it, and Create can make it a child window inside another window.
#include "framework/dlg/dlgimpl.h"

#include <climits>
#include <cstring>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNCREATE(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_KICKIDLE, HandleKickIdle)
END_MESSAGE_MAP()

namespace {
// The sheet whose window the platform is about to create (one user-interface thread).
CPropertySheet* s_pSheetInit = NULL;

// The Apply button of the platform's sheet.
const int kIdApplyNow = 0x3021;

UINT CALLBACK AfxPropPageCallback(HWND, UINT nMsg, LPPROPSHEETPAGEA ppsp) {
  // Arm the creation hook: the page dialog is the next window the platform creates.
  AfxCallGuarded([&] {
    if (nMsg == PSPCB_CREATE && ppsp != NULL) {
      CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(ppsp->lParam);
      if (pPage != NULL && pPage->m_hWnd == NULL)
        AfxHookWindowCreate(pPage);
    }
  });
  return TRUE; // create the page; WM_INITDIALOG attaches it if the hook could not
}

// Writes the requested styles into the sheet template the platform is about to use.
void PatchSheetTemplate(BYTE* pTemplate, DWORD dwStyle, DWORD dwExStyle, BOOL bHide) {
  WORD wVer, wSig;
  std::memcpy(&wVer, pTemplate, sizeof(WORD));
  std::memcpy(&wSig, pTemplate + 2, sizeof(WORD));
  bool bEx = wVer == 1 && wSig == 0xFFFF;
  size_t offStyle = bEx ? 12 : 0;
  size_t offExStyle = bEx ? 8 : 4;
  DWORD dwOldStyle, dwOldExStyle;
  std::memcpy(&dwOldStyle, pTemplate + offStyle, sizeof(DWORD));
  std::memcpy(&dwOldExStyle, pTemplate + offExStyle, sizeof(DWORD));

  DWORD dwNewStyle = dwOldStyle;
  DWORD dwNewExStyle = dwOldExStyle;
  if (dwStyle != (DWORD)-1) {
    // The font bits say whether a font block follows: they stay as they are.
    const DWORD dwFontBits = DS_SETFONT | DS_FIXEDSYS;
    dwNewStyle = (dwStyle & ~dwFontBits) | (dwOldStyle & dwFontBits);
    dwNewExStyle = dwExStyle;
    if (dwNewStyle & WS_CHILD) {
      // A child sheet is a control container inside its parent: tabbing enters it.
      dwNewStyle &= ~WS_POPUP;
      dwNewStyle |= DS_CONTROL;
      dwNewExStyle |= WS_EX_CONTROLPARENT;
    }
  } else if (dwExStyle != 0) {
    dwNewExStyle |= dwExStyle;
  }
  if (bHide)
    dwNewStyle &= ~WS_VISIBLE;
  std::memcpy(pTemplate + offStyle, &dwNewStyle, sizeof(DWORD));
  std::memcpy(pTemplate + offExStyle, &dwNewExStyle, sizeof(DWORD));
}
} // namespace

int CALLBACK AfxPropSheetCallback(HWND, UINT nMsg, LPARAM lParam) {
  AfxCallGuarded([&] {
    CPropertySheet* pSheet = s_pSheetInit;
    if (nMsg == PSCB_PRECREATE && lParam != 0 && pSheet != NULL)
      PatchSheetTemplate(reinterpret_cast<BYTE*>(lParam), pSheet->m_dwCreateStyle, pSheet->m_dwCreateExStyle,
                         pSheet->m_bHideUntilIdle);
  });
  return 0;
}

INT_PTR CALLBACK AfxPropPageProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg != WM_INITDIALOG)
    return FALSE;
  const PROPSHEETPAGEA* ppsp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
  CPropertyPage* pPage = ppsp != NULL ? reinterpret_cast<CPropertyPage*>(ppsp->lParam) : NULL;
  if (pPage == NULL)
    return TRUE;
  bool bAttached = AfxCallGuarded([&] {
    if (CWnd::FromHandlePermanent(hWnd) == NULL) {
      // The page callback did not run (or could not arm the hook): attach now.
      if (AfxGetThreadState()->m_pWndInit == pPage)
        AfxUnhookWindowCreate();
      pPage->SubclassWindow(hWnd);
    }
  });
  if (!bAttached || CWnd::FromHandlePermanent(hWnd) != pPage)
    return TRUE;
  pPage->m_bFirstSetActive = TRUE;
  return AfxCallInitDialog(pPage, hWnd, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Pages

CPropertyPage::CPropertyPage() { CommonConstruct(NULL, 0); }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) {
  CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) {
  CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::CommonConstruct(LPCSTR lpszTemplateName, UINT nIDCaption) {
  std::memset(&m_psp, 0, sizeof(m_psp));
  m_psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
  m_psp.dwFlags = PSP_USECALLBACK;
  m_psp.pfnDlgProc = AfxPropPageProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  m_psp.pfnCallback = AfxPropPageCallback;
  m_bFirstSetActive = TRUE;
  if (lpszTemplateName != NULL) {
    SetTemplateName(lpszTemplateName);
    m_psp.pszTemplate = m_lpszTemplateName;
  }
  if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
    m_psp.pszTitle = m_strCaption;
    m_psp.dwFlags |= PSP_USETITLE;
  }
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
  CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
  m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCSTR lpszTemplateName, UINT nIDCaption) {
  CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::ConstructIndirect(LPCDLGTEMPLATE lpDialogTemplate, LPCSTR lpszCaption) {
  CommonConstruct(NULL, 0);
  m_lpszTemplateName = NULL;
  m_lpDialogTemplate = lpDialogTemplate;
  m_psp.dwFlags |= PSP_DLGINDIRECT;
  m_psp.pResource = lpDialogTemplate;
  if (lpszCaption != NULL) {
    m_strCaption = lpszCaption;
    m_psp.pszTitle = m_strCaption;
    m_psp.dwFlags |= PSP_USETITLE;
  }
}

CPropertySheet* CPropertyPage::GetParentSheet() const {
  return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged) {
  HWND hWndSheet = ::GetParent(m_hWnd);
  if (hWndSheet != NULL)
    ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose() {
  HWND hWndSheet = ::GetParent(m_hWnd);
  if (hWndSheet != NULL)
    ::SendMessageA(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
  HWND hWndSheet = ::GetParent(m_hWnd);
  return hWndSheet != NULL ? ::SendMessageA(hWndSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive() {
  // The first activation follows OnInitDialog, which has just loaded the controls.
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

// The sheet owns OK and Cancel; the page only applies or discards its own state.
void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) {
  // Dialog keys are the sheet's business (PSM_ISDIALOGMESSAGE), so that Tab crosses pages and
  // buttons.
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CDialog::OnNotify(wParam, lParam, pResult))
    return TRUE;
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  // Only the sheet's own notifications: a control's code may collide with PSN_ values.
  if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != ::GetParent(m_hWnd))
    return FALSE;
  switch (pNMHDR->code) {
  case PSN_SETACTIVE:
    *pResult = OnSetActive() ? 0 : -1;
    return TRUE;
  case PSN_KILLACTIVE:
    *pResult = !OnKillActive();
    return TRUE;
  case PSN_APPLY:
    *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
    return TRUE;
  case PSN_RESET:
    OnReset();
    *pResult = 0;
    return TRUE;
  case PSN_QUERYCANCEL:
    *pResult = !OnQueryCancel();
    return TRUE;
  default:
    return FALSE;
  }
}

// ---------------------------------------------------------------------------------------------
// Sheets

CPropertySheet::CPropertySheet() { CommonConstruct(NULL, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption = pszCaption;
}

CPropertySheet::~CPropertySheet() {
  if (s_pSheetInit == this)
    s_pSheetInit = NULL;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage) {
  std::memset(&m_psh, 0, sizeof(m_psh));
  m_psh.dwSize = PROPSHEETHEADERA_V1_SIZE;
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
  m_psh.nStartPage = iSelectPage;
  m_pParentWnd = pParentWnd;
  m_bModeless = FALSE;
  m_dwCreateStyle = (DWORD)-1;
  m_dwCreateExStyle = 0;
  m_bHideUntilIdle = FALSE;
  m_bEnded = FALSE;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_strCaption.LoadString(nIDCaption);
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_strCaption = pszCaption;
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

namespace {
// Page fields the sheet fills in just before handing the page to the platform.
void PreparePage(CPropertyPage* pPage) {
  if (!(pPage->m_psp.dwFlags & PSP_DLGINDIRECT) && pPage->m_psp.hInstance == NULL)
    pPage->m_psp.hInstance = AfxFindResourceHandle(pPage->m_psp.pszTemplate, RT_DIALOG);
}
} // namespace

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (pPage == NULL)
    return;
  m_pages.push_back(pPage);
  if (m_hWnd == NULL)
    return;
  PreparePage(pPage);
  HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
  if (hPage == NULL) {
    m_pages.pop_back();
    AfxThrowMemoryException();
  }
  if (!::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage))) {
    ::DestroyPropertySheetPage(hPage);
    m_pages.pop_back();
    AfxThrowMemoryException();
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
  int nPage = GetPageIndex(pPage);
  if (nPage >= 0)
    RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= (int)m_pages.size())
    return;
  if (m_hWnd != NULL)
    ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
  m_pages.erase(m_pages.begin() + nPage);
}

int CPropertySheet::GetPageCount() const { return (int)m_pages.size(); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < (int)m_pages.size() ? m_pages[nPage] : NULL;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (size_t i = 0; i < m_pages.size(); ++i)
    if (m_pages[i] == pPage)
      return (int)i;
  return -1;
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == NULL)
    return (int)m_psh.nStartPage;
  HWND hWndTab = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
  // The platform keeps the (possibly hidden) tab's selection in step with the active page.
  return hWndTab != NULL ? (int)::SendMessageA(hWndTab, TCM_GETCURSEL, 0, 0) : (int)m_psh.nStartPage;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (m_hWnd == NULL) {
    m_psh.nStartPage = nPage;
    return TRUE;
  }
  BOOL bResult = (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, nPage, 0);
  DisarmPageHook();
  return bResult;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) {
  int nPage = GetPageIndex(pPage);
  return nPage >= 0 && SetActivePage(nPage);
}

CTabCtrl* CPropertySheet::GetTabControl() const {
  if (m_hWnd == NULL)
    return NULL;
  CWnd* pTab = CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
  // The wrapper adds no state of its own to CWnd, so a plain temporary serves.
  return static_cast<CTabCtrl*>(pTab);
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  if (m_hWnd != NULL) {
    ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>((LPCSTR)m_strCaption));
  } else {
    m_psh.dwFlags &= ~PSH_PROPTITLE;
    m_psh.dwFlags |= (nStyle & PSH_PROPTITLE);
  }
}

void CPropertySheet::EndDialog(int nEndID) {
  m_nModalResult = nEndID;
  m_bEnded = TRUE;
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    EndModalLoop(nEndID);
  else if (m_bModeless && m_hWnd != NULL)
    DestroyWindow();
}

void CPropertySheet::DisarmPageHook() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  for (CPropertyPage* pPage : m_pages)
    if (pState->m_pWndInit == pPage)
      AfxUnhookWindowCreate();
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle, BOOL bHideUntilIdle) {
  // Version-1 page records, packed as the platform walks them (by dwSize).
  m_pageArray.clear();
  for (CPropertyPage* pPage : m_pages) {
    PreparePage(pPage);
    const BYTE* p = reinterpret_cast<const BYTE*>(&pPage->m_psp);
    m_pageArray.insert(m_pageArray.end(), p, p + PROPSHEETPAGEA_V1_SIZE);
    reinterpret_cast<PROPSHEETPAGEA*>(&m_pageArray[m_pageArray.size() - PROPSHEETPAGEA_V1_SIZE])->dwSize =
        PROPSHEETPAGEA_V1_SIZE;
  }
  m_psh.dwSize = PROPSHEETHEADERA_V1_SIZE;
  m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
  m_psh.pfnCallback = AfxPropSheetCallback;
  m_psh.hwndParent = hWndParent;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = (UINT)m_pages.size();
  m_psh.ppsp = m_pageArray.empty() ? NULL : reinterpret_cast<LPCPROPSHEETPAGEA>(m_pageArray.data());
  if (m_psh.nStartPage >= m_psh.nPages)
    m_psh.nStartPage = 0;
  m_dwCreateStyle = dwStyle;
  m_dwCreateExStyle = dwExStyle;
  m_bHideUntilIdle = bHideUntilIdle;
  m_bEnded = FALSE;

  CPropertySheet* pOldInit = s_pSheetInit;
  s_pSheetInit = this;
  AfxHookWindowCreate(this);
  HWND hWnd = reinterpret_cast<HWND>(::PropertySheetA(&m_psh));
  BOOL bHooked = AfxUnhookWindowCreate();
  s_pSheetInit = pOldInit;
  DisarmPageHook();
  if (hWnd == NULL || hWnd == reinterpret_cast<HWND>(-1) || !::IsWindow(hWnd))
    return FALSE;
  if (!bHooked && m_hWnd == NULL)
    SubclassWindow(hWnd); // the platform made its window outside the hook's reach
  return m_hWnd == hWnd;
}

void CPropertySheet::HideStandardButtons() {
  static const int s_ids[] = {IDOK, IDCANCEL, kIdApplyNow, IDHELP};
  RECT rcWnd;
  ::GetWindowRect(m_hWnd, &rcWnd);
  LONG nTop = LONG_MAX;
  for (int nID : s_ids) {
    HWND hWndButton = ::GetDlgItem(m_hWnd, nID);
    if (hWndButton == NULL)
      continue;
    RECT rcButton;
    ::GetWindowRect(hWndButton, &rcButton);
    if (rcButton.top < nTop)
      nTop = rcButton.top;
    // Disabled as well: Enter and Esc must not apply or cancel a sheet that shows no buttons.
    ::ShowWindow(hWndButton, SW_HIDE);
    ::EnableWindow(hWndButton, FALSE);
  }
  if (nTop != LONG_MAX && nTop > rcWnd.top && nTop < rcWnd.bottom)
    ::SetWindowPos(m_hWnd, NULL, 0, 0, rcWnd.right - rcWnd.left, nTop - rcWnd.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (pParentWnd == NULL)
    pParentWnd = m_pParentWnd;
  m_pParentWnd = pParentWnd;
  m_bModeless = TRUE;
  m_nFlags &= ~WF_CONTINUEMODAL;
  if (!CreateSheet(pParentWnd->GetSafeHwnd(), dwStyle, dwExStyle, FALSE))
    return FALSE;
  HideStandardButtons();
  return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
  m_bModeless = FALSE;
  HWND hWndTop = NULL;
  HWND hWndParent = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
  INT_PTR nResult = -1;
  {
    CModalOwner ownerDisabled(hWndParent);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try {
      // Hidden until the loop first goes idle, like a modal dialog.
      if (CreateSheet(hWndParent, (DWORD)-1, 0, TRUE) && ContinueModal())
        RunModalLoop(MLF_SHOWONIDLE);
    } catch (...) {
      m_nFlags &= ~WF_CONTINUEMODAL;
      if (m_hWnd != NULL)
        DestroyWindow();
      if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
      throw;
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (m_hWnd != NULL) {
      if (m_bEnded)
        nResult = m_nModalResult;
      else if (::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0)
        nResult = ::SendMessageA(m_hWnd, PSM_GETRESULT, 0, 0) > 0 ? IDOK : IDCANCEL; // the sheet finished
      BOOL bWasActive = ::GetActiveWindow() == m_hWnd;
      SetWindowPos(NULL, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
      ownerDisabled.Restore();
      if (bWasActive && hWndParent != NULL)
        ::SetActiveWindow(hWndParent);
      DestroyWindow();
    } else if (m_bEnded) {
      nResult = m_nModalResult;
    }
  }
  if (hWndTop != NULL)
    ::EnableWindow(hWndTop, TRUE);
  return nResult;
}

BOOL CPropertySheet::ContinueModal() {
  if (!CWnd::ContinueModal())
    return FALSE;
  // OK, Cancel and the close box end a modeless sheet by leaving it without a current page.
  return m_hWnd != NULL && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  bool bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  // Input for a window the dialog navigation cannot reach again goes its ordinary way.
  if (!bInput || !AfxDialogCanReach(m_hWnd, pMsg->hwnd))
    return FALSE;
  return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg));
}

LRESULT CPropertySheet::HandleKickIdle(WPARAM wParam, LPARAM lParam) {
  HWND hWndPage = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
  return hWndPage != NULL ? ::SendMessageA(hWndPage, WM_KICKIDLE, wParam, lParam) : 0;
}
