// The toolkit's tab strip: a child window showing a row (or column) of items, each with text, an
// optional icon and a caller's value, with up to seven small buttons at its far end. Tabbed
// docking, the auto-hide areas and the MDI tabs derive their strips from it. One class split by
// concern: ExtTabWnd.cpp (window class, creation, messages), ExtTabWndItems.cpp (the item model),
// ExtTabWndLayout.cpp (measuring, placing, buttons, scrolling, hit codes), ExtTabWndPaint.cpp
// (painting through the theme) and ExtTabWndMouse.cpp (presses, hover and tips, the item-list
// menu, dragging items).
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <memory>
#include <vector>

struct CCreateContext;
class CExtPopupMenuTipWnd;

class CExtTabWnd : public CWnd, public CExtMouseCaptureSink, public CExtTabWndSite {
  DECLARE_DYNCREATE(CExtTabWnd)
public:
  // Item style bits.
  enum ItemStyle : DWORD {
    TIS_HIDDEN = 0x01,
    TIS_GROUP_START = 0x02,
    TIS_SELECTED = 0x04,
    TIS_IN_GROUP_ACTIVE = 0x08,
    TIS_UNSELECTABLE = 0x20,
    TIS_CENTERED_TEXT = 0x40 // handed to the theme's item drawing
  };
  // Layout flags of an item.
  enum ItemLayoutFlags : BYTE { TIL_SHORTENED = 0x01, TIL_ROW_END = 0x02 };

  // The tab style word: bits 0-1 the orientation, the state bits recomputed by every layout,
  // the rest options.
  enum TabStyle : DWORD {
    TS_ORIENT_TOP = 0x0,
    TS_ORIENT_BOTTOM = 0x1,
    TS_ORIENT_LEFT = 0x2,
    TS_ORIENT_RIGHT = 0x3,
    TS_ORIENT_MASK = 0x3,
    TS_FIT = 0x4,
    TS_SHOW_HELP = 0x8,
    TS_SHOW_CLOSE = 0x10,
    TS_INVERT_VERT_TEXT = 0x20,
    TS_BOLD_SELECTION = 0x40,
    TS_GROUPED = 0x80,
    TS_ENABLED_HELP = 0x100,
    TS_ENABLED_CLOSE = 0x200,
    TS_STATE_PREV_ENABLED = 0x400,
    TS_STATE_NEXT_ENABLED = 0x800,
    TS_EQUAL_WIDTHS = 0x2000,
    TS_AUTOHIDE_SCROLL = 0x4000,
    TS_HOVER_SELECT = 0x8000,
    TS_SCROLL_BY_PAGE = 0x10000,
    TS_SHOW_HOME = 0x20000,
    TS_SHOW_END = 0x40000,
    TS_SHOW_ITEM_LIST = 0x80000,
    TS_ENABLED_ITEM_LIST = 0x100000,
    TS_GROUPED_FULL_WIDTHS = 0x200000,
    TS_ITEM_DRAGGING = 0x400000,
    TS_STATE_HOME_ENABLED = 0x1000000,
    TS_STATE_END_ENABLED = 0x2000000,
    TS_MULTI_ROW = 0x4000000,
    TS_MEASURE_BOTH_FONTS = 0x8000000,
    TS_STATE_MASK =
        TS_STATE_PREV_ENABLED | TS_STATE_NEXT_ENABLED | TS_STATE_HOME_ENABLED | TS_STATE_END_ENABLED
  };

  // Hit codes of the window's areas; items answer their index.
  enum HitCode : int {
    HT_NOWHERE = -1,
    HT_NEAR_BORDER = -2,
    HT_ITEMS_AREA = -3,
    HT_BUTTON_PREV = -4,
    HT_BUTTON_NEXT = -5,
    HT_BUTTON_HELP = -6,
    HT_BUTTON_CLOSE = -7,
    HT_BUTTON_ITEM_LIST = -8,
    HT_BUTTON_HOME = -9,
    HT_BUTTON_END = -10
  };

  // Window flags (m_bWndFlags).
  enum WndFlags : BYTE {
    WF_PARENT_LAYOUT = 0x01,
    WF_CREATED_BY_CREATE = 0x02,
    WF_LAYOUT_DIRTY = 0x04,
    WF_PRESS_TRACKED = 0x08,
    WF_HOVER_CAPTURE = 0x10,
    WF_TEXT_SHORTENED = 0x20,
    WF_PREV_PUSHED = 0x40,
    WF_NEXT_PUSHED = 0x80
  };
  // Pushed marks of the other buttons (m_bPushedButtons).
  enum PushedButtons : BYTE {
    PB_HOME = 0x01,
    PB_END = 0x02,
    PB_HELP = 0x04,
    PB_CLOSE = 0x08,
    PB_ITEM_LIST = 0x10
  };

