// The elements drawn through the mouse path: a closed free shape and an open brush stroke. They
// keep the path in view coordinates and convert it when they draw: moved by the scroll position
// for a preview, into the picture (margin removed, zoom undone, scroll added) for the final
// rendering, for which the view passes its zoom and scroll position.
#pragma once

#include "editor/Element.h"

#include <vector>

// The mouse path: points in view coordinates, stored as floats.
class CElementPath {
public:
  // Appends the point unless it equals the last one; room grows by 10 points at a time. A point
  // that cannot be stored is dropped, keeping the earlier ones.
  void Add(POINT pt);
  int GetCount() const { return static_cast<int>(m_points.size()); }
  int GetCapacity() const { return m_nCapacity; }
  const std::vector<Gdiplus::PointF>& GetPoints() const { return m_points; }
  // The points to draw: the preview's, or the final rendering's in picture coordinates.
  std::vector<Gdiplus::PointF> Resolve(bool bPreview, float fZoom, int nScrollX, int nScrollY) const;
  // The final rendering's shadow rectangle: the points' bounding box, moved by the scroll
  // position, snapped to the zoom and taken to 100 %.
  RECT ShadowRect(float fZoom, int nScrollX, int nScrollY) const;

private:
  std::vector<Gdiplus::PointF> m_points;
  int m_nCapacity = 0;
};

// What both path elements share: the mouse path they are drawn through, final from the start.
class CPathElement : public CElement {
  DECLARE_DYNAMIC(CPathElement)
public:
  CPathElement() { m_bFinal = 1; }
  void AddPoint(POINT pt) override { m_path.Add(pt); }
  const CElementPath& GetPath() const { return m_path; }

protected:
  CElementPath m_path;
};

// A closed polygon through the mouse path (open while previewed): filled with the back colour
// and framed, framed only, or filled with the main colour, by tool.
class CClosedCurve : public CPathElement {
  DECLARE_DYNCREATE(CClosedCurve)
public:
  Gdiplus::Status Draw(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics, DrawStyle style, int nTool,
                       float fZoom, int nScrollX, int nScrollY) override;
};

// An open poly-line through the mouse path drawn with the brush's pen: round or square ends,
// dashes or dots, by tool.
class CFreehand : public CPathElement {
  DECLARE_DYNCREATE(CFreehand)
public:
  Gdiplus::Status Draw(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics, DrawStyle style, int nTool,
                       float fZoom, int nScrollX, int nScrollY) override;
};
