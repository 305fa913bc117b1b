// The layout of a window's bars on the screen: a window that does not clip its children paints its
// update region over them, so a child the layout moves into that region paints again after it.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kChildColour = RGB(200, 0, 0);

// Paints its client area in one colour.
class CSolidChild : public CWnd {
protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kChildColour);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSolidChild, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

bool NothingToPaint(HWND hWnd) {
  RECT rc;
  for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if (::GetUpdateRect(h, &rc, FALSE))
      return false;
  return !::GetUpdateRect(hWnd, &rc, FALSE);
}

// A bar above the left-over window hides, as a tool bar does, and the layout moves the left-over
// window up into the place the bar left, which the parent (erasing in white) still has to paint.
TEST(Reposition, AChildMovedWhereItsParentStillPaintsPaintsAfterIt) {
  CWnd parent;
  const LPCSTR lpszClass =
      AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, lpszClass, "layout", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200,
                              NULL, NULL));
  CSolidChild bar, leftOver;
  const LPCSTR lpszChild = AfxRegisterWndClass(0);
  ASSERT_TRUE(bar.CreateEx(0, lpszChild, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, parent.m_hWnd,
                           reinterpret_cast<HMENU>(AFX_IDW_TOOLBAR)));
  ASSERT_TRUE(leftOver.CreateEx(0, lpszChild, "", WS_CHILD | WS_VISIBLE, 0, 100, 200, 100, parent.m_hWnd,
                                reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST)));
  ASSERT_TRUE(PumpUntil([&] { return NothingToPaint(parent.m_hWnd); }));

  bar.ShowWindow(SW_HIDE);
  const CRect rcTop(0, 0, 200, 100);
  parent.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, NULL, &rcTop);
  EXPECT_EQ(CRect(100, 100, 300, 200), ScreenRect(&leftOver));
  ASSERT_TRUE(PumpUntil([&] { return NothingToPaint(parent.m_hWnd); }));
  const pixel_support::Pixels px = pixel_support::ReadWindow(NULL, ScreenRect(&leftOver));
  ASSERT_FALSE(px.Empty());
  int nOther = 0;
  for (COLORREF cr : px.data)
    nOther += cr != kChildColour;
  EXPECT_EQ(0, nOther) << "of " << px.data.size() << " pixels, the first " << std::hex << px.data[0];
  parent.DestroyWindow();
}

} // namespace
