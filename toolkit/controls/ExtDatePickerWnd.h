// The toolkit's month calendar: a grid of months with an optional "Today"/"None" button area, a
// single date or a range selected by mouse or keys, every change sent to a receiver window. It
// lives as a dialog control or inside a popup menu (which retranslates keys to it). The month list
// shown over a caption while the button is held is CExtDatePickerHeaderPopupWnd.
//
// Sources: ExtDatePickerWnd.cpp (state, styles, dimension, layout, selection, notification),
// ExtDatePickerInput.cpp (mouse, keys, timers), ExtDatePickerHeaderPopupWnd.cpp (the month list
// and its modal loop), ExtDatePickerMonth.cpp (the months, their cells, hit testing) and
// ExtDatePickerPaint.cpp (measurements, fonts, names and all drawing).
#pragma once

#include "framework/core/fw_time.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/menus/ExtPopupShadow.h"

#include <memory>
#include <vector>

struct CCreateContext;
class CExtDatePickerHeaderPopupWnd;

class CExtDatePickerWnd : public CWnd, public CExtMouseCaptureSink {
  DECLARE_DYNCREATE(CExtDatePickerWnd)
public:
  enum DatePickerStyle : DWORD {
    DPS_BORDER = 0x0001,                          // 4 pixels of border space around the months
    DPS_BORDER_DRAWN = 0x0002,                    // with DPS_BORDER, the border is painted
    DPS_BUTTON_TODAY = 0x0004,                    // a button area with "Today"
    DPS_BUTTON_NONE = 0x0008,                     // a button area with "None"
    DPS_BUTTON_SEPARATOR = 0x0010,                // a line over the button area
    DPS_BOLD_HEADER = 0x0020,                     // bold month captions
    DPS_BOLD_POPUP_MONTHS = 0x0040,               // bold names in the month list
    DPS_BOLD_DAY_NAMES = 0x0080,                  // bold day-of-week letters
    DPS_BOLD_DAY_NUMBERS = 0x0100,                // bold day numbers
    DPS_SHOW_OUT_OF_MONTH_DAYS = 0x0200,          // neighbouring months' days drawn and selectable
    DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY = 0x0400, // ...only before the first and after the last month
    DPS_MARK_TODAY = 0x0800,                      // today's date is framed
    DPS_HEADER_POPUP_SHADOW = 0x1000,             // the month list casts a shadow
    DPS_MULTIPLE_SELECTION = 0x2000,              // a range of dates can be selected
    DPS_AUTO_DIMENSION = 0x4000,                  // the grid follows the window size
    DPS_NO_HEADER_BACKGROUND = 0x8000,            // month headers get no background
    DPS_CENTER_HORIZONTALLY = 0x10000,            // centred in a wider window
    DPS_CENTER_VERTICALLY = 0x20000,              // centred in a taller window
    DPS_BUTTONS = DPS_BUTTON_TODAY | DPS_BUTTON_NONE,
    DPS_ANY_BOLD = DPS_BOLD_HEADER | DPS_BOLD_POPUP_MONTHS | DPS_BOLD_DAY_NAMES | DPS_BOLD_DAY_NUMBERS,
    DPS_DEFAULT = 0x1E17,
  };

  // What a point lies on (HitTest); the month codes 4..8 come from MONTH_INFO::HitTest.
  enum HitCode : int {
    HT_NOWHERE = 0,
    HT_BUTTON_NONE = 1,
    HT_BUTTON_TODAY = 2,
    HT_MONTHS_AREA = 3,
    HT_SCROLL_PREV = 4, // top-left month only
    HT_SCROLL_NEXT = 5, // top-right month only
    HT_CAPTION = 6,
    HT_DAY_NAMES = 7,
    HT_DATE_CELL = 8,
  };

  // What the pressed left button is doing.
  enum TrackingCode : int {
    TRACK_NONE = 0,
    TRACK_SCROLL_PREV = 1,
    TRACK_SCROLL_NEXT = 2,
    TRACK_BUTTON_NONE = 3,
    TRACK_BUTTON_TODAY = 4,
    TRACK_SELECTION = 5,
  };

  // Button ids of GetButtonText and OnDatePickerDrawButton.
  enum ButtonId : int { BUTTON_NONE = 1, BUTTON_TODAY = 2 };

  enum : UINT { TIMER_SCROLL = 1 };
  enum : UINT { SCROLL_DELAY_MS = 150 };

  // Sent to the receiver with every selection change: wParam the SELECTION_NOTIFICATION's address,
  // lParam the cookie.
  static const UINT& g_nMsgSelectionNotification;

