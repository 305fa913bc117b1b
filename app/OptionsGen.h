// The only page of the "Options" sheet: the capture hot key, the hot key's capture mode, the mouse
// pointer in captures and the JPEG quality. The frame fills the six fields before the sheet runs
// and takes them back after OK; the page only moves them between its fields and its controls.
#pragma once

#include "framework/dlg/fw_dlg.h"

// The key list's entry as a virtual key: 'A'..'Z' for 0..25, VK_F1..VK_F12 for 26..37, 'A' else.
int KeyIndexToVirtualKey(unsigned nIndex);
// The key list's entry for a virtual key; -1 for a key the list does not hold.
int VirtualKeyToKeyIndex(int nKey);

class COptionsGen : public CPropertyPage {
  DECLARE_DYNCREATE(COptionsGen)
public:
  COptionsGen();

  int m_bEnableHotkey;
  int m_nHotkeyModifiers; // MOD_CONTROL, MOD_SHIFT, MOD_ALT as RegisterHotKey takes them
  int m_nHotkeyKey;       // virtual key
  int m_nCaptureType;     // the capture mode's command id
  int m_nJpegQuality;     // 20..100
  int m_bIncludeMouse;

  enum { kMinJpegQuality = 20, kMaxJpegQuality = 100 };

protected:
  BOOL OnInitDialog() override;
  // The sheet can close with the quality edit still focused (Enter): read everything once more.
  BOOL OnKillActive() override;
  void OnOK() override;
  afx_msg void OnControlChanged();
  DECLARE_MESSAGE_MAP()

  void FillKeyList();
  void FillCaptureModeList();
};
