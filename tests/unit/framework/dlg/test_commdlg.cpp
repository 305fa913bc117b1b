// The common dialogs, driven through their own windows by a CBT hook and a thread timer.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

std::string TempPath(const char* pszName) {
  char szTemp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, szTemp);
  return std::string(szTemp) + pszName;
}

// The file-name box of an Explorer-style file dialog (a combo box with an edit, or an edit).
HWND FileNameControl(HWND hDlg) {
  HWND hWnd = ::GetDlgItem(hDlg, cmb13);
  return hWnd != NULL ? hWnd : ::GetDlgItem(hDlg, edt1);
}

// A driver action that presses the button nID once the dialog has it.
std::function<bool(HWND)> PressWhenPresent(int nID) {
  return [nID](HWND hDlg) {
    if (::GetDlgItem(hDlg, nID) == NULL)
      return false;
    ClickButton(hDlg, nID);
    return true;
  };
}

const char kFilter[] = "PNG image (*.png)|*.png|JPEG image (*.jpg)|*.jpg||";

TEST(FileDialog, CbtDrivenSaveDialogReturnsTheTypedPathAndTheChosenFilter) {
  TheTestApp();
  std::string path = TempPath("dlg_shot.jpg");
  ::DeleteFileA(path.c_str());
  CFileDialog dlg(FALSE, "png", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
  EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
  dlg.m_ofn.nFilterIndex = 1;

  CSystemDialogDriver driver([&](HWND hDlg) {
    HWND hName = FileNameControl(hDlg);
    HWND hType = ::GetDlgItem(hDlg, cmb1);
    if (hName == NULL || hType == NULL)
      return false;
    // What the combo box tells its dialog when the user picks the second type.
    ::SendMessageA(hType, CB_SETCURSEL, 1, 0);
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hType));
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(hType));
    ::SetWindowTextA(hName, path.c_str());
    ClickButton(hDlg, IDOK);
    return true;
  });

  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(0, lstrcmpiA(path.c_str(), dlg.GetPathName())) << dlg.GetPathName().GetString();
  EXPECT_EQ(2u, dlg.m_ofn.nFilterIndex);
  EXPECT_STREQ("dlg_shot.jpg", dlg.GetFileName());
  EXPECT_STREQ("jpg", dlg.GetFileExt());
  EXPECT_STREQ("dlg_shot", dlg.GetFileTitle());
}

TEST(FileDialog, CancelAnswersIdcancel) {
  TheTestApp();
  CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFilter);
  CSystemDialogDriver driver([](HWND hDlg) {
    if (FileNameControl(hDlg) == NULL)
      return false;
    ClickButton(hDlg, IDCANCEL);
    return true;
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_TRUE(driver.Done());
}

TEST(ColorDialog, OkReturnsTheInitialColourAndCustomColoursAreShared) {
  TheTestApp();
  CColorDialog dlg(RGB(10, 120, 200), CC_FULLOPEN);
  EXPECT_TRUE(dlg.m_cc.Flags & CC_RGBINIT);
  CSystemDialogDriver driver(PressWhenPresent(IDOK));
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(RGB(10, 120, 200), dlg.GetColor());

  CColorDialog black;
  EXPECT_FALSE(black.m_cc.Flags & CC_RGBINIT) << "black is the platform's own start colour";
  COLORREF old = dlg.m_cc.lpCustColors[3];
  dlg.m_cc.lpCustColors[3] = RGB(1, 2, 3);
  EXPECT_EQ(RGB(1, 2, 3), black.m_cc.lpCustColors[3]);
  dlg.m_cc.lpCustColors[3] = old;
}

bool HasDefaultPrinter() {
  char szName[256];
  DWORD cch = sizeof(szName);
  return ::GetDefaultPrinterA(szName, &cch) != FALSE;
}

TEST(PrintDialog, DefaultsGiveTheDefaultPrinterAndADeviceContext) {
  if (!HasDefaultPrinter())
    GTEST_SKIP() << "no printer queue";
  char szDefault[256];
  DWORD cch = sizeof(szDefault);
  ::GetDefaultPrinterA(szDefault, &cch);

  CPrintDialog dlg(FALSE);
  ASSERT_TRUE(dlg.GetDefaults());
  EXPECT_STREQ(szDefault, dlg.GetDeviceName());
  HDC hDC = dlg.CreatePrinterDC();
  ASSERT_NE(nullptr, hDC);
  EXPECT_EQ(hDC, dlg.GetPrinterDC());
  EXPECT_EQ(DT_RASPRINTER, ::GetDeviceCaps(hDC, TECHNOLOGY));
  ASSERT_NE(nullptr, dlg.GetDevMode());
  EXPECT_EQ(1, dlg.GetCopies());
}

TEST(PrintDialog, SetupStoresTheChoiceInTheApplication) {
  if (!HasDefaultPrinter())
    GTEST_SKIP() << "no printer queue";
  CTestApp& app = TheTestApp();
  CPrintDialog dlg(TRUE);
  EXPECT_TRUE(dlg.m_pd.Flags & PD_PRINTSETUP);
  {
    CSystemDialogDriver driver(PressWhenPresent(IDOK));
    ASSERT_EQ(IDOK, dlg.DoModal());
  }
  ASSERT_NE(nullptr, app.m_hDevNames);
  EXPECT_EQ(app.m_hDevNames, dlg.m_pd.hDevNames);
  EXPECT_EQ(app.m_hDevMode, dlg.m_pd.hDevMode);
  EXPECT_FALSE(dlg.GetDeviceName().IsEmpty());

  // A second dialog starts from the application's choice.
  CPrintDialog again(TRUE);
  CSystemDialogDriver driver(PressWhenPresent(IDCANCEL));
  EXPECT_EQ(IDCANCEL, again.DoModal());
  EXPECT_STREQ(dlg.GetDeviceName(), again.GetDeviceName());
}

} // namespace
