// The about box shows the names, version and support contacts, opens its two addresses through
// the shell when they are clicked, and closes with a click on OK.
#include "app/AboutDlg.h"
#include "resources/resource.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool HasColour(const pixel_support::Pixels& px, const RECT& rc, COLORREF cr) {
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      if (px.At(x, y) == cr)
        return true;
  return false;
}

TEST(AboutBox, ShowsItsTextsOpensItsAddressesAndClosesOnOk) {
  TheTestApp();
  ShellRecorder shell;
  struct Text {
    int nId;
    const char* pszText;
  };
  const Text texts[] = {
      {IDC_ABOUT_MAKER, "Vantrel"},
      {IDC_ABOUT_TITLE, "Pixolet Screen Capture"},
      {IDC_ABOUT_VERSION, "Version 2.4"},
      {IDC_ABOUT_SUPPORT, "Customer Support: \r\nEmail: support@vantrel.com\r\nFax: +1 555 0142 7788"}};
  struct Link {
    int nId;
    std::string strOpened; // "" : the label does not react
  };
  const Link links[] = {{IDC_ABOUT_MAKER, ""},
                        {IDC_ABOUT_TITLE, ""},
                        {IDC_ABOUT_VERSION, ""},
                        {IDC_ABOUT_PRODUCT_ADDRESS, std::string("open ") + CAboutDlg::kProductPage},
                        {IDC_ABOUT_MAKER_ADDRESS, std::string("open ") + CAboutDlg::kMakerPage}};
  struct Colour {
    int nId;
    COLORREF cr;
  };
  const Colour colours[] = {{IDC_ABOUT_MAKER, RGB(0x40, 0x80, 0xFF)},
                            {IDC_ABOUT_TITLE, RGB(0, 0, 0)},
                            {IDC_ABOUT_PRODUCT_ADDRESS, RGB(0, 0, 0xFF)},
                            {IDC_ABOUT_MAKER_ADDRESS, RGB(0, 0, 0xFF)}};
  auto item = [](HWND hDlg, int nId) { return ::GetDlgItem(hDlg, nId); };
  std::vector<ModalScript::Step> steps = {
      [&](HWND hDlg) {
        EXPECT_EQ("About Pixolet Screen Capture", WindowText(hDlg));
        for (const Text& t : texts)
          EXPECT_EQ(t.pszText, WindowText(item(hDlg, t.nId))) << t.nId;
        const pixel_support::Pixels px = pixel_support::ReadClient(hDlg);
        pixel_support::SaveBmp(px, "about_box.bmp");
        for (const Colour& c : colours) {
          CRect rc;
          ::GetWindowRect(item(hDlg, c.nId), &rc);
          ::MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT*>(&rc), 2);
          EXPECT_TRUE(HasColour(px, rc, c.cr)) << c.nId;
        }
        return true;
      },
      [&](HWND hDlg) {
        for (const Link& l : links) {
          ShellRecorder::Calls().clear();
          ClickControlAt(item(hDlg, l.nId), POINT{8, 6});
          if (l.strOpened.empty())
            EXPECT_TRUE(ShellRecorder::Calls().empty()) << l.nId;
          else
            EXPECT_TRUE(PumpUntil([&] { return !ShellRecorder::Calls().empty(); })) << l.nId;
          EXPECT_EQ(l.strOpened.empty() ? std::vector<std::string>{} : std::vector<std::string>{l.strOpened},
                    ShellRecorder::Calls())
              << l.nId;
        }
        return true;
      },
      [&](HWND hDlg) {
        ClickControl(item(hDlg, IDOK));
        return true;
      }};
  ModalScript script("About Pixolet Screen Capture", steps);
  CAboutDlg dlg;
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(script.Finished());
}

} // namespace
