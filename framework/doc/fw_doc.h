// Documents and views: a document owns its data and knows its views; a view shows a document
// inside a frame and is the first to see the frame's commands.
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_string.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"

class CView;
class CDocTemplate;
class CFile;
class CFileException;
class CArchive;
struct CPrintInfo;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
public:
  CDocument();
  ~CDocument() override;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate;
  CPtrList m_viewList;
  BOOL m_bModified;
  BOOL m_bAutoDelete; // delete the document when its last view goes
  BOOL m_bEmbedded;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  void AddView(CView* pView);
  void RemoveView(CView* pView);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& rPosition) const;
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = NULL);
  // Numbers the frames of the document's views (0 alone, else 1..n) and retitles them.
  virtual void UpdateFrameCounts();

  virtual HMENU GetDefaultMenu();
  virtual HACCEL GetDefaultAccelerator();
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  // Asks "Save changes to ...?" for a modified document: Yes saves (FALSE when that fails or is
  // cancelled), No goes on, Cancel answers FALSE.
  virtual BOOL SaveModified();
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  virtual void OnCloseDocument();
  virtual void DeleteContents();
  virtual void OnChangedViewList();
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Files. Opening shares the file for reading, so the document's own loading may open it again.
  // Saving writes a temporary file beside the target and moves it over the target only when
  // everything was written: a failed save leaves the old file as it was.
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
  // Full path; the title becomes the file name; the path joins the recent-file list.
  virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
  // Saves under lpszPathName, or under a name asked for when it is NULL; with bReplace the
  // document takes the new name.
  virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual CFile* GetFile(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
  virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
  BOOL IsEmbedded() const { return m_bEmbedded; }

  // Mail: the document as an attachment of a new message through the system's mail interface.
  virtual void OnFileSendMail();
  virtual void OnUpdateFileSendMail(CCmdUI* pCmdUI);

  afx_msg void OnFileClose();
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();

protected:
  DECLARE_MESSAGE_MAP()
};

// The document base of documents that could hold embedded items; this program has none.
class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)
public:
  virtual CObject* GetInPlaceActiveItem(CWnd* pWnd);
};

// Describes one kind of document: its strings, document class, frame class and view class.
class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
public:
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName
  };
  enum Confidence {
    noAttempt,
    maybeAttemptForeign,
    maybeAttemptNative,
    yesAttemptForeign,
    yesAttemptNative,
    yesAlreadyOpen
  };

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings; // "title\ndocName\nfileNewName\nfilterName\nfilterExt\nregId\nregName"

  ~CDocTemplate() override;

  virtual void LoadTemplate();
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);

protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
               CRuntimeClass* pViewClass);
};

// The template of documents shown in MDI child frames, which share the template's menu.
class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                    CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;

  HMENU m_hMenuShared;
  HACCEL m_hAccelTable;
  CPtrList m_docList;
  UINT m_nUntitledCount; // untitled documents made so far: the next is docName + (count + 1)

  void LoadTemplate() override;
  // The document is made, then its frame and view, then it is new (untitled) or read from the file;
  // a failure takes frame and document down again and answers NULL.
  CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;
  POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
};

// The application's templates, and the File New, Open and shell registration behind them.
class CDocManager : public CObject {
  DECLARE_DYNAMIC(CDocManager)
public:
  CDocManager() = default;
  ~CDocManager() override;

  CPtrList m_templateList;

  virtual void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual void RegisterShellFileTypes(BOOL bCompat);
  // An open document with this path is activated and answered; otherwise the best template opens it.
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual int GetOpenDocumentCount();
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);
  virtual void OnFileNew();
  virtual void OnFileOpen();
};

class CPreviewView;
struct CPrintPreviewState;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
public:
  CView();
  ~CView() override;

  CDocument* m_pDocument;

  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
  virtual BOOL IsSelected(const CObject* pDocItem) const;

  // Printing and print preview (framework/print/). The base OnPrepareDC lets printing go on while
  // the last page is known or for page 1 only; the base OnPreparePrinting prepares with the
  // standard dialog, the base OnPrint draws with OnDraw, and the base OnEndPrintPreview ends the
  // printing the preview began.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
  // Gets the printer DC into pInfo->m_pPD: without a dialog for preview and direct printing
  // (the default printer), else through the print dialog. FALSE when there is none or the user
  // cancelled.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  // Puts the main frame into print preview of pPrintView, with the preview bar from template
  // nIDResource. Answering TRUE it has taken pState, also when the view declined to prepare.
  BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                      CPrintPreviewState* pState);
  // ID_FILE_PRINT shows the print dialog, ID_FILE_PRINT_DIRECT (the command being handled) does not.
  afx_msg void OnFilePrint();
  afx_msg void OnFilePrintPreview();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  friend class CDocument;
};
