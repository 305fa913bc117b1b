// How the task sheet's pages look, read off the screen in the sheet lab after real clicks have
// opened them: the effect and resize pages' bold titles on one line above their first row, and the
// caption page's check boxes showing their whole labels on the page's own ground.
#include "app/ModelessPropSheet.h"
#include "app/TaskSheet.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/sheet_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using pixel_support::Pixels;

bool IsInk(COLORREF cr) { return GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 3 * 110; }

// A child's rectangle in its parent's client coordinates.
CRect Place(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  ::MapWindowPoints(NULL, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// The visible child without an id (a label) whose top left corner is at pt.
HWND LabelAt(HWND hPage, CPoint pt) {
  for (HWND h = ::GetWindow(hPage, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if ((::GetDlgCtrlID(h) & 0xFFFF) == 0xFFFF && ::IsWindowVisible(h) && Place(h).TopLeft() == pt)
      return h;
  return NULL;
}

// The ink of a rectangle of a page's picture: how many pixels, and the last row holding any.
struct Ink {
  int nPixels = 0;
  int nBottom = -1;
};
Ink InkIn(const Pixels& px, const CRect& rc) {
  Ink ink;
  for (int y = std::max(0L, rc.top); y < std::min((LONG)px.cy, rc.bottom); y++)
    for (int x = std::max(0L, rc.left); x < std::min((LONG)px.cx, rc.right); x++)
      if (IsInk(px.At(x, y))) {
        ink.nPixels++;
        ink.nBottom = y;
      }
  return ink;
}

// The dark pixels of the text drawn in regular weight with the titles' face and size, black on the
// pages' ground, as any regular label of the platform shows it.
int RegularInk(const std::string& text) {
  CClientDC screen(NULL);
  CFont font;
  EXPECT_TRUE(font.CreatePointFont(90, "Arial", &screen));
  CDC dc;
  CBitmap bitmap;
  const CRect rc(0, 0, 400, 40);
  EXPECT_TRUE(dc.CreateCompatibleDC(&screen) &&
              bitmap.CreateCompatibleBitmap(&screen, rc.Width(), rc.Height()));
  CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
  CFont* pOldFont = dc.SelectObject(&font);
  dc.FillSolidRect(&rc, CModelessPropSheet::BackgroundColor());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(0);
  CRect rcText(rc);
  dc.DrawText(text.c_str(), &rcText, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  dc.SelectObject(pOldFont);
  dc.SelectObject(pOldBitmap);
  const Pixels px = pixel_support::ReadBitmap((HBITMAP)bitmap.GetSafeHandle());
  return InkIn(px, rc).nPixels;
}

struct TitledPage {
  const char* pszName;
  int nTaskId; // the main page's link that opens it
  const char* pszTitle;
  std::function<HWND(SheetLab&)> page;
  std::function<HWND(HWND)> firstRow; // the control the page shows first below its title
};
void PrintTo(const TitledPage& page, std::ostream* os) { *os << page.pszName; }

class PageTitle : public ::testing::TestWithParam<TitledPage> {};

// The title asks for bold "Arial" 9 pt: it is darker than the same text in the regular weight, and
// stays on one line, its ink ending clear of the first row below it.
TEST_P(PageTitle, IsBoldOnOneLineAboveTheFirstRow) {
  const TitledPage& param = GetParam();
  SheetLab lab;
  lab.Click(CPropPageMain::kMainMenuId);
  lab.Click(param.nTaskId);
  const HWND hPage = param.page(lab);
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(hPage) != FALSE; }));
  const HWND hTitle = LabelAt(hPage, CPoint(0, 20));
  ASSERT_NE(nullptr, hTitle);
  char szTitle[64] = "";
  ::GetWindowTextA(hTitle, szTitle, sizeof(szTitle));
  ASSERT_STREQ(param.pszTitle, szTitle);
  const HWND hFirstRow = param.firstRow(hPage);
  ASSERT_NE(nullptr, hFirstRow);

  const Pixels px = pixel_support::ReadClient(hPage);
  pixel_support::SaveBmp(px, (std::string("page_title_") + param.pszName + ".bmp").c_str());
  const Ink title = InkIn(px, Place(hTitle));
  const int nRegular = RegularInk(param.pszTitle);
  EXPECT_GT(title.nPixels, nRegular * 5 / 4) << "the title is no darker than regular text";
  EXPECT_LE(title.nBottom + 4, Place(hFirstRow).top) << "the title runs down to its first row";
}

const TitledPage kTitledPages[] = {{"BrightnessContrast", 3001, "Brightness-Contrast  Settings",
                                    [](SheetLab& lab) { return lab.pageParam.GetSafeHwnd(); },
                                    [](HWND hPage) { return LabelAt(hPage, CPoint(0, 48)); }},
                                   {"ResizeImage", 4007, "Resize Image",
                                    [](SheetLab& lab) { return lab.pageResize.GetSafeHwnd(); },
                                    [](HWND hPage) { return ::GetDlgItem(hPage, IDC_RESIZE_NEW_GROUP); }}};
INSTANTIATE_TEST_SUITE_P(Pages, PageTitle, ::testing::ValuesIn(kTitledPages),
                         [](const ::testing::TestParamInfo<TitledPage>& info) { return info.param.pszName; });

// The caption page's check boxes: each shows its whole label, with ground left after its last
// letter; Bold, Italics and Underline inside the "Font:" group box, the two below it on the page's
// own ground like the rest of the page.
TEST(CaptionPageLook, CheckBoxesShowTheirWholeLabelsOnThePageGround) {
  SheetLab lab;
  lab.Click(2012);
  const HWND hPage = lab.pageCaption.GetSafeHwnd();
  ASSERT_TRUE(PumpUntil([&] { return GetTaskPageIndex() == TASK_PAGE_CAPTION && ::IsWindowVisible(hPage); }));
  const Pixels px = pixel_support::ReadClient(hPage);
  pixel_support::SaveBmp(px, "page_caption_check_boxes.bmp");
  const CRect group = Place(::GetDlgItem(hPage, IDC_CAPTION_FONT_GROUP));
  const struct {
    int nId;
    bool bFramed;
  } kBoxes[] = {{IDC_CAPTION_BOLD, true},
                {IDC_CAPTION_ITALIC, true},
                {IDC_CAPTION_UNDERLINE, true},
                {IDC_CAPTION_INSIDE, false},
                {IDC_CAPTION_BOTTOM, false}};
  for (const auto& box : kBoxes) {
    SCOPED_TRACE(box.nId);
    const CRect rc = Place(::GetDlgItem(hPage, box.nId));
    int nLastInk = -1;
    for (int x = rc.left; x < rc.right; x++)
      for (int y = rc.top; y < rc.bottom; y++)
        if (IsInk(px.At(x, y)))
          nLastInk = x;
    EXPECT_LT(nLastInk, rc.right - 1) << "the label runs to the box's edge at " << rc.right;
    if (box.bFramed) {
      EXPECT_GT(rc.left, group.left);
      EXPECT_LT(rc.right, group.right - 1) << "the frame cuts the box";
    } else {
      EXPECT_EQ(CModelessPropSheet::BackgroundColor(), px.At(rc.right - 1, rc.CenterPoint().y))
          << "another ground than the page's";
    }
  }
}

} // namespace
