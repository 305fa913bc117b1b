// Tabbed docking: the tab container CExtDynTabControlBar, a resizable bar holding several bars
// in one place with a tab strip (CExtDynTabWnd) at its bottom that brings one of them forward,
// and its inner dock bar CExtDockDynTabBar, which gives every bar the whole of its area. The
// container's own operations are in ExtDynTabControlBar.cpp, the inner dock bar's in
// ExtDockDynTabBar.cpp.
#pragma once

#include "toolkit/docking/ExtDockDynBar.h"
#include "toolkit/docking/ExtDynControlBar.h"
#include "toolkit/docking/ExtDynTabWnd.h"

#include <vector>

class CExtDynTabControlBar : public CExtDynControlBar {
  DECLARE_DYNCREATE(CExtDynTabControlBar)
public:
  // The record sent with g_nMsgCreateTabbedBar before a container is made: a frame may put a
  // container of its own here (not yet created).
  struct CREATE_TABBED_BAR_DATA {
    CExtDynTabControlBar* m_pTabbedBar = NULL;
  };
  // Option: the strip along the top instead of the bottom; never set.
  static bool g_bTabsOnTop;

  CExtDynTabControlBar() = default;
  ~CExtDynTabControlBar() override;

  CExtDynTabWnd m_wndTabs;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  bool QueryCaption(bool* pbOnTop, bool* pbShown) const override;
  void ShowInFrame(bool bShow, bool bDelay, bool bExtra) override;
  bool IsStaticOptionBSet() const override;
  void RepositionSingleChild(int cx = -1, int cy = -1, bool bRecalc = true) override;
  CExtDynTabControlBar* GetTabContainerBar() const override {
    return const_cast<CExtDynTabControlBar*>(this);
  }
  void GetBarCaption(CString& strCaption) const override;
  CSize CalcInnerMinSize() const override;
  CExtDockDynBar* CreateInnerDockBar() override;
  // Asked before (false vetoes) and told after every tab switch.
  virtual bool OnActiveTabChange(int /*nOldIndex*/, int /*nNewIndex*/, bool /*bPreSelectionTest*/) {
    return true;
  }

  // Docks the bar (every bar of a container, recursively) in as tabs from the index on (out of
  // range appends); with bUpdate also lays the bars out and paints.
  void InsertBar(CExtControlBar* pBar, int nIndex, bool bUpdate);
  // Placeholder tabs for a bar dragged over the container (every tab-able bar of a dragged
  // container) at the index (out of range appends).
  void ShowDragPlaceholder(CExtControlBar* pBar, int nIndex, bool bUpdate);
  void RemoveBarTab(CExtControlBar* pBar);
  // With two tabs or more and none selected, selects the bar frontmost in z-order.
  void EnsureSelection();
  // The bar was shown or hidden: its tab follows, and the selection leaves a hidden bar.
  void OnBarVisibilityChanged(CExtControlBar* pBar);
  // A bar's caption changed: its tab is measured again, and the container's caption follows
  // when the bar is in front.
  void OnBarTextChanged(CExtControlBar* pBar);
  int CalcTabStripHeight();
  // The bar goes to the front, takes the focus and lends the container its caption.
  void BringBarForward(CExtControlBar* pBar);
  // Selects the bar's tab (it goes to the front); false when it has none.
  bool SelectBarTab(CExtControlBar* pBar);
  // The bar of the selected tab when that is a live tab; NULL otherwise.
  CExtControlBar* GetSelectedBar() const;
  CExtDockDynBar* GetInnerDockBar() const { return m_pWndDynDockBar; }

protected:
  // One bar (not a container) docked in as the tab at the index; answers the next index.
  int InsertOneBar(CExtControlBar* pBar, int nIndex);
  int InsertBarTree(CExtControlBar* pBar, int nIndex);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()
};

class CExtDockDynTabBar : public CExtDockDynBar {
  DECLARE_DYNCREATE(CExtDockDynTabBar)
public:
  explicit CExtDockDynTabBar(UINT nCircleNo = 0) : CExtDockDynBar(nCircleNo) {}

  BOOL PreTranslateMessage(MSG* pMsg) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void RecalcNestedLayout() override;
  void OptimizeNestedContainers() override;
  // The bars in tab order, placeholders left out.
  void GetDockedBars(std::vector<CControlBar*>& arrBars) const override;
  // A bar that leaves takes its tab with it.
  bool RemoveControlBar(CControlBar* pBar, int nPosExclude, int nPlaceHolder, bool bDelayRecalc) override;
  using CExtDockBar::RemoveControlBar;

  // Gives every bar the whole client area in one batch; with bUpdate each bar then refits its
  // content. Answers the window size.
  CSize LayoutBars(bool bUpdate);
  CExtDynTabControlBar* GetTabContainer() const;
};
