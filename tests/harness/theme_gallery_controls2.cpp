// The gallery's themed controls in every state, painted by real control windows: a host window
// shown at the screen's corner holds one row of controls per kind and state; its picture is read
// back from the window and the rows are labelled.
#include "tests/harness/theme_gallery.h"
#include "toolkit/controls/ExtButton.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/controls/ExtColorCtrl.h"
#include "toolkit/controls/ExtComboBox.h"
#include "toolkit/controls/ExtDatePickerWnd.h"
#include "toolkit/controls/ExtEditBase.h"
#include "toolkit/controls/ExtGroupBox.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/controls/ExtSliderWnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gallery {

namespace {

// The host paints the theme's dialog face behind the controls.
class ControlsHost : public CWnd {
protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    CRect rc;
    GetClientRect(rc);
    pDC->FillSolidRect(rc, g_PaintManagerHolder->ColorByLogicalId(1000));
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlsHost, CWnd)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

const int kRowTop = 24;
const int kLabelHeight = 16; // each row's label goes above its controls
const int kRowGap = 8;

// One row: a label, and the windows of its cells made once and put in their states before each
// picture.
struct Row {
  const char* pszLabel;
  int cy;
  std::function<bool(CWnd& host, const CRect& rc)> create;
  std::function<void()> setStates;
  std::function<void()> afterPaint; // states painted over the windows' own painting
};

struct Page {
  ControlsHost host;
  std::vector<Row> rows;
  std::vector<std::unique_ptr<CWnd>> windows; // the controls, destroyed before the host
  bool bCreated = false;

  ~Page() {
    windows.clear();
    if (host.m_hWnd != NULL)
      host.DestroyWindow();
  }
  template <class T> T* Own(std::unique_ptr<T> p) {
    T* pRaw = p.get();
    windows.push_back(std::move(p));
    return pRaw;
  }
};

void AddRows(Page& page);

Page* ThePage() {
  static std::unique_ptr<Page> s_page;
  if (s_page == nullptr) {
    s_page = std::make_unique<Page>();
    Page& page = *s_page;
    page.bCreated = page.host.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AfxRegisterWndClass(0), "gallery",
                                       WS_POPUP | WS_CLIPCHILDREN,
                                       CRect(0, 0, kControls2Width, kControls2Height), NULL, 0);
    if (page.bCreated) {
      AddRows(page);
      int y = kRowTop;
      for (Row& row : page.rows) {
        const CRect rc(4, y + kLabelHeight, kControls2Width - 4, y + kLabelHeight + row.cy);
        page.bCreated = page.bCreated && row.create(page.host, rc);
        y += kLabelHeight + row.cy + kRowGap;
      }
    }
  }
  return s_page.get();
}

