#include "tests/unit/editor/editor_harness.h"

#include "imaging/PixelPlane.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstring>

// The drawing state the shell keeps, at its starting values.
CEditorAppState g_editorState;

void CEditorLabFrame::SelectTool(int nTool) {
  m_calls.push_back("SelectTool " + std::to_string(nTool));
  if (CEditorAppState* pState = CEditorAppState::Get())
    pState->m_nCurrentTool = nTool;
}

void CEditorLabFrame::ShowTaskMainPage() {
  m_calls.push_back("ShowTaskMainPage");
  m_nTaskPage = 0;
}

void CEditorLabFrame::OpenEffectPage(int nTaskId) {
  m_calls.push_back("OpenEffectPage " + std::to_string(nTaskId));
}

void CEditorLabFrame::OpenResizePage(int nMode, LPCSTR lpszTitle) {
  m_calls.push_back("OpenResizePage " + std::to_string(nMode) + " " + lpszTitle);
}

void CEditorLabFrame::OpenCaptionPage() { m_calls.push_back("OpenCaptionPage"); }

CString CEditorLabFrame::PromptOpenImage() {
  m_calls.push_back("PromptOpenImage");
  return m_strOpenImage;
}

BOOL CEditorLabFrame::AskImageResolution(int& nDpi) {
  m_calls.push_back("AskImageResolution " + std::to_string(nDpi));
  if (m_nResolutionAnswer == 0)
    return FALSE;
  nDpi = m_nResolutionAnswer;
  return TRUE;
}

CEditorHarness::CEditorHarness() {
  m_pFrame = static_cast<CEditorLabFrame*>(CreateLabFrame(new CEditorLabFrame));
  EXPECT_NE(nullptr, m_pFrame);
  m_pTemplate = new CMultiDocTemplate(IDR_IMAGE_TYPE, RUNTIME_CLASS(CFramletDoc), RUNTIME_CLASS(CMDIChildWnd),
                                      RUNTIME_CLASS(CFramletView));
  m_pDoc = NewDocument();
  EXPECT_NE(nullptr, m_pDoc);
}

CEditorHarness::~CEditorHarness() {
  DestroyLabFrame(m_pFrame); // takes the documents with their frames
  delete m_pTemplate;
}

CFramletDoc* CEditorHarness::NewDocument() {
  CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
  PumpPending();
  return pDoc != NULL ? static_cast<CFramletDoc*>(pDoc) : NULL;
}

CSize BitmapSizeOf(CBitmap* pBitmap) {
  BITMAP bm = {};
  pBitmap->GetBitmap(&bm);
  return CSize(bm.bmWidth, bm.bmHeight);
}

std::vector<DWORD> PicturePixels(CBitmap* pBitmap) {
  CSize size = BitmapSizeOf(pBitmap);
  std::vector<DWORD> pixels((size_t)size.cx * size.cy);
  ::GdiFlush();
  pBitmap->GetBitmapBits((DWORD)(pixels.size() * 4), pixels.data());
  return pixels;
}

void FillPicture(CFramletDoc* pDoc, const CRect& rect, COLORREF clr) {
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  CBitmap* pOld = dc.SelectObject(pDoc->m_pImage->GetBitmap());
  dc.FillSolidRect(&rect, clr);
  dc.SelectObject(pOld);
}

HBITMAP MakePictureBitmap(int cx, int cy, DWORD (*pixel)(int x, int y)) {
  CPixelPlane plane;
  HBITMAP hBitmap = CreatePlaneBitmap(cx, cy, &plane);
  for (int y = 0; hBitmap != NULL && y < cy; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < cx; x++)
      pRow[x] = pixel(x, y);
  }
  return hBitmap;
}
