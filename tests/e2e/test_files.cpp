// Files and start-up as a user meets them: a picture saved as a metafile opens again, a file whose
// data lies past its end, an icon of huge dimensions or a metafile whose pen is a million pixels wide
// gives the one message from the command line and from File, Open, so does a metafile whose
// playback never ends or faults, beside a picture that stays as it was, a main window stored off every
// monitor comes back where it can be reached, and no stand-in of the tests lies beside the program.
#include "imaging/MetafilePlayer.h"
#include "tests/e2e/e2e_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

using namespace e2e;

namespace {

using Bytes = std::string;

void Put16(Bytes& b, size_t at, DWORD v) { b[at] = (char)(v & 0xFF), b[at + 1] = (char)(v >> 8 & 0xFF); }
void Put32(Bytes& b, size_t at, DWORD v) { Put16(b, at, v & 0xFFFF), Put16(b, at + 2, v >> 16); }

// How long a test waits for the message on a file that is no picture: a metafile's may come only
// once the program has given up on its player, which on a loaded machine can take the player's
// whole time.
const int kNoPictureWaitMs = (int)kMetafilePlayerTimeout + 20000;

COLORREF Pattern(int x, int y) { return RGB(x * 255 / 160, y * 255 / 100, (x ^ y) * 3 & 0xFF); }

// A 55 x 55 24-bit BMP of the pattern: 9294 bytes.
Bytes MakeBmp() {
  const int n = 55, stride = (n * 3 + 3) & ~3;
  Bytes b(54 + (size_t)stride * n, '\0');
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, (DWORD)b.size()), Put32(b, 10, 54), Put32(b, 14, 40), Put32(b, 18, n), Put32(b, 22, n);
  Put16(b, 26, 1), Put16(b, 28, 24), Put32(b, 34, (DWORD)stride * n);
  for (int y = 0; y < n; y++)
    for (int x = 0; x < n; x++) {
      const COLORREF c = Pattern(x, n - 1 - y);
      const size_t at = 54 + (size_t)y * stride + x * 3;
      b[at] = (char)GetBValue(c), b[at + 1] = (char)GetGValue(c), b[at + 2] = (char)GetRValue(c);
    }
  return b;
}

// A 40 x 30 RGB TIFF in one strip: header, a directory of nine entries, the bits per sample, the
// pixels. Its strip offset is the value of the directory's sixth entry.
const size_t kTiffStripOffset = 8 + 2 + 5 * 12 + 8;
Bytes MakeTiff() {
  const DWORD cx = 40, cy = 30, nDirectory = 8, nSamples = 8 + 2 + 9 * 12 + 4, nPixels = nSamples + 6;
  Bytes b(nPixels + cx * cy * 3, '\0');
  b.replace(0, 4, "II*\0", 4);
  Put32(b, 4, nDirectory);
  Put16(b, nDirectory, 9);
  const DWORD entries[9][4] = {{256, 3, 1, cx}, {257, 3, 1, cy}, {258, 3, 3, nSamples},
                               {259, 3, 1, 1},  {262, 3, 1, 2},  {273, 4, 1, nPixels},
                               {277, 3, 1, 3},  {278, 3, 1, cy}, {279, 4, 1, cx * cy * 3}};
  for (size_t i = 0; i < 9; i++) {
    const size_t at = nDirectory + 2 + 12 * i;
    Put16(b, at, entries[i][0]), Put16(b, at + 2, entries[i][1]), Put32(b, at + 4, entries[i][2]);
    Put32(b, at + 8, entries[i][3]);
  }
  for (int k = 0; k < 3; k++)
    Put16(b, nSamples + 2 * k, 8);
  for (DWORD i = 0; i < cx * cy; i++) {
    const COLORREF c = Pattern((int)(i % cx), (int)(i / cx));
    b[nPixels + 3 * i] = (char)GetRValue(c), b[nPixels + 3 * i + 1] = (char)GetGValue(c);
    b[nPixels + 3 * i + 2] = (char)GetBValue(c);
  }
  return b;
}

