// What the program keeps from one run to the next through its command profile: how often each
// command was used, written to the registry when the frame goes and read when it comes back; and
// the bars, which every start lays out the same way, their View check marks agreeing.
#include "framework/wnd/fw_ids.h"
#include "tests/e2e/e2e_support.h"

#include <cstdio>
#include <map>

using namespace e2e;

namespace {

const char kProfileKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Corvane250\\Profiles\\"
                           "Pixolet-command-manager-profile\\CommandManager";
const int kStatusBarItem = 2; // in the View menu

// The uses of each command the profile's registry archive holds: a stream cut into values of 16
// bytes, 128 of them to a block key, that holds a signature, two versions, four reserved values,
// the total and then pairs of command and uses up to a zero. Empty when there is no archive.
std::map<DWORD, DWORD> StoredUses() {
  std::map<DWORD, DWORD> uses;
  HKEY hKey;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return uses;
  DWORD dwSize = 0, cb = sizeof(dwSize);
  ::RegQueryValueExA(hKey, "data_size", NULL, NULL, reinterpret_cast<BYTE*>(&dwSize), &cb);
  std::vector<BYTE> stream;
  for (DWORD nChunk = 0; stream.size() < dwSize; nChunk++) {
    char szBlock[32], szValue[32];
    std::snprintf(szBlock, sizeof(szBlock), "block_0x%08lX", (unsigned long)(nChunk / 128));
    std::snprintf(szValue, sizeof(szValue), "data_0x%08lX", (unsigned long)nChunk);
    BYTE chunk[16];
    DWORD cbChunk = sizeof(chunk);
    if (::RegGetValueA(hKey, szBlock, szValue, RRF_RT_REG_BINARY, NULL, chunk, &cbChunk) != ERROR_SUCCESS)
      break;
    stream.insert(stream.end(), chunk, chunk + cbChunk);
  }
  ::RegCloseKey(hKey);
  if (stream.size() != dwSize || dwSize == 0)
    return uses;
  CMemFile file(stream.data(), (UINT)stream.size());
  CArchive ar(&file, CArchive::load);
  try {
    CString signature;
    DWORD dwValue = 0, dwId = 0;
    ar >> signature;
    for (int i = 0; i < 7; i++)
      ar >> dwValue;
    for (ar >> dwId; dwId != 0; ar >> dwId)
      ar >> uses[dwId];
  } catch (CException* e) {
    e->Delete(); // a stream cut short: what was read so far
  }
  return uses;
}

class ProfileTest : public E2eTest {
protected:
  bool StatusBarShown() const {
    for (HWND hBar : m_app.Descendants(AFX_IDW_STATUS_BAR))
      if (::IsWindowVisible(hBar))
        return true;
    return false;
  }
  // The View menu's check mark of the status bar; the menu is closed again.
  Pixels StatusBarMark() {
    Pixels mark;
    if (HWND hMenu = m_app.OpenMenu('V'))
      mark = CPixolet::MenuItemMark(hMenu, kStatusBarItem);
    PressKey(VK_ESCAPE);
    WaitFor([&] { return m_app.ShownMenu() == NULL; });
    PressKey(VK_ESCAPE);
    SyncInput(m_app.Frame());
    return mark;
  }
};

// Each run starts with the status bar shown and checked, hides it through View (a use of its
// command) and exits through File, Exit: the uses written at the exit count those of the run
// before, read at the start.
TEST_F(ProfileTest, CommandUsesAreWrittenAtExitAndReadAtTheNextStart) {
  DeleteProgramKey();
  Pixels shownMark;
  for (int nRun = 1; nRun <= 2; nRun++) {
    SCOPED_TRACE("run " + std::to_string(nRun));
    ASSERT_TRUE(m_app.Start());
    EXPECT_TRUE(StatusBarShown());
    const Pixels mark = StatusBarMark();
    ASSERT_FALSE(mark.Empty());
    if (nRun == 1)
      shownMark = mark;
    EXPECT_EQ(shownMark.data, mark.data) << "the check mark does not agree with the bar";
    ASSERT_TRUE(m_app.Menu('V', 'S'));
    ASSERT_TRUE(WaitUntil("the status bar hidden", [&] { return !StatusBarShown(); }));
    EXPECT_NE(shownMark.data, StatusBarMark().data) << "the check mark stayed";
    ASSERT_TRUE(m_app.Exit());
    EXPECT_EQ((DWORD)nRun, StoredUses()[ID_VIEW_STATUS_BAR]);
  }
}

} // namespace
