// The image document's files and mail: the Save As dialog and its naming, the formats and
// resolutions written, saves that fail without touching the old file, the question before
// closing, opening sound and broken pictures, mailing through the logging stand-in mapi32.dll
// and the resolution command.
#include "imaging/ImageFile.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/unit/editor/editor_harness.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <fstream>
#include <map>
#include <sstream>

extern int g_nSaveFilterIndex;

namespace {

const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);
const std::string kJpegStart("\xff\xd8\xff", 3);
const std::string kBmpStart("BM"), kGifStart("GIF8"), kTiffStart("II*\0", 4);

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

DWORD BigEndian(const std::string& bytes, size_t at) {
  DWORD n = 0;
  for (size_t i = at; i < at + 4 && i < bytes.size(); i++)
    n = n << 8 | (BYTE)bytes[i];
  return n;
}

// The horizontal pixels per metre of a PNG's pHYs chunk; 0 when it has none.
DWORD PngPixelsPerMetre(const std::string& png) {
  size_t at = png.find("pHYs");
  return at == std::string::npos ? 0 : BigEndian(png, at + 4);
}

// The pictures the build made (tests/data/make_test_images.sh), beside the program's folder.
std::string TestImage(const std::string& name) {
  char sz[MAX_PATH];
  ::GetModuleFileNameA(NULL, sz, MAX_PATH);
  std::string path(sz);
  path.resize(path.rfind('\\'));
  path.resize(path.rfind('\\'));
  return path + "\\testdata\\images\\" + name;
}

// A folder of the test's own, removed with its files.
class CScratchFolder {
public:
  CScratchFolder() {
    char sz[MAX_PATH];
    ::GetTempPathA(MAX_PATH, sz);
    m_path = std::string(sz) + "pix_docfiles_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(m_path.c_str(), NULL);
  }
  ~CScratchFolder() {
    for (const std::string& name : Files())
      ::DeleteFileA((m_path + name).c_str());
    ::RemoveDirectoryA(m_path.c_str());
  }
  std::string operator+(const std::string& name) const { return m_path + name; }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA((m_path + "*").c_str(), &fd);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &fd))
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        names.push_back(fd.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
      ::FindClose(hFind);
    return names;
  }

private:
  std::string m_path;
};

// Another program's hold on a file, sharing nothing, while it lives (when asked for).
class CFileLock {
public:
  CFileLock(const std::string& path, bool bLock)
      : m_hFile(bLock ? ::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)
                      : INVALID_HANDLE_VALUE) {}
  ~CFileLock() {
    if (m_hFile != INVALID_HANDLE_VALUE)
      ::CloseHandle(m_hFile);
  }
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;

private:
  HANDLE m_hFile;
};

// Answers the next file dialog of the thread from a thread timer as a user would: picks the
// filter (1-based; 0 leaves it), types the name and presses Save; an empty name presses Cancel.
// It notes the filter the dialog opened with.
class CSaveDialogAnswer {
public:
  CSaveDialogAnswer(int nFilter, const std::string& name) : m_nFilter(nFilter), m_name(name) {
    s_pActive = this;
    m_nTimer = ::SetTimer(NULL, 0, 10, TimerProc);
  }
  ~CSaveDialogAnswer() {
    ::KillTimer(NULL, m_nTimer);
    s_pActive = NULL;
  }
  int m_nShownFilter = 0; // 0 until the dialog was seen

private:
  static BOOL CALLBACK FindShownDialog(HWND hWnd, LPARAM lParam) {
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd))
      return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
  }
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    CSaveDialogAnswer* pThis = s_pActive;
    HWND hDlg = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&hDlg));
    HWND hType = hDlg != NULL ? ::GetDlgItem(hDlg, cmb1) : NULL;
    HWND hName = hDlg != NULL ? ::GetDlgItem(hDlg, cmb13) : NULL;
    if (pThis == NULL || pThis->m_bDone || hType == NULL || hName == NULL)
      return;
    pThis->m_bDone = true;
    pThis->m_nShownFilter = (int)::SendMessageA(hType, CB_GETCURSEL, 0, 0) + 1;
    if (pThis->m_nFilter > 0) {
      ::SendMessageA(hType, CB_SETCURSEL, pThis->m_nFilter - 1, 0);
      // What the combo box tells its dialog when the user picks an entry.
      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hType));
      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(hType));
    }
    ::SetWindowTextA(hName, pThis->m_name.c_str());
    int nButton = pThis->m_name.empty() ? IDCANCEL : IDOK;
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nButton));
  }
  static CSaveDialogAnswer* s_pActive;

  int m_nFilter;
  std::string m_name;
  UINT_PTR m_nTimer = 0;
  bool m_bDone = false;
};
CSaveDialogAnswer* CSaveDialogAnswer::s_pActive = NULL;

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : MessageBoxRecorder::Boxes())
    texts.push_back(box.first);
  return texts;
}

