// One picture as a GDI bitmap with its place on the canvas: the document's picture and the kept
// original of an operation preview.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"
#include "framework/gdi/fw_gdi.h"

#include <gdiplus.h>

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