// A 32 x 32 32-bit icon of the pattern: directory, one entry, bitmap header, colour rows and mask.
const size_t kIconWidth = 6 + 16 + 4, kIconHeight = kIconWidth + 4;
Bytes MakeIco() {
  const int n = 32;
  const DWORD nImage = 40 + n * n * 4 + n * 4;
  Bytes b(22 + nImage, '\0');
  Put16(b, 2, 1), Put16(b, 4, 1);
  b[6] = (char)n, b[7] = (char)n;
  Put16(b, 10, 1), Put16(b, 12, 32), Put32(b, 14, nImage), Put32(b, 18, 22);
  Put32(b, 22, 40), Put32(b, kIconWidth, n), Put32(b, kIconHeight, 2 * n), Put16(b, 34, 1), Put16(b, 36, 32);
  for (int y = 0; y < n; y++)
    for (int x = 0; x < n; x++)
      Put32(b, 62 + 4 * (size_t)(y * n + x), 0xFF000000 | Pattern(x, n - 1 - y));
  return b;
}

// A metafile the build wrote (tests/data/make_metafiles.py), beside the program's folder.
std::string TestMetafile(const std::string& name) {
  const std::string folder = ProgramFolder();
  return folder.substr(0, folder.find_last_of('\\')) + "\\testdata\\metafiles\\" + name;
}

// The bytes of a file; none when it cannot be read.
Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct BadFile {
  std::string name;
  Bytes bytes;
};

// The files of the report: a 9 KB BMP whose data lies at 2 GB, at 1 MB, or 64 bytes past its end,
// and a TIFF whose directory or strip lies at 0x7FFFFFF0.
std::vector<BadFile> BadFiles() {
  std::vector<BadFile> files;
  const Bytes bmp = MakeBmp(), tiff = MakeTiff();
  for (DWORD offset : {0x7FFFFFFFul, 0x100000ul, (DWORD)bmp.size() + 64}) {
    files.push_back({"e2e_far_" + std::to_string(offset) + ".bmp", bmp});
    Put32(files.back().bytes, 10, offset);
  }
  for (size_t at : {(size_t)4, kTiffStripOffset}) {
    files.push_back({"e2e_far_" + std::to_string(at) + ".tif", tiff});
    Put32(files.back().bytes, at, 0x7FFFFFF0);
  }
  // Icons whose bitmap's height or width wraps the decoder's buffer size at 32 bits (a heap
  // overflow) or freezes it, one renamed .bmp.
  const Bytes ico = MakeIco();
  for (const auto& [name, at, value] : {std::make_tuple("e2e_huge_height.ico", kIconHeight, 0x08000040ul),
                                        std::make_tuple("e2e_huge_width.ico", kIconWidth, 0x40000000ul),
                                        std::make_tuple("e2e_wide_icon.bmp", kIconWidth, 0x02000000ul)}) {
    files.push_back({name, ico});
    Put32(files.back().bytes, at, value);
  }
  // A metafile whose playback faults every time: it restores a state no save made. (A pen a million
  // pixels wide faults the platform's playback only now and then.)
  files.push_back(
      {"e2e_faulting.emf", FileBytes(TestMetafile("hostile\\crash_restore_dc_lowest_level.emf"))});
  return files;
}

std::string WriteTempFile(const std::string& name, const Bytes& bytes) {
  const std::string path = TempPath(name);
  HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD dwWritten = 0;
  ::WriteFile(hFile, bytes.data(), (DWORD)bytes.size(), &dwWritten, NULL);
  ::CloseHandle(hFile);
  return dwWritten == bytes.size() ? path : std::string();
}

