// Metafiles from outside are played in the player's process. A file whose playback faults, never
// ends or piles up objects gives no picture, or its picture, and leaves this process as it was;
// its windows paint and answer while the player runs. Harmless files that the record check once
// refused open as the platform draws them, and a frame whose size does not fit in 32 bits is
// refused. The files are made by tests/data/make_metafiles.py.
#include "imaging/MetafileFormat.h"
#include "tests/common/object_counts.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
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

class HostileMetafile : public ::testing::TestWithParam<const char*> {};

// The picture, if any, is the file's own size; the process keeps its objects as they were.
TEST_P(HostileMetafile, LeavesTheProgramAsItWas) {
  const std::string path = Metafile(std::string("hostile\\") + GetParam() + ".emf");
  ASSERT_FALSE(ReadAll(path).empty()) << path;
  const long nObjects = GdiObjectsInUse();
  ASSERT_GT(nObjects, 0);
  const Loaded loaded = LoadOverWhite(path);
  EXPECT_TRUE(loaded.cx == 0 || (loaded.cx == 100 && loaded.cy == 100)) << loaded.cx << " x " << loaded.cy;
  EXPECT_EQ(nObjects, GdiObjectsInUse());
}

INSTANTIATE_TEST_SUITE_P(Files, HostileMetafile,
                         ::testing::Values("crash_user_style_00", "crash_user_style_01_rectangle",
                                           "crash_user_style_wrapping_halves",
                                           "crash_user_style_wrapping_minus_one",
                                           "crash_restore_dc_lowest_level", "crash_rotated_font_55000",
                                           "crash_font_under_world_transform", "crash_font_under_mapping",
                                           "crash_wide_pen_scaled_viewport", "freeze_user_style_line_2_18",
                                           "freeze_user_style_line_2_28", "freeze_dashed_lines",
                                           "freeze_winding_polygon", "freeze_thin_triangles",
                                           "freeze_widened_beziers", "freeze_window_extent_past_32_bits",
                                           "freeze_lometric_pen", "freeze_zero_transform_after_wide_pen",
                                           "freeze_rotated_font_60000", "exhaust_brushes_in_one_slot"),
                         [](const auto& info) { return std::string(info.param); });

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

// The picture the platform draws of the file, played here over white.
Loaded PlayedHere(const Bytes& bytes, int cx, int cy) {
  const size_t kPlaceable = sizeof(PlaceableHeader);
  const METAFILEPICT natural = {MM_ANISOTROPIC, 0, 0, NULL};
  const bool bPlaceable =
      bytes.size() > kPlaceable && *reinterpret_cast<const DWORD*>(bytes.data()) == kPlaceableKey;
  EnhMetafilePtr hEmf(bPlaceable ? ::SetWinMetaFileBits((UINT)(bytes.size() - kPlaceable),
                                                        bytes.data() + kPlaceable, NULL, &natural)
                                 : ::SetEnhMetaFileBits((UINT)bytes.size(), bytes.data()));
  Loaded played;
  CPixelPlane plane;
  HBITMAP hSection = CreatePlaneBitmap(cx, cy, &plane);
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hDC, hSection);
  const RECT whole = {0, 0, cx, cy}, frame = {0, 0, cx - 1, cy - 1};
  ::FillRect(hDC, &whole, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  if (hEmf && ::PlayEnhMetaFile(hDC, hEmf.get(), &frame)) {
    ::GdiFlush();
    played.cx = cx, played.cy = cy;
    for (int y = 0; y < cy; y++)
      for (int x = 0; x < cx; x++)
        played.px.push_back(reinterpret_cast<DWORD*>(plane.Row(y))[x] | 0xFF000000);
  }
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  ::DeleteObject(hSection);
  return played;
}

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

// A frame from -2^31 to 2^31 - 1 is no one-pixel picture: its size does not fit in 32 bits.
TEST(MetafileFrame, ASizePast32BitsIsRefused) {
  EXPECT_EQ(0, LoadOverWhite(Metafile("refused\\frame_past_32_bits.emf")).cx);
}

} // namespace
