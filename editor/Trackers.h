// The rectangle trackers of the image view: the floating picture (CZoomTracker), the document's
// image rectangle (CShapeTracker), the selection outline (CSelectionTracker) and the box of the
// pending text (CTextBoxTracker). Draw, SetCursor and Track hide the framework tracker's
// operations of those names, because the view is zoomed and scrolled.
#pragma once

#include "framework/doc/fw_tracker.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"

#include <gdiplus.h>

#include <vector>

// Dotted outline with the handles outside: the style of every tracker the view shows.
const UINT kTrackerStyle = CRectTracker::dottedLine | CRectTracker::resizeOutside;

// The floating picture (a paste, a stamp or a lifted selection) before it is merged into the
// document's picture. Its rectangle is in the view's logical coordinates: the canvas at m_fZoom,
// margin included, before scrolling.
class CZoomTracker : public CRectTracker {
public:
  // Takes the bitmap over.
  CZoomTracker(Gdiplus::Bitmap* pBitmap, int left, int top, int right, int bottom, float fZoom);
  // The picture, transparent where the mask is black.
  CZoomTracker(CBitmap* pPicture, CBitmap* pMask, int left, int top, int right, int bottom, float fZoom);
  ~CZoomTracker() override;
  CZoomTracker(const CZoomTracker&) = delete;
  CZoomTracker& operator=(const CZoomTracker&) = delete;

  // m_pBitmap := the picture in 32-bit ARGB with alpha 0 wherever the mask's colour is black
  // (NULL when the picture cannot be read; no mask or a smaller one leaves the rest opaque).
  void SetMaskedBitmap(CBitmap* pPicture, CBitmap* pMask);
  void GetRect(LPRECT lpRect) const;
  // A new bitmap (owned by the caller) of the picture over opaque white; NULL on failure.
  CBitmap* CreateCBitmap() const;
  // Outline and handles at the scroll position, then the picture (preview).
  void Draw(CDC* pDC);
  // Draws the picture into its rectangle snapped to the zoom; bFinal moves the rectangle into
  // picture coordinates first (zoom 1, no margin), for the merge into the picture.
  void DrawImage(Gdiplus::Graphics* pGraphics, BOOL bFinal);
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest);
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
  // The drag loop: moves the handle's edges with the mouse, repainting the view as it goes.
  // TRUE when the rectangle changed; Esc or the right button put it back.
  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

  Gdiplus::Bitmap* m_pBitmap; // owned
  BOOL m_bDragging;           // the loop has moved the rectangle and repaints during the drag
  BOOL m_bDropped;            // the repaint caused by the release or a cancel
  float m_fZoom;
  int m_nScrollX;
  int m_nScrollY;
};

// The document's image rectangle: resized by its handles, never moved.
class CShapeTracker : public CRectTracker {
public:
  CShapeTracker();
  // The rectangle is also the first m_rectImage.
  CShapeTracker(LPCRECT lpSrcRect, UINT nStyle);

  // m_rectImage scaled to the zoom and shown with its top-left corner at the picture's place on
  // the screen (8 - scrollX, 8 - scrollY) unless it is movable.
  void Draw(CDC* pDC, float fZoom, int nScrollX, int nScrollY);
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest);

  CRect m_rectImage; // canvas rectangle at 100 %
  BOOL m_bMovable;
};

// The outline of a selection: a rectangle, an ellipse or the poly-line of a polygon or free
// selection.
class CSelectionTracker : public CRectTracker {
public:
  CSelectionTracker();

  // Keeps a copy of the points (the previous ones are freed).
  void SetPolygon(const POINT* pPoints, int n);
  // Empties the outline rectangle and the logical rectangle.
  void Reset();
  // Frees the point copy.
  void FreePoints();
  void Draw(CDC* pDC, int nUnused, int nOffsetX, int nOffsetY, int nToolId);
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest);

  BOOL m_bMovable;
  int m_nPoints;
  std::vector<POINT> m_pPoints; // m_nPoints of them
  CRect m_rectLogical;          // the view's logical coordinates
};

// The frame of the pending text.
class CTextBoxTracker : public CRectTracker {
public:
  CTextBoxTracker();

  void SetBox(int left, int top, int right, int bottom);
  void Reset();
  // Moves m_rectLogical by the offsets (it stays moved) and draws it.
  void Draw(CDC* pDC, int nUnused, int nOffsetX, int nOffsetY);
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest);

  CRect m_rectLogical;
};

// The cursor choice the four trackers share. TrackerCursorPoint gives the cursor position in
// pWnd's client coordinates moved by offset, FALSE outside the client area; SetTrackerCursor sets
// the system cursor of nHandle, the tracker's hit at point (FALSE when the view should choose;
// bMovable FALSE refuses the move cursor).
BOOL TrackerCursorPoint(CWnd* pWnd, UINT nHitTest, CSize offset, CPoint* pPoint);
BOOL SetTrackerCursor(const CRectTracker& tracker, int nHandle, CPoint point, BOOL bMovable);
