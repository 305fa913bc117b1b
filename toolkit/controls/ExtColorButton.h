// A colour button bound to a dialog's button control: its face shows the chosen colour, a click
// lets the user choose another in the system's colour dialog, and the choice is sent to the
// parent as CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally. It keeps the members the
// dialogs use of the themed colour button with its colour popup, which takes its place later.
#pragma once

#include "framework/dlg/fw_ctrl.h"

class CExtColorButton : public CButton {
  DECLARE_DYNCREATE(CExtColorButton)
public:
  CExtColorButton();

  COLORREF m_clrDefault;  // the default colour; -1 none
  COLORREF m_clrSelected; // the colour shown and reported
  LPARAM m_lParamCookie;  // sent back as the notification's lParam

  // Shows the colour (repainting a bound window).
  void SetColor(COLORREF clr);

protected:
  void PreSubclassWindow() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  afx_msg void OnClicked();
  DECLARE_MESSAGE_MAP()
};
