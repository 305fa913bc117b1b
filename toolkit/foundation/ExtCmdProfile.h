// A named set of command items with their icons and the usage statistics they share. Toolkit
// windows look their commands up in the profile bound to their window (see CExtCmdManager).
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_file.h"
#include "framework/core/fw_string.h"
#include "toolkit/foundation/ExtCmdItem.h"

#include <windows.h>

class CExtCmdIcon;
class CWnd;

class CExtCmdProfile {
public:
  // Owning map from command id to item; iterated in its bucket order when saved.
  typedef CMap<UINT, UINT, CExtCmdItem*, CExtCmdItem*> CommandMap_t;
  // Owning array of icons; an item's icon index points into it.
  typedef CArray<CExtCmdIcon*, CExtCmdIcon*> IconArray_t;

  explicit CExtCmdProfile(LPCSTR lpszName = NULL);
  CExtCmdProfile(const CExtCmdProfile&) = delete;
  CExtCmdProfile& operator=(const CExtCmdProfile&) = delete;
  virtual ~CExtCmdProfile();

  CString m_sName;
  UINT m_nRarelyUsedPercent = 10; // below this share a command counts as rarely used
  UINT m_nTotalTickCount = 0;     // uses counted since the last reset or halving
  DWORD m_dwSpare = 0;            // copied by AssignFrom

  // Stores a copy of the template, or, for a known id, updates the stored item: with bReplace
  // every non-empty text of the template wins, otherwise only empty fields are filled.
  virtual bool SetupCommand(const CExtCmdItem& cmdTemplate, bool bReplace = false, bool* pbNew = NULL);
  // An unknown id is no error: true with *pbRemoved false. The command's icon slot goes too.
  virtual bool RemoveCommand(UINT nCmdId, bool* pbRemoved = NULL);
  virtual void RemoveAllCommands();
  // Removes every item with a flag of mask1 (first word) or mask2 (second word); bAllOf1 and
  // bAllOf2 ask for all flags of their mask.
  virtual void RemoveCommandsByState(DWORD dwMask1, DWORD dwMask2, bool bAllOf1, bool bAllOf2);
  // Registers a new command with the given id, or with the highest free id below 65535 for 0.
  virtual CExtCmdItem* AllocCommand(UINT nCmdId = 0);
  virtual CExtCmdItem* FindCommand(UINT nCmdId) const;
  // Gives the command the icon (taken over with bAttach, else copied), or removes its icon for
  // NULL or an empty icon.
  virtual bool SetCommandIcon(UINT nCmdId, const CExtCmdIcon* pIcon, bool bAttach);
  virtual CExtCmdIcon* GetCommandIcon(UINT nCmdId) const;
  virtual bool IsCommandRegistered(UINT nCmdId) const;
  virtual bool ImportMenuResource(UINT nMenuId, bool bReplace = false, bool bLoadTips = true);
  // Every command item of the menu ("text\taccelerator"); sub-menus with tips when bRecurse.
  virtual bool ImportMenu(HMENU hMenu, bool bReplace = false, bool bRecurse = true, bool bLoadTips = true);
  // The commands of a tool-bar resource with their icons cut from the bitmap of the same id.
  // pArrIds receives all ids of the resource, 0 for separators; pnCount their number.
  virtual bool ImportToolBarResource(UINT nToolBarId, CUIntArray* pArrIds = NULL, INT* pnCount = NULL,
                                     bool bReplace = false, bool bLoadTips = true,
                                     COLORREF clrTransparent = RGB(192, 192, 192));
  // The buttons of a common-controls tool bar with their texts and image-list icons.
  virtual bool ImportToolBarWindow(CWnd* pToolBar, bool bReplace = false, bool bLoadTips = true);
  // Marks the listed commands (ended by 0) basic or not; false when an id is unknown or a
  // system command, which is left alone.
  virtual bool SetBasicCommands(const UINT* pCmdIds, bool bOn = true);
  // Stores or loads the usage statistics, as the archive's direction says.
  virtual bool Serialize(CArchive& ar);
  // Saves or loads the usage statistics under the current user's registry.
  virtual bool SerializeState(LPCSTR lpszRegKey, LPCSTR lpszAppProfile, bool bSave);
  virtual void OnSysColorChange();
  virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
  virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
  virtual void ResetUsage();
  virtual void AssignFrom(const CExtCmdProfile& other);
  virtual CExtCmdItem* CreateItemCopy(const CExtCmdItem& cmdTemplate);

  // Sets the command's icon from a handle (taken over unless bCopy); NULL removes the icon.
  bool SetIconFromHandle(UINT nCmdId, HICON hIcon, bool bCopy);

  const CommandMap_t& GetCommands() const { return m_cmds; }
  INT_PTR GetIconCount() const { return m_icons.GetSize(); }

protected:
  // Drops icon slot nIconIdx and moves the items of the slots above it down by one.
  void RemoveIconSlot(INT nIconIdx);
  // Appends an owned icon and gives it to pItem.
  void AppendIcon(CExtCmdItem* pItem, CExtCmdIcon* pIcon);
  void DeleteAllIcons();
  void DeleteAllItems();

  CommandMap_t m_cmds;
  IconArray_t m_icons;
};
