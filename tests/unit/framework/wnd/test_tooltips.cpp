// Tool tips: the framework asks the window under the pointer for its tool and releases each
// text it was handed exactly once.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// Every tool text handed to the framework so far.
std::vector<void*> g_toolTexts;
int g_nToolTextAllocs = 0;
int g_nToolTextFrees = 0;

} // namespace

// The test program links with free() wrapped, so that every release of a tool text is counted, a
// second release of the same text included. Texts are never really released, so their addresses
// are never handed out again and a count cannot be mistaken.
extern "C" void __real_free(void* p);
extern "C" void __wrap_free(void* p) {
  for (void* text : g_toolTexts) {
    if (p != NULL && text == p) {
      ++g_nToolTextFrees;
      return;
    }
  }
  __real_free(p);
}

namespace {

class CTipWnd : public CWnd {
public:
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override {
    if (point.x >= 50)
      return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = 1;
    pTI->rect = CRect(0, 0, 50, 50);
    pTI->lpszText = static_cast<LPSTR>(std::malloc(16));
    lstrcpyA(pTI->lpszText, "tip text");
    g_toolTexts.push_back(pTI->lpszText);
    ++g_nToolTextAllocs;
    return 1;
  }
};

TEST(ToolTips, HitTestTextIsFreedOncePerHit) {
  CTipWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "tips", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL));
  wnd.EnableToolTips(TRUE);
  g_nToolTextAllocs = 0;
  g_nToolTextFrees = 0;
  for (int i = 0; i < 3; i++) {
    MSG msg = {};
    msg.hwnd = wnd.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(10 + i, 10);
    msg.pt = {10 + i, 10};
    wnd.PreTranslateMessage(&msg);
  }
  EXPECT_EQ(3, g_nToolTextAllocs);
  EXPECT_EQ(3, g_nToolTextFrees); // each text released once, none twice
  HWND hTip = AfxGetThreadState()->m_hToolTip;
  ASSERT_NE(nullptr, hTip);
  EXPECT_EQ(1, (int)::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
  // Moving off the tool removes it.
  MSG msg = {};
  msg.hwnd = wnd.m_hWnd;
  msg.message = WM_MOUSEMOVE;
  msg.pt = {80, 10};
  wnd.PreTranslateMessage(&msg);
  EXPECT_EQ(0, (int)::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
  wnd.DestroyWindow();
}

} // namespace
