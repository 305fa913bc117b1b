// Metafiles from outside are played in the player's process, which starts with an environment of
// its own. A file whose playback faults, never ends or piles up objects gives no picture and leaves
// this process as it was; its windows paint and answer while the player runs. Harmless files that
// the record check once refused open as the platform draws them, a placeable metafile's box maps
// onto its picture, and a frame whose size does not fit in 32 bits is refused. The files are made
// by tests/data/make_metafiles.py.
#include "imaging/MetafileFormat.h"
#include "imaging/MetafilePlayer.h"
#include "tests/common/object_counts.h"
#include "tests/common/process_layout.h"
#include "tests/unit/imaging/metafile_support.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using gdiptest::Loaded;
using gdiptest::LoadOverWhite;

// A file the build made, beside the test programs' folder.
std::string Metafile(const std::string& name) {
  char sz[MAX_PATH];
  std::string path(sz, ::GetModuleFileNameA(NULL, sz, MAX_PATH));
  path.resize(path.rfind('\\'));
  return path.substr(0, path.rfind('\\')) + "\\testdata\\metafiles\\" + name;
}

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct HostileCase {
  const char* name;
  bool bOpens; // played whole in the player: the objects it piles up, or a fault of another version
  // Played whole by the platform's 64-bit playback (the tests' build where the machine runs no
  // 32-bit code), whose styled pens neither fault nor spin.
  bool bWholeIn64Bit = false;
};
std::ostream& operator<<(std::ostream& os, const HostileCase& c) { return os << c.name; }

class HostileMetafile : public ::testing::TestWithParam<HostileCase> {};

