// What the combo and edit tests share: a host window with a themed drop-down combo, a themed edit
// and a plain edit to hold the focus elsewhere, bound to a command profile; real key chords; and
// the popup menu a right click opens, read while it is tracked and then closed.
#pragma once

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/controls/ExtComboBox.h"

#include <string>
#include <vector>

namespace combo_support {

// Counts its paints, so a test can tell when it repaints.
class CCountingCombo : public CExtComboBox {
public:
  int m_nPaints = 0;
  void OnPaintCombo(bool bPushed, bool bHover) override {
    ++m_nPaints;
    CExtComboBox::OnPaintCombo(bPushed, bHover);
  }
};

class CComboHost : public CHostWnd {
public:
  enum { IDC_COMBO = 3001, IDC_EDIT = 3002, IDC_OTHER = 3003 };
  static const char* const kItems[3]; // "apple", "abc", "banana"

  ~CComboHost() override;
  // Shown, active, with the focus on the plain edit; without a profile no command profile is bound.
  bool Open(bool bProfile = true, DWORD dwComboStyle = CBS_DROPDOWN);

  CCountingCombo m_combo;
  CExtEditBase m_edit;
  CEdit m_other;
};

// Counts the messages of one kind that reach a window's procedure.
class CMessageProbe {
public:
  CMessageProbe(HWND hWnd, UINT nMessage);
  ~CMessageProbe();
  CMessageProbe(const CMessageProbe&) = delete;
  CMessageProbe& operator=(const CMessageProbe&) = delete;
  int m_nCount = 0;

private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR nId,
                               DWORD_PTR dwThis);
  HWND m_hWnd;
  UINT m_nMessage;
};

// The window's text.
std::string Text(CWnd* pWnd);
// Presses the modifier, the key, then releases both.
void Chord(UINT nModifier, UINT nVirtKey);
// Types lower-case letters.
void Type(const char* pszLetters);
// Moves the pointer and waits until it is there.
bool RestPointer(CPoint ptScreen);

// One item of a tracked popup menu as it was shown.
struct MenuItemSeen {
  UINT nCmdId;
  std::string sText;
  bool bEnabled;
};
// Right-clicks at the point, reads the toolkit popup menu that opens, then presses nCloseKey
// (Escape closes it; an accelerator chooses an item) and waits until tracking has ended. Empty
// when no toolkit menu opened; a platform menu that opened instead is closed with Escape and
// reported through pbPlatformMenu.
std::vector<MenuItemSeen> RightClickMenu(CPoint ptScreen, UINT nCloseKey = VK_ESCAPE,
                                         bool* pbPlatformMenu = NULL);

} // namespace combo_support
