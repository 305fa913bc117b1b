// The about box shows its names, version and support contacts, opens its two addresses through
// the shell when clicked (the other labels do nothing) and closes with a click on OK, freeing its
// picture.
#include "app/AboutDlg.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"

#include <gtest/gtest.h>

namespace {

// The addresses handed to the shell, as "verb file", instead of opening them.
std::vector<std::string> g_opened;
HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR, LPCSTR, INT) {
  g_opened.push_back(std::string(pszVerb != NULL ? pszVerb : "") + " " + pszFile);
  return reinterpret_cast<HINSTANCE>(42);
}

struct Label {
  int nId;
  std::string text;
  COLORREF cr;        // a colour the label's text shows in
  std::string opened; // what a click hands to the shell; "" nothing
};

TEST(AboutBox, ShowsItsTextsOpensItsAddressesAndClosesOnOk) {
  CImportPatch shell("shell32.dll", "ShellExecuteA", reinterpret_cast<FARPROC>(&RecordShellExecute));
  ASSERT_TRUE(shell.Applied());
  const Label labels[] = {{IDC_ABOUT_MAKER, "Vantrel", RGB(0x40, 0x80, 0xFF), ""},
                          {IDC_ABOUT_TITLE, "Pixolet Screen Capture", RGB(0, 0, 0), ""},
                          {IDC_ABOUT_VERSION, "Version 2.4", RGB(0, 0, 0), ""},
                          {IDC_ABOUT_PRODUCT_ADDRESS, "www.vantrel.com/pixolet", RGB(0, 0, 0xFF),
                           std::string("open ") + CAboutDlg::kProductPage},
                          {IDC_ABOUT_MAKER_ADDRESS, "www.vantrel.com", RGB(0, 0, 0xFF),
                           std::string("open ") + CAboutDlg::kMakerPage},
                          {IDC_ABOUT_SUPPORT,
                           "Customer Support: \r\nEmail: support@vantrel.com\r\nFax: +1 555 0142 7788",
                           RGB(0, 0, 0), ""}};
  // The script finds the box by its caption.
  auto checkLabels = [&](HWND hDlg) {
    const pixel_support::Pixels px = pixel_support::ReadClient(hDlg);
    pixel_support::SaveBmp(px, "about_box.bmp");
    for (const Label& l : labels) {
      HWND hLabel = ::GetDlgItem(hDlg, l.nId);
      EXPECT_EQ(l.text, WindowText(hLabel));
      CRect rc;
      ::GetWindowRect(hLabel, &rc);
      ::MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT*>(&rc), 2);
      bool bHasColour = false;
      for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
          bHasColour = bHasColour || px.At(x, y) == l.cr;
      EXPECT_TRUE(bHasColour) << l.text;
      g_opened.clear();
      ClickControlAt(hLabel, POINT{8, 6});
      if (!l.opened.empty())
        PumpUntil([] { return !g_opened.empty(); });
      EXPECT_EQ(l.opened.empty() ? std::vector<std::string>{} : std::vector<std::string>{l.opened}, g_opened);
    }
    return true;
  };
  HBITMAP hPicture = NULL; // the template's, which its control loaded
  auto clickOk = [&](HWND hDlg) {
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != NULL && hPicture == NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
      hPicture = reinterpret_cast<HBITMAP>(::SendMessageA(hChild, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ClickControl(::GetDlgItem(hDlg, IDOK));
    return true;
  };
  ModalScript script("About Pixolet Screen Capture", {checkLabels, clickOk});
  CAboutDlg dlg;
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(script.Finished());
  ASSERT_NE(nullptr, hPicture);
  EXPECT_EQ(0u, ::GetObjectType(hPicture)) << "the picture outlived the box";
}

} // namespace
