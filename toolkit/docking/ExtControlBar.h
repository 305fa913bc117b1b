// The toolkit's dockable bar: a window that lives in a side dock bar of a frame, in a floating
// mini frame, in a tab container or in a dialog. Resizable bars (panels) and fixed bars (the tool,
// panel and menu bars, which switch on fixed mode) share it. The class is split by concern:
// ExtControlBar.cpp (data, list, window class, place queries, show-bar commands),
// ExtControlBarHandlers.cpp (message handlers, the frame's bar collection, tracked areas),
// ExtControlBarLayout.cpp (sizes, row sharing, parent layout, row queries),
// ExtControlBarNcLayout.cpp (caption and resizer bands, the non-client hit test and presses,
// cursors), ExtControlBarNcPaint.cpp (non-client painting), ExtControlBarWndProc.cpp (window
// procedure, frame docking set-up, status text), ExtControlBarDocking.cpp (creation, docking and
// floating), ExtControlBarDragging.cpp (the drag gesture and its outline),
// ExtControlBarDragTarget.cpp (where a dragged resizable bar goes, and the drop),
// ExtControlBarFixedDrag.cpp (the live drag of fixed bars) and ExtControlBarRowResizing.cpp
// (resizing rows and the borders inside them). Members that serve another class live beside it:
// the caption buttons' in ExtBarNcAreaButton.cpp, the dock-bar and floating-frame factory in
// ExtDockBarFactory.cpp and the docking-marker target search in ExtDynDockTarget.cpp.
#pragma once

#include "framework/bars/fw_bars.h"
#include "framework/core/fw_coll.h"
#include "framework/core/fw_sync.h"
#include "framework/gdi/fw_gdi.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <vector>

class CExtBarNcAreaButton;
class CExtDockBar;
class CExtDockOuterBar;
class CExtMiniDockFrameWnd;
class CExtDynTabControlBar;
class CExtPopupMenuWnd;
class CExtPopupMenuTipWnd;

class CExtControlBar : public CControlBar, public CExtMouseCaptureSink, public CExtControlBarSite {
  DECLARE_DYNAMIC(CExtControlBar)
public:
  // Bar flags (m_bBarFlags); other areas test them by value.
  enum BarFlags : BYTE {
    BF_CAPTION_ON_TOP = 0x01,     // the caption always runs along the top edge
    BF_THEMED_ERASE = 0x02,       // WM_ERASEBKGND erases through the theme
    BF_DIALOG_MODE = 0x04,        // the parent is neither a control bar nor a frame
    BF_PARENT_LAYOUT = 0x08,      // takes part in WM_SIZEPARENT and frame layout
    BF_CMDUI_RUNNING = 0x10,      // re-entrance guard of the command-UI update
    BF_IN_BARS_MENU = 0x20,       // listed in the bars menu
    BF_BUTTON_LAYOUT_OWED = 0x40, // the next WM_NCPAINT lays the caption buttons out again
    BF_FIXED_MODE = 0x80          // set by derived tool bars
  };
  // State flags (m_bBarState).
  enum BarStateFlags : BYTE {
    BS_ROW_RESIZING = 0x01,
    BS_INROW_RESIZING = 0x02,
    BS_DRAGGING = 0x04,
    BS_FIT_CHILD = 0x08,      // the first child window fills the client area
    BS_IGNORE_SIZE = 0x10,    // WM_SIZE is ignored while the bar is re-parented or destroyed
    BS_DOCK_PLACE_OWED = 0x20 // g_nMsgTakeDockPlace is posted to the bar
  };
  // Extra flags (m_bExtraFlags).
  enum ExtraFlags : BYTE {
    XF_FOCUS_INSIDE = 0x01,          // the caption paints active
    XF_INROW_TOWARD_PREVIOUS = 0x02, // in-row resizing works toward the previous bar
    XF_OVER_NC_BUTTON = 0x04,        // the cursor is over a caption button
    XF_AUTO_HIDDEN = 0x08            // the bar lives in an auto-hide area
  };
  // Filter bits of GetFrameControlBars.
  enum BarFilter : DWORD {
    FILTER_FIXED = 0x0001,
    FILTER_RESIZABLE_AT_MIN = 0x0002,
    FILTER_RESIZABLE_NOT_MIN = 0x0004,
    FILTER_KIND_MASK = 0x0007,
    FILTER_TOP = 0x0008,
    FILTER_BOTTOM = 0x0010,
    FILTER_LEFT = 0x0020,
    FILTER_RIGHT = 0x0040,
    FILTER_FLOATING = 0x0080,
    FILTER_SIDE_MASK = 0x00F8,
    FILTER_IS_VISIBLE = 0x0100,
    FILTER_NOT_IS_VISIBLE = 0x0200,
    FILTER_VISIBILITY_MASK = 0x0300,
    FILTER_WND_VISIBLE = 0x0400,
    FILTER_WND_HIDDEN = 0x0800,
    FILTER_WND_MASK = 0x0C00,
    FILTER_ALL = 0x0FFF,
    FILTER_STOP_AT_FIRST = 0x8000,
    FILTER_PT_IN_CLIENT = 0x10000,
    FILTER_PT_IN_CAPTION = 0x20000,
    FILTER_HT_LEFT = 0x40000,
    FILTER_HT_RIGHT = 0x80000,
    FILTER_HT_TOP = 0x100000,
    FILTER_HT_BOTTOM = 0x200000,
    FILTER_HT_TOPLEFT = 0x400000,
    FILTER_HT_TOPRIGHT = 0x800000,
    FILTER_HT_BOTTOMLEFT = 0x1000000,
    FILTER_HT_BOTTOMRIGHT = 0x2000000,
    FILTER_HT_NOWHERE = 0x4000000,
    FILTER_HT_SIZE = 0x10000000,
    FILTER_HT_MINBUTTON = 0x20000000,
    FILTER_HT_MAXBUTTON = 0x40000000,
    FILTER_HT_CLIENT = 0x80000000,
    FILTER_POINT_MASK = 0xF7FF8000
  };
  // Kinds of GetRowBarsEx-style filters of IsSingleInRow.
  enum RowKind { ROW_ALL_BARS, ROW_FIXED_OR_FOREIGN, ROW_RESIZABLE };

