// Resizing a floating frame by its borders with the real pointer: a resizable bar follows the
// dragged edges, a tool bar takes the sizes its layout allows and keeps its top-left corner, and a
// key ends the resizing with the last size kept.
#include "tests/common/driver_script.h"
#include "tests/common/window_support.h"
#include "tests/common/input_support.h"
#include "tests/unit/toolkit/docking/mini_frame_support.h"

#include <string>

namespace {

struct ResizeCase {
  const char* name;
  BarKind kind;
  UINT nHit;  // the border pressed
  CSize drag; // how far the pointer goes from the press
};

// A point of the border or corner of the window rectangle.
CPoint PressPoint(const CRect& rc, UINT nHit) {
  const CPoint ptMid = rc.CenterPoint();
  switch (nHit) {
  case HTLEFT:
    return CPoint(rc.left, ptMid.y);
  case HTRIGHT:
    return CPoint(rc.right - 1, ptMid.y);
  case HTTOP:
    return CPoint(ptMid.x, rc.top);
  case HTBOTTOM:
    return CPoint(ptMid.x, rc.bottom - 1);
  case HTBOTTOMLEFT:
    return CPoint(rc.left, rc.bottom - 1);
  default: // HTTOPRIGHT
    return CPoint(rc.right - 1, rc.top);
  }
}

// Where the frame ends up: a resizable bar's dragged edges lie at the pointer; a tool bar grows
// from its top-left corner by the length the pointer offers, the left and top edges mirrored.
CRect Expected(const ResizeCase& row, const CRect& rcStart, CSize sizeNc, CPoint ptTo) {
  CRect rc(rcStart);
  if (row.kind == BarKind::kResizable) {
    if (row.nHit == HTLEFT || row.nHit == HTBOTTOMLEFT)
      rc.left = ptTo.x;
    if (row.nHit == HTRIGHT || row.nHit == HTTOPRIGHT)
      rc.right = ptTo.x;
    if (row.nHit == HTTOP || row.nHit == HTTOPRIGHT)
      rc.top = ptTo.y;
    if (row.nHit == HTBOTTOM || row.nHit == HTBOTTOMLEFT)
      rc.bottom = ptTo.y;
    return rc;
  }
  const bool bWidth = row.nHit == HTLEFT || row.nHit == HTRIGHT;
  int nEdge = 0;
  if (row.nHit == HTRIGHT)
    nEdge = ptTo.x - rcStart.left;
  else if (row.nHit == HTLEFT)
    nEdge = rcStart.right - ptTo.x;
  else if (row.nHit == HTBOTTOM)
    nEdge = ptTo.y - rcStart.top;
  else
    nEdge = rcStart.bottom - ptTo.y;
  const CSize size = CCellBar::SizeFor(nEdge - (bWidth ? sizeNc.cx : sizeNc.cy), !bWidth);
  return CRect(rcStart.TopLeft(), size + sizeNc);
}

std::string Str(const CRect& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.Width()) + "x" +
         std::to_string(rc.Height());
}

