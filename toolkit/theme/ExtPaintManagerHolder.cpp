#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/foundation/ExtSystemChangeRelay.h"

#include "toolkit/foundation/ExtCmdIcon.h"

#include <cwchar>

namespace {

const OSVERSIONINFOA* g_pForcedOsVersion = NULL;
const CExtPaintManagerHolder::ForcedVisualStyle_t* g_pForcedVisualStyle = NULL;

// The taskbar's colour properties, in the order of the holder's colours.
const int kTaskbandProperties[CExtPaintManagerHolder::LUNA_COLOR_COUNT] = {3804, 3805, 3806, 3807,
                                                                           3808, 3821, 3823};
const int kTaskbandPart = 2;

// An entry point that may be missing, as the function type it has.
template <class PFN> PFN ProcAddress(HMODULE hModule, LPCSTR pszName) {
  return reinterpret_cast<PFN>(reinterpret_cast<void (*)()>(::GetProcAddress(hModule, pszName)));
}

bool Contains(LPWSTR pszText, LPCWSTR pszPart) {
  ::CharLowerW(pszText);
  return std::wcsstr(pszText, pszPart) != NULL;
}

// What command icons ask of the installed theme.
int ThemeDisabledIconColor() { return (int)g_PaintManagerHolder->GetDisabledIconColor(); }
double ThemeDisabledIconFactor() { return g_PaintManagerHolder->GetDisabledIconFactor(); }
COLORREF ThemeColorByLogicalId(int nLogicalId) { return g_PaintManagerHolder->ColorByLogicalId(nLogicalId); }
const CExtCmdIcon::ThemeHooks_t kThemeHooks = {&ThemeDisabledIconColor, &ThemeDisabledIconFactor,
                                               &ThemeColorByLogicalId};

} // namespace

CExtPaintManagerHolder::CExtPaintManagerHolder() : m_strOsVersion("Unknown"), m_osVersion{} {
  ClassifyOsVersion();
  DetectVisualStyle();
  m_hMsImg32 = ::LoadLibraryA("msimg32.dll");
  if (m_hMsImg32 != NULL) {
    m_pfnGradientFill = ProcAddress<PFN_GradientFill>(m_hMsImg32, "GradientFill");
    m_pfnAlphaBlend = ProcAddress<PFN_AlphaBlend>(m_hMsImg32, "AlphaBlend");
    m_pfnTransparentBlt = ProcAddress<PFN_TransparentBlt>(m_hMsImg32, "TransparentBlt");
  }
  m_pfnGradientFillLoaded = m_pfnGradientFill;
  m_hUser32 = ::LoadLibraryA("user32.dll");
  if (m_hUser32 != NULL) {
    m_pfnAnimateWindow = ProcAddress<PFN_AnimateWindow>(m_hUser32, "AnimateWindow");
    m_pfnSetLayeredWindowAttributes =
        ProcAddress<PFN_SetLayeredWindowAttributes>(m_hUser32, "SetLayeredWindowAttributes");
    m_pfnUpdateLayeredWindow = ProcAddress<PFN_UpdateLayeredWindow>(m_hUser32, "UpdateLayeredWindow");
  }
  if (!m_pPaintManager)
    InstallTheme(NULL);
}

CExtPaintManagerHolder::~CExtPaintManagerHolder() {
  if (m_hMsImg32 != NULL)
    ::FreeLibrary(m_hMsImg32);
  if (m_hUser32 != NULL)
    ::FreeLibrary(m_hUser32);
  // Icons that outlive the holder take the classic answers.
  if (this == &g_PaintManagerHolder)
    CExtCmdIcon::SetThemeHooks(NULL);
  m_pPaintManager.reset();
  // The visual-style wrapper closes its theme and frees its library as it goes.
}

