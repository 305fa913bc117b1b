// Sending a document by mail: what reaches the mail system (the logging stand-in mapi32.dll in the
// test prefix's system folder), the attachment's name and bytes, the life of the temporary copy, the
// messages for failures, and the command's state.
#include "tests/common/import_patch.h"
#include "tests/common/stand_ins.h"
#include "tests/unit/framework/doc/doc_support.h"
#include "tests/unit/framework/lab_frame_test.h"

#include <gtest/gtest.h>

#include <mapi.h>

#include <cstdio>
#include <map>
#include <tuple>

namespace {

// What the document stores: bytes a text conversion or a re-encoding would spoil.
const std::string kStored("\x89PNG\r\n\x1a\n\0\xff mail body", 20);

class CMailDoc : public CDocument {
  DECLARE_DYNCREATE(CMailDoc)
public:
  // Loading keeps nothing, so an opened file's bytes exist only on disk.
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar.Write(kStored.data(), static_cast<UINT>(kStored.size()));
  }
};
IMPLEMENT_DYNCREATE(CMailDoc, CDocument)

// One MAPISendMail call as the stand-in logged it: key=value fields.
using Call = std::map<std::string, std::string>;

std::vector<Call> ReadCalls(const std::string& path) {
  std::vector<Call> calls;
  std::istringstream lines(ReadAll(path));
  for (std::string line, field; std::getline(lines, line);) {
    std::istringstream fields(line);
    for (calls.emplace_back(); std::getline(fields, field, '\t');) {
      const size_t eq = field.find('=');
      calls.back()[field.substr(0, eq)] = eq == std::string::npos ? "" : field.substr(eq + 1);
    }
  }
  return calls;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes)
    hex += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
  return hex;
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : MessageBoxRecorder::Boxes())
    texts.push_back(box.first);
  return texts;
}

class SendMailTest : public LabFrameTest {
protected:
  void SetUp() override {
    ASSERT_EQ("", InstallMailStandIn());
    m_strLog = TempDir() + "pix_mapi.log";
    ::DeleteFileA(m_strLog.c_str());
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", m_strLog.c_str());
    ASSERT_NO_FATAL_FAILURE(LabFrameTest::SetUp());
    m_pTemplate = new CMultiDocTemplate(IDR_LAB_DOC, RUNTIME_CLASS(CMailDoc), RUNTIME_CLASS(CLabChild),
                                        RUNTIME_CLASS(CLabView));
  }
  void TearDown() override {
    LabFrameTest::TearDown(); // takes the documents with their frames
    delete m_pTemplate;
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", NULL);
    ::SetEnvironmentVariableA("PIX_MAPI_RESULT", NULL);
    ::DeleteFileA(m_strLog.c_str());
    if (!m_strFile.empty())
      ::DeleteFileA(m_strFile.c_str());
  }
  // Sends the document and answers the calls the mail system saw.
  std::vector<Call> Send(CDocument* pDoc) {
    pDoc->OnFileSendMail();
    std::vector<Call> calls = ReadCalls(m_strLog);
    ::DeleteFileA(m_strLog.c_str());
    return calls;
  }
  // The one call of a send that reached the mail system, checked for what every send passes.
  void SendOnce(CDocument* pDoc, Call& call) {
    std::vector<Call> calls = Send(pDoc);
    ASSERT_EQ(1u, calls.size()) << "is the stand-in mapi32.dll preferred (WINEDLLOVERRIDES=mapi32=n)?";
    call = calls[0];
    char szWnd[16];
    sprintf(szWnd, "0x%lx", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(m_pFrame->m_hWnd)));
    // Logon interface and send dialog, modal to the program's top window, which is disabled during
    // the call; no recipients, subject or text; one existing file where the mail system likes.
    std::vector<std::string> fields;
    for (const char* key : {"flags", "ui", "uiEnabled", "recipients", "subject", "text", "files",
                            "file0.position", "file0.exists"})
      fields.push_back(call[key]);
    EXPECT_EQ((std::vector<std::string>{"0x9", szWnd, "0", "0", "0", "0", "1", "4294967295", "1"}), fields);
    EXPECT_TRUE(m_pFrame->IsWindowEnabled()) << "enabled again after the call";
  }
  // Expects the attachment to have been a temporary copy of the document's stored bytes, gone now.
  void ExpectTemporaryCopy(Call& call) {
    std::string path = call["file0.path"];
    std::string dir = TempDir() + "afx";
    EXPECT_EQ(0, lstrcmpiA(dir.c_str(), path.substr(0, dir.size()).c_str())) << path;
    EXPECT_EQ(std::to_string(kStored.size()), call["file0.size"]);
    EXPECT_EQ(Hex(kStored), call["file0.head"]);
    EXPECT_EQ(0, CountFiles(path)) << "the temporary copy outlived the send";
  }
  CMailDoc* NewDocument() { return static_cast<CMailDoc*>(m_pTemplate->OpenDocumentFile(NULL)); }

  MessageBoxRecorder m_boxes;
  CMultiDocTemplate* m_pTemplate = NULL;
  std::string m_strLog;
  std::string m_strFile; // a document file the test made
};

