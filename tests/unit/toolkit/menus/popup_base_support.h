// Pieces the tests of the popup base, its animation and its shadow share: a popup with plain
// content, buffer pixels in window coordinates, a forced screen depth, a recorder of the interface
// sounds, and waiting for an effect.
#pragma once

#include "framework/fw.h"
#include "tests/common/import_patch.h"
#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupBaseWnd.h"

#include <functional>
#include <string>
#include <vector>

namespace popup_base_test {

// The pixel at window (x, y), y from the top, of a bottom-up buffer.
inline DWORD& BufferAt(DWORD* pBits, int cx, int cy, int x, int y) {
  return pBits[(size_t)(cy - 1 - y) * cx + x];
}

// A COLORREF with nFactor percent of each channel kept.
inline COLORREF Shaded(COLORREF clr, int nFactor) {
  return RGB(GetRValue(clr) * nFactor / 100, GetGValue(clr) * nFactor / 100, GetBValue(clr) * nFactor / 100);
}

// While it lives, the screen depth the theme reads (BITSPIXEL) answers nBits.
class CForcedScreenDepth : public CImportPatch {
public:
  explicit CForcedScreenDepth(int nBits);
};

// While it lives, the player's sounds are noted by name instead of played.
class CSoundRecorder : public CImportPatch {
public:
  CSoundRecorder();
  ~CSoundRecorder();
  // The names played so far, once no sound worker runs any more.
  std::vector<std::string> Sounds();
};

// A popup painting a solid rectangle over its client area less the shadow band, and its shadow
// (factors 75 and 100, kept) in the band; its frames are the base's pixel effects.
class CPlainPopup : public CExtPopupBaseWnd {
public:
  static const COLORREF kContent;

  // Creates the window hidden at rcScreen.
  bool CreateHidden(const RECT& rcScreen);
  // Shows it without activating it and paints it at once.
  void ShowAndPaint();

  bool IsEffectsSuppressed() const override { return m_bSuppressed; }
  void PaintContent(CDC& dc, bool bOnScreen) override;
  void PaintAnimationFrame(CDC& dc) override;

  bool m_bSuppressed = false;
  std::vector<int> m_mouseActivateAnswers;
  int m_nButtonDowns = 0;
  int m_nButtonUps = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace popup_base_test
