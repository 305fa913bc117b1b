#include "app/TipOfTheDayDlg.h"

#include "resources/resource.h"

CTipOfTheDayDlg::CTipOfTheDayDlg(CWnd* pParent)
    : CDialog(IDD_TIP_OF_THE_DAY, pParent), m_bShowAtStartup(1), m_nTipCount(0), m_nCurrent(0) {}

BEGIN_MESSAGE_MAP(CTipOfTheDayDlg, CDialog)
ON_BN_CLICKED(IDC_TIP_NEXT, OnNextTip)
ON_BN_CLICKED(IDC_TIP_PREVIOUS, OnPreviousTip)
ON_BN_CLICKED(IDC_TIP_SHOW_AT_STARTUP, OnShowAtStartup)
END_MESSAGE_MAP()

void CTipOfTheDayDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_TIP_FRAME, m_wndFrame);
  DDX_Control(pDX, IDC_TIP_TEXT, m_wndTip);
}

BOOL CTipOfTheDayDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  return TRUE;
}

BOOL CTipOfTheDayDlg::LoadTips() { return FALSE; }

void CTipOfTheDayDlg::OnNextTip() {}

void CTipOfTheDayDlg::OnPreviousTip() {}

void CTipOfTheDayDlg::OnShowAtStartup() {}

void CTipOfTheDayDlg::ShowCurrentTip() {}

CString GetToken(CString& text, CString separator, bool* pFound) {
  *pFound = false;
  return CString();
}

std::vector<CString> SplitTips(CString text, CString separator) { return {text}; }

void ShowTipOfTheDayIfWanted(CWnd*) {}
