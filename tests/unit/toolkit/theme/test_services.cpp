// The theme engine's window and bitmap services on real windows and bitmaps.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "tests/common/pixel_support.h"

using PM = CExtPaintManager;

namespace {

// Paint messages the test window saw; with s_bValidate false it never validates itself.
int g_nPaints = 0;
int g_nPosted = 0;
bool g_bValidate = true;
const UINT kPostedMessage = WM_APP + 7;

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  switch (nMsg) {
  case WM_PAINT:
    ++g_nPaints;
    if (g_bValidate)
      ::ValidateRect(hWnd, NULL);
    return 0;
  case WM_PRINTCLIENT: {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HBRUSH hBrush = ::CreateSolidBrush(RGB(10, 200, 30));
    ::FillRect((HDC)wParam, &rc, hBrush);
    ::DeleteObject(hBrush);
    return 0;
  }
  case kPostedMessage:
    ++g_nPosted;
    return 0;
  }
  return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// A visible top-level window of the test class, destroyed with the object.
class TestWindow {
public:
  TestWindow(int cx, int cy) {
    static const ATOM atom = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = TestWndProc;
      wc.hInstance = ::GetModuleHandleA(NULL);
      wc.lpszClassName = "ThemeServicesTest";
      return ::RegisterClassA(&wc);
    }();
    (void)atom;
    m_hWnd = ::CreateWindowExA(0, "ThemeServicesTest", "", WS_POPUP | WS_VISIBLE, 10, 10, cx, cy, NULL, NULL,
                               ::GetModuleHandleA(NULL), NULL);
  }
  ~TestWindow() { ::DestroyWindow(m_hWnd); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND m_hWnd;
};

class Services : public ThemeTest {
protected:
  void SetUp() override {
    g_nPaints = g_nPosted = 0;
    g_bValidate = true;
  }
};

TEST_F(Services, PumpDispatchesPaintingAndLeavesOtherMessagesQueued) {
  TestWindow w(40, 30);
  ::UpdateWindow(w.m_hWnd);
  g_nPaints = 0;
  ::PostMessageA(w.m_hWnd, kPostedMessage, 0, 0);
  ::InvalidateRect(w.m_hWnd, NULL, FALSE);
  PM::PumpPendingMessages(true, true, true);
  EXPECT_EQ(1, g_nPaints);
  EXPECT_EQ(0, g_nPosted);
  MSG msg;
  EXPECT_TRUE(::PeekMessageA(&msg, w.m_hWnd, kPostedMessage, kPostedMessage, PM_REMOVE));
}

// A window that never validates itself is served once more and then left alone.
TEST_F(Services, PumpEndsOnAWindowThatNeverValidates) {
  TestWindow w(40, 30);
  g_bValidate = false;
  ::InvalidateRect(w.m_hWnd, NULL, FALSE);
  PM::PumpPendingMessages(false, false, true);
  EXPECT_GE(g_nPaints, 1);
  EXPECT_LE(g_nPaints, 2);
  ::ValidateRect(w.m_hWnd, NULL);
}

TEST_F(Services, CaptureGivesTheWindowsPrintedClientAndNothingForAnEmptyWindow) {
  TestWindow w(40, 30);
  HBITMAP h = PM::CaptureWindowToDib(w.m_hWnd, WM_PRINTCLIENT, PRF_CLIENT);
  ASSERT_NE(nullptr, h);
  const auto px = pixel_support::ReadBitmap(h);
  ::DeleteObject(h);
  EXPECT_EQ(40, px.cx);
  EXPECT_EQ(30, px.cy);
  EXPECT_EQ(RGB(10, 200, 30), px.At(20, 15));
  TestWindow empty(0, 0);
  EXPECT_EQ(nullptr, PM::CaptureWindowToDib(empty.m_hWnd, WM_PRINTCLIENT, PRF_CLIENT));
}

TEST_F(Services, TransparentChildrenStayUnclippedAndOwnerDrawnButtonsOnlyWithLunaColours) {
  TestWindow parent(100, 40);
  HWND hStatic =
      ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent.m_hWnd, NULL, NULL, NULL);
  HWND hOwner = ::CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 30, 0, 20, 20,
                                parent.m_hWnd, NULL, NULL, NULL);
  HWND hEdit =
      ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 60, 0, 20, 20, parent.m_hWnd, NULL, NULL, NULL);
  EXPECT_TRUE(PM::IsTransparentChildClass(hStatic));
  EXPECT_FALSE(PM::IsTransparentChildClass(hOwner));
  EXPECT_FALSE(PM::IsTransparentChildClass(hEdit));

  pixel_support::DibSurface s(100, 40, RGB(0, 0, 0));
  PM::ExcludeChildAreas(s.hdc(), parent.m_hWnd, &PM::FilterTransparentChild, NULL);
  s.dc().FillSolidRect(0, 0, 100, 40, RGB(255, 255, 255));
  EXPECT_EQ(RGB(255, 255, 255), s.At(10, 10)); // the static
  EXPECT_EQ(RGB(0, 0, 0), s.At(40, 10));       // the owner-drawn button
  EXPECT_EQ(RGB(0, 0, 0), s.At(70, 10));       // the edit

  const CExtPaintManagerHolder::ForcedVisualStyle_t luna = {
      true, L"luna.msstyles", L"normalcolor", 7, {1, 2, 3, 4, 5, 6, 7}};
  CExtPaintManagerHolder::TestForceVisualStyle(&luna);
  g_PaintManagerHolder.DetectVisualStyle();
  EXPECT_TRUE(PM::IsTransparentChildClass(hOwner));
  CExtPaintManagerHolder::TestForceVisualStyle(NULL);
  g_PaintManagerHolder.DetectVisualStyle();
}

