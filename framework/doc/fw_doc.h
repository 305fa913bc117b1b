// Documents and views: a document owns its data and knows its views; a view shows a document
// inside a frame and is the first to see the frame's commands.
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_string.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"

class CView;
class CDocTemplate;
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
  virtual BOOL SaveModified();
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  virtual void OnCloseDocument();
  virtual void DeleteContents();
  virtual void OnChangedViewList();
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
};

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
