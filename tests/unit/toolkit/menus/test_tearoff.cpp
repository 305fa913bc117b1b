// Tearing a menu off with the real pointer: the stages told, the threshold and the zone, a docked
// toolkit bar floating in its themed floating frame in place of the hidden menu and the menu back;
// and the in-place edit of an item.
#include "tests/common/frame_support.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/menus/menu_input_support.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace {

using menu_paint::CFixedLayoutMenu;
using menu_paint::CMenuReceiver;
using menu_paint::WaitUntil;
using namespace menu_input;
typedef CExtPopupMenuWnd::TEAROFFNOTIFICATON TearOff;

enum class Made { kNothing, kPlainWindow, kDockedBar };

// The tool bar a torn-off menu turns into: a toolkit bar of one size.
class CTornBar : public CExtControlBar {
public:
  CTornBar() { m_bBarFlags |= BF_FIXED_MODE; }
  CSize CalcDynamicLayout(int, DWORD) override { return CSize(200, 30); }
};
// What a step of the pointer leaves: the menu and the bar where they were, the bar floating in
// place of the hidden menu, or the menu back with the bar hidden.
enum class Leaves { kDocked, kFloating, kMenuBack };

struct PointerStep {
  int dx, dy; // from the start point on the tear-off bar
  Leaves leaves;
};

struct TearOffCase {
  const char* name;
  Made made;
  std::vector<PointerStep> path;
  UINT nEnd; // a key, or 0 for releasing the button
  bool bRunAnswer;
  std::vector<int> stages; // the first and the last stage told, or the only one
  bool bFloatsAtEnd;
};

class TearOffTest : public ::testing::TestWithParam<TearOffCase> {
protected:
  void SetUp() override {
    m_pFrame = CreateLabFrame();
    ASSERT_NE(nullptr, m_pFrame);
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame));
    ASSERT_TRUE(m_bar.Create("torn", m_pFrame, AFX_IDW_TOOLBAR,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    m_bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    ASSERT_TRUE(m_receiver.CreateReceiver());
    m_receiver.m_answer = [this](UINT nMsg, WPARAM wParam, LPARAM) -> LRESULT {
      if (nMsg == CExtPopupMenuWnd::g_nMsgTearOff)
        OnStage(*reinterpret_cast<TearOff*>(wParam));
      return 0;
    };
    m_menu.m_hWndCmdReceiver = m_receiver.m_hWnd;
    m_menu.AddItem(100);
    m_menu.SetTrackFlags(CExtPopupMenuWnd::TPMX_TEAROFF);
    ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
    m_menu.ShowNoActivate();
    CRect rcBar = m_menu.m_rcTearOff;
    m_menu.ClientToScreen(rcBar);
    m_ptStart = rcBar.CenterPoint();
  }
  void TearDown() override {
    m_menu.DestroyWindow();
    DestroyLabFrame(m_pFrame);
    m_receiver.DestroyWindow();
  }
  void OnStage(TearOff& tearOff) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stages.push_back(tearOff.m_nStage);
    if (tearOff.m_nStage == TearOff::STAGE_ASK_WINDOW && GetParam().made != Made::kNothing)
      tearOff.m_hWndCreated = GetParam().made == Made::kDockedBar ? m_bar.m_hWnd : m_receiver.m_hWnd;
    CPoint pt;
    if (tearOff.m_nStage == TearOff::STAGE_DRAGGING && ::GetCursorPos(&pt))
      m_stepsAt.push_back(pt);
  }
  // The drag has stepped twice with the pointer at pt: the first step's effect is there.
  bool SettledAt(CPoint pt) {
    std::lock_guard<std::mutex> lock(m_lock);
    return std::count(m_stepsAt.begin(), m_stepsAt.end(), pt) >= 2;
  }
  int DragSteps() {
    std::lock_guard<std::mutex> lock(m_lock);
    return (int)std::count(m_stages.begin(), m_stages.end(), (int)TearOff::STAGE_DRAGGING);
  }
  bool Shows(Leaves leaves) const {
    const bool bMenu = ::IsWindowVisible(m_menu.m_hWnd) != FALSE,
               bBar = ::IsWindowVisible(m_bar.m_hWnd) != FALSE,
               bFloating = ::GetAncestor(m_bar.m_hWnd, GA_ROOT) != m_pFrame->m_hWnd;
    return leaves == Leaves::kDocked     ? bMenu && bBar && !bFloating
           : leaves == Leaves::kFloating ? !bMenu && bBar && bFloating
                                         : bMenu && !bBar;
  }
  std::vector<DriverStep> Script() {
    std::vector<DriverStep> steps;
    steps.push_back({[] {}, [this] { return DragSteps() > 0; }});
    // A drag that ends with a release starts with a press (which the drag eats).
    if (GetParam().nEnd == 0)
      steps.push_back({[] { Button(MOUSEEVENTF_LEFTDOWN); }, nullptr});
    for (const PointerStep& step : GetParam().path) {
      const CPoint pt = m_ptStart + CSize(step.dx, step.dy);
      steps.push_back(
          {[pt] { MoveTo(pt); }, [this, pt, step] { return SettledAt(pt) && Shows(step.leaves); }});
    }
    const UINT nEnd = GetParam().nEnd;
    steps.push_back({[nEnd] { nEnd != 0 ? Key(nEnd) : Button(MOUSEEVENTF_LEFTUP); },
                     [this] { return TearOff::g_pCurrent == NULL; }});
    return steps;
  }

  CLabFrame* m_pFrame = NULL;
  CTornBar m_bar;
  CMenuReceiver m_receiver;
  CFixedLayoutMenu m_menu;
  CPoint m_ptStart;
  std::mutex m_lock;
  std::vector<int> m_stages;
  std::vector<CPoint> m_stepsAt;
};

