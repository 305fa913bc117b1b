// The image operations of the task sheet on the image view. A page opens an edit: the picture as it
// opens is kept as the original, every preview starts again from that original, and the edit is
// recorded as one undo step when it ends. The flips, quarter turns and trim are immediate: each is
// recorded at once.
#include "editor/EditorMessages.h"
#include "editor/EditorState.h"
#include "editor/EffectParams.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/app/fw_app.h"
#include "imaging/CommonLib.h"
#include "imaging/CommonLibGdi.h"
#include "imaging/GdipEffects.h"
#include "imaging/Globals.h"
#include "imaging/ImageItem.h"
#include "imaging/PixelPlane.h"
#include "imaging/Resize.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace {

// The largest picture a resize may ask for: a side the resize page offers, and an area whose
// copies (picture, original, snapshot, GDI+ work copies) a 32-bit process can still hold.
const int kMaxSide = 16000;
const long long kMaxPixels = 36000000;

// The view whose task page edit is open (g_nTaskEditState 1); compared, never dereferenced.
const CFramletView* s_pEditView = NULL;

bool IsImmediate(int nTaskId) {
  return (nTaskId >= TASK_FLIP_HORIZONTAL && nTaskId <= TASK_ROTATE_LEFT) || nTaskId == TASK_TRIM;
}

bool HasOpenEdit(const CFramletView* pView) { return g_nTaskEditState == 1 && s_pEditView == pView; }

void TellNoMemory() {
  AfxMessageBox("There is not enough memory for this change, so the picture has been left as it was.",
                MB_OK | MB_ICONEXCLAMATION);
}

BOOL SizeAllowed(int cx, int cy) {
  if (cx >= 1 && cx <= kMaxSide && cy >= 1 && cy <= kMaxSide && (long long)cx * cy <= kMaxPixels)
    return TRUE;
  CString strText;
  strText.Format("The picture cannot be made %d x %d pixels: each side must be 1 to %d pixels and the whole "
                 "picture at most %lld pixels.",
                 cx, cy, kMaxSide, kMaxPixels);
  AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
  return FALSE;
}

// The side mask of the edge and channel operations: option 1 to 4 as bits 1, 2, 4, 8; option 5 as
// 0x10 for the torn edge.
int SideMask(int nTaskId, const EffectParams& p) {
  const bool bMasked = (nTaskId >= TASK_TORN_EDGE && nTaskId <= TASK_FADE_EDGE) || nTaskId == TASK_BORDER ||
                       nTaskId == TASK_INVERT_COLOR || nTaskId == TASK_GRAYSCALE;
  if (!bMasked)
    return 0;
  int nSides = 0;
  for (int i = 0; i < 4; i++)
    nSides |= p.flag[i] != 0 ? 1 << i : 0;
  if (nTaskId == TASK_TORN_EDGE && p.flag[4] != 0)
    nSides |= 0x10;
  return nSides;
}

// Where a preview of cx x cy is written: the picture's own rows when they are top-down rows of
// that size (each preview replaces the one before, and rows written again cost far less than new
// ones), else a new DIB section held in fresh. FALSE when neither can be had.
BOOL PreviewRows(CFramletDoc* pDoc, int cx, int cy, CBitmap& fresh, CPixelPlane& rows) {
  if (OpenPixelPlane((HBITMAP)pDoc->m_pImage->GetBitmap()->GetSafeHandle(), rows) && rows.cx == cx &&
      rows.cy == cy && rows.nStride == (ptrdiff_t)cx * 4)
    return TRUE;
  return fresh.Attach(CreatePlaneBitmap(cx, cy, &rows));
}

// The rows written by PreviewRows become the picture.
void TakePreviewRows(CFramletDoc* pDoc, CBitmap& fresh) {
  pDoc->m_pImage->AttachBitmap(fresh.GetSafeHandle() != NULL ? &fresh : pDoc->m_pImage->GetBitmap());
}