  // A fixed bar's place in an outer dock bar's row; a record whose first value is 0 is empty.
  struct OuterDockPosition {
    LONG m_nDockBarId = 0;
    RECT m_rcBar = {0, 0, 0, 0};
    LONG m_nRow = 0;
    LONG m_nColumn = 0;
    LONG m_nLast = 1;
    void Reset();
    void Assign(const OuterDockPosition& other);
    bool IsEmpty() const { return m_nDockBarId == 0; }
  };

  // One tracking rectangle to draw or erase (the drag and resize trackers build them).
  struct TrackedAreaDrawData {
    enum Kind { KIND_BAND = 0, KIND_BAND_ALT = 1, KIND_FRAME = 2, KIND_FRAME_WITH_TAB = 3 };
    enum Flags : BYTE { FLAG_ERASE = 0x01, FLAG_DRAWN_BY_FRAME = 0x02 };
    CExtControlBar* m_pBar;
    CDC* m_pDC;
    LONG m_nKind;
    RECT m_rcArea;
    BYTE m_bFlags;
    TrackedAreaDrawData(CExtControlBar* pBar, CDC* pDC, LONG nKind, const RECT& rc, bool bErase);
    // Draws by kind with the brush (when given) and the raster operation, then restores the brush.
    void Draw(CBrush* pBrush, DWORD dwRop) const;
    static const int kTabHeight = 18;
    static const int kTabWidth = 36;
  };

  // Sent with g_nMsgQueryRepositionCalcEffect (wParam = the record) before WM_SIZEPARENT.
  struct QUERY_REPOSITION_CALC_EFFECT_DATA {
    enum : WORD { FLAGS_PASS_MASK = 0x000F, FLAG_EXCLUDE = 0x0010 };
    WORD m_nFlags;
    CWnd* m_pWndToReposition;
    UINT m_nIdFirst;
    UINT m_nIdLast;
    UINT m_nIdLeftOver;
    LPRECT m_pRectParam;
    LPCRECT m_pRectClient;
    BYTE m_bStretch : 1;
    QUERY_REPOSITION_CALC_EFFECT_DATA(UINT nFlags, CWnd* pWnd, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver,
                                      LPRECT pRectParam, LPCRECT pRectClient, bool bStretch);
    void ExcludeFromQuery(bool bExclude);
    bool IsExcludedFromQuery() const { return (m_nFlags & FLAG_EXCLUDE) != 0; }
    bool IsQueryOnly() const { return (m_nFlags & FLAGS_PASS_MASK) == 1; }
  };

  // Sent with g_nMsgCustomNcAreaQuery (wParam = the record): a parent may calculate or paint the
  // bar's non-client area itself and says so with the handled bit.
  struct QueryCustomNcArea {
    BYTE m_bHandled : 1;
    CDC* m_pDC; // NULL while sizes are calculated
    CExtControlBar* m_pBar;
    RECT& m_rc;
    QueryCustomNcArea(CExtControlBar* pBar, CDC* pDC, RECT& rc);
    bool Notify();
  };

