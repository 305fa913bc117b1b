// The dialogs of controlslab's buttons, static controls and combo boxes, and the input its
// self-test drives through them as a user would.
#include "resources/toolkit_ids.h"
#include "tests/common/input_support.h"
#include "tests/harness/controlslab.h"
#include "tests/harness/lab_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <commctrl.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace clab {

namespace {

int CountLogged(const std::string& line) {
  int n = 0;
  for (const std::string& s : lab::g_log)
    n += s == line ? 1 : 0;
  return n;
}

std::string CommandLine(const char* pszFamily, UINT nId, UINT nCode) {
  return std::string(pszFamily) + ": command " + std::to_string(nId) + " code " + std::to_string(nCode);
}

bool HasFocusWithin(HWND hWnd) {
  HWND hFocus = ::GetFocus();
  return hFocus != NULL && (hFocus == hWnd || ::IsChild(hWnd, hFocus));
}

// Types the text's letters and digits (lower case) as key presses.
std::vector<UINT> KeysOf(const char* psz) {
  std::vector<UINT> keys;
  for (; *psz != '\0'; ++psz)
    keys.push_back(*psz == ' ' ? VK_SPACE : (UINT)::toupper((unsigned char)*psz));
  return keys;
}

// The tracked popup once it shows (its opening animation over), else NULL.
CExtPopupMenuWnd* OpenMenu() {
  if (!CExtPopupMenuWnd::AnyMenuTracked() || CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu != NULL)
    return NULL;
  return CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
}

CExtPopupColorMenuWnd* OpenColorMenu() { return dynamic_cast<CExtPopupColorMenuWnd*>(OpenMenu()); }

CPoint MenuItemCentre(UINT nCmdId) {
  CExtPopupMenuWnd* pMenu = OpenMenu();
  if (pMenu == NULL)
    return CPoint(0, 0);
  for (int i = 0; i < pMenu->GetItemCount(); ++i) {
    if (pMenu->ItemGetCmdID(i) == nCmdId) {
      CRect rc;
      pMenu->GetItemRect(i, rc);
      pMenu->ClientToScreen(rc);
      return rc.CenterPoint();
    }
  }
  return CPoint(0, 0);
}

// The screen centre of a rectangle in the colour popup's client area.
CPoint ColorMenuPoint(const std::function<CRect(CExtPopupColorMenuWnd&)>& rect) {
  CExtPopupColorMenuWnd* pMenu = OpenColorMenu();
  if (pMenu == NULL)
    return CPoint(0, 0);
  CRect rc = rect(*pMenu);
  pMenu->ClientToScreen(rc);
  return rc.CenterPoint();
}

std::string ColorLine(COLORREF clr) {
  char sz[64];
  std::snprintf(sz, sizeof(sz), "buttons: colour chosen 0x%08lX cookie %d", (unsigned long)clr,
                IDC_CLAB_COLORBTN);
  return sz;
}

CString WindowText(HWND hWnd) {
  char sz[256] = "";
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

} // namespace

BEGIN_MESSAGE_MAP(CButtonsDialog, CLabDialog)
ON_COMMAND_RANGE(ID_CLAB_MENU_FIRST, ID_CLAB_MENU_SECOND, OnMenuCommand)
END_MESSAGE_MAP()

BOOL CButtonsDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  const struct {
    CButton* pButton;
    UINT nId;
  } kItems[] = {
      {&m_push, IDC_CLAB_PUSH},          {&m_default, IDC_CLAB_DEFAULT},   {&m_disabled, IDC_CLAB_DISABLED},
      {&m_menuButton, IDC_CLAB_MENUBTN}, {&m_color, IDC_CLAB_COLORBTN},    {&m_check, IDC_CLAB_CHECK},
      {&m_check3, IDC_CLAB_CHECK3},      {&m_checkOff, IDC_CLAB_CHECKOFF}, {&m_radio[0], IDC_CLAB_RADIO1},
      {&m_radio[1], IDC_CLAB_RADIO2},    {&m_radio[2], IDC_CLAB_RADIO3}};
  for (const auto& item : kItems)
    if (!item.pButton->SubclassDlgItem(item.nId, this))
      lab::Check(false, "buttons: item " + std::to_string(item.nId) + " is subclassed");
  // The menu button opens its menu from the arrow part only.
  CMenu menu;
  if (!menu.LoadMenu(IDR_CLAB_PUSHMENU) || !m_menuButton.m_menu.Attach(::GetSubMenu(menu.m_hMenu, 0)) ||
      ::RemoveMenu(menu.m_hMenu, 0, MF_BYPOSITION) == FALSE)
    lab::Check(false, "buttons: the menu button's menu is loaded");
  m_menuButton.SetSeparatedDropDown(true);
  m_color.m_lParamCookie = IDC_CLAB_COLORBTN;
  m_color.m_bUseSystemColorDialog = false;
  m_color.m_clrDefault = RGB(0, 0, 128);
  m_checkOff.SetCheck(1);
  m_radio[0].SetCheck(1);
  return TRUE;
}