  enum { TIMER_SMOOTH_SCROLL = 1, TIMER_DELAYED_SELECTION = 2 };
  enum { BUTTON_COUNT = 7 };

  class TAB_ITEM_INFO : public CObject {
    DECLARE_DYNAMIC(TAB_ITEM_INFO)
  public:
    TAB_ITEM_INFO(CExtTabWnd* pOwner, TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext, LPCSTR sText, HICON hIcon,
                  bool bCopyIcon, DWORD dwStyle, LPARAM lParam);
    ~TAB_ITEM_INFO() override;
    TAB_ITEM_INFO(const TAB_ITEM_INFO&) = delete;
    TAB_ITEM_INFO& operator=(const TAB_ITEM_INFO&) = delete;

    DWORD GetItemStyle() const { return m_dwItemStyle; }
    // Sets (style without remove) with add, keeping the owner's visible count and the one active
    // item of the group; answers the old style.
    DWORD ModifyItemStyle(DWORD dwRemove, DWORD dwAdd);
    bool VisibleGet() const { return (m_dwItemStyle & TIS_HIDDEN) == 0; }
    bool IsSelected() const { return (m_dwItemStyle & TIS_SELECTED) != 0; }
    bool IsGroupStart() const { return (m_dwItemStyle & TIS_GROUP_START) != 0; }
    TAB_ITEM_INFO* GetPrev() const { return m_pPrev; }
    TAB_ITEM_INFO* GetNext() const { return m_pNext; }
    TAB_ITEM_INFO* GetInGroupFirst();
    CExtTabWnd* GetOwner() const { return m_pOwner; }
    LPARAM LParamGet() const { return m_lParam; }
    void LParamSet(LPARAM lParam) { m_lParam = lParam; }

    // The owner's answers first, the item's own data otherwise.
    LPCSTR GetText() const;
    LPCSTR GetTooltipText() const;
    CExtCmdIcon* GetIconPtr() const;
    CSize GetIconSize() const;
    // The item's own data.
    const CString& GetOwnText() const { return m_sText; }
    void SetOwnText(LPCSTR sText) { m_sText = sText != NULL ? sText : ""; }
    CExtCmdIcon& GetOwnIcon() { return m_icon; }

    // Visible, not empty and holding the point (in the unscrolled item coordinates).
    bool HitTest(const POINT& pt) const;

    const CSize& GetSize() const { return m_size; }
    const CSize& GetTextSize() const { return m_sizeText; }
    const CRect& ItemRectGet() const { return m_rcItem; }
    BYTE GetLayoutFlags() const { return m_bLayoutFlags; }

  private:
    friend class CExtTabWnd;
    CExtTabWnd* m_pOwner;
    DWORD m_dwItemStyle;
    CString m_sText;
    CString m_sTooltipText;
    CExtCmdIcon m_icon;
    CSize m_size = CSize(24, 20);
    CSize m_sizeText = CSize(0, 0);
    // Along the strip unscrolled from 0 at the item area's near end; across it in client
    // coordinates.
    CRect m_rcItem = CRect(0, 0, 24, 20);
    LPARAM m_lParam;
    BYTE m_bLayoutFlags = 0;
    // The last text measurement and what it depended on: layouts remeasure only what changed.
    CString m_sMeasuredText;
    // The fonts by description: a font made again may come back with an old handle.
    LOGFONTA m_lfMeasured[2] = {};
    UINT m_nMeasuredGeneration = 0;
    CSize m_sizeMeasuredText = CSize(0, 0);
    TAB_ITEM_INFO* m_pPrev;
    TAB_ITEM_INFO* m_pNext;
  };

  CExtTabWnd();
  ~CExtTabWnd() override;

  // The window class "Corvane-TabWindow", registered once per process; false when that fails.
  static const char kClassName[];
  static bool RegisterWindowClass();
  // The toolkit's arrow cursor of tab windows (made with the toolkit's globals).
  static HCURSOR g_hTabWndCursor;

  // Creates the window; false when the class or the window cannot be made. Throws
  // CMemoryException when the window cannot be completed (tips).
  virtual BOOL Create(CWnd* pParentWnd, const RECT& rc, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
                      CCreateContext* pContext = NULL);

