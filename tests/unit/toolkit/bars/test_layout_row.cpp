// Tool bars sharing a row of the frame's top dock bar: side by side, each showing all its buttons.
#include "tests/unit/toolkit/bars/layout_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

CRect ScreenRectOf(CWnd& wnd) {
  CRect rc;
  wnd.GetWindowRect(&rc);
  return rc;
}

// Where the bar hides a button (not shown, outside its client area, or behind the chevron).
std::string HiddenButtons(CLayoutTestBar& bar) {
  std::ostringstream out;
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  for (int i = 0; i + 1 < bar.GetButtonCount(); ++i) {
    CExtBarButton* pButton = bar.m_buttons[i];
    CRect rcIn;
    if (!pButton->IsVisible() || !rcIn.IntersectRect(pButton->GetRect(), rcClient) ||
        rcIn != pButton->GetRect())
      out << "button " << i << " not shown; ";
  }
  if (!bar.HiddenList().empty())
    out << bar.HiddenList().size() << " behind the chevron; ";
  return out.str();
}

class LayoutRow : public ::testing::TestWithParam<CRuntimeClass*> {
protected:
  void TearDown() override {
    if (m_second && m_second->GetSafeHwnd() != NULL)
      m_second->DestroyWindow();
    m_second.reset();
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
  }
  FramedBar m_framed;
  std::unique_ptr<CLayoutTestBar> m_second;
};

// A bar of one wide button (whose smallest size is about its whole size) first, a bar of eight
// buttons docked into its row after it.
TEST_P(LayoutRow, BarsOfOneRowLieSideBySideAndShowEveryButton) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  FramedBar& framed = m_framed;
  ASSERT_TRUE(framed.frame != NULL && framed.bar->GetSafeHwnd() != NULL);
  // The toolkit's outer dock bars, as the program's frame has them.
  ASSERT_TRUE(CExtControlBar::FrameEnableDocking(framed.frame));
  CLayoutTestBar& first = *framed.bar;
  first.AddButton(CSize(80, 25));
  first.AddChevron();
  framed.frame->RecalcLayout();
  m_second = std::make_unique<CLayoutTestBar>();
  CLayoutTestBar& second = *m_second;
  ASSERT_TRUE(
      second.Create("second", framed.frame, 0xE902,
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
  for (int i = 0; i < 8; ++i)
    second.AddButton(CSize(23, 22));
  second.AddChevron();
  second.EnableDocking(CBRS_ALIGN_ANY);
  CRect rcFirst = ScreenRectOf(first);
  rcFirst.OffsetRect(1, 1);
  framed.frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &rcFirst);
  framed.frame->RecalcLayout();
  PumpPending();

  const CRect rcA = ScreenRectOf(first), rcB = ScreenRectOf(second);
  EXPECT_EQ(rcA.top, rcB.top) << "one row";
  EXPECT_LE(rcA.right, rcB.left) << "(" << rcA.left << "-" << rcA.right << ") (" << rcB.left << "-"
                                 << rcB.right << ")";
  EXPECT_EQ("", HiddenButtons(first));
  EXPECT_EQ("", HiddenButtons(second));
}

INSTANTIATE_TEST_SUITE_P(Themes, LayoutRow,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)));

} // namespace
