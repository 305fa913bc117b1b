// Random docking operations from fixed seeds, with the arrays checked after every step.
#include "tests/unit/toolkit/docking/dock_support.h"

#include <random>

namespace {

class DockRandom : public DockFrameTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(DockRandom, EveryStepLeavesSoundArrays) {
  std::vector<CTestBar*> fixed, resizable;
  for (UINT i = 0; i < 3; i++)
    fixed.push_back(AddBar(("f" + std::to_string(i)).c_str(), 101 + i, true, CSize(80 + 30 * i, 24)));
  for (UINT i = 0; i < 3; i++)
    resizable.push_back(AddBar(("r" + std::to_string(i)).c_str(), 201 + i, false, CSize(160, 120)));
  std::mt19937 random(GetParam());
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const UINT nSideBase = AFX_IDW_DOCKBAR_TOP;
  for (int nStep = 0; nStep < 40; nStep++) {
    std::string what;
    switch (pick(5)) {
    case 0: {
      CTestBar* pBar = resizable[pick(3)];
      const UINT nSide = nSideBase + pick(4), nCircle = pick(3);
      what = "dock " + std::to_string(pBar->GetDlgCtrlID()) + " into " + std::to_string(nSide) + "/" +
             std::to_string(nCircle);
      ASSERT_TRUE(pBar->DockIntoSideBar(nSide, static_cast<int>(nCircle), NULL, false)) << what;
      break;
    }
    case 1: {
      CTestBar* pBar = resizable[pick(3)];
      what = "frame side for " + std::to_string(pBar->GetDlgCtrlID());
      pBar->DockAtFrameSide(nSideBase + pick(4), pick(2) == 0, NULL, false);
      break;
    }
    case 2: {
      CTestBar* pBar = fixed[pick(3)];
      what = "edge for " + std::to_string(pBar->GetDlgCtrlID());
      Side(nSideBase + pick(4))->DockBarAtEdge(pBar, pick(2) == 0);
      break;
    }
    case 3: {
      CTestBar* pBar = (pick(2) ? fixed : resizable)[pick(3)];
      what = "float " + std::to_string(pBar->GetDlgCtrlID());
      pBar->FloatControlBar(100 + pick(300), 100 + pick(200));
      break;
    }
    default: {
      CTestBar* pBar = fixed[pick(3)];
      CTestBar* pAnchor = fixed[pick(3)];
      CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pAnchor->m_pDockBar);
      what = "beside row of " + std::to_string(pAnchor->GetDlgCtrlID());
      if (pDock != NULL && !pDock->m_bFloating)
        pDock->InsertBarBesideRow(pAnchor, pBar, pick(2) == 0);
      break;
    }
    }
    Layout();
    ASSERT_TRUE(ArraysAreSound(m_pFrame)) << "step " << nStep << ": " << what << "\n" << Dump();
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DockRandom, ::testing::Values(1u, 7u, 42u));

} // namespace
