// What a tab strip paints, per theme and edge: the selected item looks different from the others,
// a disabled scroll button from an enabled one, and a picture of each strip is left under the
// artifacts folder.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/tabs/tab_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace pixel_support;

const char* const kEdgeNames[] = {"top", "bottom", "left", "right"};

// The pixels of a rectangle of the window's client area, row by row.
std::vector<COLORREF> Patch(const Pixels& px, const CRect& rc) {
  std::vector<COLORREF> out;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      out.push_back(px.At(x, y));
  return out;
}

class TabPictures : public ::testing::TestWithParam<std::tuple<CRuntimeClass*, int>> {
protected:
  void SetUp() override { m_pTheme = g_PaintManagerHolder->GetRuntimeClass(); }
  void TearDown() override { g_PaintManagerHolder.InstallThemeByClass(m_pTheme); }
  CRuntimeClass* m_pTheme = NULL;
};

TEST_P(TabPictures, TheSelectedItemStandsOutAndDisabledButtonsDiffer) {
  CRuntimeClass* pTheme = std::get<0>(GetParam());
  const int nOrientation = std::get<1>(GetParam());
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(pTheme));
  const CSize size = TabHost::StripSize(nOrientation, 320, 44);
  TabHost host((DWORD)nOrientation | 0x210, size.cx, size.cy);
  ASSERT_TRUE(host.Ok());
  CExtTabWnd& tab = host.Tab();
  // Equal texts give equal rectangles, so the pictures of the items compare pixel for pixel.
  std::vector<std::string> texts(12, "Tab");
  host.AddItems(texts);
  tab.SelectItem(1, false, true);
  tab.RedrawWindow();
  ASSERT_TRUE(PumpUntil([&] { return !tab.IsLayoutDirty() && ::GetQueueStatus(QS_PAINT) == 0; }));
  CRect rcClient;
  tab.GetClientRect(&rcClient);
  const Pixels px = ReadWindow(tab.m_hWnd, rcClient);
  ASSERT_FALSE(px.Empty());
  const std::string name =
      std::string("tabs_") + pTheme->m_lpszClassName + "_" + kEdgeNames[nOrientation] + ".bmp";
  EXPECT_FALSE(SaveBmp(px, name.c_str()).empty());

  const CRect rc0 = tab.ItemRectInClient(tab.ItemGet(0));
  const CRect rc1 = tab.ItemRectInClient(tab.ItemGet(1));
  const CRect rc2 = tab.ItemRectInClient(tab.ItemGet(2));
  ASSERT_EQ(rc0.Size(), rc1.Size());
  EXPECT_NE(Patch(px, rc0), Patch(px, rc1));
  EXPECT_EQ(Patch(px, rc0), Patch(px, rc2));
  // Previous is disabled at the start, next is enabled: their glyphs differ.
  const CRect rcPrev = tab.GetButtonRect(CExtTabWnd::HT_BUTTON_PREV);
  const CRect rcNext = tab.GetButtonRect(CExtTabWnd::HT_BUTTON_NEXT);
  ASSERT_FALSE(rcPrev.IsRectEmpty());
  EXPECT_NE(Patch(px, rcPrev), Patch(px, rcNext));
  // The close button shows a glyph on the strip's background.
  const std::vector<COLORREF> close = Patch(px, tab.GetButtonRect(CExtTabWnd::HT_BUTTON_CLOSE));
  EXPECT_NE(std::count(close.begin(), close.end(), close.front()), (long)close.size());
}

INSTANTIATE_TEST_SUITE_P(ThemesAndEdges, TabPictures,
                         ::testing::Combine(::testing::Values(RUNTIME_CLASS(CExtPaintManager),
                                                              RUNTIME_CLASS(CExtPaintManagerXP),
                                                              RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                                            ::testing::Values(0, 1, 2, 3)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param)->m_lpszClassName) + "_" +
                                  kEdgeNames[std::get<1>(info.param)];
                         });

} // namespace
