// Random task-page actions on the real main frame with two documents: undoing all the way gives
// each document's first picture bit for bit, and the GDI and USER objects stay flat.
#include <gtest/gtest.h>

#include "app/FramletApp.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/object_counts.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/frame_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <commctrl.h>

#include <cstdio>
#include <random>
#include <vector>

namespace {

using pixel_support::Pixels;
using pixel_support::ReadBitmap;

// The operations on the main page's first group that open the effect page.
const int kOperations[] = {2009, 2010, 2011, 3001, 3003, 3004, 3005, 3006};
const UINT kSliderKeys[] = {VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT};

enum Action {
  kOpen,
  kSlider,
  kTick,
  kColour,
  kOk,
  kCancel,
  kMainMenu,
  kSwitch,
  kUndo,
  kRedo,
  kStroke,
  kActions
};
const char* const kActionNames[] = {"open", "slider", "tick", "colour", "ok",    "cancel",
                                    "main", "switch", "undo", "redo",   "stroke"};

struct Counts {
  long nGdi, nUser, nTips;
};

// A picture no operation leaves as it was: a colour ramp with a grid.
HBITMAP MakePicture(int cx, int cy, int nSeed) {
  CWindowDC dcScreen(NULL);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(dcScreen.m_hDC, cx, cy);
  CDC dc;
  dc.CreateCompatibleDC(&dcScreen);
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x)
      ::SetPixel(dc.m_hDC, x, y,
                 (x % 16 == 0 || y % 16 == 0) ? RGB(nSeed * 40, 0, 0) : RGB(x * 255 / cx, y * 255 / cy, 128));
  ::SelectObject(dc.m_hDC, hOld);
  return hBitmap;
}

// Whether a command's update handler enables it, as the menu and the tool bars show it.
class CEnableProbe : public CCmdUI {
public:
  BOOL m_bEnabled = FALSE;
  void Enable(BOOL bOn) override { m_bEnabled = bOn; }
  void SetCheck(int) override {}
  void SetText(LPCSTR) override {}
};

BOOL CALLBACK FindColorPopup(HWND hWnd, LPARAM lParam) {
  auto* ppPopup = reinterpret_cast<CExtPopupColorMenuWnd**>(lParam);
  if (::IsWindowVisible(hWnd))
    *ppPopup = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, CWnd::FromHandlePermanent(hWnd));
  return *ppPopup == NULL;
}

// A control makes its tool tip window on first hover, and keeps it: a tip is one USER and two GDI
// objects (its fonts) that are no leak.
BOOL CALLBACK CountTip(HWND hWnd, LPARAM lParam) {
  char szClass[32] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  *reinterpret_cast<long*>(lParam) += lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0;
  return TRUE;
}

