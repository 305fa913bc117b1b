// The calendar's part the popup menus rely on: the retranslated keys.
#include "toolkit/controls/ExtDatePickerWnd.h"

#include "toolkit/menus/ExtPopupControlMenuWnd.h"

IMPLEMENT_DYNAMIC(CExtDatePickerWnd, CWnd)
IMPLEMENT_DYNAMIC(CExtDatePickerHeaderPopupWnd, CWnd)

CExtDatePickerWnd::CExtDatePickerWnd() {}

CExtDatePickerWnd::~CExtDatePickerWnd() {}

LRESULT CExtDatePickerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate && wParam != 0) {
    CExtPopupControlMenuWnd::InputRecord& rec =
        *reinterpret_cast<CExtPopupControlMenuWnd::InputRecord*>(wParam);
    if (rec.m_nKind != CExtPopupControlMenuWnd::InputRecord::KIND_KEY)
      return 0;
    // The key is the calendar's, as if it had the focus; the caught message goes no further.
    SendMessage(WM_KEYDOWN, rec.m_nVirtKey, MAKELPARAM(rec.m_nRepCnt, rec.m_nFlagsOrMessage));
    if (rec.m_pLetThrough != NULL)
      *rec.m_pLetThrough = 0;
    return 1;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