const std::vector<std::string> kSaveFailed{"Save failed!"};

class DocFilesTest : public ::testing::Test {
protected:
  CFramletDoc* Doc() { return m_harness.Doc(); }
  // Sends a command to the document's frame, as its menu would.
  void Command(UINT nID) { m_harness.View()->GetParentFrame()->SendMessage(WM_COMMAND, nID); }

  MessageBoxRecorder m_boxes;
  CEditorHarness m_harness;
  CScratchFolder m_folder;
};

// --- Save As: names and formats --------------------------------------------------------------

struct NameCase {
  int nFilter;
  const char* pszTyped;
  const char* pszWritten;
  const std::string* pMagic;
};
std::ostream& operator<<(std::ostream& os, const NameCase& c) { return os << c.pszTyped; }

class SaveAsNameTest : public DocFilesTest, public ::testing::WithParamInterface<NameCase> {};

// A typed known extension wins over the chosen filter; any other name gets the filter's.
TEST_P(SaveAsNameTest, WritesTheFormatOfTheCompletedName) {
  const NameCase& c = GetParam();
  Doc()->SetModifiedFlag();
  {
    CSaveDialogAnswer answer(c.nFilter, m_folder + c.pszTyped);
    Command(ID_FILE_SAVE_AS);
  }
  std::string written = m_folder + c.pszWritten;
  EXPECT_EQ(std::vector<std::string>{c.pszWritten}, m_folder.Files());
  EXPECT_EQ(*c.pMagic, ReadBytes(written).substr(0, c.pMagic->size()));
  EXPECT_STREQ(written.c_str(), Doc()->m_strPath);
  EXPECT_STREQ(c.pszWritten, Doc()->GetTitle());
  EXPECT_FALSE(Doc()->IsModified());
  EXPECT_EQ(c.nFilter, g_nSaveFilterIndex);
  EXPECT_TRUE(BoxTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsNameTest,
                         ::testing::Values(NameCase{2, "shot", "shot.jpg", &kJpegStart},
                                           NameCase{2, "shot.png", "shot.png", &kPngSignature},
                                           NameCase{2, "shot.jpeg", "shot.jpeg.jpg", &kJpegStart},
                                           NameCase{3, "shot.GIF", "shot.GIF", &kGifStart},
                                           NameCase{4, "shot", "shot.gif", &kGifStart},
                                           NameCase{5, "shot.v2", "shot.v2.tif", &kTiffStart},
                                           NameCase{1, "shot.bmp", "shot.bmp", &kBmpStart}));

TEST(EncoderLookup, FindsEncodersByTheirExactMimeType) {
  CLSID png = {}, jpeg = {}, none = {};
  EXPECT_GE(GetEncoderClsid(L"image/png", &png), 0);
  EXPECT_GE(GetEncoderClsid(L"image/jpeg", &jpeg), 0);
  EXPECT_NE(png, jpeg);
  EXPECT_EQ(-1, GetEncoderClsid(L"image/PNG", &none));
  EXPECT_EQ(-1, GetEncoderClsid(L"image/jpg", &none));
}

TEST_F(DocFilesTest, SaveAsOpensWithTheLastFilterAndCancelForgetsThePath) {
  {
    CSaveDialogAnswer answer(3, m_folder + "first");
    Command(ID_FILE_SAVE_AS);
  }
  EXPECT_EQ("BM", ReadBytes(m_folder + "first.bmp").substr(0, 2));
  CSaveDialogAnswer answer(0, "");
  EXPECT_FALSE(Doc()->OnFileSaveAs());
  EXPECT_EQ(3, answer.m_nShownFilter) << "the second dialog shows the filter chosen the first time";
  EXPECT_TRUE(Doc()->m_strPath.IsEmpty()) << "so the next Save asks again";
  EXPECT_STREQ("first.bmp", Doc()->GetTitle());
}

// --- Resolution written -----------------------------------------------------------------------

struct DpiCase {
  int nDpi;
  DWORD nPixelsPerMetre;
  int nDpiAfter;
};
std::ostream& operator<<(std::ostream& os, const DpiCase& c) { return os << c.nDpi << " dpi"; }

class SaveDpiTest : public DocFilesTest, public ::testing::WithParamInterface<DpiCase> {};

TEST_P(SaveDpiTest, WritesTheResolutionBroughtIntoRange) {
  const DpiCase& c = GetParam();
  Doc()->m_strPath = (m_folder + "dpi.png").c_str();
  Doc()->m_nDpi = c.nDpi;
  Command(ID_FILE_SAVE);
  EXPECT_EQ(c.nPixelsPerMetre, PngPixelsPerMetre(ReadBytes(m_folder + "dpi.png")));
  EXPECT_EQ(c.nDpiAfter, Doc()->m_nDpi);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, SaveDpiTest,
                         ::testing::Values(DpiCase{72, 2835, 72}, DpiCase{300, 11811, 300},
                                           DpiCase{0, 3780, 96}, DpiCase{40000, 1259803, 31999}));

// --- Saves that fail ------------------------------------------------------------------------

// Stand-ins for platform failures the desktop will not give on demand.
std::string g_strDeniedFolder;
HANDLE WINAPI DenyNewFilesInFolder(LPCSTR lpszName, DWORD dwAccess, DWORD dwShare, LPSECURITY_ATTRIBUTES pSec,
                                   DWORD dwCreation, DWORD dwFlags, HANDLE hTemplate) {
  if (dwCreation != OPEN_EXISTING && std::string(lpszName).find(g_strDeniedFolder) == 0) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return ::CreateFileW(std::wstring(lpszName, lpszName + lstrlenA(lpszName)).c_str(), dwAccess, dwShare, pSec,
                       dwCreation, dwFlags, hTemplate);
}
int g_nEncoderWrites = 0;
// An encoder that gets part of the way: the file holds a few bytes, then the write fails.
Gdiplus::GpStatus WINAPI FailPartWay(Gdiplus::GpImage*, const WCHAR* pszFile, const CLSID*,
                                     const Gdiplus::EncoderParameters*) {
  ++g_nEncoderWrites;
  HANDLE hFile = ::CreateFileW(pszFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD nWritten = 0;
  ::WriteFile(hFile, "\x89PNG", 4, &nWritten, NULL);
  ::CloseHandle(hFile);
  return Gdiplus::Win32Error;
}
Gdiplus::GpStatus WINAPI CountWrites(Gdiplus::GpImage*, const WCHAR*, const CLSID*,
                                     const Gdiplus::EncoderParameters*) {
  ++g_nEncoderWrites;
  return Gdiplus::Win32Error;
}
Gdiplus::GpStatus WINAPI NoEncoders(UINT* pnCount, UINT* pnBytes) {
  *pnCount = *pnBytes = 0;
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINAPI NoRecording(const WCHAR*, HDC, Gdiplus::EmfType, const Gdiplus::GpRectF*,
                                     Gdiplus::MetafileFrameUnit, const WCHAR*, Gdiplus::GpMetafile**) {
  return Gdiplus::GenericError;
}
Gdiplus::GpStatus WINAPI NoMemoryRecording(HDC, Gdiplus::EmfType, const Gdiplus::GpRectF*,
                                           Gdiplus::MetafileFrameUnit, const WCHAR*, Gdiplus::GpMetafile**) {
  return Gdiplus::GenericError;
}
HDC WINAPI NoEnhMetaFileA(HDC, LPCSTR, const RECT*, LPCSTR) { return NULL; }
HDC WINAPI NoEnhMetaFileW(HDC, LPCWSTR, const RECT*, LPCWSTR) { return NULL; }

struct Patch {
  const char* pszDll;
  const char* pszFunction;
  FARPROC pfn;
};
struct FailureCase {
  const char* pszName;
  const char* pszFile;
  std::vector<Patch> patches;
  bool bLockTarget;
  int nEncoderWrites; // -1: not counted
};
std::ostream& operator<<(std::ostream& os, const FailureCase& c) { return os << c.pszName; }

class SaveFailureTest : public DocFilesTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SaveFailureTest, SaysSoAndLeavesTheOldFileAsItWas) {
  const FailureCase& c = GetParam();
  const std::string target = m_folder + c.pszFile, old = "the old good file";
  WriteBytes(target, old);
  Doc()->m_strPath = target.c_str();
  Doc()->SetModifiedFlag();
  g_strDeniedFolder = m_folder + "";
  g_nEncoderWrites = 0;
  {
    CFileLock lock(target, c.bLockTarget);
    std::vector<std::unique_ptr<CImportPatch>> patches;
    for (const Patch& p : c.patches)
      patches.emplace_back(new CImportPatch(p.pszDll, p.pszFunction, p.pfn));
    Command(ID_FILE_SAVE);
  }
  EXPECT_EQ(kSaveFailed, BoxTexts());
  EXPECT_EQ(old, ReadBytes(target));
  EXPECT_EQ(std::vector<std::string>{c.pszFile}, m_folder.Files()) << "nothing left behind";
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_STREQ(target.c_str(), Doc()->m_strPath);
  if (c.nEncoderWrites >= 0)
    EXPECT_EQ(c.nEncoderWrites, g_nEncoderWrites);
}

const FARPROC kDeny = reinterpret_cast<FARPROC>(&DenyNewFilesInFolder);
const FARPROC kPartWay = reinterpret_cast<FARPROC>(&FailPartWay);
const FARPROC kCount = reinterpret_cast<FARPROC>(&CountWrites);
const FARPROC kNoEncoders = reinterpret_cast<FARPROC>(&NoEncoders);
INSTANTIATE_TEST_SUITE_P(
    Failures, SaveFailureTest,
    ::testing::Values(
        FailureCase{"ReadOnlyFolder", "a.png", {{"kernel32.dll", "CreateFileA", kDeny}}, false, -1},
        FailureCase{"LockedFile", "b.png", {}, true, -1},
        FailureCase{
            "EncoderFailsPartWay", "c.png", {{"gdiplus.dll", "GdipSaveImageToFile", kPartWay}}, false, 1},
        FailureCase{"NoEncoder",
                    "d.gif",
                    {{"gdiplus.dll", "GdipGetImageEncodersSize", kNoEncoders},
                     {"gdiplus.dll", "GdipSaveImageToFile", kCount}},
                    false,
                    0},
        // Whichever way the view records a metafile, it cannot.
        FailureCase{"Metafile",
                    "e.emf",
                    {{"gdiplus.dll", "GdipRecordMetafileFileName", reinterpret_cast<FARPROC>(&NoRecording)},
                     {"gdiplus.dll", "GdipRecordMetafile", reinterpret_cast<FARPROC>(&NoMemoryRecording)},
                     {"gdi32.dll", "CreateEnhMetaFileA", reinterpret_cast<FARPROC>(&NoEnhMetaFileA)},
                     {"gdi32.dll", "CreateEnhMetaFileW", reinterpret_cast<FARPROC>(&NoEnhMetaFileW)}},
                    false,
                    -1}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.pszName); });

// --- Save changes on close ----------------------------------------------------------------------

struct CloseCase {
  const char* pszName;
  int nAnswer;
  const char* pszPath; // the document's save path, in the scratch folder; NULL: none
  bool bLocked;        // the file is locked, so the save fails
  BOOL bCloses;
  std::vector<std::string> boxes; // after "Save changes to file?"
};
std::ostream& operator<<(std::ostream& os, const CloseCase& c) { return os << c.pszName; }

class SaveModifiedTest : public DocFilesTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(SaveModifiedTest, ClosesOnlyWhenNothingIsLost) {
  const CloseCase& c = GetParam();
  std::string path = c.pszPath != NULL ? m_folder + c.pszPath : "";
  if (!path.empty())
    WriteBytes(path, "old");
  Doc()->m_strPath = path.c_str();
  Doc()->SetModifiedFlag();
  MessageBoxRecorder::s_nAnswer = c.nAnswer;
  CSaveDialogAnswer cancel(0, "");
  {
    CFileLock lock(path, c.bLocked);
    EXPECT_EQ(c.bCloses, Doc()->SaveModified());
  }
  std::vector<std::string> boxes{"Save changes to file?"};
  boxes.insert(boxes.end(), c.boxes.begin(), c.boxes.end());
  EXPECT_EQ(boxes, BoxTexts());
  EXPECT_EQ(UINT(MB_YESNOCANCEL | MB_ICONINFORMATION), MessageBoxRecorder::Boxes()[0].second);
  bool bSaved = c.nAnswer == IDYES && c.bCloses;
  EXPECT_EQ(!bSaved, (bool)Doc()->IsModified());
  if (!path.empty())
    EXPECT_EQ(bSaved, ReadBytes(path) != "old");
  EXPECT_EQ(c.pszPath == NULL && c.nAnswer == IDYES, cancel.m_nShownFilter != 0) << "Save As was asked";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SaveModifiedTest,
    ::testing::Values(CloseCase{"YesSaves", IDYES, "s.png", false, TRUE, {}},
                      CloseCase{"YesButTheSaveFails", IDYES, "s.png", true, FALSE, kSaveFailed},
                      CloseCase{"YesButSaveAsIsCancelled", IDYES, NULL, false, FALSE, {}},
                      CloseCase{"No", IDNO, "s.png", false, TRUE, {}},
                      CloseCase{"Cancel", IDCANCEL, "s.png", false, FALSE, {}}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.pszName); });

