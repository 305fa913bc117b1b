// The holder of the current theme: the system's classification, installing themes, and which
// window of a frame passes system changes on to the theme.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "tests/common/window_support.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using HolderTest = ThemeTest;

TEST_F(HolderTest, ClassifiesEachVersionRecord) {
  const DWORD k9x = VER_PLATFORM_WIN32_WINDOWS, kNt = VER_PLATFORM_WIN32_NT;
  // clang-format off
  const struct { OSVERSIONINFOA version; BYTE nFlagsA, nFlagsB; const char* pszText; } rows[] = {
      {OsVersion(VER_PLATFORM_WIN32s, 3, 10), 0x01, 0x00, "Win32s v.3.10 (build 0) "},
      {OsVersion(k9x, 4, 0, 950), 0x06, 0x00, "Windows 95 v.4.0 (build 950) "},
      {OsVersion(k9x, 4, 10, 1998, " A "), 0x1A, 0x00, "Windows 98 v.4.10 (build 1998)  A "},
      {OsVersion(k9x, 4, 90, 3000), 0x1A, 0x00, "Windows 98 v.4.90 (build 3000) "},
      {OsVersion(k9x, 5, 0), 0x12, 0x00, "Windows 98 or later v.5.0 (build 0) "},
      {OsVersion(kNt, 3, 51, 1057, "Service Pack 5"), 0x20, 0x00, "Windows NT v.3.51 (build 1057) Service Pack 5"},
      {OsVersion(kNt, 4, 0, 1381, "Service Pack 6"), 0x60, 0x02, "Windows NT v.4.0 (build 1381) Service Pack 6"},
      {OsVersion(kNt, 5, 0, 2195), 0xA0, 0x06, "Windows 2000 v.5.0 (build 2195) "},
      {OsVersion(kNt, 5, 1, 2600, "Service Pack 2"), 0x20, 0x0F, "Windows XP v.5.1 (build 2600) Service Pack 2"},
      {OsVersion(kNt, 5, 2, 3790), 0x20, 0x0E, " v.5.2 (build 3790) "},
      {OsVersion(kNt, 6, 1, 7601, "Service Pack 1"), 0x20, 0x0E, "Windows NT v.6.1 (build 7601) Service Pack 1"},
      {OsVersion(3, 5, 0, 1), 0x00, 0x00, " v.5.0 (build 1) "},
  };
  // clang-format on
  for (const auto& row : rows) {
    ForceOs(row.version);
    EXPECT_EQ(row.pszText, std::string(g_PaintManagerHolder.m_strOsVersion));
    EXPECT_EQ(row.nFlagsA, g_PaintManagerHolder.m_nOsFlagsA) << row.pszText;
    EXPECT_EQ(row.nFlagsB, g_PaintManagerHolder.m_nOsFlagsB & ~CExtPaintManagerHolder::OSB_LUNA_COLORS)
        << row.pszText;
    // A theme made now prefers "Tahoma" exactly from Windows 2000 on.
    CExtPaintManagerXP theme;
    EXPECT_EQ((row.nFlagsB & CExtPaintManagerHolder::OSB_NT_MAJOR5) != 0,
              (theme.m_nFlags & CExtPaintManager::PMF_WIN2000_OR_LATER) != 0)
        << row.pszText;
  }
}

class CNotATheme : public CObject {
  DECLARE_DYNCREATE(CNotATheme)
};
IMPLEMENT_DYNCREATE(CNotATheme, CObject)

TEST_F(HolderTest, InstallsThemesAndKeepsTheCurrentOneOnRefusal) {
  CExtPaintManager* pXp = g_PaintManagerHolder.GetPM();
  ASSERT_NE(nullptr, pXp);
  EXPECT_EQ(CExtPaintManager::ThemeXP, pXp->GetThemeId());
  EXPECT_TRUE(g_PaintManagerHolder.InstallThemeByClass(NULL));
  EXPECT_EQ(pXp, g_PaintManagerHolder.GetPM());

  // Installing the installed theme rebuilds nothing: it still has the old window colour.
  const COLORREF clrWindow = pXp->ColorByLogicalId(COLOR_WINDOW);
  {
    ScopedSysColors changed({{COLOR_WINDOW, clrWindow ^ 0x00FFFFFF}});
    EXPECT_TRUE(g_PaintManagerHolder.InstallTheme(pXp));
    EXPECT_EQ(clrWindow, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW));
  }

  // An object that is no theme is refused, stays the caller's, and the theme stays installed.
  CNotATheme notATheme;
  EXPECT_FALSE(g_PaintManagerHolder.InstallTheme(&notATheme));
  ASSERT_EQ(pXp, g_PaintManagerHolder.GetPM());
  EXPECT_EQ(clrWindow, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW));
  EXPECT_FALSE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CNotATheme)));
  EXPECT_FALSE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CObject)));
  EXPECT_EQ(pXp, g_PaintManagerHolder.GetPM());

  for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManagerOffice2003),
                                RUNTIME_CLASS(CExtPaintManager)}) {
    EXPECT_TRUE(g_PaintManagerHolder.InstallThemeByClass(pClass));
    EXPECT_EQ(pClass, g_PaintManagerHolder->GetRuntimeClass());
    EXPECT_NE(nullptr, g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
  }
  EXPECT_TRUE(g_PaintManagerHolder.InstallTheme(NULL)); // the default theme
  EXPECT_EQ(CExtPaintManager::ThemeXP, g_PaintManagerHolder->GetThemeId());
}

