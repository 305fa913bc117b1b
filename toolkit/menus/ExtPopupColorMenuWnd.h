// The colour popup's registered messages, which colour buttons send their parents. The popup
// itself comes with the toolkit's menus.
#pragma once

#include <windows.h>

class CExtPopupColorMenuWnd {
public:
  // The colour is changing while the user moves over the popup: wParam the colour, lParam the
  // button's cookie.
  static const UINT g_nMsgNotifyColorChanged;
  // The user has chosen a colour: wParam the colour (0xFFFFFFFF for the button's default),
  // lParam the button's cookie.
  static const UINT g_nMsgNotifyColorChangedFinally;
};
