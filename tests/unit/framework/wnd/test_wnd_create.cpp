// Window objects meet their windows before the first message, subclass without breaking other
// subclassers, and let go of the handle before PostNcDestroy.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

CallLog g_log;

class CLoggingWnd : public CWnd {
public:
  void PreSubclassWindow() override {
    g_log.Add("PreSubclass");
    m_bHadHandle = m_hWnd != NULL;
  }
  void PostNcDestroy() override {
    g_log.Add(m_hWnd == NULL ? "PostNcDestroy:detached" : "PostNcDestroy:attached");
  }
  BOOL m_bHadHandle = FALSE;

protected:
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs) {
    g_log.Add("NcCreate");
    return CWnd::OnNcCreate(cs);
  }
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    g_log.Add("Create");
    return CWnd::OnCreate(cs);
  }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* p) {
    g_log.Add("GetMinMaxInfo");
    CWnd::OnGetMinMaxInfo(p);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingWnd, CWnd)
ON_WM_NCCREATE()
ON_WM_CREATE()
ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

struct CreationCase {
  const char* name;
  const char* cls; // NULL: the framework's own class
  DWORD style;
  bool child;
};

class CreationTest : public ::testing::TestWithParam<CreationCase> {};

TEST_P(CreationTest, ObjectSeesCreationMessages) {
  const CreationCase& c = GetParam();
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  g_log.Clear();
  CLoggingWnd wnd;
  LPCSTR cls = c.cls;
  if (cls != NULL && std::string(cls) == "toolkit")
    cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
  BOOL ok = wnd.CreateEx(0, cls, "w", c.style | (c.child ? WS_CHILD | WS_VISIBLE : 0), 0, 0, 120, 80,
                         c.child ? host.m_hWnd : NULL, c.child ? reinterpret_cast<HMENU>(100) : NULL);
  ASSERT_TRUE(ok) << c.name;
  EXPECT_TRUE(wnd.m_bHadHandle);
  EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
  ASSERT_GE(g_log.IndexOf("PreSubclass"), 0);
  EXPECT_LT(g_log.IndexOf("PreSubclass"), g_log.IndexOf("NcCreate")) << c.name;
  EXPECT_LT(g_log.IndexOf("NcCreate"), g_log.IndexOf("Create")) << c.name;
  wnd.DestroyWindow();
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_TRUE(g_log.Contains("PostNcDestroy:detached"));
  host.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Kinds, CreationTest,
                         ::testing::Values(CreationCase{"framework", NULL, WS_OVERLAPPEDWINDOW, false},
                                           CreationCase{"toolkit", "toolkit", WS_POPUP, false},
                                           CreationCase{"statusbar", STATUSCLASSNAMEA, 0, true},
                                           CreationCase{"combobox", "COMBOBOX", CBS_DROPDOWNLIST, true}),
                         [](const ::testing::TestParamInfo<CreationCase>& info) {
                           return std::string(info.param.name);
                         });

// Records every message that reaches the object's WindowProc.
class CButtonSpy : public CWnd {
public:
  std::vector<UINT> seen;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void PreSubclassWindow() override {
    // Sent before the swap: the button's own procedure answers it, we never see it.
    SendMessage(BM_SETSTYLE, BS_PUSHBUTTON | BS_DEFPUSHBUTTON, FALSE);
  }
};

TEST(Subclassing, PreSubclassRunsBeforeTheSwap) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  HWND hButton = ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20, host.m_hWnd,
                                   reinterpret_cast<HMENU>(5), NULL, NULL);
  ASSERT_NE(nullptr, hButton);
  CButtonSpy spy;
  ASSERT_TRUE(spy.SubclassWindow(hButton));
  EXPECT_EQ(0u, std::count(spy.seen.begin(), spy.seen.end(), (UINT)BM_SETSTYLE));
  EXPECT_EQ((DWORD)BS_DEFPUSHBUTTON, spy.GetStyle() & 0x0F); // it reached the native procedure
  spy.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
  EXPECT_EQ(1u, std::count(spy.seen.begin(), spy.seen.end(), (UINT)BM_SETSTYLE));
  EXPECT_EQ(hButton, spy.UnsubclassWindow());
  host.DestroyWindow();
}