BOOL CStaticDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  if (!m_group.SubclassDlgItem(IDC_CLAB_GROUP, this) || !m_label.SubclassDlgItem(IDC_CLAB_LABEL, this) ||
      !m_labelOff.SubclassDlgItem(IDC_CLAB_LABELOFF, this) ||
      !m_slider.SubclassDlgItem(IDC_CLAB_SLIDER, this) ||
      !m_sliderOff.SubclassDlgItem(IDC_CLAB_SLIDEROFF, this))
    lab::Check(false, "static: every item is subclassed");
  m_group.m_nFrameStyle = CExtGroupBox::STYLE_CAPTION;
  m_label.m_nFontFlags = CExtLabel::FONT_BOLD;
  for (CExtSliderWnd* pSlider : {&m_slider, &m_sliderOff}) {
    pSlider->SetSliderStyle(CExtSliderWnd::STYLE_THEMED);
    pSlider->SetRange(0, 100, TRUE);
    pSlider->SetTicFreq(10);
    pSlider->SetPageSize(10);
  }
  m_sliderOff.SetPos(60);
  return TRUE;
}

BOOL CComboDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  if (!m_combo.SubclassDlgItem(IDC_CLAB_COMBO, this) ||
      !m_comboList.SubclassDlgItem(IDC_CLAB_COMBOLIST, this) ||
      !m_comboOff.SubclassDlgItem(IDC_CLAB_COMBOOFF, this) || !m_edit.SubclassDlgItem(IDC_CLAB_EDIT, this))
    lab::Check(false, "combo: every item is subclassed");
  for (const char* psz : {"Arial", "Courier New", "Tahoma", "Times New Roman", "Verdana"}) {
    m_combo.AddString(psz);
    m_comboList.AddString(psz);
  }
  m_comboList.SetCurSel(0);
  m_comboOff.SetWindowText("Disabled");
  m_edit.SetWindowText("Edit");
  return TRUE;
}