TEST_F(DocFilesTest, AnUnmodifiedDocumentClosesWithoutAsking) {
  Doc()->SetModifiedFlag(FALSE);
  EXPECT_TRUE(Doc()->SaveModified());
  EXPECT_TRUE(BoxTexts().empty());
}

// --- Copy Selection to File ---------------------------------------------------------------------

TEST_F(DocFilesTest, CopySelectionWritesThePieceAndLeavesTheDocumentAlone) {
  auto* pPiece = new Gdiplus::Bitmap(30, 20, PixelFormat32bppARGB);
  Gdiplus::Graphics(pPiece).Clear(Gdiplus::Color(0xFF00C000));
  Doc()->m_pSelection = new CZoomTracker(pPiece, 20, 20, 50, 40, 1.0f);
  m_harness.View()->m_selTracker.m_rect.SetRect(20, 20, 50, 40); // the command needs an outline
  std::vector<DWORD> before = PicturePixels(Doc());
  for (BOOL bModified : {FALSE, TRUE}) {
    Doc()->SetModifiedFlag(bModified);
    std::string name = bModified ? "piece2.png" : "piece1.png";
    {
      CSaveDialogAnswer answer(1, m_folder + name);
      Command(ID_FILE_COPY_SELECTION);
    }
    std::unique_ptr<Gdiplus::Bitmap> pWritten(LoadGdipBitmapFromFile((m_folder + name).c_str()));
    ASSERT_NE(nullptr, pWritten) << name;
    EXPECT_EQ(30u, pWritten->GetWidth());
    Gdiplus::Color color;
    pWritten->GetPixel(5, 5, &color);
    EXPECT_EQ(0xFF00C000u, color.GetValue());
    EXPECT_EQ(bModified, Doc()->IsModified());
  }
  EXPECT_TRUE(before == PicturePixels(Doc()));
  EXPECT_TRUE(Doc()->m_strPath.IsEmpty());
  EXPECT_STREQ("Image1", Doc()->GetTitle());
}

