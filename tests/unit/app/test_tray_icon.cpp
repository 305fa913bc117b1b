// The tray icon through its window: what it tells the shell, the commands its callback sends to
// the main window, and how it comes back after the shell restarts.
#include "app/SystemTray.h"
#include "tests/common/pixel_support.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/unit/app/tray_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const char kTip[] = "Vantrel Pixolet Screen Capture";

class TrayIcon : public ::testing::Test, public TrayFixtureBase {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_sink.CreateHost("sink"));
    m_pOldMain = TheTestApp().m_pMainWnd;
    TheTestApp().m_pMainWnd = &m_sink;
    m_hIcon = ::LoadIconA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAINFRAME));
  }
  void TearDown() override {
    TheTestApp().m_pMainWnd = m_pOldMain;
    m_sink.DestroyWindow();
  }
  BOOL CreateTray(CSystemTray& tray, BOOL bHidden = FALSE, CWnd* pParent = NULL, LPCSTR lpszTip = kTip) {
    return tray.Create(pParent, UM_TRAY_NOTIFY, lpszTip, m_hIcon, IDR_TRAY_MENU, bHidden);
  }
  // Posts the icon's mouse message as the shell would, and runs it.
  void Notify(CSystemTray& tray, UINT uMouse, UINT uID = IDR_TRAY_MENU) {
    tray.PostMessage(UM_TRAY_NOTIFY, uID, uMouse);
    PumpPending();
  }

  CCommandSink m_sink;
  CWnd* m_pOldMain = NULL;
  HICON m_hIcon = NULL;
};

TEST_F(TrayIcon, AddsItsRecordAndDeletesItAtTheEnd) {
  struct Case {
    bool bParent;
    const char* pszTip;
    const char* pszShown;
  };
  const std::string strLong(80, 'x'), strCut(63, 'x');
  const Case cases[] = {{false, kTip, kTip}, {true, kTip, kTip}, {false, strLong.c_str(), strCut.c_str()}};
  for (const Case& c : cases) {
    FakeShell::Get() = FakeShell();
    {
      CSystemTray tray;
      ASSERT_TRUE(CreateTray(tray, FALSE, c.bParent ? &m_sink : NULL, c.pszTip));
      ASSERT_EQ(1u, FakeShell::Get().calls.size());
      const FakeShell::Call& add = FakeShell::Get().calls[0];
      EXPECT_EQ(DWORD(NIM_ADD), add.dwMessage);
      EXPECT_EQ(88u, add.cbSize);
      EXPECT_EQ(c.bParent ? m_sink.m_hWnd : tray.m_hWnd, add.hWnd);
      EXPECT_EQ(UINT(IDR_TRAY_MENU), add.uID);
      EXPECT_EQ(UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP), add.uFlags);
      EXPECT_EQ(UINT(UM_TRAY_NOTIFY), add.uCallbackMessage);
      EXPECT_EQ(m_hIcon, add.hIcon);
      EXPECT_EQ(std::string(c.pszShown), add.strTip);
      EXPECT_FALSE(tray.IsIconHidden());
      EXPECT_FALSE(::IsWindowVisible(tray.m_hWnd));
    }
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_DELETE}), FakeShell::Get().Messages());
    EXPECT_TRUE(FakeShell::Get().icons.empty());
  }
}

// What the shell hears across a life of the icon, and whether the icon shows at the end.
TEST_F(TrayIcon, ComesBackAfterTheShellRestartsOrTheWorkAreaChanges) {
  enum Event { Restart, Lost, WorkArea, OtherSetting };
  struct Case {
    const char* pszName;
    BOOL bHidden;
    bool bRefuse;
    std::vector<Event> events;
    std::vector<DWORD> messages;
    bool bShows;
  };
  const Case cases[] = {
      {"restart", FALSE, false, {Restart}, {NIM_ADD, NIM_ADD}, true},
      {"work area", FALSE, false, {WorkArea}, {NIM_ADD, NIM_MODIFY}, true},
      {"work area then restart", FALSE, false, {WorkArea, Restart}, {NIM_ADD, NIM_MODIFY, NIM_ADD}, true},
      {"restart then work area", FALSE, false, {Restart, WorkArea}, {NIM_ADD, NIM_ADD, NIM_MODIFY}, true},
      {"work area after the icon was lost",
       FALSE,
       false,
       {Lost, WorkArea},
       {NIM_ADD, NIM_MODIFY, NIM_ADD},
       true},
      {"other setting", FALSE, false, {OtherSetting}, {NIM_ADD}, true},
      {"created hidden", TRUE, false, {WorkArea, Restart}, {}, false},
      {"refused", FALSE, true, {WorkArea, Restart}, {NIM_ADD}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pszName);
    FakeShell& shell = FakeShell::Get();
    shell = FakeShell();
    shell.bRefuse = c.bRefuse;
    CSystemTray tray;
    EXPECT_EQ(!c.bRefuse, !!CreateTray(tray, c.bHidden));
    shell.bRefuse = false;
    for (Event e : c.events) {
      if (e == Restart || e == Lost) {
        shell.Restart();
        if (e == Restart)
          tray.PostMessage(g_nMsgTaskbarCreated, 0, 0);
      } else {
        // The system sends this one: it cannot be posted.
        tray.SendMessage(WM_SETTINGCHANGE, e == WorkArea ? SPI_SETWORKAREA : SPI_SETDESKWALLPAPER, 0);
      }
      PumpPending();
    }
    EXPECT_EQ(c.messages, shell.Messages());
    EXPECT_EQ(c.bShows, shell.icons.size() == 1);
    EXPECT_EQ(!c.bShows, !!tray.IsIconHidden());
    for (const FakeShell::Call& call : shell.calls)
      EXPECT_EQ(UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP), call.uFlags);
  }
}

