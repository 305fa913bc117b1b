// Commands of the image view: Undo and Redo, which first settle what is pending, the link to the
// text entry dialog, and the menu commands that open the task sheet's operation pages.
#include "editor/EditorMessages.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "editor/TextElement.h"
#include "editor/TextInputDlg.h"
#include "framework/app/fw_app.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

int g_nTaskEditState = 0;

namespace {

// The page each operation command opens: a task id, or 0 for the pages of their own.
struct OperationCommand {
  UINT nID;
  int nTaskId;
};
const OperationCommand kOperations[] = {{32817, TASK_BRIGHTNESS_CONTRAST},
                                        {32819, TASK_COLOR_BALANCE},
                                        {32820, TASK_INVERT_COLOR},
                                        {32821, TASK_GRAYSCALE},
                                        {32823, TASK_BLACK_WHITE},
                                        {32857, TASK_TORN_EDGE},
                                        {32858, TASK_SAW_EDGE},
                                        {32859, TASK_SHARK_EDGE},
                                        {32860, TASK_WAVE_EDGE},
                                        {32861, TASK_FADE_EDGE},
                                        {32862, TASK_SHADOW_EDGE},
                                        {32863, TASK_BEVEL_EDGE},
                                        {32864, TASK_BORDER},
                                        {32865, TASK_PERSPECTIVE},
                                        {32866, TASK_SHEAR},
                                        {32867, TASK_BLUR},
                                        {32868, TASK_EMBOSS},
                                        {32869, TASK_SHARPEN},
                                        {32870, TASK_SOLARIZE},
                                        {32808, TASK_ROTATE_ANGLE}};

} // namespace

void CFramletView::PushUndo() {
  if (CFramletDoc* pDoc = GetDocument())
    pDoc->PushUndo(m_pSnapshot, TRUE);
}

BOOL CFramletView::SettlePending(BOOL bRecordPiece) {
  CFramletDoc* pDoc = GetDocument();
  BOOL bRecorded = FALSE;
  if (pDoc->m_pSelection != NULL) {
    const BOOL bOutlined = !m_selTracker.m_rect.IsRectEmpty();
    CClientDC dc(this);
    CommitFloatingObjects(&dc);
    if (!bOutlined && bRecordPiece) {
      PushUndo();
      bRecorded = TRUE;
    }
    ResetSelection();
  }
  if (CommitText(TRUE))
    bRecorded = TRUE;
  return bRecorded;
}

void CFramletView::OnEditUndo() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  SettlePending(TRUE);
  if (g_nTaskEditState == 1) {
    PushUndo();
    g_nTaskEditState = 2;
    DiscardTaskOriginal(pDoc);
  }
  CEditorShell* pShell = GetEditorShell();
  if (pShell != NULL && pShell->GetTaskPageIndex() != 0)
    pShell->ShowTaskMainPage();
  // A piece that changed nothing left no step: the base record below it is no step to undo.
  if (pDoc->m_nUndoPos > 0)
    pDoc->Undo();
  UpdateScrollSizes();
  Invalidate(TRUE);
}

void CFramletView::OnEditRedo() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  // A step recorded here is the newest one: there is nothing left to redo after it.
  BOOL bRecorded = SettlePending(TRUE);
  if (g_nTaskEditState == 1) {
    // The preview of the open page is dropped: the picture goes back to the kept original.
    if (pDoc->m_pImage2 != NULL)
      pDoc->m_pImage->SetFromGdipBitmap(pDoc->m_pImage2->CreateGdipBitmap());
    g_nTaskEditState = 2;
    DiscardTaskOriginal(pDoc);
  }
  CEditorShell* pShell = GetEditorShell();
  if (pShell != NULL && pShell->GetTaskPageIndex() != 0)
    pShell->ShowTaskMainPage();
  if (!bRecorded)
    pDoc->Redo();
  UpdateScrollSizes();
  Invalidate(TRUE);
}

// A piece floating without an outline (a paste, a moved selection) is a step Undo records and
// takes back, also on a picture with no step before it.
void CFramletView::OnUpdateEditUndo(CCmdUI* pCmdUI) {
  CFramletDoc* pDoc = GetDocument();
  pCmdUI->Enable(pDoc != NULL &&
                 (pDoc->m_nUndoPos > 0 || (pDoc->m_pSelection != NULL && m_selTracker.m_rect.IsRectEmpty())));
}

void CFramletView::OnUpdateEditRedo(CCmdUI* pCmdUI) {
  CFramletDoc* pDoc = GetDocument();
  pCmdUI->Enable(pDoc != NULL && pDoc->m_nUndoPos < pDoc->m_nUndoLast);
}

