// Dialog data exchange: loading and saving controls, validation failures, subclassing through
// DDX_Control and the notification lock-out while UpdateData runs.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <gtest/gtest.h>

namespace {

class CCountingEdit : public CEdit {
public:
  int m_nSubclassed = 0;
  void PreSubclassWindow() override {
    ++m_nSubclassed;
    CEdit::PreSubclassWindow();
  }
};

class CExchangeDialog : public CScriptedDialog {
public:
  CExchangeDialog() : CScriptedDialog(IDD_EXCHANGE) {}
  CString m_strName = "Pixel";
  int m_nCount = 3;
  int m_nEnabled = 1;
  int m_nShape = 1;
  CString m_strMode = "Fast";
  CString m_strUnit = "cm";
  int m_nLevel = 7;
  int m_nFormat = 2;
  CCountingEdit m_nameEdit;
  int m_nNameChanges = 0;

  BOOL OnInitDialog() override {
    for (LPCSTR psz : {"Fast", "Slow"})
      SendDlgItemMessage(IDC_MODE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
    for (LPCSTR psz : {"px", "cm", "in"})
      SendDlgItemMessage(IDC_UNITS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
    for (LPCSTR psz : {"PNG", "JPEG", "BMP"})
      SendDlgItemMessage(IDC_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
    SendDlgItemMessage(IDC_LEVEL, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    return CScriptedDialog::OnInitDialog();
  }

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_NAME, m_nameEdit);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 12);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 1, 99);
    DDX_Check(pDX, IDC_ENABLED, m_nEnabled);
    DDX_Radio(pDX, IDC_SHAPE_FIRST, m_nShape);
    DDX_CBString(pDX, IDC_MODE, m_strMode);
    DDX_LBString(pDX, IDC_UNITS, m_strUnit);
    DDX_Slider(pDX, IDC_LEVEL, m_nLevel);
    DDX_CBIndex(pDX, IDC_FORMAT, m_nFormat);
  }
  afx_msg void OnNameChange() { ++m_nNameChanges; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CScriptedDialog)
ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

// A dialog on the exchange template whose DoDataExchange is supplied by the test.
class CLambdaDialog : public CDialog {
public:
  std::function<void(CDataExchange*)> m_exchange;

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (m_exchange)
      m_exchange(pDX);
  }
};

std::string ItemText(CWnd& dlg, int nID) {
  char sz[128] = "";
  ::GetDlgItemTextA(dlg.m_hWnd, nID, sz, sizeof(sz));
  return sz;
}

class DdxTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_host.CreateHost("host", kVisibleHost)); }
  void TearDown() override { m_host.DestroyWindow(); }
  CHostWnd m_host;
};

TEST_F(DdxTest, LoadingPutsEveryMemberIntoItsControl) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));

  EXPECT_EQ("Pixel", ItemText(dlg, IDC_NAME));
  EXPECT_EQ("3", ItemText(dlg, IDC_COUNT));
  EXPECT_EQ((UINT)BST_CHECKED, dlg.IsDlgButtonChecked(IDC_ENABLED));
  EXPECT_EQ((UINT)BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_SHAPE_FIRST));
  EXPECT_EQ((UINT)BST_CHECKED, dlg.IsDlgButtonChecked(IDC_SHAPE_SECOND));
  EXPECT_EQ((UINT)BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_SHAPE_THIRD));
  EXPECT_EQ(0, (int)dlg.SendDlgItemMessage(IDC_MODE, CB_GETCURSEL));
  EXPECT_EQ(1, (int)dlg.SendDlgItemMessage(IDC_UNITS, LB_GETCURSEL));
  EXPECT_EQ(7, (int)dlg.SendDlgItemMessage(IDC_LEVEL, TBM_GETPOS));
  EXPECT_EQ(2, (int)dlg.SendDlgItemMessage(IDC_FORMAT, CB_GETCURSEL));
  EXPECT_EQ(12, (int)dlg.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT))
      << "DDV_MaxChars limits the edit on load";
  dlg.DestroyWindow();
}

