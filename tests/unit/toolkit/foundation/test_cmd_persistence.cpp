// Usage statistics between runs: the profile's archive stream byte for byte, the registry
// archive's chunks, blocks and checksum, and loads that must leave the counters alone.
#include "toolkit/foundation/ExtCmdProfile.h"
#include "toolkit/foundation/ExtRegistryArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

const char kTestRoot[] = "Software\\PixoletTests";
const char kRegKey[] = "PixoletTests";
const char kAppProfile[] = "CmdMgr";

void Append(Bytes& bytes, DWORD dw) {
  for (int i = 0; i < 4; ++i)
    bytes.push_back((BYTE)(dw >> (8 * i)));
}

Bytes FileBytes(CMemFile& file) {
  Bytes bytes((size_t)file.GetLength());
  file.SeekToBegin();
  if (!bytes.empty())
    file.Read(bytes.data(), (UINT)bytes.size());
  file.SeekToBegin();
  return bytes;
}

Bytes Stored(CExtCmdProfile& profile) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(profile.Serialize(ar));
  }
  return FileBytes(file);
}

bool Load(CExtCmdProfile& profile, const Bytes& bytes) {
  CMemFile file;
  file.Write(bytes.data(), (UINT)bytes.size());
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  return profile.Serialize(ar);
}

// Ids 0x100 and 0x110 fall into the last and the first of the map's 17 buckets.
class CmdPersistence : public ::testing::Test {
protected:
  void SetUp() override {
    RegistryDeleteKeyTree(HKEY_CURRENT_USER, kTestRoot);
    const UINT ids[] = {0x100, 0x110, 0x120, 0x130, 0x140, 0xF060};
    for (UINT nId : ids) {
      m_profile.SetupCommand(CExtCmdItem(nId));
      m_profile.FindCommand(nId)->m_nUsageTickCount = 2;
    }
    Item(0x100).m_nUsageTickCount = 3;
    Item(0x110).m_nUsageTickCount = 5;
    Item(0x120).m_nUsageTickCount = 0;
    Item(0x130).SetBasic(true);
    Item(0x140).SetStateBit40(true);
    m_profile.m_nTotalTickCount = 10;
  }
  void TearDown() override {
    EXPECT_TRUE(RegistryDeleteKeyTree(HKEY_CURRENT_USER, kTestRoot));
    HKEY hKey = NULL;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kTestRoot, 0, KEY_READ, &hKey));
  }
  CExtCmdItem& Item(UINT nId) { return *m_profile.FindCommand(nId); }
  // Every counter of the profile and its total, to compare before and after a load.
  std::vector<UINT> Counters() {
    std::vector<UINT> counters = {m_profile.m_nTotalTickCount};
    for (UINT nId : {0x100, 0x110, 0x120, 0x130, 0x140, 0xF060})
      counters.push_back(Item(nId).m_nUsageTickCount);
    return counters;
  }
  std::string Path(LPCSTR lpszProfile) const {
    return std::string(kTestRoot) + "\\CmdMgr\\Corvane250\\Profiles\\" + lpszProfile + "\\CommandManager";
  }

  CExtCmdProfile m_profile{"cmds"};
};

Bytes QueryBinary(const std::string& path, LPCSTR lpszName) {
  BYTE buffer[256];
  DWORD cb = sizeof(buffer);
  const LONG lResult =
      ::RegGetValueA(HKEY_CURRENT_USER, path.c_str(), lpszName, RRF_RT_ANY, NULL, buffer, &cb);
  return lResult == ERROR_SUCCESS ? Bytes(buffer, buffer + cb) : Bytes();
}

std::string QueryString(const std::string& path, LPCSTR lpszName) {
  const Bytes bytes = QueryBinary(path, lpszName);
  return bytes.empty() ? "<none>" : std::string(bytes.begin(), bytes.end() - 1);
}

} // namespace

TEST_F(CmdPersistence, TheStreamHoldsSignatureVersionsTotalAndSavedCountersInMapOrder) {
  const std::string sSignature = "Corvane (v. 2.5.0.0) command profile";
  Bytes expected = {(BYTE)sSignature.size()};
  expected.insert(expected.end(), sSignature.begin(), sSignature.end());
  for (DWORD dw : {0x02050000u, 517u, 0u, 0u, 0u, 0u, 10u, 0x110u, 5u, 0x100u, 3u, 0u})
    Append(expected, dw);
  EXPECT_EQ(expected, Stored(m_profile));
}

TEST_F(CmdPersistence, ALoadSetsListedCountersOnlyAndRefusesOtherVersions) {
  Bytes stream = Stored(m_profile);
  for (UINT nId : {0x100u, 0x110u, 0x120u, 0x130u, 0x140u, 0xF060u})
    Item(nId).m_nUsageTickCount = 7;
  m_profile.m_nTotalTickCount = 1;
  ASSERT_TRUE(Load(m_profile, stream));
  EXPECT_EQ((std::vector<UINT>{10, 3, 5, 7, 7, 7, 7}), Counters());
  stream[37 + 4] = 4; // archive version 516
  EXPECT_FALSE(Load(m_profile, stream));
  EXPECT_EQ(10u, m_profile.m_nTotalTickCount);
}

