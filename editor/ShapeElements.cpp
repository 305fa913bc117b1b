#include "editor/ShapeElements.h"

#include "editor/CanvasCoords.h"
#include "editor/ElementDrawing.h"
#include "imaging/CommonLib.h"

#include <memory>

using namespace Gdiplus;

IMPLEMENT_DYNCREATE(CRectangle, CElement)

namespace {

void SmoothWhenAsked(Graphics& g, const DrawStyle& style) {
  if (style.antialias)
    g.SetSmoothingMode(SmoothingModeAntiAlias);
}

// A rectangle with corners cut by quarters of an ellipse half its width and height.
void AddRoundedRect(GraphicsPath& path, const RectF& rc) {
  const REAL w = rc.Width / 2, h = rc.Height / 2;
  path.AddArc(rc.X, rc.Y, w, h, 180, 90);
  path.AddArc(rc.X + w, rc.Y, w, h, 270, 90);
  path.AddArc(rc.X + w, rc.Y + h, w, h, 0, 90);
  path.AddArc(rc.X, rc.Y + h, w, h, 90, 90);
  path.CloseFigure();
}

// The rounded rectangles: the outer path from A serves the frame and the fill without frame, the
// inner one from B (one pixel larger all round) the back-colour fill inside the frame. A equal to
// B (the shadow's single rectangle) is drawn smoothed and without the frame.
Status DrawRoundedRect(Graphics& g, const RectF& a, const RectF& b, Brush& main, Brush& back, Pen& pen,
                       int nTool) {
  const bool bSame = a.Equals(b) != FALSE;
  if (bSame)
    g.SetSmoothingMode(SmoothingModeAntiAlias);
  GraphicsPath outer;
  AddRoundedRect(outer, a);
  switch (nTool) {
  case ID_TOOL_ROUNDRECT_FRAMED: {
    GraphicsPath inner;
    AddRoundedRect(inner, RectF(b.X - 1, b.Y - 1, b.Width + 2, b.Height + 2));
    const Status fill = g.FillPath(&back, &inner);
    const Status frame = bSame ? Ok : g.DrawPath(&pen, &outer);
    return fill != Ok ? fill : frame;
  }
  case ID_TOOL_ROUNDRECT_HOLLOW:
    return g.DrawPath(&pen, &outer);
  default:
    return g.FillPath(&main, &outer);
  }
}

bool IsShapeTool(int nTool) {
  return nTool == ID_TOOL_SHAPES || (nTool >= ID_TOOL_RECT_FRAMED && nTool <= ID_TOOL_ELLIPSE_FILLED &&
                                     nTool != ID_TOOL_FREESHAPE_FRAMED && nTool != ID_TOOL_FREESHAPE_HOLLOW);
}

// The shape in the shadow colour: filled for the framed and filled tools, outlined for the
// hollow ones; rectangles and ellipses unsmoothed.
Status DrawShadowShape(Graphics& g, Pen& pen, Brush& brush, const RectF& rc, int nTool) {
  switch (nTool) {
  case ID_TOOL_RECT_HOLLOW:
    return g.DrawRectangle(&pen, rc);
  case ID_TOOL_ELLIPSE_FRAMED:
  case ID_TOOL_ELLIPSE_FILLED:
    return g.FillEllipse(&brush, rc);
  case ID_TOOL_ELLIPSE_HOLLOW:
    return g.DrawEllipse(&pen, rc);
  case ID_TOOL_ROUNDRECT_FRAMED:
  case ID_TOOL_ROUNDRECT_HOLLOW:
  case ID_TOOL_ROUNDRECT_FILLED:
    return DrawRoundedRect(g, rc, rc, brush, brush, pen, nTool);
  default:
    return g.FillRectangle(&brush, rc);
  }
}

} // namespace

Status CRectangle::Draw(Bitmap* pImage, Graphics* pGraphics, DrawStyle style, int nTool, float fZoom, int,
                        int) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pGraphics == NULL)
    return InvalidParameter;
  if (!IsShapeTool(nTool))
    return Ok;
  const bool bPreview = IsPreview();
  RECT rc = m_rect;
  if (!bPreview) {
    SnapRectToZoom(rc, fZoom);
    rc = RescaleRect(rc, 1.0f, fZoom);
  }
  const int w = style.width, c = (w + 1) / 2;
  const REAL cx = REAL(rc.right - rc.left), cy = REAL(rc.bottom - rc.top);
  const RectF outer(REAL(rc.left), REAL(rc.top), cx, cy),
      inner(REAL(rc.left + c), REAL(rc.top + c), cx - w, cy - w);

  Status st = Ok;
  if (!bPreview && style.dropShadow)
    st = DrawElementShadow(image.get(), pGraphics, Picture(), style, outer,
                           [&](Graphics& g, Pen& pen, Brush& brush, float dx, float dy) {
                             return DrawShadowShape(g, pen, brush, RectF(outer.X + dx, outer.Y + dy, cx, cy),
                                                    nTool);
                           });

  const ARGB main = ElementArgb(style.mainColor, style.opacity),
             back = ElementArgb(style.backColor, style.opacity);
  Pen pen(Color(main), bPreview ? w * fZoom : REAL(w));
  SolidBrush mainBrush{Color(main)}, backBrush{Color(back)};
  Graphics& g = *pGraphics;
  Status fill = Ok, frame = Ok;
  switch (nTool) {
  case ID_TOOL_SHAPES:
  case ID_TOOL_RECT_FRAMED:
    fill = FillElementRect(pGraphics, Picture(), inner, back);
    SmoothWhenAsked(g, style);
    frame = g.DrawRectangle(&pen, outer);
    break;
  case ID_TOOL_RECT_HOLLOW:
    SmoothWhenAsked(g, style);
    frame = g.DrawRectangle(&pen, outer);
    break;
  case ID_TOOL_RECT_FILLED:
    fill = FillElementRect(pGraphics, Picture(), outer, main);
    break;
  case ID_TOOL_ELLIPSE_FRAMED: {
    // The fill reaches under the frame's inner half, smoothed, so no gap shows between them.
    const REAL grow = w > 1 ? 2.0f : 1.0f;
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    fill =
        g.FillEllipse(&backBrush, RectF(inner.X - 1, inner.Y - 1, inner.Width + grow, inner.Height + grow));
    g.SetSmoothingMode(style.antialias ? SmoothingModeAntiAlias : SmoothingModeNone);
    frame = g.DrawEllipse(&pen, outer);
    break;
  }
  case ID_TOOL_ELLIPSE_HOLLOW:
    SmoothWhenAsked(g, style);
    frame = g.DrawEllipse(&pen, outer);
    break;
  case ID_TOOL_ELLIPSE_FILLED:
    SmoothWhenAsked(g, style);
    fill = g.FillEllipse(&mainBrush, outer);
    break;
  default: // the rounded rectangles
    SmoothWhenAsked(g, style);
    fill = DrawRoundedRect(g, outer, inner, mainBrush, backBrush, pen, nTool);
    break;
  }
  return st != Ok ? st : (fill != Ok ? fill : frame);
}
