// The MDI tabs in an MDI frame: items following the children, the close button, texts, children
// gone before the strip had their items, and a long random run of opening and closing.
#include "tests/common/frame_support.h"
#include "tests/common/object_counts.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/tabs/tab_input.h"
#include "tests/unit/toolkit/tabs/tab_support.h"
#include "toolkit/docking/ExtTabMdiWnd.h"

#include <gtest/gtest.h>

#include <random>

using namespace tab_input;
using T = CExtTabWnd;

namespace {

// The lab frame holding the MDI tabs the way the main frame does.
class CTabLabFrame : public CLabFrame {
public:
  CExtTabMdiWnd m_wndTabs;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CLabFrame::OnCreate(lpcs) == -1)
      return -1;
    return m_wndTabs.Create(this, CRect(0, 0, 0, 0), 0xFFFFFFFF, 0x54000000, 0x210) ? 0 : -1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTabLabFrame, CLabFrame)
ON_WM_CREATE()
END_MESSAGE_MAP()

class MdiTabs : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = static_cast<CTabLabFrame*>(CreateLabFrame(new CTabLabFrame));
    ASSERT_NE(nullptr, m_pFrame);
    PumpPending();
  }
  void TearDown() override { DestroyLabFrame(m_pFrame); }
  CExtTabMdiWnd& Tabs() { return m_pFrame->m_wndTabs; }
  HWND Client() { return m_pFrame->m_hWndMDIClient; }
  // Runs the strip's synchronisation and the frame's pending layout.
  void Sync() {
    Tabs().SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_SYNC);
    m_pFrame->RecalcLayout();
    PumpPending();
  }
  HWND Open(LPCSTR lpszTitle) {
    CLabChild* p = OpenLabChild(m_pFrame, lpszTitle);
    return p != NULL ? p->m_hWnd : NULL;
  }
  HWND Active() { return reinterpret_cast<HWND>(::SendMessageA(Client(), WM_MDIGETACTIVE, 0, 0)); }
  int ItemOf(HWND h) { return Tabs().ItemFindByLParam(reinterpret_cast<LPARAM>(h)); }
  // A real click of the button at the point; answers whether its release has been handled.
  bool ClickAt(CPoint pt, DWORD dwDown, DWORD dwUp, int nVirtKey) {
    MoveTo(pt);
    Button(dwDown);
    Button(dwUp);
    if (!PumpUntil([&] { return ::GetAsyncKeyState(nVirtKey) >= 0; }))
      return false;
    PumpPending();
    return true;
  }
  CPoint TabCentre(HWND h) {
    return ScreenCentre(Tabs().m_hWnd, Tabs().ItemRectInClient(Tabs().ItemGet(ItemOf(h))));
  }
  // Every visible child has exactly one shown tab, hidden ones a hidden item, the active one is
  // selected and no item outlives its child.
  ::testing::AssertionResult InStep() {
    int nChildren = 0;
    for (HWND h = ::GetWindow(Client(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
      ++nChildren;
      const int i = ItemOf(h);
      if (i < 0 || Tabs().ItemFindByLParam(reinterpret_cast<LPARAM>(h), i) >= 0)
        return ::testing::AssertionFailure() << "child without exactly one item";
      if (Tabs().ItemGet(i)->VisibleGet() != (::IsWindowVisible(h) != FALSE))
        return ::testing::AssertionFailure() << "item " << i << " shown unlike its child";
    }
    if (nChildren != Tabs().ItemGetCount())
      return ::testing::AssertionFailure()
             << Tabs().ItemGetCount() << " items for " << nChildren << " children";
    if (Active() != NULL && Tabs().SelectionGet() != ItemOf(Active()))
      return ::testing::AssertionFailure()
             << "selection " << Tabs().SelectionGet() << ", active " << ItemOf(Active());
    if ((Tabs().IsWindowVisible() != FALSE) != (nChildren > 0))
      return ::testing::AssertionFailure() << "strip visibility does not follow the children";
    return ModelIsSound(Tabs());
  }
  CTabLabFrame* m_pFrame = NULL;
};

TEST_F(MdiTabs, ItemsFollowChildrenCreatedActivatedHiddenAndDestroyed) {
  EXPECT_TRUE(PumpUntil([&] { return !Tabs().IsWindowVisible(); }));
  HWND a = Open("Alpha"), b = Open("Beta"), c = Open("Gamma");
  ASSERT_TRUE(PumpUntil([&] { return Tabs().ItemGetCount() == 3 && Tabs().IsWindowVisible(); }));
  Sync();
  EXPECT_TRUE(InStep());
  EXPECT_STREQ("Gamma", Tabs().ItemGet(ItemOf(c))->GetText());
  const pixel_support::Pixels px = pixel_support::ReadWindow(m_pFrame->m_hWnd, CRect(0, 0, 690, 460));
  pixel_support::SaveBmp(px, "mdi_tabs_frame");
  // Activation from outside (as Ctrl+F6 does) selects the tab.
  ::SendMessageA(Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
  EXPECT_EQ(ItemOf(a), Tabs().SelectionGet());
  ::ShowWindow(b, SW_HIDE);
  Sync();
  EXPECT_FALSE(Tabs().ItemGet(ItemOf(b))->VisibleGet());
  EXPECT_TRUE(InStep());
  ::SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(c), 0);
  EXPECT_EQ(-1, ItemOf(c));
  Sync();
  EXPECT_TRUE(InStep());
  ::SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
  ::SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0);
  EXPECT_TRUE(PumpUntil([&] { return !Tabs().IsWindowVisible() && Tabs().ItemGetCount() == 0; }));
}

