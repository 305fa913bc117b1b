// The chevron at the end of a tool bar, which lists the buttons that do not fit and the frame's
// bars, and the panel bar: a tool bar without buttons hosting its first child window with a margin.
#pragma once

#include "framework/core/fw_coll.h"
#include "toolkit/bars/ExtToolControlBar.h"

class CExtBarContentExpandButton : public CExtBarButton {
  DECLARE_DYNAMIC(CExtBarContentExpandButton)
public:
  // Both command ids of a chevron.
  static const UINT kCmdId = (UINT)-66;
  // The tool id of the chevron's tip (the framework's idle-message id).
  static const UINT kTipToolId = 0xE001;

  explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);
  ~CExtBarContentExpandButton() override;

  CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) override;
  UINT GetMenuAlignment() const override;
  void OnClick(CPoint point, bool bDown) override;
  void OnHover(CPoint point, bool bHover, bool& bSuppressTip) override;
  int OnHelpHitTest(CPoint point) override;
  void Paint(CDC& dc, bool bHorz) override;
  UINT OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) override;
  bool IsPlainCommandButton() const override { return false; }

  // The chevron's first flag: every button is shown (the layout sets and clears it).
  bool IsAllContentVisible() const { return m_bAllContentVisible; }
  void SetAllContentVisible(bool bSet) { m_bAllContentVisible = bSet; }

  // The buttons that did not fit, in bar order; the array does not own them.
  CArray<CExtBarButton*, CExtBarButton*> m_arrHiddenButtons;

protected:
  bool m_bAllContentVisible;
};

class CExtPanelControlBar : public CExtToolControlBar {
  DECLARE_DYNAMIC(CExtPanelControlBar)
public:
  CExtPanelControlBar();

  CRect GetMargins() const { return m_rcMargins; }
  CSize GetChildSize() const;
  CSize CalcChildLayoutSize() const;
  // Moves the hosted window, keeping its size, to the client's top-left corner inside the margins.
  void RepositionChild(bool bRepaint = true);
  // The hosted window: the bar's first child; the bar does not own it.
  CWnd* GetHostedWindow() const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  int CalcMinWidth() const override;
  int CalcMinHeight() const override;
  CSize GetMinFloatingSize() const override;
  CSize CalcMinSize() const override;
  int HitTestItem(CPoint ptClient) const override { return CExtControlBar::HitTestItem(ptClient); }

  CRect m_rcMargins;

protected:
  // The size for a layout query of the mode and length (remembered per position).
  CSize CalcPanelLayout(DWORD dwMode, int nLength);
  // Room around the child: 2 each way docked, plus the caption.
  CSize CalcExtraSpace() const;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
