// The container bar that a resizable bar and a neighbour docked beside it are wrapped in: a
// resizable control bar holding an inner dock bar (CExtDockDynBar) whose rows share its area.
// Containers nest, which gives any arrangement of side-by-side and stacked resizable bars.
#pragma once

#include "toolkit/docking/ExtControlBar.h"

class CExtDockDynBar;

class CExtDynControlBar : public CExtControlBar {
  DECLARE_DYNCREATE(CExtDynControlBar)
public:
  CExtDynControlBar();

  CExtDockDynBar* m_pWndDynDockBar; // the inner dock bar; NULL until the window exists

  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  bool QueryCaption(bool* pbOnTop, bool* pbShown) const override;
  void ShowInFrame(bool bShow, bool bDelay, bool bExtra) override;
  int CalcMinWidth() const override;
  int CalcMinHeight() const override;
  CSize GetMinFloatingSize() const override;
  bool IsRowResizingEnabled() const override;
  bool IsInRowResizingEnabled() const override;
  bool IsDraggingEnabled() const override;
  bool IsTabbedDockingAllowed(bool bIgnored = false) const override;
  CExtDynTabControlBar* GetTabContainerBar() const override { return CExtControlBar::GetTabContainerBar(); }
  DWORD_PTR GetCustomData() const override { return 0; }
  void SetCustomData(DWORD_PTR /*dw*/) override {}
  bool IsDblClickToggleEnabled() const override;
  bool IsNcMenuButtonEnabled() const override;
  bool IsNcCloseButtonEnabled() const override;
  bool IsNcAutoHideButtonEnabled() const override;

  // The smallest window the container's rows can be shared out in.
  virtual CSize CalcInnerMinSize() const;
  // A new inner dock bar, not yet created; tabbed containers make their own kind.
  virtual CExtDockDynBar* CreateInnerDockBar();

protected:
  // The first false answer of the contained toolkit bars to a predicate, else the base answer.
  template <typename Pred> bool AllContainedAgree(Pred pred, bool bBaseAnswer) const;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};