namespace {

void AddButtonKeySteps(lab::CLabScript& script, CButtonsDialog& dlg) {
  const auto clicks = [](UINT nId) { return CountLogged(CommandLine("buttons", nId, BN_CLICKED)); };
  script.AddClick(
      "buttons: a click gives Push the focus", [&dlg] { return dlg.ItemCentre(IDC_CLAB_PUSH); },
      [&dlg, clicks] { return ::GetFocus() == dlg.m_push.m_hWnd && clicks(IDC_CLAB_PUSH) == 2; });
  script.AddKeys("buttons: Space clicks the focused button", {VK_SPACE},
                 [clicks] { return clicks(IDC_CLAB_PUSH) == 3; });
  script.AddKeys("buttons: Return clicks it too", {VK_RETURN},
                 [clicks] { return clicks(IDC_CLAB_PUSH) == 4; });
}

void AddButtonMenuSteps(lab::CLabScript& script, CButtonsDialog& dlg) {
  const auto clicks = [](UINT nId) { return CountLogged(CommandLine("buttons", nId, BN_CLICKED)); };
  script.AddClick(
      "buttons: a click on the menu button's main part sends its command",
      [&dlg] {
        CRect rc = dlg.ItemRect(IDC_CLAB_MENUBTN);
        return CPoint(rc.left + 12, rc.CenterPoint().y);
      },
      [clicks] { return clicks(IDC_CLAB_MENUBTN) == 1 && !CExtPopupMenuWnd::AnyMenuTracked(); });
  script.AddClick(
      "buttons: a click on its arrow opens its menu",
      [&dlg] {
        CRect rc = dlg.ItemRect(IDC_CLAB_MENUBTN);
        return CPoint(rc.right - 6, rc.CenterPoint().y);
      },
      [] { return OpenMenu() != NULL; });
  script.AddClick(
      "buttons: a click on Second in the menu sends it", [] { return MenuItemCentre(ID_CLAB_MENU_SECOND); },
      [clicks] {
        return lab::Logged("buttons: menu command " + std::to_string(ID_CLAB_MENU_SECOND)) &&
               !CExtPopupMenuWnd::AnyMenuTracked() && clicks(IDC_CLAB_MENUBTN) == 1;
      });
  script.AddClick(
      "buttons: a click on the colour button opens its colour popup",
      [&dlg] { return dlg.ItemCentre(IDC_CLAB_COLORBTN); }, [] { return OpenColorMenu() != NULL; });
  script.Add(
      "buttons: picture of the colour popup",
      [&dlg] {
        CRect rc, rcMenu;
        dlg.GetParent()->GetWindowRect(rc);
        if (CExtPopupColorMenuWnd* pMenu = OpenColorMenu()) {
          pMenu->GetWindowRect(rcMenu);
          rc.UnionRect(rc, rcMenu);
        }
        lab::SaveScreenshot(rc, "controlslab_office2003_buttons_colour_popup");
      },
      nullptr);
  auto clrCell = std::make_shared<COLORREF>();
  script.AddClick(
      "buttons: a click on a colour of the popup chooses it",
      [clrCell] {
        if (CExtPopupColorMenuWnd* pMenu = OpenColorMenu())
          *clrCell = pMenu->GetColorAt(13);
        return ColorMenuPoint([](CExtPopupColorMenuWnd& menu) { return menu.GetCellRect(13); });
      },
      [&dlg, clrCell] {
        return !CExtPopupMenuWnd::AnyMenuTracked() && dlg.m_color.m_clrSelected == *clrCell &&
               lab::Logged(ColorLine(*clrCell));
      });
  script.AddClick(
      "buttons: the colour popup opens again", [&dlg] { return dlg.ItemCentre(IDC_CLAB_COLORBTN); },
      [] { return OpenColorMenu() != NULL; });
  // The popup offers the button's default colour, reported and shown as chosen.
  script.AddClick(
      "buttons: a click on the popup's default colour",
      [] { return ColorMenuPoint([](CExtPopupColorMenuWnd& menu) { return menu.m_rcDefaultButton; }); },
      [&dlg] {
        return !CExtPopupMenuWnd::AnyMenuTracked() && dlg.m_color.m_clrSelected == RGB(0, 0, 128) &&
               lab::Logged(ColorLine(RGB(0, 0, 128)));
      });
  // The popup's custom colour opens the toolkit's colour dialog on the button's colour.
  script.AddClick(
      "buttons: the colour popup opens a third time", [&dlg] { return dlg.ItemCentre(IDC_CLAB_COLORBTN); },
      [] { return OpenColorMenu() != NULL; });
  script.AddClick(
      "buttons: the popup's custom colour opens the colour dialog",
      [] { return ColorMenuPoint([](CExtPopupColorMenuWnd& menu) { return menu.m_rcCustomButton; }); },
      [] { return OpenColorDialog() != NULL && ColorDialogText(IDC_EXT_COLOR_BLUE) == "128"; });
  script.AddClick(
      "buttons: a click in the green value gives it the focus",
      [] { return ColorDialogItemCentre(IDC_EXT_COLOR_GREEN); },
      [] { return ::GetFocus() == ::GetDlgItem(OpenColorDialog(), IDC_EXT_COLOR_GREEN); });
  script.AddKeys("buttons: typing a green of 77", {VK_END, VK_BACK, VK_BACK, VK_BACK, '7', '7'},
                 [] { return ColorDialogText(IDC_EXT_COLOR_GREEN) == "77"; });
  script.AddClick(
      "buttons: OK gives the button the dialog's colour", [] { return ColorDialogItemCentre(IDOK); },
      [&dlg] {
        return OpenColorDialog() == NULL && dlg.m_color.m_clrSelected == RGB(0, 77, 128) &&
               lab::Logged(ColorLine(RGB(0, 77, 128)));
      });
}

} // namespace

