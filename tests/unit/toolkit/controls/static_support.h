// What the group-box, label and slider tests share: a shown host that records its children's
// scroll codes, a fixture pinning the theme, the checked system colours and no visual style, and
// reading a child's pixels back.
#pragma once

#include "tests/common/window_support.h"
#include "tests/unit/toolkit/theme/theme_support.h"

#include <memory>
#include <vector>

// None of them is what font smoothing makes of black.
const COLORREF kShadow = RGB(200, 0, 0);
const COLORREF kWindow = RGB(0, 0, 230);
const COLORREF kText = RGB(0, 0, 0);

class CScrollRecordingHost : public CHostWnd {
public:
  std::vector<UINT> m_codes; // LOWORD of each WM_HSCROLL

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class StaticControlTest : public ThemeTest {
protected:
  void SetUp() override;
  void TearDown() override;
  // Installs the theme (after the colours are pinned) and shows the host in front.
  PM* Begin(Theme theme);
  // A platform child of the host in the default GUI font, for the test to subclass.
  HWND MakeChild(LPCSTR pszClass, LPCSTR pszText, DWORD dwStyle, const CRect& rc);
  // Repaints the window now (unless bAsIs) and reads its client area back.
  static pixel_support::Pixels Read(CWnd& wnd, bool bAsIs = false);
  static CSize TextSize(LPCSTR pszText, bool bBold = false);

  std::unique_ptr<ScopedSysColors> m_colors;
  std::unique_ptr<CScrollRecordingHost> m_host;

private:
  FARPROC m_pfnOldIsThemeActive = NULL;
};

int CountPixels(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr);
// The bounding box of the pixels inside rc of the colour (bOther: of neither that colour nor
// clrAlso); empty when there are none.
CRect Box(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr, bool bOther = false,
          COLORREF clrAlso = (COLORREF)-1);
