// The soft drop shadow of popup windows, drawn inside the popup along its right and bottom
// edges over an image of what the screen showed there before the popup appeared.
#pragma once

#include "framework/core/fw_geom.h"
#include "framework/gdi/fw_gdi.h"

class CWnd;

class CExtPopupShadow {
public:
  enum Flags : BYTE {
    SHADOW_KEEP_RENDERED = 0x01, // keep the rendered strips for repainting
    SHADOW_TINT = 0x02,          // tint with the theme's shadow colour
  };

  CExtPopupShadow();
  ~CExtPopupShadow();
  CExtPopupShadow(const CExtPopupShadow&) = delete;
  CExtPopupShadow& operator=(const CExtPopupShadow&) = delete;

  // Deletes the four strips; the owner empties the geometry (ResetAll) when it hides.
  void Reset();
  // Reset, and the geometry, region and flags too.
  void ResetAll();

  bool HasSavedScreen() const;
  // Captures the two strips of what dc shows at the strip positions.
  bool SaveScreen(CDC& dc);
  // Draws the saved strips into a DC whose origin is the content's top-left corner.
  bool RestoreScreen(CDC& dc);
  // Draws the rendered strips, clipped to the region when there is one.
  bool PaintCached(CDC& dc);
  // Replaces the rendered strips with what dc shows at the strip positions.
  void CacheRendered(CDC& dc);
  // Forgets the rendered strips while the saved screen stays, so the next render recomputes them.
  void DiscardRendered();

  // Stores the geometry and flags, then renders; the render's answer. rcArea1 and rcArea2 are the
  // menu body and the button area of a menu combined with its button, both empty otherwise.
  bool PaintFor(CDC& dc, const RECT& rcContent, const RECT& rcArea1, const RECT& rcArea2, int nSize,
                int nDarkest, int nLightest, bool bKeep, bool bTint, CWnd* pWndContent,
                CWnd* pWndBeneath = NULL, const RECT* pRcBeneath = NULL);
  bool Render(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  bool RenderAlpha(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  bool RenderHalftone(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  // One pixel of the 32-bit working surface (x from the left, y from the top of the content).
  void ApplyAlpha(int nFactor, int x, int y, COLORREF clrTint);

  // The rectangles the strips cover, in the target DC's coordinates.
  CRect RightStripRect() const;
  CRect BottomStripRect() const;

  CBitmap m_bmpRenderedRight;
  CBitmap m_bmpRenderedBottom;
  CBitmap m_bmpSavedRight;
  CBitmap m_bmpSavedBottom;
  DWORD* m_pPixels = NULL; // the working DIB section's bits while a soft shadow is computed
  CRect m_rcContent;
  CRect m_rcArea1;
  CRect m_rcArea2;
  int m_nSize = 0;
  int m_nDarkest = 0;
  int m_nLightest = 0;
  BYTE m_nFlags = 0;
  CRgn m_rgnClip;

private:
  int m_cxSurface = 0, m_cySurface = 0; // the working surface, (w + size) by (h + size)
};
