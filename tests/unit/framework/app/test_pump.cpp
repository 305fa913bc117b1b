// The application object: the message pump's pre-translation walk, nested pumps and quitting,
// idle passes, message boxes, the wait cursor, and the registry profile with the recent-file list.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

CallLog g_walk;

// Notes its title when the walk offers it the probe message.
class CWalkWnd : public CWnd {
public:
  BOOL m_bTake = FALSE;
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_APP + 10) {
      CString strTitle;
      GetWindowText(strTitle);
      g_walk.Add(strTitle.GetString());
    }
    return m_bTake;
  }
};

class PumpTest : public ::testing::Test {
protected:
  void SetUp() override {
    TheTestApp();
    g_walk.Clear();
    ASSERT_TRUE(m_owner.CreateEx(0, NULL, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    ASSERT_TRUE(m_popup.CreateEx(0, NULL, "popup", WS_POPUP, 0, 0, 200, 100, m_owner.m_hWnd, NULL));
    ASSERT_TRUE(m_child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 50, 50), &m_popup, 1));
    ASSERT_TRUE(m_target.Create(NULL, "target", WS_VISIBLE, CRect(0, 0, 20, 20), &m_child, 2));
    TheTestApp().m_pMainWnd = &m_owner;
  }
  void TearDown() override { TheTestApp().m_pMainWnd = NULL; } // the destructors destroy the windows
  CWalkWnd m_owner, m_popup, m_child, m_target;
};

TEST_F(PumpTest, WalkVisitsTargetParentsAndOwnerUntilOneTakesIt) {
  CWalkWnd other; // an unowned top-level window: the main window still gets a last look
  ASSERT_TRUE(other.CreateEx(0, NULL, "other", WS_POPUP, 0, 0, 20, 20, NULL, NULL));
  // The target, whether the child takes the message, and the windows that saw it.
  const std::tuple<CWalkWnd*, BOOL, std::vector<std::string>> cases[] = {
      {&m_target, FALSE, {"target", "child", "popup", "owner"}},
      {&m_target, TRUE, {"target", "child"}},
      {&other, FALSE, {"other", "owner"}},
  };
  for (const auto& [pTarget, bChildTakes, expected] : cases) {
    g_walk.Clear();
    m_child.m_bTake = bChildTakes;
    pTarget->PostMessage(WM_APP + 10);
    PumpPending();
    EXPECT_EQ(expected, g_walk.entries) << bChildTakes;
  }
  other.DestroyWindow();
}

TEST_F(PumpTest, NestedPumpWalksTooAndHandsTheQuitOut) {
  m_target.PostMessage(WM_APP + 10);
  ASSERT_TRUE(AfxPumpMessage());
  EXPECT_EQ(4u, g_walk.entries.size());
  // The nested loop stops on the quit and keeps its code, for a modal loop to post it again.
  ::PostQuitMessage(7);
  EXPECT_FALSE(AfxPumpMessage());
  EXPECT_EQ(7u, AfxGetThreadState()->m_msgCur.wParam);
}