// --- Opening ------------------------------------------------------------------------------------

TEST_F(DocFilesTest, OpensATransparentPngOverWhiteAtItsResolution) {
  auto* pDoc = static_cast<CFramletDoc*>(
      m_harness.m_pTemplate->OpenDocumentFile(TestImage("good\\transparent72.png").c_str()));
  ASSERT_NE(nullptr, pDoc);
  EXPECT_TRUE(BoxTexts().empty());
  ASSERT_EQ(CSize(40, 30), BitmapSizeOf(pDoc->m_pImage->GetBitmap()));
  std::vector<DWORD> px = PicturePixels(pDoc);
  EXPECT_EQ(0xFF0000u, px[10 * 40 + 5] & 0xFFFFFF) << "opaque red stays";
  EXPECT_EQ(0xFFFFFFu, px[10 * 40 + 30] & 0xFFFFFF) << "transparent becomes white";
  EXPECT_EQ(0x7F7FFFu, px[27 * 40 + 30] & 0xFFFFFF) << "half-transparent blue over white";
  // ImageMagick writes 72 dpi as 2834 pixels per metre, a hair below 72.
  EXPECT_EQ(72, pDoc->m_nDpi);
  EXPECT_EQ(CRect(8, 8, 48, 38), CRect(pDoc->m_rcImage));
  EXPECT_EQ(CRect(8, 8, 48, 38), pDoc->m_pImage->m_rect);
  EXPECT_STREQ("transparent72.png", pDoc->GetTitle());
  EXPECT_FALSE(pDoc->IsModified());
  EXPECT_EQ(0, pDoc->m_nUndoPos);
  EXPECT_EQ("SelectTool 1000", m_harness.m_pFrame->m_calls.back());
  EXPECT_EQ("Size:40 x 30", m_harness.Status(STATUS_PANE_SIZE));
}

