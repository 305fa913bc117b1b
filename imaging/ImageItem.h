// One picture as a GDI bitmap with its place on the canvas: the document's picture and the kept
// original of an operation preview.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"
#include "framework/gdi/fw_gdi.h"

#include <gdiplus.h>

struct CPixelPlane;

class CImageItem : public CObject {
public:
  CImageItem();
  ~CImageItem() override;
  CImageItem(const CImageItem&) = delete;
  CImageItem& operator=(const CImageItem&) = delete;

  void GetRect(LPRECT lpRect) const;
  void SetRect(int left, int top, int right, int bottom);
  // The item's own bitmap, not a copy.
  CBitmap* GetBitmap() { return &m_bitmap; }
  // A new GDI+ bitmap made from the picture (no palette), owned by the caller; NULL on failure.
  Gdiplus::Bitmap* CreateGdipBitmap() const;
  // Takes the source's handle out of the source object, which is left empty (so destroying it
  // later leaves the picture alone); the rectangle becomes the picture's size at the canvas
  // margin. A source without a picture changes nothing.
  void AttachBitmap(CBitmap* pSource);
  // Takes the picture of a GDI+ bitmap over opaque white and deletes the GDI+ bitmap; the
  // rectangle becomes the picture's size at the canvas margin. A failed conversion keeps the old
  // picture.
  void SetFromGdipBitmap(Gdiplus::Bitmap* pBitmap);
  // Paints the picture at the canvas margin scaled by fZoom. A rectangle of another size than the
  // item's first cuts or enlarges the picture to it (from picture point (left - m, top - m)).
  void Draw(CDC* pDC, int left, int top, int right, int bottom, float fZoom);

  CRect m_rect;     // canvas rectangle of the picture
  CBitmap m_bitmap; // the picture, owned

private:
  // m_rect := the picture's size at the canvas margin.
  void PlaceAtMargin();
};

// A new GDI picture of the GDI+ bitmap flattened on opaque white, pixel for pixel what GDI+'s own
// GetHBITMAP over white makes (a 32-bit DIB section, alpha 0xFF); NULL on failure. A picture
// with no translucent pixel is copied row by row, which is several times faster.
HBITMAP CreatePictureBitmap(Gdiplus::Bitmap* pBitmap);
// The same written into rows of the bitmap's size when no pixel is translucent; FALSE, with the
// rows untouched, when one is or the bitmap cannot be read.
BOOL CopyOpaqueRows(Gdiplus::Bitmap* pBitmap, const CPixelPlane& rows);
// A 32-bit GDI bitmap of the rows' size written into top-down rows as a trip through GDI+
// (FromHBITMAP, then GetHBITMAP over white) would make it: its colours with alpha 0xFF. FALSE,
// with the rows in any state, for any other bitmap or rows, or when it cannot be read.
BOOL CopyPictureRows(HBITMAP hSource, const CPixelPlane& rows);
// A new GDI picture of a GDI bitmap as that trip would make it, without the two conversions for
// 32-bit bitmaps; NULL on failure.
HBITMAP CreatePictureBitmap(HBITMAP hSource);