void CExtPaintManagerHolder::ClassifyOsVersion() {
  m_osVersion = OSVERSIONINFOA{};
  m_osVersion.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  if (g_pForcedOsVersion != NULL)
    m_osVersion = *g_pForcedOsVersion;
  else
    ::GetVersionExA(&m_osVersion);
  m_nOsFlagsA = 0;
  m_nOsFlagsB &= OSB_LUNA_COLORS;
  const DWORD nMajor = m_osVersion.dwMajorVersion, nMinor = m_osVersion.dwMinorVersion;
  LPCSTR pszName = "";
  switch (m_osVersion.dwPlatformId) {
  case VER_PLATFORM_WIN32s:
    m_nOsFlagsA |= OSA_WIN32S;
    pszName = "Win32s";
    break;
  case VER_PLATFORM_WIN32_WINDOWS: {
    const bool b4x = nMajor == 4 && nMinor != 0;
    m_nOsFlagsA |= OSA_WIN9X;
    if (nMajor == 4 && nMinor == 0)
      m_nOsFlagsA |= OSA_WIN95;
    if (nMajor >= 5 || b4x)
      m_nOsFlagsA |= OSA_NOT_WIN95;
    if ((m_nOsFlagsA & OSA_NOT_WIN95) == 0) {
      pszName = "Windows 95";
    } else if (b4x) {
      m_nOsFlagsA |= OSA_WIN98;
      pszName = "Windows 98";
    } else {
      pszName = "Windows 98 or later";
    }
    break;
  }
  case VER_PLATFORM_WIN32_NT:
    m_nOsFlagsA |= OSA_NT;
    if (nMajor == 5 && nMinor == 0) {
      m_nOsFlagsA |= OSA_WIN2000;
      pszName = "Windows 2000";
    } else if (nMajor == 5 && nMinor == 1) {
      m_nOsFlagsB |= OSB_WINXP;
      pszName = "Windows XP";
    } else if (nMajor == 4) {
      m_nOsFlagsA |= OSA_NT4;
      pszName = "Windows NT";
    } else if (nMajor != 5) {
      pszName = "Windows NT";
    }
    if (nMajor >= 4)
      m_nOsFlagsB |= OSB_NT_MAJOR4;
    if (nMajor >= 5) {
      m_nOsFlagsB |= OSB_NT_MAJOR5;
      if (nMajor > 5 || nMinor != 0)
        m_nOsFlagsB |= OSB_NT_AFTER_2000;
    }
    break;
  default:
    break;
  }
  m_strOsVersion.Format("%s v.%lu.%lu (build %lu) %s", pszName, nMajor, nMinor, m_osVersion.dwBuildNumber,
                        m_osVersion.szCSDVersion);
}

bool CExtPaintManagerHolder::IsAppThemed() {
  if (g_pForcedVisualStyle != NULL)
    return g_pForcedVisualStyle->m_bAppThemed;
  return m_VisualStyleApi.IsAppThemed();
}

void CExtPaintManagerHolder::DetectVisualStyle() {
  m_nOsFlagsB &= ~OSB_LUNA_COLORS;
  m_eVisualStyleScheme = VSS_NONE;
  if (!IsAppThemed())
    return;
  const ForcedVisualStyle_t* pForced = g_pForcedVisualStyle;
  WCHAR szFile[MAX_PATH] = {}, szColor[MAX_PATH] = {};
  bool bNamed;
  if (pForced != NULL) {
    bNamed = pForced->m_pszThemeFile != NULL && pForced->m_pszColorName != NULL;
    if (bNamed) {
      lstrcpynW(szFile, pForced->m_pszThemeFile, MAX_PATH);
      lstrcpynW(szColor, pForced->m_pszColorName, MAX_PATH);
    }
  } else {
    bNamed = m_VisualStyleApi.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH) == S_OK;
  }
  if (bNamed && Contains(szFile, L"luna.msstyles")) {
    ::CharLowerW(szColor);
    if (lstrcmpW(szColor, L"normalcolor") == 0)
      m_eVisualStyleScheme = VSS_NORMAL_COLOR;
    else if (lstrcmpW(szColor, L"homestead") == 0)
      m_eVisualStyleScheme = VSS_HOMESTEAD;
    else if (lstrcmpW(szColor, L"metallic") == 0)
      m_eVisualStyleScheme = VSS_METALLIC;
  }

  int nRead = 0;
  if (pForced != NULL) {
    for (; nRead < LUNA_COLOR_COUNT && nRead < pForced->m_nTaskbandColors; ++nRead)
      m_arrLunaColors[nRead] = pForced->m_arrTaskbandColors[nRead];
  } else if (m_VisualStyleApi.OpenThemeData(::GetDesktopWindow(), L"TASKBAND") != NULL) {
    for (; nRead < LUNA_COLOR_COUNT; ++nRead) {
      COLORREF clr = 0;
      if (m_VisualStyleApi.GetThemeColor(kTaskbandPart, 0, kTaskbandProperties[nRead], &clr) != S_OK)
        break;
      m_arrLunaColors[nRead] = clr;
    }
    m_VisualStyleApi.CloseThemeData(false);
  }
  if (nRead == LUNA_COLOR_COUNT)
    m_nOsFlagsB |= OSB_LUNA_COLORS;
}