struct OpenCase {
  std::string file;
  CSize size; // of the picture it opens as; empty: refused
};
std::ostream& operator<<(std::ostream& os, const OpenCase& c) { return os << c.file; }

std::vector<OpenCase> OpenCases() {
  std::vector<OpenCase> cases{{"good\\png_named.jpg", CSize(96, 64)}};
  for (const char* pszKind : {"half", "header", "flipped", "empty", "text", "huge"})
    for (const char* pszExt : {"png", "jpg", "bmp", "gif", "tif"}) {
      std::string name = std::string("broken\\") + pszKind + "." + pszExt;
      // The directory of a TIFF cut in half survives; the strip decodes as far as it goes.
      cases.push_back({name, name == "broken\\half.tif" ? CSize(96, 64) : CSize()});
    }
  return cases;
}

class OpenFileTest : public DocFilesTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenFileTest, OpensAPictureOrSaysOnceThatItCannot) {
  const OpenCase& c = GetParam();
  std::string path = TestImage(c.file);
  ASSERT_TRUE(Exists(path)) << "made by tests/data/make_test_images.sh at build time";
  FillPicture(Doc(), CRect(0, 0, 50, 50), RGB(10, 20, 30));
  std::vector<DWORD> before = PicturePixels(Doc());
  CDocument* pOpened = m_harness.m_pTemplate->OpenDocumentFile(path.c_str());
  PumpPending();
  POSITION pos = m_harness.m_pTemplate->GetFirstDocPosition();
  int nDocuments = 0;
  while (pos != NULL && m_harness.m_pTemplate->GetNextDoc(pos) != NULL)
    ++nDocuments;
  if (c.size.cx == 0) {
    EXPECT_EQ(nullptr, pOpened);
    ASSERT_EQ(1u, BoxTexts().size());
    EXPECT_NE(std::string::npos, BoxTexts()[0].find("could not be opened as a picture")) << BoxTexts()[0];
    EXPECT_EQ(1, nDocuments);
  } else {
    ASSERT_NE(nullptr, pOpened);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(c.size, BitmapSizeOf(static_cast<CFramletDoc*>(pOpened)->m_pImage->GetBitmap()));
    EXPECT_EQ(2, nDocuments);
  }
  EXPECT_TRUE(before == PicturePixels(Doc())) << "the open document stays as it was";
  EXPECT_STREQ("Image1", Doc()->GetTitle());
}

