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

  CExtPopupMenuTipWnd();
  ~CExtPopupMenuTipWnd() override;

  // NULL means the empty text; the text is trimmed on both sides.
  void SetText(LPCSTR lpszText);
  const CString& GetText() const { return m_sText; }
  void SetTipStyle(int nStyle) { m_nStyle = nStyle; }
  int GetTipStyle() const { return m_nStyle; }
  void GetHoverRect(RECT& rc) const { rc = m_rcArea; }
  // Shows the tip for the hover rectangle (screen coordinates) after the delay; FALSE only when
  // the window cannot be created.
  BOOL ShowBalloon(CWnd* pWndParent, const RECT& rcHover);
  void HideTip();
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
};
