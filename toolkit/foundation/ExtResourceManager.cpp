// The resource manager: resources of the class library's current resource module, looked up
// either as the platform finds them or, with language lookup on, in the manager's language.
#include "toolkit/foundation/ExtResourceManager.h"

#include "framework/core/fw_string.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtBitmap.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

CExtResourceManagerHolder g_ResourceManagerHolder;

LANGID CExtResourceManager::g_nLangIdDefault = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

namespace {

const BYTE kFlagLanguageLookup = 0x01;
const LANGID kLangIdArabicSaudiArabia = 0x0401;
const LANGID kLangIdUserDefault = 0x0400;

// The user-interface languages written right to left: Arabic in all its regions, Hebrew, Urdu,
// Farsi, Divehi, Kashmiri, Sindhi and their variants.
const LANGID kRightToLeftLangIds[] = {0x0401, 0x040D, 0x0420, 0x0429, 0x0446, 0x0459, 0x0460, 0x0801,
                                      0x0820, 0x0860, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001,
                                      0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001};

template <typename T> T ReadAt(const BYTE* p, size_t off) {
  T value;
  std::memcpy(&value, p + off, sizeof(T));
  return value;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Resource bytes

bool CExtResourceManager::ResourceBuffer_t::Alloc(DWORD nSize, bool bZeroMemory) {
  Empty();
  if (nSize == 0)
    return true;
  m_bytes.resize(nSize);
  if (!bZeroMemory)
    return true;
  std::fill(m_bytes.begin(), m_bytes.end(), (BYTE)0);
  return true;
}

bool CExtResourceManager::ResourceBuffer_t::FindAndLoad(HINSTANCE hModule, LPCSTR lpszType, LPCSTR lpszName,
                                                        LANGID nLangId) {
  Empty();
  HRSRC hResource = ::FindResourceExA(hModule, lpszType, lpszName, nLangId);
  if (hResource == NULL)
    return false;
  const DWORD nSize = ::SizeofResource(hModule, hResource);
  if (nSize == 0)
    return true;
  HGLOBAL hData = ::LoadResource(hModule, hResource);
  const BYTE* pData = hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
  if (pData == NULL)
    return false;
  m_bytes.assign(pData, pData + nSize);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Settings

CExtResourceManager::CExtResourceManager()
    : m_nFlags(0), m_nLangId(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), m_nRightToLeftOverride(-1) {}

CExtResourceManager::~CExtResourceManager() = default;

const DLGTEMPLATE* CExtResourceManager::OnAdjustDialogTemplate(const DLGTEMPLATE*, CWnd*, WPARAM, LPARAM) {
  return NULL;
}

bool CExtResourceManager::IsLanguageLookupEnabled() const { return (m_nFlags & kFlagLanguageLookup) != 0; }

bool CExtResourceManager::EnableLanguageLookup(bool bEnable) {
  const bool bOld = IsLanguageLookupEnabled();
  m_nFlags = bEnable ? (BYTE)(m_nFlags | kFlagLanguageLookup) : (BYTE)(m_nFlags & ~kFlagLanguageLookup);
  return bOld;
}

bool CExtResourceManager::IsRightToLeft() const {
  if (m_nRightToLeftOverride != -1)
    return m_nRightToLeftOverride != 0;
  if (IsLanguageLookupEnabled())
    return m_nLangId == kLangIdArabicSaudiArabia;
  const LANGID nUser = ::GetUserDefaultLangID();
  return std::find(std::begin(kRightToLeftLangIds), std::end(kRightToLeftLangIds), nUser) !=
         std::end(kRightToLeftLangIds);
}

int CExtResourceManager::GetRightToLeftOverride() const { return m_nRightToLeftOverride; }

int CExtResourceManager::SetRightToLeftOverride(int nOverride) {
  const int nOld = m_nRightToLeftOverride;
  m_nRightToLeftOverride = nOverride;
  return nOld;
}

LANGID CExtResourceManager::GetLangId() const {
  return IsLanguageLookupEnabled() ? m_nLangId : g_nLangIdDefault;
}

LANGID CExtResourceManager::SetLangId(LANGID nLangId) {
  m_nLangId = nLangId;
  return m_nLangId;
}

LANGID CExtResourceManager::GetDefaultLangId() const { return g_nLangIdDefault; }

int CExtResourceManager::GetLocaleInfo(LCTYPE lcType, LPSTR lpData, int cchData) const {
  if (IsLanguageLookupEnabled()) {
    for (LANGID nLangId : {m_nLangId, GetDefaultLangId()}) {
      const int n = ::GetLocaleInfoA(MAKELCID(nLangId, SORT_DEFAULT), lcType, lpData, cchData);
      if (n != 0)
        return n;
    }
  }
  for (LCID lcid : {(LCID)LOCALE_USER_DEFAULT, (LCID)LOCALE_SYSTEM_DEFAULT, (LCID)0}) {
    const int n = ::GetLocaleInfoA(lcid, lcType, lpData, cchData);
    if (n != 0)
      return n;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Finding and loading

HINSTANCE CExtResourceManager::FindResource(LPCSTR lpszType, LPCSTR lpszName, LANGID nLangIdDesired,
                                            LANGID* pnLangIdOut, HRSRC* phResourceOut) const {
  HINSTANCE hModule = AfxGetResourceHandle();
  HRSRC hResource = NULL;
  LANGID nLangId = GetDefaultLangId();
  if (!IsLanguageLookupEnabled()) {
    hResource = ::FindResourceA(hModule, lpszName, lpszType);
  } else {
    nLangId = DesiredLangId(nLangIdDesired);
    hResource = ::FindResourceExA(hModule, lpszType, lpszName, nLangId);
  }
  if (phResourceOut != NULL)
    *phResourceOut = hResource;
  if (hResource == NULL)
    return NULL;
  if (pnLangIdOut != NULL)
    *pnLangIdOut = nLangId;
  return hModule;
}

HINSTANCE CExtResourceManager::FindResource(UINT nTypeId, LPCSTR lpszName, LANGID nLangIdDesired,
                                            LANGID* pnLangIdOut, HRSRC* phResourceOut) const {
  return FindResource(MAKEINTRESOURCEA(nTypeId), lpszName, nLangIdDesired, pnLangIdOut, phResourceOut);
}

HRSRC CExtResourceManager::FindResourceById(UINT nTypeId, LPCSTR lpszName, LANGID nLangIdDesired,
                                            HINSTANCE* phModuleOut) const {
  HRSRC hResource = NULL;
  HINSTANCE hModule = FindResource(nTypeId, lpszName, nLangIdDesired, NULL, &hResource);
  if (phModuleOut != NULL)
    *phModuleOut = hModule;
  return hResource;
}

bool CExtResourceManager::LoadResourceBuffer(ResourceBuffer_t& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                             LANGID nLangIdDesired, LANGID* pnLangIdOut,
                                             HINSTANCE* phModuleOut) const {
  const LANGID nLangId = IsLanguageLookupEnabled() ? DesiredLangId(nLangIdDesired) : kLangIdUserDefault;
  HINSTANCE hModule = AfxGetResourceHandle();
  if (!buffer.FindAndLoad(hModule, lpszType, lpszName, nLangId))
    return false;
  if (pnLangIdOut != NULL)
    *pnLangIdOut = nLangId;
  if (phModuleOut != NULL)
    *phModuleOut = hModule;
  return true;
}

bool CExtResourceManager::LoadResourceBuffer(ResourceBuffer_t& buffer, UINT nTypeId, LPCSTR lpszName,
                                             LANGID nLangIdDesired, LANGID* pnLangIdOut,
                                             HINSTANCE* phModuleOut) const {
  return LoadResourceBuffer(buffer, MAKEINTRESOURCEA(nTypeId), lpszName, nLangIdDesired, pnLangIdOut,
                            phModuleOut);
}

bool CExtResourceManager::LoadStringFromTable(CString& str, UINT nID, LANGID nLangIdDesired,
                                              LANGID* pnLangIdOut) const {
  ResourceBuffer_t block;
  LANGID nLangId = 0;
  if (!LoadResourceBuffer(block, RT_STRING, MAKEINTRESOURCEA(nID / 16 + 1), nLangIdDesired, &nLangId))
    return false;
  // Sixteen counted UTF-16 strings; every count is checked against the block's size.
  const BYTE* p = block.GetBuffer();
  const size_t nWords = block.GetSize() / sizeof(WORD);
  size_t pos = 0;
  for (UINT i = 0; i < nID % 16; ++i) {
    if (pos >= nWords)
      return false;
    pos += 1 + ReadAt<WORD>(p, pos * sizeof(WORD));
  }
  if (pos >= nWords)
    return false;
  const size_t nLength = ReadAt<WORD>(p, pos * sizeof(WORD));
  if (nLength == 0 || pos + 1 + nLength > nWords)
    return false;
  std::wstring text(nLength, L'\0');
  std::memcpy(&text[0], p + (pos + 1) * sizeof(WORD), nLength * sizeof(WORD));
  const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), (int)nLength, NULL, 0, NULL, NULL);
  std::string ansi(nBytes > 0 ? nBytes : 0, '\0');
  if (nBytes > 0)
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), (int)nLength, &ansi[0], nBytes, NULL, NULL);
  str = ansi.c_str();
  if (pnLangIdOut != NULL)
    *pnLangIdOut = nLangId;
  return true;
}

bool CExtResourceManager::LoadString(CString& str, UINT nID, LANGID nLangIdDesired,
                                     LANGID* pnLangIdOut) const {
  if (IsLanguageLookupEnabled())
    return LoadStringFromTable(str, nID, DesiredLangId(nLangIdDesired), pnLangIdOut);
  CString strLoaded;
  if (!strLoaded.LoadString(nID))
    return false;
  str = strLoaded;
  if (pnLangIdOut != NULL)
    *pnLangIdOut = GetDefaultLangId();
  return true;
}

bool CExtResourceManager::LoadMenu(CMenu* pMenu, LPCSTR lpszName, LANGID nLangIdDesired,
                                   LANGID* pnLangIdOut) const {
  if (pMenu == NULL)
    return false;
  HMENU hMenu = NULL;
  if (IsLanguageLookupEnabled()) {
    ResourceBuffer_t data;
    if (LoadResourceBuffer(data, RT_MENU, lpszName, DesiredLangId(nLangIdDesired), pnLangIdOut) &&
        !data.IsEmpty())
      hMenu = ::LoadMenuIndirectA(data.GetBuffer());
  } else {
    hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszName);
    if (hMenu != NULL && pnLangIdOut != NULL)
      *pnLangIdOut = GetDefaultLangId();
  }
  if (hMenu == NULL)
    return false;
  if (!pMenu->Attach(hMenu)) {
    ::DestroyMenu(hMenu);
    return false;
  }
  return true;
}