INSTANTIATE_TEST_SUITE_P(Corpus, OpenFileTest, ::testing::ValuesIn(OpenCases()),
                         [](const ::testing::TestParamInfo<OpenCase>& info) {
                           std::string name = info.param.file.substr(info.param.file.find('\\') + 1);
                           for (char& ch : name)
                             ch = isalnum((unsigned char)ch) ? ch : '_';
                           return name;
                         });

// --- Mail ---------------------------------------------------------------------------------------

using MailCall = std::map<std::string, std::string>;

class MailTest : public DocFilesTest {
protected:
  void SetUp() override {
    char sz[MAX_PATH];
    ::GetTempPathA(MAX_PATH, sz);
    m_pngPath = std::string(sz) + "Pixolet.png";
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", (m_folder + "mapi.log").c_str());
  }
  void TearDown() override { ::SetEnvironmentVariableA("PIX_MAPI_LOG", NULL); }
  // The calls the stand-in mail system saw during one send.
  std::vector<MailCall> Send(CFramletDoc* pDoc) {
    pDoc->GetFirstView()->GetParentFrame()->SendMessage(WM_COMMAND, ID_FILE_SEND_MAIL);
    std::vector<MailCall> calls;
    std::istringstream lines(ReadBytes(m_folder + "mapi.log"));
    std::string line, field;
    while (std::getline(lines, line)) {
      calls.emplace_back();
      std::istringstream fields(line);
      while (std::getline(fields, field, '\t'))
        calls.back()[field.substr(0, field.find('='))] = field.substr(field.find('=') + 1);
    }
    ::DeleteFileA((m_folder + "mapi.log").c_str());
    return calls;
  }
  // Width and height from the IHDR of the logged first bytes of a PNG attachment.
  static CSize PngSizeOf(const MailCall& call) {
    std::string hex = call.at("file0.head"), bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
      bytes.push_back((char)std::stoi(hex.substr(i, 2), nullptr, 16));
    EXPECT_EQ(kPngSignature, bytes.substr(0, 8));
    return CSize((int)BigEndian(bytes, 16), (int)BigEndian(bytes, 20));
  }
  std::string m_pngPath;
};