  struct SELECTION_NOTIFICATION {
    enum Flags : BYTE {
      FINAL = 0x01,      // the user has finished choosing
      CLOSE_HOST = 0x02, // with FINAL, the picker's parent gets WM_CANCELMODE afterwards
    };
    COleDateTime m_dtBegin;
    COleDateTime m_dtEnd;
    HWND m_hWndDatePicker = NULL;
    LPARAM m_lParamCookie = 0;
    BYTE m_nFlags = 0;
    COleDateTime* m_pExternalSelection = NULL; // two values, begin then end; may be null
    bool IsFinal() const { return (m_nFlags & FINAL) != 0; }
    bool IsCloseHost() const { return (m_nFlags & CLOSE_HOST) != 0; }
  };

  // One displayed month: 42 cells of six weeks, its header, arrows and day-names row. Built and
  // destroyed only by the picker's rebuild; nothing in it changes after construction. The picker
  // builds one only for a month of the years 100..9999; cells whose date would fall outside that
  // range stay blank.
  class MONTH_INFO : public CObject {
  public:
    enum : int { CELL_COUNT = 42 };

    // One day cell; a null date is a blank cell.
    class DATE_INFO : public CObject {
    public:
      DATE_INFO();
      void Init(CExtDatePickerWnd* pPicker, MONTH_INFO* pMonth);
      void SetRect(const RECT& rc) { m_rcCell = rc; }
      void SetDate(const COleDateTime& dt) { m_dt = dt; }
      const CRect& GetRect() const { return m_rcCell; }
      const COleDateTime& GetDate() const { return m_dt; }
      const MONTH_INFO* GetMonth() const { return m_pMonth; }
      bool HitTest(const POINT& pt) const;
      // Draws the cell through the picker's OnDatePickerDrawDateCell (nothing for a null date).
      virtual void Draw(CDC& dc, bool bShowOutOfMonthDays, bool bMarkToday) const;

    protected:
      CRect m_rcCell;
      COleDateTime m_dt;
      CExtDatePickerWnd* m_pPicker = NULL;
      MONTH_INFO* m_pMonth = NULL;
    };

    MONTH_INFO(int nRow, int nColumn, int nMonth, int nYear, const RECT& rcMonth, CExtDatePickerWnd* pPicker);
    ~MONTH_INFO() override;
    MONTH_INFO(const MONTH_INFO&) = delete;
    MONTH_INFO& operator=(const MONTH_INFO&) = delete;

    // Places the header, arrows, caption, day-names row and cells inside the month rectangle.
    virtual void RecalcLayout();
    // A HitCode: HT_NOWHERE outside the month, else HT_SCROLL_PREV..HT_DATE_CELL; pDt (set null
    // first) receives the first of the month (01:01:01) for the caption and day names, the cell's
    // date (or that first-of-month date) in the days area.
    virtual int HitTest(const POINT& pt, COleDateTime* pDt = NULL) const;
    virtual void Draw(CDC& dc) const;
    // The cell under the point, or NULL.
    const DATE_INFO* HitTestDay(const POINT& pt) const;
    COleDateTime GetFirstDayOfMonth() const;

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    int GetMonth() const { return m_nMonth; }
    int GetYear() const { return m_nYear; }
    const CRect& GetMonthRect() const { return m_rcMonth; }
    const CRect& GetHeaderRect() const { return m_rcHeader; }
    const CRect& GetHeaderInnerRect() const { return m_rcHeaderInner; }
    const CRect& GetCaptionRect() const { return m_rcCaption; }
    const CRect& GetScrollPrevRect() const { return m_rcScrollPrev; }
    const CRect& GetScrollNextRect() const { return m_rcScrollNext; }
    const CRect& GetDaysRect() const { return m_rcDays; }
    const CRect& GetDayNamesRect() const { return m_rcDayNames; }
    const DATE_INFO& GetCell(int nIndex) const { return m_arrCells[nIndex]; }

  protected:
    DATE_INFO m_arrCells[CELL_COUNT];
    int m_nMonth = 1;
    int m_nYear = 1900;
    CRect m_rcScrollPrev;
    CRect m_rcScrollNext;
    CRect m_rcCaption;
    CRect m_rcHeader;
    CRect m_rcHeaderInner;
    CRect m_rcDays;
    CRect m_rcDayNames;
    CExtDatePickerWnd* m_pPicker = NULL;
    int m_nRow = 0;
    int m_nColumn = 0;
    CRect m_rcMonth;
  };

  CExtDatePickerWnd();
  ~CExtDatePickerWnd() override;
  CExtDatePickerWnd(const CExtDatePickerWnd&) = delete;
  CExtDatePickerWnd& operator=(const CExtDatePickerWnd&) = delete;

