// Dialog data exchange: loading and saving controls, validation failures and subclassing through
// DDX_Control. The notification lock-out while UpdateData runs is tested with the routing.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <tuple>

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
  CString m_strName = "Pixel", m_strMode = "Fast", m_strUnit = "cm";
  int m_nCount = 3, m_nEnabled = 1, m_nShape = 1, m_nLevel = 7, m_nFormat = 2;
  CCountingEdit m_nameEdit;

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
};

class DdxTest : public HostedTest {};

TEST_F(DdxTest, EveryMemberGoesIntoItsControlAndBack) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &host));
  EXPECT_EQ("Pixel", ItemText(dlg.m_hWnd, IDC_NAME));
  EXPECT_EQ("3", ItemText(dlg.m_hWnd, IDC_COUNT));
  // Control, query and its answer.
  const std::tuple<int, UINT, int> loaded[] = {
      {IDC_ENABLED, BM_GETCHECK, BST_CHECKED},
      {IDC_SHAPE_FIRST, BM_GETCHECK, BST_UNCHECKED},
      {IDC_SHAPE_SECOND, BM_GETCHECK, BST_CHECKED},
      {IDC_SHAPE_THIRD, BM_GETCHECK, BST_UNCHECKED},
      {IDC_MODE, CB_GETCURSEL, 0},
      {IDC_UNITS, LB_GETCURSEL, 1},
      {IDC_LEVEL, TBM_GETPOS, 7},
      {IDC_FORMAT, CB_GETCURSEL, 2},
      {IDC_NAME, EM_GETLIMITTEXT, 12}}; // DDV_MaxChars limits the edit on load
  for (auto [nID, nQuery, nExpected] : loaded)
    EXPECT_EQ(nExpected, (int)dlg.SendDlgItemMessage(nID, nQuery)) << nID;

  // The last radio button is outside the group and not counted.
  const std::tuple<int, UINT, WPARAM, LPARAM> typed[] = {{IDC_NAME, WM_SETTEXT, 0, (LPARAM) "Frame"},
                                                         {IDC_COUNT, WM_SETTEXT, 0, (LPARAM) " 42 "},
                                                         {IDC_MODE, WM_SETTEXT, 0, (LPARAM) "Custom"},
                                                         {IDC_ENABLED, BM_SETCHECK, BST_UNCHECKED, 0},
                                                         {IDC_SHAPE_SECOND, BM_SETCHECK, BST_UNCHECKED, 0},
                                                         {IDC_SHAPE_THIRD, BM_SETCHECK, BST_CHECKED, 0},
                                                         {IDC_AFTER_GROUP, BM_SETCHECK, BST_CHECKED, 0},
                                                         {IDC_UNITS, LB_SETCURSEL, 2, 0},
                                                         {IDC_LEVEL, TBM_SETPOS, TRUE, 4},
                                                         {IDC_FORMAT, CB_SETCURSEL, 0, 0}};
  for (auto [nID, nMsg, wParam, lParam] : typed)
    dlg.SendDlgItemMessage(nID, nMsg, wParam, lParam);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ((std::vector<std::string>{"Frame", "Custom", "in"}),
            (std::vector<std::string>{dlg.m_strName.GetString(), dlg.m_strMode.GetString(),
                                      dlg.m_strUnit.GetString()}));
  EXPECT_EQ((std::vector<int>{42, 0, 2, 4, 0}),
            (std::vector<int>{dlg.m_nCount, dlg.m_nEnabled, dlg.m_nShape, dlg.m_nLevel, dlg.m_nFormat}))
      << "count, check box, radio group, slider, list index";
  EXPECT_EQ(1, dlg.m_nameEdit.m_nSubclassed) << "DDX_Control subclasses once over repeated exchanges";
  EXPECT_EQ(&dlg.m_nameEdit, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_NAME)));
}

// Each row: the text in the count box, what reads it, and the message it gives (none when the
// text is accepted). A refused text leaves the value alone and is selected in its edit, which
// gets the focus, for retyping.
TEST_F(DdxTest, NumbersRangesAndLengthsAcceptOrReportTheText) {
  CScriptedDialog dlg(IDD_EXCHANGE);
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &host));
  dlg.ShowWindow(SW_SHOW);
  int nInt = 3, nRanged = 0;
  UINT nRefused = 7, nAccepted = 0;
  short nShort = 0;
  double dValue = 0;
  CString str;
  const std::tuple<const char*, std::function<void(CDataExchange*)>, const char*> cases[] = {
      {"12abc", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, nInt); }, "Please enter an integer."},
      {"150",
       [&](CDataExchange* pDX) {
         DDX_Text(pDX, IDC_COUNT, nRanged);
         DDV_MinMaxInt(pDX, nRanged, 1, 99);
       },
       "Please enter an integer between 1 and 99."},
      {"A name far too long",
       [&](CDataExchange* pDX) {
         DDX_Text(pDX, IDC_COUNT, str);
         DDV_MaxChars(pDX, str, 12);
       },
       "Enter no more than 12 characters."},
      {"-4", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, nRefused); },
       "Please enter a positive integer."},
      {"40000", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, nShort); }, "Please enter an integer."},
      {"4000000000", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, nAccepted); }, nullptr},
      {"2.5", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, dValue); }, nullptr},
  };
  for (const auto& [pszText, exchange, pszBox] : cases) {
    MessageBoxRecorder boxes;
    dlg.m_exchange = exchange;
    dlg.SetDlgItemText(IDC_COUNT, pszText);
    EXPECT_EQ(pszBox == nullptr, dlg.UpdateData(TRUE) != FALSE) << pszText;
    ASSERT_EQ(pszBox == nullptr ? 0u : 1u, MessageBoxRecorder::Boxes().size()) << pszText;
    if (pszBox == nullptr)
      continue;
    EXPECT_EQ(pszBox, MessageBoxRecorder::Boxes()[0].first);
    EXPECT_TRUE(MessageBoxRecorder::Boxes()[0].second & MB_ICONEXCLAMATION) << pszText;
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_COUNT), ::GetFocus()) << pszText;
    EXPECT_EQ((DWORD)MAKELONG(0, lstrlenA(pszText)), (DWORD)dlg.SendDlgItemMessage(IDC_COUNT, EM_GETSEL));
  }
  // Refused texts left their values alone.
  EXPECT_EQ((std::vector<double>{3, 7, 4000000000.0, 2.5}),
            (std::vector<double>{(double)nInt, (double)nRefused, (double)nAccepted, dValue}));
  dValue = 0.125;
  EXPECT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ("0.125", ItemText(dlg.m_hWnd, IDC_COUNT));
}

TEST_F(DdxTest, SelectionsWithoutAMatchAreCleared) {
  CScriptedDialog dlg(IDD_EXCHANGE);
  ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &host));
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
}

TEST_F(DdxTest, ModalOkValidatesAndKeepsTheDialogOpenUntilTheValueIsFixed) {
  MessageBoxRecorder boxes;
  CExchangeDialog dlg;
  dlg.m_pParentWnd = &host;
  int nOkPresses = 0;
  dlg.m_script = [&](CScriptedDialog& d) {
    if (nOkPresses == 0 || (nOkPresses == 1 && MessageBoxRecorder::Boxes().size() == 1)) {
      d.SetDlgItemText(IDC_COUNT, nOkPresses == 0 ? "abc" : "5");
      ClickButton(d.m_hWnd, IDOK);
      ++nOkPresses;
    }
  };
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(2, nOkPresses);
  EXPECT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ(5, dlg.m_nCount);
}

} // namespace
