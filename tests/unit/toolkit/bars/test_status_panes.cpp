// The status bar's panes: what the indicator ids make of them, one repaint per text or icon
// change, and the windows placed over panes.
#include "tests/common/frame_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/status_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int TextWidthInBarFont(CWnd& bar, LPCSTR lpszText) {
  CClientDC dc(NULL);
  HFONT hFont = reinterpret_cast<HFONT>(bar.SendMessage(WM_GETFONT));
  HGDIOBJ hOld = hFont != NULL ? ::SelectObject(dc.m_hDC, hFont) : NULL;
  const int cx = dc.GetTextExtent(lpszText).cx;
  if (hOld != NULL)
    ::SelectObject(dc.m_hDC, hOld);
  return cx;
}

using StatusPanes = StatusBarTest;

TEST_F(StatusPanes, IndicatorsTakeTheirStringsAndMessagePanesAQuarterOfTheScreen) {
  const int cxQuarter = ::GetSystemMetrics(SM_CXSCREEN) / 4;
  UINT nID = 1, nStyle = 0;
  int cx = 0;
  CString strText;
  ASSERT_TRUE(m_bar->GetPaneInfo(0, nID, nStyle, cx, strText));
  EXPECT_EQ(0u, nID);
  EXPECT_EQ(static_cast<UINT>(SBPS_STRETCH | SBPS_NOBORDERS), nStyle);
  EXPECT_EQ(cxQuarter, cx);
  CRect rcFirst;
  m_bar->GetItemRect(0, &rcFirst);
  EXPECT_GT(rcFirst.Width(), cxQuarter) << "the message line stretches over what the others leave";

  ASSERT_TRUE(m_bar->GetPaneInfo(1, nID, nStyle, cx, strText));
  EXPECT_EQ(static_cast<UINT>(IDS_STATUS_ZOOM), nID);
  EXPECT_STREQ("Zoom 100%", strText);
  EXPECT_EQ(TextWidthInBarFont(*m_bar, "Zoom 100%"), cx);
  EXPECT_EQ(static_cast<UINT>(IDS_STATUS_SIZE), m_bar->GetPaneID(2));
  EXPECT_FALSE(m_bar->GetPaneInfo(3, nID, nStyle, cx, strText));
  EXPECT_FALSE(m_bar->GetPaneInfo(-1, nID, nStyle, cx, strText));
  EXPECT_EQ(0u, m_bar->GetPaneID(3));
}

TEST_F(StatusPanes, AnIdWithoutStringGivesAnEmptyPaneAndOnlyAFirstMessagePaneStretches) {
  const UINT kIds[] = {IDS_STATUS_NO_STRING, 0};
  ASSERT_TRUE(m_bar->SetIndicators(kIds, 2));
  UINT nID = 0, nStyle = 0;
  int cx = -1;
  CString strText("x");
  ASSERT_TRUE(m_bar->GetPaneInfo(0, nID, nStyle, cx, strText));
  EXPECT_TRUE(strText.IsEmpty());
  EXPECT_EQ(0, cx);
  ASSERT_TRUE(m_bar->GetPaneInfo(1, nID, nStyle, cx, strText));
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 4, cx);
  EXPECT_EQ(0u, nStyle & (SBPS_STRETCH | SBPS_NOBORDERS));
}

// A change through the control must not show the control's own drawing: the bar paints itself
// once, at once, and leaves nothing to paint.
// A text kept for the next painting reaches the control while the bar paints.
enum class Change { PaneText, TextMessage, IconMessage, TextAtNextPaint };

class StatusRepaint : public StatusBarTest, public ::testing::WithParamInterface<Change> {};

TEST_P(StatusRepaint, OneChangePaintsTheBarOnceAtOnce) {
  PumpPending();
  m_bar->m_nPaints = 0;
  HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
  switch (GetParam()) {
  case Change::PaneText:
    ASSERT_TRUE(m_bar->SetPaneText(1, "Zoom 200%"));
    break;
  case Change::TextMessage:
    m_bar->SendMessage(SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Zoom 200%"));
    break;
  case Change::IconMessage:
    m_bar->SendMessage(SB_SETICON, 1, reinterpret_cast<LPARAM>(hIcon));
    break;
  case Change::TextAtNextPaint:
    ASSERT_TRUE(m_bar->SetPaneText(1, "Zoom 200%", FALSE));
    EXPECT_EQ(0, m_bar->m_nPaints);
    m_bar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    break;
  }
  EXPECT_EQ(1, m_bar->m_nPaints);
  EXPECT_FALSE(::GetUpdateRect(m_bar->m_hWnd, NULL, FALSE));
  PumpPending();
  EXPECT_EQ(1, m_bar->m_nPaints) << "no second painting queued";
  if (GetParam() == Change::IconMessage)
    EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), m_bar->SendMessage(SB_GETICON, 1));
  else
    EXPECT_EQ("Zoom 200%", StatusText(*m_bar, 1));
}

