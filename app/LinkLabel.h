// A static text with its own look (colours, gradient, font, 3-D text, rotation, flashing) that can
// open a web address or a mail message, or tell its parent that it was clicked. The task sheet's
// pages build all their links and headers from it.
#pragma once

#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"

#include <windows.h>

// WM_NOTIFY code a label sends its parent when clicked with notify-parent on.
#define LLN_CLICKED 0x8200

class CLinkLabel : public CStatic {
  DECLARE_DYNAMIC(CLinkLabel)
public:
  CLinkLabel();
  ~CLinkLabel() override;

  // Every setter works on an existing window; those that change the look redraw at once.
  virtual CLinkLabel& SetBkColor(COLORREF crBk, COLORREF crGradientEnd = 0, BOOL bGradient = FALSE);
  virtual CLinkLabel& SetTextColor(COLORREF crText);
  virtual CLinkLabel& SetText(const CString& strText);
  virtual CLinkLabel& SetFontBold(BOOL bBold);
  virtual CLinkLabel& SetFontName(const CString& strFace, BYTE nCharSet = ANSI_CHARSET);
  virtual CLinkLabel& SetFontUnderline(BOOL bSet);
  virtual CLinkLabel& SetFontItalic(BOOL bSet);
  virtual CLinkLabel& SetFontSize(int nPoints);
  virtual CLinkLabel& SetSunken(BOOL bSet);
  virtual CLinkLabel& SetBorder(BOOL bSet);
  virtual CLinkLabel& SetTransparent(BOOL bSet);
  virtual CLinkLabel& FlashText(BOOL bActivate);
  virtual CLinkLabel& FlashBackground(BOOL bActivate);
  virtual CLinkLabel& SetLink(BOOL bLink, BOOL bNotifyParent);
  virtual CLinkLabel& SetLinkCursor(HCURSOR hCursor);
  virtual CLinkLabel& SetText3D(BOOL b3D, int nDirection = 0);
  virtual CLinkLabel& SetRotationAngle(int nDegrees, BOOL bRotation);
  virtual CLinkLabel& SetHighlightColor(COLORREF crHighlight);
  virtual CLinkLabel& SetFont(LOGFONT lf);
  virtual CLinkLabel& SetMailLink(BOOL bLink, BOOL bNotifyParent);
  virtual CLinkLabel& SetLinkTarget(const CString& strTarget);
  using CWnd::SetFont;

  // Fills pRect with nSteps bands (at most one per pixel column) running from crFrom to crTo.
  static void DrawGradient(CDC* pDC, const RECT* pRect, COLORREF crFrom, COLORREF crTo, int nSteps);

protected:
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  // The static class takes double clicks: the second of two quick clicks is a click too.
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnSysColorChange();
  DECLARE_MESSAGE_MAP()

private:
  enum { kLinkNone = 0, kLinkHyper = 1, kLinkMail = 2 };
  enum { kFlashNone = 0, kFlashText = 1, kFlashBackground = 2 };
  enum { kFlashTimer = 1 };

  void ReconstructFont();
  void RedrawLabel();
  void PaintContent(CDC* pDC, const CRect& rc, const CString& strText);
  UINT TextFormat(const CString& strText) const;
  void StopFlashTimer();
  void OnClicked();

  COLORREF m_crText;
  COLORREF m_crHighlight;
  CBrush m_brFace;
  CBrush m_brBk; // no handle when no background colour is set or it is a gradient
  LOGFONT m_lf;
  CFont m_font;
  BOOL m_bFlashState;
  BOOL m_bTimerRunning;
  int m_nLinkType;
  BOOL m_bTransparent;
  BOOL m_b3DText;
  BOOL m_bNotifyParent;
  BOOL m_bRotation;
  int m_nFlashType;
  HCURSOR m_hCursor; // shared resource cursor: not owned
  int m_n3DDirection;
  BOOL m_bGradient;
  COLORREF m_crGradientEnd;
  COLORREF m_crBk;
  CString m_strLinkTarget;
};
