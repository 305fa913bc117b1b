#include "editor/PathElements.h"

#include "editor/CanvasCoords.h"
#include "editor/ElementDrawing.h"
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"

#include <algorithm>
#include <memory>
#include <new>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CPathElement, CElement)
IMPLEMENT_DYNCREATE(CClosedCurve, CPathElement)
IMPLEMENT_DYNCREATE(CFreehand, CPathElement)

void CElementPath::Add(POINT pt) {
  const PointF point(REAL(pt.x), REAL(pt.y));
  if (!m_points.empty() && m_points.back().Equals(point))
    return;
  if (GetCount() == m_nCapacity) {
    try {
      m_points.reserve(static_cast<size_t>(m_nCapacity) + 10);
    } catch (const std::bad_alloc&) {
      return;
    }
    m_nCapacity += 10;
  }
  m_points.push_back(point);
}

std::vector<PointF> CElementPath::Resolve(bool bPreview, float fZoom, int nScrollX, int nScrollY) const {
  std::vector<PointF> points;
  points.reserve(m_points.size());
  const int m = g_nCanvasMargin, nScale = static_cast<int>(fZoom * 100);
  const int dx = static_cast<int>(nScrollX * (1 / fZoom)), dy = static_cast<int>(nScrollY * (1 / fZoom));
  for (const PointF& pt : m_points) {
    const int x = static_cast<int>(pt.X), y = static_cast<int>(pt.Y);
    if (bPreview)
      points.emplace_back(REAL(x + nScrollX), REAL(y + nScrollY));
    else
      points.emplace_back(REAL(MulDiv(x - m, 100, nScale) + dx), REAL(MulDiv(y - m, 100, nScale) + dy));
  }
  return points;
}

RECT CElementPath::ShadowRect(float fZoom, int nScrollX, int nScrollY) const {
  RECT rc = {99999, 99999, 0, 0};
  for (const PointF& pt : m_points) {
    const int x = static_cast<int>(pt.X), y = static_cast<int>(pt.Y);
    rc.left = std::min<LONG>(rc.left, x);
    rc.top = std::min<LONG>(rc.top, y);
    rc.right = std::max<LONG>(rc.right, x);
    rc.bottom = std::max<LONG>(rc.bottom, y);
  }
  ::OffsetRect(&rc, nScrollX, nScrollY);
  SnapRectToZoom(rc, fZoom);
  return RescaleRect(rc, 1.0f, fZoom);
}

namespace {

void SmoothWhenAsked(Graphics& g, const DrawStyle& style) {
  if (style.antialias)
    g.SetSmoothingMode(SmoothingModeAntiAlias);
}

void AddPoly(GraphicsPath& path, const std::vector<PointF>& points, bool bClosed) {
  path.AddLines(points.data(), static_cast<INT>(points.size()));
  if (bClosed)
    path.CloseFigure();
}

// The free shape by tool: back fill and frame, frame only, or main-colour fill.
Status DrawFreeShape(Graphics& g, const std::vector<PointF>& points, bool bClosed, Pen& pen, Brush& main,
                     Brush& back, int nTool) {
  GraphicsPath path;
  AddPoly(path, points, bClosed);
  switch (nTool) {
  case ID_TOOL_FREESHAPE_FRAMED: {
    const Status fill = g.FillPath(&back, &path);
    const Status frame = g.DrawPath(&pen, &path);
    return fill != Ok ? fill : frame;
  }
  case ID_TOOL_FREESHAPE_HOLLOW:
    return g.DrawPath(&pen, &path);
  default:
    return g.FillPath(&main, &path);
  }
}

// Caps and dashes of the brush tools.
void SetBrushPen(Pen& pen, int nTool) {
  switch (nTool) {
  case ID_TOOL_PAINT_BRUSH:
  case ID_TOOL_BRUSH_ROUND:
    pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    break;
  case ID_TOOL_BRUSH_FLAT:
    pen.SetLineCap(LineCapSquare, LineCapSquare, DashCapRound);
    break;
  case ID_TOOL_BRUSH_DASHED:
    pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    pen.SetDashStyle(DashStyleDash);
    break;
  case ID_TOOL_BRUSH_DOTTED:
    pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    pen.SetDashStyle(DashStyleDot);
    break;
  default:
    break;
  }
}

} // namespace

Status CClosedCurve::Draw(Bitmap* pImage, Graphics* pGraphics, DrawStyle style, int nTool, float fZoom,
                          int nScrollX, int nScrollY) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pGraphics == NULL)
    return InvalidParameter;
  SmoothWhenAsked(*pGraphics, style);
  if (m_path.GetCount() < 2 || (nTool != ID_TOOL_FREESHAPE_FRAMED && nTool != ID_TOOL_FREESHAPE_HOLLOW &&
                                nTool != ID_TOOL_FREESHAPE_FILLED))
    return Ok;
  const bool bPreview = IsPreview();
  const std::vector<PointF> points = m_path.Resolve(bPreview, fZoom, nScrollX, nScrollY);
  Status st = Ok;
  if (!bPreview && style.dropShadow) {
    m_rect = m_path.ShadowRect(fZoom, nScrollX, nScrollY);
    st = DrawElementShadow(image.get(), pGraphics, Picture(), style, ElementRectF(m_rect),
                           [&](Graphics& g, Pen& pen, Brush& brush, float dx, float dy) {
                             g.SetSmoothingMode(SmoothingModeAntiAlias);
                             return DrawFreeShape(g, ShiftedPoints(points, dx, dy), true, pen, brush, brush,
                                                  nTool);
                           });
  }
  const ARGB main = ElementArgb(style.mainColor, style.opacity);
  Pen pen(Color(main), bPreview ? style.width * fZoom : REAL(style.width));
  SolidBrush mainBrush{Color(main)}, backBrush{Color(ElementArgb(style.backColor, style.opacity))};
  const Status shape = DrawFreeShape(*pGraphics, points, !bPreview, pen, mainBrush, backBrush, nTool);
  return st != Ok ? st : shape;
}

Status CFreehand::Draw(Bitmap* pImage, Graphics* pGraphics, DrawStyle style, int nTool, float fZoom,
                       int nScrollX, int nScrollY) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pGraphics == NULL)
    return InvalidParameter;
  SmoothWhenAsked(*pGraphics, style);
  if (m_path.GetCount() < 2)
    return Ok;
  const bool bPreview = IsPreview();
  const std::vector<PointF> points = m_path.Resolve(bPreview, fZoom, nScrollX, nScrollY);
  Status st = Ok;
  if (!bPreview && style.dropShadow) {
    m_rect = m_path.ShadowRect(fZoom, nScrollX, nScrollY);
    st = DrawElementShadow(image.get(), pGraphics, Picture(), style, ElementRectF(m_rect),
                           [&](Graphics& g, Pen& pen, Brush&, float dx, float dy) {
                             g.SetSmoothingMode(SmoothingModeAntiAlias);
                             SetBrushPen(pen, nTool);
                             return DrawPolyline(g, pen, ShiftedPoints(points, dx, dy));
                           });
  }
  Pen pen(Color(ElementArgb(style.mainColor, style.opacity)),
          bPreview ? style.width * fZoom : REAL(style.width));
  SetBrushPen(pen, nTool);
  const Status stroke = DrawPolyline(*pGraphics, pen, points);
  return st != Ok ? st : stroke;
}