  // The record of the bars-menu notifications (g_nMsgConstructPopupMenu).
  struct POPUP_MENU_EVENT_DATA {
    enum EventCode : WORD {
      EVENT_DOCKBAR_CONTEXT = 0,
      EVENT_BAR_CLIENT_RBUTTONUP = 1,
      EVENT_BAR_NC_RBUTTONUP = 2,
      EVENT_STATUSBAR_CONTEXT = 3,
      EVENT_AUTOHIDE_SLIDER_CONTEXT = 4,
      EVENT_MINIFRAME_NC_RBUTTON = 5,
      EVENT_MENUBAR_CONTEXT = 6,
      EVENT_MDITAB_CONTEXT = 7,
      EVENT_AUTOHIDE_TABS_CONTEXT = 8,
      EVENT_TAB_CONTAINER_CONTEXT = 9,
      EVENT_NC_OPTIONS_MENU = 10,
      EVENT_NC_OPTIONS_BARS_SUBMENU = 11,
      EVENT_TOOLBAR_EXPAND_MENU = 12,
      EVENT_TOOLBAR_CHEVRON = 13,          // the chevron's whole menu
      EVENT_TOOLBAR_CHEVRON_BARS_LIST = 14 // the chevron's bars list
    };
    WORD m_nEventCode;
    CExtPopupMenuWnd* m_pPopupMenu;
    CWnd* m_pWndSource;
    UINT m_nSourceMessage;
    CObject* m_pSourceObject;
    CFrameWnd* m_pWndTargetFrame;
    BYTE m_bFlags; // bit 0: post-notification
    POINT m_ptScreen;
    POPUP_MENU_EVENT_DATA(WORD nEventCode, CExtPopupMenuWnd* pPopupMenu, CWnd* pWndSource, POINT ptScreen,
                          UINT nSourceMessage, CObject* pSourceObject = NULL);
    virtual ~POPUP_MENU_EVENT_DATA() = default;
    virtual bool IsBarsListEvent() const;
    // Sends the record to the frame the source belongs to; true when the receiver built the menu.
    virtual bool NotifyTarget(bool bPostNotification);
  };

  // Where a dragged bar would go: float, beside a bar (split), at a side, stay, or as a tab.
  enum DragTargetType : LONG {
    DT_FLOAT = 0,
    DT_SPLIT_TOP = 1,
    DT_SPLIT_BOTTOM = 2,
    DT_SPLIT_LEFT = 3,
    DT_SPLIT_RIGHT = 4,
    DT_INNER_TOP = 5,
    DT_INNER_BOTTOM = 6,
    DT_INNER_LEFT = 7,
    DT_INNER_RIGHT = 8,
    DT_OUTER_TOP = 9,
    DT_OUTER_BOTTOM = 10,
    DT_OUTER_LEFT = 11,
    DT_OUTER_RIGHT = 12,
    DT_STAY = 13,
    DT_TAB_NEW = 27,
    DT_TAB_APPEND = 28,
    DT_TAB_INSERT = 29,
    DT_TAB_MARKER = 30
  };

  // One candidate drop of a drag. Two live for the whole process: what the screen shows now
  // (g_DragStateCurrent) and what the last drag step computed (g_DragStateNew).
  class InternalDraggingState_t : public CObject {
  public:
    enum Flags : BYTE { DS_EMPTY = 0x01, DS_SIDE_SPLIT = 0x02 };
    BYTE m_bFlags = DS_EMPTY;
    LONG m_nTargetType = DT_FLOAT;
    LONG m_nMoveDirection = 0; // 1 along a horizontal row, 2 along a vertical one
    LONG m_nRowPosition = 0;   // the receiving circle for inner sides, 1 for outer ones
    RECT m_rcTrack = {0, 0, 0, 0};
    CExtControlBar* m_pBarSource = NULL;
    CExtControlBar* m_pBarTarget = NULL;
    LONG m_nTabPosition = 0;
    InternalDraggingState_t() = default;
    InternalDraggingState_t(const InternalDraggingState_t& other) : CObject() { *this = other; }
    ~InternalDraggingState_t() override = default;
    InternalDraggingState_t& operator=(const InternalDraggingState_t& other);
    // Compares what decides the outline and the drop; the move direction is not part of it.
    bool operator==(const InternalDraggingState_t& other) const;
    bool operator!=(const InternalDraggingState_t& other) const { return !(*this == other); }
    bool IsEmpty() const { return (m_bFlags & DS_EMPTY) != 0; }
    void SetEmpty(bool bEmpty) { bEmpty ? m_bFlags |= DS_EMPTY : m_bFlags &= ~DS_EMPTY; }
    bool IsSideSplit() const { return (m_bFlags & DS_SIDE_SPLIT) != 0; }
    void SetSideSplit(bool bSet) { bSet ? m_bFlags |= DS_SIDE_SPLIT : m_bFlags &= ~DS_SIDE_SPLIT; }
    bool IsTabType() const { return m_nTargetType >= DT_TAB_APPEND && m_nTargetType <= DT_TAB_MARKER; }
    // A tab container the record stops naming drops the placeholder tabs shown for it.
    void SetTargetBar(CExtControlBar* pBar);
    void ClearTargetBar();
    // Empty, floating, no target, no rectangle; the dragged bar is forgotten too.
    void Reset();
  };

