// Pieces the tests of the popup base, its animation and its shadow share: a popup with plain
// content, buffer pixels in window coordinates, a forced screen depth, a recorder of the interface
// sounds, and waiting for an effect.
#pragma once

#include "framework/fw.h"
#include "tests/common/import_patch.h"
#include "toolkit/menus/ExtPopupBaseWnd.h"

#include <functional>
#include <string>
#include <vector>

namespace popup_base_test {

// Runs messages until done() answers true or five seconds pass; done()'s last answer.
bool PumpUntil(const std::function<bool()>& done);

// The pixel at window (x, y), x from the left and y from the top, of a bottom-up buffer.
inline DWORD& BufferAt(DWORD* pBits, int cx, int cy, int x, int y) {
  return pBits[(size_t)(cy - 1 - y) * cx + x];
}

// While it lives, the screen depth the theme reads (BITSPIXEL of the screen) answers nBits.
class CForcedScreenDepth {
public:
  explicit CForcedScreenDepth(int nBits);
  ~CForcedScreenDepth();
  CForcedScreenDepth(const CForcedScreenDepth&) = delete;
  CForcedScreenDepth& operator=(const CForcedScreenDepth&) = delete;
  bool Applied() const { return m_patch.Applied(); }

private:
  CImportPatch m_patch;
};

// While it lives, the sounds the player plays are noted by name instead of played.
class CSoundRecorder {
public:
  CSoundRecorder();
  ~CSoundRecorder();
  CSoundRecorder(const CSoundRecorder&) = delete;
  CSoundRecorder& operator=(const CSoundRecorder&) = delete;
  bool Applied() const { return m_patch.Applied(); }
  // The names played so far, once no sound worker runs any more.
  std::vector<std::string> Sounds();

private:
  CImportPatch m_patch;
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
  CRect ContentRect() const;

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