std::string ChangeName(const ::testing::TestParamInfo<Change>& info) {
  static const char* const kNames[] = {"PaneText", "TextMessage", "IconMessage", "TextAtNextPaint"};
  return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Changes, StatusRepaint,
                         ::testing::Values(Change::PaneText, Change::TextMessage, Change::IconMessage,
                                           Change::TextAtNextPaint),
                         ChangeName);

// A window over a pane fills the pane less its border, or less a pixel above and below where the
// pane has no border, and follows the pane when the bar is resized.
struct PaneControlCase {
  const char* name;
  UINT nStyle;
  BYTE nExtraFlags;
  int cyInset; // 0: the edge width
};

class StatusPaneControls : public StatusBarTest, public ::testing::WithParamInterface<PaneControlCase> {};

TEST_P(StatusPaneControls, AWindowCoversItsPaneAndFollowsIt) {
  const PaneControlCase& c = GetParam();
  m_bar->SetBarFlags(m_bar->GetBarFlags() | c.nExtraFlags);
  m_bar->SetPaneInfo(0, 0, c.nStyle | SBPS_STRETCH, ::GetSystemMetrics(SM_CXSCREEN) / 8);
  HWND hChild = MakeChild();
  ASSERT_TRUE(m_bar->AddPaneControl(hChild, 0, true));
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
  auto expected = [&] {
    CRect rc = m_bar->GetPaneRect(0);
    rc.DeflateRect(cxEdge, c.cyInset != 0 ? c.cyInset : cxEdge);
    return rc;
  };
  auto placed = [&] {
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    m_bar->ScreenToClient(&rc);
    return rc;
  };
  EXPECT_EQ(expected(), placed());
  const int cxBefore = placed().Width();
  CRect rcFrame;
  m_frame->GetWindowRect(&rcFrame);
  m_frame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + 100, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
  Relayout(m_frame.get());
  EXPECT_EQ(expected(), placed());
  EXPECT_EQ(cxBefore + 100, placed().Width()) << "the stretching pane took the new width";
}

INSTANTIATE_TEST_SUITE_P(Borders, StatusPaneControls,
                         ::testing::Values(PaneControlCase{"Bordered", 0, 0, 0},
                                           PaneControlCase{"NoBorders", SBPS_NOBORDERS, 0, 1},
                                           PaneControlCase{"Separators", 0,
                                                           CExtStatusControlBar::STATUS_SEPARATORS, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatusPanes, PaneWindowsAreEnabledWithTheirPaneAndHiddenOrDestroyedWithTheBar) {
  HWND hKept = MakeChild(), hOwned = MakeChild();
  ASSERT_TRUE(m_bar->AddPaneControl(hKept, IDS_STATUS_ZOOM, false));
  ASSERT_TRUE(m_bar->AddPaneControl(hOwned, IDS_STATUS_SIZE, true));
  m_bar->EnablePaneControl(1, false);
  EXPECT_FALSE(::IsWindowEnabled(hKept));
  EXPECT_TRUE(::IsWindowEnabled(hOwned));
  m_bar->EnablePaneControl(1, true);
  EXPECT_TRUE(::IsWindowEnabled(hKept));
  m_bar->SetPaneInfo(2, IDS_STATUS_SIZE, SBPS_DISABLED, 60);
  EXPECT_FALSE(::IsWindowEnabled(hOwned));
  m_bar->SetPaneInfo(2, IDS_STATUS_SIZE, SBPS_NORMAL, 60);
  EXPECT_TRUE(::IsWindowEnabled(hOwned));
  // An index without a pane reaches no window, not even those of the message line (id 0).
  HWND hMessage = MakeChild();
  ASSERT_TRUE(m_bar->AddPaneControl(hMessage, 0, true));
  m_bar->EnablePaneControl(3, false);
  m_bar->EnablePaneControl(-1, false);
  EXPECT_TRUE(::IsWindowEnabled(hMessage));

  // The kept window moves to the frame so that it outlives the bar's window.
  ::SetParent(hKept, m_frame->m_hWnd);
  m_bar.reset();
  EXPECT_FALSE(::IsWindow(hOwned));
  ASSERT_TRUE(::IsWindow(hKept));
  EXPECT_FALSE(::IsWindowVisible(hKept));
  ::DestroyWindow(hKept);
}

} // namespace
