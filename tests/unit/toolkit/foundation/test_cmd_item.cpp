// Command items: state flags, basic ids, usage counting with halving and shares, tips from the
// string table, the command-update route and delivery to windows.
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdProfile.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/foundation/cmd_test_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT kCmdA = 0x8301, kCmdB = 0x8302;

// A profile whose total and counters come from a loaded stream, as a saved profile would.
void LoadCounters(CExtCmdProfile& profile, DWORD dwTotal,
                  const std::vector<std::pair<UINT, UINT>>& counters) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << CString("sig") << (DWORD)0x02050000 << (DWORD)517 << 0u << 0u << 0u << 0u << dwTotal;
    for (const auto& c : counters)
      ar << c.first << c.second;
    ar << 0u;
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  ASSERT_TRUE(profile.Serialize(ar));
}

} // namespace

TEST(CmdItemFlags, CheckKindsAndTheGroupOf400AreExclusive) {
  CExtCmdItem item(kCmdA);
  item.SetRadio(true);
  item.SetCheck(true);
  EXPECT_EQ(0x2u, item.m_dwStateFlags);
  item.SetIndeterminate(true);
  EXPECT_EQ(0x8u, item.m_dwStateFlags);
  item.SetStateBit10000400(true);
  item.SetStateBit1400(true);
  EXPECT_EQ(0x1408u, item.m_dwStateFlags);
  EXPECT_TRUE(item.GetStateBit400());
  EXPECT_FALSE(item.GetStateBit10000400());
}

TEST(CmdItemFlags, FixedBasicIdsAreBasicAndNeverCounted) {
  CExtCmdProfile profile;
  for (UINT nId : {0xE110u, 0xFF00u, 0xF060u, 0xE215u}) {
    ASSERT_TRUE(profile.SetupCommand(CExtCmdItem(nId)));
    CExtCmdItem* pItem = profile.FindCommand(nId);
    pItem->SetStateBit20(true);
    EXPECT_TRUE(pItem->IsBasic()) << nId;
    EXPECT_FALSE(pItem->GetStateBit20()) << nId;
    pItem->IncrementUsage();
    EXPECT_EQ(0u, pItem->GetUsage()) << nId;
    EXPECT_FALSE(pItem->IsRarelyUsed()) << nId;
  }
  EXPECT_EQ(0u, profile.m_nTotalTickCount);
}

TEST(CmdItemUsage, SharesUseWideArithmeticAndDecideRarelyUsed) {
  CExtCmdProfile profile;
  profile.SetupCommand(CExtCmdItem(kCmdA));
  profile.SetupCommand(CExtCmdItem(kCmdB));
  CExtCmdItem* pA = profile.FindCommand(kCmdA);
  EXPECT_EQ(0u, pA->GetUsagePercent());
  EXPECT_TRUE(pA->IsRarelyUsed()) << "nothing counted and a threshold of 10";
  EXPECT_EQ(100u, pA->SetRarelyUsedPercent(250));
  EXPECT_EQ(100u, profile.m_nRarelyUsedPercent);
  profile.m_nRarelyUsedPercent = 0;
  EXPECT_FALSE(pA->IsRarelyUsed());
  // Counters above 42,949,672 overflow a 32-bit product of counter and 100.
  LoadCounters(profile, 100000000, {{kCmdA, 50000000}, {kCmdB, 5000000}});
  EXPECT_EQ(50u, pA->GetUsagePercent());
  profile.m_nRarelyUsedPercent = 10;
  EXPECT_FALSE(pA->IsRarelyUsed());
  EXPECT_TRUE(profile.FindCommand(kCmdB)->IsRarelyUsed()) << "5 % is below 10 %";
}

TEST(CmdItemUsage, TheTotalNearItsLimitHalvesEveryCounter) {
  CExtCmdProfile profile;
  profile.SetupCommand(CExtCmdItem(kCmdA));
  profile.SetupCommand(CExtCmdItem(kCmdB));
  LoadCounters(profile, 0xFFFFFFFD, {{kCmdA, 0xC0000000}, {kCmdB, 0x3FFFFFFD}});
  profile.FindCommand(kCmdA)->IncrementUsage();
  EXPECT_EQ(0x7FFFFFFFu, profile.m_nTotalTickCount);
  EXPECT_EQ(0x60000000u, profile.FindCommand(kCmdA)->GetUsage());
  EXPECT_EQ(0x1FFFFFFEu, profile.FindCommand(kCmdB)->GetUsage());
  profile.FindCommand(kCmdB)->SetStateBit20(true);
  profile.FindCommand(kCmdB)->IncrementUsage();
  EXPECT_EQ(0x1FFFFFFEu, profile.FindCommand(kCmdB)->GetUsage()) << "not tracked";
}

