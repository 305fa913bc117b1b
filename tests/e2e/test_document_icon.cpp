// The image document's icon where a user meets it: the document button at the front of the menu
// bar while the document is maximised (a click on it opens the document's window menu), the
// document's tab, and the caption of the document restored to its own size. Each is read off the
// screen by the icon's two landscape colours, which nothing else on those bars shows.
#include "tests/e2e/e2e_support.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const int kMenuBar = 23366;
const COLORREF kText = RGB(0, 0, 0);
const COLORREF kHill = RGB(0x3F, 0xA3, 0x4D);
const COLORREF kSun = RGB(0xF4, 0xB4, 0x00);

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 40 && std::abs(GetGValue(a) - GetGValue(b)) <= 40 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 40;
}

// Where a screen rectangle shows the document icon: the centre of its hill and sun pixels, and the
// first column of the menu bar's black text; (-1, -1) for the icon when either colour is missing.
struct IconSeen {
  CPoint centre{-1, -1};
  int nFirstText = INT_MAX;
  int nHill = 0, nSun = 0;
};

IconSeen FindIcon(const CRect& rc) {
  const Pixels px = ReadScreen(rc);
  IconSeen seen;
  CPoint sum(0, 0);
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++) {
      const COLORREF cr = px.At(x, y);
      const bool bHill = Near(cr, kHill), bSun = Near(cr, kSun);
      seen.nHill += bHill;
      seen.nSun += bSun;
      if (bHill || bSun)
        sum += CPoint(x, y);
      if (cr == kText && rc.left + x < seen.nFirstText)
        seen.nFirstText = rc.left + x;
    }
  if (seen.nHill >= 4 && seen.nSun >= 2)
    seen.centre =
        CPoint(rc.left + sum.x / (seen.nHill + seen.nSun), rc.top + sum.y / (seen.nHill + seen.nSun));
  return seen;
}

std::string Describe(const IconSeen& seen) {
  return std::to_string(seen.nHill) + " hill and " + std::to_string(seen.nSun) + " sun pixels";
}

class DocumentIconTest : public E2eTest {};

// A capture opens maximised: the menu bar's document button and the document's tab show the
// document icon, and a click on the button's icon opens the document's window menu, whose Restore
// gives the document its own caption, showing the icon too.
TEST_F(DocumentIconTest, ButtonTabAndCaptionShowTheDocumentIcon) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  const std::vector<HWND> bars = m_app.Descendants(kMenuBar);
  ASSERT_FALSE(bars.empty());
  const HWND hBar = bars[0];
  const HWND hChild = m_app.Documents().at(0);
  ASSERT_TRUE(::IsZoomed(hChild));

  IconSeen button;
  EXPECT_TRUE(WaitUntil("the document button's icon",
                        [&] {
                          button = FindIcon(ScreenRect(hBar));
                          return button.centre.x >= 0 && button.centre.x < button.nFirstText;
                        }))
      << "the menu bar shows " << Describe(button) << ", the first text at " << button.nFirstText;
  const HWND hTabs = ::FindWindowExA(m_app.Frame(), NULL, "Corvane-TabWindow", NULL);
  IconSeen tab;
  EXPECT_TRUE(WaitUntil("the tab's icon", [&] { return (tab = FindIcon(ScreenRect(hTabs))).centre.x >= 0; }))
      << "the tabs show " << Describe(tab);
  const CRect frame = ScreenRect(m_app.Frame());
  SaveScreenshot(CRect(frame.left, frame.top, frame.right, ScreenRect(hTabs).bottom),
                 "e2e_document_icon_bars.bmp");
  ASSERT_GE(button.centre.x, 0);

  ASSERT_NE(nullptr, m_app.ClickForMenu(button.centre)) << "no document's window menu";
  PressKey('R');
  ASSERT_TRUE(
      WaitUntil("the document restored", [&] { return !::IsZoomed(hChild) && m_app.ShownMenu() == NULL; }));

  // The caption's icon sits at its left end.
  const CRect child = ScreenRect(hChild);
  const int nCaption = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
  const CRect captionIcon(child.left, child.top, child.left + 2 * nCaption, child.top + nCaption);
  IconSeen caption;
  EXPECT_TRUE(
      WaitUntil("the caption's icon", [&] { return (caption = FindIcon(captionIcon)).centre.x >= 0; }))
      << "the caption shows " << Describe(caption);
  SaveScreenshot(CRect(child.left, child.top, child.right, child.top + 3 * nCaption),
                 "e2e_document_icon_caption.bmp");
}

} // namespace
