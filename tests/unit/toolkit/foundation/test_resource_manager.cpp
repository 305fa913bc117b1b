// The resource manager: the right-to-left answer, the order of locale questions, resources as the
// platform finds them and, with language lookup, in the manager's language.
#include "tests/common/import_patch.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/foundation/res_dlg_test_res.h"
#include "toolkit/foundation/ExtResourceManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const LANGID kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

LANGID g_nUserLangId = 0x0409;
LANGID WINAPI UserLangId() { return g_nUserLangId; }

TEST(ResourceManager, RightToLeftByOverrideLookupLanguageOrUserLanguage) {
  const struct {
    const char* name;
    int nOverride;
    bool bLookup;
    LANGID nManagerLangId, nUserLangId;
    bool bExpected;
  } rows[] = {
      {"Arabic (Egypt) user", -1, false, 0x0409, 0x0C01, true},
      {"Hebrew user", -1, false, 0x0409, 0x040D, true},
      {"English user", -1, false, 0x0409, 0x0409, false},
      {"override 0 wins", 0, false, 0x0409, 0x0C01, false},
      {"override 1 wins", 1, false, 0x0409, 0x0409, true},
      {"lookup: Arabic (Saudi Arabia)", -1, true, 0x0401, 0x0409, true},
      {"lookup: only that Arabic", -1, true, 0x0C01, 0x0C01, false},
  };
  CImportPatch patch("kernel32.dll", "GetUserDefaultLangID", reinterpret_cast<FARPROC>(UserLangId));
  ASSERT_TRUE(patch.Applied());
  for (const auto& row : rows) {
    CExtResourceManager manager;
    manager.SetRightToLeftOverride(row.nOverride);
    manager.EnableLanguageLookup(row.bLookup);
    manager.SetLangId(row.nManagerLangId);
    g_nUserLangId = row.nUserLangId;
    EXPECT_EQ(row.bExpected, manager.IsRightToLeft()) << row.name;
  }
}

std::vector<LCID> g_asked;
int g_nAnswerAt = -1;
int WINAPI LoggingLocaleInfo(LCID lcid, LCTYPE, LPSTR lpData, int cchData) {
  g_asked.push_back(lcid);
  if ((int)g_asked.size() - 1 != g_nAnswerAt)
    return 0;
  lstrcpynA(lpData, "x", cchData);
  return 2;
}

TEST(ResourceManager, LocaleQuestionsGoToTheLanguagesThenUserSystemAndNeutralLocales) {
  CImportPatch patch("kernel32.dll", "GetLocaleInfoA", reinterpret_cast<FARPROC>(LoggingLocaleInfo));
  ASSERT_TRUE(patch.Applied());
  const LCID kUser = LOCALE_USER_DEFAULT, kSystem = LOCALE_SYSTEM_DEFAULT;
  const LCID kOwn = MAKELCID(kGerman, SORT_DEFAULT), kDefault = MAKELCID(0x0409, SORT_DEFAULT);
  const struct {
    bool bLookup;
    int nAnswerAt;
    std::vector<LCID> asked;
    int nResult;
  } rows[] = {
      {false, 0, {kUser}, 2},
      {false, -1, {kUser, kSystem, 0}, 0},
      {true, 1, {kOwn, kDefault}, 2},
      {true, 3, {kOwn, kDefault, kUser, kSystem}, 2},
  };
  for (const auto& row : rows) {
    CExtResourceManager manager;
    manager.EnableLanguageLookup(row.bLookup);
    manager.SetLangId(kGerman);
    g_asked.clear();
    g_nAnswerAt = row.nAnswerAt;
    char sz[8] = "";
    EXPECT_EQ(row.nResult, manager.GetLocaleInfo(LOCALE_SMONTHNAME1, sz, sizeof(sz)));
    EXPECT_EQ(row.asked, g_asked);
  }
}

TEST(ResourceManager, LoadersFindTheManagersLanguageOnlyWithLookup) {
  TheTestApp();
  const struct {
    bool bLookup;
    LANGID nLangId;
    const char* pszGreeting;
    const char* pszMenu;
    int nAccelerators;
  } rows[] = {
      {false, kGerman, "Hello", "&File", 1},
      {true, kGerman, "Hallo", "&Datei", 2},
      {true, 0x0409, "Hello", "&File", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pszGreeting);
    CExtResourceManager manager;
    manager.EnableLanguageLookup(row.bLookup);
    manager.SetLangId(row.nLangId);
    EXPECT_EQ(row.bLookup ? row.nLangId : 0x0409, manager.GetLangId());

    CString str = "unchanged";
    EXPECT_TRUE(manager.LoadString(str, IDS_RES_GREETING));
    EXPECT_STREQ(row.pszGreeting, str);
    str = "unchanged";
    EXPECT_FALSE(manager.LoadString(str, IDS_RES_GREETING + 100));
    EXPECT_STREQ("unchanged", str);
    EXPECT_EQ(row.nLangId != kGerman || !row.bLookup, manager.LoadString(str, IDS_RES_ENGLISH_ONLY));

    CMenu menu;
    ASSERT_TRUE(manager.LoadMenu(&menu, MAKEINTRESOURCEA(IDR_RES_MENU)));
    char sz[32] = "";
    ::GetMenuStringA(menu.GetSafeHmenu(), 0, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ(row.pszMenu, sz);

    HACCEL hAccel = manager.LoadAccelerators(MAKEINTRESOURCEA(IDR_RES_ACCEL));
    ASSERT_NE(nullptr, hAccel);
    ACCEL table[4] = {};
    ASSERT_EQ(row.nAccelerators, ::CopyAcceleratorTableA(hAccel, table, 4));
    EXPECT_EQ('A', table[0].key);
    EXPECT_EQ(ID_RES_COMMAND_A, table[0].cmd);
    EXPECT_EQ(FVIRTKEY | FCONTROL, table[0].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT));
    ::DestroyAcceleratorTable(hAccel);
  }
}

TEST(ResourceManager, HolderMakesTheDefaultOnFirstUseAndDeletesWhatItReplaces) {
  static int s_nDeleted = 0;
  class CCountedManager : public CExtResourceManager {
  public:
    ~CCountedManager() override { ++s_nDeleted; }
  };
  CExtResourceManagerHolder holder;
  EXPECT_FALSE(holder->IsLanguageLookupEnabled());
  EXPECT_EQ(-1, holder->GetRightToLeftOverride());
  CCountedManager* pManager = new CCountedManager;
  holder.Install(pManager);
  EXPECT_EQ(pManager, holder.operator->());
  holder.Install(pManager);
  EXPECT_EQ(0, s_nDeleted) << "installing the manager in use keeps it";
  holder.Install(NULL);
  EXPECT_EQ(1, s_nDeleted);
  EXPECT_NE(nullptr, holder.operator->());
}

} // namespace
