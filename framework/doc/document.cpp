// CDocument: the title, the list of views and the frames they sit in, and closing.
#include "framework/doc/fw_doc.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE) {}

CDocument::~CDocument() {
  // Views outliving the document must not call back into it.
  for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    GetNextView(pos)->m_pDocument = NULL;
  if (m_pDocTemplate != NULL)
    m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::AddView(CView* pView) {
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (pos == NULL)
    return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = NULL;
  OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
  return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION pos = GetFirstViewPosition(); pos != NULL;) {
    CView* pView = GetNextView(pos);
    if (pView != pSender)
      pView->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::OnChangedViewList() {
  // The last view gone takes an auto-deleting document with it.
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
  // Number the distinct frames of the visible views in view order: 1..n, or 0 for a single one.
  std::vector<CFrameWnd*> frames;
  for (POSITION pos = GetFirstViewPosition(); pos != NULL;) {
    CView* pView = GetNextView(pos);
    CFrameWnd* pFrame = pView->IsWindowVisible() ? pView->GetParentFrame() : NULL;
    if (pFrame != NULL && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
      frames.push_back(pFrame);
  }
  for (size_t i = 0; i < frames.size(); i++) {
    frames[i]->m_nWindow = frames.size() == 1 ? 0 : static_cast<int>(i) + 1;
    frames[i]->OnUpdateFrameTitle(TRUE);
  }
}

HMENU CDocument::GetDefaultMenu() { return NULL; }

HACCEL CDocument::GetDefaultAccelerator() { return NULL; }

BOOL CDocument::CanCloseFrame(CFrameWnd*) {
  // Another frame shows the document too: this one may simply go.
  for (POSITION pos = GetFirstViewPosition(); pos != NULL;) {
    CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
    if (pFrame != NULL && pFrame->m_nWindow > 0)
      return TRUE;
  }
  return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::OnCloseDocument() {
  // Closing the frames must not delete the document half way.
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* pView = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL) {
      PreCloseFrame(pFrame);
      pFrame->DestroyWindow(); // destroys the view, which leaves the list
    } else {
      pView->DestroyWindow();
    }
    if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
      RemoveView(pView); // a view whose window would not go
  }
  m_bAutoDelete = bAutoDelete;
  DeleteContents();
  if (m_bAutoDelete)
    delete this;
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