TEST_P(TearOffTest, TheReceiverIsToldEachStageAndADockedBarFloatsOnlyOutsideTheZone) {
  const TearOffCase& row = GetParam();
  ASSERT_TRUE(RestPointer(m_ptStart));
  std::vector<bool> results;
  std::thread driver;
  if (row.made == Made::kDockedBar)
    driver = DriveScript(
        Script(), results, [] { return TearOff::g_pCurrent == NULL; }, m_menu.m_hWnd);
  TearOff tearOff(&m_menu, m_ptStart);
  EXPECT_EQ(row.bRunAnswer, tearOff.Run());
  EXPECT_EQ(nullptr, TearOff::g_pCurrent);
  if (driver.joinable()) {
    driver.join();
    EXPECT_EQ(std::vector<bool>(Script().size(), true), results);
  }
  ASSERT_FALSE(m_stages.empty());
  const bool bOne = m_stages.size() == 1;
  EXPECT_EQ(row.stages, bOne ? m_stages : (std::vector<int>{m_stages.front(), m_stages.back()}));
  EXPECT_EQ(m_stages.size() - std::min<size_t>(m_stages.size(), 2),
            (size_t)std::count(m_stages.begin(), m_stages.end(), (int)TearOff::STAGE_DRAGGING));
  EXPECT_EQ(row.made == Made::kPlainWindow, (tearOff.m_nStateBits & TearOff::TO_CANCELLED) != 0);
  EXPECT_EQ(row.bFloatsAtEnd, Shows(Leaves::kFloating));
  if (row.bFloatsAtEnd) {
    // The toolkit's floating frame lies up and left of where the pointer let go, with the bar's text
    // and its close button in a caption the theme painted.
    CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(
        CExtMiniDockFrameWnd, CWnd::FromHandlePermanent(::GetAncestor(m_bar.m_hWnd, GA_ROOT)));
    ASSERT_NE(nullptr, pMini);
    EXPECT_EQ(&m_bar, pMini->GetFloatingBar());
    CRect rcFloat;
    pMini->GetWindowRect(&rcFloat);
    const PointerStep& last = row.path.back();
    EXPECT_EQ(m_ptStart + CSize(last.dx - 30, last.dy - 10), rcFloat.TopLeft());
    const CRect rcCaption = pMini->GetCaptionRect();
    const CRect rcClose = m_bar.m_arrNcButtons.at(0)->m_rc;
    EXPECT_TRUE(m_bar.m_arrNcButtons[0]->IsVisible());
    CRect rcButtons(rcCaption), rcInside;
    rcButtons.InflateRect(2, 2, 1, 2);
    rcInside.IntersectRect(&rcClose, &rcButtons);
    EXPECT_EQ(rcClose, rcInside);
    const COLORREF kBlank = RGB(1, 2, 3);
    pixel_support::DibSurface surface(rcFloat.Width(), rcFloat.Height(), kBlank);
    EXPECT_EQ(1, pMini->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_NONCLIENT));
    EXPECT_NE(kBlank, surface.At(rcCaption.left + 4, rcCaption.CenterPoint().y));
    EXPECT_NE(kBlank, surface.At(rcClose.CenterPoint().x, rcClose.CenterPoint().y));
  } else if (row.made == Made::kDockedBar) {
    EXPECT_TRUE(Shows(Leaves::kDocked));
  }
}

