// Popup menus whose whole content is one child control, fed with the input the tracking hooks
// catch: the base, the month-calendar menu and the undo/redo list menu. They are made only by
// their run-time classes.
#pragma once

#include "toolkit/menus/ExtPopupMenuWnd.h"

class CExtPopupControlMenuWnd : public CExtPopupMenuWnd {
  DECLARE_DYNCREATE(CExtPopupControlMenuWnd)
public:
  // The record of g_nMsgControlInputRetranslate (wParam its address, lParam 0).
  struct InputRecord {
    enum Kind : DWORD { KIND_MOUSE_MOVE = 0, KIND_MOUSE_BUTTON = 1, KIND_MOUSE_WHEEL = 2, KIND_KEY = 3 };
    DWORD m_nKind = 0;
    DWORD m_nFlagsOrMessage = 0; // mouse key flags, the button message, or the key-data flags
    int m_x = 0, m_y = 0;        // menu client coordinates (mouse move and button)
    BYTE* m_pLetThrough = NULL;  // set by the control when the message is to reach its window
    UINT m_nVirtKey = 0;
    UINT m_nRepCnt = 0;
    UINT m_nWheelMessage = 0;
    const MOUSEHOOKSTRUCT* m_pMouseHook = NULL;
    CExtPopupControlMenuWnd* m_pMenu = NULL;
  };
  enum : DWORD { CONTROL_ESCAPE_CLOSES = 0x01 };

  static const UINT& g_nMsgControlInputRetranslate;
  static bool g_bControlMenuShadow; // starts off; nothing turns it on

  CExtPopupControlMenuWnd();
  ~CExtPopupControlMenuWnd() override;

  virtual void GetControlRect(RECT& rc) const;
  // Makes the hosted control in the menu; NULL in this class.
  virtual HWND CreateHostedControl(CWnd* pWndMenu, const RECT& rc);

  int m_nControlWidth = 150;
  int m_nControlHeight = 100;
  DWORD m_dwControlFlags = CONTROL_ESCAPE_CLOSES;
  CRect m_rcControl;
  HWND m_hWndControl = NULL;
};

class CExtPopupDatePickerMenuWnd : public CExtPopupControlMenuWnd {
  DECLARE_DYNCREATE(CExtPopupDatePickerMenuWnd)
public:
  CExtPopupDatePickerMenuWnd();
};

class CExtPopupUndoRedoMenuWnd : public CExtPopupControlMenuWnd {
  DECLARE_DYNCREATE(CExtPopupUndoRedoMenuWnd)
public:
  CExtPopupUndoRedoMenuWnd();
  virtual int GetCaptionHeight() const { return 24; }
};
