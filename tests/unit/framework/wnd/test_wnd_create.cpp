// Window objects meet their windows before the first message, subclass without breaking other
// subclassers and let go of the handle before PostNcDestroy; handle maps, and the window services
// other layers rely on: menus, finding windows by id, the safe owner of message boxes and dialogs.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

CallLog g_log;

// Logs PreSubclassWindow and the creation messages in order, marking a missing handle in
// PreSubclassWindow and a handle still held in PostNcDestroy.
class CLoggingWnd : public CWnd {
public:
  void PreSubclassWindow() override { g_log.Add(m_hWnd != NULL ? "PreSubclass" : "PreSubclass:no handle"); }
  void PostNcDestroy() override { g_log.Add(m_hWnd == NULL ? "PostNcDestroy" : "PostNcDestroy:attached"); }

protected:
  template <typename R> R Log(const char* entry, R result) {
    g_log.Add(entry);
    return result;
  }
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs) { return Log("NcCreate", CWnd::OnNcCreate(cs)); }
  afx_msg int OnCreate(LPCREATESTRUCT cs) { return Log("Create", CWnd::OnCreate(cs)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingWnd, CWnd)
ON_WM_NCCREATE()
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(Creation, ObjectSeesCreationMessagesForEveryKindOfWindow) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  // Class (NULL: the framework's own), style and parent.
  const std::tuple<LPCSTR, DWORD, HWND> kinds[] = {
      {NULL, WS_OVERLAPPEDWINDOW, NULL},
      {AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)), WS_POPUP, NULL},
      {STATUSCLASSNAMEA, WS_CHILD | WS_VISIBLE, host.m_hWnd},
      {"COMBOBOX", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, host.m_hWnd},
  };
  for (auto [cls, style, hParent] : kinds) {
    SCOPED_TRACE(cls != NULL ? cls : "framework");
    g_log.Clear();
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, cls, "w", style, 0, 0, 120, 80, hParent,
                             hParent != NULL ? reinterpret_cast<HMENU>(100) : NULL));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    wnd.DestroyWindow();
    EXPECT_EQ((std::vector<std::string>{"PreSubclass", "NcCreate", "Create", "PostNcDestroy"}),
              g_log.entries);
  }
}

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
  CButtonSpy spy;
  ASSERT_TRUE(spy.SubclassWindow(hButton));
  EXPECT_EQ(0u, std::count(spy.seen.begin(), spy.seen.end(), (UINT)BM_SETSTYLE));
  EXPECT_EQ((DWORD)BS_DEFPUSHBUTTON, spy.GetStyle() & 0x0F); // it reached the native procedure
  spy.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
  EXPECT_EQ(1u, std::count(spy.seen.begin(), spy.seen.end(), (UINT)BM_SETSTYLE));
  EXPECT_EQ(hButton, spy.UnsubclassWindow());
}

