// Popup menus whose whole content is one child control, fed with the input the tracking hooks
// catch: the base, the month-calendar menu and the undo/redo list menu. They are made only by
// their run-time classes.
#pragma once

#include "toolkit/menus/ExtPopupInplaceDatePicker.h"
#include "toolkit/menus/ExtPopupInplaceListBox.h"
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

  // Overrides of the popup menu. Without its control a menu is not made.
  void AdjustAnimationType(int& nType) override;
  bool IsShadowEnabled() const override;
  bool HasNoShownItems() const override { return false; }
  bool CreateMenuWindow(CWnd* pWndParent) override;
  void RecalcLayoutRects() override;
  CSize MeasureMenu() const override;
  // Input over the control, or while it has the focus or the capture, goes on to it untouched
  // (bNoEat); the rest is handed to it as records.
  bool HandleMouseWheel(UINT nMsg, const MOUSEHOOKSTRUCT* pMouseData, bool& bNoEat) override;
  bool HandleMouseMove(UINT nMsg, int x, int y, bool& bNoEat) override;
  bool HandleMouseClick(UINT nMsg, int x, int y, bool& bNoEat) override;
  bool HandleKeyboard(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat) override;
  bool CanOpenFromItem() const override;

  // Hands a record to the control and answers whether it used it; a let-through the control asks
  // for sets bNoEat (and answers false).
  bool Retranslate(InputRecord& rec, bool& bNoEat);
  // Closes this submenu: the parent becomes the hover menu with the item that opened this one
  // current again. False for a top-level menu, which stays.
  bool ReturnToParentMenu();

  int m_nControlWidth = 150;
  int m_nControlHeight = 100;
  DWORD m_dwControlFlags = CONTROL_ESCAPE_CLOSES;
  CRect m_rcControl;
  HWND m_hWndControl = NULL;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Where the control lies for the current layout, in client coordinates.
  virtual CRect CalcControlRect() const;
  // Whether mouse input at the screen point belongs to the control's own window: the window under
  // the point (unless bFocusOnly), the focus or the capture is the control or lies in it.
  virtual bool IsInputForControl(const POINT& ptScreen, bool bFocusOnly = false) const;

private:
  // An opening animation runs, the tracking ends or tracks nothing: input is taken without effect.
  bool IsInputSuspended() const;
  // Whether the screen point lies over this menu's window or one of its children.
  bool IsOverThisMenu(const POINT& ptScreen) const;
  // What every mouse message meets first: a suspended menu eats it, input over the control goes
  // on to the control; MOUSE_GO_ON leaves it to the handler with the point on the screen.
  enum MouseStart { MOUSE_NOT_HANDLED, MOUSE_HANDLED, MOUSE_GO_ON };
  MouseStart StartMouseInput(int x, int y, bool& bNoEat, CPoint& ptScreen);
  void HoverTearOffBar();
};

class CExtPopupDatePickerMenuWnd : public CExtPopupControlMenuWnd {
  DECLARE_DYNCREATE(CExtPopupDatePickerMenuWnd)
public:
  // Offered the calendar's selection notifications first (wParam as sent); true keeps one from the
  // receiver.
  typedef bool (*PFN_SELECTION)(WPARAM wParamNotification, LPVOID pParam);

  // The class of the calendar the menus host: CExtPopupInplaceDatePicker or a class derived from
  // it; without one the menu cannot be made.
  static CRuntimeClass* g_pCalendarClass;

  CExtPopupDatePickerMenuWnd();

  // Sizes the control for the months and style from a calendar that only measures; false without
  // a calendar class.
  bool MeasureCalendar();
  HWND CreateHostedControl(CWnd* pWndMenu, const RECT& rc) override;
  bool IsShadowEnabled() const override;
  bool HandleMouseWheel(UINT nMsg, const MOUSEHOOKSTRUCT* pMouseData, bool& bNoEat) override;

  LPARAM m_lParamValue = 0;
  LPARAM m_lParamCookie = 0;
  int m_nMonthsHorz = 1, m_nMonthsVert = 1;
  DWORD m_dwCalendarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  DWORD m_dwCalendarStyle = 7703;
  PFN_SELECTION m_pfnSelection = NULL;
  LPVOID m_pSelectionParam = NULL;
  CExtPopupInplaceDatePicker::PFN_INIT m_pfnInit = NULL;
  LPVOID m_pInitParam = NULL;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool IsInputForControl(const POINT& ptScreen, bool bFocusOnly = false) const override;
};

class CExtPopupUndoRedoMenuWnd : public CExtPopupControlMenuWnd {
  DECLARE_DYNCREATE(CExtPopupUndoRedoMenuWnd)
public:
  CExtPopupUndoRedoMenuWnd();
  virtual int GetCaptionHeight() const { return 24; }
  // Draws "Undo %d Actions" with the selected count through the theme.
  virtual void UpdateCaption(CDC& dc, const RECT& rc);
  CString GetCaptionText() const;

  HWND CreateHostedControl(CWnd* pWndMenu, const RECT& rc) override;
  bool IsShadowEnabled() const override;
  void RecalcLayoutRects() override;
  CSize MeasureMenu() const override;
  void PaintContent(CDC& dc, bool bOnScreen) override;
  // The hosted list told of its new selection.
  void SetSelectedCount(int nCount);

  LPARAM m_lParamCookie = 0;
  DWORD m_dwListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_MULTIPLESEL | LBS_OWNERDRAWVARIABLE |
                        LBS_HASSTRINGS; // 0x50200068
  CExtPopupInplaceListBox::PFN_SELECTION m_pfnSelection = NULL;
  LPVOID m_pSelectionParam = NULL;
  CExtPopupInplaceListBox::PFN_INIT m_pfnInit = NULL;
  LPVOID m_pInitParam = NULL;
  CExtPopupInplaceListBox::PFN_DRAW_ITEM m_pfnDrawItem = NULL;
  CExtPopupInplaceListBox::PFN_MEASURE_ITEM m_pfnMeasureItem = NULL;
  LPVOID m_pItemParam = NULL;
  CRect m_rcCaption;
  int m_nSelectedCount = 0;

protected:
  CRect CalcControlRect() const override;
};