// Counts its idle updates and may delete another frame in one. A frame made with new is returned
// to the system on delete, so that any later read of it faults instead of passing unnoticed.
class CIdleFrame : public CWnd {
public:
  static void* operator new(size_t n) {
    return ::VirtualAlloc(NULL, n, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  static void operator delete(void* p) { ::VirtualFree(p, 0, MEM_RELEASE); }
  int m_nIdle = 0;
  CIdleFrame* m_pVictim = NULL; // deleted by this frame's idle update
  ~CIdleFrame() override {
    AfxRemoveFrameWnd(this);
    DestroyWindow();
  }

protected:
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++m_nIdle;
    delete m_pVictim;
    m_pVictim = NULL;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleFrame, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(Idle, OnePassReachesDescendantsAndOtherVisibleFrames) {
  CIdleFrame mainWnd, grandchild, floating;
  CWnd child;
  ASSERT_TRUE(
      mainWnd.CreateEx(0, NULL, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
  ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 100, 100), &mainWnd, 1));
  ASSERT_TRUE(grandchild.Create(NULL, "g", WS_VISIBLE, CRect(0, 0, 50, 50), &child, 2));
  ASSERT_TRUE(floating.CreateEx(0, NULL, "float", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, mainWnd.m_hWnd, NULL));
  TheTestApp().m_pMainWnd = &mainWnd;
  AfxAddFrameWnd(&floating);
  EXPECT_TRUE(TheTestApp().OnIdle(0));
  EXPECT_EQ((std::vector<int>{1, 1, 1}),
            (std::vector<int>{mainWnd.m_nIdle, grandchild.m_nIdle, floating.m_nIdle}));
  EXPECT_FALSE(TheTestApp().OnIdle(1));
  floating.ShowWindow(SW_HIDE); // a hidden frame is skipped
  TheTestApp().OnIdle(0);
  EXPECT_EQ(1, floating.m_nIdle);
  TheTestApp().m_pMainWnd = NULL;
}

TEST(Idle, AFrameDestroyedByAnEarlierFramesUpdateIsNotTouched) {
  CIdleFrame* pFirst = new CIdleFrame;
  CIdleFrame* pSecond = new CIdleFrame;
  for (CIdleFrame* p : {pFirst, pSecond}) {
    ASSERT_TRUE(p->CreateEx(0, NULL, "float", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL));
    AfxAddFrameWnd(p);
  }
  pFirst->m_pVictim = pSecond;
  TheTestApp().OnIdle(0); // faults on the second frame's released storage unless it is skipped
  EXPECT_EQ(nullptr, pFirst->m_pVictim);
  delete pFirst;
}

TEST(Idle, IdleMessagesIgnoreRepeatedMovesPaintsAndCaretBlinks) {
  const std::tuple<UINT, POINT, BOOL> cases[] = {{WM_MOUSEMOVE, {5, 5}, TRUE}, {WM_MOUSEMOVE, {5, 5}, FALSE},
                                                 {WM_MOUSEMOVE, {6, 5}, TRUE}, {WM_PAINT, {6, 5}, FALSE},
                                                 {0x0118, {6, 5}, FALSE},      {WM_KEYDOWN, {6, 5}, TRUE}};
  for (auto [message, pt, bIdle] : cases) {
    MSG msg = {NULL, message, 0, 0, 0, pt};
    EXPECT_EQ(bIdle, TheTestApp().IsIdleMessage(&msg)) << message << " at " << pt.x;
  }
}

TEST(MessageBoxes, DefaultIconsAreAdded) {
  MessageBoxRecorder recorder;
  MessageBoxRecorder::s_nAnswer = IDNO;
  EXPECT_EQ(IDNO, AfxMessageBox("Save changes to file?", MB_YESNOCANCEL));
  AfxMessageBox("Save failed!");
  AfxMessageBox("stop", MB_OK | MB_ICONSTOP);
  auto& boxes = MessageBoxRecorder::Boxes();
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ("Save changes to file?", boxes[0].first);
  EXPECT_EQ(
      (std::vector<UINT>{MB_YESNOCANCEL | MB_ICONQUESTION, MB_OK | MB_ICONEXCLAMATION, MB_OK | MB_ICONSTOP}),
      (std::vector<UINT>{boxes[0].second, boxes[1].second, boxes[2].second}));
}

TEST(WaitCursor, ShownOverWindowsWhileCounted) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  HCURSOR hWait = ::LoadCursor(NULL, IDC_WAIT);
  {
    CWaitCursor wait;
    EXPECT_EQ(1, TheTestApp().m_nWaitCursorCount);
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    // The framework answers WM_SETCURSOR itself while the count is up.
    EXPECT_TRUE(
        host.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(host.m_hWnd), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(hWait, ::GetCursor());
  }
  EXPECT_EQ(0, TheTestApp().m_nWaitCursorCount);
  EXPECT_NE(hWait, ::GetCursor());
}

// ---------------------------------------------------------------------------------------------
// Profile

void DeleteKeyTree(HKEY hParent, LPCSTR lpszKey) {
  HKEY hKey;
  if (::RegOpenKeyExA(hParent, lpszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    return;
  char szName[256];
  while (::RegEnumKeyA(hKey, 0, szName, sizeof(szName)) == ERROR_SUCCESS)
    DeleteKeyTree(hKey, szName);
  ::RegCloseKey(hKey);
  ::RegDeleteKeyA(hParent, lpszKey);
}

class ProfileTest : public ::testing::Test {
protected:
  void SetUp() override {
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\FwLabMaker");
    TheTestApp().SetRegistryKey("FwLabMaker");
  }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, "Software\\FwLabMaker"); }
};

TEST_F(ProfileTest, ValuesLandInNestedSectionKeys) {
  CWinApp& app = TheTestApp();
  EXPECT_EQ(12u, app.GetProfileInt("Options\\ImgProcess", "Border_Size", 12)); // missing: the default
  ASSERT_TRUE(app.WriteProfileInt("Options\\ImgProcess", "Border_Size", 25));
  DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
  HKEY hKey;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\FwLabMaker\\FwLab\\Options\\ImgProcess", 0,
                            KEY_READ, &hKey));
  ::RegQueryValueExA(hKey, "Border_Size", NULL, &dwType, (LPBYTE)&dwValue, &cb);
  ::RegCloseKey(hKey);
  EXPECT_EQ((std::vector<DWORD>{REG_DWORD, 25}), (std::vector<DWORD>{dwType, dwValue}));
  EXPECT_EQ(25u, app.GetProfileInt("Options\\ImgProcess", "Border_Size", 0));
  ASSERT_TRUE(app.WriteProfileString("Options", "Name", "value"));
  EXPECT_STREQ("value", app.GetProfileString("Options", "Name"));
  EXPECT_TRUE(app.WriteProfileString("Options", "Name", NULL));
  EXPECT_STREQ("gone", app.GetProfileString("Options", "Name", "gone"));

