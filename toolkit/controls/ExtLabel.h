// A themed static label: text or icon drawn on the current theme's dialog background in the
// theme's text colours, with optional font emphasis. Frames, rectangles, bitmaps and owner-drawn
// statics keep the platform's painting.
#pragma once

#include "framework/dlg/fw_ctrl.h"

#include <functional>

class CExtLabel : public CStatic {
  DECLARE_DYNCREATE(CExtLabel)
public:
  enum FontFlags : BYTE {
    FONT_BOLD = 0x01,
    FONT_ITALIC = 0x02,
    FONT_UNDERLINE = 0x04,
    FONT_STRIKEOUT = 0x08
  };

  CExtLabel();

  // Settings the owner writes before the window is shown; a later change shows at the next paint.
  BYTE m_nFontFlags = 0;
  COLORREF m_clrTextNormal = (COLORREF)-1;   // -1: the theme's
  COLORREF m_clrTextDisabled = (COLORREF)-1; // -1: the theme's
  COLORREF m_clrBackground = (COLORREF)-1;   // -1: the theme's

  // The message handling the small themed controls share: WM_UPDATEUISTATE is swallowed (the
  // control draws no focus cues of its own), and a new text or enabled state repaints at once.
  // pfnDefault runs the control's own processing.
  static LRESULT SmallControlWindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        const std::function<LRESULT()>& pfnDefault);
  // Fills rc with the theme's docker background behind pWnd, else with the colour (the theme's
  // dialog face for -1).
  static void PaintControlBackground(CDC& dc, CWnd* pWnd, const CRect& rc, COLORREF clrBackground);
  // The font a control's caption is drawn in: its own, its parent's, else a stock one.
  static HFONT ChooseControlFont(CWnd* pWnd);
  // The DrawText alignment and tab flags a static control's type and text ask for.
  static UINT StaticTextFormat(DWORD dwStyle, const CString& sText);

protected:
  virtual void DrawLabelText(CDC& dc, const CRect& rc, const CString& sText, UINT nFormat, bool bEnabled);
  virtual COLORREF GetTextColor(bool bEnabled);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  void PaintIcon(CDC& dc, const CRect& rcClient);
  void PaintText(CDC& dc, const CRect& rcClient);
};