void AddButtonsSteps(lab::CLabScript& script, CLabDialog& dialog) {
  auto& dlg = static_cast<CButtonsDialog&>(dialog);
  const auto clicks = [&dlg](UINT nId) { return CountLogged(CommandLine("buttons", nId, BN_CLICKED)); };
  script.AddClick(
      "buttons: a click on Push sends its command", [&dlg] { return dlg.ItemCentre(IDC_CLAB_PUSH); },
      [clicks] { return clicks(IDC_CLAB_PUSH) == 1; });
  script.AddClick(
      "buttons: a click on the disabled button", [&dlg] { return dlg.ItemCentre(IDC_CLAB_DISABLED); },
      nullptr);
  script.AddClick(
      "buttons: a click checks the check box", [&dlg] { return dlg.ItemCentre(IDC_CLAB_CHECK); },
      [&dlg, clicks] { return dlg.m_check.GetCheck() == 1 && clicks(IDC_CLAB_CHECK) == 1; });
  // Input is taken in order: once the check box took its click, the disabled button had its own.
  script.Add(
      "buttons: the disabled button sent nothing",
      [clicks] {
        lab::Check(clicks(IDC_CLAB_DISABLED) == 0, "buttons: no command from the disabled button");
      },
      nullptr);
  script.AddClick(
      "buttons: a second click clears it", [&dlg] { return dlg.ItemCentre(IDC_CLAB_CHECK); },
      [&dlg, clicks] { return dlg.m_check.GetCheck() == 0 && clicks(IDC_CLAB_CHECK) == 2; });
  // The three-state box cycles unchecked, checked, indeterminate, unchecked.
  for (int nState : {1, 2, 0})
    script.AddClick(
        "buttons: a click sets the three-state box to " + std::to_string(nState),
        [&dlg] { return dlg.ItemCentre(IDC_CLAB_CHECK3); },
        [&dlg, nState] { return dlg.m_check3.GetCheck() == nState; });
  // A radio button sets its check and clears the group's others; a second click keeps it on.
  int nRadioClicks[3] = {0, 0, 0};
  for (int nRadio : {1, 1, 2}) {
    const int nClicks = ++nRadioClicks[nRadio];
    script.AddClick(
        "buttons: a click on Radio " + std::to_string(nRadio + 1) + " checks it alone in its group",
        [&dlg, nRadio] { return dlg.ItemCentre(IDC_CLAB_RADIO1 + nRadio); },
        [&dlg, nRadio, nClicks, clicks] {
          for (int i = 0; i < 3; ++i)
            if (dlg.m_radio[i].GetCheck() != (i == nRadio ? 1 : 0))
              return false;
          return clicks(IDC_CLAB_RADIO1 + nRadio) == nClicks;
        });
  }
  AddButtonKeySteps(script, dlg);
  AddButtonMenuSteps(script, dlg);
}

