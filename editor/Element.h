// The drawing elements of the image view: the shape a line, arrow, shapes or brush tool builds
// while the mouse is down. The view keeps one element at a time, feeds it points or a rectangle,
// has it draw a preview on the screen and, at mouse-up, draw itself for good into the picture.
// The style is never stored: every drawing call is handed the tool's DrawStyle.
#pragma once

#include "editor/EditorState.h"
#include "framework/core/fw_core.h"
#include "framework/gdi/fw_gdi.h"
#include "resources/resource.h"

#include <gdiplus.h>

// The idle element (its drawing does nothing) and the base of the five element classes.
//
// Coordinates: a preview (m_bFinal != 1) draws in the view's logical coordinates; the final
// rendering draws into the picture, see each class.
class CElement : public CObject {
  DECLARE_DYNCREATE(CElement)
public:
  CElement();
  ~CElement() override;
  CElement(const CElement&) = delete;
  CElement& operator=(const CElement&) = delete;

  // Draws the element on pGraphics and answers Ok or the first failing GDI+ status (drawing goes
  // on after a failure). pImage is a separate copy of the picture (may be NULL), used only to
  // darken under the drop shadow; Draw takes it over and deletes it. fZoom is 1.0 at 100 %; the
  // scroll position is in view pixels.
  virtual Gdiplus::Status Draw(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics, DrawStyle style,
                               int nTool, float fZoom, int nScrollX, int nScrollY);
  // Draw on a GDI+ graphics made on the device context.
  virtual Gdiplus::Status DrawToDC(Gdiplus::Bitmap* pImage, CDC* pDC, DrawStyle style, int nTool, float fZoom,
                                   int nScrollX, int nScrollY);
  virtual void GetRect(LPRECT lpRect) const;
  // Takes the four values as given, without normalising.
  virtual void SetRect(int left, int top, int right, int bottom);
  // Start and end point; the rectangle becomes the normalised rectangle of the two.
  virtual void SetPoints(int x1, int y1, int x2, int y2);
  virtual void SetBoundRect(int left, int top, int right, int bottom);
  virtual void AddPoint(POINT pt);

  // The final rendering into the picture's own GDI+ bitmap: Draw on a graphics made on it, with
  // rectangle fills and the finished shadow written straight into the picture's pixels where that
  // gives what GDI+ would draw (a 32bpp RGB picture, as one made from the document's bitmap is;
  // whole-pixel rectangles; fills without anti-aliasing).
  Gdiplus::Status DrawIntoPicture(Gdiplus::Bitmap* pImage, Gdiplus::Bitmap* pPicture, DrawStyle style,
                                  int nTool, float fZoom, int nScrollX, int nScrollY);

  POINT m_ptStart; // line and arrow: the start (a single arrow's tail)
  POINT m_ptEnd;   // line and arrow: the end (a single arrow's tip)
  RECT m_rect;
  BOOL m_bFinal; // 1: the next drawing is the final rendering; otherwise a preview

protected:
  bool IsPreview() const { return m_bFinal != 1; }
  // The bitmap behind the graphics during DrawIntoPicture, else NULL.
  Gdiplus::Bitmap* Picture() const { return m_pPicture; }

private:
  Gdiplus::Bitmap* m_pPicture;
};

// The element class a tool makes; NULL for a tool that makes none.
CRuntimeClass* ElementClassForTool(int nTool);