  // Creates the window with a grid of nColumns x nRows months (growing up to nMaxColumns x
  // nMaxRows with DPS_AUTO_DIMENSION); false when the class or the window cannot be made.
  virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns = 1, int nRows = 1,
                      int nMaxColumns = 1, int nMaxRows = 1,
                      DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                      DWORD dwDatePickerStyle = DPS_DEFAULT, CCreateContext* pContext = NULL);
  virtual DWORD GetDatePickerStyle() const;
  // (old & ~dwRemove) | dwAdd; dwRemove (DWORD)-1 clears every bit. Answers the old style.
  virtual DWORD ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd = 0, bool bUpdateNow = false);
  // Lays out, invalidates and (when asked and visible) paints at once; never re-entered.
  virtual void UpdateDatePickerWnd(bool bUpdateNow = false);
  virtual bool IsDateSelected(const COleDateTime& dt) const;
  // False for a date that is not valid; otherwise shows its month when it is not displayed.
  virtual bool EnsureVisible(const COleDateTime& dt, bool bUpdateNow = false);
  virtual void SelectionSet(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize = false,
                            bool bUpdateNow = false);
  virtual void SelectionGet(COleDateTime& dtBegin, COleDateTime& dtEnd) const;
  virtual void GetDisplayedRange(COleDateTime& dtFirst, COleDateTime& dtLast) const;
  // The top-left month becomes the date's; a date that is not valid is ignored.
  virtual void CurrentDateSet(const COleDateTime& dt, bool bUpdateNow = false);
  virtual COleDateTime CurrentDateGet() const;
  // Non-zero columns/rows set the minimum grid, non-zero maxima the maximum (each at least 1, the
  // maximum at least the minimum).
  virtual void SetDimension(int nColumns = 1, int nRows = 1, int nMaxColumns = 1, int nMaxRows = 1,
                            bool bUpdateNow = false);
  virtual void GetDimension(CSize* pSizeMin = NULL, CSize* pSizeMax = NULL, CSize* pSizeCurrent = NULL) const;
  // The full month name (LOCALE_SMONTHNAME1..12).
  virtual CString GetMonthName(int nMonth, bool bMakeUpper = false) const;
  // 0 Monday .. 6 Sunday, from the locale.
  virtual int GetFirstDayOfWeek() const;
  // The first letter of the abbreviated name of day 1 (Monday) .. 7 (Sunday).
  virtual CString GetDayName(int nDay, bool bMakeUpper = false) const;
  // Now, local time with the time of day.
  virtual COleDateTime GetTodayDate() const;
  // The set receiver while it is a window, else the parent.
  virtual HWND GetNotificationReceiver() const;

  // Drawing, each into the memory DC of WM_PAINT.
  virtual void OnDatePickerDrawTodayFrame(CDC& dc, bool bShowOutOfMonthDays, bool bMarkToday,
                                          bool bOutOfMonth, bool bToday, const CRect& rcCell,
                                          const COleDateTime& dt, bool bSelected) const;
  virtual void OnDatePickerDrawDateCell(CDC& dc, bool bShowOutOfMonthDays, bool bMarkToday, bool bOutOfMonth,
                                        bool bToday, const CRect& rcCell, const COleDateTime& dt,
                                        bool bSelected) const;
  virtual void OnDatePickerDrawSeparator(CDC& dc, const CRect& rc) const;
  // BUTTON_NONE "None", BUTTON_TODAY "Today" (string resources first), else empty.
  virtual CString GetButtonText(int nButtonId) const;
  virtual void OnDatePickerDrawButton(CDC& dc, const CRect& rc, int nButtonId, const CString& sText,
                                      bool bFlat, bool bDrawBorder, bool bPushed, bool bHover) const;
  virtual void OnDatePickerDrawHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
                                                const CRect& rcHeader, const CRect& rcHeaderInner,
                                                const CRect& rcCaption, const CRect& rcScrollPrev,
                                                const CRect& rcScrollNext) const;
  virtual void OnDatePickerDrawHeader(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
                                      const CRect& rcHeader, const CRect& rcHeaderInner,
                                      const CRect& rcCaption, const CRect& rcScrollPrev,
                                      const CRect& rcScrollNext) const;
  virtual void OnDatePickerDrawDayNames(int nYear, int nMonth, CDC& dc, const CRect& rcDayNames) const;
  virtual void OnDatePickerDrawEntire(CDC& dc, const CRect& rcClient) const;
  virtual void OnDatePickerDrawBackground(CDC& dc, const CRect& rcClient) const;
  virtual void OnDatePickerDrawBorder(CDC& dc, const CRect& rcBorder) const;

  // Measurements and fonts.
  // Left, top, right and bottom border sizes (4 each with DPS_BORDER).
  virtual CRect OnDatePickerQueryBorderSizes() const;
  virtual CFont* OnDatePickerQueryMonthNameFont() const;
  virtual CFont* OnDatePickerQueryDayNumberFont() const;
  virtual CFont* OnDatePickerQueryHeaderFont() const;
  virtual CFont* OnDatePickerQueryDayNameFont() const;
  virtual int OnDatePickerQueryIndent() const;
  virtual CSize OnDatePickerQueryDateCellSize() const;
  virtual CSize OnDatePickerQueryButtonSize() const;
  virtual CSize OnDatePickerQueryScrollButtonSize() const;
  virtual int OnDatePickerQueryHeaderHeight() const;
  virtual int OnDatePickerQueryDayNamesHeight() const;
  virtual int OnDatePickerQueryButtonAreaHeight() const;
  virtual CSize OnDatePickerQueryMonthSize() const;
  // Computes the eight measurements with dc.
  virtual void OnDatePickerRecalcMetrics(CDC& dc, CSize& sizeMonth, CSize& sizeDateCell, CSize& sizeButton,
                                         CSize& sizeScrollButton, int& nMonthHeaderHeight,
                                         int& nButtonAreaHeight, int& nDayNamesHeight, int& nIndentSpace);
  // The window size showing sizeDimension.cx x .cy months, borders and button area included.
  virtual CSize CalcSizeForDimension(const CSize& sizeDimension);
  // With an arrow held, moves the top-left month by nMonths; bStartTimer starts the repeat.
  virtual void OnDatePickerScroll(int nMonths = 1, bool bStartTimer = true);

  // What a point in client coordinates lies on (a HitCode). With pDt the months area is examined
  // in detail (else HT_MONTHS_AREA) and pDt gets the month's date; ppMonth gets the month hit.
  int HitTest(const POINT& pt, COleDateTime* pDt = NULL, const MONTH_INFO** ppMonth = NULL) const;
  // The month at the grid place, or NULL.
  const MONTH_INFO* GetMonthAt(int nRow, int nColumn) const;
  int GetMonthCount() const { return (int)m_arrMonths.size(); }
  int GetTrackingCode() const { return m_nTrackingCode; }
  const CRect& GetBorderRect() const { return m_rcBorder; }
  const CRect& GetMonthsAreaRect() const { return m_rcMonthsArea; }
  const CRect& GetButtonNoneRect() const { return m_rcButtonNone; }
  const CRect& GetButtonTodayRect() const { return m_rcButtonToday; }
  // Recalculates the stored measurements with a screen DC.
  void RecalcMetrics();
  // Deletes and rebuilds every month from the current date.
  void RebuildMonths(bool bUpdateNow = false);

  // Filled by the host: passed with every notification, where notifications go, and the two
  // dates (begin, end) a final notification or Return writes back.
  LPARAM m_lParamCookie = 0;
  HWND m_hWndNotificationReceiver = NULL;
  COleDateTime* m_pExternalSelection = NULL;
  // The object deletes itself after its window is destroyed.
  bool m_bAutoDeleteWnd = false;