  CExtControlBar();
  ~CExtControlBar() override;

  // --- class-wide data ------------------------------------------------------------------------
  // Every constructed bar, guarded by g_csAllBars.
  static std::vector<CExtControlBar*> g_AllBars;
  static CCriticalSection g_csAllBars;
  static bool g_bLockAllBars;      // never set by the program: no bar menu, resizing or dragging
  static int g_nDockingMarkerMode; // -1: ask the theme
  static DWORD g_dwDragHoverDelay; // milliseconds
  static bool g_bIdleInModalLoops; // option: run idle processing inside modal resize loops
  static bool g_bActivateOnHover;  // option: bring a floating bar's frame up on hover
  static bool g_bStaticOptionA;
  static bool g_bStaticOptionB;
  static bool g_bClassRegistered;
  static bool g_bBarTips; // the tool-tip switch
  // The four shared cursors, loaded at start-up.
  static HCURSOR g_hCursorArrow;
  static HCURSOR g_hCursorSizeAll;
  static HCURSOR g_hCursorSizeNS;
  static HCURSOR g_hCursorSizeWE;
  // The dock-bar style per side id (59419 top 0x2800, 59422 bottom 0x8200, 59420 left 0x1400,
  // 59421 right 0x4100); filled once at start-up.
  static CMap<DWORD, DWORD, DWORD, DWORD> g_DockBarStyleMap;
  static DWORD GetDockBarStyle(UINT nDockBarId);

  static const UINT& g_nMsgQueryRepositionCalcEffect;
  static const UINT& g_nMsgQueryIcon;
  static const UINT& g_nMsgPutToPopupMenu;
  static const UINT& g_nMsgConstructPopupMenu;
  static const UINT& g_nMsgCreateTabbedBar;
  static const UINT& g_nMsgDrawTrackedArea;
  static const UINT& g_nMsgCustomNcAreaQuery;
  // Posted to a fixed bar that a layout found shown without a place (see DockBarForPlacelessBar).
  static const UINT& g_nMsgTakeDockPlace;

  static const char kClassName[]; // "Corvane-ControlBar"
  static bool RegisterControlBarClass();

  // --- fields ---------------------------------------------------------------------------------
  BYTE m_bBarFlags;
  LONG m_nCaptionExtent;
  LONG m_nSideCaptionExtent;
  LONG m_nSeparatorHeight;
  LONG m_nSeparatorWidth;
  LONG m_nMinWidthBase;
  LONG m_nMinHeightBase;
  LONG m_nTrackingAnchor;
  LONG m_nTrackingExtent;
  CSize m_sizeDockedH; // docked at the top or bottom
  CSize m_sizeDockedV; // docked at the left or right
  CSize m_sizeFloated;
  CRect m_rcNcCaption;
  CRect m_rcNcRowResizer;
  CRect m_rcNcRowEndResizer;
  CRect m_rcNcRowStartResizer;
  BYTE m_bBarState;
  BYTE m_bSuppressTips;
  LONG m_nRememberedRowLength;
  CPoint m_ptFloatPos;
  CPoint m_ptGrabFloating;
  CPoint m_ptGrabDockedH;
  CPoint m_ptGrabDockedV;
  BYTE m_bExtraFlags;
  CPoint m_ptLastDrag;
  DWORD_PTR m_dwCustomData;
  std::vector<CExtBarNcAreaButton*> m_arrNcButtons; // owned
  BYTE m_bOptionBits;                               // CExtControlBarSite::OptionBits the theme reads

  // --- overrides of the framework -------------------------------------------------------------
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // A command of the bar's own id from a menu toggles the bar: the bars menu sends it so when
  // other bars of the frame share the id.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;
  void DelayShow(BOOL bShow) override;
  // An auto-hidden bar is no visible bar of its dock bar or frame, even while it is slid out.
  BOOL IsVisible() const override;