const Leaves D = Leaves::kDocked, F = Leaves::kFloating, B = Leaves::kMenuBack;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Drags, TearOffTest, ::testing::Values(
    TearOffCase{"no_window", Made::kNothing, {}, 0, false, {0}, false},
    TearOffCase{"not_a_bar", Made::kPlainWindow, {}, 0, false, {0, 2}, false},
    TearOffCase{"key_within_threshold_and_zone", Made::kDockedBar, {{0, 3, D}, {4, -3, D}, {0, 14, D}}, VK_F7,
                true, {0, 2}, false},
    TearOffCase{"out_back_and_out_again", Made::kDockedBar, {{0, 3, D}, {0, 100, F}, {0, 0, B}, {120, 140, F}},
                0, true, {0, 2}, true}), menu_paint::CaseName());
// clang-format on

TEST(TearOffZone, TheZoneIsTheStartSquareAndTheBarWithFifteenPixelsAboveAndBelow) {
  CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  CFixedLayoutMenu menu;
  menu.AddItem(100);
  menu.SetTrackFlags(CExtPopupMenuWnd::TPMX_TEAROFF);
  ASSERT_TRUE(menu.CreateMenuWindow(&receiver));
  CRect rcBar = menu.m_rcTearOff;
  menu.ClientToScreen(rcBar);
  const CPoint ptStart(rcBar.right + 40, rcBar.bottom + 40);
  TearOff tearOff(&menu, ptStart);
  const struct {
    CPoint pt;
    bool bIn;
  } points[] = {{ptStart + CSize(4, -5), true},
                {ptStart + CSize(5, 0), false},
                {ptStart + CSize(0, 5), false},
                {CPoint(rcBar.left, rcBar.top - 15), true},
                {CPoint(rcBar.left, rcBar.top - 16), false},
                {CPoint(rcBar.right - 1, rcBar.bottom + 14), true},
                {CPoint(rcBar.right - 1, rcBar.bottom + 15), false},
                {CPoint(rcBar.right, rcBar.top), false}};
  for (const auto& point : points)
    EXPECT_EQ(point.bIn, tearOff.IsInTearOffZone(point.pt)) << point.pt.x << "," << point.pt.y;
  menu.DestroyWindow();
  EXPECT_TRUE(tearOff.IsInTearOffZone(ptStart)) << "the start square stays without the menu";
  EXPECT_FALSE(tearOff.IsInTearOffZone(rcBar.CenterPoint()));
}

typedef CExtPopupMenuWnd::CInPlaceEditWnd InplaceEdit;