void AddStaticSteps(lab::CLabScript& script, CLabDialog& dialog) {
  auto& dlg = static_cast<CStaticDialog&>(dialog);
  const auto thumbCentre = [&dlg] {
    CRect rc;
    dlg.m_slider.GetThumbRect(rc);
    dlg.m_slider.ClientToScreen(rc);
    return rc.CenterPoint();
  };
  const auto channelEnd = [&dlg] {
    CRect rc;
    dlg.m_slider.GetChannelRect(rc);
    dlg.m_slider.ClientToScreen(rc);
    return CPoint(rc.right + 20, rc.CenterPoint().y);
  };
  const std::string track = "static: hscroll " + std::to_string(IDC_CLAB_SLIDER);
  script.AddDrag("static: dragging the slider's thumb to the end moves it there", thumbCentre, channelEnd,
                 [&dlg, track] {
                   // Wine's track bar reports the end of a drag twice.
                   return dlg.m_slider.GetPos() == 100 && CountLogged(track + " code 8 pos 100") >= 1;
                 });
  script.Add(
      "static: the drag was reported as it went",
      [track] {
        lab::Check(CountLogged(track + " code 5 pos 100") >= 1, "static: the thumb's track was sent");
      },
      nullptr);
  script.AddKeys("static: Left moves the focused slider back a line", {VK_LEFT}, [&dlg, track] {
    return dlg.m_slider.GetPos() == 99 && CountLogged(track + " code 0 pos 99") == 1;
  });
  script.AddKeys("static: Home moves it to the start", {VK_HOME}, [&dlg, track] {
    return dlg.m_slider.GetPos() == 0 && CountLogged(track + " code 6 pos 0") == 1;
  });
  script.AddClick(
      "static: a click on the disabled slider", [&dlg] { return dlg.ItemCentre(IDC_CLAB_SLIDEROFF); },
      nullptr);
  // A click on the channel right of the thumb pages the slider on; by then the disabled one had
  // its click.
  script.AddClick(
      "static: a click right of the thumb pages the slider on",
      [&dlg] {
        CRect rcThumb, rcChannel;
        dlg.m_slider.GetThumbRect(rcThumb);
        dlg.m_slider.GetChannelRect(rcChannel);
        CPoint pt((rcThumb.right + rcChannel.right) / 2, rcChannel.CenterPoint().y);
        dlg.m_slider.ClientToScreen(&pt);
        return pt;
      },
      [&dlg, track] {
        const int nPos = dlg.m_slider.GetPos(), nFirstPages = CountLogged(track + " code 3 pos 10"),
                  nOffPos = dlg.m_sliderOff.GetPos();
        lab::Why("position " + std::to_string(nPos) + ", " + std::to_string(nFirstPages) +
                 " pages to 10, the disabled one at " + std::to_string(nOffPos));
        // A track bar that finds the button still down past its repeat delay pages on, a page at a
        // time: the first page is the click's.
        return nPos >= 10 && nPos % 10 == 0 && nFirstPages == 1 && nOffPos == 60;
      });
}

