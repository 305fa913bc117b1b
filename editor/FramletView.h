// The image view: the document's picture on a hatched canvas with a fixed margin, zoomed on the
// ladder 25 % to 800 % and scrolled in whole picture pixels, painted through an off-screen buffer.
#pragma once

#include "editor/EditorState.h"
#include "editor/Trackers.h"
#include "framework/doc/fw_scrollview.h"
#include "framework/gdi/fw_gdi.h"

#include <gdiplus.h>

#include <vector>

class CFramletDoc;
class CElement;
class CTextElement;
class CTextInputDlg;
struct EffectParams;

// 1 while an open page of the task sheet owes its undo step, 2 (or 0 before any page opened)
// otherwise; the view's mouse-down, Undo, Redo and immediate operations settle an owed step.
extern int g_nTaskEditState;
// Drops the original an open page kept for its previews, once its edit has ended.
void DiscardTaskOriginal(CFramletDoc* pDoc);

// The current picture's size, kept for the resize page of the task sheet.
extern int g_nImageWidth;
extern int g_nImageHeight;

class CFramletView : public CScrollView {
  DECLARE_DYNCREATE(CFramletView)
public:
  CFramletView();
  ~CFramletView() override;

  CFramletDoc* GetDocument() const;

  CBrush m_hatchBrush;          // grey diagonal cross of the canvas
  int m_nTool;                  // the current tool, copied from the shell
  CPoint m_ptStart;             // client position of the last mouse-down (polygon: the last vertex)
  CPoint m_ptCurrent;           // client position of the last mouse event of a drag
  DrawStyle m_style;            // the style of the current tool, copied at mouse-down
  std::vector<POINT> m_pPoints; // polygon, free selection or eraser points, logical coordinates
  BOOL m_bPolygonOpen;          // a polygon selection has vertices and is not closed
  CBitmap* m_pSnapshot;         // the picture after the last recorded step, owned; NULL until taken
  BOOL m_bResyncScroll;         // the canvas size changed: the next paint re-reads the scroll offsets
  CTextInputDlg* m_pTextDlg;    // the text entry dialog, made at the first text placement; owned
  CRect m_rcPrint;              // where the printed or previewed picture goes
  float m_fPrintRatio;          // the shrink of a picture too large for the page (1.0 at construction)
  CSelectionTracker m_selTracker;
  CTextBoxTracker m_textTracker;
  CTextElement* m_pText; // the pending text (pending while its box is not empty); owned
  CElement* m_pElement;  // the element being drawn, a plain CElement between drags; owned
  int m_nScrollX;        // scroll offsets in canvas pixels, whole multiples of the zoom
  int m_nScrollY;
  float m_fZoom;         // 1.0 = 100 %
  float m_fPrevZoom;     // the zoom before the last zoom command
  int m_nSelectionShape; // the selection tool that made the outline (its cut-out shape)

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
  // Takes the snapshot only when there is none of the picture's size: the document keeps it equal
  // to the picture after the last recorded step, so a change that escaped recording is folded
  // into the next step instead of being hidden in a fresh snapshot.
  void EnsureSnapshot();
  // Records the change from the snapshot to the picture as one step.
  void PushUndo();

  // --- Selections and floating pieces ----------------------------------------------------------
  void BeginSelection(UINT nFlags, CPoint point);
  void FinishSelection(CPoint point);
  // Draws the pending text and the floating piece into the picture, each as its own undo step.
  void CommitFloatingObjects(CDC* pDC);
  // A picture file as the floating piece; FALSE when the file gives no picture.
  BOOL PasteImageFile(LPCSTR lpszPath);
  // Makes pPicture (taken over) the floating piece at (20, 20) of the canvas, after drawing an
  // existing piece into the picture.
  void SetFloatingPiece(Gdiplus::Bitmap* pPicture);
  // Empties the outline and frees its point copy.
  void ResetSelection();

  // Status texts: "x,y:X, Y" (client point), "Size:W x H", "Zoom:P%".
  void ShowPositionStatus(int x, int y);
  void ShowSizeStatus(int nWidth, int nHeight);
  void ShowZoomStatus(float fZoom);
  // Horizontal dots per inch of the view's window.
  int GetScreenDpi();

