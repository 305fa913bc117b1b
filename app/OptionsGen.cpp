#include "app/OptionsGen.h"

#include "resources/resource.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(COptionsGen, CPropertyPage)

BEGIN_MESSAGE_MAP(COptionsGen, CPropertyPage)
ON_BN_CLICKED(IDC_OPTIONS_ENABLE_HOTKEY, OnControlChanged)
ON_BN_CLICKED(IDC_OPTIONS_CTRL, OnControlChanged)
ON_BN_CLICKED(IDC_OPTIONS_SHIFT, OnControlChanged)
ON_BN_CLICKED(IDC_OPTIONS_ALT, OnControlChanged)
ON_BN_CLICKED(IDC_OPTIONS_INCLUDE_MOUSE, OnControlChanged)
ON_CBN_SELCHANGE(IDC_OPTIONS_KEY, OnControlChanged)
ON_CBN_SELCHANGE(IDC_OPTIONS_CAPTURE_MODE, OnControlChanged)
ON_EN_KILLFOCUS(IDC_OPTIONS_JPEG_QUALITY, OnControlChanged)
END_MESSAGE_MAP()

namespace {
const int kLetterCount = 26, kFunctionKeyCount = 12;

struct CaptureModeEntry {
  const char* pszText;
  int nCommand;
};
const CaptureModeEntry kCaptureModes[] = {{"Rectangular Area", 32784}, {"Full Screen", 32786},
                                          {"Active Window", 32785},    {"Circular Area", 32788},
                                          {"Polygonal Area", 32789},   {"Freehand Area", 32791}};

// The modifier boxes and the mask bit each stands for.
struct ModifierBox {
  int nId;
  int nMask;
};
const ModifierBox kModifierBoxes[] = {
    {IDC_OPTIONS_CTRL, MOD_CONTROL}, {IDC_OPTIONS_SHIFT, MOD_SHIFT}, {IDC_OPTIONS_ALT, MOD_ALT}};
} // namespace

int KeyIndexToVirtualKey(unsigned nIndex) {
  if (nIndex < (unsigned)kLetterCount)
    return 'A' + (int)nIndex;
  if (nIndex < (unsigned)(kLetterCount + kFunctionKeyCount))
    return VK_F1 + (int)(nIndex - kLetterCount);
  return 'A';
}

int VirtualKeyToKeyIndex(int nKey) {
  if (nKey >= 'A' && nKey <= 'Z')
    return nKey - 'A';
  if (nKey >= VK_F1 && nKey <= VK_F12)
    return kLetterCount + (nKey - VK_F1);
  return -1;
}

COptionsGen::COptionsGen()
    : CPropertyPage(IDD_OPTIONS_GEN), m_bEnableHotkey(1), m_nHotkeyModifiers(MOD_CONTROL), m_nHotkeyKey('Q'),
      m_nCaptureType(32784), m_nJpegQuality(80), m_bIncludeMouse(0) {}

BOOL COptionsGen::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  FillKeyList();
  SendDlgItemMessage(IDC_OPTIONS_KEY, CB_SETCURSEL, (WPARAM)VirtualKeyToKeyIndex(m_nHotkeyKey), 0);
  FillCaptureModeList();
  int nMode = -1;
  for (int i = 0; i < (int)(sizeof(kCaptureModes) / sizeof(kCaptureModes[0])); ++i)
    if (kCaptureModes[i].nCommand == m_nCaptureType)
      nMode = i;
  SendDlgItemMessage(IDC_OPTIONS_CAPTURE_MODE, CB_SETCURSEL, (WPARAM)nMode, 0);
  CheckDlgButton(IDC_OPTIONS_ENABLE_HOTKEY, m_bEnableHotkey != 0 ? BST_CHECKED : BST_UNCHECKED);
  for (const ModifierBox& box : kModifierBoxes)
    CheckDlgButton(box.nId, (m_nHotkeyModifiers & box.nMask) != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_OPTIONS_INCLUDE_MOUSE, m_bIncludeMouse != 0 ? BST_CHECKED : BST_UNCHECKED);
  CString strQuality;
  strQuality.Format("%d", m_nJpegQuality);
  SetDlgItemText(IDC_OPTIONS_JPEG_QUALITY, strQuality);
  return TRUE;
}

void COptionsGen::FillKeyList() {
  for (int i = 0; i < kLetterCount + kFunctionKeyCount; ++i) {
    CString strKey;
    if (i < kLetterCount)
      strKey.Format("%c", 'A' + i);
    else
      strKey.Format("F%d", i - kLetterCount + 1);
    SendDlgItemMessage(IDC_OPTIONS_KEY, CB_ADDSTRING, 0, (LPARAM)(LPCSTR)strKey);
  }
}

void COptionsGen::FillCaptureModeList() {
  for (const CaptureModeEntry& mode : kCaptureModes)
    SendDlgItemMessage(IDC_OPTIONS_CAPTURE_MODE, CB_ADDSTRING, 0, (LPARAM)mode.pszText);
}

void COptionsGen::OnControlChanged() {
  if (GetSafeHwnd() == NULL)
    return;
  m_bEnableHotkey = IsDlgButtonChecked(IDC_OPTIONS_ENABLE_HOTKEY) == BST_CHECKED ? 1 : 0;
  m_bIncludeMouse = IsDlgButtonChecked(IDC_OPTIONS_INCLUDE_MOUSE) == BST_CHECKED ? 1 : 0;
  m_nHotkeyModifiers = 0;
  for (const ModifierBox& box : kModifierBoxes)
    if (IsDlgButtonChecked(box.nId) == BST_CHECKED)
      m_nHotkeyModifiers |= box.nMask;
  const int nMode = (int)SendDlgItemMessage(IDC_OPTIONS_CAPTURE_MODE, CB_GETCURSEL, 0, 0);
  if (nMode >= 0 && nMode < (int)(sizeof(kCaptureModes) / sizeof(kCaptureModes[0])))
    m_nCaptureType = kCaptureModes[nMode].nCommand;
  m_nHotkeyKey = KeyIndexToVirtualKey((unsigned)SendDlgItemMessage(IDC_OPTIONS_KEY, CB_GETCURSEL, 0, 0));
  CString strQuality;
  GetDlgItemText(IDC_OPTIONS_JPEG_QUALITY, strQuality);
  m_nJpegQuality = std::min(std::max(std::atoi(strQuality), (int)kMinJpegQuality), (int)kMaxJpegQuality);
}

BOOL COptionsGen::OnKillActive() {
  OnControlChanged();
  return CPropertyPage::OnKillActive();
}

void COptionsGen::OnOK() {
  OnControlChanged();
  CPropertyPage::OnOK();
}
