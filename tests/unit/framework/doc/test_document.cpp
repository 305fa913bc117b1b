// Documents through their template: the order of making document, frame and view, untitled
// names, opening and saving files (a failed save never replaces a good file), the question before
// closing, routing, dropped files and the shell's registration of the file type.
#include "tests/unit/framework/doc/doc_lab_res.h"
#include "tests/unit/framework/doc/doc_support.h"
#include "tests/unit/framework/lab_frame_test.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <tuple>

namespace {

CallLog g_log;

// A document whose contents are one string; it can be told to fail on the way.
class CTestDoc : public CDocument {
  DECLARE_DYNCREATE(CTestDoc)
public:
  CTestDoc() { g_log.Add("document"); }
  CString m_strPayload = "payload";
  inline static BOOL s_bFailNew = FALSE, s_bFailStoreHalfWay = FALSE;
  int m_nCommands = 0;

  BOOL OnNewDocument() override {
    // The frame and its view exist before the new document is made.
    POSITION pos = GetFirstViewPosition();
    g_log.Add(pos != NULL && GetNextView(pos)->m_hWnd != NULL ? "new: view ready" : "new: no view");
    return !s_bFailNew && CDocument::OnNewDocument();
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.Write(static_cast<LPCSTR>(m_strPayload), m_strPayload.GetLength());
      if (s_bFailStoreHalfWay) {
        ar.Flush();
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, NULL);
      }
      return;
    }
    // The document's own loading may open the file again while the framework holds it.
    FILE* f = std::fopen(ar.GetFile()->GetFilePath(), "rb");
    g_log.Add(f != NULL ? "load: file readable" : "load: file locked");
    if (f != NULL)
      std::fclose(f);
    char buf[64] = "";
    UINT n = ar.Read(buf, sizeof(buf) - 1);
    m_strPayload = CString(buf, n);
  }

protected:
  afx_msg void OnDocCommand() { ++m_nCommands; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(ID_TESTDOC_CMD, OnDocCommand)
END_MESSAGE_MAP()

class CTestView : public CView {
  DECLARE_DYNCREATE(CTestView)
public:
  CTestView() { g_log.Add("view"); }
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    g_log.Add("initial update");
    CView::OnInitialUpdate();
  }

protected:
  // The view enables the command the document handles.
  afx_msg void OnUpdateDocCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
ON_UPDATE_COMMAND_UI(ID_TESTDOC_CMD, OnUpdateDocCommand)
END_MESSAGE_MAP()

// Answers the framework's message boxes from a queue (IDNO when it runs dry) and records them.
std::deque<int> g_answers;
std::vector<std::string> g_boxes;
int AFXAPI AnswerBox(LPCSTR lpszText, UINT, UINT) {
  g_boxes.push_back(lpszText);
  int nAnswer = g_answers.empty() ? IDNO : g_answers.front();
  if (!g_answers.empty())
    g_answers.pop_front();
  return nAnswer;
}

class DocumentTest : public LabFrameTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(LabFrameTest::SetUp());
    m_pTemplate = new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CLabChild),
                                        RUNTIME_CLASS(CTestView));
    TheTestApp().AddDocTemplate(m_pTemplate);
    m_pfnOldHook = AfxSetMessageBoxHook(&AnswerBox);
    g_log.Clear();
    g_answers.clear();
    g_boxes.clear();
    m_dir = TempDir() + "fwdoc";
    ::CreateDirectoryA(m_dir.c_str(), NULL);
  }
  void TearDown() override {
    CTestDoc::s_bFailNew = CTestDoc::s_bFailStoreHalfWay = FALSE;
    g_answers.assign(10, IDNO); // close without saving
    TheTestApp().CloseAllDocuments(FALSE);
    LabFrameTest::TearDown();
    // The template goes with the document manager; a fresh one per test keeps the count at 0.
    delete TheTestApp().m_pDocManager;
    TheTestApp().m_pDocManager = NULL;
    AfxSetMessageBoxHook(m_pfnOldHook);
  }
  CTestDoc* NewDoc() { return static_cast<CTestDoc*>(m_pTemplate->OpenDocumentFile(NULL)); }
  std::string Path(const char* name) { return m_dir + "\\" + name; }

  CMultiDocTemplate* m_pTemplate = NULL;
  AFX_MSGBOX_HOOK m_pfnOldHook = NULL;
  std::string m_dir;
};