// The host's picture as the window shows it, into the page at its origin.
bool CopyHostPicture(Page& page, CDC& dc) {
  page.host.SetWindowPos(&CWnd::wndTopMost, 0, 0, kControls2Width, kControls2Height,
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
  page.host.RedrawWindow(NULL, NULL,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  HDC hdcHost = ::GetDC(page.host.m_hWnd);
  if (hdcHost == NULL)
    return false;
  const BOOL bCopied = ::BitBlt(dc.m_hDC, 0, 0, kControls2Width, kControls2Height, hdcHost, 0, 0, SRCCOPY);
  ::ReleaseDC(page.host.m_hWnd, hdcHost);
  page.host.ShowWindow(SW_HIDE);
  return bCopied != FALSE;
}

} // namespace

void PaintControls2(CDC& dc, CExtPaintManager* pm, const char* pszName) {
  dc.FillSolidRect(0, 0, kControls2Width, kControls2Height, pm->ColorByLogicalId(1000));
  Page* pPage = ThePage();
  if (pPage == NULL || !pPage->bCreated) {
    Label(dc, 4, 4, "the controls could not be made");
    return;
  }
  for (Row& row : pPage->rows)
    if (row.setStates)
      row.setStates();
  if (!CopyHostPicture(*pPage, dc))
    Label(dc, 4, 40, "the controls' picture could not be read");
  Label(dc, 4, 4, pszName);
  int y = kRowTop;
  for (const Row& row : pPage->rows) {
    Label(dc, 4, y, row.pszLabel);
    y += kLabelHeight + row.cy + kRowGap;
  }
}

namespace {

// The cell at the index of a row of cells cx wide.
CRect Cell(const CRect& rc, int nIndex, int cx) {
  return CRect(rc.left + nIndex * (cx + 8), rc.top, rc.left + nIndex * (cx + 8) + cx, rc.bottom);
}

// A push-like button of the class in each of the states, one cell each.
struct ButtonCell {
  const char* pszText;
  DWORD dwStyle;
  BYTE nStateFlags; // added to the button's own
  int nPushedPart;
  bool bMenu;
};

template <class T>
bool CreateButtons(Page& page, CWnd& host, const CRect& rc, const std::vector<ButtonCell>& cells, int cx,
                   std::vector<T*>& created) {
  for (size_t i = 0; i < cells.size(); ++i) {
    T* pButton = page.Own(std::make_unique<T>());
    if (!pButton->Create(cells[i].pszText, WS_CHILD | WS_VISIBLE | cells[i].dwStyle, Cell(rc, (int)i, cx),
                         &host, 0xFFFF))
      return false;
    if (cells[i].bMenu) {
      if (!pButton->m_menu.CreatePopupMenu())
        return false;
      pButton->m_menu.AppendMenu(MF_STRING, 1, "Item");
    }
    created.push_back(pButton);
  }
  return true;
}

template <class T>
void SetButtonStates(const std::vector<ButtonCell>& cells, const std::vector<T*>& buttons) {
  for (size_t i = 0; i < buttons.size() && i < cells.size(); ++i) {
    buttons[i]->m_nStateFlags =
        (BYTE)(CExtButton::STATE_FOCUS_RECT | CExtButton::STATE_BORDER | cells[i].nStateFlags);
    buttons[i]->m_nPushedPart = cells[i].nPushedPart;
  }
}

void AddButtonRows(Page& page) {
  const BYTE kHover = CExtButton::STATE_HOVER, kPushed = CExtButton::STATE_HOVER | CExtButton::STATE_PUSHED;
  const BYTE kSplit = CExtButton::STATE_SEPARATED_DROPDOWN;
  static const std::vector<ButtonCell> kPush = {{"&Normal", 0, 0, 0, false},
                                                {"&Hover", 0, kHover, 0, false},
                                                {"&Pressed", 0, kPushed, 1, false},
                                                {"&Disabled", WS_DISABLED, 0, 0, false},
                                                {"D&efault", BS_DEFPUSHBUTTON, 0, 0, false},
                                                {"&Flat", BS_FLAT, 0, 0, false},
                                                {"Flat h&over", BS_FLAT, kHover, 0, false}};
  static const std::vector<ButtonCell> kMenu = {{"&Menu", 0, 0, 0, true},
                                                {"Menu &hover", 0, kHover, 0, true},
                                                {"&Split", 0, kSplit, 0, true},
                                                {"Split &arrow", 0, (BYTE)(kSplit | kPushed), 2, true},
                                                {"Split &main", 0, (BYTE)(kSplit | kPushed), 1, true},
                                                {"&Disabled", WS_DISABLED, kSplit, 0, true}};
  static const std::vector<ButtonCell> kColor = {{"&Colour", 0, 0, 0, false},
                                                 {"&Hover", 0, kHover, 0, false},
                                                 {"&Pressed", 0, kPushed, 1, false},
                                                 {"&Disabled", WS_DISABLED, 0, 0, false},
                                                 {"", 0, 0, 0, false}};
  auto pushes = std::make_shared<std::vector<CExtButton*>>();
  page.rows.push_back({"push buttons: normal, hover, pressed, disabled, default, flat, flat hover", 26,
                       [&page, pushes](CWnd& host, const CRect& rc) {
                         return CreateButtons(page, host, rc, kPush, 110, *pushes);
                       },
                       [pushes] { SetButtonStates(kPush, *pushes); }, nullptr});
  auto menus = std::make_shared<std::vector<CExtButton*>>();
  page.rows.push_back(
      {"menu buttons: drop-down, hover, split, split arrow pressed, split main pressed, disabled", 26,
       [&page, menus](CWnd& host, const CRect& rc) {
         return CreateButtons(page, host, rc, kMenu, 120, *menus);
       },
       [menus] { SetButtonStates(kMenu, *menus); }, nullptr});
  auto colors = std::make_shared<std::vector<CExtColorButton*>>();
  page.rows.push_back({"colour buttons: normal, hover, pressed, disabled, no text", 26,
                       [&page, colors](CWnd& host, const CRect& rc) {
                         if (!CreateButtons(page, host, rc, kColor, 110, *colors))
                           return false;
                         const COLORREF clrs[] = {RGB(200, 30, 30), RGB(30, 160, 30), RGB(30, 60, 200),
                                                  RGB(240, 200, 0), RGB(0, 0, 0)};
                         for (size_t i = 0; i < colors->size(); ++i)
                           (*colors)[i]->m_clrSelected = clrs[i];
                         return true;
                       },
                       [colors] { SetButtonStates(kColor, *colors); }, nullptr});
}

// Check boxes and radio buttons: the check, hover and press in each cell.
struct CheckCell {
  const char* pszText;
  DWORD dwStyle;
  int nCheck;
  BYTE nStateFlags;
  BYTE nPressFlags;
};

void AddCheckRow(Page& page, const char* pszLabel, const std::vector<CheckCell>& cells) {
  auto boxes = std::make_shared<std::vector<CExtCheckBox*>>();
  page.rows.push_back({pszLabel, 20,
                       [&page, boxes, cells](CWnd& host, const CRect& rc) {
                         for (size_t i = 0; i < cells.size(); ++i) {
                           auto* pBox = page.Own(std::make_unique<CExtCheckBox>());
                           if (!pBox->Create(cells[i].pszText, WS_CHILD | WS_VISIBLE | cells[i].dwStyle,
                                             Cell(rc, (int)i, 118), &host, 0xFFFF))
                             return false;
                           boxes->push_back(pBox);
                         }
                         return true;
                       },
                       [boxes, cells] {
                         for (size_t i = 0; i < boxes->size(); ++i) {
                           CExtCheckBox* pBox = (*boxes)[i];
                           pBox->m_nCheck = cells[i].nCheck;
                           pBox->m_nStateFlags = (BYTE)(CExtButton::STATE_BORDER | cells[i].nStateFlags);
                           pBox->m_nPressFlags = cells[i].nPressFlags;
                         }
                       },
                       nullptr});
}

void AddCheckRows(Page& page) {
  const BYTE kHover = CExtButton::STATE_HOVER;
  const DWORD kCheck = BS_AUTO3STATE, kRadio = BS_AUTORADIOBUTTON;
  AddCheckRow(page,
              "check boxes: unchecked, checked, indeterminate, hover, pressed, disabled checked, text left",
              {{"&Unchecked", kCheck, 0, 0, 0},
               {"&Checked", kCheck, 1, 0, 0},
               {"&Indeterminate", kCheck, 2, 0, 0},
               {"&Hover", kCheck, 1, kHover, 0},
               {"&Pressed", kCheck, 0, kHover, CExtCheckBox::PRESS_SPACE},
               {"&Disabled", kCheck | WS_DISABLED, 1, 0, 0},
               {"&Left text", kCheck | BS_LEFTTEXT, 1, 0, 0}});
  AddCheckRow(page, "radio buttons: unchecked, checked, hover, pressed, disabled, disabled checked",
              {{"&Unchecked", kRadio, 0, 0, 0},
               {"&Checked", kRadio, 1, 0, 0},
               {"&Hover", kRadio, 1, kHover, 0},
               {"&Pressed", kRadio, 0, kHover, CExtCheckBox::PRESS_SPACE},
               {"&Disabled", kRadio | WS_DISABLED, 0, 0, 0},
               {"Disabled c&hecked", kRadio | WS_DISABLED, 1, 0, 0}});
}

void AddComboRows(Page& page) {
  auto combos = std::make_shared<std::vector<CExtComboBox*>>();
  page.rows.push_back(
      {"combo boxes: drop-down, drop-down list, hover, pressed, disabled | edits: plain, read-only, disabled",
       24,
       [&page, combos](CWnd& host, const CRect& rc) {
         const DWORD styles[] = {CBS_DROPDOWN, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWN | WS_DISABLED};
         for (int i = 0; i < 5; ++i) {
           auto* pCombo = page.Own(std::make_unique<CExtComboBox>());
           CRect rcCombo = Cell(rc, i, 92);
           rcCombo.bottom += 100;
           if (!pCombo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | styles[i], rcCombo, &host, 0xFFFF))
             return false;
           pCombo->SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
           pCombo->AddString("Combo");
           pCombo->SetCurSel(0);
           combos->push_back(pCombo);
         }
         const DWORD edits[] = {0, ES_READONLY, WS_DISABLED};
         for (int i = 0; i < 3; ++i) {
           auto* pEdit = page.Own(std::make_unique<CExtEditBase>());
           CRect rcEdit = Cell(rc, 5 + i, 92);
           rcEdit.bottom = rcEdit.top + 21;
           if (!pEdit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", "Edit",
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | edits[i], rcEdit, &host, 0xFFFF))
             return false;
           pEdit->SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
         }
         return true;
       },
       nullptr,
       [combos] {
         // The hot looks follow the pointer and the press; they are painted over the plain faces.
         if (combos->size() >= 4) {
           (*combos)[2]->PaintComboFrame(false, true);
           (*combos)[3]->PaintComboFrame(true, true);
         }
       }});
}