// The document's picture becomes the GDI+ bitmap (taken over), flattened on opaque white and placed
// at the margin; a preview is written into the picture's own rows where it can (see PreviewRows).
// FALSE, with the picture as it was, when no GDI bitmap can be made of it.
BOOL ReplacePicture(CFramletDoc* pDoc, Gdiplus::Bitmap* pBitmap, BOOL bPreview = FALSE) {
  std::unique_ptr<Gdiplus::Bitmap> pOwned(pBitmap);
  CBitmap fresh;
  CPixelPlane rows;
  if (bPreview && pOwned &&
      PreviewRows(pDoc, (int)pOwned->GetWidth(), (int)pOwned->GetHeight(), fresh, rows) &&
      CopyOpaqueRows(pOwned.get(), rows)) {
    TakePreviewRows(pDoc, fresh);
    return TRUE;
  }
  CBitmap picture;
  if (!pOwned || !picture.Attach(CreatePictureBitmap(pOwned.get())))
    return FALSE;
  pDoc->m_pImage->AttachBitmap(&picture);
  return TRUE;
}

// Ends the open edit of the view: its step is recorded, the kept original goes and, when asked,
// the task sheet returns to its main page.
void EndTaskEdit(CFramletView* pView, BOOL bShowMainPage) {
  CFramletDoc* pDoc = pView->GetDocument();
  g_nTaskEditState = 2;
  s_pEditView = NULL;
  if (pDoc == NULL)
    return;
  pView->PushUndo();
  DiscardTaskOriginal(pDoc);
  CEditorShell* pShell = GetEditorShell();
  if (bShowMainPage && pShell != NULL && pShell->GetTaskPageIndex() != 0)
    pShell->ShowTaskMainPage();
}

// The operations done with GDI alone: none of them has a GDI+ step.
bool IsGdiOperation(int nTaskId) {
  return (nTaskId >= TASK_TORN_EDGE && nTaskId <= TASK_WAVE_EDGE) || nTaskId == TASK_SHADOW_EDGE ||
         nTaskId == TASK_BORDER || nTaskId == TASK_RESIZE_CANVAS;
}

// The size the edit left: the resize page tells the shared size of every size it asked for, which
// is not the picture's when the view could not make that size.
void ShowPictureSize(CFramletView* pView) {
  if (CFramletDoc* pDoc = pView->GetDocument()) {
    const CSize size = pDoc->GetImageSize();
    pView->ShowSizeStatus(size.cx, size.cy);
  }
}

// The GDI operations: they make their picture in `work` from a copy of the source. TRUE also when
// the operation is not one of them (work stays empty).
BOOL RunGdiPhase(int nTaskId, const EffectParams* p, CDC* pDC, CBitmap* pSource, CBitmap& work) {
  const bool bEdge = nTaskId >= TASK_TORN_EDGE && nTaskId <= TASK_WAVE_EDGE;
  if (!IsGdiOperation(nTaskId))
    return TRUE;
  CCommonLib lib;
  if (nTaskId == TASK_RESIZE_CANVAS) {
    // The old picture at the top-left corner, white where the canvas grows, cut where it shrinks.
    std::unique_ptr<CBitmap> pCanvas(lib.CopyBitmapRect(pDC, pSource, 0, 0, p->value[0], p->value[1]));
    return pCanvas && work.Attach(pCanvas->Detach());
  }
  if (!work.Attach(CCommonLib::DuplicateBitmap((HBITMAP)pSource->GetSafeHandle())))
    return FALSE;
  const int nSides = SideMask(nTaskId, *p);
  if (bEdge) {
    lib.EdgeEffect(pDC, &work, nTaskId, p->value[0], nSides, p->color[0], p->color[1], p->value[1],
                   p->flag[5], p->shadowColor, p->shadowOpacity, p->shadowDepthX, p->shadowDepthY,
                   p->shadowEdge);
  } else if (nTaskId == TASK_SHADOW_EDGE) {
    if (p->flag[0] == 1)
      lib.BorderEffect(pDC, &work, p->value[1], 0, 0, p->color[2], p->color[2], p->color[2]);
    lib.ShadowEffect(pDC, &work, p->value[0], 0, p->color[0], p->color[1]);
  } else {
    lib.BorderEffect(pDC, &work, p->value[0], p->value[1], nSides, p->color[0], p->color[1], p->color[2]);
  }
  return TRUE;
}

// The picture at the page's size, smoothed when the page asks for it. NULL when it cannot be made.
Gdiplus::Bitmap* ResizedPicture(Gdiplus::Bitmap* pPicture, const EffectParams& p) {
  return ResizePicture(pPicture, p.value[0], p.value[1], p.flag[0] == 1);
}

