#include "toolkit/theme/ExtVisualStyleApi.h"

#include <shlwapi.h>

#include <vector>

const char* const CExtVisualStyleApi::g_arrEntryPointNames[EP_COUNT] = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeText",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemePartSize",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeBackgroundRegion",
    "HitTestThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeString",
    "GetThemeBool",
    "GetThemeInt",
    "GetThemeEnumValue",
    "GetThemePosition",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemeMargins",
    "GetThemeIntList",
    "GetThemePropertyOrigin",
    "SetWindowTheme",
    "GetThemeFilename",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysBool",
    "GetThemeSysSize",
    "GetThemeSysFont",
    "GetThemeSysString",
    "GetThemeSysInt",
    "IsThemeActive",
    "IsAppThemed",
    "GetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "DrawThemeParentBackground",
    "EnableTheming",
    "DrawThemeBackgroundEx",
};

namespace {

typedef HTHEME(WINAPI* PFN_OpenThemeData)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFN_CloseThemeData)(HTHEME);
typedef HRESULT(WINAPI* PFN_DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* PFN_DrawThemeText)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*);
typedef HRESULT(WINAPI* PFN_GetThemeColor)(HTHEME, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFN_GetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef BOOL(WINAPI* PFN_Bool)();
typedef DWORD(WINAPI* PFN_GetThemeAppProperties)();

const HRESULT kMissing = 1; // what a guarded call answers when the library cannot take it

template <class PFN> PFN Entry(FARPROC p) { return reinterpret_cast<PFN>(reinterpret_cast<void (*)()>(p)); }

// The version a DLL reports through DllGetVersion, (major << 16) | minor; 0 when it has none.
DWORD ReadDllVersion(LPCSTR pszDll) {
  HMODULE hModule = ::LoadLibraryA(pszDll);
  if (hModule == NULL)
    return 0;
  DWORD dwVersion = 0;
  DLLGETVERSIONPROC pfn = Entry<DLLGETVERSIONPROC>(::GetProcAddress(hModule, "DllGetVersion"));
  if (pfn != NULL) {
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);
    if (SUCCEEDED(pfn(&info)))
      dwVersion = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
  }
  ::FreeLibrary(hModule);
  return dwVersion;
}

} // namespace

CExtVisualStyleApi::CExtVisualStyleApi() {
  m_hModule = ::GetModuleHandleA("UxTheme.dll");
  if (m_hModule == NULL) {
    m_hModule = ::LoadLibraryA("UxTheme.dll");
    if (m_hModule != NULL)
      m_nFlags |= FLAG_LOADED_LIBRARY;
  }
  if (m_hModule != NULL) {
    for (int i = 0; i < EP_COUNT; ++i)
      m_arrEntryPoints[i] = ::GetProcAddress(m_hModule, g_arrEntryPointNames[i]);
  }
  m_dwCommonControlsVersion = ReadDllVersion("COMCTL32.DLL");
}

CExtVisualStyleApi::~CExtVisualStyleApi() {
  CloseThemeData(false);
  if ((m_nFlags & FLAG_LOADED_LIBRARY) != 0)
    ::FreeLibrary(m_hModule);
}

HTHEME CExtVisualStyleApi::OpenThemeData(HWND hWnd, LPCWSTR pszClassList) {
  PFN_OpenThemeData pfnOpen = Entry<PFN_OpenThemeData>(m_arrEntryPoints[EP_OpenThemeData]);
  if (pfnOpen == NULL)
    return NULL;
  WCHAR szList[CLASS_LIST_LENGTH] = {};
  if (pszClassList != NULL && pszClassList[0] != L'\0') {
    lstrcpynW(szList, pszClassList, CLASS_LIST_LENGTH);
  } else {
    char szClass[CLASS_LIST_LENGTH] = {};
    ::GetClassNameA(hWnd, szClass, CLASS_LIST_LENGTH);
    ::MultiByteToWideChar(CP_ACP, 0, szClass, -1, szList, CLASS_LIST_LENGTH);
  }
  // The whole list must match: a list that is only the start of the cached one names other classes.
  if (m_hTheme != NULL && hWnd == m_hWndCached && lstrcmpW(szList, m_szCachedClassList) == 0 &&
      ::IsWindow(hWnd))
    return m_hTheme;
  ReleaseTheme();
  m_hTheme = pfnOpen(hWnd, szList);
  if (m_hTheme != NULL) {
    lstrcpynW(m_szCachedClassList, szList, CLASS_LIST_LENGTH);
    m_hWndCached = hWnd;
  }
  return m_hTheme;
}

