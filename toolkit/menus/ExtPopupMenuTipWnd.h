// The small topmost hint window of menus, bars and tab strips: one line of text with an optional
// icon, as a balloon with a tail or as a rectangle with a soft shadow. It shows after a delay and
// hides when the pointer leaves the area it describes, a button or Alt is pressed, or a bar drag
// begins.
#pragma once

#include "framework/core/fw_string.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/menus/ExtPopupBaseWnd.h"

class CExtPopupMenuTipWnd : public CExtPopupBaseWnd {
  DECLARE_DYNCREATE(CExtPopupMenuTipWnd)
public:
  enum TipStyle_t : int {
    TIP_OFF = 0,
    TIP_BALLOON = 1,
    TIP_BALLOON_NO_ICON = 2,
    TIP_RECT_BELOW_CURSOR = 3,
    TIP_RECT_BELOW_CURSOR_NO_ICON = 4,
    TIP_RECT_ABOVE = 5,
    TIP_RECT_ABOVE_NO_ICON = 6,
  };
  enum TipTimers : UINT {
    ID_TIMER_HOVER_CHECK = 671,
    ID_TIMER_AUTO_HIDE = 673,
  };
  enum : BYTE { PLACE_FLIPPED_H = 0x01, PLACE_FLIPPED_V = 0x02 };

  // Answers whether a control bar is being dragged, so that tips hide while one is. The docking
  // code sets it when its drag loop exists; NULL means no bar is ever dragged.
  static bool (*g_pfnIsBarDragging)();

  CExtPopupMenuTipWnd();
  // Destroys the window only while it is this object's own live window on this thread; a handle
  // the system already took (an owner destroyed first, a thread that ended) is only forgotten.
  ~CExtPopupMenuTipWnd() override;
  BOOL DestroyWindow() override;

  // NULL means the empty text; the text is trimmed on both sides.
  void SetText(LPCSTR lpszText);
  const CString& GetText() const { return m_sText; }
  void SetTipStyle(int nStyle) { m_nStyle = nStyle; }
  int GetTipStyle() const { return m_nStyle; }
  void GetHoverRect(RECT& rc) const { rc = m_rcArea; }
  // Shows the tip for the hover rectangle (screen coordinates) after the delay; FALSE only when
  // the window cannot be created. The same rectangle for the same window again changes nothing.
  BOOL ShowBalloon(CWnd* pWndParent, const RECT& rcHover);
  void HideTip();
  bool IsTipVisible() const;
  // The tip's region and size for its text and style (placement flags set for the work area).
  virtual CSize BuildBalloonRegion(CDC& dc, CRgn& rgn, const RECT& rcWorkArea);
  virtual void PaintTip(CDC& dc);
  void PaintContent(CDC& dc, bool bOnScreen) override;
  int GetShadowSize() const override;

  CExtCmdIcon m_icon;
  int m_cxIcon = 16, m_cyIcon = 16;
  int m_cxRectMargin = 3, m_cyRectMargin = 2;
  int m_cxBalloonMargin = 12, m_cyBalloonMargin = 10;
  int m_cxTail = 25, m_cyTail = 25;
  int m_nIconTextGap = 5;
  int m_nAnchorInset = 12;
  int m_nRectGapBelow = 13;
  int m_nShadowSize = -1; // -1: the theme's tip shadow size
  CString m_sText;
  BYTE m_nPlacementFlags = 0;
  int m_nStyle = TIP_BALLOON;
  CExtPopupShadow m_shadowTip;
  CRgn m_rgnTip;

protected:
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnTimer(UINT nIDEvent);
  DECLARE_MESSAGE_MAP()

private:
  bool IsBalloon() const { return m_nStyle == TIP_BALLOON || m_nStyle == TIP_BALLOON_NO_ICON; }
  bool ShowsIcon() const;
  // The window is this object's and alive on this thread.
  bool HasLiveWindow() const;
  // Drops a handle that is no longer this object's window without calling the system on it.
  void ForgetWindow();
  bool CreateTipWindow(CWnd* pWndParent);
  // The window rectangle for the size: placed by style and placement flags, then clamped into the
  // work area.
  CRect CalcTipRect(const CSize& size, const RECT& rcWorkArea) const;
  // Where the tail's point lies in window coordinates, for a window of the size.
  CPoint TailPoint(const CSize& size) const;
  // The balloon's body (the round rectangle) in window coordinates.
  CRect BalloonBodyRect(const CSize& size) const;
  void CheckAutoHide();

  HWND m_hWndTipParent = NULL; // the window the tip was shown for
};
