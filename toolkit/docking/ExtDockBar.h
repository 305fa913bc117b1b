// The toolkit's dock bars: the thin child windows along a frame's sides that hold docked bars in
// rows (CExtDockBar; its plain instances form the inner dock circles and live in floating frames)
// and the four outermost ones of a frame, whose rows keep fixed bars at remembered places
// (CExtDockOuterBar); the floating frame that holds a toolkit dock bar is in
// ExtMiniDockFrameWnd.h. Split by concern: ExtDockBar.cpp (window, share of the frame, painting,
// release), ExtDockBarLayout.cpp (the plain row layout), ExtDockOuterBar.cpp (the outer row
// layout), ExtDockBarOps.cpp (docking and removing bars), ExtDockOuterBarOps.cpp (moving fixed
// bars inside an outer dock bar), ExtDockCircles.cpp (dock circles) and ExtBarsMenu.cpp (the bars
// context menu).
#pragma once

#include "framework/bars/fw_bars.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <vector>

class CExtDynAutoHideArea;
class CExtPopupMenuWnd;

class CExtDockBar : public CDockBar, public CExtDockBarSite {
  DECLARE_DYNCREATE(CExtDockBar)
public:
  explicit CExtDockBar(UINT nCircleNo = 0);
  ~CExtDockBar() override;

  static const char kClassName[]; // "Corvane-DockBar"
  static bool RegisterWndClass();

  enum DockBarFlags : BYTE {
    DBF_LOCKED = 0x01,      // neither takes space nor moves its bars; no nested optimisation
    DBF_NESTED_GUARD = 0x02 // RecalcNestedLayout is running
  };
  BYTE m_bDockBarFlags;
  UINT m_nCircleNo;             // 0 outer and container dock bars, 1, 2, ... inner circles
  CExtDockBar* m_pDockBarOuter; // same side, one circle further out
  CExtDockBar* m_pDockBarInner; // same side, one circle further in
  CRect m_rcInnerEdge;          // screen line between this dock bar and what remained after it
  CExtDynAutoHideArea* m_pWndAutoHideArea;

  // --- overrides of the framework -------------------------------------------------------------
  BOOL DestroyWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  void DrawBorders(CDC* pDC, CRect& rect) override;
  void DrawGripper(CDC* /*pDC*/, const CRect& /*rect*/) override {}
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) override;

  // --- the dock bar's own virtuals ------------------------------------------------------------
  virtual CExtDynAutoHideArea* GetAutoHideArea() const { return m_pWndAutoHideArea; }
  virtual void LockLayoutOptimization(bool bLock);
  virtual void RecalcNestedLayout();
  virtual void OptimizeNestedContainers();

  // --- CExtDockBarSite (what the theme reads) -------------------------------------------------
  bool IsOuterDockBar() const override { return false; }
  HWND GetParentFrameHwnd() const override;

  bool IsLocked() const { return (m_bDockBarFlags & DBF_LOCKED) != 0; }
  UINT GetCircleNo() const { return m_nCircleNo; }
  // The side id of the dock bar's window (59419-59423).
  UINT GetSideId() const;
  // True when the array holds only row separators: no bar and no placeholder.
  bool IsEmpty() const;
  // The entry of a bar pointer (or placeholder id) at or after index 1, -1 when none.
  int FindEntry(const void* pEntry, int nPosExclude = -1) const;
  // Removes one entry; when the entries before and at it are then both row separators, the second
  // goes too, so that no empty row is left behind.
  void RemoveEntry(int nPos);

  // --- placeholders ---------------------------------------------------------------------------
  void RemoveBarPlaceHolder(const void* pBarOrId, bool bSearchFrame, bool* pbFound = NULL);
  static void RemovePlaceHolderInFrame(CFrameWnd* pFrame, UINT nCtrlId, bool* pbFound = NULL);
  void RemoveAllPlaceHolders(bool bSearchFrame);

  // --- docking and removing bars --------------------------------------------------------------
  // nPlaceHolder: 1 leaves a placeholder, 0 removes the bar's old placeholder too, -1 neither.
  virtual bool RemoveControlBar(CControlBar* pBar, int nPosExclude, int nPlaceHolder, bool bDelayRecalc);
  BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0) override;
  virtual void DockBarAt(CControlBar* pBar, const RECT* prcScreen = NULL, bool bMoveToRect = false);
  virtual void InsertBarBesideRow(CControlBar* pAnchorBar, CControlBar* pBar, bool bBefore);
  virtual void DockBarAtEdge(CControlBar* pBar, bool bInnerEdge);
  void ReleaseAllBars();

  // --- dock circles ---------------------------------------------------------------------------
  static UINT CreateInnerCircle(CFrameWnd* pFrame);
  static CExtDockBar* FindCircleDockBar(CFrameWnd* pFrame, UINT nCircleNo, UINT nSideId, bool bCreate);
  CExtDockBar* GetCircleDockBar(UINT nCircleNo);
  CExtDockBar* GetSideDockBar(UINT nSideId, bool bCreate);
  static void InsertCircle(CFrameWnd* pFrame, UINT nCircleNo);
  void InsertCircleInside();
  static void OptimizeCircles(CFrameWnd* pFrame);
  void UnlinkAndDestroy();

  // --- the bars context menu ------------------------------------------------------------------
  static bool BuildBarsContextMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, WORD nEventCode,
                                   CWnd* pWndSource, UINT nSourceMessage, CObject* pSourceObject = NULL);

  // The side's alignment style bit (CBRS_ALIGN_TOP for 59419, ...), 0 for other ids.
  static DWORD AlignmentOfSide(UINT nSideId);
  // The toolkit dock bar inside a container bar (the first child that is one), NULL otherwise.
  static CExtDockBar* InnerDockBarOf(CControlBar* pBar);