// Runs an operation that may hand back a new bitmap in place of the one it was given.
template <class Operation> void Resizing(std::unique_ptr<Gdiplus::Bitmap>& pBitmap, Operation operation) {
  Gdiplus::Bitmap* pRaw = pBitmap.release();
  try {
    operation(pRaw);
  } catch (...) {
    pBitmap.reset(pRaw);
    throw;
  }
  pBitmap.reset(pRaw);
}

// The GDI+ operations on the picture. FALSE when the new picture cannot be made.
BOOL RunGdipPhase(int nTaskId, const EffectParams* p, std::unique_ptr<Gdiplus::Bitmap>& pPicture) {
  CGdipEffects fx;
  fx.SetSize((int)pPicture->GetWidth(), (int)pPicture->GetHeight());
  const int nSides = p != NULL ? SideMask(nTaskId, *p) : 0;
  Gdiplus::Bitmap* pBitmap = pPicture.get();
  switch (nTaskId) {
  case TASK_FLIP_HORIZONTAL:
    pBitmap->RotateFlip(Gdiplus::RotateNoneFlipX);
    break;
  case TASK_FLIP_VERTICAL:
    pBitmap->RotateFlip(Gdiplus::RotateNoneFlipY);
    break;
  case TASK_ROTATE_RIGHT:
    pBitmap->RotateFlip(Gdiplus::Rotate90FlipNone);
    break;
  case TASK_ROTATE_LEFT:
    pBitmap->RotateFlip(Gdiplus::Rotate270FlipNone);
    break;
  case TASK_FADE_EDGE:
    fx.FadeEdge(pBitmap, p->value[0], nSides, p->color[0]);
    break;
  case TASK_BEVEL_EDGE:
    fx.BevelEdge(pBitmap, p->value[0], 0, p->color[0]);
    break;
  case TASK_PERSPECTIVE:
    fx.Perspective(pBitmap, p->value[0], p->value[1], p->color[0]);
    break;
  case TASK_SHEAR:
    Resizing(pPicture, [&](Gdiplus::Bitmap*& pRaw) { fx.Shear(pRaw, p->value[0], 0, p->color[0]); });
    break;
  case TASK_CAPTION: {
    CWindowDC screen(CWnd::GetDesktopWindow());
    LOGFONTA lf = CFramletView::CaptionFont(*p, screen.GetDeviceCaps(LOGPIXELSY));
    Resizing(pPicture, [&](Gdiplus::Bitmap*& pRaw) {
      fx.AddCaption(pRaw, p->text, lf, p->color[0], p->flag[0], p->flag[1]);
    });
    break;
  }
  case TASK_BLUR:
    fx.Blur(pBitmap, p->value[0], -1, -1);
    break;
  case TASK_EMBOSS:
    fx.Emboss(pBitmap, p->value[0], 1);
    break;
  case TASK_SHARPEN:
    fx.Sharpen(pBitmap, p->value[0]);
    break;
  case TASK_SOLARIZE:
    fx.Solarize(pBitmap, p->value[0]);
    break;
  case TASK_BRIGHTNESS_CONTRAST:
    fx.Brightness(pBitmap, p->value[0]);
    fx.Contrast(pBitmap, p->value[1]);
    break;
  case TASK_COLOR_BALANCE:
    fx.ColorBalance(pBitmap, p->value[0], p->value[1], p->value[2]);
    break;
  case TASK_INVERT_COLOR:
    fx.InvertColor(pBitmap, (BYTE)nSides);
    break;
  case TASK_GRAYSCALE:
    fx.Grayscale(pBitmap, p->value[0], (BYTE)nSides);
    break;
  case TASK_BLACK_WHITE:
    fx.BlackWhite(pBitmap, p->value[0]);
    break;
  case TASK_ROTATE_ANGLE:
    Resizing(pPicture, [&](Gdiplus::Bitmap*& pRaw) { fx.RotateByAngle(pRaw, p->value[0], p->color[0]); });
    break;
  case TASK_RESIZE_IMAGE:
    pPicture.reset(ResizedPicture(pBitmap, *p));
    break;
  default:
    break; // the edges done with GDI, and the ids without an operation of their own
  }
  return pPicture != NULL;
}

// The GDI+ operations that work in place, keeping the picture's size.
bool KeepsSize(int nTaskId) {
  return !IsGdiOperation(nTaskId) && nTaskId != TASK_SHEAR && nTaskId != TASK_CAPTION &&
         nTaskId != TASK_ROTATE_ANGLE && nTaskId != TASK_RESIZE_IMAGE;
}

