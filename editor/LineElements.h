// The elements drawn between two points: a straight line and a filled arrow. Both take their
// points in picture coordinates for the final rendering (the view converts them, with zoom 1.0
// and no scroll) and in view coordinates, moved by the scroll position, for a preview.
#pragma once

#include "editor/Element.h"

// A straight line from m_ptStart to m_ptEnd; dotted, dashed or dash-dot by tool.
class CLine : public CElement {
  DECLARE_DYNCREATE(CLine)
public:
  Gdiplus::Status Draw(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics, DrawStyle style, int nTool,
                       float fZoom, int nScrollX, int nScrollY) override;
};

// One filled polygon: a shaft and a head at m_ptEnd, or heads at both ends; the smart arrows'
// shaft ends inside the head, giving swept-back barbs. The head is 8 widths long whatever the
// zoom. Two coinciding points have no direction and draw nothing.
class CArrow : public CElement {
  DECLARE_DYNCREATE(CArrow)
public:
  Gdiplus::Status Draw(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics, DrawStyle style, int nTool,
                       float fZoom, int nScrollX, int nScrollY) override;
};