  // Items.
  int ItemGetCount() const { return static_cast<int>(m_items.size()); }
  int ItemGetVisibleCount() const { return m_nVisibleItemCount; }
  TAB_ITEM_INFO* ItemGet(int nIndex) const;
  int ItemGetIndexOf(const TAB_ITEM_INFO* pItem) const;
  int ItemFindByLParam(LPARAM lParam, int nStartAfter = -1, bool bVisible = false,
                       bool bHidden = false) const;
  int ItemFindByStyle(DWORD dwMustHave, DWORD dwMustLack, int nStartAfter = -1) const;
  void ItemGetGroupRange(int nIndex, int& nFirst, int& nLast, TAB_ITEM_INFO** ppFirst = NULL,
                         TAB_ITEM_INFO** ppLast = NULL) const;
  TAB_ITEM_INFO* InsertItem(LPCSTR sText = NULL, HICON hIcon = NULL, bool bCopyIcon = true,
                            DWORD dwItemStyle = 0, int nIndex = -1, LPARAM lParam = 0, bool bUpdate = false);
  int RemoveItems(int nFirst, int nCount = 1, bool bUpdate = false);
  void RemoveAllItems();
  int SelectionGet() const { return m_nSelIndex; }
  int SelectItem(int nIndex, bool bEnsureVisible = true, bool bUpdate = false);
  bool ItemEnsureVisible(int nIndex, bool bUpdate = false);
  bool ItemMove(int nFrom, int nTo, bool bUpdate = false);

