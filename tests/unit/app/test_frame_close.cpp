// The main frame's close: the hot key kept when the user gives up the close, no tray exit while a
// dialog has disabled the frame, and the place stored from the restored window whatever its state.
#include <gtest/gtest.h>

#include "app/FramletApp.h"
#include "resources/resource.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/frame_support.h"

namespace {

// Whether Ctrl+Q is free for another window: it is not while the frame holds it.
bool HotKeyIsFree() {
  if (!::RegisterHotKey(NULL, 0x7F00, MOD_CONTROL, 'Q'))
    return false;
  ::UnregisterHotKey(NULL, 0x7F00);
  return true;
}

TEST_F(MainFrameTest, ACloseGivenUpAtTheSavePromptKeepsTheHotKey) {
  SetOptionValue("EnableHotkey", 1);
  CMultiDocTemplate* pTemplate = ImageDocTemplate(); // the close asks about its documents
  ASSERT_NE(nullptr, MakeFrame());
  EXPECT_FALSE(HotKeyIsFree());
  CDocument* pDoc = pTemplate->OpenDocumentFile(NULL);
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag(TRUE);
  MessageBoxRecorder boxes;
  MessageBoxRecorder::s_nAnswer = IDCANCEL;
  m_pFrame->SendMessage(WM_CLOSE);
  MessageBoxRecorder::s_nAnswer = IDOK;
  ASSERT_TRUE(::IsWindow(m_pFrame->GetSafeHwnd()));
  EXPECT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_FALSE(HotKeyIsFree());
  pDoc->SetModifiedFlag(FALSE);
  m_pFrame->SendMessage(WM_CLOSE); // closes for good and lets the hot key go
  EXPECT_TRUE(HotKeyIsFree());
  m_pFrame = nullptr;
}

// While a modal dialog or prompt has disabled the frame, the tray menu offers only to show it: the
// captures and Exit are greyed, and an Exit that comes anyway asks nothing.
TEST_F(MainFrameTest, TheTrayMenuOffersOnlyTheFrameWhileADialogHasDisabledIt) {
  ASSERT_NE(nullptr, MakeFrame());
  CDocument* pDoc = ImageDocTemplate()->OpenDocumentFile(NULL);
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag(TRUE);   // an exit would ask about it
  m_pFrame->EnableWindow(FALSE); // as a modal dialog does
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_TRAY_MENU));
  CMenu& popup = *menu.GetSubMenu(0);
  m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
  for (UINT i = 0; i < popup.GetMenuItemCount(); i++)
    if (popup.GetMenuItemID(i) != 0)
      EXPECT_EQ(popup.GetMenuItemID(i) != ID_APP_OPEN,
                (popup.GetMenuState(i, MF_BYPOSITION) & MF_GRAYED) != 0)
          << "item " << i;
  MessageBoxRecorder boxes;
  m_pFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
  EXPECT_TRUE(MessageBoxRecorder::Boxes().empty());
  pDoc->SetModifiedFlag(FALSE);
}

TEST_F(MainFrameTest, TheStoredPlaceIsTheRestoredWindowsEvenWhenMaximised) {
  ASSERT_NE(nullptr, MakeFrame());
  m_pFrame->MoveWindow(60, 40, 700, 650);
  m_pFrame->ShowWindow(SW_MAXIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return m_pFrame->IsZoomed() != FALSE; }));
  m_pFrame->SendMessage(WM_CLOSE);
  m_pFrame = nullptr;
  static const struct {
    const char* pszName;
    int nValue;
  } kPlace[] = {{"cs_x", 60}, {"cs_y", 40}, {"cs_cx", 700}, {"cs_cy", 650}};
  for (const auto& v : kPlace)
    EXPECT_EQ(v.nValue, OptionValue(v.pszName)) << v.pszName;
}

// Where a stored place starts the frame on the test screen, one monitor of 1280 x 1024 whose work
// area is all of it: as stored, at the place made from the screen, or moved to where its title bar
// can be grabbed (given in the frame's border and caption sizes).
enum class Start { AsStored, Computed, Moved };

struct StoredPlace {
  CRect place;
  Start start;
  CRect (*moved)(int cxFrame, int cyFrame, int cyCaption);
};

std::ostream& operator<<(std::ostream& os, const StoredPlace& p) {
  return os << p.place.left << "," << p.place.top << " " << p.place.Width() << "x" << p.place.Height();
}

class StoredPlaceTest : public MainFrameTest, public ::testing::WithParamInterface<StoredPlace> {};