// A file whose playback faults, never ends or takes the player's memory gives the message, and within
// the player's time; one the player plays opens at its size. The process keeps its objects.
TEST_P(HostileMetafile, LeavesTheProgramAsItWas) {
  const std::string path = Metafile(std::string("hostile\\") + GetParam().name + ".emf");
  ASSERT_FALSE(ReadAll(path).empty()) << path;
  const long nObjects = GdiObjectsInUse();
  ASSERT_GT(nObjects, 0);
  const DWORD dwStart = ::GetTickCount();
  const Loaded loaded = LoadOverWhite(path);
  const DWORD dwTaken = ::GetTickCount() - dwStart;
  if (GetParam().bOpens || (sizeof(void*) == 8 && GetParam().bWholeIn64Bit)) {
    EXPECT_TRUE(loaded.cx == 100 && loaded.cy == 100) << loaded.cx << " x " << loaded.cy;
  } else {
    EXPECT_EQ(0, loaded.cx) << "opened as a picture";
    // The bound leaves a margin for a machine under load; the playbacks take far longer.
    EXPECT_LT(dwTaken, kMetafilePlayerTimeout + 10000) << "the open took " << dwTaken << " ms";
  }
  EXPECT_EQ(nObjects, GdiObjectsInUse());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, HostileMetafile, ::testing::Values(
    HostileCase{"crash_user_style_00", false, true}, HostileCase{"crash_user_style_01_rectangle", false, true},
    HostileCase{"crash_user_style_wrapping_halves", false, true}, HostileCase{"crash_user_style_wrapping_minus_one", false, true},
    HostileCase{"crash_restore_dc_lowest_level", false}, HostileCase{"crash_wide_pen_scaled_viewport", false},
    HostileCase{"crash_rotated_font_55000", false}, HostileCase{"crash_font_under_world_transform", false},
    HostileCase{"crash_font_under_mapping", false}, HostileCase{"freeze_rotated_font_60000", false},
    HostileCase{"freeze_user_style_line_2_18", false, true}, HostileCase{"freeze_user_style_line_2_28", false, true},
    HostileCase{"freeze_dashed_lines", false, true}, HostileCase{"freeze_winding_polygon", false},
    HostileCase{"freeze_thin_triangles", false}, HostileCase{"freeze_widened_beziers", false},
    HostileCase{"freeze_zero_transform_after_wide_pen", false}, HostileCase{"exhaust_brushes_in_one_slot", true},
    HostileCase{"freeze_window_extent_past_32_bits", true}, HostileCase{"freeze_lometric_pen", true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A window of the thread that waits for the player, counting its paints and answering WM_APP.
std::atomic<int> g_nPaints{0};
LRESULT CALLBACK CountingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_PAINT) {
    PAINTSTRUCT ps;
    ::BeginPaint(hWnd, &ps);
    ::EndPaint(hWnd, &ps);
    g_nPaints++;
    return 0;
  }
  return nMsg == WM_APP ? 55 : ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// Another thread that every 20 ms, until stopped, invalidates a window and sends it WM_APP.
class CPoker {
public:
  explicit CPoker(HWND hWnd) : m_hWnd(hWnd) {
    m_hStop = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_hThread = ::CreateThread(NULL, 0, Run, this, 0, NULL);
  }
  ~CPoker() {
    Stop();
    ::CloseHandle(m_hStop);
  }
  bool Started() const { return m_hThread != NULL; }
  // Ends the thread, answering the message it may still be sending.
  void Stop() {
    if (m_hThread == NULL)
      return;
    ::SetEvent(m_hStop);
    MSG msg;
    while (::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0)
      ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    ::CloseHandle(m_hThread);
    m_hThread = NULL;
  }
  std::atomic<int> nSent{0}, nAnswered{0};

private:
  static DWORD WINAPI Run(void* pThis) {
    CPoker& poker = *static_cast<CPoker*>(pThis);
    while (::WaitForSingleObject(poker.m_hStop, 20) == WAIT_TIMEOUT) {
      ::InvalidateRect(poker.m_hWnd, NULL, FALSE);
      DWORD_PTR nAnswer = 0;
      poker.nSent++;
      if (::SendMessageTimeoutA(poker.m_hWnd, WM_APP, 0, 0, SMTO_NORMAL, 1000, &nAnswer) && nAnswer == 55)
        poker.nAnswered++;
    }
    return 0;
  }
  HWND m_hWnd;
  HANDLE m_hStop, m_hThread;
};

// While a player runs to its time, the waiting thread's window is painted as it is invalidated and
// answers every message sent to it within a second.
TEST(MetafilePlayer, WindowsPaintAndAnswerWhileItPlays) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = ::GetModuleHandleA(NULL);
  wc.lpszClassName = "PixTestPlayerWait";
  ::RegisterClassA(&wc);
  HWND hWnd = ::CreateWindowA(wc.lpszClassName, "waiting", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, NULL, NULL,
                              wc.hInstance, NULL);
  ASSERT_NE(nullptr, hWnd);
  ::UpdateWindow(hWnd);
  CPoker poker(hWnd);
  ASSERT_TRUE(poker.Started());
  const int nPaintsBefore = g_nPaints;
  const Loaded loaded = LoadOverWhite(Metafile("hostile\\freeze_winding_polygon.emf"));
  const int nPaintsDuring = g_nPaints - nPaintsBefore;
  poker.Stop();
  ::DestroyWindow(hWnd);
  EXPECT_EQ(0, loaded.cx) << "the player ran past its time";
  EXPECT_GE(nPaintsDuring, 10);
  EXPECT_EQ(poker.nSent.load(), poker.nAnswered.load());
}

// The end of the program, asked for while a picture plays (a window closed meanwhile), stays
// queued for the program's own loop, and the picture still comes.
TEST(MetafilePlayer, KeepsTheQuitPostedWhileItPlays) {
  ::PostQuitMessage(9);
  const Loaded loaded = LoadOverWhite(Metafile("harmless\\small_text_out.emf"));
  MSG msg = {};
  const BOOL bQuit = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_TRUE(bQuit && msg.message == WM_QUIT && msg.wParam == 9) << "the quit was dropped";
  EXPECT_EQ(100, loaded.cx);
}

using metafile_test::PlayedHere;

class HarmlessMetafile : public ::testing::TestWithParam<const char*> {};

// A narrow pen under a stretched mapping, a description right after the 88-byte header, a Windows
// metafile whose conversion sets text justification, a small text record: each opens with what the
// platform draws of it, which is more than white.
TEST_P(HarmlessMetafile, OpensAsThePlatformDrawsIt) {
  const std::string path = Metafile(std::string("harmless\\") + GetParam());
  const Bytes bytes = ReadAll(path);
  ASSERT_FALSE(bytes.empty()) << path;
  const Loaded loaded = LoadOverWhite(path);
  ASSERT_EQ(100, loaded.cx);
  ASSERT_EQ(100, loaded.cy);
  EXPECT_TRUE(loaded == PlayedHere(bytes, 100, 100));
  EXPECT_NE(loaded.px.end(),
            std::find_if(loaded.px.begin(), loaded.px.end(), [](DWORD c) { return c != 0xFFFFFFFF; }));
}

INSTANTIATE_TEST_SUITE_P(Files, HarmlessMetafile,
                         ::testing::Values("narrow_pen_stretched.emf", "description_after_header.emf",
                                           "justified_text.wmf", "small_text_out.emf"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

struct PlaceableCase {
  const char* name;
  int cx, cy;
  RECT rcBlack; // where the file's one black rectangle lies on the picture
};
std::ostream& operator<<(std::ostream& os, const PlaceableCase& c) { return os << c.name; }

class PlaceableMetafile : public ::testing::TestWithParam<PlaceableCase> {};

// The picture is the box at its units an inch, the box maps onto all of it and the records' window
// acts within it: black inside the rectangle and white outside, a pixel either side of its edges
// left to the rounding, and as the platform plays the file read that way.
TEST_P(PlaceableMetafile, MapsItsBoxOntoThePicture) {
  const PlaceableCase& c = GetParam();
  const std::string path = Metafile(std::string("placeable\\") + c.name + ".wmf");
  const Loaded loaded = LoadOverWhite(path);
  ASSERT_EQ(c.cx, loaded.cx);
  ASSERT_EQ(c.cy, loaded.cy);
  EXPECT_TRUE(loaded == PlayedHere(ReadAll(path), c.cx, c.cy));
  const RECT& r = c.rcBlack;
  int nWrong = 0;
  for (int y = 0; y < c.cy; y++)
    for (int x = 0; x < c.cx; x++) {
      const DWORD px = loaded.px[(size_t)y * c.cx + x] & 0xFFFFFF;
      const bool bInside = x > r.left && x < r.right - 1 && y > r.top && y < r.bottom - 1;
      const bool bOutside = x < r.left - 1 || x > r.right || y < r.top - 1 || y > r.bottom;
      nWrong += (bInside && px != 0) || (bOutside && px != 0xFFFFFF);
    }
  EXPECT_EQ(0, nWrong) << "pixels not as the box maps the rectangle";
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlaceableMetafile,
    ::testing::Values(PlaceableCase{"bottom_right_quarter_window_is_the_box", 600, 300, {300, 150, 600, 300}},
                      PlaceableCase{"top_left_quarter_window_twenty_times", 200, 100, {0, 0, 100, 50}},
                      PlaceableCase{"top_left_quarter_box_off_the_origin", 192, 96, {0, 0, 96, 48}}),
    [](const auto& info) { return std::string(info.param.name); });

// The environment block of a running player of this process, read from its process parameters.
std::wstring PlayerEnvironment(DWORD dwPlayer) {
  typedef LONG(WINAPI * QueryFn)(HANDLE, int, void*, ULONG, ULONG*);
  const QueryFn pfnQuery = reinterpret_cast<QueryFn>(
      ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
  HANDLE hPlayer = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, dwPlayer);
  ULONG_PTR basic[6] = {}; // exit status, then the address of the process's environment block
  std::wstring env;
  DWORD_PTR pParams = 0, pEnv = 0;
  wchar_t chunk[256];
  if (hPlayer != NULL && pfnQuery != NULL && pfnQuery(hPlayer, 0, basic, sizeof(basic), NULL) == 0 &&
      ::ReadProcessMemory(hPlayer, (BYTE*)basic[1] + kPebProcessParameters, &pParams, sizeof(pParams),
                          NULL) &&
      ::ReadProcessMemory(hPlayer, (BYTE*)pParams + kParametersEnvironment, &pEnv, sizeof(pEnv), NULL))
    for (SIZE_T at = 0; env.find(std::wstring(2, L'\0')) == std::wstring::npos && at < (1 << 20);
         at += sizeof(chunk))
      if (!::ReadProcessMemory(hPlayer, (BYTE*)pEnv + at, chunk, sizeof(chunk), NULL))
        break;
      else
        env.append(chunk, sizeof(chunk) / 2);
  if (hPlayer != NULL)
    ::CloseHandle(hPlayer);
  return env;
}

// The player's id once this process has started one; 0 while it has none.
DWORD RunningPlayer() {
  HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {sizeof(entry)};
  DWORD dwPlayer = 0;
  for (BOOL b = ::Process32First(hSnap, &entry); b && dwPlayer == 0; b = ::Process32Next(hSnap, &entry))
    if (entry.th32ParentProcessID == ::GetCurrentProcessId() && _stricmp(entry.szExeFile, "pixplay.exe") == 0)
      dwPlayer = entry.th32ProcessID;
  ::CloseHandle(hSnap);
  return dwPlayer;
}

// Reads the environment of the first player this process starts, until it has or is told to stop.
struct CEnvironmentReader {
  std::wstring env;
  std::atomic<bool> bLoaded{false};
  static DWORD WINAPI Run(void* p) {
    CEnvironmentReader& r = *static_cast<CEnvironmentReader*>(p);
    for (; r.env.empty() && !r.bLoaded; ::Sleep(5))
      if (const DWORD dwPlayer = RunningPlayer())
        r.env = PlayerEnvironment(dwPlayer);
    return 0;
  }
};

// The player holds nothing of the program beyond its job: none of the program's variables, and a
// bitmap that says it has no header while its offsets name one is refused, whatever memory around it.
TEST(MetafilePlayer, StartsWithAnEnvironmentOfItsOwn) {
  ASSERT_TRUE(::SetEnvironmentVariableW(L"PIX_PLAYER_SECRET", std::wstring(4000, L'S').c_str()));
  CEnvironmentReader reader;
  HANDLE hReader = ::CreateThread(NULL, 0, CEnvironmentReader::Run, &reader, 0, NULL);
  ASSERT_NE(nullptr, hReader);
  const Loaded frozen = LoadOverWhite(Metafile("hostile\\freeze_winding_polygon.emf"));
  reader.bLoaded = true;
  ::WaitForSingleObject(hReader, INFINITE);
  ::CloseHandle(hReader);
  const std::wstring& env = reader.env;
  EXPECT_EQ(0, frozen.cx);
  ASSERT_FALSE(env.empty()) << "no player's environment read";
  EXPECT_EQ(std::wstring::npos, env.find(L"PIX_PLAYER_SECRET"));
  EXPECT_EQ(std::wstring::npos, env.find(L"WINEPREFIX"));
  Loaded bitmaps[2];
  for (int i = 0; i < 2; i++) {
    ::SetEnvironmentVariableW(L"PIX_PLAYER_SECRET", std::wstring(4000, i == 0 ? L'A' : L'B').c_str());
    bitmaps[i] = LoadOverWhite(Metafile("refused\\bitmap_without_header_at_an_offset.emf"));
  }
  ::SetEnvironmentVariableW(L"PIX_PLAYER_SECRET", NULL);
  EXPECT_TRUE(bitmaps[0] == bitmaps[1]) << "the picture shows what the player's memory held";
  EXPECT_EQ(0, bitmaps[0].cx);
}

// A frame from -2^31 to 2^31 - 1 is no one-pixel picture: its size does not fit in 32 bits.
TEST(MetafileFrame, ASizePast32BitsIsRefused) {
  EXPECT_EQ(0, LoadOverWhite(Metafile("refused\\frame_past_32_bits.emf")).cx);
}

} // namespace