TEST_F(CmdPersistence, AStreamCutBeforeItsEndChangesNoCounter) {
  Bytes stream = Stored(m_profile);
  stream.resize(stream.size() - 4); // no terminator
  m_profile.m_nTotalTickCount = 1;
  Item(0x110).m_nUsageTickCount = 1;
  const std::vector<UINT> before = Counters();
  EXPECT_FALSE(Load(m_profile, stream));
  EXPECT_EQ(before, Counters());
  // The same through the registry, where the checksum of the short stream is right.
  CMemFile file;
  file.Write(stream.data(), (UINT)stream.size());
  ASSERT_TRUE(RegistryArchiveWrite(file, Path("cmds").c_str()));
  EXPECT_FALSE(m_profile.SerializeState(kRegKey, kAppProfile, false));
  EXPECT_EQ(before, Counters());
}

TEST_F(CmdPersistence, TheRegistryArchiveKeepsChunksOf16In128ChunkBlocks) {
  Bytes data(2049);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = (BYTE)(i * 7 + 3);
  CMemFile file;
  file.Write(data.data(), (UINT)data.size());
  const std::string path = std::string(kTestRoot) + "\\Archive";
  ASSERT_TRUE(RegistryArchiveWrite(file, path.c_str()));
  EXPECT_EQ(Bytes(data.begin() + 16 * 127, data.begin() + 16 * 128),
            QueryBinary(path + "\\block_0x00000000", "data_0x0000007F"));
  EXPECT_EQ(Bytes(1, data[2048]), QueryBinary(path + "\\block_0x00000001", "data_0x00000080"));
  EXPECT_EQ("0B 5B 9E 93 00 A1 B1 8E 02 9B 3F 45 0E CD F2 5C", QueryString(path, "data_integrity"));
  EXPECT_EQ("Corvane v. 2.5.0.0 registry archiver", QueryString(path, "data_generator"));
  CMemFile back;
  ASSERT_TRUE(RegistryArchiveRead(back, path.c_str()));
  EXPECT_EQ(data, FileBytes(back));
}

TEST_F(CmdPersistence, AChangedStoredByteIsRefusedAndTheCountersStay) {
  ASSERT_TRUE(m_profile.SerializeState(kRegKey, kAppProfile, true));
  const std::string block = Path("cmds") + "\\block_0x00000000";
  Bytes chunk = QueryBinary(block, "data_0x00000002");
  ASSERT_EQ(16u, chunk.size());
  chunk[5] ^= 0x01;
  HKEY hKey = NULL;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, block.c_str(), 0, KEY_SET_VALUE, &hKey));
  ::RegSetValueExA(hKey, "data_0x00000002", 0, REG_BINARY, chunk.data(), (DWORD)chunk.size());
  ::RegCloseKey(hKey);
  m_profile.ResetUsage();
  const std::vector<UINT> before = Counters();
  EXPECT_FALSE(m_profile.SerializeState(kRegKey, kAppProfile, false));
  EXPECT_EQ(before, Counters());
}

TEST_F(CmdPersistence, SavedStateComesBackUnderTheProfilesKey) {
  CExtCmdProfile odd("a*b?c");
  odd.SetupCommand(CExtCmdItem(0x200));
  odd.FindCommand(0x200)->m_nUsageTickCount = 4;
  odd.m_nTotalTickCount = 4;
  ASSERT_TRUE(odd.SerializeState(kRegKey, kAppProfile, true));
  EXPECT_NE("<none>", QueryString(Path("a_b_c"), "data_integrity"));
  odd.ResetUsage();
  ASSERT_TRUE(odd.SerializeState(kRegKey, kAppProfile, false));
  EXPECT_EQ(4u, odd.FindCommand(0x200)->m_nUsageTickCount);
  EXPECT_EQ(4u, odd.m_nTotalTickCount);
  EXPECT_FALSE(m_profile.SerializeState(kRegKey, kAppProfile, false)) << "nothing saved for it";
}

TEST_F(CmdPersistence, AnEmptyStoredFileLoadsNoCounters) {
  CMemFile empty;
  ASSERT_TRUE(RegistryArchiveWrite(empty, Path("cmds").c_str()));
  EXPECT_STREQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
               QueryString(Path("cmds"), "data_integrity").c_str());
  EXPECT_TRUE(QueryBinary(Path("cmds") + "\\block_0x00000000", "data_0x00000000").empty());
  CMemFile back;
  EXPECT_TRUE(RegistryArchiveRead(back, Path("cmds").c_str()));
  EXPECT_EQ(0u, back.GetLength());
  const std::vector<UINT> before = Counters();
  EXPECT_FALSE(m_profile.SerializeState(kRegKey, kAppProfile, false));
  EXPECT_EQ(before, Counters());
}
