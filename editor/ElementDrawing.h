// What the drawing elements share: their colours, the drop shadow, and the direct pixel paths
// into the picture that stand in for GDI+ where it would rasterise large areas pixel by pixel.
#pragma once

#include "editor/EditorState.h"
#include "framework/core/fw_core.h"

#include <gdiplus.h>

#include <functional>
#include <vector>

// (alpha << 24) | RGB of the COLORREF, the alpha clamped to 0..255.
Gdiplus::ARGB ElementArgb(COLORREF clr, int nAlpha);
// The shadow's colour: alpha (opacity * shadowOpacity) / 100, clamped to 0..255.
Gdiplus::ARGB ShadowArgb(const DrawStyle& style);

// Draws the element's shape into the shadow bitmap in the shadow colour: (dx, dy) is added to
// the shape's own coordinates. The pen has the style's width; the graphics starts unsmoothed.
// The pen and brush are opaque: the shadow colour at its alpha already laid over the bitmap's
// white, which is what drawing the translucent colour there gives.
using ShadowShape = std::function<Gdiplus::Status(Gdiplus::Graphics& g, Gdiplus::Pen& pen,
                                                  Gdiplus::Brush& brush, float dx, float dy)>;

// The drop shadow of a shape whose rectangle is rc (picture coordinates): the shape in the shadow
// colour on white, in a bitmap reaching e = width + 10 beyond rc, softened by the style's edge,
// multiplied by the picture copy under it and drawn at the style's depth. Without a picture copy
// there is nothing to darken and nothing is drawn. pPicture, when not NULL, is the bitmap behind
// pGraphics, into which the finished shadow may be copied directly.
Gdiplus::Status DrawElementShadow(Gdiplus::Bitmap* pImage, Gdiplus::Graphics* pGraphics,
                                  Gdiplus::Bitmap* pPicture, const DrawStyle& style, const Gdiplus::RectF& rc,
                                  const ShadowShape& shape);

// Fills rc with the colour, straight into pPicture's pixels when that gives GDI+'s result (see
// BlendIntoPicture), otherwise through pGraphics.
Gdiplus::Status FillElementRect(Gdiplus::Graphics* pGraphics, Gdiplus::Bitmap* pPicture,
                                const Gdiplus::RectF& rc, Gdiplus::ARGB argb);

// Blends the colour over the whole pixels (l, t)-(r, b) of a 32bpp RGB bitmap as GDI+ draws a
// solid fill over opaque pixels. False, with nothing changed, for another format or a failed lock.
bool BlendIntoPicture(Gdiplus::Bitmap* pPicture, int l, int t, int r, int b, Gdiplus::ARGB argb);

// The rectangle as GDI+ floats (x, y, width, height).
Gdiplus::RectF ElementRectF(const RECT& rc);

// An open poly-line with the pen, as one GDI+ path. An opaque solid pen with round caps (and
// mitred or round joins) draws a long line in overlapping pieces instead, which some GDI+
// implementations (Wine's) rasterise many times faster than one long path: each piece shares its
// first segment with the piece before, and pieces meet only where both joins are gentle, so the
// caps at the seams lie within the joins and the pieces cover the one path's shape (a rasteriser
// may round a seam's edge pixel differently).
Gdiplus::Status DrawPolyline(Gdiplus::Graphics& g, Gdiplus::Pen& pen,
                             const std::vector<Gdiplus::PointF>& points);

// Points moved by (dx, dy).
std::vector<Gdiplus::PointF> ShiftedPoints(const std::vector<Gdiplus::PointF>& points, float dx, float dy);
