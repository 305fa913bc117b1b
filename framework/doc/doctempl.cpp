// Document templates: the strings of a kind of document, and opening one as document, frame and
// view in the order the program's documents rely on.
#include "framework/doc/fw_doc.h"

#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "framework/res/fw_res.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CObject* COleDocument::GetInPlaceActiveItem(CWnd*) { return NULL; }

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty())
    m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* pObject = m_pDocClass != NULL ? m_pDocClass->CreateObject() : NULL;
  if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete pObject;
    return NULL;
  }
  CDocument* pDocument = static_cast<CDocument*>(pObject);
  AddDocument(pDocument);
  return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* pObject = m_pFrameClass != NULL ? m_pFrameClass->CreateObject() : NULL;
  if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete pObject;
    return NULL;
  }
  CFrameWnd* pFrame = static_cast<CFrameWnd*>(pObject);
  // A frame that fails to load has deleted itself.
  return pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context) ? pFrame
                                                                                                : NULL;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = NULL; }

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = NULL;
  for (POSITION pos = GetFirstDocPosition(); pos != NULL;) {
    CDocument* pDoc = GetNextDoc(pos);
    if (AfxComparePath(pDoc->GetPathName(), lpszPathName)) {
      rpDocMatch = pDoc;
      return yesAlreadyOpen;
    }
  }
  CString strExt;
  LPCSTR lpszDot = strrchr(lpszPathName, '.');
  if (GetDocString(strExt, filterExt) && !strExt.IsEmpty() && lpszDot != NULL &&
      lstrcmpiA(lpszDot, strExt) == 0)
    return yesAttemptNative;
  return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos != NULL;) {
    if (!GetNextDoc(pos)->SaveModified())
      return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  // Closing removes the document from the list.
  for (POSITION pos = GetFirstDocPosition(); pos != NULL; pos = GetFirstDocPosition()) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
    if (GetFirstDocPosition() != NULL && GetNextDoc(pos = GetFirstDocPosition()) == pDoc)
      RemoveDocument(pDoc); // a document that does not delete itself
  }
}

// ---------------------------------------------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL), m_hAccelTable(NULL),
      m_nUntitledCount(0) {
  LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
  // The template owns the menu its child frames share.
  if (m_hMenuShared != NULL)
    ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  if (m_nIDResource == 0 || m_hMenuShared != NULL)
    return;
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(m_nIDResource), RT_MENU);
  m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(m_nIDResource));
  m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(m_nIDResource));
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const {
  return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  POSITION pos = m_docList.Find(pDoc);
  if (pos != NULL)
    m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString strDocName;
  if (GetDocString(strDocName, docName) && !strDocName.IsEmpty()) {
    CString strNumber;
    strNumber.Format("%u", m_nUntitledCount + 1);
    strDocName += strNumber;
  } else if (!strDocName.LoadString(AFX_IDS_UNTITLED)) {
    strDocName = "Untitled";
  }
  pDocument->SetTitle(strDocName);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDocument = CreateNewDocument();
  if (pDocument == NULL) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return NULL;
  }
  // The document must survive the frame's making even when the frame fails half way.
  BOOL bAutoDelete = pDocument->m_bAutoDelete;
  pDocument->m_bAutoDelete = FALSE;
  CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
  pDocument->m_bAutoDelete = bAutoDelete;
  if (pFrame == NULL) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    RemoveDocument(pDocument);
    delete pDocument;
    return NULL;
  }
  if (lpszPathName == NULL) {
    // The title comes before OnNewDocument, the count after it succeeded.
    SetDefaultTitle(pDocument);
    if (!bMakeVisible)
      pDocument->m_bEmbedded = TRUE;
    if (!pDocument->OnNewDocument()) {
      pFrame->DestroyWindow(); // takes the view, and with it the document
      return NULL;
    }
    m_nUntitledCount++;
  } else {
    CWaitCursor wait;
    if (!pDocument->OnOpenDocument(lpszPathName)) {
      pFrame->DestroyWindow();
      return NULL;
    }
    pDocument->SetPathName(lpszPathName);
  }
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}
