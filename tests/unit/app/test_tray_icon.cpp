// The tray icon through its window: what it tells the shell, how it comes back after the shell
// restarts, and the commands its mouse messages send to the main window.
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/tray_support.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>

namespace {

const char kTip[] = "Vantrel Pixolet Screen Capture";

class CCommandSink : public CHostWnd {
public:
  std::vector<UINT> commands;
  BOOL OnCommand(WPARAM wParam, LPARAM) override { return commands.push_back(LOWORD(wParam)), TRUE; }
};

class TrayIcon : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_sink.CreateHost("sink"));
    AfxGetApp()->m_pMainWnd = &m_sink;
  }
  void TearDown() override { AfxGetApp()->m_pMainWnd = NULL; }
  BOOL Create(CSystemTray& tray, BOOL bHidden = FALSE, CWnd* pParent = NULL, LPCSTR lpszTip = kTip) {
    return tray.Create(pParent, UM_TRAY_NOTIFY, lpszTip, m_hIcon, IDR_TRAY_MENU, bHidden);
  }
  FakeShellInPlace m_shell;
  CCommandSink m_sink;
  HICON m_hIcon = ::LoadIconA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAINFRAME));
};

TEST_F(TrayIcon, AddsItsRecordAndDeletesItAtTheEnd) {
  const std::string strLong(80, 'x'), strCut(63, 'x');
  const struct {
    bool bParent;
    std::string strTip, strShown;
  } cases[] = {{false, kTip, kTip}, {true, kTip, kTip}, {false, strLong, strCut}};
  for (const auto& c : cases) {
    FakeShell::Get() = FakeShell();
    {
      CSystemTray tray;
      ASSERT_TRUE(Create(tray, FALSE, c.bParent ? &m_sink : NULL, c.strTip.c_str()));
      ASSERT_EQ(std::vector<DWORD>{NIM_ADD}, FakeShell::Get().Messages());
      const NOTIFYICONDATAA& nid = FakeShell::Get().calls[0].nid;
      EXPECT_EQ(std::make_tuple(DWORD(NOTIFYICONDATAA_V1_SIZE), c.bParent ? m_sink.m_hWnd : tray.m_hWnd,
                                UINT(IDR_TRAY_MENU), UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP),
                                UINT(UM_TRAY_NOTIFY), m_hIcon, c.strShown),
                std::make_tuple(nid.cbSize, nid.hWnd, nid.uID, nid.uFlags, nid.uCallbackMessage, nid.hIcon,
                                std::string(nid.szTip)));
      EXPECT_FALSE(::IsWindowVisible(tray.m_hWnd));
    }
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_DELETE}), FakeShell::Get().Messages());
    EXPECT_TRUE(FakeShell::Get().icons.empty());
  }
}

// What the shell hears over the icon's life, and whether the icon shows at the end.
TEST_F(TrayIcon, ComesBackAfterTheShellRestartsOrTheWorkAreaChanges) {
  enum Event { Restart, Lost, WorkArea, OtherSetting };
  const struct {
    const char* pszName;
    BOOL bHidden;
    bool bRefuse;
    std::vector<Event> events;
    std::vector<DWORD> messages;
    bool bShows;
  } cases[] = {
      {"restart", FALSE, false, {Restart}, {NIM_ADD, NIM_ADD}, true},
      {"work area", FALSE, false, {WorkArea}, {NIM_ADD, NIM_MODIFY}, true},
      {"work area, restart", FALSE, false, {WorkArea, Restart}, {NIM_ADD, NIM_MODIFY, NIM_ADD}, true},
      {"restart, work area", FALSE, false, {Restart, WorkArea}, {NIM_ADD, NIM_ADD, NIM_MODIFY}, true},
      {"icon lost, work area", FALSE, false, {Lost, WorkArea}, {NIM_ADD, NIM_MODIFY, NIM_ADD}, true},
      {"other setting", FALSE, false, {OtherSetting}, {NIM_ADD}, true},
      {"created hidden", TRUE, false, {WorkArea, Restart}, {}, false},
      {"refused", FALSE, true, {WorkArea, Restart}, {NIM_ADD}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszName);
    FakeShell& shell = FakeShell::Get();
    shell = FakeShell();
    shell.bRefuse = c.bRefuse;
    CSystemTray tray;
    EXPECT_EQ(!c.bRefuse, !!Create(tray, c.bHidden));
    shell.bRefuse = false;
    for (Event e : c.events) {
      if (e == Restart || e == Lost)
        shell.icons.clear();
      if (e == Restart)
        tray.PostMessage(g_nMsgTaskbarCreated, 0, 0);
      else if (e != Lost) // the system sends this one: it cannot be posted
        tray.SendMessage(WM_SETTINGCHANGE, e == WorkArea ? SPI_SETWORKAREA : SPI_SETDESKWALLPAPER, 0);
      PumpPending();
    }
    EXPECT_EQ(c.messages, shell.Messages());
    EXPECT_EQ(c.bShows, shell.icons.size() == 1);
    EXPECT_EQ(!c.bShows, !!tray.IsIconHidden());
    for (const FakeShell::Call& call : shell.calls)
      EXPECT_EQ(UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP), call.nid.uFlags);
  }
}

