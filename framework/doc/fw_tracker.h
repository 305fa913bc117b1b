// The rectangle tracker: shows a rectangle with an outline, hatching and resize handles, tells which
// part of it a point hits, and lets the user move or resize it in a modal drag loop.
//
// m_rect is in the client coordinates of the window the tracker is drawn in and tracked over; it may
// be reversed (left > right or top > bottom) when inversion is allowed. Handle numbers name the
// corner or edge of m_rect that the handle moves, so on a reversed rectangle handle 0 (left, top)
// sits where the normalised rectangle has another corner; NormalizeHit answers the handle at that
// place. Draw, SetCursor and Track are not virtual: subclasses hide them by name.
#pragma once

#include "framework/core/fw_geom.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"

class CRectTracker {
public:
  enum StyleFlags {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4, // a border of handle width outside the rectangle, hatched
    resizeInside = 8,  // handles inside the rectangle
    resizeOutside = 16,
    hatchInside = 32,
  };

  enum TrackerHit {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8,
  };

  CRectTracker();
  CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
  virtual ~CRectTracker();

  UINT m_nStyle;
  CRect m_rect;
  CSize m_sizeMin;     // twice the default handle size; AdjustRect keeps tracked rectangles at least this big
  int m_nHandleSize;   // 4 unless the owner sets another
  BOOL m_bAllowInvert; // whether tracking may reverse the rectangle (set by Track and TrackRubberBand)

  // Outline, hatching and handles. The DC's map mode and origins are ignored: m_rect is drawn in
  // device pixels, and the DC's state is put back afterwards.
  void Draw(CDC* pDC) const;
  // The normalised rectangle grown by everything Draw paints around it.
  void GetTrueRect(LPRECT lpTrueRect) const;
  // For HTCLIENT only: sets the sizing or moving system cursor of the handle under the cursor and
  // answers TRUE, else FALSE (the window chooses).
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
  // Drags the handle under point until the left button is released (TRUE when m_rect changed) or
  // Esc or the right button cancels (m_rect restored, FALSE). FALSE at once when no handle is hit
  // or another window holds the mouse capture. Mouse positions are pWnd's client coordinates; the
  // drag rectangle is drawn in pWndClipTo when one is given.
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
  // Starts an empty rectangle at point and drags its bottom-right corner.
  BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
  // hitNothing outside the true rectangle; with a resize style a handle's number, else hitMiddle
  // inside the rectangle (or its hatched border), else hitNothing; without one hitMiddle.
  int HitTest(CPoint point) const;
  // The handle at the place handle nHandle has on the normalised rectangle.
  int NormalizeHit(int nHandle) const;

  // Hooks of the drag loop. DrawTrackerRect XORs the drag rectangle (erasing the previous one);
  // AdjustRect keeps the rectangle at least m_sizeMin; OnChangedRect follows every change.
  virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
  virtual void AdjustRect(int nHandle, LPRECT lpRect);
  virtual void OnChangedRect(const CRect& rectOld);
  // Bits 0-7 for the handles shown: the corners always, the middle of an edge only on a long edge.
  virtual UINT GetHandleMask() const;

  // The handle size for a rectangle (m_rect when NULL): m_nHandleSize, limited to half the smaller
  // side unless the handles sit outside.
  int GetHandleSize(LPCRECT lpRect = NULL) const;

  // State of the drag loop, for DrawTrackerRect: the rectangle and border drawn last, whether the
  // current call erases the previous drawing, and whether it is the erase that ends the loop.
  CRect m_rectLast;
  CSize m_sizeLast;
  BOOL m_bErase;
  BOOL m_bFinalErase;

protected:
  // Like HitTest, whatever the style: a handle, the middle, or hitNothing.
  int HitTestHandles(CPoint point) const;
  void GetHandleRect(int nHandle, CRect* pHandleRect) const;
  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

private:
  void Construct();
};