// The rows the previews that change the size start from: a copy of the original kept while the
// edit is open, so that each preview writes rows already in memory.
CBitmap& ScratchBitmap() {
  static CBitmap scratch;
  return scratch;
}

BOOL ScratchRows(int cx, int cy, CPixelPlane& rows) {
  CBitmap& scratch = ScratchBitmap();
  if (OpenPixelPlane((HBITMAP)scratch.GetSafeHandle(), rows) && rows.cx == cx && rows.cy == cy &&
      rows.nStride == (ptrdiff_t)cx * 4)
    return TRUE;
  scratch.DeleteObject();
  return scratch.Attach(CreatePlaneBitmap(cx, cy, &rows));
}

// A preview by a GDI+ operation, run straight on a copy of the source's rows wrapped for GDI+,
// with no copy into GDI+'s own memory: one that keeps the size works on the picture's rows (see
// PreviewRows) and leaves them as its result; one that changes it starts from the scratch rows.
// GDI+ would read the source as colour without alpha and hand it back opaque, so the copies do
// too. Answers whether it ran (FALSE, with the picture as it was, when the source is not a 32-bit
// DIB section or GDI+ cannot take the rows); bMade tells whether the new picture is in place.
BOOL RunGdipPreview(CFramletDoc* pDoc, int nTaskId, const EffectParams* p, HBITMAP hSource, BOOL& bMade) {
  const bool bKeepsSize = KeepsSize(nTaskId);
  CPixelPlane source, rows;
  CBitmap fresh;
  if (!OpenPixelPlane(hSource, source) || !(bKeepsSize ? PreviewRows(pDoc, source.cx, source.cy, fresh, rows)
                                                       : ScratchRows(source.cx, source.cy, rows)))
    return FALSE;
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(
      new Gdiplus::Bitmap(rows.cx, rows.cy, (INT)rows.nStride, PixelFormat32bppRGB, rows.pTop));
  if (pBitmap->GetLastStatus() != Gdiplus::Ok)
    return FALSE;
  for (int y = 0; y < source.cy; y++)
    std::memcpy(rows.Row(y), source.Row(y), source.RowBytes());
  if (!RunGdipPhase(nTaskId, p, pBitmap)) {
    bMade = FALSE;
    return TRUE;
  }
  if (!bKeepsSize) {
    bMade = ReplacePicture(pDoc, pBitmap.release(), TRUE);
    return TRUE;
  }
  pBitmap.reset(); // the operation kept the bitmap and wrote its rows
  for (int y = 0; y < rows.cy; y++)
    for (DWORD *pPixel = reinterpret_cast<DWORD*>(rows.Row(y)), *pEnd = pPixel + rows.cx; pPixel < pEnd;
         ++pPixel)
      *pPixel |= 0xFF000000u;
  TakePreviewRows(pDoc, fresh);
  bMade = TRUE;
  return TRUE;
}

// Trim: the picture without its uniform borders, cut out with GDI. FALSE when the cut-out cannot
// be made; a picture of nothing but border is left as it is.
BOOL TrimPicture(CFramletDoc* pDoc, CDC* pDC) {
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(pDoc->m_pImage->CreateGdipBitmap());
  if (!pBitmap)
    return FALSE;
  CGdipEffects fx;
  fx.SetSize((int)pBitmap->GetWidth(), (int)pBitmap->GetHeight());
  CRect rcKeep;
  fx.GetTrimRect(rcKeep, pBitmap.get());
  if (rcKeep.IsRectEmpty())
    return TRUE;
  CCommonLib lib;
  std::unique_ptr<CBitmap> pCut(lib.CopyBitmapRect(pDC, pDoc->m_pImage->GetBitmap(), rcKeep.left, rcKeep.top,
                                                   rcKeep.Width(), rcKeep.Height()));
  if (!pCut)
    return FALSE;
  pDoc->m_pImage->AttachBitmap(pCut.get());
  return TRUE;
}

// The original an edit keeps: a 32-bit DIB section's rows are copied into one of the same kind,
// which the previews then read in place; any other picture is duplicated by GDI. NULL when no
// copy can be made.
HBITMAP KeptCopy(HBITMAP hPicture) {
  CPixelPlane picture, kept;
  CBitmap copy;
  if (!OpenPixelPlane(hPicture, picture) || !copy.Attach(CreatePlaneBitmap(picture.cx, picture.cy, &kept)))
    return CCommonLib::DuplicateBitmap(hPicture);
  for (int y = 0; y < picture.cy; y++)
    std::memcpy(kept.Row(y), picture.Row(y), picture.RowBytes());
  return (HBITMAP)copy.Detach();
}