TEST_F(DdxTest, NotificationsAreLockedOutOnlyWhileUpdateDataRuns) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  dlg.m_strName = "Changed";
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ("Changed", ItemText(dlg, IDC_NAME));
  EXPECT_EQ(0, dlg.m_nNameChanges);

  dlg.SetDlgItemText(IDC_NAME, "Typed");
  EXPECT_EQ(1, dlg.m_nNameChanges);
  dlg.DestroyWindow();
}

TEST_F(DdxTest, SavingReadsEveryControlBack) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  dlg.SetDlgItemText(IDC_NAME, "Frame");
  dlg.SetDlgItemText(IDC_COUNT, " 42 ");
  dlg.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
  dlg.CheckRadioButton(IDC_SHAPE_FIRST, IDC_SHAPE_THIRD, IDC_SHAPE_THIRD);
  dlg.CheckDlgButton(IDC_AFTER_GROUP, BST_CHECKED); // outside the group: not counted
  dlg.SetDlgItemText(IDC_MODE, "Custom");
  dlg.SendDlgItemMessage(IDC_UNITS, LB_SETCURSEL, 2);
  dlg.SendDlgItemMessage(IDC_LEVEL, TBM_SETPOS, TRUE, 4);
  dlg.SendDlgItemMessage(IDC_FORMAT, CB_SETCURSEL, 0);

  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_STREQ("Frame", dlg.m_strName);
  EXPECT_EQ(42, dlg.m_nCount);
  EXPECT_EQ(0, dlg.m_nEnabled);
  EXPECT_EQ(2, dlg.m_nShape);
  EXPECT_STREQ("Custom", dlg.m_strMode);
  EXPECT_STREQ("in", dlg.m_strUnit);
  EXPECT_EQ(4, dlg.m_nLevel);
  EXPECT_EQ(0, dlg.m_nFormat);
  dlg.DestroyWindow();
}

TEST_F(DdxTest, DdxControlSubclassesOnceOverRepeatedExchanges) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(dlg.UpdateData(i % 2 == 0 ? FALSE : TRUE));
  EXPECT_EQ(1, dlg.m_nameEdit.m_nSubclassed);
  EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NAME), dlg.m_nameEdit.m_hWnd);
  EXPECT_EQ(&dlg.m_nameEdit, CWnd::FromHandlePermanent(dlg.m_nameEdit.m_hWnd));
  dlg.DestroyWindow();
}

TEST_F(DdxTest, InvalidNumberIsReportedAndTheEditGetsTheFocus) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  dlg.ShowWindow(SW_SHOW);
  MessageBoxRecorder boxes;
  dlg.SetDlgItemText(IDC_COUNT, "12abc");

  EXPECT_FALSE(dlg.UpdateData(TRUE));
  ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ("Please enter an integer.", MessageBoxRecorder::Boxes()[0].first);
  EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_COUNT), ::GetFocus());
  DWORD dwSel = (DWORD)dlg.SendDlgItemMessage(IDC_COUNT, EM_GETSEL);
  EXPECT_EQ(0, LOWORD(dwSel));
  EXPECT_EQ(5, HIWORD(dwSel)) << "the whole text is selected for retyping";
  EXPECT_EQ(3, dlg.m_nCount);
  dlg.DestroyWindow();
}

TEST_F(DdxTest, ValidationRangesAndLengthsAreReported) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  MessageBoxRecorder boxes;

  dlg.SetDlgItemText(IDC_COUNT, "150");
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  dlg.SetDlgItemText(IDC_COUNT, "5");
  dlg.SetDlgItemText(IDC_NAME, "A name far too long");
  EXPECT_FALSE(dlg.UpdateData(TRUE));

  ASSERT_EQ(2u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ("Please enter an integer between 1 and 99.", MessageBoxRecorder::Boxes()[0].first);
  EXPECT_EQ("Enter no more than 12 characters.", MessageBoxRecorder::Boxes()[1].first);
  EXPECT_TRUE(MessageBoxRecorder::Boxes()[0].second & MB_ICONEXCLAMATION);
  dlg.DestroyWindow();
}

