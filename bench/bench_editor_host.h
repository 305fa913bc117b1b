// A full-screen host window holding one image document and its view, for the benchmarks of the
// image view; taken down in reverse when it goes.
#pragma once

#include "editor/EditorState.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/app/fw_app.h"

namespace bench {

class CEditorBenchHost {
public:
  CEditorBenchHost() {
    m_host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0,
                    ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), NULL, NULL);
    m_pDoc = new CFramletDoc;
    m_pDoc->m_bAutoDelete = FALSE;
    m_pView = new CFramletView;
    CRect rc;
    m_host.GetClientRect(&rc);
    m_pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rc, &m_host, AFX_IDW_PANE_FIRST);
    m_pDoc->AddView(m_pView);
    m_pDoc->OnNewDocument();
  }
  ~CEditorBenchHost() {
    m_pDoc->RemoveView(m_pView);
    m_host.DestroyWindow();
    delete m_pDoc;
  }
  CEditorBenchHost(const CEditorBenchHost&) = delete;
  CEditorBenchHost& operator=(const CEditorBenchHost&) = delete;

  CFramletDoc* Doc() const { return m_pDoc; }
  CFramletView* View() const { return m_pView; }
  CEditorAppState& State() { return m_state; }

private:
  class CBenchApp : public CWinApp {};
  CBenchApp m_app;
  CEditorAppState m_state;
  CWnd m_host;
  CFramletDoc* m_pDoc = NULL;
  CFramletView* m_pView = NULL; // owned by its window
};

} // namespace bench