std::vector<std::string> g_commits;
bool AcceptAll(LPCSTR) { return true; }
bool RejectAll(LPCSTR) { return false; }
bool NoDigits(LPCSTR lpszText) { return CString(lpszText).FindOneOf("0123456789") < 0; }
void Commit(LPCSTR lpszText) { g_commits.push_back(lpszText); }

// A menu that counts the cancel-mode requests its edit posts.
class CCountingMenu : public CFixedLayoutMenu {
public:
  int m_nCancelModes = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CANCELMODE)
      m_nCancelModes++;
    return CFixedLayoutMenu::WindowProc(message, wParam, lParam);
  }
};

struct EditCase {
  const char* name;
  CExtPopupMenuWnd::MENUITEMDATA::PFN_INPLACE_VALIDATE pfnValidate;
  CExtPopupMenuWnd::MENUITEMDATA::PFN_INPLACE_COMMIT pfnCommit;
  const char* typed;
  UINT nEndKey;        // VK_ESCAPE, VK_RETURN, or 0 for none
  const char* edited;  // the edit's text once typed
  const char* stored;  // the storage afterwards
  const char* commits; // what the commit callback got, NULL when it was not called
};

class InplaceEditTest : public ::testing::TestWithParam<EditCase> {
protected:
  void SetUp() override {
    g_commits.clear();
    ASSERT_TRUE(m_receiver.CreateReceiver());
    m_menu.m_hWndCmdReceiver = m_receiver.m_hWnd;
    m_menu.AddItem(100);
    CExtPopupMenuWnd::MENUITEMDATA& item = m_menu.AddItem(101, "Value");
    item.m_pInplaceValue = &m_sValue;
    item.m_pfnInplaceValidate = GetParam().pfnValidate;
    item.m_pfnInplaceCommit = GetParam().pfnCommit;
    ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
    m_menu.ShowNoActivate();
    m_menu.SetCurrentItem(1);
    ASSERT_TRUE(m_menu.CreateInplaceEditForItem(1, &m_menu, CRect(40, 30, 150, 46)));
    m_hWndEdit = m_menu.GetItemAt(1).m_hWndInplace;
    ASSERT_TRUE(::IsWindow(m_hWndEdit));
    ::ShowWindow(m_hWndEdit, SW_SHOWNA);
    ::SetForegroundWindow(m_menu.m_hWnd);
    ::SetFocus(m_hWndEdit);
    ASSERT_TRUE(WaitUntil([&] { return ::GetFocus() == m_hWndEdit; }));
  }
  void TearDown() override {
    m_menu.DestroyWindow();
    m_receiver.DestroyWindow();
  }
  CString EditText() const {
    char sz[64] = {};
    ::GetWindowTextA(m_hWndEdit, sz, sizeof(sz));
    return sz;
  }
  DWORD Selection() const { return (DWORD)::SendMessageA(m_hWndEdit, EM_GETSEL, 0, 0); }

  menu_paint::CMenuReceiver m_receiver;
  CCountingMenu m_menu;
  CString m_sValue = "old";
  HWND m_hWndEdit = NULL;
};