void AddComboSteps(lab::CLabScript& script, CLabDialog& dialog) {
  auto& dlg = static_cast<CComboDialog&>(dialog);
  script.AddClick(
      "combo: a click in the combo's edit gives it the focus",
      [&dlg] {
        CRect rc = dlg.ItemRect(IDC_CLAB_COMBO);
        return CPoint(rc.left + 12, rc.CenterPoint().y);
      },
      [&dlg] { return HasFocusWithin(dlg.m_combo.m_hWnd); });
  // Typing completes from the list and selects what it added; Backspace takes the completion away.
  script.AddKeys("combo: typing completes from the list", KeysOf("ti"), [&dlg] {
    const DWORD dwSel = (DWORD)dlg.m_combo.SendMessage(CB_GETEDITSEL);
    return WindowText(dlg.m_combo.m_hWnd) == "Times New Roman" && LOWORD(dwSel) == 2 && HIWORD(dwSel) == 15 &&
           CountLogged(CommandLine("combo", IDC_CLAB_COMBO, CBN_EDITCHANGE)) >= 2;
  });
  script.AddKeys("combo: Backspace removes the completion", {VK_BACK},
                 [&dlg] { return WindowText(dlg.m_combo.m_hWnd) == "Ti"; });
  script.AddClick(
      "combo: a click on the list combo's arrow drops its list",
      [&dlg] {
        CRect rc = dlg.ItemRect(IDC_CLAB_COMBOLIST);
        return CPoint(rc.right - 6, rc.CenterPoint().y);
      },
      [&dlg] {
        return dlg.m_comboList.GetDroppedState() != FALSE &&
               CountLogged(CommandLine("combo", IDC_CLAB_COMBOLIST, CBN_DROPDOWN)) == 1;
      });
  script.AddClick(
      "combo: a click on the third item picks it",
      [&dlg] {
        COMBOBOXINFO info = {sizeof(info)};
        ::GetComboBoxInfo(dlg.m_comboList.m_hWnd, &info);
        CRect rc;
        ::SendMessage(info.hwndList, LB_GETITEMRECT, 2, (LPARAM)&rc);
        ::ClientToScreen(info.hwndList, &rc.TopLeft());
        ::ClientToScreen(info.hwndList, &rc.BottomRight());
        return rc.CenterPoint();
      },
      [&dlg] {
        return dlg.m_comboList.GetCurSel() == 2 && dlg.m_comboList.GetDroppedState() == FALSE &&
               CountLogged(CommandLine("combo", IDC_CLAB_COMBOLIST, CBN_SELCHANGE)) == 1 &&
               CountLogged(CommandLine("combo", IDC_CLAB_COMBOLIST, CBN_CLOSEUP)) == 1;
      });
  script.AddClick(
      "combo: a click in the edit gives it the focus", [&dlg] { return dlg.ItemCentre(IDC_CLAB_EDIT); },
      [&dlg] { return HasFocusWithin(dlg.m_edit.m_hWnd); });
  // Setting the first text already sent a change.
  script.AddKeys("combo: End and typing extend the edit's text", {VK_END, 'X'}, [&dlg] {
    return WindowText(dlg.m_edit.m_hWnd) == "Editx" &&
           CountLogged(CommandLine("combo", IDC_CLAB_EDIT, EN_CHANGE)) == 2;
  });
  script.AddClick(
      "combo: a right click on the edit opens its menu of edit commands",
      [&dlg] { return dlg.ItemCentre(IDC_CLAB_EDIT); }, [] { return OpenMenu() != NULL; }, true);
  script.AddClick(
      "combo: Select All in the menu selects the edit's text",
      [] { return MenuItemCentre(ID_EDIT_SELECT_ALL); },
      [&dlg] {
        int nStart = -1, nEnd = -1;
        dlg.m_edit.GetSel(nStart, nEnd);
        return !CExtPopupMenuWnd::AnyMenuTracked() && nStart == 0 && nEnd == 5;
      });
  script.AddClick(
      "combo: a click on the disabled combo", [&dlg] { return dlg.ItemCentre(IDC_CLAB_COMBOOFF); }, nullptr);
  // Once the edit took the next click, the disabled combo had its own.
  script.AddClick(
      "combo: a click in the combo's edit takes the focus back from the edit",
      [&dlg] {
        CRect rc = dlg.ItemRect(IDC_CLAB_COMBO);
        return CPoint(rc.left + 12, rc.CenterPoint().y);
      },
      [&dlg] {
        return HasFocusWithin(dlg.m_combo.m_hWnd) &&
               CountLogged(CommandLine("combo", IDC_CLAB_COMBOOFF, CBN_SETFOCUS)) == 0 &&
               CountLogged(CommandLine("combo", IDC_CLAB_COMBOOFF, CBN_DROPDOWN)) == 0;
      });
}

} // namespace clab
