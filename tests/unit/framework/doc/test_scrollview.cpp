// Scroll views: bars that follow the total and the window size, scrolling clamped to the range by
// line, page, thumb and wheel, and a viewport at minus the scroll position that never centres.
#include "framework/doc/fw_scrollview.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

inline void PrintTo(const CPoint& pt, std::ostream* os) { *os << "(" << pt.x << "," << pt.y << ")"; }
inline void PrintTo(const CSize& size, std::ostream* os) { *os << size.cx << "x" << size.cy; }

namespace {

const COLORREF kPaper = RGB(255, 0, 0), kMark = RGB(0, 0, 255);

// Paints its total size and one marked square, and notes the end of a vertical scroll.
class CTestScrollView : public CScrollView {
public:
  bool m_bVertEnded = false;
  void OnDraw(CDC* pDC) override {
    pDC->FillSolidRect(CRect(CPoint(0, 0), GetTotalSize()), kPaper);
    pDC->FillSolidRect(250, 130, 10, 10, kMark);
  }
  BOOL OnScroll(UINT nCode, UINT nPos, BOOL bDoScroll) override {
    m_bVertEnded |= HIBYTE(nCode) == SB_ENDSCROLL;
    return CScrollView::OnScroll(nCode, nPos, bDoScroll);
  }
};

// A 300 x 200 view; a 1000 x 800 total leaves 283 x 183 to show, so positions run to 717 x 617.
class ScrollViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_host.CreateHost("scroll", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400));
    m_pView = new CTestScrollView;
    ASSERT_TRUE(m_pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &m_host, 1));
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(128, 128), CSize(16, 16));
  }
  void TearDown() override {
    m_host.DestroyWindow();
    PumpPending();
  }
  // The bars' positions, which the view's own answers must match.
  CPoint Pos() {
    EXPECT_EQ(m_pView->GetScrollPosition(), m_pView->GetDeviceScrollPosition());
    return CPoint(m_pView->GetScrollPos(SB_HORZ), m_pView->GetScrollPos(SB_VERT));
  }
  CPoint PreparedOrigin(BOOL bPrinting = FALSE) {
    CClientDC dc(m_pView);
    dc.m_bPrinting = bPrinting;
    m_pView->OnPrepareDC(&dc);
    return dc.GetViewportOrg();
  }
  COLORREF Pixel(int x, int y) { return CClientDC(m_pView).GetPixel(x, y); }
  CHostWnd m_host;
  CTestScrollView* m_pView = NULL;
};

TEST_F(ScrollViewTest, BarsSpanTotalAndViewAndAppearOnlyWhereTheTotalDoesNotFit) {
  SCROLLINFO h, v;
  ASSERT_TRUE(m_pView->GetScrollInfo(SB_HORZ, &h) && m_pView->GetScrollInfo(SB_VERT, &v));
  EXPECT_EQ(std::make_tuple(0, 999, 283u, 0, 799, 183u),
            std::make_tuple(h.nMin, h.nMax, h.nPage, v.nMin, v.nMax, v.nPage));
  // The total and the view left beside the bars.
  const std::pair<CSize, CSize> cases[] = {
      {{300, 200}, {300, 200}}, {{301, 150}, {300, 183}}, {{250, 201}, {283, 200}}, {{290, 201}, {283, 183}}};
  for (auto [total, view] : cases) {
    m_pView->SetScrollSizes(MM_TEXT, total);
    CRect rc;
    m_pView->GetClientRect(&rc);
    EXPECT_EQ(view, rc.Size()) << ::testing::PrintToString(total);
  }
  // A zero page or line part takes a tenth of the total or of the page.
  int nMapMode;
  CSize total, page, line;
  m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(0, 50), CSize(7, 0));
  m_pView->GetDeviceScrollSizes(nMapMode, total, page, line);
  EXPECT_EQ(CSize(100, 50), page);
  EXPECT_EQ(CSize(7, 5), line);
  // A smaller window pulls the position back into the range.
  m_pView->ScrollToPosition(CPoint(717, 617));
  m_pView->MoveWindow(0, 0, 400, 300);
  EXPECT_EQ(CPoint(1000 - 383, 800 - 283), Pos());
}

TEST_F(ScrollViewTest, ScrollByAnswersTrueOnlyWhenThePositionChangesAndStaysInRange) {
  // Start, scroll by, whether to scroll, the answer and the end.
  const std::tuple<CPoint, CSize, BOOL, BOOL, CPoint> cases[] = {
      {{0, 0}, {-1, 0}, TRUE, FALSE, {0, 0}},   {{717, 617}, {5, 5}, TRUE, FALSE, {717, 617}},
      {{717, 0}, {5, 5}, TRUE, TRUE, {717, 5}}, {{5, 5}, {-9, -1}, TRUE, TRUE, {0, 4}},
      {{0, 0}, {10, 10}, FALSE, TRUE, {0, 0}},  {{5000, -20}, {0, 0}, TRUE, FALSE, {717, 0}}};
  for (auto [start, by, bDoScroll, bResult, end] : cases) {
    m_pView->ScrollToPosition(start);
    EXPECT_EQ(bResult, m_pView->OnScrollBy(by, bDoScroll)) << ::testing::PrintToString(start);
    EXPECT_EQ(end, Pos()) << ::testing::PrintToString(start);
  }
}