TEST_F(MailTest, AttachesTheCurrentPictureAsAPngNamedAfterTheTitle) {
  std::vector<MailCall> calls = Send(Doc());
  ASSERT_EQ(1u, calls.size()) << "is the stand-in mapi32.dll beside the program and preferred "
                                 "(WINEDLLOVERRIDES=mapi32=n)?";
  MailCall& call = calls[0];
  EXPECT_EQ("0x9", call["flags"]) << "logon interface and send dialog";
  EXPECT_EQ("0", call["recipients"]);
  EXPECT_EQ("0", call["text"]);
  EXPECT_EQ("1", call["files"]);
  EXPECT_EQ("Image1", call["file0.name"]);
  EXPECT_EQ(CSize(400, 300), PngSizeOf(call));
  EXPECT_FALSE(Exists(call["file0.path"])) << "the attached copy is gone";
  EXPECT_FALSE(Exists(m_pngPath)) << "and so is the PNG written for it";
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_TRUE(Doc()->m_strTempImagePath.IsEmpty());
  EXPECT_TRUE(BoxTexts().empty());
}

// A file the framework opened and that was edited since: the edits go, the file stays.
TEST_F(MailTest, AnEditedOpenedFileGoesAsItIsNowNotAsOnDisk) {
  std::string file = m_folder + "opened.png";
  WriteBytes(file, ReadBytes(TestImage("good\\png_named.jpg")));
  auto* pDoc = static_cast<CFramletDoc*>(m_harness.m_pTemplate->OpenDocumentFile(file.c_str()));
  ASSERT_NE(nullptr, pDoc);
  ASSERT_TRUE(pDoc->TakeNewPicture(MakePictureBitmap(50, 40, [](int, int) -> DWORD { return 0xFF336699; })));
  std::string onDisk = ReadBytes(file);
  std::vector<MailCall> calls = Send(pDoc);
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ(CSize(50, 40), PngSizeOf(calls[0]));
  EXPECT_NE(file, calls[0]["file0.path"]);
  EXPECT_EQ("opened.png", calls[0]["file0.name"]);
  EXPECT_EQ(onDisk, ReadBytes(file));
  EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(MailTest, NothingIsSentWithoutAFreshPng) {
  WriteBytes(m_pngPath, "a stale picture from before");
  CImportPatch patch("gdiplus.dll", "GdipSaveImageToFile", kCount);
  EXPECT_TRUE(Send(Doc()).empty());
  EXPECT_EQ(kSaveFailed, BoxTexts());
  ::DeleteFileA(m_pngPath.c_str());
}

// --- Resolution command -------------------------------------------------------------------------

TEST_F(DocFilesTest, ResolutionCommandTakesTheAnswerUnlessCancelled) {
  CEditorLabFrame* pShell = m_harness.m_pFrame;
  Doc()->SetModifiedFlag(FALSE);
  pShell->m_nResolutionAnswer = 300;
  Command(ID_IMAGE_RESOLUTION);
  EXPECT_EQ(300, Doc()->m_nDpi);
  pShell->m_nResolutionAnswer = 0;
  Command(ID_IMAGE_RESOLUTION);
  EXPECT_EQ(300, Doc()->m_nDpi);
  EXPECT_EQ("AskImageResolution 300", pShell->m_calls.back());
  EXPECT_FALSE(Doc()->IsModified());
}

} // namespace
