#include "editor/FramletDoc.h"

#include "editor/FramletView.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <memory>

IMPLEMENT_DYNCREATE(CFramletDoc, COleDocument)

BEGIN_MESSAGE_MAP(CFramletDoc, COleDocument)
ON_COMMAND(ID_FILE_SAVE, OnSaveCommand)
ON_COMMAND(ID_FILE_SAVE2, OnSaveCommand)
ON_COMMAND(ID_FILE_SAVE_AS, OnSaveAsCommand)
ON_COMMAND(ID_FILE_COPY_SELECTION, OnCopySelectionToFile)
ON_COMMAND(ID_FILE_SEND_MAIL, SendByMail)
ON_COMMAND(ID_FILE_SEND_MAIL2, SendByMail)
ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL, OnUpdateSendByMail)
ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL2, OnUpdateSendByMail)
ON_COMMAND(ID_IMAGE_RESOLUTION, OnChangeResolution)
END_MESSAGE_MAP()

namespace {

const int kNewWidth = 400;
const int kNewHeight = 300;

} // namespace

CFramletDoc::CFramletDoc()
    : m_pImage(NULL), m_pImage2(NULL), m_nDpi(96),
      m_tracker(CRect(10, 10, 101, 101), CRectTracker::resizeOutside), m_nUndoPos(-1), m_nUndoLast(-1),
      m_pSelection(NULL) {
  m_tracker.m_nHandleSize = 5;
  m_tracker.m_rectImage = m_tracker.m_rect;
  ::SetRectEmpty(&m_rcImage);
  g_nCanvasMargin = 8;
}

CFramletDoc::~CFramletDoc() {
  delete m_pImage;
  delete m_pImage2;
  delete m_pSelection;
}

BOOL CFramletDoc::OnNewDocument() {
  if (!COleDocument::OnNewDocument())
    return FALSE;
  Gdiplus::Bitmap white(kNewWidth, kNewHeight, PixelFormat32bppARGB);
  HBITMAP hBitmap = NULL;
  {
    Gdiplus::Graphics graphics(&white);
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFFFFFFFF));
    graphics.FillRectangle(&brush, 0, 0, kNewWidth, kNewHeight);
  }
  if (white.GetHBITMAP(Gdiplus::Color(0xFFFFFFFF), &hBitmap) != Gdiplus::Ok || hBitmap == NULL)
    return FALSE;
  std::unique_ptr<CImageItem> pItem(new CImageItem);
  CBitmap picture;
  picture.Attach(hBitmap);
  pItem->AttachBitmap(&picture);
  picture.Detach(); // the item owns the handle now
  delete m_pImage;
  m_pImage = pItem.release();
  delete m_pImage2;
  m_pImage2 = NULL;
  PlacePicture(kNewWidth, kNewHeight);
  if (CFramletView* pView = GetFirstView()) {
    pView->ShowSizeStatus(kNewWidth, kNewHeight);
    pView->UpdateScrollSizes();
    pView->ShowZoomStatus(1.0f);
  }
  ResetUndoHistory();
  return PushUndo(m_pImage->GetBitmap(), FALSE);
}

BOOL CFramletDoc::TakeNewPicture(HBITMAP hBitmap) {
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
    return FALSE;
  std::unique_ptr<CImageItem> pItem(new CImageItem);
  CBitmap picture;
  picture.Attach(hBitmap);
  pItem->AttachBitmap(&picture);
  picture.Detach();
  // Keep the old picture and history until the new ones are in place.
  CImageItem* pOld = m_pImage;
  RECT rcOld = m_rcImage;
  UndoRecord oldHistory[kUndoRecords];
  for (int i = 0; i < kUndoRecords; i++)
    oldHistory[i] = std::move(m_undo[i]);
  const int nOldPos = m_nUndoPos, nOldLast = m_nUndoLast;
  m_pImage = pItem.release();
  SetResolutionFromView();
  PlacePicture(bm.bmWidth, bm.bmHeight);
  ResetUndoHistory();
  if (!PushUndo(m_pImage->GetBitmap(), FALSE)) {
    m_pImage->GetBitmap()->Detach(); // not taken: the caller still owns the handle
    delete m_pImage;
    m_pImage = pOld;
    for (int i = 0; i < kUndoRecords; i++)
      m_undo[i] = std::move(oldHistory[i]);
    m_nUndoPos = nOldPos;
    m_nUndoLast = nOldLast;
    PlacePicture(rcOld.right - rcOld.left, rcOld.bottom - rcOld.top);
    return FALSE;
  }
  delete pOld;
  delete m_pImage2;
  m_pImage2 = NULL;
  delete m_pSelection;
  m_pSelection = NULL;
  ShowNewPicture();
  UpdateAllViews(NULL);
  SetModifiedFlag(TRUE);
  return TRUE;
}

void CFramletDoc::PlacePicture(int cx, int cy) {
  const int m = g_nCanvasMargin;
  CRect rc(m, m, m + cx, m + cy);
  m_tracker.m_rect = rc;
  m_tracker.m_rectImage = rc;
  m_rcImage = rc;
  if (m_pImage != NULL)
    m_pImage->SetRect(rc.left, rc.top, rc.right, rc.bottom);
}

void CFramletDoc::SetImageRect(const RECT& rect) {
  m_rcImage = rect;
  m_tracker.m_rectImage = rect; // its frame on the screen follows at the next paint
}

void CFramletDoc::ShowNewPicture() {
  CFramletView* pView = GetFirstView();
  if (pView == NULL)
    return;
  CSize size = GetImageSize();
  pView->UpdateScrollSizes();
  pView->ShowSizeStatus(size.cx, size.cy);
  pView->ShowZoomStatus(1.0f);
  pView->m_selTracker.Reset();
}

CSize CFramletDoc::GetImageSize() const {
  return CSize(m_rcImage.right - m_rcImage.left, m_rcImage.bottom - m_rcImage.top);
}

void CFramletDoc::SetResolutionFromView() {
  if (CFramletView* pView = GetFirstView())
    m_nDpi = pView->GetScreenDpi();
}

CFramletView* CFramletDoc::GetFirstView() const {
  POSITION pos = GetFirstViewPosition();
  CView* pView = pos != NULL ? GetNextView(pos) : NULL;
  return pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CFramletView)) ? static_cast<CFramletView*>(pView)
                                                                       : NULL;
}

void CFramletDoc::ResetUndoHistory() {
  for (UndoRecord& record : m_undo)
    record.Free();
  m_nUndoPos = m_nUndoLast = -1;
}