const char kLabStrings[] = "\nLab\nLab\nLab files (*.lab)\n.lab";
const std::vector<std::string> kFailed = {"Failed to send mail message."};

// Whether the document is modified, the template's document strings (NULL: its resource's), what the
// mail system answers, the attachment's name and the messages shown.
using UntitledCase = std::tuple<BOOL, const char*, ULONG, const char*, std::vector<std::string>>;

class SendUntitledTest : public SendMailTest, public ::testing::WithParamInterface<UntitledCase> {};

// Saving the copy touches neither the modified flag nor the document's name; only real failures are
// told (the user's abort and a refused logon are the user's own doing), and the copy goes anyway.
TEST_P(SendUntitledTest, GoesAsATemporaryCopyNamedAfterTheTitle) {
  const auto& [bModified, pszDocStrings, nResult, pszAttachmentName, boxes] = GetParam();
  if (pszDocStrings != NULL)
    m_pTemplate->m_strDocStrings = pszDocStrings;
  ::SetEnvironmentVariableA("PIX_MAPI_RESULT", std::to_string(nResult).c_str());
  CMailDoc* pDoc = NewDocument();
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag(bModified);
  Call call;
  ASSERT_NO_FATAL_FAILURE(SendOnce(pDoc, call));
  EXPECT_EQ(pszAttachmentName, call["file0.name"]);
  ExpectTemporaryCopy(call);
  EXPECT_EQ(bModified, pDoc->IsModified());
  EXPECT_EQ("", std::string(pDoc->GetPathName()));
  EXPECT_EQ("Lab1", std::string(pDoc->GetTitle()));
  EXPECT_EQ(boxes, BoxTexts());
}

INSTANTIATE_TEST_SUITE_P(Cases, SendUntitledTest,
                         ::testing::Values(UntitledCase{FALSE, NULL, SUCCESS_SUCCESS, "Lab1", {}},
                                           UntitledCase{TRUE, kLabStrings, SUCCESS_SUCCESS, "Lab1.lab", {}},
                                           UntitledCase{FALSE, NULL, MAPI_USER_ABORT, "Lab1", {}},
                                           UntitledCase{FALSE, NULL, MAPI_E_LOGIN_FAILURE, "Lab1", {}},
                                           UntitledCase{TRUE, NULL, MAPI_E_FAILURE, "Lab1", kFailed}));

