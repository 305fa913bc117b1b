#include "tests/unit/toolkit/docking/dock_support.h"

#include "tests/common/object_counts.h"
#include "tests/common/window_support.h"

#include <map>
#include <sstream>

CTestBar::CTestBar(bool bFixed, CSize size, bool bFullRow) : m_size(size), m_bFullRow(bFullRow) {
  if (bFixed)
    m_bBarFlags |= BF_FIXED_MODE;
}

CSize CTestBar::CalcDynamicLayout(int, DWORD dwMode) {
  return (dwMode & LM_VERTDOCK) ? CSize(m_size.cy, m_size.cx) : m_size;
}

void DockFrameTest::SetUp() {
  m_pFrame = new CFrameWnd;
  ASSERT_TRUE(m_pFrame->Create(NULL, "docking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 810, 610)));
  ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame));
}

void DockFrameTest::TearDown() {
  if (::IsWindow(m_pFrame->GetSafeHwnd()))
    m_pFrame->DestroyWindow();
  PumpPending();
  // The bars went with the frame, wherever they were docked.
  for (const auto& pBar : m_bars)
    EXPECT_FALSE(::IsWindow(pBar->m_hWnd));
  m_bars.clear();
}

CTestBar* DockFrameTest::AddBar(LPCSTR lpszName, UINT nId, bool bFixed, CSize size, bool bFullRow) {
  m_bars.emplace_back(new CTestBar(bFixed, size, bFullRow));
  CTestBar* pBar = m_bars.back().get();
  EXPECT_TRUE(pBar->Create(lpszName, m_pFrame, nId, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  return pBar;
}

CExtDockBar* DockFrameTest::Side(UINT nSideId, UINT nCircle) {
  return CExtDockBar::FindCircleDockBar(m_pFrame, nCircle, nSideId, false);
}

std::string DockFrameTest::DumpArray(const CDockBar* pDock) {
  std::ostringstream out;
  for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); i++) {
    void* p = pDock->m_arrBars[i];
    if (i > 0)
      out << ' ';
    if (p == NULL) {
      out << '0';
    } else if (CDockBar::IsPlaceHolder(p)) {
      out << '#' << reinterpret_cast<UINT_PTR>(p);
    } else {
      CString name;
      static_cast<CControlBar*>(p)->GetWindowText(name);
      out << static_cast<LPCSTR>(name);
    }
  }
  return out.str();
}

std::string DockFrameTest::Dump() const {
  std::map<std::pair<UINT, UINT>, std::string> lines; // by circle, then side order
  const char kSides[] = "TLRB";
  for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CExtDockBar* pDock =
        DYNAMIC_DOWNCAST(CExtDockBar, static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos)));
    if (pDock == NULL || pDock->m_bFloating)
      continue;
    const UINT nSide = pDock->GetSideId() - AFX_IDW_DOCKBAR_TOP;
    lines[{pDock->m_nCircleNo, nSide}] =
        std::string(1, kSides[nSide]) + std::to_string(pDock->m_nCircleNo) + ": " + DumpArray(pDock);
  }
  std::string text;
  for (const auto& line : lines)
    text += line.second + "\n";
  return text;
}

::testing::AssertionResult ArraysAreSound(CFrameWnd* pFrame) {
  std::map<CControlBar*, CDockBar*> holder;
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CExtDockBar* pDock =
        DYNAMIC_DOWNCAST(CExtDockBar, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    if (pDock == NULL || pDock->m_hWnd == NULL)
      continue;
    const CPtrArray& arr = pDock->m_arrBars;
    const INT_PTR n = arr.GetSize();
    if (arr[0] != NULL || arr[n - 1] != NULL)
      return ::testing::AssertionFailure()
             << "array ends are not separators: " << DockFrameTest::DumpArray(pDock);
    for (INT_PTR i = 1; i < n; i++) {
      if (arr[i] == NULL && arr[i - 1] == NULL && n > 2)
        return ::testing::AssertionFailure() << "an empty row: " << DockFrameTest::DumpArray(pDock);
      CControlBar* pBar = pDock->GetDockedControlBar(static_cast<int>(i));
      if (pBar == NULL)
        continue;
      if (pBar->m_pDockBar != pDock || ::GetParent(pBar->m_hWnd) != pDock->m_hWnd)
        return ::testing::AssertionFailure() << "a bar not held by the dock bar it names";
      if (!holder.emplace(pBar, pDock).second)
        return ::testing::AssertionFailure() << "a bar in two places";
    }
    if (!pDock->m_bFloating && pDock->GetParent() == pFrame) {
      if (pDock->m_nCircleNo != 0 &&
          (pDock->m_pDockBarOuter == NULL || pDock->m_pDockBarOuter->m_nCircleNo + 1 != pDock->m_nCircleNo))
        return ::testing::AssertionFailure() << "circle numbers with a gap";
      if (pDock->m_nCircleNo != 0) {
        bool bCircleEmpty = true;
        for (UINT nSide = AFX_IDW_DOCKBAR_TOP; nSide <= AFX_IDW_DOCKBAR_BOTTOM; nSide++) {
          CExtDockBar* pSide = CExtDockBar::FindCircleDockBar(pFrame, pDock->m_nCircleNo, nSide, false);
          bCircleEmpty = bCircleEmpty && (pSide == NULL || pSide->IsEmpty());
        }
        if (bCircleEmpty)
          return ::testing::AssertionFailure() << "an empty inner circle " << pDock->m_nCircleNo;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

HandleCounts::HandleCounts()
    : m_nGdi(GdiObjectsInUse()), m_nUser(UserObjectsInUse()), m_nWindows(AfxGetPermanentWndCount()) {}

::testing::AssertionResult HandleCounts::Unchanged() const {
  const HandleCounts now;
  ::testing::AssertionResult result =
      now.m_nGdi == m_nGdi && now.m_nUser == m_nUser && now.m_nWindows == m_nWindows
          ? ::testing::AssertionSuccess()
          : ::testing::AssertionFailure();
  // Said either way, so a soak can print its figures.
  return result << "GDI objects " << m_nGdi << " -> " << now.m_nGdi << ", USER objects " << m_nUser << " -> "
                << now.m_nUser << ", permanent windows " << m_nWindows << " -> " << now.m_nWindows;
}

void RandomStepTest::SetUp() {
  DockFrameTest::SetUp();
  if (HasFatalFailure())
    return;
  for (UINT i = 0; i < 4; i++)
    m_steppers.push_back(AddBar(("r" + std::to_string(i)).c_str(), 201 + i, false, CSize(160, 120)));
  ASSERT_TRUE(m_steppers[0]->DockIntoSideBar(AFX_IDW_DOCKBAR_LEFT));
  m_random.seed(GetParam());
}
