// Where the toolkit's process objects meet: command icons follow the installed theme, system
// changes reach the command manager only through the frame's theme notification window, and
// command texts, menus and tool-bar resources come through the resource manager in use.
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "tests/common/frame_support.h"
#include "tests/unit/toolkit/foundation/cmd_test_ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Known to the theme by class name: the outer dock bar that relays its frame's system changes.
class CExtDockOuterBar : public CWnd {
  DECLARE_DYNAMIC(CExtDockOuterBar)
};
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CWnd)

const int kLeftDockBarId = 59420;
const int kTint = (int)RGB(1, 2, 3);

HICON SmallIcon() {
  const std::vector<BYTE> andBits(32 * 4, 0), xorBits(32 * 4, 0xFF);
  return ::CreateIcon(::GetModuleHandleA(NULL), 32, 32, 1, 1, andBits.data(), xorBits.data());
}

TEST(ToolkitSeams, TheInstalledThemeGivesCommandIconsTheirDisabledLook) {
  CExtCmdIcon icon(SmallIcon(), false);
  icon.SyncWithPaintManager();
  EXPECT_EQ(nullptr, icon.GetDisabledIcon()) << "the XP theme has no tinted look";

  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(new CExtPaintManagerOffice2003));
  const int nTint = (int)g_PaintManagerHolder->GetDisabledIconColor();
  ASSERT_NE(-1, nTint);
  icon.SyncWithPaintManager();
  EXPECT_EQ(nTint, icon.GetDisabledColor());
  EXPECT_EQ(0.7, icon.GetDisabledFactor());
  EXPECT_NE(nullptr, icon.GetDisabledIcon());

  ASSERT_TRUE(g_PaintManagerHolder.InstallTheme(NULL));
  icon.SyncWithPaintManager();
  EXPECT_EQ(-1, icon.GetDisabledColor());
  EXPECT_EQ(nullptr, icon.GetDisabledIcon());
}

TEST(ToolkitSeams, OnlyTheFramesNotificationWindowPassesSystemChangesToCommandIcons) {
  CLabFrame* pFrame = CreateLabFrame();
  ASSERT_NE(nullptr, pFrame);
  CWnd plain;
  CExtDockOuterBar dockBar;
  ASSERT_TRUE(plain.Create("STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), pFrame, 100));
  ASSERT_TRUE(dockBar.Create("STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), pFrame, kLeftDockBarId));
  ASSERT_TRUE(g_CmdManagerHolder->SetupCommand(NULL, CExtCmdItem(ID_CMD_CUT), true));
  ASSERT_TRUE(g_CmdManagerHolder->SetCommandIcon(NULL, ID_CMD_CUT, SmallIcon(), false));
  CExtCmdIcon* pIcon = g_CmdManagerHolder->GetCommandIcon(NULL, ID_CMD_CUT);
  ASSERT_NE(nullptr, pIcon);

  const std::function<void(CWnd*)> relays[] = {
      [](CWnd* p) { g_CmdManagerHolder.OnSysColorChangeFor(p); },
      [](CWnd* p) { g_CmdManagerHolder.OnSettingChangeFor(p, 0, NULL); },
      [](CWnd* p) { g_CmdManagerHolder.OnDisplayChangeFor(p, 32, 1280, 1024); },
      [](CWnd* p) { g_CmdManagerHolder.OnThemeChangedFor(p, 0, 0); },
  };
  for (const auto& relay : relays) {
    pIcon->SetDisabledColor(kTint);
    relay(&plain);
    EXPECT_EQ(kTint, pIcon->GetDisabledColor()) << "a window the theme does not listen to";
    relay(&dockBar);
    EXPECT_EQ(-1, pIcon->GetDisabledColor()) << "the frame's dock bar";
  }
  g_CmdManagerHolder->RemoveCommand(NULL, ID_CMD_CUT);
  plain.DestroyWindow();
  dockBar.DestroyWindow();
  DestroyLabFrame(pFrame);
}

// Answers in a language of its own: the exit command's text and a one-item menu; notes every
// resource it is asked for and leaves the rest to the default manager.
class CTranslatingManager : public CExtResourceManager {
public:
  explicit CTranslatingManager(std::vector<std::string>* pAsked) : m_pAsked(pAsked) {}
  bool LoadString(CString& str, UINT nID, LANGID nLangId, LANGID* pnLangIdOut) const override {
    Note("string", nID);
    if (nID != ID_CMD_EXIT)
      return CExtResourceManager::LoadString(str, nID, nLangId, pnLangIdOut);
    str = "Beendet das Programm\nBeenden";
    return true;
  }
  bool LoadMenu(CMenu* pMenu, LPCSTR lpszName, LANGID, LANGID*) const override {
    Note("menu", (UINT)(UINT_PTR)lpszName);
    return pMenu->CreatePopupMenu() && pMenu->AppendMenu(MF_STRING, ID_CMD_EXIT, "B&eenden");
  }
  HRSRC FindResourceById(UINT nTypeId, LPCSTR lpszName, LANGID nLangId, HINSTANCE* phModule) const override {
    Note("find " + std::to_string(nTypeId), (UINT)(UINT_PTR)lpszName);
    return CExtResourceManager::FindResourceById(nTypeId, lpszName, nLangId, phModule);
  }
  HBITMAP LoadBitmap(LPCSTR lpszName, LANGID nLangId, LANGID* pnLangIdOut) const override {
    Note("bitmap", (UINT)(UINT_PTR)lpszName);
    return CExtResourceManager::LoadBitmap(lpszName, nLangId, pnLangIdOut);
  }

private:
  void Note(const std::string& what, UINT nId) const {
    m_pAsked->push_back(what + " " + std::to_string(nId));
  }
  std::vector<std::string>* m_pAsked;
};

TEST(ToolkitSeams, CommandResourcesComeThroughTheResourceManager) {
  std::vector<std::string> asked;
  g_ResourceManagerHolder.Install(new CTranslatingManager(&asked));
  CExtCmdItem item(ID_CMD_EXIT);
  EXPECT_TRUE(item.LoadTextsFromResource());
  EXPECT_STREQ("Beendet das Programm", item.m_sTipStatus);
  EXPECT_STREQ("Beenden", item.m_sTipTool);

  CExtCmdProfile profile("translated");
  asked.clear();
  EXPECT_TRUE(profile.ImportMenuResource(IDR_CMD_MENU, true, false));
  const CExtCmdItem* pExit = profile.FindCommand(ID_CMD_EXIT);
  ASSERT_NE(nullptr, pExit);
  EXPECT_STREQ("B&eenden", pExit->m_sMenuText);
  EXPECT_EQ(std::vector<std::string>{"menu " + std::to_string(IDR_CMD_MENU)}, asked);

  asked.clear();
  EXPECT_TRUE(profile.ImportToolBarResource(IDR_CMD_TOOLBAR, NULL, NULL, true, false));
  const std::string id = std::to_string(IDR_CMD_TOOLBAR);
  EXPECT_EQ((std::vector<std::string>{"find 241 " + id, "find 2 " + id, "bitmap " + id}), asked);
  EXPECT_NE(nullptr, profile.GetCommandIcon(ID_CMD_COPY));
  g_ResourceManagerHolder.Install(NULL);
}

} // namespace
