// Hook chains over real windows: chain order, the first handler ends a message, teardown at
// WM_NCDESTROY, single-message routing, and sinks that leave, are deleted or destroy the window
// while one of its messages is running.
#include "toolkit/foundation/ExtHookSink.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

const UINT WM_PROBE = WM_APP + 7;
CallLog g_log;
std::vector<const void*> g_handlersRunning; // sinks whose probe handler is on the stack

// Notes each probe and WM_NCDESTROY it gets, and answers a probe with its wParam.
class CProbeWnd : public CHostWnd {
protected:
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    if (nMsg == WM_PROBE) {
      g_log.Add("wnd " + std::to_string(wParam));
      return (LRESULT)wParam;
    }
    if (nMsg == WM_NCDESTROY)
      g_log.Add("wnd ncdestroy");
    return CHostWnd::WindowProc(nMsg, wParam, lParam);
  }
};

class CProbeSink : public CExtHookSink {
public:
  explicit CProbeSink(std::string name, bool bAutoDelete = false, bool bRoute = true)
      : CExtHookSink(bRoute), m_name(std::move(name)), m_bAutoDelete(bAutoDelete) {}
  ~CProbeSink() override {
    bool bRunning = std::count(g_handlersRunning.begin(), g_handlersRunning.end(), this) != 0;
    g_log.Add(m_name + (bRunning ? " deleted in handler" : " deleted"));
  }
  bool IsAutoDelete() const override { return m_bAutoDelete; }
  bool OnWindowMessage(LRESULT& lResult, HWND hWnd, UINT nMsg, WPARAM& wParam, LPARAM& lParam) override {
    if (nMsg != WM_PROBE)
      return CExtHookSink::OnWindowMessage(lResult, hWnd, nMsg, wParam, lParam);
    // The action may delete this sink: read what follows it first, write nothing after it.
    g_log.Add(m_name);
    wParam += m_nAdd;
    const bool bEat = m_bEat;
    g_handlersRunning.push_back(this);
    if (m_action)
      m_action();
    g_handlersRunning.pop_back();
    if (bEat)
      lResult = m_lEaten;
    return bEat;
  }
  bool OnCommand(LRESULT&, HWND, UINT nCode, UINT nId, HWND) override {
    return Note("command " + std::to_string(nCode) + " " + std::to_string(nId));
  }
  bool OnNotify(LRESULT&, HWND, WPARAM, NMHDR* p) override {
    return Note("notify " + std::to_string(p->code));
  }
  bool OnPaint(LRESULT&, HWND, WPARAM, LPARAM) override { return Note("paint"); }
  bool OnEraseBackground(LRESULT&, HWND, WPARAM, LPARAM) override { return Note("erase"); }
  bool OnPrint(LRESULT&, HWND, WPARAM, LPARAM) override { return Note("print"); }
  bool OnNcPaint(LRESULT&, HWND, WPARAM, LPARAM) override { return Note("ncpaint"); }
  void OnNcDestroy() override { g_log.Add(m_name + " ncdestroy"); }
  void OnAttached(HWND) override { g_log.Add(m_name + " attached"); }
  void OnDetached(HWND) override { g_log.Add(m_name + " detached"); }

  std::string m_name;
  bool m_bAutoDelete;
  WPARAM m_nAdd = 0;
  bool m_bEat = false;
  LRESULT m_lEaten = 0;
  std::function<void()> m_action;

private:
  bool Note(const std::string& s) {
    g_log.Add(m_name + " " + s);
    return false;
  }
};

class HookSinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_log.Clear();
    ASSERT_TRUE(wnd.CreateHost("probe", WS_POPUP, 60, 40));
    hWnd = wnd.m_hWnd;
  }
  LRESULT Probe(WPARAM wParam = 0) { return ::SendMessageA(hWnd, WM_PROBE, wParam, 0); }
  CExtHookSink::HookChains_t* Chain() {
    CExtHookSink::HookChains_t* pChain = NULL;
    return g_HookChainsMap.Lookup(hWnd, pChain) ? pChain : NULL;
  }

  CProbeWnd wnd;
  HWND hWnd = NULL;
};

TEST_F(HookSinkTest, SinksSeeMessagesInChainOrderAndTheFirstHandlerEndsThem) {
  CProbeSink a("A"), b("B"), c("C");
  ASSERT_TRUE(a.HookWindow(hWnd));
  EXPECT_TRUE(a.HookWindow(hWnd));
  ASSERT_TRUE(b.HookWindow(hWnd));
  ASSERT_TRUE(c.HookWindow(hWnd, false, true));
  EXPECT_EQ(1, g_log.Count("A attached"));
  a.m_nAdd = b.m_nAdd = c.m_nAdd = 1;
  g_log.Clear();
  ::PostMessageA(hWnd, WM_PROBE, 10, 0);
  PumpPending();
  EXPECT_EQ((std::vector<std::string>{"C", "A", "B", "wnd 13"}), g_log.entries);

  g_log.Clear();
  a.m_bEat = true;
  a.m_lEaten = 77;
  EXPECT_EQ(77, Probe());
  EXPECT_EQ((std::vector<std::string>{"C", "A"}), g_log.entries);
}

