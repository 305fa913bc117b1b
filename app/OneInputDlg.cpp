#include "app/OneInputDlg.h"

#include "resources/resource.h"

#include <cstdlib>

COneInputDlg::COneInputDlg(CWnd* pParent) : CDialog(IDD_ONE_INPUT, pParent), m_nValue(0) {}

BOOL COneInputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemInt(IDC_ONE_INPUT_VALUE, (UINT)m_nValue, TRUE);
  return TRUE;
}

void COneInputDlg::OnOK() {
  CString strText;
  GetDlgItemText(IDC_ONE_INPUT_VALUE, strText);
  m_nValue = std::atoi(strText);
  if (m_nValue >= 1 && m_nValue <= 31999) {
    EndDialog(IDOK);
    return;
  }
  AfxMessageBox("Please enter a number between 1 and 31999.", MB_OK);
}
