// The modal about box: the program's icon and picture, the maker's and the product's names, the
// version, two web addresses that open in the browser, and the support contacts.
#pragma once

#include "framework/dlg/fw_dlg.h"

#include "framework/dlg/fw_ctrl.h"

class CAboutDlg : public CDialog {
public:
  CAboutDlg();

  CStatic m_wndMaker;          // "Vantrel"
  CStatic m_wndTitle;          // "Pixolet Screen Capture"
  CStatic m_wndVersion;        // "Version 2.4"
  CStatic m_wndProductAddress; // opens the product's home page
  CStatic m_wndMakerAddress;   // opens the maker's home page

  // The pages the two addresses open.
  static const char kProductPage[];
  static const char kMakerPage[];

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};
