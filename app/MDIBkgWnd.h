// The empty MDI area: a tiled pattern with the product's name and three hints at its lower right,
// so a program without documents tells the user where to begin.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"

class CMDIBkgWnd : public CWnd {
  DECLARE_DYNAMIC(CMDIBkgWnd)
public:
  CMDIBkgWnd();

  CBrush m_brush; // the tile
  CSize m_size;   // the last client size seen; (0, 0) before the first
  CFont m_fontTitle;
  CFont m_fontText;
  CString m_strTitle;
  CString m_strHint;
  // The command profile whose texts follow the menu the frame shows; none: they stay.
  CString m_strCommandProfile;

protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnMdiSetMenu(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
