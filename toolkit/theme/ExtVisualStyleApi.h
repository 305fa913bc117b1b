// The visual-style library, loaded by name at run time so that the toolkit also runs where it is
// missing. Every call is guarded: an absent library or entry point answers with a failure value
// (NULL, false or the HRESULT 1) and the callers fall back to classic drawing. One theme handle is
// kept open, cached by window and class list.
#pragma once

#include "framework/core/fw_string.h"

#include <uxtheme.h>

class CExtVisualStyleApi {
public:
  // The library's entry points, resolved by name in this order.
  enum EntryPoint {
    EP_OpenThemeData,
    EP_CloseThemeData,
    EP_DrawThemeBackground,
    EP_DrawThemeText,
    EP_GetThemeBackgroundContentRect,
    EP_GetThemeBackgroundExtent,
    EP_GetThemePartSize,
    EP_GetThemeTextExtent,
    EP_GetThemeTextMetrics,
    EP_GetThemeBackgroundRegion,
    EP_HitTestThemeBackground,
    EP_DrawThemeEdge,
    EP_DrawThemeIcon,
    EP_IsThemePartDefined,
    EP_IsThemeBackgroundPartiallyTransparent,
    EP_GetThemeColor,
    EP_GetThemeMetric,
    EP_GetThemeString,
    EP_GetThemeBool,
    EP_GetThemeInt,
    EP_GetThemeEnumValue,
    EP_GetThemePosition,
    EP_GetThemeFont,
    EP_GetThemeRect,
    EP_GetThemeMargins,
    EP_GetThemeIntList,
    EP_GetThemePropertyOrigin,
    EP_SetWindowTheme,
    EP_GetThemeFilename,
    EP_GetThemeSysColor,
    EP_GetThemeSysColorBrush,
    EP_GetThemeSysBool,
    EP_GetThemeSysSize,
    EP_GetThemeSysFont,
    EP_GetThemeSysString,
    EP_GetThemeSysInt,
    EP_IsThemeActive,
    EP_IsAppThemed,
    EP_GetWindowTheme,
    EP_EnableThemeDialogTexture,
    EP_IsThemeDialogTextureEnabled,
    EP_GetThemeAppProperties,
    EP_SetThemeAppProperties,
    EP_GetCurrentThemeName,
    EP_GetThemeDocumentationProperty,
    EP_DrawThemeParentBackground,
    EP_EnableTheming,
    EP_DrawThemeBackgroundEx,
    EP_COUNT
  };
  static const char* const g_arrEntryPointNames[EP_COUNT];

  enum { CLASS_LIST_LENGTH = 260 };

  CExtVisualStyleApi();
  ~CExtVisualStyleApi();
  CExtVisualStyleApi(const CExtVisualStyleApi&) = delete;
  CExtVisualStyleApi& operator=(const CExtVisualStyleApi&) = delete;

  // The open theme for the window and class list (the window's class name when the list is NULL
  // or empty); reopens only when either differs from the cached pair or the window is gone.
  HTHEME OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
  // Closes the open theme unless bKeep is set; answers the library's result, 0 when nothing closed.
  HRESULT CloseThemeData(bool bKeep = false);
  HTHEME GetOpenTheme() const { return m_hTheme; }

  // Visual styles are switched on and allowed for controls (and, when asked, common controls 6
  // or later are loaded).
  bool IsVisualStyleActive(bool bRequireCommonControls6 = false);
  bool IsAppThemed();

  HRESULT DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
  HRESULT DrawThemeText(HDC hDC, int iPartId, int iStateId, const CString& sText, int nCharCount,
                        DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);
  HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
  HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                              int cchMaxColorChars);

  HMODULE GetModule() const { return m_hModule; }
  FARPROC GetEntryPoint(EntryPoint e) const { return m_arrEntryPoints[e]; }
  // The common-controls version: major in the high word, minor in the low word.
  DWORD GetCommonControlsVersion() const { return m_dwCommonControlsVersion; }

  // Testing hooks: replace one entry point (answers the old one); set the common-controls version.
  FARPROC TestReplaceEntryPoint(EntryPoint e, FARPROC pfn);
  void TestSetCommonControlsVersion(DWORD dwVersion) { m_dwCommonControlsVersion = dwVersion; }

private:
  enum : BYTE { FLAG_LOADED_LIBRARY = 0x01 };

  // Closes the open handle (its window may be gone: the handle does not belong to the window) and
  // clears the cache.
  HRESULT ReleaseTheme();

  HTHEME m_hTheme = NULL;
  HMODULE m_hModule = NULL;
  BYTE m_nFlags = 0;
  DWORD m_dwCommonControlsVersion = 0;
  WCHAR m_szCachedClassList[CLASS_LIST_LENGTH] = {};
  HWND m_hWndCached = NULL;
  FARPROC m_arrEntryPoints[EP_COUNT] = {};
};