std::string NotAPicture(const std::string& name) {
  return name + ": The file could not be opened as a picture.";
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class FilesTest : public E2eTest {};

// A picture saved with File, Save As as an enhanced and as a Windows metafile opens again with File,
// Open as a new document of the same size and pixels.
TEST_F(FilesTest, APictureSavedAsAMetafileOpensAgain) {
  const CSize size(160, 100);
  const std::string source = SavePicturePng("e2e_files_source.png", size, Pattern);
  ASSERT_FALSE(source.empty());
  ASSERT_TRUE(m_app.Start("\"" + source + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, size));
  size_t nDocuments = 1;
  for (const std::string ext : {"emf", "wmf"}) {
    const std::string name = "e2e_files_saved." + ext, path = TempPath(name);
    ::DeleteFileA(path.c_str());
    ASSERT_TRUE(m_app.Menu('F', 'A'));
    ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Save As"));
    ASSERT_TRUE(WaitUntil("the title naming " + name,
                          [&] { return m_app.Text(m_app.Frame()).find(name) != std::string::npos; }));
    ASSERT_TRUE(Exists(path));
    ASSERT_TRUE(m_app.Menu('F', 'O'));
    ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Open"));
    ASSERT_TRUE(m_app.WaitForDocuments(++nDocuments, size)) << name;
    EXPECT_TRUE(m_app.PictureIs(size, Pattern)) << name;
    EXPECT_EQ(nullptr, m_app.WaitForDialog("could not be opened", 0)) << name;
    SaveScreenshot(ScreenRect(m_app.Frame()), ("e2e_files_opened_" + ext + ".bmp").c_str());
    ::DeleteFileA(path.c_str());
  }
  ::DeleteFileA(source.c_str());
}

// Each file whose data lies past its end, given on the command line, gives the one message and
// no fault; the start then ends as for any file that is no picture.
TEST_F(FilesTest, DataPastTheEndGivesTheOneMessageFromTheCommandLine) {
  bool bShot = false;
  for (const BadFile& file : BadFiles()) {
    ASSERT_FALSE(file.bytes.empty()) << file.name;
    const std::string path = WriteTempFile(file.name, file.bytes);
    ASSERT_FALSE(path.empty()) << file.name;
    ASSERT_TRUE(m_app.Launch("\"" + path + "\""));
    HWND hBox = m_app.WaitForDialog(NotAPicture(file.name), kNoPictureWaitMs);
    ASSERT_NE(nullptr, hBox) << file.name << ": no message; the program "
                             << (m_app.Running() ? "runs on"
                                                 : "ended with " + std::to_string(m_app.ExitCode()));
    if (!bShot) {
      // The box comes before the program's frame; its text is drawn a moment after it shows.
      const CRect message = ScreenRect(::GetDlgItem(hBox, 0xFFFF));
      WaitFor([&] {
        const std::vector<COLORREF> px = ReadScreen(message).data;
        return std::find(px.begin(), px.end(), RGB(0, 0, 0)) != px.end();
      });
      SaveScreenshot(ScreenRect(hBox), "e2e_files_far_command_line.bmp"), bShot = true;
    }
    ASSERT_TRUE(m_app.Answer(NotAPicture(file.name), VK_RETURN)) << file.name;
    ASSERT_TRUE(WaitUntil("the program to end", [&] { return !m_app.Running(); })) << file.name;
    EXPECT_LT(m_app.ExitCode(), 0xC0000000u) << file.name << ": ended by an exception";
    m_app.Kill();
    ::DeleteFileA(path.c_str());
  }
}

// Each such file opened with File, Open gives the one message and no document; the program goes on
// and opens the sound file. The dialog lists no icons: an icon reaches it renamed .bmp.
TEST_F(FilesTest, DataPastTheEndGivesTheOneMessageFromFileOpen) {
  ASSERT_TRUE(m_app.Start());
  bool bShot = false;
  for (const BadFile& file : BadFiles()) {
    if (file.name.size() > 4 && file.name.compare(file.name.size() - 4, 4, ".ico") == 0)
      continue;
    ASSERT_FALSE(file.bytes.empty()) << file.name;
    const std::string path = WriteTempFile(file.name, file.bytes);
    ASSERT_FALSE(path.empty()) << file.name;
    ASSERT_TRUE(m_app.Menu('F', 'O'));
    ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Open"));
    HWND hBox = m_app.WaitForDialog(NotAPicture(file.name), kNoPictureWaitMs);
    ASSERT_NE(nullptr, hBox) << file.name << ": no message; the program "
                             << (m_app.Running() ? "runs on"
                                                 : "ended with " + std::to_string(m_app.ExitCode()));
    if (!bShot)
      SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_files_far_file_open.bmp"), bShot = true;
    ASSERT_TRUE(m_app.Answer(NotAPicture(file.name), VK_RETURN)) << file.name;
    EXPECT_TRUE(m_app.Running() && m_app.Documents().empty()) << file.name;
    ::DeleteFileA(path.c_str());
  }
  const std::string sound = WriteTempFile("e2e_sound.bmp", MakeBmp());
  ASSERT_TRUE(m_app.Menu('F', 'O'));
  ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(sound, "Open"));
  ASSERT_TRUE(m_app.WaitForDocuments(1, CSize(55, 55)));
  EXPECT_TRUE(m_app.PictureIs(CSize(55, 55), Pattern));
  ::DeleteFileA(sound.c_str());
}

