// The popup menu hosting a month calendar, and the calendar as the menu makes it.
#include "toolkit/menus/ExtPopupControlMenuWnd.h"

#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <memory>

IMPLEMENT_DYNCREATE(CExtPopupDatePickerMenuWnd, CExtPopupControlMenuWnd)
IMPLEMENT_DYNCREATE(CExtPopupInplaceDatePicker, CExtDatePickerWnd)

CRuntimeClass* CExtPopupDatePickerMenuWnd::g_pCalendarClass = RUNTIME_CLASS(CExtPopupInplaceDatePicker);

namespace {

const UINT kCalendarId = (UINT)-1;

bool IsCalendarClass(const CRuntimeClass* pClass) {
  return pClass != NULL && pClass->m_pfnCreateObject != NULL &&
         pClass->IsDerivedFrom(RUNTIME_CLASS(CExtPopupInplaceDatePicker));
}

} // namespace

CExtPopupDatePickerMenuWnd::CExtPopupDatePickerMenuWnd() { MeasureCalendar(); }

bool CExtPopupDatePickerMenuWnd::MeasureCalendar() {
  if (!IsCalendarClass(g_pCalendarClass))
    return false;
  std::unique_ptr<CObject> pObject(g_pCalendarClass->CreateObject());
  CExtDatePickerWnd* pCalendar = static_cast<CExtDatePickerWnd*>(pObject.get());
  if (pCalendar == NULL)
    return false;
  pCalendar->SetDimension(m_nMonthsHorz, m_nMonthsVert, m_nMonthsHorz, m_nMonthsVert, false);
  pCalendar->ModifyDatePickerStyle((DWORD)-1, m_dwCalendarStyle, false);
  const CSize sizeDimension(m_nMonthsHorz, m_nMonthsVert);
  const CSize size = pCalendar->CalcSizeForDimension(sizeDimension);
  if (size.cx <= 0 || size.cy <= 0)
    return false;
  m_nControlWidth = size.cx;
  m_nControlHeight = size.cy;
  return true;
}

HWND CExtPopupDatePickerMenuWnd::CreateHostedControl(CWnd* pWndMenu, const RECT& rc) {
  if (!IsCalendarClass(g_pCalendarClass) || pWndMenu == NULL)
    return NULL;
  std::unique_ptr<CObject> pObject(g_pCalendarClass->CreateObject());
  CExtPopupInplaceDatePicker* pCalendar = static_cast<CExtPopupInplaceDatePicker*>(pObject.get());
  if (pCalendar == NULL)
    return NULL;
  pCalendar->m_lParamValue = m_lParamValue;
  pCalendar->m_lParamCookie = m_lParamCookie;
  pCalendar->m_pfnInit = m_pfnInit;
  pCalendar->m_pInitParam = m_pInitParam;
  if (!pCalendar->Create(pWndMenu, rc, kCalendarId, m_nMonthsHorz, m_nMonthsVert, m_nMonthsHorz,
                         m_nMonthsVert, m_dwCalendarWindowStyle, m_dwCalendarStyle))
    return NULL;
  if (IsRightToLeftLayout())
    pCalendar->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
  // The calendar goes with its window.
  pCalendar->m_bAutoDeleteWnd = true;
  pObject.release();
  return pCalendar->GetSafeHwnd();
}

bool CExtPopupDatePickerMenuWnd::IsShadowEnabled() const { return CExtPopupMenuWnd::IsShadowEnabled(); }

bool CExtPopupDatePickerMenuWnd::HandleMouseWheel(UINT, const MOUSEHOOKSTRUCT*, bool&) { return true; }

bool CExtPopupDatePickerMenuWnd::IsInputForControl(const POINT& ptScreen, bool bFocusOnly) const {
  if (CExtPopupControlMenuWnd::IsInputForControl(ptScreen, bFocusOnly))
    return true;
  // The calendar's month list is a popup of its own.
  return !bFocusOnly && DYNAMIC_DOWNCAST(CExtDatePickerHeaderPopupWnd,
                                         CWnd::FromHandlePermanent(::WindowFromPoint(ptScreen))) != NULL;
}

LRESULT CExtPopupDatePickerMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtDatePickerWnd::g_nMsgSelectionNotification) {
    if (m_pfnSelection != NULL && m_pfnSelection(wParam, m_pSelectionParam))
      return 0;
    const HWND hWndReceiver = GetCmdReceiverHWND();
    return hWndReceiver != NULL && ::IsWindow(hWndReceiver)
               ? ::SendMessageA(hWndReceiver, message, wParam, lParam)
               : 0;
  }
  return CExtPopupControlMenuWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------

CExtPopupInplaceDatePicker::CExtPopupInplaceDatePicker() {}

LRESULT CExtPopupInplaceDatePicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  case WM_CREATE: {
    const LRESULT lResult = CExtDatePickerWnd::WindowProc(message, wParam, lParam);
    if (lResult == -1)
      return lResult;
    m_dwPickerState |= PICKER_CREATED;
    if (g_PaintManagerHolder.GetPM() != NULL)
      SetFont(&g_PaintManagerHolder->m_FontNormal, FALSE);
    if (m_pfnInit != NULL && m_pfnInit(*this, m_pInitParam))
      return lResult;
    CExtPopupMenuWnd* pMenu =
        DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    const HWND hWndReceiver = pMenu != NULL ? pMenu->GetCmdReceiverHWND() : NULL;
    if (hWndReceiver != NULL && ::IsWindow(hWndReceiver))
      ::SendMessageA(hWndReceiver, g_nMsgPopupDatePickerInitContent, reinterpret_cast<WPARAM>(this),
                     m_lParamCookie);
    return lResult;
  }
  default:
    return CExtDatePickerWnd::WindowProc(message, wParam, lParam);
  }
}