  BYTE data[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(app.WriteProfileBinary("Options", "Blob", data, 5));
  LPBYTE pData = NULL;
  UINT nBytes = 0;
  ASSERT_TRUE(app.GetProfileBinary("Options", "Blob", &pData, &nBytes));
  EXPECT_EQ(std::vector<BYTE>(data, data + 5), std::vector<BYTE>(pData, pData + nBytes));
  delete[] pData;
}

// Popups that keep no platform menu update the recent-file entry with a NULL menu: an empty list
// disables it; a filled one is left alone, so that the handler probe enables it.
TEST(RecentFileUpdate, WithoutAMenuAnEmptyListDisablesAndAFilledOneIsLeftToTheProbe) {
  class CProbeCmdUI : public CCmdUI {
  public:
    std::vector<int> m_enables;
    int m_nTexts = 0;
    void Enable(BOOL bOn) override {
      m_enables.push_back(bOn ? 1 : 0);
      m_bEnableChanged = TRUE;
    }
    void SetText(LPCSTR) override { ++m_nTexts; }
  };
  CWinApp& app = TheTestApp();
  CRecentFileList* pOld = app.m_pRecentFileList;
  CRecentFileList list(0, "Recent File List", "File%d", 4);
  app.m_pRecentFileList = &list;
  const struct {
    const char* pszFirst;
    std::vector<int> enables;
  } kCases[] = {{"", {0}}, {"C:\\pictures\\a.png", {1}}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.pszFirst);
    list[0] = c.pszFirst;
    CProbeCmdUI ui;
    ui.m_nID = ID_FILE_MRU_FILE1;
    ui.DoUpdate(&app, TRUE);
    EXPECT_EQ(c.enables, ui.m_enables);
    EXPECT_EQ(0, ui.m_nTexts);
  }
  app.m_pRecentFileList = pOld;
}

TEST_F(ProfileTest, RecentFileListRoundTripsThroughTheRegistry) {
  CWinApp& app = TheTestApp();
  app.LoadStdProfileSettings(4);
  ASSERT_NE(nullptr, app.m_pRecentFileList);
  for (LPCSTR psz : {"C:\\pictures\\a.png", "C:\\pictures\\b.png", "C:\\pictures\\a.png"}) // a moves back up
    app.AddToRecentFileList(psz);
  app.SaveStdProfileSettings();
  EXPECT_STREQ("C:\\pictures\\b.png", app.GetProfileString("Recent File List", "File2"));
  EXPECT_STREQ("missing", app.GetProfileString("Recent File List", "File3", "missing"));

  app.LoadStdProfileSettings(4); // a fresh list reads what was written
  CRecentFileList& list = *app.m_pRecentFileList;
  EXPECT_EQ((std::vector<std::string>{"C:\\pictures\\a.png", "C:\\pictures\\b.png", ""}),
            (std::vector<std::string>{list[0].GetString(), list[1].GetString(), list[2].GetString()}));
  CString strName;
  EXPECT_TRUE(list.GetDisplayName(strName, 0, "C:\\pictures", 11));
  EXPECT_STREQ("a.png", strName);
  EXPECT_FALSE(list.GetDisplayName(strName, 3, NULL, 0));
  list.Add("C:\\a very long folder name\\another long folder\\picture.png");
  EXPECT_TRUE(list.GetDisplayName(strName, 0, NULL, 0));
  EXPECT_LE(strName.GetLength(), 30);
  EXPECT_NE(-1, strName.Find("picture.png"));
  delete app.m_pRecentFileList;
  app.m_pRecentFileList = NULL;
}

} // namespace
