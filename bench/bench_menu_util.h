// What the popup menu benchmarks share: the menus' owner window with its command profile, the
// themes they are measured in, and a row of figures against a BitBlt of the menu's area.
#pragma once

#include "framework/fw.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdio>
#include <functional>

namespace bench {

const double kFrameMs = 1000.0 / 60;

inline void PrintAgainstBlt(const char* pszWhat, double t, double tBlt) {
  std::printf("%-44s %8.3f ms  %7.1fx a BitBlt  %5.1f%% of a 60 Hz frame\n", pszWhat, t, t / tBlt,
              100 * t / kFrameMs);
}

// A visible popup owning the menus, bound to the profile.
inline bool CreateMenuOwner(CWnd& owner, const char* pszProfile) {
  return owner.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "bench",
                        WS_POPUP | WS_VISIBLE, CRect(100, 100, 900, 800), NULL, 0) &&
         g_CmdManagerHolder->SetupProfile(pszProfile, owner.m_hWnd);
}

// Runs the measurement in the classic and the XP theme; answers the process's exit code.
inline int MeasureInMenuThemes(const std::function<bool(const char*)>& measure, const char* pszFailure) {
  const struct {
    const char* pszName;
    CRuntimeClass* pClass;
  } kThemes[] = {{"classic", RUNTIME_CLASS(CExtPaintManager)}, {"xp", RUNTIME_CLASS(CExtPaintManagerXP)}};
  int nResult = 0;
  for (const auto& theme : kThemes) {
    if (!g_PaintManagerHolder.InstallThemeByClass(theme.pClass) || !measure(theme.pszName)) {
      std::printf("%s: %s\n", theme.pszName, pszFailure);
      nResult = 1;
    }
  }
  return nResult;
}

} // namespace bench