// Puts the kept original back: the open page's previews are dropped.
void RestoreOriginal(CFramletDoc* pDoc) {
  if (pDoc->m_pImage2 != NULL && !ReplacePicture(pDoc, pDoc->m_pImage2->CreateGdipBitmap()))
    TellNoMemory();
}

// Makes the operation's picture from the source (the kept original for a preview, the picture
// for an immediate operation) and puts it in place. FALSE when it cannot be made: the picture is
// then as it was.
BOOL MakePicture(CFramletView* pView, int nTaskId, const EffectParams* p, CDC* pDC) {
  CFramletDoc* pDoc = pView->GetDocument();
  if (IsImmediate(nTaskId))
    pView->EnsureSnapshot(); // each is a step of its own, from the last recorded picture
  if (nTaskId == TASK_TRIM)
    return TrimPicture(pDoc, pDC);
  CImageItem* pSource = !IsImmediate(nTaskId) && pDoc->m_pImage2 != NULL ? pDoc->m_pImage2 : pDoc->m_pImage;
  CBitmap work;
  if (pSource->GetBitmap()->GetSafeHandle() == NULL ||
      !RunGdiPhase(nTaskId, p, pDC, pSource->GetBitmap(), work))
    return FALSE;
  if (work.GetSafeHandle() != NULL) {
    // The GDI operations have nothing more to do in GDI+: their picture takes only the form a
    // trip through GDI+ would give it, without the two copies.
    const CSize size = commonlib::BitmapSize(&work);
    CBitmap fresh;
    CPixelPlane rows;
    if (!IsImmediate(nTaskId) && PreviewRows(pDoc, size.cx, size.cy, fresh, rows) &&
        CopyPictureRows((HBITMAP)work.GetSafeHandle(), rows)) {
      TakePreviewRows(pDoc, fresh);
      return TRUE;
    }
    CBitmap picture;
    if (!picture.Attach(CreatePictureBitmap((HBITMAP)work.GetSafeHandle())))
      return FALSE;
    pDoc->m_pImage->AttachBitmap(&picture);
    return TRUE;
  }
  BOOL bMade = FALSE;
  if (!IsImmediate(nTaskId) &&
      RunGdipPreview(pDoc, nTaskId, p, (HBITMAP)pSource->GetBitmap()->GetSafeHandle(), bMade))
    return bMade;
  CBitmap* pGdiResult = pSource->GetBitmap();
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(
      Gdiplus::Bitmap::FromHBITMAP((HBITMAP)pGdiResult->GetSafeHandle(), NULL));
  if (!pBitmap || pBitmap->GetLastStatus() != Gdiplus::Ok || !RunGdipPhase(nTaskId, p, pBitmap))
    return FALSE;
  return ReplacePicture(pDoc, pBitmap.release(), !IsImmediate(nTaskId));
}

void RunImageEffect(CFramletView* pView, int nTaskId, const EffectParams* p, CDC* pDC) {
  CFramletDoc* pDoc = pView->GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  // Only the immediate operations and the cancel do without the page's block.
  if (p == NULL && !IsImmediate(nTaskId) && nTaskId != TASK_CANCEL_EDIT)
    return;
  if ((nTaskId == TASK_RESIZE_IMAGE || nTaskId == TASK_RESIZE_CANVAS) &&
      !SizeAllowed(p->value[0], p->value[1]))
    return;
  const int m = g_nCanvasMargin;
  if (nTaskId == TASK_CANCEL_EDIT) {
    RestoreOriginal(pDoc);
    BITMAP bm;
    if (pView->m_pSnapshot != NULL && pView->m_pSnapshot->GetSafeHandle() != NULL &&
        pView->m_pSnapshot->GetBitmap(&bm) != 0)
      pDoc->SetImageRect(CRect(m, m, m + bm.bmWidth, m + bm.bmHeight));
    pView->UpdateScrollSizes();
    return;
  }
  if (!MakePicture(pView, nTaskId, p, pDC)) {
    TellNoMemory();
    return;
  }
  pDoc->SetImageRect(pDoc->m_pImage->m_rect);
  pView->Invalidate(TRUE);
  if (IsImmediate(nTaskId))
    pView->PushUndo();
  pView->UpdateScrollSizes();
  pDoc->UpdateAllViews(NULL, 0, NULL);
}

} // namespace

