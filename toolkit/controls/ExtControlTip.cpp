#include "toolkit/controls/ExtControlTip.h"

namespace ExtControlTip {

bool SetText(CWnd*, CToolTipCtrl&, LPCSTR, int, BOOL) { return false; }
void Activate(CToolTipCtrl&, BOOL) {}
void Relay(CWnd*, CToolTipCtrl&, MSG*) {}
bool HitTestOnToolBar(const CWnd*, const CWnd*, CToolTipCtrl&, CPoint, TOOLINFO*, INT_PTR&) { return false; }

} // namespace ExtControlTip
