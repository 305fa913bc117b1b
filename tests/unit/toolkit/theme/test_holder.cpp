// The holder of the current theme: the system's classification, installing themes, and which
// window of a frame passes system changes on to the theme.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "tests/common/window_support.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

OSVERSIONINFOA Version(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCSTR pszCsd) {
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof(v);
  v.dwPlatformId = dwPlatform;
  v.dwMajorVersion = dwMajor;
  v.dwMinorVersion = dwMinor;
  v.dwBuildNumber = dwBuild;
  lstrcpynA(v.szCSDVersion, pszCsd, sizeof(v.szCSDVersion));
  return v;
}

using HolderTest = ThemeTest;

TEST_F(HolderTest, ClassifiesEachVersionRecord) {
  const DWORD k9x = VER_PLATFORM_WIN32_WINDOWS, kNt = VER_PLATFORM_WIN32_NT;
  const struct {
    OSVERSIONINFOA version;
    BYTE nFlagsA, nFlagsB;
    const char* pszText;
  } rows[] = {
      {Version(VER_PLATFORM_WIN32s, 3, 10, 0, ""), 0x01, 0x00, "Win32s v.3.10 (build 0) "},
      {Version(k9x, 4, 0, 950, ""), 0x06, 0x00, "Windows 95 v.4.0 (build 950) "},
      {Version(k9x, 4, 10, 1998, " A "), 0x1A, 0x00, "Windows 98 v.4.10 (build 1998)  A "},
      {Version(k9x, 4, 90, 3000, ""), 0x1A, 0x00, "Windows 98 v.4.90 (build 3000) "},
      {Version(k9x, 5, 0, 0, ""), 0x12, 0x00, "Windows 98 or later v.5.0 (build 0) "},
      {Version(kNt, 3, 51, 1057, "Service Pack 5"), 0x20, 0x00,
       "Windows NT v.3.51 (build 1057) Service Pack 5"},
      {Version(kNt, 4, 0, 1381, "Service Pack 6"), 0x60, 0x02,
       "Windows NT v.4.0 (build 1381) Service Pack 6"},
      {Version(kNt, 5, 0, 2195, ""), 0xA0, 0x06, "Windows 2000 v.5.0 (build 2195) "},
      {Version(kNt, 5, 1, 2600, "Service Pack 2"), 0x20, 0x0F,
       "Windows XP v.5.1 (build 2600) Service Pack 2"},
      {Version(kNt, 5, 2, 3790, ""), 0x20, 0x0E, " v.5.2 (build 3790) "},
      {Version(kNt, 6, 1, 7601, "Service Pack 1"), 0x20, 0x0E,
       "Windows NT v.6.1 (build 7601) Service Pack 1"},
      {Version(3, 5, 0, 1, ""), 0x00, 0x00, " v.5.0 (build 1) "},
  };
  for (const auto& row : rows) {
    CExtPaintManagerHolder::TestForceOsVersion(&row.version);
    g_PaintManagerHolder.ClassifyOsVersion();
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

TEST_F(HolderTest, ClassifiesTheSystemItRunsOn) {
  g_PaintManagerHolder.ClassifyOsVersion();
  EXPECT_EQ("Windows NT v.6.1 (build 7601) Service Pack 1", std::string(g_PaintManagerHolder.m_strOsVersion));
  EXPECT_EQ(0x20, g_PaintManagerHolder.m_nOsFlagsA);
  EXPECT_EQ(0x0E, g_PaintManagerHolder.m_nOsFlagsB & ~CExtPaintManagerHolder::OSB_LUNA_COLORS);
  EXPECT_NE(nullptr, g_PaintManagerHolder.m_pfnGradientFill);
  EXPECT_NE(nullptr, g_PaintManagerHolder.m_pfnAlphaBlend);
  EXPECT_NE(nullptr, g_PaintManagerHolder.m_pfnUpdateLayeredWindow);
  g_PaintManagerHolder.TestDisableGradientFill(true);
  EXPECT_EQ(nullptr, g_PaintManagerHolder.m_pfnGradientFill);
  g_PaintManagerHolder.TestDisableGradientFill(false);
  EXPECT_NE(nullptr, g_PaintManagerHolder.m_pfnGradientFill);
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

  const struct {
    CRuntimeClass* pClass;
    int nThemeId;
  } rows[] = {
      {RUNTIME_CLASS(CExtPaintManagerOffice2003), CExtPaintManager::ThemeOffice2003},
      {RUNTIME_CLASS(CExtPaintManager), CExtPaintManager::ThemeClassic},
      {RUNTIME_CLASS(CExtPaintManagerXP), CExtPaintManager::ThemeXP},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(g_PaintManagerHolder.InstallThemeByClass(row.pClass));
    EXPECT_EQ(row.nThemeId, g_PaintManagerHolder->GetThemeId());
    EXPECT_EQ(row.pClass, g_PaintManagerHolder->GetRuntimeClass());
    EXPECT_NE(nullptr, g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
  }
  EXPECT_TRUE(g_PaintManagerHolder.InstallTheme(NULL));
  EXPECT_EQ(CExtPaintManager::ThemeXP, g_PaintManagerHolder->GetThemeId());
}

// Stand-ins for the toolkit's bar and frame classes, which the holder knows by class name.
class CExtStatusControlBar : public CWnd {
  DECLARE_DYNAMIC(CExtStatusControlBar)
};
IMPLEMENT_DYNAMIC(CExtStatusControlBar, CWnd)
class CExtDockOuterBar : public CWnd {
  DECLARE_DYNAMIC(CExtDockOuterBar)
};
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CWnd)
class CExtTabMdiWnd : public CWnd {
  DECLARE_DYNAMIC(CExtTabMdiWnd)
};
IMPLEMENT_DYNAMIC(CExtTabMdiWnd, CWnd)
class CExtMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNAMIC(CExtMiniDockFrameWnd)
};
IMPLEMENT_DYNAMIC(CExtMiniDockFrameWnd, CMiniFrameWnd)

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

  CExtMiniDockFrameWnd* pFloating = new CExtMiniDockFrameWnd; // deletes itself with its window
  ASSERT_TRUE(pFloating->CreateEx(0, NULL, "floating", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), pFrame));
  m_frames.push_back(pFloating->GetSafeHwnd());
  CWnd* pFloatingBar = Child<CWnd>(pFloating, 100);
  CMiniFrameWnd* pMini = new CMiniFrameWnd;
  ASSERT_TRUE(pMini->CreateEx(0, NULL, "mini", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), pFrame));
  m_frames.push_back(pMini->GetSafeHwnd());
  CWnd* pMiniChild = Child<CWnd>(pMini, 100);

  CHostWnd outside;
  ASSERT_TRUE(outside.CreateHost("outside"));

  const struct {
    const char* name;
    CWnd* pWnd;
    bool bForwards;
  } rows[] = {
      {"status bar", pStatus, true},
      {"dock bar beside a status bar", pDockTop, false},
      {"tab window beside a status bar", pTabs, false},
      {"plain child", pPlain, false},
      {"the frame", pFrame, false},
      {"bottom dock bar", pDockBottom, true},
      {"left dock bar", pDockLeft, false},
      {"a plain window with the status bar's id", pNotAStatusBar, false},
      {"MDI tab window", pTabOnly, true},
      {"child beside the MDI tab window", pTabPlain, false},
      {"child of a frame without bars", pBareChild, true},
      {"bar in a floating frame of a frame with a status bar", pFloatingBar, false},
      {"child of a mini frame", pMiniChild, true},
      {"window outside any frame", &outside, true},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.bForwards, g_PaintManagerHolder.IsThemeNotificationWindow(row.pWnd)) << row.name;

  // Only the status bar's notice reaches the theme.
  g_PaintManagerHolder->OnSysColorChange();
  const COLORREF clrWindow = g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW);
  ScopedSysColors changed({{COLOR_WINDOW, clrWindow ^ 0x00FFFFFF}});
  EXPECT_FALSE(g_PaintManagerHolder.ForwardSysColorChange(pDockTop));
  EXPECT_FALSE(g_PaintManagerHolder.ForwardSettingChange(pPlain, 0, 0));
  EXPECT_FALSE(g_PaintManagerHolder.ForwardThemeChanged(pTabs, 0, 0));
  EXPECT_FALSE(g_PaintManagerHolder.ForwardDisplayChange(pFrame, 32, 1280, 1024));
  EXPECT_EQ(clrWindow, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW));
  EXPECT_TRUE(g_PaintManagerHolder.ForwardSysColorChange(pStatus));
  EXPECT_EQ(clrWindow ^ 0x00FFFFFF, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW));
  outside.DestroyWindow();
}

TEST_F(NotificationWindows, EachForwarderRebuildsTheTheme) {
  CHostWnd outside;
  ASSERT_TRUE(outside.CreateHost("outside"));
  const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
  const std::function<bool()> forwards[] = {
      [&] { return g_PaintManagerHolder.ForwardSysColorChange(&outside); },
      [&] { return g_PaintManagerHolder.ForwardSettingChange(&outside, 0, 0); },
      [&] { return g_PaintManagerHolder.ForwardDisplayChange(&outside, 32, 1280, 1024); },
      [&] { return g_PaintManagerHolder.ForwardThemeChanged(&outside, 0, 0); },
  };
  for (const auto& forward : forwards) {
    ScopedSysColors changed({{COLOR_WINDOW, clrWindow ^ 0x00FFFFFF}});
    EXPECT_TRUE(forward());
    EXPECT_EQ(clrWindow ^ 0x00FFFFFF, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW));
  }
  EXPECT_TRUE(g_PaintManagerHolder.ForwardSysColorChange(&outside));
  EXPECT_EQ(clrWindow, g_PaintManagerHolder->ColorByLogicalId(COLOR_WINDOW));
  outside.DestroyWindow();
}

} // namespace
