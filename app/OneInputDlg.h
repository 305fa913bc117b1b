// "Image Resolution": asks for one whole number between 1 and 31999. The caller sets m_nValue,
// runs the dialog and, unless it answers IDCANCEL, takes m_nValue back.
#pragma once

#include "framework/dlg/fw_dlg.h"

class COneInputDlg : public CDialog {
public:
  explicit COneInputDlg(CWnd* pParent = NULL);

  enum { kMinValue = 1, kMaxValue = 31999 };
  int m_nValue;

protected:
  BOOL OnInitDialog() override;
  // Ends the dialog only for a number in range; otherwise says so and stays open.
  void OnOK() override;
};