class PageSoak : public MainFrameTest, public testing::WithParamInterface<unsigned> {
protected:
  CFramletDoc* m_pDocs[2] = {};
  Pixels m_original[2];
  int m_nActive = 0;
  std::mt19937 m_rand;

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rand); }
  CFramletView* View(int i) { return m_pDocs[i]->GetFirstView(); }
  int Page() { return m_pFrame->GetTaskPageIndex(); }
  HWND ParamItem(int nId) { return ::GetDlgItem(m_pFrame->m_pageParam.GetSafeHwnd(), nId); }

  Counts Measure() {
    PumpPending();
    AfxGetApp()->OnIdle(1); // the temporary handle maps go at idle
    Counts c = {GdiObjectsInUse(), UserObjectsInUse(), 0};
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTip, reinterpret_cast<LPARAM>(&c.nTips));
    return c;
  }

  void Click(HWND hWnd, POINT pt) {
    MouseInClient(hWnd, pt, MOUSEEVENTF_LEFTDOWN);
    MouseInClient(hWnd, pt, MOUSEEVENTF_LEFTUP);
    // A themed button keeps the capture while the pointer stays over it, to track its hot look.
    PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
    PumpPending();
  }
  bool Shown(HWND hWnd) { return hWnd != NULL && ::IsWindowVisible(hWnd); }
  // One of the effect page's n controls from nFirstId that are shown; NULL when none is.
  HWND AnyShown(int nFirstId, int n) {
    std::vector<HWND> shown;
    for (int i = 0; i < n; ++i)
      if (Shown(ParamItem(nFirstId + i)))
        shown.push_back(ParamItem(nFirstId + i));
    return shown.empty() ? NULL : shown[Pick((int)shown.size())];
  }

  bool Enabled(UINT nID) {
    CEnableProbe probe;
    probe.m_nID = nID;
    m_pFrame->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, NULL);
    return probe.m_bEnabled != FALSE;
  }

  void Activate(int i) {
    m_nActive = i;
    m_pFrame->MDIActivate(View(i)->GetParentFrame());
    PumpUntil([&] { return m_pFrame->MDIGetActive() == View(i)->GetParentFrame(); });
    PumpPending();
  }

  // Opens the effect page by an operation's link on the main page.
  bool Open(int nLink) {
    HWND hLink = ::GetDlgItem(m_pFrame->m_pageMain.GetSafeHwnd(), nLink);
    // The main page shows its three groups; a sub-group's link is one click further.
    HWND hMenu = ::GetDlgItem(m_pFrame->m_pageMain.GetSafeHwnd(), CPropPageMain::kMainMenuId);
    if (!Shown(hLink) && Shown(hMenu))
      Click(hMenu, POINT{30, 9});
    if (!Shown(hLink))
      return false;
    Click(hLink, POINT{30, 9});
    return true;
  }

  // A colour button's popup, and one of its cells.
  void PickColour(HWND hButton) {
    Click(hButton, POINT{17, 10});
    CExtPopupColorMenuWnd* pPopup = NULL;
    EXPECT_TRUE(PumpUntil([&] {
      pPopup = NULL;
      ::EnumThreadWindows(::GetCurrentThreadId(), &FindColorPopup, reinterpret_cast<LPARAM>(&pPopup));
      return pPopup != NULL && CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
    }));
    if (pPopup == NULL)
      return;
    CPoint pt = pPopup->GetCellRect(Pick(40)).CenterPoint();
    pPopup->ClientToScreen(&pt);
    m_pFrame->m_pageParam.ScreenToClient(&pt);
    Click(m_pFrame->m_pageParam.GetSafeHwnd(), pt);
    EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  }

  // Every operation's page once with each of its ticks and colours, then Cancel: the controls
  // make their tips, and the pages what they keep, before anything is counted.
  void VisitEveryPage() {
    for (int nLink : kOperations) {
      ASSERT_TRUE(Open(nLink));
      ASSERT_TRUE(PumpUntil([&] { return Page() == 1; }));
      for (int i = 0; i < 4; ++i)
        if (Shown(ParamItem(CPropPageParam::kFirstCheckId + i)))
          Click(ParamItem(CPropPageParam::kFirstCheckId + i), POINT{8, 10});
      for (int i = 0; i < 3; ++i)
        if (Shown(ParamItem(CPropPageParam::kFirstColorId + i)))
          PickColour(ParamItem(CPropPageParam::kFirstColorId + i));
      Do(kCancel);
      ASSERT_EQ(0, Page());
    }
  }

  // Does one action; answers false when the action has nothing to act on now.
  bool Do(Action a) {
    const bool bParam = Page() == 1;
    switch (a) {
    case kOpen:
      return Page() == 0 && Open(kOperations[Pick(8)]);
    case kSlider: {
      HWND hSlider = AnyShown(CPropPageParam::kFirstSliderId, 3);
      if (!bParam || hSlider == NULL)
        return false;
      ::SetFocus(hSlider);
      real_input::Key(kSliderKeys[Pick(6)]);
      PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
      PumpPending();
      return true;
    }
    case kTick: {
      HWND hCheck = AnyShown(CPropPageParam::kFirstCheckId, 4);
      if (!bParam || hCheck == NULL)
        return false;
      Click(hCheck, POINT{8, 10});
      return true;
    }
    case kColour: {
      HWND hButton = AnyShown(CPropPageParam::kFirstColorId, 3);
      if (!bParam || hButton == NULL)
        return false;
      PickColour(hButton);
      return true;
    }
    case kOk:
    case kCancel:
    case kMainMenu: {
      const int nId = a == kOk       ? CPropPageParam::kOkId
                      : a == kCancel ? CPropPageParam::kCancelId
                                     : CPropPageParam::kMainMenuId;
      if (!bParam)
        return false;
      Click(ParamItem(nId), POINT{12, 9});
      return true;
    }
    case kSwitch:
      Activate(1 - m_nActive);
      return true;
    case kUndo:
    case kRedo:
      if (!Enabled(a == kUndo ? ID_EDIT_UNDO : ID_EDIT_REDO))
        return false;
      Command(a == kUndo ? ID_EDIT_UNDO : ID_EDIT_REDO);
      return true;
    case kStroke: {
      CFramletView* pView = View(m_nActive);
      const RECT& rc = m_pDocs[m_nActive]->m_rcImage;
      const CPoint ptScroll = pView->GetDeviceScrollPosition();
      CPoint pt(rc.left + 10 + Pick(100) - ptScroll.x, rc.top + 10 + Pick(80) - ptScroll.y);
      MouseInClient(pView->GetSafeHwnd(), pt, MOUSEEVENTF_LEFTDOWN);
      for (int i = 0; i < 4; ++i) {
        pt.Offset(Pick(21) - 10, Pick(21) - 10);
        MouseInClient(pView->GetSafeHwnd(), pt);
      }
      MouseInClient(pView->GetSafeHwnd(), pt, MOUSEEVENTF_LEFTUP);
      PumpUntil(
          [&] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0 && ::GetCapture() != pView->GetSafeHwnd(); });
      PumpPending();
      return true;
    }
    default:
      return false;
    }
  }

  // A random action; one that would record a change undoes instead while the history is nearly
  // full, so that undoing all the way still reaches the first picture.
  Action Random() {
    // An open page gets most of the actions, as a user setting up an operation would give it.
    static const Action kOnPage[] = {kSlider, kSlider, kSlider, kTick, kColour, kOk, kCancel, kMainMenu};
    Action a = Page() == 1 && Pick(4) != 0 ? kOnPage[Pick(8)] : (Action)Pick(kActions);
    const bool bChanges = a == kOpen || a == kSlider || a == kTick || a == kColour || a == kStroke;
    if (bChanges && m_pDocs[m_nActive]->m_nUndoPos >= CFramletDoc::kUndoRecords - 6)
      return kUndo;
    return a;
  }
};