// A subclasser that is not the framework, installed above it.
struct ForeignSubclass {
  static WNDPROC s_pfnNext;
  static int s_nMessages;
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    ++s_nMessages;
    return ::CallWindowProcA(s_pfnNext, h, m, w, l);
  }
  static void Install(HWND h) {
    s_nMessages = 0;
    s_pfnNext =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
};
WNDPROC ForeignSubclass::s_pfnNext = NULL;
int ForeignSubclass::s_nMessages = 0;

TEST(Subclassing, ForeignSubclassAboveSurvivesUnsubclass) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, host.m_hWnd, NULL, NULL, NULL);
  CWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(hEdit));
  ForeignSubclass::Install(hEdit);
  EXPECT_EQ(hEdit, wnd.UnsubclassWindow());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
  // The foreign procedure still sits on top and the chain below it still works.
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ForeignSubclass::Proc), ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
  ::SetWindowTextA(hEdit, "still alive");
  char buf[32] = {};
  ::GetWindowTextA(hEdit, buf, sizeof(buf));
  EXPECT_STREQ("still alive", buf);
  EXPECT_GT(ForeignSubclass::s_nMessages, 0);
  // A new object can take the window over again.
  CWnd again;
  ASSERT_TRUE(again.SubclassWindow(hEdit));
  ::SetWindowTextA(hEdit, "again");
  ::GetWindowTextA(hEdit, buf, sizeof(buf));
  EXPECT_STREQ("again", buf);
  again.UnsubclassWindow();
  host.DestroyWindow();
}

TEST(Subclassing, ForeignSubclassAboveSurvivesDestruction) {
  g_log.Clear();
  CLoggingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "w", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND hWnd = wnd.m_hWnd;
  ForeignSubclass::Install(hWnd);
  int before = ForeignSubclass::s_nMessages;
  ::DestroyWindow(hWnd);
  EXPECT_GT(ForeignSubclass::s_nMessages, before); // WM_DESTROY and WM_NCDESTROY went through it
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_TRUE(g_log.Contains("PostNcDestroy:detached"));
}

class CSelfDeletingWnd : public CWnd {
public:
  static int s_nDeleted;
  ~CSelfDeletingWnd() override { ++s_nDeleted; }
  void PostNcDestroy() override { delete this; }
};
int CSelfDeletingWnd::s_nDeleted = 0;

TEST(Destruction, AutoDeletingObjectsLeaveNothingBehind) {
  int nPermanent = AfxGetPermanentWndCount();
  CSelfDeletingWnd::s_nDeleted = 0;
  CSelfDeletingWnd* p = new CSelfDeletingWnd;
  ASSERT_TRUE(p->CreateEx(0, NULL, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(nPermanent + 1, AfxGetPermanentWndCount());
  p->DestroyWindow();
  EXPECT_EQ(1, CSelfDeletingWnd::s_nDeleted);
  EXPECT_EQ(nPermanent, AfxGetPermanentWndCount());
}

TEST(Destruction, DestructorDestroysAnAttachedWindow) {
  HWND hWnd;
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    hWnd = wnd.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(HandleMaps, TemporaryObjectsAreReusedAndFreedAtIdle) {
  HWND hDesktop = ::GetDesktopWindow();
  CWnd* p1 = CWnd::FromHandle(hDesktop);
  CWnd* p2 = CWnd::FromHandle(hDesktop);
  EXPECT_EQ(p1, p2);
  EXPECT_FALSE(p1->IsKindOf(RUNTIME_CLASS(CMenu)));
  EXPECT_GE(AfxGetTemporaryWndCount(), 1);
  TheTestApp().OnIdle(1);
  EXPECT_EQ(0, AfxGetTemporaryWndCount());
  EXPECT_TRUE(::IsWindow(hDesktop));
  EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
}

} // namespace
