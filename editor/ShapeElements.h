// The shapes drawn in the element's rectangle: rectangles, rounded rectangles and ellipses, each
// framed and filled, hollow, or filled without a frame.
#pragma once

#include "editor/Element.h"

// The rectangle is the view's drag rectangle for a preview; for the final rendering it is snapped
// to the zoom and taken from that zoom to 100 % (the view passes picture coordinates at zoom 1.0,
// which both steps leave as they are). Fills use the back colour inside a frame and the main
// colour without one; frames use a pen of the main colour.
class CRectangle : public CElement {
  DECLARE_DYNCREATE(CRectangle)
public:
  Gdiplus::Status Draw(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics, DrawStyle style, int nTool,
                       float fZoom, int nScrollX, int nScrollY) override;
};
