// What the themed edit and combo box share: their own tooltip, made on first use, and the tips of
// a tool bar they sit on, shown in that tooltip.
#pragma once

#include "framework/dlg/fw_ctrl.h"

namespace ExtControlTip {

// Creates the tooltip when missing, adds the client-area tool (id 1) when it has none and sets the
// text, wrapping it at nMaxWidth when it holds a carriage return; false when the text is empty or
// the tooltip cannot be made.
bool SetText(CWnd* pCtrl, CToolTipCtrl& wndToolTip, LPCSTR lpszText, int nMaxWidth, BOOL bActivate);
// Activates or deactivates a tooltip that has tools.
void Activate(CToolTipCtrl& wndToolTip, BOOL bActivate);
// Relays a message to the tooltip, creating it inactive on first use; nothing while a popup menu
// is tracked.
void Relay(CWnd* pCtrl, CToolTipCtrl& wndToolTip, MSG* pMsg);
// The tool hit test of a control whose tip parent is a tool bar: the bar's tip for the point
// becomes the control's own tip and the answer is -1. False (nResult untouched) when pTipParent is
// no tool bar.
bool HitTestOnToolBar(CWnd* pCtrl, CWnd* pTipParent, CToolTipCtrl& wndToolTip, int nMaxWidth, CPoint point,
                      TOOLINFO* pTI, INT_PTR& nResult);

} // namespace ExtControlTip