// Stand-ins for the toolkit's bar and frame classes, which the holder knows by class name.
#define STAND_IN(name, base)                                                                                 \
  class name : public base {                                                                                 \
    DECLARE_DYNAMIC(name)                                                                                    \
  };                                                                                                         \
  IMPLEMENT_DYNAMIC(name, base)
STAND_IN(CExtStatusControlBar, CWnd)
STAND_IN(CExtDockOuterBar, CWnd)
STAND_IN(CExtTabMdiWnd, CWnd)
STAND_IN(CExtMiniDockFrameWnd, CMiniFrameWnd)

class NotificationWindows : public ThemeTest {
protected:
  void TearDown() override {
    for (auto it = m_frames.rbegin(); it != m_frames.rend(); ++it)
      if (::IsWindow(*it))
        ::DestroyWindow(*it);
    PumpPending();
    ThemeTest::TearDown();
  }
  CFrameWnd* Frame() {
    TheTestApp();
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    EXPECT_TRUE(pFrame->Create(NULL, "theme frame", WS_OVERLAPPEDWINDOW));
    m_frames.push_back(pFrame->GetSafeHwnd());
    return pFrame;
  }
  // A floating frame owned by the frame; it deletes itself with its window.
  template <class T> T* MiniFrame(CWnd* pOwner) {
    T* pMini = new T;
    EXPECT_TRUE(pMini->CreateEx(0, NULL, "mini", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), pOwner));
    m_frames.push_back(pMini->GetSafeHwnd());
    return pMini;
  }
  // A child window of the given class, owned by the test.
  template <class T> T* Child(CWnd* pParent, int nId) {
    m_children.emplace_back(new T);
    T* pChild = static_cast<T*>(m_children.back().get());
    EXPECT_TRUE(pChild->Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pParent, nId));
    return pChild;
  }

  std::vector<HWND> m_frames;
  std::vector<std::unique_ptr<CWnd>> m_children;
};

TEST_F(NotificationWindows, OneWindowPerFrameForwardsSystemChanges) {
  CFrameWnd* pFrame = Frame();
  CWnd* pPlain = Child<CWnd>(pFrame, 100);
  CWnd* pTabs = Child<CExtTabMdiWnd>(pFrame, 101);
  CWnd* pDockTop = Child<CExtDockOuterBar>(pFrame, 59419);
  CWnd* pStatus = Child<CExtStatusControlBar>(pFrame, 59393);

  CFrameWnd* pDockFrame = Frame(); // outer dock bars, asked top, bottom, left, right
  CWnd* pDockLeft = Child<CExtDockOuterBar>(pDockFrame, 59420);
  CWnd* pDockBottom = Child<CExtDockOuterBar>(pDockFrame, 59422);
  CWnd* pNotAStatusBar = Child<CWnd>(pDockFrame, 59393);

  CFrameWnd* pTabFrame = Frame();
  CWnd* pTabPlain = Child<CWnd>(pTabFrame, 100);
  CWnd* pTabOnly = Child<CExtTabMdiWnd>(pTabFrame, 101);

  CFrameWnd* pBareFrame = Frame();
  CWnd* pBareChild = Child<CWnd>(pBareFrame, 100);

  CWnd* pFloatingBar = Child<CWnd>(MiniFrame<CExtMiniDockFrameWnd>(pFrame), 100);
  CWnd* pMiniChild = Child<CWnd>(MiniFrame<CMiniFrameWnd>(pFrame), 100);

  CHostWnd outside;
  ASSERT_TRUE(outside.CreateHost("outside"));

  // clang-format off
  const struct { const char* name; CWnd* pWnd; bool bForwards; } rows[] = {
      {"status bar", pStatus, true}, {"dock bar beside a status bar", pDockTop, false},
      {"tab window beside a status bar", pTabs, false}, {"plain child", pPlain, false}, {"frame", pFrame, false},
      {"bottom dock bar", pDockBottom, true}, {"left dock bar", pDockLeft, false},
      {"plain window with the status bar's id", pNotAStatusBar, false}, {"MDI tab window", pTabOnly, true},
      {"child beside the MDI tab window", pTabPlain, false}, {"child of a frame without bars", pBareChild, true},
      {"bar floating from a frame with a status bar", pFloatingBar, false},
      {"child of a mini frame", pMiniChild, true}, {"window outside any frame", &outside, true},
  };
  // clang-format on
  for (const auto& row : rows)
    EXPECT_EQ(row.bForwards, g_PaintManagerHolder.IsThemeNotificationWindow(row.pWnd)) << row.name;

  // Each forwarder rebuilds the theme for the status bar's notice only.
  const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
  for (int i = 0; i < 4; ++i) {
    auto forward = [&](CWnd* pWnd) {
      return i == 0   ? g_PaintManagerHolder.ForwardSysColorChange(pWnd)
             : i == 1 ? g_PaintManagerHolder.ForwardSettingChange(pWnd, 0, 0)
             : i == 2 ? g_PaintManagerHolder.ForwardDisplayChange(pWnd, 32, 1280, 1024)
                      : g_PaintManagerHolder.ForwardThemeChanged(pWnd, 0, 0);
    };
    g_PaintManagerHolder->OnSysColorChange();
    ScopedSysColors changed({{COLOR_WINDOW, clrWindow ^ 0x00FFFFFF}});
    EXPECT_FALSE(forward(i % 2 == 0 ? pDockTop : pTabs)) << i;
    EXPECT_EQ(clrWindow, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW)) << i;
    EXPECT_TRUE(forward(pStatus)) << i;
    EXPECT_EQ(clrWindow ^ 0x00FFFFFF, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW)) << i;
  }
  outside.DestroyWindow();
}

} // namespace