// A metafile whose playback never ends and one whose playback faults, opened with File, Open beside
// a picture: each gives the one message, the frame answers every message sent to it while the
// player runs, and the picture stays as it was.
TEST_F(FilesTest, AMetafileThatNeverEndsOrFaultsLeavesTheOpenPictureAsItWas) {
  const CSize size(160, 100);
  const std::string source = SavePicturePng("e2e_files_beside.png", size, Pattern);
  ASSERT_TRUE(m_app.Start("\"" + source + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, size));
  for (const std::string name : {"freeze_winding_polygon.emf", "crash_restore_dc_lowest_level.emf"}) {
    ASSERT_TRUE(m_app.Menu('F', 'O'));
    ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(TestMetafile("hostile\\" + name), "Open"));
    int nUnanswered = 0;
    HWND hBox = NULL;
    ASSERT_TRUE(WaitUntil(
        "the message for " + name,
        [&] {
          DWORD_PTR nResult = 0;
          nUnanswered += !::SendMessageTimeoutA(m_app.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &nResult);
          return (hBox = m_app.WaitForDialog(NotAPicture(name), 0)) != NULL || !m_app.Running();
        },
        kNoPictureWaitMs));
    ASSERT_NE(nullptr, hBox) << name << ": the program ended with " << m_app.ExitCode();
    EXPECT_EQ(0, nUnanswered) << name << ": messages the frame did not answer within a second";
    ASSERT_TRUE(m_app.Answer(NotAPicture(name), VK_RETURN)) << name;
  }
  EXPECT_EQ(1u, m_app.Documents().size());
  EXPECT_TRUE(m_app.PictureIs(size, Pattern));
  ::DeleteFileA(source.c_str());
}

// A place stored off every monitor (a monitor since removed) starts the window at the place made
// from the screen, and closing stores that place, so the next start finds the window there too.
TEST_F(FilesTest, AWindowStoredOffEveryMonitorComesBackWhereItCanBeReached) {
  for (const auto& [pszName, dwValue] : {std::make_pair("cs_x", 30000ul), std::make_pair("cs_y", 30000ul),
                                         std::make_pair("cs_cx", 700ul), std::make_pair("cs_cy", 650ul)})
    WriteOption(pszName, dwValue);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  const CRect expected(CPoint(cx / 50, cy / 50), CSize(cx * 14 / 15, cy * 12 / 15));
  for (int nRun = 0; nRun < 2; nRun++) {
    ASSERT_TRUE(m_app.Start());
    EXPECT_EQ(ToString(expected), ToString(ScreenRect(m_app.Frame()))) << "run " << nRun;
    if (nRun == 0)
      SaveScreenshot(CRect(0, 0, cx, cy), "e2e_files_window_back.bmp");
    ASSERT_TRUE(m_app.Exit());
    DWORD dwX = 0, dwY = 0;
    ASSERT_TRUE(ReadOption("cs_x", dwX) && ReadOption("cs_y", dwY));
    EXPECT_EQ(std::make_pair((DWORD)expected.left, (DWORD)expected.top), std::make_pair(dwX, dwY));
  }
}

// The program's folder holds no library of a system library's name, which it would load in place
// of the system's, and none of the tests' stand-ins.
TEST(ProgramFolder, HoldsNoStandIn) {
  char szSystem[MAX_PATH] = "";
  ::GetSystemDirectoryA(szSystem, MAX_PATH);
  WIN32_FIND_DATAA found;
  HANDLE hFind = ::FindFirstFileA((ProgramFolder() + "\\*.dll").c_str(), &found);
  for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &found))
    EXPECT_FALSE(Exists(std::string(szSystem) + "\\" + found.cFileName))
        << found.cFileName << " beside the program stands in for the system's";
  if (hFind != INVALID_HANDLE_VALUE)
    ::FindClose(hFind);
  hFind = ::FindFirstFileA((StandInFolder() + "\\*.*").c_str(), &found);
  for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &found))
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      EXPECT_FALSE(Exists(ProgramFolder() + "\\" + found.cFileName)) << found.cFileName;
  if (hFind != INVALID_HANDLE_VALUE)
    ::FindClose(hFind);
}

} // namespace