class MiniFrameResize : public MiniFrameTest, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(MiniFrameResize, BorderDragsResizeTheBarLive) {
  const ResizeCase& row = GetParam();
  CExtControlBar* pBar = FloatBar(row.kind, CPoint(300, 300));
  CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
  ASSERT_NE(nullptr, pMini);
  const CRect rcStart = ScreenRect(pMini);
  // The frame keeps this much around the bar.
  const CSize sizeNc = rcStart.Size() - ScreenRect(pBar).Size();
  const CPoint ptFrom = PressPoint(rcStart, row.nHit), ptTo = ptFrom + row.drag;
  const CRect rcExpected = Expected(row, rcStart, sizeNc, ptTo);
  ASSERT_NE(rcStart, rcExpected);
  std::vector<bool> results;
  std::atomic<bool> bDone(false);
  std::thread driver = DriveInput(
      {{[=] { real_input::MouseAt(ptFrom, 0); }, [=] { return CursorAt(ptFrom); }},
       {[=] { real_input::MouseAt(ptFrom, MOUSEEVENTF_LEFTDOWN); }, [=] { return pMini->IsResizing(); }},
       // Each move waited for until the frame has followed it: of two moves sent at once the first
       // is now and then reported late.
       {[=] { real_input::MouseAt(ptTo + CPoint(1, 1), 0); },
        [=] {
          return CursorAt(ptTo + CPoint(1, 1)) &&
                 ScreenRect(pMini) == Expected(row, rcStart, sizeNc, ptTo + CPoint(1, 1));
        }},
       // The X server reports the pointer's move to the frame's thread as well, a little later; that
       // report is taken before the last move, which it would otherwise undo by a pixel.
       {[=] { real_input::SyncInput(pMini->m_hWnd); }, nullptr},
       {[=] { real_input::MouseAt(ptTo, 0); }, [=] { return ScreenRect(pMini) == rcExpected; }},
       {[=] { real_input::MouseAt(ptTo, MOUSEEVENTF_LEFTUP); }, [=] { return !pMini->IsResizing(); }}},
      results, bDone);
  EXPECT_TRUE(PumpUntil([&] { return bDone.load(); }, kDriverEndMs));
  driver.join();
  EXPECT_EQ(std::vector<bool>(6, true), results);
  // The frame keeps the size once the resizing is over and it lays itself out again.
  pMini->RecalcLayout();
  PumpPending();
  EXPECT_EQ(Str(rcExpected), Str(ScreenRect(pMini))) << "from " << Str(rcStart);
  EXPECT_EQ(Str(CRect(CPoint(0, 0), rcExpected.Size() - sizeNc)),
            Str(CRect(CPoint(0, 0), pBar->m_sizeFloated)));
  EXPECT_EQ(CExtMouseCaptureSink::GetCapture(), (HWND)NULL);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Borders, MiniFrameResize, ::testing::Values(
    ResizeCase{"panel_right", BarKind::kResizable, HTRIGHT, CSize(70, 0)},
    ResizeCase{"panel_left_narrower", BarKind::kResizable, HTLEFT, CSize(40, 0)},
    ResizeCase{"panel_top", BarKind::kResizable, HTTOP, CSize(0, -50)},
    ResizeCase{"panel_bottom_left_corner", BarKind::kResizable, HTBOTTOMLEFT, CSize(-40, 30)},
    ResizeCase{"panel_top_right_corner", BarKind::kResizable, HTTOPRIGHT, CSize(30, 20)},
    ResizeCase{"tool_right_wider", BarKind::kFixed, HTRIGHT, CSize(65, 0)},
    ResizeCase{"tool_left_grows_to_the_right", BarKind::kFixed, HTLEFT, CSize(-45, 0)},
    ResizeCase{"tool_bottom_taller", BarKind::kFixed, HTBOTTOM, CSize(0, 50)},
    ResizeCase{"tool_top_grows_downwards", BarKind::kFixed, HTTOP, CSize(0, -30)}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(MiniFrameTest, AKeyEndsResizingWithTheLastSizeKept) {
  CExtMiniDockFrameWnd* pMini = MiniOf(FloatBar(BarKind::kResizable, CPoint(300, 300)));
  ASSERT_NE(nullptr, pMini);
  const CRect rcStart = ScreenRect(pMini);
  const CPoint ptFrom = PressPoint(rcStart, HTRIGHT), ptTo = ptFrom + CSize(40, 0),
               ptLater = ptFrom + CSize(110, 0);
  CRect rcKept(rcStart);
  rcKept.right = ptTo.x;
  std::vector<bool> results;
  std::atomic<bool> bDone(false);
  std::thread driver = DriveInput(
      {{[=] { real_input::MouseAt(ptFrom, 0); }, [=] { return CursorAt(ptFrom); }},
       {[=] { real_input::MouseAt(ptFrom, MOUSEEVENTF_LEFTDOWN); }, [=] { return pMini->IsResizing(); }},
       {[=] { real_input::MouseAt(ptTo, 0); }, [=] { return ScreenRect(pMini) == rcKept; }},
       {[] { real_input::Key(VK_ESCAPE); }, [=] { return !pMini->IsResizing(); }},
       {[=] { real_input::MouseAt(ptLater, 0); }, [=] { return CursorAt(ptLater); }},
       {[=] { real_input::MouseAt(ptLater, MOUSEEVENTF_LEFTUP); }, nullptr}},
      results, bDone);
  EXPECT_TRUE(PumpUntil([&] { return bDone.load(); }, kDriverEndMs));
  driver.join();
  EXPECT_EQ(std::vector<bool>(6, true), results);
  // Everything sent after the key has been through the queue: the frame stayed as it was.
  EXPECT_TRUE(PumpUntil(
      [] { return ::GetQueueStatus(QS_INPUT) == 0 && (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }));
  EXPECT_EQ(Str(rcKept), Str(ScreenRect(pMini)));
  EXPECT_EQ(CExtMouseCaptureSink::GetCapture(), (HWND)NULL);
}

} // namespace