TEST_F(TrayIcon, DoubleClickRunsTheDefaultCommand) {
  struct Case {
    UINT uDefault;
    BOOL bByPosition;
    UINT uID;
    UINT uMouse;
    std::vector<UINT> commands;
  };
  const Case cases[] = {
      {6, TRUE, IDR_TRAY_MENU, WM_LBUTTONDBLCLK, {ID_APP_OPEN}},
      {ID_CAPTURE_FULL_SCREEN, FALSE, IDR_TRAY_MENU, WM_LBUTTONDBLCLK, {ID_CAPTURE_FULL_SCREEN}},
      {0, TRUE, IDR_TRAY_MENU, WM_LBUTTONDBLCLK, {ID_CAPTURE_RECTANGLE}},
      {6, TRUE, IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK, {}},
      {6, TRUE, IDR_TRAY_MENU, WM_LBUTTONDOWN, {}},
  };
  for (const Case& c : cases) {
    CSystemTray tray;
    ASSERT_TRUE(CreateTray(tray));
    EXPECT_TRUE(tray.SetMenuDefaultItem(c.uDefault, c.bByPosition));
    m_sink.commands.clear();
    Notify(tray, c.uMouse, c.uID);
    EXPECT_EQ(c.commands, m_sink.commands) << c.uDefault << " " << c.uID << " " << c.uMouse;
  }
}

// The items of the menu on screen, read from another thread while the menu runs.
struct MenuItem {
  UINT uID;
  std::string strText;
  bool bDefault;
  bool operator==(const MenuItem& o) const {
    return uID == o.uID && strText == o.strText && bDefault == o.bDefault;
  }
};

HWND FindShownMenu() {
  HWND hMenuWnd = ::FindWindowA("#32768", NULL);
  return hMenuWnd != NULL && ::IsWindowVisible(hMenuWnd) ? hMenuWnd : NULL;
}

// Waits for the tray menu, reads its items, keeps a picture of it and clicks the item at nPick.
void ReadMenuAndPick(std::vector<MenuItem>* pItems, int nPick, const char* pszPicture) {
  HWND hMenuWnd = NULL;
  for (int i = 0; i < 500 && (hMenuWnd = FindShownMenu()) == NULL; ++i)
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, 0);
  if (hMenuWnd == NULL)
    return;
  HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0));
  for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
    char szText[64] = "";
    MENUITEMINFOA info = {sizeof(info), MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING};
    info.dwTypeData = szText;
    info.cch = sizeof(szText);
    ::GetMenuItemInfoA(hMenu, i, TRUE, &info);
    pItems->push_back(
        {info.wID, (info.fType & MFT_SEPARATOR) ? "-" : szText, (info.fState & MFS_DEFAULT) != 0});
  }
  RECT rcMenu;
  ::GetWindowRect(hMenuWnd, &rcMenu);
  if (pszPicture != NULL)
    pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcMenu), pszPicture);
  RECT rcItem;
  ::GetMenuItemRect(NULL, hMenu, nPick, &rcItem);
  const POINT pt = {(rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2};
  real_input::MouseAt(pt, 0);
  real_input::MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
  real_input::MouseAt(pt, MOUSEEVENTF_LEFTUP);
}

TEST_F(TrayIcon, RightClickShowsTheTrayMenuAndSendsTheChosenCommand) {
  const std::vector<MenuItem> expected = {
      {ID_CAPTURE_RECTANGLE, "Capture &Rect. Area\tCtrl+R", false},
      {0, "-", false},
      {ID_CAPTURE_FULL_SCREEN, "Capture &Full Screen\tCtrl+F", false},
      {ID_CAPTURE_ACTIVE_WINDOW, "Capture &Active Window\tCtrl+W", false},
      {ID_CAPTURE_FREEHAND, "Freeha&nd Region", false},
      {0, "-", false},
      {ID_APP_OPEN, "&Open Application", true},
      {0, "-", false},
      {ID_APP_EXIT, "E&xit", false},
  };
  struct Case {
    int nPick;
    const char* pszPicture;
  };
  for (const Case& c : {Case{6, "tray_menu.bmp"}, Case{0, nullptr}, Case{3, nullptr}, Case{8, nullptr}}) {
    CSystemTray tray;
    ASSERT_TRUE(CreateTray(tray));
    ASSERT_TRUE(tray.SetMenuDefaultItem(6, TRUE));
    real_input::MoveTo(CPoint(500, 400));
    m_sink.commands.clear();
    std::vector<MenuItem> items;
    std::thread reader(ReadMenuAndPick, &items, c.nPick, c.pszPicture);
    Notify(tray, WM_RBUTTONUP); // returns once the menu has closed
    reader.join();
    EXPECT_EQ(expected.size(), items.size());
    EXPECT_TRUE(items == expected);
    EXPECT_TRUE(PumpUntil([&] { return !m_sink.commands.empty(); })) << c.nPick;
    EXPECT_EQ(std::vector<UINT>{expected[c.nPick].uID}, m_sink.commands);
    EXPECT_EQ(nullptr, FindShownMenu());
  }
}

} // namespace