TEST(CmdItemTips, ComeFromTheCommandsString) {
  // clang-format off
  const struct { UINT nId; bool bLoaded; const char *pszStatus, *pszTool; } rows[] = {
      {ID_CMD_ZOOM_IN, true, "Show magnified view", "Zoom In"}, {ID_CMD_OPEN, true, "Open an existing file", ""},
      {ID_CMD_SAVE, true, "Save the file", "Save"}, {ID_CMD_EXIT, false, "", ""}, {ID_CMD_EMPTY, false, "", ""},
      {0x80000001, false, "", ""}};
  // clang-format on
  for (const auto& row : rows) {
    CExtCmdItem item(row.nId);
    item.m_sTipTool = "old";
    EXPECT_EQ(row.bLoaded, item.LoadTextsFromResource()) << row.nId;
    EXPECT_STREQ(row.pszStatus, item.m_sTipStatus) << row.nId;
    EXPECT_STREQ(row.pszTool, item.m_sTipTool) << row.nId;
  }
}

namespace {

const UINT kCmdHandled = 0x8311, kCmdIndeterminate = 0x8312, kCmdNoHandler = 0x8313;

class CUpdateTarget : public CCmdTarget {
protected:
  afx_msg void OnHandled() {}
  afx_msg void OnUpdateIndeterminate(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(2);
    pCmdUI->SetText("Renamed");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
ON_COMMAND(kCmdHandled, OnHandled)
ON_UPDATE_COMMAND_UI(kCmdIndeterminate, OnUpdateIndeterminate)
END_MESSAGE_MAP()

} // namespace

TEST(CmdItemUpdate, TheRouteEnablesChecksAndDisablesCommandsWithoutHandler) {
  CUpdateTarget target;
  CExtCmdItem handled(kCmdHandled), updated(kCmdIndeterminate), orphan(kCmdNoHandler), system(0xF060);
  handled.Enable(false);
  EXPECT_FALSE(handled.UpdateCmdUI(&target, 0)) << "only a command handler";
  EXPECT_TRUE(handled.IsEnabled());
  EXPECT_TRUE(updated.UpdateCmdUI(&target, 0));
  EXPECT_TRUE(updated.GetIndeterminate());
  EXPECT_STREQ("Renamed", updated.m_sMenuText);
  EXPECT_FALSE(orphan.UpdateCmdUI(&target, 0));
  EXPECT_FALSE(orphan.IsEnabled());
  system.Enable(false);
  EXPECT_TRUE(system.UpdateCmdUI(&target, 0));
  EXPECT_TRUE(system.IsEnabled());
}

namespace {

class CCommandSink : public CHostWnd {
public:
  std::vector<MSG> m_received;

protected:
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    if (nMsg == WM_COMMAND || nMsg == WM_SYSCOMMAND) {
      m_received.push_back(MSG{m_hWnd, nMsg, wParam, lParam, 0, {0, 0}});
      return 1;
    }
    return CHostWnd::WindowProc(nMsg, wParam, lParam);
  }
};

} // namespace

TEST(CmdItemDelivery, CommandsArriveAsTheirMessageAndCountOnce) {
  CCommandSink sink;
  ASSERT_TRUE(sink.CreateHost("commands"));
  CExtCmdProfile profile;
  profile.SetupCommand(CExtCmdItem(kCmdA));
  profile.SetupCommand(CExtCmdItem(0xF060));
  ::SetCursorPos(31, 47);
  EXPECT_TRUE(profile.FindCommand(kCmdA)->DeliverTo(&sink, true));
  EXPECT_TRUE(profile.FindCommand(0xF060)->DeliverToWindow(sink.m_hWnd, true));
  EXPECT_FALSE(profile.FindCommand(kCmdA)->DeliverTo(NULL, true));
  ASSERT_EQ(2u, sink.m_received.size());
  EXPECT_EQ((UINT)WM_COMMAND, sink.m_received[0].message);
  EXPECT_EQ(kCmdA, sink.m_received[0].wParam);
  EXPECT_EQ(0, sink.m_received[0].lParam);
  EXPECT_EQ((UINT)WM_SYSCOMMAND, sink.m_received[1].message);
  EXPECT_EQ(MAKELPARAM(31, 47), sink.m_received[1].lParam);
  EXPECT_EQ(1u, profile.FindCommand(kCmdA)->GetUsage());
  EXPECT_EQ(1u, profile.m_nTotalTickCount) << "system commands are not counted";
}