TEST_F(Services, BitmapsCopyCountPackAndLoad) {
  CBitmap source;
  source.Attach(MakeSolidBitmap(8, 4, RGB(255, 0, 0)));
  FillBitmapRect((HBITMAP)source.GetSafeHandle(), RECT{0, 0, 2, 4}, RGB(0, 0, 255));
  FillBitmapRect((HBITMAP)source.GetSafeHandle(), RECT{7, 3, 8, 4}, RGB(0, 128, 0));
  HBITMAP hSource = (HBITMAP)source.GetSafeHandle();
  CMap<COLORREF, COLORREF, DWORD, DWORD> counts;
  EXPECT_EQ(32, PM::CountBitmapColors(hSource, counts));
  DWORD n = 0;
  EXPECT_TRUE(counts.Lookup(RGB(255, 0, 0), n));
  EXPECT_EQ(23u, n);
  EXPECT_TRUE(counts.Lookup(RGB(0, 0, 255), n));
  EXPECT_EQ(8u, n);
  EXPECT_EQ(3, (int)counts.GetCount());

  RECT rcPart = {1, 1, 5, 3};
  DWORD* pBits = NULL;
  HBITMAP hPart = PM::CopyBitmapTo32BitDib(hSource, &rcPart, &pBits);
  ASSERT_NE(nullptr, hPart);
  ASSERT_NE(nullptr, pBits);
  const auto px = pixel_support::ReadBitmap(hPart);
  EXPECT_EQ(4, px.cx);
  EXPECT_EQ(RGB(0, 0, 255), px.At(0, 0));
  EXPECT_EQ(RGB(255, 0, 0), px.At(1, 0));
  ::DeleteObject(hPart);

  // A packed DIB written as a BMP file's bytes reads back.
  HGLOBAL hPacked = PM::BitmapToPackedDib(hSource);
  ASSERT_NE(nullptr, hPacked);
  const SIZE_T nPacked = ::GlobalSize(hPacked);
  std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + nPacked);
  BITMAPFILEHEADER head = {0x4D42, (DWORD)file.size(), 0, 0,
                           (DWORD)(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  memcpy(file.data(), &head, sizeof(head));
  memcpy(file.data() + sizeof(head), ::GlobalLock(hPacked), nPacked);
  ::GlobalUnlock(hPacked);
  ::GlobalFree(hPacked);
  HBITMAP hLoaded = PM::LoadBitmapFromMemory(file.data(), (DWORD)file.size());
  ASSERT_NE(nullptr, hLoaded);
  const auto loaded = pixel_support::ReadBitmap(hLoaded);
  ::DeleteObject(hLoaded);
  EXPECT_EQ(RGB(0, 128, 0), loaded.At(7, 3));
  EXPECT_EQ(RGB(0, 0, 255), loaded.At(0, 0));
  EXPECT_EQ(nullptr, PM::LoadBitmapFromMemory(file.data(), 10));
  EXPECT_EQ(nullptr, PM::LoadBitmapFromMemory(NULL, 0));

  CArray<COLORREF, COLORREF> colors;
  EXPECT_EQ(3, PM::GetBitmapColors(hSource, colors, true));
}

TEST_F(Services, IconOfABitmapIsTransparentWhereTheKeyWas) {
  HBITMAP hFree = MakeSolidBitmap(16, 16, RGB(255, 0, 255));
  FillBitmapRect(hFree, RECT{4, 4, 12, 12}, RGB(0, 0, 200));
  HICON hIcon = PM::BitmapToIcon(hFree, RGB(255, 0, 255), NULL, false);
  ::DeleteObject(hFree);
  ASSERT_NE(nullptr, hIcon);
  pixel_support::DibSurface t(16, 16, RGB(9, 9, 9));
  ::DrawIconEx(t.hdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
  ::DestroyIcon(hIcon);
  EXPECT_EQ(RGB(9, 9, 9), t.At(1, 1));
  EXPECT_EQ(RGB(0, 0, 200), t.At(8, 8));
}

TEST_F(Services, DllVersionOfTheCommonControlsAndOfAMissingDll) {
  const DWORD dwVersion = PM::GetDllVersion("COMCTL32.DLL");
  EXPECT_GE(HIWORD(dwVersion), 5u);
  EXPECT_EQ(0u, PM::GetDllVersion("no_such_library_here.dll"));
  EXPECT_EQ(0u, PM::GetDllVersion("kernel32.dll"));
}

} // namespace