// A stored place whose title bar can be grabbed is taken exactly; one on no monitor (far away, or
// on a monitor that is gone) gives the place made from the screen; one that meets the screen only
// where its title bar cannot be grabbed is moved the least so that it lies inside, and one larger
// than the screen shrinks to it. Closing stores where the frame stood, and the title bar answers
// as a caption at a point on the screen.
TEST_P(StoredPlaceTest, TheFrameStartsWhereItsTitleBarCanBeGrabbed) {
  const CRect stored = GetParam().place;
  for (const auto& [pszName, nValue] :
       {std::make_pair("cs_x", (int)stored.left), std::make_pair("cs_y", (int)stored.top),
        std::make_pair("cs_cx", stored.Width()), std::make_pair("cs_cy", stored.Height())})
    SetOptionValue(pszName, nValue);
  ASSERT_NE(nullptr, MakeFrame());
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  const int cxFrame = ::GetSystemMetrics(SM_CXFRAME), cyFrame = ::GetSystemMetrics(SM_CYFRAME);
  const int cyCaption = ::GetSystemMetrics(SM_CYCAPTION);
  const CRect expected = GetParam().start == Start::AsStored ? stored
                         : GetParam().start == Start::Computed
                             ? CRect(CPoint(cx / 50, cy / 50), CSize(cx * 14 / 15, cy * 12 / 15))
                             : GetParam().moved(cxFrame, cyFrame, cyCaption);
  CRect frame;
  m_pFrame->GetWindowRect(&frame);
  EXPECT_EQ(expected, frame);
  const CPoint onBar(std::max(frame.left, 0L) + std::min(40L, frame.Width() / 2L) + cxFrame,
                     frame.top + cyFrame + cyCaption / 2);
  EXPECT_EQ(HTCAPTION, m_pFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(onBar.x, onBar.y)))
      << "at " << onBar.x << "," << onBar.y;
  m_pFrame->SendMessage(WM_CLOSE);
  m_pFrame = nullptr;
  auto closed = [](LONG v) { return v < -10 ? 10 : (int)v; }; // the close's own rule for edges far left or up
  EXPECT_EQ(std::make_pair(closed(expected.left), closed(expected.top)),
            std::make_pair(OptionValue("cs_x"), OptionValue("cs_y")));
}

INSTANTIATE_TEST_SUITE_P(
    Places, StoredPlaceTest,
    ::testing::Values(StoredPlace{CRect(CPoint(30000, 30000), CSize(700, 650)), Start::Computed, nullptr},
                      StoredPlace{CRect(CPoint(1500, 100), CSize(700, 650)), Start::Computed, nullptr},
                      StoredPlace{CRect(CPoint(-3000, -2000), CSize(700, 650)), Start::Computed, nullptr},
                      StoredPlace{CRect(CPoint(1280, 0), CSize(700, 650)), Start::Computed, nullptr},
                      StoredPlace{CRect(CPoint(60, 40), CSize(700, 650)), Start::AsStored, nullptr},
                      StoredPlace{CRect(CPoint(-550, 300), CSize(700, 650)), Start::AsStored, nullptr},
                      StoredPlace{CRect(CPoint(900, 1024 - 200), CSize(700, 650)), Start::AsStored, nullptr},
                      // Only a corner on the screen: 10 x 24, 14 x 9 and 30 x 24 pixels.
                      StoredPlace{CRect(CPoint(1270, 1000), CSize(700, 650)), Start::Moved,
                                  [](int f, int g, int c) {
                                    return CRect(CPoint(1280 + f - 700, std::min(1000, 1024 - g - c)),
                                                 CSize(700, 650));
                                  }},
                      StoredPlace{CRect(CPoint(1266, 1015), CSize(700, 650)), Start::Moved,
                                  [](int f, int g, int c) {
                                    return CRect(CPoint(1280 + f - 700, 1024 - g - c), CSize(700, 650));
                                  }},
                      StoredPlace{CRect(CPoint(-670, -626), CSize(700, 650)), Start::Moved,
                                  [](int f, int g, int) { return CRect(CPoint(-f, -g), CSize(700, 650)); }},
                      // The title bar 400 pixels above the screen.
                      StoredPlace{CRect(CPoint(100, -400), CSize(700, 650)), Start::Moved,
                                  [](int, int g, int) { return CRect(CPoint(100, -g), CSize(700, 650)); }},
                      // Larger than the screen: the caption buttons and the status bar past its edges.
                      StoredPlace{CRect(CPoint(60, 40), CSize(3000, 2000)), Start::Moved,
                                  [](int, int, int) { return CRect(0, 0, 1280, 1024); }}));

} // namespace