// A failing OnNewDocument takes frame and document down and leaves the untitled counter alone.
TEST_F(DocumentTest, NewDocumentsAreMadeInOrderNumberedAndTakeTheirCommands) {
  CTestDoc::s_bFailNew = TRUE;
  const int nWindows = AfxGetPermanentWndCount();
  EXPECT_EQ(nullptr, NewDoc());
  EXPECT_EQ(0, TheTestApp().GetOpenDocumentCount());
  EXPECT_EQ(nWindows, AfxGetPermanentWndCount());
  CTestDoc::s_bFailNew = FALSE;
  g_log.Clear();
  CTestDoc* pFirst = NewDoc();
  ASSERT_NE(nullptr, pFirst);
  EXPECT_EQ((std::vector<std::string>{"document", "view", "new: view ready", "initial update"}),
            g_log.entries);
  EXPECT_EQ("Image1", std::string(pFirst->GetTitle()));
  CTestDoc* pSecond = NewDoc();
  ASSERT_NE(nullptr, pSecond);
  EXPECT_EQ("Image2", std::string(pSecond->GetTitle()));
  EXPECT_EQ(2, TheTestApp().GetOpenDocumentCount());
  // The child shows the template's menu through the client; a command from it that the document
  // handles and the view enables reaches the active document.
  EXPECT_EQ(m_pTemplate->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));
  m_pFrame->PostMessage(WM_COMMAND, ID_TESTDOC_CMD);
  PumpPending();
  EXPECT_EQ((std::vector<int>{0, 1}), (std::vector<int>{pFirst->m_nCommands, pSecond->m_nCommands}));
}

TEST_F(DocumentTest, OpeningAFileReadsItWhileItCanBeReadAgainAndNamesTheDocument) {
  std::string path = Path("opened.tdc");
  WriteAll(path, "from disk");
  CTestDoc* pDoc = static_cast<CTestDoc*>(TheTestApp().OpenDocumentFile(path.c_str()));
  ASSERT_NE(nullptr, pDoc);
  EXPECT_TRUE(g_log.Contains("load: file readable"));
  EXPECT_EQ("from disk", std::string(pDoc->m_strPayload));
  EXPECT_EQ("opened.tdc", std::string(pDoc->GetTitle()));
  EXPECT_TRUE(AfxComparePath(path.c_str(), pDoc->GetPathName()));
  EXPECT_FALSE(pDoc->IsModified());
  // Asking for it again brings the open one forward.
  EXPECT_EQ(pDoc, TheTestApp().OpenDocumentFile(path.c_str()));
  EXPECT_EQ(1, TheTestApp().GetOpenDocumentCount());
  // A file that is not there: one message, no document.
  EXPECT_EQ(nullptr, TheTestApp().OpenDocumentFile(Path("missing.tdc").c_str()));
  EXPECT_EQ(1u, g_boxes.size());
  EXPECT_EQ(1, TheTestApp().GetOpenDocumentCount());
}

TEST_F(DocumentTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  std::string path = Path("saved.tdc");
  WriteAll(path, "old contents");
  int nFiles = CountFiles(m_dir + "\\*");
  CTestDoc* pDoc = NewDoc();
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag();
  // Failing half way through the write.
  CTestDoc::s_bFailStoreHalfWay = TRUE;
  EXPECT_FALSE(pDoc->DoSave(path.c_str()));
  EXPECT_EQ(1u, g_boxes.size());
  EXPECT_EQ("old contents", ReadAll(path));
  EXPECT_EQ(nFiles, CountFiles(m_dir + "\\*"));
  EXPECT_TRUE(pDoc->IsModified());
  EXPECT_EQ("Image1", std::string(pDoc->GetTitle()));
  // Failing to replace a file someone holds open.
  CTestDoc::s_bFailStoreHalfWay = FALSE;
  HANDLE hHeld = ::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
  EXPECT_FALSE(pDoc->DoSave(path.c_str()));
  ::CloseHandle(hHeld);
  EXPECT_EQ(2u, g_boxes.size());
  EXPECT_EQ("old contents", ReadAll(path));
  EXPECT_EQ(nFiles, CountFiles(m_dir + "\\*"));
  // And then it works.
  EXPECT_TRUE(pDoc->DoSave(path.c_str()));
  EXPECT_EQ("payload", ReadAll(path));
  EXPECT_FALSE(pDoc->IsModified());
  EXPECT_EQ("saved.tdc", std::string(pDoc->GetTitle()));
  EXPECT_EQ(nFiles, CountFiles(m_dir + "\\*"));
}

