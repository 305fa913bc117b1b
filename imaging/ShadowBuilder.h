// Soft drop shadow along the right and bottom sides of a rectangle on a device context.
#pragma once

#include "framework/gdi/fw_gdi.h"

class CShadowBuilder {
public:
  CShadowBuilder();
  ~CShadowBuilder();
  CShadowBuilder(const CShadowBuilder&) = delete;
  CShadowBuilder& operator=(const CShadowBuilder&) = delete;

  // Stores the values and renders. The shadow lies outside `rcArea`, `nSize` pixels wide, keeping
  // nMinPercent of each pixel's brightness next to the area and nMaxPercent at its outer side.
  BOOL Paint(CDC* pDC, const RECT& rcArea, int nSize, int nMinPercent, int nMaxPercent, BOOL bSaveBackground);
  // Puts saved strips back when there are any, else draws the shadow for the screen's depth.
  BOOL Render(CDC* pDC);
  // Per-pixel shadow through a 32-bit DIB section.
  BOOL RenderDib(CDC* pDC);
  // 50 % dither for palette displays.
  BOOL RenderHalftone(CDC* pDC);
  // Copies the right strip (size x (height + size)) and the bottom strip ((width + size) x size).
  BOOL SaveBackground(CDC* pDC);
  // Blits the saved strips back; FALSE when none are saved.
  BOOL RestoreBackground(CDC* pDC);
  // Darkens pixel (x, y) of the DIB being rendered to p percent, tinted by clrShadow (-1 neutral).
  void DarkenPixel(int p, int x, int y, COLORREF clrShadow);
  // Darkens the shadow's pixels that fall in a cx x cy block of top-down 32-bit pixels whose
  // top-left pixel is (x, y) from the area's top-left corner; the rest of the shadow is skipped.
  void DarkenBlock(DWORD* pBits, int x, int y, int cx, int cy);
  // Deletes the saved strips, forgets the bits, empties the rectangle and clears the save flag.
  void Reset();

  RECT rect;            // area that casts the shadow
  int size;             // shadow width in pixels
  int minPercent;       // brightness kept at the inner side
  int maxPercent;       // brightness kept at the outer side
  BYTE flags;           // bit 0: save the background under the strips after drawing
  COLORREF shadowColor; // (COLORREF)-1 for a neutral shadow

private:
  CBitmap m_bmpRight;    // background saved under the right strip
  CBitmap m_bmpBottom;   // background saved under the bottom strip
  DWORD* m_pBits = NULL; // pixels of the block being darkened
  int m_xBits = 0, m_yBits = 0, m_cxBits = 0, m_cyBits = 0;
  CPalette m_palette; // 6 x 6 x 6 colour cube for palette displays
};