  // Style and orientation.
  DWORD GetTabWndStyle() const override { return m_dwTabWndStyle; }
  DWORD ModifyTabWndStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdate = false);
  int OrientationGet() const { return static_cast<int>(m_dwTabWndStyle & TS_ORIENT_MASK); }
  int OrientationSet(int nOrientation, bool bUpdate = false);
  bool OrientationIsHorizontal() const { return OrientationGet() < 2; }
  bool OrientationIsVertical() const { return OrientationGet() >= 2; }
  // Marks the layout dirty; with bImmediate and a visible window lays out and repaints at once.
  void UpdateTabWnd(bool bImmediate = true);

  // Layout.
  virtual void RecalcLayout();
  virtual CSize MeasureItem(TAB_ITEM_INFO* pItem, CDC* pDC = NULL);
  virtual void CalcItemsRect(RECT& rcOut, const RECT& rcLayout);
  virtual void OnTabWndQueryLayoutRect(RECT& rc) const;
  virtual CSize OnTabWndQueryButtonSize(int nButtonCode = 0, int nOrientation = -1) const;
  virtual int OnTabWndQueryBorderMargin(int nOrientation) const;
  virtual int OnTabWndQueryRowSpacing() const { return 0; }
  virtual void OnTabWndQueryMetrics(int* pnNear, int* pnFar, int* pnEdge);
  virtual int OnTabWndCalcButtonsExtent(int nButtonSize, int nGap) const;
  virtual void OnTabWndLayoutButtons(RECT& rcSlot, int nButtonSize, int nGap);
  virtual bool OnTabWndIsMultiRow() const { return (m_dwTabWndStyle & TS_MULTI_ROW) != 0; }
  virtual bool OnTabWndMeasureBothFonts() const { return (m_dwTabWndStyle & TS_MEASURE_BOTH_FONTS) != 0; }
  // The theme's font for an item; nOrientation -1 means the window's own.
  virtual CFont* OnTabWndQueryItemFont(bool bSelected, int nOrientation = -1) const;
  // Empty here; strips that show or hide themselves with their content do it here.
  virtual void OnTabWndSyncVisibility() {}

  // The areas the last layout made (client coordinates).
  const CRect& GetItemsAreaRect() const { return m_rcItemsArea; }
  const CRect& GetNearBorderAreaRect() const { return m_rcNearBorderArea; }
  // A button's rectangle by its hit code (-4 to -10); empty when the button is not laid out.
  CRect GetButtonRect(int nHitCode) const;
  // Whether the button of the hit code is enabled now.
  bool IsButtonEnabled(int nHitCode) const;
  int GetFirstVisibleIndex() const { return m_nIndexVisFirst; }
  int GetLastVisibleIndex() const { return m_nIndexVisLast; }
  int GetItemsExtent() const { return m_nItemsExtent; }
  bool IsLayoutDirty() const { return (m_bWndFlags & WF_LAYOUT_DIRTY) != 0; }
  BYTE GetWndFlags() const { return m_bWndFlags; }
  // An item's rectangle in client coordinates (moved along the strip by the scroll position).
  CRect ItemRectInClient(const TAB_ITEM_INFO* pItem) const;

  // Scrolling.
  bool IsScrollAvailable() const { return m_nScrollMaxPos > 0; }
  bool IsScrolling() const { return m_nSmoothScrollRemainder != 0; }
  int ScrollPosGet() const { return m_nScrollPos; }
  int ScrollMaxGet() const { return m_nScrollMaxPos; }
  void ScrollBy(int nDelta, bool bSmooth);
  // One step of a smooth scroll (what timer 1 runs).
  void SmoothScrollStep();
  // Ends a smooth scroll where it is.
  void StopSmoothScroll();

  // The area code (or item index) at a client point.
  virtual int HitTest(CPoint ptClient) const;

  // Mouse (ExtTabWndMouse.cpp). nButton: 1 left, 2 right, 16 middle. The click operations answer
  // false to let the default window procedure see the message.
  enum MouseButton : int { MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 16 };
  virtual bool OnMouseClick(int x, int y, bool bDown, int nButton, UINT nFlags);
  virtual bool OnButtonClick(int nHitCode, bool bDown, int nButton, UINT nFlags);
  virtual bool OnItemClick(int nIndex, bool bDown, int nButton, UINT nFlags);
  virtual bool PressStart(int nButton, int nHitCode);
  virtual void PressEnd(bool bReleaseCapture);
  virtual void OnMouseMove(UINT nFlags, int x, int y);
  virtual bool StartHover(int nHitCode);
  virtual void EndHover(bool bReleaseCapture);
  virtual bool OnTabWndHoverRepaint() { return false; }
  virtual bool OnTabWndCanDragItem(int nIndex);
  // Reorders the item by dragging it in a modal loop of its own until the button goes up.
  virtual bool ItemDragLoop(int nIndex);
  virtual CExtPopupMenuTipWnd* GetBalloonTipWnd() const;
  virtual void ShowBalloonTip(CExtPopupMenuTipWnd* pTip, const RECT& rcScreen, LPCSTR sText);
  // Selects the item after the delay if the pointer still rests on it; a negative index cancels.
  virtual bool SelectionDelay(int nIndex, UINT nMilliseconds);
  int SelectionDelayGetItem() const { return m_nDelayedSelIndex; }
  int GetHoverHitTest() const { return m_nHoverTrackingHitTest; }
  int GetPushedHitTest() const { return m_nPushedTrackingHitTest; }
  bool IsItemDragging() const { return m_bDragging != 0; }
  // Drops the item-list menu's choices into the strip (what the list button runs).
  virtual void TrackItemListMenu();

  // Painting.
  virtual void PaintControl(CDC& dc, const RECT& rcClient);
  virtual void OnTabWndEraseBackground(CDC& dc, const RECT& rcClient, const RECT& rcItemsArea,
                                       const RECT& rcNearBorderArea, int nOrientation, bool bGroupedMode);
  virtual void OnTabWndDrawItem(CDC& dc, const RECT& rcItemsArea, TAB_ITEM_INFO* pItem, const RECT& rcItem,
                                LPCSTR sText, CExtCmdIcon* pIcon, CFont* pFont, bool bSelected,
                                bool bInGroupActive, int nOrientation, bool bGroupedMode);
  virtual void OnTabWndDrawButton(CDC& dc, const RECT& rcButton, int nHitCode, int nOrientation,
                                  bool bEnabled, bool bHover, bool bPushed, bool bGroupedMode);
  virtual void OnTabWndMeasureItemAdjust(TAB_ITEM_INFO* pItem, CDC& dc, SIZE* pSize);

  // Notifications and queries for derived strips.
  virtual bool OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest);
  virtual void OnTabWndItemInsert(int /*nIndex*/, TAB_ITEM_INFO* /*pItem*/) {}
  virtual void OnTabWndRemoveItem(int /*nFirst*/, int /*nCount*/, bool /*bPreRemove*/) {}
  virtual void OnTabWndRemoveAllItems(bool /*bPreRemove*/) {}
  virtual CExtCmdIcon* OnTabWndQueryItemIcon(const TAB_ITEM_INFO* pItem);
  virtual LPCSTR OnTabWndQueryItemText(const TAB_ITEM_INFO* pItem);
  virtual LPCSTR OnTabWndQueryItemTooltipText(const TAB_ITEM_INFO* pItem);
  virtual bool OnTabWndItemMoveQuery(int /*nFrom*/, int /*nTo*/) { return true; }
  virtual void OnTabWndItemMoved(int /*nFrom*/, int /*nTo*/) {}
  virtual bool OnTabWndToolTipsEnabled() const { return true; }
  virtual bool OnTabWndCreated();

  // What the theme reads of the strip.
  TabWndKind GetTabWndKind() const override { return TAB_PLAIN; }
  BYTE GetTabOptionBits() const override { return 0; }
  bool WantsDockerBackground() const override { return false; }
  HWND GetParentFrameHwnd() const override;