void AddColorCtrlRows(Page& page) {
  page.rows.push_back({"colour controls: every mode, the difference last", 172,
                       [&page](CWnd& host, const CRect& rc) {
                         for (int nMode = 0; nMode < CExtColorCtrl::MODE_COUNT; ++nMode) {
                           auto* pCtrl = page.Own(std::make_unique<CExtColorCtrl>(nMode));
                           const CRect rcCell = Cell(CRect(rc.left, rc.top + (nMode / 8) * 88, rc.right,
                                                           rc.top + (nMode / 8) * 88 + 84),
                                                     nMode % 8, 100);
                           CStatic item;
                           if (!item.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rcCell, &host))
                             return false;
                           const HWND hWnd = item.Detach();
                           if (!pCtrl->SubclassWindow(hWnd))
                             return false;
                           pCtrl->m_clrReference = RGB(255, 255, 255);
                           pCtrl->SetCurrentColor(RGB(40, 120, 220), false);
                         }
                         return true;
                       },
                       nullptr, nullptr});
}

void AddStaticRows(Page& page) {
  page.rows.push_back({"group boxes: system, etched, rounded, flat, caption band, disabled", 64,
                       [&page](CWnd& host, const CRect& rc) {
                         for (int i = 0; i < 6; ++i) {
                           auto* pBox = page.Own(std::make_unique<CExtGroupBox>());
                           pBox->m_nFrameStyle = i < 5 ? i : CExtGroupBox::STYLE_CAPTION;
                           pBox->m_nCaptionAlignment = i % 3;
                           const DWORD dwStyle =
                               WS_CHILD | WS_VISIBLE | BS_GROUPBOX | (i == 5 ? WS_DISABLED : 0);
                           if (!pBox->Create("&Group", dwStyle, Cell(rc, i, 118), &host, 0xFFFF))
                             return false;
                         }
                         return true;
                       },
                       nullptr, nullptr});
  page.rows.push_back({"labels: plain, bold, italic underlined, disabled, right", 18,
                       [&page](CWnd& host, const CRect& rc) {
                         const BYTE flags[] = {0, CExtLabel::FONT_BOLD,
                                               CExtLabel::FONT_ITALIC | CExtLabel::FONT_UNDERLINE, 0, 0};
                         for (int i = 0; i < 5; ++i) {
                           auto* pLabel = page.Own(std::make_unique<CExtLabel>());
                           pLabel->m_nFontFlags = flags[i];
                           const DWORD dwStyle = WS_CHILD | WS_VISIBLE | (i == 3 ? WS_DISABLED : 0) |
                                                 (i == 4 ? SS_RIGHT : SS_LEFT);
                           if (!pLabel->Create("A &label", dwStyle, Cell(rc, i, 118), &host))
                             return false;
                         }
                         return true;
                       },
                       nullptr, nullptr});
  page.rows.push_back({"sliders: platform, themed, themed disabled, no thumb", 30,
                       [&page](CWnd& host, const CRect& rc) {
                         const int styles[] = {CExtSliderWnd::STYLE_PLATFORM, CExtSliderWnd::STYLE_THEMED,
                                               CExtSliderWnd::STYLE_THEMED,
                                               CExtSliderWnd::STYLE_PLATFORM_THUMB};
                         for (int i = 0; i < 4; ++i) {
                           auto* pSlider = page.Own(std::make_unique<CExtSliderWnd>());
                           const DWORD dwStyle =
                               WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_AUTOTICKS | (i == 2 ? WS_DISABLED : 0);
                           if (!pSlider->Create(dwStyle, Cell(rc, i, 150), &host, 0xFFFF))
                             return false;
                           pSlider->SetSliderStyle(styles[i]);
                           pSlider->SetRange(0, 10, TRUE);
                           pSlider->SetPos(3 + i * 2);
                         }
                         return true;
                       },
                       nullptr, nullptr});
}