TEST_F(SendMailTest, SavedDocumentAttachesItsOwnFileUntilModified) {
  // Bytes the document would not store: only the file itself can hold them.
  const std::string onDisk("saved\0 on disk", 14);
  m_strFile = TempDir() + "pix mail report.bin";
  WriteAll(m_strFile, onDisk);
  m_pTemplate->m_strDocStrings = kLabStrings;
  CMailDoc* pDoc = static_cast<CMailDoc*>(m_pTemplate->OpenDocumentFile(m_strFile.c_str()));
  ASSERT_NE(nullptr, pDoc);
  ASSERT_FALSE(pDoc->IsModified());

  Call call;
  ASSERT_NO_FATAL_FAILURE(SendOnce(pDoc, call));
  EXPECT_EQ(std::string(pDoc->GetPathName()), call["file0.path"]);
  EXPECT_EQ("pix mail report.bin", call["file0.name"]) << "a title with an extension keeps it alone";
  EXPECT_EQ(Hex(onDisk), call["file0.head"]);
  EXPECT_EQ(onDisk, ReadAll(m_strFile)) << "the document's own file stays as it was";

  // Changed since it was saved: the copy goes, named after the file, and the file stays as it was.
  pDoc->SetModifiedFlag();
  ASSERT_NO_FATAL_FAILURE(SendOnce(pDoc, call));
  EXPECT_EQ("pix mail report.bin", call["file0.name"]);
  ExpectTemporaryCopy(call);
  EXPECT_EQ(onDisk, ReadAll(m_strFile));
  EXPECT_TRUE(pDoc->IsModified());
  EXPECT_TRUE(MessageBoxRecorder::Boxes().empty());
}

// Stand-ins for a system without a usable mail library; other callers are served as usual.
HMODULE WINAPI NoMailLibrary(LPCSTR lpszName) {
  return lstrcmpiA(lpszName, "MAPI32.DLL") == 0 ? NULL : ::LoadLibraryExA(lpszName, NULL, 0);
}
FARPROC g_pfnGetProcAddress = NULL;
FARPROC WINAPI NoSendMail(HMODULE hModule, LPCSTR lpszName) {
  if (HIWORD(reinterpret_cast<ULONG_PTR>(lpszName)) != 0 && lstrcmpA(lpszName, "MAPISendMail") == 0)
    return NULL;
  return reinterpret_cast<decltype(&NoSendMail)>(g_pfnGetProcAddress)(hModule, lpszName);
}

// The kernel32 function replaced, its stand-in and the message shown.
using LibraryCase = std::tuple<const char*, FARPROC, const char*>;

class UnusableMailTest : public SendMailTest, public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(UnusableMailTest, ShowsItsMessageAndNothingElse) {
  const auto& [pszFunction, pfnReplacement, pszMessage] = GetParam();
  CMailDoc* pDoc = NewDocument();
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag();
  int nCopies = CountFiles(TempDir() + "afx*.tmp");
  g_pfnGetProcAddress = ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetProcAddress");
  std::vector<Call> calls;
  {
    CImportPatch patch("kernel32.dll", pszFunction, pfnReplacement);
    ASSERT_TRUE(patch.Applied()) << pszFunction;
    calls = Send(pDoc);
  }
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(std::vector<std::string>{pszMessage}, BoxTexts());
  EXPECT_EQ(nCopies, CountFiles(TempDir() + "afx*.tmp"))
      << "no copy is made for a mail system that is not there";
  EXPECT_TRUE(pDoc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, UnusableMailTest,
    ::testing::Values(LibraryCase{"LoadLibraryA", reinterpret_cast<FARPROC>(&NoMailLibrary),
                                  "No mail system installed."},
                      LibraryCase{"GetProcAddress", reinterpret_cast<FARPROC>(&NoSendMail),
                                  "Mail system DLL is invalid."}));

// The prefix's win.ini declares a mail system and the library is beside the program: the menu
// item stays and is enabled.
TEST(SendMailUpdate, EnablesTheCommandWhenMailIsAvailable) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING | MF_GRAYED, ID_FILE_SEND_MAIL, "Sen&d...");
  CCmdUI state;
  state.m_nID = ID_FILE_SEND_MAIL;
  state.m_nIndex = 0;
  state.m_nIndexMax = 1;
  state.m_pMenu = &menu;
  CMailDoc doc;
  doc.OnUpdateFileSendMail(&state);
  EXPECT_EQ(1, menu.GetMenuItemCount());
  EXPECT_EQ(0u, menu.GetMenuState(ID_FILE_SEND_MAIL, MF_BYCOMMAND) & MF_GRAYED);
  menu.DestroyMenu();
}

} // namespace
