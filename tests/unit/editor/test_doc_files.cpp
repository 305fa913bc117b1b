// The image document's files and mail: the Save As dialog and its naming, the formats and
// resolutions written, saves that fail without touching the old file, the question before
// closing, opening sound and broken pictures, mailing through the logging stand-in mapi32.dll
// and the resolution command.
#include "imaging/ImageFile.h"
#include "tests/common/stand_ins.h"
#include "tests/unit/editor/editor_harness.h"

#include <dlgs.h>

extern int g_nSaveFilterIndex;

namespace {

const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);
const std::string kJpegStart("\xff\xd8\xff", 3);
const std::string kBmpStart("BM"), kGifStart("GIF8"), kTiffStart("II*\0", 4);
const std::vector<std::string> kSaveFailed{"Save failed!"};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

DWORD BigEndian(const std::string& bytes, size_t at) {
  DWORD n = 0;
  for (size_t i = at; i < at + 4 && i < bytes.size(); i++)
    n = n << 8 | (BYTE)bytes[i];
  return n;
}

// The pictures the build made (tests/data/make_test_images.sh), beside the program's folder.
std::string TestImage(const std::string& name) {
  char sz[MAX_PATH];
  std::string path(sz, ::GetModuleFileNameA(NULL, sz, MAX_PATH));
  path.resize(path.rfind('\\'));
  return path.substr(0, path.rfind('\\')) + "\\testdata\\images\\" + name;
}

// Another program's hold on a file, sharing nothing, while the answer lives (when asked for).
std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> Lock(const std::string& path, bool bLock) {
  return {bLock ? ::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL) : NULL,
          ::CloseHandle};
}

// Answers the next file dialog of the thread from a thread timer as a user would: picks the
// filter (1-based; 0 leaves it), types the name and presses Save; an empty name presses Cancel.
// It notes the filter the dialog opened with (0 until the dialog was seen).
struct CSaveDialogAnswer {
  CSaveDialogAnswer(int nFilter, const std::string& name) : m_nFilter(nFilter), m_name(name) {
    s_pActive = this;
  }
  ~CSaveDialogAnswer() { ::KillTimer(NULL, m_nTimer), s_pActive = NULL; }
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    CSaveDialogAnswer* p = s_pActive;
    HWND hDlg = ::GetActiveWindow(), hType = ::GetDlgItem(hDlg, cmb1), hName = ::GetDlgItem(hDlg, cmb13);
    if (p == NULL || p->m_nShownFilter != 0 || hType == NULL || hName == NULL)
      return;
    p->m_nShownFilter = (int)::SendMessageA(hType, CB_GETCURSEL, 0, 0) + 1;
    if (p->m_nFilter > 0) {
      ::SendMessageA(hType, CB_SETCURSEL, p->m_nFilter - 1, 0);
      for (WORD nCode : {CBN_SELCHANGE, CBN_SELENDOK}) // what the combo box tells of a pick
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, nCode), reinterpret_cast<LPARAM>(hType));
    }
    ::SetWindowTextA(hName, p->m_name.c_str());
    const int nButton = p->m_name.empty() ? IDCANCEL : IDOK;
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nButton));
  }
  static inline CSaveDialogAnswer* s_pActive = NULL;
  int m_nFilter;
  std::string m_name;
  UINT_PTR m_nTimer = ::SetTimer(NULL, 0, 10, TimerProc);
  int m_nShownFilter = 0;
};

class DocFilesTest : public EditorViewTest {
protected:
  MessageBoxRecorder m_boxes;
  CTempFolder m_folder;
};

// --- Save As: names and formats --------------------------------------------------------------

