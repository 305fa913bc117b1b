// "Image Resolution": one whole number between 1 and 31999.
#pragma once

#include "framework/dlg/fw_dlg.h"

class COneInputDlg : public CDialog {
public:
  explicit COneInputDlg(CWnd* pParent = NULL);

  int m_nValue;

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};
