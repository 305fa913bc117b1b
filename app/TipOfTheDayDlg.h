// The tip of the day: one tip from "tips.dat" beside the program, with buttons to step through
// the tips and the "Show Tip at Startup" choice the caller stores.
#pragma once

#include "framework/dlg/fw_dlg.h"

#include "app/LinkLabel.h"
#include "app/TemplatePicture.h"

#include <vector>

class CTipOfTheDayDlg : public CDialog {
public:
  explicit CTipOfTheDayDlg(CWnd* pParent = NULL);

  int m_bShowAtStartup;  // 1 while "Show Tip at Startup" is checked; read after the dialog ends
  CLinkLabel m_wndFrame; // the white panel behind the tip
  CLinkLabel m_wndTip;   // the tip's text
  std::vector<CString> m_tips;
  int m_nTipCount;
  int m_nCurrent; // index of the tip shown

  // Reads "tips.dat" beside the program into m_tips; FALSE when it cannot be opened.
  BOOL LoadTips();

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void PostNcDestroy() override;
  afx_msg void OnNextTip();
  afx_msg void OnPreviousTip();
  afx_msg void OnShowAtStartup();
  void ShowCurrentTip();

  CTemplatePicture m_bulb;

  DECLARE_MESSAGE_MAP()
};

// The part of text before the first separator, which is taken off text with the separator;
// *pFound tells whether there was one (without one, "" and text unchanged).
CString GetToken(CString& text, CString separator, bool* pFound);
// The pieces of text between separators, in order; the last piece is what follows the last
// separator, so the list is never empty.
std::vector<CString> SplitTips(CString text, CString separator);

// The start-up tip: shown only when "ShowTip" in the program's "Options" key is 1; the value is
// cleared while the dialog runs, so a crash does not bring it back, and then set to the choice.
void ShowTipOfTheDayIfWanted(CWnd* pParent);
