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
  // The image the strips are saved from instead of the DC the shadow paints on: what the screen
  // showed beneath the popup (a popup's own DC shows its own surface under Wine, never the screen
  // beneath). ptOrigin is where the image's top-left pixel lies in the target DC's coordinates. The
  // bitmap stays its owner's, who calls this again with NULL before deleting it.
  void SetScreenSource(HBITMAP hScreen, POINT ptOrigin);
  HBITMAP GetScreenSource() const { return m_hScreenSource; }
  // Captures the two strips at the strip positions from the screen source when there is one, else
  // from what dc shows there.
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
  // The band: size pixels wide along the right and bottom edges, darkest next to the content; it
  // starts size pixels down the right edge and in from the left one with rounded ends, and rounds
  // the outer corner. Where a combined menu's two parts share an edge the band runs straight on or
  // stops, and it never falls on either part.
  bool Render(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  bool RenderAlpha(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  bool RenderHalftone(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  // One pixel of the 32-bit working surface (x from the left, y from the top of the content).
  void ApplyAlpha(int nFactor, int x, int y, COLORREF clrTint);
  // A 0x00RRGGBB pixel with nFactor percent of its brightness kept; with a tint colour (not
  // (COLORREF)-1) each channel keeps min(100, p + (100 - p) * tint channel / 255) percent.
  static DWORD ShadePixel(DWORD px, int nFactor, COLORREF clrTint);

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
  // How the band meets the other area of a menu combined with its button.
  enum Joints : BYTE {
    JOINT_RIGHT_FROM_TOP = 0x01,   // an area above spans the right edge: no rounded start on top
    JOINT_BOTTOM_FROM_LEFT = 0x02, // an area to the left spans the bottom edge: none on the left
    JOINT_CUT_CORNER = 0x04,       // an area below or to the right reaches the corner: no corner
  };
  BYTE FindJoints() const;
  // The factor of a pixel of the working surface, or -1 when the shadow leaves it alone.
  int FactorAt(int x, int y, BYTE nJoints) const;
  int CornerFactor(int k, int j) const;
  bool IsInArea(int x, int y) const;
  // Draws the saved strips into dc with the content's top-left at ptContent.
  bool RestoreScreenAt(CDC& dc, POINT ptContent);
  // Prints the window beneath into dc at its place relative to the content (top-left at ptContent).
  bool ComposeBeneath(CDC& dc, POINT ptContent, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath);
  // Limits dc's clipping to the band: the content and the areas out, the clip region in.
  void ClipToBand(CDC& dc);
  void SelectClipRegion(CDC& dc);

  HBITMAP m_hScreenSource = NULL; // not owned
  CPoint m_ptScreenOrigin;
  int m_cxSurface = 0, m_cySurface = 0; // the working surface, (w + size) by (h + size)
};