TEST_P(PageSoak, RandomPageActionsUndoToTheOriginalWithObjectsFlat) {
  const DWORD dwStart = ::GetTickCount();
  CMultiDocTemplate* pTemplate = ImageDocTemplate();
  ASSERT_NE(nullptr, MakeFrame());
  m_pFrame->MoveWindow(0, 0, 1000, 760);
  m_pFrame->SetForegroundWindow();
  Command(ID_TOOL_PAINT_BRUSH);
  const SIZE kSizes[] = {{240, 180}, {200, 150}};
  for (int i = 0; i < 2; ++i) {
    m_pDocs[i] = static_cast<CFramletDoc*>(pTemplate->OpenDocumentFile(NULL));
    ASSERT_NE(nullptr, m_pDocs[i]);
    ASSERT_TRUE(m_pDocs[i]->TakeNewPicture(MakePicture(kSizes[i].cx, kSizes[i].cy, i + 1)));
    m_original[i] = ReadBitmap((HBITMAP)m_pDocs[i]->m_pImage->GetBitmap()->GetSafeHandle());
    ASSERT_FALSE(m_original[i].Empty());
    m_pFrame->MDIMaximize(View(i)->GetParentFrame());
  }
  Activate(0);
  ASSERT_TRUE(PumpUntil([&] { return Shown(::GetDlgItem(m_pFrame->m_pageMain.GetSafeHwnd(), 2009)); }));

  m_rand.seed(GetParam());
  VisitEveryPage();
  if (HasFatalFailure())
    return;
  int nDone[kActions] = {};
  Counts warm = {};
  const int kWarmUp = 30, kSteps = 200;
  for (int nStep = 0; nStep < kWarmUp + kSteps; ++nStep) {
    if (nStep == kWarmUp)
      warm = Measure();
    const Action a = Random();
    SCOPED_TRACE(testing::Message() << "seed " << GetParam() << " step " << nStep << " " << kActionNames[a]);
    if (Do(a) && nStep >= kWarmUp)
      ++nDone[a];
    ASSERT_TRUE(::IsWindow(m_pFrame->GetSafeHwnd()));
    if (HasFatalFailure())
      return;
  }
  if (Page() == 1)
    Do(kCancel);
  EXPECT_EQ(0, Page());

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(testing::Message() << "seed " << GetParam() << " document " << i);
    Activate(i);
    for (int nGuard = 0; nGuard < CFramletDoc::kUndoRecords && Enabled(ID_EDIT_UNDO); ++nGuard)
      Command(ID_EDIT_UNDO);
    const Pixels now = ReadBitmap((HBITMAP)m_pDocs[i]->m_pImage->GetBitmap()->GetSafeHandle());
    EXPECT_EQ(m_original[i].cx, now.cx);
    EXPECT_EQ(m_original[i].cy, now.cy);
    EXPECT_TRUE(m_original[i].data == now.data) << "the first picture did not come back";
  }
  const Counts end = Measure();
  std::printf("seed %u:", GetParam());
  for (int a = 0; a < kActions; ++a)
    std::printf(" %s %d", kActionNames[a], nDone[a]);
  const long nNewTips = end.nTips - warm.nTips;
  std::printf("\n  GDI %ld -> %ld, USER %ld -> %ld, new tips %ld, %lu ms\n", warm.nGdi, end.nGdi, warm.nUser,
              end.nUser, nNewTips, ::GetTickCount() - dwStart);
  // An open effect page holds one more GDI object than the main page.
  EXPECT_LE(end.nGdi - warm.nGdi - 2 * nNewTips, 0);
  EXPECT_LE(end.nUser - warm.nUser - nNewTips, 0);
  for (CFramletDoc* pDoc : m_pDocs) {
    pDoc->SetModifiedFlag(FALSE);
    pDoc->OnCloseDocument();
  }
  PumpPending();
}

INSTANTIATE_TEST_SUITE_P(Seeds, PageSoak, testing::Values(1u, 2u, 3u));

} // namespace
