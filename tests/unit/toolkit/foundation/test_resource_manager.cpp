// The resource manager: the right-to-left answer, the order of locale questions, and resources
// in the manager's language only with lookup on.
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
    int nOverride;
    bool bLookup;
    LANGID nManagerLangId, nUserLangId;
    bool bExpected;
  } rows[] = {
      {-1, false, 0x0409, 0x0C01, true},  {-1, false, 0x0409, 0x040D, true},
      {-1, false, 0x0409, 0x0409, false}, {0, false, 0x0409, 0x0C01, false},
      {1, false, 0x0409, 0x0409, true},   {-1, true, 0x0401, 0x0409, true},
      {-1, true, 0x0C01, 0x0C01, false}, // with lookup only Arabic (Saudi Arabia) counts
  };
  CImportPatch patch("kernel32.dll", "GetUserDefaultLangID", reinterpret_cast<FARPROC>(UserLangId));
  ASSERT_TRUE(patch.Applied());
  for (const auto& row : rows) {
    CExtResourceManager manager;
    manager.SetRightToLeftOverride(row.nOverride);
    manager.EnableLanguageLookup(row.bLookup);
    manager.SetLangId(row.nManagerLangId);
    g_nUserLangId = row.nUserLangId;
    EXPECT_EQ(row.bExpected, manager.IsRightToLeft())
        << std::hex << row.nManagerLangId << " " << row.nUserLangId;
  }
}

std::vector<LCID> g_asked;
size_t g_nAnswerAt = 0;
int WINAPI LoggingLocaleInfo(LCID lcid, LCTYPE, LPSTR, int) {
  g_asked.push_back(lcid);
  return g_asked.size() - 1 == g_nAnswerAt ? 2 : 0;
}

TEST(ResourceManager, LocaleQuestionsGoToTheLanguagesThenUserSystemAndNeutralLocales) {
  CImportPatch patch("kernel32.dll", "GetLocaleInfoA", reinterpret_cast<FARPROC>(LoggingLocaleInfo));
  ASSERT_TRUE(patch.Applied());
  const LCID kOwn = MAKELCID(kGerman, SORT_DEFAULT), kDefault = MAKELCID(0x0409, SORT_DEFAULT);
  const struct {
    bool bLookup;
    size_t nAnswerAt;
    std::vector<LCID> asked;
  } rows[] = {
      {false, 0, {LOCALE_USER_DEFAULT}},
      {false, 9, {LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT, 0}},
      {true, 1, {kOwn, kDefault}},
      {true, 3, {kOwn, kDefault, LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT}},
  };
  for (const auto& row : rows) {
    CExtResourceManager manager;
    manager.EnableLanguageLookup(row.bLookup);
    manager.SetLangId(kGerman);
    g_asked.clear();
    g_nAnswerAt = row.nAnswerAt;
    char sz[8] = "";
    EXPECT_EQ(row.nAnswerAt < 9 ? 2 : 0, manager.GetLocaleInfo(LOCALE_SMONTHNAME1, sz, sizeof(sz)));
    EXPECT_EQ(row.asked, g_asked);
  }
}

TEST(ResourceManager, StringsAndAcceleratorsComeInTheManagersLanguageOnlyWithLookup) {
  TheTestApp();
  const struct {
    bool bLookup;
    LANGID nLangId;
    const char* pszGreeting;
    bool bEnglishOnlyFound;
    int nAccelerators;
  } rows[] = {{false, kGerman, "Hello", true, 1},
              {true, kGerman, "Hallo", false, 2},
              {true, 0x0409, "Hello", true, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pszGreeting);
    CExtResourceManager manager;
    manager.EnableLanguageLookup(row.bLookup);
    manager.SetLangId(row.nLangId);
    CString str = "unchanged";
    EXPECT_FALSE(manager.LoadString(str, IDS_RES_GREETING + 100));
    EXPECT_STREQ("unchanged", str);
    EXPECT_TRUE(manager.LoadString(str, IDS_RES_GREETING));
    EXPECT_STREQ(row.pszGreeting, str);
    EXPECT_EQ(row.bEnglishOnlyFound, manager.LoadString(str, IDS_RES_ENGLISH_ONLY));
    HACCEL hAccel = manager.LoadAccelerators(MAKEINTRESOURCEA(IDR_RES_ACCEL));
    ACCEL table[4] = {};
    EXPECT_EQ(row.nAccelerators, ::CopyAcceleratorTableA(hAccel, table, 4));
    EXPECT_EQ(ID_RES_COMMAND_A, table[0].cmd);
    EXPECT_EQ(FVIRTKEY | FCONTROL, table[0].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT));
    ::DestroyAcceleratorTable(hAccel);
  }
}

TEST(ResourceManager, HolderKeepsTheManagerInstalledAgainAndDeletesItAtTheEnd) {
  static int s_nDeleted = 0;
  struct CCountedManager : CExtResourceManager {
    ~CCountedManager() override { ++s_nDeleted; }
  };
  {
    CExtResourceManagerHolder holder;
    CCountedManager* pManager = new CCountedManager;
    holder.Install(pManager);
    holder.Install(pManager);
    EXPECT_EQ(0, s_nDeleted);
  }
  EXPECT_EQ(1, s_nDeleted);
}

} // namespace
