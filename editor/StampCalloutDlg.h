// The stamp and callout picker: a small modal dialog that shows the pictures of one folder as
// thumbnails and hands back the path of the one the user picks.
#pragma once

#include "editor/ThumbsListCtrl.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/dlg/fw_dlg.h"
#include "resources/resource.h"

// Set m_ptPos, m_strFolder and the kind, run modally; after IDOK m_strChosen holds the path of
// the picked picture (empty when the folder held none).
class CStampCalloutDlg : public CDialog {
  DECLARE_DYNAMIC(CStampCalloutDlg)
public:
  enum { IDD = IDD_STAMP_CALLOUT };
  enum { kListId = 1020 }; // the thumbnail list, made over the frame IDC_STAMP_THUMBS

  explicit CStampCalloutDlg(CWnd* pParent = NULL);

  // CThumbsListCtrl::kStamps or kCallouts; before the dialog runs.
  void SetKind(int nKind) { m_list.m_nKind = nKind; }

  CPoint m_ptPos;      // the dialog's top-left corner on the screen
  CString m_strFolder; // the folder whose pictures are offered
  CString m_strChosen; // the result: the picked picture's path
  HICON m_hIcon;       // the small icon; shared, not destroyed
  CThumbsListCtrl m_list;

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnPaint();
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
