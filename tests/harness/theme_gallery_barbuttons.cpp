#include "tests/harness/theme_gallery.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <memory>

namespace gallery {

namespace {

// ---------------------------------------------------------------------------------------------
// Bar buttons in every state, painted by a real tool bar: a picture of its own per theme.

const char kProfile[] = "gallery_bar";
enum : UINT { kFirstId = 41000, kButtons = 12 };

// A hidden window holding a tool bar in dialog mode, with one command per button.
struct GalleryToolBar {
  CWnd host;
  CExtToolControlBar bar;
  CMenu menu;

  bool Create() {
    if (!host.CreateEx(0, "STATIC", "gallery", WS_POPUP, CRect(0, 0, 760, 140), NULL, 0) ||
        !g_CmdManagerHolder->SetupProfile(kProfile, host.m_hWnd))
      return false;
    for (UINT i = 0; i < kButtons; ++i) {
      CExtCmdItem* pItem = g_CmdManagerHolder->AllocCommand(kProfile, kFirstId + i);
      if (pItem == NULL)
        return false;
      pItem->m_sToolbarText = i >= 10 ? "Text" : "";
      HICON hIcon = CExtPaintManager::CreateColorSampleIcon(RGB(40 + i * 17, 200 - i * 13, (i * 71) & 0xFF));
      g_CmdManagerHolder->SetCommandIcon(kProfile, kFirstId + i, hIcon, true);
      ::DestroyIcon(hIcon);
    }
    const UINT ids[kButtons + 1] = {
        kFirstId,     kFirstId + 1, kFirstId + 2, kFirstId + 3, kFirstId + 4,  kFirstId + 5, 0,
        kFirstId + 6, kFirstId + 7, kFirstId + 8, kFirstId + 9, kFirstId + 10, kFirstId + 11};
    if (!bar.Create(NULL, &host, 0xE900, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS) ||
        !bar.SetButtons(ids, kButtons + 1) || !menu.CreatePopupMenu())
      return false;
    menu.AppendMenu(MF_STRING, kFirstId, "Item");
    return true;
  }

  // normal, hover, pressed, checked, disabled, indeterminate | separator | drop-down, split,
  // split pressed, checked, text with hover, text disabled.
  void SetStates() {
    const UINT styles[] = {0,
                           0,
                           TBBS_PRESSED,
                           TBBS_CHECKED,
                           TBBS_DISABLED,
                           TBBS_INDETERMINATE,
                           TBBS_SEPARATOR,
                           0,
                           0,
                           TBBS_PRESSED,
                           TBBS_CHECKED,
                           0,
                           TBBS_DISABLED};
    for (int i = 0; i < bar.GetButtonCount() && i < (int)std::size(styles); ++i) {
      CExtBarButton* pButton = bar.GetButton(i);
      if (pButton->IsSeparator())
        continue;
      pButton->SetStyle(styles[i]);
      pButton->SetHover(i == 1 || i == 10);
    }
    bar.SetButtonMenu(7, menu.m_hMenu, true, false, false);
    bar.SetButtonMenu(8, menu.m_hMenu, true, false, false);
    bar.SetButtonMenu(9, menu.m_hMenu, true, false, false);
    bar.GetButton(8)->SetSeparatedDropDown(true);
    bar.GetButton(9)->SetSeparatedDropDown(true);
  }
};

} // namespace

void PaintBarButtons(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  UNUSED_ALWAYS(pm);
  dc.FillSolidRect(0, 0, kBarButtonsWidth, kBarButtonsHeight, kBack);
  Label(dc, 4, 4, pszName);
  Label(dc, 4, 20,
        "bar buttons: normal, hover, pressed, checked, disabled, indeterminate | separator | drop-down,");
  Label(dc, 4, 34, "split, split pressed, checked, text hover, text disabled");
  static std::unique_ptr<GalleryToolBar> s_bar;
  if (s_bar == nullptr) {
    s_bar = std::make_unique<GalleryToolBar>();
    if (!s_bar->Create())
      s_bar.reset();
  }
  if (s_bar == nullptr) {
    Label(dc, 4, 60, "the tool bar could not be made");
    return;
  }
  CExtToolControlBar& bar = s_bar->bar;
  s_bar->SetStates();
  bar.MoveWindow(0, 0, 740, 32);
  bar.RecalcButtonPositions();
  const int nSaved = dc.SaveDC();
  dc.SetViewportOrg(4, 56);
  bar.DoPaint(&dc);
  dc.RestoreDC(nSaved);
}

} // namespace gallery