// A typed known extension wins over the chosen filter; any other name gets the filter's. Each
// dialog opens with the filter chosen the time before; a cancelled one forgets the document's
// path, so the next Save asks again.
TEST_F(DocFilesTest, SaveAsWritesTheFormatOfTheCompletedName) {
  // clang-format off
  const std::tuple<int, const char*, const char*, std::string> rows[] = {
      {2, "shot", "shot.jpg", kJpegStart}, {2, "shot.png", "shot.png", kPngSignature},
      {2, "shot.jpeg", "shot.jpeg.jpg", kJpegStart}, {3, "shot.GIF", "shot.GIF", kGifStart},
      {4, "shot", "shot.gif", kGifStart}, {5, "shot.v2", "shot.v2.tif", kTiffStart},
      {1, "shot.bmp", "shot.bmp", kBmpStart}};
  // clang-format on
  int nLastFilter = 0;
  for (auto [nFilter, pszTyped, pszWritten, magic] : rows) {
    Doc()->SetModifiedFlag();
    CSaveDialogAnswer answer(nFilter, m_folder / pszTyped);
    Command(ID_FILE_SAVE_AS);
    const std::string written = m_folder / pszWritten;
    EXPECT_EQ(std::vector<std::string>{pszWritten}, m_folder.Files());
    EXPECT_EQ(magic, ReadBytes(written).substr(0, magic.size())) << pszWritten;
    EXPECT_EQ(std::make_tuple(written, std::string(pszWritten), FALSE, nFilter),
              std::make_tuple(std::string(Doc()->m_strPath), std::string(Doc()->GetTitle()),
                              Doc()->IsModified(), g_nSaveFilterIndex));
    if (nLastFilter != 0)
      EXPECT_EQ(nLastFilter, answer.m_nShownFilter);
    nLastFilter = nFilter;
    ::DeleteFileA(written.c_str()); // names differing in case alone are one file
  }
  EXPECT_TRUE(BoxTexts().empty());
  CSaveDialogAnswer answer(0, "");
  EXPECT_FALSE(Doc()->OnFileSaveAs());
  EXPECT_TRUE(answer.m_nShownFilter == 1 && Doc()->m_strPath.IsEmpty());
  EXPECT_STREQ("shot.bmp", Doc()->GetTitle());
}

// The resolution goes into a PNG's pHYs chunk as pixels per metre, brought into range first.
TEST_F(DocFilesTest, TheResolutionIsWrittenInRangeAndSetByItsCommand) {
  const int rows[][3] = {{72, 2835, 72}, {300, 11811, 300}, {0, 3780, 96}, {40000, 1259803, 31999}};
  for (auto [nDpi, nPixelsPerMetre, nDpiAfter] : rows) {
    Doc()->m_strPath = (m_folder / "dpi.png").c_str();
    Doc()->m_nDpi = nDpi;
    Command(ID_FILE_SAVE);
    const std::string png = ReadBytes(m_folder / "dpi.png");
    ASSERT_NE(std::string::npos, png.find("pHYs")) << nDpi;
    EXPECT_EQ(std::make_pair((DWORD)nPixelsPerMetre, nDpiAfter),
              std::make_pair(BigEndian(png, png.find("pHYs") + 4), Doc()->m_nDpi));
  } // The resolution command takes the shell's answer unless it is cancelled, changing nothing else.
  Doc()->SetModifiedFlag(FALSE);
  for (int nAnswer : {300, 0}) {
    m_harness.m_pFrame->m_nResolutionAnswer = nAnswer;
    Command(ID_IMAGE_RESOLUTION);
    EXPECT_EQ(300, Doc()->m_nDpi);
  }
  EXPECT_EQ("AskImageResolution 300", m_harness.m_pFrame->m_calls.back());
  EXPECT_FALSE(Doc()->IsModified());
}

// A picture of at most 256 colours keeps them in a GIF; any other comes back within half a step
// of a cube of 6 reds, 7 greens and 6 blues (25 of red and blue, 21 of green).
DWORD Gradient(int x, int y) { return DWORD(x * 255 / 99) << 16 | DWORD(y * 255 / 79) << 8 | DWORD(x + y); }
DWORD FewColours(int x, int y) { return 0x13579B * DWORD(x / 10 + y / 10) & 0xFFFFFF; }