  // --- Clipboard, printing, metafiles -----------------------------------------------------------
  // Writes the picture as an enhanced metafile (".emf") or a placeable Windows metafile (".wmf",
  // converted from the enhanced one). FALSE when nothing complete was written.
  BOOL SaveAsMetafile(LPCSTR lpszPath);
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

  // --- Image operations of the task sheet ---------------------------------------------------------
  // Runs one operation on the document's picture; pParams is the page's block (NULL: none).
  void ApplyImageEffect(int nTaskId, const EffectParams* pParams, CDC* pDC, HWND hWnd);
  // The font of a caption from the caption page's block, for a screen of nPixelsPerInch.
  static LOGFONTA CaptionFont(const EffectParams& params, int nPixelsPerInch);

  // Text: the dialog's settings into the pending text.
  void ApplyTextDialog(CTextInputDlg* pDlg);
  // Draws the pending text into the picture (recording it when bRecord); FALSE when none pends.
  BOOL CommitText(BOOL bRecord);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnInitialUpdate() override;
  // A view losing activation ends the task page's edit it holds, recording its step.
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
  void OnDraw(CDC* pDC) override;

  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnActualSize();
  afx_msg void OnEditUndo();
  afx_msg void OnEditRedo();
  afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
  afx_msg void OnClearSelection();
  afx_msg void OnCropToSelection();
  afx_msg void OnSelectAll();
  afx_msg void OnPasteFromFile();
  afx_msg void OnUpdateSelectionCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateCropCommand(CCmdUI* pCmdUI);
  // FALSE for the commands of the range that are no image operation.
  afx_msg BOOL OnImageCommand(UINT nID);
  afx_msg void OnCopyAllToClipboard();
  afx_msg void OnEditCopy();
  afx_msg void OnEditCut();
  afx_msg void OnEditPaste();
  // Copy's work: FALSE when nothing reached the clipboard.
  BOOL CopySelectionOrAll();
  afx_msg LRESULT OnApplyEffectMessage(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSaveOriginal(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnTaskEdit(WPARAM wParam, LPARAM lParam);

protected:
  // Follows a zoom change from fOldZoom to m_fZoom: status, the floating piece rescaled and an
  // outlined selection dropped.
  void ApplyZoom(float fOldZoom);
  void SetStatusText(int nPane, LPCSTR lpszText);
  // Settles what must be in the picture before a command changes it: the owed step of a task
  // page, the floating piece and the pending text.
  BOOL SettlePending(BOOL bRecordPiece);

  // Mouse input (tool dispatch). A drag holds the mouse capture from the press to the release,
  // whichever button made it.
  void OnButtonDown(UINT nFlags, CPoint point, BOOL bRight);
  void OnButtonUp(UINT nFlags, CPoint point);
  // TRUE when the press was on a canvas handle, whose own loop has taken its release.
  BOOL CanvasHandleStep(CPoint point);
  void ToolDown(UINT nFlags, CPoint point);
  void ToolMove(UINT nFlags, CPoint point, BOOL bHeld);
  void ToolUp(UINT nFlags, CPoint point);
  void ElementDown(CPoint point);
  void ElementMove(CPoint point);
  void ElementUp(CPoint point);
  // Selections.
  void RubberBand(UINT nFlags, CPoint point, BOOL bHeld);
  void LiftSelection();
  void ClosePolygon(CPoint point);
  void AddPoint(POINT pt);
  void SetOutline(const CRect& rcLogical);
  // The other tools.
  void SprayTick();
  void AirBrushGuard();
  void FillAt(CPoint point);
  void PickColor(UINT nFlags, CPoint point);
  void EraserMove(CPoint point);
  void EraserUp();
  void HighlighterMove(CPoint point);
  void HighlighterUp(CPoint point);
  void PutTextAt(CPoint point);
  void ReopenTextDialog(CPoint point);
  void PlaceStamp(CPoint point);

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg LRESULT OnTextChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  BOOL m_bDragging = FALSE; // a press holds the capture until its release
  CBitmap m_buffer;         // the off-screen buffer, kept between paints while its size fits
  CSize m_sizeBuffer;
  // A tracker's own drag loop took the release of the press being handled: the view starts no
  // drag of its own for it.
  BOOL m_bPressTaken = FALSE;
};