TEST_F(DdxTest, NumberFormsAcceptAndRefuseWhatTheirTypeCannotHold) {
  CLambdaDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  MessageBoxRecorder boxes;
  UINT nUnsigned = 7;
  double dValue = 0;
  short nShort = 0;
  dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, nUnsigned); };
  dlg.SetDlgItemText(IDC_COUNT, "-4");
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_EQ(7u, nUnsigned);
  dlg.SetDlgItemText(IDC_COUNT, "4000000000");
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(4000000000u, nUnsigned);

  dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, nShort); };
  dlg.SetDlgItemText(IDC_COUNT, "40000");
  EXPECT_FALSE(dlg.UpdateData(TRUE));

  dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, dValue); };
  dlg.SetDlgItemText(IDC_COUNT, "2.5");
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_DOUBLE_EQ(2.5, dValue);
  dValue = 0.125;
  EXPECT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ("0.125", ItemText(dlg, IDC_COUNT));

  ASSERT_EQ(2u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ("Please enter a positive integer.", MessageBoxRecorder::Boxes()[0].first);
  EXPECT_EQ("Please enter an integer.", MessageBoxRecorder::Boxes()[1].first);
  dlg.DestroyWindow();
}

TEST_F(DdxTest, SelectionsWithoutAMatchAreCleared) {
  CLambdaDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &m_host));
  for (LPCSTR psz : {"PNG", "JPEG"})
    dlg.SendDlgItemMessage(IDC_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
  dlg.SendDlgItemMessage(IDC_UNITS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("px"));
  dlg.SendDlgItemMessage(IDC_FORMAT, CB_SETCURSEL, 1);
  dlg.SendDlgItemMessage(IDC_UNITS, LB_SETCURSEL, 0);
  CString strFormat = "GIF", strUnit = "mm";
  int nShape = 1;
  dlg.m_exchange = [&](CDataExchange* pDX) {
    DDX_CBString(pDX, IDC_FORMAT, strFormat);
    DDX_LBString(pDX, IDC_UNITS, strUnit);
    DDX_Radio(pDX, IDC_SHAPE_FIRST, nShape);
  };
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(CB_ERR, (int)dlg.SendDlgItemMessage(IDC_FORMAT, CB_GETCURSEL));
  EXPECT_EQ(LB_ERR, (int)dlg.SendDlgItemMessage(IDC_UNITS, LB_GETCURSEL));

  dlg.CheckRadioButton(IDC_SHAPE_FIRST, IDC_SHAPE_THIRD, 0);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_STREQ("", strFormat);
  EXPECT_STREQ("", strUnit);
  EXPECT_EQ(-1, nShape) << "no radio button of the group is checked";
  dlg.DestroyWindow();
}

TEST(ModalExchange, OkValidatesAndKeepsTheDialogOpenUntilTheValueIsFixed) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  MessageBoxRecorder boxes;
  CExchangeDialog dlg;
  dlg.m_pParentWnd = &host;
  int nOkPresses = 0;
  dlg.m_script = [&](CScriptedDialog& d) {
    if (nOkPresses == 0) {
      d.SetDlgItemText(IDC_COUNT, "abc");
      ClickButton(d.m_hWnd, IDOK);
      ++nOkPresses;
    } else if (nOkPresses == 1 && MessageBoxRecorder::Boxes().size() == 1) {
      d.SetDlgItemText(IDC_COUNT, "5");
      ClickButton(d.m_hWnd, IDOK);
      ++nOkPresses;
    }
  };
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(2, nOkPresses);
  EXPECT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ(5, dlg.m_nCount);
  host.DestroyWindow();
}

} // namespace
