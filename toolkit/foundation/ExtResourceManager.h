// The toolkit's resource loader: strings, menus, accelerator tables, bitmaps, dialog templates and
// dialog-initialisation data all come through one manager, which may look resources up in a
// language of its own and says whether the interface runs right to left.
#pragma once

#include "framework/core/fw_core.h"

#include <windows.h>

#include <vector>

class CMenu;
class CString;
class CWnd;

class CExtResourceManager {
public:
  // A copy of a resource's bytes.
  class ResourceBuffer_t {
  public:
    bool IsEmpty() const { return m_bytes.empty(); }
    const BYTE* GetBuffer() const { return m_bytes.data(); }
    BYTE* GetBuffer() { return m_bytes.data(); }
    DWORD GetSize() const { return (DWORD)m_bytes.size(); }
    void Empty() { std::vector<BYTE>().swap(m_bytes); }
    // nSize bytes, zero-filled when asked (otherwise left as they come).
    bool Alloc(DWORD nSize, bool bZeroMemory);
    // The bytes of the resource of that type, name and language in hModule; an empty resource
    // leaves the buffer empty and counts as found.
    bool FindAndLoad(HINSTANCE hModule, LPCSTR lpszType, LPCSTR lpszName, LANGID nLangId);

  private:
    std::vector<BYTE> m_bytes;
  };

  CExtResourceManager();
  virtual ~CExtResourceManager();
  CExtResourceManager(const CExtResourceManager&) = delete;
  CExtResourceManager& operator=(const CExtResourceManager&) = delete;

  // The template a dialog is to be made from instead of pTemplate, or NULL to keep it. A template
  // handed out stays owned by the manager and alive until the dialog is created.
  virtual const DLGTEMPLATE* OnAdjustDialogTemplate(const DLGTEMPLATE* pTemplate, CWnd* pDlg, WPARAM wParam,
                                                    LPARAM lParam);
  virtual bool IsLanguageLookupEnabled() const;
  // Answers the old setting.
  virtual bool EnableLanguageLookup(bool bEnable = true);
  virtual bool IsRightToLeft() const;
  // -1: decided by the language; any other value is the answer of IsRightToLeft.
  virtual int GetRightToLeftOverride() const;
  virtual int SetRightToLeftOverride(int nOverride);
  // The manager's language, or the process default while lookup is off.
  virtual LANGID GetLangId() const;
  virtual LANGID SetLangId(LANGID nLangId);
  virtual LANGID GetDefaultLangId() const;
  // The first non-zero GetLocaleInfoA answer: with lookup for the manager's language and the
  // default language first, then for the user default locale, the system default locale and 0.
  virtual int GetLocaleInfo(LCTYPE lcType, LPSTR lpData, int cchData) const;
  // The module holding the resource (NULL when there is none), with its handle and language.
  // Without lookup the language is ignored and the default language reported.
  virtual HINSTANCE FindResource(LPCSTR lpszType, LPCSTR lpszName, LANGID nLangIdDesired, LANGID* pnLangIdOut,
                                 HRSRC* phResourceOut) const;
  virtual HINSTANCE FindResource(UINT nTypeId, LPCSTR lpszName, LANGID nLangIdDesired, LANGID* pnLangIdOut,
                                 HRSRC* phResourceOut) const;
  // The form used for dialog templates, dialog-initialisation data, tool bars and bitmaps.
  virtual HRSRC FindResourceById(UINT nTypeId, LPCSTR lpszName, LANGID nLangIdDesired,
                                 HINSTANCE* phModuleOut) const;
  // A resource's bytes in the language asked for (0x400 while lookup is off).
  virtual bool LoadResourceBuffer(ResourceBuffer_t& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                  LANGID nLangIdDesired, LANGID* pnLangIdOut = NULL,
                                  HINSTANCE* phModuleOut = NULL) const;
  virtual bool LoadResourceBuffer(ResourceBuffer_t& buffer, UINT nTypeId, LPCSTR lpszName,
                                  LANGID nLangIdDesired, LANGID* pnLangIdOut = NULL,
                                  HINSTANCE* phModuleOut = NULL) const;
  // String nID from the string-table block of a language; false when it is missing or empty.
  virtual bool LoadStringFromTable(CString& str, UINT nID, LANGID nLangIdDesired, LANGID* pnLangIdOut) const;
  // String nID; false (str unchanged) when it does not exist. Language 0 is the manager's.
  virtual bool LoadString(CString& str, UINT nID, LANGID nLangIdDesired = 0,
                          LANGID* pnLangIdOut = NULL) const;
  // The menu attached to pMenu; false when it cannot be loaded.
  virtual bool LoadMenu(CMenu* pMenu, LPCSTR lpszName, LANGID nLangIdDesired = 0,
                        LANGID* pnLangIdOut = NULL) const;
  // An accelerator table the caller owns, or NULL.
  virtual HACCEL LoadAccelerators(LPCSTR lpszName, LANGID nLangIdDesired = 0,
                                  LANGID* pnLangIdOut = NULL) const;
  // A bitmap the caller owns, or NULL.
  virtual HBITMAP LoadBitmap(LPCSTR lpszName, LANGID nLangIdDesired = 0, LANGID* pnLangIdOut = NULL) const;

  // The language reported while lookup is off.
  static LANGID g_nLangIdDefault;

protected:
  // The language a lookup asks for: the given one, or the manager's for 0.
  LANGID DesiredLangId(LANGID nLangIdDesired) const {
    return nLangIdDesired != 0 ? nLangIdDesired : m_nLangId;
  }

private:
  BYTE m_nFlags; // bit 0: language lookup enabled
  LANGID m_nLangId;
  int m_nRightToLeftOverride;
};

// Holds the resource manager in use; the default manager is made on first use. Constant-
// initialised, so it works from the first global constructor on.
class CExtResourceManagerHolder {
public:
  constexpr CExtResourceManagerHolder() noexcept : m_pManager(nullptr) {}
  ~CExtResourceManagerHolder();
  CExtResourceManagerHolder(const CExtResourceManagerHolder&) = delete;
  CExtResourceManagerHolder& operator=(const CExtResourceManagerHolder&) = delete;

  CExtResourceManager* operator->();
  // Deletes the current manager and keeps pManager, or a new default manager when NULL.
  void Install(CExtResourceManager* pManager);

private:
  CExtResourceManager* m_pManager;
};

extern CExtResourceManagerHolder g_ResourceManagerHolder;
