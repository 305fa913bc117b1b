// The thumbnail list of the stamp and callout picker: the pictures of one folder as framed
// thumbnails in an icon-view list.
#pragma once

#include "framework/core/fw_string.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"

#include <vector>

class CThumbsListCtrl : public CListCtrl {
  DECLARE_DYNAMIC(CThumbsListCtrl)
public:
  enum { kStamps = 1, kCallouts = 2 };

  CThumbsListCtrl();

  // Lists the pictures of a folder, one thumbnail each, and selects the first. Listing the folder
  // listed last does nothing.
  void FillFromFolder(const CString& strFolder);
  // The path of the first selected item; empty when nothing is selected.
  CString GetSelectedPath() const;
  // Thumbnails are square: 64 pixels for stamps, 100 for callouts.
  int ThumbSize() const { return m_nKind == kStamps ? 64 : 100; }

  int m_nKind;                  // kStamps; any other value lists callouts
  CImageList m_imageList;       // the thumbnails, 24-bit colour
  std::vector<CString> m_paths; // item i shows image i and stands for path i
  CString m_strFolder;          // the folder listed last

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

// What the list sends its parent (as WM_PARENTNOTIFY's wParam and lParam) when a thumbnail is
// double-clicked.
const int kThumbChosenNotify = 101;