protected:
  // Ends a layout pass of the rows: the deferred moves made, the border line counted, the nested
  // dock bars laid out after a real pass.
  CSize FinishRowLayout(AFX_SIZEPARENTPARAMS& layout, CSize sizeFixed, BOOL bStretch, BOOL bHorz);
  // The dock bar this bar came from when it is a docked toolkit dock bar of the same frame.
  CExtDockBar* ExtDockBarOf(CControlBar* pBar) const;
  // Hides a bar that comes from elsewhere, gives it this dock bar's style and takes it in as a
  // child; answers whether it was hidden.
  bool AdoptBar(CControlBar* pBar);
  void LeaveOldDockBar(CControlBar* pBar, bool bOptimizeOld);
  static bool IsWrapCandidate(CControlBar* pBar);

  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  friend class CExtMiniDockFrameWnd;
};

// The reading of a fixed bar's position record by the outer dock bars: the first value is the
// bar's order in its row (0: a reset record), then the remembered rectangle in dock-bar client
// coordinates and the remembered extents along a horizontal and along a vertical row.
inline LONG& RowOrderOf(CExtControlBar::OuterDockPosition& pos) { return pos.m_nDockBarId; }
inline RECT& RowRectOf(CExtControlBar::OuterDockPosition& pos) { return pos.m_rcBar; }
inline LONG& RowExtentOf(CExtControlBar::OuterDockPosition& pos, bool bHorz) {
  return bHorz ? pos.m_nRow : pos.m_nColumn;
}

class CExtDockOuterBar : public CExtDockBar {
  DECLARE_DYNCREATE(CExtDockOuterBar)
public:
  CExtDockOuterBar();

  enum OuterFlags : BYTE { OBF_FRAME_LAYOUT = 0x01, OBF_TIMER_PENDING = 0x02 };
  BYTE m_bOuterFlags;
  static const UINT kFrameLayoutTimer = 901;

  // One visible bar of the row being laid out.
  struct OuterLayoutItemData {
    CControlBar* m_pBar = NULL;
    bool m_bVisible = true;
    bool m_bToolkit = false;   // a CExtControlBar
    bool m_bResizable = false; // a toolkit bar that is not in fixed mode
    bool m_bInRowExtent = false;
    CSize m_size;    // desired
    CSize m_sizeMin; // minimum
    CRect m_rcLayout;
    CRect m_rcCurrent;
    CExtControlBar::OuterDockPosition* m_pPos = NULL; // the bar's record, NULL when it keeps none
    bool HasSetRecord() const { return m_pPos != NULL && RowOrderOf(*m_pPos) != 0; }
  };
  typedef std::vector<OuterLayoutItemData> ItemArray;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  bool IsOuterDockBar() const override { return true; }

  // --- the row layout, on item records alone --------------------------------------------------
  // Lays out one row from the pen; answers the wraps made. Items of invisible bars leave the
  // array. Moves nothing: the caller applies the layout rectangles.
  static int LayoutRowItems(ItemArray& items, CSize& sizeFixed, CSize sizeAvail, CPoint& ptPen, bool bHorz,
                            bool bFloating);
  static void BuildRowOrder(bool bHorz, std::vector<int>& order, ItemArray& items, bool bInit, int nFirst,
                            int nLast);
  static bool FitRow(ItemArray& items, int nFirst, int nLast, int nAvail, bool bHorz);
  static void AlignRowExtents(bool bHorz, ItemArray& items, int nFirst, int nLast);
  static void RestoreSavedPosition(ItemArray& items, int nItem, int nAvail, bool bHorz);
  static void PushRowItems(ItemArray& items, int nItem, int nDelta, int nAvail, bool bHorz);
  static void ShiftTowardSavedPosition(ItemArray& items, int nItem, int nAvail, bool bHorz);
  static void EndRow(int& nThickness, CSize& sizeFixed, CPoint& ptPen, bool bHorz);
  static void SwapRowItems(ItemArray& items, int nA, int nB);

  // --- moving fixed bars inside this dock bar -------------------------------------------------
  bool InsertIntoRow(CControlBar* pBar, const CPtrArray& arrRowBars, int nOffset);
  void LayoutRows(CControlBar* pBar, int nOffset, bool* pbChanged = NULL);
  void RenumberRowOrder(CControlBar* pBar);

  bool TryRecalcFrameLayout();

protected:
  // The item record of a bar as the outer layout builds it.
  OuterLayoutItemData MakeItem(CControlBar* pBar, CSize sizeAvail);
  // Applies the layout rectangles of a row through the deferred positioning.
  void ApplyRow(ItemArray& items, AFX_SIZEPARENTPARAMS& layout, bool bHorz);
  CSize AvailableSize() const;
  // The bar entries of the row that holds entry nPos: [nFirst, nLast].
  void GetRowRange(int nPos, int& nFirst, int& nLast) const;

  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
