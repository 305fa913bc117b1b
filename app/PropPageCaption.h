// The task sheet's caption page: a caption or time stamp written into the image. Every change
// sends the whole parameter block to the active view, which draws the caption on a fresh copy of
// the picture it kept when the page opened; OK and "Main Menu" keep it, Cancel takes it back.
#pragma once

#include "app/LinkLabel.h"
#include "editor/EffectParams.h"
#include "framework/dlg/fw_dlg.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/controls/ExtGroupBox.h"

// The user's (bUser) or the computer's name; one blank when it cannot be read.
CString GetUserOrComputerName(bool bUser);

class CPropPageCaption : public CPropertyPage {
  DECLARE_DYNCREATE(CPropPageCaption)
public:
  CPropPageCaption();

  // The navigation links' ids, shared with the other pages.
  enum { kMainMenuId = 5001, kOkId = 5002, kCancelId = 5003 };

  // The block as the last change sent it (or as it was made, before any).
  const EffectParams& GetParams() const { return m_params; }

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnOptionChanged();
  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnInsertDate();
  afx_msg void OnInsertTime();
  afx_msg void OnInsertComputerName();
  afx_msg void OnInsertUserName();
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  void CreateCaptionLinks();
  // Appends one blank and the value to the caption text; the edit's change previews it.
  void AppendToText(const CString& strValue);
  static int CALLBACK EnumFontProc(const LOGFONTA* plf, const TEXTMETRICA* ptm, DWORD dwType, LPARAM lParam);

private:
  CLinkLabel m_linkMainMenu;
  CLinkLabel m_linkOk;
  CLinkLabel m_linkCancel;
  CLinkLabel m_labelText;
  CLinkLabel m_labelSize;
  CLinkLabel m_labelColor;
  CExtGroupBox m_groupFont;
  CExtCheckBox m_chkInside;
  CExtCheckBox m_chkBottom;
  CExtCheckBox m_chkBold;
  CExtCheckBox m_chkItalic;
  CExtCheckBox m_chkUnderline;
  CComboBox m_cbSize;
  CComboBox m_cbFace;
  COLORREF m_clrText;
  EffectParams m_params;
  CExtColorButton m_btnColor;
};