HACCEL CExtResourceManager::LoadAccelerators(LPCSTR lpszName, LANGID nLangIdDesired,
                                             LANGID* pnLangIdOut) const {
  if (!IsLanguageLookupEnabled())
    return ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszName);
  ResourceBuffer_t data;
  if (!LoadResourceBuffer(data, RT_ACCELERATOR, lpszName, DesiredLangId(nLangIdDesired), pnLangIdOut))
    return NULL;
  // Records of flags, key, command and padding, 16 bits each.
  const size_t nCount = data.GetSize() / 8;
  if (nCount == 0)
    return NULL;
  std::vector<ACCEL> table(nCount);
  for (size_t i = 0; i < nCount; ++i) {
    table[i].fVirt = LOBYTE(ReadAt<WORD>(data.GetBuffer(), i * 8));
    table[i].key = ReadAt<WORD>(data.GetBuffer(), i * 8 + 2);
    table[i].cmd = ReadAt<WORD>(data.GetBuffer(), i * 8 + 4);
  }
  return ::CreateAcceleratorTableA(table.data(), (int)nCount);
}

HBITMAP CExtResourceManager::LoadBitmap(LPCSTR lpszName, LANGID nLangIdDesired, LANGID* pnLangIdOut) const {
  if (!IsLanguageLookupEnabled())
    return ::LoadBitmapA(AfxGetResourceHandle(), lpszName);
  HRSRC hResource = NULL;
  HINSTANCE hModule =
      FindResource(RT_BITMAP, lpszName, DesiredLangId(nLangIdDesired), pnLangIdOut, &hResource);
  return CExtBitmap::LoadBitmapResource(hModule, hResource);
}

// ---------------------------------------------------------------------------------------------
// Holder

CExtResourceManagerHolder::~CExtResourceManagerHolder() {
  delete m_pManager;
  m_pManager = nullptr;
}

CExtResourceManager* CExtResourceManagerHolder::operator->() {
  if (m_pManager == nullptr)
    m_pManager = new CExtResourceManager;
  return m_pManager;
}

void CExtResourceManagerHolder::Install(CExtResourceManager* pManager) {
  if (pManager != nullptr && pManager == m_pManager)
    return;
  std::unique_ptr<CExtResourceManager> next(pManager != nullptr ? pManager : new CExtResourceManager);
  delete m_pManager;
  m_pManager = next.release();
}
