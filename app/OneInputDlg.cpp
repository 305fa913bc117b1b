#include "app/OneInputDlg.h"

#include "resources/resource.h"

#include <cstdlib>

COneInputDlg::COneInputDlg(CWnd* pParent) : CDialog(IDD_ONE_INPUT, pParent), m_nValue(0) {}

BOOL COneInputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString strValue;
  strValue.Format("%d", m_nValue);
  SetDlgItemText(IDC_ONE_INPUT_VALUE, strValue);
  return TRUE;
}

void COneInputDlg::OnOK() {
  CString strText;
  GetDlgItemText(IDC_ONE_INPUT_VALUE, strText);
  m_nValue = std::atoi(strText); // text that is no number gives 0, which is refused
  if (m_nValue >= kMinValue && m_nValue <= kMaxValue) {
    EndDialog(IDOK);
    return;
  }
  AfxMessageBox("Please enter a number between 1 and 31999.", MB_OK);
}