TEST_F(DocFilesTest, AGifHoldsThePictureWithinItsPalette) {
  const std::tuple<DWORD (*)(int, int), int, int> rows[] = {{Gradient, 25, 21}, {FewColours, 0, 0}};
  const std::string path = m_folder / "shot.gif";
  for (auto [pixel, nRedBlue, nGreen] : rows) {
    SetPicture(100, 80, pixel);
    Doc()->m_strPath = path.c_str();
    Command(ID_FILE_SAVE);
    auto* pDoc = static_cast<CFramletDoc*>(m_harness.m_pTemplate->OpenDocumentFile(path.c_str()));
    ASSERT_NE(nullptr, pDoc) << "the file holds no picture";
    ASSERT_EQ(CSize(100, 80), BitmapSizeOf(pDoc->m_pImage->GetBitmap()));
    const std::vector<DWORD> px = PictureColours(pDoc);
    int nWorst[3] = {};
    for (int i = 0; i < 100 * 80; i++)
      for (int c = 0; c < 3; c++)
        nWorst[c] = std::max(
            nWorst[c], std::abs(int(px[i] >> 8 * c & 0xFF) - int(pixel(i % 100, i / 100) >> 8 * c & 0xFF)));
    EXPECT_EQ(std::make_tuple(nRedBlue, nGreen, nRedBlue), std::make_tuple(nWorst[2], nWorst[1], nWorst[0]));
    pDoc->OnCloseDocument();
  }
  EXPECT_TRUE(BoxTexts().empty());
}

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
  WriteBytes(std::string(pszFile, pszFile + lstrlenW(pszFile)), "\x89PNG");
  return Gdiplus::Win32Error;
}
// An encoder that says it wrote what it did not: a GIF of no picture, as Wine's writes from 32 bits.
Gdiplus::GpStatus WINAPI WriteNoPicture(Gdiplus::GpImage*, const WCHAR* pszFile, const CLSID*,
                                        const Gdiplus::EncoderParameters*) {
  ++g_nEncoderWrites;
  WriteBytes(std::string(pszFile, pszFile + lstrlenW(pszFile)), std::string("GIF89a\1\0\1\0\0\0\0;", 14));
  return Gdiplus::Ok;
}
// An encoder that notes the quality it is asked for (-1: none) and writes nothing.
long g_nQualityAsked = 0;
Gdiplus::GpStatus WINAPI NoteQuality(Gdiplus::GpImage*, const WCHAR*, const CLSID*,
                                     const Gdiplus::EncoderParameters* pParams) {
  g_nQualityAsked = -1;
  for (UINT i = 0; pParams != NULL && i < pParams->Count; i++)
    if (pParams->Parameter[i].Guid == Gdiplus::EncoderQuality)
      g_nQualityAsked = (long)*static_cast<const ULONG*>(pParams->Parameter[i].Value);
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
const FARPROC kPartWay = reinterpret_cast<FARPROC>(&FailPartWay);

// A save the folder refuses, over a locked or a read-only file, with an encoder that fails part way,
// writes no picture or is missing, or of a metafile that cannot be recorded whichever way the view
// tries: the old file stays as it was, with its attributes, nothing else is left behind, and the one
// message says so.
TEST_F(DocFilesTest, AFailedSaveSaysSoAndLeavesTheOldFileAsItWas) {
  using Patches = std::vector<std::tuple<const char*, const char*, FARPROC>>;
  enum Hold { kNone, kLocked, kReadOnly };
  // The file, the patches, what holds it, and the encoder's writes (-1: not counted).
  // clang-format off
  const std::tuple<const char*, Patches, Hold, int> rows[] = {
      {"a.png", {{"kernel32.dll", "CreateFileA", (FARPROC)&DenyNewFilesInFolder}}, kNone, -1},
      {"b.png", {}, kLocked, -1},
      {"c.png", {{"gdiplus.dll", "GdipSaveImageToFile", kPartWay}}, kNone, 1},
      {"f.gif", {{"gdiplus.dll", "GdipSaveImageToFile", (FARPROC)&WriteNoPicture}}, kNone, 1},
      {"d.gif", {{"gdiplus.dll", "GdipGetImageEncodersSize", (FARPROC)&NoEncoders},
                 {"gdiplus.dll", "GdipSaveImageToFile", kPartWay}}, kNone, 0},
      {"e.emf", {{"gdiplus.dll", "GdipRecordMetafileFileName", (FARPROC)&NoRecording},
                 {"gdiplus.dll", "GdipRecordMetafile", (FARPROC)&NoMemoryRecording},
                 {"gdi32.dll", "CreateEnhMetaFileA", (FARPROC)&NoEnhMetaFileA},
                 {"gdi32.dll", "CreateEnhMetaFileW", (FARPROC)&NoEnhMetaFileW}}, kNone, -1},
      {"g.jpg", {}, kReadOnly, -1}, {"h.emf", {}, kReadOnly, -1}};
  // clang-format on
  g_strDeniedFolder = m_folder.path;
  for (const auto& [pszFile, patches, hold, nWrites] : rows) {
    const std::string target = m_folder / pszFile, old = "the old good file";
    WriteBytes(target, old);
    const bool bReadOnly = hold == kReadOnly;
    ::SetFileAttributesA(target.c_str(), bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    Doc()->m_strPath = target.c_str();
    Doc()->SetModifiedFlag();
    MessageBoxRecorder::Boxes().clear();
    g_nEncoderWrites = 0;
    {
      auto lock = Lock(target, hold == kLocked);
      std::vector<std::unique_ptr<CImportPatch>> applied;
      for (auto [pszDll, pszFunction, pfn] : patches)
        applied.emplace_back(new CImportPatch(pszDll, pszFunction, pfn));
      Command(ID_FILE_SAVE);
    }
    EXPECT_EQ(std::make_tuple(kSaveFailed, old, bReadOnly, std::vector<std::string>{pszFile}),
              std::make_tuple(BoxTexts(), ReadBytes(target),
                              (::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY) != 0,
                              m_folder.Files()))
        << pszFile << ": the one message, the old file, nothing left behind";
    EXPECT_TRUE(Doc()->IsModified() && target == (LPCSTR)Doc()->m_strPath) << pszFile;
    EXPECT_TRUE(nWrites < 0 || nWrites == g_nEncoderWrites) << pszFile << " writes " << g_nEncoderWrites;
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(target.c_str());
  }
}

// A JPEG goes to the encoder with the quality of the options (the harness's shell says 80); other
// formats with none. (Under Wine the encoder itself writes every quality alike.)
TEST_F(DocFilesTest, AJpegIsAskedForAtTheOptionsQuality) {
  for (auto [pszFile, nQuality] : {std::make_pair("q.jpg", 80L), std::make_pair("q.png", -1L)}) {
    Doc()->m_strPath = (m_folder / pszFile).c_str();
    g_nQualityAsked = 0;
    CImportPatch patch("gdiplus.dll", "GdipSaveImageToFile", (FARPROC)&NoteQuality);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(nQuality, g_nQualityAsked) << pszFile;
  }
}

// Closing asks "Save changes to file?" of a modified document, and closes only when nothing is lost.
TEST_F(DocFilesTest, SaveModifiedClosesOnlyWhenNothingIsLost) {
  const std::string kAsk = "Save changes to file?";
  // Modified, the answer, the save path (NULL: none), locked (the save fails), closes, the messages.
  // clang-format off
  const std::tuple<BOOL, int, const char*, bool, BOOL, std::vector<std::string>> rows[] = {
      {TRUE, IDYES, "s.png", false, TRUE, {kAsk}}, {TRUE, IDYES, NULL, false, FALSE, {kAsk}},
      {TRUE, IDYES, "s.png", true, FALSE, {kAsk, "Save failed!"}}, {TRUE, IDNO, "s.png", false, TRUE, {kAsk}},
      {TRUE, IDCANCEL, "s.png", false, FALSE, {kAsk}}, {FALSE, IDCANCEL, "s.png", false, TRUE, {}}};
  // clang-format on
  for (const auto& [bModified, nAnswer, pszPath, bLocked, bCloses, boxes] : rows) {
    std::string path = pszPath != NULL ? m_folder / pszPath : "";
    if (!path.empty())
      WriteBytes(path, "old");
    Doc()->m_strPath = path.c_str();
    Doc()->SetModifiedFlag(bModified);
    MessageBoxRecorder::Boxes().clear();
    MessageBoxRecorder::s_nAnswer = nAnswer;
    CSaveDialogAnswer cancel(0, "");
    {
      auto lock = Lock(path, bLocked);
      EXPECT_EQ(bCloses, Doc()->SaveModified()) << nAnswer << " " << path;
    }
    EXPECT_EQ(boxes, BoxTexts());
    if (bModified)
      EXPECT_EQ(UINT(MB_YESNOCANCEL | MB_ICONINFORMATION), MessageBoxRecorder::Boxes()[0].second);
    const bool bSaved = bModified && nAnswer == IDYES && bCloses;
    EXPECT_EQ(bModified && !bSaved, (bool)Doc()->IsModified());
    EXPECT_TRUE(path.empty() || bSaved == (ReadBytes(path) != "old"));
    EXPECT_EQ(pszPath == NULL && nAnswer == IDYES, cancel.m_nShownFilter != 0) << "Save As was asked";
  }
}

// --- Copy Selection to File ---------------------------------------------------------------------

TEST_F(DocFilesTest, CopySelectionWritesThePieceAndLeavesTheDocumentAlone) {
  Doc()->m_pSelection =
      new CZoomTracker(NewArgbPicture(30, 20, [](int, int) { return 0xFF00C000u; }), 20, 20, 50, 40, 1.0f);
  View()->m_selTracker.m_rect.SetRect(20, 20, 50, 40); // the command needs an outline
  std::vector<DWORD> before = PicturePixels(Doc());
  for (BOOL bModified : {FALSE, TRUE}) {
    Doc()->SetModifiedFlag(bModified);
    const std::string name = bModified ? "piece2.png" : "piece1.png";
    {
      CSaveDialogAnswer answer(1, m_folder / name);
      Command(ID_FILE_COPY_SELECTION);
    }
    std::unique_ptr<Gdiplus::Bitmap> pWritten(LoadGdipBitmapFromFile((m_folder / name).c_str()));
    ASSERT_NE(nullptr, pWritten) << name;
    EXPECT_EQ(std::make_tuple(30u, 0xFF00C000u, bModified),
              std::make_tuple(pWritten->GetWidth(), ArgbAt(pWritten.get(), 5, 5), Doc()->IsModified()));
  }
  EXPECT_TRUE(before == PicturePixels(Doc()) && Doc()->m_strPath.IsEmpty());
  EXPECT_STREQ("Image1", Doc()->GetTitle());
}

// --- Opening ------------------------------------------------------------------------------------

// Good pictures, and pictures cut short, with a broken header, flipped, empty, of text, or too large,
// in each format: each opens as a new document or is refused with one message, and the open
// document stays as it was. The directory of a TIFF cut in half survives; the strip decodes as far
// as it goes.
TEST_F(DocFilesTest, OpensAPictureOrSaysOnceThatItCannot) {
  // A transparent PNG opens over white at its resolution, unmodified, with the pointer tool.
  auto* pDoc = static_cast<CFramletDoc*>(
      m_harness.m_pTemplate->OpenDocumentFile(TestImage("good\\transparent72.png").c_str()));
  ASSERT_NE(nullptr, pDoc);
  ASSERT_EQ(CSize(40, 30), BitmapSizeOf(pDoc->m_pImage->GetBitmap()));
  std::vector<DWORD> px = PictureColours(pDoc);
  // Opaque red stays, transparent becomes white, half-transparent blue shows over white.
  EXPECT_EQ(std::make_tuple(0xFF0000u, 0xFFFFFFu, 0x7F7FFFu),
            std::make_tuple(px[10 * 40 + 5], px[10 * 40 + 30], px[27 * 40 + 30]));
  // ImageMagick writes 72 dpi as 2834 pixels per metre, a hair below 72.
  EXPECT_EQ(std::make_tuple(72, CRect(8, 8, 48, 38), CRect(8, 8, 48, 38), std::string("transparent72.png"),
                            FALSE, 0),
            std::make_tuple(pDoc->m_nDpi, CRect(pDoc->m_rcImage), CRect(pDoc->m_pImage->m_rect),
                            std::string(pDoc->GetTitle()), pDoc->IsModified(), pDoc->m_nUndoPos));
  EXPECT_TRUE(m_harness.m_pFrame->m_calls.back() == "SelectTool 1000" && BoxTexts().empty());
  EXPECT_EQ("Size:40 x 30", m_harness.Status(STATUS_PANE_SIZE));
  pDoc->OnCloseDocument();
  std::vector<std::pair<std::string, CSize>> files{{"good\\png_named.jpg", CSize(96, 64)}};
  for (const char* pszKind : {"half", "header", "flipped", "empty", "text", "huge"})
    for (const char* pszExt : {"png", "jpg", "bmp", "gif", "tif"}) {
      const std::string name = std::string("broken\\") + pszKind + "." + pszExt;
      files.push_back({name, name == "broken\\half.tif" ? CSize(96, 64) : CSize()});
    }
  FillPicture(Doc(), CRect(0, 0, 50, 50), RGB(10, 20, 30));
  const std::vector<DWORD> before = PicturePixels(Doc());
  for (const auto& [file, size] : files) {
    const std::string path = TestImage(file);
    ASSERT_TRUE(Exists(path)) << path << ": made by tests/data/make_test_images.sh at build time";
    MessageBoxRecorder::Boxes().clear();
    CDocument* pOpened = m_harness.m_pTemplate->OpenDocumentFile(path.c_str());
    PumpPending();
    EXPECT_EQ(size.cx != 0, pOpened != NULL) << file;
    if (pOpened == NULL) {
      ASSERT_EQ(1u, BoxTexts().size()) << file;
      EXPECT_NE(std::string::npos, BoxTexts()[0].find("could not be opened as a picture")) << BoxTexts()[0];
    } else {
      EXPECT_TRUE(BoxTexts().empty()) << file;
      EXPECT_EQ(size, BitmapSizeOf(static_cast<CFramletDoc*>(pOpened)->m_pImage->GetBitmap())) << file;
      pOpened->OnCloseDocument();
    }
    POSITION pos = m_harness.m_pTemplate->GetFirstDocPosition();
    EXPECT_TRUE(m_harness.m_pTemplate->GetNextDoc(pos) == Doc() && pos == NULL) << file << ": one document";
    EXPECT_TRUE(before == PicturePixels(Doc()) && CString("Image1") == Doc()->GetTitle()) << file;
  }
}

// A picture saved as an enhanced or a Windows metafile opens again as a new document of the same size
// and pixels, unmodified and without a message, and pastes from the file as a piece of that size.
TEST_F(DocFilesTest, AMetafileItWroteOpensAgainAsThePicture) {
  SetPicture(37, 23, [](int x, int y) { return DWORD((x * 7 + y * 13) * 2654435761u >> 8) & 0xFFFFFF; });
  const std::vector<DWORD> picture = PictureColours(Doc());
  const std::vector<std::string> paths = {m_folder / "shot.emf", m_folder / "shot.wmf"};
  for (const std::string& path : paths) {
    Doc()->m_strPath = path.c_str();
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(Exists(path) && BoxTexts().empty()) << path;
  }
  for (const std::string& path : paths) {
    auto* pOpened = static_cast<CFramletDoc*>(m_harness.m_pTemplate->OpenDocumentFile(path.c_str()));
    PumpPending();
    ASSERT_NE(nullptr, pOpened) << path << ": " << ::testing::PrintToString(BoxTexts());
    EXPECT_EQ(CSize(37, 23), BitmapSizeOf(pOpened->m_pImage->GetBitmap())) << path;
    EXPECT_TRUE(picture == PictureColours(pOpened)) << path;
    EXPECT_TRUE(!pOpened->IsModified() && BoxTexts().empty()) << path;
    pOpened->OnCloseDocument();
    ASSERT_TRUE(View()->PasteImageFile(path.c_str())) << path;
    EXPECT_EQ(std::make_pair(37u, 23u), std::make_pair(Doc()->m_pSelection->m_pBitmap->GetWidth(),
                                                       Doc()->m_pSelection->m_pBitmap->GetHeight()));
  }
}

// --- Mail ---------------------------------------------------------------------------------------

using MailCall = std::map<std::string, std::string>;

class MailTest : public DocFilesTest {
protected:
  // The temporary folder is the test's own, so that what a send leaves there can be seen.
  void SetUp() override {
    DocFilesTest::SetUp();
    ASSERT_EQ("", InstallMailStandIn());
    m_oldTmp.resize(::GetEnvironmentVariableA("TMP", NULL, 0));
    m_oldTmp.resize(::GetEnvironmentVariableA("TMP", &m_oldTmp[0], (DWORD)m_oldTmp.size()));
    ::SetEnvironmentVariableA("TMP", m_folder.path.c_str());
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", (m_folder / "mapi.log").c_str());
  }
  void TearDown() override {
    ::SetEnvironmentVariableA("TMP", m_oldTmp.empty() ? NULL : m_oldTmp.c_str());
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", NULL), DocFilesTest::TearDown();
  }
  // The calls the stand-in mail system saw during one send.
  std::vector<MailCall> Send(CFramletDoc* pDoc) {
    pDoc->GetFirstView()->SendMessage(WM_COMMAND, ID_FILE_SEND_MAIL);
    std::vector<MailCall> calls;
    std::istringstream lines(ReadBytes(m_folder / "mapi.log"));
    for (std::string line, field; std::getline(lines, line);) {
      calls.emplace_back();
      std::istringstream fields(line);
      while (std::getline(fields, field, '\t'))
        calls.back()[field.substr(0, field.find('='))] = field.substr(field.find('=') + 1);
    }
    ::DeleteFileA((m_folder / "mapi.log").c_str());
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
  std::string m_oldTmp;
};

TEST_F(MailTest, AttachesTheCurrentPictureAsAPngNamedAfterTheTitle) {
  std::vector<MailCall> calls = Send(Doc());
  ASSERT_EQ(1u, calls.size()) << "is the stand-in mapi32.dll beside the program and preferred "
                                 "(WINEDLLOVERRIDES=mapi32=n)?";
  MailCall& call = calls[0];
  // Flags 0x9: the logon interface and the send dialog.
  EXPECT_EQ("0x9 0 0 1 Image1", call["flags"] + " " + call["recipients"] + " " + call["text"] + " " +
                                    call["files"] + " " + call["file0.name"]);
  EXPECT_EQ(CSize(400, 300), PngSizeOf(call));
  EXPECT_TRUE(m_folder.Files().empty()) << "the attached copies are gone";
  EXPECT_TRUE(Doc()->IsModified() && Doc()->m_strTempImagePath.IsEmpty() && BoxTexts().empty());
  // Without a fresh PNG nothing is sent.
  CImportPatch patch("gdiplus.dll", "GdipSaveImageToFile", kPartWay);
  EXPECT_TRUE(Send(Doc()).empty());
  EXPECT_TRUE(kSaveFailed == BoxTexts() && m_folder.Files().empty());
}

// Copies of the program sending at once each write an attachment of their own: the one another
// copy has in the temporary folder keeps its bytes, and a send leaves nothing of its own behind.
TEST_F(MailTest, EachSendWritesAnAttachmentOfItsOwn) {
  const std::string theirs = "another copy's picture";
  WriteBytes(m_folder / "Pixolet.png", theirs);
  for (int i = 0; i < 2; i++) {
    std::vector<MailCall> calls = Send(Doc());
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(CSize(400, 300), PngSizeOf(calls[0]));
  }
  EXPECT_EQ(std::vector<std::string>{"Pixolet.png"}, m_folder.Files());
  EXPECT_EQ(theirs, ReadBytes(m_folder / "Pixolet.png"));
}

// A file the framework opened and that was edited since: the edits go, the file stays.
TEST_F(MailTest, AnEditedOpenedFileGoesAsItIsNowNotAsOnDisk) {
  std::string file = m_folder / "opened.png";
  WriteBytes(file, ReadBytes(TestImage("good\\png_named.jpg")));
  auto* pDoc = static_cast<CFramletDoc*>(m_harness.m_pTemplate->OpenDocumentFile(file.c_str()));
  ASSERT_NE(nullptr, pDoc);
  ASSERT_TRUE(pDoc->TakeNewPicture(MakePictureBitmap(50, 40, [](int, int) -> DWORD { return 0xFF336699; })));
  std::string onDisk = ReadBytes(file);
  std::vector<MailCall> calls = Send(pDoc);
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ(CSize(50, 40), PngSizeOf(calls[0]));
  EXPECT_TRUE(file != calls[0]["file0.path"] && "opened.png" == calls[0]["file0.name"]);
  EXPECT_TRUE(onDisk == ReadBytes(file) && pDoc->IsModified());
}

} // namespace
