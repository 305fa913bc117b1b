#include "toolkit/menus/ExtPopupColorMenuWnd.h"

const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally");
