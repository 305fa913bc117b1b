// The message pump: pre-translation walk, nested pumps and quitting, idle passes, message
// boxes, and the registry profile with the recent-file list.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

CallLog g_walk;

class CWalkWnd : public CWnd {
public:
  std::string m_name;
  BOOL m_bTake = FALSE;
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_APP + 10)
      g_walk.Add(m_name);
    return m_bTake;
  }
};

class PumpTest : public ::testing::Test {
protected:
  void SetUp() override {
    TheTestApp();
    g_walk.Clear();
    m_owner.m_name = "owner";
    ASSERT_TRUE(m_owner.CreateEx(0, NULL, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    m_popup.m_name = "popup";
    ASSERT_TRUE(m_popup.CreateEx(0, NULL, "popup", WS_POPUP, 0, 0, 200, 100, m_owner.m_hWnd, NULL));
    m_child.m_name = "child";
    ASSERT_TRUE(m_child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 50, 50), &m_popup, 1));
    m_target.m_name = "target";
    ASSERT_TRUE(m_target.Create(NULL, "target", WS_VISIBLE, CRect(0, 0, 20, 20), &m_child, 2));
    TheTestApp().m_pMainWnd = &m_owner;
  }
  void TearDown() override {
    TheTestApp().m_pMainWnd = NULL;
    m_popup.DestroyWindow();
    m_owner.DestroyWindow();
    PumpPending();
  }
  CWalkWnd m_owner, m_popup, m_child, m_target;
};

TEST_F(PumpTest, WalkVisitsTargetParentsAndOwnerInOrder) {
  m_target.PostMessage(WM_APP + 10);
  PumpPending();
  std::vector<std::string> expected = {"target", "child", "popup", "owner"};
  EXPECT_EQ(expected, g_walk.entries);
}

TEST_F(PumpTest, WalkStopsAtTheFirstTaker) {
  m_child.m_bTake = TRUE;
  m_target.PostMessage(WM_APP + 10);
  PumpPending();
  std::vector<std::string> expected = {"target", "child"};
  EXPECT_EQ(expected, g_walk.entries);
}

TEST_F(PumpTest, NestedPumpWalksTooAndHandsTheQuitOut) {
  m_target.PostMessage(WM_APP + 10);
  ASSERT_TRUE(AfxPumpMessage());
  EXPECT_EQ(4u, g_walk.entries.size());
  ::PostQuitMessage(7);
  // The nested loop stops on the quit and re-posts it, as every modal loop does.
  BOOL bContinue = AfxPumpMessage();
  EXPECT_FALSE(bContinue);
  if (!bContinue)
    ::PostQuitMessage((int)AfxGetThreadState()->m_msgCur.wParam);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, msg.wParam);
}

TEST_F(PumpTest, MainWindowGetsALastLookAtOtherTopLevelWindows) {
  CWalkWnd other;
  other.m_name = "other";
  ASSERT_TRUE(other.CreateEx(0, NULL, "other", WS_POPUP, 0, 0, 20, 20, NULL, NULL));
  other.PostMessage(WM_APP + 10);
  PumpPending();
  std::vector<std::string> expected = {"other", "owner"};
  EXPECT_EQ(expected, g_walk.entries);
  other.DestroyWindow();
}

class CIdleSpy : public CWnd {
public:
  int m_nIdle = 0;

protected:
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++m_nIdle;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleSpy, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(Idle, OnePassReachesDescendantsAndOtherVisibleFrames) {
  CIdleSpy mainWnd, grandchild, floating;
  CWnd child;
  ASSERT_TRUE(
      mainWnd.CreateEx(0, NULL, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
  ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 100, 100), &mainWnd, 1));
  ASSERT_TRUE(grandchild.Create(NULL, "g", WS_VISIBLE, CRect(0, 0, 50, 50), &child, 2));
  ASSERT_TRUE(floating.CreateEx(0, NULL, "float", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, mainWnd.m_hWnd, NULL));
  TheTestApp().m_pMainWnd = &mainWnd;
  AfxAddFrameWnd(&floating);
  EXPECT_TRUE(TheTestApp().OnIdle(0));
  EXPECT_EQ(1, mainWnd.m_nIdle);
  EXPECT_EQ(1, grandchild.m_nIdle);
  EXPECT_EQ(1, floating.m_nIdle);
  EXPECT_FALSE(TheTestApp().OnIdle(1));
  // A hidden frame is skipped.
  floating.ShowWindow(SW_HIDE);
  TheTestApp().OnIdle(0);
  EXPECT_EQ(1, floating.m_nIdle);
  AfxRemoveFrameWnd(&floating);
  TheTestApp().m_pMainWnd = NULL;
  floating.DestroyWindow();
  mainWnd.DestroyWindow();
}

