#include "editor/LineElements.h"

#include "editor/ElementDrawing.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace Gdiplus;

IMPLEMENT_DYNCREATE(CLine, CElement)
IMPLEMENT_DYNCREATE(CArrow, CElement)

namespace {

DashStyle LineDash(int nTool) {
  switch (nTool) {
  case ID_TOOL_LINE_DOTTED:
    return DashStyleDot;
  case ID_TOOL_LINE_DASHED:
    return DashStyleDash;
  case ID_TOOL_LINE_DASH_DOT:
    return DashStyleDashDot;
  default:
    return DashStyleSolid;
  }
}

// A preview moves the points by the scroll position for that drawing only, so that repainting
// one preview twice draws it in the same place.
PointF Place(POINT pt, bool bPreview, int nScrollX, int nScrollY) {
  return bPreview ? PointF(REAL(pt.x + nScrollX), REAL(pt.y + nScrollY)) : PointF(REAL(pt.x), REAL(pt.y));
}

// The arrow from p1 to p2 as a polygon of whole-pixel points; none for coinciding points or a
// tool that is not an arrow.
std::vector<PointF> ArrowPolygon(PointF p1, PointF p2, int w, int nTool) {
  const float x1 = p1.X, y1 = p1.Y, x2 = p2.X, y2 = p2.Y;
  const float length = std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
  if (length == 0)
    return {};
  const float t = 8.0f * w / length; // the head's share of the arrow
  // Slope of the normal, kept finite for horizontal arrows; vertical ones have a flat normal.
  float m = 0;
  if (x1 != x2) {
    const float slope = (y1 - y2) / (x1 - x2);
    m = slope == 0 ? -9999.0f : std::min(std::max(-1.0f / slope, -9999.0f), 9999.0f);
  }
  const float ux = 1 / std::sqrt(m * m + 1);
  const float hw = w / 2.0f, head = w == 1 ? 5.0f : 3.0f * w;
  const float ox = hw * ux, oy = hw * ux * m, hx = head * ux, hy = head * ux * m;
  auto pt = [](float x, float y) { return PointF(std::trunc(x), std::trunc(y)); };
  // k of the way from the end towards the start, and from the start towards the end.
  auto fromEnd = [&](float k) { return pt(x1 * k + x2 * (1 - k), y1 * k + y2 * (1 - k)); };
  auto fromStart = [&](float k) { return pt(x1 * (1 - k) + x2 * k, y1 * (1 - k) + y2 * k); };
  switch (nTool) {
  case ID_TOOL_ARROW:
  case ID_TOOL_ARROW_SMART:
  case ID_TOOL_ARROW_SINGLE: {
    const PointF base = fromEnd(t), shaft = nTool == ID_TOOL_ARROW_SINGLE ? base : fromEnd(0.7f * t);
    return {pt(x1 - ox, y1 - oy), pt(shaft.X - ox, shaft.Y - oy), pt(base.X - hx, base.Y - hy),
            pt(x2, y2),           pt(base.X + hx, base.Y + hy),   pt(shaft.X + ox, shaft.Y + oy),
            pt(x1 + ox, y1 + oy)};
  }
  case ID_TOOL_ARROW_SMART_DOUBLE:
  case ID_TOOL_ARROW_DOUBLE: {
    const bool bSmart = nTool == ID_TOOL_ARROW_SMART_DOUBLE;
    const PointF p = fromEnd(t), q = fromStart(t);
    const PointF ps = bSmart ? fromEnd(0.7f * t) : p, qs = bSmart ? fromStart(0.7f * t) : q;
    return {pt(qs.X - ox, qs.Y - oy),
            pt(ps.X - ox, ps.Y - oy),
            pt(p.X - hx, p.Y - hy),
            pt(x2, y2),
            pt(p.X + hx, p.Y + hy),
            pt(ps.X + ox, ps.Y + oy),
            pt(qs.X + ox, qs.Y + oy),
            pt(q.X + hx, q.Y + hy),
            pt(x1, y1),
            pt(q.X - hx, q.Y - hy)};
  }
  default:
    return {};
  }
}

Status FillPolygon(Graphics& g, Brush& brush, const std::vector<PointF>& points) {
  GraphicsPath path(FillModeAlternate);
  path.AddLines(points.data(), static_cast<INT>(points.size()));
  path.CloseFigure();
  return g.FillPath(&brush, &path);
}

} // namespace

Status CLine::Draw(Bitmap* pImage, Graphics* pGraphics, DrawStyle style, int nTool, float fZoom, int nScrollX,
                   int nScrollY) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pGraphics == NULL)
    return InvalidParameter;
  const bool bPreview = IsPreview();
  const PointF a = Place(m_ptStart, bPreview, nScrollX, nScrollY),
               b = Place(m_ptEnd, bPreview, nScrollX, nScrollY);
  if (a.Equals(b))
    return Ok; // points that snapped together: no line, and no shadow of one
  const DashStyle dash = LineDash(nTool);
  Status st = Ok;
  if (!bPreview && style.dropShadow)
    st = DrawElementShadow(image.get(), pGraphics, Picture(), style, ElementRectF(m_rect),
                           [&](Graphics& g, Pen& pen, Brush&, float dx, float dy) {
                             g.SetSmoothingMode(SmoothingModeAntiAlias);
                             pen.SetDashStyle(dash);
                             return g.DrawLine(&pen, a.X + dx, a.Y + dy, b.X + dx, b.Y + dy);
                           });
  Pen pen(Color(ElementArgb(style.mainColor, style.opacity)),
          bPreview ? style.width * fZoom : REAL(style.width));
  pen.SetDashStyle(dash);
  if (style.antialias)
    pGraphics->SetSmoothingMode(SmoothingModeAntiAlias);
  const Status line = pGraphics->DrawLine(&pen, a, b);
  return st != Ok ? st : line;
}

Status CArrow::Draw(Bitmap* pImage, Graphics* pGraphics, DrawStyle style, int nTool, float, int nScrollX,
                    int nScrollY) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pGraphics == NULL)
    return InvalidParameter;
  if (style.antialias)
    pGraphics->SetSmoothingMode(SmoothingModeAntiAlias);
  const bool bPreview = IsPreview();
  const std::vector<PointF> polygon =
      ArrowPolygon(Place(m_ptStart, bPreview, nScrollX, nScrollY),
                   Place(m_ptEnd, bPreview, nScrollX, nScrollY), style.width, nTool);
  if (polygon.empty())
    return Ok;
  Status st = Ok;
  if (!bPreview && style.dropShadow)
    st = DrawElementShadow(image.get(), pGraphics, Picture(), style, ElementRectF(m_rect),
                           [&](Graphics& g, Pen&, Brush& brush, float dx, float dy) {
                             g.SetSmoothingMode(SmoothingModeAntiAlias);
                             return FillPolygon(g, brush, ShiftedPoints(polygon, dx, dy));
                           });
  SolidBrush brush{Color(ElementArgb(style.mainColor, style.opacity))};
  const Status fill = FillPolygon(*pGraphics, brush, polygon);
  return st != Ok ? st : fill;
}
