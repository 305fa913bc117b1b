// The process's registry of command profiles: profiles by name, windows bound to profiles, and
// the answer to which profile a window's commands come from. A NULL or empty profile name means
// the profile "default", which the manager makes when it is created.
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_sync.h"
#include "toolkit/foundation/ExtCmdProfile.h"

#include <windows.h>

#include <memory>

class CExtCmdIcon;
class CWnd;

class CExtCmdManager {
public:
  typedef CMap<HWND, HWND, CExtCmdProfile*, CExtCmdProfile*> ProfileWndMap_t;

  CExtCmdManager();
  ~CExtCmdManager();
  CExtCmdManager(const CExtCmdManager&) = delete;
  CExtCmdManager& operator=(const CExtCmdManager&) = delete;

  virtual void RemoveAllCommands(LPCSTR lpszProfileName);
  // Forward a system change to every command icon of every profile.
  virtual void OnSysColorChange();
  virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
  virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

  // The profile operations by profile name; false or NULL when there is no such profile.
  CExtCmdProfile* GetProfile(LPCSTR lpszProfileName);
  bool SetupCommand(LPCSTR lpszProfileName, const CExtCmdItem& cmdTemplate, bool bReplace = false,
                    bool* pbNew = NULL);
  bool RemoveCommand(LPCSTR lpszProfileName, UINT nCmdId, bool* pbRemoved = NULL);
  bool RemoveCommandsByState(LPCSTR lpszProfileName, DWORD dwMask1, DWORD dwMask2, bool bAllOf1,
                             bool bAllOf2);
  CExtCmdItem* AllocCommand(LPCSTR lpszProfileName, UINT nCmdId = 0);
  CExtCmdItem* FindCommand(LPCSTR lpszProfileName, UINT nCmdId);
  bool SetCommandIcon(LPCSTR lpszProfileName, UINT nCmdId, HICON hIcon, bool bCopy);
  CExtCmdIcon* GetCommandIcon(LPCSTR lpszProfileName, UINT nCmdId);
  bool ImportMenu(LPCSTR lpszProfileName, HMENU hMenu, bool bReplace = false, bool bRecurse = true,
                  bool bLoadTips = true);
  bool ImportMenuResource(LPCSTR lpszProfileName, UINT nMenuId, bool bReplace = false, bool bLoadTips = true);
  bool ImportToolBarResource(LPCSTR lpszProfileName, UINT nToolBarId, CUIntArray* pArrIds = NULL,
                             INT* pnCount = NULL, bool bReplace = false, bool bLoadTips = true,
                             COLORREF clrTransparent = RGB(192, 192, 192));
  bool SetBasicCommands(LPCSTR lpszProfileName, const UINT* pCmdIds, bool bOn = true);
  bool SerializeProfileState(LPCSTR lpszProfileName, LPCSTR lpszRegKey, LPCSTR lpszAppProfile, bool bSave);

  // Makes the profile when the name is new (pProfile, or a new one; a pProfile not taken stays
  // the caller's) and binds hWnd to it when given.
  bool SetupProfile(LPCSTR lpszProfileName, HWND hWnd = NULL, CExtCmdProfile* pProfile = NULL);
  // Binds the window unless it is bound already: the first binding stays.
  bool AddWindow(LPCSTR lpszProfileName, HWND hWnd);
  // Unbinds the window; with bRemoveProfileIfUnused a profile no other window uses goes too.
  bool RemoveWindow(HWND hWnd, bool bRemoveProfileIfUnused = false, bool* pbProfileRemoved = NULL);
  // The profile of the window or of its nearest bound parent; a control bar stands for the frame
  // it docks in, so the controls of a floating bar get their frame's commands.
  LPCSTR GetProfileNameForWindow(HWND hWnd);

private:
  // Runs fn(profile) under the lock when the profile exists; answers whether it did.
  template <class Fn> bool WithProfile(LPCSTR lpszProfileName, Fn fn);

  CMapStringToPtr m_profilesByName; // owns the profiles
  ProfileWndMap_t m_profilesByWnd;
  CCriticalSection m_cs;
};

// Owns the process's one command manager and relays the system changes that toolkit windows
// receive to it, once per frame.
class CExtCmdManagerHolder {
public:
  CExtCmdManagerHolder();
  ~CExtCmdManagerHolder();
  CExtCmdManagerHolder(const CExtCmdManagerHolder&) = delete;
  CExtCmdManagerHolder& operator=(const CExtCmdManagerHolder&) = delete;

  CExtCmdManager* operator->() const { return m_pManager.get(); }
  CExtCmdManager* GetPtr() const { return m_pManager.get(); }

  void OnSysColorChangeFor(CWnd* pWnd);
  void OnSettingChangeFor(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection);
  void OnDisplayChangeFor(CWnd* pWnd, INT nDepthBPP, INT nResolutionX, INT nResolutionY);
  void OnThemeChangedFor(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

private:
  std::unique_ptr<CExtCmdManager> m_pManager;
};

extern CExtCmdManagerHolder g_CmdManagerHolder;