  // --- the class's own virtuals -----------------------------------------------------------------
  // Appends the bar's item: the frame's command of its id, or, when other bars of the frame share
  // that id (the frame's command reaches only the first), an item of its own with its caption
  // and visibility whose command goes to the bar.
  virtual bool InsertIntoBarsMenu(CExtPopupMenuWnd* pPopup);
  virtual LONG GetSideCaptionExtent() const { return m_nSideCaptionExtent; }
  virtual void SetSideCaptionExtent(LONG n) { m_nSideCaptionExtent = n; }
  virtual LONG GetCaptionExtent() const { return m_nCaptionExtent; }
  virtual void SetCaptionExtent(LONG n) { m_nCaptionExtent = n; }
  virtual LONG GetSeparatorWidth() const { return m_nSeparatorWidth; }
  virtual void SetSeparatorWidth(LONG n) { m_nSeparatorWidth = n; }
  virtual LONG GetSeparatorHeight() const { return m_nSeparatorHeight; }
  virtual void SetSeparatorHeight(LONG n) { m_nSeparatorHeight = n; }
  virtual bool IsStaticOptionASet() const { return g_bStaticOptionA; }
  virtual const CRect& GetNcCaptionRect() const { return m_rcNcCaption; }
  virtual void SetNcCaptionRect(CRect rc) { m_rcNcCaption = rc; }
  virtual const CRect& GetNcRowResizerRect() const { return m_rcNcRowResizer; }
  virtual void SetNcRowResizerRect(CRect rc) { m_rcNcRowResizer = rc; }
  virtual const CRect& GetNcRowEndResizerRect() const { return m_rcNcRowEndResizer; }
  virtual void SetNcRowEndResizerRect(CRect rc) { m_rcNcRowEndResizer = rc; }
  virtual const CRect& GetNcRowStartResizerRect() const { return m_rcNcRowStartResizer; }
  virtual void SetNcRowStartResizerRect(CRect rc) { m_rcNcRowStartResizer = rc; }
  virtual void EmptyHook() {}
  virtual bool Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP |
                                      CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC |
                                      CBRS_HIDE_INPLACE);
  virtual bool IsFramePrintPreviewActive() const;
  virtual bool IsBarVisibleInFrame() const;
  virtual bool IsFixedMode() const { return (m_bBarFlags & BF_FIXED_MODE) != 0; }
  virtual bool IsFixedDockStyle() const { return IsFixedMode(); }
  virtual bool QueryCaption(bool* pbOnTop, bool* pbShown) const;
  virtual void ShowInFrame(bool bShow, bool bDelay, bool bExtra);
  virtual bool IsStaticOptionBSet() const { return g_bStaticOptionB; }
  virtual DWORD GetDragHoverDelay() const { return g_dwDragHoverDelay; }
  virtual void PaintNcArea(CDC& dc);
  virtual void PaintClientBackground(CDC& dc);
  virtual CExtPopupMenuTipWnd* GetToolTipObject() const;
  virtual void ShowBarTip(CExtPopupMenuTipWnd* pTip, const RECT& rcScreen, LPCSTR lpszText);
  virtual bool IsFullRowBar() const { return false; }
  virtual int CalcMinWidth() const;
  virtual int CalcMinHeight() const;
  virtual CSize GetMinFloatingSize() const { return CSize(80, 60); }
  virtual CSize CalcMinSize() const { return CSize(CalcMinWidth(), CalcMinHeight()); }
  virtual OuterDockPosition* GetOuterDockPosition() { return NULL; }
  virtual void SetOuterDockPosition(const OuterDockPosition& pos);
  virtual void UpdateOuterDockPosition();
  virtual void ResetOuterDockPosition();
  virtual bool IsIncludedInRowExtent() const { return false; }
  virtual void RecalcParentFrameLayout();
  virtual void RecalcNcFrame();
  virtual bool IsShowContentWhileDragging() const;
  virtual bool IsShowContentWhileRowResizing() const;
  virtual bool IsShowContentWhileInRowResizing() const;
  virtual void RepositionSingleChild(int cx = -1, int cy = -1, bool bRedraw = true);
  virtual bool IsRowResizingEnabled() const { return !g_bLockAllBars; }
  virtual bool IsRowResizing() const { return (m_bBarState & BS_ROW_RESIZING) != 0; }
  virtual void TrackRowResizing();
  virtual void StopRowResizing(bool bCancel);
  virtual void OnRowResizingStep(CPoint ptScreen);
  virtual bool IsInRowResizingEnabled() const { return !g_bLockAllBars; }
  virtual bool IsInRowResizing() const { return (m_bBarState & BS_INROW_RESIZING) != 0; }
  virtual void TrackInRowResizing();
  virtual void StopInRowResizing(bool bCancel);
  virtual void OnInRowResizingStep(CPoint ptScreen);
  virtual bool CanResizeTowardNext() const;
  virtual bool CanResizeTowardPrevious() const;
  virtual void DrawRowResizingTracker(bool bErase);
  virtual void DrawInRowResizingTracker(bool bErase);
  virtual CExtControlBar* DockBarBesideThis(CExtControlBar* pBar, UINT nDockBarId, int nPercent);
  // Carries out a drop; true when it did something.
  virtual bool ApplyDraggingState(InternalDraggingState_t& state, bool bFinal);
  virtual bool IsDraggingEnabled() const { return !g_bLockAllBars; }
  // The whole drag gesture, modal: a click without a move only hands the focus to the content.
  virtual void TrackDragging(CPoint ptScreen, CPoint ptGrabOffset, int nMinMoveX, int nMinMoveY);
  virtual void StopDragging(bool bCancel);
  virtual void OnDraggingStep(CPoint ptScreen, bool bForceFloat);
  virtual void OnDraggingStarted();
  virtual void OnDraggingFinished(InternalDraggingState_t* pCurrent, InternalDraggingState_t* pNew,
                                  bool bApplied);
  virtual void UpdateCursor(CPoint ptClient);
  virtual bool IsBarInteractionSuspended() const { return false; }
  virtual bool IsUserResizable() const { return true; }
  virtual bool IsTabbedDockingAllowed(bool bIgnored = false) const;
  virtual bool IsDockTargetFor(CExtControlBar* /*pBar*/) const { return true; }
  virtual CExtDynTabControlBar* GetTabContainerBar() const;
  virtual void ToggleVisibility(bool bHideWhenVisible = true);
  virtual void UpdateVisibilityCmdUI(CCmdUI* pCmdUI, bool bFlag = false);
  virtual CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  virtual DWORD_PTR GetCustomData() const { return m_dwCustomData; }
  virtual void SetCustomData(DWORD_PTR dw) { m_dwCustomData = dw; }
  virtual void ToggleDocking();
  virtual void FloatControlBar(int x, int y, DWORD dwStyle = CBRS_ALIGN_TOP);
  virtual void FloatAtLastPosition(DWORD dwStyle = CBRS_ALIGN_TOP);
  virtual void DockAtFrameSide(UINT nDockBarId, bool bInnermost, CFrameWnd* pFrame = NULL,
                               bool bRecalc = true);
  virtual bool DockIntoSideBar(UINT nDockBarId, int nCircle = 0, CFrameWnd* pFrame = NULL,
                               bool bRecalc = true);
  virtual bool DockBesideBar(int nPercent, CExtControlBar* pBarTarget, UINT nDockBarId, bool bRecalc = true);
  virtual bool DockRelativeToBar(CExtControlBar* pBar, bool bAcross, bool bOtherSide,
                                 CFrameWnd* pFrame = NULL, bool bRecalc = true);
  virtual bool DockAsTab(CExtControlBar* pBar, int nTabIndex = -1, CFrameWnd* pFrame = NULL,
                         bool bRecalc = true);
  virtual bool SetAutoHideMode(bool bAutoHide, bool bReserved, bool bRecalcNow, bool bActivate);
  virtual bool IsDblClickToggleEnabled() const { return !g_bLockAllBars; }
  virtual bool IsNcMenuButtonEnabled() const { return !g_bLockAllBars; }
  virtual bool IsNcCloseButtonEnabled() const { return !g_bLockAllBars; }
  virtual bool IsNcAutoHideButtonEnabled() const { return !g_bLockAllBars; }
  virtual bool IsTabItemEnabled() const { return true; }
  virtual bool IsShownInTabContainer() const { return true; }
  virtual void GetBarCaption(CString& strCaption) const;
  virtual void CalcCaptionTextRect(CRect& rcCaption) const;
  virtual void InitNcAreaButtons();
  virtual void RepositionNcAreaButtons();
  virtual int HitTestItem(CPoint /*ptClient*/) const { return -1; }
  virtual bool ProcessMouseMove(UINT nFlags, CPoint ptClient);

  // --- CExtControlBarSite (what the theme reads) ----------------------------------------------
  BarKind GetBarKind() const override { return BAR_CONTROL; }
  BYTE GetOptionBits() const override { return m_bOptionBits; }
  bool IsFloating() const override;
  bool IsInDockBar() const override;
  bool IsDockedVertically() const override;
  bool HasDockSite() const override { return m_pDockSite != NULL; }
  bool IsDockSiteStyleBitSet() const override;

  // --- queries --------------------------------------------------------------------------------
  UINT GetDockBarCtrlId() const;
  bool IsDockedAtTop() const;
  bool IsDockedAtLeft() const;
  bool IsDockedAtRight() const;
  bool IsDockedAtBottom() const;
  bool IsDockedHorizontally() const;
  bool IsDocked() const;
  bool IsDialogMode() const { return (m_bBarFlags & BF_DIALOG_MODE) != 0; }
  // The dock bar holding the bar as a toolkit dock bar (NULL when it is none); defined with the
  // dock-bar factory.
  CExtDockBar* GetExtDockBar() const;
  CFrameWnd* GetDockingFrame() const;
  // The bar's length along its row, and the minimum of that length.
  int GetRowLength() const;
  void SetRowLength(int nLength);
  int GetRowMinLength() const;
  // The stored size for the bar's place (floating, docked horizontally or vertically).
  CSize GetStoredSize() const;
  // --- dragging ---------------------------------------------------------------------------------
  // The bar of the drag in progress, NULL when none runs.
  static CExtControlBar* GetDraggedBar();
  static HWND FindDockTargetUnderCursor(CFrameWnd* pDockSite, bool bShow); // marker mode's drag step
  static InternalDraggingState_t g_DragStateCurrent;                       // what the screen shows
  static InternalDraggingState_t g_DragStateNew;                           // what the last step computed
  static bool g_bDraggingStepGuard;                                        // a drag step is running
  static const UINT kDragTimerId = 4100;                                   // re-evaluates a resting cursor
  static const UINT kDragTimerPeriod = 50;
  // The drop under the screen point of a resizable bar (fixed ones go to CalcFixedDraggingTarget).
  void CalcDraggingTarget(InternalDraggingState_t& state, LONG x, LONG y, bool bNoDock);
  // Moves a fixed bar live along or between rows, or floats it; the record stays without outline.
  void CalcFixedDraggingTarget(InternalDraggingState_t& state, LONG x, LONG y, bool bNoDock);
  bool TrackFixedBarInDockBar(LONG x, LONG y, CExtDockBar* pDockBar);
  void DrawDraggingTrackedArea(InternalDraggingState_t& state, bool bErase);

