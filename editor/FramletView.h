// The image view: the document's picture on a hatched canvas with a fixed margin, zoomed on the
// ladder 25 % to 800 % and scrolled in whole picture pixels, painted through an off-screen buffer.
#pragma once

#include "editor/EditorState.h"
#include "editor/Trackers.h"
#include "framework/doc/fw_scrollview.h"
#include "framework/gdi/fw_gdi.h"

class CFramletDoc;

// The current picture's size, kept for the resize page of the task sheet.
extern int g_nImageWidth;
extern int g_nImageHeight;

class CFramletView : public CScrollView {
  DECLARE_DYNCREATE(CFramletView)
public:
  CFramletView();
  ~CFramletView() override;

  CFramletDoc* GetDocument() const;

  CBrush m_hatchBrush;  // grey diagonal cross of the canvas
  int m_nTool;          // the current tool, copied from the shell
  CPoint m_ptStart;     // client position of the last mouse-down
  CPoint m_ptCurrent;   // client position of the last mouse event of a drag
  DrawStyle m_style;    // the style of the current tool, copied at mouse-down
  CBitmap* m_pSnapshot; // the picture after the last recorded step, owned; NULL until taken
  BOOL m_bResyncScroll; // the canvas size changed: the next paint re-reads the scroll offsets
  CSelectionTracker m_selTracker;
  CTextBoxTracker m_textTracker;
  int m_nScrollX; // scroll offsets in canvas pixels, whole multiples of the zoom
  int m_nScrollY;
  float m_fZoom;     // 1.0 = 100 %
  float m_fPrevZoom; // the zoom before the last zoom command

  // Total size: the zoomed picture plus 20; page 128, line 16. Repaints everything.
  void UpdateScrollSizes();
  // The bar's position snapped down to a whole multiple of the zoom; 0 when it cannot be read or
  // lies outside 0..99999.
  int GetSnappedScrollPos(int nBar);
  // The picture pixel under a client point.
  CPoint ViewToImagePoint(CPoint point);
  // Makes m_pSnapshot a copy of the document's picture (in the snapshot's own bitmap when the
  // size allows).
  void TakeSnapshot();

  // Status texts: "x,y:X, Y" (client point), "Size:W x H", "Zoom:P%".
  void ShowPositionStatus(int x, int y);
  void ShowSizeStatus(int nWidth, int nHeight);
  void ShowZoomStatus(float fZoom);
  // Horizontal dots per inch of the view's window.
  int GetScreenDpi();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnInitialUpdate() override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
  void OnDraw(CDC* pDC) override;

  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnActualSize();

protected:
  // Follows a zoom change from fOldZoom to m_fZoom: status, the floating piece rescaled and an
  // outlined selection dropped.
  void ApplyZoom(float fOldZoom);
  void SetStatusText(int nPane, LPCSTR lpszText);

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

private:
  CBitmap m_buffer; // the off-screen buffer, kept between paints while its size fits
  CSize m_sizeBuffer;
};