protected:
  enum StateBits : BYTE {
    STATE_CREATED = 0x01,        // made by Create, not subclassed
    STATE_IN_CANCEL_MODE = 0x02, // WM_CANCELMODE is being handled
    STATE_UPDATING = 0x04,       // UpdateDatePickerWnd runs
    STATE_HOVER_TODAY = 0x08,
    STATE_HOVER_NONE = 0x10,
  };

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PreSubclassWindow() override;
  void PostNcDestroy() override;

  // Input; each answers whether it handled the input.
  virtual bool OnDatePickerMouseClick(const CPoint& point, bool bPressed, int nButton, UINT nFlags);
  virtual bool OnDatePickerMouseMove(const CPoint& point, UINT nFlags);
  virtual bool OnDatePickerKey(UINT nVirtKey);

  // Sends one notification; false when the picker's window went away meanwhile.
  bool SendNotification(bool bFinal, bool bCloseHost);
  // Stores the selection as SelectionSet does, without updating or notifying; true when it changed.
  bool StoreSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize);
  bool IsInPopupMenu() const;
  void RecalcLayout();
  void CancelTracking();

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnTimeChange();
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  int m_nTrackingCode = TRACK_NONE;
  DWORD m_dwDatePickerStyle = DPS_DEFAULT;
  CSize m_sizeMin{1, 1};
  CSize m_sizeCurrent{1, 1};
  CSize m_sizeMax{1, 1};
  CRect m_rcBorder;
  CRect m_rcMonthsArea;
  CRect m_rcButtonNone;
  CRect m_rcButtonToday;
  std::vector<std::unique_ptr<MONTH_INFO>> m_arrMonths;
  COleDateTime m_dtCurrentDate;
  COleDateTime m_dtSelBegin;
  COleDateTime m_dtSelEnd;
  COleDateTime m_dtDisplayedBegin;
  COleDateTime m_dtDisplayedEnd;
  BYTE m_nStateBits = 0;
  CSize m_sizeMonth;
  CSize m_sizeDateCell;
  CSize m_sizeButton;
  CSize m_sizeScrollButton;
  int m_nMonthHeaderHeight = 0;
  int m_nButtonAreaHeight = 0;
  int m_nDayNamesHeight = 0;
  int m_nIndentSpace = 0;