bool CExtPaintManagerHolder::InstallTheme(CObject* pPaintManager) {
  if (pPaintManager != NULL && pPaintManager == m_pPaintManager.get())
    return true;
  // The object is checked before the installed theme goes, so that a refusal keeps a theme.
  if (pPaintManager != NULL && !pPaintManager->IsKindOf(RUNTIME_CLASS(CExtPaintManager)))
    return false;
  m_pPaintManager.reset();
  if (pPaintManager != NULL)
    m_pPaintManager.reset(static_cast<CExtPaintManager*>(pPaintManager));
  else
    m_pPaintManager.reset(new CExtPaintManagerXP);
  m_pPaintManager->RebuildFontsAndSysColors();
  m_pPaintManager->BuildLogicalColors();
  m_pPaintManager->RebuildHelperBrushes();
  // Command icons take their disabled look and glyph ink from the process's theme.
  if (this == &g_PaintManagerHolder)
    CExtCmdIcon::SetThemeHooks(&kThemeHooks);
  return true;
}

bool CExtPaintManagerHolder::InstallThemeByClass(CRuntimeClass* pClass) {
  if (pClass == NULL)
    return m_pPaintManager ? true : InstallTheme(NULL);
  CObject* pObject = pClass->CreateObject();
  if (pObject == NULL)
    return false;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CExtPaintManager))) {
    delete pObject;
    return false;
  }
  return InstallTheme(pObject);
}

bool CExtPaintManagerHolder::IsThemeNotificationWindow(CWnd* pWnd) { return ExtIsSystemChangeRelay(pWnd); }

bool CExtPaintManagerHolder::ForwardSysColorChange(CWnd* pWnd) {
  if (!IsThemeNotificationWindow(pWnd))
    return false;
  m_pPaintManager->OnSysColorChange();
  return true;
}

bool CExtPaintManagerHolder::ForwardSettingChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
  if (!IsThemeNotificationWindow(pWnd))
    return false;
  m_pPaintManager->OnSettingChange(wParam, lParam);
  return true;
}

bool CExtPaintManagerHolder::ForwardDisplayChange(CWnd* pWnd, int nBitsPerPixel, int cx, int cy) {
  if (!IsThemeNotificationWindow(pWnd))
    return false;
  m_pPaintManager->OnDisplayChange(nBitsPerPixel, cx, cy);
  return true;
}

bool CExtPaintManagerHolder::ForwardThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
  if (!IsThemeNotificationWindow(pWnd))
    return false;
  m_pPaintManager->OnThemeChanged(wParam, lParam);
  return true;
}

void CExtPaintManagerHolder::TestForceOsVersion(const OSVERSIONINFOA* pVersion) {
  g_pForcedOsVersion = pVersion;
}

void CExtPaintManagerHolder::TestForceVisualStyle(const ForcedVisualStyle_t* pStyle) {
  g_pForcedVisualStyle = pStyle;
}

void CExtPaintManagerHolder::TestDisableGradientFill(bool bDisable) {
  m_pfnGradientFill = bDisable ? NULL : m_pfnGradientFillLoaded;
}