protected:
  virtual bool MoveItemImpl(int nFrom, int nTo);
  // The item at a valid index; throws the invalid-argument exception outside the array.
  TAB_ITEM_INFO* ItemAt(int nIndex) const;
  // Drops the tip the strip shows (the balloon and its tip control's tool).
  virtual void HideTips();
  // Lays out against rcLayout instead of the client area.
  void LayoutWithin(const RECT& rcLayout);
  // The band the strip takes of its parent's rectangle, on the orientation's side.
  int BandThicknessInParent() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PreSubclassWindow() override;
  void PostNcDestroy() override;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnLButtonDownMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnLButtonUpMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRButtonDownMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRButtonUpMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMButtonDownMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMButtonUpMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSwallowMsg(WPARAM wParam, LPARAM lParam);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnCancelMode();
  DECLARE_MESSAGE_MAP()

  // The mouse messages' common path: the virtual first, the default procedure when it declines.
  LRESULT RouteMouseClick(LPARAM lParam, WPARAM wParam, bool bDown, int nButton);
  // Timer 2: the delayed selection comes due.
  void OnSelectionDelayDue();
  // Shows a tip text for a rectangle of the strip (client coordinates); empty hides the tips.
  void ShowTipFor(const RECT& rcClient, LPCSTR sText);
  bool IsInActiveFamily() const;
  // One coalesced pointer move of the drag loop (client coordinates).
  void DragLoopMove(int& nIndex, CPoint ptClient);

  // Relays the sizing messages' common end: drop tips, lay out again, repaint.
  void RelayoutAfterSizing(bool bDropTips);
  // Sums the visible items along the strip (plain and group modes); answers the thickness.
  int MeasureVisibleItems(CDC& dc);
  // Multi-row: marks row ends against the available length; answers the stacked thickness.
  int WrapRows(int nAvailable);
  void PlaceItems(int nBandNear, bool bMultiRow);
  void FindVisibleRange();
  void ApplyFitMode();
  void SetButtonRect(int nHitCode, const RECT& rc);
  // Drops every item's remembered text measurement (fonts or display metrics may have changed).
  void ForgetTextMeasurements() { ++m_nMeasureGeneration; }

  CRuntimeClass* m_pPaintManagerClass = NULL;
  CToolTipCtrl m_wndToolTip;
  BYTE m_bReposCalcEffect = 0;
  DWORD m_dwTabWndStyle = 0;
  int m_nSelIndex = -1;
  int m_nIndexVisFirst = -1;
  int m_nIndexVisLast = -1;
  int m_nDelayedSelIndex = -1;
  int m_nHoverTrackingHitTest = -1;
  int m_nVisibleItemCount = 0;
  int m_nItemsExtent = 0;
  int m_nScrollPos = 0;
  int m_nScrollMaxPos = 0;
  int m_nSmoothScrollRemainder = 0;
  CRect m_rcItemsArea = CRect(0, 0, 0, 0);
  CRect m_rcNearBorderArea = CRect(0, 0, 0, 0);
  // previous, next, home, end, help, close, item list
  CRect m_rcButtons[BUTTON_COUNT];
  std::vector<std::unique_ptr<TAB_ITEM_INFO>> m_items;
  BYTE m_bWndFlags = WF_PARENT_LAYOUT | WF_LAYOUT_DIRTY;
  BYTE m_bPushedButtons = 0;
  int m_nPushedTrackingHitTest = -1;
  int m_nPushedTrackingButton = -1;
  int m_nLastHoverHitTest = -1;
  CRect m_rcLayout = CRect(0, 0, 0, 0);
  CPoint m_ptPress = CPoint(-1, -1);
  CRect m_rcLastSwap = CRect(0, 0, 0, 0);
  BYTE m_bDragging = 0;
  // Measurements of an older generation are stale; 0 marks an item never measured.
  UINT m_nMeasureGeneration = 1;
  // The display DC the current layout measures with; text extents through it may be reused.
  CDC* m_pLayoutDC = NULL;

  friend class TAB_ITEM_INFO;
};
