// A themed edit control: colours from the current theme (or the caller's), a tooltip of its own,
// tool-bar tips passed through when it sits on a tool bar, and a toolkit popup menu with the
// standard edit commands whose enabling follows the edit's state.
#pragma once

#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"

class CExtEditBase : public CEdit {
  DECLARE_DYNCREATE(CExtEditBase)
public:
  enum EditFlags : BYTE {
    EDIT_STD_COMMANDS = 0x01, // handles the standard edit commands and shows their context menu
  };
  // The standard edit commands, in the order of the context menu (0 stands for a separator).
  static const UINT g_arrStdCommands[8];

  CExtEditBase();
  ~CExtEditBase() override;

  BYTE m_nEditFlags;
  CToolTipCtrl m_wndToolTip;
  COLORREF m_clrBack;      // -1: the theme's window colour (button face when read-only)
  COLORREF m_clrBackBrush; // the colour m_brBack was made for
  CBrush m_brBack;
  COLORREF m_clrText; // -1: the theme's window text (gray text when disabled)

  // An empty text changes nothing; a text with a carriage return wraps at GetTipMaxWidth().
  void SetTooltipText(LPCSTR lpszText, BOOL bActivate = TRUE);
  void ActivateTooltip(BOOL bActivate = TRUE);
  virtual int GetTipMaxWidth() const;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The colours of a control: the text, the background (with its cached brush) for message box,
  // edit and static parts; NULL for other parts, which keep the default.
  static HBRUSH ThemedCtlColor(CWnd* pWnd, CDC* pDC, UINT nCtlColor, COLORREF clrText, COLORREF clrBack,
                               bool bReadOnlyFace, COLORREF& clrBackBrush, CBrush& brBack);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Shows the standard edit menu at the screen point (at the client centre when the point is
  // outside the client area); false when there is no command profile or the menu could not be
  // shown.
  bool TrackStdContextMenu(CPoint ptScreen);
  // Answers whether the command is one of the standard ones, filling its enabling.
  bool QueryStdCommand(UINT nID, bool& bEnabled) const;
  void ExecuteStdCommand(UINT nID);

  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};