// A subclasser that is not the framework, installed above it.
struct ForeignSubclass {
  inline static WNDPROC s_pfnNext = NULL;
  inline static int s_nMessages = 0;
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

TEST(Subclassing, ForeignSubclassAboveSurvivesUnsubclassAndDestruction) {
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
  char buf[32] = {};
  EXPECT_TRUE(::SetWindowTextA(hEdit, "still alive") && ::GetWindowTextA(hEdit, buf, sizeof(buf)));
  EXPECT_STREQ("still alive", buf);
  EXPECT_GT(ForeignSubclass::s_nMessages, 0);

  g_log.Clear();
  CLoggingWnd logging;
  ASSERT_TRUE(logging.CreateEx(0, NULL, "w", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  ForeignSubclass::Install(logging.m_hWnd);
  ::DestroyWindow(logging.m_hWnd);
  EXPECT_GT(ForeignSubclass::s_nMessages, 0); // WM_DESTROY and WM_NCDESTROY went through it
  EXPECT_TRUE(g_log.Contains("PostNcDestroy"));
}

class CSelfDeletingWnd : public CWnd {
public:
  inline static int s_nDeleted = 0;
  ~CSelfDeletingWnd() override { ++s_nDeleted; }
  void PostNcDestroy() override { delete this; }
};

TEST(Destruction, AutoDeletingObjectsAndDestructorsLeaveNothingBehind) {
  int nPermanent = AfxGetPermanentWndCount();
  CSelfDeletingWnd::s_nDeleted = 0;
  CSelfDeletingWnd* p = new CSelfDeletingWnd;
  ASSERT_TRUE(p->CreateEx(0, NULL, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(nPermanent + 1, AfxGetPermanentWndCount());
  p->DestroyWindow();
  EXPECT_EQ(1, CSelfDeletingWnd::s_nDeleted);
  EXPECT_EQ(nPermanent, AfxGetPermanentWndCount());
  HWND hWnd;
  {
    CWnd wnd; // its destructor destroys the window it still holds
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    hWnd = wnd.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

// A menu's temporary wrapper goes with the same clean-up and never destroys the menu.
TEST(HandleMaps, TemporaryWrappersAreReusedAndFreedWithoutDestroyingWhatTheyWrap) {
  HWND hDesktop = ::GetDesktopWindow();
  EXPECT_EQ(CWnd::FromHandle(hDesktop), CWnd::FromHandle(hDesktop));
  HMENU hMenu = ::CreatePopupMenu();
  EXPECT_EQ(CMenu::FromHandle(hMenu), CMenu::FromHandle(hMenu));
  EXPECT_GE(AfxGetTemporaryWndCount(), 1);
  TheTestApp().OnIdle(1);
  EXPECT_EQ(0, AfxGetTemporaryWndCount());
  EXPECT_TRUE(::IsMenu(hMenu));
  EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
  ::DestroyMenu(hMenu);
}

TEST(Relations, DescendantsAreFoundByIdDepthFirst) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  CWnd bar, inner, status;
  ASSERT_TRUE(bar.Create(NULL, "bar", WS_VISIBLE, CRect(0, 0, 100, 40), &host, 1));
  ASSERT_TRUE(inner.Create(NULL, "inner", WS_VISIBLE, CRect(0, 0, 50, 20), &bar, 2));
  ASSERT_TRUE(status.Create(NULL, "status", WS_VISIBLE, CRect(0, 0, 10, 10), &inner, 59393));
  EXPECT_EQ(&status, host.GetDescendantWindow(59393));
  EXPECT_EQ(&inner, host.GetDescendantWindow(2, TRUE));
  EXPECT_EQ(nullptr, host.GetDescendantWindow(77));
  EXPECT_EQ(&host, status.GetTopLevelParent());
  EXPECT_EQ(nullptr, status.GetParentFrame()); // no frame windows here
}

TEST(Relations, SafeOwnerIsTheMainWindowsLastPopupEvenWhenHidden) {
  CHostWnd mainWnd;
  ASSERT_TRUE(mainWnd.CreateHost("main", WS_OVERLAPPEDWINDOW)); // never shown
  TheTestApp().m_pMainWnd = &mainWnd;
  EXPECT_EQ(mainWnd.m_hWnd, CWnd::GetSafeOwner_(NULL, NULL));
  HWND hWndTop = NULL;
  CWnd popup;
  ASSERT_TRUE(popup.CreateEx(0, NULL, "p", WS_POPUP, 0, 0, 10, 10, mainWnd.m_hWnd, NULL));
  CWnd child;
  ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 5, 5), &popup, 3));
  // A child's owner is the top-level window above it; the topmost window of that chain (the
  // main window owning the popup) is disabled for a modal run and handed back to re-enable.
  EXPECT_EQ(popup.m_hWnd, CWnd::GetSafeOwner_(child.m_hWnd, &hWndTop));
  EXPECT_EQ(mainWnd.m_hWnd, hWndTop);
  EXPECT_FALSE(mainWnd.IsWindowEnabled());
  mainWnd.EnableWindow(TRUE);
  TheTestApp().m_pMainWnd = NULL;
}

} // namespace
