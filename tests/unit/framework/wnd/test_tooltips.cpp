// Tool tips: the framework asks the window under the pointer for its tool and releases each
// text it was handed exactly once.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Every tool text handed to the framework so far.
std::vector<void*> g_toolTexts;
int g_nToolTextFrees = 0;

} // namespace

// The test program links with free() wrapped, so that every release of a tool text is counted, a
// second release of the same text included. Texts are never really released, so their addresses
// are never handed out again and a count cannot be mistaken.
extern "C" void __real_free(void* p);
extern "C" void __wrap_free(void* p) {
  if (p != NULL && std::find(g_toolTexts.begin(), g_toolTexts.end(), p) != g_toolTexts.end())
    ++g_nToolTextFrees;
  else
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
    return 1;
  }
};

TEST(ToolTips, HitTestTextIsFreedOncePerHit) {
  CTipWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "tips", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL));
  wnd.EnableToolTips(TRUE);
  auto moveTo = [&](int x) {
    MSG msg = {wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, 10), 0, {x, 10}};
    wnd.PreTranslateMessage(&msg);
  };
  for (int x : {10, 11, 12})
    moveTo(x);
  EXPECT_EQ(3u, g_toolTexts.size());
  EXPECT_EQ(3, g_nToolTextFrees); // each text released once, none twice
  HWND hTip = AfxGetThreadState()->m_hToolTip;
  ASSERT_NE(nullptr, hTip);
  EXPECT_EQ(1, (int)::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
  moveTo(80); // off the tool, which removes it
  EXPECT_EQ(0, (int)::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
}

} // namespace
