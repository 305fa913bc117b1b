// Paths the system writes into the caller's buffer come whole however long they are: the
// recent-file list's full paths, the program's file name and the current folder.
#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "tests/common/import_patch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

// An absolute path of more than twice MAX_PATH characters.
std::string LongPath() {
  std::string path = "C:\\pictures";
  while (path.size() < 2 * MAX_PATH)
    path += "\\a folder with a rather long name";
  return path + "\\shot.png";
}

// What the system answers as Windows does for a text longer than the caller's buffer: the size
// needed, terminator included, with nothing written.
std::string g_strAnswer;
DWORD Answer(LPSTR psz, DWORD nSize) {
  if (g_strAnswer.size() >= nSize)
    return (DWORD)g_strAnswer.size() + 1;
  std::memcpy(psz, g_strAnswer.c_str(), g_strAnswer.size() + 1);
  return (DWORD)g_strAnswer.size();
}
DWORD WINAPI FullPathAnswer(LPCSTR, DWORD nSize, LPSTR psz, LPSTR*) { return Answer(psz, nSize); }
DWORD WINAPI CurrentDirectoryAnswer(DWORD nSize, LPSTR psz) { return Answer(psz, nSize); }
// A module's name as Windows XP gives it to a buffer too small: cut, unterminated, the buffer's size.
DWORD WINAPI CutModuleName(HMODULE, LPSTR psz, DWORD nSize) {
  std::memcpy(psz, g_strAnswer.c_str(), std::min<size_t>(g_strAnswer.size() + 1, nSize));
  return std::min<DWORD>((DWORD)g_strAnswer.size(), nSize);
}

// Wine gives up on a name that long (the list then keeps it as given); Windows asks for a larger
// buffer.
TEST(RecentFileList, KeepsAPathLongerThanMaxPathWhole) {
  g_strAnswer = LongPath();
  for (bool bSizeAsked : {false, true}) {
    std::unique_ptr<CImportPatch> patch(
        bSizeAsked ? new CImportPatch("kernel32.dll", "GetFullPathNameA", (FARPROC)&FullPathAnswer) : NULL);
    ASSERT_TRUE(patch == NULL || patch->Applied());
    CRecentFileList list(0, "Recent File List", "File%d", 4);
    list.Add(g_strAnswer.c_str());
    EXPECT_EQ(g_strAnswer, list[0].GetString()) << bSizeAsked;
  }
}

TEST(CurrentDirectory, ComesWhole) {
  g_strAnswer = LongPath();
  CImportPatch patch("kernel32.dll", "GetCurrentDirectoryA", (FARPROC)&CurrentDirectoryAnswer);
  ASSERT_TRUE(patch.Applied());
  EXPECT_EQ(g_strAnswer, AfxGetCurrentDirectory().GetString());
}

// From any first buffer, also where a name cut short is left unterminated.
TEST(ModuleFileName, ComesWholeFromAnyFirstBuffer) {
  char sz[MAX_PATH];
  g_strAnswer.assign(sz, ::GetModuleFileNameA(NULL, sz, MAX_PATH));
  ASSERT_NE(std::string::npos, g_strAnswer.find("\\fw_app_tests.exe"));
  for (bool bCutUnterminated : {false, true}) {
    std::unique_ptr<CImportPatch> patch(
        bCutUnterminated ? new CImportPatch("kernel32.dll", "GetModuleFileNameA", (FARPROC)&CutModuleName)
                         : NULL);
    for (DWORD nFirst : {1ul, 7ul, 16ul, (DWORD)MAX_PATH})
      EXPECT_EQ(g_strAnswer, AfxGetModuleFileName(NULL, nFirst).GetString())
          << nFirst << " " << bCutUnterminated;
  }
}

} // namespace
