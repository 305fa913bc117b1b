// The drop target: a real OLE drag over a registered window reaches enter, over, leave and drop
// with client points, and the source sees the effect the target answered.
#include "tests/common/ole_drag_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CLogTarget : public COleDropTarget {
public:
  CallLog m_log;
  CPoint m_ptEnter = CPoint(-1, -1), m_ptLast = CPoint(-1, -1), m_ptDrop = CPoint(-1, -1);
  DROPEFFECT m_answer = DROPEFFECT_COPY;
  DROPEFFECT m_dropEffect = 0;
  std::string m_sDropped;
  bool m_bTextOffered = false;

  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD, CPoint point) override {
    m_log.Add(pWnd->GetSafeHwnd() == GetRegisteredHwnd() ? "enter" : "enter elsewhere");
    m_bTextOffered = pData->IsDataAvailable(CF_TEXT) != FALSE;
    m_ptEnter = m_ptLast = point;
    return m_answer;
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override {
    if (m_log.entries.empty() || m_log.entries.back() != "over")
      m_log.Add("over");
    m_ptLast = point;
    return m_answer;
  }
  void OnDragLeave(CWnd*) override { m_log.Add("leave"); }
  // The top band of the window scrolls when asked to.
  bool m_bScrollBand = false;
  DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint point) override {
    if (!m_bScrollBand || point.y >= 10)
      return DROPEFFECT_NONE;
    if (m_log.entries.empty() || m_log.entries.back() != "scroll")
      m_log.Add("scroll");
    return DROPEFFECT_SCROLL | DROPEFFECT_COPY;
  }
  BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT effect, CPoint point) override {
    m_log.Add("drop");
    m_ptDrop = point;
    m_dropEffect = effect;
    HGLOBAL h = pData->GetGlobalData(CF_TEXT);
    if (h != NULL) {
      m_sDropped = static_cast<const char*>(::GlobalLock(h));
      ::GlobalUnlock(h);
      ::GlobalFree(h);
    }
    return TRUE;
  }
};

class OleDropTest : public ::testing::Test {
protected:
  void SetUp() override {
    TheTestApp();
    ASSERT_TRUE(EnsureOle());
    ASSERT_TRUE(m_host.CreateEx(0, NULL, "ole host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, NULL, NULL));
    ASSERT_TRUE(
        m_child.Create(NULL, "ole target", WS_CHILD | WS_VISIBLE, CRect(150, 60, 350, 220), &m_host, 1));
    m_host.UpdateWindow();
    PumpPending();
  }
  void TearDown() override {
    if (m_host.GetSafeHwnd() != NULL)
      m_host.DestroyWindow();
  }
  // A screen point of the target's client area.
  POINT OnChild(int x, int y) {
    CPoint pt(x, y);
    m_child.ClientToScreen(&pt);
    return pt;
  }
  POINT OnHost(int x, int y) {
    CPoint pt(x, y);
    m_host.ClientToScreen(&pt);
    return pt;
  }
  CWnd m_host, m_child;
};

TEST_F(OleDropTest, DropReachesTheTargetWithClientPointsAndTheSourceSeesItsEffect) {
  CLogTarget target;
  ASSERT_TRUE(target.Register(&m_child));
  EXPECT_EQ(m_child.m_hWnd, target.GetRegisteredHwnd());
  const OleDragOutcome outcome =
      RunOleDrag(OnHost(20, 20), {OnChild(10, 10), OnChild(30, 25), OnChild(60, 40)});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_TRUE(outcome.bStepsSeen);
  EXPECT_EQ(DRAGDROP_S_DROP, outcome.hr);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), outcome.dwEffect);
  EXPECT_EQ((std::vector<std::string>{"enter", "over", "drop"}), target.m_log.entries);
  EXPECT_TRUE(target.m_bTextOffered);
  EXPECT_EQ(CPoint(60, 40), target.m_ptDrop);
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY), target.m_dropEffect);
  EXPECT_EQ(kOleDragText, target.m_sDropped);
}

TEST_F(OleDropTest, AnEffectTheSourceDoesNotAllowIsNoneAndLeavesInsteadOfDropping) {
  CLogTarget target;
  target.m_answer = DROPEFFECT_LINK;
  ASSERT_TRUE(target.Register(&m_child));
  const OleDragOutcome outcome = RunOleDrag(OnHost(20, 20), {OnChild(15, 15), OnChild(40, 20)});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), outcome.dwEffect);
  EXPECT_EQ(0, target.m_log.Count("drop"));
  ASSERT_FALSE(target.m_log.entries.empty());
  EXPECT_EQ("enter", target.m_log.entries.front());
  EXPECT_EQ("leave", target.m_log.entries.back());
  EXPECT_EQ(CPoint(40, 20), target.m_ptLast);
}

TEST_F(OleDropTest, LeavingTheWindowReachesLeaveAndTheDropHappensElsewhere) {
  CLogTarget target;
  ASSERT_TRUE(target.Register(&m_child));
  const OleDragOutcome outcome =
      RunOleDrag(OnHost(20, 20), {OnChild(5, 5), OnChild(50, 50), OnHost(30, 250)});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_TRUE(outcome.bStepsSeen);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), outcome.dwEffect);
  EXPECT_EQ((std::vector<std::string>{"enter", "over", "leave"}), target.m_log.entries);
  EXPECT_EQ(CPoint(5, 5), target.m_ptEnter);
}

TEST_F(OleDropTest, TheScrollBandAnswersInsteadOfOverAndTheDropStillComesThroughOver) {
  CLogTarget target;
  target.m_bScrollBand = true;
  ASSERT_TRUE(target.Register(&m_child));
  const OleDragOutcome outcome =
      RunOleDrag(OnHost(20, 20), {OnChild(40, 60), OnChild(40, 4), OnChild(50, 5), OnChild(40, 50)});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_TRUE(outcome.bStepsSeen);
  // Wine can report an earlier pointer position late, between the moves in the band: an "over"
  // and another "scroll" then come between them. The band always answers "scroll", and the drop
  // comes through "over".
  std::vector<std::string> entries = target.m_log.entries;
  for (size_t i = 2; i + 2 < entries.size();)
    if (entries[i] == "over" && entries[i - 1] == "scroll" && entries[i + 1] == "scroll")
      entries.erase(entries.begin() + i, entries.begin() + i + 2);
    else
      i++;
  EXPECT_EQ((std::vector<std::string>{"enter", "over", "scroll", "over", "drop"}), entries)
      << "as logged: " << ::testing::PrintToString(target.m_log.entries);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), outcome.dwEffect);
}

TEST_F(OleDropTest, RevokedTargetsAndDestroyedWindowsSeeNoMoreDrags) {
  CLogTarget target;
  EXPECT_FALSE(target.Register(NULL));
  ASSERT_TRUE(target.Register(&m_child));
  target.Revoke();
  EXPECT_EQ(NULL, target.GetRegisteredHwnd());
  RunOleDrag(OnHost(20, 20), {OnChild(10, 10), OnChild(40, 40)});
  EXPECT_TRUE(target.m_log.entries.empty());
  // Registered again, the window going away lets go of the target.
  ASSERT_TRUE(target.Register(&m_child));
  m_child.DestroyWindow();
  EXPECT_EQ(NULL, target.GetRegisteredHwnd());
}

} // namespace
