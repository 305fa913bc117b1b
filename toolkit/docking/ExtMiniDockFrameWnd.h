// The floating frame of toolkit bars.
#pragma once

#include "framework/bars/fw_bars.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/frame/fw_frame.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

class CExtControlBar;

// The small frame a floating bar lives in. Its dock bar is a toolkit one; the frame paints its whole
// non-client area through the theme (borders, a small caption with the bar's text and caption
// buttons), keeps its caption on the monitor's work area, hands caption presses to the bar's own
// dragging and runs its own border resizing. Split by concern: ExtMiniDockFrameWnd.cpp (creation,
// layout, work-area rules, timers), ExtMiniDockFrameNc.cpp (non-client geometry, hit test, mouse,
// painting) and ExtMiniDockFrameResize.cpp (the resizing loop).
class CExtMiniDockFrameWnd : public CMiniDockFrameWnd,
                             public CExtMouseCaptureSink,
                             public CExtCaptionSourceSite {
  DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
public:
  // The frame's private timers.
  enum : UINT { TIMER_RELAYOUT_BUTTONS = 1, TIMER_CLOSE_HOVER = 2 };

  CExtMiniDockFrameWnd();
  ~CExtMiniDockFrameWnd() override;

  static CRuntimeClass* GetFloatingFrameClass() { return RUNTIME_CLASS(CExtMiniDockFrameWnd); }
  // Answers the caption rectangle of a toolkit floating frame (window coordinates) to the bars.
  static bool QueryFloatingCaption(CFrameWnd* pMiniFrame, CRect& rcCaption);

  CDockBar* CreateDockBar() override;
  CExtDockBar* GetExtDockBar() const;
  // The bar in the frame's dock bar: the first child of its first child. NULL when that is no
  // toolkit bar (GetFloatingControlBar accepts any control bar).
  CExtControlBar* GetFloatingBar() const;
  CControlBar* GetFloatingControlBar() const;

  BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // The base's layout, then the caption drawn again: it names the bar inside, or none of several.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void PaintNcArea(CDC& dc);

  // The modal border-resizing loop for the border code (HTLEFT .. HTBOTTOMRIGHT) pressed at the
  // screen point; it runs until the button is released, a key is pressed or the capture is lost.
  void TrackResizing(UINT nHitTest, CPoint ptScreen);
  bool IsResizing() const { return m_nResizingHit != 0; }
  const CRect& GetCaptionRect() const { return m_rcFrameCaption; }

  // --- CExtCaptionSourceSite ------------------------------------------------------------------
  SourceKind GetCaptionSourceKind() const override { return SOURCE_MINI_FRAME; }
  bool IsFloatingBarFixedMode() const override;

  CToolTipCtrl m_wndToolTip;
  CRect m_rcCloseButton; // used only when the floating bar is no toolkit bar
  BYTE m_bCloseButtonHover;
  CRect m_rcFrameCaption;
  CPoint m_ptLastResizing; // (-1, -1) when none
  UINT m_nResizingHit;     // 0 while no resizing runs
  CRect m_rcWndResizingStart;

protected:
  // Non-client geometry and input (ExtMiniDockFrameNc.cpp).
  UINT HitTestBorders(CPoint ptScreen) const;
  void CloseButtonHoverStep(CPoint ptScreen);
  void ShowCaptionTip();
  // The resizing loop's pieces (ExtMiniDockFrameResize.cpp).
  void ResizingStep(CPoint ptScreen);
  void ResizeFixedBar(CExtControlBar* pBar, UINT nHit, const CRect& rcNew, CSize sizeNc);
  void StopResizing();
  bool RunResizingLoop();
  // Whether a window of the size fits the work area of the frame's monitor.
  bool FitsWorkArea(CSize size) const;
  // Moves the frame up or down so that its caption stays on the work area.
  void KeepCaptionOnWorkArea();

  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnPaint();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg UINT OnNcHitTest(CPoint point);
  DECLARE_MESSAGE_MAP()
};
