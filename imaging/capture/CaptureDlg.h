// The full-screen capture overlay: freezes the screen, lets the user mark an area in one of the
// capture modes and hands back the frozen picture cut to the marked shape.
#pragma once

#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "framework/dlg/fw_dlg.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"

#include <vector>

// The capture modes are the command ids of the "Capture" menu; 32787 has no mode.
enum CaptureMode : int {
  kCaptureRectangle = ID_CAPTURE_RECTANGLE,
  kCaptureActiveWindow = ID_CAPTURE_ACTIVE_WINDOW,
  kCaptureFullScreen = ID_CAPTURE_FULL_SCREEN,
  kCaptureCircle = ID_CAPTURE_CIRCLE,
  kCapturePolygon = ID_CAPTURE_POLYGON,
  kCaptureRoundRect = ID_CAPTURE_ROUND_RECT,
  kCaptureFreehand = ID_CAPTURE_FREEHAND,
  kCaptureMultiRect = ID_CAPTURE_MULTI_RECT,
  kCaptureObject = ID_CAPTURE_OBJECT,
};

// Makes the top-level window the active one with the window system's keyboard, and gives it the
// focus: a window shown by a command that came before another window took the keyboard would
// otherwise leave the user's keys with that other window.
void TakeKeyboard(HWND hWnd);

// Run modally: set m_nCaptureType, m_bIncludeMouse and, for object capture, m_rcPreset; after
// DoModal m_hCaptured holds the result, or NULL when the capture was cancelled. The caller takes
// over that bitmap (DetachCaptured does it in one step). Active-window, full-screen and object
// capture finish inside DoModal without showing the overlay.
class CCaptureDlg : public CDialog {
  DECLARE_DYNAMIC(CCaptureDlg)
public:
  enum { IDD = IDD_CAPTURE };

  explicit CCaptureDlg(CWnd* pParent = NULL);
  ~CCaptureDlg() override;

  // A run that ends other than with OK leaves no bitmap behind.
  INT_PTR DoModal() override;
  // Hands the result over to the caller.
  HBITMAP DetachCaptured();

  // Appends a vertex unless it repeats the last one.
  void AddPolygonVertex(int x, int y);
  // Paints the magnifier box: the source rectangle of the picture enlarged into the box, a
  // cross-hair, and a band with the pointer position and, while marking, the size (cx x cy).
  void DrawMagnifier(CDC* pDC, const RECT& rcBox, HBITMAP hPicture, const RECT& rcSource, CPalette* pPalette,
                     int x, int y, int cx, int cy);

  HBITMAP m_hCaptured;           // the frozen screen while marking; the result afterwards
  int m_nCaptureType;            // a CaptureMode
  BOOL m_bIncludeMouse;          // draw the pointer into the frozen screen; only 1 counts
  CRect m_rcPreset;              // object capture: the rectangle to cut, screen coordinates; empty = all
  HWND m_hTargetWindow;          // active-window capture: the window to grab; NULL = the foreground one
  CPoint m_ptAnchor;             // first corner; in polygon mode the last vertex placed
  CPoint m_ptCurrent;            // opposite corner, or the end of the last rubber band drawn
  CRect m_rcScreen;              // window rectangle of the grabbed window
  int m_nClicks;                 // left presses so far; the parity drives the two-corner marking
  CRect m_rcMagnifier;           // where the magnifier stands on the overlay
  std::vector<POINT> m_vertices; // polygon corners, freehand path or corner pairs of rectangles
  BOOL m_bPolygonOpen;           // a polygon has been started and not yet closed
  MOUSEMOVEPOINT m_lastPathMove; // freehand: the last pointer position the path took, screen

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;     // Enter
  void OnCancel() override; // Esc
  // Draws one line of the magnifier's band.
  virtual void DrawMagnifierText(CDC* pDC, int x, int y, const CString& strText);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()

private:
  // The window whose rectangle is grabbed: in active-window mode the target window while it is
  // shown, else the foreground window; the whole screen otherwise or when there is no such window.
  CRect TargetRect() const;
  // Bounding box of all vertices, from a minimum of 99999 and a maximum of 0.
  CRect VertexBounds() const;
  // Cuts the frozen screen to the shape inside rc; the cut becomes the result and the dialog
  // ends with OK (a cut that fails leaves no result).
  void FinishCapture(const CRect& rc, ShapeType nShape);
  // FinishCapture on the vertices' bounding box shrunk by nInset on every side; a box under two
  // pixels wide or high cancels instead.
  void FinishVertexCapture(ShapeType nShape, int nInset);
  // Drops the frozen screen and ends with Cancel.
  void CancelCapture();
  // Double click and Enter in polygon mode.
  void ClosePolygon();
  void DeleteCaptured();
  // Freehand: the pointer positions the window system merged into the move being handled, the
  // oldest first, in client coordinates; the move itself becomes the path's last position.
  std::vector<CPoint> TakeMergedMoves();
};
