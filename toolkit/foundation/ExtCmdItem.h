// One command of a command profile: its id, texts, icon slot, state flags and how often it was
// used. Menus and bars read items through the command manager; the usage counters decide which
// commands count as rarely used.
#pragma once

#include "framework/core/fw_string.h"
#include "framework/wnd/fw_wnd.h"

#include <windows.h>

class CExtCmdProfile;
class CExtCmdIcon;

// The first state flag word of a command item.
enum CmdStateFlags : DWORD {
  CMD_STATE_DISABLED = 0x00000001,
  CMD_STATE_CHECK = 0x00000002,
  CMD_STATE_RADIO = 0x00000004,
  CMD_STATE_INDETERMINATE = 0x00000008,
  CMD_STATE_CHECK_KINDS = CMD_STATE_CHECK | CMD_STATE_RADIO | CMD_STATE_INDETERMINATE,
  CMD_STATE_BASIC = 0x00000010,
  CMD_STATE_USAGE_NOT_TRACKED = 0x00000020,
  CMD_STATE_USAGE_NOT_SAVED = 0x00000040,
  // One group of three exclusive kinds sharing bit 0x400.
  CMD_STATE_GROUP_400 = 0x10001400,
};

// Command ids that are basic whatever their flags say: the MDI window list, the recent-file list,
// system commands and object verbs.
struct BasicCommandIdRanges {
  static bool IsSystemCommand(UINT nCmdId) { return nCmdId >= 0xF000 && nCmdId <= 0xF1EF; }
  static bool IsMdiWindowList(UINT nCmdId) { return nCmdId >= 0xFF00 && nCmdId <= 0xFF09; }
  static bool Contains(UINT nCmdId) {
    return IsMdiWindowList(nCmdId) || (nCmdId >= 0xE110 && nCmdId <= 0xE11F) || IsSystemCommand(nCmdId) ||
           (nCmdId >= 0xE210 && nCmdId <= 0xE21F);
  }
};

class CExtCmdItem {
public:
  explicit CExtCmdItem(UINT nCmdId = 0);
  CExtCmdItem(const CExtCmdItem& other);
  CExtCmdItem& operator=(const CExtCmdItem&) = delete; // AssignAll says what is copied
  virtual ~CExtCmdItem();

  CExtCmdProfile* m_pProfile = NULL; // not owned; set by the profile that stores the item
  UINT m_nCmdId;
  INT m_nIconIdx = -1; // slot in the profile's icon array
  DWORD m_dwStateFlags = 0;
  DWORD m_dwStateFlags2 = 0;
  CString m_sMenuText;    // without the accelerator part
  CString m_sToolbarText; // taken from a tool-bar button
  CString m_sTipTool;
  CString m_sTipStatus;
  CString m_sAccelText;
  // Kept and copied for the windows that show the command.
  INT m_nParam1 = 0;
  INT m_nParam2 = 100;
  INT m_nParam3 = -2;
  INT m_nParam4 = 250;
  UINT m_nUsageTickCount = 0;

  virtual void AssignAll(const CExtCmdItem& other);
  // Takes the other item's icon slot when it has one and each of its texts that is not empty.
  virtual void AssignNonEmpty(const CExtCmdItem& other);
  // Halves the profile's total and every item's counter once the total nears its limit, so the
  // shares of the commands stay as they were.
  virtual void HalveUsageIfFull();
  virtual void ClearTips();
  // Loads the tips from the string resource of the command's id: "status tip\ntool tip".
  virtual bool LoadTextsFromResource();
  // Fills the icon slot and the texts this item lacks (not the button text).
  virtual void FillEmptyFrom(const CExtCmdItem& other);

  virtual void SetBasic(bool bOn = true);
  virtual bool IsBasic() const;
  virtual bool IsRarelyUsed() const;
  virtual void SetStateBit20(bool bOn = true);
  virtual bool GetStateBit20() const;
  virtual void Enable(bool bOn = true);
  virtual bool IsEnabled() const;
  virtual void SetCheck(bool bOn = true);
  virtual bool GetCheck() const;
  virtual void SetRadio(bool bOn = true);
  virtual bool GetRadio() const;
  virtual void SetIndeterminate(bool bOn = true);
  virtual bool GetIndeterminate() const;

