// The task sheet: a property sheet living as a borderless child of the main frame's task-sheet
// bar. It shows no tabs, caption or buttons; its pages are switched in code only.
#pragma once

#include "framework/dlg/fw_dlg.h"

class CModelessPropSheet : public CPropertySheet {
  DECLARE_DYNCREATE(CModelessPropSheet)
public:
  CModelessPropSheet();

  // A visible child of pParent with no caption, frame or tabs; FALSE when the window fails.
  BOOL Create(CWnd* pParent);

  // Keeps Alt, the menu mnemonics and the frame's accelerators working while the focus is inside
  // the sheet.
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The background: the XP task-pane blue on Windows XP, a light grey elsewhere.
  static COLORREF BackgroundColor();

protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
