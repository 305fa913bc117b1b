// The modeless "Text Entry" dialog: text, font, size, style, colour, rotation, opacity and
// alignment of the pending text. Every change is gathered into the dialog's fields and reported
// to the active view with UM_TEXT_CHANGED (lParam: the dialog); the view copies the fields into
// its text element.
#pragma once

#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/dlg/fw_dlg.h"
#include "framework/gdi/fw_gdi.h"
#include "resources/resource.h"
#include "toolkit/controls/ExtColorButton.h"

class CTextInputDlg : public CDialog {
public:
  enum { IDD = IDD_TEXT_ENTRY };

  explicit CTextInputDlg(CWnd* pParent = NULL);
  ~CTextInputDlg() override;
  CTextInputDlg(const CTextInputDlg&) = delete;
  CTextInputDlg& operator=(const CTextInputDlg&) = delete;

  // Creates the hidden modeless window from the template, owned by pParent's top-level window.
  using CDialog::Create;
  BOOL Create(CWnd* pParent);

  CComboBox m_cbSize;
  CListBox m_lbFace;
  int m_nOpacity; // 0..255
  CString m_strText;
  int m_nAngle; // 0..360
  COLORREF m_clrText;
  int m_bAntialias; // 1 = ticked
  int m_bBold;
  int m_bItalic;
  int m_bStrikeout;
  int m_bUnderline;
  CString m_strFace;
  int m_nSize;    // points as typed, within 2..100
  int m_nAlignH;  // 0 left, 1 centre, 2 right
  int m_nAlignV;  // 0 top, 1 middle, 2 bottom
  CFont m_font;   // the font the fields describe
  LOGFONTA m_lf;  // m_font's description
  int m_nDpiY;    // the desktop's vertical pixels per inch
  CPoint m_ptPos; // where the dialog shows, in screen coordinates
  CSliderCtrl m_sliderOpacity;
  CSliderCtrl m_sliderRotation;
  CExtColorButton m_btnColor;

  // Readies the shown dialog for a new text: position, size "9", sliders, labels and text.
  void Refresh();
  // Puts the keyboard focus into the text.
  void FocusText();
  // Reads the controls into the fields and makes m_font from them.
  void GatherValues();

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  // Sets both sliders and their value labels from m_nAngle and m_nOpacity.
  void ShowSliders();
  void ShowRotationLabel();
  void ShowOpacityLabel();
  // Sends UM_TEXT_CHANGED to the active view of the main window's active child frame, if any.
  void NotifyView();

  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnValueChanged();
  afx_msg void OnOptionClicked(UINT nID);
  afx_msg void OnSizeChanged();
  afx_msg LRESULT OnColorChangedFinally(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
