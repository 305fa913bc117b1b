// The toolkit's modal dialog for choosing a custom colour: a large colour control whose picker is
// chosen from a combo box, a swatch of the new colour above the initial one, and the colour as
// red/green/blue, hue/saturation/lightness and cyan/magenta/yellow values (0..255) in edits with
// up-down controls. Every input keeps all the others in step. After IDOK the caller reads m_clrNew.
#pragma once

#include "framework/core/fw_string.h"
#include "framework/dlg/fw_ctrl.h"
#include "toolkit/controls/ExtButton.h"
#include "toolkit/controls/ExtColorCtrl.h"
#include "toolkit/controls/ExtComboBox.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/controls/ExtResizableDialog.h"

#include <windows.h>

class CExtColorDlg : public CExtResizableDialog {
public:
  // The value rows, in the order of the template's ids.
  enum Row : int {
    ROW_RED,
    ROW_GREEN,
    ROW_BLUE,
    ROW_HUE,
    ROW_SAT,
    ROW_LUM,
    ROW_CYAN,
    ROW_MAGENTA,
    ROW_YELLOW,
    ROW_COUNT
  };
  enum { LABEL_COUNT = ROW_COUNT + 3 };

  CExtColorDlg(COLORREF clrInit, COLORREF clrNew, CWnd* pParent = NULL);

  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;

  // Writes the chosen triples from clr (the rows being typed into are left as they are) and moves
  // both colour controls to clr.
  void SyncControls(COLORREF clr, bool bRGB, bool bCMY, bool bHLS);

  // The error text shown for a value outside 0..255.
  static CString GetRangeErrorText();

  COLORREF m_clrInit;
  COLORREF m_clrNew;
  CString m_strCaption; // the window title when not empty (the text after a first line break)

  CSpinButtonCtrl m_arrSpins[ROW_COUNT];
  CEdit m_arrEdits[ROW_COUNT];
  CExtComboBox m_wndMode;
  CExtButton m_btnCancel;
  CExtButton m_btnOk;
  CExtLabel m_arrLabels[LABEL_COUNT];

  bool m_bInitialized;
  bool m_bSyncing;
  HICON m_hIcon; // shared: loaded from the resources, never destroyed
  CExtColorCtrl m_wndPicker;
  CExtColorCtrl m_wndDiff;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnModeChange();
  afx_msg void OnChangeRgb();
  afx_msg void OnChangeHls();
  afx_msg void OnChangeCmy();
  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  // Reads the three edits of a triple from nFirstRow; false (after telling the user and focusing
  // the edit) at the first value outside 0..255.
  bool ReadTriple(int nFirstRow, int (&arrValues)[3]);
  void SetRowValue(int nRow, int nValue);
  void AnchorControls();
};