TEST_F(DocumentTest, SaveModifiedAsksAndAnswersForYesNoAndCancel) {
  std::string path = Path("asked.tdc");
  WriteAll(path, "untouched");
  CTestDoc* pDoc = NewDoc();
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetPathName(path.c_str(), FALSE);
  pDoc->SetModifiedFlag();
  // The answer, whether the save fails, what SaveModified answers and what the file holds then.
  const std::tuple<int, BOOL, BOOL, const char*> cases[] = {{IDCANCEL, FALSE, FALSE, "untouched"},
                                                            {IDNO, FALSE, TRUE, "untouched"},
                                                            {IDYES, TRUE, FALSE, "untouched"}, // stays open
                                                            {IDYES, FALSE, TRUE, "payload"}};
  for (auto [nAnswer, bFailSave, bExpected, file] : cases) {
    g_boxes.clear();
    g_answers.assign(1, nAnswer);
    CTestDoc::s_bFailStoreHalfWay = bFailSave;
    EXPECT_EQ(bExpected, pDoc->SaveModified()) << nAnswer;
    ASSERT_FALSE(g_boxes.empty());
    EXPECT_EQ("Save changes to asked.tdc?", g_boxes.front());
    EXPECT_EQ(file, ReadAll(path));
  }
  EXPECT_FALSE(pDoc->IsModified());
  g_boxes.clear();
  EXPECT_TRUE(pDoc->SaveModified()) << "nothing to ask";
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(DocumentTest, ClosingTheMainWindowAsksForEveryModifiedDocumentAndCancelKeepsThemAll) {
  CTestDoc* pFirst = NewDoc();
  CTestDoc* pSecond = NewDoc();
  ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
  pFirst->SetModifiedFlag();
  pSecond->SetModifiedFlag();
  g_answers = {IDNO, IDCANCEL};
  m_pFrame->SendMessage(WM_CLOSE);
  EXPECT_EQ(2u, g_boxes.size());
  EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
  EXPECT_EQ(2, TheTestApp().GetOpenDocumentCount());
}

TEST_F(DocumentTest, DroppedFilesOpenOneDocumentEach) {
  std::vector<std::string> files = {Path("drop1.tdc"), Path("drop2.tdc")};
  std::string list;
  for (const std::string& f : files) {
    WriteAll(f, "dropped");
    list += f + '\0';
  }
  list += '\0';
  // The drop block the shell hands over: DROPFILES, then the names.
  HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  DROPFILES* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
  pDrop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(hDrop);
  m_pFrame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop));
  EXPECT_EQ(2, TheTestApp().GetOpenDocumentCount());
}

TEST_F(DocumentTest, ShellRegistrationWritesTheTypeTheExtensionAndTheOpenCommand) {
  TheTestApp().RegisterShellFileTypes(FALSE);
  auto value = [](const char* key) {
    char sz[512] = "";
    LONG cb = sizeof(sz);
    return ::RegQueryValueA(HKEY_CLASSES_ROOT, key, sz, &cb) == ERROR_SUCCESS ? std::string(sz)
                                                                              : std::string("-");
  };
  EXPECT_EQ("Pix Test Document", value("Pix.TestDoc"));
  EXPECT_EQ("Pix.TestDoc", value(".tdc"));
  std::string open = value("Pix.TestDoc\\shell\\open\\command");
  EXPECT_NE(std::string::npos, open.find("fw_doc_tests.exe\" \"%1\"")) << open;
  EXPECT_EQ("-", value("Pix.TestDoc\\shell\\print\\command"));
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".tdc");
  for (const char* key : {"Pix.TestDoc\\shell\\open\\command", "Pix.TestDoc\\shell\\open",
                          "Pix.TestDoc\\shell", "Pix.TestDoc\\DefaultIcon", "Pix.TestDoc"})
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
}

} // namespace
