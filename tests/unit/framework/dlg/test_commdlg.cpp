// The common dialogs, driven through their own windows from a thread timer.
#include "tests/common/pdf_output.h"
#include "tests/unit/framework/dlg/dialog_test_support.h"
#include "tests/unit/framework/system_dialog_driver.h"

#include <dlgs.h>

#include <cstring>
#include <string>

namespace {

const char kFilter[] = "PNG image (*.png)|*.png|JPEG image (*.jpg)|*.jpg||";

TEST(FileDialog, SaveDialogReturnsTheTypedPathAndTheChosenFilter) {
  TheTestApp();
  char szTemp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, szTemp);
  std::string path = std::string(szTemp) + "dlg_shot.jpg";
  ::DeleteFileA(path.c_str());
  CFileDialog dlg(FALSE, "png", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
  EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
  dlg.m_ofn.nFilterIndex = 1;

  CSystemDialogDriver driver([&](HWND hDlg) {
    // The file-name box is a combo box with an edit, or an edit.
    HWND hName = ::GetDlgItem(hDlg, cmb13) != NULL ? ::GetDlgItem(hDlg, cmb13) : ::GetDlgItem(hDlg, edt1);
    HWND hType = ::GetDlgItem(hDlg, cmb1);
    if (hName == NULL || hType == NULL)
      return false;
    // What the combo box tells its dialog when the user picks the second type.
    ::SendMessageA(hType, CB_SETCURSEL, 1, 0);
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hType));
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(hType));
    ::SetWindowTextA(hName, path.c_str());
    return ClickButton(hDlg, IDOK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(1, driver.m_nDialogs);
  EXPECT_EQ(0, lstrcmpiA(path.c_str(), dlg.GetPathName())) << dlg.GetPathName().GetString();
  EXPECT_EQ(2u, dlg.m_ofn.nFilterIndex);
  EXPECT_STREQ("dlg_shot.jpg", dlg.GetFileName());
  EXPECT_STREQ("jpg", dlg.GetFileExt());
  EXPECT_STREQ("dlg_shot", dlg.GetFileTitle());
}

// A path of 258 characters without an extension fits the dialog, but not with the default one it
// appends: the dialog says so and keeps the name, and the user cancels.
TEST(FileDialog, ANameTooLongWithTheDefaultExtensionAppendedIsRefused) {
  TheTestApp();
  char szTemp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, szTemp);
  const std::string path = szTemp + std::string(258 - std::strlen(szTemp), 'n');
  CFileDialog dlg(FALSE, "png", NULL, OFN_HIDEREADONLY, kFilter);
  int nMessages = 0;
  char szKept[1024] = "";
  CSystemDialogDriver driver([&](HWND hDlg) {
    HWND hName = ::GetDlgItem(hDlg, cmb13) != NULL ? ::GetDlgItem(hDlg, cmb13) : ::GetDlgItem(hDlg, edt1);
    if (hName == NULL) // the message
      return ++nMessages, ClickButton(hDlg, IDOK);
    if (nMessages > 0) // back in the dialog
      return ::GetWindowTextA(hName, szKept, sizeof(szKept)), ClickButton(hDlg, IDCANCEL);
    ::SetWindowTextA(hName, path.c_str());
    return ClickButton(hDlg, IDOK);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ(1, nMessages);
  EXPECT_EQ(path, szKept);
}

TEST(ColorDialog, OkReturnsTheInitialColourAndCustomColoursAreShared) {
  TheTestApp();
  CColorDialog dlg(RGB(10, 120, 200), CC_FULLOPEN);
  CSystemDialogDriver driver(Press(IDOK));
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(RGB(10, 120, 200), dlg.GetColor());

  CColorDialog black;
  EXPECT_FALSE(black.m_cc.Flags & CC_RGBINIT) << "black is the platform's own start colour";
  EXPECT_EQ(dlg.m_cc.lpCustColors, black.m_cc.lpCustColors);
}

class PrintDialog : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(pdf_output::PrinterInstalled()); }
};

TEST_F(PrintDialog, SetupStoresTheChoiceInTheApplication) {
  CTestApp& app = TheTestApp();
  CPrintDialog dlg(TRUE);
  EXPECT_TRUE(dlg.m_pd.Flags & PD_PRINTSETUP);
  {
    CSystemDialogDriver driver(Press(IDOK));
    ASSERT_EQ(IDOK, dlg.DoModal());
  }
  ASSERT_NE(nullptr, app.m_hDevNames);
  EXPECT_EQ(app.m_hDevNames, dlg.m_pd.hDevNames);
  EXPECT_EQ(app.m_hDevMode, dlg.m_pd.hDevMode);
  EXPECT_FALSE(dlg.GetDeviceName().IsEmpty());

  // A second dialog starts from the application's choice.
  CPrintDialog again(TRUE);
  CSystemDialogDriver driver(Press(IDCANCEL));
  EXPECT_EQ(IDCANCEL, again.DoModal());
  EXPECT_STREQ(dlg.GetDeviceName(), again.GetDeviceName());
}

} // namespace
