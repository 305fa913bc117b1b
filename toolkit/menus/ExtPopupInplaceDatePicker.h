// The calendar a date-picker popup menu hosts: it takes the menu's font, asks the owner to fill
// it when it is made, and never takes the activation.
#pragma once

#include "toolkit/controls/ExtDatePickerWnd.h"

class CExtPopupInplaceDatePicker : public CExtDatePickerWnd {
  DECLARE_DYNCREATE(CExtPopupInplaceDatePicker)
public:
  typedef bool (*PFN_INIT)(CExtPopupInplaceDatePicker& wndCalendar, LPVOID pParam);
  enum : DWORD { PICKER_CREATED = 0x01 };

  // Sent on creation to the menu's command receiver when no callback fills the calendar (wParam
  // the calendar, lParam the cookie).
  static const UINT& g_nMsgPopupDatePickerInitContent;

  CExtPopupInplaceDatePicker();

  LPARAM m_lParamValue = 0; // handed over by the menu for the calendar's owner
  DWORD m_dwPickerState = 0;
  PFN_INIT m_pfnInit = NULL;
  LPVOID m_pInitParam = NULL;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
