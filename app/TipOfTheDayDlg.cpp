#include "app/TipOfTheDayDlg.h"

#include "resources/resource.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace {

const char kOptionsKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Options";

struct FileCloser {
  void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};

struct RegKeyCloser {
  void operator()(HKEY hKey) const { ::RegCloseKey(hKey); }
};
using RegKey = std::unique_ptr<std::remove_pointer<HKEY>::type, RegKeyCloser>;

// The file's bytes up to the first zero byte; FALSE when it cannot be read.
bool ReadText(const CString& strPath, std::string* pText) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(strPath, "rb"));
  if (!file)
    return false;
  std::string text;
  char buffer[4096];
  size_t nRead;
  while ((nRead = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0)
    text.append(buffer, nRead);
  if (std::ferror(file.get()))
    return false;
  *pText = text.substr(0, text.find('\0'));
  return true;
}

std::string TrimSpace(const std::string& text) {
  auto isSpace = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
  size_t nFirst = 0, nEnd = text.size();
  while (nFirst < nEnd && isSpace(text[nFirst]))
    ++nFirst;
  while (nEnd > nFirst && isSpace(text[nEnd - 1]))
    --nEnd;
  return text.substr(nFirst, nEnd - nFirst);
}

} // namespace

CString GetToken(CString& text, CString separator, bool* pFound) {
  const int nAt = separator.IsEmpty() ? -1 : text.Find(separator);
  *pFound = nAt >= 0;
  if (nAt < 0)
    return CString();
  CString strToken = text.Left(nAt);
  text = text.Mid(nAt + separator.GetLength());
  return strToken;
}

std::vector<CString> SplitTips(CString text, CString separator) {
  std::vector<CString> tips;
  for (;;) {
    bool bFound = false;
    CString strToken = GetToken(text, separator, &bFound);
    if (!bFound)
      break;
    tips.push_back(strToken);
  }
  tips.push_back(text);
  return tips;
}

CTipOfTheDayDlg::CTipOfTheDayDlg(CWnd* pParent)
    : CDialog(IDD_TIP_OF_THE_DAY, pParent), m_bShowAtStartup(1), m_nTipCount(0), m_nCurrent(0) {}

BEGIN_MESSAGE_MAP(CTipOfTheDayDlg, CDialog)
ON_BN_CLICKED(IDC_TIP_NEXT, OnNextTip)
ON_BN_CLICKED(IDC_TIP_PREVIOUS, OnPreviousTip)
ON_BN_CLICKED(IDC_TIP_SHOW_AT_STARTUP, OnShowAtStartup)
END_MESSAGE_MAP()

void CTipOfTheDayDlg::PostNcDestroy() {
  m_bulb.Delete();
  CDialog::PostNcDestroy();
}

void CTipOfTheDayDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_TIP_FRAME, m_wndFrame);
  DDX_Control(pDX, IDC_TIP_TEXT, m_wndTip);
}

BOOL CTipOfTheDayDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bulb.TakeFrom(this);
  m_nCurrent = 0;
  m_wndFrame.SetBkColor(RGB(255, 255, 255), 0, FALSE);
  m_wndFrame.SetText(" ");
  m_wndTip.SetBkColor(RGB(255, 255, 255), 0, FALSE);
  CheckDlgButton(IDC_TIP_SHOW_AT_STARTUP, BST_CHECKED);
  m_bShowAtStartup = 1;
  if (!LoadTips()) {
    m_wndTip.SetText("Could not initialize Tip-Of-The-Day messages!");
    GetDlgItem(IDC_TIP_NEXT)->EnableWindow(FALSE);
    GetDlgItem(IDC_TIP_PREVIOUS)->EnableWindow(FALSE);
    return TRUE;
  }
  std::srand(static_cast<unsigned>(std::time(NULL)));
  m_nCurrent = std::rand() % m_nTipCount;
  ShowCurrentTip();
  return TRUE;
}

BOOL CTipOfTheDayDlg::LoadTips() {
  char szModule[MAX_PATH] = {};
  ::GetModuleFileNameA(AfxGetInstanceHandle(), szModule, MAX_PATH);
  CString strPath = szModule;
  const int nSlash = strPath.ReverseFind('\\');
  strPath = (nSlash >= 0 ? strPath.Left(nSlash) : CString()) + "\\tips.dat";
  std::string text;
  if (!ReadText(strPath, &text))
    return FALSE;
  m_tips = SplitTips(TrimSpace(text).c_str(), "::");
  m_nTipCount = static_cast<int>(m_tips.size());
  return TRUE;
}

void CTipOfTheDayDlg::OnNextTip() {
  if (m_nTipCount == 0)
    return;
  m_nCurrent = m_nCurrent + 1 >= m_nTipCount ? 0 : m_nCurrent + 1;
  ShowCurrentTip();
}

void CTipOfTheDayDlg::OnPreviousTip() {
  if (m_nTipCount == 0)
    return;
  m_nCurrent = m_nCurrent - 1 < 0 ? m_nTipCount - 1 : m_nCurrent - 1;
  ShowCurrentTip();
}

void CTipOfTheDayDlg::OnShowAtStartup() {
  m_bShowAtStartup = IsDlgButtonChecked(IDC_TIP_SHOW_AT_STARTUP) == BST_CHECKED ? 1 : 0;
}

void CTipOfTheDayDlg::ShowCurrentTip() { m_wndTip.SetText(m_tips[m_nCurrent]); }

void ShowTipOfTheDayIfWanted(CWnd* pParent) {
  HKEY hOpened = NULL;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ | KEY_WRITE, &hOpened) != ERROR_SUCCESS)
    return;
  RegKey key(hOpened);
  DWORD dwValue = 5, dwType = REG_DWORD, cbValue = sizeof(dwValue);
  if (::RegQueryValueExA(hOpened, "ShowTip", NULL, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cbValue) !=
          ERROR_SUCCESS ||
      dwType != REG_DWORD || dwValue != 1)
    return;
  DWORD dwShow = 0;
  ::RegSetValueExA(hOpened, "ShowTip", 0, dwType, reinterpret_cast<const BYTE*>(&dwShow), cbValue);
  CTipOfTheDayDlg dlg(pParent);
  dlg.DoModal();
  dwShow = dlg.m_bShowAtStartup ? 1 : 0;
  if (::RegSetValueExA(hOpened, "ShowTip", 0, dwType, reinterpret_cast<const BYTE*>(&dwShow), cbValue) !=
      ERROR_SUCCESS)
    AfxMessageBox("The \"Show Tip at Startup\" choice could not be stored.", MB_OK | MB_ICONEXCLAMATION);
}
