#include "editor/Element.h"

#include "editor/LineElements.h"
#include "editor/PathElements.h"
#include "editor/ShapeElements.h"

#include <algorithm>
#include <memory>

using namespace Gdiplus;

IMPLEMENT_DYNCREATE(CElement, CObject)

CElement::CElement() : m_ptStart{0, 0}, m_ptEnd{0, 0}, m_rect{0, 0, 0, 0}, m_bFinal(0), m_pPicture(NULL) {}

CElement::~CElement() = default;

Status CElement::Draw(Bitmap* pImage, Graphics*, DrawStyle, int, float, int, int) {
  delete pImage;
  return Ok;
}

Status CElement::DrawToDC(Bitmap* pImage, CDC* pDC, DrawStyle style, int nTool, float fZoom, int nScrollX,
                          int nScrollY) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pDC == NULL || pDC->GetSafeHdc() == NULL)
    return InvalidParameter;
  Graphics graphics(pDC->GetSafeHdc());
  if (graphics.GetLastStatus() != Ok)
    return graphics.GetLastStatus();
  return Draw(image.release(), &graphics, style, nTool, fZoom, nScrollX, nScrollY);
}

Status CElement::DrawIntoPicture(Bitmap* pImage, Bitmap* pPicture, DrawStyle style, int nTool, float fZoom,
                                 int nScrollX, int nScrollY) {
  std::unique_ptr<Bitmap> image(pImage);
  if (pPicture == NULL)
    return InvalidParameter;
  Graphics graphics(pPicture);
  if (graphics.GetLastStatus() != Ok)
    return graphics.GetLastStatus();
  // Set only for this call, so that a later Draw on another graphics never writes here.
  struct Scope {
    Bitmap*& ref;
    ~Scope() { ref = NULL; }
  } scope{m_pPicture};
  m_pPicture = pPicture;
  return Draw(image.release(), &graphics, style, nTool, fZoom, nScrollX, nScrollY);
}

void CElement::GetRect(LPRECT lpRect) const {
  if (lpRect != NULL)
    *lpRect = m_rect;
}

void CElement::SetRect(int left, int top, int right, int bottom) { m_rect = RECT{left, top, right, bottom}; }

void CElement::SetPoints(int x1, int y1, int x2, int y2) {
  m_ptStart = POINT{x1, y1};
  m_ptEnd = POINT{x2, y2};
  m_rect = RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void CElement::SetBoundRect(int left, int top, int right, int bottom) { SetRect(left, top, right, bottom); }

void CElement::AddPoint(POINT) {}

CRuntimeClass* ElementClassForTool(int nTool) {
  switch (nTool) {
  case ID_TOOL_LINE:
  case ID_TOOL_LINE_SOLID:
  case ID_TOOL_LINE_DOTTED:
  case ID_TOOL_LINE_DASHED:
  case ID_TOOL_LINE_DASH_DOT:
    return RUNTIME_CLASS(CLine);
  case ID_TOOL_ARROW:
  case ID_TOOL_ARROW_SMART:
  case ID_TOOL_ARROW_SMART_DOUBLE:
  case ID_TOOL_ARROW_SINGLE:
  case ID_TOOL_ARROW_DOUBLE:
    return RUNTIME_CLASS(CArrow);
  case ID_TOOL_SHAPES:
  case ID_TOOL_RECT_FRAMED:
  case ID_TOOL_ROUNDRECT_FRAMED:
  case ID_TOOL_ELLIPSE_FRAMED:
  case ID_TOOL_RECT_HOLLOW:
  case ID_TOOL_ROUNDRECT_HOLLOW:
  case ID_TOOL_ELLIPSE_HOLLOW:
  case ID_TOOL_RECT_FILLED:
  case ID_TOOL_ROUNDRECT_FILLED:
  case ID_TOOL_ELLIPSE_FILLED:
    return RUNTIME_CLASS(CRectangle);
  case ID_TOOL_FREESHAPE_FRAMED:
  case ID_TOOL_FREESHAPE_HOLLOW:
  case ID_TOOL_FREESHAPE_FILLED:
    return RUNTIME_CLASS(CClosedCurve);
  case ID_TOOL_PAINT_BRUSH:
  case ID_TOOL_BRUSH_FLAT:
  case ID_TOOL_BRUSH_ROUND:
  case ID_TOOL_BRUSH_DASHED:
  case ID_TOOL_BRUSH_DOTTED:
    return RUNTIME_CLASS(CFreehand);
  default:
    return NULL;
  }
}
