// The month calendar as the popup menus host it. The calendar itself (its months, drawing, mouse
// and keys) comes with the controls; until then this is the part the date-picker menu relies on:
// creating, sizing and styling it, the selection notification it sends its parent, and the
// retranslated keys it takes while it sits in a menu.
#pragma once

#include "framework/wnd/fw_wnd.h"

struct CCreateContext;

class CExtDatePickerWnd : public CWnd {
  DECLARE_DYNAMIC(CExtDatePickerWnd)
public:
  // Sent to the parent window whenever the selection changes.
  static const UINT& g_nMsgSelectionNotification;

  CExtDatePickerWnd();
  ~CExtDatePickerWnd() override;

  // Creates the calendar with a grid of nColumns by nRows months (at most nMaxColumns by nMaxRows);
  // false on failure.
  virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns, int nRows,
                      int nMaxColumns, int nMaxRows, DWORD dwWindowStyle, DWORD dwDatePickerStyle,
                      CCreateContext* pContext = NULL) = 0;
  // The window size that shows a grid of pDimension->cx by pDimension->cy months.
  virtual void CalcSizeForDimension(CSize& sizeOut, const CSize* pDimension) = 0;
  // Replaces the calendar style: dwRemove (-1: everything) off, dwAdd on; the old style.
  virtual DWORD ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw) = 0;
  // The month grid, each at least 1 and each maximum at least its minimum.
  virtual void SetDimension(int nColumns, int nRows, int nMaxColumns, int nMaxRows, bool bRedraw) = 0;

protected:
  // Takes the keys a popup menu retranslates to it (records of the key kind) as its own.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The calendar's month-list popup: mouse input over it goes to it untouched while the calendar
// sits in a popup menu.
class CExtDatePickerHeaderPopupWnd : public CWnd {
  DECLARE_DYNAMIC(CExtDatePickerHeaderPopupWnd)
};