void DiscardTaskOriginal(CFramletDoc* pDoc) {
  ScratchBitmap().DeleteObject();
  if (pDoc == NULL)
    return;
  delete pDoc->m_pImage2;
  pDoc->m_pImage2 = NULL;
}

LOGFONTA CFramletView::CaptionFont(const EffectParams& params, int nPixelsPerInch) {
  int nPoints = params.value[0];
  if (nPoints > 100)
    nPoints = 48;
  else if (nPoints < 2)
    nPoints = 5;
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof(lf));
  lf.lfHeight = ::MulDiv(nPoints, nPixelsPerInch, 72);
  lf.lfWeight = params.flag[2] == 1 ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = params.flag[3] == 1;
  lf.lfUnderline = (BYTE)params.flag[4];
  // The face field holds 31 characters and its terminator.
  std::strncpy(lf.lfFaceName, params.fontFace, LF_FACESIZE - 1);
  return lf;
}

void CFramletView::ApplyImageEffect(int nTaskId, const EffectParams* pParams, CDC* pDC, HWND) {
  if (nTaskId < 2000)
    return;
  CWaitCursor wait;
  try {
    RunImageEffect(this, nTaskId, pParams, pDC);
  } catch (...) {
    // A failed operation ends where it failed; the handler still refreshes the document.
  }
}

LRESULT CFramletView::OnApplyEffectMessage(WPARAM wParam, LPARAM lParam) {
  CFramletDoc* pDoc = GetDocument();
  const int nTaskId = (int)wParam;
  // Previews belong to the open edit of this view; an apply for any other is stale.
  if (pDoc == NULL || (!IsImmediate(nTaskId) && !HasOpenEdit(this)))
    return 0;
  try {
    if (lParam == -1) {
      pDoc->SetModifiedFlag(TRUE);
      pDoc->UpdateAllViews(NULL, 0, NULL);
      Invalidate(TRUE);
    }
    // An immediate operation is a step of its own: the open page's step is recorded first.
    if (IsImmediate(nTaskId) && g_nTaskEditState == 1)
      EndTaskEdit(this, TRUE);
    const EffectParams* pParams =
        lParam == 0 || lParam == -1 ? NULL : reinterpret_cast<const EffectParams*>(lParam);
    {
      CClientDC dc(this);
      ApplyImageEffect(nTaskId, pParams, &dc, m_hWnd);
    }
    if (nTaskId == TASK_CANCEL_EDIT) {
      EndTaskEdit(this, FALSE); // Cancel ends the edit with the original back
      ShowPictureSize(this);
    }
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(NULL, 0, NULL);
  } catch (...) {
  }
  return 0;
}

LRESULT CFramletView::OnSaveOriginal(WPARAM, LPARAM) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return 0;
  try {
    DiscardTaskOriginal(pDoc);
    std::unique_ptr<CImageItem> pKept(new CImageItem);
    if (!pKept->GetBitmap()->Attach(KeptCopy((HBITMAP)pDoc->m_pImage->GetBitmap()->GetSafeHandle()))) {
      TellNoMemory();
      return 0;
    }
    pKept->m_rect = pDoc->m_pImage->m_rect;
    pDoc->m_pImage2 = pKept.release();
    Invalidate(TRUE);
  } catch (...) {
  }
  return 0;
}

LRESULT CFramletView::OnTaskEdit(WPARAM, LPARAM lParam) {
  if (GetDocument() == NULL)
    return 0;
  try {
    if (lParam != 0) {
      EndTaskEdit(this, FALSE);
      ShowPictureSize(this);
      return 0;
    }
    g_nTaskEditState = 1;
    s_pEditView = this;
    SettlePending(TRUE);
    // Whatever reached the picture unrecorded (an edit whose page never closed) is its own step,
    // so that this page's step holds only its own change.
    PushUndo();
    TakeSnapshot();
  } catch (...) {
  }
  return 0;
}

void CFramletView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  // The task sheet works on whichever view is active: an edit left open would be previewed on
  // another document from this one's original.
  if (!bActivate && HasOpenEdit(this))
    EndTaskEdit(this, TRUE);
  CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}
