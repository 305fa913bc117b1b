// The process-wide holder of the current theme: it owns the one installed paint manager, knows the
// operating system and its visual style, resolves the optional drawing entry points of msimg32
// and user32, and passes system changes seen by toolkit windows on to the theme, once per frame.
#pragma once

#include "toolkit/theme/ExtPaintManagerXP.h"
#include "toolkit/theme/ExtVisualStyleApi.h"

#include <memory>

class CExtPaintManagerHolder {
public:
  enum OsFlagsA : BYTE {
    OSA_WIN32S = 0x01,
    OSA_WIN9X = 0x02,
    OSA_WIN95 = 0x04,
    OSA_WIN98 = 0x08,
    OSA_NOT_WIN95 = 0x10, // the 9x family after Windows 95
    OSA_NT = 0x20,
    OSA_NT4 = 0x40,
    OSA_WIN2000 = 0x80,
  };
  enum OsFlagsB : BYTE {
    OSB_WINXP = 0x01,
    OSB_NT_MAJOR4 = 0x02,     // NT 4 or later
    OSB_NT_MAJOR5 = 0x04,     // Windows 2000 or later
    OSB_NT_AFTER_2000 = 0x08, // newer than NT 5.0
    OSB_LUNA_COLORS = 0x10,   // the taskbar colours below were read
  };
  enum VisualStyleScheme { VSS_NONE = 0, VSS_NORMAL_COLOR = 1, VSS_HOMESTEAD = 2, VSS_METALLIC = 3 };
  enum { LUNA_COLOR_COUNT = 7 };

  // A visual style the detection takes instead of the system's (tests only).
  struct ForcedVisualStyle_t {
    bool m_bAppThemed;
    LPCWSTR m_pszThemeFile; // NULL: the theme name cannot be read
    LPCWSTR m_pszColorName;
    int m_nTaskbandColors; // how many of the taskbar colours can be read, in order
    COLORREF m_arrTaskbandColors[LUNA_COLOR_COUNT];
  };

  typedef BOOL(WINAPI* PFN_GradientFill)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
  typedef BOOL(WINAPI* PFN_AlphaBlend)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
  typedef BOOL(WINAPI* PFN_TransparentBlt)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
  typedef BOOL(WINAPI* PFN_AnimateWindow)(HWND, DWORD, DWORD);
  typedef BOOL(WINAPI* PFN_SetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);
  typedef BOOL(WINAPI* PFN_UpdateLayeredWindow)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                BLENDFUNCTION*, DWORD);

  CExtPaintManagerHolder();
  ~CExtPaintManagerHolder();
  CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
  CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

  CExtPaintManager* operator->() const { return m_pPaintManager.get(); }
  CExtPaintManager* GetPM() const { return m_pPaintManager.get(); }

  // Installs the manager (a new classic-family object the holder then owns; NULL for the XP theme)
  // and builds its fonts, colours and brushes. An object that is no paint manager is refused and
  // stays the caller's; the installed theme is kept.
  bool InstallTheme(CObject* pPaintManager);
  // Installs a new object of the class; NULL keeps an installed theme (or installs the XP one).
  bool InstallThemeByClass(CRuntimeClass* pClass);

  // Whether the window is the one of its frame that passes system changes on: the status bar,
  // else an outer dock bar, else the MDI tab window; any window of a frame that has none of them.
  bool IsThemeNotificationWindow(CWnd* pWnd);
  // Each passes the change to the current theme when the window is its frame's notification
  // window; true when the theme reacted.
  bool ForwardSysColorChange(CWnd* pWnd);
  bool ForwardSettingChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
  bool ForwardDisplayChange(CWnd* pWnd, int nBitsPerPixel, int cx, int cy);
  bool ForwardThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

  // Reads the version record and classifies the system.
  void ClassifyOsVersion();
  // Finds the visual style's colour scheme and reads the taskbar colours the Office 2003 theme
  // derives its palette from.
  void DetectVisualStyle();
  // The visual-style library is loaded and answers that the application is themed.
  bool IsAppThemed();

  bool IsWin9x() const { return (m_nOsFlagsA & OSA_WIN9X) != 0; }
  bool IsWin95() const { return (m_nOsFlagsA & OSA_WIN95) != 0; }
  bool IsNt4() const { return (m_nOsFlagsA & OSA_NT4) != 0; }
  bool IsNtMajor5OrLater() const { return (m_nOsFlagsB & OSB_NT_MAJOR5) != 0; }
  bool AreLunaColorsValid() const { return (m_nOsFlagsB & OSB_LUNA_COLORS) != 0; }

  // Testing hooks: a version record classified instead of the system's, and a visual style
  // detected instead of the system's (NULL: the real ones again; both take effect at the next
  // classification or detection); gradient fills refused as if msimg32 lacked them.
  static void TestForceOsVersion(const OSVERSIONINFOA* pVersion);
  static void TestForceVisualStyle(const ForcedVisualStyle_t* pStyle);
  void TestDisableGradientFill(bool bDisable);

private:
  std::unique_ptr<CExtPaintManager> m_pPaintManager;

public:
  CString m_strOsVersion;
  OSVERSIONINFOA m_osVersion;
  BYTE m_nOsFlagsA = 0;
  BYTE m_nOsFlagsB = 0;
  COLORREF m_arrLunaColors[LUNA_COLOR_COUNT] = {};
  CExtVisualStyleApi m_VisualStyleApi;
  int m_eVisualStyleScheme = VSS_NONE;
  HMODULE m_hMsImg32 = NULL;
  PFN_GradientFill m_pfnGradientFill = NULL;
  PFN_AlphaBlend m_pfnAlphaBlend = NULL;
  PFN_TransparentBlt m_pfnTransparentBlt = NULL;
  HMODULE m_hUser32 = NULL;
  PFN_AnimateWindow m_pfnAnimateWindow = NULL;
  PFN_SetLayeredWindowAttributes m_pfnSetLayeredWindowAttributes = NULL;
  PFN_UpdateLayeredWindow m_pfnUpdateLayeredWindow = NULL;

private:
  PFN_GradientFill m_pfnGradientFillLoaded = NULL;
};

extern CExtPaintManagerHolder g_PaintManagerHolder;