private:
  static bool RegisterDatePickerClass();
  // Runs the month list over the month's caption until the button is released; true with the
  // chosen month and year when the user released it on an item.
  bool TrackHeaderPopup(const MONTH_INFO& month, int& nMonthOut, int& nYearOut);
  bool HandleButtonNone(bool bPressed, int nPrevTracking);
  bool HandleButtonToday(bool bPressed, int nPrevTracking);
  bool HandleDateCell(bool bPressed, int nPrevTracking, const CPoint& point);
  // False when the picker went away while the month list was open.
  bool HandleCaption(const MONTH_INFO& month);
  void PostCancelModeToParent();
};

// The month list over a month's caption: seven months centred on the clicked one. Scrolls by a
// month per tick (timer 2 upward, timer 3 downward) while the mouse is above or below it.
class CExtDatePickerHeaderPopupWnd : public CWnd {
  DECLARE_DYNAMIC(CExtDatePickerHeaderPopupWnd)
public:
  enum : UINT { TIMER_SCROLL_UP = 2, TIMER_SCROLL_DOWN = 3 };
  enum : int { ITEM_COUNT = 7, SHADOW_SIZE = 3 };

  // Measures the items with the picker's month-name font.
  CExtDatePickerHeaderPopupWnd(CExtDatePickerWnd* pPicker, bool bShadow);
  ~CExtDatePickerHeaderPopupWnd() override;

  // The topmost tool window owned by the picker; false when it cannot be made.
  bool Create();
  // Out of range values (month 1..12, year 100..9999) are ignored.
  void SetMonthYear(int nMonth, int nYear);
  int GetMiddleMonth() const { return m_nMonth; }
  int GetMiddleYear() const { return m_nYear; }
  // False when no item is under the mouse.
  bool GetSelection(int& nMonth, int& nYear) const;
  // The item (0..6) under the client point, or -1.
  int ItemHitTest(const POINT& pt) const;
  // Follows the pointer: selects the item under it, or runs the scroll timer for its distance. The
  // point is the screen position of the move being handled; without one, the cursor's.
  void TrackMouseMove(const POINT* pptScreen = NULL);
  int GetShadowSize() const { return m_bShadow ? SHADOW_SIZE : 0; }
  CSize GetWindowSize() const { return CSize(m_nWindowWidth, m_nWindowHeight); }
  CSize GetItemSize() const { return CSize(m_nItemWidth, m_nItemHeight); }
  bool IsScrollTimerRunning(UINT nTimerId) const;
  UINT GetTimerInterval(UINT nTimerId) const;

protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT nIDEvent);
  DECLARE_MESSAGE_MAP()

private:
  void Measure();
  void StartScrollTimer(UINT nTimerId, UINT nInterval);
  void StopScrollTimer(UINT nTimerId);
  void PaintFrame();
  // The month i items after the first listed one.
  void ItemMonth(int nItem, int& nMonth, int& nYear) const;

  int m_nWindowWidth = 0;
  int m_nWindowHeight = 0;
  int m_nItemWidth = 0;
  int m_nItemHeight = 0;
  int m_nMonth = 0;
  int m_nYear = 0;
  int m_nSelMonth = 0;
  int m_nSelYear = 0;
  CExtDatePickerWnd* m_pPicker = NULL;
  CExtPopupShadow m_shadow;
  bool m_bTimerUpRunning = false;
  bool m_bTimerDownRunning = false;
  bool m_bShadow = false;
  bool m_bAutoDelete = false; // set once the window exists
  UINT m_nTimerUpInterval = 0;
  UINT m_nTimerDownInterval = 0;
};
