// What the combo and edit tests share: a host window with a themed drop-down combo, a themed edit
// and a plain edit holding the focus, bound to a command profile; real keys; and the popup menu a
// right click opens.
#pragma once

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/controls/ExtComboBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace combo_support {

class CComboHost : public CHostWnd {
public:
  ~CComboHost() override;
  // Shown and active, the focus on m_other; the combo lists "apple", "abc", "banana". bSubclass
  // makes a plain combo with its edit first and subclasses it, as a dialog template does.
  bool Open(bool bProfile = true, bool bSubclass = false);
  bool SetClipboard(const char* pszText); // NULL empties it
  bool FocusCombo();                      // the focus on the combo's edit

  CExtComboBox m_combo;
  CExtEditBase m_edit;
  CEdit m_other;
};

std::string Text(CWnd* pWnd);
void Chord(UINT nModifier, UINT nVirtKey);
void Type(const char* pszLetters); // lower-case letters
bool RestPointer(CPoint ptScreen); // moves the pointer and waits until it is there
// How many messages of the kind reach the window's procedure while fn runs.
int CountMessages(HWND hWnd, UINT nMessage, const std::function<void()>& fn);

// What a right click at the point opened: the toolkit popup menu's texts joined by '|' ("-" for a
// separator) and a '1' or '0' per command as it is enabled, read while it is shown, then closed
// with nCloseKey (Escape or an item's accelerator); or a platform menu, closed with Escape.
struct MenuSeen {
  std::string sTexts, sEnabled;
  bool bPlatformMenu = false;
};
MenuSeen RightClickMenu(CPoint ptScreen, UINT nCloseKey = VK_ESCAPE);

// Names parameterised cases by their pszName.
struct ByName {
  template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
    return info.param.pszName;
  }
};

} // namespace combo_support