void AddDateRows(Page& page) {
  page.rows.push_back(
      {"date pickers: one month with a day, two months with a range", 200,
       [&page](CWnd& host, const CRect& rc) {
         const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
         const COleDateTime dtFirst(2024, 5, 1, 0, 0, 0);
         auto* pOne = page.Own(std::make_unique<CExtDatePickerWnd>());
         if (!pOne->Create(&host, CRect(rc.TopLeft(), pOne->CalcSizeForDimension(CSize(1, 1))), 0xFFFF, 1, 1,
                           1, 1, dwStyle))
           return false;
         pOne->CurrentDateSet(dtFirst);
         pOne->SelectionSet(COleDateTime(2024, 5, 10, 0, 0, 0), COleDateTime(2024, 5, 10, 0, 0, 0));
         CRect rcOne;
         pOne->GetWindowRect(rcOne);
         auto* pTwo = page.Own(std::make_unique<CExtDatePickerWnd>());
         const DWORD dwPicker = CExtDatePickerWnd::DPS_DEFAULT | CExtDatePickerWnd::DPS_MULTIPLE_SELECTION |
                                CExtDatePickerWnd::DPS_BUTTONS | CExtDatePickerWnd::DPS_BOLD_HEADER;
         const CPoint ptTwo(rc.left + rcOne.Width() + 16, rc.top);
         if (!pTwo->Create(&host, CRect(ptTwo, pTwo->CalcSizeForDimension(CSize(2, 1))), 0xFFFF, 2, 1, 2, 1,
                           dwStyle, dwPicker))
           return false;
         pTwo->CurrentDateSet(dtFirst);
         pTwo->SelectionSet(COleDateTime(2024, 5, 13, 0, 0, 0), COleDateTime(2024, 6, 4, 0, 0, 0));
         return true;
       },
       nullptr});
}

void AddRows(Page& page) {
  AddButtonRows(page);
  AddCheckRows(page);
  AddStaticRows(page);
  AddComboRows(page);
  AddColorCtrlRows(page);
  AddDateRows(page);
}

} // namespace

} // namespace gallery
