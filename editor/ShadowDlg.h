// The "Shadows Settings" dialog: edits the drop-shadow fields of one drawing style (colour,
// opacity, depths and edge) with a live preview of a square and its shadow.
#pragma once

#include "editor/EditorState.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/dlg/fw_dlg.h"
#include "resources/resource.h"
#include "toolkit/controls/ExtColorButton.h"

// The caller copies its style into m_style (and sets m_bLimited to lock the opacity and the
// apply-to-all choice), runs the dialog modally and, after IDOK, reads m_style and m_bApplyAll.
class CShadowDlg : public CDialog {
  DECLARE_DYNAMIC(CShadowDlg)
public:
  enum { IDD = IDD_SHADOW };

  explicit CShadowDlg(CWnd* pParent = NULL);

  CExtColorButton m_btnShadowColor;
  DrawStyle m_style;
  int m_bApplyAll; // 1 when the shadow fields are to go to every tool
  int m_bLimited;  // locks the opacity slider, its label and the apply-to-all check box

  CSliderCtrl m_sliderOpacity;

  // The shadow depths go from -kMaxDepth to kMaxDepth pixels.
  static const int kMaxDepth = 30;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnPaint();
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnOpacityReleasedCapture(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDepthXDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDepthYDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg LRESULT OnColorChangedFinally(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  // Moves one depth by the up-down's step, within the limits, and shows it in its edit.
  void StepDepth(int& nDepth, int nIDEdit, const NMHDR* pNMHDR);
  void ShowOpacity(int nPos);
  void RepaintPreview();
};