// A floating frame whose storage is returned to the system when it is deleted, so that any later
// read of it faults instead of passing unnoticed.
class CFragileFrame : public CWnd {
public:
  static void* operator new(size_t n) {
    return ::VirtualAlloc(NULL, n, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  static void operator delete(void* p) { ::VirtualFree(p, 0, MEM_RELEASE); }
  CFragileFrame* m_pVictim = NULL; // deleted by this frame's idle update
  ~CFragileFrame() override {
    AfxRemoveFrameWnd(this);
    DestroyWindow();
  }

protected:
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    delete m_pVictim;
    m_pVictim = NULL;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFragileFrame, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(Idle, AFrameDestroyedByAnEarlierFramesUpdateIsNotTouched) {
  CFragileFrame* pFirst = new CFragileFrame;
  CFragileFrame* pSecond = new CFragileFrame;
  for (CFragileFrame* p : {pFirst, pSecond}) {
    ASSERT_TRUE(p->CreateEx(0, NULL, "float", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL));
    AfxAddFrameWnd(p);
  }
  pFirst->m_pVictim = pSecond;
  TheTestApp().OnIdle(0); // faults on the second frame's released storage unless it is skipped
  EXPECT_EQ(nullptr, pFirst->m_pVictim);
  delete pFirst;
}

TEST(Idle, IdleMessagesIgnoreRepeatedMovesPaintsAndCaretBlinks) {
  MSG msg = {};
  msg.message = WM_MOUSEMOVE;
  msg.pt = {5, 5};
  EXPECT_TRUE(TheTestApp().IsIdleMessage(&msg));
  EXPECT_FALSE(TheTestApp().IsIdleMessage(&msg));
  msg.pt = {6, 5};
  EXPECT_TRUE(TheTestApp().IsIdleMessage(&msg));
  msg.message = WM_PAINT;
  EXPECT_FALSE(TheTestApp().IsIdleMessage(&msg));
  msg.message = 0x0118;
  EXPECT_FALSE(TheTestApp().IsIdleMessage(&msg));
  msg.message = WM_KEYDOWN;
  EXPECT_TRUE(TheTestApp().IsIdleMessage(&msg));
}

// ---------------------------------------------------------------------------------------------
// Message boxes

TEST(MessageBoxes, DefaultIconsAreAdded) {
  MessageBoxRecorder recorder;
  MessageBoxRecorder::s_nAnswer = IDNO;
  EXPECT_EQ(IDNO, AfxMessageBox("Save changes to file?", MB_YESNOCANCEL));
  AfxMessageBox("Save failed!");
  AfxMessageBox("ok/cancel", MB_OKCANCEL);
  AfxMessageBox("stop", MB_OK | MB_ICONSTOP);
  auto& boxes = MessageBoxRecorder::Boxes();
  ASSERT_EQ(4u, boxes.size());
  EXPECT_EQ("Save changes to file?", boxes[0].first);
  EXPECT_EQ((UINT)(MB_YESNOCANCEL | MB_ICONQUESTION), boxes[0].second);
  EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), boxes[1].second);
  EXPECT_EQ((UINT)(MB_OKCANCEL | MB_ICONEXCLAMATION), boxes[2].second);
  EXPECT_EQ((UINT)(MB_OK | MB_ICONSTOP), boxes[3].second);
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
  EXPECT_STREQ("FwLab", app.m_pszProfileName);
  EXPECT_EQ(12u, app.GetProfileInt("Options\\ImgProcess", "Border_Size", 12)); // missing → default
  ASSERT_TRUE(app.WriteProfileInt("Options\\ImgProcess", "Border_Size", 25));
  ASSERT_TRUE(app.WriteProfileString("Options", "Name", "value"));
  HKEY hKey;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\FwLabMaker\\FwLab\\Options\\ImgProcess", 0,
                            KEY_READ, &hKey));
  DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "Border_Size", NULL, &dwType, (LPBYTE)&dwValue, &cb));
  EXPECT_EQ((DWORD)REG_DWORD, dwType);
  EXPECT_EQ(25u, dwValue);
  ::RegCloseKey(hKey);
  EXPECT_EQ(25u, app.GetProfileInt("Options\\ImgProcess", "Border_Size", 0));
  EXPECT_EQ(CString("value"), app.GetProfileString("Options", "Name"));
  EXPECT_TRUE(app.WriteProfileString("Options", "Name", NULL));
  EXPECT_EQ(CString("gone"), app.GetProfileString("Options", "Name", "gone"));

  BYTE data[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(app.WriteProfileBinary("Options", "Blob", data, 5));
  LPBYTE pData = NULL;
  UINT nBytes = 0;
  ASSERT_TRUE(app.GetProfileBinary("Options", "Blob", &pData, &nBytes));
  EXPECT_EQ(5u, nBytes);
  EXPECT_EQ(0, memcmp(data, pData, 5));
  delete[] pData;
}

TEST_F(ProfileTest, RecentFileListRoundTripsThroughTheRegistry) {
  CWinApp& app = TheTestApp();
  app.LoadStdProfileSettings(4);
  ASSERT_NE(nullptr, app.m_pRecentFileList);
  app.AddToRecentFileList("C:\\pictures\\a.png");
  app.AddToRecentFileList("C:\\pictures\\b.png");
  app.AddToRecentFileList("C:\\pictures\\a.png"); // moves back to the top
  app.SaveStdProfileSettings();
  EXPECT_EQ(CString("C:\\pictures\\a.png"), app.GetProfileString("Recent File List", "File1"));
  EXPECT_EQ(CString("C:\\pictures\\b.png"), app.GetProfileString("Recent File List", "File2"));
  EXPECT_EQ(CString("missing"), app.GetProfileString("Recent File List", "File3", "missing"));

  app.LoadStdProfileSettings(4); // a fresh list reads what was written
  CRecentFileList& list = *app.m_pRecentFileList;
  EXPECT_EQ(CString("C:\\pictures\\a.png"), list[0]);
  EXPECT_EQ(CString("C:\\pictures\\b.png"), list[1]);
  EXPECT_TRUE(list[2].IsEmpty());

  CString strName;
  EXPECT_TRUE(list.GetDisplayName(strName, 0, "C:\\pictures", 11));
  EXPECT_EQ(CString("a.png"), strName);
  EXPECT_FALSE(list.GetDisplayName(strName, 3, NULL, 0));
  list.Add("C:\\a very long folder name\\another long folder\\picture.png");
  EXPECT_TRUE(list.GetDisplayName(strName, 0, NULL, 0));
  EXPECT_LE(strName.GetLength(), 30);
  EXPECT_NE(-1, strName.Find("picture.png"));
  delete app.m_pRecentFileList;
  app.m_pRecentFileList = NULL;
}

} // namespace
