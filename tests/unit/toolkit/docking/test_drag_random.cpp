// Random drags from fixed seeds: after every drop or cancel the dock bars' arrays hold together,
// no outline is left on the screen (it equals the windows' own repaint), and hundreds of drags
// leave the GDI and USER object counts where they were.
#include "tests/unit/toolkit/docking/drag_fixture.h"

#include "tests/common/object_counts.h"
#include "tests/common/pixel_support.h"
#include "tests/common/soak_length.h"
#include "tests/common/window_support.h"

#include <cstdio>
#include <random>

namespace {

class DragRandomBase : public DragFixture {
protected:
  void SetUp() override {
    DragFixture::SetUp();
    m_panels.push_back(AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p0"));
    m_panels.push_back(AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "p1"));
    m_panels.push_back(AddPanel(203, AFX_IDW_DOCKBAR_BOTTOM, "p2"));
  }
  // One random drag of a docked panel through a few points over and around the frame, dropped
  // or cancelled; answers what it did for the failure messages.
  std::string RandomDrag(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    CPanelBar* pBar = m_panels[pick(3)];
    if (pBar->IsFloating()) {
      // Floating bars move with their frame's caption; dock it again for the next drag.
      m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP + pick(4));
      Relayout(m_pFrame.get());
    }
    CRect rcArea = ScreenRect(m_pFrame.get());
    rcArea.InflateRect(20, 20);
    std::vector<DragInput> script;
    std::string what = std::string("drag ") + std::to_string(pBar->GetDlgCtrlID());
    const int nPoints = 1 + pick(3);
    CPoint pt;
    for (int i = 0; i < nPoints; i++) {
      pt = CPoint(rcArea.left + pick(rcArea.Width()), rcArea.top + pick(rcArea.Height()));
      script.push_back(DragInput::Move(pt));
      what += " (" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ")";
    }
    if (pick(4) == 0) {
      script.push_back(DragInput::Key(VK_ESCAPE, true));
      script.push_back(DragInput::Key(VK_ESCAPE, false));
      what += " cancelled";
    }
    DragInput up = DragInput::Do(DragInput::LEFT_UP);
    up.pt = pt;
    script.push_back(up);
    if (!RunDrag(pBar, CaptionPoint(pBar), script))
      what += " [did not end]";
    Relayout(m_pFrame.get());
    return what;
  }
  std::vector<CPanelBar*> m_panels;
};

// Every visible top-level window of this thread, repainted completely.
BOOL CALLBACK RepaintWindow(HWND hWnd, LPARAM) {
  if (::IsWindowVisible(hWnd))
    ::RedrawWindow(hWnd, NULL, NULL,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return TRUE;
}

class DragRandom : public DragRandomBase, public ::testing::WithParamInterface<unsigned> {};

TEST_P(DragRandom, EveryDropLeavesSoundArraysAndNoOutline) {
  std::mt19937 random(GetParam());
  for (int nDrag = 0; nDrag < 12; nDrag++) {
    const std::string what = RandomDrag(random);
    ASSERT_EQ(0, Log().Shown()) << "drag " << nDrag << ": " << what;
    ASSERT_TRUE(ArraysAreSound(m_pFrame.get())) << "drag " << nDrag << ": " << what << "\n" << Dump();
    PumpPending();
    CRect rcFrame = ScreenRect(m_pFrame.get());
    const pixel_support::Pixels before = pixel_support::ReadWindow(NULL, rcFrame);
    ::EnumThreadWindows(::GetCurrentThreadId(), RepaintWindow, 0);
    PumpPending();
    const pixel_support::Pixels after = pixel_support::ReadWindow(NULL, rcFrame);
    if (before.data != after.data) {
      pixel_support::SaveBmp(before, ("drag_random_" + std::to_string(GetParam()) + "_screen.bmp").c_str());
      pixel_support::SaveBmp(after, ("drag_random_" + std::to_string(GetParam()) + "_repaint.bmp").c_str());
      FAIL() << "drag " << nDrag << " left something on the screen: " << what;
    }
  }
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, ScreenRect(m_pFrame.get())),
                         ("drag_random_" + std::to_string(GetParam()) + ".bmp").c_str());
}

INSTANTIATE_TEST_SUITE_P(Seeds, DragRandom, ::testing::Values(3u, 11u, 2026u));

TEST_F(DragRandomBase, ManyDragsKeepTheObjectCountsFlat) {
  std::mt19937 random(99);
  // The first drags make what lives on (floating frames, inner circles, cached objects).
  for (int nDrag = 0; nDrag < 20; nDrag++)
    RandomDrag(random);
  const long nGdi = GdiObjectsInUse();
  const long nUser = UserObjectsInUse();
  // An object left by every drag exceeds the allowance many times over; one left by one drag in
  // ten still exceeds it.
  const int nDrags = soak::Cycles(120, 280);
  for (int nDrag = 0; nDrag < nDrags; nDrag++) {
    const std::string what = RandomDrag(random);
    ASSERT_EQ(0, Log().Shown()) << "drag " << nDrag << ": " << what;
  }
  const long nGdiNow = GdiObjectsInUse();
  const long nUserNow = UserObjectsInUse();
  std::printf("[ FIGURES  ] %d drags: GDI objects %lu -> %lu, USER objects %lu -> %lu\n", nDrags,
              (unsigned long)nGdi, (unsigned long)nGdiNow, (unsigned long)nUser, (unsigned long)nUserNow);
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
  EXPECT_LE(nGdiNow, nGdi + 8);
  EXPECT_LE(nUserNow, nUser + 8);
}

} // namespace