  virtual void SetStateBit40(bool bOn = true) { SetFlag(0x40, bOn); }
  virtual bool GetStateBit40() const { return HasFlag(0x40); }
  virtual void SetStateBit80(bool bOn = true) { SetFlag(0x80, bOn); }
  virtual bool GetStateBit80() const { return HasFlag(0x80); }
  virtual void SetStateBit100(bool bOn = true) { SetFlag(0x100, bOn); }
  virtual bool GetStateBit100() const { return HasFlag(0x100); }
  virtual void SetStateBit200(bool bOn = true) { SetFlag(0x200, bOn); }
  virtual bool GetStateBit200() const { return HasFlag(0x200); }
  virtual void SetStateBit400(bool bOn = true) { SetGroup400(0x400, bOn); }
  virtual bool GetStateBit400() const { return HasFlag(0x400); }
  virtual void SetStateBit800(bool bOn = true) { SetFlag(0x800, bOn); }
  virtual bool GetStateBit800() const { return HasFlag(0x800); }
  virtual void SetStateBit1400(bool bOn = true) { SetGroup400(0x1400, bOn); }
  virtual bool GetStateBit1400() const { return HasFlag(0x1400); }
  virtual void SetStateBit10000400(bool bOn = true) { SetGroup400(0x10000400, bOn); }
  virtual bool GetStateBit10000400() const { return HasFlag(0x10000400); }
  virtual void SetStateBit2000(bool bOn = true) { SetFlag(0x2000, bOn); }
  virtual bool GetStateBit2000() const { return HasFlag(0x2000); }
  virtual void SetStateBit4000(bool bOn = true) { SetFlag(0x4000, bOn); }
  virtual bool GetStateBit4000() const { return HasFlag(0x4000); }
  virtual void SetStateBit20000000(bool bOn = true) { SetFlag(0x20000000, bOn); }
  virtual bool GetStateBit20000000() const { return HasFlag(0x20000000); }
  virtual void SetStateBit8000(bool bOn = true) { SetFlag(0x8000, bOn); }
  virtual bool GetStateBit8000() const { return HasFlag(0x8000); }
  virtual void SetStateBit10000(bool bOn = true) { SetFlag(0x10000, bOn); }
  virtual bool GetStateBit10000() const { return HasFlag(0x10000); }
  virtual void SetStateBit20000(bool bOn = true) { SetFlag(0x20000, bOn); }
  virtual bool GetStateBit20000() const { return HasFlag(0x20000); }
  virtual void SetStateBit40000(bool bOn = true) { SetFlag(0x40000, bOn); }
  virtual bool GetStateBit40000() const { return HasFlag(0x40000); }
  virtual void SetStateBit80000(bool bOn = true) { SetFlag(0x80000, bOn); }
  virtual bool GetStateBit80000() const { return HasFlag(0x80000); }
  virtual void SetStateBit100000(bool bOn = true) { SetFlag(0x100000, bOn); }
  virtual bool GetStateBit100000() const { return HasFlag(0x100000); }
  virtual void SetStateBit200000(bool bOn = true) { SetFlag(0x200000, bOn); }
  virtual bool GetStateBit200000() const { return HasFlag(0x200000); }
  virtual void SetStateBit2nd(bool bOn = true);
  virtual bool GetStateBit2nd() const;

  // Runs the command-update route of pTarget for this command; a command nobody handles ends
  // disabled. Answers whether the target handled the update.
  virtual bool UpdateCmdUI(CCmdTarget* pTarget, UINT nIndex);
  // Sends or posts the command to the owner of pWnd (its parent when it has no owner).
  virtual bool DeliverToOwnerOf(CWnd* pWnd, bool bSend);
  virtual bool DeliverTo(CWnd* pWnd, bool bSend);
  // Counts one use and sends or posts the command: WM_SYSCOMMAND with the cursor position for
  // system commands, WM_COMMAND otherwise.
  virtual bool DeliverToWindow(HWND hWnd, bool bSend);

  virtual UINT GetUsage() const;
  // The item's share of the profile's uses in percent.
  virtual UINT GetUsagePercent() const;
  virtual void IncrementUsage();
  virtual void ResetUsage();
  virtual UINT GetProfileTotalUsage() const;
  virtual UINT GetRarelyUsedPercent() const;
  // Values above 100 are stored as 100; answers what was stored.
  virtual UINT SetRarelyUsedPercent(UINT nPercent);

  virtual void OnSysColorChange();
  virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
  virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

  virtual CString GetDisplayTextCopy() const;
  // The menu text, else the tool tip, else the button text.
  virtual LPCSTR GetDisplayText() const;
  virtual CString GetStatusTipCopy() const;
  // Whether the profile archive keeps this item's counter.
  virtual bool IsUsageSaved() const;

private:
  void SetFlag(DWORD dwMask, bool bOn);
  bool HasFlag(DWORD dwMask) const { return (m_dwStateFlags & dwMask) == dwMask; }
  void SetGroup400(DWORD dwKind, bool bOn);
  void SetCheckKind(DWORD dwKind, bool bOn);
  bool IsUsageFrozen() const { return IsBasic() || GetStateBit20(); }
};

// Lets the command-update route write enable, check, radio and text straight into an item.
class CExtCmdItemUI : public CCmdUI {
public:
  explicit CExtCmdItemUI(CExtCmdItem* pCmdItem) : m_pCmdItem(pCmdItem) {}

  CExtCmdItem* m_pCmdItem;

  void Enable(BOOL bOn = TRUE) override;
  // 0 and 1 uncheck and check; any other value makes the command indeterminate.
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override;
  void SetText(LPCSTR lpszText) override;
};
