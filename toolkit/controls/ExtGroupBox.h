// A themed group box: a dialog's group-box button subclassed so that it paints its frame in one of
// five styles, with its caption, over the current theme's dialog background.
#pragma once

#include "framework/dlg/fw_ctrl.h"

class CExtGroupBox : public CButton {
  DECLARE_DYNAMIC(CExtGroupBox)
public:
  enum CaptionAlignment { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };
  enum FrameStyle {
    STYLE_SYSTEM = 0,  // the visual style's frame when one is active, else etched
    STYLE_ETCHED = 1,  // a two-line etched frame
    STYLE_ROUNDED = 2, // a rounded rectangle in the shadow colour
    STYLE_FLAT = 3,    // a single line in the shadow colour
    STYLE_CAPTION = 4, // a filled band carrying the caption in bold, and a flat frame
  };

  CExtGroupBox();

  // Settings the owner writes before the window is shown; a later change shows at the next paint.
  int m_nCaptionAlignment = ALIGN_LEFT;
  int m_nFrameStyle = STYLE_SYSTEM;
  int m_nCaptionBandHeight = 18;           // STYLE_CAPTION only
  COLORREF m_clrBackground = (COLORREF)-1; // -1: the theme's background

protected:
  // Draws the caption into rcCaption and narrows it to the area the frame must leave open.
  virtual void DrawCaption(CDC& dc, CRect& rcCaption, const CString& sText, UINT nFormat, bool bEnabled);
  virtual void PaintFrame(CDC& dc, const CRect& rcFrame);

  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void OnPaintGroupBox();
  void RedrawSiblingsAbove(const CRect& rcClient);
  // Keeps the paint off the shown opaque controls below the box in Z order that lie inside it:
  // clipping to siblings spares only those above it, and a grouped control shown after the box
  // may have painted already.
  void ExcludeSiblingsBelow(CDC& dc, const CRect& rcClient);
  bool PaintThemedFrame(CDC& dc, const CRect& rcFrame);
  void PaintCaptionBand(CDC& dc, const CRect& rcClient);
};