TEST_P(InplaceEditTest, KeysAreValidatedAndTheEndKeyCommitsOrDiscards) {
  const EditCase& row = GetParam();
  EXPECT_EQ(MAKELONG(0, 3), Selection()) << "the whole value selected at creation";
  menu_input::Type(row.typed);
  EXPECT_TRUE(WaitUntil([&] { return EditText() == row.edited; })) << (LPCSTR)EditText();
  const int nEnd = CString(row.edited).GetLength();
  if (*row.typed != 0)
    EXPECT_EQ(MAKELONG(nEnd, nEnd), Selection()) << "the caret after the last accepted character";
  if (row.nEndKey != 0) {
    menu_input::Key(row.nEndKey);
    if (row.nEndKey == VK_RETURN)
      EXPECT_TRUE(WaitUntil([&] { return m_menu.m_nCancelModes == 1; }));
    else
      EXPECT_TRUE(WaitUntil([&] { return ::GetFocus() != m_hWndEdit; }));
  }
  EXPECT_STREQ(row.stored, (LPCSTR)m_sValue);
  EXPECT_EQ(row.commits != NULL ? std::vector<std::string>{row.commits} : std::vector<std::string>{},
            g_commits);
  if (row.nEndKey == VK_ESCAPE) {
    // The menu stays with the same item current; the edit hid with the typed text discarded.
    EXPECT_TRUE(::IsWindowVisible(m_menu.m_hWnd));
    EXPECT_EQ(0, m_menu.m_nCancelModes);
    EXPECT_EQ(1, m_menu.GetCurrentItemIndex());
    EXPECT_FALSE(::IsWindowVisible(m_hWndEdit));
    EXPECT_STREQ("old", (LPCSTR)EditText());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InplaceEditTest,
    ::testing::Values(EditCase{"escape_discards", NULL, NULL, "new", VK_ESCAPE, "new", "old", NULL},
                      EditCase{"enter_stores", NULL, NULL, "new", VK_RETURN, "new", "new", NULL},
                      EditCase{"enter_commits", AcceptAll, Commit, "ab", VK_RETURN, "ab", "old", "ab"},
                      EditCase{"enter_rejected", RejectAll, Commit, "", VK_RETURN, "old", "old", NULL},
                      EditCase{"digit_rejected", NoDigits, NULL, "a1b", 0, "ab", "old", NULL}),
    menu_paint::CaseName());

TEST(InplaceEditMessages, DeleteSelectionTakesTheCharacterAfterTheCaretAndSelectAllSelectsAll) {
  menu_paint::CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  CString sValue = "hello";
  InplaceEdit edit(NULL, NULL, NULL, 0, sValue);
  ASSERT_TRUE(edit.Create(&receiver, CRect(0, 0, 120, 20)));
  const auto deleteSelection = [&](DWORD dwSel) {
    edit.SetSelection(dwSel);
    edit.SendMessage(InplaceEdit::g_nMsgDeleteSelection);
    CString sText;
    edit.GetWindowText(sText);
    return std::string((LPCSTR)sText);
  };
  EXPECT_EQ("hllo", deleteSelection(MAKELONG(1, 1)));
  EXPECT_EQ(MAKELONG(1, 1), (DWORD)edit.SendMessage(EM_GETSEL));
  EXPECT_EQ("lo", deleteSelection(MAKELONG(0, 2)));
  edit.SendMessage(InplaceEdit::g_nMsgSelectAll);
  EXPECT_EQ(MAKELONG(0, 2), (DWORD)edit.SendMessage(EM_GETSEL));
  EXPECT_STREQ("hello", (LPCSTR)sValue) << "the storage changes only on Enter";
  edit.DestroyWindow();
  receiver.DestroyWindow();
}

TEST(InplaceEditItem, TheDisplayTextNeedsInplaceDataAndAnItemWithoutItMakesNoEdit) {
  CFixedLayoutMenu menu;
  CExtPopupMenuWnd::MENUITEMDATA& item = menu.AddItem(100);
  EXPECT_FALSE(menu.CreateInplaceEditForItem(0, &menu, CRect(0, 0, 10, 10)));
  CString sValue;
  const struct {
    bool bInplace;
    LPCSTR lpszText, lpszShown;
  } rows[] = {{false, "shown", ""}, {true, "shown", "shown"}, {true, NULL, ""}};
  for (const auto& row : rows) {
    item.m_pInplaceValue = row.bInplace ? &sValue : NULL;
    item.SetInplaceDisplayText(row.lpszText);
    EXPECT_STREQ(row.lpszShown, (LPCSTR)item.m_sInplaceText);
    EXPECT_EQ(*row.lpszShown != 0,
              (item.m_nInplaceFlags & CExtPopupMenuWnd::MENUITEMDATA::INPLACE_DISPLAY_TEXT) != 0);
  }
}

} // namespace
