// The modal about box: the program's icon and picture, the maker's and the product's names, the
// version, two web addresses that open in the browser, and the support contacts.
#pragma once

#include "framework/dlg/fw_dlg.h"

#include "app/LinkLabel.h"
#include "app/TemplatePicture.h"

class CAboutDlg : public CDialog {
public:
  CAboutDlg();

  CLinkLabel m_wndMaker;          // "Vantrel"
  CLinkLabel m_wndTitle;          // "Pixolet Screen Capture"
  CLinkLabel m_wndVersion;        // "Version 2.4"
  CLinkLabel m_wndProductAddress; // opens the product's home page
  CLinkLabel m_wndMakerAddress;   // opens the maker's home page

  // The pages the two addresses open.
  static const char kProductPage[];
  static const char kMakerPage[];

protected:
  CTemplatePicture m_picture;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void PostNcDestroy() override;
};