// A child gone or activated before any synchronisation gave it an item removes and selects
// nothing, and the next synchronisation still runs.
TEST_F(MdiTabs, ChildGoneBeforeItsItemLeavesTheStripSound) {
  HWND a = Open("Alpha");
  Sync();
  ASSERT_EQ(0, ItemOf(a));
  HWND b = Open("Beta"); // activated at once, no item yet
  EXPECT_EQ(0, Tabs().SelectionGet());
  EXPECT_NO_THROW(::SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0));
  EXPECT_TRUE(ModelIsSound(Tabs()));
  HWND c = Open("Gamma");
  EXPECT_TRUE(PumpUntil([&] { return ItemOf(c) >= 0 && Tabs().SelectionGet() == ItemOf(c); }));
  Sync();
  EXPECT_TRUE(InStep());
}

struct CloseCase {
  const char* name;
  bool bCloseAllowed;
};
class MdiTabsClose : public MdiTabs, public ::testing::WithParamInterface<CloseCase> {};

// The close button follows the active child's close command and closes that child.
TEST_P(MdiTabsClose, ButtonStateAndAction) {
  HWND a = Open("Alpha");
  HWND b = Open("Beta");
  if (!GetParam().bCloseAllowed)
    ::EnableMenuItem(::GetSystemMenu(b, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  Sync();
  ASSERT_EQ(b, Active());
  EXPECT_EQ(GetParam().bCloseAllowed, Tabs().IsButtonEnabled(T::HT_BUTTON_CLOSE));
  ASSERT_TRUE(Activate(m_pFrame->m_hWnd));
  const CRect rcClose = Tabs().GetButtonRect(T::HT_BUTTON_CLOSE);
  ASSERT_FALSE(rcClose.IsRectEmpty());
  ASSERT_TRUE(
      ClickAt(ScreenCentre(Tabs().m_hWnd, rcClose), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON));
  if (GetParam().bCloseAllowed) {
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(b); }));
    EXPECT_TRUE(PumpUntil([&] { return ItemOf(b) == -1 && Tabs().SelectionGet() == ItemOf(a); }));
  } else {
    EXPECT_TRUE(::IsWindow(b));
    EXPECT_EQ(b, Active());
  }
}

INSTANTIATE_TEST_SUITE_P(Close, MdiTabsClose,
                         ::testing::Values(CloseCase{"Allowed", true}, CloseCase{"Disabled", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A left click on a tab activates its child; a middle click on one changes nothing.
TEST_F(MdiTabs, RealClicksOnTabs) {
  HWND a = Open("Alpha");
  HWND b = Open("Beta");
  Sync();
  ASSERT_EQ(b, Active());
  ASSERT_TRUE(Activate(m_pFrame->m_hWnd));
  ASSERT_FALSE(Tabs().ItemRectInClient(Tabs().ItemGet(ItemOf(a))).IsRectEmpty());
  ASSERT_TRUE(ClickAt(TabCentre(a), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON));
  EXPECT_TRUE(PumpUntil([&] { return Active() == a && Tabs().SelectionGet() == ItemOf(a); }));
  ASSERT_TRUE(ClickAt(TabCentre(b), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, VK_MBUTTON));
  EXPECT_EQ(a, Active());
  EXPECT_EQ(ItemOf(a), Tabs().SelectionGet());
  EXPECT_TRUE(::IsWindow(b));
}

// 300 random open, activate, hide and close steps: after each synchronisation the strip is in
// step with the children. The steps run twice with the same seed: the first pass makes what the
// window system keeps once made, and after the second no GDI or USER object is left behind.
TEST_F(MdiTabs, RandomOpenActivateHideCloseStaysInStep) {
  auto runSteps = [this](int nPass) {
    std::mt19937 rng(28);
    std::vector<HWND> children;
    for (int nStep = 0; nStep < 300; ++nStep) {
      children.erase(std::remove_if(children.begin(), children.end(), [](HWND h) { return !::IsWindow(h); }),
                     children.end());
      const int nOp = children.empty() ? 0 : static_cast<int>(rng() % 4);
      HWND h = children.empty() ? NULL : children[rng() % children.size()];
      switch (nOp) {
      case 0:
        if (children.size() < 8) {
          children.push_back(Open(("doc " + std::to_string(nStep)).c_str()));
          break;
        }
        [[fallthrough]];
      case 1:
        ::ShowWindow(h, SW_SHOW);
        ::SendMessageA(Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
        break;
      case 2:
        ::ShowWindow(h, SW_HIDE);
        break;
      default:
        ::SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
        break;
      }
      Sync();
      ASSERT_TRUE(InStep()) << "pass " << nPass << " step " << nStep << " op " << nOp;
    }
    for (HWND h : children)
      if (::IsWindow(h))
        ::SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    Sync();
    EXPECT_EQ(0, Tabs().ItemGetCount());
  };
  ASSERT_NO_FATAL_FAILURE(runSteps(0));
  const long nGdi = GdiObjectsInUse(), nUser = UserObjectsInUse();
  ASSERT_NO_FATAL_FAILURE(runSteps(1));
  const long nGdiNow = GdiObjectsInUse(), nUserNow = UserObjectsInUse();
  std::printf("[ FIGURES  ] 300 MDI steps: GDI objects %ld -> %ld, USER objects %ld -> %ld\n", nGdi, nGdiNow,
              nUser, nUserNow);
  EXPECT_EQ(nGdi, nGdiNow);
  EXPECT_EQ(nUser, nUserNow);
}

} // namespace
