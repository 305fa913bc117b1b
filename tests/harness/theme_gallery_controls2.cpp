// The gallery's themed controls in every state, painted by real control windows: a host window
// shown at the screen's corner holds one row of controls per kind and state; its picture is read
// back from the window and the rows are labelled.
#include "tests/harness/theme_gallery.h"
#include "toolkit/controls/ExtDatePickerWnd.h"
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
                       nullptr});
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
                       nullptr});
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
                       nullptr});
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
  AddStaticRows(page);
  AddDateRows(page);
}

} // namespace

} // namespace gallery
