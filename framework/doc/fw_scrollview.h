// A view larger than its window: the view's own scroll bars move a viewport over a total size given
// in logical units of one fixed map mode.
#pragma once

#include "framework/doc/fw_doc.h"

class CBrush;

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
public:
  CScrollView();

  // A page or line size of (0, 0) - or a zero part of one - takes the default: a page is a tenth
  // of the total, a line a tenth of the page (at least one device unit).
  static const CSize sizeDefault;

  // nMapMode is MM_TEXT or one of the fixed metric and English modes; any other mode counts as
  // MM_TEXT. Sizes are logical; the bars follow at once when the window exists.
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  // The logical point shown at the window's top-left corner (y is negative in the modes whose y
  // axis points up).
  CPoint GetScrollPosition() const;
  // The same in device units: the positions of the two bars, 0 for a hidden bar.
  CPoint GetDeviceScrollPosition() const;
  // Scrolls so that the logical point is at the top-left corner, as far as the range allows.
  void ScrollToPosition(POINT pt);
  // Fills the part of the client area that lies beyond the total size (pDC may be prepared or not).
  void FillOutsideRect(CDC* pDC, CBrush* pBrush);

  // nScrollCode holds the horizontal SB_ code in its low byte and the vertical one in its high
  // byte, 0xFF for none. Both answer TRUE only when the position changed (or would, when
  // bDoScroll is FALSE); moves are clamped to the range. OnScrollBy does not repaint, so an
  // override can note the new position before OnScroll paints the exposed part.
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

  // Map mode, and the viewport origin at minus the device scroll position (none when printing).
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

protected:
  int m_nMapMode;
  CSize m_totalLog; // total size in logical units
  CSize m_totalDev; // total, page and line sizes in device units
  CSize m_pageDev;
  CSize m_lineDev;
  BOOL m_bInsideUpdate; // showing a bar resizes the window: the nested WM_SIZE does nothing

  // Shows the bars the total needs in the current window size, sets their ranges and pages, and
  // pulls the position back into the range.
  void UpdateBars();
  void ScrollToDevicePosition(POINT ptDev);
  // The client size the window would have without its scroll bars.
  CSize GetTrueClientSize() const;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

private:
  // The last position the bars allow: 0 along a hidden bar.
  CSize GetScrollLimits() const;
  // Sets the bars to ptNew and moves the window's contents from ptOld.
  void MoveScrollPosition(CPoint ptOld, CPoint ptNew);
  // The new position along one bar for an SB_ code; 0xFF or SB_ENDSCROLL keep nCur.
  int ScrollCodeTarget(int nBar, UINT nCode, UINT nPos, int nCur, int nPage, int nLine) const;
};