protected:
  // A fixed bar shown right in its frame, in no dock bar, while the frame's sides hold the
  // toolkit's dock bars (a bar made without docking, then shown): the dock bar of the side its
  // alignment names, where it belongs; NULL for any other bar. g_nMsgTakeDockPlace docks it there
  // in its own row and lays the frame out.
  CDockBar* DockBarForPlacelessBar() const;
  // Whether another bar of the docking frame has the bar's control id.
  bool IsIdSharedInFrame() const;

  // The pieces of the drag gesture.
  void BeginDragging(CPoint ptGrabOffset);
  void RunDraggingLoop();
  // One peeked message of the drag loop; false when it stops the drag.
  bool HandleDraggingMessage(const MSG& msg);
  // Moves the outline from the current record to the new one.
  void ShowDraggingTarget();
  // The drops that float the bar and that dock it at a side of the frame.
  bool FloatDraggedBar(InternalDraggingState_t& state, CFrameWnd* pFrame);
  bool DockDraggedBarAtSide(const InternalDraggingState_t& state, CFrameWnd* pFrame);
  // A fixed bar floated live at the cursor less its floating grab offset.
  void FloatFixedBarAt(LONG x, LONG y);
  bool TrackFixedBarInOwnDockBar(LONG x, LONG y, CExtDockBar* pDockBar);