TEST_F(ScrollViewTest, BarMessagesAndTheWheelScrollByLinePageAndThumbWithinTheRange) {
  UINT nLines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
  const int nWheel = std::min<int>(617, nLines * 16);
  // The message, its code and position, and the start and end along the message's bar.
  const std::tuple<UINT, int, int, int, int> cases[] = {
      {WM_VSCROLL, SB_LINEDOWN, 0, 0, 16},         {WM_VSCROLL, SB_LINEUP, 0, 0, 0},
      {WM_VSCROLL, SB_PAGEDOWN, 0, 600, 617},      {WM_VSCROLL, SB_PAGEUP, 0, 300, 172},
      {WM_VSCROLL, SB_BOTTOM, 0, 0, 617},          {WM_VSCROLL, SB_TOP, 0, 300, 0},
      {WM_VSCROLL, SB_THUMBPOSITION, 345, 0, 345}, {WM_HSCROLL, SB_THUMBTRACK, 500, 0, 500},
      {WM_HSCROLL, SB_LINEDOWN, 0, 700, 716},      {WM_HSCROLL, SB_ENDSCROLL, 0, 40, 40},
      {WM_MOUSEWHEEL, 0, -WHEEL_DELTA, 0, nWheel}};
  for (auto [nMsg, nCode, nPos, nStart, nEnd] : cases) {
    const bool bHorz = nMsg == WM_HSCROLL;
    m_pView->ScrollToPosition(bHorz ? CPoint(nStart, 0) : CPoint(0, nStart));
    m_pView->SendMessage(nMsg, MAKEWPARAM(nCode, nPos));
    EXPECT_EQ(bHorz ? CPoint(nEnd, 0) : CPoint(0, nEnd), Pos()) << nMsg << " " << nCode;
  }
}

TEST_F(ScrollViewTest, ViewportStartsAtMinusThePositionExceptWhenPrintingAndNeverCentresAndTheRestIsFilled) {
  m_pView->UpdateWindow();
  EXPECT_TRUE(m_pView->OnScrollBy(CSize(120, 50)));
  m_pView->UpdateWindow();
  // The mark's new place lies in the part ScrollWindow moved, not in the part repainted.
  EXPECT_EQ(kMark, Pixel(135, 85));
  EXPECT_EQ(CPoint(-120, -50), PreparedOrigin());
  EXPECT_EQ(CPoint(0, 0), PreparedOrigin(TRUE));
  // A shrinking total moves the contents with the position it pulls back (to 117, 50).
  m_pView->SetScrollSizes(MM_TEXT, CSize(400, 250));
  m_pView->UpdateWindow();
  EXPECT_EQ(kMark, Pixel(141, 85));

  // A small total keeps to the top-left corner.
  m_pView->SetScrollSizes(MM_TEXT, CSize(100, 80));
  m_pView->UpdateWindow();
  EXPECT_EQ(CPoint(0, 0), PreparedOrigin());
  EXPECT_EQ(kPaper, Pixel(99, 79));
  EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(150, 100));
  // FillOutsideRect paints only beyond the total.
  pixel_support::DibSurface dib(300, 200);
  CBrush brush(kMark);
  m_pView->FillOutsideRect(&dib.dc(), &brush);
  EXPECT_EQ((std::vector<COLORREF>{RGB(255, 255, 255), kMark, kMark}),
            (std::vector<COLORREF>{dib.At(99, 79), dib.At(100, 0), dib.At(0, 80)}));
}

TEST_F(ScrollViewTest, FixedMetricModeScrollsInLogicalUnitsWithYUp) {
  m_pView->SetScrollSizes(MM_LOMETRIC, CSize(20000, 20000));
  m_pView->ScrollToPosition(CPoint(1000, -1200));
  EXPECT_NEAR(1000, m_pView->GetScrollPosition().x, 5);
  EXPECT_NEAR(-1200, m_pView->GetScrollPosition().y, 5);
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  EXPECT_EQ(MM_LOMETRIC, dc.GetMapMode());
  EXPECT_EQ(-m_pView->GetDeviceScrollPosition(), dc.GetViewportOrg());
}

TEST_F(ScrollViewTest, DraggingTheThumbReachesPositionsBeyondSixteenBits) {
  m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 200000));
  SCROLLBARINFO sbi = {sizeof(sbi)};
  ASSERT_TRUE(::GetScrollBarInfo(m_pView->m_hWnd, OBJID_VSCROLL, &sbi));
  const CPoint pt((sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2,
                  sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2);
  const DWORD flags[] = {0, MOUSEEVENTF_LEFTDOWN, 0, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; i++) {
    INPUT in = {INPUT_MOUSE};
    in.mi.dx = pt.x * 65536 / ::GetSystemMetrics(SM_CXSCREEN) + 1;
    in.mi.dy = (pt.y + (i < 2 ? 0 : 70)) * 65536 / ::GetSystemMetrics(SM_CYSCREEN) + 1;
    in.mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
  }
  for (DWORD dwStart = ::GetTickCount(); !m_pView->m_bVertEnded && ::GetTickCount() - dwStart < 5000;) {
    PumpPending();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
  ASSERT_TRUE(m_pView->m_bVertEnded);
  EXPECT_GT(Pos().y, 65535) << "the 16-bit thumb position was taken";
  EXPECT_EQ(CPoint(0, -Pos().y), PreparedOrigin());
}

} // namespace