HRESULT CExtVisualStyleApi::CloseThemeData(bool bKeep) {
  if (m_hTheme == NULL || bKeep)
    return 0;
  return ReleaseTheme();
}

HRESULT CExtVisualStyleApi::ReleaseTheme() {
  HRESULT hr = 0;
  PFN_CloseThemeData pfnClose = Entry<PFN_CloseThemeData>(m_arrEntryPoints[EP_CloseThemeData]);
  // A theme handle outlives its window; dropping it unclosed would leak it.
  if (m_hTheme != NULL && pfnClose != NULL)
    hr = pfnClose(m_hTheme);
  m_hTheme = NULL;
  m_szCachedClassList[0] = L'\0';
  m_hWndCached = NULL;
  return hr;
}

bool CExtVisualStyleApi::IsVisualStyleActive(bool bRequireCommonControls6) {
  if (m_hModule == NULL)
    return false;
  PFN_Bool pfnActive = Entry<PFN_Bool>(m_arrEntryPoints[EP_IsThemeActive]);
  if (pfnActive == NULL || !pfnActive())
    return false;
  PFN_GetThemeAppProperties pfnProps =
      Entry<PFN_GetThemeAppProperties>(m_arrEntryPoints[EP_GetThemeAppProperties]);
  if (pfnProps == NULL || (pfnProps() & STAP_ALLOW_CONTROLS) == 0)
    return false;
  return !bRequireCommonControls6 || HIWORD(m_dwCommonControlsVersion) > 5;
}

bool CExtVisualStyleApi::IsAppThemed() {
  PFN_Bool pfn = Entry<PFN_Bool>(m_arrEntryPoints[EP_IsAppThemed]);
  return m_hModule != NULL && pfn != NULL && pfn() != FALSE;
}

HRESULT CExtVisualStyleApi::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                const RECT* pClipRect) {
  PFN_DrawThemeBackground pfn = Entry<PFN_DrawThemeBackground>(m_arrEntryPoints[EP_DrawThemeBackground]);
  if (pfn == NULL)
    return kMissing;
  return pfn(m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect);
}

HRESULT CExtVisualStyleApi::DrawThemeText(HDC hDC, int iPartId, int iStateId, const CString& sText,
                                          int nCharCount, DWORD dwTextFlags, DWORD dwTextFlags2,
                                          const RECT* pRect) {
  PFN_DrawThemeText pfn = Entry<PFN_DrawThemeText>(m_arrEntryPoints[EP_DrawThemeText]);
  if (pfn == NULL)
    return kMissing;
  LPCSTR psz = sText;
  const int nSource = nCharCount < 0 || nCharCount > sText.GetLength() ? sText.GetLength() : nCharCount;
  std::vector<WCHAR> wide((size_t)nSource + 1, L'\0');
  const int nWide = nSource == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, psz, nSource, wide.data(), nSource);
  return pfn(m_hTheme, hDC, iPartId, iStateId, wide.data(), nWide, dwTextFlags, dwTextFlags2, pRect);
}

HRESULT CExtVisualStyleApi::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
  PFN_GetThemeColor pfn = Entry<PFN_GetThemeColor>(m_arrEntryPoints[EP_GetThemeColor]);
  if (pfn == NULL)
    return kMissing;
  return pfn(m_hTheme, iPartId, iStateId, iPropId, pColor);
}

HRESULT CExtVisualStyleApi::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars,
                                                LPWSTR pszColorBuff, int cchMaxColorChars) {
  PFN_GetCurrentThemeName pfn = Entry<PFN_GetCurrentThemeName>(m_arrEntryPoints[EP_GetCurrentThemeName]);
  if (pfn == NULL)
    return kMissing;
  return pfn(pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars, NULL, 0);
}

FARPROC CExtVisualStyleApi::TestReplaceEntryPoint(EntryPoint e, FARPROC pfn) {
  FARPROC pOld = m_arrEntryPoints[e];
  m_arrEntryPoints[e] = pfn;
  return pOld;
}