public:
  static CWnd* FindTopLevelAncestor(CWnd* pWnd);
  static bool IsFrameInHelpMode(CWnd* pWnd);
  static bool IsPrintPreviewActive(CFrameWnd* pFrame);
  static bool IsOleInPlaceActiveInFrame(CFrameWnd* pFrame);
  bool IsOleInPlaceActive() const;
  void SetFocusToOwner();
  static bool PreTranslateChildBars(CWnd* pWnd, MSG* pMsg);
  void UpdateCmdUIGuarded(bool bDisableIfNoHandler);
  static void UpdateChildBarsCmdUI(CWnd* pWnd, bool bDisableIfNoHandler);
  // The bars of this bar's frame that pass the filter; the excluded bar (and its child windows)
  // is skipped. Point tests use the screen point.
  void GetFrameControlBars(bool bExcludeThis, CPtrArray& arrBars, DWORD dwFilter, LONG x = -1000,
                           LONG y = -1000) const;
  static void GetFrameControlBars(CFrameWnd* pFrame, CExtControlBar* pExclude, CPtrArray& arrBars,
                                  DWORD dwFilter, LONG x = -1000, LONG y = -1000);
  static bool ToggleBarByCommand(CFrameWnd* pFrame, UINT nId, bool bDelay = false);
  static bool UpdateBarCommandUI(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bFlag = false);
  bool NotifyDrawTrackedArea(TrackedAreaDrawData& data);
  static bool CollectMiniDockFrames(CWnd* pWnd);
  static bool LookupFrameFlags(CFrameWnd* pFrame, bool* pbOut);
  bool QueryCustomNcAreaFor(CDC* pDC, RECT& rc);

  // --- caption buttons --------------------------------------------------------------------------
  // The caption rectangle the buttons use, in the coordinates of the window that carries it, and
  // whether it runs along the top; false when the bar shows no caption.
  bool GetButtonCaption(CRect& rcCaption, bool& bOnTop) const;
  // The window that carries the caption: the bar, or its mini frame while floating.
  CWnd* GetCaptionWindow() const;
  // Hit-tests the visible caption buttons at the screen point: the first button's code (the close
  // button HTMINBUTTON, the others HTNOWHERE) with the button in ppButton, else HTCLIENT.
  UINT NcButtonHitTest(CPoint ptScreen, CExtBarNcAreaButton** ppButton = NULL);
  // The floating frame answers its caption rectangle (its window coordinates) through this; while
  // it is NULL a floating bar shows no caption buttons.
  typedef bool (*PFN_QueryFloatingCaption)(CFrameWnd* pMiniFrame, CRect& rcCaption);
  static PFN_QueryFloatingCaption g_pfnQueryFloatingCaption;
  void PaintNcAreaButtons(CDC& dc);

  // --- sizes, rows and parent layout ------------------------------------------------------------
  CExtControlBar* FindRowNeighbour(bool bForward, bool bToolkitOnly, bool bResizableOnly) const;
  CExtControlBar* FindRowEdgeBar(bool bForward, bool bToolkitOnly, bool bResizableOnly) const;
  bool IsFirstInRow(bool bResizableOnly) const;
  bool IsLastInRow(bool bResizableOnly) const;
  bool IsSingleInRow(RowKind nKind = ROW_ALL_BARS) const;
  bool IsAtMinimumLength() const;
  struct RowInfo {
    CRect m_rcRow;
    int m_nRowIndex = -1;
    bool m_bHasResizable = false;
    bool m_bHasFixed = false;
  };
  // The visible bars of the bar's row; false when the bar is in no dock bar.
  bool GetRowBars(CPtrArray& arrBars, RowInfo* pInfo = NULL) const;
  bool GetNeighbourRowBars(bool bForward, CPtrArray& arrBars, RowInfo* pInfo = NULL) const;
  bool GetRowBarsEx(bool bResizableToolkitOnly, CPtrArray& arrBars, RowInfo* pInfo = NULL) const;
  void MoveToOwnRow();
  static void RecalcDockBarInPlace(CFrameWnd* pFrame, CDockBar* pDockBar);
  static void RepositionBarsEx(CWnd* pWnd, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver,
                               UINT nFlags = CWnd::reposDefault, LPRECT pRectParam = NULL,
                               LPCRECT pRectClient = NULL, bool bStretch = true);
  // One resizable bar of a row being shared out: its length along the row and its minimum.
  struct RowShare {
    int nLength;
    int nMin;
  };
  // Walks the bars round-robin, one pixel per visit, until the difference is used up, every bar
  // is at its minimum, or twice the difference in rounds have passed; answers what is left. When
  // every bar is at its minimum the last one takes the whole difference.
  static int DistributeRowDifference(std::vector<RowShare>& arrItems, int nDiff);
  // Whether an entry of a dock bar's array is a toolkit bar that sizes itself along the row.
  static bool IsResizableToolkitBar(CControlBar* pBar);

  // --- window procedure helpers and frame-level set-up ------------------------------------------
  void SyncContainerVisibility();
  void EnsureRowLength();
  static bool FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
                                 bool bReplaceFloatingFrameClass = true);
  static void SetFrameMessageString(CWnd* pWnd, UINT nId);
  // Made by the dock-bar area, which fills these in ExtDockBarFactory.cpp: a new outer dock bar
  // (a CExtDockOuterBar) created as the frame's child with the style and id, NULL when it cannot
  // be made; and the run-time class of the toolkit's floating frame, NULL until it exists.
  static CDockBar* CreateOuterDockBar(CFrameWnd* pFrame, DWORD dwStyle, UINT nDockBarId);
  static CRuntimeClass* GetFloatingFrameClass();

protected:
  // The row of this bar shared out along the row extent (the first resizable bar does it).
  void LayoutRow(bool bHorz);
  void PositionRow(bool bHorz, INT_PTR nFirst, INT_PTR nLast, LONG nCross);
  static bool CollectRow(CDockBar* pDockBar, INT_PTR nPos, bool bResizableToolkitOnly, CPtrArray& arrBars,
                         RowInfo* pInfo);
  // The resizer bands of a docked resizable bar; which of them exist depends on its dock bar.
  void CalcResizerBands(CRect& rcWnd, bool& bRowResizer, bool& bRowEndResizer, bool& bRowStartResizer) const;
  // Gives back the remembered row length when the bar shows again, or remembers it as it hides.
  void SyncRowRoom();
  void ShowCaptionButtonTip();
  void PrintBar(CDC& dc, UINT nFlags);
  void OnWindowPosChangedImpl(WINDOWPOS* pPos);
  void OnSetFocusRowRoom();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg void OnSysColorChange();
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnTakeDockPlace(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  friend class CExtBarNcAreaButton;
  friend class CExtMiniDockFrameWnd; // shows the caption-button tips of its floating bar
};