TEST_F(HookSinkTest, DestroyingTheWindowTearsTheChainDown) {
  CProbeSink a("A");
  CProbeSink* pD = new CProbeSink("D", true);
  ASSERT_TRUE(a.HookWindow(hWnd));
  ASSERT_TRUE(pD->HookWindow(hWnd));
  g_log.Clear();
  ASSERT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ((std::vector<std::string>{"A ncdestroy", "D ncdestroy", "wnd ncdestroy", "D deleted"}),
            g_log.entries);
  EXPECT_EQ(NULL, Chain());
  EXPECT_FALSE(a.IsWindowHooked(hWnd));
}

TEST_F(HookSinkTest, SingleMessagesReachTheirHandlersOnlyWhenRouted) {
  CProbeSink on("on"), off("off", false, false);
  ASSERT_TRUE(on.HookWindow(hWnd));
  ASSERT_TRUE(off.HookWindow(hWnd));
  NMHDR nm = {hWnd, 3, 7};
  const struct {
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected;
  } rows[] = {
      {WM_COMMAND, MAKEWPARAM(40, 2), 0, "on command 2 40"},
      {WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&nm), "on notify 7"},
      {WM_PAINT, 0, 0, "on paint"},
      {WM_ERASEBKGND, 0, 0, "on erase"},
      {WM_PRINT, 0, 0, "on print"},
      {WM_NCPAINT, 1, 0, "on ncpaint"},
  };
  for (const auto& row : rows) {
    g_log.Clear();
    ::SendMessageA(hWnd, row.nMsg, row.wParam, row.lParam);
    EXPECT_EQ(1, g_log.Count(row.expected)) << row.expected;
    EXPECT_EQ(1u, g_log.entries.size()) << row.expected;
  }
}

TEST_F(HookSinkTest, CallOriginalProcReachesTheWindowWithTheCurrentMessage) {
  CProbeSink a("A");
  ASSERT_TRUE(a.HookWindow(hWnd));
  a.m_bEat = true;
  const std::function<LRESULT()> calls[] = {[&] { return a.CallOriginalProc(); },
                                            [&] { return a.CallOriginalProc(9, 0); },
                                            [&] { return a.CallOriginalProc(WM_PROBE, 9, 0); }};
  const LRESULT expected[] = {4, 9, 9};
  for (int i = 0; i < 3; ++i) {
    g_log.Clear();
    a.m_action = [&] { a.m_lEaten = calls[i]() + 100; };
    EXPECT_EQ(expected[i] + 100, Probe(4));
    EXPECT_EQ("wnd " + std::to_string(expected[i]), g_log.entries.back());
  }
}

TEST_F(HookSinkTest, SinksThatLeaveDuringAMessageAreSkippedAndDeletedAfterIt) {
  typedef std::vector<std::string> Log;
  const struct {
    const char* name;
    bool bAutoDeleteB;
    std::function<void(CProbeSink& a, CProbeSink& b)> arrange;
    Log expected;
  } rows[] = {
      // the window is destroyed in the last row
      {"B detaches itself", false,
       [&](CProbeSink&, CProbeSink& b) { b.m_action = [&] { b.HookWindow(hWnd, true); }; },
       Log{"A", "B", "B detached", "C", "wnd 0"}},
      {"auto-delete B detaches itself", true,
       [&](CProbeSink&, CProbeSink& b) { b.m_action = [&] { b.HookWindow(hWnd, true); }; },
       Log{"A", "B", "B detached", "C", "wnd 0", "B deleted"}},
      {"A detaches auto-delete B", true,
       [&](CProbeSink& a, CProbeSink& b) { a.m_action = [&] { b.HookWindow(hWnd, true); }; },
       Log{"A", "B detached", "C", "wnd 0", "B deleted"}},
      {"A destroys the window", true,
       [&](CProbeSink& a, CProbeSink&) { a.m_action = [&] { ::DestroyWindow(hWnd); }; },
       Log{"A", "A ncdestroy", "B ncdestroy", "C ncdestroy", "wnd ncdestroy", "B deleted"}},
  };
  for (const auto& row : rows) {
    CProbeSink a("A"), c("C");
    CProbeSink* pB = new CProbeSink("B", row.bAutoDeleteB);
    ASSERT_TRUE(a.HookWindow(hWnd) && pB->HookWindow(hWnd) && c.HookWindow(hWnd));
    row.arrange(a, *pB);
    g_log.Clear();
    Probe();
    EXPECT_EQ(row.expected, g_log.entries) << row.name;
    if (!row.bAutoDeleteB)
      delete pB;
  }
}

TEST_F(HookSinkTest, ASinkDeletedWhileChainedLeavesEveryChain) {
  CProbeWnd other;
  ASSERT_TRUE(other.CreateHost("other", WS_POPUP, 60, 40));
  CProbeSink a("A");
  CProbeSink* pB = new CProbeSink("B");
  for (HWND h : {hWnd, other.m_hWnd})
    ASSERT_TRUE(a.HookWindow(h) && pB->HookWindow(h));
  delete pB;
  for (HWND h : {hWnd, other.m_hWnd}) {
    CExtHookSink::HookChains_t* pChain = NULL;
    ASSERT_TRUE(g_HookChainsMap.Lookup(h, pChain));
    ASSERT_EQ(1, pChain->m_arrSinks.GetSize());
  }
  g_log.Clear();
  Probe();
  EXPECT_EQ((std::vector<std::string>{"A", "wnd 0"}), g_log.entries);
}

} // namespace
