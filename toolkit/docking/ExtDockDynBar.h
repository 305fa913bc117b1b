// The dock bar inside a container bar (CExtDynControlBar): it holds the wrapped bars in rows and
// shares the container's whole client area among them, rows by thickness and the bars of a row by
// length, never below their minimums. A container left with one bar dissolves into that bar, and
// an empty one goes. The sharing is in ExtDockDynBarLayout.cpp, the rest in ExtDockDynBar.cpp.
#pragma once

#include "toolkit/docking/ExtDockBar.h"

#include <memory>
#include <vector>

class CExtDynControlBar;

class CExtDockDynBar : public CExtDockBar {
  DECLARE_DYNCREATE(CExtDockDynBar)
public:
  explicit CExtDockDynBar(UINT nCircleNo = 0);

  enum DynDockBarFlags : BYTE {
    DDF_OFF_FRAME_LIST = 0x01 // already removed from the frame's list of control bars
  };
  BYTE m_bDynDockBarFlags;

  // One row of visible bars, as the layout sees it.
  struct VisibleLayoutItem_t {
    std::vector<CExtControlBar*> m_arrBars;
    int m_nThickness = 0;    // the first bar's docked size across the row
    int m_nMinThickness = 0; // the first bar's minimum across the row
    int m_nLength = 0;       // the sum of the bars' docked sizes along the row
  };
  // The visible rows of the dock bar, built anew for each layout.
  class VisibleLayout {
  public:
    std::vector<std::unique_ptr<VisibleLayoutItem_t>> m_arrRows;
    int m_nTotalThickness = 0;
    int m_nTotalMinThickness = 0;
    int m_nMaxMinLength = 0;
    int m_nVisibleBars = 0;
    void AddBar(CExtControlBar* pBar);
    void AddRow();
    // No row at all, or a single row without bars.
    bool IsEmpty() const;
  };

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CExtDynAutoHideArea* GetAutoHideArea() const override;
  void LockLayoutOptimization(bool bLock) override;
  void RecalcNestedLayout() override;
  void OptimizeNestedContainers() override;
  // Appends every docked bar (not placeholders) in array order.
  virtual void GetDockedBars(std::vector<CControlBar*>& arrBars) const;

  void BuildVisibleLayout(VisibleLayout& layout);
  void ArrangeVisibleLayout(VisibleLayout& layout);
  // Rows run horizontally in a top or bottom dock bar, vertically otherwise.
  bool HasHorizontalRows() const;
  // The container this dock bar lives in; NULL before it is re-parented there.
  CExtDynControlBar* GetContainer() const;
  // Leaves the frame's list of control bars, once: the frame must never lay it out as its own.
  void LeaveFrameBarList();

protected:
  // The container's last bar takes its place in the holding dock bar; the container goes.
  void DissolveIntoLastBar(CControlBar* pLastBar);
  // The empty container leaves the holding dock bar and goes.
  void DissolveEmpty();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