LRESULT CFramletView::OnTextChanged(WPARAM, LPARAM lParam) {
  if (GetDocument() != NULL && lParam != 0) {
    ApplyTextDialog(reinterpret_cast<CTextInputDlg*>(lParam));
    Invalidate(TRUE);
  }
  return 0;
}

void CFramletView::ApplyTextDialog(CTextInputDlg* pDlg) {
  if (pDlg == NULL || m_pText == NULL)
    return;
  m_pText->m_strText = pDlg->m_strText;
  m_pText->m_font.DeleteObject();
  m_pText->m_font.CreateFontIndirect(&pDlg->m_lf);
  m_pText->m_clrText = 0xFF000000u | ((DWORD)GetRValue(pDlg->m_clrText) << 16) |
                       ((DWORD)GetGValue(pDlg->m_clrText) << 8) | GetBValue(pDlg->m_clrText);
  m_pText->m_nAngle = pDlg->m_nAngle;
  m_pText->m_nOpacity = pDlg->m_nOpacity;
  m_pText->m_nAlignH = pDlg->m_nAlignH;
  m_pText->m_nAlignV = pDlg->m_nAlignV;
  m_pText->m_bAntialias = pDlg->m_bAntialias;
}

BOOL CFramletView::CommitText(BOOL bRecord) {
  CFramletDoc* pDoc = GetDocument();
  if (m_pText == NULL || m_pText->m_rect.IsRectEmpty() || m_pText->m_strText.IsEmpty() || pDoc == NULL ||
      pDoc->m_pImage == NULL)
    return FALSE;
  const int m = g_nCanvasMargin;
  Gdiplus::Bitmap* pPicture = pDoc->m_pImage->CreateGdipBitmap();
  if (pPicture == NULL)
    return FALSE;
  m_pText->m_rect.OffsetRect(-m, -m);
  // The text keeps to the text tool's style, as its preview does.
  CEditorAppState* pState = CEditorAppState::Get();
  m_pText->DrawIntoImage(pPicture, pState != NULL ? pState->m_styles[STYLE_TEXT] : m_style, m_fZoom,
                         m_nScrollX, m_nScrollY);
  if (m_pTextDlg != NULL && ::IsWindow(m_pTextDlg->m_hWnd))
    m_pTextDlg->ShowWindow(SW_HIDE);
  pDoc->m_pImage->SetFromGdipBitmap(pPicture);
  m_pText->m_rect.SetRectEmpty();
  m_textTracker.Reset();
  m_pText->m_strText.Empty();
  if (bRecord)
    PushUndo();
  pDoc->SetModifiedFlag(TRUE);
  Invalidate(TRUE);
  return TRUE;
}

BOOL CFramletView::OnImageCommand(UINT nID) {
  // The turns and flips are immediate; an id of their range without an operation flips.
  if (nID >= ID_IMAGE_ROTATE_RIGHT && nID <= ID_IMAGE_FLIP_V && nID != ID_IMAGE_ROTATE_ANGLE) {
    const int nTaskId = nID == ID_IMAGE_ROTATE_RIGHT  ? TASK_ROTATE_RIGHT
                        : nID == ID_IMAGE_ROTATE_LEFT ? TASK_ROTATE_LEFT
                        : nID == ID_IMAGE_FLIP_V      ? TASK_FLIP_VERTICAL
                                                      : 4002;
    SendMessage(UM_APPLY_EFFECT, nTaskId, 0);
    return TRUE;
  }
  const OperationCommand* pOperation = NULL;
  for (const OperationCommand& op : kOperations)
    if (op.nID == nID)
      pOperation = &op;
  // The range holds other commands too (Options, Help, the capture button...): they go on to the
  // frame and the application.
  if (pOperation == NULL && nID != ID_IMAGE_RESIZE && nID != ID_IMAGE_RESIZE_CANVAS &&
      nID != ID_IMAGE_CAPTION)
    return FALSE;
  CEditorShell* pShell = GetEditorShell();
  if (pShell == NULL)
    return TRUE;
  if (nID == ID_IMAGE_RESIZE)
    pShell->OpenResizePage(TASK_RESIZE_IMAGE, "Resize Image");
  else if (nID == ID_IMAGE_RESIZE_CANVAS)
    pShell->OpenResizePage(TASK_RESIZE_CANVAS, "Resize Canvas");
  else if (nID == ID_IMAGE_CAPTION)
    pShell->OpenCaptionPage();
  else
    pShell->OpenEffectPage(pOperation->nTaskId);
  return TRUE;
}
