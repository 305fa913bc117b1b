// Printing and print preview: the description of one print job, the state a frame keeps while it
// shows a preview, the preview view that shows the pages inside the main frame and the small bar
// above it. The print loop and the preview entry points are members of CView (framework/doc/).
#pragma once

#include "framework/bars/fw_bars.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/dlg/fw_dlg.h"
#include "framework/doc/fw_doc.h"
#include "framework/frame/fw_frame.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_ids.h"

// One print job or preview: the printer and page range (through the print dialog), the page being
// printed, and what the view tells the print loop.
struct CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  CPrintDialog* m_pPD;      // owned; its printer DC (m_pd.hDC) serves the job
  BOOL m_bDirect;           // printing without the dialog (ID_FILE_PRINT_DIRECT)
  BOOL m_bPreview;          // a print preview rather than a job
  BOOL m_bContinuePrinting; // OnPrepareDC clears it to end the job before the current page
  UINT m_nCurPage;          // the page being prepared or printed
  UINT m_nNumPreviewPages;  // pages the preview shows at once
  CString m_strPageDesc;    // the page text, a format taking the page number
  LPVOID m_lpUserData;      // the view's own data for the job
  CRect m_rectDraw;         // the printable area of the page in logical units, set for each page

  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; } // 0xFFFF: not known
  // The range the user chose, or every page when the dialog offered no range.
  UINT GetFromPage() const;
  UINT GetToPage() const;
};

// What a frame gives up while it shows a print preview, to be given back when it ends.
struct CPrintPreviewState {
  CPrintPreviewState();

  UINT nIDMainPane;                                    // the id the hidden main pane had
  HMENU hMenu;                                         // the frame's menu, removed meanwhile
  HACCEL hAccelTable;                                  // the frame's accelerators, off meanwhile
  CView* pViewActiveOld;                               // the frame's active view before
  void(CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd); // closing the frame closes the preview
};

// The bar above a preview: the buttons of a dialog template laid along the frame's top; its
// commands go to the frame, and so to the preview view.
class CPreviewBar : public CControlBar {
  DECLARE_DYNAMIC(CPreviewBar)
public:
  CPreviewBar();

  BOOL Create(CFrameWnd* pParentWnd, UINT nIDTemplate, UINT nID = AFX_IDW_PREVIEW_BAR);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
  CSize m_sizeDefault; // the template's size
};

// The main frame's view while a preview shows: the current page as a white sheet scaled into the
// window, drawn by the printing view's OnPrepareDC and OnPrint on a preview DC whose output is a
// bitmap of the sheet and whose attribute DC is the printer's.
//
// Derives from CView with scroll bars of its own; it is meant to derive from CScrollView.
class CPreviewView : public CView {
  DECLARE_DYNCREATE(CPreviewView)
public:
  CPreviewView();
  ~CPreviewView() override;

  CView* m_pOrigView;                  // the view whose command started the preview
  CView* m_pPrintView;                 // the view that draws the pages
  CPrintInfo* m_pPreviewInfo;          // owned
  CDC* m_pPreviewDC;                   // owned; output: a memory DC, attribute: the printer DC
  CPreviewBar* m_pToolBar;             // the bar above, deletes itself
  CPrintPreviewState* m_pPreviewState; // owned
  UINT m_nCurrentPage;
  int m_nZoomState; // 0 the whole page, 1 between, 2 actual size

  // Takes a prepared job (its printer DC set) and begins it with OnBeginPrinting.
  virtual BOOL SetPrintView(CView* pPrintView, CPrintInfo* pInfo);
  // Ends the preview: the frame gets back what it gave up, then OnEndPrintPreview of the printing
  // view; this view is destroyed.
  virtual void OnPreviewClose();
  // The sheet in client coordinates.
  CRect GetPageRect() const;

  void OnDraw(CDC* pDC) override;

protected:
  // The sheet of the zoom state in screen pixels.
  CSize SheetSize(int nZoomState) const;
  // Draws the current page into the sheet bitmap when it is not there yet.
  void RenderPage();
  // Scroll ranges for the sheet; the client area they leave stays what the sheet is fitted to.
  void UpdateScrollBars();
  void ScrollBy(int nBar, int nDelta);
  void SetZoomState(int nZoomState);

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnPreviewPrint();
  afx_msg void OnNextPage();
  afx_msg void OnPrevPage();
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

  CSize m_sizePrinterPage;   // the physical page in printer pixels
  CPoint m_ptPrinterOffset;  // where the printable area starts on it
  CSize m_sizePrinterPixels; // printer pixels an inch
  CBitmap m_bmpSheet;        // the rendered page
  CSize m_sizeSheet;         // its size
  UINT m_nSheetPage;         // the page it shows; 0 none
  BOOL m_bNextPage;          // the printing view would go on after the current page
  CPoint m_ptScroll;
  BOOL m_bInScrollUpdate;
};