TEST_F(TrayIcon, DoubleClickRunsTheDefaultCommand) {
  const struct {
    UINT uDefault;
    BOOL bByPosition;
    UINT uID, uMouse;
    std::vector<UINT> commands;
  } cases[] = {
      {6, TRUE, IDR_TRAY_MENU, WM_LBUTTONDBLCLK, {ID_APP_OPEN}},
      {ID_CAPTURE_FULL_SCREEN, FALSE, IDR_TRAY_MENU, WM_LBUTTONDBLCLK, {ID_CAPTURE_FULL_SCREEN}},
      {0, TRUE, IDR_TRAY_MENU, WM_LBUTTONDBLCLK, {ID_CAPTURE_RECTANGLE}},
      {6, TRUE, IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK, {}}, // not our icon
      {6, TRUE, IDR_TRAY_MENU, WM_LBUTTONDOWN, {}},
  };
  for (const auto& c : cases) {
    CSystemTray tray;
    ASSERT_TRUE(Create(tray));
    EXPECT_TRUE(tray.SetMenuDefaultItem(c.uDefault, c.bByPosition));
    m_sink.commands.clear();
    tray.PostMessage(UM_TRAY_NOTIFY, c.uID, c.uMouse);
    PumpPending();
    EXPECT_EQ(c.commands, m_sink.commands) << c.uDefault << " " << c.uID << " " << c.uMouse;
  }
}

HWND ShownMenu() {
  HWND hMenuWnd = ::FindWindowA("#32768", NULL);
  return hMenuWnd != NULL && ::IsWindowVisible(hMenuWnd) ? hMenuWnd : NULL;
}

// Run on a thread of its own while the menu runs: waits for the menu, reads its items as
// "text|id" with a "*" for the default, keeps a picture of it and clicks the item at nPick.
void ReadMenuAndPick(std::vector<std::string>* pItems, int nPick, const char* pszPicture) {
  HWND hMenuWnd = NULL;
  for (int i = 0; i < 500 && (hMenuWnd = ShownMenu()) == NULL; ++i)
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, 0);
  if (hMenuWnd == NULL)
    return;
  HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0));
  for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
    char szText[64] = "";
    ::GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
    const bool bDefault = (::GetMenuState(hMenu, i, MF_BYPOSITION) & MFS_DEFAULT) != 0;
    pItems->push_back(szText + ("|" + std::to_string(::GetMenuItemID(hMenu, i))) + (bDefault ? "*" : ""));
  }
  RECT rc;
  if (pszPicture != NULL && ::GetWindowRect(hMenuWnd, &rc))
    pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rc), pszPicture);
  ::GetMenuItemRect(NULL, hMenu, nPick, &rc);
  const POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  for (DWORD dwFlags : {0ul, DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)})
    real_input::MouseAt(pt, dwFlags);
}

TEST_F(TrayIcon, RightClickShowsTheTrayMenuAndSendsTheChosenCommand) {
  const std::vector<std::string> expected = {"Capture &Rect. Area\tCtrl+R|32784",
                                             "|0",
                                             "Capture &Full Screen\tCtrl+F|32786",
                                             "Capture &Active Window\tCtrl+W|32785",
                                             "Freeha&nd Region|32791",
                                             "|0",
                                             "&Open Application|32878*",
                                             "|0",
                                             "E&xit|57665"};
  const struct {
    int nPick;
    UINT uCommand;
    const char* pszPicture;
  } cases[] = {{6, ID_APP_OPEN, "tray_menu.bmp"},
               {0, ID_CAPTURE_RECTANGLE, nullptr},
               {3, ID_CAPTURE_ACTIVE_WINDOW, nullptr},
               {8, ID_APP_EXIT, nullptr}};
  for (const auto& c : cases) {
    CSystemTray tray;
    ASSERT_TRUE(Create(tray));
    ASSERT_TRUE(tray.SetMenuDefaultItem(6, TRUE));
    real_input::MoveTo(CPoint(500, 400)); // the menu opens at the pointer
    m_sink.commands.clear();
    std::vector<std::string> items;
    std::thread reader(ReadMenuAndPick, &items, c.nPick, c.pszPicture);
    tray.PostMessage(UM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP);
    PumpPending(); // the menu runs inside and has closed when this returns
    reader.join();
    EXPECT_EQ(expected, items);
    EXPECT_TRUE(PumpUntil([&] { return !m_sink.commands.empty(); })) << c.nPick;
    EXPECT_EQ(std::vector<UINT>{c.uCommand}, m_sink.commands);
    EXPECT_EQ(nullptr, ShownMenu());
  }
}

} // namespace
